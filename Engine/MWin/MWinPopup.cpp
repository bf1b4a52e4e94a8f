// The root's popups: opening one over the screens (darkening and disabling them), the kinds of
// popup, closing with or without the result callback, the auto-close timer, and the blocking
// notices that draw and pump the window's events while they wait.
#include <cstdarg>
#include <cstdio>

#include "Engine/EngDebug.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMain.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMenu.h"
#include "Engine/EngMisc.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinPanel.h"
#include "Engine/MWin/MWinTextEdit.h"
#include "Engine/MWin/MWinTextEntryMobile.h"
#include "Engine/MWin/MWinWindow.h"

static const char *const kPopupCollection = "MWIN_POPUP";
static const char *const kPopupWindow = "MWIN_POPUP_WIN";

static int OrientationIndex() { return EngMainIsOrientationPortraitOrPortraitUpsideDown() ? 0 : 1; }

// ---- Opening and closing ----

char MWin::PopupCreateCollection() {
  if (!IsOn()) {
    DebugErrorAlt(ENG_FUNC, "MWin is not on");
    return 0;
  }
  if (m_popup.on) {
    DebugErrorAlt(ENG_FUNC, "Popup already on");
    return 0;
  }
  if (!m_desktop) {
    DebugErrorAlt(ENG_FUNC, "No desktop");
    return 0;
  }
  m_popup.active_collections.clear();
  m_popup.active_windows.clear();
  for (MWinCollection *c = m_desktop->GetFirstCollection(); c; c = c->m_next) {
    if (c->IsActive()) m_popup.active_collections.push_back(c->GetID());
    for (MWinWindow *w = c->GetFirstWindow(c->GetScreenLayout()); w; w = w->m_next)
      if (w->IsActive()) m_popup.active_windows.emplace_back(c->GetID(), w->GetID());
    c->Deactivate();
  }
  if (m_popup.dont_darken_next) {
    m_desktop->SetDarken(0, 0.5f);
    m_popup.dont_darken_next = 0;
  } else {
    m_desktop->SetDarken(1, 0.5f);
  }
  m_popup.collection = m_desktop->AddCollection(kPopupCollection);
  if (!m_popup.collection) {
    DebugErrorAlt(ENG_FUNC, "Could not create new collection");
    PopupCloseCollection();
    return 0;
  }
  m_popup.collection->Activate();
  return 1;
}

char MWin::PopupCompleteSetup(MWIN_POPUP_CALLBACK callback, void *user) {
  if (m_popup.saved_activate_collection != -1)
    DebugErrorAlt(ENG_FUNC, "Internal Error (mwp_save_mouse_over_collections)");
  m_popup.saved_activate_collection = m_settings.activate_collection_under_mouse;
  m_settings.activate_collection_under_mouse = 0;
  m_popup.callback = callback;
  m_popup.user = user;
  m_popup.on = 1;
  if (EngMenuIsEnabled()) {
    EngMenuDisable();
    m_popup.menu_disabled = 1;
  }
  ButtonsChanged();
  return 1;
}

// Also undoes a set-up that failed half way, which never saved the activation setting.
char MWin::PopupCloseCollection() {
  if (!m_desktop) {
    DebugErrorAlt(ENG_FUNC, "No desktop");
    return 0;
  }
  if (m_desktop->GetCollectionFromID(kPopupCollection, 0)) m_desktop->RemoveCollection(kPopupCollection);
  m_popup.collection = nullptr;
  m_popup.window = nullptr;
  m_popup.msg = m_popup.ok = m_popup.cancel = m_popup.no = m_popup.extra = m_popup.script = nullptr;
  m_popup.panel = nullptr;
  m_desktop->SetDarken(0, 0.5f);
  if (m_popup.saved_activate_collection == -1) {
    if (m_popup.on) DebugErrorAlt(ENG_FUNC, "Internal Error (mwp_save_mouse_over_collections)");
  } else {
    m_settings.activate_collection_under_mouse = m_popup.saved_activate_collection;
  }
  m_popup.saved_activate_collection = -1;
  if (m_popup.menu_disabled == 1) EngMenuEnable();
  m_popup.menu_disabled = -1;
  m_popup.on = 0;
  for (const std::string &id : m_popup.active_collections) {
    MWinCollection *c = m_desktop->GetCollectionFromID(id.c_str(), 0);
    if (c) c->Activate();
  }
  for (const auto &ids : m_popup.active_windows) {
    MWinWindow *w = GetWindowFromIDs(ids.first.c_str(), ids.second.c_str(), 0);
    if (w) w->Activate();
  }
  m_popup.active_collections.clear();
  m_popup.active_windows.clear();
  m_popup.user = nullptr;
  HoldKeyboardFocus();
  MWinTextEntryPopupClosed_Mobile();
  RenderNeeded();
  return 1;
}

