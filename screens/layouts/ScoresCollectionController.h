// The high-score screen's generated layout: collection "Scores" with one full-screen window
// "Main" of sixteen widgets (title, heading, four garden buttons, the Which and Range choices,
// the score table, the command row and a debug button), for the five device layouts. Its
// behaviour class is ScoresCC.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

class MWinTabPanel;
struct ScreenLayout;

class ScoresCollectionController : public MWinCollectionController {
 public:
  ScoresCollectionController();

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
  // The score table, a tab panel kept in its widget member.
  MWinTabPanel *GetScoresTable();

  MWinCollection *mwinScoresCollection;
  MWinWindow *mwinScoresMainWindow;
  MWinButton *mwinScoresMainTitleButton;
  MWinButton *mwinScoresMainHeadingButton;
  MWinButton *mwinScoresMainLevel0Button;
  MWinButton *mwinScoresMainLevel1Button;
  MWinButton *mwinScoresMainLevel2Button;
  MWinButton *mwinScoresMainLevel3Button;
  MWinButton *mwinScoresMainWhichButton;
  MWinButton *mwinScoresMainRangeButton;
  MWinButton *mwinScoresMainScoresButton;  // an MWinTabPanel
  MWinButton *mwinScoresMainUpdateButton;
  MWinButton *mwinScoresMainSubmitButton;
  MWinButton *mwinScoresMainFindMeButton;
  MWinButton *mwinScoresMainResetButton;
  MWinButton *mwinScoresMainBackButton;
  MWinButton *mwinScoresMainDbgDeleteButton;
  MWinButton *mwinScoresMainInfoButton;

 private:
  std::array<MWinButton **, 16> Widgets();
  MWinWindow *AddMainWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
