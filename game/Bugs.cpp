#include "game/Bugs.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFile.h"
#include "Engine/EngMain.h"
#include "Engine/EngMath.h"
#include "Engine/EngMiscRandom.h"
#include "Engine/EngTexture.h"
#include "game/Game.h"
#include "game/GameWon.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Sound.h"
#include "game/Sprites.h"
#include "game/Traverse.h"

Bug *bugs[BUGS_MAX];
EngInt32 num_bugs = 0;
EngInt32 bug_species = -1;
const char bug_names[BUGS_NUM_SPECIES][32] = {"Aclypea",  "Adonia",     "Altholus",   "Badister",
                                              "Baeocrara", "Byctiscus",  "Crepidodera", "Gaurotes",
                                              "Gnatocerus", "Gibbium",   "Glischrochilus"};
_BugType bug_type = {100.0, 1.0, 1.0, 0};
float bug_size = 0.0f, bug_size_coll = 0.0f, bug_size_coll_squared = 0.0f;
static float bug_size_2 = 0.0f, bug_size_squared = 0.0f, bug_size_squared_2 = 0.0f;
float bugs_line_pos_dist = 1.0f;
EngInt32 last_boss_level = 0;

static EngTexture *bug_tex = nullptr, *bug_tex2 = nullptr, *hp_back_tex = nullptr, *hp_fill_tex = nullptr;
// Set when no bug was ticked last time: the wave ends when the next tick finds none either.
// Module state (not a function-local static) so a new game starts afresh.
static char bugs_none_ticked = 1;

static void DeleteAllBugs() {
  for (Bug *&b : bugs) {
    delete b;
    b = nullptr;
  }
  num_bugs = 0;
}

void BugsResetForTests() {
  DeleteAllBugs();
  BugsDestroyGraphics();
  bug_species = -1;
  bug_type = {100.0, 1.0, 1.0, 0};
  BugsSetBugSize(0.0f);
  bugs_line_pos_dist = 1.0f;
  last_boss_level = 0;
  bugs_none_ticked = 1;
}

char BugsPre3dInit() {
  for (Bug *&b : bugs) b = nullptr;
  num_bugs = 0;
  bugs_line_pos_dist = 1.0f;
  return 1;
}

void BugsInitForNewGame(char) {
  last_boss_level = 0;
  bugs_none_ticked = 1;
}

void BugsPost3dExit() { DeleteAllBugs(); }

void BugsSetBugSize(float size) {
  bug_size = size;
  bug_size_coll = 0.6f * size;
  bug_size_coll_squared = bug_size_coll * bug_size_coll;
  bug_size_2 = 0.5f * size;
  bug_size_squared = size * size;
  bug_size_squared_2 = 4.0f * size * size;
}

void BugsUpdateAllBugVariables() {
  for (Bug *b : bugs)
    if (b) b->CalcState();
}

// --- Graphics --------------------------------------------------------------------------------

static char LoadBugTexture(EngTexture **slot, const char *name) {
  *slot = new EngTexture();
  if ((*slot)->LoadFromTgaFile(name, 1, 2)) return 1;
  DebugErrorAlt(ENG_FUNC, "Could not load bug picture <%s>", name);
  delete *slot;
  *slot = nullptr;
  return 0;
}

void BugsDestroyGraphics() {
  for (EngTexture **t : {&bug_tex, &bug_tex2, &hp_back_tex, &hp_fill_tex}) {
    // Made anew every wave: a batch left behind would outlive its picture.
    SpritesForgetTexture(*t);
    delete *t;
    *t = nullptr;
  }
}

char BugsCreateGraphics() {
  BugsDestroyGraphics();
  if (bug_species < 0 || bug_species >= BUGS_NUM_SPECIES) return 1;
  char name[256];
  snprintf(name, sizeof(name), "%s/%s.tga", ".", bug_names[bug_species]);
  if (!LoadBugTexture(&bug_tex, name)) return 0;
  snprintf(name, sizeof(name), "%s/%s2.tga", ".", bug_names[bug_species]);
  if (EngFileExists(name, 0) && !LoadBugTexture(&bug_tex2, name)) return 0;
  if (!LoadBugTexture(&hp_back_tex, "HpBack.tga") || !LoadBugTexture(&hp_fill_tex, "HpFill.tga")) return 0;
  return 1;
}

// --- One bug ---------------------------------------------------------------------------------

static EngInt32 LastPoint() { return traverse_info.num_points > 0 ? traverse_info.num_points - 1 : 0; }

