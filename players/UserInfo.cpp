#include "players/UserInfo.h"

#include <cmath>
#include <cstddef>
#include <cstring>

#include "Engine/EngByteCursor.h"
#include "Engine/EngDebug.h"

static_assert(offsetof(_UserInfo, game_version) == 4, "record layout");
static_assert(offsetof(_UserInfo, name) == 14, "record layout");
static_assert(offsetof(_UserInfo, country) == 34, "record layout");
static_assert(offsetof(_UserInfo, padding_37) == 37, "record layout");
static_assert(offsetof(_UserInfo, id) == 38, "record layout");
static_assert(offsetof(_UserInfo, options) == USER_OPTIONS_OFFSET, "record layout");
static_assert(offsetof(_UserInfo, other_games_pos) == 592, "record layout");
static_assert(offsetof(_UserInfo, unused) == 594, "record layout");

#define USER_OPTION_AT(field, offset) \
  static_assert(offsetof(UserOptions, field) + USER_OPTIONS_OFFSET == offset, "options layout")
USER_OPTION_AT(sound_on, 56);
USER_OPTION_AT(sound_volume, 60);
USER_OPTION_AT(music_on, 64);
USER_OPTION_AT(music_when, 65);
USER_OPTION_AT(music_volume, 68);
USER_OPTION_AT(music_position, 72);
USER_OPTION_AT(game_over_music_on, 76);
USER_OPTION_AT(game_over_music_volume, 80);
USER_OPTION_AT(won_music_on, 84);
USER_OPTION_AT(won_music_volume, 88);
USER_OPTION_AT(gardens, 108);
USER_OPTION_AT(reserved_184, 184);
USER_OPTION_AT(tutorial_on, 412);
USER_OPTION_AT(scores_garden, 477);
USER_OPTION_AT(scores_online, 478);
USER_OPTION_AT(scores_range, 479);
USER_OPTION_AT(scores_flag, 480);
USER_OPTION_AT(scores_auto_update, 481);
USER_OPTION_AT(scores_asked_auto_update, 482);
USER_OPTION_AT(show_startup_window, 500);
USER_OPTION_AT(notices_left, 501);
USER_OPTION_AT(always_load, 502);
USER_OPTION_AT(date_format, 503);
USER_OPTION_AT(processor_use, 504);
USER_OPTION_AT(load_count, 508);
USER_OPTION_AT(game_flag_512, 512);
USER_OPTION_AT(reserved_513, 513);
#undef USER_OPTION_AT

namespace {

// One walk over the fields in file order serves both directions, so they cannot drift apart.
template <class IO, class Info>
void WalkRecord(IO &io, Info *r) {
  io.F32(r->file_version);
  io.Text(r->game_version, sizeof(r->game_version));
  io.Text(r->name, sizeof(r->name));
  io.Text(r->country, sizeof(r->country));
  io.U8(r->padding_37);
  io.U16(r->id);
  auto &o = r->options;
  io.Bytes(o.reserved_40, sizeof(o.reserved_40));
  io.U8(o.sound_on);
  io.Bytes(o.reserved_57, sizeof(o.reserved_57));
  io.F32(o.sound_volume);
  io.U8(o.music_on);
  io.U8(o.music_when);
  io.Bytes(o.reserved_66, sizeof(o.reserved_66));
  io.F32(o.music_volume);
  io.F32(o.music_position);
  io.U8(o.game_over_music_on);
  io.Bytes(o.reserved_77, sizeof(o.reserved_77));
  io.F32(o.game_over_music_volume);
  io.U8(o.won_music_on);
  io.Bytes(o.reserved_85, sizeof(o.reserved_85));
  io.F32(o.won_music_volume);
  io.Bytes(o.reserved_92, sizeof(o.reserved_92));
  for (auto &g : o.gardens) {
    io.I8(g.highest_difficulty);
    io.I8(g.chosen_difficulty);
    io.U8(g.wins);
    io.Bytes(g.reserved, sizeof(g.reserved));
  }
  io.Bytes(o.reserved_184, sizeof(o.reserved_184));
  io.U8(o.tutorial_on);
  io.Bytes(o.reserved_413, sizeof(o.reserved_413));
  io.U8(o.scores_garden);
  io.U8(o.scores_online);
  io.U8(o.scores_range);
  io.U8(o.scores_flag);
  io.U8(o.scores_auto_update);
  io.U8(o.scores_asked_auto_update);
  io.Bytes(o.reserved_483, sizeof(o.reserved_483));
  io.U8(o.show_startup_window);
  io.U8(o.notices_left);
  io.U8(o.always_load);
  io.U8(o.date_format);
  io.U8(o.processor_use);
  io.Bytes(o.reserved_505, sizeof(o.reserved_505));
  io.U32(o.load_count);
  io.U8(o.game_flag_512);
  io.Bytes(o.reserved_513, sizeof(o.reserved_513));
  io.I16(r->other_games_pos);
  io.Bytes(r->unused, sizeof(r->unused));
}

}  // namespace

void UserInfoWriteToBytes(const _UserInfo *info, unsigned char *bytes) {
  EngByteWriter w(bytes, USER_INFO_SIZE);
  WalkRecord(w, info);
  DebugAssertAlt(w.Ok() && w.At() == USER_INFO_SIZE, ENG_FUNC, "Wrote %d bytes", int(w.At()));
}

void UserInfoReadFromBytes(const unsigned char *bytes, _UserInfo *info) {
  EngByteReader r(bytes, USER_INFO_SIZE);
  WalkRecord(r, info);
  DebugAssertAlt(r.Ok() && r.At() == USER_INFO_SIZE, ENG_FUNC, "Read %d bytes", int(r.At()));
}

namespace {

template <class T>
int RepairRange(T &value, const T &fallback, int low, int high) {
  if (int(value) >= low && int(value) <= high) return 0;
  value = fallback;
  return 1;
}

int RepairVolume(float &value, float fallback) {
  if (std::isfinite(value) && value >= 0.0f && value <= 1.0f) return 0;
  value = fallback;
  return 1;
}

}  // namespace

int UserInfoRepairOptions(_UserInfo *info, const _UserInfo *defaults) {
  if (!info || !defaults) return 0;
  UserOptions &o = info->options;
  const UserOptions &d = defaults->options;
  int n = 0;
  n += RepairRange(o.music_when, d.music_when, 0, 2);
  for (int g = 0; g < USER_NUM_GARDENS; g++) {
    n += RepairRange(o.gardens[g].highest_difficulty, d.gardens[g].highest_difficulty, 0, 2);
    n += RepairRange(o.gardens[g].chosen_difficulty, d.gardens[g].chosen_difficulty, 0, 2);
  }
  n += RepairRange(o.scores_garden, d.scores_garden, 0, 3);
  n += RepairRange(o.scores_online, d.scores_online, 0, 1);
  n += RepairRange(o.scores_range, d.scores_range, 1, 4);
  n += RepairVolume(o.sound_volume, d.sound_volume);
  n += RepairVolume(o.music_volume, d.music_volume);
  n += RepairVolume(o.game_over_music_volume, d.game_over_music_volume);
  n += RepairVolume(o.won_music_volume, d.won_music_volume);
  n += RepairRange(info->other_games_pos, defaults->other_games_pos, -1, 25);
  return n;
}
