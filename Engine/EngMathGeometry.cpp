// Planes, lines, triangles and angles of EngMath.
#include "Engine/EngMath.h"

#include <cmath>

// ---- Planes and lines ----

void EngMathGetPlaneFromThreePoints(_Vector3d *p0, _Vector3d *p1, _Vector3d *p2, _EngMathPlane *out) {
  if (!p0 || !p1 || !p2 || !out) return;
  _Vector3d e1 = {p1->x - p0->x, p1->y - p0->y, p1->z - p0->z};
  _Vector3d e2 = {p2->x - p0->x, p2->y - p0->y, p2->z - p0->z};
  _Vector3d n;
  EngMathGetVectorCrossProduct(&n, &e1, &e2);
  out->a = n.x;
  out->b = n.y;
  out->c = n.z;
  out->d = -(n.x * p0->x + n.y * p0->y + n.z * p0->z);
}

_EngMathPlane *EngMathNormalisePlane(_EngMathPlane *plane) {
  if (!plane) return plane;
  double a = plane->a, b = plane->b, c = plane->c;
  double len = sqrt(a * a + b * b + c * c);
  if (len == 0) return plane;
  plane->a = float(a / len);
  plane->b = float(b / len);
  plane->c = float(c / len);
  plane->d = float(plane->d / len);
  return plane;
}

void EngMathGetPlaneNormal(_EngMathPlane *plane, _Vector3d *out) {
  if (!plane || !out) return;
  out->x = plane->a;
  out->y = plane->b;
  out->z = plane->c;
  EngMathUnifyNormal(out);
}

float EngMathGetPlanePointDotProduct(_EngMathPlane *plane, _Vector3d *p) {
  if (!plane || !p) return 0;
  return plane->a * p->x + plane->b * p->y + plane->c * p->z + plane->d;
}

float EngMathGetSideOfLineAPointIsOn2D(float px, float py, float ax, float ay, float bx, float by) {
  return ax * by - ay * bx + (bx - ax) * py + (ay - by) * px;
}

float EngMathGetSideOfLineAPointIsOn2D(_Vector2d *p, _Vector2d *a, _Vector2d *b) {
  return EngMathGetSideOfLineAPointIsOn2D(p->x, p->y, a->x, a->y, b->x, b->y);
}

float EngMathGetDistanceAndSideOfPointFromLine2D(_Vector2d *p, _Vector2d *a, _Vector2d *b) {
  float cross = EngMathGetSideOfLineAPointIsOn2D(p, a, b);
  float len = EngMathGetLineLength2D(b->x - a->x, b->y - a->y);
  if (len == 0) return cross * 100000.0f;
  return cross / len;
}

char EngMathArePointsOnSameSideOfLine(const _Vector3d *p1, const _Vector3d *p2, const _Vector3d *a,
                                      const _Vector3d *b) {
  _Vector3d ab = {b->x - a->x, b->y - a->y, b->z - a->z};
  _Vector3d ap1 = {p1->x - a->x, p1->y - a->y, p1->z - a->z};
  _Vector3d ap2 = {p2->x - a->x, p2->y - a->y, p2->z - a->z};
  _Vector3d c1, c2;
  EngMathGetVectorCrossProduct(&c1, &ab, &ap1);
  EngMathGetVectorCrossProduct(&c2, &ab, &ap2);
  return EngMathDotProduct(&c1, &c2) >= 0 ? 1 : 0;
}

char EngMathIsPointInTriangle(const _Vector3d *p, const _Vector3d *a, const _Vector3d *b, const _Vector3d *c) {
  if (!EngMathArePointsOnSameSideOfLine(p, a, b, c)) return 0;
  if (!EngMathArePointsOnSameSideOfLine(p, b, a, c)) return 0;
  if (!EngMathArePointsOnSameSideOfLine(p, c, a, b)) return 0;
  return 1;
}

