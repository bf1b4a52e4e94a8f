// The display-system screen on the real toolkit with a made-up list of display modes, registered
// in the test's own screens table (the game's does not register it): what enables Change, the
// windowed entry's lists, the anti-aliasing start, the request handed to the window and Escape.
#include "players/SystemCC.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngFont.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinChoice.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinList.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/MWin/MWinWindow.h"
#include "Engine/Resolution.h"
#include "screens/ScreenLayout.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

const euint kSystemScreen = EngFourCC("SYST");

std::vector<_EngWindowResChangeSettings> requests;
void Record(const _EngWindowResChangeSettings *settings, void *) { requests.push_back(*settings); }

class SystemCCTest : public qwtest::MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    mwin->GetFonts()->AddUserFontPointer("Main", &m_font);
    requests.clear();
    SystemCCSetResChangeHookForTests(Record);
    // Full-screen modes with their rates; the desktop runs 1280 x 1024 at 60 and 75 Hz.
    const _EngDisplayModeInfo modes[] = {{800, 600, 32, 60},   {800, 600, 32, 75},    {1024, 768, 32, 60},
                                         {1024, 768, 32, 85},  {1280, 1024, 32, 60},  {1280, 1024, 32, 75}};
    const _EngDisplayModeInfo current = {1280, 1024, 32, 60};
    EngResModesSetDisplayForTests(modes, 6, &current);
    saved_device = eng_main_device_type;
    eng_main_device_type = ENG_DEVICE_TYPE_OPENGL;
    eng_main_window_windowed = 1;
    eng_main_window_width = 640;
    eng_main_window_height = 480;
    eng_main_window_bitdepth = 32;
    eng_main_window_frequency = 60;
    eng_main_window_aa = 0;
  }
  void TearDown() override {
    screens.reset();
    SystemCCSetResChangeHookForTests(nullptr);
    EngResModesSetDisplayForTests(nullptr, 0, nullptr);
    eng_main_device_type = saved_device;
    eng_main_window_windowed = 1;
    eng_main_window_aa = 0;
    ResolutionResetForTests();
    MWinTest::TearDown();
  }
  void Start() {
    screens.reset(new MWinScreens(mwin, 0));
    system.SetScreensVar(screens.get());
    ASSERT_EQ(screens->SetupAllScreens(), 1);
    ASSERT_EQ(screens->AddScreen(kSystemScreen, &system), 1);
    screens->StartScreen(kSystemScreen, -1);
    ASSERT_NE(system.mwinSystemMainWinChangeButton, nullptr);
  }
  // The kind chosen as the toolkit reports it.
  void ChooseKind(int entry) {
    MWinChoice::From(system.mwinSystemMainWinModeButton)->ChoiceSetSel(entry);
    _MWinButtonCallbackInfo info = {};
    EXPECT_EQ(system.ButtonsCallback(system.mwinSystemMainWinModeButton, &info), 1);
  }
  void PickFromList(MWinButton *button, int pos) {
    MWinList::From(button)->ListSetPos(pos, 0);
    _MWinButtonCallbackInfo info = {};
    info.list_event = 1;
    info.list_pos = pos;
    EXPECT_EQ(system.ButtonsCallback(button, &info), 1);
  }
  char ChangeEnabled() { return system.mwinSystemMainWinChangeButton->IsEnabled(); }
  std::vector<std::string> Entries(MWinButton *button) {
    std::vector<std::string> out;
    MWinList *list = MWinList::From(button);
    for (int i = 0; i < list->ListGetNumEntries(); i++) out.push_back(list->ListGetStringAtPos(i));
    return out;
  }

  EngFont m_font;
  SystemCC system;
  std::unique_ptr<MWinScreens> screens;
  EngInt32 saved_device = 0;
};

