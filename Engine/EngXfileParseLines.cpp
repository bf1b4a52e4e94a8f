// The line machine of EngXfileParse: one state per construct of the mesh format.
#include <cctype>
#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMath.h"
#include "Engine/EngMemory.h"
#include "Engine/EngXfileParse.h"

namespace {

char IsNumeric(const char *line) { return isdigit((unsigned char)line[0]) || line[0] == '-'; }

// format ends with "%255s%n". Returns 1 with the name, 0 without one, -1 for a name that
// filled the buffer and went on (name then holds its first 255 characters).
int ScanName(const char *text, const char *format, char *name) {
  int end = -1;
  name[0] = 0;
  if (sscanf(text, format, name, &end) != 1 || end < 0) return 0;
  if (strlen(name) == XFILE_NAME_SIZE - 1 && text[end] && !isspace((unsigned char)text[end])) return -1;
  return 1;
}

enum FaceScan { FACE_OK, FACE_BAD_INDEX, FACE_UNSUPPORTED };

// "3;a,b,c;" or "4;a,b,c,d;". values receive what was read, -1 where nothing was.
FaceScan ScanFace(const char *line, _EngXfileFace *face, int values[4], int *points) {
  values[0] = values[1] = values[2] = values[3] = -1;
  *points = 0;
  sscanf(line, "%d", points);
  int want = *points;
  int got = 0;
  if (want == 4)
    got = sscanf(line, "4;%d,%d,%d,%d;", &values[0], &values[1], &values[2], &values[3]);
  else if (want == 3)
    got = sscanf(line, "3;%d,%d,%d;", &values[0], &values[1], &values[2]);
  else
    return FACE_UNSUPPORTED;
  if (got != want) return FACE_BAD_INDEX;
  for (int k = 0; k < want; k++)
    if (values[k] < 0 || values[k] > XFILE_MAX_FACE_INDEX) return FACE_BAD_INDEX;
  face->num_points = EngUInt8(want);
  for (int k = 0; k < 4; k++) face->index[k] = k < want ? EngUInt32(values[k]) : 0;
  return FACE_OK;
}

}  // namespace

EngInt32 EngXfileParse::StoreTextureFilename(const char *signature, const char *from) {
  if (m_num_named_textures >= XFILE_MAX_NAMED_TEXTURES - 1) {
    DebugErrorAlt(signature, "Too many materials");
    return -1;
  }
  if (ScanName(from, "\"%255s%n", m_texture_scratch) < 0) {
    DebugErrorAlt(signature, "Material name to long <%s>", DebugOutsideText(m_texture_scratch).c_str());
    return -1;
  }
  // "name"; is read as name";
  size_t len = strlen(m_texture_scratch);
  if (len >= 2 && m_texture_scratch[len - 2] == '"') m_texture_scratch[len - 2] = 0;
  EngInt32 slot = m_num_named_textures++;
  EngSafeStrcpy(m_named[slot].texture_filename, m_texture_scratch, XFILE_NAME_SIZE);
  return slot;
}

// One formatted line with what the states ask of it; signature names ParseLine in messages.
struct EngXfileParse::Line {
  const char *text;
  size_t len;
  char numeric;
  char textured;
  const char *signature;
};

// The top level: meshes, named materials and frame transforms.
char EngXfileParse::ParseTopLine(const Line &l) {
  const char *line = l.text;
  const size_t len = l.len;
  if (len >= 6 && !strncmp(line, "Mesh ", 5)) {
    m_state = 1;
  } else if (len >= 11 && !strncmp(line, "Material ", 9)) {
    if (m_num_named_textures >= XFILE_MAX_NAMED_TEXTURES) {
      DebugErrorAlt(l.signature, "Too many materials");
      return 0;
    }
    char *name = m_named[m_num_named_textures].material_name;
    if (ScanName(line, "Material %255s%n", name) < 0) {
      DebugErrorAlt(l.signature, "Material name to long <%s>", DebugOutsideText(name).c_str());
      return 0;
    }
    m_state = 30;
  } else if (!strncmp(line, "FrameTransformMatrix {", 22)) {
    m_state = 40;
  }
  return 1;
}

