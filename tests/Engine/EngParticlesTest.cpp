// Particle systems without a device: creation, emission counts, lifetimes, movement, colours,
// fades and spreads, all driven by the times the test passes in.
#include "Engine/EngParticles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>

#include "Engine/EngMain.h"

namespace {

size_t Count(const std::string &text, const std::string &part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) n++;
  return n;
}

class EngParticlesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    srand(7);
    EngParticlesResetForTests();
    parms = _EngParticleSystemParms();
    parms.update_mode = 2;
    parms.life_min = parms.life_max = 100.0f;
    parms.speed_factor = 1.0f;
    parms.spread_factor = 1.0f;
    parms.start_alpha = parms.end_alpha = 1.0f;
    parms.start_size = parms.end_size = 1.0f;
  }
  void TearDown() override { EngParticlesResetForTests(); }
  static std::string Logged(const std::function<void()> &f) {
    testing::internal::CaptureStderr();
    f();
    return testing::internal::GetCapturedStderr();
  }
  static int Live(EngParticles &system) {
    int n = 0;
    for (int i = 0; i < system.GetMaxParticles(); i++)
      if (system.GetParticles()[i].age >= 0.0f) n++;
    return n;
  }
  // The live particles after the tick minus those before.
  static int Emitted(EngParticles &system, float t, char burst) {
    int before = Live(system);
    system.TickUpdate(t, burst);
    return Live(system) - before;
  }
  _EngParticleSystemParms parms;
};

TEST_F(EngParticlesTest, CreateRefusesBadArgumentsAndASecondCreateWithoutTheRecreateFlag) {
  EngParticles system;
  EXPECT_EQ(system.TickUpdate(1.0f, 1), -1);
  EXPECT_EQ(system.Render(), 0);
  std::string log = Logged([&] {
    EXPECT_EQ(system.Create(10, nullptr, 0), 0);
    EXPECT_EQ(system.Create(0, &parms, 0), 0);
    EXPECT_EQ(system.InitAllParticles(), 0);
    EXPECT_EQ(system.CreateGraphics(), 0);
  });
  EXPECT_EQ(Count(log, "No parms"), 1u);
  EXPECT_EQ(Count(log, "Bad num max particles [0]"), 1u);
  EXPECT_EQ(Count(log, "Not setup."), 2u) << log;
  EXPECT_EQ(system.IsCreated(), 0);

  ASSERT_EQ(system.Create(10, &parms, 0), 1);
  EXPECT_EQ(system.CreateGraphics(), 1);
  EXPECT_EQ(Live(system), 0);
  log = Logged([&] { EXPECT_EQ(system.Create(20, &parms, 0), 0); });
  EXPECT_EQ(Count(log, "System already created"), 1u);
  EXPECT_EQ(system.GetMaxParticles(), 10);
  EXPECT_EQ(system.Create(20, &parms, 1), 1);
  EXPECT_EQ(system.GetMaxParticles(), 20);
  // The block is a copy: later changes to the caller's block do not reach the system.
  parms.burst_count = 50;
  EXPECT_EQ(Emitted(system, 0.5f, 1), 0);

  system.Destroy(0);
  EXPECT_EQ(system.IsCreated(), 0);
  EXPECT_EQ(system.GetMaxParticles(), 0);
  EXPECT_EQ(system.GetParticles(), nullptr);
}

TEST_F(EngParticlesTest, ABurstTickEmitsTheBurstCountAndAFirstOrdinaryTickFindsNothingAlive) {
  parms.burst_count = 5;
  EngParticles system;
  ASSERT_EQ(system.Create(66, &parms, 0), 1);
  EXPECT_EQ(system.TickUpdate(0.25f, 0), 0) << "nothing alive before the burst";
  EXPECT_EQ(Live(system), 0);
  EXPECT_EQ(system.TickUpdate(0.5f, 1), 1);
  EXPECT_EQ(Live(system), 5);
  EXPECT_EQ(system.GetParms()->last_life, 100.0f);
}

