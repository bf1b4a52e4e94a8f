#include "Engine/EngJpeg.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "Engine/EngTexturePixels.h"
#include "Engine/EngTga.h"
#include "tests/Engine/ImageTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using qwimage::JpegFile;
using qwimage::Logged;

std::vector<uint8_t> Gradient(int width, int height) {
  std::vector<uint8_t> rgb(size_t(width) * height * 3);
  for (int y = 0; y < height; y++)
    for (int x = 0; x < width; x++) {
      uint8_t *p = &rgb[(size_t(y) * width + x) * 3];
      p[0] = uint8_t(40 + x * 160 / (width - 1));
      p[1] = uint8_t(60 + y * 120 / (height - 1));
      p[2] = 90;
    }
  return rgb;
}

// Takes ownership of a decoded buffer.
std::vector<uint8_t> Take(unsigned char *buffer, size_t bytes) {
  std::vector<uint8_t> out;
  if (buffer) out.assign(buffer, buffer + bytes);
  free(buffer);
  return out;
}

void ExpectNear(const std::vector<uint8_t> &got, const std::vector<uint8_t> &want, int tolerance) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); i++) ASSERT_NEAR(int(got[i]), int(want[i]), tolerance) << "byte " << i;
}

class EngJpegTest : public ::testing::Test {
 protected:
  std::string Write(const std::string &name, const std::string &bytes) {
    std::string path = dir.File(name);
    qwtest::WriteWholeFile(path, bytes);
    return path;
  }
  qwtest::TempDir dir;
};

TEST(EngJpegExtension, NeedsFiveCharactersAndAJpegEnding) {
  struct Case {
    const char *name;
    char expected;
  } cases[] = {{"a.JPG", 1}, {".jpg", 0}, {"x.jpeg", 1}, {"pic.JpEg", 1}, {".jpeg", 1}, {"a.jpe", 0},
               {"a.png", 0}, {"jpg", 0},  {"", 0},       {nullptr, 0}};
  for (const Case &c : cases) EXPECT_EQ(EngJpegDoesFileHaveJpegExtension(c.name), c.expected) << (c.name ? c.name : "null");
}

TEST_F(EngJpegTest, WritesAndReadsBackAnRgbPicture) {
  const std::vector<uint8_t> rgb = Gradient(16, 8);
  std::string path = dir.File("g.jpg");
  ASSERT_EQ(EngJpegWriteFileFromBuffer(path.c_str(), 95, 0, 16, 8, rgb.data()), 1);
  int w = 0, h = 0, components = 0;
  ASSERT_EQ(EngJpegGetFileInfo(path.c_str(), &w, &h, &components), 1);
  EXPECT_EQ(w, 16);
  EXPECT_EQ(h, 8);
  EXPECT_EQ(components, 3);
  w = h = 0;
  std::vector<uint8_t> back = Take(EngJpegReadFileToBuffer(path.c_str(), &w, &h), rgb.size());
  EXPECT_EQ(w, 16);
  EXPECT_EQ(h, 8);
  ExpectNear(back, rgb, 12);
}

TEST_F(EngJpegTest, GreyPicturesGiveOneBytePerPixelAndNoAlpha) {
  std::vector<uint8_t> grey(8 * 8);
  for (size_t i = 0; i < grey.size(); i++) grey[i] = uint8_t(i * 4);
  std::string path = Write("grey.jpg", JpegFile(8, 8, 1, grey));
  int w = 0, h = 0;
  ExpectNear(Take(EngJpegReadFileToBuffer(path.c_str(), &w, &h), grey.size()), grey, 12);
  std::string log = Logged([&] { EXPECT_EQ(EngJpegReadFileToBufferWithAlpha(path.c_str(), 0, &w, &h), nullptr); });
  EXPECT_NE(log.find("Not supported (yet) for jpegs with 1 components <" + path + ">"), std::string::npos) << log;
}

