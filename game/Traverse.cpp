#include "game/Traverse.h"

#include <cmath>
#include <cstring>

#include "Engine/EngByteCursor.h"
#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "game/Levels.h"

_TraverseInfo traverse_info;
float t_best_line_hires_mult = 4.0f;

void TraverseReset() {
  memset(&traverse_info, 0, sizeof(traverse_info));
  traverse_info.unused = 1.0f;
  traverse_info.spacing_divisor = 1.0f;
  t_best_line_hires_mult = 4.0f;
}

char TraverseIsLoaded() { return traverse_info.num_steps >= 1 ? 1 : 0; }

char TraverseLoadFromMemory(const unsigned char *bytes, size_t size, const char *name) {
  TraverseReset();
  if (!name) name = "";
  if (!bytes || size != size_t(TRAVERSE_FILE_BYTES)) {
    DebugErrorAlt(ENG_FUNC, "Path data <%s> is %lu bytes, not %d.", name, (unsigned long)(bytes ? size : 0),
                  TRAVERSE_FILE_BYTES);
    return 0;
  }
  EngByteReader in(bytes, size);
  EngUInt32 version_bits = in.Seek(TRAVERSE_OFS_VERSION).U32();
  if (version_bits != kTraverseVersionBits) {
    DebugErrorAlt(ENG_FUNC, "Incorrect version [%f] not [%f] in file <%s>", double(in.Seek(0).F32()), double(1.2f),
                  name);
    return 0;
  }
  EngInt32 steps = in.Seek(TRAVERSE_OFS_NUM_STEPS).I32();
  EngInt32 points = in.Seek(TRAVERSE_OFS_NUM_POINTS).I32();
  if (steps < 1 || steps > TRAVERSE_MAX_STEPS) {
    DebugErrorAlt(ENG_FUNC, "Path data <%s>: bad step count %d.", name, steps);
    return 0;
  }
  if (points < steps || points > TRAVERSE_MAX_POINTS) {
    DebugErrorAlt(ENG_FUNC, "Path data <%s>: bad point count %d for %d steps.", name, points, steps);
    return 0;
  }
  // Parse into the global, then empty it again on any refusal, so nothing half-read is used.
  _TraverseInfo &t = traverse_info;
  for (int i = 0; i < TRAVERSE_MAX_STEPS; i++) {
    t.angles[i] = in.Seek(TRAVERSE_OFS_ANGLES + 4 * i).F32();
    if (!std::isfinite(t.angles[i])) {
      TraverseReset();
      DebugErrorAlt(ENG_FUNC, "Path data <%s>: angle %d is not a number.", name, i);
      return 0;
    }
  }
  for (int i = 0; i < TRAVERSE_MAX_POINTS; i++) {
    t.points[i].x = in.Seek(TRAVERSE_OFS_POINTS + 8 * i).F32();
    t.points[i].y = in.Seek(TRAVERSE_OFS_POINTS + 8 * i + 4).F32();
    if (!std::isfinite(t.points[i].x) || !std::isfinite(t.points[i].y)) {
      TraverseReset();
      DebugErrorAlt(ENG_FUNC, "Path data <%s>: point %d is not a number.", name, i);
      return 0;
    }
  }
  float unused = in.Seek(TRAVERSE_OFS_UNUSED).F32();
  float spacing = in.Seek(TRAVERSE_OFS_SPACING).F32();
  if (!std::isfinite(unused) || !std::isfinite(spacing)) {
    TraverseReset();
    DebugErrorAlt(ENG_FUNC, "Path data <%s>: a trailing value is not a number.", name);
    return 0;
  }
  memcpy(t.grid, bytes + TRAVERSE_OFS_GRID, sizeof(t.grid));
  t.unused = unused;
  t.spacing_divisor = spacing;
  t.num_points = points;
  t.num_steps = steps;
  return 1;
}

char TraverseLoadFile(const char *path) {
  TraverseReset();
  if (!path || !path[0]) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  EngFile file;
  if (!file.OpenForReading(path, 0, 1)) return 0;
  // One byte more than a good file, so a long file shows as long.
  unsigned char *bytes = (unsigned char *)EngMalloc(TRAVERSE_FILE_BYTES + 1, ENG_FUNC, 0);
  if (!bytes) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  EngUInt32 got = file.FRead(bytes, TRAVERSE_FILE_BYTES + 1);
  file.Close();
  char ok = TraverseLoadFromMemory(bytes, got, path);
  EngFree(bytes, 0, ENG_FUNC);
  return ok;
}

char TraverseSetup() {
  TraverseReset();
  if (level_garden < 0) return 0;
  return TraverseLoadFile(LevelsGetTravCalcsFilename(0));
}
