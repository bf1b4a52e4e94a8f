// The sound and music screen in the real program under Xvfb with OpenAL Soft's null output,
// pressed with SDL events: volumes enabled by their switches, sliders held to their ranges and
// applied at once, the menu music following the main switch and "when" (the sound layer's
// state, not audio), the game-over and won switches starting nothing, and a hostile record put
// into range as the screen opens.
#include <cmath>
#include <limits>
#include <string>

#include "Engine/EngPicture.h"
#include "Engine/EngSound.h"
#include "Engine/MWin/MWinChoice.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "game/Sound.h"
#include "players/UserClass.h"
#include "players/UserInfo.h"
#include "screens/SoundsCC.h"
#include "tests/screens/ScreensProgramTestSupport.h"

namespace {

class SoundsCCDisplayTest : public qwtest::ScreensProgramTest {
 protected:
  SoundsCC *Sounds() { return Screens()->GetSoundsCC(); }
  UserOptions *Player() { return &main_game->GetLoadedUser()->GetInfo()->options; }
  void Open() {
    Click(Screens()->GetMainCC()->mwinMainMainSoundButton);
    ASSERT_EQ(Root()->GetCurrentScreen(), SOUNDS_SCREEN_ID);
  }
  void Choose(MWinButton *choice, int entry, int count = 2) { ClickAt(choice, (float(entry) + 0.5f) / float(count)); }
  static std::string Shown(MWinButton *choice) {
    MWinChoice *c = MWinChoice::From(choice);
    return c->ChoiceGetString(c->ChoiceGetSel());
  }
  static _SndMusic *Menu() { return SoundGetMusic(SOUND_MUSIC_MENU); }
  static bool MenuMusicPlays() { return Menu()->playing && !Menu()->stopping; }
  // Every switch and volume as a new player has them, the menu music started for the main menu.
  void StartWithMusic() {
    UserOptions *o = Player();
    o->sound_on = 1;
    o->sound_volume = 0.8f;
    o->music_on = 1;
    o->music_when = 0;
    o->music_volume = 0.3f;
    o->game_over_music_on = 1;
    o->game_over_music_volume = 0.3f;
    o->won_music_on = 1;
    o->won_music_volume = 0.3f;
    SoundStartOrStopMusic();
    Frames(2);
  }
};

TEST_F(SoundsCCDisplayTest, EachVolumeIsEnabledOnlyWhileItsSwitchIsOn) {
  StartWithMusic();
  UserOptions *o = Player();
  o->sound_on = 0;
  o->game_over_music_on = 0;
  Open();
  SoundsCC *s = Sounds();
  EXPECT_EQ(MainControlGetTitlePicture()->AreGraphicsCreated(), 1);
  EXPECT_EQ(Shown(s->mwinSoundsSoundsSoundsOnButton), "Off");
  EXPECT_EQ(Shown(s->mwinSoundsSoundsMainMusicOnWhenButton), "Always");
  EXPECT_EQ(s->mwinSoundsSoundsSoundsVolButton->IsEnabled(), 0);
  EXPECT_EQ(s->mwinSoundsSoundsGoMusicVolButton->IsEnabled(), 0);
  EXPECT_EQ(s->mwinSoundsSoundsMainMusicVolButton->IsEnabled(), 1);
  EXPECT_EQ(s->mwinSoundsSoundsMainMusicOnWhenButton->IsEnabled(), 1);
  EXPECT_EQ(s->mwinSoundsSoundsWinMusicVolButton->IsEnabled(), 1);
  EXPECT_EQ(s->mwinSoundsSoundsWindow->GetEscapeButton(), s->mwinSoundsSoundsBackButton);
  Frame("sounds-off");
  // A disabled slider keeps its value under a click.
  ClickAt(s->mwinSoundsSoundsSoundsVolButton, 0.05f);
  EXPECT_FLOAT_EQ(o->sound_volume, 0.8f);

  Choose(s->mwinSoundsSoundsSoundsOnButton, 1);
  EXPECT_EQ(o->sound_on, 1);
  EXPECT_EQ(s->mwinSoundsSoundsSoundsVolButton->IsEnabled(), 1);
  Choose(s->mwinSoundsSoundsGoMusicOnButton, 1);
  EXPECT_EQ(s->mwinSoundsSoundsGoMusicVolButton->IsEnabled(), 1);
  Choose(s->mwinSoundsSoundsWinMusicOnButton, 0);
  EXPECT_EQ(o->won_music_on, 0);
  EXPECT_EQ(s->mwinSoundsSoundsWinMusicVolButton->IsEnabled(), 0);
  Choose(s->mwinSoundsSoundsMainMusicOnButton, 0);
  EXPECT_EQ(s->mwinSoundsSoundsMainMusicVolButton->IsEnabled(), 0);
  EXPECT_EQ(s->mwinSoundsSoundsMainMusicOnWhenButton->IsEnabled(), 0);
  Frame("sounds-switched");

  Key(SDLK_ESCAPE);
  Frames(1);
  EXPECT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
  EXPECT_EQ(Sounds()->mwinSoundsSoundsBackButton, nullptr);
}

TEST_F(SoundsCCDisplayTest, TheSlidersStopAtTheirRangesAndApplyAtOnce) {
  StartWithMusic();
  UserOptions *o = Player();
  Open();
  SoundsCC *s = Sounds();
  MWinHorzScrollbar *music = s->GetMainMusicVol(), *sound = s->GetSoundsVol(), *over = s->GetGoMusicVol();
  ASSERT_NE(music, nullptr);
  EXPECT_FLOAT_EQ(music->GetPosFloat(), 0.3f);
  EXPECT_FLOAT_EQ(sound->GetPosFloat(), 0.8f);
  // A page is a tenth of the range.
  EXPECT_NEAR(music->m_page, 0.048, 1e-6);
  EXPECT_NEAR(music->m_step, 0.0048, 1e-6);
  for (int i = 0; i < 15; i++) ClickAt(music, 0.999f);
  EXPECT_FLOAT_EQ(o->music_volume, 0.5f);
  EXPECT_FLOAT_EQ(music->GetPosFloat(), 0.5f);
  // The menu music takes the new volume at once (it fades toward it).
  EXPECT_FLOAT_EQ(Menu()->target, 0.5f * 0.7f);
  for (int i = 0; i < 15; i++) ClickAt(music, 0.001f);
  EXPECT_FLOAT_EQ(o->music_volume, 0.02f);
  EXPECT_FLOAT_EQ(Menu()->target, 0.02f * 0.7f);
  for (int i = 0; i < 15; i++) ClickAt(over, 0.999f);
  EXPECT_FLOAT_EQ(o->game_over_music_volume, 0.5f);

  for (int i = 0; i < 25; i++) ClickAt(sound, 0.999f);
  EXPECT_FLOAT_EQ(o->sound_volume, 1.0f);
  for (int i = 0; i < 6; i++) ClickAt(sound, 0.02f);
  EXPECT_LT(o->sound_volume, 1.0f);
  EXPECT_GE(o->sound_volume, 0.02f);
  // Every game sound takes the sound volume.
  if (SoundIsRunning() && SoundGet(0)) {
    EXPECT_NEAR(SoundGet(0)->GetVolume(), o->sound_volume, 1e-4);
  }
  Frame("sounds-sliders");
}

TEST_F(SoundsCCDisplayTest, TheMenuMusicFollowsTheMainSwitchAndWhenButTheEndMusicsStartNothing) {
  StartWithMusic();
  ASSERT_EQ(SoundIsRunning(), 1);
  ASSERT_TRUE(MenuMusicPlays());
  UserOptions *o = Player();
  Open();
  SoundsCC *s = Sounds();
  EXPECT_TRUE(MenuMusicPlays());

  Choose(s->mwinSoundsSoundsMainMusicOnWhenButton, 2, 3);
  EXPECT_EQ(o->music_when, 2);
  EXPECT_EQ(Shown(s->mwinSoundsSoundsMainMusicOnWhenButton), "Game Only");
  EXPECT_EQ(Menu()->stopping, 1);
  Choose(s->mwinSoundsSoundsMainMusicOnWhenButton, 1, 3);
  EXPECT_EQ(o->music_when, 1);
  EXPECT_TRUE(MenuMusicPlays());
  Frames(3);
  EXPECT_TRUE(MenuMusicPlays());

  // Off fades the menu music out at once; on brings it back.
  Choose(s->mwinSoundsSoundsMainMusicOnButton, 0);
  EXPECT_EQ(o->music_on, 0);
  EXPECT_EQ(Menu()->stopping, 1);
  Choose(s->mwinSoundsSoundsMainMusicOnButton, 1);
  EXPECT_TRUE(MenuMusicPlays());

  // The game-over and won switches wait for the game's end.
  for (MWinButton *button : {s->mwinSoundsSoundsGoMusicOnButton, s->mwinSoundsSoundsWinMusicOnButton})
    for (int entry : {0, 1}) {
      Choose(button, entry);
      EXPECT_EQ(SoundGetMusic(SOUND_MUSIC_GAME_OVER)->playing, 0);
      EXPECT_EQ(SoundGetMusic(SOUND_MUSIC_WON)->playing, 0);
      EXPECT_TRUE(MenuMusicPlays());
    }
  EXPECT_EQ(o->game_over_music_on, 1);
  EXPECT_EQ(o->won_music_on, 1);

  Click(s->mwinSoundsSoundsBackButton);
  EXPECT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
  EXPECT_TRUE(MenuMusicPlays());
}

TEST_F(SoundsCCDisplayTest, AHostileRecordIsPutInRangeBeforeTheWidgetsOrTheSoundLayerSeeIt) {
  StartWithMusic();
  UserOptions *o = Player();
  o->sound_on = 200;
  o->music_when = 3;
  o->sound_volume = std::numeric_limits<float>::quiet_NaN();
  o->music_volume = -1.0f;
  o->won_music_volume = 7.0f;
  Open();
  SoundsCC *s = Sounds();
  EXPECT_EQ(o->sound_on, 1);
  EXPECT_EQ(Shown(s->mwinSoundsSoundsSoundsOnButton), "On");
  EXPECT_EQ(o->music_when, 0);
  EXPECT_EQ(Shown(s->mwinSoundsSoundsMainMusicOnWhenButton), "Always");
  EXPECT_FLOAT_EQ(o->sound_volume, 0.02f);
  EXPECT_FLOAT_EQ(s->GetSoundsVol()->GetPosFloat(), 0.02f);
  EXPECT_FLOAT_EQ(o->music_volume, 0.02f);
  EXPECT_FLOAT_EQ(o->won_music_volume, 0.5f);
  EXPECT_FLOAT_EQ(s->GetWinMusicVol()->GetPosFloat(), 0.5f);
  // What the sliders send on is a number in range.
  ClickAt(s->GetMainMusicVol(), 0.98f);
  EXPECT_FALSE(std::isnan(Menu()->target));
  EXPECT_LE(Menu()->target, 0.5f * 0.7f);
}

TEST_F(SoundsCCDisplayTest, TheChoicesAreThereAgainAfterARestart) {
  StartWithMusic();
  Open();
  SoundsCC *s = Sounds();
  Choose(s->mwinSoundsSoundsMainMusicOnWhenButton, 1, 3);
  Choose(s->mwinSoundsSoundsWinMusicOnButton, 0);
  for (int i = 0; i < 15; i++) ClickAt(s->GetGoMusicVol(), 0.001f);
  Choose(s->mwinSoundsSoundsMainMusicOnButton, 0);
  Key(SDLK_ESCAPE);
  Frames(1);
  // The program ends as a player ends it and starts again in the same home.
  TearDown();
  SetUp();
  ASSERT_NE(main_game->GetLoadedUser(), nullptr);
  UserOptions *o = Player();
  EXPECT_EQ(o->music_on, 0);
  EXPECT_EQ(o->music_when, 1);
  EXPECT_EQ(o->won_music_on, 0);
  EXPECT_FLOAT_EQ(o->game_over_music_volume, 0.02f);
  EXPECT_FALSE(MenuMusicPlays());
  Open();
  EXPECT_EQ(Shown(Sounds()->mwinSoundsSoundsMainMusicOnButton), "Off");
  EXPECT_EQ(Shown(Sounds()->mwinSoundsSoundsMainMusicOnWhenButton), "Menus Only");
  EXPECT_EQ(Sounds()->mwinSoundsSoundsMainMusicOnWhenButton->IsEnabled(), 0);
  EXPECT_FLOAT_EQ(Sounds()->GetGoMusicVol()->GetPosFloat(), 0.02f);
}

}  // namespace
