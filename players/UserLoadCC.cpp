#include "players/UserLoadCC.h"

#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngDirList.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngMemory.h"
#include "Engine/MAC/EngText_MAC.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinPanel.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/Modules.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "players/Country.h"
#include "players/Splash.h"
#include "players/UserClass.h"
#include "players/UserNewCC.h"
#include "players/UserScreens.h"
#include "players/UsersCC.h"
#include "screens/ScreensText.h"

static const char kPlayerFileEnding[] = ".usr";
static const size_t kListNameLength = 25;

// At least one character before the ending, which must be exact.
static char AcceptPlayerFile(EngInt32, const char *name, const char *, void *) {
  size_t length = name ? strlen(name) : 0;
  return char(length >= 5 && strcmp(name + length - 4, kPlayerFileEnding) == 0);
}

UserLoadCC::UserLoadCC(UserScreens *user_screens) : m_user_screens(user_screens) {
  DebugAssertAlt(user_screens ? 1 : 0, ENG_FUNC, "No user screens");
}

MWinPanel *UserLoadAsPanel(MWinButton *button) {
  return button && button->GetType() == MWIN_BUTTON_PANEL ? static_cast<MWinPanel *>(button) : nullptr;
}

const char *UserLoadFillPanelCB(int n, MWinButton *, void *screen) {
  DebugAssertAlt(screen ? 1 : 0, ENG_FUNC, "No screen");
  const char *name = static_cast<UserLoadCC *>(screen)->GetUsersDisplayName(n);
  return name ? name : "";
}

void UserSelectPanelExtraRenderCB(MWinButton *, _Dimension *row, _MWinTextureState, int item, void *user_screens) {
  if (!user_screens) {
    DebugErrorAlt(ENG_FUNC, "No context");
    return;
  }
  UserLoadCC *list = static_cast<UserScreens *>(user_screens)->GetUserLoadCC();
  DebugAssertAlt(list ? 1 : 0, ENG_FUNC, "No ul_cc.");
  const char *code = list->GetUsersCountryCode(item);
  if (!row || !code[0]) return;
  CountryDrawFlagOnRightSideOfButton(list->GetUsersCountryRow(item), row);
}

void UserLoadAfterDeletePopupCB_Static(MWin *, char result, void *screen) {
  if (screen) static_cast<UserLoadCC *>(screen)->AfterDeletePopupCB(result);
}

void UserLoadAfterLoadFailedPopupCB_Static(MWin *, char result, void *screen) {
  if (screen) static_cast<UserLoadCC *>(screen)->AfterLoadFailedPopupCB(result);
}

void UserLoadCC::StartingCB(void *) {
  if (mwinUserLoadMainWinBackButton) mwinUserLoadMainWinBackButton->SetEscapeButtonForParentWindow();
  SetupUserNameList();
  if (MWinPanel *panel = UserLoadAsPanel(mwinUserLoadMainWinPanelButton)) {
    panel->PanelSetStringsCallback(GetNumUsers(), USER_LOAD_ROWS_PER_PAGE, UserLoadFillPanelCB, this);
    panel->PanelSetPanelItemRenderCB(UserSelectPanelExtraRenderCB, m_user_screens);
  }
  for (MWinButton *b : {mwinUserLoadMainWinPanelButton, mwinUserLoadMainWinLoadButton,
                        mwinUserLoadMainWinSettingsButton, mwinUserLoadMainWinDeleteButton}) {
    if (!b) continue;
    if (GetNumUsers() > 0)
      b->Enable();
    else
      b->Disable();
  }
  if (mwinUserLoadMainWinSettingsButton) mwinUserLoadMainWinSettingsButton->Hide();
  if (mwinUserLoadMainWinLoadProgressButton) mwinUserLoadMainWinLoadProgressButton->Hide();
  UsersControlCreateGraphics();
  UsersControlSetupTitleButton(mwinUserLoadMainWinSolTextPicButton, 0);
  if (!mwm_user_mod.no_country) CountryCreateGraphics();
}

char UserLoadCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *) {
  if (!button) return 0;
  if (button == mwinUserLoadMainWinLoadButton) {
    LoadCB();
  } else if (button == mwinUserLoadMainWinDeleteButton) {
    DeleteCB();
  } else if (button == mwinUserLoadMainWinBackButton) {
    if (MWinScreens *screens = m_mwin ? m_mwin->GetScreens() : nullptr) screens->GoBack();
  } else {
    return 0;
  }
  return 1;
}

int UserLoadCC::SelectedRow() {
  MWinPanel *panel = UserLoadAsPanel(mwinUserLoadMainWinPanelButton);
  return panel ? panel->PanelGetPos() : -1;
}

void UserLoadCC::LoadCB() {
  const char *name = GetUsersLocalName(SelectedRow());
  if (!name || !m_game || !m_mwin) return;
  // Loading empties the list.
  m_chosen = name;
  UserClass *user = UserFromGame(m_game);
  if (user->LoadUser(m_chosen.c_str(), 0, nullptr, nullptr)) {
    user->AfterUserCreatedOrLoaded(0, 0);
    SplashEnd();
    return;
  }
  // No player file can be made, reset or deleted by a name this long: it may be cut from
  // another player's.
  if (m_chosen.size() >= size_t(USER_NAME_LIMIT)) {
    m_mwin->PopupMessage(ScreensText("UserLoad_Error", "Error"),
                         ScreensText("UserLoad_UnableToLoadUser", "Unable to load user."));
    return;
  }
  m_mwin->PopupChangeButtonTextsForNextPopup(ScreensText("UserLoad_Reset", "Reset"),
                                             ScreensText("UserLoad_DeleteFailed", "Delete"),
                                             ScreensText("UserLoad_Cancel", "Cancel"));
  m_mwin->PopupYesNoCancel(
      ScreensText("UserLoad_UnableToLoadPlayer", "Unable to load player."),
      ScreensText("UserLoad_NotCompatible",
                  "It is possible that this player file is not compatible with the version of the program.\n\n"
                  "Do you want to reset this player (all settings will be reset, but statistics etc. may be "
                  "recoverable), or completely delete this player?"),
      UserLoadAfterLoadFailedPopupCB_Static, this);
}

void UserLoadCC::DeleteCB() {
  const char *name = GetUsersLocalName(SelectedRow());
  if (!name || !m_mwin) return;
  m_chosen = name;
  m_mwin->PopupYesNo(ScreensText("UserLoad_Delete", "Delete User?"),
                     ScreensText("UserLoad_Confirm", "Are you sure you want to delete this user?"),
                     UserLoadAfterDeletePopupCB_Static, this);
}

void UserLoadCC::AfterDeletePopupCB(char result) {
  if (result == 1) DoUserDeleteOrReset(m_chosen, 0);
}

void UserLoadCC::AfterLoadFailedPopupCB(char result) {
  if (result == 2) {
    DoUserDeleteOrReset(m_chosen, 0);
    return;
  }
  if (result != 1) return;
  const std::string name = m_chosen;
  if (name.empty()) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return;
  }
  // A name the new player screen would refuse could not be made again: keep its file.
  char too_long = 0;
  if (!UserNewIsNameOk(name.c_str(), USER_NEW_NAME_SIZE, &too_long)) {
    if (m_mwin) m_mwin->PopupMessage(UserNewNameRefusalText(too_long));
    return;
  }
  DoUserDeleteOrReset(name, 1);
  MWinScreens *screens = m_mwin ? m_mwin->GetScreens() : nullptr;
  if (screens) screens->GotoScreen(USER_NEW_SCREEN_ID, nullptr);
  UserNewCC *new_cc = m_user_screens->GetUserNewCC();
  DebugAssertAlt(new_cc ? 1 : 0, ENG_FUNC, "No new user screen");
  new_cc->ResetAndLoadUser(name.c_str());
}

