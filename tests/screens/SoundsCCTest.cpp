// The sound screen's repair of what its widgets cannot show (an edited player file): switches
// above 1, a "when" above 2, and volumes that are not numbers or lie outside their sliders.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "players/UserInfo.h"
#include "screens/SoundsCC.h"

namespace {

UserOptions GoodOptions() {
  UserOptions o;
  memset(&o, 0, sizeof(o));
  o.sound_on = 1;
  o.sound_volume = 0.5f;
  o.music_on = 1;
  o.music_when = 1;
  o.music_volume = 0.25f;
  o.game_over_music_on = 0;
  o.game_over_music_volume = 0.3f;
  o.won_music_on = 1;
  o.won_music_volume = 0.02f;
  return o;
}

TEST(SoundsCCTest, SwitchesWhenAndVolumesArePutIntoWhatTheWidgetsShow) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct ByteCase {
    EngUInt8 UserOptions::*field;
    EngUInt8 stored, expected;
  } bytes[] = {
      {&UserOptions::sound_on, 5, 1},
      {&UserOptions::music_on, 2, 1},
      {&UserOptions::game_over_music_on, 200, 1},
      {&UserOptions::won_music_on, 255, 1},
      {&UserOptions::music_when, 3, 0},
      {&UserOptions::music_when, 200, 0},
      {&UserOptions::music_when, 2, 2},
      {&UserOptions::sound_on, 0, 0},
  };
  for (const ByteCase &c : bytes) {
    SCOPED_TRACE(int(c.stored));
    UserOptions o = GoodOptions(), expected = GoodOptions();
    o.*c.field = c.stored;
    expected.*c.field = c.expected;
    EXPECT_EQ(SoundsCC::PutOptionsInRange(&o), c.stored != c.expected ? 1 : 0);
    EXPECT_EQ(memcmp(&o, &expected, sizeof(o)), 0);
  }
  struct VolumeCase {
    float UserOptions::*field;
    float stored, expected;
  } volumes[] = {
      {&UserOptions::sound_volume, nan, 0.02f},          {&UserOptions::sound_volume, -1, 0.02f},
      {&UserOptions::sound_volume, 7.0f, 1.0f},          {&UserOptions::sound_volume, 1.0f, 1.0f},
      {&UserOptions::music_volume, nan, 0.02f},          {&UserOptions::music_volume, 7.0f, 0.5f},
      {&UserOptions::game_over_music_volume, -1, 0.02f}, {&UserOptions::game_over_music_volume, inf, 0.5f},
      {&UserOptions::won_music_volume, 0.51f, 0.5f},     {&UserOptions::won_music_volume, -inf, 0.02f},
      {&UserOptions::won_music_volume, 0.0f, 0.02f},     {&UserOptions::music_volume, 0.4f, 0.4f},
  };
  for (const VolumeCase &c : volumes) {
    SCOPED_TRACE(c.stored);
    UserOptions o = GoodOptions(), expected = GoodOptions();
    o.*c.field = c.stored;
    expected.*c.field = c.expected;
    const bool differs = std::isnan(c.stored) || c.stored != c.expected;
    EXPECT_EQ(SoundsCC::PutOptionsInRange(&o), differs ? 1 : 0);
    EXPECT_EQ(o.*c.field, c.expected);
    EXPECT_EQ(memcmp(&o, &expected, sizeof(o)), 0);
  }
  EXPECT_EQ(SoundsCC::PutOptionsInRange(nullptr), 0);
}

}  // namespace
