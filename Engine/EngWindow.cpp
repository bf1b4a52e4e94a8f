#include "Engine/EngWindow.h"

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMemory.h"
#include "Engine/EngProgram.h"

EngInt32 eng_main_window_width = 640;
EngInt32 eng_main_window_height = 480;
char eng_main_window_windowed = 1;

EngWindow::EngWindow(EngProgram *program, const char *title) : m_program(program) {
  EngSafeStrcpy(m_title, title, sizeof(m_title));
}

EngWindow::~EngWindow() { Destroy(); }

char EngWindow::Create(_EngCreateWindowParms *parms) {
  if (!m_program || !parms) return 0;
  signed char r = m_program->PreCreateWindowCB(parms);
  if (r == 0) DebugErrorAlt(ENG_FUNC, "PreCreateWindowCB() failed");
  if (r <= 0) return 0;
  if (eng_main_window) return 0;
  if (!EngWindowCreateNative_MAC(this, parms)) return 0;
  m_native_window_exists = 1;
  m_parms = *parms;
  eng_main_window_width = parms->width > 0 ? parms->width : 1;
  eng_main_window_height = parms->height > 0 ? parms->height : 1;
  eng_main_window_windowed = parms->windowed;
  eng_main_window = this;
  return 1;
}

void EngWindow::Destroy() {
  DestroyGraphicsDevice();
  if (m_native_window_exists) {
    EngWindowDestroyNative_MAC(this);
    m_native_window_exists = 0;
  }
  if (eng_main_window == this) eng_main_window = nullptr;
}

char EngWindow::CreateGraphicsDevice() {
  if (!m_program) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (!m_changing_mode) {
    signed char r = m_program->PreDeviceInitCB();
    if (r == 0) DebugErrorAlt(ENG_FUNC, "PreDeviceInitCB() failed");
    if (r <= 0) return 0;
  }
  if (!m_device) m_device = EngDeviceMake();
  if (!DoCreateGraphicsDevice(1)) {
    DebugErrorAlt(ENG_FUNC, "DoCreateGraphicsDevice() failed");
    return 0;
  }
  if (m_changing_mode) return 1;
  signed char r = m_program->PostDeviceInitCB();
  if (r == 0) DebugErrorAlt(ENG_FUNC, "PostDeviceInitCB() failed");
  if (r <= 0) return 0;
  m_program->SetDeviceInitialised(1);
  return 1;
}

char EngWindow::DoCreateGraphicsDevice(char fresh) {
  if (!m_device) {
    DebugErrorAlt(ENG_FUNC, "No device");
    return 0;
  }
  if (fresh) {
    if (m_device->IsCreated()) {
      DebugErrorAlt(ENG_FUNC, "Device already created");
      return 1;
    }
    if (!m_device->Create(eng_main_window_windowed, eng_main_window_width, eng_main_window_height,
                          m_parms.bit_depth, m_parms.frequency))
      return 0;
    eng_main_device = m_device;
  } else if (!eng_main_device) {
    DebugErrorAlt(ENG_FUNC, "No device.");
    return 0;
  }
  struct Step {
    signed char (EngProgram::*cb)();
    const char *failure;
  };
  static const Step steps[] = {
      {&EngProgram::PreCreateGraphicsObjectsCB, "PreCreateGraphicsObjectsCB() failed"},
      {&EngProgram::CreateGraphicsObjectsCB, "CreateGraphicsObjectsCB() failed"},
      {&EngProgram::PostCreateGraphicsObjectsCB, "PostCreateGraphicsObjectsCB() failed"},
  };
  for (const Step &step : steps) {
    signed char r = (m_program->*step.cb)();
    // CreateGraphicsObjectsCB fails only on 0; the others on anything but success.
    bool failed = step.cb == &EngProgram::CreateGraphicsObjectsCB ? r == 0 : r <= 0;
    if (failed) {
      if (r == 0) DebugErrorAlt(ENG_FUNC, "%s", step.failure);
      return 0;
    }
  }
  if (fresh) m_program->DeviceJustBeenCreated();
  m_program->WindowResizedCB();
  return 1;
}

void EngWindow::DestroyGraphicsDevice() {
  if (!m_program || !m_device) return;
  if (!m_changing_mode) m_program->PreDeviceExitCB();
  DoDestroyGraphicsDevice(1);
  delete m_device;
  m_device = nullptr;
  if (!m_changing_mode) m_program->PostDeviceExitCB();
}

void EngWindow::DoDestroyGraphicsDevice(char destroy_device) {
  if (!m_program) return;
  if (!m_device) {
    DebugErrorAlt(ENG_FUNC, "No device");
    return;
  }
  m_device->GoingToBeDestroyed();
  m_program->DeviceAboutToBeDestroyed();
  m_program->PreDestroyGraphicsDeviceCB();
  m_program->DestroyGraphicsObjectsCB();
  if (destroy_device) m_device->Destroy();
  m_program->PostDestroyGraphicsObjectsCB();
}

int EngWindow::GetWindowEvents() { return EngWindowPumpEvents_MAC(this); }
