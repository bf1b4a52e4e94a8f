#include <gtest/gtest.h>

#include <string>

#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinID.h"
#include "tests/Engine/MWin/MWinTestSupport.h"

namespace qwtest {
namespace {

TEST(MWinIDTest, CopyTakesUpTo31CharactersAndRefusesLonger) {
  MWinID dest = "old";
  const std::string ok(31, 'a');
  EXPECT_TRUE(MWinCopyID(dest, ok.c_str()));
  EXPECT_EQ(std::string(dest), ok);

  const std::string too_long(32, 'b');
  std::string log = Logged([&] { EXPECT_FALSE(MWinCopyID(dest, too_long.c_str())); });
  EXPECT_NE(log.find("Source string Too Long <" + too_long + ">"), std::string::npos) << log;
  EXPECT_EQ(std::string(dest), ok);

  log = Logged([&] {
    EXPECT_FALSE(MWinCopyID(nullptr, "x"));
    EXPECT_FALSE(MWinCopyID(dest, nullptr));
  });
  EXPECT_NE(log.find("No Dest ID"), std::string::npos);
  EXPECT_NE(log.find("No Source ID"), std::string::npos);
  EXPECT_EQ(std::string(dest), ok);
}

TEST(MWinIDTest, ComparisonIsExactAndEmptyIdsNeverMatch) {
  struct Case {
    const char *a, *b;
    char same;
  } cases[] = {
      {"MAIN", "MAIN", 1}, {"MAIN", "main", 0}, {"", "", 0},       {nullptr, nullptr, 0},
      {"A", nullptr, 0},   {"A", "AB", 0},      {"AB", "AB", 1},
  };
  for (const Case &c : cases) EXPECT_EQ(MWinAreIDsTheSame(c.a, c.b), c.same) << (c.a ? c.a : "null");
  EXPECT_TRUE(MWinIsIDEmpty(nullptr));
  EXPECT_TRUE(MWinIsIDEmpty(""));
  EXPECT_FALSE(MWinIsIDEmpty("x"));
  EXPECT_STREQ(MWinDisplayID(""), "(empty id)");
  EXPECT_STREQ(MWinDisplayID(nullptr), "(empty id)");
  EXPECT_STREQ(MWinDisplayID("W1"), "W1");
}

TEST(MWinIDTest, AreasAreCopiedAndSetAndNullIsRefused) {
  _Dimension a = {1, 2, 3, 4}, b = {0, 0, 0, 0};
  EXPECT_EQ(MWinCopyArea(&b, &a), &b);
  EXPECT_EQ(b.width, 3);
  EXPECT_EQ(MWinSetArea(&b, 5, 6, 7, 8), &b);
  EXPECT_EQ(b.x, 5);
  EXPECT_EQ(b.height, 8);
  std::string log = Logged([&] {
    EXPECT_EQ(MWinCopyArea(nullptr, &a), nullptr);
    EXPECT_EQ(MWinSetArea(nullptr, 0, 0, 0, 0), nullptr);
  });
  EXPECT_NE(log.find("Parameter Error"), std::string::npos);
}

TEST(MWinIDTest, WidescreenCorrectionsCentreTheArea) {
  SetWindowSizeForToolkit(640, 480, 0.75f);
  EXPECT_FLOAT_EQ(MWinApplyWidescreenRatioToXPos(0, 640), 80);
  EXPECT_FLOAT_EQ(MWinUnapplyWidescreenRatioToXPos(80, 640), 0);
  eng_main_window_y_narrowscreen_ratio = 0.5f;
  EXPECT_FLOAT_EQ(MWinApplyNarrowscreenRatioToYPos(10, 100), 35);
  SetWindowSizeForToolkit(640, 480, 1.0f);
  EXPECT_FLOAT_EQ(MWinApplyWidescreenRatioToXPos(17, 640), 17);
  EXPECT_FLOAT_EQ(MWinUnapplyWidescreenRatioToXPos(17, 640), 17);
  EXPECT_FLOAT_EQ(MWinApplyNarrowscreenRatioToYPos(17, 640), 17);
}

class MWinButtonStepTest : public MWinTest {};

TEST_F(MWinButtonStepTest, SteppingFollowsTheWindowsButtonOrder) {
  MWinCollection *c = Desktop()->AddCollection("C");
  MWinWindow *w = AddWindow(c, "W", 0, 0, 200, 200);
  MWinButton *b[4];
  for (int i = 0; i < 4; i++) b[i] = AddCountingButton(w, ("B" + std::to_string(i)).c_str(), 0, 30.0f * i, 20, 20);

  EXPECT_EQ(MWinGetNextButton(b[2], 0), b[2]);
  EXPECT_EQ(MWinGetNextButton(b[0], 3), b[3]);
  EXPECT_EQ(MWinGetPrevButton(b[3], 2), b[1]);
  std::string log = Logged([&] { EXPECT_EQ(MWinGetNextButton(b[2], 3), nullptr); });
  EXPECT_NE(log.find("Next button not found"), std::string::npos) << log;
  log = Logged([&] { EXPECT_EQ(MWinGetPrevButton(b[0], 1), nullptr); });
  EXPECT_NE(log.find("Prev button not found"), std::string::npos) << log;
  log = Logged([&] {
    EXPECT_EQ(MWinGetNextButton(b[0], -1), nullptr);
    EXPECT_EQ(MWinGetNextButton(nullptr, 1), nullptr);
  });
  EXPECT_NE(log.find("Bad num ahead number"), std::string::npos);
  EXPECT_NE(log.find("No button"), std::string::npos);
}

TEST_F(MWinButtonStepTest, ShowHideEnableThroughPossiblyNullPointers) {
  MWinCollection *c = Desktop()->AddCollection("C");
  MWinWindow *w = AddWindow(c, "W", 0, 0, 200, 200);
  MWinButton *b = AddCountingButton(w, "B", 0, 0, 20, 20);
  MWinHideButton(nullptr);
  MWinShowButton(nullptr, 1);
  MWinEnableButton(nullptr, 1);
  MWinDisableButton(nullptr);
  MWinHideButton(b);
  EXPECT_FALSE(b->IsShown());
  MWinShowButton(b, 1);
  EXPECT_TRUE(b->IsShown());
  MWinDisableButton(b);
  EXPECT_FALSE(b->IsEnabled());
  MWinEnableButton(b, 1);
  EXPECT_TRUE(b->IsEnabled());
}

}  // namespace
}  // namespace qwtest
