// The kept frame: what was drawn comes back whole, or in an area with the device cropped to it
// when the driver's buffer age says that the back buffer holds a frame that differs from the
// kept one only there; nothing is kept for another window size or device kind.
#include "Engine/EngFrameCache.h"

#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngContext.h"
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

// The driver's answers, as a test gives them: its buffer age, and the parts it was asked to copy
// to the window when it can.
EngInt32 buffer_age = -1;
EngInt32 BufferAge() { return buffer_age; }
char can_copy = 0;
std::vector<std::vector<EngInt32>> copies;
char Copy(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h) {
  if (can_copy) copies.push_back({x, y, w, h});
  return can_copy;
}

// A driver that gives a buffer age and copies no part, for the length of the test.
struct ScopedBufferAge {
  explicit ScopedBufferAge(EngInt32 age) {
    buffer_age = age;
    can_copy = 0;
    copies.clear();
    EngFrameCacheSetWindowForTests(BufferAge, Copy);
  }
  ~ScopedBufferAge() { EngFrameCacheSetWindowForTests(nullptr, nullptr); }
};

// A frame drawn as a resting screen draws it: the kept frame put back in an area, the area
// painted over in green, and the buffers swapped. What was put back: 2 the area, 1 the whole.
char RestingFrame(EngDevice *device, float x, float y, float w, float h) {
  const char put_back = EngFrameCacheRestoreArea(kSlot, x, y, w, h);
  Clear(device, 0, 1, 0);
  device->StopLimitingDrawing();
  device->SwapBuffers();
  return put_back;
}

}  // namespace

TEST(EngFrameCache, AnAreaIsEnoughOnlyWhenTheBackBufferHoldsAFrameOfTheRun) {
  // The frame being drawn is shown by swap 10; swaps 6 to 9 showed the kept frame with the same
  // area drawn over.
  const struct {
    EngInt32 age;
    EngUInt32 first, last;
    char enough;
  } cases[] = {
      {-1, 6, 9, 0},  // the driver gives no account (no buffer-age extension)
      {0, 6, 9, 0},   // the back buffer's contents are undefined
      {1, 6, 9, 1},   // kept from the last swap (a copying swap)
      {2, 6, 9, 1},   // two buffers taking turns
      {4, 6, 9, 1},   // the first frame of the run
      {5, 6, 9, 0},   // shown before the run began
      {40, 6, 9, 0},  // older than any swap
      {2, 6, 7, 0},   // the last swap showed something else
      {1, 0, 0, 0},   // no run
      {1, 9, 9, 1},   // a run of one frame
  };
  for (const auto &c : cases)
    EXPECT_EQ(EngFrameCacheBackBufferHoldsRun(c.age, 10, c.first, c.last), c.enough)
        << "age " << c.age << ", run " << c.first << " to " << c.last;
}

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

  // An area off the middle (its pixels: 100 to 399 across, 50 to 249 down) over three quarters,
  // put back where the back buffer holds the last frame shown.
  ScopedBufferAge kept(1);
  ASSERT_EQ(RestingFrame(device.get(), 100, 50, 300, 200), 1);
  Clear(device.get(), 0, 0, 0);
  ASSERT_EQ(EngFrameCacheRestoreArea(kSlot, 100, 50, 300, 200), 2);
  device->StopLimitingDrawing();
  const Case area[] = {{100, 50, 'r'},  {319, 239, 'r'}, {320, 50, 'g'},  {399, 239, 'g'}, {100, 240, 'b'},
                       {319, 249, 'b'}, {320, 249, 'w'}, {399, 249, 'w'}, {99, 50, 'k'},   {100, 49, 'k'},
                       {400, 100, 'k'}, {200, 250, 'k'}, {639, 479, 'k'}, {0, 0, 'k'}};
  for (const Case &c : area) EXPECT_EQ(At(c.x, c.y), c.colour) << c.x << "," << c.y;
}

