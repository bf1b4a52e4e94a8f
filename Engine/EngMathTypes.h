// The engine's small value types: vectors, rectangles, colours, planes and ranges.
// Plain structures without behaviour; the EngMath functions work on them.
#pragma once

struct _Vector2d { float x, y; };
struct _Vector3d { float x, y, z; };
struct _Vector4d { float x, y, z, w; };
struct EngVector { float x, y, z; };
struct _IVector2d { int x, y; };
struct _Dimension { float x, y, width, height; };
struct _IDimension { int x, y, width, height; };
struct _DimensionVars { float centre_x, right, centre_y, bottom, half_width, half_height; };
struct _IDimensionVars { int centre_x, right, centre_y, bottom, half_width, half_height; };
struct _DimensionVars2 {
  float left, centre_x, right, top, centre_y, bottom, width, height, half_width, half_height;
};
struct _IDimensionVars2 {
  int left, centre_x, right, top, centre_y, bottom, width, height, half_width, half_height;
};
struct _ColourRGB { float r, g, b; };
struct _ColourRGBA { float r, g, b, a; };
struct _EngMathPlane { float a, b, c, d; };
struct _EngMathRange3Var { float min_x, max_x, min_y, max_y, min_z, max_z; };
