// The window's construction, identity, placement, colour and its groups and buttons.
#include "Engine/MWin/MWinWindow.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMemory.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinScriptButton.h"

static const _ColourRGBA kWhite = {1, 1, 1, 1};

static void ResetScrollbar(_MWinWindowScrollbar *bar) {
  memset(bar, 0, sizeof(*bar));
  bar->fraction_x = bar->fraction_y = 1;
}

void MWinWindow::ClearState() {
  m_type = 0;
  m_created = 0;
  m_hide_button = m_extra_button = nullptr;
  m_active = m_shown = 0;
  m_title_token_num = -1;
  m_dragging = 0;
  m_drag_start_mouse_x = m_drag_start_mouse_y = m_drag_start_window_x = m_drag_start_window_y = 0;
  m_custom_back_on = 0;
  memset(m_custom_back, 0, sizeof(m_custom_back));
  m_key_down_cb = nullptr;
  ResetScrollbar(&m_scrollbar_x);
  ResetScrollbar(&m_scrollbar_y);
  m_virtual_offset[0] = m_virtual_offset[1] = 0;
  m_hide_plain_cb = m_extra_plain_cb = nullptr;
  m_hide_plain_user = m_extra_plain_user = nullptr;
  m_empty_press_cb = nullptr;
  m_empty_press_user = nullptr;
  m_controller = nullptr;
  m_use_controller = 0;
  m_scroller_took_press = 0;
  m_id[0] = 0;
  memset(&m_info, 0, sizeof(m_info));
  m_orig_area = m_actual_area = m_title_area = m_title_text_area = m_client_area = {0, 0, 0, 0};
  m_title_font_num = m_title_texbut_num = m_hide_texbut_num = m_extra_texbut_num = m_back_texbut_num = -1;
  m_title_colour = {0, 0, 0, 1};
  m_title_scale_x = m_title_scale_y = 1;
  m_title_align = MWIN_ALIGN_LEFT;
  m_colour_on = 0;
  m_colour = kWhite;
  m_extra_size[0] = m_extra_size[1] = 0;
  m_scrolling_on = 0;
  m_use_margins_for_cropping = 1;
  m_auto_resize = 1;
  m_escape_button = m_default_button = nullptr;
}

MWinWindow::MWinWindow(MWin *mwin, const char *id, MWinCollection *collection, _MWinWindowCreateInfo *info)
    : m_mwin(mwin), m_collection(collection) {
  DebugAssert(mwin ? 1 : 0, "MWinWindow::MWinWindow", "No mw");
  ClearState();
  m_first_group = m_last_group = new MWinGroup(mwin, this);
  MWinCopyID(m_id, id ? id : "");
  UpdateAutoResizeFlag();
  _MWinWindowCreateInfo defaults;
  if (!info) {
    DebugErrorAlt(ENG_FUNC, "No info passed in");
    memset(&defaults, 0, sizeof(defaults));
    defaults.x = defaults.y = 10;
    defaults.width = defaults.height = 50;
    MWinCopyID(defaults.title_texbut, "MWIN_TEXBUT_DEFAULT");
    MWinCopyID(defaults.back_texbut, "MWIN_TEXBUT_DEFAULT");
    MWinCopyID(defaults.title_font, "MWIN_FONT_DEFAULT");
    info = &defaults;
  }
  m_type = info->window_type;
  float virtual_w = ENG_DESIGN_WIDTH, virtual_h = ENG_DESIGN_HEIGHT;
  GetVirtualSize(&virtual_w, &virtual_h);
  if (info->width < 0) info->width = 100;
  if (info->height < 0) info->height = 100;
  if (info->x == -9999.0f) info->x = 0.5f * virtual_w - 0.5f * info->width;
  if (info->y == -9999.0f) info->y = 0.5f * virtual_h - 0.5f * info->height;
  m_info = *info;
  // Texts copied from a caller's record are terminated here whatever the record held.
  m_info.title_text[sizeof(m_info.title_text) - 1] = 0;
  m_info.hide_button_text[sizeof(m_info.hide_button_text) - 1] = 0;
  m_info.extra_button_text[sizeof(m_info.extra_button_text) - 1] = 0;
  m_info.title_lang_token[sizeof(m_info.title_lang_token) - 1] = 0;
  m_info.hide_button_lang_token[sizeof(m_info.hide_button_lang_token) - 1] = 0;
  m_info.extra_button_lang_token[sizeof(m_info.extra_button_lang_token) - 1] = 0;
  m_info.title_texbut[MWIN_ID_SIZE - 1] = m_info.back_texbut[MWIN_ID_SIZE - 1] = 0;
  m_info.title_font[MWIN_ID_SIZE - 1] = 0;
  m_info.hide_button_texbut[MWIN_ID_SIZE - 1] = m_info.extra_button_texbut[MWIN_ID_SIZE - 1] = 0;
  if (m_info.has_hide_button && !m_info.has_title_bar) {
    DebugErrorAlt(ENG_FUNC, "Hide button but no title bar");
    m_info.has_hide_button = 0;
  }
  if (m_info.has_extra_button >= 2) {
    DebugErrorAlt(ENG_FUNC, "has_extra_button is %d - setting to 0.", int(m_info.has_extra_button));
    m_info.has_extra_button = 0;
    m_info.extra_button_text[0] = 0;
  }
  if (m_info.has_extra_button && !m_info.has_title_bar) {
    DebugErrorAlt(ENG_FUNC, "Extra button but no title bar");
    m_info.has_extra_button = 0;
  }
  char token[64], texbut[MWIN_ID_SIZE], font[MWIN_ID_SIZE];
  memcpy(token, m_info.title_lang_token, sizeof(token));
  SetTitleLangToken(token);
  memcpy(texbut, m_info.title_texbut, sizeof(texbut));
  SetTitleTexButToTexBut(texbut);
  memcpy(texbut, m_info.back_texbut, sizeof(texbut));
  SetBackTexButToTexBut(texbut);
  memcpy(font, m_info.title_font, sizeof(font));
  SetTitleFontFromFontID(font, 0);
  m_title_colour = {0, 0, 0, 1};
  m_title_scale_x = m_title_scale_y = 1;
  m_title_align = MWIN_ALIGN_LEFT;
  m_colour_on = 0;
  m_colour = kWhite;
  SetOrigPos(m_info.x, m_info.y, m_info.width, m_info.height);
  m_active = 0;
  m_shown = 1;
  m_created = 1;
}

