#include "Engine/EngDim.h"

#include "Engine/EngMain.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngProgram.h"

void EngDimSetLevel(float level) {
  if (EngMainIsCurrentDeviceTypeGL()) EngDimSetLevel_GL(level);
}
float EngDimGetLevel() { return EngMainIsCurrentDeviceTypeGL() ? EngDimGetLevel_GL() : 0.0f; }
void EngDimTurnOff() {
  if (EngMainIsCurrentDeviceTypeGL()) EngDimTurnOff_GL();
}
char EngDimIsOn() { return EngMainIsCurrentDeviceTypeGL() ? EngDimIsOn_GL() : 0; }
void EngDimDo() {
  if (EngMainIsCurrentDeviceTypeGL()) EngDimDo_GL();
}
void EngDimDarkenScreen(float alpha) {
  if (EngMainIsCurrentDeviceTypeGL()) EngDimDarkenScreen_GL(alpha);
}
void EngDimDeleteGraphics() {
  if (EngMainIsCurrentDeviceTypeGL()) EngDimDeleteGraphics_GL();
}
