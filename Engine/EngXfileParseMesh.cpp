// The end of each mesh in EngXfileParse: transforms, expansion into a part's triangle arrays,
// the developer source output, and the accessors of the last mesh read.
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMath.h"
#include "Engine/EngMemory.h"
#include "Engine/EngXfileParse.h"

namespace {

// Directions turn with the matrix but do not move with it.
void TransformDirection(const EngMatrix &matrix, float *n) {
  const float *m = matrix.m;
  float x = n[0], y = n[1], z = n[2];
  n[0] = m[0] * x + m[4] * y + m[8] * z;
  n[1] = m[1] * x + m[5] * y + m[9] * z;
  n[2] = m[2] * x + m[6] * y + m[10] * z;
}

void TransformPoint(const EngMatrix &matrix, float *v) {
  _Vector3d p = {v[0], v[1], v[2]};
  matrix.TransformVectorByMatrix(&p);
  v[0] = p.x;
  v[1] = p.y;
  v[2] = p.z;
}

void Swap(float *a, float *b) {
  float t = *a;
  *a = *b;
  *b = t;
}

}  // namespace

void EngXfileParse::FreeCurrentMaterialLists() { EngXfilePartFreeLists(m_cur_part); }

void EngXfileParse::TransformMesh() {
  float *v = m_vertices;
  float *n = m_normals;
  const EngUInt32 nv = m_num_vertices, nn = m_num_normals;

  EngMatrix frame;
  frame.SetIdentityMatrix();
  char applied = 0;
  for (EngInt32 k = 0; k < m_depth && k < XFILE_MAX_FRAME_LEVELS; k++) {
    if (!m_frame_set[k]) continue;
    if (trace) DebugInfoAlt(ENG_FUNC, "###   Applying frame matrix level %d to part.", k);
    frame.PreMultiplyByMatrix(&m_frame_matrix[k]);
    applied = 1;
  }
  if (applied) {
    for (EngUInt32 i = 0; i < nv; i++) TransformPoint(frame, &v[i * 3]);
    for (EngUInt32 i = 0; i < nn; i++) {
      TransformDirection(frame, &n[i * 3]);
      EngMathUnifyNormal(&n[i * 3], &n[i * 3 + 1], &n[i * 3 + 2]);
    }
    for (EngInt32 k = m_depth - 2; k <= m_depth - 1; k++)
      if (k >= 0 && k < XFILE_MAX_FRAME_LEVELS) m_frame_set[k] = 0;
  }

  EngMatrix rotation, step;
  rotation.SetIdentityMatrix();
  const float angles[3] = {m_convert.rotate_x, m_convert.rotate_y, m_convert.rotate_z};
  char rotated = 0;
  for (int i = 0; i < 3; i++) {
    int axis = m_convert.rotate_zyx ? 2 - i : i;
    if (angles[axis] == 0.0f) continue;
    if (axis == 0)
      step.SetRotateXMatrix(angles[axis]);
    else if (axis == 1)
      step.SetRotateYMatrix(angles[axis]);
    else
      step.SetRotateZMatrix(angles[axis]);
    rotation.MultiplyByMatrix(&step);
    rotated = 1;
  }
  if (rotated) {
    for (EngUInt32 i = 0; i < nv; i++) TransformPoint(rotation, &v[i * 3]);
    for (EngUInt32 i = 0; i < nn; i++) TransformDirection(rotation, &n[i * 3]);
  }

  const EngUInt8 negate_normal[3] = {m_convert.negate_normal_x, m_convert.negate_normal_y, m_convert.negate_normal_z};
  const EngUInt8 negate_vertex[3] = {m_convert.negate_vertex_x, m_convert.negate_vertex_y, m_convert.negate_vertex_z};
  for (int axis = 0; axis < 3; axis++)
    if (negate_normal[axis])
      for (EngUInt32 i = 0; i < nn; i++) n[i * 3 + axis] = -n[i * 3 + axis];
  for (int axis = 0; axis < 3; axis++)
    if (negate_vertex[axis])
      for (EngUInt32 i = 0; i < nv; i++) v[i * 3 + axis] = -v[i * 3 + axis];
  if (m_convert.swap_vertex_yz)
    for (EngUInt32 i = 0; i < nv; i++) Swap(&v[i * 3 + 1], &v[i * 3 + 2]);
  if (m_convert.swap_normal_yz)
    for (EngUInt32 i = 0; i < nn; i++) Swap(&n[i * 3 + 1], &n[i * 3 + 2]);
  if (m_has_tex_coords) {
    if (m_convert.flip_tex_u)
      for (EngUInt32 i = 0; i < nv; i++) m_tex_coords[i * 2] = 1.0f - m_tex_coords[i * 2];
    if (m_convert.flip_tex_v)
      for (EngUInt32 i = 0; i < nv; i++) m_tex_coords[i * 2 + 1] = 1.0f - m_tex_coords[i * 2 + 1];
  }
  if (m_scaling) {
    for (EngUInt32 i = 0; i < nv; i++) {
      v[i * 3] *= m_scale_x;
      v[i * 3 + 1] *= m_scale_y;
      v[i * 3 + 2] *= m_scale_z;
    }
  }
}

