// The first players screen's generated layout: collection "Users" with one full-screen window
// "MainWin": Continue, New, Load ("Manage"), Device, Exit, the title picture, the loading
// bar, the always-load box and the language flag. Its behaviour class is UsersCC.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;

class UsersCollectionController : public MWinCollectionController {
 public:
  UsersCollectionController();

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

  MWinCollection *mwinUsersCollection;
  MWinWindow *mwinUsersMainWinWindow;
  MWinButton *mwinUsersMainWinContinueButton;
  MWinButton *mwinUsersMainWinNewButton;
  MWinButton *mwinUsersMainWinManageButton;
  MWinButton *mwinUsersMainWinDeviceButton;
  MWinButton *mwinUsersMainWinExitButton;
  MWinButton *mwinUsersMainWinTitlePicButton;
  MWinButton *mwinUsersMainWinLoadProgressButton;
  MWinButton *mwinUsersMainWinAlwaysLoadButton;
  MWinButton *mwinUsersMainWinLangFlagButton;

 private:
  std::array<MWinButton **, 9> Widgets();
  MWinWindow *AddMainWinWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
