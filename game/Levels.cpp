#include "game/Levels.h"

#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMain.h"
#include "Engine/EngMisc.h"
#include "Engine/EngTexture.h"
#include "game/Game.h"
#include "game/Quarrelwick.h"
#include "game/Traverse.h"

EngInt16 level_garden = -1;
EngInt16 level_difficulty = 0;
EngUInt8 level_garden_size = 0;
float level_bug_cash_mult = 1.0f;
float level_size_mult = 1.0f;
float level_bug_size_mult = 1.0f;
float level_weapon_size_mult = 1.0f;
float level_overall_bug_hp_mult = 1.0f;
float level_onscreen_start_pos = 150.0f;
float level_onscreen_end_pos = 100.0f;

// The garden picture, placed over the play field.
static EngTexture *main_tex = nullptr;
// Which garden and size main_tex shows, and how many pictures were read.
static EngInt16 main_tex_garden = -1;
static EngUInt8 main_tex_size = 0;
static EngInt32 picture_loads = 0;
static char level_filename[256];
static EngInt32 banner_stage = -1;
static double banner_start_time = 0.0;
static float banner_blend = 0.0f;
static char banner_text[64];

struct GardenValues {
  float cash_mult, onscreen_start, onscreen_end;
};
static const GardenValues kGardens[4] = {
    {0.82f, 150.0f, 100.0f},
    {0.79f, 200.0f, 150.0f},
    {0.9f, 180.0f, 100.0f},
    {0.9f, 180.0f, 100.0f},
};

char LevelsPre3dInit() {
  level_garden = -1;
  level_difficulty = 0;
  return 1;
}

void LevelsResetForTests() {
  LevelsDestroyGraphics(0);
  level_garden = -1;
  level_difficulty = 0;
  level_garden_size = 0;
  level_bug_cash_mult = level_size_mult = level_bug_size_mult = level_weapon_size_mult = 1.0f;
  level_overall_bug_hp_mult = 1.0f;
  level_onscreen_start_pos = 150.0f;
  level_onscreen_end_pos = 100.0f;
  banner_stage = -1;
  banner_start_time = 0.0;
  banner_blend = 0.0f;
  banner_text[0] = 0;
  level_filename[0] = 0;
}

char *LevelsGetPicFilename(char) {
  DebugAssertAlt(level_garden >= 0, ENG_FUNC, "Level type not set");
  snprintf(level_filename, sizeof(level_filename), "%s%d%s", level_garden_size ? "LevelBig" : "Level",
           int(level_garden), ".jpg");
  return level_filename;
}

char *LevelsGetTravCalcsFilename(char output) {
  if (output) {
    DebugErrorAlt(ENG_FUNC, "Output set for release");
    EngMiscCloseProgram();
    level_filename[0] = 0;
    return level_filename;
  }
  DebugAssertAlt(level_garden >= 0, ENG_FUNC, "Garden not set");
  snprintf(level_filename, sizeof(level_filename), "%s%d%s", level_garden_size ? "TravCalcsBig" : "TravCalcs",
           int(level_garden), ".dat");
  return level_filename;
}

void LevelsDestroyGraphics(char) {
  delete main_tex;
  main_tex = nullptr;
  main_tex_garden = -1;
}

char LevelsCreateGraphics(char) {
  LevelsDestroyGraphics(0);
  if (level_garden < 0) return 1;
  const char *name = LevelsGetPicFilename(0);
  picture_loads++;
  EngTexture scratch;
  scratch.Create();
  if (!scratch.LoadFromJpegFile(name, 0, 0)) {
    DebugErrorAlt(ENG_FUNC, "Could not load garden picture <%s>", name);
    return 0;
  }
  EngInt32 w = scratch.GetOrigWidth(), h = scratch.GetOrigHeight();
  // The picture's outer band (a sixteenth on each side) is margin the grid also keeps; only
  // the middle is shown, stretched over the play field.
  EngInt32 from, size;
  if (w == 1024 && h == 1024) {
    from = 64;
    size = 896;
  } else if (w == 512 && h == 512) {
    from = 32;
    size = 448;
  } else {
    DebugErrorAlt(ENG_FUNC, "Bad tex size (%d x %d).", w, h);
    return 0;
  }
  EngTexture *tex = new EngTexture();
  tex->Create();
  if (!tex->CreateEmptyTexture(w, h, 0) ||
      !tex->CopyPartFromAnotherTexture(&scratch, from, from, size, size, 0, 0, w, h, 0, nullptr)) {
    DebugErrorAlt(ENG_FUNC, "Could not make the garden picture from <%s>", name);
    delete tex;
    return 0;
  }
  tex->PositionRatioed(QW_FIELD_LEFT, QW_FIELD_TOP, QW_FIELD_WIDTH, QW_FIELD_HEIGHT);
  main_tex = tex;
  main_tex_garden = level_garden;
  main_tex_size = level_garden_size;
  return 1;
}

