#include "Engine/EngTga.h"

#include <cstdlib>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/EngTexturePixels.h"

static const unsigned char eng_tga_header_start[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
enum { ENG_TGA_HEADER_SIZE = 18 };

EngUInt8 EngTgaColourByte(float component) { return EngUInt8(int(component * 255.0f)); }

static EngUInt32 EngTgaPixel(EngUInt8 r, EngUInt8 g, EngUInt8 b, EngUInt8 a) {
  return (EngUInt32(a) << 24) | (EngUInt32(r) << 16) | (EngUInt32(g) << 8) | EngUInt32(b);
}

EngTga::EngTga() : data(nullptr), width(0), height(0), bits(0), size(0) {}

EngTga::EngTga(const char *path) : EngTga() { LoadFromFile(path, 1); }

EngTga::EngTga(int w, int h, int bits_per_pixel) : EngTga() { CreateWithColour(w, h, bits_per_pixel, -1, -1, -1, -1); }

EngTga::EngTga(int w, int h, int bits_per_pixel, float r, float g, float b, float a) : EngTga() {
  CreateWithColour(w, h, bits_per_pixel, r, g, b, a);
}

EngTga::~EngTga() { Destroy(); }

void EngTga::Destroy() {
  free(data);
  data = nullptr;
  width = height = bits = 0;
  size = 0;
}

char EngTga::Create(int w, int h, int bits_per_pixel) {
  return CreateWithColour(w, h, bits_per_pixel, -1, -1, -1, -1);
}

char EngTga::CreateWithColour(int w, int h, int bits_per_pixel, float r, float g, float b, float a) {
  // The byte size must fit the 32-bit size field: the sides are held to the decoders' limits.
  if (w < 1 || h < 1 || bits_per_pixel != 32 || !EngImageIsSizeAllowed(w, h)) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return 0;
  }
  if (data) {
    DebugErrorAlt(ENG_FUNC, "Data already created");
    return 0;
  }
  EngUInt32 bytes = EngUInt32(w) * EngUInt32(h) * 4;
  data = static_cast<EngUInt32 *>(malloc(bytes));
  if (!data) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  width = w;
  height = h;
  bits = bits_per_pixel;
  size = bytes;
  if (r >= 0 && g >= 0 && b >= 0 && a >= 0) {
    EngUInt32 colour =
        EngTgaPixel(EngTgaColourByte(r), EngTgaColourByte(g), EngTgaColourByte(b), EngTgaColourByte(a));
    for (EngUInt32 i = 0; i < bytes / 4; i++) data[i] = colour;
  }
  return 1;
}

// Reads and checks the 18-byte header; 0 on a short read or a header this reader refuses.
static char EngTgaReadHeader(EngFile *file, int *w, int *h, int *file_bits) {
  unsigned char header[ENG_TGA_HEADER_SIZE];
  if (file->FRead(header, ENG_TGA_HEADER_SIZE) != ENG_TGA_HEADER_SIZE) return 0;
  if (memcmp(header, eng_tga_header_start, sizeof eng_tga_header_start) != 0) return 0;
  *w = header[12] | (header[13] << 8);
  *h = header[14] | (header[15] << 8);
  *file_bits = header[16];
  return 1;
}

char EngTga::LoadFromFile(const char *path, char create) {
  EngFile file;
  if (!path || !file.OpenForReading(path, 0, 0)) {
    DebugErrorAlt(ENG_FUNC, "Could not open file <%s>", EngReturnSafeString(path));
    return 0;
  }
  int file_width = 0, file_height = 0, file_bits = 0;
  if (!EngTgaReadHeader(&file, &file_width, &file_height, &file_bits)) {
    DebugErrorAlt(ENG_FUNC, "Problems [0] loading file <%s>", path);
    return 0;
  }
  int memory_bits = file_bits == 24 ? 32 : file_bits;
  if (file_width == 0 || file_height == 0 || (memory_bits != 16 && memory_bits != 24 && memory_bits != 32) ||
      !EngImageIsSizeAllowed(file_width, file_height)) {
    DebugErrorAlt(ENG_FUNC, "Bad Format in file: <%s>", path);
    return 0;
  }
  // The header is not trusted: the pixels it announces must really follow it in the file.
  const EngUInt64 file_row_bytes = EngUInt64(file_width) * EngUInt64(file_bits / 8);
  const EngUInt64 needed = ENG_TGA_HEADER_SIZE + file_row_bytes * EngUInt64(file_height);
  const char *short_message =
      file_bits == 24 ? "Problems reading data [3] in file <%s>" : "Problems reading data [2] in file <%s>";
  if (EngUInt64(file.GetSize()) < needed) {
    DebugErrorAlt(ENG_FUNC, short_message, path);
    return 0;
  }
  if (create) {
    if (data) {
      DebugErrorAlt(ENG_FUNC, "Invalid Data [1]");
      return 0;
    }
    if (!CreateWithColour(file_width, file_height, memory_bits, -1, -1, -1, -1)) {
      DebugErrorAlt(ENG_FUNC, "Could not create m_data");
      return 0;
    }
  } else if (!data) {
    DebugErrorAlt(ENG_FUNC, "Invalid Data [1]");
    return 0;
  }
  if ((bits != 24 && bits != 32) || width != file_width || height != file_height || bits != memory_bits ||
      EngUInt64(size) != EngUInt64(width) * EngUInt64(height) * EngUInt64(bits / 8)) {
    DebugErrorAlt(ENG_FUNC, "Invalid Data [2]");
    if (create) Destroy();
    return 0;
  }
  const size_t memory_row_words = size_t(width);
  char ok = 1;
  if (file_bits == 32) {
    for (int row = height - 1; row >= 0 && ok; row--)
      ok = file.FRead(data + size_t(row) * memory_row_words, EngUInt32(file_row_bytes)) == file_row_bytes;
  } else {
    unsigned char *scratch =
        static_cast<unsigned char *>(EngMalloc(size_t(file_row_bytes), "EngTga::LoadFromFile", 0));
    if (!scratch) {
      DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
      if (create) Destroy();
      return 0;
    }
    for (int row = height - 1; row >= 0 && ok; row--) {
      ok = file.FRead(scratch, EngUInt32(file_row_bytes)) == file_row_bytes;
      EngUInt32 *target = data + size_t(row) * memory_row_words;
      for (int x = 0; ok && x < width; x++)
        target[x] = EngTgaPixel(scratch[x * 3 + 2], scratch[x * 3 + 1], scratch[x * 3], 255);
    }
    EngFree(scratch, 0, "EngTga::LoadFromFile");
  }
  if (!ok) {
    DebugErrorAlt(ENG_FUNC, short_message, path);
    if (create) Destroy();
    return 0;
  }
  return 1;
}

