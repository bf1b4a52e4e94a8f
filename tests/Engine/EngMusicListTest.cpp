#include "Engine/EngMusicList.h"

#include <gtest/gtest.h>

#include "Engine/EngMusicMusic.h"
#include "Engine/EngMusicSong.h"
#include "tests/Engine/MusicTestSupport.h"

namespace {

const double kStart = 1000.0;  // the engine clock when the song starts, in seconds

// Runs without a sound device: voice slots are kept all the same, which is what these check.
class EngMusicListTest : public MusicTestBase {
 protected:
  // Two notes of middle C: 0 to 0.5 and 1.0 to 1.5 song units (the default tempo makes a unit
  // two seconds).
  int TwoNoteSong(int repeat_mode, int repeat_start = 0) {
    NewSong();
    EngUInt8 *vars = em_song.GetVars();
    EngMusicSetVarU8(vars, ENG_MUSIC_VAR_REPEAT_MODE, EngUInt8(repeat_mode));
    EngMusicSetVarI32(vars, ENG_MUSIC_VAR_REPEAT_START, repeat_start);
    int sample = AddSample(MusicTone(0.01), 2);
    int pattern = AddPattern(sample);
    AddNote(pattern, 16, 0, 255, 0.0f, 0.5f);
    AddNote(pattern, 16, 0, 255, 1.0f, 1.5f);
    AddEntry(0, pattern, 0.0f);
    Prepare();
    return pattern;
  }

