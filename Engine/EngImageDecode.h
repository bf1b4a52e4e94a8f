// Picture-file decoding for the texture loader: SOIL's image loader returning pixels in memory
// (BMP and TGA; PNG content goes to libpng, JPEG content to libjpeg; GIF is not read), the JPEG
// decoder over EngJpeg with the alpha modes, and content tests. Pixels: rows top first, 1 to 4
// bytes a pixel.
#pragma once

#include <cstddef>

class EngFile;

enum {
  ENG_SOIL_FLAG_MULTIPLY_ALPHA = 8,  // SOIL_FLAG_MULTIPLY_ALPHA
  ENG_SOIL_FLAG_DDS_LOAD_DIRECT = 64  // SOIL_FLAG_DDS_LOAD_DIRECT, refused
};

// force_channels 0 keeps the file's count, 1 to 4 converts (and is the count reported). Null
// on failure with the reason in EngImageDecodeLastResult(); logs nothing itself. Free the
// result with EngImageDecodeFree.
unsigned char *SOIL_load_OGL_texture_to_memory(const char *filename, int force_channels, unsigned int flags,
                                               int *width, int *height, int *channels);
// The same over a file's bytes already in memory.
unsigned char *EngImageDecodeFromMemory(const unsigned char *bytes, unsigned int length, int force_channels,
                                        unsigned int flags, int *width, int *height, int *channels);
void EngImageDecodeFree(unsigned char *pixels);
// A PNG file's bytes decoded as SOIL decoded them (8-bit, not interlaced; converted to
// force_channels 1 to 4, else the file's own count with alpha where it has transparency), no
// alpha multiplied. Null with the reason in *failure on any fault; safe beside other threads.
unsigned char *EngImageDecodePng(const unsigned char *bytes, size_t length, int force_channels, int *width, int *height,
                                 int *channels, const char **failure);

// Pictures decoded ahead of their textures. While the program waits on the display (the full
// screen taken, the context made), a worker thread decodes the files the first screen shows,
// with the loader's arguments; SOIL_load_OGL_texture_to_memory then hands those pixels over
// (waiting for the worker if it is still on the file) instead of decoding again. A file the
// worker cannot decode is left to the loader, which reports it as ever.
void EngImageDecodeAhead(const char *const *files, int count, int force_channels, unsigned int flags);
// Keeps pixels already decoded (by a check that the file decodes) for the loader to take with
// the same arguments; the keeping owns them from here.
void EngImageDecodeKeepForLoader(const char *filename, int force_channels, unsigned int flags, unsigned char *pixels,
                                 int width, int height, int channels);
// Waits for the worker and frees what no loader took.
void EngImageDecodeForgetAhead();
// The text of the loader's last result.
const char *EngImageDecodeLastResult();

// force_channels 0 (the file's), 1, 3 or 4; only 3 to 4 is converted, the alpha made by the
// alpha mode. Logs its failures; free the result with EngFree.
unsigned char *EngTextureGL_JpegLoadTextureToData(const char *filename, int force_channels, char alpha_mode,
                                                  int *width, int *height, int *channels);

// Content tests from the start of an open file (its position is kept); non-zero on a match.
int EngImageDecodeIsJpeg(EngFile *file);
int EngImageDecodeIsPng(EngFile *file);
int EngImageDecodeIsBmp(EngFile *file);
int EngImageDecodeIsGif(EngFile *file);
int EngImageDecodeIsTga(EngFile *file);

void EngImageDecodeResetForTests();
