#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinCollectionController.h"
#include "Engine/MWin/MWinGroup.h"
#include "tests/Engine/MWin/MWinTestSupport.h"

namespace qwtest {
namespace {

int plain_calls = 0;
void PlainCB(void *user) { plain_calls += *static_cast<int *>(user); }

int empty_presses = 0;
char EmptyPressCB(MWinWindow *, void *) {
  empty_presses++;
  return 1;
}

std::vector<int> unclaimed_keys;
char KeyCB(int key, MWinWindow *) {
  unclaimed_keys.push_back(key);
  return 1;
}

class Controller : public MWinCollectionController {
 public:
  char CreateCollection(MWin *) override { return 1; }
  void RemoveVars() override {}
  void StartingCB(void *) override {}
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *) override {
    pressed.push_back(button->GetID());
    return 1;
  }
  std::vector<std::string> pressed;
};

class MWinWindowInputTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    plain_calls = 0;
    empty_presses = 0;
    unclaimed_keys.clear();
    c = Desktop()->AddCollection("C");
    memset(&info, 0, sizeof(info));
    info.x = 100;
    info.y = 100;
    info.width = 300;
    info.height = 200;
    info.has_title_bar = 1;
  }
  MWinWindow *Make(const char *id) { return c->AddWindow(id, &info); }
  // The queued message runs in the next frame.
  void NextFrame() { mwin->Tick2(); }
  float MouseX() {
    float x = 0, y = 0;
    mwin->GetMousePos(&x, &y);
    return x;
  }

  MWinCollection *c = nullptr;
  _MWinWindowCreateInfo info;
};

TEST_F(MWinWindowInputTest, TheTopMostWidgetGetsThePress) {
  MWinWindow *w = Make("W");
  AddCountingButton(w, "Under", 0, 0, 100, 100);
  AddCountingButton(w, "Over", 50, 50, 100, 100);
  w->CreateNewGroup();
  w->GetNthGroup(1)->AddButton("Top", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", nullptr, 80, 80, 20, 20,
                               [](MWin *, _MWinButtonCallbackInfo *info, int, int) {
                                 EXPECT_STREQ(info->button_id, "Top");
                                 plain_calls++;
                               },
                               0, 0);
  Click(100 + 60, 100 + 60);  // Under and Over
  EXPECT_EQ(Presses("Over"), 1);
  EXPECT_EQ(Presses("Under"), 0);
  Click(100 + 90, 100 + 90);  // all three: the later group wins
  EXPECT_EQ(plain_calls, 1);
  EXPECT_EQ(Presses("Over"), 1);
  Click(100 + 10, 100 + 10);
  EXPECT_EQ(Presses("Under"), 1);

  // A hidden group is passed over.
  w->GetNthGroup(1)->Hide();
  Click(100 + 90, 100 + 90);
  EXPECT_EQ(plain_calls, 1);
  EXPECT_EQ(Presses("Over"), 2);
}

