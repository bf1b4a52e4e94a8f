// Widgets drawn on the real device: the back in each state, texts narrowed to fit, wrapped,
// split into two lines from a language token, and dimmed when disabled.
#include <gtest/gtest.h>

#include <functional>

#include "Engine/EngFont.h"
#include "Engine/EngLanguages.h"
#include "Engine/MWin/MWinButton.h"
#include "tests/Engine/MWin/MWinWidgetDisplayTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

class MWinButtonDisplayTest : public MWinWidgetDisplayTest {
 protected:
  MWinButton *AddLabel(const char *text, float x, float y, float w, float h) {
    MWinButton *b = window->AddButton("L", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", text, x, y, w, h);
    b->SetTextColour(1, 1, 1, 1);
    return b;
  }
  // Rows and columns with a lit (red above 128) pixel inside the rectangle.
  static Found LitIn(int x0, int y0, int x1, int y1) {
    return FindPixels(x0, y0, x1, y1, [](const unsigned char *p) { return p[0] > 128; });
  }
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
  Found lit = LitIn(0, 100, 639, 139);
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
  Found lit = LitIn(0, 0, 639, 479);
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
  Found one = LitIn(0, 150, 639, 310);
  ASSERT_GE(one.first_y, 0);

  // The same word twice, 10 units above and below the middle: lit 10 more on each side.
  ASSERT_TRUE(b->SetTextLanguageToken("TWO"));
  mwin->RenderMain();
  Found two = LitIn(0, 150, 639, 310);
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
