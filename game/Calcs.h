// Angle and midpoint helpers shared by the play-field modules. Angles are radians in
// [0, 2pi) unless the name says Deg; two angles are always combined the short way round.
#pragma once

#include "Engine/EngMathTypes.h"

void CalcsGetCenterOfLine(_IVector2d a, _IVector2d b, _IVector2d *out);
void CalcsGetCenterOfLineFloat(_Vector2d a, _Vector2d b, _Vector2d *out);
float CalcsAverage2Angs(float a, float b);
// At most six angles count; see the pairing in the source.
float CalcsAverageAngs(int count, const float *angles);
// The angle at fraction t of the way from b toward a.
float CalcsGetPercOfTwoAngs(float a, float b, float t);
float CalcsGetAbsDifferenceOfTwoAngs(float a, float b);
float CalcsGetAbsDifferenceOfTwoAngsDeg(float a, float b);
// Adds or subtracts 2pi until the angle lies in [0, 2pi); a non-finite angle gives 0.
float CalcsWrapAng(float a);
