#include "Engine/EngSound.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <AL/al.h>

#include "Engine/EngSoundAL.h"
#include "tests/Engine/SoundTestBase.h"

namespace {

const int kRate = 44100;

class EngSoundTest : public SoundTestBase {
 protected:
  // A mono (or stereo) 16-bit tone at 44.1 kHz, long enough to be still playing when checked.
  std::string Tone(const std::string &name, double seconds = 2.0, int channels = 1) {
    return Write(name, qwsound::MakeWav(channels, kRate, static_cast<int>(seconds * kRate)));
  }
};

ALint SourceLooping(const EngSound &sound) {
  ALint looping = -1;
  alGetSourcei(sound.source, AL_LOOPING, &looping);
  return looping;
}

TEST_F(EngSoundTest, StartingWithoutASystemIsRefused) {
  EXPECT_EQ(EngSoundInit(ENG_SOUND_SYSTEM_NONE, 0, 0, 0, nullptr, 0), 0);
  EXPECT_LOGGED(log, "Sound parameters not setup");
  EXPECT_EQ(EngSoundIsSetup(), 0);
  EXPECT_EQ(EngSoundIsSetup_AL(), 0);
}

TEST_F(EngSoundTest, OpenALStartsOnceAndAgainAfterExit) {
  StartOpenAL();
  EXPECT_EQ(EngSoundIsSetup(), 1);
  EXPECT_EQ(EngSoundIsSetup_AL(), 1);
  EXPECT_EQ(EngSoundInit(ENG_SOUND_SYSTEM_OPENAL, 0, 0, 0, nullptr, 0), 1);
  EXPECT_EQ(EngSoundInit_AL(0), 1);

  EngSoundExit();
  EXPECT_EQ(EngSoundIsSetup_AL(), 0);
  EXPECT_EQ(EngSoundInit(ENG_SOUND_SYSTEM_OPENAL, 0, 0, 0, nullptr, 0), 1);
  EXPECT_EQ(EngSoundIsSetup_AL(), 1);

  // A sound made after the restart works.
  EngSound sound(Tone("a.wav").c_str(), 0, "a");
  EXPECT_EQ(sound.Play(), 1);
}

TEST_F(EngSoundTest, UnknownSystemIsRefusedEachTime) {
  const _EngSoundSystem seven = static_cast<_EngSoundSystem>(7);
  EXPECT_EQ(EngSoundInit(seven, 0, 0, 0, nullptr, 0), 0);
  EXPECT_EQ(EngSoundInit(seven, 0, 0, 0, nullptr, 0), 0);
  if (log.Works()) {
    EXPECT_EQ(log.Count("Unknown sound system 7"), 2);
  }
  EXPECT_EQ(EngSoundIsSetup_AL(), 0);
}

TEST_F(EngSoundTest, LoopPlayStopStateTable) {
  StartOpenAL();
  EngSound sound(Tone("loop.wav").c_str(), 0, "loop");
  ASSERT_EQ(sound.Exists(), 1);

  struct Step {
    const char *op;
    int result;  // -1: the operation returns nothing
    char playing;
    char looped;
    ALint source_looping;
  };
  const Step steps[] = {
      {"PlayLooped", 1, 1, 1, AL_TRUE},
      {"PlayLooped", 0, 1, 1, AL_TRUE},   // already looping: nothing restarts
      {"Play", 1, 1, 1, AL_FALSE},        // plays once to its end; the flag stays
      {"PlayLooped", 0, 1, 1, AL_FALSE},  // still refused until stopped
      {"Stop", -1, 0, 0, AL_FALSE},
      {"PlayLooped", 1, 1, 1, AL_TRUE},
      {"Stop", -1, 0, 0, AL_FALSE},
      {"Play", 1, 1, 0, AL_FALSE},
      {"ResumePlaying", 1, 1, 0, AL_FALSE},
      {"Stop", -1, 0, 0, AL_FALSE},
      {"ResumePlaying", 1, 1, 0, AL_FALSE},
      {"Stop", -1, 0, 0, AL_FALSE},
  };
  for (const Step &step : steps) {
    SCOPED_TRACE(step.op);
    int result = -1;
    std::string op = step.op;
    if (op == "PlayLooped") result = sound.PlayLooped();
    if (op == "Play") result = sound.Play();
    if (op == "ResumePlaying") result = sound.ResumePlaying();
    if (op == "Stop") sound.Stop();
    EXPECT_EQ(result, step.result);
    EXPECT_EQ(sound.IsPlaying(), step.playing);
    EXPECT_EQ(sound.looped, step.looped);
    EXPECT_EQ(SourceLooping(sound), step.source_looping);
  }
}

TEST_F(EngSoundTest, ReleasedLoopingSoundLoopsAgainWhenReloaded) {
  StartOpenAL();
  std::string file = Tone("music.wav");
  EngSound sound(file.c_str(), 0, "music");
  ASSERT_EQ(sound.PlayLooped(), 1);
  sound.Destroy();
  EXPECT_EQ(sound.Exists(), 0);
  EXPECT_EQ(sound.IsPlaying(), 0);
  ASSERT_EQ(sound.LoadSoundFromFile(file.c_str(), 0), 1);
  EXPECT_EQ(sound.PlayLooped(), 1);
  EXPECT_EQ(sound.IsPlaying(), 1);
}

TEST_F(EngSoundTest, SoundOffBlocksPlayingButNotStopping) {
  StartOpenAL();
  EngSound sound(Tone("off.wav").c_str(), 0, "off");
  ASSERT_EQ(sound.PlayLooped(), 1);

  EngSoundOff();
  EXPECT_EQ(sound.Play(), 0);
  EXPECT_EQ(sound.ResumePlaying(), 0);
  EXPECT_EQ(sound.IsPlaying(), 1);  // what was playing goes on until stopped
  sound.SetVolume(0.25f);
  EXPECT_FLOAT_EQ(sound.GetVolume(), 0.25f);
  sound.Stop();
  EXPECT_EQ(sound.IsPlaying(), 0);
  EXPECT_EQ(sound.PlayLooped(), 0);
  EXPECT_EQ(sound.Play(), 0);
  EXPECT_EQ(sound.IsPlaying(), 0);

  EngSoundOn();
  EXPECT_EQ(sound.Play(), 1);
  EXPECT_EQ(sound.IsPlaying(), 1);
}

TEST_F(EngSoundTest, FrequencyRoundTrips) {
  StartOpenAL();
  EngSound sound(Tone("freq.wav", 0.2).c_str(), 0, "freq");
  EXPECT_EQ(sound.GetFrequency(), 44100u);  // a new source plays at the base rate
  struct Case {
    EngUInt32 hz;
    float pitch;
  };
  const Case cases[] = {{22050, 0.5f}, {44100, 1.0f}, {11025, 0.25f}, {88200, 2.0f}, {33075, 0.75f}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.hz);
    sound.SetFrequency(c.hz);
    EXPECT_FLOAT_EQ(sound.GetFrequencyFloat(), c.pitch);
    EXPECT_EQ(sound.GetFrequency(), c.hz);
  }
  // 0.50001 * 44100 = 22050.44: the fraction is cut off.
  sound.SetFrequencyFloat(0.50001f);
  EXPECT_EQ(sound.GetFrequency(), 22050u);
}

