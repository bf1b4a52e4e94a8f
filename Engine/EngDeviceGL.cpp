#include "Engine/EngDeviceGL.h"

#include <GL/glew.h>

#include "Engine/EngDebug.h"
#include "Engine/EngDrawnCopy.h"
#include "Engine/EngLights.h"
#include "Engine/EngMaterials.h"
#include "Engine/EngMath.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTexture.h"
#include "Engine/EngUtilsGL.h"
#include "Engine/EngWindow.h"

EngDeviceGL *eng_main_device_gl = nullptr;

EngInt32 EDEV_BLEND_ZERO = 0;
EngInt32 EDEV_BLEND_ONE = 1;
EngInt32 EDEV_BLEND_SRC_COLOUR = 0;
EngInt32 EDEV_BLEND_INV_SRC_COLOUR = 0;
EngInt32 EDEV_BLEND_SRC_ALPHA = 0;
EngInt32 EDEV_BLEND_INV_SRC_ALPHA = 0;
EngInt32 EDEV_BLEND_DEST_ALPHA = 0;
EngInt32 EDEV_BLEND_INV_DEST_ALPHA = 0;
EngInt32 EDEV_BLEND_DEST_COLOUR = 0;
EngInt32 EDEV_BLEND_INV_DEST_COLOUR = 0;
EngInt32 EDEV_BLEND_SRC_ALPHA_SATURATE = 0;

static char glew_initialised = 0;
static EngInt32 orientation_for_tests = 0;

EngInt32 EngDeviceGL_WindowWidth() { return eng_main_window ? eng_main_window_width : ENG_DESIGN_WIDTH; }
EngInt32 EngDeviceGL_WindowHeight() { return eng_main_window ? eng_main_window_height : ENG_DESIGN_HEIGHT; }
float EngDeviceGL_WindowXRatio() { return (float)EngDeviceGL_WindowWidth() / float(ENG_DESIGN_WIDTH); }
float EngDeviceGL_WindowYRatio() { return (float)EngDeviceGL_WindowHeight() / float(ENG_DESIGN_HEIGHT); }
// The desktop never turns its screen; only tests do.
EngInt32 EngDeviceGL_GetOrientation() { return orientation_for_tests; }
void EngDeviceGL_SetOrientationForTests(EngInt32 orientation) { orientation_for_tests = orientation; }
EngInt32 EngDeviceGL_GetWindowAntiAliasing() { return eng_main_window_aa; }

EngDeviceGL::EngDeviceGL(EngDevice *owner) : m_owner(owner) {
  m_perspective.SetIdentityMatrix();
  m_view.SetIdentityMatrix();
  m_projection.SetIdentityMatrix();
  m_saved_projection.SetIdentityMatrix();
  EngDeviceResetViewportStruct(&m_full_viewport);
  EngDeviceResetViewportStruct(&m_viewport);
  SetupInitVars();
  MiscInitVars();
}

EngDeviceGL::~EngDeviceGL() { Destroy(); }

char EngDeviceGL::Create(char windowed, EngInt32 width, EngInt32 height, EngInt32 bit_depth, EngInt32 frequency) {
  if (!SetupCreate(windowed, width, height, bit_depth, frequency)) return 0;
  SetDefaultSettings();
  return 1;
}

void EngDeviceGL::Destroy() {
  // A new context must receive the blend function whatever was cached.
  m_blend_source = -1;
  m_blend_destination = -1;
  // Names of this context must not outlive it in textures nobody destroyed.
  EngTextureGL_ReleaseAllForDeviceDestroy();
  EngDrawnCopyDeleteGraphics_GL();
  SetupDestroy();
}

