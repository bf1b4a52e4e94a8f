// The sound and music screen's generated layout: collection "Sounds" with one full-screen window
// "Sounds": the title picture, a caption beside each switch, "when" choice and volume slider
// (sounds, main music, game-won music, game-over music) and Back, for the five device layouts.
// Its behaviour class is SoundsCC.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;
class MWinHorzScrollbar;

class SoundsCollectionController : public MWinCollectionController {
 public:
  SoundsCollectionController();

  char CreateCollection(MWin *mwin) override;
  MWinCollection *AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop);
  MWinWindow *AddSoundsWindowToCollectionNormal(MWinCollection *collection);
  MWinWindow *AddSoundsWindowToCollectionIPhonePortrait(MWinCollection *collection);
  MWinWindow *AddSoundsWindowToCollectionIPhoneLandscape(MWinCollection *collection);
  MWinWindow *AddSoundsWindowToCollectionIPadPortrait(MWinCollection *collection);
  MWinWindow *AddSoundsWindowToCollectionIPadLandscape(MWinCollection *collection);
  char AddSoundsWindowButtonsToWindowNormal(MWinWindow *window);
  char AddSoundsWindowButtonsToWindowIPhonePortrait(MWinWindow *window);
  char AddSoundsWindowButtonsToWindowIPhoneLandscape(MWinWindow *window);
  char AddSoundsWindowButtonsToWindowIPadPortrait(MWinWindow *window);
  char AddSoundsWindowButtonsToWindowIPadLandscape(MWinWindow *window);
  void RemoveVars() override;
  void SetScreensVar(MWinScreens *screens);

  static const ScreenLayout &GetLayout();
  // The volume sliders behind their members, or null.
  MWinHorzScrollbar *GetSoundsVol();
  MWinHorzScrollbar *GetMainMusicVol();
  MWinHorzScrollbar *GetWinMusicVol();
  MWinHorzScrollbar *GetGoMusicVol();

  MWinCollection *mwinSoundsCollection;
  MWinWindow *mwinSoundsSoundsWindow;
  MWinButton *mwinSoundsSoundsTitleButton;
  MWinButton *mwinSoundsSoundsSoundsOnTextButton;
  MWinButton *mwinSoundsSoundsSoundsOnButton;
  MWinButton *mwinSoundsSoundsSoundsVolTextButton;
  MWinButton *mwinSoundsSoundsSoundsVolButton;
  MWinButton *mwinSoundsSoundsMainMusicOnTextButton;
  MWinButton *mwinSoundsSoundsMainMusicOnButton;
  MWinButton *mwinSoundsSoundsMainMusicOnText2Button;
  MWinButton *mwinSoundsSoundsMainMusicOnWhenButton;
  MWinButton *mwinSoundsSoundsMainMusicVolTextButton;
  MWinButton *mwinSoundsSoundsMainMusicVolButton;
  MWinButton *mwinSoundsSoundsWinMusicOnTextButton;
  MWinButton *mwinSoundsSoundsWinMusicOnButton;
  MWinButton *mwinSoundsSoundsWinMusicVolTextButton;
  MWinButton *mwinSoundsSoundsWinMusicVolButton;
  MWinButton *mwinSoundsSoundsGoMusicVolTextButton;
  MWinButton *mwinSoundsSoundsGoMusicVolButton;
  MWinButton *mwinSoundsSoundsGoMusicOnTextButton;
  MWinButton *mwinSoundsSoundsGoMusicOnButton;
  MWinButton *mwinSoundsSoundsBackButton;

 private:
  std::array<MWinButton **, 20> Widgets();
  MWinWindow *AddSoundsWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
