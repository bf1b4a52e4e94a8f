#include "Engine/EngMusicPatterns.h"

#include <gtest/gtest.h>

#include "Engine/EngMusicSong.h"
#include "tests/Engine/MusicTestSupport.h"

namespace {

class EngMusicPatternsTest : public MusicTestBase {};

TEST_F(EngMusicPatternsTest, WrittenNotesBecomeNoteNumbersUnderTheKey) {
  EXPECT_EQ(EngMusicPatternsConvertOctaveNoteToMusicNote(21, 0, 0), -1);  // no song
  NewSong();
  // Staff positions: 0 is A (33), 2 C (36), 5 F (41), 1 B (35), 16 middle C (60), 21 A (69).
  struct Case {
    int key, staff, accidental, transposition, note;
  };
  const Case cases[] = {
      {0, 21, 0, 0, 69},  {0, 16, 0, 0, 60},  {0, 16, 0, 5, 69},  {0, 0, 0, 0, 33},  {0, 31, 0, 0, 86},
      {0, 30, 0, 3, -1},  {0, -1, 0, 0, -1},  {0, 28, 0, 4, -1},  {0, 5, 1, 0, 42},  {0, 5, 2, 0, 41},
      {0, 1, 2, 0, 34},   {0, 2, 2, 0, 36},   {0, 1, 1, 0, 35},   {0, 5, 3, 0, 41},  {0, 5, 7, 0, 41},
      {1, 5, 0, 0, 42},   {1, 5, 3, 0, 41},   {1, 5, 1, 0, 42},   {1, 1, 1, 0, 35},  {1, 5, 2, 0, 42},
      {1, 2, 0, 0, 36},   {2, 2, 0, 0, 37},   {4, 3, 0, 0, 39},   {3, 6, 0, 0, 44},  {5, 1, 0, 0, 34},
      {5, 1, 3, 0, 35},   {5, 1, 1, 0, 34},   {5, 1, 2, 0, 34},   {6, 4, 0, 0, 39},  {8, 3, 0, 0, 37},
      {7, 0, 1, 0, 34},   {9, 5, 0, 0, 41},   {-1, 5, 0, 0, 41},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.key << " staff " << c.staff << " accidental " << c.accidental
                                    << " transposition " << c.transposition);
    em_song.SetSongKey(c.key);
    EXPECT_EQ(EngMusicPatternsConvertOctaveNoteToMusicNote(c.staff, char(c.accidental), c.transposition), c.note);
  }
}

TEST_F(EngMusicPatternsTest, APatternPlaysOnlyASampleThatIsInUse) {
  EXPECT_EQ(EngMusicPatternsGetSample(0), -1);
  NewSong();
  int used = AddSample(MusicTone(0.01), 2);
  int unused = AddSample(MusicTone(0.01), 2);
  EngMusicSetVarU8(em_song.GetVars(), EngMusicSampleAt(unused) + ENG_MUSIC_SAMPLE_IN_USE, 0);
  const int patterns[] = {AddPattern(used), AddPattern(unused), AddPattern(7), AddPattern(-1)};
  EXPECT_EQ(EngMusicPatternsGetSample(patterns[0]), used);
  EXPECT_EQ(EngMusicPatternsGetSample(patterns[1]), -1);
  EXPECT_EQ(EngMusicPatternsGetSample(patterns[2]), -1);
  EXPECT_EQ(EngMusicPatternsGetSample(patterns[3]), -1);
  EXPECT_EQ(EngMusicPatternsGetSample(4), -1);  // past the count
}

}  // namespace
