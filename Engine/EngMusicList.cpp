#include "Engine/EngMusicList.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMusicMusic.h"
#include "Engine/EngMusicPatterns.h"
#include "Engine/EngMusicSong.h"
#include "Engine/EngMusicSound.h"

namespace {

struct EngMusicNoteState {
  EngUInt8 playing;
  EngInt32 voice;
};

// Song time units per millisecond are tempo / (this / speed).
const float kEngMusicClockDivisor = 360000.0f;

}  // namespace

static _EngMusicNoteEvent *cml_note_events = nullptr;
static EngUInt32 cml_num_note_events = 0;
static EngMusicNoteState cml_song_playing[ENG_MUSIC_MAX_PATTERNS][ENG_MUSIC_MAX_NOTES];
static EngUInt8 cml_list_is_playing = 0;
static EngUInt32 cml_start_play_tick = 0;
static float cml_play_time = 0.0f;
static EngUInt32 cml_cur_note_event = 0;
static EngInt32 cml_num_repeats = 0;
// Set by callers on any thread, read by the clock on the engine's.
static std::atomic<float> cml_play_speed_mult{1.0f};
static EngInt32 cml_max_sounds_per_sample[ENG_MUSIC_MAX_SAMPLES];
static EngUInt8 cml_use_max_sounds_per_sample = 0;

namespace {

// The engine clock in whole milliseconds, wrapping like a 32-bit tick count.
EngUInt32 EngMusicListNow() {
  double ms = eng_main_current_time.load() * 1000.0;
  if (!(ms > 0.0)) return 0;
  return EngUInt32(EngUInt64(std::fmod(ms, 18446744073709551616.0)));
}

EngInt32 EngMusicListTempo() { return EngMusicVarI32(em_song.GetVars(), ENG_MUSIC_VAR_TEMPO); }

// An event that names a pattern and note the song has.
bool EngMusicListEventInRange(const _EngMusicNoteEvent &event) {
  return event.pattern < em_song.GetNumPatterns() && event.note >= 0 && event.note < em_song.GetNumNotes(event.pattern);
}

int EngMusicListEventMusicNote(const _EngMusicNoteEvent &event) {
  const EngUInt8 *vars = em_song.GetVars();
  size_t at = EngMusicNoteAt(event.pattern, event.note);
  return EngMusicPatternsConvertOctaveNoteToMusicNote(EngMusicVarI8(vars, at + ENG_MUSIC_NOTE_STAFF),
                                                      char(EngMusicVarI8(vars, at + ENG_MUSIC_NOTE_ACCIDENTAL)),
                                                      event.transpose);
}

// Releases before starts at equal times, so that a note that ends where the same note begins
// again (a pattern placed twice, back to back) sounds the second time.
bool EngMusicListEventBefore(const _EngMusicNoteEvent &a, const _EngMusicNoteEvent &b) {
  if (a.time != b.time) return a.time < b.time;
  return a.on < b.on;
}

void EngMusicListSortEvents() {
  std::stable_sort(cml_note_events, cml_note_events + cml_num_note_events, EngMusicListEventBefore);
}

void EngMusicListFreeEvents() {
  free(cml_note_events);
  cml_note_events = nullptr;
  cml_num_note_events = 0;
}

}  // namespace

void EngMusicListFirstTimeInit() {
  for (auto &pattern : cml_song_playing)
    for (EngMusicNoteState &note : pattern) note = EngMusicNoteState{0, -1};
  EngMusicListResetPlayingVarsAndStopSounds(1);
}

void EngMusicListResetPlayingVarsAndStopSounds(char mode) {
  for (int p = 0; p < ENG_MUSIC_MAX_PATTERNS; p++) {
    for (int n = 0; n < ENG_MUSIC_MAX_NOTES; n++) {
      EngMusicNoteState &state = cml_song_playing[p][n];
      if (state.playing && state.voice >= 0 && EngUInt8(mode) != 255)
        EngMusicMusicStopPlayingSampleSound(EngMusicPatternsGetSample(p), state.voice, 0, mode);
      state = EngMusicNoteState{0, -1};
    }
  }
  if (mode != 0) EngMusicSoundStopAllSounds();
}

