#include "Engine/EngSpriteOutlines.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "Engine/EngByteCursor.h"
#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/EngTexturePixels.h"

namespace {

const char kMagic[4] = {'Q', 'W', 'S', 'O'};
const size_t kHeaderBytes = 12;  // magic, version, checksum
// Corners and parts lie within the texture and a little past its edges (where it repeats).
const float kMaxCoordinate = 4.0f;
const float kPartTolerance = 1e-4f;

std::vector<_EngSpriteOutlinePicture> pictures;
EngUInt32 generation = 0;

EngUInt32 Checksum(const unsigned char *bytes, size_t size) {
  EngUInt32 h = 2166136261u;
  for (size_t i = 0; i < size; i++) {
    h ^= bytes[i];
    h *= 16777619u;
  }
  return h;
}

bool Finite(float v) { return std::isfinite(v) && std::fabs(v) <= kMaxCoordinate; }

// Twice the signed area of the polygon, in double so that thin ones keep their sign.
double TwiceArea(const _EngSpriteOutline &o) {
  double twice = 0.0;
  for (EngInt32 i = 0; i < o.num_corners; i++) {
    const float *a = o.corners[i], *b = o.corners[(i + 1) % o.num_corners];
    twice += double(a[0]) * double(b[1]) - double(b[0]) * double(a[1]);
  }
  return twice;
}

// A polygon drawn as a fan must be convex: every corner turns the way the whole does (a
// straight corner draws an empty triangle and is let be).
bool IsConvex(const _EngSpriteOutline &o, double turning) {
  for (EngInt32 i = 0; i < o.num_corners; i++) {
    const float *a = o.corners[i], *b = o.corners[(i + 1) % o.num_corners], *c = o.corners[(i + 2) % o.num_corners];
    const double cross = (double(b[0]) - a[0]) * (double(c[1]) - b[1]) - (double(b[1]) - a[1]) * (double(c[0]) - b[0]);
    if (cross * turning < 0.0) return false;
  }
  return true;
}

// One part, checked; on a fault *why says what and false comes back.
bool ReadPart(EngByteReader &in, _EngSpriteOutline *o, const char **why) {
  o->part.left = in.F32();
  o->part.top = in.F32();
  o->part.right = in.F32();
  o->part.bottom = in.F32();
  o->num_corners = in.U8();
  if (!in.Ok()) return *why = "it ends inside a part", false;
  const _TexCoords &p = o->part;
  if (!Finite(p.left) || !Finite(p.top) || !Finite(p.right) || !Finite(p.bottom) || p.left == p.right ||
      p.top == p.bottom)
    return *why = "a part is not a rectangle of the texture", false;
  if (o->num_corners != 0 && (o->num_corners < 3 || o->num_corners > ENG_SPRITE_OUTLINES_MAX_CORNERS))
    return *why = "an outline has a wrong number of corners", false;
  const float u0 = std::fmin(p.left, p.right) - kPartTolerance, u1 = std::fmax(p.left, p.right) + kPartTolerance;
  const float v0 = std::fmin(p.top, p.bottom) - kPartTolerance, v1 = std::fmax(p.top, p.bottom) + kPartTolerance;
  for (EngInt32 i = 0; i < o->num_corners; i++) {
    const float u = in.F32(), v = in.F32();
    if (!in.Ok()) return *why = "it ends inside an outline", false;
    // An outline never reaches past its part's own quad.
    if (!Finite(u) || !Finite(v) || u < u0 || u > u1 || v < v0 || v > v1)
      return *why = "an outline's corner lies outside its part", false;
    o->corners[i][0] = u;
    o->corners[i][1] = v;
  }
  if (o->num_corners == 0) return true;
  const double twice = TwiceArea(*o);
  if (twice == 0.0 || !IsConvex(*o, twice)) return *why = "an outline is not a convex polygon", false;
  const double part_turning = -double(p.right - p.left) * double(p.bottom - p.top);
  if ((twice > 0.0) != (part_turning > 0.0))
    for (EngInt32 i = 0, j = o->num_corners - 1; i < j; i++, j--)
      for (int k = 0; k < 2; k++) std::swap(o->corners[i][k], o->corners[j][k]);
  return true;
}

bool Parse(const unsigned char *bytes, size_t size, std::vector<_EngSpriteOutlinePicture> *out, const char **why) {
  if (!bytes || size < kHeaderBytes + 4) return *why = "it is too short", false;
  if (size > size_t(ENG_SPRITE_OUTLINES_MAX_BYTES)) return *why = "it is too long", false;
  if (memcmp(bytes, kMagic, 4) != 0) return *why = "it is not a sprite outline file", false;
  EngByteReader in(bytes, size);
  if (in.Seek(4).U32() != EngUInt32(ENG_SPRITE_OUTLINES_VERSION)) return *why = "its version is not known", false;
  if (in.U32() != Checksum(bytes + kHeaderBytes, size - kHeaderBytes)) return *why = "its checksum is wrong", false;
  const EngUInt32 count = in.U32();
  if (count > EngUInt32(ENG_SPRITE_OUTLINES_MAX_PICTURES)) return *why = "it has too many pictures", false;
  for (EngUInt32 n = 0; n < count; n++) {
    _EngSpriteOutlinePicture pic;
    const EngUInt32 name_length = in.U8();
    if (name_length < 1 || name_length > EngUInt32(ENG_SPRITE_OUTLINES_MAX_NAME))
      return *why = "a picture's name has a wrong length", false;
    char name[ENG_SPRITE_OUTLINES_MAX_NAME + 1];
    in.Bytes(name, name_length);
    name[name_length] = 0;
    if (!in.Ok()) return *why = "it ends inside a picture", false;
    for (EngUInt32 i = 0; i < name_length; i++)
      if (name[i] <= ' ' || name[i] == '/' || name[i] == 0x7F)
        return *why = "a picture's name is not a file name", false;
    pic.name = name;
    pic.width = in.U16();
    pic.height = in.U16();
    const EngUInt32 parts = in.U16();
    if (!in.Ok()) return *why = "it ends inside a picture", false;
    if (!EngImageIsSizeAllowed(pic.width, pic.height)) return *why = "a picture's size is out of range", false;
    if (parts < 1 || parts > EngUInt32(ENG_SPRITE_OUTLINES_MAX_PARTS))
      return *why = "a picture has a wrong number of parts", false;
    pic.parts.resize(parts);
    for (_EngSpriteOutline &o : pic.parts)
      if (!ReadPart(in, &o, why)) return false;
    out->push_back(std::move(pic));
  }
  if (in.At() != size) return *why = "bytes follow its last picture", false;
  return true;
}

// From p to q by t, landing on q itself at t = 1 (and on p at 0): an outline's corner at a corner
// of its part is placed exactly where the square's own corner is, so that an edge along the
// square's is the same edge to the rasteriser.
float Between(float p, float q, float t) { return t == 1.0f ? q : p + (q - p) * t; }

// Twice the signed area of the triangle, in double so that a straight one gives exactly 0.
double Cross(const float *a, const float *b, const float *c) {
  return (double(b[0]) - a[0]) * (double(c[1]) - a[1]) - (double(b[1]) - a[1]) * (double(c[0]) - a[0]);
}

const char *BaseName(const char *path) {
  const char *slash = strrchr(path, '/');
  return slash ? slash + 1 : path;
}

void PutU16(std::vector<unsigned char> *b, EngUInt32 v) {
  b->push_back((unsigned char)(v & 0xFF));
  b->push_back((unsigned char)((v >> 8) & 0xFF));
}
void PutU32(std::vector<unsigned char> *b, EngUInt32 v) {
  PutU16(b, v & 0xFFFF);
  PutU16(b, v >> 16);
}
void PutF32(std::vector<unsigned char> *b, float f) {
  EngUInt32 u;
  memcpy(&u, &f, 4);
  PutU32(b, u);
}

}  // namespace

