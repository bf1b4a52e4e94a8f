// Feeds arbitrary text to the .x model parser, with the first byte choosing conversions.
// Whatever it makes must be whole triangles with all three arrays, and nothing past the
// part count. The log goes to the scratch folder and standard error, which the runs discard.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngXfileParse.h"
#include "tests/fuzz/FuzzScratch.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  FuzzLogToScratch();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  XfileConvert convert = XfileConvert();
  if (size > 0) {
    uint8_t bits = data[0];
    convert.reverse_winding = bits & 1;
    convert.flip_tex_u = (bits >> 1) & 1;
    convert.swap_vertex_yz = (bits >> 2) & 1;
    convert.negate_normal_y = (bits >> 3) & 1;
    convert.rotate_zyx = (bits >> 4) & 1;
    convert.rotate_x = (bits >> 5) & 1 ? 0.5f : 0.0f;
    convert.rotate_z = (bits >> 6) & 1 ? 1.5f : 0.0f;
  }
  float scale = size > 0 && (data[0] & 0x80) ? 2.0f : 1.0f;

  std::vector<_EngXfilePart> parts(XFILE_MAX_PARTS);
  EngInt32 num_parts = -1;
  EngXfileParse parser;
  char ok = parser.ParseMemory(parts.data(), &num_parts, reinterpret_cast<const char *>(data), size, scale, 1.0f,
                               scale, &convert);
  if (num_parts < 0 || num_parts >= XFILE_MAX_PARTS) abort();
  if (!ok && num_parts != 0) abort();
  for (int i = 0; i < XFILE_MAX_PARTS; i++) {
    _EngXfilePart &part = parts[i];
    if (part.num_vertices < 0 || part.num_vertices % 3 != 0) abort();
    if (i >= num_parts && (part.num_vertices || part.positions)) abort();
    if (part.num_vertices && (!part.positions || !part.normals || !part.tex_coords)) abort();
    if (!part.num_vertices && (part.positions || part.normals || part.tex_coords)) abort();
    if (part.texture_index < -1 || part.texture_index >= XFILE_MAX_NAMED_TEXTURES) abort();
    if (i < num_parts) {
      char name[XFILE_NAME_SIZE];
      if (parser.GetPartTextureFileName(nullptr, i, nullptr, nullptr, nullptr, nullptr, name) &&
          part.texture_index < 0 && name[0])
        abort();
    }
    // Read every value, so a short array shows up under the sanitizer.
    volatile float sum = 0;
    for (int k = 0; k < part.num_vertices * 3; k++) sum = sum + part.positions[k] + part.normals[k];
    for (int k = 0; k < part.num_vertices * 2; k++) sum = sum + part.tex_coords[k];
    EngXfilePartFreeLists(&part);
  }
  return 0;
}
