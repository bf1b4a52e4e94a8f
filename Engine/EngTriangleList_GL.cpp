#include <GL/glew.h>

#include <climits>
#include <cstdlib>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMemory.h"
#include "Engine/EngTriangleList.h"

#include "Engine/EngTexture.h"
#include "Engine/EngUtilsGL.h"

enum {
  FLOATS_PER_POSITION = 3,
  FLOATS_PER_TEX_COORD = 2,
  FLOATS_PER_COLOUR = 4,
  VERTICES_PER_TRIANGLE = 3,
};

// glDrawArrays counts vertices in a GLsizei.
static const unsigned int MAX_DRAWN_TRIANGLES = INT_MAX / VERTICES_PER_TRIANGLE;

static bool HasNormals(_EngTriangleListType type) {
  return type == ETL_TYPE_POS_NORM_TEX || type == ETL_TYPE_POS_NORM_COL || type == ETL_TYPE_POS_NORM_TEX_COL;
}

static bool HasColours(_EngTriangleListType type) {
  return type == ETL_TYPE_POS_NORM_COL || type == ETL_TYPE_POS_TEX_COL || type == ETL_TYPE_POS_NORM_TEX_COL ||
         type == ETL_TYPE_POS_COL;
}

static bool HasTexCoords(_EngTriangleListType type) {
  return type == ETL_TYPE_POS_TEX || type == ETL_TYPE_POS_NORM_TEX || type == ETL_TYPE_POS_TEX_COL ||
         type == ETL_TYPE_POS_NORM_TEX_COL;
}

// Test seam: the allocation number (from 1, counted over the following creations) that fails.
static int fail_allocation_at = 0;

void EngTriangleListFailAllocationForTests(int which) { fail_allocation_at = which; }

static float *AllocateFloats(unsigned int num_triangles, int floats_per_triangle) {
  if (fail_allocation_at > 0 && --fail_allocation_at == 0) return nullptr;
  return static_cast<float *>(malloc(sizeof(float) * (size_t)floats_per_triangle * num_triangles));
}

static void FreeFloats(float **array) {
  if (*array) EngFree(*array, 0, ENG_FUNC);
  *array = nullptr;
}

// Stores a triangle's three corners with the second and third exchanged.
static void StoreCorners(float *array, unsigned int triangle, const float corners[9], float z_sign) {
  float *out = array + (size_t)triangle * 9;
  static const int STORED_FROM[3] = {0, 2, 1};
  for (int stored = 0; stored < 3; stored++) {
    const float *in = corners + STORED_FROM[stored] * 3;
    out[stored * 3 + 0] = in[0];
    out[stored * 3 + 1] = in[1];
    out[stored * 3 + 2] = in[2] * z_sign;
  }
}

void EngTriangleListBindTexture_GL(EngTexture *texture) {
  if (texture) texture->BindTexture_GL();
}

void EngTriangleList::Init_GL() {
  m_bound_texture = nullptr;
  m_positions = nullptr;
  m_normals = nullptr;
  m_tex_coords = nullptr;
  m_colours = nullptr;
}

char EngTriangleList::Create_GL(_EngTriangleListType type, EngTexture *texture, unsigned int num_triangles) {
  if (m_created) DebugErrorAlt(ENG_FUNC, "Warning - Already created");
  if (num_triangles == 0) {
    DebugErrorAlt(ENG_FUNC, "Invalid num triangles");
    return 0;
  }
  Destroy_GL();
  m_type = type;
  m_positions = AllocateFloats(num_triangles, 9);
  if (!m_positions) {
    DebugErrorAlt(ENG_FUNC, "No memory (verts - num triangles=%u)", num_triangles);
    return 0;
  }
  if (HasNormals(type)) {
    m_normals = AllocateFloats(num_triangles, 9);
    if (!m_normals) {
      DebugErrorAlt(ENG_FUNC, "No memory (normals - num triangles=%u)", num_triangles);
      Destroy_GL();
      return 0;
    }
  }
  if (HasColours(type)) {
    m_colours = AllocateFloats(num_triangles, 12);
    if (!m_colours) {
      DebugErrorAlt(ENG_FUNC, "No memory (cols - num triangles=%u)", num_triangles);
      Destroy_GL();
      return 0;
    }
  }
  if (HasTexCoords(type)) {
    m_tex_coords = AllocateFloats(num_triangles, 6);
    if (!m_tex_coords) {
      DebugErrorAlt(ENG_FUNC, "No memory (tcs - num triangles=%u)", num_triangles);
      Destroy_GL();
      return 0;
    }
  }
  m_num_triangles = num_triangles;
  m_created = 1;
  for (unsigned int i = 0; i < num_triangles; i++) {
    if (m_tex_coords) {
      float *tc = m_tex_coords + (size_t)i * 6;
      for (int v = 0; v < 3; v++) {
        tc[v * 2] = 0.0f;
        tc[v * 2 + 1] = 1.0f;
      }
    }
    if (m_colours) {
      float *colour = m_colours + (size_t)i * 12;
      for (int k = 0; k < 12; k++) colour[k] = 1.0f;
    }
    if (m_normals) {
      float *normal = m_normals + (size_t)i * 9;
      for (int v = 0; v < 3; v++) {
        normal[v * 3] = 0.0f;
        normal[v * 3 + 1] = 0.0f;
        normal[v * 3 + 2] = 1.0f;
      }
    }
  }
  m_texture = texture;
  m_bound_texture = nullptr;
  return 1;
}

