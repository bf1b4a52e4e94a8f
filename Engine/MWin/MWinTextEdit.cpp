#include "Engine/MWin/MWinTextEdit.h"

#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngProgram.h"
#include "Engine/EngVarious.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinWindow.h"

// One blink clock for every field, so fields editing at once blink in step.
static double blink_time = 0;
// The number form's shared text.
static char number_text[32];

void MWinTextEditResetBlinkClock() { blink_time = 0; }

static char KeyIsDown(int code) { return eng_key_down[code] > 1 ? 1 : 0; }

MWinTextEdit::MWinTextEdit(MWin *mwin, const char *id, MWinGroup *group, const char *back_texbut_id,
                           const ENG_CHAR *text, float x, float y, float w, float h)
    : MWinButton(mwin, id, group, MWIN_BUTTON_TEXT_EDIT, back_texbut_id, text, x, y, w, h) {
  TextEditReset();
}

MWinTextEdit::~MWinTextEdit() { TextEditFreeText(); }

// ---- Set-up ----

void MWinTextEdit::TextEditReset() {
  m_cursor_visible = 0;
  m_edit_mode = 0;
  m_cursor = 0;
  m_max_length = MWIN_TEXTEDIT_MAX_LENGTH;
  m_edit_type = MWIN_TEXTEDIT_TEXT;
  m_start_cb = nullptr;
  m_clear_on_start = m_callback_each_key = m_hide_letters = m_first_caps = 0;
  TextEditFreeText();
  SetEditingFlag(0);
  SetType(MWIN_BUTTON_TEXT_EDIT);
}

void MWinTextEdit::TextEditSetLength(int n) {
  if (n > MWIN_TEXTEDIT_MAX_LENGTH) {
    DebugErrorAlt(ENG_FUNC, "Length too long: %d", n);
    n = MWIN_TEXTEDIT_MAX_LENGTH;
  }
  m_max_length = n;
  // A live buffer sized for a shorter maximum would be overrun by the new one.
  if (m_edit_buffer && m_edit_capacity < m_max_length + 3) {
    char *grown = static_cast<char *>(EngMalloc(size_t(m_max_length + 3), ENG_FUNC, 1));
    if (!grown) {
      DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
      m_max_length = m_edit_capacity - 3;
      return;
    }
    EngSafeStrcpy(grown, m_edit_buffer, size_t(m_max_length + 3));
    EngFree(m_edit_buffer, 0, ENG_FUNC);
    m_edit_buffer = grown;
    m_edit_capacity = m_max_length + 3;
  }
}

// ---- Text ----

void MWinTextEdit::TextEditSetText(const char *text) {
  if (!text) {
    SetText(nullptr);
  } else {
    size_t length = strlen(text);
    char *copy = static_cast<char *>(EngMalloc(length + 1, ENG_FUNC, 0));
    if (!copy) {
      DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
      return;
    }
    memcpy(copy, text, length + 1);
    if (m_max_length >= 0 && length > size_t(m_max_length)) copy[m_max_length] = 0;
    SetText(copy);
    EngFree(copy, 0, ENG_FUNC);
  }
  if (m_cursor > m_max_length - 1) m_cursor = m_max_length - 1;
  if (m_cursor < 0) m_cursor = 0;
}

void MWinTextEdit::TextEditSetNumber(int n) {
  snprintf(number_text, sizeof(number_text), "%d", n);
  TextEditSetText(number_text);
  m_edit_type = MWIN_TEXTEDIT_NUMBER;
}

void MWinTextEdit::TextEditSetIpAddress(const char *text) {
  TextEditSetLength(63);
  TextEditSetText(text);
  m_edit_type = MWIN_TEXTEDIT_IP_ADDRESS;
}

void MWinTextEdit::TextEditSetEmail(const char *text, int max) {
  TextEditSetLength(max);
  TextEditSetText(text);
  m_edit_type = MWIN_TEXTEDIT_EMAIL;
}

char MWinTextEdit::TextEditHasText() {
  if (m_edit_mode) return m_edit_buffer ? 1 : 0;
  return HasText();
}

