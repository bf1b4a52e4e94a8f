#include "Engine/EngProgram.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sys/time.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/EngPowerEvents.h"
#include "Engine/EngWindow.h"

EngProgram *eng_main_program = nullptr;
EngWindow *eng_main_window = nullptr;
EngDevice *eng_main_device = nullptr;

static const char *test_resources_path = nullptr;
static volatile sig_atomic_t pending_signal = 0;

void EngProgramSetResourcesPathForTests(const char *path) { test_resources_path = path; }
int EngProgramPendingSignal() { return pending_signal; }
void EngProgramClearPendingSignal() { pending_signal = 0; }

EngProgram::EngProgram() {
  m_exiting = 0;
  m_computer_asleep = 0;
  m_show_popup_after_exit = 0;
  eng_main_device_type = ENG_DEVICE_TYPE_OPENGL;
  eng_main_frame_rate = 60.0f;
  eng_main_frames_per_second = 1.0f / 60.0f;
  eng_main_current_time = 0.0;

  struct timeval tv;
  gettimeofday(&tv, nullptr);
  srand(unsigned(tv.tv_usec));

  if (test_resources_path) {
    EngSafeStrcpy(m_resources_path, test_resources_path, sizeof(m_resources_path));
  } else if (!GetResourcesPath_MAC(m_resources_path, sizeof(m_resources_path))) {
    DebugErrorAlt(ENG_FUNC, "Could not get resources path - trying default ...");
    EngSafeStrcpy(m_resources_path, "./resources", sizeof(m_resources_path));
  }
  if (chdir(m_resources_path) != 0) {
    DebugErrorAlt(ENG_FUNC, "chdir to <%s> failed", m_resources_path);
    ForceExitNow("Error", "Fatal Internal Error 0x01 [chdir] - MAC", 0);
    EngMainCallExit(-1);
  }
  eng_main_program = this;
}

EngProgram::~EngProgram() {
  if (eng_main_program == this) Exit(0);
  if (eng_main_program == this) eng_main_program = nullptr;
}

// The base callbacks.
signed char EngProgram::InitCB(int, char **) { return 1; }
signed char EngProgram::PreCreateWindowCB(_EngCreateWindowParms *) { return 1; }
signed char EngProgram::PostCreateWindowCB() { return 1; }
signed char EngProgram::PreDeviceInitCB() { return 1; }
signed char EngProgram::PostDeviceInitCB() { return 1; }
signed char EngProgram::PreCreateGraphicsObjectsCB() { return 1; }
signed char EngProgram::CreateGraphicsObjectsCB() { return 1; }
signed char EngProgram::PostCreateGraphicsObjectsCB() { return 1; }
void EngProgram::PreDestroyGraphicsDeviceCB() {}
void EngProgram::DestroyGraphicsObjectsCB() {}
void EngProgram::PostDestroyGraphicsObjectsCB() {}
signed char EngProgram::TickCB() { return 1; }
void EngProgram::RenderCB() {
  if (eng_main_device) {
    eng_main_device->SetClearColour(0.2f, 0.4f, 0.3f);
    eng_main_device->ClearScreen();
  }
}
signed char EngProgram::InputCB(_EngDesktopInputType, EngInputParm1, EngInputParm2) { return 0; }
void EngProgram::OrientationChangedCB(_EngOrientation) {}
void EngProgram::ComputerSleepingCB(char) {}
void EngProgram::WindowActivatedCB(char) {}
void EngProgram::WindowWasMinimized(char) {}
void EngProgram::WindowResizedCB() {}
void EngProgram::PreDeviceExitCB() {}
void EngProgram::PostDeviceExitCB() {}
void EngProgram::ExitCB() {}

signed char EngProgram::Init(void *, int argc, char **argv) {
  EngMainCheckInternals();
  m_window = nullptr;
  // Before InitCB too: a quit asked for while a start-up dialog waits must reach it.
  SetupSignalsHandler();
  signed char result = InitCB(argc, argv);
  if (result <= 0) return result;
  SetupSignalsHandler();
  return 1;
}

// Only records the signal: nothing else is safe inside a handler. The loop acts on it.
static void EngProgramSignalHandler(int sig) {
  if (sig == SIGINT || sig == SIGTERM) pending_signal = sig;
}

void EngProgram::SetupSignalsHandler() {
  // SIGKILL cannot be caught; SIGABRT is left to its default outcome.
  signal(SIGABRT, EngProgramSignalHandler);
  signal(SIGINT, EngProgramSignalHandler);
  signal(SIGTERM, EngProgramSignalHandler);
}

void EngProgram::SetMainLoopType(_EngProgramMainLoopType type) {
  if (m_window || eng_main_device) DebugErrorAlt(ENG_FUNC, "Call this before creating a window or device");
  m_main_loop_type = type;
  if (type == ENG_MAIN_LOOP_CONSTANT_FRAME_RATE || type == ENG_MAIN_LOOP_FIXED_STEP_FULL_RENDER) {
    eng_main_frame_rate = m_constant_frame_rate;
    eng_main_frames_per_second = 1.0f / m_constant_frame_rate;
  }
}

char EngProgram::SetMainDeviceType(_EngDeviceType type) {
  if (m_window || eng_main_device) {
    DebugErrorAlt(ENG_FUNC, "Call this before creating a window or device.");
    return 0;
  }
  eng_main_device_type = type;
  return 1;
}

