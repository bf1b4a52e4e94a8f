// From the menus into play and back, in the real program under Xvfb pressed with SDL events and
// a player in a temporary HOME: the garden selection with its difficulty buttons, the first-game
// notice while the player's counter lasts, the new game it starts, and the pause screen's
// resume, quit (asked first), save and exit, and high scores.
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <string>

#include "Engine/EngTexture.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinWindow.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/SavedGame.h"
#include "online/Scores.h"
#include "players/UserInfo.h"
#include "screens/NoticeCC.h"
#include "screens/PauseCC.h"
#include "screens/SelectCC.h"
#include "tests/screens/ScreensProgramTestSupport.h"

namespace {

class PlayScreensDisplayTest : public qwtest::ScreensProgramTest {
 protected:
  UserOptions *Player() { return &main_game->GetLoadedUser()->GetInfo()->options; }
  SelectCC *Select() { return Screens()->GetSelectCC(); }
  PauseCC *Pause() { return Screens()->GetPauseCC(); }
  MWinButton *Widget(MWinWindow *window, const std::string &id) {
    return window ? window->GetButtonFromID(id.c_str(), 0) : nullptr;
  }
  void OpenSelection() {
    Click(Screens()->GetMainCC()->mwinMainMainPlayButton);
    ASSERT_EQ(Root()->GetCurrentScreen(), SELECT_SCREEN_ID);
  }
  void Pick(int garden) { Click(Widget(Select()->mwinSelectMainWindow, "Level" + std::to_string(garden))); }
  bool InPlay() { return Root()->AreScreensOn() == 0; }
  // Escape in play: the pause screen.
  void PauseGame() {
    ASSERT_TRUE(InPlay());
    Key(SDLK_ESCAPE);
    Frames(2);
    ASSERT_EQ(Root()->AreScreensOn(), 1);
    ASSERT_EQ(Root()->GetCurrentScreen(), PAUSE_SCREEN_ID);
  }
  // From the menu straight into play in a garden, the notice used up.
  void Play(int garden) {
    Player()->notices_left = 0;
    OpenSelection();
    Pick(garden);
    Frames(2);
    ASSERT_TRUE(InPlay());
  }
  // A left click at a point of the design space (play has no widgets to aim at).
  void ClickDesign(float x, float y) { ClickAtPixel(int(x * eng_main_window_x_ratio), int(y * eng_main_window_y_ratio)); }
  std::string ResumeFile() { return SaveGameGetFilename(0, 1); }
  static long FileSize(const std::string &path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? long(st.st_size) : -1;
  }
};

TEST_F(PlayScreensDisplayTest, ANewPlayerSeesTheGardensThenTheNoticeWhoseOkStartsTheGarden) {
  ASSERT_EQ(Player()->notices_left, 3);
  OpenSelection();
  MWinWindow *w = Select()->mwinSelectMainWindow;
  ASSERT_NE(w, nullptr);
  for (int g = 0; g < 4; g++) {
    SCOPED_TRACE(g);
    EXPECT_EQ(sc_texs[g].IsOk(), 1);
    // Nothing above "Normal" is unlocked yet.
    EXPECT_EQ(Widget(w, "Diff" + std::to_string(g))->IsShown(), 0);
  }
  EXPECT_EQ(w->GetEscapeButton(), Select()->mwinSelectMainBackButton);
  Frame("select");

  Pick(1);
  ASSERT_EQ(Root()->GetCurrentScreen(), NOTICE_SCREEN_ID);
  EXPECT_EQ(Player()->notices_left, 2);
  // The gardens' pictures went with the selection.
  EXPECT_EQ(sc_texs[1].IsOk(), 0);
  Frames(2);
  Frame("notice");
  Click(Screens()->GetNoticeCC()->mwinNoticeNoticeOkButton);
  Frames(2);
  ASSERT_TRUE(InPlay());
  EXPECT_EQ(level_garden, 1);
  EXPECT_EQ(level_difficulty, 0);
  EXPECT_EQ(cash, 500);
  EXPECT_EQ(lives, 20);
  EXPECT_EQ(bug_level_num, 0);
  EXPECT_EQ(game_started, 1);
  Frames(3);
  Frame("play");
}

// By keys alone Tab reaches every garden, from nothing in the gardens' order, and Return picks
// the one it reached; the arrow keys move nothing.
TEST_F(PlayScreensDisplayTest, ByKeysTabReachesEveryGardenAndReturnPicksIt) {
  for (int g = 0; g < 4; g++) {
    SCOPED_TRACE(g);
    Player()->notices_left = 1;  // the pick shows the notice, and play waits
    OpenSelection();
    MWinWindow *w = Select()->mwinSelectMainWindow;
    auto focus = [&]() -> std::string {
      MWinButton *b = w->GetActiveButton();
      return b ? b->GetID() : "";
    };
    const std::string garden = "Level" + std::to_string(g);
    PushMotion(40, 240);
    for (int i = 0; i <= g; i++) Key(SDLK_TAB);
    ASSERT_EQ(focus(), garden);
    for (SDL_Keycode arrow : {SDLK_RIGHT, SDLK_DOWN, SDLK_LEFT, SDLK_UP}) {
      Key(arrow);
      EXPECT_EQ(focus(), garden);
    }
    Key(SDLK_RETURN);
    Frames(2);
    ASSERT_EQ(Root()->GetCurrentScreen(), NOTICE_SCREEN_ID);
    EXPECT_EQ(sc_start_garden, g);
    Screens()->GotoScreen(MAIN_SCREEN_ID, nullptr);
    Frames(2);
    ASSERT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
  }
}

TEST_F(PlayScreensDisplayTest, EscapeOnTheNoticeStartsPlayToo) {
  OpenSelection();
  Pick(3);
  ASSERT_EQ(Root()->GetCurrentScreen(), NOTICE_SCREEN_ID);
  Key(SDLK_ESCAPE);
  Frames(2);
  ASSERT_TRUE(InPlay());
  EXPECT_EQ(level_garden, 3);
}

TEST_F(PlayScreensDisplayTest, WithoutNoticesAGardenPlaysAtOnceAtItsCycledDifficultyAndKeepsItsPicture) {
  UserOptions *o = Player();
  o->notices_left = 0;
  o->gardens[2].highest_difficulty = 2;
  o->gardens[2].chosen_difficulty = 1;
  // A damaged byte: no negative difficulty reaches the button.
  o->gardens[0].highest_difficulty = EngInt8(0xC0);
  o->gardens[0].chosen_difficulty = EngInt8(0xC0);
  OpenSelection();
  MWinWindow *w = Select()->mwinSelectMainWindow;
  MWinButton *diff = Widget(w, "Diff2");
  ASSERT_EQ(diff->IsShown(), 1);
  EXPECT_STREQ(diff->GetTextP(), "Tough");
  EXPECT_FLOAT_EQ(diff->GetTransparency(), 0.8f);
  EXPECT_EQ(Widget(w, "Diff0")->IsShown(), 0);
  EXPECT_EQ(o->gardens[0].highest_difficulty, 0);
  EXPECT_EQ(o->gardens[0].chosen_difficulty, 0);
  Click(diff);
  EXPECT_STREQ(diff->GetTextP(), "Extreme");
  EXPECT_EQ(o->gardens[2].chosen_difficulty, 2);
  Frame("select-difficulty");
  Click(diff);
  EXPECT_STREQ(diff->GetTextP(), "Normal");
  Click(diff);
  Click(diff);
  EXPECT_STREQ(diff->GetTextP(), "Extreme");
  ASSERT_EQ(Root()->GetCurrentScreen(), SELECT_SCREEN_ID);

  const EngInt32 loads = LevelsGetPictureLoads();
  Pick(2);
  Frames(2);
  ASSERT_TRUE(InPlay());
  EXPECT_EQ(level_garden, 2);
  EXPECT_EQ(level_difficulty, 2);
  EXPECT_EQ(cash, 500);
  EXPECT_EQ(lives, 20);
  EXPECT_EQ(o->notices_left, 0);
  EXPECT_EQ(LevelsGetPictureLoads(), loads + 1);

  // Quit, and the same garden again: its play-field picture is not read again.
  PauseGame();
  Click(Pause()->mwinPauseMainWinQuitButton);
  AnswerYes();
  ASSERT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
  cash = 17;
  OpenSelection();
  Pick(2);
  Frames(2);
  ASSERT_TRUE(InPlay());
  EXPECT_EQ(cash, 500);
  EXPECT_EQ(LevelsGetPictureLoads(), loads + 1);
  // Another garden is read.
  PauseGame();
  Click(Pause()->mwinPauseMainWinQuitButton);
  AnswerYes();
  Play(0);
  EXPECT_EQ(level_garden, 0);
  EXPECT_EQ(level_difficulty, 0);
  EXPECT_EQ(LevelsGetPictureLoads(), loads + 2);
}

TEST_F(PlayScreensDisplayTest, ThePauseScreenResumesAndQuitsOnlyWhenAsked) {
  Play(1);
  cash = 321;
  PauseGame();
  EXPECT_EQ(Pause()->mwinPauseMainWinSaveButton->IsShown(), 1);
  Frame("pause");
  Click(Pause()->mwinPauseMainWinResumeButton);
  Frames(2);
  ASSERT_TRUE(InPlay());
  EXPECT_EQ(cash, 321);
  EXPECT_EQ(game_started, 1);
  // The bottom bar's menu button pauses too.
  ClickDesign(608, 465);
  Frames(2);
  ASSERT_EQ(Root()->AreScreensOn(), 1);
  ASSERT_EQ(Root()->GetCurrentScreen(), PAUSE_SCREEN_ID);
  Click(Pause()->mwinPauseMainWinResumeButton);
  Frames(2);
  ASSERT_TRUE(InPlay());
  EXPECT_EQ(cash, 321);

  PauseGame();
  ASSERT_EQ(SaveGame(0, 1), 1);
  ASSERT_EQ(FileSize(ResumeFile()), 63300);
  // Cancel changes nothing.
  Click(Pause()->mwinPauseMainWinQuitButton);
  ASSERT_EQ(Root()->PopupIsOn(), 1);
  EXPECT_STREQ(Root()->PopupGetWindow()->GetButtonFromID("MSG", 0)->GetTextP(),
               "Are you sure you wish to quit the game ?");
  Frame("pause-quit");
  Click(Root()->PopupGetWindow()->GetButtonFromID("CANCEL", 0));
  Frames(2);
  EXPECT_EQ(Root()->PopupIsOn(), 0);
  EXPECT_EQ(Root()->GetCurrentScreen(), PAUSE_SCREEN_ID);
  EXPECT_EQ(game_started, 1);
  EXPECT_EQ(FileSize(ResumeFile()), 63300);
  // OK ends the game and its resume file.
  Click(Pause()->mwinPauseMainWinQuitButton);
  AnswerYes();
  EXPECT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
  EXPECT_EQ(game_started, 0);
  EXPECT_EQ(FileSize(ResumeFile()), -1);
  EXPECT_FALSE(main_program->IsExiting());
}

// By keys a press acts once, on the screen it was pressed on: Return on Quit Game, reached with
// Tab, asks and waits for the answer; Return on a focused Cancel cancels; Return on the logo,
// the last of the Tab stops, asks before going online.
TEST_F(PlayScreensDisplayTest, ByKeysThePauseScreenAsksBeforeTheGameIsLost) {
  Play(1);
  PauseGame();
  auto focus = [&]() -> std::string {
    MWinWindow *w = Root()->PopupIsOn() ? Root()->PopupGetWindow() : Pause()->mwinPauseMainWinWindow;
    MWinButton *b = w ? w->GetActiveButton() : nullptr;
    return b ? b->GetID() : "";
  };
  auto message = [&]() -> std::string {
    MWinButton *msg = Root()->PopupIsOn() ? Root()->PopupGetWindow()->GetButtonFromID("MSG", 0) : nullptr;
    return msg ? msg->GetTextP() : "";
  };
  // Tab from an empty part of the screen: the buttons in their order, then the logo.
  PushMotion(40, 240);
  std::vector<std::string> stops;
  for (int i = 0; i < 9; i++) {
    Key(SDLK_TAB);
    stops.push_back(focus());
  }
  EXPECT_EQ(stops, (std::vector<std::string>{"Resume", "Scores", "Help", "Sounds", "Options", "Quit", "Save", "Title",
                                             "Resume"}));
  for (int i = 0; i < 5; i++) Key(SDLK_TAB);
  ASSERT_EQ(focus(), "Quit");
  Key(SDLK_RETURN);
  Frames(3);
  EXPECT_EQ(message(), "Are you sure you wish to quit the game ?");
  EXPECT_EQ(game_started, 1);
  Frame("pause-quit-by-keys");
  // Cancel by Tab and Return: the pause screen, the game kept.
  for (int i = 0; i < 4 && focus() != "CANCEL"; i++) Key(SDLK_TAB);
  ASSERT_EQ(focus(), "CANCEL");
  Frame("pause-quit-cancel-focused");
  Key(SDLK_RETURN);
  Frames(3);
  EXPECT_EQ(Root()->PopupIsOn(), 0);
  EXPECT_EQ(Root()->GetCurrentScreen(), PAUSE_SCREEN_ID);
  EXPECT_EQ(game_started, 1);

  // Return on the logo, reached by Tab, asks before going online, and the program stays.
  PushMotion(40, 240);
  for (int i = 0; i < 8; i++) Key(SDLK_TAB);
  ASSERT_EQ(focus(), "Title");
  Key(SDLK_RETURN);
  Frames(3);
  EXPECT_EQ(message(), "Go Online ?");
  EXPECT_FALSE(main_program->IsExiting());
  Key(SDLK_ESCAPE);
  Frames(3);
  EXPECT_EQ(Root()->PopupIsOn(), 0);
  EXPECT_EQ(Root()->GetCurrentScreen(), PAUSE_SCREEN_ID);
  EXPECT_FALSE(main_program->IsExiting());

  // The question answered with a second Return ends the game.
  PushMotion(40, 240);
  for (int i = 0; i < 6; i++) Key(SDLK_TAB);
  ASSERT_EQ(focus(), "Quit");
  Key(SDLK_RETURN);
  Frames(3);
  EXPECT_EQ(game_started, 1);
  Key(SDLK_RETURN);
  Frames(3);
  EXPECT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
  EXPECT_EQ(game_started, 0);
}

TEST_F(PlayScreensDisplayTest, SaveAndExitWritesTheResumeGameThenCloses) {
  Play(3);
  PauseGame();
  ASSERT_EQ(FileSize(ResumeFile()), -1);
  cash = 654;
  Click(Pause()->mwinPauseMainWinSaveButton);
  EXPECT_EQ(FileSize(ResumeFile()), 63300);
  EXPECT_TRUE(main_program->IsExiting());

  // The next start offers the game again, and Yes resumes it.
  TearDown();
  level_garden = 0;
  cash = 0;
  SetUp();
  ASSERT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
  ASSERT_EQ(Root()->PopupIsOn(), 1);
  EXPECT_STREQ(Root()->PopupGetWindow()->GetButtonFromID("MSG", 0)->GetTextP(), "Resume your last game?");
  Frame("resume-offered");
  AnswerYes();
  ASSERT_TRUE(InPlay());
  EXPECT_EQ(level_garden, 3);
  EXPECT_EQ(cash, 654);
}

TEST_F(PlayScreensDisplayTest, AFailedSaveSaysSoAndThePauseScreenAndTheGameStay) {
  Play(0);
  cash = 777;
  PauseGame();
  // A folder where the resume file goes.
  ASSERT_EQ(mkdir(ResumeFile().c_str(), 0700), 0);
  Click(Pause()->mwinPauseMainWinSaveButton);
  Frames(2);
  EXPECT_FALSE(main_program->IsExiting());
  ASSERT_EQ(Root()->PopupIsOn(), 1);
  EXPECT_STREQ(Root()->PopupGetWindow()->GetButtonFromID("MSG", 0)->GetTextP(), "The game could not be saved.");
  Frame("pause-save-failed");
  Click(Root()->PopupGetWindow()->GetButtonFromID("OK", 0));
  Frames(2);
  EXPECT_EQ(Root()->GetCurrentScreen(), PAUSE_SCREEN_ID);
  Click(Pause()->mwinPauseMainWinResumeButton);
  Frames(2);
  ASSERT_TRUE(InPlay());
  EXPECT_EQ(cash, 777);
  rmdir(ResumeFile().c_str());
}

TEST_F(PlayScreensDisplayTest, HighScoresFromThePauseScreenAreMarkedAsSuch) {
  // Not from the main menu.
  scores_control_from_pause = 0;
  Click(Screens()->GetMainCC()->mwinMainMainScoresButton);
  ASSERT_EQ(Root()->GetCurrentScreen(), SCORES_SCREEN_ID);
  EXPECT_EQ(scores_control_from_pause, 0);
  Key(SDLK_ESCAPE);
  Frames(2);
  ASSERT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);

