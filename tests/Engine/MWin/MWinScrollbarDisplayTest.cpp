// Scrollbars and the script text box drawn on the real device: the thumb where the value puts
// it, styled paragraphs sharing a line, and a text scrolled by part of a line.
#include <gtest/gtest.h>

#include <string>

#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Engine/MWin/MWinScriptButton.h"
#include "Engine/MWin/MWinVertScrollbar.h"
#include "tests/Engine/MWin/MWinWidgetDisplayTestSupport.h"

namespace qwtest {
namespace {

bool Lit(const unsigned char *p) { return p[0] > 60 || p[1] > 60 || p[2] > 60; }
bool Red(const unsigned char *p) { return p[0] > 128 && p[1] < 80; }
bool Green(const unsigned char *p) { return p[1] > 128 && p[0] < 80; }

class MWinScrollbarDisplayTest : public MWinWidgetDisplayTest {};

TEST_F(MWinScrollbarDisplayTest, TheThumbIsDrawnWhereTheValuePutsIt) {
  MWinHorzScrollbar *h = window->AddHorzScrollbar("H", "MWIN_TEXBUT_NONE", nullptr, 100, 100, 300, 30);
  MWinVertScrollbar *v = window->GetFirstGroup()->AddVertScrollbar("V", "MWIN_TEXBUT_NONE", nullptr, 500, 100, 30, 300);
  h->SetValues(0, 100, 0, 0);
  v->SetValues(0, 100, 0, 0);
  for (double value : {0.0, 40.0, 100.0}) {
    h->SetPosDouble(value, 0, 0, 0);
    v->SetPosDouble(value, 0, 0, 0);
    mwin->RenderMain();
    Found fh = FindPixels(100, 100, 399, 129, Lit);
    ASSERT_GE(fh.first_x, 0) << value;
    EXPECT_NEAR(fh.first_x, h->GetScreenXPos(), 1.5) << value;
    EXPECT_NEAR(fh.last_x + 1, h->GetScreenXPos() + h->GetThumbLength(), 1.5) << value;
    Found fv = FindPixels(500, 100, 529, 399, Lit);
    ASSERT_GE(fv.first_y, 0) << value;
    EXPECT_NEAR(fv.first_y, v->GetScreenYPos(), 1.5) << value;
    EXPECT_NEAR(fv.last_y + 1, v->GetScreenYPos() + v->GetThumbLength(), 1.5) << value;
  }
  // With arrows the track is shorter and the arrows are drawn at the ends.
  h->TurnOnArrows(1);
  h->SetPosDouble(0, 0, 0, 0);
  mwin->RenderMain();
  Found with_arrows = FindPixels(100, 100, 399, 129, Lit);
  EXPECT_LT(with_arrows.first_x, int(h->GetScreenXPos()) - 2);
  EXPECT_GT(with_arrows.last_x, int(h->GetScreenXPos() + h->GetThumbLength()) + 100);
}

class MWinScriptButtonDisplayTest : public MWinScrollbarDisplayTest {
 protected:
  MWinScriptButton *AddBox(const char *text) {
    MWinScriptButton *box = window->AddScriptButton("S", "MWIN_TEXBUT_NONE", 100, 100, 400, 200);
    box->SetTextScale(0.5f, 0.5f);
    box->SetStyle(1, 1, 0, 0, 1, 0);
    box->SetStyle(2, 0, 1, 0, 1, 0);
    box->SetTextPointer(text);
    return box;
  }
};

TEST_F(MWinScriptButtonDisplayTest, ALabelAndItsValueShareALineInTheirOwnStyles) {
  MWinScriptButton *box = AddBox("<1<Name>2>Value\n");
  EXPECT_FALSE(box->IsSideBarShown());
  mwin->RenderMain();
  Found name = FindPixels(100, 100, 499, 299, Red);
  Found value = FindPixels(100, 100, 499, 299, Green);
  ASSERT_GE(name.first_x, 0);
  ASSERT_GE(value.first_x, 0);
  EXPECT_LT(name.last_x, 300);   // at the left
  EXPECT_GT(value.first_x, 300);  // at the right
  EXPECT_GE(value.last_x, 480);
  EXPECT_LE(value.last_x, 500);
  EXPECT_NEAR(name.first_y, value.first_y, 3);  // one line
}

TEST_F(MWinScriptButtonDisplayTest, PartOfALineScrollsSmoothly) {
  std::string text;
  for (int n = 0; n < 24; n++) text += (n % 2 ? "<2<Green line\n" : "<1<Red line\n");
  MWinScriptButton *box = AddBox(text.c_str());
  ASSERT_TRUE(box->IsSideBarShown());
  const float line = mwin->GetFonts()->GetStandardFont()->GetLineHeight() * 0.5f;
  const int top = int(box->GetActualArea()->y + mwin->GetLayoutSettings()->script_margin_y);
  // What one row of the text shows: 'R' red only, 'G' green only, else '.'.
  auto row = [&](int y) {
    bool red = FindPixels(100, y, 470, y, Red).first_y >= 0, green = FindPixels(100, y, 470, y, Green).first_y >= 0;
    return red && !green ? 'R' : green && !red ? 'G' : '.';
  };
  // Glyphs reach into the next line, so a line is found where its colour alone begins.
  auto scroll_to = [&](double first_line) {
    box->GetScrollbar()->SetPosDouble(first_line, 0, 0, 0);
    EXPECT_FLOAT_EQ(box->GetFirstLine(), float(first_line));
    mwin->RenderMain();
    for (int y = top + 1; y < top + 100; y++)
      if (row(y) == 'R' && row(y - 1) != 'R') return y;
    return -1;
  };
  int at_three = scroll_to(3.0);
  EXPECT_EQ(row(top), 'G');  // the fourth line, green, is first
  int at_two = scroll_to(2.0);
  EXPECT_EQ(row(top), 'R');
  int at_two_and_half = scroll_to(2.5);
  ASSERT_GT(at_three, 0);
  EXPECT_NEAR(at_two - at_three, line, 1.0);
  EXPECT_NEAR(at_two_and_half - at_three, line / 2, 1.0);
  // Nothing is drawn above the box, and the scrollbar stands at its right edge.
  EXPECT_LT(FindPixels(0, 0, 639, 99, Lit).first_y, 0);
  EXPECT_LT(FindPixels(100, 100, 470, top - 1, Lit).first_y, 0);
  EXPECT_GE(FindPixels(470, 100, 499, 299, Lit).first_y, 0);
}

}  // namespace
}  // namespace qwtest
