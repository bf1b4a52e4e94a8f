#include "Engine/MWin/MWinScrollbar.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMath.h"
#include "Engine/EngMemory.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTextures.h"

// The scrollbar sizes of a layout block, by what they mean to a scrollbar.
static float ArrowLength(const MWinLayoutSettings *l) { return l->choice_arrow_width; }
static float ArrowInset(const MWinLayoutSettings *l) { return l->choice_arrow_margin; }
static float HorzThickness(const MWinLayoutSettings *l) { return l->slider_button_height; }
static float HorzThumbLength(const MWinLayoutSettings *l) { return l->hscrollbar_arrow_width; }
static float VertThickness(const MWinLayoutSettings *l) { return l->vscrollbar_width; }
static float VertThumbLength(const MWinLayoutSettings *l) { return l->vscrollbar_arrow_height; }
static float HorzTrackInset(const MWinLayoutSettings *l) { return l->hscrollbar_margin; }
static float VertTrackInset(const MWinLayoutSettings *l) { return l->vscrollbar_margin; }

static const int kKeyLeft = 244, kKeyRight = 245, kKeyUp = 246, kKeyDown = 247, kKeyPageUp = 248,
                 kKeyPageDown = 249;

MWinScrollbar::MWinScrollbar(MWin *mwin, const char *id, MWinGroup *group, _MWinButtonType kind,
                             const char *texbut_id, const ENG_CHAR *text, float x, float y, float w, float h)
    : MWinButton(mwin, id, group, kind, texbut_id, text, x, y, w, h), m_kind(kind) {
  Reset();
}

MWinScrollbar::~MWinScrollbar() { Reset(); }

void MWinScrollbar::Reset() {
  m_pos = 0;
  m_min = 0;
  m_max = 100;
  m_page = 10;
  m_step = 1;
  m_auto_text = 0;
  m_auto_text_prefix_len = 0;
  m_auto_text_multiplier = 1.0f;
  m_snap = 0;
  m_auto_text_brackets = 0;
  m_moved_by_drag = 0;
  m_drag_offset = 0;
}

// ---- Range ----

void MWinScrollbar::SetValues(int min, int max, int page, int step) {
  if (min > max) return;
  double range = double(max) - double(min);
  StoreValues(min, max, page < 1 ? range / 10.0 : page, step < 1 ? range / 100.0 : step);
}

void MWinScrollbar::SetValuesLong(int min, int max, int page, int step) {
  if (min > max) return;
  long long range = (long long)max - (long long)min;
  StoreValues(min, max, page == 0 ? double(range / 10) : page, step == 0 ? double(range / 100) : step);
}

void MWinScrollbar::SetValuesFloat(float min, float max, float page, float step) {
  if (min > max) return;
  StoreValues(min, max, page <= 0 ? (max - min) / 10 : page, step <= 0 ? (max - min) / 100 : step);
}

void MWinScrollbar::SetValuesDouble(double min, double max, double page, double step) {
  DoSetValuesDouble(min, max, page, step);
}

void MWinScrollbar::DoSetValuesDouble(double min, double max, double page, double step) {
  if (min > max) return;
  StoreValues(min, max, page <= 0 ? (max - min) / 10 : page, step <= 0 ? (max - min) / 100 : step);
}

void MWinScrollbar::StoreValues(double min, double max, double page, double step) {
  m_min = min;
  m_pos = min;
  m_max = max;
  m_page = page;
  m_step = step;
  SetReady(1);
}

// ---- Value ----

char MWinScrollbar::SetPosDouble(double value, char dragging, char force, char notify) {
  if (!IsOwnKind()) {
    DebugErrorAlt(ENG_FUNC, "Not a scrollbar [%s]", MWinDisplayID(GetID()));
    return 0;
  }
  if (value < m_min) value = m_min;
  if (value > m_max) value = m_max;
  if (!force && value == m_pos) {
    if (notify && HasCallback()) Notify(dragging);
    return 1;
  }
  m_pos = ApplySnap(value);
  UpdateText();
  WriteBoundVariable();
  // Set before the callback, which may remove this widget.
  if (dragging) m_moved_by_drag = 1;
  if (notify && HasCallback()) Notify(dragging);
  return 1;
}

void MWinScrollbar::Notify(char dragging) {
  _MWinButtonCallbackInfo info;
  FillCallbackInfo(&info);
  info.scrollbar_flag = dragging ? 1 : 0;
  info.scrollbar_pos = m_pos;
  CallCallback(&info);
}