Bug::Bug(int idx, char is_game_over_bug)
    : index(idx), saved_flag_1(0), anim_frame(0.0f), heading(0.0f), path_pos(0.0f), path_index(0),
      look_ahead_index(0), on_path(0), push_back(0.0f), alive(1), game_over_bug(is_game_over_bug ? 1 : 0),
      saved_flag_2(0), saved_value(0), speed(0.0), hp(0.0), max_hp(0.0), state(0), on_screen(0),
      next_turn_time(0.0), wander_x(0.0f), wander_y(0.0f) {
  if (num_bugs - index < 1) {
    DebugErrorAlt(ENG_FUNC, "Internal Error (%d,%d)", num_bugs, index);
    path_pos = 0.0f;
  } else {
    path_pos = -float(num_bugs - index) * bugs_line_pos_dist;
  }
  heading = TraverseIsLoaded() ? -traverse_info.angles[0] : 0.0f;
  speed = bug_type.speed;
  if (bug_type.hp < 0.0) bug_type.hp = 1.0;
  hp = max_hp = bug_type.hp;
  CalcState();
}

void Bug::CalcState() {
  if (!alive) return;
  const float d = bugs_line_pos_dist;
  const EngInt32 n = traverse_info.num_steps;
  if (path_pos < -d) {
    state = 1;
    on_path = 0;
    path_index = look_ahead_index = 0;
  } else if (path_pos < 0.0f || n < 1) {
    state = 2;
    on_path = 1;
    path_index = look_ahead_index = 0;
  } else if (path_pos < float(n)) {
    EngInt32 i = EngInt32(path_pos);
    state = 3;
    on_path = 1;
    path_index = i;
    look_ahead_index = i;
    if (push_back != 0.0f) {
      float ahead = path_pos + push_back;
      EngInt32 j = ahead <= 0.0f ? 0 : ahead >= float(n - 1) ? n - 1 : EngInt32(ahead);
      look_ahead_index = j;
    }
    on_screen = (path_pos > level_onscreen_start_pos && path_pos < float(n) - level_onscreen_end_pos) ? 1 : 0;
  } else if (path_pos < float(n) + d) {
    state = 4;
    on_path = 1;
    path_index = look_ahead_index = LastPoint();
    on_screen = 0;
    alive = 0;
    QuarrelwickChangeLives(-1);
    if (!game_over) SoundPlay(23);
  } else {
    state = 5;
    on_path = 0;
    path_index = look_ahead_index = LastPoint();
    alive = 0;
  }
}

void Bug::Tick() {
  if (!alive) return;
  const float dt = game_per_second;
  anim_frame += float(4.0 * dt * speed);
  if (anim_frame >= 20.0f) anim_frame -= 20.0f;
  if (anim_frame < 0.0f) anim_frame += 20.0f;
  if (game_over_bug) {
    TickGameOver();
    return;
  }
  if (push_back != 0.0f) {
    float step = 500.0f * dt;
    float move = std::fabs(push_back) <= step ? push_back : (push_back > 0.0f ? step : -step);
    push_back -= move;
    path_pos += move;
  }
  path_pos += t_best_line_hires_mult * dt * float(speed);
  CalcState();
  if (TraverseIsLoaded()) {
    // At the end the index is the last point, one past the last step's angle.
    EngInt32 i = look_ahead_index < 0 ? 0 : look_ahead_index;
    if (i >= traverse_info.num_steps) i = traverse_info.num_steps - 1;
    heading = -traverse_info.angles[i];
  }
}

void Bug::TickGameOver() {
  const double now = eng_main_current_time;
  if (now >= next_turn_time) {
    if (next_turn_time == 0.0) {
      heading = EngMiscRandFloat(ENG_MATH_TWO_PI);
      wander_x = std::cos(heading - ENG_MATH_PI * 0.5f) * -1.5f;
      wander_y = std::sin(heading - ENG_MATH_PI * 0.5f) * -1.5f;
    } else {
      heading += EngMiscRandFloat(0.08726646f, 1);
      while (heading < 0.0f) heading += ENG_MATH_TWO_PI;
      while (heading >= ENG_MATH_TWO_PI) heading -= ENG_MATH_TWO_PI;
    }
    next_turn_time = now + EngMiscRandRangeFloat(0.01f, 0.2f);
  }
  const float step = float(speed) * game_per_second * 0.003f;
  wander_x += std::cos(heading - ENG_MATH_PI * 0.5f) * step;
  wander_y += std::sin(heading - ENG_MATH_PI * 0.5f) * step;
  if (wander_x < -2.0f || wander_x > 2.0f || wander_y < -2.0f || wander_y > 2.0f) alive = 0;
}

static const _Vector2d &PointAt(EngInt32 i) {
  static const _Vector2d origin = {0.0f, 0.0f};
  if (i < 0 || i >= traverse_info.num_points) return origin;
  return traverse_info.points[i];
}

float Bug::GetScreenX() { return PointAt(look_ahead_index).x; }
float Bug::GetScreenY() { return PointAt(look_ahead_index).y; }

