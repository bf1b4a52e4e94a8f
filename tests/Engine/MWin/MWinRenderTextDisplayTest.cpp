// The toolkit's text drawing on the real device, measured from the lit pixels: narrowing to
// fit, alignment against the box edges, and fonts made again after a device re-creation.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "Engine/EngFont.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinFonts.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/Engine/MWin/MWinWidgetDisplayTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

const char *const kText = "Wide wide text";

class MWinRenderTextDisplayTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    ASSERT_TRUE(FileExists(kVeraBold)) << "install ttf-bitstream-vera";
    EngWhichDeviceResetForTests();
    SetWindowSizeForToolkit(640, 480);
    mwin = new MWin(nullptr);
    ASSERT_TRUE(AddVeraBoldFont(mwin, 32));
    ASSERT_TRUE(mwin->Startup());
    ASSERT_TRUE(MakeFontReady());
  }
  void TearDown() override {
    delete mwin;
    DeviceTest::TearDown();
  }
  // White text scaled so that kText is 300 units wide.
  bool MakeFontReady() {
    font = mwin->GetFonts()->GetFont(-1);
    if (!font) return false;
    font->SetScale(1, 1);
    scale = 300.0f / font->GetStringWidth(kText);
    font->SetScale(scale, scale);
    font->SetColour(1, 1, 1, 1);
    return true;
  }
  void Clear() {
    device->SetClearColour(0, 0, 0);
    device->ClearScreenBuffer();
  }
  // The first and last pixel columns with a lit pixel in rows y0..y1; -1, -1 when none.
  static void LitColumns(int y0, int y1, int *first, int *last) {
    Found lit = FindPixels(0, y0, 639, y1, [](const unsigned char *p) { return p[0] > 128; });
    *first = lit.first_x;
    *last = lit.last_x;
  }

  MWin *mwin = nullptr;
  EngFont *font = nullptr;
  float scale = 1;
};

TEST_F(MWinRenderTextDisplayTest, ALineTooWideIsNarrowedForThisCallOnly) {
  Clear();
  mwin->RenderText(-1, MWIN_ALIGN_LEFT, 5, 100, 100, 100, 40, nullptr, kText, 0, 1, 1);
  int first, last;
  LitColumns(90, 150, &first, &last);
  EXPECT_GE(first, 104);
  EXPECT_LE(last, 201);
  EXPECT_GE(last, 185) << "the narrowed text fills the 95 units";
  float sx = 0, sy = 0;
  font->GetScale(&sx, &sy);
  EXPECT_FLOAT_EQ(sx, scale);
  EXPECT_FLOAT_EQ(sy, scale);

  Clear();
  mwin->RenderText(-1, MWIN_ALIGN_LEFT, 5, 100, 100, 100, 40, nullptr, kText, 0, 1, 0);
  LitColumns(90, 150, &first, &last);
  EXPECT_GE(last, 380) << "without narrowing it overflows";
}

TEST_F(MWinRenderTextDisplayTest, AlignedTextMeetsTheBoxEdges) {
  font->SetScale(scale / 3, scale / 3);  // 100 units wide
  _Dimension box = {100, 100, 300, 40}, offset = {20, 200, 0, 0};
  int first, last;
  Clear();
  mwin->RenderText(-1, MWIN_ALIGN_RIGHT, 8, &box, nullptr, kText, 0, 1, 0);
  LitColumns(90, 150, &first, &last);
  EXPECT_LE(last, 400) << "right-aligned single lines end at the box edge itself";
  EXPECT_GE(last, 393);
  Clear();
  mwin->RenderText(-1, MWIN_ALIGN_CENTRE, 8, &box, &offset, kText, 0, 1, 0);
  LitColumns(290, 350, &first, &last);
  EXPECT_NEAR((first + last) / 2.0, 270, 4);
  LitColumns(90, 150, &first, &last);
  EXPECT_EQ(last, -1) << "the offset moved it";

  Clear();
  EngFontPrepareForDrawing(1);
  mwin->RenderMultilineText(-1, MWIN_ALIGN_RIGHT, 8, &box, nullptr, kText, 0, 0, 0);
  EngFontRestoreAfterDrawing();
  LitColumns(95, 200, &first, &last);
  EXPECT_LE(last, 392) << "right-aligned wrapped text ends one margin inside";
  EXPECT_GE(last, 385);
}

TEST_F(MWinRenderTextDisplayTest, NoFontOrNoTextDrawsNothing) {
  _Dimension box = {100, 100, 300, 40};
  Clear();
  mwin->RenderText(-2, MWIN_ALIGN_LEFT, 0, &box, nullptr, kText, 0, 1, 1);
  mwin->RenderText(0, MWIN_ALIGN_LEFT, 0, &box, nullptr, kText, 0, 1, 1);
  mwin->RenderText(-1, MWIN_ALIGN_LEFT, 0, &box, nullptr, "", 0, 1, 1);
  mwin->RenderText(-1, MWIN_ALIGN_LEFT, 0, nullptr, nullptr, kText, 0, 1, 1);
  mwin->RenderMultilineText(-1, MWIN_ALIGN_LEFT, 0, nullptr, nullptr, kText, 0, 1, 0);
  mwin->RenderMultilineText(-2, MWIN_ALIGN_LEFT, 0, &box, nullptr, kText, 0, 1, 0);
  int first, last;
  LitColumns(0, 479, &first, &last);
  EXPECT_EQ(last, -1);
}

TEST_F(MWinRenderTextDisplayTest, FontsAreMadeAgainAfterADeviceRecreation) {
  EngFont caller;
  ASSERT_EQ(mwin->GetFonts()->AddUserFontPointer("Mine", &caller), 0);
  mwin->DestroyGraphicsObjects();
  EXPECT_FALSE(mwin->GetFonts()->AreFontsLoaded());
  EXPECT_EQ(mwin->GetFonts()->GetFont(-1), nullptr);
  device->Destroy();
  ASSERT_TRUE(device->Create(1, 640, 480, 32, 60));
  ASSERT_TRUE(mwin->CreateGraphicsObjects());
  EXPECT_TRUE(mwin->GetFonts()->AreFontsLoaded());
  EXPECT_EQ(mwin->GetFonts()->GetFont(0), &caller);
  ASSERT_TRUE(MakeFontReady());
  Clear();
  mwin->RenderText(-1, MWIN_ALIGN_LEFT, 0, 100, 100, 400, 40, nullptr, kText, 0, 1, 0);
  int first, last;
  LitColumns(90, 150, &first, &last);
  EXPECT_NEAR(first, 100, 6);
  EXPECT_NEAR(last, 400, 10);
}

}  // namespace
}  // namespace qwtest
