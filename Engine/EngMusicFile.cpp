#include "Engine/EngMusicFile.h"

#include <cstdio>
#include <cstdlib>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMusic.h"
#include "Engine/EngMusicList.h"
#include "Engine/EngMusicMusic.h"
#include "Engine/EngMusicSong.h"

namespace {

const float kEngMusicFileVersion = 1.0f;

char EngMusicFileWriteU32(EngFile &out, EngUInt32 value) {
  EngUInt8 bytes[4];
  EngMusicSetVarU32(bytes, 0, value);
  return out.Write(bytes, 4);
}

char EngMusicFileReadU32(EngFile &in, EngUInt32 *value) {
  EngUInt8 bytes[4];
  if (!in.Read(bytes, 4, 1)) return 0;
  *value = EngMusicVarU32(bytes, 0);
  return 1;
}

// The counts that index the block must fit it before anything walks the song.
char EngMusicFileCountsAreValid(const EngUInt8 *vars) {
  const char *tag = "EngMusicFileLoadSongAndSamplesFromFile";
  struct Count {
    const char *name;
    size_t at;
    int most;
  };
  const Count counts[] = {
      {"samples", ENG_MUSIC_VAR_NUM_SAMPLES, ENG_MUSIC_MAX_SAMPLES},
      {"patterns", ENG_MUSIC_VAR_NUM_PATTERNS, ENG_MUSIC_MAX_PATTERNS},
      {"tracks", ENG_MUSIC_VAR_NUM_TRACKS, ENG_MUSIC_MAX_TRACKS},
  };
  for (const Count &c : counts) {
    EngInt32 value = EngMusicVarI32(vars, c.at);
    if (value < 0 || value > c.most) {
      DebugError(tag, "Invalid number of %s: %d", c.name, value);
      return 0;
    }
  }
  EngInt32 patterns = EngMusicVarI32(vars, ENG_MUSIC_VAR_NUM_PATTERNS);
  for (int p = 0; p < patterns; p++) {
    EngInt32 notes = EngMusicVarI32(vars, EngMusicPatternAt(p) + ENG_MUSIC_PATTERN_NUM_NOTES);
    if (notes < 0 || notes > ENG_MUSIC_MAX_NOTES) {
      DebugError(tag, "Invalid number of notes in pattern %d: %d", p, notes);
      return 0;
    }
  }
  EngInt32 tracks = EngMusicVarI32(vars, ENG_MUSIC_VAR_NUM_TRACKS);
  for (int t = 0; t < tracks; t++) {
    EngInt32 entries = EngMusicVarI32(vars, EngMusicTrackAt(t) + ENG_MUSIC_TRACK_NUM_ENTRIES);
    if (entries < 0 || entries > ENG_MUSIC_MAX_TRACK_ENTRIES) {
      DebugError(tag, "Invalid number of entries in track %d: %d", t, entries);
      return 0;
    }
  }
  return 1;
}

// The sample chunks after the block, remaining bytes of them.
char EngMusicFileReadSamples(EngFile &in, EngUInt32 remaining) {
  const char *tag = "EngMusicFileLoadSongAndSamplesFromFile";
  while (remaining != 0) {
    if (remaining < 8) {
      DebugError(tag, "Sample chunk cut short");
      return 0;
    }
    EngUInt32 raw_index = 0;
    if (!EngMusicFileReadU32(in, &raw_index)) return 0;
    EngInt32 index = EngInt32(raw_index);
    if (!em_song.IsSampleInUse(index)) {
      DebugError(tag, "Invalid sample index %d", index);
      return 0;
    }
    if (cm_samples_datas[index]) {
      DebugError(tag, "Sample %d stored twice", index);
      return 0;
    }
    EngUInt32 size = 0;
    if (!EngMusicFileReadU32(in, &size)) return 0;
    remaining -= 8;
    if (size < 1 || size > remaining) {
      DebugError(tag, "Invalid size %u for sample %d", size, index);
      return 0;
    }
    void *data = malloc(size);
    if (!data) {
      DebugError(tag, "No memory");
      return 0;
    }
    if (!in.Read(data, size, 1)) {
      free(data);
      return 0;
    }
    cm_samples_datas[index] = data;
    cm_samples_data_sizes[index] = size;
    remaining -= size;
  }
  return 1;
}

}  // namespace

