#include "Engine/MWin/MWinCollection.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDim.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMenu.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinTextureLoad.h"
#include "Engine/MWin/MWinWindow.h"

MWinCollection::MWinCollection(MWin *mwin, const char *id, MWinDesktop *desktop) : m_mwin(mwin), m_desktop(desktop) {
  if (!mwin) DebugExitPopup("MWinCollection", "Internal Error (MWinCollection)");
  MWinCopyID(m_id, id ? id : "");
  Deactivate();
  m_input_enabled = 1;
}

MWinCollection::~MWinCollection() {
  // Every layout's windows belong to the collection, not only the current layout's.
  for (MWinWindow *&head : m_windows) DeleteWindowList(&head, 0);
  DestroyGraphicsObjects();
  m_next = m_prev = nullptr;
  m_escape_window = nullptr;
}

MWinWindow **MWinCollection::CurrentList(const char *signature, char fall_back_to_desktop) {
  if (m_layout >= 0 && m_layout < ENG_NUM_LAYOUTS) return &m_windows[m_layout];
  if (signature) DebugErrorAlt(signature, "Invalid screen layout %d", int(m_layout));
  return fall_back_to_desktop ? &m_windows[ENG_LAYOUT_DESKTOP] : nullptr;
}

void MWinCollection::DeleteWindowList(MWinWindow **head, char removing) {
  MWinWindow *last = *head;
  while (last && last->m_next) last = last->m_next;
  while (last) {
    MWinWindow *prev = last->m_prev;
    if (m_escape_window == last) m_escape_window = nullptr;
    if (prev) prev->m_next = nullptr;
    if (removing)
      m_mwin->Discard(last);
    else
      delete last;
    last = prev;
  }
  *head = nullptr;
}

void MWinCollection::Activate() {
  CurrentList(ENG_FUNC, 1);
  for (MWinCollection *c = m_prev; c; c = c->m_prev) c->Deactivate();
  for (MWinCollection *c = m_next; c; c = c->m_next) c->Deactivate();
  m_active = 1;
}

void MWinCollection::Deactivate() {
  for (MWinWindow *w = *CurrentList(ENG_FUNC, 1); w; w = w->m_next) w->Deactivate();
  m_active = 0;
}

void MWinCollection::SetScreenLayout(_EngLayout layout) {
  MWinEntryScope scope(m_mwin);
  char was_active = m_active;
  if (was_active) Deactivate();
  m_layout = layout;
  m_layout_set = 1;
  if (was_active) Activate();
}

_EngLayout MWinCollection::GetScreenLayout() {
  if (m_layout_set) return m_layout;
  return m_mwin ? m_mwin->GetScreenLayout() : ENG_LAYOUT_DESKTOP;
}

MWinWindow *MWinCollection::AddWindow(const char *id, _MWinWindowCreateInfo *info) {
  MWinEntryScope scope(m_mwin);
  if (GetWindowFromID(id, 0)) DebugErrorAlt(ENG_FUNC, "Window with id [%s] already exists.", MWinDisplayID(id));
  MWinWindow *window = new MWinWindow(m_mwin, id, this, info);
  WindowsChanged();
  MWinWindow **head = CurrentList(nullptr, 1);
  MWinWindow *last = nullptr;
  for (MWinWindow *w = *head; w; w = w->m_next) {
    w->Deactivate();
    last = w;
  }
  window->m_prev = last;
  window->m_next = nullptr;
  if (last)
    last->m_next = window;
  else
    *head = window;
  window->Deactivate();
  WindowsChanged();
  window->Activate();
  return window;
}

MWinWindow *MWinCollection::GetWindowFromID(const char *id, char report) {
  if (MWinIsIDEmpty(id)) {
    if (report) DebugErrorAlt(ENG_FUNC, "No Window ID");
    return nullptr;
  }
  for (MWinWindow *w = *CurrentList(nullptr, 1); w; w = w->m_next)
    if (MWinAreIDsTheSame(w->GetID(), id)) return w;
  if (report) DebugErrorAlt(ENG_FUNC, "Window <%s> not found in collection <%s>", id, MWinDisplayID(m_id));
  return nullptr;
}

char MWinCollection::RemoveWindow(MWinWindow *window) {
  MWinEntryScope scope(m_mwin);
  MWinWindow **head = CurrentList(nullptr, 1);
  if (!window || !*head) return 0;
  MWinWindow *w = *head;
  while (w && w != window) w = w->m_next;
  if (!w) {
    DebugErrorAlt(ENG_FUNC, "Window <%s> not in collection <%s>", MWinDisplayID(window->GetID()), MWinDisplayID(m_id));
    return 0;
  }
  if (window->m_prev)
    window->m_prev->m_next = window->m_next;
  else
    *head = window->m_next;
  if (window->m_next) window->m_next->m_prev = window->m_prev;
  if (m_escape_window == window) m_escape_window = nullptr;
  m_mwin->Discard(window);
  WindowsChanged();
  return 1;
}

