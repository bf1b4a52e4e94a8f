#include "game/GameStandIns.h"


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
std::vector<int> &SoundStandInPlayed() {
  static std::vector<int> played;
  return played;
}
void SoundPlay(int id) { SoundStandInPlayed().push_back(id); }
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
void UsersControlCreateGraphics() {}
void UsersControlDestroyGraphics() {}
void UserScreensStartUserScreenStandIn() {}
char UserScreensCurrentScreenIsUserOrCountryScreenStandIn() { return 0; }
