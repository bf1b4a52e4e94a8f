// The weapons' behaviour each frame (upgrading, reloading, aiming, turning, firing, their
// bullets), their drawing with range and level badge, and their share of the play input.
#include <cmath>

#include "Engine/EngMain.h"
#include "Engine/EngMath.h"
#include "Engine/EngMiscRandom.h"
#include "Engine/EngTexture.h"
#include "game/Bugs.h"
#include "game/Bullets.h"
#include "game/Popup.h"
#include "game/Quarrelwick.h"
#include "game/Sidebar.h"
#include "game/Sound.h"
#include "game/Sprites.h"
#include "game/Tutorial.h"
#include "game/Weapons.h"

float WeaponsNormaliseAngleToward(float a, float b) {
  if (!std::isfinite(a)) return std::isfinite(b) ? b : 0.0f;
  if (!std::isfinite(b)) return a;
  // Whole turns at once, so a far-off angle cannot keep a loop going; the loops below then
  // run at most once or twice for rounding.
  float d = a - b;
  if (d >= ENG_MATH_PI || -d >= ENG_MATH_PI) a -= ENG_MATH_TWO_PI * std::floor((d + ENG_MATH_PI) / ENG_MATH_TWO_PI);
  for (int i = 0; i < 4 && a - b >= ENG_MATH_PI; i++) a -= ENG_MATH_TWO_PI;
  for (int i = 0; i < 4 && b - a >= ENG_MATH_PI; i++) a += ENG_MATH_TWO_PI;
  return a;
}

static Bug *TargetBug(int slot) {
  if (slot < 0 || slot >= num_bugs || slot >= BUGS_MAX) return nullptr;
  return bugs[slot];
}

// --- Upgrades --------------------------------------------------------------------------------

char Weapon::StartUpgrade() {
  const int top = GetTopLevel();
  if (upgrading || level >= top) return 0;
  const EngInt32 price = weapon_type_level_details[type][level + 1].price;
  if (cash < price) return 0;
  upgrading = 1;
  upgrade_progress = 0.0f;
  full_upgrade = 0;
  QuarrelwickChangeCash(-long(price));
  SoundPlay(18);
  return 1;
}

char Weapon::StartFullUpgrade() {
  const int top = GetTopLevel();
  if (upgrading || level >= top) return 0;
  EngInt32 price = 0;
  for (int n = level + 1; n <= top; n++) price += weapon_type_level_details[type][n].price;
  if (cash < price) return 0;
  upgrading = 1;
  upgrade_progress = 0.0f;
  full_upgrade = 1;
  QuarrelwickChangeCash(-long(price));
  SoundPlay(19);
  return 1;
}

// --- Aim and fire ----------------------------------------------------------------------------

float Weapon::CalcAimAngleToBug(int bug) const {
  Bug *b = TargetBug(bug);
  if (!b) return aim_angle;
  float px, py;
  if (look_ahead_frames >= 1) {
    px = b->GetScreenXAhead(float(look_ahead_frames));
    py = b->GetScreenYAhead(float(look_ahead_frames));
  } else {
    px = b->GetScreenX();
    py = b->GetScreenY();
  }
  // The bullet flies along (cos(angle + pi), sin(angle + pi)), so this points it at the bug,
  // also straight above or below.
  return std::atan2(-(py - y), -(px - x));
}

char Weapon::CreateBullet(int bug) {
  int slot = 0;
  while (slot < QW_MAX_WEAPON_BULLETS && bullets[slot]) slot++;
  if (slot == QW_MAX_WEAPON_BULLETS) return 0;
  // An exclusive weapon (a spray) fires only into slot 0: every slot before the first empty one
  // is busy.
  if (weapon_type_bullets[type].exclusive && slot > 0) return 0;
  bullets[slot] = new Bullet(game, this, type, level, x, y, aim_angle, bug, target_mode);
  if (num_bullet_slots < slot + 1) num_bullet_slots = slot + 1;
  reload = 0.0f;
  return 1;
}

void Weapon::CheckNumBullets() {
  int highest = -1;
  for (int i = 0; i < QW_MAX_WEAPON_BULLETS; i++) {
    if (bullets[i] && !bullets[i]->alive) {
      delete bullets[i];
      bullets[i] = nullptr;
    }
    if (bullets[i]) highest = i;
  }
  num_bullet_slots = highest + 1;
}

void Weapon::RemoveAllBullets() {
  for (Bullet *&b : bullets) {
    delete b;
    b = nullptr;
  }
  num_bullet_slots = 0;
}

void WeaponsRemoveAllBullets() {
  for (int i = 0; i < num_weapons; i++)
    if (weapons[i]) weapons[i]->RemoveAllBullets();
}

// --- Tick ------------------------------------------------------------------------------------

