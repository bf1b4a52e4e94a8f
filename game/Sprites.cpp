#include "game/Sprites.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMath.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"
#include "game/Quarrelwick.h"

namespace {

struct Batch {
  EngTexture *tex;
  std::vector<_EngTextureCornersInfo> quads;
  long sprites;  // a sprite may take several quads
};

bool collecting = false;
// Per layer, the batches in the order their textures were first used.
std::vector<Batch> layers[SPRITES_LAYERS];
long drawn_count = 0;

// --- Outlines --------------------------------------------------------------------------------
//
// Most of a sprite's square is transparent (a bug fills under a third of it). A picture's part
// may be drawn as a convex polygon outside which every sample is fully transparent: the pixels
// are those of the whole square, and the software rasteriser shades far fewer of them. Which
// polygon (the box, eight or sixteen edges) is cheapest depends on the size it is drawn at.

struct Point {
  float x, y;
};

// A convex polygon round a part's visible texels, in texture coordinates in order round it,
// with what drawing it as a fan of triangles costs: its area and perimeter, and the length of
// the edges its triangles share (in texels).
struct Shape {
  std::vector<Point> corners;
  float area, perimeter, shared;
};

struct Outline {
  EngTexture *tex;
  _TexCoords part;
  char invisible;             // no sample of the part shows
  std::vector<Shape> shapes;  // from the fewest corners; none: only the whole part
  Shape whole;
};

// The alpha of a texture's texels, read once for all its parts.
struct Alphas {
  EngTexture *tex;
  EngInt32 width, height;
  std::vector<EngUInt8> alpha;  // empty: not readable
};

// Pictures change only by an upload; the outlines are found again after any.
std::vector<Outline> outlines;
std::vector<Alphas> alphas;
EngUInt32 outlines_uploads = 0;

// The directions of the edges of the finest polygon; every second and every fourth of them
// give the coarser ones (eight edges and the box).
constexpr int kDirections = 16;

const Alphas &AlphasOf(EngTexture *tex) {
  for (const Alphas &a : alphas)
    if (a.tex == tex) return a;
  alphas.push_back({tex, tex->GetWidth(), tex->GetHeight(), {}});
  Alphas &a = alphas.back();
  if (a.width <= 0 || a.height <= 0 || tex->GetNumChannels() != 4) return a;
  _EngTextureGetPixelDataInfo info;
  if (!tex->PrepareToGetPixelData(&info)) return a;
  // Only an image as wide as the texture says can be read texel by texel.
  if (info.pitch == EngUInt32(a.width) * 4) {
    a.alpha.resize(size_t(a.width) * size_t(a.height));
    for (EngInt32 y = 0; y < a.height; y++)
      for (EngInt32 x = 0; x < a.width; x++)
        a.alpha[size_t(y) * size_t(a.width) + size_t(x)] = info.data[(size_t(y) * info.pitch) + size_t(x) * 4 + 3];
  }
  tex->RestoreAfterGettingPixelData(&info);
  return a;
}

// The convex polygon clipped by the half-plane n.p <= d.
std::vector<Point> Clip(const std::vector<Point> &poly, float nx, float ny, float d) {
  std::vector<Point> out;
  for (size_t i = 0; i < poly.size(); i++) {
    const Point &a = poly[i], &b = poly[(i + 1) % poly.size()];
    const float da = nx * a.x + ny * a.y - d, db = nx * b.x + ny * b.y - d;
    if (da <= 0.0f) out.push_back(a);
    if ((da < 0.0f && db > 0.0f) || (da > 0.0f && db < 0.0f)) {
      const float t = da / (da - db);
      out.push_back({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t});
    }
  }
  return out;
}

float SignedArea(const std::vector<Point> &poly) {
  float twice = 0.0f;
  for (size_t i = 0; i < poly.size(); i++) {
    const Point &a = poly[i], &b = poly[(i + 1) % poly.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return twice * 0.5f;
}

float Area(const std::vector<Point> &poly) { return std::fabs(SignedArea(poly)); }

float Distance(const Point &a, const Point &b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The polygon (in texels) as a shape in texture coordinates, turning the way the whole part's
// triangles turn so that culling treats them alike.
Shape MakeShape(std::vector<Point> poly, const _TexCoords &part, float w, float h) {
  Shape shape{{}, Area(poly), 0.0f, 0.0f};
  for (size_t i = 0; i < poly.size(); i++) shape.perimeter += Distance(poly[i], poly[(i + 1) % poly.size()]);
  // The fan's shared edges: from the first corner to every second one after it.
  for (size_t i = 3; i + 1 < poly.size(); i += 2) shape.shared += Distance(poly[0], poly[i]);
  // Each quad's own diagonal (an odd last triangle has none).
  for (size_t i = 1; i + 2 < poly.size(); i += 2) shape.shared += Distance(poly[i], poly[i + 2]);
  for (Point &p : poly) p = {p.x / w, p.y / h};
  const float du = part.right - part.left, dv = part.bottom - part.top;
  if ((SignedArea(poly) > 0.0f) != (-du * dv > 0.0f)) std::reverse(poly.begin(), poly.end());
  shape.corners = poly;
  return shape;
}

void FindOutline(Outline *o) {
  o->invisible = 0;
  o->shapes.clear();
  const Alphas &a = AlphasOf(o->tex);
  const float w = float(a.width), h = float(a.height);
  // The part in texels.
  const float x0 = std::min(o->part.left, o->part.right) * w, x1 = std::max(o->part.left, o->part.right) * w;
  const float y0 = std::min(o->part.top, o->part.bottom) * h, y1 = std::max(o->part.top, o->part.bottom) * h;
  const std::vector<Point> rect = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
  o->whole = MakeShape(rect, o->part, w > 0.0f ? w : 1.0f, h > 0.0f ? h : 1.0f);
  if (a.alpha.empty()) return;
  if (!(x1 > x0) || !(y1 > y0) || x0 < -w || y0 < -h || x1 > 2.0f * w || y1 > 2.0f * h) return;
  // Linear filtering blends the texels whose centres lie within one texel of a sample (the
  // texture repeats past its edges): a texel that shows may colour the square reaching one
  // texel beyond it all round. Each direction's furthest such square bounds the polygon.
  float nx[kDirections], ny[kDirections], reach[kDirections], support[kDirections];
  for (int k = 0; k < kDirections; k++) {
    const float angle = float(k) * ENG_MATH_TWO_PI / float(kDirections);
    nx[k] = std::cos(angle);
    ny[k] = std::sin(angle);
    reach[k] = 1.5f * (std::fabs(nx[k]) + std::fabs(ny[k]));
    support[k] = -1e30f;
  }
  bool shows = false;
  const int first_x = int(std::floor(x0)) - 2, last_x = int(std::ceil(x1)) + 1;
  const int first_y = int(std::floor(y0)) - 2, last_y = int(std::ceil(y1)) + 1;
  for (int y = first_y; y <= last_y; y++)
    for (int x = first_x; x <= last_x; x++) {
      const int tx = ((x % a.width) + a.width) % a.width, ty = ((y % a.height) + a.height) % a.height;
      if (a.alpha[size_t(ty) * size_t(a.width) + size_t(tx)] == 0) continue;
      const float cx = float(x) + 0.5f, cy = float(y) + 0.5f;
      // Squares wholly outside the part colour nothing drawn.
      if (cx + 1.5f <= x0 || cx - 1.5f >= x1 || cy + 1.5f <= y0 || cy - 1.5f >= y1) continue;
      shows = true;
      for (int k = 0; k < kDirections; k++) support[k] = std::max(support[k], nx[k] * cx + ny[k] * cy + reach[k]);
    }
  if (!shows) {
    o->invisible = 1;
    return;
  }
  for (int step = 4; step >= 1; step /= 2) {
    std::vector<Point> poly = rect;
    // A hair outward, so that rounding never cuts a showing sample.
    for (int k = 0; k < kDirections && poly.size() >= 3; k += step) poly = Clip(poly, nx[k], ny[k], support[k] + 0.01f);
    // Corners closer than a hundredth of a texel are one.
    std::vector<Point> corners;
    for (const Point &p : poly)
      if (corners.empty() || Distance(p, corners.back()) > 0.01f) corners.push_back(p);
    while (corners.size() > 1 && Distance(corners.front(), corners.back()) <= 0.01f) corners.pop_back();
    if (corners.size() >= 3) o->shapes.push_back(MakeShape(corners, o->part, w, h));
  }
}

const Outline &OutlineOf(EngTexture *tex, const _TexCoords &part) {
  const EngUInt32 uploads = EngTextureGetUploadCount();
  if (uploads != outlines_uploads) {
    outlines.clear();
    alphas.clear();
    outlines_uploads = uploads;
  }
  for (const Outline &o : outlines)
    if (o.tex == tex && o.part.left == part.left && o.part.top == part.top && o.part.right == part.right &&
        o.part.bottom == part.bottom)
      return o;
  outlines.push_back({tex, part, 0, {}, {}});
  FindOutline(&outlines.back());
  return outlines.back();
}

}  // namespace

long SpritesGetDrawnCount() { return drawn_count; }

void SpritesResetForTests() {
  collecting = false;
  for (auto &l : layers) l.clear();
  outlines.clear();
  alphas.clear();
}

void SpritesBegin() {
  for (auto &l : layers)
    for (Batch &b : l) {
      b.quads.clear();
      b.sprites = 0;
    }
  collecting = true;
}

void SpritesAdd(int layer, EngTexture *tex, float x, float y, float ox, float oy, float angle, char squash, float half,
                const _TexCoords *part, float r, float g, float b, float a) {
  SpritesAddRect(layer, tex, x, y, ox, oy, angle, squash, -half, -half, 2.0f * half, 2.0f * half, part, r, g, b, a);
}

void SpritesAddRect(int layer, EngTexture *tex, float x, float y, float ox, float oy, float angle, char squash,
                    float rx, float ry, float rw, float rh, const _TexCoords *part, float r, float g, float b,
                    float a) {
  if (!tex || !(rw > 0.0f) || !(rh > 0.0f)) return;
  if (!collecting || layer < 0 || layer >= SPRITES_LAYERS) {
    drawn_count++;
    QuarrelwickSetupPosAndZRotMatrices(x, y, ox, oy, angle, squash, 1);
    tex->PositionPure(rx, ry, rw, rh);
    if (part)
      tex->DrawPartWithColourPure(part, r, g, b, a);
    else
      tex->DrawWithColourPure(r, g, b, a);
    QuarrelwickRestoreAfterSettingUpPosAndZRotMatrices();
    return;
  }
  std::vector<Batch> &l = layers[layer];
  Batch *batch = nullptr;
  for (Batch &candidate : l)
    if (candidate.tex == tex) batch = &candidate;
  if (!batch) {
    l.push_back({tex, {}, 0});
    batch = &l.back();
  }
  _TexCoords full;
  if (!part) {
    tex->RestoreTexCoordinates();
    const _TexCoords *tc = tex->GetTexCoordinates();
    if (!tc) return;
    full = *tc;
    part = &full;
  }
  // The sprite transform: squash, move by -offset, turn by pi/2 - angle, move to the point.
  const float turn = QW_FACING_UP - angle, c = std::cos(turn), s = std::sin(turn);
  const float sx = squash ? QW_SPRITE_SQUASH : 1.0f;
  _EngTextureCornersInfo q;
  for (int k = 0; k < 4; k++) {
    q.position[k][2] = 0.0f;
    q.colour[k][0] = r;
    q.colour[k][1] = g;
    q.colour[k][2] = b;
    q.colour[k][3] = a;
  }
  // A point of the picture's part (texture coordinates u, v) placed on the field: u runs from
  // the rectangle's left to its right, v from its top (at -ry, up in these units) down.
  const float du = part->right - part->left, dv = part->bottom - part->top;
  auto place = [&](int k, float u, float v) {
    const float lx = rx + (u - part->left) / du * rw, ly = -ry - (v - part->top) / dv * rh;
    const float px = lx * sx - ox, py = ly - oy;
    q.position[k][0] = px * c - py * s + x + ox;
    q.position[k][1] = px * s + py * c + oy - y;
    q.tex_coords[k][0] = u;
    q.tex_coords[k][1] = v;
  };
  const Outline *outline = QuarrelwickFrameShortcutsOn() && du != 0.0f && dv != 0.0f ? &OutlineOf(tex, *part) : nullptr;
  if (outline && outline->invisible) return;
  batch->sprites++;
  const Shape *shape = outline ? &outline->whole : nullptr;
  if (outline && !outline->shapes.empty()) {
    // The rasteriser shades blocks of pixels: a triangle pays for its area and for the blocks
    // its edges cross, and an edge two triangles share is crossed twice. The cheapest shape
    // at the size drawn (pixels per texel) is drawn.
    const float texels = std::fabs(du) * float(tex->GetWidth());
    const float k =
        texels > 0.0f ? std::fabs(rw) * sx * QW_FIELD_WIDTH * 0.5f * eng_main_window_x_ratio / texels : 1.0f;
    auto cost = [k](const Shape &sh) { return k * k * sh.area + k * (2.0f * sh.perimeter + 4.0f * sh.shared); };
    float best = cost(*shape);
    for (const Shape &candidate : outline->shapes)
      if (cost(candidate) < best) {
        best = cost(candidate);
        shape = &candidate;
      }
  }
  if (!shape || shape == &outline->whole) {
    // Corners in strip order: left-bottom, right-bottom, left-top, right-top.
    place(0, part->left, part->bottom);
    place(1, part->right, part->bottom);
    place(2, part->left, part->top);
    place(3, part->right, part->top);
    batch->quads.push_back(q);
    return;
  }
  // The polygon as a fan from its first corner, two triangles to a quad (A, B, C, D round it
  // in strip order A, B, D, C); an odd last one repeats C. Shared edges have the same ends, so
  // no pixel is drawn twice or missed.
  const std::vector<Point> &p = shape->corners;
  for (size_t i = 1; i + 1 < p.size(); i += 2) {
    const size_t d = i + 2 < p.size() ? i + 2 : i + 1;
    place(0, p[0].x, p[0].y);
    place(1, p[i].x, p[i].y);
    place(2, p[d].x, p[d].y);
    place(3, p[i + 1].x, p[i + 1].y);
    batch->quads.push_back(q);
  }
}

void SpritesFlush() {
  collecting = false;
  if (!eng_main_device) return;
  // The kept corners are in play-field units already: draw them untransformed.
  QuarrelwickSetupPosAndZRotMatrices(0.0f, 0.0f, 0.0f, 0.0f, QW_FACING_UP, 0, 1);
  for (auto &l : layers)
    for (Batch &b : l)
      if (!b.quads.empty()) {
        b.tex->DrawSpecifyingCornersList(b.quads.data(), EngInt32(b.quads.size()));
        drawn_count += b.sprites;
        b.quads.clear();
        b.sprites = 0;
      }
  QuarrelwickRestoreAfterSettingUpPosAndZRotMatrices();
}
