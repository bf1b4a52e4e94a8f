#include "Engine/EngMath.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

// ---- Vectors ----

TEST(EngMathVectors, MagnitudesAndLengths) {
  _Vector3d v = {3, 4, 12};
  EXPECT_FLOAT_EQ(EngMathGetVectorMagnitudeSquared(&v), 169);
  EXPECT_FLOAT_EQ(EngMathGetVectorMagnitude(&v), 13);

  _Vector3d a = {1, 1, 1}, b = {4, 5, 1};
  EXPECT_FLOAT_EQ(EngMathGetLineLength3D(&a, &b), 5);
  EXPECT_EQ(EngMathGetLineLength3D(nullptr, &b), 0);
  EXPECT_EQ(EngMathGetLineLength3D(&a, nullptr), 0);

  EXPECT_FLOAT_EQ(EngMathGetLineLength2D(1, 1, 4, 5), 5);
  EXPECT_FLOAT_EQ(EngMathGetLineLength2D(-3, 4), 5);
  _Vector2d p = {1, 1}, q = {-2, -3};
  EXPECT_FLOAT_EQ(EngMathGetLineLength2D(&p, &q), 5);
  EXPECT_EQ(EngMathGetLineLength2D(&p, nullptr), 0);
  EXPECT_EQ(EngMathGetLineLength2D(nullptr, &q), 0);
}

TEST(EngMathVectors, DotAndCrossProducts) {
  _Vector3d a = {1, 2, 3}, b = {4, -5, 6};
  EXPECT_FLOAT_EQ(EngMathDotProduct(&a, &b), 12);
  _Vector2d p = {2, 3}, q = {-1, 4};
  EXPECT_FLOAT_EQ(EngMathDotProduct2D(&p, &q), 10);

  _Vector3d x = {1, 0, 0}, y = {0, 1, 0}, out = {9, 9, 9};
  EngMathGetVectorCrossProduct(&out, &x, &y);
  EXPECT_FLOAT_EQ(out.x, 0);
  EXPECT_FLOAT_EQ(out.y, 0);
  EXPECT_FLOAT_EQ(out.z, 1);

  // General case against the component formula; the output may be one of the inputs.
  EngMathGetVectorCrossProduct(&a, &a, &b);
  EXPECT_FLOAT_EQ(a.x, 2 * 6 - (-5) * 3);
  EXPECT_FLOAT_EQ(a.y, 3 * 4 - 6 * 1);
  EXPECT_FLOAT_EQ(a.z, 1 * -5 - 4 * 2);

  _Vector3d untouched = {7, 7, 7};
  EngMathGetVectorCrossProduct(&untouched, nullptr, &y);
  EngMathGetVectorCrossProduct(nullptr, &x, &y);
  EXPECT_EQ(untouched.x, 7);
}

TEST(EngMathVectors, UnifyNormal) {
  _Vector3d v = {3, 0, 4};
  EngMathUnifyNormal(&v);
  EXPECT_FLOAT_EQ(v.x, 0.6f);
  EXPECT_FLOAT_EQ(v.y, 0);
  EXPECT_FLOAT_EQ(v.z, 0.8f);

  float x = 0, y = -2, z = 0;
  EngMathUnifyNormal(&x, &y, &z);
  EXPECT_EQ(y, -1);

  EngVector e = {1e-20f, 1e-20f, 0};  // tiny but not zero: the double length keeps it
  EXPECT_EQ(EngMathUnifyNormal(&e), &e);
  EXPECT_NEAR(e.x, 0.70710678f, 1e-6);

  _Vector3d zero = {0, 0, 0};
  EngMathUnifyNormal(&zero);
  EXPECT_EQ(zero.x, 0);
  EXPECT_EQ(zero.y, 0);
  EXPECT_EQ(zero.z, 0);
  EXPECT_FALSE(std::isnan(zero.x));

  EngMathUnifyNormal(static_cast<_Vector3d *>(nullptr));
  EXPECT_EQ(EngMathUnifyNormal(static_cast<EngVector *>(nullptr)), nullptr);
}

// ---- Scalars ----

struct RoundCase {
  double value;
  long expected;
};

TEST(EngMathScalars, RoundingSendsExactHalvesTowardZero) {
  const RoundCase cases[] = {
      {0, 0},     {0.5, 0},   {-0.5, 0},  {0.51, 1},  {1.5, 1},   {-1.5, -1},  {-1.7, -2},
      {2.5, 2},   {-2.5, -2}, {2.51, 3},  {-2.51, -3}, {0.49, 0}, {-0.49, 0},  {7, 7},
      {-7, -7},   {99.9, 100}, {-99.9, -100},
  };
  for (const RoundCase &c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(EngMathRound(float(c.value)), c.expected);
    EXPECT_EQ(EngMathRoundDouble(c.value), c.expected);
    EXPECT_EQ(EngMathRoundLong(c.value), c.expected);
    EXPECT_EQ(EngMathRoundFloatToUnsignedLong(float(c.value)), c.expected < 0 ? 0ul : (unsigned long)c.expected);
  }
}