signed char EngProgram::CreateMainWindowAndDevice(ENG_CONST_STR title, const ENG_CHAR *, _EngCreateWindowParms *parms) {
  if (!parms) {
    DebugErrorAlt(ENG_FUNC, "No window parms");
    return 0;
  }
  if (m_window) {
    DebugErrorAlt(ENG_FUNC, "Window already created.");
    return 0;
  }
  EngPowerEventsRegisterForNotifications_MAC();
  signed char result = 0;
  if (!CreateMainWindow(title, parms, &result)) {
    if (result < 0) return result;
    DebugErrorAlt(ENG_FUNC, "Could not create main window.");
    return 0;
  }
  if (!m_window->CreateGraphicsDevice()) {
    DebugErrorAlt(ENG_FUNC, "Could not create graphics device.");
    return 0;
  }
  return 1;
}

EngWindow *EngProgram::CreateMainWindow(ENG_CONST_STR title, _EngCreateWindowParms *parms, signed char *result) {
  if (m_window) {
    DebugErrorAlt(ENG_FUNC, "Can only have one window at a time");
    return nullptr;
  }
  m_window = new EngWindow(this, title);
  char created = m_window->Create(parms);
  if (created < 1) {
    delete m_window;
    m_window = nullptr;
    if (result) *result = static_cast<signed char>(created);
    return nullptr;
  }
  if (result) *result = 1;
  eng_main_window_was_created = 1;
  return m_window;
}

void EngProgram::DestroyMainWindowAndDevice() {
  if (!m_window) {
    DebugErrorAlt(ENG_FUNC, "No window");
    return;
  }
  EngPowerEventsDeregisterNotifications_MAC();
  eng_main_window_was_created = 0;
  m_window->Destroy();
  delete m_window;
  m_window = nullptr;
}

EngDevice *EngProgram::GetDevice() {
  DebugAssertAlt(m_window != nullptr, ENG_FUNC, "No window.");
  return m_window ? m_window->GetDevice() : nullptr;
}

void EngProgram::WindowActivated(char active) {
  WindowActivatedCB(active);
  if (m_main_loop_type == ENG_MAIN_LOOP_EVENT_DRIVEN) EventDrivenLoopDoTimerActionsForAWhile();
}

void EngProgram::WindowResized() {
  WindowResizedCB();
  if (m_main_loop_type == ENG_MAIN_LOOP_EVENT_DRIVEN) EventDrivenLoopDoTimerActionsForAWhile();
}

void EngProgram::ComputerSleeping(char sleeping) {
  if (sleeping) {
    if (m_window) m_window->DoDestroyGraphicsDevice(0);
    ComputerSleepingCB(1);
    EngMiscCallPlatformSleepFunc(3.0);
    m_computer_asleep = 1;
  } else {
    m_computer_asleep = 0;
    // A full-screen window switched away from while asleep has no device now: its return makes
    // the device and the objects together.
    EngDevice *device = m_window ? m_window->GetDevice() : nullptr;
    if (device && device->IsCreated()) m_window->DoCreateGraphicsDevice(0);
    ComputerSleepingCB(0);
  }
}

void EngProgram::QuitMainLoop() {
  DebugInfoAlt(ENG_FUNC, "Exiting.");
  SetExitingFlag();
}

void EngProgram::Exit(char) {
  if (!eng_main_program) return;
  m_exiting = 1;
  if (m_window) {
    m_window->Destroy();
    delete m_window;
    m_window = nullptr;
  }
  // ExitCB runs once even when Exit is reached again from the destructor.
  if (!m_exit_done) {
    m_exit_done = 1;
    ExitCB();
  }
  eng_main_program = nullptr;
  if (m_after_exit_cb) {
    EngProgramVoidCB cb = m_after_exit_cb;
    m_after_exit_cb = nullptr;
    cb();
    return;
  }
  if (m_show_popup_after_exit) {
    m_show_popup_after_exit = 0;
    EngMiscShowPopupMessage(ENG_MISC_POPUP_NONE, nullptr, nullptr);
  }
}

void EngProgram::ShowPopupAfterExiting() {
  if (!EngMiscArePopupMessageTextsSet()) DebugErrorAlt(ENG_FUNC, "Popup texts are not set.");
  m_show_popup_after_exit = 1;
}

void EngProgram::ForceExitNow(const char *title, const char *text, char quiet) {
  if (title || text) EngMiscSetPopupMessageTexts(ENG_MISC_POPUP_ERROR, title, text);
  if (!EngMainIsThisTheMainThread()) {
    DebugErrorAlt(ENG_FUNC, "Not closing down as not the main thread");
    m_exiting = 1;
    ShowPopupAfterExiting();
    return;
  }
  m_exiting = 1;
  if (m_window) {
    m_window->DestroyGraphicsDevice();
    delete m_window;
    m_window = nullptr;
  }
  if (title || text) {
    EngMiscShowPopupMessage(ENG_MISC_POPUP_NONE, nullptr, nullptr);
  } else if (!quiet) {
    EngMainShowErrorAndLogFilePopupOnExit();
  }
  if (eng_main_program == this) eng_main_program = nullptr;
}
