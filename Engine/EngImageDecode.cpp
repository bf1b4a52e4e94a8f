#include "Engine/EngImageDecode.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <SOIL.h>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngTexturePixels.h"

// Per thread: the worker decoding ahead keeps its own.
static thread_local const char *eng_image_decode_last_result = "";

// Files above this are not pictures the game could use; reading them whole would only waste memory.
static const long ENG_IMAGE_DECODE_MAX_FILE_BYTES = 256L * 1024 * 1024;

// The loader's own texts, so callers see one vocabulary whichever side refused.
static const char *const eng_image_decode_unknown = "Image not of any known type, or corrupt";

enum EngImageDecodeKind { KIND_UNKNOWN, KIND_JPEG, KIND_PNG, KIND_BMP, KIND_GIF, KIND_TGA };

static EngUInt32 ReadBE16(const unsigned char *p) { return EngUInt32(p[0]) << 8 | p[1]; }
static EngUInt32 ReadBE32(const unsigned char *p) { return ReadBE16(p) << 16 | ReadBE16(p + 2); }
static EngUInt32 ReadLE16(const unsigned char *p) { return EngUInt32(p[1]) << 8 | p[0]; }
static EngUInt32 ReadLE32(const unsigned char *p) { return ReadLE16(p + 2) << 16 | ReadLE16(p); }

static int TestJpeg(const unsigned char *p, size_t n) { return n >= 3 && p[0] == 0xff && p[1] == 0xd8 && p[2] == 0xff; }

static int TestPng(const unsigned char *p, size_t n) {
  static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  return n >= 8 && memcmp(p, signature, 8) == 0;
}

static int TestBmp(const unsigned char *p, size_t n) {
  if (n < 18 || p[0] != 'B' || p[1] != 'M') return 0;
  EngUInt32 info_size = ReadLE32(p + 14);
  return info_size == 12 || info_size == 40 || info_size == 56 || info_size == 108 || info_size == 124;
}

static int TestGif(const unsigned char *p, size_t n) {
  return n >= 6 && memcmp(p, "GIF8", 4) == 0 && (p[4] == '7' || p[4] == '9') && p[5] == 'a';
}

static int TestTga(const unsigned char *p, size_t n) {
  if (n < 18 || p[1] > 1) return 0;
  int type = p[2];
  if (type != 1 && type != 2 && type != 3 && type != 9 && type != 10 && type != 11) return 0;
  if (ReadLE16(p + 12) < 1 || ReadLE16(p + 14) < 1) return 0;
  int bits = p[16];
  return bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

static EngImageDecodeKind Classify(const unsigned char *p, size_t n) {
  if (TestJpeg(p, n)) return KIND_JPEG;
  if (TestPng(p, n)) return KIND_PNG;
  if (TestBmp(p, n)) return KIND_BMP;
  if (TestGif(p, n)) return KIND_GIF;
  if (TestTga(p, n)) return KIND_TGA;
  return KIND_UNKNOWN;
}

// The size a JPEG's first frame header announces; 0 when none is found.
static int JpegSize(const unsigned char *p, size_t n, EngInt64 *width, EngInt64 *height) {
  size_t at = 2;
  while (at + 4 <= n) {
    if (p[at] != 0xff) return 0;
    unsigned char marker = p[at + 1];
    if (marker == 0xff) {
      at++;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd9)) {
      at += 2;
      continue;
    }
    EngUInt32 length = ReadBE16(p + at + 2);
    const bool frame = marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
    if (frame) {
      if (at + 9 > n) return 0;
      *height = ReadBE16(p + at + 5);
      *width = ReadBE16(p + at + 7);
      return 1;
    }
    if (length < 2) return 0;
    at += 2 + length;
  }
  return 0;
}

