// The widget: one class for every control of a window, its kind choosing the behaviour.
// Holds the validity flag and random signature that the toolkit tests after every callback,
// the focus and press flags, the geometry and the callbacks. Kinds are added by their own files.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/MWin/MWinTypes.h"

class MWinButton {
 public:
  MWinButton(MWin *mwin, const char *id, MWinGroup *group, _MWinButtonType type, const char *back_texbut_id,
             const ENG_CHAR *text, float x, float y, float w, float h);
  // Slots, in order.
  virtual ~MWinButton();
  virtual char CreateGraphicsObjects();
  virtual void DestroyGraphicsObjects();
  virtual void PositionUpdated();
  virtual char Tick();
  virtual char Render();
  virtual char HandleMouseButtonPressed(char button, char pressed, char flag);
  virtual char HandleMouseButtonDoubleClicked(char button);
  virtual void HandleMouseButtonPressCanceled();
  virtual void HandleMouseMove();
  virtual char HandleMouseWheel(int delta);
  virtual char HandleKeyDown(int key);
  virtual char HandleKeyDownUChar(unsigned char c);
  virtual char HandleKeyUp(int key);
  virtual char KeepFocusOnMouseMove();
  virtual void Activate();
  virtual void Deactivate();

  MWinButton(const MWinButton &) = delete;
  MWinButton &operator=(const MWinButton &) = delete;

  static EngInt32 total_buttons_created;

  void ResetVars();
  void Reset();
  char SetType(_MWinButtonType type);
  _MWinButtonType GetType() const { return m_type; }
  // Alive: the validity flag is 1 and the signature check matches.
  char IsValid() const;
  const char *GetID() const { return m_id; }
  MWin *GetMWin() const { return m_mwin; }
  MWinWindow *GetWindow() const { return m_window; }
  MWinGroup *GetGroup() const { return m_group; }
  MWinButton *GetNext() const { return m_next; }
  MWinButton *GetPrev() const { return m_prev; }

  // Geometry.
  void SetOrigPos(float x, float y, float w, float h);
  void SetOrigPos(float x, float y);
  void SetOrigPos();
  void SetOrigArea(const _Dimension *area);
  _Dimension *GetOrigArea() { return &m_orig_area; }
  _Dimension *GetActualArea() { return &m_actual_area; }
  void UpdateActualArea();

  // State.
  char IsActive() const { return m_active; }
  char IsPressed() const { return m_pressed; }
  void SetPressed(char pressed) { m_pressed = pressed; }
  char IsEnabled() const { return m_enabled; }
  char IsShown() const { return m_shown; }
  void SetShownFlag(char shown) { m_shown = shown; }
  char IsReady() const { return m_ready; }
  void Enable();
  void Disable();
  void Hide();
  char IsATabStop();
  char IsTextBeingEditing() { return m_editing; }
  char ListIsOpen() { return (m_type == MWIN_BUTTON_LIST && m_list_open) ? 1 : 0; }

  // What windows call on their widgets and title-bar buttons; least forms here.
  char SetBackTexButToTexBut(const char *id);
  void SetBackTexButToNone();
  const char *GetBackTexButID() const { return m_back_texbut_id; }
  char SetFont(const char *id);
  const char *GetFontID() const { return m_font_id; }
  void SetText(const ENG_CHAR *text);
  const ENG_CHAR *GetTextP() const { return m_text; }
  void SetTextLanguageToken(const char *token);
  const char *GetTextLanguageToken() const { return m_lang_token; }
  void SetTextColour(const _ColourRGBA *colour);
  void SetTextScale(float x, float y);
  char RenderNoPrepare();
  void RenderOnTopOfOtherButtons();
  void NewLanguageSet();
  void UpdateButtonsTextStylesFromFontStyleID(const char *id);
  char CopyFromOtherButton(MWinButton *source, char flag);
  void TextEditTurnOnEditing(char mode);
  void TextEditTurnOffEditing(char accepted);
  void ListOpen();
  void ListClose(char take, char call);

  // Callbacks.
  char HasCallback();
  char SetCallback(MWIN_BUTTON_CB callback, int a, int b, char refuse);
  char SetCallback(MWIN_BUTTON_CB_2 callback, int a, int b, void *user, char refuse);
  char SetPlainCallback(MWIN_BUTTON_PLAIN_CB callback);
  char SetPlainCallback(MWIN_BUTTON_PLAIN_CB_2 callback, void *user);
  void RemoveAllCallbacks();
  void FillCallbackInfo(_MWinButtonCallbackInfo *info);
  char CallCallback(_MWinButtonCallbackInfo *info);
  char CallCallback() { return CallCallback(nullptr); }

  // The group keeps its list through these.
  MWinButton *m_prev = nullptr;
  MWinButton *m_next = nullptr;

 private:
  char StillThere(MWin *mwin, const char *collection, const char *window, const char *button);

  EngUInt8 m_valid = 0;
  EngUInt16 m_signature = 0;
  EngUInt16 m_signature_check = 0;
  EngUInt8 m_ready = 0;
  EngUInt8 m_active = 0;
  EngUInt8 m_pressed = 0;
  EngUInt8 m_enabled = 0;
  EngUInt8 m_shown = 0;
  EngUInt8 m_on_screen = 1;
  MWIN_BUTTON_CB m_callback = nullptr;
  MWIN_BUTTON_CB_2 m_callback_2 = nullptr;
  MWIN_BUTTON_PLAIN_CB m_plain_callback = nullptr;
  MWIN_BUTTON_PLAIN_CB_2 m_plain_callback_2 = nullptr;
  void *m_callback_user = nullptr;
  EngUInt8 m_dragging = 0;
  MWinID m_id = {0};
  MWin *m_mwin = nullptr;
  MWinWindow *m_window = nullptr;
  MWinGroup *m_group = nullptr;
  _Dimension m_orig_area = {0, 0, 0, 0};
  _Dimension m_actual_area = {0, 0, 0, 0};
  _MWinButtonType m_type = MWIN_BUTTON_INVALID;
  MWinID m_back_texbut_id = {0};
  int m_callback_a = 0, m_callback_b = 0;
  EngUInt8 m_editing = 0;
  EngUInt8 m_list_open = 0;
  ENG_CHAR m_text[256] = {0};
  char m_lang_token[64] = {0};
  MWinID m_font_id = {0};
  _ColourRGBA m_text_colour = {0, 0, 0, 1};
  float m_text_scale_x = 1, m_text_scale_y = 1;
};
