#include "Engine/EngMiscString.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngMemory.h"

namespace {

std::string Owned(char *text) {
  std::string s = text ? text : "(null)";
  EngFree(text, 0, "test");
  return s;
}

std::string OwnedMalloc(char *text) {
  std::string s = text ? text : "(null)";
  free(text);
  return s;
}

class EngMiscStringTest : public ::testing::Test {
 protected:
  void SetUp() override { EngMiscStringResetForTests(); }
  void StartLog() { testing::internal::CaptureStderr(); }
  std::string EndLog() { return testing::internal::GetCapturedStderr(); }
};

bool Contains(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

TEST_F(EngMiscStringTest, Searching) {
  const char *text = "Hello World";
  EXPECT_EQ(EngMiscStrIStr(text, "WORLD"), text + 6);
  EXPECT_EQ(EngMiscStrIStr(text, "worlds"), nullptr);
  EXPECT_EQ(EngMiscStrIStr(text, ""), nullptr);
  EXPECT_EQ(EngMiscStrIStr("", "a"), nullptr);
  EXPECT_EQ(EngMiscStrIStr(nullptr, "a"), nullptr);

  EXPECT_EQ(EngMiscMatchStringInString(text, "lo", 0), text + 3);
  EXPECT_EQ(EngMiscMatchStringInString(text, "lo", 1), text + 5);
  EXPECT_EQ(EngMiscMatchStringInString(text, "LO", 0), nullptr);
  EXPECT_EQ(EngMiscMatchStringInString("", "a", 0), nullptr);
  StartLog();
  EXPECT_EQ(EngMiscMatchStringInString(text, "", 0), nullptr);
  EXPECT_TRUE(Contains(EndLog(), "EngMiscMatchStringInString"));

  EXPECT_EQ(EngMiscGetFirstOccurenceOfCharacterInString("abcabc", 'c'), 2);
  EXPECT_EQ(EngMiscGetFirstOccurenceOfCharacterInString("abc", 'z'), -1);
  EXPECT_EQ(EngMiscGetFirstOccurenceOfCharacterInString(nullptr, 'z'), -1);
}

TEST_F(EngMiscStringTest, TextBetweenTwoStrings) {
  EXPECT_EQ(Owned(EngMiscGetStringInBetweenStrings("a[word]", "[", "]")), "word");
  EXPECT_EQ(Owned(EngMiscGetStringInBetweenStrings("ab[]", "[", "]")), "");
  EXPECT_EQ(Owned(EngMiscGetStringInBetweenStrings("<b>x</b><b>y</b>", "<b>", "</b>")), "x");
  EXPECT_EQ(Owned(EngMiscGetStringInBetweenStrings("a[word", "[", "]")), "(null)");
  EXPECT_EQ(Owned(EngMiscGetStringInBetweenStrings("a]word[", "[", "]")), "(null)");
  EXPECT_EQ(Owned(EngMiscGetStringInBetweenStrings("", "[", "]")), "(null)");
  StartLog();
  EXPECT_EQ(Owned(EngMiscGetStringInBetweenStrings("a[b]", "", "]")), "(null)");
  EXPECT_TRUE(Contains(EndLog(), "EngMiscGetStringInBetweenStrings"));
}

TEST_F(EngMiscStringTest, RemovingTheFirstOccurrence) {
  struct Case {
    const char *text, *remove, *insert;
    char result;
    const char *after;
  };
  const Case cases[] = {
      {"one two", "two", "six", 1, "one six"},   {"one two", "two", "seven", 1, "one "},
      {"one two", "two", nullptr, 1, "one "},    {"one two two", "two", "2", 1, "one 2 two"},
      {"one two", "three", "x", 0, "one two"},   {"one two", "", "x", 0, "one two"},
      {"aaa", "a", "", 1, "aa"},                 {"start end", "start", "go", 1, "go end"},
  };
  for (const Case &c : cases) {
    char buffer[32];
    strcpy(buffer, c.text);
    StartLog();
    EXPECT_EQ(EngMiscRemoveFirstOccurenceOfStringFromString(buffer, c.remove, c.insert), c.result) << c.text;
    std::string log = EndLog();
    EXPECT_STREQ(buffer, c.after);
    bool too_long = c.insert && strlen(c.insert) > strlen(c.remove) && c.result;
    EXPECT_EQ(Contains(log, "str_to_add too long."), too_long) << c.insert;
  }
  EXPECT_EQ(EngMiscRemoveFirstOccurenceOfStringFromString(nullptr, "a", nullptr), 0);
}

TEST_F(EngMiscStringTest, ReplacingOnce) {
  struct Case {
    const char *text, *find, *replace;
    char case_sensitive, word_end;
    const char *result;
  };
  const Case cases[] = {
      {"one two three", "two", "2", 1, 0, "one 2 three"},
      {"one two three", "TWO", "2", 1, 0, "(null)"},
      {"one two three", "TWO", "2", 0, 0, "one 2 three"},
      {"a", "a", "a much longer text", 1, 0, "a much longer text"},
      {"abc", "abc", "", 1, 0, ""},
      {"cats cat", "cat", "dog", 1, 1, "cats dog"},
      {"cat\tcats", "cat", "dog", 1, 1, "dog\tcats"},
      {"cats", "cat", "dog", 1, 1, "(null)"},
      {"", "x", "y", 1, 0, "(null)"},
  };
  for (const Case &c : cases)
    EXPECT_EQ(Owned(EngMiscGetStringAfterReplacingStringInStringOnce(c.text, c.find, c.replace, c.case_sensitive,
                                                                     c.word_end)),
              c.result)
        << c.text << " / " << c.find;
  StartLog();
  EXPECT_EQ(EngMiscGetStringAfterReplacingStringInStringOnce("abc", "", "x", 1, 0), nullptr);
  EXPECT_EQ(EngMiscGetStringAfterReplacingStringInStringOnce("abc", "b", nullptr, 1, 0), nullptr);
  EXPECT_EQ(EngMiscGetStringAfterReplacingStringInStringOnce(nullptr, "b", "x", 1, 0), nullptr);
  EXPECT_TRUE(Contains(EndLog(), "EngMiscGetStringAfterReplacingStringInStringOnce"));
}

TEST_F(EngMiscStringTest, CasesAndTrimming) {
  char text[32] = "mixed Case 12 \xe9";
  EngMiscMakeStringUpperCase(text);
  EXPECT_STREQ(text, "MIXED CASE 12 \xe9");  // ASCII only, whatever the locale
  EngMiscMakeStringUpperCase(nullptr);

  struct Case {
    const char *before;
    char result;
    const char *after;
  };
  const Case returns[] = {{"line\r\n", 1, "line"}, {"line\n\r\n", 1, "line"}, {"\r\n", 1, ""},
                          {"a\rb", 1, "a\rb"},     {"", 0, ""}};
  for (const Case &c : returns) {
    strcpy(text, c.before);
    EXPECT_EQ(EngMiscRemoveAnyCarriageReturnsFromEndOfString(text), c.result);
    EXPECT_STREQ(text, c.after);
  }
  const Case spaces[] = {{"  a b \t", 1, "a b"}, {"\t\t", 1, ""}, {"x", 1, "x"}, {" \tx", 1, "x"}, {"", 0, ""}};
  for (const Case &c : spaces) {
    strcpy(text, c.before);
    EXPECT_EQ(EngMiscRemoveAnySpacesFromStartOrEndOfString(text), c.result);
    EXPECT_STREQ(text, c.after);
  }
  EXPECT_EQ(EngMiscRemoveAnySpacesFromStartOrEndOfString(nullptr), 0);
  EXPECT_EQ(EngMiscRemoveAnyCarriageReturnsFromEndOfString(nullptr), 0);

  EXPECT_STREQ(EngMiscGetStringFromInt32(INT_MIN), "-2147483648");
  const char *shared = EngMiscGetStringFromInt32(42);
  EXPECT_STREQ(shared, "42");
  EngMiscGetStringFromInt32(7);
  EXPECT_STREQ(shared, "7");  // one static buffer
}

TEST_F(EngMiscStringTest, CharacterClasses) {
  EXPECT_EQ(EngMiscIsCharAlphaNumeric('a', 0, 0, 0, 0), 1);
  EXPECT_EQ(EngMiscIsCharAlphaNumeric('Z', 0, 0, 0, 0), 1);
  EXPECT_EQ(EngMiscIsCharAlphaNumeric('7', 0, 0, 0, 0), 1);
  EXPECT_EQ(EngMiscIsCharAlphaNumeric('\xe9', 1, 1, 1, 1), 0);
  const char specials[] = {' ', '.', ',', '-'};
  for (int i = 0; i < 4; i++) {
    char flags[4] = {0, 0, 0, 0};
    EXPECT_EQ(EngMiscIsCharAlphaNumeric(specials[i], 0, 0, 0, 0), 0);
    flags[i] = 1;
    EXPECT_EQ(EngMiscIsCharAlphaNumeric(specials[i], flags[0], flags[1], flags[2], flags[3]), 1);
  }
  EXPECT_EQ(EngMiscIsStringAlphaNumeric("Abc 12", 1, 0, 0, 0), 1);
  EXPECT_EQ(EngMiscIsStringAlphaNumeric("Abc 12", 0, 0, 0, 0), 0);
  EXPECT_EQ(EngMiscIsStringAlphaNumeric("", 1, 1, 1, 1), 0);
  EXPECT_EQ(EngMiscIsStringAlphaNumeric(nullptr, 1, 1, 1, 1), 0);
}

TEST_F(EngMiscStringTest, PictureNames) {
  struct Case {
    const char *name;
    char result;
  };
  const Case cases[] = {{"a.JPG", 1},   {"b.jpeg", 1}, {"c.png", 0},      {".jpg", 0},   {"x.Tga", 1},
                        {"dir.x/y.bmp", 1}, {"a.jp", 0}, {"abc", 0}, {"a.jpgx", 0}, {nullptr, 0}};
  for (const Case &c : cases) EXPECT_EQ(EngMiscIsFilenamePicture(c.name), c.result) << (c.name ? c.name : "null");
}

TEST_F(EngMiscStringTest, EmailAddresses) {
  struct Case {
    const char *text;
    int max;
    char result;
  };
  const Case cases[] = {
      {"a@b.c", 0, 1},          {"a@bc", 0, 0},        {"@b.c", 0, 0},      {"a@@b.c", 0, 0},
      {"a@b.c@d", 0, 0},        {"a b@c.d", 0, 0},     {"a@b.c ", 0, 0},    {"a.b@c", 0, 0},
      {"a@b.", 0, 1},           {"ab", 0, 0},          {"a@b.c", 5, 0},     {"a@b.c", 6, 1},
      {"a\xe9@b.c", 0, 0},      {"a@b\x7f.c", 0, 0},   {nullptr, 0, 0},     {"a@", 0, 0},
  };
  for (const Case &c : cases)
    EXPECT_EQ(EngMiscIsEmailAddressValid(c.text, c.max), c.result) << (c.text ? c.text : "null") << " " << c.max;
}

TEST_F(EngMiscStringTest, FileNameParts) {
  int separator = 99, length = 99;
  const char *path = "folder/sub\\file.txt";
  EXPECT_EQ(EngMiscGetFilenameInPathWithFilenameString(path, &separator, &length, 1), path + 11);
  EXPECT_EQ(separator, 10);
  EXPECT_EQ(length, 19);
  const char *trailing = "a/b/";
  EXPECT_EQ(EngMiscGetFilenameInPathWithFilenameString(trailing, &separator, nullptr, 0), trailing + 2);
  StartLog();
  EXPECT_EQ(EngMiscGetFilenameInPathWithFilenameString("file", nullptr, nullptr, 1), nullptr);
  EXPECT_EQ(EngMiscGetFilenameInPathWithFilenameString("f", nullptr, nullptr, 1), nullptr);
  EXPECT_EQ(EngMiscGetFilenameInPathWithFilenameString("", nullptr, nullptr, 1), nullptr);
  std::string log = EndLog();
  EXPECT_TRUE(Contains(log, "No path/filename found"));
  EXPECT_TRUE(Contains(log, "Path too small"));
  EXPECT_TRUE(Contains(log, "No path"));
  StartLog();
  EXPECT_EQ(EngMiscGetFilenameInPathWithFilenameString("file", nullptr, nullptr, 0), nullptr);
  EXPECT_EQ(EndLog(), "");

  EXPECT_STREQ(EngMiscGetExtensionFromFilename("archive.tar.gz"), "gz");
  EXPECT_EQ(Owned(EngMiscGetBasenameFromFilename("archive.tar.gz")), "archive.tar");
  StartLog();
  EXPECT_EQ(EngMiscGetExtensionFromFilename("name."), nullptr);
  EXPECT_EQ(EngMiscGetExtensionFromFilename(".profile"), nullptr);
  EXPECT_EQ(EngMiscGetBasenameFromFilename("noext"), nullptr);
  EXPECT_EQ(EngMiscGetExtensionFromFilename(""), nullptr);
  log = EndLog();
  EXPECT_TRUE(Contains(log, "No extension in [name.]."));
  EXPECT_TRUE(Contains(log, "No extension in [.profile]."));
  EXPECT_TRUE(Contains(log, "No extension in [noext]."));
  EXPECT_TRUE(Contains(log, "No filename."));
}

TEST_F(EngMiscStringTest, RootFolder) {
  int length = 99;
  char allocated = 9;
  char *root = EngMiscGetRootFolderFromPath("Users/Bob/file", &length, &allocated);
  EXPECT_EQ(allocated, 1);
  EXPECT_EQ(length, 5);
  EXPECT_EQ(Owned(root), "Users");

  const char *mixed = "a/b\\c";  // a backslash wins over an earlier slash
  root = EngMiscGetRootFolderFromPath(mixed, &length, &allocated);
  EXPECT_EQ(allocated, 1);
  EXPECT_EQ(Owned(root), "a/b");

  const char *plain = "plain";
  EXPECT_EQ(EngMiscGetRootFolderFromPath(plain, &length, &allocated), plain);
  EXPECT_EQ(allocated, 0);
  EXPECT_EQ(length, 5);
  const char *trailing = "dir/";
  EXPECT_EQ(EngMiscGetRootFolderFromPath(trailing, &length, &allocated), trailing);
  EXPECT_EQ(length, 4);

  StartLog();
  EXPECT_EQ(EngMiscGetRootFolderFromPath("/abs/path", &length, &allocated), nullptr);
  EXPECT_EQ(EngMiscGetRootFolderFromPath("a/b", &length, nullptr), nullptr);
  EXPECT_EQ(EngMiscGetRootFolderFromPath("", &length, &allocated), nullptr);
  EXPECT_TRUE(Contains(EndLog(), "EngMiscGetRootFolderFromPath"));
  EXPECT_EQ(allocated, 0);
  EXPECT_EQ(length, 0);
}

struct Read {
  char result;
  std::string text;
};

std::vector<Read> ReadAllLines(const char *source, size_t buffer_size) {
  std::string copy = source;
  _EngMiscGetLineFromDataInfo info = {&copy[0], 0};
  std::vector<char> buffer(buffer_size + 1, '#');
  std::vector<Read> out;
  for (int guard = 0; guard < 100; guard++) {
    char result = EngMiscGetLineFromData(&info, buffer.data(), buffer_size);
    EXPECT_EQ(buffer[buffer_size], '#') << "wrote past the buffer";
    out.push_back({result, buffer.data()});
    if (!result) break;
  }
  EXPECT_EQ(copy, source) << "the text must not change";
  return out;
}

TEST_F(EngMiscStringTest, ReadingLines) {
  auto lines = ReadAllLines("one\r\ntwo\n\nlast", 64);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].text, "one\r");  // a carriage return stays in the line
  EXPECT_EQ(lines[0].result, 1);
  EXPECT_EQ(lines[1].text, "two");
  EXPECT_EQ(lines[2].text, "");
  EXPECT_EQ(lines[2].result, 1);
  EXPECT_EQ(lines[3].text, "last");
  EXPECT_EQ(lines[3].result, 1);
  EXPECT_EQ(lines[4].result, 0);
  EXPECT_EQ(lines[4].text, "");

