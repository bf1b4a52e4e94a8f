// The five screen layouts (desktop, phone and tablet upright or sideways): which one applies
// and the per-layout tables of text ratios, button text sizes and default button sizes.
// The desktop program stays on layout 0; the other layouts answer all the same.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"

// Any negative value asks for the layout of the current device and orientation.
enum _EngLayout : EngInt32 {
  ENG_LAYOUT_CURRENT = -1,
  ENG_LAYOUT_DESKTOP = 0,
  ENG_LAYOUT_PHONE_PORTRAIT = 1,
  ENG_LAYOUT_PHONE_LANDSCAPE = 2,
  ENG_LAYOUT_TABLET_PORTRAIT = 3,
  ENG_LAYOUT_TABLET_LANDSCAPE = 4,
};
constexpr EngInt32 ENG_NUM_LAYOUTS = 5;

// A layout outside 0..4 is refused with a log line and read as the desktop.
_EngLayout EngLayoutsGetLayout(_EngLayout layout);
char EngLayoutsIsMobile(_EngLayout layout);
char EngLayoutsIsHandheld(_EngLayout layout);
char EngLayoutsIsHandheldPotrait(_EngLayout layout);
char EngLayoutsIsTablet(_EngLayout layout);
char EngLayoutsIsPortrait(_EngLayout layout);
char EngLayoutsIsLandscape(_EngLayout layout);
EngInt32 EngLayoutsGetWidth(_EngLayout layout);
EngInt32 EngLayoutsGetHeight(_EngLayout layout);
float EngLayoutsGetRatio(_EngLayout layout);
float EngLayoutsGetTextSizeRatio(_EngLayout layout);
_Vector2d *EngLayoutsGetTextSizeRatios(_EngLayout layout);
_Vector2d *EngLayoutsGetButtonTextSize(_EngLayout layout);
_Vector2d *EngLayoutsGetButtonSize(_EngLayout layout);

void EngLayoutsResetForTests();
