#include "Engine/MWin/MWinTabPanel.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"

// ---- Life ----

MWinTabPanel::MWinTabPanel(MWin *mwin, const char *id, MWinGroup *group, const char *texbut_id, float x, float y,
                           float w, float h)
    : MWinButton(mwin, id, group, MWIN_BUTTON_TAB_PANEL, texbut_id, "", x, y, w, h) {
  Reset();
  if (mwin && mwin->GetTextures()) SidebarCreate();
  m_rows_area.width = GetActualArea()->width - 2 * m_border_x;
}

MWinTabPanel::~MWinTabPanel() {
  SidebarDelete();
  FreeRows();
  FreeColumns();
}

void MWinTabPanel::Reset() {
  MWin *mwin = GetMWin();
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!mwin || !layout) return;
  FreeRows();
  FreeColumns();
  const _MWinSettings *settings = mwin->GetSettings();
  m_num_per_page_mode = MWIN_TABPANEL_PER_PAGE_NORMAL;
  m_show_title_row = 0;
  m_title_text_scale = {1, 1};
  m_title_text_colour = {1, 1, 1, 1};
  for (int i = 0; i < 2; i++) {
    m_row_text_scale[i] = {1, 1};
    m_row_text_colour[i] = {1, 1, 1, 1};
  }
  // The standard settings' four tab panel bytes: selection, automatic widths, whole-row
  // backs, alternating rows.
  m_allow_selection = settings->tab_panel_flags[0];
  m_multi_select = 0;
  m_allow_sorting = 1;
  m_auto_column_widths = settings->tab_panel_flags[1];
  m_whole_row_backs = settings->tab_panel_flags[2];
  m_alternate_rows = settings->tab_panel_flags[3];
  m_fill_page = 1;
  m_draw_back = 1;
  m_border_x = m_border_y = 2;
  m_title_gap = 0;
  m_draw_title_back = 1;
  m_title_back_alpha = 1.0f;
  m_draw_row_backs = 1;
  m_draw_dividers = 1;
  // Layout blocks 44 and 45 hold the divider insets.
  m_divider_inset_top = layout->tab_border;
  m_divider_inset_bottom = layout->tab_offset;
  m_row_back_alpha = 0.75f;
  MWinTabPanelSortClear(&m_sort);
  m_entry_cb = nullptr;
  m_entry_bg_colour_cb = nullptr;
  m_entry_text_colour_cb = nullptr;
  m_entry_text_scale_cb = nullptr;
  m_first_row = 0;
  m_row_height = 0;
  // The title row starts hidden, and a hidden title row has no height.
  m_title_height = 0;
  UpdateNumPerPageVar();
  GetSidebarDimensions();
}

// ---- Creation ----

MWinTabPanel *MWinGroup::AddTabPanel(const char *id, const char *texbut_id, float x, float y, float w, float h) {
  if (!PreAddButton(id, MWIN_BUTTON_TAB_PANEL, nullptr)) return nullptr;
  MWinTabPanel *panel = new MWinTabPanel(m_mwin, id, this, texbut_id, x, y, w, h);
  CompleteAddButton(panel);
  return panel;
}

MWinTabPanel *MWinWindow::AddTabPanel(const char *id, const char *texbut_id, float x, float y, float w, float h) {
  MWinGroup *group = GetFirstGroup();
  if (!group) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return nullptr;
  }
  return group->AddTabPanel(id, texbut_id, x, y, w, h);
}

// ---- Arrays ----

char MWinTabPanel::AllocRows(int rows) {
  FreeRows();
  if (rows <= 0) return 1;
  m_rows = static_cast<_MWinTabPanelRowInfo *>(EngMalloc(size_t(rows) * sizeof(_MWinTabPanelRowInfo), ENG_FUNC, 1));
  if (!m_rows) return 0;
  m_num_rows = rows;
  return 1;
}

