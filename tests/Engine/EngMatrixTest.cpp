#include "Engine/EngMatrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "Engine/EngMath.h"

namespace {

const float kPi = ENG_MATH_PI;

// Builds a matrix from its rows as written on paper.
EngMatrix FromRows(const float (&rows)[16]) {
  EngMatrix m;
  for (int r = 0; r < 4; r++)
    for (int c = 0; c < 4; c++) m(r, c) = rows[r * 4 + c];
  return m;
}

void ExpectMatrixNear(const EngMatrix &actual, const EngMatrix &expected, float tolerance = 1e-6f) {
  for (int r = 0; r < 4; r++)
    for (int c = 0; c < 4; c++) EXPECT_NEAR(actual(r, c), expected(r, c), tolerance) << "at (" << r << ", " << c << ")";
}

EngMatrix Identity() {
  EngMatrix m;
  m.SetIdentityMatrix();
  return m;
}

EngMatrix Product(EngMatrix a, EngMatrix b) {
  EngMatrix out;
  EngMatrixMultiplyMatrixByMatrix(&a, &b, &out);
  return out;
}

EngMatrix RotX(float a) { EngMatrix m; m.SetRotateXMatrix(a); return m; }
EngMatrix RotY(float a) { EngMatrix m; m.SetRotateYMatrix(a); return m; }
EngMatrix RotZ(float a) { EngMatrix m; m.SetRotateZMatrix(a); return m; }

void ExpectVectorNear(const _Vector3d &v, float x, float y, float z, float tolerance = 1e-6f) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

// ---- Layout ----

TEST(EngMatrixLayout, ColumnMajorAsOpenGLExpects) {
  EngMatrix m;
  m.SetTranslateMatrix(7, 8, 9);
  EXPECT_EQ(m.m[12], 7);
  EXPECT_EQ(m.m[13], 8);
  EXPECT_EQ(m.m[14], 9);
  EXPECT_EQ(m(0, 3), 7);  // row 0, column 3
  EXPECT_EQ(m.m[15], 1);
  for (int r = 0; r < 4; r++)
    for (int c = 0; c < 4; c++) {
      EXPECT_EQ(eng_matrix_index_map[r * 4 + c], c * 4 + r);
      EXPECT_EQ(&m(r, c), &m.m[eng_matrix_index_map[r * 4 + c]]);
    }
  for (int i = 0; i < 16; i++) EXPECT_EQ(eng_matrix_identity[i], (i % 5 == 0) ? 1.0f : 0.0f);

  EngMatrix copy;
  copy = m;
  const EngMatrix &same = copy;
  copy = same;  // self-assignment keeps the values
  ExpectMatrixNear(copy, m, 0);
}

TEST(EngMatrixLayout, ScaleAndNullVectorForms) {
  EngMatrix m;
  m.SetScaleMatrix(2, 3, 4);
  ExpectMatrixNear(m, FromRows({2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1}), 0);
  EXPECT_EQ(m.SetScaleMatrix(5.0f), &m);
  EXPECT_EQ(m.m[10], 5);
  _Vector3d v = {1, 2, 3};
  m.SetScaleMatrix(&v);
  EXPECT_EQ(m.m[5], 2);
  m.SetScaleMatrix(static_cast<const _Vector3d *>(nullptr));
  ExpectMatrixNear(m, Identity(), 0);
  m.SetTranslateMatrix(&v);
  EXPECT_EQ(m.m[14], 3);
  m.SetTranslateMatrix(static_cast<const _Vector3d *>(nullptr));
  ExpectMatrixNear(m, Identity(), 0);
  m.SetRotationYXZMatrixDeg(static_cast<const _Vector3d *>(nullptr));
  ExpectMatrixNear(m, Identity(), 0);
}

// ---- Rotations ----

TEST(EngMatrixRotations, StandardRotationsTurnCounterClockwiseLikeGlRotate) {
  _Vector3d v = {1, 0, 0};
  RotZ(kPi / 2).TransformVectorByMatrix(&v);
  ExpectVectorNear(v, 0, 1, 0);
  v = {0, 1, 0};
  RotX(kPi / 2).TransformVectorByMatrix(&v);
  ExpectVectorNear(v, 0, 0, 1);
  v = {0, 0, 1};
  RotY(kPi / 2).TransformVectorByMatrix(&v);
  ExpectVectorNear(v, 1, 0, 0);

  EngMatrix deg;
  deg.SetRotateZMatrixDeg(90);
  ExpectMatrixNear(deg, RotZ(kPi / 2));
  deg.SetRotateXMatrixDeg(-30);
  ExpectMatrixNear(deg, RotX(-kPi / 6));
  deg.SetRotateYMatrixDeg(45);
  ExpectMatrixNear(deg, RotY(kPi / 4));
}

TEST(EngMatrixRotations, ClosedFormsTurnByNegatedAngles) {
  const float x = 0.3f, y = -0.7f, z = 1.1f;
  EngMatrix m;
  m.SetRotationXYZMatrix(x, y, z);
  ExpectMatrixNear(m, Product(Product(RotZ(-z), RotY(-y)), RotX(-x)));
  m.SetRotationZYXMatrix(x, y, z);
  ExpectMatrixNear(m, Product(Product(RotX(-x), RotY(-y)), RotZ(-z)));

  const float a = 0.8f;
  m.SetRotationXYZMatrix(a, 0, 0);
  ExpectMatrixNear(m, RotX(-a));
  m.SetRotationXYZMatrix(0, a, 0);
  ExpectMatrixNear(m, RotY(-a));
  m.SetRotationYXZMatrix(0, a, 0);
  ExpectMatrixNear(m, RotY(a));

  _Vector3d deg = {30, -45, 60};
  EngMatrix by_deg;
  by_deg.SetRotationZYXMatrixDeg(&deg);
  m.SetRotationZYXMatrix(kPi / 6, -kPi / 4, kPi / 3);
  ExpectMatrixNear(by_deg, m);
}

TEST(EngMatrixRotations, ComposedOrdersApplyInTheOrderOfTheirName) {
  const float x = 0.3f, y = -0.5f, z = 0.9f;
  struct {
    const char *name;
    EngMatrix *(EngMatrix::*set)(float, float, float);
    EngMatrix expected;
  } cases[] = {
      {"YXZ", &EngMatrix::SetRotationYXZMatrix, Product(Product(RotZ(z), RotX(x)), RotY(y))},
      {"YZX", &EngMatrix::SetRotationYZXMatrix, Product(Product(RotX(x), RotZ(z)), RotY(y))},
      {"XZY", &EngMatrix::SetRotationXZYMatrix, Product(Product(RotY(y), RotZ(z)), RotX(x))},
      {"ZXY", &EngMatrix::SetRotationZXYMatrix, Product(Product(RotY(y), RotX(x)), RotZ(z))},
  };
  for (auto &c : cases) {
    SCOPED_TRACE(c.name);
    EngMatrix m;
    EXPECT_EQ((m.*c.set)(x, y, z), &m);
    ExpectMatrixNear(m, c.expected);
  }
}

TEST(EngMatrixRotations, EulerAnglesBackFromTheRotation) {
  EngMatrix m;
  _Vector3d angles;
  m.SetRotationXYZMatrix(0.3f, -0.4f, 0.5f);
  m.GetRotationAngles(&angles);
  ExpectVectorNear(angles, 0.3f, 0.4f, 0.5f, 1e-5f);  // y comes back negated

  // Gimbal lock: x is taken as 0 and the whole turn goes to z.
  m.SetRotationXYZMatrix(0, kPi / 2, 0.3f);
  m.GetRotationAngles(&angles);
  EXPECT_EQ(angles.x, 0);
  EXPECT_NEAR(angles.y, -kPi / 2, 1e-3);
  EXPECT_NEAR(angles.z, 0.3f, 1e-5);

  // Rounding past 1 must not turn into NaN angles.
  m.SetIdentityMatrix();
  m.m[2] = 1.0000001f;
  m.GetRotationAngles(&angles);
  EXPECT_FALSE(std::isnan(angles.x) || std::isnan(angles.y) || std::isnan(angles.z));
  EXPECT_NEAR(angles.y, -kPi / 2, 1e-6);
  m.GetRotationAngles(nullptr);
}

// ---- Products ----

TEST(EngMatrixProducts, HandComputedProducts) {
  const EngMatrix a = FromRows({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
  const EngMatrix b = FromRows({2, 0, 0, 1, 0, 1, 0, 0, 1, 0, 1, 0, 0, 0, 0, 1});
  const EngMatrix ab = FromRows({5, 2, 3, 5, 17, 6, 7, 13, 29, 10, 11, 21, 41, 14, 15, 29});
  const EngMatrix ba = FromRows({15, 18, 21, 24, 5, 6, 7, 8, 10, 12, 14, 16, 13, 14, 15, 16});

  EngMatrix x = a, y = b, out;
  EXPECT_EQ(EngMatrixMultiplyMatrixByMatrix(&x, &y, &out), &out);
  ExpectMatrixNear(out, ab, 0);

  EngMatrix m = a;
  m.MultiplyByMatrix(&y);  // other x this
  ExpectMatrixNear(m, ba, 0);
  m = a;
  EXPECT_EQ(m.PreMultiplyByMatrix(&y), &m);  // this x other
  ExpectMatrixNear(m, ab, 0);

  // The output may be either input.
  x = a;
  EngMatrixMultiplyMatrixByMatrix(&x, &y, &x);
  ExpectMatrixNear(x, ab, 0);
  x = a;
  y = b;
  EngMatrixMultiplyMatrixByMatrix(&x, &y, &y);
  ExpectMatrixNear(y, ab, 0);

  EXPECT_EQ(EngMatrixMultiplyMatrixByMatrix(nullptr, &y, &out), nullptr);
  EXPECT_EQ(EngMatrixMultiplyMatrixByMatrix(&x, &y, nullptr), nullptr);
  m.MultiplyByMatrix(nullptr);
  EXPECT_EQ(m.PreMultiplyByMatrix(nullptr), &m);
}

TEST(EngMatrixProducts, SquaringInPlace) {
  const EngMatrix c = FromRows({1, 1, 0, 0, 0, 1, 0, 3, 0, 0, 2, 0, 0, 0, 0, 1});
  const EngMatrix c2 = FromRows({1, 2, 0, 3, 0, 1, 0, 6, 0, 0, 4, 0, 0, 0, 0, 1});
  EngMatrix m = c;
  m.MultiplyByMatrix(&m);
  ExpectMatrixNear(m, c2, 0);
  m = c;
  m.PreMultiplyByMatrix(&m);
  ExpectMatrixNear(m, c2, 0);
}

TEST(EngMatrixProducts, OrderOfApplication) {
  EngMatrix scale, move;
  scale.SetScaleMatrix(2);
  move.SetTranslateMatrix(1, 0, 0);
  _Vector3d v = {1, 0, 0};

  EngMatrix m = scale;
  m.MultiplyByMatrix(&move);  // scale first, then move
  m.TransformVectorByMatrix(&v);
  ExpectVectorNear(v, 3, 0, 0);

  v = {1, 0, 0};
  m = scale;
  m.PreMultiplyByMatrix(&move);  // move first, then scale
  m.TransformVectorByMatrix(&v);
  ExpectVectorNear(v, 4, 0, 0);
}

TEST(EngMatrixProducts, LinearInterpolation) {
  EngMatrix a = Identity(), b, out;
  b.SetTranslateMatrix(10, -20, 4);
  b.m[0] = 3;
  EXPECT_EQ(EngMatrixLinearInterpolateTwoMatrices(&a, &b, 0.25f, &out), &out);
  EXPECT_FLOAT_EQ(out.m[0], 1.5f);
  EXPECT_FLOAT_EQ(out.m[12], 2.5f);
  EXPECT_FLOAT_EQ(out.m[13], -5);
  EXPECT_FLOAT_EQ(out.m[15], 1);
  EXPECT_EQ(EngMatrixLinearInterpolateTwoMatrices(&a, nullptr, 0.5f, &out), nullptr);
  EXPECT_EQ(EngMatrixLinearInterpolateTwoMatrices(&a, &b, 0.5f, nullptr), nullptr);
}

// ---- Vector transforms ----

TEST(EngMatrixTransforms, HomogeneousDivideAndItsAbsence) {
  EngMatrix m = FromRows({1, 0, 0, 5, 0, 2, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1});  // w = x + 1
  _Vector3d in = {1, 2, 3}, out;
  EXPECT_EQ(m.TransformVectorByMatrix2(&in, &out), &out);
  ExpectVectorNear(out, 3, 2, 1.5f);
  EXPECT_EQ(m.TransformVectorByMatrix3(1, 2, 3, &out), &out);
  ExpectVectorNear(out, 3, 2, 1.5f);
  EXPECT_EQ(m.TransformVectorByMatrix2(&in, &in), &in);  // in place reads the inputs first
  ExpectVectorNear(in, 3, 2, 1.5f);

  // A point that makes w = 0 keeps the undivided values.
  _Vector3d at_w0 = {-1, 2, 3};
  m.TransformVectorByMatrix(&at_w0);
  ExpectVectorNear(at_w0, 4, 4, 3);

  EXPECT_EQ(m.TransformVectorByMatrix(nullptr), nullptr);
  EXPECT_EQ(m.TransformVectorByMatrix2(nullptr, &out), nullptr);
  EXPECT_EQ(m.TransformVectorByMatrix3(1, 2, 3, nullptr), nullptr);
}

TEST(EngMatrixTransforms, TwoDimensionalTransform) {
  EngMatrix m;
  m.SetTranslateMatrix(5, 6, 100);  // z plays no part
  m.m[0] = 2;
  _Vector2d in = {1, 2}, out;
  EXPECT_EQ(m.TransformVector2dByMatrix2(&in, &out), &out);
  EXPECT_FLOAT_EQ(out.x, 7);
  EXPECT_FLOAT_EQ(out.y, 8);

  m.m[7] = 1;  // w = y + 1
  m.TransformVector2dByMatrix2(&in, &out);
  EXPECT_FLOAT_EQ(out.x, 7.0f / 3);
  EXPECT_FLOAT_EQ(out.y, 8.0f / 3);

  testing::internal::CaptureStderr();
  EXPECT_EQ(m.TransformVector2dByMatrix2(&in, &in), &in);
  std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(in.x, 1);
  EXPECT_EQ(in.y, 2);
  EXPECT_NE(log.find("TransformVector2dByMatrix2"), std::string::npos) << log;
  EXPECT_EQ(m.TransformVector2dByMatrix2(nullptr, &out), nullptr);
  EXPECT_EQ(m.TransformVector2dByMatrix2(&in, nullptr), nullptr);
}

// ---- Inverse ----

TEST(EngMatrixInverse, HandComputedAndRoundTrip) {
  EngMatrix m, inv;
  char ok = 1;
  m.SetTranslateMatrix(1, -2, 3);
  EXPECT_EQ(m.GetInverseMatrix(&inv, &ok), &inv);
  EngMatrix expected;
  ExpectMatrixNear(inv, *expected.SetTranslateMatrix(-1, 2, -3));

  m.SetScaleMatrix(2, 4, -8);
  m.GetInverseMatrix(&inv, &ok);
  ExpectMatrixNear(inv, *expected.SetScaleMatrix(0.5f, 0.25f, -0.125f));

  // A zero first pivot needs the row swap: swapping x and y is its own inverse.
  const EngMatrix swap = FromRows({0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
  swap.GetInverseMatrix(&inv, &ok);
  ExpectMatrixNear(inv, swap);

  EngMatrix rot, scale, move;
  rot.SetRotationXYZMatrix(0.3f, -0.7f, 1.1f);
  scale.SetScaleMatrix(2, 3, 0.5f);
  move.SetTranslateMatrix(4, 5, -6);
  EngMatrix general = Product(Product(move, rot), scale);
  general.m[3] = 0.1f;  // a projective row too
  general.GetInverseMatrix(&inv, &ok);
  ExpectMatrixNear(Product(inv, general), Identity(), 1e-5f);
  ExpectMatrixNear(Product(general, inv), Identity(), 1e-5f);
  EXPECT_EQ(ok, 1);  // never written on success

  EngMatrix self = general;
  self.GetInverseMatrix(&self, nullptr);  // out may be this matrix
  ExpectMatrixNear(self, inv, 0);
  EXPECT_EQ(general.GetInverseMatrix(nullptr, &ok), nullptr);
}

TEST(EngMatrixInverse, SingularGivesIdentityAndClearsTheFlag) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const EngMatrix singular[] = {
      FromRows({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
      FromRows({1, 2, 3, 4, 1, 2, 3, 4, 0, 0, 1, 0, 0, 0, 0, 1}),  // two equal rows
      FromRows({1, 0, 0, 0, 0, 1e-9f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}),
      FromRows({nan, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}),
  };
  for (const EngMatrix &m : singular) {
    SCOPED_TRACE(int(&m - singular));
    EngMatrix inv = FromRows({9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9});
    char ok = 1;
    EXPECT_EQ(m.GetInverseMatrix(&inv, &ok), &inv);
    EXPECT_EQ(ok, 0);
    ExpectMatrixNear(inv, Identity(), 0);
    m.GetInverseMatrix(&inv, nullptr);
  }
}

// ---- Projections, checked against the glOrtho / glFrustum / gluPerspective formulas ----

TEST(EngMatrixProjections, OrthoMapsDesignSpaceToClipSpace) {
  EngMatrix m;
  EXPECT_EQ(m.SetOrthoMatrix(0, 640, 480, 0, -1, 1), &m);
  ExpectMatrixNear(m, FromRows({2.0f / 640, 0, 0, -1, 0, -2.0f / 480, 0, 1, 0, 0, -1, 0, 0, 0, 0, 1}));
  _Vector3d p = {160, 120, 0};
  m.TransformVectorByMatrix(&p);
  ExpectVectorNear(p, 160.0f / 320 - 1, 1 - 120.0f / 240, 0);

  m.SetOrthoMatrix(-2, 6, -1, 3, 1, 11);
  ExpectMatrixNear(m, FromRows({0.25f, 0, 0, -0.5f, 0, 0.5f, 0, -0.5f, 0, 0, -0.2f, -1.2f, 0, 0, 0, 1}));

  const struct {
    float l, r, b, t, n, f;
  } invalid[] = {{1, 1, 0, 1, 0, 1}, {0, 1, 2, 2, 0, 1}, {0, 1, 0, 1, 5, 5}};
  for (const auto &c : invalid) {
    EngMatrix kept = m;
    testing::internal::CaptureStderr();
    EXPECT_EQ(m.SetOrthoMatrix(c.l, c.r, c.b, c.t, c.n, c.f), &m);
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Invalid parameters."), std::string::npos) << log;
    ExpectMatrixNear(m, kept, 0);
  }
}

TEST(EngMatrixProjections, FrustumAndPerspective) {
  EngMatrix m;
  m.SetFrustumMatrix(-1, 2, -3, 4, 1, 10);
  ExpectMatrixNear(m, FromRows({2.0f / 3, 0, 1.0f / 3, 0, 0, 2.0f / 7, 1.0f / 7, 0, 0, 0, -11.0f / 9, -20.0f / 9,
                                0, 0, -1, 0}));

  EXPECT_EQ(m.SetPerspectiveMatrix(90, 1, 1, 100), &m);
  EXPECT_NEAR(m.m[0], 1, 1e-6);
  EXPECT_NEAR(m.m[5], 1, 1e-6);
  EXPECT_FLOAT_EQ(m.m[10], -101.0f / 99);
  EXPECT_EQ(m.m[11], -1);
  EXPECT_FLOAT_EQ(m.m[14], -200.0f / 99);
  EXPECT_EQ(m.m[15], 0);
  EXPECT_EQ(m.m[8], 0);

  // The near plane lands on clip depth -1, the far plane on +1.
  _Vector3d near_p = {0, 0, -1}, far_p = {0, 0, -100};
  m.TransformVectorByMatrix(&near_p);
  m.TransformVectorByMatrix(&far_p);
  EXPECT_NEAR(near_p.z, -1, 1e-5);
  EXPECT_NEAR(far_p.z, 1, 1e-5);

  // gluPerspective with a wide aspect: x is scaled by 1 / (aspect * tan(fovy / 2)).
  m.SetPerspectiveMatrix(60, 16.0f / 9, 0.5f, 50);
  double f = 1 / tan(60 * M_PI / 360);
  EXPECT_NEAR(m.m[0], f / (16.0 / 9), 1e-5);
  EXPECT_NEAR(m.m[5], f, 1e-5);
}

// gluLookAt done by hand in double precision.
EngMatrix GluLookAt(double ex, double ey, double ez, double cx, double cy, double cz, double ux, double uy,
                    double uz) {
  double f[3] = {cx - ex, cy - ey, cz - ez};
  double fl = sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
  for (double &c : f) c /= fl;
  double s[3] = {f[1] * uz - f[2] * uy, f[2] * ux - f[0] * uz, f[0] * uy - f[1] * ux};
  double sl = sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
  for (double &c : s) c /= sl;
  double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0]};
  double rows[3][3] = {{s[0], s[1], s[2]}, {u[0], u[1], u[2]}, {-f[0], -f[1], -f[2]}};
  double eye[3] = {ex, ey, ez};
  EngMatrix m;
  m.SetIdentityMatrix();
  for (int r = 0; r < 3; r++) {
    double t = 0;
    for (int c = 0; c < 3; c++) {
      m(r, c) = float(rows[r][c]);
      t -= rows[r][c] * eye[c];
    }
    m(r, 3) = float(t);
  }
  return m;
}

TEST(EngMatrixProjections, LookAtMatchesGluLookAt) {
  struct {
    _Vector3d eye, centre, up;
  } cases[] = {
      {{0, 0, 5}, {0, 0, 0}, {0, 1, 0}},
      {{1, 2, 3}, {4, 6, 3}, {0, 0, 1}},
      {{-3, 10, 7}, {2, -1, 0.5f}, {0, 2, 0}},  // up need not be unit length
  };
  for (auto &c : cases) {
    SCOPED_TRACE(int(&c - cases));
    EngMatrix m;
    EXPECT_EQ(m.SetLookAtMatrix(&c.eye, &c.centre, &c.up), &m);
    ExpectMatrixNear(m, GluLookAt(c.eye.x, c.eye.y, c.eye.z, c.centre.x, c.centre.y, c.centre.z, c.up.x, c.up.y,
                                  c.up.z),
                     1e-5f);
    // The eye goes to the origin and the centre straight ahead on -z.
    _Vector3d eye = c.eye, centre = c.centre;
    m.TransformVectorByMatrix(&eye);
    ExpectVectorNear(eye, 0, 0, 0, 1e-5f);
    m.TransformVectorByMatrix(&centre);
    ExpectVectorNear(centre, 0, 0, -EngMathGetLineLength3D(&c.eye, &c.centre), 1e-4f);
  }
}

TEST(EngMatrixProjections, LookAtDegenerateInputs) {
  _Vector3d eye = {1, 2, 3}, up = {0, 1, 0};
  EngMatrix m;
  m.SetLookAtMatrix(&eye, &eye, &up);  // no direction: nothing divided by zero
  for (float v : m.m) EXPECT_TRUE(std::isfinite(v));
  EXPECT_EQ(m.m[15], 1);

  _Vector3d along = {1, 10, 3};  // looking straight along up
  m.SetLookAtMatrix(&eye, &along, &up);
  for (float v : m.m) EXPECT_TRUE(std::isfinite(v));

  m.SetLookAtMatrix(nullptr, &eye, &up);
  ExpectMatrixNear(m, Identity(), 0);
  m.SetLookAtMatrixLH(&eye, nullptr, &up);
  ExpectMatrixNear(m, Identity(), 0);
}

TEST(EngMatrixProjections, LeftHandedLookAt) {
  _Vector3d eye = {1, 2, 3}, at = {1, 2, 7}, up = {0, 3, 0};
  EngMatrix m;
  EXPECT_EQ(m.SetLookAtMatrixLH(&eye, &at, &up), &m);
  // z = (0, 0, 1), x = up x z = (1, 0, 0), y = (0, 1, 0); rows are the negated axes.
  ExpectMatrixNear(m, FromRows({-1, 0, 0, 1, 0, -1, 0, 2, 0, 0, -1, 3, 0, 0, 0, 1}));
  _Vector3d p = eye;
  m.TransformVectorByMatrix(&p);
  ExpectVectorNear(p, 0, 0, 0);
}

// ---- Orientation and row-major exchange ----

TEST(EngMatrixOrientation, ScreenRotations) {
  EngMatrix m;
  m.SetOrientationMatrix(1);
  ExpectMatrixNear(m, FromRows({-1, 8.742278e-8f, 0, 0, -8.742278e-8f, -1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}), 0);
  ExpectMatrixNear(m, RotZ(kPi));
  m.SetOrientationMatrix(2);
  ExpectMatrixNear(m, RotZ(-kPi / 2));
  EXPECT_EQ(m.m[0], 1.1924881e-8f);
  m.SetOrientationMatrix(3);
  ExpectMatrixNear(m, RotZ(kPi / 2));
  EXPECT_EQ(m.m[5], -4.3711388e-8f);

  EngMatrix kept = m;
  m.SetOrientationMatrix(7);
  ExpectMatrixNear(m, kept, 0);
  m.SetOrientationMatrix();  // the desktop never rotates
  ExpectMatrixNear(m, Identity(), 0);
}

TEST(EngMatrixOrientation, RowMajorExchange) {
  const EngMatrix a = FromRows({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
  _EngMatrixDxMatrix dx;
  EXPECT_EQ(a.GetDxMatrix(&dx), &dx);
  for (int i = 0; i < 16; i++) EXPECT_EQ(dx.m[i], a.m[i]);
  EngMatrix b;
  EXPECT_EQ(b.ConvertFromDxMatrix(&dx), &b);
  ExpectMatrixNear(b, a, 0);

  EXPECT_EQ(b.GetDxMatrix(), &b);
  for (int r = 0; r < 4; r++)
    for (int c = 0; c < 4; c++) EXPECT_EQ(b(r, c), a(c, r));
  EXPECT_EQ(b.ConvertFromDxMatrix(), &b);
  ExpectMatrixNear(b, a, 0);

  EXPECT_EQ(a.GetDxMatrix(nullptr), nullptr);
  EXPECT_EQ(b.ConvertFromDxMatrix(nullptr), nullptr);
}

}  // namespace