TEST_F(EngParticlesTest, OrdinaryEmissionsAddTheRateTimesTheStepAndCarryTheFraction) {
  struct Case {
    EngUInt32 rate;
    int first, second;
    float carry_after_first;
  };
  // Steps of 0.125 s with one particle per emission.
  const Case cases[] = {
      {24, 4, 4, 0.0f},  // 1 + 3
      {20, 3, 4, 0.5f},  // 1 + 2.5, then 1 + 2.5 + 0.5
      {0, 1, 1, 0.0f},
      {4, 1, 2, 0.5f},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.rate);
    parms.burst_count = 1;
    parms.count_per_emission = 1;
    parms.emission_rate = 0;
    EngParticles system;
    ASSERT_EQ(system.Create(200, &parms, 0), 1);
    ASSERT_EQ(Emitted(system, 0.125f, 1), 1);
    system.GetParms()->emission_rate = c.rate;
    // The first ordinary tick measures its step from 0, as the burst did.
    int before = Live(system);
    EXPECT_EQ(system.TickUpdate(0.125f, 0), 1);
    EXPECT_EQ(Live(system) - before, c.first);
    EXPECT_FLOAT_EQ(system.GetEmissionCarry(), c.carry_after_first);
    EXPECT_EQ(Emitted(system, 0.25f, 0), c.second);
  }
}

TEST_F(EngParticlesTest, EmissionNeverExceedsTheMaximumAndFullSlotsStillDropTheCarry) {
  parms.burst_count = 10;
  parms.count_per_emission = 1;
  parms.emission_rate = 4;
  EngParticles system;
  ASSERT_EQ(system.Create(3, &parms, 0), 1);
  EXPECT_EQ(Emitted(system, 0.125f, 1), 3);
  EXPECT_FLOAT_EQ(system.GetEmissionCarry(), 0.0f);
  EXPECT_EQ(Emitted(system, 0.125f, 0), 0);
  EXPECT_FLOAT_EQ(system.GetEmissionCarry(), 0.5f);
  EXPECT_EQ(system.GetNumLiveParticles(), 3);
}

TEST_F(EngParticlesTest, AnEmissionIntervalSkipsTheTicksInsideIt) {
  parms.burst_count = 1;
  parms.count_per_emission = 1;
  parms.emission_interval = 0.5f;
  EngParticles system;
  ASSERT_EQ(system.Create(100, &parms, 0), 1);
  ASSERT_EQ(Emitted(system, 1.0f, 1), 1);
  std::string pattern;
  for (int k = 1; k <= 12; k++) pattern += Emitted(system, 1.0f + 0.125f * (float)k, 0) ? 'E' : '.';
  EXPECT_EQ(pattern, "...E...E...E");
}

TEST_F(EngParticlesTest, UpdateModesDecideWhetherOrdinaryTicksMoveAndEmit) {
  struct Case {
    EngUInt8 mode;
    int emitted;
    float age_after;
  };
  const Case cases[] = {{0, 1, 0.0f}, {1, 0, 0.25f}, {2, 1, 0.25f}, {3, 0, 0.0f}};
  for (const Case &c : cases) {
    SCOPED_TRACE((int)c.mode);
    parms.update_mode = c.mode;
    parms.burst_count = 1;
    parms.count_per_emission = 1;
    EngParticles system;
    ASSERT_EQ(system.Create(10, &parms, 0), 1);
    ASSERT_EQ(Emitted(system, 0.25f, 1), 1) << "a burst emits in every mode";
    ASSERT_EQ(system.TickUpdate(0.25f, 0), 1);
    EXPECT_EQ(system.GetParticles()[0].age, c.age_after);
    EXPECT_EQ(Emitted(system, 0.5f, 0), c.emitted);
  }
}

TEST_F(EngParticlesTest, AZeroStepCreatesNothingAndReportsEachAttempt) {
  parms.burst_count = 2;
  EngParticles system;
  ASSERT_EQ(system.Create(10, &parms, 0), 1);
  std::string log = Logged([&] { EXPECT_EQ(system.TickUpdate(0.0f, 1), 1); });
  EXPECT_EQ(Count(log, "time counter<= 0"), 2u) << log;
  EXPECT_EQ(Live(system), 0);

  parms.spread_factor = 0.0f;
  ASSERT_EQ(system.Create(10, &parms, 1), 1);
  log = Logged([&] { system.TickUpdate(0.5f, 1); });
  EXPECT_EQ(Count(log, "Parent spread factor <= 0"), 2u) << log;
  EXPECT_EQ(Live(system), 0);
}

