// Font creation: FreeType renders every wanted code, the cells are packed into square sheets,
// each finished sheet is blurred and handed to the OpenGL side.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFile.h"
#include "Engine/EngFont.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngUtilsGL.h"

char eng_font_show_char_warnings = 0;

static void (*sheet_hook)(const EngFont *, int, const unsigned char *, int, int) = nullptr;

void EngFontSetSheetHookForTests(void (*hook)(const EngFont *, int, const unsigned char *, int, int)) {
  sheet_hook = hook;
}

void EngFontShowCharWarnings(char on) { eng_font_show_char_warnings = on; }

static bool HasGlBackEnd() {
  return eng_main_device_type == ENG_DEVICE_TYPE_OPENGL && eng_main_device_gl && eng_gl_3d_setup;
}

// Margins and shadows beyond this many pixels make no sense for a glyph and would overflow a cell.
static const int MAX_EFFECT_PIXELS = 256;
static const int MAX_BITMAP_SIDE = 5000;

void EngFont::SetCreationEffects(const _EngFontCreationEffects *effects) {
  if (effects)
    m_effects = *effects;
  else
    memset(&m_effects, 0, sizeof(m_effects));
}

// --- Glyphs ----------------------------------------------------------------------------------

struct GlyphCell {
  int width, height;     // the cell, margins and shadow included
  bool has_pixels;       // false for an empty glyph such as a space
  const FT_Bitmap *bitmap;
  int left, top;
};

static bool EngFontGetWidthAndHeightFromCharBitmap(const FT_Bitmap *bitmap, const _EngFontCreationEffects &fx,
                                                   int *width, int *height) {
  if (bitmap && bitmap->width >= 1 && bitmap->width <= (unsigned)MAX_BITMAP_SIDE && bitmap->rows >= 1 &&
      bitmap->rows <= (unsigned)MAX_BITMAP_SIDE) {
    *width = (int)bitmap->width + 2 * fx.margin + fx.shadow_x;
    *height = (int)bitmap->rows + 2 * fx.margin + fx.shadow_y;
    return true;
  }
  *width = 2;
  *height = 2;
  return false;
}

// Loads and renders one glyph; the caller releases it with FT_Done_Glyph. A glyph that cannot be
// turned into a bitmap stays in its own form and counts as empty.
static char RenderGlyph(const char *signature, FT_Face face, FT_UInt index, int code,
                        const _EngFontCreationEffects &fx, FT_Glyph *out, GlyphCell *cell) {
  if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT)) {
    DebugErrorAlt(signature, "FT_Load_Glyph failed");
    return 0;
  }
  FT_Glyph glyph = nullptr;
  if (FT_Get_Glyph(face->glyph, &glyph)) {
    DebugErrorAlt(signature, "FT_Get_Glyph failed");
    return 0;
  }
  if (glyph->format != FT_GLYPH_FORMAT_BITMAP && FT_Glyph_To_Bitmap(&glyph, FT_RENDER_MODE_NORMAL, nullptr, 1)) {
    if (code != 32 && code != 160) DebugErrorAlt(signature, "FT_Glyph_To_Bitmap failed");
  }
  cell->bitmap = nullptr;
  cell->left = cell->top = 0;
  if (glyph->format == FT_GLYPH_FORMAT_BITMAP) {
    FT_BitmapGlyph bitmap_glyph = (FT_BitmapGlyph)glyph;
    cell->bitmap = &bitmap_glyph->bitmap;
    cell->left = bitmap_glyph->left;
    cell->top = bitmap_glyph->top;
  }
  cell->has_pixels = EngFontGetWidthAndHeightFromCharBitmap(cell->bitmap, fx, &cell->width, &cell->height);
  *out = glyph;
  return 1;
}

// Coverage 0..255 of bitmap pixel (col, row), rows counted from the top whatever the pitch.
static unsigned char Coverage(const FT_Bitmap *bitmap, int col, int row) {
  const unsigned char *line =
      bitmap->pitch >= 0 ? bitmap->buffer + (size_t)row * bitmap->pitch
                         : bitmap->buffer + (size_t)(bitmap->rows - 1 - row) * (size_t)(-bitmap->pitch);
  if (bitmap->pixel_mode == FT_PIXEL_MODE_MONO) return (line[col >> 3] & (0x80 >> (col & 7))) ? 255 : 0;
  if (bitmap->pixel_mode == FT_PIXEL_MODE_GRAY) return line[col];
  return 0;
}

