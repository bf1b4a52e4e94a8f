// The root's popup state as far as the rest of the toolkit asks it: whether a popup is shown,
// its collection, and the per-frame and layout hooks. The popups themselves build on this.
#include "Engine/MWin/MWin.h"

void MWin::PopupInit() {
  m_popup_on = 0;
  m_popup_collection = nullptr;
}

void MWin::PopupInitButtonSizes() {}

void MWin::PopupTick() {}

char MWin::PopupIsOn() { return m_popup_on; }

void MWin::PopupTurnOff() { m_popup_on = 0; }

MWinCollection *MWin::GetPopupCollection() { return m_popup_collection; }

char MWin::PopupRenderFullScreenTextEntryMobile(char check_only) {
  (void)check_only;
  return 0;
}

void MWin::ColourCreateGraphics() {}

void MWin::ColourDestroyGraphics() {}