TEST_F(EngParticlesTest, ParticlesDieWhenTheirAgeReachesTheirLife) {
  parms.burst_count = 3;
  parms.life_min = parms.life_max = 1.0f;
  parms.update_mode = 1;
  EngParticles system;
  ASSERT_EQ(system.Create(5, &parms, 0), 1);
  ASSERT_EQ(system.TickUpdate(0.25f, 1), 1);
  for (float t : {0.25f, 0.5f, 0.75f}) {
    EXPECT_EQ(system.TickUpdate(t, 0), 1) << t;
    EXPECT_EQ(system.GetNumLiveParticles(), 3) << t;
  }
  EXPECT_EQ(system.TickUpdate(1.0f, 0), 0);
  EXPECT_EQ(Live(system), 0);
  EXPECT_EQ(system.GetParticles()[0].age, -1.0f);
}

TEST_F(EngParticlesTest, LivesAreDrawnInTheirRangeAndKeptWithinLimits) {
  struct Case {
    float min, max, low, high;
  };
  const Case cases[] = {{2.0f, 3.0f, 2.0f, 3.0f}, {0.0f, 0.0f, 0.001f, 0.001f}, {20000, 20000, 10000, 10000}};
  for (const Case &c : cases) {
    parms.burst_count = 20;
    parms.life_min = c.min;
    parms.life_max = c.max;
    EngParticles system;
    ASSERT_EQ(system.Create(20, &parms, 0), 1);
    system.TickUpdate(0.5f, 1);
    for (int i = 0; i < 20; i++) {
      EXPECT_GE(system.GetParticles()[i].life, c.low);
      EXPECT_LE(system.GetParticles()[i].life, c.high);
    }
  }
}

TEST_F(EngParticlesTest, ParticlesMoveByVelocityAndAccelerationAndChangeColourAndSize) {
  parms.burst_count = 1;
  parms.update_mode = 1;
  parms.life_min = parms.life_max = 2.0f;
  parms.speed = {2.0f, 2.0f, 0.0f, 0.0f, 0.0f, 0.0f};  // cone 0: straight along x
  parms.speed_factor = 1.5f;
  parms.acceleration = {0.0f, 0.0f, 4.0f, 4.0f, 0.0f, 0.0f};
  parms.emitter_x = 10.0f;
  parms.start_r = 1.0f;
  parms.end_b = 1.0f;
  parms.start_size = 1.0f;
  parms.end_size = 3.0f;
  EngParticles system;
  ASSERT_EQ(system.Create(1, &parms, 0), 1);
  ASSERT_EQ(system.TickUpdate(0.5f, 1), 1);
  const _EngParticle &p = system.GetParticles()[0];
  EXPECT_FLOAT_EQ(p.x, 10.0f);
  EXPECT_FLOAT_EQ(p.vel_x, 3.0f);
  EXPECT_FLOAT_EQ(p.vel_y, 0.0f);
  ASSERT_EQ(system.TickUpdate(0.5f, 0), 1);  // first update: a step of 0.5
  EXPECT_FLOAT_EQ(p.x, 11.5f);
  EXPECT_FLOAT_EQ(p.y, 0.0f);
  EXPECT_FLOAT_EQ(p.vel_y, 2.0f);
  ASSERT_EQ(system.TickUpdate(1.0f, 0), 1);
  EXPECT_FLOAT_EQ(p.x, 13.0f);
  EXPECT_FLOAT_EQ(p.y, 1.0f);
  EXPECT_FLOAT_EQ(p.prev_x, 11.5f);
  EXPECT_FLOAT_EQ(p.r, 0.5f);
  EXPECT_FLOAT_EQ(p.g, 0.0f);
  EXPECT_FLOAT_EQ(p.b, 0.5f);
  EXPECT_FLOAT_EQ(p.size, 2.0f);
  EXPECT_FLOAT_EQ(p.plain_r, 1.0f);
  EXPECT_FLOAT_EQ(p.a, 1.0f);
}

