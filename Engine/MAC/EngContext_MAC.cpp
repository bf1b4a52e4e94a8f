// The OpenGL context of the main window over SDL2 and GLX: a 2.1 compatibility context (any
// renderer, Mesa's software one included), GLEW set up once per process, full screen taken
// and given back around the context with the display faded to black and back through the
// window's gamma ramp, and the buffer swap.
#include "Engine/EngContext.h"

#include <GL/glew.h>
#include <SDL.h>

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"

char eng_gl_3d_setup = 0;

static SDL_GLContext context = nullptr;
static SDL_Window *context_window = nullptr;
static char context_fullscreen = 0;
static char glew_ready = 0;
static char fail_after_taking_display = 0;
static EngInt32 swaps_made = 0;

void EngContextFailAfterTakingDisplayForTests(char on) { fail_after_taking_display = on; }
EngInt32 EngContextSwapsMade_MAC() { return swaps_made; }

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

// ---- Fades ----

namespace {

struct GammaRamp {
  EngUInt16 red[256], green[256], blue[256];
};

int SdlGetRamp(void *window, EngUInt16 *red, EngUInt16 *green, EngUInt16 *blue) {
  return SDL_GetWindowGammaRamp(static_cast<SDL_Window *>(window), red, green, blue);
}

int SdlSetRamp(void *window, const EngUInt16 *red, const EngUInt16 *green, const EngUInt16 *blue) {
  return SDL_SetWindowGammaRamp(static_cast<SDL_Window *>(window), red, green, blue);
}

// A step is about one frame of the display. A clock that stands still (held by a test) must
// not keep the display dark for ever: a fade never takes more steps than a second holds.
const double kFadeStepSeconds = 1.0 / 60.0;
const int kFadeMostSteps = 60;

}  // namespace

static EngContextGammaGet get_ramp = SdlGetRamp;
static EngContextGammaSet set_ramp = SdlSetRamp;
static SDL_Window *fade_window = nullptr;
static GammaRamp fade_saved;
static char fade_usable = 0;
static double last_frame_time = -1.0;

void EngContextSetGammaRampForTests(EngContextGammaGet get, EngContextGammaSet set) {
  get_ramp = get ? get : SdlGetRamp;
  set_ramp = set ? set : SdlSetRamp;
}

// A display that has no gamma ramp switches without fading and without waiting; it is told
// once per switch.
static void FadeRefused() {
  DebugInfoAlt("void EngDeviceGL::AglFadeSetup_MAC(unsigned)", "No gamma ramp - switching without a fade [%s]",
               SDL_GetError());
  fade_usable = 0;
}

static void FadeSetup(SDL_Window *window) {
  fade_window = window;
  fade_usable = get_ramp(window, fade_saved.red, fade_saved.green, fade_saved.blue) == 0;
  if (!fade_usable) FadeRefused();
}

// Seconds since the previous call, 0 on the first; refreshes the engine clock.
static float FadeFullLoopCalcFrameRate() {
  const double now = EngMainUpdateCurrentTime();
  const float seconds = last_frame_time < 0.0 ? 0.0f : float(now - last_frame_time);
  last_frame_time = now;
  return seconds;
}

// The saved ramp with its range above its lowest value scaled: the maxima follow the factor,
// the minima and the curve's shape stay.
static void ScaleChannel(const EngUInt16 *saved, EngUInt16 *out, float factor) {
  const float low = saved[0];
  for (int i = 0; i < 256; i++) out[i] = EngUInt16(low + (float(saved[i]) - low) * factor + 0.5f);
}

static char SetRamp(float factor) {
  GammaRamp ramp;
  const float f = factor < 0.0f ? 0.0f : factor > 1.0f ? 1.0f : factor;
  ScaleChannel(fade_saved.red, ramp.red, f);
  ScaleChannel(fade_saved.green, ramp.green, f);
  ScaleChannel(fade_saved.blue, ramp.blue, f);
  if (set_ramp(fade_window, ramp.red, ramp.green, ramp.blue) == 0) return 1;
  FadeRefused();
  return 0;
}

// From one factor to the other in half a second of the engine clock, however long each step
// takes.
static void Fade(float from, float to) {
  if (!fade_usable || !fade_window) return;
  FadeFullLoopCalcFrameRate();
  const float direction = to > from ? 1.0f : -1.0f;
  float factor = from;
  for (int step = 0; step < kFadeMostSteps; step++) {
    if (!SetRamp(factor)) return;
    EngMiscCallPlatformSleepFunc(kFadeStepSeconds);
    factor += direction * 2.0f * FadeFullLoopCalcFrameRate();
    if (direction < 0.0f ? factor < to : factor > to) return;
  }
}

static void FadeDisplayToBlack() { Fade(1.0f, 0.0f); }

// The saved ramp goes back whole after the fade, as the display had it.
static void FadeRestore() {
  if (fade_usable && fade_window && set_ramp(fade_window, fade_saved.red, fade_saved.green, fade_saved.blue) != 0)
    FadeRefused();
}

static void FadeDisplayFromBlack() {
  Fade(0.0f, 1.0f);
  FadeRestore();
}

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
    // Giving the display back gives it its own ramp back too, faded or not.
    FadeRestore();
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
    FadeSetup(window);
    FadeDisplayToBlack();
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
    FadeDisplayFromBlack();
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
  // Every buffer a driver may keep in its swap chain starts black.
  if (eng_main_program) {
    for (int i = 0; i < 4; i++) {
      EngContextClearScreen_MAC(0.0f, 0.0f, 0.0f);
      EngContextSwapBuffers_MAC();
    }
  }
  return 1;
}

void EngContextSetupDestroy_MAC() {
  if (!eng_gl_3d_setup) return;
  const char fullscreen = context_window && context_fullscreen;
  if (fullscreen) FadeDisplayToBlack();
  if (context_window) SDL_GL_MakeCurrent(context_window, nullptr);
  if (context) SDL_GL_DeleteContext(context);
  if (fullscreen) {
    SDL_SetWindowFullscreen(context_window, 0);
    // Leaving full screen keeps the full-screen size unless it is set again.
    SDL_SetWindowSize(context_window, eng_main_window_width, eng_main_window_height);
    FadeDisplayFromBlack();
  }
  context = nullptr;
  context_window = nullptr;
  context_fullscreen = 0;
  eng_gl_3d_setup = 0;
}

void EngContextSwapBuffers_MAC() {
  if (!context || !context_window) return;
  SDL_GL_SwapWindow(context_window);
  swaps_made++;
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

void EngContextSetGlAttributes_MAC(EngInt32 samples, char double_buffer) {
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

void EngContextClearScreen_MAC(float r, float g, float b) {
  if (!eng_gl_3d_setup) return;
  glClearColor(r, g, b, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
