// The tab panel (widget kind 14): a multi-column table of a title row over a page of rows,
// with selection, sort state for the owner and a sidebar. It holds no cell data: every text
// comes from the owner's callbacks, asked only for the rows shown; it never sorts.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinTabPanelModel.h"

class MWinTabPanel;

typedef const char *(*MWIN_TABPANEL_ENTRY_CB)(int row, int column, MWinTabPanel *panel);
typedef const _ColourRGBA *(*MWIN_TABPANEL_ENTRY_BG_COLOUR_CB)(int row, int column, char *slot,
                                                               MWinTabPanel *panel);
typedef const _ColourRGBA *(*MWIN_TABPANEL_ENTRY_TEXT_COLOUR_CB)(int row, int column, MWinTabPanel *panel);
typedef const _Vector2d *(*MWIN_TABPANEL_ENTRY_TEXT_SCALE_CB)(int row, int column, MWinTabPanel *panel);

struct _MWinTabPanelPreferences {
  char show_title_row;
  char alternate_rows;
  char fill_page;
  char allow_selection;
  char multi_select;
  char allow_sorting;
  float title_height;
};

struct _MWinTabPanelRenderPreferences {
  char draw_back;
  float border_x;
  float border_y;
  float title_gap;
  char draw_dividers;
  float divider_inset_top;
  float divider_inset_bottom;
  char draw_row_backs;
  float row_back_alpha;
  char draw_title_back;
  float title_back_alpha;
};

// The sidebar until the toolkit's vertical scrollbar takes its place: a track and a thumb bound
// to the panel's first row, held to 0 .. max while in use.
struct _MWinTabPanelSidebar {
  _Dimension area;  // actual area
  float max_value;
  float page;
  float step;
  char shown;
  char active;
  char dragging;
  float drag_offset;
};

class MWinTabPanel : public MWinButton {
 public:
  MWinTabPanel(MWin *mwin, const char *id, MWinGroup *group, const char *texbut_id, float x, float y, float w,
               float h);
  ~MWinTabPanel() override;
  void PositionUpdated() override;
  char Tick() override;
  char Render() override;
  char HandleMouseButtonPressed(char button, char pressed, char flag) override;
  char HandleMouseButtonDoubleClicked(char button) override;
  void HandleMouseButtonPressCanceled() override;
  void HandleMouseMove() override;
  char HandleMouseWheel(int n) override;
  char HandleKeyDown(int key) override;
  char KeepFocusOnMouseMove() override;
  void Activate() override;
  void Deactivate() override;

  void Reset();

  // Building the table (MWinTabPanel.cpp).
  char SetEntryCallback(int rows, int cols, int per_page, MWIN_TABPANEL_ENTRY_CB cb);
  char SetNumRows(int rows);
  void RemoveAllRows();
  int GetNumRows() const { return m_num_rows; }
  int GetNumCols() const { return m_num_cols; }
  void RemoveEntryCallbacks();
  void SetEntryBgColourCallback(MWIN_TABPANEL_ENTRY_BG_COLOUR_CB cb) { m_entry_bg_colour_cb = cb; }
  void SetEntryTextColourCallback(MWIN_TABPANEL_ENTRY_TEXT_COLOUR_CB cb) { m_entry_text_colour_cb = cb; }
  void SetEntryTextScaleCallback(MWIN_TABPANEL_ENTRY_TEXT_SCALE_CB cb) { m_entry_text_scale_cb = cb; }
  const char *GetEntryString(int row, int col);

  // Preferences, columns and text styles.
  void SetPreferences(char show_title_row, char alternate_rows, char fill_page, char allow_selection,
                      char multi_select, char allow_sorting, float title_height);
  void SetPreferences(const _MWinTabPanelPreferences *prefs);
  void SetRenderPreferences(char draw_back, float border_x, float border_y, float title_gap, char draw_dividers,
                            float divider_inset_top, float divider_inset_bottom, char draw_row_backs,
                            float row_back_alpha, char draw_title_back, float title_back_alpha);
  void SetRenderPreferences(const _MWinTabPanelRenderPreferences *prefs);
  void AllowSelection(char allow) { m_allow_selection = allow; }
  void AllowMultipleRowsSelection(char mode);
  void AutoCalcColumnWidths(char on) { m_auto_column_widths = on; }
  char SetColumnWidthPercentage(int col, int percent);
  char SetColumnTextAlign(int col, _MWinTextAlign align);
  char HideColumn(int col, char hide);
  const _MWinTabPanelColumnInfo *GetColumnInfo(int col) const;
  void SetTitleTextStyle(const _Vector2d *scale, const _ColourRGBA *colour);
  void SetTitleTextStyle(float sx, float sy, float r, float g, float b, float a);
  void SetRowTextStyle(char style, const _Vector2d *scale, const _ColourRGBA *colour);
  void SetRowTextStyle(char style, float sx, float sy, float r, float g, float b, float a);
  char SetColumnTextStyle(int col, const _Vector2d *scale, const _ColourRGBA *colour);
  char SetColumnTextStyle(int col, float sx, float sy, float r, float g, float b, float a);

