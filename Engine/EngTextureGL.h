// The OpenGL half of a texture: the decoded pixels in memory, the GL texture made from them,
// the drawing state and the CPU copy of the GL image used for pixel editing. Only EngTexture,
// the TGA exchanges and the other OpenGL halves use it; no GL types appear here.
#pragma once

#include "Engine/EngTexture.h"

class EngTextureGL {
 public:
  explicit EngTextureGL(EngTexture *owner);
  ~EngTextureGL();
  EngTextureGL(const EngTextureGL &) = delete;
  EngTextureGL &operator=(const EngTextureGL &) = delete;

  // Loading and sizing (EngTextureLoad_GL.cpp, EngTexture_GL.cpp).
  char LoadFromFile(const char *name, char with_alpha, char alpha_mode, char flag);
  char LoadFromFileAndShrinkToHalfSize(const char *name, char with_alpha, char alpha_mode, char flag);
  char LoadFromTgaData(EngTga *tga, char with_alpha, char alpha_mode, char flag);
  char CreateEmptyTexture(EngInt32 w, EngInt32 h, char with_alpha);
  char CreateEmptyTexture(EngInt32 *w, EngInt32 *h, char with_alpha);
  char LoadFromFileToMemory(const char *name, char with_alpha, char alpha_mode, char resample, EngTga *tga);
  char LoadEmptyTextureToMemory(EngInt32 *w, EngInt32 *h, char with_alpha);
  char LoadFromTextureInMemory(_TexCoords *used);
  char UpscaleImageDataInMemoryToNearestPowerOfTwo(char flip);
  char UpscaleImageDataInMemoryToNearestPowerOfTwoFast(_TexCoords *used);
  char InvertImageDataInMemory();
  char ShrinkDataInMemoryToHalfSize();
  char IsTextureLoadedToMemory() const { return m_in_memory; }
  char IsTextureLoadedToMemoryAndReadyToBeLoaded() const { return m_in_memory && !m_needs_padding; }
  char GetTexInMemoryInfo(EngInt32 *w, EngInt32 *h, EngInt32 *picture_w, EngInt32 *picture_h, EngInt32 *channels);
  unsigned char *GetTexInMemoryData();
  void FreeTextureInMemory();
  void DontFreeTextureInMemoryOnNextLoad() { m_keep_pixels = 1; }
  void DestroyAllExceptTextureInMemory();
  void Destroy();
  char CopyFromTexture(EngTexture *other);
  char CreateFromScreen(_TexCoords *used);
  void UpdateFullTextureCoordinates();

  char IsOk() const { return m_created; }
  EngInt32 GetWidth() const { return m_width; }
  EngInt32 GetHeight() const { return m_height; }
  EngInt32 GetOrigWidth() const { return m_picture_width; }
  EngInt32 GetOrigHeight() const { return m_picture_height; }
  EngInt32 GetNumChannels() const { return m_channels; }
  EngUInt32 GetGlName() const { return m_gl_name; }
  char HasGlTexture() const { return m_gl_exists; }
  char BindTexture();
  char UnbindTexture();

  // Drawing state and drawing (EngTextureDraw_GL.cpp).
  void PositionRatioed(float x, float y, float w, float h);
  void PositionPure(float x, float y, float w, float h);
  char PositionPure(const _Dimension *dim);
  void Position3dVec3(char axis, const _Vector3d *a, const _Vector3d *b);
  float GetDrawWidth() const { return m_draw_w; }
  float GetDrawHeight() const { return m_draw_h; }
  void SetTextureCoordinates(float left, float top, float right, float bottom);
  void SetTextureCoordinates(const _TexCoords *tc);
  void RestoreTexCoordinates() { UpdateFullTextureCoordinates(); }
  char AreFullTexCoordinatesSet() const { return m_full_tc_set; }
  _TexCoords *GetTexCoordinates() { return &m_tc; }
  void SetColour(float r, float g, float b, float a);
  void RestoreColour();
  void SetAlphaLevel(float a);
  void SetCornerColour(EngInt32 corner, const _ColourRGBA *colour);
  void SetNormal(float x, float y, float z);
  void Set3dDrawDir(char dir) { m_3d_draw_dir = dir; }
  char Get3dDrawDir() const { return m_3d_draw_dir; }
  char Draw();
  char DrawPure();
  char DrawInParts(float corner_w, float corner_h, float corner_u, float corner_v, char draw_centre, char pure);
  char DrawInPartsHorz(float edge_w, float edge_u, char draw_centre, char pure);
  char DrawInPartsVert(float edge_h, float edge_v, char draw_centre, char pure);
  char DrawSpecifyingCorners(const _EngTextureCornersInfo *info);
  char DrawSpecifyingCornersList(const _EngTextureCornersInfo *quads, EngInt32 count);
  EngInt32 DrawSpriteList(const _EngTextureSpriteInfo *sprites, EngInt32 count, char outlined);

