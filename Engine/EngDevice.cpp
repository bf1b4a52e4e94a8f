#include "Engine/EngDevice.h"

#include "Engine/EngDebug.h"
#include "Engine/EngDeviceGL.h"
#include "Engine/EngMain.h"
#include "Engine/EngMath.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"

static EngDevice *(*device_factory)() = nullptr;

void EngDeviceSetFactoryForTests(EngDevice *(*factory)()) { device_factory = factory; }

EngDevice *EngDeviceMake() { return device_factory ? device_factory() : new EngDevice(eng_main_window); }

void EngDeviceResetViewportStruct(_EngDeviceViewport *vp) {
  if (!vp) return;
  // 99 by 99: an unset viewport shows up as plainly wrong rather than plausible.
  *vp = {0, 0, 99, 99, 0.0f, 1.0f};
}

void EngDeviceSetViewportStructToSize(_EngDeviceViewport *vp, EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h) {
  if (!vp) return;
  *vp = {x, y, w, h, 0.0f, 1.0f};
}

void EngDeviceSetViewportStructToSizeRatioed(_EngDeviceViewport *vp, EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h) {
  if (!vp) return;
  float rx = EngDeviceGL_WindowXRatio(), ry = EngDeviceGL_WindowYRatio();
  *vp = {EngMathRound(x * rx), EngMathRound(y * ry), EngMathRound(w * rx), EngMathRound(h * ry), 0.0f, 1.0f};
}

// The back end, when the device kind is OpenGL and one exists.
static EngDeviceGL *Back() { return eng_main_device_type == ENG_DEVICE_TYPE_OPENGL ? eng_main_device_gl : nullptr; }

#define FWD_VOID(call)                      \
  do {                                      \
    if (EngDeviceGL *gl = Back()) gl->call; \
  } while (0)
#define FWD(zero, call)          \
  do {                           \
    EngDeviceGL *gl = Back();    \
    return gl ? gl->call : zero; \
  } while (0)

EngDevice::EngDevice(EngWindow *window) : m_window(window) {
  m_created = 0;
  eng_main_device_gl = nullptr;
}

EngDevice::~EngDevice() { EngDevice::Destroy(); }

char EngDevice::Create(char windowed, EngInt32 width, EngInt32 height, EngInt32 bit_depth, EngInt32 frequency) {
  eng_main_device = nullptr;
  if (eng_main_device_type != ENG_DEVICE_TYPE_OPENGL) return 0;
  if (!eng_main_device_gl) eng_main_device_gl = new EngDeviceGL(this);
  if (!eng_main_device_gl->Create(windowed, width, height, bit_depth, frequency)) return 0;
  m_created = 1;
  eng_main_device = this;
  return 1;
}

void EngDevice::Destroy() {
  if (eng_main_device_gl && eng_main_device_gl->GetOwner() == this) {
    delete eng_main_device_gl;
    eng_main_device_gl = nullptr;
  }
  m_created = 0;
  if (eng_main_device == this) eng_main_device = nullptr;
}

void EngDevice::WindowResized() { FWD_VOID(SetFullViewportSize()); }
void EngDevice::MiscInitVars() { FWD_VOID(MiscInitVars()); }
void EngDevice::MiscResetVariables() { FWD_VOID(MiscResetVariables()); }
void EngDevice::SetFullViewportSize() { FWD_VOID(SetFullViewportSize()); }

char EngDevice::UseCurrentContext_GL() { FWD(0, UseCurrentContext()); }
void EngDevice::WindowDestroyed_GL() {
  if (Back() && m_window) m_window->DestroyGraphicsDevice();
}
void EngDevice::SetMaxTextureSizeForLoadingImages_GL(EngInt32 size) {
  FWD_VOID(SetMaxTextureSizeForLoadingImages(size));
}
void EngDevice::SupportLuminanceOnlyTextures_GL(char on) { FWD_VOID(SupportLuminanceOnlyTextures(on)); }
char EngDevice::AreLuminanceOnlyTexturesSupported_GL() { FWD(0, AreLuminanceOnlyTexturesSupported()); }
char EngDevice::SetCurrentColourWhite_GL(char check) { FWD(0, SetCurrentColourWhite(check)); }
char EngDevice::DrawSpecularHighlightsOnTopOfTexture_GL(char mode) {
  FWD(0, DrawSpecularHighlightsOnTopOfTexture(mode));
}
EngInt32 EngDevice::GetFullScreenRefreshRate() { FWD(0, GetFullScreenRefreshRate()); }

