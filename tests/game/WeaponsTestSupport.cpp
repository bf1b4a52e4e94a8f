#include "tests/game/WeaponsTestSupport.h"

#include "Engine/EngMain.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Weapons.h"
#include "tests/game/PathFixtures.h"
#include "tests/game/PlayFieldRequests.h"

namespace qwtest {

void WeaponFieldTest::SetUp() {
  PlayFieldTest::SetUp();
  PathDesc road = StraightRoad(-1.2f, 0.0f, 1.2f, 0.0f, 4800);
  for (int y = 246; y <= 266; y++)
    for (int x = 0; x < 512; x++) road.path_cells.push_back({x, y});
  WriteWholeFile(m_dir.File("TravCalcs0.dat"), MakePathFile(road));
  level_garden = 0;
  testing::internal::CaptureStderr();
  ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
  testing::internal::GetCapturedStderr();
  for (Bug *&b : bugs) {
    delete b;
    b = nullptr;
  }
  num_bugs = 0;
  BugsSetBugSize(0.04f);
  game_paused = 0;
  game_per_second = 1.0f / 60.0f;
  ClearRequestRecords();
}

Bug *WeaponFieldTest::AddBug(int slot, int step) {
  if (num_bugs < slot + 1) num_bugs = slot + 1;
  delete bugs[slot];
  Bug *b = bugs[slot] = new Bug(slot, 0);
  b->path_pos = float(step);
  b->hp = b->max_hp = 100.0;
  b->CalcState();
  EXPECT_EQ(b->state, 3);
  EXPECT_EQ(b->on_screen, 1);
  return b;
}

void WeaponFieldTest::Tick() {
  eng_main_current_time = eng_main_current_time + 1.0 / 60.0;
  WeaponsTick();
}

char WeaponFieldTest::Place(int type, float x, float y) {
  cash = 10000000;
  return WeaponsCreateNew(type, x, y, 0, 0);
}

}  // namespace qwtest
