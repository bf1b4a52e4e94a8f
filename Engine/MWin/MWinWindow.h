// One rectangular window of a collection: its groups of widgets, its area in design units,
// focus and visibility, and the routing of its collection's input to its widgets (the last
// drawn first). Title bars, skins and scrolling are built on this by their own files.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTypes.h"

struct _MWinWindowCreateInfo {
  EngInt32 window_type;
  float x, y, width, height;  // -9999 centres on that axis; a negative size becomes 100
  EngInt32 move_mode;
  char has_hide_button;
  char has_extra_button;
  char has_title_bar;
  char title_text[256];
  MWinID title_texbut;
  MWinID back_texbut;
  MWinID title_font;
  char hide_button_text[32];
  MWinID hide_button_texbut;
  char extra_button_text[32];
  MWinID extra_button_texbut;
  char title_lang_token[64];
  char hide_button_lang_token[64];
  char extra_button_lang_token[64];
};

class MWinWindow {
 public:
  MWinWindow(MWin *mwin, const char *id, MWinCollection *collection, _MWinWindowCreateInfo *info);
  ~MWinWindow();
  MWinWindow(const MWinWindow &) = delete;
  MWinWindow &operator=(const MWinWindow &) = delete;

  _MWinWindowType GetType() const { return _MWinWindowType(m_type); }
  void SetType(_MWinWindowType type);
  const char *GetID() const { return m_id; }
  MWinCollection *GetCollection() const { return m_collection; }
  char IsActive() const { return m_active; }
  char IsShown() const { return m_shown; }
  char HasTitleBar() const { return m_info.has_title_bar; }
  char TookPress() const { return m_scroller_took_press; }
  void SetTookPress(char took) { m_scroller_took_press = took; }

  // Position and size.
  void SetOrigPos(float x, float y, float w, float h);
  void SetOrigPos(float x, float y);
  void GetOrigPos(float *x, float *y, float *w, float *h);
  _Dimension *GetOrigArea() { return &m_orig_area; }
  // The area after the widescreen corrections, where the window is drawn and hit.
  const _Dimension *GetActualAreaReal() const { return &m_actual_area; }
  float GetVirtualOffsetX() const { return m_virtual_offset_x; }
  float GetVirtualOffsetY() const { return m_virtual_offset_y; }
  void GetVirtualSize(float *w, float *h);
  MWinLayoutSettings *GetScreenLayout();
  void UpdateAutoResizeFlag();
  float GetAutoResizeScaleX();
  float GetAutoResizeScaleY();
  void Show(char show);
  void Hide();

  // Buttons.
  MWinButton *AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text, float x,
                        float y, float w, float h);
  MWinButton *AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text, float x,
                        float y, float w, float h, MWIN_BUTTON_CB callback, int a, int b);
  MWinButton *AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text, float x,
                        float y, float w, float h, MWIN_BUTTON_PLAIN_CB callback);
  char RemoveButton(MWinButton *button);
  void RemoveAllButtons();
  int GetNumButtons();
  MWinButton *GetFirstButton();
  MWinButton *GetLastButton();
  MWinButton *GetNextButton(const MWinButton *button);
  MWinButton *GetPrevButton(const MWinButton *button);
  MWinButton *GetButtonFromID(const char *id, char report);
  MWinButton *GetButtonFromID(const char *id) { return GetButtonFromID(id, 1); }
  MWinGroup *GetFirstGroup() { return m_first_group; }

  // Title bar and its buttons.
  void UpdateTitleBar(char skip_buttons);
  void UpdateHideAndExtraButtons(char renew_hide, char renew_extra, char flag);
  void NewLanguageSet();

  // Input (what the collection passes on).
  void SetEscapeButton(MWinButton *button);
  MWinButton *GetEscapeButton() { return m_escape_button; }
  void SetDefaultButton(MWinButton *button) { m_default_button = button; }
  void SetEmptyPressCB(char (*callback)(MWinWindow *, void *), void *user);
  void SetKeyDownCB(char (*callback)(int, MWinWindow *)) { m_key_down_cb = callback; }
  void SetController(MWinCollectionController *controller);
  void UseCallbacks() { m_use_controller = 0; }
  MWinCollectionController *GetController(char check);
  MWinButton *GetActiveButton();
  char KeepFocusOnMouseMove();
  char IsMouseCursorInWindow();
  char Activate();
  char ActivateButtonUnderMouse();
  char Deactivate();
  char HandleMouseMove();
  char HandleButtonPressed(char button, char pressed, char flag, char synthetic);
  char HandleMouseButtonDoubleClicked(char button);
  char HandleMouseWheel(int delta);
  char HandleMouseButtonPressCanceled();
  char HandleKeyDown(int key);
  char HandleKeyDownUChar(unsigned char c);
  char HandleKeyUp(int key);
  char ExtraSizeScrollbarsHandleMouseMove() { return 0; }
  char SendButtonCallCallbackMessage(MWinButton *button, char report);

  // Life.
  char CreateGraphicsObjects();
  void DestroyGraphicsObjects();
  char Tick();
  char Render();

  // The collection keeps its window lists through these.
  MWinWindow *m_prev = nullptr;
  MWinWindow *m_next = nullptr;

 private:
  char IsButtonUnderMouse(MWinButton *button);

  MWin *m_mwin;
  EngInt32 m_type = 0;
  char m_created = 0;
  char m_active = 0;
  char m_shown = 0;
  char (*m_key_down_cb)(int, MWinWindow *) = nullptr;
  float m_virtual_offset_x = 0, m_virtual_offset_y = 0;
  char (*m_empty_press_cb)(MWinWindow *, void *) = nullptr;
  void *m_empty_press_user = nullptr;
  MWinCollectionController *m_controller = nullptr;
  char m_use_controller = 0;
  char m_scroller_took_press = 0;
  MWinID m_id = {0};
  MWinCollection *m_collection;
  MWinGroup *m_first_group = nullptr;
  MWinGroup *m_last_group = nullptr;
  _MWinWindowCreateInfo m_info;
  _Dimension m_orig_area = {0, 0, 0, 0};
  _Dimension m_actual_area = {0, 0, 0, 0};
  _Dimension m_title_area = {0, 0, 0, 0};
  _Dimension m_client_area = {0, 0, 0, 0};
  char m_auto_resize = 1;
  MWinButton *m_escape_button = nullptr;
  MWinButton *m_default_button = nullptr;
};
