// The text edit (widget kind 3): a one-line field for text, whole numbers, IP or e-mail
// addresses, optionally hiding its letters, with a blinking cursor, the system clipboard and a
// caller's string or integer written when editing ends. The mobile full-screen entry is not here.
#pragma once

#include "Engine/MWin/MWinButton.h"

enum _MWinButtonTextEditType : EngInt32 {
  MWIN_TEXTEDIT_TEXT = 0,
  MWIN_TEXTEDIT_NUMBER = 1,
  MWIN_TEXTEDIT_IP_ADDRESS = 2,
  MWIN_TEXTEDIT_EMAIL = 3,
};

constexpr int MWIN_TEXTEDIT_MAX_LENGTH = 511;

class MWinTextEdit : public MWinButton {
 public:
  MWinTextEdit(MWin *mwin, const char *id, MWinGroup *group, const char *back_texbut_id, const ENG_CHAR *text,
               float x, float y, float w, float h);
  ~MWinTextEdit() override;
  char Tick() override;
  char Render() override;
  char HandleMouseButtonPressed(char button, char pressed, char flag) override;
  char HandleKeyDown(int key) override;
  char HandleKeyDownUChar(unsigned char c) override;
  char KeepFocusOnMouseMove() override;
  void Deactivate() override;

  // Set-up.
  void TextEditReset();
  void TextEditSetLength(int n);
  void TextEditSetup(int n) { TextEditSetLength(n); }
  int TextEditGetLength() const { return m_max_length; }
  void TextEditSetType(_MWinButtonTextEditType kind) { m_edit_type = kind; }
  _MWinButtonTextEditType TextEditGetType() const { return m_edit_type; }
  void TextEditCallCallbackForEachKeyPress() { m_callback_each_key = 1; }
  void TextEditHideLetters() { m_hide_letters = 1; }
  void TextEditFirstLetterCaps() { m_first_caps = 1; }
  void TextEditClearTextWhatEditingStarts() { m_clear_on_start = 1; }
  void TextEditSetStartEditingCB(void (*callback)()) { m_start_cb = callback; }

  // Text.
  void TextEditSetText(const char *text);
  void TextEditSetNumber(int n);
  void TextEditSetIpAddress(const char *text);
  void TextEditSetEmail(const char *text, int max);
  char TextEditHasText();
  const char *TextEditGetText();
  const char *TextEditGetTextP();
  // Copies into the caller's buffer; refused when the field may hold more than the buffer.
  char TextEditGetText2(char *destination, int size);
  int TextEditGetNumber();

  // Binding (null pointers are ignored).
  void TextEditRegisterStringVariable(char *buffer, int size);
  void TextEditRegisterIntVariable(int *var, int size);
  void TextEditRegisterInt16Variable(EngInt16 *var, int size);
  void TextEditRegisterUInt16Variable(EngUInt16 *var, int size);

  // Editing.
  void TextEditTurnOnEditing(char mode);
  void TextEditTurnOffEditing(char accepted);
  void TextEditMoveCursorToButtonAndTurnOnEditing();
  void TextEditSetCurrentlyBeingEditedText(const char *text);
  char TextEditIsTextBeingEdited() const { return m_edit_mode; }
  void TextEditDoneCB(char accepted);
  static void TextEditDoneCB_Static(MWin *mwin, char accepted, void *button);
  void TextEditPlayKeySound();
  void TextEditUpdateCursor();
  char TextEditAllocText();
  void TextEditFreeText();
  int TextEditGetCursor() const { return m_cursor; }
  char TextEditIsCursorVisible() const { return m_cursor_visible; }
  const char *TextEditGetEditBuffer() const { return m_edit_buffer; }

  // The slots' work, callable by name.
  char TextEditHandleMousePress();
  char TextEditHandleKeyDownUChar(unsigned char c);
  char TextEditHandleKeyDown(int code);
  char TextEditTick();
  void TextEditRenderText();
  float TextEditRenderHiddenLetters();
  void TextEditDeactivate();

 private:
  // The widget's own text, "" when it has none (an empty edit box is no fault to report).
  const char *StoredText() { return HasText() ? GetTextP() : ""; }
  // Ends editing; 0 when the callback removed the widget, which is then never touched.
  char TurnOffEditing(char accepted);
  // Runs the callback with the status byte; 0 when the widget did not survive it.
  char CallEditCallback(EngUInt8 status);
  char Filter(unsigned char c, int length);
  char InsertChar(unsigned char c);
  char Paste();

  char m_cursor_visible = 0;
  char m_edit_mode = 0;
  char *m_edit_buffer = nullptr;
  int m_edit_capacity = 0;  // bytes of m_edit_buffer
  int m_cursor = 0;
  int m_max_length = MWIN_TEXTEDIT_MAX_LENGTH;
  _MWinButtonTextEditType m_edit_type = MWIN_TEXTEDIT_TEXT;
  void (*m_start_cb)() = nullptr;
  char m_clear_on_start = 0;
  char m_callback_each_key = 0;
  char m_hide_letters = 0;
  char m_first_caps = 0;
};

// Tests and a new run start the shared blink clock again.
void MWinTextEditResetBlinkClock();
