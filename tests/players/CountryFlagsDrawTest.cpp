// Flags drawn from the real atlas on a real OpenGL device and read back from the framebuffer:
// the right cell lands in the rectangle asked for, beside buttons where the helpers say, and
// nothing is drawn for numbers without a flag or without the atlas.
#include "players/Country.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "Engine/EngDebug.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/TextureTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

struct Rgb {
  int r, g, b;
};

class CountryFlagsDrawTest : public qwtest::DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    qwtest::ResetLogInWorkingFolder();
    CountryResetForTests();
    ASSERT_TRUE(m_cwd.Enter(qwtest::BuiltResources()));
    CountrySetupModule(0, 0, nullptr, nullptr, 0, 0);
    device->PrepareFor2D(1);
    Clear();
  }
  void TearDown() override {
    device->RestoreAfter2D();
    CountryResetForTests();
    DebugResetForTests();
    ASSERT_TRUE(m_cwd.Restore());
    DeviceTest::TearDown();
  }
  static void Clear() {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  static Rgb Px(int x, int y) {
    unsigned char p[3];
    ReadPixel(x, y, p);
    return {p[0], p[1], p[2]};
  }
  static bool IsBlack(Rgb p) { return p.r < 20 && p.g < 20 && p.b < 20; }
  static bool IsWhite(Rgb p) { return p.r > 220 && p.g > 220 && p.b > 220; }
  static bool IsRed(Rgb p) { return p.r > 170 && p.g < 70 && p.b < 80; }
  static bool IsBlue(Rgb p) { return p.r < 60 && p.b > 100 && p.b > p.g + 50; }
  // France drawn at (x, y, 60, 36): blue, white, red across its middle.
  static void ExpectFrance(int x, int y) {
    EXPECT_TRUE(IsBlue(Px(x + 8, y + 18))) << x;
    EXPECT_TRUE(IsWhite(Px(x + 30, y + 18))) << x;
    EXPECT_TRUE(IsRed(Px(x + 52, y + 18))) << x;
  }
  qwtest::WorkingFolder m_cwd;
};

TEST_F(CountryFlagsDrawTest, TheRightCellLandsInTheRectangle) {
  ASSERT_EQ(CountryCreateGraphics(), 1);
  ASSERT_EQ(CountryCreateGraphics(), 1);
  CountryDrawFlag(67, 100.0f, 100.0f, 60.0f, 36.0f);
  _Dimension caledonia = {200, 100, 60, 36};
  CountryDrawFlag(142, &caledonia);
  ExpectFrance(100, 100);
  ExpectFrance(200, 100);
  // Nothing outside the rectangle.
  EXPECT_TRUE(IsBlack(Px(98, 118)));
  EXPECT_TRUE(IsBlack(Px(162, 118)));
  EXPECT_TRUE(IsBlack(Px(130, 98)));
  EXPECT_TRUE(IsBlack(Px(130, 138)));

  // "UK" drawn as its own cell: the Union flag's red cross in the middle, blue near a corner.
  CountryDrawFlag(COUNTRY_UK_FLAG, 300.0f, 100.0f, 60.0f, 36.0f);
  EXPECT_TRUE(IsRed(Px(330, 118)));
  EXPECT_TRUE(IsBlue(Px(318, 103)));

  // No flag: the empty cell 222, anything past 223, negative numbers.
  for (int cnum : {222, 224, 255, 300, -1}) CountryDrawFlag(cnum, 400.0f, 100.0f, 60.0f, 36.0f);
  for (int x = 400; x < 460; x += 6) EXPECT_TRUE(IsBlack(Px(x, 118))) << x;
}

