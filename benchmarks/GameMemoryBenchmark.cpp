// Resident memory over long games, read from /proc, each figure beside a baseline from the same
// run. Two runs, each in a process of its own, both with the program's allocator settings:
//   - headless: garden 0 played by the tests' player script from the first wave to the
//     garden-won sign (about an hour of game time at 60 frames a second), the resident set at
//     the start (the baseline), after ten minutes of play and at the start of waves 10 to 50.
//     Goal: no growth between wave 10 and wave 40. A headless game makes no pictures, so its
//     resident set says nothing of the program's size (the real program's is ProgramProbe's).
//   - in a window (needs DISPLAY; Xvfb with Mesa's software renderer will do): the play field's
//     pictures made and a frame drawn every second of game time, gardens 0, 1 and 2 played
//     through one after the other in the same process as the game plays them. Goals: none
//     beyond 0.2 MB from wave 10 to wave 50 of the first garden, nor from wave 20 (the
//     player's script has filled the field and from then on only swaps weapons) to wave 50,
//     nor from one garden to the next (the end of the second garden to the end of the third).
// The window's readings are taken settled. Mesa's software renderer keeps the commands of the
// frames it drew (64 KB blocks, more as the field fills) and, with its rasteriser threads, in
// as many scenes as the machine's load left in flight: read as they came, they made over a
// megabyte of growth from wave 10 to wave 20 that was not the game's, and half a megabyte more
// or less from run to run. So the renderer rasterises on the drawing thread (LP_NUM_THREADS=0
// unless set), a cleared frame drawn and waited for lets it drop what it kept, and the freed
// pages go back as the game gives them back at each wave's start; what the game keeps
// (pictures, GL objects, its own lists) still counts. No wave is skipped for first loads:
// every picture drawn in the waves is made before wave 1 (the won sign only at the end), and
// the bug pictures made anew each wave are all the same size.
// The figures a script reads are printed one per line under fixed names, each from the rows
// printed above it: growth_wave10_to_40_mb=, window_growth_wave10_to_50_mb=,
// window_growth_wave20_to_50_mb=, window_growth_garden_to_garden_mb=. A missed goal prints
// GOAL MISSED and exits with 2; a run that could not be made exits with 1.
// Usage: GameMemoryBenchmark [--headless | --window]
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <GL/glew.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "benchmarks/BenchmarkWindow.h"
#include "benchmarks/ResidentMemory.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "tests/game/HeadlessGame.h"

namespace {

const double kGoalMB = 0.2;

// Readings are kept as printed, to the hundredth of a MB, so that every growth figure is the
// difference of two printed rows.
double Hundredths(double mb) { return std::round(mb * 100.0) / 100.0; }

double ResidentMB() { return Hundredths(qwbench::ResidentMB()); }

// What the program holds from malloc's heap (blocks mapped apart not counted), in MB: growth of
// the resident set beside none here is the allocator's keeping freed pages.
double HeapInUseMB() { return Hundredths(double(mallinfo2().uordblks) / (1024.0 * 1024.0)); }

bool GoToResources() {
  if (chdir(QW_RESOURCES_DIR) == 0) return true;
  fprintf(stderr, "no resources folder %s\n", QW_RESOURCES_DIR);
  return false;
}

// The verdict line and the exit code of a run's goals.
int Verdict(bool met) {
  printf("%s\n", met ? "goals met" : "GOAL MISSED");
  return met ? 0 : 2;
}

int RunHeadless() {
  EngMemorySetUpAllocator();
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
  printf("  %-28s %8.2f\n", "process before the game", before);
  printf("  %-28s %8.2f   (baseline)\n", "game started, wave 1", start);
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
  printf("  %-28s %8.2f\n", "after ten minutes of play", at_ten_minutes);
  for (int w : {10, 20, 30, 40, 50})
    if (w - 1 <= last_wave) printf("  %-28s %8.2f\n", ("start of wave " + std::to_string(w)).c_str(), at_wave[w - 1]);
  const double end = ResidentMB();
  printf("  %-28s %8.2f   (%s after %ld frames)\n", "end of the game", end, game_won ? "won" : "lost", game.Frames());
  // Both readings must have been taken: a garden lost before wave 40 measured no growth.
  const bool measured = at_wave[9] > 0 && at_wave[39] > 0;
  const double growth = measured ? at_wave[39] - at_wave[9] : -1.0;
  printf("  %-28s %8.2f   goal at most 1 MB\n", "growth wave 10 to wave 40", growth);
  printf("growth_wave10_to_40_mb=%.2f\n", growth);
  if (!measured) printf("NOT MEASURED: growth_wave10_to_40_mb (the game ended at wave %d)\n", last_wave + 1);
  return Verdict(measured && growth <= 1.0);
}

// The resident set and the heap in use at one point of a garden.
struct Reading {
  double resident = -1.0, heap = -1.0;
};

// A reading once the renderer has let go of the frames it drew: a cleared frame drawn and
// waited for makes it end the scene that held the last frame's commands, and the pages freed
// go back as the game gives them back at a wave's start.
Reading SettledReading(qwbench::GlWindow *window) {
  window->device->ClearScreen();
  glFinish();
  SDL_GL_SwapWindow(window->sdl_window);
  glFinish();
  EngMemoryGiveBackFreePages();
  return {ResidentMB(), HeapInUseMB()};
}

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
  f->start = SettledReading(window);
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
      if (f->last_wave >= 0 && f->last_wave < 50) f->wave[f->last_wave] = SettledReading(window);
    }
  }
  if (!game.Fault().empty()) printf("  fault in garden %d: %s\n", int(garden), game.Fault().c_str());
  f->end = SettledReading(window);
  f->won = game_won != 0;
  f->frames = game.Frames();
  return true;
}

