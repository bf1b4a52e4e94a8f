#include "Engine/EngMiscDate.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

time_t g_now = 0;
time_t FixedClock() { return g_now; }

time_t Utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  struct tm t = {};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return timegm(&t);
}

_EngMiscDate Date(unsigned year, int month, int day) { return _EngMiscDate{year, char(month), char(day)}; }

std::string Text(const _EngMiscDate &d) {
  char buffer[32];
  snprintf(buffer, sizeof(buffer), "%u-%d-%d", d.year, int(d.month), int(d.day));
  return buffer;
}

bool Contains(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

// Local time is taken in a fixed zone, so nothing depends on the machine's settings.
class EngMiscDateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char *tz = getenv("TZ");
    m_had_tz = tz != nullptr;
    if (tz) m_old_tz = tz;
    UseZone("UTC0");
    EngMiscDateResetForTests();
    EngMiscSetClockForTests(FixedClock);
  }
  void TearDown() override {
    EngMiscDateResetForTests();
    if (m_had_tz)
      setenv("TZ", m_old_tz.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  static void UseZone(const char *zone) {
    setenv("TZ", zone, 1);
    tzset();
  }
  void StartLog() { testing::internal::CaptureStderr(); }
  std::string EndLog() { return testing::internal::GetCapturedStderr(); }

 private:
  bool m_had_tz = false;
  std::string m_old_tz;
};

TEST_F(EngMiscDateTest, NowComesFromTheClockInLocalTime) {
  g_now = Utc(2024, 2, 29, 13, 5, 9);
  _EngMiscDateAndTime now;
  EngMiscGetCurrentDateAndTime(&now);
  EXPECT_EQ(Text(now.date), "2024-2-29");
  EXPECT_EQ(now.time.hour, 13);
  EXPECT_EQ(now.time.minute, 5);
  EXPECT_EQ(now.time.second, 9);
  int h = -1, m = -1;
  EngMiscGetCurrentTime(&h, &m, nullptr);
  EXPECT_EQ(h, 13);
  EXPECT_EQ(m, 5);
  _EngMiscTime t;
  EngMiscGetCurrentTime(&t);
  EXPECT_EQ(t.second, 9);
  EXPECT_EQ(EngMiscGetCurrentYear(), 2024);
  EXPECT_EQ(EngMiscGetCurrentMonth(), 2);
  EXPECT_EQ(EngMiscGetCurrentMonthDay(), 29);
  EXPECT_EQ(EngMiscGetTodaysDayOfYear(), 60);
  EXPECT_EQ(EngMiscGetNumberOfDaysInThisMonth(), 29);
  EngMiscGetTodaysDate(nullptr);

  EXPECT_STREQ(EngMiscGetCurrentDateAndTimeAsString(1), "29/2/2024 13:05:09");
  EXPECT_STREQ(EngMiscGetCurrentDateAndTimeAsString(0), "29/2/2024 13:05");
  EXPECT_STREQ(EngMiscGetCurrentDateAsString(), "29/2/2024");
  EXPECT_STREQ(EngMiscGetCurrentTimeAsString(1), "13:05:09");
  const char *shared = EngMiscGetCurrentTimeAsString(0);
  EXPECT_STREQ(shared, "13:05");
  _EngMiscDate d = Date(1999, 12, 31);
  EXPECT_STREQ(EngMiscGetDateAsString(&d), "31/12/1999");
  EXPECT_STREQ(shared, "31/12/1999");  // one shared buffer

  // Three in the morning UTC is still the evening before five hours west.
  UseZone("EST5");
  g_now = Utc(2024, 3, 1, 3, 0, 0);
  _EngMiscDate today;
  EngMiscGetTodaysDate(&today);
  EXPECT_EQ(Text(today), "2024-2-29");
  EXPECT_STREQ(EngMiscGetCurrentTimeAsString(1), "22:00:00");
}

TEST_F(EngMiscDateTest, MonthLengthsFollowTheGregorianRule) {
  struct Case {
    int month;
    unsigned year;
    int days;
  };
  const Case cases[] = {{2, 1900, 28}, {2, 2000, 29}, {2, 2023, 28}, {2, 2024, 29}, {2, 2100, 28},
                        {1, 2023, 31}, {4, 2023, 30}, {6, 2023, 30}, {9, 2023, 30}, {11, 2023, 30},
                        {12, 2023, 31}, {7, 2023, 31}, {8, 2023, 31}};
  for (const Case &c : cases) {
    EXPECT_EQ(EngMiscGetNumberOfDaysInMonth(char(c.month), c.year), c.days) << c.month << "/" << c.year;
    _EngMiscDate d = Date(c.year, c.month, 1);
    EXPECT_EQ(EngMiscGetNumberOfDaysInMonth(&d), c.days);
  }
  StartLog();
  EXPECT_EQ(EngMiscGetNumberOfDaysInMonth(char(13), 2000), 0);
  EXPECT_EQ(EngMiscGetNumberOfDaysInMonth(char(0), 2000), 0);
  EXPECT_TRUE(Contains(EndLog(), "Invalid month 13"));
  EXPECT_EQ(EngMiscGetNumberOfDaysInMonth(nullptr), 0);
}

TEST_F(EngMiscDateTest, DayOfYearAndOldWeekNumbers) {
  struct Case {
    unsigned year;
    int month, day, day_of_year, week;
  };
  const Case cases[] = {{2023, 1, 1, 1, 1},     {2023, 1, 7, 7, 2},      {2000, 3, 1, 61, 9},
                        {1900, 3, 1, 60, 9},    {2024, 12, 29, 364, 52}, {2024, 12, 31, 366, 52},
                        {2023, 12, 31, 365, 52}, {2023, 12, 29, 363, 52}};
  for (const Case &c : cases) {
    _EngMiscDate d = Date(c.year, c.month, c.day);
    EXPECT_EQ(EngMiscGetDayOfYearForDate(&d), c.day_of_year) << Text(d);
    StartLog();
    EXPECT_EQ(EngMiscGetWeekNumberForDateOld(&d, 0), c.week) << Text(d);
    EXPECT_TRUE(Contains(EndLog(), "Not ISO 8601"));
  }
  StartLog();
  _EngMiscDate bad = Date(2000, 14, 1);
  EXPECT_EQ(EngMiscGetDayOfYearForDate(&bad), 0);
  EXPECT_EQ(EngMiscGetDayOfYearForDate(nullptr), 0);
  EXPECT_EQ(EngMiscGetWeekNumberForDateOld(nullptr, 1), 0);
  std::string log = EndLog();
  EXPECT_TRUE(Contains(log, "Invalid month 14."));
  EXPECT_TRUE(Contains(log, "No date."));
}

TEST_F(EngMiscDateTest, StepsAcrossMonthsYearsAndLeapDays) {
  struct Case {
    _EngMiscDate from;
    const char *previous;
    const char *next;
  };
  const Case cases[] = {
      {Date(1900, 3, 1), "1900-2-28", "1900-3-2"},   {Date(1900, 2, 28), "1900-2-27", "1900-3-1"},
      {Date(2000, 3, 1), "2000-2-29", "2000-3-2"},   {Date(2000, 2, 28), "2000-2-27", "2000-2-29"},
      {Date(2024, 3, 1), "2024-2-29", "2024-3-2"},   {Date(2023, 3, 1), "2023-2-28", "2023-3-2"},
      {Date(2024, 1, 1), "2023-12-31", "2024-1-2"},  {Date(2023, 12, 31), "2023-12-30", "2024-1-1"},
      {Date(2023, 5, 1), "2023-4-30", "2023-5-2"},   {Date(2023, 8, 1), "2023-7-31", "2023-8-2"},
      {Date(2023, 4, 30), "2023-4-29", "2023-5-1"},  {Date(2100, 2, 28), "2100-2-27", "2100-3-1"},
  };
  for (const Case &c : cases) {
    _EngMiscDate d = c.from;
    EngMiscGetPreviousDay(&d);
    EXPECT_EQ(Text(d), c.previous) << Text(c.from);
    d = c.from;
    EngMiscGetNextDay(&d);
    EXPECT_EQ(Text(d), c.next) << Text(c.from);
  }
  StartLog();
  _EngMiscDate bad = Date(2024, 13, 1);
  EngMiscGetPreviousDay(&bad);
  EngMiscGetNextDay(&bad);
  EXPECT_TRUE(Contains(EndLog(), "Invalid date 2024:13:01"));
  EXPECT_EQ(Text(bad), "2024-13-1");
  EngMiscGetPreviousDay(nullptr);
}

TEST_F(EngMiscDateTest, DayCountsMatchTheCalendar) {
  // Walk day by day over two centuries, checking against the C library's own calendar.
  _EngMiscDate d = Date(1899, 12, 25);
  time_t t = Utc(1899, 12, 25);
  unsigned start = EngMiscGetDaysFromDate(&d);
  for (int step = 1; step <= 73500; step++) {
    EngMiscGetNextDay(&d);
    t += 86400;
    struct tm expected;
    gmtime_r(&t, &expected);
    ASSERT_EQ(Text(d), Text(Date(unsigned(expected.tm_year + 1900), expected.tm_mon + 1, expected.tm_mday)));
    ASSERT_EQ(EngMiscGetDaysFromDate(&d) - start, unsigned(step)) << Text(d);
    ASSERT_EQ(EngMiscGetDayOfYearForDate(&d), expected.tm_yday + 1) << Text(d);
  }
  for (int step = 0; step < 73500; step++) EngMiscGetPreviousDay(&d);
  EXPECT_EQ(Text(d), "1899-12-25");

  _EngMiscDate a = Date(2000, 1, 1), b = Date(2024, 2, 29);
  EXPECT_EQ(EngMiscGetDaysFromDate(&b) - EngMiscGetDaysFromDate(&a), unsigned((Utc(2024, 2, 29) - Utc(2000, 1, 1)) / 86400));
  StartLog();
  EXPECT_EQ(EngMiscGetDaysFromDate(nullptr), 0u);
  EXPECT_FALSE(EndLog().empty());
}

TEST_F(EngMiscDateTest, HoursAndOrderingKeys) {
  _EngMiscDateAndTime dt = {Date(2024, 3, 1), {0, 30, 15}};
  EngMiscGetPreviousHour(&dt);
  EXPECT_EQ(Text(dt.date), "2024-2-29");
  EXPECT_EQ(dt.time.hour, 23);
  EXPECT_EQ(dt.time.minute, 30);
  EngMiscGetNextHour(&dt);
  EXPECT_EQ(Text(dt.date), "2024-3-1");
  EXPECT_EQ(dt.time.hour, 0);
  dt.time.hour = 5;
  EngMiscGetPreviousHour(&dt);
  EXPECT_EQ(dt.time.hour, 4);
  EngMiscGetNextHour(&dt);
  EXPECT_EQ(dt.time.hour, 5);

  _EngMiscDateAndTime key = {Date(2024, 1, 1), {2, 3, 0}};
  EXPECT_EQ(EngMiscGetMinutesFromDateAndTime(&key), 2024U * 527040U + 1440U + 123U);
  // Later moments have larger keys, across day, month and year ends.
  _EngMiscDateAndTime walk = {Date(2023, 12, 30), {20, 0, 0}};
  unsigned previous = EngMiscGetMinutesFromDateAndTime(&walk);
  for (int i = 0; i < 24 * 70; i++) {
    EngMiscGetNextHour(&walk);
    unsigned k = EngMiscGetMinutesFromDateAndTime(&walk);
    ASSERT_GT(k, previous);
    previous = k;
  }
  StartLog();
  EXPECT_EQ(EngMiscGetMinutesFromDateAndTime(nullptr), 0u);
  EndLog();
}

TEST_F(EngMiscDateTest, Comparisons) {
  struct Case {
    _EngMiscDate a, b;
    int order;
  };
  const Case cases[] = {{Date(2024, 5, 6), Date(2024, 5, 6), 0}, {Date(2023, 12, 31), Date(2024, 1, 1), -1},
                        {Date(2024, 2, 1), Date(2024, 1, 31), 1}, {Date(2024, 1, 2), Date(2024, 1, 3), -1}};
  for (const Case &c : cases) {
    EXPECT_EQ(EngMiscDateAreDatesTheSame(c.a, c.b), c.order == 0);
    EXPECT_EQ(EngMiscDateIsDateEarlierThanDate(c.a, c.b), c.order < 0);
    EXPECT_EQ(EngMiscDateIsDateLaterThanDate(c.a, c.b), c.order > 0);
    EXPECT_EQ(EngMiscDateIsDateLaterThanDate(c.b, c.a), c.order < 0);
  }
  _EngMiscDate to = Date(1, 1, 1);
  EngMiscCopyDate(&to, Date(2020, 6, 7));
  EXPECT_EQ(Text(to), "2020-6-7");
  StartLog();
  EngMiscCopyDate(nullptr, to);
  EXPECT_FALSE(EndLog().empty());
}

TEST_F(EngMiscDateTest, ParsingDatesFromText) {
  struct Case {
    const char *text;
    char ok;
    const char *date;
    int hour, minute, second;
  };
  const Case cases[] = {
      {"2014-05-06", 1, "2014-5-6", 0, 0, 0},
      {"2014-05-06 07:08:09", 1, "2014-5-6", 7, 8, 9},
      {"2014-05-06 07:08", 1, "2014-5-6", 7, 8, 0},
      {"2024-02-29 23:59:59", 1, "2024-2-29", 23, 59, 59},
      {"1900-1-1", 1, "1900-1-1", 0, 0, 0},
      {"1899-12-31", 0, "", 0, 0, 0},
      {"2014-13-01", 0, "", 0, 0, 0},
      {"2014-00-01", 0, "", 0, 0, 0},
      {"2014-02-30", 0, "", 0, 0, 0},
      {"2023-02-29", 0, "", 0, 0, 0},
      {"2014-05-32", 0, "", 0, 0, 0},
      {"2014-05-06 24:00:00", 0, "", 0, 0, 0},
      {"2014-05-06 07:60:00", 0, "", 0, 0, 0},
      {"2014-05-06 07:08:99999999999999", 0, "", 0, 0, 0},
      {"2014", 0, "", 0, 0, 0},
      {"2014/05/06", 0, "", 0, 0, 0},
      {"garbage", 0, "", 0, 0, 0},
      {"-2014-05-06", 0, "", 0, 0, 0},
      {"4294967296-01-01", 1, "2147483647-1-1", 0, 0, 0},
  };
  for (const Case &c : cases) {
    _EngMiscDateAndTime dt = {Date(1, 1, 1), {1, 1, 1}};
    StartLog();
    EXPECT_EQ(EngMiscSetDateAndTimeStructFromString(c.text, &dt), c.ok) << c.text;
    std::string log = EndLog();
    if (c.ok) {
      EXPECT_EQ(Text(dt.date), c.date) << c.text;
      EXPECT_EQ(dt.time.hour, c.hour) << c.text;
      EXPECT_EQ(dt.time.minute, c.minute) << c.text;
      EXPECT_EQ(dt.time.second, c.second) << c.text;
    } else {
      EXPECT_TRUE(Contains(log, std::string("Invalid date in string: ") + c.text + ".")) << log;
      EXPECT_EQ(Text(dt.date), "1-1-1") << "a refused text leaves the record alone";
    }
  }
  _EngMiscDateAndTime dt;
  StartLog();
  EXPECT_EQ(EngMiscSetDateAndTimeStructFromString(nullptr, &dt), 0);
  EXPECT_EQ(EngMiscSetDateAndTimeStructFromString("", &dt), 0);
  EXPECT_EQ(EngMiscSetDateAndTimeStructFromString("2014-05-06", nullptr), 0);
  EndLog();
}

TEST_F(EngMiscDateTest, Validity) {
  struct Case {
    _EngMiscDate date;
    char valid;
    const char *message;
  };
  const Case cases[] = {{Date(2024, 2, 29), 1, ""},
                        {Date(1900, 2, 29), 0, "Invalid day 29 (28)."},
                        {Date(1899, 5, 5), 0, "Invalid year 1899."},
                        {Date(2000, 0, 5), 0, "Invalid month 0."},
                        {Date(2000, 4, 31), 0, "Invalid day 31 (30)."},
                        {Date(2000, 4, 0), 0, "Invalid day 0 (30)."}};
  for (const Case &c : cases) {
    StartLog();
    EXPECT_EQ(EngMiscIsDateValid(&c.date, 1), c.valid) << Text(c.date);
    std::string log = EndLog();
    EXPECT_TRUE(Contains(log, c.message)) << log;
    StartLog();
    EXPECT_EQ(EngMiscIsDateValid(&c.date, 0), c.valid);
    EXPECT_EQ(EndLog(), "");
  }
  EXPECT_EQ(EngMiscIsDateValid(nullptr, 0), 0);
}

TEST_F(EngMiscDateTest, NamesAndFormatting) {
  EXPECT_STREQ(EngMiscGetMonthString(1), "January");
  EXPECT_STREQ(EngMiscGetMonthString(9), "September");
  EXPECT_STREQ(EngMiscGetMonthString(12), "December");
  EXPECT_STREQ(EngMiscGetMonthString(13), "?");
  EXPECT_STREQ(EngMiscGetMonthShortString(5), "May");
  EXPECT_STREQ(EngMiscGetMonthShortString(12), "Dec");
  EXPECT_STREQ(EngMiscGetMonthShortString(0), "?");
  EXPECT_STREQ(EngMiscGetMonthShortString(-3), "?");

  _EngMiscDate d = Date(987, 1, 2);
  EXPECT_STREQ(EngMiscGetDateAsString(&d), "2/1/0987");
  StartLog();
  EXPECT_STREQ(EngMiscGetDateAsString(nullptr), "00/00/00");
  EndLog();

  struct Case {
    unsigned seconds;
    char with_seconds;
    int size;
    const char *text;
  };
  const Case cases[] = {{3725, 1, 32, "1:02:05"}, {3725, 0, 32, "1:02"},   {59, 1, 32, "0:00:59"},
                        {360000, 0, 32, "100:00"}, {3725, 1, 4, "1:0"},     {4294967295U, 1, 32, "1193046:28:15"}};
  for (const Case &c : cases) {
    char buffer[32];
    memset(buffer, '#', sizeof(buffer));
    EngMiscGetTimeStringFromSeconds(c.seconds, c.with_seconds, buffer, c.size);
    EXPECT_STREQ(buffer, c.text);
    if (c.size < 32) {
      EXPECT_EQ(buffer[c.size], '#');
    }
  }
  char tiny[1] = {'#'};
  StartLog();
  EngMiscGetTimeStringFromSeconds(10, 1, tiny, 1);
  EngMiscGetTimeStringFromSeconds(10, 1, nullptr, 10);
  EXPECT_TRUE(Contains(EndLog(), "No out_string."));
  EXPECT_EQ(tiny[0], '#');
}

}  // namespace