  lines = ReadAllLines("a\nb\n", 64);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].text, "b");
  EXPECT_EQ(lines[1].result, 2);
  EXPECT_EQ(lines[2].result, 0);

  EXPECT_EQ(ReadAllLines("", 8).front().result, 0);
}

TEST_F(EngMiscStringTest, ReadingLinesLongerThanTheBuffer) {
  // A cut line: the rest of a line with a line feed is skipped, a last line without one
  // goes on in pieces.
  auto lines = ReadAllLines("0123456789\nab\nwxyz0123", 5);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].text, "0123");
  EXPECT_EQ(lines[1].text, "ab");
  EXPECT_EQ(lines[2].text, "wxyz");
  EXPECT_EQ(lines[3].text, "0123");
  EXPECT_EQ(lines[3].result, 1);
  EXPECT_EQ(lines[4].result, 0);

  lines = ReadAllLines("abc\n", 1);
  EXPECT_EQ(lines[0].text, "");
  EXPECT_EQ(lines[0].result, 2);
}

TEST_F(EngMiscStringTest, ReadingFieldsAndBadParameters) {
  std::string text = "red;green;;blue;";
  _EngMiscGetFieldFromDataInfo info = {&text[0], ';', 0};
  char buffer[16];
  const char *expected[] = {"red", "green", "", "blue"};
  for (const char *e : expected) {
    char result = EngMiscGetFieldFromData(&info, buffer, sizeof(buffer));
    EXPECT_STREQ(buffer, e);
    EXPECT_EQ(result, strcmp(e, "blue") ? 1 : 2);
  }
  EXPECT_EQ(EngMiscGetFieldFromData(&info, buffer, sizeof(buffer)), 0);

  StartLog();
  info.separator = 0;
  EXPECT_EQ(EngMiscGetFieldFromData(&info, buffer, sizeof(buffer)), 0);
  info.separator = ';';
  EXPECT_EQ(EngMiscGetFieldFromData(&info, buffer, 0), 0);
  EXPECT_EQ(EngMiscGetLineFromData(nullptr, buffer, sizeof(buffer)), 0);
  _EngMiscGetLineFromDataInfo line = {&text[0], 0};
  EXPECT_EQ(EngMiscGetLineFromData(&line, nullptr, 4), 0);
  std::string log = EndLog();
  EXPECT_TRUE(Contains(log, "Invalid parameters"));
  EXPECT_TRUE(Contains(log, "No field."));
  EXPECT_TRUE(Contains(log, "No line."));
}

