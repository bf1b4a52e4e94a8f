#include "players/UserSelectCC.h"

#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngMisc.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCheckbox.h"
#include "Engine/MWin/MWinPanel.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/Modules.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "players/Country.h"
#include "players/Splash.h"
#include "players/UserClass.h"
#include "players/UserLoadCC.h"
#include "players/UserScreens.h"
#include "players/UsersCC.h"
#include "screens/ScreensText.h"

namespace {

const double kAutoLoadDelay = 0.1;
const float kDeletePopupWidthUpright = 560;
const float kDeletePopupWidthSideways = 400;
const float kDeletePopupHeight = 300;

void ShowIf(MWinButton *button, char shown) {
  if (!button) return;
  if (shown)
    button->SetShownFlag(1);
  else
    button->Hide();
}

void EnableIf(MWinButton *button, char enabled) {
  if (!button) return;
  if (enabled)
    button->Enable();
  else
    button->Disable();
}

std::string LastPlayerName() {
  char name[RESOLUTION_PLAYER_NAME_SIZE + 1];
  memcpy(name, resolution.last_player, RESOLUTION_PLAYER_NAME_SIZE);
  name[RESOLUTION_PLAYER_NAME_SIZE] = 0;
  return name;
}

}  // namespace

const char *UserSelectFillPanelCB(int n, MWinButton *, void *screen) {
  DebugAssertAlt(screen ? 1 : 0, ENG_FUNC, "No screen");
  UserLoadCC *list = static_cast<UserSelectCC *>(screen)->GetUserScreens()->GetUserLoadCC();
  DebugAssertAlt(list ? 1 : 0, ENG_FUNC, "No ul_cc.");
  const char *name = list->GetUsersDisplayName(n);
  return name ? name : "";
}

void UserSelectAfterDeletePanelCB(MWin *mwin, int row, void *screen) {
  DebugAssertAlt(screen ? 1 : 0, ENG_FUNC, "No screen");
  if (!screen || !mwin) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return;
  }
  static_cast<UserSelectCC *>(screen)->AfterDeletePanelCB(row);
}

void UserSelectAfterDeletePopupCB(MWin *mwin, char result, void *screen) {
  DebugAssertAlt(screen ? 1 : 0, ENG_FUNC, "No screen");
  if (!screen || !mwin) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return;
  }
  static_cast<UserSelectCC *>(screen)->AfterDeletePopupCB(result);
}

void UsersControlLangCB(MWin *) {}

UserSelectCC::UserSelectCC(UserScreens *user_screens)
    : m_user_screens(user_screens), m_auto_load_state(USER_SELECT_IDLE), m_auto_load_time(0), m_delete_choice(0) {
  DebugAssertAlt(user_screens ? 1 : 0, ENG_FUNC, "No user screens");
}

void UserSelectCC::SetAlwaysLoad(char value) {
  if (MWinCheckbox *box = mwinUserSelectMainWinAlwaysLoadButton
                              ? MWinCheckbox::From(mwinUserSelectMainWinAlwaysLoadButton)
                              : nullptr)
    box->CheckboxSet(value, 0);
}

