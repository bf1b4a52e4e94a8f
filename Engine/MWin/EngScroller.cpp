#include "Engine/MWin/EngScroller.h"

#include <cmath>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngWhichDevice.h"

static const float SCROLLER_NO_COORD = -9999.0f;
static const float SCROLLER_DEFAULT_THRESHOLD = 3.0f;
// Pointer travel between the last two samples below which a release does not coast.
static const float SCROLLER_MIN_FLICK = 3.0f;
static const double SCROLLER_TAP_PRESS_TIME = 0.2;
static const double SCROLLER_TAP_WAIT_TIME = 0.3;

static double Now() { return eng_main_current_time.load(); }

static float Clamp(float v, float lo, float hi) {
  if (v < lo) return lo;
  if (v > hi) return hi;
  return v;
}

EngScroller::EngScroller() = default;

EngScroller::~EngScroller() { TurnOff(); }

void EngScroller::TurnOff() { m_on = 0; }

void EngScroller::TurnOn(const _Dimension *area, char axis_lock, char x_on, float x_pos, float x_min, float x_max,
                         float x_page, float x_threshold, char x_free_drag, char y_on, float y_pos, float y_min,
                         float y_max, float y_page, float y_threshold, char y_free_drag, float friction) {
  if (area) {
    if (!(area->width > 0.0f) || !(area->height > 0.0f)) {
      m_on = 0;
      DebugErrorAlt(ENG_FUNC, "Invalid Dimension");
      return;
    }
    m_area = *area;
  } else {
    m_area = {0.0f, 0.0f, ENG_DESIGN_WIDTH, ENG_DESIGN_HEIGHT};
  }
  m_axis_lock = axis_lock;
  m_axis_on[0] = x_on;
  m_axis_on[1] = y_on;
  m_pos[0] = m_drag_start_pos[0] = x_pos;
  m_pos[1] = m_drag_start_pos[1] = y_pos;
  m_min[0] = x_min;
  m_min[1] = y_min;
  m_max[0] = x_max;
  m_max[1] = y_max;
  m_page[0] = x_page;
  m_page[1] = y_page;
  m_threshold[0] = x_threshold < 0.0f ? SCROLLER_DEFAULT_THRESHOLD : x_threshold;
  m_threshold[1] = y_threshold < 0.0f ? SCROLLER_DEFAULT_THRESHOLD : y_threshold;
  m_free_drag[0] = x_free_drag;
  m_free_drag[1] = y_free_drag;
  for (int axis = 0; axis < 2; axis++) {
    m_state[axis] = 0;
    m_range[axis] = m_max[axis] - m_min[axis];
    if (m_range[axis] == 0.0f) m_range[axis] = 1.0f;
    m_sample_interval[axis] = 0.005;
    m_margin[axis] = 100.0f;
    m_friction[axis] = friction;
    m_spring_rate[axis] = 60.0f * friction;
  }
  m_on = 1;
  m_button_down = 0;
  m_tap_time = 0.0;
  Reset(0);
  Reset(1);
}

char EngScroller::ValidAxis(int axis, const char *signature) {
  if (axis == 0 || axis == 1) return 1;
  DebugStandardError(signature, DEBUG_ERR_BAPA);
  return 0;
}

void EngScroller::Reset() {
  m_button_down = 0;
  m_tap_time = 0.0;
  Reset(0);
  Reset(1);
}

void EngScroller::Reset(int axis) {
  if (!ValidAxis(axis, ENG_FUNC)) return;
  if (!m_on) DebugErrorAlt(ENG_FUNC, "Not on");
  m_state[axis] = 0;
  m_velocity[axis] = 0.0f;
  m_last_coord[axis] = SCROLLER_NO_COORD;
  m_pos[axis] = Clamp(m_pos[axis], m_min[axis], m_max[axis]);
}

void EngScroller::SetXPos(float pos) {
  Reset(0);
  m_pos[0] = pos;
}

void EngScroller::SetYPos(float pos) {
  Reset(1);
  m_pos[1] = pos;
}

char EngScroller::Input(_EngDesktopInputType type, EngInputParm1 p1, EngInputParm2 p2) {
  switch (int(type)) {
    case ENG_INPUT_MOUSE_MOVE: {
      // The window sends the position as the bits of two floats.
      float wx, wy, x, y;
      memcpy(&wx, &p1, sizeof(wx));
      memcpy(&wy, &p2, sizeof(wy));
      if (!EngMainChangeMousePosRatioedForOrientation(wx, wy, &x, &y)) return 0;
      return MouseMoved(x, y, 0);
    }
    case ENG_INPUT_MOUSE_BUTTON:
      if (p1 != 0) return 0;
      return MouseButtonPressed(0, char(p2), m_pointer[0], m_pointer[1], 0, 1);
    case ENG_INPUT_DOUBLE_CLICK:
      if (p1 != 0) return 0;
      return MouseButtonDoubleClicked(0, m_pointer[0], m_pointer[1]);
    case ENG_INPUT_WHEEL:
      return MouseWheelMoved(p1);
    default:
      return 0;
  }
}

