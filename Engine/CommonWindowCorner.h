// The small "WinCorner.tga" picture drawn in the bottom-right corner of a windowed window,
// 14 by 14 window pixels at any size. Full screen shows nothing. Until the texture module
// lands the picture is held and drawn by a small OpenGL half of its own.
#pragma once

char CommonCreateMacWindowCornerTex();
void CommonDestroyMacWindowCornerTex();
void CommonRenderMacWindowCorner();
// Where the picture goes, in design units (for tests and the drawing half).
void CommonGetMacWindowCornerArea(float *x, float *y, float *w, float *h);

// The OpenGL half.
char CommonWindowCornerLoad_GL(const char *file);
void CommonWindowCornerFree_GL();
void CommonWindowCornerDraw_GL(float x, float y, float w, float h);
