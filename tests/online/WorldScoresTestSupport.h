// The world-table tests' fixture: the scores fixture with a wall clock the test moves, the
// engine clock the table schedules by and its readers time out by, held by the test, and the
// stand-in score server behind QUARRELWICK_SCORE_URL.
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
  // The engine clock moves only by this, and by the sleeps the test's own thread asks the
  // engine for (a reader's owner waiting for its thread), each by its length.
  static void AdvanceEngine(double seconds);
  // Polls until the download ends (a result other than 0); 0, failing the test, when it had not
  // ended within the hang limit.
  static int WaitForTable(ScoresMain *table, EngInternetThreadReadResult *status, const char **message);
  std::string CachePath(unsigned set, char letter) const;
  static std::string Line(const char *fields);

  // It outlives every wait of a test: only the test's end stops it.
  ScoreTestService m_service{10 * kHangSeconds};
  ScopedEnvVar m_url{"QUARRELWICK_SCORE_URL", m_service.BaseUrl().c_str()};
};

}  // namespace qwtest
