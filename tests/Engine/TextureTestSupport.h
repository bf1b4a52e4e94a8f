// Textures with known pixels for the texture tests, made on the real device.
#pragma once

#include <vector>

#include "Engine/EngTexture.h"

namespace qwtest {

struct Rgba {
  unsigned char r, g, b, a;
};

// A texture of w by h pixels (rows top first) from a colour function; 4 channels with alpha,
// else 3. Fails the running test when the texture cannot be made.
void MakeTexture(EngTexture *texture, int w, int h, bool with_alpha, Rgba (*colour)(int x, int y, int w, int h));
// The texture's pixels read back from GL, rows top first.
std::vector<unsigned char> ReadTexture(EngTexture *texture);

}  // namespace qwtest
