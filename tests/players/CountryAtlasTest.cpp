// The flag atlases as the asset tool makes them: the manifest names one source per country
// cell and the rectangles the code reads, and each flag lands in its own cell.
#include "players/Country.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "Engine/EngImageDecode.h"
#include "Engine/json/Elements.h"
#include "Engine/json/Reader.h"
#include "tests/support/TestSupport.h"

namespace {

const char *const kPackage = "/usr/share/iso-flags-svg/country-4x3/";

// The source each cell must name: the package's picture of the row's code, except where the
// package has none or the table's code is not an ISO one.
std::string ExpectedSource(int cell) {
  if (cell == COUNTRY_UK_FLAG) return std::string(kPackage) + "gb.svg";
  std::string code = country_infos[cell].code;
  if (code == "GB") return "England.svg";
  if (code == "AN") return "NetherlandsAntilles.svg";
  if (code == "G2") return std::string(kPackage) + "gb.svg";
  if (code == "G3") return std::string(kPackage) + "_scotland.svg";
  if (code == "G4") return std::string(kPackage) + "_wales.svg";
  for (char &c : code) c = char(tolower(static_cast<unsigned char>(c)));
  return std::string(kPackage) + code + ".svg";
}

double Num(const json::UnknownElement &e) { return e.CastTo<json::Number>().Value(); }

TEST(CountryAtlasManifest, NamesEveryCountryCellOnceAndTheRectsTheCodeReads) {
  std::ifstream in(qwtest::SourceDir() + "/assets/flags/CountryFlags.job.json");
  ASSERT_TRUE(in.good());
  json::Object manifest;
  json::Reader::Read(manifest, in);
  const json::Array &jobs = manifest["jobs"].CastTo<json::Array>();
  ASSERT_EQ(jobs.Size(), 2u);

  std::map<std::string, int> sizes = {{"CountryFlags512.png", 512}, {"CountryFlags1024.png", 1024}};
  std::set<int> want;
  for (int c = 0; c < COUNTRY_NUM_COUNTRIES; c++)
    if (c != 142) want.insert(c);
  want.insert(COUNTRY_UK_FLAG);

  for (const json::UnknownElement &element : jobs) {
    const json::Object &job = element.CastTo<json::Object>();
    const std::string output = job["output"].CastTo<json::String>().Value();
    ASSERT_EQ(sizes.count(output), 1u) << output;
    const int size = sizes[output], cell_size = size / 16;
    sizes.erase(output);
    EXPECT_EQ(Num(job["width"]), size);
    EXPECT_EQ(Num(job["height"]), size);
    EXPECT_TRUE(job["stretch"].CastTo<json::Boolean>().Value());

    std::set<int> got;
    for (const json::UnknownElement &e : job["cells"].CastTo<json::Array>()) {
      const json::Object &cell = e.CastTo<json::Object>();
      const json::Array &rect = cell["rect"].CastTo<json::Array>();
      ASSERT_EQ(rect.Size(), 4u);
      auto it = rect.Begin();
      int l = int(Num(*it++)), t = int(Num(*it++)), r = int(Num(*it++)), b = int(Num(*it++));
      ASSERT_EQ(l % cell_size, 0) << output;
      ASSERT_EQ(t % cell_size, 0) << output;
      EXPECT_EQ(r - l, cell_size);
      EXPECT_EQ(b - t, cell_size);
      int c = (t / cell_size) * 16 + l / cell_size;
      EXPECT_TRUE(got.insert(c).second) << output << " names cell " << c << " twice";
      if (want.count(c)) {
        EXPECT_EQ(cell["source"].CastTo<json::String>().Value(), ExpectedSource(c)) << c;
      }
    }
    EXPECT_EQ(got, want) << output;

    // The rectangles are exactly what the code asks for, one per code and "UK".
    std::set<std::string> names;
    for (const json::UnknownElement &e : job["rects"].CastTo<json::Array>()) {
      const json::Object &rect = e.CastTo<json::Object>();
      const std::string name = rect["name"].CastTo<json::String>().Value();
      names.insert(name);
      _TexCoords tc;
      ASSERT_EQ(CountryGetFlagTextureCoordinates(CountryGetCountryNumFromCode(name.c_str(), 0), &tc), 1) << name;
      const json::Array &uv = rect["normal"].CastTo<json::Array>();
      auto it = uv.Begin();
      EXPECT_FLOAT_EQ(float(Num(*it++)), tc.left) << name;
      EXPECT_FLOAT_EQ(float(Num(*it++)), tc.top) << name;
      EXPECT_FLOAT_EQ(float(Num(*it++)), tc.right) << name;
      EXPECT_FLOAT_EQ(float(Num(*it++)), tc.bottom) << name;
    }
    EXPECT_EQ(names.size(), size_t(COUNTRY_NUM_COUNTRIES + 1));
  }
  EXPECT_TRUE(sizes.empty());
}

struct Pixel {
  int r, g, b, a;
};

class Atlas {
 public:
  explicit Atlas(const std::string &name) {
    int channels = 0;
    m_pixels = SOIL_load_OGL_texture_to_memory((qwtest::BuiltResources() + "/" + name).c_str(), 4, 0, &m_w, &m_h,
                                               &channels);
  }
  ~Atlas() {
    if (m_pixels) EngImageDecodeFree(m_pixels);
  }
  bool Ok() const { return m_pixels != nullptr; }
  int Width() const { return m_w; }
  int Height() const { return m_h; }
  // The pixel at a fraction of cell c's width and height from its top left.
  Pixel In(int c, double fx, double fy) const {
    int cell = m_w / 16;
    int x = (c % 16) * cell + int(fx * (cell - 1) + 0.5), y = (c / 16) * cell + int(fy * (cell - 1) + 0.5);
    const unsigned char *p = m_pixels + (size_t(y) * size_t(m_w) + size_t(x)) * 4;
    return {p[0], p[1], p[2], p[3]};
  }
  bool CellIsClear(int c) const {
    int cell = m_w / 16;
    for (int y = 0; y < cell; y++)
      for (int x = 0; x < cell; x++)
        if (In(c, double(x) / (cell - 1), double(y) / (cell - 1)).a != 0) return false;
    return true;
  }