void MWinCollection::RemoveAllWindows() {
  MWinEntryScope scope(m_mwin);
  MWinWindow **head = CurrentList(ENG_FUNC, 0);
  if (!head) return;
  DeleteWindowList(head, 1);
  WindowsChanged();
}

MWinWindow *MWinCollection::GetActiveWindow() {
  for (MWinWindow *w = *CurrentList(nullptr, 1); w; w = w->m_next)
    if (w->IsActive()) return w;
  return nullptr;
}

int MWinCollection::GetNumWindows() {
  int count = 0;
  for (MWinWindow *w = *CurrentList(nullptr, 1); w; w = w->m_next) count++;
  return count;
}

MWinWindow *MWinCollection::GetNthWindow(int n) {
  MWinWindow *head = *CurrentList(nullptr, 1);
  int i = 0;
  for (MWinWindow *w = head; w; w = w->m_next, i++)
    if (i == n) return w;
  if (head) DebugErrorAlt(ENG_FUNC, "No %d'th window found.", n);
  return nullptr;
}

MWinWindow *MWinCollection::GetFirstWindow(_EngLayout layout) {
  return (layout >= 0 && layout < ENG_NUM_LAYOUTS) ? m_windows[layout] : nullptr;
}

MWinButton *MWinCollection::GetButtonFromIDs(const char *window, const char *button, char report) {
  MWinWindow *w = GetWindowFromID(window, report);
  return w ? w->GetButtonFromID(button, report) : nullptr;
}

char MWinCollection::SetOverallAreaToSizeOfFirstWindow() {
  MWinWindow *first = *CurrentList(nullptr, 1);
  if (!first) return 0;
  m_overall_area = *first->GetActualAreaReal();
  m_overall_area_set = 1;
  return 1;
}

char MWinCollection::SetOverallAreaToSizeOfNthWindow(int n) {
  MWinWindow *w = GetNthWindow(n);
  if (!w) {
    DebugErrorAlt(ENG_FUNC, "No window.");
    return 0;
  }
  m_overall_area = *w->GetActualAreaReal();
  m_overall_area_set = 1;
  return 1;
}

void MWinCollection::SetViewportRatioed(int x, int y, int w, int h, char below_menu) {
  if (!eng_main_device) return;
  if (below_menu && EngMenuIsShown()) {
    int bar = int(EngMenuGetMenuBarHeight());
    y += bar;
    h -= bar;
  }
  if (w < 1 || h < 1) return;
  m_viewport_on = 1;
  EngDeviceSetViewportStructToSizeRatioed(&m_viewport_ratioed, x, y, w, h);
  EngDeviceSetViewportStructToSize(&m_viewport, x, y, w, h);
  m_overall_area = {float(x), float(y), float(w), float(h)};
  m_overall_area_set = 1;
}

void MWinCollection::SetViewportRatioed(const _Dimension *area, char below_menu) {
  if (!area)
    SetViewportRatioed(0, 0, ENG_DESIGN_WIDTH, ENG_DESIGN_HEIGHT, below_menu);
  else
    SetViewportRatioed(int(area->x), int(area->y), int(area->width), int(area->height), below_menu);
}

void MWinCollection::CollectionSetAutoResizeFlag(char on) {
  m_auto_resize = on;
  MWinWindow *current = *CurrentList(nullptr, 1);
  for (MWinWindow *head : m_windows)
    for (MWinWindow *w = head; w; w = w->m_next) {
      w->UpdateAutoResizeFlag();
      if (head == current) w->UpdateTitleBar(0);
    }
}

char MWinCollection::SetBackgroundTextureFilename(const char *file, char flag1, char flag2, char flag3) {
  char previous[256];
  EngSafeStrcpy(previous, m_bg_file, sizeof(previous));
  m_bg_file[0] = 0;
  if (!file || !file[0]) {
    DestroyBgTexture();
    return 1;
  }
  if (strlen(file) >= sizeof(m_bg_file)) {
    DebugErrorAlt(ENG_FUNC, "Filename too long");
    DestroyBgTexture();
    return 0;
  }
  if (!EngFileExists(file, 0)) {
    DebugErrorAlt(ENG_FUNC, "File does not exist <%s>", file);
    DestroyBgTexture();
    return 0;
  }
  if (strcmp(previous, file) == 0) {
    EngSafeStrcpy(m_bg_file, previous, sizeof(m_bg_file));
    return 1;
  }
  EngSafeStrcpy(m_bg_file, file, sizeof(m_bg_file));
  m_bg_flags[0] = flag1;
  m_bg_flags[1] = flag2;
  m_bg_flags[2] = flag3;
  if (m_mwin && m_mwin->IsOn()) CreateBgTexture();
  return 1;
}

char MWinCollection::CreateBgTexture() {
  DestroyBgTexture();
  if (!m_bg_file[0]) return 1;
  m_bg_texture = MWinLoadTextureRatioed(m_bg_file, m_bg_flags[0], m_bg_flags[1], m_mwin->GetTextureFileType());
  if (!m_bg_texture) {
    DebugErrorAlt(ENG_FUNC, "Could not load bg texture file <%s>", m_bg_file);
    m_bg_file[0] = 0;
    return 0;
  }
  return 1;
}

