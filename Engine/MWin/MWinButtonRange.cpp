// The range slider kind: a track with two handles choosing [low, high] inside [minimum,
// maximum], never narrower than the minimum span, with an optional automatic value text and a
// pair of bound floats. The generic handlers of the widget call in here for kind 15.
#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"

// Engine key codes the slider answers.
static const int kKeyUp = 246, kKeyDown = 247, kKeyLeft = 244, kKeyRight = 245;
static const int kKeyShift = 228, kKeyControl = 229;

// Parts under a screen x, as RangeGetXPosFromScreen reports them.
static const unsigned char kPartBar = 0, kPartRightHandle = 1, kPartRightOfRange = 2, kPartRightOfButton = 3;
static const unsigned char kPartLeftOfButton = 253, kPartLeftOfRange = 254, kPartLeftHandle = 255;

// The layout values the slider is drawn and hit with.
struct RangeMeasures {
  float inset, bar_height, handle_width, right_handle_width;
};

static char GetMeasures(MWinButton *button, RangeMeasures *out) {
  MWinLayoutSettings *layout = button->GetLayoutSettings();
  if (!layout) return 0;
  out->inset = layout->choice_arrow_margin;
  out->bar_height = layout->slider_button_height;
  out->handle_width = layout->range_thumb_height;
  out->right_handle_width = layout->range_thumb_width;
  return 1;
}

static float ViewportMouseX(MWin *mwin) {
  float x = 0;
  mwin->GetViewportMousePos(&x, nullptr);
  return x;
}

void MWinButton::RangeReset() {
  m_range_min = 0.0f;
  m_range_max = 1.0f;
  m_range_low = 0.25f;
  m_range_high = 0.75f;
  m_range_span = 0.1f;
  m_range_auto_text = 0;
  m_range_base_text_len = 0;
  m_range_changed_by_user = 0;
  m_range_drag_part = -2;
  m_range_drag_offset = 0.0f;
}

char MWinButton::RangeSetLimits(float minimum, float maximum, float span) {
  if (span == 0) span = (maximum - minimum) / 10.0f;
  if (minimum > maximum || span >= maximum - minimum) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  m_range_min = minimum;
  m_range_max = maximum;
  m_range_span = span;
  m_left_arrow_shown = m_right_arrow_shown = 0;
  m_ready = 1;
  return 1;
}

void MWinButton::RangeSetAutoText(char on, char decimals, char keep_text) {
  m_range_base_text_len = (keep_text && HasText()) ? EngInt32(strlen(GetTextP())) : 0;
  if (decimals < 1 || decimals > 3) DebugErrorAlt(ENG_FUNC, "Decimal places=%d not supported", int(decimals));
  m_range_auto_text = on ? EngUInt8(decimals + 1) : 0;
  RangeUpdateText();
}

char MWinButton::RangeGetAcualRangeValues(float *a, float *b) {
  if (!a || !b) {
    if (a) *a = 0;
    if (b) *b = 0;
    return 0;
  }
  if (m_range_span * 1.00001f >= m_range_high - m_range_low) {
    float single;
    if (m_range_low == m_range_min)
      single = m_range_min;
    else if (m_range_high == m_range_max)
      single = m_range_max;
    else
      single = (m_range_low + m_range_high) / 2.0f;
    *a = *b = single;
    return 1;
  }
  *a = m_range_low;
  *b = m_range_high;
  return 0;
}

char MWinButton::RangeGetRange(float *low, float *high) { return RangeGetAcualRangeValues(low, high); }

void MWinButton::RangeSetRange(float low, float high, char by_user, char call_callback) {
  float lo = low < high ? low : high;
  if (lo < m_range_min) lo = m_range_min;
  float hi = high;
  if (hi > m_range_max) hi = m_range_max;
  if (hi - lo < m_range_span) {
    float half = (m_range_span - (hi - lo)) / 2.0f;
    lo -= half;
    hi += half;
    if (lo < m_range_min) {
      hi += m_range_min - lo;
      lo = m_range_min;
    } else if (hi > m_range_max) {
      lo -= hi - m_range_max;
      hi = m_range_max;
    }
  }
  if (lo != m_range_low || hi != m_range_high) {
    m_range_low = lo;
    m_range_high = hi;
    RangeUpdateText();
    if (m_reg.kind == MWIN_REGVAR_TWO_FLOATS && m_reg.float_p && m_reg.float2_p) {
      float a = 0, b = 0;
      RangeGetAcualRangeValues(&a, &b);
      *m_reg.float_p = a / m_reg.float_mult;
      *m_reg.float2_p = b / m_reg.float_mult;
    }
    // Marked before the callback, which may remove the widget.
    if (by_user) m_range_changed_by_user = 1;
    if (m_mwin) m_mwin->RenderNeeded();
  }
  if (call_callback && HasCallback()) {
    _MWinButtonCallbackInfo info;
    FillCallbackInfo(&info);
    info.range_flag = EngUInt8(by_user ? 1 : 0);
    CallCallback(&info);
  }
}

