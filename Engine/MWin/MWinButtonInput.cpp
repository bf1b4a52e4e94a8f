// The widget's input slots, focus, enabling and hiding, and its callbacks: the window's
// controller or the widget's own, after which the widget is found again before any use.
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinCollectionController.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinTextEdit.h"
#include "Engine/MWin/MWinWindow.h"

MWIN_BUTTON_CB_2 mwin_colour_scrollbars_callback = nullptr;

// ---- Predicates ----

char MWinButton::ShouldHandleMouseButtonPressed(char button, char pressed, char flag) {
  (void)pressed;
  (void)flag;
  if (!m_ready) return 0;
  if (m_active && m_enabled && m_shown) return button == 0 ? 1 : 0;
  m_pressed = 0;
  m_dragging = 0;
  return 0;
}

char MWinButton::ShouldHandleMouseButtonDoubleClicked(char button) {
  return m_ready && m_active && m_shown && m_enabled && button == 0 ? 1 : 0;
}

char MWinButton::ShouldHandleMouseMove() { return m_ready && m_shown ? 1 : 0; }
char MWinButton::ShouldKeepFocusOnMouseMove() { return m_ready && m_active ? 1 : 0; }
char MWinButton::ShouldHandleMouseWheel() { return m_ready && m_active && m_shown ? 1 : 0; }
char MWinButton::ShouldHandleKeyDown() { return m_ready && m_active && m_shown ? 1 : 0; }
char MWinButton::ShouldHandleKeyDownUChar() { return m_ready && m_active && m_shown ? 1 : 0; }
char MWinButton::ShouldHandleKeyUp() { return m_ready && m_active && m_shown ? 1 : 0; }

// ---- Slots ----

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
  if (m_type == MWIN_BUTTON_RANGE) {
    RangeHandleMouseButtonPressed(0, pressed);
    return 1;
  }
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
  // The text edit kind starts editing here when it is built; every other kind calls back.
  if (m_type != MWIN_BUTTON_TEXT_EDIT) CallCallback();
  return 1;
}

char MWinButton::HandleMouseButtonDoubleClicked(char button) {
  if (!ShouldHandleMouseButtonDoubleClicked(button)) return 0;
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
  if (!ShouldHandleMouseMove()) return;
  if (m_dragging) {
    // The panel follows its drags in its own file.
    if (m_type == MWIN_BUTTON_RANGE)
      RangeHandleDragging();
    else if (m_type != MWIN_BUTTON_PANEL)
      m_dragging = 0;
  }
}

char MWinButton::HandleMouseWheel(int delta) {
  if (!ShouldHandleMouseWheel()) return 0;
  if (m_wheel_callback) return m_wheel_callback(delta);
  return 0;
}

char MWinButton::HandleKeyDown(int key) {
  if (!ShouldHandleKeyDown()) return 0;
  MWinWindow *window = m_window;
  MWinGroup *group = m_group;
  char handled = 0;
  if (m_type == MWIN_BUTTON_PUSH || (m_type == MWIN_BUTTON_STATIC && m_pressable_by_keyboard))
    handled = PushButtonHandleKeyDown(key);
  else if (m_type == MWIN_BUTTON_RANGE)
    handled = RangeHandleKeyDown(key);
  // The handler's callback may have removed this button or its window.
  if (handled) return 1;
  if (IsGone() || !IsValid() || m_window != window || m_group != group) return 1;
  return PostHandleKeyDown(key, 0);
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
  if (!ShouldKeepFocusOnMouseMove()) return 0;
  if (m_type == MWIN_BUTTON_PANEL || m_type == MWIN_BUTTON_DRAG || m_type == MWIN_BUTTON_RANGE) return m_dragging;
  return 0;
}

void MWinButton::Activate() {
  if (m_active) return;
  m_active = 1;
  if (m_mwin) m_mwin->RenderNeeded();
}

void MWinButton::Deactivate() {
  if (m_type == MWIN_BUTTON_LIST && m_list_open) ListClose(0, 1);
  if (m_type == MWIN_BUTTON_TEXT_EDIT && m_editing) TextEditTurnOffEditing(0);
  HandleMouseButtonPressCanceled();
  m_dragging = 0;
  if (m_active) {
    m_active = 0;
    if (m_mwin) m_mwin->RenderNeeded();
  }
}

char MWinButton::PushButtonHandleKeyDown(int key) {
  if (key != 13 && key != 32) return 0;
  _MWinButtonCallbackInfo info;
  FillCallbackInfo(&info);
  CallCallback(&info);
  return 1;
}

char MWinButton::PostHandleKeyDown(int key, char handled) {
  if (handled) return 1;
  return m_key_down_callback ? m_key_down_callback(key, this) : 0;
}

// Windows reach a text edit through the widget: the text edit class does the editing.
void MWinButton::TextEditTurnOnEditing(char mode) {
  if (auto *edit = dynamic_cast<MWinTextEdit *>(this)) {
    edit->TextEditTurnOnEditing(mode);
    return;
  }
  if (m_type == MWIN_BUTTON_TEXT_EDIT) m_editing = mode ? 1 : 0;
}

