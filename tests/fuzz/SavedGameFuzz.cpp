// Feeds decrypted saved-game records to the checks and the loader: the input as a whole record
// (cut or padded), and as patches laid over a good record (a game with weapons and a wave of
// bugs) aimed at the weapon and bug records and the counters. A record that passes must restore
// to a game whose counts and counters are in range, save back to a record that passes again,
// play on for half a second and end cleanly.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "game/Bugs.h"
#include "game/GameOver.h"
#include "game/GameWon.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/SavedGame.h"
#include "game/Traverse.h"
#include "game/Weapons.h"
#include "tests/fuzz/FuzzScratch.h"

static void Put32(std::string *b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; i++) (*b)[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
}

static void PutF(std::string *b, size_t at, float f) {
  uint32_t u;
  memcpy(&u, &f, 4);
  Put32(b, at, u);
}

// A straight road of 400 steps across the field along y = 0.
static std::string PathFile() {
  std::string b(TRAVERSE_FILE_BYTES, '\0');
  PutF(&b, TRAVERSE_OFS_VERSION, 1.2f);
  Put32(&b, TRAVERSE_OFS_NUM_STEPS, 400);
  Put32(&b, TRAVERSE_OFS_NUM_POINTS, 401);
  for (int i = 0; i <= 400; i++) {
    PutF(&b, TRAVERSE_OFS_POINTS + 8 * size_t(i), -1.2f + 0.006f * float(i));
    if (i < 400) PutF(&b, TRAVERSE_OFS_ANGLES + 4 * size_t(i), 3.1415927f);
  }
  for (int y = 250; y <= 262; y++)
    for (int x = 0; x < 512; x++) b[TRAVERSE_OFS_GRID + size_t(y) * 512 + size_t(x)] = 1;
  PutF(&b, TRAVERSE_OFS_SPACING, 0.006f);
  return b;
}

static std::vector<unsigned char> good;

static void Setup() {
  // Every restore reads its garden's path file from the working folder.
  const std::string folder = FuzzScratchFolder() + "/garden";
  if (mkdir(folder.c_str(), 0700) != 0 || chdir(folder.c_str()) != 0) abort();
  const std::string path = PathFile();
  for (int g = 0; g < 4; g++) {
    std::string name = "TravCalcs" + std::to_string(g) + ".dat";
    FILE *out = fopen(name.c_str(), "wb");
    if (!out || fwrite(path.data(), 1, path.size(), out) != path.size()) abort();
    fclose(out);
  }
  if (!QuarrelwickPre3dInit()) abort();
  srand(7);
  eng_main_current_time = 100.0;
  game_per_second = 1.0f / 60.0f;
  level_garden = 1;
  level_difficulty = 1;
  if (!QuarrelwickInitForNewGame(0)) abort();
  const int types[5] = {0, 4, 9, 7, 11};
  for (int i = 0; i < 5; i++) WeaponsCreateNew(types[i], -0.8f + 0.35f * float(i), 0.4f, 0, 1);
  WeaponsSellWeapon(1);
  weapons[2]->level = 2;
  for (int i = 0; i < num_bugs && i < BUGS_MAX; i++)
    if (bugs[i]) bugs[i]->path_pos = float(i * 30 - 20);
  BugsUpdateAllBugVariables();
  bug_level_num = 12;
  lives = 7;
  cash = 4321;
  game_paused = 1;
  good.resize(SAVED_GAME_RECORD_SIZE);
  SavedGameWriteRecord(good.data());
  if (!SavedGameCheckRecord(good.data(), nullptr)) abort();
}

static void CheckGame() {
  if (num_weapons < 0 || num_weapons > QW_MAX_WEAPONS || num_bugs < 0 || num_bugs > BUGS_MAX) abort();
  if (cash < 0 || score < 0 || score_added < 0 || lives < 0 || lives > 20) abort();
  if (level_garden < 0 || level_garden > 3 || level_difficulty < 0 || level_difficulty > 2) abort();
  for (int i = 0; i < num_weapons; i++) {
    const Weapon *w = weapons[i];
    if (!w) continue;
    if (w->type < 0 || w->type >= QW_NUM_WEAPON_TYPES || w->level < 0 || w->level > w->GetTopLevel()) abort();
    if (w->target_mode < 0 || w->target_mode > 4) abort();
  }
}

static void TryRecord(const unsigned char *record) {
  float version;
  memcpy(&version, record, 4);
  if (version != saved_game_version || !SavedGameCheckRecord(record, nullptr)) return;
  GameOverResetForTests();
  GameWonResetForTests();
  if (!SavedGameRestoreRecord(record)) abort();  // every garden has its path here
  CheckGame();
  if (!game_over) {
    std::vector<unsigned char> again(SAVED_GAME_RECORD_SIZE);
    SavedGameWriteRecord(again.data());
    if (!SavedGameCheckRecord(again.data(), nullptr)) abort();
  }
  game_paused = 0;
  for (int i = 0; i < 30; i++) {
    eng_main_current_time = eng_main_current_time + 1.0 / 60.0;
    QuarrelwickTick();
    CheckGame();
  }
  GameOverEnd();
  GameWonEnd(0);
  CheckGame();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  static bool ready = false;
  if (!ready) {
    Setup();
    ready = true;
  }
  std::vector<unsigned char> record(SAVED_GAME_RECORD_SIZE, 0);
  memcpy(record.data(), data, size < record.size() ? size : record.size());
  TryRecord(record.data());

  // Patches of 12 bytes: where (a weapon or bug field of the first eight slots, a counter, or
  // anywhere), how wide (1, 2, 4 or 8 bytes) and the value.
  record = good;
  for (size_t i = 0; i + 12 <= size; i += 12) {
    const uint8_t kind = data[i], a = data[i + 1];
    const uint16_t b = uint16_t(data[i + 2] | data[i + 3] << 8);
    size_t at;
    switch (kind & 3) {
      case 0: at = SAVED_GAME_OFS_WEAPONS + (a % 8) * SAVED_GAME_WEAPON_SIZE + b % SAVED_GAME_WEAPON_SIZE; break;
      case 1: at = SAVED_GAME_OFS_BUGS + (a % 8) * SAVED_GAME_BUG_SIZE + b % SAVED_GAME_BUG_SIZE; break;
      case 2:
        at = (a & 1) ? SAVED_GAME_OFS_NUM_BUGS + b % 36 : SAVED_GAME_OFS_NUM_WEAPONS + b % 44;
        break;
      default: at = (size_t(a) << 16 | b) % SAVED_GAME_RECORD_SIZE; break;
    }
    const size_t width = size_t(1) << ((kind >> 2) & 3);
    for (size_t k = 0; k < width && at + k < record.size(); k++) record[at + k] = data[i + 4 + k];
  }
  TryRecord(record.data());
  return 0;
}
