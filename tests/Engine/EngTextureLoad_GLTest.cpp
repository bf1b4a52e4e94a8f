// Texture loading on the real device: pictures from files and TGA images, the size rules
// before and after the device's extensions are initialised, alpha modes, bad files, the
// exchanges of TGA images with textures and the halving of raw pixel buffers.
#include <GL/glew.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "Engine/EngDeviceGL.h"
#include "Engine/EngMemory.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTextureGL.h"
#include "Engine/EngTga.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/ImageTestSupport.h"
#include "tests/Engine/TextureTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

// R = x, G = y, B = 7, A = 255 for every pixel (rows top first), as RGB or RGBA bytes.
std::vector<uint8_t> Pattern(int w, int h, int channels) {
  std::vector<uint8_t> p;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      p.push_back(uint8_t(x));
      p.push_back(uint8_t(y));
      p.push_back(7);
      if (channels == 4) p.push_back(255);
    }
  return p;
}

// The same pattern as a bottom-first 24-bit TGA file (bytes B, G, R).
std::string PatternTga(int w, int h) {
  std::vector<uint8_t> p;
  for (int y = h - 1; y >= 0; y--)
    for (int x = 0; x < w; x++) {
      p.push_back(7);
      p.push_back(uint8_t(y));
      p.push_back(uint8_t(x));
    }
  return qwimage::TgaFile(w, h, 24, p);
}

class TextureLoadTest : public qwtest::DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    char pattern[] = "/tmp/qw_texture_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
  }
  void TearDown() override {
    for (const std::string &f : files) unlink(f.c_str());
    rmdir(folder.c_str());
    DeviceTest::TearDown();
  }
  std::string Write(const std::string &name, const std::string &bytes) {
    std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    files.push_back(path);
    return path;
  }
  std::string folder;
  std::vector<std::string> files;
};

TEST_F(TextureLoadTest, PicturesKeepTheirOwnSizeOnceTheDeviceIsSetUp) {
  EngTexture t;
  std::string tga = Write("pattern.tga", PatternTga(200, 120));
  ASSERT_TRUE(t.LoadFromFile(tga.c_str(), 0, 0));
  EXPECT_EQ(t.GetWidth(), 200);
  EXPECT_EQ(t.GetHeight(), 120);
  EXPECT_EQ(t.GetOrigWidth(), 200);
  EXPECT_EQ(t.GetNumChannels(), 3);
  float l, top, r, b;
  t.GetTCs(&l, &top, &r, &b);
  EXPECT_FLOAT_EQ(l, 1.0f / 200);
  EXPECT_FLOAT_EQ(b, 119.0f / 120);
  EXPECT_EQ(qwtest::ReadTexture(&t), Pattern(200, 120, 3));

  std::string log = Logged([&] { EXPECT_FALSE(t.LoadFromFile(tga.c_str(), 0, 0)); });
  EXPECT_NE(log.find("Texture already created [filename:"), std::string::npos);
  EXPECT_TRUE(t.IsOk()) << "the first picture stays";

  // The content decides: a PNG named .jpg goes to the general loader, a JPEG named .png to libjpeg.
  EngTexture png, jpeg;
  std::string fake_jpg = Write("png.jpg", qwimage::PngFile(16, 8, 6, Pattern(16, 8, 4)));
  ASSERT_TRUE(png.LoadFromFile(fake_jpg.c_str(), 1, 2));
  EXPECT_EQ(qwtest::ReadTexture(&png), Pattern(16, 8, 4));
  std::string fake_png = Write("jpeg.png", qwimage::JpegFile(32, 16, 3, Pattern(32, 16, 3)));
  ASSERT_TRUE(jpeg.LoadFromFile(fake_png.c_str(), 0, 0));
  EXPECT_EQ(jpeg.GetWidth(), 32);
  EXPECT_EQ(jpeg.GetNumChannels(), 3);
}

