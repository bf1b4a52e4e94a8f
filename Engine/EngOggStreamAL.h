// The Ogg streaming player: ogg_stream decodes a long Ogg Vorbis file into two OpenAL buffers
// queued on one source and refills them as they finish; it throws std::string on failure.
// EngSound_AL_Ogg wraps it in the engine's 1/0 idiom and catches everything it throws.
#pragma once

#include <string>

#include "Engine/EngTypes.h"

struct OggVorbis_File;
struct vorbis_info;
struct vorbis_comment;

enum { OGG_STREAM_BUFFER_SIZE = 16384 };

class ogg_stream {
 public:
  ogg_stream();
  ~ogg_stream();
  ogg_stream(const ogg_stream &) = delete;
  ogg_stream &operator=(const ogg_stream &) = delete;

  void open(std::string path, char bigEndian);
  void release();
  bool playback();
  bool playing();
  bool update();
  void display();

 protected:
  bool stream(unsigned buffer);
  void empty();
  void stop();
  void check_(const char *tag);
  std::string errorString(int code);

  EngUInt8 m_open = 0;
  char *m_chunk = nullptr;
  EngUInt8 m_playing = 0;
  // Handed to the decoder by ov_open, which closes it in ov_clear.
  void *m_file = nullptr;
  // Allocated with the first open and kept until destruction.
  OggVorbis_File *m_state = nullptr;
  vorbis_info *m_info = nullptr;
  vorbis_comment *m_comment = nullptr;
  char m_big_endian = 0;
  EngUInt32 m_buffers[2] = {0, 0};
  EngUInt32 m_source = 0;
  int m_format = 0;
};

class EngSound_AL_Ogg : public ogg_stream {
 public:
  EngSound_AL_Ogg(const char *file, char bigEndian, char play);
  ~EngSound_AL_Ogg();

  char LoadSoundFromFile(const char *file, char bigEndian);
  char Play();
  // Once per frame: refills the buffers that have played. 0 once the stream has ended.
  char Tick();
  char Stop();
  char SetVolume(float volume);
  void Destroy();

  char IsLoaded() const { return m_loaded; }
  char IsPlaying() const { return m_wrapper_playing; }

 private:
  EngUInt8 m_loaded = 0;
  EngUInt8 m_wrapper_playing = 0;
};
