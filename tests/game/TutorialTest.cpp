// The tutorial without a device: the hint and its highlight worked out from the game state,
// the hint's box held inside 640 x 480, nothing with the option off, the fade in, and the end.
#include "game/Tutorial.h"

#include <gtest/gtest.h>

#include <string>

#include "Engine/EngMain.h"
#include "Engine/EngWindow.h"
#include "game/Quarrelwick.h"
#include "game/Sidebar.h"
#include "game/Weapons.h"
#include "tests/game/PlayFieldTestSupport.h"

namespace {

class TutorialTest : public qwtest::PlayFieldTest {
 protected:
  void SetUp() override {
    qwtest::PlayFieldTest::SetUp();
    eng_main_window_x_widescreen_ratio = 1.0f;
    SidebarPre3dInit();
    ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
  }
  // A weapon on the field, as placing one leaves it (no path here, so the grid is free).
  static void Put(int type) { weapons[num_weapons++] = new Weapon(nullptr, type, 0.0f, 0.0f); }
};

TEST_F(TutorialTest, HintFollowsTheGameState) {
  TutorialSetOptionForTests(1);
  _Dimension box0, box3, box6, box9, box11, start;
  ASSERT_EQ(SidebarGetSideButtonPosition(0, 1, 6, 11, &box0), 1);
  ASSERT_EQ(SidebarGetSideButtonPosition(3, 1, 6, 11, &box3), 1);
  ASSERT_EQ(SidebarGetSideButtonPosition(6, 1, 6, 11, &box6), 1);
  ASSERT_EQ(SidebarGetSideButtonPosition(9, 1, 6, 6, &box9), 1);
  ASSERT_EQ(SidebarGetSideButtonPosition(11, 1, 6, 6, &box11), 1);
  ASSERT_EQ(SidebarGetBottomButtonPosition(0, 0, 5, 3, &start), 1);
  const _Dimension factories = {box9.x, box9.y - 5, box11.x + box11.width - box9.x, box9.height + 10};

  struct Case {
    int levels[3];
    int firing, factories_placed;
    int paused;
    const char *text;  // "" none
    const _Dimension *highlight;
  } cases[] = {
      {{0, 0, 0}, 0, 0, 2, "Place a factory in the garden.", &factories},
      {{0, 0, 0}, 2, 0, 2, "Place a factory in the garden.", &factories},
      {{1, 0, 0}, 0, 1, 2, "Place a weapon near the road.", &box0},
      {{0, 1, 0}, 0, 1, 2, "Place a weapon near the road.", &box3},
      {{0, 0, 1}, 0, 1, 2, "Place a weapon near the road.", &box6},
      {{0, 2, 1}, 1, 2, 2, "Place another weapon near the road.", &box3},
      {{1, 1, 0}, 2, 2, 2, "Press Start to begin...", &start},
      {{1, 1, 0}, 2, 2, 0, "", nullptr},
      {{1, 1, 0}, 3, 2, 1, "", nullptr},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text);
    WeaponsResetForTests();
    for (int f = 0; f < 3; f++) factory_levels[f] = c.levels[f];
    for (int i = 0; i < c.factories_placed; i++) Put(9);  // factories are not counted
    for (int i = 0; i < c.firing; i++) Put(i % 3);
    game_paused = EngUInt8(c.paused);
    TutorialAdvanceIfNeeded();
    EXPECT_STREQ(tut_text_str, c.text);
    const _Dimension &h = tut_highlight_dims[0];
    if (!c.highlight) {
      EXPECT_EQ(tut_on, 1);
      EXPECT_EQ(h.width, 0.0f);
      continue;
    }
    EXPECT_NEAR(h.x, c.highlight->x, 1e-3f);
    EXPECT_NEAR(h.y, c.highlight->y, 1e-3f);
    EXPECT_NEAR(h.width, c.highlight->width, 1e-3f);
    EXPECT_NEAR(h.height, c.highlight->height, 1e-3f);
    EXPECT_EQ(tut_highlight_dims[1].width, 0.0f);
    // The box (350 wide without a font) sits 10 above the highlight, centred on it, unless
    // that would leave the screen.
    const _Dimension &b = tut_box_dim;
    EXPECT_EQ(b.height, 50.0f);
    EXPECT_EQ(b.width, 350.0f);
    EXPECT_GE(b.x, 0.0f);
    EXPECT_LE(b.x + b.width, 640.0f);
    EXPECT_NEAR(b.y, h.y - 60.0f, 1e-3f);
    float centred = h.x + h.width / 2 - 175.0f;
    EXPECT_NEAR(b.x, centred < 0 ? 0 : centred + 350 > 640 ? 290 : centred, 1e-3f);
    EXPECT_NEAR(tut_text_x, b.x + 175.0f, 1e-3f);
    EXPECT_NEAR(tut_text_y, b.y + 25.0f, 1e-3f);
    EXPECT_EQ(tut_text_y_adj, -1.0f);
  }
  // The shop's boxes are at the left edge and the Start button at the right: both clamp.
  EXPECT_EQ(factories.x, 0.0f);
}

