// The window's side of input: which widget gets a move, press, wheel step or key (the last
// drawn first), the title-bar buttons, dragging the window, the escape and default buttons and
// keyboard focus travel with Tab.
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinCollectionController.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinWindow.h"

void MWinMoveCursorToDesignPoint(MWin *mwin, float x, float y) {
  if (eng_main_window) eng_main_window->SetCursorPosRatioed(x, y);
  if (!mwin) return;
  // The toolkit takes window pixels; a warp alone may never come back as a motion event.
  float px = 0, py = 0;
  EngWindowDesignToPixel(x, y, &px, &py);
  mwin->MoveMouse(px, py);
}

// ---- Set-up ----

void MWinWindow::SetEscapeButton(MWinButton *button) {
  m_escape_button = button;
  if (m_collection) m_collection->SetEscapeWindow(this);
}

void MWinWindow::SetHideButtonPlainCallback(void (*callback)(void *), void *user) {
  m_hide_plain_cb = callback;
  m_hide_plain_user = user;
}

void MWinWindow::SetExtraButtonPlainCallback(void (*callback)(void *), void *user) {
  m_extra_plain_cb = callback;
  m_extra_plain_user = user;
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

// ---- Queries ----

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
  // A window or thumb drag follows the pointer even past the window's edge.
  if (m_dragging || m_scrollbar_x.dragging || m_scrollbar_y.dragging) return 1;
  MWinButton *active = GetActiveButton();
  return (active && active->KeepFocusOnMouseMove()) ? 1 : 0;
}

char MWinWindow::IsMouseCursorInWindow() {
  if (!m_mwin) return 0;
  _Dimension area = m_actual_area;
  if (m_info.has_title_bar) {
    area.y -= m_title_area.height;
    area.height += m_title_area.height;
  }
  return m_mwin->IsMouseViewportCursorInArea(&area);
}

char MWinWindow::IsButtonUnderMouse(MWinButton *button) {
  return m_mwin->IsMouseViewportCursorInArea(button->GetActualArea());
}

// The widgets in input order: later groups and later widgets first.
#define FOR_WIDGETS_LAST_FIRST(b)                     \
  for (MWinGroup *g = m_last_group; g; g = g->m_prev) \
    if (g->m_shown)                                   \
      for (MWinButton *b = g->m_last; b; b = b->m_prev)

// ---- Focus and moves ----

char MWinWindow::Activate() {
  MWinEntryScope scope(m_mwin);
  m_active = 1;
  return HandleMouseMove();
}

char MWinWindow::ActivateButtonUnderMouse() { return HandleMouseMove(); }

char MWinWindow::Deactivate() {
  m_active = 0;
  return 1;
}

