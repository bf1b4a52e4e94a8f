#include "Engine/EngXfileParse.h"

#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngTexture.h"
#include "Engine/EngXfile.h"

const char XFILE_SOURCE_OUTPUT_FILE[] = "XfileSource.txt";

// Lines come from an open file or from text in memory, cut exactly as fgets cuts them.
struct EngXfileParse::LineSource {
  EngFile *file;
  const char *text;
  size_t size;
  size_t pos;

  char Rewind() {
    pos = 0;
    return file ? file->Rewind() : 1;
  }

  int Peek() {
    if (file) {
      int c = getc(file->stream);
      if (c != EOF) ungetc(c, file->stream);
      return c;
    }
    return pos < size ? (unsigned char)text[pos] : EOF;
  }

  void Skip() {
    if (file)
      getc(file->stream);
    else if (pos < size)
      pos++;
  }

  // One line of at most XFILE_LINE_SIZE - 1 characters. *too_long tells a line that goes on
  // past the buffer; its end stays unread.
  char Read(char *buffer, char *too_long) {
    *too_long = 0;
    buffer[0] = 0;
    if (file) {
      if (!file->ReadLine(buffer, XFILE_LINE_SIZE)) return 0;
    } else {
      if (pos >= size) return 0;
      size_t n = 0;
      while (n < XFILE_LINE_SIZE - 1 && pos < size) {
        char c = text[pos++];
        buffer[n++] = c;
        if (c == '\n') break;
      }
      buffer[n] = 0;
    }
    size_t len = strlen(buffer);
    if (len < XFILE_LINE_SIZE - 1 || buffer[len - 1] == '\n') return 1;
    // A full buffer: the line ended there only when its newline (or the end) follows.
    int c = Peek();
    if (c == EOF) return 1;
    if (c == '\n') {
      Skip();
      return 1;
    }
    if (c == '\r') {
      Skip();
      c = Peek();
      if (c == EOF) return 1;
      if (c == '\n') {
        Skip();
        return 1;
      }
    }
    *too_long = 1;
    return 1;
  }
};

void EngXfilePartFreeLists(_EngXfilePart *part) {
  if (!part) return;
  if (part->positions) EngFree(part->positions, 0, ENG_FUNC);
  if (part->normals) EngFree(part->normals, 0, ENG_FUNC);
  if (part->tex_coords) EngFree(part->tex_coords, 0, ENG_FUNC);
  part->positions = nullptr;
  part->normals = nullptr;
  part->tex_coords = nullptr;
  part->num_vertices = 0;
}

EngXfileParse::EngXfileParse()
    : source_output(0),
      trace(0),
      m_memory_ready(0),
      m_state(0),
      m_depth(0),
      m_frame_set(),
      m_material_list_mode(0),
      m_num_mesh_materials(0),
      m_cur_inline_material(0),
      m_convert(),
      m_unexpected_reported(0),
      m_has_tex_coords(0),
      m_scaling(0),
      m_allow_reset(1),
      m_vertex_counter(0),
      m_normal_counter(0),
      m_face_counter(0),
      m_num_face_material_indices(0),
      m_face_material_counter(0),
      m_cur_face_material(-1),
      m_scale_x(1.0f),
      m_scale_y(1.0f),
      m_scale_z(1.0f),
      m_inline(),
      m_parts(nullptr),
      m_num_parts(nullptr),
      m_cur_part(nullptr),
      m_cur_part_index(0),
      m_num_named_textures(0),
      m_named(),
      m_line_count(0),
      m_vertices(nullptr),
      m_num_vertices(0),
      m_normals(nullptr),
      m_num_normals(0),
      m_faces(nullptr),
      m_num_faces(0),
      m_face_normals(nullptr),
      m_tex_coords(nullptr),
      m_texture_scratch() {
  for (int k = 0; k < XFILE_MAX_FRAME_LEVELS; k++) m_frame_matrix[k].SetIdentityMatrix();
}

EngXfileParse::~EngXfileParse() {
  FreeMemory();
  if (m_source_file.is_open) m_source_file.Close();
}

char EngXfileParse::AllowReset(char allow) {
  m_allow_reset = allow ? 1 : 0;
  return 1;
}

