// A hidden SDL window with an OpenGL 2.1 context of its own, multisampled when asked, current
// for as long as it lives; then the context current before is made current again. For tests
// that need another window than the device tests' shared one.
#pragma once

#include <SDL.h>

#include <string>

namespace qwtest {

class ScopedGlWindow {
 public:
  ScopedGlWindow(int width, int height, int samples) {
    m_previous_window = SDL_GL_GetCurrentWindow();
    m_previous_context = SDL_GL_GetCurrentContext();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      m_error = SDL_GetError();
      return;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples > 0 ? samples : 0);
    m_window = SDL_CreateWindow("scoped test window", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                                SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    // Windows made after this one are single-sampled again.
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 0);
    if (!m_window) {
      m_error = std::string("window: ") + SDL_GetError();
      return;
    }
    m_context = SDL_GL_CreateContext(m_window);
    if (!m_context) m_error = std::string("context: ") + SDL_GetError();
  }
  ~ScopedGlWindow() {
    if (m_context) SDL_GL_DeleteContext(m_context);
    if (m_window) SDL_DestroyWindow(m_window);
    SDL_GL_MakeCurrent(m_previous_window, m_previous_context);
    // SDL's video is left set up: the last quit unloads Mesa's driver, whose one-time set-up then
    // looks leaked to the leak checker from a module no longer there.
  }
  ScopedGlWindow(const ScopedGlWindow &) = delete;
  ScopedGlWindow &operator=(const ScopedGlWindow &) = delete;

  bool Ok() const { return m_context != nullptr; }
  // Why the window or its context could not be made.
  const std::string &Error() const { return m_error; }

 private:
  SDL_Window *m_previous_window = nullptr, *m_window = nullptr;
  SDL_GLContext m_previous_context = nullptr, m_context = nullptr;
  std::string m_error;
};

}  // namespace qwtest