MWinWindow::~MWinWindow() {
  while (m_last_group) {
    MWinGroup *group = m_last_group;
    MWinGroup *prev = group->m_prev;
    if (prev && prev->m_next != group) {
      DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
      DestroyGraphicsObjects();
      return;
    }
    if (prev) prev->m_next = nullptr;
    m_last_group = prev;
    delete group;
  }
  m_first_group = nullptr;
  DestroyGraphicsObjects();
  // Unset before deleting: each title-bar button's destructor may look the other up by id.
  MWinButton *hide = m_hide_button, *extra = m_extra_button;
  m_hide_button = m_extra_button = nullptr;
  delete hide;
  delete extra;
  ClearState();
}

void MWinWindow::SetType(_MWinWindowType type) {
  MWinEntryScope scope(m_mwin);
  m_type = type;
  if (m_collection) m_collection->WindowsChanged();
}

char MWinWindow::CopyFromOtherWindow(MWinWindow *other, char flag) {
  (void)flag;
  if (!other) {
    DebugErrorAlt(ENG_FUNC, "No window.");
    return 0;
  }
  m_type = other->m_type;
  m_active = other->m_active;
  m_shown = other->m_shown;
  m_custom_back_on = other->m_custom_back_on;
  for (int i = 0; i < 4; i++) {
    m_custom_back[i] = other->m_custom_back[i];
    m_custom_back[i].texture = nullptr;
    m_custom_back[i].caller_texture = nullptr;
  }
  ResetScrollbar(&m_scrollbar_x);
  ResetScrollbar(&m_scrollbar_y);
  memcpy(m_id, other->m_id, sizeof(m_id));
  m_info = other->m_info;
  m_orig_area = other->m_orig_area;
  m_actual_area = other->m_actual_area;
  m_title_area = other->m_title_area;
  m_title_text_area = other->m_title_text_area;
  m_client_area = other->m_client_area;
  m_title_font_num = other->m_title_font_num;
  m_title_texbut_num = other->m_title_texbut_num;
  m_hide_texbut_num = other->m_hide_texbut_num;
  m_extra_texbut_num = other->m_extra_texbut_num;
  m_back_texbut_num = other->m_back_texbut_num;
  m_title_colour = other->m_title_colour;
  m_title_scale_x = other->m_title_scale_x;
  m_title_scale_y = other->m_title_scale_y;
  m_title_align = other->m_title_align;
  m_colour_on = other->m_colour_on;
  m_colour = other->m_colour;
  m_extra_size[0] = other->m_extra_size[0];
  m_extra_size[1] = other->m_extra_size[1];
  m_scrolling_on = other->m_scrolling_on;
  m_use_margins_for_cropping = other->m_use_margins_for_cropping;
  return 1;
}

