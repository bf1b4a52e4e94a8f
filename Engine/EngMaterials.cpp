#include "Engine/EngMaterials.h"

#include "Engine/EngMain.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngProgram.h"

void EngMaterialsUseAdvancedMaterials(char on) {
  if (EngMainIsCurrentDeviceTypeGL()) EngMaterialsUseAdvancedMaterials_GL(on);
}

char EngMaterialsAreAdvancedMaterialsOn() {
  return EngMainIsCurrentDeviceTypeGL() ? EngMaterialsAreAdvancedMaterialsOn_GL() : 0;
}

void EngMaterialsApplyAdvancedMaterialsSetting() {
  if (EngMainIsCurrentDeviceTypeGL()) EngMaterialsApplyAdvancedMaterialsSetting_GL();
}

void EngMaterialsSetAdvancedMaterialFull(float ar, float ag, float ab, float aa, float dr, float dg, float db,
                                         float da, float sr, float sg, float sb, float sa, float shininess, float er,
                                         float eg, float eb, float ea) {
  if (EngMainIsCurrentDeviceTypeGL())
    EngMaterialsSetAdvancedMaterialFull_GL(ar, ag, ab, aa, dr, dg, db, da, sr, sg, sb, sa, shininess, er, eg, eb, ea);
}

void EngMaterialsSetAdvancedMaterial(float ar, float ag, float ab, float dr, float dg, float db, float sr, float sg,
                                     float sb, float shininess, float er, float eg, float eb) {
  if (EngMainIsCurrentDeviceTypeGL())
    EngMaterialsSetAdvancedMaterial_GL(ar, ag, ab, dr, dg, db, sr, sg, sb, shininess, er, eg, eb);
}

void EngMaterialsSetAdvancedMaterialArray(const float *ambient, const float *diffuse, const float *specular,
                                          float shininess, const float *emission) {
  if (EngMainIsCurrentDeviceTypeGL())
    EngMaterialsSetAdvancedMaterialArray_GL(ambient, diffuse, specular, shininess, emission);
}

void EngMaterialsSetAdvancedMaterialWithFade(float ar, float ag, float ab, float dr, float dg, float db, float sr,
                                             float sg, float sb, float shininess, float er, float eg, float eb,
                                             float fade) {
  if (EngMainIsCurrentDeviceTypeGL())
    EngMaterialsSetAdvancedMaterialWithFade_GL(ar, ag, ab, dr, dg, db, sr, sg, sb, shininess, er, eg, eb, fade);
}

void EngMaterialsSetAdvancedMaterialWithFadeArray(const float *ambient, const float *diffuse, const float *specular,
                                                  float shininess, const float *emission, float fade) {
  if (EngMainIsCurrentDeviceTypeGL())
    EngMaterialsSetAdvancedMaterialWithFadeArray_GL(ambient, diffuse, specular, shininess, emission, fade);
}

void EngMaterialsSetDefaultAdvancedMaterial() {
  if (EngMainIsCurrentDeviceTypeGL()) EngMaterialsSetDefaultAdvancedMaterial_GL();
}

void EngMaterialsSetAdvancedMaterialColourAndSpecular(float r, float g, float b, float sr, float sg, float sb,
                                                      float shininess) {
  if (EngMainIsCurrentDeviceTypeGL())
    EngMaterialsSetAdvancedMaterialColourAndSpecular_GL(r, g, b, sr, sg, sb, shininess);
}

void EngMaterialsSetDefaultAdvancedMaterialColourAndSpecular() {
  if (EngMainIsCurrentDeviceTypeGL()) EngMaterialsSetDefaultAdvancedMaterialColourAndSpecular_GL();
}

void EngMaterialsSetDefaultMaterialColour() {
  if (EngMainIsCurrentDeviceTypeGL()) EngMaterialsSetDefaultMaterialColour_GL();
}
