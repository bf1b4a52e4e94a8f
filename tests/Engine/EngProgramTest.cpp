// The program object's start-up, loop and exit orders, driven through main's steps with a
// recording program, a fake device, and an injected clock and sleep.
#include "Engine/EngProgram.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <string>
#include <unistd.h>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMisc.h"
#include "Engine/EngPowerEvents.h"
#include "Engine/EngWindow.h"
#include "tests/support/TestSupport.h"

using ::testing::ElementsAre;

namespace {

std::vector<std::string> calls;
double fake_now = 0.0;
int sleeps = 0;
double sleep_overshoot = 0.0;  // what a real sleep adds to the time asked for
void (*on_sleep)() = nullptr;
std::vector<std::string> popups;

double FakeClock() { return fake_now; }
void FakeSleep(double seconds) {
  fake_now += seconds + sleep_overshoot;
  sleeps++;
  if (on_sleep) on_sleep();
}
void RecordPopup(_EngMiscPopupType, const char *title, const char *text) {
  popups.push_back(std::string(title) + "|" + text);
}

class FakeDevice : public EngDevice {
 public:
  // No OpenGL here: the fake is created without a context.
  char Create(char, EngInt32, EngInt32, EngInt32, EngInt32) override {
    m_created = 1;
    return 1;
  }
  void SwapBuffers() override { calls.push_back("Swap"); }
};
EngDevice *MakeFakeDevice() { return new FakeDevice(); }

struct Script {
  signed char init_result = 1;
  int ticks_before_exit = 3;
  double tick_cost = 0.0;  // seconds the fake clock advances per tick
};
Script script;

class RecordingProgram : public EngProgram {
 public:
  signed char InitCB(int, char **) override { return Record("InitCB", script.init_result); }
  signed char PreCreateWindowCB(_EngCreateWindowParms *) override { return Record("PreCreateWindowCB", 1); }
  signed char PreDeviceInitCB() override { return Record("PreDeviceInitCB", 1); }
  signed char PostDeviceInitCB() override { return Record("PostDeviceInitCB", 1); }
  signed char PreCreateGraphicsObjectsCB() override { return Record("PreCreateGraphicsObjectsCB", 1); }
  signed char CreateGraphicsObjectsCB() override { return Record("CreateGraphicsObjectsCB", 1); }
  signed char PostCreateGraphicsObjectsCB() override { return Record("PostCreateGraphicsObjectsCB", 1); }
  void PreDestroyGraphicsDeviceCB() override { calls.push_back("PreDestroyGraphicsDeviceCB"); }
  void DestroyGraphicsObjectsCB() override { calls.push_back("DestroyGraphicsObjectsCB"); }
  void PostDestroyGraphicsObjectsCB() override { calls.push_back("PostDestroyGraphicsObjectsCB"); }
  signed char TickCB() override {
    calls.push_back("TickCB");
    fake_now += script.tick_cost;
    if (--script.ticks_before_exit <= 0) SetExitingFlag();
    return 1;
  }
  void RenderCB() override { calls.push_back("RenderCB"); }
  void ComputerSleepingCB(char sleeping) override { calls.push_back(sleeping ? "Sleeping(1)" : "Sleeping(0)"); }
  void WindowResizedCB() override { calls.push_back("WindowResizedCB"); }
  void PreDeviceExitCB() override { calls.push_back("PreDeviceExitCB"); }
  void PostDeviceExitCB() override { calls.push_back("PostDeviceExitCB"); }
  void ExitCB() override { calls.push_back("ExitCB"); }

 private:
  signed char Record(const char *name, signed char result) {
    calls.push_back(name);
    return result;
  }
};

RecordingProgram *test_program = nullptr;
_EngCreateWindowParms test_parms;

}  // namespace