TEST_F(CountryFlagsDrawTest, FlagsBesideButtons) {
  ASSERT_EQ(CountryCreateGraphics(), 1);
  eng_main_window_x_widescreen_ratio = eng_main_window_x_ratio = eng_main_window_y_ratio = 1.0f;
  // England (a red cross on white) beside a 200 by 30 button at (300, 200): 25 wide in the
  // band 26 high from y 202.5, at its 5:3 shape (15 high, from y 208), with its left edge at 470
  // inside on the right and at 505 outside.
  _Dimension button = {300, 200, 200, 30};
  CountryDrawFlagOnRightSideOfButton(60, &button);
  EXPECT_TRUE(IsRed(Px(482, 215)));
  EXPECT_TRUE(IsWhite(Px(473, 210)));
  EXPECT_TRUE(IsBlack(Px(468, 215)));
  EXPECT_TRUE(IsBlack(Px(497, 215)));
  EXPECT_TRUE(IsBlack(Px(482, 206)));
  EXPECT_TRUE(IsBlack(Px(482, 224)));

  CountryDrawFlagOnOutsideRightOfButton(60, &button);
  EXPECT_TRUE(IsRed(Px(517, 215)));
  EXPECT_TRUE(IsBlack(Px(503, 215)));
  CountryDrawFlagOnLeftSideOfButton(60, &button);
  EXPECT_TRUE(IsRed(Px(317, 215)));
  CountryDrawFlagOnOutsideLeftOfButton(60, &button);
  EXPECT_TRUE(IsRed(Px(282, 215)));
  EXPECT_TRUE(IsBlack(Px(268, 215)));
  // In the centre: (30 - 4) x 0.8 = 20.8 wide around x 400, 12.5 high around y 215.5.
  CountryDrawFlagInTheCenterOfButton(60, &button);
  EXPECT_TRUE(IsRed(Px(400, 215)));
  EXPECT_TRUE(IsWhite(Px(392, 211)));
  EXPECT_TRUE(IsBlack(Px(388, 211)));
  EXPECT_TRUE(IsBlack(Px(400, 207)));
}

