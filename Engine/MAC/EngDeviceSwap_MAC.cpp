// Presents the back buffer of the window whose OpenGL context is current.
#include <SDL.h>

#include "Engine/EngDeviceGL.h"

void EngDeviceSwapBuffers_MAC() {
  if (SDL_Window *window = SDL_GL_GetCurrentWindow()) SDL_GL_SwapWindow(window);
}
