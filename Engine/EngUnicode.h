// String holders: EngUnicode keeps a string in narrow (ISO 8859-1) and wide (32-bit code
// point) form; EngMemAnsiString and EngSimpleMemory*String are checked fixed-size buffers.
// Conversions never consult the process locale: a byte is its code point, and back for 0..255.
#pragma once

#include "Engine/EngTypes.h"

static_assert(sizeof(wchar_t) == 4, "wide characters are 32-bit code points");

class EngUnicode {
 public:
  EngUnicode(const char *narrow, char keep_narrow);
  EngUnicode(const wchar_t *wide, char flag);
  ~EngUnicode();
  EngUnicode(const EngUnicode &) = delete;
  EngUnicode &operator=(const EngUnicode &) = delete;

  const char *GetAsciiString(char allow_null, char report);
  const ENG_CHAR *GetString(char allow_null, char report);
  // For an object built from a wide string, that string.
  const wchar_t *GetUnicodeString(char allow_null, char report);

 private:
  char owns_wide_copy;
  char owns_narrow_copy;
  wchar_t *wide_copy;
  char *narrow_copy;
  char narrow_only;
  const wchar_t *wide_source;
  const char *narrow_source;
};

// size counts characters of the output (its last one is always set to 0).
char EngUnicodeConvertAnsiStrToUnicode(const char *narrow, wchar_t *wide, EngInt32 size);
// size counts bytes of the output; fails on a code point above 255.
char EngUnicodeConvertUnicodeStrToAnsi(const wchar_t *wide, char *narrow, EngInt32 size);

extern char eng_mem_ascii_string_ret_char;

class EngMemAnsiString {
 public:
  EngMemAnsiString(EngInt32 max_length, const char *name);
  ~EngMemAnsiString();
  EngMemAnsiString(const EngMemAnsiString &) = delete;
  EngMemAnsiString &operator=(const EngMemAnsiString &) = delete;

  void Alloc(EngInt32 max_length, const char *name);
  void Free();
  char *Get();
  void Set(const char *text);
  EngInt32 Length();
  void Clear();
  char SetChar(EngInt32 position, char character, char within_text);
  char GetChar(EngInt32 position, char within_text);
  char &operator[](EngInt32 position);

 private:
  char *buffer;
  EngInt32 max_length;
};

// Shared body of the two fixed-size holders; each reports under its own signature.
class EngSimpleMemoryBuffer {
 public:
  EngSimpleMemoryBuffer(const EngSimpleMemoryBuffer &) = delete;
  EngSimpleMemoryBuffer &operator=(const EngSimpleMemoryBuffer &) = delete;

 protected:
  EngSimpleMemoryBuffer(EngInt16 size, const char *signature);
  ~EngSimpleMemoryBuffer();
  ENG_CHAR *GetStringFor(const char *signature, char null_if_none, char report);
  ENG_CHAR *GetFor(const char *signature, char report);

  char valid;
  ENG_CHAR *buffer;
};

class EngSimpleMemoryAnsiString : public EngSimpleMemoryBuffer {
 public:
  explicit EngSimpleMemoryAnsiString(EngInt16 size);
  char *GetString(char null_if_none, char report);
  char *Get(char report);
};

class EngSimpleMemoryString : public EngSimpleMemoryBuffer {
 public:
  explicit EngSimpleMemoryString(EngInt16 size);
  ENG_CHAR *GetString(char null_if_none, char report);
  ENG_CHAR *Get(char report);
};

// Compares up to count characters, folding only 'A'..'Z'; -1 when either string is null.
EngInt32 EngAnsiStrnicmp(const char *a, const char *b, EngInt32 count);