// Creates, lays out and completes a popup with buttons only; a failed layout leaves nothing.
static char ShowButtonsPopup(MWin *mwin, const char *title, const char *text, char first, char cancel, char no,
                             char extra, MWIN_POPUP_CALLBACK callback, void *user) {
  if (!mwin->PopupCreateCollection()) return 0;
  if (!mwin->PopupSetupDefaultButtons(title, text, first, cancel, no, extra, 0, 0)) {
    mwin->PopupCloseCollection();
    return 0;
  }
  return mwin->PopupCompleteSetup(callback, user);
}

// ---- The kinds of popup ----

char MWin::PopupMessage(const char *title, const char *text, MWIN_POPUP_CALLBACK callback, void *user) {
  return ShowButtonsPopup(this, title, text, MWIN_POPUP_OK, 0, 0, 0, callback, user);
}

char MWin::PopupMessage(const char *title, const char *text) { return PopupMessage(title, text, nullptr, nullptr); }

char MWin::PopupMessage(const char *text) { return PopupMessage(nullptr, text, nullptr, nullptr); }

char MWin::PopupErrorMessage(const char *title, const char *text, MWIN_POPUP_CALLBACK callback, void *user) {
  if (!title) {
    title = "Error";
    if (EngLanguagesGetNumberOfLanguages() >= 1 && EngLanguagesGetTokenNumForToken("Common_Error", 0) >= 0)
      title = EngLanguagesGetString("Common_Error");
  }
  PopupSetErrorColoursForNextPopup();
  return PopupMessage(title, text, callback, user);
}

char MWin::PopupErrorMessage(const char *title, const char *text) {
  return PopupErrorMessage(title, text, nullptr, nullptr);
}

char MWin::PopupErrorMessage(const char *text) { return PopupErrorMessage(nullptr, text, nullptr, nullptr); }

char MWin::PopupMessagePrintf(MWIN_POPUP_CALLBACK callback, void *user, const char *title, const char *format, ...) {
  char *text = static_cast<char *>(EngMalloc(1024, ENG_FUNC, 1));
  if (!text) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  va_list args;
  va_start(args, format);
  if (format)
    vsnprintf(text, 1024, format, args);
  else
    text[0] = 0;
  va_end(args);
  char shown = PopupMessage(title, text, callback, user);
  EngFree(text, 0, ENG_FUNC);
  return shown;
}

char MWin::PopupOkCancel(const char *title, const char *text, MWIN_POPUP_CALLBACK callback, void *user) {
  return ShowButtonsPopup(this, title, text, MWIN_POPUP_OK, MWIN_POPUP_CANCEL, 0, 0, callback, user);
}

char MWin::PopupYesNo(const char *title, const char *text, MWIN_POPUP_CALLBACK callback, void *user) {
  return ShowButtonsPopup(this, title, text, MWIN_POPUP_YES, MWIN_POPUP_NO, 0, 0, callback, user);
}

char MWin::PopupYesNoCancel(const char *title, const char *text, MWIN_POPUP_CALLBACK callback, void *user) {
  return ShowButtonsPopup(this, title, text, MWIN_POPUP_YES, MWIN_POPUP_CANCEL, 1, 0, callback, user);
}

