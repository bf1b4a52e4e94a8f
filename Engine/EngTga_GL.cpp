// The OpenGL exchanges of EngTga with textures: a texture's pixels fetched into the image
// (scaled, mirrored, blended), an image written into a texture of its size, and a texture's
// pixels laid out as image pixels for saving.
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngTextureGL.h"
#include "Engine/EngTga.h"

char EngTga::FillFromTexture_GL(int sx, int sy, int sw, int sh, EngTexture *texture, int dx, int dy, int dw, int dh,
                                char flip_h, char flip_v, _EngTgaAlphaType alpha_type, float level) {
  EngTextureGL *gl = texture ? texture->GetGL() : nullptr;
  if (!gl || !gl->IsOk()) {
    DebugErrorAlt(ENG_FUNC, "Invalid texture");
    return 0;
  }
  if (!gl->HasGlTexture()) {
    DebugErrorAlt(ENG_FUNC, "Invalid GL texture");
    return 0;
  }
  unsigned char *pixels = gl->AllocAndGetTextureImageData();
  if (!pixels) return 0;
  char ok = FillFromTextureData_GL(sx, sy, sw, sh, dx, dy, dw, dh, flip_h, flip_v, alpha_type, level,
                                   gl->GetWidth(), gl->GetHeight(), gl->GetNumChannels() * 8, pixels);
  gl->FreeAllocatedTextureImageData();
  return ok;
}

char EngTga::FillTexture_GL(EngTexture *texture) {
  EngTextureGL *gl = texture ? texture->GetGL() : nullptr;
  if (!gl || !gl->IsOk() || !data) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return 0;
  }
  if (gl->GetWidth() <= 0 || gl->GetHeight() <= 0) {
    DebugErrorAlt(ENG_FUNC, "Invalid texure");
    return 0;
  }
  if (!gl->HasGlTexture()) {
    DebugErrorAlt(ENG_FUNC, "Invalid texture (2)");
    return 0;
  }
  const int texture_bits = gl->GetNumChannels() * 8;
  if (gl->GetWidth() != width || gl->GetHeight() != height || texture_bits != bits) {
    DebugErrorAlt(ENG_FUNC, "Incompatible texure and data [%dx%dx%d != %dx%dx%d]", gl->GetWidth(), gl->GetHeight(),
                  texture_bits, width, height, bits);
    return 0;
  }
  unsigned char *pixels = gl->AllocAndGetTextureImageData();
  if (!pixels) return 0;
  if (gl->GetNumChannels() != 4) {
    DebugErrorAlt(ENG_FUNC, "Unsupported bpp: %d", texture_bits);
    gl->FreeAllocatedTextureImageData();
    return 0;
  }
  const size_t count = (size_t)width * (size_t)height;
  for (size_t i = 0; i < count; i++) {
    const EngUInt32 word = data[i];
    unsigned char *p = pixels + i * 4;
    p[0] = (unsigned char)(word >> 16);
    p[1] = (unsigned char)(word >> 8);
    p[2] = (unsigned char)word;
    p[3] = (unsigned char)(word >> 24);
  }
  char ok = gl->UpdateTextureFromAllocatedImageData();
  gl->FreeAllocatedTextureImageData();
  return ok;
}

char EngTga::UpdateTexCharBufferFromGlTexture_GL(EngTexture *texture, unsigned char *buffer, EngUInt32 buffer_size) {
  EngTextureGL *gl = texture ? texture->GetGL() : nullptr;
  if (!texture || !buffer || buffer_size == 0) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return 0;
  }
  if (!gl || !gl->IsOk() || gl->GetWidth() <= 0 || gl->GetHeight() <= 0) {
    DebugErrorAlt(ENG_FUNC, "Invalid texure");
    return 0;
  }
  if (!gl->HasGlTexture()) {
    DebugErrorAlt(ENG_FUNC, "Invalid texture (2)");
    return 0;
  }
  const size_t count = (size_t)gl->GetWidth() * (size_t)gl->GetHeight();
  if ((size_t)buffer_size < count * 4) return 0;
  unsigned char *pixels = gl->AllocAndGetTextureImageData();
  if (!pixels) return 0;
  if (gl->GetNumChannels() != 4) {
    DebugErrorAlt(ENG_FUNC, "Unsupported bpp: %d", gl->GetNumChannels() * 8);
    gl->FreeAllocatedTextureImageData();
    return 0;
  }
  for (size_t i = 0; i < count; i++) {
    const unsigned char *p = pixels + i * 4;
    unsigned char *out = buffer + i * 4;
    out[0] = p[2];
    out[1] = p[1];
    out[2] = p[0];
    out[3] = p[3];
  }
  gl->FreeAllocatedTextureImageData();
  return 1;
}
