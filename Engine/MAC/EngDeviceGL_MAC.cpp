// The context side of the OpenGL back end over SDL. The main window's context is made by the
// window's platform half (EngContext); a device on a window without a native one (tests that
// make their own SDL window) adopts the context that is current on the main thread.
#include <SDL.h>

#include "Engine/EngContext.h"
#include "Engine/EngDebug.h"
#include "Engine/EngDeviceGL.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"

void EngDeviceGL::SetupInitVars() {
  m_context = nullptr;
  m_owns_context = 0;
}

static bool WindowMakesTheContext() {
  return eng_main_window && (eng_main_window->IsHeadless_MAC() || eng_main_window->GetNativeWindow_MAC());
}

char EngDeviceGL::SetupCreate(char windowed, EngInt32 width, EngInt32 height, EngInt32 bit_depth,
                              EngInt32 frequency) {
  if (!m_owner || !eng_main_window) return 0;
  if (WindowMakesTheContext()) {
    // The window shows its own "Error setting up display context" popup on failure; a
    // headless window succeeds without a context and nothing is drawn.
    if (!EngContextSetupCreate_MAC(windowed, width, height, bit_depth, frequency)) return 0;
    m_context = SDL_GL_GetCurrentContext();
    m_owns_context = 0;
    return 1;
  }
  m_context = SDL_GL_GetCurrentContext();
  m_owns_context = 0;
  if (!m_context) {
    const char *hint = EngDeviceGL_GetWindowAntiAliasing() > 0 ? "Try turning off anti-aliasing and restarting."
                                                               : "Try changing the graphics settings and restarting.";
    DebugErrorAlt(ENG_FUNC, "No OpenGL context: %s", SDL_GetError());
    EngMiscShowPopupMessage(ENG_MISC_POPUP_ERROR, "Error setting up display context", hint);
    return 0;
  }
  eng_gl_3d_setup = 1;
  return 1;
}

void EngDeviceGL::SetupDestroy() {
  if (WindowMakesTheContext()) {
    EngContextSetupDestroy_MAC();
  } else if (eng_gl_3d_setup) {
    eng_gl_3d_setup = 0;
  }
  m_context = nullptr;
  m_owns_context = 0;
}

void EngDeviceGL::AglSwapBuffers_MAC() {
  if (WindowMakesTheContext())
    EngContextSwapBuffers_MAC();
  else
    EngDeviceSwapBuffers_MAC();
}

char EngDeviceGL::UseCurrentContext() {
  if (!m_context) {
    DebugErrorAlt(ENG_FUNC, "No context");
    return 0;
  }
  SDL_Window *window = SDL_GL_GetCurrentWindow();
  if (!window || SDL_GL_MakeCurrent(window, (SDL_GLContext)m_context) != 0) {
    DebugErrorAlt(ENG_FUNC, "aglSetCurrentContext failed [%d] [%s]", -1, SDL_GetError());
    return 0;
  }
  return 1;
}
