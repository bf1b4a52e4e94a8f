#include "Engine/EngMusicMusic.h"

#include <cmath>

#include "Engine/EngDebug.h"
#include "Engine/EngMath.h"
#include "Engine/EngMusic.h"
#include "Engine/EngMusicList.h"
#include "Engine/EngMusicSong.h"
#include "Engine/EngMusicSound.h"

namespace {

struct EngMusicSlot {
  EngUInt32 state;
  EngInt32 sound;
  EngUInt32 pos;
  EngUInt8 volume;
};

enum { ENG_MUSIC_NOTE_TABLE_SIZE = 128, ENG_MUSIC_OCTAVES = 12 };

struct EngMusicTables {
  float note_freqs[ENG_MUSIC_NOTE_TABLE_SIZE];
  float octave_base[ENG_MUSIC_OCTAVES];
  EngMusicTables() {
    for (int n = 0; n < ENG_MUSIC_NOTE_TABLE_SIZE; n++) note_freqs[n] = float(440.0 * std::pow(2.0, (n - 69) / 12.0));
    for (int k = 0; k < ENG_MUSIC_OCTAVES; k++) octave_base[k] = float(44100.0 * std::pow(2.0, k - 5));
  }
};

const EngMusicTables cmm_tables;

}  // namespace

static EngMusicSlot cmm_play_notes[ENG_MUSIC_MAX_SAMPLES][ENG_MUSIC_SOUND_INSTANCES];

// ---------------------------------------------------------------------------------------------
// Notes and rates

float EngMusicMusicGetNoteFrequency(int note) {
  return note >= 0 && note < ENG_MUSIC_NOTE_TABLE_SIZE ? cmm_tables.note_freqs[note] : 0.0f;
}

unsigned long EngMusicMusicGetFrequencyFromNoteNum(int note) {
  if (note < 0 || note > 86) return 0;
  int k = note / 12;
  float f0 = cmm_tables.note_freqs[12 * k], f1 = cmm_tables.note_freqs[12 * k + 12];
  float b0 = cmm_tables.octave_base[k], b1 = cmm_tables.octave_base[k + 1];
  float rate = b0 + (cmm_tables.note_freqs[note] - f0) * (b1 - b0) / (f1 - f0);
  return EngMathRoundFloatToUnsignedLong(rate);
}

char EngMusicMusicSetSampleSoundToNoteFrequency(int sound, int note) {
  unsigned long rate = EngMusicMusicGetFrequencyFromNoteNum(note);
  if (rate == 0) return 0;
  EngMusicSoundSetFrequencyULong(sound, rate);
  return 1;
}

// ---------------------------------------------------------------------------------------------
// Voices

namespace {

EngUInt32 EngMusicSampleField(int sample, size_t field) {
  return EngMusicVarU32(em_song.GetVars(), EngMusicSampleAt(sample) + field);
}

int EngMusicLoopMode(int sample) {
  return EngMusicVarU8(em_song.GetVars(), EngMusicSampleAt(sample) + ENG_MUSIC_SAMPLE_LOOP_MODE);
}

float EngMusicSlotGain(EngUInt8 volume) { return float(volume) / 255.0f * cm_main_vol; }

}  // namespace

void EngMusicMusicInit() {
  for (auto &sample : cmm_play_notes)
    for (EngMusicSlot &slot : sample) slot = EngMusicSlot{ENG_MUSIC_SLOT_FREE, -1, 0, 0};
}

