// The toolkit root: one per program, owner of the desktop, the texture and font registries
// and the popup state. Holds the settings and their per-layout working copies, turns the
// toolkit on and off with the graphics device, and is the game's frame and input entry point.
#pragma once

#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngLayouts.h"
#include "Engine/EngProgram.h"
#include "Engine/MWin/MWinPopupTypes.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTypes.h"

enum _MWinButtonTextEditType : EngInt32;

class MWin {
 public:
  explicit MWin(Game *game);
  ~MWin();
  MWin(const MWin &) = delete;
  MWin &operator=(const MWin &) = delete;

  // Life.
  void Destroy();
  char Startup();
  char Shutdown();
  char IsOn();
  Game *GetGame(char may_be_null = 0);
  MWinDesktop *GetDesktop() { return m_desktop; }
  MWinTextures *GetTextures() { return m_textures; }
  MWinFonts *GetFonts() { return m_fonts; }
  void SetScreens(MWinScreens **screens);
  // The screen manager is going: the root no longer points at it.
  void ForgetScreens(MWinScreens *screens) {
    if (m_screens == screens) m_screens = nullptr;
  }
  MWinScreens *GetScreens();
  char AreScreensOn();
  EngUInt32 GetCurrentScreen();
  EngUInt32 GetPreviousScreen();
  EngUInt32 GetFromScreen();

  // Removal (MWinDiscard.cpp). Widgets, groups, windows and collections are unlinked at once;
  // while the toolkit is inside one of its entry points (an MWinEntryScope is open) they are
  // freed only when the outermost entry point returns, so code that called out to the program
  // never touches freed memory. A removed object is never default, escape or active.
  void Discard(MWinButton *button);
  void Discard(MWinGroup *group);
  void Discard(MWinWindow *window);
  void Discard(MWinCollection *collection);
  void EnterScope() { m_scope_depth++; }
  void LeaveScope();
  char IsInsideEntryPoint() const { return m_scope_depth > 0 ? 1 : 0; }
  int GetNumDiscarded() const;
  void FreeDiscarded();

  // Graphics objects.
  char CreateGraphicsObjects();
  void DestroyGraphicsObjects();
  char CreateBgClearImage();
  void SetClearMethod(_MWinClearMethod method, const char *file);

  // The default skin and font (MWinTextureButtons.cpp, MWinFonts.cpp).
  char SetupDefaultTextures(const char *file);
  char SetupDefaultFont();

  // Text in a box in design units, in a registered font (MWinRenderText.cpp). Count 0 draws
  // the whole text; narrow shrinks a line that would not fit; the unnamed chars have no effect.
  void RenderTextPart(int font, _MWinTextAlign align, float margin, float x, float y, float w, float h,
                      _Dimension *offset, const char *text, int count, char unused, char orientation, char narrow);
  void RenderText(int font, _MWinTextAlign align, float margin, _Dimension *box, _Dimension *offset, const char *text,
                  char unused, char orientation, char narrow);
  void RenderText(int font, _MWinTextAlign align, float margin, float x, float y, float w, float h, _Dimension *offset,
                  const char *text, char unused, char orientation, char narrow);
  void RenderMultilineText(int font, _MWinTextAlign align, float margin, _Dimension *box, _Dimension *offset,
                           const char *text, char unused, char orientation, char unused2);

  // Settings and layouts (MWinSettings.cpp).
  void SetupStandardSettings(char full);
  void SetStandardButtonsWidthAndHeightAndMargins(float width, float height, float margin1, float margin2);
  void GetSettings(_MWinSettings *out);
  void SetSettings(const _MWinSettings *in);
  _MWinSettings *GetSettings() { return &m_settings; }
  void SetControlledFromMainSettings(char a, char b, char c, char d);
  MWinLayoutSettings *GetLayoutSettings();
  // The working block of a layout; null outside 0..4.
  MWinLayoutSettings *GetLayoutSettings(_EngLayout layout);
  void UpdateLayoutSettings();
  void UpdateOrientation();
  void SetScreenLayout(_EngLayout layout);
  _EngLayout GetScreenLayout() const { return m_screen_layout; }
  void GetVirtualSize(_EngLayout layout, float *w, float *h);
  void SetAutoResize(char on) { m_auto_resize = on; }
  char GetAutoResize() const { return m_auto_resize; }
  char GetCropRendering() const { return m_crop_rendering; }
  EngUInt8 GetTextureFileType() const { return m_texture_file_type; }

  // Frame.
  char Tick2();
  // A program that draws over the windows between the two passes them 0 and 1: the darkening
  // behind a popup then falls after its drawing, which dims with everything else.
  void RenderMain(char darken = 1);
  char RenderPopups(char darken_first = 0);
  void ButtonsChanged();
  void RenderNeeded();

