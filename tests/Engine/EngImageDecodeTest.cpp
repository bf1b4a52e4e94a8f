#include "Engine/EngImageDecode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <SOIL.h>
#include <zlib.h>

#include "Engine/EngFile.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngTexturePixels.h"
#include "Engine/EngTga.h"
#include "tests/Engine/ImageTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using qwimage::JpegFile;
using qwimage::Logged;
using qwimage::PngExtras;
using qwimage::PngFile;
using qwimage::TgaFile;

// A colour-mapped TGA: the header, then `entries` palette entries of `bits` bits, then one index a pixel.
std::string ColourMappedTga(int width, int height, int first_entry, int entries, int bits, const std::string &body) {
  std::string file = TgaFile(width, height, 8, {}, 0x20);  // rows top first
  file[1] = file[2] = 1;
  for (int at : {3, 5}) {
    const int value = at == 3 ? first_entry : entries;
    file[size_t(at)] = char(value & 0xff);
    file[size_t(at) + 1] = char(value >> 8);
  }
  file[7] = char(bits);
  return file + body;
}

// A finding kept for the picture fuzzer.
std::string Found(const std::string &name) {
  return qwtest::ReadWholeFile(qwtest::SourceDir() + "/tests/data/fuzz/ImageDecodeFuzz/" + name);
}

struct Decoded {
  std::vector<uint8_t> pixels;
  int width = 0, height = 0, channels = 0;
  bool ok = false;
};

class EngImageDecodeTest : public ::testing::Test {
 protected:
  void SetUp() override { EngImageDecodeResetForTests(); }
  std::string Write(const std::string &name, const std::string &bytes) {
    std::string path = dir.File(name);
    qwtest::WriteWholeFile(path, bytes);
    return path;
  }
  static Decoded Soil(const std::string &path, int force, unsigned flags) {
    Decoded d;
    unsigned char *p = SOIL_load_OGL_texture_to_memory(path.c_str(), force, flags, &d.width, &d.height, &d.channels);
    d.ok = p != nullptr;
    if (p) d.pixels.assign(p, p + size_t(d.width) * d.height * d.channels);
    EngImageDecodeFree(p);
    return d;
  }
  static Decoded Jpeg(const std::string &path, int force, char alpha_mode) {
    Decoded d;
    unsigned char *p =
        EngTextureGL_JpegLoadTextureToData(path.c_str(), force, alpha_mode, &d.width, &d.height, &d.channels);
    d.ok = p != nullptr;
    if (p) d.pixels.assign(p, p + size_t(d.width) * d.height * d.channels);
    free(p);
    return d;
  }
  qwtest::TempDir dir;
};

// ---------------------------------------------------------------------------------------------
// The loader wrapper