// ---- Title text and colours ----

void MWinWindow::SetTitleText(const ENG_CHAR *text) {
  EngSafeStrcpy(m_info.title_text, text ? text : "", sizeof(m_info.title_text));
  m_info.title_lang_token[0] = 0;
  m_title_token_num = -1;
  if (m_mwin) m_mwin->RenderNeeded();
}

void MWinWindow::SetTitleLangToken(const char *token) {
  if (!token || !token[0]) {
    m_info.title_lang_token[0] = 0;
    m_title_token_num = -1;
    return;
  }
  EngSafeStrcpy(m_info.title_lang_token, token, sizeof(m_info.title_lang_token));
  EngInt32 sub_texts = 0;
  m_title_token_num = EngLanguagesGetTokenNumAndNumSubTextsForToken(m_info.title_lang_token, &sub_texts);
}

const ENG_CHAR *MWinWindow::GetTitleText() {
  if (m_info.title_lang_token[0]) {
    const char *text = EngLanguagesGetString(m_info.title_lang_token);
    if (text) return text;
  }
  return m_info.title_text;
}

void MWinWindow::NewLanguageSet() {
  char token[64];
  memcpy(token, m_info.title_lang_token, sizeof(token));
  SetTitleLangToken(token);
  if (m_hide_button) m_hide_button->NewLanguageSet();
  if (m_extra_button) m_extra_button->NewLanguageSet();
  for (MWinGroup *g = m_first_group; g; g = g->m_next) g->NewLanguageSet();
}

void MWinWindow::SetTitleTextColour(float r, float g, float b, float a) { m_title_colour = {r, g, b, a}; }

void MWinWindow::SetTitleTextColour(const _ColourRGBA *colour) {
  if (colour) m_title_colour = *colour;
}

void MWinWindow::SetTitleTextScale(float x, float y) {
  m_title_scale_x = x;
  m_title_scale_y = y;
}

void MWinWindow::SetTitleTextAlign(_MWinTextAlign align) { m_title_align = align; }

void MWinWindow::SetColour(const _ColourRGBA *colour) {
  if (!colour) {
    m_colour_on = 0;
    return;
  }
  m_colour_on = 1;
  m_colour = *colour;
}

void MWinWindow::SetColour(float r, float g, float b, float a) {
  m_colour_on = 1;
  m_colour = {r, g, b, a};
}

void MWinWindow::SetColour(const _ColourRGB *colour) {
  if (!colour) {
    m_colour.r = m_colour.g = m_colour.b = 1;
    return;
  }
  m_colour_on = 1;
  m_colour.r = colour->r;
  m_colour.g = colour->g;
  m_colour.b = colour->b;
}

void MWinWindow::SetTransparency(float a) {
  if (a == 1.0f && !m_colour_on) {
    m_colour.a = 1;
    return;
  }
  m_colour_on = 1;
  m_colour.a = a;
}

const _ColourRGBA *MWinWindow::GetColour() { return m_colour_on ? &m_colour : &kWhite; }

float MWinWindow::GetTransparency() { return m_colour_on ? m_colour.a : 1.0f; }

void MWinWindow::UseWindowMarginsForCroppingButtons(char on) {
  m_use_margins_for_cropping = on;
  for (MWinGroup *g = m_first_group; g; g = g->m_next) g->UpdateButtonsActualAreas();
}

// ---- Position and size ----

void MWinWindow::GetVirtualSize(float *w, float *h, char flag) {
  (void)flag;
  if (!m_mwin) {
    DebugErrorAlt(ENG_FUNC, "No mwin");
    if (w) *w = ENG_DESIGN_WIDTH;
    if (h) *h = ENG_DESIGN_HEIGHT;
    return;
  }
  _EngLayout layout = m_collection ? m_collection->GetScreenLayout() : m_mwin->GetScreenLayout();
  m_mwin->GetVirtualSize(layout, w, h);
}

