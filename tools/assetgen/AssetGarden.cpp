// The garden job: one description (the road as a polyline, its width, the scenery and the
// house) gives both the path data "TravCalcs<g>.dat" and the picture "Level<g>.jpg", from the
// same geometry, so the drawn road and the grid of path cells cannot disagree.
//
// Play-field units: the visible field is -1..1 on both axes, y down, laid over the game's
// placement grid (game/PlayField.h). A picture pixel is half a grid cell, so the picture's
// border, twice the grid's margin, is never shown.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>

#include "Engine/EngMath.h"
#include "game/PlayField.h"
#include "tools/assetgen/AssetImage.h"
#include "tools/assetgen/Assetgen.h"

namespace assetgen {

namespace {

const int kMaxSteps = 16000, kMaxPoints = 16001, kGrid = QW_GRID_SIZE;
const double kCellsPerUnit = QW_GRID_SPAN * 0.5, kPixelsPerCell = 2.0;
// Grid bytes: 0 free ground, 1 road, 2 the house or solid scenery; any non-zero byte is no
// place for a weapon.
const uint8_t kSolidCell = 2;
const size_t kFileBytes = 454172;
// The shade along the garden's top edge (field units, -1 the top): full down to kShadeFull,
// gone at kShadeFade.
const double kShadeFull = -0.74, kShadeFade = -0.56, kShadeOpacity = 0.6;

struct Pt {
  double x, y;
};

Pt operator+(Pt a, Pt b) { return {a.x + b.x, a.y + b.y}; }
Pt operator-(Pt a, Pt b) { return {a.x - b.x, a.y - b.y}; }
Pt operator*(Pt a, double k) { return {a.x * k, a.y * k}; }
double Len(Pt a) { return std::hypot(a.x, a.y); }

// A field coordinate's grid cell, unrounded (QwGridCellUnclamped before its rounding), and a
// cell's centre in field units.
double CellOf(double v) { return (v + 1.0) * kCellsPerUnit + QW_GRID_MARGIN; }
double CellCentre(int c) { return (c - QW_GRID_MARGIN) / kCellsPerUnit - 1.0; }

double SegmentDistance(Pt p, Pt a, Pt b) {
  Pt ab = b - a, ap = p - a;
  double l2 = ab.x * ab.x + ab.y * ab.y;
  double t = l2 > 0 ? std::clamp((ap.x * ab.x + ap.y * ab.y) / l2, 0.0, 1.0) : 0.0;
  return Len(p - (a + ab * t));
}

std::string At(const JsonValue &v) { return "line " + std::to_string(v.line) + ": "; }

Pt MemberPoint(const JsonValue &desc, const char *name) {
  std::vector<double> v = Numbers(Member(desc, name), 2, name);
  return {v[0], v[1]};
}

// A small deterministic random source, so a description always gives the same files.
class Random {
 public:
  explicit Random(uint64_t seed) : m_state(seed * 2654435761u + 0x9E3779B97F4A7C15ull) {}
  double Next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 7;
    m_state ^= m_state << 17;
    return double(m_state >> 11) / double(1ull << 53);
  }
  double Range(double lo, double hi) { return lo + (hi - lo) * Next(); }

