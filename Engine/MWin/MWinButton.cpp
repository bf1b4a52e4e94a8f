#include "Engine/MWin/MWinButton.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"

EngInt32 MWinButton::total_buttons_created = 0;

// A generator of the toolkit's own, so that creating widgets leaves the game's rand() alone.
static EngUInt32 signature_state = 0x2545F491u;
static EngUInt32 next_serial = 1;

void MWinButtonSeedSignatures(EngUInt32 seed) { signature_state = seed ? seed : 0x2545F491u; }

static EngUInt16 NextSignature() {
  EngUInt32 x = signature_state;
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  signature_state = x;
  return EngUInt16(x % 65533u + 1u);
}

// The default back slot of each kind.
static const int default_back_slot[MWIN_NUM_BUTTON_TYPES] = {
    MWIN_STDTEX_BUTTON_BACK,  MWIN_STDTEX_PUSH_BUTTON, MWIN_STDTEX_BUTTON_BACK2, MWIN_STDTEX_TEXT_EDIT,
    MWIN_STDTEX_SCROLL_BACK,  MWIN_STDTEX_VSCROLL_BACK, MWIN_STDTEX_CHOICE,      MWIN_STDTEX_PUSH_BUTTON,
    MWIN_STDTEX_CHOICE,       MWIN_STDTEX_PANEL,        MWIN_STDTEX_SCROLL_BACK, MWIN_STDTEX_BUTTON_BACK,
    MWIN_STDTEX_BUTTON_BACK,  MWIN_STDTEX_BUTTON_BACK,  MWIN_STDTEX_BUTTON_BACK2, MWIN_STDTEX_BUTTON_BACK,
    MWIN_STDTEX_BUTTON_BACK,
};

void MWinButton_CalcActualXPosAndWidth(float pos, float size, float design_size, float offset, float actual_size,
                                       float scroll, float *out_pos, float *out_size) {
  float p = pos / design_size * actual_size + offset + scroll;
  float end = (pos + size) / design_size * actual_size + offset + scroll;
  if (out_pos) *out_pos = p;
  if (out_size) *out_size = end - p;
}

MWinButton::MWinButton(MWin *mwin, const char *id, MWinGroup *group, _MWinButtonType type,
                       const char *back_texbut_id, const ENG_CHAR *text, float x, float y, float w, float h) {
  DebugAssert(mwin ? 1 : 0, "MWinButton::MWinButton", "No mw");
  ResetVars();
  m_mwin = mwin;
  MWinCopyID(m_id, id ? id : "");
  DebugAssert(group ? 1 : 0, "MWinButton::MWinButton", "No Group");
  DebugAssert(group && group->m_window ? 1 : 0, "MWinButton::MWinButton", "No Window");
  m_group = group;
  m_window = group ? group->m_window : nullptr;
  // An out-of-range kind would index the kind tables: refused here as SetType refuses it.
  SetType(type);
  m_enabled = 1;
  m_shown = 1;
  m_shrink_text = mwin && mwin->GetSettings()->shrink_text_to_fit_default ? 1 : 0;
  SetBackTexButToTexBut(back_texbut_id);
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (m_type != MWIN_BUTTON_WINDOW_OWN && layout) {
    if (w < 0) w = layout->default_button_width;
    if (h < 0) h = layout->default_button_height;
  }
  if (m_window) {
    float window_w = 0, window_h = 0;
    m_window->GetOrigPos(nullptr, nullptr, &window_w, &window_h);
    if (x < 0) x = window_w / 2 - w / 2;
    if (y < 0) y = window_h / 2 - h / 2;
  }
  m_text_scale_relative = 0;
  m_text_scale_x = m_text_scale_y = 1.0f;
  m_text_align = MWIN_ALIGN_CENTRE;
  m_colouring = 0;
  m_colour = {1.0f, 1.0f, 1.0f, 1.0f};
  SetOrigPos(x, y, w, h);
  SetFont("MWIN_FONT_DEFAULT");
  m_text_colour = {0.0f, 0.0f, 0.0f, 1.0f};
  Reset();
  m_valid = 1;
  m_signature = NextSignature();
  m_signature_check = EngUInt16(m_signature + 1);
  m_serial = next_serial++;
  m_lang_token_mode = 0;
  AllocAndSetText(0, text);
  if (m_mwin) m_mwin->RenderNeeded();
  AllocAndSetText(1, nullptr);
  SetTextLanguageToken("");
  if (m_mwin) m_mwin->RenderNeeded();
  total_buttons_created++;
}

