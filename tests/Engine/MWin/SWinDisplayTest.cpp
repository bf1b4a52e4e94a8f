// SWin over the real native dialogs on the test display: the update check's window, worked
// through its widgets inside the blocking and the polled loop; and the non-interactive answer.
#include "Engine/MWin/SWin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/MAC/EngGui_MAC.h"
#include "tests/Engine/MAC/GuiTestSupport.h"

namespace {

std::vector<std::string> pressed;
void OnOk(SWin *swin) {
  pressed.push_back("ok");
  swin->QuitWindowLoop();
}
void OnLink(SWin *) { pressed.push_back("link"); }
void OnChoice(SWin *, char selection) { pressed.push_back("choice " + std::to_string(int(selection))); }

class SWinDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    EngGuiResetForTests();
    pressed.clear();
  }
  void TearDown() override {
    EngGuiResetForTests();
    DebugResetForTests();
  }
  // The update check's larger window, as it builds it.
  void Build(SWin *swin) {
    _SWinCreateInfo info = {};
    info.x = -1;
    info.y = -1;
    info.width = 650;
    info.height = 580;
    ASSERT_EQ(swin->CreateMainWindow(&info), 1);
    EXPECT_EQ(swin->AddPushButtonToWindow(253, 505, 144, 30, "Ok", OnOk), 0);
    EXPECT_EQ(swin->AddPushButtonToWindow(10, 435, 630, 25, "https://tallowmere.example.com/quarrelwick", OnLink), 1);
    char choices[2][SWIN_STRING_SIZE] = {"Stable", "Caf\xE9"};
    EXPECT_EQ(swin->AddChoiceButtonToWindow(10, 465, 200, 25, 2, choices, OnChoice), 2);
    EXPECT_EQ(swin->AddButtonToWindow(SWIN_EDIT_TEXT, 10, 15, 630, 410,
                                      "A newer version of Quarrelwick is available.\n\nVersion 2.02 mends the "
                                      "saving of games on full disks."),
              3);
    swin->SetDefaultPushButton(0);
  }
};

TEST_F(SWinDisplayTest, TheBlockingLoopRunsUntilACallbackQuitsIt) {
  SWin swin;
  qwtest::GuiDriver driver([&](EngGuiWindowRef window, const std::string &) {
    EngGuiTestClick_MAC(EngGuiTestGetCreatedControl_MAC(window, 1));
    EngGuiTestChoose_MAC(EngGuiTestGetCreatedControl_MAC(window, 2), 1);
    char text[256];
    EXPECT_EQ(swin.GetButtonText(3, text, sizeof(text)), 1);
    EXPECT_EQ(std::string(text).find("A newer version"), 0u);
    EngGuiTestClick_MAC(EngGuiTestGetCreatedControl_MAC(window, 0));
  });
  Build(&swin);
  EXPECT_EQ(swin.RunWindowLoop(), 1);
  EXPECT_EQ(pressed, (std::vector<std::string>{"link", "choice 1", "ok"}));
  EXPECT_EQ(swin.ChoiceGetSel(2), 1);
  EXPECT_EQ(swin.ProcessAnyWindowsMessages(), 0);
  EXPECT_EQ(swin.DestroyMainWindow(), 1);
}

TEST_F(SWinDisplayTest, CtrlQEndsThePolledLoopAndTextsRoundTrip) {
  SWin swin;
  qwtest::GuiDriver driver([&](EngGuiWindowRef window, const std::string &) {
    EngGuiTestTypeText_MAC(EngGuiTestGetCreatedControl_MAC(window, 3), "Caf\xE9 <b>");
    EngGuiTestPressKey_MAC(window, 'q', 1);
  });
  Build(&swin);
  int polls = 0;
  while (swin.ProcessAnyWindowsMessages() != 0 && polls < 10000) polls++;
  EXPECT_LT(polls, 10000);
  EXPECT_EQ(swin.ProcessAnyWindowsMessages(), 0);
  char text[32];
  EXPECT_EQ(swin.GetButtonText(3, text, sizeof(text)), 1);
  EXPECT_STREQ(text, "Caf\xE9 <b>");
  EXPECT_TRUE(pressed.empty());
}

TEST_F(SWinDisplayTest, TheCloseBoxQuitsTheLoop) {
  SWin swin;
  qwtest::GuiDriver driver([&](EngGuiWindowRef window, const std::string &) { EngGuiTestPressCloseBox_MAC(window); });
  Build(&swin);
  EXPECT_EQ(swin.RunWindowLoop(), 1);
  EXPECT_EQ(swin.ProcessAnyWindowsMessages(), 0);
  EXPECT_TRUE(pressed.empty());
}

TEST_F(SWinDisplayTest, NonInteractiveWithoutDriverShowsNothingAndQuits) {
  SWin swin;
  Build(&swin);
  EXPECT_EQ(swin.ProcessAnyWindowsMessages(), 0);
  EXPECT_EQ(EngGuiTestGetNumWindowsShown_MAC(), 0);
  EXPECT_TRUE(pressed.empty());  // the default button is not pressed
  SWin blocking;
  Build(&blocking);
  EXPECT_EQ(blocking.RunWindowLoop(), 1);
  EXPECT_EQ(blocking.ProcessAnyWindowsMessages(), 0);
  EXPECT_TRUE(pressed.empty());
}

}  // namespace
