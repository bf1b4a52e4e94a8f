#include "tests/game/HeadlessGame.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <deque>

#include "Engine/EngMain.h"
#include "game/Bugs.h"
#include "game/Bullets.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Weapons.h"

namespace qwtest {

bool HeadlessGame::Start() {
  if (!QuarrelwickInitForNewGame(0)) return false;
  game_paused = QW_GAME_RUNNING;
  game_per_second = 1.0f / 60.0f;
  m_frames = 0;
  m_fault.clear();
  FindPlaces();
  return true;
}

// Candidate centres on a lattice of 0.036 units, ordered by their distance from the road in
// grid cells (a breadth-first walk out from the path cells), then by row and column.
void HeadlessGame::FindPlaces() {
  static int dist[QW_GRID_SIZE][QW_GRID_SIZE];
  std::deque<std::pair<int, int>> queue;
  for (int y = 0; y < QW_GRID_SIZE; y++)
    for (int x = 0; x < QW_GRID_SIZE; x++) {
      dist[y][x] = grid[y][x] == 1 ? 0 : INT_MAX;
      if (grid[y][x] == 1) queue.push_back({x, y});
    }
  while (!queue.empty()) {
    auto [x, y] = queue.front();
    queue.pop_front();
    static const int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto &s : kSteps) {
      int nx = x + s[0], ny = y + s[1];
      if (nx < 0 || ny < 0 || nx >= QW_GRID_SIZE || ny >= QW_GRID_SIZE || dist[ny][nx] != INT_MAX) continue;
      dist[ny][nx] = dist[y][x] + 1;
      queue.push_back({nx, ny});
    }
  }
  struct Candidate {
    int d, gy, gx;
  };
  std::vector<Candidate> near, far;
  for (int gy = 44; gy <= 468; gy += 8)
    for (int gx = 44; gx <= 468; gx += 8) {
      int d = dist[gy][gx];
      if (d >= 15 && d <= 45) near.push_back({d, gy, gx});
      if (d >= 60 && d != INT_MAX) far.push_back({-d, gy, gx});
    }
  auto order = [](const Candidate &a, const Candidate &b) {
    return a.d != b.d ? a.d < b.d : a.gy != b.gy ? a.gy < b.gy : a.gx < b.gx;
  };
  std::sort(near.begin(), near.end(), order);
  std::sort(far.begin(), far.end(), order);
  auto point = [](const Candidate &c) { return Place{float(c.gx - 32) / 224.0f - 1.0f, float(c.gy - 32) / 224.0f - 1.0f}; };
  m_near.clear();
  m_far.clear();
  for (const Candidate &c : near) m_near.push_back(point(c));
  for (const Candidate &c : far) m_far.push_back(point(c));
  m_next_near = m_next_far = 0;
}

bool HeadlessGame::PlaceAt(std::vector<Place> &places, size_t *next, int type) {
  if (cash < weapon_type_level_details[type][0].price) return false;
  // Places already taken stay behind; the scan goes on from the first one still open.
  for (size_t i = *next; i < places.size(); i++) {
    if (!WeaponsCanPlaceWeaponHere(type, places[i].x, places[i].y, 0)) continue;
    if (place_allowed && !place_allowed(type, places[i].x, places[i].y)) continue;
    if (WeaponsCreateNew(type, places[i].x, places[i].y, 0, 0)) {
      *next = i;
      return true;
    }
  }
  return false;
}

