#include "Engine/EngXfileGL.h"

#include <GL/glew.h>

#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMaterials.h"
#include "Engine/EngMemory.h"
#include "Engine/EngTexture.h"
#include "Engine/EngUtilsGL.h"
#include "Engine/EngXfile.h"

// Model path buffer: folder, slash and file name together.
enum { XFILE_PATH_SIZE = 512 };

static EngUInt8 glxf_use_advanced_materials = 0;
static EngUInt8 glxf_use_colours_with_textures = 0;

void EngXfileGLResetForTests() {
  glxf_use_advanced_materials = 0;
  glxf_use_colours_with_textures = 0;
}

static void XfileBindTexture(EngTexture *texture) {
  if (texture) texture->BindTexture_GL();
}

static void XfileReleaseTexture(EngTexture **texture) {
  (*texture)->Destroy();
  delete *texture;
  *texture = nullptr;
}

// --- Life ------------------------------------------------------------------------------------

EngXfileGL::EngXfileGL() : EngXfileGL(nullptr) {}

EngXfileGL::EngXfileGL(EngXfile *owner)
    : m_owner(owner), m_use_normals(0), m_use_tex_coords(0), m_trace(0), m_source_output(0) {}

EngXfileGL::~EngXfileGL() { Destroy(); }

void EngXfileGL::Init() {
  m_use_normals = 0;
  m_use_tex_coords = 0;
}

// The arrays are plain memory, so they are freed with or without a context.
void EngXfileGL::Destroy() {
  if (m_owner && m_owner->m_parts) {
    m_owner->FreeAllMaterialLists();
    for (int i = 0; i < XFILE_MAX_PARTS; i++) {
      _EngXfilePart *part = &m_owner->m_parts[i];
      // Records past the count can hold what an interrupted load left.
      EngXfilePartFreeLists(part);
      if (part->texture) XfileReleaseTexture(&part->texture);
    }
    EngFree(m_owner->m_parts, 0, ENG_FUNC);
    m_owner->m_parts = nullptr;
    m_owner->m_num_parts = 0;
  }
  m_use_normals = 0;
  m_use_tex_coords = 0;
}

char EngXfileGL::LoadFromFile(const char *folder, const char *name, float scale_x, float scale_y, float scale_z,
                              XfileConvert *convert, char tex_flag1, char tex_flag2,
                              XFILE_MATERIAL_OVERWRITE_FUNC overwrite, void *user1, void *user2) {
  char path[XFILE_PATH_SIZE] = {0};
  if (!name) {
    DebugErrorAlt(ENG_FUNC, "No file name");
    return 0;
  }
  // The joining slash counts too, or the longest names would be cut.
  if ((folder ? strlen(folder) + 1 : 0) + strlen(name) >= sizeof(path)) {
    DebugErrorAlt(ENG_FUNC, "Invalid file name <%s><%s>", folder ? folder : "", name);
    return 0;
  }
  EngUtilsGL_ErrorCheck(ENG_FUNC, "Existing Error Before Function Call");
  if (folder)
    snprintf(path, sizeof(path), "%s/%s", folder, name);
  else
    EngSafeStrcpy(path, name, sizeof(path));
  if (!m_owner) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }

  Destroy();
  EngFile file;
  if (!file.OpenForReading(path, 1, 1)) return 0;  // reported by the file
  m_owner->m_parts = (_EngXfilePart *)EngMalloc(sizeof(_EngXfilePart) * XFILE_MAX_PARTS, ENG_FUNC, 1);
  if (!m_owner->m_parts) {
    file.Close();
    return 0;
  }
  EngXfileParse *parser = new EngXfileParse();
  parser->trace = m_trace;
  parser->source_output = m_source_output;
  char ok = parser->LoadFile(m_owner, &file, folder, scale_x, scale_y, scale_z, convert, tex_flag1, tex_flag2,
                             overwrite, user1, user2);
  file.Close();
  delete parser;
  if (!ok) {
    DebugErrorAlt(ENG_FUNC, "Failed to parse the xfile");
    return 0;
  }
  // Loaded parts carry normals and texture coordinates (zero where the file gave none), so
  // lighting and textures set now or later draw from them.
  for (EngInt32 i = 0; i < m_owner->m_num_parts; i++) {
    if (m_owner->m_parts[i].normals) m_use_normals = 1;
    if (m_owner->m_parts[i].tex_coords) m_use_tex_coords = 1;
  }
  return 1;
}

