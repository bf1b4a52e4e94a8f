// Fixtures for the sound tests: WAV tones and Ogg Vorbis files made on the spot (libvorbisenc),
// a capture of the debug log's lines, and a guard for tests that must own OpenAL's start-up.
#pragma once

#include <string>
#include <vector>

namespace qwsound {

// 16-bit PCM sine tone; frames per channel. amplitude 0 writes silence.
std::string MakeWav(int channels, int rate, int frames, double hz = 440.0, double amplitude = 0.5);
// The same tone encoded as Ogg Vorbis; frames 0 gives a valid file with no audio.
std::string MakeOgg(int channels, int rate, int frames, double hz = 440.0);

// Rewrites the identification header of an Ogg Vorbis file (first page) with another
// channel count or sample rate, keeping the page checksum valid.
std::string OggWithHeader(const std::string &ogg, int channels, unsigned rate);

// Every line the debug log stores while this object lives.
class LogCapture {
 public:
  LogCapture() = default;
  ~LogCapture();
  // Starts capturing (again); call after the debug log was reset.
  void Attach();
  // False while the debug log cannot report its lines; message checks are then skipped.
  bool Works() const { return m_works; }
  bool Has(const std::string &text) const;
  int Count(const std::string &text) const;
  size_t Size() const;
  void Clear();
  std::string All() const;

 private:
  bool m_works = false;
};

// OpenAL Soft reads its configuration once per process: a test that chooses the output
// (wave file, no device) must be the first to start it. CTest runs each test in its own process.
bool OpenALStartedInThisProcess();
void NoteOpenALStarted();

}  // namespace qwsound

// Checks a logged text when the log can be read.
#define EXPECT_LOGGED(capture, text)                                                           \
  do {                                                                                         \
    if ((capture).Works()) {                                                                   \
      EXPECT_TRUE((capture).Has(text)) << "missing: " << (text) << "\nlog:\n" << (capture).All(); \
    }                                                                                          \
  } while (0)
#define EXPECT_NOT_LOGGED(capture, text)                                                          \
  do {                                                                                            \
    if ((capture).Works()) {                                                                      \
      EXPECT_FALSE((capture).Has(text)) << "unexpected: " << (text) << "\nlog:\n" << (capture).All(); \
    }                                                                                             \
  } while (0)
