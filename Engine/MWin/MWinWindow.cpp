#include "Engine/MWin/MWinWindow.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinID.h"

MWinWindow::MWinWindow(MWin *mwin, const char *id, MWinCollection *collection, _MWinWindowCreateInfo *info)
    : m_mwin(mwin), m_collection(collection) {
  DebugAssert(mwin ? 1 : 0, "MWinWindow::MWinWindow", "No mw");
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
  float virtual_w = 640, virtual_h = 480;
  GetVirtualSize(&virtual_w, &virtual_h);
  if (info->width < 0) info->width = 100;
  if (info->height < 0) info->height = 100;
  if (info->x == -9999.0f) info->x = 0.5f * virtual_w - 0.5f * info->width;
  if (info->y == -9999.0f) info->y = 0.5f * virtual_h - 0.5f * info->height;
  m_info = *info;
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
  SetOrigPos(m_info.x, m_info.y, m_info.width, m_info.height);
  m_active = 0;
  m_shown = 1;
  m_created = 1;
}

MWinWindow::~MWinWindow() {
  while (m_last_group) {
    MWinGroup *group = m_last_group;
    m_last_group = group->m_prev;
    if (m_last_group) m_last_group->m_next = nullptr;
    delete group;
  }
  m_first_group = nullptr;
  DestroyGraphicsObjects();
  m_created = 0;
  m_escape_button = m_default_button = nullptr;
  m_controller = nullptr;
}

void MWinWindow::SetType(_MWinWindowType type) {
  m_type = type;
  if (m_collection) m_collection->WindowsChanged();
}

