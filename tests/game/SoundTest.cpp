// The game's sounds on OpenAL Soft's null output (and its wave-file output where what reached
// the speakers matters): the generated set, the fades of the three musics with injected frame
// steps, the music each situation chooses, and the failures that leave the game silent.
#include "game/Sound.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngSound.h"
#include "Engine/Resolution.h"
#include "game/Quarrelwick.h"
#include "players/UserInfo.h"
#include "screens/ScreensMusic.h"
#include "tests/Engine/SoundFixtures.h"
#include "tests/Engine/WaveCapture.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Resources() {
  return qwtest::BuiltResources() + "/";
}

const char *const kSoundFiles[SOUND_NUM_SOUNDS] = {
    "BulletLaunch0.wav", "BulletLaunch1.wav", "BulletLaunch2.wav", "BulletLaunch3.wav", "BulletLaunch4.wav",
    "BulletLaunch5.wav", "BulletLaunch6.wav", "BulletLaunch7.wav", "BulletLaunch8.wav", "BulletHit0.wav",
    "BulletHit1.wav",    "BulletHit2.wav",    "BulletHit3.wav",    "BulletHit4.wav",    "BulletHit5.wav",
    "BulletHit6.wav",    "BulletHit7.wav",    "BulletHit8.wav",    "Upgrade.wav",       "FullUpgrade.wav",
    "Pickup.wav",        "Drop.wav",          "BugKill.wav",       "LifeLost.wav",      "LevelUp.wav",
    "Cash.wav"};
const char *const kMusicFiles[SOUND_NUM_MUSICS] = {"Menu.ogg", "GameOver.ogg", "Win.ogg"};

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    DebugSetLogFilename(dir.File("Log.txt").c_str(), 0);
    log.Attach();
    SoundResetForTests();
    SoundPre3dInit();
    resolution.sound_on = 1;
    game_over = game_won = 0;
    game_per_second = 1.0f / 60.0f;
    options = UserOptions();
    options.sound_on = 1;
    options.sound_volume = 1.0f;
    options.music_on = 1;
    options.music_when = 1;
    options.music_volume = 0.5f;
    options.game_over_music_on = 1;
    options.game_over_music_volume = 1.0f;
    options.won_music_on = 1;
    options.won_music_volume = 0.8f;
    SoundSetOptionsForTests(&options);
  }
  void TearDown() override {
    SoundResetForTests();
    DebugResetForTests();
    resolution.sound_on = 1;
    game_per_second = 1.0f;
    ASSERT_TRUE(m_cwd.Restore());
  }

  // Starts sound in a folder holding the generated set (less the files named).
  void StartIn(const std::vector<std::string> &leave_out = {}) {
    for (const char *f : kSoundFiles) Copy(f, leave_out);
    for (const char *f : kMusicFiles) Copy(f, leave_out);
    ASSERT_TRUE(m_cwd.Enter(dir.Path()));
    qwsound::NoteOpenALStarted();
    ASSERT_EQ(SoundInit(), 1) << log.All();
  }
  void Copy(const std::string &name, const std::vector<std::string> &leave_out) {
    for (const std::string &l : leave_out)
      if (l == name) return;
    qwtest::WriteWholeFile(dir.File(name), qwtest::ReadWholeFile(Resources() + name));
  }

  // Ticks with one frame step until the music's volume stops changing; the volumes seen.
  std::vector<float> Fade(int id, float step, int max_steps = 100) {
    std::vector<float> seen;
    game_per_second = step;
    _SndMusic *m = SoundGetMusic(id);
    for (int i = 0; i < max_steps; i++) {
      float before = m->volume;
      SoundTick();
      seen.push_back(m->volume);
      if (m->volume == before) break;
    }
    return seen;
  }

  static bool Plays(int id) {
    _SndMusic *m = SoundGetMusic(id);
    return m->playing && !m->stopping;
  }

  qwtest::TempDir dir;
  qwsound::LogCapture log;
  UserOptions options;
  qwtest::WorkingFolder m_cwd;
};

void ExpectVolumes(const std::vector<float> &got, const std::vector<float> &want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); i++) EXPECT_NEAR(got[i], want[i], 1e-5) << "step " << i;
}

