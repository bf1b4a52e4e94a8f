// Texture drawing read back from the framebuffer: whole, part, tinted, per-corner colours,
// "Ratioed" and "Pure" placement, 3-D quads, nine- and three-slice draws.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/EngTexture.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/TextureTestSupport.h"

using qwtest::Rgba;

namespace {

// Top-left red, top-right green, bottom-left blue, bottom-right white.
Rgba Quadrants(int x, int y, int w, int h) {
  bool right = x >= w / 2, bottom = y >= h / 2;
  if (!right && !bottom) return {255, 0, 0, 255};
  if (right && !bottom) return {0, 255, 0, 255};
  if (!right) return {0, 0, 255, 255};
  return {255, 255, 255, 255};
}

Rgba White(int, int, int, int) { return {255, 255, 255, 255}; }

// A 16-texel red frame around a blue middle.
Rgba Frame(int x, int y, int w, int h) {
  bool border = x < 16 || y < 16 || x >= w - 16 || y >= h - 16;
  return border ? Rgba{255, 0, 0, 255} : Rgba{0, 0, 255, 255};
}

class TextureDrawTest : public qwtest::DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    device->PrepareFor2D(1);
    Clear();
  }
  void TearDown() override {
    texture.Destroy();
    device->RestoreAfter2D();
    DeviceTest::TearDown();
  }
  static void Clear() {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  EngTexture texture;
};

TEST_F(TextureDrawTest, WholeTextureRatioedCoversTheScreenTheRightWayUp) {
  qwtest::MakeTexture(&texture, 64, 64, true, Quadrants);
  texture.PositionRatioed(0, 0, 640, 480);
  EXPECT_TRUE(texture.Draw());
  EXPECT_EQ(At(160, 120), 'r');
  EXPECT_EQ(At(480, 120), 'g');
  EXPECT_EQ(At(160, 360), 'b');
  EXPECT_EQ(At(480, 360), 'w');
  EXPECT_EQ(At(0, 0), 'r');
  EXPECT_EQ(At(639, 479), 'w');
}

TEST_F(TextureDrawTest, RatioedPlacementFollowsTheDesignSpaceAndTheWindow) {
  qwtest::MakeTexture(&texture, 64, 64, false, White);
  texture.PositionRatioed(320.0f, 240.0f, 160.0f, 120.0f);
  EXPECT_FLOAT_EQ(texture.GetDrawWidth(), 160.0f);
  EXPECT_FLOAT_EQ(texture.GetDrawHeight(), 120.0f);
  texture.Draw();
  EXPECT_EQ(At(322, 242), 'w');
  EXPECT_EQ(At(477, 357), 'w');
  EXPECT_EQ(At(317, 300), 'k');
  EXPECT_EQ(At(400, 237), 'k');
  EXPECT_EQ(At(483, 300), 'k');
  EXPECT_EQ(At(400, 363), 'k');

  const _Dimension dim = {0, 0, 320, 240};
  Clear();
  EXPECT_TRUE(texture.PositionRatioedAndDraw(&dim));
  EXPECT_EQ(At(10, 10), 'w');
  EXPECT_EQ(At(330, 250), 'k');
}

TEST_F(TextureDrawTest, PureCoordinatesAreClipSpaceWithYDown) {
  qwtest::MakeTexture(&texture, 64, 64, true, Quadrants);
  // From (-1, -1) down-right by one unit: the screen's top-left quarter.
  EXPECT_TRUE(texture.PositionPureAndDraw(-1.0f, -1.0f, 1.0f, 1.0f));
  EXPECT_EQ(At(80, 60), 'r');
  EXPECT_EQ(At(240, 60), 'g');
  EXPECT_EQ(At(80, 180), 'b');
  EXPECT_EQ(At(240, 180), 'w');
  EXPECT_EQ(At(400, 300), 'k');

  std::string log = Logged([&] { texture.PositionPure(10.0f, 10.0f, 0.0f, 5.0f); });
  EXPECT_NE(log.find("Invalid sizes"), std::string::npos);
  EXPECT_FLOAT_EQ(texture.GetDrawWidth(), 1.0f);
  Clear();
  texture.DrawPure();
  EXPECT_EQ(At(80, 60), 'r');
}

