// The colour picker drawn on the real device: each bar over its generated strip.
#include "Engine/MWin/MWinColour.h"

#include "Engine/EngTexture.h"
#include "Engine/MWin/MWinGroup.h"
#include "tests/Engine/MWin/MWinDeviceWidgetTestSupport.h"

namespace qwtest {
namespace {

using MWinColourDisplayTest = MWinDeviceWidgetTest;

TEST_F(MWinColourDisplayTest, TheBarsAreDrawnOverTheirStrips) {
  MWinColour *picker = window->GetFirstGroup()->AddColour("P", "MWIN_TEXBUT_NONE", nullptr, 100, 100, 256, 100);
  ASSERT_TRUE(mwin->ColourGetStripTexture(0) && mwin->ColourGetStripTexture(0)->IsOk());
  picker->Set(1, 0, 0, 0);
  mwin->RenderMain();
  Pixels px;
  // The hue strip, 32 high from y 100: blue a third of the way, green two thirds.
  const unsigned char *blue = px.At(100 + 85, 116), *green = px.At(100 + 170, 116);
  EXPECT_GT(blue[2], 200);
  EXPECT_LT(blue[1], 40);
  EXPECT_GT(green[1], 200);
  EXPECT_LT(green[2], 40);
  // The brightness strip of red rises from black to red along the third bar (y 168..200), under its thumb at the right end.
  EXPECT_LT(px.At(110, 184)[0], 40);
  EXPECT_GT(px.At(300, 184)[0], 180);
  EXPECT_LT(px.At(300, 184)[1], 40);
}

}  // namespace
}  // namespace qwtest
