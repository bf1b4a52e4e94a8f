// Pictures drawn on the real device and read back: placement in the draw area and inside a
// cropped viewport, rotation, alpha and blending, missing textures, and the texture-name
// override of the module settings.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngPicture.h"
#include "Engine/Modules.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/ImageTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

// An RGBA PNG of one colour, or of four quadrants (red, green / blue, white) when quadrants is set.
std::string Png(uint8_t r, uint8_t g, uint8_t b, bool quadrants = false) {
  const int size = 8;
  std::vector<uint8_t> pixels;
  for (int y = 0; y < size; y++) {
    for (int x = 0; x < size; x++) {
      uint8_t p[4] = {r, g, b, 255};
      if (quadrants) {
        const bool right = x >= size / 2, bottom = y >= size / 2;
        const uint8_t colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
        const uint8_t *c = colours[(bottom ? 2 : 0) + (right ? 1 : 0)];
        p[0] = c[0];
        p[1] = c[1];
        p[2] = c[2];
      }
      pixels.insert(pixels.end(), p, p + 4);
    }
  }
  return qwimage::PngFile(size, size, 6, pixels);
}

// A stage with every member, the given ones replaced (name, JSON value).
std::string Stage(int tex_num, const std::map<std::string, std::string> &changes = {}) {
  std::map<std::string, std::string> members = {
      {"TexNum", std::to_string(tex_num)}, {"Locks", "[0, 0, 0, 0]"}, {"Main Area", "[0, 0, 1, 1]"},
      {"Trans Type", "0"}, {"Trans Speeds", "[0, 0]"}, {"Trans End Area", "[0, 0, 0, 0]"},
      {"RotFlags", "[0, 0]"}, {"RotValues", "[0, 0, 0, 1]"}, {"Show", "1"}, {"Alpha Level", "1"},
      {"Alpha Blend Type", "0"}, {"Alpha Times", "[0, 0, 1, 0]"}, {"Alpha Throb On", "0"},
      {"Alpha Throb Min Level", "0"}, {"Alpha Throb Speed", "0.5"}, {"Alpha Throb Mult", "1"},
      {"TC Default", "1"}, {"TC TC", "[0, 0, 1, 1]"}, {"TC Tile", "[1, 1]"}, {"TC Move", "0"},
      {"TC Speed", "[0, 0]"}};
  for (const auto &change : changes) members[change.first] = change.second;
  std::string text;
  for (const auto &member : members) text += (text.empty() ? "{\"" : ", \"") + member.first + "\": " + member.second;
  return text + "}";
}

std::string Set(const std::string &stage) { return "{\"Name\": \"\", \"Stages\": [" + stage + "]}"; }

const char *GameItemName(_ModulesItem item) {
  return item == MODULES_ITEM_MENU_BACKGROUND ? "blue-for-menu.png" : "";
}

const char kRedAndGreen[] =
    "{\"Path\": \"\", \"Filename\": \"red.png\"}, {\"Path\": \"\", \"Filename\": \"green.png\"}";

class PictureDrawTest : public qwtest::DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    DebugResetForTests();
    ModulesResetForTests();
    eng_main_current_time = 20.0;
    qwtest::WriteWholeFile(dir.File("red.png"), Png(255, 0, 0));
    qwtest::WriteWholeFile(dir.File("green.png"), Png(0, 255, 0));
    qwtest::WriteWholeFile(dir.File("quad.png"), Png(0, 0, 0, true));
    device->PrepareFor2D(1);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  void TearDown() override {
    picture.Destroy();
    ModulesResetForTests();
    device->RestoreAfter2D();
    DeviceTest::TearDown();
  }
  // Loads the description (its textures from the temp folder) and creates its graphics.
  char Load(const std::string &draw_area, const std::string &sets, const std::string &textures = kRedAndGreen) {
    qwtest::WriteWholeFile(dir.File("pic.ttx"), "{\"Draw Area\": [" + draw_area + "], \"Textures\": [" + textures +
                                                    "], \"Sets\": [" + sets + "]}");
    EXPECT_TRUE(picture.LoadFromFile(dir.Path().c_str(), "pic", 1));
    return picture.CreateGraphics();
  }

  qwtest::TempDir dir;
  EngPicture picture;
};

