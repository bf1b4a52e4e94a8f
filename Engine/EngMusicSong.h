// The tracker song: one fixed 600,984-byte block of song variables (texts, tempo, key, 64
// samples, 64 patterns of up to 512 notes, 32 tracks), kept as its little-endian byte image so
// that bytes the engine does not read survive a load and save, plus each sample's WAV image
// (the EngMusicSamples functions). Patterns are EngMusicPatterns.h.
#pragma once

#include <cstddef>

#include "Engine/EngTypes.h"

enum {
  ENG_MUSIC_MAX_SAMPLES = 64,
  ENG_MUSIC_MAX_PATTERNS = 64,
  ENG_MUSIC_MAX_NOTES = 512,
  ENG_MUSIC_MAX_TRACKS = 32,
  ENG_MUSIC_MAX_TRACK_ENTRIES = 512,

  ENG_MUSIC_SONG_VARS_SIZE = 600984,

  // Offsets in the block.
  ENG_MUSIC_VAR_TITLE = 0,  // 128 characters
  ENG_MUSIC_VAR_AUTHOR = 128,  // 128 characters
  ENG_MUSIC_VAR_TEXT3 = 256,  // 256 characters
  ENG_MUSIC_VAR_REPEAT_MODE = 512,  // u8: 0 stop, 1 for ever, 2 once more
  ENG_MUSIC_VAR_REPEAT_START = 516,  // i32
  ENG_MUSIC_VAR_KEY = 768,  // i32
  ENG_MUSIC_VAR_TEMPO = 772,  // i32
  ENG_MUSIC_VAR_NEW_SONG_BYTE = 776,  // u8
  ENG_MUSIC_VAR_NUM_SAMPLES = 780,  // i32
  ENG_MUSIC_VAR_SAMPLES = 784,
  ENG_MUSIC_VAR_NUM_PATTERNS = 6160,  // i32
  ENG_MUSIC_VAR_PATTERNS = 6164,
  ENG_MUSIC_VAR_NUM_TRACKS = 404244,  // i32
  ENG_MUSIC_VAR_TRACKS = 404248,

  ENG_MUSIC_SAMPLE_SIZE = 84,
  ENG_MUSIC_SAMPLE_IN_USE = 0,  // u8
  ENG_MUSIC_SAMPLE_LOOP_MODE = 72,  // u8: 0 loop all, 1 sustain loop, 2 once
  ENG_MUSIC_SAMPLE_LOOP_START = 76,  // u32 bytes
  ENG_MUSIC_SAMPLE_LOOP_END = 80,  // u32 bytes

  ENG_MUSIC_PATTERN_SIZE = 6220,
  ENG_MUSIC_PATTERN_VOLUME = 64,  // u8
  ENG_MUSIC_PATTERN_SAMPLE = 68,  // i32, -1 none
  ENG_MUSIC_PATTERN_NUM_NOTES = 72,  // i32
  ENG_MUSIC_PATTERN_NOTES = 76,

  ENG_MUSIC_NOTE_SIZE = 12,
  ENG_MUSIC_NOTE_STAFF = 0,  // i8
  ENG_MUSIC_NOTE_ACCIDENTAL = 1,  // i8: 0 key, 1 sharp, 2 flat, 3 natural
  ENG_MUSIC_NOTE_VOLUME = 2,  // u8
  ENG_MUSIC_NOTE_START = 4,  // float
  ENG_MUSIC_NOTE_END = 8,  // float

  ENG_MUSIC_TRACK_SIZE = 6148,
  ENG_MUSIC_TRACK_NUM_ENTRIES = 0,  // i32
  ENG_MUSIC_TRACK_ENTRIES = 4,
  ENG_MUSIC_ENTRY_SIZE = 12,
  ENG_MUSIC_ENTRY_PATTERN = 0,  // i32
  ENG_MUSIC_ENTRY_START = 4,  // float
  ENG_MUSIC_ENTRY_TRANSPOSE = 8,  // u8
};

static_assert(ENG_MUSIC_VAR_SAMPLES + ENG_MUSIC_MAX_SAMPLES * ENG_MUSIC_SAMPLE_SIZE == ENG_MUSIC_VAR_NUM_PATTERNS,
              "sample records");
