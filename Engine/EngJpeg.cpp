#include "Engine/EngJpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTexturePixels.h"
#include "Engine/EngTga.h"

// libjpeg's own error manager ends the process on a fatal error; this one logs the library's
// message under the caller's signature and jumps back so the caller can clean up and fail.
// The functions that set the jump point keep C++ objects with destructors out of its way.
// Without a signature nothing is logged and the last message is kept for the caller.
struct EngJpegErrorManager {
  jpeg_error_mgr pub;
  jmp_buf jump;
  const char *signature;
};

// One per thread: the picture-decoding worker and the main thread decode at the same time.
static thread_local char eng_jpeg_last_failure[JMSG_LENGTH_MAX] = "";

static void EngJpegErrorExit(j_common_ptr cinfo) {
  EngJpegErrorManager *manager = reinterpret_cast<EngJpegErrorManager *>(cinfo->err);
  char text[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, text);
  if (manager->signature)
    DebugErrorAlt(manager->signature, "%s", text);
  else
    memcpy(eng_jpeg_last_failure, text, sizeof eng_jpeg_last_failure);
  longjmp(manager->jump, 1);
}

static void EngJpegOutputMessage(j_common_ptr cinfo) {
  EngJpegErrorManager *manager = reinterpret_cast<EngJpegErrorManager *>(cinfo->err);
  if (!manager->signature) return;
  char text[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, text);
  char *name = DebugGetShortFuncName(manager->signature);
  DebugWarning(name, "%s", text);
  if (name != manager->signature) EngFree(name, 0, nullptr);
}

static void EngJpegSetupErrors(EngJpegErrorManager *manager, const char *signature) {
  jpeg_std_error(&manager->pub);
  manager->pub.error_exit = EngJpegErrorExit;
  manager->pub.output_message = EngJpegOutputMessage;
  manager->signature = signature;
}

char EngJpegDoesFileHaveJpegExtension(const char *name) {
  if (!name) return 0;
  size_t length = strlen(name);
  if (length < 5) return 0;
  if (strcasecmp(name + length - 4, ".jpg") == 0) return 1;
  return strcasecmp(name + length - 5, ".jpeg") == 0;
}

char EngJpegGetFileInfo(const char *path, int *width, int *height, int *components) {
  FILE *file = EngFileOpenStreamForReading(path);
  if (!file) {
    DebugErrorAlt(ENG_FUNC, "Cannot open file %s", EngReturnSafeString(path));
    return 0;
  }
  jpeg_decompress_struct cinfo;
  EngJpegErrorManager errors;
  cinfo.err = &errors.pub;
  EngJpegSetupErrors(&errors, ENG_FUNC);
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    fclose(file);
    return 0;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, file);
  jpeg_read_header(&cinfo, TRUE);
  if (width) *width = int(cinfo.image_width);
  if (height) *height = int(cinfo.image_height);
  if (components) *components = cinfo.num_components;
  jpeg_destroy_decompress(&cinfo);
  fclose(file);
  return 1;
}

