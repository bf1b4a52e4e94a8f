// Gardens: per-wave multipliers, the banner's stages and texts, file names and the loading
// of a garden's path at a new game.
#include "game/Levels.h"

#include <gtest/gtest.h>

#include <string>

#include "Engine/EngMain.h"
#include "game/Quarrelwick.h"
#include "game/Traverse.h"
#include "tests/game/PathFixtures.h"
#include "tests/game/PlayFieldTestSupport.h"

namespace {

using LevelsTest = qwtest::PlayFieldTest;

TEST_F(LevelsTest, MultipliersFollowGardenSizeAndDifficulty) {
  struct Case {
    int garden, size, difficulty;
    float cash, bug_size, weapon_size, hp, start, end;
  } cases[] = {
      {-1, 0, 2, 1.0f, 1.0f, 1.0f, 1.0f, 150, 100},  // no garden: defaults, difficulty unused
      {-1, 1, 0, 1.0f, 0.5f, 0.75f, 1.0f, 150, 100},
      {0, 0, 0, 0.82f, 1.0f, 1.0f, 1.0f, 150, 100},
      {1, 0, 1, 0.79f, 1.0f, 1.0f, 1.05f, 200, 150},
      {2, 0, 2, 0.9f, 1.0f, 1.0f, 1.1f, 180, 100},
      {3, 0, 0, 0.9f, 1.0f, 1.0f, 1.0f, 180, 100},
      {3, 1, 2, 0.9f, 0.5f, 0.75f, 1.1f, 180, 100},
      {0, 0, 0, 0.82f, 1.0f, 1.0f, 1.0f, 150, 100},  // after a big garden: full size again
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "garden " << c.garden << " size " << c.size << " difficulty " << c.difficulty);
    level_garden = EngInt16(c.garden);
    level_garden_size = EngUInt8(c.size);
    level_difficulty = EngInt16(c.difficulty);
    ASSERT_EQ(LevelsInitForNewLevel(0), 1);
    EXPECT_FLOAT_EQ(level_bug_cash_mult, c.cash);
    EXPECT_FLOAT_EQ(level_size_mult, 1.0f);
    EXPECT_FLOAT_EQ(level_bug_size_mult, c.bug_size);
    EXPECT_FLOAT_EQ(level_weapon_size_mult, c.weapon_size);
    EXPECT_FLOAT_EQ(level_overall_bug_hp_mult, c.hp);
    EXPECT_FLOAT_EQ(level_onscreen_start_pos, c.start);
    EXPECT_FLOAT_EQ(level_onscreen_end_pos, c.end);
  }
}

TEST_F(LevelsTest, BadDifficultyIsLoggedAndPlaysNormal) {
  bug_level_num = 0;
  for (int bad : {3, -1, 200}) {
    level_garden = 1;
    level_difficulty = EngInt16(bad);
    testing::internal::CaptureStderr();
    ASSERT_EQ(LevelsInitForNewLevel(0), 1);
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Bad level difficulty: " + std::to_string(bad) + "."), std::string::npos) << log;
    EXPECT_EQ(level_difficulty, 0);
    EXPECT_FLOAT_EQ(level_overall_bug_hp_mult, 1.0f);
    EXPECT_STREQ(LevelsGetBannerText(), "LEVEL  1");
  }
}