// A mesh: its vertex count, vertices and face count.
char EngXfileParse::ParseMeshLine(const Line &l) {
  const char *line = l.text;
  const size_t len = l.len;
  const char numeric = l.numeric;
  switch (m_state) {
    case 1: {
      int count = 0;
      if (len < 2 || sscanf(line, "%d;", &count) != 1) return 1;
      if (count >= XFILE_MAX_VERTICES || count < 0) {
        DebugErrorAlt(l.signature, "Too many m_vertices");
        return 0;
      }
      m_num_vertices = EngUInt32(count);
      m_vertex_counter = 0;
      m_state = count ? 2 : 3;
      return 1;
    }

    case 2: {
      if (!numeric || len < 4) return 1;
      float *v = &m_vertices[m_vertex_counter * 3];
      if (sscanf(line, "%f;%f;%f;", &v[0], &v[1], &v[2]) != 3) {
        DebugErrorAlt(l.signature, "Bad vertex <%s>", DebugOutsideText(line).c_str());
        return 0;
      }
      if (++m_vertex_counter >= m_num_vertices) m_state = 3;
      return 1;
    }

    case 3: {
      int count = 0;
      if (!numeric || len < 2 || sscanf(line, "%d;", &count) != 1) return 1;
      if (count >= XFILE_MAX_FACES || count < 0) {
        DebugErrorAlt(l.signature, "Too many m_faces (%d)", count);
        return 0;
      }
      m_num_faces = EngUInt32(count);
      m_face_counter = 0;
      m_state = count ? 4 : 5;
      return 1;
    }
    default: return 1;
  }
}

// A face of the mesh or of its normals.
char EngXfileParse::ParseFaceLine(const Line &l) {
  const char *line = l.text;
  const size_t len = l.len;
  const char numeric = l.numeric;
  switch (m_state) {
    case 4:
    case 9: {
      if (!numeric || len < 4) return 1;
      const char normals = m_state == 9;
      _EngXfileFace *face = normals ? &m_face_normals[m_face_counter] : &m_faces[m_face_counter];
      int v[4];
      int points = 0;
      switch (ScanFace(line, face, v, &points)) {
        case FACE_OK:
          break;
        case FACE_BAD_INDEX:
          if (points == 4)
            DebugErrorAlt(l.signature, normals ? "Bad Normals <%d,%d,%d,%d>" : "Bad Vertices <%d,%d,%d,%d>", v[0], v[1],
                          v[2], v[3]);
          else
            DebugErrorAlt(l.signature, normals ? "Bad Normals <%d,%d,%d>" : "Bad Vertices <%d,%d,%d>", v[0], v[1],
                          v[2]);
          return 0;
        case FACE_UNSUPPORTED:
          DebugErrorAlt(l.signature,
                        normals ? "<%d> point normal m_faces not supported" : "<%d> point m_faces not supported",
                        points);
          return 0;
      }
      if (++m_face_counter >= m_num_faces) m_state = normals ? 10 : 5;
      return 1;
    }
    default: return 1;
  }
}

