// The game's screens table with the real game object and no graphics device: registrations,
// the main menu's collection and pointers across screen changes, and the menu's presses that
// need no window (the display test presses them with the mouse).
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngPicture.h"
#include "Engine/EngMemory.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinTextEntryMobile.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Program.h"
#include "game/SavedGame.h"
#include "players/UserClass.h"
#include "screens/AboutCC.h"
#include "screens/GameAdsCC.h"
#include "screens/HelpCC.h"
#include "screens/LogCC.h"
#include "screens/MainCC.h"
#include "screens/MainControl.h"
#include "screens/PopupCC.h"
#include "screens/ScoresCC.h"
#include "screens/VQ_Screens.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/Engine/MWin/ScreensTestSupport.h"
#include "tests/game/GameObjectTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class VQ_ScreensTest : public qwtest::GameObjectTest {
 protected:
  void SetUp() override {
    MainControlResetForTests();
    StartGameObject("screens tests");
    if (HasFatalFailure()) return;
    qwtest::SetWindowSizeForToolkit(640, 480);
    m_mwin = m_game->GetMWin();
    m_mwin->Startup();
    // The game's font id, as its skin registers it before any screen is built.
    m_mwin->GetFonts()->AddUserFontPointer("Main", m_game->GetFont());
    m_screens = m_game->GetScreens();
    for (qwtest::FakeController *c : {&m_select, &m_other}) {
      c->m_screens = m_screens;
      c->m_mwin = m_mwin;
      c->m_game = m_game;
    }
  }
  void TearDown() override {
    StopGameObject();
    MainControlResetForTests();
  }
  MainCC *Main() { return m_screens->GetMainCC(); }
  // Presses a main menu widget as the toolkit reports a press.
  char Press(MWinButton *button) {
    _MWinButtonCallbackInfo info = {};
    return Main()->ButtonsCallback(button, &info);
  }

  std::vector<std::string> m_log;
  qwtest::FakeController m_select{"Select", &m_log}, m_other{"Other", &m_log};
  VQ_Screens *m_screens = nullptr;
};

TEST_F(VQ_ScreensTest, EveryRegistrationIsTriedAndOneRefusalFailsTheWhole) {
  ASSERT_EQ(m_screens->SetupAllScreens(), 1);
  const VQ_ScreenEntry entries[] = {
      {EngFourCC("AAAA"), &m_other},
      {MAIN_SCREEN_ID, &m_select},  // already the main menu's
      {EngFourCC("BBBB"), &m_select},
  };
  std::string log = qwtest::Logged([&] { EXPECT_EQ(m_screens->AddScreens(entries, 3), 0); });
  EXPECT_NE(log.find("Screen [MAIN] already exists."), std::string::npos) << log;
  // Both on either side of the refusal are there: a second registration is refused too.
  EXPECT_EQ(m_screens->AddScreen(EngFourCC("AAAA"), &m_other), 0);
  EXPECT_EQ(m_screens->AddScreen(EngFourCC("BBBB"), &m_select), 0);
  // A second set-up starts from an empty table.
  EXPECT_EQ(m_screens->SetupAllScreens(), 1);
  EXPECT_EQ(m_screens->AddScreen(EngFourCC("BBBB"), &m_select), 1);
}

TEST_F(VQ_ScreensTest, TheScreenIdsAreTheirFourCharacters) {
  const std::pair<euint, const char *> ids[] = {
      {MAIN_SCREEN_ID, "MAIN"},   {OPTIONS_SCREEN_ID, "OPTN"}, {SOUNDS_SCREEN_ID, "PLRS"}, {SELECT_SCREEN_ID, "SELE"},
      {SCORES_SCREEN_ID, "STAT"}, {NOTICE_SCREEN_ID, "GENL"},  {POPUP_SCREEN_ID, "POPU"},  {HELP_SCREEN_ID, "HELP"},
      {PAUSE_SCREEN_ID, "PAUS"},  {ABOUT_SCREEN_ID, "ABOT"},   {LOGS_SCREEN_ID, "LOGS"},   {GAME_ADS_SCREEN_ID, "GADS"},
  };
  for (const auto &id : ids) EXPECT_STREQ(EngGetFourCharIDAsString(id.first), id.second);
}

