#include "game/GameStandIns.h"

#include "Engine/MWin/MWinScreens.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Quarrelwick.h"
#include "game/Weapons.h"
#include "players/Country.h"
#include "players/UserClass.h"
#include "screens/VQ_Screens.h"


// End-of-game sequences and tutorial.
char GameOverEnd() { return 0; }
char GameWonEnd(char) { return 0; }
void TutorialAdvanceIfNeeded() { GameStandInRecords().tutorial_advances++; }

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
void SelectControlDestroyGraphics() {}
void OptionsUpdatePowerStandIn() {}
void ScoresSetGardenStandIn(EngInt32) {}

StandInRecords &GameStandInRecords() {
  static StandInRecords records;
  return records;
}
void GameStandInRecordsClear() {
  GameStandInRecords() = StandInRecords();
  SoundStandInPlayed().clear();
}
void SoundPlayBulletLaunchSound(int type, int level) { GameStandInRecords().launch_sounds.emplace_back(type, level); }
void SoundPlayBulletHitSound(int type, int level) { GameStandInRecords().hit_sounds.emplace_back(type, level); }
char EffectsCreateNew(int type, float x, float y, float size) {
  GameStandInRecords().effects_made.push_back({type, x, y, size});
  return 1;
}
void PopupUpdate(char) { GameStandInRecords().popup_updates++; }
void SidebarReset() { GameStandInRecords().sidebar_resets++; }
// As the sidebar does it: placing off, the normal cursor, the dragged weapon gone.
void SidebarCancelAnyPlacing() {
  GameStandInRecords().placings_cancelled++;
  play_state = 0;
  QuarrelwickUpdateCursorPos(0);
  delete weapon_to_place;
  weapon_to_place = nullptr;
}
