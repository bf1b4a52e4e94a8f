// Mesh models drawn on a real device: built in memory, placed by the transform, coloured per
// part, and the render state they leave behind.
#include "Engine/EngXfileGL.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>

#include "Engine/EngMain.h"
#include "Engine/EngMatrix.h"
#include "Engine/EngXfile.h"
#include "Engine/EngTexture.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/TextureTestSupport.h"
#include "tests/Engine/XfileTestSupport.h"

using qwtest::DeviceTest;
using qwtest::MemoryModel;

namespace {

struct Rgb {
  int r, g, b;
};

class XfileDrawTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    EngXfileResetForTests();
    device->SetClearColour(0.0f, 0.0f, 0.0f);
    device->ClearScreenAndDepthBuffers();
    device->TurnOffLighting();
    // One unit is one pixel, y up, origin at the window's bottom-left corner.
    EngMatrix projection;
    projection.SetOrthoMatrix(0.0f, 640.0f, 0.0f, 480.0f, -10.0f, 10.0f);
    device->SetProjectionMatrixToMatrix(&projection);
    device->SetTransformMatrixIdentity();
  }
  void TearDown() override {
    EngXfileResetForTests();
    DeviceTest::TearDown();
  }
  // A pixel given with y up from the bottom row.
  static Rgb PixelUp(int x, int y) {
    unsigned char rgb[3];
    ReadPixel(x, 479 - y, rgb);
    return {rgb[0], rgb[1], rgb[2]};
  }
};

void ExpectRgb(Rgb got, Rgb want, const std::string &what) {
  EXPECT_NEAR(got.r, want.r, 2) << what;
  EXPECT_NEAR(got.g, want.g, 2) << what;
  EXPECT_NEAR(got.b, want.b, 2) << what;
}

TEST_F(XfileDrawTest, AMeshLandsWhereItsTransformPutsIt) {
  MemoryModel model;
  model.Build(1);
  model.SetSquare(0, 0, 0, 40);
  model.SetColour(1, 0, 0);
  struct Case {
    float x, y, scale;
  };
  const Case cases[] = {{100, 200, 1}, {400, 50, 1}, {300, 300, 2}};
  for (const Case &c : cases) {
    std::string what = std::to_string((int)c.x) + "," + std::to_string((int)c.y);
    device->ClearScreen();
    device->SetTransformMatrixPosScale(c.x, c.y, 0, c.scale, c.scale, c.scale);
    model.Render();
    int size = (int)(40 * c.scale);
    ExpectRgb(PixelUp((int)c.x + 2, (int)c.y + 2), {255, 0, 0}, "near corner " + what);
    ExpectRgb(PixelUp((int)c.x + size - 3, (int)c.y + size - 3), {255, 0, 0}, "far corner " + what);
    ExpectRgb(PixelUp((int)c.x - 3, (int)c.y + 5), {0, 0, 0}, "left " + what);
    ExpectRgb(PixelUp((int)c.x + 5, (int)c.y + size + 2), {0, 0, 0}, "above " + what);
    ExpectRgb(PixelUp((int)c.x + size + 2, (int)c.y + 5), {0, 0, 0}, "right " + what);
  }
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
  GLfloat current[4];
  glGetFloatv(GL_CURRENT_COLOR, current);
  EXPECT_EQ(current[0], 1.0f);
  EXPECT_EQ(current[1], 1.0f);
  EXPECT_EQ(current[2], 1.0f);
}

TEST_F(XfileDrawTest, PartsDrawInTheirOwnColoursAndSkippedPartsNotAtAll) {
  MemoryModel model;
  model.Build(3);
  const Rgb colours[3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  for (int i = 0; i < 3; i++) {
    model.SetSquare(i, 50.0f + 100.0f * (float)i, 50, 50);
    model.SetMaterialColour(i, colours[i].r / 255.0f, colours[i].g / 255.0f, colours[i].b / 255.0f);
  }
  model.Part(1)->skip = 1;
  model.Render();
  ExpectRgb(PixelUp(75, 75), colours[0], "part 0");
  ExpectRgb(PixelUp(175, 75), {0, 0, 0}, "skipped part 1");
  ExpectRgb(PixelUp(275, 75), colours[2], "part 2");

  model.Part(1)->skip = 0;
  device->ClearScreen();
  model.PrepareToRender();
  char texture_bound = 0, colour_set = 0;
  EXPECT_EQ(model.RenderPart(1, 0, 0, 0, 1, &texture_bound, &colour_set), 1);
  model.RestoreAfterRendering();
  EXPECT_EQ(colour_set, 0) << "colour restored after the part";
  ExpectRgb(PixelUp(175, 75), colours[1], "part 1 alone");
  ExpectRgb(PixelUp(75, 75), {0, 0, 0}, "part 0 not drawn");
  GLfloat current[4];
  glGetFloatv(GL_CURRENT_COLOR, current);
  EXPECT_EQ(current[0], 1.0f);
  EXPECT_EQ(current[2], 1.0f);

  std::string log = Logged([&] { EXPECT_EQ(model.RenderPart(3, 0, 0, 0, 0, nullptr, nullptr), 0); });
  EXPECT_NE(log.find("XFile only has 3 materials (num = 3)"), std::string::npos) << log;
}

TEST_F(XfileDrawTest, AMeshWoundClockwiseIsCulledUnlessTwoSided) {
  MemoryModel model;
  model.Build(1);
  model.SetSquare(0, 0, 0, 40);
  model.SetColour(0, 1, 1);
  device->SetTransformMatrixPosScale(100, 100, 0, 1, -1, 1);  // the mirror turns the winding round
  model.Render();
  ExpectRgb(PixelUp(110, 80), {0, 0, 0}, "culled");
  device->ShowTwoSidedPolygons(1);
  model.Render();
  ExpectRgb(PixelUp(110, 80), {0, 255, 255}, "two-sided");
  device->ShowTwoSidedPolygons(0);
}

TEST_F(XfileDrawTest, TexturedPartsTakeTheirMaterialColourOnlyWhenSwitchedOn) {
  MemoryModel model;
  model.Build(1);
  model.SetSquare(0, 100, 100, 40);
  model.SetColour(1, 0, 0);
  // The model owns and deletes its parts' textures.
  EngTexture *texture = new EngTexture();
  qwtest::MakeTexture(texture, 4, 4, false, [](int, int, int, int) { return qwtest::Rgba{255, 0, 255, 255}; });
  model.Part(0)->texture = texture;
  EngTexture *got = nullptr;
  EXPECT_EQ(model.GetPartMaterialTexture(0, &got), 1);
  EXPECT_EQ(got, texture);

  model.Render();
  ExpectRgb(PixelUp(120, 120), {255, 0, 255}, "texture alone");
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0) << "unbound after drawing";

  EngXfileUseColourWhenRenderingPartsThatHaveTextures(1);
  model.Render();
  ExpectRgb(PixelUp(120, 120), {255, 0, 0}, "texture times the material colour");
}

}  // namespace
