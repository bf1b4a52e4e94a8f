// The players' screens without a device: the player list from the Users folder and the test
// of the last player, the screens' registrations and starting screen.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngLayouts.h"
#include "Engine/EngMain.h"
#include "Engine/EngMisc.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"
#include "Engine/EngWindow.h"
#include "Engine/Modules.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinCheckbox.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinPanel.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/MWin/MWinWindow.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Program.h"
#include "players/UserClass.h"
#include "players/UserLoadCC.h"
#include "players/UserNewCC.h"
#include "players/UserScreens.h"
#include "players/UserSelectCC.h"
#include "players/UsersCC.h"
#include "screens/VQ_Screens.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/Engine/MWin/ScreensTestSupport.h"
#include "tests/game/GameObjectTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

// The text of the notice on show while a timed notice waits (the notice closes itself before
// it returns); empty when none waited.
MWin *notice_mwin = nullptr;
std::string notice_seen;
void RecordNoticeWhileWaiting(double) {
  MWinButton *msg = notice_mwin && notice_mwin->PopupIsOn() && notice_mwin->PopupGetWindow()
                        ? notice_mwin->PopupGetWindow()->GetButtonFromID("MSG", 0)
                        : nullptr;
  if (msg && msg->GetTextP()) notice_seen = msg->GetTextP();
}

// The game object with its screens table and no device, in a temporary data folder.
class UserScreensTest : public qwtest::GameObjectTest {
 protected:
  void SetUp() override {
    StartGameObject("players tests");
    if (HasFatalFailure()) return;
    qwtest::SetWindowSizeForToolkit(640, 480);
    m_mwin = m_game->GetMWin();
    m_mwin->Startup();
    m_mwin->GetFonts()->AddUserFontPointer("Main", m_game->GetFont());
    m_user_screens = m_game->GetScreens()->GetUserScreens();
    m_list = m_user_screens->GetUserLoadCC();
  }
  void TearDown() override {
    StopGameObject();
    EngMiscSetUserNameForTests(nullptr);
    UserNewResetForTests();
    qwtest::SteppingClock::Remove();
    EngMainSetSleepForTests(nullptr);
    notice_mwin = nullptr;
    ModulesResetForTests();
  }
  std::string UsersPath(const std::string &file = "") const {
    return m_data.File("Tallowmere/Quarrelwick/Users") + (file.empty() ? "" : "/" + file);
  }
  // A real player file, saved by the player module.
  void MakePlayer(const char *name, const char *country) {
    UserClass maker(nullptr, "Quarrelwick", 0, USER_ENCRYPTION_ACCEPT_PLAIN);
    ASSERT_EQ(maker.CreateNewUser(name, country, 0), 1);
    ASSERT_EQ(maker.Save(1), 1);
  }
  std::vector<std::string> Listed() {
    std::vector<std::string> names;
    for (int i = 0; i < m_list->GetNumUsers(); i++)
      names.push_back(std::string(m_list->GetUsersLocalName(i)) + "/" + m_list->GetUsersCountryCode(i));
    return names;
  }

  UserScreens *m_user_screens = nullptr;
  UserLoadCC *m_list = nullptr;
};

TEST_F(UserScreensTest, TheListHoldsEveryPlayerFileSortedWithTheCountryItLoadsWith) {
  // No Users folder at all: an empty list.
  m_list->SetupUserNameList();
  EXPECT_EQ(m_list->GetNumUsers(), 0);
  EXPECT_EQ(m_list->GetUsersLocalName(0), nullptr);
  EXPECT_STREQ(m_list->GetUsersCountryCode(0), "");

  MakePlayer("bob", "GB");
  MakePlayer("Alice", "DE");
  MakePlayer("Zo\xEB", "SE");
  // Not player files: the ending is exact and something must stand before it.
  for (const char *other : {".usr", "a.us", "Bob.USR", "notes.txt"}) qwtest::WriteWholeFile(UsersPath(other), "x");
  // Player files that do not load: listed without a flag.
  qwtest::WriteWholeFile(UsersPath("Empty.usr"), "");
  qwtest::WriteWholeFile(UsersPath("Short.usr"), std::string(675, 'x'));
  ASSERT_EQ(mkdir(UsersPath("Folder.usr").c_str(), 0755), 0);
  qwtest::WriteWholeFile(UsersPath("abcdefghijklmnopqrstuvwxyz1234.usr"), "x");
  qwtest::WriteWholeFile(UsersPath("Bob.usr"), qwtest::ReadWholeFile(UsersPath("bob.usr")));

  m_list->SetupUserNameList();
  const std::vector<std::string> expected = {
      "abcdefghijklmnopqrstuvwxy/", "Alice/DE", "Bob/GB", "bob/GB", "Empty/", "Folder/", "Short/", "Zo\xEB/SE"};
  EXPECT_EQ(Listed(), expected);
  EXPECT_STREQ(m_list->GetUsersDisplayName(2), m_list->GetUsersLocalName(2));
  m_list->Cleanup();
  EXPECT_EQ(m_list->GetNumUsers(), 0);
}

