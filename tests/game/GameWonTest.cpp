// The garden-won sequence without a window: fast-forwarded (cash in chunks of 5,000, 5,000 a
// spare life, refunds cashed in), animated with its timed stages and sound, ended by Escape
// mid-way with the same final score, clicks before the final score ignored; and the progress
// toward the garden's next difficulty.
#include "game/GameWon.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngMain.h"
#include "game/Game.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Weapons.h"
#include "players/UserInfo.h"
#include "tests/game/PlayFieldRequests.h"
#include "tests/game/WeaponsTestSupport.h"

namespace {

class GameWonTest : public qwtest::WeaponFieldTest {
 protected:
  void SetUp() override {
    WeaponFieldTest::SetUp();
    memset(&m_info, 0, sizeof(m_info));
    GameSetUserInfoForTests(&m_info);
    bug_level_num = 49;
  }
  void TearDown() override {
    GameSetUserInfoForTests(nullptr);
    WeaponFieldTest::TearDown();
  }
  // One frame of 1/60 s of the sequence.
  static void Frame() {
    eng_main_current_time = eng_main_current_time + 1.0 / 60.0;
    GameWonTick();
  }
  // Animates until the stage is reached (or a long time has passed).
  static void AnimateTo(int stage) {
    for (int i = 0; i < 60 * 120 && GameWonGetStage() != stage; i++) Frame();
    ASSERT_EQ(GameWonGetStage(), stage);
  }
  _UserInfo m_info;
};

TEST_F(GameWonTest, FastForwardMovesCashInChunksAndPaysForSpareLives) {
  struct Case {
    EngInt32 cash, lives;
    std::vector<EngInt32> cash_steps;
    EngInt32 bonus;
  };
  const Case cases[] = {
      {12345, 5, {7345, 2345, 0}, 20000},
      {5000, 1, {0}, 0},
      {0, 2, {}, 5000},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.cash);
    GameWonResetForTests();
    game_won = 0;
    cash = c.cash;
    lives = c.lives;
    score_added = 0;
    QuarrelwickChangeScore(0);
    GameWonInit();
    EXPECT_EQ(game_won, 1);
    std::vector<EngInt32> steps;
    for (int i = 0; i < 1000 && GameWonGetStage() != -1; i++) {
      const EngInt32 before = cash;
      GameWonDoTick(0);
      if (cash != before) steps.push_back(cash);
    }
    EXPECT_EQ(GameWonGetStage(), -1);
    EXPECT_EQ(steps, c.cash_steps);
    EXPECT_EQ(score_added, c.cash + c.bonus);
    EXPECT_EQ(lives, 1);
    EXPECT_EQ(score, 4900 + c.cash + c.bonus);
    EXPECT_EQ(std::string(GameWonGetCaption()), "FINAL SCORE: " + std::to_string(score));
  }
}

TEST_F(GameWonTest, WeaponsAreSoldAndTheirRefundsCashedIn) {
  ASSERT_EQ(Place(0, -0.5f, 0.3f), 1);
  ASSERT_EQ(Place(9, 0.3f, 0.4f), 1);
  const EngInt32 refunds = WeaponsGetSellValue(0) + WeaponsGetSellValue(1);
  ASSERT_GT(refunds, 0);
  cash = 100;
  lives = 1;
  QuarrelwickChangeScore(0);
  qwtest::ClearRequestRecords();
  GameWonInit();
  EXPECT_EQ(GameWonEnd(0), 1);
  EXPECT_EQ(game_won, 0);
  EXPECT_EQ(game_started, 0);
  EXPECT_EQ(WeaponsGetScoreValue(), 0);
  EXPECT_EQ(cash, 0);
  EXPECT_EQ(score_added, 100 + refunds);
  // Fast-forwarding plays no cash sound.
  EXPECT_TRUE(qwtest::sounds_played.empty());
}