TEST_F(PictureDrawTest, SetsAreDrawnInTheirAreasOfTheDrawArea) {
  ASSERT_TRUE(Load("320, 240, 160, 120",
                   Set(Stage(0)) + "," + Set(Stage(1, {{"Main Area", "[0.5, 0, 0.5, 0.5]"}}))));
  picture.Draw();
  EXPECT_EQ(At(340, 340), 'r');
  EXPECT_EQ(At(360, 260), 'r');
  EXPECT_EQ(At(460, 260), 'g');  // the second set lies on top, in the top-right quarter
  EXPECT_EQ(At(460, 320), 'r');
  EXPECT_EQ(At(310, 300), 'k');
  EXPECT_EQ(At(490, 300), 'k');
  EXPECT_EQ(At(400, 230), 'k');
  EXPECT_EQ(At(400, 370), 'k');
  EXPECT_TRUE(device->IsViewportFullScreen());
}

TEST_F(PictureDrawTest, TextureIsUprightAndTurnsAboutItsCentre) {
  ASSERT_TRUE(Load("0, 0, 640, 480", Set(Stage(0)), "{\"Path\": \"\", \"Filename\": \"quad.png\"}"));
  picture.Draw();
  EXPECT_EQ(At(160, 120), 'r');
  EXPECT_EQ(At(480, 120), 'g');
  EXPECT_EQ(At(160, 360), 'b');
  EXPECT_EQ(At(480, 360), 'w');

  // A wide area turned by 90 degrees stands upright around the same centre.
  glClear(GL_COLOR_BUFFER_BIT);
  ASSERT_TRUE(Load("0, 0, 640, 480",
                   Set(Stage(0, {{"Main Area", "[0.25, 0.375, 0.5, 0.25]"},
                                 {"RotFlags", "[1, 0]"},
                                 {"RotValues", "[90, 0, 0, 1]"}}))));
  picture.Draw();
  EXPECT_EQ(At(320, 140), 'r');
  EXPECT_EQ(At(320, 340), 'r');
  EXPECT_EQ(At(200, 240), 'k');
  EXPECT_EQ(At(440, 240), 'k');
}

TEST_F(PictureDrawTest, InsideACroppedViewportThePictureScalesIntoIt) {
  ASSERT_TRUE(Load("0, 0, 640, 480", Set(Stage(0))));
  device->SetViewportToSize(0, 0, 320, 240);
  picture.Draw();
  EXPECT_FALSE(device->IsViewportFullScreen());
  _EngDeviceViewport after;
  device->GetCurrentViewport(&after);
  EXPECT_EQ(after.width, 320);
  EXPECT_EQ(after.height, 240);
  device->SetViewportFullScreen();
  EXPECT_EQ(At(100, 100), 'r');
  EXPECT_EQ(At(310, 230), 'r');
  EXPECT_EQ(At(330, 100), 'k');
  EXPECT_EQ(At(100, 250), 'k');
}

TEST_F(PictureDrawTest, AlphaAndBlendTypes) {
  ASSERT_TRUE(Load("0, 0, 640, 480", Set(Stage(0, {{"Alpha Blend Type", "1"}}))));
  picture.DrawWithAlpha(0.5f);
  unsigned char p[3];
  ReadPixel(320, 240, p);
  EXPECT_NEAR(p[0], 128, 3);
  EXPECT_EQ(p[1], 0);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));

  // Type 20 is reported and draws with the blending in force; the draw still ends it.
  glClear(GL_COLOR_BUFFER_BIT);
  ASSERT_TRUE(Load("0, 0, 640, 480", Set(Stage(0, {{"Alpha Blend Type", "20"}}))));
  device->EnableSpecificBlending(EDEV_BLEND_ONE, EDEV_BLEND_ZERO);
  std::string log = Logged([&] { picture.Draw(); });
  EXPECT_NE(log.find("Invalid blend num"), std::string::npos);
  EXPECT_EQ(At(320, 240), 'r');
  EXPECT_FALSE(glIsEnabled(GL_BLEND));

  // Destination alpha is 1 (cleared so, or taken as 1 without an alpha buffer), so
  // INV_DEST_ALPHA drops the source: type 13 (INV_DEST_ALPHA, ONE) keeps the white
  // background, type 25 (INV_DEST_ALPHA, ZERO) blacks it out.
  const struct {
    int type;
    char want;
  } cases[] = {{13, 'w'}, {25, 'k'}, {3, 'w'}, {7, 'r'}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.type);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    ASSERT_TRUE(Load("0, 0, 640, 480", Set(Stage(0, {{"Alpha Blend Type", std::to_string(c.type)}}))));
    picture.Draw();
    EXPECT_EQ(At(320, 240), c.want);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
  }
}

