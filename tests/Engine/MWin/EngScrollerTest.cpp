#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/EngScroller.h"
#include "tests/Engine/MWin/MWinTestSupport.h"

namespace qwtest {
namespace {

struct Tap {
  int button, count;
  float x, y;
};

void RecordTap(int button, int count, float x, float y, void *data) {
  static_cast<std::vector<Tap> *>(data)->push_back({button, count, x, y});
}

// The clock and the frame step are injected through the engine globals the scroller reads.
class EngScrollerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    EngWhichDeviceResetForTests();
    SetWindowSizeForToolkit(640, 480);
    saved_time = eng_main_current_time.load();
    saved_step = eng_main_frames_per_second;
    At(100.0);
    eng_main_frames_per_second = 1.0f / 60.0f;
  }
  void TearDown() override {
    eng_main_current_time = saved_time;
    eng_main_frames_per_second = saved_step;
    EngWhichDeviceResetForTests();
  }

  void At(double t) { eng_main_current_time = t; }
  void Later(double dt) { eng_main_current_time = eng_main_current_time.load() + dt; }

  // A vertical list over the whole design space: y from 0 to 1000, one page per screen height.
  void TurnOnVertical(float pos = 100.0f, char free_drag = 1) {
    s.TurnOn(nullptr, 1, 0, 0, 0, 0, 0, -1, 0, 1, pos, 0.0f, 1000.0f, 480.0f, -1, free_drag, 1.0f);
  }
  void TurnOnBoth(char axis_lock) {
    _Dimension area = {0, 0, 640, 480};
    s.TurnOn(&area, axis_lock, 1, 100, 0, 1000, 640, -1, 1, 1, 100, 0, 1000, 480, -1, 1, 1.0f);
  }
  void Press(float x, float y) { s.MouseButtonPressed(0, 1, x, y, 0, 1); }
  char Release(float x, float y) { return s.MouseButtonPressed(0, 0, x, y, 0, 1); }
  // Press at y, take the first move there, then pass the threshold so the drag is on.
  void StartVerticalDrag(float y) {
    Press(320, y);
    s.MouseMoved(320, y, 0);
    Later(0.01);
    s.MouseMoved(320, y - 4, 0);
    ASSERT_EQ(s.m_state[1], 4);
  }
  void Ticks(int n) {
    for (int i = 0; i < n; i++) {
      Later(eng_main_frames_per_second);
      s.Tick();
    }
  }

  EngScroller s;
  double saved_time = 0;
  float saved_step = 0;
};

TEST_F(EngScrollerTest, TurnOnRefusesEmptyAreasAndSetsDefaults) {
  const _Dimension bad[] = {{0, 0, 100, 0}, {0, 0, 0, 100}, {10, 10, -5, 20}};
  for (const _Dimension &area : bad) {
    std::string log = Logged([&] { s.TurnOn(&area, 1, 1, 0, 0, 10, 10, -1, 1, 1, 0, 0, 10, 10, -1, 1, 1.0f); });
    EXPECT_NE(log.find("Invalid Dimension"), std::string::npos);
    EXPECT_FALSE(s.m_on);
    EXPECT_FALSE(s.MouseWheelMoved(1));
  }

  s.TurnOn(nullptr, 1, 1, -50, 0, 0, 10, -2, 1, 1, 2000, 0, 1000, 480, 7, 0, 0.5f);
  EXPECT_TRUE(s.m_on);
  EXPECT_FLOAT_EQ(s.m_area.width, 640);
  EXPECT_FLOAT_EQ(s.m_area.height, 480);
  EXPECT_FLOAT_EQ(s.m_threshold[0], 3.0f);
  EXPECT_FLOAT_EQ(s.m_threshold[1], 7.0f);
  EXPECT_FLOAT_EQ(s.m_range[0], 1.0f);  // equal limits
  EXPECT_FLOAT_EQ(s.m_range[1], 1000.0f);
  EXPECT_FLOAT_EQ(s.m_spring_rate[0], 30.0f);
  EXPECT_FLOAT_EQ(s.m_pos[0], 0.0f);  // clamped into the limits
  EXPECT_FLOAT_EQ(s.m_pos[1], 1000.0f);
  EXPECT_FLOAT_EQ(s.m_last_coord[1], -9999.0f);
}

