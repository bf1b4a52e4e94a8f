// Toolkits on the real device for the display tests, read back pixel by pixel. The widget
// fixture has the test skin and the standard font, the plain one neither; both draw in one
// full-screen window without a back, cleared to black.
#pragma once

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
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

const char *const kVeraBold = "/usr/share/fonts/truetype/ttf-bitstream-vera/VeraBd.ttf";

// Vera Bold at the size, printable ASCII only, as the toolkit's standard font.
inline bool AddVeraBoldFont(MWin *mwin, int size) {
  _MWinFontParams params;
  memset(&params, 0, sizeof(params));
  params.size = size;
  params.min_char = 32;
  params.max_char = 126;
  params.x_scale = params.y_scale = 1;
  return mwin->GetFonts()->AddStandardFont(kVeraBold, &params);
}

// Collection "C" holding window "W" over the whole 640 by 480 screen, cleared to black.
inline MWinWindow *AddBlackScreenWindow(MWin *mwin, EngDevice *device) {
  mwin->SetClearMethod(MWIN_CLEAR_COLOUR, nullptr);
  device->SetClearColour(0, 0, 0);
  MWinCollection *c = mwin->GetDesktop()->AddCollection("C");
  _MWinWindowCreateInfo info = {};
  info.width = 640;
  info.height = 480;
  MWinCopyID(info.back_texbut, "MWIN_TEXBUT_NONE");
  return c->AddWindow("W", &info);
}

// The bounds of the pixels inside a rectangle that pass a colour test.
struct Found {
  int first_x = -1, last_x = -1, first_y = -1, last_y = -1;
};

inline Found FindPixels(int x0, int y0, int x1, int y1, const std::function<bool(const unsigned char *)> &test) {
  std::vector<unsigned char> rgba(640 * 480 * 4);
  glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  Found found;
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++)
      if (test(&rgba[size_t(((479 - y) * 640 + x) * 4)])) {
        if (found.first_x < 0 || x < found.first_x) found.first_x = x;
        if (x > found.last_x) found.last_x = x;
        if (found.first_y < 0) found.first_y = y;
        found.last_y = y;
      }
  return found;
}

class MWinWidgetDisplayTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    ASSERT_TRUE(FileExists(kVeraBold)) << "install ttf-bitstream-vera";
    EngWhichDeviceResetForTests();
    EngLanguagesExit();
    SetWindowSizeForToolkit(640, 480);
    mwin = new MWin(nullptr);
    ASSERT_TRUE(AddVeraBoldFont(mwin, 24));
    ASSERT_TRUE(mwin->Startup());
    ASSERT_TRUE(SetupTestSkin(mwin, dir.Path()));
    ASSERT_TRUE(mwin->CreateGraphicsObjects());
    window = AddBlackScreenWindow(mwin, device.get());
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

// No font and no skin: for widgets that draw plain colours of their own.
class MWinPlainDisplayTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    DebugResetForTests();
    EngWhichDeviceResetForTests();
    SetWindowSizeForToolkit(640, 480);
    mwin = new MWin(nullptr);
    ASSERT_TRUE(mwin->Startup());
    ASSERT_TRUE(mwin->CreateGraphicsObjects());
    window = AddBlackScreenWindow(mwin, device.get());
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    delete mwin;
    mwin = nullptr;
    DeviceTest::TearDown();
  }

  MWin *mwin = nullptr;
  MWinWindow *window = nullptr;
};

}  // namespace qwtest
