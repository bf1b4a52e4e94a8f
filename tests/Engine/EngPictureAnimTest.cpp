// Picture animation driven by injected clock values and frame steps: stage changes, moving,
// turning, throbbing and scrolling, locks and the speed factor.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngPicture.h"

namespace {

class EngPictureAnimTest : public testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    srand(7);
    eng_main_current_time = 50.0;
    eng_main_frames_per_second = kStep;
  }
  void TearDown() override { eng_main_frames_per_second = 1.0f / 60.0f; }

  // A picture of one set with n default stages.
  EngPictureSet *MakeSet(int stages) {
    EXPECT_TRUE(picture.AddSet("S"));
    EngPictureSet *set = picture.GetSet(picture.GetNumSets() - 1);
    for (int i = 1; i < stages; i++) EXPECT_TRUE(picture.AddStage(set));
    return set;
  }
  // Advances the clock by seconds in frames of kStep, ticking with the speed factor.
  void Run(double seconds, float speed = 1.0f) {
    const int frames = int(std::lround(seconds / kStep));
    for (int i = 0; i < frames; i++) {
      eng_main_current_time = eng_main_current_time + kStep;
      picture.Tick(speed);
    }
  }

  static constexpr float kStep = 0.125f;  // exact in binary, so frame sums stay exact
  EngPicture picture;
};

TEST_F(EngPictureAnimTest, StagesWithoutAlphaTimesChangeOnEveryTick) {
  EngPictureSet *set = MakeSet(3);
  for (auto &stage : set->stages) {
    for (float &t : stage->alpha.times) t = 0;
    picture.ResetStageVars(stage.get());
  }
  const int expected[] = {1, 2, 0, 1};
  for (int want : expected) {
    Run(kStep);
    EXPECT_EQ(set->vars.current_stage, want);
  }
}

TEST_F(EngPictureAnimTest, CycleLengthsAndTheShortenedTimes) {
  EngPictureSet *set = MakeSet(2);
  EngPictureStage *first = set->stages[0].get();
  const float times[] = {2, 7, 15, 0};
  for (int i = 0; i < 4; i++) first->alpha.times[i] = times[i];
  picture.ResetStageVars(first);
  EXPECT_FLOAT_EQ(first->vars.alpha.cycle_length[0], 24.0f);
  EXPECT_FLOAT_EQ(first->vars.alpha.cycle_length[1], 7.5f);

  picture.ResetSetVars(0);
  Run(23.875);
  EXPECT_EQ(set->vars.current_stage, 0);
  Run(0.125);
  EXPECT_EQ(set->vars.current_stage, 1);

  picture.SetCurrentStageInSet(0, 0);
  picture.DebugSetSkipLongTimes(-1, 1);
  Run(7.375);
  EXPECT_EQ(set->vars.current_stage, 0);
  Run(0.125);
  EXPECT_EQ(set->vars.current_stage, 1);
}

TEST_F(EngPictureAnimTest, TransitionsMoveBetweenTheMainAndEndAreas) {
  struct Case {
    char type;
    double seconds;
    float progress;
    float x;  // main area x 0, end area x 1
  };
  const Case cases[] = {
      {1, 0.5, 0.5f, 0.5f},  {1, 1.0, 0.0f, 0.0f},  {1, 1.25, 0.25f, 0.25f}, {2, 0.5, 0.5f, 0.5f},
      {2, 1.0, 1.0f, 1.0f},  {2, 1.5, 0.5f, 0.5f},  {2, 2.0, 0.0f, 0.0f},    {3, 0.25, 0.25f, 0.1464466f},
      {3, 0.5, 0.5f, 0.5f},  {3, 1.0, 1.0f, 1.0f},  {0, 1.0, 0.0f, 0.0f},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << int(c.type) << " after " << c.seconds);
    picture.Destroy();
    EngPictureSet *set = MakeSet(1);
    EngPictureStage *stage = set->stages[0].get();
    stage->pos.trans_type = c.type;
    stage->pos.trans_speeds[0] = 0.5f;
    stage->pos.trans_speeds[1] = 2;
    stage->pos.main_area = _Dimension{0, 0, 0.5f, 0.5f};
    stage->pos.end_area = _Dimension{1, 0, 0.5f, 0.5f};
    picture.ResetStageVars(stage);
    Run(c.seconds);
    EXPECT_NEAR(stage->vars.pos.progress, c.progress, 1e-5f);
    EXPECT_NEAR(stage->vars.pos.area.x, c.x, 1e-5f);
    EXPECT_FLOAT_EQ(stage->vars.pos.area.width, 0.5f);
  }
}

