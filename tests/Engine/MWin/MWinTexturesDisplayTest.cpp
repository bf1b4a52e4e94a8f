// Texture buttons drawn on the real device and read back: nine parts with unscaled corners,
// the slicing thresholds, state fallback and tints, and reloading after a device re-creation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Engine/EngDevice.h"
#include "Engine/EngTga.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinTextures.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/MWin/MWinSkinTestSupport.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

// A 64 by 64 picture in three bands of 16, 32 and 16 texels each way; the colour of a texel
// comes from its column band and row band.
typedef char (*BandColour)(int col, int row);

char NineColour(int col, int row) {
  if (col != 1 && row != 1) return 'r';  // corners
  if (col == 1 && row == 1) return 'w';  // middle
  return col == 1 ? 'g' : 'b';           // top and bottom edges green, sides blue
}
char ColumnColour(int col, int) { return "rgb"[col]; }
char RowColour(int, int row) { return "rgb"[row]; }

void WriteBandTga(const std::string &path, BandColour colour) {
  EngTga tga(64, 64, 32, 0, 0, 0, 1);
  const int starts[3] = {0, 16, 48}, sizes[3] = {16, 32, 16};
  for (int row = 0; row < 3; row++)
    for (int col = 0; col < 3; col++) {
      const char c = colour(col, row);
      const float r = (c == 'r' || c == 'w') ? 1.0f : 0.0f, g = (c == 'g' || c == 'w') ? 1.0f : 0.0f,
                  b = (c == 'b' || c == 'w') ? 1.0f : 0.0f;
      // SetDataPartColour counts rows from the bottom.
      tga.SetDataPartColour(starts[col], 64 - starts[row] - sizes[row], sizes[col], sizes[row], r, g, b, 1.0f);
    }
  ASSERT_TRUE(tga.SaveToFile(path.c_str()));
}

class MWinTexturesDisplayTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    EngWhichDeviceResetForTests();
    SetWindowSizeForToolkit(640, 480);
    mwin = new MWin(nullptr);
    tex = mwin->GetTextures();
    WriteBandTga(dir.File("Nine.tga"), NineColour);
    WriteBandTga(dir.File("Cols.tga"), ColumnColour);
    WriteBandTga(dir.File("Rows.tga"), RowColour);
    for (const char *name : {"Nine", "Cols", "Rows"})
      ASSERT_TRUE(tex->AddTexture(name, dir.File(std::string(name) + ".tga").c_str()));
  }
  void TearDown() override {
    delete mwin;
    DeviceTest::TearDown();
  }
  void BeginFrame() {
    device->SetClearColour(0, 0, 0);
    device->ClearScreenBuffer();
    device->PrepareFor2D(1);
  }
  void EndFrame() { device->RestoreAfter2D(); }
  // The pixel's colour as a letter: k, r, g, b, c, m, y, w for full or no red, green and blue
  // components, ? for anything between.
  static char At(int x, int y) {
    unsigned char p[3];
    ReadPixel(x, y, p);
    auto on = [](unsigned char v) { return v > 200; };
    auto off = [](unsigned char v) { return v < 55; };
    const char letters[8] = {'k', 'b', 'g', 'c', 'r', 'm', 'y', 'w'};
    for (unsigned char v : p)
      if (!on(v) && !off(v)) return '?';
    return letters[(on(p[0]) ? 4 : 0) + (on(p[1]) ? 2 : 0) + (on(p[2]) ? 1 : 0)];
  }
  // The letters along a row or a column of pixels.
  static std::string Row(int y, std::initializer_list<int> xs) {
    std::string s;
    for (int x : xs) s += At(x, y);
    return s;
  }
  static std::string Column(int x, std::initializer_list<int> ys) {
    std::string s;
    for (int y : ys) s += At(x, y);
    return s;
  }

  TempDir dir;
  MWin *mwin = nullptr;
  MWinTextures *tex = nullptr;
};

TEST_F(MWinTexturesDisplayTest, NinePartsKeepTheCornersUnscaledAndStretchTheEdges) {
  ASSERT_NE(tex->AddTextureButton("N", "Nine"), nullptr);
  ASSERT_TRUE(tex->SetTexButDrawStyle("N", 2, 0.25f, 16, 2, 0.25f, 12));  // 12 x 1.333333 = 16 high
  ASSERT_TRUE(mwin->Startup());
  ASSERT_TRUE(tex->AreTexturesLoaded());
  BeginFrame();
  ASSERT_TRUE(tex->DrawTextureButton(tex->GetTexButNumFromID("N"), MWIN_TEXSTATE_NORMAL, 100, 100, 200, 120, nullptr));
  EndFrame();
  // Columns 100..116, 116..284, 284..300; rows 100..116, 116..204, 204..220.
  EXPECT_EQ(Row(108, {96, 104, 113, 119, 200, 279, 287, 296, 304}), "krrgggrrk");
  EXPECT_EQ(Row(160, {104, 113, 119, 200, 279, 287, 296}), "bbwwwbb");
  EXPECT_EQ(Row(212, {104, 113, 119, 200, 279, 287, 296}), "rrgggrr");
  EXPECT_EQ(Column(108, {96, 104, 113, 119, 160, 201, 207, 216, 224}), "krrbbbrrk");
}

