#include "Engine/EngMiscRandom.h"

#include <cmath>
#include <cstdlib>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMath.h"

namespace {

const float kFourPi = 4.0f * ENG_MATH_PI;
const float kMinusHalfPi = -0.5f * ENG_MATH_PI;
const float kThreeHalvesPi = 1.5f * ENG_MATH_PI;

}  // namespace

float EngMiscRandFloat(float max, char random_sign) {
  float a = fabsf(max);
  // The two finest scales multiply in double precision, so a max just under a
  // decimal step does not round up to one step more than it holds.
  double steps;
  double resolution;
  if (a < 0.01f) {
    steps = double(a) * 1000000.0;
    resolution = 0.000001;
  } else if (a < 0.1f) {
    steps = double(a) * 100000.0;
    resolution = 0.00001;
  } else if (a < 1.0f) {
    steps = a * 10000.0f;
    resolution = 0.0001;
  } else if (a < 10.0f) {
    steps = a * 1000.0f;
    resolution = 0.001;
  } else if (a < 100.0f) {
    steps = a * 100.0f;
    resolution = 0.01;
  } else {
    steps = a;
    resolution = 1.0;
  }
  // Also catches NaN; rand() can only reach 31 bits anyway.
  if (!(steps >= 1.0)) return 0.0f;
  int n = steps >= 2147483647.0 ? 2147483647 : int(steps);
  float result = float(double(rand() % n) * resolution);
  if (result < 0.0f || result >= a) DebugErrorAlt(ENG_FUNC, "Function not working properly");
  if (random_sign && !(rand() & 1)) result = -result;
  return result;
}

float EngMiscRandDouble(double max, char random_sign) { return EngMiscRandFloat(float(max), random_sign); }

int EngMiscRandSign() { return (rand() & 1) ? 1 : -1; }

char EngMiscRandChance(int n) {
  if (n < 1) return 0;
  return (rand() % ((long long)n + 1)) ? 1 : 0;
}

char EngMiscRand1InN(int n) {
  if (n < 2) return 1;
  return (rand() % n) == 0 ? 1 : 0;
}

float EngMiscRandRangeFloat(float min, float max, char random_sign) {
  if (min >= max) {
    if (random_sign && !(rand() & 1)) return -min;
    return min;
  }
  float value = min + EngMiscRandFloat(max - min, 0);
  if (random_sign && (rand() & 1)) value = -value;
  return value;
}

double EngMiscRandRangeDouble(double min, double max, char random_sign) {
  if (min >= max) {
    if (random_sign && !(rand() & 1)) return -min;
    return min;
  }
  double value = min + double(EngMiscRandFloat(float(max - min), 0));
  if (random_sign && (rand() & 1)) value = -value;
  return value;
}

int EngMiscRandRangeInt(int min, int max, char random_sign) {
  if (max <= min) {
    if (random_sign && !(rand() & 1)) return -min;
    return min;
  }
  // The span of two extreme ints does not fit an int.
  long long span = (long long)max - (long long)min;
  int value = int((long long)min + (long long)rand() % span);
  if (random_sign && (rand() & 1)) value = -value;
  return value;
}

unsigned int EngMiscRandRangeULong(unsigned int min, unsigned int max) {
  if (max <= min) return min;
  return min + (unsigned int)rand() % (max - min);
}

// Moves n components of pos toward target so that they all arrive together and the
// largest difference moves by exactly step; returns the fraction of the way covered.
static float EngMiscMoveComponents(float *pos, const float *target, int n, float step) {
  float largest = 0.0f;
  float diff[4];
  for (int i = 0; i < n; i++) {
    diff[i] = target[i] - pos[i];
    if (fabsf(diff[i]) > largest) largest = fabsf(diff[i]);
  }
  if (largest == 0.0f) return -1.0f;
  float fraction = (largest >= step) ? step / largest : 1.0f;
  for (int i = 0; i < n; i++) pos[i] += diff[i] * fraction;
  return fraction;
}

char EngMiscMoveVectorAtSpeed(_Vector3d *pos, _Vector3d *target, float step, float *fraction_out) {
  if (!pos || !target) return 0;
  float p[3] = {pos->x, pos->y, pos->z};
  float t[3] = {target->x, target->y, target->z};
  float f = EngMiscMoveComponents(p, t, 3, step);
  if (f < 0.0f) return 1;
  *pos = {p[0], p[1], p[2]};
  if (fraction_out) *fraction_out = f;
  return f == 1.0f ? 1 : 0;
}

