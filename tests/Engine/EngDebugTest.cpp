#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMisc.h"
#include "Engine/EngMemory.h"
#include "tests/support/TestSupport.h"

namespace {

const char kSignature[] = "char EngMutex::Lock()";

struct ProcessExit {
  int status;
};

[[noreturn]] void ThrowOnExit(int status) { throw ProcessExit{status}; }

struct PopupSeen {
  int count = 0;
  _EngMiscPopupType type = ENG_MISC_POPUP_NONE;
  std::string title;
  std::string text;
};
PopupSeen popup_seen;

void RecordPopup(_EngMiscPopupType type, const char *title, const char *text) {
  popup_seen.count++;
  popup_seen.type = type;
  popup_seen.title = title ? title : "";
  popup_seen.text = text ? text : "";
}

std::vector<std::string> Lines(const std::string &text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

class DebugLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    popup_seen = PopupSeen();
    EngMiscSetPopupHandlerForTests(RecordPopup);
    eng_main_current_time = 12.34;
    log_path = dir.File("log.txt");
    ASSERT_EQ(DebugSetLogFilename(log_path.c_str(), 0), 1);
  }
  void TearDown() override {
    DebugResetForTests();
    EngMiscSetPopupHandlerForTests(nullptr);
    EngMainSetProcessExitForTests(nullptr);
  }

  std::string Text(EngInt32 index) {
    _DebugMessage *message = DebugGetMessage(index);
    return message ? message->text : "<none>";
  }
  std::string LogFile() { return qwtest::ReadWholeFile(log_path); }

  qwtest::TempDir dir;
  std::string log_path;
};

TEST(DebugShortNameTest, KeepsTheQualifiedNameBeforeTheParameterList) {
  struct Case {
    const char *signature;
    const char *expected;
    bool same_pointer;
  } cases[] = {
      {"void *EngMalloc(size_t, const char *, char)", "*EngMalloc", false},
      {"char EngMutex::Lock()", "EngMutex::Lock", false},
      {"EngMutex::~EngMutex()", "EngMutex::~EngMutex", false},
      {"static void Weapons_2::Tick(float)", "Weapons_2::Tick", false},
      {"char EngProgram::CreateMainWindowAndDevice(ENG_CONST_STR, const ENG_CHAR *, EngCreateWindowParms *)",
       "EngProgram::CreateMainWindowAndDevice", false},
      {"PlainIdentifier", "PlainIdentifier", true},
      {"two words", "two words", true},
      {"", "", true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.signature);
    char *name = DebugGetShortFuncName(c.signature);
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name, c.expected);
    EXPECT_EQ(name == c.signature, c.same_pointer);
    if (name != c.signature) EngFree(name, 0, "test");
  }
  EXPECT_EQ(DebugGetShortFuncName(nullptr), nullptr);
}

// Text from outside comes out as one line: every control byte escaped, never cut inside an
// escape, and never longer than asked.
TEST(DebugOutsideTextTest, EscapesControlBytesAndCutsAtTheBound) {
  struct Case {
    std::string in;
    size_t max;
    std::string out;
  } cases[] = {
      {"plain text, caf\xE9", 160, "plain text, caf\xE9"},
      {"a\r\nb\tc", 160, "a\\r\\nb\\tc"},
      {std::string("x\0y", 3), 160, "x\\x00y"},
      {"\x1b[2J\x7f\x01", 160, "\\x1b[2J\\x7f\\x01"},
      {"back\\slash", 160, "back\\\\slash"},
      {"\x9b[1m\x85", 160, "\\x9b[1m\\x85"},  // C1 controls are no text in ISO 8859-1
      {"\x80\x9f\xa0\xff", 160, "\\x80\\x9f\xa0\xff"},
      {"abcdef", 6, "abcdef"},
      {"abcdefg", 6, "abcdef..."},
      {"abcd\n", 5, "abcd..."},  // the escape would not fit whole
      {"", 160, ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.out);
    EXPECT_EQ(DebugOutsideText(c.in.data(), c.in.size(), c.max), c.out);
  }
  const std::string big(10000, '\n');
  const std::string shown = DebugOutsideText(big.data(), big.size());
  EXPECT_LE(shown.size(), size_t(DEBUG_OUTSIDE_TEXT_MAX) + 3);
  EXPECT_EQ(shown.find('\n'), std::string::npos);
  EXPECT_EQ(DebugOutsideText("a\nb"), "a\\nb");
  EXPECT_EQ(DebugOutsideText(nullptr), "");
}

