// The asset tool: what it made in the build's resources/ loads through the engine's own
// loaders at the sizes the game expects, the skin atlas holds a picture in every rectangle
// the game registers, runs are repeatable and incremental, and broken sources fail by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngImageDecode.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngMemory.h"
#include "Engine/EngPicture.h"
#include "Engine/EngSound.h"
#include "Engine/EngSpriteOutlines.h"
#include "Engine/EngTga.h"
#include "tests/support/TestSupport.h"
#include "tests/tools/AssetgenToolRun.h"
#include "tools/assetgen/AssetJson.h"
#include "tools/assetgen/Assetgen.h"

namespace fs = std::filesystem;

using qwtest::RunTool;
using qwtest::ToolRun;

namespace {

std::string Resources() { return qwtest::BuiltResources() + "/"; }
std::string Assets() { return qwtest::SourceDir() + "/assets"; }

std::vector<std::string> FilesUnder(const std::string &dir) {
  std::vector<std::string> files;
  if (!fs::exists(dir)) return files;
  for (auto &e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file()) files.push_back(fs::relative(e.path(), dir).string());
  std::sort(files.begin(), files.end());
  return files;
}

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;
  const unsigned char *At(int x, int y) const { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
};

// Through the texture loader's decoder, as the game's textures are read.
bool LoadTexturePicture(const std::string &path, Picture *pic) {
  int channels = 0;
  unsigned char *pixels =
      SOIL_load_OGL_texture_to_memory(path.c_str(), 4, 0, &pic->width, &pic->height, &channels);
  if (!pixels) return false;
  pic->rgba.assign(pixels, pixels + size_t(pic->width) * size_t(pic->height) * 4);
  EngImageDecodeFree(pixels);
  return true;
}

// The alpha of a made picture as a texture of it holds it: the loader's decoder, and for a
// JPEG the alpha made from brightness by the mode the game loads it with.
bool LoadAlphas(const std::string &path, int jpeg_alpha_mode, int *w, int *h, std::vector<unsigned char> *alpha) {
  int channels = 0;
  const bool jpeg = path.size() > 4 && path.compare(path.size() - 4, 4, ".jpg") == 0;
  unsigned char *pixels =
      jpeg ? EngTextureGL_JpegLoadTextureToData(path.c_str(), 4, char(jpeg_alpha_mode), w, h, &channels)
           : SOIL_load_OGL_texture_to_memory(path.c_str(), 4, 0, w, h, &channels);
  if (!pixels) return false;
  alpha->resize(size_t(*w) * size_t(*h));
  for (size_t i = 0; i < alpha->size(); i++) (*alpha)[i] = pixels[i * 4 + 3];
  jpeg ? EngFree(pixels, 0, ENG_FUNC) : EngImageDecodeFree(pixels);
  return true;
}

// How many texels of the part that show (alpha not 0) an outline would cut: linear filtering
// spreads each to the square a texel and a half round its centre (the texture repeating past
// its edges), and all of that square the part's quad covers must lie inside the polygon. A part
// marked as showing nothing must have no such texel.
int TexelsCut(int w, int h, const std::vector<unsigned char> &alpha, const _EngSpriteOutline &o) {
  const _TexCoords &p = o.part;
  const double x0 = std::min(p.left, p.right) * w, x1 = std::max(p.left, p.right) * w;
  const double y0 = std::min(p.top, p.bottom) * h, y1 = std::max(p.top, p.bottom) * h;
  double turning = 0.0;
  for (int i = 0; i < o.num_corners; i++) {
    const float *a = o.corners[i], *b = o.corners[(i + 1) % o.num_corners];
    turning += double(a[0]) * b[1] - double(b[0]) * a[1];
  }
  auto inside = [&](double x, double y) {
    for (int i = 0; i < o.num_corners; i++) {
      const double ax = o.corners[i][0] * w, ay = o.corners[i][1] * h;
      const double bx = o.corners[(i + 1) % o.num_corners][0] * w, by = o.corners[(i + 1) % o.num_corners][1] * h;
      const double cross = (bx - ax) * (y - ay) - (by - ay) * (x - ax);
      if (cross * (turning > 0 ? 1 : -1) < -1e-3 * std::hypot(bx - ax, by - ay)) return false;
    }
    return true;
  };
  int cut = 0;
  for (int y = int(std::floor(y0)) - 2; y <= int(std::ceil(y1)) + 1; y++)
    for (int x = int(std::floor(x0)) - 2; x <= int(std::ceil(x1)) + 1; x++) {
      const int tx = ((x % w) + w) % w, ty = ((y % h) + h) % h;
      if (alpha[size_t(ty) * size_t(w) + size_t(tx)] == 0) continue;
      const double sx0 = std::max(x0, x + 0.5 - 1.5), sx1 = std::min(x1, x + 0.5 + 1.5);
      const double sy0 = std::max(y0, y + 0.5 - 1.5), sy1 = std::min(y1, y + 0.5 + 1.5);
      if (sx0 >= sx1 || sy0 >= sy1) continue;
      if (o.num_corners == 0 || !inside(sx0, sy0) || !inside(sx1, sy0) || !inside(sx0, sy1) || !inside(sx1, sy1)) cut++;
    }
  return cut;
}

// The share of the part's quad the outline covers.
double Cover(const _EngSpriteOutline &o) {
  double twice = 0.0;
  for (int i = 0; i < o.num_corners; i++) {
    const float *a = o.corners[i], *b = o.corners[(i + 1) % o.num_corners];
    twice += double(a[0]) * b[1] - double(b[0]) * a[1];
  }
  return std::fabs(twice) * 0.5 / std::fabs(double(o.part.right - o.part.left) * double(o.part.bottom - o.part.top));
}

TEST(AssetgenOutputs, PicturesLoadAtTheirSizes) {
  struct Case {
    const char *file;
    int width, height;
  };
  const Case pngs[] = {{"Buttons.png", 1024, 1024},      {"QuarrelwickText.png", 1024, 256},
                       {"TmText.png", 512, 128},         {"TallowRing.png", 256, 256},
                       {"TexEffects1.png", 256, 256},    {"SplashArt.png", 512, 512},
                       {"SplashRays.png", 256, 256}};
  for (const Case &c : pngs) {
    SCOPED_TRACE(c.file);
    Picture pic;
    ASSERT_TRUE(LoadTexturePicture(Resources() + c.file, &pic)) << EngImageDecodeLastResult();
    EXPECT_EQ(pic.width, c.width);
    EXPECT_EQ(pic.height, c.height);
  }

  EngTga popup;
  ASSERT_TRUE(popup.LoadFromFile((Resources() + "Popup.tga").c_str(), 1));
  EXPECT_EQ(popup.width, 256);
  EXPECT_EQ(popup.height, 256);
  EXPECT_EQ(popup.bits, 32);
  // The frame is opaque at its edge's middle, the corners outside the rounding are clear.
  EXPECT_EQ(popup.data[128 * 256 + 3] >> 24, 255u);
  EXPECT_EQ(popup.data[0] >> 24, 0u);
  Picture popup_tex;
  ASSERT_TRUE(LoadTexturePicture(Resources() + "Popup.tga", &popup_tex));
  EXPECT_EQ(popup_tex.width, 256);

  const Case jpegs[] = {{"MenuBg.jpg", 1024, 768}, {"ResTitle.jpg", 480, 120}};
  for (const Case &c : jpegs) {
    SCOPED_TRACE(c.file);
    int w = 0, h = 0, comps = 0;
    ASSERT_TRUE(EngJpegGetFileInfo((Resources() + c.file).c_str(), &w, &h, &comps));
    EXPECT_EQ(w, c.width);
    EXPECT_EQ(h, c.height);
    EXPECT_EQ(comps, 3);
    unsigned char *rgb = EngJpegReadFileToBuffer((Resources() + c.file).c_str(), &w, &h);
    ASSERT_NE(rgb, nullptr);
    EngFree(rgb, 0, nullptr);
  }
}

TEST(AssetgenOutputs, PictureDescriptionsLoadWithTheirTextures) {
  struct Case {
    const char *file;
    std::vector<std::string> textures;
    bool square;
  };
  const Case cases[] = {{"QuarrelwickTitle.ttx", {"QuarrelwickText.png"}, false},
                        {"TmText.ttx", {"TexEffects1.png", "TallowRing.png", "TmText.png"}, true},
                        {"Splash.ttx", {"SplashRays.png", "SplashArt.png", "SplashBug.png"}, true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.file);
    EngPicture picture;
    ASSERT_TRUE(picture.LoadFromFile(Resources().c_str(), c.file, 0));
    EXPECT_GE(picture.GetNumSets(), 2) << "animated in layers";
    ASSERT_EQ(picture.GetNumTextures(), eint(c.textures.size()));
    for (size_t i = 0; i < c.textures.size(); i++) {
      EXPECT_EQ(std::string(picture.GetTexture(eint(i))->filename), c.textures[i]);
      EXPECT_TRUE(qwtest::FileExists(Resources() + c.textures[i]));
    }
    const _Dimension *area = picture.GetDrawArea();
    if (c.square) {
      EXPECT_FLOAT_EQ(area->width, area->height);
    }
  }
  // The title stands where the first players screen puts it; the splash is 240 units high.
  EngPicture title, splash;
  ASSERT_TRUE(title.LoadFromFile(Resources().c_str(), "QuarrelwickTitle.ttx", 0));
  EXPECT_FLOAT_EQ(title.GetDrawArea()->width, 400);
  EXPECT_FLOAT_EQ(title.GetDrawArea()->height, 90);
  ASSERT_TRUE(splash.LoadFromFile(Resources().c_str(), "Splash.ttx", 0));
  EXPECT_FLOAT_EQ(splash.GetDrawArea()->height, 240);
}

// The title's stages draw their texture only over the part that shows (the menus draw the title
// in every frame): every texel that is not clear lies inside each stage's texture
// rectangle, a texel and more from its edge, so that the rectangle's quad draws what the whole
// texture's did, and the rectangle leaves little clear margin.
TEST(AssetgenOutputs, TheTitleIsDrawnOverItsVisibleTexelsOnly) {
  Picture text;
  ASSERT_TRUE(LoadTexturePicture(Resources() + "QuarrelwickText.png", &text));
  int left = text.width, top = text.height, right = -1, bottom = -1;
  for (int y = 0; y < text.height; y++)
    for (int x = 0; x < text.width; x++)
      if (text.rgba[(size_t(y) * size_t(text.width) + size_t(x)) * 4 + 3] != 0) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  ASSERT_GE(right, left);
  EngPicture title;
  ASSERT_TRUE(title.LoadFromFile(Resources().c_str(), "QuarrelwickTitle.ttx", 0));
  for (eint s = 0; s < title.GetNumSets(); s++) {
    _EngPictureSet *set = title.GetSet(s);
    for (eint i = 0; i < title.GetNumStages(set); i++) {
      const _TexCoords &tc = title.GetStage(set, i)->tc.tc;
      const float w = float(text.width), h = float(text.height);
      EXPECT_LE(tc.left * w, left - 1.0f);
      EXPECT_GE(tc.right * w, right + 2.0f);
      EXPECT_LE(tc.top * h, top - 1.0f);
      EXPECT_GE(tc.bottom * h, bottom + 2.0f);
      EXPECT_GT(tc.left * w, left - 4.0f);
      EXPECT_LT(tc.right * w, right + 5.0f);
      EXPECT_GT(tc.top * h, top - 4.0f);
      EXPECT_LT(tc.bottom * h, bottom + 5.0f);
    }
  }
}

// The peak of a 16-bit mono WAV's samples, as a fraction of full scale.
double WavPeak(const std::string &bytes) {
  double peak = 0;
  for (size_t i = 44; i + 1 < bytes.size(); i += 2) {
    int16_t s = int16_t(uint16_t(uint8_t(bytes[i])) | uint16_t(uint8_t(bytes[i + 1]) << 8));
    peak = std::max(peak, std::fabs(double(s)) / 32768.0);
  }
  return peak;
}

TEST(AssetgenOutputs, SoundsLoadThroughTheEngine) {
  DebugResetForTests();
  EngSoundResetForTests();
  ASSERT_EQ(EngSoundInit(ENG_SOUND_SYSTEM_OPENAL, 0, 0, 0, nullptr, 0), 1);
  {
    EngSound effect("effect");
    // A 0.3 s effect of the game's set.
    ASSERT_EQ(effect.LoadSoundFromFile((Resources() + "BulletLaunch5.wav").c_str(), 0), 1);
    EXPECT_EQ(effect.GetPlayBufferSize(), EngUInt32(0.3 * 44100) * 2);
    const std::string wav = qwtest::ReadWholeFile(Resources() + "BulletLaunch5.wav");
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_NEAR(WavPeak(wav), std::pow(10.0, -3.0 / 20.0), 0.01);  // -3 dBFS
    // Faded at both ends: no click.
    EXPECT_EQ(wav[44], 0);
    EXPECT_EQ(wav[45], 0);

    EngSound music("music");
    ASSERT_EQ(music.LoadSoundFromOggFile((Resources() + "GameOver.ogg").c_str(), 0, 0), 1);
    // 32 beats at 60 a minute: 32 seconds of 16-bit stereo.
    EXPECT_EQ(music.GetPlayBufferSize(), EngUInt32(32 * 44100) * 4);
  }
  EngSoundResetForTests();
}

// The manifest of the skin atlas, as the tool reads it.
assetgen::JsonValue Manifest() {
  return assetgen::JsonParse(qwtest::ReadWholeFile(Assets() + "/skin/Buttons.job.json"));
}

struct PixelRect {
  int x0, y0, x1, y1;
  bool mirrored_x, mirrored_y;
};

PixelRect ToPixels(const assetgen::JsonValue &uv, int size) {
  double l = uv.items[0].number, t = uv.items[1].number, r = uv.items[2].number, b = uv.items[3].number;
  PixelRect p{int(std::floor(std::min(l, r) * size)), int(std::floor(std::min(t, b) * size)),
              int(std::ceil(std::max(l, r) * size)), int(std::ceil(std::max(t, b) * size)), l > r, t > b};
  p.x1 = std::min(std::max(p.x1, p.x0 + 1), size);
  p.y1 = std::min(std::max(p.y1, p.y0 + 1), size);
  return p;
}

double VisibleFraction(const Picture &pic, const PixelRect &r) {
  long visible = 0, total = 0;
  for (int y = r.y0; y < r.y1; y++)
    for (int x = r.x0; x < r.x1; x++, total++)
      if (pic.At(x, y)[3] >= 16) visible++;
  return double(visible) / double(total);
}

// The mean difference of two rectangles' pictures sampled on one grid.
double Difference(const Picture &pic, const PixelRect &a, const PixelRect &b) {
  const int n = 24;
  double sum = 0;
  for (int j = 0; j < n; j++)
    for (int i = 0; i < n; i++) {
      const unsigned char *pa = pic.At(a.x0 + (a.x1 - a.x0) * (2 * i + 1) / (2 * n), a.y0 + (a.y1 - a.y0) * (2 * j + 1) / (2 * n));
      const unsigned char *pb = pic.At(b.x0 + (b.x1 - b.x0) * (2 * i + 1) / (2 * n), b.y0 + (b.y1 - b.y0) * (2 * j + 1) / (2 * n));
      for (int c = 0; c < 4; c++) sum += std::abs(int(pa[c]) - int(pb[c]));
    }
  return sum / (n * n * 4);
}

TEST(AssetgenOutputs, EverySkinRectangleHoldsItsPicture) {
  Picture atlas;
  ASSERT_TRUE(LoadTexturePicture(Resources() + "Buttons.png", &atlas));
  ASSERT_EQ(atlas.width, 1024);
  const assetgen::JsonValue manifest = Manifest();
  const assetgen::JsonValue *rects = manifest.Find("rects");
  ASSERT_NE(rects, nullptr);
  // Every named button and standard slot that the game registers is transcribed.
  EXPECT_EQ(rects->items.size(), 50u);
  std::set<std::string> names;
  const char *const states[4] = {"normal", "highlighted", "pressed", "disabled"};
  int compared = 0;
  for (const auto &entry : rects->items) {
    const std::string name = entry.Find("name")->text;
    SCOPED_TRACE(name);
    EXPECT_TRUE(names.insert(name).second) << "listed twice";
    std::vector<PixelRect> distinct;
    for (const char *state : states) {
      const assetgen::JsonValue *v = entry.Find(state);
      ASSERT_NE(v, nullptr) << state;
      if (!v->IsArray()) continue;
      PixelRect r = ToPixels(*v, 1024);
      EXPECT_GE(VisibleFraction(atlas, r), 0.3) << state;
      distinct.push_back(r);
    }
    ASSERT_FALSE(distinct.empty()) << "no normal state";
    for (size_t i = 1; i < distinct.size(); i++) {
      EXPECT_GT(Difference(atlas, distinct[0], distinct[i]), 6.0) << "state " << i << " looks like the normal one";
      compared++;
    }
  }
  EXPECT_GE(compared, 15);
  EXPECT_TRUE(names.count("TitleInv") && names.count("StdWhite") && names.count("ArrowL"));
}

// Nine-part drawing stretches the middle of a rectangle across: a corner or an ornament that
// reaches into it would be smeared, so its columns must run on without a hard change.
TEST(AssetgenOutputs, StretchedSkinMiddlesHoldNoCorners) {
  Picture atlas;
  ASSERT_TRUE(LoadTexturePicture(Resources() + "Buttons.png", &atlas));
  const char *const states[4] = {"normal", "highlighted", "pressed", "disabled"};
  int checked = 0;
  const assetgen::JsonValue manifest = Manifest();
  for (const auto &entry : manifest.Find("rects")->items) {
    const std::string name = entry.Find("name")->text;
    const assetgen::JsonValue &style = *entry.Find("style_x");
    // Two rectangles no screen uses cannot hold: TitleBack spans several pieces of the atlas,
    // and Back1NoHead keeps only 4 % at its ends, less than the window frame it cuts from.
    if (int(style.items[0].number) != 2 || name == "TitleBack" || name == "Back1NoHead") continue;
    for (const char *state : states) {
      const assetgen::JsonValue *v = entry.Find(state);
      if (!v->IsArray()) continue;
      SCOPED_TRACE(name + " " + state);
      const PixelRect r = ToPixels(*v, 1024);
      const double edge = style.items[1].number * (r.x1 - r.x0);
      const int from = int(std::ceil(r.x0 + edge)) + 1, to = int(std::floor(r.x1 - edge)) - 2;
      double worst = 0;
      int worst_x = -1;
      for (int x = from; x < to; x++) {
        double d = 0;
        for (int y = r.y0; y < r.y1; y++)
          for (int c = 0; c < 4; c++) d += std::abs(int(atlas.At(x, y)[c]) - int(atlas.At(x + 1, y)[c]));
        if (d / ((r.y1 - r.y0) * 4) > worst) {
          worst = d / ((r.y1 - r.y0) * 4);
          worst_x = x;
        }
      }
      EXPECT_LT(worst, 3.0) << "between columns " << worst_x << " and " << worst_x + 1 << " of " << r.x0 << ".." << r.x1;
      checked++;
    }
  }
  EXPECT_GE(checked, 30);
}

// Every picture the play field draws as sprites has its outlines, for every part the game draws
// (the whole picture as the engine draws it, the level badges' quarters, the explosion's
// frames), each holding every texel that shows, and most of them far smaller than the quad.
TEST(AssetgenOutputs, SpriteOutlinesHoldEveryShowingTexelOfThePlayFieldsPictures) {
  ASSERT_EQ(EngSpriteOutlinesLoadFile((Resources() + "SpriteOutlines.dat").c_str()), 1);
  std::vector<std::string> whole = {"HpBack.tga", "HpFill.tga", "Factory.tga", "Range.tga"};
  for (const char *bug : {"Aclypea", "Adonia", "Altholus", "Badister", "Baeocrara", "Byctiscus", "Crepidodera",
                          "Gaurotes", "Gnatocerus", "Gibbium", "Glischrochilus"}) {
    whole.push_back(std::string(bug) + ".tga");
    whole.push_back(std::string(bug) + "2.tga");
  }
  for (const char *weapon : {"Turret", "Cannon", "Tank", "RockThrower", "GrenadeLauncher", "MissileLauncher"}) {
    whole.push_back(std::string(weapon) + "Base.tga");
    whole.push_back(std::string(weapon) + "Top.tga");
  }
  for (const char *spray : {"SpraySmall.tga", "SprayMedium.tga", "SprayLarge.tga"}) whole.push_back(spray);
  std::vector<std::string> bullets;
  for (const char *b :
       {"Turret", "Cannon", "Tank", "SpraySmall", "SprayMedium", "SprayLarge", "Stone", "Grenade", "Missile"})
    bullets.push_back(std::string("Bullet") + b + ".tga");
  struct Case {
    std::string file;
    int grid, alpha_mode;
  };
  std::vector<Case> cases;
  for (const std::string &f : whole) cases.push_back({f, 0, 2});
  for (const std::string &f : bullets) cases.push_back({f, 0, 2});
  cases.push_back({"Numbers.tga", 2, 2});
  cases.push_back({"Explosion2.jpg", 4, 5});
  int smaller = 0, parts = 0;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.file);
    int w = 0, h = 0;
    std::vector<unsigned char> alpha;
    ASSERT_TRUE(LoadAlphas(Resources() + c.file, c.alpha_mode, &w, &h, &alpha));
    const EngInt32 picture = EngSpriteOutlinesFindPicture(c.file.c_str(), w, h);
    ASSERT_GE(picture, 0);
    std::vector<_TexCoords> drawn;
    if (!c.grid) drawn.push_back({1.0f / float(w), 1.0f / float(h), 1.0f - 1.0f / float(w), 1.0f - 1.0f / float(h)});
    for (int i = 0; i < c.grid * c.grid; i++) {
      const float step = 1.0f / float(c.grid);
      drawn.push_back({float(i % c.grid) * step, float(i / c.grid) * step, float(i % c.grid) * step + step,
                       float(i / c.grid) * step + step});
    }
    for (const _TexCoords &part : drawn) {
      const _EngSpriteOutline *o = EngSpriteOutlinesFindPart(picture, &part);
      ASSERT_NE(o, nullptr) << part.left << " " << part.top;
      EXPECT_EQ(TexelsCut(w, h, alpha, *o), 0) << part.left << " " << part.top;
      parts++;
      smaller += o->num_corners > 0 && Cover(*o) < 0.75;
    }
  }
  EXPECT_GT(smaller * 2, parts) << smaller << " of " << parts;
  EngSpriteOutlinesReset();
}

