#include "game/Weapons.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Engine/EngDebug.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMath.h"
#include "Engine/EngMiscRandom.h"
#include "Engine/EngTexture.h"
#include "game/Bullets.h"
#include "game/Game.h"
#include "game/Levels.h"
#include "game/Popup.h"
#include "game/Quarrelwick.h"
#include "game/Sidebar.h"
#include "game/Sound.h"

Weapon *weapons[QW_MAX_WEAPONS];
EngInt32 num_weapons = 0;
EngInt32 weapon_info_shown = -1;
EngTexture *weapon_texs[QW_NUM_FIRING_TYPES][2];
EngTexture *bullet_texs[QW_NUM_FIRING_TYPES];
EngTexture *factory_texs[3][3];

// Per firing type, its base (or only) picture and its top; loaded in this order.
static const char *const kWeaponPictures[QW_NUM_FIRING_TYPES][2] = {
    {"TurretBase.tga", "TurretTop.tga"},
    {"CannonBase.tga", "CannonTop.tga"},
    {"TankBase.tga", "TankTop.tga"},
    {"SpraySmall.tga", nullptr},
    {"SprayMedium.tga", nullptr},
    {"SprayLarge.tga", nullptr},
    {"RockThrowerBase.tga", "RockThrowerTop.tga"},
    {"GrenadeLauncherBase.tga", "GrenadeLauncherTop.tga"},
    {"MissileLauncherBase.tga", "MissileLauncherTop.tga"},
};
static const char *const kBulletPictures[QW_NUM_FIRING_TYPES] = {
    "BulletTurret.tga",      "BulletCannon.tga",       "BulletTank.tga",
    "BulletSpraySmall.tga",  "BulletSprayMedium.tga",  "BulletSprayLarge.tga",
    "BulletStone.tga",       "BulletGrenade.tga",      "BulletMissile.tga",
};

static bool IsWeaponType(int type) { return type >= 0 && type < QW_NUM_WEAPON_TYPES; }

// --- The weapon ------------------------------------------------------------------------------

Weapon::Weapon(Game *game_in, int type_in, float x_in, float y_in)
    : game(game_in),
      bullets(),
      type(type_in),
      level(0),
      target_mode(0),
      x(x_in),
      y(y_in),
      size(0.0f),
      half_size(0.0f),
      full_size(0.0f),
      full_half_size(0.0f),
      pivot_x(weapon_type_details2[type_in].pivot_x),
      pivot_y(weapon_type_details2[type_in].pivot_y),
      aim_angle(QW_FACING_UP),
      base_angle(QW_FACING_UP),
      upgrading(0),
      full_upgrade(0),
      upgrade_progress(0.0f),
      num_bullet_slots(0),
      full_viewport(0),
      highlighted(0),
      throb_phase(0.0f),
      brightness(1.0f),
      desired_angle(0.0f),
      look_ahead_frames(0),
      reload(1.0f),
      next_idle_turn_time(0.0) {
  UpdateSize();
  look_ahead_frames = CalcNextBulletLookAheadAmount();
}

Weapon::~Weapon() { RemoveAllBullets(); }

void Weapon::UpdateSize() {
  full_size = weapon_type_details[type].size * level_weapon_size_mult;
  full_half_size = full_size * 0.5f;
  size = full_size * weapon_size_mults[level];
  half_size = size * 0.5f;
}

EngInt32 Weapon::CalcNextBulletLookAheadAmount() const {
  if (type == 6) return EngMiscRandRangeInt(60, 90);
  if (type == 7) return EngMiscRandRangeInt(100, 130);
  return 0;
}

EngInt32 Weapon::GetTopLevel() const { return type >= QW_FIRST_FACTORY_TYPE ? 2 : 3; }

// --- Life cycle ------------------------------------------------------------------------------

static void DeleteAllWeapons() {
  for (Weapon *&w : weapons) {
    delete w;
    w = nullptr;
  }
  num_weapons = 0;
}

char WeaponsPre3dInit() {
  DeleteAllWeapons();
  weapon_info_shown = -1;
  WeaponsDestroyGraphics();
  WeaponsApplyTableDefaults();
  return 1;
}

