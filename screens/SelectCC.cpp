#include "screens/SelectCC.h"

#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngTexture.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/MWin/MWinWindow.h"
#include "game/Game.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "players/UserClass.h"
#include "players/UserInfo.h"
#include "screens/MainControl.h"
#include "screens/ScreensText.h"
#include "screens/VQ_Screens.h"

EngTexture sc_texs[4];
EngInt32 sc_start_garden = 0;

namespace {

// The garden whose play-field picture StartLevelCB loaded last.
EngInt32 last_type = -1;

const char *DifficultyText(int difficulty) {
  switch (difficulty) {
    case 1: return ScreensText("Select_Tough", "Tough");
    case 2: return ScreensText("Select_Extreme", "Extreme");
    default: return ScreensText("Select_Normal", "Normal");
  }
}

// The garden a widget id "<prefix><g>" names, or -1.
int GardenOf(const char *id, const char *prefix) {
  for (int g = 0; g < 4; g++) {
    char name[16];
    snprintf(name, sizeof(name), "%s%d", prefix, g);
    if (strcmp(id, name) == 0) return g;
  }
  return -1;
}

}  // namespace

char SelectControlCreateGraphics() {
  char ok = 1;
  const EngInt16 garden = level_garden;
  for (int g = 0; g < 4; g++) {
    if (sc_texs[g].IsOk()) continue;
    level_garden = EngInt16(g);
    const char *name = LevelsGetPicFilename(0);
    if (!sc_texs[g].LoadFromJpegFile(name, 0, 0, 0)) {
      DebugErrorAlt(ENG_FUNC, "Could not load the picture of garden %d <%s>", g, name);
      ok = 0;
    }
  }
  level_garden = garden;
  return ok;
}

void SelectControlDestroyGraphics() {
  for (EngTexture &t : sc_texs) t.Destroy();
}

int SelectCC::PutDifficultiesInRange(_UserGardenProgress *p) {
  if (!p) return 0;
  // Read unsigned: a damaged byte of 0x80 or more is no negative difficulty.
  if (EngUInt8(p->highest_difficulty) >= 3) p->highest_difficulty = 0;
  if (EngUInt8(p->chosen_difficulty) >= 3) p->chosen_difficulty = 0;
  if (p->chosen_difficulty > p->highest_difficulty) p->chosen_difficulty = p->highest_difficulty;
  return p->chosen_difficulty;
}

int SelectCC::NextDifficulty(const _UserGardenProgress *p) {
  if (!p) return 0;
  _UserGardenProgress sane = *p;
  const int chosen = PutDifficultiesInRange(&sane) + 1;
  return chosen > sane.highest_difficulty ? 0 : chosen;
}

_UserGardenProgress *SelectCC::Progress(int garden) {
  UserClass *user = m_game ? m_game->GetLoadedUser() : nullptr;
  if (!user || garden < 0 || garden >= USER_NUM_GARDENS) return nullptr;
  return &user->GetInfo()->options.gardens[garden];
}

void SelectCC::UpdateDifficultyButton(MWinButton *button, int garden) {
  if (garden < 0 || garden >= 4) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return;
  }
  if (!button) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  _UserGardenProgress *p = Progress(garden);
  const int chosen = PutDifficultiesInRange(p);
  if (!p || p->highest_difficulty < 1) {
    button->Hide();
    return;
  }
  MWinShowButton(button, 1);
  button->SetText(DifficultyText(chosen));
}

void SelectCC::AttachGardenPictures() {
  MWinButton *pictures[4] = {mwinSelectMainLevel0Button, mwinSelectMainLevel1Button, mwinSelectMainLevel2Button,
                             mwinSelectMainLevel3Button};
  for (int g = 0; g < 4; g++) {
    if (!pictures[g]) continue;
    // A garden without its picture keeps an empty button and can still be picked.
    if (!sc_texs[g].IsOk() || !pictures[g]->PictureAttachTextureToButton(&sc_texs[g], 0)) continue;
    pictures[g]->PictureSetTextureCoordinates(0.0625f, 0.0625f, 0.9375f, 0.9375f);
  }
}

