// Feeds arbitrary bytes to the sprite outline reader: as a whole file, and as patches (offset,
// value pairs) laid over a good file whose checksum is then put right, so that the counts, the
// names, the parts and the corners are reached past the checksum. Whatever loads must keep the
// reader's promises: every outline found has no corner or three to sixteen, all inside its
// part, round a convex polygon turning as the part's quad does; a square cut along it keeps its
// triangles within their list, each naming points that exist.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngSpriteOutlines.h"
#include "tests/fuzz/FuzzScratch.h"

static std::vector<_EngSpriteOutlinePicture> GoodPictures() {
  _EngSpriteOutline octagon;
  octagon.part = {1.0f / 64, 1.0f / 64, 63.0f / 64, 63.0f / 64};
  const float corners[8][2] = {{0.3f, 0.2f}, {0.6f, 0.2f}, {0.8f, 0.4f}, {0.8f, 0.6f},
                               {0.6f, 0.8f}, {0.3f, 0.8f}, {0.2f, 0.6f}, {0.2f, 0.4f}};
  octagon.num_corners = 8;
  memcpy(octagon.corners, corners, sizeof(corners));
  _EngSpriteOutline nothing;
  nothing.part = {0.5f, 0.5f, 1.0f, 1.0f};
  nothing.num_corners = 0;
  _EngSpriteOutline box;
  box.part = {0.75f, 0.0f, 0.25f, 0.5f};
  const float box_corners[4][2] = {{0.3f, 0.1f}, {0.7f, 0.1f}, {0.7f, 0.4f}, {0.3f, 0.4f}};
  box.num_corners = 4;
  memcpy(box.corners, box_corners, sizeof(box_corners));
  return {{"Blob.tga", 64, 64, {octagon, nothing}}, {"Sheet.jpg", 128, 32, {box}}};
}

static void Seal(std::vector<unsigned char> *b) {
  if (b->size() < 12) return;
  uint32_t h = 2166136261u;
  for (size_t i = 12; i < b->size(); i++) {
    h ^= (*b)[i];
    h *= 16777619u;
  }
  for (int i = 0; i < 4; i++) (*b)[8 + size_t(i)] = (unsigned char)((h >> (8 * i)) & 0xFF);
}

static void CheckOutline(const _EngSpriteOutline *o) {
  if (!o) return;
  if (o->num_corners == 0) return;
  if (o->num_corners < 3 || o->num_corners > ENG_SPRITE_OUTLINES_MAX_CORNERS) abort();
  const _TexCoords &p = o->part;
  const float slack = 2e-4f;
  double twice = 0.0;
  for (int i = 0; i < o->num_corners; i++) {
    const float *a = o->corners[i], *b = o->corners[(i + 1) % o->num_corners];
    if (!std::isfinite(a[0]) || !std::isfinite(a[1])) abort();
    if (a[0] < std::fmin(p.left, p.right) - slack || a[0] > std::fmax(p.left, p.right) + slack ||
        a[1] < std::fmin(p.top, p.bottom) - slack || a[1] > std::fmax(p.top, p.bottom) + slack)
      abort();
    twice += double(a[0]) * b[1] - double(b[0]) * a[1];
  }
  const double quad = -double(p.right - p.left) * double(p.bottom - p.top);
  if (twice * quad <= 0.0) abort();
  for (int i = 0; i < o->num_corners; i++) {
    const float *a = o->corners[i], *b = o->corners[(i + 1) % o->num_corners],
                *c = o->corners[(i + 2) % o->num_corners];
    const double cross = (double(b[0]) - a[0]) * (double(c[1]) - b[1]) - (double(b[1]) - a[1]) * (double(c[0]) - b[0]);
    if (cross * twice < 0.0) abort();
  }
  const float square[4][3] = {{0.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {1.0f, 1.0f, 0.0f}};
  _EngSpriteOutlineSplit split;
  EngSpriteOutlinesSplit(o, square, &split);
  const int triangles = split.fan_triangles + split.rest_triangles;
  if (split.num_points != o->num_corners + 4 || split.fan_triangles < 0 || split.rest_triangles < 0 ||
      triangles > ENG_SPRITE_OUTLINES_MAX_SPLIT_TRIANGLES)
    abort();
  for (int i = 0; i < triangles; i++)
    for (int k = 0; k < 3; k++)
      if (split.triangles[i][k] >= split.num_points) abort();
}

// Every picture and part the good file had, looked up in what was loaded.
static void CheckLoaded(char ok) {
  static const std::vector<_EngSpriteOutlinePicture> good = GoodPictures();
  for (const _EngSpriteOutlinePicture &pic : good) {
    const EngInt32 index = EngSpriteOutlinesFindPicture(pic.name.c_str(), pic.width, pic.height);
    if (!ok && index >= 0) abort();
    for (const _EngSpriteOutline &o : pic.parts) CheckOutline(EngSpriteOutlinesFindPart(index, &o.part));
  }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  static bool ready = false;
  static std::vector<unsigned char> good;
  if (!ready) {
    good = EngSpriteOutlinesEncode(GoodPictures());
    ready = true;
  }
  CheckLoaded(EngSpriteOutlinesLoadFromMemory(data, size, "fuzz"));

  // Patches: each 5 bytes are an offset (taken within the file past its header) and a byte.
  std::vector<unsigned char> file = good;
  for (size_t i = 0; i + 5 <= size; i += 5) {
    uint32_t at;
    memcpy(&at, data + i, 4);
    file[12 + at % (file.size() - 12)] = data[i + 4];
  }
  // An odd length also cuts the file short there, or makes it longer.
  if (size % 5 != 0 && size > 0) file.resize(12 + size_t(data[0]) % (file.size() + 8 - 12));
  Seal(&file);
  CheckLoaded(EngSpriteOutlinesLoadFromMemory(file.data(), file.size(), "fuzz"));
  return 0;
}
