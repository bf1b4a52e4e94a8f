// The script text box without a display: the tags read into paragraphs, the box's own copy of
// the text, line counts measured with a real font, and the scrollbar's range and scrolling.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Engine/EngFont.h"
#include "Engine/MWin/MWinCollectionController.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinScriptButton.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinVertScrollbar.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

const char *const kVeraBold = "/usr/share/fonts/truetype/ttf-bitstream-vera/VeraBd.ttf";
const float kScale = 0.5f;

TEST(MWinScriptParseTest, TagsStartParagraphsWithAStyleAndAnAlignment) {
  struct Par {
    int style, alignment, start, end, ends_line;
  };
  struct Case {
    const char *text;
    std::vector<Par> pars;
  } cases[] = {
      {"plain", {{-1, -1, 0, 5, 1}}},
      {"<1<Name>2>Value\n", {{1, 0, 3, 7, 0}, {2, 2, 10, 15, 1}}},
      {"<0>mid", {{0, 1, 3, 6, 1}}},
      {">5<own\nnext", {{5, -1, 3, 6, 1}, {-1, -1, 7, 11, 1}}},
      {"a\n\nb", {{-1, -1, 0, 1, 1}, {-1, -1, 2, 2, 1}, {-1, -1, 3, 4, 1}}},
      {"<6<x", {{-1, -1, 0, 4, 1}}},  // digit 6 and letters are text
      {"<a>x<1", {{-1, -1, 0, 6, 1}}},
      {"x<3<y", {{-1, -1, 0, 1, 0}, {3, 0, 4, 5, 1}}},
      {"", {}},
  };
  for (const Case &c : cases) {
    int count = MWinScriptParseParagraphs(c.text, nullptr);
    ASSERT_EQ(count, int(c.pars.size())) << c.text;
    std::vector<_MWinScriptParagraph> records(size_t(count) + 1);
    ASSERT_EQ(MWinScriptParseParagraphs(c.text, records.data()), count);
    for (int n = 0; n < count; n++) {
      const _MWinScriptParagraph &r = records[size_t(n)];
      const Par &p = c.pars[size_t(n)];
      EXPECT_EQ(r.style, p.style) << c.text << " #" << n;
      EXPECT_EQ(r.alignment, p.alignment) << c.text << " #" << n;
      EXPECT_EQ(r.start, p.start) << c.text << " #" << n;
      EXPECT_EQ(r.end, p.end) << c.text << " #" << n;
      EXPECT_EQ(r.ends_line, p.ends_line) << c.text << " #" << n;
      EXPECT_EQ(r.text_length, int(strlen(c.text)));
    }
  }
}

class MWinScriptButtonTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    ASSERT_TRUE(FileExists(kVeraBold)) << "install ttf-bitstream-vera";
    font = new EngFont();
    ASSERT_TRUE(font->CreateFromFontFile(kVeraBold, 1, 0, 24, 32, 126, nullptr, 0, 1, 1, 0, 0));
    ASSERT_GE(mwin->GetFonts()->AddUserFontPointer("Script", font), 0);
    window = AddWindow(Desktop()->AddCollection("C"), "W", 100, 100, 400, 300);
  }
  void TearDown() override {
    MWinTest::TearDown();
    delete font;
  }
  MWinScriptButton *AddBox(float w, float h) {
    MWinScriptButton *box = window->AddScriptButton("S", "MWIN_TEXBUT_NONE", 10, 10, w, h);
    box->SetFont("Script");
    box->SetTextScale(kScale, kScale);
    return box;
  }
  MWinLayoutSettings *Layout() { return mwin->GetLayoutSettings(); }
  int VisibleLines(float h) { return int((h - 2 * Layout()->script_margin_y) / (font->GetLineHeight() * kScale)); }

  EngFont *font = nullptr;
  MWinWindow *window = nullptr;
};