  // The image copy (EngTextureEdit_GL.cpp).
  unsigned char *AllocAndGetTextureImageData();
  unsigned char *AllocEmptyTextureImageData(char zero);
  unsigned char *GetAllocatedTextureImageData() { return m_image_copy; }
  EngUInt32 GetAllocatedTextureImageDataSize() const;
  char IsTextureImageDataAllocated() const { return m_image_copy_allocated; }
  char UpdateTextureFromAllocatedImageData();
  char UpdateTextureFromData(const unsigned char *buffer);
  char FreeAllocatedTextureImageData();

  // Pixel editing (EngTextureEdit_GL.cpp).
  char PrepareToGetPixelData(_EngTextureGetPixelDataInfo *info);
  char GetPixelData(EngInt32 x, EngInt32 y, EngUInt8 *r, EngUInt8 *g, EngUInt8 *b, EngUInt8 *a);
  char SetPixelData(EngInt32 x, EngInt32 y, EngUInt8 r, EngUInt8 g, EngUInt8 b, EngUInt8 a);
  char RestoreAfterGettingPixelData(_EngTextureGetPixelDataInfo *info);
  char SetTextureFromExternalPixelDataBuffer(const unsigned char *buffer, char with_alpha);
  char TransformPixels(EngInt32 mode, EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h, float r, float g, float b,
                       float a);
  char CopyPartFromAnotherTexture(EngTexture *from, float fx, float fy, float fw, float fh, float tx, float ty,
                                  float tw, float th, char blend, const _EngTextureCopyPartSettings *settings);
  char CopyAlphaChannelFromAnotherTexture(EngTexture *from, EngInt32 fx, EngInt32 fy, EngInt32 fw, EngInt32 fh,
                                          EngInt32 tx, EngInt32 ty, EngInt32 tw, EngInt32 th);

  // The registry of live halves, for the device's destruction.
  EngTextureGL *m_next_live = nullptr;
  EngTextureGL *m_prev_live = nullptr;

 private:
  void DrawQuad(const float *vertices, const float *colours);
  void DrawRatioedQuad();
  void DrawPureQuad();
  void Draw3dQuad();
  void SetTexCoordsFromCorners(float left, float top, float right, float bottom);
  void ReleaseGlName(char delete_name);
  // The picture's outlines are its file's only while its pixels are that file's.
  void ForgetPicture() { m_picture_name[0] = 0; }
  // The outlines' index of this texture's picture, looked up again after each load of them.
  EngInt32 OutlinesPicture();
  // Frees the pixels in memory with the allocator that made them and takes the new ones.
  void ReplacePixels(unsigned char *pixels, char from_loader);

  EngTexture *m_owner;
  char m_created = 0;
  float m_draw_x = 0, m_draw_y = 0, m_draw_w = 0, m_draw_h = 0;
  EngInt32 m_width = 0, m_height = 0;
  EngInt32 m_picture_width = 0, m_picture_height = 0;
  char m_full_tc_set = 0;
  _TexCoords m_tc = {0, 0, 1, 1};
  EngInt32 m_channels = 0;
  char m_colour_set = 0;
  float m_colour[4] = {1, 1, 1, 1};
  char m_3d_set = 0;
  char m_3d_axis = 0;
  _Vector3d m_3d_a = {0, 0, 0}, m_3d_b = {0, 0, 0};
  char m_3d_draw_dir = 0;
  char m_normal_set = 0;
  float m_normal[3] = {0, 0, 1};
  char m_corner_colours_set = 0;
  float m_corner_colours[4][4] = {{0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}};
  char m_image_copy_allocated = 0;
  unsigned char *m_image_copy = nullptr;
  char m_in_memory = 0;
  EngInt32 m_mem_width = 0, m_mem_height = 0;
  EngInt32 m_mem_picture_width = 0, m_mem_picture_height = 0;
  EngInt32 m_mem_channels = 0;
  char m_needs_padding = 0;
  unsigned char *m_pixels = nullptr;
  char m_pixels_from_loader = 0;
  char m_keep_pixels = 0;
  EngInt32 m_gl_width = 0, m_gl_height = 0;
  EngInt32 m_gl_picture_width = 0, m_gl_picture_height = 0;
  EngInt32 m_gl_channels = 0;
  EngUInt32 m_gl_name = 0;
  char m_gl_exists = 0;
  char m_picture_name[64] = {0};  // the file's name without folders; empty when none or edited
  EngUInt32 m_outlines_generation = 0;
  EngInt32 m_outlines_picture = -1;
};

// The GL half's device, when the device kind is OpenGL and its back end exists.
class EngDeviceGL;
EngDeviceGL *EngTextureGL_Device();
// The size limit for textures made from pictures.
EngInt32 EngTextureGL_SizeLimit();
