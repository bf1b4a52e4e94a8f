#include "tests/game/PathFixtures.h"

#include <cmath>
#include <cstring>

#include "game/Traverse.h"

namespace qwtest {

void PutInt(std::string *bytes, size_t offset, int value) {
  unsigned u;
  memcpy(&u, &value, 4);
  for (int i = 0; i < 4; i++) (*bytes)[offset + i] = char((u >> (8 * i)) & 0xFF);
}

void PutFloat(std::string *bytes, size_t offset, float value) {
  int v;
  memcpy(&v, &value, 4);
  PutInt(bytes, offset, v);
}

std::string MakePathFile(const PathDesc &desc) {
  std::string bytes(TRAVERSE_FILE_BYTES, '\0');
  PutInt(&bytes, TRAVERSE_OFS_VERSION, int(desc.version_bits));
  int steps = desc.steps >= 0 ? desc.steps : int(desc.points.size()) - 1;
  int count = desc.point_count >= 0 ? desc.point_count : int(desc.points.size());
  PutInt(&bytes, TRAVERSE_OFS_NUM_STEPS, steps);
  PutInt(&bytes, TRAVERSE_OFS_NUM_POINTS, count);
  for (size_t i = 0; i < desc.points.size() && i < size_t(TRAVERSE_MAX_POINTS); i++) {
    PutFloat(&bytes, TRAVERSE_OFS_POINTS + 8 * i, desc.points[i].x);
    PutFloat(&bytes, TRAVERSE_OFS_POINTS + 8 * i + 4, desc.points[i].y);
  }
  for (size_t i = 0; i + 1 < desc.points.size() && i < size_t(TRAVERSE_MAX_STEPS); i++) {
    float a;
    if (i < desc.angles.size()) {
      a = desc.angles[i];
    } else {
      float dx = desc.points[i + 1].x - desc.points[i].x, dy = desc.points[i + 1].y - desc.points[i].y;
      a = std::atan2(dy, -dx);
    }
    PutFloat(&bytes, TRAVERSE_OFS_ANGLES + 4 * i, a);
  }
  for (const auto &c : desc.path_cells) bytes[TRAVERSE_OFS_GRID + size_t(c.second) * 512 + size_t(c.first)] = 1;
  PutFloat(&bytes, TRAVERSE_OFS_UNUSED, 1.0f);
  PutFloat(&bytes, TRAVERSE_OFS_SPACING, desc.spacing);
  return bytes;
}

PathDesc StraightRoad(float x0, float y0, float x1, float y1, int steps) {
  PathDesc desc;
  for (int i = 0; i <= steps; i++) {
    float t = float(i) / float(steps);
    desc.points.push_back({x0 + (x1 - x0) * t, y0 + (y1 - y0) * t});
  }
  return desc;
}

}  // namespace qwtest
