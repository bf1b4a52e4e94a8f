#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinScreens.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/Engine/MWin/ScreensTestSupport.h"

namespace qwtest {
namespace {

// Reads the middle of each finished frame just before it is shown.
class ReadBackDevice : public EngDevice {
 public:
  explicit ReadBackDevice(EngWindow *window) : EngDevice(window) {}
  void SwapBuffers() override {
    unsigned char rgb[3] = {0, 0, 0};
    if (read_pixel) read_pixel(320, 240, rgb);
    shown.push_back(rgb[0]);
    EngDevice::SwapBuffers();
  }
  void (*read_pixel)(int x, int y, unsigned char rgb[3]) = nullptr;
  std::vector<int> shown;
};

class MWinScreensDisplayTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    device.reset();
    auto *read_back = new ReadBackDevice(window.get());
    device.reset(read_back);
    ASSERT_TRUE(device->Create(1, 640, 480, 32, 60));
    read_back->read_pixel = ReadPixel;
    frames = read_back;
    EngWhichDeviceResetForTests();
    SetWindowSizeForToolkit(640, 480);
    program.reset(CountingProgram::Make());
    eng_main_frame_rate = 60.0f;
    mwin = new MWin(nullptr);
    ASSERT_TRUE(mwin->Startup());
  }
  void TearDown() override {
    SteppingClock::Remove();
    delete mwin;
    program.reset();
    DeviceTest::TearDown();
  }

  ReadBackDevice *frames = nullptr;
  std::unique_ptr<CountingProgram> program;
  MWin *mwin = nullptr;
};

TEST_F(MWinScreensDisplayTest, AScreenChangeFadesToBlackAndBackToTheLivePicture) {
  std::vector<std::string> calls;
  FakeController one("SCR1", &calls), two("SCR2", &calls);
  MWinScreens screens(mwin, 1);
  one.m_screens = two.m_screens = &screens;
  ASSERT_TRUE(screens.SetupAllScreens());
  ASSERT_TRUE(screens.AddScreen(EngFourCC("SCR1"), &one));
  ASSERT_TRUE(screens.AddScreen(EngFourCC("SCR2"), &two));
  ASSERT_TRUE(screens.SetCurrentScreen(EngFourCC("SCR1")));
  SteppingClock::Install(0.01);
  screens.Start(0);
  frames->shown.clear();

  screens.GotoScreen(EngFourCC("SCR2"), nullptr);
  EXPECT_EQ(screens.GetCurrentScreen(), EngFourCC("SCR2"));
  const std::vector<int> &shown = frames->shown;
  ASSERT_EQ(shown.size(), 32u);  // two fades of the first frame and 15 steps
  EXPECT_GE(shown[0], 254);        // out: starts on the live (white) picture
  for (size_t i = 1; i < 16; i++) EXPECT_LT(shown[i], shown[i - 1]) << i;
  EXPECT_LE(shown[15], 1);         // ... ends black
  EXPECT_LE(shown[16], 1);         // in: starts black
  for (size_t i = 17; i < 32; i++) EXPECT_GT(shown[i], shown[i - 1]) << i;
  EXPECT_GE(shown[31], 254);       // ... and ends on the live picture
  screens.End(0);
}

TEST_F(MWinScreensDisplayTest, AFadeThatFallsBehindFinishesAtOnce) {
  MWinScreens screens(mwin, 1);
  // Readings: the first frame's two, the start, then two steps in time and a long stall.
  SteppingClock::Install(0.01, 5, 1.0);
  screens.DoFade(-1, 0.15);
  const std::vector<int> &shown = frames->shown;
  ASSERT_EQ(shown.size(), 16u);
  EXPECT_GE(shown[0], 254);
  EXPECT_GT(shown[2], 200);  // two steps of fifteen
  for (size_t i = 3; i < 16; i++) EXPECT_LE(shown[i], 1) << i;
}

}  // namespace
}  // namespace qwtest
