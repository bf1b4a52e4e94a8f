#include "game/SavedGame.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "Engine/EngByteCursor.h"
#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "Engine/EngMain.h"
#include "Engine/EngMath.h"
#include "game/Bugs.h"
#include "game/Game.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Traverse.h"
#include "game/Tutorial.h"
#include "game/Weapons.h"
#include "players/UserClass.h"
#include "players/UserInfo.h"

const float saved_game_version = 2.01f;

static_assert(SAVED_GAME_OFS_WEAPONS + QW_MAX_WEAPONS * SAVED_GAME_WEAPON_SIZE == SAVED_GAME_OFS_NUM_WEAPONS,
              "1,000 weapon records of 56 bytes");
static_assert(SAVED_GAME_OFS_BUGS + BUGS_MAX * SAVED_GAME_BUG_SIZE == SAVED_GAME_OFS_NUM_BUGS,
              "100 bug records of 72 bytes");
static_assert(SAVED_GAME_OFS_GAME_WON + 2 == SAVED_GAME_RECORD_SIZE, "the saved game is 63,284 bytes");

static unsigned char saved_game[SAVED_GAME_RECORD_SIZE];
static char sg_filename[USER_PATH_SIZE];

// --- Records ---------------------------------------------------------------------------------

enum {
  W_PRESENT = 0, W_TYPE = 4, W_LEVEL = 8, W_TARGET = 12, W_X = 16, W_Y = 20, W_SIZE = 24, W_AIM = 28, W_BASE = 32,
  W_UPGRADING = 36, W_FULL = 37, W_PROGRESS = 40, W_THROB = 44, W_BRIGHTNESS = 48, W_RELOAD = 52,
};
enum {
  B_INDEX = 0, B_FLAG1 = 4, B_ANIM = 8, B_HEADING = 12, B_PATH_POS = 16, B_PATH_INDEX = 20, B_LOOK_AHEAD = 24,
  B_ON_PATH = 28, B_PUSH_BACK = 32, B_ALIVE = 36, B_GAME_OVER_BUG = 37, B_FLAG2 = 38, B_VALUE = 40, B_SPEED = 44,
  B_HP = 52, B_MAX_HP = 60, B_STATE = 68, B_ON_SCREEN = 69,
};

// Where weapon i and bug i stand in the record.
static size_t WeaponRecord(int i) { return SAVED_GAME_OFS_WEAPONS + size_t(i) * SAVED_GAME_WEAPON_SIZE; }
static size_t BugRecord(int i) { return SAVED_GAME_OFS_BUGS + size_t(i) * SAVED_GAME_BUG_SIZE; }

static void WriteWeapon(EngByteWriter &out, size_t r, const Weapon *w) {
  out.Seek(r + W_PRESENT).U8(1);
  out.Seek(r + W_TYPE).I32(w->type);
  out.Seek(r + W_LEVEL).I32(w->level);
  out.Seek(r + W_TARGET).I32(w->target_mode);
  out.Seek(r + W_X).F32(w->x);
  out.Seek(r + W_Y).F32(w->y);
  out.Seek(r + W_SIZE).F32(w->size);
  out.Seek(r + W_AIM).F32(w->aim_angle);
  out.Seek(r + W_BASE).F32(w->base_angle);
  out.Seek(r + W_UPGRADING).U8(w->upgrading);
  out.Seek(r + W_FULL).U8(w->full_upgrade);
  out.Seek(r + W_PROGRESS).F32(w->upgrade_progress);
  out.Seek(r + W_THROB).F32(w->throb_phase);
  out.Seek(r + W_BRIGHTNESS).F32(w->brightness);
  out.Seek(r + W_RELOAD).F32(w->reload);
}

