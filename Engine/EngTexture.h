// Textures: every picture the engine shows. EngTexture is the portable handle; it owns its
// OpenGL half (EngTextureGL, Engine/EngTextureGL.h) and forwards every operation to it, doing
// nothing and answering 0 when the device kind is not OpenGL or the half is missing.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"

class EngTga;
class EngTextureGL;

// Left, top, right, bottom in texture space (top is the picture's first row).
struct _TexCoords {
  float left, top, right, bottom;
};

enum _EngTextureFileExt {
  ENG_TEXTURE_EXT_NONE = 0,
  ENG_TEXTURE_EXT_BMP = 1,
  ENG_TEXTURE_EXT_TGA = 2,
  ENG_TEXTURE_EXT_JPG = 3,
  ENG_TEXTURE_EXT_PNG = 4,
  ENG_TEXTURE_EXT_GIF = 5
};

// A caller-built quad, all in triangle-strip order.
struct _EngTextureCornersInfo {
  float position[4][3];
  float tex_coords[4][2];
  float colour[4][4];
};

// A sprite: the picture's part (texture coordinates; left > right mirrors it) placed with the
// quad's corners as _EngTextureCornersInfo places them (the part's left-bottom, right-bottom,
// left-top and right-top), in one colour.
struct _EngTextureSpriteInfo {
  _TexCoords part;
  float position[4][3];
  float colour[4];
};

struct _EngTextureGetPixelDataInfo {
  EngUInt32 reserved;
  EngUInt32 pitch;
  unsigned char *data;
};

// Only the blend type is read: 1 and 2 are the multiply blends, anything else alpha blending.
struct _EngTextureCopyPartSettings {
  EngInt32 blend_type;
};

// Pixels: 32-bit words (or 3-byte pixels for the 24-bit form), rows top first, EngMalloc block.
struct _EngTextureReduceTextureDataSizeParms {
  EngInt32 width;
  EngInt32 height;
  void *data;
};

class EngTexture {
 public:
  EngTexture();
  ~EngTexture();
  EngTexture(const EngTexture &) = delete;
  EngTexture &operator=(const EngTexture &) = delete;

  // Makes the OpenGL half when the device kind is OpenGL and none exists yet.
  void Create();
  EngTextureGL *GetGL() const { return m_gl; }

  // Loading and sizing.
  char LoadFromFile(const char *name, char with_alpha, char alpha_mode, char flag = 0);
  char LoadFromBmpFile(const char *name, char with_alpha, char alpha_mode, char flag = 0);
  char LoadFromJpegFile(const char *name, char with_alpha, char alpha_mode, char flag = 0);
  char LoadFromTgaFile(const char *name, char with_alpha, char alpha_mode, char flag = 0);
  char LoadFromPngFile(const char *name, char with_alpha, char alpha_mode, char flag = 0);
  char LoadFromFileUsingExt(const char *name, char with_alpha, char alpha_mode, EngInt32 type, char flag = 0);
  char LoadFromFileAndShrinkToHalfSize(const char *name, char with_alpha, char alpha_mode, char flag = 0);
  char LoadFromTgaData(EngTga *tga, char with_alpha, char alpha_mode, char flag = 0);
  char CreateEmptyTexture(EngInt32 w, EngInt32 h, char with_alpha);
  char CreateEmptyTexture(EngInt32 *w, EngInt32 *h, char with_alpha);
  char LoadFromFileToMemory(const char *name, char with_alpha, char alpha_mode, char resample, EngTga *tga = nullptr);
  char LoadFromFileToMemoryUsingExt(const char *name, char with_alpha, char alpha_mode, EngInt32 type);
  char LoadEmptyTextureToMemory(EngInt32 *w, EngInt32 *h, char with_alpha);
  char LoadFromTextureInMemory(_TexCoords *used);
  char UpscaleImageDataInMemoryToNearestPowerOfTwoFast_GL(_TexCoords *used);
  char ShrinkDataInMemoryToHalfSize_GL();
  char IsLoadToMemorySupported();
  char IsTextureLoadedToMemory();
  char IsTextureLoadedToMemoryAndReadyToBeLoaded();
  char GetTexInMemoryInfo(EngInt32 *w, EngInt32 *h, EngInt32 *picture_w, EngInt32 *picture_h, EngInt32 *channels);
  unsigned char *GetTexInMemoryData();
  void FreeTextureInMemory();
  void DontFreeTextureInMemoryOnNextLoad_GL();
  void DestroyAllExceptTextureInMemory_GL();
  void Destroy();
  char CopyFromTexture(EngTexture *other);
  char CreateFromScreen(_TexCoords *used);