char EngXfileParse::FillList() {
  if (!m_memory_ready) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  TransformMesh();
  return DoFillList();
}

char EngXfileParse::DoFillList() {
  if (!m_num_vertices) {
    DebugErrorAlt(ENG_FUNC, "No vertices");
    return 0;
  }
  if (!m_num_faces) {
    DebugErrorAlt(ENG_FUNC, "No faces");
    return 0;
  }
  _EngXfilePart *part = m_cur_part;
  if (!part || !m_memory_ready) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  if (part->positions) {
    DebugErrorAlt(ENG_FUNC, "Memory not free (verts)");
    return 0;
  }
  if (part->normals) {
    DebugErrorAlt(ENG_FUNC, "Memory not free (norms)");
    return 0;
  }
  if (part->tex_coords) {
    DebugErrorAlt(ENG_FUNC, "Memory not free (tcs)");
    return 0;
  }
  // Cleared, so a face that writes nothing (a quad) leaves a triangle that draws nothing.
  const size_t corners = size_t(m_num_faces) * 3;
  part->positions = (float *)EngMalloc(sizeof(float) * corners * 3, ENG_FUNC, 1);
  if (!part->positions) {
    DebugErrorAlt(ENG_FUNC, "No memory (verts)");
    return 0;
  }
  part->normals = (float *)EngMalloc(sizeof(float) * corners * 3, ENG_FUNC, 1);
  if (!part->normals) {
    DebugErrorAlt(ENG_FUNC, "No memory (norms)");
    FreeCurrentMaterialLists();
    return 0;
  }
  part->tex_coords = (float *)EngMalloc(sizeof(float) * corners * 2, ENG_FUNC, 1);
  if (!part->tex_coords) {
    DebugErrorAlt(ENG_FUNC, "No memory (tcs)");
    FreeCurrentMaterialLists();
    return 0;
  }
  part->num_vertices = EngInt32(corners);

  char reported_untextured = 0;
  for (EngUInt32 i = 0; i < m_num_faces; i++) {
    const _EngXfileFace &face = m_faces[i];
    const _EngXfileFace &fn = m_face_normals[i];
    const EngUInt32 *a = face.index;
    const EngUInt32 *na = fn.index;
    if (face.num_points == 3) {
      if (a[0] >= m_num_vertices || a[1] >= m_num_vertices || a[2] >= m_num_vertices) {
        DebugErrorAlt(ENG_FUNC, "Bad Vertices (%u %u %u)", a[0], a[1], a[2]);
        FreeCurrentMaterialLists();
        return 0;
      }
      if (na[0] >= m_num_normals || na[1] >= m_num_normals || na[2] >= m_num_normals) {
        DebugErrorAlt(ENG_FUNC, "Bad Normals (%u %u %u)", na[0], na[1], na[2]);
        FreeCurrentMaterialLists();
        return 0;
      }
      const int order[3] = {0, m_convert.reverse_winding ? 2 : 1, m_convert.reverse_winding ? 1 : 2};
      if (!m_has_tex_coords && !reported_untextured) {
        DebugErrorAlt(ENG_FUNC, "Not verified ok for non-tex parts");
        reported_untextured = 1;
      }
      for (int c = 0; c < 3; c++) {
        const size_t corner = size_t(i) * 3 + c;
        const EngUInt32 vi = a[order[c]], ni = na[order[c]];
        memcpy(&part->positions[corner * 3], &m_vertices[vi * 3], sizeof(float) * 3);
        memcpy(&part->normals[corner * 3], &m_normals[ni * 3], sizeof(float) * 3);
        if (m_has_tex_coords) memcpy(&part->tex_coords[corner * 2], &m_tex_coords[vi * 2], sizeof(float) * 2);
      }
    } else if (face.num_points == 4) {
      if (a[0] >= m_num_vertices || a[1] >= m_num_vertices || a[2] >= m_num_vertices || a[3] >= m_num_vertices) {
        DebugErrorAlt(ENG_FUNC, "Bad Vertices (%u %u %u %u)", a[0], a[1], a[2], a[3]);
        FreeCurrentMaterialLists();
        return 0;
      }
      if (na[0] >= m_num_normals || na[1] >= m_num_normals || na[2] >= m_num_normals || na[3] >= m_num_normals) {
        DebugErrorAlt(ENG_FUNC, "Bad Normals (%u %u %u %u)", na[0], na[1], na[2], na[3]);
        FreeCurrentMaterialLists();
        return 0;
      }
      DebugErrorAlt(ENG_FUNC, "Not updated");
    } else {
      DebugErrorAlt(ENG_FUNC, "%d point faces not supported", int(face.num_points));
      FreeCurrentMaterialLists();
      return 0;
    }
  }
  if (m_source_file.is_open) WriteSourcePart();
  return 1;
}

