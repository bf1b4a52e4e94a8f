#include "Engine/MWin/MWinColour.h"

#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMiscNumeric.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"

static float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
static unsigned char ToByte(float v) { return static_cast<unsigned char>(Clamp01(v) * 255.0f); }

// ---- The root's hue table and strips ----

// Red, magenta, blue, cyan, green, yellow and back to red; the second segment divides by 41.
static void HueEntry(int i, float *out) {
  float r, g, b;
  if (i <= 42) {
    r = 1, g = 0, b = i / 42.0f;
  } else if (i <= 84) {
    r = 1 - (i - 43) / 41.0f, g = 0, b = 1;
  } else if (i <= 127) {
    r = 0, g = (i - 85) / 42.0f, b = 1;
  } else if (i <= 170) {
    r = 0, g = 1, b = 1 - (i - 128) / 42.0f;
  } else if (i <= 212) {
    r = (i - 171) / 42.0f, g = 1, b = 0;
  } else {
    r = 1, g = 1 - (i - 213) / 42.0f, b = 0;
  }
  out[0] = r;
  out[1] = g;
  out[2] = b;
}

const float *MWin::ColourGetHueEntry(int i) {
  if (!m_colour_hue_built) {
    for (int k = 0; k < 256; k++) HueEntry(k, m_colour_hue[k]);
    m_colour_hue_built = 1;
  }
  if (i < 0) i = 0;
  if (i > 255) i = 255;
  return m_colour_hue[i];
}

void MWin::ColourCreateGraphics() {
  if (!m_textures) {
    DebugErrorAlt(ENG_FUNC, "No textures");
    return;
  }
  for (EngTexture *&strip : m_colour_strips) {
    if (!strip) strip = new EngTexture();
    if (strip->IsOk()) continue;
    if (!strip->CreateEmptyTexture(MWIN_COLOUR_STRIP_W, MWIN_COLOUR_STRIP_H, 0)) return;
  }
  m_colour_hue_built = 0;
  ColourGetHueEntry(0);
  if (!m_desktop) return;
  for (MWinCollection *c = m_desktop->GetFirstCollection(); c; c = c->m_next)
    for (int layout = 0; layout < ENG_NUM_LAYOUTS; layout++)
      for (MWinWindow *w = c->GetFirstWindow(_EngLayout(layout)); w; w = w->m_next)
        for (MWinGroup *g = w->GetFirstGroup(); g; g = g->m_next)
          for (MWinButton *b = g->m_first; b; b = b->m_next)
            if (b->GetType() == MWIN_BUTTON_COLOUR && b->IsReady())
              static_cast<MWinColour *>(b)->UpdateFromCurrentValues(0);
}

void MWin::ColourDestroyGraphics() {
  for (EngTexture *&strip : m_colour_strips) {
    delete strip;
    strip = nullptr;
  }
}

// ---- Life ----

MWinColour::MWinColour(MWin *mwin, const char *id, MWinGroup *group, const char *texbut_id, const ENG_CHAR *text,
                       float x, float y, float w, float h)
    : MWinButton(mwin, id, group, MWIN_BUTTON_COLOUR, texbut_id, text, x, y, w, h) {
  Reset();
  CreateScrollbarsIfNeeded();
}

MWinColour::~MWinColour() {
  DeleteScrollbars();
  for (unsigned char *&pixels : m_pixels) {
    if (pixels) EngFree(pixels, 0, ENG_FUNC);
    pixels = nullptr;
  }
  Reset();
}

void MWinColour::DeleteScrollbars() {
  for (MWinHorzScrollbar *&bar : m_scrollbars) {
    delete bar;
    bar = nullptr;
  }
}

void MWinColour::Reset() {
  m_colour = {0.5f, 0.5f, 0.5f};
  m_multiplier = 1.0f;
  m_offset = 0.0f;
  m_hue_pos = 127.5f;
  m_saturation = 0.5f;
  m_value = 0.5f;
  SetReady(1);
  CalcCurrentColour();
  if (m_scrollbars[0] && m_scrollbars[1] && m_scrollbars[2]) UpdateFromScrollbars(0);
}

