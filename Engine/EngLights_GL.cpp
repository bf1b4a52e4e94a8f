#include <GL/glew.h>

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngLights.h"

static const float LIGHT_BOOST = 1.3f;

struct DirectionalLight {
  float position[4];
  _ColourRGBA diffuse, ambient, specular;
  char lock_specular_to_main;
  char relative_to_camera;
};

static _ColourRGBA elgl_ambient_light;
static char elgl_light_system = 0;
static EngInt32 elgl_num_point_lights = 0;
static DirectionalLight elgl_directional_light;
static _EngLightsPointInfo elgl_point_lights[2];
static char elgl_use_local_specular_view_model = 0;

static _ColourRGBA Boosted(float r, float g, float b, float a) {
  return {r * LIGHT_BOOST, g * LIGHT_BOOST, b * LIGHT_BOOST, a};
}

static void SendPosition(GLenum light, const float position[4], char relative_to_camera) {
  if (relative_to_camera) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return;
  }
  // Identity, so the position is taken in eye coordinates; the caller's transform survives.
  glPushMatrix();
  glLoadIdentity();
  glLightfv(light, GL_POSITION, position);
  glPopMatrix();
}

static void SendDirectionalLight() {
  const DirectionalLight &d = elgl_directional_light;
  SendPosition(GL_LIGHT0, d.position, d.relative_to_camera);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, &d.diffuse.r);
  glLightfv(GL_LIGHT0, GL_AMBIENT, &d.ambient.r);
  glLightfv(GL_LIGHT0, GL_SPECULAR, d.lock_specular_to_main ? &d.diffuse.r : &d.specular.r);
}

static void SendPointLight(EngInt32 n) {
  const _EngLightsPointInfo &p = elgl_point_lights[n];
  GLenum light = GL_LIGHT0 + n;
  const float position[4] = {p.x, p.y, p.z, p.w};
  SendPosition(light, position, p.relative_to_camera);
  glLightfv(light, GL_DIFFUSE, &p.diffuse.r);
  glLightfv(light, GL_AMBIENT, &p.ambient.r);
  glLightfv(light, GL_SPECULAR, p.lock_specular_to_main ? &p.diffuse.r : &p.specular.r);
  glLightf(light, GL_CONSTANT_ATTENUATION, p.constant_attenuation);
  glLightf(light, GL_LINEAR_ATTENUATION, p.linear_attenuation);
  glLightf(light, GL_QUADRATIC_ATTENUATION, p.quadratic_attenuation);
}

void EngLightsInit_GL() {
  elgl_ambient_light = {0.2f, 0.2f, 0.2f, 1.0f};
  elgl_light_system = ENG_LIGHT_SYSTEM_DIRECTIONAL;
  elgl_directional_light = {{0.0f, 1.0f, 5.0f, 0.0f}, {0.8f, 0.8f, 0.8f, 1.0f}, {0, 0, 0, 1}, {0, 0, 0, 1}, 0, 0};
  for (int i = 0; i < 2; i++) {
    _EngLightsPointInfo &p = elgl_point_lights[i];
    memset(&p, 0, sizeof(p));
    p.x = -10.0f * i;
    p.y = 10.0f;
    p.z = 10.0f;
    p.w = 1.0f;
    p.diffuse = {0.8f, 0.8f, 0.8f, 1.0f};
    p.ambient = {0, 0, 0, 1};
    p.specular = {0, 0, 0, 1};
    p.constant_attenuation = 1.0f;
  }
}

// The defaults hold from the start, before the device's first reset.
[[maybe_unused]] static const int lights_defaults_set = (EngLightsInit_GL(), 1);

void EngLightsResetForTests() {
  EngLightsInit_GL();
  elgl_num_point_lights = 0;
  elgl_use_local_specular_view_model = 0;
}

// --- Ambient light and systems ---------------------------------------------------------------

void EngLightsUpdateOverallAmbientLight_GL() { glLightModelfv(GL_LIGHT_MODEL_AMBIENT, &elgl_ambient_light.r); }

