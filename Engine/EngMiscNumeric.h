// Small numeric helpers of the engine's miscellany: float comparison, sides of lines, powers of
// two, colour conversion and desaturation, a stable insertion sort, byte swapping and packing,
// hexadecimal digits. No state but the colour EngMiscHexColourToRGB returns.
#pragma once

#include <cstddef>

#include "Engine/EngMathTypes.h"

char EngMiscFloatsAreNearlyEqual(float a, float b);
char EngMiscFloatsAreQuiteNearlyEqual(float a, float b);

// Signed: the sign tells the side of the line from a to b on which p lies, 0 on the line.
float EngMiscGetSideOfLinePointIsOn2D(_Vector2d *a, _Vector2d *b, _Vector2d *p);
float EngMiscGetSideOfLinePointIsOn2DXZ(_Vector3d *a, _Vector3d *b, _Vector3d *p);
// Positive when p lies on a's side of the line through b at right angles to ab.
float EngMiscGetSideOfLinePointIsOn2DPerp(_Vector2d *a, _Vector2d *b, _Vector2d *p);
float EngMiscGetSideOfLinePointIsOn2DPerpXZ(_Vector3d *a, _Vector3d *b, _Vector3d *p);

// The nearest power of two (at least 2, halves going up) below 12288, from there the smallest
// power of two not below n.
unsigned EngMiscGetClosestPowerOf2(unsigned n);

void EngMiscDesaturateColour(_ColourRGB *colour, float amount);
// Returns one static colour that the next call overwrites.
_ColourRGB *EngMiscHexColourToRGB(unsigned rgb);
void EngMiscRGB2HSV(float r, float g, float b, float *h, float *s, float *v);

// compare returns a positive value when its first element belongs after its second.
typedef int (*EngMiscCompareFunc)(const void *first, const void *second);
void EngMiscInsertionSort(void *base, unsigned long count, unsigned long size, EngMiscCompareFunc compare);
char EngMiscSwapMemory(void *a, void *b, size_t size);

void EngMiscSwapWords(unsigned int *value);
void EngMiscSwapWords(int *value);
void EngMiscSwapWords(float *value);
void EngMiscSwapBytes(unsigned short *value);
void EngMiscSwapBytes(short *value);

// Most significant byte first, as four-character codes are written.
unsigned EngMiscConvertFourCharsToNumber(const unsigned char *four);
char EngMiscConvertNumberToFourChars(unsigned n, unsigned char *four);

char EngMiscConvertHexCharacterToNumber(char c);
char EngMiscConvertNumberToHexCharacter(char n);

// Not available here: logs so and writes "Not Supported", cut to bits + 1 bytes (the room a
// binary display of that many bits needs).
char *EngMiscShowBinary(unsigned value, int bits, char *buffer);
