#include "Engine/MWin/MWinTextEntryMobile.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"

MWinWindow *mwinKeyInputMainWinWindow = nullptr;
MWinButton *mwinKeyInputMainWinBgButton = nullptr;
MWinButton *mwinKeyInputMainWinTitleButton = nullptr;
MWinButton *mwinKeyInputMainWinMessageButton = nullptr;
MWinButton *mwinKeyInputMainWinTextButton = nullptr;
MWinButton *mwinKeyInputMainWinKeysBackButton = nullptr;
MWinButton *mwinKeyInputMainWinDoneButton = nullptr;
MWinButton *mwinKeyInputMainWinShiftButton = nullptr;
MWinButton *mwinKeyInputMainWinDelButton = nullptr;

static MWIN_KEY_INPUT_FACTORY key_input_factory = nullptr;

// The one entry in progress.
static char *mwp_text_var = nullptr;
static int mpw_text_max_len = 0;
static _MWinButtonTextEditType mwp_gettext_type = MWIN_TEXTEDIT_TEXT;
static char mwp_hide_text = 0;
static char mwp_first_letter_caps = 0;
static char mpw_text_shift_on = 0;
static char mwp_text_char_pressed[2] = {0, 0};
static double mwp_text_char_pressed_time = 0;
static _Dimension mwp_text_char_pressed_dim = {0, 0, 0, 0};
static float mwp_text_char_pressed_pos[2] = {0, 0};
static MWinButton *mwp_gettext_buttonp = nullptr;
static MWinWindow *mwp_gettext_windowp = nullptr;
static MWinKeyInputLayout *mwp_key_input_cc = nullptr;

static const int kFunctionShift = 254, kFunctionDelete = 255;

static void ClearPreview() {
  mwp_text_char_pressed[0] = 0;
  mwp_text_char_pressed_time = 0;
  mwp_text_char_pressed_dim = {0, 0, 0, 0};
  mwp_text_char_pressed_pos[0] = mwp_text_char_pressed_pos[1] = 0;
}

static void DeleteController() {
  delete mwp_key_input_cc;
  mwp_key_input_cc = nullptr;
}

void MWinSetKeyInputLayoutFactory(MWIN_KEY_INPUT_FACTORY factory) { key_input_factory = factory; }

void MWinTextEntryResetForTests() {
  DeleteController();
  mwp_text_var = nullptr;
  mpw_text_max_len = 0;
  mwp_gettext_type = MWIN_TEXTEDIT_TEXT;
  mwp_hide_text = mwp_first_letter_caps = mpw_text_shift_on = 0;
  mwp_gettext_buttonp = nullptr;
  mwp_gettext_windowp = nullptr;
  ClearPreview();
  key_input_factory = nullptr;
}

char *MWinTextEntryGetBuffer_Mobile() { return mwp_text_var; }
char MWinTextEntryGetShift_Mobile() { return mpw_text_shift_on; }
const char *MWinTextEntryGetPreviewChar_Mobile() { return mwp_text_char_pressed; }
const _Dimension *MWinTextEntryGetPreviewArea_Mobile() { return &mwp_text_char_pressed_dim; }

void MWinTextEntryPopupClosed_Mobile() {
  // The caller's buffer may be gone once its popup is: it is never written after this.
  mwp_text_var = nullptr;
  mwp_gettext_buttonp = nullptr;
  mwp_gettext_windowp = nullptr;
  ClearPreview();
  DeleteController();
}

void MWin::PopupGetTextSetType_Mobile(_MWinButtonTextEditType kind, char hide, char first_letter_caps) {
  m_gettext_kind_mobile = kind;
  m_gettext_hide_mobile = hide;
  m_gettext_caps_mobile = first_letter_caps;
}

// ---- Showing the text ----

void MWinPopupGetTextSetButtonText_Mobile(MWinButton *button, const char *text) {
  if (!button) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  if (!mwp_hide_text || !text || !text[0]) {
    button->SetText(text);
    return;
  }
  size_t length = strlen(text);
  char *stars = static_cast<char *>(EngMalloc(length + 1, ENG_FUNC, 0));
  if (!stars) return;
  memset(stars, '*', length);
  stars[length] = 0;
  button->SetText(stars);
  EngFree(stars, 0, ENG_FUNC);
}