static char LoadPicture(EngTexture **slot, const char *name) {
  if (!*slot) *slot = new EngTexture();
  // Alpha mode 2: the file's own alpha.
  if ((*slot)->LoadFromTgaFile(name, 1, 2, 0) && (*slot)->IsOk()) return 1;
  DebugErrorAlt(ENG_FUNC, "Could not load texture <%s>", name);
  return 0;
}

// The factory picture with the weapon's base and top stamped into its yard.
static char MakeFactoryPicture(int family, int level) {
  if (!LoadPicture(&factory_texs[family][level], "Factory.tga")) return 0;
  int type = factory_tex_weapons[family][level];
  EngTexture *base = weapon_texs[type][0];
  if (!base || !base->IsOk()) {
    DebugErrorAlt(ENG_FUNC, "Tex not ok [%d:%d]", type, 0);
    return 0;
  }
  EngTexture *factory = factory_texs[family][level];
  if (!factory->CopyPartFromAnotherTexture(base, 0, 0, -1, -1, 32, 32, 64, 64, 1, nullptr)) return 0;
  EngTexture *top = weapon_texs[type][1];
  if (top && !factory->CopyPartFromAnotherTexture(top, 0, 0, -1, -1, 32, 32, 64, 64, 1, nullptr)) return 0;
  return 1;
}

char WeaponsCreateGraphics() {
  for (int t = 0; t < QW_NUM_FIRING_TYPES; t++)
    for (int part = 0; part < 2; part++)
      if (kWeaponPictures[t][part] && !LoadPicture(&weapon_texs[t][part], kWeaponPictures[t][part])) return 0;
  for (int t = 0; t < QW_NUM_FIRING_TYPES; t++)
    if (!LoadPicture(&bullet_texs[t], kBulletPictures[t])) return 0;
  for (int family = 0; family < 3; family++)
    for (int level = 0; level < 3; level++)
      if (!MakeFactoryPicture(family, level)) return 0;
  return 1;
}

void WeaponsDestroyGraphics() {
  for (int t = 0; t < QW_NUM_FIRING_TYPES; t++) {
    for (EngTexture *&tex : weapon_texs[t]) {
      delete tex;
      tex = nullptr;
    }
    delete bullet_texs[t];
    bullet_texs[t] = nullptr;
  }
  for (auto &family : factory_texs)
    for (EngTexture *&tex : family) {
      delete tex;
      tex = nullptr;
    }
}

void WeaponsInitForNewGame() {
  weapon_info_shown = -1;
  DeleteAllWeapons();
  WeaponsUpdateFactories();
}

void WeaponsInitForNewLevel() {}

void WeaponsPost3dExit() { DeleteAllWeapons(); }

void WeaponsResetForTests() {
  DeleteAllWeapons();
  weapon_info_shown = -1;
  WeaponsDestroyGraphics();
  WeaponsApplyTableDefaults();
}

// --- Placement -------------------------------------------------------------------------------

static bool IsUsableCell(int gx, int gy) {
  return gx >= QW_GRID_FIRST_USABLE && gx <= QW_GRID_LAST_USABLE && gy >= QW_GRID_FIRST_USABLE &&
         gy <= QW_GRID_LAST_USABLE;
}

static bool IsUsableAndFree(int gx, int gy) { return IsUsableCell(gx, gy) && grid[gy][gx] == 0; }

// A sample cell passes when usable and free, or when lenient, taken and one of its eight
// neighbours two cells away is usable and free. Lenient placing also passes the house and
// solid scenery: a game saved before they were marked keeps its weapons that stand there.
static char SampleCellPasses(int gx, int gy, char lenient) {
  if (!IsUsableCell(gx, gy)) return 0;
  if (grid[gy][gx] == 0) return 1;
  if (!lenient) return 0;
  if (grid[gy][gx] == QW_GRID_SOLID) return 1;
  for (int dy = -2; dy <= 2; dy += 2)
    for (int dx = -2; dx <= 2; dx += 2)
      if ((dx || dy) && IsUsableAndFree(gx + dx, gy + dy)) return 1;
  return 0;
}

