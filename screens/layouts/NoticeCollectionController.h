// The first-game notice's generated layout: collection "Notice" with one full-screen window
// "Notice": a framed message with one Ok button, the same in all five device layouts. Its
// behaviour class is NoticeCC.
#pragma once

#include <array>

#include "Engine/EngLayouts.h"
#include "Engine/MWin/MWinCollectionController.h"

struct ScreenLayout;

class NoticeCollectionController : public MWinCollectionController {
 public:
  NoticeCollectionController();

  char CreateCollection(MWin *mwin) override;
  MWinCollection *AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop);
  MWinWindow *AddNoticeWindowToCollectionNormal(MWinCollection *collection);
  MWinWindow *AddNoticeWindowToCollectionIPhonePortrait(MWinCollection *collection);
  MWinWindow *AddNoticeWindowToCollectionIPhoneLandscape(MWinCollection *collection);
  MWinWindow *AddNoticeWindowToCollectionIPadPortrait(MWinCollection *collection);
  MWinWindow *AddNoticeWindowToCollectionIPadLandscape(MWinCollection *collection);
  char AddNoticeWindowButtonsToWindowNormal(MWinWindow *window);
  char AddNoticeWindowButtonsToWindowIPhonePortrait(MWinWindow *window);
  char AddNoticeWindowButtonsToWindowIPhoneLandscape(MWinWindow *window);
  char AddNoticeWindowButtonsToWindowIPadPortrait(MWinWindow *window);
  char AddNoticeWindowButtonsToWindowIPadLandscape(MWinWindow *window);
  void RemoveVars() override;
  void SetScreensVar(MWinScreens *screens);

  static const ScreenLayout &GetLayout();

  MWinCollection *mwinNoticeCollection;
  MWinWindow *mwinNoticeNoticeWindow;
  MWinButton *mwinNoticeNoticeTitleButton;
  MWinButton *mwinNoticeNoticeFrameButton;
  MWinButton *mwinNoticeNoticeOkButton;
  MWinButton *mwinNoticeNoticeTextButton;

 protected:
  std::array<MWinButton **, 4> Widgets();

 private:
  MWinWindow *AddNoticeWindow(const char *signature, _EngLayout layout, MWinCollection *collection);
};
