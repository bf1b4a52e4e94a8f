// Widgets drawn on the real device: the back in each state, texts narrowed to fit, wrapped,
// split into two lines from a language token, and dimmed when disabled.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "Engine/EngFont.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinWindow.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/MWin/MWinSkinTestSupport.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

const char *const kVeraBold = "/usr/share/fonts/truetype/ttf-bitstream-vera/VeraBd.ttf";

class MWinButtonDisplayTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    ASSERT_TRUE(FileExists(kVeraBold)) << "install ttf-bitstream-vera";
    EngWhichDeviceResetForTests();
    EngLanguagesExit();
    SetWindowSizeForToolkit(640, 480);
    mwin = new MWin(nullptr);
    _MWinFontParams params;
    memset(&params, 0, sizeof(params));
    params.size = 24;
    params.min_char = 32;
    params.max_char = 126;
    params.x_scale = params.y_scale = 1;
    ASSERT_TRUE(mwin->GetFonts()->AddStandardFont(kVeraBold, &params));
    ASSERT_TRUE(mwin->Startup());
    ASSERT_TRUE(SetupTestSkin(mwin, dir.Path()));
    ASSERT_TRUE(mwin->CreateGraphicsObjects());
    mwin->SetClearMethod(MWIN_CLEAR_COLOUR, nullptr);
    device->SetClearColour(0, 0, 0);
    MWinCollection *c = mwin->GetDesktop()->AddCollection("C");
    _MWinWindowCreateInfo info = {};
    info.x = 0;
    info.y = 0;
    info.width = 640;
    info.height = 480;
    MWinCopyID(info.back_texbut, "MWIN_TEXBUT_NONE");
    window = c->AddWindow("W", &info);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    delete mwin;
    EngLanguagesExit();
    DeviceTest::TearDown();
  }
  MWinButton *AddLabel(const char *text, float x, float y, float w, float h) {
    MWinButton *b = window->AddButton("L", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", text, x, y, w, h);
    b->SetTextColour(1, 1, 1, 1);
    return b;
  }
  // Rows and columns with a lit (red above 128) pixel inside the rectangle.
  struct Lit {
    int first_x = -1, last_x = -1, first_y = -1, last_y = -1;
  };
  static Lit LitIn(int x0, int y0, int x1, int y1) {
    std::vector<unsigned char> rgba(640 * 480 * 4);
    glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    Lit lit;
    for (int y = y0; y <= y1; y++)
      for (int x = x0; x <= x1; x++)
        if (rgba[((479 - y) * 640 + x) * 4] > 128) {
          if (lit.first_x < 0 || x < lit.first_x) lit.first_x = x;
          if (x > lit.last_x) lit.last_x = x;
          if (lit.first_y < 0) lit.first_y = y;
          lit.last_y = y;
        }
    return lit;
  }

  TempDir dir;
  MWin *mwin = nullptr;
  MWinWindow *window = nullptr;
};

