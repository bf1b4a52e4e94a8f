#include "Engine/EngOggStreamAL.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include <AL/al.h>

#include "Engine/EngSound.h"
#include "Engine/EngSoundAL.h"
#include "tests/Engine/SoundTestBase.h"
#include "tests/Engine/WaveCapture.h"

namespace {

const int kRate = 44100;

class EngOggStreamALTest : public SoundTestBase {};

// Reaches the stream's source to watch its queue.
class ProbedPlayer : public EngSound_AL_Ogg {
 public:
  ProbedPlayer() : EngSound_AL_Ogg(nullptr, 0, 0) {}
  int Queued() {
    ALint queued = 0;
    alGetSourcei(m_source, AL_BUFFERS_QUEUED, &queued);
    return queued;
  }
};

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Ticks every few milliseconds until the stream has ended, and returns the tick count.
int TickToTheEnd(EngSound_AL_Ogg &player) {
  int ticks = 0;
  EXPECT_TRUE(qwtest::WaitUntil([&] {
    if (!player.Tick()) return true;
    ticks++;
    return false;
  })) << "the stream never ended";
  return ticks;
}

// Waits until the source has played what it had queued.
void WaitUntilDry(EngSound_AL_Ogg &player) {
  EXPECT_TRUE(qwtest::WaitUntil([&] { return !player.playing(); })) << "the source never ran dry";
}

TEST_F(EngOggStreamALTest, NothingLoadsBeforeOpenALStarts) {
  std::string file = Write("music.ogg", qwsound::MakeOgg(2, kRate, 4410));
  EngSound_AL_Ogg player(nullptr, 0, 0);
  EXPECT_EQ(player.LoadSoundFromFile(file.c_str(), 0), 0);
  EXPECT_LOGGED(log, "Al not setup");
  EXPECT_EQ(player.IsLoaded(), 0);
  EXPECT_EQ(player.Play(), 0);
  EXPECT_EQ(player.Tick(), 0);
  EXPECT_EQ(player.Stop(), 0);
}

TEST_F(EngOggStreamALTest, LoadFailuresAreLoggedAndLeaveThePlayerEmpty) {
  StartOpenAL();
  std::string text = Write("text.ogg", "this is not an Ogg Vorbis file, only some text\n");
  std::string missing = dir.File("missing.ogg");
  struct Case {
    const char *name;
    const char *file;
    std::string logged;
  };
  const Case cases[] = {
      {"null name", nullptr, "No filename"},
      {"empty name", "", "No filename"},
      {"missing file", missing.c_str(), "Error: <Could not open Ogg file.>  Filename: <" + missing + ">"},
      {"not vorbis", text.c_str(), "Error: <Could not open Ogg stream. Not Vorbis data.>  Filename: <" + text + ">"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    log.Clear();
    EngSound_AL_Ogg player(nullptr, 0, 0);
    EXPECT_EQ(player.LoadSoundFromFile(c.file, 0), 0);
    EXPECT_LOGGED(log, c.logged);
    EXPECT_EQ(player.IsLoaded(), 0);
    EXPECT_EQ(player.Play(), 0);
    EXPECT_LOGGED(log, "No sound loaded");
  }
  // Loading over a good stream that fails leaves nothing loaded either.
  std::string good = Write("good.ogg", qwsound::MakeOgg(2, kRate, 4410 * 3));
  EngSound_AL_Ogg player(good.c_str(), 0, 0);
  ASSERT_EQ(player.IsLoaded(), 1);
  EXPECT_EQ(player.LoadSoundFromFile(text.c_str(), 0), 0);
  EXPECT_EQ(player.IsLoaded(), 0);
}

TEST_F(EngOggStreamALTest, AStreamShorterThanOneBufferDoesNotPlay) {
  StartOpenAL();
  // 1,000 stereo frames are 4,000 bytes: the second buffer gets nothing.
  std::string file = Write("short.ogg", qwsound::MakeOgg(2, kRate, 1000));
  EngSound_AL_Ogg player(file.c_str(), 0, 0);
  ASSERT_EQ(player.IsLoaded(), 1);
  EXPECT_EQ(player.Play(), 0);
  EXPECT_LOGGED(log, "Could not play sound");
  EXPECT_EQ(player.IsPlaying(), 0);
}

TEST_F(EngOggStreamALTest, PlaysToTheEndAndQueuesOnlyRefilledBuffers) {
  StartOpenAL();
  // 0.3 s of stereo is 52,920 bytes: three full buffers and a part.
  std::string file = Write("music.ogg", qwsound::MakeOgg(2, kRate, kRate * 3 / 10));
  ProbedPlayer player;
  ASSERT_EQ(player.LoadSoundFromFile(file.c_str(), 0), 1) << log.All();
  ASSERT_EQ(player.Play(), 1) << log.All();
  EXPECT_EQ(player.IsPlaying(), 1);
  EXPECT_EQ(player.Queued(), 2);
  TickToTheEnd(player);
  EXPECT_EQ(player.IsPlaying(), 0);
  // The buffer that found no more data is not queued again.
  EXPECT_LE(player.Queued(), 1);
  WaitUntilDry(player);
  EXPECT_FALSE(player.playing());
  // Nothing is left to play once the queue has run out.
  log.Clear();
  EXPECT_EQ(player.Play(), 0);
  EXPECT_LOGGED(log, "Could not play sound");
  EXPECT_EQ(player.Stop(), 0);
  EXPECT_EQ(log.Count("Error"), 0) << log.All();
}

TEST_F(EngOggStreamALTest, StopAndPlayAgainGoOnAndATickRestartsADrySource) {
  StartOpenAL();
  std::string file = Write("music.ogg", qwsound::MakeOgg(2, kRate, kRate * 8 / 10));
  EngSound_AL_Ogg player(file.c_str(), 0, 1);
  ASSERT_EQ(player.IsPlaying(), 1) << log.All();
  EXPECT_EQ(player.Stop(), 1);
  EXPECT_EQ(player.IsPlaying(), 0);
  EXPECT_FALSE(player.playing());
  EXPECT_EQ(player.Tick(), 0);

  ASSERT_EQ(player.Play(), 1) << log.All();
  EXPECT_TRUE(player.playing());
  // Two buffers last about 0.19 s: without ticks the source runs dry.
  WaitUntilDry(player);
  ASSERT_FALSE(player.playing());
  EXPECT_EQ(player.Tick(), 1);
  EXPECT_TRUE(player.playing());
  EXPECT_EQ(player.Stop(), 1);
}

TEST_F(EngOggStreamALTest, VolumeIsNotImplementedAndDisplayDescribesTheStream) {
  StartOpenAL();
  std::string file = Write("music.ogg", qwsound::MakeOgg(1, 22050, 22050));
  EngSound_AL_Ogg player(file.c_str(), 0, 0);
  ASSERT_EQ(player.IsLoaded(), 1);
  EXPECT_EQ(player.SetVolume(0.25f), 1);
  EXPECT_LOGGED(log, "Not implemented.");
  testing::internal::CaptureStdout();
  player.display();
  std::string shown = testing::internal::GetCapturedStdout();
  EXPECT_NE(shown.find("version         0\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("channels        1\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("rate (hz)       22050\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("\nvendor "), std::string::npos) << shown;
}

TEST_F(EngOggStreamALTest, AStreamedFileReachesTheWaveOutputWhole) {
  if (qwsound::OpenALStartedInThisProcess()) GTEST_SKIP() << "OpenAL was already started in this process";
  qwsound::NoteOpenALStarted();
  std::string out = dir.File("out.wav");
  qwsound::UseWaveOutput(dir.Path(), out);
  ASSERT_EQ(EngSoundInit(ENG_SOUND_SYSTEM_OPENAL, 0, 0, 0, nullptr, 0), 1) << log.All();
  const int frames = kRate * 3 / 10;
  std::string file = Write("music.ogg", qwsound::MakeOgg(2, kRate, frames));
  {
    EngSound_AL_Ogg player(file.c_str(), 0, 1);
    ASSERT_EQ(player.IsPlaying(), 1) << log.All();
    TickToTheEnd(player);
    WaitUntilDry(player);
    Sleep(100);
  }
  EngSoundExit();  // closes the device, which completes the file

  qwsound::WaveSpan span = qwsound::NonSilentSpan(qwtest::ReadWholeFile(out));
  ASSERT_GE(span.first, 0) << "the output is silent";
  // Every sample once: a buffer queued again at the end would add 4,096 frames.
  EXPECT_GT(span.Length(), frames * 97 / 100);
  EXPECT_LT(span.Length(), frames * 103 / 100);
}

}  // namespace
