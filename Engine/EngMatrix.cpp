#include "Engine/EngMatrix.h"

#include <cmath>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMath.h"

const float eng_matrix_identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
const int eng_matrix_index_map[16] = {0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15};

static const float kDegToRad = ENG_MATH_PI / 180.0f;

// out = p x q in the (row, col) sense; out may be p or q.
static void MatrixProduct(const float *p, const float *q, float *out) {
  float r[16];
  for (int col = 0; col < 4; col++)
    for (int row = 0; row < 4; row++) {
      float sum = 0;
      for (int k = 0; k < 4; k++) sum += q[col * 4 + k] * p[k * 4 + row];
      r[col * 4 + row] = sum;
    }
  memcpy(out, r, sizeof(r));
}

EngMatrix &EngMatrix::operator=(const EngMatrix &other) {
  if (this != &other) memcpy(m, other.m, sizeof(m));
  return *this;
}

EngMatrix *EngMatrix::SetIdentityMatrix() {
  memcpy(m, eng_matrix_identity, sizeof(m));
  return this;
}

EngMatrix *EngMatrix::SetTranslateMatrix(float x, float y, float z) {
  SetIdentityMatrix();
  m[12] = x;
  m[13] = y;
  m[14] = z;
  return this;
}

EngMatrix *EngMatrix::SetTranslateMatrix(const _Vector3d *v) {
  return v ? SetTranslateMatrix(v->x, v->y, v->z) : SetIdentityMatrix();
}

EngMatrix *EngMatrix::SetScaleMatrix(float x, float y, float z) {
  SetIdentityMatrix();
  m[0] = x;
  m[5] = y;
  m[10] = z;
  return this;
}

EngMatrix *EngMatrix::SetScaleMatrix(float factor) { return SetScaleMatrix(factor, factor, factor); }

EngMatrix *EngMatrix::SetScaleMatrix(const _Vector3d *v) {
  return v ? SetScaleMatrix(v->x, v->y, v->z) : SetIdentityMatrix();
}

static float Cos(float angle) { return float(cos(double(angle))); }
static float Sin(float angle) { return float(sin(double(angle))); }

EngMatrix *EngMatrix::SetRotateXMatrix(float angle) {
  float c = Cos(angle), s = Sin(angle);
  SetIdentityMatrix();
  m[5] = c;
  m[6] = s;
  m[9] = -s;
  m[10] = c;
  return this;
}

EngMatrix *EngMatrix::SetRotateYMatrix(float angle) {
  float c = Cos(angle), s = Sin(angle);
  SetIdentityMatrix();
  m[0] = c;
  m[2] = -s;
  m[8] = s;
  m[10] = c;
  return this;
}

EngMatrix *EngMatrix::SetRotateZMatrix(float angle) {
  float c = Cos(angle), s = Sin(angle);
  SetIdentityMatrix();
  m[0] = c;
  m[1] = s;
  m[4] = -s;
  m[5] = c;
  return this;
}

EngMatrix *EngMatrix::SetRotateXMatrixDeg(float angle) { return SetRotateXMatrix(angle * kDegToRad); }
EngMatrix *EngMatrix::SetRotateYMatrixDeg(float angle) { return SetRotateYMatrix(angle * kDegToRad); }
EngMatrix *EngMatrix::SetRotateZMatrixDeg(float angle) { return SetRotateZMatrix(angle * kDegToRad); }

EngMatrix *EngMatrix::SetRotationXYZMatrix(float x, float y, float z) {
  float cx = Cos(x), sx = Sin(x), cy = Cos(y), sy = Sin(y), cz = Cos(z), sz = Sin(z);
  SetIdentityMatrix();
  m[0] = cy * cz;
  m[1] = -cy * sz;
  m[2] = sy;
  m[4] = cx * sz + sx * sy * cz;
  m[5] = cx * cz - sx * sy * sz;
  m[6] = -sx * cy;
  m[8] = sx * sz - cx * sy * cz;
  m[9] = sx * cz + cx * sy * sz;
  m[10] = cx * cy;
  return this;
}

EngMatrix *EngMatrix::SetRotationZYXMatrix(float x, float y, float z) {
  float cx = Cos(x), sx = Sin(x), cy = Cos(y), sy = Sin(y), cz = Cos(z), sz = Sin(z);
  SetIdentityMatrix();
  m[0] = cy * cz;
  m[1] = sx * sy * cz - cx * sz;
  m[2] = cx * sy * cz + sx * sz;
  m[4] = cy * sz;
  m[5] = sx * sy * sz + cx * cz;
  m[6] = cx * sy * sz - sx * cz;
  m[8] = -sy;
  m[9] = sx * cy;
  m[10] = cx * cy;
  return this;
}

