#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Engine/EngToolkit.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinPanel.h"
#include "Engine/MWin/MWinTextEdit.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/Engine/MWin/ScreensTestSupport.h"

namespace qwtest {
namespace {

struct Answer {
  char result;
  bool popup_was_on;
};
std::vector<Answer> answers;

void Record(MWin *mwin, char result, void *user) {
  answers.push_back({result, mwin->PopupIsOn() != 0});
  if (user) *static_cast<int *>(user) += 1;
}

// For the list popups, whose user pointer goes to the item texts.
void RecordOnly(MWin *mwin, char result, void *) { Record(mwin, result, nullptr); }

// Opens one kind of popup with a title, a text, the callback and its user pointer.
typedef std::function<char(MWin *, MWIN_POPUP_CALLBACK, void *)> Show;
#define SHOW(op) [](MWin *m, MWIN_POPUP_CALLBACK cb, void *u) { return m->op("Title", "A question", cb, u); }

// A screen under the popup, a program and a main window so callbacks find their widgets again.
class MWinPopupTest : public MWinTest {
 protected:
  void SetUp() override {
    program.reset(CountingProgram::Make());
    main_window = new EngWindow(program.get(), "tests");
    eng_main_window = main_window;
    MWinTest::SetUp();
    mwin->SetGetCursorPosCB(
        [](int *x, int *y, void *a, void *) {
          auto *self = static_cast<MWinPopupTest *>(a);
          *x = int(self->cursor_x);
          *y = int(self->cursor_y);
        },
        this, nullptr);
    screen = Desktop()->AddCollection("SCREEN");
    screen_window = AddWindow(screen, "W", 0, 0, 640, 480);
    AddCountingButton(screen_window, "Behind", 0, 0, 640, 480);
    answers.clear();
  }
  void TearDown() override {
    MWinTest::TearDown();
    eng_main_window = nullptr;
    delete main_window;
    program.reset();
    SteppingClock::Remove();
    EngMainSetSleepForTests(nullptr);
  }
  MWinButton *PopupButton(const char *id) { return mwin->GetButtonFromIDs("MWIN_POPUP", "MWIN_POPUP_WIN", id, 0); }
  void Press(const char *id) {
    MWinButton *b = PopupButton(id);
    ASSERT_NE(b, nullptr) << id;
    const _Dimension *a = b->GetActualArea();
    cursor_x = a->x + a->width / 2;
    cursor_y = a->y + a->height / 2;
    Click(cursor_x, cursor_y);
  }
  void Key(int key) {
    mwin->KeyDown(key);
    mwin->Tick2();  // the queued press of a default or escape button
  }
  // The toolkit as it was before the popup: the screen active and taking input, no darkening.
  void ExpectLeftAsFound() {
    EXPECT_FALSE(mwin->PopupIsOn());
    EXPECT_EQ(Desktop()->GetCollectionFromID("MWIN_POPUP", 0), nullptr);
    EXPECT_EQ(mwin->GetPopupCollection(), nullptr);
    EXPECT_TRUE(screen->IsActive());
    EXPECT_TRUE(screen_window->IsActive());
    EXPECT_EQ(mwin->GetSettings()->activate_collection_under_mouse, 1);
    EXPECT_EQ(mwin->GetPopupState()->saved_activate_collection, -1);
    int before = Presses("Behind");
    Click(5, 5);
    EXPECT_EQ(Presses("Behind"), before + 1) << "the screen takes clicks again";
  }

