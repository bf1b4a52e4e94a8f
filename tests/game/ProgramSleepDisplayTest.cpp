// The system's sleep and wake notices in the real program, with the window resized and switched
// to and from full screen around and between them, on the menu and in play: the graphics
// objects are made once whatever the order (no "Textures already loaded", no failed creation),
// and the program draws on after the wake (each order's frame is saved in QW_SCREENSHOT_DIR,
// when set). Each order is a case of its own, started afresh.
#include <SDL.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngPowerEvents.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinTextures.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
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

class ProgramSleepDisplayTest : public qwtest::ScreensProgramTest, public ::testing::WithParamInterface<SleepCase> {
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

}  // namespace
