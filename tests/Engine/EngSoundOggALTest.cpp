#include <gtest/gtest.h>

#include <string>

#include <AL/al.h>

#include "Engine/EngSound.h"
#include "tests/Engine/SoundTestBase.h"

namespace {

class EngSoundOggALTest : public SoundTestBase {};

TEST_F(EngSoundOggALTest, DecodedBufferSizesAndFormats) {
  StartOpenAL();
  struct Case {
    int channels;
    int rate;
    int frames;
  };
  const Case cases[] = {
      {1, 22050, 5512},
      {2, 44100, 4410},
      {1, 44100, 44100},
      {2, 32000, 40000},  // more than one 32 KiB decoding chunk
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.channels << " channels, " << c.rate << " Hz, " << c.frames);
    std::string file = Write("music.ogg", qwsound::MakeOgg(c.channels, c.rate, c.frames));
    EngSound sound("music");
    ASSERT_EQ(sound.LoadSoundFromOggFile(file.c_str(), 0, 0), 1) << log.All();
    const EngUInt32 bytes = EngUInt32(c.frames * c.channels * 2);
    EXPECT_EQ(sound.Exists(), 1);
    EXPECT_EQ(sound.GetPlayBufferSize(), bytes);
    EXPECT_FLOAT_EQ(sound.length, float(bytes) / float(c.rate));
    ALint channels = 0, bits = 0, frequency = 0;
    alGetBufferi(sound.buffer, AL_CHANNELS, &channels);
    alGetBufferi(sound.buffer, AL_BITS, &bits);
    alGetBufferi(sound.buffer, AL_FREQUENCY, &frequency);
    EXPECT_EQ(channels, c.channels);
    EXPECT_EQ(bits, 16);
    EXPECT_EQ(frequency, c.rate);
  }
}

TEST_F(EngSoundOggALTest, MusicLoopsAndResumesAtASavedPosition) {
  StartOpenAL();
  const int rate = 22050, frames = 4 * rate;
  const EngUInt32 size = EngUInt32(frames * 2 * 2);
  std::string file = Write("music.ogg", qwsound::MakeOgg(2, rate, frames));
  EngSound music("music");
  ASSERT_EQ(music.LoadSoundFromOggFile(file.c_str(), 0, 0), 1);
  ASSERT_EQ(music.PlayLooped(), 1);
  EXPECT_EQ(music.IsPlaying(), 1);
  ASSERT_EQ(music.SetPlayBufferPos(size / 2), 1);
  EngUInt32 saved = music.GetPlayBufferPos();
  EXPECT_GE(saved, size / 2);
  EXPECT_EQ(saved % 4, 0u);  // whole stereo frames

  // The game's pattern: stop, release, load again, go on from where it was.
  music.Stop();
  music.Destroy();
  ASSERT_EQ(music.LoadSoundFromOggFile(file.c_str(), 0, 0), 1);
  ASSERT_EQ(music.SetPlayBufferPos(saved), 1);
  ASSERT_EQ(music.ResumePlaying(), 1);
  EXPECT_GE(music.GetPlayBufferPos(), saved);
  EXPECT_EQ(music.IsPlaying(), 1);

  // Loading into a loaded sound is refused and keeps what plays.
  EXPECT_EQ(music.LoadSoundFromOggFile(file.c_str(), 0, 0), 0);
  EXPECT_LOGGED(log, "Sound already created");
  EXPECT_EQ(music.IsPlaying(), 1);
}

TEST_F(EngSoundOggALTest, MoreThanTwoChannelsAreRefused) {
  StartOpenAL();
  std::string file = Write("six.ogg", qwsound::MakeOgg(6, 44100, 4410));
  EngSound sound("six");
  EXPECT_EQ(sound.LoadSoundFromOggFile(file.c_str(), 0, 0), 0);
  EXPECT_EQ(sound.Exists(), 0);
  EXPECT_LOGGED(log, "6 channels, only mono and stereo are supported");
  EXPECT_LOGGED(log, "Error reading Ogg file <" + file + "> [1]");
}

TEST_F(EngSoundOggALTest, BadFilesGiveALoggedFailure) {
  StartOpenAL();
  const std::string good = qwsound::MakeOgg(2, 44100, 22050);
  // Long enough for several audio pages, so a cut leaves whole pages that still decode.
  const std::string longer = qwsound::MakeOgg(2, 22050, 3 * 22050);
  struct Case {
    const char *name;
    std::string bytes;
    const char *reason;  // the decoder's own line, before "[1]"
  };
  const Case cases[] = {
      {"empty", "", "Cannot decode <"},
      {"not Ogg", "plain text, and not a sound\n", "Cannot decode <"},
      {"cut in the first page", good.substr(0, 20), "Cannot decode <"},
      {"cut in the headers", good.substr(0, 200), "Cannot decode <"},
      {"cut in the audio", longer.substr(0, longer.size() / 2), "the file is cut short"},
      {"last page cut", longer.substr(0, longer.size() - 10), "the file is cut short"},
      {"no audio", qwsound::MakeOgg(1, 44100, 0), "Error reading Ogg file <"},
      {"rate zero", qwsound::OggWithHeader(good, 2, 0), "Cannot decode <"},
      {"rate past any buffer", qwsound::OggWithHeader(good, 2, 0xfffffff0u), "sample rate"},
      {"channels lie", qwsound::OggWithHeader(good, 1, 44100), "Cannot decode <"},
      {"channels zero", qwsound::OggWithHeader(good, 0, 44100), "Cannot decode <"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    log.Clear();
    std::string file = Write("bad.ogg", c.bytes);
    EngSound sound("bad");
    EXPECT_EQ(sound.LoadSoundFromOggFile(file.c_str(), 0, 0), 0);
    EXPECT_EQ(sound.Exists(), 0);
    EXPECT_EQ(sound.Play(), 0);
    EXPECT_LOGGED(log, c.reason);
    EXPECT_LOGGED(log, "Error reading Ogg file <" + file + "> [1]");
  }

  log.Clear();
  EngSound missing("missing");
  EXPECT_EQ(missing.LoadSoundFromOggFile(dir.File("missing.ogg").c_str(), 0, 0), 0);
  if (log.Works()) {
    EXPECT_EQ(log.Size(), 1u) << log.All();
  }
  EXPECT_LOGGED(log, "Sound <" + dir.File("missing.ogg") + "> does not exist");
}

}  // namespace
