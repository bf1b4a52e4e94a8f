// The new player screen's generated layout: collection "UserNew" with one full-screen window
// "MainWin": the name and country buttons with their labels, Back, Continue and the title
// picture. Its behaviour class is UserNewCC.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;

class UserNewCollectionController : public MWinCollectionController {
 public:
  UserNewCollectionController();

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

  MWinCollection *mwinUserNewCollection;
  MWinWindow *mwinUserNewMainWinWindow;
  MWinButton *mwinUserNewMainWinNameButton;
  MWinButton *mwinUserNewMainWinBackButton;
  MWinButton *mwinUserNewMainWinNameTextButton;
  MWinButton *mwinUserNewMainWinCountryButton;
  MWinButton *mwinUserNewMainWinCountryTextButton;
  MWinButton *mwinUserNewMainWinContinueButton;
  MWinButton *mwinUserNewMainWinSolTextPicButton;

 private:
  std::array<MWinButton **, 7> Widgets();
  MWinWindow *AddMainWinWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