std::vector<unsigned char> EngSpriteOutlinesEncode(const std::vector<_EngSpriteOutlinePicture> &list) {
  std::vector<unsigned char> b(kMagic, kMagic + 4);
  PutU32(&b, ENG_SPRITE_OUTLINES_VERSION);
  PutU32(&b, 0);  // the checksum, once the rest is written
  PutU32(&b, EngUInt32(list.size()));
  for (const _EngSpriteOutlinePicture &pic : list) {
    b.push_back((unsigned char)pic.name.size());
    b.insert(b.end(), pic.name.begin(), pic.name.end());
    PutU16(&b, EngUInt32(pic.width));
    PutU16(&b, EngUInt32(pic.height));
    PutU16(&b, EngUInt32(pic.parts.size()));
    for (const _EngSpriteOutline &o : pic.parts) {
      PutF32(&b, o.part.left);
      PutF32(&b, o.part.top);
      PutF32(&b, o.part.right);
      PutF32(&b, o.part.bottom);
      b.push_back((unsigned char)o.num_corners);
      for (EngInt32 i = 0; i < o.num_corners && i < ENG_SPRITE_OUTLINES_MAX_CORNERS; i++) {
        PutF32(&b, o.corners[i][0]);
        PutF32(&b, o.corners[i][1]);
      }
    }
  }
  const EngUInt32 sum = Checksum(b.data() + kHeaderBytes, b.size() - kHeaderBytes);
  for (int i = 0; i < 4; i++) b[8 + size_t(i)] = (unsigned char)((sum >> (8 * i)) & 0xFF);
  return b;
}