  // Callbacks.
  void SetSoundPlayCallback(MWIN_SOUND_CB callback, void *user);
  void PlaySound(_MWinSoundEvent event);
  void SetGetCursorPosCB(MWIN_CURSOR_CB callback, void *a, void *b);

  // Other.
  void NewLanguageSet();
  void WindowResized();

  // Input entry points (MWinInput.cpp).
  char MoveMouse(int x, int y);
  char MoveMouse(float x, float y);
  char ButtonPressed(char button, char state, char flag);
  char ButtonDoubleClicked(char button);
  char MouseWheelMoved(int steps);
  char KeyDown(int key);
  char KeyUp(int key);
  char KeyDownUChar(unsigned char c);
  char ProcessInput(_EngDesktopInputType type, EngInputParm1 p1, EngInputParm2 p2);
  void WindowDeactivated();
  void CancelMouseButtonDown();
  char IsTextBeingEdited();
  // After a screen or a popup comes or goes, the widget that happens to lie under a pointer that
  // has not moved is no keyboard focus: Space and Enter press it only once the player has moved
  // the pointer or tabbed there.
  void HoldKeyboardFocus();
  void ReleaseKeyboardFocus() { m_focus_held = 0; }
  char IsKeyboardFocusHeld() const { return m_focus_held; }
  void AllowInput(char on) { m_allow_input = on; }
  void AllowKeyboardInput(char on) { m_allow_keyboard_input = on; }

  // Cursor queries.
  char GetMousePos(float *x, float *y);
  void GetViewportMousePos(float *x, float *y) const {
    if (x) *x = m_viewport_mouse_x;
    if (y) *y = m_viewport_mouse_y;
  }
  void UpdateViewportMousePos();
  void SetCurrentActiveViewport(const _EngDeviceViewport *viewport);
  char IsMouseViewportCursorInArea(const _Dimension *area, const _Dimension *offset = nullptr);
  char IsMouseScreenCursorInArea(const _Dimension *area, const _Dimension *offset = nullptr);
  char IsMouseCursorInViewport(const _EngDeviceViewport *viewport);

  // Look-ups; the char asks for reports.
  MWinCollection *GetCollectionFromID(const char *collection, char report);
  MWinWindow *GetWindowFromIDs(const char *collection, const char *window, char report);
  MWinButton *GetButtonFromIDs(const char *collection, const char *window, const char *button, char report);
  char SetButtonCallback(const char *collection, const char *window, const char *button, MWIN_BUTTON_CB callback, int a,
                         int b);

  // The one-slot message queue.
  char AddMessageToQueue(const char *collection, const char *window, const char *button, _MWinMessageNum num);
  char ProcessQueueMessages();
  void RemoveAnyQueuedMessagesForButton(MWinButton *button, MWinWindow *window, MWinCollection *collection);
  EngInt32 GetNumQueuedMessages() const { return m_message_count; }

  // Popups (MWinPopup.cpp): one modal popup at a time in a collection of its own. Each showing
  // operation answers 1 when the popup is shown; its callback runs after it has closed.
  void PopupInit();
  char PopupMessage(const char *title, const char *text, MWIN_POPUP_CALLBACK callback, void *user);
  char PopupMessage(const char *title, const char *text);
  char PopupMessage(const char *text);
  char PopupErrorMessage(const char *title, const char *text, MWIN_POPUP_CALLBACK callback, void *user);
  char PopupErrorMessage(const char *title, const char *text);
  char PopupErrorMessage(const char *text);
  char PopupMessagePrintf(MWIN_POPUP_CALLBACK callback, void *user, const char *title, const char *format, ...)
      __attribute__((format(printf, 5, 6)));
  char PopupOkCancel(const char *title, const char *text, MWIN_POPUP_CALLBACK callback, void *user);
  char PopupYesNo(const char *title, const char *text, MWIN_POPUP_CALLBACK callback, void *user);
  char PopupYesNoCancel(const char *title, const char *text, MWIN_POPUP_CALLBACK callback, void *user);
  char PopupYesNoCancelExtra(const char *title, const char *text, MWIN_POPUP_CALLBACK callback, void *user);
  char PopupNotice(const char *title, const char *text);
  char PopupGetText(const char *title, const char *text, char *buffer, int max_length, MWIN_POPUP_CALLBACK callback,
                    void *user);
  char PopupPanel(const char *title, const char *text, int count, int per_page, float width, float height,
                  MWIN_STR_CB strings, char first_kind, MWIN_POPUP_INT_P *selection, MWIN_POPUP_SEL_CB sel_callback,
                  MWIN_POPUP_CALLBACK callback, void *user);
  // The box shows the rich text as multi-line text in the given texture button.
  char PopupScript(const char *title, const char *text, const char *rich_text, const char *texbut, float width,
                   float height, char first_kind, char cancel_kind, char no_kind, MWIN_POPUP_CALLBACK callback,
                   void *user);
  char PopupTurnOff();
  char PopupTurnOffAndCallOkCB();
  char PopupTurnOffAndCallCancelOrNoCB();
  char PopupIsOn();
  MWinWindow *PopupGetWindow();
  void PopupSetWindowYPos(float y);
  void PopupSetTransparency(float alpha);
  void PopupRemoveMessageAfterTime(double seconds);
  void PopupTick();
  char PopupNoticeShowItAndRemoveIt(const char *title, const char *text);
  char PopupNoticeForTime(const char *title, const char *text, double seconds, char fade);
  MWinCollection *GetPopupCollection();
  _MWinPopupState *GetPopupState() { return &m_popup; }
  char PopupCreateCollection();
  char PopupCompleteSetup(MWIN_POPUP_CALLBACK callback, void *user);
  char PopupCloseCollection();
  // The button callbacks run the stored result callback after closing.
  void PopupButtonPressed(char result);
  char PopupRenderFullScreenTextEntryMobile(char check_only);
  // The on-screen text entry of phone and tablet layouts (MWinTextEntryMobile.cpp).
  void PopupGetTextSetType_Mobile(_MWinButtonTextEditType kind, char hide, char first_letter_caps);
  char PopupGetText_Mobile(const char *title, const char *message, char *buffer, int max_length,
                           MWIN_POPUP_CALLBACK callback, void *user);