TEST_F(EngImageDecodeTest, PngPixelsWithAndWithoutPremultipliedAlpha) {
  struct Case {
    const char *name;
    int colour_type, width;
    std::vector<uint8_t> stored;
    int force;
    unsigned flags;
    int channels;
    std::vector<uint8_t> expected;
  } cases[] = {
      {"rgba premultiplied", 6, 1, {200, 100, 50, 128}, 0, ENG_SOIL_FLAG_MULTIPLY_ALPHA, 4, {100, 50, 25, 128}},
      {"rgba as stored", 6, 1, {200, 100, 50, 128}, 0, 0, 4, {200, 100, 50, 128}},
      {"grey alpha premultiplied", 4, 2, {255, 0, 90, 255}, 0, ENG_SOIL_FLAG_MULTIPLY_ALPHA, 2, {0, 0, 90, 255}},
      {"rgb untouched by the flag", 2, 2, {1, 2, 3, 4, 5, 6}, 0, ENG_SOIL_FLAG_MULTIPLY_ALPHA, 3, {1, 2, 3, 4, 5, 6}},
      {"rgb forced to 4", 2, 1, {1, 2, 3}, 4, 0, 4, {1, 2, 3, 255}},
      {"grey forced to 3", 0, 2, {7, 9}, 3, 0, 3, {7, 7, 7, 9, 9, 9}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Decoded d = Soil(Write("p.png", PngFile(c.width, 1, c.colour_type, c.stored)), c.force, c.flags);
    ASSERT_TRUE(d.ok) << EngImageDecodeLastResult();
    EXPECT_EQ(d.width, c.width);
    EXPECT_EQ(d.height, 1);
    EXPECT_EQ(d.channels, c.channels);
    EXPECT_EQ(d.pixels, c.expected);
  }
}

TEST_F(EngImageDecodeTest, RowsComeTopFirstFromEveryFormat) {
  // 2 x 2 RGB: top row red, green; bottom row blue, white.
  const std::vector<uint8_t> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  std::string bmp = dir.File("s.bmp"), tga = dir.File("s.tga");
  ASSERT_TRUE(SOIL_save_image(bmp.c_str(), SOIL_SAVE_TYPE_BMP, 2, 2, 3, rgb.data()));
  ASSERT_TRUE(SOIL_save_image(tga.c_str(), SOIL_SAVE_TYPE_TGA, 2, 2, 3, rgb.data()));
  EngTga own(2, 2, 32);
  for (int i = 0; i < 4; i++)
    own.data[i] = 0xff000000u | EngUInt32(rgb[i * 3]) << 16 | EngUInt32(rgb[i * 3 + 1]) << 8 | rgb[i * 3 + 2];
  std::string own_tga = dir.File("own.tga");
  ASSERT_EQ(own.SaveToFile(own_tga.c_str()), 1);
  std::string png = Write("s.png", PngFile(2, 2, 2, rgb));
  // The same colours through a palette of four 24-bit entries (B, G, R).
  std::string mapped =
      Write("mapped.tga", ColourMappedTga(2, 2, 0, 4, 24,
                                          std::string("\x00\x00\xff\x00\xff\x00\xff\x00\x00\xff\xff\xff"
                                                      "\x00\x01\x02\x03",
                                                      16)));
  for (const std::string &path : {bmp, tga, own_tga, png, mapped}) {
    SCOPED_TRACE(path);
    Decoded d = Soil(path, 3, ENG_SOIL_FLAG_MULTIPLY_ALPHA);
    ASSERT_TRUE(d.ok) << EngImageDecodeLastResult();
    EXPECT_EQ(d.channels, 3);
    EXPECT_EQ(d.pixels, rgb);
  }
  std::string jpg = Write("s.jpg", JpegFile(2, 2, 3, rgb, 100));
  Decoded d = Soil(jpg, 0, ENG_SOIL_FLAG_MULTIPLY_ALPHA);
  ASSERT_TRUE(d.ok) << EngImageDecodeLastResult();
  ASSERT_EQ(d.pixels.size(), rgb.size());
  // Chroma subsampling smears colour across a 2 x 2 picture: compare brightness order only.
  EXPECT_GT(d.pixels[9] + d.pixels[10] + d.pixels[11], d.pixels[6] + d.pixels[7] + d.pixels[8]);
}

TEST_F(EngImageDecodeTest, RefusalsLeaveTheirReason) {
  std::string png = Write("p.png", PngFile(1, 1, 6, {1, 2, 3, 4}));
  EXPECT_FALSE(Soil(png, 0, ENG_SOIL_FLAG_DDS_LOAD_DIRECT | ENG_SOIL_FLAG_MULTIPLY_ALPHA).ok);
  EXPECT_STREQ(EngImageDecodeLastResult(),
               "SOIL_load_OGL_texture_to_memory(): SOIL_FLAG_DDS_LOAD_DIRECT not supported");
  EXPECT_FALSE(Soil(png, 5, 0).ok);
  EXPECT_FALSE(Soil(dir.File("missing.png"), 0, 0).ok);
  EXPECT_STRNE(EngImageDecodeLastResult(), "");
  // GIF pictures are not read.
  std::string gif = Write("a.gif", std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13) + std::string(20, '\0'));
  EXPECT_FALSE(Soil(gif, 0, 0).ok);
  EXPECT_STRNE(EngImageDecodeLastResult(), "");
}