// The composed orders: the first rotation, then each further one multiplied on.
EngMatrix *EngMatrix::SetRotationYXZMatrix(float x, float y, float z) {
  EngMatrix r;
  SetRotateYMatrix(y);
  MultiplyByMatrix(r.SetRotateXMatrix(x));
  MultiplyByMatrix(r.SetRotateZMatrix(z));
  return this;
}

EngMatrix *EngMatrix::SetRotationYZXMatrix(float x, float y, float z) {
  EngMatrix r;
  SetRotateYMatrix(y);
  MultiplyByMatrix(r.SetRotateZMatrix(z));
  MultiplyByMatrix(r.SetRotateXMatrix(x));
  return this;
}

EngMatrix *EngMatrix::SetRotationXZYMatrix(float x, float y, float z) {
  EngMatrix r;
  SetRotateXMatrix(x);
  MultiplyByMatrix(r.SetRotateZMatrix(z));
  MultiplyByMatrix(r.SetRotateYMatrix(y));
  return this;
}

EngMatrix *EngMatrix::SetRotationZXYMatrix(float x, float y, float z) {
  EngMatrix r;
  SetRotateZMatrix(z);
  MultiplyByMatrix(r.SetRotateXMatrix(x));
  MultiplyByMatrix(r.SetRotateYMatrix(y));
  return this;
}

#define ENG_MATRIX_ROTATION_FORMS(Name)                                                     \
  EngMatrix *EngMatrix::Name##Deg(float x, float y, float z) {                             \
    return Name(x * kDegToRad, y * kDegToRad, z * kDegToRad);                              \
  }                                                                                        \
  EngMatrix *EngMatrix::Name(const _Vector3d *angles) {                                    \
    return angles ? Name(angles->x, angles->y, angles->z) : SetIdentityMatrix();           \
  }                                                                                        \
  EngMatrix *EngMatrix::Name##Deg(const _Vector3d *angles) {                               \
    return angles ? Name##Deg(angles->x, angles->y, angles->z) : SetIdentityMatrix();      \
  }

ENG_MATRIX_ROTATION_FORMS(SetRotationXYZMatrix)
ENG_MATRIX_ROTATION_FORMS(SetRotationZYXMatrix)
ENG_MATRIX_ROTATION_FORMS(SetRotationYXZMatrix)
ENG_MATRIX_ROTATION_FORMS(SetRotationYZXMatrix)
ENG_MATRIX_ROTATION_FORMS(SetRotationXZYMatrix)
ENG_MATRIX_ROTATION_FORMS(SetRotationZXYMatrix)

#undef ENG_MATRIX_ROTATION_FORMS

void EngMatrix::MultiplyByMatrix(EngMatrix *other) {
  if (!other) return;
  MatrixProduct(other->m, m, m);
}

EngMatrix *EngMatrix::PreMultiplyByMatrix(EngMatrix *other) {
  if (!other) return this;
  MatrixProduct(m, other->m, m);
  return this;
}

_Vector3d *EngMatrix::TransformVectorByMatrix3(float x, float y, float z, _Vector3d *out) const {
  if (!out) return nullptr;
  float rx = m[0] * x + m[4] * y + m[8] * z + m[12];
  float ry = m[1] * x + m[5] * y + m[9] * z + m[13];
  float rz = m[2] * x + m[6] * y + m[10] * z + m[14];
  float w = m[3] * x + m[7] * y + m[11] * z + m[15];
  if (w != 0) {
    rx /= w;
    ry /= w;
    rz /= w;
  }
  out->x = rx;
  out->y = ry;
  out->z = rz;
  return out;
}

_Vector3d *EngMatrix::TransformVectorByMatrix(_Vector3d *v) const {
  if (!v) return nullptr;
  return TransformVectorByMatrix3(v->x, v->y, v->z, v);
}

_Vector3d *EngMatrix::TransformVectorByMatrix2(const _Vector3d *in, _Vector3d *out) const {
  if (!in || !out) return nullptr;
  return TransformVectorByMatrix3(in->x, in->y, in->z, out);
}

