#include "Engine/EngFrameCache.h"

#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"

static bool IsOpenGl() { return eng_main_device_type == ENG_DEVICE_TYPE_OPENGL; }

char EngFrameCacheSave(int slot) { return IsOpenGl() ? EngFrameCacheSave_GL(slot) : 0; }
char EngFrameCacheRestore(int slot) { return IsOpenGl() ? EngFrameCacheRestore_GL(slot) : 0; }
char EngFrameCacheRestoreArea(int slot, float x, float y, float w, float h) {
  return IsOpenGl() ? EngFrameCacheRestoreArea_GL(slot, x, y, w, h) : 0;
}
char EngFrameCacheIsValid(int slot) { return IsOpenGl() ? EngFrameCacheIsValid_GL(slot) : 0; }
void EngFrameCacheInvalidate(int slot) {
  if (IsOpenGl()) EngFrameCacheInvalidate_GL(slot);
}
void EngFrameCacheDeleteGraphics() {
  if (IsOpenGl()) EngFrameCacheDeleteGraphics_GL();
}
