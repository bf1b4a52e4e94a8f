#include "Engine/EngOggStreamAL.h"

#include <cstdio>
#include <iostream>

#include <unistd.h>

#include <AL/al.h>
#include <vorbis/vorbisfile.h>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngSoundAL.h"

// ---------------------------------------------------------------------------------------------
// ogg_stream

ogg_stream::ogg_stream() {}

ogg_stream::~ogg_stream() {
  if (m_playing) {
    try {
      stop();
    } catch (std::string &error) {
      DebugError("ogg_stream::~ogg_stream (stop)", "Error: <%s>", error.c_str());
    } catch (...) {
      DebugError("ogg_stream::~ogg_stream (stop)", "Unknown error.");
    }
  }
  if (m_open) {
    try {
      release();
    } catch (std::string &error) {
      DebugError("ogg_stream::~ogg_stream (release)", "Error: <%s>", error.c_str());
    } catch (...) {
      DebugError("ogg_stream::~ogg_stream (release)", "Unknown error.");
    }
  }
  if (m_chunk) EngFree(m_chunk, 1, "ogg_stream::~ogg_stream");
  m_chunk = nullptr;
  if (m_state) EngFree(m_state, 1, "ogg_stream::~ogg_stream");
  m_state = nullptr;
}

void ogg_stream::open(std::string path, char bigEndian) {
  if (m_playing) stop();
  if (m_open) release();
  m_big_endian = bigEndian;

  FILE *file = EngFileOpenStreamForReading(path.c_str());
  if (!file) throw std::string("Could not open Ogg file.");
  if (!m_state) {
    m_state = static_cast<OggVorbis_File *>(EngMalloc(sizeof(OggVorbis_File), "ogg_stream::open", 1));
    if (!m_state) {
      fclose(file);
      throw std::string("No memory");
    }
  }
  int result = ov_open(file, m_state, nullptr, 0);
  if (result < 0) {
    fclose(file);
    throw std::string("Could not open Ogg stream. ") + errorString(result);
  }
  m_file = file;
  m_info = ov_info(m_state, -1);
  m_comment = ov_comment(m_state, -1);
  // Only what OpenAL's 16-bit formats can carry plays at the right speed.
  if (!m_info || m_info->channels < 1 || m_info->channels > 2 || m_info->rate < 1 || m_info->rate > 0x7fffffffL) {
    ov_clear(m_state);
    m_file = nullptr;
    throw std::string("Could not open Ogg stream. ") + errorString(OV_EBADHEADER);
  }
  m_format = m_info->channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;

  // A stale error from someone else must not fail this open.
  alGetError();
  ALuint buffers[2] = {0, 0};
  alGenBuffers(2, buffers);
  try {
    check_("Open1");
  } catch (...) {
    ov_clear(m_state);
    m_file = nullptr;
    throw;
  }
  ALuint source = 0;
  alGenSources(1, &source);
  try {
    check_("Open2");
  } catch (...) {
    alDeleteBuffers(2, buffers);
    ov_clear(m_state);
    m_file = nullptr;
    throw;
  }
  m_buffers[0] = buffers[0];
  m_buffers[1] = buffers[1];
  m_source = source;

  alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
  alSource3f(source, AL_VELOCITY, 0.0f, 0.0f, 0.0f);
  alSource3f(source, AL_DIRECTION, 0.0f, 0.0f, 0.0f);
  alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
  alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);

  if (m_chunk) EngFree(m_chunk, 1, "ogg_stream::open");
  m_chunk = static_cast<char *>(EngMalloc(OGG_STREAM_BUFFER_SIZE, "ogg_stream::open", 0));
  // Open from here on, so that release frees what was made even without the chunk.
  m_open = 1;
  if (!m_chunk) throw std::string("No memory");
}