// The game's entry points, as the engine's own tests see them.
char MainCreateAndInitMainProgram(void *, int argc, char **argv, int *exit_code) {
  test_program = new RecordingProgram();
  EngMainUpdateCurrentTime();
  signed char r = test_program->Init(nullptr, argc, argv);
  if (r > 0) return 1;
  *exit_code = r == 0 ? -1 : 0;
  return 0;
}
const char *MainGetGameName() { return "Test"; }
_EngCreateWindowParms *MainGetCreateWindowParms() { return &test_parms; }
char MainExitAndDeleteMainProgram(char) {
  if (test_program) {
    test_program->Exit(1);
    delete test_program;
    test_program = nullptr;
  }
  calls.push_back("Deleted");
  return 1;
}

class EngProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    popups.clear();
    script = Script();
    fake_now = 0.0;
    sleeps = 0;
    sleep_overshoot = 0.0;
    on_sleep = nullptr;
    EngProgramSetResourcesPathForTests(m_dir.Path().c_str());
    EngMainSetClockForTests(FakeClock);
    EngMainSetSleepForTests(FakeSleep);
    EngDeviceSetFactoryForTests(MakeFakeDevice);
    EngMiscResetForTests();
    EngMiscSetPopupHandlerForTests(RecordPopup);
  }
  void TearDown() override {
    if (test_program) MainExitAndDeleteMainProgram(0);
    EngProgramSetResourcesPathForTests(nullptr);
    EngMainSetClockForTests(nullptr);
    EngMainSetSleepForTests(nullptr);
    EngDeviceSetFactoryForTests(nullptr);
    EngMiscResetForTests();
    ASSERT_TRUE(m_cwd.Restore());
  }
  int Run() {
    char arg0[] = "test";
    char *argv[] = {arg0, nullptr};
    return EngMainRun(1, argv);
  }
  qwtest::TempDir m_dir;
  qwtest::WorkingFolder m_cwd;
};

TEST_F(EngProgramTest, StartLoopAndExitCallTheCallbacksInOrder) {
  script.ticks_before_exit = 2;
  EXPECT_EQ(Run(), 0);
  EXPECT_THAT(calls, ElementsAre("InitCB", "PreCreateWindowCB", "PreDeviceInitCB", "PreCreateGraphicsObjectsCB",
                                 "CreateGraphicsObjectsCB", "PostCreateGraphicsObjectsCB", "WindowResizedCB",
                                 "PostDeviceInitCB",
                                 // frame 1 ticks and renders; frame 2's tick sets the exiting flag, so no render
                                 "TickCB", "RenderCB", "Swap", "TickCB",
                                 // the exit sequence
                                 "PreDeviceExitCB", "PreDestroyGraphicsDeviceCB", "DestroyGraphicsObjectsCB",
                                 "PostDestroyGraphicsObjectsCB", "PostDeviceExitCB", "ExitCB", "Deleted"));
  EXPECT_EQ(eng_main_program, nullptr);
  EXPECT_EQ(eng_main_window, nullptr);
  EXPECT_EQ(eng_main_device, nullptr);
  EXPECT_TRUE(popups.empty());
}

TEST_F(EngProgramTest, StartUpFailuresGiveTheirExitCodes) {
  script.init_result = -1;  // a quiet refusal
  EXPECT_EQ(Run(), 0);
  EXPECT_THAT(calls, ElementsAre("InitCB", "ExitCB", "Deleted"));
  EXPECT_TRUE(popups.empty());

  calls.clear();
  script.init_result = 0;  // a failure: the log-file popup, then -1
  EXPECT_EQ(Run(), -1);
  EXPECT_THAT(calls, ElementsAre("InitCB", "ExitCB", "Deleted"));
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(popups[0].substr(0, 21), "Error Running Program");
}

TEST_F(EngProgramTest, MainRefusesASecondProgramObject) {
  RecordingProgram existing;
  EXPECT_EQ(Run(), -1);
  EXPECT_TRUE(calls.empty());
}