char EngXfileParse::AllocMemory() {
  if (m_vertices || m_normals || m_faces || m_face_normals || m_tex_coords) {
    DebugErrorAlt(ENG_FUNC, "Memory not freed ok");
    FreeMemory();
  }
  m_vertices = (float *)EngMalloc(sizeof(float) * 3 * XFILE_MAX_VERTICES, ENG_FUNC, 1);
  m_normals = (float *)EngMalloc(sizeof(float) * 3 * XFILE_MAX_NORMALS, ENG_FUNC, 1);
  m_faces = (_EngXfileFace *)EngMalloc(sizeof(_EngXfileFace) * XFILE_MAX_FACES, ENG_FUNC, 1);
  m_face_normals = (_EngXfileFace *)EngMalloc(sizeof(_EngXfileFace) * XFILE_MAX_FACES, ENG_FUNC, 1);
  m_tex_coords = (float *)EngMalloc(sizeof(float) * 2 * XFILE_MAX_VERTICES, ENG_FUNC, 1);
  if (!m_vertices || !m_normals || !m_faces || !m_face_normals || !m_tex_coords) {
    FreeMemory();
    return 0;
  }
  m_memory_ready = 1;
  return 1;
}

void EngXfileParse::FreeMemory() {
  if (m_vertices) EngFree(m_vertices, 0, ENG_FUNC);
  if (m_normals) EngFree(m_normals, 0, ENG_FUNC);
  if (m_faces) EngFree(m_faces, 0, ENG_FUNC);
  if (m_face_normals) EngFree(m_face_normals, 0, ENG_FUNC);
  if (m_tex_coords) EngFree(m_tex_coords, 0, ENG_FUNC);
  m_vertices = nullptr;
  m_normals = nullptr;
  m_faces = nullptr;
  m_face_normals = nullptr;
  m_tex_coords = nullptr;
  m_memory_ready = 0;
}

void EngXfileParse::Reset(char full) {
  m_state = 0;
  m_material_list_mode = 0;
  m_num_mesh_materials = 0;
  m_cur_inline_material = 0;
  m_unexpected_reported = 0;
  m_vertex_counter = 0;
  m_normal_counter = 0;
  m_face_counter = 0;
  m_face_material_counter = 0;
  if (m_allow_reset) memset(m_inline, 0, sizeof(m_inline));
  if (!full) return;
  m_num_vertices = 0;
  m_num_normals = 0;
  m_num_faces = 0;
  m_has_tex_coords = 0;
  m_num_face_material_indices = 0;
  m_cur_face_material = -1;
  if (!m_memory_ready) return;
  memset(m_vertices, 0, sizeof(float) * 3 * XFILE_MAX_VERTICES);
  memset(m_normals, 0, sizeof(float) * 3 * XFILE_MAX_NORMALS);
  memset(m_faces, 0, sizeof(_EngXfileFace) * XFILE_MAX_FACES);
  memset(m_face_normals, 0, sizeof(_EngXfileFace) * XFILE_MAX_FACES);
  memset(m_tex_coords, 0, sizeof(float) * 2 * XFILE_MAX_VERTICES);
}

void EngXfileParse::FormatLine(char *in, char *out) {
  if (!in || !out) return;
  while (*in == ' ') in++;
  size_t len = 0;
  while (in[len] && len < XFILE_LINE_SIZE - 1) {
    out[len] = in[len] == '\t' ? ' ' : in[len];
    len++;
  }
  out[len] = 0;
  for (int i = 0; i < 4 && len > 0 && (out[len - 1] == '\r' || out[len - 1] == '\n'); i++) out[--len] = 0;
}

char EngXfileParse::ParseFile(_EngXfilePart *parts, EngInt32 *num_parts, EngFile *file, float scale_x,
                              float scale_y, float scale_z, XfileConvert *convert) {
  if (!file || !file->is_open || !file->stream || !file->is_for_reading) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  LineSource source = {file, nullptr, 0, 0};
  return Parse(parts, num_parts, &source, scale_x, scale_y, scale_z, convert);
}

char EngXfileParse::ParseMemory(_EngXfilePart *parts, EngInt32 *num_parts, const char *text, size_t size,
                                float scale_x, float scale_y, float scale_z, XfileConvert *convert) {
  if (!text && size) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  LineSource source = {nullptr, text, size, 0};
  return Parse(parts, num_parts, &source, scale_x, scale_y, scale_z, convert);
}

