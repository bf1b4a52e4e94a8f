// A 2D frame of 2,000 textured, blended 32-pixel quads at 1024 by 768, drawn the way sprites
// sharing a texture are batched: one client-array draw for the lot.
#include <benchmark/benchmark.h>

#include "benchmarks/BenchmarkWindow.h"
#include "benchmarks/Frame2000Quads.h"

namespace {

void BM_Frame2000TexturedQuads2D(benchmark::State &state) {
  // One window for every run of the benchmark; the process's end takes it down.
  static qwbench::GlWindow window;
  static bool opened = window.OpenWindow(qwbench::kQuadsWidth, qwbench::kQuadsHeight);
  if (!opened) {
    state.SkipWithError("no OpenGL window (is DISPLAY set?)");
    return;
  }
  qwbench::RunFrame2000TexturedQuads2D(state, &window);
}

BENCHMARK(BM_Frame2000TexturedQuads2D)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
