// Random numbers of a chosen range and resolution from rand() (seeded once by the program
// object, never here), and the per-frame tweening helpers: steps toward targets, bounces,
// throbs, random wandering and fade cycles. The caller owns every variable they change.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"

// A randomly wandering value; set up by EngMiscSetupChangeVarFloat.
struct _EngMiscChangeVarFloat2 {
  char setup;
  double min_wait, max_wait;
  float min_value, max_value;
  char random_sign;
  float angle;  // 0 or 1
  float max_angle_step;
  float min_speed, max_speed;
  float value;
  char moving;
  double next_move_time;  // engine clock; 0 = not scheduled
  float speed;
  float target;
};

// A rise-hold-fall-hold fade cycle; state 0 (re)starts it.
struct _EngMiscBlendVar {
  float speed_mult;  // 0 or below counts as 1
  float start_value;
  float min_value;
  float max_value;
  float rise_rate, fall_rate;
  double wait_before_rise, wait_at_top, wait_at_bottom;
  signed char state;
  double next_time;
  float value;
};

float EngMiscRandFloat(float max, char random_sign = 0);
float EngMiscRandDouble(double max, char random_sign = 0);
int EngMiscRandSign();
char EngMiscRandChance(int n);
char EngMiscRand1InN(int n);
float EngMiscRandRangeFloat(float min, float max, char random_sign = 0);
double EngMiscRandRangeDouble(double min, double max, char random_sign = 0);
int EngMiscRandRangeInt(int min, int max, char random_sign = 0);
unsigned int EngMiscRandRangeULong(unsigned int min, unsigned int max);

char EngMiscMoveVectorAtSpeed(_Vector3d *pos, _Vector3d *target, float step, float *fraction_out);
char EngMiscMoveVectorAtSpeed2(_Vector3d *pos, _Vector3d *target, float step, float tolerance);
char EngMiscMoveVectorAtSpeed2D(_Vector2d *pos, _Vector2d *target, float step);
char EngMiscMoveVectorAtSpeed4D(_Vector4d *pos, _Vector4d *target, float step, float *fraction_out);
char EngMiscMoveFloatAtSpeed(float *value, float target, float step);
char EngMiscChangeVariableAtSpeedToDesiredAmount(float *value, float target, float step);
char EngMiscChangeVariableAtSpeedToDesiredAmount(float *value, float target, float up_step, float down_step);
void EngMiscKeepInRangeFloat(float *value, float min, float max);
char EngMiscHasTimeRepeated(double *next_time, double interval);
char EngMiscBounceVariable(float *value, char *direction, float min, float max, float step);
float EngMiscThrobEffect(float *phase, float step, char *cycled);

float EngMiscSetupChangeVarFloat(double min_wait, double max_wait, float min_value, float max_value,
                                 char random_sign, char angle, float max_angle_step, float min_speed,
                                 float max_speed, char random_start, _EngMiscChangeVarFloat2 *record);
float EngMiscChangeVarFloatTick(_EngMiscChangeVarFloat2 *record);
char EngMiscUpdateBlendVar(_EngMiscBlendVar *record);
