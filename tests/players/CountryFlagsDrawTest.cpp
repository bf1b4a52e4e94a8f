// Flags drawn from the real atlas on a real OpenGL device and read back from the framebuffer:
// the right cell lands in the rectangle asked for, beside buttons where the helpers say, and
// nothing is drawn for numbers without a flag or without the atlas.
#include "players/Country.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "tests/Engine/DeviceTestSupport.h"

namespace {

struct Rgb {
  int r, g, b;
};

class CountryFlagsDrawTest : public qwtest::DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    DebugResetForTests();
    CountryResetForTests();
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
    m_old_cwd = cwd;
    const char *dir = getenv("QW_TEST_BINARY_DIR");
    ASSERT_NE(dir, nullptr);
    ASSERT_EQ(chdir((std::string(dir) + "/resources").c_str()), 0);
    CountrySetupModule(0, 0, nullptr, nullptr, 0, 0);
    device->PrepareFor2D(1);
    Clear();
  }
  void TearDown() override {
    device->RestoreAfter2D();
    CountryResetForTests();
    DebugResetForTests();
    ASSERT_EQ(chdir(m_old_cwd.c_str()), 0);
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
  std::string m_old_cwd;
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
  eng_main_window_x_widescreen_ratio = 1.0f;
  // England (a red cross on white) beside a 200 by 30 button at (300, 200): 25 wide, 26 high
  // from y 202.5, with its left edge at 470 inside on the right and at 505 outside.
  _Dimension button = {300, 200, 200, 30};
  CountryDrawFlagOnRightSideOfButton(60, &button);
  EXPECT_TRUE(IsRed(Px(482, 215)));
  EXPECT_TRUE(IsWhite(Px(473, 206)));
  EXPECT_TRUE(IsBlack(Px(468, 215)));
  EXPECT_TRUE(IsBlack(Px(497, 215)));
  EXPECT_TRUE(IsBlack(Px(482, 201)));
  EXPECT_TRUE(IsBlack(Px(482, 229)));

  CountryDrawFlagOnOutsideRightOfButton(60, &button);
  EXPECT_TRUE(IsRed(Px(517, 215)));
  EXPECT_TRUE(IsBlack(Px(503, 215)));
  CountryDrawFlagOnLeftSideOfButton(60, &button);
  EXPECT_TRUE(IsRed(Px(317, 215)));
  CountryDrawFlagOnOutsideLeftOfButton(60, &button);
  EXPECT_TRUE(IsRed(Px(282, 215)));
  EXPECT_TRUE(IsBlack(Px(268, 215)));
  // In the centre: (30 - 4) x 0.8 = 20.8 wide around x 400.
  CountryDrawFlagInTheCenterOfButton(60, &button);
  EXPECT_TRUE(IsRed(Px(400, 215)));
  EXPECT_TRUE(IsWhite(Px(392, 206)));
  EXPECT_TRUE(IsBlack(Px(388, 206)));
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
