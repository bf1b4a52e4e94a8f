// The context side of the OpenGL back end over SDL. The window creates the SDL window and its
// OpenGL context; the device takes the context that is current on the main thread.
#include <SDL.h>

#include "Engine/EngDebug.h"
#include "Engine/EngDeviceGL.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"

void EngDeviceGL::SetupInitVars() {
  m_context = nullptr;
  m_owns_context = 0;
}

char EngDeviceGL::SetupCreate(char, EngInt32, EngInt32, EngInt32, EngInt32) {
  if (!m_owner || !eng_main_window) return 0;
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
  if (eng_main_program) {
    for (int i = 0; i < 4; i++) {
      EngDeviceGL_ClearScreenBuffer();
      AglSwapBuffers_MAC();
    }
  }
  return 1;
}

void EngDeviceGL::SetupDestroy() {
  if (!eng_gl_3d_setup) return;
  if (m_owns_context && m_context) SDL_GL_DeleteContext((SDL_GLContext)m_context);
  m_context = nullptr;
  m_owns_context = 0;
  eng_gl_3d_setup = 0;
}

void EngDeviceGL::AglSwapBuffers_MAC() { EngDeviceSwapBuffers_MAC(); }

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
