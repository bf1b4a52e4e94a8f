// Resident memory over long games, read from /proc, each figure beside a baseline from the same
// run. Two runs, each in a process of its own:
//   - headless: garden 0 played by the tests' player script from the first wave to the
//     garden-won sign (about an hour of game time at 60 frames a second), the resident set at
//     the start (the baseline), after ten minutes of play and at the start of waves 10 to 50.
//     Goal: no growth between wave 10 and wave 40. A headless game makes no pictures, so its
//     resident set says nothing of the program's size (the real program's is ProgramProbe's).
//   - in a window (needs DISPLAY; Xvfb with Mesa's software renderer will do): the play field's
//     pictures made and a frame drawn every second of game time, gardens 0, 1 and 2 played
//     through one after the other in the same process as the game plays them. Goals: no growth
//     from wave 10 to wave 50 of the first garden, none beyond 0.2 MB from wave 20 to wave 50
//     (by wave 20 the player's weapons fill the field and the renderer's buffers have grown to
//     its frames), and none beyond 0.2 MB from one garden to the next (the end of the second
//     garden to the end of the third: the first garden's first-time costs, the renderer's
//     shaders among them, are paid by then).
// The figures a script reads are printed one per line under fixed names:
// growth_wave10_to_40_mb=, window_growth_wave10_to_50_mb=, window_growth_wave20_to_50_mb=,
// window_growth_garden_to_garden_mb=.
// Usage: GameMemoryBenchmark [--headless | --window]
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <GL/glew.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "benchmarks/BenchmarkWindow.h"
#include "benchmarks/ResidentMemory.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "tests/game/HeadlessGame.h"

