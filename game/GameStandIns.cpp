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

