// The toolkit's free helpers: identifiers (copy, test, compare, display), areas, stepping
// through a window's buttons, showing and enabling a button through a possibly null pointer,
// and the position corrections that centre design-space areas on wide or narrow windows.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/MWin/MWinTypes.h"

// 0 with a report, and dest unchanged, for a null argument or a source of 32 characters or more.
char MWinCopyID(char *dest, const char *src);
char MWinIsIDEmpty(const char *id);
// Two empty ids are not the same; case counts.
char MWinAreIDsTheSame(const char *a, const char *b);
const char *MWinDisplayID(const char *id);

_Dimension *MWinCopyArea(_Dimension *dest, const _Dimension *src);
_Dimension *MWinSetArea(_Dimension *area, float x, float y, float w, float h);

// Follows the window's button order n steps; n = 0 gives the button itself.
MWinButton *MWinGetNextButton(MWinButton *button, int n);
MWinButton *MWinGetPrevButton(MWinButton *button, int n);

void MWinShowButton(MWinButton *button, char show);
void MWinHideButton(MWinButton *button);
void MWinEnableButton(MWinButton *button, char enable);
void MWinDisableButton(MWinButton *button);

float MWinApplyWidescreenRatioToXPos(float x, float width);
float MWinApplyNarrowscreenRatioToYPos(float y, float height);
float MWinUnapplyWidescreenRatioToXPos(float x, float width);
