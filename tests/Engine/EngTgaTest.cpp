#include "Engine/EngTga.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngJpeg.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "tests/Engine/ImageTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using qwimage::Logged;
using qwimage::TgaFile;

EngUInt32 Px(int r, int g, int b, int a) {
  return (EngUInt32(a) << 24) | (EngUInt32(r) << 16) | (EngUInt32(g) << 8) | EngUInt32(b);
}

class EngTgaTest : public ::testing::Test {
 protected:
  std::string Write(const std::string &name, const std::string &bytes) {
    std::string path = dir.File(name);
    qwtest::WriteWholeFile(path, bytes);
    return path;
  }
  // An image whose pixels are given top row first.
  static void Fill(EngTga *image, int w, int h, const std::vector<EngUInt32> &pixels) {
    ASSERT_TRUE(image->Create(w, h, 32));
    memcpy(image->data, pixels.data(), pixels.size() * 4);
  }
  std::vector<EngUInt32> Pixels(const EngTga &image) {
    return std::vector<EngUInt32>(image.data, image.data + image.width * image.height);
  }

  qwtest::TempDir dir;
};

// ---------------------------------------------------------------------------------------------
// Reading

TEST_F(EngTgaTest, ReadsRowsBottomFirstWhateverTheDescriptorSays) {
  // File rows: bottom row (1,2,3)(4,5,6), then top row (7,8,9)(10,11,12), each pixel B, G, R.
  std::vector<uint8_t> rows24 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  std::vector<uint8_t> rows32 = {1, 2, 3, 40, 4, 5, 6, 50, 7, 8, 9, 60, 10, 11, 12, 70};
  struct Case {
    int bits;
    uint8_t descriptor;
    const std::vector<uint8_t> &rows;
    std::vector<EngUInt32> expected;
  } cases[] = {
      {24, 0, rows24, {Px(9, 8, 7, 255), Px(12, 11, 10, 255), Px(3, 2, 1, 255), Px(6, 5, 4, 255)}},
      {24, 0x20, rows24, {Px(9, 8, 7, 255), Px(12, 11, 10, 255), Px(3, 2, 1, 255), Px(6, 5, 4, 255)}},
      {32, 0x28, rows32, {Px(9, 8, 7, 60), Px(12, 11, 10, 70), Px(3, 2, 1, 40), Px(6, 5, 4, 50)}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.bits);
    EngTga image(Write("a.tga", TgaFile(2, 2, c.bits, c.rows, c.descriptor)).c_str());
    ASSERT_NE(image.data, nullptr);
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.bits, 32);
    EXPECT_EQ(image.size, 16u);
    EXPECT_EQ(Pixels(image), c.expected);
  }
}

