// The shop column and bottom bar without a device: availability from the factory levels, the
// pointer in side-texture pixels and the box under it, click sequences in the column and on
// the bar, the family keys, and the two button-position queries with their failures.
#include "game/Sidebar.h"

#include <gtest/gtest.h>

#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngWindow.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Tutorial.h"
#include "game/Weapons.h"
#include "tests/game/PlayFieldRequests.h"
#include "tests/game/PlayFieldTestSupport.h"

namespace {

class SidebarTest : public qwtest::PlayFieldTest {
 protected:
  void SetUp() override {
    qwtest::PlayFieldTest::SetUp();
    eng_main_window_x_ratio_inv = eng_main_window_y_ratio_inv = 1.0f;
    eng_main_window_x_widescreen_ratio = 1.0f;
    SidebarPre3dInit();
    ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
  }
  // The design point at the centre of a box.
  static void PointAtBox(int box, float *X, float *Y) {
    const EngInt32 *p = sb_lb_pos[box];
    *X = (float(p[0] + p[2]) / 2.0f) * 100.0f / 256.0f;
    *Y = (float(p[1] + p[3]) / 2.0f) * 450.0f / 1024.0f;
  }
  // Moves the pointer over a box the way the game does, then clicks (pressed 1) there.
  static void ClickBox(int box, char state = 1) {
    float X, Y;
    PointAtBox(box, &X, &Y);
    QuarrelwickMoveMouse(X, Y);
    QuarrelwickMouseButtonPressed(0, state);
  }
  static void SetFactories(int gun, int spray, int projectile) {
    factory_levels[0] = gun;
    factory_levels[1] = spray;
    factory_levels[2] = projectile;
    SidebarUpdateFactories(-1);
  }
};

TEST_F(SidebarTest, AvailabilityFollowsTheFactoryLevels) {
  struct Case {
    int levels[3];
    const char *on;  // box 0..11
  } cases[] = {
      {{0, 0, 0}, "000000000111"},
      {{1, 0, 0}, "100000000011"},  // the gun factory at level 1 lights box 0 only
      {{0, 1, 0}, "000100000101"},  // a bought spray factory leaves box 10 unpickable
      {{2, 0, 3}, "110000111010"},
      {{3, 3, 3}, "111111111000"},
  };
  for (const Case &c : cases) {
    SetFactories(c.levels[0], c.levels[1], c.levels[2]);
    std::string on;
    for (int i = 0; i < QW_SIDEBAR_BOXES; i++) on += sb_button_on[i] ? '1' : '0';
    EXPECT_EQ(on, c.on) << c.levels[0] << c.levels[1] << c.levels[2];
  }
  // A factory bought while the pictures are not made still answers, without drawing.
  EXPECT_EQ(SidebarUpdateFactories(0), 0);
  for (int i = 0; i < QW_SIDEBAR_BOXES; i++) EXPECT_EQ(sb_lb_weapon_types[i], i);
}

TEST_F(SidebarTest, BoxesSitAtTheirPixelRectangles) {
  const EngInt32 want[][5] = {{0, 14, 220, 84, 300}, {4, 92, 438, 162, 518}, {8, 170, 656, 240, 736},
                              {11, 170, 874, 240, 954}};
  for (const auto &w : want)
    for (int k = 0; k < 4; k++) EXPECT_EQ(sb_lb_pos[w[0]][k], w[k + 1]) << w[0];
  EXPECT_FLOAT_EQ(sb_lb_tex_pos[0].x, 14.0f * 100.0f / 256.0f);
  EXPECT_FLOAT_EQ(sb_lb_tex_pos[0].width, 70.0f * 100.0f / 256.0f);
  EXPECT_FLOAT_EQ(sb_lb_tex_pos[0].y, 220.0f * 480.0f / 1024.0f);
  EXPECT_FLOAT_EQ(sb_lb_tex_pos[0].height, 80.0f * 480.0f / 1024.0f);
}

TEST_F(SidebarTest, PointerFindsTheFirstBoxUnderIt) {
  SetFactories(1, 1, 0);
  struct Case {
    float sx, sy;  // side-texture pixels
    int box;
  } cases[] = {
      {14, 220, 0},    {83.9f, 299.9f, 0}, {84, 250, -1}, {88, 250, -1},   {120, 478, 4},
      {200, 900, 11},  {50, 900, -1},      // the bought gun factory selects nothing
      {120, 900, -1},  // nor the bought spray factory
      {120, 100, -1},  {255, 1023, -1},
  };
  for (const Case &c : cases) {
    int before = qwtest::popup_updates;
    int was = sbl_over_what;
    EXPECT_EQ(SidebarMoveMouse(c.sx * 100.0f / 256.0f, c.sy * 450.0f / 1024.0f), 1);
    EXPECT_NEAR(sbl_cursor_x, c.sx, 1e-3f);
    EXPECT_NEAR(sbl_cursor_y, c.sy, 1e-3f);
    EXPECT_EQ(sbl_over_what, c.box) << c.sx << "," << c.sy;
    // The information popup hears of a change of box only.
    EXPECT_EQ(qwtest::popup_updates - before, was != c.box ? 1 : 0) << c.sx << "," << c.sy;
  }
  // Outside the column: the play field is not the sidebar's, the bar's buttons are.
  struct Bar {
    float X, Y;
    char taken;
    int over;
  } bar[] = {{300, 200, 0, 0}, {500, 450, 0, 0}, {500, 465, 1, 1}, {468, 470, 1, 1}, {555, 470, 1, 0},
             {560, 470, 1, 0}, {576, 470, 1, 2}, {639, 479, 1, 2}, {120, 470, 1, 0}};
  for (const Bar &b : bar) {
    EXPECT_EQ(SidebarMoveMouse(b.X, b.Y), b.taken) << b.X << "," << b.Y;
    EXPECT_EQ(sb_over_menu, b.over) << b.X << "," << b.Y;
    EXPECT_EQ(sbl_over_what, -1);
  }
}

TEST_F(SidebarTest, ClickingBoxesPicksCancelsAndRefuses) {
  SetFactories(1, 0, 0);
  ClickBox(0);
  EXPECT_EQ(play_state, 1);
  EXPECT_EQ(weapon_placing_type, 0);
  ASSERT_NE(weapon_to_place, nullptr);
  EXPECT_EQ(weapon_to_place->type, 0);
  EXPECT_EQ(weapon_to_place->full_viewport, 1);
  EXPECT_EQ(qwtest::sounds_played, std::vector<int>{20});

  // Another box while placing: the placing is cancelled only; a second click picks it.
  ClickBox(10);
  EXPECT_EQ(play_state, 0);
  EXPECT_EQ(weapon_to_place, nullptr);
  EXPECT_EQ(qwtest::sounds_played.size(), 1u);
  ClickBox(10);
  EXPECT_EQ(play_state, 1);
  EXPECT_EQ(weapon_placing_type, 10);
  EXPECT_EQ(qwtest::sounds_played, (std::vector<int>{20, 20}));
  // A double click while placing cancels and picks at once.
  ClickBox(11, 2);
  EXPECT_EQ(play_state, 1);
  EXPECT_EQ(weapon_placing_type, 11);
  ClickBox(0);
  EXPECT_EQ(play_state, 0);

  // A release, a right click, a locked box and a bought factory do nothing.
  ClickBox(0, 0);
  EXPECT_EQ(play_state, 0);
  float X, Y;
  PointAtBox(0, &X, &Y);
  QuarrelwickMoveMouse(X, Y);
  QuarrelwickMouseButtonPressed(1, 1);
  EXPECT_EQ(play_state, 0);
  for (int box : {1, 9}) {
    ClickBox(box);
    EXPECT_EQ(play_state, 0) << box;
  }

  // Too little cash for the Turret: nothing.
  cash = weapon_type_level_details[0][0].price - 1;
  ClickBox(0);
  EXPECT_EQ(play_state, 0);
  EXPECT_EQ(weapon_to_place, nullptr);
  cash = weapon_type_level_details[0][0].price;
  ClickBox(0);
  EXPECT_EQ(play_state, 1);

  // Types outside 0..11 are refused, never used.
  SidebarCancelAnyPlacing();
  std::string log = Logged([] {
    EXPECT_EQ(SidebarStartPlacingWeapon(12), 0);
    EXPECT_EQ(SidebarStartPlacingWeapon(-1), 0);
  });
  EXPECT_NE(log.find(DebugGetStringFromErrorNumber(DEBUG_ERR_IERR)), std::string::npos) << log;
  EXPECT_EQ(play_state, 0);
}

TEST_F(SidebarTest, BottomButtonStartsPausesAndResumes) {
  TutorialSetOptionForTests(1);
  EXPECT_STREQ(SidebarGetButtonText(), "START");
  EXPECT_EQ(game_paused, 2);
  QuarrelwickMoveMouse(510, 465);
  ASSERT_EQ(sb_over_menu, 1);
  // Only a left press acts.
  QuarrelwickMouseButtonPressed(1, 1);
  QuarrelwickMouseButtonPressed(0, 0);
  EXPECT_EQ(game_paused, 2);
  const char *texts[] = {"PAUSE", "RESUME", "PAUSE", "RESUME"};
  const int paused[] = {0, 1, 0, 1};
  for (int i = 0; i < 4; i++) {
    tut_stage = 2;
    QuarrelwickMouseButtonPressed(0, 1);
    EXPECT_EQ(game_paused, paused[i]) << i;
    EXPECT_STREQ(SidebarGetButtonText(), texts[i]) << i;
    // Each toggle has the tutorial look again.
    EXPECT_EQ(tut_stage, 0) << i;
  }
  // Between the buttons nothing happens, yet the click is the bar's.
  QuarrelwickMoveMouse(565, 465);
  EXPECT_EQ(SidebarMouseButtonPressed(0, 1), 1);
  EXPECT_EQ(game_paused, 1);
  // With no game object the menu button does nothing (the game tests follow it to the pause).
  QuarrelwickMoveMouse(600, 465);
  EXPECT_EQ(sb_over_menu, 2);
  EXPECT_EQ(SidebarMouseButtonPressed(0, 1), 1);
  // Over the play field the click is not the sidebar's.
  QuarrelwickMoveMouse(300, 200);
  EXPECT_EQ(SidebarMouseButtonPressed(0, 1), 0);
}

TEST_F(SidebarTest, FamilyKeysPlaceTheFamilysBestWeapon) {
  struct Case {
    int levels[3];
    int key;
    bool control;
    int cash;
    int placing;  // -1 none
  } cases[] = {
      {{0, 0, 0}, 'G', false, 5000, 9}, {{0, 0, 0}, 'S', false, 5000, 10}, {{0, 0, 0}, 'P', false, 5000, 11},
      {{2, 0, 0}, 'G', false, 5000, 1}, {{1, 3, 1}, 'S', false, 5000, 5}, {{2, 0, 0}, 'G', true, 5000, -1},
      {{0, 0, 0}, 'P', false, 0, -1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(1, char(c.key)) + (c.control ? " ctrl" : ""));
    SidebarCancelAnyPlacing();
    SetFactories(c.levels[0], c.levels[1], c.levels[2]);
    cash = c.cash;
    eng_key_down[229] = c.control ? 2 : 0;
    eng_key_down[c.key] = 2;
    QuarrelwickTick();
    EXPECT_EQ(play_state, c.placing >= 0 ? 1 : 0);
    if (c.placing >= 0) {
      EXPECT_EQ(weapon_placing_type, c.placing);
      EXPECT_EQ(eng_key_down[c.key], 0);
    } else {
      // Refused: the key stays down for a later try.
      EXPECT_EQ(eng_key_down[c.key], 2);
    }
    eng_key_down[c.key] = 0;
  }
}

TEST_F(SidebarTest, ButtonPositionsAreWidenedAndHeldOnTheScreen) {
  struct Case {
    int box;
    char on_screen;
    float xm, ym;
    _Dimension want;
  } cases[] = {
      {4, 0, 0, 0, {92 * 100 / 256.0f, 438 * 480 / 1024.0f, 70 * 100 / 256.0f, 80 * 480 / 1024.0f}},
      {4, 1, 0, 0, {92 * 100 / 256.0f, 438 * 450 / 1024.0f, 70 * 100 / 256.0f, 80 * 450 / 1024.0f}},
      {4, 1, 6, 11, {92 * 100 / 256.0f - 6, 438 * 450 / 1024.0f - 11, 70 * 100 / 256.0f + 12, 80 * 450 / 1024.0f + 22}},
      // Near the edges the rectangle is moved back, not shrunk.
      {0, 1, 10, 0, {0, 220 * 450 / 1024.0f, 70 * 100 / 256.0f + 20, 80 * 450 / 1024.0f}},
      {11, 1, 0, 70, {170 * 100 / 256.0f, 480 - (80 * 450 / 1024.0f + 140), 70 * 100 / 256.0f, 80 * 450 / 1024.0f + 140}},
  };
  for (const Case &c : cases) {
    _Dimension d;
    ASSERT_EQ(SidebarGetSideButtonPosition(c.box, c.on_screen, c.xm, c.ym, &d), 1);
    EXPECT_NEAR(d.x, c.want.x, 1e-3f) << c.box;
    EXPECT_NEAR(d.y, c.want.y, 1e-3f) << c.box;
    EXPECT_NEAR(d.width, c.want.width, 1e-3f) << c.box;
    EXPECT_NEAR(d.height, c.want.height, 1e-3f) << c.box;
  }
  _Dimension d = {1, 2, 3, 4};
  std::string log = Logged([] {
    _Dimension e;
    EXPECT_EQ(SidebarGetSideButtonPosition(12, 1, 0, 0, &e), 0);
    EXPECT_EQ(SidebarGetSideButtonPosition(-1, 1, 0, 0, &e), 0);
    EXPECT_EQ(SidebarGetSideButtonPosition(0, 1, 0, 0, nullptr), 0);
  });
  EXPECT_NE(log.find("Bad bnum 12."), std::string::npos) << log;
  EXPECT_NE(log.find("Bad bnum -1."), std::string::npos) << log;
  EXPECT_NE(log.find(DebugGetStringFromErrorNumber(DEBUG_ERR_BAPA)), std::string::npos) << log;

  log = Logged([] {
    _Dimension e;
    ASSERT_EQ(SidebarGetBottomButtonPosition(0, 1, 0, 0, &e), 1);
  });
  EXPECT_NE(log.find("[468 450 87 30]"), std::string::npos) << log;
  ASSERT_EQ(SidebarGetBottomButtonPosition(0, 0, 5, 3, &d), 1);
  EXPECT_FLOAT_EQ(d.x, 463);
  EXPECT_FLOAT_EQ(d.y, 447);
  EXPECT_FLOAT_EQ(d.width, 97);
  EXPECT_FLOAT_EQ(d.height, 36);
  // x is held within the screen, y is not.
  ASSERT_EQ(SidebarGetBottomButtonPosition(0, 0, 100, 40, &d), 1);
  EXPECT_FLOAT_EQ(d.x, 640 - 287);
  EXPECT_FLOAT_EQ(d.y, 410);
  EXPECT_FLOAT_EQ(d.height, 110);
  log = Logged([] {
    _Dimension e;
    EXPECT_EQ(SidebarGetBottomButtonPosition(1, 0, 0, 0, &e), 0);
    EXPECT_EQ(SidebarGetBottomButtonPosition(0, 0, 0, 0, nullptr), 0);
  });
  EXPECT_NE(log.find(DebugGetStringFromErrorNumber(DEBUG_ERR_NOIM)), std::string::npos) << log;
  EXPECT_NE(log.find(DebugGetStringFromErrorNumber(DEBUG_ERR_BAPA)), std::string::npos) << log;
}

}  // namespace
