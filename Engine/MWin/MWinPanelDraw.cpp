// The item panel's drawing: the optional back, one row back per shown row in the state of its
// selection, the sidebar with its thumb, and the shown items' texts in their colours.
#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinPanel.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTextures.h"

char MWinPanel::Render() {
  if (!IsOnScreen() || !PrepareForRender()) return 0;
  PanelRenderBack(GetRenderState());
  UpdateTextFontColourAndScale();
  PanelRenderText();
  RestoreAfterRenderAreaCrop();
  return 1;
}

void MWinPanel::PanelRenderBack(_MWinTextureState state) {
  MWin *mwin = GetMWin();
  MWinTextures *textures = mwin ? mwin->GetTextures() : nullptr;
  if (!textures) return;
  const char *flags = mwin->GetSettings()->panel_background_flags;
  if (flags[1]) {
    _MWinTextureState back = flags[0] ? state : (flags[2] ? MWIN_TEXSTATE_HIGHLIGHTED : MWIN_TEXSTATE_NORMAL);
    if (!IsEnabled()) back = MWIN_TEXSTATE_DISABLED;
    RenderNormalBack(back);
  }
  if (m_per_page < 1) {
    DebugErrorAlt(ENG_FUNC, "%s: NUM PER PAGE <= 0", GetID());
    return;
  }
  const _Dimension *a = GetActualArea();
  char lit = IsActive() && flags[0] ? 1 : 0;
  int start = int(m_display);
  if (start < 0) start = 0;
  if (!(flags[1] && !IsEnabled())) {
    for (int row = 0; row <= m_per_page; row++) {
      int item = start + row;
      char past = item >= m_count ? 1 : 0;
      if (past && !flags[1]) break;
      char selected = past ? 0 : PanelIsItemSelected(item);
      _MWinTextureState s;
      if (!m_show_selection) {
        s = lit ? MWIN_TEXSTATE_HIGHLIGHTED : MWIN_TEXSTATE_NORMAL;
      } else if (lit) {
        s = past ? MWIN_TEXSTATE_NORMAL : (selected ? MWIN_TEXSTATE_PRESSED : MWIN_TEXSTATE_HIGHLIGHTED);
      } else {
        if (past) continue;
        s = selected ? MWIN_TEXSTATE_HIGHLIGHTED : MWIN_TEXSTATE_NORMAL;
      }
      if (m_show_selection && !IsEnabled() && !selected) s = MWIN_TEXSTATE_DISABLED;
      _Dimension box = {a->x, (float(row) - (m_display - float(start))) * m_row_height + a->y, m_text_width,
                        m_row_height};
      textures->DrawTextureButton(GetBackTexButNum(), s, &box, nullptr);
      if (m_item_render_cb) m_item_render_cb(this, &box, s, item, m_item_render_user);
    }
  }
  if (m_sidebar_shown) {
    textures->DrawTextureButton(textures->GetStandardTexButNum(MWIN_STDTEX_VSCROLL_BACK), state, &m_sidebar,
                                nullptr);
    textures->DrawTextureButton(textures->GetStandardTexButNum(MWIN_STDTEX_VSCROLL_BUTTON), MWIN_TEXSTATE_NORMAL,
                                &m_thumb, nullptr);
  }
}

void MWinPanel::PanelRenderText() {
  MWin *mwin = GetMWin();
  EngFont *font = GetTextFont();
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!mwin || !font || !layout) return;
  int start = 0, end = 0;
  if (!PanelGetStartAndEndDisplayPos(&start, &end)) return;
  // The extra row shows the one scrolled partly into view.
  if (end < m_count) end++;
  float margin = layout->panel_text_margin;
  const _Dimension *a = GetActualArea();
  if (eng_main_device && eng_main_device->IsCropOn()) CropRenderAreaToArea(a->x + margin, a->y, m_text_width - 2 * margin, a->height);
  for (int item = start; item < end; item++) {
    float top = (float(item - start) - (m_display - float(start))) * m_row_height + a->y;
    if (m_colours) font->SetColour(&m_colours[item]);
    mwin->RenderTextPart(GetFontNum(), GetTextAlign(), margin, a->x, top, m_text_width, m_row_height, nullptr,
                         PanelGetStringAtPos(item), m_max_string_length, 0, 1, 0);
  }
  if (m_colours) UpdateTextFontColour(font, nullptr);
}
