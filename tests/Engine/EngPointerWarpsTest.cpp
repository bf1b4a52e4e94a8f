// The pointer warps and their late echoes, step by step as the window's events bring them.
#include "Engine/EngPointerWarps.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

namespace {

// A story in steps, each a letter and a place: "a" the program puts the pointer there, "w" a
// pass over the events ends and the pointer is warped there ("w-": no warp is made), "k" a
// motion event there reaches the program, "d" a motion event there is dropped.
struct Story {
  const char *name;
  const char *steps;
};

const Story kStories[] = {
    // Each Tab of a round warped apart, all six before the first echo comes back: only the
    // last echo says where the pointer is.
    {"six warps in flight",
     "a320,137 w320,137 a320,187 w320,187 a320,237 w320,237 a320,287 w320,287 a320,337 w320,337 "
     "a320,387 w320,387 d320,137 d320,187 d320,237 d320,287 d320,337 k320,387"},
    // Six Tabs in one pass make one warp, to the last place.
    {"one warp a pass", "a320,137 a320,187 a320,237 a320,287 a320,337 a320,387 w320,387 w- k320,387"},
    // The echo of the warp in flight comes after the next Tab of the same pass moved on.
    {"echo after a newer place", "a320,137 w320,137 a320,187 d320,137 w320,187 k320,187"},
    // An echo comes back rounded to whole pixels; that of an earlier warp that sent none (the
    // pointer was already there) is no longer waited for.
    {"rounded echo, missed echo", "a100,100 w100,100 a200,150 w200,150 k201,149 k100,100"},
    // A move of the player's after a Tab stands: the pointer is not warped back over it.
    {"the player's move after a Tab", "a320,137 k40,240 w- k41,240"},
    // The player's own moves while a warp is in flight reach the program, and so does its echo.
    {"the player's moves around a warp", "a320,137 w320,137 k50,60 k320,137 k320,137"},
};

TEST(EngPointerWarps, LateEchoesOfReplacedWarpsAreDropped) {
  for (const Story &story : kStories) {
    SCOPED_TRACE(story.name);
    EngPointerWarps warps;
    std::istringstream steps(story.steps);
    std::string step;
    while (steps >> step) {
      SCOPED_TRACE(step);
      int x = 0, y = 0;
      const bool place = sscanf(step.c_str() + 1, "%d,%d", &x, &y) == 2;
      ASSERT_TRUE(place || step == "w-");
      EngInt32 wx = -1, wy = -1;
      switch (step[0]) {
        case 'a': warps.Ask(x, y); break;
        case 'w':
          ASSERT_EQ(warps.TakeAsked(&wx, &wy), place ? 1 : 0);
          if (place) {
            EXPECT_EQ(wx, x);
            EXPECT_EQ(wy, y);
          }
          break;
        case 'k': EXPECT_EQ(warps.IsStaleEcho(x, y), 0); break;
        case 'd': EXPECT_EQ(warps.IsStaleEcho(x, y), 1); break;
        default: FAIL() << "no such step";
      }
    }
    EXPECT_EQ(warps.NumInFlight(), 0);
  }
}

// More warps in flight than are kept: the newest are, and their echoes are still told apart.
TEST(EngPointerWarps, TheNewestWarpsAreKept) {
  EngPointerWarps warps;
  EngInt32 x = 0, y = 0;
  for (int i = 0; i < 40; i++) {
    warps.Ask(10, 10 * i);
    ASSERT_EQ(warps.TakeAsked(&x, &y), 1);
  }
  EXPECT_EQ(warps.IsStaleEcho(10, 300), 1);
  EXPECT_EQ(warps.IsStaleEcho(10, 380), 1);
  EXPECT_EQ(warps.IsStaleEcho(10, 390), 0);
  EXPECT_EQ(warps.NumInFlight(), 0);
}

TEST(EngPointerWarps, ClearForgetsAsksAndWarps) {
  EngPointerWarps warps;
  EngInt32 x = 0, y = 0;
  warps.Ask(10, 10);
  ASSERT_EQ(warps.TakeAsked(&x, &y), 1);
  warps.Ask(20, 20);
  warps.Clear();
  EXPECT_EQ(warps.NumInFlight(), 0);
  EXPECT_EQ(warps.TakeAsked(&x, &y), 0);
  EXPECT_EQ(warps.IsStaleEcho(10, 10), 0);
}

}  // namespace
