// The game's screens table: the toolkit's screen manager made for the game, with fading off
// (no screen change fades in the game), and the four-character ids of the game's screens.
// The menu and player screens register themselves here as they are built.
#pragma once

#include "Engine/EngTypes.h"
#include "Engine/MWin/MWinScreens.h"

class Game;
class MWin;

extern const euint MAIN_SCREEN_ID;
extern const euint OPTIONS_SCREEN_ID;
extern const euint SOUNDS_SCREEN_ID;
extern const euint SELECT_SCREEN_ID;
extern const euint SCORES_SCREEN_ID;
extern const euint NOTICE_SCREEN_ID;
extern const euint POPUP_SCREEN_ID;
extern const euint HELP_SCREEN_ID;
extern const euint PAUSE_SCREEN_ID;
extern const euint ABOUT_SCREEN_ID;
extern const euint LOGS_SCREEN_ID;

class VQ_Screens : public MWinScreens {
 public:
  VQ_Screens(Game *game, MWin *mwin);
  ~VQ_Screens() override;

  char CreateGraphics();
  void DestroyGraphics();
  Game *GetGame() { return m_game; }

 private:
  Game *m_game;
};