 private:
  uint64_t m_state;
};

struct Item {
  std::string kind;
  Pt at;
  double size;     // radius in play-field units
  Pt size2;        // both radii, for ponds
  std::string colour;
  Pt to;           // the far end, for hedges
  int line;
};

struct House {
  double width, depth;
  int under_steps;
  std::string roof;
};

struct Garden {
  double width = 0.18, step = 0.0005;
  double corner_radius = 0.15;
  std::vector<Pt> control;
  std::vector<Pt> centre;  // the road's centre line, finely divided
  std::vector<Pt> points;  // the point of every step
  std::vector<float> angles;
  std::vector<uint8_t> grid;
  std::vector<Item> items;
  House house{0.32, 0.26, 100, "@roof"};
  uint64_t seed = 1;
  int scatter_flowers = 0, scatter_rocks = 0, scatter_tufts = 0;
};

// Rounds each corner of the control polyline with an arc of the given radius (less where
// the legs are short), then divides the whole line finely.
std::vector<Pt> SmoothCentre(const std::vector<Pt> &control, double radius) {
  std::vector<Pt> line{control.front()};
  auto add_line_to = [&](Pt b) {
    Pt a = line.back();
    int n = std::max(1, int(std::ceil(Len(b - a) / 0.002)));
    for (int k = 1; k <= n; k++) line.push_back(a + (b - a) * (double(k) / n));
  };
  for (size_t i = 1; i + 1 < control.size(); i++) {
    Pt c = control[i], in = c - control[i - 1], out = control[i + 1] - c;
    double lin = Len(in), lout = Len(out);
    Pt u = in * (1.0 / lin), w = out * (1.0 / lout);
    double turn = std::acos(std::clamp(u.x * w.x + u.y * w.y, -1.0, 1.0));
    if (turn < 1e-6 || radius <= 0) {
      add_line_to(c);
      continue;
    }
    double t = std::min(radius * std::tan(turn * 0.5), 0.5 * std::min(lin, lout));
    double r = t / std::tan(turn * 0.5);
    Pt a = c - u * t, b = c + w * t;
    double cross = u.x * w.y - u.y * w.x;
    Pt n = cross > 0 ? Pt{-u.y, u.x} : Pt{u.y, -u.x};
    Pt centre = a + n * r;
    add_line_to(a);
    double a0 = std::atan2(a.y - centre.y, a.x - centre.x), a1 = std::atan2(b.y - centre.y, b.x - centre.x);
    double sweep = a1 - a0;
    while (sweep > ENG_MATH_PI) sweep -= ENG_MATH_TWO_PI;
    while (sweep < -ENG_MATH_PI) sweep += ENG_MATH_TWO_PI;
    int pieces = std::max(2, int(std::ceil(std::fabs(sweep) * r / 0.002)));
    for (int k = 1; k <= pieces; k++) {
      double ang = a0 + sweep * k / pieces;
      line.push_back(centre + Pt{std::cos(ang), std::sin(ang)} * r);
    }
  }
  add_line_to(control.back());
  return line;
}

double DistanceToRoad(const Garden &g, Pt p) {
  double best = 1e9;
  for (size_t i = 0; i + 1 < g.centre.size(); i++) {
    const Pt &a = g.centre[i], &b = g.centre[i + 1];
    // Cheap reject by the segment's box.
    if (std::min(a.x, b.x) - best > p.x || std::max(a.x, b.x) + best < p.x || std::min(a.y, b.y) - best > p.y ||
        std::max(a.y, b.y) + best < p.y)
      continue;
    best = std::min(best, SegmentDistance(p, a, b));
  }
  return best;
}

// Where the house stands: the front wall crosses the road `under_steps` steps before its end,
// and the house runs on along the last heading. The picture and the grid both take it from
// here.
struct HouseFrame {
  Pt front, centre, dir;
  double angle, half_width, half_depth;
};

HouseFrame HouseOf(const Garden &g) {
  HouseFrame h;
  int n = int(g.points.size()) - 1;
  int front_i = std::max(0, n - g.house.under_steps);
  h.front = g.points[size_t(front_i)];
  Pt dir = g.points[size_t(n)] - g.points[size_t(std::max(0, n - 40))];
  double l = Len(dir);
  h.dir = l > 0 ? dir * (1.0 / l) : Pt{1, 0};
  h.centre = h.front + h.dir * (g.house.depth * 0.5);
  h.angle = std::atan2(h.dir.y, h.dir.x);
  h.half_width = g.house.width * 0.5;
  h.half_depth = g.house.depth * 0.5;
  return h;
}

// Whether a point lies on the house or on a solid scenery item (tree, bush, hedge, rock,
// pond) as the picture draws them. Flower beds and the scattered pebbles and tufts are
// ground a weapon may stand on.
bool OnSolidGround(const Garden &g, const HouseFrame &house, Pt c) {
  Pt d = c - house.centre;
  double along = d.x * house.dir.x + d.y * house.dir.y, across = -d.x * house.dir.y + d.y * house.dir.x;
  if (std::fabs(along) <= house.half_depth && std::fabs(across) <= house.half_width) return true;
  for (const Item &it : g.items) {
    if (it.kind == "pond") {
      // The stone rim around the water.
      double rx = it.size2.x + 0.012, ry = it.size2.y + 0.012, dx = (c.x - it.at.x) / rx, dy = (c.y - it.at.y) / ry;
      if (dx * dx + dy * dy <= 1.0) return true;
    } else if (it.kind == "hedge") {
      if (SegmentDistance(c, it.at, it.to) <= it.size) return true;
    } else if (it.kind != "flowers" && Len(c - it.at) <= it.size) {
      return true;
    }
  }
  return false;
}

Garden ReadGarden(const std::string &file) {
  JsonValue doc = JsonParse(ReadFile(file));
  if (!doc.IsObject()) throw AssetError("line 1: a garden description must be an object");
  Garden g;
  const JsonValue &road = Member(doc, "road");
  g.width = MemberNumber(road, "width");
  if (g.width < 0.05 || g.width > 0.5) throw AssetError(At(Member(road, "width")) + "\"width\" must be 0.05 to 0.5");
  g.step = MemberNumber(road, "step", 0.0005);
  if (g.step < 0.0001 || g.step > 0.01) throw AssetError(At(road) + "\"step\" must be 0.0001 to 0.01");
  g.corner_radius = MemberNumber(road, "corner_radius", 0.15);
  if (g.corner_radius < 0 || g.corner_radius > 0.5)
    throw AssetError(At(road) + "\"corner_radius\" must be 0 to 0.5");
  const JsonValue &pts = Member(road, "points");
  if (!pts.IsArray() || pts.items.size() < 2) throw AssetError(At(pts) + "\"points\" must hold two points or more");
  for (const auto &p : pts.items) {
    std::vector<double> v = Numbers(p, 2, "a road point");
    if (std::fabs(v[0]) > 1.14 || std::fabs(v[1]) > 1.14)
      throw AssetError(At(p) + "a road point must lie on the picture (-1.14..1.14)");
    if (!g.control.empty() && Len(Pt{v[0], v[1]} - g.control.back()) < 1e-6)
      throw AssetError(At(p) + "a road point repeats the one before");
    g.control.push_back({v[0], v[1]});
  }
  if (const JsonValue *house = doc.Find("house")) {
    g.house.width = MemberNumber(*house, "width", g.house.width);
    g.house.depth = MemberNumber(*house, "depth", g.house.depth);
    g.house.under_steps = MemberInt(*house, "under_steps", 0, kMaxSteps, g.house.under_steps);
    g.house.roof = MemberString(*house, "roof", g.house.roof);
  }
  g.seed = uint64_t(MemberInt(doc, "seed", 0, 1 << 30, 1));
  if (const JsonValue *scatter = doc.Find("scatter")) {
    g.scatter_flowers = MemberInt(*scatter, "flowers", 0, 200, 0);
    g.scatter_rocks = MemberInt(*scatter, "rocks", 0, 200, 0);
    g.scatter_tufts = MemberInt(*scatter, "tufts", 0, 2000, 0);
  }
  if (const JsonValue *items = doc.Find("scenery")) {
    if (!items->IsArray()) throw AssetError(At(*items) + "\"scenery\" must be an array");
    for (const auto &it : items->items) {
      Item item;
      item.line = it.line;
      item.kind = MemberString(it, "kind");
      static const char *const kKinds[] = {"tree", "bush", "flowers", "pond", "rock", "hedge"};
      if (std::find_if(std::begin(kKinds), std::end(kKinds), [&](const char *k) { return item.kind == k; }) ==
          std::end(kKinds))
        throw AssetError(At(it) + "unknown scenery kind \"" + item.kind + "\" (tree, bush, flowers, pond, rock, hedge)");
      item.at = MemberPoint(it, "at");
      if (item.kind == "pond") {
        item.size2 = MemberPoint(it, "size");
        item.size = std::max(item.size2.x, item.size2.y);
      } else {
        item.size = MemberNumber(it, "size");
        item.size2 = {item.size, item.size};
      }
      if (item.size <= 0 || item.size > 0.6) throw AssetError(At(it) + "\"size\" must be above 0 and at most 0.6");
      item.to = item.kind == "hedge" ? MemberPoint(it, "to") : item.at;
      item.colour = MemberString(it, "colour", "@petal_red");
      g.items.push_back(item);
    }
  }

  // The road's centre line, its steps and their headings.
  g.centre = SmoothCentre(g.control, g.corner_radius);
  double travelled = 0, next_at = 0;
  g.points.push_back(g.centre.front());
  next_at = g.step;
  for (size_t i = 0; i + 1 < g.centre.size(); i++) {
    Pt a = g.centre[i], b = g.centre[i + 1];
    double l = Len(b - a);
    while (travelled + l >= next_at) {
      if (int(g.points.size()) >= kMaxPoints)
        throw AssetError(At(pts) + "the road is too long: more than " + std::to_string(kMaxSteps) + " steps of " +
                         std::to_string(g.step));
      g.points.push_back(a + (b - a) * ((next_at - travelled) / l));
      next_at = g.step * double(g.points.size());
    }
    travelled += l;
  }
  if (g.points.size() < 2) throw AssetError(At(pts) + "the road is shorter than one step");
  for (size_t i = 0; i + 1 < g.points.size(); i++) {
    Pt d = g.points[i + 1] - g.points[i];
    double a = std::atan2(d.y, -d.x);
    if (a < 0) a += ENG_MATH_TWO_PI;
    float f = float(a);
    if (f >= ENG_MATH_TWO_PI) f = 0.0f;
    g.angles.push_back(f);
  }

  // Path cells: those whose centre lies within the road's half-width.
  const double half = g.width * 0.5;
  g.grid.assign(size_t(kGrid) * kGrid, 0);
  for (size_t i = 0; i + 1 < g.centre.size(); i++) {
    Pt a = g.centre[i], b = g.centre[i + 1];
    int x0 = std::max(0, int(std::floor(CellOf(std::min(a.x, b.x) - half)))),
        x1 = std::min(kGrid - 1, int(std::ceil(CellOf(std::max(a.x, b.x) + half))));
    int y0 = std::max(0, int(std::floor(CellOf(std::min(a.y, b.y) - half)))),
        y1 = std::min(kGrid - 1, int(std::ceil(CellOf(std::max(a.y, b.y) + half))));
    for (int cy = y0; cy <= y1; cy++)
      for (int cx = x0; cx <= x1; cx++) {
        Pt c{CellCentre(cx), CellCentre(cy)};
        if (SegmentDistance(c, a, b) <= half) g.grid[size_t(cy) * kGrid + size_t(cx)] = 1;
      }
  }

  // Scenery stays off the road, so the picture never shows ground the grid calls free as road.
  for (const Item &item : g.items) {
    double clear;
    if (item.kind == "hedge") {
      clear = 1e9;
      for (int k = 0; k <= 20; k++) clear = std::min(clear, DistanceToRoad(g, item.at + (item.to - item.at) * (k / 20.0)));
    } else {
      clear = DistanceToRoad(g, item.at);
    }
    if (clear < half + item.size + 0.04)
      throw AssetError("line " + std::to_string(item.line) + ": the " + item.kind + " reaches the road (" +
                       std::to_string(clear - half) + " from its edge, needs " + std::to_string(item.size + 0.04) + ")");
  }
  // The house and the solid scenery are no place for a weapon either: their cells are marked
  // apart from the road's.
  const HouseFrame house = HouseOf(g);
  for (int cy = 0; cy < kGrid; cy++)
    for (int cx = 0; cx < kGrid; cx++) {
      uint8_t &cell = g.grid[size_t(cy) * kGrid + size_t(cx)];
      if (cell == 0 && OnSolidGround(g, house, Pt{CellCentre(cx), CellCentre(cy)})) cell = kSolidCell;
    }
  return g;
}

// --- Path data -------------------------------------------------------------------------------

void Put32(std::string *b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; i++) (*b)[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
}
void PutF(std::string *b, size_t at, float f) {
  uint32_t u;
  memcpy(&u, &f, 4);
  Put32(b, at, u);
}

std::string PathData(const Garden &g) {
  std::string b(kFileBytes, '\0');
  PutF(&b, 0, 1.2f);
  Put32(&b, 4, uint32_t(g.angles.size()));
  for (size_t i = 0; i < g.angles.size(); i++) PutF(&b, 8 + 4 * i, g.angles[i]);
  Put32(&b, 64008, uint32_t(g.points.size()));
  for (size_t i = 0; i < g.points.size(); i++) {
    PutF(&b, 64012 + 8 * i, float(g.points[i].x));
    PutF(&b, 64012 + 8 * i + 4, float(g.points[i].y));
  }
  memcpy(&b[192020], g.grid.data(), g.grid.size());
  PutF(&b, 454164, 0.0f);
  PutF(&b, 454168, float(g.step));
  return b;
}

// --- Picture ---------------------------------------------------------------------------------

struct Painter {
  cairo_t *cr;
  const Palette &palette;
  double px;  // one picture pixel in play-field units

