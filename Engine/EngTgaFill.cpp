// EngTga's fills: from raw pixels, another image, a JPEG file and texture-ordered pixel data.
#include "Engine/EngTga.h"

#include <cstdlib>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngMath.h"
#include "Engine/EngProgram.h"

namespace {

struct EngTgaRgba {
  int r, g, b, a;
};

EngTgaRgba Unpack(EngUInt32 word) {
  return {int((word >> 16) & 0xff), int((word >> 8) & 0xff), int(word & 0xff), int(word >> 24)};
}

EngUInt32 Pack(int r, int g, int b, int a) {
  return (EngUInt32(a & 0xff) << 24) | (EngUInt32(r & 0xff) << 16) | (EngUInt32(g & 0xff) << 8) |
         EngUInt32(b & 0xff);
}

int Smallest(const EngTgaRgba &p) {
  int m = p.r < p.g ? p.r : p.g;
  return m < p.b ? m : p.b;
}

int Largest(const EngTgaRgba &p) {
  int m = p.r > p.g ? p.r : p.g;
  return m > p.b ? m : p.b;
}

// The alpha multiplier of the fills.
int MultiplyAlpha(int a, float mult, char invert) {
  if (mult >= 1) return a;
  if (invert) return 255 - int(float(255 - a) * mult);
  return int(float(a) * mult);
}

int Cap(int c) { return c > 255 ? 255 : c; }

EngUInt32 WeightBlend(const EngTgaRgba &s, const EngTgaRgba &d, int w, float mult, char invert) {
  w = MultiplyAlpha(w, mult, invert);
  auto mix = [w](int sc, int dc) {
    int sum = dc * (255 - w) + sc * w;
    return sum >= 255 * 256 ? 255 : Cap(sum / 255);
  };
  return Pack(mix(s.r, d.r), mix(s.g, d.g), mix(s.b, d.b), d.a);
}

EngUInt32 CombineByAlphaType(EngUInt32 source, EngUInt32 dest, _EngTgaAlphaType type, float mult, char invert) {
  EngTgaRgba s = Unpack(source), d = Unpack(dest);
  int a = MultiplyAlpha(s.a, mult, invert);
  int m = Smallest(s);
  switch (type) {
    case 1:
      return Pack(s.r, s.g, s.b, d.a);
    case 9:
      if (a == 255) return source;
      if (a == 0) return dest;
      [[fallthrough]];
    case 4: {
      auto mix = [a](int sc, int dc) { return Cap(sc * a / 255 + dc * (255 - a) / 255); };
      return Pack(mix(s.r, d.r), mix(s.g, d.g), mix(s.b, d.b), d.a);
    }
    case 5:
      return WeightBlend(s, d, m < 191 ? 0 : m, mult, invert);
    case 6:
      return WeightBlend(s, d, 255 - m >= 65 ? 255 : 255 - m, mult, invert);
    case 7:
      return WeightBlend(s, d, m, mult, invert);
    case 8:
      return WeightBlend(s, d, 255 - m, mult, invert);
    case 12:
      if (m == 255) return Pack(d.r, d.g, d.b, a);
      return Pack(d.r * m / 255, d.g * m / 255, d.b * m / 255, a);
    default:
      return source;
  }
}

}  // namespace

