#include "Engine/EngMemory.h"

#include <malloc.h>

#include <cstdlib>
#include <cstring>

#include "Engine/EngDebug.h"

char eng_four_char_id_str[5] = "XXXX";

void EngMemorySetUpAllocator() { mallopt(M_MMAP_THRESHOLD, 256 * 1024); }

void EngMemoryGiveBackFreePages() { malloc_trim(0); }

void *EngMalloc(size_t size, const char *caller, char zero_fill) {
  if (size == 0) {
    if (caller)
      DebugError(caller, "EngMalloc: Zero size");
    else
      DebugErrorAlt(ENG_FUNC, "Zero size");
    return nullptr;
  }
  void *block = zero_fill ? calloc(1, size) : malloc(size);
  if (!block) {
    if (caller)
      DebugError(caller, "EngMalloc: No memory");
    else
      DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
  }
  return block;
}

void *EngRealloc(void *old_block, size_t size, const char *caller) {
  if (size == 0) {
    if (caller)
      DebugError(caller, "EngRealloc: Zero size");
    else
      DebugErrorAlt(ENG_FUNC, "Zero size");
    return nullptr;
  }
  if (!old_block) {
    if (caller)
      DebugError(caller, "EngRealloc: No old memory pointer");
    else
      DebugErrorAlt(ENG_FUNC, "No old memory pointer");
    return nullptr;
  }
  void *block = realloc(old_block, size);
  if (!block) {
    if (caller)
      DebugError(caller, "EngRealloc: No memory");
    else
      DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
  }
  return block;
}

void EngFree(void *block, char report_null, const char *caller) {
  if (!block) {
    if (report_null) {
      if (caller)
        DebugError(caller, "EngFree: Zero size");
      else
        DebugErrorAlt(ENG_FUNC, "Zero size");
    }
    return;
  }
  free(block);
}

char *EngMallocStringFromString(const char *text, char report_empty, const char *caller) {
  if (!text) {
    if (report_empty) DebugStandardError(ENG_FUNC, DEBUG_ERR_DNEX);
    return nullptr;
  }
  if (!*text && report_empty) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NVAL);
    return nullptr;
  }
  size_t length = strlen(text);
  char *copy = static_cast<char *>(EngMalloc(length + 1, caller, 0));
  if (!copy) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return nullptr;
  }
  memcpy(copy, text, length + 1);
  return copy;
}

void EngZeroMemory(void *block, size_t size) {
  if (!block || !size) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  memset(block, 0, size);
}

void EngCopyMemory(void *destination, const void *source, size_t size) {
  if (!destination || !source || !size) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  // memmove so that a caller who breaks the no-overlap rule gets the right bytes anyway.
  memmove(destination, source, size);
}

char *EngSafeStrcpy(char *destination, const char *source, size_t destination_size) {
  if (!destination) {
    DebugErrorAlt(ENG_FUNC, "No string");
    return nullptr;
  }
  if (!source || !*source || !destination_size) {
    if (destination_size) destination[0] = 0;
    return destination;
  }
  strncpy(destination, source, destination_size);
  destination[destination_size - 1] = 0;
  return destination;
}

namespace {

// Case folding for ISO 8859-1, independent of the process locale.
inline unsigned char FoldCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  return c;
}

inline bool IsWordEnd(char c) { return c == 0 || c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

const char *FindPattern(const char *signature, const char *text, const char *pattern, char word_end,
                        bool ignore_case) {
  if (!text || !pattern || !*pattern) {
    DebugErrorAlt(signature, "Invalid parameters");
    return nullptr;
  }
  if (!*text) return nullptr;
  size_t text_length = strlen(text);
  size_t pattern_length = strlen(pattern);
  if (pattern_length > text_length) return nullptr;
  for (size_t start = 0; start + pattern_length <= text_length; start++) {
    const char *candidate = text + start;
    bool match;
    if (ignore_case) {
      match = true;
      for (size_t i = 0; i < pattern_length; i++) {
        if (FoldCase(static_cast<unsigned char>(candidate[i])) !=
            FoldCase(static_cast<unsigned char>(pattern[i]))) {
          match = false;
          break;
        }
      }
    } else {
      match = memcmp(candidate, pattern, pattern_length) == 0;
    }
    if (match && (!word_end || IsWordEnd(candidate[pattern_length]))) return candidate;
  }
  return nullptr;
}

}  // namespace

const char *EngStrStr(const char *text, const char *pattern, char word_end) {
  return FindPattern(ENG_FUNC, text, pattern, word_end, false);
}

char *EngStrStr(char *text, const char *pattern, char word_end) {
  return const_cast<char *>(FindPattern(ENG_FUNC, text, pattern, word_end, false));
}

const char *EngStrIStr(const char *text, const char *pattern, char word_end) {
  return FindPattern(ENG_FUNC, text, pattern, word_end, true);
}

char *EngStrIStr(char *text, const char *pattern, char word_end) {
  return const_cast<char *>(FindPattern(ENG_FUNC, text, pattern, word_end, true));
}

const char *EngReturnSafeString(const char *text) { return text ? text : "(none)"; }

const char *EngGetFourCharIDAsString(EngUInt32 code) {
  for (int i = 0; i < 4; i++) eng_four_char_id_str[i] = static_cast<char>((code >> (24 - 8 * i)) & 0xFF);
  eng_four_char_id_str[4] = 0;
  return eng_four_char_id_str;
}

EngUInt32 EngGetFourCharStringAsID(const char *text) {
  if (!text) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (strlen(text) != 4) {
    DebugErrorAlt(ENG_FUNC, "Bad 4-char string [%s]", text);
    return 0;
  }
  const unsigned char *bytes = reinterpret_cast<const unsigned char *>(text);
  return (EngUInt32(bytes[0]) << 24) | (EngUInt32(bytes[1]) << 16) | (EngUInt32(bytes[2]) << 8) |
         EngUInt32(bytes[3]);
}