int RunInWindow() {
  // As the program sets its allocator up at start.
  EngMemorySetUpAllocator();
  // Before the context: the renderer reads it once.
  setenv("LP_NUM_THREADS", "0", 0);
  qwbench::GlWindow window;
  if (!window.OpenWindow(1024, 768)) {
    fprintf(stderr, "no OpenGL window (is DISPLAY set?)\n");
    return 1;
  }
  window.window->UpdateWindowVariables(1, 1024, 768, 32, 60);
  if (!GoToResources()) return 1;
  const Reading before = SettledReading(&window);
  QuarrelwickPre3dInit();
  const short kGardens[] = {0, 1, 2};
  const int kDrawEvery = 60;
  GardenFigures figures[3];
  printf(
      "resident memory in a window, pictures made, a frame drawn every %d frames, LP_NUM_THREADS=%s, read "
      "settled (MB; heap in use beside)\n",
      kDrawEvery, getenv("LP_NUM_THREADS"));
  printf("  %-34s %8.2f %8.2f\n", "window open, before the game", before.resident, before.heap);
  for (int g = 0; g < 3; g++) {
    if (!PlayGardenInWindow(&window, kGardens[g], kDrawEvery, &figures[g])) return 1;
    const GardenFigures &f = figures[g];
    const std::string garden = "garden " + std::to_string(kGardens[g]) + ", ";
    printf("  %-34s %8.2f %8.2f\n", (garden + "started").c_str(), f.start.resident, f.start.heap);
    if (g == 0)
      for (int w : {10, 20, 30, 40, 50})
        if (w - 1 <= f.last_wave)
          printf("  %-34s %8.2f %8.2f\n", (garden + "start of wave " + std::to_string(w)).c_str(),
                 f.wave[w - 1].resident, f.wave[w - 1].heap);
    printf("  %-34s %8.2f %8.2f   (%s after %ld frames)\n", (garden + "end").c_str(), f.end.resident, f.end.heap,
           f.won ? "won" : "lost", f.frames);
  }
  QuarrelwickDestroyGraphics();
  const GardenFigures &first = figures[0];
  const bool reached_50 = first.last_wave >= 49;
  const double waves = reached_50 ? first.wave[49].resident - first.wave[9].resident : -1.0;
  const double late_waves = reached_50 ? first.wave[49].resident - first.wave[19].resident : -1.0;
  const double gardens = figures[2].end.resident - figures[1].end.resident;
  printf("  %-34s %8.2f   goal at most %.1f MB\n", "growth wave 10 to wave 50", waves, kGoalMB);
  printf("  %-34s %8.2f   goal at most %.1f MB\n", "growth wave 20 to wave 50", late_waves, kGoalMB);
  printf("  %-34s %8.2f   goal at most %.1f MB\n", "growth garden to garden", gardens, kGoalMB);
  printf("window_growth_wave10_to_50_mb=%.2f\nwindow_growth_wave20_to_50_mb=%.2f\n", waves, late_waves);
  printf("window_growth_garden_to_garden_mb=%.2f\n", gardens);
  if (!reached_50)
    printf(
        "NOT MEASURED: window_growth_wave10_to_50_mb and window_growth_wave20_to_50_mb (garden 0 ended at "
        "wave %d)\n",
        first.last_wave + 1);
  return Verdict(reached_50 && waves <= kGoalMB && late_waves <= kGoalMB && gardens <= kGoalMB);
}

// Runs this program again with one run's option, in a process of its own so that neither run's
// memory shows in the other's; its exit code (-1 when it could not run or did not end by
// itself).
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
  const bool window_run = getenv("DISPLAY") != nullptr;
  if (!window_run) printf("no DISPLAY: the run in a window is left out\n");
  const int window = window_run ? RunChild(self, "--window") : 0;
  // A goal missed in either run is the verdict; a run that failed otherwise says so.
  for (const auto &[name, code] : {std::pair<const char *, int>{"headless", headless}, {"window", window}})
    if (code != 0 && code != 2) printf("the %s run failed (exit code %d)\n", name, code);
  if (headless == 2 || window == 2) {
    printf("GOAL MISSED\n");
    return 2;
  }
  return headless != 0 || window != 0 ? 1 : 0;
}
