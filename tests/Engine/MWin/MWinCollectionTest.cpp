#include <gtest/gtest.h>

#include <string>

#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinGroup.h"
#include "tests/Engine/MWin/MWinTestSupport.h"

namespace qwtest {
namespace {

class MWinCollectionTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    c = Desktop()->AddCollection("C");
  }
  MWinCollection *c = nullptr;
};

TEST_F(MWinCollectionTest, DeletingACollectionDeletesTheWindowsOfEveryLayout) {
  for (int layout = 0; layout < ENG_NUM_LAYOUTS; layout++) {
    c->SetScreenLayout(_EngLayout(layout));
    AddCountingButton(AddWindow(c, "W", 0, 100, 100, 100), "B", 0, 0, 10, 10);
  }
  EXPECT_EQ(MWinButton::total_buttons_created, 5);
  c->RemoveAllWindows();  // the current layout's list only
  EXPECT_EQ(MWinButton::total_buttons_created, 4);
  EXPECT_EQ(c->GetNumWindows(), 0);
  c->SetScreenLayout(ENG_LAYOUT_DESKTOP);
  EXPECT_EQ(c->GetNumWindows(), 1);
  EXPECT_TRUE(Desktop()->RemoveCollection("C"));
  EXPECT_EQ(MWinButton::total_buttons_created, 0);
}

TEST_F(MWinCollectionTest, ALeftPressOutsideTheActiveWindowOnlyChoosesTheWindowUnderIt) {
  mwin->MoveMouse(600.0f, 400.0f);
  MWinWindow *a = AddWindow(c, "A", 0, 0, 100, 100);
  MWinWindow *b = AddWindow(c, "B", 200, 0, 100, 100);
  AddCountingButton(a, "BA", 0, 0, 100, 100);
  AddCountingButton(b, "BB", 0, 0, 100, 100);
  mwin->GetSettings()->activate_window_under_mouse = 0;
  EXPECT_EQ(c->GetActiveWindow(), b);

  mwin->MoveMouse(50.0f, 50.0f);
  EXPECT_EQ(c->GetActiveWindow(), b);
  EXPECT_TRUE(mwin->ButtonPressed(0, 1, 0));
  EXPECT_EQ(c->GetActiveWindow(), a);
  EXPECT_FALSE(b->IsActive());
  mwin->ButtonPressed(0, 0, 0);
  EXPECT_EQ(Presses("BA"), 0);  // the press chose the window and was not delivered

  Click(50, 50);
  EXPECT_EQ(Presses("BA"), 1);

  // A right press outside the active window changes no window and is not used.
  mwin->MoveMouse(250.0f, 50.0f);
  EXPECT_FALSE(mwin->ButtonPressed(1, 1, 0));
  EXPECT_EQ(c->GetActiveWindow(), a);
  EXPECT_FALSE(a->GetFirstButton()->IsActive());
}

TEST_F(MWinCollectionTest, APressOutsideTheOverallAreaIsNotUsed) {
  MWinWindow *a = AddWindow(c, "A", 0, 0, 100, 100);
  AddCountingButton(a, "BA", 0, 0, 100, 100);
  AddWindow(c, "B", 200, 0, 100, 100);
  c->SetOverallAreaToSizeOfFirstWindow();
  mwin->GetSettings()->activate_collection_under_mouse = 0;
  mwin->MoveMouse(250.0f, 50.0f);
  EXPECT_FALSE(c->HandleButtonPressed(0, 1, 0));
  Click(10, 10);
  EXPECT_EQ(Presses("BA"), 1);
}

TEST_F(MWinCollectionTest, AVisibleModalWindowKeepsTheInput) {
  MWinWindow *normal = AddWindow(c, "N", 0, 0, 100, 100);
  AddCountingButton(normal, "BN", 0, 0, 100, 100);
  MWinWindow *modal = AddWindow(c, "M", 300, 300, 100, 100, MWIN_WINDOW_MODAL);
  EXPECT_TRUE(c->HasModalWindow());
  EXPECT_TRUE(modal->IsActive());
  Click(50, 50);
  EXPECT_FALSE(normal->IsActive());
  EXPECT_TRUE(modal->IsActive());
  EXPECT_EQ(Presses("BN"), 0);

  modal->Hide();
  EXPECT_FALSE(c->HasModalWindow());
  mwin->MoveMouse(50.0f, 50.0f);
  EXPECT_TRUE(normal->IsActive());
  Click(50, 50);
  EXPECT_EQ(Presses("BN"), 1);

  normal->Deactivate();
  modal->Show(1);  // shown again with no window active: the modal one is activated
  EXPECT_TRUE(modal->IsActive());
}

TEST_F(MWinCollectionTest, ALoneWindowStaysActiveWithoutActivationUnderTheMouse) {
  mwin->GetSettings()->activate_window_under_mouse = 0;
  mwin->MoveMouse(600.0f, 400.0f);
  MWinWindow *w = AddWindow(c, "W", 0, 0, 100, 100);
  w->Deactivate();
  c->WindowsChanged();
  EXPECT_TRUE(w->IsActive());
}

TEST_F(MWinCollectionTest, EscapeQueuesTheEscapeButtonForTheNextTick) {
  MWinWindow *w = AddWindow(c, "W", 0, 0, 100, 100);
  MWinButton *cancel = AddCountingButton(w, "CANCEL", 0, 0, 10, 10);
  w->SetEscapeButton(cancel);
  eng_key_down[27] = 2;
  EXPECT_TRUE(mwin->KeyDown(27));
  EXPECT_EQ(eng_key_down[27], 0);
  EXPECT_EQ(Presses("CANCEL"), 0);
  EXPECT_EQ(mwin->GetNumQueuedMessages(), 1);
  mwin->Tick2();
  EXPECT_EQ(Presses("CANCEL"), 1);

  cancel->Hide();
  EXPECT_FALSE(mwin->KeyDown(27));
  EXPECT_EQ(mwin->GetNumQueuedMessages(), 0);
}

TEST_F(MWinCollectionTest, ADisabledCollectionIgnoresInput) {
  MWinWindow *w = AddWindow(c, "W", 0, 0, 100, 100);
  AddCountingButton(w, "B", 0, 0, 100, 100);
  c->DisableInput();
  Click(50, 50);
  EXPECT_EQ(Presses("B"), 0);
  EXPECT_FALSE(mwin->MouseWheelMoved(1));
  c->EnableInput();
  Click(50, 50);
  EXPECT_EQ(Presses("B"), 1);
}

TEST_F(MWinCollectionTest, WindowLookupsAndDuplicates) {
  MWinWindow *w = AddWindow(c, "W", 0, 0, 100, 100);
  std::string log = Logged([&] { EXPECT_NE(AddWindow(c, "W", 0, 0, 10, 10), nullptr); });
  EXPECT_NE(log.find("Window with id [W] already exists."), std::string::npos);
  EXPECT_EQ(c->GetWindowFromID("W", 1), w);
  log = Logged([&] { EXPECT_EQ(c->GetWindowFromID("X", 1), nullptr); });
  EXPECT_NE(log.find("Window <X> not found in collection <C>"), std::string::npos);
  log = Logged([&] { EXPECT_EQ(c->GetNthWindow(5), nullptr); });
  EXPECT_NE(log.find("No 5'th window found."), std::string::npos);
  EXPECT_TRUE(c->RemoveWindow(w));
  EXPECT_EQ(c->GetNumWindows(), 1);
}

}  // namespace
}  // namespace qwtest