char EngXfileGL::IsOk() { return m_owner && m_owner->m_num_parts > 0 ? 1 : 0; }

EngInt32 EngXfileGL::GetNumMaterials() { return m_owner ? m_owner->m_num_parts : 0; }

char EngXfileGL::GetPartMaterialTexture(int part, EngTexture **out) {
  if (!m_owner || !m_owner->m_parts) {
    DebugErrorAlt(ENG_FUNC, "Parts not created.");
    return 0;
  }
  if (part < 0 || part >= m_owner->m_num_parts) {
    DebugErrorAlt(ENG_FUNC, "Bad part num %d (num = %d)", part, m_owner->m_num_parts);
    return 0;
  }
  EngTexture *texture = m_owner->m_parts[part].texture;
  if (out) *out = texture;
  return texture ? 1 : 0;
}

// --- Colours ---------------------------------------------------------------------------------

void EngXfileGL::SetMaterialColour(int part, float r, float g, float b) {
  if (!m_owner || !m_owner->CheckPartNum(ENG_FUNC, part)) return;
  _EngXfilePart *p = &m_owner->m_parts[part];
  p->diffuse[0] = r;
  p->diffuse[1] = g;
  p->diffuse[2] = b;
  if (glxf_use_advanced_materials) {
    p->ambient[0] = r;
    p->ambient[1] = g;
    p->ambient[2] = b;
  }
}

void EngXfileGL::SetColour(float r, float g, float b) {
  for (int i = 0; i < GetNumMaterials(); i++) SetMaterialColour(i, r, g, b);
}

void EngXfileGL::SetMaterialColourWithAlpha(int part, float r, float g, float b, float a) {
  if (!m_owner || !m_owner->CheckPartNum(ENG_FUNC, part)) return;
  _EngXfilePart *p = &m_owner->m_parts[part];
  const float colour[4] = {r, g, b, a};
  for (int c = 0; c < 4; c++) {
    p->diffuse[c] = colour[c];
    if (glxf_use_advanced_materials) p->ambient[c] = colour[c];
  }
}

void EngXfileGL::SetColourWithAlpha(float r, float g, float b, float a) {
  for (int i = 0; i < GetNumMaterials(); i++) SetMaterialColourWithAlpha(i, r, g, b, a);
}

void EngXfileGL::SetMaterialTransparency(int part, float a) {
  if (!m_owner || !m_owner->CheckPartNum(ENG_FUNC, part)) return;
  _EngXfilePart *p = &m_owner->m_parts[part];
  p->diffuse[3] = a;
  if (glxf_use_advanced_materials) p->ambient[3] = a;
}

void EngXfileGL::SetTransparency(float a) {
  for (int i = 0; i < GetNumMaterials(); i++) SetMaterialTransparency(i, a);
}

void EngXfileGL::SetMaterialSpecularColour(int part, float r, float g, float b, float shininess) {
  if (!glxf_use_advanced_materials) DebugErrorAlt(ENG_FUNC, "Advanced Materials not on");
  if (!m_owner || !m_owner->CheckPartNum(ENG_FUNC, part)) return;
  _EngXfilePart *p = &m_owner->m_parts[part];
  p->specular[0] = r;
  p->specular[1] = g;
  p->specular[2] = b;
  p->specular[3] = 1.0f;
  p->shininess = shininess;
}

void EngXfileGL::SetSpecularColour(float r, float g, float b, float shininess) {
  for (int i = 0; i < GetNumMaterials(); i++) SetMaterialSpecularColour(i, r, g, b, shininess);
}

void EngXfileGL::SetMaterialColours(int part, float r, float g, float b, float a, float sr, float sg, float sb,
                                    float shininess, float er, float eg, float eb, char blend_mode,
                                    int blend_type) {
  if (!m_owner || !m_owner->CheckPartNum(ENG_FUNC, part)) return;
  if (!glxf_use_advanced_materials) DebugErrorAlt(ENG_FUNC, "Advanced Materials not turned on");
  _EngXfilePart *p = &m_owner->m_parts[part];
  const float colour[4] = {r, g, b, a};
  for (int c = 0; c < 4; c++) p->ambient[c] = p->diffuse[c] = colour[c];
  const float specular[4] = {sr, sg, sb, 1.0f};
  const float emission[4] = {er, eg, eb, 1.0f};
  for (int c = 0; c < 4; c++) {
    p->specular[c] = specular[c];
    p->emission[c] = emission[c];
  }
  p->shininess = shininess;
  p->blending_on = (blend_mode == 2 || (blend_mode == 1 && a != 0.0f && a != 1.0f)) ? 1 : 0;
  p->blend_type = blend_type;
}