static unsigned char ScaledCoverage(unsigned char coverage, float factor) {
  float v = coverage * factor;
  if (v <= 0) return 0;
  if (v >= 255) return 255;
  return (unsigned char)v;
}

static void DrawBitmapIntoCell(const GlyphCell &g, const _EngFontCreationEffects &fx, int channels,
                               unsigned char *cell) {
  const FT_Bitmap *bitmap = g.bitmap;
  const int m = fx.margin, sx = fx.shadow_x, sy = fx.shadow_y;
  auto pixel = [&](int row, int col) { return cell + ((size_t)row * g.width + col) * channels; };
  const bool shadow = sx != 0 || sy != 0;
  for (int row = 0; row < (int)bitmap->rows; row++)
    for (int col = 0; col < (int)bitmap->width; col++) {
      unsigned char c = Coverage(bitmap, col, row);
      if (!shadow) {
        unsigned char *p = pixel(m + row, m + col);
        p[0] = c;
        if (channels == 2) p[1] = c;
      } else if (channels == 1) {
        *pixel(m + sy + row, m + sx + col) = ScaledCoverage(c, fx.shadow_brightness);
      } else {
        // Two-channel shadows and glyphs sit in the cell without the margin.
        unsigned char *p = pixel(sy + row, sx + col);
        p[0] = ScaledCoverage(c, fx.shadow_brightness);
        p[1] = ScaledCoverage(c, fx.shadow_opacity);
      }
    }
  if (!shadow) return;
  const int offset = channels == 1 ? m : 0;
  for (int row = 0; row < (int)bitmap->rows; row++)
    for (int col = 0; col < (int)bitmap->width; col++) {
      unsigned char c = Coverage(bitmap, col, row);
      if (c < 128) continue;
      unsigned char *p = pixel(offset + row, offset + col);
      p[0] = c;
      if (channels == 2) p[1] = c;
    }
}

int EngFont::ParseLetter(void *face_handle, int code) {
  FT_Face face = (FT_Face)face_handle;
  FT_UInt index = FT_Get_Char_Index(face, (FT_ULong)code);
  if (!index) {
    if (eng_font_show_char_warnings) DebugErrorAlt(ENG_FUNC, "EngFont::ParseLetter - No char at %d", code);
    return 0;
  }
  FT_Glyph glyph = nullptr;
  GlyphCell g;
  if (!RenderGlyph(ENG_FUNC, face, index, code, m_effects, &glyph, &g)) return -1;
  const int channels = m_two_channels ? 2 : 1;
  unsigned char *cell =
      (unsigned char *)EngMalloc((size_t)g.width * g.height * channels, ENG_FUNC, 1);
  if (!cell) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    FT_Done_Glyph(glyph);
    return -1;
  }
  if (g.has_pixels) DrawBitmapIntoCell(g, m_effects, channels, cell);
  const int advance_pixels = (int)(face->glyph->advance.x >> 6);
  m_widths[code & 255] = advance_pixels * m_create_x_scale;
  m_blank[code & 255] = g.has_pixels ? 0 : 1;
  const int rows = g.has_pixels ? (int)g.bitmap->rows : 0;
  char placed = CreateTextureFromData_GL(code, cell, g.width, g.height, g.has_pixels ? g.left : 0,
                                         g.has_pixels ? g.top : 0, rows, advance_pixels);
  EngFree(cell, 0, ENG_FUNC);
  FT_Done_Glyph(glyph);
  return placed ? 1 : -1;
}

// --- Sheets ----------------------------------------------------------------------------------

char EngFont::AllocSheetPart(int *sheet, int *x, int *y, int *row_height, int width, int height, int *out_x,
                             int *out_y, char counting) {
  const int s = m_sheet_size, pad = m_effects.margin + 2;
  // A cell wider or taller than a sheet's inside would be written past the sheet.
  if (width < 1 || height < 1 || width > s - 2 * pad || height > s - 2 * pad) {
    if (!counting) DebugErrorAlt(ENG_FUNC, "Cell %dx%d does not fit a sheet of %d", width, height, s);
    return 0;
  }
  if (*sheet > 0) {
    if (*x + width <= s && *y + height <= s) {
      *out_x = *x;
      *out_y = *y;
      *x += pad + width;
      if (height > *row_height) *row_height = height;
      return 1;
    }
    if (*x + width > s) {
      *x = pad;
      *y += pad + *row_height;
      *row_height = height;
      if (*y + height <= s) {
        *out_x = pad;
        *out_y = *y;
        *x = width + 2 * pad;
        return 1;
      }
    }
  }
  *x = width + 2 * pad;
  *y = pad;
  *row_height = height;
  if (!counting && *sheet > 0) {
    if (!m_sheet_data) {
      DebugErrorAlt(ENG_FUNC, "Sheet data not created (%d)", *sheet);
      return 0;
    }
    CopySheetDataToTexture(*sheet - 1);
    memset(m_sheet_data, 0, (size_t)s * s * (m_two_channels ? 2 : 1));
  }
  (*sheet)++;
  *out_x = pad;
  *out_y = pad;
  return 1;
}