_Vector2d *EngMatrix::TransformVector2dByMatrix2(_Vector2d *in, _Vector2d *out) const {
  if (!in || !out) return nullptr;
  if (in == out) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOIM);
    return out;
  }
  out->x = m[0] * in->x + m[4] * in->y + m[12];
  out->y = m[1] * in->x + m[5] * in->y + m[13];
  float w = m[3] * in->x + m[7] * in->y + m[15];
  if (w != 0) {
    out->x /= w;
    out->y /= w;
  }
  return out;
}

// Gauss-Jordan with partial pivoting: what is done to the working copy is done to out, so
// out ends as the inverse when the copy ends as the identity.
EngMatrix *EngMatrix::GetInverseMatrix(EngMatrix *out, char *ok) const {
  if (!out) return nullptr;
  const float kTiny = 1e-8f;
  EngMatrix a = *this;
  EngMatrix inv;
  inv.SetIdentityMatrix();
  for (int c = 0; c < 4; c++) {
    int pivot = c;
    for (int r = c + 1; r < 4; r++)
      if (fabsf(a(r, c)) > fabsf(a(pivot, c))) pivot = r;
    if (!(fabsf(a(pivot, c)) >= kTiny)) {
      out->SetIdentityMatrix();
      if (ok) *ok = 0;
      return out;
    }
    if (pivot != c)
      for (int k = 0; k < 4; k++) {
        float t = a(c, k);
        a(c, k) = a(pivot, k);
        a(pivot, k) = t;
        t = inv(c, k);
        inv(c, k) = inv(pivot, k);
        inv(pivot, k) = t;
      }
    float d = a(c, c);
    if (d != 1)
      for (int k = 0; k < 4; k++) {
        a(c, k) /= d;
        inv(c, k) /= d;
      }
    for (int r = 0; r < 4; r++) {
      if (r == c) continue;
      float f = a(r, c);
      if (!(fabsf(f) > kTiny)) continue;
      for (int k = 0; k < 4; k++) {
        a(r, k) += a(c, k) * -f;
        inv(r, k) += inv(c, k) * -f;
      }
    }
  }
  *out = inv;
  return out;
}

EngMatrix *EngMatrix::SetOrthoMatrix(float left, float right, float bottom, float top, float near_z, float far_z) {
  float w = right - left, h = top - bottom, d = far_z - near_z;
  if (w == 0 || d == 0 || h == 0) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters.");
    return this;
  }
  memset(m, 0, sizeof(m));
  m[0] = 2 / w;
  m[5] = 2 / h;
  m[10] = -2 / d;
  m[12] = -(left + right) / w;
  m[13] = -(bottom + top) / h;
  m[14] = -(near_z + far_z) / d;
  m[15] = 1;
  return this;
}

void EngMatrix::SetFrustumMatrix(float left, float right, float bottom, float top, float near_z, float far_z) {
  memset(m, 0, sizeof(m));
  m[0] = 2 * near_z / (right - left);
  m[5] = 2 * near_z / (top - bottom);
  m[8] = (right + left) / (right - left);
  m[9] = (top + bottom) / (top - bottom);
  m[10] = -(far_z + near_z) / (far_z - near_z);
  m[11] = -1;
  m[14] = -2 * far_z * near_z / (far_z - near_z);
}

EngMatrix *EngMatrix::SetPerspectiveMatrix(float fovy, float aspect, float near_z, float far_z) {
  float ymax = near_z * float(tan(double(fovy * ENG_MATH_PI / 360.0f)));
  SetFrustumMatrix(-ymax * aspect, ymax * aspect, -ymax, ymax, near_z, far_z);
  return this;
}

static void DivideByLength(_Vector3d *v) {
  float len = EngMathGetVectorMagnitude(v);
  if (len == 0) return;
  v->x /= len;
  v->y /= len;
  v->z /= len;
}

EngMatrix *EngMatrix::SetLookAtMatrix(const _Vector3d *eye, const _Vector3d *centre, const _Vector3d *up) {
  if (!eye || !centre || !up) return SetIdentityMatrix();
  _Vector3d z = {eye->x - centre->x, eye->y - centre->y, eye->z - centre->z};
  DivideByLength(&z);
  _Vector3d x, y;
  EngMathGetVectorCrossProduct(&x, up, &z);
  EngMathGetVectorCrossProduct(&y, &z, &x);
  DivideByLength(&x);
  DivideByLength(&y);
  SetIdentityMatrix();
  m[0] = x.x;
  m[4] = x.y;
  m[8] = x.z;
  m[1] = y.x;
  m[5] = y.y;
  m[9] = y.z;
  m[2] = z.x;
  m[6] = z.y;
  m[10] = z.z;
  EngMatrix t;
  t.SetTranslateMatrix(-eye->x, -eye->y, -eye->z);
  return PreMultiplyByMatrix(&t);
}

