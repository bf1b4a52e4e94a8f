#include "Engine/EngFont.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngMemory.h"
#include "Engine/EngWindow.h"

char eng_font_ready_for_drawing = 0;
char eng_font_using_ratio = 0;
char eng_font_prepared_2d = 0;

static char saved_is_saved = 0;
static char saved_ready_for_drawing = 0;
static char saved_using_ratio = 0;

void EngFontResetForTests() {
  eng_font_ready_for_drawing = 0;
  eng_font_using_ratio = 0;
  eng_font_prepared_2d = 0;
  eng_font_show_char_warnings = 0;
  saved_is_saved = 0;
  saved_ready_for_drawing = 0;
  saved_using_ratio = 0;
}

static bool HasGlBackEnd() { return eng_main_device_type == ENG_DEVICE_TYPE_OPENGL && eng_main_device_gl; }

// --- Life -------------------------------------------------------------------------------------

EngFont::EngFont() {
  m_sheet_numbers = nullptr;
  m_sheet_data = nullptr;
  m_sheet_textures = nullptr;
  m_letters = nullptr;
  ResetVars();
}

EngFont::~EngFont() { Destroy(); }

void EngFont::ResetVars() {
  m_created = 0;
  m_height = 0;
  memset(&m_effects, 0, sizeof(m_effects));
  m_sheet_numbers = nullptr;
  m_char_count = 0;
  m_sheet_size = 512;
  m_num_sheets = 0;
  m_scale_x = m_scale_y = 1;
  m_scaling_on = 0;
  for (float &c : m_colour) c = 1;
  m_colour_set = 0;
  m_multiline_ygap = 0;
  for (float &w : m_widths) w = 0;
  memset(m_blank, 0, sizeof(m_blank));
  m_face_height = 0;
  m_two_channels = 0;
  m_record_index = -1;
  m_recorded_x = 0;
  m_start_x_on = 0;
  m_start_x = 0;
  m_create_x_scale = m_create_y_scale = 1;
  m_letter_y_extra = 0;
  m_sheet_data = nullptr;
  m_pack_sheet = m_pack_x = m_pack_y = m_pack_row_height = 0;
  ResetVars_GL();
}

void EngFont::FreeCreationBuffers() {
  if (m_sheet_numbers) EngFree(m_sheet_numbers, 0, ENG_FUNC);
  m_sheet_numbers = nullptr;
  if (m_sheet_data) EngFree(m_sheet_data, 0, ENG_FUNC);
  m_sheet_data = nullptr;
}

void EngFont::Destroy() {
  if (!m_created) return;
  FreeCreationBuffers();
  Destroy_GL();
  ResetVars();
}

int EngFont::GetSheetNumber(int code) const {
  if (!m_sheet_numbers || code < 0 || code >= m_char_count) return -1;
  return m_sheet_numbers[code];
}

const _EngFontLetter *EngFont::GetLetter(int code) const {
  if (!m_letters || code < 0 || code >= m_char_count || !m_letters[code].present) return nullptr;
  return &m_letters[code];
}

// --- Scale and colour ----------------------------------------------------------------------

void EngFont::SetScale(float x, float y) {
  if (!m_created) return;
  m_scale_x = x;
  m_scale_y = y;
  m_scaling_on = (x != 0 && y != 0 && (x != 1 || y != 1)) ? 1 : 0;
}

void EngFont::SetScale(const _Vector2d *scale) {
  if (!scale) {
    m_scale_x = m_scale_y = 1;
    m_scaling_on = 0;
    return;
  }
  SetScale(scale->x, scale->y);
}

void EngFont::SetScaleIncWidescreen(float x, float y) { SetScale(x * eng_main_window_x_widescreen_ratio, y); }

void EngFont::SetScaleIncWidescreen(const _Vector2d *scale) {
  if (!scale) {
    SetScale(nullptr);
    return;
  }
  SetScaleIncWidescreen(scale->x, scale->y);
}

void EngFont::GetScale(_Vector2d *out) {
  if (!m_created || !out) return;
  out->x = m_scale_x;
  out->y = m_scale_y;
}

void EngFont::GetScale(float *x, float *y) {
  if (!m_created) return;
  if (x) *x = m_scale_x;
  if (y) *y = m_scale_y;
}

void EngFont::SetColour(const _ColourRGBA *colour) {
  if (!m_created || !colour) return;
  m_colour[0] = colour->r;
  m_colour[1] = colour->g;
  m_colour[2] = colour->b;
  m_colour[3] = colour->a;
  m_colour_set = 1;
}

