#include "Engine/EngMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();
const float kPi = ENG_MATH_PI;

// ---- Planes ----

TEST(EngMathPlanes, PlaneFromThreePointsAndDistances) {
  _Vector3d p0 = {0, 0, 2}, p1 = {3, 0, 2}, p2 = {0, 5, 2};
  _EngMathPlane plane;
  EngMathGetPlaneFromThreePoints(&p0, &p1, &p2, &plane);
  // (3, 0, 0) x (0, 5, 0) = (0, 0, 15), not normalised; d puts p0 on the plane.
  EXPECT_FLOAT_EQ(plane.a, 0);
  EXPECT_FLOAT_EQ(plane.b, 0);
  EXPECT_FLOAT_EQ(plane.c, 15);
  EXPECT_FLOAT_EQ(plane.d, -30);

  _Vector3d normal;
  EngMathGetPlaneNormal(&plane, &normal);
  EXPECT_FLOAT_EQ(normal.z, 1);

  EXPECT_EQ(EngMathNormalisePlane(&plane), &plane);
  EXPECT_FLOAT_EQ(plane.c, 1);
  EXPECT_FLOAT_EQ(plane.d, -2);
  _Vector3d above = {7, -8, 5}, on = {1, 1, 2};
  EXPECT_FLOAT_EQ(EngMathGetPlanePointDotProduct(&plane, &above), 3);
  EXPECT_FLOAT_EQ(EngMathGetPlanePointDotProduct(&plane, &on), 0);
  EXPECT_EQ(EngMathGetPlanePointDotProduct(nullptr, &on), 0);
  EXPECT_EQ(EngMathGetPlanePointDotProduct(&plane, nullptr), 0);
}

TEST(EngMathPlanes, DegenerateInputsChangeNothing) {
  // Three points on a line give a zero normal; normalising it must not divide by zero.
  _Vector3d p0 = {0, 0, 0}, p1 = {1, 1, 1}, p2 = {2, 2, 2};
  _EngMathPlane plane = {9, 9, 9, 9};
  EngMathGetPlaneFromThreePoints(&p0, &p1, nullptr, &plane);
  EXPECT_EQ(plane.a, 9);
  EngMathGetPlaneFromThreePoints(&p0, &p1, &p2, &plane);
  EXPECT_EQ(plane.a, 0);
  EXPECT_EQ(plane.b, 0);
  EXPECT_EQ(plane.c, 0);
  EngMathNormalisePlane(&plane);
  EXPECT_EQ(plane.a, 0);
  EXPECT_EQ(plane.d, 0);
  EXPECT_EQ(EngMathNormalisePlane(nullptr), nullptr);

  _Vector3d normal = {5, 5, 5};
  EngMathGetPlaneNormal(&plane, &normal);
  EXPECT_EQ(normal.x, 0);
  EngMathGetPlaneNormal(nullptr, &normal);
  EngMathGetPlaneNormal(&plane, nullptr);
}

// ---- Lines ----

TEST(EngMathLines, SideOfLineAndSignedDistance) {
  struct {
    _Vector2d p, a, b;
    float side;
  } cases[] = {
      {{0, 1}, {0, 0}, {1, 0}, 1},    // left of a rightward line (y up)
      {{0, -1}, {0, 0}, {1, 0}, -1},  // right of it
      {{5, 0}, {0, 0}, {1, 0}, 0},    // on it, beyond b
      {{5, 3}, {0, 0}, {2, 0}, 6},
      {{1, 1}, {2, 2}, {4, 4}, 0},
      {{0, 0}, {1, 0}, {1, 2}, 2},
  };
  for (auto &c : cases) {
    SCOPED_TRACE(int(&c - cases));
    EXPECT_FLOAT_EQ(EngMathGetSideOfLineAPointIsOn2D(&c.p, &c.a, &c.b), c.side);
    EXPECT_FLOAT_EQ(EngMathGetSideOfLineAPointIsOn2D(c.p.x, c.p.y, c.a.x, c.a.y, c.b.x, c.b.y), c.side);
  }

  _Vector2d p = {5, 3}, a = {0, 0}, b = {2, 0};
  EXPECT_FLOAT_EQ(EngMathGetDistanceAndSideOfPointFromLine2D(&p, &a, &b), 3);
  _Vector2d below = {-7, -4};
  EXPECT_FLOAT_EQ(EngMathGetDistanceAndSideOfPointFromLine2D(&below, &a, &b), -4);
  // A zero-length line has no length to divide by.
  float d = EngMathGetDistanceAndSideOfPointFromLine2D(&p, &a, &a);
  EXPECT_TRUE(std::isfinite(d));
}

