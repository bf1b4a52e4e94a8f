// The collection's side of input: choosing the active window and handing it the event.
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinWindow.h"

void MWinCollection::ClearButtonsOf(MWinWindow *window) {
  for (MWinGroup *g = window->GetFirstGroup(); g; g = g->m_next)
    for (MWinButton *b = g->m_first; b; b = b->m_next) {
      b->SetPressed(0);
      if (!b->IsActive()) continue;
      // Ending an edit or a scrollbar's notify may remove the window or change screen.
      b->Deactivate();
      if (window->IsGone()) return;
    }
}

MWinWindow *MWinCollection::GetWindowUnderMouse() {
  MWinWindow *under = nullptr;
  for (MWinWindow *w = *CurrentList(nullptr, 1); w; w = w->m_next) {
    if (!w->IsShown() || (m_has_modal_window && w->GetType() != MWIN_WINDOW_MODAL)) continue;
    if (w->IsMouseCursorInWindow()) under = w;
  }
  return under;
}

char MWinCollection::HandleMouseMove() {
  MWinEntryScope scope(m_mwin);
  if (!m_input_enabled) return 0;
  MWinWindow *head = *CurrentList(nullptr, 1);
  MWinWindow *was_active = GetActiveWindow();
  if (was_active && was_active->ExtraSizeScrollbarsHandleMouseMove()) return 1;
  if (m_mwin->GetSettings()->activate_window_under_mouse &&
      (!was_active || (!was_active->KeepFocusOnMouseMove() && !was_active->TookPress()))) {
    MWinWindow *under = GetWindowUnderMouse();
    for (MWinWindow *w = head; w; w = w->m_next)
      if (w != under && w->IsActive()) w->Deactivate();
    if (under && !under->IsActive()) under->Activate();
    if (m_removed) return 1;
  }
  MWinWindow *active = GetActiveWindow();
  if (was_active && was_active != active) ClearButtonsOf(was_active);
  if (m_removed) return 1;
  if (m_has_modal_window) {
    if (active && active->GetType() == MWIN_WINDOW_MODAL) return active->HandleMouseMove();
    if (active) active->Deactivate();
    for (MWinWindow *w = head; w; w = w->m_next)
      if (w->GetType() == MWIN_WINDOW_MODAL) {
        w->Activate();
        return w->HandleMouseMove();
      }
    return 0;
  }
  return active ? active->HandleMouseMove() : 0;
}

char MWinCollection::HandleButtonPressed(char button, char state, char flag) {
  MWinEntryScope scope(m_mwin);
  MWinWindow *head = *CurrentList(nullptr, 1);
  if (!m_input_enabled || !head) return 0;
  if (m_overall_area_set && !m_mwin->IsMouseViewportCursorInArea(&m_overall_area)) return 0;
  MWinWindow *active = GetActiveWindow();
  if (active && active->IsMouseCursorInWindow() &&
      (!m_has_modal_window || active->GetType() == MWIN_WINDOW_MODAL))
    return active->HandleButtonPressed(button, state, flag, 0);
  // A drag that left its window still ends with its release.
  if (active && !state && active->KeepFocusOnMouseMove()) return active->HandleButtonPressed(button, state, flag, 0);
  // A press beside a popup is nobody's: the popup keeps its focus, and one click on it later
  // presses its button.
  const char popup = m_mwin->PopupIsOn() && m_mwin->GetPopupCollection() == this;
  if (popup && !GetWindowUnderMouse()) return 1;
  if (active) {
    if (active->TookPress()) {
      active->SetTookPress(0);
      return 1;
    }
    ClearButtonsOf(active);
    if (m_removed || active->IsGone()) return 1;
  }
  if (button != 0 || state != 1) return 0;
  if (active && active->GetType() != MWIN_WINDOW_MODAL) active->Deactivate();
  // The press only chooses the window; it is not delivered to it.
  for (MWinWindow *w = head; w; w = w->m_next) {
    if (!w->IsShown() || (m_has_modal_window && w->GetType() != MWIN_WINDOW_MODAL)) continue;
    if (!w->IsMouseCursorInWindow()) continue;
    if (active && active != w && active->IsActive()) active->Deactivate();
    if (!w->IsActive()) w->Activate();
    if (popup && !m_removed && !w->IsGone()) return w->HandleButtonPressed(button, state, flag, 0);
    return 1;
  }
  return 0;
}

char MWinCollection::HandleMouseButtonDoubleClicked(char button) {
  MWinEntryScope scope(m_mwin);
  if (!m_input_enabled) return 0;
  MWinWindow *active = GetActiveWindow();
  if (!*CurrentList(nullptr, 1) || !active) return 1;
  return active->HandleMouseButtonDoubleClicked(button);
}

char MWinCollection::HandleMouseWheel(int delta) {
  MWinEntryScope scope(m_mwin);
  if (!m_input_enabled) return 0;
  MWinWindow *active = GetActiveWindow();
  return active ? active->HandleMouseWheel(delta) : 0;
}

char MWinCollection::HandleKeyDown(int key) {
  MWinEntryScope scope(m_mwin);
  if (!m_mwin) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (!m_input_enabled) return 0;
  if (m_key_down_hook) {
    MWin *mwin = m_mwin;
    MWinID id;
    MWinCopyID(id, m_id);
    if (m_key_down_hook(key, m_key_down_hook_user)) return 1;
    // The hook may have removed this collection (or the whole screen): then it is done.
    if (!mwin->IsOn() || mwin->GetCollectionFromID(id, 0) != this) return 1;
  }
  MWinWindow *active = GetActiveWindow();
  if (key == 27 && m_escape_window) {
    MWinButton *escape = m_escape_window->GetEscapeButton();
    MWinButton *active_button = active ? active->GetActiveButton() : nullptr;
    if (escape && escape->IsShown() && !m_mwin->IsTextBeingEdited() && !(active_button && active_button->ListIsOpen())) {
      eng_key_down[27] = 0;
      m_escape_window->SendButtonCallCallbackMessage(escape, 1);
      return 1;
    }
  }
  return active ? active->HandleKeyDown(key) : 0;
}

char MWinCollection::HandleKeyDownUChar(unsigned char c) {
  MWinEntryScope scope(m_mwin);
  if (!m_input_enabled) return 0;
  MWinWindow *active = GetActiveWindow();
  return active ? active->HandleKeyDownUChar(c) : 0;
}

char MWinCollection::HandleKeyUp(int key) {
  MWinEntryScope scope(m_mwin);
  if (!m_input_enabled) return 0;
  MWinWindow *active = GetActiveWindow();
  return active ? active->HandleKeyUp(key) : 0;
}