void Weapon::Tick() {
  const float dt = game_per_second;
  if (!game_over) {
    const int top = GetTopLevel();
    if (upgrading) {
      upgrade_progress += weapon_type_details[type].upgrade_speed * 0.333f * dt;
      brightness =
          EngMiscThrobEffect(&throb_phase, game_paused != QW_GAME_RUNNING ? 0.0f : dt * 6.0f, nullptr) * 0.2f + 0.5f;
      if (upgrade_progress >= 1.0f) {
        if (level < top) level++;
        UpdateSize();
        upgrade_progress = 0.0f;
        if (!full_upgrade || level >= top) {
          upgrading = 0;
          full_upgrade = 0;
          brightness = 1.0f;
        }
        WeaponsUpdateFactories();
        PopupWeaponLevelChanged();
      }
    } else {
      brightness = 1.0f;
    }
    if (!upgrading) TickAim();
  }
  TickBullets();
}

void Weapon::TickAim() {
  const float dt = game_per_second;
  const _WeaponTypeDetails &d = weapon_type_details[type];
  const _WeaponTypeLevelDetails &l = weapon_type_level_details[type][level];
  if (reload < 1.0f && l.fire_rate > 0.0f) reload += l.fire_rate * 0.1f * dt;
  int target = -1;
  if (!game_won) {
    target = BugsGetTargetBugWithinRange(x, y, l.range, target_mode);
    if (!TargetBug(target)) return;
    desired_angle = CalcAimAngleToBug(target);
  } else {
    const double now = eng_main_current_time;
    if (now >= next_idle_turn_time) {
      if (next_idle_turn_time != 0.0) desired_angle = EngMiscRandFloat(ENG_MATH_TWO_PI);
      next_idle_turn_time = now + EngMiscRandRangeDouble(1.0, 5.0);
    }
  }
  desired_angle = WeaponsNormaliseAngleToward(desired_angle, aim_angle);
  const float diff = std::fabs(desired_angle - aim_angle);
  if (diff != 0.0f && (d.turns_while_firing || num_bullet_slots == 0)) {
    float k = game_won ? 0.1f : diff > 0.3f ? 10.0f : diff > 0.2f ? 5.0f : 1.0f;
    EngMiscChangeVariableAtSpeedToDesiredAmount(&aim_angle, desired_angle, d.turn_rate * dt * k);
  }
  // The drawn base follows on its own, slowly (the Tank's hull).
  if (d.base_turn_rate > 0.0f)
    EngMiscChangeVariableAtSpeedToDesiredAmount(&base_angle, WeaponsNormaliseAngleToward(desired_angle, base_angle),
                                                d.base_turn_rate * dt);
  if (reload < 1.0f || game_won) return;
  const float gap = std::fabs(desired_angle - aim_angle);
  const bool aligned = d.align == 2 || (d.align == 1 ? gap < 0.1f : gap < 0.01f);
  if (!aligned) return;
  CreateBullet(target);
  look_ahead_frames = CalcNextBulletLookAheadAmount();
}

void Weapon::TickBullets() {
  // A bullet that dies in its tick only marks itself; it is deleted here, after its tick.
  for (int i = 0; i < num_bullet_slots && i < QW_MAX_WEAPON_BULLETS; i++) {
    Bullet *b = bullets[i];
    if (!b) continue;
    b->Tick();
    if (!b->alive) {
      delete b;
      bullets[i] = nullptr;
    }
  }
  int highest = -1;
  for (int i = 0; i < QW_MAX_WEAPON_BULLETS; i++)
    if (bullets[i]) highest = i;
  num_bullet_slots = highest + 1;
}

void WeaponsTick() {
  if (game_paused != QW_GAME_RUNNING) return;
  for (int i = 0; i < num_weapons; i++)
    if (weapons[i]) weapons[i]->Tick();
}

// --- Drawing ---------------------------------------------------------------------------------

// Layers of the weapons' sprites: bodies, tops, range discs, level badges.
enum { LAYER_BODY = 0, LAYER_TOP = 1, LAYER_RANGE = 2, LAYER_BADGE = 3 };

