// Weapon behaviour: upgrades with their timing, prices and refusals, reloading and firing,
// aiming, sprays waiting for their cloud, and the play input that places and upgrades.
#include "game/Weapons.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "Engine/EngMain.h"
#include "Engine/EngWindow.h"
#include "game/Bugs.h"
#include "game/Bullets.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Sidebar.h"
#include "game/Tutorial.h"
#include "tests/game/PlayFieldRequests.h"
#include "tests/game/PlayFieldTestSupport.h"
#include "tests/game/WeaponsTestSupport.h"

namespace {

using WeaponsBehaviourTest = qwtest::WeaponFieldTest;

TEST_F(WeaponsBehaviourTest, UpgradeTable) {
  struct Case {
    const char *name;
    int type, from_level;
    char full;
    int cash_given;
    char started;
    int paid, to_level;
    double seconds;  // until the upgrade ends
    int sound;
  } cases[] = {
      {"Turret, one level", 0, 0, 0, 60, 1, 60, 1, 1.0 / 0.333, 18},
      {"Turret, one short", 0, 0, 0, 59, 0, 0, 0, 0, 0},
      {"Turret at the top", 0, 3, 0, 100000, 0, 0, 3, 0, 0},
      {"Small Spray, one level", 3, 1, 0, 70, 1, 70, 2, 1.0 / (0.7 * 0.333), 18},
      {"Cannon, full from 0", 1, 0, 1, 825, 1, 825, 3, 3.0 / 0.333, 19},
      {"Cannon, full, one short", 1, 0, 1, 824, 0, 0, 0, 0, 0},
      {"Tank, full from 2", 2, 2, 1, 2500, 1, 2500, 3, 1.0 / 0.333, 19},
      {"Gun Factory, full from 0", 9, 0, 1, 5500, 1, 5500, 2, 2.0 / (0.5 * 0.333), 19},
      {"Gun Factory at its top", 9, 2, 0, 100000, 0, 0, 2, 0, 0},
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(k.name);
    WeaponsInitForNewGame();
    for (auto &row : grid)
      for (EngUInt8 &c : row)
        if (c == 2) c = 0;
    cash = 1000000;
    ASSERT_EQ(WeaponsCreateNew(k.type, 0.5f, 0.5f, 0, 0), 1);
    Weapon *w = weapons[num_weapons - 1];
    w->level = k.from_level;
    w->UpdateSize();
    cash = k.cash_given;
    qwtest::ClearRequestRecords();
    EXPECT_EQ(k.full ? w->StartFullUpgrade() : w->StartUpgrade(), k.started);
    EXPECT_EQ(cash, k.cash_given - k.paid);
    if (!k.started) {
      EXPECT_TRUE(qwtest::sounds_played.empty());
      EXPECT_EQ(w->upgrading, 0);
      continue;
    }
    EXPECT_EQ(qwtest::sounds_played, std::vector<int>{k.sound});
    // Refused while under way, even with the cash.
    cash = 1000000;
    EXPECT_EQ(w->StartUpgrade(), 0);
    EXPECT_EQ(w->StartFullUpgrade(), 0);
    EXPECT_EQ(cash, 1000000);
    // It runs for its time, a frame's rounding either way, and dims while it does.
    int frames = 0;
    while (w->upgrading && frames < 100000) {
      Tick();
      frames++;
      if (w->upgrading) {
        EXPECT_LT(w->brightness, 0.71f);
      }
    }
    // Each level ends on a whole frame and the next starts from 0.
    EXPECT_NEAR(frames / 60.0, k.seconds, (k.to_level - k.from_level + 0.5) / 60.0);
    EXPECT_EQ(w->level, k.to_level);
    EXPECT_FLOAT_EQ(w->brightness, 1.0f);
    EXPECT_FLOAT_EQ(w->size, w->full_size * weapon_size_mults[k.to_level]);
    if (k.type == 9) {
      EXPECT_EQ(factory_levels[0], 3);
    }
  }
}

TEST_F(WeaponsBehaviourTest, TurretFiresAboutOnePointThreeTimesASecond) {
  Bug *b = AddBug(0, 2400);  // at (0, 0)
  b->hp = b->max_hp = 1e12;
  ASSERT_EQ(Place(0, 0.0f, 0.12f), 1);
  Weapon *w = weapons[0];
  const int frames = 600;
  for (int i = 0; i < frames; i++) Tick();
  const size_t shots = qwtest::launch_sounds.size();
  EXPECT_GE(shots, 12u);
  EXPECT_LE(shots, 14u);
  // It turned to face the bug: its shots fly up the screen.
  EXPECT_NEAR(std::cos(w->aim_angle + 3.1415927f), 0.0f, 0.01f);
  EXPECT_NEAR(std::sin(w->aim_angle + 3.1415927f), -1.0f, 0.01f);
  EXPECT_LT(b->hp, 1e12);
}

TEST_F(WeaponsBehaviourTest, WithNoBugInRangeAWeaponWaitsReady) {
  AddBug(0, 2400);  // at (0, 0), out of a Turret's range from (0.6, 0.6)
  ASSERT_EQ(Place(0, 0.6f, 0.6f), 1);
  Weapon *w = weapons[0];
  w->aim_angle = 1.0f;
  for (int i = 0; i < 300; i++) Tick();
  EXPECT_FLOAT_EQ(w->aim_angle, 1.0f);
  EXPECT_FLOAT_EQ(w->reload, 1.0f);
  EXPECT_EQ(w->num_bullet_slots, 0);
  EXPECT_TRUE(qwtest::launch_sounds.empty());
}

TEST_F(WeaponsBehaviourTest, SprayFiresAgainOnlyWhenItsCloudIsGone) {
  Bug *b = AddBug(0, 2400);
  b->hp = b->max_hp = 1e12;
  ASSERT_EQ(Place(3, 0.0f, 0.12f), 1);
  Weapon *w = weapons[0];
  std::vector<int> shot_frames;
  for (int i = 0; i < 480; i++) {
    size_t before = qwtest::launch_sounds.size();
    Tick();
    EXPECT_LE(w->num_bullet_slots, 1);
    if (qwtest::launch_sounds.size() > before) shot_frames.push_back(i);
  }
  // The gauge is full again after a second, but each cloud lives 1.5 s.
  ASSERT_GE(shot_frames.size(), 3u);
  for (size_t i = 1; i < shot_frames.size(); i++) EXPECT_GE(shot_frames[i] - shot_frames[i - 1], 89);
}

TEST_F(WeaponsBehaviourTest, AimPointsTheShotAtTheBug) {
  AddBug(0, 2400);  // at (0, 0)
  struct Case {
    const char *name;
    float wx, wy;
  } cases[] = {{"bug to the right", -0.1f, 0.0f},
               {"bug to the left", 0.1f, 0.0f},
               {"bug straight above", 0.0f, 0.1f},
               {"bug straight below", 0.0f, -0.1f},
               {"bug up and left", 0.07f, 0.07f}};
  for (const Case &k : cases) {
    SCOPED_TRACE(k.name);
    Weapon w(nullptr, 0, k.wx, k.wy);
    const float a = w.CalcAimAngleToBug(0);
    const float len = std::sqrt(k.wx * k.wx + k.wy * k.wy);
    EXPECT_NEAR(std::cos(a + 3.1415927f), -k.wx / len, 1e-5);
    EXPECT_NEAR(std::sin(a + 3.1415927f), -k.wy / len, 1e-5);
    Bullet shot(nullptr, &w, 0, 0, w.x, w.y, a, 0, 0);
    EXPECT_NEAR(shot.dir_x, -k.wx / len, 1e-5);
    EXPECT_NEAR(shot.dir_y, -k.wy / len, 1e-5);
    EXPECT_NEAR(shot.CalcAimAngleToPoint(0.0f, 0.0f), std::atan2(-(0.0f - shot.y), -(0.0f - shot.x)), 1e-6);
  }
  // An empty slot keeps the current aim.
  Weapon w(nullptr, 0, 0.1f, 0.0f);
  w.aim_angle = 2.0f;
  EXPECT_FLOAT_EQ(w.CalcAimAngleToBug(5), 2.0f);
  EXPECT_FLOAT_EQ(w.CalcAimAngleToBug(-1), 2.0f);
}

TEST_F(WeaponsBehaviourTest, AnglesNormaliseWithoutLooping) {
  const float pi = 3.1415927f;
  struct Case {
    float a, b;
  } cases[] = {{0.0f, 0.0f}, {6.0f, 0.0f}, {-6.0f, 0.0f}, {100.0f, 1.0f}, {-1e6f, 2.0f}, {1e30f, 0.0f}, {3.0f, -3.0f}};
  for (const Case &k : cases) {
    SCOPED_TRACE(std::to_string(k.a) + " toward " + std::to_string(k.b));
    float r = WeaponsNormaliseAngleToward(k.a, k.b);
    EXPECT_TRUE(std::isfinite(r));
    if (std::fabs(k.a) < 1e5f) {
      EXPECT_LT(r - k.b, pi + 1e-4f);
      EXPECT_LT(k.b - r, pi + 1e-4f);
      EXPECT_NEAR(std::cos(r), std::cos(k.a), 1e-3);
    }
  }
  EXPECT_FLOAT_EQ(WeaponsNormaliseAngleToward(NAN, 1.5f), 1.5f);
  EXPECT_FLOAT_EQ(WeaponsNormaliseAngleToward(INFINITY, 1.5f), 1.5f);
}

TEST_F(WeaponsBehaviourTest, AfterAWonGardenWeaponsTurnSlowlyAndNeverFire) {
  AddBug(0, 2400);
  ASSERT_EQ(Place(0, 0.0f, 0.12f), 1);
  Weapon *w = weapons[0];
  game_won = 1;
  float last = w->aim_angle;
  int changes = 0;
  for (int i = 0; i < 60 * 12; i++) {
    Tick();
    // At a tenth of the turn rate at most.
    EXPECT_LE(std::fabs(w->aim_angle - last), 1.8f * 0.1f / 60.0f + 1e-5f);
    if (w->aim_angle != last) changes++;
    last = w->aim_angle;
  }
  EXPECT_GT(changes, 0);
  EXPECT_TRUE(qwtest::launch_sounds.empty());
}

TEST_F(WeaponsBehaviourTest, PlacingWithThePointerAndUpgradingWithTheKeys) {
  eng_main_window_x_ratio_inv = eng_main_window_y_ratio_inv = 1.0f;
  // Placing a Turret: the dragged weapon follows the pointer; the right button cancels.
  play_state = 1;
  weapon_placing_type = 0;
  weapon_to_place = new Weapon(nullptr, 0, 0, 0);
  QuarrelwickMoveMouse(370, 300);  // play-field (0, 1/3)
  EXPECT_EQ(weapon_to_place->full_viewport, 1);
  EXPECT_EQ(QuarrelwickGetCursorType(), 0);
  QuarrelwickMouseButtonPressed(1, 1);
  EXPECT_EQ(play_state, 0);
  EXPECT_EQ(weapon_to_place, nullptr);

  // Again, over the road: the cursor says no and the release does nothing.
  play_state = 1;
  weapon_to_place = new Weapon(nullptr, 0, 0, 0);
  QuarrelwickMoveMouse(370, 225);  // (0, 0), the road
  EXPECT_EQ(QuarrelwickGetCursorType(), 1);
  QuarrelwickMouseButtonPressed(0, 0);
  EXPECT_EQ(num_weapons, 0);
  // Beside it a left press is not used, the release places.
  QuarrelwickMoveMouse(370, 300);
  EXPECT_EQ(QuarrelwickGetCursorType(), 0);
  EXPECT_EQ(WeaponsMouseButtonPressed(0, 1), 0);
  const int cash_before = cash;
  // The sidebar forgets its pointer and the tutorial works its hint out again.
  sbl_over_what = 4;
  sb_over_menu = 2;
  TutorialSetOptionForTests(1);
  tut_stage = 2;
  snprintf(tut_text_str, sizeof(tut_text_str), "old");
  QuarrelwickMouseButtonPressed(0, 0);
  ASSERT_EQ(num_weapons, 1);
  EXPECT_EQ(cash, cash_before - 80);
  EXPECT_EQ(play_state, 0);
  EXPECT_EQ(weapon_to_place, nullptr);
  EXPECT_EQ(sbl_over_what, -1);
  EXPECT_EQ(sb_over_menu, 0);
  EXPECT_EQ(tut_stage, 0);
  EXPECT_STREQ(tut_text_str, "Place a factory in the garden.");
  EXPECT_EQ(weapons[0]->highlighted, 1);

  // 'U' upgrades the weapon under the pointer; 'F' then finds it upgrading. (Paused, so the
  // empty wave does not end and pay its bonus.)
  game_paused = 1;
  cash = 1000;
  eng_key_down[static_cast<unsigned char>('U')] = 2;
  QuarrelwickTick();
  EXPECT_EQ(weapons[0]->upgrading, 1);
  EXPECT_EQ(cash, 940);
  EXPECT_EQ(eng_key_down[static_cast<unsigned char>('U')], 0);
  eng_key_down[static_cast<unsigned char>('F')] = 2;
  QuarrelwickTick();
  EXPECT_EQ(cash, 940);
  EXPECT_EQ(eng_key_down[static_cast<unsigned char>('F')], 0);

  // A left press on it selects it for its popup; away from it, nothing is selected.
  EXPECT_EQ(WeaponsMouseButtonPressed(0, 1), 1);
  EXPECT_EQ(weapon_info_shown, 0);
  EXPECT_EQ(WeaponsMouseButtonPressed(0, 1), 0);
  QuarrelwickMoveMouse(600, 50);
  EXPECT_EQ(weapons[0]->highlighted, 0);
  EXPECT_EQ(weapon_info_shown, -1);
}

TEST_F(WeaponsBehaviourTest, DuringGameOverOnlyBulletsFly) {
  AddBug(0, 2400);
  ASSERT_EQ(Place(0, 0.0f, 0.2f), 1);
  Weapon *w = weapons[0];
  ASSERT_EQ(w->CreateBullet(0), 1);
  w->upgrading = 1;
  w->reload = 0.5f;
  game_over = 1;
  const float y = w->bullets[0]->y;
  Tick();
  EXPECT_FLOAT_EQ(w->upgrade_progress, 0.0f);
  EXPECT_FLOAT_EQ(w->reload, 0.5f);
  EXPECT_EQ(w->num_bullet_slots, 1);
  EXPECT_LT(w->bullets[0]->y, y);
}

TEST_F(WeaponsBehaviourTest, TankHullFollowsItsTurretSlowly) {
  AddBug(0, 2400);  // at (0, 0), to the upper left of a Tank at (0.3, 0.3)
  ASSERT_EQ(Place(2, 0.3f, 0.3f), 1);
  Weapon *w = weapons[0];
  const float start = w->base_angle;
  for (int i = 0; i < 60; i++) Tick();
  const float want = WeaponsNormaliseAngleToward(w->CalcAimAngleToBug(0), start);
  // The turret got there; the hull turned 0.1 rad in the second, toward it.
  EXPECT_NEAR(w->aim_angle, want, 0.02f);
  EXPECT_NEAR(std::fabs(w->base_angle - start), 0.1f, 0.002f);
  EXPECT_LT(std::fabs(w->base_angle - want), std::fabs(start - want));
}

}  // namespace