// Decodes a whole file; alpha_mode < 0 keeps the library's output, otherwise a 3-component
// file becomes R, G, B, A with alpha by that mode.
static unsigned char *EngJpegRead(const char *signature, const char *path, int alpha_mode, int *width,
                                  int *height) {
  FILE *file = EngFileOpenStreamForReading(path);
  if (!file) {
    DebugErrorAlt(signature, "Cannot open file %s", EngReturnSafeString(path));
    return nullptr;
  }
  jpeg_decompress_struct cinfo;
  EngJpegErrorManager errors;
  cinfo.err = &errors.pub;
  EngJpegSetupErrors(&errors, signature);
  unsigned char *volatile buffer = nullptr;
  if (setjmp(errors.jump)) {
    free(buffer);
    jpeg_destroy_decompress(&cinfo);
    fclose(file);
    return nullptr;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, file);
  jpeg_read_header(&cinfo, TRUE);
  if (width) *width = int(cinfo.image_width);
  if (height) *height = int(cinfo.image_height);
  if (alpha_mode >= 0 && cinfo.num_components != 3) {
    DebugErrorAlt(signature, "Not supported (yet) for jpegs with %d components <%s>", cinfo.num_components, path);
    jpeg_destroy_decompress(&cinfo);
    fclose(file);
    return nullptr;
  }
  // A header of a few bytes can claim a picture of gigabytes.
  if (!EngImageIsSizeAllowed(cinfo.image_width, cinfo.image_height)) {
    DebugErrorAlt(signature, "Picture too big [%u,%u] <%s>", cinfo.image_width, cinfo.image_height, path);
    jpeg_destroy_decompress(&cinfo);
    fclose(file);
    return nullptr;
  }
  jpeg_start_decompress(&cinfo);
  const int out_components = alpha_mode >= 0 ? 4 : cinfo.output_components;
  if (alpha_mode >= 0 && cinfo.output_components != 3) {
    DebugErrorAlt(signature, "Not supported (yet) for jpegs with %d components <%s>", cinfo.output_components, path);
    jpeg_destroy_decompress(&cinfo);
    fclose(file);
    return nullptr;
  }
  const size_t row_bytes = size_t(cinfo.output_width) * size_t(cinfo.output_components);
  const size_t out_row_bytes = size_t(cinfo.output_width) * size_t(out_components);
  JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                              JDIMENSION(row_bytes), 1);
  buffer = static_cast<unsigned char *>(malloc(out_row_bytes * cinfo.output_height));
  if (!buffer) {
    DebugStandardError(signature, DEBUG_ERR_OMEM);
    jpeg_destroy_decompress(&cinfo);
    fclose(file);
    return nullptr;
  }
  unsigned int rows = 0;
  while (cinfo.output_scanline < cinfo.output_height) {
    if (jpeg_read_scanlines(&cinfo, row, 1) != 1) break;
    unsigned char *target = buffer + size_t(rows) * out_row_bytes;
    if (alpha_mode < 0) {
      memcpy(target, row[0], row_bytes);
    } else {
      const unsigned char *source = row[0];
      for (JDIMENSION x = 0; x < cinfo.output_width; x++, source += 3, target += 4) {
        target[0] = source[0];
        target[1] = source[1];
        target[2] = source[2];
        if (alpha_mode == 0 || alpha_mode == 2 || alpha_mode == 9)
          target[3] = 255;
        else if (alpha_mode == 1)
          target[3] = 0;
        else
          target[3] = EngTexture_GetPixelAlphaFromBrightness(char(alpha_mode), source[0], source[1], source[2]);
      }
    }
    rows++;
  }
  if (rows != cinfo.output_height) {
    DebugErrorAlt(signature, "Warning: Read %d lines not %d.", int(rows), int(cinfo.output_height));
    // The rows the library could not supply would otherwise be left unset.
    memset(buffer + size_t(rows) * out_row_bytes, 0, size_t(cinfo.output_height - rows) * out_row_bytes);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  fclose(file);
  return buffer;
}

unsigned char *EngJpegDecodeMemory(const unsigned char *bytes, unsigned long length, char grey, int *width,
                                   int *height, int *components, const char **failure) {
  jpeg_decompress_struct cinfo;
  EngJpegErrorManager errors;
  cinfo.err = &errors.pub;
  EngJpegSetupErrors(&errors, nullptr);
  unsigned char *volatile buffer = nullptr;
  if (setjmp(errors.jump)) {
    free(buffer);
    jpeg_destroy_decompress(&cinfo);
    if (failure) *failure = eng_jpeg_last_failure;
    return nullptr;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, bytes, length);
  jpeg_read_header(&cinfo, TRUE);
  if (components) *components = cinfo.num_components == 1 ? 1 : 3;
  if (!EngImageIsSizeAllowed(cinfo.image_width, cinfo.image_height)) {
    jpeg_destroy_decompress(&cinfo);
    if (failure) *failure = "Picture too big";
    return nullptr;
  }
  cinfo.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  const size_t row_bytes = size_t(cinfo.output_width) * size_t(cinfo.output_components);
  buffer = static_cast<unsigned char *>(malloc(row_bytes * cinfo.output_height));
  if (!buffer) {
    jpeg_destroy_decompress(&cinfo);
    if (failure) *failure = "outofmem";
    return nullptr;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = buffer + row_bytes * cinfo.output_scanline;
    if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) break;
  }
  if (cinfo.output_scanline < cinfo.output_height)
    memset(buffer + row_bytes * cinfo.output_scanline, 0,
           row_bytes * (cinfo.output_height - cinfo.output_scanline));
  if (width) *width = int(cinfo.output_width);
  if (height) *height = int(cinfo.output_height);
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return buffer;
}

unsigned char *EngJpegReadFileToBuffer(const char *path, int *width, int *height) {
  return EngJpegRead(ENG_FUNC, path, -1, width, height);
}

unsigned char *EngJpegReadFileToBufferWithAlpha(const char *path, char alpha_mode, int *width, int *height) {
  // Negative modes would mean "no alpha" to the shared reader; they are unknown modes here.
  int mode = alpha_mode < 0 ? 127 : alpha_mode;
  return EngJpegRead(ENG_FUNC, path, mode, width, height);
}