// The loader reads past the end of a short file as zero bytes and reports success: a header
// whose uncompressed pixels cannot all be in the file is refused here.
static int PixelsFit(EngImageDecodeKind kind, const unsigned char *p, size_t n) {
  if (kind == KIND_TGA) {
    const EngUInt64 pixels = EngUInt64(ReadLE16(p + 12)) * ReadLE16(p + 14);
    const EngUInt64 pixel_bytes = (p[16] + 7) / 8;
    EngUInt64 needed = 18 + EngUInt64(p[0]);
    // The loader skips the first entry's index in bytes before it copies the palette.
    if (p[1] == 1) needed += ReadLE16(p + 3) + EngUInt64(ReadLE16(p + 5)) * ((p[7] + 7) / 8);
    // Run-length packets hold at most 128 pixels each.
    needed += p[2] >= 9 ? (pixels + 127) / 128 * (1 + pixel_bytes) : pixels * pixel_bytes;
    return needed <= n;
  }
  if (kind == KIND_PNG) {
    // Every chunk must lie whole inside the file, up to and including the closing IEND chunk.
    size_t at = 8;
    while (at + 12 <= n) {
      const EngUInt64 length = ReadBE32(p + at);
      if (EngUInt64(at) + 12 + length > n) return 0;
      if (memcmp(p + at + 4, "IEND", 4) == 0) return 1;
      at += size_t(12 + length);
    }
    return 0;
  }
  if (kind == KIND_BMP && n >= 34 && ReadLE32(p + 14) >= 40 && ReadLE32(p + 30) == 0) {
    const EngInt64 width = EngInt32(ReadLE32(p + 18));
    EngInt64 height = EngInt32(ReadLE32(p + 22));
    if (height < 0) height = -height;
    const EngUInt64 row_bytes = (EngUInt64(width) * ReadLE16(p + 28) + 31) / 32 * 4;
    return EngUInt64(ReadLE32(p + 10)) + row_bytes * EngUInt64(height) <= n;
  }
  return 1;
}

// SOIL's TGA loader copies each palette entry into a pixel of four bytes (a wider entry overruns
// it and ends the program) and reads an empty palette's first entry: a colour-mapped picture
// needs entries of 1 to 4 whole bytes, and at least one.
static int TgaPaletteIsReadable(const unsigned char *p) {
  if (p[1] != 1) return 1;
  const int bits = p[7];
  return ReadLE16(p + 5) >= 1 && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
}

// The loader allocates what a header announces before it reads the pixels: refuse pictures
// beyond the engine's limits before it sees them.
static int SizeIsAllowed(EngImageDecodeKind kind, const unsigned char *p, size_t n) {
  EngInt64 width = 0, height = 0;
  switch (kind) {
    case KIND_JPEG:
      if (!JpegSize(p, n, &width, &height)) return 1;  // the loader itself refuses it
      break;
    case KIND_PNG:
      if (n < 24) return 1;
      width = ReadBE32(p + 16);
      height = ReadBE32(p + 20);
      break;
    case KIND_BMP:
      if (ReadLE32(p + 14) == 12) {
        if (n < 22) return 1;
        width = ReadLE16(p + 18);
        height = ReadLE16(p + 20);
      } else {
        if (n < 26) return 1;
        width = EngInt32(ReadLE32(p + 18));
        height = EngInt32(ReadLE32(p + 22));
        if (height < 0) height = -height;
      }
      break;
    case KIND_TGA:
      width = ReadLE16(p + 12);
      height = ReadLE16(p + 14);
      break;
    default:
      return 0;
  }
  return EngImageIsSizeAllowed(width, height);
}

// SOIL's JPEG decoder loops for ever on some truncated files: JPEG content goes to libjpeg,
// converted to the channel count asked for as SOIL would.
static unsigned char *EngImageDecodeJpeg(const unsigned char *bytes, unsigned int length, int force_channels, int *w,
                                         int *h, int *file_channels) {
  const char *failure = eng_image_decode_unknown;
  const char grey = force_channels == 1 || force_channels == 2;
  int components = 0;
  unsigned char *decoded = EngJpegDecodeMemory(bytes, length, grey, w, h, &components, &failure);
  if (!decoded) {
    eng_image_decode_last_result = failure;
    return nullptr;
  }
  eng_image_decode_last_result = "Image loaded as an array";
  *file_channels = components;
  const int from = grey ? 1 : force_channels == 0 ? components : 3;
  if (force_channels == 0 || force_channels == from) return decoded;
  const size_t pixels = size_t(*w) * size_t(*h);
  unsigned char *converted = static_cast<unsigned char *>(malloc(pixels * size_t(force_channels)));
  if (!converted) {
    free(decoded);
    eng_image_decode_last_result = "outofmem";
    return nullptr;
  }
  for (size_t i = 0; i < pixels; i++) {
    memcpy(converted + i * size_t(force_channels), decoded + i * size_t(from), size_t(from));
    converted[i * size_t(force_channels) + size_t(from)] = 255;
  }
  free(decoded);
  return converted;
}