  std::unique_ptr<CountingProgram> program;
  EngWindow *main_window = nullptr;
  MWinCollection *screen = nullptr;
  MWinWindow *screen_window = nullptr;
  float cursor_x = 0, cursor_y = 0;
};

TEST_F(MWinPopupTest, EachButtonAnswersOnceAfterThePopupHasClosed) {
  struct Case {
    const char *name;
    Show show;
    const char *press;
    char result;
  } cases[] = {
      {"message", SHOW(PopupMessage), "OK", 1},
      {"error", SHOW(PopupErrorMessage), "OK", 1},
      {"ok of ok/cancel", SHOW(PopupOkCancel), "OK", 1},
      {"cancel of ok/cancel", SHOW(PopupOkCancel), "CANCEL", 0},
      {"yes of yes/no", SHOW(PopupYesNo), "OK", 1},
      {"no of yes/no", SHOW(PopupYesNo), "CANCEL", 0},
      {"no of yes/no/cancel", SHOW(PopupYesNoCancel), "NO", 2},
      {"cancel of yes/no/cancel", SHOW(PopupYesNoCancel), "CANCEL", 0},
      {"extra", SHOW(PopupYesNoCancelExtra), "EXTRA", 3},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    answers.clear();
    int calls = 0;
    ASSERT_TRUE(c.show(mwin, Record, &calls));
    EXPECT_TRUE(mwin->PopupIsOn());
    EXPECT_FALSE(screen->IsActive());
    EXPECT_EQ(mwin->GetSettings()->activate_collection_under_mouse, 0);
    int behind = Presses("Behind");
    Click(1, 1);  // the darkened screen takes nothing
    EXPECT_EQ(Presses("Behind"), behind);
    Press(c.press);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].result, c.result);
    EXPECT_FALSE(answers[0].popup_was_on);
    EXPECT_EQ(calls, 1);
    ExpectLeftAsFound();
  }
}

TEST_F(MWinPopupTest, EnterAndEscapeFollowTheButtonsOfEachKind) {
  struct Case {
    const char *name;
    Show show;
    int key;
    int want;  // -1: the key presses nothing
  } cases[] = {
      {"message enter", SHOW(PopupMessage), 13, 1},     {"message escape", SHOW(PopupMessage), 27, 1},
      {"ok/cancel enter", SHOW(PopupOkCancel), 13, 1},  {"ok/cancel escape", SHOW(PopupOkCancel), 27, 0},
      {"yes/no enter", SHOW(PopupYesNo), 13, -1},       {"yes/no escape", SHOW(PopupYesNo), 27, -1},
      {"yes/no/cancel escape", SHOW(PopupYesNoCancel), 27, 0},
      {"four buttons escape", SHOW(PopupYesNoCancelExtra), 27, -1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    answers.clear();
    ASSERT_TRUE(c.show(mwin, Record, nullptr));
    // The pointer rests on the box: with the default settings the window under it is active.
    const _Dimension *box = mwin->PopupGetWindow()->GetActualArea();
    cursor_x = box->x + box->width / 2;
    cursor_y = box->y + box->height / 2;
    mwin->ButtonsChanged();
    Key(c.key);
    if (c.want < 0) {
      EXPECT_TRUE(answers.empty());
      EXPECT_TRUE(mwin->PopupTurnOff());
    } else {
      ASSERT_EQ(answers.size(), 1u);
      EXPECT_EQ(answers[0].result, c.want);
    }
    ExpectLeftAsFound();
  }
}

// The box is measured in a window of its own first; the shown one is still centred.
TEST_F(MWinPopupTest, TheBoxIsCentredOnTheScreen) {
  ASSERT_EQ(mwin->PopupOkCancel(nullptr, "Exit the game?", nullptr, nullptr), 1);
  const _Dimension *box = mwin->PopupGetWindow()->GetOrigArea();
  EXPECT_NEAR(box->x + box->width / 2, 320.0f, 1.0f);
  EXPECT_NEAR(box->y + box->height / 2, 240.0f, 1.0f);
  mwin->PopupTurnOff();
}

TEST_F(MWinPopupTest, ACallbackMayOpenTheNextPopup) {
  ASSERT_TRUE(mwin->PopupMessage("One", "First", [](MWin *m, char, void *) { m->PopupMessage("Two", "Second"); },
                                 nullptr));
  Press("OK");
  EXPECT_TRUE(mwin->PopupIsOn());
  EXPECT_STREQ(PopupButton("MSG")->GetTextP(), "Second");
  Press("OK");
  ExpectLeftAsFound();
}

TEST_F(MWinPopupTest, ASecondPopupIsRefusedAndTheFirstStays) {
  ASSERT_TRUE(mwin->PopupMessage("One", "First", Record, nullptr));
  std::string log = Logged([&] { EXPECT_FALSE(mwin->PopupOkCancel("Two", "Second", Record, nullptr)); });
  EXPECT_NE(log.find("Popup already on"), std::string::npos);
  EXPECT_STREQ(PopupButton("MSG")->GetTextP(), "First");
  Press("OK");
  ASSERT_EQ(answers.size(), 1u);
  ExpectLeftAsFound();
}

TEST_F(MWinPopupTest, TurningOffAndTheTurnOffAndCallForms) {
  ASSERT_TRUE(mwin->PopupOkCancel("T", "Q", Record, nullptr));
  EXPECT_TRUE(mwin->PopupTurnOff());
  EXPECT_TRUE(answers.empty());
  EXPECT_FALSE(mwin->PopupTurnOff());

  ASSERT_TRUE(mwin->PopupOkCancel("T", "Q", Record, nullptr));
  EXPECT_TRUE(mwin->PopupTurnOffAndCallOkCB());
  ASSERT_TRUE(mwin->PopupYesNoCancel("T", "Q", Record, nullptr));
  EXPECT_TRUE(mwin->PopupTurnOffAndCallCancelOrNoCB());
  ASSERT_TRUE(mwin->PopupNotice("T", "Q"));
  EXPECT_FALSE(mwin->PopupTurnOffAndCallOkCB());
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_EQ(answers[0].result, 1);
  EXPECT_EQ(answers[1].result, 0);
  ExpectLeftAsFound();
}

TEST_F(MWinPopupTest, TheTextQueryEditsTheCallersBufferAndEnterConfirms) {
  char buffer[8] = "ab";
  ASSERT_TRUE(mwin->PopupGetText("Name", "Your name", buffer, sizeof(buffer), Record, nullptr));
  auto *edit = dynamic_cast<MWinTextEdit *>(PopupButton("TEXTEDIT"));
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->TextEditIsTextBeingEdited());
  for (char c : std::string("cdefghij")) mwin->KeyDownUChar((unsigned char)c);
  Key(13);  // ends editing, which queues OK
  mwin->Tick2();
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].result, 1);
  EXPECT_STREQ(buffer, "abcdefg");  // seven letters fit the eight bytes
  ExpectLeftAsFound();

  std::string refused = Logged([&] {
    EXPECT_FALSE(mwin->PopupGetText("T", nullptr, nullptr, 8, Record, nullptr));
    EXPECT_FALSE(mwin->PopupGetText("T", nullptr, buffer, 0, Record, nullptr));
  });
  EXPECT_NE(refused.find("No text var."), std::string::npos);
  EXPECT_NE(refused.find("No max len."), std::string::npos);
  ExpectLeftAsFound();
}

