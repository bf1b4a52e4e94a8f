#include "tools/assetgen/AssetImage.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include <librsvg/rsvg.h>

#include "Engine/EngJpeg.h"
#include "Engine/EngMemory.h"
#include "Engine/EngTga.h"

namespace assetgen {

static std::string Trimmed(std::string text);

bool IsPictureName(const std::string &name) {
  std::string ext = Extension(name);
  return ext == "png" || ext == "tga" || ext == "jpg" || ext == "jpeg";
}

cairo_surface_t *NewSurface(int width, int height) {
  cairo_surface_t *s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) throw AssetError("no memory for a picture of that size");
  return s;
}

void RenderSvg(cairo_t *cr, const std::string &svg_path, const Palette &palette, double x, double y, double w,
               double h, const std::string &element) {
  std::string text;
  try {
    text = palette.Substitute(ReadFile(svg_path));
  } catch (const AssetError &e) {
    throw SourceError(svg_path, e.what());
  }
  GError *error = nullptr;
  RsvgHandle *handle = rsvg_handle_new_from_data(reinterpret_cast<const guint8 *>(text.data()), text.size(), &error);
  if (!handle) {
    std::string what = Trimmed(error ? error->message : "unknown error");
    if (error) g_error_free(error);
    throw SourceError(svg_path, "librsvg refused it: " + what);
  }
  rsvg_handle_set_dpi(handle, 96.0);
  RsvgRectangle viewport = {x, y, w, h};
  gboolean ok;
  if (element.empty()) {
    ok = rsvg_handle_render_document(handle, cr, &viewport, &error);
  } else {
    std::string id = element[0] == '#' ? element : "#" + element;
    if (!rsvg_handle_has_sub(handle, id.c_str())) {
      g_object_unref(handle);
      throw SourceError(svg_path, "has no element with the id \"" + id.substr(1) + "\"");
    }
    ok = rsvg_handle_render_layer(handle, cr, id.c_str(), &viewport, &error);
  }
  g_object_unref(handle);
  if (!ok) {
    std::string what = Trimmed(error ? error->message : "unknown error");
    if (error) g_error_free(error);
    throw SourceError(svg_path, "librsvg could not draw it: " + what);
  }
}

// Cairo keeps premultiplied native-endian 0xAARRGGBB words; the engine's images and files
// want the colour straight.
static std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

static uint32_t Unpremultiply(uint32_t p) {
  uint32_t a = p >> 24;
  if (a == 0) return 0;
  if (a == 255) return p;
  uint32_t r = ((p >> 16) & 0xff) * 255 / a, g = ((p >> 8) & 0xff) * 255 / a, b = (p & 0xff) * 255 / a;
  return (a << 24) | (std::min(r, 255u) << 16) | (std::min(g, 255u) << 8) | std::min(b, 255u);
}

void WriteImage(cairo_surface_t *surface, const std::string &path, const std::string &output_name, int jpeg_quality,
                const Rgba &background) {
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char *data = cairo_image_surface_get_data(surface);
  const std::string ext = Extension(output_name);
  if (ext == "png") {
    if (cairo_surface_write_to_png(surface, path.c_str()) != CAIRO_STATUS_SUCCESS)
      throw AssetError("cannot write " + path);
    return;
  }
  if (ext == "tga") {
    EngTga tga(w, h, 32);
    if (!tga.data) throw AssetError("no memory for the TGA image");
    for (int y = 0; y < h; y++) {
      const uint32_t *row = reinterpret_cast<const uint32_t *>(data + size_t(y) * size_t(stride));
      for (int x = 0; x < w; x++) tga.data[size_t(y) * size_t(w) + size_t(x)] = Unpremultiply(row[x]);
    }
    if (!tga.SaveToFile(path.c_str())) throw AssetError("the engine's TGA writer failed on " + path);
    return;
  }
  if (ext == "jpg" || ext == "jpeg") {
    std::vector<unsigned char> rgb(size_t(w) * size_t(h) * 3);
    const double bg[3] = {background.r * 255.0, background.g * 255.0, background.b * 255.0};
    for (int y = 0; y < h; y++) {
      const uint32_t *row = reinterpret_cast<const uint32_t *>(data + size_t(y) * size_t(stride));
      for (int x = 0; x < w; x++) {
        uint32_t p = row[x];
        double a = double(p >> 24) / 255.0;
        const int ch[3] = {int((p >> 16) & 0xff), int((p >> 8) & 0xff), int(p & 0xff)};
        for (int c = 0; c < 3; c++)
          rgb[(size_t(y) * size_t(w) + size_t(x)) * 3 + size_t(c)] =
              static_cast<unsigned char>(std::lround(std::min(255.0, ch[c] + bg[c] * (1.0 - a))));
      }
    }
    if (!EngJpegWriteFileFromBuffer(path.c_str(), jpeg_quality, 72, w, h, rgb.data()))
      throw AssetError("the engine's JPEG writer failed on " + path);
    return;
  }
  throw AssetError("output \"" + output_name + "\" must end in .png, .tga or .jpg");
}

cairo_surface_t *ReadImage(const std::string &path) {
  const std::string ext = Extension(path);
  if (ext == "png") {
    cairo_surface_t *s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(s);
      return nullptr;
    }
    return s;
  }
  std::vector<uint32_t> pixels;
  int w = 0, h = 0;
  if (ext == "tga") {
    EngTga tga;
    if (!tga.LoadFromFile(path.c_str(), 1) || !tga.data) return nullptr;
    w = tga.width;
    h = tga.height;
    pixels.assign(tga.data, tga.data + size_t(w) * size_t(h));
  } else if (ext == "jpg" || ext == "jpeg") {
    unsigned char *rgb = EngJpegReadFileToBuffer(path.c_str(), &w, &h);
    if (!rgb) return nullptr;
    pixels.resize(size_t(w) * size_t(h));
    for (size_t i = 0; i < pixels.size(); i++)
      pixels[i] = 0xff000000u | (uint32_t(rgb[i * 3]) << 16) | (uint32_t(rgb[i * 3 + 1]) << 8) | rgb[i * 3 + 2];
    EngFree(rgb, 0, nullptr);
  } else {
    return nullptr;
  }
  cairo_surface_t *s = NewSurface(w, h);
  unsigned char *data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < h; y++) {
    uint32_t *row = reinterpret_cast<uint32_t *>(data + size_t(y) * size_t(stride));
    for (int x = 0; x < w; x++) {
      uint32_t p = pixels[size_t(y) * size_t(w) + size_t(x)], a = p >> 24;
      uint32_t r = ((p >> 16) & 0xff) * a / 255, g = ((p >> 8) & 0xff) * a / 255, b = (p & 0xff) * a / 255;
      row[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  cairo_surface_mark_dirty(s);
  return s;
}

}  // namespace assetgen