TEST(AssetgenRuns, TwoRunsGiveIdenticalFiles) {
  qwtest::TempDir dir;
  const std::string a = dir.File("a"), b = dir.File("b");
  ToolRun first = RunTool(Assets(), a, dir.File("a.state"), {"--force", "--sheet", dir.File("a-sheet.png")});
  ASSERT_EQ(first.status, 0) << first.output;
  ToolRun second =
      RunTool(Assets(), b, dir.File("b.state"), {"--force", "--jobs", "3", "--sheet", dir.File("b-sheet.png")});
  ASSERT_EQ(second.status, 0) << second.output;
  const std::vector<std::string> files = FilesUnder(a);
  ASSERT_EQ(files, FilesUnder(b));
  EXPECT_GE(files.size(), 15u);
  for (const std::string &f : files) {
    SCOPED_TRACE(f);
    EXPECT_TRUE(qwtest::ReadWholeFile(a + "/" + f) == qwtest::ReadWholeFile(b + "/" + f));
    EXPECT_EQ(f.find("assetgen-tmp"), std::string::npos);
  }
  EXPECT_TRUE(qwtest::ReadWholeFile(dir.File("a-sheet.png")) == qwtest::ReadWholeFile(dir.File("b-sheet.png")));
}

// A small asset folder of its own for the runs below.
class AssetgenFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir.File("assets/static/ui"));
    Write("palette.json", R"({"colours": {"grass": "#5fa83a", "ink": "#102030"}})");
    Write("dot.svg", Svg("@grass"));
    Write("dot.job.json", R"({"type": "svg", "source": "dot.svg", "output": "Dot.png", "width": 16, "height": 16})");
    Write("static/ui/Form.ui", "<interface/>\n");
  }
  static std::string Svg(const std::string &fill) {
    return R"(<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16"><rect width="16" height="16" fill=")" +
           fill + R"("/></svg>)";
  }
  void Write(const std::string &name, const std::string &text) {
    fs::create_directories(fs::path(dir.File("assets/" + name)).parent_path());
    qwtest::WriteWholeFile(dir.File("assets/" + name), text);
  }
  ToolRun Tool() { return RunTool(dir.File("assets"), dir.File("out"), dir.File("state.txt")); }

  qwtest::TempDir dir;
};

