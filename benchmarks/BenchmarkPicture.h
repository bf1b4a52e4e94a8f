// The benchmarks' test picture, a 1024 x 1024 JPEG with detail in every block, and libjpeg's
// own decoder as the baseline the engine's loaders are measured against.
#pragma once

#include <jpeglib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Engine/EngJpeg.h"

namespace qwbench {

const int kPictureSide = 1024;

// A picture with detail in every block, written once per run.
inline const std::string &PicturePath() {
  static const std::string path = [] {
    std::vector<unsigned char> rgb(size_t(kPictureSide) * kPictureSide * 3);
    for (int y = 0; y < kPictureSide; y++)
      for (int x = 0; x < kPictureSide; x++) {
        unsigned char *p = &rgb[(size_t(y) * kPictureSide + x) * 3];
        p[0] = (unsigned char)(x ^ y);
        p[1] = (unsigned char)(x * 3 + y);
        p[2] = (unsigned char)((x * y) >> 6);
      }
    std::string name = "/tmp/qw-bench-" + std::to_string(getpid()) + ".jpg";
    if (!EngJpegWriteFileFromBuffer(name.c_str(), 90, 0, kPictureSide, kPictureSide, rgb.data())) abort();
    return name;
  }();
  return path;
}

// The file decoded by libjpeg alone, row by row into one malloc'd block; free() it.
inline unsigned char *DecodeWithLibjpeg(const char *path, int *width, int *height) {
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
  *width = int(cinfo.output_width);
  *height = int(cinfo.output_height);
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  fclose(file);
  return pixels;
}

}  // namespace qwbench
