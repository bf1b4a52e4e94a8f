// OpenAL Soft's wave-file output for the tests that check what reached the speakers: the
// configuration that sends the mix to a file, and a scan of that file for the sounding span.
#pragma once

#include <string>

namespace qwsound {

// Points OpenAL Soft at a 44,100 Hz 16-bit stereo wave file, out, through a config file
// written into folder. Must run before OpenAL starts in this process.
void UseWaveOutput(const std::string &folder, const std::string &out);

struct WaveSpan {
  long first = -1;  // first frame that is not silent, -1 for none
  long last = -1;
  int peak = 0;
  long Length() const { return first < 0 ? 0 : last - first + 1; }
};

// Scans the 16-bit stereo wave file's samples.
WaveSpan NonSilentSpan(const std::string &wav);

// The longest run of silent frames (both channels) from frame first to frame last: a sound that
// plays on has none longer than its own quietest moments.
long LongestSilence(const std::string &wav, long first, long last);

}  // namespace qwsound
