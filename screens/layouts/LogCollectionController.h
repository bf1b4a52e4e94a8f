// The log viewer's generated layout: collection "Log" with one titled window "MainWin" (a Back
// button in its title bar), the item panel "Log" and the copy, help and clear buttons, for the
// five device layouts. Its behaviour class is LogCC.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;

class LogCollectionController : public MWinCollectionController {
 public:
  LogCollectionController();

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

  // The desktop's tables; the phone and tablet layouts build from a twin without tokens.
  static const ScreenLayout &GetLayout();
  static const ScreenLayout &GetDeviceLayout();

  MWinCollection *mwinLogCollection;
  MWinWindow *mwinLogMainWinWindow;
  MWinButton *mwinLogMainWinCopySelButton;
  MWinButton *mwinLogMainWinLogButton;
  MWinButton *mwinLogMainWinCopyAllButton;
  MWinButton *mwinLogMainWinHelpButton;
  MWinButton *mwinLogMainWinClearButton;

 private:
  std::array<MWinButton **, 5> Widgets();
  MWinWindow *AddMainWinWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
