// Local high scores on real files in a temporary data folder: the record and piece bytes, the
// file's sizes, damaged and foreign files, the list order, the game-over entry with its pruning,
// the prompt's range, range subsets, reset and the submission's refusals.
#include "online/Scores.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "game/Quarrelwick.h"
#include "tests/online/ScoresTestSupport.h"
#include "tests/support/HttpTestServer.h"

namespace {

using qwtest::MakeScore;

class ScoresTest : public qwtest::ScoresTestBase {
 protected:
  // Writes the list as a file of the current garden (sorted, as the game writes it).
  void SaveList(const std::vector<ScoresScore> &entries) {
    std::string file = qwtest::Seal(qwtest::HeaderPiece(ScoresGetCurrentGarden()));
    for (const ScoresScore &s : entries) file += qwtest::Seal(qwtest::RecordPiece(s));
    WriteScoreFile(ScoresGetCurrentGarden(), file);
  }
  ScoresScore Bob(EngInt32 score, int year, int month, int day) {
    return MakeScore(score, 5, year, month, day, 77, "Bob", "GB");
  }
  struct Recorder : ScoresScreenLink {
    int updates = 0, done = 0, answers = 0;
    std::string info;
    void UpdateForNewGarden() override { updates++; }
    void SetInfoMessage(const char *text) override { info = text; }
    void InternetDoneAddingLastScore(char) override { done++; }
    void AddOnlineAfterPopupCB(char) override { answers++; }
  };
};

TEST_F(ScoresTest, RecordAndPiecesAreTheGoldenBytes) {
  ScoresScore s = MakeScore(0x01020304, 237, 2026, 3, 5, 0xBEEF, "Zed", "ABC");
  s.v3 = 0x11223344;
  s.v4 = 0x55667788;
  memcpy(s.text, "hello", 5);
  s.platform = 'L';
  s.small[0] = 1;
  s.small[1] = 2;
  s.small[2] = 3;
  s.small[3] = -1;
  std::string golden(SCORES_SCORE_SIZE, '\0');
  golden.replace(0, 4, "\x04\x03\x02\x01", 4);
  golden.replace(4, 4, "\xED\x00\x00\x00", 4);
  golden.replace(8, 4, "\x44\x33\x22\x11", 4);
  golden.replace(12, 4, "\x88\x77\x66\x55", 4);
  golden.replace(16, 4, "\xEA\x07\x00\x00", 4);
  golden[20] = 3;
  golden[21] = 5;
  golden.replace(24, 2, "\xEF\xBE", 2);
  golden.replace(26, 3, "Zed");
  golden.replace(58, 3, "ABC");
  golden.replace(61, 5, "hello");
  golden[81] = 'L';
  golden.replace(82, 4, "\x01\x02\x03\xFF", 4);
  unsigned char bytes[SCORES_SCORE_SIZE];
  ScoresScoreToBytes(&s, bytes);
  EXPECT_EQ(std::string(reinterpret_cast<char *>(bytes), sizeof(bytes)), golden);
  ScoresScore back;
  ScoresScoreFromBytes(bytes, &back);
  EXPECT_EQ(memcmp(&back, &s, sizeof(s)), 0);

  EXPECT_EQ(qwtest::HeaderPiece(2), std::string("\xC8\x00\x02\x00", 4) + std::string(16, '\0'));
  // The record piece keeps neither the third and fourth values nor text, platform and flags.
  std::string piece(SCORES_RECORD_SIZE, '\0');
  piece.replace(0, 26, golden.substr(0, 26));
  piece.replace(8, 8, std::string(8, '\0'));
  piece.replace(26, 3, "Zed");
  piece.replace(48, 3, "ABC");
  EXPECT_EQ(qwtest::RecordPiece(s), piece);
}

TEST_F(ScoresTest, EmptyAndFullListsRoundTrip) {
  std::vector<ScoresScore> all;
  for (int i = 0; i < SCORES_MAX_LOCAL; i++)
    all.push_back(MakeScore(1000 - i, 1 + i % 250, 2020 + i % 7, 1 + i % 12, 1 + i % 28, EngUInt16(i + 1),
                            ("Player" + std::to_string(i)).c_str(), i % 2 ? "IE" : "USA"));
  for (size_t count : {size_t(0), size_t(1), size_t(SCORES_MAX_LOCAL)}) {
    SCOPED_TRACE(count);
    ScoresPre3dInit();
    ScoresSetCurrentGarden(3);
    SaveList(std::vector<ScoresScore>(all.begin(), all.begin() + long(count)));
    ScoresReadCurrentGardenScores();
    ASSERT_EQ(ScoresGetNumScores(), EngInt32(count));
    ASSERT_EQ(ScoresWriteToFile(), 1);
    const std::string file = qwtest::ReadWholeFile(ScoresPath(3));
    EXPECT_EQ(file.size(), 36 + 132 * count);
    EXPECT_FALSE(qwtest::FileExists(ScoresPath(3) + ".tmp"));
    const std::vector<std::string> pieces = qwtest::OpenScoreFile(file);
    ASSERT_EQ(pieces.size(), count + 1);
    EXPECT_EQ(pieces[0], qwtest::HeaderPiece(3));
    for (size_t i = 0; i < count; i++) EXPECT_EQ(pieces[i + 1], qwtest::RecordPiece(all[i])) << i;
    ScoresReadCurrentGardenScores();
    ASSERT_EQ(ScoresGetNumScores(), EngInt32(count));
    for (size_t i = 0; i < count; i++) EXPECT_EQ(memcmp(&ScoresGetScores()[i], &all[i], sizeof(ScoresScore)), 0) << i;
  }
  EXPECT_EQ(qwtest::ReadWholeFile(ScoresPath(3)).size(), 13236u);
}

TEST_F(ScoresTest, DamagedFilesLoseOnlyWhatIsDamaged) {
  const ScoresScore first = MakeScore(900, 3, 2026, 3, 1, 5, "Ann", "IE");
  const ScoresScore last = MakeScore(100, 3, 2026, 3, 2, 6, "Cat", "FR");
  const std::string good_head = qwtest::Seal(qwtest::HeaderPiece(1));
  auto with_middle = [&](const ScoresScore &bad) {
    return good_head + qwtest::Seal(qwtest::RecordPiece(first)) + qwtest::Seal(qwtest::RecordPiece(bad)) +
           qwtest::Seal(qwtest::RecordPiece(last));
  };
  auto raw_name = [&](const char *name) {
    std::string piece = qwtest::RecordPiece(MakeScore(500, 3, 2026, 3, 3, 7, "x", "GB"));
    piece.replace(26, 22, std::string(22, '\0'));
    piece.replace(26, strlen(name), name);
    return good_head + qwtest::Seal(qwtest::RecordPiece(first)) + qwtest::Seal(piece) +
           qwtest::Seal(qwtest::RecordPiece(last));
  };
  auto raw_country = [&](const char *code) {
    std::string piece = qwtest::RecordPiece(MakeScore(500, 3, 2026, 3, 3, 7, "Dan", "GB"));
    piece.replace(48, strlen(code), code);
    return good_head + qwtest::Seal(qwtest::RecordPiece(first)) + qwtest::Seal(piece) +
           qwtest::Seal(qwtest::RecordPiece(last));
  };
  std::string many = good_head;
  for (int i = 0; i < 101; i++) many += qwtest::Seal(qwtest::RecordPiece(MakeScore(1000 - i, 1, 2026, 1, 1, 9, "Eve", "IE")));
  struct Case {
    const char *what;
    std::string file;
    int loaded;
    bool kept;
    const char *log;
  } cases[] = {
      {"month 13", with_middle(MakeScore(500, 3, 2026, 13, 3, 7, "Dan", "GB")), 2, true, "Invalid score entry 2"},
      {"day 0", with_middle(MakeScore(500, 3, 2026, 3, 0, 7, "Dan", "GB")), 2, true, "Invalid score entry 2"},
      {"score 0", with_middle(MakeScore(0, 3, 2026, 3, 3, 7, "Dan", "GB")), 2, true, "Invalid score entry 2"},
      {"empty name", raw_name(""), 2, true, "Invalid score entry 2"},
      {"21-character name", raw_name("ABCDEFGHIJKLMNOPQRSTU"), 2, true, "Invalid score entry 2"},
      {"22 characters, no terminator", raw_name("ABCDEFGHIJKLMNOPQRSTUV"), 2, true, "Invalid score entry 2"},
      {"20-character name", raw_name("ABCDEFGHIJKLMNOPQRST"), 3, true, nullptr},
      {"four-letter code", raw_country("ABCD"), 2, true, "Invalid score entry 2"},
      {"trailing 100 bytes", with_middle(last) + std::string(100, 'z'), 3, true, "Score file invalid line 4"},
      {"101 records", many, 100, true, nullptr},
      {"header only", good_head, 0, true, nullptr},
      {"garden 2's file", qwtest::Seal(qwtest::HeaderPiece(2)) + qwtest::Seal(qwtest::RecordPiece(first)), 0, false,
       "Score file invalid - deleted"},
      {"version 199", qwtest::Seal(qwtest::HeaderPiece(1, 199)), 0, false, "Score file invalid - deleted"},
      {"10 bytes", std::string(10, 'a'), 0, false, "Score file invalid - deleted"},
      {"empty", std::string(), 0, false, "Score file invalid - deleted"},
  };
  ScoresSetCurrentGarden(1);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    DebugResetForTests();
    WriteScoreFile(1, c.file);
    ScoresReadCurrentGardenScores();
    EXPECT_EQ(ScoresGetNumScores(), c.loaded) << Log();
    EXPECT_EQ(qwtest::FileExists(ScoresPath(1)), c.kept);
    if (c.log) {
      EXPECT_TRUE(LogHas(c.log)) << Log();
      EXPECT_TRUE(LogHas(ScoresPath(1))) << Log();
    } else {
      EXPECT_EQ(Log(), "");
    }
    if (c.loaded == 2) {
      EXPECT_EQ(Names(), (std::vector<std::string>{"Ann:900", "Cat:100"}));
      // The next write keeps the good ones.
      ASSERT_EQ(ScoresWriteToFile(), 1);
      EXPECT_EQ(qwtest::ReadWholeFile(ScoresPath(1)).size(), 36u + 2 * 132);
    }
  }
}