void UserSelectCC::StartingCB(void *) {
  UserLoadCC *list = m_user_screens->GetUserLoadCC();
  DebugAssertAlt(list ? 1 : 0, ENG_FUNC, "No ul_cc.");
  m_auto_load_state = USER_SELECT_IDLE;
  SetAlwaysLoad(0);
  list->SetupUserNameList();
  const int count = list->GetNumUsers();
  MWinPanel *panel = UserLoadAsPanel(mwinUserSelectMainWinPanelButton);
  if (panel) {
    panel->PanelSetStringsCallback(count, USER_SELECT_ROWS_PER_PAGE, UserSelectFillPanelCB, this);
    panel->PanelSetPanelItemRenderCB(UserSelectPanelExtraRenderCB, m_user_screens);
  }
  EnableIf(mwinUserSelectMainWinPanelButton, count > 0);
  EnableIf(mwinUserSelectMainWinDeleteButton, count > 0);
  EnableIf(mwinUserSelectMainWinNewButton, 1);
  ShowIf(mwinUserSelectMainWinAlwaysLoadButton, count > 0);
  UsersControlCreateGraphics();
  UsersControlSetupTitleButton(mwinUserSelectMainWinTitlePicButton, 0);
  UsersUpdateFlag(m_mwin, mwinUserSelectMainWinLangFlagButton);
  if (!mwm_user_mod.no_country) CountryCreateGraphics();

  char always_load = 0;
  char code[4] = {0};
  const char loads = list->IsLastUserLoadedOk(&always_load, code);
  const std::string last = LastPlayerName();
  if (loads && list->GetNumUsers() > 0 && panel) {
    for (int row = 0; row < list->GetNumUsers(); row++) {
      if (strcmp(list->GetUsersLocalName(row), last.c_str()) != 0) continue;
      panel->PanelSetPos(row, 0, 0);
      panel->PanelCenterToPosIfPossible();
      break;
    }
  }
  ShowIf(mwinUserSelectMainWinDeviceButton, 0);
  if (loads && always_load) {
    SplashShowNow();
    EnableIf(mwinUserSelectMainWinNewButton, 0);
    EnableIf(mwinUserSelectMainWinDeleteButton, 0);
    EnableIf(mwinUserSelectMainWinPanelButton, 0);
    ShowIf(mwinUserSelectMainWinAlwaysLoadButton, 0);
    ShowIf(mwinUserSelectMainWinLangFlagButton, 0);
    if (mwinUserSelectMainWinSelTextButton) {
      char text[128];
      ScreensTextWithArg("Users_LoadingPlayer", "Loading player %1...", last.c_str(), text, sizeof(text));
      mwinUserSelectMainWinSelTextButton->SetText(text);
    }
    m_auto_load_time = EngMainUpdateCurrentTime() + kAutoLoadDelay;
    m_auto_load_state = USER_SELECT_WAITING;
    SetAlwaysLoad(1);
  }
  if (mwinUserSelectMainWinNewButton) mwinUserSelectMainWinNewButton->SetText(ScreensText("Users_New", "New Player"));
}

void UserSelectCC::TickCB() {
  if (m_auto_load_state == USER_SELECT_WAITING) {
    if (eng_main_current_time >= m_auto_load_time) m_auto_load_state = USER_SELECT_LOADING;
    return;
  }
  if (m_auto_load_state != USER_SELECT_LOADING) return;
  UserClass *user = m_game ? UserFromGame(m_game) : nullptr;
  const std::string last = LastPlayerName();
  if (user && !last.empty() && user->LoadUser(last.c_str(), 0, nullptr, nullptr)) {
    m_auto_load_state = USER_SELECT_IDLE;
    user->AfterUserCreatedOrLoaded(0, 0);
    SplashEnd();
    return;
  }
  AutoLoadFailed();
}

void UserSelectCC::AutoLoadFailed() {
  m_auto_load_state = USER_SELECT_IDLE;
  UserLoadCC *list = m_user_screens->GetUserLoadCC();
  const int count = list ? list->GetNumUsers() : 0;
  EnableIf(mwinUserSelectMainWinPanelButton, count > 0);
  EnableIf(mwinUserSelectMainWinDeleteButton, count > 0);
  EnableIf(mwinUserSelectMainWinNewButton, 1);
  SetAlwaysLoad(0);
  ShowIf(mwinUserSelectMainWinAlwaysLoadButton, count > 0);
  ShowIf(mwinUserSelectMainWinLangFlagButton, 1);
  UsersUpdateFlag(m_mwin, mwinUserSelectMainWinLangFlagButton);
  if (mwinUserSelectMainWinSelTextButton)
    mwinUserSelectMainWinSelTextButton->SetText(ScreensText("UserSelect_SelText", "Select Player"));
  if (m_mwin)
    m_mwin->PopupMessage(ScreensText("UserLoad_Error", "Error"),
                         ScreensText("UserLoad_UnableToLoadUser", "Unable to load user."));
}

char UserSelectCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *) {
  if (!button) return 0;
  if (button == mwinUserSelectMainWinPanelButton) {
    PanelCB();
  } else if (button == mwinUserSelectMainWinDeleteButton) {
    DeleteCB();
  } else if (button == mwinUserSelectMainWinNewButton) {
    if (!m_mwin) {
      DebugStandardError("void UserSelectNewCB(MWin *, MWinButtonCallbackInfo *, UserSelectCC *)", DEBUG_ERR_IERR);
      return 1;
    }
    m_auto_load_state = USER_SELECT_IDLE;
    if (MWinScreens *screens = m_mwin->GetScreens()) screens->GotoScreen(USER_NEW_SCREEN_ID, nullptr);
  } else if (button == mwinUserSelectMainWinExitButton) {
    if (!m_mwin) {
      DebugStandardError("void UserSelectExitCB(MWin *, MWinButtonCallbackInfo *, UserSelectCC *)", DEBUG_ERR_IERR);
      return 1;
    }
    m_auto_load_state = USER_SELECT_IDLE;
    SplashEnd();
    EngMiscCloseProgram();
  } else if (button == mwinUserSelectMainWinLangFlagButton) {
    UsersControlLangCB(m_mwin);
  } else {
    return 0;
  }
  return 1;
}

