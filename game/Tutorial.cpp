#include "game/Tutorial.h"

#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMain.h"
#include "Engine/EngMiscRandom.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"
#include "game/Game.h"
#include "game/Quarrelwick.h"
#include "game/Sidebar.h"
#include "game/Weapons.h"
#include "players/UserClass.h"
#include "players/UserInfo.h"

EngUInt8 tut_on = 1;
EngInt32 tut_stage = 0;
// When the current stage began (once shown, counted again every two seconds).
static double tut_time = 0.0;
float tut_text_blend = 0.0f, tut_highlight_blend = 1.0f;
char tut_text_str[128];
_Dimension tut_highlight_dims[3];
_Dimension tut_box_dim;
float tut_text_x = 0.0f, tut_text_y = 0.0f, tut_text_y_adj = -1.0f;
EngTexture *tut_box_tex = nullptr;

static const float kBoxHeight = 50.0f;
static float throb_phase = 0.0f;
// A picture that could not be loaded is not asked for again until the graphics are remade.
static char load_failed = 0;
static int option_for_tests = -1;

static char PlayerWantsTutorial() {
  if (option_for_tests >= 0) return option_for_tests ? 1 : 0;
  UserClass *user = main_game ? main_game->GetLoadedUser() : nullptr;
  return (user && user->GetInfo()->options.tutorial_on) ? 1 : 0;
}

static char LoadPicture() {
  if (tut_box_tex) return 1;
  if (load_failed) return 0;
  tut_box_tex = new EngTexture();
  // The same loader as the TGA pictures, with the file's own alpha.
  if (tut_box_tex->LoadFromFile("TutBox.png", 1, 2, 0) && tut_box_tex->IsOk()) {
    tut_box_tex->PositionPure(-0.6f, -0.6f, 1.2f, 1.2f);
    return 1;
  }
  // Play goes on without hints.
  DebugErrorAlt(ENG_FUNC, "Could not load texture <%s>", "TutBox.png");
  DebugErrorAlt(ENG_FUNC, "TutorialCreateGraphics() failed");
  delete tut_box_tex;
  tut_box_tex = nullptr;
  load_failed = 1;
  return 0;
}

char TutorialCreateGraphics() {
  load_failed = 0;
  if (tut_on) return 1;
  return LoadPicture();
}

void TutorialDestroyGraphics() {
  delete tut_box_tex;
  tut_box_tex = nullptr;
  load_failed = 0;
}

void TutorialInitForNewGame(char) {
  tut_stage = 0;
  tut_time = eng_main_current_time;
  tut_text_blend = 0.0f;
  TutorialAdvanceIfNeeded();
}

static int FiringWeaponsOnField() {
  int count = 0;
  for (int i = 0; i < num_weapons && i < QW_MAX_WEAPONS; i++)
    if (weapons[i] && weapons[i]->type < QW_FIRST_FACTORY_TYPE) count++;
  return count;
}

static void SetText(const char *token, const char *english) {
  snprintf(tut_text_str, sizeof(tut_text_str), "%s", EngLanguagesGetStringIfExists(token, english));
}

// Works out the hint and where it goes; 0 when there is none.
static char ChooseStep() {
  _Dimension &h = tut_highlight_dims[0];
  if (factory_levels[0] < 1 && factory_levels[1] < 1 && factory_levels[2] < 1) {
    SetText("Tutorial_PlaceFactory", "Place a factory in the garden.");
    _Dimension first, last;
    if (!SidebarGetSideButtonPosition(9, 1, 6.0f, 6.0f, &first) ||
        !SidebarGetSideButtonPosition(11, 1, 6.0f, 6.0f, &last))
      return 0;
    h = {first.x, first.y - 5.0f, last.x + last.width - first.x, first.height + 10.0f};
    return 1;
  }
  const int placed = FiringWeaponsOnField();
  if (placed < 2) {
    if (placed == 0)
      SetText("Tutorial_PlaceWeapon", "Place a weapon near the road.");
    else
      SetText("Tutorial_PlaceAnotherWeapon", "Place another weapon near the road.");
    const int box = factory_levels[0] >= 1 ? 0 : factory_levels[1] >= 1 ? 3 : 6;
    return SidebarGetSideButtonPosition(box, 1, 6.0f, 11.0f, &h);
  }
  if (game_paused == QW_GAME_NOT_STARTED) {
    SetText("Tutorial_PressStart", "Press Start to begin...");
    return SidebarGetBottomButtonPosition(0, 0, 5.0f, 3.0f, &h);
  }
  return 0;
}

