// The contact sheet: every picture made, small, on garden green with its file name, so a
// person can judge the whole set at a glance.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/AssetImage.h"
#include "tools/assetgen/Assetgen.h"

namespace assetgen {

void MakeSheet(const Context &ctx, const std::vector<std::string> &pictures, const std::string &path) {
  const int cell_w = 200, cell_h = 180, box = 160, columns = 6;
  const int rows = std::max(1, int((pictures.size() + columns - 1) / columns));
  cairo_surface_t *sheet = NewSurface(columns * cell_w, rows * cell_h);
  cairo_t *cr = cairo_create(sheet);
  const Rgba ground = ctx.palette.Colours().count("grass") ? ctx.palette.Colour("@grass") : Rgba{0.36, 0.62, 0.23, 1};
  cairo_set_source_rgb(cr, ground.r, ground.g, ground.b);
  cairo_paint(cr);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 11);
  for (size_t i = 0; i < pictures.size(); i++) {
    const double cx = double(int(i) % columns) * cell_w, cy = double(int(i) / columns) * cell_h;
    cairo_surface_t *pic = ReadImage(PathJoin(ctx.out_dir, pictures[i]));
    if (pic) {
      const int w = cairo_image_surface_get_width(pic), h = cairo_image_surface_get_height(pic);
      const double scale = std::min(1.0, std::min(double(box) / w, double(box - 10) / h));
      const double dw = w * scale, dh = h * scale;
      cairo_save(cr);
      cairo_translate(cr, cx + (cell_w - dw) / 2, cy + 6 + (box - 10 - dh) / 2);
      cairo_scale(cr, scale, scale);
      cairo_set_source_surface(cr, pic, 0, 0);
      cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
      cairo_paint(cr);
      cairo_restore(cr);
      cairo_surface_destroy(pic);
    }
    std::string name = pictures[i];
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
  cairo_destroy(cr);
  cairo_status_t st = cairo_surface_write_to_png(sheet, path.c_str());
  cairo_surface_destroy(sheet);
  if (st != CAIRO_STATUS_SUCCESS) throw AssetError("cannot write the contact sheet " + path);
}

}  // namespace assetgen
