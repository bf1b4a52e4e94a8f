// The about screen's generated layout: collection "About" with one full-screen window "About" of
// six widgets (title picture, four buttons along the bottom, the version), for the five device
// layouts. It holds no credit text: its behaviour class AboutCC draws the credits.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;

class AboutCollectionController : public MWinCollectionController {
 public:
  AboutCollectionController();

  char CreateCollection(MWin *mwin) override;
  MWinCollection *AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop);
  MWinWindow *AddAboutWindowToCollectionNormal(MWinCollection *collection);
  MWinWindow *AddAboutWindowToCollectionIPhonePortrait(MWinCollection *collection);
  MWinWindow *AddAboutWindowToCollectionIPhoneLandscape(MWinCollection *collection);
  MWinWindow *AddAboutWindowToCollectionIPadPortrait(MWinCollection *collection);
  MWinWindow *AddAboutWindowToCollectionIPadLandscape(MWinCollection *collection);
  char AddAboutWindowButtonsToWindowNormal(MWinWindow *window);
  char AddAboutWindowButtonsToWindowIPhonePortrait(MWinWindow *window);
  char AddAboutWindowButtonsToWindowIPhoneLandscape(MWinWindow *window);
  char AddAboutWindowButtonsToWindowIPadPortrait(MWinWindow *window);
  char AddAboutWindowButtonsToWindowIPadLandscape(MWinWindow *window);
  void RemoveVars() override;
  void SetScreensVar(MWinScreens *screens);

  static const ScreenLayout &GetLayout();

  MWinCollection *mwinAboutCollection;
  MWinWindow *mwinAboutAboutWindow;
  MWinButton *mwinAboutAboutTitleButton;
  MWinButton *mwinAboutAboutHomePageButton;
  MWinButton *mwinAboutAboutForumsButton;
  MWinButton *mwinAboutAboutLogsButton;
  MWinButton *mwinAboutAboutBackButton;
  MWinButton *mwinAboutAboutVersionButton;

 private:
  std::array<MWinButton **, 6> Widgets();
  MWinWindow *AddAboutWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