void TutorialAdvanceIfNeeded() {
  tut_on = 0;
  tut_stage = 0;
  tut_time = eng_main_current_time;
  tut_text_blend = 0.0f;
  memset(tut_highlight_dims, 0, sizeof(tut_highlight_dims));
  tut_text_str[0] = 0;
  if (!PlayerWantsTutorial() || !ChooseStep()) {
    tut_on = 1;
    return;
  }
  const _Dimension &h = tut_highlight_dims[0];
  tut_text_x = h.x + h.width / 2.0f;
  tut_text_y = h.y - kBoxHeight / 2.0f - 10.0f;
  float width = 350.0f;
  if (EngFont *font = GameGetMainFont()) {
    font->SetScaleIncWidescreen(1.2f, 1.2f);
    width = font->GetStringWidth(tut_text_str) + 30.0f;
  }
  tut_text_y_adj = -1.0f;
  _Dimension &b = tut_box_dim;
  b = {tut_text_x - width / 2.0f, tut_text_y - kBoxHeight / 2.0f, width, kBoxHeight};
  if (b.x < 0.0f) b.x = 0.0f;
  if (b.y < 0.0f) b.y = 0.0f;
  if (b.x + b.width > float(ENG_DESIGN_WIDTH)) b.x = float(ENG_DESIGN_WIDTH) - b.width;
  if (b.y + b.height > float(ENG_DESIGN_HEIGHT)) b.y = float(ENG_DESIGN_HEIGHT) - b.height;
  tut_text_x = b.x + b.width / 2.0f;
  tut_text_y = b.y + b.height / 2.0f;
  // Without its picture the hint is worked out but never shown.
  if (!LoadPicture()) tut_on = 1;
}

void TutorialTick() {
  if (tut_on || tut_stage < 0) return;
  tut_highlight_blend = EngMiscThrobEffect(&throb_phase, 5.0f * game_per_second, nullptr) * 0.4f + 0.6f;
  const double now = eng_main_current_time;
  switch (tut_stage) {
    case 0: tut_stage = 1; break;
    case 1:
      tut_text_blend += 5.0f * game_per_second;
      if (tut_text_blend >= 1.0f) {
        tut_text_blend = 1.0f;
        tut_time = now;
        tut_stage = 2;
      }
      break;
    case 2:
      if (now - tut_time >= 2.0) tut_time = now;
      break;
    default: break;
  }
}

void TutorialInGameRender() {}

void TutorialMainRender() {
  if (tut_on || tut_stage < 0 || !tut_box_tex) return;
  EngDevice *device = eng_main_device;
  if (!device) return;
  device->EnableBlendingType(0);
  tut_box_tex->SetColour(1.0f, 1.0f, 1.0f, 0.8f * tut_text_blend);
  tut_box_tex->PositionRatioed(&tut_box_dim);
  tut_box_tex->DrawInParts(6.0f, 10.0f, 0.12f, 0.12f, 1);
  tut_box_tex->SetColour(1.0f, 0.0f, 0.0f, tut_text_blend * tut_highlight_blend);
  for (const _Dimension &h : tut_highlight_dims) {
    if (h.width == 0.0f) continue;
    tut_box_tex->PositionRatioed(&h);
    tut_box_tex->DrawInParts(4.0f, 6.0f, 0.12f, 0.12f, 0);
  }
  device->DisableBlending();
  EngFont *font = GameGetMainFont();
  if (!font) return;
  font->SetScaleIncWidescreen(1.2f, 1.2f);
  font->SetColour(1.0f, 1.0f, 1.0f, 0.8f * tut_text_blend);
  font->DrawStringAlign(tut_text_x, tut_text_y + tut_text_y_adj, 1, 1, tut_text_str, 1);
}

char TutorialEnd() {
  if (tut_on) return 0;
  TutorialDestroyGraphics();
  tut_on = 1;
  return 1;
}

void TutorialSetOptionForTests(int on) { option_for_tests = on; }

void TutorialResetForTests() {
  TutorialDestroyGraphics();
  tut_on = 1;
  tut_stage = 0;
  tut_time = 0.0;
  tut_text_blend = 0.0f;
  tut_highlight_blend = 1.0f;
  tut_text_str[0] = 0;
  memset(tut_highlight_dims, 0, sizeof(tut_highlight_dims));
  memset(&tut_box_dim, 0, sizeof(tut_box_dim));
  tut_text_x = tut_text_y = 0.0f;
  tut_text_y_adj = -1.0f;
  throb_phase = 0.0f;
  option_for_tests = -1;
}
