// The vertical scrollbar (widget kind 5): the horizontal one turned on its side, used as the
// sidebar of lists and text boxes, bound to their first-shown-line position.
#pragma once

#include "Engine/MWin/MWinScrollbar.h"

class MWinVertScrollbar : public MWinScrollbar {
 public:
  MWinVertScrollbar(MWin *mwin, const char *id, MWinGroup *group, const char *texbut_id, const ENG_CHAR *text,
                    float x, float y, float w, float h);
  ~MWinVertScrollbar() override;

  // The value times the multiplier with 0 to 3 decimals; after a prefix always in brackets.
  void SetAutoTextFloat(char on, char decimals, char use_prefix, float multiplier);

  float GetScreenYPos() { return GetScreenPos(); }
  double GetYPosFromScreen(float y) { return DoGetPosFromScreen(y); }
  double DoGetYPosFromScreen(float y) { return DoGetPosFromScreen(y); }
};
