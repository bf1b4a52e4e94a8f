// Placeholder: reports go to standard error until the full log lands.
#include "Engine/EngDebug.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#define QW_STUB_VA(prefix)                 \
  do {                                     \
    va_list ap;                            \
    va_start(ap, format);                  \
    fputs(prefix, stderr);                 \
    vfprintf(stderr, format, ap);          \
    fputc('\n', stderr);                   \
    va_end(ap);                            \
  } while (0)

void DebugPrintf(_DebugMsgCode, const char *format, ...) { QW_STUB_VA(""); }
void DebugPrintf2(_DebugMsgCode, const char *, const char *format, ...) { QW_STUB_VA(""); }
void DebugInfo(const char *format, ...) { QW_STUB_VA(""); }
void DebugInfoAlt(const char *, const char *format, ...) { QW_STUB_VA(""); }
void DbgInfoForCocoa(const char *format, ...) { QW_STUB_VA(""); }
void DebugGameInfo(const char *, const char *format, ...) { QW_STUB_VA(""); }
void DebugGameFuncInfo(const char *, const char *, const char *format, ...) { QW_STUB_VA(""); }
void DebugInfoQuick(const char *, const char *format, ...) { QW_STUB_VA(""); }
void DebugInfoQuickAlt(const char *, const char *format, ...) { QW_STUB_VA(""); }
void DebugNote(_DebugNoteType, const char *format, ...) { QW_STUB_VA(""); }
void DebugNoteAlt(_DebugNoteType, const char *, const char *format, ...) { QW_STUB_VA(""); }
void DebugGameNote(_DebugNoteType, const char *, const char *, const char *format, ...) { QW_STUB_VA(""); }
void DebugDbgNotice(EngInt32, const char *, const char *format, ...) { QW_STUB_VA(""); }
char DebugInfoPeriodically(double *, double, const char *format, ...) { QW_STUB_VA(""); return 1; }
char DebugInfoQuickPeriodically(double *, double, const char *format, ...) { QW_STUB_VA(""); return 1; }
char DebugGameInfoPeriodically(const char *, double *, double, const char *format, ...) { QW_STUB_VA(""); return 1; }
char DebugNotePeriodically(_DebugNoteType, double *, double, const char *format, ...) { QW_STUB_VA(""); return 1; }
void DebugPlainText(const char *format, ...) { QW_STUB_VA(""); }
void DebugWarning(const char *, const char *format, ...) { QW_STUB_VA("<WARNING> "); }
void DebugErrorAlt(const char *, const char *format, ...) { QW_STUB_VA(" <ERROR>  "); }
void DebugError(const char *, const char *format, ...) { QW_STUB_VA(" <ERROR>  "); }
void DebugErrorSingle(const char *format, ...) { QW_STUB_VA(" <ERROR>  "); }
void DebugErrorQuickAlt(const char *, const char *format, ...) { QW_STUB_VA(""); }
void DebugGameError(const char *, const char *, const char *format, ...) { QW_STUB_VA(" <ERROR>  "); }
void DebugStandardError(const char *signature, _DebugStandardErrorNumber code) {
  fprintf(stderr, "( %s )    %s\n", signature, DebugGetStringFromErrorNumber(code));
}
void DebugPopup(const char *, const char *format, ...) { QW_STUB_VA(""); }
void DebugExitPopup(const char *, const char *format, ...) { QW_STUB_VA(""); exit(-1); }
void DebugExitPopupAlt(const char *, const char *format, ...) { QW_STUB_VA(""); exit(-1); }
char DebugCheckOk(char condition, const char *, const char *format, ...) {
  if (!condition) QW_STUB_VA("");
  return condition ? 1 : 0;
}
char DebugCheckOkAlt(char condition, const char *, const char *format, ...) {
  if (!condition) QW_STUB_VA("");
  return condition ? 1 : 0;
}
void DebugAssert(char condition, const char *, const char *format, ...) {
  if (!condition) { QW_STUB_VA(""); exit(-1); }
}
void DebugAssertAlt(char condition, const char *, const char *format, ...) {
  if (!condition) { QW_STUB_VA(""); exit(-1); }
}
char *DebugGetShortFuncName(const char *signature) { return const_cast<char *>(signature); }
const char *DebugGetStringFromErrorNumber(_DebugStandardErrorNumber) { return "?"; }
EngInt32 DebugGetNumMessages() { return 0; }
_DebugMessage *DebugGetMessage(EngInt32) { return nullptr; }
void DebugSetMessageText(EngInt32, const char *, ...) {}
char DebugSetLogFilename(const char *, char) { return 1; }
const char *DebugGetLogFilename() { return "ErrorLog.txt"; }
void DebugAppendToExistingLogFile() {}
void DebugResetLogFile(char) {}
void DebugClearLog(char) {}
void DebugSetExtraMessageLogCallback(void (*)(const char *)) {}
void DebugAddTimeToLogs(char) {}
void DebugDisplayMemoryUsage(const char *, const char *) {}
char DebugDisplayMemoryUsagePeriodically(double *, double, const char *, const char *) { return 0; }
void DebugSetCurrentMemoryAsBase(const char *) {}
void DebugResetForTests() {}
