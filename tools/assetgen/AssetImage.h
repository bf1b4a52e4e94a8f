// Raster helpers of assetgen: SVG rendering through librsvg (with palette colours put in
// first) into cairo surfaces, and writing surfaces as PNG (cairo), TGA and JPEG (the engine's
// own writers, so the game reads exactly what its engine writes).
#pragma once

#include <string>

#include <cairo.h>

#include "tools/assetgen/Assetgen.h"

namespace assetgen {

// Draws the SVG file's document into the rectangle of cr or, with an element id, only that
// element, in the place it has in the document. Throws SourceError naming the SVG.
void RenderSvg(cairo_t *cr, const std::string &svg_path, const Palette &palette, double x, double y, double w,
               double h, const std::string &element);

// A new ARGB32 surface of the given size, cleared to transparent; never null.
cairo_surface_t *NewSurface(int width, int height);

// Writes by the extension of output_name: png, tga or jpg (composited over background).
void WriteImage(cairo_surface_t *surface, const std::string &path, const std::string &output_name, int jpeg_quality,
                const Rgba &background);

// Reads a PNG, TGA or JPEG into a new ARGB32 surface (null when it cannot be read).
cairo_surface_t *ReadImage(const std::string &path);

bool IsPictureName(const std::string &name);

}  // namespace assetgen
