// The bullets' collision helpers: the closest point of a segment and the distance to a cone.
#include "game/Collision.h"

#include <gtest/gtest.h>

namespace {

TEST(CollisionTest, ClosestPointOnASegment) {
  _Vector2d a = {0.0f, 0.0f}, b = {2.0f, 0.0f};
  struct Case {
    const char *name;
    _Vector2d p, want;
  } cases[] = {
      {"before a", {-1.0f, 1.0f}, {0.0f, 0.0f}},  {"over a", {0.0f, 3.0f}, {0.0f, 0.0f}},
      {"along it", {0.5f, -1.0f}, {0.5f, 0.0f}},  {"on it", {1.5f, 0.0f}, {1.5f, 0.0f}},
      {"over b", {2.0f, 1.0f}, {2.0f, 0.0f}},     {"after b", {5.0f, 2.0f}, {2.0f, 0.0f}},
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(k.name);
    _Vector2d out = {9.0f, 9.0f}, p = k.p;
    CollisionGetClosestPointOnLineSegmentABToPointP2D(&a, &b, &p, &out);
    EXPECT_FLOAT_EQ(out.x, k.want.x);
    EXPECT_FLOAT_EQ(out.y, k.want.y);
  }
  // A segment of no length gives its end; no output pointer, nothing written.
  _Vector2d p = {1.0f, 1.0f}, out;
  CollisionGetClosestPointOnLineSegmentABToPointP2D(&a, &a, &p, &out);
  EXPECT_FLOAT_EQ(out.x, 0.0f);
  CollisionGetClosestPointOnLineSegmentABToPointP2D(&a, &b, &p, nullptr);
  EXPECT_FLOAT_EQ(CollisiontGetDistanceOfPointFromLineSquared2D(&a, &b, &p), 1.0f);
}

TEST(CollisionTest, DistanceToACone) {
  // A spray cloud's cone flying up the screen (y down): apex below, wide edge above, its
  // second corner on the cloud's right as the bullets build it.
  _Vector2d t1 = {0.0f, 1.0f}, t2 = {0.8f, -0.8f}, t3 = {-0.8f, -0.8f};
  struct Case {
    const char *name;
    _Vector2d p;
    float want;
  } cases[] = {
      {"inside", {0.0f, 0.0f}, 0.0f},
      {"on the apex", {0.0f, 1.0f}, 0.0f},
      {"above the wide edge", {0.0f, -1.0f}, 0.04f},
      {"below the apex", {0.0f, 1.5f}, 0.25f},
      {"beside a corner", {1.8f, -0.8f}, 1.0f},
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(k.name);
    _Vector2d p = k.p;
    EXPECT_NEAR(CollisionDistanceFromPointToTriangleSquared2D(&p, &t1, &t2, &t3), k.want, 1e-5);
  }
  // Outside a side edge: the squared distance to that edge.
  _Vector2d p = {1.0f, 0.5f}, c;
  CollisionGetClosestPointOnLineSegmentABToPointP2D(&t1, &t2, &p, &c);
  float d2 = (p.x - c.x) * (p.x - c.x) + (p.y - c.y) * (p.y - c.y);
  EXPECT_GT(d2, 0.0f);
  EXPECT_NEAR(CollisionDistanceFromPointToTriangleSquared2D(&p, &t1, &t2, &t3), d2, 1e-6);
}

}  // namespace
