// A scores fixture: a temporary data folder, the file key, today's date and the player "Bob"
// from "GB" injected, and helpers that make score entries and sealed score files.
#pragma once

#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "Engine/EngMiscDate.h"
#include "online/Scores.h"
#include "players/UserClass.h"
#include "tests/support/TestSupport.h"

namespace qwtest {

ScoresScore MakeScore(EngInt32 score, EngInt32 level, int year, int month, int day, EngUInt16 id, const char *name,
                      const char *country);
std::string RecordPiece(const ScoresScore &s);
std::string HeaderPiece(EngInt32 garden, EngUInt16 version = SCORES_FILE_VERSION);
std::string Seal(const std::string &plain);
// Today's date for the date module: local noon of the day, so any time zone keeps the date.
void SetScoresToday(int year, int month, int day);
// The plain pieces of a score file: header first.
std::vector<std::string> OpenScoreFile(const std::string &file);

class ScoresTestBase : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  static void SetToday(int year, int month, int day) { SetScoresToday(year, month, day); }
  std::string ScoresPath(EngInt32 garden) const;
  void WriteScoreFile(EngInt32 garden, const std::string &bytes);
  // Sets the game's end-of-game globals.
  static void SetFinishedGame(EngInt32 final_score, EngInt32 wave_index, EngInt16 difficulty);
  static bool LogHas(const std::string &text);
  static std::string Log();
  std::vector<std::string> Names() const;

  qwtest::PlayerDataFolder m_data;
  std::unique_ptr<UserClass> m_user;
};

}  // namespace qwtest
