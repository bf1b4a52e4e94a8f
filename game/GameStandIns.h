// The least that the game object needs of modules that are not built yet: saved games,
// end-of-game sequences and menu screens. Each answers success and does nothing; each
// goes when its module lands.
#pragma once

#include "Engine/EngTypes.h"

// End-of-game sequences.
char GameOverEnd();
char GameWonEnd(char from_click);

// Saved games.
char SaveGame(int slot, char resume);
char LoadSavedGame(int slot, char resume);
char DoesSavedGameExist(int slot, char resume);
char RemoveSavedGame(int slot, char resume);

// Menu screens (their controllers belong to the screens table).
// The garden selection's pictures, one a garden, which the high-score screen shows too.
class EngTexture;
extern EngTexture sc_texs[4];
char SelectControlCreateGraphics();
void SelectControlDestroyGraphics();

// The weapon popup, as the weapons reach it. It keeps what it was asked for, for the
// play-field tests.
void PopupUpdate(char refresh);
struct StandInRecords {
  int popup_updates = 0;
};
StandInRecords &GameStandInRecords();
void GameStandInRecordsClear();
