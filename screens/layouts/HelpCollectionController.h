// The help screen's generated layout: collection "Help" with one full-screen window "Help": the
// title picture, Prev, Next, Keys and Back, and the script text box "Info" that shows one help
// page at a time, for the five device layouts. Its behaviour class is HelpCC.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;
class MWinScriptButton;

class HelpCollectionController : public MWinCollectionController {
 public:
  HelpCollectionController();

  char CreateCollection(MWin *mwin) override;
  MWinCollection *AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop);
  MWinWindow *AddHelpWindowToCollectionNormal(MWinCollection *collection);
  MWinWindow *AddHelpWindowToCollectionIPhonePortrait(MWinCollection *collection);
  MWinWindow *AddHelpWindowToCollectionIPhoneLandscape(MWinCollection *collection);
  MWinWindow *AddHelpWindowToCollectionIPadPortrait(MWinCollection *collection);
  MWinWindow *AddHelpWindowToCollectionIPadLandscape(MWinCollection *collection);
  char AddHelpWindowButtonsToWindowNormal(MWinWindow *window);
  char AddHelpWindowButtonsToWindowIPhonePortrait(MWinWindow *window);
  char AddHelpWindowButtonsToWindowIPhoneLandscape(MWinWindow *window);
  char AddHelpWindowButtonsToWindowIPadPortrait(MWinWindow *window);
  char AddHelpWindowButtonsToWindowIPadLandscape(MWinWindow *window);
  void RemoveVars() override;
  void SetScreensVar(MWinScreens *screens);

  static const ScreenLayout &GetLayout();
  // The script text box behind mwinHelpHelpInfoButton, or null.
  MWinScriptButton *GetInfoBox();

  MWinCollection *mwinHelpCollection;
  MWinWindow *mwinHelpHelpWindow;
  MWinButton *mwinHelpHelpTitleButton;
  MWinButton *mwinHelpHelpPrevButton;
  MWinButton *mwinHelpHelpNextButton;
  MWinButton *mwinHelpHelpKeysButton;
  MWinButton *mwinHelpHelpBackButton;
  MWinButton *mwinHelpHelpInfoButton;

 private:
  std::array<MWinButton **, 6> Widgets();
  MWinWindow *AddHelpWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
