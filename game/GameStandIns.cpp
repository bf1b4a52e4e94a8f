#include "game/GameStandIns.h"

#include "Engine/EngDebug.h"
#include "Engine/EngLanguages.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/Resolution.h"
#include "Engine/EngTexture.h"
#include "game/Game.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Weapons.h"
#include "players/Country.h"
#include "players/UserClass.h"
#include "screens/VQ_Screens.h"

// Score submission and world score tables.
EngInt32 ScoresSubmitScore(EngInt32, EngUInt16, EngUInt32, const ScoresScore *score, MWin *mwin, EngInt32 *) {
  if (!score) {
    DebugErrorAlt(ENG_FUNC, "Parameters error");
    return -1;
  }
  if (mwin && mwin->IsOn() && !mwin->PopupIsOn())
    mwin->PopupErrorMessage(EngLanguagesGetStringIfExists("Common_Error", "Error"),
                            EngLanguagesGetStringIfExists("Misc_NoInternetConnection", "No connection to internet found"));
  return -2;
}
char ScoresWorldSetupNew() {
  DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
  return 0;
}
char ScoresWorldUpdateIfNeeded() { return ScoresWorldSetupNew(); }
char ScoresWorldUpdate() { return ScoresWorldSetupNew(); }
char ScoresWorldIsUpdating() { return 0; }
char ScoresWorldIsUpdateFinished() {
  DebugErrorAlt(ENG_FUNC, "Class not setup.");
  return 0;
}
void ScoresWorldAllScoresForCurrentGardenNeedToBeUpdated() { DebugErrorAlt(ENG_FUNC, "No class."); }
void ScoresExit() {}
int ScoresGetWorldNumScores() { return 0; }
ScoresScore *ScoresGetWorldScores() { return nullptr; }

// Menu screens.
EngTexture sc_texs[4];
char SelectControlCreateGraphics() {
  if (sc_texs[0].IsOk()) return 1;
  char ok = 1;
  const EngInt16 garden = level_garden;
  for (int g = 0; g < 4; g++) {
    if (sc_texs[g].IsOk()) continue;
    level_garden = EngInt16(g);
    if (!sc_texs[g].LoadFromJpegFile(LevelsGetPicFilename(0), 0, 0, 0)) ok = 0;
  }
  level_garden = garden;
  return ok;
}
void SelectControlDestroyGraphics() {
  for (EngTexture &t : sc_texs) t.Destroy();
}


