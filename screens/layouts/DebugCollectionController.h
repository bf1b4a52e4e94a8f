// The debug settings layout: collection "Debug", one titled window "MainWin" with a Back button
// and one list, "StartupAction". No screen shows it and it has no behaviour class: its press
// callbacks stay for a subclass to fill.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;

class DebugCollectionController : public MWinCollectionController {
 public:
  DebugCollectionController();

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

  MWinCollection *mwinDebugCollection;
  MWinWindow *mwinDebugMainWinWindow;
  MWinButton *mwinDebugMainWinStartupActionButton;

 private:
  std::array<MWinButton **, 1> Widgets();
  MWinWindow *AddMainWinWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
