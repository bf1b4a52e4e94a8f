// The root's side of input: the entry points, the cursor in design units and in the active
// viewport, the hit tests, the look-ups by ids and the one-slot message queue.
#include "Engine/MWin/MWin.h"

#include <cmath>

#include "Engine/EngDebug.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngMenu.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinWindow.h"

char MWin::MoveMouse(int x, int y) { return MoveMouse(float(x), float(y)); }

// Far beyond any screen, yet small enough that every pixel and design-unit sum stays an int.
static const float kMWinFarthestPointer = 1e6f;

char MWin::MoveMouse(float x, float y) {
  MWinEntryScope scope(this);
  // A position that is no number is no move; a far one is held at the bound, as converting it
  // to an int would be undefined.
  if (std::isnan(x) || std::isnan(y)) return 0;
  x = std::fmax(-kMWinFarthestPointer, std::fmin(x, kMWinFarthestPointer));
  y = std::fmax(-kMWinFarthestPointer, std::fmin(y, kMWinFarthestPointer));
  if (EngMenuMouseMove(int(x), int(y))) return 1;
  if (!m_desktop) {
    DebugErrorAlt("char MWin::MouseMove()", "No desktop");
    return 0;
  }
  EngMainChangeMousePosRatioedForOrientation(x, y, &m_mouse_x, &m_mouse_y);
  // The echo of a pointer warp (Tab's) comes back rounded to whole pixels, late: that is no move.
  if (m_focus_held && (fabsf(m_mouse_x - m_held_mouse_x) > 2.0f || fabsf(m_mouse_y - m_held_mouse_y) > 2.0f))
    m_focus_held = 0;
  UpdateViewportMousePos();
  return m_desktop->HandleMouseMove();
}

char MWin::ButtonPressed(char button, char state, char flag) {
  MWinEntryScope scope(this);
  if (EngMenuMousePress(button, state)) return 1;
  if (!m_desktop) {
    DebugErrorAlt("char MWin::ButtonPressed()", "No desktop");
    return 0;
  }
  return m_desktop->HandleButtonPressed(button, state, flag);
}

char MWin::ButtonDoubleClicked(char button) {
  MWinEntryScope scope(this);
  if (!m_desktop) {
    DebugErrorAlt("char MWin::ButtonDoubleClicked()", "No desktop");
    return 0;
  }
  return m_desktop->HandleMouseButtonDoubleClicked(button);
}

char MWin::MouseWheelMoved(int steps) {
  MWinEntryScope scope(this);
  if (!m_desktop) {
    DebugErrorAlt("char MWin::MouseWheelMoved()", "No desktop");
    return 0;
  }
  return m_desktop->HandleMouseWheel(steps);
}

char MWin::KeyDown(int key) {
  MWinEntryScope scope(this);
  if (!m_allow_keyboard_input) return 0;
  if (!m_desktop) {
    DebugErrorAlt("char MWin::KeyDown()", "No desktop");
    return 0;
  }
  m_swallow_char = 0;
  char used = m_desktop->HandleKeyDown(key);
  // Its character event follows the key-down.
  if (used && key >= 32 && key < 127) m_swallow_char = 1;
  return used;
}

char MWin::KeyUp(int key) {
  MWinEntryScope scope(this);
  if (!m_allow_keyboard_input) return 0;
  if (!m_desktop) {
    DebugErrorAlt("char MWin::KeyUp()", "No desktop");
    return 0;
  }
  return m_desktop->HandleKeyUp(key);
}

char MWin::KeyDownUChar(unsigned char c) {
  MWinEntryScope scope(this);
  if (!m_allow_keyboard_input) return 0;
  if (!m_desktop) {
    DebugErrorAlt("char MWin::KeyDownChar()", "No desktop");
    return 0;
  }
  if (m_swallow_char) {
    m_swallow_char = 0;
    if (c >= 32 && c != 127) return 1;
  }
  return m_desktop->HandleKeyDownUChar(c);
}

void MWin::HoldKeyboardFocus() {
  m_focus_held = 1;
  m_held_mouse_x = m_mouse_x;
  m_held_mouse_y = m_mouse_y;
}

