// One frame of the play field drawn at 1024 x 768 (glFinish before the clock stops): the late
// wave of GameScene.h drawn the short way (as the game draws it) and the old way (every layer
// whole, over a cleared window), an empty field with only its garden, one full-window blended
// textured quad and the engine's reference frame of 2,000 batched quads, all in one window and
// one run. The late wave's frame is also given in full windows of work (its time over the
// full-window quad's in the same process): counter full_windows (this run's rasteriser threads,
// the late wave's row over the quad's row) and, from two child runs with LP_NUM_THREADS=1 and 3
// that take turns between quad and frame rounds, full_windows_median_<n>t (median round over
// median round, the figure with a goal) and full_windows_best_<n>t (best over best), with the old
// way's beside them. After the table every round and every ratio's terms are printed, then the
// verdict: exit 2 with a GOAL MISSED line when the goal is missed, 3 with a NOT MEASURED line
// when a child's figures could not be measured.
// "--screenshot <file.ppm>" saves the late wave's frame instead.
#include <GL/glew.h>
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Engine/EngMain.h"
#include "benchmarks/BenchmarkWindow.h"
#include "benchmarks/Frame2000Quads.h"
#include "benchmarks/GameScene.h"
#include "game/Bugs.h"
#include "game/Quarrelwick.h"
#include "game/Sprites.h"
#include "game/Weapons.h"

namespace {

qwbench::GlWindow *Window() {
  static qwbench::GlWindow window;
  static bool opened = [] {
    if (!window.OpenWindow(qwbench::kQuadsWidth, qwbench::kQuadsHeight)) return false;
    window.window->UpdateWindowVariables(1, qwbench::kQuadsWidth, qwbench::kQuadsHeight, 32, 60);
    return true;
  }();
  return opened ? &window : nullptr;
}

void Tick() {
  eng_main_current_time = eng_main_current_time + 1.0 / 60.0;
  game_per_second = 1.0f / 60.0f;
  QuarrelwickTick();
}

// The old way clears the window first; the short way only when the field leaves some uncovered.
void DrawFrame(EngDevice *device, bool old_way) {
  QuarrelwickSetFrameShortcuts(old_way ? 0 : 1);
  if (old_way || !QuarrelwickFieldCoversWindow()) device->ClearScreen();
  device->PrepareFor2D(1);
  QuarrelwickRender();
  device->RestoreAfter2D();
  glFinish();
}

// The baseline of a frame's work: one textured quad over the whole window, blended, from a
// picture of the size of the garden's.
void DrawFullWindowQuad() {
  static GLuint texture = [] {
    const int side = 1024;
    std::vector<unsigned char> pixels(size_t(side) * side * 4);
    for (int y = 0; y < side; y++)
      for (int x = 0; x < side; x++) {
        unsigned char *p = &pixels[(size_t(y) * side + x) * 4];
        p[0] = (unsigned char)(x ^ y);
        p[1] = (unsigned char)(x + y);
        p[2] = (unsigned char)(x * 3);
        p[3] = (unsigned char)(128 + (x & 127));
      }
    return qwbench::UploadSquareTexture(side, pixels);
  }();
  EngDevice *device = Window()->device;
  device->PrepareFor2D(1);
  device->EnableBlendingType(0);
  static const GLfloat corners[] = {-1, -1, 1, -1, 1, 1, -1, 1}, coords[] = {0, 1, 1, 1, 1, 0, 0, 0};
  glBindTexture(GL_TEXTURE_2D, texture);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, corners);
  glTexCoordPointer(2, GL_FLOAT, 0, coords);
  glDrawArrays(GL_QUADS, 0, 4);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glBindTexture(GL_TEXTURE_2D, 0);
  device->DisableBlending();
  device->RestoreAfter2D();
  glFinish();
}

double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Each row's time is the mean of the iteration times handed to it (manual time), so these are the
// rows' own figures, in ms, from the last run of each row; -1 until measured. The ratios are made
// from them alone, so that the table's rows give them back.
double full_window_ms = -1.0, empty_frame_ms = -1.0, late_wave_ms[2] = {-1.0, -1.0};

void BM_FullWindowQuad(benchmark::State &state) {
  if (!Window()) {
    state.SkipWithError("no OpenGL window (is DISPLAY set?)");
    return;
  }
  DrawFullWindowQuad();
  double drawing = 0.0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    DrawFullWindowQuad();
    const double ms = MsSince(start);
    drawing += ms;
    state.SetIterationTime(ms / 1000.0);
  }
  if (state.iterations() == 0) return;
  full_window_ms = drawing / double(state.iterations());
  state.counters["ms"] = full_window_ms;
}