char MWinWindow::HandleMouseMove() {
  MWinEntryScope scope(m_mwin);
  if (!m_mwin) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  MWinLayoutSettings *layout = m_shown ? GetScreenLayout() : nullptr;
  if (!layout) return 0;
  if (m_dragging) {
    float mouse_x = 0, mouse_y = 0, virtual_w = ENG_DESIGN_WIDTH, virtual_h = ENG_DESIGN_HEIGHT;
    m_mwin->GetMousePos(&mouse_x, &mouse_y);
    GetVirtualSize(&virtual_w, &virtual_h);
    float x = mouse_x - m_drag_start_mouse_x + m_drag_start_window_x;
    float y = mouse_y - m_drag_start_mouse_y + m_drag_start_window_y;
    if (x + m_actual_area.width > virtual_w) x = virtual_w - m_actual_area.width;
    if (y + m_actual_area.height > virtual_h) y = virtual_h - m_actual_area.height;
    if (y < 0) y = 0;
    if (m_info.has_title_bar && y < layout->title_bar_height) y = layout->title_bar_height;
    if (x < 0) x = 0;
    if (x < 0 || y < 0 || x + m_actual_area.width > virtual_w || y + m_actual_area.height > virtual_h) return 1;
    m_actual_area.x = x;
    m_actual_area.y = y;
    for (MWinGroup *g = m_first_group; g; g = g->m_next) g->UpdateButtonsActualAreas();
    UpdateTitleBar(0);
    m_mwin->RenderNeeded();
    return 1;
  }
  MWinButton *active = GetActiveButton();
  if (active && active->KeepFocusOnMouseMove()) {
    active->HandleMouseMove();
    return 1;
  }
  for (MWinButton *own : {m_hide_button, m_extra_button}) {
    if (!own || !own->IsShown() || !own->IsEnabled()) continue;
    if (IsButtonUnderMouse(own))
      own->Activate();
    else if (own->IsActive())
      own->Deactivate();
  }
  MWinButton *found = nullptr;
  char newly_activated = 0;
  FOR_WIDGETS_LAST_FIRST(b) {
    if (!found && b->IsShown() && IsButtonUnderMouse(b)) {
      found = b;
      if (!b->IsActive()) {
        b->Activate();
        newly_activated = 1;
        if (!IS_MOBILE && b->IsEnabled() && b->IsATabStop()) {
          // The program's sound callback may remove this window.
          m_mwin->PlaySound(MWIN_SOUND_ONTO_BUTTON);
          if (IsGone()) return 1;
        }
      }
      continue;
    }
    if (b->IsActive()) {
      b->Deactivate();
      if (IsGone()) return 1;
    } else {
      b->SetPressed(0);
    }
  }
  if (newly_activated) return 0;
  active = GetActiveButton();
  if (!active) return 0;
  active->HandleMouseMove();
  return 1;
}

// ---- Presses ----

char MWinWindow::HandleButtonPressed(char button, char pressed, char flag, char synthetic) {
  MWinEntryScope scope(m_mwin);
  if (!m_mwin) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (!m_shown) return 0;
  if (m_dragging) {
    if (button == 0 && !pressed) m_dragging = 0;
    return 1;
  }
  if (ExtraSizeScrollbarsHandleButtonPressed(button, pressed, 0, synthetic)) return 1;
  if (!m_created || !m_collection) return 0;

  MWinButton *own = nullptr;
  void (*plain_cb)(void *) = nullptr;
  void *plain_user = nullptr;
  if (m_hide_button && m_hide_button->IsShown() && IsButtonUnderMouse(m_hide_button)) {
    own = m_hide_button;
    plain_cb = m_hide_plain_cb;
    plain_user = m_hide_plain_user;
  } else if (m_extra_button && m_extra_button->IsShown() && IsButtonUnderMouse(m_extra_button)) {
    own = m_extra_button;
    plain_cb = m_extra_plain_cb;
    plain_user = m_extra_plain_user;
  }
  if (own) {
    if (pressed || button != 0 || !own->IsActive() || !own->IsEnabled()) return 1;
    MWin *mwin = m_mwin;
    MWinID collection_id, window_id;
    MWinCopyID(collection_id, m_collection->GetID());
    MWinCopyID(window_id, m_id);
    MWinDesktop *desktop = mwin->GetDesktop();
    char taken = 0;
    if (plain_cb) {
      own->SetPlainCallback(plain_cb, plain_user);
      SendButtonCallCallbackMessage(own, 1);
      taken = 1;
    } else if (MWinCollectionController *controller = GetController(0)) {
      _MWinButtonCallbackInfo info;
      own->FillCallbackInfo(&info);
      // The controller may delete this window: nothing of it is touched afterwards.
      taken = controller->ButtonsCallback(own, &info);
    }
    if (mwin->IsOn() && mwin->GetWindowFromIDs(collection_id, window_id, 0) && taken &&
        mwin->GetDesktop() == desktop)
      mwin->PlaySound(MWIN_SOUND_PRESS);
    return 1;
  }

  MWinButton *active = GetActiveButton();
  if (!pressed && active) return active->HandleMouseButtonPressed(button, 0, flag);
  if (active && active->KeepFocusOnMouseMove()) {
    // A press beside a field being edited ends the edit and presses what it hit, in one click.
    if (!(active->IsTextBeingEditing() && !IsButtonUnderMouse(active)))
      return active->HandleMouseButtonPressed(button, pressed, flag);
    active->TextEditTurnOffEditing(0);
    if (IsGone()) return 1;
    HandleMouseMove();
    if (IsGone()) return 1;
  }
  if (MWinIsIDEmpty(m_id)) return 0;
  FOR_WIDGETS_LAST_FIRST(b) {
    if (b->IsShown() && IsButtonUnderMouse(b)) return b->HandleMouseButtonPressed(button, pressed, flag);
    if (b->IsTextBeingEditing()) {
      b->TextEditTurnOffEditing(0);
      if (IsGone()) return 1;
    }
  }
  if (!(pressed && button == 0)) return 0;
  char in_title = 0;
  if (m_info.has_title_bar) {
    _Dimension title = m_title_text_area;
    title.x += m_actual_area.x;
    title.y += m_actual_area.y;
    in_title = m_mwin->IsMouseViewportCursorInArea(&title);
  }
  if (m_info.move_mode == 2 || (m_info.move_mode == 1 && in_title)) {
    m_dragging = 1;
    m_mwin->GetMousePos(&m_drag_start_mouse_x, &m_drag_start_mouse_y);
    m_drag_start_window_x = m_actual_area.x;
    m_drag_start_window_y = m_actual_area.y;
    return 1;
  }
  if (m_empty_press_cb) return m_empty_press_cb(this, m_empty_press_user);
  return 0;
}