void MWinTabPanel::FreeRows() {
  if (m_rows) EngFree(m_rows, 0, ENG_FUNC);
  m_rows = nullptr;
  m_num_rows = 0;
}

void MWinTabPanel::FreeColumns() {
  if (m_columns) EngFree(m_columns, 0, ENG_FUNC);
  m_columns = nullptr;
  m_num_cols = 0;
}

char MWinTabPanel::ColumnInRange(int col, const char *signature) const {
  if (col >= 0 && col < m_num_cols) return 1;
  DebugErrorAlt(signature, "Column does not exist [%d]", col);
  return 0;
}

const _MWinTabPanelColumnInfo *MWinTabPanel::GetColumnInfo(int col) const {
  return col >= 0 && col < m_num_cols ? &m_columns[col] : nullptr;
}

// ---- Building the table ----

char MWinTabPanel::SetEntryCallback(int rows, int cols, int per_page, MWIN_TABPANEL_ENTRY_CB cb) {
  FreeRows();
  if (GetMWin()) GetMWin()->RenderNeeded();
  if (cols < 1) {
    DebugErrorAlt(ENG_FUNC, "invalid num cols %d (ID: %s)", cols, MWinDisplayID(GetID()));
    return 0;
  }
  if (rows < 0) {
    DebugErrorAlt(ENG_FUNC, "invalid num rows %d (ID: %s)", rows, MWinDisplayID(GetID()));
    return 0;
  }
  if (!cb) cb = m_entry_cb;
  if (!cb) {
    DebugErrorAlt(ENG_FUNC, "Null callback entry (ID: %s)", MWinDisplayID(GetID()));
    return 0;
  }
  FreeColumns();
  m_columns = static_cast<_MWinTabPanelColumnInfo *>(
      EngMalloc(size_t(cols) * sizeof(_MWinTabPanelColumnInfo), ENG_FUNC, 1));
  if (!m_columns) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  for (int i = 0; i < cols; i++) MWinTabPanelColumnDefaults(&m_columns[i]);
  m_num_cols = cols;
  SetReady(1);
  char made = SetNumRows(rows);
  SetReady(0);
  if (!made) return 0;
  int fixed = 0;
  MWinTabPanelPerPageMode(per_page, &m_num_per_page_mode, &fixed);
  if (m_num_per_page_mode == MWIN_TABPANEL_PER_PAGE_FIXED)
    m_num_per_page = fixed;
  else
    UpdateNumPerPageVar();
  m_entry_cb = cb;
  SetTextLanguageToken(nullptr);
  m_first_row = 0;
  UpdateColumnWidths();
  SetReady(1);
  if (GetMWin()) GetMWin()->RenderNeeded();
  return 1;
}

