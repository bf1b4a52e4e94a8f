#include "Engine/MWin/MWinTabPanelModel.h"

void MWinTabPanelColumnDefaults(_MWinTabPanelColumnInfo *column) {
  if (!column) return;
  column->width_percent = 0;
  column->width = 0;
  column->x = 0;
  column->text_align = -1;
  column->has_text_scale = 0;
  column->text_scale_x = column->text_scale_y = 1;
  column->has_text_colour = 0;
  column->text_colour = {1, 1, 1, 1};
  column->hidden = 0;
}

char MWinTabPanelCalcColumnWidths(_MWinTabPanelColumnInfo *columns, int count, float width, char auto_widths) {
  if (!columns || count < 1) return auto_widths;
  int visible = 0, sum = 0, zero_count = 0;
  for (int i = 0; i < count; i++) {
    if (columns[i].hidden) continue;
    visible++;
    sum += columns[i].width_percent;
    if (columns[i].width_percent == 0) zero_count++;
  }
  if (!auto_widths && sum == 0) auto_widths = 1;
  for (int i = 0; i < count; i++) {
    _MWinTabPanelColumnInfo *c = &columns[i];
    if (c->hidden || visible == 0) {
      c->width = 0;
    } else if (auto_widths) {
      c->width = width / float(visible);
    } else if (sum >= 100 || zero_count == 0) {
      // Over-full (or nothing left to share): scale the shares to the whole width.
      c->width = float(c->width_percent) * width * (100.0f / float(sum)) / 100.0f;
    } else if (c->width_percent == 0) {
      c->width = (float(100 - sum) / float(zero_count)) * width / 100.0f;
    } else {
      c->width = float(c->width_percent) * width / 100.0f;
    }
  }
  float x = 0;
  for (int i = 0; i < count; i++) {
    columns[i].x = x;
    x += columns[i].width;
  }
  return auto_widths;
}

float MWinTabPanelLayoutRowHeight(_EngLayout layout) {
  static const float heights[ENG_NUM_LAYOUTS] = {20.0f, 32.0f, 44.0f, 18.0f, 26.0f};
  int n = int(layout);
  if (n < 0 || n >= ENG_NUM_LAYOUTS) n = 0;
  return heights[n];
}

int MWinTabPanelCalcNumPerPage(char mode, int fixed_count, float height, _EngLayout layout) {
  if (mode == MWIN_TABPANEL_PER_PAGE_FIXED) return fixed_count;
  float h = MWinTabPanelLayoutRowHeight(layout);
  if (mode == MWIN_TABPANEL_PER_PAGE_MEDIUM) h *= 0.66f;
  if (mode == MWIN_TABPANEL_PER_PAGE_SMALL) h *= 0.4f;
  return int(height / h);
}

void MWinTabPanelPerPageMode(int per_page, char *mode, int *fixed_count) {
  char m = MWIN_TABPANEL_PER_PAGE_NORMAL;
  int count = 0;
  if (per_page == -3) {
    m = MWIN_TABPANEL_PER_PAGE_SMALL;
  } else if (per_page == -2) {
    m = MWIN_TABPANEL_PER_PAGE_MEDIUM;
  } else if (per_page >= 1) {
    m = MWIN_TABPANEL_PER_PAGE_FIXED;
    count = per_page;
  }
  if (mode) *mode = m;
  if (fixed_count) *fixed_count = count;
}

void MWinTabPanelSortClear(_MWinTabPanelSortInfo *sort) {
  if (!sort) return;
  sort->column = -1;
  sort->direction = 0;
  sort->previous_column = -1;
  sort->previous_direction = 0;
}

void MWinTabPanelSortSetMain(_MWinTabPanelSortInfo *sort, int col, char direction, char remember_previous) {
  if (!sort) return;
  if (col < 0) {
    MWinTabPanelSortClear(sort);
    return;
  }
  if (remember_previous && sort->previous_column != sort->column) {
    sort->previous_column = sort->column;
    sort->previous_direction = sort->direction;
  }
  sort->column = col;
  if (direction >= 0) sort->direction = direction;
}

void MWinTabPanelSortHeadingClick(_MWinTabPanelSortInfo *sort, int col) {
  if (!sort || col < 0) return;
  if (sort->column == col)
    sort->direction = sort->direction ? 0 : 1;
  else
    MWinTabPanelSortSetMain(sort, col, 0, 1);
}

int MWinTabPanelRowAtY(float y, float area_y, float row_height, float first_row, int rows) {
  if (!(row_height > 0)) return -1;
  float f = (y - area_y) / row_height + first_row;
  if (f < 0) return -1;
  int row = int(f);
  return row >= 0 && row < rows ? row : -1;
}

int MWinTabPanelColumnAtX(const _MWinTabPanelColumnInfo *columns, int count, float x) {
  if (!columns) return -1;
  for (int i = 0; i < count; i++) {
    if (columns[i].width <= 0) continue;
    if (x >= columns[i].x && x < columns[i].x + columns[i].width) return i;
  }
  return -1;
}

char MWinTabPanelClickClearsOthers(char multi_select, char shift_down, char ctrl_down) {
  return multi_select == 2 || shift_down || ctrl_down ? 0 : 1;
}

int MWinTabPanelKeyMove(int key, int per_page, char *is_nav_key) {
  char nav = 1;
  int move = 0;
  switch (key) {
    case 246: move = -1; break;
    case 247: move = 1; break;
    case 248: move = -per_page; break;
    case 249: move = per_page; break;
    default: nav = 0; break;
  }
  if (is_nav_key) *is_nav_key = nav;
  return move;
}

int MWinTabPanelClampRow(int row, int rows) {
  if (row > rows - 1) row = rows - 1;
  if (row < 0) row = 0;
  return row;
}

float MWinTabPanelScrollToShow(float first, int row, int per_page) {
  int top = int(first);
  if (row < top) return float(row);
  if (row >= top + per_page) return float(row + 1 - per_page);
  return first;
}

float MWinTabPanelCentreOn(int row, int rows, int per_page) {
  int first = row - per_page / 2;
  if (first < 0) first = 0;
  int last_first = rows - per_page;
  if (last_first < 0) last_first = 0;
  if (first > last_first) first = last_first;
  return float(first);
}