 private:
  unsigned char *m_pixels = nullptr;
  int m_w = 0, m_h = 0;
};

bool IsWhite(Pixel p) { return p.r > 220 && p.g > 220 && p.b > 220 && p.a == 255; }
bool IsRed(Pixel p) { return p.r > 170 && p.g < 70 && p.b < 80 && p.a == 255; }
bool IsBlue(Pixel p) { return p.r < 60 && p.b > 100 && p.b > p.g + 50 && p.a == 255; }
bool IsBlack(Pixel p) { return p.r < 40 && p.g < 40 && p.b < 40 && p.a == 255; }
bool IsGold(Pixel p) { return p.r > 220 && p.g > 170 && p.b < 60 && p.a == 255; }

TEST(CountryAtlas, EachFlagFillsItsOwnCell) {
  for (const char *name : {"CountryFlags512.png", "CountryFlags1024.png"}) {
    Atlas atlas(name);
    ASSERT_TRUE(atlas.Ok()) << name << ": " << EngImageDecodeLastResult();
    int size = std::string(name) == "CountryFlags512.png" ? 512 : 1024;
    EXPECT_EQ(atlas.Width(), size);
    EXPECT_EQ(atlas.Height(), size);

    // France: blue, white, red from left to right; Germany: black, red, gold from the top.
    EXPECT_TRUE(IsBlue(atlas.In(67, 0.15, 0.5))) << name;
    EXPECT_TRUE(IsWhite(atlas.In(67, 0.5, 0.5))) << name;
    EXPECT_TRUE(IsRed(atlas.In(67, 0.85, 0.5))) << name;
    EXPECT_TRUE(IsBlack(atlas.In(71, 0.5, 0.15))) << name;
    EXPECT_TRUE(IsRed(atlas.In(71, 0.5, 0.5))) << name;
    EXPECT_TRUE(IsGold(atlas.In(71, 0.5, 0.85))) << name;
    // Japan: a red disc on white; England: a red cross with white corners.
    EXPECT_TRUE(IsRed(atlas.In(97, 0.5, 0.5))) << name;
    EXPECT_TRUE(IsWhite(atlas.In(97, 0.1, 0.1))) << name;
    EXPECT_TRUE(IsWhite(atlas.In(97, 0.9, 0.9))) << name;
    EXPECT_TRUE(IsRed(atlas.In(60, 0.5, 0.5))) << name;
    EXPECT_TRUE(IsRed(atlas.In(60, 0.5, 0.05))) << name;
    EXPECT_TRUE(IsRed(atlas.In(60, 0.05, 0.5))) << name;
    for (double f : {0.1, 0.9}) {
      EXPECT_TRUE(IsWhite(atlas.In(60, f, 0.1))) << name;
      EXPECT_TRUE(IsWhite(atlas.In(60, f, 0.9))) << name;
    }

    // Stretched, every flag reaches into its cell's corners (a 4:3 flag only fitted would
    // leave bands above and below); the unused cells stay clear. Some of the package's flags
    // stop a fraction of a pixel short of their edge, so the corners are taken a pixel in.
    for (int c = 0; c < 256; c++) {
      bool used = (c < COUNTRY_NUM_COUNTRIES && c != 142) || c == COUNTRY_UK_FLAG;
      if (used) {
        for (double fx : {0.035, 0.965})
          for (double fy : {0.035, 0.965}) EXPECT_GT(atlas.In(c, fx, fy).a, 128) << name << " cell " << c;
      } else {
        EXPECT_TRUE(atlas.CellIsClear(c)) << name << " cell " << c;
      }
    }
  }
}

}  // namespace
