#include "Engine/EngSound.h"

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/EngSoundAL.h"

static _EngSoundSystem es_sound_system = ENG_SOUND_SYSTEM_NONE;
static _EngSoundSystem es_last_sound_system_loaded = ENG_SOUND_SYSTEM_NONE;
static EngUInt8 es_3d_enabled = 0;
// Non-zero means sound is off: nothing new starts playing.
static EngUInt8 es_sound_on = 0;
static float es_sound_3d_min_pos = 0.0f;
static float es_sound_3d_max_pos = 0.0f;

static bool EngSoundIsOpenAL() { return es_sound_system == ENG_SOUND_SYSTEM_OPENAL; }

#define EngSoundNotImplemented() \
  DebugNoteAlt(2, ENG_FUNC, "%s", DebugGetStringFromErrorNumber(DEBUG_ERR_NOIM))

// ---------------------------------------------------------------------------------------------
// The system

char EngSoundInit(_EngSoundSystem system, char enable3d, char, char, const char *, int) {
  es_sound_system = system;
  es_3d_enabled = enable3d ? 1 : 0;
  if (system == ENG_SOUND_SYSTEM_NONE) {
    DebugErrorAlt(ENG_FUNC, "Sound parameters not setup");
    return 0;
  }
  return EngSoundUpdate(nullptr);
}

char EngSoundUpdate(const char *) {
  if (es_sound_system == es_last_sound_system_loaded && es_last_sound_system_loaded != ENG_SOUND_SYSTEM_NONE)
    return 1;
  EngSoundExit_AL();
  es_last_sound_system_loaded = ENG_SOUND_SYSTEM_NONE;
  if (es_sound_system != ENG_SOUND_SYSTEM_OPENAL) {
    DebugErrorAlt(ENG_FUNC, "Unknown sound system %d", static_cast<int>(es_sound_system));
    return 0;
  }
  // Only a back end that really started counts as loaded, so a later call tries again.
  if (!EngSoundInit_AL(es_3d_enabled)) return 0;
  es_last_sound_system_loaded = es_sound_system;
  return 1;
}

char EngSoundIsSetup() { return es_sound_system != ENG_SOUND_SYSTEM_NONE ? 1 : 0; }

void EngSoundExit() {
  EngSoundExit_AL();
  es_last_sound_system_loaded = ENG_SOUND_SYSTEM_NONE;
}

void EngSoundEnable3dSound(char enable) { es_3d_enabled = enable ? 1 : 0; }

char EngSoundIs3DEnabled() { return es_3d_enabled; }

void EngSoundSet3dMinMaxValues(float min, float max) {
  es_sound_3d_min_pos = min;
  es_sound_3d_max_pos = max;
}

void EngSoundOn() { es_sound_on = 0; }

void EngSoundOff() { es_sound_on = 1; }

char EngSoundSetOverallVolume(float) {
  DebugStandardError(ENG_FUNC, DEBUG_ERR_NOIM);
  return 0;
}

char EngSoundIsMusicPlayingOnDevice() {
  DebugStandardError(ENG_FUNC, DEBUG_ERR_NOIM);
  return 0;
}

void EngSoundAllowSoundsToPlayWhenApplicationLosesFocus(char) {}

void EngSoundResetForTests() {
  EngSoundExit_AL();
  es_sound_system = ENG_SOUND_SYSTEM_NONE;
  es_last_sound_system_loaded = ENG_SOUND_SYSTEM_NONE;
  es_3d_enabled = 0;
  es_sound_on = 0;
  es_sound_3d_min_pos = 0.0f;
  es_sound_3d_max_pos = 0.0f;
}

// ---------------------------------------------------------------------------------------------
// Constructors and release

void EngSound::ClearFields() {
  ok = 0;
  length = 0.0f;
  created = 0;
  looped = 0;
  buffer = 0;
  source = 0;
  owns_buffer = 0;
}

EngSound::EngSound(const char *file, char want3d, const char *) {
  ClearFields();
  char wish = es_3d_enabled ? want3d : 0;
  if (!file || !*file) {
    DebugErrorAlt(ENG_FUNC, "No filename");
    return;
  }
  if (!EngFileExists(file, 0)) {
    DebugErrorAlt(ENG_FUNC, "Filename does not exist <%s>", file);
    return;
  }
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    DebugErrorAlt(ENG_FUNC, "Could not load sound");
    return;
  }
  ok = InitAL(file, wish);
  if (!ok) DebugErrorAlt(ENG_FUNC, "Could not load sound");
}