TEST_F(MWinPopupTest, AnEmptyTextQueryOpensAndTakesLettersWithoutComplaint) {
  char buffer[8] = "";
  std::string log = Logged([&] {
    ASSERT_TRUE(mwin->PopupGetText("Name", "Your name", buffer, sizeof(buffer), Record, nullptr));
    auto *edit = dynamic_cast<MWinTextEdit *>(PopupButton("TEXTEDIT"));
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->TextEditIsTextBeingEdited());
    EXPECT_STREQ(edit->TextEditGetText(), "");
    mwin->KeyDownUChar((unsigned char)'x');
    Key(13);
    mwin->Tick2();
  });
  EXPECT_EQ(log, "");
  EXPECT_STREQ(buffer, "x");
  ExpectLeftAsFound();
}

// As the game sets the toolkit up: windows are not activated by hovering alone.
TEST_F(MWinPopupTest, OneClickPressesAPopupButtonWhateverWasClickedBefore) {
  mwin->GetSettings()->activate_window_under_mouse = 0;
  struct Case {
    const char *name;
    bool text_query;
    bool click_beside_first;
    const char *press;
    char result;
  } cases[] = {
      {"ok of the text query while its field is edited", true, false, "OK", 1},
      {"cancel of the text query", true, false, "CANCEL", 0},
      {"cancel after clicks beside the popup", false, true, "CANCEL", 0},
      {"ok of the text query after a click beside it", true, true, "OK", 1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    answers.clear();
    char buffer[20] = "";
    if (c.text_query) {
      ASSERT_TRUE(mwin->PopupGetText(nullptr, "Enter name:", buffer, sizeof(buffer), Record, nullptr));
      mwin->KeyDownUChar('W');
    } else {
      ASSERT_TRUE(mwin->PopupOkCancel(nullptr, "Go Online ?", Record, nullptr));
    }
    const int behind = Presses("Behind");
    if (c.click_beside_first)
      for (int i = 0; i < 3; i++) Click(5, 5);
    EXPECT_EQ(Presses("Behind"), behind);
    EXPECT_TRUE(mwin->PopupIsOn());
    Press(c.press);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].result, c.result);
    if (c.text_query && c.result == 1) {
      EXPECT_STREQ(buffer, "W");
    }
    mwin->PopupTurnOff();
  }
}