TEST_F(SoundTest, TheGeneratedSetFillsEveryIdAndPlaysAtThePlayersVolume) {
  options.sound_volume = 0.6f;
  StartIn();
  for (int id = 0; id < SOUND_NUM_SOUNDS; id++) {
    SCOPED_TRACE(kSoundFiles[id]);
    ASSERT_NE(SoundGet(id), nullptr);
    EXPECT_NEAR(SoundGet(id)->GetVolume(), 0.6f, 1e-5);
  }
  for (int i = 0; i < SOUND_NUM_MUSICS; i++) EXPECT_NE(SoundGetMusic(i)->sound, nullptr);
  EXPECT_NOT_LOGGED(log, "Failed");

  // Effects obey the player's switch and the game's own, and the bullet calls pick by kind.
  struct Case {
    const char *what;
    char sound_on, enabled;
    bool heard;
  } cases[] = {{"on", 1, 1, true}, {"sounds off", 0, 1, false}, {"disabled", 1, 0, false}};
  for (const Case &k : cases) {
    SCOPED_TRACE(k.what);
    options.sound_on = k.sound_on;
    SoundEnable(k.enabled);
    SoundPlay(22);
    SoundPlayBulletLaunchSound(2, 1);
    SoundPlayBulletHitSound(7, 0);
    EXPECT_EQ(SoundGet(22)->IsPlaying() != 0, k.heard);
    EXPECT_EQ(SoundGet(2)->IsPlaying() != 0, k.heard);
    EXPECT_EQ(SoundGet(16)->IsPlaying() != 0, k.heard);
    for (int id : {22, 2, 16}) SoundGet(id)->Stop();
  }
  // Out of range asks play nothing and break nothing.
  options.sound_on = 1;
  SoundEnable(1);
  SoundPlay(-1);
  SoundPlay(SOUND_NUM_SOUNDS);
  SoundPlayBulletLaunchSound(9, 0);
  SoundPlayBulletHitSound(-1, 0);
}

TEST_F(SoundTest, MissingFilesLeaveTheirIdsSilent) {
  StartIn({"BulletHit3.wav", "Cash.wav"});
  EXPECT_EQ(SoundGet(12), nullptr);
  EXPECT_EQ(SoundGet(25), nullptr);
  SoundPlay(12);
  SoundPlayBulletHitSound(3, 0);
  SoundPlay(25);
  // The optional bullet sound goes unremarked; the missing event sound is named.
  EXPECT_NOT_LOGGED(log, "BulletHit3.wav");
  EXPECT_LOGGED(log, "Cash.wav");
  for (int id = 0; id < SOUND_NUM_SOUNDS; id++) {
    if (id != 12 && id != 25) {
      EXPECT_NE(SoundGet(id), nullptr) << kSoundFiles[id];
    }
  }
}

TEST_F(SoundTest, MenuMusicFadesOutForPlayKeepsItsPlaceAndResumesOnTheNextMenu) {
  StartIn();
  // Menus: the menu music fades in from 0 at 0.2 a second to 0.5 x 0.7.
  SoundFollowMusicChoice(ScreensChooseMusic(1, EngFourCC("MAIN"), 0, 0, &options));
  ASSERT_TRUE(Plays(SOUND_MUSIC_MENU));
  ExpectVolumes(Fade(SOUND_MUSIC_MENU, 0.5f), {0.001f, 0.101f, 0.201f, 0.301f, 0.35f, 0.35f});
  _SndMusic *menu = SoundGetMusic(SOUND_MUSIC_MENU);
  EXPECT_NEAR(menu->sound->GetVolume(), 0.35f, 1e-5);
  const EngUInt32 size = menu->sound->GetPlayBufferSize();
  ASSERT_GT(size, 0u);
  ASSERT_EQ(menu->sound->SetPlayBufferPos(size / 2), 1);

  // Play with "menus only": it fades out at 0.2 a second and stops at 0, its place kept.
  SoundFollowMusicChoice(ScreensChooseMusic(0, 0, 0, 0, &options));
  EXPECT_TRUE(menu->stopping);
  ExpectVolumes(Fade(SOUND_MUSIC_MENU, 0.5f), {0.25f, 0.15f, 0.05f, 0.0f, 0.0f});
  EXPECT_FALSE(menu->playing);
  EXPECT_FALSE(menu->stopping);
  EXPECT_FALSE(menu->sound->IsPlaying());
  EXPECT_NEAR(options.music_position, 0.5f, 0.02f);

  // The next menu starts it again from there.
  SoundFollowMusicChoice(ScreensChooseMusic(1, EngFourCC("MAIN"), 0, 0, &options));
  ASSERT_TRUE(Plays(SOUND_MUSIC_MENU));
  EXPECT_NEAR(double(menu->sound->GetPlayBufferPos()) / double(menu->sound->GetPlayBufferSize()), 0.5, 0.02);

  // A damaged stored place starts it from the beginning.
  SoundStopAllMusic(1);
  options.music_position = NAN;
  SoundStartMainMusic();
  ASSERT_TRUE(Plays(SOUND_MUSIC_MENU));
  EXPECT_LT(menu->sound->GetPlayBufferPos(), menu->sound->GetPlayBufferSize() / 10);
}

