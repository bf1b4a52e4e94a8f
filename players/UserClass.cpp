#include "players/UserClass.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngByteCursor.h"
#include "Engine/EngDebug.h"
#include "Engine/EngDirList.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMath.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/MAC/EngText_MAC.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/Modules.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Main.h"
#include "online/Account.h"
#include "players/Splash.h"
#include "players/UserLoadCC.h"
#include "players/UserScreens.h"
#include "screens/VQ_Screens.h"

static char uc_create_new_if_cannot_load = 0;

void UserCreateNewIfCannotLoad(char on) { uc_create_new_if_cannot_load = on; }

void UserResetForTests() { uc_create_new_if_cannot_load = 0; }

// ---------------------------------------------------------------------------------------------
// File names

static bool IsEmpty(const char *text) { return !text || !*text; }

// The Users folder (created when missing), without a trailing '/'.
static std::string UsersFolder() {
  const char *folder = PrefFolderGetSubFolder("Users", 1);
  std::string path = folder ? folder : "";
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

char *UserGetUserFileName(const char *name, char *path, const char *suffix) {
  if (!path) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  path[0] = 0;
  if (IsEmpty(name)) {
    DebugErrorAlt(ENG_FUNC, "No name");
    return nullptr;
  }
  // A '/' would make the name a path into another folder.
  if (strlen(name) >= USER_NAME_LIMIT || strchr(name, '/')) {
    DebugErrorAlt(ENG_FUNC, "Invlalid name parameter");
    return nullptr;
  }
  std::string folder = UsersFolder();
  if (folder.empty()) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return nullptr;
  }
  std::string file = EngLatin1ToUtf8_MAC(name);
  int n = suffix ? snprintf(path, USER_PATH_SIZE, "%s%s%s%s", folder.c_str(), "/", file.c_str(), suffix)
                 : snprintf(path, USER_PATH_SIZE, "%s%s%s.usr", folder.c_str(), "/", file.c_str());
  if (n < 0 || n >= USER_PATH_SIZE) {
    DebugErrorAlt(ENG_FUNC, "Path too long");
    path[0] = 0;
    return nullptr;
  }
  return path;
}

// The extensions of the player's own files: the name, a dot and an extension that holds no dot,
// so that "Bob" never claims "Bob.Jr.usr". 0 when the folder cannot be listed.
static char ListPlayerFiles(const char *name, const std::string &folder, std::vector<std::string> *extensions) {
  std::string file = EngLatin1ToUtf8_MAC(name) + ".";
  DirList list;
  if (!list.OpenDir(folder.c_str(), nullptr, nullptr)) return 0;
  if (!list.PrepareToGetFilenamesInDir()) {
    list.CloseDir();
    return 0;
  }
  for (;;) {
    const char *entry = list.GetNextFilenameInDir();
    if (IsEmpty(entry)) break;
    if (strncmp(entry, file.c_str(), file.size()) != 0) continue;
    const char *extension = entry + file.size();
    if (*extension && !strchr(extension, '.')) extensions->push_back(extension);
  }
  list.CleanupAfterGettingFilenamesInDir();
  list.CloseDir();
  return 1;
}

static std::string PlayerFilePath(const std::string &folder, const char *name, const std::string &extension) {
  return folder + "/" + EngLatin1ToUtf8_MAC(name) + "." + extension;
}