int EngMusicMusicPlaySampleSound(int sample, int note, unsigned char volume) {
  if (!em_song.IsOk(nullptr) || !em_song.IsSampleInUse(sample)) return -1;
  // A note off the scale has no rate: it does not sound rather than sound at a stale pitch.
  if (EngMusicMusicGetFrequencyFromNoteNum(note) == 0) return -1;
  int budget = EngMusicListGetMaxSoundsPerSample(sample);
  int slot = -1;
  for (int i = 0; i < budget && i < ENG_MUSIC_SOUND_INSTANCES; i++) {
    if (cmm_play_notes[sample][i].state == ENG_MUSIC_SLOT_FREE) {
      slot = i;
      break;
    }
  }
  if (slot < 0) {
    DebugInfoAlt(ENG_FUNC, "Warning - no instances free for sample %d", sample);
    return -1;
  }
  if (volume == 0) return -1;

  EngMusicSlot &s = cmm_play_notes[sample][slot];
  s.sound = sample * ENG_MUSIC_SOUND_INSTANCES + slot;
  EngMusicMusicSetSampleSoundToNoteFrequency(s.sound, note);
  s.volume = volume;
  s.pos = 0;
  EngMusicSoundSetSoundVolume(s.sound, EngMusicSlotGain(volume));
  int mode = EngMusicLoopMode(sample);
  if (mode == 2) {
    EngMusicSoundPlay(s.sound);
    s.state = ENG_MUSIC_SLOT_ONCE;
  } else if (mode == 1) {
    EngMusicSoundPlayLooped(s.sound);
    s.state = ENG_MUSIC_SLOT_SUSTAIN;
  } else {
    EngMusicSoundPlayLooped(s.sound);
    s.state = ENG_MUSIC_SLOT_LOOP;
  }
  return slot;
}

char EngMusicMusicStopPlayingSampleSound(int sample, int slot, char stopFree, char now) {
  if (!em_song.IsOk(nullptr) || sample < 0 || slot < 0 || sample >= ENG_MUSIC_MAX_SAMPLES ||
      slot >= ENG_MUSIC_SOUND_INSTANCES)
    return 0;
  EngMusicSlot &s = cmm_play_notes[sample][slot];
  int id = sample * ENG_MUSIC_SOUND_INSTANCES + slot;
  if (s.state == ENG_MUSIC_SLOT_FREE) {
    if (now || stopFree) {
      EngMusicSoundStop(id);
      return 0;
    }
    return 1;
  }
  if (now || s.state == ENG_MUSIC_SLOT_LOOP) {
    EngMusicSoundStop(id);
    s.state = ENG_MUSIC_SLOT_FREE;
    return 1;
  }
  if (s.state == ENG_MUSIC_SLOT_ONCE) {
    s.state = ENG_MUSIC_SLOT_ONCE_RELEASED;
  } else if (s.state == ENG_MUSIC_SLOT_SUSTAIN) {
    EngMusicSoundStop(id);
    EngUInt32 loop_end = EngMusicSampleField(sample, ENG_MUSIC_SAMPLE_LOOP_END);
    // A loop end read from the song at or past the samples leaves no tail to play.
    if (loop_end < EngMusicSoundGetPlayLoopSize(id)) {
      EngMusicSoundSetPlayPos(id, loop_end);
      EngMusicSoundPlayFromCurrentPos(id);
    }
    s.pos = loop_end;
    s.state = ENG_MUSIC_SLOT_TAIL;
  }
  return 1;
}

void EngMusicMusicTick() {
  if (!em_song.IsOk(nullptr)) return;
  for (int sample = 0; sample < ENG_MUSIC_MAX_SAMPLES; sample++) {
    if (!em_song.IsSampleInUse(sample)) continue;
    int budget = EngMusicListGetMaxSoundsPerSample(sample);
    for (int i = 0; i < budget && i < ENG_MUSIC_SOUND_INSTANCES; i++) {
      EngMusicSlot &s = cmm_play_notes[sample][i];
      int id = sample * ENG_MUSIC_SOUND_INSTANCES + i;
      if (s.state == ENG_MUSIC_SLOT_TAIL || s.state == ENG_MUSIC_SLOT_ONCE_RELEASED) {
        if (!EngMusicSoundIsPlaying(id)) s.state = ENG_MUSIC_SLOT_FREE;
      } else if (s.state == ENG_MUSIC_SLOT_SUSTAIN) {
        s.pos = EngUInt32(EngMusicSoundGetPlayPos(id));
        EngUInt32 loop_start = EngMusicSampleField(sample, ENG_MUSIC_SAMPLE_LOOP_START);
        EngUInt32 loop_end = EngMusicSampleField(sample, ENG_MUSIC_SAMPLE_LOOP_END);
        // Loop points come from the song file: only a section inside the samples is looped.
        if (loop_start < loop_end && s.pos >= loop_end && loop_start < EngMusicSoundGetPlayLoopSize(id))
          EngMusicSoundSetPlayPos(id, loop_start);
      }
    }
  }
}

