#include "Engine/MAC/EngText_MAC.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Typed text and the clipboard come in through this one conversion: whatever the bytes, no
// NUL, no overlong '/' and no surrogate gets through, and each bad sequence is one '?'.
TEST(EngText_MACTest, Utf8ToLatin1RefusesOverlongFormsAndSurrogates) {
  struct Case {
    const char *name, *in, *out;
  } cases[] = {
      {"ASCII", "Wren Ash/1", "Wren Ash/1"},
      {"two-byte Latin-1", "caf\xC3\xA9 \xC2\xA0\xC3\xBF", "caf\xE9 \xA0\xFF"},
      {"above Latin-1", "\xE2\x82\xAC\xF0\x9F\x98\x80.", "??."},
      {"overlong NUL", "a\xC0\x80z", "a?z"},
      {"overlong slash, two bytes", "\xC0\xAF", "?"},
      {"overlong slash, three bytes", "\xE0\x80\xAF", "?"},
      {"overlong slash, four bytes", "\xF0\x80\x80\xAF", "?"},
      {"overlong Latin-1", "\xE0\x83\xA9", "?"},
      {"high surrogate", "\xED\xA0\x80x", "?x"},
      {"low surrogate", "\xED\xBF\xBF", "?"},
      {"cut sequence", "\xC3", "?"},
      {"cut before ASCII", "\xE2\x82z", "?z"},
      {"lone continuation", "\x80\xBF", "??"},
      {"bytes never in UTF-8", "\xF8\x88\x80\x80\x80\xFF", "?????" "?"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "?"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EngUtf8ToLatin1_MAC(c.in), c.out);
  }
  EXPECT_EQ(EngUtf8ToLatin1_MAC(nullptr), "");
}

TEST(EngText_MACTest, Latin1RoundTripsThroughUtf8) {
  std::string all;
  for (int c = 1; c < 256; c++) all += char(c);
  EXPECT_EQ(EngUtf8ToLatin1_MAC(EngLatin1ToUtf8_MAC(all.c_str()).c_str()), all);
}

}  // namespace