TEST_F(EngMiscStringTest, BoundedIntegers) {
  struct Case {
    const char *text;
    int min, max;
    char result;
    int stored;
    const char *message;
  };
  const Case cases[] = {
      {"50", 0, 100, 1, 50, ""},
      {"250", 0, 100, 0, 100, "Value too high (250 > 100)"},
      {"-7", 0, 100, 0, 0, "Value too low (-7 < 0)"},
      {"  42abc", 0, 100, 1, 42, ""},
      {"abc", 1, 100, 0, 1, "Value too low (0 < 1)"},
      {"99999999999999999999", 0, INT_MAX, 1, INT_MAX, ""},
      {"-99999999999999999999", INT_MIN, 0, 1, INT_MIN, ""},
      {"", 0, 100, 0, 0, "No string."},
      {nullptr, 0, 100, 0, 0, "No string."},
  };
  for (const Case &c : cases) {
    int out = -12345;
    StartLog();
    EXPECT_EQ(EngMiscGetIntFromString(c.text, &out, c.min, c.max), c.result) << (c.text ? c.text : "null");
    std::string log = EndLog();
    EXPECT_EQ(out, c.stored) << (c.text ? c.text : "null");
    if (*c.message) {
      EXPECT_TRUE(Contains(log, c.message)) << log;
    }
  }
  StartLog();
  EXPECT_EQ(EngMiscGetIntFromString("5", nullptr, 0, 10), 0);
  EXPECT_EQ(EngMiscGetCharFromString("5", nullptr, 0, 10), 0);
  std::string log = EndLog();
  EXPECT_TRUE(Contains(log, "No int_out."));
  EXPECT_TRUE(Contains(log, "No out_val."));
}

