// The system's sleep and wake notices in the real program, with the window resized and switched
// to and from full screen around and between them, on the menu and in play: the graphics
// objects are made once whatever the order (no "Textures already loaded", no failed creation),
// and the program draws on after the wake (each order's frame is saved in QW_SCREENSHOT_DIR,
// when set). Each order is a case of its own, started afresh. A screen switched to in play while
// the graphics are down (the window minimised from full screen, or the system asleep) shows its
// title and background once they are back.
#include <SDL.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngPicture.h"
#include "Engine/EngPowerEvents.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinTextures.h"
#include "game/Levels.h"
#include "game/Platform.h"
#include "game/Quarrelwick.h"
#include "screens/MainControl.h"
#include "screens/VQ_Screens.h"
#include "tests/screens/ScreensProgramTestSupport.h"

namespace {

std::vector<std::string> *g_errors = nullptr;

void KeepErrors(const char *text) {
  const std::string line = text ? text : "";
  if (g_errors && (line.find("<ERROR>") != std::string::npos || line.find("<EXIT>") != std::string::npos))
    g_errors->push_back(line);
}

void NoSleep(double) {}

struct SleepCase {
  const char *where;  // "menu" or "play"
  const char *order;  // S sleep, W wake, R resize, T full screen toggled
};

void PrintTo(const SleepCase &c, std::ostream *os) { *os << c.where << " " << c.order; }

std::string Name(const ::testing::TestParamInfo<SleepCase> &info) {
  return std::string(info.param.where) + "_" + info.param.order;
}

// The program with its logged errors kept, and the system's sleep and wake notices at hand.
class GraphicsDownDisplayTest : public qwtest::ScreensProgramTest {
 protected:
  void SetUp() override {
    ScreensProgramTest::SetUp();
    if (HasFatalFailure()) return;
    EngPowerEventsResetForTests();
    EngPowerEventsSetRegisteredForTests(1);
    g_errors = &m_errors;
    DebugSetExtraMessageLogCallback(KeepErrors);
  }
  void TearDown() override {
    DebugSetExtraMessageLogCallback(nullptr);
    g_errors = nullptr;
    EngPowerEventsResetForTests();
    ScreensProgramTest::TearDown();
  }

  // The notice as the system bus brings it; the pause the engine gives the system before it
  // sleeps is not waited for.
  void Notice(int message) {
    EngMainSetSleepForTests(NoSleep);
    EngPowerEventsCB_MAC(message);
    EngMainSetSleepForTests(nullptr);
    Frames(1);
  }
  // A resize as the window manager makes it: the X server reports it and the loop acts on it.
  void Resize() {
    if (!eng_main_window_windowed) return;
    const int width = eng_main_window_width == 800 ? 720 : 800;
    SDL_SetWindowSize(Native(), width, 600);
    EXPECT_TRUE(FramesUntil([&] { return eng_main_window_width == width; }, 60.0)) << eng_main_window_width;
  }
  void Toggle() {
    const char windowed = eng_main_window_windowed;
    Key(SDLK_f, KMOD_LCTRL);
    Frames(2);
    EXPECT_NE(eng_main_window_windowed, windowed);
  }

  // Runs the order, ends awake and windowed, and checks the program draws the menu or field.
  void RunOrder(const char *where, const char *order) {
    for (const char *step = order; *step; step++) {
      if (*step == 'S') Notice(ENG_POWER_SYSTEM_WILL_SLEEP);
      if (*step == 'W') Notice(ENG_POWER_SYSTEM_HAS_POWERED_ON);
      if (*step == 'R') Resize();
      if (*step == 'T') Toggle();
    }
    ASSERT_FALSE(main_program->IsAsleep());
    if (!eng_main_window_windowed) Toggle();
    Frames(3);
    EXPECT_EQ(eng_main_window->GraphicsObjectsExist(), 1);
    EXPECT_EQ(main_game->GetMWin()->GetTextures()->AreTexturesLoaded(), 1);
    EXPECT_TRUE(m_errors.empty()) << m_errors.front();
    // Something other than the clear colour is drawn: the pictures are there.
    std::vector<unsigned char> frame = Frame(("sleep-" + std::string(where) + "-" + order).c_str());
    int lit = 0;
    for (size_t i = 0; i + 2 < frame.size(); i += 3) lit += frame[i] + frame[i + 1] + frame[i + 2] > 120;
    EXPECT_GT(lit, int(frame.size() / 3 / 4));
  }

