#include "Engine/EngSoundAL.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <AL/al.h>
#include <AL/alut.h>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/EngSound.h"

namespace {

const float kEngSoundBaseRate = 44100.0f;

}  // namespace

static EngUInt8 csal_init_ok = 0;

// Complaints about an empty sound are heard only while OpenAL runs, so that a program without
// a sound device logs nothing per call.
#define EngSoundComplainAL(text)                           \
  do {                                                     \
    if (csal_init_ok) DebugErrorAlt(ENG_FUNC, "%s", text); \
  } while (0)

// ---------------------------------------------------------------------------------------------
// The library

char EngSoundInit_AL(char enable3d) {
  if (csal_init_ok) return 1;
  if (!alutInit(nullptr, nullptr)) {
    DebugErrorAlt(ENG_FUNC, "No sound device, sound is off: %s", alutGetErrorString(alutGetError()));
    return 0;
  }
  alGetError();
  alDistanceModel(enable3d ? AL_INVERSE_DISTANCE : AL_NONE);
  EngSoundErrorCheck_AL("EngSoundInit_AL", "alDistanceModel", 1);
  csal_init_ok = 1;
  return 1;
}

void EngSoundExit_AL() {
  if (csal_init_ok == 1 && !alutExit())
    DebugErrorAlt(ENG_FUNC, "alutExit: %s", alutGetErrorString(alutGetError()));
  csal_init_ok = 0;
}

char EngSoundIsSetup_AL() { return csal_init_ok; }

const char *EngSoundErrorText_AL(int error, char *scratch, int scratch_size) {
  switch (error) {
    case AL_INVALID_NAME:
      return "Invalid name parameter";
    case AL_INVALID_ENUM:
      return "Invalid parameter";
    case AL_INVALID_VALUE:
      return "Invalid enum parameter value";
    case AL_INVALID_OPERATION:
      return "Invalid operation";
    case AL_OUT_OF_MEMORY:
      return "Unable to allocate memory";
    default:
      snprintf(scratch, scratch_size, "Unknown Error 0x%x", static_cast<unsigned>(error));
      return scratch;
  }
}

char EngSoundErrorCheck_AL(const char *tag, const char *call, char report) {
  ALenum error = alGetError();
  if (error == AL_NO_ERROR) return 1;
  if (!report) return 0;
  char scratch[64];
  DebugError(tag, "AL Error : %s (%s)", call, EngSoundErrorText_AL(error, scratch, sizeof(scratch)));
  return 0;
}

void EngSoundAlFixDeleteThenCreateProblem_AL() {
  if (csal_init_ok != 1) return;
  ALuint name = 0;
  alGenBuffers(1, &name);
  if (alGetError() == AL_NO_ERROR) alDeleteBuffers(1, &name);
}

// ---------------------------------------------------------------------------------------------
// Loading

void EngSound::ResetVarsAL() {
  created = 0;
  looped = 0;
  owns_buffer = 0;
  buffer = 0;
  source = 0;
}

char EngSound::InitAL(const char *file, char want3d) { return LoadSoundFromFileAL(file, want3d); }

char EngSound::InitAL(EngSound *other) {
  if (!csal_init_ok) return 0;
  return LoadSoundFromOtherSoundAL(other);
}

namespace {

EngUInt32 EngSoundWavLE32(const unsigned char *at) {
  return EngUInt32(at[0]) | (EngUInt32(at[1]) << 8) | (EngUInt32(at[2]) << 16) | (EngUInt32(at[3]) << 24);
}

// ALUT allocates whatever a chunk header claims before reading it, so a lying header could ask
// for gigabytes: every chunk up to the samples must fit in the file. Only RIFF WAVE files pass.
bool EngSoundWavChunksFit(const unsigned char *bytes, size_t size) {
  if (size < 12 || memcmp(bytes, "RIFF", 4) != 0 || memcmp(bytes + 8, "WAVE", 4) != 0) return false;
  size_t at = 12;
  while (size - at >= 8) {
    EngUInt32 length = EngSoundWavLE32(bytes + at + 4);
    bool is_data = memcmp(bytes + at, "data", 4) == 0;
    at += 8;
    if (length > size - at) return false;
    if (is_data) return true;
    at += length;
    if ((length & 1) && at < size) at++;
  }
  return false;
}

// The whole file, or null when it cannot be read or its chunks do not fit.
unsigned char *EngSoundReadWavFile(const char *file, EngUInt32 *size) {
  const char *tag = "EngSoundReadWavFile";
  EngFile in;
  if (!in.OpenForReading(file, 0, 0)) return nullptr;
  *size = in.GetSize();
  if (*size < 12 || *size > EngUInt32(INT_MAX)) return nullptr;
  auto *bytes = static_cast<unsigned char *>(EngMalloc(*size, tag, 0));
  if (!bytes) return nullptr;
  if (!in.Read(bytes, *size, 0) || !EngSoundWavChunksFit(bytes, *size)) {
    EngFree(bytes, 1, tag);
    return nullptr;
  }
  return bytes;
}

}  // namespace