const char *MWinTextEdit::TextEditGetText() {
  const char *text = m_edit_mode ? m_edit_buffer : StoredText();
  return text ? text : "";
}

const char *MWinTextEdit::TextEditGetTextP() {
  if (m_edit_mode) {
    if (!m_edit_buffer) DebugErrorAlt(ENG_FUNC, "No text");
    return m_edit_buffer;
  }
  return GetTextP();
}

char MWinTextEdit::TextEditGetText2(char *destination, int size) {
  if (!destination || size < 1) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  destination[0] = 0;
  // The field's text and its terminator must fit the caller's buffer.
  if (m_max_length >= size) {
    DebugErrorAlt(ENG_FUNC, "Buffer too small: %d for a length of %d", size, m_max_length);
    return 0;
  }
  const char *text = TextEditGetTextP();
  if (!text) return 0;
  EngSafeStrcpy(destination, text, size_t(size));
  return 1;
}

int MWinTextEdit::TextEditGetNumber() {
  int n = 0;
  if (sscanf(TextEditGetText(), "%d", &n) != 1) return 0;
  return n;
}

// ---- Binding ----

void MWinTextEdit::TextEditRegisterStringVariable(char *buffer, int size) {
  if (!buffer) return;
  if (!RegisterStringVariable(buffer, size)) return;
  TextEditSetLength(size - 1);
  TextEditSetText(buffer);
}

void MWinTextEdit::TextEditRegisterIntVariable(int *var, int size) {
  if (!var) return;
  RegisterIntVariable(var, 1);
  TextEditSetLength(size - 1);
  TextEditSetNumber(*var);
}

void MWinTextEdit::TextEditRegisterInt16Variable(EngInt16 *var, int size) {
  if (!var) return;
  RegisterInt16Variable(var, 1);
  TextEditSetLength(size - 1);
  TextEditSetNumber(*var);
}

void MWinTextEdit::TextEditRegisterUInt16Variable(EngUInt16 *var, int size) {
  if (!var) return;
  RegisterUInt16Variable(var, 1);
  TextEditSetLength(size - 1);
  TextEditSetNumber(*var);
}

// ---- Editing ----

char MWinTextEdit::TextEditAllocText() {
  TextEditFreeText();
  if (m_max_length < 1) {
    DebugErrorAlt(ENG_FUNC, "Length not set");
    return 0;
  }
  m_edit_buffer = static_cast<char *>(EngMalloc(size_t(m_max_length + 3), ENG_FUNC, 1));
  if (!m_edit_buffer) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  m_edit_capacity = m_max_length + 3;
  return 1;
}

void MWinTextEdit::TextEditFreeText() {
  if (m_edit_buffer) EngFree(m_edit_buffer, 0, ENG_FUNC);
  m_edit_buffer = nullptr;
  m_edit_capacity = 0;
}

void MWinTextEdit::TextEditTurnOnEditing(char mode) {
  if (m_edit_mode) return;
  if (m_start_cb) m_start_cb();
  m_edit_mode = mode;
  if (m_clear_on_start) SetText(nullptr);
  if (!TextEditAllocText()) {
    m_edit_mode = 0;
    return;
  }
  const char *text = StoredText();
  if (text && int(strlen(text)) < m_max_length) EngSafeStrcpy(m_edit_buffer, text, size_t(m_edit_capacity));
  m_cursor = int(strlen(m_edit_buffer));
  SetEditingFlag(1);
  MWin *mwin = GetMWin();
  if (mwin) mwin->PlaySound(MWIN_SOUND_SELECTION_CHANGED);
  MWinWindow *window = GetWindow();
  if (window) {
    MWinCollection *collection = window->GetCollection();
    if (collection && !collection->IsActive()) collection->Activate();
    if (!window->IsActive()) window->Activate();
  }
  Activate();
  if (mwin) mwin->RenderNeeded();
}

void MWinTextEdit::TextEditTurnOffEditing(char accepted) { TurnOffEditing(accepted); }

