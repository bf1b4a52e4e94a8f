// The window's native half over SDL2: creating and destroying the window, the cursor,
// title, position, showing and minimising. Headless when SDL's driver is "dummy".
#include "Engine/EngWindow.h"

#include <SDL.h>
#include <cstdlib>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMisc.h"
#include "Engine/EngResModes.h"
#include "Engine/MAC/EngText_MAC.h"
#include "Engine/MAC/EngWindowPlatform_MAC.h"

static char force_headless = 0;
static int failing_creations = 0;

void EngWindowForceHeadlessForTests(char on) { force_headless = on; }
void EngWindowFailNativeCreationsForTests(int count) { failing_creations = count; }

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

static void SetGlAttributes(EngInt32 samples, char double_buffer) {
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples > 0 ? samples : 0);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, double_buffer);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

EngInt32 EngContextSamplesForAntiAliasing(EngInt32 anti_aliasing);

char EngWindow::DoCreateWindow_MAC(_EngCreateWindowParms parms) {
  int video = EngWindowVideoState_MAC();
  if (video < 0) return 0;
  m_headless = video == 0;
  int width = parms.width, height = parms.height;
  int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
  if (parms.windowed) {
    int usable_w = 0, usable_h = 0;
    if (EngResModesGetDesktopDimensions(nullptr, nullptr, &usable_w, &usable_h, 1)) {
      if (width > usable_w) width = usable_w;
      if (height > usable_h) height = usable_h;
      if (parms.x >= 0 && parms.y >= 0) {
        int left = parms.x, top = parms.y < 45 ? 45 : parms.y;
        if (left + width >= usable_w) left = usable_w - width < 0 ? 0 : usable_w - width;
        if (top + height >= usable_h + 45) top = usable_h + 45 - height < 45 ? 45 : usable_h + 45 - height;
        x = left;
        y = top;
      }
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
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | (parms.windowed ? SDL_WINDOW_RESIZABLE : 0);
    std::string title = EngLatin1ToUtf8_MAC(m_title);
    SetGlAttributes(samples, 1);
    SDL_Window *window = SDL_CreateWindow(title.c_str(), x, y, width, height, flags);
    if (!window && parms.windowed) {
      // Double buffering is what a window may give up to find a pixel format.
      SetGlAttributes(samples, 0);
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
    m_native_window = window;
    m_native_window_id = SDL_GetWindowID(window);
    EngMiscSetMainNativeWindow_MAC(window);
    SDL_StartTextInput();
  }
  UpdateWindowVariables(parms.windowed ? 1 : 0, width, height, parms.bit_depth, parms.frequency);
  UpdateWindowCorner_MAC();
  return 1;
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
