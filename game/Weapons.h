// Weapons: the twelve weapon types and their balance tables, the placed weapons of a game
// (1,000 slots, never reused within a game), placing on free ground with the footprint on the
// placement grid, selling, the factory levels that unlock weapon families, and the pictures.
#pragma once

#include "Engine/EngTypes.h"

class Bullet;
class EngTexture;
class Game;

enum {
  QW_NUM_WEAPON_TYPES = 12,
  // Types 0..8 fire bullets; 9..11 are the factories of the gun, spray and projectile families.
  QW_NUM_FIRING_TYPES = 9,
  QW_FIRST_FACTORY_TYPE = 9,
  QW_WEAPON_LEVELS = 4,
  QW_MAX_WEAPONS = 1000,
  QW_MAX_WEAPON_BULLETS = 20,
};

struct _WeaponInfo {
  char name[32];
};

struct _WeaponTypeDetails {
  float size;            // diameter in play-field units at size multiplier 1
  float turn_rate;       // rad/s of the aim
  float base_turn_rate;  // rad/s of the drawn base; 0 = the base never turns
  float pivot_x, pivot_y;
  EngUInt8 square;              // square footprint, else round
  EngUInt8 turns_while_firing;  // turns while its bullets fly
  EngUInt8 align;               // fires within 0.01 rad (0), 0.1 rad (1) or at any angle (2)
  float upgrade_speed;
};

// Computed at start-up: the footprint radius and the pivot offsets in play-field units.
struct _WeaponTypeDetails2 {
  float radius;
  float pivot_x, pivot_y;
};

struct _WeaponTypeLevelDetails {
  EngInt32 price;  // level 0: the purchase; level n: upgrading to n
  EngInt32 sell_percent;
  float fire_rate, range, damage, slow;
};

extern _WeaponInfo weapon_infos[QW_NUM_WEAPON_TYPES];
extern _WeaponTypeDetails weapon_type_details[QW_NUM_WEAPON_TYPES];
extern _WeaponTypeDetails2 weapon_type_details2[QW_NUM_WEAPON_TYPES];
extern _WeaponTypeLevelDetails weapon_type_level_details[QW_NUM_WEAPON_TYPES][QW_WEAPON_LEVELS];
extern const float weapon_size_mults[QW_WEAPON_LEVELS];
// Per family and factory level, the weapon type whose picture the factory shows.
extern const EngInt32 factory_tex_weapons[3][3];

class Weapon {
 public:
  Weapon(Game *game, int type, float x, float y);
  ~Weapon();

  EngInt32 GetScoreValue() const { return 10; }
  void UpdateSize();
  EngInt32 CalcNextBulletLookAheadAmount() const;

  // Per frame: upgrade, reload, aim, turn, fire, then the bullets in flight.
  void Tick();
  void Render();
  void RenderBullets();
  char StartUpgrade();
  char StartFullUpgrade();
  float CalcAimAngleToBug(int bug) const;
  char CreateBullet(int bug);
  // Deletes the bullets no longer alive and recounts the slots to visit.
  void CheckNumBullets();
  void RemoveAllBullets();
  void SetFullViewportPos(float px, float py);
  char UpdateHighlight();
  char IsPointInWeapon(float px, float py) const;
  // The top level this type reaches: 3 for weapons, 2 for factories.
  EngInt32 GetTopLevel() const;

  Game *game;
  Bullet *bullets[QW_MAX_WEAPON_BULLETS];
  EngInt32 type;
  EngInt32 level;
  EngInt32 target_mode;
  float x, y;
  float size, half_size;
  float full_size, full_half_size;
  float pivot_x, pivot_y;
  float aim_angle;
  float base_angle;
  EngUInt8 upgrading;
  EngUInt8 full_upgrade;
  float upgrade_progress;
  EngInt32 num_bullet_slots;
  EngUInt8 full_viewport;
  EngUInt8 highlighted;
  float throb_phase;
  float brightness;
  float desired_angle;
  EngInt32 look_ahead_frames;
  float reload;
  double next_idle_turn_time;

 private:
  void TickAim();
  void TickBullets();
};

// Placed weapons by slot (null: empty or sold); num_weapons counts the slots used this game.
extern Weapon *weapons[QW_MAX_WEAPONS];
extern EngInt32 num_weapons;
extern EngInt32 weapon_info_shown;
// Per firing type its base (or only) picture and its top picture (null for sprays); per
// firing type its bullet; per family and level the factory with its weapon in the yard.
extern EngTexture *weapon_texs[QW_NUM_FIRING_TYPES][2];
extern EngTexture *bullet_texs[QW_NUM_FIRING_TYPES];
extern EngTexture *factory_texs[3][3];

// Life cycle.
char WeaponsPre3dInit();
// Fills the tables' -99 defaults and the computed footprints and pivots (part of Pre3dInit).
void WeaponsApplyTableDefaults();
char WeaponsCreateGraphics();
void WeaponsDestroyGraphics();
void WeaponsInitForNewGame();
void WeaponsInitForNewLevel();
void WeaponsPost3dExit();

// lenient: a cell taken by another weapon passes when a cell two away is free (restoring).
char WeaponsCanPlaceWeaponHere(int type, float x, float y, char lenient);
// Places a weapon (paid for unless free), or with erase clears a sold weapon's footprint.
char WeaponsCreateNew(int type, float x, float y, char erase, char free);
void WeaponsSellWeapon(int slot);
char WeaponsSellLastWeapon();
void WeaponsUpdateFactories();
void WeaponsTick();
void WeaponsRender();
void WeaponsRemoveAllBullets();
void WeaponsMoveMouse();
// button 0 left, 1 right; pressed 1 or released 0. 1 when the click was used.
char WeaponsMouseButtonPressed(char button, char pressed);
char WeaponsUpgradeHighlightedWeapon(char full);
// a moved by whole turns to within pi of b; a non-finite a gives b.
float WeaponsNormaliseAngleToward(float a, float b);

// What a weapon in that slot would refund if sold now; 0 for an empty slot.
EngInt32 WeaponsGetSellValue(int slot);
// The score of the weapons on the field (each Weapon::GetScoreValue).
EngInt32 WeaponsGetScoreValue();
// The type's name in the player's language.
const char *WeaponsGetTypeName(int type);

// Back to the start-up state, weapons and pictures freed (tests call it between cases).
void WeaponsResetForTests();

// Sounds: 21 a weapon placed, 18 and 19 an upgrade and a full upgrade.