void EngDevice::SetViewportFullScreen() { FWD_VOID(SetViewportFullScreen()); }
void EngDevice::SetViewportToSize(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h) {
  FWD_VOID(SetViewportToSize(x, y, w, h));
}
void EngDevice::SetViewportToSize(_Dimension *dim) { FWD_VOID(SetViewportToSize(dim)); }
void EngDevice::SetViewportToSizeRatioed(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h) {
  FWD_VOID(SetViewportToSizeRatioed(x, y, w, h));
}
void EngDevice::SetViewportToSizeRatioed(_Dimension *dim) { FWD_VOID(SetViewportToSizeRatioed(dim)); }
void EngDevice::SetViewportToSizeWithOrientationRatioed(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h) {
  FWD_VOID(SetViewportToSizeWithOrientationRatioed(x, y, w, h));
}
void EngDevice::SetViewportToSizeWithOrientationRatioed(_Dimension *dim) {
  FWD_VOID(SetViewportToSizeWithOrientationRatioed(dim));
}
void EngDevice::SetViewportToViewportStruct(const _EngDeviceViewport *vp) { FWD_VOID(SetViewportToViewportStruct(vp)); }
void EngDevice::SetViewportToViewportStructRatioed(const _EngDeviceViewport *vp) {
  FWD_VOID(SetViewportToViewportStructRatioed(vp));
}
void EngDevice::SetViewportToViewportStructWithOrientationRatioed(const _EngDeviceViewport *vp) {
  FWD_VOID(SetViewportToViewportStructWithOrientationRatioed(vp));
}
_EngDeviceViewport *EngDevice::GetFullScreenViewport() { FWD(nullptr, GetFullScreenViewport()); }
_EngDeviceViewport *EngDevice::GetCurrentViewport() { FWD(nullptr, GetCurrentViewport()); }
void EngDevice::GetCurrentViewport(_EngDeviceViewport *out) { FWD_VOID(GetCurrentViewport(out)); }
char EngDevice::IsViewportFullScreen() { FWD(0, IsViewportFullScreen()); }

void EngDevice::SetProjectionMatrixToMatrix(EngMatrix *m) { FWD_VOID(SetProjectionMatrixToMatrix(m)); }
void EngDevice::SetProjectionMatrixToCurrent() { FWD_VOID(SetProjectionMatrixToCurrent()); }
void EngDevice::GetProjectionMatrix(EngMatrix *out) { FWD_VOID(GetProjectionMatrix(out)); }
EngMatrix *EngDevice::GetProjectionMatrix() { FWD(nullptr, GetProjectionMatrix()); }
void EngDevice::GetViewMatrix(EngMatrix *out) { FWD_VOID(GetViewMatrix(out)); }
void EngDevice::SetPerspectiveFOV(float fov, char update) { FWD_VOID(SetPerspectiveFOV(fov, update)); }
float EngDevice::GetPerspectiveFOV() { FWD(0.0f, GetPerspectiveFOV()); }
void EngDevice::SetPerspectiveAspect(float aspect, char update) { FWD_VOID(SetPerspectiveAspect(aspect, update)); }
float EngDevice::GetPerspectiveAspect() { FWD(0.0f, GetPerspectiveAspect()); }
void EngDevice::SetPerspectiveNearAndFarPlanes(float near_z, float far_z, char update) {
  FWD_VOID(SetPerspectiveNearAndFarPlanes(near_z, far_z, update));
}
void EngDevice::SetPerspectiveAspectRelative(float aspect, char update) {
  FWD_VOID(SetPerspectiveAspectRelative(aspect, update));
}
void EngDevice::SetProjectionMatrixFor2D() { FWD_VOID(SetProjectionMatrixFor2D()); }
void EngDevice::SetupLookAtView(const _Vector3d *eye, const _Vector3d *target) {
  FWD_VOID(SetupLookAtView(eye, target));
}
void EngDevice::SetupLookAtViewInvUp(const _Vector3d *eye, const _Vector3d *target) {
  FWD_VOID(SetupLookAtViewInvUp(eye, target));
}
void EngDevice::SetupLookAtViewAxisUp(const _Vector3d *eye, const _Vector3d *target, const _Vector3d *up) {
  FWD_VOID(SetupLookAtViewAxisUp(eye, target, up));
}
void EngDevice::SetupLookAtViewAxisUpLH(const _Vector3d *eye, const _Vector3d *target, const _Vector3d *up) {
  FWD_VOID(SetupLookAtViewAxisUpLH(eye, target, up));
}
void EngDevice::SetupLookAtViewForOrientation(const _Vector3d *eye, const _Vector3d *target, EngInt32 orientation) {
  FWD_VOID(SetupLookAtViewForOrientation(eye, target, orientation));
}

