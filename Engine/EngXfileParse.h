// Reader for the text form of .x mesh files: one construct per line, nesting by braces. Each
// mesh becomes one part of flat triangles (positions, normals, texture coordinates) with its
// colours and texture name. Textures themselves are loaded by the model, not here.
#pragma once

#include <cstddef>

#include "Engine/EngFile.h"
#include "Engine/EngMatrix.h"
#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"

class EngTexture;
class EngXfile;

enum {
  XFILE_MAX_PARTS = 150,
  XFILE_MAX_VERTICES = 10000,  // counts must stay below these three
  XFILE_MAX_NORMALS = 10000,
  XFILE_MAX_FACES = 4000,
  XFILE_MAX_FACE_INDEX = 9999,
  XFILE_MAX_MESH_MATERIALS = 20,
  XFILE_MAX_NAMED_TEXTURES = 20,
  XFILE_MAX_FRAME_LEVELS = 10,
  XFILE_LINE_SIZE = 512,
  XFILE_NAME_SIZE = 256,
};

// Changes applied to every mesh once it is read, in the order of the fields.
struct XfileConvert {
  EngUInt8 negate_normal_x;
  EngUInt8 negate_normal_y;
  EngUInt8 negate_normal_z;
  EngUInt8 negate_vertex_x;
  EngUInt8 negate_vertex_y;
  EngUInt8 negate_vertex_z;
  EngUInt8 rotate_zyx;  // 0: X, then Y, then Z
  EngUInt8 unused_7;
  float rotate_x;  // radians, 0 = none
  float rotate_y;
  float rotate_z;
  EngUInt8 swap_vertex_yz;
  EngUInt8 swap_normal_yz;
  EngUInt8 unused_22;
  EngUInt8 flip_tex_u;  // only for meshes with texture coordinates
  EngUInt8 flip_tex_v;
  EngUInt8 reverse_winding;
  EngUInt8 unused_26;
  EngUInt8 unused_27;
};
static_assert(sizeof(XfileConvert) == 28, "XfileConvert is a 28-byte record");
static_assert(offsetof(XfileConvert, rotate_x) == 8 && offsetof(XfileConvert, swap_vertex_yz) == 20 &&
                  offsetof(XfileConvert, reverse_winding) == 25,
              "XfileConvert field offsets");

// One mesh of a model. The three arrays hold 3 vertices per triangle and are EngMalloc'd by
// the parser; free them with EngXfilePartFreeLists.
struct _EngXfilePart {
  float ambient[4];
  float diffuse[4];
  float specular[4];
  float shininess;
  float emission[4];
  EngUInt8 blending_on;
  EngInt32 texture_index;  // named-texture slot, -1 none
  EngTexture *texture;     // owned by the model
  EngUInt8 skip;
  EngInt32 blend_type;
  float *positions;   // 3 per vertex
  float *normals;     // 3 per vertex
  float *tex_coords;  // 2 per vertex
  EngInt32 num_vertices;
};

// Frees a part's three arrays and sets its vertex count to 0. A null part does nothing.
void EngXfilePartFreeLists(_EngXfilePart *part);

// Gives the file name to load for a part's texture in place of the one in the model file:
// null keeps that name, an empty text means no texture for the part.
typedef char *(*XFILE_MATERIAL_OVERWRITE_FUNC)(EngXfile *model, int part, char *path, char *texture_name,
                                                void *user1, void *user2);

struct _EngXfileInlineMaterial {
  EngInt32 index;
  char name[XFILE_NAME_SIZE];
  float face_r, face_g, face_b, face_a;
  float power;
  float specular_r, specular_g, specular_b;
  float emissive_r, emissive_g, emissive_b;
};

struct _EngXfileNamedTexture {
  char material_name[XFILE_NAME_SIZE];
  char texture_filename[XFILE_NAME_SIZE];
};

struct _EngXfileFace {
  EngUInt8 num_points;
  EngUInt32 index[4];
};

// One parser serves one model load. A model load is ParseFile (or ParseMemory), then, for
// each of the parts it reported, GetPartTextureFileName and the texture load of that name.
class EngXfileParse {
 public:
  EngXfileParse();
  ~EngXfileParse();
  EngXfileParse(const EngXfileParse &) = delete;
  EngXfileParse &operator=(const EngXfileParse &) = delete;

  // Fills parts (XFILE_MAX_PARTS zero-filled records) from the open file and sets *num_parts.
  // Returns 0 when the load cannot go on (no memory, bad arguments, no or too many meshes);
  // an error inside the file ends the parse with the parts completed so far, and returns 1.
  // Parts must not hold arrays or textures when this is called.
  char ParseFile(_EngXfilePart *parts, EngInt32 *num_parts, EngFile *file, float scale_x, float scale_y,
                 float scale_z, XfileConvert *convert);
  // The same over a text in memory (size bytes, no terminator needed).
  char ParseMemory(_EngXfilePart *parts, EngInt32 *num_parts, const char *text, size_t size, float scale_x,
                   float scale_y, float scale_z, XfileConvert *convert);