TEST_F(EngMiscStringTest, BoundedSmallIntegers) {
  short s = 0;
  StartLog();
  EXPECT_EQ(EngMiscGetInt16FromString("70000", &s, -100, 30000), 0);
  EXPECT_TRUE(Contains(EndLog(), "Value too high (70000 > 30000)"));
  EXPECT_EQ(s, 30000);
  EXPECT_EQ(EngMiscGetInt16FromString("-32768", &s, -32768, 32767), 1);
  EXPECT_EQ(s, -32768);

  unsigned short us = 0;
  StartLog();
  EXPECT_EQ(EngMiscGetUInt16FromString("-1", &us, 0, 65535), 0);
  EXPECT_TRUE(Contains(EndLog(), "Value too low (-1 < 0)"));
  EXPECT_EQ(us, 0);
  EXPECT_EQ(EngMiscGetUInt16FromString("65535", &us, 0, 65535), 1);
  EXPECT_EQ(us, 65535);

  char c = 0;
  StartLog();
  EXPECT_EQ(EngMiscGetCharFromString("200", &c, -128, 127), 0);
  EXPECT_TRUE(Contains(EndLog(), "Value too high (200 > 127)"));
  EXPECT_EQ(c, 127);

  unsigned char uc = 0;
  EXPECT_EQ(EngMiscGetUCharFromString("255", &uc, 0, 255), 1);
  EXPECT_EQ(uc, 255);
  StartLog();
  EXPECT_EQ(EngMiscGetUCharFromString("256", &uc, 0, 255), 0);
  EndLog();
  EXPECT_EQ(uc, 255);
}