  // Popup style and layout (MWinPopupLayout.cpp).
  void PopupInitButtonSizes();
  void PopupSetupTexturesAndFonts(const char *win_texbut1, const char *win_texbut2, const char *win_font,
                                  const char *button_texbut, const char *button_font, float button_r, float button_g,
                                  float button_b, float button_a, float button_scale_x, float button_scale_y,
                                  float title_r, float title_g, float title_b, float title_a, float title_scale_x,
                                  float title_scale_y, int title_align);
  void PopupSetupTexturesAndFonts(const char *win_texbut1, const char *win_texbut2, const char *win_font,
                                  const char *button_texbut, const char *button_font);
  void PopupSetupTexturesAndFonts(const char *win_texbut, const char *button_texbut, const char *font);
  void PopupSetDefaultBoxAndButtonSizesDesktop(float min_w, float max_w, float button_w, float button_h);
  void PopupSetDefaultBoxAndButtonSizesMobile(const float values[16]);
  void PopupSetupButtonSizesDesktop(float min_w, float max_w, float button_w, float button_h);
  void PopupSetupButtonSizesMobile(float portrait_min_w, float portrait_max_w, float landscape_min_w,
                                   float landscape_max_w, float portrait_button_w, float portrait_button_h,
                                   float landscape_button_w, float landscape_button_h);
  void PopupSetupButtonWidths(float desktop_w, float portrait_w, float landscape_w);
  void PopupSetupButtonWidthsDesktop(float w);
  void PopupSetupButtonWidthsMobile(float portrait_w, float landscape_w);
  void PopupMakeButtonsWide();
  void PopupMakeButtonsExtraWide();
  void PopupRestoreButtonWidths();
  void PopupSetSizeOfBoxForNextPopup(float w, float h);
  void PopupSetGoodColoursForNextPopup() { m_popup.colour_mode = 1; }
  void PopupSetErrorColoursForNextPopup() { m_popup.colour_mode = -1; }
  void PopupDontLetNextPopupDarkenScreen() { m_popup.dont_darken_next = 1; }
  void PopupChangeButtonTextsForNextPopup(const char *ok, const char *cancel);
  void PopupChangeButtonTextsForNextPopup(const char *ok, const char *no, const char *cancel);
  void PopupChangeButtonTextsForNextPopup(const char *ok, const char *no, const char *cancel, const char *extra);
  char PopupSetupButton(MWinButton *button);
  char PopupSetupDefaultButtons(const char *title, const char *text, char first_kind, char cancel_kind, char no,
                                char extra, float extra_w, float extra_h);
  // The colour picker's hue table and strip textures (MWinColour.cpp).
  void ColourCreateGraphics();
  void ColourDestroyGraphics();
  // Entry i (0..255) of the hue table, red, green and blue.
  const float *ColourGetHueEntry(int i);
  EngTexture *ColourGetStripTexture(int bar) { return (bar >= 0 && bar < 3) ? m_colour_strips[bar] : nullptr; }

 private:
  char ClearScreen(char *began_rendering, char *entered_2d);
  void FinishRendering(char began_rendering, char entered_2d);
  void ReleaseBgClearTexture();
  char LoadBgClearTexture(const char *file);