static void WriteBug(EngByteWriter &out, size_t r, const Bug *b) {
  out.Seek(r + B_INDEX).I32(b->index);
  out.Seek(r + B_FLAG1).U8(b->saved_flag_1);
  out.Seek(r + B_ANIM).F32(b->anim_frame);
  out.Seek(r + B_HEADING).F32(b->heading);
  out.Seek(r + B_PATH_POS).F32(b->path_pos);
  out.Seek(r + B_PATH_INDEX).I32(b->path_index);
  out.Seek(r + B_LOOK_AHEAD).I32(b->look_ahead_index);
  out.Seek(r + B_ON_PATH).U8(b->on_path);
  out.Seek(r + B_PUSH_BACK).F32(b->push_back);
  out.Seek(r + B_ALIVE).U8(b->alive);
  out.Seek(r + B_GAME_OVER_BUG).U8(b->game_over_bug);
  out.Seek(r + B_FLAG2).U8(b->saved_flag_2);
  out.Seek(r + B_VALUE).I32(b->saved_value);
  out.Seek(r + B_SPEED).F64(b->speed);
  out.Seek(r + B_HP).F64(b->hp);
  out.Seek(r + B_MAX_HP).F64(b->max_hp);
  out.Seek(r + B_STATE).U8(b->state);
  out.Seek(r + B_ON_SCREEN).U8(b->on_screen);
}

void SavedGameWriteRecord(unsigned char *record) {
  if (!record) return;
  memset(record, 0, SAVED_GAME_RECORD_SIZE);
  EngByteWriter out(record, SAVED_GAME_RECORD_SIZE);
  out.F32(saved_game_version);
  out.Seek(SAVED_GAME_OFS_GARDEN).I16(level_garden);
  out.Seek(SAVED_GAME_OFS_DIFFICULTY).I16(level_difficulty);
  out.Seek(SAVED_GAME_OFS_SCORE).I32(score);
  out.Seek(SAVED_GAME_OFS_SCORE_ADDED).I32(score_added);
  out.Seek(SAVED_GAME_OFS_LIVES).I32(lives);
  out.Seek(SAVED_GAME_OFS_CASH).I32(cash);
  out.Seek(SAVED_GAME_OFS_WAVE).I32(bug_level_num);
  out.Seek(SAVED_GAME_OFS_PAUSED).U8(game_paused);
  out.Seek(SAVED_GAME_OFS_GAME_OVER).U8(game_over);
  out.Seek(SAVED_GAME_OFS_GAME_WON).U8(game_won);

  const int weapon_count = num_weapons < 0 ? 0 : num_weapons > QW_MAX_WEAPONS ? QW_MAX_WEAPONS : num_weapons;
  out.Seek(SAVED_GAME_OFS_NUM_WEAPONS).I32(weapon_count);
  for (int i = 0; i < weapon_count; i++)
    if (weapons[i]) WriteWeapon(out, WeaponRecord(i), weapons[i]);

  out.Seek(SAVED_GAME_OFS_BUG_SPECIES).I32(bug_species);
  out.Seek(SAVED_GAME_OFS_BUG_HP).F64(bug_type.hp);
  out.Seek(SAVED_GAME_OFS_BUG_SPEED).F64(bug_type.speed);
  out.Seek(SAVED_GAME_OFS_BUG_CASH).F64(bug_type.cash);
  out.Seek(SAVED_GAME_OFS_BUG_SCORE).I32(bug_type.score);
  out.Seek(SAVED_GAME_OFS_BUG_DISTANCE).F32(bugs_line_pos_dist);
  out.Seek(SAVED_GAME_OFS_BUG_SIZE).F32(bug_size);
  out.Seek(SAVED_GAME_OFS_LAST_BOSS).I32(last_boss_level);
  const int bug_count = num_bugs < 0 ? 0 : num_bugs > BUGS_MAX ? BUGS_MAX : num_bugs;
  out.Seek(SAVED_GAME_OFS_NUM_BUGS).I32(bug_count);
  for (int i = 0; i < bug_count; i++)
    if (bugs[i]) WriteBug(out, BugRecord(i), bugs[i]);
}

// --- Checks ----------------------------------------------------------------------------------

