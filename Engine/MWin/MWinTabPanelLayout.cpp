// The tab panel's areas: rows per page, the rows area and row height, the sidebar's place,
// column widths, scrolling and the areas of shown entries.
#include "Engine/EngDebug.h"
#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTabPanel.h"

static int Trunc(float f) { return int(f); }

char MWinTabPanel::UpdateNumPerPageVar() {
  if (m_num_per_page_mode == MWIN_TABPANEL_PER_PAGE_FIXED) return 1;
  m_num_per_page = MWinTabPanelCalcNumPerPage(m_num_per_page_mode, m_num_per_page, GetActualArea()->height,
                                              EngLayoutsGetLayout(ENG_LAYOUT_CURRENT));
  return 1;
}

void MWinTabPanel::PositionUpdated() {
  MWinButton::PositionUpdated();
  UpdateNumPerPageVar();
  UpdateColumnWidths();
  if (!m_columns) GetSidebarDimensions();
  if (GetMWin()) GetMWin()->RenderNeeded();
}

char MWinTabPanel::GetSidebarDimensions() {
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!layout) return 0;
  const _Dimension *a = GetActualArea();
  const float top = m_show_title_row ? m_title_gap : m_border_y;
  const float bottom = m_border_y;
  m_rows_area.x = a->x + m_border_x;
  m_rows_area.width = a->width - 2 * m_border_x;
  m_rows_area.y = a->y + top + m_title_height;
  m_rows_area.height = a->height - top - m_title_height - bottom;
  m_row_height = m_num_per_page > 0 ? m_rows_area.height / float(m_num_per_page) : m_rows_area.height;

  if (m_num_rows <= m_num_per_page) {
    m_sidebar_shown = 0;
    SidebarDelete();
    // Every row fits: nothing may stay scrolled out of reach once the sidebar is gone.
    m_first_row = 0;
    return 0;
  }
  if (!m_sidebar) SidebarCreate();
  if (!m_sidebar) return 0;
  const float s = SidebarThickness();
  m_sidebar->shown = 1;
  m_sidebar->area.x = a->x + a->width - m_border_x - s;
  m_sidebar->area.y = a->y + top + m_title_height;
  m_sidebar->area.width = s;
  m_sidebar->area.height = a->height - top - bottom - m_title_height;
  SidebarSetValues(float(m_num_rows - m_num_per_page), float(m_num_per_page), 1);
  m_rows_area.width -= s;
  m_sidebar->active = IsActive();
  m_sidebar_shown = 1;
  return 1;
}

void MWinTabPanel::UpdateColumnWidths() {
  if (!m_columns || m_num_cols < 1) return;
  GetSidebarDimensions();
  const float width = m_rows_area.width - 2 * m_border_x;
  m_auto_column_widths = MWinTabPanelCalcColumnWidths(m_columns, m_num_cols, width, m_auto_column_widths);
  if (GetMWin()) GetMWin()->RenderNeeded();
}

// ---- Scrolling ----

void MWinTabPanel::SetFirstRowDisplayed(int row) {
  if (row < 0 || m_num_rows < 1 || row >= m_num_rows) return;
  m_first_row = float(row);
  GetSidebarDimensions();
}

void MWinTabPanel::EnsureLastRowDisplayed() {
  if (m_num_rows < 1 || m_num_rows < m_num_per_page) return;
  const float old = m_first_row;
  m_first_row = float(m_num_rows - m_num_per_page);
  GetSidebarDimensions();
  if (m_first_row != old && GetMWin()) GetMWin()->RenderNeeded();
}

void MWinTabPanel::CenterToRowIfPossible(int row) {
  if (row < 0 || row >= m_num_rows) return;
  m_first_row = MWinTabPanelCentreOn(row, m_num_rows, m_num_per_page);
  GetSidebarDimensions();
  if (GetMWin()) GetMWin()->RenderNeeded();
}

void MWinTabPanel::CenterToFirstSelectedRowIfPossible() {
  const int row = GetFirstSelectedRow();
  if (row >= 0) CenterToRowIfPossible(row);
  if (GetMWin()) GetMWin()->RenderNeeded();
}

void MWinTabPanel::ShowFirstSelectedRow() {
  const int row = GetFirstSelectedRow();
  if (row < 0) return;
  if (row >= m_num_per_page) {
    CenterToRowIfPossible(row);
    return;
  }
  m_first_row = 0;
  GetSidebarDimensions();
}

int MWinTabPanel::GetFirstDisplayedRow() const {
  const int first = Trunc(m_first_row);
  return first < 0 ? 0 : first;
}

int MWinTabPanel::GetLastDisplayedRow() const {
  int last = Trunc(m_first_row) + m_num_per_page;
  if (last > m_num_rows) last = m_num_rows;
  return last - 1;
}

int MWinTabPanel::GetNumDisplayedRows() const {
  int end = Trunc(m_first_row) + m_num_per_page;
  if (end > m_num_rows) end = m_num_rows;
  const int count = end - GetFirstDisplayedRow();
  return count < 0 ? 0 : count;
}

int MWinTabPanel::GetNthDisplayedRowNumber(int n) const { return GetFirstDisplayedRow() + n; }

char MWinTabPanel::GetNthDisplayedRowDimensionForColumn(int n, int col, _Dimension *area) {
  if (!area) return 0;
  if (col < 0 || col >= m_num_cols) {
    DebugErrorAlt(ENG_FUNC, "Column does not exist");
    return 0;
  }
  if (m_num_per_page < 1) {
    DebugErrorAlt(ENG_FUNC, "%s: NUM PER PAGE <= 0", GetID());
    return 0;
  }
  const float fraction = m_first_row - float(Trunc(m_first_row));
  area->x = GetActualArea()->x + m_border_x + m_columns[col].x;
  area->y = m_rows_area.y + (float(n) - fraction) * m_row_height;
  area->width = m_columns[col].width;
  area->height = m_row_height;
  return 1;
}

char MWinTabPanel::GetEntryDisplayedArea(int row, int col, _Dimension *area) {
  if (!area || row < 0 || col < 0 || col >= m_num_cols || m_num_per_page < 1) return 0;
  if (row < Trunc(m_first_row - 1) || row >= Trunc(m_first_row + 1) + m_num_per_page) return 0;
  const float h = m_rows_area.height / float(m_num_per_page);
  area->x = GetActualArea()->x + m_border_x + m_columns[col].x;
  area->y = m_rows_area.y + (float(row) - m_first_row) * h;
  area->width = m_columns[col].width;
  area->height = h;
  return 1;
}

void MWinTabPanel::ShowSel(char show) {
  (void)show;  // the selection is always drawn
  if (GetMWin()) GetMWin()->RenderNeeded();
}

char MWinTabPanel::CropToTableRowsArea(char with_title) {
  MWin *mwin = GetMWin();
  if (!mwin) {
    DebugErrorAlt(ENG_FUNC, "No mwin.");
    return 0;
  }
  if (!mwin->GetCropRendering()) return 1;
  const _Dimension &r = m_rows_area;
  if (with_title) return CropRenderAreaToArea(r.x, r.y - m_title_height, r.width, r.height + m_title_height);
  return CropRenderAreaToArea(r.x, r.y, r.width, r.height);
}
