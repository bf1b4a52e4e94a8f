#include "game/Popup.h"

#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinWindow.h"
#include "game/Quarrelwick.h"
#include "game/Sidebar.h"
#include "game/Weapons.h"
#include "screens/PopupCC.h"

int &PopupUpdateRequestsForTests() {
  static int requests = 0;
  return requests;
}

void PopupInitForNewGame() {
  if (g_popup_cc) g_popup_cc->DestroyCollectionIfNeeded();
}

void PopupInitForNewLevel() {}

char PopupIsButtonDisabled() { return g_popup_cc ? g_popup_cc->IsShortOfCash() : 1; }

void PopupUpdate(char refresh) {
  PopupUpdateRequestsForTests()++;
  PopupCC *cc = g_popup_cc;
  // A press being answered is not taken from under itself; the next tick's update follows.
  if (!cc || cc->IsAnsweringPress()) return;
  const char over_box =
      (sbl_over_what >= 0 && sbl_over_what < QW_SIDEBAR_BOXES && sb_button_on[sbl_over_what]) ? 1 : 0;
  if ((!over_box || play_state != QW_PLAY_IDLE) && weapon_info_shown < 0) {
    cc->DestroyCollectionIfNeeded();
    return;
  }
  cc->CreateCollectionIfNeeded(refresh);
  if (cc->IsWeaponWindowShown()) cc->GetWeaponWindow()->ActivateButtonUnderMouse();
}

void PopupWeaponLevelChanged() {
  if (!g_popup_cc) return;
  g_popup_cc->DestroyCollectionIfNeeded();
  if (!game_won) PopupUpdate(1);
}

void PopupTick() {
  PopupUpdate(0);
  PopupCC *cc = g_popup_cc;
  if (!cc || !cc->CollectionExists() || !cc->m_mwin) return;
  cc->m_mwin->Tick2();
  cc->TickCB();
}

void PopupRender() {
  PopupCC *cc = g_popup_cc;
  if (!cc || !cc->CollectionExists() || !cc->m_mwin) return;
  cc->m_mwin->RenderMain();
  cc->m_mwin->RenderPopups();
}

char PopupMoveMouse(float x, float y, float, float) {
  PopupCC *cc = g_popup_cc;
  if (!cc || !cc->CollectionExists() || !cc->m_mwin) return 0;
  cc->m_mwin->MoveMouse(x, y);
  return cc->IsMouseInWeaponWindow();
}

char PopupMouseButtonPressed(char button, char state) {
  PopupCC *cc = g_popup_cc;
  if (!cc) return 0;
  if (button == 1 && cc->IsWeaponWindowShown()) {
    cc->DestroyCollectionIfNeeded();
    weapon_info_shown = -1;
    return 1;
  }
  if (!cc->IsMouseInWeaponWindow()) return 0;
  cc->m_mwin->ButtonPressed(button, state == 2 ? 0 : state, 0);
  return 1;
}