// A pipe or the like in the score file's place: the high-score screen gets an empty list at
// once, and it is told once.
TEST_F(ScoresTest, AScoreFileThatIsNotAFileIsAnEmptyListAtOnce) {
  const std::string path = ScoresPath(0);
  for (qwtest::NotAFile kind : qwtest::kNotAFileKinds) {
    SCOPED_TRACE(qwtest::NotAFileName(kind));
    qwtest::MakeNotAFile(kind, path);
    DebugClearLog(0);
    EXPECT_TRUE(qwtest::RunsWithoutWaitingOnPipe(path, [] { ScoresReadCurrentGardenScores(); }));
    EXPECT_EQ(ScoresGetNumScores(), 0);
    EXPECT_EQ(qwtest::CountLogLines(Log(), "ScoresReadCurrentGardenScores", "Not a regular file <" + path + ">"), 1)
        << Log();
  }
}

TEST_F(ScoresTest, AFailedWriteKeepsTheOldFile) {
  SaveList({MakeScore(900, 3, 2026, 3, 1, 5, "Ann", "IE")});
  const std::string before = qwtest::ReadWholeFile(ScoresPath(0));
  ScoresReadCurrentGardenScores();
  ASSERT_EQ(mkdir((ScoresPath(0) + ".tmp").c_str(), 0755), 0);  // the temporary file cannot be made
  SetFinishedGame(50, 3, 0);
  ScoresCheckGameOverScore();
  EXPECT_EQ(qwtest::ReadWholeFile(ScoresPath(0)), before);
  EXPECT_TRUE(LogHas("old file kept")) << Log();
}