  // A whole model load: parses the open file into the model's parts (the model must have its
  // XFILE_MAX_PARTS records), then loads the textures the parts name, from path when given,
  // with the two flags. 0 when the load cannot go on or a texture does not load.
  char LoadFile(EngXfile *model, EngFile *file, const char *path, float scale_x, float scale_y, float scale_z,
                XfileConvert *convert, char tex_flag1, char tex_flag2, XFILE_MATERIAL_OVERWRITE_FUNC overwrite,
                void *user1, void *user2);

  // After a parse: the name to load for the part's texture into out (XFILE_NAME_SIZE bytes),
  // empty when the part has none. An empty overwrite result also sets the part's texture
  // index to -1 (the caller then drops any texture the part holds). 0 for a name too long.
  char GetPartTextureFileName(EngXfile *model, int part, char *path, XFILE_MATERIAL_OVERWRITE_FUNC overwrite,
                              void *user1, void *user2, char *out);
  EngInt32 GetNumNamedTextures() const { return m_num_named_textures; }

  char ParseLine(char *line);
  void FormatLine(char *in, char *out);
  void Reset(char full);
  char AllocMemory();
  void FreeMemory();
  char FillList();
  char DoFillList();
  void FreeCurrentMaterialLists();
  char AllowReset(char allow);

  EngUInt32 GetLastLoadedModelPartNumVertices();
  char GetLastLoadedModelPartVertex(EngUInt32 i, _Vector3d *out);
  EngUInt32 GetLastLoadedModelPartNumNormals();
  char GetLastLoadedModelPartNormal(EngUInt32 i, _Vector3d *out);
  EngUInt32 GetLastLoadedModelPartNumFaces();
  char GetLastLoadedModelPartFace(EngUInt32 i, EngUInt32 *a, EngUInt32 *b, EngUInt32 *c);
  char GetLastLoadedModelPartFaceNormals(EngUInt32 i, EngUInt32 *a, EngUInt32 *b, EngUInt32 *c);
  char GetLastLoadedModelPartVertexTexCoord(EngUInt32 i, float *u, float *v);
  const char *GetLastLoadedModelPartMaterialFilename();

  // Developer switches, copied in from the model before a parse.
  EngUInt8 source_output;  // writes the parts as immediate-mode GL source to XFILE_SOURCE_OUTPUT_FILE
  EngUInt8 trace;          // logs every line with the machine's state

 private:
  struct LineSource;
  char Parse(_EngXfilePart *parts, EngInt32 *num_parts, LineSource *source, float scale_x, float scale_y,
             float scale_z, XfileConvert *convert);
  char EndOfPart();
  EngInt32 StoreTextureFilename(const char *signature, const char *from);
  // ParseLine's states, one function per construct of the format.
  struct Line;
  char ParseTopLine(const Line &l);
  char ParseMeshLine(const Line &l);
  char ParseFaceLine(const Line &l);
  char ParseNormalsLine(const Line &l);
  char ParseMaterialListLine(const Line &l);
  char ParseInlineMaterialLine(const Line &l);
  char ParseTextureLine(const Line &l);
  char ParseNamedMaterialLine(const Line &l);
  char ParseFrameLine(const Line &l);
  void TransformMesh();
  void WriteSourcePart();

  EngUInt8 m_memory_ready;
  EngUInt8 m_state;
  EngInt32 m_depth;
  EngUInt8 m_frame_set[XFILE_MAX_FRAME_LEVELS];
  EngMatrix m_frame_matrix[XFILE_MAX_FRAME_LEVELS];
  EngUInt8 m_material_list_mode;
  EngInt32 m_num_mesh_materials;
  EngInt32 m_cur_inline_material;
  XfileConvert m_convert;
  EngUInt8 m_unexpected_reported;
  EngUInt8 m_has_tex_coords;
  EngUInt8 m_scaling;
  EngUInt8 m_allow_reset;
  EngUInt32 m_vertex_counter;
  EngUInt32 m_normal_counter;
  EngUInt32 m_face_counter;
  EngUInt32 m_num_face_material_indices;
  EngUInt32 m_face_material_counter;
  EngInt32 m_cur_face_material;
  float m_scale_x, m_scale_y, m_scale_z;
  _EngXfileInlineMaterial m_inline[XFILE_MAX_MESH_MATERIALS];
  _EngXfilePart *m_parts;
  EngInt32 *m_num_parts;
  _EngXfilePart *m_cur_part;
  EngInt32 m_cur_part_index;
  EngInt32 m_num_named_textures;
  _EngXfileNamedTexture m_named[XFILE_MAX_NAMED_TEXTURES];
  EngUInt32 m_line_count;
  EngFile m_source_file;

  float *m_vertices;
  EngUInt32 m_num_vertices;
  float *m_normals;
  EngUInt32 m_num_normals;
  _EngXfileFace *m_faces;
  EngUInt32 m_num_faces;
  _EngXfileFace *m_face_normals;
  float *m_tex_coords;
  char m_texture_scratch[XFILE_NAME_SIZE];
};

extern const char XFILE_SOURCE_OUTPUT_FILE[];
