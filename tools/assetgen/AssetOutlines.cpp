// The outlines job: for each picture drawn as sprites and each part of it drawn, the convex
// polygon outside which every sample is fully transparent, read from the made picture's pixels
// as the engine's loader decodes them, written as the engine reads them (EngSpriteOutlines.h).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngImageDecode.h"
#include "Engine/EngMath.h"
#include "Engine/EngMemory.h"
#include "Engine/EngSpriteOutlines.h"
#include "Engine/EngTexturePixels.h"
#include "tools/assetgen/Assetgen.h"

namespace assetgen {

namespace {

struct Point {
  double x, y;
};

// The alpha of a picture's pixels, rows top first.
struct Alphas {
  int width = 0, height = 0;
  std::vector<unsigned char> alpha;
  unsigned char At(int x, int y) const {
    // The texture repeats past its edges.
    const int tx = ((x % width) + width) % width, ty = ((y % height) + height) % height;
    return alpha[size_t(ty) * size_t(width) + size_t(tx)];
  }
};

struct PictureEntry {
  std::string picture;  // relative to resources/
  int alpha_mode = 2, max_corners = 16;
  std::vector<_TexCoords> parts;  // none: the whole picture as the engine draws it
  int line = 0;
};

// The directions of the edges of the finest polygon; every second and every fourth of them
// give the coarser ones (eight edges and the box).
constexpr int kDirections = 16;

std::vector<PictureEntry> Entries(const Job &job) {
  const JsonValue &list = Member(job.desc, "pictures");
  if (!list.IsArray() || list.items.empty())
    throw AssetError("line " + std::to_string(list.line) + ": \"pictures\" must be an array of pictures");
  const int max_corners = MemberInt(job.desc, "corners", 4, ENG_SPRITE_OUTLINES_MAX_CORNERS, 8);
  std::vector<PictureEntry> out;
  for (const JsonValue &e : list.items) {
    const std::string at = "line " + std::to_string(e.line) + ": ";
    if (!e.IsObject()) throw AssetError(at + "a picture must be an object");
    PictureEntry p;
    p.picture = MemberString(e, "picture");
    p.alpha_mode = MemberInt(e, "alpha_mode", 0, 9, 2);
    p.max_corners = MemberInt(e, "corners", 4, ENG_SPRITE_OUTLINES_MAX_CORNERS, max_corners);
    p.line = e.line;
    if (p.max_corners != 4 && p.max_corners != 8 && p.max_corners != 16)
      throw AssetError(at + "\"corners\" must be 4, 8 or 16");
    const std::string base = p.picture.substr(p.picture.rfind('/') + 1);
    if (base.empty() || base.size() > size_t(ENG_SPRITE_OUTLINES_MAX_NAME))
      throw AssetError(at + "picture \"" + p.picture + "\" has no name the engine can look up");
    for (const PictureEntry &o : out)
      if (o.picture.substr(o.picture.rfind('/') + 1) == base)
        throw AssetError(at + "picture \"" + p.picture + "\" has the name of the one on line " +
                         std::to_string(o.line));
    if (const JsonValue *grid = e.Find("grid")) {
      std::vector<double> g = Numbers(*grid, 2, "\"grid\" [columns, rows]");
      if (g[0] != std::floor(g[0]) || g[1] != std::floor(g[1]) || g[0] < 1 || g[1] < 1 || g[0] * g[1] > 64)
        throw AssetError(at + "\"grid\" must be whole columns and rows, at most 64 cells");
      const int columns = int(g[0]), rows = int(g[1]);
      // Row by row, as a frame sheet is read.
      for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++)
          p.parts.push_back({float(c) / float(columns), float(r) / float(rows), float(c + 1) / float(columns),
                             float(r + 1) / float(rows)});
    }
    if (const JsonValue *parts = e.Find("parts")) {
      if (!parts->IsArray()) throw AssetError(at + "\"parts\" must be an array of [left, top, right, bottom]");
      for (const JsonValue &part : parts->items) {
        std::vector<double> v = Numbers(part, 4, "a part [left, top, right, bottom]");
        for (double n : v)
          if (n < 0.0 || n > 1.0)
            throw AssetError("line " + std::to_string(part.line) + ": a part lies outside its picture");
        if (v[0] == v[2] || v[1] == v[3])
          throw AssetError("line " + std::to_string(part.line) + ": a part has no area");
        p.parts.push_back({float(v[0]), float(v[1]), float(v[2]), float(v[3])});
      }
    }
    if (p.parts.size() > size_t(ENG_SPRITE_OUTLINES_MAX_PARTS)) throw AssetError(at + "too many parts");
    out.push_back(p);
  }
  if (out.size() > size_t(ENG_SPRITE_OUTLINES_MAX_PICTURES)) throw AssetError("too many pictures");
  return out;
}

// The alpha the engine's texture holds once it has loaded the file with this alpha mode.
Alphas ReadAlphas(const std::string &path, const std::string &label, int alpha_mode) {
  EngFile file;
  const bool jpeg = file.OpenForReading(path.c_str(), 0, 0) && EngImageDecodeIsJpeg(&file);
  file.Close();
  int w = 0, h = 0, channels = 0;
  unsigned char *pixels =
      jpeg ? EngTextureGL_JpegLoadTextureToData(path.c_str(), 4, char(alpha_mode), &w, &h, &channels)
           : SOIL_load_OGL_texture_to_memory(path.c_str(), 4, ENG_SOIL_FLAG_MULTIPLY_ALPHA, &w, &h, &channels);
  if (!pixels || channels != 4 || w <= 0 || h <= 0) {
    if (pixels) jpeg ? EngFree(pixels, 0, ENG_FUNC) : EngImageDecodeFree(pixels);
    throw AssetError("picture \"" + label + "\" cannot be read as the game reads it");
  }
  Alphas a;
  a.width = w;
  a.height = h;
  a.alpha.resize(size_t(w) * size_t(h));
  for (size_t i = 0; i < a.alpha.size(); i++) {
    const unsigned char *p = pixels + i * 4;
    // The loader's own alpha pass for pictures that are not JPEG files.
    a.alpha[i] = jpeg || alpha_mode == 2 || alpha_mode == 9 ? p[3]
                 : alpha_mode == 0                          ? 255
                 : alpha_mode == 1                          ? 0
                                   : EngTexture_GetPixelAlphaFromBrightness(char(alpha_mode), p[0], p[1], p[2]);
  }
  jpeg ? EngFree(pixels, 0, ENG_FUNC) : EngImageDecodeFree(pixels);
  return a;
}

// The convex polygon clipped by the half-plane n.p <= d.
std::vector<Point> Clip(const std::vector<Point> &poly, double nx, double ny, double d) {
  std::vector<Point> out;
  for (size_t i = 0; i < poly.size(); i++) {
    const Point &a = poly[i], &b = poly[(i + 1) % poly.size()];
    const double da = nx * a.x + ny * a.y - d, db = nx * b.x + ny * b.y - d;
    if (da <= 0.0) out.push_back(a);
    if ((da < 0.0 && db > 0.0) || (da > 0.0 && db < 0.0)) {
      const double t = da / (da - db);
      out.push_back({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t});
    }
  }
  return out;
}

double Area(const std::vector<Point> &poly) {
  double twice = 0.0;
  for (size_t i = 0; i < poly.size(); i++) {
    const Point &a = poly[i], &b = poly[(i + 1) % poly.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return std::fabs(twice) * 0.5;
}

// Corners that do not turn the polygon (closer than a thousandth of a texel to the line of
// their neighbours, or to a neighbour) are left out: the polygon loses less than its margin.
std::vector<Point> Simplify(std::vector<Point> poly) {
  bool changed = true;
  while (changed && poly.size() > 3) {
    changed = false;
    for (size_t i = 0; i < poly.size() && poly.size() > 3; i++) {
      const Point &a = poly[(i + poly.size() - 1) % poly.size()], &b = poly[i], &c = poly[(i + 1) % poly.size()];
      const double ax = c.x - a.x, ay = c.y - a.y, length = std::hypot(ax, ay);
      const double off = length > 0.0 ? std::fabs(ax * (b.y - a.y) - ay * (b.x - a.x)) / length : 0.0;
      if (off < 0.001 || std::hypot(b.x - a.x, b.y - a.y) < 0.001) {
        poly.erase(poly.begin() + long(i));
        changed = true;
      }
    }
  }
  return poly;
}

// The part's outline: a polygon of at most max_corners corners, in texels.
_EngSpriteOutline FindOutline(const Alphas &a, const _TexCoords &part, int max_corners) {
  _EngSpriteOutline o;
  o.part = part;
  o.num_corners = 0;
  const double w = a.width, h = a.height;
  const double x0 = std::min(part.left, part.right) * w, x1 = std::max(part.left, part.right) * w;
  const double y0 = std::min(part.top, part.bottom) * h, y1 = std::max(part.top, part.bottom) * h;
  const std::vector<Point> rect = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
  // Linear filtering blends the texels whose centres lie within one texel of a sample (the
  // texture repeats past its edges). The square kept round a texel that shows reaches half a
  // texel further, room for the rounding of where a pixel's sample lands (the rasteriser places
  // corners in 256ths of a pixel: under half a texel short of 128 texels to a pixel), so that a
  // pixel outside the polygon takes nothing from any texel that shows. Each direction's furthest
  // such square bounds the polygon.
  double nx[kDirections], ny[kDirections], reach[kDirections], support[kDirections];
  for (int k = 0; k < kDirections; k++) {
    const double angle = double(k) * ENG_MATH_TWO_PI / double(kDirections);
    nx[k] = std::cos(angle);
    ny[k] = std::sin(angle);
    reach[k] = 1.5 * (std::fabs(nx[k]) + std::fabs(ny[k]));
    support[k] = -1e30;
  }
  bool shows = false;
  const int first_x = int(std::floor(x0)) - 2, last_x = int(std::ceil(x1)) + 1;
  const int first_y = int(std::floor(y0)) - 2, last_y = int(std::ceil(y1)) + 1;
  for (int y = first_y; y <= last_y; y++)
    for (int x = first_x; x <= last_x; x++) {
      if (a.At(x, y) == 0) continue;
      const double cx = x + 0.5, cy = y + 0.5;
      // Squares wholly outside the part colour nothing drawn.
      if (cx + 1.5 <= x0 || cx - 1.5 >= x1 || cy + 1.5 <= y0 || cy - 1.5 >= y1) continue;
      shows = true;
      for (int k = 0; k < kDirections; k++) support[k] = std::max(support[k], nx[k] * cx + ny[k] * cy + reach[k]);
    }
  if (!shows) return o;
  // The box, eight edges, sixteen: the finer one is taken while it saves a twentieth of the
  // coarser one's area; drawing each corner costs something on any rasteriser.
  std::vector<Point> best;
  for (int step = 4; step >= 1 && kDirections / step <= max_corners; step /= 2) {
    std::vector<Point> poly = rect;
    // A hair outward, so that rounding never cuts a showing sample.
    for (int k = 0; k < kDirections && poly.size() >= 3; k += step) poly = Clip(poly, nx[k], ny[k], support[k] + 0.01);
    poly = Simplify(poly);
    if (poly.size() < 3 || poly.size() > size_t(ENG_SPRITE_OUTLINES_MAX_CORNERS)) continue;
    if (best.empty() || Area(poly) < 0.95 * Area(best)) best = poly;
  }
  if (best.empty()) best = rect;
  // In texture coordinates, turning as the part's quad turns (the engine checks it too).
  o.num_corners = EngInt32(best.size());
  for (size_t i = 0; i < best.size(); i++) {
    o.corners[i][0] = float(best[i].x / w);
    o.corners[i][1] = float(best[i].y / h);
  }
  double twice = 0.0;
  for (size_t i = 0; i < best.size(); i++) {
    const Point &p = best[i], &q = best[(i + 1) % best.size()];
    twice += p.x * q.y - q.x * p.y;
  }
  const double part_turning = -double(part.right - part.left) * double(part.bottom - part.top);
  if ((twice > 0.0) != (part_turning > 0.0)) std::reverse(o.corners, o.corners + best.size());
  return o;
}

}  // namespace

static void DescribeOutlines(Job &job) {
  for (const PictureEntry &p : Entries(job)) job.made_inputs.push_back(p.picture);
}

static void MakeOutlines(const Job &job, const Context &ctx, const std::string &path) {
  std::vector<_EngSpriteOutlinePicture> pictures;
  for (const PictureEntry &entry : Entries(job)) {
    const Alphas a = ReadAlphas(PathJoin(ctx.out_dir, entry.picture), entry.picture, entry.alpha_mode);
    _EngSpriteOutlinePicture pic;
    pic.name = entry.picture.substr(entry.picture.rfind('/') + 1);
    pic.width = a.width;
    pic.height = a.height;
    std::vector<_TexCoords> parts = entry.parts;
    // The whole picture as the engine draws it: its texture coordinates stop a texel short of
    // each edge.
    if (parts.empty())
      parts.push_back(
          {1.0f / float(a.width), 1.0f / float(a.height), 1.0f - 1.0f / float(a.width), 1.0f - 1.0f / float(a.height)});
    for (const _TexCoords &part : parts) pic.parts.push_back(FindOutline(a, part, entry.max_corners));
    pictures.push_back(pic);
  }
  const std::vector<unsigned char> bytes = EngSpriteOutlinesEncode(pictures);
  FILE *f = fopen(path.c_str(), "wb");
  if (!f) throw AssetError("cannot write " + path);
  const bool written = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (fclose(f) != 0 || !written) throw AssetError("cannot write " + path);
}

static JobKindRegistrar outlines_kind({"outlines", DescribeOutlines, MakeOutlines});

}  // namespace assetgen