void EngLightsSetOverallAmbientLightColour_GL(float r, float g, float b) {
  elgl_ambient_light = {r, g, b, 1.0f};
  EngLightsUpdateOverallAmbientLight_GL();
}

void EngLightsSetOverallAmbientLightLevel_GL(float level) { EngLightsSetOverallAmbientLightColour_GL(level, level, level); }

void EngLightsSetLightSystem_GL(char system) {
  if (system < 0 || system > 2) {
    DebugErrorAlt(ENG_FUNC, "Unknown light sytem (%d)", system);
    return;
  }
  elgl_light_system = system;
  elgl_num_point_lights = system;
  EngLightsSetupLights_GL();
}

char EngLightsGetLightSystem_GL() { return elgl_light_system; }

void EngLightsSetupLights_GL() {
  switch (elgl_light_system) {
    case ENG_LIGHT_SYSTEM_DIRECTIONAL: EngLightsSetupDirectionalLight_GL(); break;
    case ENG_LIGHT_SYSTEM_ONE_POINT:
    case ENG_LIGHT_SYSTEM_TWO_POINTS: EngLightsSetupPointLights_GL(); break;
    default: DebugErrorAlt(ENG_FUNC, "Unknown ligh type <%d>", elgl_light_system); break;
  }
  EngLightsUpdateOverallAmbientLight_GL();
}

void EngLightsSetupDirectionalLight_GL() {
  SendDirectionalLight();
  glEnable(GL_LIGHT0);
  glDisable(GL_LIGHT1);
}

void EngLightsSetupPointLights_GL() {
  for (EngInt32 i = 0; i < 2; i++) {
    if (i >= elgl_num_point_lights) {
      glDisable(GL_LIGHT0 + i);
    } else {
      SendPointLight(i);
      glEnable(GL_LIGHT0 + i);
    }
  }
}

void EngLightsSetSpecularColourLocalViewpoint_GL(char on) {
  if (on >= 0) elgl_use_local_specular_view_model = on;
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, elgl_use_local_specular_view_model ? GL_TRUE : GL_FALSE);
}

// --- Directional light -----------------------------------------------------------------------

static char DirectionalSystemIsSetUp(const char *signature) {
  if (elgl_light_system == ENG_LIGHT_SYSTEM_DIRECTIONAL) return 1;
  DebugErrorAlt(signature, "Directional light system not setup");
  return 0;
}

static void SendDirectionalSpecular() {
  const DirectionalLight &d = elgl_directional_light;
  glLightfv(GL_LIGHT0, GL_SPECULAR, d.lock_specular_to_main ? &d.diffuse.r : &d.specular.r);
}

void EngLightsSetDirectionalLightDirection_GL(float x, float y, float z) {
  if (!DirectionalSystemIsSetUp(ENG_FUNC)) return;
  DirectionalLight &d = elgl_directional_light;
  d.position[0] = x;
  d.position[1] = y;
  d.position[2] = z;
  SendPosition(GL_LIGHT0, d.position, d.relative_to_camera);
}

void EngLightsGetDirectionalLightDirection_GL(_Vector3d *out) {
  if (out) *out = {elgl_directional_light.position[0], elgl_directional_light.position[1], elgl_directional_light.position[2]};
}

void EngLightsSetDirectionalLightColour_GL(float r, float g, float b) {
  if (!DirectionalSystemIsSetUp(ENG_FUNC)) return;
  DirectionalLight &d = elgl_directional_light;
  d.diffuse = Boosted(r, g, b, d.diffuse.a);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, &d.diffuse.r);
  if (d.lock_specular_to_main) SendDirectionalSpecular();
}

void EngLightsSetDirectionalLightLevels_GL(float r, float g, float b, float ar, float ag, float ab) {
  if (!DirectionalSystemIsSetUp(ENG_FUNC)) return;
  DirectionalLight &d = elgl_directional_light;
  d.diffuse = Boosted(r, g, b, d.diffuse.a);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, &d.diffuse.r);
  d.ambient = {ar, ag, ab, d.ambient.a};
  glLightfv(GL_LIGHT0, GL_AMBIENT, &d.ambient.r);
  if (d.lock_specular_to_main) SendDirectionalSpecular();
}