void LevelsRenderMainBackground() {
  if (level_garden >= 0 && main_tex) main_tex->Draw();
}

void LevelsInitForNewGame(char) {
  if (level_garden < 0 || !TraverseSetup()) {
    LevelsDestroyGraphics(0);
    return;
  }
  QuarrelwickFillGridFromTraverseData();
  // The picture of the garden played last stays: another game there need not read it again.
  // Before the field's pictures are first made (the start-up's game) none is read.
  if (!LevelsIsPictureLoaded() && QuarrelwickGraphicsCreated()) LevelsCreateGraphics(0);
}

char LevelsIsPictureLoaded() {
  return main_tex && main_tex_garden == level_garden && main_tex_size == level_garden_size ? 1 : 0;
}

EngInt32 LevelsGetPictureLoads() { return picture_loads; }

char LevelsInitForNewLevel(char) {
  level_bug_cash_mult = level_size_mult = level_bug_size_mult = level_weapon_size_mult = 1.0f;
  level_overall_bug_hp_mult = 1.0f;
  if (level_garden_size == 1) {
    level_bug_size_mult = 0.5f;
    level_weapon_size_mult = 0.75f;
  }
  level_onscreen_start_pos = 150.0f;
  level_onscreen_end_pos = 100.0f;
  if (level_garden < 0) return 1;
  if (level_difficulty < 0 || level_difficulty > 2) {
    DebugErrorAlt(ENG_FUNC, "Bad level difficulty: %d.", int(level_difficulty));
    level_difficulty = 0;
  }
  level_overall_bug_hp_mult = float(level_difficulty) * 0.05f + 1.0f;
  const GardenValues &g = kGardens[level_garden & 3];
  if (level_garden <= 3) {
    level_bug_cash_mult = g.cash_mult;
    level_onscreen_start_pos = g.onscreen_start;
    level_onscreen_end_pos = g.onscreen_end;
  }
  banner_start_time = eng_main_current_time;
  banner_blend = 0.0f;
  banner_stage = 0;
  static const char *const kSuffix[3] = {"", "T", "X"};
  snprintf(banner_text, sizeof(banner_text), "%s  %d%s", EngLanguagesGetStringIfExists("Levels_Level", "LEVEL"),
           int(bug_level_num) + 1, kSuffix[level_difficulty]);
  return 1;
}

const char *LevelsGetDifficultyAsText(short difficulty) {
  switch (difficulty) {
    case 0: return EngLanguagesGetStringIfExists("Levels_Normal", "NORMAL");
    case 1: return EngLanguagesGetStringIfExists("Levels_Tough", "TOUGH");
    case 2: return EngLanguagesGetStringIfExists("Levels_Extreme", "EXTREME");
    default: DebugErrorAlt(ENG_FUNC, "Unsupported: %d", int(difficulty)); return "";
  }
}

void LevelsTick() {
  double now = eng_main_current_time;
  float step = game_per_second;
  switch (banner_stage) {
    case 0:
      if (now - banner_start_time >= 0.5) {
        banner_stage = 1;
        banner_start_time = now;
      }
      break;
    case 1:
      banner_blend += 1.5f * step;
      if (banner_blend >= 1.0f) {
        banner_blend = 1.0f;
        banner_start_time = now;
        banner_stage = 2;
      }
      break;
    case 2:
      if (now - banner_start_time >= 0.2) banner_stage = 3;
      break;
    case 3:
      banner_blend -= 1.5f * step;
      if (banner_blend <= 0.0f) {
        banner_blend = 0.0f;
        banner_stage = -1;
      }
      break;
    default: break;
  }
}

void LevelsRender() {
  if (banner_stage < 0 || banner_stage > 3 || !banner_text[0]) return;
  EngFont *font = GameGetMainFont();
  if (!font) return;
  // A black copy 4 units down and right, then the text, both translucent over the garden.
  font->SetScale(4.2f, 1.8f);
  font->SetColour(0.0f, 0.0f, 0.0f, 0.7f * banner_blend);
  font->DrawStringAlign(324.0f, 244.0f, 1, 1, banner_text, 1);
  font->SetColour(1.0f, 1.0f, 1.0f, 0.7f * banner_blend);
  font->DrawStringAlign(320.0f, 240.0f, 1, 1, banner_text, 1);
}

void LevelsTurnOffLevelText() { banner_stage = -1; }

EngInt32 LevelsGetBannerStage() { return banner_stage; }
float LevelsGetBannerBlend() { return banner_blend; }
const char *LevelsGetBannerText() { return banner_text; }
