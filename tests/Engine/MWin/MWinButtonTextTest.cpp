#include <gtest/gtest.h>

#include <string>

#include "Engine/EngLanguages.h"
#include "Engine/EngMain.h"
#include "Engine/MWin/MWinButton.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

class MWinButtonTextTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    EngLanguagesExit();
    MWinWindow *w = AddWindow(Desktop()->AddCollection("C"), "W", 0, 0, 200, 100);
    b = w->AddButton("B", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Start", 0, 0, 40, 20);
  }
  void TearDown() override {
    EngLanguagesExit();
    MWinTest::TearDown();
  }
  void StartLanguages() {
    WriteWholeFile(dir.File("English.txt"),
                   "Language=English\r\nFlagCountryCode=GB\r\nTWO=Upper#Lower!\r\nONE=Only\r\nTHREE=a#b#c\r\n");
    ASSERT_EQ(EngLanguagesInit(dir.Path().c_str(), nullptr, 1), 1);
    ASSERT_EQ(EngLanguagesInitFinished(), 1);
  }
  TempDir dir;
  MWinButton *b = nullptr;
};

TEST_F(MWinButtonTextTest, TextsAreOwnedCopiesCountedAndChecked) {
  EXPECT_STREQ(b->GetTextP(), "Start");
  EXPECT_EQ(b->GetTextAllocCount(), 1);
  std::string log = Logged([&] { EXPECT_FALSE(b->AllocAndSetText(2, "x")); });
  EXPECT_NE(log.find("Invalid text num"), std::string::npos);
  EXPECT_STREQ(b->GetTextP(), "Start");
  EXPECT_EQ(b->GetTextAllocCount(), 1);

  b->SetTexts("One", "Two");
  EXPECT_EQ(b->GetTextAllocCount(), 2);
  EXPECT_TRUE(b->HasText2());
  EXPECT_EQ(b->GetTextLength(1), 3);
  b->SetText2("");
  EXPECT_FALSE(b->HasText2());
  log = Logged([&] { EXPECT_EQ(b->GetTextP2(), nullptr); });
  EXPECT_NE(log.find("No text present. Ensure call HasText2() first."), std::string::npos);
  log = Logged([&] { EXPECT_FALSE(b->HasText(5)); });
  EXPECT_NE(log.find("Invalid text number 5"), std::string::npos);

  std::string long_text(600, 'q');
  b->SetTextPrintf("%s", long_text.c_str());
  EXPECT_EQ(std::string(b->GetTextP()), std::string(510, 'q'));
  b->SetMultilineTextPrintf("%d lines", 3);
  EXPECT_STREQ(b->GetTextP(), "3 lines");
  EXPECT_TRUE(b->IsMultiline());
  log = Logged([&] { b->SetText(std::string(520, 'z').c_str()); });
  EXPECT_NE(log.find("String too long"), std::string::npos);
  EXPECT_EQ(b->GetTextLength(0), 520);
}

TEST_F(MWinButtonTextTest, LanguageTokensCarryTheirSubTexts) {
  EXPECT_FALSE(b->SetTextLanguageToken("TWO"));  // no language texts yet
  StartLanguages();
  EXPECT_TRUE(b->SetTextLanguageToken("TWO"));
  EXPECT_TRUE(b->IsLanguageTokenMode());
  EXPECT_EQ(b->GetLanguageTokenSubTextCount(), 2);
  EXPECT_EQ(b->GetTextLength(0), 5);
  EXPECT_EQ(b->GetTextLength(1), 6);
  EXPECT_STREQ(b->GetTextP(), "Start");  // kept, not drawn
  b->NewLanguageSet();
  EXPECT_STREQ(b->GetLanguageToken(), "TWO");

  Logged([&] { EXPECT_FALSE(b->SetTextLanguageToken("MISSING")); });
  EXPECT_FALSE(b->IsLanguageTokenMode());
  EXPECT_STREQ(b->GetLanguageToken(), "");
  EXPECT_EQ(b->GetTextLength(0), 5);
  EXPECT_FALSE(b->SetTextLanguageToken(std::string(64, 'T').c_str()));

  EXPECT_TRUE(b->SetTextLanguageToken("THREE"));
  EXPECT_EQ(b->GetLanguageTokenSubTextCount(), 3);
  b->SetText("Plain");
  EXPECT_FALSE(b->IsLanguageTokenMode());
}

