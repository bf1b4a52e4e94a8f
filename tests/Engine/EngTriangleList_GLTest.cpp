// Triangle lists drawn on a real device in 2D mode and read back pixel by pixel.
#include "Engine/EngTriangleList.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>

#include "Engine/EngMain.h"
#include "Engine/EngTexture.h"
#include "tests/Engine/TextureTestSupport.h"
#include "tests/Engine/DeviceTestSupport.h"

using qwtest::DeviceTest;

namespace {

bool Contains(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

struct Rgb {
  int r, g, b;
};

class TriangleListDrawTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    device->SetClearColour(0.0f, 0.0f, 0.0f);
    device->ClearScreen();
    device->PrepareFor2D(1);
  }
  void TearDown() override {
    device->RestoreAfter2D();
    DeviceTest::TearDown();
  }
  static Rgb Pixel(int x, int y) {
    unsigned char rgb[3];
    ReadPixel(x, y, rgb);
    return {rgb[0], rgb[1], rgb[2]};
  }
  // Triangle i covers the top-left half of a 100-unit square in column i, given clockwise on
  // screen as callers give them.
  static void SetSquareTriangle(EngTriangleList &list, unsigned int i) {
    float left = 20.0f + 150.0f * (float)i;
    list.SetPositionsRatioed(i, left, 100, 0, left + 100, 100, 0, left, 200, 0);
  }
  // A point well inside triangle i, in window pixels (the window is 640 by 480).
  static Rgb InsideSquareTriangle(unsigned int i) { return Pixel(20 + 150 * (int)i + 25, 125); }
};

void ExpectRgb(Rgb got, Rgb want, const std::string &what) {
  EXPECT_NEAR(got.r, want.r, 2) << what;
  EXPECT_NEAR(got.g, want.g, 2) << what;
  EXPECT_NEAR(got.b, want.b, 2) << what;
}

TEST_F(TriangleListDrawTest, ColouredTrianglesLandWhereTheyArePlaced) {
  EngTriangleList list;
  ASSERT_EQ(list.Create(ETL_TYPE_POS_COL, nullptr, 3), 1);
  const Rgb colours[3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  for (unsigned int i = 0; i < 3; i++) {
    SetSquareTriangle(list, i);
    list.SetColour(i, colours[i].r / 255.0f, colours[i].g / 255.0f, colours[i].b / 255.0f, 1.0f);
  }
  list.SetupAndDraw();
  for (unsigned int i = 0; i < 3; i++) {
    ExpectRgb(InsideSquareTriangle(i), colours[i], "triangle " + std::to_string(i));
    // Below the diagonal is the square's other half, left empty.
    ExpectRgb(Pixel(20 + 150 * (int)i + 80, 180), {0, 0, 0}, "outside " + std::to_string(i));
  }
  ExpectRgb(Pixel(5, 5), {0, 0, 0}, "corner");
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
  EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
  GLfloat current[4];
  glGetFloatv(GL_CURRENT_COLOR, current);
  EXPECT_EQ(current[0], 1.0f);
  EXPECT_EQ(current[1], 1.0f);
  EXPECT_EQ(current[3], 1.0f);
}

TEST_F(TriangleListDrawTest, TexturedTrianglesShowTheirTexture) {
  EngTexture texture;
  qwtest::MakeTexture(&texture, 8, 8, false, [](int x, int, int w, int) -> qwtest::Rgba {
    return x < w / 2 ? qwtest::Rgba{255, 255, 0, 255} : qwtest::Rgba{0, 255, 255, 255};
  });
  EngTriangleList list;
  ASSERT_EQ(list.Create(ETL_TYPE_POS_TEX_COL, &texture, 2), 1);
  // Triangle 0 samples only the texture's left (yellow) half, triangle 1 only its right half.
  SetSquareTriangle(list, 0);
  list.SetTextureCoordinates(0, 0.1f, 0.1f, 0.2f, 0.1f, 0.1f, 0.2f);
  SetSquareTriangle(list, 1);
  list.SetTextureCoordinates(1, 0.8f, 0.1f, 0.9f, 0.1f, 0.8f, 0.2f);
  list.SetColour(0, 1.0f, 1.0f, 1.0f, 1.0f);
  list.SetColour(1, 1.0f, 1.0f, 1.0f, 1.0f);
  list.SetupAndDraw();
  ExpectRgb(InsideSquareTriangle(0), {255, 255, 0}, "left half of the texture");
  ExpectRgb(InsideSquareTriangle(1), {0, 255, 255}, "right half of the texture");
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);  // cleaned up after drawing
  texture.Destroy();
}

TEST_F(TriangleListDrawTest, ATriangleGivenCounterClockwiseOnScreenIsCulled) {
  EngTriangleList list;
  ASSERT_EQ(list.Create(ETL_TYPE_POS_COL, nullptr, 2), 1);
  SetSquareTriangle(list, 0);
  list.SetPositionsRatioed(1, 170, 100, 0, 170, 200, 0, 270, 100, 0);
  list.SetColour(0, 1, 1, 0, 1);
  list.SetColour(1, 1, 1, 0, 1);
  list.SetupAndDraw();
  ExpectRgb(InsideSquareTriangle(0), {255, 255, 0}, "clockwise");
  ExpectRgb(InsideSquareTriangle(1), {0, 0, 0}, "counter-clockwise");

  device->ShowTwoSidedPolygons(1);
  list.SetupAndDraw();
  ExpectRgb(InsideSquareTriangle(1), {255, 255, 0}, "two-sided");
  device->ShowTwoSidedPolygons(0);
}