TEST_F(TutorialTest, SellingTheWeaponBringsTheEarlierHintBack) {
  TutorialSetOptionForTests(1);
  factory_levels[0] = 1;
  Put(9);
  Put(0);
  TutorialAdvanceIfNeeded();
  EXPECT_STREQ(tut_text_str, "Place another weapon near the road.");
  delete weapons[1];
  weapons[1] = nullptr;
  TutorialAdvanceIfNeeded();
  EXPECT_STREQ(tut_text_str, "Place a weapon near the road.");
}

TEST_F(TutorialTest, ABoxNearTheTopIsHeldOnTheScreen) {
  // The gun row's box with a large margin would put the hint above the screen.
  TutorialSetOptionForTests(1);
  factory_levels[0] = 1;
  sb_lb_pos[0][1] = 11;  // 5 units down the column
  sb_lb_pos[0][3] = 91;
  TutorialAdvanceIfNeeded();
  EXPECT_EQ(tut_box_dim.y, 0.0f);
  EXPECT_EQ(tut_box_dim.x, 0.0f);
  EXPECT_NEAR(tut_text_y, 25.0f, 1e-3f);
}

TEST_F(TutorialTest, OptionOffShowsAndLoadsNothing) {
  TutorialSetOptionForTests(0);
  TutorialAdvanceIfNeeded();
  EXPECT_EQ(tut_on, 1);
  EXPECT_STREQ(tut_text_str, "");
  EXPECT_EQ(TutorialCreateGraphics(), 1);
  EXPECT_EQ(tut_box_tex, nullptr);
  EXPECT_EQ(TutorialEnd(), 0);
  // And with nobody loaded the option reads as off.
  TutorialSetOptionForTests(-1);
  TutorialAdvanceIfNeeded();
  EXPECT_EQ(tut_on, 1);
}

TEST_F(TutorialTest, TextFadesInAndTheHighlightThrobs) {
  TutorialSetOptionForTests(1);
  TutorialAdvanceIfNeeded();
  // Without a device the picture never loads, so nothing is shown; the fade is seen as if it
  // had.
  EXPECT_EQ(tut_on, 1);
  tut_on = 0;
  game_per_second = 0.05f;
  TutorialTick();
  EXPECT_EQ(tut_stage, 1);
  float last = tut_text_blend;
  for (int i = 0; i < 3; i++) {
    TutorialTick();
    EXPECT_GT(tut_text_blend, last);
    last = tut_text_blend;
    EXPECT_EQ(tut_stage, 1);
  }
  TutorialTick();
  EXPECT_EQ(tut_stage, 2);
  EXPECT_EQ(tut_text_blend, 1.0f);
  for (int i = 0; i < 40; i++) {
    TutorialTick();
    EXPECT_GE(tut_highlight_blend, 0.6f - 1e-5f);
    EXPECT_LE(tut_highlight_blend, 1.0f + 1e-5f);
  }
  EXPECT_EQ(TutorialEnd(), 1);
  EXPECT_EQ(tut_on, 1);
  TutorialTick();
  EXPECT_EQ(tut_stage, 2);
}

TEST_F(TutorialTest, AfterStartIsPressedTheTutorialIsDone) {
  TutorialSetOptionForTests(1);
  factory_levels[0] = 1;
  Put(9);
  Put(0);
  Put(1);
  TutorialAdvanceIfNeeded();
  EXPECT_STREQ(tut_text_str, "Press Start to begin...");
  eng_key_down[32] = 2;
  QuarrelwickTick();
  EXPECT_EQ(game_paused, 0);
  EXPECT_STREQ(tut_text_str, "");
  EXPECT_EQ(tut_on, 1);
  eng_key_down[32] = 2;
  QuarrelwickTick();
  EXPECT_EQ(game_paused, 1);
  EXPECT_EQ(tut_on, 1);
}

}  // namespace

namespace {

// The texts the player sees come from the language file, with the code's English defaults.
TEST(SidebarAndTutorialTexts, EveryTokenIsInTheEnglishFileWithItsDefault) {
  const std::string english = qwtest::ReadWholeFile(qwtest::SourceDir() + "/resources/CommonTexts/English.txt");
  for (const char *line : {"Sidebar_Start=START", "Sidebar_Pause=PAUSE", "Sidebar_Resume=RESUME",
                           "Tutorial_PlaceFactory=Place a factory in the garden.",
                           "Tutorial_PlaceWeapon=Place a weapon near the road.",
                           "Tutorial_PlaceAnotherWeapon=Place another weapon near the road.",
                           "Tutorial_PressStart=Press Start to begin..."})
    EXPECT_NE(english.find(std::string("\n") + line + "\n"), std::string::npos) << line;
}

}  // namespace
