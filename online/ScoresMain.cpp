#include "online/ScoresMain.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <thread>

#include "Engine/EngByteCursor.h"
#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/EngPrefFolder.h"
#include "game/Platform.h"
#include "online/EngInternet.h"
#include "online/EngInternetThread.h"
#include "online/OnlineConfig.h"
#include "online/Scores.h"
#include "players/Country.h"

char ScoresMainIsScoreValid(const ScoresScore *score, char check_platform) {
  if (!score) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (score->score < 1 || score->level < 0 || score->name[0] == 0 || score->user_id == 0) {
    DebugErrorAlt(ENG_FUNC, "IE_IS [%d %d %s %d]", int(score->score), int(score->level),
                  DebugOutsideText(score->name, strnlen(score->name, sizeof(score->name))).c_str(),
                  int(score->user_id));
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

// ---- Reply lines and cache records ----

static bool KnownCountry(const char *code) {
  char two[3] = {code[0], code[0] ? code[1] : char(0), 0};
  return two[0] != 0 && CountryGetCountryNumFromCode(two, 1) >= 0;
}

char ScoresMainIsWorldRecordAcceptable(const ScoresScore *s) {
  if (!s) return 0;
  const size_t name = strnlen(s->name, sizeof(s->name));
  const size_t text = strnlen(s->text, sizeof(s->text));
  const size_t country = strnlen(s->country, sizeof(s->country));
  if (s->score < 0 || s->user_id < 1 || name < 1 || name >= sizeof(s->name) || text < 1 || text >= sizeof(s->text))
    return 0;
  if (country < 1 || !KnownCountry(s->country)) return 0;
  if (s->date.year < 2000 || s->date.month < 1 || s->date.month > 12 || s->date.day < 1 || s->date.day > 31) return 0;
  return 1;
}

// A whole decimal field (optional '-' when allowed) into *out; false for anything else.
static bool ParseNumber(const char *text, size_t length, bool allow_minus, long long max, long long *out) {
  size_t i = 0;
  bool minus = false;
  if (allow_minus && i < length && text[i] == '-') {
    minus = true;
    i++;
  }
  if (i == length || length - i > 10) return false;
  long long value = 0;
  for (; i < length; i++) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  if (minus) value = -value;
  if (value > max || value < -max - 1) return false;
  *out = value;
  return true;
}

static bool ParseDigits(const char *text, size_t length, int *out) {
  long long value = 0;
  if (!ParseNumber(text, length, false, 9999, &value)) return false;
  *out = int(value);
  return true;
}

// One line without its newline into a record; false when it is not a valid score line, with
// too_few_fields set when it lacks some of its ten fields.
static bool ParseLine(const char *line, size_t length, ScoresScore *s, bool *too_few_fields) {
  *too_few_fields = false;
  const char *field[10];
  size_t size[10];
  int fields = 0;
  size_t start = 0;
  for (size_t i = 0; i <= length && fields < 10; i++) {
    if (i == length || line[i] == ' ') {
      field[fields] = line + start;
      size[fields] = i - start;
      fields++;
      start = i + 1;
    }
  }
  if (fields < 10) {
    *too_few_fields = true;
    return false;
  }
  if (length > SCORES_MAIN_MAX_LINE || memchr(line, 0, length)) return false;
  long long score = 0, level = 0, v3 = 0, v4 = 0, id = 0;
  if (!ParseNumber(field[0], size[0], true, 0x7fffffff, &score) || score < 0) return false;
  if (!ParseNumber(field[1], size[1], true, 0x7fffffff, &level)) return false;
  if (!ParseNumber(field[2], size[2], false, 0xffffffffLL, &v3)) return false;
  if (!ParseNumber(field[3], size[3], false, 0xffffffffLL, &v4)) return false;
  if (!ParseNumber(field[4], size[4], false, 0xffff, &id) || id < 1) return false;
  if (size[5] < 1 || size[5] > 31 || size[7] < 1 || size[7] > 19 || size[6] < 1 || size[9] < 1) return false;
  char country[3] = {field[6][0], size[6] > 1 ? field[6][1] : char(0), 0};
  if (!KnownCountry(country)) return false;
  if (size[8] != 10) return false;
  int year = 0, month = 0, day = 0;
  if (!ParseDigits(field[8], 4, &year) || !ParseDigits(field[8] + 5, 2, &month) ||
      !ParseDigits(field[8] + 8, 2, &day))
    return false;
  if (year < 2000 || month < 1 || month > 12 || day < 1 || day > 31) return false;
  s->score = EngInt32(score);
  s->level = EngInt32(level);
  s->v3 = EngUInt32(v3);
  s->v4 = EngUInt32(v4);
  s->user_id = EngUInt16(id);
  memset(s->name, 0, sizeof(s->name));
  for (size_t i = 0; i < size[5]; i++) s->name[i] = field[5][i] == '_' ? ' ' : field[5][i];
  memcpy(s->country, country, sizeof(s->country));
  memset(s->text, 0, sizeof(s->text));
  memcpy(s->text, field[7], size[7]);
  s->date.year = EngUInt32(year);
  s->date.month = char(month);
  s->date.day = char(day);
  s->platform = field[9][0];
  return true;
}

// Short lines logged one by one per reply; the rest of them are counted in one line.
static const int kLoggedShortLines = 10;

int ScoresMainParseTable(const char *reply, size_t length, ScoresScore *scores, int capacity, SCORES_FILTER_CB filter) {
  int count = 0, short_lines = 0;
  size_t at = 0;
  while (at < length && count < capacity) {
    const char *line = reply + at;
    if (*line == '*') break;
    const void *end = memchr(line, '\n', length - at);
    if (!end) break;
    const size_t line_length = size_t(static_cast<const char *>(end) - line);
    at += line_length + 1;
    ScoresScore parsed = scores[count];
    bool too_few_fields = false;
    if (!ParseLine(line, line_length, &parsed, &too_few_fields)) {
      // Only a line that is not a score line at all is worth a report; a server's bad values are not.
      if (!too_few_fields || ++short_lines > kLoggedShortLines) continue;
      // The line's first 64 bytes, escaped.
      const size_t shown = line_length < 64 ? line_length : 64;
      DebugErrorAlt(ENG_FUNC, "Invalid line received: <%s>", DebugOutsideText(line, shown, 4 * shown).c_str());
      continue;
    }
    if (filter && !filter(&parsed)) continue;
    scores[count++] = parsed;
  }
  if (short_lines > kLoggedShortLines)
    DebugErrorAlt(ENG_FUNC, "Invalid line received: %d more", short_lines - kLoggedShortLines);
  return count;
}

// Cache header: version, the 16-byte date and time, the count.
static bool StampIsValid(const _EngMiscDateAndTime &t) {
  return t.date.year >= 2000 && t.date.year < 8000 && t.date.month >= 1 && t.date.month <= 12 && t.date.day >= 1 &&
         t.date.day <= 31 && t.time.hour >= 0 && t.time.hour <= 23 && t.time.minute >= 0 && t.time.minute <= 59 &&
         t.time.second >= 0 && t.time.second <= 59;
}

char ScoresMainReadCache(const unsigned char *bytes, size_t size, EngUInt16 game_version, int capacity,
                         EngUInt32 now_minutes, EngUInt32 max_age_minutes, SCORES_FILTER_CB filter,
                         ScoresScore *scores, int *count, EngUInt32 *stamp_minutes) {
  if (!bytes || size < SCORES_MAIN_CACHE_HEADER || !scores || !count || capacity < 0) return 0;
  EngByteReader in(bytes, SCORES_MAIN_CACHE_HEADER);
  if (in.Seek(0).U16() != game_version) return 0;
  _EngMiscDateAndTime stamp;
  memset(&stamp, 0, sizeof(stamp));
  stamp.date.year = in.Seek(2).U32();
  stamp.date.month = char(in.Seek(6).U8());
  stamp.date.day = char(in.Seek(7).U8());
  stamp.time.hour = in.Seek(10).I32();
  stamp.time.minute = char(in.Seek(14).U8());
  stamp.time.second = char(in.Seek(15).U8());
  const EngInt32 stored = in.Seek(18).I32();
  if (!StampIsValid(stamp) || stored < 0 || stored > capacity) return 0;
  if (size != SCORES_MAIN_CACHE_HEADER + size_t(stored) * SCORES_SCORE_SIZE) return 0;
  const EngUInt32 minutes = EngMiscGetMinutesFromDateAndTime(&stamp);
  if (minutes > now_minutes || now_minutes - minutes > max_age_minutes) return 0;
  int kept = 0;
  for (EngInt32 i = 0; i < stored; i++) {
    ScoresScore s;
    ScoresScoreFromBytes(bytes + SCORES_MAIN_CACHE_HEADER + size_t(i) * SCORES_SCORE_SIZE, &s);
    if (!ScoresMainIsWorldRecordAcceptable(&s)) return 0;
    if (filter && !filter(&s)) continue;
    scores[kept++] = s;
  }
  *count = kept;
  if (stamp_minutes) *stamp_minutes = minutes;
  return 1;
}

std::string ScoresMainMakeCache(EngUInt16 game_version, const _EngMiscDateAndTime &stamp, const ScoresScore *scores,
                                int count) {
  std::string out(SCORES_MAIN_CACHE_HEADER + size_t(count) * SCORES_SCORE_SIZE, '\0');
  unsigned char *b = reinterpret_cast<unsigned char *>(&out[0]);
  EngByteWriter header(b, SCORES_MAIN_CACHE_HEADER);
  header.Seek(0).U16(game_version);
  header.Seek(2).U32(stamp.date.year);
  header.Seek(6).U8(EngUInt8(stamp.date.month));
  header.Seek(7).U8(EngUInt8(stamp.date.day));
  header.Seek(10).I32(stamp.time.hour);
  header.Seek(14).U8(EngUInt8(stamp.time.minute));
  header.Seek(15).U8(EngUInt8(stamp.time.second));
  header.Seek(18).I32(count);
  for (int i = 0; i < count; i++)
    ScoresScoreToBytes(&scores[i], b + SCORES_MAIN_CACHE_HEADER + size_t(i) * SCORES_SCORE_SIZE);
  return out;
}

// ---- The table ----

static double EngineNow() { return eng_main_current_time.load(); }

static EngUInt32 NowMinutes() {
  _EngMiscDateAndTime now;
  EngMiscGetCurrentDateAndTime(&now);
  return EngMiscGetMinutesFromDateAndTime(&now);
}

ScoresMain::ScoresMain() { m_url = static_cast<char *>(EngMalloc(SCORES_MAIN_URL_SIZE, "ScoresMain", 1)); }

ScoresMain::~ScoresMain() {
  End();
  for (EngInternetThread *&slot : m_slots) {
    delete slot;
    slot = nullptr;
  }
  if (m_url) EngFree(m_url, 0, "ScoresMain");
  m_url = nullptr;
}

char ScoresMain::Setup(ScoresProgram program, EngUInt16 game_version, EngInt32 capacity, EngUInt32 score_set,
                       ScoresRange range, SCORES_FILTER_CB filter, char auto_download, EngUInt32 cache_minutes) {
  if (capacity <= 0 || program == 0 || game_version == 0 || range < SCORES_RANGE_ALL_TIME ||
      range > SCORES_RANGE_DAY || cache_minutes == 0) {
    End();
    DebugErrorAlt(ENG_FUNC, "Parameter Error");
    return 0;
  }
  if (m_setup) End();
  m_program = program;
  m_game_version = game_version;
  m_capacity = capacity;
  m_score_set = score_set;
  m_range = range;
  m_filter = filter;
  m_auto_download = auto_download;
  m_cache_minutes = cache_minutes;
  m_next_check_time = 0;
  m_updating = 0;
  if (m_reply) EngFree(m_reply, 0, "Setup");
  m_reply = nullptr;
  m_bytes_received = 0;
  m_start_pos = 1;
  m_end_pos = capacity - 1;
  m_num_scores = 0;
  m_scores = static_cast<ScoresScore *>(EngMalloc(size_t(capacity) * sizeof(ScoresScore), "Setup", 1));
  m_cache_path = static_cast<char *>(EngMalloc(SCORES_PATH_SIZE, "Setup", 1));
  if (!m_scores || !m_cache_path) {
    m_setup = 1;
    End();
    return 0;
  }
  if (program == SCORES_MAIN_TEST_PROGRAM) {
    EngSafeStrcpy(m_cache_path, "ScoresMainTest.sco", SCORES_PATH_SIZE);
  } else {
    const char *folder = PrefFolderGetSubFolder("Scores", 1);
    // Range 4 has no letter: its name ends with the set and the underscore.
    const char letter = "AYMW"[range < SCORES_RANGE_DAY ? range : 4];
    snprintf(m_cache_path, SCORES_PATH_SIZE, "%s%sScores_%d_%u_%c.sco", folder ? folder : ".", "/", int(program),
             unsigned(score_set), letter);
  }
  m_setup = 1;
  return 1;
}

void ScoresMain::End() {
  if (m_setup) StopUpdating();
  if (m_cache_path) EngFree(m_cache_path, 0, "End");
  if (m_scores) EngFree(m_scores, 0, "End");
  if (m_reply) EngFree(m_reply, 0, "End");
  m_cache_path = nullptr;
  m_scores = nullptr;
  m_reply = nullptr;
  m_num_scores = 0;
  m_setup = 0;
}

void ScoresMain::StopUpdating() {
  if (!m_setup) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  if (m_reply) EngFree(m_reply, 0, "StopUpdating");
  m_reply = nullptr;
  m_bytes_received = 0;
  CancelReadingOfCurrentThreadAndGoOnToNextThread(nullptr);
  m_updating = 0;
}

void ScoresMain::ClearAllScores() {
  if (!m_setup) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  StopUpdating();
  // Emptied, not freed: a table without its array could never take a download again.
  if (m_scores) memset(m_scores, 0, size_t(m_capacity) * sizeof(ScoresScore));
  m_num_scores = 0;
}

char ScoresMain::IsUpdating() {
  if (!m_setup) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  return m_updating;
}

char ScoresMain::UpdateIfNeeded(char force) {
  if (!m_setup) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (!m_cache_path || !m_scores) return 0;
  if (m_updating) return 1;
  if (force) m_next_check_time = EngineNow() - 0.1;
  if (m_next_check_time == 0) {
    m_next_check_time = EngineNow() + 0.2;
    return 0;
  }
  const double now = EngineNow();
  if (now < m_next_check_time) return 0;
  if (m_program != SCORES_MAIN_TEST_PROGRAM) {
    EngFile file;
    // Told once while it lasts; the next cache written replaces it.
    if (m_cache_refused)
      m_cache_refused = EngFileNameIsTaken(m_cache_path) && !EngFileExists(m_cache_path, 0);
    else
      m_cache_refused = EngFileIsNotRegular(ENG_FUNC, m_cache_path);
    if (!m_cache_refused && file.OpenForReadingIfExists(m_cache_path, 0)) {
      const EngUInt64 size = file.GetSize();
      std::string bytes;
      bool read = false;
      if (size >= SCORES_MAIN_CACHE_HEADER &&
          size <= SCORES_MAIN_CACHE_HEADER + EngUInt64(m_capacity) * SCORES_SCORE_SIZE) {
        bytes.resize(size_t(size));
        read = file.Rewind() && file.Read(&bytes[0], EngUInt32(size), 0);
      }
      file.Close();
      const EngUInt32 now_minutes = NowMinutes();
      EngUInt32 stamp = 0;
      int count = 0;
      // Read into a spare array so a bad file leaves the held table as it was.
      ScoresScore *loaded =
          static_cast<ScoresScore *>(EngMalloc(size_t(m_capacity) * sizeof(ScoresScore), "UpdateIfNeeded", 1));
      if (read && loaded &&
          ScoresMainReadCache(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(), m_game_version,
                              m_capacity, now_minutes, m_cache_minutes, m_filter, loaded, &count, &stamp)) {
        memcpy(m_scores, loaded, size_t(m_capacity) * sizeof(ScoresScore));
        EngFree(loaded, 0, "UpdateIfNeeded");
        m_num_scores = count;
        m_next_check_time = now + (double(stamp) - double(now_minutes) + double(m_cache_minutes)) * 60.0;
        if (now >= m_next_check_time) EngFileDeleteIfExists(m_cache_path, 0);
        return 2;
      }
      if (loaded) EngFree(loaded, 0, "UpdateIfNeeded");
    }
  }
  if (m_auto_download) return Update();
  return 0;
}

char ScoresMain::Update() {
  if (!m_setup || !m_url) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (m_updating) return 1;
  CancelReadingOfCurrentThreadAndGoOnToNextThread(nullptr);
  m_bytes_received = 0;
  if (!m_reply) m_reply = static_cast<char *>(EngMalloc(SCORES_MAIN_REPLY_SIZE, "Update", 1));
  if (!m_reply) return 0;
  snprintf(m_url, SCORES_MAIN_URL_SIZE,
           "%s/cgi-bin/common/scores/Scores.fcgi?zz=%d&gv=%u&pr=%d&st=%d&ra=%d&sp=%d&ep=%d",
           OnlineConfigGetScoreBaseURL(), 1, unsigned(m_game_version), int(m_program), int(m_score_set), int(m_range),
           int(m_start_pos), int(m_end_pos));
  char name[16];
  snprintf(name, sizeof(name), "SCMT%d", m_slot);
  delete m_slots[m_slot];
  m_slots[m_slot] = new EngInternetThread(name, 0);
  if (!m_slots[m_slot]) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    StopUpdating();
    return 0;
  }
  if (!m_slots[m_slot]->StartReading(m_url, SCORES_MAIN_REPLY_SIZE, 15)) {
    DebugErrorAlt(ENG_FUNC, "StartReading() failed");
    StopUpdating();
    return 0;
  }
  m_updating = 1;
  m_next_check_time = EngineNow() + double(m_cache_minutes) * 60.0;
  return 1;
}

void ScoresMain::CancelReadingOfCurrentThreadAndGoOnToNextThread(const char *) {
  EngInternetThread *current = m_slots[m_slot];
  if (!current) return;
  if (!current->IsThreadRunning()) {
    delete current;
    m_slots[m_slot] = nullptr;
    return;
  }
  // The abandoned worker keeps its slot until the rotation comes back to it.
  const int next = (m_slot + 1) % SCORES_MAIN_SLOTS;
  if (m_slots[next]) {
    if (m_slots[next]->IsThreadRunning()) {
      m_slots[next]->CancelReading();
      m_slots[next]->Destroy();
    }
    delete m_slots[next];
    m_slots[next] = nullptr;
  }
  current->CancelReading();
  m_slot = next;
}

int ScoresMain::IsUpdateFinished(EngInternetThreadReadResult *status, const char **message) {
  if (!m_setup) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (!m_scores || !m_updating || !m_slots[m_slot]) return -1;
  EngInternetThreadReadResult dummy_status = 0;
  const char *dummy_message = nullptr;
  if (!status) status = &dummy_status;
  if (!message) message = &dummy_message;
  EngInternetThread *reader = m_slots[m_slot];
  const EngInternetThreadReadResult reading = reader->GetReadingStatus(0);
  if (reading == ENG_INTERNET_THREAD_READING) {
    *status = 1;
    return 0;
  }
  if (reading == 0) {
    StopUpdating();
    *status = 0;
    return -2;
  }
  if (reading != ENG_INTERNET_THREAD_DONE) {
    DebugInfoAlt(ENG_FUNC, "Update failed [%d]", int(reading));
    *status = reading;
    StopUpdating();
    return -1;
  }
  EngUInt32 length = 0;
  char *data = reader->GetDataReadFreeWhenDone(&length);
  if (!data || length == 0 || length >= SCORES_MAIN_REPLY_SIZE || !m_reply) {
    DebugErrorAlt(ENG_FUNC, (data && length >= SCORES_MAIN_REPLY_SIZE) ? "Too much data read." : "Update failed");
    if (data) EngFree(data, 0, "IsUpdateFinished");
    StopUpdating();
    *status = -2;
    return -1;
  }
  memcpy(m_reply, data, length);
  EngFree(data, 0, "IsUpdateFinished");
  m_reply[length] = 0;
  m_bytes_received = length;
  CancelReadingOfCurrentThreadAndGoOnToNextThread(nullptr);
  m_updating = 0;
  m_next_check_time = EngineNow() + double(m_cache_minutes) * 60.0;
  if (length < 3) {
    DebugErrorAlt(ENG_FUNC, "No data received");
    StopUpdating();
    *status = -2;
    return -1;
  }
  const int result = ParseReply(status, message);
  StopUpdating();
  return result;
}

// The reply as text for the log: escaped, on one line, and cut to 64 characters.
static std::string LogCut(const char *reply, size_t length) { return DebugOutsideText(reply, length, 64); }

int ScoresMain::ParseReply(EngInternetThreadReadResult *status, const char **message) {
  const char *reply = m_reply;
  const size_t length = m_bytes_received;
  if (reply[0] == 'Y' && reply[1] == ' ' && reply[2] == '\n') {
    m_num_scores = ScoresMainParseTable(reply + 3, length - 3, m_scores, m_capacity, m_filter);
    WriteCache();
    *status = 2;
    return 1;
  }
  if (reply[0] == ' ' && reply[1] == 'X' && reply[2] == ' ') {
    DebugErrorAlt(ENG_FUNC, "Error received: <%s>", DebugOutsideText(reply, length).c_str());
    *status = -4;
    return -1;
  }
  if (reply[0] == ' ' && reply[1] == 'M' && reply[2] == ' ') {
    DebugInfoAlt(ENG_FUNC, "Main scores message received: <%s>", DebugOutsideText(reply + 3, length - 3).c_str());
    // Copied: the reply goes with StopUpdating, the message stays until the screen shows it.
    m_message.assign(reply + 3, strnlen(reply + 3, length - 3));
    *message = m_message.c_str();
    *status = 2;
    return -1;
  }
  if (reply[0] == ' ' && reply[1] == 'V' && reply[2] == ' ') {
    // What did not parse reads as 0, and so does a number no int holds: wrapped, it could pass
    // for a real version.
    long long values[3] = {0, 0, 0};
    EngInternetScanReplyNumbers(reply + 3, length - 3, INT_MIN, INT_MAX, values, 3);
    const int a = int(values[0]), b = int(values[1]), c = int(values[2]);
    if (a == int(m_game_version) && a < b) {
      *status = -5;
      return -1;
    }
    DebugErrorAlt(ENG_FUNC, "Version problem: <%s>  <%d,%d> <%d> <%d>", LogCut(reply, length).c_str(), a,
                  int(m_game_version), b, c);
    *status = -4;
    return -1;
  }
  DebugErrorAlt(ENG_FUNC, "Invalid data received: <%s>", LogCut(reply, length).c_str());
  *status = -4;
  return -1;
}

void ScoresMain::WriteCache() {
  if (m_program == SCORES_MAIN_TEST_PROGRAM || !m_cache_path) return;
  _EngMiscDateAndTime now;
  EngMiscGetCurrentDateAndTime(&now);
  const std::string bytes = ScoresMainMakeCache(m_game_version, now, m_scores, m_num_scores);
  // Saved atomically; a cache that cannot be written only loses the cache.
  EngFileOpenWriteAndClose(m_cache_path, 0, bytes.data(), euint(bytes.size()));
}

ScoresScore *ScoresMain::GetScoresList(char report) {
  if (!m_setup) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return nullptr;
  }
  if (!m_scores && report) DebugErrorAlt(ENG_FUNC, "No scores");
  return m_scores;
}