char EngMusicListGenerate() {
  EngMusicListFreeEvents();
  if (!em_song.IsOk(nullptr)) return 0;
  const EngUInt8 *vars = em_song.GetVars();
  const int tracks = em_song.GetNumTracks();
  const int patterns = em_song.GetNumPatterns();

  EngUInt32 total = 0;
  for (int t = 0; t < tracks; t++) {
    for (int e = 0; e < em_song.GetNumEntries(t); e++) {
      EngInt32 pattern = EngMusicVarI32(vars, EngMusicEntryAt(t, e) + ENG_MUSIC_ENTRY_PATTERN);
      if (pattern >= 0 && pattern < patterns) total += 2u * EngUInt32(em_song.GetNumNotes(pattern));
    }
  }
  if (total == 0) return 0;
  cml_note_events = static_cast<_EngMusicNoteEvent *>(malloc(size_t(total) * sizeof(_EngMusicNoteEvent)));
  if (!cml_note_events) return 0;

  EngUInt32 count = 0;
  for (int t = 0; t < tracks; t++) {
    for (int e = 0; e < em_song.GetNumEntries(t); e++) {
      size_t entry = EngMusicEntryAt(t, e);
      EngInt32 pattern = EngMusicVarI32(vars, entry + ENG_MUSIC_ENTRY_PATTERN);
      if (pattern < 0 || pattern >= patterns) continue;
      float start = EngMusicVarFloat(vars, entry + ENG_MUSIC_ENTRY_START);
      EngUInt8 transpose = EngMusicVarU8(vars, entry + ENG_MUSIC_ENTRY_TRANSPOSE);
      float pattern_volume = EngMusicVarU8(vars, EngMusicPatternAt(pattern) + ENG_MUSIC_PATTERN_VOLUME) / 255.0f;
      for (int n = 0; n < em_song.GetNumNotes(pattern); n++) {
        size_t note = EngMusicNoteAt(pattern, n);
        float note_volume = EngMusicVarU8(vars, note + ENG_MUSIC_NOTE_VOLUME) / 255.0f;
        EngUInt8 volume = EngUInt8(note_volume * pattern_volume * 255.0f);
        _EngMusicNoteEvent on = {start + EngMusicVarFloat(vars, note + ENG_MUSIC_NOTE_START), 1,
                                 EngUInt8(pattern), n, transpose, volume};
        _EngMusicNoteEvent off = on;
        off.time = start + EngMusicVarFloat(vars, note + ENG_MUSIC_NOTE_END);
        off.on = 0;
        cml_note_events[count++] = on;
        cml_note_events[count++] = off;
      }
    }
  }
  cml_num_note_events = count;
  EngMusicListSortEvents();
  return 1;
}

int EngMusicListSortNoteEventEngMusicListCB(const void *a, const void *b) {
  const auto &x = *static_cast<const _EngMusicNoteEvent *>(a);
  const auto &y = *static_cast<const _EngMusicNoteEvent *>(b);
  if (EngMusicListEventBefore(x, y)) return -1;
  if (EngMusicListEventBefore(y, x)) return 1;
  return 0;
}

// ---------------------------------------------------------------------------------------------
// The voice budget

void EngMusicListUseMaxSoundsPerSample(char use) { cml_use_max_sounds_per_sample = use ? 1 : 0; }

int EngMusicListGetMaxSoundsPerSample(int sample) {
  if (sample < 0 || sample >= ENG_MUSIC_MAX_SAMPLES) return 0;
  return cml_max_sounds_per_sample[sample];
}

