// Triangle lists: a fixed-size batch of independent triangles (positions, and by type normals,
// texture coordinates and colours) drawn in one go from client-side arrays. The portable front
// forwards to the OpenGL half (the _GL members); the list owns its arrays, never its texture.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"

class EngTexture;

// Which arrays a list has besides its positions; only types 1, 3, 5 and 7 can be drawn.
enum _EngTriangleListType : EngInt32 {
  ETL_TYPE_NONE = 0,
  ETL_TYPE_POS = 1,
  ETL_TYPE_POS_TEX = 2,
  ETL_TYPE_POS_NORM_TEX = 3,
  ETL_TYPE_POS_NORM_COL = 4,
  ETL_TYPE_POS_TEX_COL = 5,
  ETL_TYPE_POS_NORM_TEX_COL = 6,
  ETL_TYPE_POS_COL = 7,
};

// Triangles are given as three corners; the second and third are stored exchanged, so a
// triangle given clockwise on screen is stored counter-clockwise and survives the device's
// default back-face culling, while one given counter-clockwise is culled. Texture coordinates
// and vertex colours are stored as given: vertex colour 1 belongs to the third given corner.
class EngTriangleList {
 public:
  EngTriangleList();
  ~EngTriangleList();
  EngTriangleList(const EngTriangleList &) = delete;
  EngTriangleList &operator=(const EngTriangleList &) = delete;

  char Create(_EngTriangleListType type, EngTexture *texture, unsigned int num_triangles);
  void Destroy();
  char PrepareToAlterData();
  void DoneAlteringData();

  void SetPositions(unsigned int triangle, float x1, float y1, float z1, float x2, float y2, float z2, float x3,
                    float y3, float z3);
  void SetPositionsP(unsigned int triangle, _Vector3d *p1, _Vector3d *p2, _Vector3d *p3);
  // Corners in the 640 by 480 design space, y down.
  void SetPositionsRatioed(unsigned int triangle, float x1, float y1, float z1, float x2, float y2, float z2,
                           float x3, float y3, float z3);
  void SetNormals(unsigned int triangle, float x1, float y1, float z1, float x2, float y2, float z2, float x3,
                  float y3, float z3);
  void SetNormalsP(unsigned int triangle, _Vector3d *n1, _Vector3d *n2, _Vector3d *n3);
  void SetTextureCoordinates(unsigned int triangle, float u1, float v1, float u2, float v2, float u3, float v3);
  void SetColour(unsigned int triangle, float r, float g, float b, float a);
  // A null colour means white.
  void SetColour(unsigned int triangle, _ColourRGBA *colour);
  void SetVertexColour(unsigned int triangle, int vertex, float r, float g, float b, float a);
  void SetVertexColour(unsigned int triangle, int vertex, _ColourRGBA *colour);
  void SetTexture(EngTexture *texture);

  void SetupAndDraw();
  void SetupAndDrawPart(unsigned int first, unsigned int count);
  void SetupForDrawing();
  void DrawTriangles();
  // A part reaching past the last triangle is cut at the end.
  void DrawTrianglesSet(unsigned int first, unsigned int count);
  void CleanupAfterDrawing();

  char IsCreated() const { return m_created; }
  _EngTriangleListType GetType() const { return m_type; }
  EngTexture *GetTexture() const { return m_texture; }
  unsigned int GetNumTriangles() const { return m_num_triangles; }
  EngTexture *GetBoundTexture() const { return m_bound_texture; }
  // The stored arrays (null when the type lacks one), for inspection.
  const float *GetPositionArray() const { return m_positions; }
  const float *GetNormalArray() const { return m_normals; }
  const float *GetTextureCoordinateArray() const { return m_tex_coords; }
  const float *GetColourArray() const { return m_colours; }

  // The OpenGL half.
  void Init_GL();
  char Create_GL(_EngTriangleListType type, EngTexture *texture, unsigned int num_triangles);
  void Destroy_GL();
  char PrepareToAlterData_GL();
  void DoneAlteringData_GL();
  void SetPositions_GL(unsigned int triangle, float x1, float y1, float z1, float x2, float y2, float z2,
                       float x3, float y3, float z3);
  void SetPositionsP_GL(unsigned int triangle, _Vector3d *p1, _Vector3d *p2, _Vector3d *p3);
  void SetPositionsRatioed_GL(unsigned int triangle, float x1, float y1, float z1, float x2, float y2, float z2,
                              float x3, float y3, float z3);
  void SetNormals_GL(unsigned int triangle, float x1, float y1, float z1, float x2, float y2, float z2, float x3,
                     float y3, float z3);
  void SetNormalsP_GL(unsigned int triangle, _Vector3d *n1, _Vector3d *n2, _Vector3d *n3);
  void SetTextureCoordinates_GL(unsigned int triangle, float u1, float v1, float u2, float v2, float u3, float v3);
  void SetColour_GL(unsigned int triangle, float r, float g, float b, float a);
  void SetColour_GL(unsigned int triangle, _ColourRGBA *colour);
  void SetVertexColour_GL(unsigned int triangle, int vertex, float r, float g, float b, float a);
  void SetVertexColour_GL(unsigned int triangle, int vertex, _ColourRGBA *colour);
  void SetTexture_GL(EngTexture *texture);
  void SetupForDrawing_GL();
  void DrawTriangles_GL();
  void DrawTrianglesSet_GL(unsigned int first, unsigned int count);
  void CleanupAfterDrawing_GL();
  void SetupAndDraw_GL();
  void SetupAndDrawPart_GL(unsigned int first, unsigned int count);

 private:
  // Logs and answers 0 unless the triangle index is inside the list.
  char CheckTriangle(const char *signature, unsigned int triangle) const;
  void StoreColour(unsigned int triangle, float r, float g, float b, float a);
  void StoreVertexColour(unsigned int triangle, int vertex, float r, float g, float b, float a);

  char m_created = 0;
  _EngTriangleListType m_type = ETL_TYPE_NONE;
  EngTexture *m_texture = nullptr;
  unsigned int m_num_triangles = 0;
  EngTexture *m_bound_texture = nullptr;
  float *m_positions = nullptr;
  float *m_normals = nullptr;
  float *m_tex_coords = nullptr;
  float *m_colours = nullptr;
};

// Binds a list's texture to OpenGL's 2D target; a null texture binds nothing.
void EngTriangleListBindTexture_GL(EngTexture *texture);
// Makes the which-th array allocation from now on fail (0: none), for testing creation failures.
void EngTriangleListFailAllocationForTests(int which);
