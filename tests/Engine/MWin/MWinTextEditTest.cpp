#include "Engine/MWin/MWinTextEdit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Engine/EngWindow.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/Engine/MWin/ScreensTestSupport.h"

namespace qwtest {
namespace {

std::vector<int> statuses;

void RecordStatus(MWin *, _MWinButtonCallbackInfo *info, int, int) { statuses.push_back(info->text_edit_status); }

class MWinTextEditTest : public MWinTest {
 protected:
  void SetUp() override {
    program.reset(CountingProgram::Make());
    main_window = new EngWindow(program.get(), "tests");
    eng_main_window = main_window;
    MWinTest::SetUp();
    // The pointer stays where the test last put it, as a real one would.
    mwin->SetGetCursorPosCB(
        [](int *x, int *y, void *a, void *) {
          auto *self = static_cast<MWinTextEditTest *>(a);
          *x = int(self->cursor_x);
          *y = int(self->cursor_y);
        },
        this, nullptr);
    window = AddWindow(Desktop()->AddCollection("C"), "W", 0, 0, 640, 480);
    edit = dynamic_cast<MWinTextEdit *>(
        window->AddButton("E", MWIN_BUTTON_TEXT_EDIT, "MWIN_TEXBUT_NONE", nullptr, 100, 100, 200, 20));
    ASSERT_NE(edit, nullptr);
    statuses.clear();
  }
  void TearDown() override {
    MWinTest::TearDown();
    eng_main_window = nullptr;
    delete main_window;
    program.reset();
  }
  void ClickAt(float x, float y) {
    cursor_x = x;
    cursor_y = y;
    Click(x, y);
  }
  void StartEditing() {
    ClickAt(150, 110);
    ASSERT_TRUE(edit->TextEditIsTextBeingEdited());
  }
  // Positive steps are typed characters, negative ones key codes.
  void Run(const std::vector<int> &steps) {
    for (int s : steps) {
      if (s >= 0)
        mwin->KeyDownUChar((unsigned char)s);
      else
        mwin->KeyDown(-s);
    }
  }
  static std::vector<int> Typed(const std::string &text) { return std::vector<int>(text.begin(), text.end()); }