  void Colour(const std::string &name, double alpha = 1.0) {
    Rgba c = palette.Colour(name);
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a * alpha);
  }
  // The colour in shade: each channel times k.
  void Shade(const std::string &name, double k) {
    Rgba c = palette.Colour(name);
    cairo_set_source_rgba(cr, c.r * k, c.g * k, c.b * k, c.a);
  }
  void Circle(Pt c, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, c.x, c.y, r, 0, ENG_MATH_TWO_PI);
  }
  void Ellipse(Pt c, double rx, double ry, double angle = 0) {
    cairo_save(cr);
    cairo_translate(cr, c.x, c.y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, ENG_MATH_TWO_PI);
    cairo_restore(cr);
  }
  // A soft gradient for volume: lighter toward the top left.
  void RadialFill(Pt c, double r, const std::string &light, const std::string &base) {
    cairo_pattern_t *p = cairo_pattern_create_radial(c.x - r * 0.35, c.y - r * 0.35, r * 0.1, c.x, c.y, r * 1.1);
    Rgba a = palette.Colour(light), b = palette.Colour(base);
    cairo_pattern_add_color_stop_rgba(p, 0, a.r, a.g, a.b, a.a);
    cairo_pattern_add_color_stop_rgba(p, 1, b.r, b.g, b.b, b.a);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
  }
  void Outline(double pixels = 2.5) {
    Colour("@pf_outline");
    cairo_set_line_width(cr, pixels * px);
    cairo_stroke(cr);
  }
  void Shadow(Pt c, double rx, double ry) {
    Ellipse(c + Pt{0.012, 0.018}, rx, ry);
    Colour("@pf_shadow");
    cairo_fill(cr);
  }
};