TEST_F(MWinTexturesDisplayTest, SlicingNeedsRoomForBothEdges) {
  tex->AddTextureButton("C", "Cols");
  tex->SetTexButDrawStyle("C", 2, 0.25f, 16, 1, 0, 16);
  tex->AddTextureButton("R", "Rows");
  tex->SetTexButDrawStyle("R", 1, 0, 16, 2, 0.25f, 12);
  ASSERT_TRUE(mwin->Startup());
  const int c = tex->GetTexButNumFromID("C"), r = tex->GetTexButNumFromID("R");
  BeginFrame();
  tex->DrawTextureButton(c, MWIN_TEXSTATE_NORMAL, 100, 100, 30, 20, nullptr);  // 30 is not above 2 x 16
  tex->DrawTextureButton(c, MWIN_TEXSTATE_NORMAL, 100, 200, 40, 20, nullptr);  // 16, 8, 16
  // 30 > 2 x 12, but the edge becomes 16 and 32 is not below 30.
  tex->DrawTextureButton(r, MWIN_TEXSTATE_NORMAL, 300, 100, 20, 30, nullptr);
  tex->DrawTextureButton(r, MWIN_TEXSTATE_NORMAL, 400, 100, 20, 40, nullptr);
  EndFrame();
  EXPECT_EQ(Row(110, {103, 112, 118, 127}), "rggb");
  EXPECT_EQ(Row(210, {103, 112, 119, 122, 130, 137}), "rrggbb");
  EXPECT_EQ(Column(310, {103, 112, 118, 127}), "rggb");
  EXPECT_EQ(Column(410, {103, 112, 119, 122, 130, 137}), "rrggbb");
}

TEST_F(MWinTexturesDisplayTest, UnsetStatesDrawTheNormalStateAndTintsMultiply) {
  // Normal: the white middle; highlighted: a red corner; pressed and disabled unset.
  tex->AddTextureButton("S", "Nine", 0.3f, 0.3f, 0.7f, 0.7f, "Nine", 0, 0, 0.2f, 0.2f, "", 0, 0, 0, 0, "", 0, 0, 0,
                        0);
  ASSERT_TRUE(mwin->Startup());
  const int s = tex->GetTexButNumFromID("S");
  const _ColourRGBA yellow = {1, 1, 0, 1};
  BeginFrame();
  tex->DrawTextureButton(s, MWIN_TEXSTATE_NORMAL, 0, 0, 20, 20, nullptr);
  tex->DrawTextureButton(s, MWIN_TEXSTATE_HIGHLIGHTED, 20, 0, 20, 20, nullptr);
  tex->DrawTextureButton(s, MWIN_TEXSTATE_PRESSED, 40, 0, 20, 20, nullptr);
  tex->DrawTextureButton(s, MWIN_TEXSTATE_DISABLED, 60, 0, 20, 20, &yellow);
  tex->SetTextureButtonStateColourMultiplier("S", MWIN_TEXSTATE_NORMAL, 0, 1, 1, 1);
  tex->DrawTextureButton(s, MWIN_TEXSTATE_PRESSED, 80, 0, 20, 20, nullptr);  // the normal state's multiplier
  tex->DrawTextureButton(s, MWIN_TEXSTATE_NORMAL, 100, 0, 20, 20, &yellow);  // yellow x cyan
  _Dimension area = {110, 20, 20, 20}, offset = {10, 0, 0, 0};
  tex->DrawTextureButtonPart(s, MWIN_TEXSTATE_HIGHLIGHTED, 0, 20, 20, 20, 0, 0, 1, 1, nullptr);
  tex->DrawTextureButton(s, MWIN_TEXSTATE_HIGHLIGHTED, &area, &offset, nullptr);
  EndFrame();
  EXPECT_EQ(Row(10, {10, 30, 50, 70, 90, 110}), "wrwycg");
  EXPECT_EQ(Row(30, {10, 115, 125, 135}), "rkrr");
}

TEST_F(MWinTexturesDisplayTest, TexturesAndTheSkinAreLoadedAgainAfterADeviceRecreation) {
  ASSERT_TRUE(SetupTestSkin(mwin, dir.Path()));
  tex->AddTextureButton("N", "Nine");
  tex->SetTexButDrawStyle("N", 2, 0.25f, 16, 2, 0.25f, 12);
  ASSERT_TRUE(mwin->Startup());
  ASSERT_TRUE(tex->AreTexturesLoaded());

  mwin->DestroyGraphicsObjects();
  EXPECT_FALSE(tex->AreTexturesLoaded());
  EXPECT_EQ(tex->GetTextureFromID("Nine")->texture, nullptr);
  device->Destroy();
  ASSERT_TRUE(device->Create(1, 640, 480, 32, 60));
  ASSERT_TRUE(mwin->CreateGraphicsObjects());
  ASSERT_TRUE(tex->AreTexturesLoaded());
  EXPECT_EQ(tex->GetStandardTexButNum(MWIN_STDTEX_WIN_BACK), 0) << "registrations survive";

  BeginFrame();
  ASSERT_TRUE(tex->DrawTextureButton(tex->GetTexButNumFromID("N"), MWIN_TEXSTATE_NORMAL, 100, 100, 200, 120, nullptr));
  _Dimension window = {320, 100, 200, 200};
  ASSERT_TRUE(tex->DrawTextureButton(tex->GetStandardTexButNum(MWIN_STDTEX_WIN_BACK), MWIN_TEXSTATE_NORMAL, &window,
                                     nullptr));
  EndFrame();
  EXPECT_EQ(Row(108, {104, 119, 200, 287}), "rggr");
  // The window back's middle: the atlas's grey-blue quarter tinted by the normal state's 0.85.
  unsigned char p[3];
  ReadPixel(420, 200, p);
  EXPECT_NEAR(p[0], 0.75 * 0.85 * 255, 6);
  EXPECT_NEAR(p[2], 0.8 * 0.85 * 255, 6);
}

}  // namespace
}  // namespace qwtest
