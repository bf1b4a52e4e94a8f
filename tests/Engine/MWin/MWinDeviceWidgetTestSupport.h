// A toolkit on the real device for the widget display tests: the test skin, a user font
// "Vera", one window over the whole screen without a back, a black clear colour, and helpers
// that read the frame back from the window's top-left corner.
#pragma once

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

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

class MWinDeviceWidgetTest : public DeviceTest {
 public:
  // The frame read back once: pixels addressed from the top-left corner.
  struct Pixels {
    std::vector<unsigned char> rgb = std::vector<unsigned char>(640 * 480 * 3);
    Pixels() {
      glPixelStorei(GL_PACK_ALIGNMENT, 1);
      glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    }
    const unsigned char *At(int x, int y) const { return &rgb[size_t(((479 - y) * 640 + x) * 3)]; }
    bool Black(int x, int y) const { return At(x, y)[0] + At(x, y)[1] + At(x, y)[2] == 0; }
    // Pixels that are not black in the rectangle.
    int Lit(int x0, int y0, int x1, int y1) const {
      int n = 0;
      for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++)
          if (!Black(x, y)) n++;
      return n;
    }
  };

 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    const char *vera = "/usr/share/fonts/truetype/ttf-bitstream-vera/VeraBd.ttf";
    ASSERT_TRUE(FileExists(vera)) << "install ttf-bitstream-vera";
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
    ASSERT_TRUE(mwin->GetFonts()->AddStandardFont(vera, &params));
    ASSERT_GE(mwin->GetFonts()->AddUserFont("Vera", vera, &params), 0);
    ASSERT_TRUE(mwin->Startup());
    ASSERT_TRUE(SetupTestSkin(mwin, dir.Path()));
    ASSERT_TRUE(mwin->CreateGraphicsObjects());
    mwin->SetClearMethod(MWIN_CLEAR_COLOUR, nullptr);
    device->SetClearColour(0, 0, 0);
    collection = mwin->GetDesktop()->AddCollection("C");
    _MWinWindowCreateInfo info = {};
    info.width = 640;
    info.height = 480;
    MWinCopyID(info.back_texbut, "MWIN_TEXBUT_NONE");
    window = collection->AddWindow("W", &info);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    delete mwin;
    EngLanguagesExit();
    EngWhichDeviceResetForTests();
    DeviceTest::TearDown();
  }
  TempDir dir;
  MWin *mwin = nullptr;
  MWinCollection *collection = nullptr;
  MWinWindow *window = nullptr;
};

}  // namespace qwtest
