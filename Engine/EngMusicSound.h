// The tracker's sample sounds: up to 64 EngSound instances per sample (sound id = sample x 64 +
// instance) sharing the buffer of instance 0, made from the sample's WAV image in memory, and
// one further sound for previewing a file. Ids out of range or without a sound read as 0.
#pragma once

#include "Engine/EngSound.h"
#include "Engine/EngTypes.h"

enum { ENG_MUSIC_SOUND_INSTANCES = 64, ENG_MUSIC_NUM_SOUNDS = 4096 };

// The samples of a WAV file image: a view into the image, never a copy. format is OpenAL's
// value for 8 or 16-bit mono or stereo (0x1100 to 0x1103).
struct _EngMusicWav {
  const EngUInt8 *data;
  EngUInt32 size;
  int format;
  EngUInt32 rate;
};
// 1 for a RIFF WAVE image of 8 or 16-bit PCM, one or two channels, with samples whose chunks all
// fit the image.
char EngMusicSoundParseWavImage(const void *image, EngUInt32 size, _EngMusicWav *wav);

void EngMusicSoundFirstTimeInit();
char EngMusicSoundInit(_EngSoundSystem system, char enable3d, const char *name, char allowUnfocused);
// Loop mode 1 samples (sustain) give every instance a buffer of its own: only an owner can
// move its play position, and sustaining does that.
void EngMusicSoundLoadSampleSoundsFromFile(int sample, const char *file);
void EngMusicSoundLoadSampleSoundsFromMemory(int sample, const void *image, EngUInt32 size);
void EngMusicSoundReleaseSampleSounds(int sample);
char EngMusicSoundLoadAndPlaySoundFromFile(const char *file, char);
void EngMusicSoundStopPlayingSampleLoadedFromFile();
unsigned long EngMusicSoundGetSoundLengthFromFile(const char *file);
float EngMusicSoundGetSoundLengthFromFileInSeconds(const char *file);

void EngMusicSoundSetSoundVolume(int id, float volume);
char EngMusicSoundPlay(int id);
char EngMusicSoundPlayFromCurrentPos(int id);
char EngMusicSoundPlayLooped(int id);
void EngMusicSoundStop(int id);
char EngMusicSoundIsPlaying(int id);
void EngMusicSoundSetFrequencyULong(int id, unsigned long hz);
void EngMusicSoundSetFrequency(int id, float pitch);
unsigned long EngMusicSoundGetPlayPos(int id);
void EngMusicSoundSetPlayPos(int id, unsigned long bytes);
unsigned long EngMusicSoundGetPlayLoopSize(int id);
// The sound of an id, null for none (for tests and the voices).
EngSound *EngMusicSoundGet(int id);
void EngMusicSoundStopAllSounds();
void EngMusicSoundExit();
