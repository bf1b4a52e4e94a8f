#include "Engine/MWin/MWinTextureLoad.h"

#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"

// A texture that failed to load is deleted here, so callers hold either a loaded one or none.
static EngTexture *KeepIfLoaded(EngTexture *texture, char loaded) {
  if (loaded) {
    MWinPositionTextureFullScreen(texture);
    return texture;
  }
  texture->Destroy();
  delete texture;
  return nullptr;
}

EngTexture *MWinLoadTextureRatioed(const char *file, char with_alpha, char alpha_mode, EngUInt8 file_type) {
  EngTexture *texture = new EngTexture();
  return KeepIfLoaded(texture, texture->LoadFromFileUsingExt(file, with_alpha, alpha_mode, file_type, 0));
}

EngTexture *MWinLoadJpegTextureRatioed(const char *file) {
  EngTexture *texture = new EngTexture();
  return KeepIfLoaded(texture, texture->LoadFromJpegFile(file, 0, 0, 0));
}

void MWinPositionTextureFullScreen(EngTexture *texture) {
  if (texture) texture->PositionRatioed(0, 0, ENG_DESIGN_WIDTH, ENG_DESIGN_HEIGHT);
}

void MWinDrawTexture(EngTexture *texture) {
  if (texture) texture->Draw();
}

void MWinDrawTextureRatioed(EngTexture *texture, float x, float y, float w, float h) {
  if (!texture) return;
  texture->PositionRatioed(x, y, w, h);
  texture->Draw();
}

void MWinReleaseTexture(EngTexture **texture) {
  if (!texture || !*texture) return;
  (*texture)->Destroy();
  delete *texture;
  *texture = nullptr;
}
