// Loading the game's largest picture (a 1024 x 1024 JPEG) into a texture through EngTexture,
// against libjpeg decoding plus a bare glTexImage2D of the same pixels.
#include <GL/glew.h>
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <jpeglib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"

namespace {

const int kSide = 1024;

struct Scene {
  bool Open() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_Window *sdl_window = SDL_CreateWindow("benchmark", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480,
                                              SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!sdl_window || !SDL_GL_CreateContext(sdl_window)) return false;
    eng_main_device_type = ENG_DEVICE_TYPE_OPENGL;
    eng_main_window = new EngWindow(nullptr, "benchmark");
    eng_main_window_width = 640;
    eng_main_window_height = 480;
    EngDevice *device = new EngDevice(eng_main_window);
    return device->Create(1, 640, 480, 32, 60);
  }
};

bool OpenScene() {
  static Scene scene;
  static bool opened = scene.Open();
  return opened;
}

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
    std::string name = "/tmp/qw-texture-bench-" + std::to_string(getpid()) + ".jpg";
    if (!EngJpegWriteFileFromBuffer(name.c_str(), 90, 0, kSide, kSide, rgb.data())) abort();
    return name;
  }();
  return path;
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
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, (GLsizei)cinfo.output_width, (GLsizei)cinfo.output_height, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
    glFinish();
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    fclose(file);
    free(pixels);
    glDeleteTextures(1, &name);
  }
}
BENCHMARK(BM_LibjpegAndTexImage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
