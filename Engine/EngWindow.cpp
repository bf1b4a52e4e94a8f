#include "Engine/EngWindow.h"

#include <algorithm>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngMemory.h"
#include "Engine/EngProgram.h"

EngInt32 eng_main_window_width = ENG_DESIGN_WIDTH;
EngInt32 eng_main_window_height = ENG_DESIGN_HEIGHT;
char eng_main_window_windowed = 1;
EngInt32 eng_main_window_bitdepth = 32;
EngInt32 eng_main_window_frequency = 60;
EngInt32 eng_main_window_aa = 0;
EngInt32 eng_main_window_ms_type = 0;
EngInt32 eng_main_window_ms_quality = 0;
float eng_main_window_x_ratio = 1.0f;
float eng_main_window_y_ratio = 1.0f;
float eng_main_window_x_ratio_inv = 1.0f;
float eng_main_window_y_ratio_inv = 1.0f;
float eng_main_window_width_over_height = 4.0f / 3.0f;
float eng_main_window_height_over_width = 0.75f;
char eng_main_window_portraited = 0;
float eng_main_window_x_widescreen_ratio = 1.0f;
float eng_main_window_y_narrowscreen_ratio = 1.0f;
float eng_main_window_y_narrowscreen_ratio_actual = 1.0f;
EngUInt8 eng_key_down[256];

void EngWindowPixelToDesign(float px, float py, float *x, float *y) {
  if (x) *x = px * float(ENG_DESIGN_WIDTH) / float(eng_main_window_width);
  if (y) *y = py * float(ENG_DESIGN_HEIGHT) / float(eng_main_window_height);
}

void EngWindowDesignToPixel(float x, float y, float *px, float *py) {
  if (px) *px = x * float(eng_main_window_width) / float(ENG_DESIGN_WIDTH);
  if (py) *py = y * float(eng_main_window_height) / float(ENG_DESIGN_HEIGHT);
}

EngWindow::EngWindow(EngProgram *program, const char *title) : m_program(program) {
  if (title && *title) EngSafeStrcpy(m_title, title, sizeof(m_title));
  memset(eng_key_down, 0, sizeof(eng_key_down));
  OnCreate_MAC();
}

EngWindow::~EngWindow() { Destroy(); }

char EngWindow::Create(_EngCreateWindowParms *parms) {
  if (!m_program || !parms) return 0;
  signed char r = m_program->PreCreateWindowCB(parms);
  if (r == 0) DebugErrorAlt(ENG_FUNC, "PreCreateWindowCB() failed");
  if (r <= 0) return 0;
  if (!Create_MAC(*parms)) return 0;
  m_window_shown = 1;
  m_parms = *parms;
  eng_main_window_aa = parms->anti_aliasing;
  eng_main_window_ms_type = parms->multisample_type;
  eng_main_window_ms_quality = parms->multisample_quality;
  eng_main_window = this;
  m_report_double_clicks = parms->report_double_clicks;
  return 1;
}

void EngWindow::Destroy() {
  DestroyGraphicsDevice();
  if (m_native_window_exists) OnDestroy_MAC();
  if (eng_main_window == this) eng_main_window = nullptr;
}

char EngMainGraphicsAreDown() {
  return eng_main_window && eng_main_window->GetDevice() && !eng_main_window->GraphicsObjectsExist();
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
                          eng_main_window_bitdepth, eng_main_window_frequency))
      return 0;
    eng_main_device = m_device;
  } else if (!eng_main_device) {
    DebugErrorAlt(ENG_FUNC, "No device.");
    return 0;
  }
  if (!m_program) return 0;
  // Objects already made for this device (a resize or a toggle while the system slept made
  // them with the new one) are not made a second time.
  if (!fresh && m_objects_exist) return 1;
  // Set before the first step: a failed attempt still leaves objects for the destroy callbacks.
  m_objects_exist = 1;
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
  if (!m_objects_exist) {
    // Destroyed already (the system's sleep): only the device is left.
    if (destroy_device) m_device->Destroy();
    return;
  }
  m_objects_exist = 0;
  m_device->GoingToBeDestroyed();
  m_program->DeviceAboutToBeDestroyed();
  m_program->PreDestroyGraphicsDeviceCB();
  m_program->DestroyGraphicsObjectsCB();
  if (destroy_device) m_device->Destroy();
  m_program->PostDestroyGraphicsObjectsCB();
}

