#include "Engine/EngUnicode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(EngUnicodeTest, NarrowToWideIsByteForCodePoint) {
  std::string all;
  for (int c = 1; c < 256; c++) all += char(c);
  EngUnicode text(all.c_str(), 0);
  const wchar_t *wide = text.GetUnicodeString(0, 1);
  for (int c = 1; c < 256; c++) ASSERT_EQ(wide[c - 1], wchar_t(c));
  EXPECT_EQ(wide[255], 0);
  EXPECT_STREQ(text.GetAsciiString(0, 1), all.c_str());
  EXPECT_EQ(text.GetString(0, 1), text.GetAsciiString(0, 1));

  // An empty string makes no wide copy.
  EngUnicode empty("", 0);
  EXPECT_STREQ(empty.GetAsciiString(0, 1), "");
  EXPECT_EQ(empty.GetAsciiString(1, 0), nullptr);
  EXPECT_EQ(empty.GetUnicodeString(1, 0), nullptr);
  EXPECT_EQ(empty.GetUnicodeString(0, 0)[0], 0);

  // Keeping it narrow: the source as given, and no wide form.
  EngUnicode narrow_only("abc", 1);
  EXPECT_STREQ(narrow_only.GetAsciiString(0, 1), "abc");
  EXPECT_EQ(narrow_only.GetUnicodeString(1, 0), nullptr);
  EngUnicode null_only(static_cast<const char *>(nullptr), 1);
  EXPECT_EQ(null_only.GetAsciiString(1, 1), nullptr);
  EXPECT_STREQ(null_only.GetAsciiString(0, 1), "");
}

TEST(EngUnicodeTest, WideToNarrowOnlyUpTo255) {
  EngUnicode e_acute(L"\u00E9t\u00E9", 0);
  EXPECT_STREQ(e_acute.GetAsciiString(0, 1), "\xE9t\xE9");
  EXPECT_STREQ(e_acute.GetUnicodeString(0, 1), L"\u00E9t\u00E9");

  EngUnicode euro(L"5 \u20AC", 0);
  EXPECT_EQ(euro.GetAsciiString(1, 0), nullptr);
  EXPECT_STREQ(euro.GetAsciiString(0, 1), "");

  EngUnicode empty(L"", 0);
  EXPECT_EQ(empty.GetAsciiString(1, 0), nullptr);
}

TEST(EngUnicodeTest, ConversionFunctionsBoundTheirOutput) {
  wchar_t wide[4];
  EXPECT_EQ(EngUnicodeConvertAnsiStrToUnicode("ab\xFF", wide, 4), 1);
  EXPECT_STREQ(wide, L"ab\u00FF");
  EXPECT_EQ(EngUnicodeConvertAnsiStrToUnicode("abcdef", wide, 4), 1);
  EXPECT_STREQ(wide, L"abc");  // the last character is always the terminator
  EXPECT_EQ(EngUnicodeConvertAnsiStrToUnicode(nullptr, wide, 4), 0);
  EXPECT_EQ(EngUnicodeConvertAnsiStrToUnicode("a", nullptr, 4), 0);
  EXPECT_EQ(EngUnicodeConvertAnsiStrToUnicode("a", wide, 0), 0);

  char narrow[4];
  EXPECT_EQ(EngUnicodeConvertUnicodeStrToAnsi(L"\u00E9xyz", narrow, 4), 1);
  EXPECT_STREQ(narrow, "\xE9xy");
  EXPECT_EQ(EngUnicodeConvertUnicodeStrToAnsi(L"a\u0100", narrow, 4), 0);
  EXPECT_EQ(EngUnicodeConvertUnicodeStrToAnsi(nullptr, narrow, 4), 0);
  EXPECT_EQ(EngUnicodeConvertUnicodeStrToAnsi(L"a", narrow, 0), 0);
}

TEST(EngUnicodeTest, MemAnsiStringChecksEveryAccess) {
  EngMemAnsiString text(4, "test");
  EXPECT_EQ(text.Length(), 0);
  text.Set("abcdef");
  EXPECT_STREQ(text.Get(), "abc");
  EXPECT_EQ(text.Length(), 3);
  EXPECT_EQ(text.SetChar(4, 'x', 0), 0);
  EXPECT_EQ(text.SetChar(-1, 'x', 0), 0);
  EXPECT_EQ(text.SetChar(3, 'x', 1), -1);
  EXPECT_EQ(text.SetChar(1, 'B', 1), 1);
  EXPECT_EQ(text.GetChar(1, 1), 'B');
  EXPECT_EQ(text.GetChar(3, 1), -1);
  EXPECT_EQ(text.GetChar(3, 0), 0);
  EXPECT_EQ(text.GetChar(9, 0), -1);
  text[2] = 'C';
  EXPECT_STREQ(text.Get(), "aBC");
  // A write through a bad position lands in the shared spare character.
  text[4] = 'Z';
  EXPECT_EQ(eng_mem_ascii_string_ret_char, 'Z');
  EXPECT_STREQ(text.Get(), "aBC");
  text.Set(nullptr);
  EXPECT_EQ(text.Length(), 0);
  text.Set("q");
  text.Clear();
  EXPECT_EQ(text.Length(), 0);

  // Without a buffer every access answers safely.
  EngMemAnsiString none(0, "none");
  EXPECT_EQ(none.Length(), 0);
  none.Set("x");
  none.Clear();
  EXPECT_EQ(none.SetChar(0, 'x', 0), 0);
  EXPECT_EQ(none.GetChar(0, 0), -1);
  EXPECT_EQ(&none[0], &eng_mem_ascii_string_ret_char);
  none.Alloc(2, nullptr);
  none.Set("xy");
  EXPECT_STREQ(none.Get(), "x");
  none.Free();
  EXPECT_EQ(none.Length(), 0);
}

TEST(EngUnicodeTest, SimpleMemoryStrings) {
  EngSimpleMemoryAnsiString ansi(8);
  ASSERT_NE(ansi.Get(1), nullptr);
  EXPECT_EQ(ansi.GetString(1, 1), ansi.Get(0));
  EXPECT_STREQ(ansi.GetString(0, 0), "");  // zero-filled

  EngSimpleMemoryString none(0);
  EXPECT_EQ(none.Get(1), nullptr);
  EXPECT_EQ(none.GetString(1, 1), nullptr);
  EXPECT_STREQ(none.GetString(0, 0), "");
  EngSimpleMemoryAnsiString negative(-5);
  EXPECT_EQ(negative.Get(0), nullptr);
}

TEST(EngUnicodeTest, AnsiStrnicmpFoldsOnlyAsciiLetters) {
  struct Case {
    const char *a, *b;
    EngInt32 count, result;
  };
  const Case cases[] = {
      {"ABC", "abe", 3, -1}, {"ABC", "abe", 2, 0},  {"abe", "ABC", 3, 1},     {"abc", "ABC", 10, 0},
      {"ab", "abc", 3, -1},  {"x", "y", 0, 0},      {nullptr, "a", 1, -1},    {"a", nullptr, 1, -1},
      {"\xC9", "\xE9", 1, -1}, {"\xE9", "a", 1, -1},  // bytes from 128 compare as negative values
  };
  for (const Case &c : cases) {
    EXPECT_EQ(EngAnsiStrnicmp(c.a, c.b, c.count), c.result)
        << (c.a ? c.a : "null") << " / " << (c.b ? c.b : "null") << " / " << c.count;
  }
}

}  // namespace