double MWinScrollbar::GetPosDouble() { return IsOwnKind() ? m_pos : -1; }
float MWinScrollbar::GetPosFloat() { return IsOwnKind() ? float(m_pos) : -1.0f; }
int MWinScrollbar::GetPos() { return IsOwnKind() ? int(m_pos) : -1; }

static double Clamp(double value, double lo, double hi) {
  if (value < lo) return lo;
  if (value > hi) return hi;
  return value;
}

// Integer variables hold value / multiplier, so reading them back (times the multiplier)
// gives the value again.
void MWinScrollbar::WriteBoundVariable() {
  const _MWinButtonRegVar *reg = GetRegisteredVariable();
  switch (reg->kind) {
    case MWIN_REGVAR_CHAR:
      if (reg->char_p) *reg->char_p = char(EngMathRoundDouble(Clamp(m_pos, -127, 127)));
      break;
    case MWIN_REGVAR_UCHAR:
      if (reg->uchar_p) *reg->uchar_p = static_cast<unsigned char>(EngMathRoundDouble(Clamp(m_pos, 0, 255)));
      break;
    case MWIN_REGVAR_INT:
      if (reg->int_p) *reg->int_p = EngMathRoundDouble(m_pos / (reg->int_mult ? reg->int_mult : 1));
      break;
    case MWIN_REGVAR_INT32:
      if (reg->int32_p) *reg->int32_p = EngInt32(EngMathRoundDouble(m_pos / (reg->int32_mult ? reg->int32_mult : 1)));
      break;
    case MWIN_REGVAR_UINT32:
      if (reg->uint32_p) {
        double v = Clamp(m_pos / (reg->uint32_mult ? reg->uint32_mult : 1u), 0, double(UINT32_MAX));
        *reg->uint32_p = EngUInt32(EngMathRoundLong(v));
      }
      break;
    case MWIN_REGVAR_FLOAT:
      if (reg->float_p) *reg->float_p = float(reg->float_mult > 0 ? m_pos / reg->float_mult : m_pos);
      break;
    default: break;
  }
}

char MWinScrollbar::RegisterCharVariable(char *var, char notify) {
  if (!IsOwnKind() || !MWinButton::RegisterCharVariable(var) || !var) return 0;
  SetPosDouble(*var, 0, 0, notify);
  return 1;
}

char MWinScrollbar::RegisterUnsignedCharVariable(unsigned char *var, char notify) {
  if (!IsOwnKind() || !MWinButton::RegisterUnsignedCharVariable(var) || !var) return 0;
  SetPosDouble(*var, 0, 0, notify);
  return 1;
}

char MWinScrollbar::RegisterIntVariable(int *var, int mult, char notify) {
  if (!IsOwnKind() || !MWinButton::RegisterIntVariable(var, mult) || !var) return 0;
  SetPosDouble(double(*var) * mult, 0, 0, notify);
  return 1;
}

char MWinScrollbar::RegisterLongVariable(EngInt32 *var, EngInt32 mult, char notify) {
  if (!IsOwnKind() || !MWinButton::RegisterLongVariable(var, mult) || !var) return 0;
  SetPosDouble(double(*var) * mult, 0, 0, notify);
  return 1;
}

char MWinScrollbar::RegisterUnsignedLongVariable(EngUInt32 *var, EngUInt32 mult, char notify) {
  if (!IsOwnKind() || !MWinButton::RegisterUnsignedLongVariable(var, mult) || !var) return 0;
  SetPosDouble(double(*var) * double(mult), 0, 0, notify);
  return 1;
}

char MWinScrollbar::RegisterFloatVariable(float *var, float mult, char notify) {
  if (!IsOwnKind() || !MWinButton::RegisterFloatVariable(var, mult) || !var) return 0;
  SetPosDouble(*var * mult, 0, 0, notify);
  return 1;
}

void MWinScrollbar::UpdateFromRegisteredVariable(char notify) {
  if (!IsOwnKind()) return;
  const _MWinButtonRegVar *reg = GetRegisteredVariable();
  switch (reg->kind) {
    case MWIN_REGVAR_CHAR:
      if (reg->char_p) SetPosDouble(*reg->char_p, 0, 0, notify);
      break;
    case MWIN_REGVAR_UCHAR:
      if (reg->uchar_p) SetPosDouble(*reg->uchar_p, 0, 0, notify);
      break;
    case MWIN_REGVAR_INT:
      if (reg->int_p) SetPosDouble(double(*reg->int_p) * reg->int_mult, 0, 0, notify);
      break;
    case MWIN_REGVAR_INT32:
      if (reg->int32_p) SetPosDouble(double(*reg->int32_p) * reg->int32_mult, 0, 0, notify);
      break;
    case MWIN_REGVAR_UINT32:
      if (reg->uint32_p) SetPosDouble(double(*reg->uint32_p) * double(reg->uint32_mult), 0, 0, notify);
      break;
    case MWIN_REGVAR_FLOAT:
      if (reg->float_p) SetPosDouble(*reg->float_p * reg->float_mult, 0, 0, notify);
      break;
    default: break;
  }
}