  Game *m_game;
  MWinID m_queued_collection = {0};
  MWinID m_queued_window = {0};
  MWinID m_queued_button = {0};
  _MWinMessageNum m_queued_num = MWIN_MSG_CALL_CALLBACK;
  EngInt32 m_message_count = 0;
  char m_allow_input = 1;
  char m_allow_keyboard_input = 1;
  char m_focus_held = 0;
  float m_held_mouse_x = 0, m_held_mouse_y = 0;
  // The character event of a key whose key-down already acted (a button it pressed may have
  // opened a text field that would otherwise take it).
  char m_swallow_char = 0;
  _EngLayout m_screen_layout = ENG_LAYOUT_DESKTOP;
  MWIN_SOUND_CB m_sound_cb = nullptr;
  void *m_sound_cb_user = nullptr;
  char m_render_enabled = 1;
  char m_crop_rendering = 1;
  MWinScreens *m_screens = nullptr;
  _MWinPopupState m_popup;
  _MWinSettings m_settings;
  MWinLayoutSettings m_layout_settings[ENG_NUM_LAYOUTS];
  char m_is_on = 0;
  MWinDesktop *m_desktop = nullptr;
  MWinTextures *m_textures = nullptr;
  MWinFonts *m_fonts = nullptr;
  EngTexture *m_bg_clear_texture = nullptr;  // owned; loaded for clear method 3
  char m_bg_clear_file[256] = {0};           // the file m_bg_clear_texture was loaded from
  float m_mouse_x = 0, m_mouse_y = 0;
  float m_viewport_mouse_x = 0, m_viewport_mouse_y = 0;
  char m_viewport_active = 0;
  _EngDeviceViewport m_active_viewport = {0, 0, 0, 0, 0.0f, 1.0f};
  float m_std_button_width = 12, m_std_button_height = 12;
  float m_std_margin1 = 3, m_std_margin2 = 3;
  EngUInt8 m_texture_file_type = 2;  // tga: the file type of every background and texture-button load
  float m_virtual_size[ENG_NUM_LAYOUTS][2];
  char m_auto_resize = 1;
  MWIN_CURSOR_CB m_cursor_cb = nullptr;
  float m_colour_hue[256][3] = {};
  char m_colour_hue_built = 0;
  EngTexture *m_colour_strips[3] = {nullptr, nullptr, nullptr};  // owned
  // The kind and flags for the next on-screen text entry.
  EngInt32 m_gettext_kind_mobile = 0;
  char m_gettext_hide_mobile = 0;
  char m_gettext_caps_mobile = 0;
  void *m_cursor_cb_a = nullptr;
  void *m_cursor_cb_b = nullptr;
  int m_scope_depth = 0;
  char m_freeing = 0;
  std::vector<MWinButton *> m_discarded_buttons;
  std::vector<MWinGroup *> m_discarded_groups;
  std::vector<MWinWindow *> m_discarded_windows;
  std::vector<MWinCollection *> m_discarded_collections;
};

// Held by every toolkit entry point that can reach program code: removals made meanwhile are
// freed when the outermost one ends. The screen manager holds one while it builds a screen; a
// program that builds windows anywhere else holds one too, or a hover callback run while a
// window is added could free it under the builder.
class MWinEntryScope {
 public:
  explicit MWinEntryScope(MWin *mwin) : m_mwin(mwin) {
    if (m_mwin) m_mwin->EnterScope();
  }
  ~MWinEntryScope() {
    if (m_mwin) m_mwin->LeaveScope();
  }
  MWinEntryScope(const MWinEntryScope &) = delete;
  MWinEntryScope &operator=(const MWinEntryScope &) = delete;

 private:
  MWin *m_mwin;
};

// The device set as the toolkit draws, without depth and with its own blending, for as long as
// this lives; then the depth test and blending it found.
class MWinDrawingScope {
 public:
  explicit MWinDrawingScope(EngDevice *device) : m_device(device) {
    m_depth_off = device->TurnOffDepthBufferIfNeeded();
    device->GetBlendingState(&m_blend_on, &m_source, &m_destination);
    device->EnableBlendingType(0);
  }
  ~MWinDrawingScope() {
    if (m_blend_on)
      m_device->EnableSpecificBlending(m_source, m_destination);
    else
      m_device->DisableBlending();
    if (m_depth_off) m_device->TurnOnDepthBuffer();
  }
  MWinDrawingScope(const MWinDrawingScope &) = delete;
  MWinDrawingScope &operator=(const MWinDrawingScope &) = delete;

 private:
  EngDevice *m_device;
  char m_depth_off = 0, m_blend_on = 0;
  EngInt32 m_source = 0, m_destination = 0;
};

// A popup result callback: result 0 asks the program to close.
char MWinCloseProgramCB(char result, void *user);
