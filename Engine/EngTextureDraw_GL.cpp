// Texture drawing in OpenGL: one textured quad from client-side arrays as a four-vertex
// strip, placed in design units ("Ratioed"), raw units ("Pure") or in 3-D, and the nine- and
// three-slice draws built from it.
#include <GL/glew.h>

#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngSpriteOutlines.h"
#include "Engine/EngTextureGL.h"
#include "Engine/EngWindow.h"

// PositionPure's own signature: the slice draws report their invalid rectangles under it.
static const char *const kPositionPureSignature = "void EngTextureGL::PositionPure(float, float, float, float)";

namespace {

// The texture and the three client arrays a list of coloured, textured vertices is drawn from,
// for as long as it lives; then nothing bound and the current colour white again.
class ColouredVertexArrays {
 public:
  ColouredVertexArrays(GLuint texture, const float *positions, const float *coords, const float *colours) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, positions);
    glTexCoordPointer(2, GL_FLOAT, 0, coords);
    glColorPointer(4, GL_FLOAT, 0, colours);
  }
  ~ColouredVertexArrays() {
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindTexture(GL_TEXTURE_2D, 0);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  }
  ColouredVertexArrays(const ColouredVertexArrays &) = delete;
  ColouredVertexArrays &operator=(const ColouredVertexArrays &) = delete;
};

}  // namespace

void EngTextureGL::PositionRatioed(float x, float y, float w, float h) {
  m_draw_x = x;
  m_draw_y = y;
  m_draw_w = w;
  m_draw_h = h;
  m_3d_set = 0;
}

void EngTextureGL::PositionPure(float x, float y, float w, float h) {
  if (w > 0.0f && h > 0.0f) {
    m_draw_x = x;
    m_draw_y = y;
    m_draw_w = w;
    m_draw_h = h;
  } else {
    DebugErrorAlt(kPositionPureSignature, "Invalid sizes");
  }
  m_3d_set = 0;
}

char EngTextureGL::PositionPure(const _Dimension *dim) {
  if (!m_created || !dim) return 0;
  PositionPure(dim->x, dim->y, dim->width, dim->height);
  return 1;
}

void EngTextureGL::Position3dVec3(char axis, const _Vector3d *a, const _Vector3d *b) {
  if (!a || !b) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  m_3d_axis = axis;
  m_3d_a = *a;
  m_3d_b = *b;
  m_3d_set = 1;
}

void EngTextureGL::SetTexCoordsFromCorners(float left, float top, float right, float bottom) {
  m_tc = {left, top, right, bottom};
  m_full_tc_set = 0;
}

void EngTextureGL::SetTextureCoordinates(float left, float top, float right, float bottom) {
  SetTexCoordsFromCorners(left, top, right, bottom);
}

void EngTextureGL::SetTextureCoordinates(const _TexCoords *tc) {
  if (tc)
    SetTexCoordsFromCorners(tc->left, tc->top, tc->right, tc->bottom);
  else if (!m_full_tc_set)
    UpdateFullTextureCoordinates();
}

void EngTextureGL::SetColour(float r, float g, float b, float a) {
  m_colour[0] = r;
  m_colour[1] = g;
  m_colour[2] = b;
  m_colour[3] = a;
  m_colour_set = 1;
}

void EngTextureGL::RestoreColour() {
  m_colour_set = 0;
  m_colour[0] = m_colour[1] = m_colour[2] = m_colour[3] = 1.0f;
}

void EngTextureGL::SetAlphaLevel(float a) {
  if (!m_colour_set)
    SetColour(1.0f, 1.0f, 1.0f, a);
  else
    m_colour[3] = a;
}

void EngTextureGL::SetCornerColour(EngInt32 corner, const _ColourRGBA *colour) {
  if (corner < 0 || corner > 3) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  const _ColourRGBA white = {1.0f, 1.0f, 1.0f, 1.0f};
  if (!colour) colour = &white;
  float *c = m_corner_colours[corner];
  c[0] = colour->r;
  c[1] = colour->g;
  c[2] = colour->b;
  c[3] = colour->a;
  m_corner_colours_set = 1;
}

void EngTextureGL::SetNormal(float x, float y, float z) {
  m_normal[0] = x;
  m_normal[1] = y;
  m_normal[2] = z;
  m_normal_set = 1;
}

