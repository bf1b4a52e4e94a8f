// A player's online account. No account server exists for this game: every server-facing
// operation logs "Function not present." and fails, and IsSetup is always 0, so the profile
// never stores account files, names or avatars. Only the two string checks do real work.
#pragma once

#include "Engine/EngTypes.h"

class Game;
class MWin;
class MWinButton;
class EngTexture;

enum _AccountType : EngInt32 { ACCOUNT_TYPE_NONE = 0, ACCOUNT_TYPE_EMAIL = 1, ACCOUNT_TYPE_SOCIAL = 2 };
enum _AccountAvatarBlendType : EngInt32 { ACCOUNT_AVATAR_BLEND_NONE = 0, ACCOUNT_AVATAR_BLEND_ALPHA = 1 };
struct _AccountRating {
  EngInt32 rating;
  EngUInt32 games;
  EngUInt32 wins;
  EngUInt16 rank;
};

enum { ACCOUNT_OPTIONS_SIZE = 336, ACCOUNT_EXTRA_SIZE = 64 };

class Account {
 public:
  Account(Game *game, const char *name);
  ~Account();
  Account(const Account &) = delete;
  Account &operator=(const Account &) = delete;

  void SetDefaultOptions();
  void StatusUpdated();
  char IsSetup() { return 0; }
  char LoadFromUserFileIfExists(const char *file_name);
  void SetInfoAndConnectButtonTexts(MWinButton *info_button, MWinButton *connect_button);
  void Disconnect() {}
  void DestroyGraphics() {}
  const char *GetName() const { return m_name; }

  char SetupFromNetworkAccount(_AccountType type, const char *name, const char *email, const char *id,
                               const char *country, const char *extra, char verified);
  char IsVerified();
  char UpdateCountryCode(const char *code);
  char UpdateAvatarExtension(const char *extension);
  char LoadFromFile(const char *path);
  char SaveToFile(const char *path);
  char SaveRatingsToFile(const char *path);
  char LoadRatingsFromFile(const char *path);
  char SaveToUserFile(const char *user_name);
  char ReSendActivationEmail(MWin *mwin, char show_result);
  char GetUserInfoFromServer();
  const char *GetAvatarFilename();
  const char *GetAvatarFullFilename();
  char FillExtraUserInfo();
  char Connect(MWin *mwin);
  char IsConnected();
  char CreateGraphics(_AccountAvatarBlendType blend);
  char ReloadAvatarTexture(_AccountAvatarBlendType blend);
  char SetCurrentRoomAndGameType(const char *room, signed char game_type);
  char GetRatingForRoomNameAndGameType(const char *room, signed char game_type, int *rating, char from_server);
  _AccountRating *GetCurrentRating(char from_server);
  char UpdateCurrentRatingsFromServer();
  char UpdateCurrentNetGamesFromServer(_AccountRating *rating);
  char NetworkGameHasBeenFinished(const char *room, signed char game_type);
  char AddGameToNetUsersDbIfNeeded();

 private:
  Game *m_game;
  char *m_name;
  unsigned char m_options[ACCOUNT_OPTIONS_SIZE];
  unsigned char m_extra[ACCOUNT_EXTRA_SIZE];
  // A connection's status; nothing in this program reads or changes it after construction.
  struct Status {
    EngUInt32 words[3];
    char flag;
    EngUInt32 more[2];
    EngInt32 index;  // -1: none
    EngUInt32 last;
  } m_status;
};

signed char Account_IsEmailAvaliable(const char *email);
signed char Account_IsUserNameAvaliable(const char *name);
char Account_GetNoAvatarFilenameIfExists(char *path);
// Letters and digits, and blanks inside; the two flags are not used.
char Account_IsStringValid(const char *text, char unused1, char unused2);
char Account_IsEmailAddressValid(const char *email);

char Account_RegisterNewUser(_AccountType type, const char *name, const char *email, const char *password,
                             const char *country, const char *id, const char *photo, char *error, MWin *mwin,
                             char show_result);
char Account_UpdateAvatarIfNeeded(_AccountType type, const char *name, const char *id, const char *photo,
                                  MWin *mwin, char show_result);
char *Account_GetPasswordHashFromPassword(const char *password);
char Account_CheckUserAndPassword(MWin *mwin, const char *name, const char *password, char *error,
                                  char show_result);
char Account_GetStatusOnServer(const char *name, char *status);
char Account_UpdateUserNameOnServer(MWin *mwin, const char *old_name, const char *new_name);
char Account_UpdateCountryCodeOnServer(const char *name, const char *code);
char Account_UpdateFacebookOrGoogleIdOnServer(const char *name, const char *id);
char Account_UploadAvatarToServer(const char *name, const char *path);
void *Account_GetPngDataFromPhoto(const char *path, EngUInt32 *size);
char Account_GetUserInfoFromServer(const char *name, char *email, char *country, char *avatar, char *status);
char Account_DownloadAvatarToFile(const char *name, const char *path);
char Account_GetRatingsFromServer(const char *name, const char *room, char game_type, const char *extra,
                                  EngUInt32 *rating, EngUInt32 *games, EngUInt32 *wins, EngUInt16 *rank);
char Account_LoadAvatarTextureToTexture(const char *path, _AccountAvatarBlendType blend, EngTexture *texture);