TEST_F(LevelsTest, BannerTextsAndStages) {
  level_garden = 0;
  bug_level_num = 4;
  const char *texts[3] = {"LEVEL  5", "LEVEL  5T", "LEVEL  5X"};
  for (int d = 0; d < 3; d++) {
    level_difficulty = EngInt16(d);
    LevelsInitForNewLevel(0);
    EXPECT_STREQ(LevelsGetBannerText(), texts[d]);
  }
  // Stage 0 waits half a second, 1 fades in at 1.5 a second, 2 holds 0.2 s, 3 fades out.
  game_per_second = 0.1f;
  double t = eng_main_current_time;
  EXPECT_EQ(LevelsGetBannerStage(), 0);
  eng_main_current_time = t + 0.49;
  LevelsTick();
  EXPECT_EQ(LevelsGetBannerStage(), 0);
  eng_main_current_time = t + 0.5;
  LevelsTick();
  EXPECT_EQ(LevelsGetBannerStage(), 1);
  LevelsTick();
  EXPECT_FLOAT_EQ(LevelsGetBannerBlend(), 0.15f);
  for (int i = 0; i < 6; i++) LevelsTick();
  EXPECT_EQ(LevelsGetBannerStage(), 2);
  EXPECT_FLOAT_EQ(LevelsGetBannerBlend(), 1.0f);
  eng_main_current_time = t + 0.69;
  LevelsTick();
  EXPECT_EQ(LevelsGetBannerStage(), 2);
  eng_main_current_time = t + 0.7;
  LevelsTick();
  EXPECT_EQ(LevelsGetBannerStage(), 3);
  for (int i = 0; i < 6; i++) LevelsTick();
  EXPECT_EQ(LevelsGetBannerStage(), 3);
  LevelsTick();
  EXPECT_EQ(LevelsGetBannerStage(), -1);
  EXPECT_EQ(LevelsGetBannerBlend(), 0.0f);
  // A restored game turns it off at once.
  LevelsInitForNewLevel(0);
  LevelsTurnOffLevelText();
  EXPECT_EQ(LevelsGetBannerStage(), -1);
}

TEST_F(LevelsTest, NamesAndDifficultyTexts) {
  level_garden = 2;
  EXPECT_STREQ(LevelsGetPicFilename(0), "Level2.jpg");
  EXPECT_STREQ(LevelsGetTravCalcsFilename(0), "TravCalcs2.dat");
  level_garden_size = 1;
  EXPECT_STREQ(LevelsGetPicFilename(0), "LevelBig2.jpg");
  EXPECT_STREQ(LevelsGetTravCalcsFilename(0), "TravCalcsBig2.dat");
  EXPECT_STREQ(LevelsGetDifficultyAsText(0), "NORMAL");
  EXPECT_STREQ(LevelsGetDifficultyAsText(1), "TOUGH");
  EXPECT_STREQ(LevelsGetDifficultyAsText(2), "EXTREME");
  testing::internal::CaptureStderr();
  EXPECT_STREQ(LevelsGetDifficultyAsText(3), "");
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Unsupported: 3"), std::string::npos);
}

TEST_F(LevelsTest, NewGameLoadsThePathAndFillsTheGrid) {
  qwtest::PathDesc desc = qwtest::StraightRoad(-1.5f, 0.0f, 1.5f, 0.0f, 50);
  desc.path_cells = {{100, 256}, {101, 256}};
  qwtest::WriteWholeFile(m_dir.File("TravCalcs1.dat"), qwtest::MakePathFile(desc));
  grid[5][5] = 2;
  level_garden = 1;
  testing::internal::CaptureStderr();
  LevelsInitForNewGame(0);
  std::string log = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(TraverseIsLoaded());
  EXPECT_EQ(grid[256][100], 1);
  EXPECT_EQ(grid[256][101], 1);
  EXPECT_EQ(grid[100][256], 0);
  EXPECT_EQ(grid[5][5], 0);  // the old game's weapons are gone
  // The field's pictures are not made yet (the start-up's game): no garden picture is read;
  // the first game's drawing makes them with the picture.
  EXPECT_EQ(log.find("Level1.jpg"), std::string::npos) << log;
  EXPECT_EQ(LevelsGetPictureLoads(), 0);

  level_garden = 2;  // no file for this one
  testing::internal::CaptureStderr();
  LevelsInitForNewGame(0);
  testing::internal::GetCapturedStderr();
  EXPECT_FALSE(TraverseIsLoaded());
}

}  // namespace
