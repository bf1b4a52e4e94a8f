// The common fixture of the tracker music tests: the sound test base plus a clean music engine
// and an injected engine clock, and helpers that write songs straight into the song block.
#pragma once

#include <string>

#include "Engine/EngTypes.h"
#include "tests/Engine/SoundTestBase.h"

class MusicTestBase : public SoundTestBase {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The engine clock, which the song clock reads.
  static void SetClock(double seconds);
  // A new empty song in em_song (the engine itself need not run).
  static void NewSong();
  // Appends a sample with a copy of the WAV image; returns its index.
  static int AddSample(const std::string &wav, int loop_mode, EngUInt32 loop_start = 0, EngUInt32 loop_end = 0);
  static int AddPattern(int sample, EngUInt8 volume = 255);
  static int AddNote(int pattern, int staff, int accidental, EngUInt8 volume, float start, float end);
  static void AddEntry(int track, int pattern, float start, EngUInt8 transpose = 0);
  // Builds the event list, the voice budget and the sample sounds, as a load does.
  static void Prepare();
};

// A mono 16-bit WAV tone at 44,100 Hz: plays at its own speed for note 60.
std::string MusicTone(double seconds, double amplitude = 0.5);
