// The OpenGL side of fonts: sheet textures, the text projection, and runs of glyph quads
// batched per sheet into one client-array draw each.
#include <GL/glew.h>

#include <cstring>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngDeviceGL.h"
#include "Engine/EngFont.h"
#include "Engine/EngMatrix.h"
#include "Engine/EngMemory.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTextureGL.h"
#include "Engine/EngUtilsGL.h"
#include "Engine/EngWindow.h"

static EngMatrix MakeIdentity() {
  EngMatrix m;
  m.SetIdentityMatrix();
  return m;
}

static EngMatrix ef_save_proj_mat_gl = MakeIdentity();

// Quads of a run waiting for their sheet's draw: x, y, u, v per corner. Kept between runs so a
// frame of text allocates nothing once warmed up.
static std::vector<std::vector<float>> batch_by_sheet;
static std::vector<int> batch_sheets_used;

enum { FLOATS_PER_CORNER = 4, CORNERS_PER_QUAD = 4 };

// --- Life ------------------------------------------------------------------------------------

void EngFont::ResetVars_GL() {
  m_sheet_textures = nullptr;
  m_letters = nullptr;
}

void EngFont::Destroy_GL() {
  if (m_sheet_textures) {
    if (eng_gl_3d_setup && m_num_sheets > 0) glDeleteTextures(m_num_sheets, m_sheet_textures);
    EngFree(m_sheet_textures, 0, ENG_FUNC);
    m_sheet_textures = nullptr;
  }
  if (m_letters) EngFree(m_letters, 0, ENG_FUNC);
  m_letters = nullptr;
}

unsigned int EngFont::GetSheetTexture_GL(int sheet) const {
  if (!m_sheet_textures || sheet < 0 || sheet >= m_num_sheets) return 0;
  return m_sheet_textures[sheet];
}

char EngFont::CreateSheetTextures_GL() {
  m_sheet_textures = (unsigned int *)EngMalloc(sizeof(GLuint) * m_num_sheets, ENG_FUNC, 1);
  if (!m_sheet_textures) {
    DebugErrorAlt(ENG_FUNC, "No memory for sheet texture ids list");
    return 0;
  }
  glGenTextures(m_num_sheets, m_sheet_textures);
  return 1;
}

void EngFont::UploadSheet_GL(int sheet) {
  if (!m_sheet_textures || !m_sheet_data) return;
  EngUtilsGL_ErrorCheck(ENG_FUNC, "Pre Create Sheet");
  glBindTexture(GL_TEXTURE_2D, m_sheet_textures[sheet]);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  EngUtilsGL_ErrorCheck(ENG_FUNC, "1");
  // Rows are tightly packed; the default 4-byte row alignment would read past odd-sized sheets.
  GLint old_alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &old_alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const GLenum format = m_two_channels ? GL_LUMINANCE_ALPHA : GL_ALPHA;
  glTexImage2D(GL_TEXTURE_2D, 0, format, m_sheet_size, m_sheet_size, 0, format, GL_UNSIGNED_BYTE, m_sheet_data);
  glPixelStorei(GL_UNPACK_ALIGNMENT, old_alignment);
  EngUtilsGL_ErrorCheck(ENG_FUNC, "2");
  glBindTexture(GL_TEXTURE_2D, 0);
  EngUtilsGL_ErrorCheck(ENG_FUNC, "3");
}

// --- Projection ------------------------------------------------------------------------------

void EngFontPrepareForDrawingWithOrientation_GL(_EngOrientation orientation, char ratioed) {
  EngDeviceGL *gl = eng_main_device_gl;
  if (!gl || !eng_gl_3d_setup) return;
  gl->GetProjectionMatrix(&ef_save_proj_mat_gl);
  EngMatrix projection;
  gl->GetProjectionMatrix(&projection);
  // Unset leaves the device's own projection as the orientation part.
  projection.SetOrientationMatrix((EngInt32)orientation);
  EngMatrix ortho;
  if (ratioed)
    ortho.SetOrthoMatrix(0, ENG_DESIGN_WIDTH, 0, ENG_DESIGN_HEIGHT, -1, 1);
  else
    ortho.SetOrthoMatrix(0, (float)eng_main_window_width, 0, (float)eng_main_window_height, -1, 1);
  projection.PreMultiplyByMatrix(&ortho);
  gl->SetProjectionMatrixToMatrix(&projection);
  glPushMatrix();
  glLoadIdentity();
}

void EngFontRestoreAfterDrawing_GL() {
  if (!eng_gl_3d_setup) return;
  if (eng_font_using_ratio != 2) {
    if (eng_main_device_gl) eng_main_device_gl->SetProjectionMatrixToMatrix(&ef_save_proj_mat_gl);
    glPopMatrix();
  }
  glColor4f(1, 1, 1, 1);
}