TEST(EngMathLines, PointsOnSameSide) {
  _Vector3d a = {0, 0, 0}, b = {10, 0, 0};
  _Vector3d up1 = {1, 1, 0}, up2 = {9, 5, 0}, down = {3, -2, 0}, on = {4, 0, 0};
  EXPECT_EQ(EngMathArePointsOnSameSideOfLine(&up1, &up2, &a, &b), 1);
  EXPECT_EQ(EngMathArePointsOnSameSideOfLine(&up1, &down, &a, &b), 0);
  EXPECT_EQ(EngMathArePointsOnSameSideOfLine(&on, &down, &a, &b), 1);  // on the line counts as either
}

TEST(EngMathTriangles, PointInTriangle) {
  _Vector3d a = {0, 0, 0}, b = {4, 0, 0}, c = {0, 4, 0};
  struct {
    _Vector3d p;
    char inside;
  } cases[] = {
      {{1, 1, 0}, 1}, {{0, 0, 0}, 1}, {{4, 0, 0}, 1},  {{2, 0, 0}, 1}, {{2, 2, 0}, 1},
      {{3, 3, 0}, 0}, {{-1, 1, 0}, 0}, {{1, -0.01f, 0}, 0}, {{5, 0, 0}, 0},
  };
  for (auto &tc : cases) {
    SCOPED_TRACE(testing::Message() << tc.p.x << ", " << tc.p.y);
    EXPECT_EQ(EngMathIsPointInTriangle(&tc.p, &a, &b, &c), tc.inside);
  }
}

TEST(EngMathTriangles, LineIntersection) {
  _Vector3d a = {0, 0, 0}, b = {1, 0, 0}, c = {0, 1, 0};
  _Vector3d down = {0, 0, -1};
  float t = 99, u = 99, v = 99;

  _Vector3d above = {0.25f, 0.25f, 5};
  ASSERT_EQ(EngMathDoesLineIntersectTriangle(&above, &down, &a, &b, &c, &t, &u, &v), 1);
  EXPECT_FLOAT_EQ(t, 5);
  EXPECT_FLOAT_EQ(u, 0.25f);
  EXPECT_FLOAT_EQ(v, 0.25f);

  // The whole line counts: a hit behind the origin gives a negative t.
  _Vector3d below = {0.5f, 0.25f, -3};
  ASSERT_EQ(EngMathDoesLineIntersectTriangle(&below, &down, &a, &b, &c, &t, &u, &v), 1);
  EXPECT_FLOAT_EQ(t, -3);
  EXPECT_FLOAT_EQ(u, 0.5f);

  t = 99;
  _Vector3d outside = {0.75f, 0.75f, 5};  // u + v > 1
  EXPECT_EQ(EngMathDoesLineIntersectTriangle(&outside, &down, &a, &b, &c, &t, &u, &v), 0);
  _Vector3d left = {-0.5f, 0.25f, 5};  // u < 0
  EXPECT_EQ(EngMathDoesLineIntersectTriangle(&left, &down, &a, &b, &c, &t, &u, &v), 0);
  _Vector3d sideways = {1, 0, 0};  // parallel to the triangle's plane
  EXPECT_EQ(EngMathDoesLineIntersectTriangle(&above, &sideways, &a, &b, &c, &t, &u, &v), 0);
  _Vector3d zero_dir = {0, 0, 0};
  EXPECT_EQ(EngMathDoesLineIntersectTriangle(&above, &zero_dir, &a, &b, &c, &t, &u, &v), 0);
  EXPECT_EQ(t, 99);  // t is written only on a hit

  _Vector3d corner = {1, 0, 7};
  EXPECT_EQ(EngMathDoesLineIntersectTriangle(&corner, &down, &a, &b, &c, &t, &u, &v), 1);
}

// ---- Angles ----

