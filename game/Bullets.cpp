#include "game/Bullets.h"

#include <cmath>

#include "Engine/EngMath.h"
#include "Engine/EngMiscRandom.h"
#include "Engine/EngTexture.h"
#include "game/Bugs.h"
#include "game/Collision.h"
#include "game/Effects.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Sound.h"
#include "game/Sprites.h"
#include "game/Weapons.h"

// kind, exclusive, muzzle, splash, cone, continuous, speed, size, growth, life, fade
const _WeaponTypeBullet weapon_type_bullets[12] = {
    {0, 0, 1.0f, 0.0f, 0, 0, 1.0f, 0.02f, 0.0f, 0.0f, 0.0f},
    {0, 0, 1.0f, 0.0f, 0, 0, 1.3f, 0.03f, 0.0f, 0.0f, 0.0f},
    {0, 0, 1.0f, 0.1f, 0, 0, 1.4f, 0.03f, 0.0f, 0.0f, 0.0f},
    {0, 1, 1.0f, 0.0f, 1, 1, 0.15f, 0.001f, 0.3f, 1.5f, 1.0f},
    {0, 1, 1.0f, 0.0f, 1, 1, 0.15f, 0.001f, 0.3f, 1.5f, 0.5f},
    {0, 1, 1.0f, 0.0f, 1, 1, 0.12f, 0.001f, 0.3f, 2.5f, 0.5f},
    {1, 0, 0.3f, 0.0f, 0, 0, 0.87f, 0.025f, 0.0f, 0.0f, 0.0f},
    {1, 0, 0.35f, 0.15f, 0, 0, 0.6f, 0.03f, 0.0f, 0.0f, 0.0f},
    {2, 0, 0.85f, 0.13f, 0, 0, 0.5f, 0.08f, 0.0f, 0.0f, 0.0f},
    {0, 0, 0.0f, 0.0f, 0, 0, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f},
    {0, 0, 0.0f, 0.0f, 0, 0, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f},
    {0, 0, 0.0f, 0.0f, 0, 0, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f},
};

// A bug slot the bullet may use: inside the wave's count and holding a bug.
static Bug *BugInSlot(int slot) {
  if (slot < 0 || slot >= num_bugs || slot >= BUGS_MAX) return nullptr;
  return bugs[slot];
}

Bullet::Bullet(Game *game_in, Weapon *weapon_in, int type, int level, float x_in, float y_in, float angle_in,
               int bug, int mode)
    : game(game_in), weapon(weapon_in), alive(1), x(x_in), y(y_in), size(0.0f), half_size(0.0f),
      start_size(0.0f), angle(angle_in), dir_x(0.0f), dir_y(0.0f), side_x(0.0f), side_y(0.0f), life(1.0f),
      start_x(0.0f), start_y(0.0f), land_x(0.0f), land_y(0.0f), distance(0.0f), arc_progress(0.0f),
      target_bug(bug), weapon_type(type), weapon_level(level), target_mode(mode) {
  if (weapon_type < 0 || weapon_type >= QW_NUM_WEAPON_TYPES) weapon_type = 0;
  if (weapon_level < 0 || weapon_level >= QW_WEAPON_LEVELS) weapon_level = 0;
  const _WeaponTypeBullet &row = weapon_type_bullets[weapon_type];
  const float m = level_size_mult;
  dir_x = std::cos(angle + ENG_MATH_PI);
  dir_y = std::sin(angle + ENG_MATH_PI);
  side_x = std::cos(angle + ENG_MATH_PI + ENG_MATH_PI * 0.5f);
  side_y = std::sin(angle + ENG_MATH_PI + ENG_MATH_PI * 0.5f);
  const float muzzle = row.muzzle * (weapon_type_details[weapon_type].size + row.size) * m * 0.5f;
  x += dir_x * muzzle - weapon_type_details2[weapon_type].pivot_x;
  y += dir_y * muzzle - weapon_type_details2[weapon_type].pivot_y;
  start_x = x;
  start_y = y;
  size = start_size = row.size * m;
  half_size = size * 0.5f;
  life = row.life > 0.0f ? row.life : 1.0f;
  float aim_x, aim_y;
  Bug *b = BugInSlot(bug);
  if (!b) {
    aim_x = EngMiscRandRangeFloat(-1.0f, 1.0f);
    aim_y = EngMiscRandRangeFloat(-1.0f, 1.0f);
  } else if (weapon && weapon->look_ahead_frames >= 1) {
    aim_x = b->GetScreenXAhead(float(weapon->look_ahead_frames));
    aim_y = b->GetScreenYAhead(float(weapon->look_ahead_frames));
  } else {
    aim_x = b->GetScreenX();
    aim_y = b->GetScreenY();
  }
  distance = std::sqrt((aim_x - x) * (aim_x - x) + (aim_y - y) * (aim_y - y));
  land_x = x + dir_x * distance;
  land_y = y + dir_y * distance;
  SoundPlayBulletLaunchSound(weapon_type, weapon_level);
}

float Bullet::CalcAimAngleToPoint(float px, float py) const { return std::atan2(-(py - y), -(px - x)); }

void Bullet::PlayLaunchSound() { SoundPlayBulletLaunchSound(weapon_type, weapon_level); }
void Bullet::PlayHitSound() { SoundPlayBulletHitSound(weapon_type, weapon_level); }
void Bullet::Die() { alive = 0; }

