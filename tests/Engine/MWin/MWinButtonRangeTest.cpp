#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinSettings.h"
#include "tests/Engine/MWin/MWinProgramTestSupport.h"

namespace qwtest {
namespace {

struct Call {
  float low, high;
  int by_user;
};
std::vector<Call> calls;

void RangeChanged(MWin *, _MWinButtonCallbackInfo *info, int, int) {
  float low = 0, high = 0;
  info->button->RangeGetRange(&low, &high);
  calls.push_back({low, high, info->range_flag});
}

// The slider sits at x 110..316 on the screen. With the desktop settings (inset 3, handle 8,
// right handle 24) its track shown is 176 wide from x 113, and a pointer value is
// (x - 121) / 184 of the range.
class MWinButtonRangeTest : public MWinProgramWindowTest {
 protected:
  void SetUp() override {
    MWinProgramWindowTest::SetUp();
    calls.clear();
    slider = window->AddButton("R", MWIN_BUTTON_RANGE, "MWIN_TEXBUT_NONE", "Range", 10, 10, 206, 20, RangeChanged, 0,
                               0);
    ASSERT_NE(slider, nullptr);
  }
  void Range(float *low, float *high) { slider->RangeGetAcualRangeValues(low, high); }

  MWinButton *slider = nullptr;
};

TEST_F(MWinButtonRangeTest, ResetsToAQuarterToThreeQuartersOfZeroToOne) {
  EXPECT_FALSE(slider->IsReady());
  float low, high;
  EXPECT_EQ(slider->RangeGetAcualRangeValues(&low, &high), 0);
  EXPECT_FLOAT_EQ(low, 0.25f);
  EXPECT_FLOAT_EQ(high, 0.75f);
  EXPECT_FLOAT_EQ(slider->RangeGetSpan(), 0.1f);
  ASSERT_TRUE(slider->RangeSetLimits(0, 1, 0.1f));
  EXPECT_TRUE(slider->IsReady());
}

TEST_F(MWinButtonRangeTest, LimitsAreCheckedAndASpanOfZeroIsATenth) {
  EXPECT_TRUE(slider->RangeSetLimits(0, 10, 0));
  EXPECT_FLOAT_EQ(slider->RangeGetSpan(), 1.0f);
  struct Case {
    float minimum, maximum, span;
  } refused[] = {{5, 1, 0.1f}, {0, 1, 1}, {0, 1, 2}, {3, 3, 0}};
  for (const Case &c : refused) {
    std::string log = Logged([&] { EXPECT_FALSE(slider->RangeSetLimits(c.minimum, c.maximum, c.span)); });
    EXPECT_NE(log.find("Bad parameters."), std::string::npos);
    EXPECT_FLOAT_EQ(slider->RangeGetMaximum(), 10.0f);
  }
}

TEST_F(MWinButtonRangeTest, ARangeNarrowerThanTheSpanIsWidenedInsideTheLimits) {
  ASSERT_TRUE(slider->RangeSetLimits(0, 1, 0.1f));
  struct Case {
    float low, high, want_low, want_high;
  } cases[] = {
      {0.5f, 0.55f, 0.475f, 0.575f},  // both ends move by half the shortfall
      {0.0f, 0.02f, 0.0f, 0.1f},      // stopped at the minimum, the top moves up
      {0.97f, 1.0f, 0.9f, 1.0f},      // stopped at the maximum, the bottom moves down
      {0.2f, 0.6f, 0.2f, 0.6f},       // wide enough: kept
      {-1.0f, 2.0f, 0.0f, 1.0f},      // clamped to the limits
      {0.7f, 0.3f, 0.25f, 0.35f},     // the smaller first, the second as the top: widened round it
      {0.5f, 0.5f, 0.45f, 0.55f},
  };
  for (const Case &c : cases) {
    slider->RangeSetRange(c.low, c.high, 0, 0);
    // The ends themselves, through where the handles are drawn: a range at the minimum span
    // reads back as one value.
    float low = 0, high = 0;
    slider->RangeGetScreenXPos(&low, &high);
    EXPECT_NEAR(low, 113 + c.want_low * 176, 0.01f) << c.low << " " << c.high;
    EXPECT_NEAR(high, 113 + c.want_high * 176 + 24, 0.01f) << c.low << " " << c.high;
  }
  EXPECT_TRUE(calls.empty());
}

TEST_F(MWinButtonRangeTest, ARangeAtTheMinimumSpanIsOneValueInBothVariables) {
  ASSERT_TRUE(slider->RangeSetLimits(0, 10, 1));
  float low_var = 2, high_var = 6;
  ASSERT_TRUE(slider->RangeRegisterTwoFloatVariables(&low_var, &high_var, 2.0f, 0));
  float low, high;
  // The variables hold values divided by the scale and are read back times the scale.
  EXPECT_EQ(slider->RangeGetAcualRangeValues(&low, &high), 0);
  EXPECT_FLOAT_EQ(low, 4);
  EXPECT_FLOAT_EQ(high, 10);
  struct Case {
    float low, high, single;
  } cases[] = {{0, 0.5f, 0}, {9.5f, 10, 10}, {4, 5, 4.5f}};
  for (const Case &c : cases) {
    slider->RangeSetRange(c.low, c.high, 0, 0);
    EXPECT_EQ(slider->RangeGetAcualRangeValues(&low, &high), 1);
    EXPECT_FLOAT_EQ(low, c.single);
    EXPECT_FLOAT_EQ(high, c.single);
    EXPECT_FLOAT_EQ(low_var, c.single / 2);
    EXPECT_FLOAT_EQ(high_var, c.single / 2);
  }
  // A changed variable is read back on request, with the callback when asked.
  low_var = 1;
  high_var = 3;
  slider->RangeUpdateFromRegisteredVariables(1);
  Range(&low, &high);
  EXPECT_FLOAT_EQ(low, 2);
  EXPECT_FLOAT_EQ(high, 6);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].by_user, 0);
}