void EngDeviceGL::MiscInitVars() {
  EDEV_BLEND_ZERO = GL_ZERO;
  EDEV_BLEND_ONE = GL_ONE;
  EDEV_BLEND_SRC_COLOUR = GL_SRC_COLOR;
  EDEV_BLEND_INV_SRC_COLOUR = GL_ONE_MINUS_SRC_COLOR;
  EDEV_BLEND_SRC_ALPHA = GL_SRC_ALPHA;
  EDEV_BLEND_INV_SRC_ALPHA = GL_ONE_MINUS_SRC_ALPHA;
  EDEV_BLEND_DEST_ALPHA = GL_DST_ALPHA;
  EDEV_BLEND_INV_DEST_ALPHA = GL_ONE_MINUS_DST_ALPHA;
  EDEV_BLEND_DEST_COLOUR = GL_DST_COLOR;
  EDEV_BLEND_INV_DEST_COLOUR = GL_ONE_MINUS_DST_COLOR;
  EDEV_BLEND_SRC_ALPHA_SATURATE = GL_SRC_ALPHA_SATURATE;
  m_clear_r = m_clear_g = m_clear_b = 0.0f;
  m_viewport_full_screen = 1;
  SetFullViewportSize();
  m_fov = 45.0f;
  m_aspect = 1.0f;
  m_near = 0.01f;
  m_far = 100.0f;
  m_depth_in_use = 1;
  m_depth_on = 1;
  m_lighting_on = 1;
  m_draw_order = 1;
  m_two_sided = 0;
  m_rendering = 0;
  m_push_depth = 0;
  m_blend_source = -1;
  m_blend_destination = -1;
  m_blending_on = 0;
  m_max_texture_size = 256;
  m_max_texture_size_for_loading = 0;
  m_luminance_supported = 0;
  m_extensions_not_initialised = 1;
  m_crop_on = 0;
  m_separate_specular = 0;
  m_perspective.SetIdentityMatrix();
  m_view.SetIdentityMatrix();
  m_projection.SetIdentityMatrix();
  m_saved_projection.SetIdentityMatrix();
}

void EngDeviceGL::SetFullViewportSize() {
  EngDeviceSetViewportStructToSize(&m_full_viewport, 0, 0, EngDeviceGL_WindowWidth(), EngDeviceGL_WindowHeight());
  if (m_viewport_full_screen) SetViewportFullScreen();
}

void EngDeviceGL::SetDefaultSettings() {
  if (!eng_gl_3d_setup) return;
  MiscInitGlew();
  MiscResetVariables();
}

char EngDeviceGL::MiscInitGlew() {
  if (!glew_initialised) {
    GLenum err = glewInit();
    if (err != GLEW_OK) {
      DebugErrorAlt(ENG_FUNC, "%s", (const char *)glewGetErrorString(err));
      return 0;
    }
    glew_initialised = 1;
  }
  struct Version {
    GLboolean flag;
    float version;
  };
  const Version versions[] = {{GLEW_VERSION_4_0, 4.0f}, {GLEW_VERSION_3_3, 3.3f}, {GLEW_VERSION_3_2, 3.2f},
                              {GLEW_VERSION_3_1, 3.1f}, {GLEW_VERSION_3_0, 3.0f}, {GLEW_VERSION_2_1, 2.1f},
                              {GLEW_VERSION_2_0, 2.0f}, {GLEW_VERSION_1_5, 1.5f}, {GLEW_VERSION_1_4, 1.4f},
                              {GLEW_VERSION_1_3, 1.3f}, {GLEW_VERSION_1_2, 1.2f}, {GLEW_VERSION_1_1, 1.1f}};
  m_gl_version = 1.0f;
  for (const Version &v : versions) {
    if (v.flag) {
      m_gl_version = v.version;
      break;
    }
  }
  m_extensions_not_initialised = 0;
  return 1;
}