char MWinTextEdit::TurnOffEditing(char accepted) {
  if (!m_edit_mode) return 1;
  if (!m_edit_buffer) {
    DebugErrorAlt(ENG_FUNC, "No text");
    return 1;
  }
  int cut = m_max_length < m_edit_capacity - 1 ? m_max_length : m_edit_capacity - 1;
  if (cut >= 0) m_edit_buffer[cut] = 0;
  SetText(m_edit_buffer);
  m_edit_mode = 0;
  m_cursor = 0;
  SetPressed(0);
  SetEditingFlag(0);
  const _MWinButtonRegVar *reg = GetRegisteredVariable();
  if (reg->kind == MWIN_REGVAR_STRING)
    WriteRegisteredString(m_edit_buffer);
  else if (reg->kind == MWIN_REGVAR_INT || reg->kind == MWIN_REGVAR_INT16 || reg->kind == MWIN_REGVAR_UINT16)
    WriteRegisteredVariable(TextEditGetNumber());
  MWin *mwin = GetMWin();
  if (accepted && mwin) mwin->PlaySound(MWIN_SOUND_SELECTION_CHANGED);
  if (HasCallback() && IsShown() && !CallEditCallback(EngUInt8(accepted))) return 0;
  if (mwin) {
    mwin->RenderNeeded();
    mwin->ButtonsChanged();
  }
  return 1;
}

char MWinTextEdit::CallEditCallback(EngUInt8 status) {
  _MWinButtonCallbackInfo info;
  FillCallbackInfo(&info);
  info.text_edit_status = status;
  return CallCallback(&info);
}

void MWinTextEdit::TextEditMoveCursorToButtonAndTurnOnEditing() {
  if (!eng_main_window) {
    DebugErrorAlt(ENG_FUNC, "No window.");
    return;
  }
  const _Dimension *a = GetActualArea();
  MWinMoveCursorToDesignPoint(GetMWin(), a->x + a->width / 2, a->y + a->height / 2);
  if (GetMWin()) GetMWin()->MoveMouse(-1, -1);
  TextEditTurnOnEditing(1);
}

void MWinTextEdit::TextEditSetCurrentlyBeingEditedText(const char *text) {
  if (!m_edit_buffer || m_max_length < 1) {
    DebugErrorAlt(ENG_FUNC, "No text");
    return;
  }
  m_edit_buffer[0] = 0;
  if (text && text[0]) {
    int n = m_max_length - 1;
    if (n > m_edit_capacity - 1) n = m_edit_capacity - 1;
    strncpy(m_edit_buffer, text, size_t(n));
    m_edit_buffer[n] = 0;
  }
  if (m_cursor > int(strlen(m_edit_buffer))) m_cursor = int(strlen(m_edit_buffer));
  TextEditUpdateCursor();
}

void MWinTextEdit::TextEditDoneCB(char accepted) {
  (void)accepted;
  TurnOffEditing(1);
}

void MWinTextEdit::TextEditDoneCB_Static(MWin *mwin, char accepted, void *button) {
  (void)mwin;
  auto *edit = static_cast<MWinTextEdit *>(button);
  if (edit && edit->IsValid()) edit->TextEditDoneCB(accepted);
}

void MWinTextEdit::TextEditPlayKeySound() {
  if (GetMWin()) GetMWin()->PlaySound(MWIN_SOUND_KEY_OR_SCROLL);
}

void MWinTextEdit::TextEditUpdateCursor() {
  if (!m_edit_mode) return;
  if (!m_edit_buffer) {
    DebugErrorAlt(ENG_FUNC, "No text");
    return;
  }
  SetText(m_edit_buffer);
  if (GetMWin()) GetMWin()->RenderNeeded();
}

// ---- Input ----

char MWinTextEdit::HandleMouseButtonPressed(char button, char pressed, char flag) {
  (void)flag;
  if (!IsReady()) return 0;
  if (!(IsActive() && IsEnabled() && IsShown())) {
    SetPressed(0);
    SetDraggingState(0);
    return 0;
  }
  if (button != 0) return 0;
  GetMWin()->RenderNeeded();
  if (IsDragging() && !pressed) {
    SetDraggingState(0);
    return 0;
  }
  if (pressed) {
    SetPressed(1);
    return 1;
  }
  if (!IsPressed()) return 1;
  SetPressed(0);
  TextEditHandleMousePress();
  return 1;
}

