#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngTga.h"
#include "Engine/EngToolkit.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinTextures.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

class MWinDisplayTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    EngWhichDeviceResetForTests();
    SetWindowSizeForToolkit(640, 480);
    mwin = new MWin(nullptr);
  }
  void TearDown() override {
    delete mwin;
    DeviceTest::TearDown();
  }
  MWin *mwin = nullptr;
};

TEST_F(MWinDisplayTest, TheToolkitFollowsTheDeviceThroughARecreation) {
  ASSERT_TRUE(mwin->Startup());
  EXPECT_TRUE(mwin->GetTextures()->AreTexturesLoaded());
  EXPECT_TRUE(mwin->GetFonts()->AreFontsLoaded());
  mwin->GetDesktop()->AddCollection("C");

  // What the program's graphics callbacks do around a device re-creation.
  mwin->DestroyGraphicsObjects();
  EXPECT_FALSE(mwin->GetTextures()->AreTexturesLoaded());
  device->Destroy();
  ASSERT_TRUE(device->Create(1, 640, 480, 32, 60));
  EXPECT_TRUE(mwin->CreateGraphicsObjects());
  EXPECT_TRUE(mwin->GetTextures()->AreTexturesLoaded());
  EXPECT_NE(mwin->GetDesktop()->GetCollectionFromID("C", 0), nullptr);
  mwin->RenderMain();

  EXPECT_TRUE(mwin->Shutdown());
  EXPECT_FALSE(mwin->GetTextures()->AreTexturesLoaded());
  EXPECT_EQ(mwin->GetDesktop()->GetFirstCollection(), nullptr);
  EXPECT_FALSE(EngToolkitIsOn(mwin));
  mwin->RenderMain();  // off: draws nothing
  ASSERT_TRUE(mwin->Startup());
  EXPECT_TRUE(mwin->GetTextures()->AreTexturesLoaded());
  EXPECT_TRUE(EngToolkitIsOn(mwin));
}

TEST_F(MWinDisplayTest, RenderMainClearsByTheClearMethodAndRestoresTheDeviceState) {
  ASSERT_TRUE(mwin->Startup());
  MWinCollection *c = mwin->GetDesktop()->AddCollection("C");
  c->SetViewportRatioed(100, 100, 200, 200, 0);
  device->SetClearColour(1.0f, 0.0f, 0.0f);
  mwin->SetClearMethod(MWIN_CLEAR_COLOUR, nullptr);
  device->EnableSpecificBlending(EDEV_BLEND_ONE, EDEV_BLEND_ZERO);
  char depth_before = device->IsDepthBufferOn();

  mwin->RenderMain();

  unsigned char rgb[3];
  ReadPixel(320, 240, rgb);
  EXPECT_EQ(rgb[0], 255);
  EXPECT_EQ(rgb[1], 0);
  char on = 0;
  EngInt32 source = 0, destination = 0;
  device->GetBlendingState(&on, &source, &destination);
  EXPECT_TRUE(on);
  EXPECT_EQ(source, EDEV_BLEND_ONE);
  EXPECT_EQ(destination, EDEV_BLEND_ZERO);
  EXPECT_EQ(device->IsDepthBufferOn(), depth_before);
  EXPECT_FALSE(device->Is2dPrepared());
  EXPECT_TRUE(device->IsViewportFullScreen());

  device->SetClearColour(0.0f, 0.0f, 1.0f);
  mwin->SetClearMethod(MWIN_CLEAR_NONE, nullptr);
  mwin->RenderMain();
  ReadPixel(320, 240, rgb);
  EXPECT_EQ(rgb[0], 255);  // nothing cleared
  EXPECT_FALSE(mwin->RenderPopups());  // no popup collection
}

TEST_F(MWinDisplayTest, BackgroundImagesAreDrawnUnderTheWindows) {
  TempDir dir;
  const std::string jpeg = dir.File("Back.jpg"), tga = dir.File("Screen.tga");
  std::vector<unsigned char> green(16 * 16 * 3, 0);
  for (size_t i = 1; i < green.size(); i += 3) green[i] = 255;
  ASSERT_TRUE(EngJpegWriteFileFromBuffer(jpeg.c_str(), 100, 0, 16, 16, green.data()));
  EngTga blue(16, 16, 32, 0.0f, 0.0f, 1.0f, 1.0f);
  ASSERT_TRUE(blue.SaveToFile(tga.c_str()));

  ASSERT_TRUE(mwin->Startup());
  mwin->SetClearMethod(MWIN_CLEAR_BACKGROUND_TEXTURE, jpeg.c_str());
  EXPECT_EQ(mwin->GetSettings()->clear_method, MWIN_CLEAR_BACKGROUND_TEXTURE);
  MWinCollection *c = mwin->GetDesktop()->AddCollection("C");
  _MWinWindowCreateInfo info = {};
  info.x = info.y = 500;
  info.width = info.height = 10;
  c->AddWindow("W", &info);
  mwin->RenderMain();
  unsigned char rgb[3];
  ReadPixel(320, 240, rgb);
  EXPECT_LT(rgb[0], 10);
  EXPECT_GT(rgb[1], 245);
  EXPECT_LT(rgb[2], 10);

  ASSERT_TRUE(c->SetBackgroundTextureFilename(tga.c_str(), 0, 0, 0));
  mwin->RenderMain();
  ReadPixel(320, 240, rgb);
  EXPECT_EQ(rgb[0], 0);
  EXPECT_EQ(rgb[1], 0);
  EXPECT_EQ(rgb[2], 255);

  // Across a device re-creation the images are loaded again from their files.
  mwin->DestroyGraphicsObjects();
  device->Destroy();
  ASSERT_TRUE(device->Create(1, 640, 480, 32, 60));
  ASSERT_TRUE(mwin->CreateGraphicsObjects());
  device->SetClearColour(1.0f, 0.0f, 0.0f);
  device->ClearScreenBuffer();
  mwin->RenderMain();
  ReadPixel(320, 240, rgb);
  EXPECT_EQ(rgb[2], 255);
  EXPECT_EQ(rgb[0], 0);
}

TEST_F(MWinDisplayTest, AnUnloadableBackgroundImageFallsBackToClearingByColour) {
  TempDir dir;
  const std::string bad = dir.File("Bad.jpg");
  WriteWholeFile(bad, "not a picture");
  ASSERT_TRUE(mwin->Startup());
  std::string log = Logged([&] { mwin->SetClearMethod(MWIN_CLEAR_BACKGROUND_TEXTURE, bad.c_str()); });
  EXPECT_NE(log.find("Could not load background image <" + bad + ">"), std::string::npos) << log;
  EXPECT_EQ(mwin->GetSettings()->clear_method, MWIN_CLEAR_COLOUR);

  MWinCollection *c = mwin->GetDesktop()->AddCollection("C");
  log = Logged([&] { EXPECT_TRUE(c->SetBackgroundTextureFilename(bad.c_str(), 0, 0, 0)); });
  EXPECT_NE(log.find("Could not load bg texture file <" + bad + ">"), std::string::npos) << log;
}

}  // namespace
}  // namespace qwtest