void EngDeviceGL::MiscResetVariables() {
  glShadeModel(GL_SMOOTH);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);

  if (m_lighting_on)
    glEnable(GL_LIGHTING);
  else
    glDisable(GL_LIGHTING);
  EngLightsInit();

  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  if (m_blending_on) {
    EngInt32 source = m_blend_source, destination = m_blend_destination;
    m_blend_source = m_blend_destination = -1;
    EnableSpecificBlending(source, destination);
  } else {
    glDisable(GL_BLEND);
  }

  glEnable(GL_TEXTURE_2D);
  ShowTwoSidedPolygons(m_two_sided);
  SetPolygonDrawOrder(m_draw_order);
  EngMaterialsApplyAdvancedMaterialsSetting();
  EngLightsSetSpecularColourLocalViewpoint_GL(-1);
  DrawSpecularHighlightsOnTopOfTexture((char)255);

  glClearColor(m_clear_r, m_clear_g, m_clear_b, 1.0f);
  glClearDepth(1.0);
  glDepthFunc(GL_LEQUAL);
  UseDepthBuffer(m_depth_in_use);

  SetFullViewportSize();
  SetViewportFullScreen();

  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);

  char aa = EngDeviceGL_GetWindowAntiAliasing() >= 1;
  if (aa)
    glEnable(GL_MULTISAMPLE);
  else
    glDisable(GL_MULTISAMPLE);
  // Mesa's software renderer has no filter hint: asking would only raise a GL error.
  if (GLEW_NV_multisample_filter_hint) glHint(GL_MULTISAMPLE_FILTER_HINT_NV, aa ? GL_NICEST : GL_FASTEST);

  GLint max_size = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
  if (max_size > 0) m_max_texture_size = max_size;
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glDisable(GL_SCISSOR_TEST);
  m_crop_on = 0;

  if (m_2d_prepared) {
    RestoreAfter2D();
    PrepareFor2D(m_lighting_was_on_before_2d);
  } else {
    m_2d_prepared = 0;
  }
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

char EngDeviceGL::SetCurrentColourWhite(char check) {
  if (check) {
    GLfloat c[4] = {0, 0, 0, 0};
    glGetFloatv(GL_CURRENT_COLOR, c);
    if (c[0] == 1.0f && c[1] == 1.0f && c[2] == 1.0f && c[3] == 1.0f) return 0;
    DebugErrorAlt(ENG_FUNC, "Current colour was: [ %f, %f, %f, %f ].", c[0], c[1], c[2], c[3]);
  }
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  return 1;
}

char EngDeviceGL::DrawSpecularHighlightsOnTopOfTexture(char mode) {
  if (m_gl_version < 1.2f && !GLEW_EXT_separate_specular_color) {
    DebugErrorAlt(ENG_FUNC, "Not supported for your GL version %.1f", m_gl_version);
    if (!glewIsSupported("GL_EXT_separate_specular_color"))
      DebugErrorAlt(ENG_FUNC, "Not supported for your GL version %.1f (B)", m_gl_version);
    return 0;
  }
  if (mode >= 0) m_separate_specular = mode;
  glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, m_separate_specular ? GL_SEPARATE_SPECULAR_COLOR : GL_SINGLE_COLOR);
  return 1;
}

EngInt32 EngDeviceGL::GetFullScreenRefreshRate() {
  DebugStandardError(ENG_FUNC, DEBUG_ERR_NOIM);
  return 0;
}

// --- Viewports -------------------------------------------------------------------------------

void EngDeviceGL::ApplyGlViewport(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h) {
  // Top-left origin in, OpenGL's bottom-left out.
  glViewport(x, EngDeviceGL_WindowHeight() - (y + h), w, h);
}

void EngDeviceGL::SetViewportFullScreen() {
  if (!eng_gl_3d_setup) return;
  glViewport(0, 0, EngDeviceGL_WindowWidth(), EngDeviceGL_WindowHeight());
  m_viewport_full_screen = 1;
}

void EngDeviceGL::SetViewportToSize(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h) {
  if (!eng_gl_3d_setup) return;
  m_viewport.x = x;
  m_viewport.y = y;
  m_viewport.width = w;
  m_viewport.height = h;
  ApplyGlViewport(x, y, w, h);
  m_viewport_full_screen = 0;
}

void EngDeviceGL::SetViewportToSize(_Dimension *dim) {
  if (!dim) {
    SetViewportFullScreen();
    return;
  }
  SetViewportToSize((EngInt32)dim->x, (EngInt32)dim->y, (EngInt32)dim->width, (EngInt32)dim->height);
}

void EngDeviceGL::SetViewportToSizeRatioed(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h) {
  _EngDeviceViewport vp;
  EngDeviceSetViewportStructToSizeRatioed(&vp, x, y, w, h);
  SetViewportToSize(vp.x, vp.y, vp.width, vp.height);
}

void EngDeviceGL::SetViewportToSizeRatioed(_Dimension *dim) {
  if (!dim) {
    SetViewportFullScreen();
    return;
  }
  SetViewportToSizeRatioed((EngInt32)dim->x, (EngInt32)dim->y, (EngInt32)dim->width, (EngInt32)dim->height);
}

