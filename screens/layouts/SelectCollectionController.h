// The garden selection screen's generated layout: collection "Select" with one full-screen
// window "Main": the title picture, the heading, the four gardens' pictures on frames in a
// two-by-two grid, a difficulty button over each picture's foot, and Back, for the five device
// layouts. Its behaviour class is SelectCC.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;

class SelectCollectionController : public MWinCollectionController {
 public:
  SelectCollectionController();

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

  MWinCollection *mwinSelectCollection;
  MWinWindow *mwinSelectMainWindow;
  MWinButton *mwinSelectMainTitleButton;
  MWinButton *mwinSelectMainSelectTButton;
  MWinButton *mwinSelectMainBg0Button;
  MWinButton *mwinSelectMainBg1Button;
  MWinButton *mwinSelectMainBg2Button;
  MWinButton *mwinSelectMainBg3Button;
  MWinButton *mwinSelectMainLevel0Button;
  MWinButton *mwinSelectMainLevel1Button;
  MWinButton *mwinSelectMainLevel2Button;
  MWinButton *mwinSelectMainLevel3Button;
  MWinButton *mwinSelectMainDiff0Button;
  MWinButton *mwinSelectMainDiff1Button;
  MWinButton *mwinSelectMainDiff2Button;
  MWinButton *mwinSelectMainDiff3Button;
  MWinButton *mwinSelectMainBackButton;

 protected:
  std::array<MWinButton **, 15> Widgets();

 private:
  MWinWindow *AddMainWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
