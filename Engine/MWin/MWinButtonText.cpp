// The widget's texts (two owned copies or a language token), the scrolling text, the font and
// text style, and the colouring of back and text.
#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngFont.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinWindow.h"

// Shared by every widget's formatted texts; results are cut at 510 characters.
char mwin_text_printf_format_str[611];
static const _ColourRGBA mwb_no_colour = {1.0f, 1.0f, 1.0f, 1.0f};

// ---- Texts ----

char MWinButton::TextsUsable(const char *signature) {
  if (IsValid()) return 1;
  DebugStandardError(signature, DEBUG_ERR_NOSU);
  return 0;
}

char MWinButton::AllocAndSetText(int n, const ENG_CHAR *text) {
  if (!TextsUsable(ENG_FUNC)) return 0;
  if (n < 0 || n >= 2) {
    DebugErrorAlt(ENG_FUNC, "Invalid text num");
    return 0;
  }
  FreeText(n);
  if (!text || !text[0]) return 1;
  size_t length = strlen(text);
  ENG_CHAR *copy = static_cast<ENG_CHAR *>(EngMalloc(length + 1, ENG_FUNC, 0));
  if (!copy) {
    m_text_length[n] = 0;
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  memcpy(copy, text, length + 1);
  m_text[n] = copy;
  m_text_length[n] = EngInt32(length);
  m_text_alloc_count++;
  if (length >= 512) DebugErrorAlt(ENG_FUNC, "String too long");
  return 1;
}

void MWinButton::FreeText(int n) {
  if (!TextsUsable(ENG_FUNC)) return;
  if (n < 0 || n >= 2) {
    DebugErrorAlt(ENG_FUNC, "Invalid text num");
    return;
  }
  if (m_text[n]) {
    EngFree(m_text[n], 0, ENG_FUNC);
    m_text[n] = nullptr;
    m_text_alloc_count--;
  }
  m_text_length[n] = 0;
}

void MWinButton::FreeTexts() {
  FreeText(0);
  FreeText(1);
}

void MWinButton::DoSetText(int n, const ENG_CHAR *text) {
  AllocAndSetText(n, text);
  if (m_mwin) m_mwin->RenderNeeded();
}

void MWinButton::SetText(const ENG_CHAR *text) {
  LanguageTokenOff();
  DoSetText(0, text);
}

void MWinButton::SetText2(const ENG_CHAR *text) { DoSetText(1, text); }

void MWinButton::SetTexts(const ENG_CHAR *text0, const ENG_CHAR *text1) {
  LanguageTokenOff();
  DoSetText(0, text0);
  DoSetText(1, text1);
}

void MWinButton::SetMultilineText(const ENG_CHAR *text) {
  SetText(text);
  m_multiline = 1;
}

void MWinButton::SetVFormattedText(char multiline, const char *format, va_list args) {
  if (!format) return;
  vsnprintf(mwin_text_printf_format_str, sizeof(mwin_text_printf_format_str), format, args);
  mwin_text_printf_format_str[510] = 0;
  if (multiline)
    SetMultilineText(mwin_text_printf_format_str);
  else
    SetText(mwin_text_printf_format_str);
}

void MWinButton::SetTextPrintf(const char *format, ...) {
  va_list args;
  va_start(args, format);
  SetVFormattedText(0, format, args);
  va_end(args);
}

void MWinButton::SetMultilineTextPrintf(const char *format, ...) {
  va_list args;
  va_start(args, format);
  SetVFormattedText(1, format, args);
  va_end(args);
}

char MWinButton::HasText(int n) {
  if (n < 0 || n >= 2) {
    DebugErrorAlt(ENG_FUNC, "Invalid text number %d", n);
    return 0;
  }
  return m_text[n] && m_text[n][0] ? 1 : 0;
}

const ENG_CHAR *MWinButton::GetTextP(int n) {
  if (n < 0 || n >= 2) {
    DebugErrorAlt(ENG_FUNC, "Invalid text number %d", n);
    return nullptr;
  }
  if (!m_text[n]) {
    DebugErrorAlt(ENG_FUNC, n == 0 ? "No text present. Ensure call HasText() first."
                                   : "No text present. Ensure call HasText2() first.");
    return nullptr;
  }
  return m_text[n];
}

// ---- Language token ----

void MWinButton::LanguageTokenOff() {
  m_lang_token_mode = 0;
  m_lang_token[0] = 0;
  m_lang_token_num = -1;
  m_lang_token_sub_texts = 0;
  // Lengths follow the stored texts again.
  for (int n = 0; n < 2; n++) m_text_length[n] = m_text[n] ? EngInt32(strlen(m_text[n])) : 0;
}

char MWinButton::SetTextLanguageToken(const char *token) {
  if (EngLanguagesIsSetup() && token && token[0] && strlen(token) < sizeof(m_lang_token)) {
    char copy[sizeof(m_lang_token)];
    EngSafeStrcpy(copy, token, sizeof(copy));
    EngInt32 num = EngLanguagesGetTokenNumForToken(copy, 1);
    if (num >= 0) {
      EngInt32 count = 0;
      num = EngLanguagesGetTokenNumAndNumSubTextsForToken(copy, &count);
      if (num >= 0) {
        EngSafeStrcpy(m_lang_token, copy, sizeof(m_lang_token));
        m_lang_token_num = num;
        m_lang_token_sub_texts = count;
        m_lang_token_mode = 1;
        for (int n = 0; n < 2; n++) {
          const char *sub = n < count ? EngLanguagesGetString(num, n) : nullptr;
          m_text_length[n] = sub ? EngInt32(strlen(sub)) : 0;
        }
        if (m_mwin) m_mwin->RenderNeeded();
        return 1;
      }
    }
  }
  LanguageTokenOff();
  return 0;
}

void MWinButton::NewLanguageSet() {
  if (m_lang_token[0]) {
    char token[sizeof(m_lang_token)];
    EngSafeStrcpy(token, m_lang_token, sizeof(token));
    SetTextLanguageToken(token);
  }
  if (m_mwin) m_mwin->RenderNeeded();
}

// ---- Scrolling text ----

void MWinButton::SetScrollingText(const char *text, float speed) {
  if (m_scroll_text) EngFree(m_scroll_text, 0, "SetScrollingText");
  m_scroll_text = nullptr;
  m_scroll_length = 0;
  m_scroll_pos = 0;
  if (!text || !text[0]) return;
  size_t length = strlen(text);
  m_scroll_text = static_cast<char *>(EngMalloc(length + 1, "SetScrollingText", 0));
  if (!m_scroll_text) return;
  memcpy(m_scroll_text, text, length + 1);
  m_scroll_length = EngInt32(length);
  m_scroll_pos = 10;
  m_scroll_speed = speed;
  m_text_align = MWIN_ALIGN_LEFT;
  FreeTexts();
}

void MWinButton::ScrollingTextTick() {
  if (m_scroll_text) m_scroll_pos += m_scroll_speed * 60.0f * float(eng_main_frames_per_second);
}

// ---- Measuring ----

float MWinButton::GetTextWidth() {
  if (m_multiline || !m_text[0] || !m_text[0][0] || m_font_num < 0) return 0;
  EngFont *font = GetTextFont();
  if (!font) return 0;
  UpdateTextFontColourAndScale();
  return font->GetStringWidth(m_text[0]);
}

char MWinButton::CalcMultilineTextBoxSize(float *w, float *h) {
  if (w) *w = 0;
  if (h) *h = 0;
  if (!m_multiline || !m_text[0] || !m_text[0][0] || m_font_num < -1) return 0;
  EngFont *font = GetTextFont();
  if (!font) return 0;
  UpdateTextFontColourAndScale();
  float widest = 0, height = 0;
  font->DrawMultilineText(m_actual_area.x, m_actual_area.y, m_actual_area.width, m_actual_area.height,
                          char(m_text_align), 0, m_text[0], 0, 0, &widest, &height, nullptr, nullptr);
  if (w) *w = widest;
  if (h) *h = height;
  return 1;
}

void MWinButton::GetTextXLimits(float *left, float *right, float margin) {
  if (margin < 0) margin = m_text_margin;
  float l = m_actual_area.x + margin, r = m_actual_area.x + m_actual_area.width - margin;
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (m_type == MWIN_BUTTON_CHECKBOX && layout) r -= 2 * (layout->checkbox_width + layout->checkbox_gap);
  // Symmetric: the larger inset on both sides.
  float inset_l = l - m_actual_area.x, inset_r = m_actual_area.x + m_actual_area.width - r;
  float inset = inset_l > inset_r ? inset_l : inset_r;
  if (left) *left = m_actual_area.x + inset;
  if (right) *right = m_actual_area.x + m_actual_area.width - inset;
}

// ---- Font and text style ----

void MWinButton::SetFontNumFromID(const char *id) {
  MWinCopyID(m_font_id, id);
  m_font_num = !strcmp(id, "MWIN_FONT_NONE") ? -2 : -1;
}

char MWinButton::SetFont(const char *id) {
  if (!id || !id[0]) {
    DebugErrorAlt(ENG_FUNC, "Font id is empty");
    SetFontNumFromID("MWIN_FONT_DEFAULT");
    return 0;
  }
  if (!strcmp(id, "MWIN_FONT_DEFAULT") || !strcmp(id, "MWIN_FONT_NONE")) {
    SetFontNumFromID(id);
    return 1;
  }
  MWinFonts *fonts = m_mwin ? m_mwin->GetFonts() : nullptr;
  int num = fonts ? fonts->GetFontNumFromID(id) : -2;
  if (num < 0) {
    DebugErrorAlt(ENG_FUNC, "User font <%s> not found", MWinDisplayID(id));
    SetFontNumFromID("MWIN_FONT_DEFAULT");
    return 0;
  }
  MWinCopyID(m_font_id, id);
  m_font_num = num;
  return 1;
}

EngFont *MWinButton::GetTextFont() {
  MWinFonts *fonts = m_mwin ? m_mwin->GetFonts() : nullptr;
  if (!fonts) return nullptr;
  if (m_font_num >= 0) return fonts->GetUserFont(m_font_num);
  return fonts->GetFont(m_font_num);
}

void MWinButton::SetTextScale(float x, float y) {
  m_text_scale_x = x;
  m_text_scale_y = y;
  if (m_mwin) m_mwin->RenderNeeded();
}

void MWinButton::SetTextScale(const _Vector2d *scale) {
  if (scale)
    SetTextScale(scale->x, scale->y);
  else
    SetTextScale(1.0f, 1.0f);
}

void MWinButton::SetTextScaleRelative(char relative, char check) {
  m_text_scale_relative = relative ? 1 : 0;
  if (check) DebugErrorAlt(ENG_FUNC, "Check call.");
}

void MWinButton::GetTextScaleNoOrientation(float *x, float *y) {
  if (x) *x = m_text_scale_x;
  if (y) *y = m_text_scale_y;
}

void MWinButton::GetTextScaleIncludingOrientation(float *x, float *y) {
  MWinLayoutSettings *layout = GetLayoutSettings();
  float ox = layout ? layout->orientation_text_scale_x : 1.0f, oy = layout ? layout->orientation_text_scale_y : 1.0f;
  if (x) *x = m_text_scale_x * ox;
  if (y) *y = m_text_scale_y * oy;
}

void MWinButton::SetTextColour(float r, float g, float b, float a) {
  if (r >= 0) m_text_colour.r = r;
  if (g >= 0) m_text_colour.g = g;
  if (b >= 0) m_text_colour.b = b;
  if (a >= 0) m_text_colour.a = a;
  if (m_colouring == 1) m_colouring = 2;
  if (m_mwin) m_mwin->RenderNeeded();
}

void MWinButton::SetTextColour(float r, float g, float b) { SetTextColour(r, g, b, -1.0f); }

void MWinButton::SetTextColour(const _ColourRGBA *colour) {
  if (colour) SetTextColour(colour->r, colour->g, colour->b, colour->a);
}

void MWinButton::SetTextColour(const _ColourRGB *colour) {
  if (colour) SetTextColour(colour->r, colour->g, colour->b, -1.0f);
}

void MWinButton::SetTextTransparency(float a) {
  m_text_colour.a = a;
  if (m_mwin) m_mwin->RenderNeeded();
}

void MWinButton::GetTextColour(_ColourRGBA *out) {
  if (out) *out = m_text_colour;
}

void MWinButton::UpdateButtonsTextStylesFromFontStyleID(const char *style) {
  if (!style || !style[0]) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  MWinFonts *fonts = m_mwin ? m_mwin->GetFonts() : nullptr;
  const _MWinFontStyle *found = fonts ? fonts->GetFontsFontStyle(m_font_num, style) : nullptr;
  if (!found) return;
  m_text_scale_x = found->scale_x;
  m_text_scale_y = found->scale_y;
  m_text_colour = {found->r, found->g, found->b, found->a};
  if (m_colouring == 1) m_colouring = 2;
  if (m_mwin) m_mwin->RenderNeeded();
}

// The font's colour and scale follow the button's at once (what drawing would set).
static void ApplyFontNow(MWinButton *button) {
  if (button->GetTextFont()) button->UpdateTextFontColourAndScale();
}

char MWinButton::CopyFromOtherButton(MWinButton *other, char full) {
  if (!other) {
    DebugErrorAlt(ENG_FUNC, "No button.");
    return 0;
  }
  MWinCopyID(m_id, other->m_id);
  SetBackTexButToTexBut(other->m_back_texbut_id);
  SetOrigArea(&other->m_orig_area);
  if (other->m_shown)
    m_shown = 1;
  else
    Hide();
  if (other->m_enabled)
    Enable();
  else
    Disable();
  if (full) {
    MWinWindow *other_window = other->m_window;
    if (other_window && m_window) {
      if (other_window->GetDefaultButton() == other) m_window->SetDefaultButton(this);
      if (other_window->GetEscapeButton() == other) m_window->SetEscapeButton(this);
    }
  }
  SetType(other->m_type);
  SetFont(other->m_font_id);
  if (full) {
    AllocAndSetText(0, other->m_text[0]);
    AllocAndSetText(1, other->m_text[1]);
  }
  m_multiline = other->m_multiline;
  SetTextLanguageToken(other->m_lang_token);
  m_text_colour = other->m_text_colour;
  m_text_scale_x = other->m_text_scale_x;
  m_text_scale_y = other->m_text_scale_y;
  m_text_scale_relative = other->m_text_scale_relative;
  m_text_align = other->m_text_align;
  m_colouring = 1;
  m_colour = other->m_colour;
  if (full) ApplyFontNow(this);
  if (m_mwin) m_mwin->RenderNeeded();
  return 1;
}

void MWinButton::CopyFontFromOtherButton(MWinButton *other, char apply) {
  if (!other) {
    DebugErrorAlt(ENG_FUNC, "No button.");
    return;
  }
  SetFont(other->m_font_id);
  m_text_colour = other->m_text_colour;
  m_text_scale_x = other->m_text_scale_x;
  m_text_scale_y = other->m_text_scale_y;
  m_text_scale_relative = other->m_text_scale_relative;
  m_text_align = other->m_text_align;
  m_colouring = 1;
  m_colour = other->m_colour;
  if (apply) ApplyFontNow(this);
  if (m_mwin) m_mwin->RenderNeeded();
}

// ---- Colouring ----

void MWinButton::SetColour(const _ColourRGBA *colour) {
  if (!colour) {
    m_colouring = 0;
    return;
  }
  m_colouring = 1;
  m_colour = *colour;
  if (m_mwin) m_mwin->RenderNeeded();
}

void MWinButton::SetColour(float r, float g, float b, float a) {
  _ColourRGBA c = {r, g, b, a};
  SetColour(&c);
}

void MWinButton::SetColour(const _ColourRGB *colour) {
  if (!colour) {
    m_colour.r = m_colour.g = m_colour.b = 1.0f;
    m_colouring = 0;
    return;
  }
  m_colouring = 1;
  m_colour.r = colour->r;
  m_colour.g = colour->g;
  m_colour.b = colour->b;
  if (m_mwin) m_mwin->RenderNeeded();
}

void MWinButton::SetTransparency(float a) {
  float before = GetTransparency();
  if (a == 1.0f && m_colouring == 0) {
    m_colour.a = 1.0f;
  } else {
    m_colouring = m_colouring ? m_colouring : 1;
    m_colour.a = a;
  }
  if (before != GetTransparency() && m_mwin) m_mwin->RenderNeeded();
}

void MWinButton::GetColour(_ColourRGBA *out) {
  if (out) *out = m_colouring ? m_colour : mwb_no_colour;
}

const _ColourRGBA *MWinButton::GetColour() { return m_colouring ? &m_colour : &mwb_no_colour; }

float MWinButton::GetTransparency() { return m_colouring ? m_colour.a : 1.0f; }
