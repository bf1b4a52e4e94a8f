// EngTga: the engine's in-memory 32-bit image (pixel words 0xAARRGGBB, so bytes blue, green,
// red, alpha; rows top first) with uncompressed true-colour TGA reading and writing, scaled,
// mirrored and blended fills, and pixel and alpha edits. The texture exchanges live with the textures.
#pragma once

#include "Engine/EngTypes.h"

// How a fill combines a source pixel with the image (see EngTgaFill.cpp).
typedef EngInt32 _EngTgaAlphaType;

class EngTexture;

class EngTga {
 public:
  EngTga();
  explicit EngTga(const char *path);
  EngTga(int width, int height, int bits);
  EngTga(int width, int height, int bits, float r, float g, float b, float a);
  ~EngTga();
  EngTga(const EngTga &) = delete;
  EngTga &operator=(const EngTga &) = delete;

  char Create(int width, int height, int bits);
  // Fills every pixel when all four components are >= 0.
  char CreateWithColour(int width, int height, int bits, float r, float g, float b, float a);
  void Destroy();

  char LoadFromFile(const char *path, char create);
  // 1 only for a 32-bit file with non-zero sides; the header's values are stored either way.
  char GetSizeFromFile(const char *path, int *width, int *height, int *bits);
  char SaveToFile(const char *path);

  char CreateFromOtherTga(EngTga *other, char create);
  char CreateFromTwiceSizeData(EngTga *other, char create);

  // Source pixels: 24-bit (bytes blue, green, red) or 32-bit words as in this class, rows top
  // first. Negative source or destination sizes mean the whole picture.
  char FillFromData(int src_width, int src_height, int src_bits, int sx, int sy, int sw, int sh, const void *src,
                    int dx, int dy, int dw, int dh, char flip_h, char flip_v, _EngTgaAlphaType alpha_type,
                    char alpha_only, float alpha_mult, char invert_alpha);
  char FillFromOtherTga(int sx, int sy, int sw, int sh, EngTga *other, int dx, int dy, int dw, int dh, char flip_h,
                        char flip_v, _EngTgaAlphaType alpha_type, char alpha_only, float alpha_mult,
                        char invert_alpha);
  char FillFromJpeg(int sx, int sy, int sw, int sh, const char *path, int dx, int dy, int dw, int dh, char flip_h,
                    char flip_v, _EngTgaAlphaType alpha_type, char alpha_only, float alpha_mult, char invert_alpha);

  // Texture-ordered pixel data (bytes R, G, B(, A), rows top first, 24 or 32 bits). The
  // portable forms do nothing unless the device kind is OpenGL; the _GL form touches no GL.
  char CreateFromTextureData(int width, int height, int data_bits, const unsigned char *texture_data);
  char FillFromTextureData(int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh, char flip_h,
                           char flip_v, _EngTgaAlphaType alpha_type, float level, int data_width,
                           int data_height, int data_bits, const unsigned char *texture_data);
  char FillFromTextureData_GL(int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh, char flip_h,
                              char flip_v, _EngTgaAlphaType alpha_type, float level, int data_width,
                              int data_height, int data_bits, const unsigned char *texture_data);

  // Exchanges with textures (EngTgaTexture.cpp, EngTga_GL.cpp). -1 for sw or sh means the
  // texture's size, a negative dw or dh this image's.
  char SaveToFileFromTexture(const char *path, EngTexture *texture);
  char CreateFromTexture(EngTexture *texture);
  char FillFromTexture(int sx, int sy, int sw, int sh, EngTexture *texture, int dx, int dy, int dw, int dh,
                       char flip_h, char flip_v, _EngTgaAlphaType alpha_type, float level);
  char FillTexture(EngTexture *texture);
  char FillFromTexture_GL(int sx, int sy, int sw, int sh, EngTexture *texture, int dx, int dy, int dw, int dh,
                          char flip_h, char flip_v, _EngTgaAlphaType alpha_type, float level);
  char FillTexture_GL(EngTexture *texture);
  // The texture's pixels as image pixels (bytes blue, green, red, alpha), rows top first.
  static char UpdateTexCharBufferFromGlTexture_GL(EngTexture *texture, unsigned char *buffer, EngUInt32 size);

  // y counts from the bottom row; the alpha becomes 0.
  char SetDataEntryToColour(int x, int y, float r, float g, float b);
  // y counts from the top row; a position outside the image is ignored without a report.
  void SetDataEntryToColourNoChecks(int x, int y, float r, float g, float b);
  // y counts from the bottom row; negative sizes mean the whole width or height.
  char SetDataPartColour(int x, int y, int w, int h, float r, float g, float b, float a);

  void InvertAlpha();
  void InvertAlphaWithFade(float fade);
  void FadeAlpha(float fade);
  char CopyAlphaFromOtherTga(EngTga *other);

  EngUInt32 *data;
  EngInt32 width;
  EngInt32 height;
  EngInt32 bits;
  EngUInt32 size;
};

// A colour component in 0..1 as a byte (times 255, truncated, kept to 8 bits).
EngUInt8 EngTgaColourByte(float component);