TEST_F(EngSoundTest, PlayPositionRoundTrips) {
  StartOpenAL();
  const EngUInt32 size = 4 * kRate * 2;  // 4 s of mono 16-bit samples
  std::string file = Tone("pos.wav", 4.0);
  EngSound sound(file.c_str(), 0, "pos");
  ASSERT_EQ(sound.GetPlayBufferSize(), size);

  // Resuming at a saved position, as the music does after a pause.
  ASSERT_EQ(sound.SetPlayBufferPos(size / 2), 1);
  ASSERT_EQ(sound.ResumePlaying(), 1);
  EngUInt32 pos = sound.GetPlayBufferPos();
  EXPECT_GE(pos, size / 2);
  EXPECT_LT(pos, size);
  EXPECT_EQ(pos % 2, 0u);

  // The position survives releasing and loading the sound again.
  EngUInt32 saved = sound.GetPlayBufferPos();
  sound.Destroy();
  ASSERT_EQ(sound.LoadSoundFromFile(file.c_str(), 0), 1);
  ASSERT_EQ(sound.SetPlayBufferPos(saved), 1);
  ASSERT_EQ(sound.ResumePlaying(), 1);
  EXPECT_GE(sound.GetPlayBufferPos(), saved);

  // Past the end of a playing sound: refused by OpenAL and reported.
  log.Clear();
  EXPECT_EQ(sound.SetPlayBufferPos(size * 4), 0);
  EXPECT_LOGGED(log, "AL Error : AL_BYTE_OFFSET (Invalid enum parameter value)");
  // A refused call leaves no error behind for the next one.
  EXPECT_EQ(sound.SetPlayBufferPos(0), 1);
}

