// The debug log: printf-style reports tagged with a level and the reporter's short name,
// kept in a 200-message ring, printed to standard error and appended to the log file.
// Popup and exit levels show a popup or end the program. Needs EngMutex and the program object.
#pragma once

#include <cstddef>
#include <string>

#include "Engine/EngTypes.h"

enum _DebugMsgCode : EngInt32 {
  DEBUG_MSG_WARNING = 0,
  DEBUG_MSG_ERROR = 1,
  DEBUG_MSG_EXIT = 2,
  DEBUG_MSG_POPUP = 3,
  DEBUG_MSG_INFO = 4,
  DEBUG_MSG_NOTE = 5,
  DEBUG_MSG_PLAIN_TEXT = 6,
};

typedef EngInt32 _DebugNoteType;

enum _DebugStandardErrorNumber : EngUInt32 {
  DEBUG_ERR_ALEX = EngFourCC("ALEX"),
  DEBUG_ERR_ALSU = EngFourCC("ALSU"),
  DEBUG_ERR_BAPA = EngFourCC("BAPA"),
  DEBUG_ERR_CACN = EngFourCC("CACN"),
  DEBUG_ERR_DNEX = EngFourCC("DNEX"),
  DEBUG_ERR_EXOC = EngFourCC("EXOC"),
  DEBUG_ERR_FILL = EngFourCC("FILL"),
  DEBUG_ERR_IERR = EngFourCC("IERR"),
  DEBUG_ERR_IER2 = EngFourCC("IER2"),
  DEBUG_ERR_LODF = EngFourCC("LODF"),
  DEBUG_ERR_NAVL = EngFourCC("NAVL"),
  DEBUG_ERR_NGAM = EngFourCC("NGAM"),
  DEBUG_ERR_NOIM = EngFourCC("NOIM"),
  DEBUG_ERR_NOSU = EngFourCC("NOSU"),
  DEBUG_ERR_NVAL = EngFourCC("NVAL"),
  DEBUG_ERR_OMEM = EngFourCC("OMEM"),
  DEBUG_ERR_OPFA = EngFourCC("OPFA"),
  DEBUG_ERR_UNKN = EngFourCC("UNKN"),
  DEBUG_ERR_UPDT = EngFourCC("UPDT"),
};

enum { DEBUG_MAX_MESSAGES = 200, DEBUG_MESSAGE_TEXT_SIZE = 544 };

struct _DebugMessage {
  char text[DEBUG_MESSAGE_TEXT_SIZE];
  _DebugMsgCode code;
  _DebugNoteType note_type;
  double time;
};

#define ENG_PRINTF(fmt_index) __attribute__((format(printf, fmt_index, fmt_index + 1)))

void DebugPrintf(_DebugMsgCode code, const char *format, ...) ENG_PRINTF(2);
void DebugPrintf2(_DebugMsgCode code, const char *name, const char *format, ...) ENG_PRINTF(3);
void DebugInfo(const char *format, ...) ENG_PRINTF(1);
void DebugInfoAlt(const char *signature, const char *format, ...) ENG_PRINTF(2);
void DbgInfoForCocoa(const char *format, ...) ENG_PRINTF(1);
void DebugGameInfo(const char *name, const char *format, ...) ENG_PRINTF(2);
void DebugGameFuncInfo(const char *name, const char *signature, const char *format, ...) ENG_PRINTF(3);
void DebugInfoQuick(const char *name, const char *format, ...) ENG_PRINTF(2);
void DebugInfoQuickAlt(const char *signature, const char *format, ...) ENG_PRINTF(2);
void DebugNote(_DebugNoteType note_type, const char *format, ...) ENG_PRINTF(2);
void DebugNoteAlt(_DebugNoteType note_type, const char *signature, const char *format, ...) ENG_PRINTF(3);
void DebugGameNote(_DebugNoteType note_type, const char *name, const char *signature, const char *format, ...)
    ENG_PRINTF(4);
