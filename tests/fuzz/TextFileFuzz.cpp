// Feeds arbitrary bytes to the text-file readers (every encoding, several buffer sizes) and
// to the language texts, which read the same bytes as a language file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <sys/stat.h>

#include "Engine/EngDebug.h"
#include "Engine/EngLanguages.h"
#include "Engine/TextFile.h"
#include "tests/fuzz/FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  static const std::string folder = FuzzScratchFolder() + "/texts";
  static const std::string path = folder + "/English.txt";
  static bool ready = false;
  if (!ready) {
    mkdir(folder.c_str(), 0700);
    ready = true;
  }
  FILE *out = fopen(path.c_str(), "wb");
  if (!out) return 0;
  if (size) fwrite(data, 1, size, out);
  fclose(out);

  const int buffer_size = size ? 1 + data[0] % 9 : 0;
  for (int given : {TF_DETECT, TF_ANSI}) {
    TextFile file;
    if (file.Open(path.c_str(), TF_READ, given, buffer_size) != TF_OK) continue;
    char *line = nullptr;
    bool lossy = false;
    size_t lines = 0;
    while (file.ReadLine(&lossy, &line) == TF_OK) {
      if (++lines > size + 1) abort();  // every line takes at least one byte of the file
    }
    free_block(line);
    file.Rewind();
    for (size_t i = 0; i <= size && file.ReadChar() >= 0; i++) {
    }
  }

  if (EngLanguagesInit(folder.c_str(), nullptr, 1) && EngLanguagesInitFinished()) {
    for (EngInt32 i = 0; i < EngLanguagesGetNumTokensForCurrentLanguage() && i < 50; i++) {
      char text[64];
      EngLanguagesSetStringFromTokenWith2Args(EngLanguagesGetTokenAtPos(i), "a", "b", text, sizeof text);
      EngLanguagesGetString(EngLanguagesGetTokenAtPos(i), 1);
    }
  }
  EngLanguagesExit();
  return 0;
}
