#include "Engine/EngMusicMusic.h"

#include <gtest/gtest.h>

#include "Engine/EngMusic.h"
#include "Engine/EngMusicList.h"
#include "Engine/EngMusicSong.h"
#include "Engine/EngMusicSound.h"
#include "tests/Engine/MusicTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class EngMusicMusicTest : public MusicTestBase {
 protected:
  // A sample with a pattern of `voices` overlapping notes, so that its budget is that many.
  int SampleWithVoices(const std::string &wav, int loop_mode, int voices, EngUInt32 loop_start = 0,
                       EngUInt32 loop_end = 0) {
    NewSong();
    int sample = AddSample(wav, loop_mode, loop_start, loop_end);
    int pattern = AddPattern(sample);
    for (int i = 0; i < voices; i++) AddNote(pattern, 16, 0, 255, 0.0f, 1.0f);
    AddEntry(0, pattern, 0.0f);
    Prepare();
    EXPECT_EQ(EngMusicListGetMaxSoundsPerSample(sample), voices);
    return sample;
  }

  void WaitWhilePlaying(int id) {
    ASSERT_TRUE(qwtest::WaitUntil([id] { return EngMusicSoundIsPlaying(id) == 0; })) << "voice " << id << " never ended";
  }
};

TEST_F(EngMusicMusicTest, NoteNumbersBecomeRates) {
  struct Case {
    int note;
    unsigned long rate;
  };
  const Case cases[] = {
      {-1, 0},      {0, 1378},    {12, 2756},   {48, 22050},  {59, 41625},      {60, 44100},
      {61, 46722},  {69, 74167},  {72, 88200},  {84, 176400}, {86, 198002},     {87, 0},
  };
  for (const Case &c : cases) EXPECT_EQ(EngMusicMusicGetFrequencyFromNoteNum(c.note), c.rate) << "note " << c.note;
  EXPECT_NEAR(EngMusicMusicGetNoteFrequency(0), 8.176f, 0.001f);
  EXPECT_FLOAT_EQ(EngMusicMusicGetNoteFrequency(69), 440.0f);
  EXPECT_EQ(EngMusicMusicSetSampleSoundToNoteFrequency(0, 87), 0);
}

TEST_F(EngMusicMusicTest, AOneShotVoicePlaysOutAfterItsRelease) {
  StartOpenAL();
  int sample = SampleWithVoices(MusicTone(0.05), 2, 2);
  EXPECT_EQ(EngMusicMusicPlaySampleSound(sample, 69, 0), -1);  // silent notes start nothing
  EXPECT_EQ(EngMusicMusicPlaySampleSound(sample, 87, 200), -1);  // off the scale
  EXPECT_EQ(EngMusicMusicPlaySampleSound(sample + 1, 60, 200), -1);

  int slot = EngMusicMusicPlaySampleSound(sample, 69, 200);
  ASSERT_EQ(slot, 0);
  int id = sample * ENG_MUSIC_SOUND_INSTANCES + slot;
  EXPECT_EQ(EngMusicMusicGetSlotState(sample, slot), ENG_MUSIC_SLOT_ONCE);
  EXPECT_EQ(EngMusicSoundIsPlaying(id), 1);
  EXPECT_NEAR(EngMusicSoundGet(id)->GetFrequencyFloat(), 74167.0f / 44100.0f, 0.0001f);
  EXPECT_NEAR(EngMusicSoundGet(id)->GetVolume(), 200.0f / 255.0f, 0.0001f);

  cm_main_vol = 0.5f;
  EngMusicMusicUpdateAllPlayingNotesVolumes();
  EXPECT_NEAR(EngMusicSoundGet(id)->GetVolume(), 100.0f / 255.0f, 0.0001f);

  EXPECT_EQ(EngMusicMusicPlaySampleSound(sample, 60, 255), 1);
  log.Clear();
  EXPECT_EQ(EngMusicMusicPlaySampleSound(sample, 60, 255), -1);
  EXPECT_LOGGED(log, "Warning - no instances free for sample 0");

  EXPECT_EQ(EngMusicMusicStopPlayingSampleSound(sample, slot, 0, 0), 1);
  EXPECT_EQ(EngMusicMusicGetSlotState(sample, slot), ENG_MUSIC_SLOT_ONCE_RELEASED);
  EXPECT_EQ(EngMusicSoundIsPlaying(id), 1);
  WaitWhilePlaying(id);
  EXPECT_EQ(EngMusicMusicGetSlotState(sample, slot), ENG_MUSIC_SLOT_ONCE_RELEASED);
  EngMusicMusicTick();
  EXPECT_EQ(EngMusicMusicGetSlotState(sample, slot), ENG_MUSIC_SLOT_FREE);
  // Slot 1 was never released: a one-shot keeps its slot until then.
  EXPECT_EQ(EngMusicMusicGetSlotState(sample, 1), ENG_MUSIC_SLOT_ONCE);

  EXPECT_EQ(EngMusicMusicStopPlayingSampleSound(sample, -1, 0, 1), 0);
  EXPECT_EQ(EngMusicMusicStopPlayingSampleSound(sample, 64, 0, 1), 0);
  EXPECT_EQ(EngMusicMusicStopPlayingSampleSound(sample, slot, 0, 0), 1);  // free: nothing to do
}

