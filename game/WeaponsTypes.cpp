// The weapon types' balance tables. -99 marks a value that start-up fills in (WeaponsPre3dInit):
// an upgrade speed of 1, a level-0 sell percent of 50, and at levels 1..3 the value of the
// level before.
#include "game/Weapons.h"

_WeaponInfo weapon_infos[QW_NUM_WEAPON_TYPES] = {
    {"Turret"},       {"Cannon"},           {"Tank"},
    {"Small Spray"},  {"Medium Spray"},     {"Big Spray"},
    {"Stone Thrower"}, {"Grenade Launcher"}, {"Missile Launcher"},
    {"Gun Factory"},  {"Spray Factory"},    {"Projectile Factory"},
};

// size, turn, base turn, pivot x, pivot y, square, turns while firing, align, upgrade speed
_WeaponTypeDetails weapon_type_details[QW_NUM_WEAPON_TYPES] = {
    {0.12f, 1.8f, 0.0f, 0.0f, 0.0f, 0, 1, 0, -99.0f},
    {0.13f, 2.3f, 0.0f, 0.0f, -0.15f, 0, 1, 0, -99.0f},
    {0.14f, 2.6f, 0.1f, 0.0f, -0.1f, 0, 1, 0, -99.0f},
    {0.12f, 2.0f, 0.0f, 0.0f, 0.0f, 0, 0, 0, 0.7f},
    {0.13f, 3.0f, 0.0f, 0.0f, 0.0f, 0, 0, 0, 0.6f},
    {0.14f, 4.0f, 0.0f, 0.0f, 0.0f, 0, 0, 0, 0.5f},
    {0.12f, 1.0f, 0.0f, 0.0f, 0.0f, 1, 1, 0, -99.0f},
    {0.13f, 1.2f, 0.0f, 0.0f, 0.0f, 0, 1, 0, -99.0f},
    {0.14f, 1.5f, 0.0f, 0.0f, 0.0f, 0, 1, 0, -99.0f},
    {0.2f, 0.0f, 0.0f, 0.0f, 0.0f, 1, 0, 0, 0.5f},
    {0.2f, 0.0f, 0.0f, 0.0f, 0.0f, 1, 0, 0, 0.5f},
    {0.2f, 0.0f, 0.0f, 0.0f, 0.0f, 1, 0, 0, 0.5f},
};

_WeaponTypeDetails2 weapon_type_details2[QW_NUM_WEAPON_TYPES];

#define D -99
// Per level: price, sell percent, fire rate, range, damage, slow.
_WeaponTypeLevelDetails weapon_type_level_details[QW_NUM_WEAPON_TYPES][QW_WEAPON_LEVELS] = {
    {{80, D, 13, 0.15f, 5, 0}, {60, D, 18, 0.18f, 9, 0}, {60, D, 22, 0.21f, 12, 1}, {60, D, 25, 0.24f, 15, 1}},
    {{350, D, 20, 0.25f, 20, 2}, {275, D, 25, 0.3f, 30, 3}, {275, D, 29, 0.35f, 38, 4}, {275, D, 32, 0.4f, 45, 5}},
    {{3500, D, 30, 0.4f, 70, 5},
     {2500, D, 35, 0.45f, 95, 8},
     {2500, D, 39, 0.5f, 115, 11},
     {2500, D, 42, 0.55f, 130, 13}},
    {{100, D, 10, 0.15f, 20, 14}, {70, D, 13, 0.2f, 28, 21}, {70, D, 16, 0.25f, 35, 27}, {70, D, 19, 0.3f, 41, 32}},
    {{500, D, 10, 0.3f, 30, 45}, {350, D, 14, 0.35f, 40, 55}, {350, D, 18, 0.4f, 48, 65}, {350, D, 22, 0.45f, 55, 75}},
    {{5000, D, 10, 0.4f, 70, 80},
     {3500, D, 15, 0.52f, 85, 120},
     {3500, D, 20, 0.64f, 98, 145},
     {3500, D, 25, 0.76f, 110, 165}},
    {{80, D, 15, 0.2f, 14, 1}, {75, D, 17, 0.26f, 19, 2}, {75, D, 19, 0.31f, 24, 4}, {75, D, 21, 0.35f, 29, 8}},
    {{400, D, 15, 0.35f, 45, 4}, {300, D, 19, 0.4f, 60, 8}, {300, D, 23, 0.45f, 73, 11}, {300, D, 27, 0.5f, 85, 13}},
    {{6000, D, 7, 0.5f, 150, 15},
     {4000, D, 9, 0.8f, 225, 18},
     {4000, D, 11, 1.1f, 290, 21},
     {4000, D, 13, 1.4f, 350, 24}},
    {{120, 0, 0, 0, 0, 0}, {500, 0, 0, 0, 0, 0}, {5000, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
    {{140, 0, 0, 0, 0, 0}, {700, 0, 0, 0, 0, 0}, {8000, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
    {{120, 0, 0, 0, 0, 0}, {600, 0, 0, 0, 0, 0}, {10000, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
};
#undef D

const float weapon_size_mults[QW_WEAPON_LEVELS] = {0.73f, 0.82f, 0.91f, 1.0f};

const EngInt32 factory_tex_weapons[3][3] = {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}};

void WeaponsApplyTableDefaults() {
  // The size multiplier is 1 at start-up; gardens scale sizes later, not these offsets.
  const float size_mult = 1.0f;
  for (int t = 0; t < QW_NUM_WEAPON_TYPES; t++) {
    _WeaponTypeDetails &d = weapon_type_details[t];
    if (d.upgrade_speed == -99.0f) d.upgrade_speed = 1.0f;
    weapon_type_details2[t].radius = d.size * 0.5f;
    weapon_type_details2[t].pivot_x = d.pivot_x * d.size * size_mult;
    weapon_type_details2[t].pivot_y = d.pivot_y * d.size * size_mult;
    _WeaponTypeLevelDetails *l = weapon_type_level_details[t];
    if (l[0].sell_percent == -99) l[0].sell_percent = 50;
    for (int n = 1; n < QW_WEAPON_LEVELS; n++) {
      if (l[n].sell_percent == -99) l[n].sell_percent = l[n - 1].sell_percent;
      if (l[n].fire_rate == -99.0f) l[n].fire_rate = l[n - 1].fire_rate;
      if (l[n].range == -99.0f) l[n].range = l[n - 1].range;
      if (l[n].damage == -99.0f) l[n].damage = l[n - 1].damage;
      if (l[n].slow == -99.0f) l[n].slow = l[n - 1].slow;
    }
  }
}
