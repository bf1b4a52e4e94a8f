// The world table against the stand-in score server: the reply grammar, the download on the
// worker, the 15-minute cache and what makes a cache untrustworthy.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMiscDate.h"
#include "online/Scores.h"
#include "online/ScoresMain.h"
#include "tests/online/WorldScoresTestSupport.h"
#include "tests/support/HttpTestServer.h"

namespace qwtest {
namespace {

class WorldScoresTest : public WorldScoresTestBase {
 protected:
  void SetUpTable(char automatic = 1, ScoresRange range = SCORES_RANGE_ALL_TIME) {
    ASSERT_EQ(m_table.Setup(55, 150, 100, 1000, range, nullptr, automatic, 15), 1);
  }
  // Starts a download now and waits for it.
  int Download(EngInternetThreadReadResult *status = nullptr, const char **message = nullptr) {
    EXPECT_EQ(m_table.Update(), 1);
    return WaitForTable(&m_table, status, message);
  }
  std::string Name(int i) {
    const ScoresScore *s = m_table.GetScore(i);
    return s ? std::string(s->name, strnlen(s->name, sizeof(s->name))) : std::string();
  }
  std::string Cache() { return ReadWholeFile(CachePath(1000, 'A')); }

  ScoresMain m_table;
};

TEST_F(WorldScoresTest, ParsesTheTableGrammarLineByLine) {
  const std::string long_name(32, 'n');
  const std::string reply = Line("500 137 1 2 41 Ann_Lee GB Hi 2026-03-19 L") +  // kept, '_' is a blank
                            Line("400 2 0 0 42 Bo USA txt 2026-01-05 M") +       // three letters: "US"
                            Line("390 2 0 0 43 Cy GB txt 2026-13-05 L") +        // month 13
                            Line("380 2 0 0 44 Di GB txt 2026-03-05") +          // nine fields
                            Line("370 2 0 0 0 Ed GB txt 2026-03-05 L") +         // id 0
                            Line("360 2 0 0 45 Fa QQ txt 2026-03-05 L") +        // unknown country
                            Line(("350 2 0 0 46 " + long_name + " GB txt 2026-03-05 L").c_str()) +
                            Line("340 2x 0 0 47 Gi GB txt 2026-03-05 L") +       // not a number
                            Line("330 2 0 0 48 Ha GB 12345678901234567890 2026-03-05 L") +  // text of 20
                            Line("320 2 0 0 49 Io GB txt 1999-03-05 L") +        // year before 2000
                            Line("-5 2 0 0 50 Ju GB txt 2026-03-05 L") +         // negative score
                            std::string("310 2 0 0 51 K\0l GB txt 2026-03-05 L\n", 37) +  // a NUL
                            Line(("300 2 0 0 52 Lu GB " + std::string(250, 't') + " 2026-03-05 L").c_str()) +
                            Line(("299 2 0 0 52 Lu GB " + std::string(250, 't')).c_str()) +  // short, long
                            Line("290 2 0 0 53 Mo IE ok 2026-02-28 W") + "*\n" +
                            Line("280 2 0 0 54 No GB x 2026-02-28 W");
  ScoresScore scores[10];
  memset(scores, 0, sizeof(scores));
  scores[0].small[1] = 5;  // bytes a line does not carry keep what the array held
  ASSERT_EQ(ScoresMainParseTable(reply.data(), reply.size(), scores, 10, nullptr), 3);
  EXPECT_STREQ(scores[0].name, "Ann Lee");
  EXPECT_EQ(scores[0].score, 500);
  EXPECT_EQ(scores[0].level, 137);
  EXPECT_EQ(scores[0].user_id, 41);
  EXPECT_STREQ(scores[0].text, "Hi");
  EXPECT_EQ(scores[0].date.year, 2026u);
  EXPECT_EQ(scores[0].date.month, 3);
  EXPECT_EQ(scores[0].date.day, 19);
  EXPECT_EQ(scores[0].platform, 'L');
  EXPECT_EQ(scores[0].small[1], 5);
  EXPECT_EQ(std::string(scores[1].country, 3), std::string("US\0", 3));
  EXPECT_STREQ(scores[2].name, "Mo");
  EXPECT_EQ(scores[2].platform, 'W');
  EXPECT_EQ(scores[3].score, 0);  // the line after "*" is not read
  // Only lines short of ten fields are reported, cut to 64 characters; bad values pass quietly.
  EXPECT_TRUE(LogHas("Invalid line received: <380 2 0 0 44 Di GB txt 2026-03-05>"));
  EXPECT_TRUE(LogHas("Invalid line received: <299 2 0 0 52 Lu GB " + std::string(64 - 19, 't') + ">"));
  EXPECT_FALSE(LogHas("2026-13-05"));
  EXPECT_FALSE(LogHas("<300 2 0 0 52"));
  EXPECT_FALSE(LogHas("more"));
}

// A server cannot fill the log: short lines are reported up to a bound and then counted in one
// line; lines of ten fields with bad values are never reported, however many.
TEST_F(WorldScoresTest, ARepliesBadLinesFillNoLog) {
  struct Case {
    const char *what;
    std::string line;
    int logged;
  };
  const Case cases[] = {
      {"short lines", Line("1 2 3"), 10 + 1},
      {"long bad lines", Line(("1 2 0 0 0 Ed GB " + std::string(300, 'x') + " 2026-03-05 L").c_str()), 0},
      {"bad values", Line("390 2 0 0 43 Cy GB txt 2026-13-05 L"), 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    std::string reply;
    for (int i = 0; i < 1000; i++) reply += c.line;
    reply += Line("290 2 0 0 53 Mo IE ok 2026-02-28 W");
    ScoresScore scores[4];
    memset(scores, 0, sizeof(scores));
    DebugResetForTests();
    EXPECT_EQ(ScoresMainParseTable(reply.data(), reply.size(), scores, 4, nullptr), 1);
    EXPECT_EQ(DebugGetNumMessages(), c.logged);
    if (c.logged) {
      EXPECT_TRUE(LogHas("Invalid line received: 990 more"));
    }
  }
}

TEST_F(WorldScoresTest, ParsingStopsAtCapacityAndAtALastLineWithoutNewline) {
  const std::string reply = Line("3 1 0 0 1 A GB t 2026-03-01 L") + Line("2 1 0 0 2 B GB t 2026-03-01 L") +
                            Line("1 1 0 0 3 C GB t 2026-03-01 L");
  ScoresScore scores[2];
  memset(scores, 0, sizeof(scores));
  EXPECT_EQ(ScoresMainParseTable(reply.data(), reply.size(), scores, 2, nullptr), 2);
  const std::string cut = "5 1 0 0 1 A GB t 2026-03-01 L";
  EXPECT_EQ(ScoresMainParseTable(cut.data(), cut.size(), scores, 2, nullptr), 0);
}

TEST_F(WorldScoresTest, DownloadsOnTheWorkerAndWritesTheCache) {
  ScoreServiceEntry e;
  e.name = "Ann Lee";
  e.country = "GB";
  e.score = 900;
  e.level = 250;
  e.uid = 12;
  e.year = 2026;
  e.month = 3;
  e.day = 20;
  m_service.AddScore(1000, e);
  e.name = "Bo";
  e.score = 1200;
  e.uid = 13;
  e.platform = 'W';
  m_service.AddScore(1000, e);
  m_service.AddScore(1001, e);

  SetUpTable();
  // The first check comes 0.2 s after set-up.
  EXPECT_EQ(m_table.UpdateIfNeeded(0), 0);
  EXPECT_EQ(m_table.UpdateIfNeeded(0), 0);
  AdvanceEngine(0.25);
  ASSERT_EQ(m_table.UpdateIfNeeded(0), 1);
  EXPECT_EQ(m_table.IsUpdating(), 1);
  EngInternetThreadReadResult status = 0;
  ASSERT_EQ(WaitForTable(&m_table, &status, nullptr), 1);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(m_table.IsUpdating(), 0);
  ASSERT_EQ(m_table.GetNumScores(), 2);
  EXPECT_EQ(Name(0), "Bo");
  EXPECT_EQ(Name(1), "Ann Lee");
  EXPECT_EQ(m_table.GetScore(1)->level, 250);
  ASSERT_EQ(m_service.TableQueries().size(), 1u);
  EXPECT_EQ(m_service.TableQueries()[0],
            "/cgi-bin/common/scores/Scores.fcgi?zz=1&gv=150&pr=55&st=1000&ra=0&sp=1&ep=99");
  EXPECT_EQ(Cache().size(), 22u + 2u * 88u);
  EXPECT_EQ(m_table.GetScore(2), nullptr);
  EXPECT_TRUE(LogHas("Bad num 2 (2)"));
}

TEST_F(WorldScoresTest, RepliesGiveTheirResultsAndStatuses) {
  struct Case {
    const char *reply;
    int result;
    EngInternetThreadReadResult status;
    const char *log;
  } cases[] = {
      {" X server full", -1, -4, "Error received: < X server full>"},
      {" V 150 151 0", -1, -5, nullptr},
      {" V 150 150 7", -1, -4, "Version problem: < V 150 150 7>  <150,150> <150> <7>"},
      {" V 150 x", -1, -4, "Version problem: < V 150 x>  <150,150> <0> <0>"},
      // A number no int holds is refused, not wrapped into one that would pass (151, 150).
      {" V 150 4294967447 0", -1, -4, "Version problem: < V 150 4294967447 0>  <150,150> <0> <0>"},
      {" V -4294967146 151 0", -1, -4, "Version problem: < V -4294967146 151 0>  <0,150> <0> <0>"},
      {" V 2147483648 151 0", -1, -4, "Version problem: < V 2147483648 151 0>  <0,150> <0> <0>"},
      {"Q ", -1, -2, "No data received"},
      {"HELLO", -1, -4, "Invalid data received: <HELLO>"},
  };
  SetUpTable();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.reply);
    m_service.ScriptTableReply(c.reply);
    EngInternetThreadReadResult status = 99;
    EXPECT_EQ(Download(&status), c.result);
    EXPECT_EQ(status, c.status);
    if (c.log) {
      EXPECT_TRUE(LogHas(c.log)) << Log();
    }
    EXPECT_EQ(m_table.IsUpdating(), 0);
  }
  EXPECT_FALSE(FileExists(CachePath(1000, 'A')));
}

// A server cannot write lines of its own into the log: each reply is one line, its control
// characters escaped and its length bounded, whatever it holds.
TEST_F(WorldScoresTest, HostileRepliesAreOneEscapedBoundedLogLineEach) {
  const std::string forged = "x\r\n0.4 |  <ERROR>  ( UserClass::LoadUser ) Player file damaged\x1b[2J";
  const std::string with_nul = std::string("a\0b\n", 4);
  const std::string long_text(10000, 'L');
  struct Case {
    std::string reply, logged;
  } cases[] = {
      {" M " + forged, "Main scores message received: <x\\r\\n0.4 |  <ERROR>  ( UserClass::LoadUser ) Player file "
                       "damaged\\x1b[2J>"},
      {" M " + with_nul, "Main scores message received: <a\\x00b\\n>"},
      {" X " + forged, "Error received: < X x\\r\\n0.4 |"},
      {" V 1\r\n2\x1b", "Version problem: < V 1\\r\\n2\\x1b>"},
      {"\x1b\n" + forged, "Invalid data received: <\\x1b\\nx\\r\\n0.4 |"},
      {" M " + long_text, "Main scores message received: <" + std::string(DEBUG_OUTSIDE_TEXT_MAX, 'L') + "...>"},
      {" X " + long_text, "Error received: < X " + std::string(DEBUG_OUTSIDE_TEXT_MAX - 3, 'L') + "...>"},
  };
  SetUpTable();
  const std::string log_file = m_data.File("Log.txt");
  for (const Case &c : cases) {
    SCOPED_TRACE(c.logged);
    const std::string before = ReadWholeFile(log_file);
    const size_t lines_before = size_t(std::count(before.begin(), before.end(), '\n'));
    const EngInt32 first = DebugGetNumMessages();
    m_service.ScriptTableReply(c.reply);
    EXPECT_EQ(Download(), -1);
    ASSERT_EQ(DebugGetNumMessages(), first + 1) << Log();
    const std::string line = DebugGetMessage(first)->text;
    EXPECT_NE(line.find(c.logged), std::string::npos) << line;
    EXPECT_LT(line.size(), 300u) << line;
    const std::string after = ReadWholeFile(log_file);
    EXPECT_EQ(size_t(std::count(after.begin(), after.end(), '\n')), lines_before + 1) << after;
    EXPECT_EQ(after.find('\x1b'), std::string::npos);
    EXPECT_EQ(after.find('\r'), std::string::npos);
  }
}

// A table line's bytes reach the log escaped: a line short of its fields, and the country code
// of a whole line that the country table does not know.
TEST_F(WorldScoresTest, ATableLinesBytesAreLoggedEscaped) {
  const std::string reply = Line("\x1b[2J 1\r\x9b") + Line("300 2 0 0 52 Lu \x1b]q txt 2026-03-05 L") +
                            Line("290 2 0 0 53 Mo IE ok 2026-02-28 W");
  ScoresScore scores[4];
  memset(scores, 0, sizeof(scores));
  DebugResetForTests();
  EXPECT_EQ(ScoresMainParseTable(reply.data(), reply.size(), scores, 4, nullptr), 1);
  EXPECT_TRUE(LogHas("Invalid line received: <\\x1b[2J 1\\r\\x9b>")) << Log();
  EXPECT_TRUE(LogHas("Code [\\x1b]] not found.")) << Log();
  for (EngInt32 i = 0; i < DebugGetNumMessages(); i++)
    for (const char *p = DebugGetMessage(i)->text; *p; p++) EXPECT_FALSE(*p == '\x1b' || *p == '\r') << Log();
}

TEST_F(WorldScoresTest, ARepliesFirst8191BytesAreRead) {
  ASSERT_EQ(m_table.Setup(55, 150, 400, 1000, SCORES_RANGE_ALL_TIME, nullptr, 1, 15), 1);
  // Lines of 40 bytes: the 8191 bytes hold "Y \n" and 204 whole lines; the 205th is cut.
  std::string reply = "Y \n";
  for (int i = 0; reply.size() < 9000; i++) {
    char line[64];
    snprintf(line, sizeof(line), "%05d 1 0 0 %05d Nam GB t 2026-03-20 L\n", 90000 - i, i + 1);
    ASSERT_EQ(strlen(line), 40u);
    reply += line;
  }
  m_service.ScriptTableReply(reply);
  EXPECT_EQ(Download(), 1);
  EXPECT_EQ(m_table.GetNumScores(), (8191 - 3) / 40);
  m_service.ScriptTableReply(reply.substr(0, 8191));
  EXPECT_EQ(Download(), 1);
  EXPECT_EQ(m_table.GetNumScores(), (8191 - 3) / 40);
}

TEST_F(WorldScoresTest, AServerMessageStaysReadableAfterTheReplyIsFreed) {
  SetUpTable();
  m_service.ScriptTableReply(" M Scores are being recounted tonight.");
  EngInternetThreadReadResult status = 0;
  const char *message = nullptr;
  EXPECT_EQ(Download(&status, &message), -1);
  EXPECT_EQ(status, 2);
  m_table.StopUpdating();
  ASSERT_NE(message, nullptr);
  EXPECT_STREQ(message, "Scores are being recounted tonight.");
  EXPECT_TRUE(LogHas("Main scores message received: <Scores are being recounted tonight.>"));
}

TEST_F(WorldScoresTest, AnEmptyTableGivesAnEmptyCache) {
  SetUpTable();
  m_service.ScriptTableReply("Y \n*\n");
  EXPECT_EQ(Download(), 1);
  EXPECT_EQ(m_table.GetNumScores(), 0);
  const std::string cache = Cache();
  ASSERT_EQ(cache.size(), 22u);
  EXPECT_EQ(cache.substr(18, 4), std::string(4, '\0'));
  EXPECT_EQ(static_cast<unsigned char>(cache[0]) | static_cast<unsigned char>(cache[1]) << 8, 150);
}

TEST_F(WorldScoresTest, AFailedDownloadKeepsTheHeldScores) {
  SetUpTable();
  m_service.ScriptTableReply("Y \n" + Line("10 1 0 0 5 Zed GB t 2026-03-20 L") + "*\n");
  ASSERT_EQ(Download(), 1);
  m_service.ScriptTableReply(" X down");
  EXPECT_EQ(Download(), -1);
  EXPECT_EQ(m_table.GetNumScores(), 1);
  EXPECT_EQ(Name(0), "Zed");
  // A refused port: the reader fails, the table stays.
  RefusedPort refused;
  ScopedEnvVar url("QUARRELWICK_SCORE_URL", refused.Url("").c_str());
  EngInternetThreadReadResult status = 0;
  EXPECT_EQ(Download(&status), -1);
  EXPECT_LT(status, 0);
  EXPECT_TRUE(LogHas("Update failed ["));
  EXPECT_EQ(Name(0), "Zed");
}

TEST_F(WorldScoresTest, ACacheYoungerThanFifteenMinutesIsLoadedWithoutARequest) {
  SetUpTable();
  m_service.ScriptTableReply("Y \n" + Line("10 1 0 0 5 Zed GB t 2026-03-20 L") + "*\n");
  ASSERT_EQ(Download(), 1);
  const size_t requests = m_service.TableQueries().size();

  // 14 minutes later a new table object loads the file and checks again a minute later.
  SetWallMinutes(14);
  ScoresMain second;
  ASSERT_EQ(second.Setup(55, 150, 100, 1000, SCORES_RANGE_ALL_TIME, nullptr, 1, 15), 1);
  EXPECT_EQ(second.UpdateIfNeeded(0), 0);
  AdvanceEngine(0.3);
  EXPECT_EQ(second.UpdateIfNeeded(0), 2);
  EXPECT_EQ(second.GetNumScores(), 1);
  EXPECT_EQ(m_service.TableQueries().size(), requests);
  AdvanceEngine(50);
  EXPECT_EQ(second.UpdateIfNeeded(0), 0);

  // 16 minutes after writing, the file is stale and a download starts.
  SetWallMinutes(16);
  AdvanceEngine(15);
  EXPECT_EQ(second.UpdateIfNeeded(0), 1);
  EngInternetThreadReadResult status = 0;
  EXPECT_EQ(WaitForTable(&second, &status, nullptr), 1);
  EXPECT_EQ(m_service.TableQueries().size(), requests + 1);
}

// A pipe or the like in the cache's place is read as no cache, at once, and told once however
// often the table checks.
TEST_F(WorldScoresTest, ACacheThatIsNotAFileIsNoCacheToldOnce) {
  const std::string path = CachePath(1000, 'A');
  for (NotAFile kind : kNotAFileKinds) {
    SCOPED_TRACE(NotAFileName(kind));
    MakeNotAFile(kind, path);
    DebugClearLog(0);
    ScoresMain table;
    ASSERT_EQ(table.Setup(55, 150, 100, 1000, SCORES_RANGE_ALL_TIME, nullptr, 0, 15), 1);
    EXPECT_EQ(table.UpdateIfNeeded(0), 0);
    EXPECT_TRUE(RunsWithoutWaitingOnPipe(path, [&] {
      for (int i = 0; i < 3; i++) {
        AdvanceEngine(0.3);
        EXPECT_EQ(table.UpdateIfNeeded(0), 0);
      }
    }));
    EXPECT_EQ(table.GetNumScores(), 0);
    EXPECT_EQ(CountLogLines(Log(), "ScoresMain::UpdateIfNeeded", "Not a regular file <" + path + ">"), 1) << Log();
  }
}

// Whatever stands at the cache's temporary name is replaced by the next table's cache at once,
// never written through; a folder there keeps the old cache.
TEST_F(WorldScoresTest, WhatStandsAtTheCachesTemporaryNameIsReplacedAtOnce) {
  SetUpTable();
  const std::string path = CachePath(1000, 'A');
  for (NotAFile kind : kNotAFileKindsForWriting) {
    SCOPED_TRACE(NotAFileName(kind));
    WriteWholeFile(path, "old");
    MakeNotAFile(kind, path + ".tmp");
    m_service.ScriptTableReply("Y \n" + Line("10 1 0 0 5 Zed GB t 2026-03-20 L") + "*\n");
    EXPECT_TRUE(RunsWithoutWaitingOnPipe(path + ".tmp", [&] { EXPECT_EQ(Download(), 1); }));
    EXPECT_EQ(Name(0), "Zed");
    if (kind == NotAFile::kFolder) {
      EXPECT_EQ(Cache(), "old");
    } else {
      EXPECT_EQ(Cache().size(), size_t(SCORES_MAIN_CACHE_HEADER + SCORES_SCORE_SIZE));
      EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(path + ".tmp")));
    }
    if (kind == NotAFile::kLinkToOutsideFile) {
      EXPECT_EQ(ReadWholeFile(OutsideFile()), kOutsideBytes);
    }
  }
}