TEST(EngMathScalars, RoundingSaturatesOutOfRangeAndNaN) {
  EXPECT_EQ(EngMathRound(1e20f), INT_MAX);
  EXPECT_EQ(EngMathRound(-1e20f), INT_MIN);
  EXPECT_EQ(EngMathRound(kInf), INT_MAX);
  EXPECT_EQ(EngMathRound(kNaN), 0);
  EXPECT_EQ(EngMathRoundDouble(3e9), INT_MAX);
  EXPECT_EQ(EngMathRoundDouble(-3e9), INT_MIN);
  EXPECT_EQ(EngMathRoundLong(3e9), 3000000000L);
  EXPECT_EQ(EngMathRoundLong(1e300), LONG_MAX);
  EXPECT_EQ(EngMathRoundLong(double(kNaN)), 0);
  EXPECT_EQ(EngMathRoundFloatToUnsignedLong(-1e30f), 0ul);
  EXPECT_EQ(EngMathRoundFloatToUnsignedLong(1e30f), ULONG_MAX);
  EXPECT_EQ(EngMathRoundFloatToUnsignedLong(kNaN), 0ul);
}

TEST(EngMathScalars, AbsoluteValuesAndSigns) {
  EXPECT_EQ(EngMathAbs(-5), 5);
  EXPECT_EQ(EngMathAbs(5), 5);
  EXPECT_EQ(EngMathAbs(INT_MIN + 1), INT_MAX);
  EXPECT_EQ(EngMathAbs(INT_MIN), INT_MIN);  // no positive twin; must not trap
  EXPECT_EQ(EngMathFabs(-2.5f), 2.5f);
  EXPECT_EQ(EngMathDabs(-2.5), 2.5);

  EXPECT_EQ(EngMathGetSignFloat(-0.1f), -1);
  EXPECT_EQ(EngMathGetSignFloat(3), 1);
  EXPECT_EQ(EngMathGetSignFloat(0), 0);
  EXPECT_EQ(EngMathGetSignFloat(-0.0f), 0);
  EXPECT_EQ(EngMathGetSignFloat(kNaN), 0);

  struct {
    float a, b;
    char same;
  } signs[] = {{0, -3, 1}, {0, 3, 1}, {-1, 2, 0}, {2, -1, 0}, {-1, -2, 1}, {1, 2, 1}, {0, 0, 1}};
  for (const auto &c : signs) {
    SCOPED_TRACE(testing::Message() << c.a << ", " << c.b);
    EXPECT_EQ(EngMathSameSignFloat(c.a, c.b), c.same);
  }
}

TEST(EngMathScalars, TruncateFloatToThreePlaces) {
  EXPECT_FLOAT_EQ(EngMathTruncateFloat(1.23456f, 3), 1.235f);
  EXPECT_FLOAT_EQ(EngMathTruncateFloat(-1.23449f, 3), -1.234f);
  EXPECT_FLOAT_EQ(EngMathTruncateFloat(2.0005f, 3), 2.0f);  // 2000.5 is an exact half in float
  // Beyond the int range the value has no thousandths to cut and must not wrap.
  EXPECT_EQ(EngMathTruncateFloat(5e6f, 3), 5e6f);
  EXPECT_EQ(EngMathTruncateFloat(-3e9f, 3), -3e9f);

  testing::internal::CaptureStderr();
  EXPECT_EQ(EngMathTruncateFloat(1.23456f, 2), 1.23456f);
  std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("Num decimal places = 2 not implemented yet"), std::string::npos) << log;
}

TEST(EngMathScalars, Clamp) {
  struct {
    float v, lo, hi, expected;
  } floats[] = {{5, 0, 10, 5}, {-1, 0, 10, 0}, {11, 0, 10, 10}, {5, 10, 0, 0}, {0, 0, 0, 0}};
  for (const auto &c : floats) {
    SCOPED_TRACE(testing::Message() << c.v << " in " << c.lo << ".." << c.hi);
    EXPECT_EQ(EngMathClamp(c.v, c.lo, c.hi), c.expected);
    EXPECT_EQ(EngMathClamp(int(c.v), int(c.lo), int(c.hi)), int(c.expected));
  }
  EXPECT_EQ(EngMathClamp(INT_MIN, -3, 3), -3);
  EXPECT_EQ(EngMathClamp(INT_MAX, -3, 3), 3);
}