// ---- Snapping ----

double MWinScrollbar::ApplySnap(double value) {
  if (m_snap <= 0) return value;
  if (m_snap == 1.0f) return double(EngMathRoundLong(value));
  static const float kUnits[] = {0.1f, 0.01f, 0.001f, 0.0001f};
  static const double kScales[] = {10.0, 100.0, 1000.0, 10000.0};
  int units = IsVertical() ? 3 : 4;
  for (int n = 0; n < units; n++)
    if (m_snap == kUnits[n]) return double(EngMathRoundLong(value * kScales[n])) / kScales[n];
  if (!IsVertical() && m_snap == 10.0f) return double(EngMathRoundLong(value / 10.0)) * 10.0;
  DebugErrorAlt(ENG_FUNC, "Unsupported snap value %f", double(m_snap));
  m_snap = 0;
  return value;
}

// ---- Automatic text ----

void MWinScrollbar::SetPrefixFromText(char use_prefix) {
  m_auto_text_prefix_len = (use_prefix && HasText()) ? int(strlen(GetTextP())) : 0;
}

void MWinScrollbar::DoSetAutoTextFloat(char on, char decimals, char use_prefix, float multiplier, char brackets) {
  SetPrefixFromText(use_prefix);
  int limit = IsVertical() ? 4 : 5;
  if ((unsigned char)decimals >= limit) DebugErrorAlt(ENG_FUNC, "Decimal places=%d not supported", int(decimals));
  if (!on) {
    m_auto_text = 0;
    return;
  }
  m_auto_text = char(decimals + 1);
  m_auto_text_brackets = brackets;
  m_auto_text_multiplier = multiplier == 0 ? 1.0f : multiplier;
  UpdateText();
}

void MWinScrollbar::UpdateText() {
  if (!m_auto_text) return;
  const char *text = HasText() ? GetTextP() : nullptr;
  size_t text_len = text ? strlen(text) : 0;
  size_t size = text_len + 32;
  char *buffer = static_cast<char *>(EngMalloc(size, ENG_FUNC, 1));
  if (!buffer) return;
  // The prefix length was taken from an earlier text, which may have been longer.
  size_t prefix = size_t(m_auto_text_prefix_len > 0 ? m_auto_text_prefix_len : 0);
  if (prefix > text_len) prefix = text_len;
  if (prefix) memcpy(buffer, text, prefix);
  buffer[prefix] = 0;
  char *out = buffer + prefix;
  size_t room = size - prefix;
  const char *blank = " ";
  if (m_auto_text == 100) {
    int value = int(m_pos);
    if (!prefix)
      snprintf(out, room, "%d", value);
    else
      snprintf(out, room, m_auto_text_brackets ? "%s[%d]" : "%s%d", blank, value);
  } else {
    static const char *const kHorz[] = {"%.0f", "%.1f", "%.2f", "%.3f", "%.4f"};
    static const char *const kHorzPrefixed[] = {"%s%.0f", "%s%.1f", "%s%.2f", "%s%.3f", "%s%.4f"};
    static const char *const kHorzBrackets[] = {"%s[%.0f]", "%s[%.1f]", "%s[%.2f]", "%s[%.3f]", "%s[%.4f]"};
    int decimals = 0;
    double value;
    char brackets = m_auto_text_brackets;
    if (IsVertical()) {
      // Modes 2..4 give one to three decimals; a prefixed value is always in brackets.
      decimals = (m_auto_text >= 2 && m_auto_text <= 4) ? m_auto_text - 1 : 0;
      value = double(float(m_pos) * m_auto_text_multiplier);
      brackets = 1;
    } else {
      decimals = (m_auto_text >= 1 && m_auto_text <= 5) ? m_auto_text - 1 : 0;
      value = double(m_auto_text_multiplier) * m_pos;
    }
    if (!prefix)
      snprintf(out, room, kHorz[decimals], value);
    else
      snprintf(out, room, brackets ? kHorzBrackets[decimals] : kHorzPrefixed[decimals], blank, value);
  }
  SetText(buffer);
  EngFree(buffer, 1, ENG_FUNC);
}

// ---- Geometry ----

