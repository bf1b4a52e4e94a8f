// Orientation state and the mapping of window pixels into the 640 by 480 design space.
#include "Engine/EngMainOrientation.h"

#include <gtest/gtest.h>

#include "Engine/EngWindow.h"

namespace {

class EngMainOrientationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EngMainOrientationResetForTests();
    saved_width = eng_main_window_width;
    saved_height = eng_main_window_height;
  }
  void TearDown() override {
    eng_main_window_width = saved_width;
    eng_main_window_height = saved_height;
    EngMainOrientationResetForTests();
  }
  EngInt32 saved_width = 0, saved_height = 0;
};

TEST_F(EngMainOrientationTest, MouseMappingAtTheWindowEdges) {
  struct Case {
    int width, height;
    float x, y, want_x, want_y;
  } cases[] = {
      {1024, 768, 0, 0, 0, 0},
      {1024, 768, 1024, 768, 640, 480},  // right and bottom edges map exactly
      {1024, 768, 512, 384, 320, 240},
      {320, 240, 320, 240, 640, 480},
      {1, 1, 1, 1, 640, 480},
      // Wider or narrower than 4:3: the design space is stretched over the window, each axis apart.
      {1280, 720, 0, 0, 0, 0},
      {1280, 720, 1280, 720, 640, 480},
      {1280, 720, 640, 360, 320, 240},
      {1280, 720, 40, 90, 20, 60},
      {768, 1024, 768, 1024, 640, 480},
      {768, 1024, 384, 256, 320, 120},
  };
  for (const Case &c : cases) {
    eng_main_window_width = c.width;
    eng_main_window_height = c.height;
    float x = -1, y = -1;
    EXPECT_EQ(EngMainChangeMousePosRatioedForOrientation(c.x, c.y, &x, &y), 1);
    EXPECT_FLOAT_EQ(x, c.want_x) << c.width << "x" << c.height;
    EXPECT_FLOAT_EQ(y, c.want_y) << c.width << "x" << c.height;
  }
  eng_main_window_width = 1000;
  eng_main_window_height = 700;
  int ix = -1, iy = -1;
  EXPECT_EQ(EngMainChangeMousePosRatioedForOrientation(999, 699, &ix, &iy), 1);
  EXPECT_EQ(ix, 639);  // truncated, never rounded up past the edge
  EXPECT_EQ(iy, 479);
  float px = 500;
  EXPECT_EQ(EngMainChangeMousePosRatioedForOrientation(&px, nullptr), 1);
  EXPECT_FLOAT_EQ(px, 320);
  EXPECT_EQ(EngMainChangeMousePosRatioedForOrientation(10.0f, 10.0f, nullptr, nullptr), 1);
}

TEST_F(EngMainOrientationTest, ZeroSizedWindowLeavesOutputsUntouched) {
  const int sizes[][2] = {{0, 768}, {1024, 0}, {0, 0}, {-5, 10}};
  for (const auto &size : sizes) {
    eng_main_window_width = size[0];
    eng_main_window_height = size[1];
    float x = 7, y = 8;
    int ix = 7, iy = 8;
    EXPECT_EQ(EngMainChangeMousePosRatioedForOrientation(10.0f, 10.0f, &x, &y), 0);
    EXPECT_EQ(EngMainChangeMousePosRatioedForOrientation(10, 10, &ix, &iy), 0);
    EXPECT_EQ(EngMainChangeMousePosScreenForOrientation(10.0f, 10.0f, &x, &y), 0);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 8);
    EXPECT_EQ(ix, 7);
    EXPECT_EQ(iy, 8);
    // Design units need no window.
    EXPECT_EQ(EngMainChangeRatioedPosForOrientation(3, 4, &x, &y), 1);
    EXPECT_EQ(x, 3);
  }
}

TEST_F(EngMainOrientationTest, StartupOrientationAndQueries) {
  struct Case {
    _EngOrientation before;
    _EngStartupOrientation startup;
    _EngOrientation after;
  } cases[] = {
      {ENG_ORIENTATION_UNSET, ENG_STARTUP_ORIENTATION_PORTRAIT, ENG_ORIENTATION_PORTRAIT},
      {ENG_ORIENTATION_PORTRAIT_UPSIDE_DOWN, ENG_STARTUP_ORIENTATION_PORTRAIT, ENG_ORIENTATION_PORTRAIT_UPSIDE_DOWN},
      {ENG_ORIENTATION_LANDSCAPE_LEFT, ENG_STARTUP_ORIENTATION_PORTRAIT, ENG_ORIENTATION_PORTRAIT},
      {ENG_ORIENTATION_PORTRAIT, ENG_STARTUP_ORIENTATION_LANDSCAPE, ENG_ORIENTATION_LANDSCAPE_LEFT},
      {ENG_ORIENTATION_UNSET, ENG_STARTUP_ORIENTATION_LANDSCAPE, ENG_ORIENTATION_LANDSCAPE_LEFT},
      {ENG_ORIENTATION_LANDSCAPE_RIGHT, ENG_STARTUP_ORIENTATION_LANDSCAPE, ENG_ORIENTATION_LANDSCAPE_RIGHT},
      {ENG_ORIENTATION_LANDSCAPE_RIGHT, ENG_STARTUP_ORIENTATION_KEEP, ENG_ORIENTATION_LANDSCAPE_RIGHT},
  };
  for (const Case &c : cases) {
    EngMainSetOrientation(c.before);
    EngMainSetOrientationFromStartupOrientation(c.startup);
    EXPECT_EQ(EngMainGetOrientation(), c.after) << EngMainGetOrientationAsString(c.before);
  }
  eng_main_orientation_alt = 2;
  EngMainSetOrientation(ENG_ORIENTATION_UNSET);
  EXPECT_EQ(EngMainGetOrientationAlt(), 0);
  EXPECT_EQ(EngMainIsOrientationPortraitOrPortraitUpsideDown(), 1);  // Unset counts as portrait
  EXPECT_EQ(EngMainIsOrientationLandscapeLeftOrLandscapeRight(ENG_ORIENTATION_LANDSCAPE_RIGHT), 1);
  EXPECT_STREQ(EngMainGetOrientationAsString(ENG_ORIENTATION_PORTRAIT_UPSIDE_DOWN), "PortraitUpsideDown");
  EXPECT_STREQ(EngMainGetOrientationAsString(_EngOrientation(9)), "?");
  _ColourRGBA colour;
  EXPECT_EQ(EngMainSetColourRGBA(&colour, 0.1f, 0.2f, 0.3f, 0.4f), &colour);
  EXPECT_FLOAT_EQ(colour.a, 0.4f);
  EXPECT_EQ(EngMainSetColourRGBA(nullptr, 1, 1, 1, 1), nullptr);
}

}  // namespace
