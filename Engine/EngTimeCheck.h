// The clock check: compares the engine clock with the system's absolute time over a
// stretch of seconds and notes a discrepancy of 15 percent or more. Ticked once a frame.
#pragma once

#include "Engine/EngTypes.h"

enum _TimeCheckState : EngInt8 {
  TIME_CHECK_OFF = 0,
  TIME_CHECK_WAITING = 1,
  TIME_CHECK_MEASURING = 2,
  TIME_CHECK_FINISHED = 3,
};

void TimeCheckSetup2(double length, double delay);
void TimeCheckTick();
void TimeCheckCancel();
char TimeCheckIsSystemOk();
char TimeCheckIsActive();

// Test seam: the system's absolute time in seconds; null restores the real clock.
void TimeCheckSetSystemClockForTests(double (*clock)());
void TimeCheckResetForTests();
