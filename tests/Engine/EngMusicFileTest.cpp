#include "Engine/EngMusicFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

#include <sys/stat.h>

#include "Engine/EngMusic.h"
#include "Engine/EngMusicSong.h"
#include "tests/Engine/MusicTestSupport.h"

namespace {

const size_t kBlockAt = 4;
const size_t kChunksAt = kBlockAt + ENG_MUSIC_SONG_VARS_SIZE;

class EngMusicFileTest : public MusicTestBase {
 protected:
  // A song of two samples, a pattern and a track, with bytes in every part the engine does not
  // read.
  void MakeSong() {
    NewSong();
    EngUInt8 *vars = em_song.GetVars();
    strcpy(reinterpret_cast<char *>(vars + ENG_MUSIC_VAR_TITLE), "Round Trip");
    vars[513] = 1;
    vars[600] = 2;
    vars[777] = 3;
    EngMusicSetVarI32(vars, ENG_MUSIC_VAR_KEY, 3);
    EngMusicSetVarI32(vars, ENG_MUSIC_VAR_REPEAT_START, 4);
    AddSample(MusicTone(0.01), 2);
    AddSample(qwsound::MakeWav(2, 22050, 100), 1, 8, 200);
    vars[EngMusicSampleAt(1) + 40] = 4;
    int pattern = AddPattern(1, 200);
    vars[EngMusicPatternAt(pattern) + 10] = 5;
    AddNote(pattern, 16, 1, 90, 0.0f, 0.5f);
    vars[EngMusicNoteAt(pattern, 0) + 3] = 6;
    AddEntry(0, pattern, 1.0f, 2);
    vars[EngMusicEntryAt(0, 0) + 10] = 7;
    // Patterns past the count keep whatever they hold.
    vars[EngMusicPatternAt(40) + ENG_MUSIC_PATTERN_NUM_NOTES] = 0xff;
  }

  std::string SaveToString(const std::string &name) {
    std::string path = dir.File(name);
    EXPECT_EQ(EngMusicFileSaveSongAndSamplesToFile(path.c_str()), 1) << log.All();
    return qwtest::ReadWholeFile(path);
  }

  void ExpectNewEmptySong() {
    ASSERT_EQ(em_song.IsOk(nullptr), 1);
    EXPECT_STREQ(reinterpret_cast<const char *>(em_song.GetVars()), "Untitled Song");
    EXPECT_EQ(em_song.GetNumSamples(), 0);
    EXPECT_EQ(em_song.GetNumPatterns(), 0);
    EXPECT_EQ(em_song.GetNumTracks(), 0);
    for (int i = 0; i < ENG_MUSIC_MAX_SAMPLES; i++) EXPECT_EQ(cm_samples_datas[i], nullptr) << i;
  }
};

void PutI32(std::string &bytes, size_t at, int32_t value) {
  for (int i = 0; i < 4; i++) bytes[at + size_t(i)] = char(uint32_t(value) >> (8 * i));
}

uint32_t GetU32(const std::string &bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 0; i < 4; i++) value |= uint32_t(uint8_t(bytes[at + size_t(i)])) << (8 * i);
  return value;
}

TEST_F(EngMusicFileTest, ASavedSongLoadsAndSavesBackByteForByte) {
  MakeSong();
  const EngUInt32 size0 = cm_samples_data_sizes[0], size1 = cm_samples_data_sizes[1];
  std::string first = SaveToString("song.mus");
  ASSERT_EQ(first.size(), kChunksAt + 8 + size0 + 8 + size1);
  EXPECT_EQ(GetU32(first, 0), 0x3f800000u);  // 1.0f
  EXPECT_EQ(GetU32(first, kChunksAt), 0u);
  EXPECT_EQ(GetU32(first, kChunksAt + 4), size0);
  EXPECT_EQ(GetU32(first, kChunksAt + 8 + size0), 1u);
  EXPECT_FALSE(qwtest::FileExists(dir.File("song.mus.tmp")));

  EngMusicResetForTests();
  ASSERT_EQ(EngMusicFileLoadSongAndSamplesFromFile(dir.File("song.mus").c_str()), 1) << log.All();
  EXPECT_STREQ(reinterpret_cast<const char *>(em_song.GetVars()), "Round Trip");
  EXPECT_EQ(cm_samples_data_sizes[1], size1);
  std::string second = SaveToString("again.mus");
  EXPECT_TRUE(first == second) << "the song changed on its way through a load";
}

