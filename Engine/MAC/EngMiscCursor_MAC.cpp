// Pointer speed over X11's pointer acceleration, reached through the SDL window's display
// or, without a window, the display in $DISPLAY. X has one acceleration for every pointer
// device, so the trackpad and mouse speeds are one value here.
#include "Engine/EngMisc.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <cmath>
#include <cstdlib>

#include "Engine/EngDebug.h"

// The engine's speeds run from 0 (no acceleration) to 3; X multiplies fast motion by
// numerator / denominator, where 1 is no acceleration. Sixteenths hold every standard speed.
enum { ACCELERATION_DENOMINATOR = 16 };

namespace {

class PointerDisplay {
 public:
  PointerDisplay() {
    SDL_Window *window = static_cast<SDL_Window *>(EngMiscGetMainNativeWindow_MAC());
    if (window) {
      SDL_SysWMinfo info;
      SDL_VERSION(&info.version);
      if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) m_display = info.info.x11.display;
    }
    if (!m_display) {
      const char *name = getenv("DISPLAY");
      if (name && *name) {
        m_display = XOpenDisplay(nullptr);
        m_owned = m_display != nullptr;
      }
    }
  }
  ~PointerDisplay() {
    if (m_owned) XCloseDisplay(m_display);
  }
  PointerDisplay(const PointerDisplay &) = delete;
  PointerDisplay &operator=(const PointerDisplay &) = delete;
  Display *Get() const { return m_display; }

 private:
  Display *m_display = nullptr;
  bool m_owned = false;
};

}  // namespace

char EngMiscGetCursorSpeed_MAC(_EngMiscCursorSpeed *speed) {
  if (!speed) return 0;
  PointerDisplay display;
  if (!display.Get()) {
    DebugErrorAlt(ENG_FUNC, "NXOpenEventStatus() failed.");
    return 0;
  }
  int numerator = 0, denominator = 0, threshold = 0;
  XGetPointerControl(display.Get(), &numerator, &denominator, &threshold);
  if (denominator <= 0) {
    DebugErrorAlt(ENG_FUNC, "IOHIDGetAccelerationWithKey(trackpad) failed.[%d]", denominator);
    DebugErrorAlt(ENG_FUNC, "IOHIDGetAccelerationWithKey(mouse) failed.[%d]", denominator);
    return 1;
  }
  double value = double(numerator) / double(denominator) - 1.0;
  if (value < 0.0) value = 0.0;
  speed->trackpad_speed = value;
  speed->mouse_speed = value;
  return 1;
}

char EngMiscSetCursorSpeed_MAC(_EngMiscCursorSpeed speed) {
  PointerDisplay display;
  if (!display.Get()) {
    DebugErrorAlt(ENG_FUNC, "NXOpenEventStatus() failed.");
    return 0;
  }
  // The mouse speed is the one X keeps; the trackpad's is the same setting.
  double value = speed.mouse_speed;
  if (!(value >= 0.0)) value = 0.0;
  if (value > 3.0) value = 3.0;
  int numerator = int(std::lround((1.0 + value) * ACCELERATION_DENOMINATOR));
  XChangePointerControl(display.Get(), True, False, numerator, ACCELERATION_DENOMINATOR, 0);
  XSync(display.Get(), False);
  return 1;
}