char MWin::ProcessInput(_EngDesktopInputType type, EngInputParm1 p1, EngInputParm2 p2) {
  MWinEntryScope scope(this);
  if (!IsOn() || !m_allow_input) return 0;
  switch (int(type)) {
    case 1: return MoveMouse(EngInputParmToFloat(p1), EngInputParmToFloat(p2));
    case 2: return ButtonPressed(char(p1), char(p2), 0);
    case 3: return ButtonDoubleClicked(char(p1));
    case 4: return MouseWheelMoved(p1);
    case 5: return KeyDown(p1);
    case 6: return KeyUp(p1);
    case 7: return KeyDownUChar((unsigned char)(p1 & 0xFF));
    default: return 0;
  }
}

void MWin::WindowDeactivated() { CancelMouseButtonDown(); }

void MWin::CancelMouseButtonDown() {
  MWinEntryScope scope(this);
  MWinWindow *window = m_desktop ? m_desktop->GetActiveWindow() : nullptr;
  if (window) window->HandleMouseButtonPressCanceled();
}

char MWin::IsTextBeingEdited() {
  if (!m_desktop) return 0;
  for (MWinCollection *c = m_desktop->GetFirstCollection(); c; c = c->m_next) {
    if (!c->IsActive()) continue;
    for (MWinWindow *w = c->GetFirstWindow(c->GetScreenLayout()); w; w = w->m_next) {
      if (!w->IsActive()) continue;
      MWinButton *button = w->GetActiveButton();
      if (button && button->IsTextBeingEditing()) return 1;
    }
  }
  return 0;
}

char MWin::GetMousePos(float *x, float *y) {
  if (!IsOn()) {
    DebugErrorAlt(ENG_FUNC, "Not On");
    return 0;
  }
  if (x) *x = m_mouse_x;
  if (y) *y = m_mouse_y;
  return 1;
}

void MWin::UpdateViewportMousePos() {
  if (m_viewport_active) {
    m_viewport_mouse_x = (m_mouse_x - float(m_active_viewport.x)) * ENG_DESIGN_WIDTH / float(m_active_viewport.width);
    m_viewport_mouse_y = (m_mouse_y - float(m_active_viewport.y)) * ENG_DESIGN_HEIGHT / float(m_active_viewport.height);
    return;
  }
  m_viewport_mouse_x = m_mouse_x;
  m_viewport_mouse_y = m_mouse_y;
  float bar = EngMenuIsShown() ? EngMenuGetMenuBarHeight() : 0.0f;
  if (bar > 0) m_viewport_mouse_y = (m_mouse_y - bar) * ENG_DESIGN_HEIGHT / (ENG_DESIGN_HEIGHT - bar);
}

void MWin::SetCurrentActiveViewport(const _EngDeviceViewport *viewport) {
  if (!viewport) {
    m_viewport_active = 0;
  } else if (viewport->width >= 1 && viewport->height >= 1) {
    m_active_viewport = *viewport;
    m_viewport_active = 1;
  }
  UpdateViewportMousePos();
}

// Left and top edges inside, right and bottom edges outside.
static char PointInArea(float px, float py, const _Dimension *area, const _Dimension *offset) {
  if (!area) return 0;
  float x = area->x + (offset ? offset->x : 0.0f);
  float y = area->y + (offset ? offset->y : 0.0f);
  return (px >= x && px < x + area->width && py >= y && py < y + area->height) ? 1 : 0;
}

char MWin::IsMouseViewportCursorInArea(const _Dimension *area, const _Dimension *offset) {
  return PointInArea(m_viewport_mouse_x, m_viewport_mouse_y, area, offset);
}

char MWin::IsMouseScreenCursorInArea(const _Dimension *area, const _Dimension *offset) {
  return PointInArea(m_mouse_x, m_mouse_y, area, offset);
}

char MWin::IsMouseCursorInViewport(const _EngDeviceViewport *viewport) {
  if (!viewport) return 0;
  _Dimension area = {float(viewport->x), float(viewport->y), float(viewport->width), float(viewport->height)};
  return PointInArea(m_mouse_x, m_mouse_y, &area, nullptr);
}

