// The choice's drawing: boxes in a row with the selected one pressed, or the arrows beside the
// selected entry's text.
#include "Engine/EngFont.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinChoice.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTextures.h"

void MWinChoice::RenderBack(_MWinTextureState state) { ChoiceRenderBacks(state); }

void MWinChoice::RenderText() {
  MWinButton::RenderText();  // sets the font's colour and scale
  ChoiceRenderText();
}

void MWinChoice::ChoiceRenderBacks(_MWinTextureState state) {
  if (m_use_arrows)
    ChoiceArrowsDraw(state);
  else
    ChoiceBoxesDraw(state);
}

void MWinChoice::ChoiceArrowsDraw(_MWinTextureState state) {
  RenderNormalBack(state, GetActualArea());
  MWin *mwin = GetMWin();
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!IsEnabled() || !mwin || !mwin->GetTextures() || !layout) return;
  MWinTextures *textures = mwin->GetTextures();
  const _Dimension *a = GetActualArea();
  float w = layout->choice_arrow_width, h = layout->choice_arrow_height, margin = layout->choice_arrow_margin;
  float y = a->y + (a->height - h) / 2;
  if (IsLeftArrowShown())
    textures->DrawTextureButton(textures->GetStandardTexButNum(MWIN_STDTEX_LEFT_ARROW), state, a->x + margin, y, w, h,
                                nullptr);
  if (IsRightArrowShown())
    textures->DrawTextureButton(textures->GetStandardTexButNum(MWIN_STDTEX_RIGHT_ARROW), state,
                                a->x + a->width - w - margin, y, w, h, nullptr);
}

void MWinChoice::ChoiceBoxesDraw(_MWinTextureState state) {
  MWin *mwin = GetMWin();
  if (!mwin) return;
  const _Dimension *a = GetActualArea();
  if (m_count < 1) {
    RenderNormalBack(state, GetActualArea());
    return;
  }
  char style = mwin->GetSettings()->choice_box_style;
  int under = (style == 0 && IS_MOBILE) ? ChoiceGetItemFromMousePos(0) : -1;
  float x = a->x;
  for (int i = 0; i < m_count; i++) {
    float w = ChoiceGetItemWidth(i);
    _MWinTextureState s;
    char selected = i == m_sel;
    if (!IsEnabled())
      s = MWIN_TEXSTATE_DISABLED;
    else if (selected)
      s = MWIN_TEXSTATE_PRESSED;
    else if (style == 2 || !IsActive())
      s = MWIN_TEXSTATE_NORMAL;
    else if (style == 1 || i == under)
      s = MWIN_TEXSTATE_HIGHLIGHTED;
    else
      s = MWIN_TEXSTATE_NORMAL;
    RenderNormalBack(s, x, a->y, w, a->height);
    x += w;
  }
}

void MWinChoice::ChoiceRenderText() {
  if (m_use_arrows)
    ChoiceArrowsDrawTexts();
  else
    ChoiceBoxesDrawTexts();
}

void MWinChoice::ChoiceArrowsDrawTexts() {
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!layout) return;
  float s = layout->choice_arrow_width + layout->choice_arrow_margin;
  _Dimension *area = GetActualArea();
  if (area->width - 2 * s <= 0) return;
  const _Dimension kept = *area;
  area->x += s;
  area->width -= 2 * s;
  RenderNormalText();
  *area = kept;
}

void MWinChoice::ChoiceBoxesDrawTexts() {
  MWin *mwin = GetMWin();
  MWinLayoutSettings *layout = GetLayoutSettings();
  EngFont *font = GetTextFont();
  if (!mwin || !layout || !font || m_count < 1) return;
  _ColourRGBA colour;
  GetTextColour(&colour);
  if (GetColouringMode()) {
    const _ColourRGBA *c = GetColour();
    colour.r *= c->r;
    colour.g *= c->g;
    colour.b *= c->b;
    colour.a *= c->a;
  }
  const _Dimension *a = GetActualArea();
  float x = a->x;
  for (int i = 0; i < m_count; i++) {
    float w = ChoiceGetItemWidth(i);
    _ColourRGBA c = colour;
    if (!IsEnabled() && i != m_sel) c.a *= 0.5f;
    UpdateTextFontColour(font, &c);
    mwin->RenderText(GetFontNum(), MWIN_ALIGN_CENTRE, layout->choice_text_margin, x, a->y, w, a->height, nullptr,
                     ChoiceGetString(i), 0, 1, GetShrinkTextToFit());
    x += w;
  }
}
