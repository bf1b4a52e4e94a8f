// The Ogg streaming player: ogg_stream decodes a long Ogg Vorbis file into two OpenAL buffers
// queued on one source and refills them as they finish; it throws std::string on failure. It can
// loop (the decoder goes back to the first sample at the end) and seek, and knows which sample
// the source is playing. EngSound_AL_Ogg wraps it in the engine's 1/0 idiom and catches
// everything it throws.
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
  // At the end of the data the decoder starts again from the first sample.
  void set_looping(bool looped) { m_looped = looped; }
  // Sample frames of the whole stream (0 when the file does not say).
  long long length_frames() const { return m_total_frames; }
  int frame_bytes() const { return m_frame_bytes; }
  // The sample frame the source plays now (the next one to decode when nothing is queued).
  long long position_frames();
  // Goes on from another sample frame: what was queued is dropped, and a playing stream goes
  // on playing from there.
  void seek_frames(long long frame);

 protected:
  bool stream(unsigned buffer);
  void empty();
  void stop();
  void check_(const char *tag);
  std::string errorString(int code);
  // Drops every buffer from the stopped source's queue.
  void clear_queue();

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
  EngUInt8 m_looped = 0;
  long long m_total_frames = 0;
  int m_frame_bytes = 0;
  // The first sample frame of each buffer as decoded, and the queue's buffers head first:
  // the source's offset counts from the head.
  long long m_buffer_start[2] = {0, 0};
  EngUInt32 m_queue[2] = {0, 0};
  int m_queued = 0;
};

class EngSound_AL_Ogg : public ogg_stream {
 public:
  EngSound_AL_Ogg(const char *file, char bigEndian, char play);
  ~EngSound_AL_Ogg();

  char LoadSoundFromFile(const char *file, char bigEndian);
  char Play();
  // Plays on from the first sample whenever the data ends, until stopped.
  char PlayLooped();
  // Once per frame: refills the buffers that have played. 0 once the stream has ended.
  char Tick();
  char Stop();
  char SetVolume(float volume);
  float GetVolume();
  // Positions in bytes of 16-bit samples, as the whole stream would be decoded: its size, the
  // place being played, and a place to go on from (cut to a whole sample frame).
  EngUInt32 GetPlayBufferSize();
  EngUInt32 GetPlayBufferPos();
  char SetPlayBufferPos(EngUInt32 bytes);
  void Destroy();

  char IsLoaded() const { return m_loaded; }
  char IsPlaying() const { return m_wrapper_playing; }

 private:
  char Start(char looped);

  EngUInt8 m_loaded = 0;
  EngUInt8 m_wrapper_playing = 0;
};