char EngMiscMoveVectorAtSpeed2(_Vector3d *pos, _Vector3d *target, float step, float tolerance) {
  if (!pos || !target) return 0;
  float p[3] = {pos->x, pos->y, pos->z};
  float t[3] = {target->x, target->y, target->z};
  float f = EngMiscMoveComponents(p, t, 3, step);
  if (f < 0.0f) return 1;
  *pos = {p[0], p[1], p[2]};
  return f >= 1.0f - tolerance ? 1 : 0;
}

char EngMiscMoveVectorAtSpeed2D(_Vector2d *pos, _Vector2d *target, float step) {
  if (!pos || !target) return 0;
  float p[2] = {pos->x, pos->y};
  float t[2] = {target->x, target->y};
  float f = EngMiscMoveComponents(p, t, 2, step);
  if (f < 0.0f) return 1;
  *pos = {p[0], p[1]};
  return f == 1.0f ? 1 : 0;
}

char EngMiscMoveVectorAtSpeed4D(_Vector4d *pos, _Vector4d *target, float step, float *fraction_out) {
  if (!pos || !target) return 0;
  float p[4] = {pos->x, pos->y, pos->z, pos->w};
  float t[4] = {target->x, target->y, target->z, target->w};
  float f = EngMiscMoveComponents(p, t, 4, step);
  if (f < 0.0f) return 1;
  *pos = {p[0], p[1], p[2], p[3]};
  if (fraction_out) *fraction_out = f;
  return f == 1.0f ? 1 : 0;
}

static char EngMiscStepToward(float *value, float target, float up_step, float down_step) {
  if (*value < target) {
    *value += up_step;
    if (*value >= target) {
      *value = target;
      return 1;
    }
    return 0;
  }
  if (*value > target) {
    *value -= down_step;
    if (*value <= target) {
      *value = target;
      return 1;
    }
    return 0;
  }
  return 1;
}

char EngMiscMoveFloatAtSpeed(float *value, float target, float step) {
  if (!value) return 0;
  return EngMiscStepToward(value, target, step, step);
}

char EngMiscChangeVariableAtSpeedToDesiredAmount(float *value, float target, float step) {
  if (!value) return 1;
  return EngMiscStepToward(value, target, step, step);
}

char EngMiscChangeVariableAtSpeedToDesiredAmount(float *value, float target, float up_step, float down_step) {
  if (!value) return 1;
  return EngMiscStepToward(value, target, up_step, down_step);
}

void EngMiscKeepInRangeFloat(float *value, float min, float max) {
  if (!value) return;
  if (*value < min) *value = min;
  if (*value > max) *value = max;
}

char EngMiscHasTimeRepeated(double *next_time, double interval) {
  if (!next_time) return 0;
  if (*next_time > eng_main_current_time) return 0;
  *next_time = eng_main_current_time + interval;
  return 1;
}

char EngMiscBounceVariable(float *value, char *direction, float min, float max, float step) {
  if (!value || !direction) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  *value += float(*direction) * step;
  if (*direction > 0 && *value >= max) {
    *value = max;
    *direction = char(-*direction);
    return 1;
  }
  if (*direction < 0 && *value <= min) {
    *value = min;
    *direction = char(-*direction);
    return 1;
  }
  return 0;
}

float EngMiscThrobEffect(float *phase, float step, char *cycled) {
  if (cycled) *cycled = 0;
  if (!phase) return 0.0f;
  float old_phase = *phase;
  float new_phase = old_phase + 2.0f * step;
  *phase = new_phase;
  char turned = 0;
  if (new_phase >= kFourPi) {
    *phase = new_phase - kFourPi;
    turned = 1;
  } else if (new_phase < kMinusHalfPi) {
    *phase = new_phase + kFourPi;
    turned = 1;
  } else if (old_phase > new_phase || (old_phase < ENG_MATH_TWO_PI && new_phase >= ENG_MATH_TWO_PI)) {
    turned = 1;
  }
  if (cycled) *cycled = turned;
  return float((sin(double(*phase + kThreeHalvesPi)) + 1.0) * 0.5);
}