char EngXfileParse::Parse(_EngXfilePart *parts, EngInt32 *num_parts, LineSource *source, float scale_x,
                          float scale_y, float scale_z, XfileConvert *convert) {
  if (!AllocMemory()) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  if (!num_parts) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  *num_parts = 0;
  if (source_output) {
    EngFileDeleteIfExists(XFILE_SOURCE_OUTPUT_FILE, 0);
    m_source_file.OpenForWriting(XFILE_SOURCE_OUTPUT_FILE, 1);
  }
  if (trace) DebugInfoAlt(ENG_FUNC, "###  PARSING MODEL");
  m_line_count = 0;

  char ok = 0;
  char raw[XFILE_LINE_SIZE];
  char line[XFILE_LINE_SIZE];
  char too_long = 0;
  EngInt32 count = 0;
  if (!parts) {
    DebugErrorAlt(ENG_FUNC, "No parts.");
    goto done;
  }
  for (int i = 0; i < XFILE_MAX_PARTS; i++) parts[i].texture_index = -1;
  m_parts = parts;
  m_num_parts = num_parts;
  m_cur_part = &parts[0];
  m_cur_part_index = 0;
  m_num_named_textures = 0;

  if (!source->Rewind()) goto done;
  while (source->Read(raw, &too_long)) {
    FormatLine(raw, line);
    if (strstr(line, "Mesh ")) count++;
  }
  if (!source->Rewind()) goto done;
  if (count == 0) {
    DebugErrorAlt(ENG_FUNC, "Could not find any meshes in model");
    goto done;
  }
  if (count >= XFILE_MAX_PARTS) {
    DebugErrorAlt(ENG_FUNC, "Too many parts in model");
    goto done;
  }
  *num_parts = count;

  m_scale_x = scale_x;
  m_scale_y = scale_y;
  m_scale_z = scale_z;
  m_scaling = (scale_x != 1.0f || scale_y != 1.0f || scale_z != 1.0f) ? 1 : 0;
  if (convert)
    m_convert = *convert;
  else
    memset(&m_convert, 0, sizeof(m_convert));
  Reset(1);
  m_depth = 0;
  for (int k = 0; k < XFILE_MAX_FRAME_LEVELS; k++) {
    m_frame_set[k] = 0;
    m_frame_matrix[k].SetIdentityMatrix();
  }

  ok = 1;
  while (source->Read(raw, &too_long)) {
    // Pieces of a longer line would be read as lines of their own and could pass for data.
    if (too_long) {
      DebugErrorAlt(ENG_FUNC, "Line too long (more than %d characters)", XFILE_LINE_SIZE - 1);
      break;
    }
    char result = ParseLine(raw);
    if (result == 0) break;
    if (result == 2 && !EndOfPart()) {
      ok = 0;
      break;
    }
  }

done:
  if (m_source_file.is_open) m_source_file.Close();
  return ok;
}

char EngXfileParse::EndOfPart() {
  _EngXfilePart *part = m_cur_part;
  if (part && part->texture_index >= 0) {
    const float white[4] = {1, 1, 1, 1};
    const float specular[4] = {0, 0, 0, 1};
    memcpy(part->ambient, white, sizeof(white));
    memcpy(part->diffuse, white, sizeof(white));
    memcpy(part->specular, specular, sizeof(specular));
    part->shininess = 127.0f;
    memset(part->emission, 0, sizeof(part->emission));
  } else if (part) {
    EngInt32 m = m_cur_face_material;
    if (m < 0 || m >= m_num_mesh_materials || m >= XFILE_MAX_MESH_MATERIALS) {
      DebugErrorAlt(ENG_FUNC, "Invalid cur material num (%d,%d)", m, m_num_mesh_materials);
      m = 0;
    }
    const _EngXfileInlineMaterial &mat = m_inline[m];
    const float face[4] = {mat.face_r, mat.face_g, mat.face_b, mat.face_a};
    memcpy(part->ambient, face, sizeof(face));
    memcpy(part->diffuse, face, sizeof(face));
    part->specular[0] = mat.specular_r;
    part->specular[1] = mat.specular_g;
    part->specular[2] = mat.specular_b;
    part->specular[3] = 1.0f;
    part->shininess = mat.power;
    part->emission[0] = mat.emissive_r;
    part->emission[1] = mat.emissive_g;
    part->emission[2] = mat.emissive_b;
    part->emission[3] = 1.0f;
  }
  EngInt32 old = m_cur_part_index++;
  if (!m_num_parts || old >= *m_num_parts) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  if (m_cur_part_index < *m_num_parts) {
    m_cur_part = &m_parts[m_cur_part_index];
    Reset(1);
  } else {
    m_cur_part = nullptr;
    Reset(0);
  }
  return 1;
}

