#include "game/SavedGame.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "Engine/EngMain.h"
#include "game/Bugs.h"
#include "game/Game.h"
#include "game/Tutorial.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Traverse.h"
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

// --- Little-endian fields --------------------------------------------------------------------

typedef unsigned char Byte;

static void PutU32(Byte *p, EngUInt32 v) {
  for (int i = 0; i < 4; i++) p[i] = Byte(v >> (8 * i));
}
static void PutU64(Byte *p, EngUInt64 v) {
  for (int i = 0; i < 8; i++) p[i] = Byte(v >> (8 * i));
}
static void PutI32(Byte *p, EngInt32 v) { PutU32(p, EngUInt32(v)); }
static void PutI16(Byte *p, EngInt16 v) {
  p[0] = Byte(EngUInt16(v));
  p[1] = Byte(EngUInt16(v) >> 8);
}
static void PutF32(Byte *p, float f) {
  EngUInt32 u;
  memcpy(&u, &f, 4);
  PutU32(p, u);
}
static void PutF64(Byte *p, double d) {
  EngUInt64 u;
  memcpy(&u, &d, 8);
  PutU64(p, u);
}

static EngUInt32 GetU32(const Byte *p) {
  return EngUInt32(p[0]) | EngUInt32(p[1]) << 8 | EngUInt32(p[2]) << 16 | EngUInt32(p[3]) << 24;
}
static EngInt32 GetI32(const Byte *p) { return EngInt32(GetU32(p)); }
static EngInt16 GetI16(const Byte *p) { return EngInt16(EngUInt16(p[0] | p[1] << 8)); }
static float GetF32(const Byte *p) {
  EngUInt32 u = GetU32(p);
  float f;
  memcpy(&f, &u, 4);
  return f;
}
static double GetF64(const Byte *p) {
  EngUInt64 u = EngUInt64(GetU32(p)) | EngUInt64(GetU32(p + 4)) << 32;
  double d;
  memcpy(&d, &u, 8);
  return d;
}

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

static Byte *WeaponRecord(Byte *record, int i) {
  return record + SAVED_GAME_OFS_WEAPONS + i * SAVED_GAME_WEAPON_SIZE;
}
static const Byte *WeaponRecord(const Byte *record, int i) {
  return record + SAVED_GAME_OFS_WEAPONS + i * SAVED_GAME_WEAPON_SIZE;
}
static Byte *BugRecord(Byte *record, int i) { return record + SAVED_GAME_OFS_BUGS + i * SAVED_GAME_BUG_SIZE; }
static const Byte *BugRecord(const Byte *record, int i) {
  return record + SAVED_GAME_OFS_BUGS + i * SAVED_GAME_BUG_SIZE;
}

static void WriteWeapon(Byte *r, const Weapon *w) {
  r[W_PRESENT] = 1;
  PutI32(r + W_TYPE, w->type);
  PutI32(r + W_LEVEL, w->level);
  PutI32(r + W_TARGET, w->target_mode);
  PutF32(r + W_X, w->x);
  PutF32(r + W_Y, w->y);
  PutF32(r + W_SIZE, w->size);
  PutF32(r + W_AIM, w->aim_angle);
  PutF32(r + W_BASE, w->base_angle);
  r[W_UPGRADING] = w->upgrading;
  r[W_FULL] = w->full_upgrade;
  PutF32(r + W_PROGRESS, w->upgrade_progress);
  PutF32(r + W_THROB, w->throb_phase);
  PutF32(r + W_BRIGHTNESS, w->brightness);
  PutF32(r + W_RELOAD, w->reload);
}

static void WriteBug(Byte *r, const Bug *b) {
  PutI32(r + B_INDEX, b->index);
  r[B_FLAG1] = b->saved_flag_1;
  PutF32(r + B_ANIM, b->anim_frame);
  PutF32(r + B_HEADING, b->heading);
  PutF32(r + B_PATH_POS, b->path_pos);
  PutI32(r + B_PATH_INDEX, b->path_index);
  PutI32(r + B_LOOK_AHEAD, b->look_ahead_index);
  r[B_ON_PATH] = b->on_path;
  PutF32(r + B_PUSH_BACK, b->push_back);
  r[B_ALIVE] = b->alive;
  r[B_GAME_OVER_BUG] = b->game_over_bug;
  r[B_FLAG2] = b->saved_flag_2;
  PutI32(r + B_VALUE, b->saved_value);
  PutF64(r + B_SPEED, b->speed);
  PutF64(r + B_HP, b->hp);
  PutF64(r + B_MAX_HP, b->max_hp);
  r[B_STATE] = b->state;
  r[B_ON_SCREEN] = b->on_screen;
}

