// The copy of what was drawn: it comes back whole, the right way up, and only for the window size
// and device kind it was taken with.
#include "Engine/EngDrawnCopy.h"

#include <gtest/gtest.h>

#include "Engine/EngMain.h"
#include "Engine/EngWindow.h"
#include "tests/Engine/DeviceTestSupport.h"

using qwtest::DeviceTest;

namespace {

void Clear(EngDevice *device, float r, float g, float b) {
  device->SetClearColour(r, g, b);
  device->ClearScreen();
}

// One colour over x, y, w, h pixels from the window's top-left corner.
void Paint(EngDevice *device, int x, int y, int w, int h, float r, float g, float b) {
  device->CropToArea(x, y, w, h);
  Clear(device, r, g, b);
  device->TurnOffCrop();
}

// Each quarter of the window has its own colour, so a copy turned over or with its colour
// channels swapped shows; a crop left on does not cut the copy back.
TEST_F(DeviceTest, ADrawnCopyComesBackWholeTheRightWayUp) {
  Paint(device.get(), 0, 0, 320, 240, 1, 0, 0);
  Paint(device.get(), 320, 0, 320, 240, 0, 1, 0);
  Paint(device.get(), 0, 240, 320, 240, 0, 0, 1);
  Paint(device.get(), 320, 240, 320, 240, 1, 1, 1);
  ASSERT_EQ(EngDrawnCopySave(), 1);
  EXPECT_EQ(EngDrawnCopyIsValid(), 1);
  Clear(device.get(), 0, 0, 0);
  device->CropToArea(0, 0, 10, 10);
  ASSERT_EQ(EngDrawnCopyRestore(), 1);
  device->TurnOffCrop();
  const struct {
    int x, y;
    char colour;
  } quarters[] = {{0, 0, 'r'},   {319, 239, 'r'}, {320, 0, 'g'},   {639, 239, 'g'},
                  {0, 240, 'b'}, {319, 479, 'b'}, {320, 240, 'w'}, {639, 479, 'w'}};
  for (const auto &c : quarters) EXPECT_EQ(At(c.x, c.y), c.colour) << c.x << "," << c.y;
}

// What no longer matches the screen is not put back: after an invalidation, at another window
// size, after the graphics went, or on another device kind.
TEST_F(DeviceTest, ADrawnCopyIsPutBackOnlyWhileItStillMatches) {
  Clear(device.get(), 1, 0, 0);
  ASSERT_EQ(EngDrawnCopySave(), 1);
  Clear(device.get(), 0, 0, 1);
  EngDrawnCopyInvalidate();
  EXPECT_EQ(EngDrawnCopyIsValid(), 0);
  EXPECT_EQ(EngDrawnCopyRestore(), 0);
  EXPECT_EQ(At(0, 0), 'b');

  ASSERT_EQ(EngDrawnCopySave(), 1);
  const EngInt32 width = eng_main_window_width;
  eng_main_window_width = width / 2;
  EXPECT_EQ(EngDrawnCopyIsValid(), 0);
  EXPECT_EQ(EngDrawnCopyRestore(), 0);
  eng_main_window_width = width;
  EXPECT_EQ(EngDrawnCopyIsValid(), 1);

  const EngInt32 kind = eng_main_device_type;
  eng_main_device_type = 0;
  EXPECT_EQ(EngDrawnCopyIsValid(), 0);
  EXPECT_EQ(EngDrawnCopyRestore(), 0);
  EXPECT_EQ(EngDrawnCopySave(), 0);
  eng_main_device_type = kind;

  EngDrawnCopyDeleteGraphics();
  EXPECT_EQ(EngDrawnCopyIsValid(), 0);
  EXPECT_EQ(EngDrawnCopyRestore(), 0);
}

}  // namespace