// Moller-Trumbore on the whole line origin + s * dir, so hits behind the origin count too.
char EngMathDoesLineIntersectTriangle(_Vector3d *origin, _Vector3d *dir, _Vector3d *a, _Vector3d *b,
                                      _Vector3d *c, float *t, float *u, float *v) {
  _Vector3d e1 = {b->x - a->x, b->y - a->y, b->z - a->z};
  _Vector3d e2 = {c->x - a->x, c->y - a->y, c->z - a->z};
  _Vector3d p;
  EngMathGetVectorCrossProduct(&p, dir, &e2);
  float det = EngMathDotProduct(&e1, &p);
  if (det > -0.000001f && det < 0.000001f) return 0;
  float inv = 1.0f / det;
  _Vector3d s = {origin->x - a->x, origin->y - a->y, origin->z - a->z};
  *u = EngMathDotProduct(&s, &p) * inv;
  if (*u < 0 || *u > 1) return 0;
  _Vector3d q;
  EngMathGetVectorCrossProduct(&q, &s, &e1);
  *v = EngMathDotProduct(dir, &q) * inv;
  if (*v < 0 || *u + *v > 1) return 0;
  *t = EngMathDotProduct(&e2, &q) * inv;
  return 1;
}

// ---- Angles ----

// Brings a finite angle into [lo, lo + period) with one exact remainder: repeated adding
// would never finish for huge values and accumulates rounding on the way.
static float WrapAngle(float angle, float period, float lo) {
  if (!std::isfinite(angle)) return angle;
  float r = fmodf(angle, period);  // exact, in (-period, period)
  if (r < lo) r += period;
  // Also catches a tiny negative remainder that rounded up to the period when added to it.
  if (r >= lo + period) r -= period;
  return r;
}

float *EngMathKeepAngleBetween0AndTwoPi(float *angle) {
  if (angle) *angle = WrapAngle(*angle, ENG_MATH_TWO_PI, 0.0f);
  return angle;
}

float *EngMathKeepAngleBetweenMinusPiAndPi(float *angle) {
  if (angle) *angle = WrapAngle(*angle, ENG_MATH_TWO_PI, -ENG_MATH_PI);
  return angle;
}

float *EngMathKeepAngleBetween0And360(float *angle) {
  if (angle) *angle = WrapAngle(*angle, 360.0f, 0.0f);
  return angle;
}

float *EngMathKeepAngleBetweenMinus180And180(float *angle) {
  if (angle) *angle = WrapAngle(*angle, 360.0f, -180.0f);
  return angle;
}

float EngMathGetAngleFromDirection(float dx, float dy) {
  float angle;
  if (dx == 0 && dy == 0) return 0;
  if (dx == 0) {
    angle = dy > 0 ? 0.5f * ENG_MATH_PI : 1.5f * ENG_MATH_PI;
  } else if (dy == 0) {
    angle = dx > 0 ? 0.0f : ENG_MATH_PI;
  } else if (dx > 0) {
    angle = float(atan(double(dy) / double(dx)));
    if (dy < 0) angle += ENG_MATH_TWO_PI;
  } else {
    angle = float(atan(double(dy) / double(dx))) + ENG_MATH_PI;
  }
  EngMathKeepAngleBetween0AndTwoPi(&angle);
  return angle;
}

float EngMathGetAngleBetweenTwoPoints(float x1, float y1, float x2, float y2) {
  return EngMathGetAngleFromDirection(x2 - x1, y2 - y1);
}

float EngMathGetDifferenceBetweenAnglesCenterPiRad(float a, float b) {
  float d = a - b;
  if (fabsf(d) >= ENG_MATH_PI) d = (d >= ENG_MATH_PI) ? (a - ENG_MATH_TWO_PI) - b : (a + ENG_MATH_TWO_PI) - b;
  return d;
}

float EngMathAverage2AngsRad(float a, float b) {
  float r;
  if (a >= ENG_MATH_PI && b <= ENG_MATH_PI && a - b > ENG_MATH_PI) {
    r = a + (b + ENG_MATH_TWO_PI - a) * 0.5f;
  } else {
    float a2 = (b >= ENG_MATH_PI && a <= ENG_MATH_PI && b - a > ENG_MATH_PI) ? a + ENG_MATH_TWO_PI : a;
    r = a2 + (b - a2) * 0.5f;
  }
  EngMathKeepAngleBetween0AndTwoPi(&r);
  return r;
}

float EngMathInterpolateTwoAnglesRad(float a, float b, float t) {
  if (a == b) return a;
  EngMathKeepAngleBetweenMinusPiAndPi(&a);
  EngMathKeepAngleBetweenMinusPiAndPi(&b);
  float d = b - a;
  if (fabsf(d) >= ENG_MATH_PI) d = (d >= ENG_MATH_PI) ? (b - ENG_MATH_TWO_PI) - a : (b + ENG_MATH_TWO_PI) - a;
  float r = a + d * t;
  EngMathKeepAngleBetweenMinusPiAndPi(&r);
  return r;
}
