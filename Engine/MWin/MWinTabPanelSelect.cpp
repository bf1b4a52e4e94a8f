// The tab panel's sort record and row selection, and the program variable bound to the
// selected row.
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinTabPanel.h"

void MWinTabPanel::SetMainSortColumn(int col, char direction, char remember_previous) {
  MWinTabPanelSortSetMain(&m_sort, col, direction, remember_previous);
  if (GetMWin()) GetMWin()->RenderNeeded();
}

char MWinTabPanel::CallPanelCallback(int row, char selected, char heading, char reason) {
  _MWinButtonCallbackInfo info;
  FillCallbackInfo(&info);
  info.tab_row = row;
  info.tab_flags[0] = static_cast<EngUInt8>(selected);
  info.tab_flags[1] = static_cast<EngUInt8>(heading);
  info.tab_flags[2] = static_cast<EngUInt8>(reason);
  // 0 when the panel may be gone: the caller then leaves it alone.
  return CallCallback(&info);
}

char MWinTabPanel::SelectRow(int row, char select, char notify, char reason) {
  if (GetType() != MWIN_BUTTON_TAB_PANEL) {
    DebugErrorAlt(ENG_FUNC, "Button is not a panel");
    return 0;
  }
  if (m_num_rows < 1 || !m_rows) {
    DebugErrorAlt(ENG_FUNC, "No rows");
    return 0;
  }
  if (row < 0 || row >= m_num_rows) {
    DebugErrorAlt(ENG_FUNC, "Bad row number [%d]", row);
    return 0;
  }
  char &flag = m_rows[row].selected;
  if (select >= 1)
    flag = 1;
  else if (select < 0)
    flag = flag ? 0 : 1;
  else
    flag = 0;
  m_first_row = MWinTabPanelScrollToShow(m_first_row, row, m_num_per_page);
  GetSidebarDimensions();
  switch (GetRegisteredVariable()->kind) {
    case MWIN_REGVAR_CHAR:
    case MWIN_REGVAR_UCHAR:
    case MWIN_REGVAR_INT: WriteRegisteredVariable(row); break;
    default: break;
  }
  MWin *mwin = GetMWin();
  if (notify && HasCallback()) {
    if (!CallPanelCallback(row, flag, 0, reason)) return 1;
  }
  if (mwin) mwin->RenderNeeded();
  return 1;
}

void MWinTabPanel::SelectAll() {
  for (int i = 0; i < m_num_rows; i++) m_rows[i].selected = 1;
  if (GetMWin()) GetMWin()->RenderNeeded();
}

void MWinTabPanel::ClearSel() {
  for (int i = 0; i < m_num_rows; i++) m_rows[i].selected = 0;
  if (GetMWin()) GetMWin()->RenderNeeded();
}

int MWinTabPanel::GetNumSelectedRows() const {
  int count = 0;
  for (int i = 0; i < m_num_rows; i++) count += m_rows[i].selected ? 1 : 0;
  return count;
}

int MWinTabPanel::GetFirstSelectedRow() const { return GetNthSelectedRowNumber(0); }

int MWinTabPanel::GetNthSelectedRowNumber(int n) const {
  if (n < 0) return -1;
  for (int i = 0; i < m_num_rows; i++) {
    if (!m_rows[i].selected) continue;
    if (n == 0) return i;
    n--;
  }
  return -1;
}

char MWinTabPanel::IsRowSelected(int row) const {
  return row >= 0 && row < m_num_rows && m_rows[row].selected ? 1 : 0;
}

char MWinTabPanel::SetFirstSelectedRowNumberToColumnString(int col, const char *text) {
  if (!text || !m_entry_cb || col < 0 || col >= m_num_cols) return 0;
  for (int i = 0; i < m_num_rows; i++) {
    if (strcmp(GetEntryString(i, col), text) == 0) return SelectRow(i, 1, 0, 0);
  }
  return 0;
}

char MWinTabPanel::RegisterIntVariable(int *var, char notify) {
  if (GetType() != MWIN_BUTTON_TAB_PANEL) return 0;
  if (!m_allow_selection) {
    DebugErrorAlt(ENG_FUNC, "Selection not active");
    return 0;
  }
  MWinButton::RegisterIntVariable(var, 1);
  if (var) SelectRow(*var, 1, notify, 0);
  return 1;
}

char MWinTabPanel::RegisterCharVariable(char *var, char notify) {
  if (GetType() != MWIN_BUTTON_TAB_PANEL) return 0;
  if (!m_allow_selection) {
    DebugErrorAlt(ENG_FUNC, "Selection not active");
    return 0;
  }
  MWinButton::RegisterCharVariable(var);
  if (var) SelectRow(*var, 1, notify, 0);
  return 1;
}

char MWinTabPanel::UpdateFromRegisteredVariable(char notify) {
  if (!m_allow_selection) {
    DebugErrorAlt(ENG_FUNC, "Selection not active");
    return 0;
  }
  switch (GetRegisteredVariable()->kind) {
    case MWIN_REGVAR_CHAR:
    case MWIN_REGVAR_UCHAR:
    case MWIN_REGVAR_INT: break;
    default: return 0;
  }
  int row = 0;
  if (!ReadRegisteredVariable(&row)) return 0;
  return SelectRow(row, 1, notify, 0);
}
