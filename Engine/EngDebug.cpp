#include "Engine/EngDebug.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/EngMutex.h"
#include "Engine/EngWindow.h"

namespace {

enum {
  DEBUG_FORMAT_SIZE = 512,
  DEBUG_LINE_SIZE = 542,
  DEBUG_FILENAME_SIZE = 256,
  DEBUG_TRUNCATE_FROM = 483,
  DEBUG_TRUNCATE_KEEP = 462,
  DEBUG_PREFIX_SLOT = 20,
  DEBUG_NUM_LEVELS = 7,
  DEBUG_NOTE_TYPE_NOTICE = 3,
};

const char kDebugDefaultLogFilename[] = "ErrorLog.txt";
const float kDebugLockSeconds = 5.0f;

const char kDebugLevelPrefixes[DEBUG_NUM_LEVELS][DEBUG_PREFIX_SLOT] = {
    "<WARNING>", " <ERROR> ", " <EXIT>  ", " <POPUP> ", " : ", " * ", "",
};

struct DebugErrorText {
  _DebugStandardErrorNumber code;
  const char *text;
};

const DebugErrorText kDebugErrorTexts[] = {
    {DEBUG_ERR_ALEX, "Already exists."},   {DEBUG_ERR_ALSU, "Already setup."},
    {DEBUG_ERR_BAPA, "Bad parameters."},   {DEBUG_ERR_CACN, "Cannot call now."},
    {DEBUG_ERR_DNEX, "Does not exist."},   {DEBUG_ERR_EXOC, "An exception occurred."},
    {DEBUG_ERR_FILL, "Function not present."}, {DEBUG_ERR_IERR, "Internal error."},
    {DEBUG_ERR_IER2, "Internal error 2."}, {DEBUG_ERR_LODF, "Load failed."},
    {DEBUG_ERR_NAVL, "Not available."},    {DEBUG_ERR_NGAM, "No game."},
    {DEBUG_ERR_NOIM, "Not implemented."},  {DEBUG_ERR_NOSU, "Not setup."},
    {DEBUG_ERR_NVAL, "Not valid."},        {DEBUG_ERR_OMEM, "Out of memory."},
    {DEBUG_ERR_OPFA, "Operation failed."}, {DEBUG_ERR_UNKN, "(Unknown)"},
    {DEBUG_ERR_UPDT, "Needs updating."},
};

}  // namespace

static _DebugMessage debug_messages[DEBUG_MAX_MESSAGES];
static EngInt32 cdebug_num_messages = 0;
static std::atomic<char> cdebug_add_time_to_logs{1};
static char cd_log_filename[DEBUG_FILENAME_SIZE] = "ErrorLog.txt";
static char cdebug_first_time_file_open = 0;
// Guarded by the file mutex: a log refused once is not told again for every line after it.
static char cdebug_log_refusal_told = 0;
// Per thread: a report made by a thread from inside its own log write (the message
// callback, the file) is dropped, while reports of other threads wait for the locks.
static thread_local char cdebug_writing_messages = 0;
static std::atomic<char> cdebug_exiting{0};
static void (*debug_message_log_cb)(const char *text) = nullptr;
static float cdebug_memory_base = 0.0f;
static std::atomic<char> cdebug_assert_failed{0};
static std::atomic<char> cdebug_assert_alt_failed{0};

// Guarded by the outer mutex.
static char debug_format_str[DEBUG_FORMAT_SIZE];
static char debug_full_str[DEBUG_LINE_SIZE];

// Set up at once (not on first lock) so two threads reporting first cannot both create
// the same mutex; never destroyed, so reports from late static destructors still work.
static EngMutex &DebugOuterMutex() {
  static EngMutex *mutex = new EngMutex(kDebugLockSeconds);
  return *mutex;
}

static EngMutex &DebugRingMutex() {
  static EngMutex *mutex = new EngMutex(kDebugLockSeconds);
  return *mutex;
}

static EngMutex &DebugFileMutex() {
  static EngMutex *mutex = new EngMutex(kDebugLockSeconds);
  return *mutex;
}

namespace {

// A debug lock taken for at most 5 s; when it could not be taken the report goes on and
// the lock is not released.
class DebugLock {
 public:
  explicit DebugLock(EngMutex &mutex) : m_mutex(mutex), m_locked(mutex.Lock(kDebugLockSeconds)) {}
  ~DebugLock() { Release(); }
  DebugLock(const DebugLock &) = delete;
  DebugLock &operator=(const DebugLock &) = delete;
  void Release() {
    if (m_locked) m_mutex.Unlock();
    m_locked = 0;
  }

 private:
  EngMutex &m_mutex;
  char m_locked;
};

class DebugWritingScope {
 public:
  DebugWritingScope() : m_previous(cdebug_writing_messages) { cdebug_writing_messages = 1; }
  ~DebugWritingScope() { cdebug_writing_messages = m_previous; }
  DebugWritingScope(const DebugWritingScope &) = delete;
  DebugWritingScope &operator=(const DebugWritingScope &) = delete;

