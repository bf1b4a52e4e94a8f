// The engine's reference frame: 2,000 textured, blended 32-pixel quads at 1024 by 768, drawn
// the way sprites sharing a texture are batched (one client-array draw for the lot). Shared by
// the engine's benchmark and the game's frame benchmark, which runs it in its own window.
#pragma once

#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngDeviceGL.h"
#include "benchmarks/BenchmarkWindow.h"

namespace qwbench {

constexpr int kQuadsWidth = 1024, kQuadsHeight = 768, kQuads = 2000, kQuadPixels = 32;

// A square RGBA picture as a linearly filtered texture; needs a current GL context.
inline GLuint UploadSquareTexture(int side, const std::vector<unsigned char> &pixels) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, side, side, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return name;
}

struct QuadsTexture {
  GLuint texture = 0;

  // Needs a current GL context.
  bool Make() {
    // A 32 by 32 soft-edged sprite.
    std::vector<unsigned char> pixels(kQuadPixels * kQuadPixels * 4);
    for (int y = 0; y < kQuadPixels; y++)
      for (int x = 0; x < kQuadPixels; x++) {
        unsigned char *p = &pixels[(y * kQuadPixels + x) * 4];
        int dx = x - 16, dy = y - 16;
        p[0] = (unsigned char)(x * 8);
        p[1] = (unsigned char)(y * 8);
        p[2] = 200;
        p[3] = dx * dx + dy * dy < 256 ? 255 : 64;
      }
    texture = UploadSquareTexture(kQuadPixels, pixels);
    return true;
  }
};

// Draws the frame for every iteration into the window's 1024 x 768 device.
inline void RunFrame2000TexturedQuads2D(benchmark::State &state, GlWindow *window) {
  static QuadsTexture quads;
  static bool made = quads.Make();
  if (!made) {
    state.SkipWithError("could not make the quads' texture");
    return;
  }
  // Quads placed in design units; 32 pixels are 20 design units across at 1024 pixels.
  const float size_x = kQuadPixels * 640.0f / kQuadsWidth, size_y = kQuadPixels * 480.0f / kQuadsHeight;
  std::vector<float> origin(kQuads * 2);
  srand(7);
  for (int i = 0; i < kQuads; i++) {
    origin[i * 2] = (float)(rand() % (640 - 20));
    origin[i * 2 + 1] = (float)(rand() % (480 - 15));
  }
  std::vector<GLfloat> positions(kQuads * 4 * 2), coords(kQuads * 4 * 2);
  static const GLfloat corner_uv[8] = {0, 1, 1, 1, 1, 0, 0, 0};
  for (int i = 0; i < kQuads; i++)
    for (int c = 0; c < 8; c++) coords[i * 8 + c] = corner_uv[c];

  EngDevice *device = window->device;
  device->SetClearColour(0.1f, 0.2f, 0.3f);
  int frame = 0;
  for (auto _ : state) {
    device->ClearScreen();
    device->PrepareFor2D(1);
    device->EnableBlendingType(0);
    // Every frame the sprites move, as a game's would.
    float shift = (float)(frame++ % 16);
    for (int i = 0; i < kQuads; i++) {
      float x0 = (origin[i * 2] + shift) / 320.0f - 1.0f, x1 = x0 + size_x / 320.0f;
      float y0 = 1.0f - origin[i * 2 + 1] / 240.0f, y1 = y0 - size_y / 240.0f;
      GLfloat *p = &positions[i * 8];
      // Counter-clockwise on screen: back faces are culled.
      p[0] = x0, p[1] = y1, p[2] = x1, p[3] = y1, p[4] = x1, p[5] = y0, p[6] = x0, p[7] = y0;
    }
    glBindTexture(GL_TEXTURE_2D, quads.texture);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, positions.data());
    glTexCoordPointer(2, GL_FLOAT, 0, coords.data());
    glDrawArrays(GL_QUADS, 0, kQuads * 4);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    device->RestoreAfter2D();
    glFinish();
  }
  // A frame that drew nothing would time nothing.
  std::vector<unsigned char> frame_pixels(kQuadsWidth * kQuadsHeight * 4);
  glReadPixels(0, 0, kQuadsWidth, kQuadsHeight, GL_RGBA, GL_UNSIGNED_BYTE, frame_pixels.data());
  long covered = 0;
  for (int i = 0; i < kQuadsWidth * kQuadsHeight; i++) covered += frame_pixels[i * 4 + 2] > 150;
  if (covered < kQuadsWidth * kQuadsHeight / 4) state.SkipWithError("the quads were not drawn");
  state.counters["covered_pixels"] = (double)covered;
  state.counters["quads"] = kQuads;
  state.SetItemsProcessed(state.iterations() * kQuads);
}

}  // namespace qwbench