void MWinWindow::GetVirtualSize(float *w, float *h) {
  if (!m_mwin) {
    DebugErrorAlt(ENG_FUNC, "No mwin");
    if (w) *w = 640;
    if (h) *h = 480;
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

void MWinWindow::SetOrigPos(float x, float y) {
  m_orig_area.x = x;
  m_orig_area.y = y;
  m_actual_area.x = m_auto_resize ? MWinApplyWidescreenRatioToXPos(x, m_orig_area.width) : x;
  m_actual_area.y = m_auto_resize ? MWinApplyNarrowscreenRatioToYPos(y, m_orig_area.height) : y;
  for (MWinGroup *g = m_first_group; g; g = g->m_next) g->UpdateButtonsActualAreas();
  UpdateTitleBar(0);
}

void MWinWindow::GetOrigPos(float *x, float *y, float *w, float *h) {
  if (x) *x = m_orig_area.x;
  if (y) *y = m_orig_area.y;
  if (w) *w = m_orig_area.width;
  if (h) *h = m_orig_area.height;
}

void MWinWindow::Show(char show) {
  if (show) {
    m_shown = 1;
  } else {
    m_shown = 0;
    m_active = 0;
  }
  if (m_collection) m_collection->WindowsChanged();
}

void MWinWindow::Hide() { Show(0); }

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

char MWinWindow::RemoveButton(MWinButton *button) {
  if (!button || !button->GetGroup()) return 0;
  return button->GetGroup()->RemoveButton(button);
}

void MWinWindow::RemoveAllButtons() {
  for (MWinGroup *g = m_first_group; g; g = g->m_next) g->RemoveAllButtons();
  while (m_last_group && m_last_group != m_first_group) {
    MWinGroup *group = m_last_group;
    m_last_group = group->m_prev;
    m_last_group->m_next = nullptr;
    delete group;
  }
}

int MWinWindow::GetNumButtons() {
  int count = 0;
  for (MWinGroup *g = m_first_group; g; g = g->m_next) count += g->GetNumButtons();
  return count;
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
  for (MWinGroup *g = m_first_group; g; g = g->m_next)
    for (MWinButton *b = g->m_first; b; b = b->m_next)
      if (MWinAreIDsTheSame(b->GetID(), id)) return b;
  if (report)
    DebugErrorAlt(ENG_FUNC, "Button <%s> not found in window <%s> of collection <%s>", id, MWinDisplayID(m_id),
                  m_collection ? MWinDisplayID(m_collection->GetID()) : "(none)");
  return nullptr;
}

void MWinWindow::UpdateTitleBar(char skip_buttons) {
  MWinLayoutSettings *layout = m_mwin ? m_mwin->GetLayoutSettings(m_collection ? m_collection->GetScreenLayout()
                                                                              : m_mwin->GetScreenLayout())
                                      : nullptr;
  if (m_info.has_title_bar && layout)
    m_title_area = {0, -layout->title_bar_height, m_actual_area.width, layout->title_bar_height};
  else
    m_title_area = {0, 0, 0, 0};
  m_client_area = {0, 0, m_actual_area.width, m_actual_area.height};
  if (!skip_buttons) UpdateHideAndExtraButtons(0, 0, 0);
}

void MWinWindow::UpdateHideAndExtraButtons(char renew_hide, char renew_extra, char flag) {
  (void)renew_hide;
  (void)renew_extra;
  (void)flag;
}

void MWinWindow::NewLanguageSet() {
  for (MWinGroup *g = m_first_group; g; g = g->m_next) g->NewLanguageSet();
}

void MWinWindow::SetEscapeButton(MWinButton *button) {
  m_escape_button = button;
  if (m_collection) m_collection->SetEscapeWindow(this);
}

void MWinWindow::SetEmptyPressCB(char (*callback)(MWinWindow *, void *), void *user) {
  m_empty_press_cb = callback;
  m_empty_press_user = user;
}

void MWinWindow::SetController(MWinCollectionController *controller) {
  m_controller = controller;
  m_use_controller = 1;
}

MWinCollectionController *MWinWindow::GetController(char check) {
  if (check) DebugAssert((m_use_controller && m_controller) ? 1 : 0, "MWinWindow::GetController", "%s", "");
  return m_use_controller ? m_controller : nullptr;
}

MWinButton *MWinWindow::GetActiveButton() {
  static const char *kSignature = "MWinButton *MWinWindow::GetActiveButton()";
  if (!m_shown || !m_last_group) return nullptr;
  for (MWinGroup *g = m_last_group; g; g = g->m_prev) {
    if (g->m_valid != 1) {
      DebugErrorAlt(kSignature, "Group not created ok.");
      return nullptr;
    }
    if (g->m_prev && g->m_prev->m_next != g) {
      DebugErrorAlt(kSignature, "Group pointers not ok.");
      return nullptr;
    }
    if (!g->m_shown) continue;
    for (MWinButton *b = g->m_last; b; b = b->m_prev) {
      if (!b->IsValid()) {
        DebugErrorAlt(kSignature, "Button not created ok.");
        return nullptr;
      }
      if (b->m_prev && b->m_prev->m_next != b) {
        DebugErrorAlt(kSignature, "Button pointers not ok.");
        return nullptr;
      }
      if (b->IsActive()) return b;
    }
  }
  return nullptr;
}

char MWinWindow::KeepFocusOnMouseMove() {
  MWinButton *active = GetActiveButton();
  return (active && active->KeepFocusOnMouseMove()) ? 1 : 0;
}

char MWinWindow::IsMouseCursorInWindow() {
  if (!m_mwin) return 0;
  _Dimension area = m_actual_area;
  if (m_info.has_title_bar) {
    float title = -m_title_area.y;
    area.y -= title;
    area.height += title;
  }
  return m_mwin->IsMouseViewportCursorInArea(&area);
}

char MWinWindow::IsButtonUnderMouse(MWinButton *button) {
  return m_mwin->IsMouseViewportCursorInArea(button->GetActualArea());
}

char MWinWindow::Activate() {
  m_active = 1;
  return HandleMouseMove();
}

char MWinWindow::ActivateButtonUnderMouse() { return HandleMouseMove(); }

char MWinWindow::Deactivate() {
  m_active = 0;
  return 1;
}

char MWinWindow::HandleMouseMove() {
  if (!m_mwin) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (!m_shown || !GetScreenLayout()) return 0;
  MWinButton *active = GetActiveButton();
  if (active && active->KeepFocusOnMouseMove()) {
    active->HandleMouseMove();
    return 1;
  }
  MWinButton *found = nullptr;
  char newly_activated = 0;
  for (MWinGroup *g = m_last_group; g; g = g->m_prev) {
    if (!g->m_shown) continue;
    for (MWinButton *b = g->m_last; b; b = b->m_prev) {
      if (!found && b->IsShown() && IsButtonUnderMouse(b)) {
        found = b;
        if (!b->IsActive()) {
          b->Activate();
          newly_activated = 1;
          if (!IS_MOBILE && b->IsEnabled() && b->IsATabStop()) m_mwin->PlaySound(MWIN_SOUND_ONTO_BUTTON);
        }
        continue;
      }
      if (b->IsActive())
        b->Deactivate();
      else
        b->SetPressed(0);
    }
  }
  if (newly_activated) return 0;
  active = GetActiveButton();
  if (!active) return 0;
  active->HandleMouseMove();
  return 1;
}

char MWinWindow::HandleButtonPressed(char button, char pressed, char flag, char synthetic) {
  (void)synthetic;
  if (!m_mwin) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (!m_shown) return 0;
  if (!m_created || !m_collection) return 0;
  MWinButton *active = GetActiveButton();
  if (!pressed && active) return active->HandleMouseButtonPressed(button, 0, flag);
  if (active && active->KeepFocusOnMouseMove()) return active->HandleMouseButtonPressed(button, pressed, flag);
  if (MWinIsIDEmpty(m_id)) return 0;
  for (MWinGroup *g = m_last_group; g; g = g->m_prev) {
    if (!g->m_shown) continue;
    for (MWinButton *b = g->m_last; b; b = b->m_prev)
      if (b->IsShown() && IsButtonUnderMouse(b)) return b->HandleMouseButtonPressed(button, pressed, flag);
  }
  if (!(pressed && button == 0)) return 0;
  if (m_empty_press_cb) return m_empty_press_cb(this, m_empty_press_user);
  return 0;
}

// The widgets in input order: later groups and later widgets first.
#define FOR_WIDGETS_LAST_FIRST(b)                             \
  for (MWinGroup *g = m_last_group; g; g = g->m_prev)         \
    if (g->m_shown)                                           \
      for (MWinButton *b = g->m_last; b; b = b->m_prev)

char MWinWindow::HandleMouseButtonDoubleClicked(char button) {
  if (!m_shown || !m_first_group) return 0;
  FOR_WIDGETS_LAST_FIRST(b) {
    if (b->IsActive()) return b->HandleMouseButtonDoubleClicked(button);
  }
  return 0;
}

char MWinWindow::HandleMouseWheel(int delta) {
  if (!m_shown) return 0;
  FOR_WIDGETS_LAST_FIRST(b) {
    if (b->IsActive()) return b->HandleMouseWheel(delta);
  }
  return 0;
}

char MWinWindow::HandleMouseButtonPressCanceled() {
  MWinButton *active = GetActiveButton();
  if (active) active->HandleMouseButtonPressCanceled();
  return 1;
}

// Esc and Enter fire their buttons through the queue, outside the key handler.
static char FireKeyButton(MWinWindow *window, MWin *mwin, MWinButton *target, int key) {
  if (!target || !target->IsShown() || !target->IsEnabled() || mwin->IsTextBeingEdited()) return 0;
  MWinButton *active = window->GetActiveButton();
  if (active && active->ListIsOpen()) return 0;
  eng_key_down[key] = 0;
  window->SendButtonCallCallbackMessage(target, 1);
  return 1;
}

char MWinWindow::HandleKeyDown(int key) {
  if (!m_shown || eng_key_down[231] > 1) return 0;
  if (key == 27 && FireKeyButton(this, m_mwin, m_escape_button, 27)) return 1;
  if (key == 13 && FireKeyButton(this, m_mwin, m_default_button, 13)) return 1;
  if (key == 9) return 0;
  FOR_WIDGETS_LAST_FIRST(b) {
    if (b->GetMWin() != m_mwin || !m_mwin->IsOn()) break;
    if (b->IsActive()) {
      if (b->HandleKeyDown(key)) return 1;
      goto widgets_done;
    }
  }
widgets_done:
  if (m_key_down_cb) return m_key_down_cb(key, this);
  return 0;
}

char MWinWindow::HandleKeyDownUChar(unsigned char c) {
  if (!m_shown) return 0;
  FOR_WIDGETS_LAST_FIRST(b) {
    if (b->GetMWin() != m_mwin || !m_mwin->IsOn()) break;
    if (b->IsActive()) return b->HandleKeyDownUChar(c);
  }
  return 0;
}

char MWinWindow::HandleKeyUp(int key) {
  if (!m_shown) return 0;
  FOR_WIDGETS_LAST_FIRST(b) {
    if (b->GetMWin() != m_mwin || !m_mwin->IsOn()) break;
    if (b->IsActive()) return b->HandleKeyUp(key);
  }
  return 0;
}

#undef FOR_WIDGETS_LAST_FIRST

char MWinWindow::SendButtonCallCallbackMessage(MWinButton *button, char report) {
  if (!button || button->GetWindow() != this || !m_collection) {
    DebugErrorAlt(ENG_FUNC, "Invalid button");
    return 0;
  }
  if (!button->IsShown()) {
    if (report) DebugErrorAlt(ENG_FUNC, "Button [%s] is not shown.", MWinDisplayID(button->GetID()));
    return 0;
  }
  if (!button->IsEnabled()) return 0;
  return m_mwin->AddMessageToQueue(m_collection->GetID(), m_id, button->GetID(), MWIN_MSG_CALL_CALLBACK);
}

char MWinWindow::CreateGraphicsObjects() {
  char ok = 1;
  for (MWinGroup *g = m_first_group; g; g = g->m_next)
    if (!g->CreateGraphicsObjects()) ok = 0;
  return ok;
}

void MWinWindow::DestroyGraphicsObjects() {
  for (MWinGroup *g = m_first_group; g; g = g->m_next) g->DestroyGraphicsObjects();
}

char MWinWindow::Tick() {
  if (!m_shown) return 0;
  char any = 0;
  for (MWinGroup *g = m_first_group; g; g = g->m_next)
    for (MWinButton *b = g->m_first; b; b = b->m_next)
      if (b->IsEnabled() && b->Tick()) any = 1;
  return any;
}

char MWinWindow::Render() {
  if (!m_created || !m_collection || !m_mwin || !m_shown) return 1;
  if (!GetScreenLayout()) return 0;
  for (MWinGroup *g = m_first_group; g; g = g->m_next) g->Render();
  return 1;
}
