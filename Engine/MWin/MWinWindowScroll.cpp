// Scrolling of a window's content beyond its area on one axis at a time, with its two built-in
// scrollbars dragged, paged and wheeled; and the window's tick.
#include "Engine/EngDebug.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinWindow.h"

static void ResetBar(_MWinWindowScrollbar *bar) {
  *bar = _MWinWindowScrollbar();
  bar->fraction_x = bar->fraction_y = 1;
}

void MWinWindow::SetExtraSize(float w, float h) {
  if (!m_mwin || w < 0 || h < 0 || (w == 0 && h == 0)) {
    m_extra_size[0] = m_extra_size[1] = 0;
    m_scrolling_on = 0;
    // Also after a refused size: the content must not stay shifted by an old scroll position.
    if (m_mwin) UpdateTitleBar(0);
    return;
  }
  m_extra_size[0] = w;
  m_extra_size[1] = h;
  m_scrolling_on = 1;
  UpdateTitleBar(0);
}

void MWinWindow::ScrollToBottom() {
  m_scrollbar_y.pos = m_extra_size[1];
  UpdateExtraPos(1, 1);
}

void MWinWindow::UpdateExtraSizeInfo() {
  // The positions survive the re-layout; everything derived from them is rebuilt.
  float pos_x = m_scrollbar_x.pos, pos_y = m_scrollbar_y.pos;
  char was_scrolled = (m_virtual_offset[0] != 0 || m_virtual_offset[1] != 0) ? 1 : 0;
  ResetBar(&m_scrollbar_x);
  ResetBar(&m_scrollbar_y);
  m_virtual_offset[0] = m_virtual_offset[1] = 0;
  if (!m_scrolling_on) {
    // Scrolling just went off: the widgets come back from where the old offset put them.
    if (was_scrolled) {
      for (MWinGroup *g = m_first_group; g; g = g->m_next) g->UpdateButtonsActualAreas();
      PlaceTitleButtons();
    }
    return;
  }
  MWinLayoutSettings *layout = GetScreenLayout();
  if (!layout) return;
  const _Dimension &a = m_actual_area;
  if (m_extra_size[0] > 0) {
    _MWinWindowScrollbar &bar = m_scrollbar_x;
    bar.pos = pos_x;
    bar.track = {a.x, a.y + a.height - layout->hscroll_track_height, a.width, layout->hscroll_track_height};
    bar.fraction_x = a.width / (m_extra_size[0] + a.width);
    float length = bar.fraction_x * a.width;
    bar.travel_x = a.width - length;
    bar.thumb = {a.x, bar.track.y + 0.5f * layout->hscroll_track_height - 0.5f * layout->hscroll_thumb_height, length,
                 layout->hscroll_thumb_height};
    UpdateExtraPos(0, 1);
  }
  if (m_extra_size[1] > 0) {
    _MWinWindowScrollbar &bar = m_scrollbar_y;
    bar.pos = pos_y;
    bar.track = {a.x + a.width - layout->vscroll_track_width, a.y, layout->vscroll_track_width, a.height};
    bar.fraction_y = a.height / (m_extra_size[1] + a.height);
    float length = bar.fraction_y * a.height;
    bar.travel_y = a.height - length;
    bar.thumb = {bar.track.x + 0.5f * layout->vscroll_track_width - 0.5f * layout->vscroll_thumb_width, a.y,
                 layout->vscroll_thumb_width, length};
    UpdateExtraPos(1, 1);
  }
}

