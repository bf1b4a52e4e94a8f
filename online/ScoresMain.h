// The score module's shared free functions: whether a score record may be shown or sent, and
// the date ranges (year, month, week, day) that the local and world tables filter by. The
// world-table object itself is not built here yet.
#pragma once

#include "Engine/EngMiscDate.h"
#include "Engine/EngTypes.h"

struct ScoresScore;

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