char UserRenameUser(const char *old_name, const char *new_name) {
  if (IsEmpty(old_name) || IsEmpty(new_name)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (strcmp(old_name, new_name) == 0) {
    DebugErrorAlt(ENG_FUNC, "Names are the same.");
    return 0;
  }
  char path[USER_PATH_SIZE];
  if (!UserGetUserFileName(old_name, path, nullptr)) return 0;
  if (!EngFileExists(path, 0)) {
    DebugErrorAlt(ENG_FUNC, "Old user <%s> does not exist.", old_name);
    return 0;
  }
  if (!UserGetUserFileName(new_name, path, nullptr)) return 0;
  if (EngFileExists(path, 0)) {
    DebugErrorAlt(ENG_FUNC, "New user <%s> exists.", new_name);
    return 0;
  }
  DebugInfoAlt(ENG_FUNC, "Renaming user %s to %s", old_name, new_name);
  std::string folder = UsersFolder();
  std::vector<std::string> extensions;
  // Listed first and moved afterwards, so the moves cannot disturb the listing.
  if (!ListPlayerFiles(old_name, folder, &extensions)) return 0;
  for (const std::string &extension : extensions) {
    std::string source = PlayerFilePath(folder, old_name, extension);
    std::string target = PlayerFilePath(folder, new_name, extension);
    if (EngFileExists(target.c_str(), 0) && EngFileExists(source.c_str(), 0)) EngFileDelete(target.c_str(), 1);
    EngFileMoveFile(source.c_str(), target.c_str());
  }
  return 1;
}

char UserDeleteUser(const char *name, char reset) {
  if (IsEmpty(name)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  char path[USER_PATH_SIZE];
  if (!UserGetUserFileName(name, path, nullptr)) return 0;
  if (!EngFileExists(path, 0)) {
    DebugErrorAlt(ENG_FUNC, "User <%s> does not exist.", name);
    return 0;
  }
  if (reset) {
    DebugInfoAlt(ENG_FUNC, "Reseting user %s", name);
    EngFileDelete(path, 1);
  } else {
    DebugInfoAlt(ENG_FUNC, "Deleting user %s", name);
    std::string folder = UsersFolder();
    std::vector<std::string> extensions;
    if (!ListPlayerFiles(name, folder, &extensions)) return 0;
    for (const std::string &extension : extensions) EngFileDelete(PlayerFilePath(folder, name, extension).c_str(), 1);
  }
  if (mwm_user_mod.user_deleted_cb) mwm_user_mod.user_deleted_cb(name, reset, mwm_user_mod.user_deleted_context);
  return 1;
}

// ---------------------------------------------------------------------------------------------
// The object

static bool IsLettersAndDigits(const char *text) {
  for (const char *c = text; *c; c++)
    if (!((*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9'))) return false;
  return true;
}

static void SetGameVersionText(_UserInfo *info) {
  memset(info->game_version, 0, sizeof(info->game_version));
  snprintf(info->game_version, sizeof(info->game_version), "%d", EngMathRound(MainGetGameVersion() * 1000.0f));
}

UserClass::UserClass(Game *game, const char *program_name, char remember_last_user, char encryption_mode)
    : m_game(game),
      m_program_name(nullptr),
      m_info(nullptr),
      m_loaded(0),
      m_remember_last_user(remember_last_user),
      m_encryption_mode(encryption_mode),
      m_account(nullptr) {
  if (program_name) {
    DebugAssertAlt(IsLettersAndDigits(program_name), ENG_FUNC, "Bad parameters.");
    m_program_name = EngMallocStringFromString(program_name, 0, "UserClass");
    DebugAssertAlt(m_program_name != nullptr, ENG_FUNC, "Out of memory.");
  }
  m_info = static_cast<_UserInfo *>(EngMalloc(sizeof(_UserInfo), "UserClass", 1));
  DebugAssertAlt(m_info != nullptr, ENG_FUNC, "No memory for user");
}

UserClass::~UserClass() {
  Unload();
  EngFree(m_info, 0, "UserClass");
  EngFree(m_program_name, 0, "UserClass");
}

_UserInfo *UserClass::GetInfo(char) {
  DebugAssertAlt(m_info != nullptr, "UserInfo *UserClass::GetInfo(char)", "No record.");
  return m_info;
}

void UserClass::NewAccount() {
  DeleteAccount();
  m_account = new Account(m_game, m_program_name);
}

void UserClass::DeleteAccount() {
  delete m_account;
  m_account = nullptr;
}

void UserClass::SetDefaultOptions() {
  if (!m_info) return;
  memset(&m_info->options, 0, sizeof(m_info->options));
  SetGameVersionText(m_info);
  UserInfoSetDefaultOptionsCB(m_game, m_info);
  if (GetGameVersion(m_info) <= 0.0f) DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
  DeleteAccount();
}

char UserClass::CreateNewUser(const char *name, const char *country_code, char overwrite) {
  if (!name || !country_code || strlen(name) >= USER_NAME_LIMIT || strlen(country_code) >= 4) {
    DebugErrorAlt(ENG_FUNC, "Invalid name or country");
    EngMiscCloseProgram();
    return 0;
  }
  char stored_name[USER_NAME_SIZE];
  EngSafeStrcpy(stored_name, name, sizeof(stored_name));
  char path[USER_PATH_SIZE];
  if (!UserGetUserFileName(stored_name, path, nullptr)) return 0;
  // Only the new-player screen's own reset path may replace a player on disk.
  if (overwrite != 1 && EngFileExists(path, 0)) {
    DebugErrorAlt(ENG_FUNC, "User <%s> exists.", stored_name);
    return 0;
  }
  // Nothing of a player loaded before may stay in the new one's record.
  memset(m_info, 0, sizeof(*m_info));
  SetDefaultOptions();
  m_info->file_version = MainGetUserFileVersion();
  m_info->id = EngUInt16(rand() % 30000 + 1);
  EngSafeStrcpy(m_info->name, stored_name, sizeof(m_info->name));
  EngSafeStrcpy(m_info->country, country_code, sizeof(m_info->country));
  NewAccount();
  m_loaded = 1;
  return 1;
}

void UserClass::MakeFreshRecord(const char *signature, _UserInfo *work, const char *name, const _UserInfo *old) {
  char country[USER_COUNTRY_SIZE];
  if (old) {
    memcpy(country, old->country, sizeof(country));
    country[sizeof(country) - 1] = 0;
  } else {
    DebugNoteAlt(2, signature, "Warning: create_new: No country");
    EngSafeStrcpy(country, "US", sizeof(country));
  }
  memset(work, 0, sizeof(*work));
  work->file_version = MainGetUserFileVersion();
  work->id = EngUInt16(rand() % 30000 + 1);
  EngSafeStrcpy(work->name, name, sizeof(work->name));
  memcpy(work->country, country, sizeof(country));
  UserInfoSetDefaultOptionsCB(m_game, work);
  DebugNoteAlt(2, signature, "Created new options for user %s.", name);
}

// Reads and checks the file into work. 1 with a record; fresh is 1 when nothing usable was read
// and 2 when a record of another version was, either way to be made new.
char UserClass::ReadRecordFile(const char *signature, const char *name, const char *path, char test_only,
                               _UserInfo *work, char *fresh) {
  EngFile file;
  if (!file.OpenForReadingIfExists(path, 0)) return 0;
  const EngUInt32 size = file.GetSize();
  unsigned char plain[USER_INFO_SIZE];
  if (m_encryption_mode == USER_ENCRYPTION_NONE) {
    if (size != USER_INFO_SIZE) {
      if (uc_create_new_if_cannot_load) {
        DebugNoteAlt(2, signature, "Could not load user (size). Creating new.");
        *fresh = 1;
        return 1;
      }
      DebugErrorAlt(signature, "Invalid user size (%s)", name);
      return 0;
    }
    if (!file.Read(plain, USER_INFO_SIZE, 1)) return 0;
  } else {
    char got = 0;
    if (size == USER_ENCRYPTED_FILE_SIZE) {
      unsigned char sealed[USER_ENCRYPTED_FILE_SIZE];
      if (file.Read(sealed, sizeof(sealed), 1)) {
        EngUInt32 out_size = 0;
        void *opened = EngEncryptionDecryptData(sealed, sizeof(sealed), &out_size);
        if (opened && out_size >= USER_INFO_SIZE) {
          memcpy(plain, opened, USER_INFO_SIZE);
          got = 1;
        }
        EngFree(opened, 0, "UserClass::LoadUser");
      }
    }
    if (!got && m_encryption_mode == USER_ENCRYPTION_ACCEPT_PLAIN && size == USER_INFO_SIZE && file.Rewind() &&
        file.Read(plain, USER_INFO_SIZE, 1) && EngByteReader(plain, USER_INFO_SIZE).F32() == MainGetUserFileVersion())
      got = 1;
    if (!got) {
      if (uc_create_new_if_cannot_load) {
        DebugNoteAlt(2, signature, "Could not load user (size). Creating new");
        *fresh = 1;
        return 1;
      }
      if (test_only)
        DebugNoteAlt(2, signature, "Could not load user file (%s)", name);
      else
        DebugErrorAlt(signature, "Could not load user file (%s)", name);
      return 0;
    }
  }
  UserInfoReadFromBytes(plain, work);
  const float version = MainGetUserFileVersion();
  if (work->file_version != version) {
    if (!uc_create_new_if_cannot_load) {
      DebugNoteAlt(2, signature, "Invalid version in user file (%f not %f) (%s)", double(work->file_version),
                   double(version), name);
      return 0;
    }
    DebugNoteAlt(2, signature, "Could not load user (version %f not %f) (%s). Creating new.",
                 double(work->file_version), double(version), name);
    *fresh = 2;
  }
  return 1;
}

char UserClass::LoadUser(const char *name, char test_only, char *always_load, char *country_code) {
  if (IsEmpty(name)) {
    DebugErrorAlt(ENG_FUNC, "No name");
    return 0;
  }
  char path[USER_PATH_SIZE];
  if (!UserGetUserFileName(name, path, nullptr)) return 0;
  if (EngFileIsNotRegular(ENG_FUNC, path)) return 0;
  if (!EngFileExists(path, 0)) {
    if (!test_only) DebugErrorAlt(ENG_FUNC, "User file does not exist <%s>", name);
    return 0;
  }
  // A separate work record: a failed load leaves the loaded player as it was.
  _UserInfo work;
  memset(&work, 0, sizeof(work));
  char fresh = 0;
  if (!ReadRecordFile(ENG_FUNC, name, path, test_only, &work, &fresh)) return 0;
  if (fresh) {
    _UserInfo old = work;
    // Only a record that was read keeps its country.
    MakeFreshRecord(ENG_FUNC, &work, name, fresh == 2 ? &old : nullptr);
  }
  if (always_load) *always_load = char(work.options.always_load);
  if (country_code) memcpy(country_code, work.country, USER_COUNTRY_SIZE);
  if (test_only) return 1;

  // Other modules index tables and set volumes with these; a damaged file must not reach them.
  _UserInfo defaults;
  memset(&defaults, 0, sizeof(defaults));
  UserInfoSetDefaultOptionsCB(m_game, &defaults);
  int repaired = UserInfoRepairOptions(&work, &defaults);
  if (repaired) DebugNoteAlt(2, ENG_FUNC, "Reset %d options out of range to their defaults (%s)", repaired, name);
  // The file's name is the player's: a record holding another name would be saved elsewhere.
  EngSafeStrcpy(work.name, name, sizeof(work.name));

  *m_info = work;
  m_loaded = 1;
  NewAccount();
  m_account->LoadFromUserFileIfExists(name);
  Save(0);
  // On disk the last player stays empty until the next save, which writes it back.
  resolution.last_player[0] = 0;
  ResolutionSaveSettings();
  return 1;
}

char UserClass::Save(char refresh_version) {
  if (!m_loaded || !m_info) return 0;
  if (m_account && m_account->IsSetup() && !IsEmpty(m_account->GetName()) &&
      strcmp(m_account->GetName(), m_info->name) != 0 && UserRenameUser(m_info->name, m_account->GetName()))
    EngSafeStrcpy(m_info->name, m_account->GetName(), sizeof(m_info->name));
  char path[USER_PATH_SIZE];
  if (!UserGetUserFileName(m_info->name, path, nullptr)) {
    DebugErrorAlt(ENG_FUNC, "Could not set filename");
    return 0;
  }
  if (m_remember_last_user) {
    EngSafeStrcpy(resolution.last_player, m_info->name, sizeof(resolution.last_player));
    ResolutionSaveSettings();
  }
  // Written from a copy, so a failed save leaves the record in memory as it was.
  _UserInfo record = *m_info;
  if (refresh_version) SetGameVersionText(&record);
  unsigned char bytes[USER_INFO_SIZE];
  UserInfoWriteToBytes(&record, bytes);
  if (m_encryption_mode == USER_ENCRYPTION_NONE) {
    if (!EngFileOpenWriteAndClose(path, 0, bytes, USER_INFO_SIZE)) {
      DebugErrorAlt(ENG_FUNC, "Could not write to user file");
      return 0;
    }
  } else if (!EngEncryptionEncryptAndWriteToFile(path, bytes, USER_INFO_SIZE)) {
    DebugErrorAlt(ENG_FUNC, "Error writing to user file");
    return 0;
  }
  memcpy(m_info->game_version, record.game_version, sizeof(m_info->game_version));
  if (m_account && m_account->IsSetup() && !IsEmpty(m_account->GetName())) m_account->SaveToUserFile(m_info->name);
  return 1;
}

void UserClass::AfterUserCreatedOrLoaded(char created, char reset) {
  if (created) {
    char saved = Save(1);
    UserInfoNewUserJustSavedCB(m_game, m_info, saved);
  }
  if (!m_game) return;
  m_game->AfterUserLoaded(created, reset);
  VQ_Screens *screens = m_game->GetScreens();
  DebugAssertAlt(screens ? 1 : 0, ENG_FUNC, "No screens");
  UserScreens *user_screens = screens->GetUserScreens();
  DebugAssertAlt(user_screens && user_screens->GetUserLoadCC() ? 1 : 0, ENG_FUNC, "No ul_cc");
  user_screens->GetUserLoadCC()->Cleanup();
  SplashEnd();
}

void UserClass::Unload() {
  DeleteAccount();
  if (m_info) memset(m_info, 0, sizeof(*m_info));
  m_loaded = 0;
}

void UserClass::AlwaysLoadThisUser(char) {
  if (!m_loaded || !m_info || !m_info->name[0] || m_info->id == 0) {
    DebugErrorAlt(ENG_FUNC, "User not loaded.");
    return;
  }
  m_info->options.always_load = 1;
}

float UserClass::GetGameVersion(const _UserInfo *info) {
  const _UserInfo *record = info ? info : m_info;
  if (!record) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0.0f;
  }
  char text[USER_GAME_VERSION_SIZE + 1];
  memcpy(text, record->game_version, USER_GAME_VERSION_SIZE);
  text[USER_GAME_VERSION_SIZE] = 0;
  if (!text[0]) {
    DebugNoteAlt(2, ENG_FUNC, "No game version set.");
    return 0.0f;
  }
  long value = strtol(text, nullptr, 10);
  if (value <= 0) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OPFA);
    return 0.0f;
  }
  return float(double(value) / 1000.0);
}

char UserClass::DoesUserFileExist(const char *name) {
  if (IsEmpty(name)) {
    DebugErrorAlt(ENG_FUNC, "No name");
    return 0;
  }
  char path[USER_PATH_SIZE];
  if (!UserGetUserFileName(name, path, nullptr)) return 0;
  return EngFileExists(path, 0);
}

char *UserClass::GetFileName(const char *suffix) {
  if (!m_loaded || !m_info || !m_info->name[0]) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return nullptr;
  }
  char path[USER_PATH_SIZE];
  UserGetUserFileName(m_info->name, path, suffix);
  if (!path[0]) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return nullptr;
  }
  return EngMallocStringFromString(path, 0, "UserClass::GetFileName");
}

