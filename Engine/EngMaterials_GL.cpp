#include <GL/glew.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMaterials.h"

static char cglm_use_advanced_materials = 0;

void EngMaterialsResetForTests() { cglm_use_advanced_materials = 0; }

void EngMaterialsUseAdvancedMaterials_GL(char on) { cglm_use_advanced_materials = on; }

char EngMaterialsAreAdvancedMaterialsOn_GL() { return cglm_use_advanced_materials; }

void EngMaterialsApplyAdvancedMaterialsSetting_GL() {
  if (cglm_use_advanced_materials)
    glDisable(GL_COLOR_MATERIAL);
  else
    glEnable(GL_COLOR_MATERIAL);
}

// Setting a material while the current colour drives it is allowed but probably a mistake.
static void CheckOn(const char *signature) {
  if (!cglm_use_advanced_materials) DebugErrorAlt(signature, "Advanced materials not on");
}

static void SetFront(GLenum parameter, float r, float g, float b, float a) {
  const GLfloat colour[4] = {r, g, b, a};
  glMaterialfv(GL_FRONT, parameter, colour);
}

void EngMaterialsSetAdvancedMaterialFull_GL(float ar, float ag, float ab, float aa, float dr, float dg, float db,
                                            float da, float sr, float sg, float sb, float sa, float shininess,
                                            float er, float eg, float eb, float ea) {
  CheckOn(ENG_FUNC);
  SetFront(GL_AMBIENT, ar, ag, ab, aa);
  SetFront(GL_DIFFUSE, dr, dg, db, da);
  SetFront(GL_SPECULAR, sr, sg, sb, sa);
  glMaterialf(GL_FRONT, GL_SHININESS, shininess);
  SetFront(GL_EMISSION, er, eg, eb, ea);
}

void EngMaterialsSetAdvancedMaterial_GL(float ar, float ag, float ab, float dr, float dg, float db, float sr,
                                        float sg, float sb, float shininess, float er, float eg, float eb) {
  CheckOn(ENG_FUNC);
  SetFront(GL_AMBIENT, ar, ag, ab, 1.0f);
  SetFront(GL_DIFFUSE, dr, dg, db, 1.0f);
  SetFront(GL_SPECULAR, sr, sg, sb, 1.0f);
  glMaterialf(GL_FRONT, GL_SHININESS, shininess);
  SetFront(GL_EMISSION, er, eg, eb, 1.0f);
}

void EngMaterialsSetAdvancedMaterialArray_GL(const float *ambient, const float *diffuse, const float *specular,
                                             float shininess, const float *emission) {
  CheckOn(ENG_FUNC);
  if (ambient) glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
  if (diffuse) glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
  if (specular) glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
  glMaterialf(GL_FRONT, GL_SHININESS, shininess);
  if (emission) glMaterialfv(GL_FRONT, GL_EMISSION, emission);
}

void EngMaterialsSetAdvancedMaterialWithFade_GL(float ar, float ag, float ab, float dr, float dg, float db, float sr,
                                                float sg, float sb, float shininess, float er, float eg, float eb,
                                                float fade) {
  CheckOn(ENG_FUNC);
  SetFront(GL_AMBIENT, ar * fade, ag * fade, ab * fade, 1.0f);
  SetFront(GL_DIFFUSE, dr * fade, dg * fade, db * fade, 1.0f);
  SetFront(GL_SPECULAR, sr, sg, sb, 1.0f);
  glMaterialf(GL_FRONT, GL_SHININESS, shininess);
  SetFront(GL_EMISSION, er * fade, eg * fade, eb * fade, 1.0f);
}

void EngMaterialsSetAdvancedMaterialWithFadeArray_GL(const float *ambient, const float *diffuse,
                                                     const float *specular, float shininess, const float *emission,
                                                     float fade) {
  CheckOn(ENG_FUNC);
  if (!ambient || !diffuse || !specular || !emission) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  SetFront(GL_AMBIENT, ambient[0] * fade, ambient[1] * fade, ambient[2] * fade, ambient[3]);
  SetFront(GL_DIFFUSE, diffuse[0] * fade, diffuse[1] * fade, diffuse[2] * fade, diffuse[3]);
  glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
  glMaterialf(GL_FRONT, GL_SHININESS, shininess);
  SetFront(GL_EMISSION, emission[0] * fade, emission[1] * fade, emission[2] * fade, emission[3]);
}

void EngMaterialsSetDefaultAdvancedMaterial_GL() {
  CheckOn(ENG_FUNC);
  SetFront(GL_AMBIENT_AND_DIFFUSE, 1.0f, 1.0f, 1.0f, 1.0f);
  SetFront(GL_SPECULAR, 0.0f, 0.0f, 0.0f, 1.0f);
  glMaterialf(GL_FRONT, GL_SHININESS, 0.0f);
  SetFront(GL_EMISSION, 0.0f, 0.0f, 0.0f, 1.0f);
}

void EngMaterialsSetAdvancedMaterialColourAndSpecular_GL(float r, float g, float b, float sr, float sg, float sb,
                                                         float shininess) {
  CheckOn(ENG_FUNC);
  SetFront(GL_AMBIENT_AND_DIFFUSE, r, g, b, 1.0f);
  SetFront(GL_SPECULAR, sr, sg, sb, 1.0f);
  glMaterialf(GL_FRONT, GL_SHININESS, shininess);
}

void EngMaterialsSetDefaultAdvancedMaterialColourAndSpecular_GL() {
  CheckOn(ENG_FUNC);
  SetFront(GL_AMBIENT_AND_DIFFUSE, 1.0f, 1.0f, 1.0f, 1.0f);
  SetFront(GL_SPECULAR, 0.0f, 0.0f, 0.0f, 1.0f);
  glMaterialf(GL_FRONT, GL_SHININESS, 0.0f);
}

void EngMaterialsSetDefaultMaterialColour_GL() {
  if (cglm_use_advanced_materials)
    EngMaterialsSetDefaultAdvancedMaterial_GL();
  else
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}