TEST_F(ScoresTest, AnInvalidGardenHasNoFile) {
  for (EngInt32 garden : {-1, 4}) {
    SCOPED_TRACE(garden);
    DebugResetForTests();
    ScoresSetCurrentGarden(garden);
    EXPECT_EQ(ScoresGetFilename(1), nullptr);
    EXPECT_TRUE(LogHas("Invalid garden " + std::to_string(garden))) << Log();
    EXPECT_EQ(ScoresWriteToFile(), 0);
    SetFinishedGame(10, 0, 0);
    ScoresCheckGameOverScore();
    EXPECT_EQ(ScoresGetNumScores(), 0);
  }
  EXPECT_FALSE(qwtest::FileExists(m_data.File("Tallowmere/Quarrelwick/Scores")));
}

TEST_F(ScoresTest, OrderIsScoreThenLevelThenTheLaterName) {
  std::vector<ScoresScore> list = {
      MakeScore(10, 5, 2026, 1, 1, 1, "Ann", "IE"), MakeScore(10, 5, 2026, 1, 1, 2, "Zed", "IE"),
      MakeScore(10, 7, 2026, 1, 1, 3, "Bea", "IE"), MakeScore(2147483647, 1, 2026, 1, 1, 4, "Max", "IE"),
      MakeScore(1, 1, 2026, 1, 1, 5, "Low", "IE"),
  };
  SaveList(list);
  ScoresReadCurrentGardenScores();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Max:2147483647", "Bea:10", "Zed:10", "Ann:10", "Low:1"}));
  // Compared, not subtracted: the extremes of the 32-bit range keep their order.
  const ScoresScore lowest = MakeScore(INT_MIN, 1, 2026, 1, 1, 1, "A", "IE");
  const ScoresScore highest = MakeScore(INT_MAX, 1, 2026, 1, 1, 1, "A", "IE");
  EXPECT_GT(ScoresSortCallback(&lowest, &highest), 0);
  EXPECT_LT(ScoresSortCallback(&highest, &lowest), 0);
  EXPECT_EQ(ScoresSortCallback(&highest, &highest), 0);
}