unsigned char *EngImageDecodeFromMemory(const unsigned char *bytes, unsigned int length, int force_channels,
                                        unsigned int flags, int *width, int *height, int *channels) {
  if (flags & ENG_SOIL_FLAG_DDS_LOAD_DIRECT) {
    eng_image_decode_last_result =
        "SOIL_load_OGL_texture_to_memory(): SOIL_FLAG_DDS_LOAD_DIRECT not supported";
    return nullptr;
  }
  if (force_channels < 0 || force_channels > 4) {
    eng_image_decode_last_result = "bad req_comp";
    return nullptr;
  }
  if (!bytes || length == 0 || length > 0x7fffffffu) {
    eng_image_decode_last_result = eng_image_decode_unknown;
    return nullptr;
  }
  EngImageDecodeKind kind = Classify(bytes, length);
  if (kind == KIND_UNKNOWN || kind == KIND_GIF) {
    eng_image_decode_last_result = eng_image_decode_unknown;
    return nullptr;
  }
  if (!SizeIsAllowed(kind, bytes, length)) {
    eng_image_decode_last_result = "Picture too big";
    return nullptr;
  }
  if (!PixelsFit(kind, bytes, length)) {
    eng_image_decode_last_result = "Picture data shorter than its header says";
    return nullptr;
  }
  if (kind == KIND_TGA && !TgaPaletteIsReadable(bytes)) {
    eng_image_decode_last_result = "Corrupt TGA";
    return nullptr;
  }
  int w = 0, h = 0, file_channels = 0;
  unsigned char *pixels = nullptr;
  if (kind == KIND_JPEG) {
    pixels = EngImageDecodeJpeg(bytes, length, force_channels, &w, &h, &file_channels);
  } else if (kind == KIND_PNG) {
    // SOIL's PNG decoder aborts the program on some damaged compressed data.
    const char *failure = eng_image_decode_unknown;
    pixels = EngImageDecodePng(bytes, length, force_channels, &w, &h, &file_channels, &failure);
    eng_image_decode_last_result = pixels ? "Image loaded as an array" : failure;
  } else {
    // SOIL's decoder builds shared tables on first use and keeps its result text in one
    // place: one decode at a time, whichever thread asks.
    static std::mutex soil_mutex;
    std::lock_guard<std::mutex> lock(soil_mutex);
    pixels = SOIL_load_image_from_memory(bytes, int(length), &w, &h, &file_channels, force_channels);
    eng_image_decode_last_result = SOIL_last_result();
  }
  if (!pixels) return nullptr;
  const int count = force_channels >= 1 ? force_channels : file_channels;
  if ((flags & ENG_SOIL_FLAG_MULTIPLY_ALPHA) && (count == 2 || count == 4)) {
    const size_t pixel_count = size_t(w) * size_t(h);
    unsigned char *p = pixels;
    for (size_t i = 0; i < pixel_count; i++, p += count) {
      const unsigned int alpha = p[count - 1];
      for (int c = 0; c < count - 1; c++) p[c] = (unsigned char)((p[c] * alpha + 128) >> 8);
    }
  }
  if (width) *width = w;
  if (height) *height = h;
  if (channels) *channels = count;
  return pixels;
}

static unsigned char *DecodeFile(const char *filename, int force_channels, unsigned int flags, int *width, int *height,
                                 int *channels);
static unsigned char *TakeDecodedAhead(const char *filename, int force_channels, unsigned int flags, int *width,
                                       int *height, int *channels);

unsigned char *SOIL_load_OGL_texture_to_memory(const char *filename, int force_channels, unsigned int flags,
                                               int *width, int *height, int *channels) {
  if (unsigned char *ahead = TakeDecodedAhead(filename, force_channels, flags, width, height, channels)) {
    eng_image_decode_last_result = "Image loaded as an array";
    return ahead;
  }
  return DecodeFile(filename, force_channels, flags, width, height, channels);
}