TEST_F(EngSoundTest, DuplicateSharesTheBufferThroughItsOwnSource) {
  StartOpenAL();
  EngSound original(Tone("dup.wav").c_str(), 0, "original");
  ASSERT_EQ(original.ok, 1);
  EngSound copy(&original, "copy");
  ASSERT_EQ(copy.ok, 1);
  EXPECT_EQ(copy.Exists(), 1);
  EXPECT_EQ(copy.buffer, original.buffer);
  EXPECT_NE(copy.source, original.source);
  EXPECT_EQ(copy.owns_buffer, 0);
  EXPECT_EQ(copy.length, original.length);

  EXPECT_EQ(copy.Play(), 1);
  EXPECT_EQ(copy.IsPlaying(), 1);
  EXPECT_EQ(original.IsPlaying(), 0);
  copy.SetVolume(0.25f);
  EXPECT_FLOAT_EQ(copy.GetVolume(), 0.25f);
  EXPECT_FLOAT_EQ(original.GetVolume(), 1.0f);

  log.Clear();
  EXPECT_EQ(copy.GetPlayBufferSize(), 0u);
  EXPECT_EQ(copy.GetPlayBufferPos(), 0u);
  EXPECT_EQ(copy.SetPlayBufferPos(0), 0);
  if (log.Works()) {
    EXPECT_EQ(log.Count("No buffer for sound"), 3);
  }

  // Only the owner of a buffer can be duplicated.
  EngSound copy_of_copy(&copy, "copy2");
  EXPECT_EQ(copy_of_copy.ok, 0);
  EXPECT_EQ(copy_of_copy.Exists(), 0);
  EXPECT_LOGGED(log, "Could not duplicate sound");

  EngSound from_null(static_cast<EngSound *>(nullptr), "null");
  EXPECT_EQ(from_null.ok, 0);
  EXPECT_LOGGED(log, "No sound passed in");
  EngSound empty("empty");
  EngSound from_empty(&empty, "from empty");
  EXPECT_EQ(from_empty.ok, 0);
  EXPECT_LOGGED(log, "sound passed in not ok");

  // Releasing the copy leaves the shared buffer to its owner.
  copy.Destroy();
  EXPECT_EQ(original.Play(), 1);
  EXPECT_EQ(alIsBuffer(original.buffer), AL_TRUE);
}

TEST_F(EngSoundTest, ConstructorFailuresLeaveAnEmptySound) {
  StartOpenAL();
  std::string missing = dir.File("missing.wav");
  std::string empty_file = Write("empty.wav", "");
  struct Case {
    const char *file;
    const char *message;
  };
  const Case cases[] = {
      {nullptr, "No filename"},
      {"", "No filename"},
      {missing.c_str(), "Filename does not exist <"},
      {empty_file.c_str(), "Could not load sound"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.message);
    log.Clear();
    EngSound sound(c.file, 0, "bad");
    EXPECT_EQ(sound.ok, 0);
    EXPECT_EQ(sound.Exists(), 0);
    EXPECT_EQ(sound.Play(), 0);
    EXPECT_LOGGED(log, c.message);
  }
}

TEST_F(EngSoundTest, LoadingIntoALoadedSoundKeepsTheOldOne) {
  StartOpenAL();
  std::string file = Tone("keep.wav");
  EngSound sound(file.c_str(), 0, "keep");
  EngUInt32 buffer = sound.buffer, source = sound.source;

  log.Clear();
  EXPECT_EQ(sound.LoadSoundFromFileIfNeeded(file.c_str(), 0), 1);
  EXPECT_EQ(log.Size(), 0u) << log.All();
  EXPECT_EQ(sound.LoadSoundFromFile(file.c_str(), 0), 0);
  EXPECT_LOGGED(log, "Sound already created");
  EXPECT_EQ(sound.buffer, buffer);
  EXPECT_EQ(sound.source, source);
  EXPECT_EQ(sound.Play(), 1);
}