TEST_F(VQ_ScreensTest, LeavingTheMenuRemovesItsCollectionAndClearsItsPointersFirst) {
  // The garden selection is the real one.
  ASSERT_EQ(m_screens->SetupAllScreens(), 1);
  m_screens->StartScreen(MAIN_SCREEN_ID, -1);
  ASSERT_NE(Main()->mwinMainMainPlayButton, nullptr);
  ASSERT_NE(m_mwin->GetCollectionFromID("Main", 0), nullptr);
  m_log.clear();
  EXPECT_EQ(Press(Main()->mwinMainMainPlayButton), 1);
  EXPECT_EQ(m_mwin->GetCurrentScreen(), SELECT_SCREEN_ID);
  EXPECT_EQ(m_mwin->GetCollectionFromID("Main", 0), nullptr);
  EXPECT_NE(m_mwin->GetCollectionFromID("Select", 0), nullptr);
  EXPECT_EQ(Main()->mwinMainCollection, nullptr);
  EXPECT_EQ(Main()->mwinMainMainWindow, nullptr);
  EXPECT_EQ(Main()->mwinMainMainPlayButton, nullptr);
  // And back: a fresh collection with fresh pointers.
  m_screens->GoBack();
  EXPECT_EQ(m_mwin->GetCurrentScreen(), MAIN_SCREEN_ID);
  EXPECT_NE(Main()->mwinMainMainPlayButton, nullptr);
  EXPECT_EQ(m_mwin->GetCollectionFromID("Select", 0), nullptr);
  // Play leaves every screen: the pointers go with the collections.
  m_screens->End(-1);
  EXPECT_EQ(Main()->mwinMainMainPlayButton, nullptr);
}

TEST_F(VQ_ScreensTest, AScreenNotInTheGameYetIsReportedAndTheMenuStaysAsItWas) {
  ASSERT_EQ(m_screens->SetupAllScreens(), 1);
  // Every screen the menu reaches is in the game now: a table of the menu and the high scores
  // only stands for one that is not.
  m_screens->RemoveAllScreens();
  ASSERT_EQ(m_screens->AddScreen(MAIN_SCREEN_ID, Main()), 1);
  ASSERT_EQ(m_screens->AddScreen(SCORES_SCREEN_ID, m_screens->GetScoresCC()), 1);
  m_screens->StartScreen(MAIN_SCREEN_ID, -1);
  SaveGame(0, 1);
  MWinButton *play = Main()->mwinMainMainPlayButton;
  std::string log;
  struct Case {
    MWinButton *button;
    const char *id;
  };
  const Case cases[] = {
      {Main()->mwinMainMainPlayButton, "SELE"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.id);
    log = qwtest::Logged([&] { EXPECT_EQ(Press(c.button), 1); });
    EXPECT_NE(log.find(std::string("Screen [") + c.id + "] not found."), std::string::npos) << log;
    EXPECT_EQ(m_mwin->GetCurrentScreen(), MAIN_SCREEN_ID);
    EXPECT_EQ(Main()->mwinMainMainPlayButton, play);
  }
  // New Game deleted the resume game all the same.
  EXPECT_EQ(DoesSavedGameExist(0, 1), 0);
  // The high scores are in the game.
  EXPECT_EQ(Press(Main()->mwinMainMainScoresButton), 1);
  EXPECT_EQ(m_mwin->GetCurrentScreen(), SCORES_SCREEN_ID);
  m_screens->GoBack();
  EXPECT_EQ(m_mwin->GetCurrentScreen(), MAIN_SCREEN_ID);
  play = Main()->mwinMainMainPlayButton;
  EXPECT_EQ(Press(nullptr), 0);
  _MWinButtonCallbackInfo info = {};
  EXPECT_EQ(Main()->ButtonsCallback(play, nullptr), 0);
  EXPECT_EQ(Main()->ButtonsCallback(Main()->mwinMainMainVersionButton, &info), 0);
}

