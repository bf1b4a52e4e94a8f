// The made picture descriptions drawn by the engine as the game draws them: the title, the
// maker's mark and the splash over the menu background, after a second and a half of their
// animation, saved as pictures-test.png in the build folder.
#include <gtest/gtest.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngPicture.h"
#include "Engine/EngTexture.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/tools/AssetgenDisplaySupport.h"

namespace qwtest {
namespace {

class AssetgenPicturesDisplayTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    DebugResetForTests();
    eng_main_current_time = 10.0;
    device->PrepareFor2D(1);
  }
  void TearDown() override {
    for (EngPicture &p : pictures) p.Destroy();
    device->RestoreAfter2D();
    DeviceTest::TearDown();
  }
  EngPicture pictures[3];
};

TEST_F(AssetgenPicturesDisplayTest, TitleMarkAndSplashDrawAndMove) {
  const char *const files[3] = {"Splash.ttx", "QuarrelwickTitle.ttx", "TmText.ttx"};
  for (int i = 0; i < 3; i++) {
    ASSERT_TRUE(pictures[i].LoadFromFile(MadeResources().c_str(), files[i], 0)) << files[i];
    ASSERT_TRUE(pictures[i].CreateGraphics()) << files[i];
  }
  // The maker's mark is shown on its own in the game; here it stands in the corner.
  pictures[2].SetDrawArea(470, 320, 160, 160);

  glClearColor(0.37f, 0.66f, 0.23f, 1);
  std::vector<unsigned char> first;
  for (int frame = 0; frame <= 90; frame++) {
    for (EngPicture &p : pictures) p.Tick(1.0f);
    eng_main_current_time = eng_main_current_time + 1.0 / 60.0;
    glClear(GL_COLOR_BUFFER_BIT);
    for (EngPicture &p : pictures) p.Draw();
    if (frame == 0) first = ReadScreen();
  }
  const std::vector<unsigned char> last = ReadScreen();
  SaveScreenPng(last, "pictures-test.png");

  double title[3], splash[3], ground[3];
  MeanColour(last, 200, 20, 440, 70, title);
  MeanColour(last, 300, 230, 340, 270, splash);
  MeanColour(last, 20, 420, 100, 470, ground);
  EXPECT_GT(title[0], title[2] + 40) << "the sunny logo";
  // The pictures bring their own blending: their clear corners show the ground, not black.
  double corner[3];
  MeanColour(last, 205, 140, 215, 150, corner);
  EXPECT_NEAR(corner[1], ground[1], 12);
  MeanColour(last, 125, 2, 140, 10, corner);
  EXPECT_NEAR(corner[1], ground[1], 12);
  EXPECT_GT(std::abs(splash[0] - ground[0]) + std::abs(splash[2] - ground[2]), 20) << "the splash is drawn";
  // Something moved: the title breathes, the ring and the rays turn.
  size_t changed = 0;
  for (size_t i = 0; i < last.size(); i += 4)
    if (std::abs(int(last[i]) - int(first[i])) + std::abs(int(last[i + 1]) - int(first[i + 1])) > 24) changed++;
  EXPECT_GT(changed, 2000u);
}

}  // namespace
}  // namespace qwtest