  Play(1);
  PauseGame();
  Click(Pause()->mwinPauseMainWinScoresButton);
  ASSERT_EQ(Root()->GetCurrentScreen(), SCORES_SCREEN_ID);
  EXPECT_EQ(scores_control_from_pause, 1);
  Key(SDLK_ESCAPE);
  Frames(2);
  EXPECT_EQ(Root()->GetCurrentScreen(), PAUSE_SCREEN_ID);
  EXPECT_EQ(scores_control_from_pause, 0);
}

TEST_F(PlayScreensDisplayTest, ANewDeviceOnTheSelectionLoadsTheGardensPicturesAgain) {
  OpenSelection();
  Key(SDLK_f, KMOD_LCTRL);
  Frames(3);
  EXPECT_EQ(eng_main_window_windowed, 0);
  ASSERT_EQ(Root()->GetCurrentScreen(), SELECT_SCREEN_ID);
  for (int g = 0; g < 4; g++) EXPECT_EQ(sc_texs[g].IsOk(), 1) << g;
  Frame("select-fullscreen");
  Key(SDLK_f, KMOD_LCTRL);
  Frames(3);
  EXPECT_EQ(eng_main_window_windowed, 1);
  for (int g = 0; g < 4; g++) EXPECT_EQ(sc_texs[g].IsOk(), 1) << g;
  Pick(0);
  EXPECT_EQ(Root()->GetCurrentScreen(), NOTICE_SCREEN_ID);
}

