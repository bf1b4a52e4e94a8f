#include "Engine/EngMusicSound.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <AL/al.h>

#include "Engine/EngMusicList.h"
#include "Engine/EngMusicMusic.h"
#include "Engine/EngMusicSong.h"
#include "tests/Engine/MusicTestSupport.h"

namespace {

class EngMusicSoundTest : public MusicTestBase {
 protected:
  int SampleWithBudget(const std::string &wav, int loop_mode, int budget) {
    NewSong();
    int sample = AddSample(wav, loop_mode);
    int pattern = AddPattern(sample);
    for (int i = 0; i < budget; i++) AddNote(pattern, 16, 0, 255, 0.0f, 1.0f);
    AddEntry(0, pattern, 0.0f);
    Prepare();
    return sample;
  }
};

void PutLE(std::string &out, size_t at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; i++) out[at + size_t(i)] = char((value >> (8 * i)) & 0xFF);
}

TEST_F(EngMusicSoundTest, WavImagesAreReadWithTheirChunksChecked) {
  const std::string mono = qwsound::MakeWav(1, 22050, 100);  // fmt at 12, data at 36
  auto with = [&](size_t at, uint32_t value, int bytes) {
    std::string copy = mono;
    PutLE(copy, at, value, bytes);
    return copy;
  };
  std::string eight_bit_stereo = with(22, 2, 2);
  PutLE(eight_bit_stereo, 34, 8, 2);
  // An odd-sized chunk before the format is padded to an even length.
  std::string padded = mono.substr(0, 12) + std::string("LIST\3\0\0\0abc\0", 12) + mono.substr(12);
  struct Case {
    const char *name;
    std::string bytes;
    bool ok;
    int format;
    uint32_t size;
  };
  const Case cases[] = {
      {"mono 16-bit", mono, true, 0x1101, 200},
      {"stereo 8-bit", eight_bit_stereo, true, 0x1102, 200},
      {"odd chunk first", padded, true, 0x1101, 200},
      {"data cut short", mono.substr(0, mono.size() - 51), true, 0x1101, 148},
      {"data size beyond the image", with(40, 0x7fffffffu, 4), true, 0x1101, 200},
      {"not riff", "RIFX" + mono.substr(4), false, 0, 0},
      {"float samples", with(20, 3, 2), false, 0, 0},
      {"24-bit", with(34, 24, 2), false, 0, 0},
      {"three channels", with(22, 3, 2), false, 0, 0},
      {"rate 0", with(24, 0, 4), false, 0, 0},
      {"rate huge", with(24, 0xffffffffu, 4), false, 0, 0},
      {"format chunk too long", with(16, 0xfffffff0u, 4), false, 0, 0},
      {"no samples", with(40, 0, 4), false, 0, 0},
      {"one byte of a frame", with(40, 1, 4), false, 0, 0},
      {"data before format", mono.substr(0, 12) + mono.substr(36) + mono.substr(12, 24), false, 0, 0},
      {"header only", mono.substr(0, 12), false, 0, 0},
      {"too short", "RIFF", false, 0, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    _EngMusicWav wav{};
    ASSERT_EQ(EngMusicSoundParseWavImage(c.bytes.data(), EngUInt32(c.bytes.size()), &wav), c.ok ? 1 : 0);
    if (!c.ok) continue;
    EXPECT_EQ(wav.format, c.format);
    EXPECT_EQ(wav.size, c.size);
    EXPECT_EQ(wav.rate, 22050u);
    EXPECT_GE(wav.data, reinterpret_cast<const EngUInt8 *>(c.bytes.data()));
  }
}

TEST_F(EngMusicSoundTest, InstancesShareTheFirstBufferUnlessTheySustain) {
  StartOpenAL();
  struct Case {
    int loop_mode;
    bool own;
  };
  const Case cases[] = {{2, false}, {0, false}, {1, true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.loop_mode);
    int sample = SampleWithBudget(MusicTone(0.05), c.loop_mode, 3);
    int base = sample * ENG_MUSIC_SOUND_INSTANCES;
    ASSERT_NE(EngMusicSoundGet(base), nullptr) << log.All();
    EXPECT_EQ(EngMusicSoundGet(base)->owns_buffer, 1);
    EXPECT_EQ(EngMusicSoundGetPlayLoopSize(base), 4410ul);
    for (int i = 1; i < 3; i++) {
      EngSound *sound = EngMusicSoundGet(base + i);
      ASSERT_NE(sound, nullptr);
      EXPECT_EQ(sound->owns_buffer, c.own ? 1 : 0);
      EXPECT_EQ(sound->buffer == EngMusicSoundGet(base)->buffer, !c.own);
      EXPECT_EQ(EngMusicSoundGetPlayLoopSize(base + i), 4410ul);
    }
    EXPECT_EQ(EngMusicSoundGet(base + 3), nullptr);
  }
}

TEST_F(EngMusicSoundTest, ReleasingASampleFreesEveryBuffer) {
  StartOpenAL();
  const int loop_modes[] = {2, 1};
  for (int loop_mode : loop_modes) {
    SCOPED_TRACE(loop_mode);
    int sample = SampleWithBudget(MusicTone(0.05), loop_mode, 4);
    std::vector<ALuint> buffers;
    for (int i = 0; i < 4; i++) buffers.push_back(EngMusicSoundGet(sample * ENG_MUSIC_SOUND_INSTANCES + i)->buffer);
    EXPECT_EQ(EngMusicSoundPlay(sample * ENG_MUSIC_SOUND_INSTANCES + 2), 1);
    log.Clear();
    EngMusicSoundReleaseSampleSounds(sample);
    EXPECT_NOT_LOGGED(log, "AL Error");
    for (ALuint buffer : buffers) EXPECT_FALSE(alIsBuffer(buffer)) << buffer;
    for (int i = 0; i < ENG_MUSIC_SOUND_INSTANCES; i++)
      EXPECT_EQ(EngMusicSoundGet(sample * ENG_MUSIC_SOUND_INSTANCES + i), nullptr);
  }
}

TEST_F(EngMusicSoundTest, IdsWithoutASoundReadAsZero) {
  StartOpenAL();
  const int ids[] = {-1, 0, 4095, 4096, 100000};
  for (int id : ids) {
    EXPECT_EQ(EngMusicSoundPlay(id), 0);
    EXPECT_EQ(EngMusicSoundPlayLooped(id), 0);
    EXPECT_EQ(EngMusicSoundIsPlaying(id), 0);
    EXPECT_EQ(EngMusicSoundGetPlayPos(id), 0ul);
    EXPECT_EQ(EngMusicSoundGetPlayLoopSize(id), 0ul);
    EngMusicSoundStop(id);
    EngMusicSoundSetPlayPos(id, 10);
    EngMusicSoundSetFrequencyULong(id, 22050);
  }
  EXPECT_EQ(log.Size(), 0u) << log.All();
}

TEST_F(EngMusicSoundTest, WithoutADeviceNoSoundIsMadeAndNothingIsLogged) {
  int sample = SampleWithBudget(MusicTone(0.05), 2, 2);
  EXPECT_EQ(EngMusicSoundGet(sample * ENG_MUSIC_SOUND_INSTANCES), nullptr);
  EXPECT_EQ(EngMusicMusicPlaySampleSound(sample, 60, 255), 0);  // the slot is kept, silently
  EXPECT_NOT_LOGGED(log, "Error");
}

TEST_F(EngMusicSoundTest, APreviewPlaysFromAFile) {
  StartOpenAL();
  std::string file = Write("preview.wav", MusicTone(0.2));
  EXPECT_EQ(EngMusicSoundGetSoundLengthFromFile(file.c_str()), 17640ul);
  EXPECT_FLOAT_EQ(EngMusicSoundGetSoundLengthFromFileInSeconds(file.c_str()), 0.4f);
  EXPECT_EQ(EngMusicSoundLoadAndPlaySoundFromFile(file.c_str(), 0), 1);
  EngMusicSoundStopAllSounds();
  EngMusicSoundStopPlayingSampleLoadedFromFile();
  NewSong();
  int sample = AddSample(MusicTone(0.05), 2);
  EngMusicSoundLoadSampleSoundsFromFile(sample, file.c_str());
  EXPECT_EQ(EngMusicSoundGetPlayLoopSize(sample * ENG_MUSIC_SOUND_INSTANCES), 17640ul);
}

}  // namespace
