#include "Engine/EngImageDecode.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <png.h>

#include "Engine/EngTexturePixels.h"

// Per thread: the worker decoding ahead keeps its own.
static thread_local char eng_image_decode_png_failure[160];

namespace {

// One decode: libpng's objects, the bytes being read and what has been made so far. Everything
// libpng's error jump may leave behind lives here, outside the frame that set the jump.
struct PngDecode {
  png_structp png = nullptr;
  png_infop info = nullptr;
  const unsigned char *bytes = nullptr;
  size_t length = 0, at = 0;
  char failure[128] = "";
  png_uint_32 width = 0, height = 0;
  int colour_type = 0, stored_channels = 0;
  unsigned char *stored = nullptr;  // the rows as stored: 8-bit samples or palette indices
  png_bytep *rows = nullptr;
  // The palette as RGBA, entries past the file's black and opaque; whether it has alpha.
  unsigned char palette[256][4] = {};
  bool palette_alpha = false;
  // A grey or RGB colour that stands for transparent, compared on the low byte of each sample.
  bool has_key = false;
  unsigned char key[3] = {};
};

void PngFail(png_structp png, png_const_charp message) {
  PngDecode *d = static_cast<PngDecode *>(png_get_error_ptr(png));
  snprintf(d->failure, sizeof d->failure, "%s", message ? message : "");
  png_longjmp(png, 1);
}

void PngWarn(png_structp, png_const_charp) {}

void PngRead(png_structp png, png_bytep out, size_t count) {
  PngDecode *d = static_cast<PngDecode *>(png_get_io_ptr(png));
  if (count > d->length - d->at) png_error(png, "Read past the end of the file");
  memcpy(out, d->bytes + d->at, count);
  d->at += count;
}

// Reads the header, palette, transparency and rows into d; 0 with d->failure set on any fault.
// Nothing here may need destroying: libpng's error handler jumps straight out of it.
int PngReadRows(PngDecode *d) {
  if (setjmp(png_jmpbuf(d->png))) return 0;
  png_set_read_fn(d->png, d, PngRead);
  png_set_user_limits(d->png, ENG_IMAGE_MAX_SIDE, ENG_IMAGE_MAX_SIDE);
  png_read_info(d->png, d->info);
  int bit_depth = 0, interlace = 0;
  png_get_IHDR(d->png, d->info, &d->width, &d->height, &bit_depth, &d->colour_type, &interlace, nullptr, nullptr);
  // What the game's pictures are made as; anything else was refused before and still is.
  if (bit_depth != 8) png_error(d->png, "PNG not supported: 8-bit only");
  if (interlace != PNG_INTERLACE_NONE) png_error(d->png, "PNG not supported: interlaced mode");
  if (!EngImageIsSizeAllowed(d->width, d->height)) png_error(d->png, "Picture too big");

  png_bytep trans_alpha = nullptr;
  int trans_count = 0;
  png_color_16p trans_colour = nullptr;
  const bool has_trns = png_get_tRNS(d->png, d->info, &trans_alpha, &trans_count, &trans_colour) != 0;
  if (d->colour_type == PNG_COLOR_TYPE_PALETTE) {
    png_colorp entries = nullptr;
    int count = 0;
    if (!png_get_PLTE(d->png, d->info, &entries, &count) || count < 1) png_error(d->png, "no PLTE");
    for (int i = 0; i < 256; i++) d->palette[i][3] = 255;
    for (int i = 0; i < count && i < 256; i++) {
      d->palette[i][0] = entries[i].red;
      d->palette[i][1] = entries[i].green;
      d->palette[i][2] = entries[i].blue;
    }
    d->palette_alpha = has_trns;
    for (int i = 0; has_trns && trans_alpha && i < trans_count && i < 256; i++) d->palette[i][3] = trans_alpha[i];
  } else if (has_trns && trans_colour &&
             (d->colour_type == PNG_COLOR_TYPE_GRAY || d->colour_type == PNG_COLOR_TYPE_RGB)) {
    d->has_key = true;
    if (d->colour_type == PNG_COLOR_TYPE_GRAY) {
      d->key[0] = (unsigned char)(trans_colour->gray & 0xff);
    } else {
      d->key[0] = (unsigned char)(trans_colour->red & 0xff);
      d->key[1] = (unsigned char)(trans_colour->green & 0xff);
      d->key[2] = (unsigned char)(trans_colour->blue & 0xff);
    }
  }

  d->stored_channels = png_get_channels(d->png, d->info);
  const size_t row_bytes = png_get_rowbytes(d->png, d->info);
  d->stored = static_cast<unsigned char *>(malloc(row_bytes * d->height));
  d->rows = static_cast<png_bytep *>(malloc(sizeof(png_bytep) * d->height));
  if (!d->stored || !d->rows) png_error(d->png, "outofmem");
  for (png_uint_32 y = 0; y < d->height; y++) d->rows[y] = d->stored + size_t(y) * row_bytes;
  png_read_image(d->png, d->rows);
  png_read_end(d->png, nullptr);
  return 1;
}

unsigned char Luma(const unsigned char *p) { return (unsigned char)((p[0] * 77 + p[1] * 150 + p[2] * 29) >> 8); }

// One stored pixel as RGBA: grey spread over three channels, alpha 255 where the file has none.
void PixelRgba(const PngDecode &d, const unsigned char *s, unsigned char *rgba) {
  switch (d.colour_type) {
    case PNG_COLOR_TYPE_PALETTE: memcpy(rgba, d.palette[s[0]], 4); return;
    case PNG_COLOR_TYPE_GRAY:
      rgba[0] = rgba[1] = rgba[2] = s[0];
      rgba[3] = d.has_key && s[0] == d.key[0] ? 0 : 255;
      return;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      rgba[0] = rgba[1] = rgba[2] = s[0];
      rgba[3] = s[1];
      return;
    case PNG_COLOR_TYPE_RGB:
      memcpy(rgba, s, 3);
      rgba[3] = d.has_key && s[0] == d.key[0] && s[1] == d.key[1] && s[2] == d.key[2] ? 0 : 255;
      return;
    default: memcpy(rgba, s, 4); return;
  }
}

// The channels the picture decodes to when none are asked for: grey or colour, with alpha
// when the file has any (an alpha channel, a palette's transparency or a transparent colour).
int NaturalChannels(const PngDecode &d) {
  switch (d.colour_type) {
    case PNG_COLOR_TYPE_PALETTE: return d.palette_alpha ? 4 : 3;
    case PNG_COLOR_TYPE_GRAY: return d.has_key ? 2 : 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return d.has_key ? 4 : 3;
    default: return 4;
  }
}

// Writes the stored rows as count channels a pixel: from colour to grey by the weighted sum
// the loader has always used, alpha 255 where the picture has none.
void Convert(const PngDecode &d, int natural, int count, unsigned char *out) {
  const bool grey = natural <= 2;
  const size_t pixels = size_t(d.width) * d.height;
  const unsigned char *s = d.stored;
  for (size_t i = 0; i < pixels; i++, s += d.stored_channels, out += count) {
    unsigned char rgba[4];
    PixelRgba(d, s, rgba);
    switch (count) {
      case 1: out[0] = grey ? rgba[0] : Luma(rgba); break;
      case 2:
        out[0] = grey ? rgba[0] : Luma(rgba);
        out[1] = rgba[3];
        break;
      default: memcpy(out, rgba, size_t(count)); break;
    }
  }
}

}  // namespace

