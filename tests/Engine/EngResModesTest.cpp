// Display modes fed with a made-up display: building, sorting, matching and the texts.
#include "Engine/EngResModes.h"

#include <gtest/gtest.h>

#include <vector>

#include "Engine/EngMain.h"

namespace {

class EngResModesTest : public ::testing::Test {
 protected:
  void SetUp() override { eng_main_device_type = 1; }
  void TearDown() override { EngResModesSetDisplayForTests(nullptr, 0, nullptr); }
  void Display(const std::vector<_EngDisplayModeInfo> &modes, const _EngDisplayModeInfo *current = nullptr) {
    EngResModesSetDisplayForTests(modes.data(), EngInt32(modes.size()), current ? current : &desktop);
  }
  _EngDisplayModeInfo desktop = {1920, 1080, 32, 59.9f};
};

TEST_F(EngResModesTest, ModesAreMergedSortedAndFiltered) {
  Display({{1280, 1024, 32, 60}, {1024, 768, 32, 60}, {1024, 768, 32, 75}, {1024, 768, 32, 60},
           {800, 600, 16, 60},   {640, 480, 8, 60},    {1280, 800, 32, 60},  {800, 600, 32, 72.4f}});
  EngResModes modes;
  ASSERT_TRUE(modes.IsSetup());
  ASSERT_EQ(modes.GetNumModes(), 5);
  const int expected[][3] = {{800, 600, 16}, {800, 600, 32}, {1024, 768, 32}, {1280, 800, 32}, {1280, 1024, 32}};
  for (int i = 0; i < 5; i++) {
    EXPECT_EQ(modes.GetMode(i)->width, expected[i][0]);
    EXPECT_EQ(modes.GetMode(i)->height, expected[i][1]);
    EXPECT_EQ(modes.GetMode(i)->bit_depth, expected[i][2]);
  }
  const _EngResMode *m = modes.GetMode(2);
  ASSERT_EQ(m->num_frequencies, 3);
  EXPECT_EQ(m->frequencies[0], 60);
  EXPECT_EQ(m->frequencies[1], 60);
  EXPECT_EQ(m->frequencies[2], 75);
  EXPECT_EQ(modes.GetMode(1)->frequencies[0], 72);
  EXPECT_EQ(modes.GetMode(5), nullptr);
  EXPECT_STREQ(modes.GetFullScreenResModeEntryAsString(2), "1024 x 768 x 32");
  EXPECT_EQ(modes.GetWindowedMode()->width, 1920);
  EXPECT_EQ(modes.GetWindowedMode()->frequencies[0], 60);
}

TEST_F(EngResModesTest, OnlyNineteenRatesAreKeptAndLowDepthsGiveNothing) {
  std::vector<_EngDisplayModeInfo> many;
  for (int i = 0; i < 25; i++) many.push_back({1024, 768, 32, float(100 - i)});
  Display(many);
  EngResModes modes;
  ASSERT_EQ(modes.GetNumModes(), 1);
  EXPECT_EQ(modes.GetMode(0)->num_frequencies, 19);
  EXPECT_EQ(modes.GetMode(0)->frequencies[0], 82);

  Display({{640, 480, 8, 60}});
  EngResModes none;
  EXPECT_FALSE(none.IsSetup());
  EXPECT_EQ(none.GetNumModes(), 0);
  EXPECT_STREQ(none.GetAAEntryForWindowedModeAsString(0), "");
}

TEST_F(EngResModesTest, NearestModeNumberAndClosestMode) {
  Display({{800, 600, 32, 60}, {1024, 768, 32, 60}, {1024, 768, 32, 85}, {1280, 1024, 32, 0}});
  EngResModes modes;
  EXPECT_EQ(modes.GetFullscreenModeNumberFromSettings(900, 700, 32), 1);  // scores 200 and 192
  EXPECT_EQ(modes.GetFullscreenModeNumberFromSettings(912, 684, 32), 0);  // a tie keeps the first

  struct Case {
    int w, h, bits, freq, ew, eh, efreq;
  } cases[] = {
      {1024, 768, 32, 80, 1024, 768, 85},  {1000, 700, 32, 60, 1024, 768, 60}, {640, 480, 32, 0, 800, 600, 60},
      {1600, 1200, 32, 60, 1280, 1024, 0}, {1280, 900, 24, 60, 1280, 1024, 0},
  };
  for (const Case &c : cases) {
    int w = c.w, h = c.h, bits = c.bits, freq = c.freq;
    ASSERT_TRUE(modes.GetClosestFullScreenModeToMode(&w, &h, &bits, &freq));
    EXPECT_EQ(w, c.ew) << c.w;
    EXPECT_EQ(h, c.eh) << c.w;
    EXPECT_EQ(bits, 32);
    EXPECT_EQ(freq, c.efreq) << c.w;
  }
}

TEST_F(EngResModesTest, WindowedEntryLimitsAndDetails) {
  Display({{1024, 768, 32, 60}});
  EngResModes modes;
  int w = 4000, h = 0, bits = 16, freq = 75;
  ASSERT_TRUE(modes.EnsureWindowedModeOk(&w, &h, &bits, &freq));
  EXPECT_EQ(w, 1920);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(bits, 32);
  EXPECT_EQ(freq, 60);
  ASSERT_TRUE(modes.GetWindowedModeDetails(&w, &h, &bits, &freq));
  EXPECT_EQ(w, 1920);
  EXPECT_EQ(h, 1030);
  EXPECT_EQ(freq, 60);
}

TEST_F(EngResModesTest, AntiAliasingChoices) {
  Display({{1024, 768, 32, 60}});
  EngResModes modes;
  EXPECT_EQ(modes.GetNumAAEntriesForWindowedMode(), 4);
  EXPECT_EQ(modes.GetNumAAEntriesForFullscreenMode(0), 4);
  EXPECT_EQ(modes.GetNumAAEntriesForFullscreenMode(1), 0);
  EXPECT_STREQ(modes.GetAAEntryForWindowedModeAsString(2), "Medium [4x4]");
  EXPECT_STREQ(modes.GetAAEntryForWindowedModeAsString(4), "???");
  EXPECT_STREQ(modes.GetAAEntryForFullscreenModeAsString(0, 3), "High [8x8]");
  EXPECT_STREQ(modes.GetAAEntryForModeAsString(modes.GetMode(0), 4), "");
  EXPECT_STREQ(modes.GetAAEntryForModeAsString(modes.GetWindowedMode(), 0), "Off");
  _EngResMode stranger = {};
  EXPECT_EQ(modes.GetNumAAEntriesForMode(&stranger), 0);
}

}  // namespace
