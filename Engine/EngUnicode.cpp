#include "Engine/EngUnicode.h"

#include <cstring>
#include <cwchar>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"

char eng_mem_ascii_string_ret_char = 0;

namespace {

char eng_unicode_empty_narrow[1] = {0};
wchar_t eng_unicode_empty_wide[1] = {0};

}  // namespace

// ---------------------------------------------------------------------------------------------
// EngUnicode

EngUnicode::EngUnicode(const char *narrow, char keep_narrow)
    : owns_wide_copy(0),
      owns_narrow_copy(0),
      wide_copy(nullptr),
      narrow_copy(nullptr),
      narrow_only(0),
      wide_source(nullptr),
      narrow_source(narrow) {
  if (keep_narrow) {
    narrow_only = 1;
    return;
  }
  if (!narrow || !*narrow) return;
  const size_t length = strlen(narrow);
  wide_copy = static_cast<wchar_t *>(EngMalloc((length + 2) * sizeof(wchar_t), "EngUnicode", 0));
  if (!wide_copy) {
    DebugErrorAlt(ENG_FUNC, "No memory (A2U)");
    return;
  }
  owns_wide_copy = 1;
  if (!EngUnicodeConvertAnsiStrToUnicode(narrow, wide_copy, EngInt32(length + 2))) {
    DebugErrorAlt(ENG_FUNC, "Could not convert string to unicode");
    EngFree(wide_copy, 0, "EngUnicode");
    wide_copy = nullptr;
    owns_wide_copy = 0;
  }
}

EngUnicode::EngUnicode(const wchar_t *wide, char flag)
    : owns_wide_copy(0),
      owns_narrow_copy(0),
      wide_copy(nullptr),
      narrow_copy(nullptr),
      narrow_only(0),
      wide_source(wide),
      narrow_source(nullptr) {
  if (flag) DebugErrorAlt(ENG_FUNC, "Should never be called with only flag set");
  if (!wide || !*wide) return;
  const size_t length = wcslen(wide);
  narrow_copy = static_cast<char *>(EngMalloc(length * 2 + 4, "EngUnicode", 0));
  if (!narrow_copy) {
    DebugErrorAlt(ENG_FUNC, "No memory (U2A)");
    return;
  }
  owns_narrow_copy = 1;
  if (!EngUnicodeConvertUnicodeStrToAnsi(wide, narrow_copy, EngInt32(length * 2 + 3))) {
    DebugErrorAlt(ENG_FUNC, "Could not convert string to ascii");
    EngFree(narrow_copy, 0, "EngUnicode");
    narrow_copy = nullptr;
    owns_narrow_copy = 0;
  }
}

EngUnicode::~EngUnicode() {
  if (owns_wide_copy) EngFree(wide_copy, 0, "EngUnicode");
  if (owns_narrow_copy) EngFree(narrow_copy, 0, "EngUnicode");
}

const char *EngUnicode::GetAsciiString(char allow_null, char report) {
  const char *text;
  if (narrow_only)
    text = narrow_source;
  else
    text = narrow_source && *narrow_source ? narrow_source : narrow_copy;
  if (text) return text;
  if (allow_null) return nullptr;
  if (report) DebugErrorAlt(ENG_FUNC, narrow_only ? "No string (NCN)" : "No string");
  eng_unicode_empty_narrow[0] = 0;
  return eng_unicode_empty_narrow;
}

const ENG_CHAR *EngUnicode::GetString(char allow_null, char report) { return GetAsciiString(allow_null, report); }

const wchar_t *EngUnicode::GetUnicodeString(char allow_null, char report) {
  if (wide_copy) return wide_copy;
  if (wide_source) return wide_source;
  if (allow_null) return nullptr;
  if (report) DebugErrorAlt(ENG_FUNC, "No string");
  eng_unicode_empty_wide[0] = 0;
  return eng_unicode_empty_wide;
}