void MWinCollection::DestroyBgTexture() { MWinReleaseTexture(&m_bg_texture); }

char MWinCollection::CreateGraphicsObjects() {
  char ok = CreateBgTexture();
  for (MWinWindow *w = *CurrentList(nullptr, 1); w; w = w->m_next)
    if (!w->CreateGraphicsObjects()) ok = 0;
  return ok;
}

void MWinCollection::DestroyGraphicsObjects() {
  DestroyBgTexture();
  for (MWinWindow *w = *CurrentList(nullptr, 1); w; w = w->m_next) w->DestroyGraphicsObjects();
}

void MWinCollection::RenderTexture(EngTexture *texture, float x, float y, float w, float h) {
  if (texture) MWinDrawTextureRatioed(texture, x, y, w, h);
}

void MWinCollection::SetKeyDownHook(char (*hook)(int, void *), void *user) {
  m_key_down_hook = hook;
  m_key_down_hook_user = user;
}

char MWinCollection::Tick() {
  MWinEntryScope scope(m_mwin);
  char any = 0;
  for (MWinWindow *w = *CurrentList(nullptr, 1); w; w = w->m_next)
    if (w->IsActive() && w->Tick()) any = 1;
  return any;
}

void MWinCollection::Render() {
  MWinWindow *head = *CurrentList(nullptr, 1);
  if (!eng_main_device || !head) return;
  char was_full_screen = 1;
  _EngDeviceViewport saved = {0, 0, 0, 0, 0.0f, 1.0f};
  if (m_viewport_on) {
    was_full_screen = eng_main_device->IsViewportFullScreen();
    if (!was_full_screen) eng_main_device->GetCurrentViewport(&saved);
    eng_main_device->SetViewportToViewportStruct(&m_viewport_ratioed);
  }
  if (m_bg_texture) MWinDrawTextureRatioed(m_bg_texture, 0, 0, ENG_DESIGN_WIDTH, ENG_DESIGN_HEIGHT);
  // Inactive windows first, so the active one is drawn on top; modal windows after all others.
  for (char modal = 0; modal < 2; modal++) {
    if (modal) {
      if (!m_has_modal_window) break;
      if (m_darken_behind_modal) EngDimDarkenScreen(0.5f);
    }
    for (char active = 0; active < 2; active++)
      for (MWinWindow *w = head; w; w = w->m_next)
        if ((w->GetType() == MWIN_WINDOW_MODAL) == (modal == 1) && w->IsActive() == active && (active || w->IsShown()))
          w->Render();
    if (modal && m_darken_behind_modal) EngDimDarkenScreen(0.0f);
  }
  if (m_viewport_on) {
    if (was_full_screen)
      eng_main_device->SetViewportFullScreen();
    else
      eng_main_device->SetViewportToViewportStruct(&saved);
  }
}

void MWinCollection::WindowsChanged() {
  MWinEntryScope scope(m_mwin);
  MWinWindow **list = CurrentList(ENG_FUNC, 0);
  if (!list) return;
  MWinWindow *head = *list;
  MWinWindow *was_active = GetActiveWindow();
  m_has_modal_window = 0;
  for (MWinWindow *w = head; w; w = w->m_next) {
    w->UpdateTitleBar(0);
    w->UpdateHideAndExtraButtons(1, 1, 0);
    if (w->GetType() == MWIN_WINDOW_MODAL && w->IsShown()) m_has_modal_window = 1;
  }
  if (m_has_modal_window) {
    char deactivated = 0;
    for (MWinWindow *w = head; w; w = w->m_next)
      if (w->GetType() != MWIN_WINDOW_MODAL && w->IsActive() && w->IsShown()) {
        w->Deactivate();
        deactivated = 1;
      }
    if (!GetActiveWindow() || deactivated)
      for (MWinWindow *w = head; w; w = w->m_next)
        if (w->GetType() == MWIN_WINDOW_MODAL && w->IsShown() && !w->IsActive()) {
          w->Activate();
          break;
        }
    return;
  }
  if (!GetActiveWindow() || (was_active && was_active->GetType() == MWIN_WINDOW_MODAL)) ActivateWindowUnderMouse();
}

void MWinCollection::ActivateWindowUnderMouse() {
  MWinEntryScope scope(m_mwin);
  _MWinSettings *settings = m_mwin->GetSettings();
  char setting = settings->activate_window_under_mouse;
  settings->activate_window_under_mouse = 1;
  HandleMouseMove();
  settings->activate_window_under_mouse = setting;
  // Hover callbacks may have removed this collection.
  if (m_removed || GetActiveWindow()) return;
  MWinWindow *head = *CurrentList(nullptr, 1);
  if (!setting && m_active && head && !head->m_next) head->Activate();
}
