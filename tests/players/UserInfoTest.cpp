// The player record's byte layout: every byte survives a round trip, texts end within their
// fields, and damaged options go back to their defaults.
#include "players/UserInfo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

std::string Bytes(const _UserInfo &info) {
  unsigned char bytes[USER_INFO_SIZE];
  UserInfoWriteToBytes(&info, bytes);
  return std::string(reinterpret_cast<char *>(bytes), sizeof(bytes));
}

TEST(UserInfoTest, EveryByteRoundTripsAndFieldsSitAtTheirOffsets) {
  unsigned char image[USER_INFO_SIZE];
  for (int i = 0; i < USER_INFO_SIZE; i++) image[i] = static_cast<unsigned char>(i * 7 + 3);
  // Texts end within their fields; everything else is arbitrary.
  image[4 + 9] = 0;
  image[14 + 19] = 0;
  image[34 + 2] = 0;
  _UserInfo info;
  UserInfoReadFromBytes(image, &info);
  EXPECT_EQ(Bytes(info), std::string(reinterpret_cast<char *>(image), sizeof(image)));

  // Little-endian fields at the offsets the file gives them, whatever the host.
  EXPECT_EQ(info.id, image[38] | image[39] << 8);
  EXPECT_EQ(info.options.load_count,
            EngUInt32(image[508] | image[509] << 8 | image[510] << 16) | EngUInt32(image[511]) << 24);
  EXPECT_EQ(EngUInt16(info.other_games_pos), image[592] | image[593] << 8);
  EXPECT_EQ(info.options.gardens[2].chosen_difficulty, EngInt8(image[109 + 19 * 2]));
  EXPECT_EQ(info.options.tutorial_on, image[412]);
  EXPECT_EQ(info.options.processor_use, image[504]);

  _UserInfo known;
  memset(&known, 0, sizeof(known));
  known.file_version = 2.0f;
  known.options.music_volume = 0.25f;
  known.other_games_pos = -1;
  std::string bytes = Bytes(known);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x00\x00\x00\x40", 4));
  EXPECT_EQ(bytes.substr(68, 4), std::string("\x00\x00\x80\x3e", 4));
  EXPECT_EQ(bytes.substr(592, 4), std::string("\xff\xff\x00\x00", 4));
}

TEST(UserInfoTest, TextsThatFillTheirFieldsEndInsideThem) {
  unsigned char image[USER_INFO_SIZE];
  memset(image, 'A', sizeof(image));
  _UserInfo info;
  UserInfoReadFromBytes(image, &info);
  EXPECT_EQ(strlen(info.game_version), size_t(USER_GAME_VERSION_SIZE - 1));
  EXPECT_EQ(strlen(info.name), size_t(USER_NAME_SIZE - 1));
  EXPECT_EQ(strlen(info.country), size_t(2));
}

_UserInfo Defaults() {
  _UserInfo d;
  memset(&d, 0, sizeof(d));
  d.options.music_when = 1;
  d.options.scores_online = 1;
  d.options.scores_range = 1;
  d.options.sound_volume = 1.0f;
  d.options.music_volume = 0.25f;
  d.options.game_over_music_volume = 0.25f;
  d.options.won_music_volume = 0.25f;
  d.other_games_pos = -1;
  return d;
}

TEST(UserInfoTest, OptionsOutOfRangeGoBackToTheirDefaults) {
  const _UserInfo defaults = Defaults();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    const char *what;
    void (*damage)(_UserInfo *);
    bool (*repaired)(const _UserInfo &);
  } cases[] = {
      {"music when 3", [](_UserInfo *i) { i->options.music_when = 3; },
       [](const _UserInfo &i) { return i.options.music_when == 1; }},
      {"highest difficulty 3", [](_UserInfo *i) { i->options.gardens[3].highest_difficulty = 3; },
       [](const _UserInfo &i) { return i.options.gardens[3].highest_difficulty == 0; }},
      {"chosen difficulty -1", [](_UserInfo *i) { i->options.gardens[0].chosen_difficulty = -1; },
       [](const _UserInfo &i) { return i.options.gardens[0].chosen_difficulty == 0; }},
      {"scores garden 4", [](_UserInfo *i) { i->options.scores_garden = 4; },
       [](const _UserInfo &i) { return i.options.scores_garden == 0; }},
      {"scores online 2", [](_UserInfo *i) { i->options.scores_online = 2; },
       [](const _UserInfo &i) { return i.options.scores_online == 1; }},
      {"scores range 0", [](_UserInfo *i) { i->options.scores_range = 0; },
       [](const _UserInfo &i) { return i.options.scores_range == 1; }},
      {"scores range 5", [](_UserInfo *i) { i->options.scores_range = 5; },
       [](const _UserInfo &i) { return i.options.scores_range == 1; }},
      {"other games 26", [](_UserInfo *i) { i->other_games_pos = 26; },
       [](const _UserInfo &i) { return i.other_games_pos == -1; }},
      {"other games -2", [](_UserInfo *i) { i->other_games_pos = -2; },
       [](const _UserInfo &i) { return i.other_games_pos == -1; }},
  };
  for (const Case &c : cases) {
    _UserInfo info = defaults;
    c.damage(&info);
    EXPECT_EQ(UserInfoRepairOptions(&info, &defaults), 1) << c.what;
    EXPECT_TRUE(c.repaired(info)) << c.what;
  }

  _UserInfo volumes = defaults;
  volumes.options.sound_volume = nan;
  volumes.options.music_volume = -0.5f;
  volumes.options.game_over_music_volume = inf;
  volumes.options.won_music_volume = 1.5f;
  EXPECT_EQ(UserInfoRepairOptions(&volumes, &defaults), 4);
  EXPECT_EQ(Bytes(volumes), Bytes(defaults));

  // Values at the ends of their ranges stay.
  _UserInfo edges = defaults;
  edges.options.music_when = 2;
  edges.options.gardens[1].highest_difficulty = 2;
  edges.options.scores_garden = 3;
  edges.options.scores_range = 4;
  edges.options.sound_volume = 0.0f;
  edges.other_games_pos = 25;
  const _UserInfo before = edges;
  EXPECT_EQ(UserInfoRepairOptions(&edges, &defaults), 0);
  EXPECT_EQ(Bytes(edges), Bytes(before));
}

}  // namespace
