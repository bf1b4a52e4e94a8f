// The model-view (transform) operations of the OpenGL back end.
#include <GL/glew.h>

#include "Engine/EngDebug.h"
#include "Engine/EngDeviceGL.h"
#include "Engine/EngMath.h"

static const float RAD_TO_DEG = 180.0f / ENG_MATH_PI;

// Exactly zero skips the call; anything else (NaN too) is applied.
static void RotateXYZDeg(float x, float y, float z) {
  if (x != 0.0f) glRotatef(x, 1.0f, 0.0f, 0.0f);
  if (y != 0.0f) glRotatef(y, 0.0f, 1.0f, 0.0f);
  if (z != 0.0f) glRotatef(z, 0.0f, 0.0f, 1.0f);
}

static void RotateZYXDeg(float x, float y, float z) {
  if (z != 0.0f) glRotatef(z, 0.0f, 0.0f, 1.0f);
  if (y != 0.0f) glRotatef(y, 0.0f, 1.0f, 0.0f);
  if (x != 0.0f) glRotatef(x, 1.0f, 0.0f, 0.0f);
}

static void RotateXYZ(float x, float y, float z) {
  RotateXYZDeg(x * RAD_TO_DEG, y * RAD_TO_DEG, z * RAD_TO_DEG);
}

static void Translate(const _Vector3d *v) {
  if (v) glTranslatef(v->x, v->y, v->z);
}

void EngDeviceGL::PushTransformMatrix() {
  if (!eng_gl_3d_setup) return;
  glPushMatrix();
  m_push_depth++;
}

void EngDeviceGL::PopTransformMatrix() {
  if (!eng_gl_3d_setup) return;
  // Popping an empty stack would be an OpenGL stack underflow; refuse before popping.
  if (m_push_depth <= 0) {
    DebugErrorAlt(ENG_FUNC, "Too many pops");
    m_push_depth = 0;
    return;
  }
  glPopMatrix();
  m_push_depth--;
}

void EngDeviceGL::SetTransformMatrixIdentity() { glLoadIdentity(); }

void EngDeviceGL::SetTransformMatrixIdentityWithOrientation() {
  static const float degrees[] = {0.0f, 180.0f, 270.0f, 90.0f};
  glLoadIdentity();
  EngInt32 o = EngDeviceGL_GetOrientation();
  if (o >= 1 && o <= 3) glRotatef(degrees[o], 0.0f, 0.0f, 1.0f);
}

void EngDeviceGL::SetTransformMatrixPos(float x, float y, float z) {
  glLoadIdentity();
  glTranslatef(x, y, z);
}

void EngDeviceGL::SetTransformMatrixPos(const _Vector3d *pos) {
  glLoadIdentity();
  Translate(pos);
}

void EngDeviceGL::SetTransformMatrixRot(float x, float y, float z) {
  glLoadIdentity();
  RotateXYZ(x, y, z);
}

void EngDeviceGL::SetTransformMatrixRot(const _Vector3d *rot) {
  glLoadIdentity();
  if (rot) RotateXYZ(rot->x, rot->y, rot->z);
}

void EngDeviceGL::SetTransformMatrixRotDeg(float x, float y, float z) {
  glLoadIdentity();
  RotateXYZDeg(x, y, z);
}

void EngDeviceGL::SetTransformMatrixPosRot(float x, float y, float z, float rx, float ry, float rz) {
  glLoadIdentity();
  glTranslatef(x, y, z);
  RotateXYZ(rx, ry, rz);
}

void EngDeviceGL::SetTransformMatrixPosRot(const _Vector3d *pos, const _Vector3d *rot) {
  glLoadIdentity();
  Translate(pos);
  if (rot) RotateXYZ(rot->x, rot->y, rot->z);
}

void EngDeviceGL::SetTransformMatrixPosRotDeg(const _Vector3d *pos, const _Vector3d *rot) {
  glLoadIdentity();
  Translate(pos);
  if (rot) RotateXYZDeg(rot->x, rot->y, rot->z);
}

void EngDeviceGL::SetTransformMatrixPosRotZyx(const _Vector3d *pos, const _Vector3d *rot) {
  glLoadIdentity();
  Translate(pos);
  if (rot) RotateZYXDeg(rot->x * RAD_TO_DEG, rot->y * RAD_TO_DEG, rot->z * RAD_TO_DEG);
}