// A scalloped crown of leaves: lobes round a middle, outlined as one shape.
void Crown(Painter &p, Pt c, double r, int lobes, Random &rnd, const std::string &light, const std::string &base) {
  std::vector<std::pair<Pt, double>> parts{{c, r * 0.72}};
  double turn = rnd.Range(0, ENG_MATH_TWO_PI);
  for (int i = 0; i < lobes; i++) {
    double a = turn + double(ENG_MATH_TWO_PI) * i / lobes;
    parts.push_back({c + Pt{std::cos(a), std::sin(a)} * (r * 0.62), r * rnd.Range(0.34, 0.42)});
  }
  cairo_t *cr = p.cr;
  for (auto &q : parts) p.Circle(q.first, q.second + 2.5 * p.px);
  p.Colour("@pf_outline");
  cairo_fill(cr);
  for (auto &q : parts) p.Circle(q.first, q.second);
  p.RadialFill(c, r, light, base);
  cairo_new_path(cr);
}

void Tree(Painter &p, const Item &it, Random &rnd) {
  p.Shadow(it.at + Pt{0.01, 0.01}, it.size * 1.05, it.size * 0.95);
  Crown(p, it.at, it.size, 8, rnd, "@pf_leaf_light", "@pf_leaf");
  // Highlights that give the crown its round top.
  for (int i = 0; i < 3; i++) {
    Pt h = it.at + Pt{rnd.Range(-0.45, 0.05), rnd.Range(-0.45, 0.05)} * it.size;
    p.Circle(h, it.size * rnd.Range(0.12, 0.2));
    p.Colour("@pf_leaf_light", 0.55);
    cairo_fill(p.cr);
  }
}