// Truncated, empty, oversized and lying files: null with a reason, never a crash.
TEST_F(EngImageDecodeTest, BadFilesGiveNullAndAReason) {
  const std::string png = PngFile(4, 4, 6, std::vector<uint8_t>(64, 77));
  std::string huge_png = png, lying_png = png;
  huge_png[16] = huge_png[20] = 0x01;  // 16M x 16M
  lying_png[18] = lying_png[22] = 0x03;  // 1000 x 1000 from 64 bytes of pixels (the CRC no longer matches)
  const std::string tga = TgaFile(2, 2, 32, std::vector<uint8_t>(16, 9));
  std::string huge_tga = TgaFile(0xffff, 0xffff, 32, std::vector<uint8_t>(16, 9));
  std::string lying_tga = TgaFile(300, 300, 24, std::vector<uint8_t>(30, 9));
  const std::string jpeg = JpegFile(16, 16, 3, std::vector<uint8_t>(16 * 16 * 3, 100));
  std::string huge_jpeg = jpeg;
  size_t sof = jpeg.find("\xff\xc0");
  huge_jpeg[sof + 5] = huge_jpeg[sof + 7] = char(0xea);
  huge_jpeg[sof + 6] = huge_jpeg[sof + 8] = char(0x60);
  std::string bmp_header = std::string("BM", 2) + std::string(12, '\0') + std::string("\x28\0\0\0", 4) +
                           std::string("\xff\xff\xff\x7f\xff\xff\xff\x7f", 8) + std::string(28, '\0');
  struct Case {
    const char *name;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"png-truncated", png.substr(0, png.size() / 2)},
      {"png-signature-only", png.substr(0, 8)},
      {"png-oversized", huge_png},
      {"png-lying", lying_png},
      {"tga-truncated", tga.substr(0, 20)},
      {"tga-oversized", huge_tga},
      {"tga-lying", lying_tga},
      {"jpeg-truncated", jpeg.substr(0, 40)},
      {"jpeg-oversized", huge_jpeg},
      {"bmp-oversized", bmp_header},
      {"text", "just some text that is not a picture"},
      // Found by the picture fuzzer in SOIL's TGA loader: palette entries of 31 bytes overran its
      // four-byte pixel and ended the program; the first entry's index, skipped as bytes, took
      // it past the file's end.
      {"tga-palette-entries-too-wide", Found("tga-palette-entries-too-wide.tga")},
      {"tga-first-entry-past-the-end", Found("tga-first-entry-past-the-end.tga")},
      // It read the first entry of an empty palette.
      {"tga-empty-palette", ColourMappedTga(1, 1, 0, 0, 24, std::string(1, '\0'))},
      // Sent SOIL's own JPEG decoder into an endless loop.
      {"jpeg-app0-only", std::string("\xff\xd8\xff\xe0\x00\x10\xff"
                                     "JFIF\x00\x01\x01\x00\x00\x01\x00\x01\xd8\xff\xe0",
                                     22)},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = Write(c.name, c.bytes);
    Decoded d = Soil(path, 0, ENG_SOIL_FLAG_MULTIPLY_ALPHA);
    EXPECT_FALSE(d.ok) << d.width << "x" << d.height;
    EXPECT_STRNE(EngImageDecodeLastResult(), "");
  }
}

// ---------------------------------------------------------------------------------------------
// Decoding ahead