TEST_F(EngMiscStringTest, UrlCoding) {
  EXPECT_EQ(OwnedMalloc(EngMiscUrlEncodeString("a b/c")), "a%20b%2fc");
  EXPECT_EQ(OwnedMalloc(EngMiscUrlEncodeString("Az09-._~")), "Az09-._~");
  EXPECT_EQ(OwnedMalloc(EngMiscUrlEncodeString("\xff\x01")), "%ff%01");
  EXPECT_EQ(OwnedMalloc(EngMiscUrlEncodeString("")), "");

  struct Case {
    const char *in, *out;
  };
  const Case cases[] = {{"a+b%2Fc%", "a b/c"}, {"%41%62", "Ab"}, {"x%4", "x4"}, {"%", ""},
                        {"%ff", "\xff"},      {"plain", "plain"}};
  for (const Case &c : cases) EXPECT_EQ(OwnedMalloc(EngMiscUrlDecodeString(c.in)), c.out) << c.in;

  const char *round_trip = "name=Bob & Alice/\xe9";
  EXPECT_EQ(OwnedMalloc(EngMiscUrlDecodeString(OwnedMalloc(EngMiscUrlEncodeString(round_trip)).c_str())),
            round_trip);
}

TEST_F(EngMiscStringTest, LongStringsGoToTheLogInPieces) {
  const char *text = "0123456789abcdefghijKLMNO";
  StartLog();
  EngMiscOutputLongString(text, 10, 0);
  std::string log = EndLog();
  EXPECT_TRUE(Contains(log, "00: <0123456789>"));
  EXPECT_TRUE(Contains(log, "01: <abcdefghij>"));
  EXPECT_TRUE(Contains(log, "02: <KLMNO>"));

  StartLog();
  EngMiscOutputLongString(text, 5, 1);
  log = EndLog();
  EXPECT_TRUE(Contains(log, "00: <01234>"));
  EXPECT_FALSE(Contains(log, "01: <"));
  EXPECT_TRUE(Contains(log, "04: <KLMNO>"));

  StartLog();
  EngMiscOutputLongString(text, 25, 0);
  EngMiscOutputLongString(nullptr, 10, 0);
  EngMiscOutputLongString("", 10, 0);
  EngMiscOutputLongString(text, 0, 0);
  log = EndLog();
  EXPECT_TRUE(Contains(log, std::string("[") + text + "]"));
  EXPECT_TRUE(Contains(log, "(nothing)"));
  EXPECT_TRUE(Contains(log, "(empty)"));
  EXPECT_TRUE(Contains(log, "EngMiscOutputLongString"));
}

}  // namespace
