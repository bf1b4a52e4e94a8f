// The options screen's generated layout: collection "Options" with one full-screen window
// "Options": the title picture, four option rows (a caption, a choice and a "?" each) and Back,
// for the five device layouts; phones and tablets build the startup-window row hidden. Its
// behaviour class is OptionsCC.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;

class OptionsCollectionController : public MWinCollectionController {
 public:
  OptionsCollectionController();

  char CreateCollection(MWin *mwin) override;
  MWinCollection *AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop);
  MWinWindow *AddOptionsWindowToCollectionNormal(MWinCollection *collection);
  MWinWindow *AddOptionsWindowToCollectionIPhonePortrait(MWinCollection *collection);
  MWinWindow *AddOptionsWindowToCollectionIPhoneLandscape(MWinCollection *collection);
  MWinWindow *AddOptionsWindowToCollectionIPadPortrait(MWinCollection *collection);
  MWinWindow *AddOptionsWindowToCollectionIPadLandscape(MWinCollection *collection);
  char AddOptionsWindowButtonsToWindowNormal(MWinWindow *window);
  char AddOptionsWindowButtonsToWindowIPhonePortrait(MWinWindow *window);
  char AddOptionsWindowButtonsToWindowIPhoneLandscape(MWinWindow *window);
  char AddOptionsWindowButtonsToWindowIPadPortrait(MWinWindow *window);
  char AddOptionsWindowButtonsToWindowIPadLandscape(MWinWindow *window);
  void RemoveVars() override;
  void SetScreensVar(MWinScreens *screens);

  static const ScreenLayout &GetLayout();

  MWinCollection *mwinOptionsCollection;
  MWinWindow *mwinOptionsOptionsWindow;
  MWinButton *mwinOptionsOptionsTitleButton;
  MWinButton *mwinOptionsOptionsShowResTButton;
  MWinButton *mwinOptionsOptionsShowResButton;
  MWinButton *mwinOptionsOptionsShowResInfoButton;
  MWinButton *mwinOptionsOptionsOneUserButton;
  MWinButton *mwinOptionsOptionsOneUserTButton;
  MWinButton *mwinOptionsOptionsOneUserInfoButton;
  MWinButton *mwinOptionsOptionsPowerTButton;
  MWinButton *mwinOptionsOptionsPowerButton;
  MWinButton *mwinOptionsOptionsDateFormatTextButton;
  MWinButton *mwinOptionsOptionsDateFormatButton;
  MWinButton *mwinOptionsOptionsPowerInfoButton;
  MWinButton *mwinOptionsOptionsDateFormatInfoButton;
  MWinButton *mwinOptionsOptionsBackButton;

 private:
  std::array<MWinButton **, 14> Widgets();
  MWinWindow *AddOptionsWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