MWinButton::~MWinButton() {
  // A message queued for this button must not reach it once it is gone. A removed button (or
  // one of a removed window) had its message dropped when it was removed, and its ids may find
  // a newer button by now.
  if (!IsGone() && m_mwin && m_mwin->IsOn() && m_window && m_window->GetCollection())
    m_mwin->RemoveAnyQueuedMessagesForButton(this, m_window, m_window->GetCollection());
  SetScrollingText(nullptr, 1.0f);
  FreeTexts();
  MWinButton::DestroyGraphicsObjects();
  PieDestroyGraphicsObjects();
  if (m_text_alloc_count) DebugErrorAlt(ENG_FUNC, "Text alloc count: %d", int(m_text_alloc_count));
  m_valid = 0;
  m_signature = 0;
  m_signature_check = 0;
  total_buttons_created--;
  ResetVars();
}

void MWinButton::ResetVars() {
  m_valid = 0;
  m_signature = m_signature_check = 0;
  m_id[0] = 0;
  m_mwin = nullptr;
  m_window = nullptr;
  m_group = nullptr;
  m_prev = m_next = nullptr;
  m_type = MWIN_BUTTON_INVALID;
  m_ready = m_active = m_pressed = m_enabled = m_shown = 0;
  m_on_screen = 1;
  m_dragging = 0;
  m_custom_back = 0;
  memset(m_custom, 0, sizeof(m_custom));
  m_override_state = -1;
  m_left_arrow_shown = m_right_arrow_shown = 0;
  m_multiline = 0;
  m_shrink_text = 0;
  m_text_margin = 0;
  m_callback = nullptr;
  m_callback_2 = nullptr;
  m_plain_callback = nullptr;
  m_plain_callback_2 = nullptr;
  m_callback_user = nullptr;
  m_callback_a = m_callback_b = 0;
  m_wheel_callback = nullptr;
  m_key_down_callback = nullptr;
  m_pressable_by_keyboard = 0;
  m_label_only = 0;
  m_extra_render_cb = nullptr;
  m_extra_render_value = 0;
  m_extra_render_user = nullptr;
  m_strings_cb_user = nullptr;
  m_text[0] = m_text[1] = nullptr;
  m_text_length[0] = m_text_length[1] = 0;
  m_text_alloc_count = 0;
  m_scroll_text = nullptr;
  m_scroll_length = 0;
  m_scroll_speed = 1.0f;
  m_scroll_pos = 0;
  m_ready = 0;
  memset(&m_reg, 0, sizeof(m_reg));
  RangeReset();
  memset(&m_picture, 0, sizeof(m_picture));
  memset(&m_pie, 0, sizeof(m_pie));
  m_orig_area = m_actual_area = m_render_area = {0, 0, 0, 0};
  m_text_scale_x = m_text_scale_y = 1.0f;
  m_text_colour = {0, 0, 0, 1};
  m_colouring = 0;
  m_colour = {1, 1, 1, 1};
  m_back_texbut_id[0] = 0;
  m_back_texbut_num = -1;
  m_font_id[0] = 0;
  m_font_num = -1;
  m_text_align = MWIN_ALIGN_CENTRE;
  m_text_scale_relative = 0;
  m_lang_token_mode = 0;
  m_lang_token[0] = 0;
  m_lang_token_num = -1;
  m_lang_token_sub_texts = 0;
  m_crop_set = 0;
  m_serial = 0;
  m_editing = m_list_open = 0;
  m_removed = 0;
}

void MWinButton::Reset() {
  switch (m_type) {
    case MWIN_BUTTON_WINDOW_OWN:
    case MWIN_BUTTON_PUSH:
    case MWIN_BUTTON_STATIC:
    case MWIN_BUTTON_TEXT_EDIT:
    case MWIN_BUTTON_PANEL: m_ready = 1; break;
    case MWIN_BUTTON_RANGE: RangeReset(); break;
    case MWIN_BUTTON_PIE: PieReset(); break;
    default: break;  // the other kinds reset their own state in their files
  }
}