  // Ticks the voices and the song clock, as the engine does, at the given seconds after the start.
  static void TickAt(double seconds) {
    SetClock(kStart + seconds);
    EngMusicMusicTick();
    EngMusicListTick();
  }
};

TEST_F(EngMusicListTest, EveryNoteBecomesTwoEventsSortedByTime) {
  EXPECT_EQ(EngMusicListGenerate(), 0);  // no song
  NewSong();
  EXPECT_EQ(EngMusicListGenerate(), 0);  // no notes
  int sample = AddSample(MusicTone(0.01), 2);
  int quiet = AddPattern(sample, 100);
  AddNote(quiet, 3, 0, 200, 0.5f, 2.0f);
  AddNote(quiet, 4, 0, 255, 0.0f, 1.0f);
  int empty = AddPattern(sample);
  AddEntry(0, quiet, 1.0f, 2);
  AddEntry(0, empty, 0.0f);
  AddEntry(0, 9, 0.0f);  // no such pattern
  AddEntry(1, quiet, 0.0f);
  ASSERT_EQ(EngMusicListGenerate(), 1);
  struct Expected {
    float time;
    int on, note, transpose, volume;
  };
  // At equal times a release comes before a start; otherwise the tracks keep their order.
  const Expected expected[] = {
      {0.0f, 1, 1, 0, 100}, {0.5f, 1, 0, 0, 78},  {1.0f, 0, 1, 0, 100}, {1.0f, 1, 1, 2, 100},
      {1.5f, 1, 0, 2, 78},  {2.0f, 0, 1, 2, 100}, {2.0f, 0, 0, 0, 78},  {3.0f, 0, 0, 2, 78},
  };
  ASSERT_EQ(EngMusicListGetNumNoteEvents(), 8);
  for (int i = 0; i < 8; i++) {
    SCOPED_TRACE(i);
    const _EngMusicNoteEvent *event = EngMusicListGetNoteEvent(i);
    EXPECT_FLOAT_EQ(event->time, expected[i].time);
    EXPECT_EQ(event->on, expected[i].on);
    EXPECT_EQ(event->pattern, quiet);
    EXPECT_EQ(event->note, expected[i].note);
    EXPECT_EQ(event->transpose, expected[i].transpose);
    EXPECT_EQ(event->volume, expected[i].volume);
  }
  EXPECT_EQ(EngMusicListGetNoteEvent(8), nullptr);
}

TEST_F(EngMusicListTest, TheClockStartsAndReleasesNotesAndStopsAtTheEnd) {
  int pattern = TwoNoteSong(0);
  SetClock(kStart);
  ASSERT_EQ(EngMusicListStartPlaying(), 1);
  EXPECT_EQ(EngMusicListStartPlaying(), 0);
  struct Step {
    double seconds;
    bool first, second, playing;
  };
  const Step steps[] = {
      {0.0, true, false, true},  {0.5, true, false, true},   {1.0, false, false, true},
      {1.9, false, false, true}, {2.0, false, true, true},   {3.0, false, false, false},
  };
  for (const Step &s : steps) {
    SCOPED_TRACE(s.seconds);
    TickAt(s.seconds);
    EXPECT_EQ(EngMusicListIsNotePlaying(pattern, 0), s.first ? 1 : 0);
    EXPECT_EQ(EngMusicListIsNotePlaying(pattern, 1), s.second ? 1 : 0);
    // One voice is enough for notes apart: each finds the slot free again.
    if (s.first || s.second) {
      EXPECT_EQ(EngMusicListGetNoteVoice(pattern, s.first ? 0 : 1), 0);
    }
    EXPECT_EQ(EngMusicListIsPlaying(), s.playing ? 1 : 0);
  }
  // The last note was released gently; its slot frees on the next voice tick.
  EXPECT_EQ(EngMusicMusicGetSlotState(0, 0), ENG_MUSIC_SLOT_ONCE_RELEASED);
  EngMusicMusicTick();
  EXPECT_EQ(EngMusicMusicGetSlotState(0, 0), ENG_MUSIC_SLOT_FREE);
}

TEST_F(EngMusicListTest, RepeatModesPlayOnceForEverOrTwice) {
  struct Case {
    int mode;
    int repeat_start;
    bool playing_after_first;  // just after the first pass
    bool second_at_once;  // the second note sounds as the repetition begins
    bool playing_after_second;
    int repeats;
  };
  const Case cases[] = {
      {0, 0, false, false, false, 0},
      {1, 0, true, false, true, 0},
      {2, 1, true, true, false, 1},
      {2, 0, true, false, false, 1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " from " << c.repeat_start);
    int pattern = TwoNoteSong(c.mode, c.repeat_start);
    SetClock(kStart);
    ASSERT_EQ(EngMusicListStartPlaying(), 1);
    TickAt(0.0);
    TickAt(2.0);
    TickAt(3.0);  // the end: stop or start over
    EXPECT_EQ(EngMusicListIsPlaying(), c.playing_after_first ? 1 : 0);
    if (!c.playing_after_first) continue;
    EXPECT_EQ(EngMusicListIsNotePlaying(pattern, 1), c.second_at_once ? 1 : 0);
    EXPECT_FLOAT_EQ(EngMusicListGetPlayTime(), float(c.repeat_start));
    // The second pass from the repeat start, to its end.
    double end = 3.0 + (1.5 - c.repeat_start) * 2.0;
    TickAt(3.0 + (1.0 - c.repeat_start) * 2.0);
    EXPECT_EQ(EngMusicListIsNotePlaying(pattern, 1), 1);
    TickAt(end);
    EXPECT_EQ(EngMusicListIsPlaying(), c.playing_after_second ? 1 : 0);
    EXPECT_EQ(EngMusicListGetNumRepeats(), c.repeats);
  }
}

TEST_F(EngMusicListTest, SpeedScalesTheClockAndPlayTimeJumps) {
  int pattern = TwoNoteSong(0);
  EngMusicListSetPlaySpeedMult(0.0f);
  EXPECT_FLOAT_EQ(EngMusicListGetPlaySpeedMult(), 0.0001f);
  EngMusicListSetPlaySpeedMult(2.0f);
  SetClock(kStart);
  ASSERT_EQ(EngMusicListStartPlaying(), 1);
  TickAt(0.0);
  TickAt(0.99);
  EXPECT_EQ(EngMusicListIsNotePlaying(pattern, 1), 0);
  TickAt(1.0);  // unit 1.0 after one second at double speed
  EXPECT_EQ(EngMusicListIsNotePlaying(pattern, 1), 1);
  EXPECT_FLOAT_EQ(EngMusicListGetPlayTime(), 1.0f);

  EngMusicListSetPlaySpeedMult(1.0f);
  EngMusicListStopPlaying();
  SetClock(kStart);
  ASSERT_EQ(EngMusicListStartPlaying(), 1);
  TickAt(0.0);
  EXPECT_EQ(EngMusicListIsNotePlaying(pattern, 0), 1);
  // A jump past the first note's release and onto the second's start: the first is not
  // started late and the second starts at once.
  EngMusicListStopPlaying();
  ASSERT_EQ(EngMusicListStartPlaying(), 1);
  SetClock(kStart);
  EngMusicListSetPlayTime(1.0f);
  EXPECT_FLOAT_EQ(EngMusicListGetPlayTime(), 1.0f);
  EXPECT_EQ(EngMusicListIsNotePlaying(pattern, 0), 0);
  EXPECT_EQ(EngMusicListIsNotePlaying(pattern, 1), 1);
  TickAt(0.5);
  EXPECT_FLOAT_EQ(EngMusicListGetPlayTime(), 1.25f);
  EngMusicListSetPlayTime(0.0f);
  EXPECT_FLOAT_EQ(EngMusicListGetPlayTime(), 0.0f);
}

TEST_F(EngMusicListTest, EventsOfNotesTheSongNoLongerHasAreSkipped) {
  int pattern = TwoNoteSong(0);
  EngMusicSetVarI32(em_song.GetVars(), EngMusicPatternAt(pattern) + ENG_MUSIC_PATTERN_NUM_NOTES, 1);
  SetClock(kStart);
  ASSERT_EQ(EngMusicListStartPlaying(), 1);
  TickAt(0.0);
  TickAt(2.0);
  EXPECT_EQ(EngMusicListIsNotePlaying(pattern, 1), 0);
  EXPECT_EQ(EngMusicListGetNoteVoice(pattern, 1), -1);
  TickAt(3.0);
  EXPECT_EQ(EngMusicListIsPlaying(), 0);
}

TEST_F(EngMusicListTest, TheBudgetCountsNotesThatRingOnAfterTheirRelease) {
  struct Case {
    const char *name;
    double sample_seconds;
    int notes;  // notes one unit long, one unit apart
    int overlap;  // of them also at the same time
    int budget;
  };
  const Case cases[] = {
      {"short sample, notes apart", 0.0001, 3, 1, 1},
      {"long sample rings into the next note", 1.0, 3, 1, 2},
      {"three together", 0.0001, 1, 3, 3},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    NewSong();
    int sample = AddSample(MusicTone(c.sample_seconds), 2);
    int pattern = AddPattern(sample);
    for (int i = 0; i < c.notes; i++) AddNote(pattern, 16, 0, 255, 2.0f * float(i), 2.0f * float(i) + 1.0f);
    for (int i = 1; i < c.overlap; i++) AddNote(pattern, 16, 0, 255, 0.0f, 1.0f);
    AddEntry(0, pattern, 0.0f);
    Prepare();
    EXPECT_EQ(EngMusicListGetMaxSoundsPerSample(sample), c.budget);
    // The written release times are back.
    const _EngMusicNoteEvent *last = EngMusicListGetNoteEvent(EngMusicListGetNumNoteEvents() - 1);
    EXPECT_FLOAT_EQ(last->time, 2.0f * float(c.notes - 1) + 1.0f);
  }
  EngMusicListUseMaxSoundsPerSample(1);
  EngMusicListUpdateSoundsPerSampleVar();
  EXPECT_EQ(EngMusicListGetMaxSoundsPerSample(0), 64);
  EXPECT_EQ(EngMusicListGetMaxSoundsPerSample(63), 64);
  EXPECT_EQ(EngMusicListGetMaxSoundsPerSample(64), 0);
}

}  // namespace