void EngFont::SetColour(float r, float g, float b, float a) {
  if (!m_created) return;
  const float given[4] = {r, g, b, a};
  for (int i = 0; i < 4; i++)
    if (given[i] >= 0) m_colour[i] = given[i];
  m_colour_set = 1;
}

void EngFont::GetColour(_ColourRGBA *out) {
  if (out) GetColour(&out->r, &out->g, &out->b, &out->a);
}

void EngFont::GetColour(float *r, float *g, float *b, float *a) {
  float *outs[4] = {r, g, b, a};
  for (int i = 0; i < 4; i++)
    if (outs[i]) *outs[i] = m_colour_set ? m_colour[i] : 1.0f;
}

void EngFont::SetMultilineYgap(float gap) {
  if (m_created) m_multiline_ygap = gap;
}

float EngFont::RecordNextTextXPos(int index) {
  m_record_index = index;
  return m_recorded_x;
}

void EngFont::DrawStringPartSetXStartPos(char on, float x) {
  m_start_x_on = on;
  m_start_x = x;
}

// --- Measuring -------------------------------------------------------------------------------

float EngFont::GetStringWidth(const char *text) {
  if (!m_created || !text) return 0;
  float width = 0;
  for (const char *p = text; *p; p++) width += m_widths[(unsigned char)*p];
  return m_scaling_on ? width * m_scale_x : width;
}

float EngFont::GetFontHeight(char scaled) {
  if (!m_created) return 0;
  return (scaled && m_scaling_on) ? m_height * m_scale_y : m_height;
}

float EngFont::GetCharWidth(char c) { return m_widths[(unsigned char)c]; }

float EngFont::GetScaledCharWidth(char c) {
  float w = m_widths[(unsigned char)c];
  return m_scaling_on ? w * m_scale_x : w;
}

char EngFont::GetCharDrawingDimensions(int c, float *a, float *b, float *d) {
  if (!HasGlBackEnd()) return 1;
  return GetCharDrawingDimensions_GL(c, a, b, d);
}

// --- Single lines --------------------------------------------------------------------------

float EngFont::DrawStringPart(float x, float y, const char *text, int count, float right_limit) {
  if (!m_created || !text || !eng_main_device || !HasGlBackEnd()) return 0;
  if (!eng_font_ready_for_drawing) {
    DebugErrorAlt(ENG_FUNC, "Not ready for drawings");
    return 0;
  }
  if (eng_font_using_ratio != 2 && !eng_main_device->Is2dPrepared()) {
    DebugErrorAlt(ENG_FUNC, "2D Not setup");
    return 0;
  }
  // The count never reaches past the string's end.
  int length = (int)strnlen(text, 0x7fffffff);
  if (count < 1 || count >= length) count = length;
  return DrawStringPart_GL(x, y, text, right_limit, count);
}

float EngFont::DrawString(float x, float y, const char *text) { return DrawStringPart(x, y, text, 0, 0); }

void EngFont::DoDrawStringPartAlign(float x, float y, char h_align, const char *text, int count, float right_limit,
                                    char prepare) {
  if (!m_created || !text) return;
  char prepared_here = 0;
  if (prepare) EngFontPrepareForDrawingWithOrientationIfNeeded(1, &prepared_here);
  // The whole string is measured even when only part of it is drawn.
  if (h_align == 1)
    x += GetStringWidth(text) * -0.5f;
  else if (h_align == 2)
    x -= GetStringWidth(text);
  DrawStringPart(x, y, text, count, right_limit);
  if (prepared_here) EngFontRestoreAfterDrawing();
}

void EngFont::DrawStringAlign(float x, float y, char h_align, char v_align, const char *text, char prepare) {
  DoDrawStringPartAlign(x, DrawStringPartAlignGetYPos(y, v_align), h_align, text, 0, 0, prepare);
}

void EngFont::DrawStringAlignInt(int x, int y, char h_align, char v_align, const char *text, char prepare) {
  DrawStringAlign((float)x, (float)y, h_align, v_align, text, prepare);
}

void EngFont::DrawStringPartAlign(float x, float y, char h_align, char v_align, const char *text, int count,
                                  float right_limit, char prepare) {
  DoDrawStringPartAlign(x, DrawStringPartAlignGetYPos(y, v_align), h_align, text, count, right_limit, prepare);
}

float EngFont::DrawStringPartAlignGetYPos(float y, char v_align) {
  if (!m_created) return 0;
  return DrawStringPartAlignGetYPos_GL(y, GetFontHeight(1), v_align);
}