TEST_F(MWinButtonRangeTest, TheAutomaticTextFollowsTheRangeAfterTheKeptText) {
  ASSERT_TRUE(slider->RangeSetLimits(0, 1, 0.1f));
  slider->RangeSetAutoText(1, 2, 1);
  EXPECT_STREQ(slider->GetTextP(), "Range [0.25,0.75]");
  slider->RangeSetRange(0.5f, 0.6f, 0, 0);
  EXPECT_STREQ(slider->GetTextP(), "Range [0.55]");
  slider->RangeSetAutoText(1, 3, 0);
  EXPECT_STREQ(slider->GetTextP(), "[0.550]");
  std::string log = Logged([&] { slider->RangeSetAutoText(1, 5, 0); });
  EXPECT_NE(log.find("Decimal places=5 not supported"), std::string::npos);
  EXPECT_STREQ(slider->GetTextP(), "[0.6]");
  slider->RangeSetAutoText(0, 1, 0);
  slider->RangeSetRange(0.1f, 0.9f, 0, 0);
  EXPECT_STREQ(slider->GetTextP(), "[0.6]");
}

TEST_F(MWinButtonRangeTest, DraggingTheRightHandleCallsBackAsTheUserAndOnceMoreAtTheEnd) {
  ASSERT_TRUE(slider->RangeSetLimits(0, 1, 0.1f));
  float low_var = 0.25f, high_var = 0.75f;
  ASSERT_TRUE(slider->RangeRegisterTwoFloatVariables(&low_var, &high_var, 1.0f, 0));
  // The right handle ends at 113 + 0.75 * 176 + 24 = 269.
  mwin->MoveMouse(265.0f, 120.0f);
  ASSERT_TRUE(slider->IsActive());
  mwin->ButtonPressed(0, 1, 0);
  EXPECT_TRUE(slider->IsDragging());
  calls.clear();
  // Held by its inner edge: the pointer at 8 + 121 + 0.5 * 184 means the value 0.5.
  mwin->MoveMouse(221.0f, 120.0f);
  float low, high;
  Range(&low, &high);
  EXPECT_NEAR(low, 0.25f, 1e-5f);
  EXPECT_NEAR(high, 0.5f, 1e-5f);
  EXPECT_NEAR(high_var, 0.5f, 1e-5f);
  // Down onto the low end, which is pushed away to keep the span: 0.1 to 0.2, one value.
  mwin->MoveMouse(8 + 121 + 0.2f * 184, 120.0f);
  EXPECT_EQ(slider->RangeGetAcualRangeValues(&low, &high), 1);
  EXPECT_NEAR(low, 0.15f, 1e-5f);
  EXPECT_NEAR(low_var, 0.15f, 1e-5f);
  EXPECT_NEAR(high_var, 0.15f, 1e-5f);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].by_user, 1);
  EXPECT_EQ(calls[1].by_user, 1);
  // The pointer may leave the slider while it drags; the release ends it.
  mwin->MoveMouse(500.0f, 300.0f);
  mwin->ButtonPressed(0, 0, 0);
  EXPECT_FALSE(slider->IsDragging());
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[3].by_user, 0);
  EXPECT_NEAR(calls[3].high, 1.0f, 1e-5f);
}

