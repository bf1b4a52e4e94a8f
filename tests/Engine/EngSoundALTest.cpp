#include "Engine/EngSoundAL.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include <AL/al.h>

#include "Engine/EngSound.h"
#include "tests/Engine/SoundTestBase.h"
#include "tests/Engine/WaveCapture.h"

namespace {

const int kRate = 44100;

class EngSoundALTest : public SoundTestBase {};

uint32_t GetLE(const std::string &bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; i++) value |= uint32_t(uint8_t(bytes[at + i])) << (8 * i);
  return value;
}

TEST_F(EngSoundALTest, ErrorTexts) {
  char scratch[64];
  struct Case {
    int code;
    const char *text;
  };
  const Case cases[] = {
      {AL_INVALID_NAME, "Invalid name parameter"},
      {AL_INVALID_ENUM, "Invalid parameter"},
      {AL_INVALID_VALUE, "Invalid enum parameter value"},
      {AL_INVALID_OPERATION, "Invalid operation"},
      {AL_OUT_OF_MEMORY, "Unable to allocate memory"},
      {0xA00F, "Unknown Error 0xa00f"},
      {0x7fffffff, "Unknown Error 0x7fffffff"},
  };
  for (const Case &c : cases) EXPECT_STREQ(EngSoundErrorText_AL(c.code, scratch, sizeof(scratch)), c.text);
}

TEST_F(EngSoundALTest, ErrorCheckReportsAndClearsOpenALErrors) {
  StartOpenAL();
  EXPECT_EQ(EngSoundErrorCheck_AL("Tag", "nothing", 1), 1);

  ALint state = 0;
  alGetSourcei(0x7fff1234, AL_SOURCE_STATE, &state);  // no such source
  EXPECT_EQ(EngSoundErrorCheck_AL("Tag", "alGetSourcei", 1), 0);
  EXPECT_LOGGED(log, "AL Error : alGetSourcei (Invalid name parameter)");
  EXPECT_EQ(EngSoundErrorCheck_AL("Tag", "after", 1), 1);  // cleared by the check

  log.Clear();
  alGetSourcei(0x7fff1234, AL_SOURCE_STATE, &state);
  EXPECT_EQ(EngSoundErrorCheck_AL("Tag", "quiet", 0), 0);
  EXPECT_EQ(log.Size(), 0u) << log.All();
}

TEST_F(EngSoundALTest, RawSamplesLoadWithTheirLength) {
  StartOpenAL();
  std::string samples(8820 * 2, '\0');  // 0.1 s of mono 16-bit silence
  EngSound sound("raw");
  ASSERT_EQ(sound.LoadSoundFromDataAL(&samples[0], AL_FORMAT_MONO16, unsigned(samples.size()), kRate), 1);
  EXPECT_EQ(sound.created, 1);
  EXPECT_EQ(sound.owns_buffer, 1);
  EXPECT_FLOAT_EQ(sound.length, float(samples.size()) / kRate);
  EXPECT_EQ(sound.GetPlayBufferSize(), samples.size());

  struct Case {
    int format;
    unsigned size;
    unsigned rate;
    const char *message;
  };
  const Case cases[] = {
      {AL_FORMAT_MONO16, 0, kRate, "Invalid parameters passed in for sound"},
      {0, 16, kRate, "Invalid parameters passed in for sound"},
      {0x7777, 16, kRate, "AL Error : alBufferData"},
      {AL_FORMAT_MONO16, 16, 0, "AL Error : alBufferData"},
      {AL_FORMAT_STEREO16, 6, kRate, "AL Error : alBufferData"},  // not whole frames
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.message);
    log.Clear();
    EngSound bad("bad");
    EXPECT_EQ(bad.LoadSoundFromDataAL(&samples[0], c.format, c.size, c.rate), 0);
    EXPECT_EQ(bad.created, 0);
    EXPECT_EQ(bad.owns_buffer, 0);
    EXPECT_LOGGED(log, c.message);
  }
}

TEST_F(EngSoundALTest, BadWavFilesGiveALoggedFailure) {
  StartOpenAL();
  const std::string good = qwsound::MakeWav(1, kRate, 4410);
  auto with = [&good](size_t at, uint32_t value, int bytes) {
    std::string out = good;
    for (int i = 0; i < bytes; i++) out[at + i] = char((value >> (8 * i)) & 0xFF);
    return out;
  };
  // Offsets in the 44-byte header: 22 channels, 24 rate, 34 bits, 40 data size.
  struct Case {
    const char *name;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"riff only", good.substr(0, 12)},
      {"cut in the format chunk", good.substr(0, 30)},
      {"header without data", good.substr(0, 44)},
      {"data cut short", good.substr(0, 44 + 100)},
      {"data size past the end", with(40, 0x7ffffff0u, 4)},
      {"no channels", with(22, 0, 2)},
      {"nine channels", with(22, 9, 2)},
      {"rate zero", with(24, 0, 4)},
      {"rate huge", with(24, 0xffffffffu, 4)},
      {"twelve bits", with(34, 12, 2)},
      {"format chunk size huge", with(16, 0xfffffff0u, 4)},
      {"not a wave", std::string("RIFX") + good.substr(4)},
      {"unknown chunk past the end", good.substr(0, 36) + "LIST" + std::string("\xf0\xff\xff\x7f", 4) + good.substr(36)},
      {"au, not wave", std::string(".snd\0\0\0\x18\xff\xff\xff\xff\0\0\0\3\0\0\x1f\x40\0\0\0\1", 24) + good.substr(44)},
      {"text", "this is not a sound file at all, only text\n"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    log.Clear();
    std::string file = Write("bad.wav", c.bytes);
    EngSound sound(file.c_str(), 0, "bad");
    EXPECT_EQ(sound.ok, 0);
    EXPECT_EQ(sound.Exists(), 0);
    EXPECT_EQ(sound.Play(), 0);
    EXPECT_LOGGED(log, "Could not load sound");
  }
  // The good file next to them loads, so the failures above are the files' own.
  std::string file = Write("good.wav", good);
  EngSound sound(file.c_str(), 0, "good");
  EXPECT_EQ(sound.ok, 1);
  EXPECT_EQ(sound.GetPlayBufferSize(), 4410u * 2);
}

