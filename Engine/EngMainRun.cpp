// main's steps and the engine calls that reach the game's entry points. Built into the
// executable (and the tests that drive start-up), not into the engine library, because the
// engine library links before the game.
#include "Engine/EngMain.h"

#include <csignal>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngProgram.h"

signed char EngMainCreateMainWindowAndDevice() {
  if (!eng_main_program) {
    DebugErrorAlt(ENG_FUNC, "No main program");
    return 0;
  }
  return eng_main_program->CreateMainWindowAndDevice(MainGetGameName(), nullptr, MainGetCreateWindowParms());
}

void EngMainDestroyMainWindowAndDevice() {
  if (!eng_main_program) {
    DebugErrorAlt(ENG_FUNC, "No main program");
    return;
  }
  if (!eng_main_program->GetWindow()) {
    DebugErrorAlt(ENG_FUNC, "No main window");
    return;
  }
  eng_main_program->DestroyMainWindowAndDevice();
  eng_main_window = nullptr;
}

char EngMainExit() { return MainExitAndDeleteMainProgram(1); }

int EngMainRun(int argc, char **argv) {
  // A write to a closed pipe or socket inside a library (the session bus, libcurl) must fail
  // that write, not end the program.
  signal(SIGPIPE, SIG_IGN);
  EngMemorySetUpAllocator();
  if (eng_main_program) {
    DebugErrorAlt("int main(int, char **)", "eng_main_program already exists.");
    return -1;
  }
  int exit_code = 0;
  char result = MainCreateAndInitMainProgram(nullptr, argc, argv, &exit_code);
  if (result != 1) {
    if (exit_code != 0) {
      DebugErrorAlt("int main(int, char **)", "Init returned %d,  Exit %d.", result, exit_code);
      EngMainShowErrorAndLogFilePopupOnExit();
    }
    MainExitAndDeleteMainProgram(0);
    return exit_code;
  }
  if (!eng_main_program) {
    DebugErrorAlt("int main(int, char **)", "eng_main_program was not created.");
    EngMainShowErrorAndLogFilePopupOnExit();
    MainExitAndDeleteMainProgram(0);
    return -1;
  }
  EngMainCheckInternals();
  signed char created = EngMainCreateMainWindowAndDevice();
  if (created < 0) return created;
  if (created == 0) {
    EngMainShowErrorAndLogFilePopupOnExit();
    MainExitAndDeleteMainProgram(0);
    return -1;
  }
  if (eng_main_program) eng_main_program->RunMainLoop();
  MainExitAndDeleteMainProgram(1);
  return 0;
}