char MWinWindow::HandleMouseButtonDoubleClicked(char button) {
  MWinEntryScope scope(m_mwin);
  if (!m_shown || !m_first_group) return 0;
  FOR_WIDGETS_LAST_FIRST(b) {
    if (b->IsActive()) return b->HandleMouseButtonDoubleClicked(button);
  }
  return 0;
}

char MWinWindow::HandleMouseWheel(int delta) {
  MWinEntryScope scope(m_mwin);
  if (!m_shown) return 0;
  FOR_WIDGETS_LAST_FIRST(b) {
    if (b->IsActive()) return b->HandleMouseWheel(delta);
  }
  return ExtraSizeScrollbarsHandleMouseWheel(delta);
}

char MWinWindow::HandleMouseButtonPressCanceled() {
  MWinEntryScope scope(m_mwin);
  MWinButton *active = GetActiveButton();
  if (active) active->HandleMouseButtonPressCanceled();
  m_scrollbar_x.dragging = m_scrollbar_y.dragging = 0;
  m_scrollbar_x.page_direction = m_scrollbar_y.page_direction = 0;
  // A cancelled press never sends its release: a window move would otherwise go on.
  m_dragging = 0;
  return 1;
}

// ---- Keys ----

// Esc and Enter fire their buttons through the queue, outside the key handler.
char MWinWindow::FireKeyButton(MWinButton *target, int key) {
  if (!target || !target->IsShown() || !target->IsEnabled() || m_mwin->IsTextBeingEdited()) return 0;
  MWinButton *active = GetActiveButton();
  if (active && active->ListIsOpen()) return 0;
  eng_key_down[key] = 0;
  // Escape on the hide button must reach its plain callback even before any click put it there.
  if (target == m_hide_button && m_hide_plain_cb) target->SetPlainCallback(m_hide_plain_cb, m_hide_plain_user);
  SendButtonCallCallbackMessage(target, 1);
  return 1;
}

// The kinds that Space or Enter press, change or toggle (a list keeps its rows' keys).
static char IsPressedByKey(MWinButton *b) {
  const _MWinButtonType t = b->GetType();
  return t == MWIN_BUTTON_PUSH || t == MWIN_BUTTON_STATIC || t == MWIN_BUTTON_CHECKBOX || t == MWIN_BUTTON_CHOICE;
}

// A button the player put the focus on answers Enter itself, so Return on a focused Cancel
// cancels; the window's default button answers when the focus is on nothing that Enter presses,
// or is only where a new screen or popup found the pointer.
char MWinWindow::FocusTakesEnter() {
  MWinButton *active = GetActiveButton();
  if (!active || active == m_default_button || m_mwin->IsKeyboardFocusHeld() || m_mwin->IsTextBeingEdited()) return 0;
  const _MWinButtonType t = active->GetType();
  if (t != MWIN_BUTTON_PUSH && t != MWIN_BUTTON_STATIC) return 0;
  return active->IsATabStop();
}