void Weapon::Render() {
  const _WeaponTypeDetails &d = weapon_type_details[type];
  if (!(d.size > 0.0f)) return;
  const bool placing = this == weapon_to_place;
  const bool red = placing && !WeaponsCanPlaceWeaponHere(weapon_placing_type, cursor_x, cursor_y, 0);
  const float c = red ? 0.0f : 1.0f;
  const bool factory = type >= QW_FIRST_FACTORY_TYPE;
  const float half = (placing || factory) ? full_half_size : half_size;
  if (factory || type >= QW_NUM_FIRING_TYPES || !weapon_texs[type][1]) {
    EngTexture *tex = factory ? factory_texs[type - QW_FIRST_FACTORY_TYPE][level < 0 ? 0 : level > 2 ? 2 : level]
                              : weapon_texs[type][0];
    SpritesAdd(LAYER_BODY, tex, x, y, pivot_x, pivot_y, aim_angle, full_viewport, half, nullptr, 1.0f, c, c,
               brightness);
  } else {
    SpritesAdd(LAYER_BODY, weapon_texs[type][0], x, y, 0.0f, 0.0f, base_angle, full_viewport, half, nullptr, 1.0f, c,
               c, brightness);
    SpritesAdd(LAYER_TOP, weapon_texs[type][1], x, y, pivot_x, pivot_y, aim_angle, full_viewport,
               placing ? full_half_size : half_size, nullptr, 1.0f, c, c, brightness);
  }
  if (!((highlighted && !weapon_to_place) || placing)) return;
  // The reach is a length in field units, the units the targeting measures in: the disc spans it
  // on both axes, so on the screen it is as wide and as high as the field's units are there.
  const float reach = half + weapon_type_level_details[type][level].range;
  SpritesAdd(LAYER_RANGE, range_tex, x, y, 0.0f, 0.0f, QW_FACING_UP, full_viewport, reach, nullptr, 1.0f, 1.0f, 1.0f,
             1.0f);
  // The badge belongs to the weapon under the pointer, not to the one being placed.
  if (!weapon_to_place && !upgrading) {
    static const _TexCoords kQuarters[4] = {
        {0.0f, 0.0f, 0.5f, 0.5f}, {0.5f, 0.0f, 1.0f, 0.5f}, {0.0f, 0.5f, 0.5f, 1.0f}, {0.5f, 0.5f, 1.0f, 1.0f}};
    SpritesAdd(LAYER_BADGE, numbers_tex, x, y, 0.0f, 0.0f, QW_FACING_UP, full_viewport, 0.02f,
               &kQuarters[level < 0   ? 0
                          : level > 3 ? 3
                                      : level],
               1.0f, 1.0f, 1.0f, 1.0f);
  }
}

void Weapon::RenderBullets() {
  for (int i = num_bullet_slots - 1; i >= 0; i--)
    if (i < QW_MAX_WEAPON_BULLETS && bullets[i]) bullets[i]->Render();
}

void WeaponsRender() {
  if (!eng_main_device) return;
  // Sprites that share a picture go in one draw: the software renderer pays per draw.
  SpritesBegin();
  for (int i = 0; i < num_weapons; i++)
    if (weapons[i]) weapons[i]->Render();
  SpritesFlush();
  SpritesBegin();
  for (int i = 0; i < num_weapons; i++)
    if (weapons[i]) weapons[i]->RenderBullets();
  SpritesFlush();
}

// --- Input -----------------------------------------------------------------------------------

void Weapon::SetFullViewportPos(float px, float py) {
  x = px;
  y = py;
  full_viewport = 1;
}

char Weapon::IsPointInWeapon(float px, float py) const {
  const float h = full_half_size;
  return (px >= x - h && px < x + h && py >= y - h && py < y + h) ? 1 : 0;
}

char Weapon::UpdateHighlight() {
  highlighted = IsPointInWeapon(cursor_x, cursor_y);
  return highlighted;
}

void WeaponsMoveMouse() {
  for (int i = 0; i < num_weapons; i++) {
    Weapon *w = weapons[i];
    if (!w) continue;
    const char was = w->highlighted;
    if (!w->UpdateHighlight() && was && weapon_info_shown == i) {
      weapon_info_shown = -1;
      PopupUpdate(0);
    }
  }
}

char WeaponsMouseButtonPressed(char button, char pressed) {
  if (play_state == QW_PLAY_PLACING) {
    if (button == 1) {
      SidebarCancelAnyPlacing();
      return 1;
    }
    if (button != 0 || pressed) return 0;
    if (!WeaponsCanPlaceWeaponHere(weapon_placing_type, cursor_x, cursor_y, 0)) return 0;
    if (!WeaponsCreateNew(weapon_placing_type, cursor_x, cursor_y, 0, 0)) return 0;
    play_state = QW_PLAY_IDLE;
    QuarrelwickUpdateCursorPos(0);
    SidebarReset();
    delete weapon_to_place;
    weapon_to_place = nullptr;
    WeaponsMoveMouse();
    TutorialAdvanceIfNeeded();
    return 1;
  }
  if (button != 0 || !pressed) return 0;
  EngInt32 shown = -1;
  for (int i = 0; i < num_weapons; i++)
    if (weapons[i] && weapons[i]->IsPointInWeapon(cursor_x, cursor_y)) shown = i;
  if (shown == weapon_info_shown) return 0;
  weapon_info_shown = shown;
  PopupUpdate(0);
  return 1;
}

char WeaponsUpgradeHighlightedWeapon(char full) {
  if (play_state != QW_PLAY_IDLE) return 0;
  Weapon *w = nullptr;
  if (weapon_info_shown >= 0 && weapon_info_shown < num_weapons) w = weapons[weapon_info_shown];
  for (int i = 0; !w && i < num_weapons; i++)
    if (weapons[i] && weapons[i]->highlighted) w = weapons[i];
  if (!w) return 0;
  if (!(full ? w->StartFullUpgrade() : w->StartUpgrade())) return 0;
  PopupUpdate(1);
  return 1;
}