 private:
  char m_previous;
};

// The short name of a signature, freed with the holder.
class DebugShortName {
 public:
  explicit DebugShortName(const char *signature)
      : m_signature(signature), m_name(DebugGetShortFuncName(signature)) {}
  ~DebugShortName() {
    if (m_name && m_name != m_signature) EngFree(m_name, 0, ENG_FUNC);
  }
  DebugShortName(const DebugShortName &) = delete;
  DebugShortName &operator=(const DebugShortName &) = delete;
  const char *Get() const { return m_name ? m_name : ""; }
  char IsNull() const { return m_name ? 0 : 1; }

 private:
  const char *m_signature;
  char *m_name;
};

}  // namespace

// snprintf that cuts long output on purpose; also keeps the compiler's truncation
// warnings off the many deliberate cuts.
static int DebugBounded(char *destination, size_t size, const char *format, ...) ENG_PRINTF(3);
static int DebugBounded(char *destination, size_t size, const char *format, ...) {
  va_list args;
  va_start(args, format);
  int result = vsnprintf(destination, size, format, args);
  va_end(args);
  return result;
}

static const char *DebugSafe(const char *text) { return text ? text : ""; }

// The log's text is ISO 8859-1, in which the C0 and C1 control codes and DEL are no text: they
// are written as escapes, so that no byte can start a line of its own or reach a terminal as a
// control. Tab, line feed and carriage return get their short names; a backslash is doubled
// only when asked, for text that must read back unambiguously. Returns the piece's length.
static bool DebugIsControl(unsigned char c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

static size_t DebugEscapeByte(unsigned char c, bool double_backslash, char piece[5]) {
  if (c == '\\' && double_backslash) return size_t(snprintf(piece, 5, "\\\\"));
  if (c == '\t') return size_t(snprintf(piece, 5, "\\t"));
  if (c == '\n') return size_t(snprintf(piece, 5, "\\n"));
  if (c == '\r') return size_t(snprintf(piece, 5, "\\r"));
  if (DebugIsControl(c)) return size_t(snprintf(piece, 5, "\\x%02x", unsigned(c)));
  piece[0] = char(c);
  piece[1] = 0;
  return 1;
}

// A whole line made safe to write, cut (never inside an escape) to what the buffer holds.
// Whatever a caller put in its message, one report stays one line of the log.
static const char *DebugEscapeLine(const char *line, char *out, size_t size) {
  const unsigned char *p = reinterpret_cast<const unsigned char *>(line);
  while (*p && !DebugIsControl(*p)) p++;
  if (!*p) return line;
  size_t used = 0;
  for (p = reinterpret_cast<const unsigned char *>(line); *p; p++) {
    char piece[5];
    const size_t length = DebugEscapeByte(*p, false, piece);
    if (used + length >= size) break;
    memcpy(out + used, piece, length);
    used += length;
  }
  out[used] = 0;
  return out;
}

static char DebugIsBusyHere() { return cdebug_writing_messages; }

static void DebugFormatMessage(const char *format, va_list args) {
  if (!format) {
    debug_format_str[0] = 0;
    return;
  }
  vsnprintf(debug_format_str, sizeof(debug_format_str), format, args);
}

static void DebugCollapseRing() {
  const EngInt32 half = DEBUG_MAX_MESSAGES / 2;
  memmove(&debug_messages[0], &debug_messages[half], sizeof(_DebugMessage) * half);
  cdebug_num_messages = half;
  _DebugMessage &notice = debug_messages[0];
  DebugBounded(notice.text, sizeof(notice.text), "%s", "--- LOGS REMOVED ---");
  notice.code = DEBUG_MSG_PLAIN_TEXT;
  notice.note_type = 0;
}

// Opens the log for one line. Its name may be replaced while the game runs: a link is not
// followed (its lines would land outside the data folder) and a pipe is not waited on (the
// open would hold the main and internet threads for ever). *refused is set when something
// other than a regular file stands at the name.
static FILE *DebugOpenLogFile(bool first_line, bool *refused) {
  *refused = false;
  const int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (first_line ? O_TRUNC : O_APPEND);
  const int descriptor = open(cd_log_filename, flags, 0666);
  struct stat status;
  if (descriptor < 0) {
    // A link, a pipe without a reader, a socket or a folder fails the open itself.
    *refused = lstat(cd_log_filename, &status) == 0 && !S_ISREG(status.st_mode);
    return nullptr;
  }
  // A pipe with a reader opens; it is no log either.
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    *refused = true;
    close(descriptor);
    return nullptr;
  }
  const int now = fcntl(descriptor, F_GETFL);
  if (now >= 0) fcntl(descriptor, F_SETFL, now & ~O_NONBLOCK);
  FILE *file = fdopen(descriptor, first_line ? "w" : "a");
  if (!file) close(descriptor);
  return file;
}