// Places a finished cell on the current sheet and fills its letter record. Plain data: the
// sheet reaches OpenGL when it is uploaded.
char EngFont::CreateTextureFromData_GL(int code, const unsigned char *cell, int width, int height, int left,
                                       int top, int rows, int advance) {
  if (!m_sheet_data) {
    DebugErrorAlt(ENG_FUNC, "Sheet data not created");
    return 0;
  }
  if (!m_letters) {
    DebugErrorAlt(ENG_FUNC, "letter draw list not setup");
    return 0;
  }
  int cx = 0, cy = 0;
  if (!AllocSheetPart(&m_pack_sheet, &m_pack_x, &m_pack_y, &m_pack_row_height, width, height, &cx, &cy, 0))
    return 0;
  const int sheet = m_pack_sheet - 1, s = m_sheet_size;
  if (sheet < 0 || sheet >= m_num_sheets || sheet > 255) {
    DebugErrorAlt(ENG_FUNC, "Invalid sheet num %d (%d)", sheet, m_num_sheets);
    return 0;
  }
  const int channels = m_two_channels ? 2 : 1;
  for (int row = 0; row < height; row++)
    memcpy(m_sheet_data + ((size_t)(cy + row) * s + cx) * channels, cell + (size_t)row * width * channels,
           (size_t)width * channels);
  m_sheet_numbers[code] = sheet;
  const float half_margin = (m_effects.margin / 2.0f) / s;
  _EngFontLetter &l = m_letters[code];
  l.present = 1;
  l.sheet = (EngUInt8)sheet;
  l.x_offset = (float)(left - m_effects.shadow_x) * m_create_x_scale;
  l.y_offset = (float)(top - rows - m_effects.shadow_y) * m_create_y_scale + m_letter_y_extra;
  l.advance = advance * m_create_x_scale;
  l.tex_left = (float)cx / s - half_margin;
  l.tex_top = (float)cy / s - half_margin;
  l.tex_right = (float)(cx + width) / s + half_margin;
  l.tex_bottom = (float)(cy + height) / s + half_margin;
  l.width = width * m_create_x_scale;
  l.height = height * m_create_y_scale;
  return 1;
}

char EngFont::CopySheetDataToTexture(int sheet) {
  if (!m_sheet_data || sheet < 0 || sheet >= m_num_sheets) {
    DebugErrorAlt(ENG_FUNC, "Invalid sheet num %d (%d)", sheet, m_num_sheets);
    return 0;
  }
  const int channels = m_two_channels ? 2 : 1, s = m_sheet_size;
  const unsigned size = (unsigned)((size_t)s * s * channels);
  BinomColor(channels, m_effects.blur_opacity, m_effects.blur_first, s, s, m_sheet_data, size);
  if (sheet_hook) sheet_hook(this, sheet, m_sheet_data, s, channels);
  if (HasGlBackEnd()) UploadSheet_GL(sheet);
  return 1;
}

// --- Blur ------------------------------------------------------------------------------------

static void BlurPlane(const unsigned char *src, unsigned char *dst, int w, int h) {
  for (int y = 1; y <= h - 2; y++) {
    const unsigned char *up = src + (size_t)(y - 1) * w, *mid = src + (size_t)y * w, *down = src + (size_t)(y + 1) * w;
    unsigned char *out = dst + (size_t)y * w;
    for (int x = 1; x <= w - 2; x++) {
      int sum = up[x - 1] + 2 * up[x] + up[x + 1] + 2 * mid[x - 1] + 4 * mid[x] + 2 * mid[x + 1] + down[x - 1] +
                2 * down[x] + down[x + 1];
      out[x] = (unsigned char)(sum / 16);
    }
  }
  for (int y = 0; y < h; y++) {
    dst[(size_t)y * w] = src[(size_t)y * w + 1];
    dst[(size_t)y * w + w - 1] = src[(size_t)y * w + w - 2];
  }
  memcpy(dst, src + w, (size_t)w);
  memcpy(dst + (size_t)(h - 1) * w, src + (size_t)(h - 2) * w, (size_t)w);
}