char MWinButton::SetType(_MWinButtonType type) {
  if (type >= MWIN_NUM_BUTTON_TYPES || type < 0) {
    DebugErrorAlt(ENG_FUNC, "Invalid Type %d", int(type));
    m_type = MWIN_BUTTON_INVALID;
    return 0;
  }
  m_type = type;
  return 1;
}

char MWinButton::IsValid() const {
  return m_valid == 1 && m_signature_check == EngUInt16(m_signature + 1) ? 1 : 0;
}

void MWinButton::MarkRemoved() {
  m_removed = 1;
  m_active = 0;
  m_pressed = 0;
  m_dragging = 0;
}

char MWinButton::IsGone() const { return m_removed || (m_window && m_window->IsGone()) ? 1 : 0; }

char MWinButton::CreateGraphicsObjects() {
  char ok = CreateCustomTexBut();
  if (m_type == MWIN_BUTTON_PIE && !PieCreateGraphicsObjects()) ok = 0;
  UpdateActualArea();
  return ok;
}

void MWinButton::DestroyGraphicsObjects() {
  DestroyCustomTexBut();
  if (m_type == MWIN_BUTTON_PIE) PieDestroyGraphicsObjects();
}

void MWinButton::PositionUpdated() {
  if (m_type == MWIN_BUTTON_PIE) PieUpdatePositions();
  if (m_mwin) m_mwin->RenderNeeded();
}

// ---- Geometry ----

MWinLayoutSettings *MWinButton::GetLayoutSettings() {
  if (!m_mwin) return nullptr;
  if (m_window && m_window->GetCollection())
    return m_mwin->GetLayoutSettings(m_window->GetCollection()->GetScreenLayout());
  return m_mwin->GetLayoutSettings();
}

void MWinButton::SetOrigPos(float x, float y, float w, float h) {
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!m_mwin || !layout) return;
  if (w < 0) w = layout->default_button_width;
  if (h < 0) h = layout->default_button_height;
  if (w < 2) w = 2;
  if (h < 2) h = 2;
  m_orig_area = {x, y, w, h};
  UpdateActualArea();
}

void MWinButton::SetOrigPos(float x, float y) {
  m_orig_area.x = x;
  m_orig_area.y = y;
  UpdateActualArea();
}

void MWinButton::SetOrigPos() { UpdateActualArea(); }

void MWinButton::SetOrigXPos(float x) { SetOrigPos(x, m_orig_area.y, m_orig_area.width, m_orig_area.height); }
void MWinButton::SetOrigYPos(float y) { SetOrigPos(m_orig_area.x, y, m_orig_area.width, m_orig_area.height); }
void MWinButton::SetOrigWidth(float w) { SetOrigPos(m_orig_area.x, m_orig_area.y, w, m_orig_area.height); }
void MWinButton::SetOrigHeight(float h) { SetOrigPos(m_orig_area.x, m_orig_area.y, m_orig_area.width, h); }
void MWinButton::SetOrigArea(_Dimension area) { SetOrigPos(area.x, area.y, area.width, area.height); }

void MWinButton::SetOrigArea(const _Dimension *area) {
  if (area) SetOrigPos(area->x, area->y, area->width, area->height);
}

void MWinButton::SetOrigPosNoBoundsCheck(float x, float y, float w, float h) {
  m_orig_area = {x, y, w, h};
  UpdateActualArea();
}

void MWinButton::SetOrigPosNoBoundsCheck(_Dimension *area) {
  if (area) SetOrigPosNoBoundsCheck(area->x, area->y, area->width, area->height);
}

void MWinButton::SetOrigBoundingBox(int x1, int y1, int x2, int y2) {
  float x = x1 == -9999 ? m_orig_area.x : float(x1);
  float y = y1 == -9999 ? m_orig_area.y : float(y1);
  float w = x2 == -9999 ? m_orig_area.width : float(x2) - x;
  float h = y2 == -9999 ? m_orig_area.height : float(y2) - y;
  SetOrigPos(x, y, w, h);
}

static void CopyOut(const _Dimension &a, float *x, float *y, float *w, float *h) {
  if (x) *x = a.x;
  if (y) *y = a.y;
  if (w) *w = a.width;
  if (h) *h = a.height;
}

