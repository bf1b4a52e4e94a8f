// The OpenGL back end of EngDevice: a shadow of the fixed-function state (lighting, depth,
// blending, culling, viewports, matrices, 2D mode, cropping) so changes reach OpenGL only when
// needed. The context side (SetupCreate and relatives) is the platform's, in Engine/MAC/.
#pragma once

#include "Engine/EngDevice.h"
#include "Engine/EngMatrix.h"
#include "Engine/EngTypes.h"
#include "Engine/EngWindow.h"

class EngDeviceGL {
 public:
  explicit EngDeviceGL(EngDevice *owner);
  ~EngDeviceGL();
  EngDeviceGL(const EngDeviceGL &) = delete;
  EngDeviceGL &operator=(const EngDeviceGL &) = delete;

  // Life.
  char Create(char windowed, EngInt32 width, EngInt32 height, EngInt32 bit_depth, EngInt32 frequency);
  void Destroy();
  void MiscInitVars();
  char MiscInitGlew();
  void MiscResetVariables();
  void SetDefaultSettings();
  void SetFullViewportSize();
  EngDevice *GetOwner() const { return m_owner; }

  // The context side (platform half).
  void SetupInitVars();
  char SetupCreate(char windowed, EngInt32 width, EngInt32 height, EngInt32 bit_depth, EngInt32 frequency);
  void SetupDestroy();
  void AglSwapBuffers_MAC();
  char UseCurrentContext();

  // Capability.
  void SetMaxTextureSizeForLoadingImages(EngInt32 size) { m_max_texture_size_for_loading = size; }
  void SupportLuminanceOnlyTextures(char on) { m_luminance_supported = on; }
  char AreLuminanceOnlyTexturesSupported() const { return m_luminance_supported; }
  char SetCurrentColourWhite(char check);
  char DrawSpecularHighlightsOnTopOfTexture(char mode);
  EngInt32 GetFullScreenRefreshRate();
  float GetGlVersion() const { return m_gl_version; }
  EngInt32 GetMaxTextureSize() const { return m_max_texture_size; }
  EngInt32 GetMaxTextureSizeForLoadingImages() const { return m_max_texture_size_for_loading; }
  char AreExtensionsNotInitialised() const { return m_extensions_not_initialised; }

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
  _EngDeviceViewport *GetFullScreenViewport() { return &m_full_viewport; }
  _EngDeviceViewport *GetCurrentViewport() { return m_viewport_full_screen ? &m_full_viewport : &m_viewport; }
  void GetCurrentViewport(_EngDeviceViewport *out);
  char IsViewportFullScreen() const { return m_viewport_full_screen; }

  // Projection and camera.
  void SetProjectionMatrixToMatrix(EngMatrix *m);
  void SetProjectionMatrixToCurrent();
  void GetProjectionMatrix(EngMatrix *out);
  EngMatrix *GetProjectionMatrix() { return &m_projection; }
  void GetViewMatrix(EngMatrix *out);
  void GetPerspectiveMatrix(EngMatrix *out);
  void SetPerspectiveFOV(float fov, char update);
  float GetPerspectiveFOV() const { return m_fov; }
  void SetPerspectiveAspect(float aspect, char update);
  float GetPerspectiveAspect() const { return m_aspect; }
  void SetPerspectiveNearAndFarPlanes(float near_z, float far_z, char update);
  void SetPerspectiveAspectRelative(float aspect, char update);
  void UpdatePerspectiveMatrix();
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
  char IsLightingOn() const { return m_lighting_on; }
  void TurnOnLighting();
  void TurnOffLighting();
  char TurnOnLightingIfNeeded();
  char TurnOffLightingIfNeeded();
  void UseDepthBuffer(char on);
  char IsDepthBufferOn() const { return m_depth_in_use && m_depth_on; }
  void TurnOnDepthBuffer();
  void TurnOffDepthBuffer();
  char TurnOffDepthBufferIfNeeded();
  char AreTwoSidedPolygonsOn() const { return m_two_sided; }
  void ShowTwoSidedPolygons(char on);
  char ShowTwoSidedPolygonsIfNeeded(char on);
  void SetPolygonDrawOrder(char order);

  // Transform (model-view).
  void PushPopMatricesAndLighting(char, char) {}
  void PushTransformMatrix();
  void PopTransformMatrix();
  EngInt32 GetTransformPushDepth() const { return m_push_depth; }
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
  void SetTransformMatrixForOrientation(EngInt32 orientation);
  void MultTransformMatrixResetToIdentity();
  void MultTransformMatrixPos(float x, float y, float z);
  void MultTransformMatrixRot(float x, float y, float z);
  void MultTransformMatrixRotX(float angle);
  void MultTransformMatrixRotY(float angle);
  void MultTransformMatrixRotZ(float angle);
  void MultTransformMatrixScale(float x, float y, float z);

  // Frame.
  char IsRenderingOn();
  char BeginRendering();
  void EndRendering();
  char BeginRenderingIfNeeded();
  void SwapBuffers();