void UserLoadCC::DoUserDeleteOrReset(const std::string &name, char reset) {
  if (m_game) {
    UserClass *user = UserFromGame(m_game);
    _UserInfo *info = UserInfoFromGame(m_game);
    UserInfoUserAboutToBeDeletedCB(m_game, info, name.c_str(), reset);
    // The loaded player would be saved again at exit.
    if (!reset && user->IsLoaded() && strcmp(info->name, name.c_str()) == 0) user->Unload();
  }
  UserDeleteUser(name.c_str(), reset);
  StartingCB(nullptr);
}

void UserLoadCC::SetupUserNameList() {
  m_list.clear();
  const char *folder = PrefFolderGetSubFolder("Users", 0);
  struct stat info;
  if (!folder || stat(folder, &info) != 0 || !S_ISDIR(info.st_mode)) return;
  DirList listing;
  if (!listing.OpenDir(folder, AcceptPlayerFile, nullptr)) return;
  if (listing.PrepareToGetFilenamesInDir()) {
    UserClass tester(nullptr, nullptr, 0, USER_ENCRYPTION_ACCEPT_PLAIN);
    for (const char *file = listing.GetNextFilenameInDir(); file && file[0]; file = listing.GetNextFilenameInDir()) {
      size_t length = strlen(file);
      if (length < 5) continue;
      // Files are named in UTF-8, players in Latin-1.
      std::string name = EngUtf8ToLatin1_MAC(std::string(file, length - 4).c_str());
      if (name.size() > kListNameLength) name.resize(kListNameLength);
      UserListEntry entry = {};
      // A name of 21 characters or more is no player's and never test-loads.
      EngSafeStrcpy(entry.name, name.c_str(), sizeof(entry.name));
      char country[4] = {0};
      // A folder named like a player file, or a file that is not one, stays without a flag.
      const char *path = listing.GetFilenameWithPath(file);
      if (path && stat(path, &info) == 0 && S_ISREG(info.st_mode) && tester.LoadUser(entry.name, 1, nullptr, country))
        memcpy(entry.country, country, 2);
      const int row = entry.country[0] ? CountryGetCountryNumFromCode(entry.country, 1) : -1;
      m_list.push_back({entry, name, row});
    }
    listing.CleanupAfterGettingFilenamesInDir();
  }
  listing.CloseDir();
  // Letter case decides only between names that are otherwise equal, capitals first.
  std::sort(m_list.begin(), m_list.end(), [](const Listed &a, const Listed &b) {
    int order = strcasecmp(a.name.c_str(), b.name.c_str());
    return order != 0 ? order < 0 : a.name < b.name;
  });
}

const char *UserLoadCC::GetUsersLocalName(int n) const {
  if (n < 0 || n >= GetNumUsers()) return nullptr;
  return m_list[size_t(n)].name.c_str();
}

const char *UserLoadCC::GetUsersCountryCode(int n) const {
  if (n < 0 || n >= GetNumUsers()) return "";
  return m_list[size_t(n)].entry.country;
}

int UserLoadCC::GetUsersCountryRow(int n) const {
  if (n < 0 || n >= GetNumUsers()) return -1;
  return m_list[size_t(n)].country_row;
}

char UserLoadCC::IsLastUserLoadedOk(char *always_load, char *country_code) {
  SetupUserNameList();
  char name[RESOLUTION_PLAYER_NAME_SIZE + 1];
  memcpy(name, resolution.last_player, RESOLUTION_PLAYER_NAME_SIZE);
  name[RESOLUTION_PLAYER_NAME_SIZE] = 0;
  if (!name[0]) return 0;
  UserClass tester(nullptr, nullptr, 0, USER_ENCRYPTION_ACCEPT_PLAIN);
  return tester.LoadUser(name, 1, always_load, country_code);
}
