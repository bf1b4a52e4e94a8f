#include "screens/SoundsCC.h"

#include <cmath>

#include "Engine/EngPicture.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinChoice.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Engine/MWin/MWinScreens.h"
#include "game/Game.h"
#include "game/Sound.h"
#include "players/UserClass.h"
#include "players/UserInfo.h"
#include "screens/MainControl.h"
#include "screens/ScreensText.h"
#include "screens/VQ_Screens.h"

namespace {

// The choices keep these pointers, not the texts: filled from the language as the screen starts.
const char *sc_off_on_strs[2];
const char *sc_main_music_when_strs[SOUNDS_NUM_MUSIC_WHEN];

void FillLists() {
  sc_off_on_strs[0] = ScreensText("Sounds_Off", "Off");
  sc_off_on_strs[1] = ScreensText("Sounds_On", "On");
  sc_main_music_when_strs[0] = ScreensText("Sounds_WhenAlways", "Always");
  sc_main_music_when_strs[1] = ScreensText("Sounds_WhenMenusOnly", "Menus Only");
  sc_main_music_when_strs[2] = ScreensText("Sounds_WhenGameOnly", "Game Only");
}

void BindChoice(MWinButton *button, int count, const char **list, EngUInt8 *byte) {
  MWinChoice *choice = MWinChoice::From(button);
  if (!choice) return;
  choice->ChoiceSetStrings(count, list);
  if (byte) choice->ChoiceRegisterCharVariable(reinterpret_cast<char *>(byte), 0);
}

void BindSlider(MWinHorzScrollbar *slider, float min, float max, float *value) {
  if (!slider) return;
  // Page and step 0: a tenth and a hundredth of the range.
  slider->SetValuesFloat(min, max, 0, 0);
  if (value) slider->RegisterFloatVariable(value, 1.0f);
}

void EnableIf(MWinButton *button, bool on) {
  if (!button) return;
  if (on)
    button->Enable();
  else
    button->Disable();
}

char ClampVolume(float *v, float min, float max) {
  float was = *v;
  if (std::isnan(*v) || *v < min) *v = min;
  if (*v > max) *v = max;
  // A NaN compares unequal to itself, so it counts as changed.
  return *v != was;
}

}  // namespace

int SoundsCC::PutOptionsInRange(UserOptions *o) {
  if (!o) return 0;
  int changed = 0;
  for (EngUInt8 *on : {&o->sound_on, &o->music_on, &o->game_over_music_on, &o->won_music_on})
    if (*on > 1) {
      *on = 1;
      changed++;
    }
  if (o->music_when >= SOUNDS_NUM_MUSIC_WHEN) {
    o->music_when = 0;
    changed++;
  }
  changed += ClampVolume(&o->sound_volume, SOUNDS_SOUND_VOLUME_MIN, SOUNDS_SOUND_VOLUME_MAX);
  for (float *v : {&o->music_volume, &o->game_over_music_volume, &o->won_music_volume})
    changed += ClampVolume(v, SOUNDS_MUSIC_VOLUME_MIN, SOUNDS_MUSIC_VOLUME_MAX);
  return changed;
}

UserOptions *SoundsCC::Options() {
  UserClass *user = m_game ? m_game->GetLoadedUser() : nullptr;
  return user ? &user->GetInfo()->options : nullptr;
}

void SoundsCC::UpdateEnabled() {
  UserOptions *o = Options();
  if (!o) return;
  EnableIf(mwinSoundsSoundsSoundsVolButton, o->sound_on != 0);
  EnableIf(mwinSoundsSoundsMainMusicOnWhenButton, o->music_on != 0);
  EnableIf(mwinSoundsSoundsMainMusicVolButton, o->music_on != 0);
  EnableIf(mwinSoundsSoundsGoMusicVolButton, o->game_over_music_on != 0);
  EnableIf(mwinSoundsSoundsWinMusicVolButton, o->won_music_on != 0);
}

