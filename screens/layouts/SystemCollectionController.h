// The display-system screen's generated layout: collection "System" with one window "MainWin"
// (Normal layout only; the other device layouts build the same). Its behaviour class is SystemCC.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;

class SystemCollectionController : public MWinCollectionController {
 public:
  SystemCollectionController();

  char CreateCollection(MWin *mwin) override;
  MWinCollection *AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop);
  MWinWindow *AddMainWinWindowToCollectionNormal(MWinCollection *collection);
  char AddMainWinWindowButtonsToWindowNormal(MWinWindow *window);
  void RemoveVars() override;
  void SetScreensVar(MWinScreens *screens);

  static const ScreenLayout &GetLayout();

  MWinCollection *mwinSystemCollection;
  MWinWindow *mwinSystemMainWinWindow;
  MWinButton *mwinSystemMainWinBgButton;
  MWinButton *mwinSystemMainWinModeTextButton;
  MWinButton *mwinSystemMainWinModeButton;
  MWinButton *mwinSystemMainWinResButton;
  MWinButton *mwinSystemMainWinFreqTextButton;
  MWinButton *mwinSystemMainWinFreqButton;
  MWinButton *mwinSystemMainWinAaTextButton;
  MWinButton *mwinSystemMainWinAaButton;
  MWinButton *mwinSystemMainWinAaInfoButton;
  MWinButton *mwinSystemMainWinChangeButton;

 private:
  std::array<MWinButton **, 10> Widgets();
};