TEST_F(PictureDrawTest, AnAreaWithoutSizeIsReportedAndLeavesBlendingAlone) {
  ASSERT_TRUE(Load("0, 0, 640, 480", Set(Stage(0, {{"Main Area", "[0, 0, 0, 1]"}, {"Alpha Blend Type", "3"}}))));
  device->EnableSpecificBlending(EDEV_BLEND_SRC_ALPHA, EDEV_BLEND_INV_SRC_ALPHA);
  std::string log = Logged([&] { picture.Draw(); });
  EXPECT_NE(log.find("No pos."), std::string::npos);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  device->DisableBlending();
  EXPECT_EQ(At(320, 240), 'k');
}

TEST_F(PictureDrawTest, MissingTexturesAreReportedAndTheirLayersLeftOut) {
  std::string log;
  log = Logged([&] {
    EXPECT_FALSE(Load("0, 0, 640, 480", Set(Stage(0)) + "," + Set(Stage(1, {{"Main Area", "[0, 0, 0.5, 0.5]"}})),
                      "{\"Path\": \"\", \"Filename\": \"red.png\"}, {\"Path\": \"\", \"Filename\": \"gone.png\"}"));
  });
  EXPECT_NE(log.find("File not found: <" + dir.File("gone.png") + ">"), std::string::npos) << log;
  EXPECT_TRUE(picture.AreGraphicsCreated());
  picture.Draw();
  EXPECT_EQ(At(100, 100), 'r');
  EXPECT_EQ(At(500, 400), 'r');

  // A stage that is not shown loads no texture, so a missing one does not matter.
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_TRUE(Load("0, 0, 640, 480", Set(Stage(0, {{"Show", "0"}})),
                   "{\"Path\": \"\", \"Filename\": \"gone.png\"}"));
  picture.Draw();
  EXPECT_EQ(At(320, 240), 'k');
}

TEST_F(PictureDrawTest, TheGamesFileReplacesAWellKnownTexture) {
  qwtest::WriteWholeFile(dir.File("blue-for-menu.png"), Png(0, 0, 255));
  ModulesSetup(nullptr, GameItemName);
  ModulesSetEngPictureTextureFileOverwriteCB(nullptr);
  // The game's names are relative to the working folder; here the test makes them absolute.
  static std::string folder;
  folder = dir.Path();
  EngPicture_SetTextureFileOverwriteCB([](const char *f, const char *name, char *out, int size) -> char {
    if (!ModulesEngPictureTextureFileOverwriteCB(f, name, out, size)) return 0;
    if (!out[0]) return 1;
    const std::string full = folder + "/" + out;
    snprintf(out, size_t(size), "%s", full.c_str());
    return 1;
  });
  ASSERT_TRUE(Load("0, 0, 640, 480", Set(Stage(0)), "{\"Path\": \"\", \"Filename\": \"MenuBg.jpg\"}"));
  picture.Draw();
  EXPECT_EQ(At(320, 240), 'b');

  // A name the game does not supply is reported and skipped.
  std::string log = Logged([&] {
    EXPECT_FALSE(Load("0, 0, 640, 480", Set(Stage(0)), "{\"Path\": \"\", \"Filename\": \"Misc.png\"}"));
  });
  EXPECT_NE(log.find("No file returned for <Misc.png>"), std::string::npos) << log;
}

}  // namespace
