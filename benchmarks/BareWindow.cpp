// The baseline program of ProgramProbe: an SDL window with a GL 2.1 context, cleared to green
// and swapped 60 times a second, sleeping between frames, until SIGTERM. What any program on
// this stack costs to start and to keep a window up, with nothing of the engine in it.
//   --full-screen  takes the screen as the game does (the display mode closest to the
//                  desktop's, then full screen, before the context), at the desktop's size;
//   --wait         draws once and then waits for events, redrawing only when exposed.
#include <SDL.h>
#include <SDL_opengl.h>

#include <csignal>
#include <cstring>

namespace {

volatile std::sig_atomic_t stop = 0;
void OnSignal(int) { stop = 1; }

void Draw(SDL_Window *window) {
  glClearColor(0.2f, 0.6f, 0.25f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  SDL_GL_SwapWindow(window);
}

}  // namespace

int main(int argc, char **argv) {
  bool full_screen = false, wait = false;
  for (int i = 1; i < argc; i++) {
    if (strcmp(argv[i], "--full-screen") == 0)
      full_screen = true;
    else if (strcmp(argv[i], "--wait") == 0)
      wait = true;
    else
      return 4;
  }
  std::signal(SIGTERM, OnSignal);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  int width = 1024, height = 768;
  SDL_DisplayMode desktop;
  if (full_screen && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
    width = desktop.w;
    height = desktop.h;
  }
  SDL_Window *window = SDL_CreateWindow("BareWindow", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
  if (!window) return 2;
  if (full_screen) {
    SDL_DisplayMode want = {0, width, height, 0, nullptr}, got;
    if (SDL_GetClosestDisplayMode(0, &want, &got)) SDL_SetWindowDisplayMode(window, &got);
    SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN);
  }
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) return 3;
  SDL_GL_SetSwapInterval(0);
  Uint32 next = SDL_GetTicks();
  if (wait) Draw(window);
  while (!stop) {
    SDL_Event event;
    if (wait) {
      // The signal handler only sets the flag: a wait that ends now and then sees it.
      if (!SDL_WaitEventTimeout(&event, 250)) continue;
      do {
        if (event.type == SDL_QUIT) stop = 1;
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) Draw(window);
      } while (SDL_PollEvent(&event));
      continue;
    }
    while (SDL_PollEvent(&event))
      if (event.type == SDL_QUIT) stop = 1;
    Draw(window);
    next += 16;
    const Uint32 now = SDL_GetTicks();
    if (next > now) SDL_Delay(next - now);
  }
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