TEST_F(UserScreensTest, TheLastPlayerCountsOnlyWhenItsFileLoads) {
  char always = 9, country[4] = {0};
  EXPECT_EQ(m_list->IsLastUserLoadedOk(&always, country), 0);  // none named

  MakePlayer("Tester", "DE");
  snprintf(resolution.last_player, sizeof(resolution.last_player), "%s", "Tester");
  EXPECT_EQ(m_list->IsLastUserLoadedOk(&always, country), 1);
  EXPECT_EQ(always, 0);
  EXPECT_STREQ(country, "DE");
  EXPECT_EQ(m_list->GetNumUsers(), 1);  // the list was rebuilt

  // One byte short: no last player.
  std::string bytes = qwtest::ReadWholeFile(UsersPath("Tester.usr"));
  qwtest::WriteWholeFile(UsersPath("Tester.usr"), bytes.substr(0, 675));
  EXPECT_EQ(m_list->IsLastUserLoadedOk(&always, country), 0);

  // A last-player field without a terminator is read within its 32 bytes.
  memset(resolution.last_player, 'A', sizeof(resolution.last_player));
  EXPECT_EQ(m_list->IsLastUserLoadedOk(nullptr, nullptr), 0);
}

TEST_F(UserScreensTest, RegistrationsStartingScreenAndTheCurrentScreenQuestion) {
  MWinScreens *screens = m_game->GetScreens();
  ASSERT_EQ(screens->SetupAllScreens(), 1);
  EXPECT_EQ(screens->GetCurrentScreen(), USERS_SCREEN_ID);
  EXPECT_EQ(m_user_screens->GetStartingScreenID(), USERS_SCREEN_ID);
  // Registered once: a second time each is refused, and every one is still tried.
  std::string log = qwtest::Logged([&] { EXPECT_EQ(m_user_screens->AddScreens(1), 0); });
  for (const char *id : {"uSEL", "uUSR", "uLOD", "uNEW", "mCTY"})
    EXPECT_NE(log.find(std::string("Screen [") + id + "] already exists."), std::string::npos) << id << log;

  // Without the country screen only the others are registered.
  std::vector<std::string> calls;
  qwtest::FakeController fake("Fake", &calls);
  screens->RemoveAllScreens();
  EXPECT_EQ(m_user_screens->AddScreens(0), 1);
  EXPECT_EQ(screens->AddScreen(COUNTRY_SCREEN_ID, &fake), 1);
  EXPECT_EQ(screens->AddScreen(USER_NEW_SCREEN_ID, &fake), 0);
  screens->RemoveAllScreens();

  // With the screens off the answer is 0 whatever the current screen.
  ASSERT_EQ(screens->SetupAllScreens(), 1);
  EXPECT_EQ(screens->AreOn(), 0);
  for (euint id : {USERS_SCREEN_ID, USER_NEW_SCREEN_ID, COUNTRY_SCREEN_ID}) {
    screens->SetCurrentScreen(id);
    EXPECT_EQ(m_user_screens->CurrentScreenIsUserOrCountyScreen(), 0);
  }
}

