#include "Engine/EngMusic.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "Engine/EngMusicFile.h"
#include "Engine/EngMusicList.h"
#include "Engine/EngMusicSong.h"
#include "Engine/EngMusicSound.h"
#include "tests/Engine/MusicTestSupport.h"
#include "tests/Engine/WaveCapture.h"
#include "tests/support/TestSupport.h"

namespace {

class EngMusicTest : public MusicTestBase {
 protected:
  // A saved song of one note of middle C from 0 to 0.5 units, played once through.
  std::string SavedSong(double sample_seconds = 0.01) {
    NewSong();
    int sample = AddSample(MusicTone(sample_seconds, 0.8), 2);
    int pattern = AddPattern(sample);
    AddNote(pattern, 16, 0, 255, 0.0f, 0.5f);
    AddEntry(0, pattern, 0.0f);
    std::string path = dir.File("song.mus");
    EXPECT_EQ(EngMusicFileSaveSongAndSamplesToFile(path.c_str()), 1);
    EngMusicResetForTests();
    return path;
  }

  // Waits until the engine thread has handled every queued message.
  static void WaitForQueue() {
    ASSERT_TRUE(qwtest::WaitUntil([] { return EngMusicGetNumQueuedMessages() == 0; }))
        << EngMusicGetNumQueuedMessages() << " messages never handled";
  }
};

TEST_F(EngMusicTest, NothingWorksBeforeStartUp) {
  EXPECT_EQ(EngMusicIsInitialsed(), 0);
  EXPECT_EQ(EngMusicStartPlaying(), 0);
  EXPECT_EQ(EngMusicLoadSongAndSamplesFromFile("x"), 0);
  EXPECT_EQ(EngMusicIsSongLoaded(), 0);
  EXPECT_EQ(EngMusicGetPlayTime(), 0.0f);
  EngMusicSetMainVolume(0.5f);
  EngMusicSetPlayTime(1.0f);
  EngMusicStopPlaying();
  EngMusicTick();
  EXPECT_EQ(cm_main_vol, 1.0f);
}

TEST_F(EngMusicTest, UnthreadedTheCallsActAtOnce) {
  std::string song = SavedSong();
  ASSERT_EQ(EngMusicInitialise(0), 1);
  EXPECT_EQ(EngMusicIsThreaded(), 0);
  EXPECT_EQ(EngMusicIsSongLoaded(), 1);  // a new empty song
  ASSERT_EQ(EngMusicLoadSongAndSamplesFromFile(song.c_str()), 1) << log.All();
  EXPECT_EQ(em_song.IsSampleInUse(0), 1);
  SetClock(1000.0);
  EXPECT_EQ(EngMusicStartPlaying(), 1);
  EXPECT_EQ(EngMusicStartPlaying(), 0);
  EngMusicTick();
  EXPECT_EQ(EngMusicListIsNotePlaying(0, 0), 1);
  SetClock(1000.5);
  EngMusicTick();
  EXPECT_FLOAT_EQ(EngMusicGetPlayTime(), 0.25f);
  EngMusicSetPlayTime(0.4f);
  EXPECT_FLOAT_EQ(EngMusicGetPlayTime(), 0.4f);
  const float volumes[][2] = {{0.5f, 0.5f}, {2.0f, 1.0f}, {-1.0f, 0.0f}};
  for (const auto &v : volumes) {
    EngMusicSetMainVolume(v[0]);
    EXPECT_EQ(cm_main_vol, v[1]);
  }
  EngMusicStopPlaying();
  EXPECT_EQ(EngMusicListIsPlaying(), 0);
  EngMusicInitSong();
  EXPECT_EQ(em_song.GetNumSamples(), 0);
  EXPECT_EQ(cm_samples_datas[0], nullptr);

  log.Clear();
  ASSERT_EQ(EngMusicInitialise(0), 1);
  EXPECT_LOGGED(log, "Already Initialsed");
  EngMusicExit();
  EXPECT_EQ(EngMusicIsInitialsed(), 0);
}

TEST_F(EngMusicTest, TheThreadHandlesItsMessagesAndTheSongClock) {
  std::string song = SavedSong();
  EngMusicSetTickSleepAmounts(1, 1);
  SetClock(1000.0);
  ASSERT_EQ(EngMusicInitialise(1), 1);
  ASSERT_EQ(EngMusicIsThreaded(), 1);
  EXPECT_EQ(EngMusicLoadSongAndSamplesFromFile(""), 0);
  EXPECT_LOGGED(log, "Invalid Filename");
  EXPECT_EQ(EngMusicLoadSongAndSamplesFromFile(std::string(600, 'x').c_str()), 0);

  ASSERT_EQ(EngMusicLoadSongAndSamplesFromFile(song.c_str()), 1);
  EXPECT_EQ(EngMusicStartPlaying(), 1);
  EngMusicSetPlayTime(0.2f);
  EngMusicSetMainVolume(0.25f);
  WaitForQueue();
  EXPECT_EQ(EngMusicIsSongLoaded(), 1);
  EXPECT_NEAR(EngMusicGetPlayTime(), 0.2f, 0.001f);
  // The clock moves on the engine's thread as its owner advances it: 1 s is half a unit.
  SetClock(1000.6);
  float time = 0.0f;
  EXPECT_TRUE(qwtest::WaitUntil([&] { return (time = EngMusicGetPlayTime()) >= 0.45f; }));
  EXPECT_NEAR(time, 0.5f, 0.001f);
  EngMusicStopPlaying();
  EngMusicExit();
  EXPECT_EQ(EngMusicIsInitialsed(), 0);
  EXPECT_EQ(EngMusicIsThreaded(), 0);
  // The thread let go of what it held.
  EXPECT_EQ(cm_samples_datas[0], nullptr);
  EXPECT_EQ(EngMusicListGetNumNoteEvents(), 0);
}

TEST_F(EngMusicTest, AFullQueueDropsMessagesAndStillLetsTheThreadEnd) {
  // Once the first message is handled the thread pauses for ten minutes, far past any hang
  // limit: what is queued now waits.
  EngMusicSetTickSleepAmounts(600000, 600000);
  ASSERT_EQ(EngMusicInitialise(1), 1);
  ASSERT_TRUE(qwtest::WaitUntil([] { return EngMusicIsSongLoaded() != 0; })) << "the song never loaded";
  ASSERT_EQ(EngMusicGetNumQueuedMessages(), 0);

  // Volume changes in a row share one message, which carries the newest.
  EngMusicSetMainVolume(0.1f);
  EngMusicSetMainVolume(0.2f);
  EngMusicSetMainVolume(0.3f);
  EXPECT_EQ(EngMusicGetNumQueuedMessages(), 1);
  for (int i = 1; i < CMM_MAX_THREAD_MSGS; i++) {
    if (i % 2)
      EngMusicStartPlaying();
    else
      EngMusicStopPlaying();
  }
  EXPECT_EQ(EngMusicGetNumQueuedMessages(), 64);
  EXPECT_NOT_LOGGED(log, "too many messages");
  EXPECT_EQ(EngMusicStartPlaying(), 1);
  EXPECT_LOGGED(log, "too many messages");
  EXPECT_EQ(EngMusicGetNumQueuedMessages(), 64);
  EngMusicSetPlayTime(2.0f);
  EngMusicSetMainVolume(0.9f);
  if (log.Works()) {
    EXPECT_EQ(log.Count("too many messages"), 3) << log.All();
  }

  auto started = std::chrono::steady_clock::now();
  EngMusicExit();
  EXPECT_EQ(EngMusicIsInitialsed(), 0);
  // Ending wakes the thread rather than waiting out its pause.
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::duration<double>(qwtest::kHangSeconds));
  EXPECT_EQ(cm_main_vol, 1.0f);  // the queued volume was never applied
}