TEST_F(EngProgramTest, AFrameSleepsInMillisecondStepsUntilItsDeadline) {
  RecordingProgram program;
  program.DoConstantFrameRateTick();
  // 1/60 s in 1 ms steps: the frame overshoots its deadline by less than one step.
  EXPECT_EQ(sleeps, 17);
  EXPECT_GE(fake_now, 1.0 / 60.0);
  EXPECT_LT(fake_now, 1.0 / 60.0 + 0.001);
  EXPECT_NEAR(eng_main_frames_per_second, 0.017, 1e-4);
  EXPECT_NEAR(eng_main_frame_rate, 1.0 / 0.017, 0.1);

  sleeps = 0;
  program.ConstantFrameRateLoopSleepLonger(1);
  program.DoConstantFrameRateTick();
  EXPECT_EQ(sleeps, 2);  // 10 ms steps
}

// Each frame's deadline follows the one before it, so the whole steps a frame oversleeps are
// paid back by the next one and the average period is the rate's, whatever the tick costs.
TEST_F(EngProgramTest, DeadlinesFollowOneAnotherSoSixHundredFramesAverageOneOverTheRate) {
  struct Case {
    double tick_cost, overshoot;
  } cases[] = {{0.0, 0.0}, {0.0042, 0.0}, {0.0, 0.00031}, {0.0091, 0.00017}, {0.0153, 0.0004}};
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "tick " << c.tick_cost << " s, sleep overshoot " << c.overshoot << " s");
    RecordingProgram program;
    script.ticks_before_exit = 1000;
    script.tick_cost = c.tick_cost;
    sleep_overshoot = c.overshoot;
    fake_now = 5.0;
    program.DoConstantFrameRateTick();  // the first frame counts from its own start
    const double start = fake_now;
    for (int i = 0; i < 600; i++) program.DoConstantFrameRateTick();
    EXPECT_NEAR((fake_now - start) / 600, 1.0 / 60.0, 0.005 / 60.0);
  }
}

TEST_F(EngProgramTest, AFrameThatRunsLongRestartsTheDeadlineFromItsOwnStart) {
  RecordingProgram program;
  script.ticks_before_exit = 1000;
  program.DoConstantFrameRateTick();
  program.DoConstantFrameRateTick();
  script.tick_cost = 0.040;  // more than two periods
  program.DoConstantFrameRateTick();
  const double late_start = fake_now;  // no sleep: this frame ends where the next one starts
  script.tick_cost = 0.0;
  sleeps = 0;
  program.DoConstantFrameRateTick();
  // A full period from the late frame's start, not a burst of frames to catch up.
  EXPECT_GE(fake_now, late_start + 1.0 / 60.0);
  EXPECT_LT(fake_now, late_start + 1.0 / 60.0 + 0.001);
  EXPECT_EQ(sleeps, 17);
}

TEST_F(EngProgramTest, ASlowFrameDoesNotSleepAndReportsItsDuration) {
  RecordingProgram program;
  script.ticks_before_exit = 100;
  script.tick_cost = 0.05;
  program.DoConstantFrameRateTick();
  EXPECT_EQ(sleeps, 0);
  EXPECT_FLOAT_EQ(eng_main_frames_per_second, 0.05f);
  EXPECT_NEAR(eng_main_frame_rate, 20.0f, 0.01f);

  // A minimum sleep count still sleeps that often.
  program.ConstantFrameRateLoopSetMinimumSleepAmount(3);
  program.DoConstantFrameRateTick();
  EXPECT_EQ(sleeps, 3);
}

TEST_F(EngProgramTest, InputCutsTheSleepShortOnlyWithImmediateResponse) {
  RecordingProgram program;
  script.ticks_before_exit = 100;
  static RecordingProgram *p;
  p = &program;
  on_sleep = [] {
    if (sleeps == 3) p->EventDrivenLoopDoTimerActionNow(0);
  };
  program.DoConstantFrameRateTick();
  EXPECT_EQ(sleeps, 3);

  sleeps = 0;
  program.ConstantFrameRateLoopImmediateResponseToInput(0);
  program.SetInputArrived();
  program.DoConstantFrameRateTick();
  EXPECT_EQ(sleeps, 17);
}

