// The game object without a graphics device: Escape and input routing between the toolkit's
// screens and the play field, with stand-in controllers under 'MAIN' and 'PAUS' (also reached
// by the bottom bar's menu button); saving the player and the resume game; the player's
// default options as bytes of the record.
#include "game/Game.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngMain.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/MWin/MWinWindow.h"
#include "Engine/Resolution.h"
#include "game/Bugs.h"
#include "game/GameOver.h"
#include "game/GameWon.h"
#include "game/Levels.h"
#include "game/Program.h"
#include "game/Quarrelwick.h"
#include "game/SavedGame.h"
#include "game/Sidebar.h"
#include "game/Traverse.h"
#include "game/Tutorial.h"
#include "online/Scores.h"
#include "players/UserClass.h"
#include "players/UserInfo.h"
#include "screens/VQ_Screens.h"
#include "tests/Engine/MWin/ScreensTestSupport.h"
#include "tests/game/GameObjectTestSupport.h"
#include "tests/game/PathFixtures.h"
#include "tests/support/TestSupport.h"

namespace {

class GameTest : public qwtest::GameObjectTest {
 protected:
  void SetUp() override {
    StartGameObject("game tests");
    if (HasFatalFailure()) return;
    main_game = m_game;  // as the program sets it at start: the saved games' player
    eng_main_window_width = 640;
    eng_main_window_height = 480;
    m_mwin = m_game->GetMWin();
    m_mwin->Startup();
    m_screens = m_game->GetScreens();
    ASSERT_EQ(m_screens->SetupAllScreens(), 1);
    // Stand-ins take the menus' places, so the routing is seen without the menus' own work.
    m_screens->RemoveAllScreens();
    for (qwtest::FakeController *c : {&m_main, &m_pause}) {
      c->m_screens = m_screens;
      c->m_mwin = m_mwin;
      c->m_game = m_game;
    }
    ASSERT_EQ(m_screens->AddScreen(MAIN_SCREEN_ID, &m_main), 1);
    ASSERT_EQ(m_screens->AddScreen(PAUSE_SCREEN_ID, &m_pause), 1);
    game_started = game_over = game_won = 0;
    RemoveSavedGame(0, 1);
  }
  void TearDown() override {
    main_game = nullptr;
    StopGameObject();
  }

  char Key(int key) { return m_game->InputCB(ENG_INPUT_KEY_DOWN, key, 0); }
  std::string PopupTexts() {
    std::string texts;
    MWinWindow *window = m_mwin->PopupGetWindow();
    for (MWinButton *b = window ? window->GetFirstButton() : nullptr; b; b = b->GetNext())
      if (b->GetTextP() && b->GetTextP()[0]) texts += std::string(b->GetTextP()) + "|";
    return texts;
  }
  UserClass *LoadedPlayer(const char *name, const char *country) {
    UserClass *user = m_game->GetUser();
    EXPECT_EQ(user->CreateNewUser(name, country, 0), 1);
    user->AfterUserCreatedOrLoaded(1, 0);
    EXPECT_EQ(user->IsLoaded(), 1);
    if (m_mwin->PopupIsOn()) m_mwin->PopupTurnOff();
    return user;
  }
  std::string UsersPath(const std::string &file) const { return m_data.File("Tallowmere/Quarrelwick/Users/" + file); }

