// The drop-down list while open: the layout of its column around the button, the highlight,
// automatic scrolling on the scroll rows, and its mouse, wheel and key handling.
#include <algorithm>
#include <cmath>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinList.h"

static double last_scroll_step_time = -1e9;
static char wheel_nesting = 0;
static char key_nesting = 0;

void MWinListResetShared() {
  last_scroll_step_time = -1e9;
  wheel_nesting = 0;
  key_nesting = 0;
}

static char OnMobile() { return IS_MOBILE ? 1 : 0; }

static const float kScreenHeight = ENG_DESIGN_HEIGHT;

// ---- Opening, closing and the layout ----

void MWinList::ListOpen() {
  if (GetType() != MWIN_BUTTON_LIST) return;
  MWinButton::ListOpen();
  const _Dimension *a = GetActualArea();
  m_open.open_x = a->x;
  m_open.open_y = a->y;
  m_open_pos = m_open.anchor = m_pos;
  m_open.first_shown = m_open.end_shown = -1;
  m_open.scroll = 0;
  m_open.delay_ms = 400;
  m_open_time = eng_main_current_time;
  if (GetMWin()) GetMWin()->RenderNeeded();
  ListCalcOpenListVariables();
  if (!MWinButton::ListIsOpen()) return;
  if (m_open.first_shown >= m_count || m_open.end_shown <= 0) {
    float h = a->height;
    m_open.open_y += m_open.first_shown >= m_count ? h : -h;
    ListCalcOpenListVariables();
  }
}

void MWinList::ListClose(char take, char call) { Close(take, call); }

char MWinList::Close(char take, char call) {
  if (!MWinButton::ListIsOpen()) return 1;
  MWinButton::ListClose(0, 0);
  if (GetMWin()) GetMWin()->RenderNeeded();
  if (take) {
    ListSetPos(m_open_pos, 0);
    if (call) return Report(1, m_pos);
    return 1;
  }
  if (call && m_open_pos != m_pos) return Report(2, m_pos);
  return 1;
}

char MWinList::ListCalcOpenListVariables() {
  ClearOpenLayout();
  if (!MWinButton::ListIsOpen()) return 0;
  if (m_count < 1) {
    Close(0, 1);
    return 0;
  }
  if (GetType() != MWIN_BUTTON_LIST) {
    DebugErrorAlt(ENG_FUNC, "Open List ID %s is not a list", MWinDisplayID(GetID()));
    return 0;
  }
  float h = GetActualArea()->height;
  if (h <= 0) return 0;
  OpenLayout &o = m_open;
  // A button partly off the screen has no whole rows on that side.
  int rows_above = std::max(0, int(o.open_y / h));
  int rows_below = std::max(0, int((kScreenHeight - o.open_y - h) / h));
  int current = o.anchor + o.scroll;
  int shown_above = std::min(current, rows_above);
  int first = current - shown_above;
  if (first > 0) o.can_scroll_up = 1;
  if (first < 0) DebugErrorAlt(ENG_FUNC, "Internal Error 1");
  int end = current + std::min(rows_below + 1, m_count - current);
  if (end < m_count) o.can_scroll_down = 1;
  if (end > m_count) DebugErrorAlt(ENG_FUNC, "Internal Error 2");
  o.box_y = o.open_y - float(shown_above) * h;
  o.box_h = float(end - first) * h;
  if (o.box_y < 0) {
    o.box_h += o.box_y;
    o.box_y = 0;
  }
  if (o.box_y + o.box_h > kScreenHeight) o.box_h = kScreenHeight - o.box_y;
  if (!o.can_scroll_up) {
    o.top_cap_h = h / 2;
    o.top_cap_y = std::max(o.box_y - h / 4, 0.0f);
  }
  if (!o.can_scroll_down) {
    o.bottom_cap_h = h / 2;
    o.bottom_cap_y = std::min(o.box_y + o.box_h - h / 4, kScreenHeight - h / 2);
  }
  if (m_open_pos >= first && m_open_pos < end) o.highlight_y = o.open_y + float(m_open_pos - current) * h;
  if (o.can_scroll_up) {
    o.up_row_y = o.box_y;
    o.up_row_h = h;
    o.box_y += h;
    o.box_h -= h;
    first++;
  }
  if (o.can_scroll_down) {
    o.down_row_y = o.box_y + o.box_h - h;
    o.down_row_h = h;
    o.box_h -= h;
    end--;
  }
  o.first_shown = first;
  o.end_shown = end;
  return 1;
}

