// Feeds arbitrary bytes to the path-data loader: as a whole file image of any size, and as
// patches (offset, value pairs) laid over a good file, so that the counts, the headings, the
// points and the trailing values are all reached. Whatever loads must keep the loader's
// promises, and the grid fill and a walk over every step must stay in bounds.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "game/Bugs.h"
#include "game/Quarrelwick.h"
#include "game/Traverse.h"
#include "tests/fuzz/FuzzScratch.h"


static void Put32(std::string *b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; i++) (*b)[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
}

static void PutF(std::string *b, size_t at, float f) {
  uint32_t u;
  memcpy(&u, &f, 4);
  Put32(b, at, u);
}

static std::string GoodFile() {
  std::string b(TRAVERSE_FILE_BYTES, '\0');
  PutF(&b, TRAVERSE_OFS_VERSION, 1.2f);
  Put32(&b, TRAVERSE_OFS_NUM_STEPS, 100);
  Put32(&b, TRAVERSE_OFS_NUM_POINTS, 101);
  for (int i = 0; i <= 100; i++) {
    PutF(&b, TRAVERSE_OFS_POINTS + 8 * size_t(i), -1.1f + 0.022f * float(i));
    if (i < 100) PutF(&b, TRAVERSE_OFS_ANGLES + 4 * size_t(i), 3.1415927f);
  }
  PutF(&b, TRAVERSE_OFS_SPACING, 0.0005f);
  return b;
}

static void CheckLoaded(char ok) {
  const _TraverseInfo &t = traverse_info;
  if (!ok) {
    if (t.num_steps != 0 || t.num_points != 0 || TraverseIsLoaded()) abort();
    return;
  }
  if (t.num_steps < 1 || t.num_steps > TRAVERSE_MAX_STEPS) abort();
  if (t.num_points < t.num_steps || t.num_points > TRAVERSE_MAX_POINTS) abort();
  double sum = 0;
  for (int i = 0; i < t.num_steps; i++) sum += t.angles[i];
  for (int i = 0; i < t.num_points; i++) sum += t.points[i].x + t.points[i].y;
  if (!std::isfinite(t.spacing_divisor) || !std::isfinite(t.unused)) abort();
  if (std::isnan(sum)) abort();
  QuarrelwickFillGridFromTraverseData();
  // Every point has a cell inside the grid, however far off it lies.
  for (int i = 0; i < t.num_points; i += 97) {
    int cx, cy;
    QuarrelwickGetGridPosition(t.points[i].x, t.points[i].y, &cx, &cy);
    if (cx < 0 || cy < 0 || cx >= QW_GRID_SIZE || cy >= QW_GRID_SIZE) abort();
    (void)grid[cy][cx];
  }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  static bool ready = false;
  static std::string good;
  if (!ready) {
    good = GoodFile();
    ready = true;
  }
  CheckLoaded(TraverseLoadFromMemory(data, size, "fuzz"));

  // Patches: each 8 bytes are an offset (taken within the file) and a 32-bit value.
  std::string file = good;
  for (size_t i = 0; i + 8 <= size; i += 8) {
    uint32_t at, value;
    memcpy(&at, data + i, 4);
    memcpy(&value, data + i + 4, 4);
    Put32(&file, (at % (TRAVERSE_FILE_BYTES - 3)), value);
  }
  CheckLoaded(TraverseLoadFromMemory(reinterpret_cast<const unsigned char *>(file.data()), file.size(), "fuzz"));
  return 0;
}