// The program over a copy of its resources with garden 1's picture damaged, garden 2's gone and
// garden 3's path data gone.
class BrokenGardensDisplayTest : public PlayScreensDisplayTest {
 protected:
  void SetUp() override {
    const std::string from = qwtest::BuiltResources(), to = m_copy.Path() + "/resources";
    std::error_code error;
    std::filesystem::copy(from, to, std::filesystem::copy_options::recursive, error);
    ASSERT_FALSE(error) << error.message();
    qwtest::WriteWholeFile(to + "/Level1.jpg", "not a picture");
    ASSERT_EQ(unlink((to + "/Level2.jpg").c_str()), 0);
    ASSERT_EQ(unlink((to + "/TravCalcs3.dat").c_str()), 0);
    m_binary = std::make_unique<qwtest::ScopedEnvVar>("QW_TEST_BINARY_DIR", m_copy.Path().c_str());
    PlayScreensDisplayTest::SetUp();
  }
  void TearDown() override {
    PlayScreensDisplayTest::TearDown();
    m_binary.reset();
  }
  static int Count(const std::string &text, const std::string &part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) n++;
    return n;
  }
  qwtest::TempDir m_copy;
  std::unique_ptr<qwtest::ScopedEnvVar> m_binary;
};

TEST_F(BrokenGardensDisplayTest, AGardenWithoutItsPictureIsPlayedAndOneWithoutItsPathKeepsTheMenus) {
  Player()->notices_left = 0;
  ::testing::internal::CaptureStderr();
  OpenSelection();
  const std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(Count(log, "Could not load the picture of garden 1"), 1) << log;
  EXPECT_EQ(Count(log, "Could not load the picture of garden 2"), 1) << log;
  EXPECT_EQ(sc_texs[0].IsOk(), 1);
  EXPECT_EQ(sc_texs[1].IsOk(), 0);
  EXPECT_EQ(sc_texs[2].IsOk(), 0);
  EXPECT_EQ(sc_texs[3].IsOk(), 1);
  Frame("select-broken");

  // No picture on the button, but the garden is there to play.
  Pick(2);
  Frames(2);
  ASSERT_TRUE(InPlay());
  EXPECT_EQ(level_garden, 2);
  PauseGame();
  Click(Pause()->mwinPauseMainWinQuitButton);
  AnswerYes();

  // No path: the selection stays, with its pictures, and says why.
  OpenSelection();
  Pick(3);
  Frames(2);
  ASSERT_EQ(Root()->AreScreensOn(), 1);
  EXPECT_EQ(Root()->GetCurrentScreen(), SELECT_SCREEN_ID);
  EXPECT_EQ(game_started, 0);
  ASSERT_EQ(Root()->PopupIsOn(), 1);
  EXPECT_STREQ(Root()->PopupGetWindow()->GetButtonFromID("MSG", 0)->GetTextP(), "This garden could not be loaded.");
  EXPECT_EQ(sc_texs[0].IsOk(), 1);
  Frame("select-no-path");
  Click(Root()->PopupGetWindow()->GetButtonFromID("OK", 0));
  Frames(2);
  // The same from the notice.
  Player()->notices_left = 1;
  Pick(3);
  ASSERT_EQ(Root()->GetCurrentScreen(), NOTICE_SCREEN_ID);
  Click(Screens()->GetNoticeCC()->mwinNoticeNoticeOkButton);
  Frames(2);
  EXPECT_EQ(Root()->GetCurrentScreen(), SELECT_SCREEN_ID);
  ASSERT_EQ(Root()->PopupIsOn(), 1);
  EXPECT_EQ(sc_texs[3].IsOk(), 1);
  Click(Root()->PopupGetWindow()->GetButtonFromID("OK", 0));
  Frames(2);
  // Back leads to the menu, not to the notice.
  Click(Select()->mwinSelectMainBackButton);
  Frames(2);
  EXPECT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
}

}  // namespace
