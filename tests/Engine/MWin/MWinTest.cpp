#include <gtest/gtest.h>

#include <string>

#include "Engine/EngToolkit.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinTextures.h"
#include "tests/Engine/MWin/MWinTestSupport.h"

namespace qwtest {
namespace {

// A button that counts the frames it was ticked in.
class TickingButton : public MWinButton {
 public:
  TickingButton(MWin *mwin, MWinGroup *group) : MWinButton(mwin, "T", group, MWIN_BUTTON_PUSH, "", nullptr, 0, 0, 10, 10) {}
  char Tick() override {
    ticks++;
    return 1;
  }
  int ticks = 0;
};

TEST_F(MWinTest, StartupAndShutdownReportRepeatsAndStillSucceed) {
  EXPECT_TRUE(mwin->IsOn());
  std::string log = Logged([&] { EXPECT_TRUE(mwin->Startup()); });
  EXPECT_NE(log.find("MWin already on"), std::string::npos);
  EXPECT_TRUE(mwin->Shutdown());
  EXPECT_FALSE(mwin->IsOn());
  log = Logged([&] { EXPECT_TRUE(mwin->Shutdown()); });
  EXPECT_NE(log.find("MWin not on"), std::string::npos);
}

TEST_F(MWinTest, ShutdownRemovesCollectionsEmptiesTheQueueAndForgetsTheMouse) {
  MWinWindow *w = AddWindow(Desktop()->AddCollection("C"), "W", 0, 0, 100, 100);
  AddCountingButton(w, "B", 0, 0, 10, 10);
  mwin->MoveMouse(5, 5);
  ASSERT_TRUE(mwin->AddMessageToQueue("C", "W", "B", MWIN_MSG_CALL_CALLBACK));
  mwin->Shutdown();
  EXPECT_EQ(Desktop()->GetFirstCollection(), nullptr);
  EXPECT_EQ(mwin->GetNumQueuedMessages(), 0);
  EXPECT_EQ(MWinButton::total_buttons_created, 0);
  float x = 7, y = 7;
  Logged([&] { EXPECT_FALSE(mwin->GetMousePos(&x, &y)); });
  EXPECT_EQ(x, 7);
  mwin->Startup();
  EXPECT_TRUE(mwin->GetMousePos(&x, &y));
  EXPECT_EQ(x, -1);
  EXPECT_EQ(y, -1);
}

TEST_F(MWinTest, GraphicsAreCreatedOnlyWhileOn) {
  mwin->Shutdown();
  EXPECT_TRUE(mwin->CreateGraphicsObjects());
  EXPECT_FALSE(mwin->GetTextures()->AreTexturesLoaded());
  mwin->Startup();
  EXPECT_TRUE(mwin->CreateGraphicsObjects());
  EXPECT_TRUE(mwin->GetTextures()->AreTexturesLoaded());
  mwin->Shutdown();
  EXPECT_FALSE(mwin->GetTextures()->AreTexturesLoaded());
}

TEST_F(MWinTest, TickWithAQueuedMessageDoesNotTickTheDesktop) {
  MWinWindow *w = AddWindow(Desktop()->AddCollection("C"), "W", 0, 0, 100, 100);
  AddCountingButton(w, "B", 50, 50, 10, 10);
  auto *ticking = static_cast<TickingButton *>(w->GetFirstGroup()->CompleteAddButton(new TickingButton(mwin, w->GetFirstGroup())));
  ASSERT_TRUE(mwin->AddMessageToQueue("C", "W", "B", MWIN_MSG_CALL_CALLBACK));
  EXPECT_TRUE(mwin->Tick2());
  EXPECT_EQ(Presses("B"), 1);
  EXPECT_EQ(ticking->ticks, 0);
  EXPECT_TRUE(mwin->Tick2());
  EXPECT_EQ(ticking->ticks, 1);
  EXPECT_EQ(Presses("B"), 1);
}

TEST_F(MWinTest, ClearMethodChecksItsArguments) {
  std::string log = Logged([&] { mwin->SetClearMethod(_MWinClearMethod(4), nullptr); });
  EXPECT_NE(log.find("Invalid method"), std::string::npos);
  EXPECT_EQ(mwin->GetSettings()->clear_method, MWIN_CLEAR_NONE);

  log = Logged([&] { mwin->SetClearMethod(MWIN_CLEAR_BACKGROUND_TEXTURE, ""); });
  EXPECT_NE(log.find("Background image file name not ok"), std::string::npos);
  EXPECT_EQ(mwin->GetSettings()->clear_method, MWIN_CLEAR_NONE);

  log = Logged([&] { mwin->SetClearMethod(MWIN_CLEAR_BACKGROUND_TEXTURE, "/nonexistent/Back.jpg"); });
  EXPECT_NE(log.find("Background image file does not exist: </nonexistent/Back.jpg>"), std::string::npos);
  EXPECT_EQ(mwin->GetSettings()->clear_method, MWIN_CLEAR_COLOUR);

  mwin->SetClearMethod(MWIN_CLEAR_COLOUR_AND_DEPTH, nullptr);
  EXPECT_EQ(mwin->GetSettings()->clear_method, MWIN_CLEAR_COLOUR_AND_DEPTH);
}

TEST_F(MWinTest, TheEngineReachesTheToolkitThroughItsHooks) {
  EXPECT_TRUE(EngToolkitIsOn(mwin));
  EXPECT_FALSE(EngToolkitPopupIsOn(mwin));
  EngToolkitSetScreenLayout(mwin, ENG_LAYOUT_PHONE_PORTRAIT);
  EXPECT_EQ(mwin->GetScreenLayout(), ENG_LAYOUT_PHONE_PORTRAIT);
  EngToolkitUpdateOrientation(mwin);
  EXPECT_EQ(mwin->GetScreenLayout(), ENG_LAYOUT_DESKTOP);
  mwin->Shutdown();
  EXPECT_FALSE(EngToolkitIsOn(mwin));
  mwin->Startup();
  MWin *gone = mwin;
  delete mwin;
  mwin = nullptr;
  EXPECT_FALSE(EngToolkitIsOn(gone));  // answered by the engine, not the deleted root
}

TEST_F(MWinTest, RenderingWithoutADeviceDoesNothing) {
  AddWindow(Desktop()->AddCollection("C"), "W", 0, 0, 100, 100);
  mwin->RenderMain();
  EXPECT_FALSE(mwin->RenderPopups());
}

}  // namespace
}  // namespace qwtest
