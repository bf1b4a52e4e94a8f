// Particles drawn on a real device: quads where the particles are, in their colours, and the
// render state put back afterwards.
#include "Engine/EngParticles.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>

#include "Engine/EngMain.h"
#include "Engine/EngMatrix.h"
#include "Engine/EngTexture.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/TextureTestSupport.h"

using qwtest::DeviceTest;

namespace {

struct Rgb {
  int r, g, b;
};

class ParticlesDrawTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    EngParticlesResetForTests();
    device->SetClearColour(0.0f, 0.0f, 0.0f);
    device->ClearScreenAndDepthBuffers();
    EngMatrix projection;
    projection.SetOrthoMatrix(0.0f, 640.0f, 0.0f, 480.0f, -10.0f, 10.0f);
    device->SetProjectionMatrixToMatrix(&projection);
    device->SetTransformMatrixIdentity();
    parms = _EngParticleSystemParms();
    parms.burst_count = 1;
    parms.update_mode = 2;
    parms.life_min = parms.life_max = 10.0f;
    parms.speed_factor = 1.0f;
    parms.spread_factor = 1.0f;
    parms.start_alpha = parms.end_alpha = 1.0f;
    parms.start_size = parms.end_size = 20.0f;
    parms.start_g = parms.end_g = 1.0f;
    parms.tint = 1;
    parms.blending = 4;
    parms.emitter_x = 200.0f;
    parms.emitter_y = 150.0f;
  }
  static Rgb PixelUp(int x, int y) {
    unsigned char rgb[3];
    ReadPixel(x, 479 - y, rgb);
    return {rgb[0], rgb[1], rgb[2]};
  }
  _EngParticleSystemParms parms;
};

void ExpectRgb(Rgb got, Rgb want, const std::string &what) {
  EXPECT_NEAR(got.r, want.r, 2) << what;
  EXPECT_NEAR(got.g, want.g, 2) << what;
  EXPECT_NEAR(got.b, want.b, 2) << what;
}

TEST_F(ParticlesDrawTest, AParticleIsAQuadOfItsSizeAtItsPositionInItsColour) {
  struct Case {
    EngUInt8 tint;
    Rgb colour;
  };
  const Case cases[] = {{1, {0, 255, 0}}, {0, {255, 255, 255}}};
  for (const Case &c : cases) {
    SCOPED_TRACE((int)c.tint);
    device->ClearScreen();
    parms.tint = c.tint;
    EngParticles system;
    ASSERT_EQ(system.Create(4, &parms, 0), 1);
    ASSERT_EQ(system.TickUpdate(0.5f, 1), 1);
    EXPECT_EQ(system.Render(), 1);
    ExpectRgb(PixelUp(200, 150), c.colour, "centre");
    ExpectRgb(PixelUp(192, 158), c.colour, "inside a corner");
    ExpectRgb(PixelUp(213, 150), {0, 0, 0}, "right of it");
    ExpectRgb(PixelUp(200, 137), {0, 0, 0}, "below it");
  }
}

TEST_F(ParticlesDrawTest, TheTextureIsDrawnOnTheQuadInTheParticlesColour) {
  EngTexture texture;
  qwtest::MakeTexture(&texture, 4, 4, false, [](int, int, int, int) { return qwtest::Rgba{255, 255, 0, 255}; });
  parms.texture = &texture;
  parms.start_r = parms.end_r = 1.0f;
  parms.start_b = parms.end_b = 1.0f;
  EngParticles system;
  ASSERT_EQ(system.Create(4, &parms, 0), 1);
  ASSERT_EQ(system.TickUpdate(0.5f, 1), 1);
  EXPECT_EQ(system.Render(), 1);
  ExpectRgb(PixelUp(200, 150), {255, 255, 0}, "yellow texture times white");
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);
}

TEST_F(ParticlesDrawTest, DrawingPutsTheRenderStateBack) {
  EngParticles system;
  ASSERT_EQ(system.Create(4, &parms, 0), 1);
  ASSERT_EQ(system.TickUpdate(0.5f, 1), 1);
  device->TurnOnLighting();
  device->TurnOnDepthBuffer();
  ASSERT_EQ(system.Render(), 1);
  EXPECT_EQ(device->IsLightingOn(), 1);
  EXPECT_EQ(device->IsDepthBufferOn(), 1);
  EXPECT_EQ(device->IsBlendingEnabled(), 0);
  EXPECT_EQ(device->AreTwoSidedPolygonsOn(), 0);
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
  GLfloat current[4];
  glGetFloatv(GL_CURRENT_COLOR, current);
  EXPECT_EQ(current[1], 1.0f);
  EXPECT_EQ(current[0], 1.0f);
  device->TurnOffLighting();
}

TEST_F(ParticlesDrawTest, AnUnknownBlendingChoiceIsReportedByTheDeviceAndStillDraws) {
  parms.blending = 7;
  EngParticles system;
  ASSERT_EQ(system.Create(4, &parms, 0), 1);
  ASSERT_EQ(system.TickUpdate(0.5f, 1), 1);
  std::string log = Logged([&] { EXPECT_EQ(system.Render(), 1); });
  EXPECT_NE(log.find("Invalid Type"), std::string::npos) << log;
  ExpectRgb(PixelUp(200, 150), {0, 255, 0}, "drawn");
}

TEST_F(ParticlesDrawTest, NothingIsDrawnBeforeCreateOrForDeadParticles) {
  EngParticles system;
  EXPECT_EQ(system.Render(), 0);
  parms.life_min = parms.life_max = 0.25f;
  ASSERT_EQ(system.Create(4, &parms, 0), 1);
  ASSERT_EQ(system.TickUpdate(0.5f, 1), 1);
  EXPECT_EQ(system.TickUpdate(0.75f, 0), 0);
  EXPECT_EQ(system.Render(), 1);
  ExpectRgb(PixelUp(200, 150), {0, 0, 0}, "dead");
}

}  // namespace
