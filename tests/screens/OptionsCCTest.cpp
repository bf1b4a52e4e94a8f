// The options screen's repair of option bytes that no choice entry shows (an edited player
// file): every non-zero byte of the four two-way choices becomes 1, the rest of the record stays.
#include <gtest/gtest.h>

#include <cstring>

#include "players/UserInfo.h"
#include "screens/OptionsCC.h"

namespace {

TEST(OptionsCCTest, OptionBytesOutsideTheirChoicesAreStoredBackAsOne) {
  struct Case {
    EngUInt8 stored, expected;
  } cases[] = {{0, 0}, {1, 1}, {2, 1}, {5, 1}, {127, 1}, {128, 1}, {200, 1}, {255, 1}};
  EngUInt8 UserOptions::*const bytes[] = {&UserOptions::show_startup_window, &UserOptions::always_load,
                                          &UserOptions::date_format, &UserOptions::processor_use};
  for (const Case &c : cases)
    for (EngUInt8 UserOptions::*byte : bytes) {
      SCOPED_TRACE(int(c.stored));
      UserOptions o;
      memset(&o, 0x5a, sizeof(o));
      o.*byte = c.stored;
      UserOptions others = o;
      for (EngUInt8 UserOptions::*b : bytes) others.*b = b == byte ? c.expected : o.*b > 1 ? 1 : o.*b;
      // 0x5a in the other three bytes is out of range too: they are mended alongside.
      EXPECT_EQ(OptionsCC::PutOptionsInRange(&o), (c.stored > 1 ? 1 : 0) + 3);
      EXPECT_EQ(o.*byte, c.expected);
      EXPECT_EQ(memcmp(&o, &others, sizeof(o)), 0);
      EXPECT_EQ(OptionsCC::PutOptionsInRange(&o), 0);
    }
  EXPECT_EQ(OptionsCC::PutOptionsInRange(nullptr), 0);
}

}  // namespace