TEST(EngMathAngles, AngleFromDirection) {
  struct {
    float dx, dy, angle;
  } cases[] = {
      {0, 0, 0},           {0, 1, kPi / 2},      {0, -1, 3 * kPi / 2},  {1, 0, 0},
      {-1, 0, kPi},        {1, 1, kPi / 4},      {1, -1, 7 * kPi / 4},  {-1, 1, 3 * kPi / 4},
      {-1, -1, 5 * kPi / 4}, {0, -0.001f, 4.712389f}, {1e-30f, -1e-30f, 7 * kPi / 4},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy);
    float angle = EngMathGetAngleFromDirection(c.dx, c.dy);
    EXPECT_NEAR(angle, c.angle, 1e-6);
    EXPECT_GE(angle, 0);
    EXPECT_LT(angle, ENG_MATH_TWO_PI);
  }
  EXPECT_NEAR(EngMathGetAngleBetweenTwoPoints(10, 10, 10, 5), 3 * kPi / 2, 1e-6);
  EXPECT_NEAR(EngMathGetAngleBetweenTwoPoints(2, 3, 0, 3), kPi, 1e-6);
  // Below the smallest representable step the angle still lands in range.
  float tiny = EngMathGetAngleFromDirection(1, -1e-30f);
  EXPECT_GE(tiny, 0);
  EXPECT_LT(tiny, ENG_MATH_TWO_PI);
  EXPECT_TRUE(std::isnan(EngMathGetAngleFromDirection(kNaN, 1)));
}

struct WrapCase {
  float in, out;
};

TEST(EngMathAngles, KeepAngleInRange) {
  const WrapCase zero_two_pi[] = {
      {0, 0}, {ENG_MATH_TWO_PI, 0}, {-kPi / 2, 3 * kPi / 2}, {7, 7 - ENG_MATH_TWO_PI},
      {-1e-9f, 0}, {3 * ENG_MATH_TWO_PI + 1, 1},
  };
  for (const WrapCase &c : zero_two_pi) {
    SCOPED_TRACE(c.in);
    float a = c.in;
    EXPECT_EQ(EngMathKeepAngleBetween0AndTwoPi(&a), &a);
    EXPECT_NEAR(a, c.out, 1e-5);
    EXPECT_GE(a, 0);
    EXPECT_LT(a, ENG_MATH_TWO_PI);
  }
  const WrapCase minus_pi_pi[] = {{kPi, -kPi}, {-kPi, -kPi}, {-kPi - 0.5f, kPi - 0.5f}, {1, 1}, {-4, ENG_MATH_TWO_PI - 4}};
  for (const WrapCase &c : minus_pi_pi) {
    SCOPED_TRACE(c.in);
    float a = c.in;
    EngMathKeepAngleBetweenMinusPiAndPi(&a);
    EXPECT_NEAR(a, c.out, 2e-6);
  }
  const WrapCase zero_360[] = {{360, 0}, {-90, 270}, {725, 5}, {-720, 0}, {359.5f, 359.5f}};
  for (const WrapCase &c : zero_360) {
    SCOPED_TRACE(c.in);
    float a = c.in;
    EngMathKeepAngleBetween0And360(&a);
    EXPECT_FLOAT_EQ(a, c.out);
  }
  const WrapCase minus_180_180[] = {{180, -180}, {190, -170}, {-181, 179}, {0, 0}, {540, -180}};
  for (const WrapCase &c : minus_180_180) {
    SCOPED_TRACE(c.in);
    float a = c.in;
    EngMathKeepAngleBetweenMinus180And180(&a);
    EXPECT_FLOAT_EQ(a, c.out);
  }
  EXPECT_EQ(EngMathKeepAngleBetween0AndTwoPi(nullptr), nullptr);
  EXPECT_EQ(EngMathKeepAngleBetweenMinusPiAndPi(nullptr), nullptr);
  EXPECT_EQ(EngMathKeepAngleBetween0And360(nullptr), nullptr);
  EXPECT_EQ(EngMathKeepAngleBetweenMinus180And180(nullptr), nullptr);
}

