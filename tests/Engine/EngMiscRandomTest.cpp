#include "Engine/EngMiscRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <string>

#include "Engine/EngMain.h"

namespace {

const float kPi = 3.14159265f;

// The wander only needs to know that a device exists.
EngDevice *DeviceStandIn() {
  static int stand_in;
  return reinterpret_cast<EngDevice *>(&stand_in);
}

// The draws rand() would give next after the same seed.
class RandReplay {
 public:
  explicit RandReplay(unsigned seed) {
    srand(seed);
    for (int &v : m_values) v = rand();
    srand(seed);
  }
  int operator[](int i) const { return m_values[i]; }

 private:
  int m_values[64];
};

class EngMiscRandomTest : public ::testing::Test {
 protected:
  void SetUp() override {
    srand(12345);
    eng_main_current_time = 0.0;
    eng_main_frames_per_second = 1.0f / 60.0f;
    eng_main_device = nullptr;
  }
  void TearDown() override { SetUp(); }
};

TEST_F(EngMiscRandomTest, RandFloatKeepsItsRangeAndResolution) {
  struct Case {
    float max;
    double resolution;
  };
  const Case cases[] = {{0.5f, 0.0001}, {0.00005f, 0.000001}, {0.05f, 0.00001},
                        {5.0f, 0.001},  {50.0f, 0.01},        {250.0f, 1.0},
                        {-250.0f, 1.0}};
  for (const Case &c : cases) {
    std::set<long> distinct;
    for (int i = 0; i < 20000; i++) {
      float v = EngMiscRandFloat(c.max, 0);
      ASSERT_GE(v, 0.0f) << c.max;
      ASSERT_LT(v, fabsf(c.max)) << c.max;
      double steps = double(v) / c.resolution;
      ASSERT_NEAR(steps, std::round(steps), 1e-2) << c.max << " gave " << v;
      distinct.insert(std::lround(steps));
    }
    EXPECT_GT(distinct.size(), 40u) << c.max;
  }
  float top = 0.0f;
  for (int i = 0; i < 50000; i++) top = std::max(top, EngMiscRandFloat(0.5f, 0));
  EXPECT_FLOAT_EQ(top, 0.4999f);
}

TEST_F(EngMiscRandomTest, RandFloatDrawsOnlyWhatItNeeds) {
  RandReplay next(77);
  EXPECT_EQ(EngMiscRandFloat(0.0000005f, 1), 0.0f);  // no step fits: no draw at all
  EXPECT_EQ(EngMiscRandFloat(250.0f, 0), float(next[0] % 250));
  float signed_value = EngMiscRandFloat(250.0f, 1);
  float magnitude = float(next[1] % 250);
  EXPECT_EQ(signed_value, (next[2] % 2 == 0) ? -magnitude : magnitude);
  EXPECT_EQ(rand(), next[3]);
}

TEST_F(EngMiscRandomTest, IntegerRangesOverManyDraws) {
  std::set<int> seen;
  for (int i = 0; i < 5000; i++) {
    int v = EngMiscRandRangeInt(0, 10);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 10);
    seen.insert(v);
  }
  EXPECT_EQ(seen.size(), 10u);
  EXPECT_EQ(EngMiscRandRangeInt(3, 3), 3);
  EXPECT_EQ(EngMiscRandRangeInt(5, 2), 5);
  for (int i = 0; i < 1000; i++) {
    int v = EngMiscRandRangeInt(-2147483647 - 1, 2147483647);
    (void)v;  // the whole int span must not overflow (UBSan watches)
    unsigned u = EngMiscRandRangeULong(4000000000U, 4000000010U);
    ASSERT_GE(u, 4000000000U);
    ASSERT_LT(u, 4000000010U);
  }
  EXPECT_EQ(EngMiscRandRangeULong(9, 9), 9u);
}

TEST_F(EngMiscRandomTest, FloatAndDoubleRanges) {
  for (int i = 0; i < 5000; i++) {
    float f = EngMiscRandRangeFloat(52.0f, 60.0f);
    ASSERT_GE(f, 52.0f);
    ASSERT_LT(f, 60.0f);
    double d = EngMiscRandRangeDouble(-1.0, 1.0);
    ASSERT_GE(d, -1.0);
    ASSERT_LT(d, 1.0);
    float r = EngMiscRandDouble(2.0);
    ASSERT_GE(r, 0.0f);
    ASSERT_LT(r, 2.0f);
  }
  EXPECT_EQ(EngMiscRandRangeFloat(3.0f, 3.0f), 3.0f);
  EXPECT_EQ(EngMiscRandRangeDouble(8.0, 1.0), 8.0);
}

