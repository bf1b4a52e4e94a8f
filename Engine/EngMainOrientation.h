// Small engine-wide functions around the main window: the screen orientation, the mapping
// of mouse positions from window pixels into the 640 by 480 design space, the queries for
// the kind of rendering device, and the colour setter. The window owns the pixel size.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngProgram.h"

enum _EngStartupOrientation : EngInt32 {
  ENG_STARTUP_ORIENTATION_KEEP = 0,
  ENG_STARTUP_ORIENTATION_PORTRAIT = 1,
  ENG_STARTUP_ORIENTATION_LANDSCAPE = 2,
};

extern _EngOrientation eng_main_orientation;
extern EngInt32 eng_main_orientation_alt;

void EngMainSetOrientation(_EngOrientation orientation);
_EngOrientation EngMainGetOrientation();
_EngOrientation EngMainUpdateOrientationFromDevice();
EngInt32 EngMainGetOrientationAlt();
char EngMainIsOrientationPortraitOrPortraitUpsideDown();
char EngMainIsOrientationPortraitOrPortraitUpsideDown(_EngOrientation orientation);
char EngMainIsOrientationLandscapeLeftOrLandscapeRight();
char EngMainIsOrientationLandscapeLeftOrLandscapeRight(_EngOrientation orientation);
void EngMainSetOrientationFromStartupOrientation(_EngStartupOrientation startup);
const char *EngMainGetOrientationAsString(_EngOrientation orientation);

char EngMainChangeMousePosRatioedForOrientation(float x, float y, float *out_x, float *out_y);
char EngMainChangeMousePosRatioedForOrientation(int x, int y, int *out_x, int *out_y);
char EngMainChangeMousePosRatioedForOrientation(float *x, float *y);
char EngMainChangeMousePosScreenForOrientation(float x, float y, float *out_x, float *out_y);
char EngMainChangeMousePosScreenForOrientation(int x, int y, int *out_x, int *out_y);
char EngMainChangeRatioedPosForOrientation(float x, float y, float *out_x, float *out_y);

char EngMainIsCurrentDeviceTypeGL();
char EngMainIsCurrentDeviceTypeDX9();
char EngMainIsCurrentDeviceTypeDX11();

_ColourRGBA *EngMainSetColourRGBA(_ColourRGBA *colour, float r, float g, float b, float a);

void EngMainOrientationResetForTests();
