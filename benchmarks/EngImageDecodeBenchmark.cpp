// Decoding the game's largest picture size (a 1024 x 1024 JPEG) through the engine's JPEG
// decoder, against libjpeg alone and SOIL's loader; and bringing a picture to a texture size.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include <SOIL.h>

#include "Engine/EngImageDecode.h"
#include "Engine/EngImageScaler.h"
#include "benchmarks/BenchmarkPicture.h"

namespace {

using qwbench::PicturePath;

void BM_EngineJpegDecoder(benchmark::State &state) {
  const char *path = PicturePath().c_str();
  for (auto _ : state) {
    int w = 0, h = 0, c = 0;
    unsigned char *pixels = EngTextureGL_JpegLoadTextureToData(path, int(state.range(0)), 3, &w, &h, &c);
    benchmark::DoNotOptimize(pixels);
    free(pixels);
  }
}
BENCHMARK(BM_EngineJpegDecoder)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_LibjpegAlone(benchmark::State &state) {
  const char *path = PicturePath().c_str();
  for (auto _ : state) {
    int w = 0, h = 0;
    unsigned char *pixels = qwbench::DecodeWithLibjpeg(path, &w, &h);
    benchmark::DoNotOptimize(pixels);
    free(pixels);
  }
}
BENCHMARK(BM_LibjpegAlone)->Unit(benchmark::kMillisecond);

void BM_SoilWrapper(benchmark::State &state) {
  const char *path = PicturePath().c_str();
  for (auto _ : state) {
    int w = 0, h = 0, c = 0;
    unsigned char *pixels = SOIL_load_OGL_texture_to_memory(path, 0, ENG_SOIL_FLAG_MULTIPLY_ALPHA, &w, &h, &c);
    benchmark::DoNotOptimize(pixels);
    EngImageDecodeFree(pixels);
  }
}
BENCHMARK(BM_SoilWrapper)->Unit(benchmark::kMillisecond);

void BM_SoilAlone(benchmark::State &state) {
  const char *path = PicturePath().c_str();
  for (auto _ : state) {
    int w = 0, h = 0, c = 0;
    unsigned char *pixels = SOIL_load_image(path, &w, &h, &c, 0);
    benchmark::DoNotOptimize(pixels);
    SOIL_free_image_data(pixels);
  }
}
BENCHMARK(BM_SoilAlone)->Unit(benchmark::kMillisecond);

// 1000 x 700 RGBA up to 1024 x 1024, upside down, as the loader's power-of-two path does.
void BM_RescaleToPowerOfTwo(benchmark::State &state) {
  std::vector<unsigned char> source(1000 * 700 * 4, 100), target(1024 * 1024 * 4);
  C2PassScale<CBilinearFilter> scaler;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        scaler.Scale(source.data(), 4, 1000, 1000 * 4, 700, target.data(), 1024, 1024 * 4, 1024, 1));
  }
}
BENCHMARK(BM_RescaleToPowerOfTwo)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
