#include "Engine/TextFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "tests/support/TestSupport.h"

namespace {

using qwtest::ReadWholeFile;
using qwtest::WriteWholeFile;
typedef std::vector<std::string> Lines;

// Whether any message in the debug log's ring holds the text.
bool LogHas(const std::string &text) {
  for (EngInt32 i = 0; i < DebugGetNumMessages(); i++) {
    _DebugMessage *message = DebugGetMessage(i);
    if (message && std::string(message->text).find(text) != std::string::npos) return true;
  }
  return false;
}

const std::string kUtf8Bom = "\xEF\xBB\xBF", kLeBom = "\xFF\xFE", kBeBom = "\xFE\xFF";

// Narrow (Latin-1) text as UTF-16 bytes.
std::string Utf16(const std::string &narrow, bool big_endian) {
  std::string out;
  for (char c : narrow) {
    if (big_endian) out += '\0';
    out += c;
    if (!big_endian) out += '\0';
  }
  return out;
}

class TextFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string &name) const { return dir.File(name); }

  // Every line of a file with the given bytes, and the encoding it was read in.
  Lines ReadAll(const std::string &bytes, int *encoding = nullptr, bool *any_lossy = nullptr, int buffer_size = 0,
                int given_encoding = TF_DETECT) {
    WriteWholeFile(Path("in.txt"), bytes);
    TextFile file;
    EXPECT_EQ(file.Open(Path("in.txt").c_str(), TF_READ, given_encoding, buffer_size), TF_OK);
    if (encoding) *encoding = file.GetEncoding();
    Lines lines;
    char *line = nullptr;
    bool lossy = false;
    if (any_lossy) *any_lossy = false;
    while (file.ReadLine(&lossy, &line) == TF_OK) {
      lines.push_back(line);
      if (any_lossy && lossy) *any_lossy = true;
      if (lines.size() > 100) break;
    }
    EXPECT_EQ(file.ReadLine(&lossy, &line), TF_EOF);  // and it stays at the end
    EXPECT_NE(line, nullptr);
    free_block(line);
    return lines;
  }

  // The bytes TextFile writes for the texts in the given encoding and flags.
  std::string WriteAll(const std::vector<std::string> &texts, int encoding_and_flags, int buffer_size = 0) {
    TextFile file;
    EXPECT_EQ(file.Open(Path("out.txt").c_str(), TF_WRITE, encoding_and_flags, buffer_size), TF_OK);
    for (const std::string &text : texts) EXPECT_EQ(file.WriteString(nullptr, text.c_str()), TF_OK);
    EXPECT_EQ(file.Close(), TF_OK);
    return ReadWholeFile(Path("out.txt"));
  }

  qwtest::TempDir dir;
};