// The mesh's normals and their face count.
char EngXfileParse::ParseNormalsLine(const Line &l) {
  const char *line = l.text;
  const size_t len = l.len;
  const char numeric = l.numeric;
  switch (m_state) {
    case 5:
      if (strstr(line, "MeshNormals "))
        m_state = 6;
      else if (strstr(line, "MeshMaterialList "))
        m_state = 11;
      return 1;

    case 6: {
      int count = 0;
      if (!numeric || len < 2 || sscanf(line, "%d;", &count) != 1) return 1;
      if (count >= XFILE_MAX_NORMALS || count < 0) {
        DebugErrorAlt(l.signature, "Too many m_normals");
        return 0;
      }
      m_num_normals = EngUInt32(count);
      m_normal_counter = 0;
      m_state = count ? 7 : 8;
      return 1;
    }

    case 7: {
      if (!numeric || len < 4) return 1;
      float *n = &m_normals[m_normal_counter * 3];
      if (sscanf(line, "%f;%f;%f;", &n[0], &n[1], &n[2]) != 3) {
        DebugErrorAlt(l.signature, "Bad normal <%s>", DebugOutsideText(line).c_str());
        return 0;
      }
      EngMathUnifyNormal(&n[0], &n[1], &n[2]);
      if (++m_normal_counter >= m_num_normals) m_state = 8;
      return 1;
    }

    case 8: {
      int count = 0;
      if (!numeric || len < 2 || sscanf(line, "%d;", &count) != 1) return 1;
      if (count < 0 || EngUInt32(count) != m_num_faces) {
        DebugErrorAlt(l.signature, "Num normal m_faces (%d) is not equal num m_faces(%d)", count, int(m_num_faces));
        return 0;
      }
      m_face_counter = 0;
      m_state = count ? 9 : 10;
      return 1;
    }
    default: return 1;
  }
}

// The mesh's material list: its counts and face materials.
char EngXfileParse::ParseMaterialListLine(const Line &l) {
  const char *line = l.text;
  const size_t len = l.len;
  const char numeric = l.numeric;
  const char textured = l.textured;
  switch (m_state) {
    case 10:
      if (!m_material_list_mode) {
        if (strstr(line, "MeshMaterialList ")) m_state = 11;
        return 1;
      }
      if (!textured) return FillList() ? 2 : 0;
      if (strstr(line, "MeshTextureCoords ")) m_state = 20;
      return 1;

    case 11: {
      int count = 0;
      if (!numeric || sscanf(line, "%d;", &count) != 1) return 1;
      if (count < 1 || count > XFILE_MAX_MESH_MATERIALS) {
        DebugErrorAlt(l.signature, "Invalid num. mesh materials (%d)", count);
        return 0;
      }
      m_num_mesh_materials = count;
      m_cur_inline_material = 0;
      m_material_list_mode = 1;
      m_state = 12;
      return 1;
    }

    case 12: {
      unsigned count = 0;
      if (!numeric || len < 2 || sscanf(line, "%u;", &count) != 1) return 1;
      // One index per face at most; more could only keep the machine here to the end.
      if (count > m_num_faces) {
        DebugErrorAlt(l.signature, "Too many face materials (%u)", count);
        return 0;
      }
      m_num_face_material_indices = count;
      m_face_material_counter = 0;
      m_cur_face_material = -1;
      m_state = count ? 13 : 14;
      return 1;
    }

    case 13: {
      int value = 0;
      if (!numeric || sscanf(line, "%d;", &value) != 1) return 1;
      if (m_face_material_counter == 0)
        m_cur_face_material = value;
      else if (value != m_cur_face_material)
        DebugErrorAlt(l.signature, "Warning more than one material defined in a mesh - not supported yet. (%d,%d)",
                      value, m_cur_face_material);
      if (++m_face_material_counter >= m_num_face_material_indices) m_state = strstr(line, "Material {") ? 15 : 14;
      return 1;
    }
    default: return 1;
  }
}

