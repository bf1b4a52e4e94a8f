#include "Engine/EngDim.h"

#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"

static bool IsOpenGl() { return eng_main_device_type == ENG_DEVICE_TYPE_OPENGL; }

void EngDimSetLevel(float level) {
  if (IsOpenGl()) EngDimSetLevel_GL(level);
}
float EngDimGetLevel() { return IsOpenGl() ? EngDimGetLevel_GL() : 0.0f; }
void EngDimTurnOff() {
  if (IsOpenGl()) EngDimTurnOff_GL();
}
char EngDimIsOn() { return IsOpenGl() ? EngDimIsOn_GL() : 0; }
void EngDimDo() {
  if (IsOpenGl()) EngDimDo_GL();
}
void EngDimDarkenScreen(float alpha) {
  if (IsOpenGl()) EngDimDarkenScreen_GL(alpha);
}
void EngDimDeleteGraphics() {
  if (IsOpenGl()) EngDimDeleteGraphics_GL();
}