TEST_F(MWinScriptButtonTest, TheBoxShowsItsOwnCopyAndNeverWritesTheCallersText) {
  MWinScriptButton *box = AddBox(200, 150);
  char text[] = "<1<Name>2>Value\nSecond line";
  const std::string before = text;
  box->SetTextPointer(text);
  ASSERT_NE(box->GetScriptText(), nullptr);
  EXPECT_NE(box->GetScriptText(), text);
  EXPECT_EQ(before, text);
  EXPECT_TRUE(box->IsReady());
  text[3] = 'X';
  EXPECT_STREQ(box->GetScriptText(), before.c_str());
  box->Reload();
  EXPECT_EQ(box->GetNumParagraphs(), 3);
  // The button's own text can be shown too; a box without text says so.
  std::string log = Logged([&] { box->SetTextPointerToButtonText(); });
  EXPECT_NE(log.find("No text"), std::string::npos);
  box->SetText("From the button");
  box->SetTextPointerToButtonText();
  EXPECT_STREQ(box->GetScriptText(), "From the button");
}

TEST_F(MWinScriptButtonTest, ATextThatFitsShowsNoScrollbarAndUsesTheFullWidth) {
  MWinScriptButton *box = AddBox(200, 150);
  box->SetTextPointer("<1<Name>2>Value\n");
  ASSERT_EQ(box->GetNumParagraphs(), 2);
  // The label and the value share one line.
  EXPECT_EQ(box->GetParagraph(0)->lines, 0);
  EXPECT_EQ(box->GetParagraph(1)->lines, 1);
  EXPECT_EQ(box->GetParagraph(1)->first_line, 0);
  EXPECT_EQ(box->GetTotalLines(), 2);
  EXPECT_EQ(box->GetVisibleLines(), VisibleLines(150));
  EXPECT_FALSE(box->Overflows());
  EXPECT_FALSE(box->IsSideBarShown());
  EXPECT_FLOAT_EQ(box->GetTextAreaWidth(), 200);
  ASSERT_NE(box->GetScrollbar(), nullptr);
  EXPECT_FALSE(box->GetScrollbar()->IsShown());
  // The wheel has nothing to scroll.
  box->Activate();
  box->HandleMouseWheel(-1);
  EXPECT_FLOAT_EQ(box->GetFirstLine(), 0);
}

TEST_F(MWinScriptButtonTest, ATextThatOverflowsGetsAScrollbarOverItsHiddenLines) {
  MWinScriptButton *box = AddBox(200, 150);
  std::string text;
  for (int n = 0; n < 40; n++) text += "Line " + std::to_string(n) + "\n";
  box->SetTextPointer(text.c_str());
  ASSERT_EQ(box->GetNumParagraphs(), 40);
  const int total = 41, visible = VisibleLines(150);
  ASSERT_GT(visible, 1);
  EXPECT_EQ(box->GetTotalLines(), total);
  EXPECT_EQ(box->GetVisibleLines(), visible);
  EXPECT_TRUE(box->Overflows());
  EXPECT_TRUE(box->IsSideBarShown());
  EXPECT_FLOAT_EQ(box->GetTextAreaWidth(), 200 - Layout()->side_bar_width);
  MWinVertScrollbar *bar = box->GetScrollbar();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->IsShown());
  EXPECT_DOUBLE_EQ(bar->m_min, double(-0.1f));
  EXPECT_DOUBLE_EQ(bar->m_max, total - visible);
  EXPECT_DOUBLE_EQ(bar->m_page, visible);
  EXPECT_DOUBLE_EQ(bar->m_step, 1.0);
  const _Dimension *a = box->GetActualArea(), *b = bar->GetActualArea();
  EXPECT_FLOAT_EQ(b->x + b->width, a->x + a->width);
  EXPECT_FLOAT_EQ(b->height, a->height);

  // The wheel scrolls by lines; a step back that an arrow step can't make reaches the top.
  box->Activate();
  EXPECT_EQ(box->HandleMouseWheel(-1), 1);
  EXPECT_FLOAT_EQ(box->GetFirstLine(), 1);
  bar->SetPosDouble(0.5, 0, 0, 0);
  EXPECT_FLOAT_EQ(box->GetFirstLine(), 0.5f);
  box->HandleMouseWheel(1);
  EXPECT_FLOAT_EQ(box->GetFirstLine(), 0);
  EXPECT_DOUBLE_EQ(bar->GetPosDouble(), 0);
  // Keys reach the scrollbar: a page at a time.
  EXPECT_EQ(box->HandleKeyDown(249), 1);
  EXPECT_FLOAT_EQ(box->GetFirstLine(), float(visible));
  // Clearing keeps the text but drops the paragraphs and the side bar.
  box->ClearText();
  EXPECT_EQ(box->GetNumParagraphs(), 0);
  EXPECT_FALSE(box->IsSideBarShown());
  EXPECT_FALSE(bar->IsShown());
  box->Reload();
  EXPECT_EQ(box->GetNumParagraphs(), 40);
}