void SavedGameWriteRecord(unsigned char *record) {
  if (!record) return;
  memset(record, 0, SAVED_GAME_RECORD_SIZE);
  PutF32(record, saved_game_version);
  PutI16(record + SAVED_GAME_OFS_GARDEN, level_garden);
  PutI16(record + SAVED_GAME_OFS_DIFFICULTY, level_difficulty);
  PutI32(record + SAVED_GAME_OFS_SCORE, score);
  PutI32(record + SAVED_GAME_OFS_SCORE_ADDED, score_added);
  PutI32(record + SAVED_GAME_OFS_LIVES, lives);
  PutI32(record + SAVED_GAME_OFS_CASH, cash);
  PutI32(record + SAVED_GAME_OFS_WAVE, bug_level_num);
  record[SAVED_GAME_OFS_PAUSED] = game_paused;
  record[SAVED_GAME_OFS_GAME_OVER] = game_over;
  record[SAVED_GAME_OFS_GAME_WON] = game_won;

  const int weapon_count = num_weapons < 0 ? 0 : num_weapons > QW_MAX_WEAPONS ? QW_MAX_WEAPONS : num_weapons;
  PutI32(record + SAVED_GAME_OFS_NUM_WEAPONS, weapon_count);
  for (int i = 0; i < weapon_count; i++)
    if (weapons[i]) WriteWeapon(WeaponRecord(record, i), weapons[i]);

  PutI32(record + SAVED_GAME_OFS_BUG_SPECIES, bug_species);
  PutF64(record + SAVED_GAME_OFS_BUG_HP, bug_type.hp);
  PutF64(record + SAVED_GAME_OFS_BUG_SPEED, bug_type.speed);
  PutF64(record + SAVED_GAME_OFS_BUG_CASH, bug_type.cash);
  PutI32(record + SAVED_GAME_OFS_BUG_SCORE, bug_type.score);
  PutF32(record + SAVED_GAME_OFS_BUG_DISTANCE, bugs_line_pos_dist);
  PutF32(record + SAVED_GAME_OFS_BUG_SIZE, bug_size);
  PutI32(record + SAVED_GAME_OFS_LAST_BOSS, last_boss_level);
  const int bug_count = num_bugs < 0 ? 0 : num_bugs > BUGS_MAX ? BUGS_MAX : num_bugs;
  PutI32(record + SAVED_GAME_OFS_NUM_BUGS, bug_count);
  for (int i = 0; i < bug_count; i++)
    if (bugs[i]) WriteBug(BugRecord(record, i), bugs[i]);
}

// --- Checks ----------------------------------------------------------------------------------

static bool Finite32(const Byte *p) { return std::isfinite(GetF32(p)); }
static bool Finite64(const Byte *p) { return std::isfinite(GetF64(p)); }
static bool Flag(Byte b) { return b <= 1; }
static bool InRange(EngInt32 v, EngInt32 lo, EngInt32 hi) { return v >= lo && v <= hi; }

static const char *CheckWeapon(const Byte *r) {
  if (!Flag(r[W_PRESENT])) return "weapon flag";
  if (!r[W_PRESENT]) return nullptr;
  const EngInt32 type = GetI32(r + W_TYPE);
  if (!InRange(type, 0, QW_NUM_WEAPON_TYPES - 1)) return "weapon type";
  if (!InRange(GetI32(r + W_LEVEL), 0, type >= QW_FIRST_FACTORY_TYPE ? 2 : 3)) return "weapon level";
  if (!InRange(GetI32(r + W_TARGET), 0, 4)) return "weapon target mode";
  if (!Flag(r[W_UPGRADING]) || !Flag(r[W_FULL])) return "weapon flag";
  for (int at : {W_X, W_Y, W_SIZE, W_AIM, W_BASE, W_PROGRESS, W_THROB, W_BRIGHTNESS, W_RELOAD})
    if (!Finite32(r + at)) return "weapon number";
  return nullptr;
}

static const char *CheckBug(const Byte *r) {
  if (!InRange(GetI32(r + B_INDEX), 0, BUGS_MAX - 1)) return "bug index";
  for (int at : {B_ALIVE, B_GAME_OVER_BUG, B_ON_PATH, B_ON_SCREEN})
    if (!Flag(r[at])) return "bug flag";
  for (int at : {B_ANIM, B_HEADING, B_PATH_POS, B_PUSH_BACK})
    if (!Finite32(r + at)) return "bug number";
  for (int at : {B_SPEED, B_HP, B_MAX_HP})
    if (!Finite64(r + at)) return "bug number";
  // An empty slot comes back dead and is removed by the next tick; only live bugs walk.
  if (!r[B_ALIVE]) return nullptr;
  if (!InRange(r[B_STATE], 1, 5)) return "bug state";
  if (!InRange(GetI32(r + B_PATH_INDEX), 0, TRAVERSE_LAST_STEP) ||
      !InRange(GetI32(r + B_LOOK_AHEAD), 0, TRAVERSE_LAST_STEP))
    return "bug path index";
  if (!(GetF64(r + B_MAX_HP) > 0.0)) return "bug hit points";
  return nullptr;
}

