// The on-screen text entry of phone and tablet layouts: a full-screen popup built from the
// key-input screen layout with one key per character, editing the caller's buffer in place and
// filtering characters by kind. The layout itself belongs to the screens; it reaches the toolkit
// through the factory below and fills the key-input globals declared here.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/MWin/MWinCollectionController.h"
#include "Engine/MWin/MWinTextEdit.h"
#include "Engine/MWin/MWinTypes.h"

// The key-input layout's controller: each builder makes the "MainWin" window in the collection
// for its device and orientation, fills the globals below and returns the window (or null).
class MWinKeyInputLayout : public MWinCollectionController {
 public:
  virtual MWinWindow *AddMainWinWindowToCollectionIPhonePortrait(MWinCollection *collection) = 0;
  virtual MWinWindow *AddMainWinWindowToCollectionIPhoneLandscape(MWinCollection *collection) = 0;
  virtual MWinWindow *AddMainWinWindowToCollectionIPadPortrait(MWinCollection *collection) = 0;
  virtual MWinWindow *AddMainWinWindowToCollectionIPadLandscape(MWinCollection *collection) = 0;
};

// Makes the layout's controller for an entry; set by the screens. Without one no entry is shown.
typedef MWinKeyInputLayout *(*MWIN_KEY_INPUT_FACTORY)();
void MWinSetKeyInputLayoutFactory(MWIN_KEY_INPUT_FACTORY factory);

extern MWinWindow *mwinKeyInputMainWinWindow;
extern MWinButton *mwinKeyInputMainWinBgButton;
extern MWinButton *mwinKeyInputMainWinTitleButton;
extern MWinButton *mwinKeyInputMainWinMessageButton;
extern MWinButton *mwinKeyInputMainWinTextButton;
extern MWinButton *mwinKeyInputMainWinKeysBackButton;
extern MWinButton *mwinKeyInputMainWinDoneButton;
extern MWinButton *mwinKeyInputMainWinShiftButton;
extern MWinButton *mwinKeyInputMainWinDelButton;

void MWinPopupGetTextKeyCB_Mobile(MWin *mwin, _MWinButtonCallbackInfo *info, int number, int code);
void MWinPopupGetTextDoneCB_Mobile(MWin *mwin, _MWinButtonCallbackInfo *info, int a, int b, void *user);
void MWinPopupGetTextUpdateShiftKey_Mobile();
void MWinPopupGetTextSetButtonText_Mobile(MWinButton *button, const char *text);
// Called by the popup whenever it closes, however it closes: the entry forgets the buffer.
void MWinTextEntryPopupClosed_Mobile();

// The entry in progress, for tests and the popup: the buffer (null when none) and the state.
char *MWinTextEntryGetBuffer_Mobile();
char MWinTextEntryGetShift_Mobile();
const char *MWinTextEntryGetPreviewChar_Mobile();
const _Dimension *MWinTextEntryGetPreviewArea_Mobile();
// The preview's opacity at d seconds after its key was pressed.
float MWinTextEntryPreviewAlpha_Mobile(double d);
void MWinTextEntryResetForTests();
