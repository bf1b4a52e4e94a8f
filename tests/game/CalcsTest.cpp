// The angle helpers: means and differences taken the short way round across 0 and 2pi.
#include "game/Calcs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

static const float kPi = 3.1415927f;
static const float kTwoPi = 6.2831855f;

TEST(CalcsTest, TwoAnglesTakeTheShortWayAcrossZero) {
  struct Case {
    float a, b, mean, diff;
  } cases[] = {
      {0.1f, 0.3f, 0.2f, 0.2f},
      {kTwoPi - 0.1f, 0.1f, 0.0f, 0.2f},       // across 0: the mean is 0, not pi
      {0.1f, kTwoPi - 0.1f, 0.0f, 0.2f},       // either order
      {kTwoPi - 0.2f, 0.1f, kTwoPi - 0.05f, 0.3f},
      {kPi - 0.1f, kPi + 0.1f, kPi, 0.2f},     // across pi: no turn added
      {0.0f, kPi, kPi * 0.5f, kPi},             // exactly opposite: no turn added either
  };
  for (const Case &c : cases) {
    float mean = CalcsAverage2Angs(c.a, c.b);
    // 0 and 2pi are the same heading; the result must lie in [0, 2pi).
    EXPECT_GE(mean, 0.0f);
    EXPECT_LT(mean, kTwoPi);
    float off = std::fabs(mean - c.mean);
    EXPECT_LT(std::fmin(off, kTwoPi - off), 1e-5f) << c.a << " " << c.b << " gave " << mean;
    EXPECT_NEAR(CalcsGetAbsDifferenceOfTwoAngs(c.a, c.b), c.diff, 1e-5f) << c.a << " " << c.b;
  }
}

TEST(CalcsTest, DegreesUseHalfAndFullTurnsOfDegrees) {
  EXPECT_NEAR(CalcsGetAbsDifferenceOfTwoAngsDeg(350.0f, 10.0f), 20.0f, 1e-4f);
  EXPECT_NEAR(CalcsGetAbsDifferenceOfTwoAngsDeg(10.0f, 350.0f), 20.0f, 1e-4f);
  EXPECT_NEAR(CalcsGetAbsDifferenceOfTwoAngsDeg(170.0f, 190.0f), 20.0f, 1e-4f);
  // Radian-sized values are not mistaken for a crossing of 0 degrees.
  EXPECT_NEAR(CalcsGetAbsDifferenceOfTwoAngsDeg(3.0f, 1.0f), 2.0f, 1e-6f);
}

TEST(CalcsTest, FractionGoesFromTheSecondAngleTowardTheFirst) {
  EXPECT_NEAR(CalcsGetPercOfTwoAngs(1.0f, 0.0f, 0.25f), 0.25f, 1e-6f);
  EXPECT_NEAR(CalcsGetPercOfTwoAngs(1.0f, 0.0f, 0.0f), 0.0f, 1e-6f);
  // From 6.0 toward 0.2 crosses 0: a quarter of the way is 6.0 + 0.128.
  EXPECT_NEAR(CalcsGetPercOfTwoAngs(0.2f, 6.0f, 0.25f), 6.0f + 0.25f * (0.2f + kTwoPi - 6.0f), 1e-5f);
  // Three quarters of the way lands past 0 and is wrapped.
  EXPECT_NEAR(CalcsGetPercOfTwoAngs(0.2f, 6.0f, 0.75f), 6.0f + 0.75f * (0.2f + kTwoPi - 6.0f) - kTwoPi, 1e-5f);
}

TEST(CalcsTest, ManyAnglesArePairedAndAtMostSixCount) {
  float same[8] = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 5.0f, 5.0f};
  for (int n = 1; n <= 8; n++) EXPECT_NEAR(CalcsAverageAngs(n, same), 1.0f, 1e-6f) << n;
  // Three angles: the pair mean of the first two, then with the third.
  float three[3] = {0.0f, 1.0f, 2.0f};
  EXPECT_NEAR(CalcsAverageAngs(3, three), 1.25f, 1e-6f);
  float five[5] = {0.0f, 0.0f, 0.0f, 0.0f, 2.0f};
  EXPECT_NEAR(CalcsAverageAngs(5, five), 1.0f, 1e-6f);
  // Across 0: headings just either side of north average to north.
  float north[4] = {kTwoPi - 0.1f, 0.1f, kTwoPi - 0.2f, 0.2f};
  float m = CalcsAverageAngs(4, north);
  EXPECT_LT(std::fmin(m, kTwoPi - m), 1e-5f);
  EXPECT_EQ(CalcsAverageAngs(0, same), 0.0f);
  EXPECT_EQ(CalcsAverageAngs(3, nullptr), 0.0f);
}

TEST(CalcsTest, WrappingAndMidpoints) {
  EXPECT_NEAR(CalcsWrapAng(-0.5f), kTwoPi - 0.5f, 1e-6f);
  EXPECT_NEAR(CalcsWrapAng(kTwoPi + 0.5f), 0.5f, 1e-5f);
  EXPECT_EQ(CalcsWrapAng(kTwoPi), 0.0f);
  float far = CalcsWrapAng(1e9f);
  EXPECT_GE(far, 0.0f);
  EXPECT_LT(far, kTwoPi);
  EXPECT_EQ(CalcsWrapAng(std::numeric_limits<float>::quiet_NaN()), 0.0f);
  EXPECT_EQ(CalcsWrapAng(std::numeric_limits<float>::infinity()), 0.0f);

  _IVector2d mid;
  CalcsGetCenterOfLine({0, 0}, {5, -5}, &mid);
  EXPECT_EQ(mid.x, 2);   // integer division truncates toward zero
  EXPECT_EQ(mid.y, -2);
  _Vector2d fmid;
  CalcsGetCenterOfLineFloat({0.0f, 1.0f}, {1.0f, -1.0f}, &fmid);
  EXPECT_FLOAT_EQ(fmid.x, 0.5f);
  EXPECT_FLOAT_EQ(fmid.y, 0.0f);
  CalcsGetCenterOfLine({0, 0}, {1, 1}, nullptr);
}
