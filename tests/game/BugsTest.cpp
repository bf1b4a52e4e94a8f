// Bugs: the wave generator against the formulas worked by hand, walking a straight road with
// its lives, sounds and wave end, targeting, damage and slowing.
#include "game/Bugs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "Engine/EngMain.h"
#include "Engine/EngMath.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Traverse.h"
#include "tests/game/PathFixtures.h"
#include "tests/game/PlayFieldRequests.h"
#include "tests/game/PlayFieldTestSupport.h"

namespace {

class BugsTest : public qwtest::PlayFieldTest {
 protected:
  // A straight road across the field, left to right, in `steps` steps of 0.0005, for garden
  // 0 (on screen from step 150 to 100 steps before the end).
  void StartGame(int steps = 4800, float y = 0.0f) {
    float half = float(steps) * 0.0005f * 0.5f;
    WritePath(0, -half, y, half, y, steps);
    level_garden = 0;
    testing::internal::CaptureStderr();
    ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
    testing::internal::GetCapturedStderr();
  }
  void Generate(int wave) {
    bug_level_num = wave;
    ASSERT_EQ(BugsInitForNewLevel(0), 1);
  }
  static int Count() {
    int n = 0;
    for (Bug *b : bugs) n += b ? 1 : 0;
    return n;
  }
};

// The formulas as written out for the wave's count and speed.
struct Expected {
  double hp, cash;
  int score;
};

Expected ByHand(int wave, int count, double speed, bool boss) {
  double f = 1.0 + (count - 4) / -96.0;
  if (!boss) f *= 0.5;
  auto value = [&](double t) {
    double h = (t / 52 * 1.399999976158142 + t / count * 0.6000000238418579) * 0.5;
    h -= h * 0.95 * (speed - 30) / 30;
    if (f >= 0 && f <= 0.5) h += (0.5 - f) * h * 0.25;
    return std::max(1.0, h);
  };
  double w = wave, e = wave < 40 ? 2.0 : 2.1500000953674316;
  double hp_mult = double(1.05f);
  Expected x;
  x.hp = value(std::pow(w, e) * 500 * hp_mult + 800);
  x.cash = double(float(EngMathRoundDouble(std::pow(value(w * w * 500 + 800), 0.58) * 3)) * 0.82f);
  if (boss) x.cash *= count == 1 ? 9 : count == 2 ? 6 : 3;
  if (x.cash < 1) x.cash = 1;
  x.score = EngMathRoundDouble(x.cash * speed / 30 * 0.1 * hp_mult);
  return x;
}

TEST_F(BugsTest, GeneratorFollowsTheFormulas) {
  StartGame();
  level_difficulty = 1;
  struct Case {
    int wave, lo, hi;
    float slo, shi;
  } cases[] = {
      {0, 8, 24, 52, 60}, {9, 8, 49, 45, 60}, {10, 1, 3, 30, 60}, {39, 1, 99, 30, 60}, {40, 1, 99, 30, 60},
      {49, 1, 99, 30, 60},
  };
  for (unsigned seed = 1; seed <= 20; seed++)
    for (const Case &c : cases) {
      SCOPED_TRACE(testing::Message() << "seed " << seed << " wave " << c.wave);
      srand(seed);
      last_boss_level = 0;
      bug_level_num = c.wave;
      LevelsInitForNewLevel(0);
      Generate(c.wave);
      int count = num_bugs;
      double speed = bug_type.speed;
      ASSERT_GE(count, c.lo);
      ASSERT_LE(count, c.hi);
      ASSERT_EQ(Count(), count);
      EXPECT_GE(speed, c.slo);
      EXPECT_LT(speed, c.shi);
      if (count >= 52) {
        EXPECT_GE(speed, 45.0);
      }
      EXPECT_GE(bug_species, 0);
      EXPECT_LT(bug_species, 11);
      bool boss = c.wave >= 10 && count <= 3;
      // Wave 10 is more than 9 waves after the last boss (none yet); no boss before it.
      EXPECT_EQ(boss, c.wave == 10 || (c.wave > 10 && count <= 3));
      if (c.wave < 10) {
        EXPECT_FALSE(boss);
      }
      Expected x = ByHand(c.wave, count, speed, boss);
      EXPECT_DOUBLE_EQ(bug_type.hp, x.hp);
      EXPECT_DOUBLE_EQ(bug_type.cash, x.cash);
      EXPECT_EQ(bug_type.score, x.score);
      EXPECT_EQ(bugs[0]->hp, x.hp);
      EXPECT_FLOAT_EQ(bug_size, float(0.05 * BugsGetSizeFactor(count, boss) + double(0.07f)));
      // Queued one spacing apart, the last one spacing before the road.
      EXPECT_FLOAT_EQ(bugs[count - 1]->path_pos, -bugs_line_pos_dist);
      EXPECT_FLOAT_EQ(bugs[0]->path_pos, -float(count) * bugs_line_pos_dist);
    }
}

TEST_F(BugsTest, SameSeedSameWaves) {
  StartGame();
  std::vector<double> first, second;
  for (std::vector<double> *run : {&first, &second}) {
    srand(77);
    last_boss_level = 0;
    for (int w = 0; w < 50; w++) {
      Generate(w);
      run->insert(run->end(), {double(num_bugs), bug_type.speed, bug_type.hp, double(bug_species)});
    }
  }
  EXPECT_EQ(first, second);
}

TEST_F(BugsTest, BossWavesComeAtLeastEveryTenWaves) {
  StartGame();
  for (unsigned seed = 1; seed <= 30; seed++) {
    srand(seed);
    last_boss_level = 0;
    int last = 0;
    for (int w = 10; w < 50; w++) {
      Generate(w);
      if (num_bugs <= 3) {
        EXPECT_EQ(last_boss_level, w);
        last = w;
      }
      ASSERT_LE(w - last, 9) << "seed " << seed << " wave " << w;
    }
  }
}

TEST_F(BugsTest, OneBugBossPaysNineTimesAndBigWavesGetTheFullBonus) {
  StartGame();
  bool seen = false;
  for (unsigned seed = 1; seed < 200 && !seen; seed++) {
    srand(seed);
    last_boss_level = 0;
    Generate(10);
    if (num_bugs != 1) continue;
    seen = true;
    double speed = bug_type.speed;
    double h = BugsGetWaveValue(10.0 * 10.0 * 500 + 800, 1, speed, BugsGetSizeFactor(1, 1));
    EXPECT_DOUBLE_EQ(bug_type.cash, 9.0 * double(float(EngMathRoundDouble(std::pow(h, 0.58) * 3)) * 0.82f));
  }
  EXPECT_TRUE(seen);
  // 100 bugs: size factor 0, 12.5 % more hit points than without the bonus; a boss none.
  EXPECT_DOUBLE_EQ(BugsGetSizeFactor(100, 0), 0.0);
  double t = 50000.0, plain = (t / 52 * double(1.4f) + t / 100 * double(0.6f)) * 0.5;
  plain -= plain * 0.95 * (45.0 - 30) / 30;
  EXPECT_DOUBLE_EQ(BugsGetWaveValue(t, 100, 45.0, 0.0), plain * 1.125);
  EXPECT_GT(BugsGetSizeFactor(1, 1), 1.0);
  EXPECT_DOUBLE_EQ(BugsGetWaveValue(t, 1, 45.0, BugsGetSizeFactor(1, 1)),
                   ((t / 52 * double(1.4f) + t * double(0.6f)) * 0.5) * (1 - 0.95 * 15 / 30));
  EXPECT_EQ(BugsGetWaveValue(1.0, 50, 59.9, 0.3), 1.0);  // never below 1
}

TEST_F(BugsTest, NoPathNoWaveAndRestoringOnlyEmpties) {
  ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);  // no garden
  EXPECT_EQ(num_bugs, 0);
  EXPECT_EQ(bug_species, -1);
  BugsTick();
  StartGame();
  EXPECT_GT(num_bugs, 0);
  ASSERT_EQ(BugsInitForNewLevel(1), 1);
  EXPECT_EQ(num_bugs, 0);
  EXPECT_EQ(Count(), 0);
}