TEST(EngMathScalars, ClosestPowerOf2Max) {
  struct {
    unsigned n, expected;
  } cases[] = {{0, 1}, {1, 1}, {2, 2}, {3, 4}, {5, 8}, {8, 8}, {9, 16}, {1000, 1024},
               {0x40000001u, 0x80000000u}, {0x80000000u, 0x80000000u}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(EngMathGetClosestPowerOf2Max(c.n), c.expected);
  }
  // No power of two fits above 2^31: the answer is 0, and above all the call returns.
  testing::internal::CaptureStderr();
  EXPECT_EQ(EngMathGetClosestPowerOf2Max(0x80000001u), 0u);
  EXPECT_EQ(EngMathGetClosestPowerOf2Max(0xFFFFFFFFu), 0u);
  testing::internal::GetCapturedStderr();
}

// ---- Interpolation, ranges and rectangles ----

TEST(EngMathInterpolation, FloatsVectorsAndDimensions) {
  EXPECT_FLOAT_EQ(EngMathInterpolateTwoFloats(2, 6, 0.25f), 3);
  EXPECT_FLOAT_EQ(EngMathInterpolateTwoFloats(2, 6, 1.5f), 8);
  EXPECT_EQ(EngMathInterpolateTwoFloats(kInf, kInf, 0.5f), kInf);  // equal ends: no inf - inf

  _Vector3d a = {0, 10, -4}, b = {10, 10, 4}, out;
  EXPECT_EQ(EngMathInterpolateTwoVector3ds(a, b, 0.5f, &out), 1);
  EXPECT_FLOAT_EQ(out.x, 5);
  EXPECT_FLOAT_EQ(out.y, 10);
  EXPECT_FLOAT_EQ(out.z, 0);
  _Vector3d same = {kInf, 1, 2};
  EXPECT_EQ(EngMathInterpolateTwoVector3ds(same, same, 0.3f, &out), 1);
  EXPECT_EQ(out.x, kInf);
  EXPECT_EQ(EngMathInterpolateTwoVector3ds(a, b, 0.5f, nullptr), 0);

  _Dimension d1 = {0, 0, 100, 50}, d2 = {20, -20, 200, 150}, dout;
  EXPECT_EQ(EngMathInterpolateTwoDimensions(d1, d2, 0.5f, &dout), 1);
  EXPECT_FLOAT_EQ(dout.x, 10);
  EXPECT_FLOAT_EQ(dout.y, -10);
  EXPECT_FLOAT_EQ(dout.width, 150);
  EXPECT_FLOAT_EQ(dout.height, 100);
  EXPECT_EQ(EngMathInterpolateTwoDimensions(d1, d2, 0.5f, nullptr), 0);
}

TEST(EngMathRanges, Range3VarActive) {
  struct {
    _EngMathRange3Var range;
    char active;
  } cases[] = {
      {{0, 0, 0, 0, 0, 0}, 0},     // all zeros
      {{1, 0, 5, -5, 2, 1}, 0},    // every max below its min
      {{0, 1, 0, 0, 0, 0}, 1},     // x active
      {{0, 0, 0, 0, -3, -3}, 1},   // z: an empty but non-zero range still counts
      {{2, 1, 0, 0, 0, 0.5f}, 1},  // z rescues an inverted x
  };
  for (auto &c : cases) {
    SCOPED_TRACE(int(&c - cases));
    EXPECT_EQ(EngMathCheckIfRange3VarActive(&c.range), c.active);
  }
  EXPECT_EQ(EngMathCheckIfRange3VarActive(nullptr), 0);
}

TEST(EngMathRanges, Vector3dFromRange3VarStaysInsideEachAxis) {
  srand(7);
  _EngMathRange3Var range = {-1, 1, 10, 20, 5, 5};
  for (int i = 0; i < 500; i++) {
    _Vector3d v = {99, 99, 99};
    EngMathSetVector3dFromRange3Var(&v, &range);
    EXPECT_GE(v.x, -1.0f);
    EXPECT_LT(v.x, 1.0f);
    EXPECT_GE(v.y, 10.0f);
    EXPECT_LT(v.y, 20.0f);
    EXPECT_FLOAT_EQ(v.z, 5.0f);
  }
  _Vector3d untouched = {3, 4, 5};
  EngMathSetVector3dFromRange3Var(&untouched, nullptr);
  EXPECT_FLOAT_EQ(untouched.x, 3.0f);
}

