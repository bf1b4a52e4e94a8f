// The window's native half over SDL2: creating and destroying the window (a windowed one
// inside the desktop's usable area with its frame, a full-screen one at a mode the display
// offers, neither larger than the display), the cursor, title, position, showing and
// minimising. Headless when SDL's driver is "dummy". Xlib only sizes a full-screen window.
#include "Engine/EngWindow.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include "Engine/EngContext.h"
#include "Engine/EngDebug.h"
#include "Engine/EngMisc.h"
#include "Engine/EngResModes.h"
#include "Engine/MAC/EngText_MAC.h"
#include "Engine/MAC/EngWindowPlatform_MAC.h"

static char force_headless = 0;
static int failing_creations = 0;
static char test_desktop = 0;
static _EngWindowArea test_usable = {0, 0, 0, 0};
static _EngWindowFrame test_frame = {0, 0, 0, 0};
// The frame the window manager gave the last window: the next one most likely gets the same,
// so it is placed right before it is shown.
static _EngWindowFrame last_frame = {0, 0, 0, 0};

void EngWindowForceHeadlessForTests(char on) { force_headless = on; }
void EngWindowFailNativeCreationsForTests(int count) { failing_creations = count; }

void EngWindowSetDesktopForTests(const _EngWindowArea *usable, const _EngWindowFrame *frame) {
  test_desktop = usable != nullptr;
  test_usable = usable ? *usable : _EngWindowArea{0, 0, 0, 0};
  test_frame = frame ? *frame : _EngWindowFrame{0, 0, 0, 0};
}

int EngWindowVideoState_MAC() {
  if (force_headless) return 0;
  const char *driver = getenv("SDL_VIDEODRIVER");
  if (driver && strcmp(driver, "dummy") == 0) return 0;
  if (SDL_WasInit(SDL_INIT_VIDEO)) return 1;
  // GLEW loads through GLX, so the X11 driver is the one to use.
  if (!driver || !*driver) setenv("SDL_VIDEODRIVER", "x11", 1);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    DebugErrorAlt(ENG_FUNC, "SDL_InitSubSystem(SDL_INIT_VIDEO) failed [%s]", SDL_GetError());
    return -1;
  }
  return 1;
}

static SDL_Window *Native(const EngWindow *window) { return static_cast<SDL_Window *>(window->GetNativeWindow_MAC()); }

void EngWindow::OnCreate_MAC() {
  m_native_window = nullptr;
  m_native_window_id = 0;
  m_native_window_exists = 0;
  m_headless = 0;
  m_content_x = m_content_y = 0;
  m_last_mouse_x = m_last_mouse_y = 0;
  m_warps.Clear();
  m_stop = 0;
  m_resize_pending = 0;
  m_placed_by_frame = 0;
}

char EngWindow::Create_MAC(_EngCreateWindowParms parms) {
  if (!m_program) {
    DebugErrorAlt(ENG_FUNC, "No parent");
    return 0;
  }
  if (eng_main_window) {
    EngMiscShowPopupMessage(ENG_MISC_POPUP_ERROR, "CreateWindow", "More than one window not supported (yet)");
    return 0;
  }
  if (!DoCreateWindow_MAC(parms)) {
    DebugErrorAlt(ENG_FUNC, "DoCreateWindow_MAC() failed");
    return 0;
  }
  m_stop = 0;
  m_native_window_exists = 1;
  m_parms = parms;
  return 1;
}

_EngWindowArea EngWindowPlaceWindowed_MAC(EngInt32 x, EngInt32 y, EngInt32 width, EngInt32 height,
                                          const _EngWindowArea &usable, const _EngWindowFrame &frame) {
  const EngInt32 min_x = usable.x + frame.left, min_y = usable.y + frame.top;
  const EngInt32 room_w = std::max(1, usable.width - frame.left - frame.right);
  const EngInt32 room_h = std::max(1, usable.height - frame.top - frame.bottom);
  _EngWindowArea area = {0, 0, std::min(std::max(width, 1), room_w), std::min(std::max(height, 1), room_h)};
  if (x >= 0 && y >= 0) {
    area.x = std::max(x, min_x);
    area.y = std::max(y, min_y);
    if (area.x + area.width >= min_x + room_w) area.x = std::max(min_x, min_x + room_w - area.width);
    if (area.y + area.height >= min_y + room_h) area.y = std::max(min_y, min_y + room_h - area.height);
  } else {
    area.x = min_x + (room_w - area.width) / 2;
    area.y = min_y + (room_h - area.height) / 2;
  }
  return area;
}