// Called under the ring mutex with the newest record's text.
static void DebugAppendToLogFile(const char *time_prefix, const char *text) {
  DebugWritingScope writing;
  DebugLock file_lock(DebugFileMutex());
  const bool first_line = !cdebug_first_time_file_open;
  // unlink takes a link or a pipe away rather than what it names, and leaves a folder.
  if (first_line) unlink(cd_log_filename);
  bool refused = false;
  FILE *file = DebugOpenLogFile(first_line, &refused);
  if (!file) {
    // Told on standard error only: a report through the log would come back here.
    if (refused && !cdebug_log_refusal_told) {
      char escaped[4 * DEBUG_FILENAME_SIZE];
      fprintf(stderr, "The log file <%s> is not a regular file: nothing is written to it.\n",
              DebugEscapeLine(cd_log_filename, escaped, sizeof(escaped)));
      cdebug_log_refusal_told = 1;
    }
    return;
  }
  cdebug_log_refusal_told = 0;
  cdebug_first_time_file_open = 1;
  fputs(time_prefix, file);
  fputs(text, file);
  fputc('\n', file);
  fclose(file);
}

// The common path of every stored report.
static void DebugAddLine(const char *line, EngInt32 code, _DebugNoteType note_type) {
  if (!line || cdebug_exiting.load() || DebugIsBusyHere()) return;
  char escaped[4 * DEBUG_LINE_SIZE];
  line = DebugEscapeLine(line, escaped, sizeof(escaped));

  char work[DEBUG_LINE_SIZE];
  if (strlen(line) >= DEBUG_TRUNCATE_FROM) {
    fprintf(stderr, "%s\n", line);
    DebugBounded(work, sizeof(work), "%.*s ... (TRUNCATED)", int(DEBUG_TRUNCATE_KEEP), line);
  } else {
    DebugBounded(work, sizeof(work), "%s", line);
  }

  {
    DebugWritingScope writing;
    DebugLock ring_lock(DebugRingMutex());
    if (code < 0 || code >= DEBUG_NUM_LEVELS) return;

    _DebugMessage &record = debug_messages[cdebug_num_messages];
    record.code = _DebugMsgCode(code);
    record.note_type = note_type;
    record.time = eng_main_current_time;

    char time_prefix[48] = "";
    if (cdebug_add_time_to_logs.load())
      DebugBounded(time_prefix, sizeof(time_prefix), "%.1f | ", double(float(record.time)));

    if (work[0]) {
      if (code == DEBUG_MSG_PLAIN_TEXT)
        DebugBounded(record.text, sizeof(record.text), "%s", work);
      else
        DebugBounded(record.text, sizeof(record.text), "%s %s", kDebugLevelPrefixes[code], work);
      if (debug_message_log_cb) debug_message_log_cb(record.text);
      cdebug_num_messages++;
      DebugAppendToLogFile(code == DEBUG_MSG_PLAIN_TEXT ? "" : time_prefix, record.text);
      if (cdebug_num_messages >= DEBUG_MAX_MESSAGES) DebugCollapseRing();
    }
    fprintf(stderr, "%s%s\n", time_prefix, work);
  }

  if (code == DEBUG_MSG_POPUP) {
    // A hidden pointer would leave the person unable to answer the box.
    if (eng_main_window && EngMainIsThisTheMainThread()) eng_main_window->TurnOnCursor();
    EngMiscShowPopupMessage(ENG_MISC_POPUP_WARNING, "Warning", work);
  } else if (code == DEBUG_MSG_EXIT) {
    cdebug_exiting = 1;
    EngMainForceExitOfMainProgramNow("INTERNAL PROGRAM ERROR", work);
    EngMainCallExit(-1);
  }
}

// Hands a line built in the shared buffers to the common path once the outer lock is
// released, so popups and exits never run under a debug lock.
static void DebugSubmit(DebugLock &outer, const char *shared_line, EngInt32 code, _DebugNoteType note_type) {
  char line[DEBUG_LINE_SIZE];
  DebugBounded(line, sizeof(line), "%s", shared_line);
  outer.Release();
  DebugAddLine(line, code, note_type);
}

// Formats under the outer mutex and stores the message itself as the line.
static void DebugLogMessage(EngInt32 code, _DebugNoteType note_type, const char *format, va_list args) {
  DebugLock outer(DebugOuterMutex());
  DebugFormatMessage(format, args);
  DebugSubmit(outer, debug_format_str, code, note_type);
}

// "( name )    message" at the given level.
static void DebugLogTagged(EngInt32 code, const char *name, const char *format, va_list args) {
  DebugLock outer(DebugOuterMutex());
  DebugFormatMessage(format, args);
  DebugBounded(debug_full_str, DEBUG_FORMAT_SIZE, "( %s )    %s", DebugSafe(name), debug_format_str);
  DebugSubmit(outer, debug_full_str, code, 0);
}