void Bug::GetScreenPos(_Vector2d *out) {
  if (!out) return;
  *out = PointAt(look_ahead_index);
}

// The predicted step stays within 0..n-1: a queued bug's negative position would otherwise
// give a negative index.
static EngInt32 StepAhead(const Bug *b, float frames) {
  float ahead = float(b->speed) * t_best_line_hires_mult * game_per_second * frames + b->path_pos;
  if (!(ahead > 0.0f)) return 0;
  return EngInt32(ahead);
}

float Bug::GetScreenXAhead(float frames) {
  EngInt32 i = StepAhead(this, frames);
  return i < traverse_info.num_steps ? PointAt(i).x : GetScreenX();
}

float Bug::GetScreenYAhead(float frames) {
  EngInt32 i = StepAhead(this, frames);
  return i < traverse_info.num_steps ? PointAt(i).y : GetScreenY();
}

void Bug::ReduceHP(double amount) {
  if (!alive) return;
  double before = hp;
  hp -= amount;
  if (hp <= 0.0) {
    if (before > 0.0) SoundPlay(22);
    hp = 0.0;
    alive = 0;
    if (!game_over) {
      QuarrelwickChangeCash(long(bug_type.cash));
      QuarrelwickChangeScore(bug_type.score);
    }
  }
}

void Bug::ReduceSpeed(double amount) {
  if (!alive) return;
  speed -= amount * 0.01;
  if (speed < 10.0) speed = 10.0;
}

// --- Drawing ---------------------------------------------------------------------------------

void Bug::DoRender(float x, float y, float scale, float angle) {
  if (scale <= 0.0f) return;
  EngTexture *tex = (bug_tex2 && bug_tex2->IsOk() && anim_frame < 10.0f) ? bug_tex2 : bug_tex;
  if (!tex || !tex->IsOk()) return;
  SpritesAdd(0, tex, x, y, 0.0f, 0.0f, angle, 0, bug_size * scale, nullptr, 1.0f, 1.0f, 1.0f, 1.0f);
}

void Bug::Render() {
  if (!alive || game_over_bug || !on_path || state == 4) return;
  DoRender(GetScreenX(), GetScreenY(), 1.0f, heading);
}

void Bug::RenderGameOver() {
  if (!game_over_bug || bug_size <= 0.0f) return;
  DoRender(wander_x, wander_y, 0.2f / bug_size, heading);
}

void Bug::RenderHpBar() {
  if (!alive || !on_path || state == 4 || !hp_back_tex || !hp_fill_tex) return;
  const float x = GetScreenX(), y = GetScreenY();
  float w = max_hp > 0.0 ? float(0.06 * hp / max_hp) : 0.0f;
  if (w > 0.0f)
    SpritesAddRect(1, hp_fill_tex, x, y, 0.0f, 0.0f, QW_FACING_UP, 0, -0.03f, -0.08f, w, 0.01f, nullptr, 1.0f, 1.0f,
                   1.0f, 1.0f);
  SpritesAddRect(2, hp_back_tex, x, y, 0.0f, 0.0f, QW_FACING_UP, 0, -0.03f, -0.08f, 0.06f, 0.01f, nullptr, 1.0f, 1.0f,
                 1.0f, 1.0f);
}

void BugsRender() {
  if (!eng_main_device) return;
  // One draw per picture: the software renderer pays per draw.
  SpritesBegin();
  for (int i = BUGS_MAX - 1; i >= 0; i--)
    if (bugs[i]) bugs[i]->Render();
  for (int i = BUGS_MAX - 1; i >= 0; i--)
    if (bugs[i]) bugs[i]->RenderHpBar();
  SpritesFlush();
}

// --- The wave's walk -------------------------------------------------------------------------

void BugsTick() {
  if (game_won || game_paused != QW_GAME_RUNNING) return;
  if (bugs_none_ticked) {
    char found = 0;
    for (int i = 0; i < num_bugs && i < BUGS_MAX && !found; i++) found = bugs[i] ? 1 : 0;
    if (found) {
      bugs_none_ticked = 0;
    } else {
      if (bug_level_num < 49) {
        EngInt32 old = bug_level_num;
        bug_level_num++;
        QuarrelwickChangeCash(long(old + 1) * 50 + 50);
        QuarrelwickInitForNewLevel(0);
        SoundPlay(24);
        GameClearUserTutorialOn();
      } else {
        GameWonInit();
      }
      return;
    }
  }
  bugs_none_ticked = 1;
  for (Bug *&b : bugs) {
    if (!b) continue;
    b->Tick();
    if (!b->alive) {
      delete b;
      b = nullptr;
    }
    bugs_none_ticked = 0;
  }
}