  char IsOk();
  EngInt32 GetWidth();
  EngInt32 GetHeight();
  EngInt32 GetOrigWidth();
  EngInt32 GetOrigHeight();
  EngInt32 GetNumChannels();
  char BindTexture_GL();
  char UnbindTexture_GL();

  // Position and drawing state.
  void PositionRatioed(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h);
  void PositionRatioed(float x, float y, float w, float h);
  void PositionRatioed(const _Dimension *dim);
  char PositionRatioedAndDraw(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h);
  char PositionRatioedAndDraw(float x, float y, float w, float h);
  char PositionRatioedAndDraw(const _Dimension *dim);
  void PositionPure(float x, float y, float w, float h);
  void PositionPure(const _Dimension *dim);
  char PositionPureAndDraw(float x, float y, float w, float h);
  char PositionPureAndDraw(const _Dimension *dim);
  void Position3dVec3(char axis, const _Vector3d *a, const _Vector3d *b);
  float GetDrawWidth();
  float GetDrawHeight();
  void SetTextureCoordinates(float left, float top, float right, float bottom);
  void SetTextureCoordinates(const _TexCoords *tc);
  void RestoreTexCoordinates();
  char AreFullTexCoordinatesSet();
  _TexCoords *GetTexCoordinates();
  _TexCoords *GetTCs();
  void GetTCs(float *left, float *top, float *right, float *bottom);
  void SetColour(float r, float g, float b, float a);
  void SetColour(const _ColourRGBA *colour);
  void RestoreColour();
  void RestoreColourAndAlpha();
  void SetAlphaLevel(float a);
  void SetCornerColour(EngInt32 corner, const _ColourRGBA *colour);
  void SetCornerColour(EngInt32 corner, float r, float g, float b, float a);
  void SetNormal(float x, float y, float z);
  void SetNormal(const _Vector3d *normal);
  void SetSpecularColour(float r, float g, float b, float a);
  void Set3dDrawDir(char dir);
  char Get3dDrawDir();

  // Drawing: "Ratioed" in the 640 by 480 design space, "Pure" in raw units with y negated.
  char Draw();
  char DrawPart(float left, float top, float right, float bottom);
  char DrawPart(const _TexCoords *tc);
  char DrawWithColour(float r, float g, float b, float a);
  char DrawWithColour(const _ColourRGBA *colour);
  char DrawPartWithColour(float left, float top, float right, float bottom, float r, float g, float b, float a);
  char DrawPartWithColour(float left, float top, float right, float bottom, const _ColourRGBA *colour);
  char DrawPartWithColour(const _TexCoords *tc, const _ColourRGBA *colour);
  char DrawPure();
  char DrawPartPure(float left, float top, float right, float bottom);
  char DrawPartPure(const _TexCoords *tc);
  char DrawWithColourPure(float r, float g, float b, float a);
  char DrawPartWithColourPure(float left, float top, float right, float bottom, float r, float g, float b, float a);
  char DrawPartWithColourPure(const _TexCoords *tc, float r, float g, float b, float a);
  char DrawInParts(float corner_w, float corner_h, float corner_u, float corner_v, char draw_centre);
  char DrawInPartsPure(float corner_w, float corner_h, float corner_u, float corner_v, char draw_centre);
  char DrawInPartsHorz(float edge_w, float edge_u, char draw_centre);
  char DrawInPartsHorzPure(float edge_w, float edge_u, char draw_centre);
  char DrawInPartsVert(float edge_h, float edge_v, char draw_centre);
  char DrawInPartsVertPure(float edge_h, float edge_v, char draw_centre);
  char DrawSpecifyingCorners(const _EngTextureCornersInfo *info);
  // Many quads of this texture in one draw, each as DrawSpecifyingCorners would draw it.
  char DrawSpecifyingCornersList(const _EngTextureCornersInfo *quads, EngInt32 count);
  // Many sprites of this texture in one draw. With outlined set, a sprite whose picture (the
  // file the texture was loaded from, unchanged since) and part have an outline
  // (EngSpriteOutlines.h) is drawn over that polygon only, the same pixels for fewer shaded,
  // and not at all when nothing of its part shows; any other, and every sprite in a
  // multisampled window, is drawn whole. Returns how many were drawn.
  EngInt32 DrawSpriteList(const _EngTextureSpriteInfo *sprites, EngInt32 count, char outlined);

