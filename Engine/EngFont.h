// Bitmap fonts: a TrueType or OpenType file rasterised once through FreeType into square sheet
// textures with a glyph record per 8-bit (Latin-1) code, then measured, aligned, word-wrapped
// and drawn as textured quads between a prepare and a restore call. No OpenGL types appear here.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTypes.h"

class EngTexture;

// What creation adds around each glyph. Sixteen words; only the first seven are read.
struct _EngFontCreationEffects {
  EngInt32 margin;             // pixels around the glyph inside its cell
  EngInt32 shadow_x;           // shadow offset to the right, pixels
  EngInt32 shadow_y;           // shadow offset downwards, pixels
  float shadow_brightness;     // shadow brightness = coverage x this
  float shadow_opacity;        // shadow opacity = coverage x this (two-channel sheets)
  EngInt32 blur_first;         // blur passes over the first channel of each sheet
  EngInt32 blur_opacity;       // blur passes over the opacity channel of two-channel sheets
  EngInt32 unused[9];
};
static_assert(sizeof(_EngFontCreationEffects) == 64, "sixteen 32-bit words");

// One glyph as the drawing side reads it: offsets from the pen and baseline, the advance and
// the quad size in design units, texture coordinates in its sheet.
struct _EngFontLetter {
  EngUInt8 present;
  EngUInt8 sheet;
  float x_offset, y_offset, advance;
  float tex_left, tex_top, tex_right, tex_bottom;
  float width, height;
};

// Coordinate mode of the current preparation: 0 window pixels, 1 the 640 by 480 design space,
// 2 the caller's own projection.
extern char eng_font_ready_for_drawing;
extern char eng_font_using_ratio;
extern char eng_font_prepared_2d;
extern char eng_font_show_char_warnings;

class EngFont {
 public:
  EngFont();
  ~EngFont();
  EngFont(const EngFont &) = delete;
  EngFont &operator=(const EngFont &) = delete;

  // Creation (from a font file through FreeType).
  char CreateFromFontFile(const char *file, char two_channels, int unused1, int size, int min_char, int max_char,
                          char *wanted, int wanted_count, float x_scale, float y_scale, float letter_y_extra,
                          float height_extra, float unused2 = 0, float unused3 = 0, float unused4 = 0,
                          float unused5 = 0, char unused6 = 0);
  void SetSheetSize(int size) { m_sheet_size = size; }
  void SetCreationEffects(const _EngFontCreationEffects *effects);
  void Destroy();
  void UseTransparentFonts(char) {}

  // Scale and colour.
  void SetScale(float x, float y);
  void SetScale(const _Vector2d *scale);
  void SetScaleIncWidescreen(float x, float y);
  void SetScaleIncWidescreen(const _Vector2d *scale);
  void GetScale(_Vector2d *out);
  void GetScale(float *x, float *y);
  void SetColour(const _ColourRGBA *colour);
  // A negative component keeps the stored one.
  void SetColour(float r, float g, float b, float a);
  void GetColour(_ColourRGBA *out);
  void GetColour(float *r, float *g, float *b, float *a);
  void SetMultilineYgap(float gap);
  // Sets the index whose starting x the next draw records, and returns the last recorded x.
  float RecordNextTextXPos(int index);
  // While on, characters starting left of x advance the pen without being drawn.
  void DrawStringPartSetXStartPos(char on, float x);

  // Measuring.
  float GetStringWidth(const char *text);
  float GetFontHeight(char scaled);
  float GetCharWidth(char c);
  float GetScaledCharWidth(char c);
  static char IsCharWhitespace(char c) { return c == ' ' || c == '\t'; }
  char GetCharDrawingDimensions(int c, float *a, float *b, float *d);

  // Drawing; y is the bottom of the line unless an alignment says otherwise. A right limit
  // above 0 ends the run at the first character that would reach it.
  float DrawStringPart(float x, float y, const char *text, int count, float right_limit);
  float DrawString(float x, float y, const char *text);
  void DoDrawStringPartAlign(float x, float y, char h_align, const char *text, int count, float right_limit,
                             char prepare);
  void DrawStringAlign(float x, float y, char h_align, char v_align, const char *text, char prepare);
  void DrawStringAlignInt(int x, int y, char h_align, char v_align, const char *text, char prepare);
  void DrawStringPartAlign(float x, float y, char h_align, char v_align, const char *text, int count,
                           float right_limit, char prepare);
  float DrawStringPartAlignGetYPos(float y, char v_align);
  void DrawMultilineText(float x, float y, float w, float h, char h_align, char v_align, const char *text,
                         char draw, int first_line, float *out_widest, float *out_height, int *out_lines,
                         char *out_all_fitted);
  char DrawToTexture(EngTexture *texture, const char *text, float x, float y, float x_scale, float y_scale,
                     char flag);