std::string BuildScene(bool late_wave) {
  std::string why;
  if (!(late_wave ? qwbench::BuildLateWave(&why) : qwbench::BuildEmptyField(&why))) return why;
  if (!QuarrelwickCreateGraphics()) return "the play field's pictures were not made";
  QuarrelwickMoveMouse(700, 300);
  for (int i = 0; i < 300; i++) Tick();
  return "";
}

// Mean ms of `frames` frames drawn one way, the field moving on between them off the clock.
double TimeFrames(bool late_wave, bool old_way, long frames, long *counter = nullptr) {
  double drawing = 0.0;
  for (long f = 0; f < frames; f++) {
    const auto start = std::chrono::steady_clock::now();
    DrawFrame(Window()->device, old_way);
    drawing += MsSince(start);
    Tick();
    if (late_wave && ++*counter % qwbench::kLateWaveFrames == 0) qwbench::ResetLateWaveBugs();
  }
  return frames > 0 ? drawing / double(frames) : 0.0;
}

void RunPlayFieldFrames(benchmark::State &state, bool late_wave, bool old_way) {
  if (!Window()) {
    state.SkipWithError("no OpenGL window (is DISPLAY set?)");
    return;
  }
  const std::string why = BuildScene(late_wave);
  if (!why.empty()) {
    state.SkipWithError(why.c_str());
    return;
  }
  long frame = 0;
  const long sprites_before = SpritesGetDrawnCount();
  double drawing = 0.0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    DrawFrame(Window()->device, old_way);
    const double ms = MsSince(start);
    drawing += ms;
    // Only the drawing is on the clock; the field moves on between frames off it.
    state.SetIterationTime(ms / 1000.0);
    Tick();
    if (late_wave && ++frame % qwbench::kLateWaveFrames == 0) qwbench::ResetLateWaveBugs();
  }
  state.counters["bugs"] = qwbench::LateWaveBugCount();
  state.counters["weapons"] = num_weapons;
  const double frames = double(state.iterations());
  const double sprites = frames > 0 ? double(SpritesGetDrawnCount() - sprites_before) / frames : 0.0;
  const double frame_ms = frames > 0 ? drawing / frames : 0.0;
  state.counters["sprites"] = sprites;
  state.counters["ms"] = frame_ms;
  if (!late_wave) {
    empty_frame_ms = frame_ms;
  } else {
    late_wave_ms[old_way ? 1 : 0] = frame_ms;
    if (empty_frame_ms >= 0.0 && sprites > 0 && !old_way) {
      // What each sprite adds to the empty field's frame, in microseconds.
      state.counters["us_per_sprite"] = (frame_ms - empty_frame_ms) * 1000.0 / sprites;
      state.counters["empty_ms"] = empty_frame_ms;
    }
    if (full_window_ms > 0.0) state.counters["full_windows"] = frame_ms / full_window_ms;
  }
  QuarrelwickDestroyGraphics();
  QuarrelwickSetFrameShortcuts(1);
}

void BM_EmptyFieldFrame(benchmark::State &state) { RunPlayFieldFrames(state, false, false); }
void BM_LateWaveFrame(benchmark::State &state) { RunPlayFieldFrames(state, true, false); }
void BM_LateWaveFrameOldWay(benchmark::State &state) { RunPlayFieldFrames(state, true, true); }

void BM_Frame2000TexturedQuads2D(benchmark::State &state) {
  qwbench::GlWindow *w = Window();
  if (!w) {
    state.SkipWithError("no OpenGL window (is DISPLAY set?)");
    return;
  }
  qwbench::RunFrame2000TexturedQuads2D(state, w);
}

// Rounds of the child run: odd, so that the median is one round's figure.
constexpr int kFullWindowRounds = 11;

// What the child run times, in the order it prints them.
enum { kQuadRounds, kShortWayRounds, kOldWayRounds, kSeries };
const char *const kSeriesNames[kSeries] = {"quad", "frame", "old_way_frame"};

double MedianOf(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1.0 : v[v.size() / 2];
}

double LeastOf(const std::vector<double> &v) { return v.empty() ? -1.0 : *std::min_element(v.begin(), v.end()); }

// The child run: the late wave's frame, both ways, beside the full-window quad, at this process's
// rasteriser threads. Quad, short-way and old-way rounds take turns, so that other load falls on
// all three alike. Prints every round's ms per draw, one line per series in kSeries order; the
// parent makes the ratios from those figures alone.
int MeasureFullWindows() {
  if (!Window()) return 1;
  const std::string why = BuildScene(true);
  if (!why.empty()) {
    fprintf(stderr, "%s\n", why.c_str());
    return 1;
  }
  long counter = 0;
  for (int i = 0; i < 20; i++) DrawFullWindowQuad();
  TimeFrames(true, false, 30, &counter);
  std::vector<double> rounds[kSeries];
  for (int round = 0; round < kFullWindowRounds; round++) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 40; i++) DrawFullWindowQuad();
    rounds[kQuadRounds].push_back(MsSince(start) / 40.0);
    for (int w = 0; w < 2; w++) rounds[kShortWayRounds + w].push_back(TimeFrames(true, w == 1, 60, &counter));
  }
  for (const std::vector<double> &series : rounds) {
    for (size_t r = 0; r < series.size(); r++) printf("%s%.4f", r ? " " : "", series[r]);
    printf("\n");
  }
  QuarrelwickDestroyGraphics();
  return 0;
}