// The most a game makes of each number, from the wave rules (BugsWave.cpp) and the weapon
// tables, with room to spare: a record beyond them is damaged. Every comparison below is false
// for NaN.
static const double kMostBugSpeed = 60.0;      // waves walk at 30 to 60; slowing only lowers it
static const double kMostBugHp = 1.5e6;        // the strongest bug (a lone boss of the last wave on
                                               // Extreme, at the slowest speed) has about 742,000
static const double kMostKillCash = 1.0e5;     // that boss brings about 41,700
static const EngInt32 kMostKillScore = 10000;  // and scores about 4,600
static const double kMostBugSize = 0.25;       // the biggest bug is about 0.122 across
static const EngInt32 kMostCash = 3000000;     // a whole game earns under 1.5 million
static const EngInt32 kMostScore = 4000000;    // and scores under 2 million
// Path positions count path steps. A queue spacing is never longer than the longest road the
// path data can hold; a wave queues its bugs (at most 100) a spacing apart before the road, and
// a bug is gone a spacing past the road's end. Nothing in play shifts a bug further than a road.
static const double kLongestRoad = TRAVERSE_MAX_STEPS;

static bool Within(double v, double lo, double hi) { return v >= lo && v <= hi; }
static bool Within32(EngByteReader &in, size_t at, double lo, double hi) { return Within(in.Seek(at).F32(), lo, hi); }
static bool Within64(EngByteReader &in, size_t at, double lo, double hi) { return Within(in.Seek(at).F64(), lo, hi); }
static bool Finite32(EngByteReader &in, size_t at) { return std::isfinite(in.Seek(at).F32()); }
// What a frame adds to in proportion to its length, which nothing bounds (a stalled machine).
static bool AtLeast32(EngByteReader &in, size_t at, double lo) {
  const float v = in.Seek(at).F32();
  return v >= lo && std::isfinite(v);
}
static bool Flag(EngUInt8 b) { return b <= 1; }
static bool InRange(EngInt32 v, EngInt32 lo, EngInt32 hi) { return v >= lo && v <= hi; }

static const char *CheckWeapon(EngByteReader &in, size_t r) {
  if (!Flag(in.Seek(r + W_PRESENT).U8())) return "weapon flag";
  if (!in.Seek(r + W_PRESENT).U8()) return nullptr;
  const EngInt32 type = in.Seek(r + W_TYPE).I32();
  if (!InRange(type, 0, QW_NUM_WEAPON_TYPES - 1)) return "weapon type";
  if (!InRange(in.Seek(r + W_LEVEL).I32(), 0, type >= QW_FIRST_FACTORY_TYPE ? 2 : 3)) return "weapon level";
  if (!InRange(in.Seek(r + W_TARGET).I32(), 0, 4)) return "weapon target mode";
  if (!Flag(in.Seek(r + W_UPGRADING).U8()) || !Flag(in.Seek(r + W_FULL).U8())) return "weapon flag";
  // The place is tested as the weapon is put back; an aim turns freely with its targets.
  for (int at : {W_X, W_Y, W_AIM, W_BASE})
    if (!Finite32(in, r + at)) return "weapon number";
  // The level and a big garden only ever shrink a weapon from its type's size.
  const float size = in.Seek(r + W_SIZE).F32();
  if (!(size > 0.0f && size <= weapon_type_details[type].size)) return "weapon size";
  if (!Within32(in, r + W_PROGRESS, 0.0, 1.0)) return "weapon upgrade";
  // The throb's phase goes on from a quarter turn back, by a frame's length at a time; its
  // brightness stays within 0..1.
  if (!AtLeast32(in, r + W_THROB, -0.5 * ENG_MATH_PI) || !Within32(in, r + W_BRIGHTNESS, 0.0, 1.0))
    return "weapon throb";
  // Loaded at 1; a long frame's reloading takes it past.
  if (!AtLeast32(in, r + W_RELOAD, 0.0)) return "weapon reload";
  return nullptr;
}

