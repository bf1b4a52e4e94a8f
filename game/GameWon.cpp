#include "game/GameWon.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMain.h"
#include "Engine/EngMiscRandom.h"
#include "Engine/EngTexture.h"
#include "game/Game.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/SavedGame.h"
#include "game/Sound.h"
#include "game/Weapons.h"
#include "players/UserInfo.h"

static EngTexture *game_won_sign_tex = nullptr;
static EngInt32 game_won_stage = -1;
static double game_won_time = 0.0;
static char game_won_text_str[128];
static float game_won_text_blend = 0.0f;
static float game_won_sign_blend = 0.0f;
static float game_won_sign_ang = QW_FACING_UP, game_won_sign_ang1 = 0.0f;
static float game_won_throb[2] = {0.0f, 0.0f};
static EngUInt8 game_won_unlocked_difficulty = 0;
static char game_won_difficulty_text[128];
static float game_won_difficulty_blend = 0.0f;

static const double kCaptionWait = 3.0, kSellInterval = 0.15, kCashInterval = 0.07, kLivesInterval = 0.15;
static const EngInt32 kCashChunk = 5000, kLifeBonus = 5000;
static const int kCashSound = 25;

char GameWonCreateGraphics() {
  if (!game_won) return 1;
  if (game_won_sign_tex && game_won_sign_tex->IsOk()) return 1;
  if (!game_won_sign_tex) game_won_sign_tex = new EngTexture();
  if (!game_won_sign_tex->LoadFromTgaFile("Sign.tga", 1, 2)) {
    DebugErrorAlt(ENG_FUNC, "Could not load texture <%s>", "Sign.tga");
    return 0;
  }
  game_won_sign_tex->PositionPure(-0.6f, -0.6f, 1.2f, 1.2f);
  return 1;
}

void GameWonDestroyGraphics() {
  delete game_won_sign_tex;
  game_won_sign_tex = nullptr;
}

void GameWonRecordProgress(_UserInfo *info, int garden, int difficulty) {
  if (!info) return;
  if (garden < 0 || garden >= USER_NUM_GARDENS) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return;
  }
  _UserGardenProgress &block = info->options.gardens[garden];
  if (difficulty < 0 || difficulty > 1 || block.highest_difficulty > difficulty || block.highest_difficulty > 1) return;
  block.chosen_difficulty = EngInt8(difficulty);
  block.wins = EngUInt8(block.wins + 1);
  game_won_unlocked_difficulty = EngUInt8(difficulty + 1);
  if (block.wins < 4) {
    snprintf(game_won_difficulty_text, sizeof(game_won_difficulty_text), "%s %s %d%%",
             LevelsGetDifficultyAsText(short(difficulty)),
             EngLanguagesGetStringIfExists("GameWon_Progress", "DIFFICULTY PROGRESS:"),
             int(float(block.wins) * 100.0f * 0.25f));
  } else {
    block.highest_difficulty = EngInt8(difficulty + 1);
    snprintf(game_won_difficulty_text, sizeof(game_won_difficulty_text), "%s %s",
             LevelsGetDifficultyAsText(short(difficulty + 1)),
             EngLanguagesGetStringIfExists("GameWon_Unlocked", "DIFFICULTY UNLOCKED"));
    block.wins = 0;
  }
}

void GameWonInit() {
  if (game_won) return;
  game_won = 1;
  game_won_unlocked_difficulty = 0;
  game_won_stage = 0;
  game_won_time = eng_main_current_time;
  game_won_text_str[0] = 0;
  game_won_difficulty_text[0] = 0;
  game_won_difficulty_blend = 0.0f;
  game_won_text_blend = game_won_sign_blend = 0.0f;
  game_won_sign_ang = QW_FACING_UP;
  game_won_sign_ang1 = 0.0f;
  game_won_throb[0] = game_won_throb[1] = 0.0f;
  if (eng_main_device) GameWonCreateGraphics();
  WeaponsRemoveAllBullets();
  RemoveSavedGame(0, 1);
  SoundStartOrStopMusic();
  GameWonRecordProgress(GameGetLoadedUserInfo(), level_garden, level_difficulty);
}

