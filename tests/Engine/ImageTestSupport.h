// Helpers for the picture tests: capturing what an action logged, and writing small picture
// files (TGA byte by byte, PNG with zlib and CRC by hand, JPEG through libjpeg).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qwimage {

std::string Logged(const std::function<void()> &action);

// An 18-byte TGA header followed by the given pixel bytes (rows as given).
std::string TgaFile(int width, int height, int bits, const std::vector<uint8_t> &pixels, uint8_t descriptor = 0);

// A PNG of 8-bit samples: colour type 0 grey, 2 RGB, 4 grey and alpha, 6 RGBA; rows top first.
std::string PngFile(int width, int height, int colour_type, const std::vector<uint8_t> &pixels);

// What else a PNG may hold: PLTE and tRNS bodies (written before the pixels when not empty),
// the filter of every row (0 none, 1 sub, 2 up, 3 average, 4 Paeth), and the header's bit depth
// and interlace method (the pixels are given at that depth, rows as stored).
struct PngExtras {
  std::string palette, transparency;
  int filter = 0, bit_depth = 8, interlace = 0;
};
// Colour type 3 takes one palette index a pixel.
std::string PngFile(int width, int height, int colour_type, const std::vector<uint8_t> &pixels,
                    const PngExtras &extras);

// A baseline JPEG through libjpeg: 1 component (grey) or 3 (RGB), rows top first.
std::string JpegFile(int width, int height, int components, const std::vector<uint8_t> &pixels, int quality = 95);

}  // namespace qwimage
