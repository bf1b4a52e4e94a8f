#include "Engine/EngFrameCache.h"

#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"

static bool IsOpenGl() { return eng_main_device_type == ENG_DEVICE_TYPE_OPENGL; }

char EngFrameCacheSave() { return IsOpenGl() ? EngFrameCacheSave_GL() : 0; }
char EngFrameCacheRestore() { return IsOpenGl() ? EngFrameCacheRestore_GL() : 0; }
char EngFrameCacheRestoreArea(float x, float y, float w, float h) {
  return IsOpenGl() ? EngFrameCacheRestoreArea_GL(x, y, w, h) : 0;
}
char EngFrameCacheIsValid() { return IsOpenGl() ? EngFrameCacheIsValid_GL() : 0; }
void EngFrameCacheInvalidate() {
  if (IsOpenGl()) EngFrameCacheInvalidate_GL();
}
void EngFrameCacheDeleteGraphics() {
  if (IsOpenGl()) EngFrameCacheDeleteGraphics_GL();
}