// The bar's notify reaches the window's controller, which removes the window with the box in
// it; the box's wheel handling stops there.
TEST_F(MWinScriptButtonTest, AWheelStepWhoseNotifyRemovesTheWindowEndsThere) {
  class Closer : public MWinCollectionController {
   public:
    char CreateCollection(MWin *) override { return 1; }
    void RemoveVars() override {}
    void StartingCB(void *) override {}
    void TickCB() override {}
    void RenderCB(_MWinRenderStage) override {}
    char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *) override {
      calls++;
      MWinWindow *w = button->GetWindow();
      w->GetCollection()->RemoveWindow(w);
      return 1;
    }
    int calls = 0;
  } closer;
  MWinScriptButton *box = AddBox(200, 150);
  std::string text;
  for (int n = 0; n < 40; n++) text += "Line " + std::to_string(n) + "\n";
  box->SetTextPointer(text.c_str());
  ASSERT_TRUE(box->Overflows());
  MWinCollection *c = window->GetCollection();
  mwin->MoveMouse(150.0f, 150.0f);
  ASSERT_TRUE(box->IsActive());
  mwin->MouseWheelMoved(-3);  // down first, so that the step back up moves the bar
  ASSERT_GT(box->GetFirstLine(), 0);
  window->SetController(&closer);
  mwin->MouseWheelMoved(1);
  EXPECT_EQ(closer.calls, 1);
  EXPECT_EQ(c->GetNumWindows(), 0);
}

TEST_F(MWinScriptButtonTest, AParagraphHoldsAnyNumberOfWrappedLines) {
  MWinScriptButton *box = AddBox(80, 150);
  std::string text;
  for (int n = 0; n < 300; n++) text += "wordy ";
  box->SetTextPointer((text + "\nlast").c_str());
  ASSERT_EQ(box->GetNumParagraphs(), 2);
  int lines = box->GetParagraph(0)->lines;
  EXPECT_GT(lines, 255);
  EXPECT_EQ(box->GetParagraph(1)->first_line, lines);
  EXPECT_EQ(box->GetTotalLines(), lines + 2);
  EXPECT_DOUBLE_EQ(box->GetScrollbar()->m_max, lines + 2 - box->GetVisibleLines());
}

TEST_F(MWinScriptButtonTest, BadStylesAndBrokenTextsAreReported) {
  MWinScriptButton *box = AddBox(200, 150);
  std::string log = Logged([&] {
    EXPECT_EQ(box->SetStyle(0, 1, 0, 0, 1, 1), 0);
    EXPECT_EQ(box->SetStyle(5, 1, 0, 0, 1, 1), 0);
    EXPECT_EQ(box->SetStyle(4, 1, 0, 0, 1, 2), 1);
  });
  EXPECT_NE(log.find("Style 0 is the button style and cannot be changed"), std::string::npos);
  EXPECT_NE(log.find("Invalid style num 5"), std::string::npos);
  // A tag at the very end leaves a paragraph that starts past the text: the text is cleared.
  log = Logged([&] { box->SetTextPointer("abc<1<"); });
  EXPECT_NE(log.find("1: Bad start pos 6 (6)."), std::string::npos) << log;
  EXPECT_EQ(box->GetNumParagraphs(), 0);
}

}  // namespace
}  // namespace qwtest
