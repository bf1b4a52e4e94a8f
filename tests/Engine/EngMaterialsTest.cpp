// Materials on the real device: the advanced-materials switch, the material setters with
// their fades, and nothing at all on a device that is not OpenGL.
#include "Engine/EngMaterials.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>

#include "Engine/EngMain.h"
#include "tests/Engine/DeviceTestSupport.h"

namespace {

class MaterialsTest : public qwtest::DeviceTest {
 protected:
  void SetUp() override {
    EngMaterialsResetForTests();
    DeviceTest::SetUp();
  }
  void TearDown() override {
    EngMaterialsResetForTests();
    EngMaterialsApplyAdvancedMaterialsSetting();
    DeviceTest::TearDown();
  }
  static void Front(GLenum parameter, GLfloat out[4]) { glGetMaterialfv(GL_FRONT, parameter, out); }
  static void ExpectColour(GLenum parameter, float r, float g, float b, float a) {
    GLfloat c[4];
    Front(parameter, c);
    EXPECT_FLOAT_EQ(c[0], r);
    EXPECT_FLOAT_EQ(c[1], g);
    EXPECT_FLOAT_EQ(c[2], b);
    EXPECT_FLOAT_EQ(c[3], a);
  }
};

TEST_F(MaterialsTest, SwitchDrivesColourMaterial) {
  EXPECT_FALSE(EngMaterialsAreAdvancedMaterialsOn());
  EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
  EngMaterialsUseAdvancedMaterials(1);
  EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL)) << "takes effect at the next apply";
  EngMaterialsApplyAdvancedMaterialsSetting();
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
  EXPECT_TRUE(EngMaterialsAreAdvancedMaterialsOn());
}

TEST_F(MaterialsTest, SettersReachTheFrontMaterial) {
  std::string log = Logged([] { EngMaterialsSetAdvancedMaterial(0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f,
                                                                 10, 0.2f, 0.1f, 0.0f); });
  EXPECT_NE(log.find("Advanced materials not on"), std::string::npos);
  EngMaterialsUseAdvancedMaterials(1);
  EngMaterialsApplyAdvancedMaterialsSetting();
  // Ambient and diffuse followed the current colour while it drove the material.
  ExpectColour(GL_SPECULAR, 0.7f, 0.8f, 0.9f, 1);
  ExpectColour(GL_EMISSION, 0.2f, 0.1f, 0.0f, 1);

  EXPECT_EQ(Logged([] { EngMaterialsSetAdvancedMaterialWithFade(1, 0.5f, 0, 1, 1, 1, 0.8f, 0.8f, 0.8f, 5, 1, 1, 1,
                                                                0.5f); }),
            "");
  ExpectColour(GL_AMBIENT, 0.5f, 0.25f, 0, 1);
  ExpectColour(GL_SPECULAR, 0.8f, 0.8f, 0.8f, 1);
  ExpectColour(GL_EMISSION, 0.5f, 0.5f, 0.5f, 1);

  const float ambient[4] = {0.3f, 0.3f, 0.3f, 0.5f}, specular[4] = {1, 0, 0, 1}, emission[4] = {0, 0, 0, 1};
  GLfloat diffuse_before[4];
  Front(GL_DIFFUSE, diffuse_before);
  EngMaterialsSetAdvancedMaterialArray(ambient, nullptr, specular, 20, emission);
  ExpectColour(GL_AMBIENT, 0.3f, 0.3f, 0.3f, 0.5f);
  ExpectColour(GL_DIFFUSE, diffuse_before[0], diffuse_before[1], diffuse_before[2], diffuse_before[3]);
  GLfloat shininess;
  glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
  EXPECT_FLOAT_EQ(shininess, 20);

  EngMaterialsSetAdvancedMaterialWithFadeArray(ambient, ambient, specular, 1, ambient, 0.5f);
  ExpectColour(GL_DIFFUSE, 0.15f, 0.15f, 0.15f, 0.5f);
  ExpectColour(GL_SPECULAR, 1, 0, 0, 1);

  EngMaterialsSetDefaultMaterialColour();
  ExpectColour(GL_AMBIENT, 1, 1, 1, 1);
  ExpectColour(GL_DIFFUSE, 1, 1, 1, 1);
  ExpectColour(GL_SPECULAR, 0, 0, 0, 1);
  ExpectColour(GL_EMISSION, 0, 0, 0, 1);

  EngMaterialsSetAdvancedMaterialColourAndSpecular(0.5f, 0.4f, 0.3f, 0.2f, 0.2f, 0.2f, 8);
  ExpectColour(GL_DIFFUSE, 0.5f, 0.4f, 0.3f, 1);
  ExpectColour(GL_EMISSION, 0, 0, 0, 1);
}

TEST(EngMaterialsNoDevice, NothingOnOtherDevices) {
  EngMaterialsResetForTests();
  eng_main_device_type = 0;
  EngMaterialsUseAdvancedMaterials(1);
  EXPECT_FALSE(EngMaterialsAreAdvancedMaterialsOn());
  eng_main_device_type = 1;
  EXPECT_FALSE(EngMaterialsAreAdvancedMaterialsOn()) << "the switch was never set";
  eng_main_device_type = 0;
}

}  // namespace