TEST_F(SoundTest, AMusicIsDecodedWholeIntoItsSoundAndComesRoundItsLoopPointWithNoTick) {
  StartIn();
  SoundStartMainMusic();
  ASSERT_TRUE(Plays(SOUND_MUSIC_MENU));
  EngSound *menu = SoundGetMusic(SOUND_MUSIC_MENU)->sound;
  OggVorbis_File vf;
  ASSERT_EQ(ov_fopen("Menu.ogg", &vf), 0);
  const ogg_int64_t frames = ov_pcm_total(&vf, -1);
  ov_clear(&vf);
  const EngUInt32 size = menu->GetPlayBufferSize();
  EXPECT_EQ(size, EngUInt32(frames * 4));
  // A tenth of a second before the end; with no tick at all it comes round to a fifth of a
  // second after the start.
  const EngUInt32 from = size - 44100 / 10 * 4;
  ASSERT_EQ(menu->SetPlayBufferPos(from), 1);
  // Below where it was put only once it has come round; the music is far longer than a poll.
  EXPECT_TRUE(qwtest::WaitUntil([&] {
    const EngUInt32 at = menu->GetPlayBufferPos();
    return at > 44100 / 5 * 4 && at < from;
  })) << "never came round its loop point: at "
      << menu->GetPlayBufferPos() << " of " << size;
  EXPECT_TRUE(Plays(SOUND_MUSIC_MENU));
  EXPECT_EQ(menu->IsPlaying(), 1);
  EXPECT_NOT_LOGGED(log, "Error");
}

TEST_F(SoundTest, AMusicPlaysOnWithoutAGapThroughASecondWithNoTick) {
  if (qwsound::OpenALStartedInThisProcess()) GTEST_SKIP() << "OpenAL was already started in this process";
  const std::string out = dir.File("out.wav");
  qwsound::UseWaveOutput(dir.Path(), out);
  StartIn({"Menu.ogg"});
  // Two seconds of an unbroken tone (whole periods of 441 Hz, so that its loop joins): any
  // silence in what reached the speakers is a gap.
  const int frames = 2 * 44100;
  qwtest::WriteWholeFile(dir.File("Menu.ogg"), qwsound::MakeOgg(2, 44100, frames, 441.0));
  // From 0.2 s before its loop point, at its full volume at once.
  options.music_position = 0.9f;
  SoundStartMainMusic();
  ASSERT_TRUE(Plays(SOUND_MUSIC_MENU)) << log.All();
  _SndMusic *menu = SoundGetMusic(SOUND_MUSIC_MENU);
  game_per_second = 2.0f;
  SoundTick();
  SoundTick();
  ASSERT_FLOAT_EQ(menu->volume, 0.35f);
  EngSound *sound = menu->sound;
  const EngUInt32 size = sound->GetPlayBufferSize();
  ASSERT_EQ(size, EngUInt32(frames) * 4);

  // The main loop stalls for a second: nothing ticks the sounds.
  std::this_thread::sleep_for(std::chrono::seconds(1));
  EXPECT_TRUE(Plays(SOUND_MUSIC_MENU));
  EXPECT_EQ(sound->IsPlaying(), 1);
  // Ticking again until the mixer has played on past the stall: round the loop point and on to
  // 1.2 s (the stall left it at 0.8 s at the most).
  game_per_second = 1.0f / 60.0f;
  // A poll that misses the span sees it again a loop later.
  ASSERT_TRUE(qwtest::WaitUntil([&] {
    SoundTick();
    const EngUInt32 at = sound->GetPlayBufferPos();
    return at >= size * 6 / 10 && at < size * 9 / 10;
  })) << "never played on past the stall: at "
      << sound->GetPlayBufferPos() << " of " << size;
  SoundExit();  // closes the device, which completes the file

  const std::string wav = qwtest::ReadWholeFile(out);
  const qwsound::WaveSpan span = qwsound::NonSilentSpan(wav);
  ASSERT_GE(span.first, 0) << "the output is silent";
  // 1.4 s and more were played, none of it silent beyond a zero crossing.
  EXPECT_GT(span.Length(), 44100L * 13 / 10);
  EXPECT_LT(qwsound::LongestSilence(wav, span.first, span.last), 44100L / 100) << "a gap of 10 ms or more";
}