TEST_F(GameWonTest, AnimatedStagesWaitAndClicksBeforeTheFinalScoreDoNothing) {
  ASSERT_EQ(Place(0, -0.5f, 0.3f), 1);
  ASSERT_EQ(Place(1, 0.3f, 0.4f), 1);
  cash = 12345;
  lives = 3;
  qwtest::ClearRequestRecords();
  GameWonInit();
  Frame();
  EXPECT_EQ(std::string(GameWonGetCaption()), "GARDEN DEFENDED !!");
  EXPECT_EQ(GameWonEnd(1), 0);
  // The first caption fades in over a second and stays three.
  for (int i = 0; i < 30; i++) Frame();
  EXPECT_EQ(GameWonGetStage(), 1);
  AnimateTo(8);
  EXPECT_EQ(std::string(GameWonGetCaption()), "SELLING ASSETS ...");
  EXPECT_EQ(GameWonEnd(1), 0);
  EXPECT_EQ(game_won, 1);
  // One weapon every 0.15 s.
  for (int i = 0; i < 10; i++) Frame();
  EXPECT_EQ(WeaponsGetScoreValue(), 10);
  AnimateTo(12);
  EXPECT_EQ(std::string(GameWonGetCaption()), "CASHING IN ...");
  AnimateTo(18);
  EXPECT_EQ(cash, 0);
  EXPECT_EQ(lives, 1);
  // Sound 25 for a sale, every chunk of cash and every spare life.
  int cash_sounds = 0;
  for (int id : qwtest::sounds_played) cash_sounds += id == 25 ? 1 : 0;
  EXPECT_GE(cash_sounds, 1 + 3 + 2);
  AnimateTo(22);
  EXPECT_NE(std::string(GameWonGetCaption()).find("FINAL SCORE: "), std::string::npos);
  for (int i = 0; i < 60; i++) Frame();
  EXPECT_EQ(GameWonGetStage(), 22);  // the sign swings until a click
  EXPECT_EQ(GameWonEnd(1), 1);
  EXPECT_EQ(game_won, 0);
  EXPECT_EQ(GameWonEnd(1), 0);
}

TEST_F(GameWonTest, EscapeMidwayGivesTheSameFinalScore) {
  auto start = [] {
    GameWonResetForTests();
    game_won = 0;
    cash = 23456;
    lives = 4;
    score_added = 0;
    Place(0, -0.5f, 0.3f);
    Place(1, 0.3f, 0.4f);
    cash = 23456;
    QuarrelwickChangeScore(0);
    GameWonInit();
  };
  start();
  ASSERT_EQ(GameWonEnd(0), 1);
  const EngInt32 expected = score;
  for (int stop : {3, 8, 12, 16, 19}) {
    SCOPED_TRACE(stop);
    start();
    AnimateTo(stop);
    for (int i = 0; i < 5; i++) Frame();
    ASSERT_EQ(GameWonEnd(0), 1);
    EXPECT_EQ(score, expected);
    EXPECT_EQ(cash, 0);
    EXPECT_EQ(lives, 1);
  }
}

TEST_F(GameWonTest, ProgressTowardTheNextDifficulty) {
  struct Case {
    const char *name;
    int garden, difficulty;
    EngInt8 highest, wins;  // before
    EngInt8 highest_after, chosen_after, wins_after;
    const char *text;
  };
  const Case cases[] = {
      {"first win at normal", 1, 0, 0, 0, 0, 0, 1, "NORMAL DIFFICULTY PROGRESS: 25%"},
      {"third win at normal", 1, 0, 0, 2, 0, 0, 3, "NORMAL DIFFICULTY PROGRESS: 75%"},
      {"fourth win unlocks tough", 2, 0, 0, 3, 1, 0, 0, "TOUGH DIFFICULTY UNLOCKED"},
      {"second win at tough", 0, 1, 1, 1, 1, 1, 2, "TOUGH DIFFICULTY PROGRESS: 50%"},
      {"fourth win at tough unlocks extreme", 3, 1, 1, 3, 2, 1, 0, "EXTREME DIFFICULTY UNLOCKED"},
      {"a win at extreme", 0, 2, 2, 0, 2, 9, 0, ""},
      {"normal after tough is unlocked", 0, 0, 1, 2, 1, 9, 2, ""},
      {"tough after extreme is unlocked", 0, 1, 2, 1, 2, 9, 1, ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    GameWonResetForTests();
    memset(&m_info, 0, sizeof(m_info));
    _UserGardenProgress &block = m_info.options.gardens[c.garden];
    block.highest_difficulty = c.highest;
    block.chosen_difficulty = 9;
    block.wins = EngUInt8(c.wins);
    game_won = 0;
    level_garden = EngInt16(c.garden);
    level_difficulty = EngInt16(c.difficulty);
    GameWonInit();
    EXPECT_EQ(block.highest_difficulty, c.highest_after);
    EXPECT_EQ(block.chosen_difficulty, c.chosen_after);
    EXPECT_EQ(block.wins, c.wins_after);
    EXPECT_EQ(std::string(GameWonGetDifficultyText()), c.text);
    EXPECT_EQ(GameWonGetUnlockedDifficulty(), c.text[0] ? c.difficulty + 1 : 0);
    // Only that garden's block changes.
    for (int g = 0; g < 4; g++) {
      if (g == c.garden) continue;
      EXPECT_EQ(m_info.options.gardens[g].chosen_difficulty, 0);
    }
    GameWonEnd(0);
  }
  // A garden beyond the four is reported and nothing changes.
  GameWonResetForTests();
  memset(&m_info, 0, sizeof(m_info));
  testing::internal::CaptureStderr();
  GameWonRecordProgress(&m_info, 4, 0);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Internal error."), std::string::npos);
  EXPECT_EQ(GameWonGetUnlockedDifficulty(), 0);
}

}  // namespace
