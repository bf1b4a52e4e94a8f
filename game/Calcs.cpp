#include "game/Calcs.h"

#include <cmath>

#include "Engine/EngMath.h"

// Moves one of the two angles by a full turn so that their difference is the short way round.
static void TakeShortWay(float *a, float *b, float half, float full) {
  if (*a >= half && half >= *b && *a - *b > half)
    *b += full;
  else if (*b >= half && half >= *a && *b - *a > half)
    *a += full;
}

float CalcsWrapAng(float a) {
  if (!std::isfinite(a)) return 0.0f;
  // Far-off values would take many steps; fmod lands in the same period.
  if (std::fabs(a) > 64.0f * ENG_MATH_TWO_PI) a = std::fmod(a, ENG_MATH_TWO_PI);
  while (a < 0.0f) a += ENG_MATH_TWO_PI;
  while (a >= ENG_MATH_TWO_PI) a -= ENG_MATH_TWO_PI;
  return a;
}

void CalcsGetCenterOfLine(_IVector2d a, _IVector2d b, _IVector2d *out) {
  if (!out) return;
  out->x = a.x + (b.x - a.x) / 2;
  out->y = a.y + (b.y - a.y) / 2;
}

void CalcsGetCenterOfLineFloat(_Vector2d a, _Vector2d b, _Vector2d *out) {
  if (!out) return;
  out->x = a.x + (b.x - a.x) * 0.5f;
  out->y = a.y + (b.y - a.y) * 0.5f;
}

float CalcsAverage2Angs(float a, float b) {
  TakeShortWay(&a, &b, ENG_MATH_PI, ENG_MATH_TWO_PI);
  return CalcsWrapAng((a + b) * 0.5f);
}

float CalcsAverageAngs(int count, const float *angles) {
  if (count < 1 || !angles) return 0.0f;
  const float *a = angles;
  switch (count) {
    case 1: return a[0];
    case 2: return CalcsAverage2Angs(a[1], a[0]);
    case 3: return CalcsAverage2Angs(CalcsAverage2Angs(a[1], a[0]), a[2]);
    case 4: return CalcsAverage2Angs(CalcsAverage2Angs(a[1], a[0]), CalcsAverage2Angs(a[3], a[2]));
    case 5:
      return CalcsAverage2Angs(CalcsAverage2Angs(CalcsAverage2Angs(a[1], a[0]), CalcsAverage2Angs(a[3], a[2])),
                               a[4]);
    default:
      return CalcsAverage2Angs(CalcsAverage2Angs(CalcsAverage2Angs(a[1], a[0]), CalcsAverage2Angs(a[3], a[2])),
                               CalcsAverage2Angs(a[5], a[4]));
  }
}

float CalcsGetPercOfTwoAngs(float a, float b, float t) {
  TakeShortWay(&a, &b, ENG_MATH_PI, ENG_MATH_TWO_PI);
  return CalcsWrapAng(b + (a - b) * t);
}

float CalcsGetAbsDifferenceOfTwoAngs(float a, float b) {
  TakeShortWay(&a, &b, ENG_MATH_PI, ENG_MATH_TWO_PI);
  return std::fabs(a - b);
}

float CalcsGetAbsDifferenceOfTwoAngsDeg(float a, float b) {
  TakeShortWay(&a, &b, 180.0f, 360.0f);
  return std::fabs(a - b);
}