void BinomColor(int channels, int passes_opacity, int passes_first, int w, int h, unsigned char *data,
                unsigned size) {
  if (!((channels == 2 && passes_opacity > 0) || passes_first > 0)) return;
  // Too small an image has no interior, and a short buffer would be read past.
  if (!data || channels < 1 || channels > 2 || w < 3 || h < 3 || (size_t)w * h * channels > size) return;
  unsigned char *a = (unsigned char *)EngMalloc(size, ENG_FUNC, 0);
  if (!a) {
    DebugErrorAlt(ENG_FUNC, "No memory (1)");
    return;
  }
  unsigned char *b = (unsigned char *)EngMalloc(size, ENG_FUNC, 0);
  if (!b) {
    DebugErrorAlt(ENG_FUNC, "No memory (2)");
    EngFree(a, 0, ENG_FUNC);
    return;
  }
  const size_t pixels = (size_t)w * h;
  for (int channel = 0; channel < channels; channel++) {
    const int passes = channel == 0 ? passes_first : passes_opacity;
    if (passes <= 0) continue;
    for (size_t i = 0; i < pixels; i++) a[i] = data[i * channels + channel];
    for (int pass = 0; pass < passes; pass++) {
      BlurPlane(a, b, w, h);
      unsigned char *t = a;
      a = b;
      b = t;
    }
    for (size_t i = 0; i < pixels; i++) data[i * channels + channel] = a[i];
  }
  EngFree(a, 0, ENG_FUNC);
  EngFree(b, 0, ENG_FUNC);
}

// --- Creation --------------------------------------------------------------------------------

