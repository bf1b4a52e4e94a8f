#include "Engine/EngParticles.h"

#include <cmath>
#include <cstdlib>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMath.h"
#include "Engine/EngMatrix.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMiscRandom.h"
#include "Engine/EngProgram.h"

static const float PARTICLE_DEG_TO_RAD = ENG_MATH_PI / 180.0f;

// Shared by all systems: a model without its entries would otherwise log every particle.
static EngInt32 particles_no_spread_entries_reports = 0;

void EngParticlesResetForTests() { particles_no_spread_entries_reports = 0; }

static float ClampFloat(float value, float min, float max) {
  if (value < min) return min;
  if (value > max) return max;
  return value;
}

static float OscillationValue(signed char type, float angle) {
  switch (type) {
    case 1:
      return sinf(angle);
    case 2:
      return cosf(angle);
    case 3:
      return tanf(angle);
    case 4:
      return sinf(angle) * sinf(angle);
    case 5:
      return -sinf(angle) * sinf(angle);
    default:
      return 0.0f;
  }
}

static void AdvanceOscillationAngle(signed char type, float speed, float dt, float *angle) {
  if (type <= 0) return;
  *angle += speed * dt;
  if (*angle > ENG_MATH_TWO_PI)
    *angle -= ENG_MATH_TWO_PI;
  else if (*angle < 0.0f)
    *angle += ENG_MATH_TWO_PI;
}

static void RotateXYZ(float *x, float *y, float *z, float rx, float ry, float rz) {
  EngMatrix rotation;
  rotation.SetRotationXYZMatrix(rx, ry, rz);
  _Vector3d v = {*x, *y, *z};
  rotation.TransformVectorByMatrix(&v);
  *x = v.x;
  *y = v.y;
  *z = v.z;
}

EngParticles::EngParticles() : m_particles(nullptr) { ResetVars(); }

EngParticles::~EngParticles() { Destroy(0); }

void EngParticles::ResetVars() {
  m_max_particles = 0;
  m_parms = _EngParticleSystemParms();
  m_particles = nullptr;
  m_created = 0;
  m_num_live = 0;
  m_last_update_time = 0.0f;
  m_last_emission_time = 0.0f;
  m_emission_carry = 0.0f;
  m_prev_emitter_x = m_prev_emitter_y = m_prev_emitter_z = 0.0f;
  m_attraction = _Vector3d{0.0f, 0.0f, 0.0f};
}

char EngParticles::Create(int max_particles, _EngParticleSystemParms *parms, char recreate) {
  if (!parms) {
    DebugErrorAlt(ENG_FUNC, "No parms");
    return 0;
  }
  if (max_particles < 1) {
    DebugErrorAlt(ENG_FUNC, "Bad num max particles [%d]", max_particles);
    return 0;
  }
  if (m_created) {
    if (!recreate) {
      DebugErrorAlt(ENG_FUNC, "System already created");
      return 0;
    }
    Destroy(0);
  }
  m_parms = *parms;
  m_max_particles = max_particles;
  m_prev_emitter_x = m_parms.emitter_x;
  m_prev_emitter_y = m_parms.emitter_y;
  m_prev_emitter_z = m_parms.emitter_z;
  m_particles = (_EngParticle *)EngMalloc(sizeof(_EngParticle) * (size_t)max_particles, ENG_FUNC, 1);
  if (!m_particles) {
    ResetVars();
    return 0;
  }
  m_created = 1;
  InitAllParticles();
  AfterParameterChanges();
  return 1;
}

void EngParticles::Destroy(char) {
  if (m_particles) {
    if (!m_created) DebugErrorAlt(ENG_FUNC, "EngParticles exist, but not created");
    EngFree(m_particles, 0, ENG_FUNC);
  }
  ResetVars();
}

char EngParticles::InitAllParticles() {
  if (!m_created || !m_particles) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  for (EngInt32 i = 0; i < m_max_particles; i++) {
    m_particles[i] = _EngParticle();
    m_particles[i].age = -1.0f;
  }
  m_num_live = 0;
  return 1;
}

void EngParticles::AfterParameterChanges() {
  if (!m_created) return;
  m_parms.speed_active = EngMathCheckIfRange3VarActive(&m_parms.speed);
  m_parms.acceleration_active = EngMathCheckIfRange3VarActive(&m_parms.acceleration);
  m_parms.pos_rotation_active = EngMathCheckIfRange3VarActive(&m_parms.pos_rotation_speed);
  m_parms.quad_rotation_active = EngMathCheckIfRange3VarActive(&m_parms.quad_rotation_speed);
  m_parms.vel_rotation_active = EngMathCheckIfRange3VarActive(&m_parms.vel_rotation_speed);
  m_parms.osc_active = (m_parms.osc_type_x || m_parms.osc_type_y || m_parms.osc_type_z) ? 1 : 0;
}