EngMatrix *EngMatrix::SetLookAtMatrixLH(const _Vector3d *eye, const _Vector3d *at, const _Vector3d *up) {
  if (!eye || !at || !up) return SetIdentityMatrix();
  memset(m, 0, sizeof(m));
  _Vector3d z = {at->x - eye->x, at->y - eye->y, at->z - eye->z};
  _Vector3d x, y;
  EngMathGetVectorCrossProduct(&x, up, &z);
  EngMathUnifyNormal(&z);
  EngMathUnifyNormal(&x);
  EngMathGetVectorCrossProduct(&y, &z, &x);
  const _Vector3d *rows[3] = {&x, &y, &z};
  for (int r = 0; r < 3; r++) {
    m[r] = -rows[r]->x;
    m[4 + r] = -rows[r]->y;
    m[8 + r] = -rows[r]->z;
    m[12 + r] = EngMathDotProduct(rows[r], eye);
  }
  m[15] = 1;
  return this;
}

void EngMatrix::GetRotationAngles(_Vector3d *out) const {
  if (!out) return;
  // Rounding can push a unit entry a hair past 1, where asin has no answer.
  double s = m[2];
  if (s > 1) s = 1;
  if (s < -1) s = -1;
  double b = asin(s);
  double c = cos(b);
  if (fabs(c) > 0.005) {
    out->x = float(atan2(-m[6] / c, m[10] / c));
    out->z = float(atan2(-m[1] / c, m[0] / c));
  } else {
    out->x = 0;
    out->z = float(atan2(double(m[4]), double(m[5])));
  }
  out->y = float(-b);
}

void EngMatrix::SetOrientationMatrix() {
  // The desktop window is never rotated, so its alternative orientation stays 0.
  SetOrientationMatrix(0);
}

void EngMatrix::SetOrientationMatrix(EngInt32 orientation_alt) {
  // The near-zero entries are the single-precision sines and cosines of the turns, as stored.
  switch (orientation_alt) {
    case 0:
      SetIdentityMatrix();
      break;
    case 1:
      SetIdentityMatrix();
      m[0] = -1;
      m[1] = -8.742278e-8f;
      m[4] = 8.742278e-8f;
      m[5] = -1;
      break;
    case 2:
      SetIdentityMatrix();
      m[0] = 1.1924881e-8f;
      m[1] = -1;
      m[4] = 1;
      m[5] = 1.1924881e-8f;
      break;
    case 3:
      SetIdentityMatrix();
      m[0] = -4.3711388e-8f;
      m[1] = 1;
      m[4] = -1;
      m[5] = -4.3711388e-8f;
      break;
    default:
      break;
  }
}

static void Transpose(float *m) {
  static const int pairs[6][2] = {{1, 4}, {2, 8}, {3, 12}, {6, 9}, {7, 13}, {11, 14}};
  for (const auto &p : pairs) {
    float t = m[p[0]];
    m[p[0]] = m[p[1]];
    m[p[1]] = t;
  }
}

_EngMatrixDxMatrix *EngMatrix::GetDxMatrix(_EngMatrixDxMatrix *out) const {
  if (!out) return nullptr;
  memcpy(out->m, m, sizeof(m));
  return out;
}

EngMatrix *EngMatrix::GetDxMatrix() {
  Transpose(m);
  return this;
}

EngMatrix *EngMatrix::ConvertFromDxMatrix(_EngMatrixDxMatrix *in) {
  if (!in) return nullptr;
  memcpy(m, in->m, sizeof(m));
  return this;
}

EngMatrix *EngMatrix::ConvertFromDxMatrix() {
  Transpose(m);
  return this;
}

EngMatrix *EngMatrixMultiplyMatrixByMatrix(EngMatrix *a, EngMatrix *b, EngMatrix *out) {
  if (!a || !b || !out) return nullptr;
  MatrixProduct(a->m, b->m, out->m);
  return out;
}

EngMatrix *EngMatrixLinearInterpolateTwoMatrices(EngMatrix *a, EngMatrix *b, float t, EngMatrix *out) {
  if (!a || !b || !out) return nullptr;
  for (int i = 0; i < 16; i++) out->m[i] = a->m[i] + (b->m[i] - a->m[i]) * t;
  return out;
}
