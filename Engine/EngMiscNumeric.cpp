#include "Engine/EngMiscNumeric.h"

#include <cmath>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"

static char FloatsWithin(float a, float b, float bound) {
  if (a == b) return 1;
  if (b == 0) return 0;
  return fabsf((b - a) / b) < bound ? 1 : 0;
}

char EngMiscFloatsAreNearlyEqual(float a, float b) { return FloatsWithin(a, b, 0.001f); }

char EngMiscFloatsAreQuiteNearlyEqual(float a, float b) { return FloatsWithin(a, b, 0.1f); }

static float SideOfLine(float ax, float ay, float bx, float by, float px, float py) {
  return (px - bx) * (by - ay) - (py - by) * (bx - ax);
}

static float SideOfPerpendicular(float ax, float ay, float bx, float by, float px, float py) {
  return (py - by) * (ay - by) + (px - bx) * (ax - bx);
}

float EngMiscGetSideOfLinePointIsOn2D(_Vector2d *a, _Vector2d *b, _Vector2d *p) {
  return SideOfLine(a->x, a->y, b->x, b->y, p->x, p->y);
}

float EngMiscGetSideOfLinePointIsOn2DXZ(_Vector3d *a, _Vector3d *b, _Vector3d *p) {
  return SideOfLine(a->x, a->z, b->x, b->z, p->x, p->z);
}

float EngMiscGetSideOfLinePointIsOn2DPerp(_Vector2d *a, _Vector2d *b, _Vector2d *p) {
  return SideOfPerpendicular(a->x, a->y, b->x, b->y, p->x, p->y);
}

float EngMiscGetSideOfLinePointIsOn2DPerpXZ(_Vector3d *a, _Vector3d *b, _Vector3d *p) {
  return SideOfPerpendicular(a->x, a->z, b->x, b->z, p->x, p->z);
}

unsigned EngMiscGetClosestPowerOf2(unsigned n) {
  if (n > 0x80000000u) {
    // No power of two fits: doubling would wrap to 0 and never end.
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (n < 2) return 2;
  if (n < 12288) {
    // Small sizes go to the nearest power; 1.5 times a power of two goes up.
    unsigned p = 4, limit = 6;
    while (n >= limit) {
      p <<= 1;
      limit <<= 1;
    }
    return p;
  }
  unsigned p = 16384;
  while (p < n) p <<= 1;
  return p;
}

void EngMiscDesaturateColour(_ColourRGB *colour, float amount) {
  if (!colour || !(amount >= 0 && amount <= 1)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  float lo = colour->r;
  if (colour->g < lo) lo = colour->g;
  if (colour->b < lo) lo = colour->b;
  float keep = 1 - amount;
  colour->r = (colour->r - lo) * keep + lo;
  colour->g = (colour->g - lo) * keep + lo;
  colour->b = (colour->b - lo) * keep + lo;
}

_ColourRGB *EngMiscHexColourToRGB(unsigned rgb) {
  static _ColourRGB colour;
  colour.r = float((rgb >> 16) & 255) / 255.0f;
  colour.g = float((rgb >> 8) & 255) / 255.0f;
  colour.b = float(rgb & 255) / 255.0f;
  return &colour;
}

void EngMiscRGB2HSV(float r, float g, float b, float *h, float *s, float *v) {
  float hi = r, lo = r;
  if (g > hi) hi = g;
  if (b > hi) hi = b;
  if (g < lo) lo = g;
  if (b < lo) lo = b;
  if (v) *v = hi;
  if (s) *s = (hi == 0) ? 0.0f : (hi - lo) / hi;
  if (!h) return;
  if (hi == lo) {
    *h = 0.5f;
    return;
  }
  float d = hi - lo;
  float hue;
  if (hi == r) {
    hue = (g - b) / d;
    if (b > g) hue += 6;
  } else if (hi == g) {
    hue = (b - r) / d + 2;
  } else {
    hue = (r - g) / d + 4;
  }
  *h = hue / 6;
}

void EngMiscInsertionSort(void *base, unsigned long count, unsigned long size, EngMiscCompareFunc compare) {
  if (size == 0 || count < 2 || !base || !compare) return;
  unsigned char *key = static_cast<unsigned char *>(EngMalloc(size, ENG_FUNC, 0));
  if (!key) return;
  unsigned char *elems = static_cast<unsigned char *>(base);
  for (unsigned long i = 1; i < count; i++) {
    unsigned char *item = elems + i * size;
    if (compare(item - size, item) < 1) continue;
    memcpy(key, item, size);
    unsigned long j = i - 1;
    while (j > 0 && compare(elems + (j - 1) * size, key) >= 1) j--;
    memmove(elems + (j + 1) * size, elems + j * size, (i - j) * size);
    memcpy(elems + j * size, key, size);
  }
  EngFree(key, 0, ENG_FUNC);
}

char EngMiscSwapMemory(void *a, void *b, size_t size) {
  if (!a || !b || size == 0) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  void *temp = EngMalloc(size, ENG_FUNC, 0);
  if (!temp) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  memmove(temp, a, size);
  memmove(a, b, size);
  memmove(b, temp, size);
  EngFree(temp, 0, ENG_FUNC);
  return 1;
}

static void ReverseBytes(void *value, size_t size) {
  if (!value) return;
  unsigned char *p = static_cast<unsigned char *>(value);
  for (size_t i = 0; i < size / 2; i++) {
    unsigned char t = p[i];
    p[i] = p[size - 1 - i];
    p[size - 1 - i] = t;
  }
}

void EngMiscSwapWords(unsigned int *value) { ReverseBytes(value, 4); }
void EngMiscSwapWords(int *value) { ReverseBytes(value, 4); }
void EngMiscSwapWords(float *value) { ReverseBytes(value, 4); }
void EngMiscSwapBytes(unsigned short *value) { ReverseBytes(value, 2); }
void EngMiscSwapBytes(short *value) { ReverseBytes(value, 2); }

unsigned EngMiscConvertFourCharsToNumber(const unsigned char *four) {
  if (!four) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  return (unsigned(four[0]) << 24) | (unsigned(four[1]) << 16) | (unsigned(four[2]) << 8) | unsigned(four[3]);
}

char EngMiscConvertNumberToFourChars(unsigned n, unsigned char *four) {
  if (!four) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  four[0] = (unsigned char)(n >> 24);
  four[1] = (unsigned char)(n >> 16);
  four[2] = (unsigned char)(n >> 8);
  four[3] = (unsigned char)n;
  return 1;
}

char EngMiscConvertHexCharacterToNumber(char c) {
  if (c >= '0' && c <= '9') return char(c - '0');
  // Plain ASCII lower-casing: tolower is undefined for the negative chars of Latin-1 text.
  int lower = (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
  return char(lower - 87);
}

char EngMiscConvertNumberToHexCharacter(char n) { return "0123456789abcdef"[n & 15]; }

char *EngMiscShowBinary(unsigned, int bits, char *buffer) {
  DebugErrorAlt(ENG_FUNC, "Not supported on unix systems yet");
  // The caller's buffer is only known to hold a display of bits digits and its terminator.
  if (buffer && bits >= 0) EngSafeStrcpy(buffer, "Not Supported", size_t(bits) + 1);
  return buffer;
}