TEST_F(EngPictureAnimTest, RandomPositionsStayInsideTheRandomArea) {
  EngPictureSet *set = MakeSet(1);
  EngPictureStage *stage = set->stages[0].get();
  stage->pos.trans_type = EPIC_TRANS_RANDOM;
  stage->pos.main_area = _Dimension{0, 0, 0.25f, 0.25f};
  stage->pos.end_area = _Dimension{0, 0, 0.5f, 0.5f};
  stage->pos.random_area = _Dimension{0.5f, 0.25f, 0.5f, 0.5f};
  stage->alpha.throb_on = 1;
  stage->alpha.throb_speed = 2;
  picture.ResetStageVars(stage);
  float first_x = stage->vars.pos.random_x;
  bool moved = false;
  for (int i = 0; i < 40; i++) {
    Run(0.5);
    const _Dimension &a = stage->vars.pos.area;
    EXPECT_GE(a.x, 0.5f);
    EXPECT_LE(a.x, 0.75f);
    EXPECT_GE(a.y, 0.25f);
    EXPECT_LE(a.y, 0.5f);
    // The size follows the throb between the main and the end area.
    EXPECT_GE(a.width, 0.25f);
    EXPECT_LE(a.width, 0.5f);
    if (stage->vars.pos.random_x != first_x) moved = true;
  }
  EXPECT_TRUE(moved);
}

TEST_F(EngPictureAnimTest, RotationModes) {
  struct Case {
    char mode;
    float start, end, speed;
    double seconds;
    float angle;
  };
  const Case cases[] = {
      {0, 30, 0, 90, 1, 30},     {1, 0, 100, 90, 1, 90},   {1, 0, 100, 90, 1.125, 0},
      {2, 350, 0, 90, 1, 80},    {3, 0, 90, 90, 0.5, 45},  {3, 0, 90, 90, 1.5, 45},
      {3, 0, 90, 90, 2.0, 0},    {3, 45, 45, 90, 1, 135},  {4, 0, 90, 90, 0.5, 45},
      {4, 0, 90, 90, 1.0, 90},   {4, 0, 90, 90, 2.0, 0},   {4, 20, 20, 90, 1, 20},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << int(c.mode) << " after " << c.seconds);
    picture.Destroy();
    EngPictureSet *set = MakeSet(1);
    EngPictureStage *stage = set->stages[0].get();
    stage->rot.flags[0] = 1;
    stage->rot.flags[1] = c.mode;
    stage->rot.values[0] = c.start;
    stage->rot.values[1] = c.end;
    stage->rot.values[2] = c.speed;
    stage->rot.values[3] = 1;
    picture.ResetStageVars(stage);
    Run(c.seconds);
    EXPECT_NEAR(stage->vars.rot.angle, c.angle, 1e-3f);
  }
}

TEST_F(EngPictureAnimTest, RotationModeThreeSwingsBetweenItsEnds) {
  EngPictureSet *set = MakeSet(1);
  EngPictureStage *stage = set->stages[0].get();
  stage->rot.flags[0] = 1;
  stage->rot.flags[1] = 3;
  stage->rot.values[0] = 90;
  stage->rot.values[1] = 0;
  stage->rot.values[2] = 37;
  picture.ResetStageVars(stage);
  float low = 1000, high = -1000;
  for (int i = 0; i < 200; i++) {
    Run(kStep);
    low = std::fmin(low, stage->vars.rot.angle);
    high = std::fmax(high, stage->vars.rot.angle);
  }
  EXPECT_FLOAT_EQ(low, 0.0f);
  EXPECT_FLOAT_EQ(high, 90.0f);
}

TEST_F(EngPictureAnimTest, ThrobRunsBetweenItsMinimumAndTheAlphaLevel) {
  EngPictureSet *set = MakeSet(1);
  EngPictureStage *stage = set->stages[0].get();
  stage->alpha.throb_on = 1;
  stage->alpha.throb_min = 0.25f;
  stage->alpha.level = 0.75f;
  picture.ResetStageVars(stage);
  // With speed 0.5 and multiplier 1 the phase moves by one radian a second.
  Run(M_PI / 2);
  EXPECT_NEAR(stage->vars.alpha.throb_value, 0.5f, 0.05f);
  Run(M_PI / 2);
  EXPECT_NEAR(stage->vars.alpha.throb_value, 0.75f, 0.01f);
  Run(M_PI);
  EXPECT_NEAR(stage->vars.alpha.throb_value, 0.25f, 0.01f);
}

