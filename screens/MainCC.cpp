#include "screens/MainCC.h"

#include <cstdio>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngMisc.h"
#include "Engine/EngVarious.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Main.h"
#include "game/SavedGame.h"
#include "game/Sound.h"
#include "online/GameAds.h"
#include "players/UserClass.h"
#include "screens/GameAdsCC.h"
#include "screens/MainControl.h"
#include "screens/ScreensText.h"
#include "screens/VQ_Screens.h"

// The players' screens' first screen, where Change Player leads.
static const euint kFirstPlayersScreen = EngFourCC("uUSR");

void MainCC::StartingCB(void *) {
  UserClass *user = m_game ? m_game->GetLoadedUser() : nullptr;
  if (mwinMainMainWelcomeButton) {
    char text[128];
    ScreensTextWithArg("Main_Welcome", "Welcome, %1.", user ? user->GetInfo()->name : "", text, sizeof(text));
    mwinMainMainWelcomeButton->SetText(text);
    // A long name, or one of wide Latin-1 letters, is narrowed to the line rather than cut.
    mwinMainMainWelcomeButton->SetShrinkTextToFit(1);
  }
  if (mwinMainMainVersionButton) {
    char version[16], text[64];
    snprintf(version, sizeof(version), "%.2f", double(MainGetGameVersion()));
    ScreensTextWithArg("Main_Version", "Version %1", version, text, sizeof(text));
    mwinMainMainVersionButton->SetText(text);
  }
  if (mwinMainMainDebugButton) mwinMainMainDebugButton->Hide();
  MainControlCreateGraphics();
  MainControlSetupTitleButton(mwinMainMainTitleButton);
  if (mwinMainMainReviewButton) mwinMainMainReviewButton->Hide();
}

void MainCC::GoToScreen(euint id) {
  MainControlDestroyGraphics();
  MWinScreens *screens = m_mwin ? m_mwin->GetScreens() : nullptr;
  if (!screens) return;
  screens->GotoScreen(id, nullptr);
  // The screen is not there (its table reported it): the menu stays, and so does its title.
  if (screens->GetCurrentScreen() == MAIN_SCREEN_ID && mwinMainMainTitleButton) MainControlCreateGraphics();
}

char MainCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) {
  if (!button || !info) return 0;
  if (button == mwinMainMainPlayButton) {
    RemoveSavedGame(0, 1);
    GoToScreen(SELECT_SCREEN_ID);
  } else if (button == mwinMainMainHelpButton) {
    GoToScreen(HELP_SCREEN_ID);
  } else if (button == mwinMainMainScoresButton) {
    GoToScreen(SCORES_SCREEN_ID);
  } else if (button == mwinMainMainSoundButton) {
    GoToScreen(SOUNDS_SCREEN_ID);
  } else if (button == mwinMainMainOptionsButton) {
    GoToScreen(OPTIONS_SCREEN_ID);
  } else if (button == mwinMainMainAboutButton) {
    GoToScreen(ABOUT_SCREEN_ID);
  } else if (button == mwinMainMainUserButton) {
    UserClass *user = m_game ? m_game->GetLoadedUser() : nullptr;
    if (user) {
      user->GetInfo()->options.always_load = 0;
      user->Save(1);
    }
    ResolutionUpdateSettingsFromCurrent();
    ResolutionSaveSettings();
    GoToScreen(kFirstPlayersScreen);
    SoundStartOrStopMusic();
  } else if (button == mwinMainMainOtherGamesButton) {
    OtherGamesCB();
  } else if (button == mwinMainMainTitleButton) {
    MainControlTitleButtonClicked(button);
  } else if (button == mwinMainMainExitButton) {
    EngMiscCloseProgram();
  } else {
    return 0;
  }
  return 1;
}

// The other games follow the player's record: its stored row, its name for the tell-a-friend page.
void MainCC::OtherGamesCB() {
  GameAdsSetupAdsToBeIncluded();
  UserClass *user = m_game ? m_game->GetLoadedUser() : nullptr;
  std::string path = std::string(various_tallowmere_home_page) + game_ads_games_folder;
  GameAdsSetInternetLinksPath(path.c_str(), game_ads_this_program, user ? user->GetInfo()->name : nullptr);
  EngInt16 *stored = user ? &user->GetInfo()->other_games_pos : nullptr;
  if (stored && *stored < 0) *stored = GameAdsGetTessaloomAdNumForCurrentPlatform();
  GameAdsSetGameAdInt16Variable(&stored);
  GameAdsSetGetPicFilenameCB(GameAdsGetPicFilenameCB);
  VQ_Screens *screens = m_mwin ? dynamic_cast<VQ_Screens *>(m_mwin->GetScreens()) : nullptr;
  if (GameAdsCC *ads = screens ? screens->GetGameAdsCC() : nullptr) {
    ads->UseBrowseStyle();
    ads->CustomiseAppearence(0, 1.0f, 0.75f);
  }
  GoToScreen(GAME_ADS_SCREEN_ID);
}