// Compresses into memory first so the file is replaced in one atomic save: a failed write
// leaves the old picture whole.
static char EngJpegWrite(const char *signature, const char *path, int quality, int dpi, int width, int height,
                         const unsigned char *rgb) {
  if (!path || !path[0]) {
    DebugErrorAlt(signature, "Cannot open file %s", EngReturnSafeString(path));
    return 0;
  }
  jpeg_compress_struct cinfo;
  EngJpegErrorManager errors;
  cinfo.err = &errors.pub;
  EngJpegSetupErrors(&errors, signature);
  unsigned char *output = nullptr;
  unsigned long output_size = 0;
  if (setjmp(errors.jump)) {
    // The library's failures (bad sizes or quality) come before any scan line, so the
    // output block is still the first one it allocated.
    jpeg_destroy_compress(&cinfo);
    free(output);
    return 0;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &output, &output_size);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  if (dpi > 0) {
    cinfo.density_unit = 1;
    cinfo.X_density = UINT16(dpi);
    cinfo.Y_density = UINT16(dpi);
  }
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  const size_t stride = size_t(width) * 3;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb + size_t(cinfo.next_scanline) * stride);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  char ok = output_size <= 0xffffffffUL && EngFileOpenWriteAndClose(path, 0, output, euint(output_size));
  free(output);
  if (!ok) DebugErrorAlt(signature, "Cannot open file %s", path);
  return ok;
}

char EngJpegWriteFileFromBuffer(const char *path, int quality, int dpi, int width, int height,
                                const unsigned char *rgb) {
  if (!rgb || width < 1 || height < 1) {
    DebugErrorAlt(ENG_FUNC, "Invalid Parameters");
    return 0;
  }
  return EngJpegWrite(ENG_FUNC, path, quality, dpi, width, height, rgb);
}

char EngJpegSaveToFileFromTexture(const char *path, EngTexture *texture, int quality, int dpi) {
  if (!path || !path[0] || !texture || !texture->IsOk()) {
    DebugErrorAlt(ENG_FUNC, "Invalid Parameters");
    return 0;
  }
  if (texture->GetNumChannels() != 3) {
    DebugErrorAlt(ENG_FUNC, "Invalid Texture (channels: %d)", int(texture->GetNumChannels()));
    return 0;
  }
  const int width = texture->GetWidth(), height = texture->GetHeight();
  const size_t row_bytes = size_t(width) * 3;
  unsigned char *rgb = static_cast<unsigned char *>(malloc(size_t(width) * size_t(height) * 9));
  if (!rgb) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  _EngTextureGetPixelDataInfo info = {};
  texture->PrepareToGetPixelData(&info);
  const unsigned char *pixels = texture->GetPixelDataBuffer(&info);
  if (!pixels) {
    DebugErrorAlt(ENG_FUNC, "Could not get texture data");
    texture->RestoreAfterGettingPixelData(&info);
    free(rgb);
    return 0;
  }
  for (int y = 0; y < height; y++) memcpy(rgb + size_t(y) * row_bytes, pixels + size_t(y) * info.pitch, row_bytes);
  texture->RestoreAfterGettingPixelData(&info);
  char ok = EngJpegWrite(ENG_FUNC, path, quality, dpi, width, height, rgb);
  free(rgb);
  return ok;
}

char EngJpegSaveToFileFromTga(const char *path, EngTga *tga, int quality, int dpi) {
  if (!path || !path[0] || !tga || !tga->data) {
    DebugErrorAlt(ENG_FUNC, "Invalid Parameters");
    return 0;
  }
  if (tga->bits != 32) {
    DebugErrorAlt(ENG_FUNC, "Invalid data Bpp (%d)", tga->bits);
    return 0;
  }
  const size_t pixels = size_t(tga->width) * size_t(tga->height);
  unsigned char *rgb = static_cast<unsigned char *>(malloc(pixels * 3));
  if (!rgb) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  for (size_t i = 0; i < pixels; i++) {
    EngUInt32 word = tga->data[i];
    rgb[i * 3] = EngUInt8(word >> 16);
    rgb[i * 3 + 1] = EngUInt8(word >> 8);
    rgb[i * 3 + 2] = EngUInt8(word);
  }
  char ok = EngJpegWrite(ENG_FUNC, path, quality, dpi, tga->width, tga->height, rgb);
  free(rgb);
  return ok;
}

char EngJpegIsFilled() { return 0; }