void EngXfileParse::WriteSourcePart() {
  EngFile &out = m_source_file;
  out.Printf("// part %d: %u faces\n", int(m_cur_part_index), m_num_faces);
  out.Printf("GLuint list_%d = glGenLists(1);\nglNewList(list_%d, GL_COMPILE);\nglBegin(GL_TRIANGLES);\n",
             int(m_cur_part_index), int(m_cur_part_index));
  // A quad goes out as the two triangles (a, b, c) and (a, c, d).
  static const int kTriangles[2][3] = {{0, 1, 2}, {0, 2, 3}};
  for (EngUInt32 i = 0; i < m_num_faces; i++) {
    const _EngXfileFace &face = m_faces[i];
    const _EngXfileFace &fn = m_face_normals[i];
    const int triangles = face.num_points == 4 ? 2 : 1;
    for (int t = 0; t < triangles; t++) {
      int order[3] = {kTriangles[t][0], kTriangles[t][1], kTriangles[t][2]};
      if (m_convert.reverse_winding) {
        int tmp = order[1];
        order[1] = order[2];
        order[2] = tmp;
      }
      for (int c = 0; c < 3; c++) {
        const EngUInt32 vi = face.index[order[c]], ni = fn.index[order[c]];
        const float *n = &m_normals[ni * 3];
        const float *v = &m_vertices[vi * 3];
        out.Printf("glNormal3f(%ff, %ff, %ff);\n", n[0], n[1], n[2]);
        if (m_has_tex_coords) out.Printf("glTexCoord2f(%ff, %ff);\n", m_tex_coords[vi * 2], m_tex_coords[vi * 2 + 1]);
        out.Printf("glVertex3f(%ff, %ff, %ff);\n", v[0], v[1], v[2]);
      }
    }
  }
  out.Printf("glEnd();\nglEndList();\n\n");
}

EngUInt32 EngXfileParse::GetLastLoadedModelPartNumVertices() {
  if (!m_memory_ready) {
    DebugErrorAlt(ENG_FUNC, "Not setup ok");
    return 0;
  }
  return m_num_vertices;
}

