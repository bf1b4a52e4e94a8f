// The inactive network account: the string checks, and one "not present" note per stub call.
#include "online/Account.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(AccountTest, StringValidity) {
  struct Case {
    const char *text;
    char valid;
  } cases[] = {
      {"Bob Smith", 1}, {"abc123", 1}, {"A", 1},      {"7", 1},        {"Two  Blanks", 1},
      {" Bob", 0},      {"Bob ", 0},   {" ", 0},      {"Bob-Smith", 0}, {"", 0},
      {nullptr, 0},     {"Bob.", 0},   {"Zo\xEB", 0}, {"Bob\tX", 0},
  };
  for (const Case &c : cases) EXPECT_EQ(Account_IsStringValid(c.text, 1, 1), c.valid) << (c.text ? c.text : "null");
  EXPECT_EQ(Account_IsEmailAddressValid("bob@example.com"), 1);
  EXPECT_EQ(Account_IsEmailAddressValid("bob"), 0);
}

class AccountNotesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    DebugSetLogFilename(m_dir.File("Log.txt").c_str(), 1);
  }
  void TearDown() override { DebugResetForTests(); }
  static int NotesSince(EngInt32 from, const std::string &name) {
    int n = 0;
    for (EngInt32 i = from; i < DebugGetNumMessages(); i++) {
      std::string text = DebugGetMessage(i)->text;
      if (text.find("Function not present.") == std::string::npos) continue;
      n++;
      EXPECT_NE(text.find(name), std::string::npos) << text;
    }
    return n;
  }
  qwtest::TempDir m_dir;
};

