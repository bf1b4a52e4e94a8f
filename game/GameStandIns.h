// The least that the game object needs of modules that are not built yet: game sounds, saved
// games, end-of-game sequences, tutorial, scores and menu screens. Each answers success and
// does nothing; each goes when its module lands.
#pragma once

#include <utility>
#include <vector>

#include "Engine/EngTypes.h"

// End-of-game sequences and tutorial.
char GameOverEnd();
char GameWonEnd(char from_click);
void TutorialAdvanceIfNeeded();

// Saved games.
char SaveGame(int slot, char resume);
char LoadSavedGame(int slot, char resume);
char DoesSavedGameExist(int slot, char resume);
char RemoveSavedGame(int slot, char resume);

// Game sounds and music. SoundPlay keeps the ids it was asked for, for the play-field tests.
void SoundPlay(int id);
std::vector<int> &SoundStandInPlayed();
char SoundPre3dInit();
char SoundInit();
void SoundTick();
void SoundExit();
void SoundStartOrStopMusic();
void SoundsUpdateVolumes();
void SoundStopAllMusic(char now);
void SoundNeedToCheckIfMusicIsAlreadyPlayingOnDevice();

// Scores.
extern char scores_control_from_game;
char ScoresPre3dInit();
void ScoresFinalExit();
void ScoresCheckGameOverScore();
void ScoresPromptToSubmitLastScore();

// Menu screens (their controllers belong to the screens table).
void SelectControlDestroyGraphics();
void OptionsUpdatePowerStandIn();
void ScoresSetGardenStandIn(EngInt32 garden);

// Bullet sounds and effects, the weapon popup and the sidebar, as the weapons reach them. They
// keep what they were asked for, for the play-field tests.
void SoundPlayBulletLaunchSound(int type, int level);
void SoundPlayBulletHitSound(int type, int level);
char EffectsCreateNew(int type, float x, float y, float size);
void PopupUpdate(char refresh);
void SidebarCancelAnyPlacing();
void SidebarReset();
struct StandInEffect {
  int type;
  float x, y, size;
};
struct StandInRecords {
  std::vector<std::pair<int, int>> launch_sounds, hit_sounds;  // (weapon type, level)
  std::vector<StandInEffect> effects_made;
  int popup_updates = 0, sidebar_resets = 0, placings_cancelled = 0, tutorial_advances = 0;
};
StandInRecords &GameStandInRecords();
void GameStandInRecordsClear();
