// Pointer speed on a real X display (the test Xvfb): every standard speed survives the
// round trip through X's acceleration fraction.
#include "Engine/EngMisc.h"

#include <gtest/gtest.h>

namespace {

TEST(EngMiscCursorTest, StandardSpeedsRoundTripThroughX) {
  _EngMiscCursorSpeed original = {-1, -1};
  ASSERT_EQ(EngMiscGetCursorSpeed(&original), 1);
  EXPECT_GE(original.mouse_speed, 0.0);
  EXPECT_DOUBLE_EQ(original.trackpad_speed, original.mouse_speed);
  for (double speed : eng_misc_standard_cursor_speeds) {
    ASSERT_EQ(EngMiscSetCursorSpeed({speed, speed}), 1);
    _EngMiscCursorSpeed read = {-1, -1};
    ASSERT_EQ(EngMiscGetCursorSpeed(&read), 1);
    EXPECT_DOUBLE_EQ(read.mouse_speed, speed);
    EXPECT_DOUBLE_EQ(read.trackpad_speed, speed);
  }
  EXPECT_EQ(EngMiscSetCursorSpeed(original), 1);
}

}  // namespace
