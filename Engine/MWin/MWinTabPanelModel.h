// The tab panel's table records and the arithmetic behind it: column widths, rows per page,
// sort state, which row a point hits, and what a click, key or new selection does to the
// selection and scroll position. Plain functions of their arguments, shared by the widget.
#pragma once

#include "Engine/EngLayouts.h"
#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"

struct _MWinTabPanelColumnInfo {
  unsigned char width_percent;  // 0 shares the rest
  float width;
  float x;  // from the first column's left edge
  EngInt32 text_align;  // _MWinTextAlign; -1 takes the widget's own
  char has_text_scale;
  float text_scale_x, text_scale_y;
  char has_text_colour;
  _ColourRGBA text_colour;
  char hidden;
};

struct _MWinTabPanelRowInfo {
  char selected;
};

struct _MWinTabPanelSortInfo {
  EngInt32 column;  // -1 none
  char direction;   // 0 draws the down arrow, 1 the up arrow
  EngInt32 previous_column;
  char previous_direction;
};

// Row-count modes of a page: a fixed count, or computed from the height at three row sizes.
enum _MWinTabPanelPerPageMode : char {
  MWIN_TABPANEL_PER_PAGE_FIXED = 0,
  MWIN_TABPANEL_PER_PAGE_NORMAL = 1,
  MWIN_TABPANEL_PER_PAGE_MEDIUM = 2,
  MWIN_TABPANEL_PER_PAGE_SMALL = 3,
};

void MWinTabPanelColumnDefaults(_MWinTabPanelColumnInfo *column);

// Shares width among the visible columns by their percentages (or equally when automatic) and
// sets their offsets; hidden columns get 0. Returns the automatic flag, which a table with no
// percentages at all turns on.
char MWinTabPanelCalcColumnWidths(_MWinTabPanelColumnInfo *columns, int count, float width, char auto_widths);

// The height of one row of a layout in the normal mode.
float MWinTabPanelLayoutRowHeight(_EngLayout layout);
// Rows per page for a computed mode; the fixed count is returned unchanged for mode 0.
int MWinTabPanelCalcNumPerPage(char mode, int fixed_count, float height, _EngLayout layout);
// Mode and fixed count from the per-page argument of the table set-up.
void MWinTabPanelPerPageMode(int per_page, char *mode, int *fixed_count);

void MWinTabPanelSortClear(_MWinTabPanelSortInfo *sort);
void MWinTabPanelSortSetMain(_MWinTabPanelSortInfo *sort, int col, char direction, char remember_previous);
// A heading click: the sort column flips its direction, another column becomes it with 0.
void MWinTabPanelSortHeadingClick(_MWinTabPanelSortInfo *sort, int col);

// The row under y in the rows area, or -1 outside 0 .. rows - 1 (and for a row height of 0).
int MWinTabPanelRowAtY(float y, float area_y, float row_height, float first_row, int rows);
// The column under x (offset from the first column's left edge), or -1.
int MWinTabPanelColumnAtX(const _MWinTabPanelColumnInfo *columns, int count, float x);
// Whether a released click clears the other rows first: never in toggle mode (2), and never
// while shift or Ctrl is held.
char MWinTabPanelClickClearsOthers(char multi_select, char shift_down, char ctrl_down);
// The move of an up, down, page-up or page-down key; 0 with *is_nav_key cleared for others.
int MWinTabPanelKeyMove(int key, int per_page, char *is_nav_key);
int MWinTabPanelClampRow(int row, int rows);
// The first row after bringing row into a page of per_page rows starting at first.
float MWinTabPanelScrollToShow(float first, int row, int per_page);
// The first row that centres row, kept within 0 .. rows - per_page.
float MWinTabPanelCentreOn(int row, int rows, int per_page);
