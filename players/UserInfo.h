// The player record: 660 bytes, kept in memory laid out as the player file holds it (so the
// screens can bind widgets to its fields), but always written and read field by field,
// little-endian. The profile owns bytes 0..39; the game owns the options block's meaning.
#pragma once

#include "Engine/EngTypes.h"

enum {
  USER_INFO_SIZE = 660,
  USER_GAME_VERSION_SIZE = 10,
  USER_NAME_SIZE = 20,  // 19 characters and the terminator
  USER_COUNTRY_SIZE = 3,
  USER_OPTIONS_OFFSET = 40,
  USER_OPTIONS_SIZE = 552,
  USER_NUM_GARDENS = 4,
  USER_GARDEN_SIZE = 19,
};

// One garden's difficulty progress.
struct _UserGardenProgress {
  EngInt8 highest_difficulty;  // unlocked: 0 normal, 1 tough, 2 extreme
  EngInt8 chosen_difficulty;
  EngUInt8 wins;  // counted toward the next difficulty
  EngUInt8 reserved[16];
};
static_assert(sizeof(_UserGardenProgress) == USER_GARDEN_SIZE, "a garden's progress is 19 bytes");

// Record bytes 40..591. Every byte not named here is 0 in a new player.
struct UserOptions {
  EngUInt8 reserved_40[16];
  EngUInt8 sound_on;  // 56
  EngUInt8 reserved_57[3];
  float sound_volume;      // 60
  EngUInt8 music_on;       // 64
  EngUInt8 music_when;     // 65: 0 always, 1 menus only, 2 game only
  EngUInt8 reserved_66[2];
  float music_volume;      // 68
  float music_position;    // 72, the game's own
  EngUInt8 game_over_music_on;  // 76
  EngUInt8 reserved_77[3];
  float game_over_music_volume;  // 80
  EngUInt8 won_music_on;         // 84
  EngUInt8 reserved_85[3];
  float won_music_volume;  // 88
  EngUInt8 reserved_92[16];
  _UserGardenProgress gardens[USER_NUM_GARDENS];  // 108 + 19 g
  EngUInt8 reserved_184[228];
  EngUInt8 tutorial_on;  // 412
  EngUInt8 reserved_413[64];
  EngUInt8 scores_garden;             // 477: 0..3
  EngUInt8 scores_online;             // 478: 0 local, 1 online
  EngUInt8 scores_range;              // 479: 1 year, 2 month, 3 week, 4 day
  EngUInt8 scores_flag;               // 480
  EngUInt8 scores_auto_update;        // 481
  EngUInt8 scores_asked_auto_update;  // 482
  EngUInt8 reserved_483[17];
  EngUInt8 show_startup_window;  // 500
  EngUInt8 notices_left;         // 501
  EngUInt8 always_load;          // 502
  EngUInt8 date_format;          // 503: 0 month first, 1 day first
  EngUInt8 processor_use;        // 504: 0 high, 1 low
  EngUInt8 reserved_505[3];
  EngUInt32 load_count;  // 508
  EngUInt8 game_flag_512;
  EngUInt8 reserved_513[79];
};
static_assert(sizeof(UserOptions) == USER_OPTIONS_SIZE, "the options block is 552 bytes");

struct _UserInfo {
  float file_version;                          // 0
  char game_version[USER_GAME_VERSION_SIZE];   // 4: round(version x 1000) as decimal text
  char name[USER_NAME_SIZE];                   // 14
  char country[USER_COUNTRY_SIZE];             // 34
  EngUInt8 padding_37;
  EngUInt16 id;         // 38: 1..30000
  UserOptions options;  // 40
  EngInt16 other_games_pos;  // 592: -1 until chosen
  EngUInt8 unused[66];       // 594
};
typedef _UserInfo UserInfo;
static_assert(sizeof(_UserInfo) == USER_INFO_SIZE, "the player record is 660 bytes");

void UserInfoWriteToBytes(const _UserInfo *info, unsigned char *bytes);
// Texts come back terminated within their fields.
void UserInfoReadFromBytes(const unsigned char *bytes, _UserInfo *info);

// Puts options that other modules use as indices or volumes back to their values in defaults
// when out of range; returns how many were reset.
int UserInfoRepairOptions(_UserInfo *info, const _UserInfo *defaults);
