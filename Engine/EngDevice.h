// The rendering device: a small portable front owned by the main window. Every operation
// forwards to the OpenGL back end (EngDeviceGL) when the device kind is OpenGL and the back
// end exists; otherwise it does nothing and answers 0. No OpenGL types appear here.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTypes.h"

class EngWindow;
class EngMatrix;
class EngDeviceGL;

// Pixels from the window's top-left corner, and a depth range.
struct _EngDeviceViewport {
  EngInt32 x, y, width, height;
  float min_z, max_z;
};

// OpenGL blend factors, set when a back end initialises, so callers need no GL headers.
extern EngInt32 EDEV_BLEND_ZERO;
extern EngInt32 EDEV_BLEND_ONE;
extern EngInt32 EDEV_BLEND_SRC_COLOUR;
extern EngInt32 EDEV_BLEND_INV_SRC_COLOUR;
extern EngInt32 EDEV_BLEND_SRC_ALPHA;
extern EngInt32 EDEV_BLEND_INV_SRC_ALPHA;
extern EngInt32 EDEV_BLEND_DEST_ALPHA;
extern EngInt32 EDEV_BLEND_INV_DEST_ALPHA;
extern EngInt32 EDEV_BLEND_DEST_COLOUR;
extern EngInt32 EDEV_BLEND_INV_DEST_COLOUR;
extern EngInt32 EDEV_BLEND_SRC_ALPHA_SATURATE;

extern EngDeviceGL *eng_main_device_gl;
// 1 while an OpenGL context exists.
extern char eng_gl_3d_setup;

void EngDeviceResetViewportStruct(_EngDeviceViewport *vp);
void EngDeviceSetViewportStructToSize(_EngDeviceViewport *vp, EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h);
void EngDeviceSetViewportStructToSizeRatioed(_EngDeviceViewport *vp, EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h);

class EngDevice {
 public:
  explicit EngDevice(EngWindow *window = nullptr);
  // Create, Destroy and SwapBuffers stay virtual so tests can stand in a fake device.
  virtual ~EngDevice();
  EngDevice(const EngDevice &) = delete;
  EngDevice &operator=(const EngDevice &) = delete;

  // Life.
  virtual char Create(char windowed, EngInt32 width, EngInt32 height, EngInt32 bit_depth, EngInt32 frequency);
  virtual void Destroy();
  void GoingToBeDestroyed() {}
  char IsCreated() const { return m_created; }
  EngWindow *GetWindow() const { return m_window; }
  void WindowResized();
  void MiscInitVars();
  void MiscResetVariables();
  void SetFullViewportSize();

  // Context and capability.
  char UseCurrentContext_GL();
  void WindowDestroyed_GL();
  void SetMaxTextureSizeForLoadingImages_GL(EngInt32 size);
  void SupportLuminanceOnlyTextures_GL(char on);
  char AreLuminanceOnlyTexturesSupported_GL();
  char SetCurrentColourWhite_GL(char check);
  char DrawSpecularHighlightsOnTopOfTexture_GL(char mode);
  EngInt32 GetFullScreenRefreshRate();

  // Viewports.
  void SetViewportFullScreen();
  void SetViewportToSize(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h);
  void SetViewportToSize(_Dimension *dim);
  void SetViewportToSizeRatioed(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h);
  void SetViewportToSizeRatioed(_Dimension *dim);
  void SetViewportToSizeWithOrientationRatioed(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h);
  void SetViewportToSizeWithOrientationRatioed(_Dimension *dim);
  void SetViewportToViewportStruct(const _EngDeviceViewport *vp);
  void SetViewportToViewportStructRatioed(const _EngDeviceViewport *vp);
  void SetViewportToViewportStructWithOrientationRatioed(const _EngDeviceViewport *vp);
  _EngDeviceViewport *GetFullScreenViewport();
  _EngDeviceViewport *GetCurrentViewport();
  void GetCurrentViewport(_EngDeviceViewport *out);
  char IsViewportFullScreen();

