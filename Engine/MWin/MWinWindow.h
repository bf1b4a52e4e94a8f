// One rectangular window of a collection: title bar with hide and extra buttons, a skinned back,
// its groups of widgets, placement for wide and narrow screens, one-axis scrolling with built-in
// scrollbars, and the routing of its collection's input to its widgets (the last drawn first).
#pragma once

#include <vector>

#include "Engine/EngMathTypes.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTypes.h"

struct _MWinWindowCreateInfo {
  EngInt32 window_type;
  float x, y, width, height;  // -9999 centres on that axis; a negative size becomes 100
  EngInt32 move_mode;         // 0 fixed, 1 dragged by its title bar, 2 dragged anywhere
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

// A back drawn from the window's own texture, one per texture state.
struct _MWinWindowCustomBack {
  char with_alpha;
  char alpha_mode;
  char flag;
  char file[256];
  float left, top, right, bottom;
  char whole_texture;
  _ColourRGBA colour;
  EngTexture *texture;         // owned
  EngTexture *caller_texture;  // borrowed
};

// One built-in scrollbar of a scrolling window (x serves the horizontal bar, y the vertical).
struct _MWinWindowScrollbar {
  float fraction_x, fraction_y;
  float travel_x, travel_y;
  _Dimension track;
  _Dimension thumb;
  char dragging;
  signed char page_direction;
  float drag_start_pos;
  float drag_start_mouse;
  float pos;
};

// Warps the system pointer to a design-space point and feeds the same move to the toolkit, so
// the widget under it is activated even where a warp produces no motion event.
void MWinMoveCursorToDesignPoint(MWin *mwin, float x, float y);

class MWinGraph;
class MWinTabPanel;

class MWinWindow {
 public:
  MWinWindow(MWin *mwin, const char *id, MWinCollection *collection, _MWinWindowCreateInfo *info);
  ~MWinWindow();
  MWinWindow(const MWinWindow &) = delete;
  MWinWindow &operator=(const MWinWindow &) = delete;

  _MWinWindowType GetType() const { return _MWinWindowType(m_type); }
  void SetType(_MWinWindowType type);
  char CopyFromOtherWindow(MWinWindow *other, char flag);
  const char *GetID() const { return m_id; }
  MWinCollection *GetCollection() const { return m_collection; }
  MWin *GetMWin() const { return m_mwin; }
  char IsActive() const { return m_active; }
  char IsShown() const { return m_shown; }
  char IsDragging() const { return m_dragging; }
  char HasTitleBar() const { return m_info.has_title_bar; }
  const _MWinWindowCreateInfo *GetCreateInfo() const { return &m_info; }
  char TookPress() const { return m_scroller_took_press; }
  // Taken out of its collection (see MWin::Discard).
  void MarkRemoved() {
    m_removed = 1;
    m_active = 0;
    m_dragging = 0;
  }
  char IsRemoved() const { return m_removed; }
  // Removed itself or with its collection.
  char IsGone() const;
  // Forgets a widget that is being removed as its default or escape button.
  void ForgetButton(const MWinButton *button);
  void SetTookPress(char took) { m_scroller_took_press = took; }

  // Appearance (title and back skins in MWinWindowSkin.cpp).
  void SetTitleText(const ENG_CHAR *text);
  void SetTitleLangToken(const char *token);
  void NewLanguageSet();
  char SetTitleTexButToTexBut(const char *id);
  char SetBackTexButToTexBut(const char *id);
  char SetHideTexButToTexBut(const char *id);
  char SetExtraTexButToTexBut(const char *id);
  void SetTitleTexButToDefault();
  void SetBackTexButToDefault();
  void SetHideTexButToDefault();
  void SetExtraTexButToDefault();
  void SetTitleTexButToNone();
  void SetBackTexButToNone();
  void SetHideTexButToNone();
  void SetExtraTexButToNone();
  char SetBackTexButToCustom(_MWinTextureState state, const char *file, char with_alpha, char alpha_mode, char flag,
                             float left, float top, float right, float bottom, float r, float g, float b, float a);
  char SetBackTexButToCustom(const char *file, char with_alpha, char alpha_mode, char flag, float left, float top,
                             float right, float bottom);
  char SetBackTexButToCustom(const char *file, char with_alpha, char alpha_mode, char flag);
  char SetBackTexButToCustom(const char *file);
  char SetBackTexButToCustomTexP(_MWinTextureState state, EngTexture *texture, char with_alpha, char alpha_mode,
                                 char flag, float left, float top, float right, float bottom, float r, float g, float b,
                                 float a);
  char SetBackTexButToCustomTexP(EngTexture *texture);
  const char *GetBackCustomTexButFilename();
  char IsCustomBackOn() const { return m_custom_back_on; }
  int GetBackTexButNum() const { return m_back_texbut_num; }
  int GetTitleTexButNum() const { return m_title_texbut_num; }
  int GetHideTexButNum() const { return m_hide_texbut_num; }
  int GetExtraTexButNum() const { return m_extra_texbut_num; }
  char SetTitleFontFromFontID(const char *id, char store);
  int GetTitleFontNum() const { return m_title_font_num; }
  void SetTitleTextColour(float r, float g, float b, float a);
  void SetTitleTextColour(const _ColourRGBA *colour);
  void SetTitleTextScale(float x, float y);
  void SetTitleTextAlign(_MWinTextAlign align);
  void SetColour(const _ColourRGBA *colour);
  void SetColour(float r, float g, float b, float a);
  void SetColour(const _ColourRGB *colour);
  void SetTransparency(float a);
  const _ColourRGBA *GetColour();
  float GetTransparency();
  void UseWindowMarginsForCroppingButtons(char on);
  char UsesWindowMarginsForCroppingButtons() const { return m_use_margins_for_cropping; }