void EngLightsLockDirectionalSpecularColourWithMainColour_GL(char lock) {
  if (!DirectionalSystemIsSetUp(ENG_FUNC)) return;
  elgl_directional_light.lock_specular_to_main = lock;
  SendDirectionalSpecular();
}

void EngLightsSetDirectionalSpecularColour_GL(float r, float g, float b) {
  if (!DirectionalSystemIsSetUp(ENG_FUNC)) return;
  EngLightsLockDirectionalSpecularColourWithMainColour_GL(0);
  DirectionalLight &d = elgl_directional_light;
  d.specular = Boosted(r, g, b, d.specular.a);
  SendDirectionalSpecular();
}

void EngLightsSetDirectionalLightAttributes_GL(float r, float g, float b, float ar, float ag, float ab, float sr,
                                               float sg, float sb, float x, float y, float z) {
  if (!DirectionalSystemIsSetUp(ENG_FUNC)) return;
  EngLightsSetDirectionalLightLevels_GL(r, g, b, ar, ag, ab);
  EngLightsSetDirectionalSpecularColour_GL(sr, sg, sb);
  EngLightsSetDirectionalLightDirection_GL(x, y, z);
}

void EngLightsSetDirectionalLightRelativeToCamera_GL(char on) {
  if (!DirectionalSystemIsSetUp(ENG_FUNC)) return;
  elgl_directional_light.relative_to_camera = on;
}

// --- Point lights ----------------------------------------------------------------------------

static char PointLightIsUsable(const char *signature, EngInt32 light) {
  if (elgl_light_system != ENG_LIGHT_SYSTEM_ONE_POINT && elgl_light_system != ENG_LIGHT_SYSTEM_TWO_POINTS) {
    DebugErrorAlt(signature, "Point light system not setup");
    return 0;
  }
  EngInt32 highest = elgl_light_system == ENG_LIGHT_SYSTEM_ONE_POINT ? 0 : 1;
  if (light < 0 || light > highest) {
    DebugErrorAlt(signature, "Invalid point light number <%d>", light);
    return 0;
  }
  return 1;
}

void EngLightsSetPointLightAttributes_GL(EngInt32 light, float r, float g, float b, float ar, float ag, float ab,
                                         float sr, float sg, float sb, float x, float y, float z, float constant,
                                         float linear, float quadratic) {
  if (!PointLightIsUsable(ENG_FUNC, light)) return;
  _EngLightsPointInfo info;
  memset(&info, 0, sizeof(info));
  info.x = x;
  info.y = y;
  info.z = z;
  info.w = 1.0f;
  info.diffuse = Boosted(r, g, b, 1.0f);
  info.ambient = {ar, ag, ab, 1.0f};
  info.specular = Boosted(sr, sg, sb, 1.0f);
  info.constant_attenuation = constant;
  info.linear_attenuation = linear;
  info.quadratic_attenuation = quadratic;
  EngLightsSetPointLightAttributesEx_GL(light, &info);
}

void EngLightsSetPointLightAttributesEx_GL(EngInt32 light, _EngLightsPointInfo *info) {
  if (!PointLightIsUsable(ENG_FUNC, light)) return;
  if (!info) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameter");
    return;
  }
  _EngLightsPointInfo &p = elgl_point_lights[light];
  p = *info;
  p.diffuse = Boosted(p.diffuse.r, p.diffuse.g, p.diffuse.b, p.diffuse.a);
  p.specular = Boosted(p.specular.r, p.specular.g, p.specular.b, p.specular.a);
  SendPointLight(light);
}

void EngLightsGetPointLightAttributes_GL(EngInt32 light, _EngLightsPointInfo *out) {
  if (!PointLightIsUsable(ENG_FUNC, light) || !out) return;
  *out = elgl_point_lights[light];
  out->diffuse = {out->diffuse.r / LIGHT_BOOST, out->diffuse.g / LIGHT_BOOST, out->diffuse.b / LIGHT_BOOST,
                  out->diffuse.a};
  out->specular = {out->specular.r / LIGHT_BOOST, out->specular.g / LIGHT_BOOST, out->specular.b / LIGHT_BOOST,
                   out->specular.a};
}