char EngTga::FillFromData(int src_width, int src_height, int src_bits, int sx, int sy, int sw, int sh,
                          const void *src, int dx, int dy, int dw, int dh, char flip_h, char flip_v,
                          _EngTgaAlphaType alpha_type, char alpha_only, float alpha_mult, char invert_alpha) {
  if (!src) {
    DebugErrorAlt(ENG_FUNC, "No data");
    return 0;
  }
  if ((src_bits != 24 && src_bits != 32) || src_width < 1) {
    DebugErrorAlt(ENG_FUNC, "Invalid from data");
    return 0;
  }
  if (bits != 32 || width < 1 || height < 1 || !data) {
    DebugErrorAlt(ENG_FUNC, "Invalid dest");
    return 0;
  }
  if (sw < 0) sw = src_width;
  if (sh < 0) sh = src_height;
  if (dw < 0) dw = width;
  if (dh < 0) dh = height;
  if (sx < 0 || sy < 0 || EngInt64(sx) + sw > src_width || EngInt64(sy) + sh > src_height) {
    DebugErrorAlt(ENG_FUNC, "Invalid from sizes");
    return 0;
  }
  if (sw < 1 || sh < 1 || dw < 1 || dh < 1) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return 0;
  }
  if (dx < 0 || dy < 0 || EngInt64(dx) + dw > width || EngInt64(dy) + dh > height) {
    DebugErrorAlt(ENG_FUNC, "Invalid to sizes");
    return 0;
  }
  const unsigned char *bytes = static_cast<const unsigned char *>(src);
  const EngUInt32 *words = static_cast<const EngUInt32 *>(src);
  for (int j = 0; j < dh; j++) {
    int row = int(float(j) * float(sh) / float(dh)) + sy;
    if (row > sy + sh - 1) row = sy + sh - 1;
    // Mirroring the picture and taking the mirrored rectangle reverses the rectangle in place.
    if (flip_v) row = sy + sh - 1 - (row - sy);
    EngUInt32 *target = data + size_t(dy + j) * size_t(width) + size_t(dx);
    for (int i = 0; i < dw; i++) {
      int column = int(float(i) * float(sw) / float(dw)) + sx;
      if (column > sx + sw - 1) column = sx + sw - 1;
      if (flip_h) column = sx + sw - 1 - (column - sx);
      EngUInt32 source;
      if (src_bits == 24) {
        const unsigned char *p = bytes + (size_t(row) * size_t(src_width) + size_t(column)) * 3;
        source = Pack(p[2], p[1], p[0], 255);
      } else {
        source = words[size_t(row) * size_t(src_width) + size_t(column)];
      }
      if (alpha_only)
        target[i] = (target[i] & 0x00ffffffu) |
                    (EngUInt32(MultiplyAlpha(int(source >> 24), alpha_mult, invert_alpha) & 0xff) << 24);
      else
        target[i] = CombineByAlphaType(source, target[i], alpha_type, alpha_mult, invert_alpha);
    }
  }
  return 1;
}

char EngTga::FillFromOtherTga(int sx, int sy, int sw, int sh, EngTga *other, int dx, int dy, int dw, int dh,
                              char flip_h, char flip_v, _EngTgaAlphaType alpha_type, char alpha_only,
                              float alpha_mult, char invert_alpha) {
  if (!other) {
    DebugErrorAlt(ENG_FUNC, "No other tga");
    return 0;
  }
  if (other->width < 1 || other->height < 1 || !other->size || !other->data) {
    DebugErrorAlt(ENG_FUNC, "Invalid other tga");
    return 0;
  }
  return FillFromData(other->width, other->height, other->bits, sx, sy, sw, sh, other->data, dx, dy, dw, dh, flip_h,
                      flip_v, alpha_type, alpha_only, alpha_mult, invert_alpha);
}

char EngTga::FillFromJpeg(int sx, int sy, int sw, int sh, const char *path, int dx, int dy, int dw, int dh,
                          char flip_h, char flip_v, _EngTgaAlphaType alpha_type, char alpha_only, float alpha_mult,
                          char invert_alpha) {
  if (!path || !path[0]) {
    DebugErrorAlt(ENG_FUNC, "No filename.");
    return 0;
  }
  if (!EngFileExists(path, 0)) {
    DebugErrorAlt(ENG_FUNC, "File does not exist <%s>", path);
    return 0;
  }
  if (alpha_type != 0) DebugErrorAlt(ENG_FUNC, "Update this function.");
  // The buffer is taken as three bytes a pixel: other component counts would be misread.
  int components = 0;
  if (!EngJpegGetFileInfo(path, nullptr, nullptr, &components)) return 0;
  if (components != 3) {
    DebugErrorAlt(ENG_FUNC, "Not supported (yet) for jpegs with %d components <%s>", components, path);
    return 0;
  }
  int jpeg_width = 0, jpeg_height = 0;
  unsigned char *rgb = EngJpegReadFileToBuffer(path, &jpeg_width, &jpeg_height);
  if (!rgb) return 0;
  const size_t pixels = size_t(jpeg_width) * size_t(jpeg_height);
  for (size_t i = 0; i < pixels; i++) {
    unsigned char red = rgb[i * 3];
    rgb[i * 3] = rgb[i * 3 + 2];
    rgb[i * 3 + 2] = red;
  }
  char ok = FillFromData(jpeg_width, jpeg_height, 24, sx, sy, sw, sh, rgb, dx, dy, dw, dh, flip_h, flip_v,
                         alpha_type, alpha_only, alpha_mult, invert_alpha);
  free(rgb);
  return ok;
}