void Bush(Painter &p, const Item &it, Random &rnd) {
  p.Shadow(it.at, it.size * 1.05, it.size * 0.9);
  Crown(p, it.at, it.size, 5, rnd, "@pf_leaf", "@pf_leaf_dark");
  for (int i = 0; i < 4; i++) {
    p.Circle(it.at + Pt{rnd.Range(-0.5, 0.5), rnd.Range(-0.5, 0.5)} * it.size, it.size * 0.09);
    p.Colour(it.colour == "@petal_red" ? "@berry" : it.colour);
    cairo_fill(p.cr);
  }
}

void Flower(Painter &p, Pt c, double r, const std::string &colour) {
  for (int k = 0; k < 5; k++) {
    double a = double(ENG_MATH_TWO_PI) * k / 5;
    p.Circle(c + Pt{std::cos(a), std::sin(a)} * (r * 0.55), r * 0.48);
  }
  p.Colour("@pf_outline");
  cairo_set_line_width(p.cr, 1.6 * p.px);
  cairo_stroke_preserve(p.cr);
  p.Colour(colour);
  cairo_fill(p.cr);
  p.Circle(c, r * 0.32);
  p.Colour("@petal_yellow");
  cairo_fill(p.cr);
}

void Flowers(Painter &p, const Item &it, Random &rnd) {
  // A bed of dark earth with a ring of flowers.
  p.Ellipse(it.at, it.size, it.size * 0.8);
  p.Colour("@soil");
  cairo_fill_preserve(p.cr);
  p.Outline();
  int n = std::max(4, int(it.size / 0.025));
  for (int i = 0; i < n; i++) {
    double a = rnd.Range(0, ENG_MATH_TWO_PI), d = std::sqrt(rnd.Next()) * 0.72;
    Flower(p, it.at + Pt{std::cos(a) * it.size * d, std::sin(a) * it.size * 0.8 * d}, 0.018, it.colour);
  }
}