TEST_F(MWinButtonRangeTest, DraggingTheBarKeepsItsWidthAndStopsAtTheLimits) {
  ASSERT_TRUE(slider->RangeSetLimits(0, 1, 0.1f));
  mwin->MoveMouse(200.0f, 120.0f);
  mwin->ButtonPressed(0, 1, 0);
  ASSERT_TRUE(slider->IsDragging());
  mwin->MoveMouse(200.0f + 0.1f * 184, 120.0f);
  float low, high;
  Range(&low, &high);
  EXPECT_NEAR(low, 0.35f, 1e-4f);
  EXPECT_NEAR(high, 0.85f, 1e-4f);
  mwin->MoveMouse(390.0f, 120.0f);
  Range(&low, &high);
  EXPECT_NEAR(low, 0.5f, 1e-4f);
  EXPECT_NEAR(high, 1.0f, 1e-4f);
  mwin->ButtonPressed(0, 0, 0);
}

TEST_F(MWinButtonRangeTest, APressOnTheEmptyTrackOnlyLogsAJump) {
  ASSERT_TRUE(slider->RangeSetLimits(0, 1, 0.1f));
  struct Case {
    float x;
    const char *log;
  } cases[] = {{150, "JUMP LEFT"}, {300, "JUMP RIGHT"}};
  for (const Case &c : cases) {
    mwin->MoveMouse(c.x, 120.0f);
    std::string log = Logged([&] {
      mwin->ButtonPressed(0, 1, 0);
      mwin->ButtonPressed(0, 0, 0);
    });
    EXPECT_NE(log.find(c.log), std::string::npos) << log;
    float low, high;
    Range(&low, &high);
    EXPECT_FLOAT_EQ(low, 0.25f);
    EXPECT_FLOAT_EQ(high, 0.75f);
  }
  EXPECT_TRUE(calls.empty());
}

TEST_F(MWinButtonRangeTest, ArrowKeysStepMoveOrCentreTheRange) {
  ASSERT_TRUE(slider->RangeSetLimits(0, 1, 0.1f));
  mwin->MoveMouse(200.0f, 120.0f);
  ASSERT_TRUE(slider->IsActive());
  struct Case {
    int key, held;
    float want_low, want_high;
  } cases[] = {
      {244, 0, 0.24f, 0.74f},    // left: both
      {245, 229, 0.25f, 0.74f},  // right with Control: the low end only
      {245, 228, 0.25f, 0.75f},  // right with Shift: the high end only
      {247, 0, 0.25f, 0.75f},    // down: centred
      {246, 0, 0.0f, 0.1f},      // up: to the start at the minimum span
  };
  for (const Case &c : cases) {
    memset(eng_key_down, 0, sizeof(eng_key_down));
    if (c.held) eng_key_down[c.held] = 1;
    EXPECT_TRUE(mwin->KeyDown(c.key));
    float low, high;
    slider->RangeGetScreenXPos(&low, &high);
    EXPECT_NEAR((low - 113) / 176, c.want_low, 1e-4f) << c.key;
    EXPECT_NEAR((high - 137) / 176, c.want_high, 1e-4f) << c.key;
  }
  memset(eng_key_down, 0, sizeof(eng_key_down));
  EXPECT_EQ(calls.size(), 5u);
  EXPECT_FALSE(slider->RangeHandleKeyDown('a'));
}

}  // namespace
}  // namespace qwtest