char MWin::PopupYesNoCancelExtra(const char *title, const char *text, MWIN_POPUP_CALLBACK callback, void *user) {
  return ShowButtonsPopup(this, title, text, MWIN_POPUP_YES, MWIN_POPUP_CANCEL, 1, 1, callback, user);
}

char MWin::PopupNotice(const char *title, const char *text) {
  return ShowButtonsPopup(this, title, text, 0, 0, 0, 0, nullptr, nullptr);
}

// Enter in the text field ends editing with status 1, which presses OK through the queue.
static void MWinPopupGetTextCallback(MWin *mwin, _MWinButtonCallbackInfo *info, int a, int b) {
  (void)a;
  (void)b;
  if (!info || info->text_edit_status != 1) return;
  MWinButton *ok = mwin->GetPopupState()->ok;
  if (ok && ok->GetWindow()) ok->GetWindow()->SendButtonCallCallbackMessage(ok, 1);
}

char MWin::PopupGetText(const char *title, const char *text, char *buffer, int max_length,
                        MWIN_POPUP_CALLBACK callback, void *user) {
  if (!buffer) {
    DebugErrorAlt(ENG_FUNC, "No text var.");
    return 0;
  }
  if (max_length <= 0) {
    DebugErrorAlt(ENG_FUNC, "No max len.");
    return 0;
  }
  if (IS_MOBILE) return PopupGetText_Mobile(title, text, buffer, max_length, callback, user);
  if (!PopupCreateCollection()) return 0;
  const float button_h = m_popup.button_h[OrientationIndex()];
  if (!PopupSetupDefaultButtons(title, text, MWIN_POPUP_OK, MWIN_POPUP_CANCEL, 0, 0, 0, 2 * button_h)) {
    PopupCloseCollection();
    return 0;
  }
  float window_w = 0;
  m_popup.window->GetOrigPos(nullptr, nullptr, &window_w, nullptr);
  float y = 20;
  if (text && text[0]) y += button_h;
  if (!title) y -= 10;
  auto *edit = dynamic_cast<MWinTextEdit *>(m_popup.window->AddButton(
      "TEXTEDIT", MWIN_BUTTON_TEXT_EDIT, m_popup.ids[3], buffer, -1, y, window_w - 40, button_h));
  if (!DebugCheckOkAlt(edit ? 1 : 0, ENG_FUNC, "Could not create text edit")) {
    PopupCloseCollection();
    return 0;
  }
  PopupSetupButton(edit);
  edit->SetCallback(MWinPopupGetTextCallback, 0, 0, 0);
  edit->TextEditRegisterStringVariable(buffer, max_length);
  PopupCompleteSetup(callback, user);
  edit->TextEditMoveCursorToButtonAndTurnOnEditing();
  return 1;
}

// A double-click or Enter on the list presses OK; any other change reports the selection.
static void MWinPopupPanelCallback(MWin *mwin, _MWinButtonCallbackInfo *info, int a, int b) {
  (void)a;
  (void)b;
  _MWinPopupState *popup = mwin->GetPopupState();
  if (info && info->panel_reason == 1 && popup->ok && popup->ok->GetWindow()) {
    popup->ok->GetWindow()->SendButtonCallCallbackMessage(popup->ok, 1);
    return;
  }
  if (popup->sel_callback && popup->panel) popup->sel_callback(mwin, popup->panel->PanelGetPos(), popup->user);
}

