// Local dates and times: today and now from the C library's calendar (replaceable for
// tests), Gregorian day and hour arithmetic, comparisons, and fixed English formatting
// into one shared static buffer that the next call overwrites.
#pragma once

#include <ctime>

#include "Engine/EngTypes.h"

struct _EngMiscDate {
  EngUInt32 year;
  char month;  // 1..12
  char day;    // 1..31
};

struct _EngMiscTime {
  EngInt32 hour;  // 0..23
  char minute;
  char second;
};

struct _EngMiscDateAndTime {
  _EngMiscDate date;
  _EngMiscTime time;
};

static_assert(sizeof(_EngMiscDateAndTime) == 16, "the date and time record is 16 bytes");

void EngMiscGetTodaysDate(_EngMiscDate *date);
void EngMiscGetCurrentTime(_EngMiscTime *time);
void EngMiscGetCurrentTime(int *hour, int *minute, int *second);
void EngMiscGetCurrentDateAndTime(_EngMiscDateAndTime *date_and_time);
int EngMiscGetCurrentYear();
int EngMiscGetCurrentMonth();
int EngMiscGetCurrentMonthDay();
int EngMiscGetTodaysDayOfYear();

int EngMiscGetNumberOfDaysInMonth(char month, unsigned int year);
int EngMiscGetNumberOfDaysInMonth(const _EngMiscDate *date);
int EngMiscGetNumberOfDaysInThisMonth();
int EngMiscGetDayOfYearForDate(const _EngMiscDate *date);
int EngMiscGetWeekNumberForDateOld(const _EngMiscDate *date, char loud);

void EngMiscGetPreviousDay(_EngMiscDate *date);
void EngMiscGetNextDay(_EngMiscDate *date);
void EngMiscGetPreviousHour(_EngMiscDateAndTime *date_and_time);
void EngMiscGetNextHour(_EngMiscDateAndTime *date_and_time);

char EngMiscDateAreDatesTheSame(_EngMiscDate a, _EngMiscDate b);
char EngMiscDateIsDateEarlierThanDate(_EngMiscDate a, _EngMiscDate b);
char EngMiscDateIsDateLaterThanDate(_EngMiscDate a, _EngMiscDate b);
// An ordering key: every year counts 366 days, so differences are not elapsed minutes.
unsigned int EngMiscGetMinutesFromDateAndTime(const _EngMiscDateAndTime *date_and_time);
// Days since 1 January of year 0 in the Gregorian calendar: the difference of two dates'
// values is the number of days between them.
unsigned int EngMiscGetDaysFromDate(const _EngMiscDate *date);
void EngMiscCopyDate(_EngMiscDate *to, _EngMiscDate from);
char EngMiscSetDateAndTimeStructFromString(const char *text, _EngMiscDateAndTime *date_and_time);
char EngMiscIsDateValid(const _EngMiscDate *date, char report);

const char *EngMiscGetMonthString(char month);
const char *EngMiscGetMonthShortString(char month);
const char *EngMiscGetCurrentDateAndTimeAsString(char seconds);
const char *EngMiscGetCurrentDateAsString();
const char *EngMiscGetCurrentTimeAsString(char seconds);
const char *EngMiscGetDateAsString(const _EngMiscDate *date);
void EngMiscGetTimeStringFromSeconds(unsigned int seconds, char with_seconds, char *buffer, int size);

// Test seams: where "now" comes from (null restores time()), converted to local time with
// localtime_r; the reset also clears the shared text buffer.
void EngMiscSetClockForTests(time_t (*now)());
void EngMiscDateResetForTests();