void Pond(Painter &p, const Item &it, Random &rnd) {
  p.Ellipse(it.at, it.size2.x + 0.012, it.size2.y + 0.012);
  p.Colour("@pf_stone");
  cairo_fill_preserve(p.cr);
  p.Outline();
  p.Ellipse(it.at, it.size2.x, it.size2.y);
  p.RadialFill(it.at, std::max(it.size2.x, it.size2.y), "@pf_water_light", "@pf_water");
  p.Outline(2.0);
  // Glints and lily pads.
  cairo_set_line_cap(p.cr, CAIRO_LINE_CAP_ROUND);
  cairo_arc(p.cr, it.at.x - it.size2.x * 0.25, it.at.y - it.size2.y * 0.2, std::min(it.size2.x, it.size2.y) * 0.5,
            ENG_MATH_PI * 1.05, ENG_MATH_PI * 1.45);
  p.Colour("@water_glint", 0.8);
  cairo_set_line_width(p.cr, 4 * p.px);
  cairo_stroke(p.cr);
  for (int i = 0; i < 3; i++) {
    Pt c = it.at + Pt{rnd.Range(-0.5, 0.5) * it.size2.x, rnd.Range(-0.5, 0.5) * it.size2.y};
    double r = 0.022, a = rnd.Range(0, ENG_MATH_TWO_PI);
    cairo_move_to(p.cr, c.x, c.y);
    cairo_arc(p.cr, c.x, c.y, r, a + 0.5, a + ENG_MATH_TWO_PI - 0.1);
    cairo_close_path(p.cr);
    p.Colour("@pf_leaf");
    cairo_fill_preserve(p.cr);
    p.Outline(1.6);
  }
}

void Rock(Painter &p, Pt c, double r, Random &rnd) {
  double turn = rnd.Range(0, ENG_MATH_PI);
  p.Shadow(c, r, r * 0.8);
  p.Ellipse(c, r, r * rnd.Range(0.65, 0.85), turn);
  p.RadialFill(c, r, "@stone_light", "@pf_stone");
  p.Outline(2.0);
}

void Hedge(Painter &p, const Item &it, Random &rnd) {
  Pt d = it.to - it.at;
  int n = std::max(2, int(Len(d) / (it.size * 1.2)) + 1);
  for (int i = 0; i < n; i++) {
    Item bush = it;
    bush.at = it.at + d * (double(i) / (n - 1));
    Crown(p, bush.at, it.size, 5, rnd, "@pf_leaf", "@pf_leaf_dark");
  }
}

void DrawHouse(Painter &p, const Garden &g) {
  const HouseFrame house = HouseOf(g);
  const Pt front = house.front, centre = house.centre;
  const double angle = house.angle, hw = house.half_width, hd = house.half_depth;
  cairo_t *cr = p.cr;

  // A door step on the road just before the wall.
  cairo_save(cr);
  cairo_translate(cr, front.x, front.y);
  cairo_rotate(cr, angle);
  cairo_rectangle(cr, -0.035, -g.width * 0.42, 0.035, g.width * 0.84);
  p.Colour("@wall");
  cairo_fill_preserve(cr);
  p.Outline(2.0);
  cairo_restore(cr);

  // The shadow falls down and right whichever way the house faces.
  cairo_save(cr);
  cairo_translate(cr, centre.x + 0.016, centre.y + 0.024);
  cairo_rotate(cr, angle);
  cairo_rectangle(cr, -hd, -hw, 2 * hd, 2 * hw);
  p.Colour("@pf_shadow");
  cairo_fill(cr);
  cairo_restore(cr);

  cairo_save(cr);
  cairo_translate(cr, centre.x, centre.y);
  cairo_rotate(cr, angle);
  // The walls' overhang, then the two halves of the roof either side of the ridge.
  cairo_rectangle(cr, -hd, -hw, 2 * hd, 2 * hw);
  p.Colour("@wall");
  cairo_fill_preserve(cr);
  p.Outline(3.0);
  const double eave = 0.012;
  cairo_rectangle(cr, -hd + eave, -hw + eave, 2 * (hd - eave), hw - eave);
  p.Colour(g.house.roof);
  cairo_fill_preserve(cr);
  p.Outline(2.5);
  cairo_rectangle(cr, -hd + eave, 0, 2 * (hd - eave), hw - eave);
  p.Shade(g.house.roof, 0.78);
  cairo_fill_preserve(cr);
  p.Outline(2.5);
  // Rows of tiles.
  p.Colour("@pf_outline", 0.35);
  cairo_set_line_width(cr, 1.5 * p.px);
  for (double y = -hw + eave + 0.03; y < hw - eave - 0.01; y += 0.03) {
    if (std::fabs(y) < 0.015) continue;
    cairo_move_to(cr, -hd + eave + 0.01, y);
    cairo_line_to(cr, hd - eave - 0.01, y);
  }
  cairo_stroke(cr);
  // Ridge and chimney.
  cairo_move_to(cr, -hd + eave, 0);
  cairo_line_to(cr, hd - eave, 0);
  p.Colour("@pf_outline");
  cairo_set_line_width(cr, 3.0 * p.px);
  cairo_stroke(cr);
  cairo_rectangle(cr, hd * 0.25, -hw * 0.62, 0.05, 0.05);
  p.Colour("@chimney");
  cairo_fill_preserve(cr);
  p.Outline(2.5);
  cairo_restore(cr);
}

