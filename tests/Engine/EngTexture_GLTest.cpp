// Texture sizing and life on the real device: empty textures, the power-of-two rules, the
// pixels in memory with their padding and halving, and survival across a device re-creation.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/EngDeviceGL.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTextureGL.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/TextureTestSupport.h"

using qwtest::Rgba;

namespace {

Rgba Green(int, int, int, int) { return {0, 255, 0, 255}; }

using TextureTest = qwtest::DeviceTest;

TEST(EngTextureFileExt, TypeFromTheNamesEnding) {
  struct Case {
    const char *name;
    EngInt32 type;
  } cases[] = {{"a.bmp", 1}, {"pic.TGA", 2}, {"x.jpg", 3}, {"x.JpEg", 3}, {"x.png", 4}, {"x.gif", 5},
               {"x.dat", 7}, {"x.txt", 0}, {"png", 0},  {"x.pn", 0},  {"xjpeg", 0}, {nullptr, 0}};
  for (const Case &c : cases) EXPECT_EQ(EngTexture_GetFileExt(c.name, 7), c.type) << (c.name ? c.name : "null");
}

TEST(EngTextureNoDevice, NothingHappensWithoutAnOpenGlDevice) {
  eng_main_device_type = 0;
  EngTexture t;
  EXPECT_EQ(t.GetGL(), nullptr);
  EXPECT_FALSE(t.CreateEmptyTexture(4, 4, 1));
  EXPECT_FALSE(t.IsOk());
  EXPECT_FALSE(t.Draw());
  EXPECT_EQ(t.GetWidth(), 0);
  EXPECT_FALSE(t.IsLoadToMemorySupported());
  // Once the device kind is known the next load makes the OpenGL half.
  eng_main_device_type = ENG_DEVICE_TYPE_OPENGL;
  EngInt32 w = 5, h = 3;
  EXPECT_TRUE(t.LoadEmptyTextureToMemory(&w, &h, 0));
  EXPECT_NE(t.GetGL(), nullptr);
  EXPECT_EQ(w, 8);
  EXPECT_EQ(h, 4);
  ::testing::internal::CaptureStderr();
  EngInt32 a = 0, b = 0;
  EngTextureGetClosestPowerOf2_GL(640, 480, &a, &b);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("GL not setup"), std::string::npos);
  EXPECT_EQ(a, 256);
  EXPECT_EQ(b, 256);
  t.Destroy();
  eng_main_device_type = 0;
}

TEST_F(TextureTest, EmptyTexturesArePowersOfTwoWithInsetFullCoordinates) {
  EngTexture t;
  EXPECT_TRUE(t.CreateEmptyTexture(100, 60, 1));
  EXPECT_TRUE(t.IsOk());
  EXPECT_EQ(t.GetWidth(), 128);
  EXPECT_EQ(t.GetHeight(), 64);
  EXPECT_EQ(t.GetOrigWidth(), 128);
  EXPECT_EQ(t.GetNumChannels(), 4);
  EXPECT_FALSE(t.IsTextureLoadedToMemory()) << "the upload frees the pixels in memory";
  float l, top, r, b;
  t.GetTCs(&l, &top, &r, &b);
  EXPECT_FLOAT_EQ(l, 1.0f / 128);
  EXPECT_FLOAT_EQ(top, 1.0f / 64);
  EXPECT_FLOAT_EQ(r, 127.0f / 128);
  EXPECT_FLOAT_EQ(b, 63.0f / 64);
  std::vector<unsigned char> pixels = qwtest::ReadTexture(&t);
  ASSERT_EQ(pixels.size(), 128u * 64u * 4u);
  for (unsigned char v : pixels) ASSERT_EQ(v, 0);

  std::string log = Logged([&] { EXPECT_FALSE(t.CreateEmptyTexture(8, 8, 0)); });
  EXPECT_NE(log.find("Texture already created"), std::string::npos);
  EXPECT_EQ(t.GetWidth(), 128) << "the first texture stays";

  EngTexture one;
  EngInt32 w = 1, h = 1;
  EXPECT_TRUE(one.CreateEmptyTexture(&w, &h, 0));
  EXPECT_EQ(one.GetNumChannels(), 3);
  one.GetTCs(&l, &top, &r, &b);
  EXPECT_EQ(l, 1.0f);
  EXPECT_EQ(b, 0.0f);

  EngTexture bad;
  for (EngInt32 side : {0, -4, 1 << 30}) {
    w = side;
    h = 4;
    EXPECT_NE(Logged([&] { EXPECT_FALSE(bad.CreateEmptyTexture(&w, &h, 1)); }).find("Invalid parameters."),
              std::string::npos)
        << side;
  }
  t.Destroy();
  EXPECT_FALSE(t.IsOk());
  EXPECT_TRUE(t.CreateEmptyTexture(8, 8, 0)) << "a destroyed texture can be made again";
}