char EngParticles::CreateGraphics() {
  if (m_max_particles > 0) return 1;
  DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
  return 0;
}

signed char EngParticles::TickUpdate(float t, char burst) {
  if (!m_created) return -1;
  float dt = t - m_last_update_time;
  float base = (float)(burst ? m_parms.burst_count : m_parms.count_per_emission);

  AdvanceOscillationAngle(m_parms.osc_type_x, m_parms.osc_speed_x[0], dt, &m_parms.osc_angle_x);
  AdvanceOscillationAngle(m_parms.osc_type_y, m_parms.osc_speed_y[0], dt, &m_parms.osc_angle_y);
  AdvanceOscillationAngle(m_parms.osc_type_z, m_parms.osc_speed_z[0], dt, &m_parms.osc_angle_z);

  if (!burst) {
    EngUInt8 mode = m_parms.update_mode;
    if (mode == 1 || mode == 2) {
      m_last_update_time = t;
      EngInt32 live = 0;
      for (EngInt32 i = 0; i < m_max_particles; i++) {
        _EngParticle *p = &m_particles[i];
        if (p->age > -1.0f && UpdateParticle(p, dt)) live++;
      }
      m_num_live = live;
      if (live == 0) return 0;
      if (mode == 1) return 1;
    } else if (mode == 0) {
      // Emission counts by the time since the last tick, not since the start.
      m_last_update_time = t;
    } else {
      return 1;
    }
  }

  if (m_last_emission_time > 0.0f && t - m_last_emission_time < m_parms.emission_interval) return 1;
  m_last_emission_time = t;
  float n = base + (float)m_parms.emission_rate * dt + m_emission_carry;
  if (n > (float)m_max_particles) n = (float)m_max_particles;
  EngInt32 whole = (EngInt32)n;
  m_emission_carry = n - (float)whole;
  if (whole > 0) {
    EngInt32 attempts = 0;
    for (EngInt32 i = 0; i < m_max_particles && attempts < whole; i++) {
      _EngParticle *p = &m_particles[i];
      if (p->age > -1.0f) continue;
      attempts++;
      if (CreateParticle(dt, p)) m_num_live++;
    }
  }
  // Moved only after the whole emission, so every particle of this tick is spread along the
  // emitter's path since the last one.
  m_prev_emitter_x = m_parms.emitter_x;
  m_prev_emitter_y = m_parms.emitter_y;
  m_prev_emitter_z = m_parms.emitter_z;
  return 1;
}

void EngParticles::ApplySpread(_EngParticle *p) {
  float a = m_parms.spread_min, b = m_parms.spread_max, f = m_parms.spread_factor;
  switch (m_parms.spread_mode) {
    case 0:
      p->x += EngMiscRandRangeFloat(a, b) / f;
      p->y += EngMiscRandRangeFloat(a, b) / f;
      p->z += EngMiscRandRangeFloat(a, b) / f;
      break;
    case 1:
    case 2: {
      float angle = EngMiscRandFloat(ENG_MATH_TWO_PI);
      float radius = m_parms.spread_mode == 1 ? EngMiscRandFloat((b - a) / f) : (b - a) / f;
      p->x += cosf(angle) * radius;
      p->y += sinf(angle) * radius;
      break;
    }
    case 3:
      switch (rand() % 4) {
        case 0:
          p->x += a / f;
          p->y += EngMiscRandRangeFloat(a, b) / f;
          break;
        case 1:
          p->x += b / f;
          p->y += EngMiscRandRangeFloat(a, b) / f;
          break;
        case 2:
          p->x += EngMiscRandRangeFloat(a, b) / f;
          p->y += a / f;
          break;
        default:
          p->x += EngMiscRandRangeFloat(a, b) / f;
          p->y += b / f;
          break;
      }
      break;
    case 4:
      p->x += EngMiscRandRangeFloat(a, b, 1) / f;
      break;
    case 5:
      p->y += EngMiscRandRangeFloat(a, b, 1) / f;
      break;
    case 6:
      p->x += EngMiscRandRangeFloat(a, b, 1) / f;
      p->z += EngMiscRandRangeFloat(a, b, 1) / f;
      break;
    case 7:
      p->y += EngMiscRandRangeFloat(a, b, 1) / f;
      p->z += EngMiscRandRangeFloat(a, b, 1) / f;
      break;
    case 8:
      if (m_parms.spread_num_entries >= 2 && m_parms.spread_entries && m_parms.spread_extent_x >= 1 &&
          m_parms.spread_extent_y >= 1) {
        const _IVector2d &e = m_parms.spread_entries[(EngUInt32)rand() % m_parms.spread_num_entries];
        p->x += (((float)(e.x - m_parms.spread_min_x) / (float)m_parms.spread_extent_x) * (b - a) + a) / f;
        p->y += (((float)(e.y - m_parms.spread_min_y) / (float)m_parms.spread_extent_y) * (b - a) + a) / f;
      } else if (particles_no_spread_entries_reports < 3) {
        particles_no_spread_entries_reports++;
        DebugErrorAlt(ENG_FUNC, "No spread entries");
      }
      break;
    default:
      break;
  }
}