TEST_F(MWinButtonTextTest, FontsFallBackToTheStandardOne) {
  EXPECT_EQ(b->GetFontNum(), -1);
  std::string log = Logged([&] { EXPECT_FALSE(b->SetFont("Nope")); });
  EXPECT_NE(log.find("User font <Nope> not found"), std::string::npos) << log;
  EXPECT_STREQ(b->GetFontID(), "MWIN_FONT_DEFAULT");
  EXPECT_EQ(b->GetFontNum(), -1);
  EXPECT_TRUE(b->SetFont("MWIN_FONT_NONE"));
  EXPECT_EQ(b->GetFontNum(), -2);
  log = Logged([&] { EXPECT_FALSE(b->SetFont("")); });
  EXPECT_NE(log.find("Font id is empty"), std::string::npos);
  EXPECT_EQ(b->GetFontNum(), -1);
}

TEST_F(MWinButtonTextTest, ColouringTintsTheBackAndTheTextUntilTheTextColourIsSet) {
  _ColourRGBA c;
  b->GetColour(&c);
  EXPECT_FLOAT_EQ(c.g, 1);
  b->SetTransparency(1);
  EXPECT_EQ(b->GetColouringMode(), 0);
  b->SetColour(0.5f, 0.5f, 0.5f, 1);
  EXPECT_EQ(b->GetColouringMode(), 1);
  b->SetTextColour(1, -1, 0);
  EXPECT_EQ(b->GetColouringMode(), 2);
  b->GetTextColour(&c);
  EXPECT_FLOAT_EQ(c.r, 1);
  EXPECT_FLOAT_EQ(c.g, 0);  // kept
  b->SetTransparency(0.25f);
  EXPECT_FLOAT_EQ(b->GetTransparency(), 0.25f);
  b->SetColour(static_cast<const _ColourRGBA *>(nullptr));
  EXPECT_EQ(b->GetColouringMode(), 0);
  EXPECT_FLOAT_EQ(b->GetTransparency(), 1);
  EXPECT_FLOAT_EQ(b->GetColour()->r, 1);
}

TEST_F(MWinButtonTextTest, AScrollingTextReplacesTheTextsAndMoves) {
  b->SetScrollingText("News of the day", 2.0f);
  EXPECT_FALSE(b->HasText());
  EXPECT_EQ(b->GetTextAllocCount(), 0);
  EXPECT_EQ(b->GetTextAlign(), MWIN_ALIGN_LEFT);
  EXPECT_FLOAT_EQ(b->GetScrollingTextPos(), 10);
  eng_main_frames_per_second = 1.0f / 60.0f;
  b->ScrollingTextTick();
  EXPECT_FLOAT_EQ(b->GetScrollingTextPos(), 12);
  EXPECT_EQ(b->Tick(), 1);  // the widget's frame moves it too
  EXPECT_FLOAT_EQ(b->GetScrollingTextPos(), 14);
  b->Disable();
  EXPECT_EQ(b->Tick(), 0);
  b->SetScrollingText(nullptr, 1);
  EXPECT_EQ(b->GetScrollingText(), nullptr);
}

TEST_F(MWinButtonTextTest, TextLimitsAreSymmetric) {
  float left = 0, right = 0;
  b->GetTextXLimits(&left, &right, 5);
  EXPECT_FLOAT_EQ(left, 5);
  EXPECT_FLOAT_EQ(right, 35);
  MWinButton *box = b->GetWindow()->AddButton("X", MWIN_BUTTON_CHECKBOX, "MWIN_TEXBUT_NONE", "t", 0, 0, 100, 20);
  box->GetTextXLimits(&left, &right, 5);
  EXPECT_FLOAT_EQ(100 - right, left - 0);  // the checkbox's inset on the right is used on both sides
  EXPECT_GT(left, 5);
}

TEST_F(MWinButtonTextTest, CopyingTakesTheOtherButtonsLookAndTexts) {
  MWinButton *other = b->GetWindow()->AddButton("O", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Theirs", 5, 6, 70, 30);
  other->SetTexts("Theirs", "Second");
  other->SetTextAlign(MWIN_ALIGN_RIGHT);
  other->Disable();
  EXPECT_TRUE(b->CopyFromOtherButton(other, 1));
  EXPECT_STREQ(b->GetID(), "O");
  EXPECT_EQ(b->GetType(), MWIN_BUTTON_STATIC);
  EXPECT_STREQ(b->GetTextP2(), "Second");
  EXPECT_FLOAT_EQ(b->GetOrigArea()->width, 70);
  EXPECT_FALSE(b->IsEnabled());
  EXPECT_EQ(b->GetTextAlign(), MWIN_ALIGN_RIGHT);
  std::string log = Logged([&] { EXPECT_FALSE(b->CopyFromOtherButton(nullptr, 0)); });
  EXPECT_NE(log.find("No button."), std::string::npos);
}

}  // namespace
}  // namespace qwtest