  // Sorting and selection (MWinTabPanelSelect.cpp).
  _MWinTabPanelSortInfo *GetSortInfo() { return &m_sort; }
  void SetMainSortColumn(int col, char direction, char remember_previous);
  char SelectRow(int row, char select, char notify, char reason);
  void SelectAll();
  void ClearSel();
  int GetNumSelectedRows() const;
  int GetFirstSelectedRow() const;
  int GetNthSelectedRowNumber(int n) const;
  char IsRowSelected(int row) const;
  char SetFirstSelectedRowNumberToColumnString(int col, const char *text);
  char RegisterIntVariable(int *var, char notify);
  char RegisterCharVariable(char *var, char notify);
  char UpdateFromRegisteredVariable(char notify);

  // Layout and scrolling (MWinTabPanelLayout.cpp).
  void SetFirstRowDisplayed(int row);
  void EnsureLastRowDisplayed();
  void ShowFirstSelectedRow();
  void CenterToRowIfPossible(int row);
  void CenterToFirstSelectedRowIfPossible();
  int GetFirstDisplayedRow() const;
  int GetLastDisplayedRow() const;
  int GetNumDisplayedRows() const;
  int GetNthDisplayedRowNumber(int n) const;
  char GetNthDisplayedRowDimensionForColumn(int n, int col, _Dimension *area);
  char GetEntryDisplayedArea(int row, int col, _Dimension *area);
  void ShowSel(char show);
  char CropToTableRowsArea(char with_title);
  void RestoreAfterCrop() { RestoreAfterRenderAreaCrop(); }
  char WantsScrollingInput(char kind) const { return kind == 1 && m_sidebar ? 1 : 0; }
  int GetNumPerPage() const { return m_num_per_page; }
  float GetFirstRow() const { return m_first_row; }
  float GetRowHeight() const { return m_row_height; }
  float GetTitleHeight() const { return m_title_height; }
  const _Dimension *GetRowsArea() const { return &m_rows_area; }
  char IsSidebarShown() const { return m_sidebar_shown; }
  const _MWinTabPanelSidebar *GetSidebar() const { return m_sidebar; }
  char UpdateNumPerPageVar();
  char GetSidebarDimensions();
  void UpdateColumnWidths();

 private:
  // Drawing (MWinTabPanelDraw.cpp).
  void RenderBack(_MWinTextureState state) override;
  void RenderDividers();
  using MWinButton::RenderText;
  void RenderText(_MWinTextureState state);
  void DrawStdSlot(int slot, _MWinTextureState state, float x, float y, float w, float h, const _ColourRGBA *tint);
  // Input helpers (MWinTabPanelInput.cpp).
  char HandleTitleClick(char button, char pressed);
  char CallPanelCallback(int row, char selected, char heading, char reason);
  // The sidebar (MWinTabPanelSidebar.cpp).
  void SidebarCreate();
  void SidebarDelete();
  void SidebarSetValues(float max_value, float page, float step);
  void SidebarClampFirstRow();
  float SidebarThumbLength() const;
  float SidebarThumbY() const;
  char SidebarHandlePress(char button, char pressed);
  void SidebarHandleMove();
  char SidebarHandleWheel(int n);
  void SidebarRender();
  float SidebarThickness();

  char AllocRows(int rows);
  void FreeRows();
  void FreeColumns();
  char ColumnInRange(int col, const char *signature) const;

  _MWinTabPanelColumnInfo *m_columns = nullptr;
  _MWinTabPanelRowInfo *m_rows = nullptr;
  int m_num_cols = 0;
  int m_num_rows = 0;
  int m_num_per_page = 0;
  char m_num_per_page_mode = 1;
  char m_show_title_row = 0;
  _Vector2d m_title_text_scale = {1, 1};
  _ColourRGBA m_title_text_colour = {1, 1, 1, 1};
  _Vector2d m_row_text_scale[2] = {{1, 1}, {1, 1}};
  _ColourRGBA m_row_text_colour[2] = {{1, 1, 1, 1}, {1, 1, 1, 1}};
  char m_allow_selection = 1;
  char m_multi_select = 0;
  char m_allow_sorting = 1;
  char m_auto_column_widths = 1;
  char m_whole_row_backs = 1;
  char m_alternate_rows = 1;
  char m_fill_page = 1;
  char m_draw_back = 1;
  float m_border_x = 2, m_border_y = 2;
  float m_title_gap = 0;
  char m_draw_title_back = 1;
  float m_title_back_alpha = 1.0f;
  char m_draw_row_backs = 1;
  char m_draw_dividers = 1;
  float m_divider_inset_top = 1, m_divider_inset_bottom = 0;
  float m_row_back_alpha = 0.75f;
  _MWinTabPanelSortInfo m_sort = {-1, 0, -1, 0};
  MWIN_TABPANEL_ENTRY_CB m_entry_cb = nullptr;
  MWIN_TABPANEL_ENTRY_BG_COLOUR_CB m_entry_bg_colour_cb = nullptr;
  MWIN_TABPANEL_ENTRY_TEXT_COLOUR_CB m_entry_text_colour_cb = nullptr;
  MWIN_TABPANEL_ENTRY_TEXT_SCALE_CB m_entry_text_scale_cb = nullptr;
  float m_first_row = 0;
  float m_row_height = 0;
  float m_title_height = 0;
  _Dimension m_rows_area = {0, 0, 0, 0};
  char m_sidebar_shown = 0;
  _MWinTabPanelSidebar *m_sidebar = nullptr;  // owned
};