void EngDevice::SetClearColour(const _ColourRGB *colour) { FWD_VOID(SetClearColour(colour)); }
void EngDevice::SetClearColour(float r, float g, float b) { FWD_VOID(SetClearColour(r, g, b)); }
void EngDevice::GetClearColour(_ColourRGB *out) { FWD_VOID(GetClearColour(out)); }
void EngDevice::GetClearColour(float *r, float *g, float *b) { FWD_VOID(GetClearColour(r, g, b)); }
void EngDevice::ClearScreen() { FWD_VOID(ClearScreen()); }
void EngDevice::ClearScreenAndDepthBuffers() { FWD_VOID(ClearScreenAndDepthBuffers()); }
void EngDevice::ClearScreenBuffer() { FWD_VOID(ClearScreenBuffer()); }
void EngDevice::ClearDepthBuffer() { FWD_VOID(ClearDepthBuffer()); }
void EngDevice::ForceClearDepthBuffer() { FWD_VOID(ForceClearDepthBuffer()); }

char EngDevice::IsLightingOn() { FWD(0, IsLightingOn()); }
void EngDevice::TurnOnLighting() { FWD_VOID(TurnOnLighting()); }
void EngDevice::TurnOffLighting() { FWD_VOID(TurnOffLighting()); }
char EngDevice::TurnOnLightingIfNeeded() { FWD(0, TurnOnLightingIfNeeded()); }
char EngDevice::TurnOffLightingIfNeeded() { FWD(0, TurnOffLightingIfNeeded()); }
void EngDevice::UseDepthBuffer(char on) { FWD_VOID(UseDepthBuffer(on)); }
char EngDevice::IsDepthBufferOn() { FWD(0, IsDepthBufferOn()); }
void EngDevice::TurnOnDepthBuffer() { FWD_VOID(TurnOnDepthBuffer()); }
void EngDevice::TurnOffDepthBuffer() { FWD_VOID(TurnOffDepthBuffer()); }
char EngDevice::TurnOffDepthBufferIfNeeded() { FWD(0, TurnOffDepthBufferIfNeeded()); }
char EngDevice::AreTwoSidedPolygonsOn() { FWD(0, AreTwoSidedPolygonsOn()); }
void EngDevice::ShowTwoSidedPolygons(char on) { FWD_VOID(ShowTwoSidedPolygons(on)); }
char EngDevice::ShowTwoSidedPolygonsIfNeeded(char on) { FWD(0, ShowTwoSidedPolygonsIfNeeded(on)); }
void EngDevice::SetPolygonDrawOrder(char order) { FWD_VOID(SetPolygonDrawOrder(order)); }