char EngFont::DrawToTexture(EngTexture *texture, const char *text, float x, float y, float x_scale, float y_scale,
                            char flag) {
  if (!m_created) return 0;
  if (HasGlBackEnd()) return DrawToTexture_GL(texture, text, x, y, x_scale, y_scale, flag);
  if (!text || !*text) {
    DebugErrorAlt(ENG_FUNC, "No string");
    return 0;
  }
  if (!texture) {
    DebugErrorAlt(ENG_FUNC, "No texture");
    return 0;
  }
  if (!m_sheet_numbers) {
    DebugErrorAlt(ENG_FUNC, "No sheets.");
    return 0;
  }
  float width = 0;
  for (const char *p = text; *p; p++) width += m_widths[(unsigned char)*p];
  if (width <= 0) return 1;
  DebugErrorAlt(ENG_FUNC, "Could not get max height.");
  return 0;
}

// --- Several lines ---------------------------------------------------------------------------

void EngFont::DrawMultilineText(float x, float y, float w, float h, char h_align, char v_align, const char *text,
                                char draw, int first_line, float *out_widest, float *out_height, int *out_lines,
                                char *out_all_fitted) {
  if (!m_created || !text) {
    if (out_lines) *out_lines = 0;
    if (out_widest) *out_widest = 0;
    if (out_height) *out_height = 0;
    if (out_all_fitted) *out_all_fitted = 1;
    return;
  }
  if (out_lines) *out_lines = 0;
  // Layout measures with the stored factors whether or not scaling is on.
  const float lh = m_height * m_scale_y;
  const int n = (int)strlen(text);
  if (n == 0 || (n == 1 && IsCharWhitespace(text[0]))) {
    if (out_lines) *out_lines = 1;
    if (out_widest) *out_widest = 0;
    if (out_height) *out_height = lh;
    if (out_all_fitted) *out_all_fitted = 1;
    return;
  }
  auto own_width = [&](int i) { return m_widths[(unsigned char)text[i]] * m_scale_x; };
  // In the break test blanks, tabs and newlines weigh nothing.
  auto break_width = [&](int i) {
    char c = text[i];
    return (c == ' ' || c == '\t' || c == '\n') ? 0.0f : own_width(i);
  };

  int line_start = 0, last_break = -1, line_number = 0, lines = 0;
  float running = 0, widest = 0, pen_y = y;
  const float bottom = y + h - lh;
  const float step = m_multiline_ygap != 0 ? m_multiline_ygap : lh;
  int i = 0;
  bool finished = false;
  char buffer[256];
  const bool held = draw && HasGlBackEnd() && eng_font_ready_for_drawing;
  if (held) HoldRuns_GL();
  for (;;) {
    int line_end, next_start = 0;
    for (;;) {
      if (i >= n) {
        line_end = n;
        finished = true;
        break;
      }
      if (text[i] == '\n') {
        line_end = next_start = i;
        break;
      }
      float next_w = (i + 1 < n) ? break_width(i + 1) : 0.0f;
      if (running + break_width(i) + next_w >= w) {
        int blank = -1;
        if (i > 0 && text[i - 1] != '\n')
          for (int j = i; j >= 1; j--)
            if (IsCharWhitespace(text[j])) {
              blank = j;
              break;
            }
        if (blank >= 0 && blank < i && blank > last_break)
          line_end = next_start = blank;  // word wrap: the blank begins the next line
        else
          line_end = next_start = i;  // forced break
        break;
      }
      running += own_width(i);
      if (running > widest) widest = running;
      i++;
    }

    if (line_number >= first_line) {
      if (line_end == 0) {
        lines++;
        pen_y += step;
      } else {
        int start = line_start;
        if (text[start] == '\n') start++;
        int length = line_end - start;
        if (length < 0) length = 0;
        if (length > 255) {
          DebugErrorAlt(ENG_FUNC, "Line part too long");
          length = 255;
        }
        memcpy(buffer, text + start, (size_t)length);
        buffer[length] = 0;
        if (draw && !(length == 1 && buffer[0] == '\n')) {
          float line_y = DrawStringPartAlignGetYPos(pen_y, v_align);
          if (h_align == 0 && buffer[0] == ' ')
            DoDrawStringPartAlign(x, line_y, 0, buffer + 1, 0, 0, 0);
          else
            DoDrawStringPartAlign(x, line_y, h_align, buffer, 0, 0, 0);
        }
        lines++;
        pen_y += step;
      }
    }
    if (pen_y > bottom || finished) break;
    line_number++;
    line_start = last_break = next_start;
    running = 0;
    i = next_start + 1;
  }
  if (held) DrawHeldRuns_GL();
  if (out_lines) *out_lines = lines;
  if (out_widest) *out_widest = widest;
  if (out_height) *out_height = pen_y - y;
  if (out_all_fitted) *out_all_fitted = finished ? 1 : 0;
}