TEST_F(SoundTest, GameOverMusicFadesInAtPointSixAndOutAtPointOneASecond) {
  StartIn();
  SoundFollowMusicChoice(ScreensChooseMusic(0, 0, 1, 0, &options));
  ASSERT_TRUE(Plays(SOUND_MUSIC_GAME_OVER));
  EXPECT_FLOAT_EQ(SoundGetMusic(SOUND_MUSIC_GAME_OVER)->target, 1.0f);
  ExpectVolumes(Fade(SOUND_MUSIC_GAME_OVER, 0.5f), {0.001f, 0.301f, 0.601f, 0.901f, 1.0f, 1.0f});
  SoundStopGameOverMusic();
  std::vector<float> out = Fade(SOUND_MUSIC_GAME_OVER, 1.0f);
  ASSERT_GE(out.size(), 10u);
  EXPECT_NEAR(out[0], 0.9f, 1e-5);
  EXPECT_NEAR(out[8], 0.1f, 1e-5);
  EXPECT_FALSE(SoundGetMusic(SOUND_MUSIC_GAME_OVER)->playing);

  // The won music starts at its full volume.
  SoundFollowMusicChoice(ScreensChooseMusic(0, 0, 0, 1, &options));
  ASSERT_TRUE(Plays(SOUND_MUSIC_WON));
  EXPECT_FLOAT_EQ(SoundGetMusic(SOUND_MUSIC_WON)->volume, 0.8f);
  EXPECT_NEAR(SoundGetMusic(SOUND_MUSIC_WON)->sound->GetVolume(), 0.8f, 1e-5);
}

TEST_F(SoundTest, EachSituationPlaysTheChosenMusicAndFadesTheOthers) {
  StartIn();
  struct Case {
    const char *what;
    char screens_on;
    euint screen;
    char over, won;
    char when;  // the player's menu-music choice
    int heard;  // -1: none
  } cases[] = {
      {"main menu", 1, EngFourCC("MAIN"), 0, 0, 1, SOUND_MUSIC_MENU},
      {"play, menus only", 0, 0, 0, 0, 1, -1},
      {"play, always", 0, 0, 0, 0, 0, SOUND_MUSIC_MENU},
      {"menu, game only", 1, EngFourCC("MAIN"), 0, 0, 2, -1},
      {"game over", 0, 0, 1, 0, 0, SOUND_MUSIC_GAME_OVER},
      {"garden won", 0, 0, 0, 1, 0, SOUND_MUSIC_WON},
      {"players screen", 1, EngFourCC("uUSR"), 0, 0, 0, -1},
      {"country screen", 1, EngFourCC("mCTY"), 0, 0, 0, -1},
  };
  // Every case starts from every music playing, so each fade out is seen.
  for (const Case &k : cases) {
    SCOPED_TRACE(k.what);
    options.music_when = k.when;
    SoundStopAllMusic(1);
    for (int i = 0; i < SOUND_NUM_MUSICS; i++) {
      _SndMusic *m = SoundGetMusic(i);
      m->target = 0.5f;
      ASSERT_EQ(SoundLoadAndPlayMusicFile(m, kMusicFiles[i]), 1);
      m->volume = 0.5f;
    }
    SoundFollowMusicChoice(ScreensChooseMusic(k.screens_on, k.screen, k.over, k.won, &options));
    for (int i = 0; i < SOUND_NUM_MUSICS; i++) {
      SCOPED_TRACE(kMusicFiles[i]);
      EXPECT_EQ(Plays(i), i == k.heard);
    }
    game_per_second = 1.0f;
    for (int t = 0; t < 30; t++) SoundTick();
    for (int i = 0; i < SOUND_NUM_MUSICS; i++) {
      SCOPED_TRACE(kMusicFiles[i]);
      EXPECT_EQ(SoundGetMusic(i)->playing != 0, i == k.heard);
      EXPECT_EQ(SoundGetMusic(i)->sound->IsPlaying() != 0, i == k.heard);
    }
  }
  // A music chosen again while it fades out comes back instead of stopping.
  options.music_when = 0;
  SoundStopAllMusic(1);
  SoundStartMainMusic();
  game_per_second = 10.0f;
  SoundTick();
  SoundStopMainMusic();
  SoundStartMainMusic();
  for (int t = 0; t < 5; t++) SoundTick();
  EXPECT_TRUE(Plays(SOUND_MUSIC_MENU));
  EXPECT_NEAR(SoundGetMusic(SOUND_MUSIC_MENU)->volume, 0.35f, 1e-5);
}

