// 2D mode, blending, cropping and picking of the OpenGL back end.
#include <GL/glew.h>

#include <algorithm>

#include "Engine/EngDebug.h"
#include "Engine/EngDeviceGL.h"
#include "Engine/EngMath.h"

// The save slots belong to the process, not to a back end: they outlive a re-creation.
struct BlendingSlot {
  char saved, on;
  EngInt32 source, destination;
};
struct BlendingLighting2DSlot {
  char saved, on;
  EngInt32 source, destination;
  char lighting_on, prepared_2d;
};
static BlendingSlot blending_slot = {0, 0, 0, 0};
static BlendingLighting2DSlot blending_lighting_2d_slot = {0, 0, 0, 0, 0, 0};
static EngInt32 rotated_viewport_reports = 0;
static EngInt32 untested_viewport_reports = 0;

void EngDeviceGL_ResetForTests() {
  blending_slot = {0, 0, 0, 0};
  blending_lighting_2d_slot = {0, 0, 0, 0, 0, 0};
  rotated_viewport_reports = 0;
  untested_viewport_reports = 0;
  EngDeviceGL_SetOrientationForTests(0);
}

// --- 2D mode ---------------------------------------------------------------------------------

void EngDeviceGL::EnterTwoD(char lighting_off, char with_orientation) {
  if (lighting_off && m_lighting_on) {
    glDisable(GL_LIGHTING);
    m_lighting_on = 0;
    m_lighting_was_on_before_2d = 1;
  }
  if (m_depth_in_use && m_depth_on) {
    glDisable(GL_DEPTH_TEST);
    m_depth_on = 0;
    m_depth_was_on_before_2d = 1;
  } else {
    m_depth_was_on_before_2d = 0;
  }
  m_saved_projection = m_projection;
  if (with_orientation)
    m_projection.SetOrientationMatrix(EngDeviceGL_GetOrientation());
  else
    m_projection.SetIdentityMatrix();
  LoadProjection();
  glPushMatrix();
  glLoadIdentity();
  m_2d_prepared = 1;
}

void EngDeviceGL::PrepareFor2D(char lighting_off) {
  if (!eng_gl_3d_setup) return;
  if (m_2d_prepared) {
    DebugErrorAlt(ENG_FUNC, "Already prepared");
    return;
  }
  EnterTwoD(lighting_off, 0);
}

void EngDeviceGL::PrepareFor2DWithOrientation(char lighting_off) {
  if (!eng_gl_3d_setup) return;
  if (m_2d_prepared) {
    DebugErrorAlt(ENG_FUNC, "Already prepared");
    return;
  }
  EnterTwoD(lighting_off, 1);
}

void EngDeviceGL::RestoreAfter2D() {
  if (!eng_gl_3d_setup) {
    m_2d_prepared = 0;
    return;
  }
  if (!m_2d_prepared) {
    DebugErrorAlt(ENG_FUNC, "Not prepared");
    return;
  }
  glPopMatrix();
  m_projection = m_saved_projection;
  LoadProjection();
  if (m_lighting_was_on_before_2d) {
    glEnable(GL_LIGHTING);
    m_lighting_on = 1;
  }
  if (m_depth_was_on_before_2d && m_depth_in_use) {
    glEnable(GL_DEPTH_TEST);
    m_depth_on = 1;
  }
  m_lighting_was_on_before_2d = 0;
  m_depth_was_on_before_2d = 0;
  m_2d_prepared = 0;
}

char EngDeviceGL::PrepareFor2DIfNeeded(char lighting_off) {
  if (!eng_gl_3d_setup || m_2d_prepared) return 0;
  EnterTwoD(lighting_off, 0);
  return 1;
}

char EngDeviceGL::PrepareFor2DWithOrientationIfNeeded(char lighting_off) {
  if (!eng_gl_3d_setup || m_2d_prepared) return 0;
  EnterTwoD(lighting_off, 1);
  return 1;
}

char EngDeviceGL::SaveOrRestoreBlendingLightingAnd2DStates(char save) {
  BlendingLighting2DSlot &slot = blending_lighting_2d_slot;
  if (save) {
    if (slot.saved) {
      DebugErrorAlt(ENG_FUNC, "Already saved");
      return 0;
    }
    slot = {1, m_blending_on, m_blend_source, m_blend_destination, m_lighting_on, m_2d_prepared};
    return 1;
  }
  if (!slot.saved) {
    DebugErrorAlt(ENG_FUNC, "Not saved");
    return 0;
  }
  SetBlendingState(slot.on, slot.source, slot.destination);
  if (slot.prepared_2d && !m_2d_prepared && eng_gl_3d_setup)
    PrepareFor2D(0);
  else if (!slot.prepared_2d && m_2d_prepared)
    RestoreAfter2D();
  if (slot.lighting_on != m_lighting_on) {
    if (slot.lighting_on)
      TurnOnLighting();
    else
      TurnOffLighting();
  }
  slot.saved = 0;
  return 1;
}

