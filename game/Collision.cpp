#include "game/Collision.h"

#include "Engine/EngMath.h"

void CollisionGetClosestPointOnLineSegmentABToPointP2D(_Vector2d *a, _Vector2d *b, _Vector2d *p, _Vector2d *out) {
  if (!out || !a || !b || !p) return;
  const float ex = b->x - a->x, ey = b->y - a->y;
  const float t = (p->x - a->x) * ex + (p->y - a->y) * ey;
  if (t <= 0.0f) {
    *out = *a;
    return;
  }
  const float length2 = ex * ex + ey * ey;
  if (t < length2 && length2 != 0.0f) {
    out->x = a->x + ex * t / length2;
    out->y = a->y + ey * t / length2;
    return;
  }
  *out = *b;
}

float CollisiontGetDistanceOfPointFromLineSquared2D(_Vector2d *a, _Vector2d *b, _Vector2d *p) {
  _Vector2d c;
  CollisionGetClosestPointOnLineSegmentABToPointP2D(a, b, p, &c);
  const float dx = p->x - c.x, dy = p->y - c.y;
  return dx * dx + dy * dy;
}

float CollisionDistanceFromPointToTriangleSquared2D(_Vector2d *p, _Vector2d *a, _Vector2d *b, _Vector2d *c) {
  if (EngMathGetSideOfLineAPointIsOn2D(p, a, b) <= 0.0f && EngMathGetSideOfLineAPointIsOn2D(p, b, c) <= 0.0f &&
      EngMathGetSideOfLineAPointIsOn2D(p, c, a) <= 0.0f)
    return 0.0f;
  float d1 = CollisiontGetDistanceOfPointFromLineSquared2D(a, b, p);
  float d2 = CollisiontGetDistanceOfPointFromLineSquared2D(b, c, p);
  float d3 = CollisiontGetDistanceOfPointFromLineSquared2D(c, a, p);
  float d = d1 < d2 ? d1 : d2;
  return d < d3 ? d : d3;
}
