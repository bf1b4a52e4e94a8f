// The read-only path data of a garden ("TravCalcs<g>.dat"): the bugs' road as steps with a
// heading each, the point of every step, the garden's placement grid and the queue spacing.
// Files are checked whole before anything is kept; a refused file leaves an empty path.
#pragma once

#include <cstddef>

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"

enum {
  TRAVERSE_MAX_STEPS = 16000,
  TRAVERSE_LAST_STEP = TRAVERSE_MAX_STEPS - 1,
  TRAVERSE_MAX_POINTS = 16001,
  TRAVERSE_GRID_SIZE = 512,
  // The block after the leading version float, and the whole file.
  TRAVERSE_BLOCK_BYTES = 454168,
  TRAVERSE_FILE_BYTES = 454172,
};

// File offsets of the fields (little-endian).
enum {
  TRAVERSE_OFS_VERSION = 0,
  TRAVERSE_OFS_NUM_STEPS = 4,
  TRAVERSE_OFS_ANGLES = 8,
  TRAVERSE_OFS_NUM_POINTS = 64008,
  TRAVERSE_OFS_POINTS = 64012,
  TRAVERSE_OFS_GRID = 192020,
  TRAVERSE_OFS_UNUSED = 454164,
  TRAVERSE_OFS_SPACING = 454168,
};

// The version float's bits (1.2f).
static const EngUInt32 kTraverseVersionBits = 0x3F99999Au;

struct _TraverseInfo {
  EngInt32 num_steps;
  float angles[TRAVERSE_MAX_STEPS];
  EngInt32 num_points;
  _Vector2d points[TRAVERSE_MAX_POINTS];
  EngUInt8 grid[TRAVERSE_GRID_SIZE * TRAVERSE_GRID_SIZE];
  float unused;
  // The queue spacing divisor of the bugs; 0 or less is taken as 1.0.
  float spacing_divisor;
};

extern _TraverseInfo traverse_info;
// Path steps a bug advances per unit of speed and second.
extern float t_best_line_hires_mult;

// Loads the current garden's path data (Levels names the file). 0 when missing or refused.
char TraverseSetup();
// Checks and takes a whole file image; `name` only labels the log lines. On refusal the
// path is left empty (no steps, no points) and 0 is returned.
char TraverseLoadFromMemory(const unsigned char *bytes, size_t size, const char *name);
// Loads the named file; the same checks.
char TraverseLoadFile(const char *path);
// Empties the path: no steps, no points, a clear grid, trailing floats 1.0.
void TraverseReset();
// Whether a path is loaded (at least one step).
char TraverseIsLoaded();
