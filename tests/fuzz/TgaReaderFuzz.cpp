// Feeds arbitrary bytes as a TGA file to EngTga's reader and header reader, and fills a small
// image from whatever loaded; the log goes to standard error, which the runs discard.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "Engine/EngTga.h"
#include "tests/fuzz/FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  static const std::string path = FuzzScratchFolder() + "/picture.tga";
  FILE *file = fopen(path.c_str(), "wb");
  if (!file) return 0;
  fwrite(data, 1, size, file);
  fclose(file);

  int width = 0, height = 0, bits = 0;
  EngTga().GetSizeFromFile(path.c_str(), &width, &height, &bits);
  EngTga image;
  if (image.LoadFromFile(path.c_str(), 1)) {
    EngTga small(3, 2, 32, 0, 0, 0, 0);
    small.FillFromOtherTga(0, 0, -1, -1, &image, 0, 0, -1, -1, 1, 0, 4, 0, 0.5f, 1);
    small.CopyAlphaFromOtherTga(&image);
    if (image.width >= 2 && image.height >= 2) EngTga().CreateFromTwiceSizeData(&image, 1);
  }
  return 0;
}
