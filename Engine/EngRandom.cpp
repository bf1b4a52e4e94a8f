#include "Engine/EngRandom.h"

#include <sys/time.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "Engine/EngDebug.h"

const char *rk_strerror[RK_ERR_MAX] = {"no error", "random device unvavailable"};

namespace {

const int kMtShift = 397;
const EngUInt32 kMatrixA = 0x9908b0dfU;
const EngUInt32 kUpperMask = 0x80000000U;
const EngUInt32 kLowerMask = 0x7fffffffU;

const char *const kDefaultStrongDevice = "/dev/random";
const char *const kDefaultWeakDevice = "/dev/urandom";

}  // namespace

static const char *rk_strong_device = kDefaultStrongDevice;
static const char *rk_weak_device = kDefaultWeakDevice;

// Zero-initialised with pos 0, so an unseeded engine state draws 0 for ever.
static rk_state eng_random_state;

void rk_seed(unsigned long seed, rk_state *state) {
  EngUInt32 s = EngUInt32(seed & 0xffffffffUL);
  state->key[0] = s;
  for (int i = 1; i < RK_STATE_LEN; i++) {
    s = 1812433253U * (s ^ (s >> 30)) + EngUInt32(i);
    state->key[i] = s;
  }
  state->pos = RK_STATE_LEN;
  state->has_gauss = 0;
  state->gauss = 0.0;
}

// Thomas Wang's 32-bit integer hash: spreads the few changing bits of pid and clock.
static EngUInt32 rk_hash(EngUInt32 k) {
  k += ~(k << 15);
  k ^= (k >> 10);
  k += (k << 3);
  k ^= (k >> 6);
  k += ~(k << 11);
  k ^= (k >> 16);
  return k;
}

rk_error rk_randomseed(rk_state *state) {
  if (rk_devfill(state->key, sizeof(state->key), 0) == RK_NOERR) {
    state->key[0] |= 0x80000000U;
    state->pos = RK_STATE_LEN;
    state->has_gauss = 0;
    state->gauss = 0.0;
    return RK_NOERR;
  }
  struct timeval tv;
  gettimeofday(&tv, nullptr);
  EngUInt32 seed = rk_hash(EngUInt32(getpid())) ^ rk_hash(EngUInt32(tv.tv_sec)) ^
                   rk_hash(EngUInt32(tv.tv_usec)) ^ rk_hash(EngUInt32(clock()));
  rk_seed(seed, state);
  return RK_ENODEV;
}

static void rk_twist(rk_state *state) {
  EngUInt32 *key = state->key;
  for (int i = 0; i < RK_STATE_LEN; i++) {
    EngUInt32 y = (key[i] & kUpperMask) | (key[(i + 1) % RK_STATE_LEN] & kLowerMask);
    key[i] = key[(i + kMtShift) % RK_STATE_LEN] ^ (y >> 1) ^ ((y & 1U) ? kMatrixA : 0U);
  }
  state->pos = 0;
}

unsigned long rk_random(rk_state *state) {
  if (state->pos >= RK_STATE_LEN) rk_twist(state);
  EngUInt32 y = state->key[state->pos++];
  y ^= (y >> 11);
  y ^= (y << 7) & 0x9d2c5680U;
  y ^= (y << 15) & 0xefc60000U;
  y ^= (y >> 18);
  return y;
}

unsigned long rk_ulong(rk_state *state) { return rk_random(state); }

long rk_long(rk_state *state) { return long(rk_random(state) >> 1); }

unsigned long rk_interval(unsigned long max, rk_state *state) {
  if (max == 0) return 0;
  unsigned long mask = max;
  mask |= mask >> 1;
  mask |= mask >> 2;
  mask |= mask >> 4;
  mask |= mask >> 8;
  mask |= mask >> 16;
  unsigned long value;
  while ((value = (rk_random(state) & mask)) > max) {
  }
  return value;
}

double rk_double(rk_state *state) {
  unsigned long a = rk_random(state) >> 5;
  unsigned long b = rk_random(state) >> 6;
  return (double(a) * 67108864.0 + double(b)) / 9007199254740992.0;
}