char EngSound::LoadSoundFromFileAL(const char *file, char) {
  if (!EngFileExists(file, 0)) {
    DebugErrorAlt(ENG_FUNC, "Sound <%s> does not exist", EngReturnSafeString(file));
    return 0;
  }
  if (!csal_init_ok) {
    DebugErrorAlt(ENG_FUNC, "Sound not setup.");
    return 0;
  }
  ALenum format = 0;
  ALsizei size = 0;
  ALfloat rate = 0.0f;
  void *data = nullptr;
  EngUInt32 image_size = 0;
  unsigned char *image = EngSoundReadWavFile(file, &image_size);
  if (image) {
    data = alutLoadMemoryFromFileImage(image, ALsizei(image_size), &format, &size, &rate);
    EngFree(image, 1, ENG_FUNC);
  }
  // The rate comes from the file's header: refuse what no buffer can take.
  if (!data || size <= 0 || format == 0 || !(rate >= 1.0f && rate < 2147483648.0f)) {
    DebugErrorAlt(ENG_FUNC, "Problem loading file <%s>", file);
    free(data);
    return 0;
  }
  char loaded = LoadSoundFromDataAL(data, format, static_cast<unsigned>(size), static_cast<unsigned>(rate));
  free(data);
  if (!loaded) {
    DebugErrorAlt(ENG_FUNC, "Problem loading sound from data");
    return 0;
  }
  return 1;
}

char EngSound::LoadSoundFromDataAL(void *data, int format, unsigned size, unsigned rate) {
  if (!csal_init_ok) {
    DebugErrorAlt(ENG_FUNC, "Sound not setup.");
    return 0;
  }
  if (created) {
    DebugErrorAlt(ENG_FUNC, "Sound already created");
    return 0;
  }
  if (size == 0 || format == 0 || size > INT_MAX || rate > INT_MAX) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters passed in for sound");
    return 0;
  }
  // A stale error from an earlier call must not fail this load.
  alGetError();

  ALuint new_buffer = 0;
  alGenBuffers(1, &new_buffer);
  if (!EngSoundErrorCheck_AL("EngSound::LoadSoundFromDataA", "alGenBuffers", 1)) return 0;
  owns_buffer = 1;

  alBufferData(new_buffer, format, data, static_cast<ALsizei>(size), static_cast<ALsizei>(rate));
  if (!EngSoundErrorCheck_AL("EngSound::LoadSoundFromDataA", "alBufferData", 1)) {
    alDeleteBuffers(1, &new_buffer);
    owns_buffer = 0;
    return 0;
  }
  length = rate ? static_cast<float>(size) / static_cast<float>(rate) : 0.0f;

  ALuint new_source = 0;
  alGenSources(1, &new_source);
  if (!EngSoundErrorCheck_AL("EngSound::LoadSoundFromDataA", "alGenSources", 1)) {
    alDeleteBuffers(1, &new_buffer);
    owns_buffer = 0;
    return 0;
  }
  alSourcei(new_source, AL_BUFFER, static_cast<ALint>(new_buffer));
  if (!EngSoundErrorCheck_AL("EngSound::LoadSoundFromDataAL", "alSourcei", 1)) {
    alDeleteSources(1, &new_source);
    alDeleteBuffers(1, &new_buffer);
    owns_buffer = 0;
    return 0;
  }
  alSourcef(new_source, AL_MIN_GAIN, 0.0f);
  EngSoundErrorCheck_AL("EngSound::LoadSoundFromDataAL", "AL_MIN_GAIN", 1);
  alSourcef(new_source, AL_MAX_GAIN, 1.0f);
  EngSoundErrorCheck_AL("EngSound::LoadSoundFromDataAL", "AL_MAX_GAIN", 1);

  buffer = new_buffer;
  source = new_source;
  created = 1;
  return 1;
}

