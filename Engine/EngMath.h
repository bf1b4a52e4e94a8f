// Geometry, angle, rounding, clamping, interpolation and rectangle helpers over the engine's
// value types. Stateless free functions; angles in radians unless the name says Deg, 360 or 180.
// Matrices live in EngMatrix.
#pragma once

#include "Engine/EngMathTypes.h"

constexpr float ENG_MATH_PI = 3.1415927f;
constexpr float ENG_MATH_TWO_PI = 6.2831855f;

// Vectors
float EngMathGetVectorMagnitudeSquared(const _Vector3d *v);
float EngMathGetVectorMagnitude(const _Vector3d *v);
float EngMathGetLineLength3D(const _Vector3d *a, const _Vector3d *b);
float EngMathGetLineLength2D(float x1, float y1, float x2, float y2);
float EngMathGetLineLength2D(float dx, float dy);
float EngMathGetLineLength2D(const _Vector2d *a, const _Vector2d *b);
float EngMathDotProduct(const _Vector3d *a, const _Vector3d *b);
float EngMathDotProduct2D(const _Vector2d *a, const _Vector2d *b);
void EngMathGetVectorCrossProduct(_Vector3d *out, const _Vector3d *a, const _Vector3d *b);
void EngMathUnifyNormal(float *x, float *y, float *z);
void EngMathUnifyNormal(_Vector3d *v);
EngVector *EngMathUnifyNormal(EngVector *v);

// Scalars. The roundings send an exact half toward zero (2.5 -> 2, -2.5 -> -2); results
// beyond the target type saturate and NaN gives 0.
int EngMathAbs(int value);
float EngMathFabs(float value);
double EngMathDabs(double value);
int EngMathRound(float value);
int EngMathRoundDouble(double value);
long EngMathRoundLong(double value);
unsigned long EngMathRoundFloatToUnsignedLong(float value);
int EngMathGetSignFloat(float value);
char EngMathSameSignFloat(float a, float b);
float EngMathTruncateFloat(float value, int places);
float EngMathClamp(float value, float lo, float hi);
int EngMathClamp(int value, int lo, int hi);
unsigned int EngMathGetClosestPowerOf2Max(unsigned int n);

// Planes and lines
void EngMathGetPlaneFromThreePoints(_Vector3d *p0, _Vector3d *p1, _Vector3d *p2, _EngMathPlane *out);
_EngMathPlane *EngMathNormalisePlane(_EngMathPlane *plane);
void EngMathGetPlaneNormal(_EngMathPlane *plane, _Vector3d *out);
float EngMathGetPlanePointDotProduct(_EngMathPlane *plane, _Vector3d *p);
float EngMathGetSideOfLineAPointIsOn2D(float px, float py, float ax, float ay, float bx, float by);
float EngMathGetSideOfLineAPointIsOn2D(_Vector2d *p, _Vector2d *a, _Vector2d *b);
float EngMathGetDistanceAndSideOfPointFromLine2D(_Vector2d *p, _Vector2d *a, _Vector2d *b);
char EngMathArePointsOnSameSideOfLine(const _Vector3d *p1, const _Vector3d *p2, const _Vector3d *a,
                                      const _Vector3d *b);
char EngMathIsPointInTriangle(const _Vector3d *p, const _Vector3d *a, const _Vector3d *b, const _Vector3d *c);
char EngMathDoesLineIntersectTriangle(_Vector3d *origin, _Vector3d *dir, _Vector3d *a, _Vector3d *b,
                                      _Vector3d *c, float *t, float *u, float *v);

// Angles. The wrapping functions leave a NaN or infinite angle as it is.
float EngMathGetAngleFromDirection(float dx, float dy);
float EngMathGetAngleBetweenTwoPoints(float x1, float y1, float x2, float y2);
float *EngMathKeepAngleBetween0AndTwoPi(float *angle);
float *EngMathKeepAngleBetweenMinusPiAndPi(float *angle);
float *EngMathKeepAngleBetween0And360(float *angle);
float *EngMathKeepAngleBetweenMinus180And180(float *angle);
float EngMathGetDifferenceBetweenAnglesCenterPiRad(float a, float b);
float EngMathAverage2AngsRad(float a, float b);
float EngMathInterpolateTwoAnglesRad(float a, float b, float t);

// Interpolation, ranges and rectangles
float EngMathInterpolateTwoFloats(float a, float b, float t);
char EngMathInterpolateTwoVector3ds(const _Vector3d &a, const _Vector3d &b, float t, _Vector3d *out);
char EngMathInterpolateTwoDimensions(const _Dimension &a, const _Dimension &b, float t, _Dimension *out);
char EngMathCheckIfRange3VarActive(_EngMathRange3Var *range);
void EngMathSetVector3dFromRange3Var(_Vector3d *out, _EngMathRange3Var *range);
char EngMathFillDimensionVars(const _Dimension *dim, _DimensionVars *vars);
char EngMathFillDimensionVars(const _IDimension *dim, _IDimensionVars *vars);
char EngMathFillDimensionVars2(const _Dimension *dim, _DimensionVars2 *vars);
char EngMathFillDimensionVars2(const _IDimension *dim, _IDimensionVars2 *vars);
char EngMathIsPointInArea(const _Vector2d *p, const _Dimension *r);
char EngMathIsPointInArea(float x, float y, _Dimension *r);
// Grows *area to hold d; while *empty is set, d becomes the area and *empty is cleared.
void EngMathAddToArea(_Dimension *area, const _Dimension &d, bool *empty);