TEST_F(ScoresTest, SamenessIgnoresTheValuesThatAreNotStored) {
  const ScoresScore a = MakeScore(10, 5, 2026, 1, 1, 1, "Ann", "IE");
  ScoresScore b = a;
  b.v3 = 4;
  b.small[0] = 1;
  memcpy(b.text, "x", 1);
  EXPECT_EQ(ScoresAreScoresTheSame(&a, &b), 1);
  for (auto change : std::vector<void (*)(ScoresScore *)>{
           [](ScoresScore *s) { s->score++; }, [](ScoresScore *s) { s->level++; }, [](ScoresScore *s) { s->date.day++; },
           [](ScoresScore *s) { s->user_id++; }, [](ScoresScore *s) { s->name[0] = 'B'; },
           [](ScoresScore *s) { s->country[1] = 'X'; }, [](ScoresScore *s) { s->platform = 'L'; }}) {
    ScoresScore c = a;
    change(&c);
    EXPECT_EQ(ScoresAreScoresTheSame(&a, &c), 0);
  }
  EXPECT_EQ(ScoresAreScoresTheSame(&a, nullptr), 0);
}

TEST_F(ScoresTest, AFirstGameMakesTheFileAndIsTheBestOfAllTime) {
  Recorder screen;
  ScoresSetScreenLink(&screen);
  ScoresSetCurrentGarden(2);
  SetFinishedGame(1234, 36, 1);
  ScoresCheckGameOverScore();
  ASSERT_EQ(ScoresGetNumScores(), 1);
  const ScoresScore &entry = ScoresGetScores()[0];
  EXPECT_EQ(entry.score, 1234);
  EXPECT_EQ(entry.level, 137);
  EXPECT_EQ(entry.date.year, 2026u);
  EXPECT_EQ(entry.date.month, 3);
  EXPECT_EQ(entry.date.day, 20);
  EXPECT_EQ(entry.user_id, 77);
  EXPECT_STREQ(entry.name, "Bob");
  EXPECT_EQ(std::string(entry.country, 3), std::string("GB\0", 3));
  EXPECT_EQ(entry.small[0], 1);
  EXPECT_EQ(score_last_entry_pos, 0);
  EXPECT_EQ(score_last_entry_garden, 2);
  EXPECT_EQ(qwtest::ReadWholeFile(ScoresPath(2)).size(), 36u + 132);
  EXPECT_GT(screen.updates, 0);
  EXPECT_EQ(ScoresGetRangeOfLastScore(), SCORES_RANGE_ALL_TIME);
  // Reading again finds the last-added entry by its contents.
  ScoresReadCurrentGardenScores();
  EXPECT_EQ(ScoresGetScores()[0].small[0], 1);
}