char MWinTextEdit::KeepFocusOnMouseMove() {
  if (!ShouldKeepFocusOnMouseMove()) return 0;
  return m_edit_mode ? 1 : 0;
}

char MWinTextEdit::TextEditHandleMousePress() {
  if (!m_edit_mode) {
    TextEditTurnOnEditing(1);
    return 1;
  }
  MWin *mwin = GetMWin();
  const _Dimension *a = GetActualArea();
  if (!mwin->IsMouseViewportCursorInArea(a)) {
    TurnOffEditing(0);
    return 1;
  }
  float mouse_x = 0, mouse_y = 0;
  mwin->GetMousePos(&mouse_x, &mouse_y);
  int length = m_edit_buffer ? int(strlen(m_edit_buffer)) : 0;
  int place = length;
  EngFont *font = GetTextFont();
  MWinLayoutSettings *layout = GetLayoutSettings();
  float offset = layout ? layout->text_margin : 0;
  if (font && m_edit_buffer) {
    UpdateTextFontColourAndScale();
    char prefix[MWIN_TEXTEDIT_MAX_LENGTH + 3];
    for (int i = 0; i < length; i++) {
      memcpy(prefix, m_edit_buffer, size_t(i));
      prefix[i] = 0;
      if (a->x + offset + font->GetStringWidth(prefix) >= mouse_x) {
        place = i;
        break;
      }
    }
  }
  if (place > m_max_length - 1) place = m_max_length - 1;
  if (place < 0) place = 0;
  m_cursor = place;
  TextEditUpdateCursor();
  return 1;
}

char MWinTextEdit::HandleKeyDown(int key) {
  if (!ShouldHandleKeyDown()) return 0;
  MWinWindow *window = GetWindow();
  MWinGroup *group = GetGroup();
  if (TextEditHandleKeyDown(key)) return 1;
  if (IsGone() || !IsValid() || GetWindow() != window || GetGroup() != group) return 1;
  return PostHandleKeyDown(key, 0);
}

char MWinTextEdit::HandleKeyDownUChar(unsigned char c) {
  if (!ShouldHandleKeyDownUChar()) return 0;
  return TextEditHandleKeyDownUChar(c);
}

// Whether the field's kind takes the character at the end of a text of this length.
char MWinTextEdit::Filter(unsigned char c, int length) {
  const char *text = m_edit_buffer;
  char digit = (c >= '0' && c <= '9') ? 1 : 0;
  switch (m_edit_type) {
    case MWIN_TEXTEDIT_NUMBER:
      if (!digit && c != '-' && c != '.') return 0;
      if (c == '-' && length > 0) return 0;
      if ((c == '-' || c == '.') && strchr(text, '.')) return 0;
      return 1;
    case MWIN_TEXTEDIT_IP_ADDRESS:
      if (!digit && c != '.') return 0;
      if (c == '.' && (length == 0 || text[length - 1] == '.')) return 0;
      if (digit && length >= 3) {
        const char *end = text + length;
        if (end[-1] >= '0' && end[-1] <= '9' && end[-2] >= '0' && end[-2] <= '9' && end[-3] >= '0' && end[-3] <= '9')
          return 0;
      }
      return 1;
    case MWIN_TEXTEDIT_EMAIL: return (c == 9 || c == ' ') ? 0 : 1;
    default: return 1;
  }
}

// Filters and inserts one character; 1 taken (or a full field), 0 refused by the filter.
char MWinTextEdit::InsertChar(unsigned char c) {
  int length = int(strlen(m_edit_buffer));
  int limit = m_max_length < m_edit_capacity - 3 ? m_max_length : m_edit_capacity - 3;
  if (length >= limit) return 1;
  if (!Filter(c, length)) return 0;
  if (m_cursor > length) m_cursor = length;
  if (m_cursor < 0) m_cursor = 0;
  memmove(m_edit_buffer + m_cursor + 1, m_edit_buffer + m_cursor, size_t(length - m_cursor + 1));
  m_edit_buffer[m_cursor] = char(c);
  m_cursor++;
  TextEditUpdateCursor();
  return 1;
}

