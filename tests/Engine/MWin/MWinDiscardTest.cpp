// Removal from inside callbacks: widgets, windows and collections removed by a program callback
// are never touched afterwards (under AddressSanitizer each case read freed memory before), and
// a removed widget is never a window's default or escape button.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Engine/MWin/MWinColour.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinTextEdit.h"
#include "tests/Engine/MWin/MWinWidgetTestSupport.h"

namespace qwtest {
namespace {

// What the callbacks below remove; set by each test.
MWinCollection *remove_collection = nullptr;
MWinWindow *remove_window = nullptr;
std::vector<std::string> calls;

void RemoveTheWindow(MWin *, _MWinButtonCallbackInfo *info, int, int) {
  calls.push_back(info->button_id);
  if (remove_collection && remove_window) remove_collection->RemoveWindow(remove_window);
  remove_window = nullptr;
}

void RemoveTheCollection(MWin *mwin, _MWinButtonCallbackInfo *info, int, int) {
  calls.push_back(info->button_id);
  if (remove_collection) mwin->GetDesktop()->RemoveCollection(remove_collection->GetID());
  remove_collection = nullptr;
}

void RemoveItself(MWin *, _MWinButtonCallbackInfo *info, int, int) {
  calls.push_back(info->button_id);
  info->button->GetWindow()->RemoveButton(info->button);
}

class MWinDiscardTest : public MWinProgramTest {
 protected:
  void SetUp() override {
    MWinProgramTest::SetUp();
    calls.clear();
    remove_collection = nullptr;
    remove_window = nullptr;
    mwin->SetGetCursorPosCB(
        [](int *x, int *y, void *a, void *) {
          auto *self = static_cast<MWinDiscardTest *>(a);
          *x = int(self->cursor_x);
          *y = int(self->cursor_y);
        },
        this, nullptr);
  }
  void TearDown() override {
    mwin->SetSoundPlayCallback(nullptr, nullptr);
    MWinProgramTest::TearDown();
  }
  void MoveTo(float x, float y) {
    cursor_x = x;
    cursor_y = y;
    mwin->MoveMouse(x, y);
  }
  MWinTextEdit *AddEdit(MWinWindow *w, const char *id, float x, float y) {
    auto *edit = dynamic_cast<MWinTextEdit *>(
        w->AddButton(id, MWIN_BUTTON_TEXT_EDIT, "MWIN_TEXBUT_NONE", nullptr, x, y, 200, 20));
    EXPECT_NE(edit, nullptr);
    return edit;
  }
  _MWinWindowCreateInfo TitledInfo() {
    _MWinWindowCreateInfo info;
    memset(&info, 0, sizeof(info));
    info.x = 100;
    info.y = 100;
    info.width = 300;
    info.height = 200;
    info.has_title_bar = 1;
    info.has_hide_button = 1;
    info.has_extra_button = 1;
    return info;
  }