// The next (or previous) tab stop after the active widget along the links, wrapping through
// the groups; with none active the walk sets out from the window's first (or last) widget.
MWinButton *MWinWindow::FindTabStop(char backwards) {
  MWinButton *b = GetActiveButton();
  if (!b) b = backwards ? GetLastButton() : (m_first_group ? m_first_group->m_first : nullptr);
  // With empty end groups, the nearest widget in window order.
  if (!b && backwards) {
    for (MWinGroup *g = m_last_group; g && !b; g = g->m_prev) b = g->m_last;
  } else if (!b) {
    for (MWinGroup *g = m_first_group; g && !b; g = g->m_next) b = g->m_first;
  }
  if (!b) return nullptr;
  MWinGroup *group = b->GetGroup();
  for (int steps = 0; steps < 1000; steps++) {
    b = backwards ? b->m_prev : b->m_next;
    while (!b) {
      if (backwards) {
        group = group->m_prev ? group->m_prev : m_last_group;
        b = group->m_last;
      } else {
        group = group->m_next ? group->m_next : m_first_group;
        b = group->m_first;
      }
      if (++steps >= 1000) break;
    }
    if (b && b->IsATabStop()) return b;
    if (!b) break;
  }
  DebugErrorAlt(ENG_FUNC, backwards ? "Coult not get prev button" : "Could not get next button");
  return nullptr;
}

char MWinWindow::HandleKeyDown(int key) {
  MWinEntryScope scope(m_mwin);
  if (!m_shown || eng_key_down[231] > 1 || !m_mwin) return 0;
  if (key == 27) {
    if (FireKeyButton(m_escape_button, 27)) return 1;
    if (FireKeyButton(m_hide_button, 27)) return 1;
  }
  if (key == 13 && !FocusTakesEnter() && FireKeyButton(m_default_button, 13)) return 1;
  if (key != 9) {
    FOR_WIDGETS_LAST_FIRST(b) {
      if (b->GetMWin() != m_mwin || !m_mwin->IsOn()) break;
      if (b->IsActive()) {
        if ((key == 13 || key == 32) && m_mwin->IsKeyboardFocusHeld() && IsPressedByKey(b)) goto widgets_done;
        if (b->HandleKeyDown(key)) return 1;
        goto widgets_done;
      }
    }
  widgets_done:
    if (m_key_down_cb) return m_key_down_cb(key, this);
    return 0;
  }
  MWinButton *found = FindTabStop(eng_key_down[228] ? 1 : 0);
  if (!found) return 0;
  m_mwin->ReleaseKeyboardFocus();
  MWinButton *active = GetActiveButton();
  // Ending the edit and the move onto the next stop both run callbacks, which may remove the
  // window, the stop or the whole screen.
  if (active && active->GetType() == MWIN_BUTTON_TEXT_EDIT && active->IsTextBeingEditing()) {
    active->TextEditTurnOffEditing(0);
    if (IsGone() || found->IsGone()) return 1;
  }
  const _Dimension area = *found->GetActualArea();
  MWinMoveCursorToDesignPoint(m_mwin, area.x + 0.5f * area.width, area.y + 0.5f * area.height);
  if (IsGone() || found->IsGone()) return 1;
  if (found->GetType() == MWIN_BUTTON_TEXT_EDIT) found->TextEditTurnOnEditing(1);
  return 1;
}

char MWinWindow::HandleKeyDownUChar(unsigned char c) {
  MWinEntryScope scope(m_mwin);
  if (!m_shown) return 0;
  FOR_WIDGETS_LAST_FIRST(b) {
    if (b->GetMWin() != m_mwin || !m_mwin->IsOn()) break;
    if (b->IsActive()) return b->HandleKeyDownUChar(c);
  }
  return 0;
}

char MWinWindow::HandleKeyUp(int key) {
  MWinEntryScope scope(m_mwin);
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
