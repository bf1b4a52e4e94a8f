// Whole games played headless with a fixed seed and player script: garden 0 at normal is won
// after wave 50, and the other gardens play ten waves; at every frame cash and score stay at
// or above 0, counts stay within their arrays and every bullet belongs to a live weapon.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "game/Bugs.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Weapons.h"
#include "tests/game/HeadlessGame.h"
#include "tests/game/PlayFieldTestSupport.h"

namespace {

class GamePlayTest : public qwtest::PlayFieldTest {
 protected:
  void StartGarden(int g) {
    std::string name = "TravCalcs" + std::to_string(g) + ".dat";
    qwtest::WriteWholeFile(m_dir.File(name), qwtest::ReadWholeFile(qwtest::BuiltResources() + "/" + name));
    srand(20261209);
    level_garden = EngInt16(g);
    level_difficulty = 0;
    // Without a device the garden's picture is not made; that is logged and play goes on.
    testing::internal::CaptureStderr();
    bool started = m_game.Start();
    testing::internal::GetCapturedStderr();
    ASSERT_TRUE(started);
  }
  qwtest::HeadlessGame m_game;
};

TEST_F(GamePlayTest, GardenZeroIsWonAfterWaveFifty) {
  StartGarden(0);
  m_game.Play(0, 60L * 60 * 90);
  EXPECT_EQ(m_game.Fault(), "");
  printf("garden 0: wave %d, lives %d, cash %d, score %d, weapons %d, frames %ld\n", bug_level_num + 1, lives, cash,
         score, num_weapons, m_game.Frames());
  EXPECT_EQ(game_over, 0);
  EXPECT_EQ(game_won, 1);
  EXPECT_EQ(bug_level_num, 49);
}

class OtherGardensTest : public GamePlayTest, public ::testing::WithParamInterface<int> {};

TEST_P(OtherGardensTest, TenWavesWithoutAFault) {
  StartGarden(GetParam());
  m_game.Play(10, 60L * 60 * 30);
  EXPECT_EQ(m_game.Fault(), "");
  printf("garden %d: wave %d, lives %d, cash %d, weapons %d\n", GetParam(), bug_level_num + 1, lives, cash, num_weapons);
  EXPECT_EQ(game_over, 0);
  EXPECT_GE(bug_level_num, 10);
}

INSTANTIATE_TEST_SUITE_P(Gardens, OtherGardensTest, ::testing::Values(1, 2, 3));

}  // namespace