// Every flag is drawn whole and only its own: drawn large, each outermost pixel holds colours
// of its own cell's edge texels (blends of neighbours along the edge), never a share of the
// atlas neighbour across it; fitted into a rectangle it keeps its 5:3 shape on a 4:3 and on a
// 16:9 window.
TEST_F(CountryFlagsDrawTest, EveryFlagIsWholeWithoutItsNeighbourAndAtItsShape) {
  ASSERT_EQ(CountryCreateGraphics(), 1);
  eng_main_window_x_ratio = eng_main_window_y_ratio = 1.0f;
  EngTexture *atlas = CountryGetFlagsTexture();
  const int side = atlas->GetWidth(), cell = side / COUNTRY_ATLAS_CELLS_PER_SIDE;
  ASSERT_EQ(cell, 32);
  const std::vector<unsigned char> texels = qwtest::ReadTexture(atlas);
  const int channels = int(texels.size() / (size_t(side) * side));
  auto texel = [&](int x, int y) {
    const unsigned char *p = &texels[(size_t(y) * side + size_t(x)) * size_t(channels)];
    return Rgb{p[0], p[1], p[2]};
  };
  // 320 pixels square: 10 pixels a texel, the outermost pixel a twentieth of a texel in, where
  // filtering across the cell's edge would take nearly half of the neighbour.
  const int x0 = 100, y0 = 100, n = 320, per = n / cell;
  std::vector<unsigned char> rgb(size_t(n) * n * 3);
  for (int cnum = 0; cnum <= COUNTRY_UK_FLAG; cnum++) {
    _TexCoords tc;
    if (!CountryGetFlagTextureCoordinates(cnum, &tc)) continue;
    const int cx = int(tc.left * float(side) + 0.5f), cy = int(tc.top * float(side) + 0.5f);
    Clear();
    CountryDrawFlag(cnum, float(x0), float(y0), float(n), float(n));
    glReadPixels(x0, 480 - y0 - n, n, n, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    auto at = [&](int x, int y) {  // y from the flag's top
      const unsigned char *p = &rgb[(size_t(n - 1 - y) * n + size_t(x)) * 3];
      return Rgb{p[0], p[1], p[2]};
    };
    // A pixel on an edge lies within the colours of the edge texels about it (+-1 along).
    auto own = [&](Rgb p, int tx0, int ty0, int dx, int dy, int t) {
      int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
      for (int k = std::max(0, t - 1); k <= std::min(cell - 1, t + 1); k++) {
        const Rgb c = texel(cx + tx0 + dx * k, cy + ty0 + dy * k);
        const int v[3] = {c.r, c.g, c.b};
        for (int i = 0; i < 3; i++) lo[i] = std::min(lo[i], v[i]), hi[i] = std::max(hi[i], v[i]);
      }
      const int v[3] = {p.r, p.g, p.b};
      for (int i = 0; i < 3; i++)
        if (v[i] < lo[i] - 12 || v[i] > hi[i] + 12) return false;
      return true;
    };
    int strays = 0;
    for (int q = 0; q < n; q++) {
      const int t = q / per;
      strays += !own(at(0, q), 0, 0, 0, 1, t) + !own(at(n - 1, q), cell - 1, 0, 0, 1, t);
      strays += !own(at(q, 0), 0, 0, 1, 0, t) + !own(at(q, n - 1), 0, cell - 1, 1, 0, t);
    }
    EXPECT_EQ(strays, 0) << CountryGetCountryName(cnum, nullptr, nullptr);
  }

  // Fitted: France (blue, white, red) in a tall box keeps 5:3 and sits in its middle; on a
  // 1280 by 720 window a design unit across is drawn 4/3 as wide as one down, so the flag is
  // 3/4 as many units across.
  struct Case {
    float x_ratio, y_ratio, expect_w;
  } cases[] = {{1.0f, 1.0f, 50.0f}, {2.0f, 1.5f, 37.5f}};
  for (const Case &c : cases) {
    Clear();
    eng_main_window_x_ratio = c.x_ratio;
    eng_main_window_y_ratio = c.y_ratio;
    EXPECT_FLOAT_EQ(CountryGetFlagWidthForHeight(30.0f), c.expect_w);
    CountryDrawFlagFitted(67, 300.0f, 100.0f, 100.0f, 30.0f);
    const int left = int(300 + (100 - c.expect_w) / 2), right = int(300 + (100 + c.expect_w) / 2);
    EXPECT_TRUE(IsBlack(Px(left - 2, 115))) << c.expect_w;
    EXPECT_TRUE(IsBlue(Px(left + 3, 115))) << c.expect_w;
    EXPECT_TRUE(IsRed(Px(right - 3, 115))) << c.expect_w;
    EXPECT_TRUE(IsBlack(Px(right + 2, 115))) << c.expect_w;
  }
  eng_main_window_x_ratio = eng_main_window_y_ratio = 1.0f;
}

TEST_F(CountryFlagsDrawTest, TransparencyAndReleasingTheAtlas) {
  ASSERT_EQ(CountryCreateGraphics(), 1);
  device->EnableBlendingType(0);
  _Dimension japan = {100, 100, 60, 36};
  CountryDrawFlagWithTransparency(97, &japan, 0.0f);
  EXPECT_TRUE(IsBlack(Px(130, 118)));
  // The colour stays until it is restored.
  CountryDrawFlag(97, &japan);
  EXPECT_TRUE(IsBlack(Px(130, 118)));
  CountryRestoreFlagTexTransparency();
  CountryDrawFlag(97, &japan);
  EXPECT_TRUE(IsRed(Px(130, 118)));
  EXPECT_TRUE(IsWhite(Px(104, 104)));
  device->DisableBlending();

  // Released, nothing is drawn; the next request loads it again.
  Clear();
  CountryDestroyGraphics();
  CountryDrawFlag(97, &japan);
  EXPECT_TRUE(IsBlack(Px(130, 118)));
  ASSERT_EQ(CountryCreateGraphics(), 1);
  CountryDrawFlag(97, &japan);
  EXPECT_TRUE(IsRed(Px(130, 118)));
}

TEST_F(CountryFlagsDrawTest, TheLargeAtlasGivesTheSameFlags) {
  CountrySetupModule(1, 0, nullptr, nullptr, 0, 0);
  ASSERT_EQ(CountryCreateGraphics(), 1);
  CountryDrawFlag(67, 100.0f, 100.0f, 60.0f, 36.0f);
  ExpectFrance(100, 100);
}

}  // namespace