TEST_F(ScoresTest, GamesThatAddNothing) {
  SetFinishedGame(0, 3, 0);
  ScoresCheckGameOverScore();
  EXPECT_FALSE(qwtest::FileExists(ScoresPath(0)));
  SetFinishedGame(10, 3, 0);
  m_user->Unload();
  ScoresCheckGameOverScore();
  EXPECT_TRUE(LogHas("User not loaded")) << Log();
  EXPECT_FALSE(qwtest::FileExists(ScoresPath(0)));
  EXPECT_EQ(ScoresGetRangeOfLastScore(), SCORES_RANGE_ALL_TIME);
}

TEST_F(ScoresTest, AQuestionMarkCountryIsStoredAsUS) {
  memcpy(m_user->GetInfo()->country, "?\0", 3);
  SetFinishedGame(10, 0, 2);
  ScoresCheckGameOverScore();
  ASSERT_EQ(ScoresGetNumScores(), 1);
  EXPECT_STREQ(ScoresGetScores()[0].country, "US");
  EXPECT_EQ(ScoresGetScores()[0].level, 201);
  // The player still finds their own entries.
  SetFinishedGame(5, 0, 2);
  ScoresCheckGameOverScore();
  EXPECT_EQ(ScoresGetRangeOfLastScore(), -1);
}