TEST_F(TextureDrawTest, PartAndTintStayInForceUntilRestored) {
  qwtest::MakeTexture(&texture, 64, 64, true, Quadrants);
  texture.PositionRatioed(0, 0, 640, 480);
  EXPECT_TRUE(texture.DrawPart(0.0f, 0.0f, 0.5f, 0.5f));
  EXPECT_FALSE(texture.AreFullTexCoordinatesSet());
  EXPECT_EQ(At(480, 360), 'r');
  Clear();
  texture.Draw();
  EXPECT_EQ(At(480, 360), 'r');
  texture.RestoreTexCoordinates();
  EXPECT_TRUE(texture.AreFullTexCoordinatesSet());
  Clear();
  texture.Draw();
  EXPECT_EQ(At(480, 360), 'w');

  // Tinting white by red gives red, twice, until the colour is restored.
  EXPECT_TRUE(texture.DrawWithColour(1, 0, 0, 1));
  EXPECT_EQ(At(480, 360), 'r');
  GLfloat current[4];
  glGetFloatv(GL_CURRENT_COLOR, current);
  EXPECT_EQ(current[1], 1.0f) << "the current colour goes back to white after a tinted draw";
  Clear();
  texture.Draw();
  EXPECT_EQ(At(480, 360), 'r');
  texture.RestoreColour();
  Clear();
  texture.Draw();
  EXPECT_EQ(At(480, 360), 'w');

  // Null pointers: a null part or colour draws nothing.
  Clear();
  EXPECT_FALSE(texture.DrawPart(static_cast<const _TexCoords *>(nullptr)));
  EXPECT_FALSE(texture.DrawWithColour(static_cast<const _ColourRGBA *>(nullptr)));
  EXPECT_EQ(At(480, 360), 'k');
  // A null part in the pure form restores the full coordinates and draws.
  texture.SetTextureCoordinates(0.0f, 0.0f, 0.5f, 0.5f);
  texture.PositionPure(-1, -1, 2, 2);
  EXPECT_TRUE(texture.DrawPartPure(static_cast<const _TexCoords *>(nullptr)));
  EXPECT_TRUE(texture.AreFullTexCoordinatesSet());
  EXPECT_EQ(At(480, 360), 'w');
}

TEST_F(TextureDrawTest, CornerColoursShadeTheQuadAndAlphaLevelTints) {
  qwtest::MakeTexture(&texture, 64, 64, false, White);
  texture.SetCornerColour(0, 1, 0, 0, 1);
  texture.SetCornerColour(1, 0, 1, 0, 1);
  texture.SetCornerColour(2, 0, 0, 1, 1);
  const _ColourRGBA white = {1, 1, 1, 1};
  texture.SetCornerColour(3, &white);
  texture.PositionRatioedAndDraw(0, 0, 640, 480);
  EXPECT_EQ(At(1, 1), 'r');
  EXPECT_EQ(At(638, 1), 'g');
  EXPECT_EQ(At(638, 478), 'b');
  EXPECT_EQ(At(1, 478), 'w');

  EngTexture other;
  qwtest::MakeTexture(&other, 64, 64, false, White);
  other.SetAlphaLevel(0.5f);
  device->EnableBlendingType(0);
  Clear();
  other.PositionRatioedAndDraw(0, 0, 640, 480);
  unsigned char p[3];
  ReadPixel(320, 240, p);
  EXPECT_NEAR(p[0], 128, 2);
  device->DisableBlending();
  other.Destroy();
}

TEST_F(TextureDrawTest, NineSliceKeepsCornersAndCanLeaveTheMiddleEmpty) {
  qwtest::MakeTexture(&texture, 64, 64, false, Frame);
  texture.PositionRatioed(100, 100, 400, 300);
  const float du = 16.0f / 64.0f;
  EXPECT_TRUE(texture.DrawInParts(40, 40, du, du, 1));
  EXPECT_EQ(At(110, 110), 'r');  // corner
  EXPECT_EQ(At(300, 110), 'r');  // top edge
  EXPECT_EQ(At(135, 250), 'r');  // left edge, corner width unscaled
  EXPECT_EQ(At(145, 250), 'b');  // centre begins after 40 units
  EXPECT_EQ(At(300, 250), 'b');
  EXPECT_EQ(At(490, 390), 'r');
  EXPECT_EQ(At(95, 250), 'k');
  // Rectangle and full coordinates come back.
  EXPECT_FLOAT_EQ(texture.GetDrawWidth(), 400.0f);
  EXPECT_TRUE(texture.AreFullTexCoordinatesSet());

  Clear();
  texture.DrawInParts(40, 40, du, du, 0);
  EXPECT_EQ(At(110, 110), 'r');
  EXPECT_EQ(At(300, 250), 'k');

  // The pure form draws the same pieces in clip units.
  Clear();
  texture.PositionPure(-1, -1, 2, 2);
  EXPECT_TRUE(texture.DrawInPartsPure(0.25f, 0.25f, du, du, 1));
  EXPECT_EQ(At(20, 20), 'r');
  EXPECT_EQ(At(100, 240), 'b');
  EXPECT_EQ(At(320, 240), 'b');
}