  // 2D mode.
  void PrepareFor2D(char lighting_off);
  void PrepareFor2DWithOrientation(char lighting_off);
  void RestoreAfter2D();
  char Is2dPrepared() const { return m_2d_prepared; }
  char PrepareFor2DIfNeeded(char lighting_off);
  char PrepareFor2DWithOrientationIfNeeded(char lighting_off);
  char SaveOrRestoreBlendingLightingAnd2DStates(char save);

  // Blending.
  void EnableBlendingType(EngInt32 type);
  void EnableSpecificBlending(EngInt32 source, EngInt32 destination);
  void DisableBlending();
  char IsBlendingEnabled() const { return m_blending_on; }
  char GetBlendingState(char *on, EngInt32 *source, EngInt32 *destination);
  void SetBlendingState(char on, EngInt32 source, EngInt32 destination);
  char SaveOrRestoreBlendingState(char save);
  void OverwriteBlendingFlags(char on, EngInt32 source, EngInt32 destination);

  // Cropping.
  void CropToAreaRatioed(_Dimension *dim);
  void CropToAreaRatioed(float x, float y, float w, float h);
  void CropToAreaInViewportRatioed(_Dimension *dim);
  void CropToAreaInViewportRatioed(float x, float y, float w, float h);
  void CropToArea(_Dimension *dim);
  void CropToArea(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h);
  char IsCropOn() const { return m_crop_on; }
  void TurnOffCrop();

  // Picking.
  char GetScreenPointInFullScreen(EngInt32 px, EngInt32 py, float value, float *a, float *b);
  char GetScreenPointInCurrentViewport(EngInt32 px, EngInt32 py, float value, float *a, float *b);
  char GetScreenPointInViewportStruct(_EngDeviceViewport *vp, EngInt32 px, EngInt32 py, float value, float *a,
                                      float *b);
  char GetScreenPointInViewportStructXZ(_EngDeviceViewport *vp, EngInt32 px, EngInt32 py, float value, float *a,
                                        float *b);
  char GetScreenPointInViewportStructYZ(_EngDeviceViewport *vp, EngInt32 px, EngInt32 py, float value, float *a,
                                        float *b);
  char Convert3DPointTo2D(const _Vector3d *point, _Vector2d *out, char ratioed);

 private:
  void RebuildProjection();
  void LoadProjection();
  void ApplyGlViewport(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h);
  void EnterTwoD(char lighting_off, char with_orientation);
  // Finds the eye and world-space direction of the line of sight through a pixel.
  char GetLineOfSight(_EngDeviceViewport *vp, EngInt32 px, EngInt32 py, float eye[3], float dir[3]);

  EngDevice *m_owner;
  char m_separate_specular = 0;
  float m_gl_version = 1.0f;
  // The context side's fields.
  void *m_context = nullptr;
  char m_owns_context = 0;
  _EngDeviceViewport m_full_viewport;
  _EngDeviceViewport m_viewport;
  char m_crop_on = 0;
  float m_clear_r = 0, m_clear_g = 0, m_clear_b = 0;
  char m_lighting_was_on_before_2d = 0;
  char m_depth_was_on_before_2d = 0;
  char m_viewport_full_screen = 1;
  float m_fov = 45.0f;
  float m_aspect = 1.0f;
  float m_near = 0.01f;
  float m_far = 100.0f;
  char m_depth_in_use = 1;
  char m_2d_prepared = 0;
  char m_lighting_on = 1;
  char m_depth_on = 1;
  char m_draw_order = 1;
  char m_two_sided = 0;
  char m_rendering = 0;
  EngInt32 m_push_depth = 0;
  EngInt32 m_blend_source = -1;
  EngInt32 m_blend_destination = -1;
  char m_blending_on = 0;
  EngInt32 m_max_texture_size = 256;
  EngInt32 m_max_texture_size_for_loading = 0;
  char m_luminance_supported = 0;
  char m_extensions_not_initialised = 1;
  EngMatrix m_perspective;
  EngMatrix m_view;
  EngMatrix m_projection;
  EngMatrix m_saved_projection;
};

// Need no device: matrices pushed and reset around foreign drawing, and a bare clear.
void EngDeviceGL_SetMatricesToIdentitiyAndPushThem();
void EngDeviceGL_PopMatrices();
void EngDeviceGL_ClearScreenBuffer();

// What the device reads of the window and the screen's orientation. The ratios are worked out
// from eng_main_window_width and eng_main_window_height.
EngInt32 EngDeviceGL_WindowWidth();
EngInt32 EngDeviceGL_WindowHeight();
float EngDeviceGL_WindowXRatio();
float EngDeviceGL_WindowYRatio();
EngInt32 EngDeviceGL_GetOrientation();
EngInt32 EngDeviceGL_GetWindowAntiAliasing();
// Tests turn the screen to check the rotated mappings.
void EngDeviceGL_SetOrientationForTests(EngInt32 orientation);
// Empties the process-wide blending save slots and the once-only message counters.
void EngDeviceGL_ResetForTests();

// Platform half: presents the back buffer of the current context.
void EngDeviceSwapBuffers_MAC();
