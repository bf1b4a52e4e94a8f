// The main menu's generated layout: collection "Main" with one full-screen window "Main" of
// fourteen widgets, for the five device layouts. Its behaviour class is MainCC.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;

class MainCollectionController : public MWinCollectionController {
 public:
  MainCollectionController();

  char CreateCollection(MWin *mwin) override;
  MWinCollection *AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop);
  MWinWindow *AddMainWindowToCollectionNormal(MWinCollection *collection);
  MWinWindow *AddMainWindowToCollectionIPhonePortrait(MWinCollection *collection);
  MWinWindow *AddMainWindowToCollectionIPhoneLandscape(MWinCollection *collection);
  MWinWindow *AddMainWindowToCollectionIPadPortrait(MWinCollection *collection);
  MWinWindow *AddMainWindowToCollectionIPadLandscape(MWinCollection *collection);
  char AddMainWindowButtonsToWindowNormal(MWinWindow *window);
  char AddMainWindowButtonsToWindowIPhonePortrait(MWinWindow *window);
  char AddMainWindowButtonsToWindowIPhoneLandscape(MWinWindow *window);
  char AddMainWindowButtonsToWindowIPadPortrait(MWinWindow *window);
  char AddMainWindowButtonsToWindowIPadLandscape(MWinWindow *window);
  void RemoveVars() override;
  void SetScreensVar(MWinScreens *screens);

  static const ScreenLayout &GetLayout();

  MWinCollection *mwinMainCollection;
  MWinWindow *mwinMainMainWindow;
  MWinButton *mwinMainMainTitleButton;
  MWinButton *mwinMainMainVersionButton;
  MWinButton *mwinMainMainWelcomeButton;
  MWinButton *mwinMainMainPlayButton;
  MWinButton *mwinMainMainHelpButton;
  MWinButton *mwinMainMainScoresButton;
  MWinButton *mwinMainMainSoundButton;
  MWinButton *mwinMainMainOptionsButton;
  MWinButton *mwinMainMainAboutButton;
  MWinButton *mwinMainMainUserButton;
  MWinButton *mwinMainMainOtherGamesButton;
  MWinButton *mwinMainMainExitButton;
  MWinButton *mwinMainMainDebugButton;
  MWinButton *mwinMainMainReviewButton;

 private:
  std::array<MWinButton **, 14> Widgets();
  MWinWindow *AddMainWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