void MWinWindow::UpdateExtraPos(int axis, char sync_scroller) {
  (void)sync_scroller;  // the kinetic scroller of phone and tablet layouts is not built here
  if (axis == 1) {
    _MWinWindowScrollbar &bar = m_scrollbar_y;
    m_virtual_offset[0] = 0;
    if (bar.pos > m_extra_size[1]) bar.pos = m_extra_size[1];
    if (bar.pos < 0) bar.pos = 0;
    if (m_extra_size[1] > 0) bar.thumb.y = bar.travel_y * bar.pos / m_extra_size[1] + m_actual_area.y;
    m_virtual_offset[1] = -bar.pos;
  } else {
    _MWinWindowScrollbar &bar = m_scrollbar_x;
    m_virtual_offset[1] = 0;
    if (bar.pos > m_extra_size[0]) bar.pos = m_extra_size[0];
    if (bar.pos < 0) bar.pos = 0;
    if (m_extra_size[0] > 0) bar.thumb.x = bar.travel_x * bar.pos / m_extra_size[0] + m_actual_area.x;
    m_virtual_offset[0] = -bar.pos;
  }
  for (MWinGroup *g = m_first_group; g; g = g->m_next) g->UpdateButtonsActualAreas();
  PlaceTitleButtons();
  static double next_report = 0;
  DebugInfoPeriodically(&next_report, 1.0, "UEP> %f %f %f %f", double(m_scrollbar_x.pos), double(m_scrollbar_y.pos),
                        double(m_virtual_offset[0]), double(m_virtual_offset[1]));
  if (m_mwin) m_mwin->RenderNeeded();
}

char MWinWindow::ExtraSizeScrollbarsHandleButtonPressed(char button, char pressed, char flag, char synthetic) {
  (void)flag;
  if (!m_scrolling_on || synthetic || button != 0 || !m_mwin) return 0;
  float mouse[2] = {0, 0};
  m_mwin->GetMousePos(&mouse[0], &mouse[1]);
  for (int axis = 0; axis < 2; axis++) {
    if (m_extra_size[axis] <= 0) continue;
    _MWinWindowScrollbar &bar = axis ? m_scrollbar_y : m_scrollbar_x;
    if (pressed) {
      if (m_mwin->IsMouseViewportCursorInArea(&bar.thumb)) {
        bar.dragging = 1;
        bar.drag_start_pos = bar.pos;
        bar.drag_start_mouse = mouse[axis];
        return 1;
      }
      if (m_mwin->IsMouseViewportCursorInArea(&bar.track)) {
        float thumb_start = axis ? bar.thumb.y : bar.thumb.x;
        bar.page_direction = mouse[axis] < thumb_start ? -1 : 1;
        return 1;
      }
    } else {
      if (bar.dragging) {
        bar.dragging = 0;
        bar.page_direction = 0;
        return 1;
      }
      if (bar.page_direction) {
        bar.pos += float(bar.page_direction) * (axis ? m_actual_area.height : m_actual_area.width);
        bar.page_direction = 0;
        UpdateExtraPos(axis, 1);
        return 1;
      }
    }
  }
  return 0;
}

char MWinWindow::ExtraSizeScrollbarsHandleMouseMove() {
  if (!m_scrollbar_x.dragging && !m_scrollbar_y.dragging) return 0;
  if (!m_scrolling_on || !m_mwin) {
    m_scrollbar_x.dragging = m_scrollbar_y.dragging = 0;
    return 0;
  }
  float mouse_x = 0, mouse_y = 0;
  m_mwin->GetMousePos(&mouse_x, &mouse_y);
  int axis;
  if (m_extra_size[0] > 0) {
    _MWinWindowScrollbar &bar = m_scrollbar_x;
    if (bar.travel_x > 0)
      bar.pos = bar.drag_start_pos + m_extra_size[0] * (mouse_x - bar.drag_start_mouse) / bar.travel_x;
    axis = 0;
  } else if (m_extra_size[1] > 0) {
    _MWinWindowScrollbar &bar = m_scrollbar_y;
    if (bar.travel_y > 0)
      bar.pos = bar.drag_start_pos + m_extra_size[1] * (mouse_y - bar.drag_start_mouse) / bar.travel_y;
    axis = 1;
  } else {
    return 0;
  }
  UpdateExtraPos(axis, 1);
  return 1;
}

char MWinWindow::ExtraSizeScrollbarsHandleMouseWheel(int delta) {
  if (!m_scrolling_on || m_scrollbar_y.dragging || m_extra_size[1] <= 0) return 0;
  m_scrollbar_y.pos += -float(delta) * m_extra_size[1] * 0.02f;
  UpdateExtraPos(1, 0);
  return 1;
}

char MWinWindow::Tick() {
  if (!m_shown) return 0;
  char any = 0;
  for (MWinGroup *g = m_first_group; g; g = g->m_next)
    for (MWinButton *b = g->m_first; b; b = b->m_next)
      if (b->IsEnabled() && b->Tick()) any = 1;
  return any;
}