MWinLayoutSettings *MWinWindow::GetScreenLayout() {
  if (!m_mwin) {
    DebugErrorAlt(ENG_FUNC, "No mwin");
    return nullptr;
  }
  if (!m_collection) {
    DebugErrorAlt(ENG_FUNC, "No parent");
    return m_mwin->GetLayoutSettings();
  }
  return m_mwin->GetLayoutSettings(m_collection->GetScreenLayout());
}

void MWinWindow::UpdateAutoResizeFlag() {
  m_auto_resize = m_collection ? m_collection->IsCollectionAutoResizeOn() : 1;
  if (m_mwin && !m_mwin->GetAutoResize()) m_auto_resize = 0;
}

float MWinWindow::GetAutoResizeScaleX() { return m_auto_resize ? eng_main_window_x_widescreen_ratio : 1.0f; }

float MWinWindow::GetAutoResizeScaleY() { return m_auto_resize ? eng_main_window_y_narrowscreen_ratio : 1.0f; }

void MWinWindow::SetOrigPos(float x, float y, float w, float h) {
  MWinLayoutSettings *layout = GetScreenLayout();
  if (!layout) return;
  if (m_info.has_title_bar && y < layout->title_bar_height) y = layout->title_bar_height;
  if (w < 1) w = 1;
  if (h < 1) h = 1;
  m_orig_area.width = w;
  m_orig_area.height = h;
  m_actual_area.width = w * GetAutoResizeScaleX();
  m_actual_area.height = h * GetAutoResizeScaleY();
  SetOrigPos(x, y);
  for (MWinGroup *g = m_first_group; g; g = g->m_next)
    for (MWinButton *b = g->m_first; b; b = b->m_next) b->SetOrigPos();
}

void MWinWindow::SetOrigArea(_Dimension area) { SetOrigPos(area.x, area.y, area.width, area.height); }

void MWinWindow::SetOrigArea(const _Dimension *area) {
  if (area) SetOrigPos(area->x, area->y, area->width, area->height);
}

void MWinWindow::SetOrigPos(float x, float y) {
  m_orig_area.x = x;
  m_orig_area.y = y;
  m_actual_area.x = m_auto_resize ? MWinApplyWidescreenRatioToXPos(x, m_orig_area.width) : x;
  m_actual_area.y = m_auto_resize ? MWinApplyNarrowscreenRatioToYPos(y, m_orig_area.height) : y;
  for (MWinGroup *g = m_first_group; g; g = g->m_next) g->UpdateButtonsActualAreas();
  UpdateTitleBar(0);
}

void MWinWindow::SetOrigPos() { SetOrigPos(m_orig_area.x, m_orig_area.y); }

void MWinWindow::GetOrigPos(float *x, float *y, float *w, float *h) {
  if (x) *x = m_orig_area.x;
  if (y) *y = m_orig_area.y;
  if (w) *w = m_orig_area.width;
  if (h) *h = m_orig_area.height;
}

void MWinWindow::GetOrigArea(_Dimension *area) {
  if (area) *area = m_orig_area;
}

void MWinWindow::GetActualPos(float *x, float *y, float *w, float *h) { GetOrigPos(x, y, w, h); }

void MWinWindow::GetActualArea(_Dimension *area) { GetOrigArea(area); }

char MWinWindow::EnsureOnScreen() {
  float x = m_orig_area.x, y = m_orig_area.y;
  if (x > ENG_DESIGN_WIDTH - m_orig_area.width) x = ENG_DESIGN_WIDTH - m_orig_area.width;
  if (y > ENG_DESIGN_HEIGHT - m_orig_area.height) y = ENG_DESIGN_HEIGHT - m_orig_area.height;
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  if (x == m_orig_area.x && y == m_orig_area.y) return 0;
  SetOrigPos(x, y);
  return 1;
}

void MWinWindow::Show(char show) {
  MWinEntryScope scope(m_mwin);
  if (show) {
    m_shown = 1;
  } else {
    m_shown = 0;
    m_active = 0;
  }
  if (m_collection) m_collection->WindowsChanged();
}

void MWinWindow::Hide() { Show(0); }

// ---- Groups ----

int MWinWindow::GetNumGroups() {
  int count = 0;
  for (MWinGroup *g = m_first_group; g; g = g->m_next) count++;
  return count;
}

MWinGroup *MWinWindow::GetNthGroup(int n) {
  int i = 0;
  for (MWinGroup *g = m_first_group; g; g = g->m_next, i++)
    if (i == n) return g;
  DebugErrorAlt(ENG_FUNC, "Group %d not found.", n);
  return nullptr;
}

