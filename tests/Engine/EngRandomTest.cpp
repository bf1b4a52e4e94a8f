#include "Engine/EngRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <set>
#include <vector>

#include "tests/support/TestSupport.h"

namespace {

// The reference generator's array initialisation, used only to reach a second published
// known-answer sequence through the same twist and tempering.
void InitByArray(const std::vector<EngUInt32> &init, rk_state *s) {
  const int n = RK_STATE_LEN;
  rk_seed(19650218UL, s);
  int i = 1;
  size_t j = 0;
  for (size_t k = std::max<size_t>(n, init.size()); k; k--) {
    s->key[i] = (s->key[i] ^ ((s->key[i - 1] ^ (s->key[i - 1] >> 30)) * 1664525U)) + init[j] + EngUInt32(j);
    i++;
    j++;
    if (i >= n) {
      s->key[0] = s->key[n - 1];
      i = 1;
    }
    if (j >= init.size()) j = 0;
  }
  for (int k = n - 1; k; k--) {
    s->key[i] = (s->key[i] ^ ((s->key[i - 1] ^ (s->key[i - 1] >> 30)) * 1566083941U)) - EngUInt32(i);
    i++;
    if (i >= n) {
      s->key[0] = s->key[n - 1];
      i = 1;
    }
  }
  s->key[0] = 0x80000000U;
  s->pos = n;
}

class EngRandomTest : public ::testing::Test {
 protected:
  void SetUp() override { EngRandomResetForTests(); }
  void TearDown() override { EngRandomResetForTests(); }
};

TEST_F(EngRandomTest, SeedGivesTheReferenceSequence) {
  rk_state s;
  rk_seed(5489, &s);
  EXPECT_EQ(rk_random(&s), 3499211612UL);
  // The standard library's MT19937 is the same generator: compare well past several twists.
  for (unsigned long seed : {0UL, 1UL, 5489UL, 0xffffffffUL}) {
    rk_seed(seed, &s);
    std::mt19937 oracle{EngUInt32(seed)};
    for (int i = 0; i < 2000; i++) ASSERT_EQ(rk_random(&s), oracle()) << "seed " << seed << " draw " << i;
  }
  rk_seed(5489, &s);
  unsigned long value = 0;
  for (int i = 0; i < 10000; i++) value = rk_random(&s);
  EXPECT_EQ(value, 4123659995UL);
}

TEST_F(EngRandomTest, ArrayInitialisationGivesThePublishedOutputs) {
  rk_state s;
  InitByArray({0x123, 0x234, 0x345, 0x456}, &s);
  const unsigned long expected[] = {1067595299UL, 955945823UL, 477289528UL, 4107218783UL, 4228976476UL};
  for (unsigned long e : expected) EXPECT_EQ(rk_random(&s), e);
}

TEST_F(EngRandomTest, EngineStateDrawsZeroUntilSeededThenFollowsTheSeed) {
  for (int i = 0; i < 700; i++) ASSERT_EQ(EngRandom(), 0U);
  EngRandomInitWithSeed(5489);
  EXPECT_EQ(EngRandom(), 3499211612U);
}

TEST_F(EngRandomTest, DerivedDrawsFollowTheirFormulas) {
  rk_state s;
  rk_seed(42, &s);
  std::mt19937 oracle(42);

  EXPECT_EQ(rk_ulong(&s), oracle());
  EXPECT_EQ(rk_long(&s), long(oracle() >> 1));

  unsigned long a = oracle() >> 5, b = oracle() >> 6;
  EXPECT_EQ(rk_double(&s), (double(a) * 67108864.0 + double(b)) / 9007199254740992.0);

  unsigned char bytes[7];
  rk_fill(bytes, sizeof(bytes), &s);
  EngUInt32 w1 = oracle(), w2 = oracle();
  const unsigned char expected[7] = {(unsigned char)w1,         (unsigned char)(w1 >> 8), (unsigned char)(w1 >> 16),
                                     (unsigned char)(w1 >> 24), (unsigned char)w2,        (unsigned char)(w2 >> 8),
                                     (unsigned char)(w2 >> 16)};
  EXPECT_EQ(memcmp(bytes, expected, sizeof(bytes)), 0);
  EXPECT_EQ(rk_random(&s), oracle());

  for (int i = 0; i < 1000; i++) {
    double d = rk_double(&s);
    ASSERT_GE(d, 0.0);
    ASSERT_LT(d, 1.0);
  }
}

TEST_F(EngRandomTest, IntervalMasksAndRejects) {
  rk_state s;
  rk_seed(7, &s);
  std::mt19937 oracle(7);
  EXPECT_EQ(rk_interval(0, &s), 0UL);
  EXPECT_EQ(s.pos, RK_STATE_LEN);  // nothing drawn

  std::set<unsigned long> seen;
  for (int i = 0; i < 2000; i++) {
    unsigned long expected;
    while ((expected = (oracle() & 7U)) > 5) {
    }
    unsigned long value = rk_interval(5, &s);
    ASSERT_EQ(value, expected);
    seen.insert(value);
  }
  EXPECT_EQ(seen, (std::set<unsigned long>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(rk_interval(0xffffffffUL, &s), (unsigned long)oracle());
}

TEST_F(EngRandomTest, GaussSavesTheSecondDeviateOfAPair) {
  rk_state s, copy;
  rk_seed(99, &s);
  copy = s;
  double x1, x2, r2;
  do {
    x1 = 2.0 * rk_double(&copy) - 1.0;
    x2 = 2.0 * rk_double(&copy) - 1.0;
    r2 = x1 * x1 + x2 * x2;
  } while (r2 >= 1.0 || r2 == 0.0);
  double f = sqrt(-2.0 * log(r2) / r2);

  EXPECT_DOUBLE_EQ(rk_gauss(&s), x2 * f);
  EXPECT_EQ(s.has_gauss, 1);
  int pos_after_first = s.pos;
  EXPECT_DOUBLE_EQ(rk_gauss(&s), x1 * f);
  EXPECT_EQ(s.pos, pos_after_first);
  EXPECT_EQ(s.has_gauss, 0);

  double sum = 0, sum_sq = 0;
  const int n = 20000;
  for (int i = 0; i < n; i++) {
    double g = rk_gauss(&s);
    sum += g;
    sum_sq += g * g;
  }
  EXPECT_NEAR(sum / n, 0.0, 0.05);
  EXPECT_NEAR(sum_sq / n, 1.0, 0.05);
}

TEST_F(EngRandomTest, SeedingFromTheDevice) {
  qwtest::TempDir dir;
  std::string zeros = dir.File("zeros");
  std::string short_file = dir.File("short");
  qwtest::WriteWholeFile(zeros, std::string(RK_STATE_LEN * 4, '\0'));
  qwtest::WriteWholeFile(short_file, std::string(10, 'x'));

  rk_state s;
  rk_set_device_paths_for_tests(nullptr, zeros.c_str());
  EXPECT_EQ(rk_randomseed(&s), RK_NOERR);
  EXPECT_EQ(s.key[0], 0x80000000U);  // never the all-zero state
  EXPECT_EQ(s.pos, RK_STATE_LEN);

  std::string missing = dir.File("missing");
  rk_set_device_paths_for_tests(nullptr, missing.c_str());
  EXPECT_EQ(rk_randomseed(&s), RK_ENODEV);
  EXPECT_STREQ(rk_strerror[RK_ENODEV], "random device unvavailable");
  int non_zero = 0;
  for (int i = 0; i < 100; i++) non_zero += rk_random(&s) != 0;
  EXPECT_GT(non_zero, 90);

  unsigned char buffer[16];
  rk_set_device_paths_for_tests(short_file.c_str(), short_file.c_str());
  EXPECT_EQ(rk_devfill(buffer, sizeof(buffer), 1), RK_ENODEV);
  EXPECT_EQ(rk_devfill(buffer, 10, 0), RK_NOERR);

  rk_seed(3, &s);
  std::mt19937 oracle(3);
  EXPECT_EQ(rk_altfill(buffer, 4, 1, &s), RK_NOERR);  // from the device: no draw
  EXPECT_EQ(memcmp(buffer, "xxxx", 4), 0);
  EXPECT_EQ(rk_altfill(buffer, sizeof(buffer), 0, &s), RK_ENODEV);
  EngUInt32 first = oracle();
  EXPECT_EQ(buffer[0], (unsigned char)first);
  EXPECT_EQ(buffer[3], (unsigned char)(first >> 24));

  rk_set_device_paths_for_tests(nullptr, nullptr);
  EXPECT_EQ(EngRandomInit(), RK_NOERR);  // the real /dev/urandom
}

TEST_F(EngRandomTest, ChanceAndSignFollowTheOutputs) {
  EXPECT_EQ(EngRandomChance(0), 0);
  EXPECT_EQ(EngRandomChance(-3), 0);
  EXPECT_EQ(EngRandom(), 0U);  // nothing was drawn, and the unseeded state is still at 0

  EngRandomInitWithSeed(11);
  std::mt19937 oracle(11);
  for (int i = 0; i < 200; i++) {
    char chance = EngRandomChance(1);
    ASSERT_EQ(chance, (oracle() & 1U) ? 1 : 0);
    int sign = EngRandomSign();
    ASSERT_EQ(sign, (oracle() & 1U) ? 1 : -1);
    char three = EngRandomChance(3);
    ASSERT_EQ(three, (oracle() % 4U) ? 1 : 0);
  }
}

TEST_F(EngRandomTest, FloatResolutionFollowsTheMagnitude) {
  struct Case {
    float max;
    float resolution;
    float largest;
  };
  const Case cases[] = {
      {0.00005f, 0.000001f, 0.000049f}, {0.05f, 0.00001f, 0.04999f}, {0.5f, 0.0001f, 0.4999f},
      {5.0f, 0.001f, 4.999f},           {50.0f, 0.01f, 49.99f},      {250.0f, 1.0f, 249.0f},
      {-250.0f, 1.0f, 249.0f},
  };
  EngRandomInitWithSeed(2024);
  for (const Case &c : cases) {
    float seen_max = 0.0f;
    for (int i = 0; i < 60000; i++) {
      float v = EngRandomFloat(c.max, 0);
      ASSERT_GE(v, 0.0f) << c.max;
      ASSERT_LT(v, fabsf(c.max)) << c.max;
      double steps = double(v) / double(c.resolution);
      ASSERT_NEAR(steps, std::round(steps), 1e-2) << c.max << " gave " << v;
      seen_max = std::max(seen_max, v);
    }
    EXPECT_NEAR(seen_max, c.largest, c.resolution * 0.01f) << c.max;
  }
}

TEST_F(EngRandomTest, FloatEdgesAndSigns) {
  EngRandomInitWithSeed(5);
  std::mt19937 oracle(5);
  EXPECT_EQ(EngRandomFloat(0.0000001f, 0), 0.0f);  // no step fits: nothing drawn
  EXPECT_EQ(EngRandomFloat(0.0f, 1), 0.0f);
  EXPECT_EQ(EngRandomRangeFloat(3.0f, 3.0f, 0), 3.0f);
  EXPECT_EQ(EngRandom(), oracle());

  int negatives = 0;
  for (int i = 0; i < 400; i++) {
    EngUInt32 value = oracle(), sign = oracle();
    float v = EngRandomFloat(250.0f, 1);
    ASSERT_EQ(v, (sign & 1U) ? float(value % 250U) : -float(value % 250U));
    negatives += v < 0;
  }
  EXPECT_GT(negatives, 100);

  for (int i = 0; i < 400; i++) {
    EngUInt32 value = oracle(), sign = oracle();
    float expected = 100.0f + float(value % 300U);
    float v = EngRandomRangeFloat(100.0f, 400.0f, 1);
    ASSERT_EQ(v, (sign & 1U) ? -expected : expected);
    EngUInt32 degenerate_sign = oracle();
    ASSERT_EQ(EngRandomRangeFloat(7.0f, 2.0f, 1), (degenerate_sign & 1U) ? 7.0f : -7.0f);
  }
}

}  // namespace
