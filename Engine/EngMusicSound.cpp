#include "Engine/EngMusicSound.h"

#include <climits>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMusicList.h"
#include "Engine/EngMusicSong.h"
#include "Engine/EngSoundAL.h"

static EngSound *cms_snds[ENG_MUSIC_NUM_SOUNDS];
static EngUInt32 cms_buffer_sizes[ENG_MUSIC_NUM_SOUNDS];
static EngSound *cms_sample_snd = nullptr;

namespace {

EngUInt32 EngMusicLE(const EngUInt8 *at, int bytes) {
  EngUInt32 value = 0;
  for (int i = 0; i < bytes; i++) value |= EngUInt32(at[i]) << (8 * i);
  return value;
}

bool EngMusicSoundValidId(int id) { return id >= 0 && id < ENG_MUSIC_NUM_SOUNDS && cms_snds[id]; }

char EngMusicSoundSustains(int sample) {
  if (!em_song.IsSampleInUse(sample)) return 0;
  return EngMusicVarU8(em_song.GetVars(), EngMusicSampleAt(sample) + ENG_MUSIC_SAMPLE_LOOP_MODE) == 1;
}

// A sound of its own made from samples; null when OpenAL refuses them.
EngSound *EngMusicSoundFromSamples(const _EngMusicWav &wav) {
  EngSound *sound = new EngSound("EngMusicSound");
  if (!sound->LoadSoundFromDataAL(const_cast<EngUInt8 *>(wav.data), wav.format, wav.size, wav.rate)) {
    delete sound;
    return nullptr;
  }
  // Made by a load rather than a constructor: marked good by hand so that it can be shared.
  sound->ok = 1;
  return sound;
}

// Fills the sample's instances from a first sound that owns its buffer; make_own gives each
// later instance a buffer of its own from the same samples.
void EngMusicSoundFillInstances(int sample, EngSound *first, const _EngMusicWav *make_own) {
  int base = sample * ENG_MUSIC_SOUND_INSTANCES;
  cms_snds[base] = first;
  cms_buffer_sizes[base] = first->GetPlayBufferSize();
  int budget = EngMusicListGetMaxSoundsPerSample(sample);
  for (int i = 1; i < budget && i < ENG_MUSIC_SOUND_INSTANCES; i++) {
    EngSound *other = make_own ? EngMusicSoundFromSamples(*make_own) : new EngSound(first, "EngMusicSound");
    if (other && !other->Exists()) {
      delete other;
      other = nullptr;
    }
    if (!other) break;
    cms_snds[base + i] = other;
    cms_buffer_sizes[base + i] = cms_buffer_sizes[base];
  }
}

}  // namespace

char EngMusicSoundParseWavImage(const void *image, EngUInt32 size, _EngMusicWav *wav) {
  const EngUInt8 *bytes = static_cast<const EngUInt8 *>(image);
  if (!bytes || !wav || size < 12 || memcmp(bytes, "RIFF", 4) != 0 || memcmp(bytes + 8, "WAVE", 4) != 0) return 0;
  EngUInt32 channels = 0, bits = 0, rate = 0;
  EngUInt32 at = 12;
  while (size - at >= 8) {
    EngUInt32 length = EngMusicLE(bytes + at + 4, 4);
    const EngUInt8 *body = bytes + at + 8;
    EngUInt32 room = size - at - 8;
    if (memcmp(bytes + at, "fmt ", 4) == 0) {
      if (length < 16 || length > room) return 0;
      // Plain PCM only: anything else would be played as noise.
      if (EngMusicLE(body, 2) != 1) return 0;
      channels = EngMusicLE(body + 2, 2);
      rate = EngMusicLE(body + 4, 4);
      bits = EngMusicLE(body + 14, 2);
      if (channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate < 1 || rate > EngUInt32(INT_MAX)) return 0;
    } else if (memcmp(bytes + at, "data", 4) == 0) {
      if (channels == 0) return 0;
      EngUInt32 frame = channels * (bits / 8);
      EngUInt32 data_size = length < room ? length : room;
      data_size -= data_size % frame;
      if (data_size == 0) return 0;
      wav->data = body;
      wav->size = data_size;
      wav->format = 0x1100 + (channels == 2 ? 2 : 0) + (bits == 16 ? 1 : 0);
      wav->rate = rate;
      return 1;
    }
    if (length > room) return 0;
    at += 8 + length;
    if ((length & 1) && at < size) at++;
  }
  return 0;
}

void EngMusicSoundFirstTimeInit() {
  for (int i = 0; i < ENG_MUSIC_NUM_SOUNDS; i++) {
    cms_snds[i] = nullptr;
    cms_buffer_sizes[i] = 0;
  }
  cms_sample_snd = nullptr;
}

char EngMusicSoundInit(_EngSoundSystem system, char enable3d, const char *name, char allowUnfocused) {
  if (!EngSoundInit(system, enable3d, 1, 1, name, ENG_MUSIC_NUM_SOUNDS)) {
    DebugError("EngMusicSoundInit", "EngSoundInit() failed");
    return 0;
  }
  EngSoundAllowSoundsToPlayWhenApplicationLosesFocus(allowUnfocused);
  return 1;
}

