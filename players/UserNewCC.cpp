#include "players/UserNewCC.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFile.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinScreens.h"
#include "game/Game.h"
#include "players/Country.h"
#include "players/Splash.h"
#include "players/UserClass.h"
#include "players/UserScreens.h"
#include "players/UsersCC.h"
#include "screens/ScreensText.h"

namespace {

// The maker's name in four spellings, the words a list shows for no choice, and six vulgar
// words chosen so that no common first name contains one.
const char *const kRefusedWords[] = {
    "tallowmere", "tallow mere", "tallow-mere", "tallow.mere", "unset", "unselected", "not selected",
    "fuck",       "cunt",        "wanker",      "twat",        "bollocks", "bullshit",
};
const char kRefusedCharacters[] = "\t{}[]|\\/!@#$%^&*()_+:;\"'<>,?";
const double kNoticeSeconds = 2.0;
const char kValidationFrames = 5;

// Once a run: the computer user's name is offered on the first visit only.
char default_name_offered = 0;

char PlayerFileExists(const char *name) {
  char path[USER_PATH_SIZE];
  return UserGetUserFileName(name, path, nullptr) && EngFileExists(path, 0);
}

}  // namespace

void UserNewResetForTests() { default_name_offered = 0; }

char UserNewIsNameOk(const char *name, int max_length, char *too_long) {
  if (too_long) *too_long = 0;
  if (!name) return 0;
  if (name[0] == 0 || name[0] == '\t' || name[0] == ' ') return 0;
  size_t length = strlen(name);
  if (max_length < 0 || length >= size_t(max_length)) {
    if (too_long) *too_long = 1;
    return 0;
  }
  if (name[length - 1] == '\t' || name[length - 1] == ' ') return 0;
  if (strpbrk(name, kRefusedCharacters)) return 0;
  for (const char *word : kRefusedWords)
    if (EngStrIStr(name, word, 0)) return 0;
  int stops = 0, blanks = 0, hyphens = 0;
  for (const char *p = name; *p; p++) {
    stops += *p == '.';
    blanks += *p == ' ';
    hyphens += *p == '-';
  }
  return char(stops <= 2 && blanks <= 2 && hyphens <= 2);
}

const char *UserNewNameRefusalText(char too_long) {
  return too_long ? ScreensText("UserNew_NameTooLong", "Invalid user name")
                  : ScreensText("UserNew_InvalidPlayerName", "Invalid user name");
}

UserNewCC::UserNewCC(UserScreens *user_screens)
    : m_started(0), m_flag_row(-1), m_countdown(0) {
  DebugAssertAlt(user_screens ? 1 : 0, ENG_FUNC, "No user screens");
  memset(m_name, 0, sizeof(m_name));
  memset(m_previous_name, 0, sizeof(m_previous_name));
  memset(m_reset_name, 0, sizeof(m_reset_name));
}

void UserNewCC::ShowName() {
  if (mwinUserNewMainWinNameButton) mwinUserNewMainWinNameButton->SetText(m_name);
}

void UserNewCountyButtonExtraRenderCB(MWinButton *, _Dimension *area, _MWinTextureState, int, void *user) {
  DebugAssertAlt(user ? 1 : 0, ENG_FUNC, "No user data");
  UserNewCC *screen = static_cast<UserNewCC *>(user);
  if (!eng_main_device || !area || screen->GetFlagRow() < 0) return;
  CountryDrawFlagOnRightSideOfButton(screen->GetFlagRow(), area);
}

void UserNewCC::StartingCB(void *) {
  if (mwinUserNewMainWinBackButton) mwinUserNewMainWinBackButton->SetEscapeButtonForParentWindow();
  ShowName();
  if (!country_code_selected[0])
    EngSafeStrcpy(country_code_selected, CountryGetLocalCountryCode(), sizeof(country_code_selected));
  m_flag_row = CountryGetCountryNumFromCode(country_code_selected, 1);
  if (mwinUserNewMainWinCountryButton) {
    mwinUserNewMainWinCountryButton->SetText(CountryGetCountryNameFromCode(country_code_selected));
    mwinUserNewMainWinCountryButton->SetExtraRenderCB(UserNewCountyButtonExtraRenderCB, 0, this);
  }
  UsersControlCreateGraphics();
  UsersControlSetupTitleButton(mwinUserNewMainWinSolTextPicButton, 0);
  CountryCreateGraphics();
  if (m_started) return;
  if (!default_name_offered) {
    default_name_offered = 1;
    char login[USER_NEW_NAME_SIZE] = {0};
    if (EngMiscGetDefaultUsersName(login, sizeof(login))) {
      if (PlayerFileExists(login))
        m_name[0] = 0;
      else
        EngSafeStrcpy(m_name, login, sizeof(m_name));
      ShowName();
    }
  }
  m_started = 1;
  if (!m_name[0]) NameCB();
}