int MWinList::SelectOpenPos(int pos, char reanchor) {
  pos = std::max(0, std::min(pos, m_count - 1));
  if (pos == m_open_pos) return 0;
  m_open_pos = pos;
  if (reanchor) {
    // The entry found sits at the button's place, shown, whatever was scrolled before.
    m_open.anchor = pos;
    m_open.scroll = 0;
  }
  ListCalcOpenListVariables();
  if (GetMWin()) GetMWin()->RenderNeeded();
  return Report(0, m_pos) ? 1 : -1;
}

char MWinList::ListSelectNewOpenPos(int pos, char reanchor) { return SelectOpenPos(pos, reanchor) != 0 ? 1 : 0; }

int MWinList::Traverse(int step) {
  int pos = m_open_pos + step;
  pos = std::max(m_open.first_shown - 1, std::min(pos, m_open.end_shown));
  return SelectOpenPos(pos, 0);
}

char MWinList::ListTraverse(int step) { return Traverse(step) != 0 ? 1 : 0; }

char MWinList::ListHandleEscape() {
  if (!ListIsOpen()) return 0;
  Close(0, 1);
  return 1;
}

// ---- Automatic scrolling ----

char MWinList::ListTick() {
  if (!eng_main_device || eng_main_device_type != 1 || !ListIsOpen()) return 0;
  if (OnMobile() && m_touch_state == 0) return 0;
  if (eng_main_program) eng_main_program->EventDrivenLoopDoTimerActionOnNextTick();
  int direction = 0;
  if (m_open.can_scroll_up && m_open_pos == m_open.first_shown - 1)
    direction = -1;
  else if (m_open.can_scroll_down && m_open_pos == m_open.end_shown)
    direction = 1;
  if (!direction) {
    m_open.delay_ms = 400;
    return 1;
  }
  double now = eng_main_current_time;
  if (now - last_scroll_step_time < double(m_open.delay_ms) / 1000.0) return 1;
  last_scroll_step_time = now;
  if (now - m_open_time < 0.1) return 1;
  m_open.delay_ms = std::max(m_open.delay_ms - 70, 5);
  m_open.scroll += direction;
  MWin *mwin = GetMWin();
  if (SelectOpenPos(m_open_pos + direction, 0) < 0) return 1;
  if (m_touch_state == 1) m_touch_state = 2;
  if (mwin) mwin->PlaySound(MWIN_SOUND_SELECTION_CHANGED);
  ListCalcOpenListVariables();
  return 1;
}

// ---- Mouse ----

char MWinList::ListHandleMouseButtonPressed(char button, char pressed) {
  if (button != 0) return 0;
  if (OnMobile()) {
    EngUInt8 touch_before = m_touch_state;
    m_touch_state = pressed ? 1 : 0;
    if (pressed) {
      if (!ListIsOpen()) ListOpen();
      return 1;
    }
    if (eng_main_current_time - m_open_time < 0.5 || touch_before == 2) return 1;
  } else if (!pressed) {
    return 1;
  }
  if (!ListIsOpen()) {
    ListOpen();
    return 1;
  }
  ListCalcOpenListVariables();
  float px = 0, py = 0;
  if (GetMWin()) GetMWin()->GetMousePos(&px, &py);
  const _Dimension *a = GetActualArea();
  char inside = px >= m_open.open_x && px <= m_open.open_x + a->width && py >= m_open.box_y &&
                py <= m_open.box_y + m_open.box_h;
  if (inside)
    Close(1, 1);
  else if (!OnMobile())
    Close(0, 1);
  return 1;
}