TEST_F(SoundTest, AMusicThatDoesNotLoadIsNamedAndStaysSilent) {
  StartIn({"Menu.ogg"});
  qwtest::WriteWholeFile(dir.File("GameOver.ogg"), "OggS but not really a stream");
  SoundStartMainMusic();
  EXPECT_LOGGED(log, "Could not load <Menu.ogg>");
  EXPECT_LOGGED(log, DebugGetStringFromErrorNumber(DEBUG_ERR_OPFA));
  EXPECT_FALSE(SoundGetMusic(SOUND_MUSIC_MENU)->playing);
  SoundStartGameOverMusic();
  EXPECT_LOGGED(log, "Could not load <GameOver.ogg>");
  EXPECT_FALSE(SoundGetMusic(SOUND_MUSIC_GAME_OVER)->playing);
  game_per_second = 1.0f;
  SoundTick();
  // The others still play.
  SoundStartWinMusic();
  EXPECT_TRUE(Plays(SOUND_MUSIC_WON));
}

TEST_F(SoundTest, NoSoundDeviceTurnsSoundOffForThisRunOnly) {
  if (qwsound::OpenALStartedInThisProcess()) GTEST_SKIP() << "OpenAL was already started in this process";
  qwsound::NoteOpenALStarted();
  qwtest::ScopedEnvVar driver("ALSOFT_DRIVERS", "qw-no-such-driver");
  ASSERT_TRUE(m_cwd.Enter(Resources()));
  EXPECT_EQ(SoundInit(), 0);
  EXPECT_LOGGED(log, "EngSoundInit() Failed - turning off sound");
  EXPECT_EQ(SoundIsRunning(), 0);
  // The player's display settings keep sound on, for the next run.
  EXPECT_EQ(resolution.sound_on, 1);
  log.Clear();
  SoundPlay(22);
  SoundPlayBulletLaunchSound(0, 0);
  SoundStartOrStopMusic();
  SoundStartMainMusic();
  SoundTick();
  SoundStopAllMusic(0);
  // Silent, and nothing more to say.
  if (log.Works()) {
    EXPECT_EQ(log.Size(), 0u) << log.All();
  }
  SoundExit();
}

TEST_F(SoundTest, SoundsOffInTheSettingsStartsNothing) {
  resolution.sound_on = 0;
  ASSERT_TRUE(m_cwd.Enter(Resources()));
  EXPECT_EQ(SoundInit(), 1);
  EXPECT_EQ(SoundIsRunning(), 0);
  EXPECT_EQ(SoundGet(22), nullptr);
  SoundStartMainMusic();
  EXPECT_FALSE(SoundGetMusic(SOUND_MUSIC_MENU)->playing);
}

TEST_F(SoundTest, ABugKillReachesTheSpeakers) {
  if (qwsound::OpenALStartedInThisProcess()) GTEST_SKIP() << "OpenAL was already started in this process";
  qwsound::NoteOpenALStarted();
  const std::string out = dir.File("out.wav");
  qwsound::UseWaveOutput(dir.Path(), out);
  ASSERT_TRUE(m_cwd.Enter(Resources()));
  ASSERT_EQ(SoundInit(), 1) << log.All();
  SoundPlay(22);
  EngSound *kill = SoundGet(22);
  ASSERT_NE(kill, nullptr);
  ASSERT_TRUE(qwtest::WaitUntil([&] { return !kill->IsPlaying(); })) << "the kill sound never ended";
  SoundExit();  // closes the device, which completes the file
  qwsound::WaveSpan span = qwsound::NonSilentSpan(qwtest::ReadWholeFile(out));
  ASSERT_GE(span.first, 0) << "the output is silent";
  EXPECT_GT(span.peak, 8000);
  // About the effect's quarter second.
  EXPECT_GT(span.Length(), 44100 / 6);
  EXPECT_LT(span.Length(), 44100 / 2);
}

