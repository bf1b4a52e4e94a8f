// One screen's (or one popup's) set of windows, held in one list per screen layout of which
// the collection's layout picks the list in use. Decides the active window, routes input to
// it, ticks and draws its windows in order, and owns every window of all five lists.
#pragma once

#include "Engine/EngDevice.h"
#include "Engine/EngLayouts.h"
#include "Engine/EngMathTypes.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinTypes.h"

struct _MWinWindowCreateInfo;

class MWinCollection {
 public:
  MWinCollection(MWin *mwin, const char *id, MWinDesktop *desktop);
  ~MWinCollection();
  MWinCollection(const MWinCollection &) = delete;
  MWinCollection &operator=(const MWinCollection &) = delete;

  const char *GetID() const { return m_id; }
  char IsActive() const { return m_active; }
  // Taken out of the desktop (see MWin::Discard).
  void MarkRemoved() {
    m_removed = 1;
    m_active = 0;
  }
  char IsRemoved() const { return m_removed; }
  void Activate();
  void Deactivate();
  void SetScreenLayout(_EngLayout layout);
  _EngLayout GetScreenLayout();

  // Windows of the current layout's list.
  MWinWindow *AddWindow(const char *id, _MWinWindowCreateInfo *info);
  MWinWindow *GetWindowFromID(const char *id, char report);
  char RemoveWindow(MWinWindow *window);
  void RemoveAllWindows();
  MWinWindow *GetActiveWindow();
  int GetNumWindows();
  MWinWindow *GetNthWindow(int n);
  MWinWindow *GetFirstWindow(_EngLayout layout);
  MWinButton *GetButtonFromIDs(const char *window, const char *button, char report);
  MWinButton *GetButtonFromIDs(const char *window, const char *button) { return GetButtonFromIDs(window, button, 1); }
  char HasModalWindow() const { return m_has_modal_window; }
  void SetEscapeWindow(MWinWindow *window) { m_escape_window = window; }
  MWinWindow *GetEscapeWindow() { return m_escape_window; }

  // Areas and viewport.
  char SetOverallAreaToSizeOfFirstWindow();
  char SetOverallAreaToSizeOfNthWindow(int n);
  char IsOverallAreaSet() const { return m_overall_area_set; }
  const _Dimension *GetOverallArea() const { return &m_overall_area; }
  void SetViewportRatioed(int x, int y, int w, int h, char below_menu);
  void SetViewportRatioed(const _Dimension *area, char below_menu);
  void CollectionSetAutoResizeFlag(char on);
  char IsCollectionAutoResizeOn() const { return m_auto_resize; }

  // Background texture.
  char SetBackgroundTextureFilename(const char *file, char flag1, char flag2, char flag3);
  char CreateBgTexture();
  void DestroyBgTexture();
  char CreateGraphicsObjects();
  void DestroyGraphicsObjects();
  void RenderTexture(EngTexture *texture, float x, float y, float w, float h);

  // Input and frame (MWinCollectionInput.cpp for the input).
  void DisableInput() { m_input_enabled = 0; }
  void EnableInput() { m_input_enabled = 1; }
  void SetKeyDownHook(char (*hook)(int, void *), void *user);
  char Tick();
  void Render();
  void WindowsChanged();
  void ActivateWindowUnderMouse();
  char HandleMouseMove();
  char HandleButtonPressed(char button, char state, char flag);
  char HandleMouseButtonDoubleClicked(char button);
  char HandleMouseWheel(int delta);
  char HandleKeyDown(int key);
  char HandleKeyDownUChar(unsigned char c);
  char HandleKeyUp(int key);

  // The desktop keeps its list through these.
  MWinCollection *m_next = nullptr;
  MWinCollection *m_prev = nullptr;

 private:
  // The current list's head, or null after reporting a layout outside 0..4.
  MWinWindow **CurrentList(const char *signature, char fall_back_to_desktop);
  // Removing hands each window to the root; the destructor deletes them with itself.
  void DeleteWindowList(MWinWindow **head, char removing);
  MWinWindow *GetWindowUnderMouse();
  void ClearButtonsOf(MWinWindow *window);

  char m_active = 0;
  char m_bg_file[256] = {0};
  char m_bg_flags[3] = {0, 0, 0};
  EngTexture *m_bg_texture = nullptr;  // owned
  char m_input_enabled = 0;
  _EngLayout m_layout = ENG_LAYOUT_DESKTOP;
  char m_layout_set = 0;
  char m_has_modal_window = 0;
  char m_darken_behind_modal = 0;
  char (*m_key_down_hook)(int, void *) = nullptr;
  void *m_key_down_hook_user = nullptr;
  MWin *m_mwin;
  MWinDesktop *m_desktop;
  MWinID m_id = {0};
  MWinWindow *m_windows[ENG_NUM_LAYOUTS] = {nullptr, nullptr, nullptr, nullptr, nullptr};
  char m_viewport_on = 0;
  _EngDeviceViewport m_viewport = {0, 0, ENG_DESIGN_WIDTH, ENG_DESIGN_HEIGHT, 0.0f, 1.0f};
  _EngDeviceViewport m_viewport_ratioed = {0, 0, ENG_DESIGN_WIDTH, ENG_DESIGN_HEIGHT, 0.0f, 1.0f};
  char m_overall_area_set = 0;
  _Dimension m_overall_area = {0, 0, ENG_DESIGN_WIDTH, ENG_DESIGN_HEIGHT};
  char m_auto_resize = 1;
  EngInt32 m_user_value = 0;
  MWinWindow *m_escape_window = nullptr;
  char m_removed = 0;
};