TEST_F(MWinButtonDisplayTest, ThePushButtonsBackIsDrawnInEachState) {
  MWinButton *b = window->AddButton("B", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", nullptr, 200, 200, 120, 40);
  ASSERT_TRUE(b->HasBackTex());
  // The test skin's push button is (0.55, 0.65, 0.85), tinted per state by the default skin.
  struct Case {
    std::function<void()> set;
    _MWinTextureState state;
    float tint;
  } cases[] = {
      {[] {}, MWIN_TEXSTATE_NORMAL, 0.85f},
      {[&] { b->Activate(); }, MWIN_TEXSTATE_HIGHLIGHTED, 1.0f},
      {[&] { b->SetPressed(1); }, MWIN_TEXSTATE_PRESSED, 0.7f},
      {[&] { b->Disable(); }, MWIN_TEXSTATE_DISABLED, 0.45f},
  };
  for (const Case &c : cases) {
    c.set();
    EXPECT_EQ(b->GetRenderState(), c.state);
    mwin->RenderMain();
    unsigned char rgb[3];
    ReadPixel(260, 220, rgb);
    EXPECT_NEAR(rgb[0], 255 * 0.55f * c.tint, 4) << c.state;
    EXPECT_NEAR(rgb[2], 255 * 0.85f * c.tint, 4) << c.state;
  }
  // Nothing outside the button, and nothing at all once hidden or fully transparent.
  unsigned char rgb[3];
  ReadPixel(190, 220, rgb);
  EXPECT_EQ(rgb[0], 0);
  b->SetOverrideRenderState(MWIN_TEXSTATE_HIGHLIGHTED);
  EXPECT_EQ(b->GetRenderState(), MWIN_TEXSTATE_HIGHLIGHTED);
  b->SetTransparency(0);
  mwin->RenderMain();
  ReadPixel(260, 220, rgb);
  EXPECT_EQ(rgb[0], 0);
  b->SetTransparency(1);
  b->Hide();
  mwin->RenderMain();
  ReadPixel(260, 220, rgb);
  EXPECT_EQ(rgb[0], 0);
}

TEST_F(MWinButtonDisplayTest, ALongLineIsNarrowedToTheButtonOrLeftToOverflow) {
  const char *text = "A line far too wide for its little label";
  MWinButton *b = AddLabel(text, 200, 100, 120, 40);
  b->SetShrinkTextToFit(1);
  mwin->RenderMain();
  Lit lit = LitIn(0, 100, 639, 139);
  ASSERT_GE(lit.first_x, 0);
  EXPECT_GE(lit.first_x, 200);
  EXPECT_LE(lit.last_x, 320);
  EXPECT_GT(lit.last_x - lit.first_x, 90);  // it still fills the button

  b->SetShrinkTextToFit(0);
  mwin->RenderMain();
  lit = LitIn(0, 100, 639, 139);
  EXPECT_LT(lit.first_x, 190);  // centred and overflowing on both sides
  EXPECT_GT(lit.last_x, 330);
}

TEST_F(MWinButtonDisplayTest, MultilineTextIsWrappedWithinTheButton) {
  MWinButton *b = AddLabel(nullptr, 100, 100, 150, 200);
  b->SetMultilineText("Several short words that cannot share one line in so narrow a box");
  b->SetTextAlign(MWIN_ALIGN_LEFT);
  mwin->RenderMain();
  Lit lit = LitIn(0, 0, 639, 479);
  ASSERT_GE(lit.first_x, 0);
  EXPECT_GE(lit.first_x, 100);
  EXPECT_LE(lit.last_x, 250);
  EXPECT_GT(lit.last_y - lit.first_y, 100);  // several lines
  float w = 0, h = 0;
  EXPECT_TRUE(b->CalcMultilineTextBoxSize(&w, &h));
  EXPECT_GT(h, 40);
  EXPECT_LE(w, 150);
}

TEST_F(MWinButtonDisplayTest, ATokenWithTwoSubTextsIsDrawnAsTwoLines) {
  WriteWholeFile(dir.File("English.txt"),
                 "Language=English\r\nFlagCountryCode=GB\r\nONE=Upper\r\nTWO=Upper#Upper\r\nTHREE=a#b#c\r\n");
  ASSERT_EQ(EngLanguagesInit(dir.Path().c_str(), nullptr, 1), 1);
  ASSERT_EQ(EngLanguagesInitFinished(), 1);
  MWinButton *b = AddLabel(nullptr, 200, 200, 200, 60);
  ASSERT_TRUE(b->SetTextLanguageToken("ONE"));
  mwin->RenderMain();
  Lit one = LitIn(0, 150, 639, 310);
  ASSERT_GE(one.first_y, 0);

  // The same word twice, 10 units above and below the middle: lit 10 more on each side.
  ASSERT_TRUE(b->SetTextLanguageToken("TWO"));
  mwin->RenderMain();
  Lit two = LitIn(0, 150, 639, 310);
  EXPECT_NEAR(two.first_y, one.first_y - 10, 1);
  EXPECT_NEAR(two.last_y, one.last_y + 10, 1);
  EXPECT_NEAR(two.first_x, one.first_x, 2);

  ASSERT_TRUE(b->SetTextLanguageToken("THREE"));
  mwin->RenderMain();
  EXPECT_EQ(LitIn(0, 150, 639, 310).first_x, -1);
}

TEST_F(MWinButtonDisplayTest, ADisabledWidgetsTextIsDimmed) {
  mwin->GetSettings()->text_alpha_multiplier = 0.5f;
  MWinButton *b = AddLabel("Text", 10, 10, 100, 30);
  EngFont *font = b->GetTextFont();
  ASSERT_NE(font, nullptr);
  _ColourRGBA c;
  b->UpdateTextFontColourAndScale();
  font->GetColour(&c);
  EXPECT_FLOAT_EQ(c.a, 1.0f);
  b->Disable();
  b->UpdateTextFontColourAndScale();
  font->GetColour(&c);
  EXPECT_FLOAT_EQ(c.a, 0.5f);

  // Colouring tints the text too, until the text colour is set again.
  b->Enable();
  b->SetColour(0.5f, 0.5f, 0.5f, 1);
  b->UpdateTextFontColourAndScale();
  font->GetColour(&c);
  EXPECT_FLOAT_EQ(c.r, 0.5f);
  b->SetTextColour(1, 1, 1, 1);
  b->UpdateTextFontColourAndScale();
  font->GetColour(&c);
  EXPECT_FLOAT_EQ(c.r, 1.0f);
}

}  // namespace
}  // namespace qwtest