TEST_F(TriangleListDrawTest, PartsDrawOnlyTheirTrianglesAndStopAtTheEnd) {
  struct Case {
    unsigned int first, count;
    bool drawn[4];
  };
  const Case cases[] = {
      {2, 2, {false, false, true, true}},  {0, 1, {true, false, false, false}},
      {3, 5, {false, false, false, true}}, {4, 1, {false, false, false, false}},
      {1, 0xFFFFFFFFu, {false, true, true, true}}, {0xFFFFFFFFu, 2, {false, false, false, false}},
  };
  EngTriangleList list;
  ASSERT_EQ(list.Create(ETL_TYPE_POS_COL, nullptr, 4), 1);
  for (unsigned int i = 0; i < 4; i++) {
    SetSquareTriangle(list, i);
    list.SetColour(i, 0, 1, 1, 1);
  }
  for (const Case &c : cases) {
    device->ClearScreen();
    list.SetupAndDrawPart(c.first, c.count);
    for (unsigned int i = 0; i < 4; i++)
      ExpectRgb(InsideSquareTriangle(i), c.drawn[i] ? Rgb{0, 255, 255} : Rgb{0, 0, 0},
                "part " + std::to_string(c.first) + "+" + std::to_string(c.count) + " triangle " +
                    std::to_string(i));
  }

  // The separate steps draw several parts in a row.
  device->ClearScreen();
  list.SetupForDrawing();
  list.DrawTrianglesSet(0, 1);
  list.DrawTrianglesSet(3, 1);
  list.CleanupAfterDrawing();
  ExpectRgb(InsideSquareTriangle(0), {0, 255, 255}, "steps 0");
  ExpectRgb(InsideSquareTriangle(1), {0, 0, 0}, "steps 1");
  ExpectRgb(InsideSquareTriangle(3), {0, 255, 255}, "steps 3");
}

TEST_F(TriangleListDrawTest, TypesWithoutColoursDrawInTheCurrentColour) {
  EngTriangleList plain, lit, textured;
  ASSERT_EQ(plain.Create(ETL_TYPE_POS, nullptr, 1), 1);
  ASSERT_EQ(lit.Create(ETL_TYPE_POS_NORM_TEX, nullptr, 2), 1);
  ASSERT_EQ(textured.Create(ETL_TYPE_POS_TEX_COL, nullptr, 3), 1);
  SetSquareTriangle(plain, 0);
  SetSquareTriangle(lit, 1);
  SetSquareTriangle(textured, 2);
  textured.SetColour(2, 1, 0, 1, 1);

  glDisable(GL_TEXTURE_2D);
  glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
  plain.DrawTriangles();
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));  // positions-only lists turn 2D texturing back on
  glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
  lit.DrawTrianglesSet(1, 1);
  EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
  textured.SetupAndDrawPart(2, 1);

  ExpectRgb(InsideSquareTriangle(0), {255, 0, 0}, "type 1");
  ExpectRgb(InsideSquareTriangle(1), {0, 255, 0}, "type 3");
  ExpectRgb(InsideSquareTriangle(2), {255, 0, 255}, "type 5");
}

TEST_F(TriangleListDrawTest, UndrawableTypesSayNotImplementedAndDrawNothing) {
  const _EngTriangleListType undrawable[] = {ETL_TYPE_NONE, ETL_TYPE_POS_TEX, ETL_TYPE_POS_NORM_COL,
                                             ETL_TYPE_POS_NORM_TEX_COL};
  for (_EngTriangleListType type : undrawable) {
    EngTriangleList list;
    ASSERT_EQ(list.Create(type, nullptr, 1), 1);
    SetSquareTriangle(list, 0);
    std::string log = Logged([&] { list.SetupAndDraw(); });
    EXPECT_TRUE(Contains(log, "Type " + std::to_string((int)type) + " not implemented yet")) << log;
    ExpectRgb(InsideSquareTriangle(0), {0, 0, 0}, "type " + std::to_string((int)type));
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
  }
}

TEST_F(TriangleListDrawTest, AnOpenGlErrorAtTheDrawIsReported) {
  EngTriangleList list;
  ASSERT_EQ(list.Create(ETL_TYPE_POS_COL, nullptr, 1), 1);
  SetSquareTriangle(list, 0);
  std::string log = Logged([&] { list.SetupAndDraw(); });
  EXPECT_EQ(log, "");
  glEnable(0x7FFF);  // not a capability: GL_INVALID_ENUM waits for the next check
  log = Logged([&] { list.SetupAndDraw(); });
  EXPECT_TRUE(Contains(log, "EngTriangleList::DrawTrianglesSet_GL")) << log;
  EXPECT_TRUE(Contains(log, "glDrawArrays : OpenGL error: GL_INVALID_ENUM")) << log;
}

TEST_F(TriangleListDrawTest, NothingIsDrawnForAnotherDeviceKindOrWithoutAContext) {
  EngTriangleList list;
  ASSERT_EQ(list.Create(ETL_TYPE_POS_COL, nullptr, 1), 1);
  SetSquareTriangle(list, 0);
  eng_main_device_type = 0;
  list.SetupAndDraw();
  eng_main_device_type = ENG_DEVICE_TYPE_OPENGL;
  eng_gl_3d_setup = 0;
  list.SetupAndDraw();
  eng_gl_3d_setup = 1;
  ExpectRgb(InsideSquareTriangle(0), {0, 0, 0}, "not drawn");
  list.SetupAndDraw();
  ExpectRgb(InsideSquareTriangle(0), {255, 255, 255}, "drawn");
}

}  // namespace
