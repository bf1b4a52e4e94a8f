// The process entry glue and the engine clock: main's steps, the checks of the integer
// types, creating and destroying the main window, and the forced ways out.
#pragma once

#include <atomic>

#include "Engine/EngTypes.h"

class EngDevice;

// Written by the main loop, read by any thread (the log stamps messages with it).
extern std::atomic<double> eng_main_current_time;
extern float eng_main_frame_rate;
// Despite its name: the duration of the last frame in seconds.
extern float eng_main_frames_per_second;
extern EngInt32 eng_main_device_type;
// The rendering device while it is created, else null.
extern EngDevice *eng_main_device;
extern char eng_main_window_was_created;

struct _EngCreateWindowParms;

// The game's start-up and exit entry points, defined by the game (the engine's tests define
// their own).
char MainCreateAndInitMainProgram(void *ignored, int argc, char **argv, int *exit_code);
const char *MainGetGameName();
_EngCreateWindowParms *MainGetCreateWindowParms();
char MainExitAndDeleteMainProgram(char ignored);

// main's steps; the executable's main only calls this.
int EngMainRun(int argc, char **argv);

void EngMainCheckInternals();
signed char EngMainCreateMainWindowAndDevice();
void EngMainDestroyMainWindowAndDevice();
char EngMainExit();
void EngMainShowErrorAndLogFilePopupOnExit();
void EngMainForceExitOfMainProgramNow(const char *title, const char *text);
[[noreturn]] void EngMainCallExit(int status);
char EngMainIsThisTheMainThread();
// 1 while a program object exists and its exiting flag is clear.
char EngMainProgramIsRunning();
// 1 while the main window's graphics objects are gone and will be made again when its device
// comes back (a full-screen window switched away from, the system asleep): a picture wanted now
// is made then, and is no failure.
char EngMainGraphicsAreDown();

double EngMainGetCurrentTimeWithoutUpdatingGlobalCurrentTime();
double EngMainUpdateCurrentTime();

// Test seams: the clock and the sleep behind the loop. Null restores the real ones.
void EngMainSetClockForTests(double (*clock)());
void EngMainSetSleepForTests(void (*sleep_seconds)(double));
// Ends the process; tests replace it to watch forced exits without dying.
void EngMainSetProcessExitForTests(void (*exit_process)(int));
