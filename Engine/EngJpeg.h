// JPEG pictures through libjpeg: header reading, decoding into RGB(A) buffers (rows top first,
// freed by the caller with EngFree), and writing RGB buffers and EngTga images. A corrupt file
// is logged with the library's message and fails; it never ends the program.
#pragma once

class EngTexture;
class EngTga;

char EngJpegDoesFileHaveJpegExtension(const char *name);
// 1 when the file could be opened and its header read.
char EngJpegGetFileInfo(const char *path, int *width, int *height, int *components);
// Three bytes R, G, B per pixel; one byte per pixel for a greyscale file.
unsigned char *EngJpegReadFileToBuffer(const char *path, int *width, int *height);
// Four bytes R, G, B, A per pixel of a 3-component file, the alpha made by the alpha mode.
unsigned char *EngJpegReadFileToBufferWithAlpha(const char *path, char alpha_mode, int *width, int *height);
char EngJpegWriteFileFromBuffer(const char *path, int quality, int dpi, int width, int height,
                                const unsigned char *rgb);
// Writes a created 3-channel texture at its GL size, its pixels read back from GL.
char EngJpegSaveToFileFromTexture(const char *path, EngTexture *texture, int quality, int dpi);
// Writes a 32-bit image without its alpha.
char EngJpegSaveToFileFromTga(const char *path, EngTga *tga, int quality, int dpi);
char EngJpegIsFilled();
// Decodes JPEG bytes in memory to grey (1 byte a pixel) or R, G, B without logging; on
// failure the library's message is left in *failure, the calling thread's own text until its
// next failure. components gets the file's: 1 or 3.
unsigned char *EngJpegDecodeMemory(const unsigned char *bytes, unsigned long length, char grey, int *width,
                                   int *height, int *components, const char **failure);
