// The garden won after its last wave: a scripted sequence that sells every weapon, turns cash
// and spare lives into score, shows the final score under a swinging sign and records the
// player's progress toward the garden's next difficulty. A click or Escape then ends it.
#pragma once

#include "Engine/EngTypes.h"

struct _UserInfo;

// Only while the garden is won: loads the sign (0 when that fails).
char GameWonCreateGraphics();
void GameWonDestroyGraphics();
// Starts the sequence (nothing when it already runs).
void GameWonInit();
void GameWonTick();
// One step of the sequence; with animate 0 every wait and fade completes at once.
void GameWonDoTick(char animate);
void GameWonRender();
// 1 when the won garden was ended; a click before the final score shows does nothing.
char GameWonEnd(char from_click);

// Counts a win in garden g at difficulty d into the player's progress and sets the message.
void GameWonRecordProgress(_UserInfo *info, int garden, int difficulty);

// The sequence as it stands, for tests: stage (-1 finished), caption, difficulty message and
// which difficulty it concerns (+1, 0 none).
EngInt32 GameWonGetStage();
const char *GameWonGetCaption();
const char *GameWonGetDifficultyText();
EngUInt8 GameWonGetUnlockedDifficulty();
void GameWonResetForTests();