TEST_F(EngScrollerTest, DragMovesWithThePointerAndClampsUnlessFree) {
  struct Case {
    char free_drag;
    float to_y;  // pointer y after pressing at 200
    float pos;
  } cases[] = {
      {1, 100, 200},   // up by 100 design units: content forward by 100
      {1, 250, 50},    // down by 50
      {1, 400, -100},  // free drag leaves the limits by any amount
      {0, 400, 0},     // else it is held at the minimum
      {0, -900, 1000},
  };
  for (const Case &c : cases) {
    TurnOnVertical(100, c.free_drag);
    StartVerticalDrag(200);
    EXPECT_FLOAT_EQ(s.m_pos[1], 100.0f) << "passing the threshold does not move";
    Later(0.01);
    EXPECT_TRUE(s.MouseMoved(320, c.to_y, 0));
    EXPECT_FLOAT_EQ(s.m_pos[1], c.pos) << c.to_y;
    EXPECT_FLOAT_EQ(s.m_last_coord[1], c.to_y);
  }
}

TEST_F(EngScrollerTest, TravelWithinTheThresholdNeverMoves) {
  TurnOnVertical(100);
  Press(320, 200);
  for (float y : {200.0f, 203.0f, 197.0f, 202.5f}) {
    Later(0.05);
    EXPECT_TRUE(s.MouseMoved(320, y, 0));
    EXPECT_EQ(s.m_state[1], 3);
    EXPECT_FLOAT_EQ(s.m_pos[1], 100.0f);
  }
  Later(0.5);
  EXPECT_TRUE(Release(320, 202));
  Ticks(10);
  EXPECT_FLOAT_EQ(s.m_pos[1], 100.0f);
}

TEST_F(EngScrollerTest, ReleasedDragStopsOnTheDesktopAndCoastsOnMobileLayouts) {
  for (int tablet_kind : {-1, 0, 1}) {
    EngWhichDeviceResetForTests();
    if (tablet_kind >= 0) EngWhichDeviceSetTabletMode(tablet_kind, nullptr);
    At(100.0);
    TurnOnVertical(100);
    Press(320, 300);
    s.MouseMoved(320, 300, 0);  // samples 300 at t 100
    Later(0.01);
    s.MouseMoved(320, 290, 0);  // drag on, no sample while within the threshold
    Later(0.01);
    s.MouseMoved(320, 280, 0);  // sample 280 at t 100.02
    ASSERT_FLOAT_EQ(s.m_pos[1], 120.0f);
    Later(0.001);
    Release(320, 280);

    if (tablet_kind < 0) {
      EXPECT_FLOAT_EQ(s.m_velocity[1], 0.0f);
      Ticks(30);
      EXPECT_FLOAT_EQ(s.m_pos[1], 120.0f);
      continue;
    }
    // 20 units up in 0.02 s over a range of 1000: -1 range per second.
    EXPECT_NEAR(s.m_velocity[1], -1.0f, 1e-3f) << tablet_kind;
    float v = s.m_velocity[1];
    Ticks(1);
    EXPECT_NEAR(s.m_pos[1], 120.0f + 1000.0f / 60.0f, 0.05f);
    EXPECT_NEAR(s.m_velocity[1], v * (59.0f / 60.0f), 1e-4f);  // friction 1
    float previous = s.m_pos[1];
    for (int i = 0; i < 30; i++) {
      Ticks(1);
      EXPECT_GT(s.m_pos[1], previous);
      EXPECT_LT(s.m_velocity[1], 0.0f);
      previous = s.m_pos[1];
    }
    EXPECT_NEAR(s.m_velocity[1], v * std::pow(59.0f / 60.0f, 31.0f), 1e-3f);
    EXPECT_LT(s.m_pos[1], 1000.0f);
  }
}

