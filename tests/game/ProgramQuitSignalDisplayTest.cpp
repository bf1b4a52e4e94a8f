// SIGTERM and SIGINT in the real program, shown or minimised: the loop ends at its next pass
// over the events and the program closes down as its Quit command does, saving as ever.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "game/Main.h"
#include "tests/screens/ScreensProgramTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

struct QuitCase {
  const char *name;
  int signal;
  bool minimised;
};

class ProgramQuitSignalDisplayTest : public qwtest::ScreensProgramTest, public ::testing::WithParamInterface<QuitCase> {
 protected:
  void Minimise() {
    SDL_Event e = {};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_MINIMIZED;
    e.window.windowID = SDL_GetWindowID(Native());
    Push(e);
  }
};

TEST_P(ProgramQuitSignalDisplayTest, EndsTheGameAsItsQuitDoes) {
  const QuitCase &c = GetParam();
  // Without this the engine would end the whole test process at the signal.
  ASSERT_EQ(main_program->SignalsEndLikeQuit(), 1);
  if (c.minimised) {
    Minimise();
    ASSERT_EQ(eng_main_window->IsMinimized(), 1);
  }
  const std::string settings = DataFile("Resolution.dat");
  ASSERT_EQ(unlink(settings.c_str()), 0);

  ASSERT_EQ(raise(c.signal), 0);
  Frames(1);
  ASSERT_EQ(main_program->IsExiting(), 1);
  EXPECT_EQ(EngProgramPendingSignal(), 0);  // taken
  MainExitAndDeleteMainProgram(1);
  EXPECT_TRUE(qwtest::FileExists(settings));
  const std::string log = qwtest::ReadWholeFile(DataFile("LogFile.txt"));
  const std::string ending = "Exited program.\n" + std::string(54, '-') + "\n";
  EXPECT_TRUE(log.size() >= ending.size() && log.compare(log.size() - ending.size(), ending.size(), ending) == 0)
      << log;
}

INSTANTIATE_TEST_SUITE_P(Signals, ProgramQuitSignalDisplayTest,
                         ::testing::Values(QuitCase{"SigtermMinimised", SIGTERM, true},
                                           QuitCase{"SigintMinimised", SIGINT, true},
                                           QuitCase{"SigtermShown", SIGTERM, false}),
                         [](const ::testing::TestParamInfo<QuitCase> &info) { return info.param.name; });

}  // namespace
