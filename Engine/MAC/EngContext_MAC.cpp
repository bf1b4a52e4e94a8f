// The OpenGL context of the main window over SDL2 and GLX: a 2.1 compatibility context (any
// renderer, Mesa's software one included), GLEW set up once per process, full screen taken
// and given back around the context, and the buffer swap.
#include "Engine/EngContext.h"

#include <GL/glew.h>
#include <SDL.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"

char eng_gl_3d_setup = 0;

static SDL_GLContext context = nullptr;
static SDL_Window *context_window = nullptr;
static char context_fullscreen = 0;
static char glew_ready = 0;
static char fail_after_taking_display = 0;

void EngContextFailAfterTakingDisplayForTests(char on) { fail_after_taking_display = on; }

char EngContextGlewIsReady_MAC() { return glew_ready; }

EngInt32 EngContextSamplesForAntiAliasing(EngInt32 anti_aliasing) { return anti_aliasing > 0 ? anti_aliasing : 0; }

static void GlewInitOnce() {
  if (glew_ready) return;
  GLenum err = glewInit();
  if (err != GLEW_OK) {
    DebugErrorAlt(ENG_FUNC, "glewInit failed [%d] [%s]", int(err),
                  reinterpret_cast<const char *>(glewGetErrorString(err)));
    return;
  }
  glew_ready = 1;
}

static void ShowPointer(char show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

// The one way back from a failed set-up: the context goes, a taken display is given back at
// the window's size, and the pointer is shown again.
static void ReleaseAfterFailure(SDL_Window *window, char windowed, int width, int height) {
  if (context) {
    SDL_GL_MakeCurrent(window, nullptr);
    SDL_GL_DeleteContext(context);
    context = nullptr;
  }
  if (!windowed) {
    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowSize(window, width, height);
    ShowPointer(1);
  }
  context_window = nullptr;
  context_fullscreen = 0;
}

static char SetupContext(SDL_Window *window, char windowed, int width, int height, int frequency) {
  const char *func = "char EngDeviceGL::AglSetupContext_MAC()";
  // No pixel format fitted the settings; the window logged why when it was made.
  if (!(SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL)) return 0;
  if (!windowed) {
    ShowPointer(0);
    SDL_DisplayMode want = {0, width, height, frequency, nullptr}, got;
    int display = SDL_GetWindowDisplayIndex(window);
    if (SDL_GetClosestDisplayMode(display < 0 ? 0 : display, &want, &got)) SDL_SetWindowDisplayMode(window, &got);
    if (SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0)
      DebugErrorAlt(func, "Could not capture display - continuing anyway");
  }
  context = SDL_GL_CreateContext(window);
  if (!context || fail_after_taking_display) {
    DebugErrorAlt(func, "aglCreateContext failed");
    ReleaseAfterFailure(window, windowed, width, height);
    return 0;
  }
  if (SDL_GL_MakeCurrent(window, context) != 0) {
    DebugErrorAlt(func, "aglSetCurrentContext failed [%d] [%s]", -1, SDL_GetError());
    ReleaseAfterFailure(window, windowed, width, height);
    return 0;
  }
  GlewInitOnce();
  // The loop paces the frames itself; a swap that waited for the display as well could halve
  // the rate whenever a frame ends just after a refresh. Drivers that refuse keep their own.
  SDL_GL_SetSwapInterval(0);
  if (!windowed) {
    if (!(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN)) {
      DebugErrorAlt(func, "aglSetFullScreen failed");
      ReleaseAfterFailure(window, windowed, width, height);
      return 0;
    }
    ShowPointer(eng_main_window ? eng_main_window->IsCursorShown() : 1);
  }
  context_window = window;
  context_fullscreen = !windowed;
  return 1;
}

char EngContextSetupCreate_MAC(char windowed, EngInt32 width, EngInt32 height, EngInt32, EngInt32 frequency) {
  if (!eng_main_window) {
    DebugErrorAlt(ENG_FUNC, "No window");
    return 0;
  }
  // A headless window draws nothing, so it has no context to make.
  if (eng_main_window->IsHeadless_MAC()) return 1;
  SDL_Window *window = static_cast<SDL_Window *>(eng_main_window->GetNativeWindow_MAC());
  if (!window || !SetupContext(window, windowed, width, height, frequency)) {
    const char *hint = eng_main_window_aa > 0 ? "Try turning off anti-aliasing and restarting."
                                               : "Try changing the graphics settings and restarting.";
    EngMiscShowPopupMessage(ENG_MISC_POPUP_ERROR, "Error setting up display context", hint);
    return 0;
  }
  eng_gl_3d_setup = 1;
  // One black frame shows the new window clean; every frame after it is drawn whole.
  if (eng_main_program) {
    EngContextClearScreen_MAC(0.0f, 0.0f, 0.0f);
    EngContextSwapBuffers_MAC();
  }
  return 1;
}

void EngContextSetupDestroy_MAC() {
  if (!eng_gl_3d_setup) return;
  if (context_window) {
    if (context_fullscreen) {
      SDL_SetWindowFullscreen(context_window, 0);
      // Leaving full screen keeps the full-screen size unless it is set again.
      SDL_SetWindowSize(context_window, eng_main_window_width, eng_main_window_height);
    }
    SDL_GL_MakeCurrent(context_window, nullptr);
  }
  if (context) SDL_GL_DeleteContext(context);
  context = nullptr;
  context_window = nullptr;
  context_fullscreen = 0;
  eng_gl_3d_setup = 0;
}

void EngContextSwapBuffers_MAC() {
  if (context && context_window) SDL_GL_SwapWindow(context_window);
}

char EngContextUseCurrent_MAC() {
  if (!context || !context_window) {
    DebugErrorAlt(ENG_FUNC, "No context");
    return 0;
  }
  if (SDL_GL_MakeCurrent(context_window, context) != 0) {
    DebugErrorAlt(ENG_FUNC, "aglSetCurrentContext failed [%d] [%s]", -1, SDL_GetError());
    return 0;
  }
  return 1;
}

void EngContextClearScreen_MAC(float r, float g, float b) {
  if (!eng_gl_3d_setup) return;
  glClearColor(r, g, b, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
