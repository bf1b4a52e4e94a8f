#include "Engine/EngTexturePixels.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/Engine/ImageTestSupport.h"

namespace {

TEST(EngTexturePixels, AlphaFromBrightnessByMode) {
  EngTexturePixelsResetForTests();
  struct Case {
    int mode, r, g, b, alpha;
  } cases[] = {
      {0, 1, 2, 3, 255},    {1, 1, 2, 3, 0},       {9, 1, 2, 3, 255},      {3, 255, 0, 0, 255},
      {3, 100, 100, 100, 100}, {3, 50, 50, 200, 200}, {3, 80, 80, 10, 80},  // a tie goes to red
      {4, 70, 0, 0, 255},   {4, 40, 0, 0, 64},     {4, 31, 0, 0, 0},       {5, 32, 0, 0, 255},
      {5, 20, 0, 0, 160},   {6, 10, 200, 30, 245}, {7, 191, 250, 250, 255}, {7, 200, 250, 250, 184},
      {7, 224, 250, 250, 0}, {8, 223, 250, 250, 255}, {8, 240, 250, 250, 120}, {8, 250, 10, 250, 255},
  };
  for (const Case &c : cases)
    EXPECT_EQ(EngTexture_GetPixelAlphaFromBrightness(char(c.mode), EngUInt8(c.r), EngUInt8(c.g), EngUInt8(c.b)),
              c.alpha)
        << "mode " << c.mode << " (" << c.r << "," << c.g << "," << c.b << ")";
}

TEST(EngTexturePixels, RepeatedReportsAreLimited) {
  EngTexturePixelsResetForTests();
  auto count = [](const std::string &log, const std::string &text) {
    int n = 0;
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) n++;
    return n;
  };
  std::string log = qwimage::Logged([] {
    for (int i = 0; i < 30; i++) {
      EXPECT_EQ(EngTexture_GetPixelAlphaFromBrightness(2, 9, 9, 9), 0);
      EXPECT_EQ(EngTexture_GetPixelAlphaFromBrightness(12, 9, 9, 9), 0);
    }
  });
  EXPECT_EQ(count(log, "Alpha from file specified"), 20);
  EXPECT_EQ(count(log, "Unknown alpha type 12"), 5);
}

TEST(EngTexturePixels, AverageAndSizeLimits) {
  EXPECT_EQ(EngTexture_AverageTwoPixels(0xff00ff01u, 0x01ff0003u), 0x807f7f02u);
  EXPECT_EQ(EngImageIsSizeAllowed(1, 1), 1);
  EXPECT_EQ(EngImageIsSizeAllowed(8192, 8192), 1);
  EXPECT_EQ(EngImageIsSizeAllowed(16384, 4096), 1);
  EXPECT_EQ(EngImageIsSizeAllowed(16385, 1), 0);
  EXPECT_EQ(EngImageIsSizeAllowed(16384, 16384), 0);
  EXPECT_EQ(EngImageIsSizeAllowed(0, 5), 0);
  EXPECT_EQ(EngImageIsSizeAllowed(-1, 5), 0);
}

}  // namespace