void UserNewCC::NameCB() {
  if (!m_mwin) return;
  memcpy(m_previous_name, m_name, sizeof(m_name));
  m_name[0] = 0;
  m_mwin->PopupGetText(nullptr, ScreensText("UserNew_EnterAPlayerName", "Enter name:"), m_name, USER_NEW_NAME_SIZE,
                       UserNewAfterNamePopupCB, this);
}

void UserNewAfterNamePopupCB(MWin *, char result, void *user) {
  if (user) static_cast<UserNewCC *>(user)->AfterNamePopupCB(result);
}

void UserNewCC::AfterNamePopupCB(char result) {
  if (result == 1) {
    m_countdown = kValidationFrames;
    return;
  }
  EngSafeStrcpy(m_name, m_previous_name, sizeof(m_name));
  ShowName();
}

void UserNewCC::TickCB() {
  if (m_countdown >= 2) {
    m_countdown--;
    return;
  }
  if (m_countdown != 1) return;
  m_countdown = 0;
  char too_long = 0;
  if (UserNewIsNameOk(m_name, USER_NEW_NAME_SIZE, &too_long)) {
    if (PlayerFileExists(m_name)) {
      if (m_mwin)
        m_mwin->PopupNoticeForTime(nullptr, ScreensText("UserNew_ThatPlayerAlreadyExists", "That user already exists"),
                                   kNoticeSeconds, 1);
      m_name[0] = 0;
    }
  } else {
    if (m_mwin) m_mwin->PopupNoticeForTime(nullptr, UserNewNameRefusalText(too_long), kNoticeSeconds, 1);
    m_name[0] = 0;
  }
  ShowName();
}

char UserNewCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *) {
  if (!button) return 0;
  MWinScreens *screens = m_mwin ? m_mwin->GetScreens() : nullptr;
  if (button == mwinUserNewMainWinNameButton) {
    NameCB();
  } else if (button == mwinUserNewMainWinCountryButton) {
    CountrySetOnContinueCB(nullptr, nullptr);
    if (screens) screens->GotoScreen(COUNTRY_SCREEN_ID, nullptr);
  } else if (button == mwinUserNewMainWinContinueButton) {
    ContinueCB(0);
  } else if (button == mwinUserNewMainWinBackButton) {
    if (screens) screens->GoBack();
  } else {
    return 0;
  }
  return 1;
}

void UserNewCC::ContinueCB(char reset) {
  char too_long = 0;
  if (!UserNewIsNameOk(m_name, USER_NEW_NAME_SIZE, &too_long)) {
    if (m_mwin)
      m_mwin->PopupMessage(too_long ? UserNewNameRefusalText(1)
                                    : ScreensText("UserNew_InvalidPlayerName", "Invalid Player Name"));
    return;
  }
  // A saved player is never overwritten, but for the one the reset path has just made.
  char overwrite = reset || (m_reset_name[0] && strcmp(m_reset_name, m_name) == 0);
  if (!overwrite && PlayerFileExists(m_name)) {
    if (m_mwin)
      m_mwin->PopupNoticeForTime(nullptr, ScreensText("UserNew_ThatPlayerAlreadyExists", "That user already exists"),
                                 kNoticeSeconds, 1);
    m_name[0] = 0;
    ShowName();
    return;
  }
  if (!m_game) return;
  UserClass *user = m_game->GetUser();
  if (!user->CreateNewUser(m_name, country_code_selected, overwrite)) return;
  if (reset)
    EngSafeStrcpy(m_reset_name, m_name, sizeof(m_reset_name));
  else
    m_reset_name[0] = 0;
  user->AfterUserCreatedOrLoaded(1, reset);
  SplashEnd();
}

char UserNewCC::ResetAndLoadUser(const char *name) {
  if (!name) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (m_mwin && m_mwin->PopupIsOn()) m_mwin->PopupTurnOff();
  // Tested whole: the field's cut would make the player under a shorter name, which may be
  // someone else's.
  char too_long = 0;
  if (!UserNewIsNameOk(name, USER_NEW_NAME_SIZE, &too_long)) {
    if (m_mwin) m_mwin->PopupMessage(UserNewNameRefusalText(too_long));
    return 0;
  }
  EngSafeStrcpy(m_name, name, sizeof(m_name));
  ShowName();
  ContinueCB(1);
  return 1;
}
