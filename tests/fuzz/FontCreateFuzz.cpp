// libFuzzer target: font files from arbitrary bytes through EngFont creation (FreeType, the
// measuring and packing passes, the sheets' blur) with no device, then the metrics the toolkit
// asks for. The creation parameters come from a hash of the input, so a plain font file is a
// seed as it is (add a folder of fonts as a second corpus).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngFont.h"
#include "tests/fuzz/FuzzScratch.h"

static std::string fuzz_path;
static size_t sheet_bytes_seen = 0;

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  FuzzLogToScratch();
  fuzz_path = FuzzScratchFolder() + "/font.ttf";
  EngFontSetSheetHookForTests([](const EngFont *, int, const unsigned char *data, int size, int channels) {
    // Every byte of a finished sheet is read, so a sheet short of its size shows.
    size_t n = size_t(size) * size_t(size) * size_t(channels);
    unsigned sum = 0;
    for (size_t i = 0; i < n; i++) sum += data[i];
    sheet_bytes_seen += n + (sum & 1);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  FILE *file = fopen(fuzz_path.c_str(), "wb");
  if (!file) abort();
  if (size) fwrite(data, 1, size, file);
  fclose(file);

  uint32_t h = 2166136261u;
  for (size_t i = 0; i < size && i < 64; i++) h = (h ^ data[i]) * 16777619u;
  if (size) h = (h ^ data[size - 1]) * 16777619u;

  char family[256] = {0}, style[256] = {0};
  int cases = 0;
  EngFontGetFontFileDetails(fuzz_path.c_str(), family, style, &cases);

  EngFont font;
  font.SetSheetSize(128 << (h % 3));
  _EngFontCreationEffects effects;
  memset(&effects, 0, sizeof(effects));
  effects.margin = int((h >> 2) % 4);
  effects.shadow_x = int((h >> 4) % 3);
  effects.shadow_y = int((h >> 6) % 3);
  effects.shadow_brightness = 0.5f;
  effects.shadow_opacity = 0.8f;
  effects.blur_first = int((h >> 8) % 2);
  effects.blur_opacity = int((h >> 9) % 2);
  font.SetCreationEffects(&effects);
  const int sizes[] = {8, 12, 24, 40};
  const char two_channels = char((h >> 10) & 1);
  const int min_char = (h >> 11) & 1 ? 0 : 32;
  if (font.CreateFromFontFile(fuzz_path.c_str(), two_channels, 0, sizes[(h >> 12) % 4], min_char, 255, nullptr, 0,
                              1.0f, 1.0f, 0.0f, 0.0f)) {
    const char text[] = "Quarrelwick \xe9\xfc\xdf 0123";
    if (!(font.GetStringWidth(text) >= 0)) abort();
    for (int c = 0; c < 256; c++) {
      float a = 0, b = 0, d = 0;
      font.GetCharDrawingDimensions(c, &a, &b, &d);
      font.GetCharWidth(char(c));
    }
    font.GetFontHeight(1);
  }
  font.Destroy();
  unlink(fuzz_path.c_str());
  return 0;
}
