// The world-table tests' fixture: the scores fixture with a wall clock the test moves, the
// engine clock the table schedules by, and the stand-in score server behind
// QUARRELWICK_SCORE_URL.
#pragma once

#include <string>

#include "online/ScoresMain.h"
#include "tests/online/ScoresTestSupport.h"
#include "tests/support/ScoreTestService.h"

namespace qwtest {

class WorldScoresTestBase : public ScoresTestBase {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The wall clock at 2026-03-20 12:00 local time plus the given minutes.
  static void SetWallMinutes(int minutes);
  static void AdvanceEngine(double seconds);
  // Polls until the download ends (result other than 0), moving the engine clock a little.
  static int WaitForTable(ScoresMain *table, EngInternetThreadReadResult *status, const char **message,
                          double seconds = 10.0);
  std::string CachePath(unsigned set, char letter) const;
  static std::string Line(const char *fields);

  ScoreTestService m_service;
  ScopedEnvVar m_url{"QUARRELWICK_SCORE_URL", m_service.BaseUrl().c_str()};
};

}  // namespace qwtest