TEST_F(TextureLoadTest, PowersOfTwoBeforeTheExtensionsAreInitialised) {
  eng_main_device_gl->MiscInitVars();  // as at the device's start: no extensions, size limit 256
  ASSERT_TRUE(eng_main_device_gl->AreExtensionsNotInitialised());
  std::string tga = Write("p.tga", PatternTga(200, 120));
  EngTexture t;
  ASSERT_TRUE(t.LoadFromFile(tga.c_str(), 0, 0));
  EXPECT_EQ(t.GetWidth(), 256);
  EXPECT_EQ(t.GetHeight(), 128);
  EXPECT_EQ(t.GetOrigWidth(), 200);
  EXPECT_EQ(t.GetOrigHeight(), 120);
  float l, top, r, b;
  t.GetTCs(&l, &top, &r, &b);
  EXPECT_FLOAT_EQ(r, 255.0f / 256);

  // Without the resample request: padded at upload, which needs the coordinates pointer.
  std::string small = Write("s.tga", PatternTga(100, 60));
  EngTexture padded;
  ASSERT_TRUE(padded.LoadFromFileToMemory(small.c_str(), 0, 0, 0));
  EXPECT_FALSE(padded.IsTextureLoadedToMemoryAndReadyToBeLoaded());
  std::string log = Logged([&] { EXPECT_FALSE(padded.LoadFromTextureInMemory(nullptr)); });
  EXPECT_NE(log.find("Image was not converted to power of two"), std::string::npos);
  _TexCoords used;
  ASSERT_TRUE(padded.LoadFromTextureInMemory(&used));
  EXPECT_EQ(padded.GetWidth(), 128);
  EXPECT_EQ(padded.GetHeight(), 64);
  EXPECT_FLOAT_EQ(used.right, 0.78125f);
  EXPECT_FLOAT_EQ(used.bottom, 0.9375f);
  std::vector<unsigned char> pixels = qwtest::ReadTexture(&padded);
  EXPECT_EQ(pixels[(5 * 128 + 99) * 3], 99);
  EXPECT_EQ(pixels[(5 * 128 + 100) * 3], 255) << "padding texels are 255";
  EXPECT_EQ(pixels[(63 * 128 + 0) * 3 + 2], 255);

  // A side above the size limit is scaled down even without the request.
  std::string wide = Write("w.tga", PatternTga(300, 20));
  EngTexture limited;
  ASSERT_TRUE(limited.LoadFromFileToMemory(wide.c_str(), 0, 0, 0));
  ASSERT_TRUE(limited.LoadFromTextureInMemory(nullptr));
  EXPECT_EQ(limited.GetWidth(), 256);
  EXPECT_EQ(limited.GetHeight(), 16);
}

