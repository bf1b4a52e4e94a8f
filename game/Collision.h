// 2D collision helpers of the bullets: the closest point of a segment to a point, and the
// squared distance from a point to a triangle (0 inside).
#pragma once

#include "Engine/EngMathTypes.h"

// Nothing is written when out is null.
void CollisionGetClosestPointOnLineSegmentABToPointP2D(_Vector2d *a, _Vector2d *b, _Vector2d *p, _Vector2d *out);
// Inside means on the inner side of all three edges for the winding a, b, c of the bullets'
// cones (every edge's side value at most 0).
float CollisionDistanceFromPointToTriangleSquared2D(_Vector2d *p, _Vector2d *a, _Vector2d *b, _Vector2d *c);
float CollisiontGetDistanceOfPointFromLineSquared2D(_Vector2d *a, _Vector2d *b, _Vector2d *p);
