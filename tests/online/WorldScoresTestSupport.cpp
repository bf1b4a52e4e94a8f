#include "tests/online/WorldScoresTestSupport.h"

#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

#include "Engine/EngMain.h"

namespace qwtest {

static time_t s_wall = 0;
static time_t WallNow() { return s_wall; }

void WorldScoresTestBase::SetWallMinutes(int minutes) {
  struct tm t;
  memset(&t, 0, sizeof(t));
  t.tm_year = 2026 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 20;
  t.tm_hour = 12;
  t.tm_isdst = -1;
  s_wall = mktime(&t) + time_t(minutes) * 60;
  EngMiscSetClockForTests(WallNow);
}

void WorldScoresTestBase::AdvanceEngine(double seconds) {
  eng_main_current_time = eng_main_current_time.load() + seconds;
}

// The engine reads the frame's time as its clock, on every thread: a reader's deadline passes
// when the test says, never because the machine was slow.
static double HeldEngineClock() { return eng_main_current_time.load(); }

// Waits of the test's own thread still end: each sleep moves the held clock by its length.
static thread_local bool t_moves_clock = false;
static void SleepMovingTheClock(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  if (t_moves_clock) eng_main_current_time = eng_main_current_time.load() + seconds;
}

void WorldScoresTestBase::SetUp() {
  ScoresTestBase::SetUp();
  ASSERT_NE(m_service.Port(), 0);
  m_service.SetToday(2026, 3, 20);
  SetWallMinutes(0);
  eng_main_current_time = 1000.0;
  t_moves_clock = true;
  EngMainSetClockForTests(HeldEngineClock);
  // Set once and left: a reader's thread may still sleep through it while a test ends, and off
  // the test's own thread it is a plain sleep.
  static std::once_flag sleep_set;
  std::call_once(sleep_set, [] { EngMainSetSleepForTests(SleepMovingTheClock); });
}

void WorldScoresTestBase::TearDown() {
  m_service.Server().Stop();
  // The real clock again before the tables go: their readers' threads are waited for in it.
  EngMainSetClockForTests(nullptr);
  t_moves_clock = false;
  ScoresTestBase::TearDown();
}

int WorldScoresTestBase::WaitForTable(ScoresMain *table, EngInternetThreadReadResult *status, const char **message) {
  int result = 0;
  if (!WaitUntil([&] { return (result = table->IsUpdateFinished(status, message)) != 0; }))
    ADD_FAILURE() << "the table's download had not ended after " << kHangSeconds << " s";
  return result;
}

std::string WorldScoresTestBase::CachePath(unsigned set, char letter) const {
  std::string name = "Tallowmere/Quarrelwick/Scores/Scores_55_" + std::to_string(set) + "_";
  if (letter) name += std::string(1, letter) + ".sco";
  return m_data.File(name);
}

std::string WorldScoresTestBase::Line(const char *fields) { return std::string(fields) + "\n"; }

}  // namespace qwtest
