// One frame of the play field drawn at 1024 x 768 (glFinish before the clock stops): the late
// wave of GameScene.h, an empty field with only its garden, and the engine's reference frame
// of 2,000 batched quads, all in one window and one run.
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <string>

#include "Engine/EngMain.h"
#include "benchmarks/BenchmarkWindow.h"
#include "benchmarks/Frame2000Quads.h"
#include "benchmarks/GameScene.h"
#include "game/Bugs.h"
#include "game/Quarrelwick.h"
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
  for (auto _ : state) {
    DrawFrame(w->device);
    // The field moves on between frames, off the clock.
    state.PauseTiming();
    Tick();
    if (late_wave && ++frame % 600 == 0) qwbench::ResetLateWaveBugs();
    state.ResumeTiming();
  }
  state.counters["bugs"] = qwbench::LateWaveBugCount();
  state.counters["weapons"] = num_weapons;
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
