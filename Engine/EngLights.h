// The fixed-function lighting: one overall ambient light and one of three light systems (a
// directional light, or one or two point lights) on OpenGL lights 0 and 1. Diffuse and
// specular colours given here are boosted by 1.3 on their way to OpenGL.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"

struct _EngLightsPointInfo {
  float x, y, z, w;
  _ColourRGBA diffuse;
  _ColourRGBA ambient;
  _ColourRGBA specular;
  float constant_attenuation, linear_attenuation, quadratic_attenuation;
  float unused[7];
  char lock_specular_to_main;
  char relative_to_camera;
};

enum _EngLightSystem : EngInt32 {
  ENG_LIGHT_SYSTEM_DIRECTIONAL = 0,
  ENG_LIGHT_SYSTEM_ONE_POINT = 1,
  ENG_LIGHT_SYSTEM_TWO_POINTS = 2,
};

// Portable functions: each calls its _GL twin when the device kind is OpenGL.
void EngLightsInit();
void EngLightsSetOverallAmbientLightColour(float r, float g, float b);
void EngLightsSetOverallAmbientLightLevel(float level);
void EngLightsUpdateOverallAmbientLight();
void EngLightsSetDirectionalLightSystem();
void EngLightsSetOnePointLightSystem();
void EngLightsSetTwoPointsLightSystem();
void EngLightsSetLightSystem(char system);
char EngLightsGetLightSystem();
void EngLightsSetupLights();
void EngLightsSetupDirectionalLight();
void EngLightsSetupPointLights();
void EngLightsSetDirectionalLightDirection(float x, float y, float z);
void EngLightsSetDirectionalLightDirection(const _Vector3d *dir);
void EngLightsGetDirectionalLightDirection(_Vector3d *out);
void EngLightsSetDirectionalLightColour(float r, float g, float b);
void EngLightsSetDirectionalLightColour(const _ColourRGB *colour);
void EngLightsSetDirectionalLightLevels(float r, float g, float b, float ar, float ag, float ab);
void EngLightsSetDirectionalSpecularColour(float r, float g, float b);
void EngLightsLockDirectionalSpecularColourWithMainColour(char lock);
void EngLightsSetDirectionalLightAttributes(float r, float g, float b, float ar, float ag, float ab, float sr,
                                            float sg, float sb, float x, float y, float z);
void EngLightsSetPointLightAttributes(EngInt32 light, float r, float g, float b, float ar, float ag, float ab,
                                      float sr, float sg, float sb, float x, float y, float z, float constant,
                                      float linear, float quadratic);
void EngLightsSetPointLightAttributesEx(EngInt32 light, _EngLightsPointInfo *info);
void EngLightsSetPointLightPos(EngInt32 light, float x, float y, float z);
void EngLightsSetPointLightPos(EngInt32 light, const _Vector3d *pos);
void EngLightsGetPointLightPos(EngInt32 light, _Vector3d *out);
void EngLightsSetPointInfoAttrColours(_EngLightsPointInfo *info, float r, float g, float b, float ar, float ag,
                                      float ab);
void EngLightsSetPointInfoAttrSpecularColours(_EngLightsPointInfo *info, float r, float g, float b);
void EngLightsSetPointInfoAttrSpecularColoursSameAsMainColours(_EngLightsPointInfo *info, float factor);
void EngLightsSetPointInfoAttrPos(_EngLightsPointInfo *info, float x, float y, float z);
void EngLightsSetPointInfoAttrAttenuation(_EngLightsPointInfo *info, float constant, float linear,
                                          float quadratic);

// The OpenGL twins, and the operations that exist only for OpenGL.
void EngLightsInit_GL();
void EngLightsSetOverallAmbientLightColour_GL(float r, float g, float b);
void EngLightsSetOverallAmbientLightLevel_GL(float level);
void EngLightsUpdateOverallAmbientLight_GL();
void EngLightsSetLightSystem_GL(char system);
char EngLightsGetLightSystem_GL();
void EngLightsSetupLights_GL();
void EngLightsSetupDirectionalLight_GL();
void EngLightsSetupPointLights_GL();
void EngLightsSetDirectionalLightDirection_GL(float x, float y, float z);
void EngLightsGetDirectionalLightDirection_GL(_Vector3d *out);
void EngLightsSetDirectionalLightColour_GL(float r, float g, float b);
void EngLightsSetDirectionalLightLevels_GL(float r, float g, float b, float ar, float ag, float ab);
void EngLightsSetDirectionalSpecularColour_GL(float r, float g, float b);
void EngLightsLockDirectionalSpecularColourWithMainColour_GL(char lock);
void EngLightsSetDirectionalLightAttributes_GL(float r, float g, float b, float ar, float ag, float ab, float sr,
                                               float sg, float sb, float x, float y, float z);
void EngLightsSetDirectionalLightRelativeToCamera_GL(char on);
void EngLightsSetPointLightAttributes_GL(EngInt32 light, float r, float g, float b, float ar, float ag, float ab,
                                         float sr, float sg, float sb, float x, float y, float z, float constant,
                                         float linear, float quadratic);
void EngLightsSetPointLightAttributesEx_GL(EngInt32 light, _EngLightsPointInfo *info);
void EngLightsGetPointLightAttributes_GL(EngInt32 light, _EngLightsPointInfo *out);
void EngLightsSetPointLightPos_GL(EngInt32 light, float x, float y, float z);
void EngLightsGetPointLightPos_GL(EngInt32 light, _Vector3d *out);
void EngLightsLockPointLightSpecularColourWithMainColour_GL(EngInt32 light, char lock);
void EngLightsSetPointLightSpecularColour_GL(EngInt32 light, float r, float g, float b);
void EngLightsSetPointLightRelativeToCamera_GL(EngInt32 light, char on);
void EngLightsSetSpecularColourLocalViewpoint_GL(char on);
void EngLightsSetPointInfoAttrDefaults_GL(_EngLightsPointInfo *info);
void EngLightsSetPointInfoAttrColours_GL(_EngLightsPointInfo *info, float r, float g, float b, float ar, float ag,
                                         float ab);
void EngLightsSetPointInfoAttrSpecularColours_GL(_EngLightsPointInfo *info, float r, float g, float b);
void EngLightsSetPointInfoAttrSpecularColoursSameAsMainColours_GL(_EngLightsPointInfo *info, float factor);
void EngLightsSetPointInfoAttrPos_GL(_EngLightsPointInfo *info, float x, float y, float z);
void EngLightsSetPointInfoAttrAttenuation_GL(_EngLightsPointInfo *info, float constant, float linear,
                                             float quadratic);

// Back to the start state, point-light count and local-viewer flag included.
void EngLightsResetForTests();
