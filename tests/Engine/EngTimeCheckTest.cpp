// The clock check against an injected engine clock and system clock.
#include "Engine/EngTimeCheck.h"

#include <gtest/gtest.h>

#include "Engine/EngMain.h"

namespace {

double engine_now = 0.0, system_now = 0.0;
double EngineClock() { return engine_now; }
double SystemClock() { return system_now; }

class EngTimeCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TimeCheckResetForTests();
    EngMainSetClockForTests(EngineClock);
    TimeCheckSetSystemClockForTests(SystemClock);
    engine_now = 100.0;
    system_now = 5000.0;
  }
  void TearDown() override {
    TimeCheckResetForTests();
    EngMainSetClockForTests(nullptr);
  }
  // Advances both clocks, the system one at its own rate, and ticks.
  static void Advance(double seconds, double system_rate) {
    engine_now += seconds;
    system_now += seconds * system_rate;
    EngMainUpdateCurrentTime();
    TimeCheckTick();
  }
};

TEST_F(EngTimeCheckTest, DiscrepancyFromFifteenPercent) {
  struct Case {
    double system_rate;
    char ok;
  } cases[] = {{1.0, 1}, {1.1, 1}, {0.9, 1}, {1.2, 0}, {0.5, 0}, {0.0, 0}};
  for (const Case &c : cases) {
    TimeCheckSetup2(10.0, 1.0);
    EXPECT_EQ(TimeCheckIsActive(), 1);
    Advance(0.5, c.system_rate);  // still waiting out the delay
    Advance(0.6, c.system_rate);  // starts measuring
    for (int i = 0; i < 10; i++) {
      EXPECT_EQ(TimeCheckIsSystemOk(), 1);  // unfinished checks answer ok
      Advance(1.05, c.system_rate);
    }
    EXPECT_EQ(TimeCheckIsSystemOk(), c.ok) << c.system_rate;
    EXPECT_EQ(TimeCheckIsActive(), 1);
  }
}

TEST_F(EngTimeCheckTest, CancelAndSwitchOff) {
  TimeCheckSetup2(5.0, 0.0);
  Advance(0.1, 1.0);
  TimeCheckCancel();
  EXPECT_EQ(TimeCheckIsActive(), 0);
  TimeCheckSetup2(5.0, 0.0);
  TimeCheckSetup2(0.0, 0.0);
  EXPECT_EQ(TimeCheckIsActive(), 0);
  EXPECT_EQ(TimeCheckIsSystemOk(), 1);
}

}  // namespace