// "name > message" at the given level.
static void DebugLogArrow(EngInt32 code, _DebugNoteType note_type, const char *name, const char *format,
                          va_list args) {
  DebugLock outer(DebugOuterMutex());
  DebugFormatMessage(format, args);
  DebugBounded(debug_full_str, DEBUG_FORMAT_SIZE, "%s > %s", DebugSafe(name), debug_format_str);
  DebugSubmit(outer, debug_full_str, code, note_type);
}

static char DebugIsDue(double *next_time, double interval) {
  if (!next_time || eng_main_current_time < *next_time) return 0;
  *next_time = eng_main_current_time + interval;
  return 1;
}

// Standard error only, without touching the ring or its locks.
static void DebugQuickLine(const char *name, const char *layout, const char *format, va_list args) {
  char message[DEBUG_FORMAT_SIZE];
  char line[DEBUG_LINE_SIZE];
  if (format)
    vsnprintf(message, sizeof(message), format, args);
  else
    message[0] = 0;
  if (name)
    DebugBounded(line, DEBUG_FORMAT_SIZE, layout, name, message);
  else
    DebugBounded(line, sizeof(line), "%s", message);
  char escaped[4 * DEBUG_LINE_SIZE];
  fprintf(stderr, "%s\n", DebugEscapeLine(line, escaped, sizeof(escaped)));
}

std::string DebugOutsideText(const char *text, size_t length, size_t max_chars) {
  std::string shown;
  if (!text) return shown;
  for (size_t i = 0; i < length; i++) {
    char piece[5];
    const size_t size = DebugEscapeByte(static_cast<unsigned char>(text[i]), true, piece);
    if (shown.size() + size > max_chars) return shown + "...";
    shown.append(piece, size);
  }
  return shown;
}

std::string DebugOutsideText(const char *text) { return DebugOutsideText(text, text ? strlen(text) : 0); }

char *DebugGetShortFuncName(const char *signature) {
  if (!signature) return nullptr;
  const char *start = signature;
  const char *p = signature;
  for (; *p; p++) {
    char c = *p;
    if (c == ' ') {
      start = p + 1;
      continue;
    }
    char collected = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '*' ||
                     c == ':' || c == '_' || c == '~';
    if (!collected) break;
  }
  if (!*p) return const_cast<char *>(signature);
  size_t length = size_t(p - start);
  char *name = static_cast<char *>(EngMalloc(length + 1, ENG_FUNC, 0));
  if (!name) return const_cast<char *>(signature);
  memcpy(name, start, length);
  name[length] = 0;
  return name;
}

const char *DebugGetStringFromErrorNumber(_DebugStandardErrorNumber code) {
  for (const DebugErrorText &entry : kDebugErrorTexts)
    if (entry.code == code) return entry.text;
  return "?";
}

void DebugPrintf(_DebugMsgCode code, const char *format, ...) {
  if (DebugIsBusyHere()) return;
  va_list args;
  va_start(args, format);
  DebugLogMessage(code, 0, format, args);
  va_end(args);
}

void DebugPrintf2(_DebugMsgCode code, const char *name, const char *format, ...) {
  if (DebugIsBusyHere()) return;
  va_list args;
  va_start(args, format);
  DebugLogTagged(code, name, format, args);
  va_end(args);
}

void DebugInfo(const char *format, ...) {
  if (DebugIsBusyHere()) return;
  va_list args;
  va_start(args, format);
  DebugLogMessage(DEBUG_MSG_INFO, 0, format, args);
  va_end(args);
}

void DebugInfoAlt(const char *signature, const char *format, ...) {
  if (DebugIsBusyHere()) return;
  DebugShortName name(signature);
  va_list args;
  va_start(args, format);
  DebugLogArrow(DEBUG_MSG_INFO, 0, name.Get(), format, args);
  va_end(args);
}

// "|-[Class method:]|text" from the platform layer becomes "Class::method > text".
static char DebugRewriteMethodTag(const char *message, char *out, size_t out_size) {
  const char *p = message;
  if (*p != '|') return 0;
  p++;
  if (*p == '+' || *p == '-') p++;
  if (*p != '[') return 0;
  const char *tag_end = strchr(p, '|');
  if (!tag_end) return 0;
  char tag[DEBUG_FORMAT_SIZE];
  size_t length = 0;
  for (const char *q = p; q < tag_end && length + 1 < sizeof(tag); q++)
    if (*q != '[' && *q != ']') tag[length++] = *q;
  tag[length] = 0;
  const char *rest = tag_end + 1;
  char *blank = strchr(tag, ' ');
  if (blank) {
    *blank = 0;
    char *method = blank + 1;
    char *colon = strchr(method, ':');
    if (colon) *colon = 0;
    DebugBounded(out, out_size, "%s::%s > %s", tag, method, rest);
  } else {
    DebugBounded(out, out_size, "%s > %s", tag, rest);
  }
  return 1;
}