// Pictures decoded ahead are handed to the loader asked with the same arguments; other
// arguments, and files the worker could not decode, go to the file as ever.
TEST_F(EngImageDecodeTest, PicturesDecodedAheadAreTakenOnceWithTheirArguments) {
  const std::string good = Write("good.png", PngFile(2, 1, 6, {200, 100, 50, 128, 10, 20, 30, 255}));
  const std::string broken = Write("broken.png", "\x89PNG\r\n\x1a\nnot really");
  const std::string missing = dir.File("missing.png");
  const Decoded direct = Soil(good, 4, ENG_SOIL_FLAG_MULTIPLY_ALPHA);
  ASSERT_TRUE(direct.ok);
  const char *files[] = {good.c_str(), broken.c_str(), missing.c_str()};
  EngImageDecodeAhead(files, 3, 4, ENG_SOIL_FLAG_MULTIPLY_ALPHA);
  Decoded taken = Soil(good, 4, ENG_SOIL_FLAG_MULTIPLY_ALPHA);
  ASSERT_TRUE(taken.ok);
  EXPECT_EQ(taken.pixels, direct.pixels);
  EXPECT_EQ(taken.width, 2);
  EXPECT_EQ(taken.channels, 4);
  // Taken once: the next load reads the file.
  Write("good.png", "not a picture any more");
  EXPECT_FALSE(Soil(good, 4, ENG_SOIL_FLAG_MULTIPLY_ALPHA).ok);
  for (const std::string &path : {broken, missing}) {
    SCOPED_TRACE(path);
    EngImageDecodeResetForTests();
    EXPECT_FALSE(Soil(path, 4, ENG_SOIL_FLAG_MULTIPLY_ALPHA).ok);
    EXPECT_STRNE(EngImageDecodeLastResult(), "");
  }
  EngImageDecodeForgetAhead();

  // Kept by a check: other arguments decode the file, the same ones take the kept pixels; what
  // is forgotten is not taken.
  Write("good.png", PngFile(1, 1, 6, {200, 100, 50, 128}));
  int w = 0, h = 0, c = 0;
  unsigned char *kept = SOIL_load_OGL_texture_to_memory(good.c_str(), 4, 0, &w, &h, &c);
  ASSERT_NE(kept, nullptr);
  EngImageDecodeKeepForLoader(good.c_str(), 4, 0, kept, w, h, c);
  EXPECT_EQ(Soil(good, 4, ENG_SOIL_FLAG_MULTIPLY_ALPHA).pixels, (std::vector<uint8_t>{100, 50, 25, 128}));
  Write("good.png", "gone");
  EXPECT_EQ(Soil(good, 4, 0).pixels, (std::vector<uint8_t>{200, 100, 50, 128}));
  kept = static_cast<unsigned char *>(malloc(4));
  EngImageDecodeKeepForLoader(good.c_str(), 4, 0, kept, 1, 1, 4);
  EngImageDecodeForgetAhead();
  EXPECT_FALSE(Soil(good, 4, 0).ok);
}

// The worker and the caller's thread decode at once without harm (the decoder's shared tables
// are built on first use).
TEST_F(EngImageDecodeTest, DecodingAheadBesideTheCallersOwnDecodes) {
  std::vector<uint8_t> stored(64 * 64 * 4);
  for (size_t i = 0; i < stored.size(); i++) stored[i] = uint8_t(i * 7 + i / 256);
  const std::string png = PngFile(64, 64, 6, stored);
  std::vector<std::string> paths;
  for (int i = 0; i < 16; i++) paths.push_back(Write("ahead" + std::to_string(i) + ".png", png));
  const std::string own = Write("own.png", png);
  std::vector<const char *> files;
  for (const std::string &p : paths) files.push_back(p.c_str());
  const Decoded expected = Soil(own, 4, 0);
  ASSERT_TRUE(expected.ok);
  EngImageDecodeAhead(files.data(), int(files.size()), 4, 0);
  for (int i = 0; i < 16; i++) EXPECT_EQ(Soil(own, 4, 0).pixels, expected.pixels);
  for (const std::string &p : paths) EXPECT_EQ(Soil(p, 4, 0).pixels, expected.pixels) << p;
  EngImageDecodeForgetAhead();
}

// A PNG cut anywhere, even inside a chunk, is refused.
TEST_F(EngImageDecodeTest, APngCutAnywhereIsRefused) {
  const std::string png = PngFile(8, 8, 2, std::vector<uint8_t>(8 * 8 * 3, 120));
  int w = 0, h = 0, ch = 0;
  unsigned char *whole = EngImageDecodeFromMemory(reinterpret_cast<const unsigned char *>(png.data()),
                                                  unsigned(png.size()), 0, 0, &w, &h, &ch);
  ASSERT_NE(whole, nullptr);
  EngImageDecodeFree(whole);
  for (size_t cut = 9; cut < png.size(); cut++) {
    SCOPED_TRACE(cut);
    std::vector<unsigned char> part(png.begin(), png.begin() + long(cut));
    EXPECT_EQ(EngImageDecodeFromMemory(part.data(), unsigned(part.size()), 0, 0, &w, &h, &ch), nullptr);
  }
}

