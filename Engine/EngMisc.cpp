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

void EngMiscResetForTests() {
  popup_type = ENG_MISC_POPUP_NONE;
  popup_title[0] = 0;
  popup_text[0] = 0;
  EngMiscSetPopupHandlerForTests(nullptr);
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
