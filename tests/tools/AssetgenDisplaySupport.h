// Reading the screen back and saving it as a PNG in the build folder, for the asset display
// tests whose pictures a person looks at.
#pragma once

#include <GL/glew.h>
#include <cairo.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace qwtest {

inline std::string MadeResources() { return BuiltResources() + "/"; }

// The 640 by 480 screen as R, G, B, A bytes, bottom row first.
inline std::vector<unsigned char> ReadScreen() {
  std::vector<unsigned char> rgba(640 * 480 * 4);
  glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return rgba;
}

// The mean colour of a rectangle given from the top left.
inline void MeanColour(const std::vector<unsigned char> &rgba, int x0, int y0, int x1, int y1, double out[3]) {
  out[0] = out[1] = out[2] = 0;
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++)
      for (int c = 0; c < 3; c++) out[c] += rgba[size_t(((479 - y) * 640 + x) * 4 + c)];
  for (int c = 0; c < 3; c++) out[c] /= double((x1 - x0) * (y1 - y0));
}

// Saves the screen as <build folder>/<name>.
inline void SaveScreenPng(const std::vector<unsigned char> &rgba, const std::string &name) {
  cairo_surface_t *s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 640, 480);
  unsigned char *data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < 480; y++)
    for (int x = 0; x < 640; x++) {
      const unsigned char *p = &rgba[size_t(((479 - y) * 640 + x) * 4)];
      uint32_t *d = reinterpret_cast<uint32_t *>(data + size_t(y) * size_t(stride)) + x;
      *d = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    }
  cairo_surface_mark_dirty(s);
  cairo_surface_write_to_png(s, (BinaryDir() + "/" + name).c_str());
  cairo_surface_destroy(s);
}

}  // namespace qwtest