  // Pixel reading and editing on a CPU copy of the GL image.
  char PrepareToGetPixelData(_EngTextureGetPixelDataInfo *info, char c1 = 0, char c2 = 0);
  char GetPixelData(_EngTextureGetPixelDataInfo *info, EngInt32 x, EngInt32 y, EngUInt8 *r, EngUInt8 *g, EngUInt8 *b,
                    EngUInt8 *a);
  char SetPixelData(_EngTextureGetPixelDataInfo *info, EngInt32 x, EngInt32 y, EngUInt8 r, EngUInt8 g, EngUInt8 b,
                    EngUInt8 a);
  unsigned char *GetPixelDataBuffer(_EngTextureGetPixelDataInfo *info);
  EngUInt32 GetPixelDataPitch(_EngTextureGetPixelDataInfo *info);
  char UpdateTextureFromModifiedPixelDataBuffer(_EngTextureGetPixelDataInfo *info, char c = 0);
  char RestoreAfterGettingPixelData(_EngTextureGetPixelDataInfo *info);
  char SetTextureFromExternalPixelDataBuffer(const unsigned char *buffer, char with_alpha);
  char TransformPixels(EngInt32 mode, EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h, float r, float g, float b,
                       float a);
  char ClearTexturePart(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h);
  char SetPartColour(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h, float r, float g, float b, float a);
  char InvertTexturePart(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h, float r, float g, float b, float a);
  char MultiplyTextPartColour(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h, float r, float g, float b, float a);
  char PowerTextPartColour(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h, float r, float g, float b, float a);
  char CopyPartFromAnotherTexture(EngTexture *from, float fx, float fy, float fw, float fh, float tx, float ty,
                                  float tw, float th, char blend, const _EngTextureCopyPartSettings *settings);
  char CopyPartFromAnotherTexture(EngTexture *from, EngInt32 fx, EngInt32 fy, EngInt32 fw, EngInt32 fh, EngInt32 tx,
                                  EngInt32 ty, EngInt32 tw, EngInt32 th, char blend,
                                  const _EngTextureCopyPartSettings *settings);
  char CopyAlphaChannelFromAnotherTexture(EngTexture *from, EngInt32 fx, EngInt32 fy, EngInt32 fw, EngInt32 fh,
                                          EngInt32 tx, EngInt32 ty, EngInt32 tw, EngInt32 th);
  void NotEditingDataAnymore() {}

 private:
  EngTextureGL *Gl();
  EngTextureGL *m_gl = nullptr;
};

// 1 bmp, 2 tga, 3 jpg/jpeg, 4 png, 5 gif; "dat" gives the type passed in; anything else 0.
EngInt32 EngTexture_GetFileExt(const char *name, EngInt32 type);
// Each side to its nearest power of two, at most the size limit; 256 without a GL device.
void EngTextureGetClosestPowerOf2_GL(EngInt32 w, EngInt32 h, EngInt32 *out_w, EngInt32 *out_h);
// The GL pixel format for a channel count, or 0 when not supported.
EngUInt32 EngTextureGL_GetTypeFromNumChannels(EngInt32 channels);
// Halve a raw pixel buffer until both sides fit max.
char EngTexture_ReduceTextureDataSizeIfNeeded(_EngTextureReduceTextureDataSizeParms *parms, EngInt32 max);
char EngTexture_Reduce24BitTextureDataSizeIfNeeded(_EngTextureReduceTextureDataSizeParms *parms, EngInt32 max);
char EngTextureReducePixelsDataSize(EngInt32 src_w, EngInt32 src_h, const EngUInt32 *src, EngInt32 dst_w,
                                    EngInt32 dst_h, EngUInt32 *dst);
char EngTextureReduceRGBPixelsDataSize(EngInt32 src_w, EngInt32 src_h, const unsigned char *src, EngInt32 dst_w,
                                       EngInt32 dst_h, unsigned char *dst);
void EngTexture_AverageTwoRGBPixels(const unsigned char *first, const unsigned char *second, unsigned char *out);
void EngTexture_AverageTwoRGBAPixels(const unsigned char *first, const unsigned char *second, unsigned char *out);

// The device is going away: every texture still holding a GL name gives it up (while the
// context still exists) and becomes empty, so none keeps a name a new context may reuse.
void EngTextureGL_ReleaseAllForDeviceDestroy();
// Live textures with a GL half (for tests).
EngInt32 EngTextureGL_CountLive();
// Grows with every change of any texture's pixels on the device: a picture made from textures
// and kept aside (the play field's still layers) is still right while the count stays.
EngUInt32 EngTextureGetUploadCount();
void EngTextureNoteUpload();