EngSound::EngSound(EngSound *other, const char *) {
  ClearFields();
  if (!other) {
    DebugErrorAlt(ENG_FUNC, "No sound passed in");
    return;
  }
  if (!other->ok) {
    DebugErrorAlt(ENG_FUNC, "sound passed in not ok");
    return;
  }
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return;
  }
  ok = InitAL(other);
  if (!ok) DebugErrorAlt(ENG_FUNC, "Could not duplicate sound");
}

EngSound::EngSound(const char *) { ClearFields(); }

EngSound::~EngSound() { DestroyAL(); }

void EngSound::Destroy() { DestroyAL(); }

// ---------------------------------------------------------------------------------------------
// Operations: each forwards to the OpenAL half, or notes that there is none.

char EngSound::LoadSoundFromFile(const char *file, char want3d) {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return 0;
  }
  return LoadSoundFromFileAL(file, want3d);
}

char EngSound::LoadMusicFromFile(const char *file, char want3d, char) {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return 0;
  }
  return LoadSoundFromFileAL(file, want3d);
}

char EngSound::LoadSoundFromFileIfNeeded(const char *file, char want3d) {
  if (Exists()) return 1;
  return LoadSoundFromFile(file, want3d);
}

char EngSound::LoadMusicFromFileIfNeeded(const char *file, char want3d, char streamed) {
  if (Exists()) return 1;
  return LoadMusicFromFile(file, want3d, streamed);
}

char EngSound::LoadSoundFromOggFile(const char *file, char unused, char big_endian) {
  if (!EngSoundIsOpenAL()) return 0;
  return LoadSoundFromOggFileAL(file, unused, big_endian);
}

char EngSound::Exists() {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return 0;
  }
  return ExistsAL();
}

void EngSound::Enable3dSound(char enable) {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return;
  }
  Enable3dSoundAL(enable);
}

void EngSound::Set3dMinMaxValues(float min, float max) {
  if (!es_3d_enabled) return;
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return;
  }
  Set3dMinMaxValuesAL(min, max);
}

void EngSound::Set3dPosition(float x, float y, float z) {
  if (!es_3d_enabled) return;
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return;
  }
  Set3dPositionAL(x, y, z);
}

void EngSound::SetVolume(float volume) {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return;
  }
  SetVolumeAL(volume);
}

float EngSound::GetVolume() {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return 0.0f;
  }
  return GetVolumeAL();
}

char EngSound::Play() {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return 0;
  }
  if (es_sound_on) return 0;
  return PlayAL();
}

char EngSound::ResumePlaying() {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return 0;
  }
  if (es_sound_on) return 0;
  return ResumePlayingAL();
}

char EngSound::PlayLooped() {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return 0;
  }
  if (es_sound_on) return 0;
  return PlayLoopedAL();
}

void EngSound::Stop() {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return;
  }
  StopAL();
}

char EngSound::IsPlaying() {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return 0;
  }
  return IsPlayingAL();
}

void EngSound::SetFrequency(EngUInt32 hz) {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return;
  }
  SetFrequencyAL(hz);
}

void EngSound::SetFrequencyFloat(float pitch) {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return;
  }
  SetFrequencyFloatAL(pitch);
}

EngUInt32 EngSound::GetFrequency() {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return 0;
  }
  return GetFrequencyAL();
}

float EngSound::GetFrequencyFloat() {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return 0.0f;
  }
  return GetFrequencyFloatAL();
}

EngUInt32 EngSound::GetPlayBufferSize() {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return 0;
  }
  return GetPlayBufferSizeAL();
}

EngUInt32 EngSound::GetPlayBufferPos() {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return 0;
  }
  return GetPlayBufferPosAL();
}

char EngSound::SetPlayBufferPos(EngUInt32 bytes) {
  if (!EngSoundIsOpenAL()) {
    EngSoundNotImplemented();
    return 0;
  }
  return SetPlayBufferPosAL(bytes);
}