// The late wave's frame as the game draws it, saved as a binary PPM for a person to look at.
int SaveScreenshot(const char *path) {
  if (!Window()) return 1;
  const std::string why = BuildScene(true);
  if (!why.empty()) {
    fprintf(stderr, "%s\n", why.c_str());
    return 1;
  }
  // The second frame is the one drawn with the kept still layers.
  DrawFrame(Window()->device, false);
  DrawFrame(Window()->device, false);
  const int w = qwbench::kQuadsWidth, h = qwbench::kQuadsHeight;
  std::vector<unsigned char> rgb(size_t(w) * size_t(h) * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  QuarrelwickDestroyGraphics();
  FILE *f = fopen(path, "wb");
  if (!f) return 1;
  fprintf(f, "P6\n%d %d\n255\n", w, h);
  // GL's rows run bottom first, the file's top first.
  for (int y = h - 1; y >= 0; y--) fwrite(&rgb[size_t(y) * size_t(w) * 3], 1, size_t(w) * 3, f);
  return fclose(f) == 0 ? 0 : 1;
}

std::string self_path;

// One child run: its rounds as it printed them (ms per draw), or why it gave none.
struct ChildRun {
  explicit ChildRun(const char *thread_count) : threads(thread_count) {}

  const char *threads;
  std::vector<double> rounds[kSeries];
  std::string failure = "not run (BM_LateWaveFullWindowsByThreads was left out)";

  // A series' median round over the quad's median round, or its best over the quad's best.
  double Ratio(int series, bool median) const {
    return median ? MedianOf(rounds[series]) / MedianOf(rounds[kQuadRounds])
                  : LeastOf(rounds[series]) / LeastOf(rounds[kQuadRounds]);
  }
};

ChildRun child_runs[2] = {ChildRun("1"), ChildRun("3")};

// Runs this program again with --full-windows and the rasteriser's thread count, in a process of
// its own (llvmpipe reads LP_NUM_THREADS once), and reads its rounds.
void RunFullWindowsChild(ChildRun *run) {
  for (std::vector<double> &series : run->rounds) series.clear();
  int out[2];
  if (pipe(out) != 0) {
    run->failure = std::string("pipe: ") + strerror(errno);
    return;
  }
  const pid_t pid = fork();
  if (pid < 0) {
    run->failure = std::string("fork: ") + strerror(errno);
    close(out[0]);
    close(out[1]);
    return;
  }
  if (pid == 0) {
    close(out[0]);
    if (dup2(out[1], 1) < 0) _exit(127);
    setenv("LP_NUM_THREADS", run->threads, 1);
    execl(self_path.c_str(), self_path.c_str(), "--full-windows", static_cast<char *>(nullptr));
    _exit(127);
  }
  close(out[1]);
  FILE *child = fdopen(out[0], "r");
  bool read_all = child != nullptr;
  for (int s = 0; s < kSeries && read_all; s++)
    for (int r = 0; r < kFullWindowRounds && read_all; r++) {
      double ms = 0.0;
      read_all = fscanf(child, "%lf", &ms) == 1 && std::isfinite(ms) && ms > 0.0;
      if (read_all) run->rounds[s].push_back(ms);
    }
  if (child)
    fclose(child);
  else
    close(out[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFSIGNALED(status))
    run->failure = "ended by signal " + std::to_string(WTERMSIG(status));
  else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    run->failure = "exit status " + std::to_string(WEXITSTATUS(status));
  else if (!read_all)
    run->failure = "its rounds could not be read";
  else
    run->failure.clear();
}

// The late wave's frame drawn the short way with one rasteriser thread, median over median, may
// take at most this many full-window quads of work.
constexpr double kFullWindowsGoal1t = 1.35;

// The child figures in the order they are printed: name, series over the quad, median or best.
struct ChildFigure {
  const char *name;
  int series;
  bool median;
};
const ChildFigure kChildFigures[] = {{"full_windows_median", kShortWayRounds, true},
                                     {"full_windows_best", kShortWayRounds, false},
                                     {"old_way_full_windows_median", kOldWayRounds, true},
                                     {"old_way_full_windows_best", kOldWayRounds, false}};

void BM_LateWaveFullWindowsByThreads(benchmark::State &state) {
  for (auto _ : state)
    for (ChildRun &run : child_runs) RunFullWindowsChild(&run);
  std::string failed;
  for (const ChildRun &run : child_runs) {
    if (!run.failure.empty()) {
      failed += std::string(failed.empty() ? "" : "; ") + "LP_NUM_THREADS=" + run.threads + ": " + run.failure;
      continue;
    }
    for (const ChildFigure &figure : kChildFigures)
      state.counters[std::string(figure.name) + "_" + run.threads + "t"] = run.Ratio(figure.series, figure.median);
  }
  if (!failed.empty()) {
    state.SkipWithError(("a child run failed (" + failed + ")").c_str());
    return;
  }
  char goal[96];
  snprintf(goal, sizeof(goal), "goal full_windows_median_1t <= %.2f: %s", kFullWindowsGoal1t,
           child_runs[0].Ratio(kShortWayRounds, true) <= kFullWindowsGoal1t ? "met" : "MISSED");
  state.SetLabel(goal);
}

BENCHMARK(BM_FullWindowQuad)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_EmptyFieldFrame)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_LateWaveFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_LateWaveFrameOldWay)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_Frame2000TexturedQuads2D)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LateWaveFullWindowsByThreads)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// Every ratio again with the figures it is made of (the rows' ms, each child's rounds), then the
// goal; returns the exit code: 3 when a child's figures are missing, 2 when the goal is missed.
int ReportFigures() {
  printf("\n");
  const char *const late_rows[2] = {"BM_LateWaveFrame", "BM_LateWaveFrameOldWay"};
  for (int w = 0; w < 2; w++)
    if (full_window_ms > 0.0 && late_wave_ms[w] >= 0.0)
      printf("full_windows=%.4f (%s): %.4f ms / BM_FullWindowQuad %.4f ms\n", late_wave_ms[w] / full_window_ms,
             late_rows[w], late_wave_ms[w], full_window_ms);
  bool measured = true;
  for (const ChildRun &run : child_runs) {
    if (!run.failure.empty()) {
      measured = false;
      printf("NOT MEASURED:");
      for (const ChildFigure &figure : kChildFigures) printf(" %s_%st", figure.name, run.threads);
      printf(" (child run LP_NUM_THREADS=%s: %s)\n", run.threads, run.failure.c_str());
      continue;
    }
    printf("child run LP_NUM_THREADS=%s, ms per draw in each of its %d rounds:\n", run.threads, kFullWindowRounds);
    for (int s = 0; s < kSeries; s++) {
      printf("  %-14s", kSeriesNames[s]);
      for (double ms : run.rounds[s]) printf(" %.4f", ms);
      printf("   median %.4f best %.4f\n", MedianOf(run.rounds[s]), LeastOf(run.rounds[s]));
    }
    for (const ChildFigure &figure : kChildFigures) {
      const char *which = figure.median ? "median" : "best";
      const auto pick = [&](int series) {
        return figure.median ? MedianOf(run.rounds[series]) : LeastOf(run.rounds[series]);
      };
      printf("%s_%st=%.4f: %s %s %.4f ms / quad %s %.4f ms\n", figure.name, run.threads,
             run.Ratio(figure.series, figure.median), kSeriesNames[figure.series], which, pick(figure.series), which,
             pick(kQuadRounds));
    }
  }
  const ChildRun &one = child_runs[0];
  if (!one.failure.empty()) return 3;
  const double goal_figure = one.Ratio(kShortWayRounds, true);
  if (goal_figure > kFullWindowsGoal1t) {
    printf("GOAL MISSED: full_windows_median_1t=%.4f, more than %.2f\n", goal_figure, kFullWindowsGoal1t);
    return measured ? 2 : 3;
  }
  printf("goal met: full_windows_median_1t=%.4f, at most %.2f\n", goal_figure, kFullWindowsGoal1t);
  return measured ? 0 : 3;
}

}  // namespace

int main(int argc, char **argv) {
  char exe[4096];
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
  self_path = n > 0 ? std::string(exe, size_t(n)) : std::string(argv[0]);
  if (argc > 1 && strcmp(argv[1], "--full-windows") == 0) return MeasureFullWindows();
  if (argc > 2 && strcmp(argv[1], "--screenshot") == 0) return SaveScreenshot(argv[2]);
  // A listing of the rows measures nothing and so gives no verdict.
  bool listing = false;
  for (int i = 1; i < argc; i++)
    listing = listing || strcmp(argv[i], "--benchmark_list_tests") == 0 ||
              strcmp(argv[i], "--benchmark_list_tests=true") == 0;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return listing ? 0 : ReportFigures();
}