TEST_F(TextureLoadTest, AlphaModesChannelsAndTgaImages) {
  std::vector<uint8_t> pixels = {255, 0, 0, 255, 100, 100, 100, 255, 10, 200, 30, 255, 0, 0, 0, 255};
  std::string png = Write("a.png", qwimage::PngFile(4, 1, 6, pixels));
  struct Case {
    char mode;
    unsigned char alphas[4];
  };
  // The loader multiplies colours by alpha first ((c * a + 128) >> 8, so 255 becomes 254 and
  // 200 becomes 199); ties take red.
  const Case cases[] = {
      {3, {254, 100, 199, 0}}, {6, {1, 155, 245, 255}}, {1, {0, 0, 0, 0}}, {2, {255, 255, 255, 255}}};
  for (const Case &c : cases) {
    EngTexture t;
    ASSERT_TRUE(t.LoadFromFile(png.c_str(), 1, c.mode));
    std::vector<unsigned char> p = qwtest::ReadTexture(&t);
    for (int i = 0; i < 4; i++) EXPECT_EQ(p[size_t(i) * 4 + 3], c.alphas[i]) << "mode " << int(c.mode) << " pixel " << i;
  }

  // A greyscale JPEG: refused without luminance textures, one channel with them.
  std::string grey = Write("g.jpg", qwimage::JpegFile(8, 8, 1, std::vector<uint8_t>(64, 90)));
  EngTexture g;
  std::string log = Logged([&] { EXPECT_FALSE(g.LoadFromFile(grey.c_str(), 0, 0)); });
  EXPECT_NE(log.find("Load failed <"), std::string::npos);
  EXPECT_FALSE(g.IsOk());
  device->SupportLuminanceOnlyTextures_GL(1);
  ASSERT_TRUE(g.LoadFromFile(grey.c_str(), 0, 0));
  EXPECT_EQ(g.GetNumChannels(), 1);
  device->SupportLuminanceOnlyTextures_GL(0);

  // From an EngTga: bytes B, G, R, A become R, G, B, A; only with alpha as stored.
  EngTga image(2, 1, 32);
  image.data[0] = 0x80112233;
  image.data[1] = 0xff445566;
  EngTexture from_tga;
  EXPECT_NE(Logged([&] { EXPECT_FALSE(from_tga.LoadFromTgaData(&image, 0, 0)); })
                .find("Not supported for non-alpha textures yet."),
            std::string::npos);
  ASSERT_TRUE(from_tga.LoadFromTgaData(&image, 1, 2));
  std::vector<unsigned char> p = qwtest::ReadTexture(&from_tga);
  const std::vector<unsigned char> expected = {0x11, 0x22, 0x33, 0x80, 0x44, 0x55, 0x66, 0xff};
  EXPECT_EQ(p, expected);
}

TEST_F(TextureLoadTest, BadFilesLeaveAnEmptyTexture) {
  std::string jpeg = qwimage::JpegFile(32, 32, 3, Pattern(32, 32, 3));
  std::string png = qwimage::PngFile(8, 8, 2, Pattern(8, 8, 3));
  struct Case {
    const char *name;
    std::string bytes;
  } cases[] = {{"empty.png", ""},
               {"cut.jpg", jpeg.substr(0, jpeg.size() / 3)},
               {"junk.tga", std::string(40, '\x7f')},
               {"liar.tga", PatternTga(4, 4).substr(0, 18) + std::string(5, '\0')},
               // Compressed data with an impossible Huffman table (kept for the picture fuzzer).
               {"damaged.png",
                qwtest::ReadWholeFile(qwtest::SourceDir() + "/tests/data/fuzz/ImageDecodeFuzz/bad-huffman-table.png")}};
  for (const Case &c : cases) {
    EngTexture t;
    std::string path = Write(c.name, c.bytes);
    std::string log = Logged([&] { EXPECT_FALSE(t.LoadFromFile(path.c_str(), 0, 0)); });
    EXPECT_FALSE(t.IsOk()) << c.name;
    EXPECT_FALSE(t.IsTextureLoadedToMemory()) << c.name;
    EXPECT_NE(log.find("Load failed <" + path + ">"), std::string::npos) << c.name << ": " << log;
  }
  // The loader's reason comes first.
  EngTexture damaged;
  const std::string path = folder + "/damaged.png";
  const std::string log = Logged([&] { damaged.LoadFromFile(path.c_str(), 1, 2); });
  const size_t reason = log.find("Corrupt PNG: IDAT: ");
  EXPECT_NE(reason, std::string::npos) << log;
  EXPECT_LT(reason, log.find("Load failed <" + path + ">")) << log;
  EngTexture missing;
  EXPECT_NE(Logged([&] { missing.LoadFromFile("/nonexistent/x.png", 0, 0); }).find("File does not exist"),
            std::string::npos);
}