// --- Blending --------------------------------------------------------------------------------

void EngDeviceGL::EnableBlendingType(EngInt32 type) {
  static const GLenum pairs[19][2] = {
      {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
      {GL_SRC_ALPHA, GL_SRC_ALPHA},
      {GL_SRC_ALPHA, GL_DST_COLOR},
      {GL_ONE, GL_SRC_ALPHA},
      {GL_SRC_COLOR, GL_SRC_ALPHA},
      {GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR},
      {GL_ONE_MINUS_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR},
      {GL_ONE, GL_ONE_MINUS_SRC_ALPHA},
      {GL_SRC_ALPHA, GL_ONE},
      {GL_SRC_COLOR, GL_ONE_MINUS_SRC_ALPHA},
      {GL_ONE, GL_ONE},
      {GL_ONE_MINUS_SRC_ALPHA, GL_ONE},
      {GL_ONE_MINUS_SRC_COLOR, GL_ONE},
      {GL_DST_COLOR, GL_ZERO},
      {GL_ZERO, GL_ONE_MINUS_SRC_COLOR},
      {GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA},
      {GL_SRC_COLOR, GL_ONE},
      {GL_ONE, GL_ONE_MINUS_SRC_COLOR},
      {GL_DST_COLOR, GL_ONE},
  };
  if (!eng_gl_3d_setup) return;
  if (type < 0 || type > 18) {
    DebugErrorAlt(ENG_FUNC, "Invalid Type %d", type);
    return;
  }
  EnableSpecificBlending((EngInt32)pairs[type][0], (EngInt32)pairs[type][1]);
}

void EngDeviceGL::EnableSpecificBlending(EngInt32 source, EngInt32 destination) {
  if (!eng_gl_3d_setup) return;
  if (source != m_blend_source || destination != m_blend_destination) {
    m_blend_source = source;
    m_blend_destination = destination;
    glBlendFunc((GLenum)source, (GLenum)destination);
  }
  if (!m_blending_on) {
    glEnable(GL_BLEND);
    m_blending_on = 1;
  }
}

void EngDeviceGL::DisableBlending() {
  if (!m_blending_on) return;
  if (eng_gl_3d_setup) glDisable(GL_BLEND);
  m_blending_on = 0;
}

char EngDeviceGL::GetBlendingState(char *on, EngInt32 *source, EngInt32 *destination) {
  if (on) *on = m_blending_on;
  if (source) *source = m_blend_source;
  if (destination) *destination = m_blend_destination;
  return m_blending_on;
}

void EngDeviceGL::SetBlendingState(char on, EngInt32 source, EngInt32 destination) {
  if (on)
    EnableSpecificBlending(source, destination);
  else
    DisableBlending();
}

char EngDeviceGL::SaveOrRestoreBlendingState(char save) {
  if (save) {
    if (blending_slot.saved) {
      DebugErrorAlt(ENG_FUNC, "Already saved");
      return 0;
    }
    blending_slot = {1, m_blending_on, m_blend_source, m_blend_destination};
    return 1;
  }
  if (!blending_slot.saved) {
    DebugErrorAlt(ENG_FUNC, "Not saved");
    return 0;
  }
  SetBlendingState(blending_slot.on, blending_slot.source, blending_slot.destination);
  blending_slot.saved = 0;
  return 1;
}

void EngDeviceGL::OverwriteBlendingFlags(char on, EngInt32 source, EngInt32 destination) {
  m_blending_on = on;
  m_blend_source = source;
  m_blend_destination = destination;
}

// --- Cropping --------------------------------------------------------------------------------

static void Scissor(EngInt32 left, EngInt32 bottom, EngInt32 w, EngInt32 h) {
  glScissor(left, bottom, w, h);
  glEnable(GL_SCISSOR_TEST);
}

void EngDeviceGL::CropToArea(EngInt32 x, EngInt32 y, EngInt32 w, EngInt32 h) {
  if (!eng_gl_3d_setup) return;
  Scissor(x, EngDeviceGL_WindowHeight() - (y + h), w, h);
  m_crop_on = 1;
}

void EngDeviceGL::CropToArea(_Dimension *dim) {
  if (!dim || !eng_gl_3d_setup) return;
  Scissor((EngInt32)dim->x, (EngInt32)(EngDeviceGL_WindowHeight() - dim->y - dim->height), (EngInt32)dim->width,
          (EngInt32)dim->height);
  m_crop_on = 1;
}

void EngDeviceGL::CropToAreaRatioed(_Dimension *dim) {
  if (dim) CropToAreaRatioed(dim->x, dim->y, dim->width, dim->height);
}

void EngDeviceGL::CropToAreaRatioed(float x, float y, float w, float h) {
  if (!eng_gl_3d_setup) return;
  EngInt32 W = EngDeviceGL_WindowWidth(), H = EngDeviceGL_WindowHeight();
  float bx = 0, by = 0, bw = (float)W, bh = (float)H;
  if (!m_viewport_full_screen) {
    bx = (float)m_viewport.x;
    by = (float)m_viewport.y;
    bw = (float)m_viewport.width;
    bh = (float)m_viewport.height;
  }
  EngInt32 o = EngDeviceGL_GetOrientation();
  if (o > 3 || o < 0) {
    DebugErrorAlt(ENG_FUNC, "Not implemented for orientation");
    return;
  }
  if (o == 0) {
    float sx = bw / ENG_DESIGN_WIDTH, sy = bh / ENG_DESIGN_HEIGHT;
    Scissor(EngMathRound(bx + x * sx), EngMathRound(H - (by + y * sy) - h * sy), EngMathRound(w * sx),
            EngMathRound(h * sy));
    m_crop_on = 1;
    return;
  }
  float offset = o == 1 ? bx : by;
  if (offset != 0.0f && rotated_viewport_reports < 100) {
    rotated_viewport_reports++;
    DebugErrorAlt(ENG_FUNC, "Not finished for viewports in orientations [%d, %.0f, %.0f]", o, bx, by);
  }
  // The rotated mappings are worked out over the whole window; a viewport's offset is not applied.
  float Wf = (float)W, Hf = (float)H;
  if (o == 1)
    Scissor(EngMathRound(Wf - (x + w) * Wf / ENG_DESIGN_WIDTH), EngMathRound(y * Hf / ENG_DESIGN_HEIGHT),
            EngMathRound(w * Wf / ENG_DESIGN_WIDTH), EngMathRound(h * Hf / ENG_DESIGN_HEIGHT));
  else if (o == 2)
    Scissor(EngMathRound(Wf - (y + h) * Wf / ENG_DESIGN_HEIGHT), EngMathRound(Hf - (x + w) * Hf / ENG_DESIGN_WIDTH),
            EngMathRound(h * Wf / ENG_DESIGN_HEIGHT), EngMathRound(w * Hf / ENG_DESIGN_WIDTH));
  else
    Scissor(EngMathRound(y * Wf / ENG_DESIGN_HEIGHT), EngMathRound(x * Hf / ENG_DESIGN_WIDTH),
            EngMathRound(h * Wf / ENG_DESIGN_HEIGHT), EngMathRound(w * Hf / ENG_DESIGN_WIDTH));
  m_crop_on = 1;
}

void EngDeviceGL::CropToAreaInViewportRatioed(_Dimension *dim) {
  if (dim) CropToAreaInViewportRatioed(dim->x, dim->y, dim->width, dim->height);
}

void EngDeviceGL::CropToAreaInViewportRatioed(float x, float y, float w, float h) {
  if (!eng_gl_3d_setup) return;
  if (m_viewport_full_screen) {
    CropToAreaRatioed(x, y, w, h);
    return;
  }
  float vx = (float)m_viewport.x, vy = (float)m_viewport.y;
  float vw = (float)m_viewport.width, vh = (float)m_viewport.height;
  float left = vx + x * vw / ENG_DESIGN_WIDTH, top = vy + y * vh / ENG_DESIGN_HEIGHT;
  float width = w * vw / ENG_DESIGN_WIDTH, height = h * vh / ENG_DESIGN_HEIGHT;
  Scissor((EngInt32)left, (EngInt32)(EngDeviceGL_WindowHeight() - top - height), (EngInt32)width, (EngInt32)height);
  m_crop_on = 1;
}

void EngDeviceGL::TurnOffCrop() {
  if (!eng_gl_3d_setup) return;
  m_crop_on = 0;
  glDisable(GL_SCISSOR_TEST);
}

// --- Picking ---------------------------------------------------------------------------------

char EngDeviceGL::GetLineOfSight(_EngDeviceViewport *vp, EngInt32 px, EngInt32 py, float eye[3], float dir[3]) {
  float width, height;
  if (vp) {
    px -= vp->x;
    py -= vp->y;
    width = (float)vp->width;
    height = (float)vp->height;
  } else {
    width = (float)EngDeviceGL_WindowWidth();
    height = (float)EngDeviceGL_WindowHeight();
  }
  if (width < 1.0f || height < 1.0f) return 0;
  float p00 = m_perspective.m[0], p11 = m_perspective.m[5];
  if (p00 == 0.0f || p11 == 0.0f) return 0;
  float dx = (1.0f - 2.0f * px / width) / p00;
  float dy = (2.0f * py / height - 1.0f) / p11;
  EngMatrix inv;
  char ok = 1;
  m_view.GetInverseMatrix(&inv, &ok);
  const float *m = inv.m;
  eye[0] = m[12];
  eye[1] = m[13];
  eye[2] = m[14];
  dir[0] = m[0] * dx + m[4] * dy + m[8];
  dir[1] = m[1] * dx + m[5] * dy + m[9];
  dir[2] = m[2] * dx + m[6] * dy + m[10];
  return 1;
}

char EngDeviceGL::GetScreenPointInViewportStruct(_EngDeviceViewport *vp, EngInt32 px, EngInt32 py, float value,
                                                 float *a, float *b) {
  float eye[3], dir[3];
  if (!GetLineOfSight(vp, px, py, eye, dir) || dir[2] == 0.0f) return 0;
  float t = (value - eye[2]) / dir[2];
  if (a) *a = eye[0] + t * dir[0];
  if (b) *b = eye[1] + t * dir[1];
  return 1;
}

static char PixelInViewport(const _EngDeviceViewport *vp, EngInt32 px, EngInt32 py) {
  if (!vp) return 1;
  return px >= vp->x && px <= vp->x + vp->width && py >= vp->y && py <= vp->y + vp->height;
}

char EngDeviceGL::GetScreenPointInViewportStructXZ(_EngDeviceViewport *vp, EngInt32 px, EngInt32 py, float value,
                                                   float *a, float *b) {
  float eye[3], dir[3];
  if (!PixelInViewport(vp, px, py)) return 0;
  if (!GetLineOfSight(vp, px, py, eye, dir) || dir[1] == 0.0f) return 0;
  float t = (value - eye[1]) / dir[1];
  if (a) *a = eye[0] + t * dir[0];
  if (b) *b = eye[2] + t * dir[2];
  return 1;
}

char EngDeviceGL::GetScreenPointInViewportStructYZ(_EngDeviceViewport *vp, EngInt32 px, EngInt32 py, float value,
                                                   float *a, float *b) {
  float eye[3], dir[3];
  if (!PixelInViewport(vp, px, py)) return 0;
  if (!GetLineOfSight(vp, px, py, eye, dir) || dir[0] == 0.0f) return 0;
  float t = (value - eye[0]) / dir[0];
  if (a) *a = eye[1] + t * dir[1];
  if (b) *b = eye[2] + t * dir[2];
  return 1;
}

char EngDeviceGL::GetScreenPointInFullScreen(EngInt32 px, EngInt32 py, float value, float *a, float *b) {
  return GetScreenPointInViewportStruct(nullptr, px, py, value, a, b);
}

char EngDeviceGL::GetScreenPointInCurrentViewport(EngInt32 px, EngInt32 py, float value, float *a, float *b) {
  if (m_viewport_full_screen) return GetScreenPointInViewportStruct(nullptr, px, py, value, a, b);
  if (untested_viewport_reports < 5) {
    untested_viewport_reports++;
    DebugErrorAlt(ENG_FUNC, "Not tested");
  }
  return GetScreenPointInViewportStruct(&m_viewport, px, py, value, a, b);
}

char EngDeviceGL::Convert3DPointTo2D(const _Vector3d *point, _Vector2d *out, char ratioed) {
  if (!point || !out) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return 0;
  }
  EngMatrix m = m_view;
  m.MultiplyByMatrix(&m_perspective);
  _Vector3d v;
  m.TransformVectorByMatrix2(point, &v);
  const float W = (float)EngDeviceGL_WindowWidth(), H = (float)EngDeviceGL_WindowHeight();
  out->x = v.x * W / 2.0f + W / 2.0f;
  out->y = H / 2.0f - v.y * H / 2.0f;
  if (ratioed) {
    out->x *= ENG_DESIGN_WIDTH / W;
    out->y *= ENG_DESIGN_HEIGHT / H;
  }
  return 1;
}
