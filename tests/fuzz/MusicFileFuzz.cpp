// libFuzzer target: the tracker song-file reader and the engine playing what it read, over
// OpenAL Soft's null output. The input is a list of patches to a valid song (one sample, one
// pattern, one track), then the bytes that follow the block as its sample chunks:
//   byte 0: patch count (up to 32); each patch: field kind, two index bytes, a 32-bit value.
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
#include "Engine/EngMusicList.h"
#include "Engine/EngMusicSong.h"
#include "Engine/EngSound.h"
#include "tests/fuzz/FuzzScratch.h"

static std::string fuzz_path;
static std::vector<uint8_t> fuzz_block;

static size_t FuzzFieldAt(uint8_t kind, uint8_t a, uint8_t b) {
  int note = (a << 8 | b) % ENG_MUSIC_MAX_NOTES;
  switch (kind % 16) {
    case 0: return ENG_MUSIC_VAR_NUM_SAMPLES;
    case 1: return ENG_MUSIC_VAR_NUM_PATTERNS;
    case 2: return ENG_MUSIC_VAR_NUM_TRACKS;
    case 3: return EngMusicPatternAt(a % 64) + ENG_MUSIC_PATTERN_NUM_NOTES;
    case 4: return EngMusicTrackAt(a % 32) + ENG_MUSIC_TRACK_NUM_ENTRIES;
    case 5: return EngMusicPatternAt(a % 64) + ENG_MUSIC_PATTERN_SAMPLE;
    case 6: return EngMusicSampleAt(a % 64) + ENG_MUSIC_SAMPLE_IN_USE;
    case 7: return EngMusicSampleAt(a % 64) + ENG_MUSIC_SAMPLE_LOOP_MODE;
    case 8: return EngMusicSampleAt(a % 64) + ENG_MUSIC_SAMPLE_LOOP_START;
    case 9: return EngMusicSampleAt(a % 64) + ENG_MUSIC_SAMPLE_LOOP_END;
    case 10: return EngMusicNoteAt(a % 64, note % 512) + ENG_MUSIC_NOTE_STAFF;
    case 11: return EngMusicNoteAt(a % 64, note % 512) + ENG_MUSIC_NOTE_START;
    case 12: return EngMusicNoteAt(a % 64, note % 512) + ENG_MUSIC_NOTE_END;
    case 13: return EngMusicEntryAt(a % 32, note % 512) + ENG_MUSIC_ENTRY_PATTERN;
    case 14: return EngMusicEntryAt(a % 32, note % 512) + ENG_MUSIC_ENTRY_START;
    default: return ENG_MUSIC_VAR_KEY + (b % 2) * 4;  // key or tempo
  }
}

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  setenv("ALSOFT_DRIVERS", "null", 1);
  FuzzLogToScratch();
  fuzz_path = FuzzScratchFolder() + "/music.mus";
  if (!EngSoundInit(ENG_SOUND_SYSTEM_OPENAL, 0, 0, 0, nullptr, 0)) abort();
  if (!EngMusicInitialise(0)) abort();
  EngUInt8 *vars = em_song.GetVars();
  EngMusicSamplesCreateNewEmptySample();
  EngMusicSetVarU8(vars, EngMusicSampleAt(0) + ENG_MUSIC_SAMPLE_IN_USE, 1);
  EngMusicSetVarI32(vars, ENG_MUSIC_VAR_NUM_PATTERNS, 1);
  EngMusicSetVarI32(vars, EngMusicPatternAt(0) + ENG_MUSIC_PATTERN_SAMPLE, 0);
  EngMusicSetVarI32(vars, EngMusicPatternAt(0) + ENG_MUSIC_PATTERN_NUM_NOTES, 2);
  for (int n = 0; n < 2; n++) {
    EngMusicSetVarU8(vars, EngMusicNoteAt(0, n) + ENG_MUSIC_NOTE_STAFF, EngUInt8(16 + n));
    EngMusicSetVarU8(vars, EngMusicNoteAt(0, n) + ENG_MUSIC_NOTE_VOLUME, 255);
    EngMusicSetVarFloat(vars, EngMusicNoteAt(0, n) + ENG_MUSIC_NOTE_END, 0.5f);
  }
  EngMusicSetVarI32(vars, ENG_MUSIC_VAR_NUM_TRACKS, 1);
  EngMusicSetVarI32(vars, EngMusicTrackAt(0) + ENG_MUSIC_TRACK_NUM_ENTRIES, 1);
  fuzz_block.assign(vars, vars + ENG_MUSIC_SONG_VARS_SIZE);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  if (size < 1) return 0;
  std::vector<uint8_t> block = fuzz_block;
  size_t at = 1;
  for (int patches = data[0] % 33; patches > 0 && at + 7 <= size; patches--, at += 7) {
    size_t field = FuzzFieldAt(data[at], data[at + 1], data[at + 2]);
    if (field + 4 <= block.size()) memcpy(block.data() + field, data + at + 3, 4);
  }
  FILE *file = fopen(fuzz_path.c_str(), "wb");
  if (!file) abort();
  const uint8_t version[4] = {0x00, 0x00, 0x80, 0x3f};
  fwrite(version, 1, 4, file);
  fwrite(block.data(), 1, block.size(), file);
  if (size > at) fwrite(data + at, 1, size - at, file);
  fclose(file);

  char loaded = EngMusicLoadSongAndSamplesFromFile(fuzz_path.c_str());
  if (!EngMusicIsSongLoaded()) abort();  // loaded or a new empty song, never none
  if (loaded) {
    eng_main_current_time = 10.0;
    EngMusicStartPlaying();
    for (int i = 0; i < 6; i++) {
      eng_main_current_time = 10.0 + 0.5 * i;
      EngMusicTick();
    }
    EngMusicSetPlayTime(0.3f);
    EngMusicStopPlaying();
  }
  unlink(fuzz_path.c_str());
  return 0;
}
