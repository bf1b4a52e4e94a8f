// Textures saved as JPEG files on the real device: the pixels read back from GL, written and
// read again through the engine's own reader, and the textures the writer refuses.
#include "Engine/EngJpeg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "Engine/EngTexture.h"
#include "Engine/EngTextureGL.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/TextureTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using qwtest::Rgba;

// Smooth ramps with a soft diagonal band: what a lossy coder keeps well, and different in
// every row and column so that a flipped or shifted picture shows.
Rgba Scene(int x, int y, int w, int h) {
  const int band = std::abs(x * h - y * w) < w * h / 8 ? 60 : 0;
  return {(unsigned char)(30 + x * 180 / (w - 1)), (unsigned char)(40 + y * 150 / (h - 1) + band / 2),
          (unsigned char)(200 - band), 255};
}

double Psnr(const std::vector<unsigned char> &a, const std::vector<unsigned char> &b) {
  double sum = 0;
  for (size_t i = 0; i < a.size(); i++) sum += (double(a[i]) - b[i]) * (double(a[i]) - b[i]);
  if (sum == 0) return 99;
  return 10 * std::log10(255.0 * 255.0 / (sum / double(a.size())));
}

using EngJpegTextureTest = qwtest::DeviceTest;

TEST_F(EngJpegTextureTest, ASavedTextureReadsBackAtItsSizeAndClose) {
  qwtest::TempDir dir;
  EngTexture texture;
  qwtest::MakeTexture(&texture, 64, 32, false, Scene);
  const std::vector<unsigned char> want = qwtest::ReadTexture(&texture);
  ASSERT_EQ(want.size(), 64u * 32u * 3u);

  struct Case {
    int quality;
    double min_psnr;
  } cases[] = {{95, 32}, {60, 28}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.quality);
    const std::string path = dir.File("t" + std::to_string(c.quality) + ".jpg");
    ASSERT_EQ(EngJpegSaveToFileFromTexture(path.c_str(), &texture, c.quality, 72), 1);
    EXPECT_FALSE(texture.GetGL()->IsTextureImageDataAllocated()) << "the read-back copy is released";
    int w = 0, h = 0, components = 0;
    ASSERT_EQ(EngJpegGetFileInfo(path.c_str(), &w, &h, &components), 1);
    EXPECT_EQ(components, 3);
    unsigned char *pixels = EngJpegReadFileToBuffer(path.c_str(), &w, &h);
    ASSERT_NE(pixels, nullptr);
    std::vector<unsigned char> got(pixels, pixels + size_t(w) * size_t(h) * 3);
    free(pixels);
    EXPECT_EQ(w, 64);
    EXPECT_EQ(h, 32);
    EXPECT_GE(Psnr(got, want), c.min_psnr);
    // The same picture upside down scores far lower: the measure tells a wrong picture apart.
    std::vector<unsigned char> flipped(got.size());
    for (int y = 0; y < h; y++)
      std::copy_n(&got[size_t(h - 1 - y) * size_t(w) * 3], size_t(w) * 3, &flipped[size_t(y) * size_t(w) * 3]);
    EXPECT_LT(Psnr(flipped, want), 20);
  }
}

TEST_F(EngJpegTextureTest, OnlyCreatedThreeChannelTexturesAreSaved) {
  qwtest::TempDir dir;
  const std::string path = dir.File("refused.jpg");
  EngTexture with_alpha, plain, never_created;
  qwtest::MakeTexture(&with_alpha, 16, 16, true, Scene);
  qwtest::MakeTexture(&plain, 16, 16, false, Scene);
  struct Case {
    const char *what;
    const char *path;
    EngTexture *texture;
    const char *message;
  } cases[] = {
      {"four channels", path.c_str(), &with_alpha, "Invalid Texture (channels: 4)"},
      {"not created", path.c_str(), &never_created, "Invalid Parameters"},
      {"no texture", path.c_str(), nullptr, "Invalid Parameters"},
      {"empty path", "", &plain, "Invalid Parameters"},
      {"no path", nullptr, &plain, "Invalid Parameters"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    const std::string log = Logged([&] { EXPECT_EQ(EngJpegSaveToFileFromTexture(c.path, c.texture, 90, 0), 0); });
    EXPECT_NE(log.find(c.message), std::string::npos) << log;
    EXPECT_NE(log.find("EngJpegSaveToFileFromTexture"), std::string::npos) << log;
  }
  EXPECT_FALSE(qwtest::FileExists(path));
  EXPECT_FALSE(with_alpha.GetGL()->IsTextureImageDataAllocated());

  // A folder that is not there: the writer's own message, and the copy is still released.
  const std::string log =
      Logged([&] { EXPECT_EQ(EngJpegSaveToFileFromTexture(dir.File("none/x.jpg").c_str(), &plain, 90, 0), 0); });
  EXPECT_NE(log.find("Cannot open file"), std::string::npos) << log;
  EXPECT_FALSE(plain.GetGL()->IsTextureImageDataAllocated());
}

}  // namespace