TEST_F(EngMiscRandomTest, SignDecisionsCostOneDrawEach) {
  RandReplay next(5);
  // Normal path: odd negates.
  float v = EngMiscRandRangeFloat(100.0f, 400.0f, 1);
  float expected = 100.0f + float(next[0] % 300);
  EXPECT_EQ(v, (next[1] % 2) ? -expected : expected);
  // Degenerate path: even negates.
  EXPECT_EQ(EngMiscRandRangeFloat(7.0f, 7.0f, 1), (next[2] % 2) ? 7.0f : -7.0f);
  int i = EngMiscRandRangeInt(10, 20, 1);
  EXPECT_EQ(i, (next[4] % 2) ? -(10 + next[3] % 10) : 10 + next[3] % 10);
  EXPECT_EQ(EngMiscRandRangeInt(4, 4, 1), (next[5] % 2) ? 4 : -4);
  double d = EngMiscRandRangeDouble(2.0, 2.0, 1);
  EXPECT_EQ(d, (next[6] % 2) ? 2.0 : -2.0);
  EXPECT_EQ(EngMiscRandSign(), (next[7] % 2) ? 1 : -1);
  EXPECT_EQ(rand(), next[8]);
}

TEST_F(EngMiscRandomTest, ChancesOverManyDraws) {
  int chance_one = 0, chance_three = 0, one_in_four = 0;
  const int n = 40000;
  for (int i = 0; i < n; i++) {
    ASSERT_EQ(EngMiscRandChance(0), 0);
    ASSERT_EQ(EngMiscRand1InN(1), 1);
    ASSERT_EQ(EngMiscRand1InN(-5), 1);
    chance_one += EngMiscRandChance(1);
    chance_three += EngMiscRandChance(3);
    one_in_four += EngMiscRand1InN(4);
  }
  EXPECT_NEAR(chance_one / double(n), 0.5, 0.02);
  EXPECT_NEAR(chance_three / double(n), 0.75, 0.02);
  EXPECT_NEAR(one_in_four / double(n), 0.25, 0.02);
}

TEST_F(EngMiscRandomTest, MoveVectorAtSpeed) {
  _Vector3d pos = {0, 0, 0}, target = {10, 5, 0};
  float fraction = -1.0f;
  EXPECT_EQ(EngMiscMoveVectorAtSpeed(&pos, &target, 2.0f, &fraction), 0);
  EXPECT_FLOAT_EQ(pos.x, 2.0f);
  EXPECT_FLOAT_EQ(pos.y, 1.0f);
  EXPECT_FLOAT_EQ(pos.z, 0.0f);
  EXPECT_FLOAT_EQ(fraction, 0.2f);

  pos = {0, 0, 0};
  EXPECT_EQ(EngMiscMoveVectorAtSpeed(&pos, &target, 10.0f, &fraction), 1);
  EXPECT_EQ(pos.x, 10.0f);
  EXPECT_EQ(pos.y, 5.0f);
  EXPECT_EQ(fraction, 1.0f);

  fraction = -1.0f;
  EXPECT_EQ(EngMiscMoveVectorAtSpeed(&pos, &target, 1.0f, &fraction), 1);
  EXPECT_EQ(fraction, -1.0f);  // equal vectors leave the out-parameter alone

  pos = {0, 0, 0};
  EXPECT_EQ(EngMiscMoveVectorAtSpeed2(&pos, &target, 9.5f, 0.1f), 1);  // 0.95 covered
  pos = {0, 0, 0};
  EXPECT_EQ(EngMiscMoveVectorAtSpeed2(&pos, &target, 8.0f, 0.1f), 0);

  _Vector2d p2 = {0, 0}, t2 = {-4, 3};
  EXPECT_EQ(EngMiscMoveVectorAtSpeed2D(&p2, &t2, 2.0f), 0);
  EXPECT_FLOAT_EQ(p2.x, -2.0f);
  EXPECT_FLOAT_EQ(p2.y, 1.5f);
  EXPECT_EQ(EngMiscMoveVectorAtSpeed2D(&p2, &t2, 2.0f), 1);
  EXPECT_EQ(p2.x, -4.0f);

  _Vector4d p4 = {0, 0, 0, 0}, t4 = {1, 2, 3, 8};
  EXPECT_EQ(EngMiscMoveVectorAtSpeed4D(&p4, &t4, 4.0f, &fraction), 0);
  EXPECT_FLOAT_EQ(fraction, 0.5f);
  EXPECT_FLOAT_EQ(p4.w, 4.0f);
  EXPECT_FLOAT_EQ(p4.z, 1.5f);
}

