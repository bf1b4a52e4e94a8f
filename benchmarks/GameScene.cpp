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

// Where each bug of the late wave stood, and how fast it walked, when the scene was built.
struct Start {
  float path_pos;
  double speed;
};
static std::vector<Start> start;

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

// A weapon's picture turns with it, so its corners reach past its round footprint: the scene's
// weapons keep every corner off the house and the solid scenery, as a player would place them.
static bool ClearOfSolidGround(int type, float x, float y) {
  const float reach = weapon_type_details[type].size * level_weapon_size_mult * 0.7072f;
  for (float dy = -reach; dy <= reach; dy += 0.004f)
    for (float dx = -reach; dx <= reach; dx += 0.004f) {
      if (dx * dx + dy * dy > reach * reach) continue;
      int gx, gy;
      QuarrelwickGetGridPosition(x + dx, y + dy, &gx, &gy);
      if (traverse_info.grid[gy * TRAVERSE_GRID_SIZE + gx] >= 2) return false;
    }
  return true;
}

// Every weapon of the kind (factories or not) bought up to its top level, the upgrades running
// on the weapons' own clock as in play; false when one does not finish.
static bool UpgradeToTheTop(bool factories) {
  for (int i = 0; i < num_weapons; i++) {
    Weapon *w = weapons[i];
    if (w && (w->type >= QW_FIRST_FACTORY_TYPE) == factories && w->level < w->GetTopLevel() && !w->StartFullUpgrade())
      return false;
  }
  for (int frame = 0; frame < 60 * 60; frame++) {
    bool busy = false;
    for (int i = 0; i < num_weapons; i++) busy = busy || (weapons[i] && weapons[i]->upgrading);
    if (!busy) return true;
    game_per_second = 1.0f / 60.0f;
    WeaponsTick();
  }
  return false;
}

static float FrontPathPos() {
  float front = -1e9f;
  for (int i = 0; i < num_bugs && i < BUGS_MAX; i++)
    if (bugs[i] && bugs[i]->path_pos > front) front = bugs[i]->path_pos;
  return front;
}

bool BuildLateWave(std::string *why) {
  if (!StartGame(kLateWaveGarden, kLateWaveDifficulty, why)) return false;
  qwtest::HeadlessGame game;
  if (!game.Start()) {
    *why = "the headless game did not start";
    return false;
  }
  game.act_every = 0;
  game.place_allowed = ClearOfSolidGround;
  lives = 1000000;
  // As a player gets there: the three factories away from the road, upgraded until the shop
  // sells every weapon, then forty weapons, every firing type at least four times, beside the
  // road and upgraded to their top level.
  cash = 100000000;
  for (int family = 0; family < 3; family++)
    if (!game.PlaceAwayFromTheRoad(QW_FIRST_FACTORY_TYPE + family)) {
      *why = "no room for factory " + std::to_string(family);
      return false;
    }
  if (!UpgradeToTheTop(true)) {
    *why = "the factories' upgrades did not finish";
    return false;
  }
  int placed = 0;
  for (int round = 0; placed < 40 && round < 10; round++)
    for (int type = 0; type < QW_NUM_FIRING_TYPES && placed < 40; type++)
      if (factory_levels[type / 3] > type % 3 && game.PlaceBesideTheRoad(type)) placed++;
  if (placed < 40) {
    *why = "room for only " + std::to_string(placed) + " weapons";
    return false;
  }
  if (!UpgradeToTheTop(false)) {
    *why = "the weapons' upgrades did not finish";
    return false;
  }
  // Wave 45, drawn until it is a crowd rather than a boss, queued as a wave starts; too tough
  // to die, it walks in under fire until its front nears the house.
  bug_level_num = 44;
  for (int seed = 1; seed < 1000; seed++) {
    srand(unsigned(seed));
    BugsInitForNewLevel(0);
    if (num_bugs >= 95) break;
  }
  for (int i = 0; i < num_bugs; i++) bugs[i]->hp = bugs[i]->max_hp = 1e15;
  game_paused = QW_GAME_RUNNING;
  const float front_stop = float(traverse_info.num_steps) - level_onscreen_end_pos - kLateWaveFrontRoom;
  for (int frame = 0; frame < 60 * 180 && FrontPathPos() < front_stop; frame++) game.Step();
  if (FrontPathPos() < front_stop) {
    *why = "the wave did not walk in";
    return false;
  }
  start.assign(size_t(num_bugs), Start{-1e9f, 0.0});
  for (int i = 0; i < num_bugs; i++)
    if (bugs[i]) start[size_t(i)] = Start{bugs[i]->path_pos, bugs[i]->speed};
  ResetLateWaveBugs();
  return true;
}

void ResetLateWaveBugs() {
  for (int i = 0; i < num_bugs && i < BUGS_MAX; i++) {
    if (!bugs[i]) bugs[i] = new Bug(i, 0);
    Bug *b = bugs[i];
    b->alive = 1;
    b->path_pos = start[size_t(i)].path_pos;
    b->push_back = 0.0f;
    b->hp = b->max_hp = 1e15;
    b->speed = start[size_t(i)].speed;
    b->CalcState();
  }
}

int LateWaveBugCount() {
  int n = 0;
  for (Bug *b : bugs) n += b && b->alive && b->on_screen;
  return n;
}

}  // namespace qwbench