void DbgInfoForCocoa(const char *format, ...) {
  if (DebugIsBusyHere()) return;
  DebugLock outer(DebugOuterMutex());
  va_list args;
  va_start(args, format);
  DebugFormatMessage(format, args);
  va_end(args);
  if (DebugRewriteMethodTag(debug_format_str, debug_full_str, sizeof(debug_full_str)))
    DebugSubmit(outer, debug_full_str, DEBUG_MSG_INFO, 0);
  else
    DebugSubmit(outer, debug_format_str, DEBUG_MSG_INFO, 0);
}

static void DebugLogGameInfo(const char *name, const char *format, va_list args) {
  if (name && strlen(name) >= DEBUG_FORMAT_SIZE - 2) return;
  DebugLock outer(DebugOuterMutex());
  DebugFormatMessage(format, args);
  DebugBounded(debug_full_str, DEBUG_FORMAT_SIZE, "%s:%s", DebugSafe(name), debug_format_str);
  DebugSubmit(outer, debug_full_str, DEBUG_MSG_INFO, 0);
}

void DebugGameInfo(const char *name, const char *format, ...) {
  if (DebugIsBusyHere()) return;
  va_list args;
  va_start(args, format);
  DebugLogGameInfo(name, format, args);
  va_end(args);
}

void DebugGameFuncInfo(const char *name, const char *signature, const char *format, ...) {
  if (DebugIsBusyHere()) return;
  DebugShortName short_name(signature);
  if (strlen(DebugSafe(name)) + strlen(short_name.Get()) + 5 >= DEBUG_FORMAT_SIZE - 1) return;
  DebugLock outer(DebugOuterMutex());
  va_list args;
  va_start(args, format);
  DebugFormatMessage(format, args);
  va_end(args);
  DebugBounded(debug_full_str, DEBUG_FORMAT_SIZE, "%s: %s > %s", DebugSafe(name), short_name.Get(),
           debug_format_str);
  DebugSubmit(outer, debug_full_str, DEBUG_MSG_INFO, 0);
}

void DebugInfoQuick(const char *name, const char *format, ...) {
  va_list args;
  va_start(args, format);
  DebugQuickLine(name, "%s > %s", format, args);
  va_end(args);
}

void DebugInfoQuickAlt(const char *signature, const char *format, ...) {
  DebugShortName name(signature);
  va_list args;
  va_start(args, format);
  DebugQuickLine(name.Get(), "%s > %s", format, args);
  va_end(args);
}

void DebugNote(_DebugNoteType note_type, const char *format, ...) {
  if (DebugIsBusyHere()) return;
  va_list args;
  va_start(args, format);
  DebugLogMessage(DEBUG_MSG_NOTE, note_type, format, args);
  va_end(args);
}

void DebugNoteAlt(_DebugNoteType note_type, const char *signature, const char *format, ...) {
  if (DebugIsBusyHere()) return;
  DebugShortName name(signature);
  va_list args;
  va_start(args, format);
  DebugLogArrow(DEBUG_MSG_NOTE, note_type, name.Get(), format, args);
  va_end(args);
}

void DebugGameNote(_DebugNoteType note_type, const char *name, const char *signature, const char *format, ...) {
  if (DebugIsBusyHere()) return;
  DebugShortName short_name(signature);
  DebugLock outer(DebugOuterMutex());
  va_list args;
  va_start(args, format);
  DebugFormatMessage(format, args);
  va_end(args);
  if (name && !short_name.IsNull())
    DebugBounded(debug_full_str, DEBUG_FORMAT_SIZE, "%s: %s > %s", name, short_name.Get(), debug_format_str);
  else if (!short_name.IsNull())
    DebugBounded(debug_full_str, DEBUG_FORMAT_SIZE, "%s > %s", short_name.Get(), debug_format_str);
  else if (name)
    DebugBounded(debug_full_str, DEBUG_FORMAT_SIZE, "%s: %s", name, debug_format_str);
  else
    DebugBounded(debug_full_str, DEBUG_FORMAT_SIZE, "%s", debug_format_str);
  DebugSubmit(outer, debug_full_str, DEBUG_MSG_NOTE, note_type);
}

void DebugDbgNotice(EngInt32 count, const char *signature, const char *format, ...) {
  if (DebugIsBusyHere()) return;
  DebugShortName name(signature);
  DebugLock outer(DebugOuterMutex());
  va_list args;
  va_start(args, format);
  DebugFormatMessage(format, args);
  va_end(args);
  DebugBounded(debug_full_str, DEBUG_FORMAT_SIZE, "%s > Dbg> *** %s ***", name.Get(), debug_format_str);
  char line[DEBUG_LINE_SIZE];
  DebugBounded(line, sizeof(line), "%s", debug_full_str);
  outer.Release();
  EngInt32 times = count < 1 ? 1 : count * 5;
  for (EngInt32 i = 0; i < times; i++) DebugAddLine(line, DEBUG_MSG_NOTE, DEBUG_NOTE_TYPE_NOTICE);
}