void EngMusicListUpdateSoundsPerSampleVar() {
  const char *tag = "EngMusicListUpdateSoundsPerSampleVar";
  if (cml_use_max_sounds_per_sample) {
    for (EngInt32 &budget : cml_max_sounds_per_sample) budget = ENG_MUSIC_SOUND_INSTANCES;
    return;
  }
  EngMusicListResetPlayingVarsAndStopSounds(char(255));
  for (EngInt32 &budget : cml_max_sounds_per_sample) budget = 0;
  if (!em_song.IsOk(nullptr)) return;

  float lengths[ENG_MUSIC_MAX_SAMPLES];
  for (int s = 0; s < ENG_MUSIC_MAX_SAMPLES; s++) lengths[s] = EngMusicMusicGetSampleLengthInSeconds(s);

  // A released note rings on while its sample plays out: count it as sounding until then.
  for (EngUInt32 i = 0; i < cml_num_note_events; i++) {
    _EngMusicNoteEvent &event = cml_note_events[i];
    if (event.on || !EngMusicListEventInRange(event)) continue;
    int sample = EngMusicPatternsGetSample(event.pattern);
    if (sample < 0) continue;
    unsigned long rate = EngMusicMusicGetFrequencyFromNoteNum(EngMusicListEventMusicNote(event));
    if (rate != 0) event.time += (44100.0f / float(rate)) * lengths[sample] * 1.1f;
  }
  EngMusicListSortEvents();

  int counts[ENG_MUSIC_MAX_SAMPLES] = {0};
  std::vector<EngUInt8> counted(size_t(ENG_MUSIC_MAX_PATTERNS) * ENG_MUSIC_MAX_NOTES, 0);
  for (EngUInt32 i = 0; i < cml_num_note_events; i++) {
    const _EngMusicNoteEvent &event = cml_note_events[i];
    if (!EngMusicListEventInRange(event)) continue;
    int sample = EngMusicPatternsGetSample(event.pattern);
    if (sample < 0) continue;
    EngUInt8 &flag = counted[size_t(event.pattern) * ENG_MUSIC_MAX_NOTES + size_t(event.note)];
    if (event.on) {
      if (!event.volume || flag) continue;
      int before = counts[sample]++;
      flag = 1;
      if (before >= cml_max_sounds_per_sample[sample]) {
        if (counts[sample] >= ENG_MUSIC_SOUND_INSTANCES)
          DebugError(tag, "Too many sounds playing at same time for sample %d", sample);
        else
          cml_max_sounds_per_sample[sample] = counts[sample];
      }
    } else if (flag) {
      if (counts[sample] < 1) DebugError(tag, "Internal Error");
      counts[sample]--;
      flag = 0;
    }
  }

  EngMusicListResetPlayingVarsAndStopSounds(char(255));
  // The written release times come back.
  EngMusicListGenerate();
}

// ---------------------------------------------------------------------------------------------
// Playing

void EngMusicListSetPlaySpeedMult(float speed) { cml_play_speed_mult = speed >= 0.0001f ? speed : 0.0001f; }

float EngMusicListGetPlaySpeedMult() { return cml_play_speed_mult.load(); }

char EngMusicListStartPlaying() {
  if (cml_list_is_playing) return 0;
  EngMusicListResetPlayingVarsAndStopSounds(1);
  cml_play_time = 0.0f;
  cml_start_play_tick = EngMusicListNow();
  cml_cur_note_event = 0;
  cml_num_repeats = 0;
  cml_list_is_playing = 1;
  return 1;
}

void EngMusicListStopPlaying() {
  cml_list_is_playing = 0;
  EngMusicListResetPlayingVarsAndStopSounds(1);
}

char EngMusicListIsPlaying() { return cml_list_is_playing; }

float EngMusicListGetPlayTime() { return cml_play_time; }

void EngMusicListTick() {
  if (!cml_list_is_playing || !em_song.IsOk(nullptr)) return;
  EngUInt32 now = EngMusicListNow();
  EngUInt32 units = (now - cml_start_play_tick) * EngUInt32(EngMusicListTempo());
  cml_play_time = float(units) / (kEngMusicClockDivisor / cml_play_speed_mult.load());
  if (EngMusicListPlayTick()) return;

  const EngUInt8 *vars = em_song.GetVars();
  EngUInt8 repeat = EngMusicVarU8(vars, ENG_MUSIC_VAR_REPEAT_MODE);
  if (repeat == 0 || (repeat == 2 && cml_num_repeats >= 1)) {
    EngMusicListStopPlaying();
    return;
  }
  EngMusicListResetPlayingVarsAndStopSounds(0);
  cml_play_time = 0.0f;
  cml_start_play_tick = now;
  cml_cur_note_event = 0;
  if (repeat == 2) cml_num_repeats++;
  EngMusicListSetPlayTime(float(EngMusicVarI32(vars, ENG_MUSIC_VAR_REPEAT_START)));
}

