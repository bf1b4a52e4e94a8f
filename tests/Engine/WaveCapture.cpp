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
  if (wav.size() < 12 || wav.compare(0, 4, "RIFF") != 0) return span;
  // Walk the chunks to "data": the writer may put an extensible format chunk first.
  size_t at = 12;
  while (at + 8 <= wav.size() && wav.compare(at, 4, "data") != 0) at += 8 + GetLE(wav, at + 4, 4);
  if (at + 8 > wav.size()) return span;
  at += 8;
  long frames = long((wav.size() - at) / 4);
  for (long f = 0; f < frames; f++) {
    for (int c = 0; c < 2; c++) {
      int v = int16_t(GetLE(wav, at + size_t(f) * 4 + size_t(c) * 2, 2));
      if (v < 0) v = -v;
      if (v > span.peak) span.peak = v;
      // The mixer's dither and filters leave a few least significant bits; that is silence.
      if (v > 64) {
        if (span.first < 0) span.first = f;
        span.last = f;
      }
    }
  }
  return span;
}

}  // namespace qwsound