TEST_F(VQ_ScreensTest, OtherGamesIsRegisteredAndBackReturnsToTheMenu) {
  ASSERT_EQ(m_screens->SetupAllScreens(), 1);
  m_screens->StartScreen(MAIN_SCREEN_ID, -1);
  EXPECT_EQ(Press(Main()->mwinMainMainOtherGamesButton), 1);
  EXPECT_EQ(m_mwin->GetCurrentScreen(), GAME_ADS_SCREEN_ID);
  EXPECT_EQ(Main()->mwinMainMainPlayButton, nullptr);
  ASSERT_NE(m_mwin->GetCollectionFromID("GameAds", 0), nullptr);
  m_screens->GetGameAdsCC()->BackCB();
  EXPECT_EQ(m_mwin->GetCurrentScreen(), MAIN_SCREEN_ID);
  EXPECT_NE(Main()->mwinMainMainPlayButton, nullptr);
}

TEST_F(VQ_ScreensTest, HelpAndAboutOpenFromTheMenuAndTheirBackButtonsReturnToIt) {
  ASSERT_EQ(m_screens->SetupAllScreens(), 1);
  m_screens->StartScreen(MAIN_SCREEN_ID, -1);
  _MWinButtonCallbackInfo info = {};

  EXPECT_EQ(Press(Main()->mwinMainMainHelpButton), 1);
  ASSERT_EQ(m_mwin->GetCurrentScreen(), HELP_SCREEN_ID);
  HelpCC *help = m_screens->GetHelpCC();
  ASSERT_NE(help->mwinHelpHelpBackButton, nullptr);
  EXPECT_EQ(help->mwinHelpHelpWindow->GetEscapeButton(), help->mwinHelpHelpBackButton);
  EXPECT_EQ(Main()->mwinMainMainPlayButton, nullptr);
  EXPECT_EQ(help->ButtonsCallback(help->mwinHelpHelpBackButton, &info), 1);
  EXPECT_EQ(m_mwin->GetCurrentScreen(), MAIN_SCREEN_ID);
  EXPECT_EQ(help->mwinHelpHelpBackButton, nullptr);
  EXPECT_EQ(help->GetPageText(), nullptr);

  EXPECT_EQ(Press(Main()->mwinMainMainAboutButton), 1);
  ASSERT_EQ(m_mwin->GetCurrentScreen(), ABOUT_SCREEN_ID);
  AboutCC *about = m_screens->GetAboutCC();
  ASSERT_NE(about->mwinAboutAboutBackButton, nullptr);
  EXPECT_EQ(about->mwinAboutAboutWindow->GetEscapeButton(), about->mwinAboutAboutBackButton);
  EXPECT_STREQ(about->mwinAboutAboutVersionButton->GetTextP(), "Version 2.01");
  // Logs leads to the log viewer, which shows this run's log; its Back returns to the about
  // screen and empties the lines, and the about screen's Back to the menu.
  EXPECT_EQ(about->ButtonsCallback(about->mwinAboutAboutLogsButton, &info), 1);
  ASSERT_EQ(m_mwin->GetCurrentScreen(), LOGS_SCREEN_ID);
  LogCC *logs = m_screens->GetLogCC();
  ASSERT_NE(logs->mwinLogMainWinWindow, nullptr);
  EXPECT_GT(logs->GetNumLogEntries(), 0);
  EXPECT_EQ(logs->ButtonsCallback(logs->mwinLogMainWinWindow->GetHideButton(), &info), 1);
  EXPECT_EQ(logs->GetNumLogEntries(), 0);
  ASSERT_EQ(m_mwin->GetCurrentScreen(), ABOUT_SCREEN_ID);
  ASSERT_NE(about->mwinAboutAboutBackButton, nullptr);
  EXPECT_EQ(about->ButtonsCallback(about->mwinAboutAboutBackButton, &info), 1);
  EXPECT_EQ(m_mwin->GetCurrentScreen(), MAIN_SCREEN_ID);
  // Presses of nothing, or of a widget that does nothing, are not theirs.
  EXPECT_EQ(help->ButtonsCallback(nullptr, &info), 0);
  EXPECT_EQ(about->ButtonsCallback(Main()->mwinMainMainPlayButton, &info), 0);
  EXPECT_EQ(about->ButtonsCallback(Main()->mwinMainMainPlayButton, nullptr), 0);
  // The game goes while help shows a page: the page text goes after the text box's pointer.
  ASSERT_EQ(m_mwin->GetCurrentScreen(), MAIN_SCREEN_ID);
  EXPECT_EQ(Press(Main()->mwinMainMainHelpButton), 1);
  ASSERT_NE(help->GetPageText(), nullptr);
}