  std::unique_ptr<CountingProgram> program;
  EngWindow *main_window = nullptr;
  MWinWindow *window = nullptr;
  MWinTextEdit *edit = nullptr;
  float cursor_x = 0, cursor_y = 0;
};

TEST_F(MWinTextEditTest, EditingSequences) {
  const int home = -250, end = -251, left = -244, right = -245, del = -8, back = -127;
  struct Case {
    const char *name;
    _MWinButtonTextEditType kind;
    int max;
    const char *start;
    std::vector<int> steps;
    const char *want;
    int cursor;
  } cases[] = {
      {"typing", MWIN_TEXTEDIT_TEXT, 511, "", Typed("Hello"), "Hello", 5},
      {"insert in the middle", MWIN_TEXTEDIT_TEXT, 511, "ac", {home, right, 'b'}, "abc", 2},
      {"delete forwards and backwards", MWIN_TEXTEDIT_TEXT, 511, "abcd", {home, del, end, back}, "bc", 2},
      {"nothing to delete at the ends", MWIN_TEXTEDIT_TEXT, 511, "ab", {end, del, home, back}, "ab", 0},
      {"cursor keys stay within the text", MWIN_TEXTEDIT_TEXT, 511, "ab", {left, left, left, right}, "ab", 1},
      {"the limit", MWIN_TEXTEDIT_TEXT, 3, "", Typed("abcde"), "abc", 3},
      {"refused control characters", MWIN_TEXTEDIT_TEXT, 511, "", {9, 13, 27, 127, 'x'}, "x", 1},
      {"number in order", MWIN_TEXTEDIT_NUMBER, 511, "", Typed("-1.5.-2"), "-1.52", 5},
      {"number minus only first", MWIN_TEXTEDIT_NUMBER, 511, "", Typed("1-a2"), "12", 2},
      {"ip address", MWIN_TEXTEDIT_IP_ADDRESS, 63, "", Typed("192.1688.0..1"), "192.168.0.1", 11},
      {"ip no leading point", MWIN_TEXTEDIT_IP_ADDRESS, 63, "", Typed(".1.x"), "1.", 2},
      {"e-mail", MWIN_TEXTEDIT_EMAIL, 511, "", Typed("a b@c\td"), "ab@cd", 5},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    edit->TextEditSetLength(c.max);
    edit->TextEditSetText(c.start);
    edit->TextEditSetType(c.kind);
    StartEditing();
    Run(c.steps);
    EXPECT_STREQ(edit->TextEditGetText(), c.want);
    EXPECT_STREQ(edit->GetTextP() ? edit->GetTextP() : "", c.want) << "the field shows what is typed";
    EXPECT_EQ(edit->TextEditGetCursor(), c.cursor);
    mwin->KeyDown(13);
    EXPECT_FALSE(edit->TextEditIsTextBeingEdited());
    EXPECT_STREQ(edit->TextEditGetText(), c.want);
  }
}

TEST_F(MWinTextEditTest, EnterAndEscapeBothKeepTheTextAndWriteTheVariableOnlyTheStatusDiffers) {
  char name[16] = "Bob";
  edit->TextEditRegisterStringVariable(name, sizeof(name));
  edit->SetCallback(RecordStatus, 0, 0, 0);
  EXPECT_EQ(edit->TextEditGetLength(), 15);
  StartEditing();
  Run(Typed("by"));
  mwin->KeyDown(27);
  EXPECT_STREQ(name, "Bobby");
  EXPECT_STREQ(edit->GetTextP(), "Bobby");
  StartEditing();
  Run({-127});
  mwin->KeyDown(13);
  EXPECT_STREQ(name, "Bobb");
  EXPECT_EQ(statuses, (std::vector<int>{0, 1}));

  int number = 42;
  edit->TextEditRegisterIntVariable(&number, 6);
  EXPECT_EQ(edit->TextEditGetType(), MWIN_TEXTEDIT_NUMBER);
  EXPECT_STREQ(edit->TextEditGetText(), "42");
  StartEditing();
  Run(Typed("7"));
  ClickAt(5, 5);  // a click outside ends editing, not accepted
  EXPECT_FALSE(edit->TextEditIsTextBeingEdited());
  EXPECT_EQ(number, 427);
  EXPECT_EQ(statuses.back(), 0);
}

TEST_F(MWinTextEditTest, ThePerKeyCallbackReportsEveryChange) {
  edit->SetCallback(RecordStatus, 0, 0, 0);
  edit->TextEditCallCallbackForEachKeyPress();
  StartEditing();
  Run({'a', 'b', -127, -244});
  EXPECT_EQ(statuses, (std::vector<int>{255, 255, 255}));
  mwin->KeyDown(13);
  EXPECT_EQ(statuses.back(), 1);
}

TEST_F(MWinTextEditTest, LimitsAndCopiesIntoCallersBuffers) {
  std::string log = Logged([&] { edit->TextEditSetLength(600); });
  EXPECT_NE(log.find("Length too long: 600"), std::string::npos);
  EXPECT_EQ(edit->TextEditGetLength(), 511);

  edit->TextEditSetLength(10);
  edit->TextEditSetText("abcdefghijklmn");
  EXPECT_STREQ(edit->TextEditGetText(), "abcdefghij");
  char small[10] = "old", fits[11];
  // A field that may hold ten letters never writes into a buffer of ten bytes.
  Logged([&] { EXPECT_FALSE(edit->TextEditGetText2(small, sizeof(small))); });
  EXPECT_STREQ(small, "");
  EXPECT_TRUE(edit->TextEditGetText2(fits, sizeof(fits)));
  EXPECT_STREQ(fits, "abcdefghij");

  edit->TextEditSetNumber(-35);
  EXPECT_EQ(edit->TextEditGetNumber(), -35);
  edit->TextEditSetText("x");
  EXPECT_EQ(edit->TextEditGetNumber(), 0);
}

TEST_F(MWinTextEditTest, TabAndEnterStartEditingAndTheFieldKeepsFocusWhileEditing) {
  cursor_x = cursor_y = 400;
  mwin->MoveMouse(400.0f, 400.0f);
  window->HandleKeyDown(9);  // the tab stop moves the pointer onto the field and starts editing
  EXPECT_TRUE(edit->TextEditIsTextBeingEdited());
  EXPECT_TRUE(mwin->IsTextBeingEdited());
  mwin->MoveMouse(500.0f, 400.0f);
  EXPECT_TRUE(edit->IsActive());
  mwin->KeyDownUChar('z');
  EXPECT_STREQ(edit->TextEditGetText(), "z");
  edit->Deactivate();
  EXPECT_FALSE(edit->TextEditIsTextBeingEdited());
}

}  // namespace
}  // namespace qwtest