void ogg_stream::release() {
  if (!m_open) return;
  bool failed = false;
  // After the sound system was shut the names are dead: only the decoder is left to free.
  if (EngSoundIsSetup_AL()) {
    stop();
    ALuint source = m_source;
    alDeleteSources(1, &source);
    failed = !EngSoundErrorCheck_AL("ogg_stream::check_", "Release1", 1);
    ALuint buffers[2] = {m_buffers[0], m_buffers[1]};
    alDeleteBuffers(2, buffers);
    failed = !EngSoundErrorCheck_AL("ogg_stream::check_", "Release2", 1) || failed;
  }
  // The decoder and the chunk go whatever OpenAL said, so that nothing leaks.
  ov_clear(m_state);
  m_file = nullptr;
  m_info = nullptr;
  m_comment = nullptr;
  if (m_chunk) EngFree(m_chunk, 1, "ogg_stream::release");
  m_chunk = nullptr;
  m_open = 0;
  m_playing = 0;
  if (failed) throw std::string("OpenAL error was raised.");
}

bool ogg_stream::playback() {
  if (m_playing) stop();
  if (playing()) {
    m_playing = 1;
    return true;
  }
  if (!stream(m_buffers[0])) return false;
  if (!stream(m_buffers[1])) return false;
  ALuint buffers[2] = {m_buffers[0], m_buffers[1]};
  alSourceQueueBuffers(m_source, 2, buffers);
  alSourcePlay(m_source);
  m_playing = 1;
  return true;
}

bool ogg_stream::playing() {
  if (!m_open) return false;
  ALint state = AL_STOPPED;
  alGetSourcei(m_source, AL_SOURCE_STATE, &state);
  return state == AL_PLAYING;
}

bool ogg_stream::update() {
  if (!m_playing) return false;
  ALint processed = 0;
  alGetSourcei(m_source, AL_BUFFERS_PROCESSED, &processed);
  if (processed <= 0) return true;

  bool active = true;
  bool requeued = false;
  while (processed-- > 0) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(m_source, 1, &buffer);
    check_("While1");
    active = stream(buffer);
    check_("While2");
    // At the end of the data the buffer still holds what it played last: queueing it again
    // would repeat that.
    if (!active) continue;
    alSourceQueueBuffers(m_source, 1, &buffer);
    check_("While3");
    requeued = true;
  }
  // A source that ran dry between two ticks starts again from the head of its queue, so
  // every played buffer is refilled first: a stale one left in front would sound again.
  if (requeued && !playing()) alSourcePlay(m_source);
  if (active) return true;
  m_playing = 0;
  return false;
}

bool ogg_stream::stream(unsigned buffer) {
  if (!m_chunk) throw std::string("No buffer.");
  int size = 0;
  while (size < OGG_STREAM_BUFFER_SIZE) {
    int section = 0;
    long result = ov_read(m_state, m_chunk + size, OGG_STREAM_BUFFER_SIZE - size, m_big_endian ? 1 : 0, 2, 1,
                          &section);
    if (result > 0) {
      size += int(result);
    } else if (result == 0) {
      break;
    } else {
      throw errorString(int(result));
    }
  }
  if (size == 0) return false;
  alBufferData(buffer, m_format, m_chunk, size, ALsizei(m_info->rate));
  check_("Stream");
  return true;
}

void ogg_stream::empty() {
  ALint queued = 0;
  alGetSourcei(m_source, AL_BUFFERS_QUEUED, &queued);
  while (queued-- > 0) {
    ALuint buffer = 0;
    check_("Empty1");
    alSourceUnqueueBuffers(m_source, 1, &buffer);
    check_("Empty2");
  }
}

void ogg_stream::stop() {
  if (!m_playing) return;
  if (!playing()) {
    m_playing = 0;
    return;
  }
  alSourceStop(m_source);
  check_("Stop");
  double started = EngMainUpdateCurrentTime();
  while (playing() && EngMainUpdateCurrentTime() - started < 1.0) usleep(1000);
  m_playing = 0;
  empty();
}

void ogg_stream::check_(const char *tag) {
  if (!EngSoundErrorCheck_AL("ogg_stream::check_", tag, 1)) throw std::string("OpenAL error was raised.");
}

std::string ogg_stream::errorString(int code) {
  switch (code) {
    case OV_EREAD:
      return "Read from media.";
    case OV_EFAULT:
      return "Internal logic fault (bug or heap/stack corruption.";
    case OV_ENOTVORBIS:
      return "Not Vorbis data.";
    case OV_EBADHEADER:
      return "Invalid Vorbis header.";
    case OV_EVERSION:
      return "Vorbis version mismatch.";
    default:
      return "Unknown Ogg error.";
  }
}