void GameWonTick() { GameWonDoTick(1); }

static void SetCaption(int stage) {
  const char *caption;
  switch (stage) {
    case 0: caption = EngLanguagesGetStringIfExists("GameWon_Defended", "GARDEN DEFENDED !!"); break;
    case 5: caption = EngLanguagesGetStringIfExists("GameWon_Selling", "SELLING ASSETS ..."); break;
    case 10: caption = EngLanguagesGetStringIfExists("GameWon_Cashing", "CASHING IN ..."); break;
    case 14: caption = EngLanguagesGetStringIfExists("GameWon_LivesBonus", "LIVES LEFT BONUS ..."); break;
    default:
      snprintf(game_won_text_str, sizeof(game_won_text_str), "%s %d",
               EngLanguagesGetStringIfExists("GameWon_FinalScore", "FINAL SCORE:"), int(score));
      return;
  }
  snprintf(game_won_text_str, sizeof(game_won_text_str), "%s", caption);
}

// Whether an interval has passed since the stage's time (always, when fast-forwarding); the
// stage's time then moves on.
static bool Due(char animate, double interval) {
  const double now = eng_main_current_time;
  if (animate && now - game_won_time < interval) return false;
  game_won_time = now;
  return true;
}

static void Next() {
  game_won_time = eng_main_current_time;
  game_won_stage++;
}

void GameWonDoTick(char animate) {
  if (!game_won || game_won_stage < 0) return;
  const float dt = game_per_second;
  switch (game_won_stage) {
    case 0: case 5: case 10: case 14: case 18:
      game_won_text_blend = 0.0f;
      SetCaption(game_won_stage);
      Next();
      break;
    case 1: case 6: case 11: case 15: case 19:
      if (animate) game_won_text_blend += dt;
      if (!animate || game_won_text_blend >= 1.0f) {
        game_won_text_blend = 1.0f;
        Next();
      }
      break;
    case 2: case 4: case 7:
      if (Due(animate, kCaptionWait)) Next();
      break;
    case 20:
      Next();
      break;
    case 3: case 9: case 13: case 17:
      if (animate) game_won_text_blend -= dt;
      if (!animate || game_won_text_blend <= 0.0f) {
        game_won_text_blend = 0.0f;
        Next();
      }
      break;
    case 8:
      if (!Due(animate, kSellInterval)) break;
      if (num_weapons > 0 && WeaponsSellLastWeapon()) {
        if (animate && WeaponsGetScoreValue() > 0) SoundPlay(kCashSound);
      } else {
        game_won_stage = 9;
      }
      break;
    case 12:
      if (!Due(animate, kCashInterval)) break;
      if (cash >= 1) {
        const EngInt32 before = cash;
        const EngInt32 chunk = cash < kCashChunk ? cash : kCashChunk;
        QuarrelwickChangeScore(chunk);
        QuarrelwickChangeCash(-long(chunk));
        if (animate) SoundPlay(kCashSound);
        // Counters that no longer move (a game over alongside) must not hold the sequence.
        if (cash >= before) game_won_stage = 13;
      } else {
        game_won_stage = 13;
      }
      break;
    case 16:
      if (!Due(animate, kLivesInterval)) break;
      if (lives >= 2) {
        const EngInt32 before = lives;
        QuarrelwickChangeScore(kLifeBonus);
        QuarrelwickChangeLives(-1);
        if (animate) SoundPlay(kCashSound);
        if (lives >= before) game_won_stage = 17;
      } else {
        game_won_stage = 17;
      }
      break;
    case 21:
      game_won_sign_blend = 0.0f;
      game_won_stage = 22;
      break;
    case 22:
      game_won_sign_blend += 0.5f * dt;
      if (game_won_sign_blend > 1.0f) game_won_sign_blend = 1.0f;
      if (game_won_unlocked_difficulty && game_won_difficulty_blend < 5.0f) {
        game_won_difficulty_blend += 0.4f * dt;
        if (game_won_difficulty_blend > 4.0f) game_won_difficulty_blend = 4.0f;
      }
      if (!animate) game_won_stage = 23;
      break;
    default:
      game_won_stage = -1;
      break;
  }
  if (animate && (game_won_stage >= 17 || game_won_stage == -1)) {
    game_won_sign_ang1 = EngMiscThrobEffect(&game_won_throb[0], 1.4f * dt, nullptr) * 0.47123894f - 0.23561947f;
    game_won_sign_ang =
        (EngMiscThrobEffect(&game_won_throb[1], 0.5f * dt, nullptr) * 0.31415927f - 0.15707964f + game_won_sign_ang1) *
            0.5f +
        QW_FACING_UP;
  }
}

