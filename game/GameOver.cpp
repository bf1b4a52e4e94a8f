#include "game/GameOver.h"

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMiscRandom.h"
#include "Engine/EngTexture.h"
#include "game/Bugs.h"
#include "game/Quarrelwick.h"
#include "game/SavedGame.h"
#include "game/Sound.h"
#include "game/Sprites.h"

static EngTexture *go_tex = nullptr;
static EngUInt8 go_stage = 0;
static float go_throb_ang = 0.0f;
static float go_alpha = 0.0f;
static double go_next_bug_time = 0.0;

static const double kBugInterval = 0.3;

char GameOverCreateGraphics() {
  if (!game_over) return 1;
  if (go_tex && go_tex->IsOk()) return 1;
  if (!go_tex) go_tex = new EngTexture();
  if (!go_tex->LoadFromTgaFile("GameOver.tga", 1, 2)) {
    DebugErrorAlt(ENG_FUNC, "Could not load texture <%s>", "GameOver.tga");
    return 0;
  }
  go_tex->PositionRatioed(50, 50, 540, 380);
  return 1;
}

void GameOverDestroyGraphics() {
  delete go_tex;
  go_tex = nullptr;
}

void GameOverInit() {
  if (game_over) return;
  RemoveSavedGame(0, 1);
  game_started = 0;
  go_throb_ang = 0.0f;
  go_alpha = 0.0f;
  // Every slot may fill with wanderers.
  num_bugs = BUGS_MAX;
  if (eng_main_device) {
    BugsDestroyGraphics();
    BugsCreateGraphics();
  }
  game_over = 1;
  game_over_time = eng_main_current_time;
  go_next_bug_time = eng_main_current_time;
  go_stage = 0;
  if (eng_main_device) GameOverCreateGraphics();
  SoundStartOrStopMusic();
}

void GameOverTick() {
  if (!game_over) return;
  if (eng_main_current_time >= go_next_bug_time) {
    go_next_bug_time = eng_main_current_time + kBugInterval;
    for (int i = 0; i < num_bugs && i < BUGS_MAX; i++) {
      if (bugs[i]) continue;
      bugs[i] = new Bug(i, 1);
      break;
    }
  }
  for (Bug *&b : bugs) {
    if (!b) continue;
    b->Tick();
    if (!b->alive) {
      delete b;
      b = nullptr;
    }
  }
}

void GameOverRender() {
  if (!game_over) return;
  EngDevice *device = eng_main_device;
  if (!device) return;
  device->EnableBlendingType(0);
  SpritesBegin();
  for (Bug *b : bugs)
    if (b) b->RenderGameOver();
  SpritesFlush();
  if (go_stage == 0) {
    go_alpha = EngMiscThrobEffect(&go_throb_ang, game_per_second, nullptr);
    if (go_alpha >= 0.9f) go_stage = 1;
  } else {
    go_alpha = EngMiscThrobEffect(&go_throb_ang, 0.5f * game_per_second, nullptr) * 0.5f + 0.5f;
  }
  if (go_tex && go_tex->IsOk()) go_tex->DrawWithColour(1.0f, 1.0f, 1.0f, go_alpha);
  device->DisableBlending();
}

char GameOverEnd() {
  if (!game_over) return 0;
  SoundStopGameOverMusic();
  GameOverDestroyGraphics();
  game_over = 0;
  return 1;
}

EngUInt8 GameOverGetStage() { return go_stage; }
float GameOverGetAlpha() { return go_alpha; }

void GameOverResetForTests() {
  GameOverDestroyGraphics();
  go_stage = 0;
  go_throb_ang = 0.0f;
  go_alpha = 0.0f;
  go_next_bug_time = 0.0;
}