TEST_F(AssetgenFixture, OnlyWhatChangedIsMadeAgain) {
  Write("ink.svg", Svg("@ink"));
  Write("ink.job.json", R"({"jobs": [{"type": "svg", "source": "ink.svg", "output": "Pics/Ink.tga", "width": 8, "height": 8}]})");
  ToolRun run = Tool();
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("3 of 3 outputs made"), std::string::npos) << run.output;
  EXPECT_EQ(qwtest::ReadWholeFile(dir.File("out/ui/Form.ui")), "<interface/>\n");
  EngTga ink;
  ASSERT_TRUE(ink.LoadFromFile(dir.File("out/Pics/Ink.tga").c_str(), 1));
  EXPECT_EQ(ink.data[0], 0xff102030u);

  run = Tool();
  EXPECT_NE(run.output.find("0 of 3 outputs made"), std::string::npos) << run.output;

  // A palette change remakes the pictures but not the verbatim file; an SVG change only its own.
  Write("palette.json", R"({"colours": {"grass": "#5fa83a", "ink": "#203040"}})");
  run = Tool();
  EXPECT_NE(run.output.find("2 of 3 outputs made"), std::string::npos) << run.output;
  Write("ink.svg", Svg("#ff0000"));
  run = Tool();
  EXPECT_NE(run.output.find("1 of 3 outputs made"), std::string::npos) << run.output;

  // A removed job takes its output with it; a lost output is made again.
  fs::remove(dir.File("assets/ink.job.json"));
  fs::remove(dir.File("out/Dot.png"));
  run = Tool();
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_FALSE(qwtest::FileExists(dir.File("out/Pics/Ink.tga")));
  EXPECT_TRUE(qwtest::FileExists(dir.File("out/Dot.png")));

  // A job file broken while being edited fails the run but takes nothing away.
  Write("dot.job.json", R"({"type": "svg", "source": "dot.svg", "output": "Dot.png",)");
  run = Tool();
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_TRUE(qwtest::FileExists(dir.File("out/Dot.png")));
}

