#include "Engine/MWin/MWinVertScrollbar.h"

MWinVertScrollbar::MWinVertScrollbar(MWin *mwin, const char *id, MWinGroup *group, const char *texbut_id,
                                     const ENG_CHAR *text, float x, float y, float w, float h)
    : MWinScrollbar(mwin, id, group, MWIN_BUTTON_VERT_SCROLLBAR, texbut_id, text, x, y, w, h) {}

MWinVertScrollbar::~MWinVertScrollbar() { Reset(); }

void MWinVertScrollbar::SetAutoTextFloat(char on, char decimals, char use_prefix, float multiplier) {
  DoSetAutoTextFloat(on, decimals, use_prefix, multiplier, 1);
}