// A damaged PNG as the picture fuzzer found it, 109 bytes: its compressed data has an impossible
// Huffman table, on which SOIL's own PNG decoder failed an assertion and ended the program.
std::string BadHuffmanPng() { return Found("bad-huffman-table.png"); }

Decoded FromMemory(const std::string &bytes, int force, unsigned flags) {
  Decoded d;
  unsigned char *p = EngImageDecodeFromMemory(reinterpret_cast<const unsigned char *>(bytes.data()),
                                              unsigned(bytes.size()), force, flags, &d.width, &d.height, &d.channels);
  d.ok = p != nullptr;
  if (p) d.pixels.assign(p, p + size_t(d.width) * d.height * d.channels);
  EngImageDecodeFree(p);
  return d;
}

// PNG no longer goes through SOIL: every kind of PNG it read decodes to the same pixels and
// channels, with every row filter and every channel count asked for. Only a grey or RGB picture
// with a transparent colour, asked for its own channels, differs: SOIL reported the file's
// count for a buffer that held alpha too; the count now says what the buffer holds.
TEST_F(EngImageDecodeTest, PngDecodesAsTheImageLibraryDid) {
  const int width = 3, height = 2;
  std::vector<uint8_t> samples(width * height * 4);
  for (size_t i = 0; i < samples.size(); i++) samples[i] = uint8_t(i * 37 + 11);
  const std::vector<uint8_t> indices = {0, 1, 2, 3, 4, 1};
  const std::string palette("\x10\x20\x30\xff\x00\x80\x01\x02\x03\x90\x90\x90\xfe\xfd\xfc", 15);
  struct Kind {
    const char *name;
    int colour_type, channels;
    std::string palette, transparency;
    bool keyed;
  } kinds[] = {
      {"grey", 0, 1, "", "", false},
      {"grey and alpha", 4, 2, "", "", false},
      {"rgb", 2, 3, "", "", false},
      {"rgba", 6, 4, "", "", false},
      {"palette", 3, 1, palette, "", false},
      {"palette with alpha for some", 3, 1, palette, std::string("\x00\x80\xff", 3), false},
      // The first pixel's colour is the transparent one.
      {"grey keyed", 0, 1, "", std::string("\x00", 1) + char(samples[0]), true},
      {"rgb keyed", 2, 3, "",
       std::string("\x00", 1) + char(samples[0]) + '\0' + char(samples[1]) + '\0' + char(samples[2]), true},
  };
  for (const Kind &kind : kinds)
    for (int filter = 0; filter <= 4; filter++) {
      PngExtras extras;
      extras.palette = kind.palette;
      extras.transparency = kind.transparency;
      extras.filter = filter;
      const std::vector<uint8_t> &stored =
          kind.colour_type == 3
              ? indices
              : std::vector<uint8_t>(samples.begin(), samples.begin() + width * height * kind.channels);
      const std::string png = PngFile(width, height, kind.colour_type, stored, extras);
      for (int force = 0; force <= 4; force++) {
        SCOPED_TRACE(std::string(kind.name) + ", filter " + std::to_string(filter) + ", force " +
                     std::to_string(force));
        int w = 0, h = 0, file_channels = 0;
        unsigned char *soil = SOIL_load_image_from_memory(reinterpret_cast<const unsigned char *>(png.data()),
                                                          int(png.size()), &w, &h, &file_channels, force);
        ASSERT_NE(soil, nullptr) << SOIL_last_result();
        const int held = force ? force : file_channels + (kind.keyed ? 1 : 0);
        const std::vector<uint8_t> expected(soil, soil + size_t(w) * h * held);
        SOIL_free_image_data(soil);
        const Decoded d = FromMemory(png, force, 0);
        ASSERT_TRUE(d.ok) << EngImageDecodeLastResult();
        EXPECT_EQ(d.width, w);
        EXPECT_EQ(d.height, h);
        EXPECT_EQ(d.channels, held);
        EXPECT_EQ(d.pixels, expected);
        EXPECT_STREQ(EngImageDecodeLastResult(), "Image loaded as an array");
      }
    }
}

