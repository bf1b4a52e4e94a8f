// Sprite outlines: for each picture drawn as sprites and each part of it that is drawn, a convex
// polygon (texture coordinates) outside which every sample of the part is fully transparent, or
// the mark that nothing of the part shows. The asset tool makes them from the pictures' pixels
// (SpriteOutlines.dat beside the pictures); EngTexture::DrawSpriteList draws over them. The
// file is not trusted: a missing or damaged one leaves no outlines, and sprites are drawn whole.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Engine/EngTexture.h"
#include "Engine/EngTypes.h"

// The file, little-endian: "QWSO", the version, an FNV-1a checksum of the rest, the picture
// count; per picture its name's length and bytes, its width and height in pixels and its part
// count; per part left, top, right, bottom, the corner count and each corner's u and v.
enum {
  ENG_SPRITE_OUTLINES_VERSION = 1,
  ENG_SPRITE_OUTLINES_MAX_BYTES = 1 << 20,
  ENG_SPRITE_OUTLINES_MAX_PICTURES = 1024,
  ENG_SPRITE_OUTLINES_MAX_PARTS = 256,
  ENG_SPRITE_OUTLINES_MAX_CORNERS = 16,
  ENG_SPRITE_OUTLINES_MAX_NAME = 63
};

struct _EngSpriteOutline {
  _TexCoords part;
  EngInt32 num_corners;  // 0: nothing of the part shows
  // Round the polygon in the turning of the part's own quad (its corners left-bottom,
  // right-bottom, left-top taken in that order), so that the two are culled alike.
  float corners[ENG_SPRITE_OUTLINES_MAX_CORNERS][2];
};

struct _EngSpriteOutlinePicture {
  std::string name;  // the picture file's name, without folders
  EngInt32 width, height;
  std::vector<_EngSpriteOutline> parts;
};

// The file's bytes for these outlines (the asset tool's writer; the tests' files).
std::vector<unsigned char> EngSpriteOutlinesEncode(const std::vector<_EngSpriteOutlinePicture> &pictures);

// Replaces the outlines by the file's; a missing or damaged file is told in the log ("Load
// failed <path>" with the reason) and leaves none. Returns 1 when the file was taken.
char EngSpriteOutlinesLoadFile(const char *path);
char EngSpriteOutlinesLoadFromMemory(const unsigned char *bytes, size_t size, const char *name);
void EngSpriteOutlinesReset();
// Changes with every load and reset, so that a texture knows to look its picture up again.
EngUInt32 EngSpriteOutlinesGeneration();
// The picture's index by its file's name (folders ignored) and the texture's size in pixels,
// or -1 when the outlines have none of that name and size.
EngInt32 EngSpriteOutlinesFindPicture(const char *file_name, EngInt32 width, EngInt32 height);
// The picture's outline of this part (matched within a ten-thousandth of the texture), or null.
const _EngSpriteOutline *EngSpriteOutlinesFindPart(EngInt32 picture, const _TexCoords *part);

// A sprite's square cut along its part's outline into the outline's own triangles (a fan from its
// first corner) and the triangles of the rest of the square round it. Drawn whole, a square
// takes both; over its outline, the fan only. Two ways of cutting one square shade a few of its
// pixels a level apart (the renderer interpolates each triangle's texture coordinates from its
// own corners), so the pixels inside the outline must come from the same triangles either way.
// Triangles turn as the square does; those of no area are left out.
enum { ENG_SPRITE_OUTLINES_MAX_SPLIT_TRIANGLES = 2 * ENG_SPRITE_OUTLINES_MAX_CORNERS + 2 };
struct _EngSpriteOutlineSplit {
  // The outline's corners, then the square's in strip order (left-bottom, right-bottom,
  // left-top, right-top): texture coordinates and places.
  EngInt32 num_points;
  float uv[ENG_SPRITE_OUTLINES_MAX_CORNERS + 4][2];
  float at[ENG_SPRITE_OUTLINES_MAX_CORNERS + 4][3];
  // The fan's triangles first, then the rest's.
  EngInt32 fan_triangles, rest_triangles;
  EngUInt8 triangles[ENG_SPRITE_OUTLINES_MAX_SPLIT_TRIANGLES][3];
};
// For an outline with corners, and the square's places in strip order.
void EngSpriteOutlinesSplit(const _EngSpriteOutline *outline, const float position[4][3], _EngSpriteOutlineSplit *out);