static void RandomVectorOrZero(EngUInt8 active, _EngMathRange3Var *range, float *x, float *y, float *z) {
  _Vector3d v = {0.0f, 0.0f, 0.0f};
  if (active) EngMathSetVector3dFromRange3Var(&v, range);
  *x = v.x;
  *y = v.y;
  *z = v.z;
}

static float ColourBetween(char ranged, float first, float second) {
  if (!ranged) return first;
  return first <= second ? EngMiscRandRangeFloat(first, second) : EngMiscRandRangeFloat(second, first);
}

char EngParticles::CreateParticle(float dt, _EngParticle *p) {
  if (!p) {
    DebugErrorAlt(ENG_FUNC, "No EngParticle");
    return 0;
  }
  if (!m_created) {
    DebugErrorAlt(ENG_FUNC, "Bad Parent");
    return 0;
  }
  if (m_parms.spread_factor <= 0.0f) {
    DebugErrorAlt(ENG_FUNC, "Parent spread factor <= 0");
    return 0;
  }
  if (dt <= 0.0f) {
    DebugErrorAlt(ENG_FUNC, "time counter<= 0");
    return 0;
  }
  _EngParticleSystemParms &s = m_parms;
  p->age = 0.0f;
  p->life = ClampFloat(EngMiscRandRangeFloat(s.life_min, s.life_max), 0.001f, 10000.0f);
  s.last_life = p->life;

  RandomVectorOrZero(s.acceleration_active, &s.acceleration, &p->acc_x, &p->acc_y, &p->acc_z);
  RandomVectorOrZero(s.speed_active, &s.speed, &p->speed_x, &p->speed_y, &p->speed_z);
  RandomVectorOrZero(s.pos_rotation_active, &s.pos_rotation_speed, &p->pos_rot_x, &p->pos_rot_y, &p->pos_rot_z);
  RandomVectorOrZero(s.vel_rotation_active, &s.vel_rotation_speed, &p->vel_rot_x, &p->vel_rot_y, &p->vel_rot_z);
  RandomVectorOrZero(s.quad_rotation_active, &s.quad_rotation_speed, &p->quad_rot_x, &p->quad_rot_y,
                     &p->quad_rot_z);

  char start_ranged = s.start_colour_range ? 1 : 0, end_ranged = s.end_colour_range ? 1 : 0;
  float start[3] = {ColourBetween(start_ranged, s.start_r, s.start2_r),
                    ColourBetween(start_ranged, s.start_g, s.start2_g),
                    ColourBetween(start_ranged, s.start_b, s.start2_b)};
  float end[3] = {ColourBetween(end_ranged, s.end_r, s.end2_r), ColourBetween(end_ranged, s.end_g, s.end2_g),
                  ColourBetween(end_ranged, s.end_b, s.end2_b)};
  for (float &c : start) c = ClampFloat(c, 0.0f, 1.0f);
  p->r = start[0];
  p->g = start[1];
  p->b = start[2];
  p->a = 1.0f;
  p->plain_r = p->plain_g = p->plain_b = p->plain_a = 1.0f;
  p->dr = (end[0] - start[0]) / p->life;
  p->dg = (end[1] - start[1]) / p->life;
  p->db = (end[2] - start[2]) / p->life;

  p->alpha = ClampFloat(s.start_alpha, 0.0f, 1.0f);
  p->alpha_change = (s.end_alpha - p->alpha) / p->life;
  p->size = ClampFloat(s.start_size, 0.0001f, 10000.0f);
  p->size_change = (s.end_size - p->size) / p->life;

  p->x = m_prev_emitter_x + (s.emitter_x - m_prev_emitter_x) / dt * EngMiscRandFloat(dt);
  p->y = m_prev_emitter_y + (s.emitter_y - m_prev_emitter_y) / dt * EngMiscRandFloat(dt);
  p->z = m_prev_emitter_z + (s.emitter_z - m_prev_emitter_z) / dt * EngMiscRandFloat(dt);
  ApplySpread(p);
  p->prev_x = p->x;
  p->prev_y = p->y;
  p->prev_z = p->z;

  float u = EngMiscRandFloat(ENG_MATH_TWO_PI);
  float v = EngMiscRandFloat(s.cone_angle) * PARTICLE_DEG_TO_RAD;
  float factor = ClampFloat(s.speed_factor, 0.001f, 10000.0f);
  p->vel_x = p->speed_x * cosf(v) * factor;
  p->vel_y = p->speed_y * cosf(u) * sinf(v) * factor;
  p->vel_z = p->speed_z * sinf(v) * sinf(u) * factor;

  p->attraction = EngMiscRandRangeFloat(s.attraction_min, s.attraction_max);

  if (s.osc_active) {
    p->x += s.osc_amplitude_x[0] * OscillationValue(s.osc_type_x, s.osc_angle_x);
    p->y += s.osc_amplitude_y[0] * OscillationValue(s.osc_type_y, s.osc_angle_y);
    p->z += s.osc_amplitude_z[0] * OscillationValue(s.osc_type_z, s.osc_angle_z);
  }
  p->fading_in = s.fade_in;
  p->fade_in_time = 0.0f;
  return 1;
}