void MWinPopupGetTextUpdateShiftKey_Mobile() {
  if (!mwinKeyInputMainWinShiftButton) return;
  if (mpw_text_shift_on)
    mwinKeyInputMainWinShiftButton->SetColour(0.498f, 1.0f, 0.498f, 1.0f);
  else
    mwinKeyInputMainWinShiftButton->SetColour(0.8f, 0.8f, 0.8f, 1.0f);
}

// ---- Building the keyboard ----

static char IsPhoneLayout(_EngLayout layout) {
  return layout == ENG_LAYOUT_PHONE_PORTRAIT || layout == ENG_LAYOUT_PHONE_LANDSCAPE ? 1 : 0;
}

struct KeyStyle {
  MWinWindow *window;
  const char *texbut;
  _ColourRGBA colour;
  float scale_x, scale_y;
  const char *font;
};

static MWinButton *AddKey(const KeyStyle &style, char c, int column, float x, float y, float w, float h,
                          float scale) {
  char id[8] = {'K', 'E', 'Y', '_', c, 0};
  char text[2] = {c, 0};
  MWinButton *key = style.window->AddButton(id, MWIN_BUTTON_PUSH, style.texbut, text, x, y, w, h,
                                            MWinPopupGetTextKeyCB_Mobile, column, int(static_cast<unsigned char>(c)));
  if (!key) return nullptr;
  key->SetTextScale(style.scale_x * scale, style.scale_y * scale);
  key->SetTextColour(&style.colour);
  key->SetTextAlign(MWIN_ALIGN_CENTRE);
  key->SetFont(style.font);
  return key;
}

static void BuildLetterKeys(const KeyStyle &style, _EngLayout layout, _Dimension area, float s) {
  static const char *const rows_a[5] = {"1234567890", "QWERTYUIOP", "ASDFGHJKL!", ",ZXCVBNM.?", "-+'    &$%"};
  static const char *const rows_b[5] = {"1234567890", "QWERTYUIOP", "ASDFGHJKL@", "_ZXCVBNM,.", "!#$%&'+-=^"};
  char layout_a = mwp_gettext_type == MWIN_TEXTEDIT_TEXT ? 1 : 0;
  const char *const *rows = layout_a ? rows_a : rows_b;
  char tablet = IsPhoneLayout(layout) ? 0 : 1;
  float gx = layout == ENG_LAYOUT_TABLET_LANDSCAPE ? 12.0f : 6.0f;
  float gy = tablet ? 8.0f : 6.0f;
  float kw = area.width / 10 - gx, kh = area.height / 5 - gy;
  float top = (area.height - (4 * gy + 5 * kh)) * 0.5f;
  if (tablet) kh = kh / 1.5f;
  for (int r = 0; r < 5; r++) {
    const char *row = rows[r];
    int n = int(strlen(row));
    float y = area.y + top + r * (gy + kh);
    float x = area.x + (area.width - (n * kw + (n - 1) * gx)) * 0.5f;
    char space_made = 0;
    for (int col = 0; col < n; col++) {
      char c = row[col];
      if (c == ' ' && layout_a) {
        // The first blank is a Space bar four slots wide; the blanks it covers make no keys.
        if (space_made) continue;
        space_made = 1;
        float width = kw + 3 * (kw + gx);
        MWinButton *space = AddKey(style, ' ', col, x, y, width, kh, 0.75f);
        if (space) space->SetText("Space");
        x += width + gx;
        continue;
      }
      MWinButton *key = AddKey(style, c, col, x, y, kw, kh, s);
      if (key && c == ' ') key->Hide();
      x += kw + gx;
    }
  }
}

static void BuildDigitKeys(const KeyStyle &style, _Dimension area, float s) {
  static const char *const rows[4] = {"123", "456", "789", ".0-"};
  float kw = area.width / 3 - 6, kh = 0.25f * area.height - 6;
  for (int r = 0; r < 4; r++) {
    const char *row = rows[r];
    int n = int(strlen(row));
    float y = area.y + (area.height - (4 * kh + 18)) * 0.5f + r * (kh + 6);
    float x = area.x + (area.width - (n * kw + (n - 1) * 6)) * 0.5f;
    for (int col = 0; col < n; col++, x += kw + 6) {
      if (row[col] == '-' && mwp_gettext_type != MWIN_TEXTEDIT_NUMBER) continue;
      AddKey(style, row[col], col, x, y, kw, kh, s);
    }
  }
}

static void MoveUp(MWinButton *button, float dy, float grow) {
  _Dimension a = *button->GetOrigArea();
  button->SetOrigPos(a.x, a.y - dy, a.width, a.height + grow);
}