// One x, y, z triple of the last loaded part's positions or normals, checked against its count.
static char ReadPartTriple(const char *func, char ready, const float *values, EngUInt32 count, EngUInt32 i,
                           _Vector3d *out) {
  if (!ready) {
    DebugErrorAlt(func, "Not setup ok");
    return 0;
  }
  if (i >= count) {
    DebugErrorAlt(func, "Invalid num %u (%u)", i, count);
    return 0;
  }
  if (out) {
    out->x = values[i * 3];
    out->y = values[i * 3 + 1];
    out->z = values[i * 3 + 2];
  }
  return 1;
}

char EngXfileParse::GetLastLoadedModelPartVertex(EngUInt32 i, _Vector3d *out) {
  return ReadPartTriple(ENG_FUNC, m_memory_ready, m_vertices, m_num_vertices, i, out);
}

EngUInt32 EngXfileParse::GetLastLoadedModelPartNumNormals() {
  if (!m_memory_ready) {
    DebugErrorAlt(ENG_FUNC, "Not setup ok");
    return 0;
  }
  return m_num_normals;
}

char EngXfileParse::GetLastLoadedModelPartNormal(EngUInt32 i, _Vector3d *out) {
  return ReadPartTriple(ENG_FUNC, m_memory_ready, m_normals, m_num_normals, i, out);
}

EngUInt32 EngXfileParse::GetLastLoadedModelPartNumFaces() {
  if (!m_memory_ready) {
    DebugErrorAlt(ENG_FUNC, "Not setup ok");
    return 0;
  }
  return m_num_faces;
}

char EngXfileParse::GetLastLoadedModelPartFace(EngUInt32 i, EngUInt32 *a, EngUInt32 *b, EngUInt32 *c) {
  if (!m_memory_ready) {
    DebugErrorAlt(ENG_FUNC, "Not setup ok");
    return 0;
  }
  if (i >= m_num_faces) {
    DebugErrorAlt(ENG_FUNC, "Invalid num %u (%u)", i, m_num_faces);
    return 0;
  }
  const _EngXfileFace &face = m_faces[i];
  if (face.num_points != 3) {
    DebugErrorAlt(ENG_FUNC, "Face %u does not have 3 points (%d)", i, int(face.num_points));
    return 0;
  }
  if (a) *a = face.index[0];
  if (b) *b = face.index[1];
  if (c) *c = face.index[2];
  return 1;
}

char EngXfileParse::GetLastLoadedModelPartFaceNormals(EngUInt32 i, EngUInt32 *a, EngUInt32 *b, EngUInt32 *c) {
  if (!m_memory_ready) {
    DebugErrorAlt(ENG_FUNC, "Not setup ok");
    return 0;
  }
  if (i >= m_num_faces) {
    DebugErrorAlt(ENG_FUNC, "Invalid num %u (%u)", i, m_num_faces);
    return 0;
  }
  const _EngXfileFace &face = m_face_normals[i];
  if (face.num_points != 3) {
    DebugErrorAlt(ENG_FUNC, "Face %u does not have 3 points (%d)", i, int(face.num_points));
    return 0;
  }
  if (a) *a = face.index[0];
  if (b) *b = face.index[1];
  if (c) *c = face.index[2];
  return 1;
}

char EngXfileParse::GetLastLoadedModelPartVertexTexCoord(EngUInt32 i, float *u, float *v) {
  if (!m_memory_ready) {
    DebugErrorAlt(ENG_FUNC, "Not setup ok");
    return 0;
  }
  if (i >= m_num_vertices) {
    DebugErrorAlt(ENG_FUNC, "Invalid num %u (%u)", i, m_num_vertices);
    return 0;
  }
  if (!m_has_tex_coords) {
    if (u) *u = 0.9999f;
    if (v) *v = 0.9999f;
    return 0;
  }
  if (u) *u = m_tex_coords[i * 2];
  if (v) *v = m_tex_coords[i * 2 + 1];
  return 1;
}

const char *EngXfileParse::GetLastLoadedModelPartMaterialFilename() {
  if (!m_cur_part) {
    DebugErrorAlt(ENG_FUNC, "No part");
    return "";
  }
  EngInt32 slot = m_cur_part->texture_index;
  if (slot < 0 || slot >= m_num_named_textures) return "";
  return m_named[slot].texture_filename;
}