char EngScroller::IsPosInArea() {
  float x = m_pointer[0], y = m_pointer[1];
  return (x >= m_area.x && x < m_area.x + m_area.width && y >= m_area.y && y < m_area.y + m_area.height) ? 1 : 0;
}

char EngScroller::MouseButtonPressed(char button, char pressed, float x, float y, char cancel, char allow_tap) {
  if (!m_on || button != 0) return 0;
  if (cancel) {
    m_button_down = 0;
    m_tap_time = 0.0;
    Reset(0);
    Reset(1);
    return 0;
  }
  m_pointer[0] = x;
  m_pointer[1] = y;
  double now = Now();
  if (pressed) {
    m_press[0] = x;
    m_press[1] = y;
    m_press_time = now;
  } else if (m_button_down) {
    char tap = 1;
    for (int axis = 0; axis < 2; axis++)
      if (m_axis_on[axis] && m_state[axis] != 2 && m_state[axis] != 3) tap = 0;
    if (tap && now - m_press_time < SCROLLER_TAP_PRESS_TIME) {
      if (!allow_tap) return 0;
      m_tap_count = m_tap_time == 0.0 ? 1 : m_tap_count + 1;
      m_tap_time = now;
      m_state[0] = m_state[1] = 0;
      m_tap_button = 0;
      m_tap_x = x;
      m_tap_y = y;
      return 1;
    }
  }
  char handled = 0;
  for (int axis = 0; axis < 2; axis++)
    if (m_axis_on[axis] && MouseButtonPressedAxis(axis, 0, pressed, axis == 0 ? x : y)) handled = 1;
  m_button_down = pressed;
  return handled;
}

char EngScroller::MouseButtonDoubleClicked(char button, float x, float y) {
  char pressed = MouseButtonPressed(button, 1, x, y, 0, 1);
  char released = MouseButtonPressed(button, 0, x, y, 0, 1);
  return (pressed || released) ? 1 : 0;
}

char EngScroller::MouseButtonPressedAxis(int axis, char button, char pressed, float coord) {
  (void)button;
  (void)coord;
  if (!ValidAxis(axis, ENG_FUNC) || !m_on) return 0;
  int other = 1 - axis;
  if (pressed) {
    if (m_axis_lock && m_axis_on[other] && m_state[other] == 4) return 0;
    if (m_state[axis] != 0 || m_velocity[axis] != 0.0f) Reset(axis);
    if (!IsPosInArea()) return 0;
    m_state[axis] = 2;
    return 1;
  }
  if (m_state[axis] == 0) {
    Reset(axis);
    return 0;
  }
  if (m_state[axis] == 4) CheckAcceleration(axis);
  m_state[axis] = 0;
  return 1;
}

char EngScroller::MouseMoved(float x, float y, int block) {
  if (!m_on || block) return 0;
  m_pointer[0] = x;
  m_pointer[1] = y;
  if ((m_axis_on[0] != 0) != (m_axis_on[1] != 0)) {
    int axis = m_axis_on[0] ? 0 : 1;
    return MouseMovedAxis(axis, m_pointer[axis], AreaSize(axis));
  }
  if (!m_axis_on[0]) return 0;
  if (m_axis_lock && m_state[0] != 4 && m_state[1] != 4) {
    // Until one axis drags, only the axis the pointer travels most along takes the move.
    int axis = std::fabs(x - m_last_coord[0]) > std::fabs(y - m_last_coord[1]) ? 0 : 1;
    return MouseMovedAxis(axis, m_pointer[axis], AreaSize(axis));
  }
  char moved_x = MouseMovedAxis(0, x, m_area.width);
  char moved_y = MouseMovedAxis(1, y, m_area.height);
  return (moved_x || moved_y) ? 1 : 0;
}

void EngScroller::ShiftSamples(int axis, float coord) {
  m_prev_sample[axis] = m_last_sample[axis];
  m_prev_sample_time[axis] = m_last_sample_time[axis];
  m_last_sample[axis] = coord;
  m_last_sample_time[axis] = Now();
}