void EngTextureGL::DrawQuad(const float *vertices, const float *colours) {
  const float tc[8] = {m_tc.left, m_tc.bottom, m_tc.right, m_tc.bottom, m_tc.left, m_tc.top, m_tc.right, m_tc.top};
  char tint = m_colour_set && !colours;
  if (tint) glColor4f(m_colour[0], m_colour[1], m_colour[2], m_colour[3]);
  glBindTexture(GL_TEXTURE_2D, m_gl_name);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, vertices);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glTexCoordPointer(2, GL_FLOAT, 0, tc);
  if (colours) {
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(4, GL_FLOAT, 0, colours);
  }
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  if (colours) {
    glDisableClientState(GL_COLOR_ARRAY);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  }
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glBindTexture(GL_TEXTURE_2D, 0);
  if (tint) glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void EngTextureGL::DrawRatioedQuad() {
  const float half_w = ENG_DESIGN_WIDTH * 0.5f, half_h = ENG_DESIGN_HEIGHT * 0.5f;
  float left = m_draw_x / half_w - 1.0f, right = left + m_draw_w / half_w;
  float top = (ENG_DESIGN_HEIGHT - m_draw_y) / half_h - 1.0f, bottom = top - m_draw_h / half_h;
  // Left-bottom, right-bottom, left-top, right-top: counter-clockwise on screen.
  const float v[12] = {left, bottom, 1, right, bottom, 1, left, top, 1, right, top, 1};
  if (!m_corner_colours_set) {
    DrawQuad(v, nullptr);
    return;
  }
  const float *c = &m_corner_colours[0][0];
  float colours[16];
  const int corner_of_vertex[4] = {3, 2, 0, 1};
  for (int i = 0; i < 4; i++)
    for (int k = 0; k < 4; k++) colours[i * 4 + k] = c[corner_of_vertex[i] * 4 + k];
  DrawQuad(v, colours);
}

void EngTextureGL::DrawPureQuad() {
  float left = m_draw_x, right = m_draw_x + m_draw_w;
  float top = -m_draw_y, bottom = -m_draw_y - m_draw_h;
  const float v[12] = {left, bottom, 0, right, bottom, 0, left, top, 0, right, top, 0};
  DrawQuad(v, nullptr);
}

void EngTextureGL::Draw3dQuad() {
  switch (m_3d_axis) {
    case 0: {
      const _Vector3d &a = m_3d_a, &b = m_3d_b;
      const float v[12] = {b.x, a.y, b.z, a.x, a.y, b.z, b.x, b.y, b.z, a.x, b.y, b.z};
      DrawQuad(v, nullptr);
      break;
    }
    case 1: DebugErrorAlt(ENG_FUNC, "Not implemented yet for axis 1"); break;
    case 2: DebugErrorAlt(ENG_FUNC, "Not implemented yet for axis 2"); break;
    default: DebugErrorAlt(ENG_FUNC, "Bad axis %d", m_3d_axis); break;
  }
}

char EngTextureGL::Draw() {
  if (!m_created || !m_gl_exists || !eng_gl_3d_setup) return 0;
  if (m_normal_set) glNormal3f(m_normal[0], m_normal[1], -m_normal[2]);
  if (m_3d_set)
    Draw3dQuad();
  else
    DrawRatioedQuad();
  if (m_normal_set) glNormal3f(0.0f, 0.0f, 1.0f);
  return 1;
}

char EngTextureGL::DrawPure() {
  if (!m_created || !m_gl_exists || !eng_gl_3d_setup) return 0;
  if (m_normal_set) glNormal3f(m_normal[0], m_normal[1], -m_normal[2]);
  if (m_3d_set)
    Draw3dQuad();
  else
    DrawPureQuad();
  if (m_normal_set) glNormal3f(0.0f, 0.0f, 1.0f);
  return 1;
}

namespace {
struct Piece {
  float x, y, w, h;
  float left, top, right, bottom;
};
}  // namespace

// Draws the pieces and puts the rectangle and coordinates back as they were.
static void DrawPieces(EngTextureGL *t, const Piece *pieces, int count, char pure, const _Dimension &saved_rect,
                       const _TexCoords &saved_tc, char saved_full) {
  for (int i = 0; i < count; i++) {
    const Piece &p = pieces[i];
    if (pure)
      t->PositionPure(p.x, p.y, p.w, p.h);
    else
      t->PositionRatioed(p.x, p.y, p.w, p.h);
    t->SetTextureCoordinates(p.left, p.top, p.right, p.bottom);
    if (pure)
      t->DrawPure();
    else
      t->Draw();
  }
  t->PositionPure(saved_rect.x, saved_rect.y, saved_rect.width, saved_rect.height);
  if (saved_full)
    t->RestoreTexCoordinates();
  else
    t->SetTextureCoordinates(&saved_tc);
}

