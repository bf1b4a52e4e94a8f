// The music choice: one table of screens, play states and the player's four music switches.
#include <gtest/gtest.h>

#include <cstring>

#include "Engine/EngTypes.h"
#include "players/UserInfo.h"
#include "screens/ScreensMusic.h"

namespace {

TEST(ScreensMusicTest, TheChoiceFollowsScreenPlayStateAndThePlayersSwitches) {
  struct Case {
    const char *name;
    char screens_on;
    const char *screen;
    char over, won;
    EngUInt8 music_on, when, over_on, won_on;
    ScreensMusicChoice expected;
  };
  const Case cases[] = {
      {"main menu, always", 1, "MAIN", 0, 0, 1, 0, 1, 1, {1, 0, 0}},
      {"main menu, menus only", 1, "MAIN", 0, 0, 1, 1, 1, 1, {1, 0, 0}},
      {"main menu, game only", 1, "MAIN", 0, 0, 1, 2, 1, 1, {0, 0, 0}},
      {"main menu, music off", 1, "MAIN", 0, 0, 0, 0, 1, 1, {0, 0, 0}},
      {"pause after a lost game", 1, "PAUS", 1, 0, 1, 0, 1, 1, {1, 0, 0}},
      {"first players screen", 1, "uUSR", 0, 0, 1, 0, 1, 1, {0, 0, 0}},
      {"select player", 1, "uSEL", 0, 0, 1, 0, 1, 1, {0, 0, 0}},
      {"load player", 1, "uLOD", 0, 0, 1, 0, 1, 1, {0, 0, 0}},
      {"new player", 1, "uNEW", 0, 0, 1, 0, 1, 1, {0, 0, 0}},
      {"country", 1, "mCTY", 0, 0, 1, 0, 1, 1, {0, 0, 0}},
      {"play, always", 0, "MAIN", 0, 0, 1, 0, 1, 1, {1, 0, 0}},
      {"play, menus only", 0, "MAIN", 0, 0, 1, 1, 1, 1, {0, 0, 0}},
      {"play, game only", 0, "MAIN", 0, 0, 1, 2, 1, 1, {1, 0, 0}},
      {"lost", 0, "MAIN", 1, 0, 1, 0, 1, 1, {0, 1, 0}},
      {"lost, its music off", 0, "MAIN", 1, 0, 1, 0, 0, 1, {0, 0, 0}},
      {"won", 0, "MAIN", 0, 1, 1, 0, 1, 1, {0, 0, 1}},
      {"won, its music off", 0, "MAIN", 0, 1, 1, 0, 1, 0, {0, 0, 0}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    UserOptions options;
    memset(&options, 0, sizeof(options));
    options.music_on = c.music_on;
    options.music_when = c.when;
    options.game_over_music_on = c.over_on;
    options.won_music_on = c.won_on;
    euint screen = EngFourCC({c.screen[0], c.screen[1], c.screen[2], c.screen[3], 0});
    ScreensMusicChoice got = ScreensChooseMusic(c.screens_on, screen, c.over, c.won, &options);
    EXPECT_EQ(got.menu, c.expected.menu);
    EXPECT_EQ(got.game_over, c.expected.game_over);
    EXPECT_EQ(got.won, c.expected.won);
  }
  ScreensMusicChoice none = ScreensChooseMusic(1, EngFourCC("MAIN"), 0, 0, nullptr);
  EXPECT_EQ(none.menu + none.game_over + none.won, 0);
}

}  // namespace