char MWinButton::RangeRegisterTwoFloatVariables(float *low, float *high, float scale, char call_callback) {
  if (!RegisterTwoFloatVariables(low, high, scale)) return 0;
  RangeUpdateFromRegisteredVariables(call_callback);
  return 1;
}

void MWinButton::RangeUpdateFromRegisteredVariables(char call_callback) {
  if (m_reg.kind != MWIN_REGVAR_TWO_FLOATS || !m_reg.float_p || !m_reg.float2_p) return;
  RangeSetRange(*m_reg.float_p * m_reg.float_mult, *m_reg.float2_p * m_reg.float_mult, 0, call_callback);
}

void MWinButton::RangeUpdateText() {
  if (!m_range_auto_text || !HasText()) return;
  const char *text = GetTextP();
  size_t keep = size_t(m_range_base_text_len);
  if (keep > strlen(text)) keep = strlen(text);
  size_t size = keep + 64;
  char *built = static_cast<char *>(EngMalloc(size, ENG_FUNC, 0));
  if (!built) return;
  memcpy(built, text, keep);
  size_t at = keep;
  if (keep) built[at++] = ' ';
  float a = 0, b = 0;
  char single = RangeGetAcualRangeValues(&a, &b);
  int decimals = (m_range_auto_text >= 2 && m_range_auto_text <= 4) ? m_range_auto_text - 1 : 1;
  if (single)
    snprintf(built + at, size - at, "[%.*f]", decimals, double(a));
  else
    snprintf(built + at, size - at, "[%.*f,%.*f]", decimals, double(a), decimals, double(b));
  SetText(built);
  EngFree(built, 0, ENG_FUNC);
}

void MWinButton::RangeGetScreenXPos(float *left, float *right) {
  RangeMeasures m = {0, 0, 0, 0};
  GetMeasures(this, &m);
  const _Dimension &a = m_actual_area;
  float start = a.x + m.inset;
  float track = a.width - 2 * m.inset - m.right_handle_width;
  float l = start, r = start + m.right_handle_width;
  if (m_range_max != m_range_min) {
    float range = m_range_max - m_range_min;
    l = start + (m_range_low - m_range_min) / range * track;
    r = start + (m_range_high - m_range_min) / range * track + m.right_handle_width;
  }
  if (left) *left = l;
  if (right) *right = r;
}

float MWinButton::RangeGetXPosFromScreen(float x, unsigned char *part) {
  RangeMeasures m = {0, 0, 0, 0};
  GetMeasures(this, &m);
  const _Dimension &a = m_actual_area;
  float l = 0, r = 0;
  RangeGetScreenXPos(&l, &r);
  unsigned char hit;
  if (x < a.x)
    hit = kPartLeftOfButton;
  else if (x >= a.x + a.width)
    hit = kPartRightOfButton;
  else if (x < l)
    hit = kPartLeftOfRange;
  else if (x >= r)
    hit = kPartRightOfRange;
  else if (x < l + m.handle_width)
    hit = kPartLeftHandle;
  else if (x >= r - m.handle_width)
    hit = kPartRightHandle;
  else
    hit = kPartBar;
  if (part) *part = hit;
  // A handle is held by its inner edge, so the pointer is taken one handle further in.
  if (m_dragging) {
    if (m_range_drag_part == 1) x -= m.handle_width;
    if (m_range_drag_part == -1) x += m.handle_width;
  }
  float track = a.width - 2 * m.inset - 2 * m.handle_width;
  if (track == 0) return 0;
  float value = (x - (a.x + m.inset + m.handle_width)) * (m_range_max - m_range_min) / track + m_range_min;
  if (hit != kPartLeftOfButton && hit != kPartRightOfButton) {
    if (value < m_range_min) value = m_range_min;
    if (value > m_range_max) value = m_range_max;
  }
  return value;
}