TEST_F(EngScrollerTest, CoastingOvershootStopsAtTheMarginThenSpringsBack) {
  EngWhichDeviceSetTabletMode(0, nullptr);
  // Low friction makes a soft spring, so the overshoot shows.
  s.TurnOn(nullptr, 1, 0, 0, 0, 0, 0, -1, 0, 1, 900, 0, 1000, 480, -1, 1, 0.1f);
  Press(320, 400);
  s.MouseMoved(320, 400, 0);
  Later(0.01);
  s.MouseMoved(320, 390, 0);
  Later(0.01);
  s.MouseMoved(320, 300, 0);  // a fast flick toward the maximum
  Later(0.001);
  Release(320, 300);
  ASSERT_LT(s.m_velocity[1], -4.0f);
  float highest = s.m_pos[1];
  int ticks_to_stop = 0;
  while (s.m_velocity[1] != 0.0f && ticks_to_stop < 100) {
    Ticks(1);
    ticks_to_stop++;
    highest = std::max(highest, s.m_pos[1]);
  }
  EXPECT_LT(ticks_to_stop, 20);  // cut short by the margin, not by friction
  EXPECT_GT(highest, 1050.0f);
  EXPECT_LE(highest, 1100.0f);
  Ticks(300);
  EXPECT_FLOAT_EQ(s.m_pos[1], 1000.0f);

  // One step straight into the margin: held at maximum + 100, then the same tick's spring.
  s.SetYPos(1090);
  s.m_velocity[1] = -3.0f;  // 50 units a frame
  EXPECT_TRUE(s.TickAxis(1, 480));
  EXPECT_FLOAT_EQ(s.m_velocity[1], 0.0f);
  EXPECT_FLOAT_EQ(s.m_pos[1], 1100.0f - 101.0f * 6.0f / 60.0f);
}

TEST_F(EngScrollerTest, SpringBackMovesBySixtyTimesFrictionPerSecondTimesDistancePlusOne) {
  struct Case {
    float set, first_step_to;
  } cases[] = {
      {-50, -50 + 51 * 0.5f},
      {1040, 1040 - 41 * 0.5f},
  };
  eng_main_frames_per_second = 1.0f / 120.0f;
  for (const Case &c : cases) {
    TurnOnVertical(100);
    s.SetYPos(c.set);
    EXPECT_FLOAT_EQ(s.m_pos[1], c.set);  // accepted unclamped
    Later(1.0 / 120.0);
    s.Tick();
    EXPECT_FLOAT_EQ(s.m_pos[1], c.first_step_to);
    Ticks(20);
    EXPECT_FLOAT_EQ(s.m_pos[1], c.set < 0 ? 0.0f : 1000.0f);  // lands exactly on the limit
  }

  // A drag past the minimum springs back only after the release.
  eng_main_frames_per_second = 1.0f / 60.0f;
  TurnOnVertical(0);
  StartVerticalDrag(200);
  Later(0.01);
  s.MouseMoved(320, 280, 0);
  ASSERT_FLOAT_EQ(s.m_pos[1], -80.0f);
  Ticks(5);
  EXPECT_FLOAT_EQ(s.m_pos[1], -80.0f);
  Release(320, 280);
  Ticks(1);
  EXPECT_FLOAT_EQ(s.m_pos[1], 0.0f);  // one whole frame at friction 1 reaches the limit
}

TEST_F(EngScrollerTest, WheelStepsClampAndRecordTheLastCoordinate) {
  struct Case {
    float start;
    int delta;
    float pos;
  } cases[] = {{100, 10, 90}, {100, -25, 125}, {5, 10, 0}, {995, -10, 1000}};
  for (const Case &c : cases) {
    TurnOnVertical(c.start);
    EXPECT_TRUE(s.MouseWheelMoved(c.delta));
    EXPECT_FLOAT_EQ(s.m_pos[1], c.pos);
    EXPECT_FLOAT_EQ(s.m_last_coord[1], c.pos);
    EXPECT_FLOAT_EQ(s.m_pos[0], 0.0f);  // x does not scroll
  }
  TurnOnBoth(1);
  EXPECT_TRUE(s.MouseWheelMoved(30));
  EXPECT_FLOAT_EQ(s.m_pos[0], 70.0f);
  EXPECT_FLOAT_EQ(s.m_pos[1], 70.0f);

  s.TurnOff();
  EXPECT_FALSE(s.MouseWheelMoved(30));
  EXPECT_FLOAT_EQ(s.m_pos[1], 70.0f);
  EXPECT_TRUE(s.MouseWheelMovedAxis(1, 30));  // the axis step works while off
  EXPECT_FLOAT_EQ(s.m_pos[1], 40.0f);

  s.TurnOn(nullptr, 1, 0, 0, 0, 0, 0, -1, 0, 0, 0, 0, 0, 0, -1, 0, 1.0f);
  EXPECT_FALSE(s.MouseWheelMoved(30));  // no scrolling axis
}