// Space on a button that opens the text query: its character event, which follows the key, is
// not typed into the new field; the next keys are.
TEST_F(MWinPopupTest, TheKeyThatOpenedATextQueryIsNotTypedIntoIt) {
  static char buffer[20];
  buffer[0] = 0;
  MWinButton *open = screen_window->AddButton(
      "Open", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", nullptr, 300, 300, 60, 20,
      [](MWin *m, _MWinButtonCallbackInfo *, int, int) {
        m->PopupGetText(nullptr, "Enter name:", buffer, sizeof(buffer), Record, nullptr);
      },
      0, 0);
  ASSERT_NE(open, nullptr);
  cursor_x = 310;
  cursor_y = 310;
  mwin->MoveMouse(cursor_x, cursor_y);
  mwin->KeyDown(32);
  ASSERT_TRUE(mwin->PopupIsOn());
  mwin->KeyDownUChar(' ');
  for (char ch : std::string("Wren2")) {
    mwin->KeyDown(toupper(ch));
    mwin->KeyDownUChar((unsigned char)ch);
  }
  Key(13);
  mwin->Tick2();
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].result, 1);
  EXPECT_STREQ(buffer, "Wren2");
}

// Return or Space on the screen's button that asks a question opens the popup, and the popup
// waits for the next key: the press that asks never answers, whatever the popup's kind.
TEST_F(MWinPopupTest, TheKeyThatAsksAQuestionDoesNotAnswerIt) {
  mwin->GetSettings()->activate_window_under_mouse = 0;
  static int kind = 0;
  static char buffer[20];
  MWinButton *ask = screen_window->AddButton(
      "Ask", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", nullptr, 300, 400, 60, 20,
      [](MWin *m, _MWinButtonCallbackInfo *, int, int) {
        if (kind == 0) m->PopupOkCancel(nullptr, "Quit the game?", Record, nullptr);
        if (kind == 1) m->PopupMessage(nullptr, "Saved.", Record, nullptr);
        if (kind == 2) m->PopupGetText(nullptr, "Enter name:", buffer, sizeof(buffer), Record, nullptr);
      },
      0, 0);
  ASSERT_NE(ask, nullptr);
  const char *kinds[] = {"ok/cancel", "message", "text query"};
  for (int key : {13, 32})
    for (kind = 0; kind < 3; kind++) {
      SCOPED_TRACE(std::string(kinds[kind]) + (key == 13 ? " by Return" : " by Space"));
      answers.clear();
      strcpy(buffer, "Ada");
      cursor_x = 320;
      cursor_y = 410;
      mwin->MoveMouse(cursor_x, cursor_y);
      ASSERT_TRUE(ask->IsActive());
      mwin->KeyDown(key);
      if (key == 32) mwin->KeyDownUChar(' ');
      for (int frame = 0; frame < 3; frame++) mwin->Tick2();
      EXPECT_TRUE(mwin->PopupIsOn());
      EXPECT_TRUE(answers.empty());
      // The next Return is the answer: the default button, or the field's end of editing.
      Key(13);
      mwin->Tick2();
      ASSERT_EQ(answers.size(), 1u);
      EXPECT_EQ(answers[0].result, 1);
      EXPECT_STREQ(buffer, "Ada");
      ExpectLeftAsFound();
    }
}