TEST_F(ScoresTest, PruningKeepsTheBestOfEachPeriodAndTheLastNineDays) {
  struct Case {
    const char *what;
    int today_day;
    std::vector<ScoresScore> before;
    std::vector<std::string> after;  // without the new game's entry (score 1)
  } cases[] = {
      {"on the 5th nothing of this month goes",
       5,
       {Bob(900, 2026, 3, 4), Bob(100, 2026, 3, 1), Bob(50, 2026, 3, 2)},
       {"Bob:900", "Bob:100", "Bob:50"}},
      {"on the 20th the 1st to the 11th below the month's best go",
       20,
       {Bob(900, 2026, 3, 15), Bob(900, 2026, 3, 1), Bob(300, 2026, 3, 11), Bob(200, 2026, 3, 12),
        Bob(100, 2026, 3, 1), Bob(90, 2026, 3, 20)},
       {"Bob:900", "Bob:900", "Bob:200", "Bob:90"}},
      {"earlier months keep only the year's best",
       20,
       {Bob(800, 2026, 1, 3), Bob(800, 2026, 2, 3), Bob(700, 2026, 2, 4), Bob(100, 2026, 3, 19)},
       {"Bob:800", "Bob:800", "Bob:100"}},
      {"last year keeps only the all-time best",
       20,
       {Bob(1000, 2025, 6, 1), Bob(1000, 2025, 7, 1), Bob(900, 2026, 3, 19), Bob(400, 2025, 8, 1), Bob(300, 2024, 1, 1)},
       {"Bob:1000", "Bob:1000", "Bob:900"}},
      {"other players and namesakes with another id stay",
       20,
       {Bob(900, 2026, 3, 15), MakeScore(100, 5, 2026, 3, 1, 78, "Bob", "GB"), MakeScore(50, 5, 2025, 3, 1, 5, "Ann", "IE")},
       {"Bob:900", "Bob:100", "Ann:50"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    SetToday(2026, 3, c.today_day);
    ScoresPre3dInit();
    SaveList(c.before);
    SetFinishedGame(1, 0, 0);
    ScoresCheckGameOverScore();
    std::vector<std::string> expected = c.after;
    expected.push_back("Bob:1");
    EXPECT_EQ(Names(), expected);
    EXPECT_EQ(score_last_entry_pos, EngInt32(expected.size() - 1));
    ScoresReadCurrentGardenScores();
    EXPECT_EQ(Names(), expected);
  }
}

TEST_F(ScoresTest, AFullListLosesItsLastEntryToTheNewGame) {
  std::vector<ScoresScore> list;
  for (int i = 0; i < SCORES_MAX_LOCAL; i++)
    list.push_back(MakeScore(10000 - i, 5, 2026, 3, 1, EngUInt16(100 + i), ("P" + std::to_string(i)).c_str(), "IE"));
  SaveList(list);
  SetFinishedGame(7, 2, 0);
  ScoresCheckGameOverScore();
  ASSERT_EQ(ScoresGetNumScores(), SCORES_MAX_LOCAL);
  EXPECT_EQ(Names().back(), "Bob:7");
  EXPECT_EQ(Names()[98], "P98:9902");
  EXPECT_EQ(score_last_entry_pos, 99);
  EXPECT_EQ(qwtest::ReadWholeFile(ScoresPath(0)).size(), 13236u);
}

TEST_F(ScoresTest, ThePromptNamesTheFirstRangeOfAPersonalBest) {
  // Today is Friday 20 March 2026: day 79, week 12; the 10th is week 10, the 18th week 12.
  struct Case {
    const char *what;
    std::vector<ScoresScore> history;
    EngInt32 range;
  } cases[] = {
      {"no history", {}, SCORES_RANGE_ALL_TIME},
      {"better than everything", {Bob(700, 2025, 1, 1), Bob(600, 2026, 3, 20)}, SCORES_RANGE_ALL_TIME},
      {"equal to the all-time best last year", {Bob(800, 2025, 1, 1)}, SCORES_RANGE_YEAR},
      {"beaten this year in January", {Bob(900, 2026, 1, 5)}, SCORES_RANGE_MONTH},
      {"beaten this month in another week", {Bob(900, 2026, 3, 10)}, SCORES_RANGE_WEEK},
      {"beaten this week", {Bob(900, 2026, 3, 18)}, SCORES_RANGE_DAY},
      {"beaten today", {Bob(900, 2026, 3, 20)}, -1},
      {"equal today", {Bob(800, 2026, 3, 20)}, -1},
      {"another player's better score", {MakeScore(5000, 5, 2026, 3, 20, 9, "Ann", "IE")}, SCORES_RANGE_ALL_TIME},
      {"a namesake of another country", {MakeScore(5000, 5, 2026, 3, 20, 77, "Bob", "IE")}, SCORES_RANGE_ALL_TIME},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    ScoresPre3dInit();
    SaveList(c.history);
    SetFinishedGame(800, 10, 0);
    ScoresCheckGameOverScore();
    EXPECT_EQ(ScoresGetRangeOfLastScore(), c.range);
    const ScoresScore *best = ScoresGetUsersBestScoreForCurrentGardenNotLastScore(SCORES_RANGE_ALL_TIME);
    if (best) {
      EXPECT_EQ(best->small[0], 0);
    }
  }
}

TEST_F(ScoresTest, SubsetsHoldTheEntriesOfTheirRange) {
  SaveList({Bob(900, 2026, 3, 20), Bob(800, 2026, 3, 10), Bob(700, 2026, 1, 1), Bob(600, 2025, 3, 20)});
  ScoresReadCurrentGardenScores();
  const int expected[] = {4, 3, 2, 1, 1}, lowest[] = {600, 700, 800, 900, 900};
  for (int r = 0; r < SCORES_NUM_RANGES; r++) {
    SCOPED_TRACE(r);
    EXPECT_EQ(ScoresGetSubsetForRange(ScoresRange(r)), 1);
    ASSERT_EQ(ScoresGetSubsetNum(), expected[r]);
    EXPECT_EQ(ScoresGetSubset()[0].score, 900);
    EXPECT_EQ(ScoresGetSubset()[expected[r] - 1].score, lowest[r]);
  }
  SetToday(2027, 6, 1);
  EXPECT_EQ(ScoresGetSubsetForRange(SCORES_RANGE_YEAR), 0);
  EXPECT_EQ(ScoresGetSubsetNum(), 0);
  EXPECT_EQ(ScoresGetSubset(), nullptr);
}

TEST_F(ScoresTest, ResetRemovesOnlyThePlayersEntries) {
  const ScoresScore ann = MakeScore(500, 5, 2026, 3, 1, 9, "Ann", "IE");
  const ScoresScore namesake = MakeScore(400, 5, 2026, 3, 1, 8, "Bob", "FR");
  SaveList({Bob(900, 2026, 3, 20), ann, Bob(450, 2026, 3, 2), namesake});
  ScoresResetScoresForThisGarden();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Ann:500", "Bob:400"}));
  std::vector<std::string> pieces = qwtest::OpenScoreFile(qwtest::ReadWholeFile(ScoresPath(0)));
  EXPECT_EQ(pieces, (std::vector<std::string>{qwtest::HeaderPiece(0), qwtest::RecordPiece(ann),
                                              qwtest::RecordPiece(namesake)}));
  // Only other players' entries: the same list again.
  ScoresResetScoresForThisGarden();
  EXPECT_EQ(qwtest::OpenScoreFile(qwtest::ReadWholeFile(ScoresPath(0))), pieces);
  // No file: nothing is written.
  ScoresSetCurrentGarden(1);
  ScoresResetScoresForThisGarden();
  EXPECT_FALSE(qwtest::FileExists(ScoresPath(1)));
}

TEST_F(ScoresTest, SubmissionsAreCheckedAndEndWithoutAConnection) {
  Recorder screen;
  ScoresSetScreenLink(&screen);
  DebugResetForTests();
  EXPECT_EQ(ScoresCallSubmitScore(nullptr), 0);
  EXPECT_TRUE(LogHas("Internal Error (no ss)"));
  ScoresScore bad = Bob(900, 2026, 3, 20);
  bad.user_id = 0;
  EXPECT_EQ(ScoresCallSubmitScore(&bad), 0);
  EXPECT_TRUE(LogHas("Internal Error (invalid ss)"));

  // The score server's address refuses connections (CTest's setting): a communication problem.
  qwtest::RefusedPort refused;
  qwtest::ScopedEnvVar url("QUARRELWICK_SCORE_URL", refused.Url("").c_str());
  SetFinishedGame(800, 10, 0);
  ScoresCheckGameOverScore();
  DebugResetForTests();
  EXPECT_EQ(ScoresSubmitLastScoreForCurrentGarden(), 0);
  EXPECT_TRUE(LogHas("Problem submitting score [-3].")) << Log();
  DebugResetForTests();
  EXPECT_EQ(ScoresSubmitBestScoreForCurrentGardenAndRange(SCORES_RANGE_WEEK), 0);
  EXPECT_TRUE(LogHas("Problem submitting score [-3].")) << Log();
  EXPECT_EQ(screen.done, 0);

  // The last game was another player's: nothing to submit.
  UserClass other(nullptr, "Quarrelwick", 1, USER_ENCRYPTION_ACCEPT_PLAIN);
  ASSERT_EQ(other.CreateNewUser("Ann", "IE", 0), 1);
  ScoresSetUserForTests(&other);
  DebugResetForTests();
  EXPECT_EQ(ScoresSubmitLastScoreForCurrentGarden(), 0);
  EXPECT_TRUE(LogHas("Internal Error (no ss)")) << Log();
  EXPECT_EQ(ScoresIsInternetTested(nullptr, 0), 1);
}

// A translated prompt is printed with the English prompt's arguments, so it must take exactly
// those: a length modifier or a width that differs would read the wrong argument.
TEST(ScoresFormatTest, ATranslationMustTakeTheSameArguments) {
  const char *const english = "%s, you scored %d and got to level %d.";
  const struct {
    const char *translated;
    char matches;
  } cases[] = {
      {"%s, du hast %d Punkte, Stufe %d.", 1},
      {"%s: %d (%d) 100%% sicher", 1},  // "%%" is no conversion
      {"%ls, you scored %d and got to level %d.", 0},
      {"%s, you scored %lld and got to level %d.", 0},
      {"%s, you scored %ld and got to level %d.", 0},
      {"%s, you scored %5d and got to level %d.", 0},
      {"%s, you scored %d and got to level %s.", 0},
      {"%d, %s, %d", 0},  // the order counts
      {"%s, you scored %d.", 0},
      {"%s, you scored %d and got to level %d. %s", 0},
      {"%s, you scored %d and got to level %", 0},
  };
  for (const auto &c : cases) EXPECT_EQ(ScoresFormatMatches(c.translated, english), c.matches) << c.translated;
}

}  // namespace
