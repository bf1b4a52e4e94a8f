// The four generated gardens: each path loads, lies on its own path cells, enters from off
// the field and ends under the house, agrees with the road drawn in the picture, and leaves
// room for weapons beside it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "Engine/EngJpeg.h"
#include "Engine/EngMemory.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Traverse.h"
#include "game/Weapons.h"
#include "tests/game/PlayFieldTestSupport.h"

namespace {

std::string Resource(const std::string &name) {
  return qwtest::BuiltResources() + "/" + name;
}

class GardensTest : public qwtest::PlayFieldTest, public ::testing::WithParamInterface<int> {
 protected:
  void LoadGarden() {
    int g = GetParam();
    ASSERT_EQ(TraverseLoadFile(Resource("TravCalcs" + std::to_string(g) + ".dat").c_str()), 1);
    QuarrelwickFillGridFromTraverseData();
    level_garden = EngInt16(g);
    LevelsInitForNewLevel(0);
  }
  struct Picture {
    int w = 0, h = 0;
    std::vector<unsigned char> rgb;
    // The road's earth colours: warm browns, lit enough not to be the dark edge.
    bool RoadAt(int x, int y, double least_red = 100) const {
      const unsigned char *p = &rgb[(size_t(y) * size_t(w) + size_t(x)) * 3];
      double r = p[0], g = p[1], b = p[2];
      return r > least_red && g / r > 0.55 && g / r < 0.88 && b / r > 0.2 && b / r < 0.66;
    }
    // Where a cell's centre falls in the picture (pixel = 2 x cell); the road and its pebbles
    // in the shade along the garden's top are darker.
    bool RoadAtCell(int cx, int cy) const { return RoadAt(2 * cx, 2 * cy, 45); }
    std::string Describe(int x, int y) const {
      const unsigned char *p = &rgb[(size_t(y) * size_t(w) + size_t(x)) * 3];
      return "(" + std::to_string(p[0]) + ", " + std::to_string(p[1]) + ", " + std::to_string(p[2]) + ")";
    }
  };
  Picture LoadPicture() {
    Picture pic;
    unsigned char *data =
        EngJpegReadFileToBuffer(Resource("Level" + std::to_string(GetParam()) + ".jpg").c_str(), &pic.w, &pic.h);
    EXPECT_NE(data, nullptr);
    if (!data) return pic;
    pic.rgb.assign(data, data + size_t(pic.w) * size_t(pic.h) * 3);
    EngFree(data, 0, "test");
    return pic;
  }
  static bool OnField(const _Vector2d &p) { return std::fabs(p.x) <= 1.0f && std::fabs(p.y) <= 1.0f; }
};

TEST_P(GardensTest, PathLoadsWithItsLengthAndSpacing) {
  LoadGarden();
  const _TraverseInfo &t = traverse_info;
  // Roads are 4 to 7.5 units long at 0.0005 a step.
  EXPECT_GE(t.num_steps, 8000);
  EXPECT_LE(t.num_steps, 15000);
  EXPECT_EQ(t.num_points, t.num_steps + 1);
  EXPECT_FLOAT_EQ(t.spacing_divisor, 0.0005f);
  for (int i = 0; i < t.num_steps; i++) {
    float dx = t.points[i + 1].x - t.points[i].x, dy = t.points[i + 1].y - t.points[i].y;
    ASSERT_NEAR(std::hypot(dx, dy), 0.0005f, 0.00002f) << i;
    // The heading of travel (dx, dy) is atan2(dy, -dx), kept in [0, 2pi).
    float want = std::atan2(dy, -dx);
    if (want < 0) want += 6.2831855f;
    float off = std::fabs(t.angles[i] - want);
    ASSERT_LT(std::fmin(off, 6.2831855f - off), 0.01f) << i;
  }
}

TEST_P(GardensTest, EveryPathPointIsOnAPathCell) {
  LoadGarden();
  for (int i = 0; i < traverse_info.num_points; i++) {
    int cx, cy;
    QuarrelwickGetGridPosition(traverse_info.points[i].x, traverse_info.points[i].y, &cx, &cy);
    ASSERT_EQ(grid[cy][cx], 1) << "point " << i;
  }
}

TEST_P(GardensTest, RoadEntersFromOffTheFieldAndEndsUnderTheHouse) {
  LoadGarden();
  Picture pic = LoadPicture();
  ASSERT_EQ(pic.w, 1024);
  ASSERT_EQ(pic.h, 1024);
  const int n = traverse_info.num_steps;
  const int start = int(level_onscreen_start_pos), end = int(level_onscreen_end_pos);
  for (int i = 0; i <= start; i++) ASSERT_FALSE(OnField(traverse_info.points[i])) << "step " << i;
  // Soon after a bug may be targeted it is on the field.
  for (int i = start + 11; i < n - end; i++) ASSERT_TRUE(OnField(traverse_info.points[i])) << "step " << i;
  // The last steps are hidden under the house: no road shows at their points.
  for (int i = n - end + 10; i <= n; i += 5) {
    const _Vector2d &p = traverse_info.points[i];
    int px = int(std::lround((p.x + 1.0) * 448.0 + 64.0)), py = int(std::lround((p.y + 1.0) * 448.0 + 64.0));
    EXPECT_FALSE(pic.RoadAt(px, py)) << "step " << i << " at pixel " << px << "," << py << ": " << pic.Describe(px, py);
  }
}

TEST_P(GardensTest, RoadPixelsAndPathCellsAgree) {
  LoadGarden();
  Picture pic = LoadPicture();
  ASSERT_EQ(pic.w, 1024);
  const _Vector2d end = traverse_info.points[traverse_info.num_points - 1];
  auto near_house = [&](int cx, int cy) {
    double x = (cx - 32) / 224.0 - 1.0, y = (cy - 32) / 224.0 - 1.0;
    return std::hypot(x - end.x, y - end.y) < 0.4;
  };
  // A cell's path neighbourhood: how many path cells lie within k cells of it.
  auto path_within = [&](int cx, int cy, int k) {
    int count = 0;
    for (int y = cy - k; y <= cy + k; y++)
      for (int x = cx - k; x <= cx + k; x++) count += QuarrelwickGetGridCell(x, y) == 1 ? 1 : 0;
    return count;
  };
  int inside = 0, beside = 0;
  for (int cy = 32; cy <= 480; cy++)
    for (int cx = 32; cx <= 480; cx++) {
      if (near_house(cx, cy)) continue;
      int k3 = path_within(cx, cy, 3);
      if (k3 == 49) {
        inside++;
        ASSERT_TRUE(pic.RoadAtCell(cx, cy)) << "path cell " << cx << "," << cy << " shows no road: " << pic.Describe(2 * cx, 2 * cy);
      } else if (k3 == 0 && path_within(cx, cy, 6) > 0) {
        beside++;
        ASSERT_FALSE(pic.RoadAtCell(cx, cy)) << "free cell " << cx << "," << cy << " shows road: " << pic.Describe(2 * cx, 2 * cy);
      }
    }
  EXPECT_GT(inside, 3000);
  EXPECT_GT(beside, 3000);
}

TEST_P(GardensTest, RoomForFortyWeaponsBesideTheRoad) {
  LoadGarden();
  // The largest gun, spray and projectile weapons are 0.14 across; each is placed on free
  // cells (as the weapons' six-point test samples them), within reach of the road.
  const float r = 0.07f;
  std::vector<_Vector2d> placed;
  auto free_at = [&](float x, float y) {
    for (int k = 0; k < 6; k++) {
      float a = k * 1.0471976f;
      int cx, cy;
      QuarrelwickGetGridPosition(x + std::sin(a) * r, y + std::cos(a) * r, &cx, &cy);
      if (cx < 32 || cy < 32 || cx > 479 || cy > 479 || grid[cy][cx] != 0) return false;
    }
    for (const auto &p : placed)
      if (std::hypot(p.x - x, p.y - y) < 2 * r) return false;
    return true;
  };
  auto near_road = [&](float x, float y) {
    for (int i = 0; i < traverse_info.num_points; i += 20)
      if (std::hypot(traverse_info.points[i].x - x, traverse_info.points[i].y - y) < 0.25f) return true;
    return false;
  };
  for (float y = -0.95f; y <= 0.95f; y += 0.02f)
    for (float x = -0.95f; x <= 0.95f; x += 0.02f)
      if (free_at(x, y) && near_road(x, y)) placed.push_back({x, y});
  EXPECT_GE(placed.size(), 40u);
}

INSTANTIATE_TEST_SUITE_P(Gardens, GardensTest, ::testing::Values(0, 1, 2, 3));

// No factory or gun stands on a garden's house or on its solid scenery (trees, bushes,
// hedges, rocks, ponds), each taken where its description in assets/gardens puts it. A game
// saved before these were marked restores its weapons there all the same (lenient placing).
struct Spot {
  const char *what;
  float x, y;
};
struct GardenSpots {
  int garden;
  std::vector<Spot> solid;
};

class GardenSceneryTest : public qwtest::PlayFieldTest {};

TEST_F(GardenSceneryTest, NoWeaponOnTheHouseOrTheSolidScenery) {
  // The house: its middle and either side of the road that runs in under it (the road's last
  // leg, the front wall `under_steps` steps before the end, half the depth behind it).
  const GardenSpots gardens[] = {
      {0,
       {{"house", 0.79f, 0.6f}, {"house, left", 0.79f, 0.47f}, {"house, right", 0.79f, 0.73f},
        {"tree", -0.78f, -0.25f}, {"tree", 0.86f, -0.2f}, {"tree", -0.85f, 0.85f}, {"bush", 0.1f, -0.88f},
        {"bush", -0.35f, -0.9f}, {"pond", 0.1f, 0.31f}, {"pond's rim", 0.255f, 0.31f}, {"rock", -0.85f, 0.3f},
        {"hedge", 0.65f, 0.9f}}},
      {1,
       {{"house", 0.5955f, 0.7908f}, {"house, left", 0.4702f, 0.7473f}, {"house, right", 0.7208f, 0.8343f},
        {"pond", -0.33f, 0.12f}, {"tree", 0.05f, -0.6f}, {"tree", -0.88f, -0.7f}, {"tree", 0.85f, -0.85f},
        {"bush", -0.9f, 0.05f}, {"bush", 0.35f, 0.55f}, {"rock", 0.52f, 0.2f}, {"hedge", -0.7f, 0.935f}}},
      {2,
       {{"house", 0.58f, 0.78f}, {"house, top", 0.58f, 0.66f}, {"tree", -0.35f, -0.47f}, {"tree", 0.05f, -0.47f},
        {"tree", 0.45f, -0.47f}, {"tree", -0.35f, 0.06f}, {"tree", 0.35f, 0.06f}, {"bush", -0.05f, 0.55f},
        {"bush", 0.45f, 0.55f}, {"tree", 0.9f, 0.85f}, {"hedge", -0.95f, -0.2f}, {"rock", 0.93f, -0.45f}}},
      {3,
       {{"house", -0.2f, -0.2f}, {"house, top", -0.2f, -0.31f}, {"house, bottom", -0.2f, -0.09f},
        {"tree", 0.93f, -0.9f}, {"tree", -0.92f, -0.92f}, {"tree", -0.92f, 0.9f}, {"pond", -0.3f, 0.3f},
        {"bush", 0.45f, -0.45f}, {"rock", -0.45f, -0.45f}, {"hedge", 0.45f, 0.25f}}},
  };
  for (const GardenSpots &g : gardens) {
    ASSERT_EQ(TraverseLoadFile(Resource("TravCalcs" + std::to_string(g.garden) + ".dat").c_str()), 1);
    QuarrelwickFillGridFromTraverseData();
    for (const Spot &spot : g.solid) {
      SCOPED_TRACE("garden " + std::to_string(g.garden) + ", " + spot.what);
      int cx, cy;
      QuarrelwickGetGridPosition(spot.x, spot.y, &cx, &cy);
      EXPECT_NE(grid[cy][cx], 0);
      for (int type : {int(QW_FIRST_FACTORY_TYPE), 0}) EXPECT_EQ(WeaponsCanPlaceWeaponHere(type, spot.x, spot.y, 0), 0) << type;
      // Scenery keeps off the road, so a restored weapon there meets only scenery.
      if (std::string(spot.what) == "bush" || std::string(spot.what) == "tree") {
        EXPECT_EQ(WeaponsCanPlaceWeaponHere(0, spot.x, spot.y, 1), 1);
      }
    }
  }
}


}  // namespace
