// Saved games: the game in progress (garden, counters, weapons, the wave's bugs) as one
// 63,284-byte record in the engine's encrypted container, per player in eleven numbered slots
// of each garden and one resume game. A record is checked whole before the game is touched.
#pragma once

#include "Engine/EngTypes.h"

enum {
  SAVED_GAME_RECORD_SIZE = 63284,
  SAVED_GAME_WEAPON_SIZE = 56,
  SAVED_GAME_BUG_SIZE = 72,
  SAVED_GAME_MAX_SLOT = 10,
  // Offsets of the record's blocks and counters.
  SAVED_GAME_OFS_WEAPONS = 4,
  SAVED_GAME_OFS_NUM_WEAPONS = 56004,
  SAVED_GAME_OFS_BUG_SPECIES = 56008,
  SAVED_GAME_OFS_BUG_HP = 56012,
  SAVED_GAME_OFS_BUG_SPEED = 56020,
  SAVED_GAME_OFS_BUG_CASH = 56028,
  SAVED_GAME_OFS_BUG_SCORE = 56036,
  SAVED_GAME_OFS_BUG_DISTANCE = 56040,
  SAVED_GAME_OFS_BUG_SIZE = 56044,
  SAVED_GAME_OFS_BUGS = 56048,
  SAVED_GAME_OFS_NUM_BUGS = 63248,
  SAVED_GAME_OFS_LAST_BOSS = 63252,
  SAVED_GAME_OFS_GARDEN = 63256,
  SAVED_GAME_OFS_DIFFICULTY = 63258,
  SAVED_GAME_OFS_SCORE = 63260,
  SAVED_GAME_OFS_SCORE_ADDED = 63264,
  SAVED_GAME_OFS_LIVES = 63268,
  SAVED_GAME_OFS_CASH = 63272,
  SAVED_GAME_OFS_WAVE = 63276,
  SAVED_GAME_OFS_PAUSED = 63280,
  SAVED_GAME_OFS_GAME_OVER = 63281,
  SAVED_GAME_OFS_GAME_WON = 63282,
};

// The version at the record's start.
extern const float saved_game_version;

// "<Users folder>/<name>_SavedGame<G><S>.dat" for the loaded player (G the garden + 1, or 0 for
// the resume game), in a buffer the next call overwrites; null without a usable player name.
char *SaveGameGetFilename(int slot, char resume);
// 0 without writing for a slot above 10, during the game over, or without a player.
char SaveGame(int slot, char resume);
// 0 and the game untouched when the file is missing, unreadable, of another version or fails
// the checks (the last three are deleted).
char LoadSavedGame(int slot, char resume);
char DoesSavedGameExist(int slot, char resume);
char RemoveSavedGame(int slot, char resume);

// The record of the current game as SaveGame writes it, before encryption.
void SavedGameWriteRecord(unsigned char *record);
// Whether a decrypted record of the current version may be restored: every count, range and
// number checked. why (may be null) names the first fault.
char SavedGameCheckRecord(const unsigned char *record, const char **why);
// Puts a checked record back into play: the new game in its garden, then weapons, bugs and
// counters. 0 when the garden cannot be started.
char SavedGameRestoreRecord(const unsigned char *record);