char SavedGameCheckRecord(const unsigned char *record, const char **why) {
  const char *fault = nullptr;
  const EngInt32 weapon_count = record ? GetI32(record + SAVED_GAME_OFS_NUM_WEAPONS) : 0;
  const EngInt32 bug_count = record ? GetI32(record + SAVED_GAME_OFS_NUM_BUGS) : 0;
  if (!record)
    fault = "no record";
  else if (!InRange(weapon_count, 0, QW_MAX_WEAPONS))
    fault = "weapon count";
  else if (!InRange(bug_count, 0, BUGS_MAX))
    fault = "bug count";
  else if (!InRange(GetI16(record + SAVED_GAME_OFS_GARDEN), 0, 3))
    fault = "garden";
  else if (!InRange(GetI16(record + SAVED_GAME_OFS_DIFFICULTY), 0, 2))
    fault = "difficulty";
  else if (!InRange(GetI32(record + SAVED_GAME_OFS_WAVE), 0, 49))
    fault = "wave";
  // The next wave counts the waves since this one to choose a boss.
  else if (!InRange(GetI32(record + SAVED_GAME_OFS_LAST_BOSS), 0, 49))
    fault = "last boss wave";
  else if (!InRange(GetI32(record + SAVED_GAME_OFS_LIVES), 1, 20))
    fault = "lives";
  else if (GetI32(record + SAVED_GAME_OFS_CASH) < 0 || GetI32(record + SAVED_GAME_OFS_SCORE) < 0 ||
           GetI32(record + SAVED_GAME_OFS_SCORE_ADDED) < 0)
    fault = "cash or score";
  else if (record[SAVED_GAME_OFS_PAUSED] > 2)
    fault = "pause state";
  else if (!Flag(record[SAVED_GAME_OFS_GAME_OVER]) || !Flag(record[SAVED_GAME_OFS_GAME_WON]))
    fault = "game flags";
  else if (!InRange(GetI32(record + SAVED_GAME_OFS_BUG_SPECIES), -1, BUGS_NUM_SPECIES - 1))
    fault = "bug species";
  else if (!Finite64(record + SAVED_GAME_OFS_BUG_HP) || !Finite64(record + SAVED_GAME_OFS_BUG_SPEED) ||
           !Finite64(record + SAVED_GAME_OFS_BUG_CASH) || !Finite32(record + SAVED_GAME_OFS_BUG_DISTANCE) ||
           !Finite32(record + SAVED_GAME_OFS_BUG_SIZE))
    fault = "bug type number";
  for (int i = 0; !fault && i < weapon_count; i++) fault = CheckWeapon(WeaponRecord(record, i));
  for (int i = 0; !fault && i < bug_count; i++) fault = CheckBug(BugRecord(record, i));
  if (why) *why = fault;
  return fault ? 0 : 1;
}

// --- Restoring -------------------------------------------------------------------------------

static void RestoreWeapon(const Byte *r, int number) {
  const EngInt32 type = GetI32(r + W_TYPE);
  if (!WeaponsCreateNew(type, GetF32(r + W_X), GetF32(r + W_Y), 0, 1)) {
    DebugErrorAlt(ENG_FUNC, "Could not create weapon [%d]", number);
    return;
  }
  Weapon *w = weapons[num_weapons - 1];
  w->level = GetI32(r + W_LEVEL);
  w->target_mode = GetI32(r + W_TARGET);
  w->x = GetF32(r + W_X);
  w->y = GetF32(r + W_Y);
  w->size = GetF32(r + W_SIZE);
  w->half_size = w->size * 0.5f;
  w->aim_angle = GetF32(r + W_AIM);
  w->base_angle = GetF32(r + W_BASE);
  w->upgrading = r[W_UPGRADING];
  w->full_upgrade = r[W_FULL];
  w->upgrade_progress = GetF32(r + W_PROGRESS);
  w->throb_phase = GetF32(r + W_THROB);
  w->brightness = GetF32(r + W_BRIGHTNESS);
  w->reload = GetF32(r + W_RELOAD);
}

