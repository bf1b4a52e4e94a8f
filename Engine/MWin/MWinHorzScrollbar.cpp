#include "Engine/MWin/MWinHorzScrollbar.h"

#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinSettings.h"

MWinHorzScrollbar::MWinHorzScrollbar(MWin *mwin, const char *id, MWinGroup *group, const char *texbut_id,
                                     const ENG_CHAR *text, float x, float y, float w, float h)
    : MWinScrollbar(mwin, id, group, MWIN_BUTTON_HORZ_SCROLLBAR, texbut_id, text, x, y, w, h) {}

MWinHorzScrollbar::~MWinHorzScrollbar() { Reset(); }

void MWinHorzScrollbar::SetAutoText(int on, char use_prefix, char brackets) {
  SetPrefixFromText(use_prefix);
  if (!on) {
    m_auto_text = 0;
    return;
  }
  m_auto_text = 100;
  m_auto_text_brackets = brackets;
  UpdateText();
}

void MWinHorzScrollbar::SetAutoTextFloat(char on, char decimals, char use_prefix, float multiplier, char brackets) {
  DoSetAutoTextFloat(on, decimals, use_prefix, multiplier, brackets);
}

char MWinHorzScrollbar::IsMouseVieportCursorInButton() {
  MWin *mwin = GetMWin();
  if (!mwin || !GetLayoutSettings()) return 0;
  float x = 0, y = 0;
  mwin->GetViewportMousePos(&x, &y);
  const _Dimension *a = GetActualArea();
  if (y < a->y || y >= a->y + a->height) return 0;
  float left = GetScreenXPos();
  return x >= left && x < left + GetThumbLength() ? 1 : 0;
}
