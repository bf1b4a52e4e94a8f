#include "tests/Engine/WaveCapture.h"

#include <cstdint>
#include <cstdlib>

#include "tests/support/TestSupport.h"

namespace qwsound {

namespace {

uint32_t GetLE(const std::string &bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; i++) value |= uint32_t(uint8_t(bytes[at + i])) << (8 * i);
  return value;
}

// The mixer's dither and filters leave a few least significant bits; that is silence.
const int kSilence = 64;

// Where the samples start (0 when the file is not a wave file) and how many frames there are.
size_t DataStart(const std::string &wav, long *frames) {
  *frames = 0;
  if (wav.size() < 12 || wav.compare(0, 4, "RIFF") != 0) return 0;
  // Walk the chunks to "data": the writer may put an extensible format chunk first.
  size_t at = 12;
  while (at + 8 <= wav.size() && wav.compare(at, 4, "data") != 0) at += 8 + GetLE(wav, at + 4, 4);
  if (at + 8 > wav.size()) return 0;
  at += 8;
  *frames = long((wav.size() - at) / 4);
  return at;
}

int Sample(const std::string &wav, size_t data, long frame, int channel) {
  int v = int16_t(GetLE(wav, data + size_t(frame) * 4 + size_t(channel) * 2, 2));
  return v < 0 ? -v : v;
}

}  // namespace

void UseWaveOutput(const std::string &folder, const std::string &out) {
  std::string conf = folder + "/alsoft.conf";
  qwtest::WriteWholeFile(conf, "[general]\ndrivers=wave\nchannels=stereo\nsample-type=int16\nfrequency=44100\n"
                               "[wave]\nfile=" + out + "\n");
  setenv("ALSOFT_DRIVERS", "wave", 1);
  setenv("ALSOFT_CONF", conf.c_str(), 1);
}

WaveSpan NonSilentSpan(const std::string &wav) {
  WaveSpan span;
  long frames = 0;
  const size_t data = DataStart(wav, &frames);
  for (long f = 0; f < frames; f++) {
    for (int c = 0; c < 2; c++) {
      const int v = Sample(wav, data, f, c);
      if (v > span.peak) span.peak = v;
      if (v > kSilence) {
        if (span.first < 0) span.first = f;
        span.last = f;
      }
    }
  }
  return span;
}

long LongestSilence(const std::string &wav, long first, long last) {
  long frames = 0;
  const size_t data = DataStart(wav, &frames);
  long longest = 0, run = 0;
  for (long f = first < 0 ? 0 : first; f <= last && f < frames; f++) {
    run = Sample(wav, data, f, 0) <= kSilence && Sample(wav, data, f, 1) <= kSilence ? run + 1 : 0;
    if (run > longest) longest = run;
  }
  return longest;
}

}  // namespace qwsound