char EngMusicFileSaveSongAndSamplesToFile(const char *file) {
  const char *tag = "EngMusicFileSaveSongAndSamplesToFile";
  if (!file || !*file) {
    DebugError(tag, "No filename passed in");
    return 0;
  }
  if (!em_song.IsOk(tag)) return 0;
  EngFileSaveResult result = EngFileSaveAtomically(file, 0, [](EngFile &out) {
    EngUInt8 version[4];
    EngMusicSetVarFloat(version, 0, kEngMusicFileVersion);
    bool ok = out.Write(version, 4);
    ok = ok && out.Write(em_song.GetVars(), ENG_MUSIC_SONG_VARS_SIZE);
    int samples = em_song.GetNumSamples();
    for (int i = 0; ok && i < samples; i++) {
      if (!em_song.IsSampleInUse(i) || !cm_samples_datas[i] || cm_samples_data_sizes[i] == 0) continue;
      ok = EngMusicFileWriteU32(out, EngUInt32(i)) && EngMusicFileWriteU32(out, cm_samples_data_sizes[i]) &&
           out.Write(cm_samples_datas[i], cm_samples_data_sizes[i]);
    }
    return ok;
  });
  if (result == ENG_FILE_SAVE_NOT_CREATED) {
    DebugError(tag, "Could not open file for writing <%s>", file);
    return 0;
  }
  if (result == ENG_FILE_SAVE_NOT_WRITTEN) {
    DebugError(tag, "Error saving file");
    return 0;
  }
  return 1;
}

char EngMusicFileLoadSongAndSamplesFromFile(const char *file) {
  const char *tag = "EngMusicFileLoadSongAndSamplesFromFile";
  if (!file || !*file) {
    DebugError(tag, "No filename passed in");
    return 0;
  }
  if (!EngFileExists(file, 0)) {
    DebugError(tag, "File does not exist: <%s>", file);
    return 0;
  }
  EngFile in;
  if (!in.OpenForReading(file, 0, 1)) {
    DebugError(tag, "Could not open file: <%s>", file);
    return 0;
  }
  EngUInt32 file_size = in.GetSize();
  if (file_size == 0) {
    DebugError(tag, "File is empty: <%s>", file);
    return 0;
  }
  EngUInt8 version_bytes[4];
  if (!in.Read(version_bytes, 4, 1)) {
    DebugError(tag, "Error loading file");
    return 0;
  }
  float version = EngMusicVarFloat(version_bytes, 0);
  if (version != kEngMusicFileVersion) {
    DebugError("EngMusicFileLoad", "Unsupported version %.2f (not %.2f) in file", double(version),
               double(kEngMusicFileVersion));
    return 0;
  }

  // From here on the old song is gone: a failure leaves a new empty song.
  EngMusicSamplesExit();
  for (int i = 0; i < ENG_MUSIC_MAX_SAMPLES; i++) cm_samples_data_sizes[i] = 0;
  bool ok = em_song.ReadVarsFromFile(&in) && EngMusicFileCountsAreValid(em_song.GetVars());
  ok = ok && EngMusicFileReadSamples(in, file_size - (ENG_MUSIC_FILE_HEADER_SIZE + ENG_MUSIC_SONG_VARS_SIZE));
  in.Close();
  if (!ok) {
    DebugError(tag, "Error loading file");
    EngMusicInitSong();
    return 0;
  }

  // The engine never plays a sample without data.
  EngUInt8 *vars = em_song.GetVars();
  for (int i = 0; i < ENG_MUSIC_MAX_SAMPLES; i++) {
    size_t in_use = EngMusicSampleAt(i) + ENG_MUSIC_SAMPLE_IN_USE;
    if (EngMusicVarU8(vars, in_use) && !cm_samples_datas[i]) {
      DebugError(tag, "Sample %d not found in song file", i);
      EngMusicSetVarU8(vars, in_use, 0);
    }
  }
  EngMusicListGenerate();
  EngMusicListUpdateSoundsPerSampleVar();
  for (int i = 0; i < ENG_MUSIC_MAX_SAMPLES; i++) EngMusicMusicUpdateSample(i);
  return 1;
}