// A material written inside the mesh or a reference to a named one.
char EngXfileParse::ParseInlineMaterialLine(const Line &l) {
  const char *line = l.text;
  const char numeric = l.numeric;
  switch (m_state) {
    case 14: {
      const EngInt32 cur = m_cur_inline_material;
      const char in_range = cur >= 0 && cur < m_num_mesh_materials && cur < XFILE_MAX_MESH_MATERIALS;
      if (strstr(line, "Material") && strstr(line, " {")) {
        m_material_list_mode = 2;
        m_state = 15;
        if (!in_range) {
          DebugErrorAlt(l.signature, "Invalid cur material num (%d,%d)", cur, m_num_mesh_materials);
          return 0;
        }
        char name[XFILE_NAME_SIZE];
        if (ScanName(line, "Material %255s%n", name) < 0) {
          DebugErrorAlt(l.signature, "Material name to long <%s>", DebugOutsideText(name).c_str());
          return 0;
        }
        EngSafeStrcpy(m_inline[cur].name, name, XFILE_NAME_SIZE);
        m_inline[cur].index = cur;
        return 1;
      }
      if (!in_range) {
        DebugErrorAlt(l.signature, "Invalid cur material num (%d,%d)", cur, m_num_mesh_materials);
        return 0;
      }
      char name[XFILE_NAME_SIZE];
      int scanned = ScanName(line, "{ %255s%n", name);
      if (scanned < 0) {
        DebugErrorAlt(l.signature, "Material name to long <%s>", DebugOutsideText(name).c_str());
        return 0;
      }
      if (!scanned || !name[0]) return 1;
      EngSafeStrcpy(m_inline[cur].name, name, XFILE_NAME_SIZE);
      m_inline[cur].index = cur;
      EngInt32 found = -1;
      for (EngInt32 k = 0; k < m_num_named_textures; k++)
        if (!strcmp(m_named[k].material_name, name)) found = k;
      if (found < 0)
        DebugErrorAlt(l.signature, "Could not find m_material <%s> in file", DebugOutsideText(name).c_str());
      else if (m_cur_part)
        m_cur_part->texture_index = found;
      m_state = 19;
      return 1;
    }

    case 15:
    case 16:
    case 17:
    case 18: {
      if (!numeric) return 1;
      const EngInt32 cur = m_cur_inline_material;
      if (cur < 0 || cur >= m_num_mesh_materials || cur >= XFILE_MAX_MESH_MATERIALS) {
        DebugErrorAlt(l.signature, "Invalid cur material num (%d,%d)", cur, m_num_mesh_materials);
        return 0;
      }
      _EngXfileInlineMaterial &mat = m_inline[cur];
      if (m_state == 15) {
        sscanf(line, "%f;%f;%f;%f", &mat.face_r, &mat.face_g, &mat.face_b, &mat.face_a);
        m_state = 16;
      } else if (m_state == 16) {
        sscanf(line, "%f", &mat.power);
        m_state = 17;
      } else if (m_state == 17) {
        sscanf(line, "%f;%f;%f", &mat.specular_r, &mat.specular_g, &mat.specular_b);
        m_state = 18;
      } else {
        sscanf(line, "%f;%f;%f", &mat.emissive_r, &mat.emissive_g, &mat.emissive_b);
        m_cur_inline_material++;
        m_state = m_cur_inline_material >= m_num_mesh_materials ? 19 : 14;
      }
      return 1;
    }
    default: return 1;
  }
}

// After the materials: the texture name and the texture coordinates.
char EngXfileParse::ParseTextureLine(const Line &l) {
  const char *line = l.text;
  const char numeric = l.numeric;
  const char textured = l.textured;
  switch (m_state) {
    case 19:
      if (strstr(line, "MeshNormals ")) {
        m_state = 6;
        return 1;
      }
      if (textured) {
        if (strstr(line, "MeshTextureCoords ")) m_state = 20;
        return 1;
      }
      if (strstr(line, "TextureFilename ") && strchr(line, '"')) {
        EngInt32 slot = StoreTextureFilename(l.signature, strchr(line, '"'));
        if (slot < 0) return 0;
        if (m_cur_part) m_cur_part->texture_index = slot;
        return 1;
      }
      if (m_normal_counter > 0) return FillList() ? 2 : 0;
      return 1;

    case 20: {
      unsigned count = 0;
      if (!numeric || sscanf(line, "%u;", &count) != 1) return 1;
      if (count != m_num_vertices) {
        DebugErrorAlt(l.signature, "Invalid num. text coordinates (%u not %u)", count, m_num_vertices);
        return 0;
      }
      m_vertex_counter = 0;
      if (count) {
        m_state = 21;
        return 1;
      }
      m_has_tex_coords = 1;
      return FillList() ? 2 : 0;
    }

    case 21: {
      if (!numeric) return 1;
      float *t = &m_tex_coords[m_vertex_counter * 2];
      if (sscanf(line, "%f;%f;", &t[0], &t[1]) != 2) {
        DebugErrorAlt(l.signature, "Bad texture coordinate <%s>", DebugOutsideText(line).c_str());
        return 0;
      }
      if (++m_vertex_counter < m_num_vertices) return 1;
      m_has_tex_coords = 1;
      return FillList() ? 2 : 0;
    }
    default: return 1;
  }
}