void MWinButton::RangeHandleMouseButtonPressed(char button, char pressed) {
  if (button != 0 || !pressed) {
    RangeDraggingOver();
    return;
  }
  if (!m_mwin) return;
  unsigned char part = 0;
  float value = RangeGetXPosFromScreen(ViewportMouseX(m_mwin), &part);
  if (part == kPartBar || part == kPartRightHandle || part == kPartLeftHandle) {
    m_range_drag_part = static_cast<signed char>(part);
    m_range_drag_offset = m_range_low - value;
    m_dragging = 1;
    RangeHandleDragging();
  } else if (part == kPartLeftOfRange) {
    DebugInfoAlt(ENG_FUNC, "JUMP LEFT");
  } else if (part == kPartRightOfRange) {
    DebugInfoAlt(ENG_FUNC, "JUMP RIGHT");
  }
}

void MWinButton::RangeHandleDragging() {
  if (!m_dragging || !m_mwin) return;
  float value = RangeGetXPosFromScreen(ViewportMouseX(m_mwin), nullptr);
  float lo = m_range_low, hi = m_range_high;
  if (m_range_drag_part == 1) {
    hi = value;
    if (hi - lo < m_range_span) lo = value - m_range_span;
  } else if (m_range_drag_part == -1) {
    lo = value;
    if (hi - lo < m_range_span) hi = value + m_range_span;
  } else if (m_range_drag_part == 0) {
    float width = hi - lo;
    lo = value + m_range_drag_offset;
    if (lo < m_range_min) lo = m_range_min;
    if (lo + width > m_range_max) lo = m_range_max - width;
    hi = lo + width;
  } else {
    return;
  }
  RangeSetRange(lo, hi, 1, 1);
}

void MWinButton::RangeDraggingOver() {
  m_dragging = 0;
  if (!m_range_changed_by_user) return;
  m_range_changed_by_user = 0;
  // The callback hears once more that the drag is over.
  RangeSetRange(m_range_low, m_range_high, 0, 1);
}

char MWinButton::RangeHandleKeyDown(int key) {
  float lo = m_range_low, hi = m_range_high;
  if (key == kKeyDown) {
    float width = hi - lo;
    lo = m_range_min + (m_range_max - m_range_min - width) / 2.0f;
    RangeSetRange(lo, lo + width, 0, 1);
    return 1;
  }
  if (key == kKeyUp) {
    RangeSetRange(0, 0, 0, 1);
    return 1;
  }
  if (key != kKeyLeft && key != kKeyRight) return 0;
  float step = (m_range_max - m_range_min) / 100.0f;
  if (key == kKeyLeft) step = -step;
  if (eng_key_down[kKeyControl])
    lo += step;
  else if (eng_key_down[kKeyShift])
    hi += step;
  else {
    lo += step;
    hi += step;
  }
  RangeSetRange(lo, hi, 0, 1);
  return 1;
}

void MWinButton::RangeRenderButton(_MWinTextureState state) {
  RangeMeasures m;
  if (!m_mwin || !m_mwin->GetTextures() || !GetMeasures(this, &m)) return;
  float l = 0, r = 0;
  RangeGetScreenXPos(&l, &r);
  if (l >= r || m.bar_height <= 0) return;
  MWinTextures *textures = m_mwin->GetTextures();
  const _ColourRGBA *tint = m_colouring ? &m_colour : nullptr;
  float y = m_actual_area.y + (m_actual_area.height - m.bar_height) / 2.0f;
  float hw = m.handle_width, h = m.bar_height;
  int bar = textures->GetStandardTexButNum(MWIN_STDTEX_SCROLL_BUTTON);
  if (r - l > 2 * hw) textures->DrawTextureButtonPart(bar, state, l + hw, y, r - l - 2 * hw, h, 0.25f, 0, 0.75f, 1, tint);
  if (hw > 0) {
    textures->DrawTextureButtonPart(bar, state, l, y, hw, h, 0, 0, 0.25f, 1, tint);
    textures->DrawTextureButtonPart(bar, state, r - hw, y, hw, h, 0.75f, 0, 1, 1, tint);
  }
  if (hw > 4 && h > 4) {
    textures->DrawTextureButton(textures->GetStandardTexButNum(MWIN_STDTEX_LEFT_ARROW), state, l + m.inset,
                                y + m.inset, hw - 2 * m.inset, h - 2 * m.inset, tint);
    textures->DrawTextureButton(textures->GetStandardTexButNum(MWIN_STDTEX_RIGHT_ARROW), state, r - hw + m.inset,
                                y + m.inset, hw - 2 * m.inset, h - 2 * m.inset, tint);
  }
}

void MWinButton::RangeRenderText() { RenderNormalText(); }