char EngSound::LoadSoundFromOtherSoundAL(EngSound *other) {
  const char *tag = "EngSound::LoadSoundFromOtherSoundAL";
  if (!other || other == this || csal_init_ok != 1) return 0;
  // A duplicate does not own its buffer, so it cannot be duplicated in turn.
  if (!other->ok || !other->owns_buffer || !other->created) return 0;
  if (created) Destroy();
  alGetError();

  ALint shared = 0;
  alGetSourcei(other->source, AL_BUFFER, &shared);
  if (!EngSoundErrorCheck_AL(tag, "alGetSourcei - AL_BUFFER", 1)) return 0;

  ALuint new_source = 0;
  alGenSources(1, &new_source);
  if (!EngSoundErrorCheck_AL(tag, "alGenSources", 1)) return 0;
  alSourcei(new_source, AL_BUFFER, shared);
  if (!EngSoundErrorCheck_AL(tag, "alSourcei - AL_BUFFER", 1)) {
    alDeleteSources(1, &new_source);
    return 0;
  }

  buffer = static_cast<EngUInt32>(shared);
  source = new_source;
  owns_buffer = 0;
  alSourcef(new_source, AL_MIN_GAIN, 0.0f);
  EngSoundErrorCheck_AL(tag, "AL_MIN_GAIN", 1);
  alSourcef(new_source, AL_MAX_GAIN, 1.0f);
  EngSoundErrorCheck_AL(tag, "AL_MAX_GAIN", 1);
  length = other->length;
  created = 1;
  return 1;
}

void EngSound::DestroyAL() {
  if (!created) return;
  // After the library was shut, the names are dead (and may be reused by a later start):
  // only forget them.
  if (csal_init_ok) {
    const char *tag = "EngSound::ReleaseAL";
    ALuint name = source;
    alSourceStop(name);
    EngSoundErrorCheck_AL(tag, "alSourceStop", 1);
    alDeleteSources(1, &name);
    EngSoundErrorCheck_AL(tag, "alDeleteSources", 1);
    if (owns_buffer) {
      name = buffer;
      alDeleteBuffers(1, &name);
      EngSoundErrorCheck_AL(tag, "alDeleteBuffers", 1);
    }
  }
  // Clears the looped flag too, so that a sound loaded again can be looped.
  ResetVarsAL();
}

char EngSound::ExistsAL() { return created; }

// ---------------------------------------------------------------------------------------------
// Playing

void EngSound::Enable3dSoundAL(char) { DebugErrorAlt(ENG_FUNC, "Not supported"); }

void EngSound::Set3dMinMaxValuesAL(float, float) { DebugErrorAlt(ENG_FUNC, "Not supported"); }

void EngSound::Set3dPositionAL(float x, float y, float z) {
  if (!created) return;
  alSource3f(source, AL_POSITION, x, y, z);
  EngSoundErrorCheck_AL("EngSound::Set3dPositionAL", "AL_POSITION", 1);
}

void EngSound::SetVolumeAL(float gain) {
  if (!created) {
    EngSoundComplainAL("Sound called but no buffer present");
    return;
  }
  alSourcef(source, AL_GAIN, gain);
  EngSoundErrorCheck_AL("EngSound::SetVolumeAL", "AL_GAIN", 1);
}

float EngSound::GetVolumeAL() {
  if (!created) {
    EngSoundComplainAL("Sound called but no buffer present");
    return 0.0f;
  }
  ALfloat gain = 0.0f;
  alGetSourcef(source, AL_GAIN, &gain);
  if (!EngSoundErrorCheck_AL("EngSound::GetVolumeAL", "AL_GAIN", 1)) return 0.0f;
  return gain;
}

char EngSound::PlayAL() {
  if (!created) {
    EngSoundComplainAL("Sound called but no buffer present");
    return 0;
  }
  alSourcei(source, AL_LOOPING, AL_FALSE);
  alSourcePlay(source);
  return EngSoundErrorCheck_AL("EngSound::PlayAL", "alSourcePlay", 1);
}

char EngSound::ResumePlayingAL() {
  if (!created) {
    EngSoundComplainAL("Sound called but no buffer present");
    return 0;
  }
  alSourcePlay(source);
  return EngSoundErrorCheck_AL("EngSound::ResumePlayingAL", "alSourcePlay", 1);
}