TEST_F(EngTgaTest, BadFilesFailWithTheirMessageAndLeaveTheImageEmpty) {
  std::vector<uint8_t> four_pixels(16, 7);
  auto with = [&](int at, char value) {
    std::string file = TgaFile(2, 2, 32, four_pixels);
    file[at] = value;
    return file;
  };
  std::string huge = TgaFile(0xffff, 0xffff, 32, four_pixels);
  std::string big_ok_sides = TgaFile(4000, 4000, 32, four_pixels);
  struct Case {
    const char *name;
    std::string bytes;
    const char *message;
  } cases[] = {
      {"id-length", with(0, 1), "Problems [0] loading file"},
      {"rle", with(2, 10), "Problems [0] loading file"},
      {"colour-map", with(1, 1), "Problems [0] loading file"},
      {"x-origin", with(8, 1), "Problems [0] loading file"},
      {"short-header", TgaFile(2, 2, 32, {}).substr(0, 17), "Problems [0] loading file"},
      {"empty", "", "Problems [0] loading file"},
      {"zero-width", TgaFile(0, 2, 32, four_pixels), "Bad Format in file"},
      {"zero-height", TgaFile(2, 0, 32, four_pixels), "Bad Format in file"},
      {"8-bit", TgaFile(2, 2, 8, four_pixels), "Bad Format in file"},
      {"16-bit", TgaFile(2, 2, 16, four_pixels), "Could not create m_data"},
      {"oversized", huge, "Bad Format in file"},
      {"lying-32", big_ok_sides, "Problems reading data [2] in file"},
      {"lying-24", TgaFile(3, 2, 24, std::vector<uint8_t>(17, 1)), "Problems reading data [3] in file"},
      {"truncated", TgaFile(2, 2, 32, four_pixels).substr(0, 18 + 15), "Problems reading data [2] in file"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = Write(c.name, c.bytes);
    EngTga image;
    char ok = 1;
    std::string log = Logged([&] { ok = image.LoadFromFile(path.c_str(), 1); });
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(image.data, nullptr);
    EXPECT_NE(log.find(c.message), std::string::npos) << log;
  }
  EngTga missing;
  std::string log = Logged([&] { EXPECT_EQ(missing.LoadFromFile(dir.File("none.tga").c_str(), 1), 0); });
  EXPECT_NE(log.find("Could not open file <"), std::string::npos);
}

TEST_F(EngTgaTest, LoadingIntoAnExistingImageNeedsTheSameSize) {
  std::string path = Write("a.tga", TgaFile(1, 2, 24, {1, 2, 3, 4, 5, 6}));
  EngTga same(1, 2, 32);
  EXPECT_EQ(same.LoadFromFile(path.c_str(), 0), 1);
  EXPECT_EQ(same.data[0], Px(6, 5, 4, 255));

  EngTga other(2, 2, 32, 0, 0, 0, 0);
  std::string log = Logged([&] { EXPECT_EQ(other.LoadFromFile(path.c_str(), 0), 0); });
  EXPECT_NE(log.find("Invalid Data [2]"), std::string::npos);
  EXPECT_NE(other.data, nullptr) << "an image it did not create is kept";

  EngTga empty;
  log = Logged([&] { EXPECT_EQ(empty.LoadFromFile(path.c_str(), 0), 0); });
  EXPECT_NE(log.find("Invalid Data [1]"), std::string::npos);
  log = Logged([&] { EXPECT_EQ(same.LoadFromFile(path.c_str(), 1), 0); });
  EXPECT_NE(log.find("Invalid Data [1]"), std::string::npos);
}

TEST_F(EngTgaTest, GetSizeFromFileAcceptsOnly32Bits) {
  int w = 0, h = 0, bits = 0;
  EXPECT_EQ(EngTga().GetSizeFromFile(Write("a.tga", TgaFile(3, 2, 24, {})).c_str(), &w, &h, &bits), 0);
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 2);
  EXPECT_EQ(bits, 24);
  EXPECT_EQ(EngTga().GetSizeFromFile(Write("b.tga", TgaFile(5, 4, 32, {})).c_str(), nullptr, nullptr, nullptr), 1);
}

// ---------------------------------------------------------------------------------------------
// Writing

TEST_F(EngTgaTest, SavesRowsBottomFirstAndReadsBackByteForByte) {
  EngTga image;
  Fill(&image, 3, 2, {Px(1, 2, 3, 4), Px(5, 6, 7, 8), Px(9, 10, 11, 12), Px(13, 14, 15, 16), Px(17, 18, 19, 20),
                      Px(21, 22, 23, 24)});
  std::string path = dir.File("out.tga");
  ASSERT_EQ(image.SaveToFile(path.c_str()), 1);
  std::string bytes = qwtest::ReadWholeFile(path);
  ASSERT_EQ(bytes.size(), 18u + 24u);
  const uint8_t header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 2, 0, 32, 0};
  EXPECT_EQ(bytes.substr(0, 18), std::string(reinterpret_cast<const char *>(header), 18));
  const uint8_t first_file_row[12] = {15, 14, 13, 16, 19, 18, 17, 20, 23, 22, 21, 24};
  EXPECT_EQ(bytes.substr(18, 12), std::string(reinterpret_cast<const char *>(first_file_row), 12));

  EngTga back(path.c_str());
  ASSERT_NE(back.data, nullptr);
  EXPECT_EQ(Pixels(back), Pixels(image));
  ASSERT_EQ(back.SaveToFile(dir.File("again.tga").c_str()), 1);
  EXPECT_EQ(qwtest::ReadWholeFile(dir.File("again.tga")), bytes);
}

