#include "Engine/EngTimeCheck.h"

#include <time.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"

static char time_check_state = TIME_CHECK_OFF;
static double time_check_length = 0.0;
static double time_check_start = 0.0;
static double time_check_system_start = 0.0;
static double time_check_engine_difference = 0.0;
static double time_check_system_difference = 0.0;
static char time_check_discrepancy = 0;
static double (*test_system_clock)() = nullptr;

void TimeCheckSetSystemClockForTests(double (*clock)()) { test_system_clock = clock; }

void TimeCheckResetForTests() {
  time_check_state = TIME_CHECK_OFF;
  time_check_length = 0.0;
  time_check_start = 0.0;
  time_check_system_start = 0.0;
  time_check_engine_difference = 0.0;
  time_check_system_difference = 0.0;
  time_check_discrepancy = 0;
  test_system_clock = nullptr;
}

static double SystemAbsoluteTime() {
  if (test_system_clock) return test_system_clock();
  struct timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

void TimeCheckSetup2(double length, double delay) {
  if (length == 0.0) {
    time_check_state = TIME_CHECK_OFF;
    return;
  }
  time_check_state = TIME_CHECK_WAITING;
  time_check_length = length;
  time_check_engine_difference = 0.0;
  time_check_system_difference = 0.0;
  time_check_discrepancy = 0;
  time_check_start = EngMainUpdateCurrentTime() + delay;
}

void TimeCheckTick() {
  double now = eng_main_current_time;
  if (time_check_state == TIME_CHECK_WAITING) {
    if (now >= time_check_start) {
      time_check_start = now;
      time_check_system_start = SystemAbsoluteTime();
      time_check_state = TIME_CHECK_MEASURING;
    }
  } else if (time_check_state == TIME_CHECK_MEASURING) {
    if (now <= time_check_start + time_check_length) return;
    time_check_engine_difference = now - time_check_start;
    time_check_system_difference = SystemAbsoluteTime() - time_check_system_start;
    double larger = time_check_engine_difference, smaller = time_check_system_difference;
    if (smaller > larger) larger = time_check_system_difference, smaller = time_check_engine_difference;
    double percent = 100.0;
    if (time_check_engine_difference > 0.0) percent = (larger - smaller) * 100.0 / time_check_engine_difference;
    if (time_check_engine_difference > 0.0 && percent < 15.0) {
      time_check_state = TIME_CHECK_FINISHED;
      return;
    }
    DebugErrorAlt(ENG_FUNC, "TIMECHECK>> SYSTEM: %f  DIFF: %f   => DISP: %f  PERC: %.0f", time_check_system_difference,
                  time_check_engine_difference, larger - smaller, percent);
    time_check_discrepancy = 1;
    time_check_state = TIME_CHECK_FINISHED;
  }
}

void TimeCheckCancel() {
  if (time_check_state == TIME_CHECK_WAITING || time_check_state == TIME_CHECK_MEASURING)
    time_check_state = TIME_CHECK_OFF;
}

char TimeCheckIsSystemOk() {
  if (time_check_state != TIME_CHECK_FINISHED) return 1;
  return time_check_discrepancy ? 0 : 1;
}

char TimeCheckIsActive() { return time_check_state > TIME_CHECK_OFF; }