// Outlines are made from the pictures as made: after them, again when one of them changes, and
// not when nothing they read did. A picture copied verbatim can be outlined too.
TEST_F(AssetgenFixture, OutlinesFollowTheirMadePictures) {
  auto disc = [](int cx) {
    return R"(<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64"><circle cx=")" + std::to_string(cx) +
           R"(" cy="30" r="9" fill="@ink"/></svg>)";
  };
  Write("disc.svg", disc(20));
  Write("disc.job.json", R"({"type": "svg", "source": "disc.svg", "output": "Disc.tga", "width": 64, "height": 64})");
  EngTga stripe(16, 16, 32, 0, 0, 0, 0);
  for (int y = 0; y < 16; y++) stripe.data[y * 16 + 5] = 0xff0000ffu;
  ASSERT_TRUE(stripe.SaveToFile(dir.File("assets/static/Stripe.tga").c_str()));
  Write("o.job.json", R"({"type": "outlines", "output": "Outlines.dat", "corners": 16,
                          "pictures": [{"picture": "Disc.tga"}, {"picture": "Stripe.tga", "grid": [2, 1]}]})");
  ToolRun run = Tool();
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("5 of 5 outputs made"), std::string::npos) << run.output;

  auto check = [&](double disc_middle) {
    ASSERT_EQ(EngSpriteOutlinesLoadFile(dir.File("out/Outlines.dat").c_str()), 1);
    int w = 0, h = 0;
    std::vector<unsigned char> alpha;
    ASSERT_TRUE(LoadAlphas(dir.File("out/Disc.tga"), 2, &w, &h, &alpha));
    const EngInt32 picture = EngSpriteOutlinesFindPicture("Disc.tga", w, h);
    ASSERT_GE(picture, 0);
    const _TexCoords all = {1.0f / 64, 1.0f / 64, 63.0f / 64, 63.0f / 64};
    const _EngSpriteOutline *o = EngSpriteOutlinesFindPart(picture, &all);
    ASSERT_NE(o, nullptr);
    EXPECT_GE(o->num_corners, 8) << "a disc is worth more edges than a box";
    EXPECT_EQ(TexelsCut(w, h, alpha, *o), 0);
    EXPECT_LT(Cover(*o), 0.15);
    double u = 0.0;
    for (int i = 0; i < o->num_corners; i++) u += o->corners[i][0] / o->num_corners;
    EXPECT_NEAR(u * 64, disc_middle, 1.0);
    // The stripe shows only in the left half: the right one is marked as showing nothing.
    ASSERT_TRUE(LoadAlphas(dir.File("out/Stripe.tga"), 2, &w, &h, &alpha));
    const EngInt32 stripe_picture = EngSpriteOutlinesFindPicture("Stripe.tga", 16, 16);
    const _TexCoords halves[2] = {{0.0f, 0.0f, 0.5f, 1.0f}, {0.5f, 0.0f, 1.0f, 1.0f}};
    ASSERT_NE(EngSpriteOutlinesFindPart(stripe_picture, &halves[0]), nullptr);
    EXPECT_EQ(EngSpriteOutlinesFindPart(stripe_picture, &halves[0])->num_corners, 4);
    EXPECT_EQ(TexelsCut(w, h, alpha, *EngSpriteOutlinesFindPart(stripe_picture, &halves[0])), 0);
    ASSERT_NE(EngSpriteOutlinesFindPart(stripe_picture, &halves[1]), nullptr);
    EXPECT_EQ(EngSpriteOutlinesFindPart(stripe_picture, &halves[1])->num_corners, 0);
  };
  check(20.0);
  run = Tool();
  EXPECT_NE(run.output.find("0 of 5 outputs made"), std::string::npos) << run.output;
  Write("disc.svg", disc(40));
  run = Tool();
  EXPECT_NE(run.output.find("2 of 5 outputs made"), std::string::npos) << run.output;
  check(40.0);
  EngSpriteOutlinesReset();
}

