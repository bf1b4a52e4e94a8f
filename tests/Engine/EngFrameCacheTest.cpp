// The kept frame: what was drawn comes back whole or in an area, with the device cropped to
// that area; nothing is kept for another window size or device kind.
#include "Engine/EngFrameCache.h"

#include <gtest/gtest.h>

#include "Engine/EngMain.h"
#include "Engine/EngWindow.h"
#include "tests/Engine/DeviceTestSupport.h"

using qwtest::DeviceTest;

namespace {

const int kSlot = ENG_FRAME_CACHE_STILL_SCREEN;

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

}  // namespace

// Each quarter of the window has its own colour, so a copy turned over or with its colour
// channels swapped shows.
TEST_F(DeviceTest, AKeptFrameComesBackTheRightWayUpPixelForPixel) {
  Paint(device.get(), 0, 0, 320, 240, 1, 0, 0);
  Paint(device.get(), 320, 0, 320, 240, 0, 1, 0);
  Paint(device.get(), 0, 240, 320, 240, 0, 0, 1);
  Paint(device.get(), 320, 240, 320, 240, 1, 1, 1);
  ASSERT_EQ(EngFrameCacheSave(kSlot), 1);
  struct Case {
    int x, y;
    char colour;
  } quarters[] = {{0, 0, 'r'},   {319, 239, 'r'}, {320, 0, 'g'},   {639, 239, 'g'},
                  {0, 240, 'b'}, {319, 479, 'b'}, {320, 240, 'w'}, {639, 479, 'w'}};

  Clear(device.get(), 0, 0, 0);
  ASSERT_EQ(EngFrameCacheRestore(kSlot), 1);
  for (const Case &c : quarters) EXPECT_EQ(At(c.x, c.y), c.colour) << c.x << "," << c.y;

  // An area off the middle (its pixels: 100 to 399 across, 50 to 249 down) over three quarters.
  Clear(device.get(), 0, 0, 0);
  ASSERT_EQ(EngFrameCacheRestoreArea(kSlot, 100, 50, 300, 200), 1);
  device->TurnOffCrop();
  const Case area[] = {{100, 50, 'r'},  {319, 239, 'r'}, {320, 50, 'g'},  {399, 239, 'g'}, {100, 240, 'b'},
                       {319, 249, 'b'}, {320, 249, 'w'}, {399, 249, 'w'}, {99, 50, 'k'},   {100, 49, 'k'},
                       {400, 100, 'k'}, {200, 250, 'k'}, {639, 479, 'k'}, {0, 0, 'k'}};
  for (const Case &c : area) EXPECT_EQ(At(c.x, c.y), c.colour) << c.x << "," << c.y;
}

TEST_F(DeviceTest, AKeptFrameComesBackWholeOrInAnAreaWithTheCropOnIt) {
  Clear(device.get(), 1, 0, 0);
  ASSERT_EQ(EngFrameCacheSave(kSlot), 1);
  EXPECT_EQ(EngFrameCacheIsValid(kSlot), 1);

  Clear(device.get(), 0, 0, 1);
  ASSERT_EQ(EngFrameCacheRestoreArea(kSlot, 0, 0, 320, 240), 1);
  // Cleared inside the crop only.
  Clear(device.get(), 0, 1, 0);
  device->TurnOffCrop();
  struct Case {
    int x, y;
    char colour;
  } cases[] = {{0, 0, 'g'}, {159, 119, 'g'}, {319, 239, 'g'}, {320, 240, 'b'}, {639, 0, 'b'}, {0, 479, 'b'}};
  for (const Case &c : cases) EXPECT_EQ(At(c.x, c.y), c.colour) << c.x << "," << c.y;

  ASSERT_EQ(EngFrameCacheRestore(kSlot), 1);
  for (const Case &c : cases) EXPECT_EQ(At(c.x, c.y), 'r') << c.x << "," << c.y;

  // An area reaching past the window is cut to it.
  Clear(device.get(), 0, 0, 1);
  ASSERT_EQ(EngFrameCacheRestoreArea(kSlot, 600, 400, 100, 100), 1);
  device->TurnOffCrop();
  EXPECT_EQ(At(639, 479), 'r');
  EXPECT_EQ(At(599, 399), 'b');

  EngFrameCacheInvalidate(kSlot);
  EXPECT_EQ(EngFrameCacheIsValid(kSlot), 0);
  EXPECT_EQ(EngFrameCacheRestore(kSlot), 0);
  EXPECT_EQ(EngFrameCacheRestoreArea(kSlot, 0, 0, 640, 480), 0);
  EXPECT_EQ(At(0, 0), 'b');

  // A kept frame of another window size is not put back.
  ASSERT_EQ(EngFrameCacheSave(kSlot), 1);
  const EngInt32 width = eng_main_window_width;
  eng_main_window_width = width / 2;
  EXPECT_EQ(EngFrameCacheIsValid(kSlot), 0);
  EXPECT_EQ(EngFrameCacheRestore(kSlot), 0);
  eng_main_window_width = width;
  EXPECT_EQ(EngFrameCacheIsValid(kSlot), 1);
  // The other slot keeps its own frame.
  EXPECT_EQ(EngFrameCacheIsValid(ENG_FRAME_CACHE_FIELD_LAYERS), 0);
  Clear(device.get(), 0, 1, 0);
  ASSERT_EQ(EngFrameCacheSave(ENG_FRAME_CACHE_FIELD_LAYERS), 1);
  EXPECT_EQ(EngFrameCacheRestore(kSlot), 1);
  EXPECT_EQ(At(0, 0), 'b');
  EXPECT_EQ(EngFrameCacheRestore(ENG_FRAME_CACHE_FIELD_LAYERS), 1);
  EXPECT_EQ(At(0, 0), 'g');
  EXPECT_EQ(EngFrameCacheSave(ENG_FRAME_CACHES), 0);
  EngFrameCacheDeleteGraphics();
  EXPECT_EQ(EngFrameCacheIsValid(kSlot), 0);
  EXPECT_EQ(EngFrameCacheIsValid(ENG_FRAME_CACHE_FIELD_LAYERS), 0);
}

TEST(EngFrameCache, KeepsNothingForAnotherDeviceKind) {
  const EngInt32 kind = eng_main_device_type;
  eng_main_device_type = 0;
  EXPECT_EQ(EngFrameCacheSave(kSlot), 0);
  EXPECT_EQ(EngFrameCacheRestore(kSlot), 0);
  EXPECT_EQ(EngFrameCacheRestoreArea(kSlot, 0, 0, 10, 10), 0);
  EXPECT_EQ(EngFrameCacheIsValid(kSlot), 0);
  eng_main_device_type = kind;
}