  // Position and size.
  void SetOrigPos(float x, float y, float w, float h);
  void SetOrigArea(_Dimension area);
  void SetOrigArea(const _Dimension *area);
  void SetOrigPos(float x, float y);
  void SetOrigPos();
  void GetOrigPos(float *x, float *y, float *w, float *h);
  void GetOrigArea(_Dimension *area);
  _Dimension *GetOrigArea() { return &m_orig_area; }
  // These answer the orig values, as callers have always relied on.
  void GetActualPos(float *x, float *y, float *w, float *h);
  void GetActualArea(_Dimension *area);
  _Dimension *GetActualArea() { return &m_orig_area; }
  // The area after the widescreen corrections, where the window is drawn and hit.
  const _Dimension *GetActualAreaReal() const { return &m_actual_area; }
  const _Dimension *GetTitleArea() const { return &m_title_area; }
  const _Dimension *GetTitleTextArea() const { return &m_title_text_area; }
  const _Dimension *GetClientArea() const { return &m_client_area; }
  const float *GetVirtualPos() const { return m_virtual_offset; }
  float GetVirtualOffsetX() const { return m_virtual_offset[0]; }
  float GetVirtualOffsetY() const { return m_virtual_offset[1]; }
  void GetVirtualSize(float *w, float *h, char flag = 0);
  MWinLayoutSettings *GetScreenLayout();
  void UpdateAutoResizeFlag();
  float GetAutoResizeScaleX();
  float GetAutoResizeScaleY();
  char EnsureOnScreen();
  void Show(char show);
  void Hide();

