// A window for the benchmarks that draw: SDL with a GL 2.1 context and an engine device over
// it, left open until the process ends.
#pragma once

#include <SDL.h>

#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"

namespace qwbench {

struct GlWindow {
  SDL_Window *sdl_window = nullptr;
  SDL_GLContext context = nullptr;
  EngWindow *window = nullptr;
  EngDevice *device = nullptr;

  bool OpenWindow(int width, int height, Uint32 extra_flags = 0) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    sdl_window = SDL_CreateWindow("benchmark", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                  SDL_WINDOW_OPENGL | extra_flags);
    if (!sdl_window) return false;
    context = SDL_GL_CreateContext(sdl_window);
    if (!context) return false;
    eng_main_device_type = ENG_DEVICE_TYPE_OPENGL;
    window = new EngWindow(nullptr, "benchmark");
    eng_main_window = window;
    eng_main_window_width = width;
    eng_main_window_height = height;
    device = new EngDevice(window);
    return device->Create(1, width, height, 32, 60);
  }
};

}  // namespace qwbench
