// The load player screen's generated layout: collection "UserLoad" with one full-screen window
// "MainWin": the player list, Load, Back, the title picture, a loading bar and a settings
// button (both always hidden) and Delete. Its behaviour class is UserLoadCC.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;

class UserLoadCollectionController : public MWinCollectionController {
 public:
  UserLoadCollectionController();

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

  MWinCollection *mwinUserLoadCollection;
  MWinWindow *mwinUserLoadMainWinWindow;
  MWinButton *mwinUserLoadMainWinPanelButton;
  MWinButton *mwinUserLoadMainWinLoadButton;
  MWinButton *mwinUserLoadMainWinBackButton;
  MWinButton *mwinUserLoadMainWinSolTextPicButton;
  MWinButton *mwinUserLoadMainWinLoadProgressButton;
  MWinButton *mwinUserLoadMainWinSettingsButton;
  MWinButton *mwinUserLoadMainWinDeleteButton;

 private:
  std::array<MWinButton **, 7> Widgets();
  MWinWindow *AddMainWinWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