static unsigned char *DecodeFile(const char *filename, int force_channels, unsigned int flags, int *width, int *height,
                                 int *channels) {
  if (flags & ENG_SOIL_FLAG_DDS_LOAD_DIRECT)
    return EngImageDecodeFromMemory(nullptr, 0, force_channels, flags, width, height, channels);
  FILE *file = EngFileOpenStreamForReading(filename);
  if (!file) {
    eng_image_decode_last_result = "can't fopen";
    return nullptr;
  }
  long size = -1;
  if (fseek(file, 0, SEEK_END) == 0) size = ftell(file);
  if (size <= 0 || size > ENG_IMAGE_DECODE_MAX_FILE_BYTES || fseek(file, 0, SEEK_SET) != 0) {
    fclose(file);
    eng_image_decode_last_result = size > 0 ? "Picture too big" : eng_image_decode_unknown;
    return nullptr;
  }
  unsigned char *bytes = static_cast<unsigned char *>(malloc(size_t(size)));
  if (!bytes) {
    fclose(file);
    eng_image_decode_last_result = "outofmem";
    return nullptr;
  }
  const size_t read = fread(bytes, 1, size_t(size), file);
  fclose(file);
  unsigned char *pixels =
      EngImageDecodeFromMemory(bytes, unsigned(read), force_channels, flags, width, height, channels);
  free(bytes);
  return pixels;
}

void EngImageDecodeFree(unsigned char *pixels) {
  if (pixels) SOIL_free_image_data(pixels);
}

namespace {

// One picture decoded ahead, or still to be: the file and the loader's arguments it was
// decoded with, and the result.
struct Ahead {
  std::string file;
  int force_channels = 0;
  unsigned int flags = 0;
  bool done = false;
  unsigned char *pixels = nullptr;
  int width = 0, height = 0, channels = 0;
};

std::mutex ahead_mutex;
std::condition_variable ahead_done;
std::vector<Ahead> ahead;

// Joined, and what was left freed, at exit too: a start that fails before the first screen
// never takes the pictures.
struct AheadWorker {
  std::thread thread;
  ~AheadWorker() { EngImageDecodeForgetAhead(); }
};
AheadWorker ahead_worker;

void DecodeAheadWorker() {
  for (;;) {
    std::string file;
    int force_channels = 0;
    unsigned int flags = 0;
    {
      std::lock_guard<std::mutex> lock(ahead_mutex);
      auto next = ahead.begin();
      while (next != ahead.end() && next->done) ++next;
      if (next == ahead.end()) return;
      file = next->file;
      force_channels = next->force_channels;
      flags = next->flags;
    }
    int w = 0, h = 0, c = 0;
    unsigned char *pixels = DecodeFile(file.c_str(), force_channels, flags, &w, &h, &c);
    std::lock_guard<std::mutex> lock(ahead_mutex);
    for (Ahead &a : ahead)
      if (!a.done && a.file == file && a.force_channels == force_channels && a.flags == flags) {
        a = {file, force_channels, flags, true, pixels, w, h, c};
        pixels = nullptr;
        break;
      }
    EngImageDecodeFree(pixels);
    ahead_done.notify_all();
  }
}

}  // namespace

static unsigned char *TakeDecodedAhead(const char *filename, int force_channels, unsigned int flags, int *width,
                                       int *height, int *channels) {
  if (!filename) return nullptr;
  std::unique_lock<std::mutex> lock(ahead_mutex);
  for (;;) {
    auto it = ahead.begin();
    while (it != ahead.end() && !(it->file == filename && it->force_channels == force_channels && it->flags == flags))
      ++it;
    if (it == ahead.end()) return nullptr;
    if (!it->done) {
      ahead_done.wait(lock);
      continue;
    }
    unsigned char *pixels = it->pixels;
    if (width) *width = it->width;
    if (height) *height = it->height;
    if (channels) *channels = it->channels;
    ahead.erase(it);
    return pixels;
  }
}

void EngImageDecodeKeepForLoader(const char *filename, int force_channels, unsigned int flags, unsigned char *pixels,
                                 int width, int height, int channels) {
  if (!filename || !pixels) {
    EngImageDecodeFree(pixels);
    return;
  }
  unsigned char *replaced = nullptr;
  {
    std::lock_guard<std::mutex> lock(ahead_mutex);
    for (Ahead &a : ahead)
      if (a.done && a.file == filename && a.force_channels == force_channels && a.flags == flags) {
        replaced = a.pixels;
        a.pixels = pixels;
        a.width = width;
        a.height = height;
        a.channels = channels;
        pixels = nullptr;
        break;
      }
    if (pixels) ahead.push_back({filename, force_channels, flags, true, pixels, width, height, channels});
  }
  EngImageDecodeFree(replaced);
}