TEST_F(EngProgramTest, SettingTheExitingFlagStopsTheSleepAtTheNextStep) {
  RecordingProgram program;
  static RecordingProgram *p;
  p = &program;
  on_sleep = [] {
    if (sleeps == 2) p->SetExitingFlag();
  };
  script.ticks_before_exit = 100;
  program.DoConstantFrameRateTick();
  EXPECT_EQ(sleeps, 2);
}

TEST_F(EngProgramTest, ExitRunsExitCBOnceAndTheAfterExitCallbackReplacesThePopup) {
  static int after_exit_calls;
  after_exit_calls = 0;
  auto *program = new RecordingProgram();
  EngMiscSetPopupMessageTexts(ENG_MISC_POPUP_ERROR, "Title", "Text");
  program->ShowPopupAfterExiting();
  program->SetAfterExitCB([] { after_exit_calls++; });
  program->Exit(1);
  program->Exit(1);
  delete program;  // the destructor exits again
  EXPECT_THAT(calls, ElementsAre("ExitCB"));
  EXPECT_EQ(after_exit_calls, 1);
  EXPECT_TRUE(popups.empty());
}

TEST_F(EngProgramTest, ComputerSleepKeepsTheDeviceAndRebuildsTheGraphicsObjects) {
  EXPECT_EQ(Run(), 0);  // leaves nothing behind; build a fresh program with a window
  calls.clear();
  RecordingProgram program;
  ASSERT_EQ(program.CreateMainWindowAndDevice("t", nullptr, &test_parms), 1);
  calls.clear();
  program.ComputerSleeping(1);
  EXPECT_TRUE(program.IsAsleep());
  program.DoTick();
  program.ComputerSleeping(0);
  EXPECT_FALSE(program.IsAsleep());
  EXPECT_THAT(calls, ElementsAre("PreDestroyGraphicsDeviceCB", "DestroyGraphicsObjectsCB",
                                 "PostDestroyGraphicsObjectsCB", "Sleeping(1)", "PreCreateGraphicsObjectsCB",
                                 "CreateGraphicsObjectsCB", "PostCreateGraphicsObjectsCB", "WindowResizedCB",
                                 "Sleeping(0)"));
}

// The system's sleep and wake notices, a resize and a full-screen toggle, in every order and a
// few repeats: the graphics objects are never made while they stand nor destroyed while gone,
// and stand once at the end (after a last wake where the order ends asleep), with no error.
TEST_F(EngProgramTest, SleepWakeResizeAndToggleInAnyOrderMakeTheObjectsOnce) {
  EXPECT_EQ(Run(), 0);
  std::vector<std::string> orders;
  std::string steps = "RSTW";  // sorted, for every permutation
  do orders.push_back(steps);
  while (std::next_permutation(steps.begin(), steps.end()));
  orders.insert(orders.end(), {"SRRW", "STTW", "STRTW", "SSWW", "WS", "SWSW", "STWTSRW"});
  for (const std::string &order : orders) {
    SCOPED_TRACE("order " + order);
    DebugResetForTests();
    EngPowerEventsResetForTests();
    RecordingProgram program;
    ASSERT_EQ(program.CreateMainWindowAndDevice("t", nullptr, &test_parms), 1);
    EngPowerEventsSetRegisteredForTests(1);  // as if the system bus were there
    EngWindow *window = program.GetWindow();
    int standing = 1, most = 1, fewest = 1, width = 1024;
    auto count = [&] {
      for (const std::string &c : calls) {
        if (c == "CreateGraphicsObjectsCB") standing++;
        if (c == "DestroyGraphicsObjectsCB") standing--;
        most = std::max(most, standing);
        fewest = std::min(fewest, standing);
      }
      calls.clear();
    };
    calls.clear();
    for (char step : order + "w") {
      if (step == 'S') {
        EngPowerEventsCB_MAC(ENG_POWER_SYSTEM_WILL_SLEEP);
      } else if (step == 'W' || step == 'w') {
        EngPowerEventsCB_MAC(ENG_POWER_SYSTEM_HAS_POWERED_ON);
      } else if (step == 'R') {
        width = width == 1024 ? 800 : 1024;
        window->WindowResized(width, 600);
      } else {
        EXPECT_EQ(window->ToggleFullscreenMode(), 1);
      }
      count();
    }
    EXPECT_EQ(standing, 1);
    EXPECT_LE(most, 1) << "made while they stood";
    EXPECT_GE(fewest, 0) << "destroyed while gone";
    EXPECT_EQ(window->GraphicsObjectsExist(), 1);
    EXPECT_FALSE(program.IsAsleep());
    for (EngInt32 i = 0; i < DebugGetNumMessages(); i++) {
      const _DebugMessage *m = DebugGetMessage(i);
      EXPECT_NE(m->code, DEBUG_MSG_ERROR) << m->text;
    }
    program.Exit(1);
  }
  EngPowerEventsResetForTests();
}