char MWinColour::CreateScrollbarsIfNeeded() {
  MWin *mwin = GetMWin();
  if (!mwin || !mwin->GetTextures()) {
    DeleteScrollbars();
    UpdateFromScrollbars(0);
    return 1;
  }
  mwin_colour_scrollbars_callback = MWinColour_ScrollbarsCallback;
  const _Dimension *a = GetOrigArea();
  for (int k = 0; k < 3; k++) {
    if (m_scrollbars[k]) continue;
    char id[MWIN_ID_SIZE];
    snprintf(id, sizeof(id), "Colour_HS_%d", k);
    MWinHorzScrollbar *bar =
        new MWinHorzScrollbar(mwin, id, GetGroup(), "MWIN_TEXBUT_NONE", nullptr, a->x, a->y, a->width, a->height);
    bar->SetValuesFloat(0, k == 0 ? 255.0f : 1.0f, -1, -1);
    bar->SetCallback(MWinColour_ScrollbarsCallback, k, 0, this, 0);
    bar->SetTransparency(0.6f);
    m_scrollbars[k] = bar;
    if (!m_pixels[k]) {
      m_pixels[k] = static_cast<unsigned char *>(EngMalloc(MWIN_COLOUR_STRIP_BYTES, ENG_FUNC, 0));
      if (!m_pixels[k]) DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    }
  }
  PositionUpdated();
  // The bars start where the widget's values are, so the picker shows the colour it holds.
  m_scrollbars[0]->SetPosFloat(m_hue_pos, 0);
  m_scrollbars[1]->SetPosFloat(m_saturation, 0);
  m_scrollbars[2]->SetPosFloat(m_value, 0);
  UpdateFromScrollbars(0);
  UpdateFromCurrentValues(0);
  return 1;
}

void MWinColour::PositionUpdated() {
  MWinButton::PositionUpdated();
  const _Dimension *a = GetOrigArea();
  float h = (a->height - 4) / 3;
  for (int k = 0; k < 3; k++)
    if (m_scrollbars[k]) m_scrollbars[k]->SetOrigPos(a->x, a->y + k * (h + 2), a->width, h);
}

// ---- The colour ----

void MWinColour::CalcCurrentColour() {
  MWin *mwin = GetMWin();
  if (!mwin) return;
  const float *entry = mwin->ColourGetHueEntry(int(m_hue_pos));
  float top = entry[0];
  if (entry[1] > top) top = entry[1];
  if (entry[2] > top) top = entry[2];
  float c[3];
  for (int i = 0; i < 3; i++) c[i] = ((entry[i] * m_saturation + (1 - m_saturation)) - (1 - top)) * m_value;
  m_colour = {c[0], c[1], c[2]};
}

void MWinColour::UpdateVar() {
  const _MWinButtonRegVar *reg = GetRegisteredVariable();
  if (reg->kind != MWIN_REGVAR_COLOUR || !reg->colour_p) return;
  reg->colour_p->r = m_colour.r * m_multiplier + m_offset;
  reg->colour_p->g = m_colour.g * m_multiplier + m_offset;
  reg->colour_p->b = m_colour.b * m_multiplier + m_offset;
}

char MWinColour::Get(_ColourRGB *out) {
  if (!out) return 0;
  return Get(&out->r, &out->g, &out->b);
}

char MWinColour::Get(float *r, float *g, float *b) {
  if (!r || !g || !b) return 0;
  *r = m_colour.r * m_multiplier + m_offset;
  *g = m_colour.g * m_multiplier + m_offset;
  *b = m_colour.b * m_multiplier + m_offset;
  return 1;
}

void MWinColour::Set(const _ColourRGB *colour, char call_callback) {
  if (!colour) {
    Set(1, 1, 1, call_callback);
    return;
  }
  Set(colour->r, colour->g, colour->b, call_callback);
}

void MWinColour::Set(float r, float g, float b, char call_callback) {
  const _MWinButtonRegVar *reg = GetRegisteredVariable();
  if (reg->kind == MWIN_REGVAR_COLOUR && reg->colour_p) {
    float mult = m_multiplier == 0 ? 0.0001f : m_multiplier;
    // A variable's value outside its scale would wrap round when made a byte: kept in range.
    r = Clamp01((r - m_offset) / mult);
    g = Clamp01((g - m_offset) / mult);
    b = Clamp01((b - m_offset) / mult);
  } else if (r < 0 || r > 1 || g < 0 || g > 1 || b < 0 || b > 1) {
    DebugErrorAlt(ENG_FUNC, "invalid col R:%f G:%f B:%f (ID: %s)", r, g, b, MWinDisplayID(GetID()));
    return;
  }
  if (r != m_colour.r || g != m_colour.g || b != m_colour.b) {
    m_colour = {r, g, b};
    UpdatePartsFromValue();
  }
  UpdateVar();
  if (call_callback && HasCallback()) {
    _MWinButtonCallbackInfo info;
    FillCallbackInfo(&info);
    info.colour_flag = 0;
    CallCallback(&info);
  }
}