void DrawGarden(cairo_t *cr, const Palette &palette, const Garden &g) {
  const double pixels_per_unit = kPixelsPerCell * kCellsPerUnit;
  Painter p{cr, palette, 1.0 / pixels_per_unit};
  Random rnd(g.seed);
  cairo_translate(cr, kPixelsPerCell * CellOf(0.0), kPixelsPerCell * CellOf(0.0));
  cairo_scale(cr, pixels_per_unit, pixels_per_unit);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);

  // Lawn: one soft gradient, mown stripes and tufts.
  cairo_rectangle(cr, -1.2, -1.2, 2.4, 2.4);
  cairo_pattern_t *lawn = cairo_pattern_create_radial(-0.3, -0.4, 0.1, 0, 0, 1.7);
  Rgba a = palette.Colour("@pf_grass_light"), b = palette.Colour("@grass");
  cairo_pattern_add_color_stop_rgba(lawn, 0, a.r, a.g, a.b, 1);
  cairo_pattern_add_color_stop_rgba(lawn, 1, b.r, b.g, b.b, 1);
  cairo_set_source(cr, lawn);
  cairo_fill(cr);
  cairo_pattern_destroy(lawn);
  for (double x = -1.2; x < 1.2; x += 0.2) {
    cairo_rectangle(cr, x, -1.2, 0.1, 2.4);
  }
  p.Colour("@pf_grass_light", 0.12);
  cairo_fill(cr);
  const double half = g.width * 0.5;
  for (int i = 0; i < g.scatter_tufts; i++) {
    Pt c{rnd.Range(-1.15, 1.15), rnd.Range(-1.15, 1.15)};
    double s = rnd.Range(0.008, 0.014);
    cairo_move_to(cr, c.x - s, c.y);
    cairo_line_to(cr, c.x - s * 0.3, c.y - s * 1.2);
    cairo_line_to(cr, c.x, c.y);
    cairo_line_to(cr, c.x + s * 0.4, c.y - s * 1.3);
    cairo_line_to(cr, c.x + s, c.y);
  }
  p.Colour("@pf_grass_dark", 0.7);
  cairo_set_line_width(cr, 1.6 * p.px);
  cairo_stroke(cr);

  // The road: a dark edge inside its half-width, sandy earth, a lighter crown and pebbles.
  auto road_path = [&]() {
    cairo_move_to(cr, g.centre[0].x, g.centre[0].y);
    for (size_t i = 1; i < g.centre.size(); i++) cairo_line_to(cr, g.centre[i].x, g.centre[i].y);
  };
  road_path();
  p.Colour("@pf_shadow", 0.6);
  cairo_set_line_width(cr, g.width + 0.012);
  cairo_stroke(cr);
  road_path();
  p.Colour("@pf_outline");
  cairo_set_line_width(cr, g.width);
  cairo_stroke(cr);
  road_path();
  p.Colour("@pf_earth");
  cairo_set_line_width(cr, g.width - 2 * 3.0 * p.px);
  cairo_stroke(cr);
  road_path();
  p.Colour("@pf_earth_light", 0.6);
  cairo_set_line_width(cr, g.width * 0.45);
  cairo_stroke(cr);
  for (size_t i = 0; i < g.points.size(); i += 90) {
    double off = rnd.Range(-0.7, 0.7) * (half - 0.02);
    Pt d = g.points[std::min(i + 1, g.points.size() - 1)] - g.points[i];
    double l = Len(d);
    if (l <= 0) continue;
    Pt n{-d.y / l, d.x / l};
    p.Ellipse(g.points[i] + n * off, rnd.Range(0.005, 0.009), rnd.Range(0.004, 0.007), rnd.Range(0, ENG_MATH_PI));
    p.Colour("@pf_earth_dark");
    cairo_fill(cr);
  }

  // Scattered flowers and stones, kept clear of the road and the items.
  auto clear_of_items = [&](Pt c, double r) {
    for (const Item &it : g.items)
      if (Len(c - it.at) < it.size + r + 0.02) return false;
    return true;
  };
  for (int i = 0, tries = 0; i < g.scatter_flowers && tries < 5000; tries++) {
    Pt c{rnd.Range(-1.1, 1.1), rnd.Range(-1.1, 1.1)};
    if (DistanceToRoad(g, c) < half + 0.06 || !clear_of_items(c, 0.03)) continue;
    static const char *const kPetals[] = {"@petal_red", "@petal_white", "@petal_purple", "@petal_yellow"};
    Flower(p, c, 0.016, kPetals[i % 4]);
    i++;
  }
  for (int i = 0, tries = 0; i < g.scatter_rocks && tries < 5000; tries++) {
    Pt c{rnd.Range(-1.1, 1.1), rnd.Range(-1.1, 1.1)};
    if (DistanceToRoad(g, c) < half + 0.06 || !clear_of_items(c, 0.04)) continue;
    Rock(p, c, rnd.Range(0.014, 0.026), rnd);
    i++;
  }

  // Low things first, trees over them.
  for (const char *kind : {"pond", "flowers", "rock", "hedge", "bush", "tree"})
    for (const Item &it : g.items) {
      if (it.kind != kind) continue;
      if (it.kind == "pond") Pond(p, it, rnd);
      if (it.kind == "flowers") Flowers(p, it, rnd);
      if (it.kind == "rock") Rock(p, it.at, it.size, rnd);
      if (it.kind == "hedge") Hedge(p, it, rnd);
      if (it.kind == "bush") Bush(p, it, rnd);
      if (it.kind == "tree") Tree(p, it, rnd);
    }
  DrawHouse(p, g);

  // The top of the garden lies in the shade of its fence: the won garden's captions are drawn
  // there in a pale, translucent green, which needs a calm dark ground to read.
  cairo_rectangle(cr, -1.2, -1.2, 2.4, kShadeFade - -1.2);
  cairo_pattern_t *shade = cairo_pattern_create_linear(0, kShadeFull, 0, kShadeFade);
  cairo_pattern_add_color_stop_rgba(shade, 0, 0, 0, 0, kShadeOpacity);
  cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0);
  cairo_set_source(cr, shade);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
}

