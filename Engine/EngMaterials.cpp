#include "Engine/EngMaterials.h"

#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"

static bool IsOpenGl() { return eng_main_device_type == ENG_DEVICE_TYPE_OPENGL; }

void EngMaterialsUseAdvancedMaterials(char on) {
  if (IsOpenGl()) EngMaterialsUseAdvancedMaterials_GL(on);
}

char EngMaterialsAreAdvancedMaterialsOn() { return IsOpenGl() ? EngMaterialsAreAdvancedMaterialsOn_GL() : 0; }

void EngMaterialsApplyAdvancedMaterialsSetting() {
  if (IsOpenGl()) EngMaterialsApplyAdvancedMaterialsSetting_GL();
}

void EngMaterialsSetAdvancedMaterialFull(float ar, float ag, float ab, float aa, float dr, float dg, float db,
                                         float da, float sr, float sg, float sb, float sa, float shininess, float er,
                                         float eg, float eb, float ea) {
  if (IsOpenGl())
    EngMaterialsSetAdvancedMaterialFull_GL(ar, ag, ab, aa, dr, dg, db, da, sr, sg, sb, sa, shininess, er, eg, eb, ea);
}

void EngMaterialsSetAdvancedMaterial(float ar, float ag, float ab, float dr, float dg, float db, float sr, float sg,
                                     float sb, float shininess, float er, float eg, float eb) {
  if (IsOpenGl()) EngMaterialsSetAdvancedMaterial_GL(ar, ag, ab, dr, dg, db, sr, sg, sb, shininess, er, eg, eb);
}

void EngMaterialsSetAdvancedMaterialArray(const float *ambient, const float *diffuse, const float *specular,
                                          float shininess, const float *emission) {
  if (IsOpenGl()) EngMaterialsSetAdvancedMaterialArray_GL(ambient, diffuse, specular, shininess, emission);
}

void EngMaterialsSetAdvancedMaterialWithFade(float ar, float ag, float ab, float dr, float dg, float db, float sr,
                                             float sg, float sb, float shininess, float er, float eg, float eb,
                                             float fade) {
  if (IsOpenGl())
    EngMaterialsSetAdvancedMaterialWithFade_GL(ar, ag, ab, dr, dg, db, sr, sg, sb, shininess, er, eg, eb, fade);
}

void EngMaterialsSetAdvancedMaterialWithFadeArray(const float *ambient, const float *diffuse, const float *specular,
                                                  float shininess, const float *emission, float fade) {
  if (IsOpenGl()) EngMaterialsSetAdvancedMaterialWithFadeArray_GL(ambient, diffuse, specular, shininess, emission, fade);
}

void EngMaterialsSetDefaultAdvancedMaterial() {
  if (IsOpenGl()) EngMaterialsSetDefaultAdvancedMaterial_GL();
}

void EngMaterialsSetAdvancedMaterialColourAndSpecular(float r, float g, float b, float sr, float sg, float sb,
                                                      float shininess) {
  if (IsOpenGl()) EngMaterialsSetAdvancedMaterialColourAndSpecular_GL(r, g, b, sr, sg, sb, shininess);
}

void EngMaterialsSetDefaultAdvancedMaterialColourAndSpecular() {
  if (IsOpenGl()) EngMaterialsSetDefaultAdvancedMaterialColourAndSpecular_GL();
}

void EngMaterialsSetDefaultMaterialColour() {
  if (IsOpenGl()) EngMaterialsSetDefaultMaterialColour_GL();
}