  // Projection and camera.
  void SetProjectionMatrixToMatrix(EngMatrix *m);
  void SetProjectionMatrixToCurrent();
  void GetProjectionMatrix(EngMatrix *out);
  EngMatrix *GetProjectionMatrix();
  void GetViewMatrix(EngMatrix *out);
  void SetPerspectiveFOV(float fov, char update);
  float GetPerspectiveFOV();
  void SetPerspectiveAspect(float aspect, char update);
  float GetPerspectiveAspect();
  void SetPerspectiveNearAndFarPlanes(float near_z, float far_z, char update);
  void SetPerspectiveAspectRelative(float aspect, char update);
  void SetProjectionMatrixFor2D();
  void SetupLookAtView(const _Vector3d *eye, const _Vector3d *target);
  void SetupLookAtViewInvUp(const _Vector3d *eye, const _Vector3d *target);
  void SetupLookAtViewAxisUp(const _Vector3d *eye, const _Vector3d *target, const _Vector3d *up);
  void SetupLookAtViewAxisUpLH(const _Vector3d *eye, const _Vector3d *target, const _Vector3d *up);
  void SetupLookAtViewForOrientation(const _Vector3d *eye, const _Vector3d *target, EngInt32 orientation);

  // Clearing.
  void SetClearColour(const _ColourRGB *colour);
  void SetClearColour(float r, float g, float b);
  void GetClearColour(_ColourRGB *out);
  void GetClearColour(float *r, float *g, float *b);
  void ClearScreen();
  void ClearScreenAndDepthBuffers();
  void ClearScreenBuffer();
  void ClearDepthBuffer();
  void ForceClearDepthBuffer();

  // Lighting, depth and faces.
  char IsLightingOn();
  void TurnOnLighting();
  void TurnOffLighting();
  char TurnOnLightingIfNeeded();
  char TurnOffLightingIfNeeded();
  void UseDepthBuffer(char on);
  char IsDepthBufferOn();
  void TurnOnDepthBuffer();
  void TurnOffDepthBuffer();
  char TurnOffDepthBufferIfNeeded();
  char AreTwoSidedPolygonsOn();
  void ShowTwoSidedPolygons(char on);
  char ShowTwoSidedPolygonsIfNeeded(char on);
  void SetPolygonDrawOrder(char order);

  // Transform (model-view). Radians unless the name says Deg.
  void PushAllMatrices();
  void PopAllMatrices();
  void PushTransformMatrix();
  void PopTransformMatrix();
  void SetTransformMatrixIdentity();
  void SetTransformMatrixIdentityWithOrientation();
  void SetTransformMatrixPos(float x, float y, float z);
  void SetTransformMatrixPos(const _Vector3d *pos);
  void SetTransformMatrixRot(float x, float y, float z);
  void SetTransformMatrixRot(const _Vector3d *rot);
  void SetTransformMatrixRotDeg(float x, float y, float z);
  void SetTransformMatrixPosRot(float x, float y, float z, float rx, float ry, float rz);
  void SetTransformMatrixPosRot(const _Vector3d *pos, const _Vector3d *rot);
  void SetTransformMatrixPosRotDeg(const _Vector3d *pos, const _Vector3d *rot);
  void SetTransformMatrixPosRotZyx(const _Vector3d *pos, const _Vector3d *rot);
  void SetTransformMatrixPosRotZyxDeg(const _Vector3d *pos, const _Vector3d *rot);
  void SetTransformMatrixPosRotZDeg(float x, float y, float z, float degrees);
  void SetTransformMatrixPosScale(float x, float y, float z, float sx, float sy, float sz);
  void SetTransformMatrixPosRotScale(float x, float y, float z, float rx, float ry, float rz, float sx, float sy,
                                     float sz);
  void SetTransformMatrixPosRotScale(const _Vector3d *pos, const _Vector3d *rot, const _Vector3d *scale);
  void SetTransformMatrixPosRotScaleDeg(const _Vector3d *pos, const _Vector3d *rot, const _Vector3d *scale);
  void SetTransformMatrixPosScaleRot(float x, float y, float z, float sx, float sy, float sz, float rx, float ry,
                                     float rz);
  void SetTransformMatrixXScaleZRotPos(float x_scale, float degrees, float x, float y, float z);
  void SetTransformMatrix(const EngMatrix *m);
  void GetTransformMatrix(EngMatrix *out);
  void SetTransformMatrixForOrientation();
  void SetTransformMatrixForOrientation(_EngOrientation orientation);
  void MultTransformMatrixResetToIdentity(char unused = 0);
  void MultTransformMatrixPos(float x, float y, float z, char unused = 0);
  void MultTransformMatrixRot(float x, float y, float z, char unused = 0);
  void MultTransformMatrixRotX(float angle, char unused = 0);
  void MultTransformMatrixRotY(float angle, char unused = 0);
  void MultTransformMatrixRotZ(float angle, char unused = 0);
  void MultTransformMatrixScale(float x, float y, float z, char unused = 0);