char EngTextureGL::DrawInParts(float cw, float ch, float du, float dv, char draw_centre, char pure) {
  if (!m_created) return 0;
  const float x = m_draw_x, y = m_draw_y, w = m_draw_w, h = m_draw_h;
  const float L = m_tc.left, T = m_tc.top, R = m_tc.right, B = m_tc.bottom;
  Piece pieces[9];
  int n = 0;
  pieces[n++] = {x, y, cw, ch, L, T, L + du, T + dv};
  pieces[n++] = {x + cw, y, w - 2 * cw, ch, L + du, T, R - du, T + dv};
  pieces[n++] = {x + w - cw, y, cw, ch, R - du, T, R, T + dv};
  pieces[n++] = {x, y + ch, cw, h - 2 * ch, L, T + dv, L + du, B - dv};
  if (draw_centre) pieces[n++] = {x + cw, y + ch, w - 2 * cw, h - 2 * ch, L + du, T + dv, R - du, B - dv};
  pieces[n++] = {x + w - cw, y + ch, cw, h - 2 * ch, R - du, T + dv, R, B - dv};
  pieces[n++] = {x, y + h - ch, cw, ch, L, B - dv, L + du, B};
  pieces[n++] = {x + cw, y + h - ch, w - 2 * cw, ch, L + du, B - dv, R - du, B};
  pieces[n++] = {x + w - cw, y + h - ch, cw, ch, R - du, B - dv, R, B};
  DrawPieces(this, pieces, n, pure, {x, y, w, h}, m_tc, m_full_tc_set);
  return 1;
}

char EngTextureGL::DrawInPartsHorz(float ew, float du, char draw_centre, char pure) {
  if (!m_created) return 0;
  const float x = m_draw_x, y = m_draw_y, w = m_draw_w, h = m_draw_h;
  const float L = m_tc.left, T = m_tc.top, R = m_tc.right, B = m_tc.bottom;
  if (pure && 2 * ew >= w) return DrawPure();
  Piece pieces[3];
  int n = 0;
  pieces[n++] = {x, y, ew, h, L, T, L + du, B};
  if (draw_centre) pieces[n++] = {x + ew, y, w - 2 * ew, h, L + du, T, R - du, B};
  pieces[n++] = {x + w - ew, y, ew, h, R - du, T, R, B};
  DrawPieces(this, pieces, n, pure, {x, y, w, h}, m_tc, m_full_tc_set);
  return 1;
}

char EngTextureGL::DrawInPartsVert(float eh, float dv, char draw_centre, char pure) {
  if (!m_created) return 0;
  const float x = m_draw_x, y = m_draw_y, w = m_draw_w, h = m_draw_h;
  const float L = m_tc.left, T = m_tc.top, R = m_tc.right, B = m_tc.bottom;
  Piece pieces[3];
  int n = 0;
  pieces[n++] = {x, y, w, eh, L, T, R, T + dv};
  if (draw_centre) pieces[n++] = {x, y + eh, w, h - 2 * eh, L, T + dv, R, B - dv};
  pieces[n++] = {x, y + h - eh, w, eh, L, B - dv, R, B};
  DrawPieces(this, pieces, n, pure, {x, y, w, h}, m_tc, m_full_tc_set);
  return 1;
}

char EngTextureGL::DrawSpecifyingCorners(const _EngTextureCornersInfo *info) {
  if (!m_created || !m_gl_exists || !info || !eng_gl_3d_setup) return 0;
  ColouredVertexArrays arrays(m_gl_name, &info->position[0][0], &info->tex_coords[0][0], &info->colour[0][0]);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  return 1;
}

// Each quad's strip (corners 0, 1, 2, 3) becomes the triangles 0-1-2 and 2-1-3, so that one
// draw takes them all: a draw per sprite is what the software renderer pays for most.
char EngTextureGL::DrawSpecifyingCornersList(const _EngTextureCornersInfo *quads, EngInt32 count) {
  if (!m_created || !m_gl_exists || !quads || count < 0 || !eng_gl_3d_setup) return 0;
  if (count == 0) return 1;
  static const int kOrder[6] = {0, 1, 2, 2, 1, 3};
  // Drawn in pieces of a fixed most: the vertex arrays here and the driver's copies of them stay
  // the same size however many sprites a late wave brings, instead of growing with the largest
  // batch seen.
  static const EngInt32 kPiece = 128;
  static std::vector<float> positions(size_t(kPiece) * 18), coords(size_t(kPiece) * 12), colours(size_t(kPiece) * 24);
  ColouredVertexArrays arrays(m_gl_name, positions.data(), coords.data(), colours.data());
  for (EngInt32 first = 0; first < count; first += kPiece) {
    const EngInt32 n = count - first < kPiece ? count - first : kPiece;
    for (EngInt32 q = 0; q < n; q++)
      for (int v = 0; v < 6; v++) {
        const int c = kOrder[v];
        const _EngTextureCornersInfo &quad = quads[first + q];
        const size_t i = size_t(q) * 6 + size_t(v);
        for (int k = 0; k < 3; k++) positions[i * 3 + size_t(k)] = quad.position[c][k];
        for (int k = 0; k < 2; k++) coords[i * 2 + size_t(k)] = quad.tex_coords[c][k];
        for (int k = 0; k < 4; k++) colours[i * 4 + size_t(k)] = quad.colour[c][k];
      }
    glDrawArrays(GL_TRIANGLES, 0, n * 6);
  }
  return 1;
}

