#include "Engine/EngMemory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "tests/support/TestSupport.h"

namespace {

// gcc names its sanitizers with macros, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QW_SANITIZER_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define QW_SANITIZER_ALLOCATOR 1
#endif
#endif
#ifdef QW_SANITIZER_ALLOCATOR
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

TEST(EngMemory, MallocZeroFillsWhenAskedAndRefusesZeroSize) {
  EXPECT_EQ(EngMalloc(0, "Caller", 1), nullptr);
  EXPECT_EQ(EngMalloc(0, nullptr, 0), nullptr);

  unsigned char *block = static_cast<unsigned char *>(EngMalloc(64, "Caller", 1));
  ASSERT_NE(block, nullptr);
  for (int i = 0; i < 64; i++) EXPECT_EQ(block[i], 0) << i;
  EngFree(block, 1, "Caller");
}

TEST(EngMemory, MallocOfAnImpossibleSizeReturnsNull) {
  if (kSanitized) GTEST_SKIP() << "the sanitizer's allocator aborts instead of returning null";
  EXPECT_EQ(EngMalloc(SIZE_MAX / 2, "Caller", 0), nullptr);
  EXPECT_EQ(EngMalloc(SIZE_MAX / 2, nullptr, 1), nullptr);
}

TEST(EngMemory, ReallocKeepsContentsAndRefusesBadArguments) {
  EXPECT_EQ(EngRealloc(nullptr, 16, "Caller"), nullptr);
  char *block = static_cast<char *>(EngMalloc(8, nullptr, 0));
  ASSERT_NE(block, nullptr);
  memcpy(block, "abcdefg", 8);
  // A refused resize leaves the old block alone and still owned by the caller.
  EXPECT_EQ(EngRealloc(block, 0, nullptr), nullptr);
  EXPECT_STREQ(block, "abcdefg");
  char *grown = static_cast<char *>(EngRealloc(block, 4096, "Caller"));
  ASSERT_NE(grown, nullptr);
  EXPECT_STREQ(grown, "abcdefg");
  EngFree(grown, 0, nullptr);
}

// Freeing null does nothing; asked to report it, it tells the mistake once, under the caller's
// name or, without one, its own.
TEST(EngMemory, FreeOfNullIsHarmlessWithOrWithoutReport) {
  qwtest::TempDir dir;
  const struct {
    char report;
    const char *caller;
    const char *told;  // null: nothing is told
  } cases[] = {
      {0, nullptr, nullptr},
      {0, "Caller", nullptr},
      {1, "Caller", "( Caller )    EngFree: Zero size"},
      {1, nullptr, "( EngFree )    Zero size"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(std::to_string(c.report) + " " + (c.caller ? c.caller : "(no caller)"));
    DebugResetForTests();
    ASSERT_EQ(DebugSetLogFilename(dir.File("log.txt").c_str(), 0), 1);
    EngFree(nullptr, c.report, c.caller);
    if (!c.told) {
      EXPECT_EQ(DebugGetNumMessages(), 0);
      continue;
    }
    ASSERT_EQ(DebugGetNumMessages(), 1);
    const std::string text = DebugGetMessage(0)->text;
    EXPECT_NE(text.find(c.told), std::string::npos) << text;
    EXPECT_EQ(DebugGetMessage(0)->code, DEBUG_MSG_ERROR);
  }
  DebugResetForTests();
}

TEST(EngMemory, MallocStringFromString) {
  char *copy = EngMallocStringFromString("hello", 1, "Caller");
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy, "hello");
  EngFree(copy, 1, "Caller");

  // An empty text is refused only when the caller asks for the report.
  EXPECT_EQ(EngMallocStringFromString("", 1, "Caller"), nullptr);
  char *empty = EngMallocStringFromString("", 0, "Caller");
  ASSERT_NE(empty, nullptr);
  EXPECT_STREQ(empty, "");
  EngFree(empty, 1, nullptr);

  EXPECT_EQ(EngMallocStringFromString(nullptr, 1, "Caller"), nullptr);
  EXPECT_EQ(EngMallocStringFromString(nullptr, 0, "Caller"), nullptr);
}

TEST(EngMemory, ZeroAndCopyIgnoreBadArguments) {
  char buffer[8] = "abcdefg";
  EngZeroMemory(nullptr, 8);
  EngZeroMemory(buffer, 0);
  EXPECT_STREQ(buffer, "abcdefg");
  EngCopyMemory(buffer, nullptr, 4);
  EngCopyMemory(nullptr, "xyz", 4);
  EngCopyMemory(buffer, "xyz", 0);
  EXPECT_STREQ(buffer, "abcdefg");

  EngCopyMemory(buffer, "xyz", 3);
  EXPECT_STREQ(buffer, "xyzdefg");
  EngZeroMemory(buffer + 2, 3);
  EXPECT_EQ(std::string(buffer, 7), std::string("xy\0\0\0fg", 7));
}

TEST(EngMemory, SafeStrcpyCutsTerminatesAndZeroFills) {
  struct Case {
    const char *source;
    size_t size;
    const char *expected;
  };
  const Case cases[] = {
      {"monkey", 4, "mon"}, {"monkey", 7, "monkey"}, {"monkey", 6, "monke"}, {"", 8, ""},
      {nullptr, 8, ""},     {"a", 1, ""},           {"abc", 16, "abc"},
  };
  for (const Case &c : cases) {
    char destination[16];
    memset(destination, 'Z', sizeof destination);
    EXPECT_EQ(EngSafeStrcpy(destination, c.source, c.size), destination);
    EXPECT_STREQ(destination, c.expected) << (c.source ? c.source : "(null)") << " size " << c.size;
    // Nothing is written past the size; a copied text has the rest zero-filled.
    if (c.source && *c.source) {
      for (size_t i = strlen(c.expected); i < c.size; i++) EXPECT_EQ(destination[i], 0) << i;
    }
    for (size_t i = c.size; i < sizeof destination; i++) EXPECT_EQ(destination[i], 'Z') << i;
  }

  char untouched[4] = "abc";
  EXPECT_EQ(EngSafeStrcpy(untouched, "xyz", 0), untouched);
  EXPECT_STREQ(untouched, "abc");
  EXPECT_EQ(EngSafeStrcpy(nullptr, "xyz", 4), nullptr);
}

TEST(EngMemory, StrStrFindsFirstMatchWithOptionalWordEnd) {
  struct Case {
    const char *text;
    const char *pattern;
    char word_end;
    bool ignore_case;
    int expected;  // position of the match, -1 for none
  };
  const Case cases[] = {
      {"keys monkey", "key", 1, false, 8},
      {"keys monkey", "key", 0, false, 0},
      {"keys key", "key", 1, false, 5},
      {"key s", "key", 1, false, 0},
      {"key\ts", "key", 1, false, 0},
      {"key\ns", "key", 1, false, 0},
      {"key\rs", "key", 1, false, 0},
      {"keys", "key", 1, false, -1},
      {"ke", "key", 0, false, -1},
      {"abc", "abc", 1, false, 0},
      {"", "abc", 0, false, -1},
      {"KEYS MonKey", "key", 1, false, -1},
      {"KEYS MonKey", "key", 1, true, 8},
      {"KEYS MonKey", "key", 0, true, 0},
      {"caf\xc9 bar", "caf\xe9", 1, true, 0},  // Latin-1 letters fold too
      {"a\xd7", "a\xf7", 0, true, -1},         // multiplication and division signs are not letters
  };
  for (const Case &c : cases) {
    const char *found =
        c.ignore_case ? EngStrIStr(c.text, c.pattern, c.word_end) : EngStrStr(c.text, c.pattern, c.word_end);
    int position = found ? int(found - c.text) : -1;
    EXPECT_EQ(position, c.expected) << "[" << c.text << "] [" << c.pattern << "] word_end " << int(c.word_end)
                                    << " ignore_case " << c.ignore_case;
  }

  char modifiable[] = "keys key";
  char *found = EngStrStr(modifiable, "key", 1);
  ASSERT_EQ(found, modifiable + 5);
  *found = 'K';
  EXPECT_EQ(EngStrIStr(modifiable, "KEY", 1), modifiable + 5);

  EXPECT_EQ(EngStrStr(static_cast<const char *>(nullptr), "a", 0), nullptr);
  EXPECT_EQ(EngStrStr("abc", nullptr, 0), nullptr);
  EXPECT_EQ(EngStrIStr("abc", "", 0), nullptr);
}

TEST(EngMemory, ReturnSafeString) {
  EXPECT_STREQ(EngReturnSafeString(nullptr), "(none)");
  const char *text = "abc";
  EXPECT_EQ(EngReturnSafeString(text), text);
}

TEST(EngMemory, FourCharCodes) {
  EXPECT_EQ(EngGetFourCharStringAsID("MAIN"), EngUInt32('M') << 24 | EngUInt32('A') << 16 | 'I' << 8 | 'N');
  EXPECT_EQ(EngGetFourCharStringAsID("MAIN"), EngFourCC("MAIN"));
  EXPECT_EQ(EngGetFourCharStringAsID("\xff\x80zz"), 0xFF807A7Au);
  for (const char *bad : {"MAI", "MAINS", "", static_cast<const char *>(nullptr)})
    EXPECT_EQ(EngGetFourCharStringAsID(bad), 0u) << (bad ? bad : "(null)");

  EXPECT_STREQ(EngGetFourCharIDAsString(EngFourCC("uUSR")), "uUSR");
  EXPECT_EQ(EngGetFourCharIDAsString(0), eng_four_char_id_str);
  EXPECT_STREQ(EngGetFourCharIDAsString(EngFourCC("BAPA")), "BAPA");
  EXPECT_STREQ(eng_four_char_id_str, "BAPA");
}

}  // namespace
