// The least that the game object needs of modules that are not built yet: the play field,
// game sounds, saved games, end-of-game sequences, tutorial, scores, menu and player screens,
// and the display dialog. Each answers success and does nothing; each goes when its module lands.
#pragma once

#include "Engine/EngTypes.h"

// Play field.
extern float game_per_second;
extern EngUInt8 game_started;
extern EngUInt8 game_over;
extern EngUInt8 game_won;
char QuarrelwickPre3dInit();
char QuarrelwickCreateGraphics();
void QuarrelwickDestroyGraphics();
char QuarrelwickInitForNewGame(char restoring);
void QuarrelwickTick();
void QuarrelwickRender();
void QuarrelwickMoveMouse(float x, float y);
char QuarrelwickMouseButtonPressed(char button, char state);
void QuarrelwickUpdateCursorPos(char cursor_type);
void QuarrelwickPost3dExit();
// The garden being played, for the scores screen.
EngInt32 LevelsGetCurrentGarden();

// End-of-game sequences and tutorial.
char GameOverEnd();
char GameWonEnd(char from_click);
void TutorialAdvanceIfNeeded();

// Saved games.
char SaveGame(int slot, char resume);
char LoadSavedGame(int slot, char resume);
char DoesSavedGameExist(int slot, char resume);
char RemoveSavedGame(int slot, char resume);

// Game sounds and music.
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
void MainControlCreateGraphics();
void MainControlDestroyGraphics();
void SelectControlDestroyGraphics();
void OptionsUpdatePowerStandIn();
void ScoresSetGardenStandIn(EngInt32 garden);

// Players' and country screens.
char CountrySetupModule(char a, char b, void (*done_cb)(void *), void *user, float x, float y);
void CountryDestroyGraphics();
void UsersControlCreateGraphics();
void UsersControlDestroyGraphics();
void UserScreensStartUserScreenStandIn();
char UserScreensCurrentScreenIsUserOrCountryScreenStandIn();

// The start-up display dialog: until it exists, start-up takes its "start" answer.
signed char ResolutionDoDialog();