char DebugInfoPeriodically(double *next_time, double interval, const char *format, ...) {
  if (!DebugIsDue(next_time, interval)) return 0;
  if (DebugIsBusyHere()) return 1;
  va_list args;
  va_start(args, format);
  DebugLogMessage(DEBUG_MSG_INFO, 0, format, args);
  va_end(args);
  return 1;
}

char DebugInfoQuickPeriodically(double *next_time, double interval, const char *format, ...) {
  if (!DebugIsDue(next_time, interval)) return 0;
  va_list args;
  va_start(args, format);
  DebugQuickLine(nullptr, "%s", format, args);
  va_end(args);
  return 1;
}

char DebugGameInfoPeriodically(const char *name, double *next_time, double interval, const char *format, ...) {
  if (!DebugIsDue(next_time, interval)) return 0;
  if (DebugIsBusyHere()) return 1;
  va_list args;
  va_start(args, format);
  DebugLogGameInfo(name, format, args);
  va_end(args);
  return 1;
}

char DebugNotePeriodically(_DebugNoteType note_type, double *next_time, double interval, const char *format, ...) {
  if (!DebugIsDue(next_time, interval)) return 0;
  if (DebugIsBusyHere()) return 1;
  va_list args;
  va_start(args, format);
  DebugLogMessage(DEBUG_MSG_NOTE, note_type, format, args);
  va_end(args);
  return 1;
}

void DebugPlainText(const char *format, ...) {
  if (DebugIsBusyHere()) return;
  va_list args;
  va_start(args, format);
  DebugLogMessage(DEBUG_MSG_PLAIN_TEXT, 0, format, args);
  va_end(args);
}

void DebugWarning(const char *name, const char *format, ...) {
  if (DebugIsBusyHere()) return;
  va_list args;
  va_start(args, format);
  DebugLogTagged(DEBUG_MSG_WARNING, name, format, args);
  va_end(args);
}

void DebugErrorAlt(const char *signature, const char *format, ...) {
  if (DebugIsBusyHere()) return;
  DebugShortName name(signature);
  va_list args;
  va_start(args, format);
  DebugLogTagged(DEBUG_MSG_ERROR, name.Get(), format, args);
  va_end(args);
}

void DebugError(const char *name, const char *format, ...) {
  if (DebugIsBusyHere()) return;
  DebugShortName short_name(name);
  va_list args;
  va_start(args, format);
  DebugLogTagged(DEBUG_MSG_ERROR, short_name.Get(), format, args);
  va_end(args);
}

void DebugErrorSingle(const char *format, ...) {
  if (DebugIsBusyHere()) return;
  va_list args;
  va_start(args, format);
  DebugLogMessage(DEBUG_MSG_ERROR, 0, format, args);
  va_end(args);
}

void DebugErrorQuickAlt(const char *signature, const char *format, ...) {
  DebugShortName name(signature);
  va_list args;
  va_start(args, format);
  DebugQuickLine(name.Get(), "( %s )    %s", format, args);
  va_end(args);
}

void DebugGameError(const char *name, const char *signature, const char *format, ...) {
  if (DebugIsBusyHere() || !name) return;
  DebugShortName short_name(signature);
  DebugLock outer(DebugOuterMutex());
  va_list args;
  va_start(args, format);
  DebugFormatMessage(format, args);
  va_end(args);
  DebugBounded(debug_full_str, DEBUG_FORMAT_SIZE, "%s: %s > %s", name, short_name.Get(), debug_format_str);
  DebugSubmit(outer, debug_full_str, DEBUG_MSG_ERROR, 0);
}

void DebugStandardError(const char *signature, _DebugStandardErrorNumber code) {
  if (DebugIsBusyHere()) return;
  DebugShortName name(signature);
  DebugLock outer(DebugOuterMutex());
  DebugBounded(debug_full_str, DEBUG_FORMAT_SIZE, "( %s )    %s", name.Get(), DebugGetStringFromErrorNumber(code));
  DebugSubmit(outer, debug_full_str, DEBUG_MSG_ERROR, 0);
}

// Popups and exits run with no debug lock held, so their line leaves the shared buffers first.
static void DebugBuildPopupLine(char *line, const char *name, const char *format, va_list args) {
  DebugLock outer(DebugOuterMutex());
  DebugFormatMessage(format, args);
  if (name && *name)
    DebugBounded(line, DEBUG_FORMAT_SIZE, "( %s )     %s", name, debug_format_str);
  else
    DebugBounded(line, DEBUG_LINE_SIZE, "%s", debug_format_str);
}

