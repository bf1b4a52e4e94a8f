// The select player screen's generated layout: collection "UserSelect" with one full-screen
// window "MainWin": New, the title picture, the caption, the player list, Delete, Exit (desktop
// only), the always-load box and Device (phones and tablets only) and the language flag. Its
// behaviour class is UserSelectCC.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;

class UserSelectCollectionController : public MWinCollectionController {
 public:
  UserSelectCollectionController();

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

  MWinCollection *mwinUserSelectCollection;
  MWinWindow *mwinUserSelectMainWinWindow;
  MWinButton *mwinUserSelectMainWinNewButton;
  MWinButton *mwinUserSelectMainWinTitlePicButton;
  MWinButton *mwinUserSelectMainWinSelTextButton;
  MWinButton *mwinUserSelectMainWinPanelButton;
  MWinButton *mwinUserSelectMainWinDeleteButton;
  MWinButton *mwinUserSelectMainWinExitButton;
  MWinButton *mwinUserSelectMainWinAlwaysLoadButton;
  MWinButton *mwinUserSelectMainWinDeviceButton;
  MWinButton *mwinUserSelectMainWinLangFlagButton;

 private:
  std::array<MWinButton **, 9> Widgets();
  MWinWindow *AddMainWinWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