// Return answers with the button the player put the focus on, so Return on a focused Cancel
// cancels in every popup; with the focus on none (the pointer where the popup found it), the
// default button answers, and a popup without one waits.
TEST_F(MWinPopupTest, ReturnAnswersWithTheButtonTheFocusIsOn) {
  mwin->GetSettings()->activate_window_under_mouse = 0;
  static char buffer[20];
  struct Case {
    const char *name;
    Show show;
    const char *focus;  // "": no Tab
    int want;           // -1: no answer
  } cases[] = {
      {"ok of ok/cancel", SHOW(PopupOkCancel), "OK", 1},
      {"cancel of ok/cancel", SHOW(PopupOkCancel), "CANCEL", 0},
      {"ok/cancel unfocused", SHOW(PopupOkCancel), "", 1},
      {"yes of yes/no", SHOW(PopupYesNo), "OK", 1},
      {"no of yes/no", SHOW(PopupYesNo), "CANCEL", 0},
      {"yes/no unfocused", SHOW(PopupYesNo), "", -1},
      {"no of yes/no/cancel", SHOW(PopupYesNoCancel), "NO", 2},
      {"cancel of yes/no/cancel", SHOW(PopupYesNoCancel), "CANCEL", 0},
      {"cancel of the text query",
       [](MWin *m, MWIN_POPUP_CALLBACK cb, void *u) {
         return m->PopupGetText(nullptr, "Enter name:", buffer, sizeof(buffer), cb, u);
       },
       "CANCEL", 0},
      {"ok of the text query",
       [](MWin *m, MWIN_POPUP_CALLBACK cb, void *u) {
         return m->PopupGetText(nullptr, "Enter name:", buffer, sizeof(buffer), cb, u);
       },
       "OK", 1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    answers.clear();
    strcpy(buffer, "Ada");
    cursor_x = 5;
    cursor_y = 5;
    mwin->MoveMouse(cursor_x, cursor_y);
    ASSERT_TRUE(c.show(mwin, Record, nullptr));
    const std::string focus = c.focus;
    for (int tabs = 0; !focus.empty() && tabs < 8; tabs++) {
      MWinButton *on = mwin->PopupGetWindow()->GetActiveButton();
      if (on && focus == on->GetID()) break;
      mwin->KeyDown(9);
    }
    if (!focus.empty()) {
      MWinButton *on = mwin->PopupGetWindow()->GetActiveButton();
      ASSERT_NE(on, nullptr);
      ASSERT_STREQ(on->GetID(), c.focus);
    }
    Key(13);
    mwin->Tick2();
    if (c.want < 0) {
      EXPECT_TRUE(answers.empty());
      EXPECT_TRUE(mwin->PopupTurnOff());
    } else {
      ASSERT_EQ(answers.size(), 1u);
      EXPECT_EQ(answers[0].result, c.want);
    }
    ExpectLeftAsFound();
  }
}

const char *Fruit(int entry, MWinButton *, void *user) {
  static const char *const names[] = {"apple", "banana", "cherry", "damson", "elder"};
  EXPECT_EQ(user, &answers);
  return names[entry];
}

TEST_F(MWinPopupTest, TheListWritesEverySelectionAndADoubleClickIsOk) {
  int chosen = 1;
  int *chosen_p = &chosen;
  static std::vector<int> selections;
  selections.clear();
  auto on_select = [](MWin *, int item, void *) { selections.push_back(item); };
  ASSERT_TRUE(mwin->PopupPanel("Pick", nullptr, 5, 3, 200, 90, Fruit, MWIN_POPUP_OK, &chosen_p, on_select,
                               RecordOnly, &answers));
  auto *panel = dynamic_cast<MWinPanel *>(PopupButton("PANEL"));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->PanelGetPos(), 1);
  const _Dimension *a = panel->GetActualArea();
  cursor_x = a->x + 20;
  cursor_y = a->y + 75;  // the third row of 30 units
  Click(cursor_x, cursor_y);
  EXPECT_EQ(chosen, 2);
  EXPECT_EQ(selections, std::vector<int>{2});
  EXPECT_TRUE(answers.empty());
  mwin->ButtonDoubleClicked(0);
  mwin->Tick2();
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].result, 1);
  EXPECT_EQ(chosen, 2);
  ExpectLeftAsFound();
}

