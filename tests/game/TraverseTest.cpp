// Path data is checked whole before anything is kept: size, version, counts and every number.
#include "game/Traverse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "Engine/EngDebug.h"
#include "tests/game/PathFixtures.h"
#include "tests/support/TestSupport.h"

namespace {

class TraverseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    TraverseReset();
  }
  void TearDown() override {
    TraverseReset();
    DebugResetForTests();
  }
  // Writes the image as a file and loads it; returns the load's result and its log.
  char Load(const std::string &bytes, std::string *log = nullptr) {
    std::string path = m_dir.File("TravCalcs0.dat");
    qwtest::WriteWholeFile(path, bytes);
    ::testing::internal::CaptureStderr();
    char ok = TraverseLoadFile(path.c_str());
    std::string out = ::testing::internal::GetCapturedStderr();
    if (log) *log = out;
    return ok;
  }
  void ExpectEmpty() {
    EXPECT_EQ(traverse_info.num_steps, 0);
    EXPECT_EQ(traverse_info.num_points, 0);
    EXPECT_FALSE(TraverseIsLoaded());
    EXPECT_EQ(traverse_info.spacing_divisor, 1.0f);
  }
  qwtest::TempDir m_dir;
};

TEST_F(TraverseTest, GoodFileIsTakenWhole) {
  qwtest::PathDesc desc = qwtest::StraightRoad(-1.5f, 0.0f, 1.5f, 0.0f, 100);
  desc.path_cells = {{40, 256}, {511, 511}, {0, 0}};
  desc.spacing = 0.0005f;
  std::string log;
  ASSERT_EQ(Load(qwtest::MakePathFile(desc), &log), 1) << log;
  EXPECT_TRUE(TraverseIsLoaded());
  EXPECT_EQ(traverse_info.num_steps, 100);
  EXPECT_EQ(traverse_info.num_points, 101);
  EXPECT_FLOAT_EQ(traverse_info.points[0].x, -1.5f);
  EXPECT_FLOAT_EQ(traverse_info.points[100].x, 1.5f);
  // Travel to the right: atan2(0, -dx) is pi.
  EXPECT_FLOAT_EQ(traverse_info.angles[0], std::atan2(0.0f, -1.0f));
  EXPECT_EQ(traverse_info.grid[256 * 512 + 40], 1);
  EXPECT_EQ(traverse_info.grid[511 * 512 + 511], 1);
  EXPECT_EQ(traverse_info.grid[0], 1);
  EXPECT_EQ(traverse_info.grid[1], 0);
  EXPECT_FLOAT_EQ(traverse_info.spacing_divisor, 0.0005f);
  EXPECT_FLOAT_EQ(t_best_line_hires_mult, 4.0f);
  EXPECT_TRUE(log.empty()) << log;
}

TEST_F(TraverseTest, OtherVersionIsRefusedWithItsMessage) {
  qwtest::PathDesc desc = qwtest::StraightRoad(0, 0, 1, 0, 10);
  float v11 = 1.1f;
  memcpy(&desc.version_bits, &v11, 4);
  std::string log;
  EXPECT_EQ(Load(qwtest::MakePathFile(desc), &log), 0);
  EXPECT_NE(log.find("Incorrect version [1.100000] not [1.200000] in file <" + m_dir.File("TravCalcs0.dat") + ">"),
            std::string::npos)
      << log;
  ExpectEmpty();
}

TEST_F(TraverseTest, WrongSizesAndCountsAreRefused) {
  std::string good = qwtest::MakePathFile(qwtest::StraightRoad(0, 0, 1, 0, 10));
  struct Case {
    const char *what;
    std::string bytes;
    const char *message;
  };
  auto with_counts = [&](int steps, int points) {
    std::string b = good;
    qwtest::PutInt(&b, TRAVERSE_OFS_NUM_STEPS, steps);
    qwtest::PutInt(&b, TRAVERSE_OFS_NUM_POINTS, points);
    return b;
  };
  Case cases[] = {
      {"one byte short", good.substr(0, good.size() - 1), "is 454171 bytes, not 454172"},
      {"one byte long", good + "x", "is 454173 bytes, not 454172"},
      {"empty", std::string(), "is 0 bytes, not 454172"},
      {"no steps", with_counts(0, 11), "bad step count 0"},
      {"negative steps", with_counts(-5, 11), "bad step count -5"},
      {"too many steps", with_counts(16001, 16001), "bad step count 16001"},
      {"fewer points than steps", with_counts(10, 9), "bad point count 9 for 10 steps"},
      {"too many points", with_counts(10, 16002), "bad point count 16002 for 10 steps"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    // A good load first, so a refusal must also empty what was there.
    ASSERT_EQ(Load(good), 1);
    std::string log;
    EXPECT_EQ(Load(c.bytes, &log), 0);
    EXPECT_NE(log.find(c.message), std::string::npos) << log;
    EXPECT_NE(log.find("TravCalcs0.dat"), std::string::npos) << log;
    ExpectEmpty();
  }
  // The limits themselves are fine.
  std::string edge = with_counts(16000, 16001);
  EXPECT_EQ(Load(edge), 1);
  EXPECT_EQ(Load(with_counts(1, 1)), 1);
}

TEST_F(TraverseTest, NonFiniteNumbersAreRefused) {
  std::string good = qwtest::MakePathFile(qwtest::StraightRoad(0, 0, 1, 0, 10));
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  struct Case {
    size_t offset;
    float value;
    const char *message;
  } cases[] = {
      {TRAVERSE_OFS_ANGLES + 4 * 3, nan, "angle 3 is not a number"},
      {TRAVERSE_OFS_ANGLES + 4 * 15999, -inf, "angle 15999 is not a number"},
      {TRAVERSE_OFS_POINTS + 8 * 2, nan, "point 2 is not a number"},
      {TRAVERSE_OFS_POINTS + 8 * 16000 + 4, inf, "point 16000 is not a number"},
      {TRAVERSE_OFS_UNUSED, nan, "a trailing value is not a number"},
      {TRAVERSE_OFS_SPACING, inf, "a trailing value is not a number"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.message);
    std::string bytes = good;
    qwtest::PutFloat(&bytes, c.offset, c.value);
    std::string log;
    EXPECT_EQ(Load(bytes, &log), 0);
    EXPECT_NE(log.find(c.message), std::string::npos) << log;
    ExpectEmpty();
  }
}

TEST_F(TraverseTest, MissingFileAndNoNameAreRefused) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(TraverseLoadFile(m_dir.File("TravCalcs3.dat").c_str()), 0);
  EXPECT_EQ(TraverseLoadFile(nullptr), 0);
  EXPECT_EQ(TraverseLoadFromMemory(nullptr, TRAVERSE_FILE_BYTES, "x"), 0);
  std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("TravCalcs3.dat"), std::string::npos) << log;
  ExpectEmpty();
}

}  // namespace
