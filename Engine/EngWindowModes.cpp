// The window's changes of state: the window globals and ratios, device re-creation,
// resolution changes, the full-screen toggle, activation, minimising and resizing.
#include "Engine/EngWindow.h"

#include <algorithm>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"

void EngWindow::UpdateWindowVariables() { UpdateWindowVariables(char(255), -1, -1, -1, -1); }

void EngWindow::UpdateWindowVariables(char windowed, int width, int height, int bit_depth, int frequency) {
  if (windowed == 0 || windowed == 1) eng_main_window_windowed = windowed;
  if (width > 0) eng_main_window_width = width;
  if (height > 0) eng_main_window_height = height;
  if (bit_depth > 0) eng_main_window_bitdepth = bit_depth;
  if (frequency > 0) eng_main_window_frequency = frequency;
  if (eng_main_window_width < 1) eng_main_window_width = 1;
  if (eng_main_window_height < 1) eng_main_window_height = 1;

  float w = float(eng_main_window_width), h = float(eng_main_window_height);
  eng_main_window_x_ratio = w / float(ENG_DESIGN_WIDTH);
  eng_main_window_y_ratio = h / float(ENG_DESIGN_HEIGHT);
  eng_main_window_x_ratio_inv = float(ENG_DESIGN_WIDTH) / w;
  eng_main_window_y_ratio_inv = float(ENG_DESIGN_HEIGHT) / h;
  eng_main_window_width_over_height = w / h;
  eng_main_window_height_over_width = h / w;
  eng_main_window_portraited = eng_main_window_height > eng_main_window_width;

  eng_main_window_x_widescreen_ratio = m_disable_widescreen ? 1.0f : std::min(1.0f, h / w * 1.3333334f);
  EngMainSetOrientation(eng_main_window_portraited ? ENG_ORIENTATION_PORTRAIT : ENG_ORIENTATION_LANDSCAPE_LEFT);
  // The desktop never runs a mobile layout, so the mobile squeeze of the first ratio is not needed.
  float narrow = m_disable_narrowscreen ? 1.0f : std::min(1.0f, w / h);
  eng_main_window_y_narrowscreen_ratio = narrow;
  eng_main_window_y_narrowscreen_ratio_actual = narrow;

  if (m_device) m_device->SetFullViewportSize();
}

void EngWindow::DisableWidescreenOrNarrowscreenCalculations(char widescreen, char narrowscreen) {
  m_disable_widescreen = widescreen;
  m_disable_narrowscreen = narrowscreen;
  UpdateWindowVariables();
}

char EngWindow::RecreateDevice() { return DoRecreateDevice(_EngDeviceType(eng_main_device_type)); }

char EngWindow::ChangeDeviceType(_EngDeviceType type) {
  if (type == eng_main_device_type) return 1;
  return DoRecreateDevice(type);
}

char EngWindow::DoRecreateDevice(_EngDeviceType type) {
  if (!m_device) {
    DebugErrorAlt(ENG_FUNC, "No device");
    return 0;
  }
  if (m_device->IsCreated()) {
    m_recreating = 1;
    DoDestroyGraphicsDevice(1);
    RestoreDisplayAfterFullscreenOrWindowed(eng_main_window_windowed);
  }
  eng_main_device_type = type;
  char ok = 1;
  if (!PrepareDisplayForFullscreenOrWindowed(eng_main_window_windowed, eng_main_window_width, eng_main_window_height,
                                             eng_main_window_bitdepth, eng_main_window_frequency, 0)) {
    DebugErrorAlt(ENG_FUNC, "Could not prepare mode");
    ok = 0;
  } else if (!DoCreateGraphicsDevice(1)) {
    DebugErrorAlt(ENG_FUNC, "Could not re-create graphics device and/or objects");
    ok = 0;
  }
  m_recreating = 0;
  if (ok) UpdateWindowVariables();
  return ok;
}

void EngWindow::ChangeDeviceResolutionOnNextTick(_EngWindowResChangeSettings *settings,
                                                 ENG_WINDOW_RES_CHANGE_DONE_CB done, void *user_data) {
  if (!settings || !settings->change_requested) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameter");
    return;
  }
  m_res_change = *settings;
  m_res_change_done = done;
  m_res_change_user_data = user_data;
  m_res_change_pending = 1;
}

void EngWindow::SetVarsForFullscreenModeToggle(int win_width, int win_height, int win_bits, int win_freq, int win_x,
                                               int win_y, int fs_width, int fs_height, int fs_bits, int fs_freq) {
  m_toggle_win_width = win_width;
  m_toggle_win_height = win_height;
  m_toggle_win_bits = win_bits;
  m_toggle_win_freq = win_freq;
  m_toggle_win_x = win_x;
  m_toggle_win_y = win_y;
  m_toggle_fs_width = fs_width;
  m_toggle_fs_height = fs_height;
  m_toggle_fs_bits = fs_bits;
  m_toggle_fs_freq = fs_freq;
}