void EngDeviceGL::SetTransformMatrixPosRotZyxDeg(const _Vector3d *pos, const _Vector3d *rot) {
  glLoadIdentity();
  Translate(pos);
  if (rot) RotateZYXDeg(rot->x, rot->y, rot->z);
}

void EngDeviceGL::SetTransformMatrixPosRotZDeg(float x, float y, float z, float degrees) {
  glLoadIdentity();
  glTranslatef(x, y, z);
  if (degrees != 0.0f) glRotatef(degrees, 0.0f, 0.0f, 1.0f);
}

void EngDeviceGL::SetTransformMatrixPosScale(float x, float y, float z, float sx, float sy, float sz) {
  glLoadIdentity();
  glTranslatef(x, y, z);
  glScalef(sx, sy, sz);
}

void EngDeviceGL::SetTransformMatrixPosRotScale(float x, float y, float z, float rx, float ry, float rz, float sx,
                                                float sy, float sz) {
  glLoadIdentity();
  glTranslatef(x, y, z);
  RotateXYZ(rx, ry, rz);
  glScalef(sx, sy, sz);
}

void EngDeviceGL::SetTransformMatrixPosRotScale(const _Vector3d *pos, const _Vector3d *rot,
                                                const _Vector3d *scale) {
  glLoadIdentity();
  Translate(pos);
  if (rot) RotateXYZ(rot->x, rot->y, rot->z);
  if (scale) glScalef(scale->x, scale->y, scale->z);
}

void EngDeviceGL::SetTransformMatrixPosRotScaleDeg(const _Vector3d *pos, const _Vector3d *rot,
                                                   const _Vector3d *scale) {
  glLoadIdentity();
  Translate(pos);
  if (rot) RotateXYZDeg(rot->x, rot->y, rot->z);
  if (scale) glScalef(scale->x, scale->y, scale->z);
}

void EngDeviceGL::SetTransformMatrixPosScaleRot(float x, float y, float z, float sx, float sy, float sz, float rx,
                                                float ry, float rz) {
  glLoadIdentity();
  glTranslatef(x, y, z);
  glScalef(sx, sy, sz);
  RotateXYZ(rx, ry, rz);
}

void EngDeviceGL::SetTransformMatrixXScaleZRotPos(float x_scale, float degrees, float x, float y, float z) {
  glLoadIdentity();
  glTranslatef(x, y, z);
  glScalef(x_scale, 1.0f, 1.0f);
  glRotatef(degrees, 0.0f, 0.0f, 1.0f);
}

void EngDeviceGL::SetTransformMatrix(const EngMatrix *m) {
  if (!eng_gl_3d_setup) return;
  if (m)
    glLoadMatrixf(m->m);
  else
    glLoadIdentity();
}

void EngDeviceGL::GetTransformMatrix(EngMatrix *out) {
  if (out) glGetFloatv(GL_MODELVIEW_MATRIX, out->m);
}

void EngDeviceGL::SetTransformMatrixForOrientation() { SetTransformMatrixForOrientation(EngDeviceGL_GetOrientation()); }

void EngDeviceGL::SetTransformMatrixForOrientation(EngInt32 orientation) {
  static const float angles[] = {0.0f, ENG_MATH_PI, 1.5f * ENG_MATH_PI, 0.5f * ENG_MATH_PI};
  if (orientation >= 1 && orientation <= 3)
    SetTransformMatrixRot(0.0f, 0.0f, angles[orientation]);
  else
    SetTransformMatrixIdentity();
}

void EngDeviceGL::MultTransformMatrixResetToIdentity() { glLoadIdentity(); }
void EngDeviceGL::MultTransformMatrixPos(float x, float y, float z) { glTranslatef(x, y, z); }
void EngDeviceGL::MultTransformMatrixRot(float x, float y, float z) { RotateXYZ(x, y, z); }
void EngDeviceGL::MultTransformMatrixRotX(float angle) { glRotatef(angle * RAD_TO_DEG, 1.0f, 0.0f, 0.0f); }
void EngDeviceGL::MultTransformMatrixRotY(float angle) { glRotatef(angle * RAD_TO_DEG, 0.0f, 1.0f, 0.0f); }
void EngDeviceGL::MultTransformMatrixRotZ(float angle) { glRotatef(angle * RAD_TO_DEG, 0.0f, 0.0f, 1.0f); }
void EngDeviceGL::MultTransformMatrixScale(float x, float y, float z) { glScalef(x, y, z); }
