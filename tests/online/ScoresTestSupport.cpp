#include "tests/online/ScoresTestSupport.h"

#include <cstring>
#include <sys/stat.h>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngMemory.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngResModes.h"
#include "Engine/Resolution.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"

namespace qwtest {

ScoresScore MakeScore(EngInt32 score, EngInt32 level, int year, int month, int day, EngUInt16 id, const char *name,
                      const char *country) {
  ScoresScore s;
  memset(&s, 0, sizeof(s));
  s.score = score;
  s.level = level;
  s.date.year = EngUInt32(year);
  s.date.month = char(month);
  s.date.day = char(day);
  s.user_id = id;
  memcpy(s.name, name, strnlen(name, sizeof(s.name)));
  memcpy(s.country, country, strnlen(country, sizeof(s.country)));
  return s;
}

std::string RecordPiece(const ScoresScore &s) {
  unsigned char bytes[SCORES_RECORD_SIZE];
  ScoresMakeRecordPiece(&s, bytes);
  return std::string(reinterpret_cast<char *>(bytes), sizeof(bytes));
}

std::string HeaderPiece(EngInt32 garden, EngUInt16 version) {
  unsigned char bytes[SCORES_HEADER_SIZE];
  ScoresMakeHeaderPiece(garden, bytes);
  bytes[0] = static_cast<unsigned char>(version);
  bytes[1] = static_cast<unsigned char>(version >> 8);
  return std::string(reinterpret_cast<char *>(bytes), sizeof(bytes));
}

std::string Seal(const std::string &plain) {
  void *sealed = EngEncryptionEncrypt(plain.data(), EngUInt32(plain.size()));
  EXPECT_NE(sealed, nullptr);
  if (!sealed) return std::string();
  std::string out(static_cast<char *>(sealed), plain.size() + ENG_ENCRYPTION_BLOCK_SIZE);
  EngFree(sealed, 0, "test");
  return out;
}

std::vector<std::string> OpenScoreFile(const std::string &file) {
  std::vector<std::string> pieces;
  size_t at = 0;
  for (size_t n = SCORES_HEADER_SIZE; at + n + ENG_ENCRYPTION_BLOCK_SIZE <= file.size(); n = SCORES_RECORD_SIZE) {
    EngUInt32 size = 0;
    void *plain = EngEncryptionDecryptData(file.data() + at, EngUInt32(n + ENG_ENCRYPTION_BLOCK_SIZE), &size);
    pieces.push_back(plain ? std::string(static_cast<char *>(plain), size) : std::string());
    EngFree(plain, 0, "test");
    at += n + ENG_ENCRYPTION_BLOCK_SIZE;
  }
  return pieces;
}

static time_t s_now = 0;
static time_t TestNow() { return s_now; }

void SetScoresToday(int year, int month, int day) {
  struct tm t;
  memset(&t, 0, sizeof(t));
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = 12;
  t.tm_isdst = -1;
  s_now = mktime(&t);
  EngMiscSetClockForTests(TestNow);
}

void ScoresTestBase::SetUp() {
  ASSERT_TRUE(m_data.Start());
  ResolutionResetForTests();
  static _EngDisplayModeInfo desktop = {1920, 1080, 32, 60.0f};
  EngResModesSetDisplayForTests(&desktop, 1, &desktop);
  ResolutionSetupModule(_UpdaterProgramName(17), 2.01f, 1.5f, nullptr, 0, 1, 0, 0, 0, "Resolution", "License",
                        "License.txt", "Startup", "ResTitle.jpg");
  EngEncryptionResetForTests();
  ASSERT_EQ(EngEncryptionInit("QX_SEALING_KEY"), 1);
  UserResetForTests();
  SetToday(2026, 3, 20);
  m_user.reset(new UserClass(nullptr, "Quarrelwick", 1, USER_ENCRYPTION_ACCEPT_PLAIN));
  ASSERT_EQ(m_user->CreateNewUser("Bob", "GB", 0), 1);
  m_user->GetInfo()->id = 77;
  ScoresSetUserForTests(m_user.get());
  ScoresPre3dInit();
  ScoresSetCurrentGarden(0);
  SetFinishedGame(0, 0, 0);
}

void ScoresTestBase::TearDown() {
  ScoresFinalExit();
  ScoresSetUserForTests(nullptr);
  ScoresSetScreenLink(nullptr);
  m_user.reset();
  UserResetForTests();
  EngMiscSetClockForTests(nullptr);
  EngEncryptionResetForTests();
  EngResModesSetDisplayForTests(nullptr, 0, nullptr);
  ResolutionResetForTests();
  PrefFolderResetForTests();
  DebugResetForTests();
}

std::string ScoresTestBase::ScoresPath(EngInt32 garden) const {
  return m_data.File("Tallowmere/Quarrelwick/Scores/LG_" + std::to_string(garden) + ".sco");
}

void ScoresTestBase::WriteScoreFile(EngInt32 garden, const std::string &bytes) {
  mkdir(m_data.File("Tallowmere/Quarrelwick/Scores").c_str(), 0755);
  WriteWholeFile(ScoresPath(garden), bytes);
}

void ScoresTestBase::SetFinishedGame(EngInt32 final_score, EngInt32 wave_index, EngInt16 difficulty) {
  score = final_score;
  bug_level_num = wave_index;
  level_difficulty = difficulty;
}

bool ScoresTestBase::LogHas(const std::string &text) { return Log().find(text) != std::string::npos; }

std::string ScoresTestBase::Log() {
  std::string all;
  for (EngInt32 i = 0; i < DebugGetNumMessages(); i++) all += std::string(DebugGetMessage(i)->text) + "\n";
  return all;
}

std::vector<std::string> ScoresTestBase::Names() const {
  std::vector<std::string> names;
  for (EngInt32 i = 0; i < ScoresGetNumScores(); i++) {
    const ScoresScore &s = ScoresGetScores()[i];
    names.push_back(std::string(s.name, strnlen(s.name, sizeof(s.name))) + ":" + std::to_string(s.score));
  }
  return names;
}

}  // namespace qwtest
