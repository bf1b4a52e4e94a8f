// Mesh models drawn on a real device: built in memory or loaded from .x files the tests write
// with their textures, placed by the transform, coloured and lit per part, and the render
// state they leave behind.
#include "Engine/EngXfileGL.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Engine/EngMain.h"
#include "Engine/EngMatrix.h"
#include "Engine/EngXfile.h"
#include "Engine/EngTexture.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/ImageTestSupport.h"
#include "tests/Engine/TextureTestSupport.h"
#include "tests/Engine/XfileTestSupport.h"
#include "tests/support/TestSupport.h"

using qwtest::DeviceTest;
using qwtest::MemoryModel;
using qwtest::SquareMeshText;

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

// --- Loaded models -----------------------------------------------------------------------------

// An 8 by 8 TGA whose left half has one colour and right half another (r, g, b each).
std::string HalvesTga(Rgb left, Rgb right) {
  std::vector<uint8_t> pixels;
  for (int y = 0; y < 8; y++)
    for (int x = 0; x < 8; x++) {
      Rgb c = x < 4 ? left : right;
      pixels.push_back((uint8_t)c.b);
      pixels.push_back((uint8_t)c.g);
      pixels.push_back((uint8_t)c.r);
    }
  return qwimage::TgaFile(8, 8, 24, pixels);
}

class XfileLoadDrawTest : public XfileDrawTest {
 protected:
  void SetUp() override {
    XfileDrawTest::SetUp();
    qwtest::WriteWholeFile(dir.File("redblue.tga"), HalvesTga({255, 0, 0}, {0, 0, 255}));
    qwtest::WriteWholeFile(dir.File("yellow.tga"), HalvesTga({255, 255, 0}, {255, 255, 0}));
  }
  // Loads text as the model file "m.x" of the test's folder, its squares 40 pixels wide.
  char Load(MemoryModel *model, const std::string &text, XFILE_MATERIAL_OVERWRITE_FUNC overwrite = nullptr,
            void *user = nullptr) {
    qwtest::WriteWholeFile(dir.File("m.x"), text);
    return model->LoadFromFile(dir.Path().c_str(), "m.x", 40, 40, 40, nullptr, 0, 0, overwrite, user, nullptr);
  }
  qwtest::TempDir dir;
};

TEST_F(XfileLoadDrawTest, ALoadedModelDrawsWhereItsTransformPutsItWithItsTexture) {
  SquareMeshText textured;
  textured.texture = "redblue.tga";
  SquareMeshText green;
  green.name = "Green";
  green.r = 0, green.g = 1, green.b = 0;
  green.frame = true;
  green.tx = 2;  // 80 pixels right of the textured square once scaled
  MemoryModel model;
  ASSERT_EQ(Load(&model, textured.Text() + green.Text()), 1);
  ASSERT_EQ(model.GetNumMaterials(), 2);
  EngTexture *texture = nullptr;
  ASSERT_EQ(model.GetPartMaterialTexture(0, &texture), 1);
  EXPECT_EQ(texture->IsOk(), 1);
  EXPECT_EQ(model.GetPartMaterialTexture(1, &texture), 0);

  model.PrepareToRender();
  EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY)) << "a load draws with the parts' normals";
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_COORD_ARRAY)) << "and texture coordinates";
  model.RestoreAfterRendering();
  EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));

  struct Case {
    float x, y;
  };
  for (const Case &c : {Case{200, 100}, Case{20, 300}}) {
    const int x = (int)c.x, y = (int)c.y;
    const std::string at = std::to_string(x) + "," + std::to_string(y);
    device->ClearScreen();
    device->SetTransformMatrixPosScale(c.x, c.y, 0, 1, 1, 1);
    model.Render();
    ExpectRgb(PixelUp(x + 5, y + 20), {255, 0, 0}, "left of the texture " + at);
    ExpectRgb(PixelUp(x + 35, y + 20), {0, 0, 255}, "right of the texture " + at);
    ExpectRgb(PixelUp(x + 100, y + 20), {0, 255, 0}, "green part " + at);
    ExpectRgb(PixelUp(x + 60, y + 20), {0, 0, 0}, "between the parts " + at);
    ExpectRgb(PixelUp(x - 5, y + 20), {0, 0, 0}, "left of the model " + at);
    ExpectRgb(PixelUp(x + 20, y + 45), {0, 0, 0}, "above the model " + at);
  }
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
}