TEST_F(MWinWindowInputTest, EscapeAndEnterFireTheirButtonsThroughTheQueue) {
  struct Case {
    const char *name;
    int key;
    char escape_button, default_button, hide_plain_cb, list_open, editing, command_held;
    const char *want_press;  // a counting button's id, "plain" for the hide callback, or "" for none
  } cases[] = {
      {"escape", 27, 1, 0, 0, 0, 0, 0, "Esc"},
      {"escape over hide", 27, 1, 0, 1, 0, 0, 0, "Esc"},
      {"hide when no escape", 27, 0, 0, 1, 0, 0, 0, "plain"},
      {"list open", 27, 1, 0, 0, 1, 0, 0, ""},
      {"text edited", 27, 1, 0, 0, 0, 1, 0, ""},
      {"enter", 13, 0, 1, 0, 0, 0, 0, "Ok"},
      {"enter while edited", 13, 0, 1, 0, 0, 1, 0, ""},
      {"enter with list open", 13, 0, 1, 0, 1, 0, 0, ""},
      {"command held", 13, 0, 1, 0, 0, 0, 1, ""},
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(k.name);
    info.has_hide_button = 1;
    MWinWindow *w = Make("W");
    MWinButton *esc = AddCountingButton(w, "Esc", 0, 0, 50, 20);
    MWinButton *ok = AddCountingButton(w, "Ok", 60, 0, 50, 20);
    MWinButton *list = w->AddButton("List", MWIN_BUTTON_LIST, "MWIN_TEXBUT_DEFAULT", nullptr, 0, 50, 50, 20);
    MWinButton *edit = w->AddButton("Edit", MWIN_BUTTON_TEXT_EDIT, "MWIN_TEXBUT_DEFAULT", nullptr, 60, 50, 50, 20);
    if (k.escape_button) w->SetEscapeButton(esc);
    if (k.default_button) w->SetDefaultButton(ok);
    int one = 1;
    if (k.hide_plain_cb) w->SetHideButtonPlainCallback(PlainCB, &one);
    if (k.list_open) {
      mwin->MoveMouse(100 + 10.0f, 100 + 60.0f);
      ASSERT_TRUE(list->IsActive());
      list->ListOpen();
    }
    if (k.editing) {
      mwin->MoveMouse(100 + 70.0f, 100 + 60.0f);
      ASSERT_TRUE(edit->IsActive());
      edit->TextEditTurnOnEditing(1);
      ASSERT_TRUE(mwin->IsTextBeingEdited());
    }
    eng_key_down[231] = k.command_held ? 2 : 0;
    eng_key_down[k.key] = 2;
    int esc_before = Presses("Esc"), ok_before = Presses("Ok");
    plain_calls = 0;
    char used = w->HandleKeyDown(k.key);
    NextFrame();
    std::string want = k.want_press;
    // A field being edited takes Esc and Enter itself, to end its editing.
    EXPECT_EQ(used, want.empty() && !k.editing ? 0 : 1);
    EXPECT_EQ(eng_key_down[k.key], want.empty() ? 2 : 0);
    EXPECT_EQ(Presses("Esc") - esc_before, want == "Esc" ? 1 : 0);
    EXPECT_EQ(Presses("Ok") - ok_before, want == "Ok" ? 1 : 0);
    EXPECT_EQ(plain_calls, want == "plain" ? 1 : 0);
    eng_key_down[231] = 0;
    ASSERT_TRUE(Desktop()->RemoveCollection("C"));
    c = Desktop()->AddCollection("C");
  }
}

TEST_F(MWinWindowInputTest, KeysGoToTheActiveWidgetThenTheWindowsCallback) {
  MWinWindow *w = Make("W");
  AddCountingButton(w, "A", 0, 0, 50, 20);
  w->SetKeyDownCB(KeyCB);
  mwin->MoveMouse(100 + 10.0f, 100 + 10.0f);
  EXPECT_TRUE(mwin->KeyDown(13));  // a push button takes Enter itself
  EXPECT_EQ(Presses("A"), 1);
  EXPECT_TRUE(unclaimed_keys.empty());
  EXPECT_TRUE(mwin->KeyDown('x'));
  EXPECT_EQ(unclaimed_keys, std::vector<int>{'x'});
}