char MWin::PopupPanel(const char *title, const char *text, int count, int per_page, float width, float height,
                      MWIN_STR_CB strings, char first_kind, MWIN_POPUP_INT_P *selection,
                      MWIN_POPUP_SEL_CB sel_callback, MWIN_POPUP_CALLBACK callback, void *user) {
  if (!selection || !*selection) {
    DebugErrorAlt(ENG_FUNC, "No panel sel val");
    return 0;
  }
  if (!PopupCreateCollection()) return 0;
  const int o = OrientationIndex();
  const float min_w = m_popup.min_box_w[o];
  m_popup.min_box_w[o] = width + 10;
  char ok = PopupSetupDefaultButtons(title, text, first_kind, MWIN_POPUP_CANCEL, 0, 0, 0, height + 10);
  m_popup.min_box_w[o] = min_w;
  MWinPanel *panel = nullptr;
  if (ok) {
    panel = dynamic_cast<MWinPanel *>(
        m_popup.window->AddButton("PANEL", MWIN_BUTTON_PANEL, m_popup.ids[3], nullptr, -1, 10, width, height));
    ok = DebugCheckOkAlt(panel ? 1 : 0, ENG_FUNC, "Could not create panel");
  }
  if (!ok) {
    PopupCloseCollection();
    return 0;
  }
  panel->SetBackTexButToDefault();
  panel->SetStringsCallbackUser(user);
  panel->SetCallback(MWinPopupPanelCallback, 0, 0, 0);
  panel->PanelSetStringsCallback(count, per_page, strings, nullptr);
  panel->PanelRegisterIntVariable(*selection, 0);
  m_popup.panel = panel;
  m_popup.sel_callback = sel_callback;
  return PopupCompleteSetup(callback, user);
}

char MWin::PopupScript(const char *title, const char *text, const char *rich_text, const char *texbut, float width,
                       float height, char first_kind, char cancel_kind, char no_kind, MWIN_POPUP_CALLBACK callback,
                       void *user) {
  if (!PopupCreateCollection()) return 0;
  const int o = OrientationIndex();
  const float min_w = m_popup.min_box_w[o];
  m_popup.min_box_w[o] = width + 20;
  char ok = PopupSetupDefaultButtons(title, text, first_kind, cancel_kind, no_kind, 0, 20, height + 5);
  m_popup.min_box_w[o] = min_w;
  MWinButton *box = nullptr;
  if (ok) {
    float y = 10;
    if (text && text[0] && m_popup.msg) {
      const _Dimension *msg = m_popup.msg->GetOrigArea();
      y = msg->y + msg->height + 5;
    }
    box = m_popup.window->AddButton("SCRIPT", MWIN_BUTTON_STATIC, texbut && texbut[0] ? texbut : "MWIN_TEXBUT_NONE",
                                    nullptr, -1, y, width, height);
    ok = DebugCheckOkAlt(box ? 1 : 0, ENG_FUNC, "Could not create script button");
  }
  if (!ok) {
    PopupCloseCollection();
    return 0;
  }
  PopupSetupButton(box);
  box->SetTextToMultiline(1);
  box->SetText(rich_text);
  m_popup.script = box;
  return PopupCompleteSetup(callback, user);
}

// ---- Answers ----

void MWin::PopupButtonPressed(char result) {
  MWinEntryScope scope(this);
  MWIN_POPUP_CALLBACK callback = m_popup.callback;
  void *user = m_popup.user;
  if (PopupTurnOff() && callback) callback(this, result, user);
}

void MWinPopupOkCallback(void *mwin) { static_cast<MWin *>(mwin)->PopupButtonPressed(1); }
void MWinPopupNoCallback(void *mwin) { static_cast<MWin *>(mwin)->PopupButtonPressed(2); }
void MWinPopupCancelCallback(void *mwin) { static_cast<MWin *>(mwin)->PopupButtonPressed(0); }
void MWinPopupExtraCallback(void *mwin) { static_cast<MWin *>(mwin)->PopupButtonPressed(3); }

char MWin::PopupTurnOff() {
  if (!m_popup.on) return 0;
  PopupCloseCollection();
  return 1;
}

char MWin::PopupTurnOffAndCallOkCB() {
  MWinEntryScope scope(this);
  if (!m_popup.on) return 0;
  MWIN_POPUP_CALLBACK callback = m_popup.callback;
  void *user = m_popup.user;
  char has_ok = m_popup.ok ? 1 : 0;
  PopupTurnOff();
  if (!has_ok || !callback) return 0;
  callback(this, 1, user);
  return 1;
}

