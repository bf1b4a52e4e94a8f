// The play field's state: a new game, the counters, the pause key and the play keys, the
// pointer in play-field coordinates and the placement grid.
#include "game/Quarrelwick.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include "Engine/EngMain.h"
#include "Engine/EngWindow.h"
#include "game/Levels.h"
#include "game/Traverse.h"
#include "tests/game/PathFixtures.h"
#include "tests/game/PlayFieldTestSupport.h"

namespace {

using QuarrelwickTest = qwtest::PlayFieldTest;

TEST_F(QuarrelwickTest, NewGameStartsWaitingWithItsCounters) {
  cash = 3;
  lives = 1;
  game_over = 1;
  game_won = 1;
  factory_levels[1] = 2;
  ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);  // no garden chosen yet (start-up)
  EXPECT_EQ(cash, 500);
  EXPECT_EQ(lives, 20);
  EXPECT_EQ(bug_level_num, 0);
  EXPECT_EQ(score, 0);
  EXPECT_EQ(score_added, 0);
  EXPECT_EQ(game_paused, 2);
  EXPECT_EQ(game_over, 0);
  EXPECT_EQ(game_won, 0);
  EXPECT_EQ(play_state, 0);
  EXPECT_EQ(weapon_placing_type, -1);
  EXPECT_EQ(factory_levels[1], 0);
  EXPECT_STREQ(cash_str, "500");
  EXPECT_STREQ(lives_str, "20");
  EXPECT_STREQ(score_str, "0");
  EXPECT_STREQ(level_str_1, "1: ");
  EXPECT_STREQ(level_str_2, "HP: 100");
}

TEST_F(QuarrelwickTest, GardenWithoutPathIsNotPlayed) {
  level_garden = 2;
  std::string log;
  testing::internal::CaptureStderr();
  EXPECT_EQ(QuarrelwickInitForNewGame(0), 0);
  log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("TravCalcs2.dat"), std::string::npos) << log;
  EXPECT_NE(log.find("No path data for garden 2"), std::string::npos) << log;
  EXPECT_FALSE(TraverseIsLoaded());

  WritePath(2, -1.5f, 0.0f, 1.5f, 0.0f, 40);
  testing::internal::CaptureStderr();
  EXPECT_EQ(QuarrelwickInitForNewGame(0), 1);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(traverse_info.num_steps, 40);
  EXPECT_EQ(level_bug_cash_mult, 0.9f);
  EXPECT_STREQ(LevelsGetBannerText(), "LEVEL  1");
}

TEST_F(QuarrelwickTest, CountersHaveFloorsAndFreezeWhenOver) {
  QuarrelwickInitForNewGame(0);
  struct Step {
    char which;  // c cash, s score, l lives
    long delta;
    int cash, score, score_added, lives;
  } steps[] = {
      {'c', -200, 300, 0, 0, 20},
      {'c', -1000, 0, 0, 0, 20},  // never below 0
      {'c', 75, 75, 0, 0, 20},
      {'s', -5, 75, 0, 0, 20},    // score_added never below 0
      {'s', 40, 75, 40, 40, 20},
      {'l', -3, 75, 40, 40, 17},
      {'l', 2, 75, 40, 40, 19},
      {'c', LONG_MAX, INT_MAX, 40, 40, 19},  // held within 32 bits, no wrap
      {'c', LONG_MIN, 0, 40, 40, 19},
      {'s', LONG_MAX, 0, INT_MAX, INT_MAX, 19},
  };
  for (const Step &s : steps) {
    SCOPED_TRACE(testing::Message() << s.which << " " << s.delta);
    if (s.which == 'c') QuarrelwickChangeCash(s.delta);
    if (s.which == 's') QuarrelwickChangeScore(s.delta);
    if (s.which == 'l') QuarrelwickChangeLives(int(s.delta));
    EXPECT_EQ(cash, s.cash);
    EXPECT_EQ(score_added, s.score_added);
    if (s.score) {
      EXPECT_EQ(score, s.score);
    }
    EXPECT_EQ(lives, s.lives);
  }
  EXPECT_STREQ(cash_str, "0");
  EXPECT_STREQ(score_str, "2147483647");
  EXPECT_STREQ(lives_str, "19");

  // The score is the wave's part, the weapons' part and what was added.
  QuarrelwickChangeScore(LONG_MIN);
  bug_level_num = 7;
  QuarrelwickChangeScore(25);
  EXPECT_EQ(score, 725);
  EXPECT_STREQ(score_str, "725");

  game_over = 1;
  QuarrelwickChangeCash(100);
  QuarrelwickChangeScore(100);
  QuarrelwickChangeLives(-5);
  EXPECT_EQ(cash, 0);
  EXPECT_EQ(score, 725);
  EXPECT_EQ(lives, 19);
  EXPECT_STREQ(cash_str, "0");
}