TEST_F(EngMusicFileTest, ABlockWithoutSamplesLoads) {
  NewSong();
  std::string bytes = SaveToString("plain.mus");
  ASSERT_EQ(bytes.size(), 600988u);
  EngMusicResetForTests();
  EXPECT_EQ(EngMusicFileLoadSongAndSamplesFromFile(dir.File("plain.mus").c_str()), 1) << log.All();
  EXPECT_EQ(em_song.IsOk(nullptr), 1);
}

TEST_F(EngMusicFileTest, AnotherVersionChangesNothing) {
  MakeSong();
  std::string bytes = SaveToString("song.mus");
  PutI32(bytes, 0, 0x3fc00000);  // 1.5f
  std::string path = Write("new.mus", bytes);
  EXPECT_EQ(EngMusicFileLoadSongAndSamplesFromFile(path.c_str()), 0);
  EXPECT_LOGGED(log, "Unsupported version 1.50 (not 1.00) in file");
  EXPECT_STREQ(reinterpret_cast<const char *>(em_song.GetVars()), "Round Trip");
  EXPECT_NE(cm_samples_datas[1], nullptr);
}

TEST_F(EngMusicFileTest, MalformedFilesFailAndLeaveANewEmptySong) {
  MakeSong();
  const std::string good = SaveToString("good.mus");
  const EngUInt32 size0 = cm_samples_data_sizes[0];
  const size_t second_chunk = kChunksAt + 8 + size0;
  auto field = [](size_t at) { return kBlockAt + at; };
  struct Case {
    const char *name;
    std::function<void(std::string &)> change;
  };
  const Case cases[] = {
      {"block cut short", [](std::string &b) { b.resize(1000); }},
      {"version only", [](std::string &b) { b.resize(4); }},
      {"65 samples", [&](std::string &b) { PutI32(b, field(ENG_MUSIC_VAR_NUM_SAMPLES), 65); }},
      {"-1 samples", [&](std::string &b) { PutI32(b, field(ENG_MUSIC_VAR_NUM_SAMPLES), -1); }},
      {"65 patterns", [&](std::string &b) { PutI32(b, field(ENG_MUSIC_VAR_NUM_PATTERNS), 65); }},
      {"33 tracks", [&](std::string &b) { PutI32(b, field(ENG_MUSIC_VAR_NUM_TRACKS), 33); }},
      {"513 notes",
       [&](std::string &b) { PutI32(b, field(EngMusicPatternAt(0) + ENG_MUSIC_PATTERN_NUM_NOTES), 513); }},
      {"-5 entries",
       [&](std::string &b) { PutI32(b, field(EngMusicTrackAt(0) + ENG_MUSIC_TRACK_NUM_ENTRIES), -5); }},
      {"chunk of sample 5 of 2", [&](std::string &b) { PutI32(b, kChunksAt, 5); }},
      {"chunk of sample -1", [&](std::string &b) { PutI32(b, kChunksAt, -1); }},
      {"chunk of a sample not in use",
       [&](std::string &b) { b[field(EngMusicSampleAt(0) + ENG_MUSIC_SAMPLE_IN_USE)] = 0; }},
      {"sample stored twice", [&](std::string &b) { PutI32(b, second_chunk, 0); }},
      {"chunk size 0", [&](std::string &b) { PutI32(b, kChunksAt + 4, 0); }},
      {"chunk past the end", [&](std::string &b) { PutI32(b, second_chunk + 4, int32_t(b.size())); }},
      {"chunk size huge", [&](std::string &b) { PutI32(b, kChunksAt + 4, -1); }},
      {"chunk header cut", [](std::string &b) { b += std::string("\0\0\0\0", 4); }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    MakeSong();
    std::string bytes = good;
    c.change(bytes);
    std::string path = Write("bad.mus", bytes);
    log.Clear();
    EXPECT_EQ(EngMusicFileLoadSongAndSamplesFromFile(path.c_str()), 0);
    EXPECT_LOGGED(log, "Error loading file");
    ExpectNewEmptySong();
  }
  // The untouched file loads, so each failure above is its change's.
  std::string path = Write("good.mus", good);
  EXPECT_EQ(EngMusicFileLoadSongAndSamplesFromFile(path.c_str()), 1) << log.All();
}

TEST_F(EngMusicFileTest, ASampleWithoutDataIsSwitchedOffOnLoad) {
  NewSong();
  for (int i = 0; i < 4; i++) AddSample(MusicTone(0.01), 2);
  free(cm_samples_datas[3]);
  cm_samples_datas[3] = nullptr;
  cm_samples_data_sizes[3] = 0;
  std::string bytes = SaveToString("song.mus");
  EXPECT_EQ(bytes.size(), kChunksAt + 3 * (8 + cm_samples_data_sizes[0]));
  EngMusicResetForTests();
  ASSERT_EQ(EngMusicFileLoadSongAndSamplesFromFile(dir.File("song.mus").c_str()), 1) << log.All();
  EXPECT_LOGGED(log, "Sample 3 not found in song file");
  EXPECT_EQ(em_song.IsSampleInUse(3), 0);
  EXPECT_EQ(em_song.IsSampleInUse(2), 1);
}

TEST_F(EngMusicFileTest, MissingNamesFilesAndSongsAreReported) {
  std::string empty = Write("empty.mus", "");
  std::string missing = dir.File("missing.mus");
  struct Case {
    const char *file;
    std::string logged;
  };
  const Case cases[] = {
      {nullptr, "No filename passed in"},
      {"", "No filename passed in"},
      {missing.c_str(), "File does not exist: <" + missing + ">"},
      {empty.c_str(), "File is empty: <" + empty + ">"},
  };
  for (const Case &c : cases) {
    log.Clear();
    EXPECT_EQ(EngMusicFileLoadSongAndSamplesFromFile(c.file), 0);
    EXPECT_LOGGED(log, c.logged);
  }
  EXPECT_EQ(em_song.IsOk(nullptr), 0);

  EXPECT_EQ(EngMusicFileSaveSongAndSamplesToFile(dir.File("x.mus").c_str()), 0);
  EXPECT_LOGGED(log, "No song.");
  NewSong();
  EXPECT_EQ(EngMusicFileSaveSongAndSamplesToFile(""), 0);
  EXPECT_LOGGED(log, "No filename passed in");
  std::string nowhere = dir.File("no/such/folder/x.mus");
  EXPECT_EQ(EngMusicFileSaveSongAndSamplesToFile(nowhere.c_str()), 0);
  EXPECT_LOGGED(log, "Could not open file for writing <" + nowhere + ">");
}

// The song is saved whole over whatever stands at its temporary name, at once and never through
// a link; a folder there fails the save and keeps the old file, as does a folder at the name.
TEST_F(EngMusicFileTest, WhatStandsAtTheTemporaryNameIsReplacedOrRefusedAtOnce) {
  MakeSong();
  const std::string song = SaveToString("first.mus");
  const std::string path = dir.File("song.mus");
  for (qwtest::NotAFile kind : qwtest::kNotAFileKindsForWriting) {
    SCOPED_TRACE(qwtest::NotAFileName(kind));
    qwtest::WriteWholeFile(path, "old");
    qwtest::MakeNotAFile(kind, path + ".tmp");
    log.Clear();
    char saved = 0;
    EXPECT_TRUE(qwtest::RunsWithoutWaitingOnPipe(path + ".tmp",
                                              [&] { saved = EngMusicFileSaveSongAndSamplesToFile(path.c_str()); }));
    if (kind == qwtest::NotAFile::kFolder) {
      EXPECT_EQ(saved, 0);
      EXPECT_LOGGED(log, "Could not open file for writing <" + path + ">");
      EXPECT_EQ(qwtest::ReadWholeFile(path), "old");
    } else {
      EXPECT_EQ(saved, 1) << log.All();
      EXPECT_TRUE(qwtest::ReadWholeFile(path) == song) << "not the song";
    }
    if (kind == qwtest::NotAFile::kLinkToOutsideFile) {
      EXPECT_EQ(qwtest::ReadWholeFile(qwtest::OutsideFile()), qwtest::kOutsideBytes);
    }
  }
  const std::string folder = dir.File("folder.mus");
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  qwtest::WriteWholeFile(folder + "/inside", "x");
  log.Clear();
  EXPECT_EQ(EngMusicFileSaveSongAndSamplesToFile(folder.c_str()), 0);
  EXPECT_LOGGED(log, "Error saving file");
  EXPECT_FALSE(qwtest::FileExists(folder + ".tmp"));
}

}  // namespace
