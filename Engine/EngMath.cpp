#include "Engine/EngMath.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "Engine/EngDebug.h"
#include "Engine/EngMiscRandom.h"

// ---- Vectors ----

float EngMathGetVectorMagnitudeSquared(const _Vector3d *v) { return v->x * v->x + v->y * v->y + v->z * v->z; }

float EngMathGetVectorMagnitude(const _Vector3d *v) { return sqrtf(EngMathGetVectorMagnitudeSquared(v)); }

float EngMathGetLineLength3D(const _Vector3d *a, const _Vector3d *b) {
  if (!a || !b) return 0;
  _Vector3d d = {b->x - a->x, b->y - a->y, b->z - a->z};
  return EngMathGetVectorMagnitude(&d);
}

float EngMathGetLineLength2D(float x1, float y1, float x2, float y2) { return EngMathGetLineLength2D(x2 - x1, y2 - y1); }

float EngMathGetLineLength2D(float dx, float dy) { return sqrtf(dx * dx + dy * dy); }

float EngMathGetLineLength2D(const _Vector2d *a, const _Vector2d *b) {
  if (!a || !b) return 0;
  return EngMathGetLineLength2D(b->x - a->x, b->y - a->y);
}

float EngMathDotProduct(const _Vector3d *a, const _Vector3d *b) { return a->x * b->x + a->y * b->y + a->z * b->z; }

float EngMathDotProduct2D(const _Vector2d *a, const _Vector2d *b) { return a->x * b->x + a->y * b->y; }

void EngMathGetVectorCrossProduct(_Vector3d *out, const _Vector3d *a, const _Vector3d *b) {
  if (!out || !a || !b) return;
  // Read everything first so out may be a or b.
  _Vector3d r = {a->y * b->z - b->y * a->z, a->z * b->x - b->z * a->x, a->x * b->y - b->x * a->y};
  *out = r;
}

void EngMathUnifyNormal(float *x, float *y, float *z) {
  double dx = *x, dy = *y, dz = *z;
  double len = sqrt(dx * dx + dy * dy + dz * dz);
  if (len == 0) return;
  *x = float(dx / len);
  *y = float(dy / len);
  *z = float(dz / len);
}

void EngMathUnifyNormal(_Vector3d *v) {
  if (v) EngMathUnifyNormal(&v->x, &v->y, &v->z);
}

EngVector *EngMathUnifyNormal(EngVector *v) {
  if (v) EngMathUnifyNormal(&v->x, &v->y, &v->z);
  return v;
}

// ---- Scalars ----

int EngMathAbs(int value) {
  // The most negative int has no positive twin; it stays as it is instead of overflowing.
  return value < 0 ? int(0u - unsigned(value)) : value;
}

float EngMathFabs(float value) { return fabsf(value); }

double EngMathDabs(double value) { return fabs(value); }

// Nearest integer as a double, an exact half going toward zero. Float inputs convert exactly,
// so one routine serves every width.
static double RoundHalfTowardZero(double value) {
  double t = trunc(value);
  if (value > 0) return (value - t > 0.5) ? t + 1 : t;
  double neg = -value;
  return (neg - trunc(neg) > 0.5) ? t - 1 : t;
}

template <typename T>
static T SaturateRounded(double r, T lo, T hi) {
  if (std::isnan(r)) return 0;
  if (r <= double(lo)) return lo;
  if (r >= double(hi)) return hi;
  return T(r);
}

int EngMathRound(float value) { return SaturateRounded<int>(RoundHalfTowardZero(value), INT_MIN, INT_MAX); }

int EngMathRoundDouble(double value) { return SaturateRounded<int>(RoundHalfTowardZero(value), INT_MIN, INT_MAX); }

long EngMathRoundLong(double value) { return SaturateRounded<long>(RoundHalfTowardZero(value), LONG_MIN, LONG_MAX); }

unsigned long EngMathRoundFloatToUnsignedLong(float value) {
  return SaturateRounded<unsigned long>(RoundHalfTowardZero(value), 0, ULONG_MAX);
}

int EngMathGetSignFloat(float value) {
  if (value < 0) return -1;
  if (value > 0) return 1;
  return 0;
}

char EngMathSameSignFloat(float a, float b) { return ((a >= 0 && b >= 0) || (a <= 0 && b <= 0)) ? 1 : 0; }

float EngMathTruncateFloat(float value, int places) {
  if (places != 3) {
    DebugErrorAlt(ENG_FUNC, "Num decimal places = %d not implemented yet", places);
    return value;
  }
  float scaled = value * 1000.0f;
  // Beyond the int range a float has no thousandths left to cut (and the int would overflow).
  if (!(fabsf(scaled) < 2147483648.0f)) return value;
  return float(EngMathRound(scaled)) / 1000.0f;
}

float EngMathClamp(float value, float lo, float hi) {
  if (value < lo) value = lo;
  if (value > hi) value = hi;
  return value;
}

int EngMathClamp(int value, int lo, int hi) {
  if (value < lo) value = lo;
  if (value > hi) value = hi;
  return value;
}

