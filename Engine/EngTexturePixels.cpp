#include "Engine/EngTexturePixels.h"

#include "Engine/EngDebug.h"

static int eng_texture_alpha_from_file_reports = 0;
static int eng_texture_unknown_alpha_reports = 0;

char EngImageIsSizeAllowed(EngInt64 width, EngInt64 height) {
  if (width < 1 || height < 1) return 0;
  if (width > ENG_IMAGE_MAX_SIDE || height > ENG_IMAGE_MAX_SIDE) return 0;
  return width * height <= ENG_IMAGE_MAX_PIXELS;
}

// The strongest channel, ties going to red as the table asks.
static EngUInt8 EngTextureDominant(EngUInt8 r, EngUInt8 g, EngUInt8 b) {
  if (r > g && r > b) return r;
  if (g > r && g > b) return g;
  if (b > r && b > g) return b;
  return r;
}

static EngUInt8 EngTextureWeakest(EngUInt8 r, EngUInt8 g, EngUInt8 b) {
  if (r < g && r < b) return r;
  if (g < r && g < b) return g;
  if (b < r && b < g) return b;
  return r;
}

EngUInt8 EngTexture_GetPixelAlphaFromBrightness(char alpha_mode, EngUInt8 r, EngUInt8 g, EngUInt8 b) {
  switch (alpha_mode) {
    case 0:
    case 9:
      return 255;
    case 1:
      return 0;
    case 2:
      if (eng_texture_alpha_from_file_reports < 20) {
        eng_texture_alpha_from_file_reports++;
        DebugErrorAlt(ENG_FUNC, "Alpha from file specified");
      }
      return 0;
    case 3:
      return EngTextureDominant(r, g, b);
    case 4: {
      int d = EngTextureDominant(r, g, b);
      if (d > 63) return 255;
      if (d >= 32) return EngUInt8((d - 32) * 8);
      return 0;
    }
    case 5: {
      int d = EngTextureDominant(r, g, b);
      return d > 31 ? 255 : EngUInt8(d * 8);
    }
    case 6:
      return EngUInt8(255 - EngTextureWeakest(r, g, b));
    case 7: {
      int m = EngTextureWeakest(r, g, b);
      if (m < 192) return 255;
      if (m > 223) return 0;
      return EngUInt8((223 - m) * 8);
    }
    case 8: {
      int m = EngTextureWeakest(r, g, b);
      return m < 224 ? 255 : EngUInt8((255 - m) * 8);
    }
    default:
      if (eng_texture_unknown_alpha_reports < 5) {
        eng_texture_unknown_alpha_reports++;
        DebugErrorAlt(ENG_FUNC, "Unknown alpha type %d", alpha_mode);
      }
      return 0;
  }
}

EngUInt32 EngTexture_AverageTwoPixels(EngUInt32 first, EngUInt32 second) {
  EngUInt32 result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    EngUInt32 a = (first >> shift) & 0xff, b = (second >> shift) & 0xff;
    result |= ((a + b) >> 1) << shift;
  }
  return result;
}

void EngTexturePixelsResetForTests() {
  eng_texture_alpha_from_file_reports = 0;
  eng_texture_unknown_alpha_reports = 0;
}
