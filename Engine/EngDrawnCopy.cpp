#include "Engine/EngDrawnCopy.h"

#include "Engine/EngMainOrientation.h"

char EngDrawnCopySave() { return EngMainIsCurrentDeviceTypeGL() ? EngDrawnCopySave_GL() : 0; }
char EngDrawnCopyRestore() { return EngMainIsCurrentDeviceTypeGL() ? EngDrawnCopyRestore_GL() : 0; }
char EngDrawnCopyIsValid() { return EngMainIsCurrentDeviceTypeGL() ? EngDrawnCopyIsValid_GL() : 0; }
void EngDrawnCopyInvalidate() {
  if (EngMainIsCurrentDeviceTypeGL()) EngDrawnCopyInvalidate_GL();
}
void EngDrawnCopyDeleteGraphics() {
  if (EngMainIsCurrentDeviceTypeGL()) EngDrawnCopyDeleteGraphics_GL();
}