// Title and message lines: an absent one is hidden and what follows moves up into its room.
static void PlaceTitleAndMessage(const char *title, const char *message) {
  MWinButton *title_b = mwinKeyInputMainWinTitleButton, *message_b = mwinKeyInputMainWinMessageButton;
  MWinButton *text_b = mwinKeyInputMainWinTextButton, *keys_b = mwinKeyInputMainWinKeysBackButton;
  char has_title = title && title[0], has_message = message && message[0];
  float title_h = title_b->GetOrigArea()->height, message_h = message_b->GetOrigArea()->height;
  if (has_title) title_b->SetText(title);
  if (has_message) message_b->SetText(message);
  if (has_title && !has_message) {
    message_b->Hide();
    MoveUp(text_b, message_h / 2, 0);
  } else if (!has_title && has_message) {
    title_b->Hide();
    MoveUp(message_b, title_h, 0);
    MoveUp(text_b, title_h / 2, 0);
  } else if (!has_title && !has_message) {
    title_b->Hide();
    message_b->Hide();
    float dy = text_b->GetOrigArea()->y - title_b->GetOrigArea()->y;
    MoveUp(text_b, dy, 0);
    MoveUp(keys_b, dy, dy);
  }
}

static MWinWindow *BuildWindow(MWinKeyInputLayout *cc, MWinCollection *collection, _EngLayout layout) {
  switch (layout) {
    case ENG_LAYOUT_TABLET_PORTRAIT: return cc->AddMainWinWindowToCollectionIPadPortrait(collection);
    case ENG_LAYOUT_PHONE_PORTRAIT: return cc->AddMainWinWindowToCollectionIPhonePortrait(collection);
    case ENG_LAYOUT_TABLET_LANDSCAPE: return cc->AddMainWinWindowToCollectionIPadLandscape(collection);
    case ENG_LAYOUT_PHONE_LANDSCAPE: return cc->AddMainWinWindowToCollectionIPhoneLandscape(collection);
    default: return nullptr;
  }
}

char MWin::PopupGetText_Mobile(const char *title, const char *message, char *buffer, int max_length,
                               MWIN_POPUP_CALLBACK callback, void *user) {
  if (!IS_MOBILE) {
    DebugErrorAlt(ENG_FUNC, "Not mobile.");
    return 0;
  }
  if (!buffer || max_length < 0) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  mwp_gettext_type = _MWinButtonTextEditType(m_gettext_kind_mobile);
  mwp_hide_text = m_gettext_hide_mobile;
  mwp_first_letter_caps = m_gettext_caps_mobile;
  m_gettext_kind_mobile = 0;
  m_gettext_hide_mobile = m_gettext_caps_mobile = 0;
  ClearPreview();
  if (!key_input_factory) {
    DebugErrorAlt(ENG_FUNC, "No key input layout");
    return 0;
  }
  if (!PopupCreateCollection()) return 0;
  if (mwp_key_input_cc) {
    DebugErrorAlt(ENG_FUNC, "Controller already created");
    DeleteController();
  }
  mwp_key_input_cc = key_input_factory();
  MWinWindow *window = nullptr;
  if (mwp_key_input_cc) {
    mwp_key_input_cc->RemoveVars();
    mwp_key_input_cc->m_mwin = this;
    mwp_key_input_cc->m_screens = m_screens;
    mwp_key_input_cc->m_game = GetGame(1);
    window = BuildWindow(mwp_key_input_cc, GetPopupCollection(), m_screen_layout);
  }
  MWinButton *keys_b = mwinKeyInputMainWinKeysBackButton;
  if (!window || !keys_b || !mwinKeyInputMainWinTitleButton || !mwinKeyInputMainWinMessageButton ||
      !mwinKeyInputMainWinTextButton || !mwinKeyInputMainWinDoneButton || !mwinKeyInputMainWinShiftButton ||
      !mwinKeyInputMainWinDelButton) {
    // Nothing half-made stays up, and the caller's buffer is not taken.
    DeleteController();
    PopupCloseCollection();
    return 0;
  }
  window->UseCallbacks();
  PlaceTitleAndMessage(title, message);
  MWinPopupGetTextSetButtonText_Mobile(mwinKeyInputMainWinTextButton, buffer);
  mwinKeyInputMainWinTextButton->Disable();
  mwinKeyInputMainWinDoneButton->SetCallback(MWinPopupGetTextDoneCB_Mobile, 0, 0, this, 1);
  mwinKeyInputMainWinShiftButton->SetCallback(MWinPopupGetTextKeyCB_Mobile, -1, kFunctionShift, 1);
  mwinKeyInputMainWinDelButton->SetCallback(MWinPopupGetTextKeyCB_Mobile, -1, kFunctionDelete, 1);

  _Dimension area = *keys_b->GetOrigArea();
  float m = m_screen_layout == ENG_LAYOUT_TABLET_LANDSCAPE ? 10.0f : 5.0f;
  area.x += m;
  area.width -= 2 * m;
  area.y += 5;
  area.height -= 10;
  float s = IsPhoneLayout(m_screen_layout) ? 1.1f : 1.0f;
  KeyStyle style;
  style.window = keys_b->GetWindow();
  style.texbut = keys_b->GetBackTexButID();
  keys_b->GetTextColour(&style.colour);
  keys_b->GetTextScaleNoOrientation(&style.scale_x, &style.scale_y);
  style.font = keys_b->GetFontID();
  if (mwp_gettext_type == MWIN_TEXTEDIT_TEXT || mwp_gettext_type == MWIN_TEXTEDIT_EMAIL) {
    BuildLetterKeys(style, m_screen_layout, area, s);
  } else if (mwp_gettext_type == MWIN_TEXTEDIT_NUMBER || mwp_gettext_type == MWIN_TEXTEDIT_IP_ADDRESS) {
    mwinKeyInputMainWinShiftButton->Hide();
    BuildDigitKeys(style, area, s);
  }
  keys_b->Hide();
  mwp_gettext_buttonp = keys_b;
  mwp_gettext_windowp = keys_b->GetWindow();
  PopupCompleteSetup(callback, user);
  mwp_text_var = buffer;
  mpw_text_max_len = max_length;
  mpw_text_shift_on = mwp_first_letter_caps;
  MWinPopupGetTextUpdateShiftKey_Mobile();
  return 1;
}