TEST_F(SystemCCTest, OnlyADifferentChoiceEnablesChange) {
  Start();
  EXPECT_EQ(system.IsChanged(), 0);
  EXPECT_EQ(ChangeEnabled(), 0);
  EXPECT_EQ(MWinChoice::From(system.mwinSystemMainWinModeButton)->ChoiceGetSel(), 1);
  ChooseKind(0);
  EXPECT_EQ(ChangeEnabled(), 1);
  EXPECT_EQ(system.mwinSystemMainWinResButton->IsEnabled(), 1);
  ChooseKind(1);
  EXPECT_EQ(ChangeEnabled(), 0);
  // Another anti-aliasing level is a change too, and back is none.
  PickFromList(system.mwinSystemMainWinAaButton, 2);
  EXPECT_EQ(ChangeEnabled(), 1);
  PickFromList(system.mwinSystemMainWinAaButton, 0);
  EXPECT_EQ(ChangeEnabled(), 0);
  // Pressing Change with nothing changed hands nothing over.
  system.ChangeCB();
  EXPECT_TRUE(requests.empty());
}

TEST_F(SystemCCTest, WindowedDisablesResAndListsTheWindowedEntrysRates) {
  Start();
  EXPECT_EQ(system.mwinSystemMainWinResButton->IsEnabled(), 0);
  EXPECT_EQ(system.GetCurrentMode(), system.GetModes()->GetWindowedMode());
  EXPECT_EQ(Entries(system.mwinSystemMainWinFreqButton), (std::vector<std::string>{"60 Hertz"}));
  EXPECT_EQ(Entries(system.mwinSystemMainWinResButton).size(), 3u);
  EXPECT_EQ(Entries(system.mwinSystemMainWinResButton)[1], "1024 x 768 x 32");
  EXPECT_STREQ(SystemControlGetDisplayModeStringsCB(1, nullptr, nullptr), "Windowed");
  EXPECT_STREQ(SystemControlGetDisplayModeStringsCB(0, nullptr, nullptr), "Full Screen");
  EXPECT_EQ(system.GetAAIndex(), 0);
  EXPECT_EQ(MWinList::From(system.mwinSystemMainWinAaButton)->ListGetNumEntries(), 4);
}

TEST_F(SystemCCTest, AnAntiAliasingOfSixStartsAtTheFirstEntry) {
  struct Case {
    EngInt32 samples;
    int index;
  } cases[] = {{6, 0}, {8, 3}, {4, 2}, {2, 1}, {0, 0}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.samples);
    eng_main_window_aa = c.samples;
    Start();
    EXPECT_EQ(system.GetAAIndex(), c.index);
    EXPECT_EQ(MWinList::From(system.mwinSystemMainWinAaButton)->ListGetPos(), c.index);
    EXPECT_EQ(ChangeEnabled(), 0);
    screens.reset();
    system.RemoveVars();
  }
}

TEST_F(SystemCCTest, ChangeHandsTheWindowTheChosenModesRate) {
  Start();
  ChooseKind(0);
  PickFromList(system.mwinSystemMainWinResButton, 1);
  ASSERT_EQ(Entries(system.mwinSystemMainWinFreqButton), (std::vector<std::string>{"60 Hertz", "85 Hertz"}));
  PickFromList(system.mwinSystemMainWinFreqButton, 1);
  PickFromList(system.mwinSystemMainWinAaButton, 2);
  ASSERT_EQ(ChangeEnabled(), 1);
  _MWinButtonCallbackInfo info = {};
  EXPECT_EQ(system.ButtonsCallback(system.mwinSystemMainWinChangeButton, &info), 1);
  ASSERT_EQ(requests.size(), 1u);
  const _EngWindowResChangeSettings &r = requests[0];
  EXPECT_EQ(r.change_requested, 1);
  EXPECT_EQ(r.windowed, 0);
  EXPECT_EQ(r.width, 1024);
  EXPECT_EQ(r.height, 768);
  EXPECT_EQ(r.bit_depth, 32);
  EXPECT_EQ(r.frequency, 85);
  EXPECT_EQ(r.anti_aliasing, 4);
  // Leaving forgets the modes.
  EXPECT_EQ(system.GetModes(), nullptr);
  EXPECT_EQ(system.IsChanged(), 0);
}