char EngSound::PlayLoopedAL() {
  if (!created) {
    EngSoundComplainAL("Sound called but no buffer present");
    return 0;
  }
  if (looped) return 0;
  alSourcei(source, AL_LOOPING, AL_TRUE);
  alSourcePlay(source);
  if (!EngSoundErrorCheck_AL("EngSound::PlayLoopedAL", "alSourcePlay", 1)) return 0;
  looped = 1;
  return 1;
}

void EngSound::StopAL() {
  if (!created) {
    EngSoundComplainAL("Sound called but no buffer present");
    return;
  }
  alSourcei(source, AL_LOOPING, AL_FALSE);
  alSourceStop(source);
  EngSoundErrorCheck_AL("EngSound::StopAL", "alSourceStop", 1);
  looped = 0;
}

char EngSound::IsPlayingAL() {
  if (!created) return 0;
  ALint state = AL_STOPPED;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  EngSoundErrorCheck_AL("EngSound::IsPlayingAL", "AL_SOURCE_STATE", 1);
  return state == AL_PLAYING ? 1 : 0;
}

void EngSound::SetFrequencyAL(EngUInt32 hz) { SetFrequencyFloatAL(static_cast<float>(hz) / kEngSoundBaseRate); }

void EngSound::SetFrequencyFloatAL(float pitch) {
  if (!created) {
    EngSoundComplainAL("No buffer for sound");
    return;
  }
  alSourcef(source, AL_PITCH, pitch);
  EngSoundErrorCheck_AL("EngSound::SetFrequencyFloatAL", "AL_PITCH", 1);
}

EngUInt32 EngSound::GetFrequencyAL() {
  if (!created) {
    EngSoundComplainAL("No buffer for sound");
    return 0;
  }
  float hz = GetFrequencyFloatAL() * kEngSoundBaseRate;
  if (!(hz > 0.0f)) return 0;
  if (hz >= 4294967295.0f) return 0xFFFFFFFFu;
  return static_cast<EngUInt32>(hz);
}

float EngSound::GetFrequencyFloatAL() {
  if (!created) {
    EngSoundComplainAL("No buffer for sound");
    return 0.0f;
  }
  ALfloat pitch = 0.0f;
  alGetSourcef(source, AL_PITCH, &pitch);
  EngSoundErrorCheck_AL("EngSound::GetFrequencyFloatAL", "AL_PITCH", 1);
  return pitch;
}

EngUInt32 EngSound::GetPlayBufferSizeAL() {
  if (!created) {
    EngSoundComplainAL("Sound not created.");
    return 0;
  }
  if (!owns_buffer) {
    EngSoundComplainAL("No buffer for sound");
    return 0;
  }
  ALint size = 0;
  alGetBufferi(buffer, AL_SIZE, &size);
  EngSoundErrorCheck_AL("EngSound::GetPlayBufferSizeAL", "AL_SIZE", 1);
  return size > 0 ? static_cast<EngUInt32>(size) : 0;
}

EngUInt32 EngSound::GetPlayBufferPosAL() {
  if (!created) {
    EngSoundComplainAL("Sound not created");
    return 0;
  }
  if (!owns_buffer) {
    EngSoundComplainAL("No buffer for sound");
    return 0;
  }
  ALint pos = 0;
  alGetSourcei(source, AL_BYTE_OFFSET, &pos);
  EngSoundErrorCheck_AL("EngSound::GetPlayBufferPosAL", "AL_BYTE_OFFSET", 1);
  return pos > 0 ? static_cast<EngUInt32>(pos) : 0;
}

char EngSound::SetPlayBufferPosAL(EngUInt32 bytes) {
  if (!created) {
    EngSoundComplainAL("Sound not created");
    return 0;
  }
  if (!owns_buffer) {
    EngSoundComplainAL("No buffer for sound");
    return 0;
  }
  if (bytes > static_cast<EngUInt32>(INT_MAX)) {
    DebugErrorAlt(ENG_FUNC, "Position %u out of range", bytes);
    return 0;
  }
  alSourcei(source, AL_BYTE_OFFSET, static_cast<ALint>(bytes));
  return EngSoundErrorCheck_AL("EngSound::SetPlayBufferPosAL", "AL_BYTE_OFFSET", 1);
}
