// The copy of what was drawn: it comes back whole, the right way up, and only for the window size
// and device kind it was taken with; none is kept where OpenGL refuses the copy or the window is
// multisampled.
#include "Engine/EngDrawnCopy.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>

#include "Engine/EngMain.h"
#include "Engine/EngWindow.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/ScopedGlWindow.h"

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

// OpenGL refusing a copy, as a driver refuses a blit it cannot do, is told once: nothing is kept
// or put back (the back buffer keeps what it had), and no copy is tried again until the context
// goes.
TEST_F(DeviceTest, ACopyOpenGLRefusesIsToldAndNoneIsTriedAgainUntilTheContextGoes) {
  struct FailingBlits {
    FailingBlits() { EngDrawnCopyFailBlitsForTests(1); }
    ~FailingBlits() { EngDrawnCopyFailBlitsForTests(0); }
  };
  const auto refused = [](const std::string &log) { return log.find("Frame copy refused") != std::string::npos; };
  Clear(device.get(), 1, 0, 0);
  ASSERT_EQ(EngDrawnCopySave(), 1);
  Clear(device.get(), 0, 0, 1);
  {
    FailingBlits failing;
    const std::string log = Logged([] { EXPECT_EQ(EngDrawnCopyRestore(), 0); });
    EXPECT_TRUE(refused(log)) << log;
  }
  EXPECT_EQ(EngDrawnCopyIsValid(), 0);
  EXPECT_EQ(At(0, 0), 'b');
  std::string log = Logged([] {
    EXPECT_EQ(EngDrawnCopySave(), 0);
    EXPECT_EQ(EngDrawnCopyRestore(), 0);
  });
  EXPECT_EQ(log, "");
  EXPECT_EQ(At(0, 0), 'b');

  // The next context tries afresh; a refused save keeps nothing either.
  EngDrawnCopyDeleteGraphics();
  {
    FailingBlits failing;
    log = Logged([] { EXPECT_EQ(EngDrawnCopySave(), 0); });
    EXPECT_TRUE(refused(log)) << log;
  }
  EXPECT_EQ(EngDrawnCopyIsValid(), 0);
  EXPECT_EQ(EngDrawnCopyRestore(), 0);
  EngDrawnCopyDeleteGraphics();
  ASSERT_EQ(EngDrawnCopySave(), 1);
  Clear(device.get(), 0, 1, 0);
  ASSERT_EQ(EngDrawnCopyRestore(), 1);
  EXPECT_EQ(At(0, 0), 'b');
}

// Into a multisampled window OpenGL blits only between rectangles of one size, if at all: such a
// window keeps no copy, and its callers draw what a copy would have put back.
TEST_F(DeviceTest, AMultisampledWindowKeepsNoCopy) {
  {
    qwtest::ScopedGlWindow multisampled(640, 480, 4);
    ASSERT_TRUE(multisampled.Ok()) << multisampled.Error();
    GLint sample_buffers = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS, &sample_buffers);
    ASSERT_GT(sample_buffers, 0) << "the display offers no multisampled window";
    EXPECT_EQ(EngDrawnCopySave(), 0);
    EXPECT_EQ(EngDrawnCopyIsValid(), 0);
    EXPECT_EQ(EngDrawnCopyRestore(), 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  }
  Clear(device.get(), 1, 0, 0);
  EXPECT_EQ(EngDrawnCopySave(), 1);
}

}  // namespace