TEST_F(EngMusicMusicTest, ALoopingVoiceStopsAtItsRelease) {
  StartOpenAL();
  int sample = SampleWithVoices(MusicTone(0.05), 0, 1);
  int slot = EngMusicMusicPlaySampleSound(sample, 60, 255);
  ASSERT_EQ(slot, 0);
  EXPECT_EQ(EngMusicMusicGetSlotState(sample, slot), ENG_MUSIC_SLOT_LOOP);
  // Past the sample's end it loops: its place comes back down, and it still plays.
  EngUInt32 last = 0;
  EXPECT_TRUE(qwtest::WaitUntil([&] {
    const EngUInt32 at = EngMusicSoundGetPlayPos(slot);
    const bool round = at < last;
    last = at;
    return round;
  })) << "never came round the sample's end";
  EXPECT_EQ(EngMusicSoundIsPlaying(slot), 1);
  EXPECT_EQ(EngMusicMusicStopPlayingSampleSound(sample, slot, 0, 0), 1);
  EXPECT_EQ(EngMusicMusicGetSlotState(sample, slot), ENG_MUSIC_SLOT_FREE);
  EXPECT_EQ(EngMusicSoundIsPlaying(slot), 0);
  // The slot plays again.
  EXPECT_EQ(EngMusicMusicPlaySampleSound(sample, 60, 255), 0);
  EXPECT_EQ(EngMusicSoundIsPlaying(slot), 1);
}

TEST_F(EngMusicMusicTest, ASustainedVoiceLoopsItsSectionAndPlaysItsTail) {
  StartOpenAL();
  const EngUInt32 loop_end = 8820;  // 0.1 s of mono 16-bit samples
  int sample = SampleWithVoices(MusicTone(0.3), 1, 2, 0, loop_end);
  ASSERT_EQ(EngMusicMusicPlaySampleSound(sample, 60, 255), 0);
  // The second slot's instance moves its play position too.
  int slot = EngMusicMusicPlaySampleSound(sample, 60, 255);
  ASSERT_EQ(slot, 1);
  int id = sample * ENG_MUSIC_SOUND_INSTANCES + slot;
  EXPECT_EQ(EngMusicMusicGetSlotState(sample, slot), ENG_MUSIC_SLOT_SUSTAIN);
  log.Clear();
  ASSERT_TRUE(qwtest::WaitUntil([&] { return EngMusicSoundGetPlayPos(id) >= loop_end; }))
      << "never reached the loop's end: at " << EngMusicSoundGetPlayPos(id);
  EngMusicMusicTick();
  EXPECT_LT(EngMusicSoundGetPlayPos(id), loop_end);
  EXPECT_EQ(EngMusicSoundIsPlaying(id), 1);
  EXPECT_NOT_LOGGED(log, "No buffer for sound");

  EXPECT_EQ(EngMusicMusicStopPlayingSampleSound(sample, slot, 0, 0), 1);
  EXPECT_EQ(EngMusicMusicGetSlotState(sample, slot), ENG_MUSIC_SLOT_TAIL);
  EXPECT_EQ(EngMusicSoundIsPlaying(id), 1);
  EXPECT_GE(EngMusicSoundGetPlayPos(id), loop_end);
  WaitWhilePlaying(id);
  EngMusicMusicTick();
  EXPECT_EQ(EngMusicMusicGetSlotState(sample, slot), ENG_MUSIC_SLOT_FREE);
  // Released at once, the first voice frees its slot straight away.
  EXPECT_EQ(EngMusicMusicStopPlayingSampleSound(sample, 0, 0, 1), 1);
  EXPECT_EQ(EngMusicMusicGetSlotState(sample, 0), ENG_MUSIC_SLOT_FREE);
}

TEST_F(EngMusicMusicTest, SampleLengthsComeFromTheirWavImages) {
  NewSong();
  int mono = AddSample(MusicTone(0.5), 2);
  int stereo = AddSample(qwsound::MakeWav(2, 22050, 2205), 2);
  int broken = AddSample("RIFF----WAVEjunk", 2);
  EXPECT_EQ(EngMusicMusicGetSampleLength(mono), 44100ul);
  EXPECT_FLOAT_EQ(EngMusicMusicGetSampleLengthInSeconds(mono), 1.0f);  // bytes over the rate
  EXPECT_EQ(EngMusicMusicGetSampleLength(stereo), 8820ul);
  EXPECT_FLOAT_EQ(EngMusicMusicGetSampleLengthInSeconds(stereo), 0.4f);
  EXPECT_EQ(EngMusicMusicGetSampleLength(broken), 0ul);
  EXPECT_EQ(EngMusicMusicGetSampleLength(9), 0ul);
  EXPECT_EQ(EngMusicMusicGetSampleLengthInSeconds(-1), 0.0f);
}

}  // namespace