// The file's normal (0, 0, 1) lights the square fully from a light along +z, although the
// current normal points away and the mesh's frame moves it far off the origin.
TEST_F(XfileLoadDrawTest, TheFilesNormalsLightTheModelUntiltedByTheFrame) {
  SquareMeshText square;
  square.frame = true;
  square.tx = 3, square.ty = 3;
  MemoryModel model;
  ASSERT_EQ(Load(&model, square.Text()), 1);

  glPushAttrib(GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_CURRENT_BIT);
  const GLfloat none[4] = {0, 0, 0, 1}, white[4] = {1, 1, 1, 1}, along_z[4] = {0, 0, 1, 0};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
  glLightfv(GL_LIGHT0, GL_POSITION, along_z);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT0, GL_AMBIENT, none);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, none);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glNormal3f(0, 0, -1);
  model.Render();
  Rgb lit = PixelUp(140, 140);  // the square covers 120 to 160
  glPopAttrib();
  ExpectRgb(lit, {255, 255, 255}, "lit square");
  ExpectRgb(PixelUp(100, 140), {0, 0, 0}, "left of the square");
}

char *ReplaceWithUserName(EngXfile *, int, char *, char *, void *user, void *) {
  return &(*static_cast<std::string *>(user))[0];
}

TEST_F(XfileLoadDrawTest, TexturesComeFromTheFileTheOverwriteFunctionOrLaterCalls) {
  SquareMeshText textured;
  textured.texture = "missing.tga";
  MemoryModel model;
  std::string log = Logged([&] { EXPECT_EQ(Load(&model, textured.Text()), 0); });
  EXPECT_NE(log.find("Could not load texture <" + dir.File("missing.tga") + "> for part 0 of model"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("Failed to parse the xfile"), std::string::npos) << log;
  EXPECT_EQ(model.Part(0)->texture, nullptr);

  std::string yellow = dir.File("yellow.tga");
  SquareMeshText plain;
  plain.name = "Plain";
  plain.r = 0, plain.g = 1, plain.b = 0;
  plain.frame = true;
  plain.tx = 2;
  ASSERT_EQ(Load(&model, textured.Text() + plain.Text(), ReplaceWithUserName, &yellow), 1);
  model.Render();
  ExpectRgb(PixelUp(20, 20), {255, 255, 0}, "the overwrite function's texture");
  ExpectRgb(PixelUp(100, 20), {0, 255, 0}, "untextured part");

  // Later changes by file name.
  const std::string red_blue = dir.File("redblue.tga");
  EXPECT_EQ(model.SetMaterialTextureFromFile(0, red_blue.c_str(), 0, 0, 0), 1);
  EXPECT_EQ(model.Part(0)->texture_index, 0) << "the file's texture slot stays";
  EXPECT_EQ(model.SetMaterialTextureFromFile(1, red_blue.c_str(), 0, 0, 1), 1) << "nothing to replace";
  EXPECT_EQ(model.Part(1)->texture, nullptr);
  EXPECT_EQ(model.SetMaterialTextureFromFile(7, red_blue.c_str(), 0, 0, 1), 1) << "past the parts";
  device->ClearScreen();
  model.Render();
  ExpectRgb(PixelUp(5, 20), {255, 0, 0}, "new texture, left");
  ExpectRgb(PixelUp(35, 20), {0, 0, 255}, "new texture, right");

  log = Logged([&] {
    EXPECT_EQ(model.SetMaterialTextureFromFile(1, dir.File("none.tga").c_str(), 1, 0, 0), 0);
    EXPECT_EQ(model.SetMaterialTextureFromFile(2, red_blue.c_str(), 0, 0, 0), 0);
  });
  EXPECT_NE(log.find("Alpha not supported yet"), std::string::npos) << log;
  EXPECT_NE(log.find("Could not load texture <" + dir.File("none.tga") + "> for mat_num 1 of model"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("XFile only has 2 materials (num = 2)"), std::string::npos) << log;
  EXPECT_EQ(model.Part(1)->texture, nullptr);

  EXPECT_EQ(model.SetMaterialTextureFromFile(0, "", 0, 0, 0), 1);
  EXPECT_EQ(model.Part(0)->texture, nullptr);
  EXPECT_EQ(model.SetAllMaterialsTexturesFromFile(yellow.c_str(), 0, 0, 0), 1);
  EXPECT_NE(model.Part(0)->texture, nullptr);
  EXPECT_NE(model.Part(1)->texture, nullptr);
  device->ClearScreen();
  model.Render();
  ExpectRgb(PixelUp(20, 20), {255, 255, 0}, "part 0 yellow");
  ExpectRgb(PixelUp(100, 20), {255, 255, 0}, "part 1 yellow");
}

TEST_F(XfileLoadDrawTest, AModelOutlivingItsDeviceStillFreesEverything) {
  SquareMeshText textured;
  textured.texture = "redblue.tga";
  MemoryModel model;
  ASSERT_EQ(Load(&model, textured.Text() + SquareMeshText().Text()), 1);
  device.reset();
  ASSERT_EQ(eng_main_device, nullptr);
  model.Destroy();
  EXPECT_EQ(model.Parts(), nullptr);
  EXPECT_EQ(model.GetNumMaterials(), 0);
}

}  // namespace