// A player of the unknown country "??": the first players screen looks the last player's code
// up when it starts, and the lists when they are read, each a noted look-up; drawing their
// flags, every frame, adds no note.
TEST_F(UserScreensTest, AnUnknownCountryIsNotedWhenReadNotAtEveryFrame) {
  MakePlayer("Ann", "??");
  snprintf(resolution.last_player, sizeof(resolution.last_player), "%s", "Ann");
  ModulesSetup(nullptr, Program_GetModulesItemFilenameCB);
  MWinScreens *screens = m_game->GetScreens();
  ASSERT_EQ(screens->SetupAllScreens(), 1);
  auto notes = [](const std::string &log) {
    int count = 0;
    for (size_t at = log.find("Code [??] not found."); at != std::string::npos;
         at = log.find("Code [??] not found.", at + 1))
      count++;
    return count;
  };
  std::string log = qwtest::Logged([&] { screens->StartScreen(USERS_SCREEN_ID, -1); });
  ASSERT_EQ(screens->GetCurrentScreen(), USERS_SCREEN_ID);
  EXPECT_GE(notes(log), 1) << log;
  UsersCC *users = m_user_screens->GetUsersCC();
  EXPECT_EQ(users->GetLastUserCountryRow(), -1);
  ASSERT_EQ(m_list->GetNumUsers(), 1);
  EXPECT_STREQ(m_list->GetUsersCountryCode(0), "??");
  EXPECT_EQ(m_list->GetUsersCountryRow(0), -1);

  _Dimension area = {100, 100, 200, 30};
  log = qwtest::Logged([&] {
    for (int frame = 0; frame < 60; frame++) {
      UsersControlContinueExtraRenderCB(users->mwinUsersMainWinContinueButton, &area, MWIN_TEXSTATE_NORMAL, 0,
                                        users);
      UserSelectPanelExtraRenderCB(nullptr, &area, MWIN_TEXSTATE_NORMAL, 0, m_user_screens);
    }
  });
  EXPECT_EQ(notes(log), 0) << log;
}

// The name prompt's answers, as the player gives them by keys: OK (Return) puts what was typed
// to the name rules on the fifth frame after, an empty answer too; Cancel puts the name back.
TEST_F(UserScreensTest, TheNamePromptsAnswers) {
  UserNewResetForTests();
  EngMiscSetUserNameForTests("Ada");
  MWinScreens *screens = m_game->GetScreens();
  ASSERT_EQ(screens->SetupAllScreens(), 1);
  screens->StartScreen(USER_NEW_SCREEN_ID, -1);
  ASSERT_EQ(screens->GetCurrentScreen(), USER_NEW_SCREEN_ID);
  UserNewCC *screen = m_user_screens->GetUserNewCC();
  ASSERT_STREQ(screen->GetName(), "Ada");  // offered, so no prompt opened
  ASSERT_EQ(m_mwin->PopupIsOn(), 0);
  // The timed notice waits on a clock of its own steps, not the machine's.
  qwtest::SteppingClock::Install(0.05);
  EngMainSetSleepForTests(RecordNoticeWhileWaiting);
  notice_mwin = m_mwin;

  auto shown = [&]() -> std::string {
    const char *text = screen->mwinUserNewMainWinNameButton->GetTextP();
    return text ? text : "";
  };
  auto answer = [&](const char *typed, char ok) {
    screen->NameCB();
    ASSERT_EQ(m_mwin->PopupIsOn(), 1);
    for (const char *c = typed; *c; c++) m_mwin->KeyDownUChar(static_cast<unsigned char>(*c));
    if (ok) {
      m_mwin->KeyDown(13);  // ends editing, which queues OK
      m_mwin->Tick2();
      m_mwin->Tick2();
    } else {
      m_mwin->PopupTurnOffAndCallCancelOrNoCB();
    }
    ASSERT_EQ(m_mwin->PopupIsOn(), 0);
  };
  struct Case {
    const char *typed;
    char ok;
    const char *name, *notice;
  } cases[] = {
      {"Bob", 1, "Bob", ""},
      {"", 1, "", "Invalid user name"},
      {" Bob", 1, "", "Invalid user name"},
      {"Bob", 0, "Ada", ""},
      {"", 0, "Ada", ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.typed) + (c.ok ? " OK" : " Cancel"));
    answer("Ada", 1);
    for (int frame = 0; frame < 5; frame++) screen->TickCB();
    ASSERT_STREQ(screen->GetName(), "Ada");

    notice_seen.clear();
    answer(c.typed, c.ok);
    for (int frame = 0; frame < 4; frame++) screen->TickCB();
    EXPECT_EQ(notice_seen, "");  // the test runs on the fifth frame
    screen->TickCB();
    EXPECT_STREQ(screen->GetName(), c.name);
    EXPECT_EQ(shown(), c.name);
    EXPECT_EQ(notice_seen, c.notice);
    EXPECT_EQ(m_mwin->PopupIsOn(), 0);
  }
}

}  // namespace

