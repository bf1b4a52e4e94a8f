#include <GL/glew.h>

#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMatrix.h"
#include "Engine/EngParticles.h"
#include "Engine/EngTexture.h"

static void BindParticleTexture_GL(EngTexture *texture) {
  if (texture) texture->BindTexture_GL();
}

static void UnbindParticleTexture_GL(EngTexture *texture) {
  if (texture) texture->UnbindTexture_GL();
}

// Source and destination factors of blending choices 0 to 5.
static void EnableParticleBlending(EngDevice *device, EngUInt8 choice) {
  switch (choice) {
    case 0:
      device->EnableSpecificBlending(EDEV_BLEND_SRC_ALPHA, EDEV_BLEND_ONE);
      break;
    case 1:
      device->EnableSpecificBlending(EDEV_BLEND_DEST_COLOUR, EDEV_BLEND_ONE);
      break;
    case 2:
      device->EnableSpecificBlending(EDEV_BLEND_INV_DEST_COLOUR, EDEV_BLEND_SRC_COLOUR);
      break;
    case 3:
      device->EnableSpecificBlending(EDEV_BLEND_ZERO, EDEV_BLEND_INV_SRC_COLOUR);
      break;
    case 4:
      device->EnableSpecificBlending(EDEV_BLEND_SRC_ALPHA, EDEV_BLEND_INV_SRC_ALPHA);
      break;
    case 5:
      device->EnableSpecificBlending(EDEV_BLEND_SRC_ALPHA_SATURATE, EDEV_BLEND_INV_SRC_ALPHA);
      break;
    default:
      // The device reports the unknown type and keeps its factors.
      device->EnableBlendingType(99);
      break;
  }
}

char EngParticles::Render_GL() {
  EngDevice *device = eng_main_device;
  if (!device || !m_created || !m_particles) return 0;
  char depth_switched_off = 0;
  if (!m_parms.keep_depth) depth_switched_off = device->TurnOffDepthBufferIfNeeded();
  char lighting_switched_off = device->TurnOffLightingIfNeeded();
  char two_sided_before = device->AreTwoSidedPolygonsOn();
  if ((two_sided_before ? 1 : 0) != (m_parms.two_sided ? 1 : 0)) device->ShowTwoSidedPolygons(m_parms.two_sided);
  EnableParticleBlending(device, m_parms.blending);

  if (eng_gl_3d_setup) {
    GLfloat corners[12];
    static const GLfloat TEX_COORDS[8] = {0.0f, 0.0f, 0.0f, 0.99f, 1.0f, 0.0f, 1.0f, 0.99f};
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, corners);
    glTexCoordPointer(2, GL_FLOAT, 0, TEX_COORDS);
    BindParticleTexture_GL(m_parms.texture);
    for (EngInt32 i = 0; i < m_max_particles; i++) {
      _EngParticle *p = &m_particles[i];
      float drawn_alpha = p->fading_in ? p->fade_in_time : p->alpha;
      p->a = drawn_alpha;
      p->plain_a = drawn_alpha;
      if (p->age < 0.0f) continue;
      float r, g, b;
      if (m_parms.blending == 1) {
        r = p->r * p->a;
        g = p->g * p->a;
        b = p->b * p->a;
      } else if (m_parms.tint) {
        r = p->r;
        g = p->g;
        b = p->b;
      } else {
        r = p->plain_r;
        g = p->plain_g;
        b = p->plain_b;
      }
      glColor4f(r, g, b, drawn_alpha);
      float h = p->size * 0.5f;
      const float offsets[4][2] = {{-h, h}, {-h, -h}, {h, h}, {h, -h}};
      EngMatrix rotation;
      if (m_parms.quad_rotation_active)
        rotation.SetRotationXYZMatrix(p->quad_rot_x * p->age, p->quad_rot_y * p->age, p->quad_rot_z * p->age);
      for (int c = 0; c < 4; c++) {
        _Vector3d v = {offsets[c][0], offsets[c][1], 0.0f};
        if (m_parms.quad_rotation_active) rotation.TransformVectorByMatrix(&v);
        corners[c * 3 + 0] = p->x + v.x;
        corners[c * 3 + 1] = p->y + v.y;
        corners[c * 3 + 2] = p->z + v.z;
      }
      glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    }
    UnbindParticleTexture_GL(m_parms.texture);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  }

  if ((two_sided_before ? 1 : 0) != (m_parms.two_sided ? 1 : 0)) device->ShowTwoSidedPolygons(two_sided_before);
  device->DisableBlending();
  if (depth_switched_off) device->TurnOnDepthBuffer();
  if (lighting_switched_off) device->TurnOnLighting();
  return 1;
}
