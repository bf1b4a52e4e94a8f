#include "Engine/EngMisc.h"

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"

static _EngMiscPopupType popup_type = ENG_MISC_POPUP_NONE;
static char popup_title[100];
static char popup_text[400];
static double frame_rate_next_report = 0.0;
static EngUInt32 frame_rate_calls = 0;

const double eng_misc_standard_cursor_speeds[ENG_MISC_NUM_STANDARD_CURSOR_SPEEDS] = {
    0, 0.125, 0.3125, 0.5, 0.6875, 0.875, 1.0, 1.5, 2.0, 2.5, 3.0};

void EngMiscResetForTests() {
  popup_type = ENG_MISC_POPUP_NONE;
  popup_title[0] = 0;
  popup_text[0] = 0;
  frame_rate_next_report = 0.0;
  frame_rate_calls = 0;
  EngMiscSetPopupHandlerForTests(nullptr);
  EngMiscResetPlatformForTests_MAC();
}

void EngMiscSetPopupMessageTexts(_EngMiscPopupType type, const char *title, const char *text) {
  popup_type = type;
  EngSafeStrcpy(popup_title, title, sizeof(popup_title));
  EngSafeStrcpy(popup_text, text, sizeof(popup_text));
}

char EngMiscArePopupMessageTextsSet() { return popup_type != ENG_MISC_POPUP_NONE; }

void EngMiscShowPopupMessage(_EngMiscPopupType type, const char *title, const char *text) {
  if (type != ENG_MISC_POPUP_NONE || title || text) EngMiscSetPopupMessageTexts(type, title, text);
  // A message box can stand over the SDL window, so the device stays up: tearing the
  // program down here would pull it from under the callback that raised the popup.
  EngMiscShowPopupMessage_MAC(type, popup_title, popup_text);
  popup_type = ENG_MISC_POPUP_NONE;
}

char EngMiscExitProgramNow(char return_instead) {
  if (eng_main_device) {
    if (eng_main_window) {
      eng_main_window->Destroy();
      DebugInfoAlt(ENG_FUNC, "Exiting main program.");
    } else {
      DebugErrorAlt(ENG_FUNC, "Device created but no window created");
    }
  } else {
    DebugInfoAlt(ENG_FUNC, "Exiting main program.");
  }
  if (eng_main_program) eng_main_program->Exit(1);
  if (return_instead) {
    if (eng_main_device && eng_main_window && !eng_main_window->IsWindowed()) return 0;
    return 1;
  }
  double until = EngMainUpdateCurrentTime() + 4.0;
  while (EngMainUpdateCurrentTime() < until) EngMiscCallPlatformSleepFunc(0.010);
  EngMainCallExit(0);
}

void EngMiscCloseProgram() {
  if (eng_main_program) eng_main_program->SetExitingFlag();
}

char EngMiscSleep(double seconds) {
  if (seconds <= 0) return 1;
  double until = EngMainUpdateCurrentTime() + seconds;
  do {
    if (eng_main_window && eng_main_window->GetWindowEvents() < 0) return 0;
    EngMiscCallPlatformSleepFunc(0.010);
  } while (EngMainUpdateCurrentTime() < until);
  return 1;
}

void EngMiscSleepWithHang(double seconds) {
  if (seconds <= 0) return;
  double until = EngMainUpdateCurrentTime() + seconds;
  do {
    EngMiscCallPlatformSleepFunc(0.010);
  } while (EngMainUpdateCurrentTime() < until);
}

void EngMiscRenderAndSwapBuffers(char render, char measure) {
  if (render && eng_main_program) {
    eng_main_program->RenderCB();
    if (eng_main_device) eng_main_device->SwapBuffers();
  }
  if (measure && eng_main_program) eng_main_program->FullLoopCalcFrameRate();
}

void EngMiscOutputFrameRatePeriodically() {
  if (frame_rate_next_report == 0.0) {
    frame_rate_next_report = eng_main_current_time + 1.0;
    frame_rate_calls = 0;
    return;
  }
  frame_rate_calls++;
  if (eng_main_current_time >= frame_rate_next_report) {
    DebugInfoAlt(ENG_FUNC, "Calls per second: %u", frame_rate_calls);
    frame_rate_next_report = eng_main_current_time + 1.0;
    frame_rate_calls = 0;
  }
}

char EngMiscGetDefaultUsersName(char *buffer, int size) { return EngMiscGetDefaultUsersName_MAC(buffer, size); }

char EngMiscGetCursorSpeed(_EngMiscCursorSpeed *speed) {
  if (!speed) {
    DebugErrorAlt(ENG_FUNC, "Parameters Error.");
    return 0;
  }
  return EngMiscGetCursorSpeed_MAC(speed);
}

char EngMisChangeCursorSpeed(_EngMiscCursorSpeed *speed, int steps) {
  if (!speed) {
    DebugErrorAlt(ENG_FUNC, "Parameters Error.");
    return 0;
  }
  return EngMiscChangeCursorSpeed_MAC(speed, steps);
}

char EngMiscSetCursorSpeed(_EngMiscCursorSpeed speed) { return EngMiscSetCursorSpeed_MAC(speed); }

char EngMiscChangeCursorSpeed_MAC(_EngMiscCursorSpeed *speed, int steps) {
  if (!speed) return 0;
  double *fields[2] = {&speed->mouse_speed, &speed->trackpad_speed};
  for (int i = 0; i < 2; i++) {
    double value = *fields[i];
    int position = -1;
    for (int j = 0; j < ENG_MISC_NUM_STANDARD_CURSOR_SPEEDS; j++)
      if (eng_misc_standard_cursor_speeds[j] == value) position = j;
    if (position < 0) {
      DebugErrorAlt(ENG_FUNC, "speed[%d] = %f is not standard", i, value);
      // Step from the largest standard speed not above it (the slowest below the table).
      position = 0;
      for (int j = 0; j < ENG_MISC_NUM_STANDARD_CURSOR_SPEEDS; j++)
        if (eng_misc_standard_cursor_speeds[j] <= value) position = j;
    }
    long target = long(position) + steps;
    if (target < 0) target = 0;
    if (target > ENG_MISC_NUM_STANDARD_CURSOR_SPEEDS - 1) target = ENG_MISC_NUM_STANDARD_CURSOR_SPEEDS - 1;
    *fields[i] = eng_misc_standard_cursor_speeds[target];
  }
  return 1;
}