  std::vector<std::string> m_log;
  qwtest::FakeController m_main{"MAIN", &m_log}, m_pause{"PAUS", &m_log};
  VQ_Screens *m_screens = nullptr;
};

TEST_F(GameTest, EscapeOnTheMainMenuAsksAndElsewhereGoesToTheToolkit) {
  struct Case {
    const char *name;
    char windowed;
    const char *expected_texts;
    char answer;
    char exits;
  };
  const Case cases[] = {
      {"window, exit", 1, "Exit|Cancel|", 1, 1},
      {"window, cancel", 1, "Exit|Cancel|", 0, 0},
      {"full screen, exit", 0, "Exit|Cancel|Windowed|", 1, 1},
      {"full screen, cancel", 0, "Exit|Cancel|Windowed|", 0, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    m_screens->StartScreen(MAIN_SCREEN_ID, -1);
    eng_main_window_windowed = c.windowed;
    m_program->SetExitingFlag();
    // A fresh flag: the program object keeps no way to clear it, so read it through a new one.
    delete m_game;
    delete m_program;
    m_program = new Program();
    m_game = new Game(m_program, "Game", 0);
    main_game = m_game;  // as the program sets it at start: the saved games' player
    m_mwin = m_game->GetMWin();
    m_mwin->Startup();
    m_screens = m_game->GetScreens();
    m_screens->SetupAllScreens();
    m_screens->RemoveAllScreens();
    m_screens->AddScreen(MAIN_SCREEN_ID, &m_main);
    m_screens->AddScreen(PAUSE_SCREEN_ID, &m_pause);
    m_screens->StartScreen(MAIN_SCREEN_ID, -1);
    ASSERT_EQ(m_mwin->AreScreensOn(), 1);

    EXPECT_EQ(Key(27), 1);
    ASSERT_EQ(m_mwin->PopupIsOn(), 1);
    EXPECT_NE(PopupTexts().find(c.expected_texts), std::string::npos) << "[" << PopupTexts() << "]";
    m_mwin->PopupButtonPressed(c.answer);
    EXPECT_EQ(m_mwin->PopupIsOn(), 0);
    EXPECT_EQ(m_program->IsExiting(), c.exits);
  }
  eng_main_window_windowed = 1;
}

TEST_F(GameTest, EscapeWithAPopupOrOnAnotherScreenIsTheToolkitsAndInPlayOpensThePause) {
  m_screens->StartScreen(MAIN_SCREEN_ID, -1);
  ASSERT_EQ(m_mwin->PopupMessage("hello"), 1);
  EXPECT_EQ(m_game->HandleEscapeKeyPressed(), 0);
  m_mwin->PopupTurnOff();

  m_screens->GotoScreen(PAUSE_SCREEN_ID, nullptr);
  EXPECT_EQ(m_game->HandleEscapeKeyPressed(), 0);
  EXPECT_EQ(m_mwin->PopupIsOn(), 0);

  m_game->ReturnToGame();
  EXPECT_EQ(m_mwin->AreScreensOn(), 0);
  EXPECT_EQ(game_started, 1);
  EXPECT_EQ(Key(27), 1);
  EXPECT_EQ(m_mwin->AreScreensOn(), 1);
  EXPECT_EQ(m_mwin->GetCurrentScreen(), PAUSE_SCREEN_ID);
}

TEST_F(GameTest, AFinishedGameGoesToTheScoresOverTheMainMenu) {
  qwtest::FakeController scores{"STAT", &m_log};
  scores.m_screens = m_screens;
  scores.m_mwin = m_mwin;
  ASSERT_EQ(m_screens->AddScreen(SCORES_SCREEN_ID, &scores), 1);
  m_game->ReturnToGame();
  scores_control_from_game = 0;
  m_log.clear();
  m_game->EndGameAndGoToScoresScreen();
  EXPECT_EQ(m_mwin->AreScreensOn(), 1);
  EXPECT_EQ(m_mwin->GetCurrentScreen(), SCORES_SCREEN_ID);
  EXPECT_EQ(m_mwin->GetPreviousScreen(), MAIN_SCREEN_ID);
  EXPECT_EQ(scores_control_from_game, 1);
  m_screens->RemoveAllScreens();  // before the scores controller goes
}

TEST_F(GameTest, EscapeOrALateClickEndsALostOrWonGameOnTheScores) {
  qwtest::FakeController scores{"STAT", &m_log};
  scores.m_screens = m_screens;
  scores.m_mwin = m_mwin;
  ASSERT_EQ(m_screens->AddScreen(SCORES_SCREEN_ID, &scores), 1);
  struct Case {
    const char *name;
    char won, by_escape;
  };
  const Case cases[] = {{"lost, Escape", 0, 1}, {"lost, click", 0, 0}, {"won, Escape", 1, 1}, {"won, click", 1, 0}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    m_game->ReturnToGame();
    eng_main_current_time = 50.0;
    if (c.won) {
      GameWonInit();
      // The final score must show before a click counts.
      if (!c.by_escape) {
        EXPECT_EQ(m_game->MouseButtonPressed(0, 1), 1);
        EXPECT_EQ(m_mwin->AreScreensOn(), 0);
        while (GameWonGetStage() < 18) GameWonDoTick(0);
      }
    } else {
      lives = 1;
      QuarrelwickChangeLives(-1);
      ASSERT_EQ(game_over, 1);
      if (!c.by_escape) {
        m_game->MouseButtonPressed(0, 1);  // within the second
        EXPECT_EQ(m_mwin->AreScreensOn(), 0);
        eng_main_current_time = 51.5;
      }
    }
    if (c.by_escape)
      EXPECT_EQ(Key(27), 1);
    else
      m_game->MouseButtonPressed(0, 1);
    EXPECT_EQ(game_over, 0);
    EXPECT_EQ(game_won, 0);
    EXPECT_EQ(m_mwin->AreScreensOn(), 1);
    EXPECT_EQ(m_mwin->GetCurrentScreen(), SCORES_SCREEN_ID);
  }
  m_screens->RemoveAllScreens();  // before the scores controller goes
  GameWonResetForTests();
  GameOverResetForTests();
}

TEST_F(GameTest, InputGoesToTheToolkitOnlyWhileItsScreensAreOn) {
  struct Case {
    _EngDesktopInputType type;
    EngInputParm1 p1;
    EngInputParm2 p2;
  };
  // With the screens off (play) these have no game action and answer 0.
  const Case ignored[] = {{ENG_INPUT_DOUBLE_CLICK, 0, 0}, {ENG_INPUT_WHEEL, 1, 0}, {ENG_INPUT_KEY_UP, 'A', 0},
                          {ENG_INPUT_CHARACTER, 'a', 0},  {ENG_INPUT_NONE, 0, 0},  {_EngDesktopInputType(8), 0, 0},
                          {ENG_INPUT_KEY_DOWN, 'A', 0}};
  for (const Case &c : ignored) {
    SCOPED_TRACE(int(c.type));
    EXPECT_EQ(m_game->InputCB(c.type, c.p1, c.p2), 0);
  }
  // A click in play is the play field's.
  EXPECT_EQ(m_game->InputCB(ENG_INPUT_MOUSE_BUTTON, 0, 1), 1);

  // A mouse move reaches the toolkit only with the screens on.
  float x = -5, y = -5;
  m_mwin->GetMousePos(&x, &y);
  m_game->InputCB(ENG_INPUT_MOUSE_MOVE, EngInputParmFromFloat(320.0f), EngInputParmFromFloat(240.0f));
  float x2 = -5, y2 = -5;
  m_mwin->GetMousePos(&x2, &y2);
  EXPECT_EQ(x2, x);
  m_screens->StartScreen(MAIN_SCREEN_ID, -1);
  m_game->InputCB(ENG_INPUT_MOUSE_MOVE, EngInputParmFromFloat(320.0f), EngInputParmFromFloat(240.0f));
  m_mwin->GetMousePos(&x2, &y2);
  EXPECT_FLOAT_EQ(x2, 320.0f);
  EXPECT_FLOAT_EQ(y2, 240.0f);
  EXPECT_EQ(m_game->InputCB(ENG_INPUT_DOUBLE_CLICK, 0, 0), 0);

  // No window: nothing is routed.
  eng_main_window = nullptr;
  EXPECT_EQ(m_game->InputCB(ENG_INPUT_KEY_DOWN, 27, 0), 0);
  EXPECT_EQ(m_mwin->PopupIsOn(), 0);
  eng_main_window = m_window;
}

TEST_F(GameTest, TickAndRenderGoToTheScreensOrThePlayField) {
  eng_main_frames_per_second = 0.02f;
  m_game->Tick();
  EXPECT_FLOAT_EQ(game_per_second, 0.02f);
  m_log.clear();
  m_screens->StartScreen(MAIN_SCREEN_ID, -1);
  m_log.clear();
  m_game->Tick();
  EXPECT_EQ(m_log, std::vector<std::string>({"MAIN TickCB"}));
  m_game->ReturnToGame();
  m_log.clear();
  m_game->Tick();
  EXPECT_TRUE(m_log.empty());
}

TEST_F(GameTest, SavingThePlayerKeepsTheResumeGameOnlyForAGameInProgress) {
  EXPECT_EQ(DoesSavedGameExist(0, 1), 0);
  m_game->SaveUser(1);  // no player loaded: only a note
  EXPECT_EQ(DoesSavedGameExist(0, 1), 0);

  LoadedPlayer("Bob", "GB");
  struct Case {
    const char *name;
    EngUInt8 started, over, won;
    char resume_kept;
  };
  const Case cases[] = {
      {"playing", 1, 0, 0, 1}, {"game over", 1, 1, 0, 0}, {"garden won", 1, 0, 1, 0}, {"not started", 0, 0, 0, 0}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    SaveGame(0, 1);
    game_started = c.started;
    game_over = c.over;
    game_won = c.won;
    unlink(UsersPath("Bob.usr").c_str());
    m_game->ComputerSleepingCB(1);  // sleep saves
    EXPECT_EQ(DoesSavedGameExist(0, 1), c.resume_kept);
    EXPECT_TRUE(qwtest::FileExists(UsersPath("Bob.usr")));
    unlink(UsersPath("Bob.usr").c_str());
    m_game->SaveAllPreSwitchingOrExitingAppCB();  // switching away saves
    EXPECT_TRUE(qwtest::FileExists(UsersPath("Bob.usr")));
  }
}

TEST_F(GameTest, ExitSavesAndUnloadsThePlayer) {
  UserClass *user = LoadedPlayer("Bob", "GB");
  game_started = 1;
  unlink(UsersPath("Bob.usr").c_str());
  m_screens->RemoveAllScreens();  // the exit removes them; the fakes outlive the game here
  m_game->Pre3dExit();
  EXPECT_EQ(user->IsLoaded(), 0);
  EXPECT_TRUE(qwtest::FileExists(UsersPath("Bob.usr")));
  // The player is gone from memory, so the resume game is looked for by its file name.
  EXPECT_TRUE(qwtest::FileExists(UsersPath("Bob_SavedGame00.dat")));
}

TEST_F(GameTest, APlayerWithAResumeGameIsAskedAndNoRemovesIt) {
  LoadedPlayer("Bob", "GB");
  // A game in progress in a garden of its own, so the resume game can be played again.
  ASSERT_EQ(chdir(m_data.Path().c_str()), 0);
  qwtest::WriteWholeFile(m_data.File("TravCalcs1.dat"),
                         qwtest::MakePathFile(qwtest::StraightRoad(-1.1f, 0.0f, 1.1f, 0.0f, 2000)));
  level_garden = 1;
  level_difficulty = 0;
  ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
  game_started = 1;
  m_game->SaveUser(1);
  ASSERT_EQ(DoesSavedGameExist(0, 1), 1);
  game_started = 0;

  m_game->AfterUserLoaded(0, 0);
  EXPECT_EQ(m_mwin->GetCurrentScreen(), MAIN_SCREEN_ID);
  ASSERT_EQ(m_mwin->PopupIsOn(), 1);
  EXPECT_NE(PopupTexts().find("Resume your last game?"), std::string::npos) << PopupTexts();
  m_mwin->PopupTurnOffAndCallCancelOrNoCB();
  EXPECT_EQ(DoesSavedGameExist(0, 1), 0);

  // Yes plays it.
  ASSERT_EQ(SaveGame(0, 1), 1);
  EXPECT_TRUE(qwtest::FileExists(UsersPath("Bob_SavedGame00.dat")));
  level_garden = 3;
  EXPECT_EQ(m_game->AskToResumeUsersGameIfExists(), 1);
  m_mwin->PopupButtonPressed(1);
  EXPECT_EQ(game_started, 1);
  EXPECT_EQ(m_mwin->AreScreensOn(), 0);
  EXPECT_EQ(level_garden, 1);
  QuarrelwickResetForTests();
  LevelsResetForTests();
  BugsResetForTests();
  TraverseReset();

  // Without a resume game nothing is asked.
  RemoveSavedGame(0, 1);
  EXPECT_EQ(m_game->AskToResumeUsersGameIfExists(), 0);
}

TEST_F(GameTest, ANewPlayersDateFormatFollowsTheCountry) {
  struct Case {
    const char *name, *country;
    EngUInt8 date_format;
  };
  const Case cases[] = {{"Al", "US", 0}, {"Bo", "GB", 1}, {"Cy", "FR", 1}, {"Di", "CA", 1}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.country);
    UserClass *user = LoadedPlayer(c.name, c.country);
    EXPECT_EQ(user->GetInfo()->options.date_format, c.date_format);
    EXPECT_EQ(user->GetInfo()->options.load_count, 1u);
    user->Unload();
  }
}

// The options block of a new player, byte by byte; the bytes around it are not touched.
TEST(GameDefaults, DefaultOptionsAreExactBytesOfTheRecord) {
  _UserInfo info;
  unsigned char filler[USER_INFO_SIZE];
  memset(filler, 0xAA, sizeof(filler));
  UserInfoReadFromBytes(filler, &info);
  UserInfoSetDefaultOptionsCB(nullptr, &info);
  unsigned char bytes[USER_INFO_SIZE];
  UserInfoWriteToBytes(&info, bytes);

  std::string expected(USER_INFO_SIZE, '\0');
  for (int i = 0; i < 40; i++) expected[i] = char(bytes[i]);  // the profile's own fields
  for (int i = 594; i < USER_INFO_SIZE; i++) expected[i] = char(0xAA);
  auto put = [&expected](size_t at, const std::string &b) { expected.replace(at, b.size(), b); };
  const std::string one("\x00\x00\x80\x3f", 4), quarter("\x00\x00\x80\x3e", 4);
  expected[56] = 1;
  put(60, one);
  expected[64] = 1;
  expected[65] = 1;
  put(68, quarter);
  expected[76] = 1;
  put(80, quarter);
  expected[84] = 1;
  put(88, quarter);
  expected[412] = 1;
  expected[478] = 1;
  expected[479] = 1;
  expected[481] = 1;
  expected[500] = 1;
  expected[501] = 3;
  expected[592] = char(0xFF);
  expected[593] = char(0xFF);
  EXPECT_EQ(std::string(reinterpret_cast<char *>(bytes), sizeof(bytes)), expected);
}

}  // namespace