void EngXfileGL::SetColours(float r, float g, float b, float a, float sr, float sg, float sb, float shininess,
                            float er, float eg, float eb, char blend_mode, int blend_type) {
  for (int i = 0; i < GetNumMaterials(); i++)
    SetMaterialColours(i, r, g, b, a, sr, sg, sb, shininess, er, eg, eb, blend_mode, blend_type);
}

// --- Textures --------------------------------------------------------------------------------

char EngXfileGL::SetMaterialTextureFromFile(int part, const char *name, char alpha, char, char only_replace) {
  if (alpha) DebugErrorAlt(ENG_FUNC, "Alpha not supported yet");
  if (!m_owner) return 0;
  if (only_replace) {
    if (!m_owner->m_parts || part >= m_owner->m_num_parts) return 1;
    if (part >= 0) {
      EngTexture *texture = m_owner->m_parts[part].texture;
      if (!texture || !texture->IsOk()) return 1;
    }
  }
  if (!m_owner->CheckPartNum(ENG_FUNC, part)) return 0;
  _EngXfilePart *p = &m_owner->m_parts[part];
  if (p->texture) p->texture->Destroy();
  if (!name || !name[0]) {
    if (p->texture) XfileReleaseTexture(&p->texture);
    return 1;
  }
  if (!p->texture) p->texture = new EngTexture();
  if (!p->texture->LoadFromFileUsingExt(name, 0, 0, ENG_TEXTURE_EXT_NONE, 0)) {
    DebugErrorAlt(ENG_FUNC, "Could not load texture <%s> for mat_num %d of model", name, part);
    XfileReleaseTexture(&p->texture);
    return 0;
  }
  return 1;
}

char EngXfileGL::SetAllMaterialsTexturesFromFile(const char *name, char alpha, char unused, char only_replace) {
  for (int i = 0; i < GetNumMaterials(); i++) SetMaterialTextureFromFile(i, name, alpha, unused, only_replace);
  return 1;
}

void EngXfileGL::SetTexture(int part) {
  if (!m_owner || !m_owner->CheckPartNum(ENG_FUNC, part)) return;
  EngTexture *texture = m_owner->m_parts[part].texture;
  if (!texture) {
    DebugErrorAlt(ENG_FUNC, "No texture.");
    return;
  }
  XfileBindTexture(texture);
}

void EngXfileGL::ClearTexture() {
  if (eng_gl_3d_setup) glBindTexture(GL_TEXTURE_2D, 0);
}

// --- Drawing ---------------------------------------------------------------------------------

