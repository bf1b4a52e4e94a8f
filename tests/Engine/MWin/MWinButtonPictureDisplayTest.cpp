// Widgets showing a texture or a layered picture, drawn by the toolkit on the real device and
// read back: placement in the widget, borders, texture coordinates, colouring, and a picture
// that moves on to its next stage with the toolkit's tick.
#include <gtest/gtest.h>

#include <string>

#include "Engine/EngMain.h"
#include "Engine/EngPicture.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTga.h"
#include "Engine/MWin/MWinButton.h"
#include "tests/Engine/MWin/MWinWidgetDisplayTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

class MWinButtonPictureDisplayTest : public MWinPlainDisplayTest {
 protected:
  void SetUp() override {
    eng_main_current_time = 20.0;
    ASSERT_NO_FATAL_FAILURE(MWinPlainDisplayTest::SetUp());
    label = window->AddButton("P", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", nullptr, 200, 150, 160, 80);
    ASSERT_NE(label, nullptr);
  }
  void TearDown() override {
    // The toolkit goes before the texture and picture its widgets may point at.
    delete mwin;
    mwin = nullptr;
    picture.Destroy();
    texture.Destroy();
    MWinPlainDisplayTest::TearDown();
  }
  // An 8 by 8 texture: the left half red, the right half blue.
  void LoadRedBlueTexture() {
    EngTga tga(8, 8, 32, 1, 0, 0, 1);
    ASSERT_TRUE(tga.SetDataPartColour(4, 0, 4, 8, 0, 0, 1, 1));
    const std::string path = dir.File("redblue.tga");
    ASSERT_TRUE(tga.SaveToFile(path.c_str()));
    ASSERT_TRUE(texture.LoadFromFile(path.c_str(), 1, 0));
  }
  void WriteTexture(const char *name, float r, float g, float b) {
    EngTga tga(8, 8, 32, r, g, b, 1);
    ASSERT_TRUE(tga.SaveToFile(dir.File(name).c_str()));
  }
  // The colours at the points, in order, as one string.
  static std::string Row(std::initializer_list<std::pair<int, int>> points) {
    std::string out;
    for (const auto &p : points) out += At(p.first, p.second);
    return out;
  }

  TempDir dir;
  MWinButton *label = nullptr;
  EngTexture texture;
  EngPicture picture;
};

TEST_F(MWinButtonPictureDisplayTest, ATextureFillsTheWidgetOrItsAreaInsideTheBorders) {
  LoadRedBlueTexture();
  ASSERT_TRUE(label->PictureAttachTextureToButton(&texture, 0));
  mwin->RenderMain();
  // Across the middle row: outside, left half, right half, outside; then above and below.
  EXPECT_EQ(Row({{195, 190}, {205, 190}, {265, 190}, {295, 190}, {355, 190}, {365, 190}}), "krrbbk");
  EXPECT_EQ(Row({{240, 145}, {240, 155}, {240, 225}, {240, 235}}), "krrk");

  // 25% borders: 40 units left and right, 20 above and below.
  label->PictureSetBorders(25);
  mwin->RenderMain();
  EXPECT_EQ(Row({{235, 190}, {245, 190}, {265, 190}, {295, 190}, {315, 190}, {325, 190}}), "krrbbk");
  EXPECT_EQ(Row({{260, 165}, {260, 175}, {260, 205}, {260, 215}}), "krrk");

  // Borders that leave no room draw nothing rather than a picture turned inside out.
  label->PictureSetBorders(60);
  mwin->RenderMain();
  EXPECT_EQ(Row({{205, 190}, {265, 190}, {295, 190}, {355, 190}}), "kkkk");
}

TEST_F(MWinButtonPictureDisplayTest, TextureCoordinatesAndColouringLastUntilTheNextAttachment) {
  LoadRedBlueTexture();
  label->PictureAttachTextureToButton(&texture, 0);
  const _TexCoords full = *texture.GetTexCoordinates();
  // The red half between its texel centres, so no blue is filtered in at its edges.
  ASSERT_TRUE(label->PictureSetTextureCoordinates(0.0625f, 0.0625f, 0.4375f, 0.9375f));
  mwin->RenderMain();
  EXPECT_EQ(Row({{205, 190}, {265, 190}, {295, 190}, {355, 190}}), "rrrr");
  // The caller's texture keeps its own coordinates.
  EXPECT_FLOAT_EQ(texture.GetTexCoordinates()->left, full.left);
  EXPECT_FLOAT_EQ(texture.GetTexCoordinates()->right, full.right);
  EXPECT_FLOAT_EQ(texture.GetTexCoordinates()->bottom, full.bottom);

  label->SetColour(0.5f, 0.5f, 0.5f, 1);
  mwin->RenderMain();
  unsigned char p[3];
  ReadPixel(295, 190, p);
  EXPECT_NEAR(p[0], 128, 6);
  EXPECT_LT(p[2], 20);

  // A new attachment drops the coordinates.
  label->SetColour(1, 1, 1, 1);
  label->PictureAttachTextureToButton(&texture, 0);
  EXPECT_EQ(label->GetPicture()->tc_set, 0);
  mwin->RenderMain();
  EXPECT_EQ(Row({{205, 190}, {265, 190}, {295, 190}, {355, 190}}), "rrbb");

  label->PictureRemoveTextureFromButton();
  mwin->RenderMain();
  EXPECT_EQ(Row({{205, 190}, {355, 190}}), "kk");
}

TEST_F(MWinButtonPictureDisplayTest, AnAnimatedPictureIsDrawnInTheWidgetAndMovesOnWithTheTick) {
  WriteTexture("red.tga", 1, 0, 0);
  WriteTexture("green.tga", 0, 1, 0);
  // Two stages of one second each, the first red over the whole area, the second green in its
  // right half.
  const std::string stage =
      "\"Locks\": [0, 0, 0, 0], \"Trans Type\": 0, \"Trans Speeds\": [0, 0], \"Trans End Area\": [0, 0, 0, 0], "
      "\"RotFlags\": [0, 0], \"RotValues\": [0, 0, 0, 1], \"Show\": 1, \"Alpha Level\": 1, "
      "\"Alpha Blend Type\": 0, \"Alpha Times\": [0, 0, 1, 0], \"Alpha Throb On\": 0, "
      "\"Alpha Throb Min Level\": 0, \"Alpha Throb Speed\": 0.5, \"Alpha Throb Mult\": 1, \"TC Default\": 1, "
      "\"TC TC\": [0, 0, 1, 1], \"TC Tile\": [1, 1], \"TC Move\": 0, \"TC Speed\": [0, 0]";
  WriteWholeFile(dir.File("pic.ttx"),
                 "{\"Draw Area\": [0, 0, 640, 480], \"Textures\": [{\"Path\": \"\", \"Filename\": \"red.tga\"}, "
                 "{\"Path\": \"\", \"Filename\": \"green.tga\"}], \"Sets\": [{\"Name\": \"\", \"Stages\": [{\"TexNum\": 0, "
                 "\"Main Area\": [0, 0, 1, 1], " + stage + "}, {\"TexNum\": 1, \"Main Area\": [0.5, 0, 0.5, 1], " +
                     stage + "}]}]}");
  ASSERT_TRUE(picture.LoadFromFile(dir.Path().c_str(), "pic", 1));
  ASSERT_TRUE(picture.CreateGraphics());
  ASSERT_TRUE(label->PictureAttachPictureToButton(&picture, 1));

  mwin->Tick2();
  mwin->RenderMain();
  EXPECT_EQ(Row({{195, 190}, {205, 190}, {265, 190}, {295, 190}, {355, 190}, {365, 190}}), "krrrrk");
  EXPECT_EQ(Row({{240, 145}, {240, 155}, {240, 225}, {240, 235}}), "krrk");
  // The picture was drawn in the widget's area, whatever area it had before.
  EXPECT_FLOAT_EQ(picture.GetDrawArea()->x, 200);
  EXPECT_FLOAT_EQ(picture.GetDrawArea()->width, 160);

  eng_main_current_time = eng_main_current_time + 1.5;
  mwin->Tick2();
  mwin->RenderMain();
  EXPECT_EQ(Row({{205, 190}, {265, 190}, {295, 190}, {355, 190}, {365, 190}}), "kkggk");
}

}  // namespace
}  // namespace qwtest