TEST_F(SystemCCTest, TheWindowedRateComesFromTheWindowedEntry) {
  // Full screen at 800 x 600 and 75 Hz, then windowed: the rate is the windowed entry's (the
  // desktop's 60 Hz), never the full-screen mode's entry at the same place.
  const _EngDisplayModeInfo modes[] = {{800, 600, 32, 75}, {1280, 1024, 32, 60}};
  const _EngDisplayModeInfo current = {1280, 1024, 32, 60};
  EngResModesSetDisplayForTests(modes, 2, &current);
  eng_main_window_windowed = 0;
  eng_main_window_width = 800;
  eng_main_window_height = 600;
  eng_main_window_frequency = 75;
  Start();
  EXPECT_EQ(system.mwinSystemMainWinResButton->IsEnabled(), 1);
  EXPECT_EQ(Entries(system.mwinSystemMainWinFreqButton), (std::vector<std::string>{"75 Hertz"}));
  ChooseKind(1);
  EXPECT_EQ(Entries(system.mwinSystemMainWinFreqButton), (std::vector<std::string>{"60 Hertz"}));
  system.ChangeCB();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].windowed, 1);
  EXPECT_EQ(requests[0].frequency, 60);
}

TEST_F(SystemCCTest, EscapeLeavesWithoutAChangeButNotWhileAListIsOpen) {
  Start();
  ChooseKind(0);
  MWinList::From(system.mwinSystemMainWinFreqButton)->ListOpen();
  eng_key_down[27] = 2;
  system.TickCB();
  EXPECT_NE(system.GetModes(), nullptr);
  MWinList::From(system.mwinSystemMainWinFreqButton)->ListClose(0, 0);
  eng_key_down[27] = 2;
  system.TickCB();
  EXPECT_NE(system.GetModes(), nullptr);
  eng_key_down[27] = 2;
  system.TickCB();
  EXPECT_EQ(system.GetModes(), nullptr);
  EXPECT_EQ(eng_key_down[27], 0);
  EXPECT_TRUE(requests.empty());
}

TEST_F(SystemCCTest, NoModesIsReportedAndLeavesTheListsEmpty) {
  const _EngDisplayModeInfo none[1] = {};
  EngResModesSetDisplayForTests(none, 0, nullptr);
  std::string log = qwtest::Logged([&] { Start(); });
  EXPECT_EQ(system.GetModes(), nullptr);
  EXPECT_NE(log.find("No modes."), std::string::npos) << log;
  log = qwtest::Logged([&] { system.UpdateButtons(); });
  EXPECT_NE(log.find("No modes."), std::string::npos) << log;
  system.ChangeCB();
  EXPECT_TRUE(requests.empty());
}

TEST_F(SystemCCTest, EveryTokenTheLayoutUsesIsInTheEnglishTexts) {
  const std::string english = qwtest::ReadWholeFile(qwtest::SourceDir() + "/resources/CommonTexts/English.txt");
  const ScreenLayoutWindow &window = SystemCollectionController::GetLayout().windows[0];
  int tokens = 0;
  for (int n = 0; n < window.num_widgets; n++) {
    if (window.widgets[n].settings.token_rule != 2) continue;
    tokens++;
    EXPECT_NE(english.find(std::string("\n") + window.widgets[n].settings.token + "="), std::string::npos)
        << window.widgets[n].settings.token;
  }
  EXPECT_EQ(tokens, 4);
  for (const char *token : {"Startup_Windowed", "Startup_Fullscreen", "Startup_AntialiasingMessage"})
    EXPECT_NE(english.find(std::string("\n") + token + "="), std::string::npos) << token;
}

}  // namespace
