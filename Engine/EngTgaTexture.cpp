// The portable exchanges of EngTga with textures: they do nothing unless the device kind is
// OpenGL and leave the work to the _GL members.
#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTga.h"

char EngTga::SaveToFileFromTexture(const char *path, EngTexture *texture) {
  if (!EngMainIsCurrentDeviceTypeGL()) return 0;
  if (data || !path || !path[0]) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return 0;
  }
  if (!texture || !texture->IsOk() || texture->GetWidth() <= 0 || texture->GetHeight() <= 0) {
    DebugErrorAlt(ENG_FUNC, "Invalid texture passed in (filename=%s)", path);
    return 0;
  }
  EngTga image;
  if (!image.Create(texture->GetWidth(), texture->GetHeight(), 32)) {
    DebugErrorAlt(ENG_FUNC, "No memory creating file <%s>", path);
    return 0;
  }
  if (!UpdateTexCharBufferFromGlTexture_GL(texture, (unsigned char *)image.data, image.size)) return 0;
  return image.SaveToFile(path);
}

char EngTga::CreateFromTexture(EngTexture *texture) {
  if (!EngMainIsCurrentDeviceTypeGL()) return 0;
  if (!texture || !texture->IsOk()) {
    DebugErrorAlt(ENG_FUNC, "Texture not ok");
    return 0;
  }
  const int w = texture->GetWidth(), h = texture->GetHeight();
  if (!Create(w, h, 32)) return 0;
  return FillFromTexture_GL(0, 0, w, h, texture, 0, 0, w, h, 0, 0, 2, 1.0f);
}

char EngTga::FillFromTexture(int sx, int sy, int sw, int sh, EngTexture *texture, int dx, int dy, int dw, int dh,
                             char flip_h, char flip_v, _EngTgaAlphaType alpha_type, float level) {
  if (!EngMainIsCurrentDeviceTypeGL()) return 0;
  if (texture && sw == -1) sw = texture->GetWidth();
  if (texture && sh == -1) sh = texture->GetHeight();
  if (dw < 0) dw = width;
  if (dh < 0) dh = height;
  return FillFromTexture_GL(sx, sy, sw, sh, texture, dx, dy, dw, dh, flip_h, flip_v, alpha_type, level);
}

char EngTga::FillTexture(EngTexture *texture) {
  if (!EngMainIsCurrentDeviceTypeGL()) return 0;
  return FillTexture_GL(texture);
}