void GameWonRender() {
  if (!game_won) return;
  EngDevice *device = eng_main_device;
  if (!device) return;
  if (game_won_stage >= 18 || game_won_stage == -1) {
    if (game_won_sign_tex && game_won_sign_tex->IsOk()) {
      device->EnableBlendingType(0);
      QuarrelwickSetupPosAndZRotMatrices(level_garden == 3 ? -0.2f : 0.0f, 0.2f, 0.0f, -0.59f, game_won_sign_ang, 1, 1);
      game_won_sign_tex->DrawWithColourPure(1.0f, 1.0f, 1.0f, game_won_sign_blend);
      QuarrelwickRestoreAfterSettingUpPosAndZRotMatrices();
    }
  }
  EngFont *font = GameGetMainFont();
  if (!font) return;
  device->EnableBlendingType(0);
  if (game_won_text_str[0]) {
    font->SetScaleIncWidescreen(2.5f, 3.0f);
    font->SetColour(0.0f, 0.0f, 0.0f, 0.7f * game_won_text_blend);
    font->DrawStringAlign(324.0f, 34.0f, 1, 1, game_won_text_str, 1);
    font->SetColour(0.8f, 1.0f, 0.5f, 0.7f * game_won_text_blend);
    font->DrawStringAlign(320.0f, 30.0f, 1, 1, game_won_text_str, 1);
  }
  if (game_won_unlocked_difficulty && game_won_difficulty_text[0]) {
    const float b = game_won_difficulty_blend;
    float alpha = b <= 3.0f ? (b < 1.0f ? b : 1.0f) : 4.0f - b;
    if (alpha < 0.0f) alpha = 0.0f;
    font->SetScaleIncWidescreen(1.7f, 1.5f);
    font->SetColour(1.0f, 1.0f, 1.0f, alpha);
    font->DrawStringAlign(320.0f, 460.0f, 1, 1, game_won_difficulty_text, 1);
  }
}

char GameWonEnd(char from_click) {
  if (!game_won) return 0;
  // On the desktop a click before the final score shows is ignored.
  if (from_click && game_won_stage >= 0 && game_won_stage < 18) return 0;
  SoundStopWinMusic();
  while (game_won_stage != -1) GameWonDoTick(0);
  GameWonDestroyGraphics();
  game_won = 0;
  game_started = 0;
  game_won_unlocked_difficulty = 0;
  return 1;
}

EngInt32 GameWonGetStage() { return game_won_stage; }
const char *GameWonGetCaption() { return game_won_text_str; }
const char *GameWonGetDifficultyText() { return game_won_difficulty_text; }
EngUInt8 GameWonGetUnlockedDifficulty() { return game_won_unlocked_difficulty; }

void GameWonResetForTests() {
  GameWonDestroyGraphics();
  game_won_stage = -1;
  game_won_time = 0.0;
  game_won_text_str[0] = game_won_difficulty_text[0] = 0;
  game_won_text_blend = game_won_sign_blend = game_won_difficulty_blend = 0.0f;
  game_won_sign_ang = QW_FACING_UP;
  game_won_sign_ang1 = 0.0f;
  game_won_throb[0] = game_won_throb[1] = 0.0f;
  game_won_unlocked_difficulty = 0;
}
