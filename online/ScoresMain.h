// The world (online) high-score table of one program, score set and date range: read from a
// cache file younger than a given number of minutes, else downloaded on an internet worker
// thread while the main thread polls it; and the score module's shared free functions: whether
// a score record may be shown or sent, and the date ranges (year, month, week, day).
#pragma once

#include <cstddef>
#include <string>

#include "Engine/EngMiscDate.h"
#include "Engine/EngTypes.h"
#include "online/EngInternetThread.h"

struct ScoresScore;
class EngInternetThread;

enum ScoresRange : EngInt32 {
  SCORES_RANGE_ALL_TIME = 0,
  SCORES_RANGE_YEAR = 1,
  SCORES_RANGE_MONTH = 2,
  SCORES_RANGE_WEEK = 3,
  SCORES_RANGE_DAY = 4,
  SCORES_NUM_RANGES = 5,
};

char ScoresMainIsScoreValid(const ScoresScore *score, char check_platform);
// Each flag may be null; all given flags are cleared first. 0 when a year is 1900 or earlier.
char ScoresMainGetRangesFromDate(const _EngMiscDate *date, const _EngMiscDate *today, char *same_day,
                                 char *same_week, char *same_month, char *same_year);
// 1 January is day 1; 0 for a bad month or no date.
int ScoresMainGetDatesYearDayNum(const _EngMiscDate *date);
// Day of the year / 7 + 1, so week 1 is 1 to 6 January; days 364 and later are week 52.
int ScoresMainGetDatesWeekNumber(const _EngMiscDate *date);
char ScoresMainIsDateInRange(const _EngMiscDate *date, const _EngMiscDate *today, ScoresRange range);

// The number naming the game at the score server (55 this game, 99 the test program).
typedef EngInt32 ScoresProgram;
// 1 keeps the record, 0 drops it.
typedef char (*SCORES_FILTER_CB)(ScoresScore *score);

enum {
  SCORES_MAIN_SLOTS = 20,
  SCORES_MAIN_REPLY_SIZE = 8192,
  SCORES_MAIN_URL_SIZE = 512,
  SCORES_MAIN_CACHE_HEADER = 22,
  SCORES_MAIN_MAX_LINE = 255,
  SCORES_MAIN_TEST_PROGRAM = 99,
};

// A reply line or cache record as the world table accepts it: score 0 or more, player id 1 or
// more, name 1-31 and text 1-19 characters ending inside their fields, a known country, a date
// from 2000 with month 1..12 and day 1..31.
char ScoresMainIsWorldRecordAcceptable(const ScoresScore *score);

// Parses a "Y \n" table reply of length bytes (the rest of the grammar is the caller's) into
// scores, at most capacity; each record is written over the slot at the count, so bytes the
// line does not carry keep what the array held. Returns the number of records accepted.
int ScoresMainParseTable(const char *reply, size_t length, ScoresScore *scores, int capacity, SCORES_FILTER_CB filter);

// The cache file's bytes: a whole file of this game's version, no more than capacity valid
// records, stamped between max_age_minutes before now_minutes and now_minutes. On success the
// kept records (after the filter) are in scores, their number in *count and the stamp's minute
// count in *stamp_minutes.
char ScoresMainReadCache(const unsigned char *bytes, size_t size, EngUInt16 game_version, int capacity,
                         EngUInt32 now_minutes, EngUInt32 max_age_minutes, SCORES_FILTER_CB filter,
                         ScoresScore *scores, int *count, EngUInt32 *stamp_minutes);
std::string ScoresMainMakeCache(EngUInt16 game_version, const _EngMiscDateAndTime &stamp, const ScoresScore *scores,
                                int count);

class ScoresMain {
 public:
  ScoresMain();
  ~ScoresMain();
  ScoresMain(const ScoresMain &) = delete;
  ScoresMain &operator=(const ScoresMain &) = delete;

  char Setup(ScoresProgram program, EngUInt16 game_version, EngInt32 capacity, EngUInt32 score_set,
             ScoresRange range, SCORES_FILTER_CB filter, char auto_download, EngUInt32 cache_minutes);
  char IsSetup() const { return m_setup; }
  void End();
  void StopUpdating();
  void ClearAllScores();
  char IsUpdating();
  // 0 nothing done, 1 a download runs or was started, 2 the table came from the cache.
  char UpdateIfNeeded(char force);
  char Update();
  void CancelReadingOfCurrentThreadAndGoOnToNextThread(const char *unused);
  // 1 table received, 0 still running, -1 failed or refused, -2 the reader reported 0. A
  // server message stays readable until the next poll that finishes a download, or End.
  int IsUpdateFinished(EngInternetThreadReadResult *status, const char **message);
  ScoresScore *GetScoresList(char report);
  ScoresScore *GetScore(EngInt32 index);
  EngInt32 GetNumScores() const { return m_num_scores; }
  void DeleteScoresFile();
  char DeleteOnlineScore(ScoresScore *score);
  const char *GetCachePath() const { return m_cache_path; }
  const char *GetUrl() const { return m_url; }

 private:
  int ParseReply(EngInternetThreadReadResult *status, const char **message);
  void WriteCache();

  char m_setup = 0;
  ScoresProgram m_program = 0;
  EngUInt32 m_score_set = 0;
  ScoresRange m_range = SCORES_RANGE_ALL_TIME;
  SCORES_FILTER_CB m_filter = nullptr;
  EngUInt16 m_game_version = 0;
  EngInt32 m_capacity = 0;
  char m_auto_download = 0;
  EngUInt32 m_cache_minutes = 0;
  EngInt32 m_num_scores = 0;
  ScoresScore *m_scores = nullptr;
  double m_next_check_time = 0;
  char m_updating = 0;
  char *m_reply = nullptr;
  EngUInt32 m_bytes_received = 0;
  char *m_cache_path = nullptr;
  // The cache path holds no regular file: told once, then read as a missing cache.
  char m_cache_refused = 0;
  EngInt32 m_start_pos = 1;
  EngInt32 m_end_pos = 0;
  char *m_url = nullptr;
  EngInternetThread *m_slots[SCORES_MAIN_SLOTS] = {};
  int m_slot = 0;
  // A server message, copied out of the reply before the reply is freed.
  std::string m_message;
};

// A self-test of a download (program 99); nothing in the game calls it.
char ScoresMainDoInternetTest(char *error_text, int size);
