// Texture pixel editing in OpenGL: the whole GL image read back into a CPU copy, worked on
// there (pixel access, rectangle transforms, copies from other textures) and uploaded again.
#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMemory.h"
#include "Engine/EngTextureGL.h"

unsigned char *EngTextureGL::AllocAndGetTextureImageData() {
  if (!m_created || !m_gl_exists || !eng_gl_3d_setup) {
    DebugErrorAlt(ENG_FUNC, "Texture not ok");
    return nullptr;
  }
  if (m_image_copy_allocated) {
    DebugErrorAlt(ENG_FUNC, "Warning - data already allocated");
    FreeAllocatedTextureImageData();
  }
  GLenum format = EngTextureGL_GetTypeFromNumChannels(m_gl_channels);
  size_t bytes = (size_t)m_gl_width * (size_t)m_gl_height * (size_t)m_gl_channels;
  if (!format || bytes == 0) {
    DebugErrorAlt(ENG_FUNC, "Texture not ok");
    return nullptr;
  }
  unsigned char *copy = (unsigned char *)EngMalloc(bytes, ENG_FUNC, 0);
  if (!copy) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return nullptr;
  }
  glBindTexture(GL_TEXTURE_2D, m_gl_name);
  glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, copy);
  glBindTexture(GL_TEXTURE_2D, 0);
  m_image_copy = copy;
  m_image_copy_allocated = 1;
  return copy;
}

unsigned char *EngTextureGL::AllocEmptyTextureImageData(char zero) {
  if (!m_created || !m_gl_exists) {
    DebugErrorAlt(ENG_FUNC, "Texture not ok");
    return nullptr;
  }
  if (m_in_memory) {
    DebugErrorAlt(ENG_FUNC, "Texture is still in memory");
    return nullptr;
  }
  if (m_gl_width <= 0 || m_gl_height <= 0 || (m_gl_channels != 3 && m_gl_channels != 4)) {
    DebugErrorAlt(ENG_FUNC, "Error: Unsupported texture [ %d x %d x %d]", m_gl_width, m_gl_height, m_gl_channels * 8);
    return nullptr;
  }
  if (m_image_copy_allocated) FreeAllocatedTextureImageData();
  size_t bytes = (size_t)m_gl_width * (size_t)m_gl_height * (size_t)m_gl_channels;
  unsigned char *copy = (unsigned char *)EngMalloc(bytes, ENG_FUNC, zero);
  if (!copy) {
    DebugErrorAlt(ENG_FUNC, "No memory [%lu]", (unsigned long)bytes);
    return nullptr;
  }
  m_image_copy = copy;
  m_image_copy_allocated = 1;
  return copy;
}

EngUInt32 EngTextureGL::GetAllocatedTextureImageDataSize() const {
  if (!m_image_copy_allocated) return 0;
  return (EngUInt32)((size_t)m_gl_width * (size_t)m_gl_height * (size_t)m_gl_channels);
}

char EngTextureGL::UpdateTextureFromData(const unsigned char *buffer) {
  if (!m_created || !m_gl_exists || !eng_gl_3d_setup) {
    DebugErrorAlt(ENG_FUNC, "Texture not setup");
    return 0;
  }
  if (!buffer) {
    DebugErrorAlt(ENG_FUNC, "No data");
    return 0;
  }
  GLenum format = EngTextureGL_GetTypeFromNumChannels(m_gl_channels);
  ForgetPicture();
  EngTextureNoteUpload();
  glBindTexture(GL_TEXTURE_2D, m_gl_name);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, m_gl_width, m_gl_height, format, GL_UNSIGNED_BYTE, buffer);
  glBindTexture(GL_TEXTURE_2D, 0);
  return 1;
}

char EngTextureGL::UpdateTextureFromAllocatedImageData() {
  if (!m_image_copy_allocated || !m_image_copy) {
    DebugErrorAlt(ENG_FUNC, "Data not allocated");
    return 0;
  }
  return UpdateTextureFromData(m_image_copy);
}

