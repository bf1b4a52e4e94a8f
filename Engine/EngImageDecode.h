// Picture-file decoding for the texture loader: SOIL's image loader returning pixels in memory
// (PNG, BMP and TGA; JPEG content goes to libjpeg; GIF is not read), the JPEG decoder over
// EngJpeg with the alpha modes, and content tests. Pixels: rows top first, 1 to 4 bytes a pixel.
#pragma once

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