// The desktop less its panels and docks. Without a display the pretend desktop of the display
// modes stands in, with the room they leave for bars.
static char UsableDesktop(char headless, _EngWindowArea *usable) {
  if (test_desktop) {
    *usable = test_usable;
    return 1;
  }
  SDL_Rect bounds;
  if (!headless && SDL_GetDisplayUsableBounds(0, &bounds) == 0 && bounds.w > 1 && bounds.h > 1) {
    *usable = {bounds.x, bounds.y, bounds.w, bounds.h};
    return 1;
  }
  *usable = {0, 0, 0, 0};
  return EngResModesGetDesktopDimensions(&usable->x, &usable->y, &usable->width, &usable->height, 1);
}

// The window manager's frame: SDL reads it from the window's _NET_FRAME_EXTENTS, which the
// window manager sets once it has framed the shown window; all zero until then.
static _EngWindowFrame FrameOf(SDL_Window *window) {
  if (test_desktop) return test_frame;
  _EngWindowFrame frame = {0, 0, 0, 0};
  if (!window || SDL_GetWindowBordersSize(window, &frame.top, &frame.left, &frame.bottom, &frame.right) != 0)
    return {0, 0, 0, 0};
  return frame;
}

static bool IsKnown(const _EngWindowFrame &frame) {
  return frame.top > 0 || frame.left > 0 || frame.bottom > 0 || frame.right > 0;
}

