// The game's music in the real program under Xvfb, with OpenAL Soft's wave-file output: the menu
// music goes on, without a gap, through a second of the main loop's frames with the window
// minimised, when the loop ticks nothing.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "Engine/EngProgram.h"
#include "Engine/EngSound.h"
#include "Engine/EngWindow.h"
#include "game/Quarrelwick.h"
#include "game/Sound.h"
#include "players/UserClass.h"
#include "players/UserInfo.h"
#include "tests/Engine/WaveCapture.h"
#include "tests/screens/ScreensProgramTestSupport.h"

namespace {

class SoundProgramDisplayTest : public qwtest::ScreensProgramTest {
 protected:
  void BeforeProgramStart() override { qwsound::UseWaveOutput(m_home.Path(), Output()); }
  std::string Output() { return m_home.File("out.wav"); }
};

TEST_F(SoundProgramDisplayTest, TheMenuMusicPlaysOnWithoutAGapWhileTheWindowIsMinimised) {
  ASSERT_EQ(SoundIsRunning(), 1);
  UserOptions *o = &main_game->GetLoadedUser()->GetInfo()->options;
  o->sound_on = 1;
  o->music_on = 1;
  o->music_when = 0;
  o->music_volume = 0.5f;
  // Started again from just before its loop point, at its full volume at once.
  SoundStopAllMusic(1);
  o->music_position = 0.99f;
  SoundStartOrStopMusic();
  _SndMusic *menu = SoundGetMusic(SOUND_MUSIC_MENU);
  ASSERT_TRUE(menu->playing);
  game_per_second = 2.0f;
  SoundTick();
  SoundTick();
  ASSERT_FLOAT_EQ(menu->volume, 0.35f);
  EngSound *sound = menu->sound;
  const EngUInt32 size = sound->GetPlayBufferSize();
  const EngUInt32 second = 44100 * 4;
  ASSERT_GT(size, 10 * second);
  // Half a second before its loop point, put there rather than read: a read would come late on a
  // slow machine, and a start given as a share of the music lies further back in a longer one.
  const EngUInt32 loud_from = size - second / 2;
  ASSERT_EQ(sound->SetPlayBufferPos(loud_from), 1);
  // A lower volume asked for: any tick fades toward it.
  o->music_volume = 0.25f;
  SoundsUpdateMainMusicsVolume();

  PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
  ASSERT_EQ(main_program->GetWindow()->IsMinimized(), 1);
  // Twenty frames of the loop, each a 0.05 s sleep in place of a tick and a draw: a second at
  // least, however slow the machine.
  Frames(20);
  EXPECT_FLOAT_EQ(menu->volume, 0.35f) << "the sounds were ticked while minimised";
  EXPECT_TRUE(menu->playing);
  EXPECT_EQ(sound->IsPlaying(), 1);

  // Shown again, the loop ticks (the fade goes on) and the mixer plays on past the minimised
  // second: half a second to the loop point, then past 1.6 s (the second left it at 0.5 s at the
  // most, a slow machine further).
  PushWindowEvent(SDL_WINDOWEVENT_RESTORED);
  ASSERT_EQ(main_program->GetWindow()->IsMinimized(), 0);
  ASSERT_TRUE(FramesUntil(
      [&] {
        const EngUInt32 at = sound->GetPlayBufferPos();
        return at >= second * 16 / 10 && at < size / 2;
      },
      qwtest::kHangSeconds))
      << sound->GetPlayBufferPos() << " of " << size;
  EXPECT_LT(menu->volume, 0.35f);
  // What the source played since it was loud, round the loop point once.
  const long played = long((sound->GetPlayBufferPos() + size - loud_from) % size / 4);
  StopProgram();  // the sound device closes, which completes the file

  const std::string wav = qwtest::ReadWholeFile(Output());
  // OpenAL Soft reads its configuration once a process: a test before this one in the same
  // process chose the null output (CTest runs each test alone).
  if (wav.empty()) GTEST_SKIP() << "OpenAL was started earlier in this process";
  const qwsound::WaveSpan span = qwsound::NonSilentSpan(wav);
  ASSERT_GE(span.first, 0) << "the output is silent";
  // The output's last that many frames are that music with no gap: a gap is silence that the
  // source did not count as played. Left out: the first 50 ms, where the mixer may have begun
  // with the volume before the tick. The music's own quietest moments last less than a
  // millisecond at these volumes.
  ASSERT_GT(played, 44100L * 18 / 10);
  EXPECT_LT(qwsound::LongestSilence(wav, span.last - played + 44100 / 20, span.last), 44100L / 100)
      << "a gap of 10 ms or more";
}

}  // namespace