// The distinct cells, in order, of the points from - half + i * 0.001 for i while below s.
static int LatticeCells(float centre, float s, int *cells, int max_cells) {
  int count = 0;
  for (int i = 0; float(i) * 0.001f < s; i++) {
    int cell;
    QuarrelwickGetGridPosition(centre - s * 0.5f + float(i) * 0.001f, 0.0f, &cell, nullptr);
    if (count > 0 && cells[count - 1] == cell) continue;
    if (count == max_cells) break;
    cells[count++] = cell;
  }
  return count;
}

char WeaponsCanPlaceWeaponHere(int type, float x, float y, char lenient) {
  if (!IsWeaponType(type) || !std::isfinite(x) || !std::isfinite(y)) return 0;
  int cx, cy;
  QuarrelwickGetGridPosition(x, y, &cx, &cy);
  if (!IsUsableAndFree(cx, cy) && !(lenient && IsUsableCell(cx, cy) && grid[cy][cx] == QW_GRID_SOLID)) return 0;
  const _WeaponTypeDetails &d = weapon_type_details[type];
  if (!d.square) {
    float r = weapon_type_details2[type].radius * level_weapon_size_mult;
    for (int k = 0; k < 6; k++) {
      float a = float(k) * 1.0471976f;
      int gx, gy;
      QuarrelwickGetGridPosition(x + std::sin(a) * r, y + std::cos(a) * r, &gx, &gy);
      if (!SampleCellPasses(gx, gy, lenient)) return 0;
    }
    return 1;
  }
  float s = d.size * level_weapon_size_mult;
  if (!(s > 0.0f)) return 1;
  // A point's cell depends on each coordinate alone, so the lattice's cells are the product of
  // the distinct columns and rows it crosses.
  static int columns[QW_GRID_SIZE * 2], rows[QW_GRID_SIZE * 2];
  int nc = LatticeCells(x, s, columns, QW_GRID_SIZE * 2);
  int nr = LatticeCells(y, s, rows, QW_GRID_SIZE * 2);
  for (int j = 0; j < nr; j++)
    for (int i = 0; i < nc; i++)
      if (!SampleCellPasses(columns[i], rows[j], lenient)) return 0;
  return 1;
}

// A footprint's centre stands on a usable cell and its points lie at most 0.1 from it, so they
// never come near the grid's edge, where cells are clamped.
static void MarkCell(float x, float y, EngUInt8 from, EngUInt8 to) {
  int gx, gy;
  QuarrelwickGetGridPosition(x, y, &gx, &gy);
  if (grid[gy][gx] == from) grid[gy][gx] = to;
}

// Turns the footprint's cells that hold from into to; only free and taken cells are ever
// written, so the road under a disc's edge stays road.
static void MarkFootprint(int type, float x, float y, EngUInt8 from, EngUInt8 to) {
  const _WeaponTypeDetails &d = weapon_type_details[type];
  if (!d.square) {
    float radius = weapon_type_details2[type].radius * level_weapon_size_mult;
    for (int i = 1; float(i) * 0.001f < radius; i++) {
      float r = float(i) * 0.001f;
      for (int j = 0; float(j) * 0.01f < ENG_MATH_TWO_PI; j++) {
        float a = float(j) * 0.01f;
        MarkCell(x + std::cos(a) * r, y + std::sin(a) * r, from, to);
      }
    }
    return;
  }
  float m = level_weapon_size_mult * 0.004f;
  float s = d.size * level_weapon_size_mult;
  for (int i = 0; m + float(i) * 0.001f < s - 2.0f * m; i++) {
    float u = m + float(i) * 0.001f;
    for (int j = 0; m + float(j) * 0.001f < s - 2.0f * m; j++) {
      float v = m + float(j) * 0.001f;
      MarkCell(x + u - s * 0.5f, y + v - s * 0.5f, from, to);
    }
  }
}

// How far a footprint reaches from its centre on either axis.
static float FootprintReach(int type) {
  const _WeaponTypeDetails &d = weapon_type_details[type];
  float m = level_weapon_size_mult;
  return (d.square ? d.size * 0.5f : weapon_type_details2[type].radius) * m + 0.01f;
}

