#include "tests/Engine/MusicTestSupport.h"

#include <cstdlib>
#include <cstring>

#include "Engine/EngMain.h"
#include "Engine/EngMusic.h"
#include "Engine/EngMusicList.h"
#include "Engine/EngMusicMusic.h"
#include "Engine/EngMusicSong.h"

void MusicTestBase::SetUp() {
  SoundTestBase::SetUp();
  EngMusicResetForTests();
  SetClock(1000.0);
}

void MusicTestBase::TearDown() {
  // Sounds go while OpenAL still runs.
  EngMusicResetForTests();
  SetClock(0.0);
  SoundTestBase::TearDown();
}

void MusicTestBase::SetClock(double seconds) { eng_main_current_time = seconds; }

void MusicTestBase::NewSong() {
  EngMusicResetForTests();
  em_song.Init();
}

int MusicTestBase::AddSample(const std::string &wav, int loop_mode, EngUInt32 loop_start, EngUInt32 loop_end) {
  EngUInt8 *vars = em_song.GetVars();
  int index = EngMusicVarI32(vars, ENG_MUSIC_VAR_NUM_SAMPLES);
  if (!EngMusicSamplesCreateNewEmptySample()) return -1;
  size_t at = EngMusicSampleAt(index);
  EngMusicSetVarU8(vars, at + ENG_MUSIC_SAMPLE_IN_USE, 1);
  EngMusicSetVarU8(vars, at + ENG_MUSIC_SAMPLE_LOOP_MODE, EngUInt8(loop_mode));
  EngMusicSetVarU32(vars, at + ENG_MUSIC_SAMPLE_LOOP_START, loop_start);
  EngMusicSetVarU32(vars, at + ENG_MUSIC_SAMPLE_LOOP_END, loop_end);
  free(cm_samples_datas[index]);
  cm_samples_datas[index] = malloc(wav.size());
  memcpy(cm_samples_datas[index], wav.data(), wav.size());
  cm_samples_data_sizes[index] = EngUInt32(wav.size());
  return index;
}

int MusicTestBase::AddPattern(int sample, EngUInt8 volume) {
  EngUInt8 *vars = em_song.GetVars();
  int index = EngMusicVarI32(vars, ENG_MUSIC_VAR_NUM_PATTERNS);
  EngMusicSetVarI32(vars, ENG_MUSIC_VAR_NUM_PATTERNS, index + 1);
  EngMusicSetVarI32(vars, EngMusicPatternAt(index) + ENG_MUSIC_PATTERN_SAMPLE, sample);
  EngMusicSetVarU8(vars, EngMusicPatternAt(index) + ENG_MUSIC_PATTERN_VOLUME, volume);
  return index;
}

int MusicTestBase::AddNote(int pattern, int staff, int accidental, EngUInt8 volume, float start, float end) {
  EngUInt8 *vars = em_song.GetVars();
  size_t count_at = EngMusicPatternAt(pattern) + ENG_MUSIC_PATTERN_NUM_NOTES;
  int index = EngMusicVarI32(vars, count_at);
  EngMusicSetVarI32(vars, count_at, index + 1);
  size_t at = EngMusicNoteAt(pattern, index);
  EngMusicSetVarU8(vars, at + ENG_MUSIC_NOTE_STAFF, EngUInt8(staff));
  EngMusicSetVarU8(vars, at + ENG_MUSIC_NOTE_ACCIDENTAL, EngUInt8(accidental));
  EngMusicSetVarU8(vars, at + ENG_MUSIC_NOTE_VOLUME, volume);
  EngMusicSetVarFloat(vars, at + ENG_MUSIC_NOTE_START, start);
  EngMusicSetVarFloat(vars, at + ENG_MUSIC_NOTE_END, end);
  return index;
}

void MusicTestBase::AddEntry(int track, int pattern, float start, EngUInt8 transpose) {
  EngUInt8 *vars = em_song.GetVars();
  if (EngMusicVarI32(vars, ENG_MUSIC_VAR_NUM_TRACKS) <= track)
    EngMusicSetVarI32(vars, ENG_MUSIC_VAR_NUM_TRACKS, track + 1);
  size_t count_at = EngMusicTrackAt(track) + ENG_MUSIC_TRACK_NUM_ENTRIES;
  int index = EngMusicVarI32(vars, count_at);
  EngMusicSetVarI32(vars, count_at, index + 1);
  size_t at = EngMusicEntryAt(track, index);
  EngMusicSetVarI32(vars, at + ENG_MUSIC_ENTRY_PATTERN, pattern);
  EngMusicSetVarFloat(vars, at + ENG_MUSIC_ENTRY_START, start);
  EngMusicSetVarU8(vars, at + ENG_MUSIC_ENTRY_TRANSPOSE, transpose);
}

void MusicTestBase::Prepare() {
  EngMusicListGenerate();
  EngMusicListUpdateSoundsPerSampleVar();
  for (int i = 0; i < ENG_MUSIC_MAX_SAMPLES; i++) EngMusicMusicUpdateSample(i);
}

std::string MusicTone(double seconds, double amplitude) {
  return qwsound::MakeWav(1, 44100, int(seconds * 44100.0 + 0.5), 440.0, amplitude);
}
