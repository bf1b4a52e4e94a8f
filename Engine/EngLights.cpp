#include "Engine/EngLights.h"

#include "Engine/EngMain.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngProgram.h"

#define GL_ONLY(call)                         \
  do {                                        \
    if (EngMainIsCurrentDeviceTypeGL()) call; \
  } while (0)

void EngLightsInit() { GL_ONLY(EngLightsInit_GL()); }
void EngLightsSetOverallAmbientLightColour(float r, float g, float b) {
  GL_ONLY(EngLightsSetOverallAmbientLightColour_GL(r, g, b));
}
void EngLightsSetOverallAmbientLightLevel(float level) { GL_ONLY(EngLightsSetOverallAmbientLightLevel_GL(level)); }
void EngLightsUpdateOverallAmbientLight() { GL_ONLY(EngLightsUpdateOverallAmbientLight_GL()); }
void EngLightsSetDirectionalLightSystem() { GL_ONLY(EngLightsSetLightSystem_GL(ENG_LIGHT_SYSTEM_DIRECTIONAL)); }
void EngLightsSetOnePointLightSystem() { GL_ONLY(EngLightsSetLightSystem_GL(ENG_LIGHT_SYSTEM_ONE_POINT)); }
void EngLightsSetTwoPointsLightSystem() { GL_ONLY(EngLightsSetLightSystem_GL(ENG_LIGHT_SYSTEM_TWO_POINTS)); }
void EngLightsSetLightSystem(char system) { GL_ONLY(EngLightsSetLightSystem_GL(system)); }
char EngLightsGetLightSystem() { return EngMainIsCurrentDeviceTypeGL() ? EngLightsGetLightSystem_GL() : 0; }
void EngLightsSetupLights() { GL_ONLY(EngLightsSetupLights_GL()); }
void EngLightsSetupDirectionalLight() { GL_ONLY(EngLightsSetupDirectionalLight_GL()); }
void EngLightsSetupPointLights() { GL_ONLY(EngLightsSetupPointLights_GL()); }
void EngLightsSetDirectionalLightDirection(float x, float y, float z) {
  GL_ONLY(EngLightsSetDirectionalLightDirection_GL(x, y, z));
}
void EngLightsSetDirectionalLightDirection(const _Vector3d *dir) {
  if (dir) GL_ONLY(EngLightsSetDirectionalLightDirection_GL(dir->x, dir->y, dir->z));
}
void EngLightsGetDirectionalLightDirection(_Vector3d *out) { GL_ONLY(EngLightsGetDirectionalLightDirection_GL(out)); }
void EngLightsSetDirectionalLightColour(float r, float g, float b) {
  GL_ONLY(EngLightsSetDirectionalLightColour_GL(r, g, b));
}
void EngLightsSetDirectionalLightColour(const _ColourRGB *colour) {
  if (colour) GL_ONLY(EngLightsSetDirectionalLightColour_GL(colour->r, colour->g, colour->b));
}
void EngLightsSetDirectionalLightLevels(float r, float g, float b, float ar, float ag, float ab) {
  GL_ONLY(EngLightsSetDirectionalLightLevels_GL(r, g, b, ar, ag, ab));
}
void EngLightsSetDirectionalSpecularColour(float r, float g, float b) {
  GL_ONLY(EngLightsSetDirectionalSpecularColour_GL(r, g, b));
}
void EngLightsLockDirectionalSpecularColourWithMainColour(char lock) {
  GL_ONLY(EngLightsLockDirectionalSpecularColourWithMainColour_GL(lock));
}
void EngLightsSetDirectionalLightAttributes(float r, float g, float b, float ar, float ag, float ab, float sr,
                                            float sg, float sb, float x, float y, float z) {
  GL_ONLY(EngLightsSetDirectionalLightAttributes_GL(r, g, b, ar, ag, ab, sr, sg, sb, x, y, z));
}
void EngLightsSetPointLightAttributes(EngInt32 light, float r, float g, float b, float ar, float ag, float ab,
                                      float sr, float sg, float sb, float x, float y, float z, float constant,
                                      float linear, float quadratic) {
  GL_ONLY(EngLightsSetPointLightAttributes_GL(light, r, g, b, ar, ag, ab, sr, sg, sb, x, y, z, constant, linear,
                                              quadratic));
}
void EngLightsSetPointLightAttributesEx(EngInt32 light, _EngLightsPointInfo *info) {
  GL_ONLY(EngLightsSetPointLightAttributesEx_GL(light, info));
}
void EngLightsSetPointLightPos(EngInt32 light, float x, float y, float z) {
  GL_ONLY(EngLightsSetPointLightPos_GL(light, x, y, z));
}
void EngLightsSetPointLightPos(EngInt32 light, const _Vector3d *pos) {
  if (pos) GL_ONLY(EngLightsSetPointLightPos_GL(light, pos->x, pos->y, pos->z));
}
void EngLightsGetPointLightPos(EngInt32 light, _Vector3d *out) { GL_ONLY(EngLightsGetPointLightPos_GL(light, out)); }
void EngLightsSetPointInfoAttrColours(_EngLightsPointInfo *info, float r, float g, float b, float ar, float ag,
                                      float ab) {
  GL_ONLY(EngLightsSetPointInfoAttrColours_GL(info, r, g, b, ar, ag, ab));
}
void EngLightsSetPointInfoAttrSpecularColours(_EngLightsPointInfo *info, float r, float g, float b) {
  GL_ONLY(EngLightsSetPointInfoAttrSpecularColours_GL(info, r, g, b));
}
void EngLightsSetPointInfoAttrSpecularColoursSameAsMainColours(_EngLightsPointInfo *info, float factor) {
  GL_ONLY(EngLightsSetPointInfoAttrSpecularColoursSameAsMainColours_GL(info, factor));
}
void EngLightsSetPointInfoAttrPos(_EngLightsPointInfo *info, float x, float y, float z) {
  GL_ONLY(EngLightsSetPointInfoAttrPos_GL(info, x, y, z));
}
void EngLightsSetPointInfoAttrAttenuation(_EngLightsPointInfo *info, float constant, float linear,
                                          float quadratic) {
  GL_ONLY(EngLightsSetPointInfoAttrAttenuation_GL(info, constant, linear, quadratic));
}