TEST_F(EngMiscRandomTest, StepTowardATarget) {
  float v = 0.95f;
  EXPECT_EQ(EngMiscMoveFloatAtSpeed(&v, 1.0f, 0.1f), 1);
  EXPECT_EQ(v, 1.0f);
  EXPECT_EQ(EngMiscMoveFloatAtSpeed(&v, 1.0f, 0.1f), 1);
  EXPECT_EQ(EngMiscMoveFloatAtSpeed(nullptr, 1.0f, 0.1f), 0);
  EXPECT_EQ(EngMiscChangeVariableAtSpeedToDesiredAmount(nullptr, 1.0f, 0.1f), 1);

  v = 0.0f;
  EXPECT_EQ(EngMiscChangeVariableAtSpeedToDesiredAmount(&v, 1.0f, 0.25f), 0);
  EXPECT_EQ(v, 0.25f);
  v = 1.0f;
  EXPECT_EQ(EngMiscChangeVariableAtSpeedToDesiredAmount(&v, 0.0f, 0.5f, 0.125f), 0);
  EXPECT_EQ(v, 0.875f);
  v = 0.0f;
  EXPECT_EQ(EngMiscChangeVariableAtSpeedToDesiredAmount(&v, 1.0f, 0.5f, 0.125f), 0);
  EXPECT_EQ(v, 0.5f);
  EXPECT_EQ(EngMiscChangeVariableAtSpeedToDesiredAmount(&v, 1.0f, 0.5f, 0.125f), 1);
  EXPECT_EQ(v, 1.0f);

  v = -3.0f;
  EngMiscKeepInRangeFloat(&v, 0.0f, 1.0f);
  EXPECT_EQ(v, 0.0f);
  v = 4.0f;
  EngMiscKeepInRangeFloat(&v, 0.0f, 1.0f);
  EXPECT_EQ(v, 1.0f);
  v = 0.5f;
  EngMiscKeepInRangeFloat(&v, 2.0f, 1.0f);  // min above max ends on max
  EXPECT_EQ(v, 1.0f);
  EngMiscKeepInRangeFloat(nullptr, 0.0f, 1.0f);
}

TEST_F(EngMiscRandomTest, TimeRepeatsOncePerInterval) {
  double next = 0.0;
  EXPECT_EQ(EngMiscHasTimeRepeated(nullptr, 1.0), 0);
  eng_main_current_time = 10.0;
  EXPECT_EQ(EngMiscHasTimeRepeated(&next, 0.5), 1);
  EXPECT_EQ(next, 10.5);
  EXPECT_EQ(EngMiscHasTimeRepeated(&next, 0.5), 0);
  eng_main_current_time = 10.49;
  EXPECT_EQ(EngMiscHasTimeRepeated(&next, 0.5), 0);
  eng_main_current_time = 10.5;
  EXPECT_EQ(EngMiscHasTimeRepeated(&next, 0.5), 1);
  EXPECT_EQ(next, 11.0);
}

TEST_F(EngMiscRandomTest, BounceTurnsAtTheLimits) {
  float v = 0.0f;
  char dir = 1;
  int turns = 0;
  for (int i = 0; i < 40; i++) {
    turns += EngMiscBounceVariable(&v, &dir, 0.0f, 1.0f, 0.25f);
    ASSERT_GE(v, 0.0f);
    ASSERT_LE(v, 1.0f);
  }
  EXPECT_EQ(turns, 10);  // every fourth call reaches a limit
  v = 0.9f;
  dir = 1;
  EXPECT_EQ(EngMiscBounceVariable(&v, &dir, 0.0f, 1.0f, 0.25f), 1);
  EXPECT_EQ(v, 1.0f);
  EXPECT_EQ(dir, -1);
  dir = 0;
  EXPECT_EQ(EngMiscBounceVariable(&v, &dir, 0.0f, 1.0f, 0.25f), 0);
  EXPECT_EQ(v, 1.0f);

  testing::internal::CaptureStderr();
  EXPECT_EQ(EngMiscBounceVariable(nullptr, &dir, 0.0f, 1.0f, 0.25f), 0);
  EXPECT_EQ(EngMiscBounceVariable(&v, nullptr, 0.0f, 1.0f, 0.25f), 0);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("EngMiscBounceVariable"), std::string::npos);
}

