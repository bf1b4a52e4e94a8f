// Decoding the game's largest picture size (a 1024 x 1024 JPEG) through the engine's JPEG
// decoder, against libjpeg alone and SOIL's loader; and bringing a picture to a texture size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <SOIL.h>
#include <jpeglib.h>
#include <unistd.h>

#include "Engine/EngImageDecode.h"
#include "Engine/EngImageScaler.h"
#include "Engine/EngJpeg.h"

namespace {

const int kSide = 1024;

// A picture with detail in every block, written once per run.
const std::string &PicturePath() {
  static const std::string path = [] {
    std::vector<unsigned char> rgb(size_t(kSide) * kSide * 3);
    for (int y = 0; y < kSide; y++)
      for (int x = 0; x < kSide; x++) {
        unsigned char *p = &rgb[(size_t(y) * kSide + x) * 3];
        p[0] = (unsigned char)(x ^ y);
        p[1] = (unsigned char)(x * 3 + y);
        p[2] = (unsigned char)((x * y) >> 6);
      }
    std::string name = "/tmp/qw-bench-" + std::to_string(getpid()) + ".jpg";
    if (!EngJpegWriteFileFromBuffer(name.c_str(), 90, 0, kSide, kSide, rgb.data())) abort();
    return name;
  }();
  return path;
}

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
    FILE *file = fopen(path, "rb");
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    const size_t stride = size_t(cinfo.output_width) * cinfo.output_components;
    unsigned char *pixels = static_cast<unsigned char *>(malloc(stride * cinfo.output_height));
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = pixels + stride * cinfo.output_scanline;
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    fclose(file);
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