static const char *CheckBug(EngByteReader &in, size_t r, double spacing) {
  if (!InRange(in.Seek(r + B_INDEX).I32(), 0, BUGS_MAX - 1)) return "bug index";
  for (int at : {B_ALIVE, B_GAME_OVER_BUG, B_ON_PATH, B_ON_SCREEN})
    if (!Flag(in.Seek(r + at).U8())) return "bug flag";
  // The walk phase wraps once a frame, so a long frame leaves it past 20.
  if (!AtLeast32(in, r + B_ANIM, 0.0) || !Finite32(in, r + B_HEADING)) return "bug number";
  if (!Within32(in, r + B_PATH_POS, -(BUGS_MAX + 1) * spacing, kLongestRoad + spacing) ||
      !Within32(in, r + B_PUSH_BACK, -kLongestRoad, kLongestRoad))
    return "bug path position";
  if (!Within64(in, r + B_SPEED, 0.0, kMostBugSpeed)) return "bug speed";
  // Hit points only fall from the most the bug had.
  const double max_hp = in.Seek(r + B_MAX_HP).F64();
  if (!Within(max_hp, 0.0, kMostBugHp) || !Within64(in, r + B_HP, 0.0, max_hp)) return "bug hit points";
  // An empty slot comes back dead and is removed by the next tick; only live bugs walk.
  if (!in.Seek(r + B_ALIVE).U8()) return nullptr;
  if (!InRange(in.Seek(r + B_STATE).U8(), 1, 5)) return "bug state";
  if (!InRange(in.Seek(r + B_PATH_INDEX).I32(), 0, TRAVERSE_LAST_STEP) ||
      !InRange(in.Seek(r + B_LOOK_AHEAD).I32(), 0, TRAVERSE_LAST_STEP))
    return "bug path index";
  if (!(max_hp > 0.0)) return "bug hit points";
  return nullptr;
}

// The wave's bug type and queue, which every bug record is measured against.
static const char *CheckWave(EngByteReader &in) {
  if (!InRange(in.Seek(SAVED_GAME_OFS_BUG_SPECIES).I32(), -1, BUGS_NUM_SPECIES - 1)) return "bug species";
  if (!Within64(in, SAVED_GAME_OFS_BUG_HP, 0.0, kMostBugHp)) return "bug type hit points";
  if (!Within64(in, SAVED_GAME_OFS_BUG_SPEED, 0.0, kMostBugSpeed)) return "bug type speed";
  if (!Within64(in, SAVED_GAME_OFS_BUG_CASH, 0.0, kMostKillCash) ||
      !InRange(in.Seek(SAVED_GAME_OFS_BUG_SCORE).I32(), 0, kMostKillScore))
    return "bug type reward";
  const float spacing = in.Seek(SAVED_GAME_OFS_BUG_DISTANCE).F32();
  if (!(spacing > 0.0f && spacing <= kLongestRoad)) return "bug spacing";
  if (!Within32(in, SAVED_GAME_OFS_BUG_SIZE, 0.0, kMostBugSize)) return "bug size";
  return nullptr;
}

