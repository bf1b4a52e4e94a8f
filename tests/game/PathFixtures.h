// Path-data files built by the tests: a straight or bent road of a few points, written in the
// game's file layout so the loader, the gardens and the bugs can be tried on small cases.
#pragma once

#include <string>
#include <vector>

#include "Engine/EngMathTypes.h"

namespace qwtest {

struct PathDesc {
  std::vector<_Vector2d> points;  // point i is the place at step i
  std::vector<float> angles;      // one per step; empty: computed from the points
  int steps = -1;                 // -1: points - 1
  int point_count = -1;           // -1: the number of points
  float spacing = 0.0005f;
  unsigned version_bits = 0x3F99999Au;
  std::vector<std::pair<int, int>> path_cells;  // (x, y) cells marked as path
};

// The whole file image (454,172 bytes for a good one).
std::string MakePathFile(const PathDesc &desc);
// A straight road from (x0, y0) to (x1, y1) in n steps.
PathDesc StraightRoad(float x0, float y0, float x1, float y1, int steps);
// Little-endian writes into a file image.
void PutFloat(std::string *bytes, size_t offset, float value);
void PutInt(std::string *bytes, size_t offset, int value);

}  // namespace qwtest
