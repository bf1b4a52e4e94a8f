#include "tests/Engine/TextureTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

#include "Engine/EngTextureGL.h"

namespace qwtest {

void MakeTexture(EngTexture *texture, int w, int h, bool with_alpha, Rgba (*colour)(int x, int y, int w, int h)) {
  int tw = w, th = h;
  ASSERT_TRUE(texture->CreateEmptyTexture(&tw, &th, with_alpha ? 1 : 0));
  ASSERT_EQ(tw, w) << "sides must be powers of two";
  ASSERT_EQ(th, h);
  const int channels = with_alpha ? 4 : 3;
  std::vector<unsigned char> pixels(size_t(w) * size_t(h) * size_t(channels));
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      Rgba c = colour(x, y, w, h);
      unsigned char *p = &pixels[(size_t(y) * size_t(w) + size_t(x)) * size_t(channels)];
      p[0] = c.r;
      p[1] = c.g;
      p[2] = c.b;
      if (with_alpha) p[3] = c.a;
    }
  ASSERT_TRUE(texture->SetTextureFromExternalPixelDataBuffer(pixels.data(), with_alpha ? 1 : 0));
}

std::vector<unsigned char> ReadTexture(EngTexture *texture) {
  EngTextureGL *gl = texture->GetGL();
  std::vector<unsigned char> out;
  if (!gl) return out;
  unsigned char *copy = gl->AllocAndGetTextureImageData();
  if (!copy) return out;
  out.assign(copy, copy + gl->GetAllocatedTextureImageDataSize());
  gl->FreeAllocatedTextureImageData();
  return out;
}

}  // namespace qwtest