// Both a resolution change and the toggle destroy the device and the native window before
// building them again. The program's exiting flag is left alone: our own teardown never sets
// it, so a real quit that arrived in the same frame is kept.
void EngWindow::TearDownForModeChange() {
  m_changing_mode = 1;
  DestroyGraphicsDevice();
  if (m_native_window_exists) OnDestroy_MAC();
  if (eng_main_window == this) eng_main_window = nullptr;
}

// Builds the window and device for the given parameters (the display modes decide the
// details); on failure nothing of the attempt is left standing.
static const char *RecreateStep(EngWindow *window, _EngCreateWindowParms *parms) {
  EngResModes modes;
  if (!modes.IsSetup()) return "No modes.";
  int w = 0, h = 0, bits = parms->bit_depth, freq = parms->frequency;
  if (parms->windowed) {
    if (modes.GetWindowedModeDetails(&w, &h, &bits, &freq)) {
      parms->bit_depth = bits;
      parms->frequency = freq;
    }
  } else {
    w = parms->width;
    h = parms->height;
    if (modes.GetClosestFullScreenModeToMode(&w, &h, &bits, &freq)) {
      parms->width = w;
      parms->height = h;
      parms->bit_depth = bits;
      parms->frequency = freq;
    }
  }
  if (!window->Create(parms)) return "Could not re-create window";
  if (!window->CreateGraphicsDevice()) return "Could not re-create graphics device and/or objects";
  return nullptr;
}

char EngWindow::RecreateWindowAndDevice(_EngCreateWindowParms *parms) {
  const char *failure = RecreateStep(this, parms);
  if (!failure) return 1;
  DebugErrorAlt(ENG_FUNC, "%s", failure);
  // Undo what the attempt made, so the restore starts from nothing.
  DestroyGraphicsDevice();
  if (m_native_window_exists) OnDestroy_MAC();
  if (eng_main_window == this) eng_main_window = nullptr;
  return 0;
}

// A failed change goes back to the mode in use before it; if even that fails the program
// cannot go on without a window and device, so it ends through the fatal-error path.
char EngWindow::ReCreateAfterModeChange(_EngCreateWindowParms *parms, const _EngCreateWindowParms *previous) {
  if (RecreateWindowAndDevice(parms)) return 1;
  _EngCreateWindowParms restore = *previous;
  if (RecreateWindowAndDevice(&restore)) {
    m_changing_mode = 0;
    UpdateWindowVariables();
    if (m_program) m_program->WindowResizedCB();
    DebugErrorAlt(ENG_FUNC, "Mode change failed - previous mode restored");
    return 0;
  }
  m_changing_mode = 0;
  DebugErrorAlt(ENG_FUNC, "Could not restore the previous mode");
  EngMainForceExitOfMainProgramNow("ERROR", "Could not re-create graphics device and/or objects");
  EngMainCallExit(-1);
}

static _EngCreateWindowParms CurrentModeParms(const _EngCreateWindowParms &kept) {
  _EngCreateWindowParms p = kept;
  p.windowed = eng_main_window_windowed;
  p.width = eng_main_window_width;
  p.height = eng_main_window_height;
  p.bit_depth = eng_main_window_bitdepth;
  p.frequency = eng_main_window_frequency;
  return p;
}

char EngWindow::DoChangeResolution() {
  if (!m_device || !m_device->IsCreated()) {
    DebugErrorAlt(ENG_FUNC, "Device not created");
    return 0;
  }
  if (!m_res_change.change_requested) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  _EngCreateWindowParms previous = CurrentModeParms(m_parms);
  TearDownForModeChange();
  _EngCreateWindowParms parms = m_parms;
  parms.windowed = m_res_change.windowed;
  parms.width = m_res_change.width;
  parms.height = m_res_change.height;
  parms.bit_depth = m_res_change.bit_depth;
  parms.x = m_res_change.x;
  parms.y = m_res_change.y;
  parms.frequency = m_res_change.frequency;
  parms.anti_aliasing = m_res_change.anti_aliasing;
  parms.multisample_type = m_res_change.multisample_type;
  parms.multisample_quality = m_res_change.multisample_quality;
  if (!ReCreateAfterModeChange(&parms, &previous)) return 0;
  m_changing_mode = 0;
  UpdateWindowVariables();
  m_res_change = {};
  return 1;
}

