#include "benchmarks/GameScene.h"

#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "Engine/EngMain.h"
#include "game/Bugs.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Traverse.h"
#include "game/Weapons.h"
#include "tests/game/HeadlessGame.h"

namespace qwbench {

static std::vector<float> start_pos;

static bool StartGame(EngInt16 garden, EngInt16 difficulty, std::string *why) {
  if (chdir(QW_RESOURCES_DIR) != 0) {
    *why = "no resources folder " QW_RESOURCES_DIR;
    return false;
  }
  QuarrelwickResetForTests();
  LevelsResetForTests();
  BugsResetForTests();
  TraverseReset();
  QuarrelwickPre3dInit();
  level_garden = garden;
  level_difficulty = difficulty;
  srand(45);
  if (!QuarrelwickInitForNewGame(0)) {
    *why = "garden " + std::to_string(garden) + " did not start";
    return false;
  }
  game_per_second = 1.0f / 60.0f;
  return true;
}

bool BuildEmptyField(std::string *why) {
  if (!StartGame(kLateWaveGarden, kLateWaveDifficulty, why)) return false;
  game_paused = QW_GAME_NOT_STARTED;
  return true;
}

bool BuildLateWave(std::string *why) {
  if (!StartGame(kLateWaveGarden, kLateWaveDifficulty, why)) return false;
  qwtest::HeadlessGame game;
  if (!game.Start()) {
    *why = "the headless game did not start";
    return false;
  }
  // Forty weapons, every firing type at least four times, at their top level.
  cash = 100000000;
  int placed = 0;
  for (int round = 0; placed < 40 && round < 10; round++)
    for (int type = 0; type < QW_NUM_FIRING_TYPES && placed < 40; type++)
      if (game.PlaceBesideTheRoad(type)) placed++;
  if (placed < 40) {
    *why = "room for only " + std::to_string(placed) + " weapons";
    return false;
  }
  for (int i = 0; i < num_weapons; i++)
    if (weapons[i]) {
      weapons[i]->level = 3;
      weapons[i]->UpdateSize();
    }
  // Wave 45, drawn until it is a crowd rather than a boss.
  bug_level_num = 44;
  for (int seed = 1; seed < 1000; seed++) {
    srand(unsigned(seed));
    BugsInitForNewLevel(0);
    if (num_bugs >= 95) break;
  }
  const int n = traverse_info.num_steps;
  start_pos.assign(size_t(num_bugs), 0.0f);
  for (int i = 0; i < num_bugs; i++)
    start_pos[size_t(i)] = level_onscreen_start_pos + 50.0f + float(i) * (float(n) - level_onscreen_start_pos -
                                                                              level_onscreen_end_pos - 400.0f) /
                                                                         float(num_bugs);
  ResetLateWaveBugs();
  lives = 1000000;
  game_paused = QW_GAME_RUNNING;
  return true;
}

void ResetLateWaveBugs() {
  for (int i = 0; i < num_bugs && i < BUGS_MAX; i++) {
    if (!bugs[i]) bugs[i] = new Bug(i, 0);
    Bug *b = bugs[i];
    b->alive = 1;
    b->path_pos = start_pos[size_t(i)];
    b->push_back = 0.0f;
    b->hp = b->max_hp = 1e15;
    b->speed = bug_type.speed;
    b->CalcState();
  }
}

int LateWaveBugCount() {
  int n = 0;
  for (Bug *b : bugs) n += b != nullptr;
  return n;
}

}  // namespace qwbench