// The OpenGL back end keeps no matrices of its own to push.
void EngDevice::PushAllMatrices() {}
void EngDevice::PopAllMatrices() {}
void EngDevice::PushTransformMatrix() { FWD_VOID(PushTransformMatrix()); }
void EngDevice::PopTransformMatrix() { FWD_VOID(PopTransformMatrix()); }
void EngDevice::SetTransformMatrixIdentity() { FWD_VOID(SetTransformMatrixIdentity()); }
void EngDevice::SetTransformMatrixIdentityWithOrientation() { FWD_VOID(SetTransformMatrixIdentityWithOrientation()); }
void EngDevice::SetTransformMatrixPos(float x, float y, float z) { FWD_VOID(SetTransformMatrixPos(x, y, z)); }
void EngDevice::SetTransformMatrixPos(const _Vector3d *pos) { FWD_VOID(SetTransformMatrixPos(pos)); }
void EngDevice::SetTransformMatrixRot(float x, float y, float z) { FWD_VOID(SetTransformMatrixRot(x, y, z)); }
void EngDevice::SetTransformMatrixRot(const _Vector3d *rot) { FWD_VOID(SetTransformMatrixRot(rot)); }
void EngDevice::SetTransformMatrixRotDeg(float x, float y, float z) { FWD_VOID(SetTransformMatrixRotDeg(x, y, z)); }
void EngDevice::SetTransformMatrixPosRot(float x, float y, float z, float rx, float ry, float rz) {
  FWD_VOID(SetTransformMatrixPosRot(x, y, z, rx, ry, rz));
}
void EngDevice::SetTransformMatrixPosRot(const _Vector3d *pos, const _Vector3d *rot) {
  FWD_VOID(SetTransformMatrixPosRot(pos, rot));
}
void EngDevice::SetTransformMatrixPosRotDeg(const _Vector3d *pos, const _Vector3d *rot) {
  FWD_VOID(SetTransformMatrixPosRotDeg(pos, rot));
}
void EngDevice::SetTransformMatrixPosRotZyx(const _Vector3d *pos, const _Vector3d *rot) {
  FWD_VOID(SetTransformMatrixPosRotZyx(pos, rot));
}
void EngDevice::SetTransformMatrixPosRotZyxDeg(const _Vector3d *pos, const _Vector3d *rot) {
  FWD_VOID(SetTransformMatrixPosRotZyxDeg(pos, rot));
}
void EngDevice::SetTransformMatrixPosRotZDeg(float x, float y, float z, float degrees) {
  FWD_VOID(SetTransformMatrixPosRotZDeg(x, y, z, degrees));
}
void EngDevice::SetTransformMatrixPosScale(float x, float y, float z, float sx, float sy, float sz) {
  FWD_VOID(SetTransformMatrixPosScale(x, y, z, sx, sy, sz));
}
void EngDevice::SetTransformMatrixPosRotScale(float x, float y, float z, float rx, float ry, float rz, float sx,
                                              float sy, float sz) {
  FWD_VOID(SetTransformMatrixPosRotScale(x, y, z, rx, ry, rz, sx, sy, sz));
}
void EngDevice::SetTransformMatrixPosRotScale(const _Vector3d *pos, const _Vector3d *rot, const _Vector3d *scale) {
  FWD_VOID(SetTransformMatrixPosRotScale(pos, rot, scale));
}
void EngDevice::SetTransformMatrixPosRotScaleDeg(const _Vector3d *pos, const _Vector3d *rot, const _Vector3d *scale) {
  FWD_VOID(SetTransformMatrixPosRotScaleDeg(pos, rot, scale));
}
void EngDevice::SetTransformMatrixPosScaleRot(float x, float y, float z, float sx, float sy, float sz, float rx,
                                              float ry, float rz) {
  FWD_VOID(SetTransformMatrixPosScaleRot(x, y, z, sx, sy, sz, rx, ry, rz));
}
void EngDevice::SetTransformMatrixXScaleZRotPos(float x_scale, float degrees, float x, float y, float z) {
  FWD_VOID(SetTransformMatrixXScaleZRotPos(x_scale, degrees, x, y, z));
}
void EngDevice::SetTransformMatrix(const EngMatrix *m) { FWD_VOID(SetTransformMatrix(m)); }
void EngDevice::GetTransformMatrix(EngMatrix *out) { FWD_VOID(GetTransformMatrix(out)); }
void EngDevice::SetTransformMatrixForOrientation() { FWD_VOID(SetTransformMatrixForOrientation()); }
void EngDevice::SetTransformMatrixForOrientation(_EngOrientation orientation) {
  FWD_VOID(SetTransformMatrixForOrientation(orientation));
}
void EngDevice::MultTransformMatrixResetToIdentity(char) { FWD_VOID(MultTransformMatrixResetToIdentity()); }
void EngDevice::MultTransformMatrixPos(float x, float y, float z, char) { FWD_VOID(MultTransformMatrixPos(x, y, z)); }
void EngDevice::MultTransformMatrixRot(float x, float y, float z, char) { FWD_VOID(MultTransformMatrixRot(x, y, z)); }
void EngDevice::MultTransformMatrixRotX(float angle, char) { FWD_VOID(MultTransformMatrixRotX(angle)); }
void EngDevice::MultTransformMatrixRotY(float angle, char) { FWD_VOID(MultTransformMatrixRotY(angle)); }
void EngDevice::MultTransformMatrixRotZ(float angle, char) { FWD_VOID(MultTransformMatrixRotZ(angle)); }
void EngDevice::MultTransformMatrixScale(float x, float y, float z, char) {
  FWD_VOID(MultTransformMatrixScale(x, y, z));
}

char EngDevice::IsRenderingOn() { FWD(0, IsRenderingOn()); }
char EngDevice::BeginRendering() { FWD(0, BeginRendering()); }
void EngDevice::EndRendering() { FWD_VOID(EndRendering()); }
char EngDevice::BeginRenderingIfNeeded() { FWD(0, BeginRenderingIfNeeded()); }
void EngDevice::SwapBuffers() { FWD_VOID(SwapBuffers()); }