  // Frame.
  char IsRenderingOn();
  char BeginRendering();
  void EndRendering();
  char BeginRenderingIfNeeded();
  virtual void SwapBuffers();

  // 2D mode in the 640 by 480 design space.
  void PrepareFor2D(char lighting_off);
  void PrepareFor2DWithOrientation(char lighting_off);
  void RestoreAfter2D();
  char Is2dPrepared();
  char PrepareFor2DIfNeeded(char lighting_off);
  char PrepareFor2DWithOrientationIfNeeded(char lighting_off);
  char SaveOrRestoreBlendingLightingAnd2DStates(char save);

  // Blending: types 0 to 18, or a pair of factors.
  void EnableBlendingType(EngInt32 type);
  void EnableSpecificBlending(EngInt32 source, EngInt32 destination);
  void DisableBlending();
  char IsBlendingEnabled();
  char GetBlendingState(char *on, EngInt32 *source, EngInt32 *destination);
  void SetBlendingState(char on, EngInt32 source, EngInt32 destination);
  char SaveOrRestoreBlendingState(char save);
  void OverwriteBlendingFlags(char on, EngInt32 source, EngInt32 destination);

  // Cropping: one scissor rectangle at a time.
  void CropToAreaRatioed(_Dimension *dim);
  void CropToAreaRatioed(float x, float y, float w, float h);
  void CropToAreaInViewportRatioed(_Dimension *dim);
  void CropToAreaInViewportRatioed(float x, float y, float w, float h);
  void CropToArea(_Dimension *dim);
  void CropToArea(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h);
  char IsCropOn();
  void TurnOffCrop();

  // Picking: where the line of sight through a pixel meets a flat surface.
  char GetScreenPointInFullScreen(EngInt32 px, EngInt32 py, float value, float *a, float *b);
  char GetScreenPointInCurrentViewport(EngInt32 px, EngInt32 py, float value, float *a, float *b);
  char GetScreenPointInViewportStruct(_EngDeviceViewport *vp, EngInt32 px, EngInt32 py, float value, float *a,
                                      float *b);
  char GetScreenPointInViewportStructXZ(_EngDeviceViewport *vp, EngInt32 px, EngInt32 py, float value, float *a,
                                        float *b);
  char GetScreenPointInViewportStructYZ(_EngDeviceViewport *vp, EngInt32 px, EngInt32 py, float value, float *a,
                                        float *b);
  char Convert3DPointTo2D(const _Vector3d *point, _Vector2d *out, char ratioed);

 protected:
  char m_created = 0;
  EngWindow *m_window = nullptr;
};

// Test seam: the window constructs its device through this factory when set.
void EngDeviceSetFactoryForTests(EngDevice *(*factory)());
EngDevice *EngDeviceMake();