char MWinTextEdit::Paste() {
  eng_key_down[231] = 0;
  int size = m_max_length - m_cursor + 1;
  if (size < 1) size = 1;
  char *pasted = static_cast<char *>(EngMalloc(size_t(size), ENG_FUNC, 1));
  if (!pasted) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 1;
  }
  if (VariousPasteClipboardToString(pasted, size)) {
    // Every character passes the field's filters; the per-key callback runs once, after.
    for (int i = 0; pasted[i]; i++) {
      TextEditPlayKeySound();
      InsertChar((unsigned char)pasted[i]);
    }
  }
  EngFree(pasted, 0, ENG_FUNC);
  if (m_callback_each_key && HasCallback() && IsShown() && !CallEditCallback(255)) return 1;
  TextEditPlayKeySound();
  return 1;
}

char MWinTextEdit::TextEditHandleKeyDownUChar(unsigned char c) {
  if (!m_edit_mode) return 0;
  if (!m_edit_buffer) {
    DebugErrorAlt(ENG_FUNC, "No text");
    return 0;
  }
  if (m_max_length < 1) {
    DebugErrorAlt(ENG_FUNC, "No text length");
    return 0;
  }
  if (c == 9 || c == 13 || c == 27 || c == 127 || c == 250 || c == 251) return 0;
  char command_only = KeyIsDown(231) && !KeyIsDown(228) && !KeyIsDown(229) ? 1 : 0;
  if (c == 'v' && command_only) return Paste();
  if (c == 'c' && command_only) {
    VariousCopyClipboardFromString(m_edit_buffer);
    return 1;
  }
  TextEditPlayKeySound();
  if (!InsertChar(c)) return 0;
  if (m_callback_each_key && HasCallback() && IsShown()) CallEditCallback(255);
  return 1;
}

char MWinTextEdit::TextEditHandleKeyDown(int code) {
  if (!m_edit_mode) {
    if (code != 13) return 0;
    TextEditTurnOnEditing(1);
    return 1;
  }
  if (code == 27 || code == 13) {
    TurnOffEditing(code == 13 ? 1 : 0);
    return 1;
  }
  int length = m_edit_buffer ? int(strlen(m_edit_buffer)) : 0;
  switch (code) {
    case 8:
    case 127:
      if (m_edit_buffer) {
        int at = code == 8 ? m_cursor : m_cursor - 1;
        if (at >= 0 && at < length) {
          memmove(m_edit_buffer + at, m_edit_buffer + at + 1, size_t(length - at));
          m_cursor = at;
        }
        TextEditUpdateCursor();
      }
      if (m_callback_each_key && HasCallback() && IsShown() && !CallEditCallback(255)) return 1;
      TextEditPlayKeySound();
      return 1;
    case 244:
    case 245:
    case 250:
    case 251:
      if (code == 244) m_cursor--;
      if (code == 245) m_cursor++;
      if (code == 250) m_cursor = 0;
      if (code == 251) m_cursor = length;
      if (m_cursor < 0) m_cursor = 0;
      if (m_cursor > length) m_cursor = length;
      TextEditUpdateCursor();
      TextEditPlayKeySound();
      return 1;
    case 246:
    case 247: return 1;
    default: return 0;
  }
}

void MWinTextEdit::Deactivate() {
  if (m_edit_mode && m_edit_mode != 2 && !TurnOffEditing(0)) return;
  MWinButton::Deactivate();
}

void MWinTextEdit::TextEditDeactivate() {
  if (m_edit_mode && m_edit_mode != 2) TurnOffEditing(0);
}

// ---- Tick and drawing ----

char MWinTextEdit::Tick() {
  if (!ShouldTick()) return 0;
  return TextEditTick();
}