void EngDeviceGL::SetViewportToSizeWithOrientationRatioed(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h) {
  float rx = EngDeviceGL_WindowXRatio(), ry = EngDeviceGL_WindowYRatio();
  EngInt32 W = EngDeviceGL_WindowWidth(), H = EngDeviceGL_WindowHeight();
  float wx = float(W) / ENG_DESIGN_HEIGHT, hy = float(H) / ENG_DESIGN_WIDTH;
  switch (EngDeviceGL_GetOrientation()) {
    case 0: SetViewportToSizeRatioed(x, y, w, h); break;
    case 1:
      SetViewportToSize(W - (EngMathRound(x * rx) + EngMathRound(w * rx)),
                        H - (EngMathRound(y * ry) + EngMathRound(h * ry)), EngMathRound(w * rx), EngMathRound(h * ry));
      break;
    case 2:
      SetViewportToSize(W - (EngMathRound(y * wx) + EngMathRound(h * wx)), EngMathRound(x * hy), EngMathRound(h * wx),
                        EngMathRound(w * hy));
      break;
    case 3:
      SetViewportToSize(EngMathRound(y * wx), H - (EngMathRound(x * hy) + EngMathRound(w * hy)), EngMathRound(h * wx),
                        EngMathRound(w * hy));
      break;
    default: break;
  }
}

void EngDeviceGL::SetViewportToSizeWithOrientationRatioed(_Dimension *dim) {
  if (!dim) {
    SetViewportFullScreen();
    return;
  }
  SetViewportToSizeWithOrientationRatioed((EngInt32)dim->x, (EngInt32)dim->y, (EngInt32)dim->width,
                                          (EngInt32)dim->height);
}

void EngDeviceGL::SetViewportToViewportStruct(const _EngDeviceViewport *vp) {
  if (!vp) return;
  SetViewportToSize(vp->x, vp->y, vp->width, vp->height);
}

void EngDeviceGL::SetViewportToViewportStructRatioed(const _EngDeviceViewport *vp) {
  if (!vp) return;
  SetViewportToSizeRatioed(vp->x, vp->y, vp->width, vp->height);
}

void EngDeviceGL::SetViewportToViewportStructWithOrientationRatioed(const _EngDeviceViewport *vp) {
  if (!vp) return;
  SetViewportToSizeWithOrientationRatioed(vp->x, vp->y, vp->width, vp->height);
}

void EngDeviceGL::GetCurrentViewport(_EngDeviceViewport *out) {
  if (out) *out = *GetCurrentViewport();
}

// --- Projection and camera -------------------------------------------------------------------

void EngDeviceGL::LoadProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(m_projection.m);
  glMatrixMode(GL_MODELVIEW);
}

void EngDeviceGL::SetProjectionMatrixToMatrix(EngMatrix *m) {
  if (!m) {
    DebugErrorAlt(ENG_FUNC, "No matrix.");
    return;
  }
  m_projection = *m;
  LoadProjection();
}

void EngDeviceGL::SetProjectionMatrixToCurrent() { LoadProjection(); }

void EngDeviceGL::GetProjectionMatrix(EngMatrix *out) {
  if (out) *out = m_projection;
}

void EngDeviceGL::GetViewMatrix(EngMatrix *out) {
  if (out) *out = m_view;
}

void EngDeviceGL::GetPerspectiveMatrix(EngMatrix *out) {
  if (out) *out = m_perspective;
}

void EngDeviceGL::SetPerspectiveFOV(float fov, char update) {
  m_fov = fov;
  if (update) UpdatePerspectiveMatrix();
}

void EngDeviceGL::SetPerspectiveAspect(float aspect, char update) {
  m_aspect = aspect;
  if (update) UpdatePerspectiveMatrix();
}

void EngDeviceGL::SetPerspectiveNearAndFarPlanes(float near_z, float far_z, char update) {
  m_near = near_z;
  m_far = far_z;
  if (update) UpdatePerspectiveMatrix();
}

void EngDeviceGL::SetPerspectiveAspectRelative(float aspect, char) {
  // The desktop layout: wide windows widen the view, narrower ones keep the 1.28 frame.
  EngInt32 h = EngDeviceGL_WindowHeight();
  float window_aspect = h ? (float)EngDeviceGL_WindowWidth() / (float)h : 1.0f;
  float base = window_aspect > 1.28f ? window_aspect : 1.28f;
  SetPerspectiveAspect(base * aspect / 1.28f, 1);
}

