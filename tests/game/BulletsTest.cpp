// Bullets: thrown shots landing where they aimed and hurting one bug, spray clouds growing,
// fading and hurting by the step, missiles changing target, shots leaving the field, and
// bullets dying together in one tick.
#include "game/Bullets.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/Bugs.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Weapons.h"
#include "tests/game/PlayFieldRequests.h"
#include "tests/game/WeaponsTestSupport.h"

namespace {

class BulletsTest : public qwtest::WeaponFieldTest {
 protected:
  // Ticks a lone bullet until it dies; the seconds it lived.
  static double Fly(Bullet *b, int max_frames = 100000) {
    int frames = 0;
    while (b->alive && frames < max_frames) {
      b->Tick();
      frames++;
    }
    return frames / 60.0;
  }
};

TEST_F(BulletsTest, ThrownShotLandsWhereItAimedAndHurtsOnlyTheLowestSlot) {
  struct Case {
    int type;
    bool effect;
  } cases[] = {{6, false}, {7, true}};
  for (const Case &k : cases) {
    SCOPED_TRACE(k.type);
    qwtest::ClearRequestRecords();
    // Two bugs on one point 0.3 above the weapon, in slots 1 and 3.
    Bug *b1 = AddBug(1, 2400), *b3 = AddBug(3, 2400);
    Weapon w(nullptr, k.type, 0.0f, 0.3f);
    w.look_ahead_frames = 0;
    const float a = w.CalcAimAngleToBug(1);
    Bullet shot(nullptr, &w, k.type, 0, w.x, w.y, a, 1, 0);
    // Aimed at (0, 0) from its muzzle straight below it.
    EXPECT_NEAR(shot.distance, shot.start_y, 1e-5);
    while (shot.alive) {
      shot.Tick();
      if (shot.alive) {
        EXPECT_EQ(b1->hp, 100.0);  // nothing is hurt in flight
      }
    }
    // It came down on the bugs' point.
    EXPECT_NEAR(shot.x, 0.0f, 1e-4);
    EXPECT_NEAR(shot.y, 0.0f, 1e-4);
    EXPECT_LT(b1->hp, 100.0);
    EXPECT_EQ(b3->hp, 100.0);
    EXPECT_EQ(qwtest::launch_sounds.size(), 1u);
    // Its hit sound on landing, and again on the hit.
    EXPECT_EQ(qwtest::hit_sounds.size(), 2u);
    const std::vector<qwtest::EffectMade> made = qwtest::EffectsMade();
    ASSERT_EQ(made.size(), k.effect ? 1u : 0u);
    if (k.effect) {
      EXPECT_EQ(made[0].type, 0);
      EXPECT_FLOAT_EQ(made[0].size, 0.15f);
      EXPECT_NEAR(made[0].y, 0.0f, 1e-4);
    }
  }
}

TEST_F(BulletsTest, ThrownShotThatHitsNothingStillDiesOnLanding) {
  Weapon w(nullptr, 6, 0.5f, 0.5f);
  Bullet shot(nullptr, &w, 6, 0, w.x, w.y, 1.0f, -1, 0);
  EXPECT_GT(Fly(&shot), 0.0);
  EXPECT_EQ(shot.alive, 0);
  EXPECT_EQ(qwtest::hit_sounds.size(), 1u);
}

TEST_F(BulletsTest, SprayCloudsGrowFadeAndHurtByTheStep) {
  struct Case {
    int type;
    double life;
  } cases[] = {{3, 1.5}, {4, 3.0}, {5, 5.0}};
  for (const Case &k : cases) {
    SCOPED_TRACE(k.type);
    // Far from any bug: it lives its time out, growing by 0.3 a second.
    Bullet cloud(nullptr, nullptr, k.type, 0, 0.5f, 0.8f, 1.5707964f, -1, 0);
    const float start = cloud.size;
    for (int i = 0; i < 60; i++) cloud.Tick();
    EXPECT_NEAR(cloud.size - start, 0.3f, 0.001f);
    EXPECT_NEAR(1.0 + Fly(&cloud), k.life, 1.5 / 60.0);
  }
  // Inside the cone the damage is the level's damage x the remaining life x the step.
  Bug *b = AddBug(0, 2400);
  for (float dt : {1.0f / 60.0f, 1.0f / 30.0f}) {
    SCOPED_TRACE(dt);
    b->hp = 100.0;
    game_per_second = dt;
    Bullet cloud(nullptr, nullptr, 3, 0, 0.0f, 0.0f, 1.5707964f, 0, 0);
    cloud.size = 0.2f;
    cloud.half_size = 0.1f;
    cloud.x = 0.0f;
    cloud.y = 0.03f;  // the bug lies just ahead of it (the cloud flies up)
    cloud.Tick();
    const double life = 1.5 - dt;
    EXPECT_NEAR(100.0 - b->hp, 20.0 * life * dt, 1e-4);
    EXPECT_EQ(cloud.alive, 1);  // a spray goes on through
  }
}

TEST_F(BulletsTest, MissileChangesTargetOrFliesStraightOn) {
  AddBug(2, 2300);
  Bug *other = AddBug(4, 2500);
  Weapon w(nullptr, 8, 0.0f, 0.4f);
  Bullet missile(nullptr, &w, 8, 0, w.x, w.y, w.CalcAimAngleToBug(2), 2, 0);
  missile.Tick();
  EXPECT_EQ(missile.target_bug, 2);
  // Its target dies and is removed: the next tick finds another in range.
  delete bugs[2];
  bugs[2] = nullptr;
  missile.Tick();
  EXPECT_EQ(missile.target_bug, 4);
  // A target slot beyond the wave's count is not used either.
  missile.target_bug = 50;
  missile.Tick();
  EXPECT_EQ(missile.target_bug, 4);
  // With none left in range it flies straight on.
  other->on_screen = 0;
  missile.target_bug = -1;
  missile.Tick();
  const float angle = missile.angle, x = missile.x, y = missile.y;
  missile.Tick();
  EXPECT_EQ(missile.target_bug, -1);
  EXPECT_FLOAT_EQ(missile.angle, angle);
  EXPECT_NEAR(missile.x - x, missile.dir_x * 0.5f / 60.0f, 1e-6);
  EXPECT_NEAR(missile.y - y, missile.dir_y * 0.5f / 60.0f, 1e-6);
}

TEST_F(BulletsTest, StraightShotThatMissesFliesToTheEdge) {
  Bullet shot(nullptr, nullptr, 0, 0, 0.0f, 0.5f, 1.5707964f, -1, 0);
  const float from = shot.start_y;
  EXPECT_NEAR(from, 0.5f - 0.07f, 1e-5);  // the muzzle: half of Turret and shot sizes ahead
  // Up to -2.5 at 1 unit a second.
  EXPECT_NEAR(Fly(&shot), from + 2.5, 1.5 / 60.0);
  EXPECT_LT(shot.y, -2.5f);
}

TEST_F(BulletsTest, ManyBulletsOfOneWeaponDieInOneTick) {
  // Shots in slots 0..5: those in 1, 2 and 5 are outside the field and die together; 0, 3
  // and 4 fly on.
  ASSERT_EQ(Place(0, 0.6f, 0.6f), 1);
  Weapon *w = weapons[0];
  for (int i = 0; i < 6; i++) {
    w->reload = 1.0f;
    ASSERT_EQ(w->CreateBullet(-1), 1);
  }
  EXPECT_EQ(w->num_bullet_slots, 6);
  for (int i : {1, 2, 5}) w->bullets[i]->x = 2.49f + 0.5f;
  for (int i : {0, 3, 4}) w->bullets[i]->x = 0.0f;
  Tick();
  EXPECT_EQ(w->bullets[1], nullptr);
  EXPECT_EQ(w->bullets[2], nullptr);
  EXPECT_EQ(w->bullets[5], nullptr);
  EXPECT_NE(w->bullets[4], nullptr);
  EXPECT_EQ(w->num_bullet_slots, 5);
  // The next shot takes the first empty slot.
  w->reload = 1.0f;
  ASSERT_EQ(w->CreateBullet(-1), 1);
  EXPECT_NE(w->bullets[1], nullptr);
  for (int i = 0; i < 6; i++)
    if (w->bullets[i]) w->bullets[i]->x = 3.0f;
  Tick();
  EXPECT_EQ(w->num_bullet_slots, 0);
  // A weapon with every slot busy does not fire.
  for (int i = 0; i < QW_MAX_WEAPON_BULLETS; i++) ASSERT_EQ(w->CreateBullet(-1), 1);
  EXPECT_EQ(w->CreateBullet(-1), 0);
  // Selling it takes its bullets with it.
  WeaponsSellWeapon(0);
}

}  // namespace
