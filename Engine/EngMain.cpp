#include "Engine/EngMain.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pthread.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"

std::atomic<double> eng_main_current_time{0.0};
float eng_main_frame_rate = 60.0f;
float eng_main_frames_per_second = 1.0f / 60.0f;
EngInt32 eng_main_device_type = 0;
char eng_main_window_was_created = 0;

static double (*test_clock)() = nullptr;
static void (*test_exit_process)(int) = nullptr;
static pthread_t main_thread = pthread_self();

void EngMainSetClockForTests(double (*clock)()) { test_clock = clock; }
void EngMainSetProcessExitForTests(void (*exit_process)(int)) { test_exit_process = exit_process; }

// A monotonic clock, so that a change of the wall clock cannot stall or race the loop.
// Whole seconds count from the first call's whole second: the clock starts in [0, 1).
double EngMainGetCurrentTimeWithoutUpdatingGlobalCurrentTime() {
  if (test_clock) return test_clock();
  static time_t first_second = -1;
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  if (first_second < 0) first_second = ts.tv_sec;
  long micro = ts.tv_nsec / 1000;
  return double(ts.tv_sec - first_second) + double(micro) / 1000000.0;
}

double EngMainUpdateCurrentTime() {
  eng_main_current_time = EngMainGetCurrentTimeWithoutUpdatingGlobalCurrentTime();
  return eng_main_current_time;
}

char EngMainIsThisTheMainThread() { return pthread_equal(pthread_self(), main_thread) ? 1 : 0; }

char EngMainProgramIsRunning() { return eng_main_program && !eng_main_program->IsExiting(); }

void EngMainCheckInternals() {
  DebugAssertAlt(sizeof(EngInt8) == 1, ENG_FUNC, "sizeof(EngInt8) == 1");
  DebugAssertAlt(sizeof(EngUInt8) == 1, ENG_FUNC, "sizeof(EngUInt8) == 1");
  DebugAssertAlt(sizeof(EngInt16) == 2, ENG_FUNC, "sizeof(EngInt16) == 2");
  DebugAssertAlt(sizeof(EngUInt16) == 2, ENG_FUNC, "sizeof(EngUInt16) == 2");
  DebugAssertAlt(sizeof(EngInt32) == 4, ENG_FUNC, "sizeof(EngInt32) == 4");
  DebugAssertAlt(sizeof(EngUInt32) == 4, ENG_FUNC, "sizeof(EngUInt32) == 4");
  DebugAssertAlt(char(-1) < 0, ENG_FUNC, "char is not signed.");
}


void EngMainShowErrorAndLogFilePopupOnExit() {
  if (!EngMiscExitProgramNow(1)) return;
  const char *log = DebugGetLogFilename();
  struct stat st;
  if (log && *log && stat(log, &st) == 0) {
    if (EngMiscAskOkCancel_MAC("Error Running Program",
                               "The program had to terminate prematurely.\n\nDo you wish to see the log file ?"))
      EngMiscOpenFileInViewer_MAC(log);
  } else {
    EngMiscShowPopupMessage(ENG_MISC_POPUP_ERROR, "Error Running Program",
                            "The program had to terminate prematurely. No error logs were generated.");
  }
}

void EngMainForceExitOfMainProgramNow(const char *title, const char *text) {
  if (eng_main_program) eng_main_program->ForceExitNow(title, text, 0);
}

void EngMainCallExit(int status) {
  if (test_exit_process) test_exit_process(status);
  if (EngMainIsThisTheMainThread()) {
    DebugInfoAlt(ENG_FUNC, "Exiting.");
    exit(status);
  }
  // A fatal error on a worker thread still ends the whole process with its code: ending
  // only the thread would leave the program running without its closing-down.
  DebugInfoAlt(ENG_FUNC, "Exiting thread...");
  fflush(nullptr);
  _exit(status);
}

