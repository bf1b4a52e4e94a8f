// Texture pixels read back from GL and edited: pixel access, rectangle transforms, copies
// between textures with and without blending, alpha copies, copies of textures and the screen.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/EngTexture.h"
#include "Engine/EngTextureGL.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/TextureTestSupport.h"

using qwtest::Rgba;

namespace {

Rgba Grey100(int, int, int, int) { return {100, 100, 100, 200}; }
Rgba Grey128(int, int, int, int) { return {128, 128, 128, 128}; }
Rgba OpaqueBlue(int, int, int, int) { return {0, 0, 255, 255}; }
// Column x holds x in red; alpha by quarter of the rows: 0, 255, 128, 0.
Rgba Ramp(int x, int y, int, int h) {
  static const unsigned char alphas[4] = {0, 255, 128, 0};
  return {(unsigned char)x, 0, 0, alphas[y * 4 / h]};
}
// Alpha from the row counted from the top.
Rgba RowAlpha(int, int y, int, int) { return {1, 2, 3, (unsigned char)(y * 10)}; }
Rgba Clear0(int, int, int, int) { return {9, 9, 9, 0}; }

using TextureEditTest = qwtest::DeviceTest;

const unsigned char *Pixel(const std::vector<unsigned char> &pixels, int w, int x, int y, int channels = 4) {
  return &pixels[(size_t(y) * size_t(w) + size_t(x)) * size_t(channels)];
}

TEST_F(TextureEditTest, RectangleTransformsPerChannel) {
  EngTexture t;
  qwtest::MakeTexture(&t, 8, 8, true, Grey100);
  EXPECT_TRUE(t.SetPartColour(0, 0, 4, 4, -1, -1, -1, 0.5f));
  EXPECT_TRUE(t.InvertTexturePart(4, 0, 4, 4, 1, 0, 0, 0));
  EXPECT_TRUE(t.MultiplyTextPartColour(0, 4, 4, 4, 2, 3, 0.5f, 1));
  std::vector<unsigned char> p = qwtest::ReadTexture(&t);
  const unsigned char alpha_only[4] = {100, 100, 100, 127}, red_inverted[4] = {155, 100, 100, 200},
                      multiplied[4] = {200, 255, 50, 200}, untouched[4] = {100, 100, 100, 200};
  EXPECT_EQ(0, memcmp(Pixel(p, 8, 1, 1), alpha_only, 4));
  EXPECT_EQ(0, memcmp(Pixel(p, 8, 5, 1), red_inverted, 4));
  EXPECT_EQ(0, memcmp(Pixel(p, 8, 1, 5), multiplied, 4));
  EXPECT_EQ(0, memcmp(Pixel(p, 8, 5, 5), untouched, 4));

  EngTexture power;
  qwtest::MakeTexture(&power, 4, 4, true, Grey128);
  EXPECT_TRUE(power.PowerTextPartColour(0, 0, -1, -1, 2, 2, 2, 1));
  p = qwtest::ReadTexture(&power);
  EXPECT_EQ(p[0], 64);
  EXPECT_EQ(p[3], 128);

  EXPECT_TRUE(t.ClearTexturePart(0, 0, -1, -1));
  for (unsigned char v : qwtest::ReadTexture(&t)) ASSERT_EQ(v, 0);

  struct Bad {
    int x, y, w, h;
  } bad[] = {{-1, 0, 2, 2}, {7, 0, 2, 2}, {0, 7, 1, 2}, {0, 0, 0, 1}, {0, 0, 9, 1}};
  for (const Bad &b : bad)
    EXPECT_NE(Logged([&] { EXPECT_FALSE(t.ClearTexturePart(b.x, b.y, b.w, b.h)); }).find("Invalid sizes"),
              std::string::npos)
        << b.x << "," << b.y << "," << b.w << "," << b.h;
  EngTexture empty;
  EXPECT_NE(Logged([&] { EXPECT_FALSE(empty.ClearTexturePart(0, 0, 1, 1)); }).find("Texture not ok"),
            std::string::npos);
}

TEST_F(TextureEditTest, PixelAccessRoundTripAndBounds) {
  EngTexture t;
  qwtest::MakeTexture(&t, 4, 4, false, Grey100);
  _EngTextureGetPixelDataInfo info;
  ASSERT_TRUE(t.PrepareToGetPixelData(&info));
  EXPECT_EQ(info.pitch, 12u);
  EXPECT_EQ(t.GetPixelDataPitch(&info), 12u);
  EXPECT_EQ(t.GetPixelDataBuffer(&info), info.data);
  EngUInt8 r = 0, g = 0, b = 0, a = 0;
  EXPECT_TRUE(t.GetPixelData(&info, 3, 3, &r, &g, &b, &a));
  EXPECT_EQ(r, 100);
  EXPECT_EQ(a, 1) << "a texture without alpha answers 1";
  EXPECT_TRUE(t.SetPixelData(&info, 2, 1, 10, 20, 30, 40));
  EXPECT_FALSE(t.GetPixelData(&info, 4, 0, &r, nullptr, nullptr, nullptr));
  EXPECT_FALSE(t.SetPixelData(&info, 0, -1, 0, 0, 0, 0));
  EXPECT_TRUE(t.UpdateTextureFromModifiedPixelDataBuffer(&info));
  EXPECT_TRUE(t.RestoreAfterGettingPixelData(&info));
  EXPECT_EQ(info.data, nullptr);
  std::vector<unsigned char> p = qwtest::ReadTexture(&t);
  const unsigned char set[3] = {10, 20, 30};
  EXPECT_EQ(0, memcmp(Pixel(p, 4, 2, 1, 3), set, 3));

  std::string log = Logged([&] { EXPECT_FALSE(t.SetTextureFromExternalPixelDataBuffer(p.data(), 1)); });
  EXPECT_NE(log.find("Num channels inconsistency (3,1)"), std::string::npos);
  EXPECT_EQ(t.GetPixelDataPitch(nullptr), 0u);
}

TEST_F(TextureEditTest, CopyPartBlendsByAlphaAndScales) {
  EngTexture from, to;
  qwtest::MakeTexture(&from, 64, 64, true, Ramp);
  qwtest::MakeTexture(&to, 32, 32, true, OpaqueBlue);
  EXPECT_TRUE(to.CopyPartFromAnotherTexture(&from, 0, 0, -1, -1, 0, 0, -1, -1, 1, nullptr));
  std::vector<unsigned char> p = qwtest::ReadTexture(&to);
  // Row 0: alpha 0 leaves blue; row 8 (source 16): alpha 255 copies; row 16 (source 32) blends.
  EXPECT_EQ(Pixel(p, 32, 5, 0)[2], 255);
  EXPECT_EQ(Pixel(p, 32, 5, 0)[0], 0);
  EXPECT_EQ(Pixel(p, 32, 5, 8)[0], 10) << "every second source column";
  EXPECT_EQ(Pixel(p, 32, 5, 8)[2], 0);
  const unsigned char *blended = Pixel(p, 32, 20, 16);
  EXPECT_EQ(blended[0], 40 * 128 / 255);
  EXPECT_EQ(blended[2], 255 * 127 / 255);
  EXPECT_EQ(blended[3], 255);

  // Without blending the pixel is copied whole, alpha included.
  EXPECT_TRUE(to.CopyPartFromAnotherTexture(&from, 0, 0, 64, 64, 0, 0, 32, 32, 0, nullptr));
  p = qwtest::ReadTexture(&to);
  EXPECT_EQ(Pixel(p, 32, 3, 0)[3], 0);
  EXPECT_EQ(Pixel(p, 32, 3, 0)[0], 6);

  // Multiply blend type 2: colour times the source's weakest channel (0 here), alpha the larger.
  to.Destroy();
  qwtest::MakeTexture(&to, 32, 32, true, OpaqueBlue);
  _EngTextureCopyPartSettings multiply = {2};
  EXPECT_TRUE(to.CopyPartFromAnotherTexture(&from, 0, 0, 64, 64, 0, 0, 32, 32, 1, &multiply));
  p = qwtest::ReadTexture(&to);
  EXPECT_EQ(Pixel(p, 32, 3, 0)[2], 0);
  EXPECT_EQ(Pixel(p, 32, 3, 0)[3], 255);

  // From itself, from nothing, into a texture without alpha from one with it.
  EXPECT_TRUE(from.CopyPartFromAnotherTexture(&from, 0, 0, 32, 32, 32, 32, 32, 32, 0, nullptr));
  EXPECT_NE(Logged([&] { to.CopyPartFromAnotherTexture((EngTexture *)nullptr, 0, 0, 1, 1, 0, 0, 1, 1, 0, nullptr); })
                .find("From texture not ok"),
            std::string::npos);
  EngTexture rgb;
  qwtest::MakeTexture(&rgb, 8, 8, false, Grey100);
  EXPECT_NE(Logged([&] { rgb.CopyPartFromAnotherTexture(&rgb, 0, 0, 0, 4, 0, 0, 4, 4, 0, nullptr); })
                .find("Invalid from sizes"),
            std::string::npos);
  EXPECT_NE(Logged([&] { EXPECT_FALSE(to.CopyPartFromAnotherTexture(&rgb, 0, 0, 8, 8, 0, 0, 8, 8, 0, nullptr)); })
                .find("From BPP 24, To BPP 32 not supported"),
            std::string::npos);
}

TEST_F(TextureEditTest, AlphaChannelCopyCountsRowsFromTheBottom) {
  EngTexture from, to;
  qwtest::MakeTexture(&from, 8, 8, true, RowAlpha);
  qwtest::MakeTexture(&to, 8, 8, true, Clear0);
  // The bottom two rows of the source onto the bottom two rows of the target.
  EXPECT_TRUE(to.CopyAlphaChannelFromAnotherTexture(&from, 0, 0, 8, 2, 0, 0, 8, 2));
  std::vector<unsigned char> p = qwtest::ReadTexture(&to);
  EXPECT_EQ(Pixel(p, 8, 0, 7)[3], 70);
  EXPECT_EQ(Pixel(p, 8, 0, 6)[3], 60);
  EXPECT_EQ(Pixel(p, 8, 0, 5)[3], 0);
  EXPECT_EQ(Pixel(p, 8, 0, 7)[0], 9) << "colours untouched";
  EXPECT_NE(Logged([&] { EXPECT_FALSE(to.CopyAlphaChannelFromAnotherTexture(&from, 0, 7, 8, 2, 0, 0, 8, 2)); })
                .find("Invalid from sizes"),
            std::string::npos);
  EngTexture rgb;
  qwtest::MakeTexture(&rgb, 8, 8, false, Grey100);
  EXPECT_NE(Logged([&] { to.CopyAlphaChannelFromAnotherTexture(&rgb, 0, 0, 8, 2, 0, 0, 8, 2); })
                .find("3 channels (from) not supported"),
            std::string::npos);
}

TEST_F(TextureEditTest, CopyOfATextureAndOfTheScreen) {
  EngTexture from, copy;
  qwtest::MakeTexture(&from, 16, 8, true, Ramp);
  EXPECT_TRUE(copy.CopyFromTexture(&from));
  EXPECT_EQ(copy.GetWidth(), 16);
  EXPECT_EQ(copy.GetNumChannels(), 4);
  EXPECT_EQ(qwtest::ReadTexture(&copy), qwtest::ReadTexture(&from));

  // Top half of the window red, bottom half blue.
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 240, 640, 240);
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
  EngTexture screen;
  _TexCoords used;
  ASSERT_TRUE(screen.CreateFromScreen(&used));
  EXPECT_EQ(screen.GetWidth(), 1024);
  EXPECT_EQ(screen.GetHeight(), 512);
  EXPECT_FLOAT_EQ(used.top, 1.0f - 480.0f / 512.0f);
  EXPECT_FLOAT_EQ(used.right, 640.0f / 1024.0f);
  EXPECT_FLOAT_EQ(used.bottom, 1.0f);

  // Drawn back over the whole window with its coordinates, it is the right way up.
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  device->PrepareFor2D(1);
  screen.PositionRatioedAndDraw(0, 0, 640, 480);
  device->RestoreAfter2D();
  unsigned char top[3], bottom[3];
  ReadPixel(320, 100, top);
  ReadPixel(320, 400, bottom);
  EXPECT_GT(top[0], 200);
  EXPECT_LT(top[2], 50);
  EXPECT_GT(bottom[2], 200);
  EXPECT_LT(bottom[0], 50);
}

}  // namespace