// A wave's end turns the loaded player's tutorial off; with nobody loaded it does nothing.
TEST_F(GameTest, AWavesEndTurnsTheLoadedPlayersTutorialOff) {
  main_game = m_game;
  GameClearUserTutorialOn();  // nobody loaded
  UserClass *user = LoadedPlayer("Tut", "US");
  EXPECT_EQ(user->GetInfo()->options.tutorial_on, 1);
  GameClearUserTutorialOn();
  EXPECT_EQ(user->GetInfo()->options.tutorial_on, 0);
  user->Unload();
  GameClearUserTutorialOn();
  main_game = nullptr;
}

// In play the bottom bar's menu button opens the pause screen; the tutorial follows the loaded
// player's option.
TEST_F(GameTest, TheBarsMenuButtonOpensThePauseAndTheTutorialFollowsThePlayer) {
  main_game = m_game;
  eng_main_window_x_ratio_inv = eng_main_window_y_ratio_inv = 1.0f;
  ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
  m_screens->StartScreen(MAIN_SCREEN_ID, -1);
  m_game->ReturnToGame();
  ASSERT_EQ(m_mwin->AreScreensOn(), 0);
  EXPECT_EQ(SidebarMoveMouse(600, 465), 1);
  EXPECT_EQ(SidebarMouseButtonPressed(0, 1), 1);
  EXPECT_EQ(m_mwin->AreScreensOn(), 1);
  EXPECT_EQ(m_mwin->GetCurrentScreen(), PAUSE_SCREEN_ID);

  UserClass *user = LoadedPlayer("Tut", "US");
  TutorialAdvanceIfNeeded();
  EXPECT_STREQ(tut_text_str, "Place a factory in the garden.");
  user->GetInfo()->options.tutorial_on = 0;
  TutorialAdvanceIfNeeded();
  EXPECT_STREQ(tut_text_str, "");
  EXPECT_EQ(tut_on, 1);
  user->Unload();
  QuarrelwickResetForTests();
  main_game = nullptr;
}