void MWinButton::TextEditTurnOffEditing(char accepted) {
  if (auto *edit = dynamic_cast<MWinTextEdit *>(this)) {
    edit->TextEditTurnOffEditing(accepted);
    return;
  }
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

// ---- Enabling and showing ----

void MWinButton::Enable() {
  static char inside = 0;
  if (m_enabled || inside) return;
  inside = 1;
  m_enabled = 1;
  if (m_shown && m_mwin && m_window && m_mwin->IsMouseViewportCursorInArea(&m_actual_area))
    m_window->HandleMouseMove();
  if (m_mwin) m_mwin->RenderNeeded();
  inside = 0;
}

void MWinButton::Disable() {
  if (!m_enabled) return;
  if (m_active) Deactivate();
  m_enabled = 0;
  if (m_mwin) m_mwin->RenderNeeded();
}

void MWinButton::Hide() {
  if (m_active) Deactivate();
  if (m_shown) {
    m_shown = 0;
    if (m_mwin) m_mwin->RenderNeeded();
  }
}

char MWinButton::IsATabStop() {
  if (!(m_enabled && m_shown) || m_label_only) return 0;
  if (m_type == MWIN_BUTTON_STATIC) return m_pressable_by_keyboard && HasCallback();
  if (m_type == MWIN_BUTTON_FRAME) return 0;
  if (m_type == MWIN_BUTTON_PUSH && !HasCallback()) return 0;
  return 1;
}

// ---- Callbacks ----

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

// What CallCallback keeps before user code runs: nothing of the button is read after the call
// until its ids have found it again and the one found is this very object, valid, with the
// signature and creation serial it had before (a new button may sit at the old address).
struct CallbackKeep {
  MWinID button_id, window_id, collection_id;
  MWin *mwin;
  EngUInt16 signature;
  EngUInt32 serial;
};

static char FoundAgain(const CallbackKeep &keep, MWinButton *self) {
  if (!eng_main_program || !eng_main_window) return 0;
  if (!keep.mwin || !keep.mwin->IsOn()) return 0;
  MWinButton *found = keep.mwin->GetButtonFromIDs(keep.collection_id, keep.window_id, keep.button_id, 0);
  if (!found || found != self) return 0;
  return found->IsValid() && found->GetSignature() == keep.signature && found->GetSerial() == keep.serial ? 1 : 0;
}

char MWinButton::CallCallback(_MWinButtonCallbackInfo *info) {
  CallbackKeep keep;
  MWinCopyID(keep.button_id, m_id);
  keep.window_id[0] = keep.collection_id[0] = 0;
  if (m_window) {
    MWinCopyID(keep.window_id, m_window->GetID());
    if (m_window->GetCollection()) MWinCopyID(keep.collection_id, m_window->GetCollection()->GetID());
  }
  keep.mwin = m_mwin;
  keep.signature = m_signature;
  keep.serial = m_serial;
  _MWinButtonCallbackInfo local;
  MWinCollectionController *controller = m_window ? m_window->GetController(0) : nullptr;
  if (m_type == MWIN_BUTTON_WINDOW_OWN && m_plain_callback_2) controller = nullptr;
  char colour_scrollbar = 0;
  if (controller) {
    if (!info) {
      FillCallbackInfo(&local);
      info = &local;
    }
    MWIN_BUTTON_CB_2 kept_cb_2 = m_callback_2;
    colour_scrollbar = kept_cb_2 && kept_cb_2 == mwin_colour_scrollbars_callback ? 1 : 0;
    // A colour picker's own scrollbar is in no group's list: the picker that owns it is found
    // again instead, and it keeps the bar alive.
    CallbackKeep owner_keep = keep;
    MWinButton *owner = colour_scrollbar ? static_cast<MWinButton *>(m_callback_user) : nullptr;
    if (owner) {
      MWinCopyID(owner_keep.button_id, owner->GetID());
      owner_keep.signature = owner->GetSignature();
      owner_keep.serial = owner->GetSerial();
    }
    char handled = controller->ButtonsCallback(this, info);
    if (!eng_main_program || !eng_main_window) return 0;
    if (owner ? !FoundAgain(owner_keep, owner) : !FoundAgain(keep, this)) return 0;
    if (!colour_scrollbar) {
      if (handled && m_type == MWIN_BUTTON_PUSH) keep.mwin->PlaySound(MWIN_SOUND_PRESS);
      keep.mwin->RenderNeeded();
      return 1;
    }
  }
  if (m_callback) {
    if (!info) {
      FillCallbackInfo(&local);
      info = &local;
    }
    m_callback(keep.mwin, info, m_callback_a, m_callback_b);
  } else if (m_plain_callback) {
    m_plain_callback();
  } else if (m_plain_callback_2) {
    m_plain_callback_2(m_callback_user);
  } else if (m_callback_2) {
    if (!info) {
      FillCallbackInfo(&local);
      info = &local;
    }
    m_callback_2(keep.mwin, info, m_callback_a, m_callback_b, m_callback_user);
  } else {
    return 0;
  }
  if (!FoundAgain(keep, this)) return 0;
  if (m_type == MWIN_BUTTON_PUSH && keep.mwin) keep.mwin->PlaySound(MWIN_SOUND_PRESS);
  keep.mwin->RenderNeeded();
  return 1;
}