char EngWindow::ToggleFullscreenMode() {
  if (!m_device || !m_device->IsCreated()) {
    DebugErrorAlt(ENG_FUNC, "Device not created");
    return 0;
  }
  _EngOrientation orientation = EngMainGetOrientation();
  _EngCreateWindowParms previous = CurrentModeParms(m_parms);
  TearDownForModeChange();

  _EngCreateWindowParms parms = previous;
  parms.windowed = !previous.windowed;
  if (!parms.windowed) {
    if (m_toggle_fs_width >= 1) parms.width = m_toggle_fs_width;
    if (m_toggle_fs_height >= 1) parms.height = m_toggle_fs_height;
    if (m_toggle_fs_bits >= 1) parms.bit_depth = m_toggle_fs_bits;
    if (m_toggle_fs_freq >= 0) parms.frequency = m_toggle_fs_freq;
  } else {
    if (m_toggle_win_width >= 1) parms.width = m_toggle_win_width;
    if (m_toggle_win_height >= 1) parms.height = m_toggle_win_height;
    if (m_toggle_win_bits >= 1) parms.bit_depth = m_toggle_win_bits;
    if (m_toggle_win_freq >= 0) parms.frequency = m_toggle_win_freq;
    parms.x = m_toggle_win_x >= 0 ? m_toggle_win_x : 0;
    parms.y = m_toggle_win_y >= 1 ? m_toggle_win_y : 0;
  }
  m_toggle_win_width = m_toggle_win_height = m_toggle_win_bits = m_toggle_win_freq = -1;
  m_toggle_fs_width = m_toggle_fs_height = m_toggle_fs_bits = m_toggle_fs_freq = -1;

  if (!ReCreateAfterModeChange(&parms, &previous)) return 0;
  m_changing_mode = 0;
  UpdateWindowVariables();
  if (m_program) {
    m_program->WindowResizedCB();
    if (EngMainGetOrientation() != orientation) m_program->OrientationChangedCB(EngMainGetOrientation());
  }
  return 1;
}

void EngWindow::GotActiveMsg(char active) {
  if ((m_program && m_program->IsExiting()) || m_recreating || m_changing_mode || active == m_active) return;
  m_active = active;
  if (!eng_main_window_windowed && m_device) {
    if (!active && m_device->IsCreated()) {
      DoDestroyGraphicsDevice(1);
      RestoreDisplayAfterFullscreenOrWindowed(0);
    } else if (active && !m_device->IsCreated()) {
      const char *failure = nullptr;
      if (!PrepareDisplayForFullscreenOrWindowed(0, eng_main_window_width, eng_main_window_height,
                                                 eng_main_window_bitdepth, eng_main_window_frequency, 0))
        failure = "Could not prepare for fullscreen mode";
      else if (!DoCreateGraphicsDevice(1))
        failure = "Could not re-create graphics device and/or objects";
      if (failure) {
        DebugErrorAlt(ENG_FUNC, "%s", failure);
        EngMainForceExitOfMainProgramNow("ERROR", failure);
        EngMainCallExit(-1);
      }
    }
  }
  if (m_program) m_program->WindowActivated(active);
}

void EngWindow::GotMinimizedMsg(char minimised) {
  if ((m_program && m_program->IsExiting()) || m_recreating || m_changing_mode) return;
  m_minimised = minimised;
  if (m_program) m_program->WindowWasMinimized(minimised);
}

void EngWindow::WindowResized(int width, int height) {
  _EngOrientation orientation = EngMainGetOrientation();
  UpdateWindowVariables(char(255), width, height, -1, -1);
  DoRecreateDevice(_EngDeviceType(eng_main_device_type));
  if (m_device) m_device->WindowResized();
  if (m_program) {
    m_program->WindowResized();
    if (EngMainGetOrientation() != orientation) m_program->OrientationChangedCB(EngMainGetOrientation());
  }
}

void EngWindow::MsgsWindowSizeChanged(int width, int height) {
  if (width < 1 || height < 1) return;
  if (!m_resize_pending && width == eng_main_window_width && height == eng_main_window_height) return;
  m_resize_pending = 1;
  m_resize_width = width;
  m_resize_height = height;
}

// Resize reports come in bursts while the user drags: only the last size of a frame counts,
// and the device is re-created at most once per frame.
void EngWindow::ApplyPendingResize() {
  if (!m_resize_pending || eng_main_current_time < m_resize_next_time) return;
  m_resize_pending = 0;
  double frame = std::min(0.1, std::max(0.0, double(eng_main_frames_per_second)));
  m_resize_next_time = eng_main_current_time + frame;
  if (m_resize_width == eng_main_window_width && m_resize_height == eng_main_window_height) return;
  WindowResized(m_resize_width, m_resize_height);
}