TEST_F(EngScrollerTest, QuickPressesAreTapsCountedUntilTheTapWaitEnds) {
  std::vector<Tap> taps;
  TurnOnVertical(100);
  s.m_tap_cb = RecordTap;
  s.m_tap_cb_data = &taps;

  Press(30, 40);
  Later(0.1);
  EXPECT_TRUE(Release(31, 41));
  EXPECT_EQ(s.m_state[1], 0);
  EXPECT_FLOAT_EQ(s.m_pos[1], 100.0f);
  Later(0.1);
  EXPECT_TRUE(s.MouseButtonDoubleClicked(0, 32, 42));  // a press and a release: the second tap
  Later(0.29);
  EXPECT_TRUE(s.Tick());  // pending, not yet due
  EXPECT_TRUE(taps.empty());
  Later(0.02);
  EXPECT_TRUE(s.Tick());
  ASSERT_EQ(taps.size(), 1u);
  EXPECT_EQ(taps[0].button, 0);
  EXPECT_EQ(taps[0].count, 2);
  EXPECT_FLOAT_EQ(taps[0].x, 32);
  EXPECT_FLOAT_EQ(taps[0].y, 42);
  EXPECT_FALSE(s.Tick());  // nothing pending any more

  // A single later tap starts its count again.
  Later(1.0);
  Press(50, 60);
  Release(50, 60);
  Later(0.31);
  s.Tick();
  ASSERT_EQ(taps.size(), 2u);
  EXPECT_EQ(taps[1].count, 1);
}

TEST_F(EngScrollerTest, SlowPressesDragsAndRefusedTapsAreNotTaps) {
  std::vector<Tap> taps;
  TurnOnVertical(100);
  s.m_tap_cb = RecordTap;
  s.m_tap_cb_data = &taps;

  Press(30, 40);  // held too long
  Later(0.2);
  EXPECT_TRUE(Release(30, 40));
  EXPECT_EQ(s.m_tap_time, 0.0);

  StartVerticalDrag(200);  // dragged, however quickly
  Release(320, 196);
  EXPECT_EQ(s.m_tap_time, 0.0);

  Press(30, 40);  // a tap the caller does not allow changes nothing
  EXPECT_FALSE(s.MouseButtonPressed(0, 0, 30, 40, 0, 0));
  EXPECT_EQ(s.m_tap_time, 0.0);
  EXPECT_EQ(s.m_state[1], 2);

  Later(1.0);
  s.Tick();
  EXPECT_TRUE(taps.empty());
}

TEST_F(EngScrollerTest, AxisLockKeepsTheOtherAxisStillForTheWholeDrag) {
  TurnOnBoth(1);
  Press(300, 200);
  s.MouseMoved(300, 200, 0);
  Later(0.01);
  s.MouseMoved(310, 202, 0);  // mostly horizontal: x takes it
  Later(0.01);
  s.MouseMoved(320, 205, 0);
  ASSERT_EQ(s.m_state[0], 4);
  for (float y : {250.0f, 350.0f, 100.0f}) {
    Later(0.01);
    s.MouseMoved(330, y, 0);
    EXPECT_FLOAT_EQ(s.m_pos[1], 100.0f);
    EXPECT_NE(s.m_state[1], 4);
  }
  EXPECT_FLOAT_EQ(s.m_pos[0], 100.0f - 30.0f);  // x follows: page 640 over the 640 width

  // Without the lock both axes follow the same drag.
  TurnOnBoth(0);
  Press(300, 200);
  s.MouseMoved(300, 200, 0);
  Later(0.01);
  s.MouseMoved(310, 210, 0);
  Later(0.01);
  s.MouseMoved(320, 240, 0);
  EXPECT_FLOAT_EQ(s.m_pos[0], 80.0f);
  EXPECT_FLOAT_EQ(s.m_pos[1], 60.0f);
}