TEST_F(EngMiscRandomTest, ThrobCyclesOncePerTwoPiOfPhase) {
  float phase = 0.0f;
  char cycled = 1;
  const float step = kPi / 60.0f;
  EXPECT_NEAR(EngMiscThrobEffect(&phase, 0.0f, &cycled), 0.0f, 1e-6);
  EXPECT_EQ(cycled, 0);
  phase = 0.0f;
  float value = 0.0f;
  int cycles = 0, first_cycle_call = 0;
  for (int call = 1; call <= 600; call++) {
    value = EngMiscThrobEffect(&phase, step, &cycled);
    ASSERT_GE(value, 0.0f);
    ASSERT_LE(value, 1.0f);
    if (call == 30) {
      EXPECT_NEAR(value, 1.0f, 1e-5);
    }
    if (cycled) {
      cycles++;
      if (!first_cycle_call) first_cycle_call = call;
    }
  }
  EXPECT_GE(first_cycle_call, 59);
  EXPECT_LE(first_cycle_call, 61);
  EXPECT_EQ(cycles, 10);
  EXPECT_EQ(EngMiscThrobEffect(nullptr, step, &cycled), 0.0f);
  EXPECT_EQ(cycled, 0);

  phase = -1.5f;
  EngMiscThrobEffect(&phase, -0.1f, &cycled);  // below -pi/2 wraps up by 4 pi
  EXPECT_EQ(cycled, 1);
  EXPECT_NEAR(phase, -1.7f + 12.566371f, 1e-5);
}

TEST_F(EngMiscRandomTest, WanderStaysInRangeAndMovesAtItsSpeed) {
  _EngMiscChangeVarFloat2 r = {};
  r.value = 7.0f;
  EXPECT_EQ(EngMiscSetupChangeVarFloat(0.5, 1.0, 2.0f, 8.0f, 0, 0, 0.0f, 3.0f, 6.0f, 0, &r), 7.0f);
  EXPECT_EQ(r.setup, 1);
  EXPECT_EQ(EngMiscSetupChangeVarFloat(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr), 0.0f);
  EXPECT_EQ(EngMiscChangeVarFloatTick(&r), 0.0f);  // no device yet: nothing happens
  EXPECT_EQ(r.next_move_time, 0.0);

  eng_main_device = DeviceStandIn();
  const float dt = 1.0f / 60.0f;
  int moves = 0;
  char was_moving = 0;
  for (int frame = 0; frame < 6000; frame++) {
    eng_main_current_time = frame * double(dt);
    float before = r.value;
    float v = EngMiscChangeVarFloatTick(&r);
    if (was_moving) {
      ASSERT_NEAR(fabsf(v - before), r.speed * dt, 1e-4);
    }
    if (r.moving && !was_moving) {
      moves++;
      ASSERT_GE(r.target, 2.0f);
      ASSERT_LT(r.target, 8.0f);
      ASSERT_GE(r.speed, 3.0f);
      ASSERT_LT(r.speed, 6.0f);
      ASSERT_GE(r.next_move_time, 0.0);
    }
    if (!r.moving && r.next_move_time > 0.0) {
      ASSERT_GE(r.next_move_time - eng_main_current_time, -1e-9);
      ASSERT_LE(r.next_move_time - eng_main_current_time, 1.0 + 1e-9);
    }
    // May overshoot by one step at most.
    ASSERT_GE(v, 2.0f - 6.0f * dt);
    ASSERT_LE(v, 8.0f + 6.0f * dt);
    was_moving = r.moving;
  }
  EXPECT_GT(moves, 20);

  _EngMiscChangeVarFloat2 unset = {};
  testing::internal::CaptureStderr();
  EXPECT_EQ(EngMiscChangeVarFloatTick(&unset), 0.0f);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Var not setup"), std::string::npos);
}

TEST_F(EngMiscRandomTest, WanderSetupReportsOddArgumentsAndStartsAtRandom) {
  _EngMiscChangeVarFloat2 r = {};
  testing::internal::CaptureStderr();
  EngMiscSetupChangeVarFloat(0, 1, 0, 1, 1, 1, 0.5f, 1, 2, 0, &r);
  EngMiscSetupChangeVarFloat(0, 1, 0, 1, 0, 0, 0.5f, 1, 2, 0, &r);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Sign and angle specified"), std::string::npos);
  EXPECT_NE(err.find("Parameter Error"), std::string::npos);
  EXPECT_EQ(r.setup, 1);
  EXPECT_EQ(r.angle, 0.0f);

  for (int i = 0; i < 200; i++) {
    float v = EngMiscSetupChangeVarFloat(0, 1, 10.0f, 20.0f, 0, 0, 0, 1, 2, 1, &r);
    ASSERT_GE(v, 10.0f);
    ASSERT_LT(v, 20.0f);
    ASSERT_EQ(v, r.value);
  }
}

