#include "Engine/MWin/MWinButton.h"

#include <cstdlib>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinCollectionController.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinWindow.h"

EngInt32 MWinButton::total_buttons_created = 0;

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
  m_type = type;
  m_enabled = 1;
  m_shown = 1;
  MWinCopyID(m_back_texbut_id, back_texbut_id ? back_texbut_id : "");
  MWinLayoutSettings *layout = m_window ? m_window->GetScreenLayout() : nullptr;
  if (type != MWIN_BUTTON_WINDOW_OWN && layout) {
    if (w < 0) w = layout->default_button_width;
    if (h < 0) h = layout->default_button_height;
  }
  if (m_window) {
    float window_w = 0, window_h = 0;
    m_window->GetOrigPos(nullptr, nullptr, &window_w, &window_h);
    if (x < 0) x = window_w / 2 - w / 2;
    if (y < 0) y = window_h / 2 - h / 2;
  }
  SetText(text);
  SetOrigPos(x, y, w, h);
  Reset();
  m_valid = 1;
  m_signature = EngUInt16(rand() % 65533 + 1);
  m_signature_check = EngUInt16(m_signature + 1);
  m_mwin->RenderNeeded();
  total_buttons_created++;
}

MWinButton::~MWinButton() {
  // A message queued for this button must not reach it once it is gone.
  if (m_mwin && m_mwin->IsOn() && m_window && m_window->GetCollection())
    m_mwin->RemoveAnyQueuedMessagesForButton(this, m_window, m_window->GetCollection());
  MWinButton::DestroyGraphicsObjects();
  m_valid = 0;
  m_signature = 0;
  m_signature_check = 0;
  total_buttons_created--;
  ResetVars();
}

void MWinButton::ResetVars() {
  m_id[0] = 0;
  m_prev = m_next = nullptr;
  m_type = MWIN_BUTTON_INVALID;
  m_active = m_pressed = m_enabled = m_shown = 0;
  m_on_screen = 1;
  m_dragging = 0;
  m_callback_a = m_callback_b = 0;
  RemoveAllCallbacks();
  m_ready = 0;
  m_editing = m_list_open = 0;
  m_text[0] = 0;
  m_lang_token[0] = 0;
}

