// The current player: one 660-byte record in memory and its file "Users/<name>.usr" in the
// per-user data folder (encrypted, or plain), the photo and other files named after the player,
// and the last player's name in the display settings. Needs the game's defaults callback and
// Game::AfterUserLoaded; owns the player's (inactive) online Account.
#pragma once

#include "Engine/EngTypes.h"
#include "players/UserInfo.h"

class Account;
class Game;
class MWin;

enum _UserEncryptionMode : char {
  USER_ENCRYPTION_NONE = 0,     // the file is the plain record
  USER_ENCRYPTION_RECORD = 1,   // one encrypted record, 676 bytes
  USER_ENCRYPTION_ACCEPT_PLAIN = 2,  // as 1, and a plain record of the current version is read too
};

enum {
  USER_PATH_SIZE = 1025,
  USER_MAX_NAME_LENGTH = USER_NAME_SIZE - 1,
  // A name this long or longer is no player's name.
  USER_NAME_LIMIT = 21,
  USER_ENCRYPTED_FILE_SIZE = USER_INFO_SIZE + 16,
};

class UserClass {
 public:
  // program_name: letters and digits only, or null.
  UserClass(Game *game, const char *program_name, char remember_last_user, char encryption_mode);
  ~UserClass();
  UserClass(const UserClass &) = delete;
  UserClass &operator=(const UserClass &) = delete;

  static EngInt32 GetUserInfoSize() { return USER_INFO_SIZE; }
  _UserInfo *GetInfo(char unused = 0);
  Account *GetAccount(char = 0) { return m_account; }
  char IsLoaded() const { return m_loaded; }

  // Makes the player in memory only; AfterUserCreatedOrLoaded(1, ...) saves it. Refuses a name
  // whose player file exists unless overwrite is 1.
  char CreateNewUser(const char *name, const char *country_code, char overwrite);
  void SetDefaultOptions();
  // With test_only nothing changes; always_load (byte 502) and country_code (3 bytes) come back
  // when given. A failed load leaves the loaded player untouched.
  char LoadUser(const char *name, char test_only, char *always_load, char *country_code);
  char Save(char refresh_version);
  // The common end of every way into the game.
  void AfterUserCreatedOrLoaded(char created, char reset);
  void Unload();
  void AlwaysLoadThisUser(char unused);
  // Of the given record, or the current one when null; 0 when unknown.
  float GetGameVersion(const _UserInfo *info);

  char DoesUserFileExist(const char *name);
  // A new heap text (free with EngFree): the loaded player's file path with the suffix.
  char *GetFileName(const char *suffix);
  char Delete(const char *name, char reset);

  char UpdateCountryCode(const char *code);
  char UpdatePhotoFromFile(const char *picture_path);
  char CreateGraphics();
  void DestroyGraphics();
  char GameSuspended(char suspending);
  char ConnectToOnlineAccount();

 private:
  Game *m_game;
  char *m_program_name;
  _UserInfo *m_info;
  char m_loaded;
  char m_remember_last_user;
  char m_encryption_mode;
  Account *m_account;

  // Both report under the caller's signature.
  char ReadRecordFile(const char *signature, const char *name, const char *path, char test_only, _UserInfo *work,
                      char *fresh);
  void MakeFreshRecord(const char *signature, _UserInfo *work, const char *name, const _UserInfo *old);
  void NewAccount();
  void DeleteAccount();
};

// Builds "<Users folder>/<name>.usr", or with a suffix "<Users folder>/<name><suffix>", in path
// (USER_PATH_SIZE bytes); the name (Latin-1) is written in UTF-8. Null and an empty path for a
// missing name, one of USER_NAME_LIMIT characters or more, or one holding '/'.
char *UserGetUserFileName(const char *name, char *path, const char *suffix);
// Moves every file of the player (the name, a dot, an extension without a dot) to the new name.
char UserRenameUser(const char *old_name, const char *new_name);
// reset: only the player file; otherwise every file of the player. Saved games stay.
char UserDeleteUser(const char *name, char reset);
void UserCreateNewIfCannotLoad(char on);

// These end the program when there is no player object.
UserClass *UserFromGame(Game *game);
_UserInfo *UserInfoFromGame(Game *game);
UserOptions *UserOptionsFromGame(Game *game);
UserClass *UserFromMWin(MWin *mwin);
_UserInfo *UserInfoFromMWin(MWin *mwin);

// Network-account ways in; nothing in this game calls them.
char UserConnectToOnlineAccount(Game *game, const char *name);
char UserCreateOrUpdateUserFromNetworkAccount(Game *game, const char *name, const char *previous_name,
                                              char account_type, const char *email, const char *network_id,
                                              const char *country_code, const char *avatar_url,
                                              const char *photo_path, const char *token);

// Puts the module flag back, for tests.
void UserResetForTests();
