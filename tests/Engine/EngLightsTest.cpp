// The lights as OpenGL receives them: the 1.3 boost, the systems and their refusals.
#include "Engine/EngLights.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include "tests/Engine/DeviceTestSupport.h"

using qwtest::DeviceTest;

namespace {

void GetLight(GLenum light, GLenum what, GLfloat out[4]) { glGetLightfv(light, what, out); }

}  // namespace

TEST_F(DeviceTest, DirectionalLightColoursAreBoosted) {
  EngLightsSetDirectionalLightSystem();
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
  EngLightsSetDirectionalLightColour(0.5f, 0.5f, 0.5f);
  GLfloat c[4];
  GetLight(GL_LIGHT0, GL_DIFFUSE, c);
  EXPECT_NEAR(c[0], 0.65f, 1e-6f);
  EXPECT_NEAR(c[2], 0.65f, 1e-6f);
  EXPECT_EQ(c[3], 1.0f);

  EngLightsSetDirectionalSpecularColour(0.1f, 0.2f, 0.3f);
  GetLight(GL_LIGHT0, GL_SPECULAR, c);
  EXPECT_NEAR(c[1], 0.26f, 1e-6f);
  EngLightsLockDirectionalSpecularColourWithMainColour(1);
  GetLight(GL_LIGHT0, GL_SPECULAR, c);
  EXPECT_NEAR(c[1], 0.65f, 1e-6f);

  EngLightsSetDirectionalLightLevels(0.1f, 0.1f, 0.1f, 0.3f, 0.4f, 0.5f);
  GetLight(GL_LIGHT0, GL_AMBIENT, c);
  EXPECT_EQ(c[1], 0.4f);
  GetLight(GL_LIGHT0, GL_SPECULAR, c);
  EXPECT_NEAR(c[0], 0.13f, 1e-6f);  // locked: follows the diffuse

  EngLightsSetOverallAmbientLightLevel(0.3f);
  glGetFloatv(GL_LIGHT_MODEL_AMBIENT, c);
  EXPECT_EQ(c[0], 0.3f);
  EXPECT_EQ(c[3], 1.0f);
}

TEST_F(DeviceTest, LightPositionsAreEyeCoordinatesAndKeepTheTransform) {
  EngLightsSetDirectionalLightSystem();
  device->SetTransformMatrixPos(5.0f, 0.0f, 0.0f);
  EngLightsSetDirectionalLightDirection(0.0f, 0.0f, 1.0f);
  GLfloat p[4];
  GetLight(GL_LIGHT0, GL_POSITION, p);
  EXPECT_EQ(p[0], 0.0f);
  EXPECT_EQ(p[2], 1.0f);
  EXPECT_EQ(p[3], 0.0f);
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[12], 5.0f);
  _Vector3d d;
  EngLightsGetDirectionalLightDirection(&d);
  EXPECT_EQ(d.z, 1.0f);
}

TEST_F(DeviceTest, PointLightsBoostOnceInTheRecordAndOnceWhenApplied) {
  EngLightsSetOnePointLightSystem();
  EngLightsSetPointLightAttributes(0, 0.5f, 0.5f, 0.5f, 0.1f, 0.1f, 0.1f, 0, 0, 0, 1, 2, 3, 1.0f, 0.5f, 0.25f);
  GLfloat c[4];
  GetLight(GL_LIGHT0, GL_DIFFUSE, c);
  EXPECT_NEAR(c[0], 0.845f, 1e-5f);
  glGetLightfv(GL_LIGHT0, GL_LINEAR_ATTENUATION, c);
  EXPECT_EQ(c[0], 0.5f);
  _EngLightsPointInfo info;
  EngLightsGetPointLightAttributes_GL(0, &info);
  EXPECT_NEAR(info.diffuse.r, 0.65f, 1e-5f);
  // Read and applied again, the light is unchanged.
  EngLightsSetPointLightAttributesEx(0, &info);
  GetLight(GL_LIGHT0, GL_DIFFUSE, c);
  EXPECT_NEAR(c[0], 0.845f, 1e-5f);
  _Vector3d pos;
  EngLightsGetPointLightPos(0, &pos);
  EXPECT_EQ(pos.y, 2.0f);
  std::string log = Logged([] { EngLightsSetPointLightAttributesEx(0, nullptr); });
  EXPECT_NE(log.find("Invalid parameter"), std::string::npos);
}

TEST_F(DeviceTest, LightSystemsEnableTheirLightsAndRefuseTheOthers) {
  EngLightsSetTwoPointsLightSystem();
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
  EngLightsSetOnePointLightSystem();
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
  EXPECT_NE(Logged([] { EngLightsSetPointLightPos(1, 0.0f, 0.0f, 0.0f); }).find("Invalid point light number <1>"),
            std::string::npos);

  EngLightsSetTwoPointsLightSystem();
  EngLightsSetDirectionalLightSystem();
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
  EXPECT_EQ(EngLightsGetLightSystem(), ENG_LIGHT_SYSTEM_DIRECTIONAL);

  // Under the directional system every point-light setter is refused, the position getter still answers.
  EXPECT_NE(Logged([] { EngLightsSetPointLightPos(0, 9.0f, 9.0f, 9.0f); }).find("Point light system not setup"),
            std::string::npos);
  _Vector3d pos;
  EngLightsGetPointLightPos(0, &pos);
  EXPECT_EQ(pos.x, 0.0f);
  EngLightsGetPointLightPos(1, &pos);
  EXPECT_EQ(pos.x, -10.0f);
  EXPECT_NE(Logged([&] { EngLightsGetPointLightPos(2, &pos); }).find("Invalid point light number <2>"),
            std::string::npos);

  EngLightsSetOnePointLightSystem();
  EXPECT_NE(Logged([] { EngLightsSetDirectionalLightColour(1, 1, 1); }).find("Directional light system not setup"),
            std::string::npos);
  EXPECT_NE(Logged([] { EngLightsSetLightSystem(3); }).find("Unknown light sytem (3)"), std::string::npos);
  EXPECT_EQ(EngLightsGetLightSystem(), ENG_LIGHT_SYSTEM_ONE_POINT);
}

TEST_F(DeviceTest, PointLightRecords) {
  _EngLightsPointInfo info;
  EngLightsSetPointInfoAttrDefaults_GL(&info);
  EXPECT_EQ(info.diffuse.r, 1.3f);
  EXPECT_EQ(info.specular.a, 0.0f);
  EXPECT_EQ(info.w, 1.0f);
  EngLightsSetPointInfoAttrColours(&info, 0.5f, 0.5f, 0.5f, 0.1f, 0.2f, 0.3f);
  EXPECT_NEAR(info.diffuse.g, 0.65f, 1e-6f);
  EXPECT_EQ(info.ambient.b, 0.3f);
  EngLightsSetPointInfoAttrSpecularColoursSameAsMainColours(&info, 2.0f);
  EXPECT_NEAR(info.specular.r, 1.3f, 1e-6f);
  EngLightsSetPointInfoAttrPos(&info, 1, 2, 3);
  EngLightsSetPointInfoAttrAttenuation(&info, 1, 2, 3);
  EXPECT_EQ(info.quadratic_attenuation, 3.0f);
  EngLightsSetPointInfoAttrPos(nullptr, 1, 2, 3);
}
