// Kinetic scrolling over a rectangular area: drags, taps and wheel steps become a scroll
// position on up to two axes, with overshoot and spring-back; released drags coast only on
// the phone and tablet layouts. A plain value object that its holder feeds, ticks and reads.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"

// button (always 0), tap count, tap x, tap y, the holder's data.
typedef void (*ENG_SCROLLER_TAP_CB)(int button, int tap_count, float x, float y, void *data);

class EngScroller {
 public:
  EngScroller();
  ~EngScroller();

  // Arguments: area (null: the whole 640 by 480 design space), axis lock, then per axis
  // (x first) on, position, minimum, maximum, page, drag threshold (negative: 3.0) and free
  // drag, then the friction shared by both axes.
  void TurnOn(const _Dimension *area, char axis_lock, char x_on, float x_pos, float x_min, float x_max, float x_page,
              float x_threshold, char x_free_drag, char y_on, float y_pos, float y_min, float y_max, float y_page,
              float y_threshold, char y_free_drag, float friction);
  void TurnOff();
  void Reset();
  // Stops the axis (0 x, 1 y) and clamps its position into the limits.
  void Reset(int axis);
  void SetXPos(float pos);
  void SetYPos(float pos);

  char Input(_EngDesktopInputType type, EngInputParm1 p1, EngInputParm2 p2);
  char MouseMoved(float x, float y, int block);
  char MouseButtonPressed(char button, char pressed, float x, float y, char cancel, char allow_tap);
  char MouseButtonDoubleClicked(char button, float x, float y);
  char MouseWheelMoved(int delta);
  char MouseButtonPressedAxis(int axis, char button, char pressed, float coord);
  char MouseMovedAxis(int axis, float coord, float area_size);
  char MouseWheelMovedAxis(int axis, int delta);
  char IsPosInArea();
  void CheckAcceleration(int axis);
  char Tick();
  char TickAxis(int axis, float area_size);

  // Per-axis arrays are indexed 0 for x, 1 for y. Holders read m_pos and may set the tap
  // callback and its data.
  char m_on = 0;
  _Dimension m_area = {0.0f, 0.0f, ENG_DESIGN_WIDTH, ENG_DESIGN_HEIGHT};
  char m_axis_lock = 0;
  char m_axis_on[2] = {};
  float m_pos[2] = {};
  float m_min[2] = {};
  float m_max[2] = {};
  float m_page[2] = {};
  float m_drag_start_pos[2] = {};
  // 0 idle, 2 pressed, 3 pressed and moving within the threshold, 4 dragging.
  signed char m_state[2] = {};
  float m_press[2] = {};
  float m_last_sample[2] = {};
  float m_prev_sample[2] = {};
  double m_last_sample_time[2] = {};
  double m_prev_sample_time[2] = {};
  float m_velocity[2] = {};
  float m_pointer[2] = {};
  float m_range[2] = {};
  double m_sample_interval[2] = {};
  float m_margin[2] = {};
  float m_friction[2] = {};
  float m_spring_rate[2] = {};
  float m_threshold[2] = {};
  char m_free_drag[2] = {};
  float m_last_coord[2] = {};
  char m_button_down = 0;
  ENG_SCROLLER_TAP_CB m_tap_cb = nullptr;
  void *m_tap_cb_data = nullptr;
  double m_press_time = 0;
  double m_tap_time = 0;
  int m_tap_button = 0;
  int m_tap_count = 0;
  float m_tap_x = 0;
  float m_tap_y = 0;

 private:
  char ValidAxis(int axis, const char *signature);
  void ShiftSamples(int axis, float coord);
  float AreaSize(int axis) const { return axis == 0 ? m_area.width : m_area.height; }
};