static void CopyOut(const _Dimension &a, int *x, int *y, int *w, int *h) {
  if (x) *x = int(a.x);
  if (y) *y = int(a.y);
  if (w) *w = int(a.width);
  if (h) *h = int(a.height);
}

void MWinButton::GetOrigPos(float *x, float *y, float *w, float *h) { CopyOut(m_orig_area, x, y, w, h); }
void MWinButton::GetOrigPos(int *x, int *y, int *w, int *h) { CopyOut(m_orig_area, x, y, w, h); }
void MWinButton::GetActualPos(float *x, float *y, float *w, float *h) { CopyOut(m_actual_area, x, y, w, h); }
void MWinButton::GetActualPos(int *x, int *y, int *w, int *h) { CopyOut(m_actual_area, x, y, w, h); }

char MWinButton::GetOrigArea(_Dimension *out) {
  if (!out) return 0;
  *out = m_orig_area;
  return 1;
}

char MWinButton::GetActualArea(_Dimension *out) {
  if (!out) return 0;
  *out = m_actual_area;
  return 1;
}

void MWinButton::GetOrigBoundingBox(int *x1, int *y1, int *x2, int *y2) {
  if (x1) *x1 = int(m_orig_area.x);
  if (y1) *y1 = int(m_orig_area.y);
  if (x2) *x2 = int(m_orig_area.x + m_orig_area.width);
  if (y2) *y2 = int(m_orig_area.y + m_orig_area.height);
}

float MWinButton::GetAutoResizeScaleX() { return m_window ? m_window->GetAutoResizeScaleX() : 1.0f; }
float MWinButton::GetAutoResizeScaleY() { return m_window ? m_window->GetAutoResizeScaleY() : 1.0f; }

void MWinButton::UpdateActualArea() {
  if (!m_mwin || !m_mwin->GetTextures()) return;
  MWinLayoutSettings *layout = GetLayoutSettings();
  _Dimension &a = m_actual_area;
  a = m_orig_area;
  if (m_window) {
    const _Dimension *win = m_window->GetActualAreaReal();
    float design_w = 0, design_h = 0;
    m_window->GetOrigPos(nullptr, nullptr, &design_w, &design_h);
    float scroll_x = m_window->GetVirtualOffsetX(), scroll_y = m_window->GetVirtualOffsetY();
    a.x = win->x + m_orig_area.x + scroll_x;
    a.y = win->y + m_orig_area.y + scroll_y;
    // A window that resizes with the display stretches its widgets with it.
    if (m_window->GetAutoResizeScaleX() != 1.0f && design_w > 0)
      MWinButton_CalcActualXPosAndWidth(m_orig_area.x, m_orig_area.width, design_w, win->x, win->width, scroll_x,
                                        &a.x, &a.width);
    if (m_window->GetAutoResizeScaleY() != 1.0f && design_h > 0 && m_type != MWIN_BUTTON_WINDOW_OWN)
      MWinButton_CalcActualXPosAndWidth(m_orig_area.y, m_orig_area.height, design_h, win->y, win->height, scroll_y,
                                        &a.y, &a.height);
    if (a.width < 2) a.width = 2;
    if (a.height < 2) a.height = 2;
  }

  _Dimension &r = m_render_area;
  r = a;
  float extra_w = 0, extra_top = 0, extra_bottom = 0;
  if (m_back_texbut_num >= 0 && m_type != MWIN_BUTTON_PANEL && m_type != MWIN_BUTTON_DRAG &&
      m_mwin->GetTextures()->GetTextureButtonExtraRenderSize(m_back_texbut_num, &extra_w, &extra_top, &extra_bottom)) {
    r.x -= extra_w;
    r.width += 2 * extra_w;
    r.y -= extra_top;
    r.height += extra_top + extra_bottom;
  }
  if (m_window) {
    _Dimension win = *m_window->GetActualAreaReal();
    if (m_window->UsesWindowMarginsForCroppingButtons() && layout) {
      float design_w = 0, design_h = 0;
      m_window->GetOrigPos(nullptr, nullptr, &design_w, &design_h);
      if (design_w < ENG_DESIGN_WIDTH) {
        win.x += layout->window_edge_margin_x;
        win.width -= 2 * layout->window_edge_margin_x;
      }
      if (design_h < ENG_DESIGN_HEIGHT) {
        win.y += layout->window_edge_margin_y;
        win.height -= 2 * layout->window_edge_margin_y;
      }
    }
    if (r.y < win.y) {
      r.height -= win.y - r.y;
      r.y = win.y;
    }
    if (r.y + r.height > win.y + win.height) r.height = win.y + win.height - r.y;
    if (r.width > 0 && r.x < win.x) {
      r.width -= win.x - r.x;
      r.x = win.x;
    }
    if (r.width > 0 && r.x + r.width > win.x + win.width) r.width = win.x + win.width - r.x;
    if (r.width <= 0 || r.height <= 0) r.width = r.height = 0;
  }

  if (layout) {
    char has_back = (m_back_texbut_num >= 0 || m_custom_back) ? 1 : 0;
    m_text_margin = layout->text_margin_per_width * m_orig_area.width;
    if ((m_type == MWIN_BUTTON_PUSH || m_type == MWIN_BUTTON_STATIC || m_type == MWIN_BUTTON_HORZ_SCROLLBAR) &&
        has_back)
      m_text_margin += layout->text_margin;
    else
      m_text_margin = layout->text_margin;
  }
  m_on_screen = (a.y + a.height < 0 || a.y > ENG_DESIGN_HEIGHT || a.x + a.width < 0 || a.x > ENG_DESIGN_WIDTH) ? 0 : 1;
  PositionUpdated();
}