// ---- Keys ----

// The character as the entry's kind takes it, or 0 when refused.
static char FilterChar(char c, const char *text) {
  size_t length = strlen(text);
  switch (mwp_gettext_type) {
    case MWIN_TEXTEDIT_TEXT:
    case MWIN_TEXTEDIT_EMAIL:
      if (c >= 'A' && c <= 'Z' && !mpw_text_shift_on) c = char(c - 'A' + 'a');
      if (mwp_gettext_type == MWIN_TEXTEDIT_TEXT && c != ' ' && mpw_text_shift_on) {
        mpw_text_shift_on = 0;
        MWinPopupGetTextUpdateShiftKey_Mobile();
      }
      return c;
    case MWIN_TEXTEDIT_NUMBER:
      if (!(c >= '0' && c <= '9') && c != '-' && c != '.') return 0;
      if (c == '-' && length) return 0;
      if ((c == '.' || c == '-') && strchr(text, '.')) return 0;
      return c;
    case MWIN_TEXTEDIT_IP_ADDRESS: {
      if (!(c >= '0' && c <= '9') && c != '.') return 0;
      if (c == '.') return (length == 0 || text[length - 1] == '.') ? 0 : c;
      if (length >= 3 && text[length - 1] != '.' && text[length - 2] != '.' && text[length - 3] != '.') return 0;
      return c;
    }
    default: return c;
  }
}

static void RecordPreview(char c, MWinButton *key) {
  const _Dimension *k = key->GetActualArea();
  float w = k->width * 1.1f, h = k->height * 1.6f;
  mwp_text_char_pressed[0] = c;
  mwp_text_char_pressed[1] = 0;
  mwp_text_char_pressed_time = eng_main_current_time;
  mwp_text_char_pressed_dim = {k->x + (k->width - w) / 2, k->y - 5 - h, w, h};
  mwp_text_char_pressed_pos[0] = mwp_text_char_pressed_dim.x + w / 2;
  mwp_text_char_pressed_pos[1] = mwp_text_char_pressed_dim.y + h / 2;
}

