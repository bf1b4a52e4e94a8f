#include "screens/VQ_Screens.h"

#include "Engine/EngDebug.h"

constexpr euint ScreenId(const char (&id)[5]) {
  return (euint(EngUInt8(id[0])) << 24) | (euint(EngUInt8(id[1])) << 16) | (euint(EngUInt8(id[2])) << 8) |
         euint(EngUInt8(id[3]));
}

const euint MAIN_SCREEN_ID = ScreenId("MAIN");
const euint OPTIONS_SCREEN_ID = ScreenId("OPTN");
const euint SOUNDS_SCREEN_ID = ScreenId("PLRS");
const euint SELECT_SCREEN_ID = ScreenId("SELE");
const euint SCORES_SCREEN_ID = ScreenId("STAT");
const euint NOTICE_SCREEN_ID = ScreenId("GENL");
const euint POPUP_SCREEN_ID = ScreenId("POPU");
const euint HELP_SCREEN_ID = ScreenId("HELP");
const euint PAUSE_SCREEN_ID = ScreenId("PAUS");
const euint ABOUT_SCREEN_ID = ScreenId("ABOT");
const euint LOGS_SCREEN_ID = ScreenId("LOGS");

VQ_Screens::VQ_Screens(Game *game, MWin *mwin) : MWinScreens(mwin, 0), m_game(game) {
  DebugAssertAlt(game ? 1 : 0, ENG_FUNC, "No game_p");
}

VQ_Screens::~VQ_Screens() = default;

char VQ_Screens::CreateGraphics() { return 1; }

void VQ_Screens::DestroyGraphics() {}