TEST_F(EngPictureAnimTest, TextureCoordinatesScroll) {
  EngPictureSet *set = MakeSet(1);
  EngPictureStage *stage = set->stages[0].get();
  stage->tc.move = 1;
  stage->tc.tile = _Vector2d{2, 1};
  stage->tc.speed = _Vector2d{0.25f, 0};
  picture.ResetStageVars(stage);
  EXPECT_FLOAT_EQ(stage->vars.tc.right, 2.0f);
  Run(1);
  EXPECT_FLOAT_EQ(stage->vars.tc.left, 0.5f);
  EXPECT_FLOAT_EQ(stage->vars.tc.right, 2.5f);
  Run(1);
  EXPECT_FLOAT_EQ(stage->vars.tc.left, 0.0f);
  EXPECT_FLOAT_EQ(stage->vars.tc.right, 2.0f);
  EXPECT_FLOAT_EQ(stage->vars.tc.top, 0.0f);
  EXPECT_FLOAT_EQ(stage->vars.tc.bottom, 1.0f);

  // Own coordinates scroll down and return once past their far edge.
  stage->tc.use_default = 0;
  stage->tc.tc = _TexCoords{0, 0.25f, 1, 0.5f};
  stage->tc.tile = _Vector2d{1, 1};
  stage->tc.speed = _Vector2d{0, 0.125f};
  picture.ResetTextureCoordinates(0, 0);
  Run(1);
  EXPECT_FLOAT_EQ(stage->vars.tc.top, 0.375f);
  EXPECT_FLOAT_EQ(stage->vars.tc.bottom, 0.625f);
  Run(1.125);
  EXPECT_FLOAT_EQ(stage->vars.tc.top, 0.25f);
  EXPECT_FLOAT_EQ(stage->vars.tc.bottom, 0.5f);
}

TEST_F(EngPictureAnimTest, LockedStageContinuesTheFirstStagesTurn) {
  EngPictureSet *set = MakeSet(2);
  EngPictureStage *first = set->stages[0].get(), *second = set->stages[1].get();
  first->rot.flags[0] = 1;
  first->rot.flags[1] = 2;
  first->rot.values[2] = 10;
  second->locks[EPIC_LOCK_ROT] = 1;
  second->rot.values[0] = 200;  // its own start angle must not be used
  picture.ResetStageVars(first);
  picture.ResetStageVars(second);
  Run(1);  // stage 0 shows for its 1 s of full show
  EXPECT_EQ(set->vars.current_stage, 1);
  const float at_change = first->vars.rot.angle;
  EXPECT_NEAR(at_change, 10, 1e-3f);
  Run(0.5);
  EXPECT_EQ(set->vars.current_stage, 1);
  EXPECT_NEAR(first->vars.rot.angle, 15, 1e-3f);
  EXPECT_FLOAT_EQ(second->vars.rot.angle, 200);
}

TEST_F(EngPictureAnimTest, SpeedScalesMotionButNotStageChanges) {
  EngPictureSet *set = MakeSet(2);
  EngPictureStage *first = set->stages[0].get();
  first->rot.flags[0] = 1;
  first->rot.flags[1] = 2;
  first->rot.values[2] = 10;
  first->alpha.times[2] = 2;
  picture.ResetStageVars(first);
  Run(1, 2.0f);
  EXPECT_NEAR(first->vars.rot.angle, 20, 1e-3f);
  EXPECT_EQ(set->vars.current_stage, 0);
  Run(1, 2.0f);
  EXPECT_EQ(set->vars.current_stage, 1);
}

TEST_F(EngPictureAnimTest, InertSetsAndBadArguments) {
  EngPictureSet *set = MakeSet(2);
  picture.SetCurrentStageInSet(0, 5);
  Run(3);
  EXPECT_EQ(set->vars.current_stage, 5);
  picture.SetCurrentStageInSet(0, -1);
  Run(3);
  EXPECT_EQ(set->vars.current_stage, -1);

  testing::internal::CaptureStderr();
  picture.SetCurrentStageInSet(3, 0);
  picture.ResetSetVars(-1);
  picture.ResetStageVars(nullptr);
  EXPECT_EQ(picture.GetSetVars(9), nullptr);
  EXPECT_EQ(picture.GetStageVars(set, 2), nullptr);
  EXPECT_EQ(picture.GetStageVars(nullptr, 0), nullptr);
  picture.DebugSetSkipLongTimes(4, 1);
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("Bad set num 3 (1)."), std::string::npos) << log;
  EXPECT_NE(log.find("Invalid set num -1 (1)"), std::string::npos);
  EXPECT_NE(log.find("Invalid stage num 2 (2)"), std::string::npos);
  EXPECT_NE(log.find("Bad parameters."), std::string::npos);
  EXPECT_EQ(picture.GetStageVars(set, 1), &set->stages[1]->vars);
}

}  // namespace