void EngXfileGL::PrepareToRender() {
  if (!eng_gl_3d_setup) return;
  glEnableClientState(GL_VERTEX_ARRAY);
  if (m_use_normals) glEnableClientState(GL_NORMAL_ARRAY);
  if (m_use_tex_coords) glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

void EngXfileGL::RestoreAfterRendering() {
  if (!eng_gl_3d_setup) return;
  glDisableClientState(GL_VERTEX_ARRAY);
  if (m_use_normals) glDisableClientState(GL_NORMAL_ARRAY);
  if (m_use_tex_coords) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void EngXfileGL::RestoreDefaultColour() {
  if (glxf_use_advanced_materials)
    EngMaterialsSetDefaultAdvancedMaterial();
  else if (eng_gl_3d_setup)
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void EngXfileGL::CleanupTexAndColour(char texture_bound, char colour_set) {
  if (texture_bound) ClearTexture();
  if (colour_set) RestoreDefaultColour();
}

void EngXfileGL::Render() {
  if (!m_owner || !m_owner->m_parts || m_owner->m_num_parts <= 0) return;
  PrepareToRender();
  char texture_bound = 0, colour_set = 0;
  for (int i = 0; i < m_owner->m_num_parts; i++)
    RenderPart(i, texture_bound, colour_set, 0, 0, &texture_bound, &colour_set);
  CleanupTexAndColour(texture_bound, colour_set);
  RestoreAfterRendering();
}

char EngXfileGL::RenderPart(int part, char texture_bound, char colour_set, char unbind_after,
                            char restore_colour_after, char *texture_bound_out, char *colour_set_out) {
  if (!eng_main_device || !m_owner) return 0;
  char ok = m_owner->CheckPartNum(ENG_FUNC, part);
  _EngXfilePart *p = ok ? &m_owner->m_parts[part] : nullptr;
  if (!p || p->skip) {
    if (texture_bound && unbind_after) {
      ClearTexture();
      texture_bound = 0;
    }
    if (colour_set && restore_colour_after) {
      RestoreDefaultColour();
      colour_set = 0;
    }
    if (texture_bound_out) *texture_bound_out = texture_bound;
    if (colour_set_out) *colour_set_out = colour_set;
    return p ? 1 : 0;
  }

  char blending_saved = 0;
  if (!glxf_use_colours_with_textures && p->texture) {
    if (colour_set) {
      RestoreDefaultColour();
      colour_set = 0;
    }
  } else {
    if (glxf_use_advanced_materials) {
      if (p->blending_on) {
        blending_saved = eng_main_device->SaveOrRestoreBlendingState(1);
        eng_main_device->EnableBlendingType(p->blend_type);
      }
      EngMaterialsSetAdvancedMaterialArray(p->ambient, p->diffuse, p->specular, p->shininess, p->emission);
    } else if (eng_gl_3d_setup) {
      glColor4f(p->diffuse[0], p->diffuse[1], p->diffuse[2], p->diffuse[3]);
    }
    colour_set = 1;
  }

  if (p->texture) {
    XfileBindTexture(p->texture);
    texture_bound = 1;
  } else if (texture_bound) {
    ClearTexture();
    texture_bound = 0;
  }

  // A part without positions draws nothing: GL would read through a stale array pointer.
  if (eng_gl_3d_setup && p->positions && p->num_vertices > 0) {
    glVertexPointer(3, GL_FLOAT, 0, p->positions);
    // An enabled array the part lacks is switched off for it, not read through another part's
    // pointer.
    const bool normals = m_use_normals && p->normals, tex_coords = m_use_tex_coords && p->tex_coords;
    if (normals) glNormalPointer(GL_FLOAT, 0, p->normals);
    if (tex_coords) glTexCoordPointer(2, GL_FLOAT, 0, p->tex_coords);
    if (m_use_normals && !normals) glDisableClientState(GL_NORMAL_ARRAY);
    if (m_use_tex_coords && !tex_coords) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDrawArrays(GL_TRIANGLES, 0, p->num_vertices);
    if (m_use_normals && !normals) glEnableClientState(GL_NORMAL_ARRAY);
    if (m_use_tex_coords && !tex_coords) glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  }

  if (blending_saved) eng_main_device->SaveOrRestoreBlendingState(0);
  if (restore_colour_after && colour_set) {
    RestoreDefaultColour();
    colour_set = 0;
  }
  if (unbind_after && texture_bound) {
    ClearTexture();
    texture_bound = 0;
  }
  if (texture_bound_out) *texture_bound_out = texture_bound;
  if (colour_set_out) *colour_set_out = colour_set;
  return 1;
}

void EngXfileGL::RenderPartNoColour(int) { DebugStandardError(ENG_FUNC, DEBUG_ERR_NOIM); }

void EngXfileGL::RenderPartNoColourNoTexture(int) { DebugStandardError(ENG_FUNC, DEBUG_ERR_NOIM); }

void EngXfileGL::RenderNoColourNoTexture() {
  if (!m_owner || !m_owner->m_parts) {
    DebugErrorAlt(ENG_FUNC, "No parts.");
    return;
  }
  for (int i = 0; i < m_owner->m_num_parts; i++) DebugStandardError(ENG_FUNC, DEBUG_ERR_NOIM);
}

// --- Process-wide switches -------------------------------------------------------------------

void EngXfileUseAdvancedMaterials_GL(char on) {
  if (!EngMaterialsAreAdvancedMaterialsOn()) {
    DebugErrorAlt(ENG_FUNC, "Call EngMaterialsUseAdvancedMaterials(1) first");
    return;
  }
  glxf_use_advanced_materials = on ? 1 : 0;
}

void EngXfileUseColourWhenRenderingPartsThatHaveTextures_GL(char on) {
  glxf_use_colours_with_textures = on ? 1 : 0;
}