unsigned int EngMathGetClosestPowerOf2Max(unsigned int n) {
  if (n > 0x80000000u) {
    // No power of two fits: doubling would wrap to 0 and never end.
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  unsigned int p = 1;
  while (p < n) p <<= 1;
  return p;
}

// ---- Interpolation, ranges and rectangles ----

float EngMathInterpolateTwoFloats(float a, float b, float t) {
  if (a == b) return a;
  return a + (b - a) * t;
}

char EngMathInterpolateTwoVector3ds(const _Vector3d &a, const _Vector3d &b, float t, _Vector3d *out) {
  if (!out) return 0;
  if (a.x == b.x && a.y == b.y && a.z == b.z) {
    *out = a;
    return 1;
  }
  _Vector3d r = {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
  *out = r;
  return 1;
}

char EngMathInterpolateTwoDimensions(const _Dimension &a, const _Dimension &b, float t, _Dimension *out) {
  if (!out) return 0;
  if (a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height) {
    *out = a;
    return 1;
  }
  _Dimension r = {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.width + (b.width - a.width) * t,
                  a.height + (b.height - a.height) * t};
  *out = r;
  return 1;
}

static bool RangeAxisActive(float lo, float hi) { return !(lo == 0 && hi == 0) && hi >= lo; }

char EngMathCheckIfRange3VarActive(_EngMathRange3Var *range) {
  if (!range) return 0;
  return (RangeAxisActive(range->min_x, range->max_x) || RangeAxisActive(range->min_y, range->max_y) ||
          RangeAxisActive(range->min_z, range->max_z))
             ? 1
             : 0;
}

void EngMathSetVector3dFromRange3Var(_Vector3d *out, _EngMathRange3Var *range) {
  if (!out || !range) return;
  out->x = EngMiscRandRangeFloat(range->min_x, range->max_x, 0);
  out->y = EngMiscRandRangeFloat(range->min_y, range->max_y, 0);
  out->z = EngMiscRandRangeFloat(range->min_z, range->max_z, 0);
}

// The halves, the centre and the far edges; whole-number sizes halve toward zero.
template <typename Dimension, typename Vars>
static void FillCentreAndEdges(const Dimension &dim, Vars *vars) {
  vars->half_width = dim.width / 2;
  vars->half_height = dim.height / 2;
  vars->centre_x = dim.x + vars->half_width;
  vars->right = dim.x + dim.width;
  vars->centre_y = dim.y + vars->half_height;
  vars->bottom = dim.y + dim.height;
}

// The rectangle itself as well.
template <typename Dimension, typename Vars>
static void FillAllVars(const Dimension &dim, Vars *vars) {
  vars->left = dim.x;
  vars->top = dim.y;
  vars->width = dim.width;
  vars->height = dim.height;
  FillCentreAndEdges(dim, vars);
}

// Fills the variables when both pointers are there; a missing one is reported under the caller.
template <typename Dimension, typename Vars>
static char FillChecked(const char *signature, const Dimension *dim, Vars *vars,
                        void (*fill)(const Dimension &, Vars *)) {
  if (!dim || !vars) {
    DebugStandardError(signature, DEBUG_ERR_BAPA);
    return 0;
  }
  fill(*dim, vars);
  return 1;
}

char EngMathFillDimensionVars(const _Dimension *dim, _DimensionVars *vars) {
  return FillChecked(ENG_FUNC, dim, vars, FillCentreAndEdges<_Dimension, _DimensionVars>);
}

char EngMathFillDimensionVars(const _IDimension *dim, _IDimensionVars *vars) {
  return FillChecked(ENG_FUNC, dim, vars, FillCentreAndEdges<_IDimension, _IDimensionVars>);
}

char EngMathFillDimensionVars2(const _Dimension *dim, _DimensionVars2 *vars) {
  return FillChecked(ENG_FUNC, dim, vars, FillAllVars<_Dimension, _DimensionVars2>);
}

char EngMathFillDimensionVars2(const _IDimension *dim, _IDimensionVars2 *vars) {
  return FillChecked(ENG_FUNC, dim, vars, FillAllVars<_IDimension, _IDimensionVars2>);
}

static char PointInArea(float x, float y, const _Dimension *r) {
  return (r->x <= x && x < r->x + r->width && r->y <= y && y < r->y + r->height) ? 1 : 0;
}

char EngMathIsPointInArea(const _Vector2d *p, const _Dimension *r) {
  if (!p || !r) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  return PointInArea(p->x, p->y, r);
}

char EngMathIsPointInArea(float x, float y, _Dimension *r) {
  if (!r) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  return PointInArea(x, y, r);
}

void EngMathAddToArea(_Dimension *area, const _Dimension &d, bool *empty) {
  if (*empty) {
    *area = d;
    *empty = false;
    return;
  }
  const float right = std::max(area->x + area->width, d.x + d.width);
  const float bottom = std::max(area->y + area->height, d.y + d.height);
  area->x = std::min(area->x, d.x);
  area->y = std::min(area->y, d.y);
  area->width = right - area->x;
  area->height = bottom - area->y;
}