TEST_F(QuarrelwickTest, LastLifeLostStartsTheGameOver) {
  QuarrelwickInitForNewGame(0);
  QuarrelwickChangeLives(-19);
  EXPECT_EQ(game_over, 0);
  eng_main_current_time = 250.0;
  QuarrelwickChangeLives(-1);
  EXPECT_EQ(lives, 0);
  EXPECT_EQ(game_over, 1);
  EXPECT_EQ(game_over_time, 250.0);
  EXPECT_STREQ(lives_str, "0");
  eng_main_current_time = 260.0;
  QuarrelwickChangeLives(-1);  // frozen
  EXPECT_EQ(game_over_time, 250.0);
  EXPECT_EQ(lives, 0);
}

TEST_F(QuarrelwickTest, SpaceStartsThenTogglesPauseEvenWithControl) {
  QuarrelwickInitForNewGame(0);
  const int expected[] = {0, 1, 0, 1};
  for (int i = 0; i < 4; i++) {
    if (i == 3) eng_key_down[231] = 2;
    eng_key_down[32] = 2;
    QuarrelwickTick();
    EXPECT_EQ(game_paused, expected[i]) << i;
    EXPECT_EQ(eng_key_down[32], 0);
  }
  // Without a press nothing changes.
  QuarrelwickTick();
  EXPECT_EQ(game_paused, 1);
}

TEST_F(QuarrelwickTest, LetterKeysAreOffWhileControlOrSuperIsHeld) {
  QuarrelwickInitForNewGame(0);
  for (int modifier : {0, 229, 231}) {
    SCOPED_TRACE(modifier);
    eng_key_down[229] = eng_key_down[231] = 0;
    if (modifier) eng_key_down[modifier] = 2;
    eng_key_down[static_cast<unsigned char>('U')] = eng_key_down[static_cast<unsigned char>('F')] = 2;
    QuarrelwickTick();
    EXPECT_EQ(eng_key_down[static_cast<unsigned char>('U')], modifier ? 2 : 0);
    EXPECT_EQ(eng_key_down[static_cast<unsigned char>('F')], modifier ? 2 : 0);
  }
}

TEST_F(QuarrelwickTest, FamilyKeysChooseTheBestWeaponOrTheFactory) {
  struct Case {
    int levels[3];
    int types[3];
  } cases[] = {
      {{0, 0, 0}, {9, 10, 11}},
      {{1, 1, 1}, {0, 3, 6}},
      {{2, 0, 3}, {1, 10, 8}},
      {{3, 3, 3}, {2, 5, 8}},
  };
  for (const Case &c : cases) {
    for (int f = 0; f < 3; f++) factory_levels[f] = c.levels[f];
    for (int f = 0; f < 3; f++) EXPECT_EQ(QuarrelwickGetBestWeaponTypeOfFamily(f), c.types[f]) << f;
  }
  EXPECT_EQ(QuarrelwickGetBestWeaponTypeOfFamily(3), -1);
  EXPECT_EQ(QuarrelwickGetBestWeaponTypeOfFamily(-1), -1);
}

TEST_F(QuarrelwickTest, PointerBecomesPlayFieldCoordinates) {
  struct Case {
    float x_ratio_inv, y_ratio_inv;  // the window's: 640 / width and 480 / height
    float px, py, x, y, x_fs, y_fs;
  } cases[] = {
      // 1280 by 960.
      {0.5f, 0.5f, 200, 0, -1, -1, -0.6875f, -1},
      {0.5f, 0.5f, 1280, 900, 1, 1, 1, 0.875f},
      {0.5f, 0.5f, 740, 450, 0, 0, 0.15625f, -0.0625f},
      {0.5f, 0.5f, 0, 960, -1.3703704f, 1.1333333f, -1, 1},
      // 1280 by 720: the design space is stretched over the window, each axis apart.
      {0.5f, 480.0f / 720.0f, 200, 0, -1, -1, -0.6875f, -1},
      {0.5f, 480.0f / 720.0f, 740, 337.5f, 0, 0, 0.15625f, -0.0625f},
      {0.5f, 480.0f / 720.0f, 1280, 675, 1, 1, 1, 0.875f},
  };
  for (const Case &c : cases) {
    eng_main_window_x_ratio_inv = c.x_ratio_inv;
    eng_main_window_y_ratio_inv = c.y_ratio_inv;
    QuarrelwickMoveMouse(c.px, c.py);
    EXPECT_NEAR(cursor_x, c.x, 1e-6f) << c.px;
    EXPECT_NEAR(cursor_y, c.y, 1e-6f) << c.py;
    EXPECT_NEAR(cursor_x_fs, c.x_fs, 1e-6f) << c.px;
    EXPECT_NEAR(cursor_y_fs, c.y_fs, 1e-6f) << c.py;
  }
  // Nothing moves during game over.
  game_over = 1;
  QuarrelwickMoveMouse(0, 0);
  EXPECT_NEAR(cursor_x, 1.0f, 1e-6f);
  eng_main_window_x_ratio_inv = eng_main_window_y_ratio_inv = 1.0f;
}

