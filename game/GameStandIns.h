// The least that the game object needs of modules that are not built yet: game sounds, saved
// games, end-of-game sequences, tutorial, scores, menu and player screens. Each answers success and does nothing; each goes when its module
// lands.
#pragma once

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

// Score submission and world score tables: as without a connection and with no table set up.
struct ScoresScore;
class MWin;
EngInt32 ScoresSubmitScore(EngInt32 program, EngUInt16 game_version, EngUInt32 score_set, const ScoresScore *score,
                           MWin *mwin, EngInt32 *unused);
char ScoresWorldSetupNew();
char ScoresWorldUpdateIfNeeded();
char ScoresWorldUpdate();
char ScoresWorldIsUpdating();
char ScoresWorldIsUpdateFinished();
void ScoresWorldAllScoresForCurrentGardenNeedToBeUpdated();
void ScoresExit();
int ScoresGetWorldNumScores();
ScoresScore *ScoresGetWorldScores();

// Menu screens (their controllers belong to the screens table).
void MainControlCreateGraphics();
void MainControlDestroyGraphics();
void SelectControlDestroyGraphics();
void OptionsUpdatePowerStandIn();

// Players' and country screens.
void UsersControlCreateGraphics();
void UsersControlDestroyGraphics();
void UserScreensStartUserScreenStandIn();
char UserScreensCurrentScreenIsUserOrCountryScreenStandIn();