TEST_F(DeviceTest, AKeptFrameComesBackWholeOrInAnAreaWithTheCropOnIt) {
  ScopedBufferAge kept(1);
  Clear(device.get(), 1, 0, 0);
  ASSERT_EQ(EngFrameCacheSave(kSlot), 1);
  EXPECT_EQ(EngFrameCacheIsValid(kSlot), 1);
  ASSERT_EQ(RestingFrame(device.get(), 0, 0, 320, 240), 1);

  Clear(device.get(), 0, 0, 1);
  ASSERT_EQ(EngFrameCacheRestoreArea(kSlot, 0, 0, 320, 240), 2);
  // Cleared inside the crop only.
  Clear(device.get(), 0, 1, 0);
  device->StopLimitingDrawing();
  struct Case {
    int x, y;
    char colour;
  } cases[] = {{0, 0, 'g'}, {159, 119, 'g'}, {319, 239, 'g'}, {320, 240, 'b'}, {639, 0, 'b'}, {0, 479, 'b'}};
  for (const Case &c : cases) EXPECT_EQ(At(c.x, c.y), c.colour) << c.x << "," << c.y;

  ASSERT_EQ(EngFrameCacheRestore(kSlot), 1);
  for (const Case &c : cases) EXPECT_EQ(At(c.x, c.y), 'r') << c.x << "," << c.y;

  // An area reaching past the window is cut to it.
  ASSERT_EQ(RestingFrame(device.get(), 600, 400, 100, 100), 1);
  Clear(device.get(), 0, 0, 1);
  ASSERT_EQ(EngFrameCacheRestoreArea(kSlot, 600, 400, 100, 100), 2);
  device->StopLimitingDrawing();
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

// What each buffer age gives after a run of resting frames: only the driver's answer lets the
// area alone come back; anything else puts the whole kept frame back, with no crop.
TEST_F(DeviceTest, TheDriversBufferAgeDecidesWhetherTheAreaAloneComesBack) {
  const struct {
    EngInt32 age;
    char put_back;
  } cases[] = {{-1, 1}, {0, 1}, {1, 2}, {2, 2}, {3, 2}, {4, 1}, {9, 1}};
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << "buffer age " << c.age);
    ScopedBufferAge age(1);
    Clear(device.get(), 1, 0, 0);
    ASSERT_EQ(EngFrameCacheSave(kSlot), 1);
    device->SwapBuffers();
    // The first frame puts the whole frame back; it and the two after it make a run of three.
    EXPECT_EQ(RestingFrame(device.get(), 100, 100, 50, 50), 1);
    EXPECT_EQ(RestingFrame(device.get(), 100, 100, 50, 50), 2);
    EXPECT_EQ(RestingFrame(device.get(), 100, 100, 50, 50), 2);
    // Whatever the back buffer holds outside the area, blue here, stays only for an area alone.
    buffer_age = c.age;
    Clear(device.get(), 0, 0, 1);
    EXPECT_EQ(EngFrameCacheRestoreArea(kSlot, 100, 100, 50, 50), c.put_back);
    EXPECT_EQ(device->IsDrawingLimited(), c.put_back == 2 ? 1 : 0);
    device->StopLimitingDrawing();
    EXPECT_EQ(At(120, 120), 'r');
    EXPECT_EQ(At(300, 300), c.put_back == 2 ? 'b' : 'r');
  }

  // Another kind of frame between (a notice drawn and shown) ends the run: the back buffer of
  // age 1 holds it, the one of age 2 a frame of the run.
  ScopedBufferAge age(1);
  Clear(device.get(), 1, 0, 0);
  ASSERT_EQ(EngFrameCacheSave(kSlot), 1);
  EXPECT_EQ(RestingFrame(device.get(), 100, 100, 50, 50), 1);
  EXPECT_EQ(RestingFrame(device.get(), 100, 100, 50, 50), 2);
  device->SwapBuffers();
  EXPECT_EQ(RestingFrame(device.get(), 100, 100, 50, 50), 1);
  EXPECT_EQ(RestingFrame(device.get(), 100, 100, 50, 50), 2);
  device->SwapBuffers();
  buffer_age = 2;
  EXPECT_EQ(RestingFrame(device.get(), 100, 100, 50, 50), 2);
  // Another area, or a new kept frame, starts again from the whole.
  buffer_age = 1;
  EXPECT_EQ(RestingFrame(device.get(), 100, 100, 60, 50), 1);
  EXPECT_EQ(RestingFrame(device.get(), 100, 100, 60, 50), 2);
  ASSERT_EQ(EngFrameCacheSave(kSlot), 1);
  device->SwapBuffers();
  EXPECT_EQ(RestingFrame(device.get(), 100, 100, 60, 50), 1);
  EngFrameCacheInvalidate(kSlot);
  EXPECT_EQ(RestingFrame(device.get(), 100, 100, 60, 50), 0);
}