int MWinWindow::CreateNewGroup() {
  if (!m_last_group || m_last_group->m_next) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return -1;
  }
  MWinGroup *group = new MWinGroup(m_mwin, this);
  group->m_prev = m_last_group;
  m_last_group->m_next = group;
  m_last_group = group;
  return GetNumGroups() - 1;
}

// ---- Buttons: the window's operations pass to its first group ----

char MWinWindow::PreAddButton(const char *id, _MWinButtonType type, float *values) {
  if (!m_first_group) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  return m_first_group->PreAddButton(id, type, values);
}

MWinButton *MWinWindow::AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text,
                                  float x, float y, float w, float h) {
  if (!m_first_group) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return nullptr;
  }
  return m_first_group->AddButton(id, type, texbut_id, text, x, y, w, h);
}

MWinButton *MWinWindow::AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text,
                                  float x, float y, float w, float h, MWIN_BUTTON_CB callback, int a, int b) {
  if (!m_first_group) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return nullptr;
  }
  return m_first_group->AddButton(id, type, texbut_id, text, x, y, w, h, callback, a, b);
}

MWinButton *MWinWindow::AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text,
                                  float x, float y, float w, float h, MWIN_BUTTON_PLAIN_CB callback) {
  if (!m_first_group) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return nullptr;
  }
  return m_first_group->AddButton(id, type, texbut_id, text, x, y, w, h, callback);
}

MWinHorzScrollbar *MWinWindow::AddHorzScrollbar(const char *id, const char *texbut_id, const ENG_CHAR *text,
                                                float x, float y, float w, float h) {
  if (!m_first_group) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return nullptr;
  }
  return m_first_group->AddHorzScrollbar(id, texbut_id, text, x, y, w, h);
}

MWinScriptButton *MWinWindow::AddScriptButton(const char *id, const char *texbut_id, float x, float y, float w,
                                              float h) {
  if (!m_first_group) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return nullptr;
  }
  return m_first_group->AddScriptButton(id, texbut_id, x, y, w, h);
}

MWinButton *MWinWindow::CompleteAddButton(MWinButton *button) {
  if (!m_first_group) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return nullptr;
  }
  return m_first_group->CompleteAddButton(button);
}

void MWinWindow::UpdateButtonsTextStylesFromFontStyleID(const char *id) {
  if (!m_first_group) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  m_first_group->UpdateButtonsTextStylesFromFontStyleID(id);
}

char MWinWindow::RemoveButton(MWinButton *button) {
  if (!button || !button->GetGroup()) return 0;
  return button->GetGroup()->RemoveButton(button);
}

char MWinWindow::RemoveAllButtonsAfterButton(MWinButton *button) {
  if (!button || !button->GetGroup()) return 0;
  return button->GetGroup()->RemoveAllButtonsAfterButton(button);
}

void MWinWindow::RemoveAllButtons() {
  for (MWinGroup *g = m_first_group; g; g = g->m_next) g->RemoveAllButtons();
  while (m_last_group && m_last_group != m_first_group) {
    MWinGroup *group = m_last_group;
    m_last_group = group->m_prev;
    m_last_group->m_next = nullptr;
    m_mwin->Discard(group);
  }
}

char MWinWindow::IsGone() const { return m_removed || (m_collection && m_collection->IsRemoved()) ? 1 : 0; }

void MWinWindow::ForgetButton(const MWinButton *button) {
  if (!button) return;
  if (m_default_button == button) m_default_button = nullptr;
  if (m_escape_button == button) m_escape_button = nullptr;
  if (m_hide_button == button) m_hide_button = nullptr;
  if (m_extra_button == button) m_extra_button = nullptr;
}

int MWinWindow::GetNumButtons() {
  int count = 0;
  for (MWinGroup *g = m_first_group; g; g = g->m_next) count += g->GetNumButtons();
  return count;
}

MWinButton *MWinWindow::GetNthButton(int n) {
  int i = 0;
  for (MWinGroup *g = m_first_group; g; g = g->m_next)
    for (MWinButton *b = g->m_first; b; b = b->m_next, i++)
      if (i == n) return b;
  DebugErrorAlt(ENG_FUNC, "Button %d not found.", n);
  return nullptr;
}

MWinButton *MWinWindow::GetFirstButton() {
  if (!m_first_group) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return nullptr;
  }
  return m_first_group->m_first;
}