// Damaged PNGs are refused with the reason, and the program goes on; kinds SOIL never read
// stay refused in its words.
TEST_F(EngImageDecodeTest, DamagedPngsAreRefusedWithTheirReason) {
  const std::vector<uint8_t> rgb(8 * 8 * 3, 120);
  const std::string good = PngFile(8, 8, 2, rgb);
  const size_t idat = good.find("IDAT");
  ASSERT_NE(idat, std::string::npos);
  std::string bad_crc = good;
  bad_crc[idat + 8] = char(bad_crc[idat + 8] ^ 0x40);  // inside the compressed data; the CRC no longer matches
  PngExtras bad_filter;
  bad_filter.filter = 7;
  // Four rows' worth of pixels for eight.
  std::string short_data = PngFile(8, 4, 2, std::vector<uint8_t>(rgb.begin(), rgb.begin() + 8 * 4 * 3));
  short_data[23] = 8;
  {
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(short_data.data() + 12), 17);
    for (int i = 0; i < 4; i++) short_data[size_t(29 + i)] = char((crc >> (24 - 8 * i)) & 0xff);
  }
  PngExtras deep, interlaced;
  deep.bit_depth = 16;
  interlaced.interlace = 1;
  struct Case {
    const char *name;
    std::string bytes;
    const char *reason;  // how the reason starts
  } cases[] = {
      {"bad Huffman table", BadHuffmanPng(), "Corrupt PNG: "},
      {"bad CRC", bad_crc, "Corrupt PNG: "},
      {"unknown row filter", PngFile(8, 8, 2, rgb, bad_filter), "Corrupt PNG: "},
      {"too few pixels", short_data, "Corrupt PNG: "},
      {"16-bit", PngFile(2, 2, 2, std::vector<uint8_t>(2 * 2 * 6, 9), deep), "PNG not supported: 8-bit only"},
      {"interlaced", PngFile(8, 8, 2, rgb, interlaced), "PNG not supported: interlaced mode"},
  };
  ASSERT_EQ(cases[0].bytes.size(), 109u);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    for (int force : {0, 3, 4}) {
      EngImageDecodeResetForTests();
      EXPECT_FALSE(FromMemory(c.bytes, force, ENG_SOIL_FLAG_MULTIPLY_ALPHA).ok);
      EXPECT_EQ(std::string(EngImageDecodeLastResult()).rfind(c.reason, 0), 0u) << EngImageDecodeLastResult();
    }
  }
  EXPECT_TRUE(FromMemory(good, 0, 0).ok);
}

// Decoding ahead meets the damaged picture on its worker thread: the worker lives on, the
// loader refuses that file with the reason and takes the good ones.
TEST_F(EngImageDecodeTest, ADamagedPngDecodedAheadIsRefusedByTheLoader) {
  const std::string good = Write("good.png", PngFile(2, 1, 6, {200, 100, 50, 128, 10, 20, 30, 255}));
  const std::string damaged = Write("damaged.png", BadHuffmanPng());
  const std::string after = Write("after.png", PngFile(1, 1, 2, {1, 2, 3}));
  const char *files[] = {good.c_str(), damaged.c_str(), after.c_str()};
  EngImageDecodeAhead(files, 3, 4, ENG_SOIL_FLAG_MULTIPLY_ALPHA);
  EXPECT_TRUE(Soil(good, 4, ENG_SOIL_FLAG_MULTIPLY_ALPHA).ok);
  EXPECT_FALSE(Soil(damaged, 4, ENG_SOIL_FLAG_MULTIPLY_ALPHA).ok);
  EXPECT_EQ(std::string(EngImageDecodeLastResult()).rfind("Corrupt PNG: ", 0), 0u) << EngImageDecodeLastResult();
  EXPECT_EQ(Soil(after, 4, ENG_SOIL_FLAG_MULTIPLY_ALPHA).pixels, (std::vector<uint8_t>{1, 2, 3, 255}));
  EngImageDecodeForgetAhead();
}

