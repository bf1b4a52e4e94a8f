// A toolkit on the real device with the test skin, the standard font and one full-screen
// window without a back, cleared to black: widgets drawn in it are read back pixel by pixel.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "Engine/EngLanguages.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinWindow.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/MWin/MWinSkinTestSupport.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {

class MWinWidgetDisplayTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    const char *font = "/usr/share/fonts/truetype/ttf-bitstream-vera/VeraBd.ttf";
    ASSERT_TRUE(FileExists(font)) << "install ttf-bitstream-vera";
    EngWhichDeviceResetForTests();
    EngLanguagesExit();
    SetWindowSizeForToolkit(640, 480);
    mwin = new MWin(nullptr);
    _MWinFontParams params;
    memset(&params, 0, sizeof(params));
    params.size = 24;
    params.min_char = 32;
    params.max_char = 126;
    params.x_scale = params.y_scale = 1;
    ASSERT_TRUE(mwin->GetFonts()->AddStandardFont(font, &params));
    ASSERT_TRUE(mwin->Startup());
    ASSERT_TRUE(SetupTestSkin(mwin, dir.Path()));
    ASSERT_TRUE(mwin->CreateGraphicsObjects());
    mwin->SetClearMethod(MWIN_CLEAR_COLOUR, nullptr);
    device->SetClearColour(0, 0, 0);
    MWinCollection *c = mwin->GetDesktop()->AddCollection("C");
    _MWinWindowCreateInfo info = {};
    info.width = 640;
    info.height = 480;
    MWinCopyID(info.back_texbut, "MWIN_TEXBUT_NONE");
    window = c->AddWindow("W", &info);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    delete mwin;
    EngLanguagesExit();
    DeviceTest::TearDown();
  }
  // The skin's list, choice and push-button colour is blue-heavy; its boxes and arrows are grey.
  static bool Bluish(int x, int y) {
    unsigned char rgb[3];
    ReadPixel(x, y, rgb);
    return rgb[2] > rgb[0] + 30;
  }
  static bool Greyish(int x, int y) {
    unsigned char rgb[3];
    ReadPixel(x, y, rgb);
    return rgb[0] > 60 && rgb[0] + 12 > rgb[2] && rgb[2] + 12 > rgb[0];
  }
  static bool Black(int x, int y) {
    unsigned char rgb[3];
    ReadPixel(x, y, rgb);
    return rgb[0] < 10 && rgb[1] < 10 && rgb[2] < 10;
  }

  TempDir dir;
  MWin *mwin = nullptr;
  MWinWindow *window = nullptr;
};

}  // namespace qwtest
