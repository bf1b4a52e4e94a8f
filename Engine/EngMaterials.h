// How lit geometry takes its colour: from the current colour (the start state, colour
// material on) or from full front-face materials (advanced materials), optionally faded
// towards black. Each operation forwards to its OpenGL twin and does nothing on other devices.
#pragma once

void EngMaterialsUseAdvancedMaterials(char on);
char EngMaterialsAreAdvancedMaterialsOn();
// Applies the switch to the OpenGL context; the device calls it whenever it resets its state.
void EngMaterialsApplyAdvancedMaterialsSetting();
void EngMaterialsSetAdvancedMaterialFull(float ar, float ag, float ab, float aa, float dr, float dg, float db,
                                         float da, float sr, float sg, float sb, float sa, float shininess, float er,
                                         float eg, float eb, float ea);
void EngMaterialsSetAdvancedMaterial(float ar, float ag, float ab, float dr, float dg, float db, float sr, float sg,
                                     float sb, float shininess, float er, float eg, float eb);
// Colours of four floats; a null pointer leaves that parameter unchanged.
void EngMaterialsSetAdvancedMaterialArray(const float *ambient, const float *diffuse, const float *specular,
                                          float shininess, const float *emission);
void EngMaterialsSetAdvancedMaterialWithFade(float ar, float ag, float ab, float dr, float dg, float db, float sr,
                                             float sg, float sb, float shininess, float er, float eg, float eb,
                                             float fade);
// All four colours required.
void EngMaterialsSetAdvancedMaterialWithFadeArray(const float *ambient, const float *diffuse, const float *specular,
                                                  float shininess, const float *emission, float fade);
void EngMaterialsSetDefaultAdvancedMaterial();
void EngMaterialsSetAdvancedMaterialColourAndSpecular(float r, float g, float b, float sr, float sg, float sb,
                                                      float shininess);
void EngMaterialsSetDefaultAdvancedMaterialColourAndSpecular();
void EngMaterialsSetDefaultMaterialColour();

void EngMaterialsUseAdvancedMaterials_GL(char on);
char EngMaterialsAreAdvancedMaterialsOn_GL();
void EngMaterialsApplyAdvancedMaterialsSetting_GL();
void EngMaterialsSetAdvancedMaterialFull_GL(float ar, float ag, float ab, float aa, float dr, float dg, float db,
                                            float da, float sr, float sg, float sb, float sa, float shininess,
                                            float er, float eg, float eb, float ea);
void EngMaterialsSetAdvancedMaterial_GL(float ar, float ag, float ab, float dr, float dg, float db, float sr,
                                        float sg, float sb, float shininess, float er, float eg, float eb);
void EngMaterialsSetAdvancedMaterialArray_GL(const float *ambient, const float *diffuse, const float *specular,
                                             float shininess, const float *emission);
void EngMaterialsSetAdvancedMaterialWithFade_GL(float ar, float ag, float ab, float dr, float dg, float db, float sr,
                                                float sg, float sb, float shininess, float er, float eg, float eb,
                                                float fade);
void EngMaterialsSetAdvancedMaterialWithFadeArray_GL(const float *ambient, const float *diffuse,
                                                     const float *specular, float shininess, const float *emission,
                                                     float fade);
void EngMaterialsSetDefaultAdvancedMaterial_GL();
void EngMaterialsSetAdvancedMaterialColourAndSpecular_GL(float r, float g, float b, float sr, float sg, float sb,
                                                         float shininess);
void EngMaterialsSetDefaultAdvancedMaterialColourAndSpecular_GL();
void EngMaterialsSetDefaultMaterialColour_GL();
// The switch back to off.
void EngMaterialsResetForTests();
