// The widget: one class for every control of a window, its kind choosing the behaviour.
// Holds the validity flag and signature tested after every callback, geometry, back, texts,
// font and colours, input and callbacks, and the bound program variable. Kinds add files.
#pragma once

#include <cstdarg>

#include "Engine/EngMathTypes.h"
#include "Engine/MWin/MWinButtonTypes.h"
#include "Engine/MWin/MWinTypes.h"

struct MWinLayoutSettings;
class EngFont;
struct _TexCoords;

// The colour picker's callback for its own scrollbars, set by the colour picker: the only
// callback still called after a controller took the press.
extern MWIN_BUTTON_CB_2 mwin_colour_scrollbars_callback;

// Widgets draw their signatures from this generator, never from rand(), so making widgets
// leaves the game's random sequence alone. Seeding it is the module's reset.
void MWinButtonSeedSignatures(EngUInt32 seed);

// out pos = pos / design x actual + offset + scroll; out size keeps the far edge scaled alike.
void MWinButton_CalcActualXPosAndWidth(float pos, float size, float design_size, float offset, float actual_size,
                                       float scroll, float *out_pos, float *out_size);

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

  // Creation and identity (MWinButton.cpp).
  void ResetVars();
  void Reset();
  char SetType(_MWinButtonType type);
  _MWinButtonType GetType() const { return m_type; }
  char IsValid() const;
  // Taken out of its window: no list holds it any more, though it may stay in memory until the
  // toolkit's entry point returns.
  void MarkRemoved();
  char IsRemoved() const { return m_removed; }
  // Removed itself, or with its window or collection.
  char IsGone() const;
  const char *GetID() const { return m_id; }
  MWin *GetMWin() const { return m_mwin; }
  MWinWindow *GetWindow() const { return m_window; }
  MWinGroup *GetGroup() const { return m_group; }
  MWinButton *GetNext() const { return m_next; }
  MWinButton *GetPrev() const { return m_prev; }
  EngUInt16 GetSignature() const { return m_signature; }
  // Counts up with every button made: tells a new button at an old address from the old one.
  EngUInt32 GetSerial() const { return m_serial; }

  // Geometry.
  void SetOrigPos(float x, float y, float w, float h);
  void SetOrigPos(float x, float y);
  void SetOrigPos();
  void SetOrigXPos(float x);
  void SetOrigYPos(float y);
  void SetOrigWidth(float w);
  void SetOrigHeight(float h);
  void SetOrigArea(_Dimension area);
  void SetOrigArea(const _Dimension *area);
  void SetOrigPosNoBoundsCheck(float x, float y, float w, float h);
  void SetOrigPosNoBoundsCheck(_Dimension *area);
  void SetOrigBoundingBox(int x1, int y1, int x2, int y2);
  void GetOrigPos(float *x, float *y, float *w, float *h);
  void GetOrigPos(int *x, int *y, int *w, int *h);
  void GetActualPos(float *x, float *y, float *w, float *h);
  void GetActualPos(int *x, int *y, int *w, int *h);
  char GetOrigArea(_Dimension *out);
  char GetActualArea(_Dimension *out);
  _Dimension *GetOrigArea() { return &m_orig_area; }
  _Dimension *GetActualArea() { return &m_actual_area; }
  _Dimension *GetRenderArea() { return &m_render_area; }
  void GetOrigBoundingBox(int *x1, int *y1, int *x2, int *y2);
  float GetAutoResizeScaleX();
  float GetAutoResizeScaleY();
  MWinLayoutSettings *GetLayoutSettings();
  void UpdateActualArea();
  char IsOnScreen() const { return m_on_screen; }
  float GetTextMargin() const { return m_text_margin; }
  char SetEscapeButtonForParentWindow();
  char SetDefaultButtonForParentWindow();
  void MoveCursorToButtonsCenter();

  // Back texture button and custom back.
  char SetBackTexButToTexBut(const char *id);
  void SetBackTexButToDefault();
  void SetBackTexButToNone();
  char HasBackTex() const { return m_back_texbut_num >= 0; }
  const char *GetBackTexButID() const { return m_back_texbut_id; }
  int GetBackTexButNum() const { return m_back_texbut_num; }
  char HasCustomBack() const { return m_custom_back; }
  char SetBackTexButToCustom(_MWinTextureState state, const char *file, char flag1, char flag2, char flag3, float left,
                             float top, float right, float bottom, float r, float g, float b, float a);
  char SetBackTexButToCustom(const char *file, char flag1, char flag2, char flag3, float left, float top, float right,
                             float bottom);
  char SetBackTexButToCustom(const char *file, char flag1, char flag2, char flag3);
  char SetBackTexButToCustom(const char *file);
  char SetBackTexButToCustomTexP(_MWinTextureState state, EngTexture *texture, char flag3, float left, float top,
                                 float right, float bottom, float r, float g, float b, float a);
  char SetBackTexButToCustomTexP(EngTexture *texture);
  char CreateCustomTexBut();
  void DestroyCustomTexBut();
  const char *GetBackCustomTexButFilename();

  // Texts (MWinButtonText.cpp).
  void SetText(const ENG_CHAR *text);
  void SetText2(const ENG_CHAR *text);
  void SetTexts(const ENG_CHAR *text0, const ENG_CHAR *text1);
  void DoSetText(int n, const ENG_CHAR *text);
  char AllocAndSetText(int n, const ENG_CHAR *text);
  void FreeText(int n);
  void FreeTexts();
  void SetTextPrintf(const char *format, ...) __attribute__((format(printf, 2, 3)));
  void SetMultilineTextPrintf(const char *format, ...) __attribute__((format(printf, 2, 3)));
  void SetMultilineText(const ENG_CHAR *text);
  void SetTextToMultiline(char on) { m_multiline = on ? 1 : 0; }
  char IsMultiline() const { return m_multiline; }
  char HasText(int n);
  char HasText() { return HasText(0); }
  char HasText2() { return HasText(1); }
  const ENG_CHAR *GetTextP(int n);
  const ENG_CHAR *GetTextP() { return GetTextP(0); }
  const ENG_CHAR *GetTextP2() { return GetTextP(1); }
  int GetTextLength(int n) const { return (n == 0 || n == 1) ? m_text_length[n] : 0; }
  int GetTextAllocCount() const { return m_text_alloc_count; }
  char SetTextLanguageToken(const char *token);
  char IsLanguageTokenMode() const { return m_lang_token_mode; }
  const char *GetLanguageToken() const { return m_lang_token; }
  const char *GetTextLanguageToken() const { return m_lang_token; }
  int GetLanguageTokenSubTextCount() const { return m_lang_token_sub_texts; }
  void NewLanguageSet();
  void SetScrollingText(const char *text, float speed);
  void ScrollingTextTick();
  const char *GetScrollingText() const { return m_scroll_text; }
  float GetScrollingTextPos() const { return m_scroll_pos; }
  float GetTextWidth();
  char CalcMultilineTextBoxSize(float *w, float *h);
  void GetTextXLimits(float *left, float *right, float margin);
  void SetShrinkTextToFit(char on) { m_shrink_text = on ? 1 : 0; }
  char GetShrinkTextToFit() const { return m_shrink_text; }

  // Font, text style and colouring.
  char SetFont(const char *id);
  const char *GetFontID() const { return m_font_id; }
  int GetFontNum() const { return m_font_num; }
  EngFont *GetTextFont();
  void SetTextAlign(_MWinTextAlign align) { m_text_align = align; }
  _MWinTextAlign GetTextAlign() const { return m_text_align; }
  void SetTextScale(float x, float y);
  void SetTextScale(const _Vector2d *scale);
  void SetTextScaleRelative(char relative, char check);
  void GetTextScaleNoOrientation(float *x, float *y);
  void GetTextScaleIncludingOrientation(float *x, float *y);
  void SetTextColour(float r, float g, float b, float a);
  void SetTextColour(float r, float g, float b);
  void SetTextColour(const _ColourRGBA *colour);
  void SetTextColour(const _ColourRGB *colour);
  void SetTextTransparency(float a);
  void GetTextColour(_ColourRGBA *out);
  void UpdateButtonsTextStylesFromFontStyleID(const char *style);
  char CopyFromOtherButton(MWinButton *other, char full);
  void CopyFontFromOtherButton(MWinButton *other, char apply);
  void SetColour(const _ColourRGBA *colour);
  void SetColour(float r, float g, float b, float a);
  void SetColour(const _ColourRGB *colour);
  void SetTransparency(float a);
  void GetColour(_ColourRGBA *out);
  const _ColourRGBA *GetColour();
  float GetTransparency();
  char GetColouringMode() const { return m_colouring; }

  // Drawing (MWinButtonDraw.cpp).
  char ShouldTick();
  char RenderNoPrepare();
  _MWinTextureState GetRenderState();
  char PrepareForRender();
  void RestoreAfterRender() { RestoreAfterRenderAreaCrop(); }
  void RestoreAfterRenderAreaCrop();
  // Kinds with their own backs or texts (checkbox, choice, drop-down list) override these two.
  virtual void RenderBack(_MWinTextureState state);
  virtual void RenderText();
  void RenderNormalBack(_MWinTextureState state);
  void RenderNormalBack(_MWinTextureState state, _Dimension *area);
  void RenderNormalBack(_MWinTextureState state, float x, float y, float w, float h);
  void UpdateTextFontColourAndScale();
  void UpdateTextFontColour(EngFont *font, const _ColourRGBA *colour);
  void RenderNormalOrMultilineText();
  void RenderNormalText();
  void RenderMultilineText();
  void RenderScrollingText();
  void SetOverrideRenderState(_MWinTextureState state) { m_override_state = state; }
  void SetExtraRenderCB(MWIN_BUTTON_RENDER_CB callback, int value, void *user);
  // Kinds that draw themselves call the caller's extra drawing over the actual area.
  void CallExtraRenderCB(_MWinTextureState state);
  virtual char RenderOnTopOfOtherButtons();
  char CropRenderAreaToButtonNew2();
  char CropRenderAreaToWindow();
  char CropRenderAreaToArea(_Dimension *area);
  char CropRenderAreaToArea(float x, float y, float w, float h);

  // Input and focus (MWinButtonInput.cpp).
  char ShouldHandleMouseButtonPressed(char button, char pressed, char flag);
  char ShouldHandleMouseButtonDoubleClicked(char button);
  char ShouldHandleMouseMove();
  char ShouldKeepFocusOnMouseMove();
  char ShouldHandleMouseWheel();
  char ShouldHandleKeyDown();
  char ShouldHandleKeyDownUChar();
  char ShouldHandleKeyUp();
  char PushButtonHandleKeyDown(int key);
  char PostHandleKeyDown(int key, char handled);
  char IsActive() const { return m_active; }
  char IsPressed() const { return m_pressed; }
  void SetPressed(char pressed) { m_pressed = pressed; }
  char IsDragging() const { return m_dragging; }
  // For the kinds that drag in their own files.
  void SetDragging(char dragging) { m_dragging = dragging ? 1 : 0; }
  char IsEnabled() const { return m_enabled; }
  char IsShown() const { return m_shown; }
  void SetShownFlag(char shown) { m_shown = shown; }
  char IsReady() const { return m_ready; }
  // Kinds that build their content after construction say when they are ready for input.
  void SetReady(char ready) { m_ready = ready ? 1 : 0; }
  // The choice kind's arrows and the scrollbars' arrow buttons; every other kind keeps them 0.
  char IsLeftArrowShown() const { return m_left_arrow_shown; }
  char IsRightArrowShown() const { return m_right_arrow_shown; }
  void SetArrowsShown(char left, char right) {
    m_left_arrow_shown = left ? 1 : 0;
    m_right_arrow_shown = right ? 1 : 0;
  }
  void Enable();
  void Disable();
  void Hide();
  char IsATabStop();
  // A static picture that reports presses (a choice among pictures) is reached by Tab and
  // pressed by Space and Enter like a push button.
  void SetPressableByKeyboard(char on) { m_pressable_by_keyboard = on ? 1 : 0; }
  // A push button that is there to be read or looked at (a label, a logo, a frame: a screen's
  // table makes them as push buttons) shows nothing under the pointer, so Tab passes it by and
  // the hover makes no sound; a click still reaches its window's controller.
  void SetLabelOnly(char on) { m_label_only = on ? 1 : 0; }
  // Least forms of the text edit's and drop-down list's state that windows ask for; those
  // kinds make them whole in their own files.
  char IsTextBeingEditing() { return m_editing; }
  char ListIsOpen() { return (m_type == MWIN_BUTTON_LIST && m_list_open) ? 1 : 0; }
  void TextEditTurnOnEditing(char mode);
  void TextEditTurnOffEditing(char accepted);
  // For the kinds that carry the editing flag and the drag state in their own files.
  void SetEditingFlag(char on) { m_editing = on ? 1 : 0; }
  void SetDraggingState(EngUInt8 state) { m_dragging = state; }
  void ListOpen();
  void ListClose(char take, char call);

  // Callbacks.
  char HasCallback();
  char SetCallback(MWIN_BUTTON_CB callback, int a, int b, char refuse);
  char SetCallback(MWIN_BUTTON_CB_2 callback, int a, int b, void *user, char refuse);
  char SetPlainCallback(MWIN_BUTTON_PLAIN_CB callback);
  char SetPlainCallback(MWIN_BUTTON_PLAIN_CB_2 callback, void *user);
  void RemoveAllCallbacks();
  void SetMouseWheelCallback(char (*callback)(int)) { m_wheel_callback = callback; }
  char HasMouseWheelCallback() const { return m_wheel_callback ? 1 : 0; }
  void SetKeyDownCB(char (*callback)(int, MWinButton *)) { m_key_down_callback = callback; }
  void FillCallbackInfo(_MWinButtonCallbackInfo *info);
  char CallCallback(_MWinButtonCallbackInfo *info);
  char CallCallback() { return CallCallback(nullptr); }
  void SetStringsCallbackUser(void *user) { m_strings_cb_user = user; }
  void *GetStringsCallbackUser() const { return m_strings_cb_user; }

  // Registered variables (MWinButtonVars.cpp).
  char RegisterCharVariable(char *var);
  char RegisterUnsignedCharVariable(unsigned char *var);
  char RegisterIntVariable(int *var, int mult);
  char RegisterInt16Variable(EngInt16 *var, EngInt16 mult);
  char RegisterUInt16Variable(EngUInt16 *var, EngUInt16 mult);
  char RegisterLongVariable(EngInt32 *var, EngInt32 mult);
  char RegisterUnsignedLongVariable(EngUInt32 *var, EngUInt32 mult);
  char RegisterFloatVariable(float *var, float mult);
  char RegisterTwoFloatVariables(float *low, float *high, float mult);
  char RegisterColourRGBVariable(_ColourRGB *var);
  char RegisterStringVariable(char *buffer, int size);
  const _MWinButtonRegVar *GetRegisteredVariable() const { return &m_reg; }
  // Stores a value into the bound integer (codes 1 to 7), cut to its width; 0 when none.
  char WriteRegisteredVariable(int value);
  // The bound integer's value (codes 1 to 7); 0 when none is bound.
  char ReadRegisteredVariable(int *value);
  char WriteRegisteredFloat(float value);
  char WriteRegisteredString(const char *text);

  // Range slider, kind 15 (MWinButtonRange.cpp).
  void RangeReset();
  char RangeSetLimits(float minimum, float maximum, float span);
  void RangeSetAutoText(char on, char decimals, char keep_text);
  void RangeSetRange(float low, float high, char by_user, char call_callback);
  char RangeGetRange(float *low, float *high);
  char RangeGetAcualRangeValues(float *a, float *b);
  char RangeRegisterTwoFloatVariables(float *low, float *high, float scale, char call_callback);
  void RangeUpdateFromRegisteredVariables(char call_callback);
  void RangeUpdateText();
  void RangeRenderButton(_MWinTextureState state);
  void RangeRenderText();
  void RangeGetScreenXPos(float *left, float *right);
  float RangeGetXPosFromScreen(float x, unsigned char *part);
  void RangeHandleMouseButtonPressed(char button, char pressed);
  void RangeHandleDragging();
  void RangeDraggingOver();
  char RangeHandleKeyDown(int key);
  float RangeGetMinimum() const { return m_range_min; }
  float RangeGetMaximum() const { return m_range_max; }
  float RangeGetSpan() const { return m_range_span; }
  unsigned char RangeGetAutoText() const { return m_range_auto_text; }
  char RangeIsChangedByUser() const { return m_range_changed_by_user; }
  // Picture shown inside the widget (MWinButtonPicture.cpp): the caller's texture or layered
  // picture, which must outlive the attachment.
  char PictureAttachTextureToButton(EngTexture *texture, EngInt32 blend_type);
  char PictureAttachPictureToButton(EngPicture *picture, char animate);
  char PictureSetBlendType(EngInt32 blend_type);
  char PictureSetTextureCoordinates(float left, float top, float right, float bottom);
  char PictureSetTextureCoordinates(const _TexCoords *tc);
  // Percentages of the widget's current size, kept as fixed sizes.
  void PictureSetBorders(float left, float top, float right, float bottom);
  void PictureSetBorders(float x, float y);
  void PictureSetBorders(float all);
  void PictureRemoveTextureFromButton() { PictureReset(); }
  void PictureReset();
  signed char PictureExists() const { return m_picture.kind; }
  const _MWinButtonPicture *GetPicture() const { return &m_picture; }
  char PictureTick();
  char PictureDraw();

  // Pie gauge, kind 11 (MWinButtonPie.cpp).
  void PieReset();
  // A colour whose red component is below 0 is left as it is.
  void PieSetColours(float vr, float vg, float vb, float ir, float ig, float ib, float or_, float og, float ob);
  char PieSetValuesFloat(float value, float max);
  char PieRegisterFloatVariable(float *var, float mult);
  void PieUpdateFromRegisteredVariable(char call);
  char PieCreateGraphicsObjects();
  void PieDestroyGraphicsObjects();
  void PieUpdatePositions();
  void PieRenderButton(_MWinTextureState state);
  const _MWinButtonPie *GetPie() const { return &m_pie; }

  // The group keeps its list through these.
  MWinButton *m_prev = nullptr;
  MWinButton *m_next = nullptr;

 private:
  char TextsUsable(const char *signature);
  void LanguageTokenOff();
  void SetFontNumFromID(const char *id);
  void SetVFormattedText(char multiline, const char *format, va_list args);

  EngUInt8 m_valid;
  EngUInt16 m_signature;
  EngUInt16 m_signature_check;
  EngUInt8 m_ready;
  EngUInt8 m_active;
  EngUInt8 m_pressed;
  EngUInt8 m_enabled;
  EngUInt8 m_shown;
  EngUInt8 m_on_screen;
  MWIN_BUTTON_CB m_callback;
  MWIN_BUTTON_CB_2 m_callback_2;
  MWIN_BUTTON_PLAIN_CB m_plain_callback;
  MWIN_BUTTON_PLAIN_CB_2 m_plain_callback_2;
  void *m_callback_user;
  char (*m_wheel_callback)(int);
  // Kind state blocks are added here by their kinds.
  float m_range_min, m_range_max, m_range_low, m_range_high, m_range_span;
  EngUInt8 m_range_auto_text;  // 0 off; else decimals + 1
  EngInt32 m_range_base_text_len;
  char m_range_changed_by_user;
  signed char m_range_drag_part;  // 0 the bar, 1 the right handle, -1 the left handle
  float m_range_drag_offset;
  _MWinButtonPicture m_picture;
  _MWinButtonPie m_pie;
  _MWinButtonRegVar m_reg;
  EngUInt8 m_dragging;
  EngUInt8 m_custom_back;
  _MWinButtonCustomBack m_custom[4];
  EngInt32 m_override_state;
  EngUInt8 m_left_arrow_shown, m_right_arrow_shown;
  char (*m_key_down_callback)(int, MWinButton *);
  EngUInt8 m_pressable_by_keyboard;
  EngUInt8 m_label_only;
  ENG_CHAR *m_text[2];
  EngInt32 m_text_length[2];
  EngInt32 m_text_alloc_count;
  MWIN_BUTTON_RENDER_CB m_extra_render_cb;
  EngInt32 m_extra_render_value;
  void *m_extra_render_user;
  void *m_strings_cb_user;
  EngUInt8 m_text_scale_relative;
  char *m_scroll_text;
  EngInt32 m_scroll_length;
  float m_scroll_speed, m_scroll_pos;
  MWinID m_id;
  MWin *m_mwin;
  MWinWindow *m_window;
  MWinGroup *m_group;
  _Dimension m_orig_area, m_actual_area, m_render_area;
  _MWinButtonType m_type;
  float m_text_scale_x, m_text_scale_y;
  _ColourRGBA m_text_colour;
  EngUInt8 m_colouring;
  _ColourRGBA m_colour;
  MWinID m_back_texbut_id;
  EngInt32 m_back_texbut_num;
  EngInt32 m_callback_a, m_callback_b;
  MWinID m_font_id;
  EngInt32 m_font_num;
  _MWinTextAlign m_text_align;
  EngUInt8 m_multiline;
  EngUInt8 m_shrink_text;
  float m_text_margin;
  EngUInt8 m_lang_token_mode;
  char m_lang_token[64];
  EngInt32 m_lang_token_num;
  EngInt32 m_lang_token_sub_texts;
  char m_crop_set;  // a crop was set by PrepareForRender and is to be turned off after
  EngUInt32 m_serial;
  EngUInt8 m_editing;
  EngUInt8 m_list_open;
  EngUInt8 m_removed;
};
