// The weekly version check's date rule, with today's date injected.
#include "online/Updater.h"

#include <gtest/gtest.h>

#include <ctime>

#include "Engine/EngMiscDate.h"

namespace {

time_t today_time = 0;
time_t Today() { return today_time; }

// Noon local time, so the injected clock names the same day in any time zone.
void SetToday(int year, int month, int day) {
  struct tm t = {};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = 12;
  t.tm_isdst = -1;
  today_time = mktime(&t);
  EngMiscSetClockForTests(Today);
}

class UpdaterTest : public ::testing::Test {
 protected:
  void TearDown() override { EngMiscDateResetForTests(); }
};

TEST_F(UpdaterTest, TheCheckIsDueAWeekAfterTheLastOne) {
  struct Case {
    const char *name;
    _EngMiscDate today, stored;
    bool due;
  } cases[] = {
      {"six days", {2024, 5, 20}, {2024, 5, 14}, false},
      {"seven days", {2024, 5, 20}, {2024, 5, 13}, true},
      {"a year", {2024, 5, 20}, {2023, 5, 20}, true},
      {"never", {2024, 5, 20}, {0, 0, 0}, true},
      {"today", {2024, 5, 20}, {2024, 5, 20}, false},
      {"in the future", {2024, 5, 20}, {2030, 1, 1}, false},
      {"over a leap day, seven", {2024, 3, 3}, {2024, 2, 25}, true},
      {"over a leap day, six", {2024, 3, 3}, {2024, 2, 26}, false},
      {"over the new year, seven", {2025, 1, 3}, {2024, 12, 27}, true},
      {"over the new year, six", {2025, 1, 3}, {2024, 12, 28}, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    SetToday(int(c.today.year), c.today.month, c.today.day);
    _EngMiscDate date = c.stored;
    // The check itself finds nothing to fetch, so start-up goes on either way.
    EXPECT_EQ(UpdaterDoWeeklyVersionCheck(&date, UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
    const _EngMiscDate &want = c.due ? c.today : c.stored;
    EXPECT_EQ(date.year, want.year);
    EXPECT_EQ(date.month, want.month);
    EXPECT_EQ(date.day, want.day);
  }
  EXPECT_EQ(UpdaterDoWeeklyVersionCheck(nullptr, UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
}

}  // namespace