MWinButton *MWinWindow::GetLastButton() { return m_last_group ? m_last_group->m_last : nullptr; }

MWinButton *MWinWindow::GetNextButton(const MWinButton *button) {
  if (!button) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  if (!button->GetGroup()) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return nullptr;
  }
  if (button->GetNext()) return button->GetNext();
  for (MWinGroup *g = button->GetGroup()->m_next; g; g = g->m_next)
    if (g->m_first) return g->m_first;
  return nullptr;
}

MWinButton *MWinWindow::GetPrevButton(const MWinButton *button) {
  if (!button) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  if (!button->GetGroup()) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return nullptr;
  }
  if (button->GetPrev()) return button->GetPrev();
  for (MWinGroup *g = button->GetGroup()->m_prev; g; g = g->m_prev)
    if (g->m_last) return g->m_last;
  return nullptr;
}

MWinButton *MWinWindow::GetButtonFromID(const char *id, char report) {
  if (MWinIsIDEmpty(id)) {
    if (report) DebugErrorAlt(ENG_FUNC, "No Button ID");
    return nullptr;
  }
  if (m_hide_button && MWinAreIDsTheSame(m_hide_button->GetID(), id)) return m_hide_button;
  if (m_extra_button && MWinAreIDsTheSame(m_extra_button->GetID(), id)) return m_extra_button;
  for (MWinGroup *g = m_first_group; g; g = g->m_next)
    for (MWinButton *b = g->m_first; b; b = b->m_next)
      if (MWinAreIDsTheSame(b->GetID(), id)) return b;
  if (report)
    DebugErrorAlt(ENG_FUNC, "Button <%s> not found in window <%s> of collection <%s>", id, MWinDisplayID(m_id),
                  m_collection ? MWinDisplayID(m_collection->GetID()) : "(none)");
  return nullptr;
}

MWinButton *MWinWindow::SetButtonCallback(const char *id, MWIN_BUTTON_CB callback, int a, int b) {
  MWinButton *button = GetButtonFromID(id);
  if (button) button->SetCallback(callback, a, b, 1);
  return button;
}

// ---- Centring and spacing ----

// Every shown button of the shown groups, in order.
static std::vector<MWinButton *> ShownButtons(MWinGroup *first) {
  std::vector<MWinButton *> list;
  for (MWinGroup *g = first; g; g = g->m_next)
    if (g->m_shown)
      for (MWinButton *b = g->m_first; b; b = b->m_next)
        if (b->IsShown()) list.push_back(b);
  return list;
}

static std::vector<MWinButton *> ShownButtons(MWinButton **list) {
  std::vector<MWinButton *> shown;
  for (; *list; list++)
    if ((*list)->IsShown()) shown.push_back(*list);
  return shown;
}

void MWinWindow::CenterAllShownButtons(char horizontally, char vertically) {
  MWinGroup::CenterButtons(this, ShownButtons(m_first_group), horizontally, vertically, 0);
}

void MWinWindow::CenterGroupOfButtons(MWinButton **list, char horizontally, char vertically) {
  if (!list) {
    DebugErrorAlt(ENG_FUNC, "No buttons");
    return;
  }
  MWinGroup::CenterButtons(this, ShownButtons(list), horizontally, vertically, 1);
}

void MWinWindow::SpaceAllShownButtons(char horizontally, char vertically) {
  MWinGroup::SpaceButtons(ShownButtons(m_first_group), horizontally, vertically);
}

void MWinWindow::SpaceGroupOfButtons(MWinButton **list, char horizontally, char vertically) {
  if (!list) {
    DebugErrorAlt(ENG_FUNC, "No buttons");
    return;
  }
  std::vector<MWinButton *> shown;
  for (MWinButton *b : ShownButtons(list))
    if (b->GetWindow()) shown.push_back(b);
  MWinGroup::SpaceButtons(shown, horizontally, vertically);
}

void MWinWindow::SpaceGroupOfButtons(std::vector<MWinButton *> list, char horizontally, char vertically) {
  MWinButton **copy =
      static_cast<MWinButton **>(EngMalloc((list.size() + 1) * sizeof(MWinButton *), "SpaceGroupOfButtons", 1));
  if (!copy) return;
  for (size_t i = 0; i < list.size(); i++) copy[i] = list[i];
  copy[list.size()] = nullptr;
  SpaceGroupOfButtons(copy, horizontally, vertically);
  EngFree(copy, 0, "SpaceGroupOfButtons");
}