TEST_F(TextFileTest, EncodingIsDetectedAndLinesAreCut) {
  struct Case {
    const char *what;
    std::string bytes;
    int encoding;
    Lines lines;
    bool lossy;
  };
  const Case cases[] = {
      {"empty file", "", TF_DETECT, {}, false},
      {"plain", "MENU=Play\r\nQUIT=Quit", TF_ANSI, {"MENU=Play", "QUIT=Quit"}, false},
      {"final line feed adds no line", "x\n", TF_ANSI, {"x"}, false},
      {"empty lines count", "\n\r\n\n", TF_ANSI, {"", "", ""}, false},
      {"carriage return inside a line", "a\rb\nc", TF_ANSI, {"a\rb", "c"}, false},
      {"lone carriage returns", "a\rb\rc", TF_ANSI, {"a", "b", "c"}, false},
      {"Latin-1 bytes pass", "caf\xE9\n\xFF", TF_ANSI, {"caf\xE9", "\xFF"}, false},
      {"two thirds of a UTF-8 BOM", "\xEF\xBB\x41\n", TF_ANSI, {"\xEF\xBB\x41"}, false},
      {"lone BOM start", "\xFE", TF_ANSI, {"\xFE"}, false},
      {"UTF-8", kUtf8Bom + "caf\xC3\xA9\r\n\xC3\xBF!", TF_UTF8, {"caf\xE9", "\xFF!"}, false},
      {"UTF-8 BOM only", kUtf8Bom, TF_UTF8, {}, false},
      {"UTF-8 beyond Latin-1", kUtf8Bom + "\xE2\x82\xAC 5\n\xF0\x9F\x98\x80.", TF_UTF8, {"? 5", "?."}, true},
      {"invalid UTF-8", kUtf8Bom + "a\xF8" "b\n\xC3", TF_UTF8, {"a?b", "?"}, true},
      {"UTF-8 cut short", kUtf8Bom + "x\xE2\x82", TF_UTF8, {"x?"}, true},
      {"UTF-16LE", kLeBom + Utf16("caf\xE9\r\nb\n", false), TF_UTF16LE, {"caf\xE9", "b"}, false},
      {"UTF-16BE", kBeBom + Utf16("a\rb\r\n\xFF", true), TF_UTF16BE, {"a\rb", "\xFF"}, false},
      {"UTF-16 lone carriage returns", kBeBom + Utf16("a\rb", true), TF_UTF16BE, {"a", "b"}, false},
      {"UTF-16 beyond Latin-1", kLeBom + std::string("\xAC\x20x\0=\xD8\x00\xDE", 8), TF_UTF16LE, {"?x?"}, true},
      {"UTF-16 with a dangling byte", kBeBom + Utf16("ab", true) + "\x01", TF_UTF16BE, {"ab"}, false},
      {"UTF-16 of one dangling byte", kLeBom + "\x01", TF_UTF16LE, {}, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    int encoding = -1;
    bool lossy = false;
    EXPECT_EQ(ReadAll(c.bytes, &encoding, &lossy), c.lines);
    EXPECT_EQ(encoding, c.encoding);
    EXPECT_EQ(lossy, c.lossy);
  }
  // Encoding 1 given: no detection, the BOM is text.
  int encoding = -1;
  EXPECT_EQ(ReadAll(kUtf8Bom + "a", &encoding, nullptr, 0, TF_ANSI), Lines{kUtf8Bom + "a"});
  EXPECT_EQ(encoding, TF_ANSI);
}

TEST_F(TextFileTest, LinesSpanBuffersOfAnySize) {
  const std::string long_line(5000, 'q');
  for (int size : {1, 2, 3, 7, 4096}) {
    SCOPED_TRACE(size);
    EXPECT_EQ(ReadAll("ab\ncdefgh\n" + long_line, nullptr, nullptr, size), (Lines{"ab", "cdefgh", long_line}));
    EXPECT_EQ(ReadAll(kLeBom + Utf16("ab\ncdefgh\n", false), nullptr, nullptr, size), (Lines{"ab", "cdefgh"}));
  }
  // A "\r\n" split between two buffers ends one line at the CR and an empty one at the LF.
  EXPECT_EQ(ReadAll("a\r\nb", nullptr, nullptr, 2), (Lines{"a", "", "b"}));
  EXPECT_EQ(ReadAll("a\r\nb", nullptr, nullptr, 3), (Lines{"a", "b"}));
}

TEST_F(TextFileTest, ReadCharSkipsCarriageReturns) {
  WriteWholeFile(Path("c.txt"), kUtf8Bom + "a\r\n\xC3\xA9");
  TextFile file;
  ASSERT_EQ(file.Open(Path("c.txt").c_str(), TF_READ, TF_DETECT, 0), TF_OK);
  // The UTF-8 reader hands out raw bytes here.
  for (int expected : {int('a'), int('\n'), 0xC3, 0xA9, -1, -1}) EXPECT_EQ(file.ReadChar(), expected);

  WriteWholeFile(Path("w.txt"), kBeBom + std::string("\x20\xAC\0\r\0z", 6));
  ASSERT_EQ(file.Open(Path("w.txt").c_str(), TF_READ, TF_DETECT, 0), TF_OK);
  for (int expected : {0x20AC, int('z'), -1}) EXPECT_EQ(file.ReadChar(), expected);
}

TEST_F(TextFileTest, RewindReadsAgainAfterTheBom) {
  WriteWholeFile(Path("r.txt"), kLeBom + Utf16("one\ntwo", false));
  TextFile file;
  ASSERT_EQ(file.Open(Path("r.txt").c_str(), TF_READ, TF_DETECT, 4), TF_OK);
  char *line = nullptr;
  ASSERT_EQ(file.ReadLine(nullptr, &line), TF_OK);
  ASSERT_EQ(file.ReadLine(nullptr, &line), TF_OK);
  EXPECT_STREQ(line, "two");
  EXPECT_EQ(file.ReadLine(nullptr, &line), TF_EOF);
  EXPECT_EQ(file.Rewind(), TF_OK);
  ASSERT_EQ(file.ReadLine(nullptr, &line), TF_OK);
  EXPECT_STREQ(line, "one");
  free_block(line);
  EXPECT_EQ(file.Close(), TF_OK);
  EXPECT_EQ(file.Rewind(), TF_OK);  // a closed file has nothing to rewind
  EXPECT_EQ(file.Close(), TF_OK);
}

TEST_F(TextFileTest, WritingEncodesAndTranslatesLineEnds) {
  struct Case {
    const char *what;
    int encoding_and_flags;
    std::string bytes;
  };
  const Case cases[] = {
      {"detect means single-byte", TF_DETECT, "a\r\nb\xE9"},
      {"single-byte", TF_ANSI, "a\r\nb\xE9"},
      {"UTF-8", TF_UTF8, kUtf8Bom + "a\r\nb\xC3\xA9"},
      {"UTF-8 without translation", TF_UTF8 | TF_NO_CRLF, kUtf8Bom + "a\nb\xC3\xA9"},
      {"UTF-16LE", TF_UTF16LE, kLeBom + Utf16("a\r\nb\xE9", false)},
      {"UTF-16BE", TF_UTF16BE, kBeBom + Utf16("a\r\nb\xE9", true)},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    for (int buffer_size : {0, 1, 3}) EXPECT_EQ(WriteAll({"a\nb", "", "\xE9"}, c.encoding_and_flags, buffer_size), c.bytes);
  }
  EXPECT_EQ(WriteAll({"\n", "x\n"}, TF_ANSI), "\r\nx\r\n");
  EXPECT_EQ(WriteAll({}, TF_UTF8), "");  // nothing written, not even the BOM
  EXPECT_EQ(WriteAll({""}, TF_UTF8), kUtf8Bom);
}

TEST_F(TextFileTest, EachEncodingRoundTripsByteForByte) {
  // Every narrow character but the line ends, on lines ending in "\r\n".
  std::string all;
  for (int c = 1; c < 256; c++)
    if (c != '\n' && c != '\r') all += char(c);
  const Lines lines = {"Language=English", all, "", "last"};
  for (int encoding : {TF_ANSI, TF_UTF8, TF_UTF16LE, TF_UTF16BE}) {
    SCOPED_TRACE(encoding);
    std::vector<std::string> texts;
    for (const std::string &l : lines) texts.push_back(l + "\n");
    const std::string written = WriteAll(texts, encoding);
    int detected = -1;
    bool lossy = true;
    EXPECT_EQ(ReadAll(written, &detected, &lossy), lines);
    EXPECT_EQ(detected, encoding);
    EXPECT_FALSE(lossy);
    // Read back and written again in the detected encoding, the file is the same to the byte.
    std::vector<std::string> again;
    for (const std::string &l : ReadAll(written)) again.push_back(l + "\n");
    EXPECT_EQ(WriteAll(again, detected), written);
  }
}

TEST_F(TextFileTest, WriteCharFormatStringAndAppending) {
  TextFile file;
  ASSERT_EQ(file.Open(Path("u.txt").c_str(), TF_WRITE, TF_UTF8, 0), TF_OK);
  bool lossy = true;
  EXPECT_EQ(file.WriteChar(&lossy, 0x20AC), TF_OK);
  EXPECT_FALSE(lossy);
  EXPECT_EQ(file.WriteChar(&lossy, '\n'), TF_OK);
  EXPECT_EQ(file.WriteChar(&lossy, 0x1F600), TF_OK);
  EXPECT_EQ(file.FormatString(&lossy, "%d-%s", 42, "x"), TF_OK);
  EXPECT_EQ(file.Close(), TF_OK);
  const std::string first = kUtf8Bom + "\xE2\x82\xAC\r\n\xF0\x9F\x98\x80" "42-x";
  EXPECT_EQ(ReadWholeFile(Path("u.txt")), first);

  // Appending to a file with contents adds no second BOM.
  ASSERT_EQ(file.Open(Path("u.txt").c_str(), TF_APPEND, TF_UTF8, 0), TF_OK);
  EXPECT_EQ(file.WriteString(nullptr, "\n\xE9"), TF_OK);
  EXPECT_EQ(file.Close(), TF_OK);
  EXPECT_EQ(ReadWholeFile(Path("u.txt")), first + "\r\n\xC3\xA9");
  // Appending to a new file starts with one.
  ASSERT_EQ(file.Open(Path("new.txt").c_str(), TF_APPEND, TF_UTF16BE, 0), TF_OK);
  EXPECT_EQ(file.WriteChar(&lossy, 0x20AC), TF_OK);
  EXPECT_TRUE(lossy);  // no narrow form: its low byte is written
  EXPECT_EQ(file.Close(), TF_OK);
  EXPECT_EQ(ReadWholeFile(Path("new.txt")), kBeBom + std::string("\0\xAC", 2));
}

TEST_F(TextFileTest, FailuresAreReported) {
  TextFile file;
  EXPECT_EQ(file.Close(), TF_OK);
  EXPECT_EQ(file.Flush(), TF_OK);
  EXPECT_EQ(file.Open(Path("none.txt").c_str(), TF_READ, TF_DETECT, 0), TF_ERROR);
  EXPECT_EQ(file.GetMode(), TF_CLOSED);
  EXPECT_EQ(file.Open(nullptr, TF_READ, TF_DETECT, 0), TF_ERROR);
  EXPECT_EQ(file.Open(Path("no/such/folder.txt").c_str(), TF_WRITE, TF_UTF8, 0), TF_ERROR);
  EXPECT_EQ(file.Open(Path("no/such/folder.txt").c_str(), TF_APPEND, TF_UTF8, 0), TF_ERROR);
  EXPECT_EQ(file.Open(Path("x.txt").c_str(), 7, TF_UTF8, 0), TF_ERROR);
  // A folder opens but cannot be read.
  EXPECT_EQ(file.Open(dir.Path().c_str(), TF_READ, TF_DETECT, 0), TF_ERROR);

  if (!qwtest::FileExists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ASSERT_EQ(file.Open("/dev/full", TF_APPEND, TF_ANSI, 16), TF_OK);
  // The writer's buffer goes out to the stream's, which the full device refuses sooner or later.
  int result = TF_OK;
  for (int i = 0; i < 2000 && result == TF_OK; i++) result = file.WriteString(nullptr, "0123456789abcdef");
  EXPECT_EQ(result, TF_ERROR);
  EXPECT_EQ(file.Close(), TF_ERROR);
  EXPECT_EQ(file.GetMode(), TF_CLOSED);
}

TEST_F(TextFileTest, BadInputIsReportedWithItsOwnMessage) {
  DebugResetForTests();
  ASSERT_EQ(DebugSetLogFilename(Path("log.txt").c_str(), 0), 1);
  EXPECT_EQ(ReadAll("\xEF\xBB\x41"), Lines{"\xEF\xBB\x41"});
  EXPECT_TRUE(LogHas("Incomplete UTF-8 BOM"));
  EXPECT_EQ(ReadAll(kUtf8Bom + "\xFF"), Lines{"?"});
  EXPECT_TRUE(LogHas("Invalid UTF-8 replaced"));
  EXPECT_EQ(ReadAll(kLeBom + std::string("a\0b", 3)), Lines{"a"});
  EXPECT_TRUE(LogHas("File ends inside a character"));
  TextFile file;
  EXPECT_EQ(file.Open(Path("none.txt").c_str(), TF_READ, TF_DETECT, 0), TF_ERROR);
  EXPECT_TRUE(LogHas("OpenFileError (" + Path("none.txt") + ")"));
  DebugResetForTests();
}

TEST(TextFileBlockTest, BlocksGrowInWholeKilobytesAndNeverShrink) {
  char *block = alloc_block<char>(nullptr, 1);
  EXPECT_EQ(get_buflen(block), 1024u);
  EXPECT_EQ(get_blocklen(block), 1u);
  block[0] = 'k';
  block = alloc_block(block, 1025);
  EXPECT_EQ(get_buflen(block), 2048u);
  EXPECT_EQ(block[0], 'k');  // contents kept across a move
  block = alloc_block(block, 10);
  EXPECT_EQ(get_buflen(block), 2048u);
  EXPECT_EQ(get_blocklen(block), 10u);
  char *copy = static_cast<char *>(copy_block(block));
  EXPECT_EQ(get_buflen(copy), 2048u);
  EXPECT_EQ(get_blocklen(copy), 10u);
  EXPECT_EQ(copy[0], 'k');
  free_block(copy);
  free_block(block);
  free_block(nullptr);
  EXPECT_EQ(get_blocklen(nullptr), 0u);
  EXPECT_EQ(get_buflen(nullptr), 0u);
}

TEST(TextFileBlockTest, NarrowAndWideConvertWithoutTheLocale) {
  std::string all;
  for (int c = 1; c < 256; c++) all += char(c);
  wchar_t *wide = nullptr;
  ASSERT_EQ(linebuf_AtoU(all.c_str(), -1, &wide), 255);
  for (int c = 1; c < 256; c++) ASSERT_EQ(wide[c - 1], wchar_t(c));
  EXPECT_EQ(wide[255], 0);
  EXPECT_EQ(linebuf_AtoU("abc", 2, &wide), 2);
  EXPECT_EQ(wide[2], 0);

  char *narrow = nullptr;
  bool lossy = false;
  linebuf_AtoU(all.c_str(), -1, &wide);
  EXPECT_EQ(linebuf_UtoA(wide, -1, &narrow, &lossy), 255);
  EXPECT_EQ(std::string(narrow), all);
  EXPECT_FALSE(lossy);
  const wchar_t beyond[] = {L'a', 0x20AC, 0xD83D, 0xDE00, 0xDC00, L'b', 0};
  EXPECT_EQ(linebuf_UtoA(beyond, -1, &narrow, &lossy), 5);
  EXPECT_STREQ(narrow, "a???b");
  EXPECT_TRUE(lossy);
  free_block(wide);
  free_block(narrow);
}

TEST(TextFileStringTest, CopiesAndTheLastError) {
  char *copy = copy_string(nullptr);
  EXPECT_STREQ(copy, "");
  EngFree(copy, 0, "test");
  copy = AtoA("abc");
  EXPECT_STREQ(copy, "abc");
  EngFree(copy, 0, "test");
  const std::string long_text(600, 'y');
  copy = FormatPString("%s!", long_text.c_str());
  EXPECT_EQ(std::string(copy), long_text.substr(0, 511));
  EngFree(copy, 0, "test");
  copy = LookupSystemError(2);
  EXPECT_STREQ(copy, "");
  EngFree(copy, 0, "test");

  SetLastErrorString("first");
  SetLastErrorString("second");
  EXPECT_STREQ(GetLastErrorString(), "second");
  SetLastErrorString(nullptr);
  EXPECT_STREQ(GetLastErrorString(), "");
}

}  // namespace
