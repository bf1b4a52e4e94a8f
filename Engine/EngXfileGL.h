// The OpenGL half of the mesh model EngXfile, which derives from it and owns the part array:
// loading a text .x model through EngXfileParse, per-part colours and textures, and drawing
// the parts as triangles from client-side arrays.
#pragma once

#include "Engine/EngTypes.h"
#include "Engine/EngXfileParse.h"

class EngTexture;
class EngXfile;

class EngXfileGL {
 public:
  EngXfileGL();
  explicit EngXfileGL(EngXfile *owner);
  ~EngXfileGL();
  EngXfileGL(const EngXfileGL &) = delete;
  EngXfileGL &operator=(const EngXfileGL &) = delete;

  void Init();
  // Frees every part's arrays and textures and the part array itself.
  void Destroy();
  // Folder may be null; it is also where the model's textures are looked for. A successful
  // load turns on drawing with the parts' normals and texture coordinates.
  char LoadFromFile(const char *folder, const char *name, float scale_x, float scale_y, float scale_z,
                    XfileConvert *convert, char tex_flag1, char tex_flag2, XFILE_MATERIAL_OVERWRITE_FUNC overwrite,
                    void *user1, void *user2);
  char IsOk();
  EngInt32 GetNumMaterials();
  char GetPartMaterialTexture(int part, EngTexture **out);

  // Colours: the Material forms change one part, the others every part.
  void SetMaterialColour(int part, float r, float g, float b);
  void SetColour(float r, float g, float b);
  void SetMaterialColourWithAlpha(int part, float r, float g, float b, float a);
  void SetColourWithAlpha(float r, float g, float b, float a);
  void SetMaterialTransparency(int part, float a);
  void SetTransparency(float a);
  void SetMaterialSpecularColour(int part, float r, float g, float b, float shininess);
  void SetSpecularColour(float r, float g, float b, float shininess);
  // Blend mode 2 turns the part's blending on, 1 only for an alpha strictly between 0 and 1.
  void SetMaterialColours(int part, float r, float g, float b, float a, float sr, float sg, float sb, float shininess,
                          float er, float eg, float eb, char blend_mode, int blend_type);
  void SetColours(float r, float g, float b, float a, float sr, float sg, float sb, float shininess, float er,
                  float eg, float eb, char blend_mode, int blend_type);

  // Textures. An empty name removes the part's texture; only_replace leaves parts without a
  // loaded texture alone.
  char SetMaterialTextureFromFile(int part, const char *name, char alpha, char unused, char only_replace);
  char SetAllMaterialsTexturesFromFile(const char *name, char alpha, char unused, char only_replace);
  void SetTexture(int part);
  void ClearTexture();

  // Drawing.
  void PrepareToRender();
  void RestoreAfterRendering();
  void Render();
  char RenderPart(int part, char texture_bound, char colour_set, char unbind_after, char restore_colour_after,
                  char *texture_bound_out, char *colour_set_out);
  void CleanupTexAndColour(char texture_bound, char colour_set);
  void RestoreDefaultColour();
  void RenderPartNoColour(int part);
  void RenderPartNoColourNoTexture(int part);
  void RenderNoColourNoTexture();

 protected:
  EngXfile *m_owner;
  EngUInt8 m_use_normals;     // hand the parts' normals to GL
  EngUInt8 m_use_tex_coords;  // hand the parts' texture coordinates to GL
  EngUInt8 m_trace;           // copied into the parser at each load
  EngUInt8 m_source_output;
};

void EngXfileUseAdvancedMaterials_GL(char on);
void EngXfileUseColourWhenRenderingPartsThatHaveTextures_GL(char on);
// Both process-wide switches back off.
void EngXfileGLResetForTests();