float EngFont::DrawStringPartAlignGetYPos_GL(float y, float height, char v_align) {
  if (v_align == 2) return y;
  if (v_align == 1) return y + height / 2;
  return y + height;
}

// --- Runs ------------------------------------------------------------------------------------

// Corners are placed on the CPU (pen, offsets and scale), so runs can share one draw.
static void AddQuad(const _EngFontLetter &l, float x, float y, float sx, float sy) {
  if (batch_by_sheet.size() <= l.sheet) batch_by_sheet.resize((size_t)l.sheet + 1);
  std::vector<float> &q = batch_by_sheet[l.sheet];
  if (q.empty()) batch_sheets_used.push_back(l.sheet);
  const float x0 = x + l.x_offset * sx, y0 = y + l.y_offset * sy, x1 = x0 + l.width * sx, y1 = y0 + l.height * sy;
  // Counter-clockwise on screen, so back-face culling keeps it.
  const float corners[CORNERS_PER_QUAD * FLOATS_PER_CORNER] = {
      x0, y0, l.tex_left,  l.tex_bottom, x1, y0, l.tex_right, l.tex_bottom,
      x1, y1, l.tex_right, l.tex_top,    x0, y1, l.tex_left,  l.tex_top,
  };
  q.insert(q.end(), corners, corners + CORNERS_PER_QUAD * FLOATS_PER_CORNER);
}

static void FlushQuads(const unsigned int *textures, int num_sheets) {
  if (batch_sheets_used.empty()) return;
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  for (int sheet : batch_sheets_used) {
    std::vector<float> &q = batch_by_sheet[sheet];
    if (textures && sheet < num_sheets) {
      glBindTexture(GL_TEXTURE_2D, textures[sheet]);
      glVertexPointer(2, GL_FLOAT, FLOATS_PER_CORNER * sizeof(float), q.data());
      glTexCoordPointer(2, GL_FLOAT, FLOATS_PER_CORNER * sizeof(float), q.data() + 2);
      glDrawArrays(GL_QUADS, 0, (GLsizei)(q.size() / FLOATS_PER_CORNER));
    }
    q.clear();
  }
  batch_sheets_used.clear();
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glBindTexture(GL_TEXTURE_2D, 0);
}

// While a multiline layout draws, its lines (one font, one colour, nothing drawn between them)
// are kept and drawn together at its end.
static bool batch_held = false;

void EngFont::HoldRuns_GL() {
  if (eng_gl_3d_setup) batch_held = true;
}

void EngFont::DrawHeldRuns_GL() {
  if (!batch_held) return;
  batch_held = false;
  FlushQuads(m_sheet_textures, m_num_sheets);
}

float EngFont::DrawStringPart_GL(float x, float y, const char *text, float x_limit, int count) {
  if (!eng_gl_3d_setup || !text) return x;
  float gl_y;
  if (eng_font_using_ratio == 2)
    gl_y = -y;
  else if (eng_font_using_ratio == 1)
    gl_y = ENG_DESIGN_HEIGHT - y;
  else
    gl_y = (float)eng_main_window_height - y;
  const float sx = m_scaling_on ? m_scale_x : 1, sy = m_scaling_on ? m_scale_y : 1;
  if (m_colour_set) glColor4f(m_colour[0], m_colour[1], m_colour[2], m_colour[3]);
  if (!m_letters) return x;
  float pen = x;
  // The glyphs' own units along the run, before the drawing scale.
  float local = 0;
  int i = 0;
  for (; i < count && text[i]; i++) {
    const unsigned char c = (unsigned char)text[i];
    const _EngFontLetter *l = (c < m_char_count && m_letters[c].present) ? &m_letters[c] : nullptr;
    const float advance = l ? l->advance : 0;
    const float next = pen + m_scale_x * advance;
    // The run ends at the first character that does not fit before the limit.
    if (x_limit > 0 && next >= x_limit) break;
    if (i == m_record_index) m_recorded_x = pen;
    if (l) {
      if (!m_blank[c] && !(m_start_x_on && pen < m_start_x)) AddQuad(*l, x + local * sx, gl_y, sx, sy);
      local += advance;
    }
    pen = next;
  }
  // Positions at or past where the run ended all start at its end.
  if (m_record_index >= i && m_record_index <= count) m_recorded_x = pen;
  if (!batch_held) FlushQuads(m_sheet_textures, m_num_sheets);
  return pen;
}

char EngFont::GetCharDrawingDimensions_GL(int, float *, float *, float *) {
  DebugStandardError(ENG_FUNC, DEBUG_ERR_NOIM);
  return 0;
}