char WeaponsCreateNew(int type, float x, float y, char erase, char free) {
  if (!IsWeaponType(type)) {
    DebugErrorAlt(ENG_FUNC, "Bad weapon type %d", type);
    return 0;
  }
  if (!erase) {
    if (num_weapons >= QW_MAX_WEAPONS) return 0;
    const EngInt32 price = weapon_type_level_details[type][0].price;
    if (!free && cash < price) {
      QuarrelwickShowNotEnoughMoneyMessage();
      return 0;
    }
    if (!WeaponsCanPlaceWeaponHere(type, x, y, free)) {
      DebugErrorAlt(ENG_FUNC, "Cannot place weapon of type %d at %.1f,%.1f", type, double(x), double(y));
      return 0;
    }
    weapons[num_weapons++] = new Weapon(GameGetMainGame(), type, x, y);
    if (!free) {
      QuarrelwickChangeCash(-long(price));
      QuarrelwickChangeScore(0);
      SoundPlay(21);
    }
  }
  if (erase) {
    MarkFootprint(type, x, y, 2, 0);
    // Footprints may overlap (six samples do not see every touch, a restored game is placed
    // leniently): what the others still cover is theirs again.
    float reach = FootprintReach(type);
    for (int i = 0; i < num_weapons; i++) {
      const Weapon *w = weapons[i];
      if (!w) continue;
      float r = reach + FootprintReach(w->type);
      if (std::fabs(w->x - x) < r && std::fabs(w->y - y) < r) MarkFootprint(w->type, w->x, w->y, 0, 2);
    }
  } else {
    MarkFootprint(type, x, y, 0, 2);
  }
  if (!erase && !free) WeaponsUpdateFactories();
  return 1;
}

// --- Selling and factories -------------------------------------------------------------------

static Weapon *WeaponInSlot(int slot) {
  if (slot < 0 || slot >= QW_MAX_WEAPONS) return nullptr;
  return weapons[slot];
}

EngInt32 WeaponsGetSellValue(int slot) {
  const Weapon *w = WeaponInSlot(slot);
  if (!w) return 0;
  int level = w->level < 0 ? 0 : w->level >= QW_WEAPON_LEVELS ? QW_WEAPON_LEVELS - 1 : w->level;
  const _WeaponTypeLevelDetails *l = weapon_type_level_details[w->type];
  // An upgrade under way has not raised the level yet, so its price is not counted.
  EngInt32 paid = 0;
  for (int n = 0; n <= level; n++) paid += l[n].price;
  return paid * l[level].sell_percent / 100;
}

void WeaponsSellWeapon(int slot) {
  Weapon *w = WeaponInSlot(slot);
  if (!w) return;
  QuarrelwickChangeCash(WeaponsGetSellValue(slot));
  // The slot is emptied first, so the footprints restored after the erase are the others'.
  weapons[slot] = nullptr;
  WeaponsCreateNew(w->type, w->x, w->y, 1, 0);
  delete w;
  weapon_info_shown = -1;
  PopupUpdate(1);
  // A sold factory no longer unlocks its family.
  WeaponsUpdateFactories();
}

char WeaponsSellLastWeapon() {
  for (int i = num_weapons - 1; i >= 0; i--)
    if (weapons[i]) {
      WeaponsSellWeapon(i);
      return 1;
    }
  num_weapons = 0;
  return 0;
}

void WeaponsUpdateFactories() {
  factory_levels[0] = factory_levels[1] = factory_levels[2] = 0;
  for (int i = 0; i < num_weapons; i++) {
    const Weapon *w = weapons[i];
    if (!w || w->type < QW_FIRST_FACTORY_TYPE) continue;
    EngInt32 &f = factory_levels[w->type - QW_FIRST_FACTORY_TYPE];
    if (w->level + 1 > f) f = w->level + 1;
  }
  SidebarUpdateFactories(0);
}

EngInt32 WeaponsGetScoreValue() {
  EngInt32 total = 0;
  for (int i = 0; i < num_weapons; i++)
    if (weapons[i]) total += weapons[i]->GetScoreValue();
  return total;
}

const char *WeaponsGetTypeName(int type) {
  if (!IsWeaponType(type)) return "";
  static char token[64];
  int n = snprintf(token, sizeof(token), "Weapon_");
  for (const char *p = weapon_infos[type].name; *p && n < int(sizeof(token)) - 1; p++)
    if (*p != ' ') token[n++] = *p;
  token[n] = 0;
  return EngLanguagesGetStringIfExists(token, weapon_infos[type].name);
}
