// The menu bar interface of a platform without one: fixed answers, and cropping through the device.
#include "Engine/EngMenu.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <functional>

#include "Engine/EngMain.h"
#include "tests/Engine/DeviceTestSupport.h"

using qwtest::DeviceTest;

namespace {

void NoRow(char) {}

TEST(EngMenu, EveryAnswerIsThatOfAProgramWithoutAMenuBar) {
  EngMenuNew();
  EngMenuSetupTextures(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  EngMenuSetSizes(20, 1.0f, 1.0f, 1, 2, 3, 4, 5, 6, 1);
  EngMenuTurnOn();
  EngMenuUnhideNow();
  const std::function<int()> answers[] = {
      [] { return (int)EngMenuDisable(); },
      [] { return (int)EngMenuEnable(); },
      [] { return (int)EngMenuIsEnabled(); },
      [] { return EngMenuAddCol("File"); },
      [] { return EngMenuAddRowToCol(0, "Quit", "Q", NoRow, 1); },
      [] { return EngMenuAddSubMenuToCol(0, "More"); },
      [] { return EngMenuAddRowToSubMenu(0, 0, "Row", nullptr, NoRow, 2); },
      [] { return EngMenuGetNumCols(); },
      [] { return EngMenuGetNumRowsInCol(0); },
      [] { return EngMenuGetNumSubsInRow(0, 0); },
      [] { return (int)EngMenuMouseMove(10, 5); },
      [] { return (int)EngMenuMousePress(0, 1); },
      [] { return (int)EngMenuIsOn(); },
      [] { return (int)EngMenuIsShown(); },
      [] { return (int)EngMenuIsHidden(); },
      [] { return (int)EngMenuGetMenuBarScreenHeight(); },
  };
  for (size_t i = 0; i < sizeof(answers) / sizeof(answers[0]); i++) EXPECT_EQ(answers[i](), 0) << "answer " << i;
  EXPECT_EQ(EngMenuGetMenuBarHeight(), 0.0f);
  EngMenuFree();
  EngMenuExit();
}

TEST(EngMenu, CroppingWithoutADeviceDoesNothing) {
  ASSERT_EQ(eng_main_device, nullptr);
  _Dimension area = {10, 10, 100, 100};
  EngMenuCropToAreaRatioed(&area);
  EngMenuCropToAreaRatioed(10, 10, 100, 100);
}

TEST_F(DeviceTest, MenuCroppingCropsThroughTheDevice) {
  struct Case {
    bool with_struct;
    _Dimension area;
    GLint box[4];  // x, y from the bottom, width, height in pixels of the 640 by 480 window
  };
  const Case cases[] = {
      {true, {10, 20, 100, 50}, {10, 410, 100, 50}},
      {false, {0, 0, 320, 240}, {0, 240, 320, 240}},
  };
  for (const Case &c : cases) {
    device->TurnOffCrop();
    if (c.with_struct) {
      _Dimension area = c.area;
      EngMenuCropToAreaRatioed(&area);
    } else {
      EngMenuCropToAreaRatioed(c.area.x, c.area.y, c.area.width, c.area.height);
    }
    EXPECT_TRUE(device->IsCropOn());
    EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
    GLint box[4];
    glGetIntegerv(GL_SCISSOR_BOX, box);
    for (int k = 0; k < 4; k++) EXPECT_EQ(box[k], c.box[k]) << k;
  }
  device->TurnOffCrop();
  EngMenuCropToAreaRatioed(nullptr);
  EXPECT_FALSE(device->IsCropOn());
}

}  // namespace
