// The portable front of a mesh model: a list of parts, one per material, each with its own
// triangle arrays, colours and optional texture. The OpenGL model (EngXfileGL, the base) does
// the work; every operation forwards to it on an OpenGL device and otherwise answers 0.
#pragma once

#include "Engine/EngTypes.h"
#include "Engine/EngXfileGL.h"
#include "Engine/EngXfileParse.h"

class EngTexture;

class EngXfile : public EngXfileGL {
 public:
  EngXfile();
  ~EngXfile();

  // 1 when the parts exist and 0 <= num < count; else reported under the caller's name.
  char CheckPartNum(const char *caller, int num);
  char FreePartMaterialLists(int num);
  char FreeAllMaterialLists();

  void Init();
  void Destroy();
  char LoadFromFile(const char *folder, const char *name, float scale_x, float scale_y, float scale_z,
                    XfileConvert *convert, char tex_flag1, char tex_flag2, XFILE_MATERIAL_OVERWRITE_FUNC overwrite,
                    void *user1, void *user2);
  void SetColour(float r, float g, float b);
  void SetColourWithAlpha(float r, float g, float b, float a);
  void SetMaterialColour(int part, float r, float g, float b);
  void SetTransparency(float a);
  void SetMaterialTransparency(int part, float a);
  void SetSpecularColour(float r, float g, float b, float shininess);
  void SetMaterialSpecularColour(int part, float r, float g, float b, float shininess);
  void SetColours(float r, float g, float b, float a, float sr, float sg, float sb, float shininess, float er,
                  float eg, float eb, char blend_mode, int blend_type);
  void SetMaterialColours(int part, float r, float g, float b, float a, float sr, float sg, float sb, float shininess,
                          float er, float eg, float eb, char blend_mode, int blend_type);
  char SetAllMaterialsTexturesFromFile(const char *name, char alpha, char unused, char only_replace);
  char SetMaterialTextureFromFile(int part, const char *name, char alpha, char unused, char only_replace);
  EngInt32 GetNumMaterials();
  char GetPartMaterialTexture(int part, EngTexture **out);
  void PrepareToRender();
  void RestoreAfterRendering();
  void Render();
  char RenderPart(int part, char texture_bound, char colour_set, char unbind_after, char restore_colour_after,
                  char *texture_bound_out, char *colour_set_out);
  void CleanupTexAndColour(char texture_bound, char colour_set);
  void ClearTexture();
  char IsOk();

 protected:
  friend class EngXfileGL;
  friend class EngXfileParse;
  EngXfileGL *m_gl;        // this object as its OpenGL model; null on other devices
  _EngXfilePart *m_parts;  // XFILE_MAX_PARTS records, the first m_num_parts in use
  EngInt32 m_num_parts;
};

// The data-file type of model textures, 1 to 4.
char EngXfileDatFilesHaveType(char type);
// The type set last (0 before any), handed to every model texture load.
extern EngUInt8 xf_dat_ext_type;
void EngXfileUseAdvancedMaterials(char on);
void EngXfileUseColourWhenRenderingPartsThatHaveTextures(char on);
void EngXfileResetForTests();
