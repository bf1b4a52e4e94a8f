// Mesh models for the model tests: built in memory as squares of two triangles per part, or
// written as .x text for the loader.
#pragma once

#include <string>

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

// A unit square mesh from (0, 0) to (1, 1) at z 0, counter-clockwise seen from +z, with one
// normal (0, 0, 1), one material and, when a texture file is named, texture coordinates u
// along x and v along y. With a frame the mesh sits under a translation by (tx, ty, tz).
struct SquareMeshText {
  std::string name = "Square";
  float r = 1, g = 1, b = 1;
  std::string texture;
  bool frame = false;
  float tx = 0, ty = 0, tz = 0;

  std::string Text() const {
    std::string t = "Mesh " + name + " {\n4;\n0.0;0.0;0.0;,\n1.0;0.0;0.0;,\n1.0;1.0;0.0;,\n0.0;1.0;0.0;;\n" +
                    "2;\n3;0,1,2;,\n3;0,2,3;;\n" +
                    "MeshNormals {\n1;\n0.0;0.0;1.0;;\n2;\n3;0,0,0;,\n3;0,0,0;;\n}\n" +
                    "MeshMaterialList {\n1;\n2;\n0;,\n0;;\nMaterial Mat {\n" + std::to_string(r) + ";" +
                    std::to_string(g) + ";" + std::to_string(b) + ";1.0;;\n0.0;\n0.0;0.0;0.0;;\n0.0;0.0;0.0;;\n";
    if (!texture.empty()) t += "TextureFilename { \"" + texture + "\"; }\n";
    t += "}\n}\n";
    if (!texture.empty()) t += "MeshTextureCoords {\n4;\n0.0;0.0;,\n1.0;0.0;,\n1.0;1.0;,\n0.0;1.0;;\n}\n";
    t += "}\n";
    if (!frame) return t;
    return "Frame F {\nFrameTransformMatrix {\n1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0," +
           std::to_string(tx) + "," + std::to_string(ty) + "," + std::to_string(tz) + ",1.0;;\n}\n" + t + "}\n";
  }
};

}  // namespace qwtest