void MWinColour::UpdatePartsFromValue() {
  float h = 0, s = 0, v = 0;
  EngMiscRGB2HSV(m_colour.r, m_colour.g, m_colour.b, &h, &s, &v);
  if (v == 0) {
    m_value = 0;
  } else if (s == 0) {
    m_value = v;
    m_saturation = 0;
  } else {
    m_hue_pos = (1 - h) * 255.0f;
    m_saturation = s;
    m_value = v;
  }
  if (m_scrollbars[0] && m_scrollbars[1] && m_scrollbars[2]) {
    m_scrollbars[0]->SetPosFloat(m_hue_pos, 0);
    m_scrollbars[1]->SetPosFloat(m_saturation, 0);
    m_scrollbars[2]->SetPosFloat(m_value, 0);
  }
  UpdateFromCurrentValues(0);
}

char MWinColour::RegisterVariable(_ColourRGB *var) { return RegisterVariableMult(var, 1.0f, 0.0f); }

char MWinColour::RegisterVariableMult(_ColourRGB *var, float multiplier, float offset) {
  if (!var) {
    DebugErrorAlt(ENG_FUNC, "Var not set");
    return 0;
  }
  RegisterColourRGBVariable(var);
  m_multiplier = multiplier == 0 ? 0.00001f : multiplier;
  m_offset = offset;
  Set(var->r, var->g, var->b, 0);
  return 1;
}

void MWinColour::UpdateFromRegisteredVariable(char call_callback) {
  const _MWinButtonRegVar *reg = GetRegisteredVariable();
  if (reg->kind == MWIN_REGVAR_COLOUR && reg->colour_p) Set(reg->colour_p, call_callback);
}

// ---- From the bars ----

char MWinColour::AnyScrollbarHoldsMouse() {
  for (MWinHorzScrollbar *bar : m_scrollbars)
    if (bar && bar->IsDragging()) return 1;
  return 0;
}

void MWinColour::UpdateFromScrollbars(char call_callback) {
  if (!m_scrollbars[0] || !m_scrollbars[1] || !m_scrollbars[2]) {
    DebugErrorAlt(ENG_FUNC, "No scrollbars");
    return;
  }
  float hue = m_scrollbars[0]->GetPosFloat();
  if (hue < 0) hue = 0;
  if (hue > 255) hue = 255;
  float saturation = m_scrollbars[1]->GetPosFloat(), value = m_scrollbars[2]->GetPosFloat();
  if (hue == m_hue_pos && saturation == m_saturation && value == m_value && !call_callback) return;
  m_hue_pos = hue;
  m_saturation = saturation;
  m_value = value;
  UpdateFromCurrentValues(call_callback);
}

void MWinColour::UpdateFromCurrentValues(char call_callback) {
  MWin *mwin = GetMWin();
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!mwin || !layout) return;
  const float *entry = mwin->ColourGetHueEntry(int(m_hue_pos));
  float s = m_saturation, v = m_value;
  float c[3];
  for (int i = 0; i < 3; i++) c[i] = entry[i] * s + (1 - s);
  const float *border_f = mwin->GetSettings()->colour_picker_values;
  const unsigned char border[3] = {ToByte(border_f[0]), ToByte(border_f[1]), ToByte(border_f[2])};
  int margin_x = layout->colour_border, margin_y = layout->colour_gap;
  for (int col = 0; col < MWIN_COLOUR_STRIP_W; col++) {
    float t = col / 255.0f;
    const float *hue = mwin->ColourGetHueEntry(col);
    unsigned char strips[3][3];
    for (int i = 0; i < 3; i++) {
      strips[0][i] = ToByte(hue[i]);
      strips[1][i] = ToByte(entry[i] * t + (1 - t) * v);
      strips[2][i] = ToByte(c[i] * t);
    }
    char edge_x = col < margin_x || col >= MWIN_COLOUR_STRIP_W - margin_x;
    for (int row = 0; row < MWIN_COLOUR_STRIP_H; row++) {
      char edge = edge_x || (margin_y > 0 && (row < margin_y || row >= MWIN_COLOUR_STRIP_H - margin_y));
      for (int k = 0; k < 3; k++) {
        if (!m_pixels[k]) continue;
        unsigned char *p = m_pixels[k] + (row * MWIN_COLOUR_STRIP_W + col) * 3;
        memcpy(p, edge ? border : strips[k], 3);
      }
    }
  }
  CalcCurrentColour();
  UpdateVar();
  mwin->RenderNeeded();
  if (call_callback && HasCallback()) {
    _MWinButtonCallbackInfo info;
    FillCallbackInfo(&info);
    info.colour_flag = AnyScrollbarHoldsMouse();
    CallCallback(&info);
  }
}

