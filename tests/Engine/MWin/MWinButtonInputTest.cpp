#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollectionController.h"
#include "tests/Engine/MWin/MWinWidgetTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

struct Press {
  std::string button, window;
  MWinButton *pointer;
};

class Controller : public MWinCollectionController {
 public:
  char CreateCollection(MWin *) override { return 1; }
  void RemoveVars() override {}
  void StartingCB(void *) override {}
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override {
    presses.push_back({info->button_id, info->window_id, info->button});
    EXPECT_EQ(button, info->button);
    if (on_press) on_press();
    return 1;
  }
  std::vector<Press> presses;
  std::function<void()> on_press;
};

class MWinButtonInputTest : public MWinProgramTest {
 protected:
  void SetUp() override {
    MWinProgramTest::SetUp();
    collection = Desktop()->AddCollection("C");
    window = AddWindow(collection, "W", 100, 100, 200, 100);
    sounds.clear();
    mwin->SetSoundPlayCallback([](_MWinSoundEvent e, void *) { sounds.push_back(e); }, nullptr);
  }
  MWinButton *AddPush(const char *id, float x, float y) {
    return window->AddButton(id, MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", id, x, y, 40, 20);
  }

  MWinCollection *collection = nullptr;
  MWinWindow *window = nullptr;
  Controller controller;
  static std::vector<_MWinSoundEvent> sounds;
};
std::vector<_MWinSoundEvent> MWinButtonInputTest::sounds;

TEST_F(MWinButtonInputTest, APressReachesTheControllerWithItsIdsOnTheRelease) {
  window->SetController(&controller);
  MWinButton *ok = AddPush("OK", 10, 10);
  AddPush("Cancel", 60, 10);
  mwin->MoveMouse(115.0f, 115.0f);
  mwin->ButtonPressed(0, 1, 0);
  EXPECT_TRUE(controller.presses.empty());
  EXPECT_TRUE(ok->IsPressed());
  mwin->ButtonPressed(0, 0, 0);
  ASSERT_EQ(controller.presses.size(), 1u);
  EXPECT_EQ(controller.presses[0].button, "OK");
  EXPECT_EQ(controller.presses[0].window, "W");
  EXPECT_EQ(controller.presses[0].pointer, ok);
  EXPECT_EQ(sounds.back(), MWIN_SOUND_PRESS);

  // A release alone, or the right button, calls nothing.
  mwin->ButtonPressed(0, 0, 0);
  Click(115, 115, 1);
  EXPECT_EQ(controller.presses.size(), 1u);
  EXPECT_EQ(ok->HandleMouseButtonPressed(1, 1, 0), 0);

  // A double click is one press.
  ok->HandleMouseButtonDoubleClicked(0);
  EXPECT_EQ(controller.presses.size(), 2u);
  // Enter and Space from the keyboard do the same; key-ups never count.
  EXPECT_EQ(ok->HandleKeyDown(13), 1);
  EXPECT_EQ(ok->HandleKeyDown(32), 1);
  EXPECT_EQ(ok->HandleKeyDown('a'), 0);
  EXPECT_EQ(ok->HandleKeyUp(13), 0);
  EXPECT_EQ(controller.presses.size(), 4u);
}

TEST_F(MWinButtonInputTest, DisabledOrHiddenWidgetsTakeNoPress) {
  MWinButton *b = AddCountingButton(window, "B", 10, 10, 40, 20);
  mwin->MoveMouse(115.0f, 115.0f);
  mwin->ButtonPressed(0, 1, 0);
  b->Disable();
  EXPECT_EQ(b->HandleMouseButtonPressed(0, 0, 0), 0);
  EXPECT_FALSE(b->IsPressed());
  b->Enable();
  b->Hide();
  Click(115, 115);
  EXPECT_EQ(Presses("B"), 0);
  b->SetShownFlag(1);
  Click(115, 115);
  EXPECT_EQ(Presses("B"), 1);
}

static int cb_calls = 0, cb2_calls = 0, plain_calls = 0;
static void Cb(MWin *, _MWinButtonCallbackInfo *info, int a, int b) {
  cb_calls++;
  EXPECT_EQ(a + b, 7);
  EXPECT_STREQ(info->button_id, "B");
}
static void Cb2(MWin *, _MWinButtonCallbackInfo *, int, int, void *user) {
  cb2_calls++;
  EXPECT_EQ(*static_cast<int *>(user), 42);
}
static void Plain() { plain_calls++; }

TEST_F(MWinButtonInputTest, OneCallbackAtATimeAndTheControllerComesFirst) {
  cb_calls = cb2_calls = plain_calls = 0;
  int user = 42;
  MWinButton *b = AddPush("B", 10, 10);
  EXPECT_FALSE(b->IsATabStop());  // a push button with no way to report
  EXPECT_TRUE(b->SetCallback(Cb, 3, 4, 1));
  EXPECT_TRUE(b->IsATabStop());
  EXPECT_EQ(b->CallCallback(), 1);
  EXPECT_TRUE(b->SetCallback(Cb2, 0, 0, &user, 1));
  EXPECT_EQ(b->CallCallback(), 1);
  EXPECT_TRUE(b->SetPlainCallback(Plain));
  EXPECT_EQ(b->CallCallback(), 1);
  EXPECT_EQ(cb_calls, 1);
  EXPECT_EQ(cb2_calls, 1);
  EXPECT_EQ(plain_calls, 1);
  b->RemoveAllCallbacks();
  EXPECT_EQ(b->CallCallback(), 0);

  // With a controller the own callback is not called, and new ones are refused.
  EXPECT_TRUE(b->SetCallback(Cb, 3, 4, 0));
  window->SetController(&controller);
  EXPECT_EQ(b->CallCallback(), 1);
  EXPECT_EQ(controller.presses.size(), 1u);
  EXPECT_EQ(cb_calls, 1);
  std::string log = Logged([&] { EXPECT_FALSE(b->SetPlainCallback(Plain)); });
  EXPECT_NE(log.find("Use controller"), std::string::npos);
  EXPECT_FALSE(b->SetCallback(Cb, 3, 4, 1));
  EXPECT_TRUE(b->IsATabStop());

  MWinButton *label = window->AddButton("L", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "x", 0, 0, 10, 10);
  MWinButton *frame = window->AddButton("F", MWIN_BUTTON_FRAME, "MWIN_TEXBUT_NONE", "x", 0, 0, 10, 10);
  EXPECT_FALSE(label->IsATabStop());
  EXPECT_FALSE(frame->IsATabStop());
}

TEST_F(MWinButtonInputTest, ACallbackThatDeletesItsOwnScreenIsSurvived) {
  window->SetController(&controller);
  AddPush("Quit", 10, 10);
  controller.on_press = [&] { Desktop()->RemoveCollection("C"); };
  Click(115, 115);
  EXPECT_EQ(controller.presses.size(), 1u);
  EXPECT_EQ(Desktop()->GetCollectionFromID("C", 0), nullptr);
  EXPECT_EQ(MWinButton::total_buttons_created, 0);
}

static MWinWindow *replace_window = nullptr;
static MWinButton *replacement = nullptr;
static void DeleteAndRemake(MWin *, _MWinButtonCallbackInfo *info, int, int) {
  // Removes the pressed button and makes a new one under the same ids, quite possibly at the
  // same address.
  replace_window->RemoveButton(info->button);
  replacement = replace_window->AddButton("Same", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "new", 10, 10, 40, 20);
}

TEST_F(MWinButtonInputTest, AButtonRemadeUnderTheSameIdsIsNotTakenForTheOldOne) {
  replace_window = window;
  MWinButton *b = AddPush("Same", 10, 10);
  b->SetCallback(DeleteAndRemake, 0, 0, 1);
  sounds.clear();
  EXPECT_EQ(b->CallCallback(), 0);
  ASSERT_NE(replacement, nullptr);
  EXPECT_TRUE(replacement->IsValid());
  EXPECT_TRUE(sounds.empty());  // nothing was done for the vanished button
  EXPECT_EQ(window->GetNumButtons(), 1);
  // Pressed through the mouse, the new one is called the same way.
  Click(115, 115);
  EXPECT_EQ(window->GetNumButtons(), 1);
}

TEST_F(MWinButtonInputTest, KeysAndWheelGoToTheWidgetsOwnCallbacks) {
  MWinButton *label = window->AddButton("L", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "x", 10, 10, 40, 20);
  static int last_key = 0, last_wheel = 0;
  label->SetKeyDownCB([](int key, MWinButton *) -> char {
    last_key = key;
    return 1;
  });
  label->SetMouseWheelCallback([](int delta) -> char {
    last_wheel = delta;
    return 1;
  });
  EXPECT_EQ(label->HandleKeyDown('x'), 0);  // not active
  label->Activate();
  EXPECT_EQ(label->HandleKeyDown('x'), 1);
  EXPECT_EQ(last_key, 'x');
  EXPECT_EQ(label->HandleMouseWheel(-2), 1);
  EXPECT_EQ(last_wheel, -2);
  EXPECT_EQ(label->PostHandleKeyDown('y', 1), 1);
  label->Deactivate();
  EXPECT_FALSE(label->IsActive());
}

}  // namespace
}  // namespace qwtest
