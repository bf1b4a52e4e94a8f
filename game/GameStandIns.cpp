#include "game/GameStandIns.h"

#include "Engine/Resolution.h"

// Play field.
float game_per_second = 1.0f;
EngUInt8 game_started = 0;
EngUInt8 game_over = 0;
EngUInt8 game_won = 0;
char QuarrelwickPre3dInit() { return 1; }
char QuarrelwickCreateGraphics() { return 1; }
void QuarrelwickDestroyGraphics() {}
char QuarrelwickInitForNewGame(char) { return 1; }
void QuarrelwickTick() {}
void QuarrelwickRender() {}
void QuarrelwickMoveMouse(float, float) {}
char QuarrelwickMouseButtonPressed(char, char) { return 0; }
void QuarrelwickUpdateCursorPos(char) {}
void QuarrelwickPost3dExit() {}
EngInt32 LevelsGetCurrentGarden() { return 0; }

// End-of-game sequences and tutorial.
char GameOverEnd() { return 0; }
char GameWonEnd(char) { return 0; }
void TutorialAdvanceIfNeeded() {}

// Saved games: only whether the resume game exists, in memory.
static char resume_game_exists = 0;
char SaveGame(int slot, char resume) {
  if (slot == 0 && resume) resume_game_exists = 1;
  return 1;
}
char LoadSavedGame(int, char) { return 1; }
char DoesSavedGameExist(int slot, char resume) { return (slot == 0 && resume) ? resume_game_exists : 0; }
char RemoveSavedGame(int slot, char resume) {
  if (!(slot == 0 && resume) || !resume_game_exists) return 0;
  resume_game_exists = 0;
  return 1;
}

// Game sounds and music.
char SoundPre3dInit() { return 1; }
char SoundInit() { return 1; }
void SoundTick() {}
void SoundExit() {}
void SoundStartOrStopMusic() {}
void SoundsUpdateVolumes() {}
void SoundStopAllMusic(char) {}
void SoundNeedToCheckIfMusicIsAlreadyPlayingOnDevice() {}

// Scores.
char scores_control_from_game = 0;
char ScoresPre3dInit() { return 1; }
void ScoresFinalExit() {}
void ScoresCheckGameOverScore() {}
void ScoresPromptToSubmitLastScore() {}

// Menu screens.
void MainControlCreateGraphics() {}
void MainControlDestroyGraphics() {}
void SelectControlDestroyGraphics() {}
void OptionsUpdatePowerStandIn() {}
void ScoresSetGardenStandIn(EngInt32) {}

// Players' and country screens.
char CountrySetupModule(char, char, void (*)(void *), void *, float, float) { return 1; }
void CountryDestroyGraphics() {}
void UsersControlCreateGraphics() {}
void UsersControlDestroyGraphics() {}
void UserScreensStartUserScreenStandIn() {}
char UserScreensCurrentScreenIsUserOrCountryScreenStandIn() { return 0; }

// The dialog's "start" answer applies the settings shown, which are the loaded or default ones.
int resolution_do_dialog_stand_in_calls = 0;
signed char ResolutionDoDialog() {
  resolution_do_dialog_stand_in_calls++;
  ResolutionSetSettings();
  return 1;
}

