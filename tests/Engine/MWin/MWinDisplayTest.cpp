#include <gtest/gtest.h>

#include "Engine/EngDevice.h"
#include "Engine/EngToolkit.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinTextures.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/MWin/MWinTestSupport.h"

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

}  // namespace
}  // namespace qwtest
