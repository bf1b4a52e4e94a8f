// Texture loading in OpenGL: picture files (JPEG through libjpeg, the rest through the image
// loader) and TGA images decoded into memory, the alpha pass, the power-of-two policy with
// the bilinear rescaler, and the halving of raw pixel buffers to a size limit.
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDeviceGL.h"
#include "Engine/EngFile.h"
#include "Engine/EngImageDecode.h"
#include "Engine/EngImageScaler.h"
#include "Engine/EngMemory.h"
#include "Engine/EngTexturePixels.h"
#include "Engine/EngTextureGL.h"
#include "Engine/EngTga.h"

void EngTextureGL::ReplacePixels(unsigned char *pixels, char from_loader) {
  if (m_pixels) {
    if (m_pixels_from_loader)
      EngImageDecodeFree(m_pixels);
    else
      EngFree(m_pixels, 0, ENG_FUNC);
  }
  m_pixels = pixels;
  m_pixels_from_loader = from_loader;
}

char EngTextureGL::LoadFromFile(const char *name, char with_alpha, char alpha_mode, char) {
  if (m_created) {
    DebugErrorAlt(ENG_FUNC, "Texture already created [filename:%s]", EngReturnSafeString(name));
    return 0;
  }
  if (LoadFromFileToMemory(name, with_alpha, alpha_mode, 1, nullptr) && LoadFromTextureInMemory(nullptr)) {
    // Its sprite outlines are found by this name (see DrawSpriteList).
    const char *slash = strrchr(name, '/');
    const char *base = slash ? slash + 1 : name;
    if (strlen(base) < sizeof(m_picture_name)) strcpy(m_picture_name, base);
    return 1;
  }
  Destroy();
  return 0;
}

char EngTextureGL::LoadFromFileAndShrinkToHalfSize(const char *name, char with_alpha, char alpha_mode, char) {
  if (m_created) {
    DebugErrorAlt(ENG_FUNC, "Texture already created [filename:%s]", EngReturnSafeString(name));
    return 0;
  }
  if (LoadFromFileToMemory(name, with_alpha, alpha_mode, 1, nullptr) && ShrinkDataInMemoryToHalfSize() &&
      LoadFromTextureInMemory(nullptr))
    return 1;
  Destroy();
  return 0;
}

char EngTextureGL::LoadFromTgaData(EngTga *tga, char with_alpha, char alpha_mode, char) {
  if (m_created) {
    DebugErrorAlt(ENG_FUNC, "Texture already created");
    return 0;
  }
  if (LoadFromFileToMemory(nullptr, with_alpha, alpha_mode, 1, tga) && LoadFromTextureInMemory(nullptr)) return 1;
  Destroy();
  return 0;
}

// Decodes a file through the image loader, reporting its failure text.
static unsigned char *DecodeWithLoader(const char *name, int requested, int *w, int *h, int *channels) {
  unsigned char *pixels =
      SOIL_load_OGL_texture_to_memory(name, requested, ENG_SOIL_FLAG_MULTIPLY_ALPHA, w, h, channels);
  if (!pixels) DebugInfoAlt(ENG_FUNC, "%s", EngImageDecodeLastResult());
  return pixels;
}