TEST_F(VQ_ScreensTest, AMissingTitlePictureLeavesTheTitleEmptyAndIsReportedOnce) {
  ASSERT_EQ(m_screens->SetupAllScreens(), 1);
  auto count = [](const std::string &log, const std::string &what) {
    int n = 0;
    for (size_t at = log.find(what); at != std::string::npos; at = log.find(what, at + 1)) n++;
    return n;
  };
  std::string log = qwtest::Logged([&] {
    m_screens->StartScreen(MAIN_SCREEN_ID, -1);
    m_screens->ReloadCurrentScreen();
    m_screens->ReloadCurrentScreen();
  });
  EXPECT_EQ(count(log, "Could not load the title picture <QuarrelwickTitle.ttx>"), 1) << log;
  EXPECT_EQ(count(log, "File not found"), 1) << log;
  EXPECT_EQ(MainControlGetTitlePicture()->AreGraphicsCreated(), 0);
  ASSERT_NE(Main()->mwinMainMainTitleButton, nullptr);
}

TEST_F(VQ_ScreensTest, TheToolkitsTextEntryBuildsTheKeyboardLayoutWhileTheTableLives) {
  // A phone in portrait, where the toolkit asks for text with its on-screen keyboard.
  EngWhichDeviceSetTabletMode(0, nullptr);
  m_mwin->SetScreenLayout(ENG_LAYOUT_PHONE_PORTRAIT);
  char buffer[16] = "";
  ASSERT_EQ(m_mwin->PopupGetText_Mobile("Name", "Your name:", buffer, 15, nullptr, nullptr), 1);
  ASSERT_NE(mwinKeyInputMainWinDoneButton, nullptr);
  EXPECT_STREQ(mwinKeyInputMainWinDoneButton->GetTextP(), "Done");
  EXPECT_FLOAT_EQ(mwinKeyInputMainWinDelButton->GetOrigArea()->x, 490);
  m_mwin->PopupTurnOff();
  m_mwin->SetScreenLayout(ENG_LAYOUT_DESKTOP);
  EngWhichDeviceResetForTests();
  // Without the table the toolkit has no keyboard to show.
  delete m_game;
  m_game = nullptr;
  MWin root(nullptr);
  root.Startup();
  EngWhichDeviceSetTabletMode(0, nullptr);
  root.SetScreenLayout(ENG_LAYOUT_PHONE_PORTRAIT);
  std::string log =
      qwtest::Logged([&] { EXPECT_EQ(root.PopupGetText_Mobile("N", "M", buffer, 15, nullptr, nullptr), 0); });
  EXPECT_NE(log.find("No key input layout"), std::string::npos) << log;
  EngWhichDeviceResetForTests();
}

}  // namespace

TEST_F(VQ_ScreensTest, ThePopupControllerIsRegisteredAndReachedThroughItsGlobal) {
  ASSERT_EQ(m_screens->SetupAllScreens(), 1);
  ASSERT_NE(g_popup_cc, nullptr);
  EXPECT_EQ(g_popup_cc, m_screens->GetPopupCC());
  EXPECT_EQ(g_popup_cc->m_mwin, m_mwin);
  // Registered under 'POPU' (a second registration is refused), though no screen change goes there.
  qwtest::FakeController other{"Other", &m_log};
  std::string log = qwtest::Logged([&] { EXPECT_EQ(m_screens->AddScreen(POPUP_SCREEN_ID, &other), 0); });
  EXPECT_NE(log.find("Screen [POPU] already exists."), std::string::npos) << log;
  // The game's screens go with the game: the global is cleared before the controller goes.
  delete m_game;
  m_game = nullptr;
  EXPECT_EQ(g_popup_cc, nullptr);
}
