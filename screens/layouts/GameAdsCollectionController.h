// The other-games screen's generated layout: collection "GameAds" with one window "MainWin".
// Unlike most layouts, the phone and tablet layouts carry widget sets of their own, so each
// device layout has its own table. Its behaviour class is GameAdsCC.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;

class GameAdsCollectionController : public MWinCollectionController {
 public:
  GameAdsCollectionController();

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

  // The table a device layout builds from (both tablet layouts share one).
  static const ScreenLayout &GetLayout(_EngLayout device = ENG_LAYOUT_DESKTOP);

  MWinCollection *mwinGameAdsCollection;
  MWinWindow *mwinGameAdsMainWinWindow;
  MWinButton *mwinGameAdsMainWinTitleButton;
  MWinButton *mwinGameAdsMainWinPic1BgButton;
  MWinButton *mwinGameAdsMainWinPic1Button;
  MWinButton *mwinGameAdsMainWinPic2BgButton;
  MWinButton *mwinGameAdsMainWinPic2Button;
  MWinButton *mwinGameAdsMainWinPicCenButton;
  MWinButton *mwinGameAdsMainWinDesc1Button;
  MWinButton *mwinGameAdsMainWinDesc2Button;
  MWinButton *mwinGameAdsMainWinDesc3Button;
  MWinButton *mwinGameAdsMainWinDesc4Button;
  MWinButton *mwinGameAdsMainWinDownloadButton;
  MWinButton *mwinGameAdsMainWinTellAFriendButton;
  MWinButton *mwinGameAdsMainWinPrevButton;
  MWinButton *mwinGameAdsMainWinNextButton;
  // Only the phone and tablet layouts have these.
  MWinButton *mwinGameAdsMainWinDescButton;
  MWinButton *mwinGameAdsMainWinPlatformButton;
  MWinButton *mwinGameAdsMainWinGetAppButton;
  MWinButton *mwinGameAdsMainWinBackButton;
  MWinButton *mwinGameAdsMainWinPic1FrameButton;

 private:
  std::array<MWinButton **, 19> AllWidgets();
  MWinWindow *AddMainWinWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
  char AddMainWinButtons(const char *signature, _EngLayout layout, MWinWindow *window);
};