void ogg_stream::display() {
  if (!m_info) return;
  std::cout << "version         " << m_info->version << "\n"
            << "channels        " << m_info->channels << "\n"
            << "rate (hz)       " << m_info->rate << "\n"
            << "bitrate upper   " << m_info->bitrate_upper << "\n"
            << "bitrate nominal " << m_info->bitrate_nominal << "\n"
            << "bitrate lower   " << m_info->bitrate_lower << "\n"
            << "bitrate window  " << m_info->bitrate_window << "\n"
            << "\n"
            << "vendor " << (m_comment && m_comment->vendor ? m_comment->vendor : "") << "\n";
  if (m_comment) {
    for (int i = 0; i < m_comment->comments; i++)
      std::cout << "   " << (m_comment->user_comments[i] ? m_comment->user_comments[i] : "") << "\n";
  }
  std::cout << std::endl;
}

// ---------------------------------------------------------------------------------------------
// EngSound_AL_Ogg

#define EngSoundOggCatch(tag)                                  \
  catch (std::string & error) {                                \
    DebugError(tag, "Error: <%s>", error.c_str());             \
  }                                                            \
  catch (...) {                                                \
    DebugError(tag, "Unknown error.");                         \
  }

EngSound_AL_Ogg::EngSound_AL_Ogg(const char *file, char bigEndian, char play) {
  if (!file) return;
  if (LoadSoundFromFile(file, bigEndian) && play) Play();
}

EngSound_AL_Ogg::~EngSound_AL_Ogg() { Destroy(); }

char EngSound_AL_Ogg::LoadSoundFromFile(const char *file, char bigEndian) {
  const char *tag = "EngSound_AL_Ogg::LoadSoundFromFile";
  if (!EngSoundIsSetup_AL()) {
    DebugError(tag, "Al not setup");
    return 0;
  }
  if (!file || !*file) {
    DebugError(tag, "No filename");
    return 0;
  }
  // open releases a previous stream first: whatever happens, that one is gone.
  m_loaded = 0;
  m_wrapper_playing = 0;
  try {
    open(file, bigEndian);
    m_loaded = 1;
    return 1;
  } catch (std::string &error) {
    DebugError(tag, "Error: <%s>  Filename: <%s>", error.c_str(), file);
  } catch (...) {
    DebugError(tag, "Unknown error for filename <%s>", file);
  }
  // A half-made stream is released at once rather than kept as not loaded.
  try {
    release();
  }
  EngSoundOggCatch(tag);
  return 0;
}

char EngSound_AL_Ogg::Play() {
  const char *tag = "EngSound_AL_Ogg::Play";
  if (!EngSoundIsSetup_AL()) {
    DebugError(tag, "Al not setup");
    return 0;
  }
  if (!m_loaded) {
    DebugError(tag, "No sound loaded");
    return 0;
  }
  try {
    if (playback()) {
      m_wrapper_playing = 1;
      return 1;
    }
    DebugError(tag, "Could not play sound");
    return 0;
  }
  EngSoundOggCatch(tag);
  m_wrapper_playing = 0;
  return 0;
}

char EngSound_AL_Ogg::Tick() {
  if (!m_loaded || !m_wrapper_playing) return 0;
  try {
    if (update()) return 1;
  }
  EngSoundOggCatch("EngSound_AL_Ogg::Tick");
  m_wrapper_playing = 0;
  return 0;
}

char EngSound_AL_Ogg::Stop() {
  if (!m_loaded || !m_wrapper_playing) return 0;
  try {
    stop();
  }
  EngSoundOggCatch("EngSound_AL_Ogg::Stop");
  m_wrapper_playing = 0;
  return 1;
}

char EngSound_AL_Ogg::SetVolume(float) {
  DebugStandardError(ENG_FUNC, DEBUG_ERR_NOIM);
  return 1;
}

void EngSound_AL_Ogg::Destroy() {
  if (m_wrapper_playing) Stop();
  if (!m_loaded) return;
  try {
    release();
  }
  EngSoundOggCatch("EngSound_AL_Ogg::Destroy");
  m_loaded = 0;
}
