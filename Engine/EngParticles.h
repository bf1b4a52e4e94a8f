// A small CPU particle system: a fixed array of particles emitted from an emitter over time,
// moved, coloured, faded, grown and rotated each tick, and drawn as textured quads in x and y.
// The caller owns the parameter block; drawing is the OpenGL half (EngParticles_GL.cpp).
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"

class EngTexture;

// Filled by the caller, copied whole by EngParticles::Create.
struct _EngParticleSystemParms {
  EngInt32 burst_count;         // base number of a burst tick
  EngInt32 count_per_emission;  // base number of an ordinary emission
  EngUInt8 update_mode;         // 0 emit only, 1 move only, 2 move and emit
  EngTexture *texture;          // borrowed, may be null
  EngUInt8 tint;                // 0: drawn white
  EngUInt8 fade_in;
  EngUInt8 blending;  // 0..5
  EngUInt32 emission_rate;   // particles per second
  float emission_interval;   // least seconds between two emissions
  float life_min, life_max;  // seconds
  float last_life;           // receives each new particle's life
  float speed_factor;
  EngUInt8 attract;
  EngInt32 attract_x, attract_y, attract_z;  // non-zero: that axis pulls toward the emitter
  float attraction_min, attraction_max;
  float start_r, start_g, start_b;
  float end_r, end_g, end_b;
  float start2_r, start2_g, start2_b;
  float end2_r, end2_g, end2_b;
  EngInt32 start_colour_range;  // non-zero: drawn between the colour and its second colour
  EngInt32 end_colour_range;
  float start_alpha, end_alpha;
  float start_size, end_size;
  EngUInt8 spread_mode;  // 0..8
  float spread_factor;   // above 0
  float spread_min, spread_max;
  float cone_angle;  // degrees
  float emitter_x, emitter_y, emitter_z;
  // Each range's flag is set by AfterParameterChanges. Rotation speeds in radians per second.
  EngUInt8 speed_active;
  _EngMathRange3Var speed;
  EngUInt8 acceleration_active;
  _EngMathRange3Var acceleration;
  EngUInt8 pos_rotation_active;
  _EngMathRange3Var pos_rotation_speed;
  EngUInt8 quad_rotation_active;
  _EngMathRange3Var quad_rotation_speed;
  EngUInt8 vel_rotation_active;
  _EngMathRange3Var vel_rotation_speed;
  // Types: 1 sine, 2 cosine, 3 tangent, 4 sine squared, 5 minus sine squared, 0 none. Of the
  // speed and amplitude pairs the first is used (radians per second, units).
  EngUInt8 osc_active;
  signed char osc_type_x, osc_type_y, osc_type_z;
  float osc_speed_x[2], osc_speed_y[2], osc_speed_z[2];
  float osc_amplitude_x[2], osc_amplitude_y[2], osc_amplitude_z[2];
  float osc_angle_x, osc_angle_y, osc_angle_z;  // advanced by TickUpdate
  EngUInt8 keep_depth;  // 0: depth testing off while drawing
  EngUInt8 two_sided;
  // Filled by EngParticles_SetParmsSpreadEntries.
  EngUInt32 spread_num_entries;
  _IVector2d *spread_entries;  // borrowed
  EngInt32 spread_min_x, spread_extent_x, spread_min_y, spread_extent_y;
};

struct _EngParticle {
  float prev_x, prev_y, prev_z;
  float x, y, z;
  float vel_x, vel_y, vel_z;
  float acc_x, acc_y, acc_z;
  float speed_x, speed_y, speed_z;
  float r, g, b, a;
  float plain_r, plain_g, plain_b, plain_a;  // white, alpha as the colour's
  float dr, dg, db;                          // per second
  EngUInt8 fading_in;
  float fade_in_time;
  float alpha;
  float alpha_change;  // per second
  float size;
  float size_change;  // per second
  float age;          // -1: the slot is free
  float life;
  float attraction;
  float pos_rot_x, pos_rot_y, pos_rot_z;
  float vel_rot_x, vel_rot_y, vel_rot_z;
  float quad_rot_x, quad_rot_y, quad_rot_z;
};

class EngParticles {
 public:
  EngParticles();
  ~EngParticles();
  EngParticles(const EngParticles &) = delete;
  EngParticles &operator=(const EngParticles &) = delete;

  void ResetVars();
  char Create(int max_particles, _EngParticleSystemParms *parms, char recreate);
  void Destroy(char unused);
  char InitAllParticles();
  void AfterParameterChanges();
  char CreateGraphics();
  void DestroyGraphics() {}

  // Advances to the absolute time t (seconds). -1 not created, 0 moving found no live
  // particle, else 1. A burst tick emits the burst count without moving anything.
  signed char TickUpdate(float t, char burst);
  // 0 without a device or before Create.
  char Render();

  char CreateParticle(float dt, _EngParticle *particle);
  char UpdateParticle(_EngParticle *particle, float dt);

  char IsCreated() const { return m_created; }
  EngInt32 GetMaxParticles() const { return m_max_particles; }
  EngInt32 GetNumLiveParticles() const { return m_num_live; }
  _EngParticle *GetParticles() { return m_particles; }
  _EngParticleSystemParms *GetParms() { return &m_parms; }
  float GetEmissionCarry() const { return m_emission_carry; }

 private:
  char Render_GL();
  void ApplySpread(_EngParticle *particle);

  EngInt32 m_max_particles;
  _EngParticleSystemParms m_parms;
  _EngParticle *m_particles;
  EngUInt8 m_created;
  EngInt32 m_num_live;
  float m_last_update_time;
  float m_last_emission_time;
  float m_emission_carry;
  float m_prev_emitter_x, m_prev_emitter_y, m_prev_emitter_z;
  _Vector3d m_attraction;
};

void EngParticles_SetParmsSpreadEntries(_EngParticleSystemParms *parms, unsigned int count, _IVector2d **entries);

// Starts the once-per-run count of "No spread entries" reports again.
void EngParticlesResetForTests();