void MWinButton::Reset() {
  switch (m_type) {
    case MWIN_BUTTON_WINDOW_OWN:
    case MWIN_BUTTON_PUSH:
    case MWIN_BUTTON_STATIC: m_ready = 1; break;
    default: break;
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

char MWinButton::IsValid() const { return m_valid == 1 && m_signature_check == EngUInt16(m_signature + 1); }

char MWinButton::CreateGraphicsObjects() {
  UpdateActualArea();
  return 1;
}

void MWinButton::DestroyGraphicsObjects() {}

void MWinButton::PositionUpdated() {
  if (m_mwin) m_mwin->RenderNeeded();
}

char MWinButton::Tick() { return 0; }

char MWinButton::Render() { return 1; }

void MWinButton::SetOrigPos(float x, float y, float w, float h) {
  MWinLayoutSettings *layout = m_window ? m_window->GetScreenLayout() : (m_mwin ? m_mwin->GetLayoutSettings() : nullptr);
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

void MWinButton::SetOrigArea(const _Dimension *area) {
  if (area) SetOrigPos(area->x, area->y, area->width, area->height);
}

void MWinButton::UpdateActualArea() {
  if (!m_mwin) return;
  m_actual_area = m_orig_area;
  if (m_window) {
    const _Dimension *window_area = m_window->GetActualAreaReal();
    m_actual_area.x += window_area->x + m_window->GetVirtualOffsetX();
    m_actual_area.y += window_area->y + m_window->GetVirtualOffsetY();
    if (m_actual_area.width < 2) m_actual_area.width = 2;
    if (m_actual_area.height < 2) m_actual_area.height = 2;
  }
  const _Dimension &a = m_actual_area;
  m_on_screen = (a.y + a.height < 0 || a.y > 480 || a.x + a.width < 0 || a.x > 640) ? 0 : 1;
  PositionUpdated();
}

char MWinButton::HandleMouseButtonPressed(char button, char pressed, char flag) {
  (void)flag;
  if (!m_ready) return 0;
  if (!(m_active && m_enabled && m_shown)) {
    m_pressed = 0;
    m_dragging = 0;
    return 0;
  }
  if (button != 0) return 0;
  m_mwin->RenderNeeded();
  if (m_dragging && !pressed) {
    m_dragging = 0;
    return 0;
  }
  if (pressed) {
    m_pressed = 1;
    return 1;
  }
  if (!m_pressed) return 1;
  m_pressed = 0;
  CallCallback();
  return 1;
}

char MWinButton::HandleMouseButtonDoubleClicked(char button) {
  if (!(m_ready && m_active && m_shown && m_enabled && button == 0)) return 0;
  if (m_type != MWIN_BUTTON_PUSH) return 0;
  HandleMouseButtonPressed(0, 1, 0);
  return HandleMouseButtonPressed(0, 0, 0);
}

void MWinButton::HandleMouseButtonPressCanceled() {
  if (!m_ready) return;
  m_pressed = 0;
  m_dragging = 0;
}

void MWinButton::HandleMouseMove() {
  if (!(m_ready && m_shown)) return;
  if (m_dragging) m_dragging = 0;
}

char MWinButton::HandleMouseWheel(int delta) {
  (void)delta;
  return 0;
}

char MWinButton::HandleKeyDown(int key) {
  if (!(m_ready && m_active && m_shown)) return 0;
  if (m_type == MWIN_BUTTON_PUSH && (key == 13 || key == 32)) {
    _MWinButtonCallbackInfo info;
    FillCallbackInfo(&info);
    CallCallback(&info);
    return 1;
  }
  return 0;
}

char MWinButton::HandleKeyDownUChar(unsigned char c) {
  (void)c;
  return 0;
}

char MWinButton::HandleKeyUp(int key) {
  (void)key;
  return 0;
}

char MWinButton::KeepFocusOnMouseMove() {
  if (!(m_ready && m_active)) return 0;
  if (m_type == MWIN_BUTTON_PANEL || m_type == MWIN_BUTTON_DRAG || m_type == MWIN_BUTTON_RANGE) return m_dragging;
  return 0;
}

void MWinButton::Activate() {
  if (m_active) return;
  m_active = 1;
  m_mwin->RenderNeeded();
}

void MWinButton::Deactivate() {
  HandleMouseButtonPressCanceled();
  m_dragging = 0;
  if (m_active) {
    m_active = 0;
    m_mwin->RenderNeeded();
  }
}

void MWinButton::Enable() {
  static char inside = 0;
  if (m_enabled || inside) return;
  inside = 1;
  m_enabled = 1;
  if (m_shown && m_mwin && m_window && m_mwin->IsMouseViewportCursorInArea(&m_actual_area))
    m_window->HandleMouseMove();
  m_mwin->RenderNeeded();
  inside = 0;
}

void MWinButton::Disable() {
  if (!m_enabled) return;
  if (m_active) Deactivate();
  m_enabled = 0;
  m_mwin->RenderNeeded();
}

void MWinButton::Hide() {
  if (m_active) Deactivate();
  if (m_shown) {
    m_shown = 0;
    m_mwin->RenderNeeded();
  }
}

char MWinButton::IsATabStop() {
  if (!(m_enabled && m_shown)) return 0;
  if (m_type == MWIN_BUTTON_STATIC || m_type == MWIN_BUTTON_FRAME) return 0;
  if (m_type == MWIN_BUTTON_PUSH && !HasCallback()) return 0;
  return 1;
}

char MWinButton::HasCallback() {
  if (m_window && m_window->GetController(0)) return 1;
  return (m_callback || m_callback_2 || m_plain_callback || m_plain_callback_2) ? 1 : 0;
}

char MWinButton::SetCallback(MWIN_BUTTON_CB callback, int a, int b, char refuse) {
  if (refuse && callback && m_window && m_window->GetController(0)) {
    DebugErrorAlt(ENG_FUNC, "Use controller");
    return 0;
  }
  RemoveAllCallbacks();
  m_callback = callback;
  m_callback_a = a;
  m_callback_b = b;
  return 1;
}

char MWinButton::SetCallback(MWIN_BUTTON_CB_2 callback, int a, int b, void *user, char refuse) {
  if (refuse && callback && m_window && m_window->GetController(0)) {
    DebugErrorAlt(ENG_FUNC, "Use controller");
    return 0;
  }
  RemoveAllCallbacks();
  m_callback_2 = callback;
  m_callback_a = a;
  m_callback_b = b;
  m_callback_user = user;
  return 1;
}

char MWinButton::SetPlainCallback(MWIN_BUTTON_PLAIN_CB callback) {
  if (callback && m_window && m_window->GetController(0)) {
    DebugErrorAlt(ENG_FUNC, "Use controller");
    return 0;
  }
  RemoveAllCallbacks();
  m_plain_callback = callback;
  return 1;
}

char MWinButton::SetPlainCallback(MWIN_BUTTON_PLAIN_CB_2 callback, void *user) {
  // A window's own title-bar button carries the window's plain callback whatever the controller.
  if (callback && m_type != MWIN_BUTTON_WINDOW_OWN && m_window && m_window->GetController(0)) {
    DebugErrorAlt(ENG_FUNC, "Use controller");
    return 0;
  }
  RemoveAllCallbacks();
  m_plain_callback_2 = callback;
  m_callback_user = user;
  return 1;
}

void MWinButton::RemoveAllCallbacks() {
  m_callback = nullptr;
  m_callback_2 = nullptr;
  m_plain_callback = nullptr;
  m_plain_callback_2 = nullptr;
  m_callback_user = nullptr;
  m_callback_a = m_callback_b = 0;
}

void MWinButton::FillCallbackInfo(_MWinButtonCallbackInfo *info) {
  if (!info) return;
  memset(info, 0, sizeof(*info));
  MWinCopyID(info->button_id, m_id);
  if (m_window) MWinCopyID(info->window_id, m_window->GetID());
  info->button = this;
}

// After user code ran the button may be gone: find it again by its ids before touching it.
char MWinButton::StillThere(MWin *mwin, const char *collection, const char *window, const char *button) {
  if (!eng_main_program || !eng_main_window) return 0;
  if (!mwin->IsOn() || !mwin->GetButtonFromIDs(collection, window, button, 0)) return 0;
  return IsValid();
}

char MWinButton::CallCallback(_MWinButtonCallbackInfo *info) {
  MWinID button_id, window_id = {0}, collection_id = {0};
  MWinCopyID(button_id, m_id);
  if (m_window) {
    MWinCopyID(window_id, m_window->GetID());
    if (m_window->GetCollection()) MWinCopyID(collection_id, m_window->GetCollection()->GetID());
  }
  MWin *mwin = m_mwin;
  _MWinButtonCallbackInfo local;
  if (!info) {
    FillCallbackInfo(&local);
    info = &local;
  }
  MWinCollectionController *controller = m_window ? m_window->GetController(0) : nullptr;
  if (m_type == MWIN_BUTTON_WINDOW_OWN && m_plain_callback_2) controller = nullptr;
  if (controller) {
    char handled = controller->ButtonsCallback(this, info);
    if (!StillThere(mwin, collection_id, window_id, button_id)) return 0;
    if (handled && m_type == MWIN_BUTTON_PUSH) mwin->PlaySound(MWIN_SOUND_PRESS);
    mwin->RenderNeeded();
    return 1;
  }
  if (m_callback)
    m_callback(mwin, info, m_callback_a, m_callback_b);
  else if (m_plain_callback)
    m_plain_callback();
  else if (m_plain_callback_2)
    m_plain_callback_2(m_callback_user);
  else if (m_callback_2)
    m_callback_2(mwin, info, m_callback_a, m_callback_b, m_callback_user);
  else
    return 0;
  if (!StillThere(mwin, collection_id, window_id, button_id)) return 0;
  if (m_type == MWIN_BUTTON_PUSH) mwin->PlaySound(MWIN_SOUND_PRESS);
  mwin->RenderNeeded();
  return 1;
}

// ---- Least forms of what windows call; the widget's own files make them whole ----

char MWinButton::SetBackTexButToTexBut(const char *id) {
  MWinCopyID(m_back_texbut_id, id ? id : "");
  return 1;
}

void MWinButton::SetBackTexButToNone() { MWinCopyID(m_back_texbut_id, "MWIN_TEXBUT_NONE"); }

char MWinButton::SetFont(const char *id) {
  MWinCopyID(m_font_id, id ? id : "");
  return 1;
}

void MWinButton::SetText(const ENG_CHAR *text) {
  EngSafeStrcpy(m_text, text ? text : "", sizeof(m_text));
  if (m_mwin) m_mwin->RenderNeeded();
}

void MWinButton::SetTextLanguageToken(const char *token) {
  EngSafeStrcpy(m_lang_token, token ? token : "", sizeof(m_lang_token));
}

void MWinButton::SetTextColour(const _ColourRGBA *colour) {
  if (colour) m_text_colour = *colour;
}

void MWinButton::SetTextScale(float x, float y) {
  m_text_scale_x = x;
  m_text_scale_y = y;
}

char MWinButton::RenderNoPrepare() { return 1; }

void MWinButton::RenderOnTopOfOtherButtons() {}

void MWinButton::NewLanguageSet() {}

void MWinButton::UpdateButtonsTextStylesFromFontStyleID(const char *id) { (void)id; }

char MWinButton::CopyFromOtherButton(MWinButton *source, char flag) {
  (void)flag;
  if (!source) return 0;
  m_orig_area = source->m_orig_area;
  m_enabled = source->m_enabled;
  m_shown = source->m_shown;
  MWinCopyID(m_back_texbut_id, source->m_back_texbut_id);
  EngSafeStrcpy(m_text, source->m_text, sizeof(m_text));
  EngSafeStrcpy(m_lang_token, source->m_lang_token, sizeof(m_lang_token));
  UpdateActualArea();
  return 1;
}

void MWinButton::TextEditTurnOnEditing(char mode) {
  if (m_type == MWIN_BUTTON_TEXT_EDIT) m_editing = mode ? 1 : 0;
}

void MWinButton::TextEditTurnOffEditing(char accepted) {
  (void)accepted;
  m_editing = 0;
}

void MWinButton::ListOpen() {
  if (m_type == MWIN_BUTTON_LIST) m_list_open = 1;
}

void MWinButton::ListClose(char take, char call) {
  (void)take;
  (void)call;
  m_list_open = 0;
}
