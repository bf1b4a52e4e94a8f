// The tab panel's input: heading clicks that change the sort column, row selection on release
// (shift or Ctrl adds, toggle mode toggles), wheel and keys that move a single selection or
// scroll, the sidebar's own presses and drags, and double clicks.
#include "Engine/EngDebug.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinTabPanel.h"

static const int key_shift = 228;
static const int key_command = 231;  // the Ctrl key plays the Command key's part

char MWinTabPanel::HandleTitleClick(char button, char pressed) {
  if (pressed || button != 0) return 1;
  if (!m_allow_sorting) return 1;
  float mx = 0, my = 0;
  GetMWin()->GetViewportMousePos(&mx, &my);
  const int col = MWinTabPanelColumnAtX(m_columns, m_num_cols, mx - (GetActualArea()->x + m_border_x));
  if (col < 0) return 1;
  MWinTabPanelSortHeadingClick(&m_sort, col);
  GetMWin()->RenderNeeded();
  if (HasCallback()) CallPanelCallback(-1, 0, 1, 1);
  return 1;
}

char MWinTabPanel::HandleMouseButtonPressed(char button, char pressed, char flag) {
  MWin *mwin = GetMWin();
  if (!mwin) return 0;
  if (m_sidebar && m_sidebar->shown && (m_sidebar->dragging || mwin->IsMouseViewportCursorInArea(&m_sidebar->area)))
    return SidebarHandlePress(button, pressed);
  if (!ShouldHandleMouseButtonPressed(button, pressed, flag)) return 0;
  if (!m_columns || m_num_cols < 1) return 0;
  float mx = 0, my = 0;
  mwin->GetViewportMousePos(&mx, &my);
  const _Dimension *a = GetActualArea();
  const char in_rows = mwin->IsMouseViewportCursorInArea(&m_rows_area);
  if (!in_rows && m_show_title_row && my < m_rows_area.y && my >= a->y + m_title_gap) {
    const int col = MWinTabPanelColumnAtX(m_columns, m_num_cols, mx - (a->x + m_border_x));
    if (col >= 0) return HandleTitleClick(button, pressed);
  }
  if (!in_rows || m_num_per_page < 1 || m_row_height <= 0) return pressed && button == 0 ? 1 : 0;
  if (pressed) return button == 0 ? 1 : 0;
  if (button != 0) return 0;
  if (!m_allow_selection) return 1;
  const int row = MWinTabPanelRowAtY(my, m_rows_area.y, m_row_height, m_first_row, m_num_rows);
  if (row < 0) return 0;
  if (MWinTabPanelClickClearsOthers(m_multi_select, eng_key_down[key_shift] ? 1 : 0,
                                    eng_key_down[key_command] ? 1 : 0))
    ClearSel();
  SelectRow(row, m_multi_select == 2 ? -1 : 1, 1, 1);
  return 0;
}

char MWinTabPanel::HandleMouseButtonDoubleClicked(char button) {
  if (!ShouldHandleMouseButtonDoubleClicked(button)) return 0;
  if (m_allow_selection && m_multi_select == 0) {
    SelectRow(GetFirstSelectedRow(), 1, 1, 2);
    return 1;
  }
  return 0;
}

void MWinTabPanel::HandleMouseButtonPressCanceled() {
  MWinButton::HandleMouseButtonPressCanceled();
  if (m_sidebar) m_sidebar->dragging = 0;
}

void MWinTabPanel::HandleMouseMove() {
  if (!ShouldHandleMouseMove()) return;
  if (m_sidebar && m_sidebar->dragging) {
    SidebarHandleMove();
    GetSidebarDimensions();
  }
}

char MWinTabPanel::KeepFocusOnMouseMove() { return m_sidebar && m_sidebar->dragging ? 1 : 0; }

void MWinTabPanel::Activate() {
  MWinButton::Activate();
  if (m_sidebar) m_sidebar->active = 1;
}

void MWinTabPanel::Deactivate() {
  if (m_sidebar) {
    m_sidebar->dragging = 0;
    m_sidebar->active = 0;
  }
  MWinButton::Deactivate();
}

char MWinTabPanel::HandleMouseWheel(int n) {
  if (!ShouldHandleMouseWheel()) return 0;
  if (m_sidebar && m_sidebar_shown && SidebarHandleWheel(n)) {
    GetSidebarDimensions();
    return 1;
  }
  if (m_sidebar_shown || !m_allow_selection || m_multi_select) return 1;
  const int r = GetFirstSelectedRow();
  if (r < 0) return 1;
  const int next = MWinTabPanelClampRow(n > 0 ? r - 1 : (n < 0 ? r + 1 : r), m_num_rows);
  SelectRow(r, 0, 0, 0);
  SelectRow(next, 1, 1, 0);
  return 1;
}

char MWinTabPanel::HandleKeyDown(int key) {
  if (!ShouldHandleKeyDown()) return 0;
  char nav = 0;
  const int move = MWinTabPanelKeyMove(key, m_num_per_page, &nav);
  if (!nav) return PostHandleKeyDown(key, 0);
  if (m_sidebar_shown) {
    const float old = m_first_row;
    float first = m_first_row + float(move);
    const float last_first = float(m_num_rows - m_num_per_page);
    if (first > last_first) first = last_first;
    if (first < 0) first = 0;
    m_first_row = first;
    if (m_first_row != old) {
      GetSidebarDimensions();
      if (GetMWin()) GetMWin()->RenderNeeded();
    }
    return PostHandleKeyDown(key, 1);
  }
  if (m_allow_selection && m_multi_select == 0) {
    const int r = GetFirstSelectedRow();
    if (r < 0) return 1;
    const int next = MWinTabPanelClampRow(r + move, m_num_rows);
    if (next != r) {
      SelectRow(r, 0, 0, 0);
      SelectRow(next, 1, 1, 0);
    }
    return 1;
  }
  return PostHandleKeyDown(key, 1);
}

char MWinTabPanel::Tick() {
  if (!ShouldTick()) return 0;
  return 1;
}