  // Groups and buttons.
  int GetNumGroups();
  MWinGroup *GetNthGroup(int n);
  int CreateNewGroup();
  MWinGroup *GetFirstGroup() { return m_first_group; }
  MWinGroup *GetLastGroup() { return m_last_group; }
  char PreAddButton(const char *id, _MWinButtonType type, float *values);
  MWinButton *AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text, float x,
                        float y, float w, float h);
  MWinButton *AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text, float x,
                        float y, float w, float h, MWIN_BUTTON_CB callback, int a, int b);
  MWinButton *AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text, float x,
                        float y, float w, float h, MWIN_BUTTON_PLAIN_CB callback);
  MWinHorzScrollbar *AddHorzScrollbar(const char *id, const char *texbut_id, const ENG_CHAR *text, float x, float y,
                                      float w, float h);
  MWinScriptButton *AddScriptButton(const char *id, const char *texbut_id, float x, float y, float w, float h);
  MWinButton *CompleteAddButton(MWinButton *button);
  MWinGraph *AddGraph(const char *id, const char *texbut_id, float x, float y, float w, float h);
  MWinTabPanel *AddTabPanel(const char *id, const char *texbut_id, float x, float y, float w, float h);
  void UpdateButtonsTextStylesFromFontStyleID(const char *id);
  char RemoveButton(MWinButton *button);
  char RemoveAllButtonsAfterButton(MWinButton *button);
  void RemoveAllButtons();
  int GetNumButtons();
  MWinButton *GetNthButton(int n);
  MWinButton *GetFirstButton();
  MWinButton *GetLastButton();
  MWinButton *GetNextButton(const MWinButton *button);
  MWinButton *GetPrevButton(const MWinButton *button);
  MWinButton *GetButtonFromID(const char *id, char report);
  MWinButton *GetButtonFromID(const char *id) { return GetButtonFromID(id, 1); }
  MWinButton *SetButtonCallback(const char *id, MWIN_BUTTON_CB callback, int a, int b);
  MWinButton *GetHideButton() { return m_hide_button; }
  MWinButton *GetExtraButton() { return m_extra_button; }
  void CenterAllShownButtons(char horizontally, char vertically);
  void CenterGroupOfButtons(MWinButton **list, char horizontally, char vertically);
  void SpaceAllShownButtons(char horizontally, char vertically);
  void SpaceGroupOfButtons(MWinButton **list, char horizontally, char vertically);
  void SpaceGroupOfButtons(std::vector<MWinButton *> list, char horizontally, char vertically);

  // Title bar and its buttons.
  void UpdateTitleBar(char skip_buttons);
  void UpdateHideAndExtraButtons(char renew_hide, char renew_extra, char flag);
  void RemoveHideButton();
  void RemoveExtraButton();
  void UpdateTitleFontColourAndScale();
  const ENG_CHAR *GetTitleText();

  // Scrolling (MWinWindowScroll.cpp).
  void SetExtraSize(float w, float h);
  const float *GetExtraSize() const { return m_extra_size; }
  char IsScrollingOn() const { return m_scrolling_on; }
  void ScrollToBottom();
  void UpdateExtraSizeInfo();
  void UpdateExtraPos(int axis, char sync_scroller);
  _MWinWindowScrollbar *GetScrollbar(int axis) { return axis ? &m_scrollbar_y : &m_scrollbar_x; }

  // Input (MWinWindowInput.cpp).
  void SetEscapeButton(MWinButton *button);
  MWinButton *GetEscapeButton() { return m_escape_button; }
  void SetDefaultButton(MWinButton *button) { m_default_button = button; }
  MWinButton *GetDefaultButton() { return m_default_button; }
  void SetHideButtonPlainCallback(void (*callback)(void *), void *user);
  void SetExtraButtonPlainCallback(void (*callback)(void *), void *user);
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
  char ExtraSizeScrollbarsHandleButtonPressed(char button, char pressed, char flag, char synthetic);
  char ExtraSizeScrollbarsHandleMouseMove();
  char ExtraSizeScrollbarsHandleMouseWheel(int delta);
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
  void ClearState();
  char IsButtonUnderMouse(MWinButton *button);
  char FireKeyButton(MWinButton *target, int key);
  MWinButton *FindTabStop(char backwards);
  char FocusTakesEnter();
  void PlaceTitleButtons();
  char CreateCustomTexBut();
  void DestroyCustomTexBut();
  void RenderBack(_MWinTextureState state, const _ColourRGBA *colour);

  MWin *m_mwin;
  EngInt32 m_type = 0;
  char m_created = 0;
  MWinButton *m_hide_button = nullptr;
  MWinButton *m_extra_button = nullptr;
  char m_active = 0;
  char m_shown = 0;
  EngInt32 m_title_token_num = -1;
  char m_dragging = 0;
  float m_drag_start_mouse_x = 0, m_drag_start_mouse_y = 0;
  float m_drag_start_window_x = 0, m_drag_start_window_y = 0;
  char m_custom_back_on = 0;
  _MWinWindowCustomBack m_custom_back[4];
  char (*m_key_down_cb)(int, MWinWindow *) = nullptr;
  _MWinWindowScrollbar m_scrollbar_x;
  _MWinWindowScrollbar m_scrollbar_y;
  float m_virtual_offset[2] = {0, 0};
  void (*m_hide_plain_cb)(void *) = nullptr;
  void *m_hide_plain_user = nullptr;
  void (*m_extra_plain_cb)(void *) = nullptr;
  void *m_extra_plain_user = nullptr;
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
  _Dimension m_title_text_area = {0, 0, 0, 0};
  _Dimension m_client_area = {0, 0, 0, 0};
  EngInt32 m_title_font_num = -1;
  EngInt32 m_title_texbut_num = -1;
  EngInt32 m_hide_texbut_num = -1;
  EngInt32 m_extra_texbut_num = -1;
  EngInt32 m_back_texbut_num = -1;
  _ColourRGBA m_title_colour = {0, 0, 0, 1};
  float m_title_scale_x = 1, m_title_scale_y = 1;
  _MWinTextAlign m_title_align = MWIN_ALIGN_LEFT;
  char m_colour_on = 0;
  _ColourRGBA m_colour = {1, 1, 1, 1};
  float m_extra_size[2] = {0, 0};
  char m_scrolling_on = 0;
  char m_use_margins_for_cropping = 1;
  char m_auto_resize = 1;
  MWinButton *m_escape_button = nullptr;
  MWinButton *m_default_button = nullptr;
  char m_removed = 0;
};