// Frees whatever arrays exist, so a half-built list from a failed creation is freed too.
void EngTriangleList::Destroy_GL() {
  FreeFloats(&m_positions);
  FreeFloats(&m_normals);
  FreeFloats(&m_tex_coords);
  FreeFloats(&m_colours);
  m_created = 0;
  m_num_triangles = 0;
  m_bound_texture = nullptr;
}

char EngTriangleList::PrepareToAlterData_GL() { return 1; }
void EngTriangleList::DoneAlteringData_GL() {}

char EngTriangleList::CheckTriangle(const char *signature, unsigned int triangle) const {
  if (triangle < m_num_triangles) return 1;
  DebugErrorAlt(signature, "Invalid Triangle %u (num=%u)", triangle, m_num_triangles);
  return 0;
}

void EngTriangleList::SetPositions_GL(unsigned int triangle, float x1, float y1, float z1, float x2, float y2,
                                      float z2, float x3, float y3, float z3) {
  if (!m_created || !m_positions || !CheckTriangle(ENG_FUNC, triangle)) return;
  const float corners[9] = {x1, y1, z1, x2, y2, z2, x3, y3, z3};
  StoreCorners(m_positions, triangle, corners, 1.0f);
}

void EngTriangleList::SetPositionsP_GL(unsigned int triangle, _Vector3d *p1, _Vector3d *p2, _Vector3d *p3) {
  if (!p1 || !p2 || !p3) return;
  if (!m_created || !m_positions || !CheckTriangle(ENG_FUNC, triangle)) return;
  const float corners[9] = {p1->x, p1->y, p1->z, p2->x, p2->y, p2->z, p3->x, p3->y, p3->z};
  StoreCorners(m_positions, triangle, corners, 1.0f);
}

void EngTriangleList::SetPositionsRatioed_GL(unsigned int triangle, float x1, float y1, float z1, float x2,
                                             float y2, float z2, float x3, float y3, float z3) {
  if (!m_created || !m_positions || !CheckTriangle(ENG_FUNC, triangle)) return;
  const float corners[9] = {x1 / 320.0f - 1.0f, 1.0f - y1 / 240.0f, z1,
                            x2 / 320.0f - 1.0f, 1.0f - y2 / 240.0f, z2,
                            x3 / 320.0f - 1.0f, 1.0f - y3 / 240.0f, z3};
  StoreCorners(m_positions, triangle, corners, 1.0f);
}

void EngTriangleList::SetNormals_GL(unsigned int triangle, float x1, float y1, float z1, float x2, float y2,
                                    float z2, float x3, float y3, float z3) {
  if (!m_created || !m_normals || !CheckTriangle(ENG_FUNC, triangle)) return;
  const float normals[9] = {x1, y1, z1, x2, y2, z2, x3, y3, z3};
  StoreCorners(m_normals, triangle, normals, -1.0f);
}

void EngTriangleList::SetNormalsP_GL(unsigned int triangle, _Vector3d *n1, _Vector3d *n2, _Vector3d *n3) {
  if (!n1 || !n2 || !n3) return;
  if (!m_created || !m_normals || !CheckTriangle(ENG_FUNC, triangle)) return;
  const float normals[9] = {n1->x, n1->y, n1->z, n2->x, n2->y, n2->z, n3->x, n3->y, n3->z};
  StoreCorners(m_normals, triangle, normals, -1.0f);
}

void EngTriangleList::SetTextureCoordinates_GL(unsigned int triangle, float u1, float v1, float u2, float v2,
                                               float u3, float v3) {
  if (!m_created || !m_tex_coords || !CheckTriangle(ENG_FUNC, triangle)) return;
  float *tc = m_tex_coords + (size_t)triangle * 6;
  tc[0] = u1;
  tc[1] = v1;
  tc[2] = u2;
  tc[3] = v2;
  tc[4] = u3;
  tc[5] = v3;
}

void EngTriangleList::StoreColour(unsigned int triangle, float r, float g, float b, float a) {
  for (int v = 0; v < 3; v++) StoreVertexColour(triangle, v, r, g, b, a);
}

void EngTriangleList::StoreVertexColour(unsigned int triangle, int vertex, float r, float g, float b, float a) {
  float *colour = m_colours + (size_t)triangle * 12 + vertex * 4;
  colour[0] = r;
  colour[1] = g;
  colour[2] = b;
  colour[3] = a;
}

// Comparisons with a NaN are false, so a NaN is refused as well.
static bool ColourValid(float r, float g, float b, float a) { return r >= 0 && g >= 0 && b >= 0 && a >= 0; }

