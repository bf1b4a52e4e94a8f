// The engine's platform utilities: message boxes and the emergency exit, closing the
// program, sleeping and the program's memory use. The platform half is in MAC/EngMisc_MAC.
#pragma once

#include "Engine/EngTypes.h"

enum _EngMiscPopupType : EngInt32 {
  ENG_MISC_POPUP_NONE = 0,
  ENG_MISC_POPUP_INFORMATION = 1,
  ENG_MISC_POPUP_WARNING = 2,
  ENG_MISC_POPUP_ERROR = 3,
};

void EngMiscSetPopupMessageTexts(_EngMiscPopupType type, const char *title, const char *text);
char EngMiscArePopupMessageTextsSet();
void EngMiscShowPopupMessage(_EngMiscPopupType type, const char *title, const char *text);
void EngMiscShowPopupMessage_MAC(_EngMiscPopupType type, const char *title, const char *text);
char EngMiscExitProgramNow(char return_instead);
void EngMiscCloseProgram();

void EngMiscCallPlatformSleepFunc(double seconds);
char EngMiscGetProgramsMemoryUsageMB(float *megabytes);

// Where popups go. The default shows an SDL message box when a display is there, else
// writes to standard error; under QUARRELWICK_NONINTERACTIVE it never waits for anyone.
typedef void (*EngMiscPopupHandler)(_EngMiscPopupType type, const char *title, const char *text);
void EngMiscSetPopupHandlerForTests(EngMiscPopupHandler handler);
// A yes/no question (OK is the default answer); non-interactive runs answer with the default.
char EngMiscAskOkCancel_MAC(const char *title, const char *text);
// Opens a text file in the user's viewer (xdg-open, no shell).
void EngMiscOpenFileInViewer_MAC(const char *path);
void EngMiscResetForTests();
