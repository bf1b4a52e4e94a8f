// The baseline program of ProgramProbe: an SDL window with a GL 2.1 context, cleared to green
// and swapped 60 times a second, sleeping between frames, until SIGTERM. What any program on
// this stack costs to start and to keep a window up, with nothing of the engine in it.
#include <SDL.h>
#include <SDL_opengl.h>

#include <csignal>

namespace {

volatile std::sig_atomic_t stop = 0;
void OnSignal(int) { stop = 1; }

}  // namespace

int main(int, char **) {
  std::signal(SIGTERM, OnSignal);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_Window *window = SDL_CreateWindow("BareWindow", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1024, 768,
                                        SDL_WINDOW_OPENGL);
  if (!window) return 2;
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) return 3;
  Uint32 next = SDL_GetTicks();
  while (!stop) {
    SDL_Event event;
    while (SDL_PollEvent(&event))
      if (event.type == SDL_QUIT) stop = 1;
    glClearColor(0.2f, 0.6f, 0.25f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
    next += 16;
    const Uint32 now = SDL_GetTicks();
    if (next > now) SDL_Delay(next - now);
  }
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