// A sheet as a 32-bit texture that the texture code can copy from: a one-channel sheet becomes
// its opacity as grey on opaque black, a two-channel sheet keeps brightness and opacity.
static EngTexture *SheetAsTexture(GLuint name, int size, bool two_channels) {
  const int channels = two_channels ? 2 : 1;
  std::vector<unsigned char> sheet((size_t)size * size * channels);
  GLint old_alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &old_alignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glBindTexture(GL_TEXTURE_2D, name);
  glGetTexImage(GL_TEXTURE_2D, 0, two_channels ? GL_LUMINANCE_ALPHA : GL_ALPHA, GL_UNSIGNED_BYTE, sheet.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  glPixelStorei(GL_PACK_ALIGNMENT, old_alignment);

  EngTexture *texture = new EngTexture;
  texture->Create();
  EngTextureGL *gl = texture->GetGL();
  unsigned char *pixels = nullptr;
  if (!gl || !texture->CreateEmptyTexture(size, size, 1) || texture->GetWidth() != size ||
      texture->GetHeight() != size || texture->GetNumChannels() != 4 ||
      !(pixels = gl->AllocAndGetTextureImageData())) {
    delete texture;
    return nullptr;
  }
  for (size_t i = 0; i < (size_t)size * size; i++) {
    unsigned char *p = pixels + i * 4;
    const unsigned char grey = sheet[i * channels], alpha = two_channels ? sheet[i * 2 + 1] : 255;
    p[0] = p[1] = p[2] = grey;
    p[3] = alpha;
  }
  const char updated = gl->UpdateTextureFromAllocatedImageData();
  gl->FreeAllocatedTextureImageData();
  if (!updated) {
    delete texture;
    return nullptr;
  }
  return texture;
}

// The text is centred on (x, y) of the target, y counted from its top; the scales turn the
// glyphs' design units into target pixels; flag blends each glyph over the target.
char EngFont::DrawToTexture_GL(EngTexture *texture, const char *text, float x, float y, float x_scale,
                               float y_scale, char flag) {
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
  if (!m_sheet_textures || !m_letters || !eng_gl_3d_setup) return 0;
  auto letter_of = [&](char ch) -> const _EngFontLetter * {
    const unsigned char c = (unsigned char)ch;
    return (c < m_char_count && m_letters[c].present) ? &m_letters[c] : nullptr;
  };
  float width = 0, max_height = 0;
  int sheets_used = 0;
  for (const char *p = text; *p; p++) {
    const _EngFontLetter *l = letter_of(*p);
    if (!l) continue;
    width += l->advance;
    if (l->height > max_height) max_height = l->height;
    if (l->sheet + 1 > sheets_used) sheets_used = l->sheet + 1;
  }
  if (width <= 0) return 1;
  width *= x_scale;
  if (sheets_used <= 0 || sheets_used > m_num_sheets) return 0;

  std::vector<EngTexture *> sheets((size_t)sheets_used, nullptr);
  auto free_sheets = [&]() {
    for (EngTexture *t : sheets) delete t;
  };
  for (const char *p = text; *p; p++) {
    const _EngFontLetter *l = letter_of(*p);
    if (!l || sheets[l->sheet]) continue;
    sheets[l->sheet] = SheetAsTexture(m_sheet_textures[l->sheet], m_sheet_size, m_two_channels != 0);
    if (!sheets[l->sheet]) {
      free_sheets();
      return 0;
    }
  }
  if (max_height <= 0) {
    DebugErrorAlt(ENG_FUNC, "Could not get max height.");
    free_sheets();
    return 0;
  }

  const float s = (float)m_sheet_size, target_h = (float)texture->GetHeight();
  const float reference_y = target_h - y - 0.5f * max_height * y_scale;
  float pen = x - width / 2;
  for (const char *p = text; *p; p++) {
    const _EngFontLetter *l = letter_of(*p);
    if (!l) continue;
    if (*p != ' ') {
      const EngInt32 fx = (EngInt32)(l->tex_left * s), fy = (EngInt32)(l->tex_top * s);
      const EngInt32 fw = (EngInt32)((l->tex_right - l->tex_left) * s);
      const EngInt32 fh = (EngInt32)((l->tex_bottom - l->tex_top) * s);
      const EngInt32 tx = (EngInt32)(pen + l->x_offset * x_scale);
      const EngInt32 ty = (EngInt32)(target_h - l->height * y_scale - (l->y_offset * y_scale + reference_y));
      const EngInt32 tw = (EngInt32)(l->width * x_scale), th = (EngInt32)(l->height * y_scale);
      if (tw > 0 && th > 0) texture->CopyPartFromAnotherTexture(sheets[l->sheet], fx, fy, fw, fh, tx, ty, tw, th,
                                                                 flag, nullptr);
    }
    pen += l->advance * x_scale;
  }
  free_sheets();
  return 1;
}
