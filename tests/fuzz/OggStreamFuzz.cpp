// libFuzzer target: the streamed Ogg Vorbis reader from arbitrary bytes over OpenAL Soft's null
// output: open, then decode buffer after buffer to the end of the stream as playback would, and
// the engine's wrapper that catches what the reader throws.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngOggStreamAL.h"
#include "Engine/EngSound.h"
#include "tests/fuzz/FuzzScratch.h"

static std::string fuzz_path;

// Reaches the reader's own decoding step, which playback runs on each finished buffer.
class Stream : public ogg_stream {
 public:
  bool Decode(int n) { return stream(m_buffers[n & 1]); }
};

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  setenv("ALSOFT_DRIVERS", "null", 1);
  FuzzLogToScratch();
  fuzz_path = FuzzScratchFolder() + "/oggstream.ogg";
  if (!EngSoundInit(ENG_SOUND_SYSTEM_OPENAL, 0, 0, 0, nullptr, 0)) abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  FILE *file = fopen(fuzz_path.c_str(), "wb");
  if (!file) abort();
  if (size) fwrite(data, 1, size, file);
  fclose(file);

  {
    Stream stream;
    try {
      stream.open(fuzz_path, char(size & 1));
      // A stream that decodes forever would hang playback: 16 KB a step, 64 steps at most.
      for (int n = 0; n < 64 && stream.Decode(n); n++) {
      }
    } catch (const std::string &) {
    }
    stream.release();
  }
  {
    EngSound_AL_Ogg sound(fuzz_path.c_str(), 0, 1);
    for (int i = 0; i < 4 && sound.IsLoaded(); i++) sound.Tick();
    sound.Stop();
    sound.Destroy();
  }
  unlink(fuzz_path.c_str());
  return 0;
}
