#include "Engine/CommonWindowCorner.h"

#include "Engine/EngContext.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"

static float corner_x = 0, corner_y = 0, corner_w = 0, corner_h = 0;

void CommonGetMacWindowCornerArea(float *x, float *y, float *w, float *h) {
  if (x) *x = corner_x;
  if (y) *y = corner_y;
  if (w) *w = corner_w;
  if (h) *h = corner_h;
}

char CommonCreateMacWindowCornerTex() {
  if (!eng_main_window_windowed) return 1;
  corner_w = 14.0f / eng_main_window_x_ratio;
  corner_h = 14.0f / eng_main_window_y_ratio;
  corner_x = 640.0f - corner_w;
  corner_y = 480.0f - corner_h;
  return CommonWindowCornerLoad_GL("WinCorner.tga");
}

void CommonDestroyMacWindowCornerTex() { CommonWindowCornerFree_GL(); }

void CommonRenderMacWindowCorner() {
  if (!eng_main_window_windowed || !eng_main_device || !eng_gl_3d_setup) return;
  CommonWindowCornerDraw_GL(corner_x, corner_y, corner_w, corner_h);
}
