// The end of a game when the lives run out: "GameOver.tga" throbs over the garden while harmless
// bugs wander in, the game-over music plays, and a click after a second (or Escape) ends it.
#pragma once

#include "Engine/EngTypes.h"

// Only while the game is over: loads the picture (0 when that fails).
char GameOverCreateGraphics();
void GameOverDestroyGraphics();
// Starts the game over (nothing when it already runs).
void GameOverInit();
void GameOverTick();
void GameOverRender();
// 1 when a game over was ended.
char GameOverEnd();

// The sequence as it stands: stage (0 fading in, 1 throbbing) and the picture's alpha last
// drawn; and back to the start-up state (tests call it between cases).
EngUInt8 GameOverGetStage();
float GameOverGetAlpha();
void GameOverResetForTests();