// Each decode has its own error handling and each thread its own reason: threads decoding
// damaged and good PNGs at once each get their own results.
TEST_F(EngImageDecodeTest, PngDecodesOnManyThreadsKeepTheirOwnResults) {
  const std::string damaged = BadHuffmanPng();
  std::vector<uint8_t> stored(32 * 32 * 4);
  for (size_t i = 0; i < stored.size(); i++) stored[i] = uint8_t(i * 13);
  const std::string good = PngFile(32, 32, 6, stored);
  const Decoded expected = FromMemory(good, 4, ENG_SOIL_FLAG_MULTIPLY_ALPHA);
  ASSERT_TRUE(expected.ok);
  std::vector<int> faults(4, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; t++)
    threads.emplace_back([&, t] {
      for (int i = 0; i < 100; i++) {
        const bool bad = (i + t) % 2 == 0;
        const Decoded d = FromMemory(bad ? damaged : good, 4, ENG_SOIL_FLAG_MULTIPLY_ALPHA);
        const std::string reason = EngImageDecodeLastResult();
        if (bad ? d.ok || reason.rfind("Corrupt PNG: ", 0) != 0
                : !d.ok || d.pixels != expected.pixels || reason != "Image loaded as an array")
          faults[size_t(t)]++;
      }
    });
  for (std::thread &t : threads) t.join();
  EXPECT_EQ(faults, std::vector<int>(4, 0));
}

TEST_F(EngImageDecodeTest, JpegContentConvertsToTheChannelsAsked) {
  std::string colour = Write("c.jpg", JpegFile(2, 1, 3, {250, 30, 20, 250, 30, 20}, 100));
  std::string grey = Write("g.jpg", JpegFile(2, 1, 1, {80, 80}, 100));
  struct Case {
    const std::string &path;
    int force, channels;
    std::vector<uint8_t> pixel;  // the first pixel
  } cases[] = {
      {colour, 0, 3, {250, 30, 20}},       {colour, 4, 4, {249, 29, 19, 255}},  // premultiplied by 255
      {grey, 0, 1, {80}},                  {grey, 2, 2, {80, 255}},
      {grey, 3, 3, {80, 80, 80}},          {colour, 1, 1, {95}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.path + " " + std::to_string(c.force));
    Decoded d = Soil(c.path, c.force, ENG_SOIL_FLAG_MULTIPLY_ALPHA);
    ASSERT_TRUE(d.ok) << EngImageDecodeLastResult();
    ASSERT_EQ(d.channels, c.channels);
    for (int i = 0; i < c.channels; i++) EXPECT_NEAR(d.pixels[i], c.pixel[i], 3) << i;
  }
}

// ---------------------------------------------------------------------------------------------
// The JPEG decoder