void EngSpriteOutlinesReset() {
  pictures.clear();
  generation++;
}

EngUInt32 EngSpriteOutlinesGeneration() { return generation; }

char EngSpriteOutlinesLoadFromMemory(const unsigned char *bytes, size_t size, const char *name) {
  EngSpriteOutlinesReset();
  std::vector<_EngSpriteOutlinePicture> read;
  const char *why = "";
  if (!Parse(bytes, size, &read, &why)) {
    DebugErrorAlt(ENG_FUNC, "Load failed <%s>: %s; sprites are drawn whole.", EngReturnSafeString(name), why);
    return 0;
  }
  pictures = std::move(read);
  return 1;
}

char EngSpriteOutlinesLoadFile(const char *path) {
  EngSpriteOutlinesReset();
  if (!path || !path[0]) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  EngFile file;
  if (!file.OpenForReading(path, 0, 0)) {
    DebugErrorAlt(ENG_FUNC, "Load failed <%s>: it cannot be read; sprites are drawn whole.", path);
    return 0;
  }
  // One byte more than the largest file taken, so that a longer one shows as too long.
  std::vector<unsigned char> bytes(size_t(ENG_SPRITE_OUTLINES_MAX_BYTES) + 1);
  const EngUInt32 got = file.FRead(bytes.data(), EngUInt32(bytes.size()));
  file.Close();
  return EngSpriteOutlinesLoadFromMemory(bytes.data(), got, path);
}

EngInt32 EngSpriteOutlinesFindPicture(const char *file_name, EngInt32 width, EngInt32 height) {
  if (!file_name) return -1;
  const char *base = BaseName(file_name);
  for (size_t i = 0; i < pictures.size(); i++)
    if (pictures[i].width == width && pictures[i].height == height && pictures[i].name == base) return EngInt32(i);
  return -1;
}

const _EngSpriteOutline *EngSpriteOutlinesFindPart(EngInt32 picture, const _TexCoords *part) {
  if (picture < 0 || size_t(picture) >= pictures.size() || !part) return nullptr;
  for (const _EngSpriteOutline &o : pictures[size_t(picture)].parts)
    if (std::fabs(o.part.left - part->left) <= kPartTolerance && std::fabs(o.part.top - part->top) <= kPartTolerance &&
        std::fabs(o.part.right - part->right) <= kPartTolerance &&
        std::fabs(o.part.bottom - part->bottom) <= kPartTolerance)
      return &o;
  return nullptr;
}