TEST(EngMathRectangles, FillDimensionVars) {
  _Dimension d = {10, 20, 100, 50};
  _DimensionVars v;
  ASSERT_EQ(EngMathFillDimensionVars(&d, &v), 1);
  EXPECT_FLOAT_EQ(v.half_width, 50);
  EXPECT_FLOAT_EQ(v.half_height, 25);
  EXPECT_FLOAT_EQ(v.centre_x, 60);
  EXPECT_FLOAT_EQ(v.right, 110);
  EXPECT_FLOAT_EQ(v.centre_y, 45);
  EXPECT_FLOAT_EQ(v.bottom, 70);

  _DimensionVars2 v2;
  ASSERT_EQ(EngMathFillDimensionVars2(&d, &v2), 1);
  EXPECT_FLOAT_EQ(v2.left, 10);
  EXPECT_FLOAT_EQ(v2.top, 20);
  EXPECT_FLOAT_EQ(v2.width, 100);
  EXPECT_FLOAT_EQ(v2.height, 50);
  EXPECT_FLOAT_EQ(v2.centre_x, 60);
  EXPECT_FLOAT_EQ(v2.right, 110);
  EXPECT_FLOAT_EQ(v2.centre_y, 45);
  EXPECT_FLOAT_EQ(v2.bottom, 70);

  // Integer halving truncates toward zero, also for negative sizes.
  _IDimension id = {1, 2, 7, -5};
  _IDimensionVars iv;
  ASSERT_EQ(EngMathFillDimensionVars(&id, &iv), 1);
  EXPECT_EQ(iv.half_width, 3);
  EXPECT_EQ(iv.half_height, -2);
  EXPECT_EQ(iv.centre_x, 4);
  EXPECT_EQ(iv.right, 8);
  EXPECT_EQ(iv.centre_y, 0);
  EXPECT_EQ(iv.bottom, -3);

  _IDimensionVars2 iv2;
  ASSERT_EQ(EngMathFillDimensionVars2(&id, &iv2), 1);
  EXPECT_EQ(iv2.left, 1);
  EXPECT_EQ(iv2.top, 2);
  EXPECT_EQ(iv2.width, 7);
  EXPECT_EQ(iv2.height, -5);
  EXPECT_EQ(iv2.half_width, 3);
  EXPECT_EQ(iv2.centre_x, 4);
  EXPECT_EQ(iv2.bottom, -3);

  testing::internal::CaptureStderr();
  EXPECT_EQ(EngMathFillDimensionVars(static_cast<_Dimension *>(nullptr), &v), 0);
  EXPECT_EQ(EngMathFillDimensionVars(&d, static_cast<_DimensionVars *>(nullptr)), 0);
  EXPECT_EQ(EngMathFillDimensionVars(static_cast<_IDimension *>(nullptr), &iv), 0);
  EXPECT_EQ(EngMathFillDimensionVars2(&d, static_cast<_DimensionVars2 *>(nullptr)), 0);
  EXPECT_EQ(EngMathFillDimensionVars2(&id, static_cast<_IDimensionVars2 *>(nullptr)), 0);
  std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("EngMathFillDimensionVars"), std::string::npos) << log;
}

TEST(EngMathRectangles, PointInAreaIncludesLeftAndTopEdgesOnly) {
  _Dimension r = {10, 20, 30, 40};
  _Dimension flat = {10, 20, 0, 40};  // degenerate: contains nothing
  struct {
    float x, y;
    const _Dimension *rect;
    char inside;
  } cases[] = {
      {10, 20, &r, 1},   {25, 30, &r, 1},   {39.99f, 59.99f, &r, 1}, {40, 30, &r, 0},
      {25, 60, &r, 0},   {9.99f, 30, &r, 0}, {25, 19.99f, &r, 0},    {10, 30, &flat, 0},
      {kNaN, 30, &r, 0}, {25, kNaN, &r, 0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    _Vector2d p = {c.x, c.y};
    EXPECT_EQ(EngMathIsPointInArea(&p, c.rect), c.inside);
    EXPECT_EQ(EngMathIsPointInArea(c.x, c.y, const_cast<_Dimension *>(c.rect)), c.inside);
  }
  testing::internal::CaptureStderr();
  _Vector2d p = {0, 0};
  EXPECT_EQ(EngMathIsPointInArea(&p, nullptr), 0);
  EXPECT_EQ(EngMathIsPointInArea(nullptr, &r), 0);
  EXPECT_EQ(EngMathIsPointInArea(0, 0, nullptr), 0);
  testing::internal::GetCapturedStderr();
}

}  // namespace