static_assert(ENG_MUSIC_PATTERN_NOTES + ENG_MUSIC_MAX_NOTES * ENG_MUSIC_NOTE_SIZE == ENG_MUSIC_PATTERN_SIZE,
              "pattern record");
static_assert(ENG_MUSIC_VAR_PATTERNS + ENG_MUSIC_MAX_PATTERNS * ENG_MUSIC_PATTERN_SIZE == ENG_MUSIC_VAR_NUM_TRACKS,
              "pattern records");
static_assert(ENG_MUSIC_TRACK_ENTRIES + ENG_MUSIC_MAX_TRACK_ENTRIES * ENG_MUSIC_ENTRY_SIZE == ENG_MUSIC_TRACK_SIZE,
              "track record");
static_assert(ENG_MUSIC_VAR_TRACKS + ENG_MUSIC_MAX_TRACKS * ENG_MUSIC_TRACK_SIZE == ENG_MUSIC_SONG_VARS_SIZE,
              "variables block");

// Where records start in the block; callers keep indices in range.
inline size_t EngMusicSampleAt(int sample) { return ENG_MUSIC_VAR_SAMPLES + size_t(sample) * ENG_MUSIC_SAMPLE_SIZE; }
inline size_t EngMusicPatternAt(int pattern) {
  return ENG_MUSIC_VAR_PATTERNS + size_t(pattern) * ENG_MUSIC_PATTERN_SIZE;
}
inline size_t EngMusicNoteAt(int pattern, int note) {
  return EngMusicPatternAt(pattern) + ENG_MUSIC_PATTERN_NOTES + size_t(note) * ENG_MUSIC_NOTE_SIZE;
}
inline size_t EngMusicTrackAt(int track) { return ENG_MUSIC_VAR_TRACKS + size_t(track) * ENG_MUSIC_TRACK_SIZE; }
inline size_t EngMusicEntryAt(int track, int entry) {
  return EngMusicTrackAt(track) + ENG_MUSIC_TRACK_ENTRIES + size_t(entry) * ENG_MUSIC_ENTRY_SIZE;
}

// Little-endian fields of a block.
EngUInt8 EngMusicVarU8(const EngUInt8 *vars, size_t at);
EngInt8 EngMusicVarI8(const EngUInt8 *vars, size_t at);
EngUInt32 EngMusicVarU32(const EngUInt8 *vars, size_t at);
EngInt32 EngMusicVarI32(const EngUInt8 *vars, size_t at);
float EngMusicVarFloat(const EngUInt8 *vars, size_t at);
void EngMusicSetVarU8(EngUInt8 *vars, size_t at, EngUInt8 value);
void EngMusicSetVarU32(EngUInt8 *vars, size_t at, EngUInt32 value);
void EngMusicSetVarI32(EngUInt8 *vars, size_t at, EngInt32 value);
void EngMusicSetVarFloat(EngUInt8 *vars, size_t at, float value);

// Sorts count 12-byte records (notes or track entries) by the float at time_at, ascending;
// equal times keep their order.
void EngMusicSortRecords(EngUInt8 *first, int count, size_t time_at);

class EngMusicSong {
 public:
  EngMusicSong() = default;
  ~EngMusicSong();
  EngMusicSong(const EngMusicSong &) = delete;
  EngMusicSong &operator=(const EngMusicSong &) = delete;

  void Destroy();
  char Init();
  char IsOk(const char *caller);
  EngUInt8 *GetVars();
  void SetSongKey(int key);
  void SortPatternsInPatternLists();
  char ReadVarsFromFile(class EngFile *file);

  // Counts clamped to what the block can hold, 0 without a song.
  int GetNumSamples();
  int GetNumPatterns();
  int GetNumTracks();
  int GetNumNotes(int pattern);
  int GetNumEntries(int track);
  // 1 when the sample is below the count and its in-use flag is set.
  char IsSampleInUse(int sample);

 private:
  EngUInt8 *m_vars = nullptr;
};

extern EngMusicSong em_song;

// Each sample's WAV file image (from malloc) and its size in bytes.
extern void *cm_samples_datas[ENG_MUSIC_MAX_SAMPLES];
extern EngUInt32 cm_samples_data_sizes[ENG_MUSIC_MAX_SAMPLES];

void EngMusicSamplesFirstTimeInit();
char EngMusicSamplesInit();
void EngMusicSamplesExit();
char EngMusicSamplesCreateNewEmptySample();
