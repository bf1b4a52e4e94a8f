// The horizontal scrollbar and value slider (widget kind 4): a thumb on a track from left to
// right, optional arrow buttons, and an integer or decimal value text behind the label.
#pragma once

#include "Engine/MWin/MWinScrollbar.h"

class MWinHorzScrollbar : public MWinScrollbar {
 public:
  MWinHorzScrollbar(MWin *mwin, const char *id, MWinGroup *group, const char *texbut_id, const ENG_CHAR *text,
                    float x, float y, float w, float h);
  ~MWinHorzScrollbar() override;

  // The value as an integer after the text present now (when use_prefix), optionally in brackets.
  void SetAutoText(int on, char use_prefix, char brackets);
  // The value times the multiplier with 0 to 4 decimals.
  void SetAutoTextFloat(char on, char decimals, char use_prefix, float multiplier, char brackets);

  float GetScreenXPos() { return GetScreenPos(); }
  double GetXPosFromScreen(float x) { return DoGetPosFromScreen(x); }
  double DoGetXPosFromScreen(float x) { return DoGetPosFromScreen(x); }
  // 1 when the viewport mouse position lies on the thumb.
  char IsMouseVieportCursorInButton();
};