// ---- The generated files --------------------------------------------------------------------

uint32_t GetLE(const std::string &b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; i++) v |= uint32_t(uint8_t(b[at + i])) << (8 * i);
  return v;
}

TEST(SoundAssets, EveryEffectIsAShortCleanMonoWaveAtAboutMinusThreeDecibels) {
  for (const char *name : kSoundFiles) {
    SCOPED_TRACE(name);
    const std::string wav = qwtest::ReadWholeFile(Resources() + name);
    ASSERT_GT(wav.size(), 44u);
    ASSERT_EQ(wav.compare(0, 4, "RIFF"), 0);
    EXPECT_EQ(GetLE(wav, 20, 2), 1u);      // PCM
    EXPECT_EQ(GetLE(wav, 22, 2), 1u);      // mono
    EXPECT_EQ(GetLE(wav, 24, 4), 44100u);  // rate
    EXPECT_EQ(GetLE(wav, 34, 2), 16u);     // bits
    ASSERT_EQ(wav.compare(36, 4, "data"), 0);
    const size_t n = GetLE(wav, 40, 4) / 2;
    ASSERT_EQ(wav.size(), 44 + n * 2);
    std::vector<int> s(n);
    int peak = 0;
    for (size_t i = 0; i < n; i++) {
      s[i] = int16_t(GetLE(wav, 44 + i * 2, 2));
      peak = std::max(peak, std::abs(s[i]));
    }
    const double db = 20.0 * std::log10(peak / 32768.0);
    EXPECT_GT(db, -6.0);
    EXPECT_LT(db, -2.0);
    // Faded at both ends: no click when it starts or stops.
    EXPECT_LE(std::abs(s.front()), 64);
    EXPECT_LE(std::abs(s.back()), 64);
    const double seconds = double(n) / 44100.0;
    EXPECT_GE(seconds, 0.05);
    EXPECT_LE(seconds, 1.0);
  }
  // The won sequence repeats the coin faster than 15 times a second.
  const std::string cash = qwtest::ReadWholeFile(Resources() + "Cash.wav");
  EXPECT_LT(double(GetLE(cash, 40, 4) / 2) / 44100.0, 0.07);
}

TEST(SoundAssets, EachMusicIsAStereoLoopThatJoinsWithoutAJump) {
  for (const char *name : kMusicFiles) {
    SCOPED_TRACE(name);
    OggVorbis_File vf;
    ASSERT_EQ(ov_fopen((Resources() + name).c_str(), &vf), 0);
    vorbis_info *vi = ov_info(&vf, -1);
    ASSERT_NE(vi, nullptr);
    EXPECT_EQ(vi->channels, 2);
    EXPECT_EQ(vi->rate, 44100);
    std::vector<int16_t> pcm;
    char buf[8192];
    int section = 0;
    for (;;) {
      long got = ov_read(&vf, buf, sizeof(buf), 0, 2, 1, &section);
      ASSERT_GE(got, 0);
      if (got == 0) break;
      const int16_t *p = reinterpret_cast<const int16_t *>(buf);
      pcm.insert(pcm.end(), p, p + got / 2);
    }
    ov_clear(&vf);
    const size_t frames = pcm.size() / 2;
    const double seconds = double(frames) / 44100.0;
    EXPECT_GE(seconds, 30.0);
    EXPECT_LE(seconds, 60.0);
    // The step from the last frame to the first is no larger than the music's own steps.
    std::vector<int> steps;
    int peak = 0;
    for (size_t f = 0; f + 1 < frames; f++) {
      steps.push_back(std::abs(pcm[2 * (f + 1)] - pcm[2 * f]));
      peak = std::max(peak, std::abs(int(pcm[2 * f])));
    }
    std::sort(steps.begin(), steps.end());
    const int p99 = steps[steps.size() * 99 / 100];
    for (int c = 0; c < 2; c++) EXPECT_LE(std::abs(pcm[c] - pcm[2 * (frames - 1) + c]), p99);
    // Mixed under the effects, which peak at -3 dBFS.
    EXPECT_LT(20.0 * std::log10(peak / 32768.0), -4.5);
    EXPECT_GT(peak, 3000);
  }
}

}  // namespace
