// The pie gauge drawn by the toolkit on the real device and read back: the outer ring, the
// inner disc and the value's sector, which starts on the left and runs clockwise, at empty,
// quarter, half and full values, with fans switched off, and after a resize.
#include <gtest/gtest.h>

#include <string>

#include "Engine/EngTriangleList.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinSettings.h"
#include "tests/Engine/MWin/MWinWidgetDisplayTestSupport.h"

namespace qwtest {
namespace {

class MWinButtonPieDisplayTest : public MWinPlainDisplayTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(MWinPlainDisplayTest::SetUp());
    // Outer radius 100 around (300, 200); the ring is 5% of the width, so the inner radius is 90.
    pie = window->AddButton("PIE", MWIN_BUTTON_PIE, "MWIN_TEXBUT_NONE", nullptr, 200, 100, 200, 200);
    ASSERT_NE(pie, nullptr);
    pie->PieSetColours(1, 0, 0, 0, 1, 0, 0, 0, 1);
  }
  // Ring top, ring bottom, upper left, upper right, lower right, lower left, outside the disc.
  std::string Look() {
    mwin->RenderMain();
    std::string out;
    const int points[][2] = {{300, 105}, {300, 295}, {250, 150}, {350, 150}, {350, 250}, {250, 250}, {210, 110}};
    for (const auto &p : points) out += At(p[0], p[1]);
    return out;
  }

  MWinButton *pie = nullptr;
};

TEST_F(MWinButtonPieDisplayTest, TheValuesSectorRunsClockwiseFromTheLeft) {
  struct Case {
    float value, max;
    const char *look;
  } cases[] = {
      {0.5f, 1, "bbrrggk"},  // the default: the top half
      {0, 1, "bbggggk"},     // empty
      {1, 4, "bbrgggk"},     // a quarter: left to top
      {3, 4, "bbrrrgk"},
      {2, 2, "bbrrrrk"},  // full: the circle closes
  };
  for (const Case &c : cases) {
    ASSERT_TRUE(pie->PieSetValuesFloat(c.value, c.max));
    EXPECT_EQ(Look(), c.look) << c.value << " of " << c.max;
  }
  // Refused values leave the gauge as it was.
  EXPECT_FALSE(pie->PieSetValuesFloat(2, 1));
  EXPECT_EQ(Look(), "bbrrrrk");
}

TEST_F(MWinButtonPieDisplayTest, ABoundFloatAndFansSwitchedOff) {
  float level = 25;
  pie->PieRegisterFloatVariable(&level, 0.01f);
  EXPECT_EQ(Look(), "bbrgggk");
  level = 75;
  EXPECT_EQ(Look(), "bbrgggk");
  pie->PieUpdateFromRegisteredVariable(0);
  EXPECT_EQ(Look(), "bbrrrgk");

  _MWinSettings *settings = mwin->GetSettings();
  settings->pie_flags[MWIN_PIE_OUTER] = 0;
  EXPECT_EQ(Look(), "kkrrrgk");
  settings->pie_flags[MWIN_PIE_INNER] = 0;
  EXPECT_EQ(Look(), "kkrrrkk");
  settings->pie_flags[MWIN_PIE_VALUE] = 0;
  EXPECT_EQ(Look(), "kkkkkkk");
}

TEST_F(MWinButtonPieDisplayTest, TheGaugeFollowsItsWidgetAndSurvivesTheDevicesObjects) {
  pie->SetOrigPos(100, 100, 200, 200);  // moved 100 to the left
  mwin->RenderMain();
  EXPECT_EQ(At(200, 105), 'b');
  EXPECT_EQ(At(300, 105), 'k');
  EXPECT_EQ(At(150, 150), 'r');

  pie->DestroyGraphicsObjects();
  for (EngTriangleList *list : pie->GetPie()->lists) EXPECT_EQ(list, nullptr);
  mwin->RenderMain();
  EXPECT_EQ(At(150, 150), 'k');
  ASSERT_TRUE(pie->CreateGraphicsObjects());
  mwin->RenderMain();
  EXPECT_EQ(At(150, 150), 'r');
  EXPECT_EQ(At(200, 105), 'b');
}

TEST_F(MWinButtonPieDisplayTest, ATinyWidgetKeepsARadiusOfOne) {
  // Two units wide, the inner disc would have a radius of 0.9.
  pie->SetOrigPosNoBoundsCheck(50, 50, 2, 2);
  const _Dimension *area = pie->GetActualArea();
  ASSERT_FLOAT_EQ(area->width, 2);
  ASSERT_NE(pie->GetPie()->lists[MWIN_PIE_INNER], nullptr);
  const float *positions = pie->GetPie()->lists[MWIN_PIE_INNER]->GetPositionArray();
  ASSERT_NE(positions, nullptr);
  // The first corner of the first triangle lies on the left, one unit from the centre.
  EXPECT_NEAR((positions[0] + 1) * 320, area->x + 1 - 1, 1e-3f);
  EXPECT_NEAR((1 - positions[1]) * 240, area->y + 1, 1e-3f);
}

}  // namespace
}  // namespace qwtest