TEST_F(WorldScoresTest, ACacheIsTrustedOnlyWhole) {
  ScoresScore good[2];
  memset(good, 0, sizeof(good));
  const std::string two = Line("20 1 0 0 5 Zed GB t 2026-03-20 L") + Line("10 1 0 0 6 Amy IE t 2026-03-20 L");
  ASSERT_EQ(ScoresMainParseTable(two.data(), two.size(), good, 2, nullptr), 2);
  _EngMiscDateAndTime stamp;
  EngMiscGetCurrentDateAndTime(&stamp);
  const EngUInt32 now = EngMiscGetMinutesFromDateAndTime(&stamp);
  const std::string whole = ScoresMainMakeCache(150, stamp, good, 2);
  _EngMiscDateAndTime later = stamp;
  later.time.minute = char(later.time.minute + 1);
  ScoresScore unterminated = good[1];
  memset(unterminated.text, 'x', sizeof(unterminated.text));
  ScoresScore bad_country = good[1];
  memcpy(bad_country.country, "QQ", 2);
  const ScoresScore with_bad[2] = {good[0], unterminated};
  const ScoresScore with_country[2] = {good[0], bad_country};
  std::string big_count = whole;
  big_count[18] = 3;
  struct Case {
    const char *what;
    std::string bytes;
    int capacity;
    bool ok;
  } cases[] = {
      {"whole", whole, 100, true},
      {"full table", whole, 2, true},
      {"count above capacity", whole, 1, false},
      {"other version", ScoresMainMakeCache(149, stamp, good, 2), 100, false},
      {"one byte short", whole.substr(0, whole.size() - 1), 100, false},
      {"one byte more", whole + "x", 100, false},
      {"count beyond the records", big_count, 100, false},
      {"stamp after now", ScoresMainMakeCache(150, later, good, 2), 100, false},
      {"text not ending in its field", ScoresMainMakeCache(150, stamp, with_bad, 2), 100, false},
      {"unknown country", ScoresMainMakeCache(150, stamp, with_country, 2), 100, false},
      {"no header", whole.substr(0, 10), 100, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    ScoresScore out[100];
    int count = -1;
    EngUInt32 stamp_minutes = 0;
    EXPECT_EQ(ScoresMainReadCache(reinterpret_cast<const unsigned char *>(c.bytes.data()), c.bytes.size(), 150,
                                  c.capacity, now, 15, nullptr, out, &count, &stamp_minutes),
              c.ok ? 1 : 0);
    if (c.ok) {
      EXPECT_EQ(count, 2);
    }
  }
  // Too old.
  ScoresScore out[100];
  int count = 0;
  EXPECT_EQ(ScoresMainReadCache(reinterpret_cast<const unsigned char *>(whole.data()), whole.size(), 150, 100,
                                now + 16, 15, nullptr, out, &count, nullptr),
            0);

  // A bad file on disk is downloaded again.
  SetUpTable();
  WriteWholeFile(CachePath(1000, 'A'), whole + "x");
  m_service.ScriptTableReply("Y \n*\n");
  EXPECT_EQ(m_table.UpdateIfNeeded(1), 1);
  EXPECT_EQ(WaitForTable(&m_table, nullptr, nullptr), 1);
  EXPECT_EQ(Cache().size(), 22u);
}

TEST_F(WorldScoresTest, SetupRefusesBadParametersAndNamesTheCacheByRange) {
  EXPECT_EQ(m_table.Setup(55, 150, 100, 1000, ScoresRange(5), nullptr, 0, 15), 0);
  EXPECT_TRUE(LogHas("Parameter Error"));
  EXPECT_EQ(m_table.IsSetup(), 0);
  EXPECT_EQ(m_table.Setup(55, 150, 0, 1000, SCORES_RANGE_ALL_TIME, nullptr, 0, 15), 0);
  const char letters[5] = {'A', 'Y', 'M', 'W', 0};
  for (int range = 0; range < 5; range++) {
    ASSERT_EQ(m_table.Setup(55, 150, 100, 1002, ScoresRange(range), nullptr, 0, 15), 1);
    EXPECT_EQ(std::string(m_table.GetCachePath()), CachePath(1002, letters[range]));
  }
  // Without automatic download a missing cache does nothing.
  EXPECT_EQ(m_table.UpdateIfNeeded(1), 0);
  EXPECT_TRUE(m_service.TableQueries().empty());
}

TEST_F(WorldScoresTest, TheDeleteRequestEncodesTheCountry) {
  SetUpTable();
  m_service.Server().Reply("/cgi-bin/common/scores/ScoresDelete.cgi", "Y\n");
  m_service.ScriptTableReply("Y \n*\n");
  ScoresScore s = MakeScore(120, 3, 2026, 3, 20, 77, "Bob", "GB");
  EXPECT_EQ(m_table.DeleteOnlineScore(&s), 1);
  bool seen = false;
  for (const HttpRequest &r : m_service.Server().Requests())
    if (r.path == "/cgi-bin/common/scores/ScoresDelete.cgi") {
      seen = true;
      EXPECT_EQ(r.target,
                "/cgi-bin/common/scores/ScoresDelete.cgi?gv=150&pr=55&st=1000&uid=77&v1=120&v2=3&v3=0&v4=0&cc=GB");
    }
  EXPECT_TRUE(seen);
  EXPECT_EQ(WaitForTable(&m_table, nullptr, nullptr), 1);
}

}  // namespace
}  // namespace qwtest