void DebugPopup(const char *name, const char *format, ...) {
  if (DebugIsBusyHere() || !EngMainProgramIsRunning()) return;
  char line[DEBUG_LINE_SIZE];
  va_list args;
  va_start(args, format);
  DebugBuildPopupLine(line, name, format, args);
  va_end(args);
  DebugAddLine(line, DEBUG_MSG_POPUP, 0);
}

void DebugExitPopup(const char *name, const char *format, ...) {
  if (DebugIsBusyHere() || !EngMainProgramIsRunning()) return;
  char line[DEBUG_LINE_SIZE];
  va_list args;
  va_start(args, format);
  DebugBuildPopupLine(line, name, format, args);
  va_end(args);
  DebugAddLine(line, DEBUG_MSG_EXIT, 0);
}

void DebugExitPopupAlt(const char *signature, const char *format, ...) {
  if (DebugIsBusyHere() || !EngMainProgramIsRunning()) return;
  char line[DEBUG_LINE_SIZE];
  {
    DebugShortName name(signature);
    va_list args;
    va_start(args, format);
    DebugBuildPopupLine(line, name.Get(), format, args);
    va_end(args);
  }
  DebugAddLine(line, DEBUG_MSG_EXIT, 0);
}

char DebugCheckOk(char condition, const char *name, const char *format, ...) {
  if (condition) return 1;
  if (DebugIsBusyHere()) return 0;
  va_list args;
  va_start(args, format);
  DebugLogTagged(DEBUG_MSG_ERROR, name, format, args);
  va_end(args);
  return 0;
}

char DebugCheckOkAlt(char condition, const char *signature, const char *format, ...) {
  if (condition) return 1;
  if (DebugIsBusyHere()) return 0;
  DebugShortName name(signature);
  va_list args;
  va_start(args, format);
  DebugLogTagged(DEBUG_MSG_ERROR, name.Get(), format, args);
  va_end(args);
  return 0;
}

// The line of a failed assertion, then the forced exit.
[[noreturn]] static void DebugFailAssertion(const char *name, const char *message) {
  char line[DEBUG_LINE_SIZE];
  DebugBounded(line, DEBUG_FORMAT_SIZE, "( %s )    %s", DebugSafe(name), message);
  DebugAddLine(" ", DEBUG_MSG_PLAIN_TEXT, 0);
  DebugAddLine("EXITING DUE TO FOLLOWING ERROR:", DEBUG_MSG_PLAIN_TEXT, 0);
  DebugAddLine(" ", DEBUG_MSG_PLAIN_TEXT, 0);
  DebugAddLine(line, DEBUG_MSG_ERROR, 0);
  char reason[DEBUG_LINE_SIZE + 16];
  DebugBounded(reason, sizeof(reason), "Reason:\n\n%s", line);
  EngMainForceExitOfMainProgramNow("INTERNAL PROGRAM ERROR", reason);
  EngMainCallExit(-1);
}

void DebugAssert(char condition, const char *name, const char *format, ...) {
  if (condition || cdebug_assert_failed.exchange(1)) return;
  char message[DEBUG_FORMAT_SIZE] = "";
  va_list args;
  va_start(args, format);
  if (format) vsnprintf(message, sizeof(message), format, args);
  va_end(args);
  DebugFailAssertion(name, message);
}

void DebugAssertAlt(char condition, const char *signature, const char *format, ...) {
  if (condition || cdebug_assert_alt_failed.exchange(1)) return;
  char message[DEBUG_FORMAT_SIZE] = "";
  va_list args;
  va_start(args, format);
  if (format) vsnprintf(message, sizeof(message), format, args);
  va_end(args);
  char short_name[DEBUG_FORMAT_SIZE];
  {
    DebugShortName name(signature);
    DebugBounded(short_name, sizeof(short_name), "%s", name.Get());
  }
  DebugFailAssertion(short_name, message);
}

EngInt32 DebugGetNumMessages() { return cdebug_num_messages; }

_DebugMessage *DebugGetMessage(EngInt32 index) {
  if (index < 0 || index >= cdebug_num_messages) return nullptr;
  return &debug_messages[index];
}

void DebugSetMessageText(EngInt32 index, const char *format, ...) {
  if (index < 0 || index >= DEBUG_MAX_MESSAGES) {
    DebugErrorQuickAlt(ENG_FUNC, "%s", DebugGetStringFromErrorNumber(DEBUG_ERR_BAPA));
    return;
  }
  if (DebugIsBusyHere()) return;
  char appended = 0;
  {
    DebugLock outer(DebugOuterMutex());
    va_list args;
    va_start(args, format);
    DebugFormatMessage(format, args);
    va_end(args);
    DebugWritingScope writing;
    DebugLock ring_lock(DebugRingMutex());
    _DebugMessage &record = debug_messages[index];
    DebugBounded(record.text, sizeof(record.text), "%s", debug_format_str);
    record.code = DEBUG_MSG_PLAIN_TEXT;
    record.note_type = 0;
    if (index >= cdebug_num_messages) {
      record.time = eng_main_current_time;
      // The record joins the ring, so the line logged after it does not overwrite it.
      for (EngInt32 i = cdebug_num_messages; i < index; i++) {
        debug_messages[i].text[0] = 0;
        debug_messages[i].code = DEBUG_MSG_PLAIN_TEXT;
        debug_messages[i].note_type = 0;
        debug_messages[i].time = record.time;
      }
      cdebug_num_messages = index + 1;
      if (cdebug_num_messages >= DEBUG_MAX_MESSAGES) DebugCollapseRing();
      appended = 1;
    }
  }
  if (appended) DebugInfo(" ");
}

