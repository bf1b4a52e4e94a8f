// The score module's free functions: day and week numbers, date ranges, record validity.
#include "online/ScoresMain.h"

#include <gtest/gtest.h>

#include <cstring>

#include "Engine/EngDebug.h"
#include "online/Scores.h"
#include "tests/online/ScoresTestSupport.h"

namespace {

_EngMiscDate Date(int year, int month, int day) {
  _EngMiscDate d;
  memset(&d, 0, sizeof(d));
  d.year = EngUInt32(year);
  d.month = char(month);
  d.day = char(day);
  return d;
}

TEST(ScoresMainTest, DayAndWeekNumbers) {
  struct Case {
    int year, month, day, day_num, week;
  } cases[] = {
      {2026, 1, 1, 1, 1},     {2026, 1, 6, 6, 1},      {2026, 1, 7, 7, 2},      {2026, 12, 30, 364, 52},
      {2026, 12, 31, 365, 52}, {2024, 12, 31, 366, 52}, {2024, 12, 29, 364, 52}, {2024, 12, 28, 363, 52},
      {2023, 3, 1, 60, 9},    {2024, 3, 1, 61, 9},     {2024, 2, 29, 60, 9},    {2100, 3, 1, 60, 9},
      {2000, 3, 1, 61, 9},    {2026, 12, 29, 363, 52},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day));
    const _EngMiscDate d = Date(c.year, c.month, c.day);
    EXPECT_EQ(ScoresMainGetDatesYearDayNum(&d), c.day_num);
    EXPECT_EQ(ScoresMainGetDatesWeekNumber(&d), c.week);
  }
  DebugResetForTests();
  const _EngMiscDate bad = Date(2026, 13, 1);
  EXPECT_EQ(ScoresMainGetDatesYearDayNum(&bad), 0);
  EXPECT_EQ(ScoresMainGetDatesYearDayNum(nullptr), 0);
  EXPECT_EQ(ScoresMainGetDatesWeekNumber(nullptr), 0);
}

TEST(ScoresMainTest, RangesRelativeToToday) {
  const _EngMiscDate today = Date(2026, 3, 20);  // day 79, week 12
  struct Case {
    _EngMiscDate date;
    char year, month, week, day;
  } cases[] = {
      {Date(2026, 3, 20), 1, 1, 1, 1}, {Date(2026, 3, 18), 1, 1, 1, 0}, {Date(2026, 3, 15), 1, 1, 0, 0}, {Date(2026, 3, 10), 1, 1, 0, 0},
      {Date(2026, 1, 20), 1, 0, 0, 0}, {Date(2025, 3, 20), 0, 0, 0, 0}, {Date(2027, 3, 20), 0, 0, 0, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(int(c.date.day) + 100 * int(c.date.month));
    char day = 9, week = 9, month = 9, year = 9;
    EXPECT_EQ(ScoresMainGetRangesFromDate(&c.date, &today, &day, &week, &month, &year), 1);
    EXPECT_EQ(year, c.year);
    EXPECT_EQ(month, c.month);
    EXPECT_EQ(week, c.week);
    EXPECT_EQ(day, c.day);
    EXPECT_EQ(ScoresMainIsDateInRange(&c.date, &today, SCORES_RANGE_ALL_TIME), 1);
    EXPECT_EQ(ScoresMainIsDateInRange(&c.date, &today, SCORES_RANGE_YEAR), c.year);
    EXPECT_EQ(ScoresMainIsDateInRange(&c.date, &today, SCORES_RANGE_MONTH), c.month);
    EXPECT_EQ(ScoresMainIsDateInRange(&c.date, &today, SCORES_RANGE_WEEK), c.week);
    EXPECT_EQ(ScoresMainIsDateInRange(&c.date, &today, SCORES_RANGE_DAY), c.day);
  }
  DebugResetForTests();
  const _EngMiscDate old = Date(1900, 3, 20);
  char year = 9;
  EXPECT_EQ(ScoresMainGetRangesFromDate(&old, &today, nullptr, nullptr, nullptr, &year), 0);
  EXPECT_EQ(year, 0);
  EXPECT_EQ(ScoresMainIsDateInRange(&old, &today, SCORES_RANGE_YEAR), 0);
  EXPECT_EQ(ScoresMainIsDateInRange(&today, &today, ScoresRange(5)), 0);
  EXPECT_NE(std::string(DebugGetMessage(DebugGetNumMessages() - 1)->text).find("Unknown range 5"), std::string::npos);
}

TEST(ScoresMainTest, ValidScores) {
  const ScoresScore good = qwtest::MakeScore(10, 1, 2026, 3, 5, 7, "Ann", "IE");
  struct Case {
    const char *what;
    void (*change)(ScoresScore *);
    char check_platform, valid;
  } cases[] = {
      {"good", [](ScoresScore *) {}, 0, 1},
      {"score 0", [](ScoresScore *s) { s->score = 0; }, 0, 0},
      {"level -1", [](ScoresScore *s) { s->level = -1; }, 0, 0},
      {"level 0", [](ScoresScore *s) { s->level = 0; }, 0, 1},
      {"no name", [](ScoresScore *s) { s->name[0] = 0; }, 0, 0},
      {"id 0", [](ScoresScore *s) { s->user_id = 0; }, 0, 0},
      {"small 10", [](ScoresScore *s) { s->small[2] = 10; }, 0, 0},
      {"small -1", [](ScoresScore *s) { s->small[3] = -1; }, 0, 0},
      {"small 9", [](ScoresScore *s) { s->small[0] = 9; }, 0, 1},
      {"30 February", [](ScoresScore *s) { s->date.month = 2, s->date.day = 30; }, 0, 0},
      {"year 1899", [](ScoresScore *s) { s->date.year = 1899; }, 0, 0},
      {"no platform", [](ScoresScore *) {}, 1, 0},
      {"Linux", [](ScoresScore *s) { s->platform = 'L'; }, 1, 1},
      {"32-character name", [](ScoresScore *s) { memset(s->name, 'x', sizeof(s->name)); }, 0, 1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    ScoresScore s = good;
    c.change(&s);
    EXPECT_EQ(ScoresMainIsScoreValid(&s, c.check_platform), c.valid);
  }
  EXPECT_EQ(ScoresMainIsScoreValid(nullptr, 0), 0);
}

}  // namespace
