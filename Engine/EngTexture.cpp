#include "Engine/EngTexture.h"

#include <strings.h>

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTextureGL.h"

EngTexture::EngTexture() { Create(); }

EngTexture::~EngTexture() {
  if (m_gl) {
    m_gl->Destroy();
    delete m_gl;
    m_gl = nullptr;
  }
}

void EngTexture::Create() {
  if (eng_main_device_type == ENG_DEVICE_TYPE_OPENGL && !m_gl) m_gl = new EngTextureGL(this);
}

EngTextureGL *EngTexture::Gl() { return eng_main_device_type == ENG_DEVICE_TYPE_OPENGL ? m_gl : nullptr; }

// Forward to the GL half, or answer zero without one.
#define TEX_FWD(zero, call)         \
  do {                              \
    EngTextureGL *gl = Gl();        \
    return gl ? gl->call : zero;    \
  } while (0)
#define TEX_FWD_VOID(call)          \
  do {                              \
    if (EngTextureGL *gl = Gl()) gl->call; \
  } while (0)
// Load and create operations make the GL half first when the device kind became known late.
#define TEX_FWD_MAKE(call) \
  do {                     \
    Create();              \
    TEX_FWD(0, call);      \
  } while (0)

// --- Loading and sizing ---
char EngTexture::LoadFromFile(const char *name, char with_alpha, char alpha_mode, char flag) {
  TEX_FWD_MAKE(LoadFromFile(name, with_alpha, alpha_mode, flag));
}
char EngTexture::LoadFromBmpFile(const char *name, char with_alpha, char alpha_mode, char flag) {
  TEX_FWD_MAKE(LoadFromFile(name, with_alpha, alpha_mode, flag));
}
char EngTexture::LoadFromJpegFile(const char *name, char with_alpha, char alpha_mode, char flag) {
  TEX_FWD_MAKE(LoadFromFile(name, with_alpha, alpha_mode, flag));
}
char EngTexture::LoadFromTgaFile(const char *name, char with_alpha, char alpha_mode, char flag) {
  TEX_FWD_MAKE(LoadFromFile(name, with_alpha, alpha_mode, flag));
}
char EngTexture::LoadFromPngFile(const char *name, char with_alpha, char alpha_mode, char flag) {
  TEX_FWD_MAKE(LoadFromFile(name, with_alpha, alpha_mode, flag));
}
char EngTexture::LoadFromFileUsingExt(const char *name, char with_alpha, char alpha_mode, EngInt32, char flag) {
  TEX_FWD_MAKE(LoadFromFile(name, with_alpha, alpha_mode, flag));
}
char EngTexture::LoadFromFileAndShrinkToHalfSize(const char *name, char with_alpha, char alpha_mode, char flag) {
  TEX_FWD_MAKE(LoadFromFileAndShrinkToHalfSize(name, with_alpha, alpha_mode, flag));
}
char EngTexture::LoadFromTgaData(EngTga *tga, char with_alpha, char alpha_mode, char flag) {
  TEX_FWD_MAKE(LoadFromTgaData(tga, with_alpha, alpha_mode, flag));
}
char EngTexture::CreateEmptyTexture(EngInt32 w, EngInt32 h, char with_alpha) {
  TEX_FWD_MAKE(CreateEmptyTexture(w, h, with_alpha));
}
char EngTexture::CreateEmptyTexture(EngInt32 *w, EngInt32 *h, char with_alpha) {
  TEX_FWD_MAKE(CreateEmptyTexture(w, h, with_alpha));
}
char EngTexture::LoadFromFileToMemory(const char *name, char with_alpha, char alpha_mode, char resample,
                                      EngTga *tga) {
  TEX_FWD_MAKE(LoadFromFileToMemory(name, with_alpha, alpha_mode, resample, tga));
}
char EngTexture::LoadFromFileToMemoryUsingExt(const char *name, char with_alpha, char alpha_mode, EngInt32) {
  TEX_FWD_MAKE(LoadFromFileToMemory(name, with_alpha, alpha_mode, 1, nullptr));
}
char EngTexture::LoadEmptyTextureToMemory(EngInt32 *w, EngInt32 *h, char with_alpha) {
  TEX_FWD_MAKE(LoadEmptyTextureToMemory(w, h, with_alpha));
}
char EngTexture::LoadFromTextureInMemory(_TexCoords *used) { TEX_FWD_MAKE(LoadFromTextureInMemory(used)); }
char EngTexture::UpscaleImageDataInMemoryToNearestPowerOfTwoFast_GL(_TexCoords *used) {
  TEX_FWD(0, UpscaleImageDataInMemoryToNearestPowerOfTwoFast(used));
}
char EngTexture::ShrinkDataInMemoryToHalfSize_GL() { TEX_FWD(0, ShrinkDataInMemoryToHalfSize()); }
char EngTexture::IsLoadToMemorySupported() { return Gl() ? 1 : 0; }
char EngTexture::IsTextureLoadedToMemory() { TEX_FWD(0, IsTextureLoadedToMemory()); }
char EngTexture::IsTextureLoadedToMemoryAndReadyToBeLoaded() { TEX_FWD(0, IsTextureLoadedToMemoryAndReadyToBeLoaded()); }
char EngTexture::GetTexInMemoryInfo(EngInt32 *w, EngInt32 *h, EngInt32 *picture_w, EngInt32 *picture_h,
                                    EngInt32 *channels) {
  TEX_FWD(0, GetTexInMemoryInfo(w, h, picture_w, picture_h, channels));
}
unsigned char *EngTexture::GetTexInMemoryData() { TEX_FWD(nullptr, GetTexInMemoryData()); }
void EngTexture::FreeTextureInMemory() { TEX_FWD_VOID(FreeTextureInMemory()); }
void EngTexture::DontFreeTextureInMemoryOnNextLoad_GL() { TEX_FWD_VOID(DontFreeTextureInMemoryOnNextLoad()); }
void EngTexture::DestroyAllExceptTextureInMemory_GL() { TEX_FWD_VOID(DestroyAllExceptTextureInMemory()); }
void EngTexture::Destroy() { TEX_FWD_VOID(Destroy()); }
char EngTexture::CopyFromTexture(EngTexture *other) { TEX_FWD_MAKE(CopyFromTexture(other)); }
char EngTexture::CreateFromScreen(_TexCoords *used) { TEX_FWD_MAKE(CreateFromScreen(used)); }
char EngTexture::IsOk() { TEX_FWD(0, IsOk()); }
EngInt32 EngTexture::GetWidth() { TEX_FWD(0, GetWidth()); }
EngInt32 EngTexture::GetHeight() { TEX_FWD(0, GetHeight()); }
EngInt32 EngTexture::GetOrigWidth() { TEX_FWD(0, GetOrigWidth()); }
EngInt32 EngTexture::GetOrigHeight() { TEX_FWD(0, GetOrigHeight()); }
EngInt32 EngTexture::GetNumChannels() { TEX_FWD(0, GetNumChannels()); }
char EngTexture::BindTexture_GL() { TEX_FWD(0, BindTexture()); }
char EngTexture::UnbindTexture_GL() { TEX_FWD(0, UnbindTexture()); }

