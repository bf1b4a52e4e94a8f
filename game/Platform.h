// The one-letter platform codes that score records carry: the running platform, the names of
// the known codes, and each code's icon drawn from the 4 x 4 sheet "Platform.png".
// Codes made on other platforms stay valid so that scores from elsewhere still show.
#pragma once

#include "Engine/EngMathTypes.h"

char PlatformGetCurrentPlatform(char unused = 0);
const char *PlatformGetCurrentPlatformAsString(char unused = 0);
const char *PlatformGetPlatformAsString(char code);
char PlatformIsPlatformValid(char code, char report);
char PlatformCreateGraphics();
void PlatformDestroyGraphics();
char PlatformAreGraphicsLoaded();
void PlatformDrawIcon(char code, _Dimension *rect, float alpha);

// The icon's cell in the sheet in texture coordinates; 0 for an unknown code.
char PlatformGetIconCell(char code, float *left, float *top, float *right, float *bottom);
// Forgets the sheet (without a device) and the count of unknown codes reported.
void PlatformResetForTests();