void MWinPopupGetTextKeyCB_Mobile(MWin *mwin, _MWinButtonCallbackInfo *info, int number, int code) {
  if (!IS_MOBILE) {
    DebugErrorAlt(ENG_FUNC, "Not mobile.");
    return;
  }
  MWinButton *text_b = mwinKeyInputMainWinTextButton;
  if (!mwin || !text_b || !mwp_text_var) return;
  char *text = mwp_text_var;
  if (number < 0) {
    if (code == kFunctionDelete) {
      size_t length = strlen(text);
      if (length) text[length - 1] = 0;
      mpw_text_shift_on = 0;
      length = strlen(text);
      if (mwp_gettext_type == MWIN_TEXTEDIT_TEXT && mwp_first_letter_caps &&
          (length == 0 || text[length - 1] == '.'))
        mpw_text_shift_on = 1;
      MWinPopupGetTextUpdateShiftKey_Mobile();
    } else if (code == kFunctionShift) {
      mpw_text_shift_on = mpw_text_shift_on ? 0 : 1;
      MWinPopupGetTextUpdateShiftKey_Mobile();
    }
  } else {
    size_t length = strlen(text);
    if (int(length) >= mpw_text_max_len) return;
    char c = FilterChar(char(code), text);
    if (!c) return;
    text[length] = c;
    text[length + 1] = 0;
    if (mwp_gettext_type == MWIN_TEXTEDIT_TEXT && mwp_first_letter_caps && (c == '.' || c == ' ')) {
      mpw_text_shift_on = 1;
      MWinPopupGetTextUpdateShiftKey_Mobile();
    }
    if (info && info->button) RecordPreview(c, info->button);
  }
  MWinPopupGetTextSetButtonText_Mobile(text_b, text);
  text_b->SetTextColour(1, 1, 1, 1);
  text_b->SetColour(1, 1, 1, 1);
  mwin->PlaySound(MWIN_SOUND_KEY_OR_SCROLL);
}

void MWinPopupGetTextDoneCB_Mobile(MWin *mwin, _MWinButtonCallbackInfo *info, int a, int b, void *user) {
  (void)mwin;
  (void)info;
  (void)a;
  (void)b;
  mwp_gettext_buttonp = nullptr;
  mwp_gettext_windowp = nullptr;
  mwp_text_var = nullptr;
  DeleteController();
  // The popup closes and the caller hears OK; the text is already in its buffer.
  MWinPopupOkCallback(user);
}

// ---- Drawing ----

float MWinTextEntryPreviewAlpha_Mobile(double d) {
  if (d < 0.1) return float(d / 0.1);
  if (d < 0.4) return 1.0f;
  if (d < 0.5) return float(1.0 - (d - 0.4) / 0.1);
  return 0.0f;
}

static void RenderPreview(MWin *mwin) {
  if (!mwp_text_char_pressed[0] || !mwin->GetFonts() || !mwin->GetTextures()) return;
  double d = eng_main_current_time - mwp_text_char_pressed_time;
  float alpha = MWinTextEntryPreviewAlpha_Mobile(d);
  const _ColourRGBA white = {1, 1, 1, alpha};
  MWinTextures *textures = mwin->GetTextures();
  textures->DrawTextureButton(textures->GetStandardTexButNum(31), MWIN_TEXSTATE_NORMAL, &mwp_text_char_pressed_dim,
                              &white);
  EngFont *font = mwp_gettext_buttonp ? mwp_gettext_buttonp->GetTextFont() : nullptr;
  if (font) {
    float sx = 1, sy = 1;
    font->GetScale(&sx, &sy);
    font->SetColour(&white);
    font->SetScale(sx * 1.2f, sy * 1.2f);
    font->DrawStringAlign(mwp_text_char_pressed_pos[0], mwp_text_char_pressed_pos[1], 1, 1, mwp_text_char_pressed,
                          1);
    font->SetScale(sx, sy);
  }
  if (d > 3.0) ClearPreview();
}

char MWin::PopupRenderFullScreenTextEntryMobile(char check_only) {
  if (!mwp_text_var || !IsOn() || !PopupIsOn() || !GetPopupCollection()) return 0;
  if (mwp_gettext_buttonp != mwinKeyInputMainWinKeysBackButton) {
    DebugErrorAlt(ENG_FUNC, "Internal Error (2)");
    PopupTurnOff();
    return 0;
  }
  if (!mwp_gettext_buttonp || mwp_gettext_windowp != mwp_gettext_buttonp->GetWindow()) {
    DebugErrorAlt(ENG_FUNC, "Internal Error (3)");
    PopupTurnOff();
    return 0;
  }
  if (check_only) return 1;
  EngDevice *device = eng_main_device;
  if (!device) return 1;
  char entered_2d = device->PrepareFor2DIfNeeded(1);
  {
    MWinDrawingScope drawing(device);
    GetPopupCollection()->Render();
    RenderPreview(this);
  }
  if (entered_2d) device->RestoreAfter2D();
  return 1;
}
