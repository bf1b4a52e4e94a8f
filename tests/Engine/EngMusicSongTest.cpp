#include "Engine/EngMusicSong.h"

#include <gtest/gtest.h>

#include <cstring>

#include "Engine/EngMusicPatterns.h"
#include "tests/Engine/MusicTestSupport.h"

namespace {

class EngMusicSongTest : public MusicTestBase {};

TEST_F(EngMusicSongTest, ANewSongHasItsDefaults) {
  EXPECT_EQ(em_song.IsOk(nullptr), 0);
  EXPECT_EQ(em_song.IsOk("EngMusicSongTest"), 0);
  EXPECT_LOGGED(log, "No song.");
  EXPECT_EQ(em_song.GetVars(), nullptr);
  EXPECT_LOGGED(log, "No vars.");
  EXPECT_EQ(EngMusicPatternsInit(), 0);

  ASSERT_EQ(em_song.Init(), 1);
  const EngUInt8 *vars = em_song.GetVars();
  EXPECT_STREQ(reinterpret_cast<const char *>(vars + ENG_MUSIC_VAR_TITLE), "Untitled Song");
  EXPECT_STREQ(reinterpret_cast<const char *>(vars + ENG_MUSIC_VAR_AUTHOR), "Unknown Author");
  EXPECT_EQ(vars[ENG_MUSIC_VAR_TEXT3], 0);
  EXPECT_EQ(EngMusicVarI32(vars, ENG_MUSIC_VAR_KEY), 0);
  EXPECT_EQ(EngMusicVarI32(vars, ENG_MUSIC_VAR_TEMPO), 180);
  EXPECT_EQ(EngMusicVarU8(vars, ENG_MUSIC_VAR_NEW_SONG_BYTE), 255);
  EXPECT_EQ(em_song.GetNumSamples(), 0);
  EXPECT_EQ(em_song.GetNumPatterns(), 0);
  EXPECT_EQ(em_song.GetNumTracks(), 0);
  for (int p = 0; p < ENG_MUSIC_MAX_PATTERNS; p++) {
    EXPECT_EQ(EngMusicVarI32(vars, EngMusicPatternAt(p) + ENG_MUSIC_PATTERN_SAMPLE), -1);
    EXPECT_EQ(EngMusicVarU8(vars, EngMusicPatternAt(p) + ENG_MUSIC_PATTERN_VOLUME), 128);
  }
  em_song.SetSongKey(6);
  EXPECT_EQ(EngMusicVarI32(vars, ENG_MUSIC_VAR_KEY), 6);
}

TEST_F(EngMusicSongTest, FieldsAreLittleEndianAtTheirOffsets) {
  ASSERT_EQ(em_song.Init(), 1);
  EngUInt8 *vars = em_song.GetVars();
  EngMusicSetVarI32(vars, ENG_MUSIC_VAR_REPEAT_START, -2);
  EngMusicSetVarFloat(vars, EngMusicEntryAt(31, 511) + ENG_MUSIC_ENTRY_START, 1.0f);
  const EngUInt8 minus_two[4] = {0xfe, 0xff, 0xff, 0xff};
  EXPECT_EQ(memcmp(vars + 516, minus_two, 4), 0);
  // The last entry of the last track ends the block; 1.0f is 0x3f800000.
  const EngUInt8 one[4] = {0x00, 0x00, 0x80, 0x3f};
  EXPECT_EQ(memcmp(vars + ENG_MUSIC_SONG_VARS_SIZE - 8, one, 4), 0);
  EXPECT_EQ(EngMusicNoteAt(63, 511) + ENG_MUSIC_NOTE_SIZE, size_t(ENG_MUSIC_VAR_NUM_TRACKS));
}

TEST_F(EngMusicSongTest, SamplesAreAddedUpToSixtyFour) {
  EXPECT_EQ(EngMusicSamplesCreateNewEmptySample(), 0);
  ASSERT_EQ(em_song.Init(), 1);
  EngUInt8 *vars = em_song.GetVars();
  memset(vars + EngMusicSampleAt(0), 0xaa, ENG_MUSIC_SAMPLE_SIZE);
  for (int i = 0; i < ENG_MUSIC_MAX_SAMPLES; i++) ASSERT_EQ(EngMusicSamplesCreateNewEmptySample(), 1) << i;
  EXPECT_EQ(EngMusicSamplesCreateNewEmptySample(), 0);
  EXPECT_EQ(em_song.GetNumSamples(), 64);
  for (int b = 0; b < ENG_MUSIC_SAMPLE_SIZE; b++) EXPECT_EQ(vars[EngMusicSampleAt(0) + size_t(b)], 0);
  EXPECT_EQ(em_song.IsSampleInUse(0), 0);
}

TEST_F(EngMusicSongTest, EntriesAndNotesSortByStartTimeKeepingTheirBytes) {
  ASSERT_EQ(em_song.Init(), 1);
  int pattern = AddPattern(-1);
  const float starts[] = {3.0f, 1.0f, 2.0f, 1.0f};
  for (int i = 0; i < 4; i++) {
    AddEntry(0, i, starts[i], EngUInt8(10 + i));
    AddNote(pattern, i, 0, EngUInt8(100 + i), starts[i], starts[i] + 0.5f);
  }
  EngUInt8 *vars = em_song.GetVars();
  vars[EngMusicEntryAt(0, 0) + 9] = 0x5a;  // a byte the engine does not read travels along
  em_song.SortPatternsInPatternLists();
  EngMusicPatternsSortNotesInPatterns(pattern);
  const int order[] = {1, 3, 2, 0};  // equal times keep their order
  for (int i = 0; i < 4; i++) {
    EXPECT_EQ(EngMusicVarI32(vars, EngMusicEntryAt(0, i) + ENG_MUSIC_ENTRY_PATTERN), order[i]);
    EXPECT_EQ(EngMusicVarU8(vars, EngMusicEntryAt(0, i) + ENG_MUSIC_ENTRY_TRANSPOSE), 10 + order[i]);
    EXPECT_EQ(EngMusicVarU8(vars, EngMusicNoteAt(pattern, i) + ENG_MUSIC_NOTE_VOLUME), 100 + order[i]);
  }
  EXPECT_EQ(vars[EngMusicEntryAt(0, 3) + 9], 0x5a);
}

TEST_F(EngMusicSongTest, ReadingVarsNeedsAFile) {
  EXPECT_EQ(em_song.ReadVarsFromFile(nullptr), 0);
  EXPECT_LOGGED(log, "No file");
}

}  // namespace