bool IsPathOutput(const std::string &name) { return Extension(name) == "dat"; }

}  // namespace

static void DescribeGarden(Job &job) {
  const std::string ext = Extension(job.output);
  if (ext != "dat" && ext != "jpg")
    throw AssetError("line " + std::to_string(Member(job.desc, "output").line) + ": output \"" + job.output +
                     "\" must end in .dat (path data) or .jpg (the garden picture)");
  job.inputs.push_back(PathJoin(job.dir, MemberString(job.desc, "source")));
  MemberInt(job.desc, "quality", 1, 100, 90);
  job.uses_palette = true;
}

static void MakeGarden(const Job &job, const Context &ctx, const std::string &path) {
  Garden g;
  try {
    g = ReadGarden(job.inputs[0]);
  } catch (const AssetError &e) {
    throw SourceError(job.inputs[0], e.what());
  }
  if (IsPathOutput(job.output)) {
    std::string bytes = PathData(g);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) throw AssetError("cannot write " + path);
    return;
  }
  cairo_surface_t *surface = NewSurface(int(kPixelsPerCell) * kGrid, int(kPixelsPerCell) * kGrid);
  cairo_t *cr = cairo_create(surface);
  try {
    DrawGarden(cr, ctx.palette, g);
  } catch (...) {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    throw;
  }
  cairo_destroy(cr);
  try {
    WriteImage(surface, path, job.output, MemberInt(job.desc, "quality", 1, 100, 90), ctx.palette.Colour("#ffffff"));
  } catch (...) {
    cairo_surface_destroy(surface);
    throw;
  }
  cairo_surface_destroy(surface);
}

static JobKindRegistrar garden_kind({"garden", DescribeGarden, MakeGarden});

}  // namespace assetgen