void SelectCC::StartingCB(void *) {
  if (mwinSelectMainBackButton) mwinSelectMainBackButton->SetEscapeButtonForParentWindow();
  for (MWinButton *picture : {mwinSelectMainLevel0Button, mwinSelectMainLevel1Button, mwinSelectMainLevel2Button,
                              mwinSelectMainLevel3Button})
    if (picture) picture->SetPressableByKeyboard(1);
  MainControlCreateGraphics();
  MainControlSetupTitleButton(mwinSelectMainTitleButton);
  SelectControlCreateGraphics();
  AttachGardenPictures();
  MWinButton *diffs[4] = {mwinSelectMainDiff0Button, mwinSelectMainDiff1Button, mwinSelectMainDiff2Button,
                          mwinSelectMainDiff3Button};
  for (int g = 0; g < 4; g++) {
    if (!diffs[g]) continue;
    diffs[g]->SetTransparency(0.8f);
    UpdateDifficultyButton(diffs[g], g);
  }
}

void SelectCC::CreateGraphics() {
  if (!mwinSelectMainWindow) return;
  MainControlCreateGraphics();
  MainControlSetupTitleButton(mwinSelectMainTitleButton);
  SelectControlCreateGraphics();
  AttachGardenPictures();
}

void SelectCC::LeaveGraphics() {
  SelectControlDestroyGraphics();
  MainControlDestroyGraphics();
}

char SelectCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) {
  if (!button || !info || strcmp(info->window_id, "Main") != 0) return 0;
  const char *id = info->button_id;
  const int picked = GardenOf(id, "Level");
  if (picked >= 0) {
    sc_start_garden = picked;
    LeaveGraphics();
    UserClass *user = m_game ? m_game->GetLoadedUser() : nullptr;
    EngUInt8 *notices = user ? &user->GetInfo()->options.notices_left : nullptr;
    if (!notices || EngInt8(*notices) < 1) {
      StartLevelCB();
    } else {
      (*notices)--;
      if (m_screens) m_screens->GotoScreen(NOTICE_SCREEN_ID, nullptr);
    }
    return 1;
  }
  const int cycled = GardenOf(id, "Diff");
  if (cycled >= 0) {
    if (_UserGardenProgress *p = Progress(cycled)) p->chosen_difficulty = EngInt8(NextDifficulty(p));
    UpdateDifficultyButton(button, cycled);
    return 1;
  }
  if (button == mwinSelectMainTitleButton) {
    MainControlTitleButtonClicked(button);
    return 1;
  }
  if (strcmp(id, "Back") == 0) {
    LeaveGraphics();
    if (m_screens) m_screens->GoBack();
    return 1;
  }
  return 0;
}

void SelectCC::StartLevelCB() {
  if (sc_start_garden != last_type) {
    level_garden = EngInt16(sc_start_garden);
    LevelsDestroyGraphics(0);
    // Tried again next time when it fails.
    last_type = LevelsCreateGraphics(0) ? sc_start_garden : -1;
  }
  level_garden = EngInt16(sc_start_garden);
  level_difficulty = 0;
  if (sc_start_garden >= 0 && sc_start_garden < 4)
    level_difficulty = EngInt16(PutDifficultiesInRange(Progress(sc_start_garden)));
  if (!QuarrelwickInitForNewGame(0)) {
    // The garden cannot be played: back to the selection with a word why.
    last_type = -1;
    // From the notice by going back, so that Back on the selection still leads to the menu.
    if (m_screens && m_screens->GetCurrentScreen() == NOTICE_SCREEN_ID)
      m_screens->GoBack();
    else if (m_screens && m_screens->GetCurrentScreen() != SELECT_SCREEN_ID)
      m_screens->GotoScreen(SELECT_SCREEN_ID, nullptr);
    else if (m_screens)
      StartingCB(nullptr);
    if (m_mwin)
      m_mwin->PopupErrorMessage(ScreensText("Common_Error", "Error"),
                                ScreensText("Select_GardenFailed", "This garden could not be loaded."));
    return;
  }
  if (m_game) m_game->ReturnToGame();
}