void EngDevice::PrepareFor2D(char lighting_off) { FWD_VOID(PrepareFor2D(lighting_off)); }
void EngDevice::PrepareFor2DWithOrientation(char lighting_off) { FWD_VOID(PrepareFor2DWithOrientation(lighting_off)); }
void EngDevice::RestoreAfter2D() { FWD_VOID(RestoreAfter2D()); }
char EngDevice::Is2dPrepared() { FWD(0, Is2dPrepared()); }
char EngDevice::PrepareFor2DIfNeeded(char lighting_off) { FWD(0, PrepareFor2DIfNeeded(lighting_off)); }
char EngDevice::PrepareFor2DWithOrientationIfNeeded(char lighting_off) {
  FWD(0, PrepareFor2DWithOrientationIfNeeded(lighting_off));
}
char EngDevice::SaveOrRestoreBlendingLightingAnd2DStates(char save) {
  FWD(0, SaveOrRestoreBlendingLightingAnd2DStates(save));
}

void EngDevice::EnableBlendingType(EngInt32 type) { FWD_VOID(EnableBlendingType(type)); }
void EngDevice::EnableSpecificBlending(EngInt32 source, EngInt32 destination) {
  FWD_VOID(EnableSpecificBlending(source, destination));
}
void EngDevice::DisableBlending() { FWD_VOID(DisableBlending()); }
char EngDevice::IsBlendingEnabled() { FWD(0, IsBlendingEnabled()); }
char EngDevice::GetBlendingState(char *on, EngInt32 *source, EngInt32 *destination) {
  FWD(0, GetBlendingState(on, source, destination));
}
void EngDevice::SetBlendingState(char on, EngInt32 source, EngInt32 destination) {
  FWD_VOID(SetBlendingState(on, source, destination));
}
char EngDevice::SaveOrRestoreBlendingState(char save) { FWD(0, SaveOrRestoreBlendingState(save)); }
void EngDevice::OverwriteBlendingFlags(char on, EngInt32 source, EngInt32 destination) {
  FWD_VOID(OverwriteBlendingFlags(on, source, destination));
}

void EngDevice::CropToAreaRatioed(_Dimension *dim) { FWD_VOID(CropToAreaRatioed(dim)); }
void EngDevice::CropToAreaRatioed(float x, float y, float w, float h) { FWD_VOID(CropToAreaRatioed(x, y, w, h)); }
void EngDevice::CropToAreaInViewportRatioed(_Dimension *dim) { FWD_VOID(CropToAreaInViewportRatioed(dim)); }
void EngDevice::CropToAreaInViewportRatioed(float x, float y, float w, float h) {
  FWD_VOID(CropToAreaInViewportRatioed(x, y, w, h));
}
void EngDevice::CropToArea(_Dimension *dim) { FWD_VOID(CropToArea(dim)); }
void EngDevice::CropToArea(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h) { FWD_VOID(CropToArea(x, y, w, h)); }
char EngDevice::IsCropOn() { FWD(0, IsCropOn()); }
void EngDevice::TurnOffCrop() { FWD_VOID(TurnOffCrop()); }

char EngDevice::GetScreenPointInFullScreen(EngInt32 px, EngInt32 py, float value, float *a, float *b) {
  FWD(0, GetScreenPointInFullScreen(px, py, value, a, b));
}
char EngDevice::GetScreenPointInCurrentViewport(EngInt32 px, EngInt32 py, float value, float *a, float *b) {
  FWD(0, GetScreenPointInCurrentViewport(px, py, value, a, b));
}
char EngDevice::GetScreenPointInViewportStruct(_EngDeviceViewport *vp, EngInt32 px, EngInt32 py, float value, float *a,
                                               float *b) {
  FWD(0, GetScreenPointInViewportStruct(vp, px, py, value, a, b));
}
char EngDevice::GetScreenPointInViewportStructXZ(_EngDeviceViewport *vp, EngInt32 px, EngInt32 py, float value,
                                                 float *a, float *b) {
  FWD(0, GetScreenPointInViewportStructXZ(vp, px, py, value, a, b));
}
char EngDevice::GetScreenPointInViewportStructYZ(_EngDeviceViewport *vp, EngInt32 px, EngInt32 py, float value,
                                                 float *a, float *b) {
  FWD(0, GetScreenPointInViewportStructYZ(vp, px, py, value, a, b));
}
char EngDevice::Convert3DPointTo2D(const _Vector3d *point, _Vector2d *out, char ratioed) {
  FWD(0, Convert3DPointTo2D(point, out, ratioed));
}