char MWin::PopupTurnOffAndCallCancelOrNoCB() {
  MWinEntryScope scope(this);
  if (!m_popup.on) return 0;
  MWIN_POPUP_CALLBACK callback = m_popup.callback;
  void *user = m_popup.user;
  char result = m_popup.cancel ? 0 : (m_popup.no ? 2 : -1);
  PopupTurnOff();
  if (result < 0 || !callback) return 0;
  callback(this, result, user);
  return 1;
}

char MWin::PopupIsOn() { return m_popup.on; }

MWinCollection *MWin::GetPopupCollection() { return m_popup.collection; }

MWinWindow *MWin::PopupGetWindow() {
  return m_popup.collection ? m_popup.collection->GetWindowFromID(kPopupWindow, 0) : nullptr;
}

void MWin::PopupSetWindowYPos(float y) {
  MWinWindow *window = PopupGetWindow();
  if (!window) return;
  float x = 0, w = 0, h = 0;
  window->GetOrigPos(&x, nullptr, &w, &h);
  window->SetOrigPos(x, y, w, h);
}

void MWin::PopupSetTransparency(float alpha) {
  MWinWindow *window = PopupGetWindow();
  if (!window) return;
  window->SetTransparency(alpha);
  for (int i = 0, n = window->GetNumButtons(); i < n; i++) {
    MWinButton *b = window->GetNthButton(i);
    if (b) b->SetTransparency(alpha);
  }
  RenderNeeded();
}

// ---- Timers and blocking notices ----

void MWin::PopupRemoveMessageAfterTime(double seconds) {
  m_popup.auto_close_time = seconds > 0 ? EngMainUpdateCurrentTime() + seconds : 0;
}

void MWin::PopupTick() {
  MWinEntryScope scope(this);
  if (m_popup.auto_close_time == 0) return;
  if (!m_popup.on) {
    m_popup.auto_close_time = 0;
    return;
  }
  if (eng_main_current_time > m_popup.auto_close_time) {
    m_popup.auto_close_time = 0;
    PopupTurnOff();
  }
}

// One frame of a blocking notice: the desktop keeps hearing from the program while it waits.
static void NoticeFrame() {
  if (eng_main_window) eng_main_window->PumpEvents();
  EngMiscRenderAndSwapBuffers(1, 0);
}

static void NoticeWait(double seconds) {
  double until = EngMainUpdateCurrentTime() + seconds;
  for (double now = eng_main_current_time; now < until; now = EngMainUpdateCurrentTime()) {
    NoticeFrame();
    double left = until - EngMainUpdateCurrentTime();
    EngMiscSleepWithHang(left < 1.0 / 60 ? left : 1.0 / 60);
  }
}

static float Clamp01(double v) { return float(v < 0 ? 0 : (v > 1 ? 1 : v)); }

char MWin::PopupNoticeShowItAndRemoveIt(const char *title, const char *text) {
  if (!PopupNotice(title, text)) return 0;
  NoticeFrame();
  NoticeFrame();
  PopupTurnOff();
  return 1;
}

char MWin::PopupNoticeForTime(const char *title, const char *text, double seconds, char fade) {
  PopupTurnOff();
  if (!PopupNotice(title, text)) return 0;
  if (fade && seconds > 0.2) {
    if (m_desktop) m_desktop->SetDarken(0, 0.5f);
    PopupSetTransparency(0);
    double now = EngMainUpdateCurrentTime();
    double end = now + 0.1;
    while (end > now) {
      PopupSetTransparency(Clamp01(1 - (end - now) / 0.1));
      NoticeFrame();
      now = EngMainUpdateCurrentTime();
    }
    PopupSetTransparency(1);
    NoticeFrame();
    NoticeWait(seconds - 0.2);
    now = EngMainUpdateCurrentTime();
    end = now + 0.1;
    while (end > now) {
      PopupSetTransparency(Clamp01((end - now) / 0.1));
      NoticeFrame();
      now = EngMainUpdateCurrentTime();
    }
  } else {
    NoticeFrame();
    NoticeFrame();
    NoticeWait(seconds);
  }
  PopupTurnOff();
  if (eng_main_program) eng_main_program->EventDrivenLoopDoTimerActionOnNextTick();
  return 1;
}
