#include "Engine/MWin/MWinFrameButton.h"

#include <gtest/gtest.h>

#include "Engine/MWin/MWinGroup.h"
#include "tests/Engine/MWin/MWinProgramTestSupport.h"

namespace qwtest {
namespace {

int closes = 0;
MWinButton *closed_button = nullptr;
void Close(MWin *, _MWinButtonCallbackInfo *info, int a, int b) {
  closes++;
  closed_button = info->button;
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 0);
}
int plain_closes = 0;
void PlainClose() { plain_closes++; }

// The frame spans x 110..310, y 110..190; with the desktop settings its heading is 30 high and
// its close box 30 wide, 3 from the right edge: x 277..307.
class MWinFrameButtonTest : public MWinProgramWindowTest {
 protected:
  void SetUp() override {
    MWinProgramWindowTest::SetUp();
    closes = plain_closes = 0;
    closed_button = nullptr;
    frame = window->GetFirstGroup()->AddFrameButton("F", "MWIN_TEXBUT_DEFAULT", "Title", 10, 10, 200, 80);
    ASSERT_NE(frame, nullptr);
  }
  MWinFrameButton *frame = nullptr;
};

TEST_F(MWinFrameButtonTest, TakesNoInputUntilItHasACloseBox) {
  EXPECT_EQ(frame->GetType(), MWIN_BUTTON_FRAME);
  EXPECT_FALSE(frame->IsReady());
  EXPECT_FALSE(frame->IsATabStop());
  frame->AddCloseButton(Close, 0);
  EXPECT_TRUE(frame->IsReady());
  _Dimension drawn, hit;
  ASSERT_TRUE(frame->GetCloseBoxArea(&drawn, &hit));
  EXPECT_FLOAT_EQ(drawn.x, 277);
  EXPECT_FLOAT_EQ(drawn.y, 115);
  EXPECT_FLOAT_EQ(drawn.height, 20);
  // The hit area spans the whole heading.
  EXPECT_FLOAT_EQ(hit.y, 110);
  EXPECT_FLOAT_EQ(hit.height, 30);
}

TEST_F(MWinFrameButtonTest, AClickOnTheCloseBoxClosesOnceOnTheRelease) {
  frame->AddCloseButton(Close, 0);
  // The first move onto a widget activates it, the next ones reach it.
  mwin->MoveMouse(290.0f, 112.0f);
  mwin->MoveMouse(290.0f, 112.0f);
  EXPECT_TRUE(frame->IsOverCloseButton());
  mwin->ButtonPressed(0, 1, 0);
  EXPECT_EQ(closes, 0);
  mwin->ButtonPressed(0, 0, 0);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(closed_button, frame);
  // Elsewhere on the frame a click closes nothing.
  Click(150.0f, 150.0f);
  mwin->MoveMouse(200.0f, 120.0f);
  Click(200.0f, 120.0f);
  EXPECT_FALSE(frame->IsOverCloseButton());
  EXPECT_EQ(closes, 1);
}

TEST_F(MWinFrameButtonTest, APlainCloseCallbackServesWhenThereIsNoOther) {
  frame->AddCloseButton(PlainClose, 0);
  mwin->MoveMouse(290.0f, 120.0f);
  Click(290.0f, 120.0f);
  EXPECT_EQ(plain_closes, 1);
  EXPECT_EQ(closes, 0);
}

TEST_F(MWinFrameButtonTest, EscapeClosesOnlyWhenAsked) {
  struct Case {
    char escape_closes;
    int want;
  } cases[] = {{0, 0}, {1, 1}};
  for (const Case &c : cases) {
    closes = 0;
    frame->AddCloseButton(Close, c.escape_closes);
    mwin->MoveMouse(150.0f, 150.0f);
    ASSERT_TRUE(frame->IsActive());
    mwin->KeyDown(27);
    EXPECT_EQ(closes, c.want) << int(c.escape_closes);
    // Other keys never close.
    mwin->KeyDown(13);
    EXPECT_EQ(closes, c.want);
  }
}

}  // namespace
}  // namespace qwtest
