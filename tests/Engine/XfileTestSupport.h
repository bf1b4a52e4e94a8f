// Mesh models built in memory for the model tests: squares of two triangles per part.
#pragma once

#include "Engine/EngMemory.h"
#include "Engine/EngXfile.h"

namespace qwtest {

class MemoryModel : public EngXfile {
 public:
  // A model of num_parts parts, each empty and coloured white.
  void Build(int num_parts) {
    m_parts = static_cast<_EngXfilePart *>(EngMalloc(sizeof(_EngXfilePart) * XFILE_MAX_PARTS, "MemoryModel", 1));
    m_num_parts = num_parts;
    for (int i = 0; i < num_parts; i++)
      for (int c = 0; c < 4; c++) m_parts[i].ambient[c] = m_parts[i].diffuse[c] = 1.0f;
  }
  // Gives the part a square from (x, y) to (x + size, y + size) at z 0, counter-clockwise seen
  // from +z with y up.
  void SetSquare(int part, float x, float y, float size) {
    _EngXfilePart *p = &m_parts[part];
    EngXfilePartFreeLists(p);
    const float corners[6][3] = {{x, y, 0},        {x + size, y, 0},        {x + size, y + size, 0},
                                 {x, y, 0},        {x + size, y + size, 0}, {x, y + size, 0}};
    p->positions = static_cast<float *>(EngMalloc(sizeof(corners), "MemoryModel", 0));
    p->normals = static_cast<float *>(EngMalloc(sizeof(corners), "MemoryModel", 1));
    p->tex_coords = static_cast<float *>(EngMalloc(sizeof(float) * 12, "MemoryModel", 1));
    for (int v = 0; v < 6; v++)
      for (int c = 0; c < 3; c++) p->positions[v * 3 + c] = corners[v][c];
    p->num_vertices = 6;
  }
  _EngXfilePart *Part(int i) { return &m_parts[i]; }
  _EngXfilePart *Parts() { return m_parts; }
};

}  // namespace qwtest