void EngTriangleList::SetColour_GL(unsigned int triangle, float r, float g, float b, float a) {
  if (!m_created || !m_colours || !CheckTriangle(ENG_FUNC, triangle)) return;
  if (!ColourValid(r, g, b, a)) {
    DebugErrorAlt(ENG_FUNC, "Invalid values");
    return;
  }
  StoreColour(triangle, r, g, b, a);
}

void EngTriangleList::SetColour_GL(unsigned int triangle, _ColourRGBA *colour) {
  if (!m_created || !m_colours || !CheckTriangle(ENG_FUNC, triangle)) return;
  if (!colour) {
    StoreColour(triangle, 1.0f, 1.0f, 1.0f, 1.0f);
    return;
  }
  if (!ColourValid(colour->r, colour->g, colour->b, colour->a)) {
    DebugErrorAlt(ENG_FUNC, "Invalid values");
    return;
  }
  StoreColour(triangle, colour->r, colour->g, colour->b, colour->a);
}

void EngTriangleList::SetVertexColour_GL(unsigned int triangle, int vertex, float r, float g, float b, float a) {
  if (!m_created || !m_colours || !CheckTriangle(ENG_FUNC, triangle)) return;
  // A negative vertex would write before the triangle's colours.
  if (vertex < 0 || vertex >= 3) {
    DebugErrorAlt(ENG_FUNC, "Invalid vertex num %d", vertex);
    return;
  }
  StoreVertexColour(triangle, vertex, r, g, b, a);
}

void EngTriangleList::SetVertexColour_GL(unsigned int triangle, int vertex, _ColourRGBA *colour) {
  if (!m_created || !m_colours || !CheckTriangle(ENG_FUNC, triangle)) return;
  if (vertex < 0 || vertex >= 3) {
    DebugErrorAlt(ENG_FUNC, "Invalid vertex num %d", vertex);
    return;
  }
  if (!colour) {
    DebugErrorAlt(ENG_FUNC, "No colour specified");
    return;
  }
  StoreVertexColour(triangle, vertex, colour->r, colour->g, colour->b, colour->a);
}

void EngTriangleList::SetTexture_GL(EngTexture *texture) { m_texture = texture; }

void EngTriangleList::SetupForDrawing_GL() { m_bound_texture = nullptr; }

void EngTriangleList::DrawTriangles_GL() { DrawTrianglesSet_GL(0, m_num_triangles); }

void EngTriangleList::DrawTrianglesSet_GL(unsigned int first, unsigned int count) {
  if (!m_created || !eng_gl_3d_setup) return;
  if (m_texture) {
    if (m_texture != m_bound_texture) {
      EngTriangleListBindTexture_GL(m_texture);
      m_bound_texture = m_texture;
    }
  } else {
    m_bound_texture = nullptr;
  }

  bool normals = false, tex_coords = false, colours = false;
  switch (m_type) {
    case ETL_TYPE_POS: break;
    case ETL_TYPE_POS_NORM_TEX: normals = tex_coords = true; break;
    case ETL_TYPE_POS_TEX_COL: tex_coords = colours = true; break;
    case ETL_TYPE_POS_COL: colours = true; break;
    default:
      DebugErrorAlt(ENG_FUNC, "Type %d not implemented yet", (int)m_type);
      return;
  }

  // A part reaching past the end is cut there; the arrays are never read beyond it.
  if (first >= m_num_triangles || first >= MAX_DRAWN_TRIANGLES) return;
  unsigned int available = m_num_triangles - first;
  if (count > available) count = available;
  if (count > MAX_DRAWN_TRIANGLES - first) count = MAX_DRAWN_TRIANGLES - first;
  if (count == 0) return;

  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(FLOATS_PER_POSITION, GL_FLOAT, 0, m_positions);
  if (normals) {
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 0, m_normals);
  }
  if (tex_coords) {
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(FLOATS_PER_TEX_COORD, GL_FLOAT, 0, m_tex_coords);
  }
  if (colours) {
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(FLOATS_PER_COLOUR, GL_FLOAT, 0, m_colours);
  }
  glDrawArrays(GL_TRIANGLES, (GLint)(first * VERTICES_PER_TRIANGLE), (GLsizei)(count * VERTICES_PER_TRIANGLE));
  if (colours) glDisableClientState(GL_COLOR_ARRAY);
  if (tex_coords) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  if (normals) glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  if (m_type == ETL_TYPE_POS) glEnable(GL_TEXTURE_2D);
  EngUtilsGL_ErrorCheck(ENG_FUNC, "glDrawArrays");
}

void EngTriangleList::CleanupAfterDrawing_GL() {
  if (eng_gl_3d_setup) {
    if (m_texture) glBindTexture(GL_TEXTURE_2D, 0);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  }
  m_bound_texture = nullptr;
}

void EngTriangleList::SetupAndDraw_GL() {
  if (!m_created) return;
  SetupForDrawing_GL();
  DrawTriangles_GL();
  CleanupAfterDrawing_GL();
}

void EngTriangleList::SetupAndDrawPart_GL(unsigned int first, unsigned int count) {
  if (!m_created) return;
  SetupForDrawing_GL();
  DrawTrianglesSet_GL(first, count);
  CleanupAfterDrawing_GL();
}
