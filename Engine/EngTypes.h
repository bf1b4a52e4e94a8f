// Engine-wide integer and character types, and the signature macro every report passes.
// Narrow text is ISO 8859-1 in plain (signed) char; the build forces -fsigned-char.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int8_t EngInt8;
typedef uint8_t EngUInt8;
typedef int16_t EngInt16;
typedef uint16_t EngUInt16;
typedef int32_t EngInt32;
typedef uint32_t EngUInt32;
typedef int64_t EngInt64;
typedef uint64_t EngUInt64;
typedef int eint;
typedef unsigned int euint;
typedef char ENG_CHAR;
typedef const char *ENG_CONST_STR;

// The full signature text of the enclosing function ("char EngMutex::Lock()"); the log
// shows its short name.
#define ENG_FUNC __PRETTY_FUNCTION__

// Packs a four-character code with its first character in the highest byte ("MAIN").
constexpr EngUInt32 EngFourCC(const char (&s)[5]) {
  return (EngUInt32(EngUInt8(s[0])) << 24) | (EngUInt32(EngUInt8(s[1])) << 16) |
         (EngUInt32(EngUInt8(s[2])) << 8) | EngUInt32(EngUInt8(s[3]));
}