char MWinTabPanel::SetNumRows(int rows) {
  if (!IsReady()) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (rows < 0) {
    DebugErrorAlt(ENG_FUNC, "invalid num rows %d (ID: %s)", rows, MWinDisplayID(GetID()));
    return 0;
  }
  if (!AllocRows(rows)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  UpdateNumPerPageVar();
  UpdateColumnWidths();
  if (GetMWin()) GetMWin()->RenderNeeded();
  return 1;
}

void MWinTabPanel::RemoveAllRows() {
  FreeRows();
  // The sidebar of the old rows goes with them.
  GetSidebarDimensions();
  if (GetMWin()) GetMWin()->RenderNeeded();
}

void MWinTabPanel::RemoveEntryCallbacks() {
  m_entry_cb = nullptr;
  m_entry_bg_colour_cb = nullptr;
  m_entry_text_colour_cb = nullptr;
  m_entry_text_scale_cb = nullptr;
  FreeRows();
  FreeColumns();
  SetReady(0);
  GetSidebarDimensions();
}

const char *MWinTabPanel::GetEntryString(int row, int col) {
  if (!m_entry_cb || row < -1 || row >= m_num_rows || col < 0 || col >= m_num_cols) return "";
  const char *text = m_entry_cb(row, col, this);
  return text ? text : "";
}

// ---- Preferences ----

void MWinTabPanel::SetPreferences(char show_title_row, char alternate_rows, char fill_page, char allow_selection,
                                  char multi_select, char allow_sorting, float title_height) {
  m_show_title_row = show_title_row;
  m_alternate_rows = alternate_rows;
  m_fill_page = fill_page;
  m_allow_selection = allow_selection;
  m_multi_select = multi_select;
  m_allow_sorting = allow_sorting;
  if (title_height > 0) {
    m_title_height = title_height;
  } else if (m_show_title_row && m_title_height <= 0) {
    // Shown without a height of its own: the layout's title height.
    MWinLayoutSettings *layout = GetLayoutSettings();
    if (layout) m_title_height = layout->tab_height;
  }
  if (!m_show_title_row) m_title_height = 0;
  UpdateColumnWidths();
  GetSidebarDimensions();
}

void MWinTabPanel::SetPreferences(const _MWinTabPanelPreferences *p) {
  if (!p) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  SetPreferences(p->show_title_row, p->alternate_rows, p->fill_page, p->allow_selection, p->multi_select,
                 p->allow_sorting, p->title_height);
}

void MWinTabPanel::SetRenderPreferences(char draw_back, float border_x, float border_y, float title_gap,
                                        char draw_dividers, float divider_inset_top, float divider_inset_bottom,
                                        char draw_row_backs, float row_back_alpha, char draw_title_back,
                                        float title_back_alpha) {
  if (draw_back >= 0) m_draw_back = draw_back;
  if (border_x >= 0) m_border_x = border_x;
  if (border_y >= 0) m_border_y = border_y;
  if (title_gap >= 0) m_title_gap = title_gap;
  if (draw_dividers >= 0) m_draw_dividers = draw_dividers;
  if (divider_inset_top >= 0) m_divider_inset_top = divider_inset_top;
  if (divider_inset_bottom >= 0) m_divider_inset_bottom = divider_inset_bottom;
  if (draw_row_backs >= 0) m_draw_row_backs = draw_row_backs;
  if (row_back_alpha >= 0) m_row_back_alpha = row_back_alpha;
  if (draw_title_back >= 0) m_draw_title_back = draw_title_back;
  if (title_back_alpha >= 0) m_title_back_alpha = title_back_alpha;
}

void MWinTabPanel::SetRenderPreferences(const _MWinTabPanelRenderPreferences *p) {
  if (!p) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  SetRenderPreferences(p->draw_back, p->border_x, p->border_y, p->title_gap, p->draw_dividers,
                       p->divider_inset_top, p->divider_inset_bottom, p->draw_row_backs, p->row_back_alpha,
                       p->draw_title_back, p->title_back_alpha);
}

void MWinTabPanel::AllowMultipleRowsSelection(char mode) {
  if (mode == m_multi_select) return;
  m_multi_select = mode;
  ClearSel();
}

// ---- Columns ----

char MWinTabPanel::SetColumnWidthPercentage(int col, int percent) {
  if (!ColumnInRange(col, ENG_FUNC)) return 0;
  if (percent < 0 || percent > 100) {
    DebugErrorAlt(ENG_FUNC, "Invalid percentage: [%d]", percent);
    return 0;
  }
  m_columns[col].width_percent = static_cast<unsigned char>(percent);
  m_auto_column_widths = 0;
  UpdateColumnWidths();
  return 1;
}

char MWinTabPanel::SetColumnTextAlign(int col, _MWinTextAlign align) {
  if (!ColumnInRange(col, ENG_FUNC)) return 0;
  m_columns[col].text_align = align;
  return 1;
}

char MWinTabPanel::HideColumn(int col, char hide) {
  if (!ColumnInRange(col, ENG_FUNC)) return 0;
  m_columns[col].hidden = hide;
  UpdateColumnWidths();
  return 1;
}

// ---- Text styles ----

static void KeepOrSetScale(_Vector2d *scale, float sx, float sy) {
  if (sx >= 0) scale->x = sx;
  if (sy >= 0) scale->y = sy;
}

static void KeepOrSetColour(_ColourRGBA *colour, float r, float g, float b, float a) {
  if (r >= 0 && g >= 0 && b >= 0) {
    colour->r = r;
    colour->g = g;
    colour->b = b;
  }
  if (a >= 0) colour->a = a;
}

static const _Vector2d unit_scale = {1, 1};
static const _ColourRGBA white = {1, 1, 1, 1};

void MWinTabPanel::SetTitleTextStyle(const _Vector2d *scale, const _ColourRGBA *colour) {
  m_title_text_scale = scale ? *scale : unit_scale;
  m_title_text_colour = colour ? *colour : white;
  if (GetMWin()) GetMWin()->RenderNeeded();
}

void MWinTabPanel::SetTitleTextStyle(float sx, float sy, float r, float g, float b, float a) {
  KeepOrSetScale(&m_title_text_scale, sx, sy);
  KeepOrSetColour(&m_title_text_colour, r, g, b, a);
  if (GetMWin()) GetMWin()->RenderNeeded();
}

void MWinTabPanel::SetRowTextStyle(char style, const _Vector2d *scale, const _ColourRGBA *colour) {
  if (style < -1 || style > 1) return;
  for (int i = 0; i < 2; i++) {
    if (style != -1 && style != i) continue;
    m_row_text_scale[i] = scale ? *scale : unit_scale;
    m_row_text_colour[i] = colour ? *colour : white;
  }
  if (GetMWin()) GetMWin()->RenderNeeded();
}

void MWinTabPanel::SetRowTextStyle(char style, float sx, float sy, float r, float g, float b, float a) {
  if (style < -1 || style > 1) return;
  for (int i = 0; i < 2; i++) {
    if (style != -1 && style != i) continue;
    KeepOrSetScale(&m_row_text_scale[i], sx, sy);
    KeepOrSetColour(&m_row_text_colour[i], r, g, b, a);
  }
  if (GetMWin()) GetMWin()->RenderNeeded();
}

static void UpdateColumnStyleFlags(_MWinTabPanelColumnInfo *c) {
  c->has_text_scale = (c->text_scale_x != 1 || c->text_scale_y != 1) ? 1 : 0;
  c->has_text_colour =
      (c->text_colour.r != 1 || c->text_colour.g != 1 || c->text_colour.b != 1 || c->text_colour.a != 1) ? 1 : 0;
}

char MWinTabPanel::SetColumnTextStyle(int col, const _Vector2d *scale, const _ColourRGBA *colour) {
  if (!ColumnInRange(col, ENG_FUNC)) return 0;
  _MWinTabPanelColumnInfo *c = &m_columns[col];
  const _Vector2d s = scale ? *scale : unit_scale;
  c->text_scale_x = s.x;
  c->text_scale_y = s.y;
  c->text_colour = colour ? *colour : white;
  UpdateColumnStyleFlags(c);
  if (GetMWin()) GetMWin()->RenderNeeded();
  return 1;
}

char MWinTabPanel::SetColumnTextStyle(int col, float sx, float sy, float r, float g, float b, float a) {
  if (!ColumnInRange(col, ENG_FUNC)) return 0;
  _MWinTabPanelColumnInfo *c = &m_columns[col];
  _Vector2d s = {c->text_scale_x, c->text_scale_y};
  KeepOrSetScale(&s, sx, sy);
  c->text_scale_x = s.x;
  c->text_scale_y = s.y;
  KeepOrSetColour(&c->text_colour, r, g, b, a);
  UpdateColumnStyleFlags(c);
  if (GetMWin()) GetMWin()->RenderNeeded();
  return 1;
}
