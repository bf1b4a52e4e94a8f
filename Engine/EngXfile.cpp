#include "Engine/EngXfile.h"

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngMemory.h"
#include "Engine/EngProgram.h"

EngUInt8 xf_dat_ext_type = 0;

EngXfile::EngXfile() : EngXfileGL(this), m_gl(nullptr), m_parts(nullptr), m_num_parts(0) {
  if (EngMainIsCurrentDeviceTypeGL()) {
    m_gl = this;
    m_gl->Init();
  }
}

// The part arrays and textures are freed whatever the device kind is by now: they are plain
// memory and texture objects, and would otherwise be lost.
EngXfile::~EngXfile() {
  EngXfileGL::Destroy();
  if (m_parts) EngFree(m_parts, 0, ENG_FUNC);
  m_parts = nullptr;
  m_num_parts = 0;
  // The base's destructor must not reach back into this part of the object.
  m_owner = nullptr;
}

char EngXfile::CheckPartNum(const char *caller, int num) {
  if (!m_parts) {
    DebugErrorAlt(caller, "Parts are not created.");
    return 0;
  }
  if (num < 0 || num >= m_num_parts) {
    DebugErrorAlt(caller, "XFile only has %d materials (num = %d)", m_num_parts, num);
    return 0;
  }
  return 1;
}

char EngXfile::FreePartMaterialLists(int num) {
  if (!m_parts) {
    DebugErrorAlt(ENG_FUNC, "No parts.");
    return 0;
  }
  if (num < 0 || num >= m_num_parts) {
    DebugErrorAlt(ENG_FUNC, "Bad part num %d (%d).", num, m_num_parts);
    return 0;
  }
  EngXfilePartFreeLists(&m_parts[num]);
  return 1;
}

char EngXfile::FreeAllMaterialLists() {
  if (!m_parts) return 0;
  char ok = 1;
  for (EngInt32 i = 0; i < m_num_parts; i++)
    if (!FreePartMaterialLists(i)) ok = 0;
  return ok;
}

void EngXfile::Init() {
  if (EngMainIsCurrentDeviceTypeGL() && m_gl) m_gl->Init();
}

void EngXfile::Destroy() {
  if (EngMainIsCurrentDeviceTypeGL() && m_gl) m_gl->Destroy();
}

char EngXfile::LoadFromFile(const char *folder, const char *name, float scale_x, float scale_y, float scale_z,
                            XfileConvert *convert, char tex_flag1, char tex_flag2,
                            XFILE_MATERIAL_OVERWRITE_FUNC overwrite, void *user1, void *user2) {
  if (!EngMainIsCurrentDeviceTypeGL() || !m_gl) return 0;
  return m_gl->LoadFromFile(folder, name, scale_x, scale_y, scale_z, convert, tex_flag1, tex_flag2, overwrite, user1,
                            user2);
}

void EngXfile::SetColour(float r, float g, float b) {
  if (EngMainIsCurrentDeviceTypeGL() && m_gl) m_gl->SetColour(r, g, b);
}

void EngXfile::SetColourWithAlpha(float r, float g, float b, float a) {
  if (EngMainIsCurrentDeviceTypeGL() && m_gl) m_gl->SetColourWithAlpha(r, g, b, a);
}

void EngXfile::SetMaterialColour(int part, float r, float g, float b) {
  if (EngMainIsCurrentDeviceTypeGL() && m_gl) m_gl->SetMaterialColour(part, r, g, b);
}

void EngXfile::SetTransparency(float a) {
  if (EngMainIsCurrentDeviceTypeGL() && m_gl) m_gl->SetTransparency(a);
}

void EngXfile::SetMaterialTransparency(int part, float a) {
  if (EngMainIsCurrentDeviceTypeGL() && m_gl) m_gl->SetMaterialTransparency(part, a);
}

void EngXfile::SetSpecularColour(float r, float g, float b, float shininess) {
  if (EngMainIsCurrentDeviceTypeGL() && m_gl) m_gl->SetSpecularColour(r, g, b, shininess);
}

void EngXfile::SetMaterialSpecularColour(int part, float r, float g, float b, float shininess) {
  if (EngMainIsCurrentDeviceTypeGL() && m_gl) m_gl->SetMaterialSpecularColour(part, r, g, b, shininess);
}