TEST_F(EngMusicTest, ANotePlayedByTheEngineReachesTheWaveOutput) {
  if (qwsound::OpenALStartedInThisProcess()) GTEST_SKIP() << "OpenAL was already started in this process";
  qwsound::NoteOpenALStarted();
  std::string out = dir.File("out.wav");
  qwsound::UseWaveOutput(dir.Path(), out);
  const double seconds = 0.2;
  std::string song = SavedSong(seconds);
  ASSERT_EQ(EngMusicInitialise(0, 1, ENG_SOUND_SYSTEM_OPENAL, 0, nullptr, 0), 1) << log.All();
  ASSERT_EQ(EngMusicLoadSongAndSamplesFromFile(song.c_str()), 1) << log.All();
  // Staff position 23 is the C an octave above middle C: the sample plays at twice its speed.
  EngMusicSetVarU8(em_song.GetVars(), EngMusicNoteAt(0, 0) + ENG_MUSIC_NOTE_STAFF, 23);
  SetClock(1000.0);
  ASSERT_EQ(EngMusicStartPlaying(), 1);
  EngMusicTick();
  ASSERT_EQ(EngMusicListIsNotePlaying(0, 0), 1);
  int id = EngMusicListGetNoteVoice(0, 0);
  ASSERT_EQ(id, 0);
  EXPECT_EQ(EngMusicSoundIsPlaying(id), 1);
  EXPECT_TRUE(qwtest::WaitUntil([&] { return EngMusicSoundIsPlaying(id) == 0; })) << "the note never ended";
  EngMusicExit();  // the engine started the sound system, so it shuts it, completing the file

  qwsound::WaveSpan span = qwsound::NonSilentSpan(qwtest::ReadWholeFile(out));
  ASSERT_GE(span.first, 0) << "the output is silent";
  const long frames = long(seconds * 44100.0 / 2.0);
  EXPECT_GT(span.Length(), frames * 95 / 100);
  EXPECT_LT(span.Length(), frames * 105 / 100);
}

}  // namespace