char SavedGameCheckRecord(const unsigned char *record, const char **why) {
  const char *fault = nullptr;
  EngByteReader in(record, record ? SAVED_GAME_RECORD_SIZE : 0);
  const EngInt32 weapon_count = in.Seek(SAVED_GAME_OFS_NUM_WEAPONS).I32();
  const EngInt32 bug_count = in.Seek(SAVED_GAME_OFS_NUM_BUGS).I32();
  if (!record)
    fault = "no record";
  else if (!InRange(weapon_count, 0, QW_MAX_WEAPONS))
    fault = "weapon count";
  else if (!InRange(bug_count, 0, BUGS_MAX))
    fault = "bug count";
  else if (!InRange(in.Seek(SAVED_GAME_OFS_GARDEN).I16(), 0, 3))
    fault = "garden";
  else if (!InRange(in.Seek(SAVED_GAME_OFS_DIFFICULTY).I16(), 0, 2))
    fault = "difficulty";
  else if (!InRange(in.Seek(SAVED_GAME_OFS_WAVE).I32(), 0, 49))
    fault = "wave";
  // The next wave counts the waves since this one to choose a boss.
  else if (!InRange(in.Seek(SAVED_GAME_OFS_LAST_BOSS).I32(), 0, 49))
    fault = "last boss wave";
  else if (!InRange(in.Seek(SAVED_GAME_OFS_LIVES).I32(), 1, 20))
    fault = "lives";
  else if (!InRange(in.Seek(SAVED_GAME_OFS_CASH).I32(), 0, kMostCash) ||
           !InRange(in.Seek(SAVED_GAME_OFS_SCORE).I32(), 0, kMostScore) ||
           !InRange(in.Seek(SAVED_GAME_OFS_SCORE_ADDED).I32(), 0, kMostScore))
    fault = "cash or score";
  else if (in.Seek(SAVED_GAME_OFS_PAUSED).U8() > 2)
    fault = "pause state";
  else if (!Flag(in.Seek(SAVED_GAME_OFS_GAME_OVER).U8()) || !Flag(in.Seek(SAVED_GAME_OFS_GAME_WON).U8()))
    fault = "game flags";
  else
    fault = CheckWave(in);
  const double spacing = in.Seek(SAVED_GAME_OFS_BUG_DISTANCE).F32();
  for (int i = 0; !fault && i < weapon_count; i++) fault = CheckWeapon(in, WeaponRecord(i));
  for (int i = 0; !fault && i < bug_count; i++) fault = CheckBug(in, BugRecord(i), spacing);
  if (why) *why = fault;
  return fault ? 0 : 1;
}

// --- Restoring -------------------------------------------------------------------------------

static void RestoreWeapon(EngByteReader &in, size_t r, int number) {
  const EngInt32 type = in.Seek(r + W_TYPE).I32();
  if (!WeaponsCreateNew(type, in.Seek(r + W_X).F32(), in.Seek(r + W_Y).F32(), 0, 1)) {
    DebugErrorAlt(ENG_FUNC, "Could not create weapon [%d]", number);
    return;
  }
  Weapon *w = weapons[num_weapons - 1];
  w->level = in.Seek(r + W_LEVEL).I32();
  w->target_mode = in.Seek(r + W_TARGET).I32();
  w->x = in.Seek(r + W_X).F32();
  w->y = in.Seek(r + W_Y).F32();
  w->size = in.Seek(r + W_SIZE).F32();
  w->half_size = w->size * 0.5f;
  w->aim_angle = in.Seek(r + W_AIM).F32();
  w->base_angle = in.Seek(r + W_BASE).F32();
  w->upgrading = in.Seek(r + W_UPGRADING).U8();
  w->full_upgrade = in.Seek(r + W_FULL).U8();
  w->upgrade_progress = in.Seek(r + W_PROGRESS).F32();
  w->throb_phase = in.Seek(r + W_THROB).F32();
  w->brightness = in.Seek(r + W_BRIGHTNESS).F32();
  w->reload = in.Seek(r + W_RELOAD).F32();
}

static void RestoreBug(EngByteReader &in, size_t r, int slot) {
  Bug *b = new Bug(in.Seek(r + B_INDEX).I32(), 0);
  b->saved_flag_1 = in.Seek(r + B_FLAG1).U8();
  b->anim_frame = in.Seek(r + B_ANIM).F32();
  b->heading = in.Seek(r + B_HEADING).F32();
  b->path_pos = in.Seek(r + B_PATH_POS).F32();
  b->path_index = in.Seek(r + B_PATH_INDEX).I32();
  b->look_ahead_index = in.Seek(r + B_LOOK_AHEAD).I32();
  b->on_path = in.Seek(r + B_ON_PATH).U8();
  b->push_back = in.Seek(r + B_PUSH_BACK).F32();
  b->alive = in.Seek(r + B_ALIVE).U8();
  b->game_over_bug = in.Seek(r + B_GAME_OVER_BUG).U8();
  b->saved_flag_2 = in.Seek(r + B_FLAG2).U8();
  b->saved_value = in.Seek(r + B_VALUE).I32();
  b->speed = in.Seek(r + B_SPEED).F64();
  b->hp = in.Seek(r + B_HP).F64();
  b->max_hp = in.Seek(r + B_MAX_HP).F64();
  b->state = in.Seek(r + B_STATE).U8();
  b->on_screen = in.Seek(r + B_ON_SCREEN).U8();
  b->CalcState();
  delete bugs[slot];
  bugs[slot] = b;
}