char EngUnicodeConvertAnsiStrToUnicode(const char *narrow, wchar_t *wide, EngInt32 size) {
  if (!narrow || !wide || size <= 0) return 0;
  for (EngInt32 i = 0; i < size; i++) {
    wide[i] = wchar_t(static_cast<unsigned char>(narrow[i]));
    if (!narrow[i]) break;
  }
  wide[size - 1] = 0;
  return 1;
}

char EngUnicodeConvertUnicodeStrToAnsi(const wchar_t *wide, char *narrow, EngInt32 size) {
  if (!wide || !narrow || size <= 0) return 0;
  for (EngInt32 i = 0; i < size; i++) {
    if (wide[i] < 0 || wide[i] > 255) {
      narrow[i] = 0;
      return 0;
    }
    narrow[i] = char(wide[i]);
    if (!wide[i]) break;
  }
  narrow[size - 1] = 0;
  return 1;
}

// ---------------------------------------------------------------------------------------------
// EngMemAnsiString

EngMemAnsiString::EngMemAnsiString(EngInt32 max_length_, const char *name) : buffer(nullptr), max_length(0) {
  Alloc(max_length_, name);
}

EngMemAnsiString::~EngMemAnsiString() { Free(); }

void EngMemAnsiString::Alloc(EngInt32 max_length_, const char *name) {
  Free();
  if (max_length_ < 1) {
    if (name)
      DebugErrorAlt(ENG_FUNC, "Invalid max length (%s)", name);
    else
      DebugErrorAlt(ENG_FUNC, "Invalid max length");
    return;
  }
  buffer = static_cast<char *>(EngMalloc(size_t(max_length_), name ? name : "EngMemAnsiString", 1));
  if (!buffer) {
    if (name)
      DebugErrorAlt(ENG_FUNC, "No memory (%s)", name);
    else
      DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return;
  }
  max_length = max_length_;
}

void EngMemAnsiString::Free() {
  if (buffer) EngFree(buffer, 0, "EngMemAnsiString");
  buffer = nullptr;
  max_length = 0;
}

char *EngMemAnsiString::Get() {
  DebugAssertAlt(buffer != nullptr, ENG_FUNC, "No string");
  DebugAssertAlt(max_length >= 1, ENG_FUNC, "Bad max length");
  return buffer;
}

void EngMemAnsiString::Set(const char *text) {
  if (!buffer) {
    DebugErrorAlt(ENG_FUNC, "No string");
    return;
  }
  EngSafeStrcpy(buffer, text, size_t(max_length));
}

EngInt32 EngMemAnsiString::Length() {
  if (!buffer) {
    DebugErrorAlt(ENG_FUNC, "No string");
    return 0;
  }
  return EngInt32(strnlen(buffer, size_t(max_length)));
}

void EngMemAnsiString::Clear() {
  if (!buffer) {
    DebugErrorAlt(ENG_FUNC, "No string");
    return;
  }
  buffer[0] = 0;
}

char EngMemAnsiString::SetChar(EngInt32 position, char character, char within_text) {
  if (!buffer) {
    DebugErrorAlt(ENG_FUNC, "No string");
    return 0;
  }
  if (position < 0 || position >= max_length) {
    DebugErrorAlt(ENG_FUNC, "Bad char num %d (%d)", position, max_length);
    return 0;
  }
  if (within_text) {
    EngInt32 length = Length();
    if (position >= length) {
      DebugErrorAlt(ENG_FUNC, "Char num not in string %d (%d)", position, length);
      return -1;
    }
  }
  buffer[position] = character;
  return 1;
}

char EngMemAnsiString::GetChar(EngInt32 position, char within_text) {
  if (!buffer) {
    DebugErrorAlt(ENG_FUNC, "No string");
    return -1;
  }
  if (position < 0 || position >= max_length) {
    DebugErrorAlt(ENG_FUNC, "Bad char num %d (%d)", position, max_length);
    return -1;
  }
  if (within_text) {
    EngInt32 length = Length();
    if (position >= length) {
      DebugErrorAlt(ENG_FUNC, "Char num not in string %d (%d)", position, length);
      return -1;
    }
  }
  return buffer[position];
}