TEST_F(EngJpegTest, AlphaModesMakeTheFourthByte) {
  const std::vector<uint8_t> rgb = Gradient(8, 8);
  std::string path = Write("g.jpg", JpegFile(8, 8, 3, rgb));
  int w = 0, h = 0;
  std::vector<uint8_t> plain = Take(EngJpegReadFileToBuffer(path.c_str(), &w, &h), rgb.size());
  for (char mode : {0, 1, 2, 3, 6, 9}) {
    SCOPED_TRACE(int(mode));
    std::vector<uint8_t> rgba = Take(EngJpegReadFileToBufferWithAlpha(path.c_str(), mode, &w, &h), 8 * 8 * 4);
    ASSERT_EQ(rgba.size(), 8u * 8u * 4u);
    for (size_t i = 0; i < 64; i++) {
      const uint8_t *p = &plain[i * 3];
      ASSERT_EQ(rgba[i * 4], p[0]);
      ASSERT_EQ(rgba[i * 4 + 2], p[2]);
      int expected = mode == 0 || mode == 2 || mode == 9 ? 255
                     : mode == 1                          ? 0
                                                          : EngTexture_GetPixelAlphaFromBrightness(mode, p[0], p[1], p[2]);
      ASSERT_EQ(rgba[i * 4 + 3], expected) << "pixel " << i;
    }
  }
}

// The density fields of the JFIF marker that follows the start of image.
struct Density {
  int unit, x, y;
};
Density ReadDensity(const std::string &bytes) {
  const unsigned char *p = reinterpret_cast<const unsigned char *>(bytes.data());
  EXPECT_EQ(bytes.substr(6, 5), std::string("JFIF\0", 5));
  return {p[13], p[14] << 8 | p[15], p[16] << 8 | p[17]};
}

TEST_F(EngJpegTest, DensityIsWrittenOnlyWhenGiven) {
  const std::vector<uint8_t> rgb = Gradient(4, 4);
  std::string plain = dir.File("plain.jpg"), dpi = dir.File("dpi.jpg");
  ASSERT_EQ(EngJpegWriteFileFromBuffer(plain.c_str(), 80, 0, 4, 4, rgb.data()), 1);
  ASSERT_EQ(EngJpegWriteFileFromBuffer(dpi.c_str(), 80, 72, 4, 4, rgb.data()), 1);
  Density d = ReadDensity(qwtest::ReadWholeFile(plain));
  EXPECT_EQ(d.unit, 0);
  EXPECT_EQ(d.x, 1);
  d = ReadDensity(qwtest::ReadWholeFile(dpi));
  EXPECT_EQ(d.unit, 1);
  EXPECT_EQ(d.x, 72);
  EXPECT_EQ(d.y, 72);
}

TEST_F(EngJpegTest, SavesATgaWithoutItsAlpha) {
  EngTga image(2, 2, 32, 0.8f, 0.4f, 0.2f, 0.0f);
  std::string path = dir.File("t.jpg");
  ASSERT_EQ(EngJpegSaveToFileFromTga(path.c_str(), &image, 100, 0), 1);
  int w = 0, h = 0;
  std::vector<uint8_t> back = Take(EngJpegReadFileToBuffer(path.c_str(), &w, &h), 12);
  ExpectNear(back, {204, 102, 51, 204, 102, 51, 204, 102, 51, 204, 102, 51}, 4);

  EngTga empty;
  std::string log = Logged([&] {
    EXPECT_EQ(EngJpegSaveToFileFromTga(path.c_str(), &empty, 90, 0), 0);
    EXPECT_EQ(EngJpegSaveToFileFromTga("", &image, 90, 0), 0);
    image.bits = 24;
    EXPECT_EQ(EngJpegSaveToFileFromTga(path.c_str(), &image, 90, 0), 0);
    image.bits = 32;
    EXPECT_EQ(EngJpegWriteFileFromBuffer(dir.File("none/x.jpg").c_str(), 90, 0, 2, 2, back.data()), 0);
  });
  EXPECT_NE(log.find("Invalid Parameters"), std::string::npos);
  EXPECT_NE(log.find("Invalid data Bpp (24)"), std::string::npos);
  EXPECT_NE(log.find("Cannot open file"), std::string::npos);
  EXPECT_EQ(EngJpegIsFilled(), 0);
}

