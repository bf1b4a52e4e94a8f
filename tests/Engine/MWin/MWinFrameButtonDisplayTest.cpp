// The frame widget drawn on the real device: heading with its title, the close box.
#include "Engine/MWin/MWinFrameButton.h"

#include "Engine/MWin/MWinGroup.h"
#include "tests/Engine/MWin/MWinDeviceWidgetTestSupport.h"

namespace qwtest {
namespace {

using MWinFrameButtonDisplayTest = MWinDeviceWidgetTest;

void Close() {}

int Reds(const MWinDeviceWidgetTest::Pixels &px, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++)
      if (px.At(x, y)[0] > 200 && px.At(x, y)[1] < 60) n++;
  return n;
}

TEST_F(MWinFrameButtonDisplayTest, ATitledFrameShowsItsTitleInTheHeadingAndItsCloseBox) {
  MWinFrameButton *frame =
      window->GetFirstGroup()->AddFrameButton("F", "MWIN_TEXBUT_DEFAULT", "Title", 100, 100, 200, 150);
  frame->SetTextColour(1, 0, 0, 1);
  frame->SetTextScale(0.6f, 0.6f);
  frame->AddCloseButton(Close, 0);
  mwin->RenderMain();
  Pixels px;
  EXPECT_FALSE(px.Black(150, 200));  // the main back
  EXPECT_GT(Reds(px, 100, 100, 260, 130), 0);
  EXPECT_EQ(Reds(px, 100, 132, 300, 250), 0);
  // The close box, 3 from the right edge, 30 wide, inset 5: the push button's blue.
  const unsigned char *box = px.At(272, 108);
  EXPECT_GT(box[2], box[0] + 30);
}

TEST_F(MWinFrameButtonDisplayTest, AFrameWithoutTextIsOnePlainBack) {
  window->GetFirstGroup()->AddFrameButton("F", "MWIN_TEXBUT_DEFAULT", nullptr, 100, 100, 200, 150);
  mwin->RenderMain();
  Pixels px;
  EXPECT_EQ(px.Lit(100, 100, 300, 250), 200 * 150);
  EXPECT_EQ(px.Lit(0, 0, 100, 480), 0);
  const unsigned char *corner = px.At(285, 110);
  EXPECT_LE(corner[2], corner[0] + 30);  // no close box
}

}  // namespace
}  // namespace qwtest