TEST_F(TextureDrawTest, ThreeSliceDrawsAndItsWholeTextureCase) {
  qwtest::MakeTexture(&texture, 64, 64, false, Frame);
  const float du = 16.0f / 64.0f;
  texture.PositionRatioed(0, 0, 640, 480);
  EXPECT_TRUE(texture.DrawInPartsHorz(100, du, 1));
  EXPECT_EQ(At(90, 240), 'r');
  EXPECT_EQ(At(110, 240), 'b');
  EXPECT_EQ(At(320, 5), 'r');  // the top border keeps its stretched height
  Clear();
  texture.DrawInPartsVert(100, du, 0);
  EXPECT_EQ(At(320, 90), 'r');
  EXPECT_EQ(At(320, 240), 'k');

  // An edge of half the width or more: the whole texture once.
  Clear();
  texture.PositionPure(-1, -1, 2, 2);
  std::string log = Logged([&] { texture.DrawInPartsHorzPure(1.0f, du, 1); });
  EXPECT_EQ(log.find("Invalid sizes"), std::string::npos);
  EXPECT_EQ(At(320, 240), 'b');
  EXPECT_EQ(At(5, 240), 'r');
}

TEST_F(TextureDrawTest, ThreeDQuadAndCallerBuiltCorners) {
  qwtest::MakeTexture(&texture, 64, 64, true, Quadrants);
  const _Vector3d a = {0.5f, -0.5f, 0.0f}, b = {-0.5f, 0.5f, 0.0f};
  texture.Position3dVec3(0, &a, &b);
  EXPECT_TRUE(texture.Draw());
  EXPECT_EQ(At(200, 150), 'r');
  EXPECT_EQ(At(440, 330), 'w');
  EXPECT_EQ(At(100, 240), 'k');

  texture.Position3dVec3(1, &a, &b);
  EXPECT_NE(Logged([&] { texture.Draw(); }).find("Not implemented yet for axis 1"), std::string::npos);
  texture.Position3dVec3(7, &a, &b);
  EXPECT_NE(Logged([&] { texture.Draw(); }).find("Bad axis 7"), std::string::npos);

  Clear();
  _EngTextureCornersInfo info = {{{-1, -1, 0}, {1, -1, 0}, {-1, 1, 0}, {1, 1, 0}},
                                 {{0.25f, 0.75f}, {0.75f, 0.75f}, {0.25f, 0.25f}, {0.75f, 0.25f}},
                                 {{0, 0, 1, 1}, {0, 0, 1, 1}, {0, 0, 1, 1}, {0, 0, 1, 1}}};
  EXPECT_TRUE(texture.DrawSpecifyingCorners(&info));
  EXPECT_EQ(At(480, 360), 'b');  // white texel times blue corners
  EXPECT_EQ(At(160, 120), 'k');  // red texel times blue
}

// More quads than one piece of the list's drawing holds: every one lands in its own cell with its
// own colour, those on either side of each piece's edge included.
TEST_F(TextureDrawTest, ALongCornersListDrawsEveryQuad) {
  qwtest::MakeTexture(&texture, 64, 64, false, White);
  const int kColumns = 20, kRows = 15;
  static const float kColours[3][4] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}};
  std::vector<_EngTextureCornersInfo> quads;
  for (int r = 0; r < kRows; r++)
    for (int c = 0; c < kColumns; c++) {
      const float x0 = -1.0f + 2.0f * float(c) / kColumns, x1 = -1.0f + 2.0f * float(c + 1) / kColumns;
      const float y0 = -1.0f + 2.0f * float(r) / kRows, y1 = -1.0f + 2.0f * float(r + 1) / kRows;
      _EngTextureCornersInfo q = {
          {{x0, y0, 0}, {x1, y0, 0}, {x0, y1, 0}, {x1, y1, 0}}, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}, {}};
      for (auto &corner : q.colour)
        for (int k = 0; k < 4; k++) corner[k] = kColours[c % 3][k];
      quads.push_back(q);
    }
  EXPECT_TRUE(texture.DrawSpecifyingCornersList(quads.data(), EngInt32(quads.size())));
  const char expected[3] = {'r', 'g', 'b'};
  for (int r = 0; r < kRows; r++)
    for (int c = 0; c < kColumns; c++)
      EXPECT_EQ(At(c * 32 + 16, r * 32 + 16), expected[c % 3]) << "column " << c << " row " << r;
}

TEST_F(TextureDrawTest, ATextureNeverLoadedDrawsNothing) {
  texture.PositionRatioed(0, 0, 640, 480);
  EXPECT_FALSE(texture.Draw());
  EXPECT_FALSE(texture.DrawPure());
  EXPECT_FALSE(texture.DrawInParts(10, 10, 0.1f, 0.1f, 1));
  EXPECT_EQ(At(320, 240), 'k');
}

}  // namespace