namespace {

// The select player screen in a tablet layout: its automatic load on an injected clock, the
// failure of that load, the delete flow and a row's load.
class UserSelectTest : public UserScreensTest {
 protected:
  void SetUp() override {
    UserScreensTest::SetUp();
    ewd_desktop_mode = 1;
    ewd_tablet_mode = 1;
    Orient(ENG_ORIENTATION_PORTRAIT);
  }
  void TearDown() override {
    UserScreensTest::TearDown();
    EngWhichDeviceResetForTests();
    EngMainOrientationResetForTests();
    eng_main_current_time = 0;
  }
  void Orient(_EngOrientation orientation) {
    EngMainSetOrientation(orientation);
    m_mwin->SetScreenLayout(EngLayoutsGetLayout(ENG_LAYOUT_CURRENT));
  }
  void MakeAlwaysLoadedPlayer(const char *name, const char *country) {
    UserClass maker(nullptr, "Quarrelwick", 0, USER_ENCRYPTION_ACCEPT_PLAIN);
    ASSERT_EQ(maker.CreateNewUser(name, country, 0), 1);
    maker.AlwaysLoadThisUser(0);
    ASSERT_EQ(maker.Save(1), 1);
    snprintf(resolution.last_player, sizeof(resolution.last_player), "%s", name);
  }
  UserSelectCC *Start() {
    MWinScreens *screens = m_game->GetScreens();
    EXPECT_EQ(screens->SetupAllScreens(), 1);
    EXPECT_EQ(m_user_screens->GetStartingScreenID(), USER_SELECT_SCREEN_ID);
    m_user_screens->StartUserScreen();
    EXPECT_EQ(screens->GetCurrentScreen(), USER_SELECT_SCREEN_ID);
    return m_user_screens->GetUserSelectCC();
  }
  char Press(UserSelectCC *screen, MWinButton *button) {
    _MWinButtonCallbackInfo info = {};
    return screen->ButtonsCallback(button, &info);
  }
  std::string PopupButtonText(const char *id) {
    MWinButton *b = m_mwin->PopupIsOn() ? m_mwin->PopupGetWindow()->GetButtonFromID(id, 0) : nullptr;
    return b && b->GetTextP() ? b->GetTextP() : "<none>";
  }
  std::vector<std::string> Files() {
    std::vector<std::string> files;
    for (const char *f : {"Ann.usr", "Ann.png", "Bob.usr", "Bob.png", "Bob.Jr.usr"})
      if (access(UsersPath(f).c_str(), F_OK) == 0) files.push_back(f);
    return files;
  }
};

TEST_F(UserSelectTest, AnAlwaysLoadedLastPlayerLoadsOneFrameAfterTheTenthOfASecond) {
  MakePlayer("Ann", "FR");
  MakeAlwaysLoadedPlayer("Bob", "GB");
  UserSelectCC *screen = Start();
  ASSERT_NE(screen->mwinUserSelectMainWinAlwaysLoadButton, nullptr);
  EXPECT_EQ(screen->mwinUserSelectMainWinExitButton, nullptr);  // not on tablets
  EXPECT_EQ(screen->GetAutoLoadState(), USER_SELECT_WAITING);
  EXPECT_STREQ(screen->mwinUserSelectMainWinSelTextButton->GetTextP(), "Loading player Bob...");
  for (MWinButton *b : {screen->mwinUserSelectMainWinNewButton, screen->mwinUserSelectMainWinDeleteButton,
                        screen->mwinUserSelectMainWinPanelButton})
    EXPECT_EQ(b->IsEnabled(), 0);
  EXPECT_EQ(screen->mwinUserSelectMainWinAlwaysLoadButton->IsShown(), 0);
  MWinPanel *panel = UserLoadAsPanel(screen->mwinUserSelectMainWinPanelButton);
  EXPECT_EQ(panel->PanelGetPos(), 1);  // Bob's row
  EXPECT_EQ(panel->PanelGetNumEntriesPerPage(), USER_SELECT_ROWS_PER_PAGE);

  const double at = screen->GetAutoLoadTime();
  eng_main_current_time = at - 0.01;
  screen->TickCB();
  EXPECT_EQ(screen->GetAutoLoadState(), USER_SELECT_WAITING);
  eng_main_current_time = at;
  screen->TickCB();
  EXPECT_EQ(screen->GetAutoLoadState(), USER_SELECT_LOADING);
  EXPECT_EQ(m_game->GetUser()->IsLoaded(), 0);
  screen->TickCB();
  ASSERT_EQ(m_game->GetUser()->IsLoaded(), 1);
  EXPECT_STREQ(m_game->GetUser()->GetInfo()->name, "Bob");
}

TEST_F(UserSelectTest, AFailedAutomaticLoadGivesTheControlsBack) {
  MakePlayer("Ann", "FR");
  MakeAlwaysLoadedPlayer("Bob", "GB");
  UserSelectCC *screen = Start();
  ASSERT_EQ(screen->GetAutoLoadState(), USER_SELECT_WAITING);
  std::string bytes = qwtest::ReadWholeFile(UsersPath("Bob.usr"));
  qwtest::WriteWholeFile(UsersPath("Bob.usr"), bytes.substr(0, 675));
  eng_main_current_time = screen->GetAutoLoadTime();
  screen->TickCB();
  screen->TickCB();
  EXPECT_EQ(screen->GetAutoLoadState(), USER_SELECT_IDLE);
  EXPECT_EQ(m_game->GetUser()->IsLoaded(), 0);
  for (MWinButton *b : {screen->mwinUserSelectMainWinNewButton, screen->mwinUserSelectMainWinDeleteButton,
                        screen->mwinUserSelectMainWinPanelButton})
    EXPECT_EQ(b->IsEnabled(), 1);
  EXPECT_EQ(screen->mwinUserSelectMainWinAlwaysLoadButton->IsShown(), 1);
  EXPECT_STREQ(screen->mwinUserSelectMainWinSelTextButton->GetTextP(), "Select Player");
  ASSERT_EQ(m_mwin->PopupIsOn(), 1);
  EXPECT_STREQ(m_mwin->PopupGetWindow()->GetTitleText(), "Error");
  EXPECT_EQ(PopupButtonText("MSG"), "Unable to load user.");
  screen->TickCB();  // no second try
  EXPECT_EQ(screen->GetAutoLoadState(), USER_SELECT_IDLE);
}

TEST_F(UserSelectTest, DeleteAsksWhichThenWhetherAndARowLoads) {
  MakePlayer("Ann", "FR");
  MakePlayer("Bob", "GB");
  MakePlayer("Bob.Jr", "DE");
  qwtest::WriteWholeFile(UsersPath("Bob.png"), "photo");
  UserSelectCC *screen = Start();
  EXPECT_EQ(screen->GetAutoLoadState(), USER_SELECT_IDLE);

  struct Turn {
    _EngOrientation orientation;
    float width;
  };
  for (const Turn &turn : {Turn{ENG_ORIENTATION_PORTRAIT, 560}, Turn{ENG_ORIENTATION_LANDSCAPE_LEFT, 400},
                           Turn{ENG_ORIENTATION_PORTRAIT_UPSIDE_DOWN, 560}}) {
    Orient(turn.orientation);
    EXPECT_EQ(Press(screen, screen->mwinUserSelectMainWinDeleteButton), 1);
    ASSERT_EQ(m_mwin->PopupIsOn(), 1);
    EXPECT_STREQ(m_mwin->PopupGetWindow()->GetTitleText(), "Select User to Delete");
    MWinPanel *rows = UserLoadAsPanel(m_mwin->PopupGetWindow()->GetButtonFromID("PANEL", 0));
    ASSERT_NE(rows, nullptr);
    EXPECT_FLOAT_EQ(rows->GetOrigArea()->width, turn.width);
    EXPECT_FLOAT_EQ(rows->GetOrigArea()->height, 300);
    EXPECT_EQ(rows->PanelGetNumEntries(), 3);
    EXPECT_STREQ(rows->PanelGetStringAtPos(1), "Bob");
    m_mwin->PopupTurnOff();
  }
  Orient(ENG_ORIENTATION_PORTRAIT);

  // Bob's row, then No: nothing goes.
  const std::vector<std::string> all = {"Ann.usr", "Bob.usr", "Bob.png", "Bob.Jr.usr"};
  Press(screen, screen->mwinUserSelectMainWinDeleteButton);
  UserLoadAsPanel(m_mwin->PopupGetWindow()->GetButtonFromID("PANEL", 0))->PanelSetPos(1, 1, 0);
  EXPECT_EQ(screen->GetDeleteChoice(), 1);
  ASSERT_EQ(m_mwin->PopupIsOn(), 1);
  EXPECT_EQ(PopupButtonText("MSG"), "Are you sure you want to delete this user?");
  m_mwin->PopupTurnOffAndCallCancelOrNoCB();
  EXPECT_EQ(Files(), all);
  // Yes: Bob's files only, and the screen restarts with one row fewer.
  Press(screen, screen->mwinUserSelectMainWinDeleteButton);
  UserLoadAsPanel(m_mwin->PopupGetWindow()->GetButtonFromID("PANEL", 0))->PanelSetPos(1, 1, 0);
  m_mwin->PopupTurnOffAndCallOkCB();
  EXPECT_EQ(Files(), std::vector<std::string>({"Ann.usr", "Bob.Jr.usr"}));
  EXPECT_EQ(UserLoadAsPanel(screen->mwinUserSelectMainWinPanelButton)->PanelGetNumEntries(), 2);

  // A row with "always load" ticked loads that player and marks it.
  MWinCheckbox::From(screen->mwinUserSelectMainWinAlwaysLoadButton)->CheckboxSet(1, 0);
  UserLoadAsPanel(screen->mwinUserSelectMainWinPanelButton)->PanelSetPos(1, 0, 0);
  EXPECT_EQ(Press(screen, screen->mwinUserSelectMainWinPanelButton), 1);
  ASSERT_EQ(m_game->GetUser()->IsLoaded(), 1);
  EXPECT_STREQ(m_game->GetUser()->GetInfo()->name, "Bob.Jr");
  EXPECT_EQ(m_game->GetUser()->GetInfo()->options.always_load, 1);
}

}  // namespace