void EngXfile::SetColours(float r, float g, float b, float a, float sr, float sg, float sb, float shininess, float er,
                          float eg, float eb, char blend_mode, int blend_type) {
  if (EngMainIsCurrentDeviceTypeGL() && m_gl)
    m_gl->SetColours(r, g, b, a, sr, sg, sb, shininess, er, eg, eb, blend_mode, blend_type);
}

void EngXfile::SetMaterialColours(int part, float r, float g, float b, float a, float sr, float sg, float sb,
                                  float shininess, float er, float eg, float eb, char blend_mode, int blend_type) {
  if (EngMainIsCurrentDeviceTypeGL() && m_gl)
    m_gl->SetMaterialColours(part, r, g, b, a, sr, sg, sb, shininess, er, eg, eb, blend_mode, blend_type);
}

char EngXfile::SetAllMaterialsTexturesFromFile(const char *name, char alpha, char unused, char only_replace) {
  if (!EngMainIsCurrentDeviceTypeGL() || !m_gl) return 0;
  return m_gl->SetAllMaterialsTexturesFromFile(name, alpha, unused, only_replace);
}

char EngXfile::SetMaterialTextureFromFile(int part, const char *name, char alpha, char unused, char only_replace) {
  if (!EngMainIsCurrentDeviceTypeGL() || !m_gl) return 0;
  return m_gl->SetMaterialTextureFromFile(part, name, alpha, unused, only_replace);
}

EngInt32 EngXfile::GetNumMaterials() { return EngMainIsCurrentDeviceTypeGL() && m_gl ? m_gl->GetNumMaterials() : 0; }

char EngXfile::GetPartMaterialTexture(int part, EngTexture **out) {
  return EngMainIsCurrentDeviceTypeGL() && m_gl ? m_gl->GetPartMaterialTexture(part, out) : 0;
}

void EngXfile::PrepareToRender() {
  if (EngMainIsCurrentDeviceTypeGL() && m_gl) m_gl->PrepareToRender();
}

void EngXfile::RestoreAfterRendering() {
  if (EngMainIsCurrentDeviceTypeGL() && m_gl) m_gl->RestoreAfterRendering();
}

void EngXfile::Render() {
  if (EngMainIsCurrentDeviceTypeGL() && m_gl) m_gl->Render();
}

char EngXfile::RenderPart(int part, char texture_bound, char colour_set, char unbind_after, char restore_colour_after,
                          char *texture_bound_out, char *colour_set_out) {
  if (!EngMainIsCurrentDeviceTypeGL() || !m_gl) return 0;
  return m_gl->RenderPart(part, texture_bound, colour_set, unbind_after, restore_colour_after, texture_bound_out,
                          colour_set_out);
}

void EngXfile::CleanupTexAndColour(char texture_bound, char colour_set) {
  if (EngMainIsCurrentDeviceTypeGL() && m_gl) m_gl->CleanupTexAndColour(texture_bound, colour_set);
}

void EngXfile::ClearTexture() {
  if (EngMainIsCurrentDeviceTypeGL() && m_gl) m_gl->ClearTexture();
}

char EngXfile::IsOk() { return EngMainIsCurrentDeviceTypeGL() && m_gl ? m_gl->IsOk() : 0; }

char EngXfileDatFilesHaveType(char type) {
  if (type < 1 || type > 4) {
    DebugErrorAlt(ENG_FUNC, "Invalid type");
    return 0;
  }
  xf_dat_ext_type = (EngUInt8)type;
  return 1;
}

void EngXfileUseAdvancedMaterials(char on) {
  if (EngMainIsCurrentDeviceTypeGL()) EngXfileUseAdvancedMaterials_GL(on);
}

void EngXfileUseColourWhenRenderingPartsThatHaveTextures(char on) {
  if (EngMainIsCurrentDeviceTypeGL()) EngXfileUseColourWhenRenderingPartsThatHaveTextures_GL(on);
}

void EngXfileResetForTests() {
  xf_dat_ext_type = 0;
  EngXfileGLResetForTests();
}
