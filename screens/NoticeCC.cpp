#include "screens/NoticeCC.h"

#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinWindow.h"
#include "screens/ScreensText.h"
#include "screens/SelectCC.h"
#include "screens/VQ_Screens.h"

// Space, like Return and Escape, starts the game, wherever the pointer happens to be.
static char NoticeSpaceCB(int key, MWinWindow *window) {
  if (key != 32) return 0;
  MWinButton *ok = window->GetButtonFromID("Ok", 0);
  return ok ? window->SendButtonCallCallbackMessage(ok, 1) : 0;
}

void NoticeCC::StartingCB(void *) {
  if (mwinNoticeNoticeTextButton) {
    mwinNoticeNoticeTextButton->SetTextToMultiline(1);
    mwinNoticeNoticeTextButton->SetMultilineText(
        ScreensText("Notice_Text",
                    "Buy a factory, buy some weapons,\nand press \"START\" when ready.\n\nPress the \"Menu\" button or "
                    "the\n\"Escape\" key to return to the menus."));
  }
  if (mwinNoticeNoticeOkButton) {
    mwinNoticeNoticeOkButton->SetEscapeButtonForParentWindow();
    mwinNoticeNoticeOkButton->SetDefaultButtonForParentWindow();
  }
  if (mwinNoticeNoticeWindow) mwinNoticeNoticeWindow->SetKeyDownCB(NoticeSpaceCB);
}

char NoticeCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *) {
  if (!button || button != mwinNoticeNoticeOkButton) return 0;
  VQ_Screens *screens = static_cast<VQ_Screens *>(m_screens);
  if (screens) screens->GetSelectCC()->StartLevelCB();
  return 1;
}
