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

}  // namespace

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