  std::vector<std::string> m_errors;
};

class ProgramSleepDisplayTest : public GraphicsDownDisplayTest, public ::testing::WithParamInterface<SleepCase> {};

TEST_P(ProgramSleepDisplayTest, SleepWakeResizeAndToggleMakeTheGraphicsOnce) {
  const SleepCase &c = GetParam();
  if (std::string(c.where) == "play") {
    level_garden = 0;
    level_difficulty = 0;
    ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
    main_game->ReturnToGame();
    Frames(3);
    ASSERT_EQ(QuarrelwickGraphicsCreated(), 1);
  }
  RunOrder(c.where, c.order);
  if (std::string(c.where) == "play") {
    EXPECT_EQ(QuarrelwickGraphicsCreated(), 1);
  }
}

const SleepCase kCases[] = {
    {"menu", "SRW"},  {"menu", "STW"},   {"menu", "STTW"}, {"menu", "SRTW"},  {"menu", "STRW"}, {"menu", "RSWT"},
    {"menu", "WSRW"}, {"menu", "SSRWW"}, {"play", "SRW"},  {"play", "STW"},   {"play", "STTW"}, {"play", "SRTW"},
    {"play", "STRW"}, {"play", "RSWT"},  {"play", "WSRW"}, {"play", "SSRWW"},
};
INSTANTIATE_TEST_SUITE_P(Orders, ProgramSleepDisplayTest, ::testing::ValuesIn(kCases), Name);

// How the graphics go down and come back: a full-screen window minimised and shown again (the
// window manager's events, which take the device away with the focus), or the system's sleep.
struct DownCase {
  const char *name;
  bool full_screen;
};

void PrintTo(const DownCase &c, std::ostream *os) { *os << c.name; }

// A game in play, and the in-play Menu button pressed while the graphics are down.
class WhileDownDisplayTest : public GraphicsDownDisplayTest {
 protected:
  void StartPlaying() {
    if (m_full_screen) {
      Key(SDLK_f, KMOD_LCTRL);
      Frames(2);
      ASSERT_EQ(eng_main_window_windowed, 0);
    }
    level_garden = 0;
    level_difficulty = 0;
    ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
    main_game->ReturnToGame();
    Frames(3);
  }
  void GoDown() {
    if (m_full_screen) {
      PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
      PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
      Frames(2);
    } else {
      Notice(ENG_POWER_SYSTEM_WILL_SLEEP);
    }
    ASSERT_EQ(eng_main_window->GraphicsObjectsExist(), 0);
  }
  // Shown again, with the pointer where it was when the Menu button was pressed (no widget of
  // the menus is under it).
  void ComeBack() {
    if (m_full_screen) {
      PushWindowEvent(SDL_WINDOWEVENT_RESTORED);
      PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
      Frames(2);
    } else {
      Notice(ENG_POWER_SYSTEM_HAS_POWERED_ON);
    }
    PushMotion(MenuX(), MenuY());
    Frames(3);
    ASSERT_EQ(eng_main_window->GraphicsObjectsExist(), 1);
  }
  // The in-play Menu button pressed where it is drawn, at the right of the bottom bar.
  void PressMenu() {
    PushClick(MenuX(), MenuY());
    Frames(2);
  }
  int MenuX() const { return 608 * eng_main_window_width / 640; }
  int MenuY() const { return 465 * eng_main_window_height / 480; }
  // The title and the background, made again with the graphics.
  void ExpectTitleAndBackground() {
    EXPECT_EQ(MainControlGetTitlePicture()->AreGraphicsCreated(), 1);
    EXPECT_EQ(Root()->GetSettings()->clear_method, MWIN_CLEAR_BACKGROUND_TEXTURE);
  }

  bool m_full_screen = true;
};

class MenuWhileDownDisplayTest : public WhileDownDisplayTest, public ::testing::WithParamInterface<DownCase> {};

TEST_P(MenuWhileDownDisplayTest, TheMenuShowsItsTitleAndBackgroundOnceTheGraphicsAreBack) {
  m_full_screen = GetParam().full_screen;
  ASSERT_NO_FATAL_FAILURE(StartPlaying());
  // The menu as it comes with the graphics up, to compare with.
  PressMenu();
  ASSERT_EQ(Screens()->GetCurrentScreen(), PAUSE_SCREEN_ID);
  Frames(3);
  const std::vector<unsigned char> shown = Frame((std::string("menu-up-") + GetParam().name).c_str());
  main_game->ReturnToGame();
  Frames(3);

  ASSERT_NO_FATAL_FAILURE(GoDown());
  PressMenu();
  ASSERT_EQ(Screens()->GetCurrentScreen(), PAUSE_SCREEN_ID) << "the press was not taken while down";
  ASSERT_NO_FATAL_FAILURE(ComeBack());
  ExpectTitleAndBackground();
  EXPECT_TRUE(m_errors.empty()) << m_errors.front();
  // Drawn as it is with the graphics up: the background and the buttons alike, and the title
  // alike but for its edges, which its animation moves from frame to frame.
  const std::vector<unsigned char> back = Frame((std::string("menu-back-") + GetParam().name).c_str());
  const int w = eng_main_window_width, h = eng_main_window_height, band = h / 6;
  EXPECT_LT(PixelsDiffering(shown, back, 0, 0, w, band), w * band / 8) << "the title";
  EXPECT_LT(PixelsDiffering(shown, back, 0, band, w, h - band), w * (h - band) / 100) << "the background";
}

const DownCase kDownCases[] = {{"MinimisedFromFullScreen", true}, {"Asleep", false}};
INSTANTIATE_TEST_SUITE_P(Ways, MenuWhileDownDisplayTest, ::testing::ValuesIn(kDownCases),
                         [](const ::testing::TestParamInfo<DownCase> &info) { return std::string(info.param.name); });

// After a lost game the Menu button goes to the scores screen: its pictures (the title, the
// background, the gardens', the devices' and the flags') are made when the graphics are back, and
// none is tried without them.
TEST_F(WhileDownDisplayTest, TheScoresAfterALostGameShowTheirPicturesOnceTheGraphicsAreBack) {
  ASSERT_NO_FATAL_FAILURE(StartPlaying());
  QuarrelwickChangeLives(-lives);
  ASSERT_EQ(game_over, 1);
  Frames(3);
  ASSERT_NO_FATAL_FAILURE(GoDown());
  PressMenu();
  ASSERT_EQ(Screens()->GetCurrentScreen(), SCORES_SCREEN_ID) << "the press was not taken while down";
  ASSERT_NO_FATAL_FAILURE(ComeBack());
  ExpectTitleAndBackground();
  EXPECT_EQ(PlatformAreGraphicsLoaded(), 1);
  // The screen is started again with the graphics, which takes down the prompt to send the score.
  for (const std::string &e : m_errors) EXPECT_NE(e.find("Popup was on - turning it off"), std::string::npos) << e;
  Frame("scores-back");
}

}  // namespace