  float cursor_x = 0, cursor_y = 0;
};

TEST_F(MWinDiscardTest, ARemovedWidgetIsNeitherDefaultNorEscapeButton) {
  const char *ways[] = {"window RemoveButton", "window RemoveAllButtons", "group RemoveButton"};
  MWinCollection *c = Desktop()->AddCollection("C");
  int n = 0;
  for (const char *way : ways) {
    SCOPED_TRACE(way);
    std::string id = "W" + std::to_string(n++);
    MWinWindow *w = AddWindow(c, id.c_str(), 0, 0, 640, 480);
    MWinButton *enter = AddCountingButton(w, "Enter", 10, 10, 50, 20);
    MWinButton *escape = AddCountingButton(w, "Escape", 100, 10, 50, 20);
    enter->SetDefaultButtonForParentWindow();
    escape->SetEscapeButtonForParentWindow();
    if (!strcmp(way, "window RemoveButton")) {
      w->RemoveButton(enter);
      w->RemoveButton(escape);
    } else if (!strcmp(way, "window RemoveAllButtons")) {
      w->RemoveAllButtons();
    } else {
      w->GetFirstGroup()->RemoveButton(enter);
      w->GetFirstGroup()->RemoveButton(escape);
    }
    EXPECT_EQ(w->GetDefaultButton(), nullptr);
    EXPECT_EQ(w->GetEscapeButton(), nullptr);
    mwin->KeyDown(13);
    mwin->KeyDown(27);
    mwin->Tick2();
    EXPECT_EQ(Presses("Enter"), 0);
    EXPECT_EQ(Presses("Escape"), 0);
    c->RemoveWindow(w);
  }
}

TEST_F(MWinDiscardTest, AWindowWithHideAndExtraButtonsGoesWhicheverWayItIsRemoved) {
  const char *ways[] = {"RemoveCollection", "RemoveWindow", "RemoveAllCollections", "RemoveAllWindows"};
  for (const char *way : ways) {
    SCOPED_TRACE(way);
    int before = MWinButton::total_buttons_created;
    MWinCollection *c = Desktop()->AddCollection("T");
    _MWinWindowCreateInfo info = TitledInfo();
    MWinWindow *w = c->AddWindow("W", &info);
    ASSERT_NE(w->GetHideButton(), nullptr);
    ASSERT_NE(w->GetExtraButton(), nullptr);
    if (!strcmp(way, "RemoveCollection"))
      Desktop()->RemoveCollection("T");
    else if (!strcmp(way, "RemoveWindow"))
      c->RemoveWindow(w);
    else if (!strcmp(way, "RemoveAllCollections"))
      Desktop()->RemoveAllCollections();
    else
      c->RemoveAllWindows();
    if (Desktop()->GetCollectionFromID("T", 0)) Desktop()->RemoveCollection("T");
    EXPECT_EQ(MWinButton::total_buttons_created, before);
  }
}

TEST_F(MWinDiscardTest, EnterOrSpaceOnAPushButtonWhoseCallbackRemovesIt) {
  MWinCollection *c = Desktop()->AddCollection("C");
  MWinWindow *w = AddWindow(c, "W", 0, 0, 640, 480);
  for (int key : {13, 32}) {
    SCOPED_TRACE(key);
    calls.clear();
    w->AddButton("Gone", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", nullptr, 100, 100, 100, 40, RemoveItself, 0, 0);
    MoveTo(150, 120);
    ASSERT_TRUE(w->GetButtonFromID("Gone", 0)->IsActive());
    mwin->KeyDown(key);
    EXPECT_EQ(calls, std::vector<std::string>{"Gone"});
    EXPECT_EQ(w->GetButtonFromID("Gone", 0), nullptr);
    EXPECT_EQ(mwin->GetNumDiscarded(), 0) << "freed when the entry point returned";
  }
}

TEST_F(MWinDiscardTest, SpaceOnAPopupsOkButtonClosesIt) {
  static int answers;
  answers = 0;
  Desktop()->AddCollection("C");
  ASSERT_TRUE(mwin->PopupMessage("Title", "Text", [](MWin *, char, void *) { answers++; }, nullptr));
  MWinButton *ok = mwin->GetButtonFromIDs("MWIN_POPUP", "MWIN_POPUP_WIN", "OK", 0);
  ASSERT_NE(ok, nullptr);
  const _Dimension *a = ok->GetActualArea();
  MoveTo(a->x + a->width / 2, a->y + a->height / 2);
  ASSERT_TRUE(ok->IsActive());
  mwin->KeyDown(32);
  EXPECT_EQ(answers, 1);
  EXPECT_FALSE(mwin->PopupIsOn());
}

TEST_F(MWinDiscardTest, AColourPickerRemovedByItsCallbackStopsForwardingTheWheel) {
  MWinCollection *c = Desktop()->AddCollection("C");
  MWinWindow *w = AddWindow(c, "W", 100, 100, 300, 100);
  MWinColour *picker = w->GetFirstGroup()->AddColour("P", "MWIN_TEXBUT_NONE", nullptr, 10, 10, 200, 64);
  ASSERT_NE(picker, nullptr);
  picker->SetCallback(RemoveTheWindow, 0, 0, 0);
  remove_collection = c;
  remove_window = w;
  // The first move activates the picker, the next one the hue bar under the pointer.
  MoveTo(200, 120);
  MoveTo(200, 120);
  ASSERT_TRUE(picker->GetScrollbar(0)->IsActive());
  mwin->MouseWheelMoved(1);
  EXPECT_EQ(calls, std::vector<std::string>{"P"});
  EXPECT_EQ(c->GetNumWindows(), 0);
}

// An edit ends (and calls back) when a click lands in another window and when Tab moves on; the
// callback removes the window or the collection in the middle of the walk.
TEST_F(MWinDiscardTest, AnEditEndingInsideAWalkMayRemoveItsWindow) {
  struct Case {
    const char *name;
    char collection;  // remove the collection, else the window
    char tab;         // Tab, else a click in another window
  } cases[] = {
      {"click elsewhere, window removed", 0, 0},
      {"click elsewhere, collection removed", 1, 0},
      {"tab, window removed", 0, 1},
      {"tab, collection removed", 1, 1},
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(k.name);
    calls.clear();
    MWinCollection *c = Desktop()->AddCollection("C");
    MWinWindow *left = AddWindow(c, "L", 0, 0, 320, 480);
    MWinWindow *right = AddWindow(c, "R", 320, 0, 320, 480);
    AddCountingButton(right, "Other", 20, 20, 100, 20);
    MWinTextEdit *edit = AddEdit(left, "E", 20, 20);
    edit->SetCallback(k.collection ? RemoveTheCollection : RemoveTheWindow, 0, 0, 0);
    AddCountingButton(left, "Next", 20, 60, 100, 20);
    AddCountingButton(left, "After", 20, 100, 100, 20);
    remove_collection = c;
    remove_window = left;
    MoveTo(100, 30);
    mwin->ButtonPressed(0, 1, 0);
    mwin->ButtonPressed(0, 0, 0);
    ASSERT_TRUE(edit->TextEditIsTextBeingEdited());
    if (k.tab) {
      mwin->KeyDown(9);
    } else {
      MoveTo(400, 300);
      mwin->ButtonPressed(0, 1, 0);
      mwin->ButtonPressed(0, 0, 0);
    }
    EXPECT_EQ(calls, std::vector<std::string>{"E"});
    EXPECT_EQ(mwin->GetNumDiscarded(), 0);
    if (Desktop()->GetCollectionFromID("C", 0)) Desktop()->RemoveCollection("C");
  }
}

// A hover sound removes the collection that the pointer has just activated.
TEST_F(MWinDiscardTest, ACollectionRemovedWhileItsWindowUnderThePointerIsChosen) {
  static MWin *root;
  root = mwin;
  MWinCollection *under = Desktop()->AddCollection("UNDER");
  MWinWindow *w = AddWindow(under, "W", 0, 0, 640, 480);
  AddCountingButton(w, "Hover", 0, 0, 320, 480);
  MWinCollection *right = Desktop()->AddCollection("RIGHT");
  AddWindow(right, "W", 320, 0, 320, 480);
  right->SetOverallAreaToSizeOfFirstWindow();
  MoveTo(400, 100);
  ASSERT_TRUE(right->IsActive());
  mwin->SetSoundPlayCallback(
      [](_MWinSoundEvent e, void *) {
        if (e == MWIN_SOUND_ONTO_BUTTON && root->GetDesktop()->GetCollectionFromID("UNDER", 0))
          root->GetDesktop()->RemoveCollection("UNDER");
      },
      nullptr);
  MoveTo(100, 100);
  EXPECT_EQ(Desktop()->GetCollectionFromID("UNDER", 0), nullptr);
  EXPECT_EQ(mwin->GetNumDiscarded(), 0);
  mwin->ButtonsChanged();
}

TEST_F(MWinDiscardTest, RemovalsInsideAnEntryPointWaitForItsEnd) {
  static MWin *root;
  static int waiting;
  root = mwin;
  waiting = -1;
  MWinCollection *c = Desktop()->AddCollection("C");
  MWinWindow *w = AddWindow(c, "W", 0, 0, 640, 480);
  w->AddButton("B", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", nullptr, 0, 0, 100, 100,
               [](MWin *, _MWinButtonCallbackInfo *info, int, int) {
                 info->button->GetWindow()->GetCollection()->RemoveWindow(info->button->GetWindow());
                 root->GetDesktop()->RemoveCollection("C");
                 waiting = root->GetNumDiscarded();
               },
               0, 0);
  Click(50, 50);
  EXPECT_EQ(waiting, 2) << "the window and the collection wait";
  EXPECT_EQ(mwin->GetNumDiscarded(), 0);
  EXPECT_EQ(Desktop()->GetFirstCollection(), nullptr);
  // Outside any entry point a removal frees at once.
  MWinCollection *d = Desktop()->AddCollection("D");
  AddWindow(d, "W", 0, 0, 10, 10);
  EXPECT_TRUE(Desktop()->RemoveCollection("D"));
  EXPECT_EQ(mwin->GetNumDiscarded(), 0);
}

}  // namespace
}  // namespace qwtest