char EngTextureGL::FreeAllocatedTextureImageData() {
  if (m_image_copy_allocated && !m_image_copy) {
    m_image_copy_allocated = 0;
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  if (m_image_copy) EngFree(m_image_copy, 0, ENG_FUNC);
  m_image_copy = nullptr;
  m_image_copy_allocated = 0;
  return 1;
}

char EngTextureGL::PrepareToGetPixelData(_EngTextureGetPixelDataInfo *info) {
  if (!info) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  info->reserved = 0;
  info->pitch = 0;
  info->data = AllocAndGetTextureImageData();
  if (!info->data) return 0;
  info->pitch = (EngUInt32)(m_gl_channels * m_gl_width);
  return 1;
}

char EngTextureGL::GetPixelData(EngInt32 x, EngInt32 y, EngUInt8 *r, EngUInt8 *g, EngUInt8 *b, EngUInt8 *a) {
  if (!m_image_copy || (m_gl_channels != 3 && m_gl_channels != 4)) return 0;
  if (x < 0 || y < 0 || x >= m_gl_width || y >= m_gl_height) {
    DebugErrorAlt(ENG_FUNC, "Invalid pixel [%d,%d]", x, y);
    return 0;
  }
  const unsigned char *p = m_image_copy + ((size_t)y * (size_t)m_gl_width + (size_t)x) * (size_t)m_gl_channels;
  if (r) *r = p[0];
  if (g) *g = p[1];
  if (b) *b = p[2];
  if (a) *a = m_gl_channels == 4 ? p[3] : 1;
  return 1;
}

char EngTextureGL::SetPixelData(EngInt32 x, EngInt32 y, EngUInt8 r, EngUInt8 g, EngUInt8 b, EngUInt8 a) {
  if (!m_image_copy || (m_gl_channels != 3 && m_gl_channels != 4)) return 0;
  if (x < 0 || y < 0 || x >= m_gl_width || y >= m_gl_height) {
    DebugErrorAlt(ENG_FUNC, "Invalid pixel [%d,%d]", x, y);
    return 0;
  }
  unsigned char *p = m_image_copy + ((size_t)y * (size_t)m_gl_width + (size_t)x) * (size_t)m_gl_channels;
  p[0] = r;
  p[1] = g;
  p[2] = b;
  if (m_gl_channels == 4) p[3] = a;
  return 1;
}

char EngTextureGL::RestoreAfterGettingPixelData(_EngTextureGetPixelDataInfo *info) {
  char ok = FreeAllocatedTextureImageData();
  if (info) *info = {0, 0, nullptr};
  return ok;
}

char EngTextureGL::SetTextureFromExternalPixelDataBuffer(const unsigned char *buffer, char with_alpha) {
  if (!((m_gl_channels == 4 && with_alpha) || (m_gl_channels == 3 && !with_alpha))) {
    DebugErrorAlt(ENG_FUNC, "Num channels inconsistency (%d,%d)", m_gl_channels, with_alpha);
    return 0;
  }
  return UpdateTextureFromData(buffer);
}

static unsigned char TransformChannel(EngInt32 mode, unsigned char c, float v) {
  switch (mode) {
    case 0: return v >= 0.0f ? (unsigned char)std::min(255.0f, v * 255.0f) : c;
    case 1: return v == 1.0f ? (unsigned char)(255 - c) : c;
    case 2: return v >= 0.0f ? (unsigned char)std::min(255.0f, (float)c * v) : c;
    case 3: return v >= 0.0f ? (unsigned char)std::min(255.0, pow((double)c / 255.0, (double)v) * 255.0) : c;
    default: return c;
  }
}

char EngTextureGL::TransformPixels(EngInt32 mode, EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h, float r, float g,
                                   float b, float a) {
  if (!m_created || !m_gl_exists) {
    DebugErrorAlt(ENG_FUNC, "Texture not ok");
    return 0;
  }
  if (m_gl_channels != 3 && m_gl_channels != 4) {
    DebugErrorAlt(ENG_FUNC, "Unsupported bpp [%d]", m_gl_channels * 8);
    return 0;
  }
  if (w < 0) w = m_gl_width;
  if (h < 0) h = m_gl_height;
  if (x < 0 || w <= 0 || x + w > m_gl_width || y < 0 || h <= 0 || y + h > m_gl_height) {
    DebugErrorAlt(ENG_FUNC, "Invalid sizes");
    return 0;
  }
  unsigned char *copy = AllocAndGetTextureImageData();
  if (!copy) return 0;
  const float values[4] = {r, g, b, a};
  const int channels = m_gl_channels;
  for (EngInt32 row = y; row < y + h; row++) {
    unsigned char *p = copy + ((size_t)row * (size_t)m_gl_width + (size_t)x) * (size_t)channels;
    for (EngInt32 col = 0; col < w; col++, p += channels)
      for (int c = 0; c < channels; c++) p[c] = TransformChannel(mode, p[c], values[c]);
  }
  char ok = UpdateTextureFromAllocatedImageData();
  FreeAllocatedTextureImageData();
  return ok;
}

// The source's image copy; a copy from this very texture gets a separate block so reading
// the target's copy does not free it. Free with ReleaseSourceCopy.
static unsigned char *GetSourceCopy(EngTextureGL *source, EngTextureGL *target) {
  unsigned char *copy = source->AllocAndGetTextureImageData();
  if (!copy || source != target) return copy;
  EngUInt32 size = source->GetAllocatedTextureImageDataSize();
  unsigned char *own = (unsigned char *)EngMalloc(size, ENG_FUNC, 0);
  if (own) memcpy(own, copy, size);
  source->FreeAllocatedTextureImageData();
  return own;
}

static void ReleaseSourceCopy(EngTextureGL *source, EngTextureGL *target, unsigned char *copy) {
  if (source != target)
    source->FreeAllocatedTextureImageData();
  else if (copy)
    EngFree(copy, 0, ENG_FUNC);
}

char EngTextureGL::CopyPartFromAnotherTexture(EngTexture *from, float fx, float fy, float fw, float fh, float tx,
                                              float ty, float tw, float th, char blend,
                                              const _EngTextureCopyPartSettings *settings) {
  EngTextureGL *src = from ? from->GetGL() : nullptr;
  if (!src) {
    DebugErrorAlt(ENG_FUNC, "From texture not ok");
    return 0;
  }
  if (!src->IsOk() || !src->HasGlTexture()) {
    DebugErrorAlt(ENG_FUNC, "From texture not ok (2)");
    return 0;
  }
  if (!m_created || !m_gl_exists) {
    DebugErrorAlt(ENG_FUNC, "To texture not ok");
    return 0;
  }
  const int sch = src->m_gl_channels, dch = m_gl_channels;
  if (sch != 3 && sch != 4) {
    DebugErrorAlt(ENG_FUNC, "BPP %d (from) not supported", sch * 8);
    return 0;
  }
  if (dch != 3 && dch != 4) {
    DebugErrorAlt(ENG_FUNC, "BPP %d (to) not supported", dch * 8);
    return 0;
  }
  const EngInt32 sw = src->m_gl_width, sh = src->m_gl_height;
  if (fw < 0) fw = (float)sw;
  if (fh < 0) fh = (float)sh;
  if (tw < 0) tw = (float)m_gl_width;
  if (th < 0) th = (float)m_gl_height;
  if (fw <= 0 || fh <= 0) {
    DebugErrorAlt(ENG_FUNC, "Invalid from sizes");
    return 0;
  }
  if (tw <= 0 || th <= 0) {
    DebugErrorAlt(ENG_FUNC, "Invalid to sizes");
    return 0;
  }
  unsigned char *source = GetSourceCopy(src, this);
  unsigned char *target = source ? AllocAndGetTextureImageData() : nullptr;
  if (!source || !target) {
    ReleaseSourceCopy(src, this, source);
    FreeAllocatedTextureImageData();
    return 0;
  }
  const EngInt32 type = settings ? settings->blend_type : 0;
  char ok = 1, reported = 0;
  auto report_once = [&reported](const char *text) {
    if (!reported) DebugErrorAlt("char EngTextureGL::CopyPartFromAnotherTexture()", "%s", text);
    reported = 1;
  };
  auto source_index = [](EngInt32 t, float to, float tsize, float fo, float fsize) {
    EngInt32 s = (EngInt32)(((float)t - to) * fsize / tsize + fo);
    if ((float)s < fo) s = (EngInt32)fo;
    if ((float)s >= fo + fsize) s = (EngInt32)(fo + fsize);
    return s;
  };
  for (EngInt32 j = (EngInt32)ty; ok && j < (EngInt32)(ty + th); j++) {
    EngInt32 sr = source_index(j, ty, th, fy, fh);
    if (j < 0 || j >= m_gl_height || sr < 0 || sr >= sh) continue;
    for (EngInt32 i = (EngInt32)tx; i < (EngInt32)(tx + tw); i++) {
      EngInt32 sc = source_index(i, tx, tw, fx, fw);
      if (i < 0 || i >= m_gl_width || sc < 0 || sc >= sw) continue;
      const unsigned char *s = source + ((size_t)sr * (size_t)sw + (size_t)sc) * (size_t)sch;
      unsigned char *d = target + ((size_t)j * (size_t)m_gl_width + (size_t)i) * (size_t)dch;
      if (sch == 3) {
        if (type == 1) {
          report_once("Multiply blend type for 24-bit not implemented yet");
        } else if (dch != 3) {
          DebugErrorAlt(ENG_FUNC, "From BPP 24, To BPP %d not supported", dch * 8);
          ok = 0;
          break;
        } else {
          memcpy(d, s, 3);
        }
      } else if (blend && (type == 1 || type == 2)) {
        if (dch == 3) {
          report_once("Multiply blend type with not implemented yet for 24 bit source tex");
          continue;
        }
        int m = std::min(s[0], std::min(s[1], s[2]));
        for (int c = 0; c < 3; c++) {
          int v = d[c] * m / 255 + (type == 1 ? s[c] * (255 - m) / 255 : 0);
          d[c] = (unsigned char)std::min(255, v);
        }
        d[3] = std::max(d[3], s[3]);
      } else if (blend) {
        int a = s[3];
        if (a == 0) continue;
        if (a == 255) {
          memcpy(d, s, (size_t)dch);
          continue;
        }
        for (int c = 0; c < 3; c++) d[c] = (unsigned char)std::min(255, s[c] * a / 255 + d[c] * (255 - a) / 255);
        if (dch == 4) d[3] = (unsigned char)std::max((int)d[3], a);
      } else if (type == 1) {
        report_once("Multiply blend type with non-alpha not implemented yet");
      } else {
        memcpy(d, s, (size_t)dch);
      }
    }
  }
  if (ok) ok = UpdateTextureFromAllocatedImageData();
  ReleaseSourceCopy(src, this, source);
  FreeAllocatedTextureImageData();
  return ok;
}

char EngTextureGL::CopyAlphaChannelFromAnotherTexture(EngTexture *from, EngInt32 fx, EngInt32 fy, EngInt32 fw,
                                                      EngInt32 fh, EngInt32 tx, EngInt32 ty, EngInt32 tw, EngInt32 th) {
  EngTextureGL *src = from ? from->GetGL() : nullptr;
  if (!src) {
    DebugErrorAlt(ENG_FUNC, "From texture not ok");
    return 0;
  }
  if (!src->IsOk() || !src->HasGlTexture()) {
    DebugErrorAlt(ENG_FUNC, "From texture not ok (2)");
    return 0;
  }
  if (!m_created || !m_gl_exists) {
    DebugErrorAlt(ENG_FUNC, "To texture not ok");
    return 0;
  }
  if (src->m_gl_channels != 4) {
    DebugErrorAlt(ENG_FUNC, "%d channels (from) not supported", src->m_gl_channels);
    return 0;
  }
  if (m_gl_channels != 4) {
    DebugErrorAlt(ENG_FUNC, "%d channels (to) not supported", m_gl_channels);
    return 0;
  }
  const EngInt32 sw = src->m_gl_width, sh = src->m_gl_height;
  if (fw < 0) fw = sw;
  if (fh < 0) fh = sh;
  if (tw < 0) tw = m_gl_width;
  if (th < 0) th = m_gl_height;
  if (fx < 0 || fw < 1 || fx + fw > sw || fy < 0 || fh < 1 || fy + fh > sh) {
    DebugErrorAlt(ENG_FUNC, "Invalid from sizes");
    return 0;
  }
  if (tx < 0 || tw < 1 || tx + tw > m_gl_width || ty < 0 || th < 1 || ty + th > m_gl_height) {
    DebugErrorAlt(ENG_FUNC, "Invalid to sizes");
    return 0;
  }
  unsigned char *source = GetSourceCopy(src, this);
  unsigned char *target = source ? AllocAndGetTextureImageData() : nullptr;
  if (!source || !target) {
    ReleaseSourceCopy(src, this, source);
    FreeAllocatedTextureImageData();
    return 0;
  }
  // Rows here count from the bottom of the picture.
  const EngInt32 target_row0 = m_gl_height - ty - th, source_row0 = sh - fy - fh;
  for (EngInt32 k = 0; k < th; k++) {
    const EngInt32 sr = source_row0 + k * fh / th;
    for (EngInt32 l = 0; l < tw; l++) {
      const EngInt32 sc = fx + l * fw / tw;
      const unsigned char *s = source + ((size_t)sr * (size_t)sw + (size_t)sc) * 4;
      unsigned char *d = target + ((size_t)(target_row0 + k) * (size_t)m_gl_width + (size_t)(tx + l)) * 4;
      d[3] = std::max(d[3], s[3]);
    }
  }
  char ok = UpdateTextureFromAllocatedImageData();
  ReleaseSourceCopy(src, this, source);
  FreeAllocatedTextureImageData();
  return ok;
}
