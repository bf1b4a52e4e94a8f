// Bullets: one shot of a weapon (a straight shot, a spray cloud, a thrown stone or grenade, a
// homing missile), its flight, the damage and slowing it does to bugs, and its picture. A
// bullet belongs to its weapon's slots; a dying one only marks itself dead and its weapon
// deletes it after its tick.
#pragma once

#include "Engine/EngTypes.h"

class Game;
class Weapon;

struct _WeaponTypeBullet {
  EngUInt8 kind;       // 0 straight, 1 thrown along an arc, 2 homing missile
  EngUInt8 exclusive;  // the weapon fires only when no earlier slot is busy
  float muzzle;
  float splash;
  EngUInt8 cone;        // hit test by the cloud's cone
  EngUInt8 continuous;  // damage per second while touching, not once
  float speed;          // play-field units, or arc progress, per second
  float size;
  float growth;  // size per second
  float life;    // 0 means 1.0
  float fade;    // life lost per second
};

extern const _WeaponTypeBullet weapon_type_bullets[12];

class Bullet {
 public:
  Bullet(Game *game, Weapon *weapon, int type, int level, float x, float y, float angle, int bug, int mode);

  void Tick();
  void Render();
  float CalcAimAngleToPoint(float px, float py) const;
  void PlayLaunchSound();
  void PlayHitSound();
  // Marks the bullet dead; its weapon deletes it after ticking it.
  void Die();

  Game *game;
  Weapon *weapon;
  EngUInt8 alive;
  float x, y;
  float size, half_size, start_size;
  float angle;
  float dir_x, dir_y;
  float side_x, side_y;
  float life;
  float start_x, start_y;
  float land_x, land_y;
  float distance;
  float arc_progress;
  EngInt32 target_bug;
  EngInt32 weapon_type;
  EngInt32 weapon_level;
  EngInt32 target_mode;

 private:
  void HitBugs(float dt);
};