char MWinScrollbar::GetGeometry(Geometry *g) {
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!layout) return 0;
  const _Dimension *a = GetActualArea();
  float inset;
  if (IsVertical()) {
    g->start = a->y;
    g->length = a->height;
    g->thickness = VertThickness(layout) * eng_main_window_x_widescreen_ratio;
    g->thumb = VertThumbLength(layout);
    inset = VertTrackInset(layout);
  } else {
    g->start = a->x;
    g->length = a->width;
    g->thickness = HorzThickness(layout) * GetAutoResizeScaleY();
    g->thumb = HorzThumbLength(layout) * GetAutoResizeScaleX();
    inset = HorzTrackInset(layout);
  }
  g->arrow_length = ArrowLength(layout);
  g->arrow_inset = ArrowInset(layout);
  char arrows = (IsLeftArrowShown() || IsRightArrowShown()) ? 1 : 0;
  g->track_start = g->start + inset + (arrows ? g->arrow_length : 0);
  g->travel = g->length - g->thumb - 2 * inset - (arrows ? 2 * g->arrow_length : 0);
  return 1;
}

float MWinScrollbar::GetScreenPos() {
  Geometry g;
  if (!GetGeometry(&g)) return 0;
  if (m_max == m_min) return g.track_start;
  return float(g.track_start + (m_pos - m_min) * g.travel / (m_max - m_min));
}

float MWinScrollbar::GetThumbLength() {
  Geometry g;
  return GetGeometry(&g) ? g.thumb : 0;
}

double MWinScrollbar::DoGetPosFromScreen(float screen) {
  Geometry g;
  if (!GetGeometry(&g) || g.travel == 0) return 0;
  double value = (m_max - m_min) * (screen - g.thumb / 2 - g.track_start) / g.travel + m_min;
  if (screen >= g.start && value < m_min) value = m_min;
  if (screen < g.start + g.length && value > m_max) value = m_max;
  return value;
}

float MWinScrollbar::MouseAlongAxis() {
  float x = 0, y = 0;
  if (GetMWin()) GetMWin()->GetViewportMousePos(&x, &y);
  return IsVertical() ? y : x;
}

// ---- Steps ----

void MWinScrollbar::PageMove(int direction) {
  SetPosDouble(direction < 1 ? m_pos - m_page : m_pos + m_page, 0, 0, 1);
}

void MWinScrollbar::Jump(int direction) { PageMove(direction); }

char MWinScrollbar::DoArrowStep(int direction, char notify) {
  double target;
  if (direction == 1) {
    if (!(m_pos <= m_max - m_step)) return 0;
    target = m_pos + m_step;
  } else {
    if (!(m_pos >= m_min + m_step)) return 0;
    target = m_pos - m_step;
  }
  double before = m_pos;
  if (target == before) return 0;
  SetPosDouble(target, 0, 0, notify);
  return 1;
}

char MWinScrollbar::ArrowPress(int direction) { return DoArrowStep(direction, 1); }

// ---- Input ----

char MWinScrollbar::HandleMouseButtonPressed(char button, char pressed, char flag) {
  SetPressed(0);
  if (!ShouldHandleMouseButtonPressed(button, pressed, flag)) return 0;
  Geometry g;
  if (button == 0 && pressed && GetGeometry(&g)) {
    SetPressed(1);
    float m = MouseAlongAxis();
    if (m < g.start || m >= g.start + g.length) return 0;
    if (IsLeftArrowShown() && m > g.start + g.arrow_inset && m < g.start + g.arrow_inset + g.arrow_length) {
      ArrowPress(0);
      return 1;
    }
    float end = g.start + g.length;
    if (IsRightArrowShown() && m > end - g.arrow_inset - g.arrow_length && m < end - g.arrow_inset) {
      ArrowPress(1);
      return 1;
    }
    float thumb = GetScreenPos();
    if (m >= thumb && m < thumb + g.thumb) {
      m_drag_offset = (m - thumb) - g.thumb / 2;
      SetDragging(1);
      return 1;
    }
    PageMove(DoGetPosFromScreen(m) > m_pos ? 1 : 0);
    return 1;
  }
  char was_dragging = IsDragging();
  DraggingOver();
  return was_dragging;
}

char MWinScrollbar::HandleMouseButtonDoubleClicked(char button) {
  if (!ShouldHandleMouseButtonDoubleClicked(button)) return 0;
  return HandleMouseButtonPressed(button, 1, 0);
}

void MWinScrollbar::DraggingOver() {
  SetDragging(0);
  SetPressed(0);
  if (!m_moved_by_drag) return;
  m_moved_by_drag = 0;
  // The owner has seen a run of dragging changes: this last call tells it the drag ended.
  SetPosDouble(m_pos, 0, 0, 1);
}

void MWinScrollbar::HandleMouseButtonPressCanceled() { DraggingOver(); }

