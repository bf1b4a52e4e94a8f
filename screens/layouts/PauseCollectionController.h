// The pause screen's generated layout: collection "Pause" with one full-screen window "MainWin":
// the title picture over a column of seven commands (resume, high scores, how to play, sound and
// music, options, quit, save and exit), for the five device layouts; phones and tablets build the
// save-and-exit command hidden. Its behaviour class is PauseCC.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;

class PauseCollectionController : public MWinCollectionController {
 public:
  PauseCollectionController();

  char CreateCollection(MWin *mwin) override;
  MWinCollection *AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop);
  MWinWindow *AddMainWinWindowToCollectionNormal(MWinCollection *collection);
  MWinWindow *AddMainWinWindowToCollectionIPhonePortrait(MWinCollection *collection);
  MWinWindow *AddMainWinWindowToCollectionIPhoneLandscape(MWinCollection *collection);
  MWinWindow *AddMainWinWindowToCollectionIPadPortrait(MWinCollection *collection);
  MWinWindow *AddMainWinWindowToCollectionIPadLandscape(MWinCollection *collection);
  char AddMainWinWindowButtonsToWindowNormal(MWinWindow *window);
  char AddMainWinWindowButtonsToWindowIPhonePortrait(MWinWindow *window);
  char AddMainWinWindowButtonsToWindowIPhoneLandscape(MWinWindow *window);
  char AddMainWinWindowButtonsToWindowIPadPortrait(MWinWindow *window);
  char AddMainWinWindowButtonsToWindowIPadLandscape(MWinWindow *window);
  void RemoveVars() override;
  void SetScreensVar(MWinScreens *screens);

  static const ScreenLayout &GetLayout();

  MWinCollection *mwinPauseCollection;
  MWinWindow *mwinPauseMainWinWindow;
  MWinButton *mwinPauseMainWinTitleButton;
  MWinButton *mwinPauseMainWinResumeButton;
  MWinButton *mwinPauseMainWinScoresButton;
  MWinButton *mwinPauseMainWinHelpButton;
  MWinButton *mwinPauseMainWinSoundsButton;
  MWinButton *mwinPauseMainWinOptionsButton;
  MWinButton *mwinPauseMainWinQuitButton;
  MWinButton *mwinPauseMainWinSaveButton;

 protected:
  std::array<MWinButton **, 8> Widgets();

 private:
  MWinWindow *AddMainWinWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
