#include "Engine/EngTriangleList.h"

#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"

static bool IsOpenGl() { return eng_main_device_type == ENG_DEVICE_TYPE_OPENGL; }

EngTriangleList::EngTriangleList() { Init_GL(); }

// The arrays are plain memory, so they are freed whatever the device kind is by now.
EngTriangleList::~EngTriangleList() { Destroy_GL(); }
void EngTriangleList::Destroy() { Destroy_GL(); }

char EngTriangleList::Create(_EngTriangleListType type, EngTexture *texture, unsigned int num_triangles) {
  return IsOpenGl() ? Create_GL(type, texture, num_triangles) : 0;
}

char EngTriangleList::PrepareToAlterData() { return IsOpenGl() ? PrepareToAlterData_GL() : 0; }

void EngTriangleList::DoneAlteringData() {
  if (IsOpenGl()) DoneAlteringData_GL();
}

void EngTriangleList::SetPositions(unsigned int triangle, float x1, float y1, float z1, float x2, float y2,
                                   float z2, float x3, float y3, float z3) {
  if (IsOpenGl()) SetPositions_GL(triangle, x1, y1, z1, x2, y2, z2, x3, y3, z3);
}

void EngTriangleList::SetPositionsP(unsigned int triangle, _Vector3d *p1, _Vector3d *p2, _Vector3d *p3) {
  if (IsOpenGl()) SetPositionsP_GL(triangle, p1, p2, p3);
}

void EngTriangleList::SetPositionsRatioed(unsigned int triangle, float x1, float y1, float z1, float x2, float y2,
                                          float z2, float x3, float y3, float z3) {
  if (IsOpenGl()) SetPositionsRatioed_GL(triangle, x1, y1, z1, x2, y2, z2, x3, y3, z3);
}

void EngTriangleList::SetNormals(unsigned int triangle, float x1, float y1, float z1, float x2, float y2,
                                 float z2, float x3, float y3, float z3) {
  if (IsOpenGl()) SetNormals_GL(triangle, x1, y1, z1, x2, y2, z2, x3, y3, z3);
}

void EngTriangleList::SetNormalsP(unsigned int triangle, _Vector3d *n1, _Vector3d *n2, _Vector3d *n3) {
  if (IsOpenGl()) SetNormalsP_GL(triangle, n1, n2, n3);
}

void EngTriangleList::SetTextureCoordinates(unsigned int triangle, float u1, float v1, float u2, float v2,
                                            float u3, float v3) {
  if (IsOpenGl()) SetTextureCoordinates_GL(triangle, u1, v1, u2, v2, u3, v3);
}

void EngTriangleList::SetColour(unsigned int triangle, float r, float g, float b, float a) {
  if (IsOpenGl()) SetColour_GL(triangle, r, g, b, a);
}

void EngTriangleList::SetColour(unsigned int triangle, _ColourRGBA *colour) {
  if (IsOpenGl()) SetColour_GL(triangle, colour);
}

void EngTriangleList::SetVertexColour(unsigned int triangle, int vertex, float r, float g, float b, float a) {
  if (IsOpenGl()) SetVertexColour_GL(triangle, vertex, r, g, b, a);
}

void EngTriangleList::SetVertexColour(unsigned int triangle, int vertex, _ColourRGBA *colour) {
  if (IsOpenGl()) SetVertexColour_GL(triangle, vertex, colour);
}

void EngTriangleList::SetTexture(EngTexture *texture) {
  if (IsOpenGl()) SetTexture_GL(texture);
}

void EngTriangleList::SetupAndDraw() {
  if (IsOpenGl()) SetupAndDraw_GL();
}

void EngTriangleList::SetupAndDrawPart(unsigned int first, unsigned int count) {
  if (IsOpenGl()) SetupAndDrawPart_GL(first, count);
}

void EngTriangleList::SetupForDrawing() {
  if (IsOpenGl()) SetupForDrawing_GL();
}

void EngTriangleList::DrawTriangles() {
  if (IsOpenGl()) DrawTriangles_GL();
}

void EngTriangleList::DrawTrianglesSet(unsigned int first, unsigned int count) {
  if (IsOpenGl()) DrawTrianglesSet_GL(first, count);
}

void EngTriangleList::CleanupAfterDrawing() {
  if (IsOpenGl()) CleanupAfterDrawing_GL();
}
