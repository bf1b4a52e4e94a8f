// The splash without a device: where it draws on wide and narrow windows, and what it refuses.
#include "players/Splash.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Engine/EngMathTypes.h"
#include "Engine/EngPicture.h"
#include "Engine/EngWindow.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(SplashDrawAreaTest, SquareOnScreenAndCentredOnNarrowWindows) {
  SplashResetForTests();
  float width = eng_main_window_width, height = eng_main_window_height;
  float narrow = eng_main_window_y_narrowscreen_ratio;
  const _Dimension *area = SplashGetPicture()->GetDrawArea();
  // A wide window: 240 units high from 135, as wide as high on the screen, centred on 320.
  eng_main_window_width = 1280;
  eng_main_window_height = 720;
  eng_main_window_y_narrowscreen_ratio = 1;
  SplashSetPictureDimension(320 - 120 * 0.75f, 135, 240 * 0.75f, 240, 1);
  EXPECT_FLOAT_EQ(area->y, 135);
  EXPECT_FLOAT_EQ(area->height, 240);
  EXPECT_FLOAT_EQ(area->x + area->width / 2, 320);
  EXPECT_NEAR(area->width / 640 * 1280, area->height / 480 * 720, 0.01);
  // Narrower than high: the height shrinks by width / height and keeps its centre.
  eng_main_window_width = 600;
  eng_main_window_height = 800;
  eng_main_window_y_narrowscreen_ratio = 600.0f / 800;
  SplashSetPictureDimension(200, 135, 240, 240, 1);
  EXPECT_FLOAT_EQ(area->height, 180);
  EXPECT_FLOAT_EQ(area->y + area->height / 2, 255);
  EXPECT_NEAR(area->width / 640 * 600, area->height / 480 * 800, 0.01);
  // No request: the default place.
  SplashSetPictureDimension(0, 0, 0, 0, 0);
  EXPECT_FLOAT_EQ(area->y, 115);
  EXPECT_FLOAT_EQ(area->height, 250);
  eng_main_window_width = EngInt32(width);
  eng_main_window_height = EngInt32(height);
  eng_main_window_y_narrowscreen_ratio = narrow;
  SplashResetForTests();
}

TEST(SplashTest, RefusedWithoutAPictureAndEndsQuietlyWhenOff) {
  SplashResetForTests();
  std::string log = qwtest::Logged([] { EXPECT_EQ(SplashStart(), 0); });
  EXPECT_NE(log.find("Splash not setup"), std::string::npos) << log;
  EXPECT_EQ(SplashSetupPicture(nullptr, "NoSuchSplash.ttx", nullptr, nullptr, 1, 1, nullptr, nullptr, nullptr,
                               nullptr),
            0);
  EXPECT_EQ(SplashIsOn(), 0);
  int done = 0;
  SplashSetupPicture(nullptr, "NoSuchSplash.ttx", nullptr, nullptr, 1, 1, nullptr, nullptr,
                     [](void *c) { ++*static_cast<int *>(c); }, &done);
  SplashEnd();
  EXPECT_EQ(done, 0);
  // A picture, but no device; its textures will be read by their own names, past any hook.
  EngPicture_SetTextureFileOverwriteCB([](const char *, const char *, char *, int) -> char { return 0; });
  std::string resources = qwtest::BuiltResources() + "/";
  ASSERT_EQ(SplashSetupPicture(resources.c_str(), "Splash.ttx", nullptr, nullptr, 1, 1, nullptr, nullptr, nullptr,
                               nullptr),
            1);
  EXPECT_EQ(EngPicture_GetTextureFileOverwriteCB(), nullptr);
  log = qwtest::Logged([] { EXPECT_EQ(SplashStart(), 0); });
  EXPECT_NE(log.find("No device"), std::string::npos) << log;
  EXPECT_EQ(SplashIsOn(), 0);
  EXPECT_EQ(SplashTick(), 0);
  EXPECT_EQ(SplashRender(0), 0);
  SplashResetForTests();
}

}  // namespace
