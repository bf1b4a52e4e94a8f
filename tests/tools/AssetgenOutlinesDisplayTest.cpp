// Sprites drawn over the outlines the asset tool made leave the very bytes they leave drawn whole:
// pictures made here (small and large, turned, over the texture's repeating edge, one showing
// nothing) through the tool, the file and EngTexture::DrawSpriteList, and every part of every
// picture the play field draws as sprites. A picture changed since it was loaded, or outlines
// that are missing, are drawn whole.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngSpriteOutlines.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTga.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/tools/AssetgenDisplaySupport.h"
#include "tests/tools/AssetgenToolRun.h"
#include "tools/assetgen/AssetJson.h"

namespace qwtest {
namespace {

namespace fs = std::filesystem;

struct Drawn {
  std::vector<unsigned char> rgb;
  GLuint samples;
  EngInt32 sprites;
};

class AssetgenOutlinesDisplayTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    device->PrepareFor2D(1);
    glGenQueries(1, &query);
  }
  void TearDown() override {
    glDeleteQueries(1, &query);
    EngSpriteOutlinesReset();
    device->RestoreAfter2D();
    DeviceTest::TearDown();
  }

  // The part as a square of half size `half` (window heights) about (x, y), turned by `angle`,
  // drawn whole or over its outline on a green ground.
  Drawn Draw(EngTexture *tex, const _TexCoords &part, float x, float y, float half, float angle, bool outlined) {
    const float c = std::cos(angle), s = std::sin(angle);
    _EngTextureSpriteInfo sprite;
    sprite.part = part;
    // Left-bottom, right-bottom, left-top, right-top; a window height is 2 units up, 2 x 4 / 3
    // across.
    const float local[4][2] = {{-half, -half}, {half, -half}, {-half, half}, {half, half}};
    for (int k = 0; k < 4; k++) {
      sprite.position[k][0] = x + (local[k][0] * c - local[k][1] * s) * 0.75f;
      sprite.position[k][1] = y + local[k][0] * s + local[k][1] * c;
      sprite.position[k][2] = 0.0f;
    }
    for (float &v : sprite.colour) v = 1.0f;
    glClearColor(0.2f, 0.5f, 0.3f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    device->EnableBlendingType(0);
    Drawn d;
    glBeginQuery(GL_SAMPLES_PASSED, query);
    d.sprites = tex->DrawSpriteList(&sprite, 1, outlined ? 1 : 0);
    glEndQuery(GL_SAMPLES_PASSED);
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &d.samples);
    device->DisableBlending();
    d.rgb.resize(640 * 480 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, d.rgb.data());
    return d;
  }

  // Bytes that differ, and pixels off the ground.
  static int Off(const Drawn &a, const Drawn &b) {
    int off = 0;
    for (size_t i = 0; i < a.rgb.size(); i++) off += a.rgb[i] != b.rgb[i];
    return off;
  }
  static int Lit(const Drawn &a) {
    int lit = 0;
    for (size_t i = 0; i < a.rgb.size(); i += 3)
      lit += std::abs(int(a.rgb[i]) - 51) > 2 || std::abs(int(a.rgb[i + 1]) - 128) > 2 ||
             std::abs(int(a.rgb[i + 2]) - 77) > 2;
    return lit;
  }

  GLuint query = 0;
};

// Pictures for the cases, 64 by 64 (0xAARRGGBB): a round blob in a wide clear margin, a stripe
// along the left edge (the texture repeats, so it also shows at the right edge) and nothing.
void MakePicture(const std::string &path, int kind) {
  EngTga tga(64, 64, 32, 0, 0, 0, 0);
  for (int y = 0; y < 64; y++)
    for (int x = 0; x < 64; x++) {
      const int dx = x - 30, dy = y - 36;
      if (kind == 0 && dx * dx + dy * dy < 100) tga.data[y * 64 + x] = 0xfffa7828u;
      if (kind == 1 && x < 3) tga.data[y * 64 + x] = 0xff285afau;
      if (kind == 2) tga.data[y * 64 + x] = 0x00ffffffu;
    }
  ASSERT_TRUE(tga.SaveToFile(path.c_str())) << path;
}

