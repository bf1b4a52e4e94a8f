// The explosions over the play field: their frames, their end, and the fixed array of slots.
#include "game/Effects.h"

#include <gtest/gtest.h>

#include "game/Quarrelwick.h"

namespace {

class EffectsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EffectsPre3dInit();
    game_per_second = 0.05f;  // one frame of the sheet a tick
  }
  void TearDown() override {
    EffectsPost3dExit();
    game_per_second = 1.0f;
  }
};

TEST_F(EffectsTest, EachFrameShowsItsCellRowByRow) {
  ASSERT_EQ(EffectsCreateNew(0, 0.2f, -0.1f, 0.15f), 1);
  Effect *e = effects[0];
  EXPECT_FLOAT_EQ(e->half_size, 0.075f);
  EXPECT_FLOAT_EQ(e->frame, -1.0f);
  struct Cell {
    float left, top;
  } cells[15] = {{0, 0},    {0.25f, 0},    {0.5f, 0},    {0.75f, 0},    {0, 0.25f},
                 {0.25f, 0.25f}, {0.5f, 0.25f}, {0.75f, 0.25f}, {0, 0.5f},  {0.25f, 0.5f},
                 {0.5f, 0.5f},   {0.75f, 0.5f}, {0, 0.75f},    {0.25f, 0.75f}, {0.5f, 0.75f}};
  // The first tick shows frame 0 (a started effect counts from 0, not from -1).
  game_per_second = 0.01f;
  EffectsTick();
  EXPECT_NEAR(e->frame, 0.2f, 1e-5);
  EXPECT_FLOAT_EQ(e->part_left, 0.0f);
  EXPECT_FLOAT_EQ(e->part_bottom, 0.25f);
  for (int i = 1; i < 15; i++) {
    SCOPED_TRACE(i);
    game_per_second = 0.05f;
    EffectsTick();
    ASSERT_EQ(num_effects, 1);
    EXPECT_FLOAT_EQ(e->part_left, cells[i].left);
    EXPECT_FLOAT_EQ(e->part_top, cells[i].top);
    EXPECT_FLOAT_EQ(e->part_right, cells[i].left + 0.25f);
    EXPECT_FLOAT_EQ(e->part_bottom, cells[i].top + 0.25f);
  }
  // The 16th cell is never shown: the effect is over.
  EffectsTick();
  EXPECT_EQ(num_effects, 0);
  EXPECT_EQ(effects[0], nullptr);
}

TEST_F(EffectsTest, AnExplosionLastsThreeQuartersOfASecond) {
  struct Case {
    float step;
    int ticks_alive;  // ticks after which it still shows
  } cases[] = {{1.0f / 64.0f, 47}, {0.05f, 14}, {0.25f, 2}, {1.0f, 0}};
  for (const Case &k : cases) {
    SCOPED_TRACE(k.step);
    EffectsInitForNewGame();
    ASSERT_EQ(EffectsCreateNew(0, 0, 0, 0.1f), 1);
    game_per_second = k.step;
    for (int t = 0; t < k.ticks_alive; t++) EffectsTick();
    EXPECT_EQ(num_effects, 1);
    EffectsTick();
    EXPECT_EQ(num_effects, 0);
  }
}

TEST_F(EffectsTest, AThousandSlotsAndTheDeadAreClearedAfterTheLoop) {
  for (int i = 0; i < EFFECTS_MAX; i++) ASSERT_EQ(EffectsCreateNew(0, 0, 0, 0.1f), 1);
  EXPECT_EQ(EffectsCreateNew(0, 0, 0, 0.1f), 0);
  EXPECT_EQ(num_effects, EFFECTS_MAX);

  // All of them end in one tick.
  game_per_second = 1.0f;
  EffectsTick();
  EXPECT_EQ(num_effects, 0);
  for (int i = 0; i < 10; i++) ASSERT_EQ(EffectsCreateNew(0, float(i), 0, 0.1f), 1);
  game_per_second = 0.4f;
  EffectsTick();
  ASSERT_EQ(EffectsCreateNew(0, 99.0f, 0, 0.1f), 1);
  EXPECT_EQ(num_effects, 11);
  EffectsTick();  // the first ten pass frame 15, the last lives on
  EXPECT_EQ(num_effects, 11);
  for (int i = 0; i < 10; i++) EXPECT_EQ(effects[i], nullptr);
  ASSERT_NE(effects[10], nullptr);
  EXPECT_FLOAT_EQ(effects[10]->x, 99.0f);
  // A dead tail frees its slots for reuse.
  EffectsTick();
  EXPECT_EQ(num_effects, 0);
  ASSERT_EQ(EffectsCreateNew(0, 1, 2, 0.1f), 1);
  EXPECT_EQ(num_effects, 1);
  ASSERT_NE(effects[0], nullptr);
}

TEST_F(EffectsTest, DrawingWithoutItsSheetDoesNothing) {
  ASSERT_EQ(EffectsCreateNew(0, 0, 0, 0.1f), 1);
  EffectsTick();
  EffectsRender();
  EXPECT_EQ(num_effects, 1);
}

}  // namespace
