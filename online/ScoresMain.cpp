#include "online/ScoresMain.h"

#include <cstring>
#include <initializer_list>

#include "Engine/EngDebug.h"
#include "game/Platform.h"
#include "online/Scores.h"

char ScoresMainIsScoreValid(const ScoresScore *score, char check_platform) {
  if (!score) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (score->score < 1 || score->level < 0 || score->name[0] == 0 || score->user_id == 0) {
    DebugErrorAlt(ENG_FUNC, "IE_IS [%d %d %.*s %d]", int(score->score), int(score->level),
                  int(strnlen(score->name, sizeof(score->name))), score->name, int(score->user_id));
    return 0;
  }
  const EngUInt8 *small = reinterpret_cast<const EngUInt8 *>(score->small);
  if (small[0] > 9 || small[1] > 9 || small[2] > 9 || small[3] > 9) {
    DebugErrorAlt(ENG_FUNC, "IS_IF [%d %d %d %d]", small[0], small[1], small[2], small[3]);
    return 0;
  }
  if (!EngMiscIsDateValid(&score->date, 1)) return 0;
  if (check_platform && !PlatformIsPlatformValid(score->platform, 1)) return 0;
  return 1;
}

char ScoresMainGetRangesFromDate(const _EngMiscDate *date, const _EngMiscDate *today, char *same_day,
                                 char *same_week, char *same_month, char *same_year) {
  for (char *flag : {same_day, same_week, same_month, same_year})
    if (flag) *flag = 0;
  if (!date || !today || date->year <= 1900 || today->year <= 1900) {
    DebugErrorAlt(ENG_FUNC, "Invalid dates");
    return 0;
  }
  if (date->year != today->year) return 1;
  if (same_year) *same_year = 1;
  if (same_month) *same_month = date->month == today->month;
  if (same_day) *same_day = date->month == today->month && date->day == today->day;
  if (same_week) *same_week = ScoresMainGetDatesWeekNumber(date) == ScoresMainGetDatesWeekNumber(today);
  return 1;
}

int ScoresMainGetDatesYearDayNum(const _EngMiscDate *date) {
  static const int kDaysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  if (!date) {
    DebugErrorAlt(ENG_FUNC, "No date.");
    return 0;
  }
  if (date->month < 1 || date->month > 12) {
    DebugErrorAlt(ENG_FUNC, "Invalid month %d.", int(date->month));
    return 0;
  }
  const EngUInt32 y = date->year;
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return kDaysBefore[date->month - 1] + ((leap && date->month > 2) ? 1 : 0) + date->day;
}

int ScoresMainGetDatesWeekNumber(const _EngMiscDate *date) {
  if (!date) {
    DebugErrorAlt(ENG_FUNC, "No date.");
    return 0;
  }
  const int day = ScoresMainGetDatesYearDayNum(date);
  if (day >= 364) return 52;
  return day / 7 + 1;
}

char ScoresMainIsDateInRange(const _EngMiscDate *date, const _EngMiscDate *today, ScoresRange range) {
  char day = 0, week = 0, month = 0, year = 0;
  switch (range) {
    case SCORES_RANGE_ALL_TIME:
      return 1;
    case SCORES_RANGE_YEAR:
    case SCORES_RANGE_MONTH:
    case SCORES_RANGE_WEEK:
    case SCORES_RANGE_DAY:
      if (!ScoresMainGetRangesFromDate(date, today, &day, &week, &month, &year)) return 0;
      return range == SCORES_RANGE_YEAR ? year : range == SCORES_RANGE_MONTH ? month : range == SCORES_RANGE_WEEK ? week : day;
    default:
      DebugErrorAlt(ENG_FUNC, "Unknown range %d", int(range));
      return 0;
  }
}