float EngMiscSetupChangeVarFloat(double min_wait, double max_wait, float min_value, float max_value,
                                 char random_sign, char angle, float max_angle_step, float min_speed,
                                 float max_speed, char random_start, _EngMiscChangeVarFloat2 *record) {
  if (!record) return 0.0f;
  if (random_sign && angle) DebugErrorAlt(ENG_FUNC, "Sign and angle specified");
  if (!angle && max_angle_step != 0.0f) DebugErrorAlt(ENG_FUNC, "Parameter Error");
  record->min_wait = min_wait;
  record->max_wait = max_wait;
  record->min_value = min_value;
  record->max_value = max_value;
  record->random_sign = random_sign;
  record->angle = angle ? 1.0f : 0.0f;
  record->max_angle_step = max_angle_step;
  record->min_speed = min_speed;
  record->max_speed = max_speed;
  if (random_start) record->value = EngMiscRandRangeFloat(min_value, max_value, random_sign);
  record->next_move_time = 0.0;
  record->moving = 0;
  record->setup = 1;
  return record->value;
}

static void EngMiscChooseWanderTarget(_EngMiscChangeVarFloat2 *r) {
  // Angle mode wraps over the value's whole range of angles (normally 0 to 2 pi).
  float wrap = r->max_value - r->min_value;
  if (r->angle != 0.0f && r->max_angle_step != 0.0f) {
    float target = r->value + EngMiscRandFloat(r->max_angle_step, 1);
    if (target < 0.0f)
      target += wrap;
    else if (target >= wrap)
      target -= wrap;
    EngMiscKeepInRangeFloat(&target, r->min_value, r->max_value);
    r->target = target;
  } else {
    r->target = EngMiscRandRangeFloat(r->min_value, r->max_value, r->random_sign);
  }
  if (r->angle != 0.0f) {
    if (r->target - r->value > ENG_MATH_PI)
      r->value += wrap;
    else if (r->value - r->target > ENG_MATH_PI)
      r->value -= wrap;
  }
  r->speed = r->min_speed;
  if (r->min_speed < r->max_speed) r->speed += EngMiscRandFloat(r->max_speed - r->min_speed, 0);
  r->moving = 1;
}

float EngMiscChangeVarFloatTick(_EngMiscChangeVarFloat2 *r) {
  if (!r || !eng_main_device) return 0.0f;
  if (!r->setup) {
    DebugErrorAlt(ENG_FUNC, "Var not setup");
    return 0.0f;
  }
  if (r->moving) {
    float amount = r->speed * eng_main_frames_per_second;
    if (r->target > r->value) {
      r->value += amount;
      if (r->value >= r->target) r->moving = 0;
    } else if (r->target < r->value) {
      r->value -= amount;
      if (r->value <= r->target) r->moving = 0;
    } else {
      r->moving = 0;
    }
  } else if (r->next_move_time == 0.0) {
    double wait = r->min_wait;
    if (r->min_wait < r->max_wait) wait += EngMiscRandFloat(float(r->max_wait - r->min_wait), 0);
    r->next_move_time = eng_main_current_time + wait;
  } else if (eng_main_current_time >= r->next_move_time) {
    r->next_move_time = 0.0;
    EngMiscChooseWanderTarget(r);
  }
  return r->value;
}

char EngMiscUpdateBlendVar(_EngMiscBlendVar *r) {
  if (!r) return 0;
  double m = r->speed_mult > 0.0f ? r->speed_mult : 1.0;
  float dt = eng_main_frames_per_second;
  double now = eng_main_current_time;
  switch (r->state) {
    case 0:
      r->value = r->start_value;
      r->next_time = now;
      r->state = 1;
      break;
    case 1:
      r->next_time = now + r->wait_before_rise / m;
      r->state = 2;
      break;
    case 2:
      if (now > r->next_time) r->state = 3;
      break;
    case 3:
      r->value += float(r->rise_rate * m * dt);
      if (r->value >= r->max_value) {
        r->value = r->max_value;
        r->next_time = now + r->wait_at_top / m;
        r->state = 4;
      }
      break;
    case 4:
      if (now > r->next_time) r->state = 5;
      break;
    case 5:
      r->value -= float(r->fall_rate * m * dt);
      if (r->value <= r->min_value) {
        r->value = r->min_value;
        r->next_time = now + r->wait_at_bottom / m;
        r->state = 6;
      }
      break;
    case 6:
      if (now > r->next_time) {
        r->state = 1;
        return 1;
      }
      break;
    default:
      break;
  }
  return 0;
}