TEST_F(EngSoundTest, EmptySoundComplainsOnlyWhileOpenALRuns) {
  EngSound sound("empty");
  StartOpenAL();
  const std::vector<std::pair<std::function<void()>, const char *>> calls = {
      {[&] { EXPECT_EQ(sound.Play(), 0); }, "Sound called but no buffer present"},
      {[&] { EXPECT_EQ(sound.PlayLooped(), 0); }, "Sound called but no buffer present"},
      {[&] { sound.Stop(); }, "Sound called but no buffer present"},
      {[&] { sound.SetVolume(0.5f); }, "Sound called but no buffer present"},
      {[&] { EXPECT_EQ(sound.GetFrequency(), 0u); }, "No buffer for sound"},
      {[&] { sound.SetFrequency(100); }, "No buffer for sound"},
      {[&] { EXPECT_EQ(sound.GetPlayBufferSize(), 0u); }, "Sound not created."},
      {[&] { EXPECT_EQ(sound.SetPlayBufferPos(4), 0); }, "Sound not created"},
  };
  for (const auto &call : calls) {
    SCOPED_TRACE(call.second);
    log.Clear();
    call.first();
    EXPECT_LOGGED(log, call.second);
  }
  // Silent even while running.
  log.Clear();
  EXPECT_EQ(sound.IsPlaying(), 0);
  sound.Set3dPosition(1, 2, 3);
  EXPECT_EQ(log.Size(), 0u) << log.All();

  // With OpenAL shut, the same calls say nothing.
  EngSoundExit();
  log.Clear();
  for (const auto &call : calls) call.first();
  EXPECT_EQ(log.Size(), 0u) << log.All();
}

TEST_F(EngSoundTest, WithoutABackEndCallsNoteNotImplemented) {
  std::string file = Tone("none.wav", 0.1);
  EngSound sound("none");
  log.Clear();
  EXPECT_EQ(sound.Play(), 0);
  EXPECT_EQ(sound.Exists(), 0);
  EXPECT_EQ(sound.GetFrequency(), 0u);
  EXPECT_EQ(sound.GetVolume(), 0.0f);
  sound.Stop();
  if (log.Works()) {
    EXPECT_EQ(log.Count("Not implemented."), 5) << log.All();
  }

  // Asking for the load when needed asks twice: once whether it exists, once to load.
  log.Clear();
  EXPECT_EQ(sound.LoadSoundFromFileIfNeeded(file.c_str(), 0), 0);
  if (log.Works()) {
    EXPECT_EQ(log.Count("Not implemented."), 2) << log.All();
  }

  log.Clear();
  EXPECT_EQ(sound.LoadSoundFromOggFile(file.c_str(), 0, 0), 0);
  sound.Set3dPosition(1, 2, 3);  // 3D is off: not even a note
  EXPECT_EQ(log.Size(), 0u) << log.All();

  log.Clear();
  EngSound from_file(file.c_str(), 0, "from file");
  EXPECT_EQ(from_file.ok, 0);
  EXPECT_LOGGED(log, "Not implemented.");
  EXPECT_LOGGED(log, "Could not load sound");

  EXPECT_EQ(EngSoundSetOverallVolume(0.5f), 0);
  EXPECT_EQ(EngSoundIsMusicPlayingOnDevice(), 0);
}

TEST_F(EngSoundTest, PositionIn3dOnlyWhile3dIsOn) {
  ASSERT_EQ(EngSoundInit(ENG_SOUND_SYSTEM_OPENAL, 1, 0, 0, nullptr, 0), 1);
  qwsound::NoteOpenALStarted();
  EXPECT_EQ(EngSoundIs3DEnabled(), 1);
  EngSound sound(Tone("3d.wav", 0.2).c_str(), 1, "3d");
  sound.Set3dPosition(1.0f, 2.0f, 3.0f);
  ALfloat x = 0, y = 0, z = 0;
  alGetSource3f(sound.source, AL_POSITION, &x, &y, &z);
  EXPECT_EQ(x, 1.0f);
  EXPECT_EQ(y, 2.0f);
  EXPECT_EQ(z, 3.0f);

  log.Clear();
  sound.Set3dMinMaxValues(1.0f, 10.0f);
  sound.Enable3dSound(1);
  if (log.Works()) {
    EXPECT_EQ(log.Count("Not supported"), 2);
  }

  EngSoundEnable3dSound(0);
  sound.Set3dPosition(5.0f, 5.0f, 5.0f);
  alGetSource3f(sound.source, AL_POSITION, &x, &y, &z);
  EXPECT_EQ(x, 1.0f);
}

}  // namespace