void MWinScrollbar::Deactivate() {
  // The drag is ended after the deactivation, so the final callback is the last thing done.
  char moved = m_moved_by_drag;
  m_moved_by_drag = 0;
  SetDragging(0);
  SetPressed(0);
  MWinButton::Deactivate();
  if (moved) SetPosDouble(m_pos, 0, 0, 1);
}

void MWinScrollbar::HandleMouseMove() {
  if (!ShouldHandleMouseMove() || !IsDragging()) return;
  MWin *mwin = GetMWin();
  char vertical = IsVertical();
  SetPosDouble(DoGetPosFromScreen(MouseAlongAxis() - m_drag_offset), 1, 0, 1);
  if (vertical && mwin) mwin->RenderNeeded();
}

char MWinScrollbar::KeepFocusOnMouseMove() {
  if (!ShouldKeepFocusOnMouseMove()) return 0;
  return IsDragging();
}

char MWinScrollbar::HandleMouseWheel(int delta) {
  if (!ShouldHandleMouseWheel()) return 0;
  MWin *mwin = GetMWin();
  // The steps are taken quietly and reported once, so a callback that removes this widget
  // ends the handling.
  int steps = delta > 0 ? delta : -delta;
  int direction = delta > 0 ? 0 : 1;
  char moved = 0;
  for (int i = 0; i < steps; i++)
    if (DoArrowStep(direction, 0)) moved = 1;
  if (!moved) return 1;
  SetPosDouble(m_pos, 0, 0, 1);
  if (mwin) mwin->PlaySound(MWIN_SOUND_KEY_OR_SCROLL);
  return 1;
}

char MWinScrollbar::HandleKeyDown(int key) {
  if (!ShouldHandleKeyDown()) return 0;
  if (key < kKeyLeft || key > kKeyPageDown) return PostHandleKeyDown(key, 0);
  // Arrow steps: down is -1 step, up +1; pages: 0 down, 1 up.
  char vertical = IsVertical();
  switch (key) {
    case kKeyLeft:
      if (vertical) PageMove(0); else ArrowPress(0);
      break;
    case kKeyRight:
      if (vertical) PageMove(1); else ArrowPress(1);
      break;
    case kKeyUp:
      if (vertical) ArrowPress(0); else PageMove(0);
      break;
    case kKeyDown:
      if (vertical) ArrowPress(1); else PageMove(1);
      break;
    case kKeyPageUp: PageMove(0); break;
    default: PageMove(1); break;
  }
  return 1;
}

// ---- Drawing ----

char MWinScrollbar::Render() {
  if (!PrepareForRender()) return 0;
  RenderNoPrepare();
  RestoreAfterRender();
  return 1;
}

char MWinScrollbar::RenderNoPrepare() {
  _MWinTextureState state = GetRenderState();
  RenderNormalBack(state);
  RenderButton(state);
  RenderText();
  return 1;
}

void MWinScrollbar::RenderButton(_MWinTextureState state) {
  MWinTextures *textures = GetMWin() ? GetMWin()->GetTextures() : nullptr;
  Geometry g;
  if (!textures || !GetGeometry(&g)) return;
  const _ColourRGBA *colour = GetColouringMode() ? GetColour() : nullptr;
  const _Dimension *a = GetActualArea();
  char vertical = IsVertical();
  // Across the axis every piece is centred in the widget.
  float across = vertical ? a->x + a->width / 2 : a->y + a->height / 2;
  float arrow_thickness = vertical ? VertThickness(GetLayoutSettings()) : HorzThickness(GetLayoutSettings());
  auto draw = [&](int slot, _MWinTextureState s, float along, float length, float thickness) {
    int num = textures->GetStandardTexButNum(slot);
    if (num < 0) return;
    if (vertical)
      textures->DrawTextureButton(num, s, across - thickness / 2, along, thickness, length, colour);
    else
      textures->DrawTextureButton(num, s, along, across - thickness / 2, length, thickness, colour);
  };
  if (IsLeftArrowShown()) draw(MWIN_STDTEX_LEFT_ARROW, state, g.start + g.arrow_inset, g.arrow_length, arrow_thickness);
  if (IsRightArrowShown())
    draw(MWIN_STDTEX_RIGHT_ARROW, state, g.start + g.length - g.arrow_length - g.arrow_inset, g.arrow_length,
         arrow_thickness);
  draw(vertical ? MWIN_STDTEX_VSCROLL_BUTTON : MWIN_STDTEX_SCROLL_BUTTON, MWIN_TEXSTATE_NORMAL, GetScreenPos(),
       g.thumb, g.thickness);
}