// --- Drawing state ---------------------------------------------------------------------------

void EngFontPrepareForDrawing(char mode) { EngFontPrepareForDrawingWithOrientation(ENG_ORIENTATION_UNSET, mode); }

void EngFontPrepareForDrawingWithOrientation(char mode) {
  EngFontPrepareForDrawingWithOrientation((_EngOrientation)EngMainGetOrientationAlt(), mode);
}

void EngFontPrepareForDrawingWithOrientation(_EngOrientation orientation, char mode) {
  if (!eng_main_device) return;
  if (mode == 2) {
    DebugErrorAlt(ENG_FUNC, "Call EngFontPrepareForDrawingPure2() instead");
    EngFontPrepareForDrawingPure2();
    return;
  }
  eng_font_prepared_2d = eng_main_device->PrepareFor2DIfNeeded(1);
  eng_main_device->SaveOrRestoreBlendingState(1);
  eng_main_device->EnableBlendingType(0);
  if (HasGlBackEnd()) EngFontPrepareForDrawingWithOrientation_GL(orientation, mode);
  eng_font_ready_for_drawing = 1;
  eng_font_using_ratio = mode;
}

void EngFontPrepareForDrawingPure2() {
  if (!eng_main_device) return;
  eng_main_device->SaveOrRestoreBlendingState(1);
  eng_main_device->EnableBlendingType(0);
  eng_font_prepared_2d = 0;
  eng_font_ready_for_drawing = 1;
  eng_font_using_ratio = 2;
}

void EngFontRestoreAfterDrawing() {
  if (!eng_main_device) return;
  if (!eng_font_ready_for_drawing) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return;
  }
  if (HasGlBackEnd()) EngFontRestoreAfterDrawing_GL();
  eng_main_device->SaveOrRestoreBlendingState(0);
  if (eng_font_prepared_2d) eng_main_device->RestoreAfter2D();
  eng_font_prepared_2d = 0;
  eng_font_ready_for_drawing = 0;
}

static char PrepareIfNeeded(const char *signature, char mode, char *out_prepared, bool with_orientation) {
  if (eng_font_ready_for_drawing) {
    if ((eng_font_using_ratio == 0) == (mode == 0)) {
      if (out_prepared) *out_prepared = 0;
      return 1;
    }
    DebugErrorAlt(signature, "Ratio mix problem");
    EngFontRestoreAfterDrawing();
  }
  if (with_orientation)
    EngFontPrepareForDrawingWithOrientation(mode);
  else
    EngFontPrepareForDrawingWithOrientation(ENG_ORIENTATION_UNSET, mode);
  if (out_prepared) *out_prepared = 1;
  return 0;
}

char EngFontPrepareForDrawingIfNeeded(char mode, char *out_prepared) {
  return PrepareIfNeeded(ENG_FUNC, mode, out_prepared, false);
}

char EngFontPrepareForDrawingWithOrientationIfNeeded(char mode, char *out_prepared) {
  return PrepareIfNeeded(ENG_FUNC, mode, out_prepared, true);
}

char EngFontRestoreAfterDrawingIfNeeded() {
  if (!eng_font_ready_for_drawing) return 0;
  EngFontRestoreAfterDrawing();
  return 1;
}

char EngFontIsReadyForDrawing() { return eng_font_ready_for_drawing; }

void EngFontSaveAndUnPrepareStateOrRestoreAndPrepareState(char save) {
  if (save) {
    if (saved_is_saved) DebugErrorAlt(ENG_FUNC, "Already saved");
    saved_ready_for_drawing = eng_font_ready_for_drawing;
    saved_using_ratio = eng_font_using_ratio;
    if (eng_font_ready_for_drawing) EngFontRestoreAfterDrawing();
    saved_is_saved = 1;
    return;
  }
  if (!saved_is_saved) DebugErrorAlt(ENG_FUNC, "Not saved");
  // The remembered state is used once, so a second restore does not prepare again.
  if (saved_ready_for_drawing) {
    if (saved_using_ratio == 2)
      EngFontPrepareForDrawingPure2();
    else
      EngFontPrepareForDrawingWithOrientation(ENG_ORIENTATION_UNSET, saved_using_ratio);
  }
  saved_ready_for_drawing = 0;
  saved_is_saved = 0;
}
