// The wave generator: species, count, boss waves, speed, size, queue spacing, and the hit
// points, cash and score of the wave's bug type.
#include <cmath>
#include <cstdlib>

#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMath.h"
#include "Engine/EngMiscRandom.h"
#include "game/Bugs.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Traverse.h"

// Single-precision constants of the balance formulas, widened to double as the tables were
// tuned with them.
static const double kSizeFactor = double(0.05f), kSizeBase = double(0.07f);
static const double kHpShare52 = double(1.4f), kHpShareCount = double(0.6f);
static const double kLateExponent = double(2.15f);

// One formula for hit points and cash, from its total T.
double BugsGetWaveValue(double total, int count, double speed, double size_factor) {
  if (count < 1) count = 1;
  double h = (total / 52.0 * kHpShare52 + total / double(count) * kHpShareCount) * 0.5;
  h = h - h * 0.95 * (speed - 30.0) / 30.0;
  if (size_factor >= 0.0 && size_factor <= 0.5) h = h + (0.5 - size_factor) * h * 25.0 / 100.0;
  return h < 1.0 ? 1.0 : h;
}

double BugsGetSizeFactor(int count, char boss) {
  double f = 1.0 + double(count - 4) / -96.0;
  return boss ? f : f * 0.5;
}

char BugsInitForNewLevel(char restoring) {
  for (Bug *&b : bugs) {
    delete b;
    b = nullptr;
  }
  num_bugs = 0;
  if (restoring) return 1;
  // Without a checked path there is nothing to walk on, so no wave.
  if (!TraverseIsLoaded()) return 1;

  bug_species = rand() % BUGS_NUM_SPECIES;
  const EngInt32 wave = bug_level_num;
  int count;
  char boss = 0;
  if (wave <= 4) {
    count = EngMiscRandRangeInt(8, 25);
  } else if (wave <= 9) {
    count = EngMiscRandRangeInt(8, 50);
  } else {
    boss = (wave - last_boss_level > 9 || EngMiscRand1InN(10)) ? 1 : 0;
    if (boss) {
      count = rand() % 3 + 1;
      last_boss_level = wave;
    } else {
      count = EngMiscRandRangeInt(8, 100);
    }
  }

  float speed;
  if (wave <= 4)
    speed = EngMiscRandRangeFloat(52.0f, 60.0f);
  else if (wave <= 9 || count >= 52)
    speed = EngMiscRandRangeFloat(45.0f, 60.0f);
  else
    speed = EngMiscRandRangeFloat(30.0f, 60.0f);

  const double f = BugsGetSizeFactor(count, boss);
  BugsSetBugSize(float(kSizeFactor * f + kSizeBase) * level_bug_size_mult);

  float r = count < 52 ? EngMiscRandRangeFloat(0.8f, 2.5f) : EngMiscRandRangeFloat(0.8f, 1.5f);
  if (!(traverse_info.spacing_divisor > 0.0f)) traverse_info.spacing_divisor = 1.0f;
  bugs_line_pos_dist = r * bug_size / traverse_info.spacing_divisor;

  const double w = double(float(wave));
  const double exponent = wave < 40 ? 2.0 : kLateExponent;
  const double hp_total = std::pow(w, exponent) * 500.0 * double(level_overall_bug_hp_mult) + 800.0;
  const double cash_total = w * w * 500.0 + 800.0;
  bug_type.hp = BugsGetWaveValue(hp_total, count, speed, f);
  bug_type.speed = speed;
  double h2 = BugsGetWaveValue(cash_total, count, speed, f);
  double cash = double(float(EngMathRoundDouble(std::pow(h2, 0.58) * 3.0)) * level_bug_cash_mult);
  if (boss) cash *= count == 1 ? 9.0 : count == 2 ? 6.0 : 3.0;
  if (cash < 1.0) cash = 1.0;
  bug_type.cash = cash;
  bug_type.score = EngMathRoundDouble(cash * double(speed) / 30.0 * 0.1 * double(level_overall_bug_hp_mult));

  // The species changed, so its pictures do too.
  if (eng_main_device) {
    BugsDestroyGraphics();
    BugsCreateGraphics();
  }
  num_bugs = count;
  for (int i = 0; i < count; i++) bugs[i] = new Bug(i, 0);
  return 1;
}