TEST_F(EngSoundALTest, StereoWavKeepsItsFormat) {
  StartOpenAL();
  std::string file = Write("stereo.wav", qwsound::MakeWav(2, 22050, 2205));
  EngSound sound(file.c_str(), 0, "stereo");
  ASSERT_EQ(sound.ok, 1);
  ALint channels = 0, bits = 0, frequency = 0;
  alGetBufferi(sound.buffer, AL_CHANNELS, &channels);
  alGetBufferi(sound.buffer, AL_BITS, &bits);
  alGetBufferi(sound.buffer, AL_FREQUENCY, &frequency);
  EXPECT_EQ(channels, 2);
  EXPECT_EQ(bits, 16);
  EXPECT_EQ(frequency, 22050);
  EXPECT_EQ(sound.GetPlayBufferSize(), 2205u * 4);
  EXPECT_FLOAT_EQ(sound.length, 2205.0f * 4 / 22050);
}

// Without a device the game runs on: the start is refused once and logged, and sound calls then
// do nothing and say nothing.
TEST_F(EngSoundALTest, NoDeviceLeavesEverySoundCallSilent) {
  if (qwsound::OpenALStartedInThisProcess()) GTEST_SKIP() << "OpenAL was already started in this process";
  qwsound::NoteOpenALStarted();
  setenv("ALSOFT_DRIVERS", "qw-no-such-driver", 1);
  std::string file = Write("tone.wav", qwsound::MakeWav(1, kRate, 4410));

  EXPECT_EQ(EngSoundInit(ENG_SOUND_SYSTEM_OPENAL, 0, 0, 0, nullptr, 0), 0);
  EXPECT_EQ(EngSoundIsSetup_AL(), 0);
  if (log.Works()) {
    EXPECT_EQ(log.Count("No sound device"), 1) << log.All();
  }

  EngSound effect(file.c_str(), 0, "effect");
  EXPECT_EQ(effect.ok, 0);
  EngSound music("music");
  EXPECT_EQ(music.LoadSoundFromOggFile(file.c_str(), 0, 0), 0);

  log.Clear();
  EXPECT_EQ(effect.Exists(), 0);
  EXPECT_EQ(effect.Play(), 0);
  EXPECT_EQ(effect.PlayLooped(), 0);
  EXPECT_EQ(effect.IsPlaying(), 0);
  effect.Stop();
  effect.SetVolume(0.5f);
  effect.SetFrequency(22050);
  EXPECT_EQ(effect.GetPlayBufferPos(), 0u);
  EXPECT_EQ(log.Size(), 0u) << log.All();

  // A later start tries the device again rather than claiming success.
  EXPECT_EQ(EngSoundInit(ENG_SOUND_SYSTEM_OPENAL, 0, 0, 0, nullptr, 0), 0);
  EngSoundExit();
}

TEST_F(EngSoundALTest, PlayedSoundReachesTheWaveOutput) {
  if (qwsound::OpenALStartedInThisProcess()) GTEST_SKIP() << "OpenAL was already started in this process";
  qwsound::NoteOpenALStarted();
  std::string out = dir.File("out.wav");
  qwsound::UseWaveOutput(dir.Path(), out);

  ASSERT_EQ(EngSoundInit(ENG_SOUND_SYSTEM_OPENAL, 0, 0, 0, nullptr, 0), 1) << log.All();
  const int frames = kRate / 5;  // 0.2 s
  std::string file = Write("tone.wav", qwsound::MakeWav(1, kRate, frames, 440.0, 0.8));
  {
    EngSound sound(file.c_str(), 0, "tone");
    ASSERT_EQ(sound.ok, 1);
    ASSERT_EQ(sound.Play(), 1);
    // Playback is real time: wait for the source to finish.
    EXPECT_TRUE(qwtest::WaitUntil([&] { return sound.IsPlaying() == 0; })) << "the tone never ended";
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EngSoundExit();  // closes the device, which completes the file

  std::string wav = qwtest::ReadWholeFile(out);
  ASSERT_GT(wav.size(), 44u);
  ASSERT_EQ(wav.compare(0, 4, "RIFF"), 0);
  EXPECT_EQ(GetLE(wav, 22, 2), 2u);
  EXPECT_EQ(GetLE(wav, 24, 4), uint32_t(kRate));
  qwsound::WaveSpan span = qwsound::NonSilentSpan(wav);
  ASSERT_GE(span.first, 0) << "the output is silent";
  EXPECT_GT(span.peak, 8000);
  long length = span.last - span.first + 1;
  EXPECT_GT(length, frames * 95 / 100);
  EXPECT_LT(length, frames * 105 / 100);
}

}  // namespace