static void SetWaveFromRecord(EngByteReader &in) {
  bug_species = in.Seek(SAVED_GAME_OFS_BUG_SPECIES).I32();
  bug_type.hp = in.Seek(SAVED_GAME_OFS_BUG_HP).F64();
  bug_type.speed = in.Seek(SAVED_GAME_OFS_BUG_SPEED).F64();
  bug_type.cash = in.Seek(SAVED_GAME_OFS_BUG_CASH).F64();
  bug_type.score = in.Seek(SAVED_GAME_OFS_BUG_SCORE).I32();
  bugs_line_pos_dist = in.Seek(SAVED_GAME_OFS_BUG_DISTANCE).F32();
}

static void SetCountersFromRecord(EngByteReader &in) {
  score = in.Seek(SAVED_GAME_OFS_SCORE).I32();
  score_added = in.Seek(SAVED_GAME_OFS_SCORE_ADDED).I32();
  lives = in.Seek(SAVED_GAME_OFS_LIVES).I32();
  cash = in.Seek(SAVED_GAME_OFS_CASH).I32();
  bug_level_num = in.Seek(SAVED_GAME_OFS_WAVE).I32();
  game_over = in.Seek(SAVED_GAME_OFS_GAME_OVER).U8();
  game_won = in.Seek(SAVED_GAME_OFS_GAME_WON).U8();
}

char SavedGameRestoreRecord(const unsigned char *record) {
  if (!record) return 0;
  EngByteReader in(record, SAVED_GAME_RECORD_SIZE);
  level_garden = in.Seek(SAVED_GAME_OFS_GARDEN).I16();
  level_difficulty = in.Seek(SAVED_GAME_OFS_DIFFICULTY).I16();
  if (!QuarrelwickInitForNewGame(1)) return 0;

  const EngInt32 weapon_count = in.Seek(SAVED_GAME_OFS_NUM_WEAPONS).I32();
  for (int i = 0; i < weapon_count; i++) {
    const size_t r = WeaponRecord(i);
    if (in.Seek(r + W_PRESENT).U8()) RestoreWeapon(in, r, i);
  }
  WeaponsUpdateFactories();

  SetWaveFromRecord(in);
  BugsSetBugSize(in.Seek(SAVED_GAME_OFS_BUG_SIZE).F32());
  SetCountersFromRecord(in);
  QuarrelwickInitForNewLevel(1);

  // The new level emptied the bug list; the wave comes back slot for slot. A bug put back past
  // the house costs no life (the game was saved before it got there): the counters are held
  // as in a game over until they are set from the record below.
  const EngInt32 bug_count = in.Seek(SAVED_GAME_OFS_NUM_BUGS).I32();
  num_bugs = bug_count;
  game_over = 1;
  for (int i = 0; i < bug_count; i++) RestoreBug(in, BugRecord(i), i);
  WeaponsUpdateFactories();
  LevelsTurnOffLevelText();

  // The new level recomputed some of these from the restored weapons and the wave.
  SetCountersFromRecord(in);
  game_paused = in.Seek(SAVED_GAME_OFS_PAUSED).U8();
  SetWaveFromRecord(in);
  snprintf(cash_str, sizeof(cash_str), "%d", cash);
  snprintf(lives_str, sizeof(lives_str), "%d", lives);
  // The level strings recompute the score; the stored one stands.
  QuarrelwickUpdateLevelStrings();
  score = in.Seek(SAVED_GAME_OFS_SCORE).I32();
  snprintf(score_str, sizeof(score_str), "%d", score);

  if (eng_main_device) BugsCreateGraphics();
  last_boss_level = in.Seek(SAVED_GAME_OFS_LAST_BOSS).I32();
  TutorialAdvanceIfNeeded();
  return 1;
}