char MWinButton::SetEscapeButtonForParentWindow() {
  if (!m_window) {
    DebugErrorAlt(ENG_FUNC, "No parent");
    return 0;
  }
  m_window->SetEscapeButton(this);
  return 1;
}

char MWinButton::SetDefaultButtonForParentWindow() {
  if (!m_window) {
    DebugErrorAlt(ENG_FUNC, "No parent");
    return 0;
  }
  m_window->SetDefaultButton(this);
  return 1;
}

void MWinButton::MoveCursorToButtonsCenter() {
  if (!IS_DESKTOP || !m_mwin) return;
  int x = int(m_actual_area.x + m_actual_area.width / 2), y = int(m_actual_area.y + m_actual_area.height / 2);
  m_mwin->MoveMouse(x, y);
  if (eng_main_window) eng_main_window->SetCursorPosRatioed(x, y);
  m_mwin->MoveMouse(-1, -1);
}

// ---- Back texture button ----

char MWinButton::SetBackTexButToTexBut(const char *id) {
  if (!id || !id[0]) {
    DebugErrorAlt(ENG_FUNC, "No id");
    SetBackTexButToNone();
    return 0;
  }
  if (!strcmp(id, "MWIN_TEXBUT_DEFAULT")) {
    SetBackTexButToDefault();
    return 1;
  }
  if (!strcmp(id, "MWIN_TEXBUT_NONE")) {
    SetBackTexButToNone();
    return 1;
  }
  MWinCopyID(m_back_texbut_id, id);
  MWinTextures *textures = m_mwin ? m_mwin->GetTextures() : nullptr;
  m_back_texbut_num = textures ? textures->GetTexButNumFromID(id) : -1;
  if (!textures) return 0;
  return m_back_texbut_num >= 0 ? 1 : 0;
}

void MWinButton::SetBackTexButToDefault() {
  DestroyCustomTexBut();
  m_custom_back = 0;
  MWinCopyID(m_back_texbut_id, "MWIN_TEXBUT_DEFAULT");
  m_back_texbut_num = -1;
  MWinTextures *textures = m_mwin ? m_mwin->GetTextures() : nullptr;
  if (textures && m_type >= 0 && m_type < MWIN_NUM_BUTTON_TYPES)
    m_back_texbut_num = textures->GetStandardTexButNum(default_back_slot[m_type]);
}

void MWinButton::SetBackTexButToNone() {
  DestroyCustomTexBut();
  m_custom_back = 0;
  MWinCopyID(m_back_texbut_id, "MWIN_TEXBUT_NONE");
  m_back_texbut_num = -1;
}