void HeadlessGame::Act() {
  // Factories first, away from the road: gun, then spray and projectile.
  for (int family = 0; family < 3; family++) {
    if (factory_levels[family] > 0) continue;
    if (family > 0 && num_weapons < 4) break;
    if (!PlaceAt(m_far, &m_next_far, QW_FIRST_FACTORY_TYPE + family) && family == 0) return;
  }
  // A factory upgrade opens a stronger weapon: take it as soon as it is affordable, once the
  // field has some weapons of its family.
  int placed = 0;
  for (int i = 0; i < num_weapons; i++) placed += weapons[i] != nullptr;
  for (int i = 0; i < num_weapons; i++) {
    Weapon *w = weapons[i];
    if (!w || w->type < QW_FIRST_FACTORY_TYPE || w->upgrading || w->level >= 2) continue;
    if (placed >= 8 * (w->level + 1)) w->StartUpgrade();
  }
  // Weapons: every tenth placement a cheap one, else the best one unlocked, in the family
  // whose turn it is.
  static const int kFamilyOrder[6] = {0, 1, 2, 0, 2, 1};
  for (int k = 0; k < 6; k++) {
    int family = kFamilyOrder[(placed + k) % 6];
    if (factory_levels[family] == 0) continue;
    int type = QuarrelwickGetBestWeaponTypeOfFamily(family);
    if (PlaceAt(m_near, &m_next_near, type)) return;
    // No place left beside the road: a weaker weapon makes room for the best one.
    if (cash >= weapon_type_level_details[type][0].price) {
      int weakest = -1;
      for (int i = 0; i < num_weapons; i++) {
        Weapon *w = weapons[i];
        if (!w || w->type >= QW_FIRST_FACTORY_TYPE || w->type % 3 >= type % 3) continue;
        if (weakest < 0 || w->type % 3 < weapons[weakest]->type % 3 ||
            (w->type % 3 == weapons[weakest]->type % 3 && w->level < weapons[weakest]->level))
          weakest = i;
      }
      if (weakest >= 0) {
        WeaponsSellWeapon(weakest);
        m_next_near = 0;
        if (PlaceAt(m_near, &m_next_near, type)) return;
      }
    }
    break;
  }
  // Upgrades when affordable, the cheapest first.
  Weapon *best = nullptr;
  EngInt32 best_price = 0;
  for (int i = 0; i < num_weapons; i++) {
    Weapon *w = weapons[i];
    if (!w || w->type >= QW_FIRST_FACTORY_TYPE || w->upgrading || w->level >= 3) continue;
    EngInt32 price = weapon_type_level_details[w->type][w->level + 1].price;
    if (!best || price < best_price) {
      best = w;
      best_price = price;
    }
  }
  if (best && cash >= best_price) best->StartUpgrade();
}

bool HeadlessGame::Check() {
  char why[256] = "";
  if (cash < 0 || score < 0) snprintf(why, sizeof(why), "cash %d, score %d", cash, score);
  if (num_bugs < 0 || num_bugs > BUGS_MAX) snprintf(why, sizeof(why), "num_bugs %d", num_bugs);
  if (num_weapons < 0 || num_weapons > QW_MAX_WEAPONS) snprintf(why, sizeof(why), "num_weapons %d", num_weapons);
  for (int i = 0; i < num_weapons && !why[0]; i++) {
    Weapon *w = weapons[i];
    if (!w) continue;
    if (w->num_bullet_slots < 0 || w->num_bullet_slots > QW_MAX_WEAPON_BULLETS) {
      snprintf(why, sizeof(why), "weapon %d: %d bullet slots", i, w->num_bullet_slots);
      break;
    }
    for (int s = 0; s < QW_MAX_WEAPON_BULLETS; s++) {
      Bullet *b = w->bullets[s];
      if (!b) continue;
      if (b->weapon != w || s >= w->num_bullet_slots || !b->alive)
        snprintf(why, sizeof(why), "weapon %d: bullet %d not its own, beyond the count or dead", i, s);
    }
  }
  if (!why[0]) return true;
  if (m_fault.empty()) m_fault = "frame " + std::to_string(m_frames) + ", wave " + std::to_string(bug_level_num + 1) + ": " + why;
  return false;
}

void HeadlessGame::Step() {
  eng_main_current_time = eng_main_current_time + 1.0 / 60.0;
  game_per_second = 1.0f / 60.0f;
  QuarrelwickTick();
  m_frames++;
  if (act_every > 0 && m_frames % act_every == 0 && !game_over && !game_won) Act();
}

void HeadlessGame::Play(int max_waves, long max_frames) {
  while (!game_won && !game_over && m_frames < max_frames) {
    if (max_waves > 0 && bug_level_num >= max_waves) break;
    Step();
    if (!Check()) return;
  }
}

}  // namespace qwtest