static void RestoreBug(const Byte *r, int slot) {
  Bug *b = new Bug(GetI32(r + B_INDEX), 0);
  b->saved_flag_1 = r[B_FLAG1];
  b->anim_frame = GetF32(r + B_ANIM);
  b->heading = GetF32(r + B_HEADING);
  b->path_pos = GetF32(r + B_PATH_POS);
  b->path_index = GetI32(r + B_PATH_INDEX);
  b->look_ahead_index = GetI32(r + B_LOOK_AHEAD);
  b->on_path = r[B_ON_PATH];
  b->push_back = GetF32(r + B_PUSH_BACK);
  b->alive = r[B_ALIVE];
  b->game_over_bug = r[B_GAME_OVER_BUG];
  b->saved_flag_2 = r[B_FLAG2];
  b->saved_value = GetI32(r + B_VALUE);
  b->speed = GetF64(r + B_SPEED);
  b->hp = GetF64(r + B_HP);
  b->max_hp = GetF64(r + B_MAX_HP);
  b->state = r[B_STATE];
  b->on_screen = r[B_ON_SCREEN];
  b->CalcState();
  delete bugs[slot];
  bugs[slot] = b;
}

static void SetWaveFromRecord(const Byte *record) {
  bug_species = GetI32(record + SAVED_GAME_OFS_BUG_SPECIES);
  bug_type.hp = GetF64(record + SAVED_GAME_OFS_BUG_HP);
  bug_type.speed = GetF64(record + SAVED_GAME_OFS_BUG_SPEED);
  bug_type.cash = GetF64(record + SAVED_GAME_OFS_BUG_CASH);
  bug_type.score = GetI32(record + SAVED_GAME_OFS_BUG_SCORE);
  bugs_line_pos_dist = GetF32(record + SAVED_GAME_OFS_BUG_DISTANCE);
}

static void SetCountersFromRecord(const Byte *record) {
  score = GetI32(record + SAVED_GAME_OFS_SCORE);
  score_added = GetI32(record + SAVED_GAME_OFS_SCORE_ADDED);
  lives = GetI32(record + SAVED_GAME_OFS_LIVES);
  cash = GetI32(record + SAVED_GAME_OFS_CASH);
  bug_level_num = GetI32(record + SAVED_GAME_OFS_WAVE);
  game_over = record[SAVED_GAME_OFS_GAME_OVER];
  game_won = record[SAVED_GAME_OFS_GAME_WON];
}

char SavedGameRestoreRecord(const unsigned char *record) {
  if (!record) return 0;
  level_garden = GetI16(record + SAVED_GAME_OFS_GARDEN);
  level_difficulty = GetI16(record + SAVED_GAME_OFS_DIFFICULTY);
  if (!QuarrelwickInitForNewGame(1)) return 0;

  const EngInt32 weapon_count = GetI32(record + SAVED_GAME_OFS_NUM_WEAPONS);
  for (int i = 0; i < weapon_count; i++) {
    const Byte *r = WeaponRecord(record, i);
    if (r[W_PRESENT]) RestoreWeapon(r, i);
  }
  WeaponsUpdateFactories();

  SetWaveFromRecord(record);
  BugsSetBugSize(GetF32(record + SAVED_GAME_OFS_BUG_SIZE));
  SetCountersFromRecord(record);
  QuarrelwickInitForNewLevel(1);

  // The new level emptied the bug list; the wave comes back slot for slot. A bug put back past
  // the house costs no life (the game was saved before it got there): the counters are held
  // as in a game over until they are set from the record below.
  const EngInt32 bug_count = GetI32(record + SAVED_GAME_OFS_NUM_BUGS);
  num_bugs = bug_count;
  game_over = 1;
  for (int i = 0; i < bug_count; i++) RestoreBug(BugRecord(record, i), i);
  WeaponsUpdateFactories();
  LevelsTurnOffLevelText();

  // The new level recomputed some of these from the restored weapons and the wave.
  SetCountersFromRecord(record);
  game_paused = record[SAVED_GAME_OFS_PAUSED];
  SetWaveFromRecord(record);
  snprintf(cash_str, sizeof(cash_str), "%d", cash);
  snprintf(lives_str, sizeof(lives_str), "%d", lives);
  // The level strings recompute the score; the stored one stands.
  QuarrelwickUpdateLevelStrings();
  score = GetI32(record + SAVED_GAME_OFS_SCORE);
  snprintf(score_str, sizeof(score_str), "%d", score);

  if (eng_main_device) BugsCreateGraphics();
  last_boss_level = GetI32(record + SAVED_GAME_OFS_LAST_BOSS);
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
  const float version = GetF32(saved_game);
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
