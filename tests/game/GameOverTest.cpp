// The game over without a window: it starts once at 0 lives, removes the resume game, fills the
// bug slots with harmless wanderers one every 0.3 s (never more than 100), and a click ends it
// only after a second.
#include "game/GameOver.h"

#include <gtest/gtest.h>

#include <cstring>

#include "Engine/EngEncryption.h"
#include "Engine/EngMain.h"
#include "Engine/EngPrefFolder.h"
#include "game/Bugs.h"
#include "game/Game.h"
#include "game/Quarrelwick.h"
#include "game/SavedGame.h"
#include "players/UserInfo.h"
#include "tests/game/WeaponsTestSupport.h"

namespace {

class GameOverTest : public qwtest::WeaponFieldTest {
 protected:
  static int Wanderers() {
    int n = 0;
    for (Bug *b : bugs) n += (b && b->game_over_bug) ? 1 : 0;
    return n;
  }
  static void Frame() {
    eng_main_current_time = eng_main_current_time + 1.0 / 60.0;
    QuarrelwickTick();
  }
};

TEST_F(GameOverTest, TheLastLifeLostStartsItAndRemovesTheResumeGame) {
  qwtest::TempDir home;
  qwtest::ScopedEnvVar xdg("XDG_DATA_HOME", home.Path().c_str());
  PrefFolderResetForTests();
  ASSERT_NE(PrefFolderSetup("Quarrelwick", 0, nullptr, 1), nullptr);
  EngEncryptionResetForTests();
  ASSERT_EQ(EngEncryptionInit("QX_SEALING_KEY"), 1);
  _UserInfo info;
  memset(&info, 0, sizeof(info));
  strcpy(info.name, "Ann");
  GameSetUserInfoForTests(&info);
  lives = 1;
  game_started = 1;
  ASSERT_EQ(SaveGame(0, 1), 1);
  ASSERT_EQ(DoesSavedGameExist(0, 1), 1);

  // A bug at the house.
  num_bugs = 1;
  bugs[0] = new Bug(0, 0);
  bugs[0]->path_pos = 4799.9f;
  BugsTick();
  EXPECT_EQ(lives, 0);
  EXPECT_EQ(game_over, 1);
  EXPECT_DOUBLE_EQ(game_over_time, eng_main_current_time);
  EXPECT_EQ(game_started, 0);
  EXPECT_EQ(num_bugs, BUGS_MAX);
  EXPECT_EQ(DoesSavedGameExist(0, 1), 0);
  // Nothing more is taken or saved while it runs.
  QuarrelwickChangeLives(-1);
  QuarrelwickChangeCash(100);
  EXPECT_EQ(lives, 0);
  EXPECT_EQ(SaveGame(1, 0), 0);

  GameSetUserInfoForTests(nullptr);
  EngEncryptionResetForTests();
  PrefFolderResetForTests();
}

TEST_F(GameOverTest, WanderersComeEveryThreeTenthsOfASecondUpToAHundred) {
  lives = 1;
  QuarrelwickChangeLives(-1);
  ASSERT_EQ(game_over, 1);
  // They walk out of the field in time; hold them still so none leaves while counting.
  game_per_second = 0.0f;
  Frame();
  EXPECT_EQ(Wanderers(), 1);
  for (int i = 0; i < 16; i++) Frame();  // not yet 0.3 s
  EXPECT_EQ(Wanderers(), 1);
  for (int i = 0; i < 3; i++) Frame();
  EXPECT_EQ(Wanderers(), 2);
  for (int i = 0; i < 18 * 150; i++) Frame();
  EXPECT_EQ(Wanderers(), BUGS_MAX);
  for (Bug *b : bugs) {
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->game_over_bug, 1);
  }
  // Moving again, they leave the field and are removed; lives and cash never change.
  game_per_second = 1.0f / 60.0f;
  for (int i = 0; i < 60 * 60; i++) Frame();
  EXPECT_LT(Wanderers(), BUGS_MAX);
  EXPECT_EQ(lives, 0);
}

TEST_F(GameOverTest, AClickWithinASecondIsIgnoredALaterOneEndsIt) {
  lives = 1;
  QuarrelwickChangeLives(-1);
  ASSERT_EQ(game_over, 1);
  for (double after : {0.1, 0.5, 1.0}) {
    eng_main_current_time = game_over_time + after;
    QuarrelwickMouseButtonPressed(0, 1);
    EXPECT_EQ(game_over, 1) << after;
  }
  eng_main_current_time = game_over_time + 1.05;
  QuarrelwickMouseButtonPressed(0, 1);
  EXPECT_EQ(game_over, 0);
  EXPECT_EQ(GameOverEnd(), 0);
  // Starting again after the end works as the first time.
  lives = 1;
  QuarrelwickChangeLives(-1);
  EXPECT_EQ(game_over, 1);
  EXPECT_EQ(GameOverGetStage(), 0);
  EXPECT_EQ(GameOverEnd(), 1);
}

}  // namespace
