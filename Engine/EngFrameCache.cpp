#include "Engine/EngFrameCache.h"

#include "Engine/EngMain.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngProgram.h"

char EngFrameCacheSave(int slot) { return EngMainIsCurrentDeviceTypeGL() ? EngFrameCacheSave_GL(slot) : 0; }
char EngFrameCacheRestore(int slot) { return EngMainIsCurrentDeviceTypeGL() ? EngFrameCacheRestore_GL(slot) : 0; }
char EngFrameCacheRestorePart(int slot, const _Dimension *area, const _Dimension *part) {
  return EngMainIsCurrentDeviceTypeGL() && area && part ? EngFrameCacheRestorePart_GL(slot, area, part) : 0;
}
char EngFrameCacheRestoreArea(int slot, float x, float y, float w, float h) {
  const _Dimension area = {x, y, w, h};
  return EngFrameCacheRestorePart(slot, &area, &area);
}
char EngFrameCacheIsValid(int slot) { return EngMainIsCurrentDeviceTypeGL() ? EngFrameCacheIsValid_GL(slot) : 0; }
void EngFrameCacheInvalidate(int slot) {
  if (EngMainIsCurrentDeviceTypeGL()) EngFrameCacheInvalidate_GL(slot);
}
void EngFrameCacheDeleteGraphics() {
  if (EngMainIsCurrentDeviceTypeGL()) EngFrameCacheDeleteGraphics_GL();
}