TEST_F(BugsTest, WalkingTheRoadCostsOneLifeEachAndEndsTheWave) {
  StartGame(1200);
  srand(5);
  Generate(0);
  const int count = num_bugs;
  lives = 100;
  QuarrelwickChangeCash(-500);
  game_paused = 0;
  game_per_second = 0.05f;
  std::vector<int> states;
  Bug *first = bugs[0];
  int ticks = 0;
  while (Count() > 0 && ticks < 10000) {
    if (bugs[0] == first && (states.empty() || states.back() != first->state)) states.push_back(first->state);
    if (bugs[0] == first) {
      // Facing along the road (travel right: the path angle is pi).
      EXPECT_FLOAT_EQ(first->heading, -traverse_info.angles[0]);
      EXPECT_EQ(first->on_path, first->state >= 2 ? 1 : 0);
    }
    BugsTick();
    ticks++;
  }
  EXPECT_EQ(states, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(lives, 100 - count);
  EXPECT_EQ(int(std::count(qwtest::sounds_played.begin(), qwtest::sounds_played.end(), 23)), count);
  EXPECT_EQ(cash, 0);
  // The tick that removed the last bug cleared the flag; the next finds none; the one after
  // ends the wave.
  BugsTick();
  EXPECT_EQ(bug_level_num, 0);
  BugsTick();
  EXPECT_EQ(bug_level_num, 1);
  EXPECT_EQ(cash, 100);  // (0 + 1) x 50 + 50
  EXPECT_EQ(qwtest::sounds_played.back(), 24);
  EXPECT_GT(num_bugs, 0);
  EXPECT_STREQ(LevelsGetBannerText(), "LEVEL  2");
}

TEST_F(BugsTest, PausedOrWonNothingMoves) {
  StartGame(1200);
  Generate(0);
  float before = bugs[0]->path_pos;
  game_paused = 2;
  BugsTick();
  game_paused = 1;
  BugsTick();
  game_paused = 0;
  game_won = 1;
  BugsTick();
  EXPECT_EQ(bugs[0]->path_pos, before);
}

TEST_F(BugsTest, LastWaveClearedWinsTheGarden) {
  StartGame(1200);
  Generate(49);
  game_paused = 0;
  for (Bug *b : bugs)
    if (b) b->ReduceHP(1e12);
  for (int i = 0; i < 3; i++) BugsTick();
  EXPECT_EQ(game_won, 1);
  EXPECT_EQ(bug_level_num, 49);
  EXPECT_EQ(std::count(qwtest::sounds_played.begin(), qwtest::sounds_played.end(), 24), 0);
}

TEST_F(BugsTest, NewGameDoesNotInheritTheWaveEndFlag) {
  StartGame(1200);
  Generate(0);
  game_paused = 0;
  BugsTick();  // bugs ticked: the flag is clear
  ASSERT_EQ(QuarrelwickInitForNewGame(1), 1);  // a restored game: no bugs yet
  ASSERT_EQ(num_bugs, 0);
  game_paused = 0;
  BugsTick();  // a fresh flag: the empty wave ends at once
  EXPECT_EQ(bug_level_num, 1);
}

TEST_F(BugsTest, DamageKillsAtZeroAndPaysTheWave) {
  StartGame(1200);
  Generate(3);
  bug_type.cash = 7.9;
  bug_type.score = 5;
  Bug *b = bugs[0];
  b->hp = 10.0;
  const int cash0 = cash, added0 = score_added;
  b->ReduceHP(4.0);
  EXPECT_EQ(b->alive, 1);
  EXPECT_TRUE(qwtest::sounds_played.empty());
  b->ReduceHP(6.0);  // exactly 0
  EXPECT_EQ(b->alive, 0);
  EXPECT_EQ(b->hp, 0.0);
  EXPECT_EQ(qwtest::sounds_played, std::vector<int>{22});
  EXPECT_EQ(cash, cash0 + 7);  // truncated
  EXPECT_EQ(score_added, added0 + 5);
  b->ReduceHP(5.0);  // dead: nothing more
  EXPECT_EQ(cash, cash0 + 7);

  // A bug at 0 hit points that is hit dies without the kill sound.
  Bug *c = bugs[1];
  c->hp = 0.0;
  c->ReduceHP(1.0);
  EXPECT_EQ(c->alive, 0);
  EXPECT_EQ(qwtest::sounds_played.size(), 1u);
  EXPECT_EQ(cash, cash0 + 14);

  // During game over kills pay nothing.
  game_over = 1;
  bugs[2]->ReduceHP(1e9);
  EXPECT_EQ(cash, cash0 + 14);

  Bug *d = bugs[3];
  d->speed = 30.0;
  d->ReduceSpeed(1000.0);
  EXPECT_EQ(d->speed, 20.0);
  d->ReduceSpeed(1500.0);
  EXPECT_EQ(d->speed, 10.0);
  d->ReduceSpeed(1.0);
  EXPECT_EQ(d->speed, 10.0);
}

TEST_F(BugsTest, PredictionStaysOnTheRoad) {
  StartGame(1200);
  Generate(0);
  Bug *queued = bugs[0];
  ASSERT_LT(queued->path_pos, 0.0f);
  game_per_second = 0.01f;
  EXPECT_EQ(queued->GetScreenXAhead(1.0f), traverse_info.points[0].x);
  EXPECT_EQ(queued->GetScreenYAhead(1.0f), traverse_info.points[0].y);
  queued->path_pos = 600.0f;
  queued->CalcState();
  float ahead = float(queued->speed) * 4.0f * 0.01f * 10.0f;
  EXPECT_EQ(queued->GetScreenXAhead(10.0f), traverse_info.points[int(600.0f + ahead)].x);
  queued->path_pos = 1199.5f;
  queued->CalcState();
  EXPECT_EQ(queued->GetScreenXAhead(100.0f), queued->GetScreenX());  // beyond the end: where it is
  _Vector2d p;
  queued->GetScreenPos(&p);
  EXPECT_EQ(p.x, traverse_info.points[1199].x);
  queued->GetScreenPos(nullptr);
}

TEST_F(BugsTest, TargetingModes) {
  StartGame(4800);
  Generate(0);
  BugsSetBugSize(0.05f);
  // Five bugs on the road at chosen steps and hit points; slot 3 is not on screen yet.
  struct Placed {
    float pos;
    double hp;
  } placed[] = {{1000, 50}, {2000, 80}, {1500, 80}, {100, 500}, {2000, 20}};
  for (int i = 0; i < 5; i++) {
    bugs[i]->path_pos = placed[i].pos;
    bugs[i]->hp = placed[i].hp;
    bugs[i]->CalcState();
  }
  for (int i = 5; i < BUGS_MAX; i++) {
    delete bugs[i];
    bugs[i] = nullptr;
  }
  ASSERT_EQ(bugs[3]->on_screen, 0);
  ASSERT_EQ(bugs[1]->on_screen, 1);
  // From the road's start, everything in range.
  const float x = traverse_info.points[1000].x, y = 0.0f;
  struct Case {
    int mode;
    const char *name;
    int slot;
  } cases[] = {
      {0, "Front", 1},  // steps 2000 in slots 1 and 4: the lower slot wins
      {1, "Back", 0},   // slot 3 lies further back but is not on screen
      {2, "Strong", 1}, // 80 in slots 1 and 2
      {3, "Weak", 4},
      {4, "Near", 0},
      {5, "none", -1},
      {-1, "none", -1},
  };
  for (const Case &c : cases) EXPECT_EQ(BugsGetTargetBugWithinRange(x, y, 10.0f, c.mode), c.slot) << c.name;
  // Range: |P - W|^2 - size must not exceed range^2. Slot 2 is 0.25 away (0.0625 squared).
  const float r_in = std::sqrt(0.0625f - 0.05f) + 0.001f, r_out = std::sqrt(0.0625f - 0.05f) - 0.001f;
  EXPECT_EQ(BugsGetTargetBugWithinRange(traverse_info.points[2000].x, 0.0f, r_in, 1), 2);
  EXPECT_EQ(BugsGetTargetBugWithinRange(traverse_info.points[2000].x, 0.0f, r_out, 1), 1);
  num_bugs = 0;
  EXPECT_EQ(BugsGetTargetBugWithinRange(x, y, 10.0f, 0), -1);
}

TEST_F(BugsTest, GameOverBugsWanderInAndDieOutside) {
  StartGame(1200);
  BugsInitForNewLevel(1);
  num_bugs = 1;
  bug_type.speed = 50.0;
  bugs[0] = new Bug(0, 1);
  Bug *b = bugs[0];
  game_per_second = 0.1f;
  b->Tick();
  // It starts 1.5 out, heading in.
  EXPECT_NEAR(std::hypot(b->wander_x, b->wander_y), 1.5f, 0.02f);
  float start = std::hypot(b->wander_x, b->wander_y);
  for (int i = 0; i < 20; i++) {
    eng_main_current_time = eng_main_current_time + 0.1;
    b->Tick();
  }
  EXPECT_LT(std::hypot(b->wander_x, b->wander_y), start);
  int ticks = 0;
  while (b->alive && ticks++ < 100000) {
    eng_main_current_time = eng_main_current_time + 0.1;
    b->Tick();
  }
  EXPECT_EQ(b->alive, 0);
  EXPECT_TRUE(std::fabs(b->wander_x) > 2.0f || std::fabs(b->wander_y) > 2.0f);
}

}  // namespace
