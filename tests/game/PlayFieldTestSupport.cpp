#include "tests/game/PlayFieldTestSupport.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngWindow.h"
#include "game/Bugs.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Traverse.h"
#include "tests/game/PathFixtures.h"
#include "tests/game/PlayFieldRequests.h"

namespace qwtest {

static void ResetAll() {
  DebugResetForTests();
  QuarrelwickResetForTests();
  LevelsResetForTests();
  BugsResetForTests();
  TraverseReset();
  memset(eng_key_down, 0, 256);
  ClearRequestRecords();
  srand(1);
  eng_main_current_time = 100.0;
}

void PlayFieldTest::SetUp() {
  ASSERT_TRUE(m_cwd.Enter(m_dir.Path()));
  ResetAll();
}

void PlayFieldTest::TearDown() {
  ResetAll();
  ASSERT_TRUE(m_cwd.Restore());
}

void PlayFieldTest::WritePath(int garden, float x0, float y0, float x1, float y1, int steps) {
  WriteWholeFile(m_dir.File("TravCalcs" + std::to_string(garden) + ".dat"),
                 MakePathFile(StraightRoad(x0, y0, x1, y1, steps)));
}

std::string PlayFieldTest::Logged(void (*f)()) {
  ::testing::internal::CaptureStderr();
  f();
  return ::testing::internal::GetCapturedStderr();
}

}  // namespace qwtest