void rk_fill(void *buffer, size_t size, rk_state *state) {
  unsigned char *out = static_cast<unsigned char *>(buffer);
  for (; size >= 4; size -= 4) {
    unsigned long r = rk_random(state);
    *out++ = (unsigned char)(r & 0xff);
    *out++ = (unsigned char)((r >> 8) & 0xff);
    *out++ = (unsigned char)((r >> 16) & 0xff);
    *out++ = (unsigned char)((r >> 24) & 0xff);
  }
  if (!size) return;
  unsigned long r = rk_random(state);
  for (; size; r >>= 8, size--) *out++ = (unsigned char)(r & 0xff);
}

rk_error rk_devfill(void *buffer, size_t size, int strong) {
  FILE *file = fopen(strong ? rk_strong_device : rk_weak_device, "rb");
  if (!file) return RK_ENODEV;
  size_t done = fread(buffer, 1, size, file);
  fclose(file);
  return done == size ? RK_NOERR : RK_ENODEV;
}

rk_error rk_altfill(void *buffer, size_t size, int strong, rk_state *state) {
  rk_error err = rk_devfill(buffer, size, strong);
  if (err) rk_fill(buffer, size, state);
  return err;
}

double rk_gauss(rk_state *state) {
  if (state->has_gauss) {
    state->has_gauss = 0;
    return state->gauss;
  }
  double x1, x2, r2;
  do {
    x1 = 2.0 * rk_double(state) - 1.0;
    x2 = 2.0 * rk_double(state) - 1.0;
    r2 = x1 * x1 + x2 * x2;
  } while (r2 >= 1.0 || r2 == 0.0);
  double f = sqrt(-2.0 * log(r2) / r2);
  state->gauss = x1 * f;
  state->has_gauss = 1;
  return x2 * f;
}

void rk_set_device_paths_for_tests(const char *strong_path, const char *weak_path) {
  rk_strong_device = strong_path ? strong_path : kDefaultStrongDevice;
  rk_weak_device = weak_path ? weak_path : kDefaultWeakDevice;
}

int EngRandomInit() { return rk_randomseed(&eng_random_state); }

void EngRandomInitWithSeed(unsigned int seed) { rk_seed(seed, &eng_random_state); }

unsigned int EngRandom() { return (unsigned int)rk_random(&eng_random_state); }

float EngRandomFloat(float max, char allow_negative) {
  float m = fabsf(max);
  float scale, resolution;
  if (m < 0.01f) {
    scale = 1000000.0f;
    resolution = 0.000001f;
  } else if (m < 0.1f) {
    scale = 100000.0f;
    resolution = 0.00001f;
  } else if (m < 1.0f) {
    scale = 10000.0f;
    resolution = 0.0001f;
  } else if (m < 10.0f) {
    scale = 1000.0f;
    resolution = 0.001f;
  } else if (m < 100.0f) {
    scale = 100.0f;
    resolution = 0.01f;
  } else {
    scale = 1.0f;
    resolution = 1.0f;
  }
  float steps = m * scale;
  // Also catches NaN, which no integer conversion may see.
  if (!(steps >= 1.0f)) return 0.0f;
  unsigned int k = steps >= 4294967295.0f ? 4294967295U : (unsigned int)steps;
  float result = float(double(EngRandom() % k) * double(resolution));
  if (result < 0.0f || result >= m) DebugErrorAlt(ENG_FUNC, "Function not working properly");
  if (allow_negative && !(EngRandom() & 1U)) result = -result;
  return result;
}

int EngRandomSign() { return (EngRandom() & 1U) ? 1 : -1; }

char EngRandomChance(int n) {
  if (n < 1) return 0;
  return (EngRandom() % (unsigned int)(n + 1U)) ? 1 : 0;
}

float EngRandomRangeFloat(float min, float max, char allow_negative) {
  if (min < max) {
    float value = min + EngRandomFloat(max - min, 0);
    if (allow_negative && (EngRandom() & 1U)) value = -value;
    return value;
  }
  if (allow_negative && !(EngRandom() & 1U)) return -min;
  return min;
}

void EngRandomResetForTests() {
  memset(&eng_random_state, 0, sizeof(eng_random_state));
  rk_set_device_paths_for_tests(nullptr, nullptr);
}