void DebugDbgNotice(EngInt32 count, const char *signature, const char *format, ...) ENG_PRINTF(3);
char DebugInfoPeriodically(double *next_time, double interval, const char *format, ...) ENG_PRINTF(3);
char DebugInfoQuickPeriodically(double *next_time, double interval, const char *format, ...) ENG_PRINTF(3);
char DebugGameInfoPeriodically(const char *name, double *next_time, double interval, const char *format, ...)
    ENG_PRINTF(4);
char DebugNotePeriodically(_DebugNoteType note_type, double *next_time, double interval, const char *format, ...)
    ENG_PRINTF(4);
void DebugPlainText(const char *format, ...) ENG_PRINTF(1);
void DebugWarning(const char *name, const char *format, ...) ENG_PRINTF(2);
void DebugErrorAlt(const char *signature, const char *format, ...) ENG_PRINTF(2);
void DebugError(const char *name, const char *format, ...) ENG_PRINTF(2);
void DebugErrorSingle(const char *format, ...) ENG_PRINTF(1);
void DebugErrorQuickAlt(const char *signature, const char *format, ...) ENG_PRINTF(2);
void DebugGameError(const char *name, const char *signature, const char *format, ...) ENG_PRINTF(3);
void DebugStandardError(const char *signature, _DebugStandardErrorNumber code);
void DebugPopup(const char *name, const char *format, ...) ENG_PRINTF(2);
void DebugExitPopup(const char *name, const char *format, ...) ENG_PRINTF(2);
void DebugExitPopupAlt(const char *signature, const char *format, ...) ENG_PRINTF(2);
char DebugCheckOk(char condition, const char *name, const char *format, ...) ENG_PRINTF(3);
char DebugCheckOkAlt(char condition, const char *signature, const char *format, ...) ENG_PRINTF(3);
void DebugAssert(char condition, const char *name, const char *format, ...) ENG_PRINTF(3);
void DebugAssertAlt(char condition, const char *signature, const char *format, ...) ENG_PRINTF(3);

// Text from outside the program (a network reply, a file's contents, the clipboard) made fit to
// log as part of one line, so it cannot start lines of its own: a backslash doubled, tab, line
// feed and carriage return as "\t", "\n", "\r", every other byte that is no text in the log's
// ISO 8859-1 (NUL and the other C0 controls, DEL, the C1 controls 0x80 to 0x9F) as "\x1b" and
// the like; at most max_chars characters come out, then "..." where it was cut. Every logged
// line gets the same escapes for its control bytes (without the doubled backslash) as it is
// stored, so a text that escapes this still cannot break a line.
enum { DEBUG_OUTSIDE_TEXT_MAX = 160 };
std::string DebugOutsideText(const char *text, size_t length, size_t max_chars = DEBUG_OUTSIDE_TEXT_MAX);
// The same for a text that ends at its first NUL.
std::string DebugOutsideText(const char *text);

// Returns a new text (free with EngFree) or the argument itself when it needs no shortening.
char *DebugGetShortFuncName(const char *signature);
const char *DebugGetStringFromErrorNumber(_DebugStandardErrorNumber code);

EngInt32 DebugGetNumMessages();
_DebugMessage *DebugGetMessage(EngInt32 index);
void DebugSetMessageText(EngInt32 index, const char *format, ...) ENG_PRINTF(2);

char DebugSetLogFilename(const char *path, char delete_now);
const char *DebugGetLogFilename();
void DebugAppendToExistingLogFile();
void DebugResetLogFile(char ignored);
void DebugClearLog(char ignored);
void DebugSetExtraMessageLogCallback(void (*callback)(const char *text));
void DebugAddTimeToLogs(char on);

void DebugDisplayMemoryUsage(const char *first_name, const char *second_name);
char DebugDisplayMemoryUsagePeriodically(double *next_time, double interval, const char *first_name,
                                         const char *second_name);
void DebugSetCurrentMemoryAsBase(const char *name);

// Puts the module back in its start state (empty ring, "ErrorLog.txt", nothing written yet).
void DebugResetForTests();