// --- Files -----------------------------------------------------------------------------------

static int FileGarden(char resume) { return resume ? 0 : int(level_garden) + 1; }

char *SaveGameGetFilename(int slot, char resume) {
  sg_filename[0] = 0;
  const _UserInfo *info = GameGetLoadedUserInfo();
  // Without a player there is no such file; the callers say what that means for them.
  if (!info) return nullptr;
  char suffix[64];
  snprintf(suffix, sizeof(suffix), "_SavedGame%d%d.dat", FileGarden(resume), slot);
  return UserGetUserFileName(info->name, sg_filename, suffix);
}

char SaveGame(int slot, char resume) {
  if (slot < 0 || slot > SAVED_GAME_MAX_SLOT || game_over) return 0;
  SavedGameWriteRecord(saved_game);
  const char *path = SaveGameGetFilename(slot, resume);
  if (!path) {
    DebugErrorAlt(ENG_FUNC, "No player to save the game for");
    return 0;
  }
  // The same game saved again (the exit's save right after Save & Exit) is already on disk:
  // it is neither written nor reported a second time.
  if (EngFileExists(path, 0)) {
    std::vector<unsigned char> on_disk(SAVED_GAME_RECORD_SIZE);
    if (EngEncryptionReadFromFileAndDecrypt(path, on_disk.data(), SAVED_GAME_RECORD_SIZE) &&
        memcmp(on_disk.data(), saved_game, SAVED_GAME_RECORD_SIZE) == 0)
      return 1;
  }
  if (!EngEncryptionEncryptAndWriteToFile(path, saved_game, SAVED_GAME_RECORD_SIZE)) {
    DebugErrorAlt(ENG_FUNC, "Could not save game to <%s>", path);
    return 0;
  }
  DebugInfo("GAME SAVED TO SLOT %d:%d", FileGarden(resume), slot);
  return 1;
}

char LoadSavedGame(int slot, char resume) {
  if (!DoesSavedGameExist(slot, resume)) {
    DebugInfoAlt(ENG_FUNC, "Saved game does not exist at slot %d", slot);
    return 0;
  }
  const char *path = SaveGameGetFilename(slot, resume);
  memset(saved_game, 0, sizeof(saved_game));
  const char *why = nullptr;
  if (!EngEncryptionReadFromFileAndDecrypt(path, saved_game, SAVED_GAME_RECORD_SIZE)) {
    EngFileDelete(path, 1);
    DebugErrorAlt(ENG_FUNC, "Problem reading saved game file %d", slot);
    return 0;
  }
  const float version = EngByteReader(saved_game, sizeof(saved_game)).F32();
  if (version != saved_game_version) {
    EngFileDelete(path, 1);
    DebugErrorAlt(ENG_FUNC, "Incorrect version [%f not %f] reading saved game file %d", double(version),
                  double(saved_game_version), slot);
    return 0;
  }
  if (!SavedGameCheckRecord(saved_game, &why)) {
    EngFileDelete(path, 1);
    DebugErrorAlt(ENG_FUNC, "Problem reading saved game file %d", slot);
    DebugInfoAlt(ENG_FUNC, "Bad %s in <%s>", why, path);
    return 0;
  }
  return SavedGameRestoreRecord(saved_game);
}

char DoesSavedGameExist(int slot, char resume) {
  if (slot < 0 || slot > SAVED_GAME_MAX_SLOT) return 0;
  const char *path = SaveGameGetFilename(slot, resume);
  return (path && !EngFileIsNotRegular(ENG_FUNC, path) && EngFileExists(path, 0)) ? 1 : 0;
}

char RemoveSavedGame(int slot, char resume) {
  if (slot < 0 || slot > SAVED_GAME_MAX_SLOT) return 0;
  const char *path = SaveGameGetFilename(slot, resume);
  if (!path || !EngFileExists(path, 0)) return 0;
  EngFileDelete(path, 1);
  return 1;
}