char EngFont::CreateFromFontFile(const char *file, char two_channels, int, int size, int min_char, int max_char,
                                 char *wanted, int wanted_count, float x_scale, float y_scale, float letter_y_extra,
                                 float height_extra, float, float, float, float, char) {
  if (!file || !*file) {
    DebugErrorAlt(ENG_FUNC, "No font file name specified");
    return 0;
  }
  if (m_created) {
    DebugErrorAlt(ENG_FUNC, "FD already setup");
    return 0;
  }
  if (min_char < 0 || min_char > max_char) {
    DebugErrorAlt(ENG_FUNC, "Bad min_char_needed [%d]", min_char);
    return 0;
  }
  if (max_char < 32 || max_char > 255) {
    DebugErrorAlt(ENG_FUNC, "Bad max_char_needed [%d]", max_char);
    return 0;
  }
  if (size < 8 || size > m_sheet_size) {
    DebugErrorAlt(ENG_FUNC, "Bad max bitmap size [%d]", size);
    return 0;
  }
  if (two_channels < 0 || two_channels > 1) {
    DebugErrorAlt(ENG_FUNC, "Bad has_two_channels [%d]", two_channels);
    return 0;
  }
  const _EngFontCreationEffects &fx = m_effects;
  if (fx.margin < 0 || fx.shadow_x < 0 || fx.shadow_y < 0 || fx.margin > MAX_EFFECT_PIXELS ||
      fx.shadow_x > MAX_EFFECT_PIXELS || fx.shadow_y > MAX_EFFECT_PIXELS) {
    DebugErrorAlt(ENG_FUNC, "Bad creation effects [%d %d %d]", fx.margin, fx.shadow_x, fx.shadow_y);
    return 0;
  }
  const int count = max_char + 1;
  auto is_wanted = [&](int c) { return !wanted || c >= wanted_count || wanted[c] != 0; };

  FT_Library library = nullptr;
  FT_Face face = nullptr;
  auto fail = [&]() -> char {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
    FreeCreationBuffers();
    Destroy_GL();
    m_num_sheets = 0;
    m_char_count = 0;
    for (float &w : m_widths) w = 0;
    return 0;
  };

  EngUtilsGL_ErrorCheck(ENG_FUNC, "Pre Create Start");
  if (FT_Init_FreeType(&library)) {
    library = nullptr;
    DebugErrorAlt(ENG_FUNC, "FT_Init_FreeType Failed");
    return fail();
  }
  if (!EngFileExists(file, 0)) {
    DebugErrorAlt(ENG_FUNC, "Could not find file <%s>", file);
    return fail();
  }
  if (FT_New_Face(library, file, 0, &face)) {
    face = nullptr;
    DebugErrorAlt(ENG_FUNC, "Problem loading font <%s>", file);
    return fail();
  }
  m_char_count = count;
  m_two_channels = two_channels;
  m_face_height = face->height;
  m_height = size * y_scale + height_extra;
  m_create_x_scale = x_scale;
  m_create_y_scale = y_scale;
  m_letter_y_extra = letter_y_extra;
  if (FT_Set_Char_Size(face, size * 64, size * 64, 150, 150)) {
    DebugErrorAlt(ENG_FUNC, "FT_Set_Char_Size failed [%d]", size);
    return fail();
  }

  m_sheet_numbers = (EngInt32 *)EngMalloc(sizeof(EngInt32) * count, ENG_FUNC, 0);
  if (!m_sheet_numbers) {
    DebugErrorAlt(ENG_FUNC, "No memory for sheet number list");
    return fail();
  }
  for (int c = 0; c < count; c++) m_sheet_numbers[c] = -1;

  // Measuring pass: how many sheets the cells need.
  m_pack_sheet = m_pack_x = m_pack_y = m_pack_row_height = 0;
  for (int c = min_char; c <= max_char; c++) {
    if (!is_wanted(c)) continue;
    FT_UInt index = FT_Get_Char_Index(face, (FT_ULong)c);
    if (!index) continue;
    FT_Glyph glyph = nullptr;
    GlyphCell g;
    if (!RenderGlyph(ENG_FUNC, face, index, c, fx, &glyph, &g)) return fail();
    int px, py;
    AllocSheetPart(&m_pack_sheet, &m_pack_x, &m_pack_y, &m_pack_row_height, g.width, g.height, &px, &py, 1);
    FT_Done_Glyph(glyph);
  }
  m_num_sheets = m_pack_sheet;
  if (m_num_sheets <= 0) {
    DebugErrorAlt(ENG_FUNC, "No sheets");
    return fail();
  }

  EngUtilsGL_ErrorCheck(ENG_FUNC, "Pre Create Sheets");
  m_letters = (_EngFontLetter *)EngMalloc(sizeof(_EngFontLetter) * count, ENG_FUNC, 1);
  if (!m_letters) {
    DebugErrorAlt(ENG_FUNC, "No memory for letter info list");
    return fail();
  }
  if (HasGlBackEnd() && !CreateSheetTextures_GL()) return fail();

  EngUtilsGL_ErrorCheck(ENG_FUNC, "Pre Create Letters");
  const size_t sheet_bytes = (size_t)m_sheet_size * m_sheet_size * (two_channels ? 2 : 1);
  m_sheet_data = (unsigned char *)EngMalloc(sheet_bytes, ENG_FUNC, 1);
  if (!m_sheet_data) {
    DebugErrorAlt(ENG_FUNC, "Could not create sheet data");
    return fail();
  }

  // Making pass: the same codes in the same order, so the cells land where they were counted.
  m_pack_sheet = m_pack_x = m_pack_y = m_pack_row_height = 0;
  for (int c = min_char; c <= max_char; c++) {
    if (!is_wanted(c)) continue;
    if (ParseLetter(face, c) < 0) {
      DebugErrorAlt(ENG_FUNC, "EngFont::ParseLetter Failed <%d - %c>", c, (char)c);
      m_sheet_numbers[c] = -1;
      m_letters[c].present = 0;
    }
  }
  // The sheet being filled is the last one, unless letters failed and fewer sheets were used.
  if (m_pack_sheet > 0) CopySheetDataToTexture(m_pack_sheet - 1);
  EngFree(m_sheet_data, 0, ENG_FUNC);
  m_sheet_data = nullptr;
  EngUtilsGL_ErrorCheck(ENG_FUNC, "Post Create Sheet");

  m_scale_x = m_scale_y = 1;
  m_scaling_on = 0;
  for (float &c : m_colour) c = 1;
  m_colour_set = 0;
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  m_created = 1;
  return 1;
}

// --- Font files ------------------------------------------------------------------------------

char EngFontGetFontFileDetails(const char *file, char *family, char *style, int *cases) {
  if (!file) return 0;
  FT_Library library;
  if (FT_Init_FreeType(&library)) return 0;
  FT_Face face;
  if (FT_New_Face(library, file, 0, &face)) {
    FT_Done_FreeType(library);
    return 0;
  }
  if (family) EngSafeStrcpy(family, face->family_name ? face->family_name : "", 256);
  if (style) EngSafeStrcpy(style, face->style_name ? face->style_name : "", 256);
  if (cases) {
    auto has = [&](char c) { return FT_Get_Char_Index(face, (FT_ULong)(unsigned char)c) != 0; };
    const bool upper = has('A') && has('Z'), lower = has('a') && has('z');
    *cases = (upper && lower) ? 3 : upper ? 2 : lower ? 1 : 0;
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return 1;
}