  // What creation made (for the drawing side and tests).
  char IsCreated() const { return m_created; }
  float GetLineHeight() const { return m_height; }
  int GetCharCount() const { return m_char_count; }
  int GetSheetSize() const { return m_sheet_size; }
  int GetNumSheets() const { return m_num_sheets; }
  char HasTwoChannels() const { return m_two_channels; }
  int GetSheetNumber(int code) const;
  const _EngFontLetter *GetLetter(int code) const;
  unsigned int GetSheetTexture_GL(int sheet) const;

  // The OpenGL side.
  void ResetVars_GL();
  void Destroy_GL();
  static float DrawStringPartAlignGetYPos_GL(float y, float height, char v_align);
  float DrawStringPart_GL(float x, float y, const char *text, float x_limit, int count);
  char DrawToTexture_GL(EngTexture *texture, const char *text, float x, float y, float x_scale, float y_scale,
                        char flag);
  char GetCharDrawingDimensions_GL(int c, float *a, float *b, float *d);

 private:
  void ResetVars();
  void FreeCreationBuffers();
  // Creation steps; ParseLetter answers -1 failure, 0 not in the face, 1 made.
  int ParseLetter(void *face, int code);
  char AllocSheetPart(int *sheet, int *x, int *y, int *row_height, int width, int height, int *out_x, int *out_y,
                      char counting);
  char CopySheetDataToTexture(int sheet);
  char CreateTextureFromData_GL(int code, const unsigned char *cell, int width, int height, int left, int top,
                                int rows, int advance);
  char CreateSheetTextures_GL();
  void HoldRuns_GL();
  void DrawHeldRuns_GL();
  void UploadSheet_GL(int sheet);

  char m_created;
  float m_height;
  _EngFontCreationEffects m_effects;
  EngInt32 *m_sheet_numbers;
  int m_char_count;
  int m_sheet_size;
  int m_num_sheets;
  float m_scale_x, m_scale_y;
  char m_scaling_on;
  float m_colour[4];
  char m_colour_set;
  float m_multiline_ygap;
  float m_widths[256];
  // Codes whose cell holds no pixels (blanks): their quads would draw nothing.
  EngUInt8 m_blank[256];
  int m_face_height;
  char m_two_channels;
  int m_record_index;
  float m_recorded_x;
  char m_start_x_on;
  float m_start_x;

  // Creation working state.
  float m_create_x_scale, m_create_y_scale, m_letter_y_extra;
  unsigned char *m_sheet_data;
  int m_pack_sheet, m_pack_x, m_pack_y, m_pack_row_height;

  // The OpenGL side.
  unsigned int *m_sheet_textures;
  _EngFontLetter *m_letters;
};

// Prepare and restore bracket every batch of text drawing; mode as eng_font_using_ratio.
void EngFontPrepareForDrawing(char mode);
void EngFontPrepareForDrawingWithOrientation(char mode);
void EngFontPrepareForDrawingWithOrientation(_EngOrientation orientation, char mode);
void EngFontPrepareForDrawingPure2();
void EngFontRestoreAfterDrawing();
// 1 when already prepared compatibly (nothing done); 0 when this call prepared.
char EngFontPrepareForDrawingIfNeeded(char mode, char *out_prepared = nullptr);
char EngFontPrepareForDrawingWithOrientationIfNeeded(char mode, char *out_prepared = nullptr);
char EngFontRestoreAfterDrawingIfNeeded();
char EngFontIsReadyForDrawing();
void EngFontSaveAndUnPrepareStateOrRestoreAndPrepareState(char save);
void EngFontPrepareForDrawingWithOrientation_GL(_EngOrientation orientation, char ratioed);
void EngFontRestoreAfterDrawing_GL();

void EngFontShowCharWarnings(char on);
// Family and style buffers hold at least 256 bytes; names are cut to fit.
char EngFontGetFontFileDetails(const char *file, char *family, char *style, int *cases);
// 3 x 3 binomial blur of one or both channels of an interleaved w by h image of size bytes.
void BinomColor(int channels, int passes_opacity, int passes_first, int w, int h, unsigned char *data,
                unsigned size);

// Test seams: the module's drawing state back to start, and a look at every finished sheet
// (after its blur, before its upload).
void EngFontResetForTests();
void EngFontSetSheetHookForTests(void (*hook)(const EngFont *font, int sheet, const unsigned char *data,
                                              int size, int channels));