TEST_F(EngParticlesTest, AttractionPullsTowardTheEmitterOnItsAxesOnly) {
  parms.burst_count = 1;
  parms.update_mode = 1;
  parms.attract = 1;
  parms.attract_x = 1;
  parms.attraction_min = parms.attraction_max = 2.0f;
  parms.spread_min = parms.spread_max = 5.0f;  // spread 0: five units out on every axis
  EngParticles system;
  ASSERT_EQ(system.Create(1, &parms, 0), 1);
  ASSERT_EQ(system.TickUpdate(0.5f, 1), 1);
  const _EngParticle &p = system.GetParticles()[0];
  EXPECT_FLOAT_EQ(p.x, 5.0f);
  EXPECT_FLOAT_EQ(p.z, 5.0f);
  ASSERT_EQ(system.TickUpdate(0.5f, 0), 1);
  EXPECT_FLOAT_EQ(p.vel_x, -1.0f);
  EXPECT_FLOAT_EQ(p.vel_y, 0.0f);
  EXPECT_FLOAT_EQ(p.vel_z, 0.0f);
}

TEST_F(EngParticlesTest, AFadingInParticleRisesToItsStartAlphaThenFadesToItsEndAlpha) {
  parms.burst_count = 1;
  parms.update_mode = 1;
  parms.fade_in = 1;
  parms.start_alpha = 0.5f;
  parms.end_alpha = 0.0f;
  parms.life_min = parms.life_max = 2.0f;
  EngParticles system;
  ASSERT_EQ(system.Create(1, &parms, 0), 1);
  ASSERT_EQ(system.TickUpdate(0.25f, 1), 1);
  const _EngParticle &p = system.GetParticles()[0];
  EXPECT_EQ(p.fading_in, 1);
  EXPECT_EQ(p.fade_in_time, 0.0f);
  struct Step {
    float t, alpha;
    bool fading_in;
  };
  const Step steps[] = {{0.25f, 0.25f, true},  {0.5f, 0.5f, false},      {1.25f, 0.25f, false},
                        {1.75f, 1.0f / 12, false}};
  for (const Step &s : steps) {
    ASSERT_EQ(system.TickUpdate(s.t, 0), 1) << s.t;
    EXPECT_NEAR(p.alpha, s.alpha, 1e-5) << s.t;
    EXPECT_NEAR(p.a, s.alpha, 1e-5) << s.t;
    EXPECT_EQ(p.fading_in != 0, s.fading_in) << s.t;
  }
  EXPECT_EQ(system.TickUpdate(2.0f, 0), 0) << "dead at age 2";
}

TEST_F(EngParticlesTest, RingAndDiscSpreadsPlaceParticlesAroundTheEmitter) {
  struct Case {
    EngUInt8 mode;
    float low, high;
  };
  const Case cases[] = {{2, 5.0f, 5.0f}, {1, 0.0f, 5.0f}};
  for (const Case &c : cases) {
    SCOPED_TRACE((int)c.mode);
    parms.burst_count = 30;
    parms.spread_mode = c.mode;
    parms.spread_min = 0.0f;
    parms.spread_max = 10.0f;
    parms.spread_factor = 2.0f;
    parms.emitter_x = 3.0f;
    parms.emitter_y = 4.0f;
    EngParticles system;
    ASSERT_EQ(system.Create(30, &parms, 0), 1);
    ASSERT_EQ(system.TickUpdate(0.5f, 1), 1);
    for (int i = 0; i < 30; i++) {
      const _EngParticle &p = system.GetParticles()[i];
      float distance = std::hypot(p.x - 3.0f, p.y - 4.0f);
      EXPECT_GE(distance, c.low - 1e-4f);
      EXPECT_LE(distance, c.high + 1e-4f);
      EXPECT_EQ(p.z, 0.0f);
    }
  }
}