char EngTga::GetSizeFromFile(const char *path, int *w, int *h, int *bits_out) {
  EngFile file;
  if (!path || !file.OpenForReading(path, 0, 0)) {
    DebugErrorAlt(ENG_FUNC, "Could not open file <%s>", EngReturnSafeString(path));
    return 0;
  }
  int file_width = 0, file_height = 0, file_bits = 0;
  if (!EngTgaReadHeader(&file, &file_width, &file_height, &file_bits)) {
    DebugErrorAlt(ENG_FUNC, "Problems [0] loading file <%s>", path);
    return 0;
  }
  if (w) *w = file_width;
  if (h) *h = file_height;
  if (bits_out) *bits_out = file_bits;
  return file_bits == 32 && file_width != 0 && file_height != 0;
}

char EngTga::SaveToFile(const char *path) {
  if (!path || !path[0]) {
    DebugErrorAlt(ENG_FUNC, "No filename");
    return 0;
  }
  if (!data) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return 0;
  }
  if (width < 1 || height < 1 || bits != 32 || width > 0xffff || height > 0xffff) {
    DebugErrorAlt(ENG_FUNC, "Invalid m_data passed in (filename=%s)", path);
    return 0;
  }
  // The whole file is built first and saved atomically, so a failed save keeps the old file.
  const size_t row_bytes = size / EngUInt32(height);
  const size_t total = ENG_TGA_HEADER_SIZE + row_bytes * size_t(height);
  unsigned char *block = static_cast<unsigned char *>(malloc(total));
  if (!block) {
    DebugErrorAlt(ENG_FUNC, "No memory creating file <%s>", path);
    return 0;
  }
  memset(block, 0, ENG_TGA_HEADER_SIZE);
  block[2] = 2;
  block[12] = EngUInt8(width);
  block[13] = EngUInt8(width >> 8);
  block[14] = EngUInt8(height);
  block[15] = EngUInt8(height >> 8);
  block[16] = 32;
  const unsigned char *pixels = reinterpret_cast<const unsigned char *>(data);
  for (int row = 0; row < height; row++)
    memcpy(block + ENG_TGA_HEADER_SIZE + size_t(row) * row_bytes, pixels + size_t(height - 1 - row) * row_bytes,
           row_bytes);
  char ok = EngFileOpenWriteAndClose(path, 0, block, euint(total));
  free(block);
  if (!ok) DebugErrorAlt(ENG_FUNC, "Could not create file <%s>", path);
  return ok;
}

char EngTga::CreateFromOtherTga(EngTga *other, char create) {
  if (!other || !other->data || other->bits != 32) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters [1]");
    return 0;
  }
  if (create) {
    if (other->width < 2 || other->height < 2 || data) {
      DebugErrorAlt(ENG_FUNC, "Invalid parameters [1]");
      return 0;
    }
    if (!Create(other->width, other->height, 32)) return 0;
  } else if (!data || bits != 32 || width != other->width || height != other->height) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters [2]");
    return 0;
  }
  memcpy(data, other->data, size_t(width) * size_t(height) * 4);
  return 1;
}

