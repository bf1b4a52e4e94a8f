// The range slider drawn on the real device: the bar between its handles and nothing beside.
#include "tests/Engine/MWin/MWinDeviceWidgetTestSupport.h"

namespace qwtest {
namespace {

using MWinButtonRangeDisplayTest = MWinDeviceWidgetTest;

TEST_F(MWinButtonRangeDisplayTest, TheBarFillsTheSpanBetweenItsHandles) {
  MWinButton *slider = window->AddButton("R", MWIN_BUTTON_RANGE, "MWIN_TEXBUT_NONE", nullptr, 100, 200, 206, 20);
  ASSERT_TRUE(slider->RangeSetLimits(0, 1, 0.1f));
  // Handles at 103 + 0.25 * 176 = 147 and 103 + 0.75 * 176 + 24 = 259; the bar is 12 high.
  mwin->RenderMain();
  {
    Pixels px;
    for (int x : {149, 200, 257}) EXPECT_FALSE(px.Black(x, 210)) << x;
    for (int x : {125, 262}) EXPECT_TRUE(px.Black(x, 210)) << x;
    EXPECT_TRUE(px.Black(200, 202));
    EXPECT_TRUE(px.Black(200, 218));
  }
  slider->RangeSetRange(0.5f, 1.0f, 0, 0);
  mwin->RenderMain();
  Pixels px;
  EXPECT_TRUE(px.Black(170, 210));
  EXPECT_FALSE(px.Black(300, 210));
}

}  // namespace
}  // namespace qwtest