// A named material at the top level.
char EngXfileParse::ParseNamedMaterialLine(const Line &l) {
  const char *line = l.text;
  switch (m_state) {
    case 30:
      if (strstr(line, "TextureFilename"))
        m_state = 31;
      else if (strchr(line, '}'))
        m_state = 0;
      return 1;

    case 31:
      if (StoreTextureFilename(l.signature, line) < 0) return 0;
      m_state = 0;
      return 1;
    default: return 1;
  }
}

// A frame transform.
char EngXfileParse::ParseFrameLine(const Line &l) {
  const char *line = l.text;
  switch (m_state) {
    case 40: {
      if (!strstr(line, ";;")) return 1;
      if (m_depth < 1 || m_depth > XFILE_MAX_FRAME_LEVELS) {
        DebugErrorAlt(l.signature, "Invalid level (%d) for frame transform", m_depth);
        return 0;
      }
      EngMatrix *matrix = &m_frame_matrix[m_depth - 1];
      float *m = matrix->m;
      matrix->SetIdentityMatrix();
      sscanf(line, "%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f;;", &m[0], &m[1], &m[2], &m[3], &m[4], &m[5], &m[6],
             &m[7], &m[8], &m[9], &m[10], &m[11], &m[12], &m[13], &m[14], &m[15]);
      m_frame_set[m_depth - 1] = 1;
      m_state = 41;
      return 1;
    }

    case 41:
      if (strchr(line, '}')) m_state = 0;
      return 1;
    default: return 1;
  }
}

char EngXfileParse::ParseLine(char *raw) {
  if (!raw) return 0;
  char line[XFILE_LINE_SIZE];
  FormatLine(raw, line);
  if (!line[0]) return 1;
  const size_t len = strlen(line);
  const char numeric = IsNumeric(line);
  if (trace) {
    m_line_count++;
    if (m_state > 0)
      DebugInfoAlt(ENG_FUNC, "### LC: %u  ST: %02d  LE: %d     %s", m_line_count, m_state, m_depth,
                   DebugOutsideText(line).c_str());
  }
  if (strchr(line, '{')) m_depth++;
  if (strchr(line, '}')) {
    EngInt32 before = m_depth--;
    if (before <= 0) DebugErrorAlt(ENG_FUNC, "Level: %d", m_depth);
  }
  const char textured = m_cur_part && m_cur_part->texture_index >= 0;

  const Line l = {line, len, numeric, textured, ENG_FUNC};
  switch (m_state) {
    case 0: return ParseTopLine(l);
    case 1:
    case 2:
    case 3: return ParseMeshLine(l);
    case 4:
    case 9: return ParseFaceLine(l);
    case 5:
    case 6:
    case 7:
    case 8: return ParseNormalsLine(l);
    case 10:
    case 11:
    case 12:
    case 13: return ParseMaterialListLine(l);
    case 14:
    case 15:
    case 16:
    case 17:
    case 18: return ParseInlineMaterialLine(l);
    case 19:
    case 20:
    case 21: return ParseTextureLine(l);
    case 30:
    case 31: return ParseNamedMaterialLine(l);
    case 40:
    case 41: return ParseFrameLine(l);
    default:
      if (!m_unexpected_reported) {
        DebugErrorAlt(ENG_FUNC, "Unexpected parse state: %d", m_state);
        m_unexpected_reported = 1;
      }
      return 1;
  }
}