TEST_F(QuarrelwickTest, CellsOfPointsWithHalvesAndBeyondTheField) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    float v;
    int cell;
  } cases[] = {
      {-1.0f, 32}, {1.0f, 480}, {0.0f, 256},
      {-1.0f + 1.0f / 64, 35},   // 3.5 cells: an exact half goes toward zero
      {-1.0f + 3.0f / 64, 42},   // 10.5
      {1.0f / 64, 259},          // 227.5
      {-1.1428572f, 0}, {-1.2f, 0}, {1.2f, 511}, {-1e30f, 0}, {1e30f, 511}, {nan, 0},
  };
  for (const Case &c : cases) {
    int x = -7, y = -7;
    QuarrelwickGetGridPosition(c.v, c.v, &x, &y);
    EXPECT_EQ(x, c.cell) << c.v;
    EXPECT_EQ(y, c.cell) << c.v;
  }
  int only_y = -7;
  QuarrelwickGetGridPosition(0.0f, 1.0f, nullptr, &only_y);
  EXPECT_EQ(only_y, 480);

  grid[480][32] = 2;
  EXPECT_EQ(QuarrelwickGetGridCell(32, 480), 2);
  EXPECT_EQ(QuarrelwickGetGridCell(0, 0), 0);
  for (auto cell : {std::make_pair(-1, 0), std::make_pair(0, 512), std::make_pair(512, 0), std::make_pair(3, -9)})
    EXPECT_EQ(QuarrelwickGetGridCell(cell.first, cell.second), 1);
}

TEST_F(QuarrelwickTest, GridComesFromThePathData) {
  qwtest::PathDesc desc = qwtest::StraightRoad(-1, 0, 1, 0, 10);
  desc.path_cells = {{0, 0}, {511, 3}, {7, 511}};
  std::string bytes = qwtest::MakePathFile(desc);
  // Any other non-zero byte is the house or solid scenery: no place for a weapon either.
  bytes[TRAVERSE_OFS_GRID + 9] = char(0xFF);
  bytes[TRAVERSE_OFS_GRID + 10] = char(2);
  ASSERT_EQ(TraverseLoadFromMemory(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(), "t"), 1);
  grid[200][200] = 2;
  QuarrelwickFillGridFromTraverseData();
  EXPECT_EQ(grid[0][0], 1);
  EXPECT_EQ(grid[3][511], 1);
  EXPECT_EQ(grid[511][7], 1);
  EXPECT_EQ(grid[0][9], QW_GRID_SOLID);
  EXPECT_EQ(grid[0][10], QW_GRID_SOLID);
  EXPECT_EQ(grid[200][200], 0);
  int marked = 0;
  for (auto &row : grid)
    for (EngUInt8 v : row) marked += v;
  EXPECT_EQ(marked, 3 + 2 * QW_GRID_SOLID);
}

TEST_F(QuarrelwickTest, ClicksDuringGameOverWaitASecond) {
  QuarrelwickInitForNewGame(0);
  game_over = 1;
  game_over_time = eng_main_current_time;
  QuarrelwickMouseButtonPressed(0, 1);
  EXPECT_EQ(game_over, 1);
  QuarrelwickTick();  // only the end sequence's modules run
  EXPECT_EQ(game_over, 1);
  // A second later a press ends it (the release alone does not).
  eng_main_current_time = game_over_time + 2.0;
  QuarrelwickMouseButtonPressed(0, 0);
  EXPECT_EQ(game_over, 1);
  QuarrelwickMouseButtonPressed(0, 1);
  EXPECT_EQ(game_over, 0);
}

}  // namespace
