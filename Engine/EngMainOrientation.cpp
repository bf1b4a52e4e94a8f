#include "Engine/EngMainOrientation.h"

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngWindow.h"

_EngOrientation eng_main_orientation = ENG_ORIENTATION_PORTRAIT;
EngInt32 eng_main_orientation_alt = 0;

void EngMainOrientationResetForTests() {
  eng_main_orientation = ENG_ORIENTATION_PORTRAIT;
  eng_main_orientation_alt = 0;
}

void EngMainSetOrientation(_EngOrientation orientation) {
  eng_main_orientation = orientation;
  // The mappings always work unrotated.
  eng_main_orientation_alt = 0;
}

_EngOrientation EngMainGetOrientation() { return eng_main_orientation; }

// The desktop has no device orientation to read.
_EngOrientation EngMainUpdateOrientationFromDevice() { return eng_main_orientation; }

EngInt32 EngMainGetOrientationAlt() { return eng_main_orientation_alt; }

char EngMainIsOrientationPortraitOrPortraitUpsideDown(_EngOrientation orientation) { return orientation < 2; }
char EngMainIsOrientationPortraitOrPortraitUpsideDown() {
  return EngMainIsOrientationPortraitOrPortraitUpsideDown(eng_main_orientation);
}
char EngMainIsOrientationLandscapeLeftOrLandscapeRight(_EngOrientation orientation) { return orientation > 1; }
char EngMainIsOrientationLandscapeLeftOrLandscapeRight() {
  return EngMainIsOrientationLandscapeLeftOrLandscapeRight(eng_main_orientation);
}

void EngMainSetOrientationFromStartupOrientation(_EngStartupOrientation startup) {
  _EngOrientation o = eng_main_orientation;
  if (startup == ENG_STARTUP_ORIENTATION_PORTRAIT) {
    if (o != ENG_ORIENTATION_PORTRAIT && o != ENG_ORIENTATION_PORTRAIT_UPSIDE_DOWN)
      EngMainSetOrientation(ENG_ORIENTATION_PORTRAIT);
  } else if (startup == ENG_STARTUP_ORIENTATION_LANDSCAPE) {
    if (o != ENG_ORIENTATION_LANDSCAPE_LEFT && o != ENG_ORIENTATION_LANDSCAPE_RIGHT)
      EngMainSetOrientation(ENG_ORIENTATION_LANDSCAPE_LEFT);
  }
}

const char *EngMainGetOrientationAsString(_EngOrientation orientation) {
  switch (orientation) {
    case ENG_ORIENTATION_UNSET: return "Unset";
    case ENG_ORIENTATION_PORTRAIT: return "Portrait";
    case ENG_ORIENTATION_PORTRAIT_UPSIDE_DOWN: return "PortraitUpsideDown";
    case ENG_ORIENTATION_LANDSCAPE_LEFT: return "LandscapeLeft";
    case ENG_ORIENTATION_LANDSCAPE_RIGHT: return "LandscapeRight";
  }
  DebugErrorAlt(ENG_FUNC, "Unexpected orientation %d.", int(orientation));
  return "?";
}

char EngMainChangeMousePosRatioedForOrientation(float x, float y, float *out_x, float *out_y) {
  if (eng_main_window_width <= 0 || eng_main_window_height <= 0) return 0;
  EngWindowPixelToDesign(x, y, out_x, out_y);
  return 1;
}

char EngMainChangeMousePosRatioedForOrientation(int x, int y, int *out_x, int *out_y) {
  float fx = 0, fy = 0;
  if (!EngMainChangeMousePosRatioedForOrientation(float(x), float(y), &fx, &fy)) return 0;
  if (out_x) *out_x = int(fx);
  if (out_y) *out_y = int(fy);
  return 1;
}

char EngMainChangeMousePosRatioedForOrientation(float *x, float *y) {
  float in_x = x ? *x : 0.0f, in_y = y ? *y : 0.0f;
  return EngMainChangeMousePosRatioedForOrientation(in_x, in_y, x, y);
}

char EngMainChangeMousePosScreenForOrientation(float x, float y, float *out_x, float *out_y) {
  if (eng_main_window_width <= 0 || eng_main_window_height <= 0) return 0;
  if (out_x) *out_x = x;
  if (out_y) *out_y = y;
  return 1;
}

char EngMainChangeMousePosScreenForOrientation(int x, int y, int *out_x, int *out_y) {
  if (eng_main_window_width <= 0 || eng_main_window_height <= 0) return 0;
  if (out_x) *out_x = x;
  if (out_y) *out_y = y;
  return 1;
}

char EngMainChangeRatioedPosForOrientation(float x, float y, float *out_x, float *out_y) {
  if (out_x) *out_x = x;
  if (out_y) *out_y = y;
  return 1;
}

char EngMainIsCurrentDeviceTypeGL() { return eng_main_device_type == ENG_DEVICE_TYPE_OPENGL; }
char EngMainIsCurrentDeviceTypeDX9() { return 0; }
char EngMainIsCurrentDeviceTypeDX11() { return 0; }

_ColourRGBA *EngMainSetColourRGBA(_ColourRGBA *colour, float r, float g, float b, float a) {
  if (!colour) return colour;
  colour->r = r;
  colour->g = g;
  colour->b = b;
  colour->a = a;
  return colour;
}