TEST_F(EngParticlesTest, SpreadEntriesPlaceParticlesOnTheirScaledPointsOrAreReportedThreeTimes) {
  _IVector2d points[2] = {{100, 50}, {110, 70}};
  _IVector2d *array = points;
  EngParticles_SetParmsSpreadEntries(&parms, 2, &array);
  EXPECT_EQ(parms.spread_num_entries, 2u);
  EXPECT_EQ(parms.spread_min_x, 100);
  EXPECT_EQ(parms.spread_extent_x, 10);
  EXPECT_EQ(parms.spread_min_y, 50);
  EXPECT_EQ(parms.spread_extent_y, 20);
  parms.burst_count = 20;
  parms.spread_mode = 8;
  parms.spread_min = 0.0f;
  parms.spread_max = 8.0f;
  parms.spread_factor = 2.0f;
  EngParticles system;
  ASSERT_EQ(system.Create(20, &parms, 0), 1);
  ASSERT_EQ(system.TickUpdate(0.5f, 1), 1);
  for (int i = 0; i < 20; i++) {
    const _EngParticle &p = system.GetParticles()[i];
    EXPECT_TRUE((p.x == 0.0f && p.y == 0.0f) || (p.x == 4.0f && p.y == 4.0f)) << p.x << "," << p.y;
  }

  EngParticles_SetParmsSpreadEntries(&parms, 1, &array);
  ASSERT_EQ(system.Create(20, &parms, 1), 1);
  std::string log = Logged([&] { system.TickUpdate(0.5f, 1); });
  EXPECT_EQ(Count(log, "No spread entries"), 3u);
  EXPECT_EQ(Live(system), 20) << "particles are still made, without the spread";
  ASSERT_EQ(system.Create(20, &parms, 1), 1);
  log = Logged([&] { system.TickUpdate(0.5f, 1); });
  EXPECT_EQ(Count(log, "No spread entries"), 0u);

  for (unsigned int count : {0u, 2u}) {
    EngParticles_SetParmsSpreadEntries(&parms, count, count ? nullptr : &array);
    EXPECT_EQ(parms.spread_num_entries, 0u);
    EXPECT_EQ(parms.spread_entries, nullptr);
  }
  EngParticles_SetParmsSpreadEntries(nullptr, 2, &array);
}

TEST_F(EngParticlesTest, ParticlesOfOneTickAreSpreadAlongTheEmittersPath) {
  parms.burst_count = 1;
  parms.count_per_emission = 20;
  EngParticles system;
  ASSERT_EQ(system.Create(60, &parms, 0), 1);
  ASSERT_EQ(system.TickUpdate(0.5f, 1), 1);
  ASSERT_EQ(system.TickUpdate(0.5f, 0), 1);
  int before = Live(system);
  system.GetParms()->emitter_x = 10.0f;
  ASSERT_EQ(system.TickUpdate(1.0f, 0), 1);
  ASSERT_EQ(Live(system) - before, 20);
  int short_of_the_end = 0;
  for (int i = before; i < 60; i++) {
    const _EngParticle &p = system.GetParticles()[i];
    if (p.age < 0.0f) continue;
    EXPECT_GE(p.x, 0.0f);
    EXPECT_LE(p.x, 10.0f);
    if (p.x < 9.0f) short_of_the_end++;
  }
  EXPECT_GT(short_of_the_end, 1);
}

TEST_F(EngParticlesTest, OscillationAnglesAdvanceAndWrapAndOffsetNewParticles) {
  parms.burst_count = 1;
  parms.osc_type_x = 1;
  parms.osc_speed_x[0] = 4.0f;
  parms.osc_amplitude_x[0] = 2.0f;
  parms.osc_type_z = 0;
  parms.osc_speed_z[0] = 4.0f;
  EngParticles system;
  ASSERT_EQ(system.Create(2, &parms, 0), 1);
  EXPECT_EQ(system.GetParms()->osc_active, 1);
  ASSERT_EQ(system.TickUpdate(0.5f, 1), 1);
  EXPECT_FLOAT_EQ(system.GetParms()->osc_angle_x, 2.0f);
  EXPECT_EQ(system.GetParms()->osc_angle_z, 0.0f);
  EXPECT_NEAR(system.GetParticles()[0].x, 2.0f * sinf(2.0f), 1e-5);
  ASSERT_EQ(system.TickUpdate(1.5f, 1), 1);  // 2 + 6 wraps once to 8 - 2 pi
  EXPECT_NEAR(system.GetParms()->osc_angle_x, 8.0f - 6.2831853f, 1e-5);
}
}  // namespace