char MWinList::ListHandleMouseMove() {
  if (!ListIsOpen()) return 0;
  float px = 0, py = 0;
  MWin *mwin = GetMWin();
  if (mwin) mwin->GetMousePos(&px, &py);
  const _Dimension *a = GetActualArea();
  if (px < m_open.open_x || px > m_open.open_x + a->width) {
    Close(0, 1);
    return 1;
  }
  float h = a->height;
  if (h <= 0) return 1;
  // Rows lie edge to edge from the button's place: the row under the pointer is the one taken.
  int offset = int(std::floor((py - m_open.open_y) / h));
  int moved = SelectOpenPos(m_open.anchor + m_open.scroll + offset, 0);
  if (moved > 0) {
    ListCalcOpenListVariables();
    if (mwin) mwin->PlaySound(MWIN_SOUND_SELECTION_CHANGED);
  }
  return 1;
}

char MWinList::ListHandleMouseWheel(int delta) {
  if (OnMobile()) return 0;
  if (ListIsOpen()) {
    Traverse(-delta);
    return 1;
  }
  if (delta == 0) return 1;
  if ((delta < 0 && m_pos >= m_count - 1) || (delta > 0 && m_pos <= 0)) return 1;
  if (wheel_nesting) return 0;
  wheel_nesting = 1;
  ListOpen();
  if (ListIsOpen() && Traverse(-delta) >= 0) Close(1, 1);
  wheel_nesting = 0;
  return 1;
}

// ---- Keys ----

char MWinList::ListHandleKeyDown(int key) {
  if (!ListIsOpen()) {
    if (key == 13) {
      ListOpen();
      return 1;
    }
    if (key < 246 || key > 249) return 0;
    if (key_nesting) return 0;
    key_nesting = 1;
    ListOpen();
    if (ListIsOpen()) {
      static const int steps[4] = {-1, 1, -10, 10};
      if (Traverse(steps[key - 246]) >= 0) Close(1, 1);
    }
    key_nesting = 0;
    return 1;
  }
  switch (key) {
    case 246: Traverse(-1); return 1;
    case 247: Traverse(1); return 1;
    case 248: Traverse(-10); return 1;
    case 249: Traverse(10); return 1;
    case 13: Close(1, 1); return 1;
    case 27: Close(0, 1); return 1;
    default: break;
  }
  // Type-ahead: the next entry starting with the key, wrapping round to the first.
  int found = -1;
  for (int i = m_open_pos + 1; i < m_count && found < 0; i++) {
    const ENG_CHAR *text = EntryText(i);
    if (text && static_cast<unsigned char>(text[0]) == key) found = i;
  }
  for (int i = 0; i < m_open_pos && found < 0; i++) {
    const ENG_CHAR *text = EntryText(i);
    if (text && static_cast<unsigned char>(text[0]) == key) found = i;
  }
  if (found < 0) return 0;
  SelectOpenPos(found, 1);
  return 1;
}

// ---- Slots ----

char MWinList::Tick() {
  if (!ShouldTick()) return 0;
  return ListTick();
}

char MWinList::HandleMouseButtonPressed(char button, char pressed, char flag) {
  (void)flag;
  if (!IsReady()) return 0;
  if (!(IsActive() && IsEnabled() && IsShown())) {
    MWinButton::HandleMouseButtonPressCanceled();
    return 0;
  }
  if (button != 0) return 0;
  GetMWin()->RenderNeeded();
  ListHandleMouseButtonPressed(0, pressed);
  return 1;
}

void MWinList::HandleMouseMove() {
  if (!ShouldHandleMouseMove()) return;
  if (IsDragging()) {
    MWinButton::HandleMouseMove();
    return;
  }
  ListHandleMouseMove();
}

char MWinList::HandleMouseWheel(int delta) {
  if (!ShouldHandleMouseWheel()) return 0;
  // A wheel callback of the caller decides alone.
  if (HasMouseWheelCallback()) return MWinButton::HandleMouseWheel(delta);
  return ListHandleMouseWheel(delta);
}

char MWinList::HandleKeyDown(int key) {
  if (!ShouldHandleKeyDown()) return 0;
  if (ListHandleKeyDown(key)) return 1;
  return PostHandleKeyDown(key, 0);
}

char MWinList::KeepFocusOnMouseMove() { return ShouldKeepFocusOnMouseMove() && ListIsOpen() ? 1 : 0; }

void MWinList::Deactivate() {
  if (ListIsOpen() && !Close(0, 1)) return;
  MWinButton::Deactivate();
}
