// Loading the game's largest picture (a 1024 x 1024 JPEG) into a texture through EngTexture,
// against libjpeg decoding plus a bare glTexImage2D of the same pixels.
#include <GL/glew.h>
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "Engine/EngTexture.h"
#include "benchmarks/BenchmarkPicture.h"
#include "benchmarks/BenchmarkWindow.h"

namespace {

using qwbench::PicturePath;

bool OpenScene() {
  static qwbench::GlWindow scene;
  static bool opened = scene.OpenWindow(640, 480, SDL_WINDOW_HIDDEN);
  return opened;
}

void BM_EngTextureLoadJpeg(benchmark::State &state) {
  if (!OpenScene()) {
    state.SkipWithError("no OpenGL window (is DISPLAY set?)");
    return;
  }
  const char *path = PicturePath().c_str();
  for (auto _ : state) {
    EngTexture texture;
    if (!texture.LoadFromFile(path, 0, 0)) state.SkipWithError("load failed");
    glFinish();
  }
}
BENCHMARK(BM_EngTextureLoadJpeg)->Unit(benchmark::kMillisecond);

void BM_LibjpegAndTexImage(benchmark::State &state) {
  if (!OpenScene()) {
    state.SkipWithError("no OpenGL window (is DISPLAY set?)");
    return;
  }
  const char *path = PicturePath().c_str();
  for (auto _ : state) {
    int w = 0, h = 0;
    unsigned char *pixels = qwbench::DecodeWithLibjpeg(path, &w, &h);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, (GLsizei)w, (GLsizei)h, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
    glFinish();
    free(pixels);
    glDeleteTextures(1, &name);
  }
}
BENCHMARK(BM_LibjpegAndTexImage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