char EngTextureGL::LoadFromFileToMemory(const char *name, char with_alpha, char alpha_mode, char resample,
                                        EngTga *tga) {
  if (m_in_memory) {
    DebugInfoAlt(ENG_FUNC, "Memory already setup - continuing...");
    FreeTextureInMemory();
  }
  if ((name == nullptr) == (tga == nullptr)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (name && !EngFileExists(name, 0)) {
    DebugErrorAlt(ENG_FUNC, "File does not exist <%s>", name);
    return 0;
  }
  const char luminance = EngTextureGL_Device() && EngTextureGL_Device()->AreLuminanceOnlyTexturesSupported();
  const int requested = with_alpha ? 4 : (luminance ? 0 : 3);
  int w = 0, h = 0, channels = 0;
  unsigned char *pixels = nullptr;
  char from_loader = 0, alpha_pass = 0;

  if (tga) {
    if (!with_alpha || (alpha_mode != 2 && alpha_mode != 9)) {
      DebugErrorAlt(ENG_FUNC, "Not supported for non-alpha textures yet.");
      return 0;
    }
    if (!tga->data || tga->width <= 0 || tga->height <= 0 ||
        (size_t)tga->size != (size_t)tga->width * (size_t)tga->height * 4) {
      DebugErrorAlt(ENG_FUNC, "Bad tga data.");
      return 0;
    }
    w = tga->width;
    h = tga->height;
    channels = 4;
    pixels = (unsigned char *)EngMalloc(tga->size, ENG_FUNC, 0);
    if (!pixels) {
      DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
      return 0;
    }
    const unsigned char *source = (const unsigned char *)tga->data;
    for (size_t i = 0; i < tga->size; i += 4) {
      pixels[i] = source[i + 2];
      pixels[i + 1] = source[i + 1];
      pixels[i + 2] = source[i];
      pixels[i + 3] = source[i + 3];
    }
  } else {
    EngFile file;
    char jpeg = file.OpenForReading(name, 0, 0) && EngImageDecodeIsJpeg(&file);
    file.Close();
    if (jpeg) {
      pixels = EngTextureGL_JpegLoadTextureToData(name, requested, alpha_mode, &w, &h, &channels);
    } else {
      pixels = DecodeWithLoader(name, requested, &w, &h, &channels);
      from_loader = 1;
      alpha_pass = with_alpha && alpha_mode != 2 && alpha_mode != 9;
    }
    if (!pixels) {
      DebugErrorAlt(ENG_FUNC, "Load failed <%s>", name);
      return 0;
    }
    if (luminance && channels != 1 && channels != 3 && channels != 4) {
      DebugErrorAlt(ENG_FUNC, "Unsupported num channels <%d>. Loading again...", channels);
      if (from_loader)
        EngImageDecodeFree(pixels);
      else
        EngFree(pixels, 0, ENG_FUNC);
      pixels = DecodeWithLoader(name, with_alpha ? 4 : 3, &w, &h, &channels);
      from_loader = 1;
      if (!pixels) {
        DebugErrorAlt(ENG_FUNC, "Second load failed <%s>", name);
        return 0;
      }
    }
  }
  m_pixels = pixels;
  m_pixels_from_loader = from_loader;

  char valid = luminance ? (channels >= 1 && channels <= 4 && (!with_alpha || channels == 4 || channels == 2))
                         : ((channels == 3 || channels == 4) && (!with_alpha || channels == 4));
  if (!valid || w <= 0 || h <= 0) {
    ReplacePixels(nullptr, 0);
    DebugErrorAlt(ENG_FUNC, "Invalid num channels <%d> returned.", channels);
    return 0;
  }
  if (alpha_pass) {
    if (channels != 4) {
      ReplacePixels(nullptr, 0);
      DebugErrorAlt(ENG_FUNC, "Custom alpha [%d] with num channels [%d] not supported (yet)", alpha_mode, channels);
      return 0;
    }
    const size_t bytes = (size_t)w * (size_t)h * 4;
    for (size_t i = 0; i < bytes; i += 4) {
      unsigned char *p = m_pixels + i;
      p[3] = alpha_mode == 0   ? 255
             : alpha_mode == 1 ? 0
                               : EngTexture_GetPixelAlphaFromBrightness(alpha_mode, p[0], p[1], p[2]);
    }
  }
  m_mem_width = m_mem_picture_width = w;
  m_mem_height = m_mem_picture_height = h;
  m_mem_channels = channels;
  m_needs_padding = 0;
  m_in_memory = 1;

  EngDeviceGL *device = EngTextureGL_Device();
  if (device && !device->AreExtensionsNotInitialised()) return 1;
  char scale_now = resample || (device && (w > EngTextureGL_SizeLimit() || h > EngTextureGL_SizeLimit()));
  if (!scale_now) {
    m_needs_padding = 1;
    return 1;
  }
  if (!UpscaleImageDataInMemoryToNearestPowerOfTwo(0)) {
    FreeTextureInMemory();
    return 0;
  }
  return 1;
}

char EngTextureGL::UpscaleImageDataInMemoryToNearestPowerOfTwo(char flip) {
  if (!m_pixels || m_mem_width <= 0 || m_mem_height <= 0 || m_mem_channels <= 0) {
    DebugErrorAlt(ENG_FUNC, "Data in memory not setup");
    return 0;
  }
  EngInt32 target_w = 0, target_h = 0;
  EngTextureGetClosestPowerOf2_GL(m_mem_width, m_mem_height, &target_w, &target_h);
  if (target_w == m_mem_width && target_h == m_mem_height) return flip ? InvertImageDataInMemory() : 1;
  const unsigned ch = (unsigned)m_mem_channels;
  unsigned char *scaled = (unsigned char *)EngMalloc((size_t)target_w * (size_t)target_h * ch, ENG_FUNC, 0);
  if (!scaled) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  C2PassScale<CBilinearFilter> scaler;
  if (!scaler.Scale(m_pixels, ch, (unsigned)m_mem_width, (unsigned)m_mem_width * ch, (unsigned)m_mem_height, scaled,
                    (unsigned)target_w, (unsigned)target_w * ch, (unsigned)target_h, flip)) {
    EngFree(scaled, 0, ENG_FUNC);
    return 0;
  }
  ReplacePixels(scaled, 0);
  m_mem_width = target_w;
  m_mem_height = target_h;
  m_needs_padding = 0;
  return 1;
}

char EngTextureGL::InvertImageDataInMemory() {
  DebugErrorAlt(ENG_FUNC, "Still being called");
  if (!m_pixels || m_mem_width <= 0 || m_mem_height <= 0 || m_mem_channels <= 0) {
    DebugErrorAlt(ENG_FUNC, "Data in memory not setup");
    return 0;
  }
  const size_t row = (size_t)m_mem_width * (size_t)m_mem_channels;
  unsigned char *flipped = (unsigned char *)EngMalloc(row * (size_t)m_mem_height, ENG_FUNC, 0);
  if (!flipped) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  for (EngInt32 y = 0; y < m_mem_height; y++)
    memcpy(flipped + row * (size_t)y, m_pixels + row * (size_t)(m_mem_height - 1 - y), row);
  ReplacePixels(flipped, 0);
  return 1;
}

// --- Raw pixel buffers halved to a size limit ---

// Both reductions: pixel size 4 (32-bit words) or 3 (R, G, B bytes).
static char ReduceData(EngInt32 src_w, EngInt32 src_h, const unsigned char *src, EngInt32 dst_w, EngInt32 dst_h,
                       unsigned char *dst, int pixel, const char *signature) {
  if (src_w <= 0 || src_h <= 0 || dst_w <= 0 || dst_h <= 0 || !src || !dst) {
    DebugStandardError(signature, DEBUG_ERR_BAPA);
    return 0;
  }
  const char shrink_w = dst_w < src_w, shrink_h = dst_h < src_h;
  if (!shrink_w && !shrink_h) {
    DebugErrorAlt(signature, "Nothing to do.");
    for (EngInt32 y = 0; y < dst_h && y < src_h; y++)
      memcpy(dst + (size_t)y * (size_t)dst_w * pixel, src + (size_t)y * (size_t)src_w * pixel,
             (size_t)(dst_w < src_w ? dst_w : src_w) * pixel);
    return 0;
  }
  auto at = [&](EngInt32 x, EngInt32 y) {
    if (x >= src_w) x = src_w - 1;
    if (y >= src_h) y = src_h - 1;
    return src + ((size_t)y * (size_t)src_w + (size_t)x) * pixel;
  };
  auto average = [pixel](const unsigned char *a, const unsigned char *b, unsigned char *out) {
    for (int c = 0; c < pixel; c++) out[c] = (unsigned char)((a[c] + b[c]) >> 1);
  };
  for (EngInt32 y = 0; y < dst_h; y++) {
    for (EngInt32 x = 0; x < dst_w; x++) {
      unsigned char *out = dst + ((size_t)y * (size_t)dst_w + (size_t)x) * pixel;
      const EngInt32 sx = shrink_w ? 2 * x : x, sy = shrink_h ? 2 * y : y;
      if (shrink_w && shrink_h) {
        unsigned char upper[4], lower[4];
        average(at(sx, sy), at(sx + 1, sy), upper);
        average(at(sx, sy + 1), at(sx + 1, sy + 1), lower);
        average(upper, lower, out);
      } else if (shrink_w) {
        average(at(sx, sy), at(sx + 1, sy), out);
      } else {
        average(at(sx, sy), at(sx, sy + 1), out);
      }
    }
  }
  return 1;
}

char EngTextureReducePixelsDataSize(EngInt32 src_w, EngInt32 src_h, const EngUInt32 *src, EngInt32 dst_w,
                                    EngInt32 dst_h, EngUInt32 *dst) {
  return ReduceData(src_w, src_h, (const unsigned char *)src, dst_w, dst_h, (unsigned char *)dst, 4, ENG_FUNC);
}

char EngTextureReduceRGBPixelsDataSize(EngInt32 src_w, EngInt32 src_h, const unsigned char *src, EngInt32 dst_w,
                                       EngInt32 dst_h, unsigned char *dst) {
  return ReduceData(src_w, src_h, src, dst_w, dst_h, dst, 3, ENG_FUNC);
}

static char ReduceIfNeeded(_EngTextureReduceTextureDataSizeParms *parms, EngInt32 max, int pixel,
                           const char *signature) {
  if (!parms || parms->width <= 0 || parms->height <= 0 || !parms->data) {
    DebugStandardError(signature, DEBUG_ERR_BAPA);
    return 0;
  }
  if (max <= 0) {
    DebugErrorAlt(signature, "No max texture size.");
    return 0;
  }
  while (parms->width > max || parms->height > max) {
    // A side of one pixel stays one pixel: halving it to nothing would lose the picture.
    EngInt32 new_w = parms->width > 1 ? parms->width / 2 : 1;
    EngInt32 new_h = parms->height > 1 ? parms->height / 2 : 1;
    DebugInfoAlt(signature, "Reducing size to %dx%d as %dx%d is too big (%d).", new_w, new_h, parms->width,
                 parms->height, max);
    unsigned char *reduced = (unsigned char *)EngMalloc((size_t)new_w * (size_t)new_h * pixel, signature, 1);
    if (!reduced) {
      DebugStandardError(signature, DEBUG_ERR_OMEM);
      return 0;
    }
    ReduceData(parms->width, parms->height, (const unsigned char *)parms->data, new_w, new_h, reduced, pixel,
               signature);
    EngFree(parms->data, 0, signature);
    parms->data = reduced;
    parms->width = new_w;
    parms->height = new_h;
  }
  return 1;
}

char EngTexture_ReduceTextureDataSizeIfNeeded(_EngTextureReduceTextureDataSizeParms *parms, EngInt32 max) {
  return ReduceIfNeeded(parms, max, 4, ENG_FUNC);
}

char EngTexture_Reduce24BitTextureDataSizeIfNeeded(_EngTextureReduceTextureDataSizeParms *parms, EngInt32 max) {
  return ReduceIfNeeded(parms, max, 3, ENG_FUNC);
}