void MWinColour::ScrollbarsCallback(MWin *mwin, _MWinButtonCallbackInfo *info, int bar, int b) {
  (void)mwin;
  (void)info;
  (void)b;
  if (bar >= 0 && bar < 3 && m_scrollbars[bar]) UpdateFromScrollbars(1);
}

void MWinColour_ScrollbarsCallback(MWin *mwin, _MWinButtonCallbackInfo *info, int bar, int b, void *data) {
  if (data) static_cast<MWinColour *>(data)->ScrollbarsCallback(mwin, info, bar, b);
}

// ---- Drawing ----

char MWinColour::Render() {
  MWin *mwin = GetMWin();
  if (!mwin || !mwin->GetTextures()) return 0;
  if (!PrepareForRender()) return 0;
  RenderNormalBack(GetRenderState());
  for (int k = 0; k < 3; k++) {
    MWinHorzScrollbar *bar = m_scrollbars[k];
    if (!bar) continue;
    EngTexture *strip = mwin->ColourGetStripTexture(k);
    if (strip && strip->IsOk() && m_pixels[k]) {
      strip->SetTextureFromExternalPixelDataBuffer(m_pixels[k], 0);
      strip->PositionRatioedAndDraw(bar->GetActualArea());
    }
    bar->RenderNoPrepare();
  }
  RestoreAfterRender();
  return 1;
}

// ---- Input: passed on to the bars ----

char MWinColour::HandleMouseButtonPressed(char button, char pressed, char flag) {
  if (!ShouldHandleMouseButtonPressed(button, pressed, flag)) return 0;
  if (IS_MOBILE) HandleMouseMove();
  char taken = 0;
  for (MWinHorzScrollbar *bar : m_scrollbars) {
    if (bar && bar->HandleMouseButtonPressed(button, pressed, flag)) taken = 1;
    // A bar's change runs the picker's callback, which may have removed the picker.
    if (IsGone()) return 1;
  }
  return taken;
}

char MWinColour::HandleMouseButtonDoubleClicked(char button) {
  for (MWinHorzScrollbar *bar : m_scrollbars)
    if (bar && bar->ShouldHandleMouseButtonDoubleClicked(button)) return 1;
  return 0;
}

void MWinColour::HandleMouseButtonPressCanceled() {
  for (MWinHorzScrollbar *bar : m_scrollbars)
    if (bar) bar->HandleMouseButtonPressCanceled();
}

char MWinColour::HandleMouseWheel(int delta) {
  char taken = 0;
  for (MWinHorzScrollbar *bar : m_scrollbars) {
    if (bar && bar->HandleMouseWheel(delta)) taken = 1;
    if (IsGone()) return 1;
  }
  return taken;
}

char MWinColour::HandleKeyDown(int key) {
  (void)key;
  return 0;
}

char MWinColour::KeepFocusOnMouseMove() {
  for (MWinHorzScrollbar *bar : m_scrollbars)
    if (bar && bar->KeepFocusOnMouseMove()) return 1;
  return 0;
}

void MWinColour::Deactivate() {
  for (MWinHorzScrollbar *bar : m_scrollbars) {
    if (bar) bar->Deactivate();
    if (IsGone()) return;
  }
  MWinButton::Deactivate();
}

void MWinColour::HandleMouseMove() {
  MWin *mwin = GetMWin();
  if (!GetWindow() || !mwin) return;
  MWinHorzScrollbar *under = nullptr, *holder = nullptr;
  for (MWinHorzScrollbar *bar : m_scrollbars) {
    if (!bar) continue;
    if (mwin->IsMouseViewportCursorInArea(bar->GetActualArea())) under = bar;
    if (bar->IsDragging()) holder = bar;
  }
  if (holder) {
    holder->HandleMouseMove();
    return;
  }
  for (MWinHorzScrollbar *bar : m_scrollbars)
    if (bar && bar != under && bar->IsActive()) bar->Deactivate();
  if (!under || IsGone()) return;
  if (!under->IsActive()) under->Activate();
  under->HandleMouseMove();
}

// ---- Creation ----

MWinColour *MWinGroup::AddColour(const char *id, const char *texbut_id, const ENG_CHAR *text, float x, float y,
                                 float w, float h) {
  if (!PreAddButton(id, MWIN_BUTTON_COLOUR, nullptr)) return nullptr;
  MWinColour *colour = new MWinColour(m_mwin, id, this, texbut_id, text, x, y, w, h);
  CompleteAddButton(colour);
  return colour;
}
