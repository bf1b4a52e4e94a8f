#include "Engine/MWin/MWinTextureLoad.h"

EngTexture *MWinLoadTextureRatioed(const char *file, char with_alpha, char alpha_mode, EngUInt8 file_type) {
  (void)file;
  (void)with_alpha;
  (void)alpha_mode;
  (void)file_type;
  return nullptr;
}

EngTexture *MWinLoadJpegTextureRatioed(const char *file) {
  (void)file;
  return nullptr;
}

void MWinPositionTextureFullScreen(EngTexture *texture) { (void)texture; }

void MWinDrawTexture(EngTexture *texture) { (void)texture; }

void MWinDrawTextureRatioed(EngTexture *texture, float x, float y, float w, float h) {
  (void)texture;
  (void)x;
  (void)y;
  (void)w;
  (void)h;
}

void MWinReleaseTexture(EngTexture **texture) {
  if (texture) *texture = nullptr;
}