// --- Position and drawing state ---
void EngTexture::PositionRatioed(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h) {
  TEX_FWD_VOID(PositionRatioed((float)x, (float)y, (float)w, (float)h));
}
void EngTexture::PositionRatioed(float x, float y, float w, float h) { TEX_FWD_VOID(PositionRatioed(x, y, w, h)); }
void EngTexture::PositionRatioed(const _Dimension *dim) {
  if (dim) TEX_FWD_VOID(PositionRatioed(dim->x, dim->y, dim->width, dim->height));
}
char EngTexture::PositionRatioedAndDraw(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h) {
  PositionRatioed(x, y, w, h);
  return Draw();
}
char EngTexture::PositionRatioedAndDraw(float x, float y, float w, float h) {
  PositionRatioed(x, y, w, h);
  return Draw();
}
char EngTexture::PositionRatioedAndDraw(const _Dimension *dim) {
  PositionRatioed(dim);
  return Draw();
}
void EngTexture::PositionPure(float x, float y, float w, float h) { TEX_FWD_VOID(PositionPure(x, y, w, h)); }
void EngTexture::PositionPure(const _Dimension *dim) { TEX_FWD_VOID(PositionPure(dim)); }
char EngTexture::PositionPureAndDraw(float x, float y, float w, float h) {
  PositionPure(x, y, w, h);
  return DrawPure();
}
char EngTexture::PositionPureAndDraw(const _Dimension *dim) {
  PositionPure(dim);
  return DrawPure();
}
void EngTexture::Position3dVec3(char axis, const _Vector3d *a, const _Vector3d *b) {
  TEX_FWD_VOID(Position3dVec3(axis, a, b));
}
float EngTexture::GetDrawWidth() { TEX_FWD(0.0f, GetDrawWidth()); }
float EngTexture::GetDrawHeight() { TEX_FWD(0.0f, GetDrawHeight()); }
void EngTexture::SetTextureCoordinates(float left, float top, float right, float bottom) {
  TEX_FWD_VOID(SetTextureCoordinates(left, top, right, bottom));
}
void EngTexture::SetTextureCoordinates(const _TexCoords *tc) { TEX_FWD_VOID(SetTextureCoordinates(tc)); }
void EngTexture::RestoreTexCoordinates() { TEX_FWD_VOID(RestoreTexCoordinates()); }
char EngTexture::AreFullTexCoordinatesSet() { TEX_FWD(0, AreFullTexCoordinatesSet()); }
_TexCoords *EngTexture::GetTexCoordinates() { TEX_FWD(nullptr, GetTexCoordinates()); }
_TexCoords *EngTexture::GetTCs() { TEX_FWD(nullptr, GetTexCoordinates()); }
void EngTexture::GetTCs(float *left, float *top, float *right, float *bottom) {
  _TexCoords *tc = GetTexCoordinates();
  if (!tc) return;
  if (left) *left = tc->left;
  if (top) *top = tc->top;
  if (right) *right = tc->right;
  if (bottom) *bottom = tc->bottom;
}
void EngTexture::SetColour(float r, float g, float b, float a) { TEX_FWD_VOID(SetColour(r, g, b, a)); }
void EngTexture::SetColour(const _ColourRGBA *colour) {
  if (colour) SetColour(colour->r, colour->g, colour->b, colour->a);
}
void EngTexture::RestoreColour() { TEX_FWD_VOID(RestoreColour()); }
void EngTexture::RestoreColourAndAlpha() { TEX_FWD_VOID(RestoreColour()); }
void EngTexture::SetAlphaLevel(float a) { TEX_FWD_VOID(SetAlphaLevel(a)); }
void EngTexture::SetCornerColour(EngInt32 corner, const _ColourRGBA *colour) {
  TEX_FWD_VOID(SetCornerColour(corner, colour));
}
void EngTexture::SetCornerColour(EngInt32 corner, float r, float g, float b, float a) {
  const _ColourRGBA colour = {r, g, b, a};
  SetCornerColour(corner, &colour);
}
void EngTexture::SetNormal(float x, float y, float z) { TEX_FWD_VOID(SetNormal(x, y, z)); }
void EngTexture::SetNormal(const _Vector3d *normal) {
  if (normal) SetNormal(normal->x, normal->y, normal->z);
}
void EngTexture::SetSpecularColour(float, float, float, float) {}
void EngTexture::Set3dDrawDir(char dir) { TEX_FWD_VOID(Set3dDrawDir(dir)); }
char EngTexture::Get3dDrawDir() { TEX_FWD(0, Get3dDrawDir()); }