MWinCollection *MWin::GetCollectionFromID(const char *collection, char report) {
  if (!m_desktop) {
    if (report) DebugErrorAlt(ENG_FUNC, "No desktop");
    return nullptr;
  }
  return m_desktop->GetCollectionFromID(collection, report);
}

MWinWindow *MWin::GetWindowFromIDs(const char *collection, const char *window, char report) {
  MWinCollection *c = GetCollectionFromID(collection, report);
  if (!c) return nullptr;
  if (MWinIsIDEmpty(window)) {
    if (report) DebugErrorAlt(ENG_FUNC, "No Window ID");
    return nullptr;
  }
  return c->GetWindowFromID(window, report);
}

MWinButton *MWin::GetButtonFromIDs(const char *collection, const char *window, const char *button, char report) {
  MWinWindow *w = GetWindowFromIDs(collection, window, report);
  if (!w) return nullptr;
  if (MWinIsIDEmpty(button)) {
    if (report) DebugErrorAlt(ENG_FUNC, "No Button ID");
    return nullptr;
  }
  return w->GetButtonFromID(button, report);
}

char MWin::SetButtonCallback(const char *collection, const char *window, const char *button, MWIN_BUTTON_CB callback,
                             int a, int b) {
  MWinButton *found = GetButtonFromIDs(collection, window, button, 1);
  if (!found) {
    DebugErrorAlt(ENG_FUNC, "Could not find button %s:%s", MWinDisplayID(window), MWinDisplayID(button));
    return 0;
  }
  return found->SetCallback(callback, a, b, 1);
}

char MWin::AddMessageToQueue(const char *collection, const char *window, const char *button, _MWinMessageNum num) {
  if (MWinIsIDEmpty(collection) || MWinIsIDEmpty(window) || MWinIsIDEmpty(button)) {
    DebugErrorAlt(ENG_FUNC, "ID(s) invalid");
    return 0;
  }
  if (m_message_count > 0) {
    DebugErrorAlt(ENG_FUNC, "Queue not empty");
    return 0;
  }
  if (!MWinCopyID(m_queued_collection, collection) || !MWinCopyID(m_queued_window, window) ||
      !MWinCopyID(m_queued_button, button))
    return 0;
  m_queued_num = num;
  m_message_count = 1;
  return 1;
}

char MWin::ProcessQueueMessages() {
  MWinEntryScope scope(this);
  if (m_message_count < 1) return 0;
  if (m_message_count != 1) DebugErrorAlt(ENG_FUNC, "Num messages != 1");
  MWinButton *button = GetButtonFromIDs(m_queued_collection, m_queued_window, m_queued_button, 1);
  if (!button) {
    DebugErrorAlt(ENG_FUNC, "mwinp->GetButtonFromIDs() failed [%s, %s, %s]", m_queued_collection, m_queued_window,
                  m_queued_button);
    m_message_count = 0;
    return 0;
  }
  if (m_queued_num == MWIN_MSG_CALL_CALLBACK) button->CallCallback();
  m_message_count = 0;
  return 1;
}

void MWin::RemoveAnyQueuedMessagesForButton(MWinButton *button, MWinWindow *window, MWinCollection *collection) {
  if (!button || !window || !collection) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  MWinButton *found = GetButtonFromIDs(collection->GetID(), window->GetID(), button->GetID(), 0);
  if (!found) return;
  if (found == button) {
    if (m_message_count > 0 && GetButtonFromIDs(m_queued_collection, m_queued_window, m_queued_button, 1) == button)
      m_message_count = 0;
    return;
  }
  for (MWinGroup *g = window->GetFirstGroup(); g; g = g->m_next)
    for (MWinButton *b = g->m_first; b; b = b->m_next)
      DebugInfo("(%s) [w:%s] [b:%s]", MWinDisplayID(button->GetID()), MWinDisplayID(window->GetID()),
                MWinDisplayID(b->GetID()));
  DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
}