TEST_F(EngTgaTest, SavingAThreeByOneImageWritesItsSizeAndDepth) {
  EngTga image(3, 1, 32, 1, 1, 1, 1);
  std::string path = dir.File("line.tga");
  ASSERT_EQ(image.SaveToFile(path.c_str()), 1);
  std::string bytes = qwtest::ReadWholeFile(path);
  ASSERT_EQ(bytes.size(), 30u);
  EXPECT_EQ(bytes.substr(12, 6), std::string("\x03\x00\x01\x00\x20\x00", 6));
}

TEST_F(EngTgaTest, SavingRefusesBadRequests) {
  EngTga empty;
  EngTga image(2, 2, 32, 0, 0, 0, 1);
  std::string log = Logged([&] {
    EXPECT_EQ(image.SaveToFile(nullptr), 0);
    EXPECT_EQ(image.SaveToFile(""), 0);
    EXPECT_EQ(empty.SaveToFile(dir.File("x.tga").c_str()), 0);
  });
  EXPECT_NE(log.find("No filename"), std::string::npos);
  EXPECT_NE(log.find("Invalid parameters"), std::string::npos);
  EXPECT_FALSE(qwtest::FileExists(dir.File("x.tga")));

  log = Logged([&] { EXPECT_EQ(image.SaveToFile(dir.File("missing/keep.tga").c_str()), 0); });
  EXPECT_NE(log.find("Could not create file <"), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Creating, copying and editing

TEST_F(EngTgaTest, CreateChecksItsArgumentsAndFillsWithTruncatedBytes) {
  EngTga image;
  std::string log = Logged([&] {
    EXPECT_EQ(image.Create(0, 1, 32), 0);
    EXPECT_EQ(image.Create(1, 1, 24), 0);
    EXPECT_EQ(image.Create(100000, 100000, 32), 0);
  });
  EXPECT_NE(log.find("Invalid parameters"), std::string::npos);
  ASSERT_EQ(image.CreateWithColour(2, 1, 32, 1.0f, 0.5f, 0.0f, 0.2f), 1);
  EXPECT_EQ(Pixels(image), (std::vector<EngUInt32>{Px(255, 127, 0, 51), Px(255, 127, 0, 51)}));
  log = Logged([&] { EXPECT_EQ(image.Create(1, 1, 32), 0); });
  EXPECT_NE(log.find("Data already created"), std::string::npos);
  image.Destroy();
  EXPECT_EQ(image.data, nullptr);
}

TEST_F(EngTgaTest, CopiesAndHalvesOtherImages) {
  EngTga other;
  Fill(&other, 2, 2, {Px(10, 20, 30, 40), Px(20, 30, 40, 50), Px(31, 41, 51, 61), Px(41, 51, 61, 71)});
  EngTga copy;
  ASSERT_EQ(copy.CreateFromOtherTga(&other, 1), 1);
  EXPECT_EQ(Pixels(copy), Pixels(other));

  EngTga half;
  ASSERT_EQ(half.CreateFromTwiceSizeData(&other, 1), 1);
  ASSERT_EQ(half.width, 1);
  // Top pair averages to (15,25,35,45), bottom pair to (36,46,56,66), then (25,35,45,55).
  EXPECT_EQ(half.data[0], Px(25, 35, 45, 55));

  EngTga wrong(3, 3, 32);
  std::string log = Logged([&] {
    EXPECT_EQ(wrong.CreateFromOtherTga(&other, 0), 0);
    EXPECT_EQ(wrong.CreateFromTwiceSizeData(&other, 0), 0);
  });
  EXPECT_NE(log.find("Invalid parameters [2]"), std::string::npos);
  log = Logged([&] { EXPECT_EQ(copy.CreateFromOtherTga(&other, 1), 0); });
  EXPECT_NE(log.find("Invalid parameters [1]"), std::string::npos);
}

TEST_F(EngTgaTest, PixelEditsCountRowsAsTheyShould) {
  EngTga image(2, 3, 32, 0, 0, 0, 1);
  ASSERT_EQ(image.SetDataEntryToColour(1, 0, 1, 0, 0), 1);
  EXPECT_EQ(image.data[2 * 2 + 1], Px(255, 0, 0, 0)) << "y 0 is the bottom row";
  image.SetDataEntryToColourNoChecks(0, 0, 0, 1, 0);
  EXPECT_EQ(image.data[0], Px(0, 255, 0, 0)) << "y 0 is the top row";
  image.SetDataEntryToColourNoChecks(2, 0, 0, 1, 0);
  image.SetDataEntryToColourNoChecks(0, -1, 0, 1, 0);
  image.SetDataEntryToColourNoChecks(0, 3, 0, 1, 0);

  ASSERT_EQ(image.SetDataPartColour(1, 1, 1, 2, 0, 0, 1, 1), 1);
  EXPECT_EQ(image.data[0 * 2 + 1], Px(0, 0, 255, 255));
  EXPECT_EQ(image.data[1 * 2 + 1], Px(0, 0, 255, 255));
  EXPECT_EQ(image.data[2 * 2 + 1], Px(255, 0, 0, 0)) << "the bottom row is outside the part";

  std::string log = Logged([&] {
    EXPECT_EQ(image.SetDataEntryToColour(2, 0, 1, 1, 1), 0);
    EXPECT_EQ(image.SetDataEntryToColour(0, -1, 1, 1, 1), 0);
  });
  EXPECT_NE(log.find("Invalid pos [2,0]"), std::string::npos);
  EXPECT_NE(log.find("Invalid pos [0,-1]"), std::string::npos);
  for (auto part : {std::vector<int>{1, 0, -1, 1}, {0, 2, 1, 2}, {0, 3, 1, 1}, {-1, 0, 1, 1}}) {
    log = Logged([&] { EXPECT_EQ(image.SetDataPartColour(part[0], part[1], part[2], part[3], 1, 1, 1, 1), 0); });
    EXPECT_NE(log.find("Invalid parameters"), std::string::npos);
  }
  EngTga empty;
  log = Logged([&] { EXPECT_EQ(empty.SetDataEntryToColour(0, 0, 1, 1, 1), 0); });
  EXPECT_NE(log.find("Invalid m_data"), std::string::npos);
  empty.SetDataEntryToColourNoChecks(0, 0, 1, 1, 1);
}

TEST_F(EngTgaTest, AlphaEdits) {
  EngTga image;
  Fill(&image, 2, 1, {Px(1, 2, 3, 255), Px(4, 5, 6, 55)});
  image.FadeAlpha(1.5f);
  EXPECT_EQ(image.data[0] >> 24, 255u);
  image.FadeAlpha(0.5f);
  EXPECT_EQ(image.data[0], Px(1, 2, 3, 127));
  EXPECT_EQ(image.data[1], Px(4, 5, 6, 27));
  image.InvertAlpha();
  EXPECT_EQ(image.data[0] >> 24, 128u);
  image.InvertAlphaWithFade(0.5f);  // 255 - 128 = 127, halved
  EXPECT_EQ(image.data[0] >> 24, 63u);
  image.InvertAlphaWithFade(2.0f);
  EXPECT_EQ(image.data[0] >> 24, 192u);

  EngTga other;
  Fill(&other, 2, 1, {Px(0, 0, 0, 10), Px(0, 0, 0, 20)});
  EngTga big(4, 2, 32, 0.2f, 0.2f, 0.2f, 1);
  ASSERT_EQ(big.CopyAlphaFromOtherTga(&other), 1);
  for (int y = 0; y < 2; y++)
    for (int x = 0; x < 4; x++) EXPECT_EQ(big.data[y * 4 + x], Px(51, 51, 51, x < 2 ? 10 : 20));

  EngTga empty;
  std::string log = Logged([&] {
    EXPECT_EQ(big.CopyAlphaFromOtherTga(nullptr), 0);
    EXPECT_EQ(big.CopyAlphaFromOtherTga(&empty), 0);
    empty.InvertAlpha();
  });
  EXPECT_NE(log.find("Bad parameters."), std::string::npos);
  EXPECT_NE(log.find("Not setup."), std::string::npos);
  EXPECT_NE(log.find("Invalid parameter"), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Fills

TEST_F(EngTgaTest, FillFromDataScalesMirrorsAndWidens24BitPixels) {
  // 24-bit source of 2 x 2 pixels (B, G, R): top row (1,2,3)(4,5,6), bottom row (7,8,9)(10,11,12).
  const uint8_t source[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const EngUInt32 a = Px(3, 2, 1, 255), b = Px(6, 5, 4, 255), c = Px(9, 8, 7, 255), d = Px(12, 11, 10, 255);
  struct Case {
    char flip_h, flip_v;
    std::vector<EngUInt32> expected;  // 4 x 2
  } cases[] = {
      {0, 0, {a, a, b, b, c, c, d, d}},
      {1, 0, {b, b, a, a, d, d, c, c}},
      {0, 1, {c, c, d, d, a, a, b, b}},
      {1, 1, {d, d, c, c, b, b, a, a}},
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(int(k.flip_h) * 2 + k.flip_v);
    EngTga image(4, 2, 32, 0, 0, 0, 0);
    ASSERT_EQ(image.FillFromData(2, 2, 24, 0, 0, -1, -1, source, 0, 0, 4, -1, k.flip_h, k.flip_v, 0, 0, 1, 0), 1);
    EXPECT_EQ(Pixels(image), k.expected);
  }
  // A sub-rectangle of the source into a sub-rectangle of the image.
  EngTga image(3, 3, 32, 0, 0, 0, 0);
  ASSERT_EQ(image.FillFromData(2, 2, 24, 1, 1, 1, 1, source, 1, 2, 2, 1, 0, 0, 0, 0, 1, 0), 1);
  EXPECT_EQ(Pixels(image), (std::vector<EngUInt32>{0, 0, 0, 0, 0, 0, 0, d, d}));
}

TEST_F(EngTgaTest, FillFromDataCombinesByAlphaType) {
  const EngUInt32 source = Px(200, 100, 50, 128);
  const EngUInt32 dest = Px(100, 200, 255, 10);
  struct Case {
    int type;
    char alpha_only;
    float mult;
    char invert;
    EngUInt32 expected;
  } cases[] = {
      {0, 0, 1, 0, source},
      {11, 0, 1, 0, source},
      {13, 0, 1, 0, source},
      {1, 0, 1, 0, Px(200, 100, 50, 10)},
      // 200*128/255 + 100*127/255 = 100 + 49; 100*128/255 + 200*127/255 = 50 + 99; 50*128/255 + 255*127/255
      {4, 0, 1, 0, Px(149, 149, 152, 10)},
      {5, 0, 1, 0, Px(100, 200, 255, 10)},  // smallest byte 50 < 191: weight 0
      {6, 0, 1, 0, Px(200, 100, 50, 10)},   // 255 - 50 >= 65: weight 255
      // weight 50: (100*205 + 200*50)/255, (200*205 + 100*50)/255, (255*205 + 50*50)/255
      {7, 0, 1, 0, Px(119, 180, 214, 10)},
      {8, 0, 1, 0, Px(180, 119, 90, 10)},  // weight 205
      {12, 0, 1, 0, Px(19, 39, 50, 128)},
      {2, 1, 1, 0, Px(100, 200, 255, 128)},
      {2, 1, 0.5f, 0, Px(100, 200, 255, 64)},
      {2, 1, 0.5f, 1, Px(100, 200, 255, 192)},  // 255 - trunc(127 * 0.5)
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.type);
    EngTga image;
    Fill(&image, 1, 1, {dest});
    ASSERT_EQ(image.FillFromData(1, 1, 32, 0, 0, -1, -1, &source, 0, 0, -1, -1, 0, 0, c.type, c.alpha_only, c.mult,
                                 c.invert),
              1);
    EXPECT_EQ(image.data[0], c.expected);
  }
  // Type 9 takes an opaque source whole, leaves the image under a clear one, else blends as 4.
  const EngUInt32 opaque = Px(1, 2, 3, 255), clear = Px(1, 2, 3, 0);
  for (auto [pixel, expected] : {std::pair{opaque, opaque}, {clear, dest}, {source, Px(149, 149, 152, 10)}}) {
    EngTga image;
    Fill(&image, 1, 1, {dest});
    ASSERT_EQ(image.FillFromData(1, 1, 32, 0, 0, 1, 1, &pixel, 0, 0, 1, 1, 0, 0, 9, 0, 1, 0), 1);
    EXPECT_EQ(image.data[0], expected);
  }
}

TEST_F(EngTgaTest, FillFromDataRefusesBadRectangles) {
  const EngUInt32 source[4] = {};
  EngTga image(2, 2, 32);
  EngTga empty;
  struct Case {
    EngTga *target;
    int src_bits, sx, sw, dx, dw;
    const void *src;
    const char *message;
  } cases[] = {
      {&image, 32, 0, 2, 0, 2, nullptr, "No data"},
      {&image, 16, 0, 2, 0, 2, source, "Invalid from data"},
      {&empty, 32, 0, 2, 0, 2, source, "Invalid dest"},
      {&image, 32, 1, 2, 0, 2, source, "Invalid from sizes"},
      {&image, 32, -1, 1, 0, 2, source, "Invalid from sizes"},
      {&image, 32, 0, 0, 0, 2, source, "Invalid parameters"},
      {&image, 32, 0, 2, 1, 2, source, "Invalid to sizes"},
      {&image, 32, 0, 2, 0, 0x7fffffff, source, "Invalid to sizes"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.message);
    std::string log = Logged([&] {
      EXPECT_EQ(c.target->FillFromData(2, 2, c.src_bits, c.sx, 0, c.sw, 2, c.src, c.dx, 0, c.dw, 2, 0, 0, 0, 0, 1, 0),
                0);
    });
    EXPECT_NE(log.find(c.message), std::string::npos) << log;
  }
  std::string log = Logged([&] {
    EXPECT_EQ(image.FillFromOtherTga(0, 0, -1, -1, nullptr, 0, 0, -1, -1, 0, 0, 0, 0, 1, 0), 0);
    EXPECT_EQ(image.FillFromOtherTga(0, 0, -1, -1, &empty, 0, 0, -1, -1, 0, 0, 0, 0, 1, 0), 0);
  });
  EXPECT_NE(log.find("No other tga"), std::string::npos);
  EXPECT_NE(log.find("Invalid other tga"), std::string::npos);
}

TEST_F(EngTgaTest, FillFromJpegSwapsToBlueGreenRedAndRefusesGrey) {
  std::vector<uint8_t> rgb(4 * 4 * 3);
  for (size_t i = 0; i < rgb.size(); i += 3) {
    rgb[i] = 200;
    rgb[i + 1] = 100;
    rgb[i + 2] = 50;
  }
  std::string path = Write("c.jpg", qwimage::JpegFile(4, 4, 3, rgb));
  EngTga image(2, 2, 32, 0, 0, 0, 0.5f);
  ASSERT_EQ(image.FillFromJpeg(0, 0, -1, -1, path.c_str(), 0, 0, -1, -1, 0, 0, 0, 0, 1, 0), 1);
  for (EngUInt32 pixel : Pixels(image)) {
    EXPECT_NEAR(int((pixel >> 16) & 0xff), 200, 4);
    EXPECT_NEAR(int((pixel >> 8) & 0xff), 100, 4);
    EXPECT_NEAR(int(pixel & 0xff), 50, 4);
    EXPECT_EQ(pixel >> 24, 255u);
  }
  std::string grey = Write("g.jpg", qwimage::JpegFile(4, 4, 1, std::vector<uint8_t>(16, 90)));
  std::string log = Logged([&] {
    EXPECT_EQ(image.FillFromJpeg(0, 0, -1, -1, grey.c_str(), 0, 0, -1, -1, 0, 0, 0, 0, 1, 0), 0);
    EXPECT_EQ(image.FillFromJpeg(0, 0, -1, -1, dir.File("no.jpg").c_str(), 0, 0, -1, -1, 0, 0, 0, 0, 1, 0), 0);
    EXPECT_EQ(image.FillFromJpeg(0, 0, -1, -1, "", 0, 0, -1, -1, 0, 0, 0, 0, 1, 0), 0);
  });
  EXPECT_NE(log.find("Not supported (yet) for jpegs with 1 components"), std::string::npos);
  EXPECT_NE(log.find("File does not exist <"), std::string::npos);
  EXPECT_NE(log.find("No filename."), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Texture-ordered pixel data

class EngTgaTextureDataTest : public EngTgaTest {
 protected:
  void SetUp() override { eng_main_device_type = ENG_DEVICE_TYPE_OPENGL; }
  void TearDown() override { eng_main_device_type = ENG_DEVICE_TYPE_NONE; }
};

TEST_F(EngTgaTextureDataTest, HalvingTakesEverySecondTexelFromTheFirst) {
  std::vector<uint8_t> texels(64 * 64 * 4);
  for (int y = 0; y < 64; y++)
    for (int x = 0; x < 64; x++) {
      uint8_t *t = &texels[(y * 64 + x) * 4];
      t[0] = uint8_t(x);
      t[1] = uint8_t(y);
      t[2] = 7;
      t[3] = 200;
    }
  EngTga image;
  ASSERT_EQ(image.Create(32, 32, 32), 1);
  ASSERT_EQ(image.FillFromTextureData(0, 0, 64, 64, 0, 0, 32, 32, 0, 0, 2, 1, 64, 64, 32, texels.data()), 1);
  for (int y = 0; y < 32; y++)
    for (int x = 0; x < 32; x++) ASSERT_EQ(image.data[y * 32 + x], Px(2 * x, 2 * y, 7, 200)) << x << "," << y;

  ASSERT_EQ(image.FillFromTextureData(0, 0, 64, 64, 0, 0, 32, 32, 1, 1, 2, 1, 64, 64, 32, texels.data()), 1);
  EXPECT_EQ(image.data[0], Px(63, 63, 7, 200));
  EXPECT_EQ(image.data[31], Px(1, 63, 7, 200));
}

TEST_F(EngTgaTextureDataTest, AlphaTypesFrom24And32BitTexels) {
  const uint8_t red_half[4] = {255, 0, 0, 128};
  const uint8_t red_24[3] = {255, 0, 0};
  const uint8_t clear[4] = {9, 9, 9, 0};
  const EngUInt32 blue = Px(0, 0, 255, 255);
  struct Case {
    const char *name;
    int type, bits;
    float level;
    const uint8_t *texel;
    EngUInt32 old, expected;
  } cases[] = {
      {"0 keeps alpha", 0, 32, 1, red_half, Px(0, 0, 255, 33), Px(255, 0, 0, 33)},
      {"2 alpha from texel", 2, 32, 1, red_half, blue, Px(255, 0, 0, 128)},
      {"2 from 24 bits", 2, 24, 1, red_24, blue, Px(255, 0, 0, 255)},
      {"3 inverted", 3, 32, 1, red_half, blue, Px(255, 0, 0, 127)},
      {"3 from 24 bits", 3, 24, 1, red_24, blue, Px(255, 0, 0, 0)},
      {"4 blends", 4, 32, 1, red_half, blue, Px(128, 0, 127, 255)},
      {"4 over clear stays clear", 4, 32, 1, red_half, Px(0, 0, 255, 0), Px(128, 0, 127, 0)},
      {"4 clear texel", 4, 32, 1, clear, blue, blue},
      {"4 level -1", 4, 32, -1, red_half, blue, Px(127, 0, 128, 255)},
      {"4 level half", 4, 32, 0.5f, red_half, blue, Px(64, 0, 191, 255)},
      {"10 brightest", 10, 32, 1, red_half, blue, Px(128, 0, 127, 255)},
      {"11 darkest", 11, 32, 1, red_half, blue, Px(128, 0, 127, 255)},
      {"4 half alpha rises", 4, 32, 1, red_half, Px(0, 0, 255, 100), Px(128, 0, 127, 150)},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    EngTga image;
    Fill(&image, 1, 1, {c.old});
    ASSERT_EQ(image.FillFromTextureData_GL(0, 0, 1, 1, 0, 0, 1, 1, 0, 0, c.type, c.level, 1, 1, c.bits, c.texel), 1);
    EXPECT_EQ(image.data[0], c.expected);
  }
}

TEST_F(EngTgaTextureDataTest, RefusalsAndDeviceKind) {
  const uint8_t texels[16] = {};
  EngTga image(2, 2, 32);
  EngTga empty;
  struct Case {
    EngTga *target;
    int sw, data_width, sx, dw, bits;
    const uint8_t *data;
    const char *message;
  } cases[] = {
      {&image, 0, 2, 0, 2, 32, texels, "Invalid parameters"},
      {&image, 2, 0, 0, 2, 32, texels, "Invalid texture dimensions"},
      {&empty, 2, 2, 0, 2, 32, texels, "Invalid data"},
      {&image, 2, 2, 1, 2, 32, texels, "Invalid sizes"},
      {&image, 2, 2, 0, 3, 32, texels, "Invalid sizes"},
      {&image, 2, 2, 0, 2, 32, nullptr, "No texture data"},
      {&image, 2, 2, 0, 2, 16, texels, "Unsupported bpp: 16"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.message);
    std::string log = Logged([&] {
      EXPECT_EQ(c.target->FillFromTextureData_GL(c.sx, 0, c.sw, 2, 0, 0, c.dw, 2, 0, 0, 2, 1, c.data_width, 2, c.bits,
                                                 c.data),
                0);
    });
    EXPECT_NE(log.find(c.message), std::string::npos) << log;
  }
  const uint8_t rgb[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  EngTga made;
  ASSERT_EQ(made.CreateFromTextureData(2, 2, 24, rgb), 1);
  EXPECT_EQ(made.data[3], Px(10, 11, 12, 255));

  eng_main_device_type = ENG_DEVICE_TYPE_NONE;
  EngTga untouched;
  EXPECT_EQ(untouched.CreateFromTextureData(2, 2, 24, rgb), 0);
  EXPECT_EQ(untouched.data, nullptr);
  EXPECT_EQ(made.FillFromTextureData(0, 0, 2, 2, 0, 0, 2, 2, 0, 0, 2, 1, 2, 2, 24, rgb), 0);
}

}  // namespace
