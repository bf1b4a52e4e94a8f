// Sound: the portable face of the engine's sound system and EngSound, one playable sound bound
// to a sample buffer it owns or shares. Each call forwards to the chosen back end (only OpenAL,
// whose half is EngSoundAL.cpp and EngSoundOggAL.cpp); without one, calls do nothing.
#pragma once

#include "Engine/EngTypes.h"

enum _EngSoundSystem : EngInt32 {
  ENG_SOUND_SYSTEM_NONE = 0,
  ENG_SOUND_SYSTEM_OPENAL = 1,
};

// The last four arguments are kept for callers and not read.
char EngSoundInit(_EngSoundSystem system, char enable3d, char, char, const char *, int);
char EngSoundUpdate(const char *);
char EngSoundIsSetup();
void EngSoundExit();
void EngSoundEnable3dSound(char enable);
char EngSoundIs3DEnabled();
void EngSoundSet3dMinMaxValues(float min, float max);
void EngSoundOn();
void EngSoundOff();
char EngSoundSetOverallVolume(float volume);
char EngSoundIsMusicPlayingOnDevice();
void EngSoundAllowSoundsToPlayWhenApplicationLosesFocus(char allow);

// Shuts the back end down and puts every global of the sound system back to its start state.
void EngSoundResetForTests();

class EngSound {
 public:
  EngSound(const char *file, char want3d, const char *name);
  // Shares other's buffer through a source of its own; other must own its buffer.
  EngSound(EngSound *other, const char *name);
  // An empty sound, filled later by one of the loads.
  explicit EngSound(const char *name);
  ~EngSound();
  EngSound(const EngSound &) = delete;
  EngSound &operator=(const EngSound &) = delete;

  // Releases the sound; it stays usable and can be loaded again.
  void Destroy();

  char LoadSoundFromFile(const char *file, char want3d);
  char LoadMusicFromFile(const char *file, char want3d, char);
  char LoadSoundFromFileIfNeeded(const char *file, char want3d);
  char LoadMusicFromFileIfNeeded(const char *file, char want3d, char);
  char LoadSoundFromOggFile(const char *file, char, char big_endian);
  char Exists();

  void Enable3dSound(char enable);
  void Set3dMinMaxValues(float min, float max);
  void Set3dPosition(float x, float y, float z);
  void SetVolume(float volume);
  float GetVolume();

  char Play();
  char ResumePlaying();
  char PlayLooped();
  void Stop();
  char IsPlaying();

  // Frequencies are against a base rate of 44,100 Hz: 22,050 plays at half speed.
  void SetFrequency(EngUInt32 hz);
  void SetFrequencyFloat(float pitch);
  EngUInt32 GetFrequency();
  float GetFrequencyFloat();

  // Buffer size and play position in bytes.
  EngUInt32 GetPlayBufferSize();
  EngUInt32 GetPlayBufferPos();
  char SetPlayBufferPos(EngUInt32 bytes);

  // The OpenAL half.
  void ResetVarsAL();
  char InitAL(const char *file, char want3d);
  char InitAL(EngSound *other);
  char LoadSoundFromFileAL(const char *file, char want3d);
  // format is an OpenAL format value (0x1101 mono 16-bit, 0x1103 stereo 16-bit); the samples
  // are copied, the caller keeps data.
  char LoadSoundFromDataAL(void *data, int format, unsigned size, unsigned rate);
  char LoadSoundFromOtherSoundAL(EngSound *other);
  char LoadSoundFromOggFileAL(const char *file, char, char big_endian);
  void Enable3dSoundAL(char enable);
  void Set3dMinMaxValuesAL(float min, float max);
  void Set3dPositionAL(float x, float y, float z);
  void SetVolumeAL(float gain);
  float GetVolumeAL();
  char PlayAL();
  char ResumePlayingAL();
  char PlayLoopedAL();
  void StopAL();
  char IsPlayingAL();
  void SetFrequencyAL(EngUInt32 hz);
  void SetFrequencyFloatAL(float pitch);
  EngUInt32 GetFrequencyAL();
  float GetFrequencyFloatAL();
  EngUInt32 GetPlayBufferSizeAL();
  EngUInt32 GetPlayBufferPosAL();
  char SetPlayBufferPosAL(EngUInt32 bytes);
  char ExistsAL();
  void DestroyAL();

  // Set by the constructors only: whether their load worked. Duplication reads it.
  EngUInt8 ok;
  // Buffer bytes divided by the sample rate in Hz.
  float length;
  // A source exists: the sound is loaded.
  EngUInt8 created;
  // Started with PlayLooped and not stopped since.
  EngUInt8 looped;
  EngUInt32 buffer;
  EngUInt32 source;
  // This sound generated the buffer and deletes it; 0 for a duplicate.
  EngUInt8 owns_buffer;

 private:
  void ClearFields();
};
