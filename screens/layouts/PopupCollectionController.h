// The in-play popup's generated layout: collection "Popup" with two small windows that float
// over the play field, "Sidebar" (the facts of a shop box, eleven labels) built before
// "Weapon" (a placed weapon's controls, twenty-three widgets), for the five device layouts.
// Its behaviour class is PopupCC.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;

class PopupCollectionController : public MWinCollectionController {
 public:
  PopupCollectionController();

  char CreateCollection(MWin *mwin) override;
  MWinCollection *AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop);
  MWinWindow *AddSidebarWindowToCollectionNormal(MWinCollection *collection);
  MWinWindow *AddWeaponWindowToCollectionNormal(MWinCollection *collection);
  MWinWindow *AddSidebarWindowToCollectionIPhonePortrait(MWinCollection *collection);
  MWinWindow *AddWeaponWindowToCollectionIPhonePortrait(MWinCollection *collection);
  MWinWindow *AddSidebarWindowToCollectionIPhoneLandscape(MWinCollection *collection);
  MWinWindow *AddWeaponWindowToCollectionIPhoneLandscape(MWinCollection *collection);
  MWinWindow *AddSidebarWindowToCollectionIPadPortrait(MWinCollection *collection);
  MWinWindow *AddWeaponWindowToCollectionIPadPortrait(MWinCollection *collection);
  MWinWindow *AddSidebarWindowToCollectionIPadLandscape(MWinCollection *collection);
  MWinWindow *AddWeaponWindowToCollectionIPadLandscape(MWinCollection *collection);
  char AddSidebarWindowButtonsToWindowNormal(MWinWindow *window);
  char AddWeaponWindowButtonsToWindowNormal(MWinWindow *window);
  char AddSidebarWindowButtonsToWindowIPhonePortrait(MWinWindow *window);
  char AddWeaponWindowButtonsToWindowIPhonePortrait(MWinWindow *window);
  char AddSidebarWindowButtonsToWindowIPhoneLandscape(MWinWindow *window);
  char AddWeaponWindowButtonsToWindowIPhoneLandscape(MWinWindow *window);
  char AddSidebarWindowButtonsToWindowIPadPortrait(MWinWindow *window);
  char AddWeaponWindowButtonsToWindowIPadPortrait(MWinWindow *window);
  char AddSidebarWindowButtonsToWindowIPadLandscape(MWinWindow *window);
  char AddWeaponWindowButtonsToWindowIPadLandscape(MWinWindow *window);
  void RemoveVars() override;
  void SetScreensVar(MWinScreens *screens);

  static const ScreenLayout &GetLayout();

  MWinCollection *mwinPopupCollection;
  MWinWindow *mwinPopupSidebarWindow;
  MWinButton *mwinPopupSidebarTitleButton;
  MWinButton *mwinPopupSidebarCostButton;
  MWinButton *mwinPopupSidebarCostTButton;
  MWinButton *mwinPopupSidebarReloadButton;
  MWinButton *mwinPopupSidebarDamageTButton;
  MWinButton *mwinPopupSidebarDamageButton;
  MWinButton *mwinPopupSidebarReloadTButton;
  MWinButton *mwinPopupSidebarSlowButton;
  MWinButton *mwinPopupSidebarSlowTButton;
  MWinButton *mwinPopupSidebarRangeButton;
  MWinButton *mwinPopupSidebarRangeTButton;
  MWinWindow *mwinPopupWeaponWindow;
  MWinButton *mwinPopupWeaponTitleButton;
  MWinButton *mwinPopupWeaponReloadButton;
  MWinButton *mwinPopupWeaponDamageTButton;
  MWinButton *mwinPopupWeaponDamageButton;
  MWinButton *mwinPopupWeaponReloadTButton;
  MWinButton *mwinPopupWeaponSlowButton;
  MWinButton *mwinPopupWeaponSlowTButton;
  MWinButton *mwinPopupWeaponRangeButton;
  MWinButton *mwinPopupWeaponRangeTButton;
  MWinButton *mwinPopupWeaponReload2Button;
  MWinButton *mwinPopupWeaponDamage2Button;
  MWinButton *mwinPopupWeaponSlow2Button;
  MWinButton *mwinPopupWeaponRange2Button;
  MWinButton *mwinPopupWeaponLevelButton;
  MWinButton *mwinPopupWeaponUpgradeButton;
  MWinButton *mwinPopupWeaponSellButton;
  MWinButton *mwinPopupWeaponArrow1Button;
  MWinButton *mwinPopupWeaponArrow2Button;
  MWinButton *mwinPopupWeaponArrow3Button;
  MWinButton *mwinPopupWeaponArrow4Button;
  MWinButton *mwinPopupWeaponFullUpgradeButton;
  MWinButton *mwinPopupWeaponTargetTButton;
  MWinButton *mwinPopupWeaponTargetButton;

 private:
  std::array<MWinButton **, 11> SidebarWidgets();
  std::array<MWinButton **, 23> WeaponWidgets();
  MWinWindow *AddSidebarWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
  MWinWindow *AddWeaponWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