void EngLightsSetPointLightPos_GL(EngInt32 light, float x, float y, float z) {
  if (!PointLightIsUsable(ENG_FUNC, light)) return;
  _EngLightsPointInfo &p = elgl_point_lights[light];
  p.x = x;
  p.y = y;
  p.z = z;
  const float position[4] = {p.x, p.y, p.z, p.w};
  SendPosition(GL_LIGHT0 + light, position, p.relative_to_camera);
}

void EngLightsGetPointLightPos_GL(EngInt32 light, _Vector3d *out) {
  if (light < 0 || light > 1) {
    DebugErrorAlt(ENG_FUNC, "Invalid point light number <%d>", light);
    return;
  }
  if (out) *out = {elgl_point_lights[light].x, elgl_point_lights[light].y, elgl_point_lights[light].z};
}

void EngLightsLockPointLightSpecularColourWithMainColour_GL(EngInt32 light, char lock) {
  if (!PointLightIsUsable(ENG_FUNC, light)) return;
  _EngLightsPointInfo &p = elgl_point_lights[light];
  p.lock_specular_to_main = lock;
  glLightfv(GL_LIGHT0 + light, GL_SPECULAR, lock ? &p.diffuse.r : &p.specular.r);
}

void EngLightsSetPointLightSpecularColour_GL(EngInt32 light, float r, float g, float b) {
  if (!PointLightIsUsable(ENG_FUNC, light)) return;
  EngLightsLockPointLightSpecularColourWithMainColour_GL(light, 0);
  _EngLightsPointInfo &p = elgl_point_lights[light];
  p.specular = {r, g, b, p.specular.a};
  glLightfv(GL_LIGHT0 + light, GL_SPECULAR, &p.specular.r);
}

void EngLightsSetPointLightRelativeToCamera_GL(EngInt32 light, char on) {
  if (!PointLightIsUsable(ENG_FUNC, light)) return;
  if (on) DebugErrorAlt(ENG_FUNC, "Not implmented anymore - add if needed");
}

// --- Point-light records ---------------------------------------------------------------------

void EngLightsSetPointInfoAttrDefaults_GL(_EngLightsPointInfo *info) {
  if (!info) return;
  memset(info, 0, sizeof(*info));
  info->diffuse = {1.3f, 1.3f, 1.3f, 1.0f};
  info->ambient = {0.2f, 0.2f, 0.2f, 1.0f};
  info->specular = {0, 0, 0, 0};
  info->x = info->y = info->z = 10.0f;
  info->w = 1.0f;
  info->constant_attenuation = 1.0f;
}

void EngLightsSetPointInfoAttrColours_GL(_EngLightsPointInfo *info, float r, float g, float b, float ar, float ag,
                                         float ab) {
  if (!info) return;
  info->diffuse = Boosted(r, g, b, 1.0f);
  info->ambient = {ar, ag, ab, 1.0f};
}

void EngLightsSetPointInfoAttrSpecularColours_GL(_EngLightsPointInfo *info, float r, float g, float b) {
  if (info) info->specular = Boosted(r, g, b, 1.0f);
}

void EngLightsSetPointInfoAttrSpecularColoursSameAsMainColours_GL(_EngLightsPointInfo *info, float factor) {
  if (!info) return;
  info->specular = {info->diffuse.r * factor, info->diffuse.g * factor, info->diffuse.b * factor, 1.0f};
}

void EngLightsSetPointInfoAttrPos_GL(_EngLightsPointInfo *info, float x, float y, float z) {
  if (!info) return;
  info->x = x;
  info->y = y;
  info->z = z;
  info->w = 1.0f;
}

void EngLightsSetPointInfoAttrAttenuation_GL(_EngLightsPointInfo *info, float constant, float linear,
                                             float quadratic) {
  if (!info) return;
  info->constant_attenuation = constant;
  info->linear_attenuation = linear;
  info->quadratic_attenuation = quadratic;
}