void EngImageDecodeAhead(const char *const *files, int count, int force_channels, unsigned int flags) {
  if (ahead_worker.thread.joinable()) ahead_worker.thread.join();
  {
    std::lock_guard<std::mutex> lock(ahead_mutex);
    for (int i = 0; files && i < count; i++)
      if (files[i]) ahead.push_back({files[i], force_channels, flags, false, nullptr, 0, 0, 0});
  }
  ahead_worker.thread = std::thread(DecodeAheadWorker);
}

void EngImageDecodeForgetAhead() {
  if (ahead_worker.thread.joinable()) ahead_worker.thread.join();
  std::lock_guard<std::mutex> lock(ahead_mutex);
  for (Ahead &a : ahead) EngImageDecodeFree(a.pixels);
  ahead.clear();
}

const char *EngImageDecodeLastResult() { return eng_image_decode_last_result; }

unsigned char *EngTextureGL_JpegLoadTextureToData(const char *filename, int force_channels, char alpha_mode,
                                                  int *width, int *height, int *channels) {
  if (!filename) return nullptr;
  if (force_channels == 2 || force_channels > 4 || force_channels < 0) {
    DebugErrorAlt(ENG_FUNC, "Force channels %d not supported <%s>", force_channels, filename);
    return nullptr;
  }
  int w = 0, h = 0, components = 0;
  if (!EngJpegGetFileInfo(filename, &w, &h, &components)) return nullptr;
  if (w == 0 || h == 0) {
    DebugErrorAlt(ENG_FUNC, "Invalid JPEG size [%d,%d] in <%s>", w, h, filename);
    return nullptr;
  }
  const int wanted = force_channels ? force_channels : components;
  unsigned char *pixels = nullptr;
  if (wanted == components) {
    pixels = EngJpegReadFileToBuffer(filename, &w, &h);
    if (!pixels) DebugErrorAlt(ENG_FUNC, "Could not read picture <%s>", filename);
  } else if (components == 3 && wanted == 4) {
    pixels = EngJpegReadFileToBufferWithAlpha(filename, alpha_mode, &w, &h);
    if (!pixels) DebugErrorAlt(ENG_FUNC, "Could not read picture [fc: %d] <%s>", wanted, filename);
  } else {
    DebugErrorAlt(ENG_FUNC, "Converting channels not supported for [ %d to %d ] <%s>", components, wanted,
                  filename);
    return nullptr;
  }
  if (!pixels) return nullptr;
  if (width) *width = w;
  if (height) *height = h;
  if (channels) *channels = wanted;
  return pixels;
}

// Reads up to size bytes from the file's start and puts its position back.
static size_t PeekStart(EngFile *file, unsigned char *buffer, size_t size) {
  if (!file || !file->is_open || !file->stream) return 0;
  long position = ftell(file->stream);
  if (position < 0 || fseek(file->stream, 0, SEEK_SET) != 0) return 0;
  size_t count = fread(buffer, 1, size, file->stream);
  fseek(file->stream, position, SEEK_SET);
  return count;
}

int EngImageDecodeIsJpeg(EngFile *file) {
  unsigned char start[32];
  return TestJpeg(start, PeekStart(file, start, sizeof start));
}

int EngImageDecodeIsPng(EngFile *file) {
  unsigned char start[32];
  return TestPng(start, PeekStart(file, start, sizeof start));
}

int EngImageDecodeIsBmp(EngFile *file) {
  unsigned char start[32];
  return TestBmp(start, PeekStart(file, start, sizeof start));
}

int EngImageDecodeIsGif(EngFile *file) {
  unsigned char start[32];
  return TestGif(start, PeekStart(file, start, sizeof start));
}

int EngImageDecodeIsTga(EngFile *file) {
  unsigned char start[32];
  return TestTga(start, PeekStart(file, start, sizeof start));
}

void EngImageDecodeResetForTests() { eng_image_decode_last_result = ""; }