char MWinButton::SetBackTexButToCustom(_MWinTextureState state, const char *file, char flag1, char flag2,
                                       char flag3, float left, float top, float right, float bottom, float r,
                                       float g, float b, float a) {
  m_custom_back = 0;
  m_back_texbut_num = -1;
  MWinCopyID(m_back_texbut_id, "MWIN_TEXBUT_NONE");
  DestroyCustomTexBut();
  if (!file || !file[0]) return 1;
  if (strlen(file) >= sizeof(m_custom[0].file)) {
    DebugErrorAlt(ENG_FUNC, "Invalid filename");
    return 0;
  }
  int s = (state >= 0 && state < 4) ? int(state) : 0;
  _MWinButtonCustomBack &rec = m_custom[s];
  rec.flag1 = flag1;
  rec.flag2 = flag2;
  rec.flag3 = flag3;
  EngSafeStrcpy(rec.file, file, sizeof(rec.file));
  rec.left = left;
  rec.top = top;
  rec.right = right;
  rec.bottom = bottom;
  rec.colour = {r, g, b, a};
  rec.caller_texture = nullptr;
  m_custom_back = 1;
  if (!CreateCustomTexBut()) {
    DestroyCustomTexBut();
    m_custom_back = 0;
    return 0;
  }
  return 1;
}

char MWinButton::SetBackTexButToCustom(const char *file, char flag1, char flag2, char flag3, float left,
                                       float top, float right, float bottom) {
  return SetBackTexButToCustom(MWIN_TEXSTATE_NORMAL, file, flag1, flag2, flag3, left, top, right, bottom, 1, 1, 1,
                               1);
}

char MWinButton::SetBackTexButToCustom(const char *file, char flag1, char flag2, char flag3) {
  return SetBackTexButToCustom(file, flag1, flag2, flag3, 0, 0, 1, 1);
}

char MWinButton::SetBackTexButToCustom(const char *file) { return SetBackTexButToCustom(file, 0, 0, 0); }

char MWinButton::SetBackTexButToCustomTexP(_MWinTextureState state, EngTexture *texture, char flag3, float left,
                                           float top, float right, float bottom, float r, float g, float b,
                                           float a) {
  m_custom_back = 0;
  m_back_texbut_num = -1;
  MWinCopyID(m_back_texbut_id, "MWIN_TEXBUT_NONE");
  DestroyCustomTexBut();
  if (!texture) return 1;
  int s = (state >= 0 && state < 4) ? int(state) : 0;
  _MWinButtonCustomBack &rec = m_custom[s];
  rec.flag1 = rec.flag2 = 0;
  rec.flag3 = flag3;
  rec.file[0] = 0;
  rec.left = left;
  rec.top = top;
  rec.right = right;
  rec.bottom = bottom;
  rec.colour = {r, g, b, a};
  rec.caller_texture = texture;
  m_custom_back = 1;
  return 1;
}

char MWinButton::SetBackTexButToCustomTexP(EngTexture *texture) {
  return SetBackTexButToCustomTexP(MWIN_TEXSTATE_NORMAL, texture, 0, 0, 0, 1, 1, 1, 1, 1, 1);
}

char MWinButton::CreateCustomTexBut() {
  DestroyCustomTexBut();
  if (!m_custom_back) return 1;
  EngUInt8 file_type = m_mwin ? m_mwin->GetTextureFileType() : 2;
  for (int s = 0; s < 4; s++) {
    _MWinButtonCustomBack &rec = m_custom[s];
    if (!rec.file[0]) continue;
    if (!rec.texture) rec.texture = new EngTexture();
    if (!rec.texture->LoadFromFileUsingExt(rec.file, rec.flag1, rec.flag2, file_type, 0)) {
      DebugErrorAlt(ENG_FUNC, "Could not load custom texture state %d <%s>", s, rec.file);
      m_custom_back = 0;
      delete rec.texture;
      rec.texture = nullptr;
      return 0;
    }
  }
  return 1;
}

void MWinButton::DestroyCustomTexBut() {
  for (int s = 0; s < 4; s++) {
    delete m_custom[s].texture;
    m_custom[s].texture = nullptr;
  }
}

const char *MWinButton::GetBackCustomTexButFilename() { return m_custom_back ? m_custom[0].file : nullptr; }