TEST_F(AssetgenOutlinesDisplayTest, SpritesOverTheToolsOutlinesLeaveTheirWholeSquaresPixels) {
  TempDir dir;
  fs::create_directories(dir.File("assets/static"));
  const char *const names[3] = {"Blob.tga", "Stripe.tga", "Clear.tga"};
  for (int i = 0; i < 3; i++) MakePicture(dir.File(std::string("assets/static/") + names[i]), i);
  // The whole texture, up to its edges, where linear filtering reaches round to the far side.
  WriteWholeFile(dir.File("assets/o.job.json"), R"({"type": "outlines", "output": "SpriteOutlines.dat", "corners": 16,
      "pictures": [{"picture": "Blob.tga", "parts": [[0, 0, 1, 1]]}, {"picture": "Stripe.tga", "parts": [[0, 0, 1, 1]]},
                   {"picture": "Clear.tga", "parts": [[0, 0, 1, 1]]}]})");
  const ToolRun run = RunTool(dir.File("assets"), dir.File("out"), dir.File("state.txt"));
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(EngSpriteOutlinesLoadFile(dir.File("out/SpriteOutlines.dat").c_str()), 1);

  struct Case {
    const char *name;
    int picture;
    float half, angle;
    bool shows;
  } cases[] = {
      {"small blob", 0, 0.06f, 0.4f, true},   {"large blob", 0, 0.5f, 2.0f, true},
      {"small stripe", 1, 0.06f, 1.1f, true}, {"large stripe", 1, 0.5f, -0.7f, true},
      {"clear", 2, 0.3f, 0.0f, false},
  };
  const _TexCoords whole = {0.0f, 0.0f, 1.0f, 1.0f};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    EngTexture tex;
    ASSERT_TRUE(tex.LoadFromTgaFile(dir.File(std::string("out/") + names[c.picture]).c_str(), 1, 2));
    const Drawn all = Draw(&tex, whole, 0.1f, -0.05f, c.half, c.angle, false);
    const Drawn outlined = Draw(&tex, whole, 0.1f, -0.05f, c.half, c.angle, true);
    EXPECT_EQ(Off(all, outlined), 0);
    EXPECT_EQ(Lit(all) > 0, c.shows);
    EXPECT_EQ(outlined.sprites, c.shows ? 1 : 0);
    if (!c.shows) {
      EXPECT_EQ(outlined.samples, 0u);
    }
    // A blob in a wide margin shades a fraction of its square.
    if (c.picture == 0) {
      EXPECT_LT(outlined.samples * 2, all.samples);
    }
  }

  // Drawn whole: a picture changed since it was loaded, one the outlines do not name, and any
  // once the outlines are gone.
  EngTexture edited, renamed, blob;
  ASSERT_TRUE(edited.LoadFromTgaFile(dir.File("out/Blob.tga").c_str(), 1, 2));
  _EngTextureGetPixelDataInfo info;
  ASSERT_TRUE(edited.PrepareToGetPixelData(&info));
  ASSERT_TRUE(edited.SetPixelData(&info, 2, 2, 255, 255, 255, 255));
  ASSERT_TRUE(edited.UpdateTextureFromModifiedPixelDataBuffer(&info));
  edited.RestoreAfterGettingPixelData(&info);
  fs::copy_file(dir.File("out/Blob.tga"), dir.File("out/Other.tga"));
  ASSERT_TRUE(renamed.LoadFromTgaFile(dir.File("out/Other.tga").c_str(), 1, 2));
  ASSERT_TRUE(blob.LoadFromTgaFile(dir.File("out/Blob.tga").c_str(), 1, 2));
  const GLuint whole_samples = Draw(&blob, whole, 0.1f, -0.05f, 0.3f, 0.4f, false).samples;
  EXPECT_LT(Draw(&blob, whole, 0.1f, -0.05f, 0.3f, 0.4f, true).samples * 2, whole_samples);
  EXPECT_EQ(Draw(&edited, whole, 0.1f, -0.05f, 0.3f, 0.4f, true).samples, whole_samples);
  EXPECT_EQ(Draw(&renamed, whole, 0.1f, -0.05f, 0.3f, 0.4f, true).samples, whole_samples);
  EngSpriteOutlinesReset();
  EXPECT_EQ(Draw(&blob, whole, 0.1f, -0.05f, 0.3f, 0.4f, true).samples, whole_samples);
}

// Every part of every picture the play field draws as sprites, as the game loads it, at the
// sizes and turns it is drawn at and larger: the same pixels, and far fewer shaded in all.
TEST_F(AssetgenOutlinesDisplayTest, ThePlayFieldsPicturesDrawnOverTheirOutlinesLeaveTheirPixels) {
  ASSERT_EQ(EngSpriteOutlinesLoadFile((MadeResources() + "SpriteOutlines.dat").c_str()), 1);
  const assetgen::JsonValue job =
      assetgen::JsonParse(ReadWholeFile(SourceDir() + "/assets/playfield/SpriteOutlines.job.json"));
  const assetgen::JsonValue *pictures = job.Find("pictures");
  ASSERT_TRUE(pictures && pictures->IsArray());
  double samples[2] = {0, 0};
  int parts = 0;
  for (const assetgen::JsonValue &entry : pictures->items) {
    const std::string file = entry.Find("picture")->text;
    SCOPED_TRACE(file);
    const assetgen::JsonValue *mode = entry.Find("alpha_mode"), *grid = entry.Find("grid");
    EngTexture tex;
    ASSERT_TRUE(tex.LoadFromFile((MadeResources() + file).c_str(), 1, mode ? char(mode->number) : 2));
    std::vector<_TexCoords> drawn;
    if (!grid) {
      const float w = float(tex.GetWidth()), h = float(tex.GetHeight());
      drawn.push_back({1.0f / w, 1.0f / h, 1.0f - 1.0f / w, 1.0f - 1.0f / h});
    } else {
      const int columns = int(grid->items[0].number), rows = int(grid->items[1].number);
      for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++)
          drawn.push_back({float(c) / float(columns), float(r) / float(rows), float(c + 1) / float(columns),
                           float(r + 1) / float(rows)});
    }
    for (const _TexCoords &part : drawn) {
      parts++;
      // Squeezed to a few pixels square, unturned, and larger than drawn, turned.
      const struct { float half, angle; } sizes[] = {{0.015f, 0.0f}, {0.04f, 0.7f}, {0.4f, 2.3f}};
      for (const auto &size : sizes) {
        const float half = size.half;
        const Drawn all = Draw(&tex, part, -0.1f, 0.05f, half, size.angle, false);
        const Drawn outlined = Draw(&tex, part, -0.1f, 0.05f, half, size.angle, true);
        EXPECT_EQ(Off(all, outlined), 0) << part.left << " " << part.top << " at " << half;
        samples[0] += all.samples;
        samples[1] += outlined.samples;
      }
    }
  }
  EXPECT_GE(parts, 60);
  EXPECT_LT(samples[1], 0.8 * samples[0]) << samples[1] << " of " << samples[0];
}

}  // namespace
}  // namespace qwtest
