#include "Engine/EngMiscDate.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Engine/EngDebug.h"

enum { ENG_MISC_DATE_STRING_SIZE = 64 };

namespace {

const char *const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
const char *const kMonthShortNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

}  // namespace

static time_t (*eng_misc_clock)() = nullptr;
static char eng_misc_date_string[ENG_MISC_DATE_STRING_SIZE];

// One reading of the clock in local time, so a date and a time read together always
// belong to the same moment.
static void EngMiscGetLocalNow(struct tm *out) {
  time_t now = eng_misc_clock ? eng_misc_clock() : time(nullptr);
  if (!localtime_r(&now, out)) {
    memset(out, 0, sizeof(*out));
    out->tm_mday = 1;
    out->tm_year = 70;
  }
}

static void EngMiscDateFromTm(const struct tm &t, _EngMiscDate *date) {
  date->year = EngUInt32(t.tm_year + 1900);
  date->month = char(t.tm_mon + 1);
  date->day = char(t.tm_mday);
}

static void EngMiscTimeFromTm(const struct tm &t, _EngMiscTime *time) {
  time->hour = t.tm_hour;
  time->minute = char(t.tm_min);
  time->second = char(t.tm_sec);
}

static bool EngMiscIsLeapYear(unsigned int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// The month's length without a report; 0 for a month outside 1..12.
static int EngMiscDaysInMonthQuiet(int month, unsigned int year) {
  if (month < 1 || month > 12) return 0;
  if (month == 2 && EngMiscIsLeapYear(year)) return 29;
  return kDaysInMonth[month - 1];
}

void EngMiscGetTodaysDate(_EngMiscDate *date) {
  if (!date) return;
  struct tm now;
  EngMiscGetLocalNow(&now);
  EngMiscDateFromTm(now, date);
}

void EngMiscGetCurrentTime(_EngMiscTime *time) {
  if (!time) return;
  struct tm now;
  EngMiscGetLocalNow(&now);
  EngMiscTimeFromTm(now, time);
}

void EngMiscGetCurrentTime(int *hour, int *minute, int *second) {
  struct tm now;
  EngMiscGetLocalNow(&now);
  if (hour) *hour = now.tm_hour;
  if (minute) *minute = now.tm_min;
  if (second) *second = now.tm_sec;
}

void EngMiscGetCurrentDateAndTime(_EngMiscDateAndTime *date_and_time) {
  if (!date_and_time) return;
  struct tm now;
  EngMiscGetLocalNow(&now);
  EngMiscDateFromTm(now, &date_and_time->date);
  EngMiscTimeFromTm(now, &date_and_time->time);
}

int EngMiscGetCurrentYear() {
  struct tm now;
  EngMiscGetLocalNow(&now);
  return now.tm_year + 1900;
}

int EngMiscGetCurrentMonth() {
  struct tm now;
  EngMiscGetLocalNow(&now);
  return now.tm_mon + 1;
}

int EngMiscGetCurrentMonthDay() {
  struct tm now;
  EngMiscGetLocalNow(&now);
  return now.tm_mday;
}

int EngMiscGetTodaysDayOfYear() {
  struct tm now;
  EngMiscGetLocalNow(&now);
  return now.tm_yday + 1;
}

int EngMiscGetNumberOfDaysInMonth(char month, unsigned int year) {
  int days = EngMiscDaysInMonthQuiet(month, year);
  if (!days) DebugErrorAlt(ENG_FUNC, "Invalid month %d", int(month));
  return days;
}

int EngMiscGetNumberOfDaysInMonth(const _EngMiscDate *date) {
  if (!date) return 0;
  return EngMiscGetNumberOfDaysInMonth(date->month, date->year);
}

int EngMiscGetNumberOfDaysInThisMonth() {
  _EngMiscDate today;
  EngMiscGetTodaysDate(&today);
  return EngMiscGetNumberOfDaysInMonth(&today);
}

int EngMiscGetDayOfYearForDate(const _EngMiscDate *date) {
  if (!date) {
    DebugErrorAlt(ENG_FUNC, "No date.");
    return 0;
  }
  if (date->month < 1 || date->month > 12) {
    DebugErrorAlt(ENG_FUNC, "Invalid month %d.", int(date->month));
    return 0;
  }
  int day = date->day;
  for (int month = 1; month < date->month; month++) day += EngMiscDaysInMonthQuiet(month, date->year);
  return day;
}

int EngMiscGetWeekNumberForDateOld(const _EngMiscDate *date, char loud) {
  static const char kWarning[] = "Warning: Not ISO 8601 but same as CGI's DatesGetWeekNumberFromYearDay().";
  if (loud)
    DebugErrorAlt(ENG_FUNC, "%s", kWarning);
  else
    DebugNoteAlt(0, ENG_FUNC, "%s", kWarning);
  if (!date) {
    DebugErrorAlt(ENG_FUNC, "No date.");
    return 0;
  }
  int day_of_year = EngMiscGetDayOfYearForDate(date);
  if (day_of_year >= 364) return 52;
  return day_of_year / 7 + 1;
}

static char EngMiscCheckDayStepDate(const char *signature, const _EngMiscDate *date) {
  if (date->month < 1 || date->month > 12 || date->day < 1 || date->day > 31) {
    DebugErrorAlt(signature, "Invalid date %04d:%02d:%02d", int(date->year), int(date->month), int(date->day));
    return 0;
  }
  return 1;
}

void EngMiscGetPreviousDay(_EngMiscDate *date) {
  if (!date || !EngMiscCheckDayStepDate(ENG_FUNC, date)) return;
  if (date->day > 1) {
    date->day--;
    return;
  }
  if (date->month == 1) {
    date->year--;
    date->month = 12;
  } else {
    date->month--;
  }
  date->day = char(EngMiscDaysInMonthQuiet(date->month, date->year));
}

void EngMiscGetNextDay(_EngMiscDate *date) {
  if (!date || !EngMiscCheckDayStepDate(ENG_FUNC, date)) return;
  if (date->day < EngMiscDaysInMonthQuiet(date->month, date->year)) {
    date->day++;
    return;
  }
  date->day = 1;
  if (date->month == 12) {
    date->month = 1;
    date->year++;
  } else {
    date->month++;
  }
}

void EngMiscGetPreviousHour(_EngMiscDateAndTime *date_and_time) {
  if (!date_and_time) return;
  if (date_and_time->time.hour > 0) {
    date_and_time->time.hour--;
    return;
  }
  EngMiscGetPreviousDay(&date_and_time->date);
  date_and_time->time.hour = 23;
}

void EngMiscGetNextHour(_EngMiscDateAndTime *date_and_time) {
  if (!date_and_time) return;
  if (date_and_time->time.hour < 23) {
    date_and_time->time.hour++;
    return;
  }
  EngMiscGetNextDay(&date_and_time->date);
  date_and_time->time.hour = 0;
}

static int EngMiscCompareDates(const _EngMiscDate &a, const _EngMiscDate &b) {
  if (a.year != b.year) return a.year < b.year ? -1 : 1;
  if (a.month != b.month) return a.month < b.month ? -1 : 1;
  if (a.day != b.day) return a.day < b.day ? -1 : 1;
  return 0;
}

char EngMiscDateAreDatesTheSame(_EngMiscDate a, _EngMiscDate b) { return EngMiscCompareDates(a, b) == 0; }

char EngMiscDateIsDateEarlierThanDate(_EngMiscDate a, _EngMiscDate b) { return EngMiscCompareDates(a, b) < 0; }

char EngMiscDateIsDateLaterThanDate(_EngMiscDate a, _EngMiscDate b) { return EngMiscCompareDates(a, b) > 0; }

unsigned int EngMiscGetMinutesFromDateAndTime(const _EngMiscDateAndTime *date_and_time) {
  if (!date_and_time) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  unsigned int day_of_year = (unsigned int)EngMiscGetDayOfYearForDate(&date_and_time->date);
  return date_and_time->date.year * 527040U + day_of_year * 1440U +
         (unsigned int)date_and_time->time.hour * 60U + (unsigned int)date_and_time->time.minute;
}

unsigned int EngMiscGetDaysFromDate(const _EngMiscDate *date) {
  if (!date) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  // Year 0 is a leap year in the proleptic Gregorian calendar; each term counts the
  // leap years before the date's year.
  unsigned long long year = date->year;
  unsigned long long days = 365ULL * year + (year + 3) / 4 - (year + 99) / 100 + (year + 399) / 400;
  days += (unsigned long long)EngMiscGetDayOfYearForDate(date);
  if (days > 0) days--;
  return days > UINT_MAX ? UINT_MAX : (unsigned int)days;
}

void EngMiscCopyDate(_EngMiscDate *to, _EngMiscDate from) {
  if (!to) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  *to = from;
}

// Reads "%d-%d-%d %d:%d:%d" as scanf would, stopping at the first field that is missing,
// but with numbers too large for an int held at INT_MAX or INT_MIN.
static void EngMiscScanDateAndTime(const char *text, int fields[6]) {
  static const char kSeparators[5] = {'-', '-', ' ', ':', ':'};
  const char *p = text;
  for (int i = 0; i < 6; i++) {
    if (i > 0) {
      char separator = kSeparators[i - 1];
      if (separator == ' ') {
        while (isspace((unsigned char)*p)) p++;
      } else if (*p == separator) {
        p++;
      } else {
        return;
      }
    }
    char *end = nullptr;
    errno = 0;
    long value = strtol(p, &end, 10);
    if (end == p) return;
    fields[i] = value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : int(value);
    p = end;
  }
}

char EngMiscSetDateAndTimeStructFromString(const char *text, _EngMiscDateAndTime *date_and_time) {
  if (!text || !*text || !date_and_time) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  int f[6] = {0, 0, 0, 0, 0, 0};
  EngMiscScanDateAndTime(text, f);
  bool ok = f[0] >= 1900 && f[1] >= 1 && f[1] <= 12 && f[2] >= 1 &&
            f[2] <= EngMiscDaysInMonthQuiet(f[1], (unsigned int)f[0]) && f[3] >= 0 && f[3] <= 23 &&
            f[4] >= 0 && f[4] <= 59 && f[5] >= 0 && f[5] <= 59;
  if (!ok) {
    DebugErrorAlt(ENG_FUNC, "Invalid date in string: %s.", text);
    return 0;
  }
  date_and_time->date.year = EngUInt32(f[0]);
  date_and_time->date.month = char(f[1]);
  date_and_time->date.day = char(f[2]);
  date_and_time->time.hour = f[3];
  date_and_time->time.minute = char(f[4]);
  date_and_time->time.second = char(f[5]);
  return 1;
}

char EngMiscIsDateValid(const _EngMiscDate *date, char report) {
  if (!date) {
    if (report) DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (date->year < 1900) {
    if (report) DebugErrorAlt(ENG_FUNC, "Invalid year %d.", int(date->year));
    return 0;
  }
  if (date->month < 1 || date->month > 12) {
    if (report) DebugErrorAlt(ENG_FUNC, "Invalid month %d.", int(date->month));
    return 0;
  }
  int days = EngMiscDaysInMonthQuiet(date->month, date->year);
  if (date->day < 1 || date->day > days) {
    if (report) DebugErrorAlt(ENG_FUNC, "Invalid day %d (%d).", int(date->day), days);
    return 0;
  }
  return 1;
}

const char *EngMiscGetMonthString(char month) {
  if (month < 1 || month > 12) return "?";
  return kMonthNames[month - 1];
}

const char *EngMiscGetMonthShortString(char month) {
  if (month < 1 || month > 12) return "?";
  return kMonthShortNames[month - 1];
}

const char *EngMiscGetCurrentDateAndTimeAsString(char seconds) {
  struct tm now;
  EngMiscGetLocalNow(&now);
  if (seconds)
    snprintf(eng_misc_date_string, sizeof(eng_misc_date_string), "%d/%d/%04d %d:%02d:%02d", now.tm_mday,
             now.tm_mon + 1, now.tm_year + 1900, now.tm_hour, now.tm_min, now.tm_sec);
  else
    snprintf(eng_misc_date_string, sizeof(eng_misc_date_string), "%d/%d/%04d %d:%02d", now.tm_mday,
             now.tm_mon + 1, now.tm_year + 1900, now.tm_hour, now.tm_min);
  return eng_misc_date_string;
}

const char *EngMiscGetCurrentDateAsString() {
  struct tm now;
  EngMiscGetLocalNow(&now);
  snprintf(eng_misc_date_string, sizeof(eng_misc_date_string), "%d/%d/%04d", now.tm_mday, now.tm_mon + 1,
           now.tm_year + 1900);
  return eng_misc_date_string;
}

const char *EngMiscGetCurrentTimeAsString(char seconds) {
  struct tm now;
  EngMiscGetLocalNow(&now);
  if (seconds)
    snprintf(eng_misc_date_string, sizeof(eng_misc_date_string), "%d:%02d:%02d", now.tm_hour, now.tm_min,
             now.tm_sec);
  else
    snprintf(eng_misc_date_string, sizeof(eng_misc_date_string), "%d:%02d", now.tm_hour, now.tm_min);
  return eng_misc_date_string;
}

const char *EngMiscGetDateAsString(const _EngMiscDate *date) {
  if (!date) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return "00/00/00";
  }
  snprintf(eng_misc_date_string, sizeof(eng_misc_date_string), "%d/%d/%04d", int(date->day), int(date->month),
           int(date->year));
  return eng_misc_date_string;
}

void EngMiscGetTimeStringFromSeconds(unsigned int seconds, char with_seconds, char *buffer, int size) {
  if (!buffer || size < 2) {
    DebugErrorAlt(ENG_FUNC, "No out_string.");
    return;
  }
  unsigned int hours = seconds / 3600;
  unsigned int minutes = (seconds % 3600) / 60;
  unsigned int rest = seconds % 60;
  if (with_seconds)
    snprintf(buffer, size_t(size), "%u:%02u:%02u", hours, minutes, rest);
  else
    snprintf(buffer, size_t(size), "%u:%02u", hours, minutes);
}

void EngMiscSetClockForTests(time_t (*now)()) { eng_misc_clock = now; }

void EngMiscDateResetForTests() {
  eng_misc_clock = nullptr;
  memset(eng_misc_date_string, 0, sizeof(eng_misc_date_string));
}