// The state and stamp files are the build's record of what is made: one that cannot be written
// or put in place fails the run and names the file.
TEST_F(AssetgenFixture, UnwritableRecordsFailTheRun) {
  fs::create_directories(dir.File("state-is-a-folder"));
  struct Case {
    const char *what;
    std::string state;
    std::vector<std::string> extra;
    std::string named, error;
  };
  const Case cases[] = {
      {"a state file that cannot be renamed into place",
       dir.File("state-is-a-folder"),
       {},
       "state-is-a-folder",
       "cannot rename"},
      {"a stamp in a folder that does not exist",
       dir.File("state.txt"),
       {"--stamp", dir.File("missing/stamp")},
       "missing/stamp",
       "cannot write"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    ToolRun run = RunTool(dir.File("assets"), dir.File("out"), c.state, c.extra);
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("assetgen: error: "), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(c.named), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(c.error), std::string::npos) << run.output;
  }
  EXPECT_FALSE(qwtest::FileExists(dir.File("state-is-a-folder.assetgen-tmp")));
}

TEST_F(AssetgenFixture, BrokenSourcesFailByName) {
  const std::string atlas_head = R"({"type": "atlas", "output": "A.png", "width": 32, "height": 32, "cells": [)";
  const std::string ttx_stage =
      R"({"TexNum": 0, "Locks": [0,0,0,0], "Main Area": [0,0,1,1], "Trans Type": 0, "Trans Speeds": [0,0],
          "Trans End Area": [0,0,0,0], "Trans Random Area": [0,0,0,0], "RotFlags": [0,0], "RotValues": [0,0,0,1],
          "Show": 1, "Alpha Level": 1, "Alpha Blend Type": 0, "Alpha Times": [0,0,1,0], "Alpha Throb On": 0,
          "Alpha Throb Min Level": 0, "Alpha Throb Speed": 0.5, "Alpha Throb Mult": 1, "TC Default": 1,
          "TC TC": [0,0,1,1], "TC Tile": [1,1], "TC Move": 0, "TC Speed": [0,0]})";
  auto ttx = [&](const std::string &texture) {
    return R"({"Draw Area": [0,0,100,100], "Textures": [{"Path": "", "Filename": ")" + texture +
           R"("}], "Sets": [{"Name": "A", "Stages": [)" + ttx_stage + "]}]}";
  };
  struct Case {
    const char *what;
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::string> expected;  // in the error line
    const char *output;                 // never made
  };
  const Case cases[] = {
      {"an SVG librsvg refuses",
       {{"bad.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"><rect</svg>"},
        {"bad.job.json", R"({"type": "svg", "source": "bad.svg", "output": "Bad.png", "width": 8, "height": 8})"}},
       {"assets/bad.svg", "librsvg"},
       "Bad.png"},
      {"a colour not in the palette",
       {{"bad.svg", Svg("@nope")},
        {"bad.job.json", R"({"type": "svg", "source": "bad.svg", "output": "Bad.jpg", "width": 8, "height": 8})"}},
       {"assets/bad.svg", "@nope"},
       "Bad.jpg"},
      {"a cell outside its atlas",
       {{"a.job.json", atlas_head + R"({"rect": [16, 16, 40, 30], "source": "dot.svg"}]})"}},
       {"assets/a.job.json", "outside"},
       "A.png"},
      {"two overlapping cells",
       {{"a.job.json", atlas_head + R"({"rect": [0, 0, 16, 16], "source": "dot.svg"},
                                       {"rect": [8, 8, 24, 24], "source": "dot.svg"}]})"}},
       {"assets/a.job.json", "overlaps"},
       "A.png"},
      {"a rectangle with no picture",
       {{"a.job.json", atlas_head + R"({"rect": [0, 0, 16, 16], "source": "dot.svg"}],
                                       "rects": [{"name": "Far", "normal": [0.5, 0.5, 1.0, 1.0]}]})"}},
       {"assets/a.job.json", "Far normal"},
       "A.png"},
      {"a picture description that does not load",
       {{"t.ttx", "{\"Sets\": [{\"Name\": \"A\", \"Stages\": [{\"TexNum\": 0}]}]}"},
        {"t.job.json", R"({"type": "picture", "source": "t.ttx", "output": "T.ttx"})"}},
       {"assets/t.ttx", "picture loader"},
       "T.ttx"},
      {"a picture description naming a texture nobody makes",
       {{"t.ttx", ttx("Missing.png")}, {"t.job.json", R"({"type": "picture", "source": "t.ttx", "output": "T.ttx"})"}},
       {"assets/t.ttx", "Missing.png"},
       "T.ttx"},
      {"a job file that is not JSON",
       {{"x.job.json", "{\"type\": \"svg\",, }"}},
       {"assets/x.job.json", "line 1"},
       nullptr},
      {"a job of no known kind",
       {{"k.job.json", R"({"type": "bogus", "output": "K.png"})"}},
       {"assets/k.job.json", "bogus", "svg"},
       "K.png"},
      {"two jobs making one file",
       {{"y.job.json", R"({"type": "svg", "source": "dot.svg", "output": "Dot.png", "width": 4, "height": 4})"}},
       {"assets/y.job.json", "Dot.png"},
       nullptr},
      {"outlines of a picture no job makes",
       {{"o.job.json", R"({"type": "outlines", "output": "O.dat", "pictures": [{"picture": "Missing.tga"}]})"}},
       {"assets/o.job.json", "Missing.tga"},
       "O.dat"},
      {"outlines of a frame sheet without whole cells",
       {{"o.job.json",
         R"({"type": "outlines", "output": "O.dat", "pictures": [{"picture": "Dot.png", "grid": [2.5, 2]}]})"}},
       {"assets/o.job.json", "grid"},
       "O.dat"},
      {"a music loop whose notes do not fit it",
       {{"m.job.json", R"({"type": "music", "output": "M.ogg", "tempo": 120, "beats": 4,
                           "tracks": [{"instrument": "bass", "notes": "C3 3"}]})"}},
       {"assets/m.job.json", "beats"},
       "M.ogg"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir.File("out"));
    fs::remove(dir.File("state.txt"));
    for (const auto &f : c.files) Write(f.first, f.second);
    ToolRun run = Tool();
    EXPECT_EQ(run.status, 1) << run.output;
    for (const std::string &e : c.expected) EXPECT_NE(run.output.find(e), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("assetgen: error: "), std::string::npos) << run.output;
    if (c.output) {
      EXPECT_FALSE(qwtest::FileExists(dir.File("out/") + c.output));
    }
    for (const std::string &f : FilesUnder(dir.File("out"))) EXPECT_EQ(f.find("assetgen-tmp"), std::string::npos) << f;
    for (const auto &f : c.files) fs::remove(dir.File("assets/" + f.first));
  }
  // With the broken sources gone the folder builds again.
  ToolRun run = Tool();
  EXPECT_EQ(run.status, 0) << run.output;
}

}  // namespace