TEST_F(EngProgramTest, ForceExitClosesTheDeviceWithoutExitCB) {
  RecordingProgram program;
  ASSERT_EQ(program.CreateMainWindowAndDevice("t", nullptr, &test_parms), 1);
  calls.clear();
  program.ForceExitNow("Oops", "Something broke", 0);
  EXPECT_THAT(calls, ElementsAre("PreDeviceExitCB", "PreDestroyGraphicsDeviceCB", "DestroyGraphicsObjectsCB",
                                 "PostDestroyGraphicsObjectsCB", "PostDeviceExitCB"));
  EXPECT_THAT(popups, ElementsAre("Oops|Something broke"));
  EXPECT_EQ(eng_main_program, nullptr);
  EXPECT_TRUE(program.IsExiting());
}

TEST_F(EngProgramTest, ConstantFrameRateSetterRefreshesTheFrameGlobals) {
  RecordingProgram program;
  program.ConstantFrameRateLoopSetConstantFrameRate(30.0f);
  EXPECT_FLOAT_EQ(eng_main_frame_rate, 30.0f);
  EXPECT_FLOAT_EQ(eng_main_frames_per_second, 1.0f / 30.0f);
  program.ConstantFrameRateLoopSetConstantFrameRate(-5.0f);  // refused: the rate stays
  EXPECT_FLOAT_EQ(program.GetConstantFrameRate(), 30.0f);
}

using EngProgramDeathTest = EngProgramTest;

TEST_F(EngProgramDeathTest, AFailedAssertionEndsTheProcessWithMinusOne) {
  EXPECT_EXIT(
      {
        RecordingProgram program;
        DebugAssertAlt(0, "void Test()", "boom");
      },
      ::testing::ExitedWithCode(255), "");
}

TEST_F(EngProgramDeathTest, SigtermClosesDownWithoutExitCBAndExitCodeZero) {
  std::string marker = m_dir.File("exitcb-ran");
  static std::string *marker_path;
  marker_path = &marker;
  struct MarkingProgram : RecordingProgram {
    void ExitCB() override { qwtest::WriteWholeFile(*marker_path, "x"); }
  };
  EXPECT_EXIT(
      {
        EngMainSetSleepForTests(nullptr);
        MarkingProgram program;
        program.SetupSignalsHandler();
        script.ticks_before_exit = 1000000;
        raise(SIGTERM);
        program.RunMainLoop();
        _exit(3);  // not reached: the loop ends the process
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_FALSE(qwtest::FileExists(marker));
}