void EngDeviceGL::UpdatePerspectiveMatrix() {
  if (m_2d_prepared) DebugErrorAlt(ENG_FUNC, "Warning: 2d is prepared.");
  m_perspective.SetPerspectiveMatrix(m_fov, m_aspect, m_near, m_far);
  RebuildProjection();
}

void EngDeviceGL::RebuildProjection() {
  m_projection = m_perspective;
  m_projection.PreMultiplyByMatrix(&m_view);
  LoadProjection();
}

void EngDeviceGL::SetProjectionMatrixFor2D() {
  if (m_2d_prepared) DebugErrorAlt(ENG_FUNC, "Warning: 2d is prepared.");
  m_projection.SetOrientationMatrix(EngDeviceGL_GetOrientation());
  LoadProjection();
}

void EngDeviceGL::SetupLookAtView(const _Vector3d *eye, const _Vector3d *target) {
  const _Vector3d up = {0.0f, 0.0f, 1.0f};
  SetupLookAtViewAxisUp(eye, target, &up);
}

void EngDeviceGL::SetupLookAtViewInvUp(const _Vector3d *eye, const _Vector3d *target) {
  const _Vector3d up = {0.0f, 0.0f, -1.0f};
  SetupLookAtViewAxisUp(eye, target, &up);
}

void EngDeviceGL::SetupLookAtViewAxisUp(const _Vector3d *eye, const _Vector3d *target, const _Vector3d *up) {
  m_view.SetLookAtMatrix(eye, target, up);
  RebuildProjection();
}

void EngDeviceGL::SetupLookAtViewAxisUpLH(const _Vector3d *eye, const _Vector3d *target, const _Vector3d *up) {
  m_view.SetLookAtMatrixLH(eye, target, up);
  RebuildProjection();
}

void EngDeviceGL::SetupLookAtViewForOrientation(const _Vector3d *eye, const _Vector3d *target, EngInt32 orientation) {
  static const float degrees[] = {0.0f, 180.0f, 270.0f, 90.0f};
  if (orientation < 0 || orientation > 3) DebugErrorAlt(ENG_FUNC, "Unknown orientation %d", orientation);
  if (orientation <= 0 || orientation > 3) {
    SetupLookAtView(eye, target);
    return;
  }
  const _Vector3d up = {0.0f, 0.0f, 1.0f};
  EngMatrix rotation;
  rotation.SetRotateZMatrixDeg(degrees[orientation]);
  m_view.SetLookAtMatrix(eye, target, &up);
  m_projection = m_perspective;
  m_projection.PreMultiplyByMatrix(&rotation);
  m_projection.PreMultiplyByMatrix(&m_view);
  LoadProjection();
}

// --- Clearing --------------------------------------------------------------------------------

void EngDeviceGL::SetClearColour(const _ColourRGB *colour) {
  if (colour)
    SetClearColour(colour->r, colour->g, colour->b);
  else
    SetClearColour(0.0f, 0.0f, 0.0f);
}

void EngDeviceGL::SetClearColour(float r, float g, float b) {
  m_clear_r = r;
  m_clear_g = g;
  m_clear_b = b;
  if (eng_gl_3d_setup) glClearColor(r, g, b, 1.0f);
}

void EngDeviceGL::GetClearColour(_ColourRGB *out) {
  if (!out) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  *out = {m_clear_r, m_clear_g, m_clear_b};
}

void EngDeviceGL::GetClearColour(float *r, float *g, float *b) {
  if (r) *r = m_clear_r;
  if (g) *g = m_clear_g;
  if (b) *b = m_clear_b;
}

void EngDeviceGL::ClearScreen() {
  if (!eng_gl_3d_setup) return;
  glClear(IsDepthBufferOn() ? GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT : GL_COLOR_BUFFER_BIT);
}