TEST_F(EngMiscRandomTest, AngleWanderTakesTheShorterWayRound) {
  eng_main_device = DeviceStandIn();
  const float two_pi = 2.0f * kPi;
  for (int trial = 0; trial < 300; trial++) {
    _EngMiscChangeVarFloat2 r = {};
    r.value = (trial % 2) ? 0.1f : two_pi - 0.1f;
    EngMiscSetupChangeVarFloat(0.0, 0.0, 0.0f, two_pi, 0, 1, 1.0f, 1.0f, 2.0f, 0, &r);
    eng_main_current_time = 1.0;
    EngMiscChangeVarFloatTick(&r);  // schedules
    EngMiscChangeVarFloatTick(&r);  // chooses a target
    ASSERT_EQ(r.moving, 1);
    ASSERT_GE(r.target, 0.0f);
    ASSERT_LE(r.target, two_pi);
    ASSERT_LE(fabsf(r.target - r.value), kPi + 1e-4f) << "value " << r.value << " target " << r.target;
  }
}

TEST_F(EngMiscRandomTest, FadeCycleCompletesOncePerCycle) {
  _EngMiscBlendVar b = {};
  b.speed_mult = 0.0f;  // counts as 1
  b.start_value = 0.0f;
  b.min_value = 0.0f;
  b.max_value = 1.0f;
  b.rise_rate = 2.0f;
  b.fall_rate = 4.0f;
  b.wait_before_rise = 0.5;
  b.wait_at_top = 0.25;
  b.wait_at_bottom = 0.25;
  const float dt = 1.0f / 60.0f;
  int completions = 0;
  float top = 0.0f;
  for (int frame = 0; frame < 60 * 10; frame++) {
    eng_main_current_time = frame * double(dt);
    completions += EngMiscUpdateBlendVar(&b);
    ASSERT_GE(b.value, 0.0f);
    ASSERT_LE(b.value, 1.0f);
    top = std::max(top, b.value);
  }
  // One cycle: 0.5 wait + 0.5 rise + 0.25 hold + 0.25 fall + 0.25 hold, plus a frame per step.
  EXPECT_GE(completions, 5);
  EXPECT_LE(completions, 6);
  EXPECT_EQ(top, 1.0f);

  b.state = 7;
  EXPECT_EQ(EngMiscUpdateBlendVar(&b), 0);
  EXPECT_EQ(b.state, 7);
  EXPECT_EQ(EngMiscUpdateBlendVar(nullptr), 0);
}

TEST_F(EngMiscRandomTest, FadeCycleStepByStep) {
  _EngMiscBlendVar b = {};
  b.speed_mult = 2.0f;
  b.start_value = 0.5f;
  b.min_value = 0.25f;
  b.max_value = 1.0f;
  b.rise_rate = 30.0f;
  b.fall_rate = 30.0f;
  b.wait_before_rise = 1.0;
  b.wait_at_top = 1.0;
  b.wait_at_bottom = 1.0;
  eng_main_frames_per_second = 0.1f;
  eng_main_current_time = 10.0;
  EXPECT_EQ(EngMiscUpdateBlendVar(&b), 0);
  EXPECT_EQ(b.value, 0.5f);
  EXPECT_EQ(b.state, 1);
  EngMiscUpdateBlendVar(&b);
  EXPECT_EQ(b.state, 2);
  EXPECT_EQ(b.next_time, 10.5);  // wait divided by the multiplier
  eng_main_current_time = 10.5;
  EngMiscUpdateBlendVar(&b);
  EXPECT_EQ(b.state, 2);  // strictly later only
  eng_main_current_time = 10.6;
  EngMiscUpdateBlendVar(&b);
  EXPECT_EQ(b.state, 3);
  EngMiscUpdateBlendVar(&b);  // 30 * 2 * 0.1 = 6 per call: straight to the top
  EXPECT_EQ(b.value, 1.0f);
  EXPECT_EQ(b.state, 4);
  eng_main_current_time = 11.2;
  EngMiscUpdateBlendVar(&b);
  EngMiscUpdateBlendVar(&b);
  EXPECT_EQ(b.value, 0.25f);
  EXPECT_EQ(b.state, 6);
  eng_main_current_time = 11.8;
  EXPECT_EQ(EngMiscUpdateBlendVar(&b), 1);
  EXPECT_EQ(b.state, 1);
}

}  // namespace