TEST_F(MWinWindowInputTest, TabTravelsAcrossGroupsAndMovesThePointer) {
  MWinWindow *w = Make("W");
  AddCountingButton(w, "A", 0, 0, 20, 20);
  w->AddButton("S", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_DEFAULT", nullptr, 30, 0, 20, 20);  // not a tab stop
  AddCountingButton(w, "B", 60, 0, 20, 20);
  w->CreateNewGroup();
  w->CreateNewGroup();  // an empty group on the way
  MWinGroup *g = w->GetNthGroup(2);
  MWinButton *edit = g->AddButton("E", MWIN_BUTTON_TEXT_EDIT, "MWIN_TEXBUT_DEFAULT", nullptr, 0, 50, 20, 20);
  g->AddButton("D", MWIN_BUTTON_CHECKBOX, "MWIN_TEXBUT_DEFAULT", nullptr, 30, 50, 20, 20);
  mwin->MoveMouse(300.0f, 250.0f);  // in the window, on no widget

  auto active = [&] {
    MWinButton *b = w->GetActiveButton();
    return std::string(b ? b->GetID() : "");
  };
  std::vector<std::string> forward;
  for (int i = 0; i < 5; i++) {
    EXPECT_TRUE(mwin->KeyDown(9));
    forward.push_back(active());
  }
  // No widget active: the walk sets out from the first widget, which it reaches last.
  EXPECT_EQ(forward, (std::vector<std::string>{"B", "E", "D", "A", "B"}));
  EXPECT_FLOAT_EQ(MouseX(), 100 + 70);  // the pointer followed into B's centre

  eng_key_down[228] = 2;
  std::vector<std::string> backward;
  for (int i = 0; i < 4; i++) {
    mwin->KeyDown(9);
    backward.push_back(active());
  }
  eng_key_down[228] = 0;
  EXPECT_EQ(backward, (std::vector<std::string>{"A", "D", "E", "B"}));

  // Onto a text edit starts its editing; away from it ends it.
  mwin->KeyDown(9);
  EXPECT_EQ(active(), "E");
  EXPECT_TRUE(edit->IsTextBeingEditing());
  mwin->KeyDown(9);
  EXPECT_EQ(active(), "D");
  EXPECT_FALSE(edit->IsTextBeingEditing());
}

// A screen made in another order than it reads, as the new player screen is: the walk follows
// the widgets' links and the groups, not their places, and passes over what takes no key.
TEST_F(MWinWindowInputTest, TabFollowsTheLinksAndGroupsWhereverTheWidgetsLie) {
  MWinWindow *w = Make("W");
  AddCountingButton(w, "Name", 110, 50, 110, 18);
  AddCountingButton(w, "Back", 230, 170, 45, 18);
  w->AddButton("Label", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_DEFAULT", nullptr, 40, 50, 60, 18);
  // A label that a screen's table makes as a push button is passed over.
  AddCountingButton(w, "PushLabel", 40, 90, 60, 18)->SetLabelOnly(1);
  AddCountingButton(w, "Country", 110, 90, 110, 18);
  w->CreateNewGroup();
  MWinGroup *g1 = w->GetNthGroup(1);
  auto add = [g1](const char *id, float x, float y, MWIN_BUTTON_CB cb) {
    return g1->AddButton(id, MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", nullptr, x, y, 40, 18, cb, 0, 0);
  };
  MWIN_BUTTON_CB does_nothing = [](MWin *, _MWinButtonCallbackInfo *, int, int) {};
  add("Continue", 120, 172, does_nothing);
  add("Off", 10, 10, does_nothing)->Disable();
  add("Gone", 60, 10, does_nothing)->Hide();
  add("Mute", 110, 10, nullptr);
  w->CreateNewGroup();  // left empty
  w->CreateNewGroup();
  w->GetNthGroup(3)->AddButton("Music", MWIN_BUTTON_CHECKBOX, "MWIN_TEXBUT_DEFAULT", nullptr, 10, 130, 20, 18);
  auto walk = [&](int steps) {
    std::vector<std::string> seen;
    for (int i = 0; i < steps; i++) {
      mwin->KeyDown(9);
      MWinButton *b = w->GetActiveButton();
      seen.push_back(b ? b->GetID() : "");
    }
    return seen;
  };
  // From the pointer's widget on.
  mwin->MoveMouse(100 + 250.0f, 100 + 175.0f);
  ASSERT_STREQ(w->GetActiveButton()->GetID(), "Back");
  EXPECT_EQ(walk(5), (std::vector<std::string>{"Country", "Continue", "Music", "Name", "Back"}));
  eng_key_down[228] = 2;
  EXPECT_EQ(walk(6), (std::vector<std::string>{"Name", "Music", "Continue", "Country", "Back", "Name"}));
  eng_key_down[228] = 0;

  // With nothing active, forwards sets out from the first group's first widget and backwards
  // from the last group's last one.
  for (char backwards : {0, 1}) {
    SCOPED_TRACE(int(backwards));
    mwin->MoveMouse(100 + 5.0f, 100 + 150.0f);
    ASSERT_EQ(w->GetActiveButton(), nullptr);
    eng_key_down[228] = backwards ? 2 : 0;
    EXPECT_EQ(walk(1), std::vector<std::string>{backwards ? "Continue" : "Back"});
  }
  eng_key_down[228] = 0;

  // A window with no stop at all gives up after its round of steps and says so.
  MWinWindow *bare = Make("Bare");
  bare->AddButton("Pic", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_DEFAULT", nullptr, 0, 0, 20, 20);
  char used = 1;
  EXPECT_NE(Logged([&] { used = bare->HandleKeyDown(9); }).find("Could not get next button"), std::string::npos);
  EXPECT_EQ(used, 0);
  eng_key_down[228] = 2;
  EXPECT_NE(Logged([&] { used = bare->HandleKeyDown(9); }).find("Coult not get prev button"), std::string::npos);
  EXPECT_EQ(used, 0);
  eng_key_down[228] = 0;
}

// What a new screen finds under a pointer that has not moved is no keyboard focus: Space and
// Enter press nothing until the pointer moves or Tab puts the focus somewhere; a click still
// presses it, and the first Tab goes on from it.
TEST_F(MWinWindowInputTest, AfterAScreenChangeKeysPressOnlyWhereThePlayerPutTheFocus) {
  struct Case {
    const char *name;
    int key;
    const char *then;  // "", "move", "tab" or "click"
    int exit_presses;
  } cases[] = {
      {"space at once", 32, "", 0},
      {"enter at once", 13, "", 0},
      {"space after a move", 32, "move", 1},
      {"enter after a move", 13, "move", 1},
      {"a click at once", 32, "click", 1},
      {"space after a pointer warp's rounded echo", 32, "echo", 0},
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(k.name);
    mwin->MoveMouse(100 + 250.0f, 100 + 180.0f);  // on Back of the screen before
    ASSERT_TRUE(Desktop()->RemoveCollection("C"));
    c = Desktop()->AddCollection("C");
    MWinWindow *w = Make("W");
    w->SetKeyDownCB(KeyCB);
    AddCountingButton(w, "New", 10, 170, 60, 18);
    AddCountingButton(w, "Exit", 230, 170, 60, 18);
    c->ActivateWindowUnderMouse();
    ASSERT_TRUE(w->GetActiveButton() && strcmp(w->GetActiveButton()->GetID(), "Exit") == 0);
    const std::string then = k.then;
    const int before = Presses("Exit");
    if (then == "move") mwin->MoveMouse(100 + 260.0f, 100 + 180.0f);
    if (then == "echo") mwin->MoveMouse(100 + 251.0f, 100 + 179.5f);
    if (then == "click") {
      Click(100 + 250.0f, 100 + 180.0f);
    } else {
      mwin->KeyDown(k.key);
      NextFrame();
    }
    EXPECT_EQ(Presses("Exit") - before, k.exit_presses);
  }
  // Tab from the held focus goes on to the next stop, wrapping to the first, and Space then
  // presses it.
  mwin->MoveMouse(100 + 250.0f, 100 + 180.0f);
  ASSERT_TRUE(Desktop()->RemoveCollection("C"));
  c = Desktop()->AddCollection("C");
  MWinWindow *w = Make("W");
  AddCountingButton(w, "New", 10, 170, 60, 18);
  AddCountingButton(w, "Exit", 230, 170, 60, 18);
  c->ActivateWindowUnderMouse();
  mwin->KeyDown(9);
  ASSERT_TRUE(w->GetActiveButton());
  EXPECT_STREQ(w->GetActiveButton()->GetID(), "New");
  mwin->KeyDown(32);
  EXPECT_EQ(Presses("New"), 1);
}

TEST_F(MWinWindowInputTest, TabWithOneStopComesBackToIt) {
  MWinWindow *w = Make("W");
  MWinButton *a = AddCountingButton(w, "A", 0, 0, 20, 20);
  w->AddButton("S", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_DEFAULT", nullptr, 30, 0, 20, 20);
  mwin->MoveMouse(100 + 10.0f, 100 + 10.0f);
  ASSERT_TRUE(a->IsActive());
  EXPECT_TRUE(w->HandleKeyDown(9));
  EXPECT_TRUE(a->IsActive());
  eng_key_down[228] = 2;
  EXPECT_TRUE(w->HandleKeyDown(9));
  EXPECT_TRUE(a->IsActive());
  eng_key_down[228] = 0;

  // Nothing to travel to.
  MWinWindow *empty = Make("Empty");
  EXPECT_FALSE(empty->HandleKeyDown(9));
}

TEST_F(MWinWindowInputTest, DraggingByTheTitleBarStaysOnScreen) {
  info.move_mode = 1;
  MWinWindow *w = Make("W");
  w->SetEmptyPressCB(EmptyPressCB, nullptr);
  // Grab the title bar 20 units right of the hide-less title text area's left edge.
  mwin->MoveMouse(120.0f, 85.0f);
  EXPECT_TRUE(mwin->ButtonPressed(0, 1, 0));
  ASSERT_TRUE(w->IsDragging());
  struct Step {
    float mouse_x, mouse_y, want_x, want_y;
  } steps[] = {
      {170, 135, 150, 150},  // follows the pointer
      {170, -500, 150, 30},  // never above the title bar
      {900, 135, 340, 150},  // right edge at the design width
      {-50, 900, 0, 280},    // left and bottom edges
  };
  for (const Step &s : steps) {
    SCOPED_TRACE(s.mouse_x);
    mwin->MoveMouse(s.mouse_x, s.mouse_y);
    EXPECT_FLOAT_EQ(w->GetActualAreaReal()->x, s.want_x);
    EXPECT_FLOAT_EQ(w->GetActualAreaReal()->y, s.want_y);
  }
  EXPECT_FLOAT_EQ(w->GetOrigArea()->x, 100);  // the move is of the actual area only
  EXPECT_TRUE(w->HandleButtonPressed(0, 0, 0, 0));
  EXPECT_FALSE(w->IsDragging());
  EXPECT_EQ(empty_presses, 0);

  // The client area of a title-bar-dragged window calls the empty-press callback instead.
  mwin->MoveMouse(50.0f, 350.0f);
  EXPECT_TRUE(mwin->ButtonPressed(0, 1, 0));
  EXPECT_FALSE(w->IsDragging());
  EXPECT_EQ(empty_presses, 1);
  mwin->ButtonPressed(0, 0, 0);
  // A right press neither drags nor calls it.
  EXPECT_FALSE(w->HandleButtonPressed(1, 1, 0, 0));
  EXPECT_EQ(empty_presses, 1);
}

TEST_F(MWinWindowInputTest, MoveModesDecideWhereADragStarts) {
  struct Case {
    int mode;
    float y;
    char drags;
  } cases[] = {{0, 85, 0}, {1, 85, 1}, {1, 150, 0}, {2, 150, 1}, {2, 85, 1}};
  for (const Case &k : cases) {
    SCOPED_TRACE(k.mode * 1000 + k.y);
    info.move_mode = k.mode;
    MWinWindow *w = Make("W");
    mwin->MoveMouse(200.0f, k.y);
    w->HandleButtonPressed(0, 1, 0, 0);
    EXPECT_EQ(w->IsDragging(), k.drags);
    w->HandleButtonPressed(0, 0, 0, 0);
    c->RemoveWindow(w);
  }
}

TEST_F(MWinWindowInputTest, TheHideButtonFiresOnAReleaseWhenActiveAndEnabled) {
  info.has_hide_button = 1;
  MWinWindow *w = Make("W");
  int one = 1;
  w->SetHideButtonPlainCallback(PlainCB, &one);
  MWinButton *hide = w->GetHideButton();
  const _Dimension *area = hide->GetActualArea();
  float x = area->x + 5, y = area->y + 5;

  mwin->MoveMouse(x, y);
  ASSERT_TRUE(hide->IsActive());
  EXPECT_TRUE(mwin->ButtonPressed(0, 1, 0));  // a press is taken but does nothing
  EXPECT_EQ(mwin->GetNumQueuedMessages(), 0);
  EXPECT_TRUE(mwin->ButtonPressed(0, 0, 0));
  EXPECT_EQ(mwin->GetNumQueuedMessages(), 1);
  EXPECT_EQ(plain_calls, 0);
  NextFrame();
  EXPECT_EQ(plain_calls, 1);

  hide->Disable();
  mwin->MoveMouse(x, y);
  EXPECT_TRUE(mwin->ButtonPressed(0, 0, 0));
  NextFrame();
  EXPECT_EQ(plain_calls, 1);

  // With a controller as well, the plain callback is the one used.
  hide->Enable();
  Controller controller;
  w->SetController(&controller);
  mwin->MoveMouse(x, y);
  mwin->ButtonPressed(0, 0, 0);
  NextFrame();
  EXPECT_EQ(plain_calls, 2);
  EXPECT_TRUE(controller.pressed.empty());

  // Without one, the controller decides at once.
  w->SetHideButtonPlainCallback(nullptr, nullptr);
  mwin->ButtonPressed(0, 0, 0);
  EXPECT_EQ(controller.pressed, std::vector<std::string>{"STD_HIDE"});
  EXPECT_EQ(mwin->GetNumQueuedMessages(), 0);
}

TEST_F(MWinWindowInputTest, PressCancelEndsDrags) {
  info.move_mode = 2;
  MWinWindow *w = Make("W");
  w->SetExtraSize(0, 100);
  mwin->MoveMouse(200.0f, 150.0f);
  w->HandleButtonPressed(0, 1, 0, 0);
  ASSERT_TRUE(w->IsDragging());
  mwin->CancelMouseButtonDown();
  EXPECT_FALSE(w->IsDragging());
  const _Dimension &thumb = w->GetScrollbar(1)->thumb;
  mwin->MoveMouse(thumb.x + 1, thumb.y + 1);
  w->HandleButtonPressed(0, 1, 0, 0);
  ASSERT_TRUE(w->GetScrollbar(1)->dragging);
  mwin->CancelMouseButtonDown();
  EXPECT_FALSE(w->GetScrollbar(1)->dragging);
}

}  // namespace
}  // namespace qwtest