namespace {

using qwbench::ResidentMB;

// What the program holds from malloc's heap (blocks mapped apart not counted), in MB: growth of
// the resident set beside none here is the allocator's keeping freed pages.
double HeapInUseMB() { return double(mallinfo2().uordblks) / (1024.0 * 1024.0); }

bool GoToResources() {
  if (chdir(QW_RESOURCES_DIR) == 0) return true;
  fprintf(stderr, "no resources folder %s\n", QW_RESOURCES_DIR);
  return false;
}

int RunHeadless() {
  if (!GoToResources()) return 1;
  const double before = ResidentMB();
  QuarrelwickPre3dInit();
  level_garden = 0;
  level_difficulty = 0;
  srand(20261209);
  qwtest::HeadlessGame game;
  if (!game.Start()) {
    fprintf(stderr, "the headless game did not start\n");
    return 1;
  }
  const double start = ResidentMB();
  printf("resident memory, headless (MB)\n");
  printf("  %-28s %8.1f\n", "process before the game", before);
  printf("  %-28s %8.1f   (baseline)\n", "game started, wave 1", start);
  const long ten_minutes = 60L * 60 * 10;
  double at_wave[51] = {0};
  double at_ten_minutes = -1.0;
  int last_wave = -1;
  while (!game_won && !game_over && game.Frames() < 60L * 60 * 120) {
    game.Step();
    if (game.Frames() == ten_minutes) at_ten_minutes = ResidentMB();
    if (bug_level_num != last_wave) {
      last_wave = bug_level_num;
      if (last_wave >= 0 && last_wave < 50) at_wave[last_wave] = ResidentMB();
    }
  }
  if (!game.Fault().empty()) printf("  fault: %s\n", game.Fault().c_str());
  printf("  %-28s %8.1f\n", "after ten minutes of play", at_ten_minutes);
  for (int w : {10, 20, 30, 40, 50})
    if (w - 1 <= last_wave) printf("  %-28s %8.1f\n", ("start of wave " + std::to_string(w)).c_str(), at_wave[w - 1]);
  const double end = ResidentMB();
  printf("  %-28s %8.1f   (%s after %ld frames)\n", "end of the game", end, game_won ? "won" : "lost", game.Frames());
  const double growth = at_wave[39] - at_wave[9];
  printf("  %-28s %8.1f   goal 0 (within 1 MB)\n", "growth wave 10 to wave 40", growth);
  printf("growth_wave10_to_40_mb=%.2f\n", growth);
  // Both readings must have been taken: a garden lost before wave 40 measured no growth.
  const bool measured = at_wave[9] > 0 && at_wave[39] > 0;
  if (!measured) printf("NOT MEASURED: growth_wave10_to_40_mb (the game ended at wave %d)\n", last_wave + 1);
  const bool ok = measured && growth <= 1.0;
  printf("%s\n", ok ? "goals met" : "GOAL MISSED");
  return ok ? 0 : 2;
}

// The resident set and the heap in use at one point of a garden.
struct Reading {
  double resident = -1.0, heap = -1.0;
};

Reading Read() { return {ResidentMB(), HeapInUseMB()}; }

struct GardenFigures {
  Reading start, wave[51], end;
  int last_wave = -1;
  bool won = false;
  long frames = 0;
};

// One garden played through with the play field's pictures made, a frame drawn every
// `draw_every` frames, as a game after the menus would (the field's pictures stay made from
// one game to the next; the garden's picture follows the garden).
bool PlayGardenInWindow(qwbench::GlWindow *window, short garden, int draw_every, GardenFigures *f) {
  level_garden = garden;
  level_difficulty = 0;
  srand(20261209u + unsigned(garden));
  qwtest::HeadlessGame game;
  if (!game.Start()) {
    fprintf(stderr, "garden %d did not start\n", int(garden));
    return false;
  }
  if (!QuarrelwickGraphicsCreated() && !QuarrelwickCreateGraphics()) {
    fprintf(stderr, "the play field's pictures were not made\n");
    return false;
  }
  f->start = Read();
  while (!game_won && !game_over && game.Frames() < 60L * 60 * 120) {
    game.Step();
    if (game.Frames() % draw_every == 0) {
      window->device->ClearScreen();
      window->device->PrepareFor2D(1);
      QuarrelwickRender();
      window->device->RestoreAfter2D();
      glFinish();
      SDL_GL_SwapWindow(window->sdl_window);
      SDL_PumpEvents();
    }
    if (bug_level_num != f->last_wave) {
      f->last_wave = bug_level_num;
      if (f->last_wave >= 0 && f->last_wave < 50) f->wave[f->last_wave] = Read();
    }
  }
  if (!game.Fault().empty()) printf("  fault in garden %d: %s\n", int(garden), game.Fault().c_str());
  f->end = Read();
  f->won = game_won != 0;
  f->frames = game.Frames();
  return true;
}

int RunInWindow() {
  // As the program sets its allocator up at start.
  EngMemorySetUpAllocator();
  qwbench::GlWindow window;
  if (!window.OpenWindow(1024, 768)) {
    fprintf(stderr, "no OpenGL window (is DISPLAY set?)\n");
    return 1;
  }
  window.window->UpdateWindowVariables(1, 1024, 768, 32, 60);
  if (!GoToResources()) return 1;
  const Reading before = Read();
  QuarrelwickPre3dInit();
  const short kGardens[] = {0, 1, 2};
  const int kDrawEvery = 60;
  GardenFigures figures[3];
  printf("resident memory in a window, pictures made, a frame drawn every %d frames (MB; heap in use beside)\n",
         kDrawEvery);
  printf("  %-34s %8.1f %8.1f\n", "window open, before the game", before.resident, before.heap);
  for (int g = 0; g < 3; g++) {
    if (!PlayGardenInWindow(&window, kGardens[g], kDrawEvery, &figures[g])) return 1;
    const GardenFigures &f = figures[g];
    const std::string garden = "garden " + std::to_string(kGardens[g]) + ", ";
    printf("  %-34s %8.1f %8.1f\n", (garden + "started").c_str(), f.start.resident, f.start.heap);
    if (g == 0)
      for (int w : {10, 20, 30, 40, 50})
        if (w - 1 <= f.last_wave)
          printf("  %-34s %8.1f %8.1f\n", (garden + "start of wave " + std::to_string(w)).c_str(),
                 f.wave[w - 1].resident, f.wave[w - 1].heap);
    printf("  %-34s %8.1f %8.1f   (%s after %ld frames)\n", (garden + "end").c_str(), f.end.resident, f.end.heap,
           f.won ? "won" : "lost", f.frames);
  }
  const GardenFigures &first = figures[0];
  const bool reached_50 = first.last_wave >= 49;
  const double waves = reached_50 ? first.wave[49].resident - first.wave[9].resident : -1.0;
  const double late_waves = reached_50 ? first.wave[49].resident - first.wave[19].resident : -1.0;
  const double gardens = figures[2].end.resident - figures[1].end.resident;
  printf("  %-34s %8.2f   goal 0 (within 0.2 MB)\n", "growth wave 10 to wave 50", waves);
  printf("  %-34s %8.2f   goal within 0.2 MB\n", "growth wave 20 to wave 50", late_waves);
  printf("  %-34s %8.2f   goal within 0.2 MB\n", "growth garden to garden", gardens);
  printf("window_growth_wave10_to_50_mb=%.2f\nwindow_growth_wave20_to_50_mb=%.2f\n", waves, late_waves);
  printf("window_growth_garden_to_garden_mb=%.2f\n", gardens);
  QuarrelwickDestroyGraphics();
  const bool ok = reached_50 && waves <= 0.2 && late_waves <= 0.2 && gardens <= 0.2;
  printf("%s\n", ok ? "goals met" : "GOAL MISSED");
  return ok ? 0 : 2;
}

// Runs this program again with one run's option, in a process of its own so that neither run's
// memory shows in the other's; its exit code (-1 when it could not run).
int RunChild(const std::string &self, const char *option) {
  fflush(stdout);
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    execl(self.c_str(), self.c_str(), option, static_cast<char *>(nullptr));
    _exit(127);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc > 1 && strcmp(argv[1], "--headless") == 0) return RunHeadless();
  if (argc > 1 && strcmp(argv[1], "--window") == 0) return RunInWindow();
  char exe[4096];
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
  const std::string self = n > 0 ? std::string(exe, size_t(n)) : std::string(argv[0]);
  const int headless = RunChild(self, "--headless");
  if (!getenv("DISPLAY")) {
    printf("no DISPLAY: the run in a window is left out\n");
    return headless;
  }
  const int window = RunChild(self, "--window");
  return headless != 0 ? headless : window;
}