TEST_F(TextureTest, NearestPowerOfTwoPerSideUpToTheLimit) {
  struct Case {
    EngInt32 in, out;
  } cases[] = {{640, 512}, {480, 512}, {45, 32}, {46, 64}, {3, 4}, {6, 8}, {1, 1}, {256, 256}};
  for (const Case &c : cases) {
    EngInt32 w = 0, h = 0;
    EngTextureGetClosestPowerOf2_GL(c.in, c.in, &w, &h);
    EXPECT_EQ(w, c.out) << c.in;
  }
  device->SetMaxTextureSizeForLoadingImages_GL(300);
  EngInt32 w = 0, h = 0;
  EngTextureGetClosestPowerOf2_GL(1000, 200, &w, &h);
  EXPECT_EQ(w, 300);
  EXPECT_EQ(h, 256);
}

TEST_F(TextureTest, PixelsInMemoryPaddedKeptAndHalved) {
  EngTexture t;
  EngInt32 w = 8, h = 4;
  ASSERT_TRUE(t.LoadEmptyTextureToMemory(&w, &h, 1));
  EXPECT_TRUE(t.IsTextureLoadedToMemoryAndReadyToBeLoaded());
  unsigned char *data = t.GetTexInMemoryData();
  ASSERT_NE(data, nullptr);
  for (int i = 0; i < 8 * 4 * 4; i++) data[i] = (unsigned char)i;
  EXPECT_TRUE(t.ShrinkDataInMemoryToHalfSize_GL());
  EngInt32 mw, mh, pw, ph, ch;
  ASSERT_TRUE(t.GetTexInMemoryInfo(&mw, &mh, &pw, &ph, &ch));
  EXPECT_EQ(mw, 4);
  EXPECT_EQ(mh, 2);
  EXPECT_EQ(pw, 8) << "the picture size is kept";
  EXPECT_EQ(ch, 4);
  // Pixel (0, 0) averages source bytes 0, 4, 32 and 36 pairwise.
  data = t.GetTexInMemoryData();
  EXPECT_EQ(data[0], (((0 + 4) >> 1) + ((32 + 36) >> 1)) >> 1);

  t.DontFreeTextureInMemoryOnNextLoad_GL();
  _TexCoords used;
  EXPECT_TRUE(t.LoadFromTextureInMemory(&used));
  EXPECT_TRUE(t.IsTextureLoadedToMemory()) << "kept once";
  EXPECT_EQ(used.right, 1.0f);
  EXPECT_NE(Logged([&] { EXPECT_TRUE(t.LoadFromTextureInMemory(nullptr)); }).find("Texture already created. Continuing"),
            std::string::npos);
  EXPECT_FALSE(t.IsTextureLoadedToMemory()) << "freed by the next upload";
  EXPECT_NE(Logged([&] { t.GetTexInMemoryData(); }).find("Does not exist."), std::string::npos);
  EXPECT_NE(Logged([&] { EXPECT_FALSE(t.LoadFromTextureInMemory(nullptr)); }).find("No texture in memory"),
            std::string::npos);
  EXPECT_NE(Logged([&] { t.UpscaleImageDataInMemoryToNearestPowerOfTwoFast_GL(&used); }).find("No texture in memory"),
            std::string::npos);
}

TEST_F(TextureTest, ATextureLeftLoadedLosesItsNameWithTheDeviceAndLoadsAgain) {
  EngTexture t;
  qwtest::MakeTexture(&t, 16, 16, true, Green);
  const GLuint name = t.GetGL()->GetGlName();
  ASSERT_TRUE(glIsTexture(name));

  // The device goes; the context of these tests lives on, so a kept name would stay valid.
  device.reset();
  EXPECT_FALSE(t.IsOk());
  EXPECT_EQ(t.GetGL()->GetGlName(), 0u);
  EXPECT_FALSE(glIsTexture(name));
  EXPECT_FALSE(t.Draw());

  device.reset(new EngDevice(window.get()));
  ASSERT_TRUE(device->Create(1, 640, 480, 32, 60));
  qwtest::MakeTexture(&t, 16, 16, true, Green);
  device->PrepareFor2D(1);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_TRUE(t.PositionRatioedAndDraw(0, 0, 640, 480));
  unsigned char p[3];
  ReadPixel(320, 240, p);
  EXPECT_GT(p[1], 200);
  device->RestoreAfter2D();
}

TEST_F(TextureTest, ReleasedWithoutAContextIsReported) {
  EngTexture t;
  qwtest::MakeTexture(&t, 4, 4, false, Green);
  eng_gl_3d_setup = 0;
  std::string log = Logged([&] { t.Destroy(); });
  eng_gl_3d_setup = 1;
  EXPECT_NE(log.find("Image was not released when 3d active."), std::string::npos);
  EXPECT_FALSE(t.IsOk());
}

}  // namespace
