// The engine's 4x4 transformation matrix in fixed-function OpenGL layout: column vectors,
// stored column by column (element (row, col) at m[col * 4 + row], translation in m[12..14]),
// so m can go to glLoadMatrixf unchanged. Setters, products, inversion, projections, look-at.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"

// Sixteen floats in the same order as EngMatrix, for code that thinks in rows.
struct _EngMatrixDxMatrix {
  float m[16];
};

extern const float eng_matrix_identity[16];
// Storage index of element (row, col), looked up at row * 4 + col.
extern const int eng_matrix_index_map[16];

class EngMatrix {
 public:
  float m[16];

  // Elements are left undefined: owners call SetIdentityMatrix first.
  EngMatrix() = default;
  EngMatrix(const EngMatrix &other) = default;
  EngMatrix &operator=(const EngMatrix &other);

  float &operator()(int row, int col) { return m[col * 4 + row]; }
  float operator()(int row, int col) const { return m[col * 4 + row]; }

  // Every setter overwrites all sixteen elements. A null vector of angles or factors gives
  // the identity. Deg forms take degrees.
  EngMatrix *SetIdentityMatrix();
  EngMatrix *SetTranslateMatrix(float x, float y, float z);
  EngMatrix *SetTranslateMatrix(const _Vector3d *v);
  EngMatrix *SetScaleMatrix(float x, float y, float z);
  EngMatrix *SetScaleMatrix(float factor);
  EngMatrix *SetScaleMatrix(const _Vector3d *v);
  EngMatrix *SetRotateXMatrix(float angle);
  EngMatrix *SetRotateYMatrix(float angle);
  EngMatrix *SetRotateZMatrix(float angle);
  EngMatrix *SetRotateXMatrixDeg(float angle);
  EngMatrix *SetRotateYMatrixDeg(float angle);
  EngMatrix *SetRotateZMatrixDeg(float angle);

  // XYZ and ZYX turn by the negated angles (XYZ with (a, 0, 0) is SetRotateXMatrix(-a));
  // the other four orders multiply the standard rotations with positive angles, applied in
  // the order of the name.
  EngMatrix *SetRotationXYZMatrix(float x, float y, float z);
  EngMatrix *SetRotationXYZMatrixDeg(float x, float y, float z);
  EngMatrix *SetRotationXYZMatrix(const _Vector3d *angles);
  EngMatrix *SetRotationXYZMatrixDeg(const _Vector3d *angles);
  EngMatrix *SetRotationZYXMatrix(float x, float y, float z);
  EngMatrix *SetRotationZYXMatrixDeg(float x, float y, float z);
  EngMatrix *SetRotationZYXMatrix(const _Vector3d *angles);
  EngMatrix *SetRotationZYXMatrixDeg(const _Vector3d *angles);
  EngMatrix *SetRotationYXZMatrix(float x, float y, float z);
  EngMatrix *SetRotationYXZMatrixDeg(float x, float y, float z);
  EngMatrix *SetRotationYXZMatrix(const _Vector3d *angles);
  EngMatrix *SetRotationYXZMatrixDeg(const _Vector3d *angles);
  EngMatrix *SetRotationYZXMatrix(float x, float y, float z);
  EngMatrix *SetRotationYZXMatrixDeg(float x, float y, float z);
  EngMatrix *SetRotationYZXMatrix(const _Vector3d *angles);
  EngMatrix *SetRotationYZXMatrixDeg(const _Vector3d *angles);
  EngMatrix *SetRotationXZYMatrix(float x, float y, float z);
  EngMatrix *SetRotationXZYMatrixDeg(float x, float y, float z);
  EngMatrix *SetRotationXZYMatrix(const _Vector3d *angles);
  EngMatrix *SetRotationXZYMatrixDeg(const _Vector3d *angles);
  EngMatrix *SetRotationZXYMatrix(float x, float y, float z);
  EngMatrix *SetRotationZXYMatrixDeg(float x, float y, float z);
  EngMatrix *SetRotationZXYMatrix(const _Vector3d *angles);
  EngMatrix *SetRotationZXYMatrixDeg(const _Vector3d *angles);

  // this = other x this: the result applies this first, then other. other may be this.
  void MultiplyByMatrix(EngMatrix *other);
  // this = this x other: the result applies other first, then this. other may be this.
  EngMatrix *PreMultiplyByMatrix(EngMatrix *other);

  // M * (x, y, z, 1), divided by w unless w is 0.
  _Vector3d *TransformVectorByMatrix(_Vector3d *v) const;
  _Vector3d *TransformVectorByMatrix2(const _Vector3d *in, _Vector3d *out) const;
  _Vector3d *TransformVectorByMatrix3(float x, float y, float z, _Vector3d *out) const;
  // in and out must be different vectors.
  _Vector2d *TransformVector2dByMatrix2(_Vector2d *in, _Vector2d *out) const;

  // On a singular matrix out becomes the identity and *ok 0; *ok is not written on success.
  EngMatrix *GetInverseMatrix(EngMatrix *out, char *ok) const;

  // glOrtho, glFrustum, gluPerspective (fovy in degrees) and gluLookAt, as OpenGL builds them.
  EngMatrix *SetOrthoMatrix(float left, float right, float bottom, float top, float near_z, float far_z);
  void SetFrustumMatrix(float left, float right, float bottom, float top, float near_z, float far_z);
  EngMatrix *SetPerspectiveMatrix(float fovy, float aspect, float near_z, float far_z);
  EngMatrix *SetLookAtMatrix(const _Vector3d *eye, const _Vector3d *centre, const _Vector3d *up);
  EngMatrix *SetLookAtMatrixLH(const _Vector3d *eye, const _Vector3d *at, const _Vector3d *up);

  void GetRotationAngles(_Vector3d *out) const;

  // The screen rotation for the engine's alternative orientation; the desktop never rotates.
  void SetOrientationMatrix();
  void SetOrientationMatrix(EngInt32 orientation_alt);

  // Exchange with row-major code: the pointer forms copy unchanged, the bare forms transpose.
  _EngMatrixDxMatrix *GetDxMatrix(_EngMatrixDxMatrix *out) const;
  EngMatrix *GetDxMatrix();
  EngMatrix *ConvertFromDxMatrix(_EngMatrixDxMatrix *in);
  EngMatrix *ConvertFromDxMatrix();
};

// out = a x b (b applied first). Any of them may be the same matrix.
EngMatrix *EngMatrixMultiplyMatrixByMatrix(EngMatrix *a, EngMatrix *b, EngMatrix *out);
EngMatrix *EngMatrixLinearInterpolateTwoMatrices(EngMatrix *a, EngMatrix *b, float t, EngMatrix *out);