// --- Drawing ---
char EngTexture::Draw() { TEX_FWD(0, Draw()); }
char EngTexture::DrawPart(float left, float top, float right, float bottom) {
  SetTextureCoordinates(left, top, right, bottom);
  return Draw();
}
char EngTexture::DrawPart(const _TexCoords *tc) {
  if (!tc) return 0;
  return DrawPart(tc->left, tc->top, tc->right, tc->bottom);
}
char EngTexture::DrawWithColour(float r, float g, float b, float a) {
  SetColour(r, g, b, a);
  return Draw();
}
char EngTexture::DrawWithColour(const _ColourRGBA *colour) {
  if (!colour) return 0;
  return DrawWithColour(colour->r, colour->g, colour->b, colour->a);
}
char EngTexture::DrawPartWithColour(float left, float top, float right, float bottom, float r, float g, float b,
                                    float a) {
  SetTextureCoordinates(left, top, right, bottom);
  SetColour(r, g, b, a);
  return Draw();
}
char EngTexture::DrawPartWithColour(float left, float top, float right, float bottom, const _ColourRGBA *colour) {
  SetTextureCoordinates(left, top, right, bottom);
  SetColour(colour);
  return Draw();
}
char EngTexture::DrawPartWithColour(const _TexCoords *tc, const _ColourRGBA *colour) {
  SetTextureCoordinates(tc);
  SetColour(colour);
  return Draw();
}
char EngTexture::DrawPure() { TEX_FWD(0, DrawPure()); }
char EngTexture::DrawPartPure(float left, float top, float right, float bottom) {
  SetTextureCoordinates(left, top, right, bottom);
  return DrawPure();
}
char EngTexture::DrawPartPure(const _TexCoords *tc) {
  if (tc)
    SetTextureCoordinates(tc);
  else
    RestoreTexCoordinates();
  return DrawPure();
}
char EngTexture::DrawWithColourPure(float r, float g, float b, float a) {
  SetColour(r, g, b, a);
  return DrawPure();
}
char EngTexture::DrawPartWithColourPure(float left, float top, float right, float bottom, float r, float g, float b,
                                        float a) {
  SetTextureCoordinates(left, top, right, bottom);
  SetColour(r, g, b, a);
  return DrawPure();
}
char EngTexture::DrawPartWithColourPure(const _TexCoords *tc, float r, float g, float b, float a) {
  SetTextureCoordinates(tc);
  SetColour(r, g, b, a);
  return DrawPure();
}
char EngTexture::DrawInParts(float corner_w, float corner_h, float corner_u, float corner_v, char draw_centre) {
  TEX_FWD(0, DrawInParts(corner_w, corner_h, corner_u, corner_v, draw_centre, 0));
}
char EngTexture::DrawInPartsPure(float corner_w, float corner_h, float corner_u, float corner_v, char draw_centre) {
  TEX_FWD(0, DrawInParts(corner_w, corner_h, corner_u, corner_v, draw_centre, 1));
}
char EngTexture::DrawInPartsHorz(float edge_w, float edge_u, char draw_centre) {
  TEX_FWD(0, DrawInPartsHorz(edge_w, edge_u, draw_centre, 0));
}
char EngTexture::DrawInPartsHorzPure(float edge_w, float edge_u, char draw_centre) {
  TEX_FWD(0, DrawInPartsHorz(edge_w, edge_u, draw_centre, 1));
}
char EngTexture::DrawInPartsVert(float edge_h, float edge_v, char draw_centre) {
  TEX_FWD(0, DrawInPartsVert(edge_h, edge_v, draw_centre, 0));
}
char EngTexture::DrawInPartsVertPure(float edge_h, float edge_v, char draw_centre) {
  TEX_FWD(0, DrawInPartsVert(edge_h, edge_v, draw_centre, 1));
}
char EngTexture::DrawSpecifyingCorners(const _EngTextureCornersInfo *info) { TEX_FWD(0, DrawSpecifyingCorners(info)); }
char EngTexture::DrawSpecifyingCornersList(const _EngTextureCornersInfo *quads, EngInt32 count) {
  TEX_FWD(0, DrawSpecifyingCornersList(quads, count));
}
EngInt32 EngTexture::DrawSpriteList(const _EngTextureSpriteInfo *sprites, EngInt32 count, char outlined) {
  TEX_FWD(0, DrawSpriteList(sprites, count, outlined));
}

