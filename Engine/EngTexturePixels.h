// Pixel helpers shared by the picture decoders and the textures: alpha made from a pixel's
// brightness, the per-byte average of two 32-bit pixels, and the largest picture the
// decoders accept (a file's header is never trusted to size an allocation on its own).
#pragma once

#include "Engine/EngTypes.h"

// Sides above this, or more pixels than ENG_IMAGE_MAX_PIXELS, are refused by every decoder.
enum { ENG_IMAGE_MAX_SIDE = 16384, ENG_IMAGE_MAX_PIXELS = 8192 * 8192 };

// 1 when a picture of width x height pixels may be decoded (both sides positive, within the
// limits above).
char EngImageIsSizeAllowed(EngInt64 width, EngInt64 height);

// The alpha of a pixel by alpha mode (0..9, see the texture loader's table).
EngUInt8 EngTexture_GetPixelAlphaFromBrightness(char alpha_mode, EngUInt8 r, EngUInt8 g, EngUInt8 b);

// Averages each of the four bytes of two pixels as (a + b) >> 1.
EngUInt32 EngTexture_AverageTwoPixels(EngUInt32 first, EngUInt32 second);

// Clears the counters that limit the repeated reports of the alpha function.
void EngTexturePixelsResetForTests();
