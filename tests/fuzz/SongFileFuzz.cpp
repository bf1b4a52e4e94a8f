// libFuzzer target: song files from arbitrary bytes (MusicFileFuzz patches fields of a valid
// song; here nothing is valid unless the input makes it so), over OpenAL Soft's null output.
// The first byte chooses the file:
//   0 the bytes as they are;
//   1 the version, then the bytes as the start of the song block, zero-padded to its size,
//     any bytes beyond the block following as sample chunks;
//   2 the version, an empty song block with every sample in use, then the bytes as the chunks.
// A song that loads plays a few ticks and must save and load back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMusic.h"
#include "Engine/EngMusicFile.h"
#include "Engine/EngMusicSong.h"
#include "Engine/EngSound.h"
#include "tests/fuzz/FuzzScratch.h"

static std::string fuzz_path, fuzz_saved_path;

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  setenv("ALSOFT_DRIVERS", "null", 1);
  FuzzLogToScratch();
  std::string base = FuzzScratchFolder() + "/song";
  fuzz_path = base + ".mus";
  fuzz_saved_path = base + "-saved.mus";
  if (!EngSoundInit(ENG_SOUND_SYSTEM_OPENAL, 0, 0, 0, nullptr, 0)) abort();
  if (!EngMusicInitialise(0)) abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  if (size < 1) return 0;
  const uint8_t mode = data[0] % 3;
  const uint8_t *body = data + 1;
  const size_t n = size - 1;
  FILE *file = fopen(fuzz_path.c_str(), "wb");
  if (!file) abort();
  const uint8_t version[ENG_MUSIC_FILE_HEADER_SIZE] = {0x00, 0x00, 0x80, 0x3f};
  if (mode == 0) {
    if (n) fwrite(body, 1, n, file);
  } else {
    std::vector<uint8_t> block(ENG_MUSIC_SONG_VARS_SIZE, 0);
    size_t in_block = 0;
    if (mode == 1) {
      in_block = n < block.size() ? n : block.size();
      if (in_block) memcpy(block.data(), body, in_block);
    } else {
      EngMusicSetVarI32(block.data(), ENG_MUSIC_VAR_NUM_SAMPLES, ENG_MUSIC_MAX_SAMPLES);
      for (int i = 0; i < ENG_MUSIC_MAX_SAMPLES; i++)
        EngMusicSetVarU8(block.data(), EngMusicSampleAt(i) + ENG_MUSIC_SAMPLE_IN_USE, 1);
    }
    fwrite(version, 1, sizeof(version), file);
    fwrite(block.data(), 1, block.size(), file);
    if (n > in_block) fwrite(body + in_block, 1, n - in_block, file);
  }
  fclose(file);

  char loaded = EngMusicLoadSongAndSamplesFromFile(fuzz_path.c_str());
  if (!EngMusicIsSongLoaded()) abort();  // loaded or a new empty song, never none
  if (loaded) {
    eng_main_current_time = 10.0;
    EngMusicStartPlaying();
    for (int i = 0; i < 4; i++) {
      eng_main_current_time = 10.0 + 0.5 * i;
      EngMusicTick();
    }
    EngMusicStopPlaying();
    if (!EngMusicFileSaveSongAndSamplesToFile(fuzz_saved_path.c_str())) abort();
    if (!EngMusicLoadSongAndSamplesFromFile(fuzz_saved_path.c_str())) abort();
    unlink(fuzz_saved_path.c_str());
  }
  unlink(fuzz_path.c_str());
  return 0;
}