char DebugSetLogFilename(const char *path, char delete_now) {
  char result = 1;
  {
    DebugLock file_lock(DebugFileMutex());
    if (!path || !*path) {
      DebugBounded(cd_log_filename, sizeof(cd_log_filename), "%s", kDebugDefaultLogFilename);
    } else if (strlen(path) >= sizeof(cd_log_filename)) {
      DebugBounded(cd_log_filename, sizeof(cd_log_filename), "%s", kDebugDefaultLogFilename);
      result = 0;
    } else {
      DebugBounded(cd_log_filename, sizeof(cd_log_filename), "%s", path);
    }
    if (result && delete_now && !cdebug_first_time_file_open) remove(cd_log_filename);
  }
  if (!result) DebugErrorAlt(ENG_FUNC, "Filename too long");
  return result;
}

const char *DebugGetLogFilename() { return cd_log_filename; }

void DebugAppendToExistingLogFile() {
  DebugLock file_lock(DebugFileMutex());
  cdebug_first_time_file_open = 1;
}

void DebugResetLogFile(char) {
  for (int i = 0; i < 10; i++) DebugAddLine("", DEBUG_MSG_PLAIN_TEXT, 0);
  {
    DebugLock ring_lock(DebugRingMutex());
    cdebug_num_messages = 0;
  }
  DebugLock file_lock(DebugFileMutex());
  cdebug_first_time_file_open = 0;
}

void DebugClearLog(char) {
  DebugLock ring_lock(DebugRingMutex());
  cdebug_num_messages = 0;
}

void DebugSetExtraMessageLogCallback(void (*callback)(const char *text)) {
  DebugLock ring_lock(DebugRingMutex());
  debug_message_log_cb = callback;
}

void DebugAddTimeToLogs(char on) { cdebug_add_time_to_logs = on ? 1 : 0; }

void DebugDisplayMemoryUsage(const char *first_name, const char *second_name) {
  float use = 0.0f;
  if (!EngMiscGetProgramsMemoryUsageMB(&use)) return;
  if (cdebug_memory_base == 0.0f) cdebug_memory_base = use;
  char change[64] = "";
  if (cdebug_memory_base > 0.0f) {
    if (use >= cdebug_memory_base)
      DebugBounded(change, sizeof(change), "+%.3f%%", double(use * 100.0f / cdebug_memory_base - 100.0f));
    else
      DebugBounded(change, sizeof(change), "-%.3f%%", double(100.0f - use * 100.0f / cdebug_memory_base));
  }
  if (first_name && second_name)
    DebugInfo("[ Mem: %.3f (%s)  ] (%s - %s)", double(use), change, first_name, second_name);
  else if (first_name)
    DebugInfo("[ Mem: %.3f (%s) ] (%s)", double(use), change, first_name);
  else
    DebugInfo("[ Mem: %.3f (%s) ]", double(use), change);
}

char DebugDisplayMemoryUsagePeriodically(double *next_time, double interval, const char *first_name,
                                         const char *second_name) {
  if (!DebugIsDue(next_time, interval)) return 0;
  DebugDisplayMemoryUsage(first_name, second_name);
  return 1;
}

void DebugSetCurrentMemoryAsBase(const char *name) {
  float use = 0.0f;
  if (!EngMiscGetProgramsMemoryUsageMB(&use)) return;
  cdebug_memory_base = use;
  if (name) DebugInfo("[ Memory base: %.2f ] (%s)", double(cdebug_memory_base), name);
}

void DebugResetForTests() {
  {
    DebugLock ring_lock(DebugRingMutex());
    memset(debug_messages, 0, sizeof(debug_messages));
    cdebug_num_messages = 0;
    debug_message_log_cb = nullptr;
  }
  {
    DebugLock file_lock(DebugFileMutex());
    DebugBounded(cd_log_filename, sizeof(cd_log_filename), "%s", kDebugDefaultLogFilename);
    cdebug_first_time_file_open = 0;
    cdebug_log_refusal_told = 0;
  }
  cdebug_add_time_to_logs = 1;
  cdebug_writing_messages = 0;
  cdebug_exiting = 0;
  cdebug_memory_base = 0.0f;
  cdebug_assert_failed = 0;
  cdebug_assert_alt_failed = 0;
}
