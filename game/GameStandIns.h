// The least that the game object needs of modules that are not built yet: scores and menu
// screens. Each answers success and does nothing; each goes when its module lands.
#pragma once

#include "Engine/EngTypes.h"

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
// The garden selection's pictures, one a garden, which the high-score screen shows too.
class EngTexture;
extern EngTexture sc_texs[4];
char SelectControlCreateGraphics();
void SelectControlDestroyGraphics();