char UserClass::Delete(const char *name, char reset) {
  if (IsEmpty(name)) {
    DebugErrorAlt(ENG_FUNC, "No name");
    return 0;
  }
  UserInfoUserAboutToBeDeletedCB(m_game, m_info, name, reset);
  return UserDeleteUser(name, reset);
}

char UserClass::UpdateCountryCode(const char *code) {
  if (!m_loaded || !m_info) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (IsEmpty(code)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  EngSafeStrcpy(m_info->country, code, sizeof(m_info->country));
  if (m_account && m_account->IsSetup()) m_account->UpdateCountryCode(code);
  return 1;
}

char UserClass::UpdatePhotoFromFile(const char *picture_path) {
  if (!m_loaded || !m_info || !m_info->name[0]) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  char photo[USER_PATH_SIZE];
  if (!UserGetUserFileName(m_info->name, photo, ".png")) return 1;
  const char *extension = nullptr;
  if (!IsEmpty(picture_path)) {
    EngUInt32 size = 0;
    void *png = Account_GetPngDataFromPhoto(picture_path, &size);
    if (png && size) {
      EngFileDeleteIfExists(photo, 0);
      if (EngFileWriteMemoryContentsToFile(photo, 0, png, size)) extension = "png";
    } else {
      DebugErrorAlt(ENG_FUNC, "Could not get png data.");
    }
    EngFree(png, 0, "UserClass::UpdatePhotoFromFile");
  } else {
    EngFileDeleteIfExists(photo, 0);
  }
  if (m_account && m_account->IsSetup()) m_account->UpdateAvatarExtension(extension);
  return 1;
}

char UserClass::CreateGraphics() {
  if (!m_loaded) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (m_account && m_account->IsSetup()) return m_account->CreateGraphics(ACCOUNT_AVATAR_BLEND_NONE);
  return 1;
}

void UserClass::DestroyGraphics() {
  if (m_account) m_account->DestroyGraphics();
}

char UserClass::GameSuspended(char suspending) {
  if (suspending && m_loaded && m_account && m_account->IsSetup() && !IsEmpty(m_account->GetName()))
    m_account->SaveToUserFile(m_info->name);
  return 1;
}

char UserClass::ConnectToOnlineAccount() {
  if (!m_loaded || !m_info) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  Save(0);
  char name[USER_NAME_SIZE];
  EngSafeStrcpy(name, m_info->name, sizeof(name));
  Unload();
  return UserConnectToOnlineAccount(m_game, name);
}

// ---------------------------------------------------------------------------------------------
// Free accessors and the network-account ways in

UserClass *UserFromGame(Game *game) {
  DebugAssertAlt(game != nullptr, ENG_FUNC, "No game.");
  if (!game) return nullptr;
  UserClass *user = game->GetUser();
  DebugAssertAlt(user != nullptr, ENG_FUNC, "No user.");
  return user;
}

_UserInfo *UserInfoFromGame(Game *game) {
  UserClass *user = UserFromGame(game);
  return user ? user->GetInfo() : nullptr;
}

UserOptions *UserOptionsFromGame(Game *game) {
  _UserInfo *info = UserInfoFromGame(game);
  return info ? &info->options : nullptr;
}

UserClass *UserFromMWin(MWin *mwin) {
  DebugAssertAlt(mwin != nullptr, ENG_FUNC, "No mwinp.");
  return mwin ? UserFromGame(mwin->GetGame(0)) : nullptr;
}

_UserInfo *UserInfoFromMWin(MWin *mwin) {
  UserClass *user = UserFromMWin(mwin);
  return user ? user->GetInfo() : nullptr;
}

char UserConnectToOnlineAccount(Game *game, const char *name) {
  MWin *mwin = game ? game->GetMWin() : nullptr;
  if (!mwin || !mwin->GetScreens()) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (IsEmpty(name)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  // The screen reads its argument after this returns.
  static char screen_name[USER_NAME_SIZE];
  EngSafeStrcpy(screen_name, name, sizeof(screen_name));
  mwin->GetScreens()->GotoScreen(EngFourCC("aNSL"), screen_name);
  return 1;
}

char UserCreateOrUpdateUserFromNetworkAccount(Game *game, const char *name, const char *previous_name,
                                              char account_type, const char *email, const char *network_id,
                                              const char *country_code, const char *avatar_url,
                                              const char *photo_path, const char *token) {
  if (!game || IsEmpty(name) || IsEmpty(country_code) || IsEmpty(token)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  UserClass *user = game->GetUser();
  if (!user) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (user->IsLoaded()) {
    DebugNoteAlt(2, ENG_FUNC, "%s", DebugGetStringFromErrorNumber(DEBUG_ERR_ALSU));
    user->Unload();
  }
  const bool has_previous = !IsEmpty(previous_name);
  if (has_previous)
    DebugInfoAlt(ENG_FUNC, "Creating or updating player [%s], with new player [%s]", previous_name, name);
  else
    DebugInfoAlt(ENG_FUNC, "Creating or updating player [%s]", name);
  if (user->DoesUserFileExist(name) && has_previous && strcmp(previous_name, name) != 0) {
    if (MWin *mwin = game->GetMWin())
      mwin->PopupNoticeForTime(name, EngLanguagesGetStringIfExists("User_PlayerExists", "This player already exists."),
                               3.0, 0);
    return 0;
  }
  char loaded = 0;
  if (has_previous && user->LoadUser(previous_name, 1, nullptr, nullptr))
    loaded = user->LoadUser(previous_name, 0, nullptr, nullptr);
  else if (user->LoadUser(name, 1, nullptr, nullptr))
    loaded = user->LoadUser(name, 0, nullptr, nullptr);
  if (!loaded) {
    if (user->DoesUserFileExist(name)) UserDeleteUser(name, 0);
    if (has_previous && user->DoesUserFileExist(previous_name)) UserDeleteUser(previous_name, 0);
    if (!user->CreateNewUser(name, country_code, 1)) return 0;
  }
  user->UpdatePhotoFromFile(photo_path);
  Account *account = user->GetAccount();
  if (!account) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  account->SetupFromNetworkAccount(_AccountType(account_type), name, email, network_id, country_code, avatar_url,
                                   0);
  user->AfterUserCreatedOrLoaded(1, 0);
  return 1;
}