TEST_F(TextureLoadTest, ShrinkToHalfSizeAndTgaExchanges) {
  std::string tga = Write("p.tga", PatternTga(64, 32));
  EngTexture half;
  ASSERT_TRUE(half.LoadFromFileAndShrinkToHalfSize(tga.c_str(), 1, 2));
  EXPECT_EQ(half.GetWidth(), 32);
  EXPECT_EQ(half.GetHeight(), 16);
  std::vector<unsigned char> p = qwtest::ReadTexture(&half);
  EXPECT_EQ(p[(3 * 32 + 5) * 4], ((10 + 11) / 2 + (10 + 11) / 2) / 2);

  // An image from the texture, written to a file and read back.
  EngTexture t;
  ASSERT_TRUE(t.LoadFromFile(tga.c_str(), 1, 2));
  EngTga image;
  ASSERT_TRUE(image.CreateFromTexture(&t));
  EXPECT_EQ(image.data[2 * 64 + 9], 0xff090207u);
  std::string saved = folder + "/saved.tga";
  files.push_back(saved);
  EngTga empty;
  ASSERT_TRUE(empty.SaveToFileFromTexture(saved.c_str(), &t));
  EngTga back(saved.c_str());
  ASSERT_NE(back.data, nullptr);
  EXPECT_EQ(back.data[2 * 64 + 9], 0xff090207u);

  // And into a texture of the same size.
  image.data[0] = 0xff0000ffu;
  EXPECT_TRUE(image.FillTexture(&t));
  p = qwtest::ReadTexture(&t);
  EXPECT_EQ(p[0], 0);
  EXPECT_EQ(p[2], 255);
  EngTga other(64, 16, 32);
  std::string log = Logged([&] { EXPECT_FALSE(other.FillTexture(&t)); });
  EXPECT_NE(log.find("Incompatible texure and data [64x32x32 != 64x16x32]"), std::string::npos);

  // A 32 by 32 image filled from the 64 by 32 texture takes every second column.
  EngTga scaled(32, 32, 32);
  ASSERT_TRUE(scaled.FillFromTexture(0, 0, -1, -1, &t, 0, 0, -1, -1, 0, 0, 2, 1.0f));
  EXPECT_EQ(scaled.data[4 * 32 + 3] & 0xff0000u, 6u << 16);
}

// Debian's SOIL reads past the end of a PNG cut short inside its image data (found by
// AddressSanitizer); the decoding wrapper must refuse such files before SOIL sees them.
TEST_F(TextureLoadTest, TruncatedPngIsRefused) {
  std::string png = qwimage::PngFile(8, 8, 2, Pattern(8, 8, 3));
  std::string path = Write("cut.png", png.substr(0, png.size() / 2));
  EngTexture t;
  EXPECT_FALSE(t.LoadFromFile(path.c_str(), 0, 0));
  EXPECT_FALSE(t.IsOk());
}

TEST(EngTextureReduce, HalvesUntilTheLimitAndKeepsOnePixelSides) {
  std::vector<EngUInt32> source = {0x00000000, 0x02020202, 0x04040404, 0x06060606,
                                   0x08080808, 0x0a0a0a0a, 0x0c0c0c0c, 0x0e0e0e0e};
  _EngTextureReduceTextureDataSizeParms parms = {4, 2, EngMalloc(32, "test", 0)};
  memcpy(parms.data, source.data(), 32);
  ASSERT_TRUE(EngTexture_ReduceTextureDataSizeIfNeeded(&parms, 2));
  EXPECT_EQ(parms.width, 2);
  EXPECT_EQ(parms.height, 1);
  const EngUInt32 *out = (const EngUInt32 *)parms.data;
  EXPECT_EQ(out[0], 0x05050505u);  // (0+2)/2=1, (8+10)/2=9, (1+9)/2=5
  EngFree(parms.data, 0, "test");

  _EngTextureReduceTextureDataSizeParms line = {8, 1, EngMalloc(24, "test", 1)};
  ASSERT_TRUE(EngTexture_Reduce24BitTextureDataSizeIfNeeded(&line, 4));
  EXPECT_EQ(line.width, 4);
  EXPECT_EQ(line.height, 1);
  EngFree(line.data, 0, "test");

  EngUInt32 pixel = 0;
  _EngTextureReduceTextureDataSizeParms one = {1, 1, &pixel};
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(EngTexture_ReduceTextureDataSizeIfNeeded(&one, 0));
  std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("No max texture size."), std::string::npos);
}

}  // namespace