// A corrupt file is logged with the library's message and fails; the program goes on.
TEST_F(EngJpegTest, BadFilesFailWithoutEndingTheProgram) {
  const std::string good = JpegFile(16, 16, 3, Gradient(16, 16));
  std::string huge = good, lying = good;
  size_t sof = good.find("\xff\xc0");
  ASSERT_NE(sof, std::string::npos);
  huge[sof + 5] = huge[sof + 7] = char(0xea);  // 60000 x 60000
  huge[sof + 6] = huge[sof + 8] = char(0x60);
  lying[sof + 5] = lying[sof + 7] = char(0x03);  // 1000 x 1000 from 16 x 16 worth of data
  lying[sof + 6] = lying[sof + 8] = char(0xe8);
  std::string corrupt = good;
  for (size_t i = sof; i < sof + 20; i++) corrupt[i] = char(0x5a);
  struct Case {
    const char *name;
    std::string bytes;
    bool header_ok;
    bool decodes;
    const char *message;
  } cases[] = {
      {"empty", "", false, false, "Empty input file"},
      {"not-a-jpeg", "hello, this is text", false, false, "Not a JPEG file"},
      {"header-only", good.substr(0, sof + 4), false, false, ""},
      {"corrupt-frame", corrupt, false, false, ""},
      {"oversized", huge, true, false, "Picture too big [60000,60000]"},
      // Short data decodes to what the library can supply, with its warning.
      {"truncated", good.substr(0, good.find("\xff\xda") + 30), true, true, "premature end"},
      {"lying-header", lying, true, true, "premature end"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = Write(c.name, c.bytes);
    int w = 0, h = 0, components = 0;
    unsigned char *pixels = nullptr, *with_alpha = nullptr;
    std::string log = Logged([&] {
      EXPECT_EQ(EngJpegGetFileInfo(path.c_str(), &w, &h, &components), c.header_ok);
      pixels = EngJpegReadFileToBuffer(path.c_str(), &w, &h);
      with_alpha = EngJpegReadFileToBufferWithAlpha(path.c_str(), 3, &w, &h);
    });
    EXPECT_EQ(pixels != nullptr, c.decodes);
    EXPECT_EQ(with_alpha != nullptr, c.decodes);
    std::string lower = log;
    for (char &ch : lower) ch = char(tolower(ch));
    EXPECT_TRUE(log.find(c.message) != std::string::npos || lower.find(c.message) != std::string::npos) << log;
    if (!c.decodes) {
      EXPECT_FALSE(log.empty());
    }
    free(pixels);
    free(with_alpha);
  }
  std::string log = Logged([&] { EXPECT_EQ(EngJpegGetFileInfo(dir.File("none.jpg").c_str(), nullptr, nullptr, nullptr), 0); });
  EXPECT_NE(log.find("Cannot open file"), std::string::npos);
}

// The decoding worker and the main thread decode at once: each sees its own failure's text, and
// a good picture decodes beside a failing one.
TEST(EngJpegThreads, EachThreadSeesItsOwnFailure) {
  const std::string good = JpegFile(16, 16, 3, Gradient(16, 16));
  const std::string bad[2] = {"hello, this is text", good.substr(0, good.find("\xff\xc0") + 4)};
  const auto decode = [](const std::string &bytes, std::string *failure) {
    const char *text = nullptr;
    int w = 0, h = 0, components = 0;
    unsigned char *pixels = EngJpegDecodeMemory(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(), 0,
                                                &w, &h, &components, &text);
    *failure = pixels ? std::string() : std::string(text ? text : "(none)");
    free(pixels);
    return pixels != nullptr;
  };
  std::string expected[2];
  for (int t = 0; t < 2; t++) ASSERT_FALSE(decode(bad[t], &expected[t]));
  ASSERT_NE(expected[0], expected[1]);

  std::atomic<int> ready{0};
  int wrong[2] = {0, 0}, good_failed[2] = {0, 0};
  std::thread threads[2];
  for (int t = 0; t < 2; t++)
    threads[t] = std::thread([&, t] {
      ready++;
      while (ready.load() < 2) {
      }
      std::string failure;
      for (int i = 0; i < 10000; i++) {
        if (!decode(good, &failure)) good_failed[t]++;
        if (decode(bad[t], &failure) || failure != expected[t]) wrong[t]++;
      }
    });
  for (std::thread &thread : threads) thread.join();
  for (int t = 0; t < 2; t++) {
    EXPECT_EQ(wrong[t], 0) << "thread " << t << " saw another failure than " << expected[t];
    EXPECT_EQ(good_failed[t], 0) << "thread " << t;
  }
}

}  // namespace
