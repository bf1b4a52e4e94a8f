// Headless play-field ticks per second on one core: the benchmarks' late-wave scene (garden 1,
// the hardest, on EXTREME: wave 45's 95 bugs, three top-level factories, 40 top-level weapons of
// every firing type, sprays among them) beside the tick of the same garden's empty field.
#include <benchmark/benchmark.h>

#include <string>

#include "Engine/EngMain.h"
#include "benchmarks/GameScene.h"
#include "game/Bugs.h"
#include "game/Quarrelwick.h"
#include "game/Weapons.h"

namespace {

void Tick() {
  eng_main_current_time = eng_main_current_time + 1.0 / 60.0;
  game_per_second = 1.0f / 60.0f;
  QuarrelwickTick();
}

void BM_EmptyPlayFieldTick(benchmark::State &state) {
  std::string why;
  if (!qwbench::BuildEmptyField(&why)) {
    state.SkipWithError(why.c_str());
    return;
  }
  for (auto _ : state) Tick();
  state.SetItemsProcessed(state.iterations());
}

void BM_LateWaveTick(benchmark::State &state) {
  std::string why;
  if (!qwbench::BuildLateWave(&why)) {
    state.SkipWithError(why.c_str());
    return;
  }
  // Settle in: the weapons turn to their targets and their bullets fill the air.
  for (int i = 0; i < 300; i++) Tick();
  long frame = 0, bullets = 0;
  for (auto _ : state) {
    Tick();
    // Every few seconds of play the bugs go back to where they started, off the clock.
    if (++frame % qwbench::kLateWaveFrames == 0) {
      state.PauseTiming();
      for (int i = 0; i < num_weapons; i++)
        if (weapons[i])
          for (Bullet *b : weapons[i]->bullets) bullets += b != nullptr;
      qwbench::ResetLateWaveBugs();
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["bugs"] = qwbench::LateWaveBugCount();
  state.counters["weapons"] = num_weapons;
  if (frame >= qwbench::kLateWaveFrames)
    state.counters["bullets_in_flight"] = double(bullets) / double(frame / qwbench::kLateWaveFrames);
}

BENCHMARK(BM_EmptyPlayFieldTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LateWaveTick)->Unit(benchmark::kMicrosecond)->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
