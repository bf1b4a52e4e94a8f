#include "Engine/EngTriangleList.h"

#include "Engine/EngMain.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngProgram.h"

EngTriangleList::EngTriangleList() { Init_GL(); }

// The arrays are plain memory, so they are freed whatever the device kind is by now.
EngTriangleList::~EngTriangleList() { Destroy_GL(); }
void EngTriangleList::Destroy() { Destroy_GL(); }

char EngTriangleList::Create(_EngTriangleListType type, EngTexture *texture, unsigned int num_triangles) {
  return EngMainIsCurrentDeviceTypeGL() ? Create_GL(type, texture, num_triangles) : 0;
}

char EngTriangleList::PrepareToAlterData() { return EngMainIsCurrentDeviceTypeGL() ? PrepareToAlterData_GL() : 0; }

void EngTriangleList::DoneAlteringData() {
  if (EngMainIsCurrentDeviceTypeGL()) DoneAlteringData_GL();
}

void EngTriangleList::SetPositions(unsigned int triangle, float x1, float y1, float z1, float x2, float y2,
                                   float z2, float x3, float y3, float z3) {
  if (EngMainIsCurrentDeviceTypeGL()) SetPositions_GL(triangle, x1, y1, z1, x2, y2, z2, x3, y3, z3);
}

void EngTriangleList::SetPositionsP(unsigned int triangle, _Vector3d *p1, _Vector3d *p2, _Vector3d *p3) {
  if (EngMainIsCurrentDeviceTypeGL()) SetPositionsP_GL(triangle, p1, p2, p3);
}

void EngTriangleList::SetPositionsRatioed(unsigned int triangle, float x1, float y1, float z1, float x2, float y2,
                                          float z2, float x3, float y3, float z3) {
  if (EngMainIsCurrentDeviceTypeGL()) SetPositionsRatioed_GL(triangle, x1, y1, z1, x2, y2, z2, x3, y3, z3);
}

void EngTriangleList::SetNormals(unsigned int triangle, float x1, float y1, float z1, float x2, float y2,
                                 float z2, float x3, float y3, float z3) {
  if (EngMainIsCurrentDeviceTypeGL()) SetNormals_GL(triangle, x1, y1, z1, x2, y2, z2, x3, y3, z3);
}

void EngTriangleList::SetNormalsP(unsigned int triangle, _Vector3d *n1, _Vector3d *n2, _Vector3d *n3) {
  if (EngMainIsCurrentDeviceTypeGL()) SetNormalsP_GL(triangle, n1, n2, n3);
}

void EngTriangleList::SetTextureCoordinates(unsigned int triangle, float u1, float v1, float u2, float v2,
                                            float u3, float v3) {
  if (EngMainIsCurrentDeviceTypeGL()) SetTextureCoordinates_GL(triangle, u1, v1, u2, v2, u3, v3);
}

void EngTriangleList::SetColour(unsigned int triangle, float r, float g, float b, float a) {
  if (EngMainIsCurrentDeviceTypeGL()) SetColour_GL(triangle, r, g, b, a);
}

void EngTriangleList::SetColour(unsigned int triangle, _ColourRGBA *colour) {
  if (EngMainIsCurrentDeviceTypeGL()) SetColour_GL(triangle, colour);
}

void EngTriangleList::SetVertexColour(unsigned int triangle, int vertex, float r, float g, float b, float a) {
  if (EngMainIsCurrentDeviceTypeGL()) SetVertexColour_GL(triangle, vertex, r, g, b, a);
}

void EngTriangleList::SetVertexColour(unsigned int triangle, int vertex, _ColourRGBA *colour) {
  if (EngMainIsCurrentDeviceTypeGL()) SetVertexColour_GL(triangle, vertex, colour);
}

void EngTriangleList::SetTexture(EngTexture *texture) {
  if (EngMainIsCurrentDeviceTypeGL()) SetTexture_GL(texture);
}

void EngTriangleList::SetupAndDraw() {
  if (EngMainIsCurrentDeviceTypeGL()) SetupAndDraw_GL();
}

void EngTriangleList::SetupAndDrawPart(unsigned int first, unsigned int count) {
  if (EngMainIsCurrentDeviceTypeGL()) SetupAndDrawPart_GL(first, count);
}

void EngTriangleList::SetupForDrawing() {
  if (EngMainIsCurrentDeviceTypeGL()) SetupForDrawing_GL();
}

void EngTriangleList::DrawTriangles() {
  if (EngMainIsCurrentDeviceTypeGL()) DrawTriangles_GL();
}

void EngTriangleList::DrawTrianglesSet(unsigned int first, unsigned int count) {
  if (EngMainIsCurrentDeviceTypeGL()) DrawTrianglesSet_GL(first, count);
}

void EngTriangleList::CleanupAfterDrawing() {
  if (EngMainIsCurrentDeviceTypeGL()) CleanupAfterDrawing_GL();
}