void EngDeviceGL::ClearScreenAndDepthBuffers() {
  if (eng_gl_3d_setup) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void EngDeviceGL::ClearScreenBuffer() {
  if (eng_gl_3d_setup) glClear(GL_COLOR_BUFFER_BIT);
}

void EngDeviceGL::ClearDepthBuffer() {
  if (eng_gl_3d_setup) glClear(GL_DEPTH_BUFFER_BIT);
}

void EngDeviceGL::ForceClearDepthBuffer() {
  if (!eng_gl_3d_setup) return;
  EngUtilsGL_ErrorCheck(ENG_FUNC, "Existing Error Before Function Call");
  glClear(GL_DEPTH_BUFFER_BIT);
  EngUtilsGL_ErrorCheck(ENG_FUNC, "Existing Error After Function Call");
}

// --- Lighting, depth and faces ---------------------------------------------------------------

void EngDeviceGL::TurnOnLighting() {
  if (!eng_gl_3d_setup) return;
  glEnable(GL_LIGHTING);
  m_lighting_on = 1;
}

void EngDeviceGL::TurnOffLighting() {
  if (!eng_gl_3d_setup) return;
  glDisable(GL_LIGHTING);
  m_lighting_on = 0;
}

char EngDeviceGL::TurnOnLightingIfNeeded() {
  if (m_lighting_on || !eng_gl_3d_setup) return 0;
  TurnOnLighting();
  return 1;
}

char EngDeviceGL::TurnOffLightingIfNeeded() {
  if (!m_lighting_on || !eng_gl_3d_setup) return 0;
  TurnOffLighting();
  return 1;
}

void EngDeviceGL::UseDepthBuffer(char on) {
  m_depth_in_use = on;
  m_depth_on = on;
  if (!eng_gl_3d_setup) return;
  if (on)
    glEnable(GL_DEPTH_TEST);
  else
    glDisable(GL_DEPTH_TEST);
}

void EngDeviceGL::TurnOnDepthBuffer() {
  if (!m_depth_in_use) return;
  m_depth_on = 1;
  if (eng_gl_3d_setup) glEnable(GL_DEPTH_TEST);
}

void EngDeviceGL::TurnOffDepthBuffer() {
  if (!m_depth_in_use) return;
  m_depth_on = 0;
  m_depth_was_on_before_2d = 0;
  if (eng_gl_3d_setup) glDisable(GL_DEPTH_TEST);
}

char EngDeviceGL::TurnOffDepthBufferIfNeeded() {
  if (!m_depth_in_use || !m_depth_on) return 0;
  TurnOffDepthBuffer();
  return 1;
}

void EngDeviceGL::ShowTwoSidedPolygons(char on) {
  if (!eng_gl_3d_setup) return;
  if (on)
    glDisable(GL_CULL_FACE);
  else
    glEnable(GL_CULL_FACE);
  m_two_sided = on;
}

char EngDeviceGL::ShowTwoSidedPolygonsIfNeeded(char on) {
  if (!eng_gl_3d_setup) return 0;
  char previous = m_two_sided;
  if (previous != on) ShowTwoSidedPolygons(on);
  return previous;
}

void EngDeviceGL::SetPolygonDrawOrder(char order) {
  m_draw_order = order;
  if (eng_gl_3d_setup) glFrontFace(order ? GL_CCW : GL_CW);
}

// --- Frame -----------------------------------------------------------------------------------

char EngDeviceGL::IsRenderingOn() { return eng_gl_3d_setup ? m_rendering : 0; }

char EngDeviceGL::BeginRendering() {
  if (!eng_gl_3d_setup) return 0;
  m_rendering = 1;
  return 1;
}

void EngDeviceGL::EndRendering() {
  if (!eng_gl_3d_setup) return;
  if (!m_rendering) DebugErrorAlt(ENG_FUNC, "Not rendering");
  m_rendering = 0;
}

char EngDeviceGL::BeginRenderingIfNeeded() {
  if (!eng_gl_3d_setup || m_rendering) return 0;
  m_rendering = 1;
  return 1;
}

void EngDeviceGL::SwapBuffers() {
  if (!eng_gl_3d_setup) return;
  AglSwapBuffers_MAC();
}

// --- Plain helpers ---------------------------------------------------------------------------

void EngDeviceGL_SetMatricesToIdentitiyAndPushThem() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

void EngDeviceGL_PopMatrices() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void EngDeviceGL_ClearScreenBuffer() { glClear(GL_COLOR_BUFFER_BIT); }