void EngSpriteOutlinesSplit(const _EngSpriteOutline *outline, const float position[4][3], _EngSpriteOutlineSplit *out) {
  out->num_points = out->fan_triangles = out->rest_triangles = 0;
  if (!outline || outline->num_corners < 3 || outline->num_corners > ENG_SPRITE_OUTLINES_MAX_CORNERS) return;
  const _TexCoords &p = outline->part;
  const float du = p.right - p.left, dv = p.bottom - p.top;
  const EngInt32 n = outline->num_corners;
  for (EngInt32 c = 0; c < n; c++) {
    const float u = outline->corners[c][0], v = outline->corners[c][1];
    out->uv[c][0] = u;
    out->uv[c][1] = v;
    const float a = (u - p.left) / du, b = (v - p.top) / dv;
    for (int k = 0; k < 3; k++)
      out->at[c][k] =
          Between(Between(position[2][k], position[3][k], a), Between(position[0][k], position[1][k], a), b);
  }
  const float square[4][2] = {{p.left, p.bottom}, {p.right, p.bottom}, {p.left, p.top}, {p.right, p.top}};
  for (int k = 0; k < 4; k++) {
    out->uv[n + k][0] = square[k][0];
    out->uv[n + k][1] = square[k][1];
    for (int i = 0; i < 3; i++) out->at[n + k][i] = position[k][i];
  }
  out->num_points = n + 4;
  // Round the square in the outline's turning: strip corners 0, 1, 3, 2.
  const int ring[4] = {n, n + 1, n + 3, n + 2};
  const double turning = Cross(out->uv[ring[0]], out->uv[ring[1]], out->uv[ring[2]]) > 0.0 ? 1.0 : -1.0;
  EngInt32 count = 0;
  auto add = [&](int a, int b, int c) {
    const double twice = Cross(out->uv[a], out->uv[b], out->uv[c]);
    if (twice == 0.0 || count >= ENG_SPRITE_OUTLINES_MAX_SPLIT_TRIANGLES) return 0;
    if (twice * turning < 0.0) std::swap(b, c);
    out->triangles[count][0] = EngUInt8(a);
    out->triangles[count][1] = EngUInt8(b);
    out->triangles[count][2] = EngUInt8(c);
    count++;
    return 1;
  };
  for (EngInt32 t = 1; t + 1 < n; t++) out->fan_triangles += add(0, t, t + 1);
  // The rest: each outline edge with the square's corner furthest out beyond it, and at each
  // outline corner the square's corners between those of its two edges. An edge along a side of
  // the square ties that side's two corners: the first round the square is taken, as for every
  // edge, so that the corners come round once.
  auto furthest = [&](EngInt32 i) {
    const float *a = out->uv[i], *b = out->uv[(i + 1) % n];
    const double nx = turning * (double(b[1]) - a[1]), ny = -turning * (double(b[0]) - a[0]);
    double reach[4], most = -1e300;
    for (int k = 0; k < 4; k++) {
      reach[k] = nx * out->uv[ring[k]][0] + ny * out->uv[ring[k]][1];
      most = std::max(most, reach[k]);
    }
    for (int k = 0; k < 4; k++)
      if (reach[k] == most && reach[(k + 3) % 4] != most) return k;
    return 0;
  };
  int first = furthest(0), from = first;
  for (EngInt32 i = 0; i < n; i++) {
    const EngInt32 j = (i + 1) % n;
    out->rest_triangles += add(i, j, ring[from]);
    const int to = j == 0 ? first : furthest(j);
    for (int k = from, steps = 0; k != to && steps < 4; k = (k + 1) % 4, steps++)
      out->rest_triangles += add(j, ring[k], ring[(k + 1) % 4]);
    from = to;
  }
}