void EngMusicMusicUpdateAllPlayingNotesVolumes() {
  for (int sample = 0; sample < ENG_MUSIC_MAX_SAMPLES; sample++) {
    if (!em_song.IsSampleInUse(sample)) continue;
    for (int i = 0; i < ENG_MUSIC_SOUND_INSTANCES; i++) {
      const EngMusicSlot &s = cmm_play_notes[sample][i];
      if (s.state != ENG_MUSIC_SLOT_FREE)
        EngMusicSoundSetSoundVolume(sample * ENG_MUSIC_SOUND_INSTANCES + i, EngMusicSlotGain(s.volume));
    }
  }
}

void EngMusicMusicEnd() {
  for (int sample = 0; sample < ENG_MUSIC_MAX_SAMPLES; sample++)
    for (int i = 0; i < ENG_MUSIC_SOUND_INSTANCES; i++)
      if (cmm_play_notes[sample][i].state != ENG_MUSIC_SLOT_FREE) EngMusicMusicStopPlayingSampleSound(sample, i, 0, 1);
}

void EngMusicMusicUpdateSample(int sample) {
  if (!em_song.IsOk(nullptr) || sample < 0 || sample >= ENG_MUSIC_MAX_SAMPLES) return;
  if (em_song.IsSampleInUse(sample) && cm_samples_datas[sample] && cm_samples_data_sizes[sample] > 0) {
    // Straight from memory: no file that another program or thread could share or replace.
    EngMusicSoundLoadSampleSoundsFromMemory(sample, cm_samples_datas[sample], cm_samples_data_sizes[sample]);
  } else {
    EngMusicSoundReleaseSampleSounds(sample);
  }
}

namespace {

char EngMusicSampleWav(int sample, _EngMusicWav *wav) {
  if (!em_song.IsOk(nullptr) || sample < 0 || sample >= ENG_MUSIC_MAX_SAMPLES || !cm_samples_datas[sample])
    return 0;
  return EngMusicSoundParseWavImage(cm_samples_datas[sample], cm_samples_data_sizes[sample], wav);
}

}  // namespace

unsigned long EngMusicMusicGetSampleLength(int sample) {
  _EngMusicWav wav;
  return EngMusicSampleWav(sample, &wav) ? wav.size : 0;
}

float EngMusicMusicGetSampleLengthInSeconds(int sample) {
  _EngMusicWav wav;
  // As a sound's length field: buffer bytes over the rate.
  return EngMusicSampleWav(sample, &wav) ? float(wav.size) / float(wav.rate) : 0.0f;
}

_EngMusicSlotState EngMusicMusicGetSlotState(int sample, int slot) {
  if (sample < 0 || slot < 0 || sample >= ENG_MUSIC_MAX_SAMPLES || slot >= ENG_MUSIC_SOUND_INSTANCES)
    return ENG_MUSIC_SLOT_FREE;
  return _EngMusicSlotState(cmm_play_notes[sample][slot].state);
}

EngUInt8 EngMusicMusicGetSlotVolume(int sample, int slot) {
  if (sample < 0 || slot < 0 || sample >= ENG_MUSIC_MAX_SAMPLES || slot >= ENG_MUSIC_SOUND_INSTANCES) return 0;
  return cmm_play_notes[sample][slot].volume;
}