TEST_F(EngImageDecodeTest, JpegChannelCountsAndAlphaModes) {
  std::vector<uint8_t> rgb(4 * 2 * 3);
  for (size_t i = 0; i < rgb.size(); i += 3) {
    rgb[i] = 250;
    rgb[i + 1] = 30;
    rgb[i + 2] = 20;
  }
  std::string colour = Write("c.jpg", JpegFile(4, 2, 3, rgb));
  std::string grey = Write("g.jpg", JpegFile(4, 2, 1, std::vector<uint8_t>(8, 100)));

  Decoded own = Jpeg(colour, 0, 0);
  ASSERT_TRUE(own.ok);
  EXPECT_EQ(own.channels, 3);
  EXPECT_EQ(own.width, 4);
  EXPECT_EQ(own.height, 2);
  EXPECT_EQ(Jpeg(grey, 0, 0).channels, 1);
  EXPECT_EQ(Jpeg(grey, 1, 0).channels, 1);

  for (char mode : {0, 1, 3}) {
    SCOPED_TRACE(int(mode));
    Decoded d = Jpeg(colour, 4, mode);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.channels, 4);
    ASSERT_EQ(d.pixels.size(), 4u * 2u * 4u);
    for (size_t i = 0; i < 8; i++) {
      const uint8_t *p = &d.pixels[i * 4];
      EXPECT_NEAR(p[0], 250, 6);
      int alpha = mode == 0 ? 255 : mode == 1 ? 0 : EngTexture_GetPixelAlphaFromBrightness(3, p[0], p[1], p[2]);
      EXPECT_EQ(p[3], alpha);
    }
  }

  std::string log = Logged([&] { EXPECT_FALSE(Jpeg(grey, 3, 0).ok); });
  EXPECT_NE(log.find("Converting channels not supported for [ 1 to 3 ] <" + grey + ">"), std::string::npos) << log;
  log = Logged([&] { EXPECT_FALSE(Jpeg(colour, 1, 0).ok); });
  EXPECT_NE(log.find("Converting channels not supported for [ 3 to 1 ]"), std::string::npos) << log;
  // Refused before the file is opened.
  std::string missing = dir.File("missing.jpg");
  for (int force : {2, 5}) {
    log = Logged([&] { EXPECT_FALSE(Jpeg(missing, force, 0).ok); });
    EXPECT_NE(log.find("Force channels " + std::to_string(force) + " not supported <" + missing + ">"),
              std::string::npos);
    EXPECT_EQ(log.find("Cannot open file"), std::string::npos);
  }
  log = Logged([&] { EXPECT_FALSE(Jpeg(missing, 0, 0).ok); });
  EXPECT_NE(log.find("Cannot open file"), std::string::npos);
  EXPECT_EQ(EngTextureGL_JpegLoadTextureToData(nullptr, 0, 0, nullptr, nullptr, nullptr), nullptr);

  std::string bad = Write("bad.jpg", std::string("\xff\xd8\xff\xe0 broken", 11));
  log = Logged([&] { EXPECT_FALSE(Jpeg(bad, 0, 0).ok); });
  EXPECT_FALSE(log.empty());
}

// ---------------------------------------------------------------------------------------------
// Content tests

TEST_F(EngImageDecodeTest, ContentTestsKnowEachFormatAndKeepThePosition) {
  std::vector<uint8_t> rgb(12, 50);
  std::string bmp_path = dir.File("x.bmp");
  ASSERT_TRUE(SOIL_save_image(bmp_path.c_str(), SOIL_SAVE_TYPE_BMP, 2, 2, 3, rgb.data()));
  struct Case {
    const char *name;
    std::string bytes;
    int jpeg, png, bmp, gif, tga;
  } cases[] = {
      {"jpeg", JpegFile(2, 2, 3, rgb), 1, 0, 0, 0, 0},
      {"png", PngFile(2, 2, 2, rgb), 0, 1, 0, 0, 0},
      {"bmp", qwtest::ReadWholeFile(bmp_path), 0, 0, 1, 0, 0},
      {"gif", std::string("GIF87a") + std::string(20, '\x01'), 0, 0, 0, 1, 0},
      {"tga", TgaFile(2, 2, 24, rgb), 0, 0, 0, 0, 1},
      {"text", "plain words, nothing else", 0, 0, 0, 0, 0},
      {"empty", "", 0, 0, 0, 0, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = Write(c.name, c.bytes);
    EngFile file;
    ASSERT_EQ(file.OpenForReading(path.c_str(), 0, 1), 1);
    if (!c.bytes.empty()) file.MoveToPosition(1);
    EXPECT_EQ(EngImageDecodeIsJpeg(&file) != 0, c.jpeg != 0);
    EXPECT_EQ(EngImageDecodeIsPng(&file) != 0, c.png != 0);
    EXPECT_EQ(EngImageDecodeIsBmp(&file) != 0, c.bmp != 0);
    EXPECT_EQ(EngImageDecodeIsGif(&file) != 0, c.gif != 0);
    EXPECT_EQ(EngImageDecodeIsTga(&file) != 0, c.tga != 0);
    EXPECT_EQ(file.GetPosition(), c.bytes.empty() ? 0u : 1u);
  }
  EngFile closed;
  EXPECT_EQ(EngImageDecodeIsJpeg(&closed), 0);
  EXPECT_EQ(EngImageDecodeIsPng(nullptr), 0);
}

}  // namespace