void Bullet::Tick() {
  if (!alive) return;
  const float dt = game_per_second;
  const _WeaponTypeBullet &row = weapon_type_bullets[weapon_type];
  const float m = level_size_mult;
  if (row.kind == 2) {
    Bug *b = BugInSlot(target_bug);
    if (b && b->alive && b->on_screen) {
      float wanted = WeaponsNormaliseAngleToward(CalcAimAngleToPoint(b->GetScreenX(), b->GetScreenY()), angle);
      EngMiscChangeVariableAtSpeedToDesiredAmount(&angle, wanted, 2.0f * dt);
    } else {
      const _WeaponTypeLevelDetails &l = weapon_type_level_details[weapon_type][weapon_level];
      target_bug = BugsGetTargetBugWithinRange(x, y, l.range, target_mode);
    }
    dir_x = std::cos(angle + ENG_MATH_PI);
    dir_y = std::sin(angle + ENG_MATH_PI);
    x += dir_x * row.speed * dt;
    y += dir_y * row.speed * dt;
  } else if (row.kind == 1) {
    arc_progress += row.speed * dt;
    const float t = arc_progress < 1.0f ? arc_progress : 1.0f;
    const float e = (1.0f - std::cos(ENG_MATH_PI * t)) * 0.5f;
    x = start_x + (land_x - start_x) * e;
    y = start_y + (land_y - start_y) * e;
    size = std::sin(ENG_MATH_PI * t) * start_size + start_size;
    if (t < 0.05f) size *= 20.0f * t;
    half_size = size * 0.5f;
    if (arc_progress < 1.0f) return;
    if (weapon_type == 7) EffectsCreateNew(0, x, y, row.splash);
    PlayHitSound();
  } else {
    x += dir_x * row.speed * dt;
    y += dir_y * row.speed * dt;
    if (row.growth != 0.0f) {
      size += row.growth * m * dt;
      half_size = size * 0.5f;
    }
  }
  if (row.fade > 0.0f) {
    life -= row.fade * dt;
    if (life <= 0.0f) {
      Die();
      return;
    }
  }
  if (x < -2.5f || x > 2.5f || y < -2.5f || y > 2.5f) {
    Die();
    return;
  }
  HitBugs(dt);
  if (row.kind == 1) Die();
}

void Bullet::HitBugs(float dt) {
  const _WeaponTypeBullet &row = weapon_type_bullets[weapon_type];
  const _WeaponTypeLevelDetails &l = weapon_type_level_details[weapon_type][weapon_level];
  _Vector2d t1, t2, t3;
  if (row.cone) {
    const float mx = x + dir_x * half_size * 0.8f, my = y + dir_y * half_size * 0.8f;
    t1 = {x - dir_x * half_size, y - dir_y * half_size};
    t2 = {mx + side_x * half_size * 0.8f, my + side_y * half_size * 0.8f};
    t3 = {mx - side_x * half_size * 0.8f, my - side_y * half_size * 0.8f};
  }
  const bool thrown = row.kind == 1;
  int first = 0, last = num_bugs < BUGS_MAX ? num_bugs : BUGS_MAX;
  if (row.kind == 2) {
    // A missile hits only what it chases.
    if (!BugInSlot(target_bug)) return;
    first = target_bug;
    last = target_bug + 1;
  }
  for (int i = first; i < last; i++) {
    Bug *b = bugs[i];
    // A bug killed earlier in this frame waits for its own tick to be removed; it takes no shot.
    if (!b || !b->alive || b->state != 3) continue;
    _Vector2d p;
    b->GetScreenPos(&p);
    float factor = 1.0f;
    if (row.cone) {
      if (!(CollisionDistanceFromPointToTriangleSquared2D(&p, &t1, &t2, &t3) < bug_size_coll_squared)) continue;
    } else {
      const float dx = p.x - x, dy = p.y - y;
      const float d2 = dx * dx + dy * dy;
      const float r = ((thrown && row.splash > 0.0f) ? row.splash : half_size) + bug_size_coll;
      const float R = r * r;
      const float tested = row.kind == 2 ? 2.0f * d2 : d2;
      if (!(R > tested)) continue;
      if (thrown && d2 > R * R && R - R * R != 0.0f) factor = (R - d2) / (R - R * R);
    }
    float amount = factor * life;
    if (row.continuous) amount *= dt;
    b->ReduceHP(double(l.damage) * amount);
    float s = l.slow * (row.continuous ? amount * 10.0f : amount);
    if (row.continuous) s *= 1.4f;
    double k = 1.0;
    if (b->hp > 0.0 && b->max_hp > 0.0) k = 1.0 - 0.99 * (1.0 - 100.0 / b->max_hp);
    b->ReduceSpeed(double(s) * k);
    if (!row.continuous) {
      if (weapon_type == 8) EffectsCreateNew(0, x, y, row.splash);
      PlayHitSound();
      Die();
      return;
    }
  }
}

void Bullet::Render() {
  if (!alive) return;
  EngTexture *tex = (weapon_type >= 0 && weapon_type < QW_NUM_FIRING_TYPES) ? bullet_texs[weapon_type] : nullptr;
  if (!tex || !(life > 0.0f)) return;
  const float fade = life < 1.0f ? life : 1.0f;
  SpritesAdd(0, tex, x, y, 0.0f, 0.0f, angle, 0, half_size, nullptr, 1.0f, 1.0f, 1.0f, fade);
}