static bool SameFrame(const _EngWindowFrame &a, const _EngWindowFrame &b) {
  return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

static char DisplayBounds(SDL_Window *window, SDL_Rect *bounds) {
  const int display = SDL_GetWindowDisplayIndex(window);
  return display >= 0 && SDL_GetDisplayBounds(display, bounds) == 0 && bounds->w > 0 && bounds->h > 0;
}

char EngWindow::DoCreateWindow_MAC(_EngCreateWindowParms parms) {
  int video = EngWindowVideoState_MAC();
  if (video < 0) return 0;
  m_headless = video == 0;
  int width = parms.width, height = parms.height;
  int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
  _EngWindowArea usable = {0, 0, 0, 0};
  const char place = parms.windowed && UsableDesktop(m_headless, &usable);
  // Until this window's frame is told, the last one's is the best guess.
  const _EngWindowFrame frame = test_desktop ? test_frame : last_frame;
  if (place) {
    const _EngWindowArea area = EngWindowPlaceWindowed_MAC(parms.x, parms.y, width, height, usable, frame);
    // A window manager puts the frame's corner where the window is asked to be.
    x = area.x - (test_desktop ? 0 : frame.left);
    y = area.y - (test_desktop ? 0 : frame.top);
    width = area.width;
    height = area.height;
    m_place_x = parms.x;
    m_place_y = parms.y;
    m_place_width = parms.width;
    m_place_height = parms.height;
  } else if (!parms.windowed) {
    // A full-screen size the display does not offer (saved on another display) becomes the
    // closest one it does, so the window never reaches past the screen.
    EngResModes modes;
    int bits = parms.bit_depth, frequency = parms.frequency;
    if (modes.IsSetup() && modes.GetClosestFullScreenModeToMode(&width, &height, &bits, &frequency)) {
      parms.bit_depth = bits;
      parms.frequency = frequency;
    }
  }
  if (width < 1) width = 1;
  if (height < 1) height = 1;

  if (m_headless) {
    if (failing_creations > 0) {
      failing_creations--;
      DebugErrorAlt(ENG_FUNC, "Could not create window");
      return 0;
    }
  } else {
    EngInt32 samples = EngContextSamplesForAntiAliasing(parms.anti_aliasing);
    // A windowed window is shown once its largest size is set, so that a window manager never
    // gives it more than the display.
    Uint32 flags = SDL_WINDOW_OPENGL | (parms.windowed ? SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN);
    std::string title = EngLatin1ToUtf8_MAC(m_title);
    EngContextSetGlAttributes_MAC(samples, 1);
    SDL_Window *window = SDL_CreateWindow(title.c_str(), x, y, width, height, flags);
    if (!window && parms.windowed) {
      // Double buffering is what a window may give up to find a pixel format.
      EngContextSetGlAttributes_MAC(samples, 0);
      window = SDL_CreateWindow(title.c_str(), x, y, width, height, flags);
    }
    if (!window) {
      // The window comes without OpenGL, so that the context's set-up fails and tells the user
      // what to change (anti-aliasing, most often) rather than the program ending unexplained.
      DebugErrorAlt(
          "AGLPixelFormat EngDeviceGL_ChooseAGLPixelFormat(CGDirectDisplayID, bool, GLint, GLint, GLint, "
          "GLint, GLint, GLint, GLint, bool, bool)",
          "Could not find pixel format");
      DebugErrorAlt("char EngDeviceGL::AglSetupContext_MAC()", "aglCreatePixelFormat failed [%d] [%s]", -1,
                    SDL_GetError());
      window = SDL_CreateWindow(title.c_str(), x, y, width, height, flags & ~Uint32(SDL_WINDOW_OPENGL));
    }
    if (!window) {
      DebugErrorAlt(ENG_FUNC, "Could not create window [%s]", SDL_GetError());
      return 0;
    }
    if (parms.windowed) {
      SDL_Rect display;
      if (DisplayBounds(window, &display)) SDL_SetWindowMaximumSize(window, display.w, display.h);
      SDL_ShowWindow(window);
    }
    m_native_window = window;
    m_native_window_id = SDL_GetWindowID(window);
    EngMiscSetMainNativeWindow_MAC(window);
    SDL_StartTextInput();
    if (place) {
      // A frame told while the window was being shown is read now; a later one, by the events' pass.
      m_placed_by_frame = 1;
      m_frame_told = 0;
      m_placed_frame = frame;
      SDL_PumpEvents();
      PlaceForKnownFrame_MAC();
      SDL_GetWindowSize(window, &width, &height);
    }
  }
  UpdateWindowVariables(parms.windowed ? 1 : 0, width, height, parms.bit_depth, parms.frequency);
  UpdateWindowCorner_MAC();
  return 1;
}

void EngWindow::PlaceForKnownFrame_MAC() {
  SDL_Window *window = Native(this);
  if (!m_placed_by_frame || !window || !eng_main_window_windowed) return;
  const _EngWindowFrame frame = FrameOf(window);
  if (!IsKnown(frame)) return;
  if (SameFrame(frame, m_placed_frame)) {
    m_frame_told = 1;
    return;
  }
  // A maximised or minimised window is the window manager's to place, and its frame with it.
  if (SDL_GetWindowFlags(window) & (SDL_WINDOW_MAXIMIZED | SDL_WINDOW_MINIMIZED | SDL_WINDOW_FULLSCREEN)) return;
  _EngWindowArea usable;
  if (!UsableDesktop(m_headless, &usable)) return;
  m_placed_frame = frame;
  if (!test_desktop) last_frame = frame;
  int x = 0, y = 0, width = 0, height = 0;
  SDL_GetWindowPosition(window, &x, &y);
  SDL_GetWindowSize(window, &width, &height);
  // The first frame told places the window as it was asked for. A later one (the window manager
  // changing its frame) only brings back inside what the new frame pushed out, wherever the
  // window has been put since.
  const _EngWindowArea asked = m_frame_told ? _EngWindowArea{x, y, width, height}
                                            : _EngWindowArea{m_place_x, m_place_y, m_place_width, m_place_height};
  const _EngWindowArea area = EngWindowPlaceWindowed_MAC(asked.x, asked.y, asked.width, asked.height, usable, frame);
  if (width != area.width || height != area.height) SDL_SetWindowSize(window, area.width, area.height);
  // Moved the first time whatever SDL believes: the place the window was created at did not allow
  // for this frame, and SDL may not have heard yet where the window manager put it.
  if (!m_frame_told || x != area.x || y != area.y) SDL_SetWindowPosition(window, area.x, area.y);
  m_frame_told = 1;
}

// SDL sizes a full-screen window only through the window manager; without one the X window
// is sized here.
static void ResizeNative(SDL_Window *window, int width, int height) {
  if (!(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN)) {
    SDL_SetWindowSize(window, width, height);
    return;
  }
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  XResizeWindow(info.info.x11.display, info.info.x11.window, unsigned(width), unsigned(height));
  XFlush(info.info.x11.display);
}

void EngWindow::HoldSizeWithinDisplay_MAC(int *width, int *height) {
  SDL_Window *window = Native(this);
  SDL_Rect display;
  if (!window || !DisplayBounds(window, &display) || (*width <= display.w && *height <= display.h)) return;
  DebugInfoAlt(ENG_FUNC, "Window size %d x %d held at the display's %d x %d", *width, *height, display.w, display.h);
  *width = std::min(*width, display.w);
  *height = std::min(*height, display.h);
  int native_w = 0, native_h = 0;
  SDL_GetWindowSize(window, &native_w, &native_h);
  if (native_w > display.w || native_h > display.h)
    ResizeNative(window, std::min(native_w, display.w), std::min(native_h, display.h));
}

void EngWindow::OnDestroy_MAC() {
  // Our own teardown stops the loop of this window only; it never sets the program's
  // exiting flag, so a mode change has nothing to clear afterwards.
  m_stop = 1;
  if (SDL_Window *window = Native(this)) {
    EngMiscSetMainNativeWindow_MAC(nullptr);
    SDL_DestroyWindow(window);
  }
  m_native_window = nullptr;
  m_native_window_id = 0;
  m_native_window_exists = 0;
  m_resize_pending = 0;
  m_placed_by_frame = 0;
  m_warps.Clear();
}

void EngWindow::EventsStopLoop_MAC() {
  m_stop = 1;
  if (eng_main_program) eng_main_program->SetExitingFlag();
}

void EngWindow::UpdateWindowCorner_MAC() {
  SDL_Window *window = Native(this);
  if (!eng_main_window_windowed || !window) {
    m_content_x = m_content_y = 0;
    return;
  }
  SDL_GetWindowPosition(window, &m_content_x, &m_content_y);
}

void EngWindow::SetCursorPos_MAC(int x, int y) {
  SDL_Window *window = Native(this);
  if (!window) return;
  // The warp itself waits for the next pass over the events, so that a pass's Tabs make one;
  // until its motion event comes the pointer is known to be here.
  m_last_mouse_x = x;
  m_last_mouse_y = y;
  m_warps.Ask(x, y);
}

void EngWindow::WarpPointerIfAsked_MAC() {
  SDL_Window *window = Native(this);
  EngInt32 x = 0, y = 0;
  if (!window || !m_warps.TakeAsked(&x, &y)) return;
  SDL_WarpMouseInWindow(window, x, y);
}

void EngWindow::SetCursorPosRatioed_MAC(float x, float y) {
  float px = 0, py = 0;
  EngWindowDesignToPixel(x, y, &px, &py);
  SetCursorPos_MAC(int(px), int(py));
}

void EngWindow::GetCursorPos_MAC(int *x, int *y) {
  if (x) *x = m_last_mouse_x;
  if (y) *y = m_last_mouse_y;
}

void EngWindow::TurnOnCursor_MAC() {
  if (m_cursor_shown) return;
  if (!m_headless) SDL_ShowCursor(SDL_ENABLE);
  m_cursor_shown = 1;
}

void EngWindow::TurnOffCursor_MAC() {
  if (!m_cursor_shown) return;
  if (!m_headless) SDL_ShowCursor(SDL_DISABLE);
  m_cursor_shown = 0;
}

char EngWindow::GetWindowPos_MAC(int *x, int *y) {
  SDL_Window *window = Native(this);
  if (!window || !eng_main_window_windowed) {
    DebugErrorAlt(ENG_FUNC, "No window or not in windowed mode");
    if (x) *x = 0;
    if (y) *y = 0;
    return 0;
  }
  int wx = 0, wy = 0;
  SDL_GetWindowPosition(window, &wx, &wy);
  if (x) *x = wx;
  if (y) *y = wy;
  return 1;
}

void EngWindow::Show_MAC(char show) {
  SDL_Window *window = Native(this);
  if ((!window && !m_headless) || !eng_main_window_windowed) {
    DebugErrorAlt(ENG_FUNC, "No window or not in windowed mode");
    return;
  }
  if (window) show ? SDL_ShowWindow(window) : SDL_HideWindow(window);
  m_window_shown = show;
}

void EngWindow::Minimize_MAC(char minimise) {
  SDL_Window *window = Native(this);
  if (!window || !eng_main_window_windowed) {
    DebugErrorAlt(ENG_FUNC, "No window or not in windowed mode");
    return;
  }
  minimise ? SDL_MinimizeWindow(window) : SDL_RestoreWindow(window);
}

void EngWindow::UpdateTitle_MAC() {
  if (SDL_Window *window = Native(this)) SDL_SetWindowTitle(window, EngLatin1ToUtf8_MAC(m_title).c_str());
}

char EngWindow::PrepareDisplayForFullscreenOrWindowed_MAC(char, int, int, int, int, char) { return 1; }
void EngWindow::RestoreDisplayAfterFullscreenOrWindowed_MAC(char) {}