char EngParticles::UpdateParticle(_EngParticle *p, float dt) {
  if (!m_created || !p) {
    DebugErrorAlt(ENG_FUNC, "Bad Parent");
    return 0;
  }
  p->age += dt;
  if (p->age >= p->life) {
    p->age = -1.0f;
    return 0;
  }
  p->prev_x = p->x;
  p->prev_y = p->y;
  p->prev_z = p->z;
  p->x += p->vel_x * dt;
  p->y += p->vel_y * dt;
  p->z += p->vel_z * dt;
  p->vel_x += p->acc_x * dt;
  p->vel_y += p->acc_y * dt;
  p->vel_z += p->acc_z * dt;

  if (m_parms.attract) {
    m_attraction.x = m_parms.attract_x ? m_parms.emitter_x - p->x : 0.0f;
    m_attraction.y = m_parms.attract_y ? m_parms.emitter_y - p->y : 0.0f;
    m_attraction.z = m_parms.attract_z ? m_parms.emitter_z - p->z : 0.0f;
    EngMathUnifyNormal(&m_attraction);
    p->vel_x += m_attraction.x * p->attraction * dt;
    p->vel_y += m_attraction.y * p->attraction * dt;
    p->vel_z += m_attraction.z * p->attraction * dt;
  }
  if (m_parms.pos_rotation_active)
    RotateXYZ(&p->x, &p->y, &p->z, p->pos_rot_x * dt, p->pos_rot_y * dt, p->pos_rot_z * dt);
  if (m_parms.vel_rotation_active)
    RotateXYZ(&p->vel_x, &p->vel_y, &p->vel_z, p->vel_rot_x * dt, p->vel_rot_y * dt, p->vel_rot_z * dt);

  p->r += p->dr * dt;
  p->g += p->dg * dt;
  p->b += p->db * dt;
  p->size += p->size_change * dt;

  if (!p->fading_in) {
    p->alpha += p->alpha_change * dt;
  } else {
    p->fade_in_time += dt;
    p->alpha = p->fade_in_time;
    if (p->fade_in_time >= m_parms.start_alpha) {
      p->fading_in = 0;
      p->alpha_change = (m_parms.end_alpha - p->alpha) / (p->life - p->age);
    }
  }
  p->a = p->alpha;
  p->plain_a = p->alpha;
  if (p->r < 0.0f) p->r = 0.0f;
  if (p->g < 0.0f) p->g = 0.0f;
  if (p->b < 0.0f) p->b = 0.0f;
  return 1;
}

char EngParticles::Render() {
  if (eng_main_device_type != ENG_DEVICE_TYPE_OPENGL || !eng_main_device || !m_created) return 0;
  return Render_GL();
}

void EngParticles_SetParmsSpreadEntries(_EngParticleSystemParms *parms, unsigned int count, _IVector2d **entries) {
  if (!parms) return;
  if (count == 0 || !entries || !*entries) {
    parms->spread_num_entries = 0;
    parms->spread_entries = nullptr;
    return;
  }
  parms->spread_num_entries = count;
  parms->spread_entries = *entries;
  EngInt32 min_x = 10000, max_x = -10000, min_y = 10000, max_y = -10000;
  for (unsigned int i = 0; i < count; i++) {
    const _IVector2d &e = (*entries)[i];
    if (e.x < min_x) min_x = e.x;
    if (e.x > max_x) max_x = e.x;
    if (e.y < min_y) min_y = e.y;
    if (e.y > max_y) max_y = e.y;
  }
  parms->spread_min_x = min_x;
  parms->spread_extent_x = max_x - min_x;
  parms->spread_min_y = min_y;
  parms->spread_extent_y = max_y - min_y;
}
