// One frame of the play field drawn at 1024 x 768 (glFinish before the clock stops): the late
// wave of GameScene.h, an empty field with only its garden, and the engine's reference frame
// of 2,000 batched quads, all in one window and one run.
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

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

void DrawFrame(EngDevice *device) {
  device->ClearScreen();
  device->PrepareFor2D(1);
  QuarrelwickRender();
  device->RestoreAfter2D();
  glFinish();
}

// The empty field's mean frame, the baseline the late wave's cost per sprite is taken over.
double empty_frame_ms = -1.0;

void RunPlayFieldFrames(benchmark::State &state, bool late_wave) {
  qwbench::GlWindow *w = Window();
  if (!w) {
    state.SkipWithError("no OpenGL window (is DISPLAY set?)");
    return;
  }
  std::string why;
  if (!(late_wave ? qwbench::BuildLateWave(&why) : qwbench::BuildEmptyField(&why))) {
    state.SkipWithError(why.c_str());
    return;
  }
  if (!QuarrelwickCreateGraphics()) {
    state.SkipWithError("the play field's pictures were not made");
    return;
  }
  QuarrelwickMoveMouse(700, 300);
  for (int i = 0; i < 300; i++) Tick();
  long frame = 0;
  const long sprites_before = SpritesGetDrawnCount();
  double drawing = 0.0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    DrawFrame(w->device);
    drawing += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    // The field moves on between frames, off the clock.
    state.PauseTiming();
    Tick();
    if (late_wave && ++frame % 600 == 0) qwbench::ResetLateWaveBugs();
    state.ResumeTiming();
  }
  state.counters["bugs"] = qwbench::LateWaveBugCount();
  state.counters["weapons"] = num_weapons;
  const double frames = double(state.iterations());
  const double sprites = frames > 0 ? double(SpritesGetDrawnCount() - sprites_before) / frames : 0.0;
  const double frame_ms = frames > 0 ? drawing / frames : 0.0;
  state.counters["sprites"] = sprites;
  if (!late_wave) {
    empty_frame_ms = frame_ms;
  } else if (empty_frame_ms >= 0.0 && sprites > 0) {
    // What each sprite adds to the empty field's frame, in microseconds.
    state.counters["us_per_sprite"] = (frame_ms - empty_frame_ms) * 1000.0 / sprites;
    state.counters["empty_ms"] = empty_frame_ms;
  }
  QuarrelwickDestroyGraphics();
}

void BM_EmptyFieldFrame(benchmark::State &state) { RunPlayFieldFrames(state, false); }
void BM_LateWaveFrame(benchmark::State &state) { RunPlayFieldFrames(state, true); }

void BM_Frame2000TexturedQuads2D(benchmark::State &state) {
  qwbench::GlWindow *w = Window();
  if (!w) {
    state.SkipWithError("no OpenGL window (is DISPLAY set?)");
    return;
  }
  qwbench::RunFrame2000TexturedQuads2D(state, w);
}

BENCHMARK(BM_EmptyFieldFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LateWaveFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Frame2000TexturedQuads2D)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
