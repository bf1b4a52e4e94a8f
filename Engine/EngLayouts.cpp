#include "Engine/EngLayouts.h"

#include "Engine/EngDebug.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngWhichDevice.h"

static _Vector2d text_size_ratios[ENG_NUM_LAYOUTS] = {
    {1.0f, 1.1f}, {1.0f, 0.55f}, {1.0f, 1.0f}, {1.0f, 0.55f}, {1.0f, 1.0f}};
static const float button_text_size_multipliers[ENG_NUM_LAYOUTS] = {0.9f, 2.6f, 1.8f, 1.8f, 1.3f};
static _Vector2d button_sizes[ENG_NUM_LAYOUTS] = {
    {60.0f, 20.0f}, {120.0f, 30.0f}, {90.0f, 40.0f}, {100.0f, 24.0f}, {72.0f, 32.0f}};
static const EngInt32 mobile_sizes[ENG_NUM_LAYOUTS][2] = {{640, 480}, {320, 480}, {480, 320}, {768, 1024}, {1024, 768}};
// Filled on first use.
static _Vector2d button_text_sizes[ENG_NUM_LAYOUTS];

void EngLayoutsResetForTests() {
  for (_Vector2d &v : button_text_sizes) v = {0.0f, 0.0f};
}

_EngLayout EngLayoutsGetLayout(_EngLayout layout) {
  if (layout >= ENG_NUM_LAYOUTS) {
    // Every caller indexes a table with the answer.
    DebugErrorAlt(ENG_FUNC, "Invalid layout %d", int(layout));
    return ENG_LAYOUT_DESKTOP;
  }
  if (layout >= 0) return layout;
  if (IS_DESKTOP) return ENG_LAYOUT_DESKTOP;
  bool tablet = IS_TABLET;
  switch (EngMainGetOrientation()) {
    case ENG_ORIENTATION_PORTRAIT:
    case ENG_ORIENTATION_PORTRAIT_UPSIDE_DOWN:
      return tablet ? ENG_LAYOUT_TABLET_PORTRAIT : ENG_LAYOUT_PHONE_PORTRAIT;
    case ENG_ORIENTATION_LANDSCAPE_LEFT:
    case ENG_ORIENTATION_LANDSCAPE_RIGHT:
      return tablet ? ENG_LAYOUT_TABLET_LANDSCAPE : ENG_LAYOUT_PHONE_LANDSCAPE;
    default:
      return ENG_LAYOUT_DESKTOP;
  }
}

char EngLayoutsIsMobile(_EngLayout layout) { return EngLayoutsGetLayout(layout) > 0; }

char EngLayoutsIsHandheld(_EngLayout layout) {
  _EngLayout l = EngLayoutsGetLayout(layout);
  return l == ENG_LAYOUT_PHONE_PORTRAIT || l == ENG_LAYOUT_PHONE_LANDSCAPE;
}

char EngLayoutsIsHandheldPotrait(_EngLayout layout) {
  return EngLayoutsGetLayout(layout) == ENG_LAYOUT_PHONE_PORTRAIT;
}

char EngLayoutsIsTablet(_EngLayout layout) {
  _EngLayout l = EngLayoutsGetLayout(layout);
  return l == ENG_LAYOUT_TABLET_PORTRAIT || l == ENG_LAYOUT_TABLET_LANDSCAPE;
}

char EngLayoutsIsPortrait(_EngLayout layout) {
  _EngLayout l = EngLayoutsGetLayout(layout);
  return l == ENG_LAYOUT_DESKTOP || l == ENG_LAYOUT_PHONE_PORTRAIT || l == ENG_LAYOUT_TABLET_PORTRAIT;
}

char EngLayoutsIsLandscape(_EngLayout layout) {
  _EngLayout l = EngLayoutsGetLayout(layout);
  return l == ENG_LAYOUT_PHONE_LANDSCAPE || l == ENG_LAYOUT_TABLET_LANDSCAPE;
}

EngInt32 EngLayoutsGetWidth(_EngLayout layout) {
  _EngLayout l = EngLayoutsGetLayout(layout);
  if (l == ENG_LAYOUT_DESKTOP) DebugErrorAlt(ENG_FUNC, "Not mobile.");
  return mobile_sizes[l][0];
}

EngInt32 EngLayoutsGetHeight(_EngLayout layout) {
  _EngLayout l = EngLayoutsGetLayout(layout);
  if (l == ENG_LAYOUT_DESKTOP) DebugErrorAlt(ENG_FUNC, "Not mobile.");
  return mobile_sizes[l][1];
}

float EngLayoutsGetRatio(_EngLayout layout) {
  _EngLayout l = EngLayoutsGetLayout(layout);
  return float(mobile_sizes[l][0]) / float(mobile_sizes[l][1]);
}

float EngLayoutsGetTextSizeRatio(_EngLayout layout) {
  const _Vector2d &r = text_size_ratios[EngLayoutsGetLayout(layout)];
  return r.y / r.x;
}

_Vector2d *EngLayoutsGetTextSizeRatios(_EngLayout layout) { return &text_size_ratios[EngLayoutsGetLayout(layout)]; }

_Vector2d *EngLayoutsGetButtonTextSize(_EngLayout layout) {
  _EngLayout l = EngLayoutsGetLayout(layout);
  _Vector2d &size = button_text_sizes[l];
  if (size.x == 0.0f && size.y == 0.0f) {
    size.x = text_size_ratios[l].x * button_text_size_multipliers[l];
    size.y = text_size_ratios[l].y * button_text_size_multipliers[l];
  }
  return &size;
}

_Vector2d *EngLayoutsGetButtonSize(_EngLayout layout) { return &button_sizes[EngLayoutsGetLayout(layout)]; }
