// The tab panel's sidebar: a vertical track and thumb bound to the panel's first row, which it
// holds to 0 .. rows - per page. Pressing the thumb drags it, pressing the track pages, the
// wheel steps a row. It stands where the toolkit's vertical scrollbar widget will go.
#include "Engine/EngDebug.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTabPanel.h"
#include "Engine/MWin/MWinTextures.h"

float MWinTabPanel::SidebarThickness() {
  MWinLayoutSettings *layout = GetLayoutSettings();
  return layout ? layout->vscrollbar_width : 12.0f;
}

void MWinTabPanel::SidebarCreate() {
  if (m_sidebar) return;
  m_sidebar = new _MWinTabPanelSidebar();
  const _Dimension *a = GetActualArea();
  const float s = SidebarThickness();
  m_sidebar->area = {a->x + a->width - s, a->y + m_title_height, s, a->height - m_title_height};
  m_sidebar->max_value = 1;
  m_sidebar->page = 0.1f;
  m_sidebar->step = 0.01f;
  m_sidebar->shown = 0;
}

void MWinTabPanel::SidebarDelete() {
  delete m_sidebar;
  m_sidebar = nullptr;
}

void MWinTabPanel::SidebarSetValues(float max_value, float page, float step) {
  if (!m_sidebar) return;
  m_sidebar->max_value = max_value < 0 ? 0 : max_value;
  m_sidebar->page = page;
  m_sidebar->step = step;
  SidebarClampFirstRow();
}

void MWinTabPanel::SidebarClampFirstRow() {
  if (!m_sidebar) return;
  if (m_first_row > m_sidebar->max_value) m_first_row = m_sidebar->max_value;
  if (m_first_row < 0) m_first_row = 0;
}

float MWinTabPanel::SidebarThumbLength() const {
  if (!m_sidebar) return 0;
  const float track = m_sidebar->area.height;
  const float total = m_sidebar->max_value + m_sidebar->page;
  float length = total > 0 ? track * m_sidebar->page / total : track;
  if (length < m_sidebar->area.width) length = m_sidebar->area.width;
  if (length > track) length = track;
  return length;
}

float MWinTabPanel::SidebarThumbY() const {
  if (!m_sidebar) return 0;
  const float room = m_sidebar->area.height - SidebarThumbLength();
  const float f = m_sidebar->max_value > 0 ? m_first_row / m_sidebar->max_value : 0;
  return m_sidebar->area.y + (room > 0 ? room * f : 0);
}

char MWinTabPanel::SidebarHandlePress(char button, char pressed) {
  MWin *mwin = GetMWin();
  if (!m_sidebar || !mwin || button != 0) return 0;
  if (!pressed) {
    m_sidebar->dragging = 0;
    return 1;
  }
  float mx = 0, my = 0;
  mwin->GetViewportMousePos(&mx, &my);
  const float thumb_y = SidebarThumbY();
  if (my >= thumb_y && my < thumb_y + SidebarThumbLength()) {
    m_sidebar->dragging = 1;
    m_sidebar->drag_offset = my - thumb_y;
    return 1;
  }
  m_first_row += my < thumb_y ? -m_sidebar->page : m_sidebar->page;
  SidebarClampFirstRow();
  mwin->RenderNeeded();
  return 1;
}

void MWinTabPanel::SidebarHandleMove() {
  MWin *mwin = GetMWin();
  if (!m_sidebar || !m_sidebar->dragging || !mwin) return;
  float mx = 0, my = 0;
  mwin->GetViewportMousePos(&mx, &my);
  const float room = m_sidebar->area.height - SidebarThumbLength();
  // A thumb as long as its track has nowhere to go.
  if (room <= 0) return;
  m_first_row = (my - m_sidebar->drag_offset - m_sidebar->area.y) / room * m_sidebar->max_value;
  SidebarClampFirstRow();
  mwin->RenderNeeded();
}

char MWinTabPanel::SidebarHandleWheel(int n) {
  if (!m_sidebar || !m_sidebar->shown) return 0;
  m_first_row -= float(n) * m_sidebar->step;
  SidebarClampFirstRow();
  if (GetMWin()) GetMWin()->RenderNeeded();
  return 1;
}

void MWinTabPanel::SidebarRender() {
  MWin *mwin = GetMWin();
  if (!m_sidebar || !m_sidebar->shown || !mwin || !mwin->GetTextures()) return;
  MWinTextures *textures = mwin->GetTextures();
  const _MWinTextureState state = IsEnabled() ? MWIN_TEXSTATE_NORMAL : MWIN_TEXSTATE_DISABLED;
  const _Dimension &a = m_sidebar->area;
  textures->DrawTextureButton(textures->GetStandardTexButNum(MWIN_STDTEX_VSCROLL_BACK), state, &a, nullptr);
  const _MWinTextureState thumb_state = m_sidebar->dragging ? MWIN_TEXSTATE_PRESSED : state;
  textures->DrawTextureButton(textures->GetStandardTexButNum(MWIN_STDTEX_VSCROLL_BUTTON), thumb_state, a.x,
                              SidebarThumbY(), a.width, SidebarThumbLength(), nullptr);
}