unsigned char *EngImageDecodePng(const unsigned char *bytes, size_t length, int force_channels, int *width, int *height,
                                 int *channels, const char **failure) {
  PngDecode d;
  d.bytes = bytes;
  d.length = length;
  d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &d, PngFail, PngWarn);
  if (d.png) d.info = png_create_info_struct(d.png);
  unsigned char *out = nullptr;
  int count = 0;
  if (!d.png || !d.info) {
    snprintf(d.failure, sizeof d.failure, "outofmem");
  } else if (PngReadRows(&d)) {
    const int natural = NaturalChannels(d);
    count = force_channels >= 1 && force_channels <= 4 ? force_channels : natural;
    out = static_cast<unsigned char *>(malloc(size_t(d.width) * d.height * size_t(count)));
    if (out)
      Convert(d, natural, count, out);
    else
      snprintf(d.failure, sizeof d.failure, "outofmem");
  }
  png_destroy_read_struct(&d.png, &d.info, nullptr);
  free(d.rows);
  free(d.stored);
  if (!out) {
    // Refusals of what the loader does not read keep their own words; the rest is damage.
    const bool own = strncmp(d.failure, "PNG not supported", 17) == 0 || strcmp(d.failure, "outofmem") == 0 ||
                     strcmp(d.failure, "Picture too big") == 0;
    snprintf(eng_image_decode_png_failure, sizeof eng_image_decode_png_failure, own ? "%s" : "Corrupt PNG: %s",
             d.failure);
    if (failure) *failure = eng_image_decode_png_failure;
    return nullptr;
  }
  if (width) *width = int(d.width);
  if (height) *height = int(d.height);
  if (channels) *channels = count;
  return out;
}