TEST_F(EngScrollerTest, PressesOutsideTheAreaAndBlockedOrOffInputAreIgnored) {
  _Dimension area = {100, 100, 200, 100};
  s.TurnOn(&area, 1, 0, 0, 0, 0, 0, -1, 0, 1, 100, 0, 1000, 100, -1, 1, 1.0f);
  struct Case {
    float x, y;
    char inside;
  } cases[] = {{100, 100, 1}, {299, 199, 1}, {300, 150, 0}, {150, 200, 0}, {99, 150, 0}};
  for (const Case &c : cases) {
    s.Reset();
    EXPECT_EQ(s.MouseButtonPressed(0, 1, c.x, c.y, 0, 1), c.inside) << c.x << "," << c.y;
    EXPECT_EQ(s.m_state[1], c.inside ? 2 : 0);
  }
  EXPECT_FALSE(s.MouseButtonPressed(1, 1, 150, 150, 0, 1));  // only the first button
  EXPECT_FALSE(s.MouseMoved(150, 120, 1));

  // A cancel forgets the press and pulls an overshoot back into the limits.
  s.Reset();
  Press(150, 150);
  s.MouseMoved(150, 150, 0);
  s.MouseMoved(150, 190, 0);
  s.MouseMoved(150, 400, 0);
  ASSERT_LT(s.m_pos[1], 0.0f);
  EXPECT_FALSE(s.MouseButtonPressed(0, 0, 0, 0, 1, 1));
  EXPECT_EQ(s.m_state[1], 0);
  EXPECT_FLOAT_EQ(s.m_pos[1], 0.0f);

  s.TurnOff();
  EXPECT_FALSE(s.MouseButtonPressed(0, 1, 150, 150, 0, 1));
  EXPECT_FALSE(s.Tick());
  std::string log = Logged([&] { s.SetYPos(5000); });
  EXPECT_NE(log.find("Not on"), std::string::npos);
  EXPECT_FLOAT_EQ(s.m_pos[1], 5000.0f);
  log = Logged([&] { s.Reset(2); });
  EXPECT_NE(log.find("Bad parameters"), std::string::npos);
}

TEST_F(EngScrollerTest, InputDispatchesWindowEventsInDesignUnits) {
  SetWindowSizeForToolkit(1280, 960);
  TurnOnVertical(100);
  auto move = [&](float x, float y) {
    EngInputParm1 p1;
    EngInputParm2 p2;
    memcpy(&p1, &x, sizeof(p1));
    memcpy(&p2, &y, sizeof(p2));
    return s.Input(ENG_INPUT_MOUSE_MOVE, p1, p2);
  };
  move(640, 400);
  EXPECT_FLOAT_EQ(s.m_pointer[0], 320.0f);
  EXPECT_FLOAT_EQ(s.m_pointer[1], 200.0f);
  EXPECT_FALSE(s.Input(ENG_INPUT_MOUSE_BUTTON, 1, 1));
  EXPECT_TRUE(s.Input(ENG_INPUT_MOUSE_BUTTON, 0, 1));
  EXPECT_EQ(s.m_state[1], 2);
  EXPECT_TRUE(move(640, 400));
  Later(0.01);
  EXPECT_TRUE(move(640, 380));
  Later(0.01);
  EXPECT_TRUE(move(640, 300));  // 50 design units up
  EXPECT_FLOAT_EQ(s.m_pos[1], 150.0f);
  Later(0.5);
  EXPECT_TRUE(s.Input(ENG_INPUT_MOUSE_BUTTON, 0, 0));
  EXPECT_EQ(s.m_state[1], 0);

  EXPECT_TRUE(s.Input(ENG_INPUT_WHEEL, 20, 0));
  EXPECT_FLOAT_EQ(s.m_pos[1], 130.0f);
  EXPECT_TRUE(s.Input(ENG_INPUT_DOUBLE_CLICK, 0, 1));  // press and release at the pointer: a tap
  EXPECT_NE(s.m_tap_time, 0.0);
  EXPECT_FALSE(s.Input(ENG_INPUT_KEY_DOWN, 'A', 0));
}

}  // namespace
}  // namespace qwtest
