// libFuzzer target: the WAV (ALUT) and Ogg Vorbis loading paths of EngSound, over OpenAL Soft's
// null output. The first byte chooses the path; the rest is the file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngSound.h"
#include "tests/fuzz/FuzzScratch.h"

static std::string fuzz_wav_path;
static std::string fuzz_ogg_path;

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  setenv("ALSOFT_DRIVERS", "null", 1);
  FuzzLogToScratch();
  std::string base = FuzzScratchFolder() + "/sound";
  fuzz_wav_path = base + ".wav";
  fuzz_ogg_path = base + ".ogg";
  if (!EngSoundInit(ENG_SOUND_SYSTEM_OPENAL, 0, 0, 0, nullptr, 0)) abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  if (size < 1) return 0;
  const bool ogg = data[0] & 1;
  const std::string &path = ogg ? fuzz_ogg_path : fuzz_wav_path;
  FILE *file = fopen(path.c_str(), "wb");
  if (!file) abort();
  if (size > 1) fwrite(data + 1, 1, size - 1, file);
  fclose(file);

  EngSound sound("fuzz");
  char loaded = ogg ? sound.LoadSoundFromOggFile(path.c_str(), 0, 0) : sound.LoadSoundFromFile(path.c_str(), 0);
  if (loaded && (!sound.Exists() || sound.GetPlayBufferSize() == 0)) abort();
  if (!loaded && sound.Exists()) abort();
  unlink(path.c_str());
  return 0;
}