char &EngMemAnsiString::operator[](EngInt32 position) {
  if (!buffer) {
    DebugErrorAlt(ENG_FUNC, "No string");
    return eng_mem_ascii_string_ret_char;
  }
  if (position < 0 || position >= max_length) {
    DebugErrorAlt(ENG_FUNC, "Bad char num %d (%d)", position, max_length);
    return eng_mem_ascii_string_ret_char;
  }
  return buffer[position];
}

// ---------------------------------------------------------------------------------------------
// EngSimpleMemoryAnsiString and EngSimpleMemoryString

EngSimpleMemoryBuffer::EngSimpleMemoryBuffer(EngInt16 size, const char *signature) : valid(0), buffer(nullptr) {
  if (size < 1) {
    DebugStandardError(signature, DEBUG_ERR_BAPA);
    return;
  }
  buffer = static_cast<ENG_CHAR *>(EngMalloc(size_t(size) * sizeof(ENG_CHAR), signature, 1));
  valid = buffer ? 1 : 0;
}

EngSimpleMemoryBuffer::~EngSimpleMemoryBuffer() {
  if (valid == 1) EngFree(buffer, 0, "EngSimpleMemoryBuffer");
}

ENG_CHAR *EngSimpleMemoryBuffer::GetStringFor(const char *signature, char null_if_none, char report) {
  if (buffer) {
    if (valid != 1) DebugStandardError(signature, DEBUG_ERR_IERR);
    return buffer;
  }
  if (valid) DebugStandardError(signature, DEBUG_ERR_IERR);
  if (report) DebugStandardError(signature, DEBUG_ERR_DNEX);
  if (null_if_none) return nullptr;
  eng_unicode_empty_narrow[0] = 0;
  return eng_unicode_empty_narrow;
}

ENG_CHAR *EngSimpleMemoryBuffer::GetFor(const char *signature, char report) {
  if (buffer) {
    if (valid != 1) DebugStandardError(signature, DEBUG_ERR_IERR);
    return buffer;
  }
  if (valid) DebugStandardError(signature, DEBUG_ERR_IERR);
  if (report) DebugStandardError(signature, DEBUG_ERR_DNEX);
  return nullptr;
}

EngSimpleMemoryAnsiString::EngSimpleMemoryAnsiString(EngInt16 size) : EngSimpleMemoryBuffer(size, ENG_FUNC) {}
char *EngSimpleMemoryAnsiString::GetString(char null_if_none, char report) {
  return GetStringFor(ENG_FUNC, null_if_none, report);
}
char *EngSimpleMemoryAnsiString::Get(char report) { return GetFor(ENG_FUNC, report); }

EngSimpleMemoryString::EngSimpleMemoryString(EngInt16 size) : EngSimpleMemoryBuffer(size, ENG_FUNC) {}
ENG_CHAR *EngSimpleMemoryString::GetString(char null_if_none, char report) {
  return GetStringFor(ENG_FUNC, null_if_none, report);
}
ENG_CHAR *EngSimpleMemoryString::Get(char report) { return GetFor(ENG_FUNC, report); }

// ---------------------------------------------------------------------------------------------

EngInt32 EngAnsiStrnicmp(const char *a, const char *b, EngInt32 count) {
  if (!a || !b) return -1;
  for (EngInt32 i = 0; i < count; i++) {
    EngInt8 ca = EngInt8(a[i]), cb = EngInt8(b[i]);
    if (ca >= 'A' && ca <= 'Z') ca = EngInt8(ca + ('a' - 'A'));
    if (cb >= 'A' && cb <= 'Z') cb = EngInt8(cb + ('a' - 'A'));
    if (ca != cb) return ca < cb ? -1 : 1;
    if (!ca) return 0;
  }
  return 0;
}
