#include "online/Account.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMiscString.h"

// Every server-facing call leaves this one note under its own signature.
#define ACCOUNT_NOT_PRESENT() DebugNoteAlt(2, ENG_FUNC, "%s", DebugGetStringFromErrorNumber(DEBUG_ERR_FILL))

Account::Account(Game *game, const char *name)
    : m_game(game), m_name(nullptr) {
  if (name && *name) m_name = EngMallocStringFromString(name, 0, "Account");
  memset(m_options, 0, sizeof(m_options));
  memset(m_extra, 0, sizeof(m_extra));
  memset(&m_status, 0, sizeof(m_status));
  m_status.index = -1;
  (void)m_game;
}

Account::~Account() { EngFree(m_name, 0, "Account"); }

void Account::SetDefaultOptions() {
  ACCOUNT_NOT_PRESENT();
  memset(m_options, 0, sizeof(m_options));
}

void Account::StatusUpdated() { ACCOUNT_NOT_PRESENT(); }

char Account::LoadFromUserFileIfExists(const char *) { return 0; }

void Account::SetInfoAndConnectButtonTexts(MWinButton *, MWinButton *) { ACCOUNT_NOT_PRESENT(); }

char Account::SetupFromNetworkAccount(_AccountType, const char *, const char *, const char *, const char *,
                                      const char *, char) {
  ACCOUNT_NOT_PRESENT();
  return 0;
}

#define ACCOUNT_STUB(result, signature) \
  result signature {                    \
    ACCOUNT_NOT_PRESENT();              \
    return 0;                           \
  }

ACCOUNT_STUB(char, Account::IsVerified())
ACCOUNT_STUB(char, Account::UpdateCountryCode(const char *))
ACCOUNT_STUB(char, Account::UpdateAvatarExtension(const char *))
ACCOUNT_STUB(char, Account::LoadFromFile(const char *))
ACCOUNT_STUB(char, Account::SaveToFile(const char *))
ACCOUNT_STUB(char, Account::SaveRatingsToFile(const char *))
ACCOUNT_STUB(char, Account::LoadRatingsFromFile(const char *))
ACCOUNT_STUB(char, Account::SaveToUserFile(const char *))
ACCOUNT_STUB(char, Account::ReSendActivationEmail(MWin *, char))
ACCOUNT_STUB(char, Account::GetUserInfoFromServer())
ACCOUNT_STUB(const char *, Account::GetAvatarFilename())
ACCOUNT_STUB(const char *, Account::GetAvatarFullFilename())
ACCOUNT_STUB(char, Account::FillExtraUserInfo())
ACCOUNT_STUB(char, Account::Connect(MWin *))
ACCOUNT_STUB(char, Account::IsConnected())
ACCOUNT_STUB(char, Account::CreateGraphics(_AccountAvatarBlendType))
ACCOUNT_STUB(char, Account::ReloadAvatarTexture(_AccountAvatarBlendType))
ACCOUNT_STUB(char, Account::SetCurrentRoomAndGameType(const char *, signed char))
ACCOUNT_STUB(char, Account::GetRatingForRoomNameAndGameType(const char *, signed char, int *, char))
ACCOUNT_STUB(_AccountRating *, Account::GetCurrentRating(char))
ACCOUNT_STUB(char, Account::UpdateCurrentRatingsFromServer())
ACCOUNT_STUB(char, Account::UpdateCurrentNetGamesFromServer(_AccountRating *))
ACCOUNT_STUB(char, Account::NetworkGameHasBeenFinished(const char *, signed char))
ACCOUNT_STUB(char, Account::AddGameToNetUsersDbIfNeeded())

signed char Account_IsEmailAvaliable(const char *) {
  ACCOUNT_NOT_PRESENT();
  return -1;
}

signed char Account_IsUserNameAvaliable(const char *) {
  ACCOUNT_NOT_PRESENT();
  return -1;
}

char Account_GetNoAvatarFilenameIfExists(char *) { return 0; }

char Account_IsStringValid(const char *text, char, char) {
  if (!text || !*text) return 0;
  size_t length = strlen(text);
  for (size_t i = 0; i < length; i++) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    bool digit = c >= '0' && c <= '9';
    bool inner_blank = c == ' ' && i > 0 && i + 1 < length;
    if (!letter && !digit && !inner_blank) return 0;
  }
  return 1;
}

char Account_IsEmailAddressValid(const char *email) { return EngMiscIsEmailAddressValid(email, 100); }

ACCOUNT_STUB(char, Account_RegisterNewUser(_AccountType, const char *, const char *, const char *, const char *,
                                           const char *, const char *, char *, MWin *, char))
ACCOUNT_STUB(char, Account_UpdateAvatarIfNeeded(_AccountType, const char *, const char *, const char *, MWin *,
                                                char))
ACCOUNT_STUB(char *, Account_GetPasswordHashFromPassword(const char *))
ACCOUNT_STUB(char, Account_CheckUserAndPassword(MWin *, const char *, const char *, char *, char))
ACCOUNT_STUB(char, Account_GetStatusOnServer(const char *, char *))
ACCOUNT_STUB(char, Account_UpdateUserNameOnServer(MWin *, const char *, const char *))
ACCOUNT_STUB(char, Account_UpdateCountryCodeOnServer(const char *, const char *))
ACCOUNT_STUB(char, Account_UpdateFacebookOrGoogleIdOnServer(const char *, const char *))
ACCOUNT_STUB(char, Account_UploadAvatarToServer(const char *, const char *))
ACCOUNT_STUB(void *, Account_GetPngDataFromPhoto(const char *, EngUInt32 *))
ACCOUNT_STUB(char, Account_GetUserInfoFromServer(const char *, char *, char *, char *, char *))
ACCOUNT_STUB(char, Account_DownloadAvatarToFile(const char *, const char *))
ACCOUNT_STUB(char, Account_GetRatingsFromServer(const char *, const char *, char, const char *, EngUInt32 *,
                                                EngUInt32 *, EngUInt32 *, EngUInt16 *))
ACCOUNT_STUB(char, Account_LoadAvatarTextureToTexture(const char *, _AccountAvatarBlendType, EngTexture *))
