// The contact sheet: every picture made, small, and the skin buttons state by state, on
// garden green with their names, so a person can judge the whole set at a glance.
#include <algorithm>
#include <cmath>
#include <map>

#include "tools/assetgen/AssetImage.h"
#include "tools/assetgen/Assetgen.h"

namespace assetgen {

void MakeSheet(const Context &ctx, const std::vector<SheetTile> &tiles, const std::string &path) {
  const int cell_w = 200, cell_h = 180, box = 160, columns = 6;
  const int rows = std::max(1, int((tiles.size() + columns - 1) / columns));
  cairo_surface_t *sheet = NewSurface(columns * cell_w, rows * cell_h);
  cairo_t *cr = cairo_create(sheet);
  const Rgba ground = ctx.palette.Colours().count("grass") ? ctx.palette.Colour("@grass") : Rgba{0.36, 0.62, 0.23, 1};
  cairo_set_source_rgb(cr, ground.r, ground.g, ground.b);
  cairo_paint(cr);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 11);
  std::map<std::string, cairo_surface_t *> loaded;
  for (size_t i = 0; i < tiles.size(); i++) {
    const SheetTile &tile = tiles[i];
    const double cx = double(int(i) % columns) * cell_w, cy = double(int(i) / columns) * cell_h;
    cairo_surface_t *&pic = loaded[tile.picture];
    if (!pic) pic = ReadImage(PathJoin(ctx.out_dir, tile.picture));
    if (pic) {
      const int w = cairo_image_surface_get_width(pic), h = cairo_image_surface_get_height(pic);
      std::vector<std::vector<double>> crops = tile.crops;
      if (crops.empty()) crops.push_back({0, 0, 1, 1});
      // Wide pieces (buttons) stack, narrow ones (arrows) stand side by side.
      const std::vector<double> &c0 = crops[0];
      const double aspect = std::fabs(c0[2] - c0[0]) * w / std::max(1e-9, std::fabs(c0[3] - c0[1]) * h);
      const bool stack = crops.size() > 1 && aspect > 1.5;
      const int n = int(crops.size());
      const double slot_w = stack ? box : double(box) / n, slot_h = stack ? double(box - 10) / n : box - 10;
      for (int k = 0; k < n; k++) {
        const std::vector<double> &c = crops[size_t(k)];
        const double sx = std::min(c[0], c[2]) * w, sy = std::min(c[1], c[3]) * h;
        const double sw = std::max(1.0, std::fabs(c[2] - c[0]) * w), sh = std::max(1.0, std::fabs(c[3] - c[1]) * h);
        const double scale = std::min(1.0, std::min((slot_w - 4) / sw, (slot_h - 4) / sh));
        const double ox = cx + (cell_w - box) / 2.0 + (stack ? 0 : slot_w * k) + (slot_w - sw * scale) / 2;
        const double oy = cy + 6 + (stack ? slot_h * k : 0) + (slot_h - sh * scale) / 2;
        cairo_save(cr);
        cairo_rectangle(cr, ox, oy, sw * scale, sh * scale);
        cairo_clip(cr);
        cairo_translate(cr, ox, oy);
        if (c[0] > c[2]) {
          cairo_translate(cr, sw * scale, 0);
          cairo_scale(cr, -1, 1);
        }
        cairo_scale(cr, scale, scale);
        cairo_set_source_surface(cr, pic, -sx, -sy);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
      }
    }
    std::string name = tile.label;
    cairo_text_extents_t ext;
    cairo_text_extents(cr, name.c_str(), &ext);
    while (ext.width > cell_w - 8 && name.size() > 4) {
      name = "..." + name.substr(4);
      cairo_text_extents(cr, name.c_str(), &ext);
    }
    const double tx = cx + (cell_w - ext.width) / 2, ty = cy + cell_h - 12;
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
    cairo_move_to(cr, tx + 1, ty + 1);
    cairo_show_text(cr, name.c_str());
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, tx, ty);
    cairo_show_text(cr, name.c_str());
  }
  for (auto &l : loaded)
    if (l.second) cairo_surface_destroy(l.second);
  cairo_destroy(cr);
  cairo_status_t st = cairo_surface_write_to_png(sheet, path.c_str());
  cairo_surface_destroy(sheet);
  if (st != CAIRO_STATUS_SUCCESS) throw AssetError("cannot write the contact sheet " + path);
}

}  // namespace assetgen
