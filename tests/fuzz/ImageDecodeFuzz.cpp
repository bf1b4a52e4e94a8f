// Feeds arbitrary bytes to the picture decoders the texture loader uses: SOIL's loader through
// the in-memory wrapper, and libjpeg through the JPEG decoder when the bytes look like a JPEG.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Engine/EngImageDecode.h"
#include "tests/fuzz/FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  for (int force : {0, 4}) {
    int width = 0, height = 0, channels = 0;
    unsigned char *pixels =
        EngImageDecodeFromMemory(data, unsigned(size), force, ENG_SOIL_FLAG_MULTIPLY_ALPHA, &width, &height, &channels);
    EngImageDecodeFree(pixels);
  }
  if (size >= 2 && data[0] == 0xff && data[1] == 0xd8) {
    static const std::string path = FuzzScratchFolder() + "/picture.jpg";
    FILE *file = fopen(path.c_str(), "wb");
    if (!file) return 0;
    fwrite(data, 1, size, file);
    fclose(file);
    for (int force : {0, 4}) {
      int width = 0, height = 0, channels = 0;
      free(EngTextureGL_JpegLoadTextureToData(path.c_str(), force, 3, &width, &height, &channels));
    }
  }
  return 0;
}