// Repeated adding of a period never finishes for these; every wrap must return at once.
TEST(EngMathAngles, WrappingTerminatesOnHugeAndNonFiniteAngles) {
  float *(*wraps[])(float *) = {EngMathKeepAngleBetween0AndTwoPi, EngMathKeepAngleBetweenMinusPiAndPi,
                                EngMathKeepAngleBetween0And360, EngMathKeepAngleBetweenMinus180And180};
  const float lows[] = {0, -kPi, 0, -180};
  const float highs[] = {ENG_MATH_TWO_PI, kPi, 360, 180};
  for (int w = 0; w < 4; w++) {
    SCOPED_TRACE(w);
    for (float huge : {1e30f, -1e30f, 3.4e38f, -3.4e38f, 123456789.0f}) {
      float a = huge;
      wraps[w](&a);
      EXPECT_GE(a, lows[w]) << huge;
      EXPECT_LT(a, highs[w]) << huge;
    }
    float nan = kNaN, inf = kInf, ninf = -kInf;
    wraps[w](&nan);
    wraps[w](&inf);
    wraps[w](&ninf);
    EXPECT_TRUE(std::isnan(nan));
    EXPECT_EQ(inf, kInf);
    EXPECT_EQ(ninf, -kInf);
  }
  EXPECT_TRUE(std::isnan(EngMathAverage2AngsRad(kNaN, 1)));
  EXPECT_FALSE(std::isfinite(EngMathInterpolateTwoAnglesRad(1, kInf, 0.5f)));
  float far = EngMathInterpolateTwoAnglesRad(1e30f, -1e30f, 0.5f);
  EXPECT_GE(far, -kPi);
  EXPECT_LT(far, kPi);
}

TEST(EngMathAngles, DifferenceAverageAndInterpolation) {
  EXPECT_FLOAT_EQ(EngMathGetDifferenceBetweenAnglesCenterPiRad(3, 1), 2);
  EXPECT_NEAR(EngMathGetDifferenceBetweenAnglesCenterPiRad(0.1f, 6.2f), 0.1f + ENG_MATH_TWO_PI - 6.2f, 1e-6);
  EXPECT_NEAR(EngMathGetDifferenceBetweenAnglesCenterPiRad(6.2f, 0.1f), 6.2f - ENG_MATH_TWO_PI - 0.1f, 1e-6);
  // No further wrapping: far-apart inputs give a difference still beyond pi.
  EXPECT_NEAR(EngMathGetDifferenceBetweenAnglesCenterPiRad(20, 0), 20 - ENG_MATH_TWO_PI, 1e-5);

  struct {
    float a, b, mean;
  } averages[] = {
      {1, 2, 1.5f},
      {0.1f, 6.2f, (0.1f + ENG_MATH_TWO_PI + 6.2f) / 2 - ENG_MATH_TWO_PI},  // across 0
      {6.2f, 0.1f, (0.1f + ENG_MATH_TWO_PI + 6.2f) / 2 - ENG_MATH_TWO_PI},
      {5.5f, 1, (5.5f + 1 + ENG_MATH_TWO_PI) / 2 - ENG_MATH_TWO_PI},
  };
  for (const auto &c : averages) {
    SCOPED_TRACE(testing::Message() << c.a << ", " << c.b);
    EXPECT_NEAR(EngMathAverage2AngsRad(c.a, c.b), c.mean, 2e-6);
  }

  EXPECT_EQ(EngMathInterpolateTwoAnglesRad(10, 10, 0.5f), 10);  // equal: returned unwrapped
  EXPECT_FLOAT_EQ(EngMathInterpolateTwoAnglesRad(0, 1, 0.5f), 0.5f);
  // The short way from 3 to -3 crosses pi.
  EXPECT_NEAR(EngMathInterpolateTwoAnglesRad(3, -3, 0.25f), 3 + (ENG_MATH_TWO_PI - 6) * 0.25f, 1e-6);
  EXPECT_NEAR(EngMathInterpolateTwoAnglesRad(3, -3, 0.75f), 3 + (ENG_MATH_TWO_PI - 6) * 0.75f - ENG_MATH_TWO_PI,
              1e-6);
  // Inputs outside [-pi, pi) are wrapped first.
  EXPECT_NEAR(EngMathInterpolateTwoAnglesRad(ENG_MATH_TWO_PI + 0.5f, 1.5f, 0.5f), 1, 1e-6);
}

}  // namespace
