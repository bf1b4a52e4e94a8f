// Local high scores: the 88-byte score record shared by every score table, one garden's list in
// memory, its encrypted file "Scores/LG_<garden>.sco", the game-over entry with its pruning and
// submission prompt, and the range queries of the high-score screen. World tables and the
// submission itself live elsewhere.
#pragma once

#include "Engine/EngMiscDate.h"
#include "Engine/EngTypes.h"
#include "online/ScoresMain.h"

class Game;
class UserClass;

// Laid out as it is in the world-score cache; written and read through the byte functions.
struct ScoresScore {
  EngInt32 score;       // 0: at least 1 in a valid entry
  EngInt32 level;       // 4: wave reached (from 1) + difficulty x 100
  EngUInt32 v3;         // 8
  EngUInt32 v4;         // 12
  _EngMiscDate date;    // 16: year, month, day and two zero bytes
  EngUInt16 user_id;    // 24
  char name[32];        // 26
  char country[3];      // 58: a three-letter code has no terminator in the field
  char text[20];        // 61
  char platform;        // 81
  EngInt8 small[4];     // 82: small[0] is the last-added flag in the local list
  EngUInt8 zero[2];     // 86
};
static_assert(sizeof(ScoresScore) == 88, "a score record is 88 bytes");

enum {
  SCORES_SCORE_SIZE = 88,
  SCORES_MAX_LOCAL = 100,
  SCORES_FILE_VERSION = 200,
  SCORES_HEADER_SIZE = 20,
  SCORES_RECORD_SIZE = 116,
  SCORES_NAME_FIELD = 22,     // in the file: 1 to 20 characters and a terminator
  SCORES_COUNTRY_FIELD = 68,  // in the file: 1 to 3 characters
  SCORES_MAX_NAME = 20,
  SCORES_PATH_SIZE = 512,
};

void ScoresScoreToBytes(const ScoresScore *score, unsigned char bytes[SCORES_SCORE_SIZE]);
void ScoresScoreFromBytes(const unsigned char bytes[SCORES_SCORE_SIZE], ScoresScore *score);
// The plain pieces of the local file, before sealing.
void ScoresMakeHeaderPiece(EngInt32 garden, unsigned char bytes[SCORES_HEADER_SIZE]);
void ScoresMakeRecordPiece(const ScoresScore *score, unsigned char bytes[SCORES_RECORD_SIZE]);

extern const char *scores_ranges_adj_strs[SCORES_NUM_RANGES];
extern const char *scores_ranges_adj_caps_strs[SCORES_NUM_RANGES];

// Index in the sorted list of the entry the last game added, and that list's garden; -1 none.
extern EngInt32 score_last_entry_pos;
extern EngInt32 score_last_entry_garden;
extern char scores_control_from_game;
extern char scores_control_from_pause;

// What the module asks of the high-score screen, which registers itself while it exists.
class ScoresScreenLink {
 public:
  virtual ~ScoresScreenLink() = default;
  virtual void UpdateForNewGarden() = 0;
  virtual void SetInfoMessage(const char *text) = 0;
  virtual void InternetDoneAddingLastScore(char ok) = 0;
  // The answer to the game-over question (1 OK).
  virtual void AddOnlineAfterPopupCB(char answer) = 0;
};
void ScoresSetScreenLink(ScoresScreenLink *link);
ScoresScreenLink *ScoresGetScreenLink();

// The garden shown on the high-score screen, which every operation here works on.
void ScoresSetCurrentGarden(EngInt32 garden);
EngInt32 ScoresGetCurrentGarden();

char ScoresPre3dInit();
void ScoresFinalExit();

// The current garden's path, or null ("Invalid garden %d"); create makes the Scores folder.
const char *ScoresGetFilename(char create);
void ScoresReadCurrentGardenScores();
char ScoresWriteToFile();
int ScoresSortCallback(const void *a, const void *b);
char ScoresAreScoresTheSame(const ScoresScore *a, const ScoresScore *b);

// The loaded list, best first.
EngInt32 ScoresGetNumScores();
ScoresScore *ScoresGetScores();
const ScoresScore *ScoresGetLastAddedScore();

// Game over.
void ScoresCheckGameOverScore();
void ScoresPromptToSubmitLastScore();
// The first range (all time first) in which the last game is the player's best; -1 none.
EngInt32 ScoresGetRangeOfLastScore();
ScoresScore *ScoresGetUsersBestScoreForCurrentGardenNotLastScore(ScoresRange range);

// Queries of the high-score screen.
char ScoresGetSubsetForRange(ScoresRange range, char unused1 = 0, char unused2 = 0);
EngInt32 ScoresGetSubsetNum();
ScoresScore *ScoresGetSubset();
void ScoresResetScoresForThisGarden();
char ScoresSubmitBestScoreForCurrentGardenAndRange(ScoresRange range);
char ScoresSubmitLastScoreForCurrentGarden();
char ScoresCallSubmitScore(const ScoresScore *ss);
char ScoresIsInternetTested(Game *game, char unused);
// Whether a translated printf format takes the same arguments as the English one: the same
// conversions, each whole ("%ls" is not "%s", "%lld" is not "%d"), in the same order.
char ScoresFormatMatches(const char *translated, const char *english);

// The world table of the current garden and the player's range (player options 479 and 481).
char ScoresWorldSetupNew();
char ScoresWorldUpdateIfNeeded();
char ScoresWorldUpdate();
char ScoresWorldIsUpdating();
// 1 done, 0 running, negative failed; a server message or an old version goes to the screen.
char ScoresWorldIsUpdateFinished();
void ScoresWorldAllScoresForCurrentGardenNeedToBeUpdated();
void ScoresExit();
int ScoresGetWorldNumScores();
ScoresScore *ScoresGetWorldScores();
class ScoresMain;
ScoresMain *ScoresGetWorldTable();

// Tests put the player in place of the game's; null gives the game's back.
void ScoresSetUserForTests(UserClass *user);