TEST_F(AccountNotesTest, EveryStubNotesOnceAndFails) {
  Account account(nullptr, "Quarrelwick");
  EXPECT_STREQ(account.GetName(), "Quarrelwick");
  char text[64] = "";
  EngUInt32 u[3] = {};
  EngUInt16 rank = 0;
  int rating = 0;
  struct Stub {
    const char *name;
    std::function<long()> call;
  } stubs[] = {
      {"SetDefaultOptions", [&] { account.SetDefaultOptions(); return 0L; }},
      {"StatusUpdated", [&] { account.StatusUpdated(); return 0L; }},
      {"SetInfoAndConnectButtonTexts", [&] { account.SetInfoAndConnectButtonTexts(nullptr, nullptr); return 0L; }},
      {"SetupFromNetworkAccount",
       [&] { return long(account.SetupFromNetworkAccount(ACCOUNT_TYPE_EMAIL, "a", "b", "c", "d", "e", 0)); }},
      {"IsVerified", [&] { return long(account.IsVerified()); }},
      {"UpdateCountryCode", [&] { return long(account.UpdateCountryCode("GB")); }},
      {"UpdateAvatarExtension", [&] { return long(account.UpdateAvatarExtension("png")); }},
      {"LoadFromFile", [&] { return long(account.LoadFromFile("x")); }},
      {"SaveToFile", [&] { return long(account.SaveToFile("x")); }},
      {"SaveRatingsToFile", [&] { return long(account.SaveRatingsToFile("x")); }},
      {"LoadRatingsFromFile", [&] { return long(account.LoadRatingsFromFile("x")); }},
      {"SaveToUserFile", [&] { return long(account.SaveToUserFile("Bob")); }},
      {"ReSendActivationEmail", [&] { return long(account.ReSendActivationEmail(nullptr, 0)); }},
      {"GetUserInfoFromServer", [&] { return long(account.GetUserInfoFromServer()); }},
      {"GetAvatarFilename", [&] { return long(account.GetAvatarFilename() != nullptr); }},
      {"GetAvatarFullFilename", [&] { return long(account.GetAvatarFullFilename() != nullptr); }},
      {"FillExtraUserInfo", [&] { return long(account.FillExtraUserInfo()); }},
      {"Connect", [&] { return long(account.Connect(nullptr)); }},
      {"IsConnected", [&] { return long(account.IsConnected()); }},
      {"CreateGraphics", [&] { return long(account.CreateGraphics(ACCOUNT_AVATAR_BLEND_NONE)); }},
      {"ReloadAvatarTexture", [&] { return long(account.ReloadAvatarTexture(ACCOUNT_AVATAR_BLEND_NONE)); }},
      {"SetCurrentRoomAndGameType", [&] { return long(account.SetCurrentRoomAndGameType("r", 1)); }},
      {"GetRatingForRoomNameAndGameType",
       [&] { return long(account.GetRatingForRoomNameAndGameType("r", 1, &rating, 0)); }},
      {"GetCurrentRating", [&] { return long(account.GetCurrentRating(0) != nullptr); }},
      {"UpdateCurrentRatingsFromServer", [&] { return long(account.UpdateCurrentRatingsFromServer()); }},
      {"UpdateCurrentNetGamesFromServer", [&] { return long(account.UpdateCurrentNetGamesFromServer(nullptr)); }},
      {"NetworkGameHasBeenFinished", [&] { return long(account.NetworkGameHasBeenFinished("r", 1)); }},
      {"AddGameToNetUsersDbIfNeeded", [&] { return long(account.AddGameToNetUsersDbIfNeeded()); }},
      {"Account_RegisterNewUser",
       [&] {
         return long(Account_RegisterNewUser(ACCOUNT_TYPE_EMAIL, "a", "b", "c", "d", "e", "f", text, nullptr, 0));
       }},
      {"Account_UpdateAvatarIfNeeded",
       [&] { return long(Account_UpdateAvatarIfNeeded(ACCOUNT_TYPE_EMAIL, "a", "b", "c", nullptr, 0)); }},
      {"Account_GetPasswordHashFromPassword",
       [&] { return long(Account_GetPasswordHashFromPassword("p") != nullptr); }},
      {"Account_CheckUserAndPassword", [&] { return long(Account_CheckUserAndPassword(nullptr, "a", "b", text, 0)); }},
      {"Account_GetStatusOnServer", [&] { return long(Account_GetStatusOnServer("a", text)); }},
      {"Account_UpdateUserNameOnServer", [&] { return long(Account_UpdateUserNameOnServer(nullptr, "a", "b")); }},
      {"Account_UpdateCountryCodeOnServer", [&] { return long(Account_UpdateCountryCodeOnServer("a", "b")); }},
      {"Account_UpdateFacebookOrGoogleIdOnServer",
       [&] { return long(Account_UpdateFacebookOrGoogleIdOnServer("a", "b")); }},
      {"Account_UploadAvatarToServer", [&] { return long(Account_UploadAvatarToServer("a", "b")); }},
      {"Account_GetPngDataFromPhoto", [&] { return long(Account_GetPngDataFromPhoto("a", u) != nullptr); }},
      {"Account_GetUserInfoFromServer",
       [&] { return long(Account_GetUserInfoFromServer("a", text, text, text, text)); }},
      {"Account_DownloadAvatarToFile", [&] { return long(Account_DownloadAvatarToFile("a", "b")); }},
      {"Account_GetRatingsFromServer",
       [&] { return long(Account_GetRatingsFromServer("a", "b", 1, "c", &u[0], &u[1], &u[2], &rank)); }},
      {"Account_LoadAvatarTextureToTexture",
       [&] { return long(Account_LoadAvatarTextureToTexture("a", ACCOUNT_AVATAR_BLEND_NONE, nullptr)); }},
  };
  for (const Stub &s : stubs) {
    const EngInt32 from = DebugGetNumMessages();
    EXPECT_EQ(s.call(), 0L) << s.name;
    EXPECT_EQ(NotesSince(from, s.name), 1) << s.name;
  }

  const EngInt32 from = DebugGetNumMessages();
  EXPECT_EQ(Account_IsEmailAvaliable("a@b.c"), -1);
  EXPECT_EQ(Account_IsUserNameAvaliable("Bob"), -1);
  EXPECT_EQ(NotesSince(from, "Avaliable"), 2);

  // The set-up queries answer quietly that there is no account.
  const EngInt32 quiet = DebugGetNumMessages();
  EXPECT_EQ(account.IsSetup(), 0);
  EXPECT_EQ(account.LoadFromUserFileIfExists("Bob"), 0);
  EXPECT_EQ(Account_GetNoAvatarFilenameIfExists(text), 0);
  account.Disconnect();
  account.DestroyGraphics();
  EXPECT_EQ(DebugGetNumMessages(), quiet);
}

}  // namespace
