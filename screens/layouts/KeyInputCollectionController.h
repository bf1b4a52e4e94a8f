// The on-screen keyboard's generated layout: collection "KeyInput", one full-screen window
// "MainWin", for the phone and tablet layouts only (IPhonePortrait stands in for every other
// layout). Its pointers are the toolkit's key-input globals, which the text entry reads; the
// screens table hands the toolkit a factory of this class.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinTextEntryMobile.h"

struct ScreenLayout;

extern MWinCollection *mwinKeyInputCollection;

class KeyInputCollectionController : public MWinKeyInputLayout {
 public:
  KeyInputCollectionController();

  char CreateCollection(MWin *mwin) override;
  MWinCollection *AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop);
  MWinWindow *AddMainWinWindowToCollectionIPhonePortrait(MWinCollection *collection) override;
  MWinWindow *AddMainWinWindowToCollectionIPhoneLandscape(MWinCollection *collection) override;
  MWinWindow *AddMainWinWindowToCollectionIPadPortrait(MWinCollection *collection) override;
  MWinWindow *AddMainWinWindowToCollectionIPadLandscape(MWinCollection *collection) override;
  char AddMainWinWindowButtonsToWindowIPhonePortrait(MWinWindow *window);
  char AddMainWinWindowButtonsToWindowIPhoneLandscape(MWinWindow *window);
  char AddMainWinWindowButtonsToWindowIPadPortrait(MWinWindow *window);
  char AddMainWinWindowButtonsToWindowIPadLandscape(MWinWindow *window);
  void RemoveVars() override;
  void SetScreensVar(MWinScreens *screens);

  // What typing does belongs to the toolkit's text entry: the keyboard answers no press itself.
  void StartingCB(void *) override {}
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *, _MWinButtonCallbackInfo *) override { return 0; }

  static const ScreenLayout &GetLayout();
  // The factory handed to MWinSetKeyInputLayoutFactory.
  static MWinKeyInputLayout *New();

 private:
  static std::array<MWinButton **, 8> Widgets();
  MWinWindow *AddMainWinWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
