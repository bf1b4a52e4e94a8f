// Weapon types, placement on the grid, selling and factory levels, on a grid the test builds.
#include "game/Weapons.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "tests/game/PlayFieldRequests.h"
#include "tests/game/PlayFieldTestSupport.h"

namespace {

class WeaponsTest : public qwtest::PlayFieldTest {
 protected:
  void SetUp() override {
    qwtest::PlayFieldTest::SetUp();
    ASSERT_EQ(WeaponsPre3dInit(), 1);
    ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
  }
  static int Cell(float v) {
    int c;
    QuarrelwickGetGridPosition(v, 0.0f, &c, nullptr);
    return c;
  }
  static int CountCells(EngUInt8 value) {
    int n = 0;
    for (auto &row : grid)
      for (EngUInt8 c : row) n += c == value;
    return n;
  }
  // Places without caring for cash (refusals for money are tested apart).
  static char Place(int type, float x, float y) {
    cash = 1000000;
    return WeaponsCreateNew(type, x, y, 0, 0);
  }
};

TEST_F(WeaponsTest, TablesHoldTheirValuesWithDefaultsApplied) {
  EXPECT_STREQ(weapon_infos[0].name, "Turret");
  EXPECT_STREQ(weapon_infos[6].name, "Stone Thrower");
  EXPECT_STREQ(weapon_infos[11].name, "Projectile Factory");
  EXPECT_STREQ(WeaponsGetTypeName(7), "Grenade Launcher");
  EXPECT_STREQ(WeaponsGetTypeName(12), "");

  // A few anchors of the tables; the rules below hold for every row, so a balance change is
  // made in the tables alone.
  EXPECT_FLOAT_EQ(weapon_type_details[0].size, 0.12f);
  EXPECT_FLOAT_EQ(weapon_type_details[1].turn_rate, 2.3f);
  EXPECT_NEAR(weapon_type_details2[1].pivot_y, -0.0195f, 1e-7);
  EXPECT_EQ(weapon_type_details[6].square, 1);
  EXPECT_EQ(weapon_type_details[10].square, 1);
  EXPECT_EQ(weapon_type_level_details[0][0].price, 80);
  EXPECT_FLOAT_EQ(weapon_type_level_details[0][0].range, 0.15f);
  EXPECT_FLOAT_EQ(weapon_type_level_details[8][3].damage, 350.0f);
  EXPECT_EQ(weapon_type_level_details[11][2].price, 10000);
  for (int t = 0; t < QW_NUM_WEAPON_TYPES; t++) {
    SCOPED_TRACE(t);
    const _WeaponTypeDetails &d = weapon_type_details[t];
    EXPECT_GT(d.size, 0.0f);
    EXPECT_GT(d.upgrade_speed, 0.0f);
    // The picking radius is half the weapon's size, about its centre across.
    EXPECT_FLOAT_EQ(weapon_type_details2[t].radius, d.size * 0.5f);
    EXPECT_FLOAT_EQ(weapon_type_details2[t].pivot_x, 0.0f);
  }
  // No -99 is left anywhere; weapons sell at 50 at every level and grow with it; factories
  // have no fourth level and sell for nothing.
  for (int t = 0; t < QW_NUM_WEAPON_TYPES; t++)
    for (int n = 0; n < QW_WEAPON_LEVELS; n++) {
      SCOPED_TRACE(std::to_string(t) + ":" + std::to_string(n));
      const _WeaponTypeLevelDetails &l = weapon_type_level_details[t][n];
      EXPECT_EQ(l.sell_percent, t < 9 ? 50 : 0);
      if (t < 9) {
        EXPECT_GT(l.price, 0);
        EXPECT_GT(l.fire_rate, 0.0f);
        if (n > 0) {
          EXPECT_GT(l.range, weapon_type_level_details[t][n - 1].range);
        }
      } else {
        EXPECT_EQ(l.fire_rate, 0.0f);
        EXPECT_EQ(l.range, 0.0f);
        EXPECT_EQ(l.price > 0, n < 3);
      }
    }
  EXPECT_FLOAT_EQ(weapon_size_mults[0], 0.73f);
  EXPECT_FLOAT_EQ(weapon_size_mults[3], 1.0f);
  EXPECT_EQ(factory_tex_weapons[1][2], 5);
  EXPECT_EQ(factory_tex_weapons[2][0], 6);
  // Start-up again changes nothing.
  ASSERT_EQ(WeaponsPre3dInit(), 1);
  EXPECT_EQ(weapon_type_level_details[3][2].sell_percent, 50);
  EXPECT_FLOAT_EQ(weapon_type_details[0].upgrade_speed, 1.0f);
}

TEST_F(WeaponsTest, NewWeaponStartsReadyFacingUp) {
  level_weapon_size_mult = 0.75f;
  Weapon cannon(nullptr, 1, 0.25f, -0.5f);
  EXPECT_EQ(cannon.level, 0);
  EXPECT_EQ(cannon.target_mode, 0);
  EXPECT_FLOAT_EQ(cannon.full_size, 0.13f * 0.75f);
  EXPECT_FLOAT_EQ(cannon.size, 0.13f * 0.75f * 0.73f);
  EXPECT_FLOAT_EQ(cannon.half_size, cannon.size * 0.5f);
  EXPECT_NEAR(cannon.pivot_y, -0.0195f, 1e-7);
  EXPECT_FLOAT_EQ(cannon.aim_angle, 1.5707964f);
  EXPECT_FLOAT_EQ(cannon.base_angle, 1.5707964f);
  EXPECT_FLOAT_EQ(cannon.reload, 1.0f);
  EXPECT_FLOAT_EQ(cannon.brightness, 1.0f);
  EXPECT_EQ(cannon.look_ahead_frames, 0);
  EXPECT_EQ(cannon.GetTopLevel(), 3);
  EXPECT_EQ(cannon.GetScoreValue(), 10);
  for (Bullet *b : cannon.bullets) EXPECT_EQ(b, nullptr);
  for (int i = 0; i < 50; i++) {
    Weapon stone(nullptr, 6, 0, 0), grenade(nullptr, 7, 0, 0);
    EXPECT_GE(stone.look_ahead_frames, 60);
    EXPECT_LE(stone.look_ahead_frames, 89);
    EXPECT_GE(grenade.look_ahead_frames, 100);
    EXPECT_LE(grenade.look_ahead_frames, 129);
  }
  EXPECT_EQ(Weapon(nullptr, 10, 0, 0).GetTopLevel(), 2);
}

TEST_F(WeaponsTest, PlacementTable) {
  // A Turret's six samples lie 0.06 from its centre: 13 cells straight below it (y + r) and
  // 13 above, 12 across and 7 down or up at 60 degrees.
  const int c = Cell(0.0f);
  ASSERT_EQ(c, 256);
  struct Case {
    const char *name;
    int type;
    float x, y, size_mult;
    int mark_x, mark_y;  // a cell offset from the centre cell, or 99 for none
    EngUInt8 mark;
    char lenient;
    char expect;
  } cases[] = {
      {"free ground", 0, 0, 0, 1, 99, 99, 0, 0, 1},
      {"road under a sample", 0, 0, 0, 1, 0, 13, 1, 0, 0},
      {"road under a sample, lenient", 0, 0, 0, 1, 0, 13, 1, 1, 1},
      {"road inside the disc between samples", 0, 0, 0, 1, 5, 0, 1, 0, 1},
      {"weapon under a sample", 0, 0, 0, 1, 12, -7, 2, 0, 0},
      {"weapon under the centre, lenient", 0, 0, 0, 1, 0, 0, 2, 1, 0},
      {"sample at cell 32", 0, 0, -0.936f, 1, 99, 99, 0, 0, 1},
      {"sample at cell 31", 0, 0, -0.9445f, 1, 99, 99, 0, 0, 0},
      {"sample at cell 31, lenient", 0, 0, -0.9445f, 1, 99, 99, 0, 1, 0},
      {"sample at cell 479", 0, 0, 0.937f, 1, 99, 99, 0, 0, 1},
      {"sample at cell 480", 0, 0, 0.941f, 1, 99, 99, 0, 0, 0},
      {"sample at cell 480 across", 0, 0.95f, 0, 1, 99, 99, 0, 0, 0},
      {"round misses the corner", 0, 0, 0, 1, -13, -13, 1, 0, 1},
      {"square covers the corner", 6, 0, 0, 1, -13, -13, 1, 0, 0},
      {"square, lenient", 6, 0, 0, 1, -13, -13, 1, 1, 1},
      {"square edge on a lattice row", 6, 0, 0, 1, 0, 13, 2, 0, 0},
      {"square just outside", 6, 0, 0, 1, 0, 15, 2, 0, 1},
      {"big garden: the sample moves in", 0, 0, 0, 0.75f, 0, 13, 1, 0, 1},
      {"big garden: the sample's own cell", 0, 0, 0, 0.75f, 0, 10, 1, 0, 0},
      {"factory square", 9, 0, 0, 1, 22, 22, 1, 0, 0},
      {"factory square just outside", 9, 0, 0, 1, 23, 23, 1, 0, 1},
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(k.name);
    memset(grid, 0, sizeof(grid));
    level_weapon_size_mult = k.size_mult;
    if (k.mark_x != 99) grid[Cell(k.y) + k.mark_y][Cell(k.x) + k.mark_x] = k.mark;
    EXPECT_EQ(WeaponsCanPlaceWeaponHere(k.type, k.x, k.y, k.lenient), k.expect);
  }
}

TEST_F(WeaponsTest, LenientPlacementNeedsAFreeCellTwoAway) {
  // The sample straight below the centre lands on a taken cell inside a taken block.
  const int sx = 256, sy = 256 + 13;
  for (int dy = -2; dy <= 2; dy++)
    for (int dx = -2; dx <= 2; dx++) grid[sy + dy][sx + dx] = 2;
  EXPECT_EQ(WeaponsCanPlaceWeaponHere(0, 0, 0, 1), 0);
  grid[sy + 2][sx - 2] = 0;  // one diagonal neighbour two away
  EXPECT_EQ(WeaponsCanPlaceWeaponHere(0, 0, 0, 1), 1);
  grid[sy + 2][sx - 2] = 1;
  grid[sy + 1][sx] = 0;  // one away does not count
  EXPECT_EQ(WeaponsCanPlaceWeaponHere(0, 0, 0, 1), 0);
  EXPECT_EQ(WeaponsCanPlaceWeaponHere(0, 0, 0, 0), 0);
}

TEST_F(WeaponsTest, BadPointsAndTypesAreRefused) {
  const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    int type;
    float x, y;
  } cases[] = {{-1, 0, 0}, {12, 0, 0}, {0, nan, 0}, {0, 0, inf}, {0, -inf, 0}, {0, 1e30f, 0}, {0, 0, -1.2f}, {6, 2.0f, 0}};
  cash = 100000;
  for (const Case &k : cases) {
    SCOPED_TRACE(std::to_string(k.type) + " " + std::to_string(k.x) + "," + std::to_string(k.y));
    EXPECT_EQ(WeaponsCanPlaceWeaponHere(k.type, k.x, k.y, 1), 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(WeaponsCreateNew(k.type, k.x, k.y, 0, 1), 0);
    EXPECT_EQ(WeaponsCreateNew(k.type, k.x, k.y, 0, 0), 0);
    testing::internal::GetCapturedStderr();
    // The erase form on a bad point touches nothing either.
    if (k.type >= 0 && k.type < 12) {
      EXPECT_EQ(WeaponsCreateNew(k.type, k.x, k.y, 1, 0), 1);
    }
  }
  EXPECT_EQ(num_weapons, 0);
  EXPECT_EQ(cash, 100000);
  EXPECT_EQ(CountCells(0), QW_GRID_SIZE * QW_GRID_SIZE);
}

TEST_F(WeaponsTest, PlaceThenSell) {
  // A road cell inside the disc but between the samples, and one just outside the disc.
  grid[256][256 + 5] = 1;
  grid[256][256 + 16] = 1;
  ASSERT_EQ(cash, 500);
  ASSERT_EQ(score, 0);
  qwtest::sounds_played.clear();
  ASSERT_EQ(WeaponsCreateNew(0, 0.0f, 0.0f, 0, 0), 1);
  EXPECT_EQ(qwtest::sounds_played, std::vector<int>{21});
  EXPECT_EQ(num_weapons, 1);
  ASSERT_NE(weapons[0], nullptr);
  EXPECT_EQ(weapons[0]->type, 0);
  EXPECT_EQ(cash, 420);
  EXPECT_STREQ(cash_str, "420");
  EXPECT_EQ(score, 10);
  EXPECT_STREQ(score_str, "10");
  // The disc of radius 0.06 (13.4 cells) is taken; the road stays road.
  EXPECT_EQ(grid[256][256], 2);
  EXPECT_EQ(grid[256 + 13][256], 2);
  EXPECT_EQ(grid[256 - 9][256 - 9], 2);
  EXPECT_EQ(grid[256][256 + 5], 1);
  EXPECT_EQ(grid[256][256 + 16], 1);
  EXPECT_EQ(grid[256][256 + 15], 0);
  EXPECT_EQ(grid[256 - 11][256 - 11], 0);
  int taken = CountCells(2);
  EXPECT_GT(taken, 540);
  EXPECT_LT(taken, 600);
  // The same place is refused now and says so.
  std::string log = Logged([] { EXPECT_EQ(WeaponsCreateNew(0, 0.01f, 0.0f, 0, 0), 0); });
  EXPECT_NE(log.find("Cannot place weapon of type 0 at 0.0,0.0"), std::string::npos) << log;
  EXPECT_EQ(cash, 420);

  WeaponsSellWeapon(0);
  EXPECT_EQ(weapons[0], nullptr);
  EXPECT_EQ(num_weapons, 1);  // the slot stays used
  EXPECT_EQ(cash, 460);
  EXPECT_EQ(CountCells(2), 0);
  EXPECT_EQ(CountCells(1), 2);
  EXPECT_EQ(grid[256][256 + 5], 1);
  EXPECT_EQ(score, 10);  // until the next recompute
  QuarrelwickChangeScore(0);
  EXPECT_EQ(score, 0);
  // Selling again, an empty slot or one out of range does nothing.
  WeaponsSellWeapon(0);
  WeaponsSellWeapon(-1);
  WeaponsSellWeapon(QW_MAX_WEAPONS);
  WeaponsSellWeapon(5);
  EXPECT_EQ(cash, 460);
}

TEST_F(WeaponsTest, SellingOneOfTwoTouchingWeaponsKeepsTheOthersFootprint) {
  // Two Turrets 0.11 apart, side by side: their samples miss each other's discs, the discs
  // overlap.
  static EngUInt8 alone[QW_GRID_SIZE][QW_GRID_SIZE];
  ASSERT_EQ(Place(0, 0.11f, 0.0f), 1);
  memcpy(alone, grid, sizeof(grid));
  WeaponsSellWeapon(0);
  ASSERT_EQ(CountCells(2), 0);
  ASSERT_EQ(Place(0, 0.0f, 0.0f), 1);
  ASSERT_EQ(Place(0, 0.11f, 0.0f), 1);
  WeaponsSellWeapon(1);
  EXPECT_EQ(memcmp(alone, grid, sizeof(grid)), 0);
}

TEST_F(WeaponsTest, RefundTable) {
  struct Case {
    const char *name;
    int type, level;
    char upgrading;
    int refund;
  } cases[] = {
      {"Turret at level 0", 0, 0, 0, 40},
      {"Turret at level 2", 0, 2, 0, 100},
      {"Turret at level 1, upgrade under way", 0, 1, 1, 70},
      {"Tank at level 3", 2, 3, 0, 5500},
      {"Grenade Launcher at level 1", 7, 1, 0, 350},
      {"Gun Factory", 9, 0, 0, 0},
      {"Projectile Factory at level 2", 11, 2, 0, 0},
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(k.name);
    ASSERT_EQ(Place(k.type, 0.0f, 0.0f), 1);
    int slot = num_weapons - 1;
    weapons[slot]->level = k.level;
    weapons[slot]->upgrading = k.upgrading;
    EXPECT_EQ(WeaponsGetSellValue(slot), k.refund);
    cash = 7;
    WeaponsSellWeapon(slot);
    EXPECT_EQ(cash, 7 + k.refund);
  }
  EXPECT_EQ(WeaponsGetSellValue(0), 0);
}

TEST_F(WeaponsTest, FactoryLevelsFollowPlacingUpgradingAndSelling) {
  ASSERT_EQ(Place(9, -0.5f, -0.5f), 1);
  EXPECT_EQ(factory_levels[0], 1);
  EXPECT_EQ(factory_levels[1], 0);
  EXPECT_EQ(QuarrelwickGetBestWeaponTypeOfFamily(0), 0);
  weapons[0]->level = 2;
  WeaponsUpdateFactories();
  EXPECT_EQ(factory_levels[0], 3);
  EXPECT_EQ(QuarrelwickGetBestWeaponTypeOfFamily(0), 2);
  // A second, lower gun factory does not lower the family's level.
  ASSERT_EQ(Place(9, 0.5f, 0.5f), 1);
  EXPECT_EQ(factory_levels[0], 3);
  ASSERT_EQ(Place(10, 0.5f, -0.5f), 1);
  EXPECT_EQ(factory_levels[1], 1);
  ASSERT_EQ(Place(0, 0.0f, 0.0f), 1);  // weapons are not factories
  EXPECT_EQ(factory_levels[2], 0);
  // Selling recomputes at once: the family falls back to the factory left, then to none.
  WeaponsSellWeapon(0);
  EXPECT_EQ(factory_levels[0], 1);
  WeaponsSellWeapon(1);
  EXPECT_EQ(factory_levels[0], 0);
  EXPECT_EQ(QuarrelwickGetBestWeaponTypeOfFamily(0), 9);
  EXPECT_EQ(factory_levels[1], 1);
  // A new game clears them all.
  QuarrelwickInitForNewGame(0);
  EXPECT_EQ(num_weapons, 0);
  EXPECT_EQ(factory_levels[1], 0);
}

TEST_F(WeaponsTest, RefusedForCash) {
  cash = 79;
  qwtest::sounds_played.clear();
  EXPECT_EQ(WeaponsCreateNew(0, 0.0f, 0.0f, 0, 0), 0);
  EXPECT_EQ(num_weapons, 0);
  EXPECT_EQ(cash, 79);
  EXPECT_EQ(CountCells(2), 0);
  // A restored weapon is not paid for, and adds no score until the next recompute.
  EXPECT_EQ(WeaponsCreateNew(0, 0.0f, 0.0f, 0, 1), 1);
  EXPECT_EQ(cash, 79);
  EXPECT_EQ(score, 0);
  EXPECT_TRUE(qwtest::sounds_played.empty());
  cash = 80;
  EXPECT_EQ(WeaponsCreateNew(0, 0.5f, 0.5f, 0, 0), 1);
  EXPECT_EQ(cash, 0);
  EXPECT_EQ(score, 20);
  cash = 119;
  EXPECT_EQ(WeaponsCreateNew(9, -0.5f, -0.5f, 0, 0), 0);
  EXPECT_EQ(factory_levels[0], 0);
}

TEST_F(WeaponsTest, AGameHasAThousandSlots) {
  // Slots of sold weapons are not given out again.
  for (int i = 0; i < 5; i++) ASSERT_EQ(Place(0, -0.6f + 0.3f * float(i), 0.0f), 1);
  WeaponsSellWeapon(1);
  WeaponsSellWeapon(3);
  WeaponsSellWeapon(4);
  ASSERT_EQ(Place(0, 0.0f, 0.5f), 1);
  EXPECT_EQ(num_weapons, 6);
  ASSERT_NE(weapons[5], nullptr);
  // Skip ahead to the last slot, as if 993 more had been placed and sold.
  num_weapons = QW_MAX_WEAPONS - 1;
  ASSERT_EQ(Place(0, 0.5f, -0.5f), 1);
  EXPECT_EQ(num_weapons, QW_MAX_WEAPONS);
  WeaponsSellWeapon(QW_MAX_WEAPONS - 1);
  const int cash_before = cash = 100000;
  EXPECT_EQ(WeaponsCreateNew(0, 0.5f, -0.5f, 0, 0), 0);
  EXPECT_EQ(WeaponsCreateNew(0, 0.5f, -0.5f, 0, 1), 0);
  EXPECT_EQ(cash, cash_before);
  EXPECT_EQ(num_weapons, QW_MAX_WEAPONS);
  // Selling the last ones goes from the highest slot down; with none left the count restarts.
  EXPECT_EQ(WeaponsSellLastWeapon(), 1);
  EXPECT_EQ(weapons[5], nullptr);
  EXPECT_NE(weapons[2], nullptr);
  EXPECT_EQ(WeaponsSellLastWeapon(), 1);
  EXPECT_EQ(WeaponsSellLastWeapon(), 1);
  EXPECT_EQ(weapons[0], nullptr);
  EXPECT_EQ(CountCells(2), 0);
  EXPECT_EQ(WeaponsSellLastWeapon(), 0);
  EXPECT_EQ(num_weapons, 0);
}

}  // namespace