char EngTga::CreateFromTwiceSizeData(EngTga *other, char create) {
  if (!other || !other->data || other->bits != 32) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters [1]");
    return 0;
  }
  if (create) {
    if (other->width < 2 || other->height < 2 || data) {
      DebugErrorAlt(ENG_FUNC, "Invalid parameters [1]");
      return 0;
    }
    if (!Create(other->width / 2, other->height / 2, 32)) return 0;
  } else if (!data || bits != 32 || width * 2 != other->width || height * 2 != other->height) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters [2]");
    return 0;
  }
  const size_t other_row = size_t(other->width);
  for (int y = 0; y < height; y++) {
    const EngUInt32 *top = other->data + size_t(2 * y) * other_row;
    const EngUInt32 *bottom = top + other_row;
    for (int x = 0; x < width; x++) {
      EngUInt32 upper = EngTexture_AverageTwoPixels(top[2 * x], top[2 * x + 1]);
      EngUInt32 lower = EngTexture_AverageTwoPixels(bottom[2 * x], bottom[2 * x + 1]);
      data[size_t(y) * size_t(width) + size_t(x)] = EngTexture_AverageTwoPixels(upper, lower);
    }
  }
  return 1;
}

char EngTga::SetDataEntryToColour(int x, int y, float r, float g, float b) {
  if (!data) {
    DebugErrorAlt(ENG_FUNC, "Invalid m_data");
    return 0;
  }
  if (x < 0 || x >= width || y < 0 || y >= height) {
    DebugErrorAlt(ENG_FUNC, "Invalid pos [%d,%d]", x, y);
    return 0;
  }
  data[size_t(height - 1 - y) * size_t(width) + size_t(x)] =
      EngTgaPixel(EngTgaColourByte(r), EngTgaColourByte(g), EngTgaColourByte(b), 0);
  return 1;
}

void EngTga::SetDataEntryToColourNoChecks(int x, int y, float r, float g, float b) {
  // Callers promise a position inside the image; one outside would write past the pixels.
  if (!data || x < 0 || x >= width || y < 0 || y >= height) return;
  data[size_t(y) * size_t(width) + size_t(x)] =
      EngTgaPixel(EngTgaColourByte(r), EngTgaColourByte(g), EngTgaColourByte(b), 0);
}

char EngTga::SetDataPartColour(int x, int y, int w, int h, float r, float g, float b, float a) {
  if (w < 0) w = width;
  if (h < 0) h = height;
  if (!data || x < 0 || x >= width || y < 0 || y >= height || EngInt64(x) + w > width ||
      EngInt64(y) + h > height) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return 0;
  }
  EngUInt32 colour = EngTgaPixel(EngTgaColourByte(r), EngTgaColourByte(g), EngTgaColourByte(b), EngTgaColourByte(a));
  for (int row = height - y - h; row <= height - y - 1; row++) {
    EngUInt32 *line = data + size_t(row) * size_t(width);
    for (int column = x; column < x + w; column++) line[column] = colour;
  }
  return 1;
}

// Each alpha byte through a function of the old alpha.
template <typename F>
static void EngTgaMapAlpha(EngTga *image, F alpha_of) {
  const size_t count = size_t(image->width) * size_t(image->height);
  for (size_t i = 0; i < count; i++) {
    EngUInt32 word = image->data[i];
    image->data[i] = (word & 0x00ffffffu) | (EngUInt32(alpha_of(int(word >> 24))) << 24);
  }
}

void EngTga::InvertAlpha() {
  if (!data || bits != 32) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameter");
    return;
  }
  EngTgaMapAlpha(this, [](int a) { return EngUInt8(255 - a); });
}

void EngTga::InvertAlphaWithFade(float fade) {
  if (!data || bits != 32) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameter");
    return;
  }
  if (fade >= 0 && fade < 1)
    EngTgaMapAlpha(this, [fade](int a) { return EngUInt8(int(float(255 - a) * fade)); });
  else
    EngTgaMapAlpha(this, [](int a) { return EngUInt8(255 - a); });
}

void EngTga::FadeAlpha(float fade) {
  if (!data || bits != 32) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameter");
    return;
  }
  if (fade < 0 || fade > 1) return;
  EngTgaMapAlpha(this, [fade](int a) { return EngUInt8(int(float(a) * fade)); });
}

char EngTga::CopyAlphaFromOtherTga(EngTga *other) {
  if (!other) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (other->bits != 32 || other->width < 1 || other->height < 1 || !other->size || !other->data || bits != 32 ||
      width < 1 || height < 1 || !size || !data) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  for (int y = 0; y < height; y++) {
    EngInt64 oy = EngInt64(other->height) * y / height;
    if (oy >= other->height) oy = other->height - 1;
    for (int x = 0; x < width; x++) {
      EngInt64 ox = EngInt64(other->width) * x / width;
      if (ox >= other->width) ox = other->width - 1;
      EngUInt32 alpha = other->data[size_t(oy) * size_t(other->width) + size_t(ox)] & 0xff000000u;
      EngUInt32 &pixel = data[size_t(y) * size_t(width) + size_t(x)];
      pixel = (pixel & 0x00ffffffu) | alpha;
    }
  }
  return 1;
}
