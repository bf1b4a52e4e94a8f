#include "tests/Engine/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <zlib.h>

namespace qwimage {

std::string Logged(const std::function<void()> &action) {
  testing::internal::CaptureStderr();
  action();
  return testing::internal::GetCapturedStderr();
}

std::string TgaFile(int width, int height, int bits, const std::vector<uint8_t> &pixels, uint8_t descriptor) {
  std::string file(18, '\0');
  file[2] = 2;
  file[12] = char(width & 0xff);
  file[13] = char(width >> 8);
  file[14] = char(height & 0xff);
  file[15] = char(height >> 8);
  file[16] = char(bits);
  file[17] = char(descriptor);
  file.append(pixels.begin(), pixels.end());
  return file;
}

static void PutBE32(std::string *out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out->push_back(char((value >> shift) & 0xff));
}

static void PngChunk(std::string *out, const char *type, const std::string &body) {
  PutBE32(out, uint32_t(body.size()));
  std::string typed = std::string(type, 4) + body;
  out->append(typed);
  PutBE32(out, uint32_t(crc32(0, reinterpret_cast<const Bytef *>(typed.data()), uInt(typed.size()))));
}

std::string PngFile(int width, int height, int colour_type, const std::vector<uint8_t> &pixels) {
  return PngFile(width, height, colour_type, pixels, PngExtras());
}

static int Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = abs(p - a), pb = abs(p - b), pc = abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

std::string PngFile(int width, int height, int colour_type, const std::vector<uint8_t> &pixels,
                    const PngExtras &extras) {
  const int channels = colour_type == 0 || colour_type == 3 ? 1 : colour_type == 2 ? 3 : colour_type == 4 ? 2 : 4;
  const int pixel_bytes = channels * extras.bit_depth / 8;
  const size_t row_bytes = size_t(width) * size_t(pixel_bytes);
  std::string raw;
  for (int y = 0; y < height; y++) {
    const uint8_t *row = pixels.data() + size_t(y) * row_bytes;
    const uint8_t *above = y > 0 ? row - row_bytes : nullptr;
    raw.push_back(char(extras.filter));
    for (size_t i = 0; i < row_bytes; i++) {
      const int left = i >= size_t(pixel_bytes) ? row[i - size_t(pixel_bytes)] : 0;
      const int up = above ? above[i] : 0;
      const int up_left = above && i >= size_t(pixel_bytes) ? above[i - size_t(pixel_bytes)] : 0;
      const int predicted = extras.filter == 1   ? left
                            : extras.filter == 2 ? up
                            : extras.filter == 3 ? (left + up) / 2
                            : extras.filter == 4 ? Paeth(left, up, up_left)
                                                 : 0;
      raw.push_back(char((row[i] - predicted) & 0xff));
    }
  }
  uLongf packed_size = compressBound(uLong(raw.size()));
  std::string packed(packed_size, '\0');
  compress(reinterpret_cast<Bytef *>(&packed[0]), &packed_size, reinterpret_cast<const Bytef *>(raw.data()),
           uLong(raw.size()));
  packed.resize(packed_size);

  std::string file = "\x89PNG\r\n\x1a\n";
  std::string header;
  PutBE32(&header, uint32_t(width));
  PutBE32(&header, uint32_t(height));
  header += char(extras.bit_depth);
  header += char(colour_type);
  header += std::string(2, '\0') + char(extras.interlace);
  PngChunk(&file, "IHDR", header);
  if (!extras.palette.empty()) PngChunk(&file, "PLTE", extras.palette);
  if (!extras.transparency.empty()) PngChunk(&file, "tRNS", extras.transparency);
  PngChunk(&file, "IDAT", packed);
  PngChunk(&file, "IEND", "");
  return file;
}

std::string JpegFile(int width, int height, int components, const std::vector<uint8_t> &pixels, int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char *output = nullptr;
  unsigned long output_size = 0;
  jpeg_mem_dest(&cinfo, &output, &output_size);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = components;
  cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + size_t(cinfo.next_scanline) * width * components);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string file(reinterpret_cast<char *>(output), output_size);
  free(output);
  return file;
}

}  // namespace qwimage