TEST_F(MWinPopupTest, AListWithoutOkHasOneCancelButtonForBothKeysAndStaysOpenOnADoubleClick) {
  int chosen = 0;
  int *chosen_p = &chosen;
  ASSERT_TRUE(
      mwin->PopupPanel(nullptr, nullptr, 5, 3, 200, 90, Fruit, 0, &chosen_p, nullptr, RecordOnly, &answers));
  MWinWindow *w = mwin->PopupGetWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(PopupButton("OK"), nullptr);
  EXPECT_EQ(w->GetDefaultButton(), PopupButton("CANCEL"));
  EXPECT_EQ(w->GetEscapeButton(), PopupButton("CANCEL"));
  const _Dimension *a = PopupButton("PANEL")->GetActualArea();
  cursor_x = a->x + 20;
  cursor_y = a->y + 15;
  Click(cursor_x, cursor_y);
  mwin->ButtonDoubleClicked(0);
  mwin->Tick2();
  EXPECT_TRUE(mwin->PopupIsOn());
  EXPECT_TRUE(answers.empty());
  Press("CANCEL");
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].result, 0);
  ExpectLeftAsFound();

  int *none = nullptr;
  EXPECT_NE(Logged([&] { EXPECT_FALSE(mwin->PopupPanel("T", nullptr, 5, 3, 100, 60, Fruit, 1, &none, nullptr,
                                                      nullptr, nullptr)); })
                .find("No panel sel val"),
            std::string::npos);
  ExpectLeftAsFound();
}

TEST_F(MWinPopupTest, TheRichTextBoxSitsBelowTheMessage) {
  ASSERT_TRUE(mwin->PopupScript("T", "Read this", "Some long text", "MWIN_TEXBUT_NONE", 200, 100, MWIN_POPUP_OK,
                                MWIN_POPUP_CANCEL, 0, Record, nullptr));
  MWinButton *box = PopupButton("SCRIPT"), *msg = PopupButton("MSG");
  ASSERT_NE(box, nullptr);
  ASSERT_NE(msg, nullptr);
  EXPECT_FLOAT_EQ(box->GetOrigArea()->y, msg->GetOrigArea()->y + msg->GetOrigArea()->height + 5);
  EXPECT_STREQ(box->GetTextP(), "Some long text");
  Press("CANCEL");
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].result, 0);
  ExpectLeftAsFound();
}

TEST_F(MWinPopupTest, SizesAndButtonTexts) {
  // A bare notice on the desktop defaults: 50 + 5 + 20 units.
  ASSERT_TRUE(mwin->PopupNotice(nullptr, nullptr));
  EXPECT_FLOAT_EQ(mwin->PopupGetWindow()->GetOrigArea()->width, 75);
  mwin->PopupTurnOff();

  // Without languages the buttons say OK and Cancel; a replacement lasts one popup, Extra's stays.
  mwin->PopupChangeButtonTextsForNextPopup("Go", "Stay", "Back", "More");
  ASSERT_TRUE(mwin->PopupYesNoCancelExtra("T", "Q", nullptr, nullptr));
  EXPECT_STREQ(PopupButton("OK")->GetTextP(), "Go");
  EXPECT_STREQ(PopupButton("NO")->GetTextP(), "Stay");
  EXPECT_STREQ(PopupButton("CANCEL")->GetTextP(), "Back");
  mwin->PopupTurnOff();
  ASSERT_TRUE(mwin->PopupYesNoCancelExtra("T", "Q", nullptr, nullptr));
  EXPECT_STREQ(PopupButton("OK")->GetTextP(), "Yes");
  EXPECT_STREQ(PopupButton("NO")->GetTextP(), "No");
  EXPECT_STREQ(PopupButton("CANCEL")->GetTextP(), "Cancel");
  EXPECT_STREQ(PopupButton("EXTRA")->GetTextP(), "More");
  // Yes, No, Cancel, Extra from left to right, the row centred in the window.
  float last_x = -1;
  for (const char *id : {"OK", "NO", "CANCEL", "EXTRA"}) {
    EXPECT_GT(PopupButton(id)->GetOrigArea()->x, last_x) << id;
    last_x = PopupButton(id)->GetOrigArea()->x;
  }
  const _Dimension *w = mwin->PopupGetWindow()->GetOrigArea();
  float left = PopupButton("OK")->GetOrigArea()->x;
  const _Dimension *extra = PopupButton("EXTRA")->GetOrigArea();
  EXPECT_NEAR(left, w->width - (extra->x + extra->width), 1.0f);
  mwin->PopupTurnOff();

  // A one-box size for the next popup only.
  mwin->PopupSetSizeOfBoxForNextPopup(300, 200);
  ASSERT_TRUE(mwin->PopupMessage("T", "Q"));
  EXPECT_FLOAT_EQ(mwin->PopupGetWindow()->GetOrigArea()->height, 200);
  mwin->PopupTurnOff();
  ASSERT_TRUE(mwin->PopupMessage("T", "Q"));
  EXPECT_LT(mwin->PopupGetWindow()->GetOrigArea()->height, 200);
  mwin->PopupTurnOff();
}