void SoundsCC::StartingCB(void *) {
  FillLists();
  UserOptions *o = Options();
  // What the widgets cannot show never reaches them, nor the sound layer after them.
  PutOptionsInRange(o);
  BindChoice(mwinSoundsSoundsSoundsOnButton, 2, sc_off_on_strs, o ? &o->sound_on : nullptr);
  BindSlider(GetSoundsVol(), SOUNDS_SOUND_VOLUME_MIN, SOUNDS_SOUND_VOLUME_MAX, o ? &o->sound_volume : nullptr);
  BindChoice(mwinSoundsSoundsMainMusicOnButton, 2, sc_off_on_strs, o ? &o->music_on : nullptr);
  BindChoice(mwinSoundsSoundsMainMusicOnWhenButton, SOUNDS_NUM_MUSIC_WHEN, sc_main_music_when_strs,
             o ? &o->music_when : nullptr);
  BindSlider(GetMainMusicVol(), SOUNDS_MUSIC_VOLUME_MIN, SOUNDS_MUSIC_VOLUME_MAX, o ? &o->music_volume : nullptr);
  BindChoice(mwinSoundsSoundsGoMusicOnButton, 2, sc_off_on_strs, o ? &o->game_over_music_on : nullptr);
  BindSlider(GetGoMusicVol(), SOUNDS_MUSIC_VOLUME_MIN, SOUNDS_MUSIC_VOLUME_MAX,
             o ? &o->game_over_music_volume : nullptr);
  BindChoice(mwinSoundsSoundsWinMusicOnButton, 2, sc_off_on_strs, o ? &o->won_music_on : nullptr);
  BindSlider(GetWinMusicVol(), SOUNDS_MUSIC_VOLUME_MIN, SOUNDS_MUSIC_VOLUME_MAX, o ? &o->won_music_volume : nullptr);
  UpdateEnabled();
  if (mwinSoundsSoundsBackButton) mwinSoundsSoundsBackButton->SetEscapeButtonForParentWindow();
  // The menu let the title picture go as it left.
  if (mwinSoundsSoundsTitleButton && !MainControlGetTitlePicture()->AreGraphicsCreated()) MainControlCreateGraphics();
  MainControlSetupTitleButton(mwinSoundsSoundsTitleButton);
}

void SoundsCC::GoBack() {
  MainControlDestroyGraphics();
  if (!m_screens) return;
  m_screens->GoBack();
  // Nowhere to go back to: the screen stays, and so does its title.
  if (m_screens->GetCurrentScreen() == SOUNDS_SCREEN_ID && mwinSoundsSoundsTitleButton) MainControlCreateGraphics();
}

char SoundsCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) {
  if (!button || !info) return 0;
  // The choice or slider has written the new value already.
  if (button == mwinSoundsSoundsSoundsOnButton || button == mwinSoundsSoundsGoMusicOnButton ||
      button == mwinSoundsSoundsWinMusicOnButton) {
    // The game-over and won switches start nothing here: their music comes with the game's end.
    UpdateEnabled();
  } else if (button == mwinSoundsSoundsSoundsVolButton) {
    SoundsUpdateVolumes();
  } else if (button == mwinSoundsSoundsMainMusicOnButton) {
    UpdateEnabled();
    SoundStartOrStopMusic();
  } else if (button == mwinSoundsSoundsMainMusicOnWhenButton) {
    SoundStartOrStopMusic();
  } else if (button == mwinSoundsSoundsMainMusicVolButton) {
    SoundsUpdateMainMusicsVolume();
  } else if (button == mwinSoundsSoundsGoMusicVolButton || button == mwinSoundsSoundsWinMusicVolButton) {
    // Used the next time that music starts.
  } else if (button == mwinSoundsSoundsTitleButton) {
    MainControlTitleButtonClicked(button);
  } else if (button == mwinSoundsSoundsBackButton) {
    GoBack();
  } else {
    return 0;
  }
  return 1;
}