EngInt32 EngTextureGL::OutlinesPicture() {
  if (m_outlines_generation != EngSpriteOutlinesGeneration()) {
    m_outlines_generation = EngSpriteOutlinesGeneration();
    m_outlines_picture = -1;
  }
  // The name goes when the pixels change; a texture of another size is not the file's picture.
  if (!m_picture_name[0]) return -1;
  if (m_outlines_picture < 0)
    m_outlines_picture = EngSpriteOutlinesFindPicture(m_picture_name, m_gl_width, m_gl_height);
  return m_outlines_picture;
}

// A sprite with an outline is drawn as its square cut along the outline (EngSpriteOutlinesSplit):
// over its outline the fan alone, drawn whole the rest of the square too. One without is the two
// triangles a corner list makes of its quad.
EngInt32 EngTextureGL::DrawSpriteList(const _EngTextureSpriteInfo *sprites, EngInt32 count, char outlined) {
  if (!m_created || !m_gl_exists || !sprites || count <= 0 || !eng_gl_3d_setup) return 0;
  const EngInt32 picture = OutlinesPicture();
  // Rasterised by samples, a triangle beside the outline is shaded where the pixel's middle is,
  // which may lie inside: a multisampled window draws every square whole.
  if (outlined) {
    GLint sample_buffers = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS, &sample_buffers);
    if (sample_buffers > 0 && glIsEnabled(GL_MULTISAMPLE)) outlined = 0;
  }
  // Drawn in pieces of a fixed most, as the corner lists are.
  static const size_t kPieceTriangles = 512;
  static std::vector<float> positions(kPieceTriangles * 9), coords(kPieceTriangles * 6), colours(kPieceTriangles * 12);
  static const EngUInt8 kWholeTriangles[2][3] = {{0, 1, 2}, {2, 1, 3}};
  size_t triangles = 0;
  ColouredVertexArrays arrays(m_gl_name, positions.data(), coords.data(), colours.data());
  EngInt32 drawn = 0;
  _EngSpriteOutlineSplit split;
  for (EngInt32 n = 0; n < count; n++) {
    const _EngTextureSpriteInfo &s = sprites[n];
    const _TexCoords &p = s.part;
    const _EngSpriteOutline *outline = picture >= 0 ? EngSpriteOutlinesFindPart(picture, &p) : nullptr;
    if (outline && outline->num_corners == 0) {
      if (outlined) continue;
      outline = nullptr;
    }
    drawn++;
    // The sprite's corners (texture coordinates and places) and its triangles.
    const float(*uv)[2] = split.uv;
    const float(*at)[3] = split.at;
    const EngUInt8(*list)[3] = split.triangles;
    size_t needed = 0;
    if (outline) {
      EngSpriteOutlinesSplit(outline, s.position, &split);
      needed = size_t(split.fan_triangles) + (outlined ? 0 : size_t(split.rest_triangles));
    } else {
      const float whole[4][2] = {{p.left, p.bottom}, {p.right, p.bottom}, {p.left, p.top}, {p.right, p.top}};
      for (int c = 0; c < 4; c++) {
        split.uv[c][0] = whole[c][0];
        split.uv[c][1] = whole[c][1];
        for (int k = 0; k < 3; k++) split.at[c][k] = s.position[c][k];
      }
      list = kWholeTriangles;
      needed = 2;
    }
    if (triangles + needed > kPieceTriangles) {
      glDrawArrays(GL_TRIANGLES, 0, GLsizei(triangles * 3));
      triangles = 0;
    }
    for (size_t t = 0; t < needed; t++, triangles++)
      for (int v = 0; v < 3; v++) {
        const int c = list[t][v];
        const size_t i = triangles * 3 + size_t(v);
        for (int k = 0; k < 3; k++) positions[i * 3 + size_t(k)] = at[c][k];
        coords[i * 2] = uv[c][0];
        coords[i * 2 + 1] = uv[c][1];
        for (int k = 0; k < 4; k++) colours[i * 4 + size_t(k)] = s.colour[k];
      }
  }
  if (triangles > 0) glDrawArrays(GL_TRIANGLES, 0, GLsizei(triangles * 3));
  return drawn;
}