TEST_F(MWinPopupTest, StyleColoursAreStoredInTheOrderGiven) {
  mwin->PopupSetupTexturesAndFonts("", "", "", "", "", 0.1f, 0.2f, 0.3f, 0.4f, 1.5f, -1, 0.5f, 0.6f, 0.7f, 0.8f, -1,
                                   2.0f, 2);
  const _MWinPopupState *p = mwin->GetPopupState();
  EXPECT_EQ(std::vector<float>(p->button_text_colour, p->button_text_colour + 4),
            (std::vector<float>{0.1f, 0.2f, 0.3f, 0.4f}));
  EXPECT_EQ(std::vector<float>(p->title_text_colour, p->title_text_colour + 4),
            (std::vector<float>{0.5f, 0.6f, 0.7f, 0.8f}));
  EXPECT_FLOAT_EQ(p->button_text_scale[0], 1.5f);
  EXPECT_FLOAT_EQ(p->button_text_scale[1], 1.0f);  // a negative value keeps the old one
  EXPECT_FLOAT_EQ(p->title_text_scale[1], 2.0f);
  EXPECT_EQ(p->title_align, MWIN_ALIGN_RIGHT);
  EXPECT_STREQ(p->ids[3], "MWIN_TEXBUT_DEFAULT");
}

TEST_F(MWinPopupTest, TheAutoCloseTimerClosesWithoutAnAnswer) {
  SteppingClock::Install(0.1);
  ASSERT_TRUE(mwin->PopupMessage("T", "Q", Record, nullptr));
  mwin->PopupRemoveMessageAfterTime(1.0);
  eng_main_current_time = EngMainUpdateCurrentTime();
  mwin->Tick2();
  EXPECT_TRUE(mwin->PopupIsOn());
  eng_main_current_time = eng_main_current_time + 2.0;
  mwin->Tick2();
  EXPECT_TRUE(answers.empty());
  ExpectLeftAsFound();
}

// The blocking notice draws frames and pumps events while it waits, then closes itself.
TEST_F(MWinPopupTest, TimedNoticesDrawWhileTheyWait) {
  EngMainSetSleepForTests([](double) {});
  for (char fade : {0, 1}) {
    SCOPED_TRACE(int(fade));
    SteppingClock::Install(0.01);
    program->frames = 0;
    EXPECT_TRUE(mwin->PopupNoticeForTime("Wait", "Please", 1.0, fade));
    EXPECT_GT(program->frames, 20);
    ExpectLeftAsFound();
  }
  SteppingClock::Install(0.01);
  program->frames = 0;
  EXPECT_TRUE(mwin->PopupNoticeShowItAndRemoveIt("A", "B"));
  EXPECT_EQ(program->frames, 2);
  ExpectLeftAsFound();
}

TEST_F(MWinPopupTest, TheEngineAsksThroughItsHooks) {
  static EngInt32 engine_answer;
  engine_answer = -1;
  ASSERT_TRUE(EngToolkitPopupOkCancel(mwin, "Quit?", "Really", [](MWin *, EngInt32 a, void *) { engine_answer = a; },
                                      nullptr));
  EXPECT_TRUE(EngToolkitPopupIsOn(mwin));
  Press("OK");
  EXPECT_EQ(engine_answer, 1);
  EXPECT_TRUE(EngToolkitPopupNoticeShowItAndRemoveIt(mwin, "Saving", nullptr));
  ExpectLeftAsFound();
}

}  // namespace
}  // namespace qwtest