// --- Pixel reading and editing ---
char EngTexture::PrepareToGetPixelData(_EngTextureGetPixelDataInfo *info, char, char) {
  TEX_FWD(0, PrepareToGetPixelData(info));
}
char EngTexture::GetPixelData(_EngTextureGetPixelDataInfo *, EngInt32 x, EngInt32 y, EngUInt8 *r, EngUInt8 *g,
                              EngUInt8 *b, EngUInt8 *a) {
  TEX_FWD(0, GetPixelData(x, y, r, g, b, a));
}
char EngTexture::SetPixelData(_EngTextureGetPixelDataInfo *, EngInt32 x, EngInt32 y, EngUInt8 r, EngUInt8 g,
                              EngUInt8 b, EngUInt8 a) {
  TEX_FWD(0, SetPixelData(x, y, r, g, b, a));
}
unsigned char *EngTexture::GetPixelDataBuffer(_EngTextureGetPixelDataInfo *) {
  TEX_FWD(nullptr, GetAllocatedTextureImageData());
}
EngUInt32 EngTexture::GetPixelDataPitch(_EngTextureGetPixelDataInfo *info) {
  if (!Gl()) return 0;
  if (!info) {
    DebugErrorAlt(ENG_FUNC, "No gpdi.");
    return 0;
  }
  return info->pitch;
}
char EngTexture::UpdateTextureFromModifiedPixelDataBuffer(_EngTextureGetPixelDataInfo *, char) {
  TEX_FWD(0, UpdateTextureFromAllocatedImageData());
}
char EngTexture::RestoreAfterGettingPixelData(_EngTextureGetPixelDataInfo *info) {
  TEX_FWD(0, RestoreAfterGettingPixelData(info));
}
char EngTexture::SetTextureFromExternalPixelDataBuffer(const unsigned char *buffer, char with_alpha) {
  TEX_FWD(0, SetTextureFromExternalPixelDataBuffer(buffer, with_alpha));
}
char EngTexture::TransformPixels(EngInt32 mode, EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h, float r, float g,
                                 float b, float a) {
  TEX_FWD(0, TransformPixels(mode, x, y, w, h, r, g, b, a));
}
char EngTexture::ClearTexturePart(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h) {
  return TransformPixels(0, x, y, w, h, 0, 0, 0, 0);
}
char EngTexture::SetPartColour(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h, float r, float g, float b, float a) {
  return TransformPixels(0, x, y, w, h, r, g, b, a);
}
char EngTexture::InvertTexturePart(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h, float r, float g, float b,
                                   float a) {
  return TransformPixels(1, x, y, w, h, r, g, b, a);
}
char EngTexture::MultiplyTextPartColour(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h, float r, float g, float b,
                                        float a) {
  return TransformPixels(2, x, y, w, h, r, g, b, a);
}
char EngTexture::PowerTextPartColour(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h, float r, float g, float b,
                                     float a) {
  return TransformPixels(3, x, y, w, h, r, g, b, a);
}
char EngTexture::CopyPartFromAnotherTexture(EngTexture *from, float fx, float fy, float fw, float fh, float tx,
                                            float ty, float tw, float th, char blend,
                                            const _EngTextureCopyPartSettings *settings) {
  TEX_FWD(0, CopyPartFromAnotherTexture(from, fx, fy, fw, fh, tx, ty, tw, th, blend, settings));
}
char EngTexture::CopyPartFromAnotherTexture(EngTexture *from, EngInt32 fx, EngInt32 fy, EngInt32 fw, EngInt32 fh,
                                            EngInt32 tx, EngInt32 ty, EngInt32 tw, EngInt32 th, char blend,
                                            const _EngTextureCopyPartSettings *settings) {
  return CopyPartFromAnotherTexture(from, (float)fx, (float)fy, (float)fw, (float)fh, (float)tx, (float)ty,
                                    (float)tw, (float)th, blend, settings);
}
char EngTexture::CopyAlphaChannelFromAnotherTexture(EngTexture *from, EngInt32 fx, EngInt32 fy, EngInt32 fw,
                                                    EngInt32 fh, EngInt32 tx, EngInt32 ty, EngInt32 tw,
                                                    EngInt32 th) {
  TEX_FWD(0, CopyAlphaChannelFromAnotherTexture(from, fx, fy, fw, fh, tx, ty, tw, th));
}

EngInt32 EngTexture_GetFileExt(const char *name, EngInt32 type) {
  if (!name) return 0;
  size_t length = strlen(name);
  if (length < 4) return 0;
  const char *ext = nullptr;
  if (name[length - 4] == '.')
    ext = name + length - 3;
  else if (length >= 5 && name[length - 5] == '.')
    ext = name + length - 4;
  if (!ext) return 0;
  struct Known {
    const char *ext;
    EngInt32 type;
  };
  static const Known known[] = {{"bmp", ENG_TEXTURE_EXT_BMP}, {"tga", ENG_TEXTURE_EXT_TGA},
                                {"jpg", ENG_TEXTURE_EXT_JPG}, {"jpeg", ENG_TEXTURE_EXT_JPG},
                                {"png", ENG_TEXTURE_EXT_PNG}, {"gif", ENG_TEXTURE_EXT_GIF}};
  for (const Known &k : known)
    if (strcasecmp(ext, k.ext) == 0) return k.type;
  if (strcasecmp(ext, "dat") == 0) return type;
  return 0;
}
