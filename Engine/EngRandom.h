// A seedable MT19937 generator: the rk_ functions work on any state, the EngRandom ones on
// one engine-wide state that stays all zero (every draw 0) until EngRandomInit* seeds it.
// Independent of rand(), which the rest of the engine uses.
#pragma once

#include <cstddef>

#include "Engine/EngTypes.h"

enum { RK_STATE_LEN = 624 };

struct rk_state {
  EngUInt32 key[RK_STATE_LEN];
  int pos;
  int has_gauss;
  double gauss;
};

enum rk_error {
  RK_NOERR = 0,
  RK_ENODEV = 1,
  RK_ERR_MAX = 2,
};

extern const char *rk_strerror[RK_ERR_MAX];

void rk_seed(unsigned long seed, rk_state *state);
rk_error rk_randomseed(rk_state *state);
unsigned long rk_random(rk_state *state);
unsigned long rk_ulong(rk_state *state);
long rk_long(rk_state *state);
unsigned long rk_interval(unsigned long max, rk_state *state);
double rk_double(rk_state *state);
void rk_fill(void *buffer, size_t size, rk_state *state);
rk_error rk_devfill(void *buffer, size_t size, int strong);
rk_error rk_altfill(void *buffer, size_t size, int strong, rk_state *state);
double rk_gauss(rk_state *state);

int EngRandomInit();
void EngRandomInitWithSeed(unsigned int seed);
unsigned int EngRandom();
float EngRandomFloat(float max, char allow_negative);
int EngRandomSign();
char EngRandomChance(int n);
float EngRandomRangeFloat(float min, float max, char allow_negative);

// Test seams: the device files read by rk_devfill (null restores "/dev/random" and
// "/dev/urandom"), and the engine state back to all zero.
void rk_set_device_paths_for_tests(const char *strong_path, const char *weak_path);
void EngRandomResetForTests();