// The bytes a hostile server or file would send, in a reply quoted by DebugOutsideText and in a
// message that reached the log without it: either way each report is one line of the file, with
// no byte that is a control in the log's ISO 8859-1 (C0, DEL, C1), also where the bytes were
// meant as UTF-8 to a terminal that reads it so.
TEST_F(DebugLogTest, HostileBytesComeOutEscapedOnTheirOwnLine) {
  struct Case {
    const char *what;
    std::string in;
    std::string quoted;  // through DebugOutsideText
    std::string raw;     // straight into the message
  } cases[] = {
      {"escape sequence", "\x1b]0;owned\x07\x1b[2J", "\\x1b]0;owned\\x07\\x1b[2J", "\\x1b]0;owned\\x07\\x1b[2J"},
      {"line breaks", "a\rb\nc\td\\e", "a\\rb\\nc\\td\\\\e", "a\\rb\\nc\\td\\e"},
      {"NUL and DEL", std::string("x\0y\x7f", 4), "x\\x00y\\x7f", "x"},
      {"C1 controls", "\x9b[31m\x85\x8d", "\\x9b[31m\\x85\\x8d", "\\x9b[31m\\x85\\x8d"},
      {"UTF-8 CSI", "\xc2\x9b[2J", "\xc2\\x9b[2J", "\xc2\\x9b[2J"},
      {"UTF-8 line separator", "\xe2\x80\xa8next", "\xe2\\x80\xa8next", "\xe2\\x80\xa8next"},
      {"overlong NUL", "\xc0\x80", "\xc0\\x80", "\xc0\\x80"},
      {"truncated sequence", "\xe2\x82", "\xe2\\x82", "\xe2\\x82"},
      {"Latin-1 letters", "Zo\xeb \xff\xfe", "Zo\xeb \xff\xfe", "Zo\xeb \xff\xfe"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    DebugResetForTests();
    ASSERT_EQ(DebugSetLogFilename(log_path.c_str(), 0), 1);
    DebugAddTimeToLogs(0);
    DebugErrorAlt(kSignature, "reply <%s>", DebugOutsideText(c.in.data(), c.in.size()).c_str());
    testing::internal::CaptureStderr();
    DebugErrorAlt(kSignature, "raw <%s>", c.in.c_str());
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Text(0), " <ERROR>  ( EngMutex::Lock )    reply <" + c.quoted + ">");
    EXPECT_EQ(Text(1), " <ERROR>  ( EngMutex::Lock )    raw <" + c.raw + ">");
    EXPECT_EQ(err, "( EngMutex::Lock )    raw <" + c.raw + ">\n");
    const std::string file = LogFile();
    EXPECT_EQ(file, Text(0) + "\n" + Text(1) + "\n");
    for (unsigned char byte : file) {
      if (byte == '\n') continue;
      EXPECT_FALSE(byte < 0x20 || (byte >= 0x7f && byte <= 0x9f)) << int(byte);
    }
  }
  // Reports that go to standard error only are escaped the same way.
  testing::internal::CaptureStderr();
  DebugInfoQuick("Q", "a\x1b[2J\nb");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Q > a\\x1b[2J\\nb\n");
}

TEST(DebugErrorNumberTest, EveryCodeHasItsText) {
  struct Case {
    _DebugStandardErrorNumber code;
    const char *text;
  } cases[] = {
      {DEBUG_ERR_ALEX, "Already exists."},   {DEBUG_ERR_ALSU, "Already setup."},
      {DEBUG_ERR_BAPA, "Bad parameters."},   {DEBUG_ERR_CACN, "Cannot call now."},
      {DEBUG_ERR_DNEX, "Does not exist."},   {DEBUG_ERR_EXOC, "An exception occurred."},
      {DEBUG_ERR_FILL, "Function not present."}, {DEBUG_ERR_IERR, "Internal error."},
      {DEBUG_ERR_IER2, "Internal error 2."}, {DEBUG_ERR_LODF, "Load failed."},
      {DEBUG_ERR_NAVL, "Not available."},    {DEBUG_ERR_NGAM, "No game."},
      {DEBUG_ERR_NOIM, "Not implemented."},  {DEBUG_ERR_NOSU, "Not setup."},
      {DEBUG_ERR_NVAL, "Not valid."},        {DEBUG_ERR_OMEM, "Out of memory."},
      {DEBUG_ERR_OPFA, "Operation failed."}, {DEBUG_ERR_UNKN, "(Unknown)"},
      {DEBUG_ERR_UPDT, "Needs updating."},
  };
  for (const Case &c : cases) EXPECT_STREQ(DebugGetStringFromErrorNumber(c.code), c.text);
  EXPECT_EQ(DEBUG_ERR_BAPA, EngUInt32('B') << 24 | EngUInt32('A') << 16 | EngUInt32('P') << 8 | 'A');
  EXPECT_STREQ(DebugGetStringFromErrorNumber(_DebugStandardErrorNumber(EngFourCC("ZZZZ"))), "?");
}

TEST_F(DebugLogTest, EntryPointsStoreTheirLineWithLevelPrefix) {
  struct Case {
    const char *what;
    std::function<void()> report;
    const char *text;
    _DebugMsgCode code;
    _DebugNoteType note_type;
  } cases[] = {
      {"Printf", [] { DebugPrintf(DEBUG_MSG_WARNING, "a %d", 1); }, "<WARNING> a 1", DEBUG_MSG_WARNING, 0},
      {"Printf2", [] { DebugPrintf2(DEBUG_MSG_ERROR, "Name", "m"); }, " <ERROR>  ( Name )    m", DEBUG_MSG_ERROR, 0},
      {"Info", [] { DebugInfo("x=%s", "y"); }, " :  x=y", DEBUG_MSG_INFO, 0},
      {"InfoAlt", [] { DebugInfoAlt(kSignature, "m"); }, " :  EngMutex::Lock > m", DEBUG_MSG_INFO, 0},
      {"GameInfo", [] { DebugGameInfo("Game", "m"); }, " :  Game:m", DEBUG_MSG_INFO, 0},
      {"GameFuncInfo", [] { DebugGameFuncInfo("Game", "void Weapons::Tick(float)", "m"); },
       " :  Game: Weapons::Tick > m", DEBUG_MSG_INFO, 0},
      {"Note", [] { DebugNote(7, "m"); }, " *  m", DEBUG_MSG_NOTE, 7},
      {"NoteAlt", [] { DebugNoteAlt(2, kSignature, "m"); }, " *  EngMutex::Lock > m", DEBUG_MSG_NOTE, 2},
      {"GameNote", [] { DebugGameNote(1, "G", kSignature, "m"); }, " *  G: EngMutex::Lock > m", DEBUG_MSG_NOTE, 1},
      {"GameNote no name", [] { DebugGameNote(1, nullptr, kSignature, "m"); }, " *  EngMutex::Lock > m",
       DEBUG_MSG_NOTE, 1},
      {"GameNote no signature", [] { DebugGameNote(1, "G", nullptr, "m"); }, " *  G: m", DEBUG_MSG_NOTE, 1},
      {"GameNote neither", [] { DebugGameNote(1, nullptr, nullptr, "m"); }, " *  m", DEBUG_MSG_NOTE, 1},
      {"PlainText", [] { DebugPlainText("m"); }, "m", DEBUG_MSG_PLAIN_TEXT, 0},
      {"Warning", [] { DebugWarning("W", "m"); }, "<WARNING> ( W )    m", DEBUG_MSG_WARNING, 0},
      {"ErrorAlt", [] { DebugErrorAlt(kSignature, "m %d", 5); }, " <ERROR>  ( EngMutex::Lock )    m 5",
       DEBUG_MSG_ERROR, 0},
      {"Error", [] { DebugError("void Foo::Bar()", "m"); }, " <ERROR>  ( Foo::Bar )    m", DEBUG_MSG_ERROR, 0},
      {"ErrorSingle", [] { DebugErrorSingle("m"); }, " <ERROR>  m", DEBUG_MSG_ERROR, 0},
      {"GameError", [] { DebugGameError("G", kSignature, "m"); }, " <ERROR>  G: EngMutex::Lock > m",
       DEBUG_MSG_ERROR, 0},
      {"StandardError", [] { DebugStandardError(kSignature, DEBUG_ERR_BAPA); },
       " <ERROR>  ( EngMutex::Lock )    Bad parameters.", DEBUG_MSG_ERROR, 0},
      {"StandardError unknown", [] { DebugStandardError(kSignature, _DebugStandardErrorNumber(1)); },
       " <ERROR>  ( EngMutex::Lock )    ?", DEBUG_MSG_ERROR, 0},
      {"CheckOk", [] { EXPECT_EQ(DebugCheckOk(0, "N", "m"), 0); }, " <ERROR>  ( N )    m", DEBUG_MSG_ERROR, 0},
      {"CheckOkAlt", [] { EXPECT_EQ(DebugCheckOkAlt(0, kSignature, "m"), 0); },
       " <ERROR>  ( EngMutex::Lock )    m", DEBUG_MSG_ERROR, 0},
      {"Cocoa method", [] { DbgInfoForCocoa("|-[MyView drawRect:]|drawn %d", 3); }, " :  MyView::drawRect > drawn 3",
       DEBUG_MSG_INFO, 0},
      {"Cocoa class only", [] { DbgInfoForCocoa("|+[Loader]|x"); }, " :  Loader > x", DEBUG_MSG_INFO, 0},
      {"Cocoa untagged", [] { DbgInfoForCocoa("|[no end"); }, " :  |[no end", DEBUG_MSG_INFO, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    DebugClearLog(0);
    c.report();
    ASSERT_EQ(DebugGetNumMessages(), 1);
    _DebugMessage *message = DebugGetMessage(0);
    EXPECT_STREQ(message->text, c.text);
    EXPECT_EQ(message->code, c.code);
    EXPECT_EQ(message->note_type, c.note_type);
    EXPECT_DOUBLE_EQ(message->time, 12.34);
  }
}

TEST_F(DebugLogTest, ReportsThatStoreNothing) {
  struct Case {
    const char *what;
    std::function<void()> report;
  } cases[] = {
      {"passing check", [] { EXPECT_EQ(DebugCheckOk(1, "N", "m"), 1); }},
      {"passing check alt", [] { EXPECT_EQ(DebugCheckOkAlt(5, kSignature, "m"), 1); }},
      {"game error without name", [] { DebugGameError(nullptr, kSignature, "m"); }},
      {"level beyond the table", [] { DebugPrintf(_DebugMsgCode(7), "m"); }},
      {"quick info", [] { DebugInfoQuick("N", "m"); }},
      {"quick error", [] { DebugErrorQuickAlt(kSignature, "m"); }},
      {"popup without a running program", [] { DebugPopup("N", "m"); }},
      {"exit popup without a running program", [] { DebugExitPopupAlt(kSignature, "m"); }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    c.report();
    EXPECT_EQ(DebugGetNumMessages(), 0);
  }
  EXPECT_FALSE(qwtest::FileExists(log_path));
}

TEST_F(DebugLogTest, QuickReportsGoToStandardErrorOnly) {
  testing::internal::CaptureStderr();
  DebugInfoQuick("Name", "m %d", 1);
  DebugInfoQuick(nullptr, "alone");
  DebugInfoQuickAlt(kSignature, "q");
  DebugErrorQuickAlt(kSignature, "Could not lock mutex.");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Name > m 1\nalone\nEngMutex::Lock > q\n( EngMutex::Lock )    Could not lock mutex.\n");
}

TEST_F(DebugLogTest, DbgNoticeIsStoredFiveTimesPerCount) {
  DebugDbgNotice(2, kSignature, "look %s", "here");
  ASSERT_EQ(DebugGetNumMessages(), 10);
  for (EngInt32 i = 0; i < 10; i++) {
    EXPECT_EQ(Text(i), " *  EngMutex::Lock > Dbg> *** look here ***");
    EXPECT_EQ(DebugGetMessage(i)->note_type, 3);
  }
  DebugClearLog(0);
  DebugDbgNotice(0, kSignature, "once");
  EXPECT_EQ(DebugGetNumMessages(), 1);
}

TEST_F(DebugLogTest, LongLinesAreCutAndMarkedTruncated) {
  std::string fits(482, 'a');
  DebugPlainText("%s", fits.c_str());
  EXPECT_EQ(Text(0), fits);

  std::string too_long = std::string(462, 'b') + std::string(21, 'c');
  testing::internal::CaptureStderr();
  DebugPlainText("%s", too_long.c_str());
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Text(1), std::string(462, 'b') + " ... (TRUNCATED)");
  EXPECT_THAT(err, testing::StartsWith(too_long + "\n"));

  // The formatted message itself stops at 511 characters.
  std::string huge(700, 'd');
  testing::internal::CaptureStderr();
  DebugInfo("%s", huge.c_str());
  err = testing::internal::GetCapturedStderr();
  EXPECT_THAT(err, testing::StartsWith(std::string(511, 'd') + "\n"));
  EXPECT_EQ(Text(2), " :  " + std::string(462, 'd') + " ... (TRUNCATED)");
}

TEST_F(DebugLogTest, FullRingKeepsNoticeAndNewestNinetyNine) {
  for (int i = 0; i < 199; i++) DebugPlainText("m%d", i);
  EXPECT_EQ(DebugGetNumMessages(), 199);
  DebugPlainText("m%d", 199);
  ASSERT_EQ(DebugGetNumMessages(), 100);
  EXPECT_EQ(Text(0), "--- LOGS REMOVED ---");
  EXPECT_EQ(DebugGetMessage(0)->code, DEBUG_MSG_PLAIN_TEXT);
  EXPECT_EQ(Text(1), "m101");
  EXPECT_EQ(Text(99), "m199");
  EXPECT_EQ(DebugGetMessage(100), nullptr);
  EXPECT_EQ(DebugGetMessage(-1), nullptr);
  DebugPlainText("next");
  EXPECT_EQ(Text(100), "next");
  // The file keeps every line of the run.
  EXPECT_EQ(Lines(LogFile()).size(), 201u);
}

TEST_F(DebugLogTest, TimePrefixOnFileAndStandardErrorButNotOnPlainTextInFile) {
  testing::internal::CaptureStderr();
  DebugInfo("hello");
  DebugPlainText("plain");
  DebugErrorAlt(kSignature, "bad");
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(LogFile(), "12.3 |  :  hello\nplain\n12.3 |  <ERROR>  ( EngMutex::Lock )    bad\n");
  EXPECT_EQ(err, "12.3 | hello\n12.3 | plain\n12.3 | ( EngMutex::Lock )    bad\n");

  DebugAddTimeToLogs(0);
  testing::internal::CaptureStderr();
  DebugWarning("W", "x");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "( W )    x\n");
  EXPECT_THAT(LogFile(), testing::EndsWith("bad\n<WARNING> ( W )    x\n"));
}

TEST_F(DebugLogTest, EmptyMessageReachesStandardErrorOnly) {
  DebugAddTimeToLogs(0);
  testing::internal::CaptureStderr();
  DebugInfo("%s", "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "\n");
  EXPECT_EQ(DebugGetNumMessages(), 0);
  EXPECT_FALSE(qwtest::FileExists(log_path));
}

TEST_F(DebugLogTest, FirstMessageOfRunRewritesTheFileThenAppends) {
  qwtest::WriteWholeFile(log_path, "from the last run\n");
  DebugAddTimeToLogs(0);
  DebugPlainText("one");
  EXPECT_EQ(LogFile(), "one\n");
  DebugPlainText("two");
  EXPECT_EQ(LogFile(), "one\ntwo\n");

  DebugResetLogFile(0);
  EXPECT_EQ(DebugGetNumMessages(), 0);
  DebugPlainText("three");
  EXPECT_EQ(LogFile(), "three\n");
}

TEST_F(DebugLogTest, AppendToExistingFileKeepsItsContents) {
  qwtest::WriteWholeFile(log_path, "earlier\n");
  DebugAppendToExistingLogFile();
  DebugAddTimeToLogs(0);
  DebugPlainText("later");
  EXPECT_EQ(LogFile(), "earlier\nlater\n");
}

TEST_F(DebugLogTest, UnwritableFileStillFillsRingAndStandardError) {
  ASSERT_EQ(DebugSetLogFilename(dir.File("missing/log.txt").c_str(), 0), 1);
  testing::internal::CaptureStderr();
  DebugInfo("kept");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "12.3 | kept\n");
  EXPECT_EQ(Text(0), " :  kept");
}

// The log's name taken by something that is not a file: at the start of a run (which removes
// what it can, a folder staying), at the start of a run that appends to an older log, or while
// the game runs. No line goes through a link, no open waits on a pipe, every line still reaches
// the ring and standard error, a refusal is told there once, and the log works again once the
// name is free.
TEST_F(DebugLogTest, ALogNameTakenByALinkAPipeOrAFolderIsNeitherWrittenThroughNorWaitedOn) {
  enum class When { kStart, kStartAppending, kRunning };
  const struct {
    When when;
    const char *name;
  } whens[] = {{When::kStart, "at the start"},
               {When::kStartAppending, "at the start, appending"},
               {When::kRunning, "while running"}};
  const std::string note = "The log file <" + log_path + "> is not a regular file";
  qwtest::WriteWholeFile(qwtest::OutsideFile(), qwtest::kOutsideBytes);  // checked after every kind
  for (const auto &w : whens) {
    for (qwtest::NotAFile kind : qwtest::kNotAFileKindsForWriting) {
      SCOPED_TRACE(std::string(w.name) + ", " + qwtest::NotAFileName(kind));
      DebugResetForTests();
      ASSERT_EQ(DebugSetLogFilename(log_path.c_str(), 0), 1);
      DebugAddTimeToLogs(0);
      if (w.when == When::kRunning) {
        DebugPlainText("before");
        ASSERT_EQ(LogFile(), "before\n");
      }
      if (w.when == When::kStartAppending) DebugAppendToExistingLogFile();
      qwtest::MakeNotAFile(kind, log_path);
      struct stat before;
      ASSERT_EQ(lstat(log_path.c_str(), &before), 0);

      testing::internal::CaptureStderr();
      const bool did_not_wait = qwtest::RunsWithoutWaitingOnPipe(log_path, [] {
        for (int i = 0; i < 3; i++) DebugPlainText("line %d", i);
      });
      const std::string err = testing::internal::GetCapturedStderr();
      EXPECT_TRUE(did_not_wait);

      // Only a run's start takes a link, a pipe or a socket away, and makes the log afresh.
      const bool refused = w.when != When::kStart || kind == qwtest::NotAFile::kFolder;
      EXPECT_EQ(qwtest::CountLogLines(err, "", note), refused ? 1 : 0) << err;
      EXPECT_NE(err.find("line 0\nline 1\nline 2\n"), std::string::npos) << err;
      EXPECT_EQ(Text(DebugGetNumMessages() - 1), "line 2");
      EXPECT_EQ(qwtest::ReadWholeFile(qwtest::OutsideFile()), qwtest::kOutsideBytes);
      struct stat after;
      ASSERT_EQ(lstat(log_path.c_str(), &after), 0);
      if (refused) {
        EXPECT_EQ(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
        EXPECT_EQ(after.st_ino, before.st_ino);
      } else {
        EXPECT_TRUE(S_ISREG(after.st_mode));
        EXPECT_EQ(LogFile(), "line 0\nline 1\nline 2\n");
      }

      ASSERT_EQ(remove(log_path.c_str()), 0);
      DebugPlainText("after");
      EXPECT_EQ(LogFile(), "after\n");
    }
  }
}

TEST_F(DebugLogTest, SetLogFilenameRules) {
  EXPECT_EQ(DebugSetLogFilename(nullptr, 0), 1);
  EXPECT_STREQ(DebugGetLogFilename(), "ErrorLog.txt");
  EXPECT_EQ(DebugSetLogFilename("", 0), 1);
  EXPECT_STREQ(DebugGetLogFilename(), "ErrorLog.txt");

  std::string longest = dir.Path() + "/" + std::string(255 - dir.Path().size() - 1, 'n');
  ASSERT_EQ(longest.size(), 255u);
  EXPECT_EQ(DebugSetLogFilename(longest.c_str(), 0), 1);
  EXPECT_EQ(DebugGetLogFilename(), longest);

  // Delete-now removes an old file only while nothing has been written in this run.
  std::string old_file = dir.File("old.txt");
  qwtest::WriteWholeFile(old_file, "x");
  EXPECT_EQ(DebugSetLogFilename(old_file.c_str(), 1), 1);
  EXPECT_FALSE(qwtest::FileExists(old_file));
  DebugPlainText("written");
  std::string other = dir.File("other.txt");
  qwtest::WriteWholeFile(other, "y");
  EXPECT_EQ(DebugSetLogFilename(other.c_str(), 1), 1);
  EXPECT_TRUE(qwtest::FileExists(other));

  // Too long: back to the default name, and the error lands there.
  qwtest::WorkingFolder cwd;
  ASSERT_EQ(chdir(dir.Path().c_str()), 0);
  std::string too_long = longest + "x";
  EXPECT_EQ(DebugSetLogFilename(too_long.c_str(), 0), 0);
  EXPECT_STREQ(DebugGetLogFilename(), "ErrorLog.txt");
  EXPECT_EQ(Text(DebugGetNumMessages() - 1), " <ERROR>  ( DebugSetLogFilename )    Filename too long");
  std::string fallback = qwtest::ReadWholeFile(dir.File("ErrorLog.txt"));
  ASSERT_TRUE(cwd.Restore());
  EXPECT_THAT(fallback, testing::HasSubstr("Filename too long"));
}

TEST_F(DebugLogTest, CallbackSeesEachStoredTextAndItsOwnReportsAreDropped) {
  static std::vector<std::string> seen;
  seen.clear();
  DebugSetExtraMessageLogCallback([](const char *text) {
    seen.push_back(text);
    DebugErrorAlt(kSignature, "from inside the log");
    DebugInfo("also dropped");
  });
  DebugInfo("first");
  DebugPlainText("second");
  EXPECT_EQ(seen, (std::vector<std::string>{" :  first", "second"}));
  EXPECT_EQ(DebugGetNumMessages(), 2);
}

TEST_F(DebugLogTest, ReportFromAnotherThreadWhileWritingIsKept) {
  static std::thread other;
  static std::atomic<int> calls;
  calls = 0;
  DebugSetExtraMessageLogCallback([](const char *) {
    if (calls++ == 0) {
      other = std::thread([] { DebugInfo("other thread"); });
      // Give it time to reach the ring lock this thread holds.
      usleep(20000);
    }
  });
  DebugInfo("main thread");
  other.join();
  ASSERT_EQ(DebugGetNumMessages(), 2);
  EXPECT_EQ(Text(0), " :  main thread");
  EXPECT_EQ(Text(1), " :  other thread");
  EXPECT_EQ(Lines(LogFile()).size(), 2u);
}

TEST_F(DebugLogTest, ConcurrentReportsAreAllStored) {
  const int kThreads = 4, kEach = 40;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; t++)
    threads.emplace_back([t] {
      for (int i = 0; i < kEach; i++) DebugNote(t, "thread %d message %d", t, i);
    });
  for (std::thread &thread : threads) thread.join();
  ASSERT_EQ(DebugGetNumMessages(), kThreads * kEach);
  std::vector<std::string> lines = Lines(LogFile());
  ASSERT_EQ(lines.size(), size_t(kThreads * kEach));
  for (int t = 0; t < kThreads; t++)
    for (int i = 0; i < kEach; i++) {
      std::string wanted = "12.3 |  *  thread " + std::to_string(t) + " message " + std::to_string(i);
      EXPECT_EQ(std::count(lines.begin(), lines.end(), wanted), 1) << wanted;
    }
}

TEST_F(DebugLogTest, PopupLevelShowsWarningAndGoesOn) {
  DebugPrintf(DEBUG_MSG_POPUP, "careful %d", 2);
  EXPECT_EQ(popup_seen.count, 1);
  EXPECT_EQ(popup_seen.type, ENG_MISC_POPUP_WARNING);
  EXPECT_EQ(popup_seen.title, "Warning");
  EXPECT_EQ(popup_seen.text, "careful 2");
  EXPECT_EQ(Text(0), " <POPUP>  careful 2");
  DebugInfo("still logging");
  EXPECT_EQ(DebugGetNumMessages(), 2);
}

TEST_F(DebugLogTest, ExitLevelEndsTheProcessWithMinusOne) {
  EXPECT_EXIT(DebugPrintf(DEBUG_MSG_EXIT, "fatal %d", 7), testing::ExitedWithCode(255),
              testing::HasSubstr("fatal 7"));
}

TEST_F(DebugLogTest, ExitLevelOnWorkerThreadEndsTheProcess) {
  EXPECT_EXIT(
      {
        std::thread worker([] { DebugPrintf2(DEBUG_MSG_EXIT, "Worker", "fatal"); });
        worker.join();
        // Only the worker should have gone; reaching here means the process survived.
        std::exit(3);
      },
      testing::ExitedWithCode(255), testing::HasSubstr("( Worker )    fatal"));
}

TEST_F(DebugLogTest, ExitLevelStoresLineThenDropsEverythingAfter) {
  EngMainSetProcessExitForTests(ThrowOnExit);
  try {
    DebugPrintf(DEBUG_MSG_EXIT, "fatal");
    FAIL() << "no exit";
  } catch (const ProcessExit &exit) {
    EXPECT_EQ(exit.status, -1);
  }
  EXPECT_EQ(Text(0), " <EXIT>   fatal");
  EXPECT_EQ(LogFile(), "12.3 |  <EXIT>   fatal\n");
  DebugErrorAlt(kSignature, "after the end");
  DebugPlainText("after the end");
  EXPECT_EQ(DebugGetNumMessages(), 1);
}

TEST_F(DebugLogTest, FailedAssertionLogsReasonAndExits) {
  DebugAddTimeToLogs(0);
  EXPECT_EXIT(DebugAssertAlt(0, kSignature, "bad %d", 3), testing::ExitedWithCode(255),
              testing::HasSubstr(" \nEXITING DUE TO FOLLOWING ERROR:\n \n( EngMutex::Lock )    bad 3\n"));
}

TEST_F(DebugLogTest, OnlyFirstFailingAssertionOfEachFunctionActs) {
  EngMainSetProcessExitForTests(ThrowOnExit);
  DebugAssertAlt(1, kSignature, "fine");
  EXPECT_EQ(DebugGetNumMessages(), 0);
  EXPECT_THROW(DebugAssertAlt(0, kSignature, "bad %d", 3), ProcessExit);
  ASSERT_EQ(DebugGetNumMessages(), 4);
  EXPECT_EQ(Text(0), " ");
  EXPECT_EQ(Text(1), "EXITING DUE TO FOLLOWING ERROR:");
  EXPECT_EQ(Text(2), " ");
  EXPECT_EQ(Text(3), " <ERROR>  ( EngMutex::Lock )    bad 3");

  EXPECT_NO_THROW(DebugAssertAlt(0, kSignature, "again"));
  EXPECT_EQ(DebugGetNumMessages(), 4);

  // The other function keeps its own first failure.
  EXPECT_THROW(DebugAssert(0, "Named", "plain %s", "name"), ProcessExit);
  EXPECT_EQ(Text(7), " <ERROR>  ( Named )    plain name");
  EXPECT_NO_THROW(DebugAssert(0, "Named", "again"));
  EXPECT_EQ(DebugGetNumMessages(), 8);
}

TEST_F(DebugLogTest, PeriodicReportsWaitForTheirTime) {
  struct Case {
    const char *what;
    std::function<char(double *)> report;
    EngInt32 stored;
  } cases[] = {
      {"info", [](double *next) { return DebugInfoPeriodically(next, 2.0, "tick"); }, 1},
      {"quick", [](double *next) { return DebugInfoQuickPeriodically(next, 2.0, "tick"); }, 0},
      {"game", [](double *next) { return DebugGameInfoPeriodically("G", next, 2.0, "tick"); }, 1},
      {"note", [](double *next) { return DebugNotePeriodically(4, next, 2.0, "tick"); }, 1},
      {"memory", [](double *next) { return DebugDisplayMemoryUsagePeriodically(next, 2.0, "a", nullptr); }, 1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    DebugClearLog(0);
    EXPECT_EQ(c.report(nullptr), 0);
    double next = 0.0;
    eng_main_current_time = 10.0;
    EXPECT_EQ(c.report(&next), 1);
    EXPECT_DOUBLE_EQ(next, 12.0);
    eng_main_current_time = 11.9;
    EXPECT_EQ(c.report(&next), 0);
    eng_main_current_time = 12.0;
    EXPECT_EQ(c.report(&next), 1);
    EXPECT_DOUBLE_EQ(next, 14.0);
    EXPECT_EQ(DebugGetNumMessages(), 2 * c.stored);
  }
}

TEST_F(DebugLogTest, MemoryReportsCompareAgainstTheBase) {
  DebugDisplayMemoryUsage("first", "second");
  DebugDisplayMemoryUsage("first", nullptr);
  DebugDisplayMemoryUsage(nullptr, nullptr);
  DebugSetCurrentMemoryAsBase("base");
  DebugSetCurrentMemoryAsBase(nullptr);
  ASSERT_EQ(DebugGetNumMessages(), 4);
  // The first report becomes the base, so it shows no change.
  EXPECT_TRUE(std::regex_match(Text(0), std::regex(R"( :  \[ Mem: \d+\.\d{3} \(\+0\.000%\)  \] \(first - second\))")))
      << Text(0);
  EXPECT_TRUE(std::regex_match(Text(1), std::regex(R"( :  \[ Mem: \d+\.\d{3} \([+-]\d+\.\d{3}%\) \] \(first\))")))
      << Text(1);
  EXPECT_TRUE(std::regex_match(Text(2), std::regex(R"( :  \[ Mem: \d+\.\d{3} \([+-]\d+\.\d{3}%\) \])"))) << Text(2);
  EXPECT_TRUE(std::regex_match(Text(3), std::regex(R"( :  \[ Memory base: \d+\.\d{2} \] \(base\))"))) << Text(3);
}

TEST_F(DebugLogTest, SetMessageTextReplacesOrAppends) {
  DebugInfo("zero");
  DebugInfo("one");
  DebugSetMessageText(0, "edited %d", 0);
  EXPECT_EQ(DebugGetNumMessages(), 2);
  EXPECT_EQ(Text(0), "edited 0");
  EXPECT_EQ(DebugGetMessage(0)->code, DEBUG_MSG_PLAIN_TEXT);

  // A record at the count joins the ring with the information line after it.
  DebugSetMessageText(2, "added");
  ASSERT_EQ(DebugGetNumMessages(), 4);
  EXPECT_EQ(Text(2), "added");
  EXPECT_EQ(Text(3), " :   ");

  DebugSetMessageText(200, "out of range");
  DebugSetMessageText(-1, "out of range");
  EXPECT_EQ(DebugGetNumMessages(), 4);
}

TEST_F(DebugLogTest, ResetRestoresTheStartState) {
  DebugAddTimeToLogs(0);
  EngMainSetProcessExitForTests(ThrowOnExit);
  EXPECT_THROW(DebugPrintf(DEBUG_MSG_EXIT, "fatal"), ProcessExit);
  DebugSetExtraMessageLogCallback([](const char *) { ADD_FAILURE() << "callback survived the reset"; });
  DebugResetForTests();
  EXPECT_EQ(DebugGetNumMessages(), 0);
  EXPECT_STREQ(DebugGetLogFilename(), "ErrorLog.txt");

  ASSERT_EQ(DebugSetLogFilename(log_path.c_str(), 0), 1);
  qwtest::WriteWholeFile(log_path, "stale\n");
  testing::internal::CaptureStderr();
  DebugInfo("again");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "12.3 | again\n");
  EXPECT_EQ(LogFile(), "12.3 |  :  again\n");
}

}  // namespace
