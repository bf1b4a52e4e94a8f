// Sleep and wake notices reach the program once each, whatever the order they come in.
#include "Engine/EngPowerEvents.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "tests/support/TestSupport.h"

namespace {

std::vector<std::string> calls;
void NoSleep(double) {}

class SleepRecorder : public EngProgram {
 public:
  void ComputerSleepingCB(char sleeping) override { calls.push_back(sleeping ? "sleep" : "wake"); }
};

class EngPowerEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    EngPowerEventsResetForTests();
    EngMainSetSleepForTests(NoSleep);
    EngProgramSetResourcesPathForTests(resources.Path().c_str());
  }
  void TearDown() override {
    EngPowerEventsResetForTests();
    EngMainSetSleepForTests(nullptr);
    EngProgramSetResourcesPathForTests(nullptr);
    EXPECT_TRUE(cwd.Restore());
  }
  qwtest::TempDir resources;
  qwtest::WorkingFolder cwd;
};

TEST_F(EngPowerEventsTest, DuplicateNoticesReachTheProgramOnce) {
  SleepRecorder program;
  ASSERT_EQ(eng_main_program, &program);
  EngPowerEventsSetRegisteredForTests(1);
  const int notices[] = {
      ENG_POWER_SYSTEM_HAS_POWERED_ON,  // not sleeping: ignored
      ENG_POWER_CAN_SYSTEM_SLEEP,       ENG_POWER_SYSTEM_WILL_SLEEP, ENG_POWER_SYSTEM_WILL_SLEEP,
      ENG_POWER_SYSTEM_HAS_POWERED_ON,  ENG_POWER_SYSTEM_HAS_POWERED_ON,
      99,  // unknown messages are ignored
      ENG_POWER_SYSTEM_WILL_SLEEP,
  };
  for (int notice : notices) EngPowerEventsCB_MAC(notice);
  EXPECT_EQ(calls, (std::vector<std::string>{"sleep", "wake", "sleep"}));
  EXPECT_EQ(program.IsAsleep(), 1);
}

TEST_F(EngPowerEventsTest, NoticesWithoutRegistrationAreDropped) {
  SleepRecorder program;
  EngPowerEventsCB_MAC(ENG_POWER_SYSTEM_WILL_SLEEP);
  EXPECT_TRUE(calls.empty());
  EngPowerEventsDeregisterNotifications_MAC();  // "Not registered." and nothing else
  EXPECT_EQ(EngPowerEventsIsRegistered_MAC(), 0);
}

TEST_F(EngPowerEventsTest, RegistrationWithOrWithoutASystemBus) {
  // CI has no system bus: registration fails, logs, and the program runs on.
  char registered = EngPowerEventsRegisterForNotifications_MAC();
  EXPECT_EQ(EngPowerEventsIsRegistered_MAC(), registered);
  EngPowerEventsPoll_MAC();
  if (registered) {
    EXPECT_EQ(EngPowerEventsRegisterForNotifications_MAC(), 0);  // "Already registered."
    EngPowerEventsDeregisterNotifications_MAC();
  }
  EXPECT_EQ(EngPowerEventsIsRegistered_MAC(), 0);
  EngPowerEventsPoll_MAC();
}

// Without a system bus the program runs on without notices: that is said once, as information,
// however often the window (and so the registration) is made again.
TEST_F(EngPowerEventsTest, NoSystemBusIsSaidOnceAsInformation) {
  const char *old = getenv("DBUS_SYSTEM_BUS_ADDRESS");
  const std::string kept = old ? old : "";
  setenv("DBUS_SYSTEM_BUS_ADDRESS", ("unix:path=" + resources.File("no-bus")).c_str(), 1);
  DebugResetForTests();
  EXPECT_EQ(EngPowerEventsRegisterForNotifications_MAC(), 0);
  EXPECT_EQ(EngPowerEventsRegisterForNotifications_MAC(), 0);
  if (old)
    setenv("DBUS_SYSTEM_BUS_ADDRESS", kept.c_str(), 1);
  else
    unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
  int said = 0;
  for (EngInt32 i = 0; i < DebugGetNumMessages(); i++) {
    const std::string text = DebugGetMessage(i)->text;
    if (text.find("IORegisterForSystemPower failed") == std::string::npos) continue;
    said++;
    EXPECT_EQ(DebugGetMessage(i)->code, DEBUG_MSG_INFO) << text;
  }
  EXPECT_EQ(said, 1);
  DebugResetForTests();
}

}  // namespace
