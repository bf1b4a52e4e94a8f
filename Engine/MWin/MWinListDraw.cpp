// The drop-down list's drawing: closed, the back with the arrow pair and the selected entry;
// open, the column of rows with its end caps or scroll rows, the highlight and the entries,
// drawn after the group's other widgets so it lies over them.
#include "Engine/EngLanguages.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinList.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTextures.h"

void MWinList::RenderBack(_MWinTextureState state) { ListRenderBack(state); }

void MWinList::RenderText() {
  MWinButton::RenderText();  // sets the font's colour and scale
  ListRenderText();
}

char MWinList::RenderOnTopOfOtherButtons() {
  if (!IsShown()) return 0;
  if (ListIsOpen()) ListRenderOnTopOfOtherButtons(GetRenderState());
  return 1;
}

void MWinList::ListRenderBackPart(_MWinTextureState state, int slot, float x, float y, float w, float h) {
  MWinTextures *textures = GetMWin() ? GetMWin()->GetTextures() : nullptr;
  if (!textures) return;
  textures->DrawTextureButton(textures->GetStandardTexButNum(slot), state, x, y, w, h, nullptr);
}

void MWinList::ListRenderBack(_MWinTextureState state) {
  if (ListIsOpen()) return;
  RenderNormalBack(state);
  MWinTextures *textures = GetMWin() ? GetMWin()->GetTextures() : nullptr;
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!textures || !layout) return;
  const _Dimension *a = GetActualArea();
  float w = layout->list_arrow_width, h = layout->list_arrow_height / 2;
  float x = a->x + a->width - layout->list_arrow_width - layout->list_arrow_margin;
  float y = a->y + a->height / 2 - layout->list_arrow_height / 2;
  const _ColourRGBA *colour = GetColouringMode() ? GetColour() : nullptr;
  textures->DrawTextureButton(textures->GetStandardTexButNum(MWIN_STDTEX_UP_ARROW), state, x, y, w, h, colour);
  textures->DrawTextureButton(textures->GetStandardTexButNum(MWIN_STDTEX_DOWN_ARROW), state, x, y + h, w, h, colour);
}

void MWinList::ListRenderText() {
  MWin *mwin = GetMWin();
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (ListIsOpen() || !mwin || !layout) return;
  _Dimension *area = GetActualArea();
  const _Dimension kept = *area;
  area->width -= layout->list_arrow_width + layout->list_arrow_margin;
  if (m_token_list && m_token[0]) {
    const char *text = EngLanguagesGetString(m_token, m_pos);
    if (text)
      mwin->RenderText(GetFontNum(), GetTextAlign(), layout->text_margin, area, nullptr, text, 0, 1,
                       GetShrinkTextToFit());
  } else {
    RenderNormalText();
  }
  *area = kept;
}

void MWinList::ListRenderOnTopOfOtherButtons(_MWinTextureState state) {
  MWin *mwin = GetMWin();
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!mwin || !layout) return;
  if (state == MWIN_TEXSTATE_HIGHLIGHTED) state = MWIN_TEXSTATE_NORMAL;
  const OpenLayout &o = m_open;
  float x = o.open_x, w = GetActualArea()->width, h = GetActualArea()->height;
  if (o.box_y >= 0 && o.box_h > 0) ListRenderBackPart(state, MWIN_STDTEX_LIST_OPEN_MAIN, x, o.box_y, w, o.box_h);
  if (o.top_cap_y >= 0) ListRenderBackPart(state, MWIN_STDTEX_LIST_OPEN_TOP, x, o.top_cap_y, w, o.top_cap_h);
  if (o.bottom_cap_y >= 0)
    ListRenderBackPart(state, MWIN_STDTEX_LIST_OPEN_BOT, x, o.bottom_cap_y, w, o.bottom_cap_h);
  if (o.can_scroll_up && o.up_row_y >= 0) ListRenderBackPart(state, MWIN_STDTEX_LIST_OPEN_MAIN, x, o.up_row_y, w, h);
  if (o.can_scroll_down && o.down_row_y >= 0)
    ListRenderBackPart(state, MWIN_STDTEX_LIST_OPEN_MAIN, x, o.down_row_y, w, h);
  if (o.highlight_y >= 0 && m_open_pos >= o.first_shown - 1 && m_open_pos <= o.end_shown)
    ListRenderBackPart(state == MWIN_TEXSTATE_NORMAL ? MWIN_TEXSTATE_HIGHLIGHTED : state,
                       MWIN_STDTEX_LIST_OPEN_SEL, x, o.highlight_y, w, h);
  float aw = layout->list_arrow_width, ah = layout->list_arrow_height;
  if (o.can_scroll_up && o.up_row_y >= 0)
    ListRenderBackPart(state, MWIN_STDTEX_UP_ARROW, x + (w - aw) / 2, o.up_row_y + (h - ah) / 2, aw, ah);
  if (o.can_scroll_down && o.down_row_y >= 0)
    ListRenderBackPart(state, MWIN_STDTEX_DOWN_ARROW, x + (w - aw) / 2, o.down_row_y + (h - ah) / 2, aw, ah);
  UpdateTextFontColourAndScale();
  for (int entry = o.first_shown; entry >= 0 && entry < o.end_shown; entry++) {
    const ENG_CHAR *text = EntryText(entry);
    if (!text) continue;
    float centre = o.open_y + h / 2 + float(entry - o.anchor - o.scroll) * h;
    mwin->RenderText(GetFontNum(), GetTextAlign(), layout->text_margin, x, centre - h / 2, w, h, nullptr, text, 0, 1,
                     GetShrinkTextToFit());
  }
}
