// The picture jobs: one SVG rendered at a size, and atlases painted cell by cell from a
// manifest that also lists the rectangles the game's code reads and checks each of them.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/AssetImage.h"
#include "tools/assetgen/Assetgen.h"

namespace assetgen {

namespace {

struct SurfaceGuard {
  cairo_surface_t *s;
  ~SurfaceGuard() { cairo_surface_destroy(s); }
};
struct CairoGuard {
  cairo_t *cr;
  ~CairoGuard() { cairo_destroy(cr); }
};

void CheckPictureOutput(const Job &job) {
  if (!IsPictureName(job.output))
    throw AssetError("line " + std::to_string(Member(job.desc, "output").line) + ": output \"" + job.output +
                     "\" must end in .png, .tga or .jpg");
}

}  // namespace

static void DescribeSvg(Job &job) {
  CheckPictureOutput(job);
  job.inputs.push_back(PathJoin(job.dir, MemberString(job.desc, "source")));
  MemberInt(job.desc, "width", 1, 8192);
  MemberInt(job.desc, "height", 1, 8192);
  MemberInt(job.desc, "quality", 1, 100, 90);
  job.uses_palette = true;
}

static void MakeSvg(const Job &job, const Context &ctx, const std::string &path) {
  const int w = MemberInt(job.desc, "width", 1, 8192), h = MemberInt(job.desc, "height", 1, 8192);
  SurfaceGuard surface{NewSurface(w, h)};
  CairoGuard cr{cairo_create(surface.s)};
  RenderSvg(cr.cr, job.inputs[0], ctx.palette, 0, 0, w, h, MemberString(job.desc, "element", ""));
  WriteImage(surface.s, path, job.output, MemberInt(job.desc, "quality", 1, 100, 90),
             ctx.palette.Colour(MemberString(job.desc, "background", "#ffffff")));
}

namespace {

struct Cell {
  int l, t, r, b;
  std::string source, element;
  int line;
};

std::vector<Cell> AtlasCells(const Job &job, int w, int h) {
  const JsonValue &cells = Member(job.desc, "cells");
  if (!cells.IsArray()) throw AssetError("line " + std::to_string(cells.line) + ": \"cells\" must be an array");
  std::vector<Cell> out;
  for (const auto &c : cells.items) {
    const std::string at = "line " + std::to_string(c.line) + ": ";
    if (!c.IsObject()) throw AssetError(at + "a cell must be an object");
    std::vector<double> rect = Numbers(Member(c, "rect"), 4, "\"rect\"");
    Cell cell{int(rect[0]), int(rect[1]), int(rect[2]), int(rect[3]), PathJoin(job.dir, MemberString(c, "source")),
              MemberString(c, "element", ""), c.line};
    for (double v : rect)
      if (v != std::floor(v)) throw AssetError(at + "cell rect [left, top, right, bottom] must be whole pixels");
    if (cell.l < 0 || cell.t < 0 || cell.r > w || cell.b > h || cell.l >= cell.r || cell.t >= cell.b)
      throw AssetError(at + "cell [" + std::to_string(cell.l) + ", " + std::to_string(cell.t) + ", " +
                       std::to_string(cell.r) + ", " + std::to_string(cell.b) + "] lies outside the " +
                       std::to_string(w) + "x" + std::to_string(h) + " atlas or is empty");
    for (const Cell &o : out)
      if (cell.l < o.r && o.l < cell.r && cell.t < o.b && o.t < cell.b)
        throw AssetError(at + "cell overlaps the cell of line " + std::to_string(o.line));
    out.push_back(cell);
  }
  return out;
}

const char *const kStates[4] = {"normal", "highlighted", "pressed", "disabled"};

}  // namespace

static void DescribeAtlas(Job &job) {
  CheckPictureOutput(job);
  const int w = MemberInt(job.desc, "width", 1, 8192), h = MemberInt(job.desc, "height", 1, 8192);
  for (const Cell &c : AtlasCells(job, w, h))
    if (std::find(job.inputs.begin(), job.inputs.end(), c.source) == job.inputs.end()) job.inputs.push_back(c.source);
  job.uses_palette = true;
}

static void MakeAtlas(const Job &job, const Context &ctx, const std::string &path) {
  const int w = MemberInt(job.desc, "width", 1, 8192), h = MemberInt(job.desc, "height", 1, 8192);
  SurfaceGuard surface{NewSurface(w, h)};
  for (const Cell &c : AtlasCells(job, w, h)) {
    CairoGuard cr{cairo_create(surface.s)};
    // A cell never paints outside its rectangle, whatever its SVG holds.
    cairo_rectangle(cr.cr, c.l, c.t, c.r - c.l, c.b - c.t);
    cairo_clip(cr.cr);
    RenderSvg(cr.cr, c.source, ctx.palette, c.l, c.t, c.r - c.l, c.b - c.t, c.element);
  }
  cairo_surface_flush(surface.s);

  // The rectangles the code reads, in texture coordinates: each must hold a picture.
  const double min_cover = MemberNumber(job.desc, "min_cover", 0.5);
  const unsigned char *data = cairo_image_surface_get_data(surface.s);
  const int stride = cairo_image_surface_get_stride(surface.s);
  if (const JsonValue *rects = job.desc.Find("rects")) {
    if (!rects->IsArray()) throw AssetError("line " + std::to_string(rects->line) + ": \"rects\" must be an array");
    for (const auto &entry : rects->items) {
      const std::string name = MemberString(entry, "name");
      for (const char *state : kStates) {
        const JsonValue *v = entry.Find(state);
        if (!v || v->kind == JsonValue::kNull || (v->IsString() && (v->text == "same" || v->text == "-"))) continue;
        const std::string what = "line " + std::to_string(v->line) + ": rect " + name + " " + state;
        std::vector<double> uv = Numbers(*v, 4, "a state rect");
        double l = std::min(uv[0], uv[2]), r = std::max(uv[0], uv[2]);
        double t = std::min(uv[1], uv[3]), b = std::max(uv[1], uv[3]);
        if (l < 0 || t < 0 || r > 1 || b > 1) throw AssetError(what + " lies outside the atlas");
        int px0 = int(std::floor(l * w)), px1 = std::max(px0 + 1, int(std::ceil(r * w)));
        int py0 = int(std::floor(t * h)), py1 = std::max(py0 + 1, int(std::ceil(b * h)));
        px1 = std::min(px1, w);
        py1 = std::min(py1, h);
        long visible = 0, total = 0;
        for (int y = py0; y < py1; y++) {
          const uint32_t *row = reinterpret_cast<const uint32_t *>(data + size_t(y) * size_t(stride));
          for (int x = px0; x < px1; x++, total++)
            if ((row[x] >> 24) >= 16) visible++;
        }
        const double need = MemberNumber(entry, "min_cover", min_cover);
        if (total == 0 || double(visible) < need * double(total))
          throw AssetError(what + " holds too little picture (" + std::to_string(visible) + " of " +
                           std::to_string(total) + " pixels visible)");
      }
    }
  }
  WriteImage(surface.s, path, job.output, MemberInt(job.desc, "quality", 1, 100, 90),
             ctx.palette.Colour(MemberString(job.desc, "background", "#ffffff")));
}

void AtlasSheetTiles(const Job &job, std::vector<SheetTile> *tiles) {
  const JsonValue *rects = job.desc.Find("rects");
  if (!rects || !rects->IsArray()) return;
  for (const auto &entry : rects->items) {
    const JsonValue *name = entry.Find("name");
    SheetTile tile{job.output + " " + (name && name->IsString() ? name->text : "?"), job.output, {}};
    for (const char *state : kStates) {
      const JsonValue *v = entry.Find(state);
      if (!v || !v->IsArray() || v->items.size() != 4) continue;
      std::vector<double> uv;
      for (const auto &n : v->items) uv.push_back(n.number);
      tile.crops.push_back(uv);
    }
    if (tile.crops.size() > 1) tiles->push_back(tile);
  }
}

static JobKindRegistrar svg_kind({"svg", DescribeSvg, MakeSvg});
static JobKindRegistrar atlas_kind({"atlas", DescribeAtlas, MakeAtlas});

}  // namespace assetgen