// Where the driver can copy a part of the back buffer to the window, a resting frame is shown by
// copying the part that changed, and the back buffer, left as it is, needs only that part put
// back next time whatever the buffer age says; a frame of anything else is swapped whole.
TEST_F(DeviceTest, APartCopiedToTheWindowLeavesTheBackBufferForTheNextPart) {
  ScopedBufferAge age(-1);
  can_copy = 1;
  const _Dimension area = {100, 100, 200, 100}, left = {100, 100, 50, 50}, right = {250, 150, 50, 50};
  Clear(device.get(), 1, 0, 0);
  ASSERT_EQ(EngFrameCacheSave(kSlot), 1);
  device->SwapBuffers();
  EXPECT_TRUE(copies.empty());
  // No account of the back buffer: the whole kept frame comes back, and the left part is shown.
  Clear(device.get(), 0, 0, 1);
  ASSERT_EQ(EngFrameCacheRestorePart(kSlot, &area, &left), 1);
  EXPECT_EQ(At(300, 300), 'r');
  Clear(device.get(), 0, 1, 0);
  device->SwapBuffers();
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0], (std::vector<EngInt32>{100, 480 - 150, 50, 50}));
  // The back buffer held still: the right part alone comes back, cropped.
  ASSERT_EQ(EngFrameCacheRestorePart(kSlot, &area, &right), 2);
  EXPECT_EQ(device->IsDrawingLimited(), 1);
  Clear(device.get(), 1, 1, 1);
  device->StopLimitingDrawing();
  EXPECT_EQ(At(260, 160), 'w');
  EXPECT_EQ(At(120, 120), 'g');
  EXPECT_EQ(At(400, 400), 'g');
  device->SwapBuffers();
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(copies[1], (std::vector<EngInt32>{250, 480 - 200, 50, 50}));
  // A window uncovered shows the next frame whole; the part after it is copied again.
  EngFrameCacheShowWholeNextFrame();
  ASSERT_EQ(EngFrameCacheRestorePart(kSlot, &area, &left), 2);
  device->StopLimitingDrawing();
  device->SwapBuffers();
  EXPECT_EQ(copies.size(), 2u);
  ASSERT_EQ(EngFrameCacheRestorePart(kSlot, &area, &left), 1);
  device->SwapBuffers();
  EXPECT_EQ(copies.size(), 3u);
  // A frame of something else is swapped whole, and the next part starts from the whole again.
  device->SwapBuffers();
  EXPECT_EQ(copies.size(), 3u);
  ASSERT_EQ(EngFrameCacheRestorePart(kSlot, &area, &left), 1);
  device->SwapBuffers();
  EXPECT_EQ(copies.size(), 3u);
  ASSERT_EQ(EngFrameCacheRestorePart(kSlot, &area, &left), 1);
  device->SwapBuffers();
  EXPECT_EQ(copies.size(), 4u);
}

// The real driver's copy, where it has one (Mesa's GLX does): the back buffer keeps what was
// drawn outside the part, and the next part alone comes back.
TEST_F(DeviceTest, TheDriverCopiesThePartAndKeepsTheBackBuffer) {
  Clear(device.get(), 1, 0, 0);
  if (!EngContextCopySubBuffer_MAC(0, 0, 1, 1)) GTEST_SKIP() << "the driver cannot copy a part of the back buffer";
  ScopedBufferAge age(-1);
  EngFrameCacheSetWindowForTests(BufferAge, nullptr);
  const _Dimension area = {0, 0, 320, 240};
  ASSERT_EQ(EngFrameCacheSave(kSlot), 1);
  device->SwapBuffers();
  ASSERT_EQ(EngFrameCacheRestorePart(kSlot, &area, &area), 1);
  Paint(device.get(), 0, 0, 320, 240, 0, 1, 0);
  Paint(device.get(), 400, 400, 100, 50, 0, 0, 1);
  device->SwapBuffers();
  EXPECT_EQ(At(100, 100), 'g');
  EXPECT_EQ(At(450, 420), 'b');
  EXPECT_EQ(EngFrameCacheRestorePart(kSlot, &area, &area), 2);
  device->StopLimitingDrawing();
}