void UserSelectCC::PanelCB() {
  if (!m_mwin) {
    DebugStandardError("void UserSelectPanelCB(MWin *, MWinButtonCallbackInfo *, UserSelectCC *)", DEBUG_ERR_IERR);
    return;
  }
  m_auto_load_state = USER_SELECT_IDLE;
  MWinCheckbox *box =
      mwinUserSelectMainWinAlwaysLoadButton ? MWinCheckbox::From(mwinUserSelectMainWinAlwaysLoadButton) : nullptr;
  const char always_load = box && box->CheckboxGet() ? 1 : 0;
  MWinPanel *panel = UserLoadAsPanel(mwinUserSelectMainWinPanelButton);
  UserLoadCC *list = m_user_screens->GetUserLoadCC();
  const char *listed = panel && list ? list->GetUsersLocalName(panel->PanelGetPos()) : nullptr;
  if (!listed) return;
  // Loading empties the list.
  const std::string name = listed;
  m_mwin->PopupNoticeShowItAndRemoveIt(nullptr, ScreensText("Common_Loading", "Loading..."));
  UserClass *user = m_game ? UserFromGame(m_game) : nullptr;
  if (user && user->LoadUser(name.c_str(), 0, nullptr, nullptr)) {
    user->AfterUserCreatedOrLoaded(0, 0);
    if (always_load) user->AlwaysLoadThisUser(1);
    SplashEnd();
    return;
  }
  m_mwin->PopupMessage(ScreensText("UserLoad_Error", "Error"),
                       ScreensText("UserLoad_UnableToLoadUser", "Unable to load user."));
}

void UserSelectCC::DeleteCB() {
  if (!m_mwin) {
    DebugStandardError("void UserSelectDeleteCB(MWin *, MWinButtonCallbackInfo *, UserSelectCC *)", DEBUG_ERR_IERR);
    return;
  }
  m_auto_load_state = USER_SELECT_IDLE;
  SetAlwaysLoad(0);
  m_delete_choice = 0;
  UserLoadCC *list = m_user_screens->GetUserLoadCC();
  int *choice = &m_delete_choice;
  const float width =
      EngMainIsOrientationPortraitOrPortraitUpsideDown() ? kDeletePopupWidthUpright : kDeletePopupWidthSideways;
  m_mwin->PopupPanel(ScreensText("Users_DeleteSelect", "Select User to Delete"), nullptr, list ? list->GetNumUsers() : 0,
                     -1, width, kDeletePopupHeight, UserSelectFillPanelCB, MWIN_POPUP_NONE, &choice,
                     UserSelectAfterDeletePanelCB, nullptr, this);
}

void UserSelectCC::AfterDeletePanelCB(int) {
  m_auto_load_state = USER_SELECT_IDLE;
  SetAlwaysLoad(0);
  m_mwin->PopupTurnOff();
  UserLoadCC *list = m_user_screens->GetUserLoadCC();
  if (!list || !list->GetUsersLocalName(m_delete_choice)) return;
  m_mwin->PopupYesNo(ScreensText("UserLoad_Delete", "Delete User"),
                     ScreensText("UserLoad_Confirm", "Are you sure you want to delete this user?"),
                     UserSelectAfterDeletePopupCB, this);
}

void UserSelectCC::AfterDeletePopupCB(char result) {
  m_auto_load_state = USER_SELECT_IDLE;
  SetAlwaysLoad(0);
  if (result != 1) return;
  UserLoadCC *list = m_user_screens->GetUserLoadCC();
  const char *listed = list ? list->GetUsersLocalName(m_delete_choice) : nullptr;
  if (!listed) return;
  const std::string name = listed;
  if (m_game) {
    UserClass *user = UserFromGame(m_game);
    _UserInfo *info = UserInfoFromGame(m_game);
    UserInfoUserAboutToBeDeletedCB(m_game, info, name.c_str(), 0);
    // The loaded player would be saved again at exit.
    if (user->IsLoaded() && strcmp(info->name, name.c_str()) == 0) user->Unload();
  }
  UserDeleteUser(name.c_str(), 0);
  StartingCB(nullptr);
}