char EngTga::CreateFromTextureData(int w, int h, int data_bits, const unsigned char *texture_data) {
  if (!EngMainIsCurrentDeviceTypeGL()) return 0;
  if (!Create(w, h, 32)) return 0;
  return FillFromTextureData_GL(0, 0, w, h, 0, 0, w, h, 0, 0, 2, 1.0f, w, h, data_bits, texture_data);
}

char EngTga::FillFromTextureData(int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh, char flip_h,
                                 char flip_v, _EngTgaAlphaType alpha_type, float level, int data_width,
                                 int data_height, int data_bits, const unsigned char *texture_data) {
  if (!EngMainIsCurrentDeviceTypeGL()) return 0;
  return FillFromTextureData_GL(sx, sy, sw, sh, dx, dy, dw, dh, flip_h, flip_v, alpha_type, level, data_width,
                                data_height, data_bits, texture_data);
}

// Works on pixel data already fetched from GL; it makes no GL call itself.
char EngTga::FillFromTextureData_GL(int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh, char flip_h,
                                    char flip_v, _EngTgaAlphaType alpha_type, float level, int data_width,
                                    int data_height, int data_bits, const unsigned char *texture_data) {
  if (dw < 1 || dh < 1 || sw < 1 || sh < 1) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return 0;
  }
  if (data_width < 1 || data_height < 1) {
    DebugErrorAlt(ENG_FUNC, "Invalid texture dimensions");
    return 0;
  }
  if (bits != 32 || width < 1 || height < 1 || !data) {
    DebugErrorAlt(ENG_FUNC, "Invalid data");
    return 0;
  }
  if (sx < 0 || sy < 0 || dx < 0 || dy < 0 || EngInt64(sx) + sw > data_width || EngInt64(sy) + sh > data_height ||
      EngInt64(dx) + dw > width || EngInt64(dy) + dh > height) {
    DebugErrorAlt(ENG_FUNC, "Invalid sizes");
    return 0;
  }
  if (!texture_data) {
    DebugErrorAlt(ENG_FUNC, "No texture data");
    return 0;
  }
  if (data_bits != 24 && data_bits != 32) {
    DebugErrorAlt(ENG_FUNC, "Unsupported bpp: %d", data_bits);
    return 0;
  }
  const int texel_bytes = data_bits / 8;
  const size_t row_bytes = size_t(data_width) * size_t(texel_bytes);
  for (int y = 0; y < dh; y++) {
    int row = int(float(y) * float(sh) / float(dh)) + sy;
    if (row > data_height - 1) row = data_height - 1;
    if (flip_v) row = data_height - 1 - row;
    EngUInt32 *target = data + size_t(dy + y) * size_t(width) + size_t(dx);
    for (int x = 0; x < dw; x++) {
      int column = int(float(x) * float(sw) / float(dw)) + sx;
      if (column > data_width - 1) column = data_width - 1;
      if (flip_h) column = data_width - 1 - column;
      const unsigned char *texel = texture_data + size_t(row) * row_bytes + size_t(column) * size_t(texel_bytes);
      const int r = texel[0], g = texel[1], b = texel[2];
      const int a = texel_bytes == 4 ? texel[3] : 255;
      const int d = int(target[x] >> 24);
      switch (alpha_type) {
        case 0:
        case 1:
          target[x] = Pack(r, g, b, d);
          break;
        case 2:
          target[x] = Pack(r, g, b, a);
          break;
        case 3:
          target[x] = Pack(r, g, b, 255 - a);
          break;
        default: {
          if (a == 0) break;
          EngTgaRgba texel_colour = {r, g, b, a};
          int coverage;
          if (alpha_type == 11)
            coverage = int(float(255 - Smallest(texel_colour)) * float(a) * level / 255.0f);
          else if (alpha_type == 10)
            coverage = int(float(Largest(texel_colour)) * float(a) * level / 255.0f);
          else if (level > 0 && level < 1)
            coverage = EngMathRound(float(a) * level);
          else if (level == -1.0f)
            coverage = 255 - a;
          else
            coverage = a;
          coverage &= 0xff;
          EngTgaRgba old = Unpack(target[x]);
          auto mix = [coverage](int t, int o) { return Cap(t * coverage / 255 + o * (255 - coverage) / 255); };
          float factor = 1.0f + float(coverage) / 255.0f;
          int alpha = float(d) / 255.0f * factor > 1.0f ? 255 : int(float(d) * factor);
          target[x] = Pack(mix(r, old.r), mix(g, old.g), mix(b, old.b), alpha);
          break;
        }
      }
    }
  }
  return 1;
}