namespace {

TEST_F(UserScreensTest, TheLoadScreenWithNoPlayersOffersOnlyBack) {
  MWinScreens *screens = m_game->GetScreens();
  ASSERT_EQ(screens->SetupAllScreens(), 1);
  screens->StartScreen(USER_LOAD_SCREEN_ID, -1);
  ASSERT_EQ(screens->GetCurrentScreen(), USER_LOAD_SCREEN_ID);
  UserLoadCC *screen = m_user_screens->GetUserLoadCC();
  for (MWinButton *b : {screen->mwinUserLoadMainWinPanelButton, screen->mwinUserLoadMainWinLoadButton,
                        screen->mwinUserLoadMainWinDeleteButton, screen->mwinUserLoadMainWinSettingsButton})
    EXPECT_EQ(b->IsEnabled(), 0);
  EXPECT_EQ(screen->mwinUserLoadMainWinBackButton->IsEnabled(), 1);
  EXPECT_EQ(screen->mwinUserLoadMainWinSettingsButton->IsShown(), 0);
  EXPECT_EQ(screen->mwinUserLoadMainWinLoadProgressButton->IsShown(), 0);
  // A press with nothing chosen does nothing.
  screen->LoadCB();
  screen->DeleteCB();
  EXPECT_EQ(m_mwin->PopupIsOn(), 0);
}

}  // namespace