char MWinTextEdit::TextEditTick() {
  MWin *mwin = GetMWin();
  if (!m_edit_mode) {
    if (m_cursor_visible) {
      m_cursor_visible = 0;
      if (mwin) mwin->RenderNeeded();
    }
    return 0;
  }
  if (!IsPressed()) {
    SetPressed(1);
    if (mwin) mwin->RenderNeeded();
  }
  if (eng_main_device && eng_main_current_time - blink_time >= 0.3) {
    blink_time = eng_main_current_time;
    m_cursor_visible = m_cursor_visible ? 0 : 1;
    TextEditUpdateCursor();
  }
  return 1;
}

char MWinTextEdit::Render() {
  if (!IsOnScreen() || !PrepareForRender()) return 0;
  RenderNoPrepare();
  UpdateTextFontColourAndScale();
  TextEditRenderText();
  RestoreAfterRenderAreaCrop();
  return 1;
}

void MWinTextEdit::TextEditRenderText() {
  if (!m_edit_mode || !m_cursor_visible) {
    if (m_hide_letters)
      TextEditRenderHiddenLetters();
    else
      RenderNormalText();
    return;
  }
  EngFont *font = GetTextFont();
  MWin *mwin = GetMWin();
  if (!font || !mwin) return;
  const _Dimension *a = GetActualArea();
  float x = 0;
  font->RecordNextTextXPos(m_cursor);
  if (m_hide_letters) {
    x = TextEditRenderHiddenLetters();
    font->RecordNextTextXPos(-1);
  } else {
    const char *text = StoredText();
    _Dimension area = *a;
    if (!text || !text[0])
      mwin->RenderText(GetFontNum(), GetTextAlign(), GetTextMargin(), &area, nullptr, " ", 0, 1, 0);
    else
      RenderNormalText();
    x = font->RecordNextTextXPos(-1);
    // The pen passes no character at the end of the text: the cursor then follows it.
    if (text && m_cursor >= int(strlen(text)) && text[0] && x <= 0) x = a->x + GetTextMargin() + font->GetStringWidth(text);
    if (x <= 0) x = a->x + GetTextMargin();
  }
  _ColourRGBA saved_colour, colour;
  _Vector2d saved_scale;
  font->GetColour(&saved_colour);
  font->GetScale(&saved_scale);
  GetTextColour(&colour);
  colour.a *= 0.6f;
  font->SetColour(&colour);
  float sx = 0, sy = 0;
  GetTextScaleNoOrientation(&sx, &sy);
  sx *= GetAutoResizeScaleX();
  sy *= GetAutoResizeScaleY();
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (layout && layout->orientation_text_scale_x > 0 && layout->orientation_text_scale_y > 0) {
    sx *= layout->orientation_text_scale_x;
    sy *= layout->orientation_text_scale_y * 1.5f;
  }
  font->SetScale(sx, sy);
  _Dimension box = {x - 20, a->y, 40, a->height};
  mwin->RenderText(GetFontNum(), MWIN_ALIGN_CENTRE, 0, &box, nullptr, "I", 0, 1, 0);
  font->SetColour(&saved_colour);
  font->SetScale(&saved_scale);
  if (eng_main_program) eng_main_program->EventDrivenLoopDoTimerActionOnNextTick();
}

float MWinTextEdit::TextEditRenderHiddenLetters() {
  const char *text = StoredText();
  EngFont *font = GetTextFont();
  MWin *mwin = GetMWin();
  if (!text || !text[0] || !font || !mwin) return 0;
  const _Dimension *a = GetActualArea();
  float star = font->GetStringWidth("*");
  float x = a->x;
  for (int i = 0; text[i]; i++) {
    _Dimension box = {x, a->y, a->width, a->height};
    mwin->RenderText(GetFontNum(), MWIN_ALIGN_LEFT, GetTextMargin(), &box, nullptr, "*", 0, 1, 0);
    x += star;
  }
  float cursor = x + GetTextMargin() + star / 2;
  return cursor < a->x + a->width ? cursor : a->x + a->width;
}