int EngWindow::GetWindowEvents() {
  if (m_recreate_on_next_tick) {
    m_recreate_on_next_tick = 0;
    DoRecreateDevice(_EngDeviceType(eng_main_device_type));
  } else if (m_res_change_pending) {
    m_res_change_pending = 0;
    ENG_WINDOW_RES_CHANGE_DONE_CB done = m_res_change_done;
    void *user_data = m_res_change_user_data;
    m_res_change_done = nullptr;
    m_res_change_user_data = nullptr;
    DoChangeResolution();
    if (done) done(user_data);
  }
  int result = EventsRunLoop_MAC();
  ApplyPendingResize();
  return result;
}

int EngWindow::ProcessMessages() {
  if (!m_native_window_exists) return 0;
  return ProcessMessages_MAC();
}

void EngWindow::PumpEvents() {
  if (m_native_window_exists) PumpEvents_MAC();
}

void EngWindow::RestrictResizing(char on, _EngWindowRestrictResizingInfo *info) {
  m_restrict_resizing = on;
  if (info) {
    m_restrict_info = *info;
  } else if (on) {
    m_restrict_info = {500, 400, 1.0f, 2.5f};
  } else {
    m_restrict_info = {0, 0, 0.0f, 0.0f};
  }
}

void EngWindow::SetTitle(const char *title) {
  EngSafeStrcpy(m_title, title && *title ? title : "", sizeof(m_title));
  UpdateTitle_MAC();
}

void EngWindow::SetCursorPos(int x, int y) {
  if (m_native_window_exists) SetCursorPos_MAC(x, y);
}

void EngWindow::SetCursorPosRatioed(float x, float y) {
  if (m_native_window_exists) SetCursorPosRatioed_MAC(x, y);
}

void EngWindow::GetCursorPos(int *x, int *y) { GetCursorPos_MAC(x, y); }

void EngWindow::GetCursorPosRatioed(float *x, float *y) {
  int px = 0, py = 0;
  GetCursorPos_MAC(&px, &py);
  if (x) *x = float(px) * eng_main_window_x_ratio_inv;
  if (y) *y = float(py) * eng_main_window_y_ratio_inv;
}

void EngWindow::GetCursorPosRatioedForOrientation(float *x, float *y) {
  int px = 0, py = 0;
  GetCursorPos_MAC(&px, &py);
  EngMainChangeMousePosRatioedForOrientation(float(px), float(py), x, y);
}

void EngWindow::TurnOnCursor() {
  if (m_native_window_exists) TurnOnCursor_MAC();
}

void EngWindow::TurnOffCursor() {
  if (m_native_window_exists) TurnOffCursor_MAC();
}

char EngWindow::GetWindowPos(int *x, int *y) {
  if (!eng_main_window_windowed) {
    DebugErrorAlt(ENG_FUNC, "Not running in windowed mode");
    if (x) *x = 0;
    if (y) *y = 0;
    return 0;
  }
  return GetWindowPos_MAC(x, y);
}

void EngWindow::Show(char show) { Show_MAC(show); }
void EngWindow::Minimize(char minimise) { Minimize_MAC(minimise); }

char EngWindow::PrepareDisplayForFullscreenOrWindowed(char windowed, int width, int height, int bits, int frequency,
                                                      char flag) {
  if (windowed < 0) windowed = eng_main_window_windowed;
  if (width < 0) width = eng_main_window_width;
  if (height < 0) height = eng_main_window_height;
  if (bits < 0) bits = eng_main_window_bitdepth;
  if (frequency < 0) frequency = eng_main_window_frequency;
  return PrepareDisplayForFullscreenOrWindowed_MAC(windowed, width, height, bits, frequency, flag);
}

void EngWindow::RestoreDisplayAfterFullscreenOrWindowed(char windowed) {
  if (windowed < 0) windowed = eng_main_window_windowed;
  RestoreDisplayAfterFullscreenOrWindowed_MAC(windowed);
}

char SetWindowClientSize(int, int) {
  if (eng_main_window_windowed) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOIM);
  } else {
    DebugErrorAlt(ENG_FUNC, "Not windowed.");
  }
  return 0;
}