char EngScroller::MouseMovedAxis(int axis, float coord, float area_size) {
  if (!ValidAxis(axis, ENG_FUNC) || !m_on) return 0;
  int other = 1 - axis;
  if (m_axis_lock && m_axis_on[other] && m_state[other] == 4) return 0;
  double now = Now();
  switch (m_state[axis]) {
    case 2:
      m_press[axis] = coord;
      m_last_sample[axis] = m_prev_sample[axis] = coord;
      m_last_sample_time[axis] = m_prev_sample_time[axis] = now;
      m_drag_start_pos[axis] = m_pos[axis];
      m_velocity[axis] = 0.0f;
      m_state[axis] = 3;
      break;
    case 3:
      if (std::fabs(coord - m_press[axis]) > m_threshold[axis]) {
        m_state[axis] = 4;
        m_last_coord[axis] = coord;
      }
      return 1;
    case 4: {
      // An empty area cannot map travel to a position; the holder gave a bad size.
      if (area_size > 0.0f) {
        float pos = m_drag_start_pos[axis] - (coord - m_press[axis]) / area_size * m_page[axis];
        if (!m_free_drag[axis]) pos = Clamp(pos, m_min[axis], m_max[axis]);
        m_pos[axis] = pos;
      }
      if (now - m_last_sample_time[axis] > m_sample_interval[axis] && coord != m_last_sample[axis])
        ShiftSamples(axis, coord);
      break;
    }
    default:
      m_last_coord[axis] = coord;
      return 0;
  }
  m_last_coord[axis] = coord;
  return 1;
}

char EngScroller::MouseWheelMoved(int delta) {
  if (!m_on) return 0;
  char scrolled = 0;
  for (int axis = 0; axis < 2; axis++) {
    if (!m_axis_on[axis]) continue;
    MouseWheelMovedAxis(axis, delta);
    scrolled = 1;
  }
  return scrolled;
}

char EngScroller::MouseWheelMovedAxis(int axis, int delta) {
  if (!ValidAxis(axis, ENG_FUNC)) return 0;
  m_pos[axis] = Clamp(m_pos[axis] - float(delta), m_min[axis], m_max[axis]);
  m_last_coord[axis] = m_pos[axis];
  return 1;
}

void EngScroller::CheckAcceleration(int axis) {
  if (!ValidAxis(axis, ENG_FUNC)) return;
  if (!IS_MOBILE || m_state[axis] != 4) return;
  if (Now() - m_last_sample_time[axis] > m_sample_interval[axis] && m_pointer[axis] != m_last_sample[axis])
    ShiftSamples(axis, m_pointer[axis]);
  double dt = m_last_sample_time[axis] - m_prev_sample_time[axis];
  float d = m_last_sample[axis] - m_prev_sample[axis];
  if (dt > 0.0 && std::fabs(d) > SCROLLER_MIN_FLICK) m_velocity[axis] += float(d / dt) / m_range[axis];
}

char EngScroller::Tick() {
  if (!m_on) return 0;
  if (m_tap_time != 0.0) {
    if (Now() - m_tap_time >= SCROLLER_TAP_WAIT_TIME) {
      m_tap_time = 0.0;
      if (m_tap_cb) m_tap_cb(m_tap_button, m_tap_count, m_tap_x, m_tap_y, m_tap_cb_data);
    }
    return 1;
  }
  if (m_axis_on[0]) TickAxis(0, m_area.width);
  if (m_axis_on[1]) TickAxis(1, m_area.height);
  return 0;
}

char EngScroller::TickAxis(int axis, float area_size) {
  if (!ValidAxis(axis, ENG_FUNC)) return 0;
  float dt = eng_main_frames_per_second;
  char moved = 0;
  if (m_state[axis] == 4 && Now() - m_last_sample_time[axis] > m_sample_interval[axis])
    ShiftSamples(axis, m_pointer[axis]);

  float v = m_velocity[axis];
  if (v != 0.0f && area_size > 0.0f) {
    float before = m_pos[axis];
    m_pos[axis] -= dt * v * m_page[axis] / area_size * m_range[axis];
    if (m_pos[axis] > m_max[axis] + m_margin[axis]) {
      m_pos[axis] = m_max[axis] + m_margin[axis];
      v = 0.0f;
    } else if (m_pos[axis] < m_min[axis] - m_margin[axis]) {
      m_pos[axis] = m_min[axis] - m_margin[axis];
      v = 0.0f;
    }
    if (v != 0.0f) {
      float slowed = v - m_friction[axis] * v * dt;
      v = (slowed == 0.0f || (slowed > 0.0f) != (v > 0.0f)) ? 0.0f : slowed;
    }
    m_velocity[axis] = v;
    if (m_pos[axis] != before) moved = 1;
  }
  if (m_state[axis] != 0) return moved;

  float rate_dt = m_spring_rate[axis] * dt;
  float before = m_pos[axis];
  if (m_pos[axis] < m_min[axis]) {
    m_pos[axis] += (m_min[axis] - m_pos[axis] + 1.0f) * rate_dt;
    if (m_pos[axis] > m_min[axis]) m_pos[axis] = m_min[axis];
  } else if (m_pos[axis] > m_max[axis]) {
    m_pos[axis] -= (m_pos[axis] - m_max[axis] + 1.0f) * rate_dt;
    if (m_pos[axis] < m_max[axis]) m_pos[axis] = m_max[axis];
  }
  return (moved || m_pos[axis] != before) ? 1 : 0;
}