void EngMusicSoundLoadSampleSoundsFromFile(int sample, const char *file) {
  if (sample < 0 || sample >= ENG_MUSIC_MAX_SAMPLES) return;
  EngMusicSoundReleaseSampleSounds(sample);
  EngSound *first = new EngSound(file, 0, "EngMusicSound");
  if (!first->ok) {
    delete first;
    return;
  }
  if (EngMusicSoundSustains(sample)) {
    // Owners of their own buffers, each read from the file like the first.
    int base = sample * ENG_MUSIC_SOUND_INSTANCES;
    cms_snds[base] = first;
    cms_buffer_sizes[base] = first->GetPlayBufferSize();
    int budget = EngMusicListGetMaxSoundsPerSample(sample);
    for (int i = 1; i < budget && i < ENG_MUSIC_SOUND_INSTANCES; i++) {
      EngSound *other = new EngSound(file, 0, "EngMusicSound");
      if (!other->ok) {
        delete other;
        break;
      }
      cms_snds[base + i] = other;
      cms_buffer_sizes[base + i] = cms_buffer_sizes[base];
    }
    return;
  }
  EngMusicSoundFillInstances(sample, first, nullptr);
}

void EngMusicSoundLoadSampleSoundsFromMemory(int sample, const void *image, EngUInt32 size) {
  if (sample < 0 || sample >= ENG_MUSIC_MAX_SAMPLES) return;
  EngMusicSoundReleaseSampleSounds(sample);
  // Without a running device there is nothing to make, and nothing to complain about per sample.
  if (!EngSoundIsSetup_AL()) return;
  _EngMusicWav wav;
  if (!EngMusicSoundParseWavImage(image, size, &wav)) {
    DebugErrorAlt(ENG_FUNC, "Sample %d is not a WAV file that can be played", sample);
    return;
  }
  EngSound *first = EngMusicSoundFromSamples(wav);
  if (!first) {
    DebugErrorAlt(ENG_FUNC, "Could not make the sound of sample %d", sample);
    return;
  }
  EngMusicSoundFillInstances(sample, first, EngMusicSoundSustains(sample) ? &wav : nullptr);
}

void EngMusicSoundReleaseSampleSounds(int sample) {
  if (sample < 0 || sample >= ENG_MUSIC_MAX_SAMPLES) return;
  // The sharers go before the owner of their buffer: OpenAL refuses to delete a buffer that a
  // source still holds.
  int base = sample * ENG_MUSIC_SOUND_INSTANCES;
  for (int i = ENG_MUSIC_SOUND_INSTANCES - 1; i >= 0; i--) {
    delete cms_snds[base + i];
    cms_snds[base + i] = nullptr;
    cms_buffer_sizes[base + i] = 0;
  }
}

char EngMusicSoundLoadAndPlaySoundFromFile(const char *file, char) {
  EngMusicSoundStopPlayingSampleLoadedFromFile();
  cms_sample_snd = new EngSound(file, 0, "EngMusicSoundPreview");
  cms_sample_snd->Play();
  return 1;
}

void EngMusicSoundStopPlayingSampleLoadedFromFile() {
  delete cms_sample_snd;
  cms_sample_snd = nullptr;
}

unsigned long EngMusicSoundGetSoundLengthFromFile(const char *file) {
  EngSound sound(file, 0, "EngMusicSoundLength");
  return sound.ok ? sound.GetPlayBufferSize() : 0;
}

float EngMusicSoundGetSoundLengthFromFileInSeconds(const char *file) {
  EngSound sound(file, 0, "EngMusicSoundLength");
  return sound.ok ? sound.length : 0.0f;
}

void EngMusicSoundSetSoundVolume(int id, float volume) {
  if (EngMusicSoundValidId(id)) cms_snds[id]->SetVolume(volume);
}

char EngMusicSoundPlay(int id) { return EngMusicSoundValidId(id) ? cms_snds[id]->Play() : 0; }

char EngMusicSoundPlayFromCurrentPos(int id) { return EngMusicSoundValidId(id) ? cms_snds[id]->ResumePlaying() : 0; }

char EngMusicSoundPlayLooped(int id) { return EngMusicSoundValidId(id) ? cms_snds[id]->PlayLooped() : 0; }

void EngMusicSoundStop(int id) {
  if (EngMusicSoundValidId(id)) cms_snds[id]->Stop();
}

char EngMusicSoundIsPlaying(int id) { return EngMusicSoundValidId(id) ? cms_snds[id]->IsPlaying() : 0; }

void EngMusicSoundSetFrequencyULong(int id, unsigned long hz) {
  if (EngMusicSoundValidId(id)) cms_snds[id]->SetFrequency(hz > 0xFFFFFFFFul ? 0xFFFFFFFFu : EngUInt32(hz));
}

void EngMusicSoundSetFrequency(int id, float pitch) {
  if (EngMusicSoundValidId(id)) cms_snds[id]->SetFrequencyFloat(pitch);
}

unsigned long EngMusicSoundGetPlayPos(int id) {
  return EngMusicSoundValidId(id) ? cms_snds[id]->GetPlayBufferPos() : 0;
}

void EngMusicSoundSetPlayPos(int id, unsigned long bytes) {
  if (EngMusicSoundValidId(id)) cms_snds[id]->SetPlayBufferPos(bytes > 0xFFFFFFFFul ? 0xFFFFFFFFu : EngUInt32(bytes));
}

unsigned long EngMusicSoundGetPlayLoopSize(int id) {
  return id >= 0 && id < ENG_MUSIC_NUM_SOUNDS && cms_snds[id] ? cms_buffer_sizes[id] : 0;
}

EngSound *EngMusicSoundGet(int id) { return id >= 0 && id < ENG_MUSIC_NUM_SOUNDS ? cms_snds[id] : nullptr; }

void EngMusicSoundStopAllSounds() {
  if (cms_sample_snd) cms_sample_snd->Stop();
  for (int i = 0; i < ENG_MUSIC_NUM_SOUNDS; i++)
    if (cms_snds[i]) cms_snds[i]->Stop();
}

void EngMusicSoundExit() {
  EngMusicSoundStopPlayingSampleLoadedFromFile();
  for (int s = 0; s < ENG_MUSIC_MAX_SAMPLES; s++) EngMusicSoundReleaseSampleSounds(s);
  EngSoundExit();
}