static void XfileDeleteTexture(_EngXfilePart *part) {
  if (!part->texture) return;
  part->texture->Destroy();
  delete part->texture;
  part->texture = nullptr;
}

char EngXfileParse::LoadFile(EngXfile *model, EngFile *file, const char *path, float scale_x, float scale_y,
                             float scale_z, XfileConvert *convert, char tex_flag1, char tex_flag2,
                             XFILE_MATERIAL_OVERWRITE_FUNC overwrite, void *user1, void *user2) {
  if (!model || !file || !file->is_open) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  if (!model->m_parts) {
    DebugErrorAlt(ENG_FUNC, "No parts.");
    return 0;
  }
  if (trace && path) DebugInfoAlt(ENG_FUNC, "###  PARSING MODEL     Path: <%s>", path);
  // The parser fills records from scratch: whatever an earlier load left goes first.
  for (int i = 0; i < XFILE_MAX_PARTS; i++) {
    EngXfilePartFreeLists(&model->m_parts[i]);
    XfileDeleteTexture(&model->m_parts[i]);
  }
  if (!ParseFile(model->m_parts, &model->m_num_parts, file, scale_x, scale_y, scale_z, convert)) return 0;

  // The overwrite function gets its own copy of the folder, as it does of the name.
  char folder[XFILE_LINE_SIZE];
  if (path) EngSafeStrcpy(folder, path, sizeof(folder));
  char name[XFILE_NAME_SIZE];
  for (EngInt32 i = 0; i < model->m_num_parts; i++) {
    _EngXfilePart *part = &model->m_parts[i];
    if (!GetPartTextureFileName(model, i, path ? folder : nullptr, overwrite, user1, user2, name)) return 0;
    if (!name[0]) {
      XfileDeleteTexture(part);
      continue;
    }
    if (!part->texture) part->texture = new EngTexture();
    if (!part->texture->LoadFromFileUsingExt(name, tex_flag1, tex_flag2, xf_dat_ext_type, 0)) {
      DebugErrorAlt(ENG_FUNC, "Could not load texture <%s> for part %d of model", name, i);
      XfileDeleteTexture(part);
      return 0;
    }
    part->texture->NotEditingDataAnymore();
  }
  return 1;
}

char EngXfileParse::GetPartTextureFileName(EngXfile *model, int part, char *path,
                                           XFILE_MATERIAL_OVERWRITE_FUNC overwrite, void *user1, void *user2,
                                           char *out) {
  if (!out) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  out[0] = 0;
  if (!m_parts || !m_num_parts || part < 0 || part >= *m_num_parts) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  _EngXfilePart *p = &m_parts[part];
  if (p->texture_index < 0 || p->texture_index >= m_num_named_textures) return 1;
  const char *name = m_named[p->texture_index].texture_filename;
  if (overwrite) {
    // The callback gets copies: what it does to them cannot reach the parser's tables.
    char name_copy[XFILE_NAME_SIZE];
    EngSafeStrcpy(name_copy, name, sizeof(name_copy));
    const char *replaced = overwrite(model, part, path, name_copy, user1, user2);
    if (replaced) {
      if (strlen(replaced) >= XFILE_NAME_SIZE) {
        DebugErrorAlt(ENG_FUNC, "Material name to long <%.255s>", replaced);
        return 0;
      }
      if (!replaced[0]) p->texture_index = -1;
      EngSafeStrcpy(out, replaced, XFILE_NAME_SIZE);
      return 1;
    }
  }
  if (path) {
    // Cut to the name buffer, as every texture name is.
    if (snprintf(out, XFILE_NAME_SIZE, "%s/%s", path, name) < 0) out[0] = 0;
  } else
    EngSafeStrcpy(out, name, XFILE_NAME_SIZE);
  return 1;
}