char EngMusicListPlayTick() {
  if (cml_cur_note_event >= cml_num_note_events) return 0;
  char met_start = 0;
  for (; cml_cur_note_event < cml_num_note_events; cml_cur_note_event++) {
    const _EngMusicNoteEvent &event = cml_note_events[cml_cur_note_event];
    if (!EngMusicListEventInRange(event)) continue;
    if (event.time > cml_play_time) return 1;
    EngMusicNoteState &state = cml_song_playing[event.pattern][event.note];
    int sample = EngMusicPatternsGetSample(event.pattern);
    if (event.on) {
      met_start = 1;
      if (!state.playing && event.volume != 0) {
        state.voice = EngMusicMusicPlaySampleSound(sample, EngMusicListEventMusicNote(event), event.volume);
        state.playing = 1;
      }
    } else if (state.playing) {
      if (state.voice >= 0) EngMusicMusicStopPlayingSampleSound(sample, state.voice, 0, 0);
      state = EngMusicNoteState{0, -1};
    }
  }
  return met_start;
}

void EngMusicListSetPlayTime(float time) {
  EngUInt32 now = EngMusicListNow();
  float speed = cml_play_speed_mult.load();
  EngInt32 tempo = em_song.IsOk(nullptr) ? EngMusicListTempo() : 0;
  if (!(time > 0.0f) || tempo <= 0 || !(speed > 0.0f)) {
    cml_play_time = 0.0f;
    cml_start_play_tick = now;
    cml_cur_note_event = 0;
    return;
  }
  double elapsed_ms = double(kEngMusicClockDivisor / speed) * double(time) / double(tempo);
  EngUInt32 elapsed = elapsed_ms >= 4294967295.0 ? 0xFFFFFFFFu : EngUInt32(elapsed_ms);
  cml_start_play_tick = now - elapsed;
  cml_play_time = float(double(elapsed) * double(tempo) / double(kEngMusicClockDivisor / speed));
  // Playing goes on from the first event at or after the new time: notes that began earlier
  // are not started late.
  cml_cur_note_event = 0;
  while (cml_cur_note_event < cml_num_note_events && cml_note_events[cml_cur_note_event].time < cml_play_time)
    cml_cur_note_event++;
  EngMusicListPlayTick();
}

void EngMusicListExit() {
  cml_list_is_playing = 0;
  EngMusicListResetPlayingVarsAndStopSounds(1);
  EngMusicListFreeEvents();
}

// ---------------------------------------------------------------------------------------------
// Queries

int EngMusicListGetNumNoteEvents() { return int(cml_num_note_events); }

const _EngMusicNoteEvent *EngMusicListGetNoteEvent(int index) {
  if (index < 0 || EngUInt32(index) >= cml_num_note_events) return nullptr;
  return &cml_note_events[index];
}

int EngMusicListGetNoteVoice(int pattern, int note) {
  if (pattern < 0 || note < 0 || pattern >= ENG_MUSIC_MAX_PATTERNS || note >= ENG_MUSIC_MAX_NOTES) return -1;
  return cml_song_playing[pattern][note].playing ? cml_song_playing[pattern][note].voice : -1;
}

char EngMusicListIsNotePlaying(int pattern, int note) {
  if (pattern < 0 || note < 0 || pattern >= ENG_MUSIC_MAX_PATTERNS || note >= ENG_MUSIC_MAX_NOTES) return 0;
  return cml_song_playing[pattern][note].playing;
}

int EngMusicListGetNumRepeats() { return cml_num_repeats; }

void EngMusicListResetForTests() {
  EngMusicListFreeEvents();
  for (auto &pattern : cml_song_playing)
    for (EngMusicNoteState &note : pattern) note = EngMusicNoteState{0, -1};
  cml_list_is_playing = 0;
  cml_start_play_tick = 0;
  cml_play_time = 0.0f;
  cml_cur_note_event = 0;
  cml_num_repeats = 0;
  cml_play_speed_mult = 1.0f;
  for (EngInt32 &budget : cml_max_sounds_per_sample) budget = 0;
  cml_use_max_sounds_per_sample = 0;
}