ScoresScore *ScoresMain::GetScore(EngInt32 index) {
  if (!m_scores) {
    DebugErrorAlt(ENG_FUNC, "No scores");
    return nullptr;
  }
  if (index < 0 || index >= m_num_scores) {
    DebugErrorAlt(ENG_FUNC, "Bad num %d (%d)", int(index), int(m_num_scores));
    return nullptr;
  }
  return &m_scores[index];
}

void ScoresMain::DeleteScoresFile() {
  if (!m_setup) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  m_next_check_time = 0;
  if (m_cache_path && m_program != SCORES_MAIN_TEST_PROGRAM) EngFileDeleteIfExists(m_cache_path, 0);
}

char ScoresMain::DeleteOnlineScore(ScoresScore *score) {
  if (!m_setup || !m_url) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (!ScoresMainIsScoreValid(score, 0)) return 0;
  char country[4] = {0, 0, 0, 0};
  memcpy(country, score->country, sizeof(score->country));
  char *cc = EngInternetURLEncodeString(country);
  if (!cc) return 0;
  snprintf(m_url, SCORES_MAIN_URL_SIZE,
           "%s/cgi-bin/common/scores/ScoresDelete.cgi?gv=%u&pr=%d&st=%d&uid=%u&v1=%u&v2=%u&v3=%u&v4=%u&cc=%s",
           OnlineConfigGetScoreBaseURL(), unsigned(m_game_version), int(m_program), int(m_score_set),
           unsigned(score->user_id), unsigned(score->score), unsigned(score->level), unsigned(score->v3),
           unsigned(score->v4), cc);
  free(cc);
  EngInternet internet;
  if (!internet.ConnectAndReadURL(m_url, nullptr, 128, 1, 10, 0)) {
    DebugErrorAlt(ENG_FUNC, "StartReading() failed");
    internet.Release();
    return 0;
  }
  const char *data = internet.GetData();
  if (!data || data[0] != 'Y') {
    DebugErrorAlt(ENG_FUNC, "Did not get ok result");
    internet.Release();
    return 0;
  }
  internet.Release();
  ClearAllScores();
  DeleteScoresFile();
  Update();
  return 1;
}

char ScoresMainDoInternetTest(char *error_text, int size) {
  auto fail = [&](const char *text) {
    if (error_text && size > 0) EngSafeStrcpy(error_text, text, size_t(size));
    return char(0);
  };
  ScoresMain table;
  if (!table.Setup(SCORES_MAIN_TEST_PROGRAM, 100, 3, 1, SCORES_RANGE_ALL_TIME, nullptr, 0, 60) || !table.Update()) {
    DebugErrorAlt(ENG_FUNC, "Setup problem");
    return fail("Setup problem (scores main)");
  }
  EngInternetThreadReadResult status = 0;
  const char *message = nullptr;
  int result = 0;
  for (int i = 0; i < 600 && result == 0; i++) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    result = table.IsUpdateFinished(&status, &message);
  }
  if (status == 2 && result == 1) return 1;
  if (message && *message) return fail(message);
  return fail(result == 0 ? "Unknown error (scores main)" : "Update failed (scores main)");
}
