// The player profile on real files in a temporary data folder: the new player's exact bytes,
// the files that load and those refused, the last-player field of the display settings, and
// the files that delete, reset and rename touch.
#include "players/UserClass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngDirList.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngMemory.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Program.h"
#include "tests/support/TestSupport.h"

namespace {

const unsigned kSeed = 4242;

// The new player "Bob" from "GB" with the game's default options, byte by byte.
std::string GoldenBob(EngUInt16 id) {
  std::string b(USER_INFO_SIZE, '\0');
  auto put = [&b](size_t at, const std::string &bytes) { b.replace(at, bytes.size(), bytes); };
  put(0, std::string("\x00\x00\x00\x40", 4));  // 2.0
  put(4, "2010");
  put(14, "Bob");
  put(34, "GB");
  b[38] = char(id & 0xFF);
  b[39] = char(id >> 8);
  const std::string one("\x00\x00\x80\x3f", 4), quarter("\x00\x00\x80\x3e", 4);
  b[56] = 1;
  put(60, one);
  b[64] = 1;
  b[65] = 1;
  put(68, quarter);
  b[76] = 1;
  put(80, quarter);
  b[84] = 1;
  put(88, quarter);
  b[412] = 1;
  b[478] = 1;
  b[479] = 1;
  b[481] = 1;
  b[500] = 1;
  b[501] = 3;
  b[592] = char(0xFF);
  b[593] = char(0xFF);
  return b;
}

EngUInt16 FirstId() {
  srand(kSeed);
  EngUInt16 id = EngUInt16(rand() % 30000 + 1);
  srand(kSeed);
  return id;
}

std::string RecordBytes(const _UserInfo *info) {
  unsigned char bytes[USER_INFO_SIZE];
  UserInfoWriteToBytes(info, bytes);
  return std::string(reinterpret_cast<char *>(bytes), sizeof(bytes));
}

std::string Decrypt(const std::string &file) {
  EngUInt32 size = 0;
  void *plain = EngEncryptionDecryptData(file.data(), EngUInt32(file.size()), &size);
  std::string result = plain ? std::string(static_cast<char *>(plain), size) : std::string();
  EngFree(plain, 0, "test");
  return result;
}

class UserClassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_data.Start());
    ResolutionResetForTests();
    m_desktop = {1920, 1080, 32, 60.0f};
    EngResModesSetDisplayForTests(&m_desktop, 1, &m_desktop);
    ResolutionSetupModule(_UpdaterProgramName(17), 2.01f, 1.5f, nullptr, 0, 1, 0, 0, 0, "Resolution", "License",
                          "License.txt", "Startup", "ResTitle.jpg");
    EngEncryptionResetForTests();
    ASSERT_EQ(EngEncryptionInit("QX_SEALING_KEY"), 1);
    UserResetForTests();
    srand(kSeed);
  }
  void TearDown() override {
    UserResetForTests();
    EngEncryptionResetForTests();
    EngResModesSetDisplayForTests(nullptr, 0, nullptr);
    ResolutionResetForTests();
    PrefFolderResetForTests();
    DebugResetForTests();
  }

  std::string UsersPath(const std::string &file = "") const {
    return m_data.File("Tallowmere/Quarrelwick/Users") + (file.empty() ? "" : "/" + file);
  }
  void WriteUserFile(const std::string &file, const std::string &bytes) {
    mkdir(UsersPath().c_str(), 0755);
    qwtest::WriteWholeFile(UsersPath(file), bytes);
  }
  std::set<std::string> UserFiles() const {
    std::set<std::string> names;
    DirList list;
    if (!list.OpenDir(UsersPath().c_str(), nullptr, nullptr) || !list.PrepareToGetFilenamesInDir()) return names;
    for (const char *n = list.GetNextFilenameInDir(); n && *n; n = list.GetNextFilenameInDir()) names.insert(n);
    list.CleanupAfterGettingFilenamesInDir();
    list.CloseDir();
    return names;
  }
  // The last-player field of "Resolution.dat" as it is on disk.
  std::string LastPlayerOnDisk() const {
    std::string file = qwtest::ReadWholeFile(m_data.File("Tallowmere/Quarrelwick/Resolution.dat"));
    if (file.size() != RESOLUTION_FILE_SIZE) return "<missing>";
    return std::string(file.c_str() + 306);
  }
  static bool LogHas(const std::string &text, EngInt32 from = 0) {
    for (EngInt32 i = from; i < DebugGetNumMessages(); i++)
      if (std::string(DebugGetMessage(i)->text).find(text) != std::string::npos) return true;
    return false;
  }
  static std::string Log() {
    std::string all;
    for (EngInt32 i = 0; i < DebugGetNumMessages(); i++) all += std::string(DebugGetMessage(i)->text) + "\n";
    return all;
  }
  // Creates and saves "Bob" the way the new-player screen does.
  std::string SaveBob(char mode = USER_ENCRYPTION_ACCEPT_PLAIN) {
    UserClass user(nullptr, "Quarrelwick", 1, mode);
    EXPECT_EQ(user.CreateNewUser("Bob", "GB", 0), 1);
    user.AfterUserCreatedOrLoaded(1, 1);
    return qwtest::ReadWholeFile(UsersPath("Bob.usr"));
  }

  qwtest::PlayerDataFolder m_data;
  _EngDisplayModeInfo m_desktop;
};

TEST_F(UserClassTest, NewPlayerIsTheGoldenRecordOnDiskAndBackAgain) {
  const EngUInt16 id = FirstId();
  ASSERT_GE(id, 1);
  ASSERT_LE(id, 30000);
  const std::string golden = GoldenBob(id);

  UserClass user(nullptr, "Quarrelwick", 1, USER_ENCRYPTION_ACCEPT_PLAIN);
  EXPECT_FALSE(user.IsLoaded());
  EXPECT_EQ(RecordBytes(user.GetInfo()), std::string(USER_INFO_SIZE, '\0'));
  ASSERT_EQ(user.CreateNewUser("Bob", "GB", 0), 1);
  EXPECT_TRUE(user.IsLoaded());
  EXPECT_NE(user.GetAccount(), nullptr);
  EXPECT_EQ(RecordBytes(user.GetInfo()), golden);
  // Created in memory only; the end of creation saves it.
  EXPECT_FALSE(qwtest::FileExists(UsersPath("Bob.usr")));
  user.AfterUserCreatedOrLoaded(1, 1);

  const std::string file = qwtest::ReadWholeFile(UsersPath("Bob.usr"));
  ASSERT_EQ(file.size(), size_t(USER_ENCRYPTED_FILE_SIZE));
  EXPECT_EQ(Decrypt(file), golden);
  EXPECT_FLOAT_EQ(user.GetGameVersion(nullptr), 2.01f);

  UserClass again(nullptr, "Quarrelwick", 1, USER_ENCRYPTION_ACCEPT_PLAIN);
  ASSERT_EQ(again.LoadUser("Bob", 0, nullptr, nullptr), 1) << Log();
  EXPECT_EQ(RecordBytes(again.GetInfo()), golden);

  again.Unload();
  EXPECT_FALSE(again.IsLoaded());
  EXPECT_EQ(again.GetAccount(), nullptr);
  EXPECT_EQ(RecordBytes(again.GetInfo()), std::string(USER_INFO_SIZE, '\0'));
  EXPECT_EQ(again.Save(1), 0);
}

// The last player's file may be a pipe or the like: it is refused at once and told once under
// the load's name, and the player stays unloaded as for a missing file.
TEST_F(UserClassTest, WhatIsNotAFileIsRefusedAtOnceAsAMissingPlayer) {
  const std::string path = UsersPath("Bob.usr");
  for (qwtest::NotAFile kind : qwtest::kNotAFileKinds) {
    SCOPED_TRACE(qwtest::NotAFileName(kind));
    qwtest::MakeNotAFile(kind, path);
    DebugClearLog(0);
    UserClass user(nullptr, "Quarrelwick", 1, USER_ENCRYPTION_ACCEPT_PLAIN);
    EXPECT_TRUE(qwtest::RunsWithoutWaitingOnPipe(path, [&] {
      EXPECT_EQ(user.LoadUser("Bob", 1, nullptr, nullptr), 0);
      EXPECT_EQ(user.DoesUserFileExist("Bob"), 0);
    }));
    EXPECT_FALSE(user.IsLoaded());
    const std::string log = Log();
    EXPECT_EQ(qwtest::CountLogLines(log, "UserClass::LoadUser", "Not a regular file <" + path + ">"), 1) << log;
    EXPECT_EQ(log.find("Not a regular file"), log.rfind("Not a regular file")) << log;
  }
}

TEST_F(UserClassTest, PlainModeWritesTheBareRecord) {
  const std::string golden = GoldenBob(FirstId());
  EXPECT_EQ(SaveBob(USER_ENCRYPTION_NONE), golden);
  EXPECT_FALSE(qwtest::FileExists(UsersPath("Bob.usr.tmp")));
}

TEST_F(UserClassTest, AFailedSaveKeepsTheOldFileAndTheRecord) {
  for (char mode : {char(USER_ENCRYPTION_NONE), char(USER_ENCRYPTION_ACCEPT_PLAIN)}) {
    SCOPED_TRACE(int(mode));
    SaveBob(mode);
    UserClass user(nullptr, "Quarrelwick", 1, mode);
    ASSERT_EQ(user.LoadUser("Bob", 0, nullptr, nullptr), 1);
    strcpy(user.GetInfo()->game_version, "1000");
    user.GetInfo()->options.tutorial_on = 0;
    const std::string before = RecordBytes(user.GetInfo());
    const std::string on_disk = qwtest::ReadWholeFile(UsersPath("Bob.usr"));
    // The save's temporary file cannot be made where a folder stands.
    ASSERT_EQ(mkdir(UsersPath("Bob.usr.tmp").c_str(), 0755), 0);
    const EngInt32 from = DebugGetNumMessages();
    EXPECT_EQ(user.Save(1), 0);
    EXPECT_TRUE(LogHas(mode ? "Error writing to user file" : "Could not write to user file", from)) << Log();
    EXPECT_EQ(qwtest::ReadWholeFile(UsersPath("Bob.usr")), on_disk);
    EXPECT_EQ(RecordBytes(user.GetInfo()), before);
    rmdir(UsersPath("Bob.usr.tmp").c_str());
    EXPECT_EQ(user.Save(1), 1);
    EXPECT_STREQ(user.GetInfo()->game_version, "2010");
    remove(UsersPath("Bob.usr").c_str());
  }
}

// Creating a player ends in the game, which sets the date format from the country and counts
// the load.
TEST_F(UserClassTest, CreationEndsInTheGame) {
  qwtest::WorkingFolder cwd;
  EngProgramSetResourcesPathForTests(m_data.Path().c_str());
  {
    Program program;
    Game game(&program, "Game", 0);
    UserClass *user = game.GetUser();
    ASSERT_EQ(user->CreateNewUser("Bob", "GB", 0), 1);
    user->AfterUserCreatedOrLoaded(1, 0);
    EXPECT_TRUE(qwtest::FileExists(UsersPath("Bob.usr")));
    ASSERT_EQ(user->IsLoaded(), 1);
    EXPECT_EQ(user->GetInfo()->options.date_format, 1);
    EXPECT_EQ(user->GetInfo()->options.load_count, 1u);
  }
  EngProgramSetResourcesPathForTests(nullptr);
  ASSERT_TRUE(cwd.Restore());
}

TEST_F(UserClassTest, FilesThatLoadAndTheExactRefusals) {
  const std::string golden = GoldenBob(FirstId());
  std::string version1 = golden;
  version1.replace(0, 4, std::string("\x00\x00\x80\x3f", 4));
  std::string noise(USER_ENCRYPTED_FILE_SIZE, '\0');
  for (size_t i = 0; i < noise.size(); i++) noise[i] = char(i * 131 + 17);
  void *sealed = EngEncryptionEncrypt(golden.data(), USER_INFO_SIZE);
  ASSERT_NE(sealed, nullptr);
  const std::string encrypted(static_cast<char *>(sealed), USER_ENCRYPTED_FILE_SIZE);
  EngFree(sealed, 0, "test");

  // Noise decrypts to noise, whose first float is not 2.0.
  const std::string opened = Decrypt(noise);
  ASSERT_EQ(opened.size(), size_t(USER_INFO_SIZE));
  float noise_version;
  memcpy(&noise_version, opened.data(), 4);
  char version[96];
  snprintf(version, sizeof(version), "Invalid version in user file (%f not 2.000000) (Bob)", double(noise_version));
  const std::string size0 = "Invalid user size (Bob)", unreadable = "Could not load user file (Bob)";
  struct Case {
    const char *what;
    std::string file;
    const char *mode0;  // null: loads
    const char *mode2;
  } cases[] = {
      {"659 bytes", golden.substr(0, 659), size0.c_str(), unreadable.c_str()},
      {"660 bytes, version 2.0", golden, nullptr, nullptr},
      {"660 bytes, version 1.0", version1, "Invalid version in user file (1.000000 not 2.000000) (Bob)",
       unreadable.c_str()},
      {"675 bytes", encrypted.substr(0, 675), size0.c_str(), unreadable.c_str()},
      {"676 bytes, encrypted", encrypted, size0.c_str(), nullptr},
      {"676 bytes, random", noise, size0.c_str(), version},
      {"677 bytes", encrypted + "x", size0.c_str(), unreadable.c_str()},
  };
  for (const Case &c : cases) {
    for (char mode : {char(USER_ENCRYPTION_NONE), char(USER_ENCRYPTION_ACCEPT_PLAIN)}) {
      SCOPED_TRACE(std::string(c.what) + ", mode " + char('0' + mode));
      const char *refusal = mode == USER_ENCRYPTION_NONE ? c.mode0 : c.mode2;
      WriteUserFile("Bob.usr", c.file);
      UserClass user(nullptr, "Quarrelwick", 1, mode);
      ASSERT_EQ(user.CreateNewUser("Ann", "US", 1), 1);
      const std::string ann = RecordBytes(user.GetInfo());

      char always = 9, country[3] = {'x', 'x', 'x'};
      EXPECT_EQ(user.LoadUser("Bob", 1, &always, country), refusal ? 0 : 1);
      if (!refusal) {
        EXPECT_EQ(always, 0);
        EXPECT_STREQ(country, "GB");
      }
      // A test load changes nothing, on disk or in memory.
      EXPECT_EQ(qwtest::ReadWholeFile(UsersPath("Bob.usr")), c.file);
      EXPECT_EQ(RecordBytes(user.GetInfo()), ann);

      const EngInt32 from = DebugGetNumMessages();
      EXPECT_EQ(user.LoadUser("Bob", 0, nullptr, nullptr), refusal ? 0 : 1);
      if (refusal) {
        EXPECT_TRUE(LogHas(refusal, from)) << Log();
        EXPECT_EQ(RecordBytes(user.GetInfo()), ann);
        EXPECT_TRUE(user.IsLoaded());
      } else {
        EXPECT_EQ(RecordBytes(user.GetInfo()), golden);
        // Loading saves at once: a plain file read in mode 2 is now encrypted.
        const std::string now = qwtest::ReadWholeFile(UsersPath("Bob.usr"));
        if (mode == USER_ENCRYPTION_NONE) {
          EXPECT_EQ(now, golden);
        } else {
          EXPECT_EQ(now.size(), size_t(USER_ENCRYPTED_FILE_SIZE));
          EXPECT_EQ(Decrypt(now), golden);
        }
      }
    }
  }
}

TEST_F(UserClassTest, MissingPlayersAndBadNames) {
  UserClass user(nullptr, "Quarrelwick", 1, USER_ENCRYPTION_ACCEPT_PLAIN);
  EXPECT_EQ(user.LoadUser("Nobody", 1, nullptr, nullptr), 0);
  EXPECT_EQ(DebugGetNumMessages(), 0) << Log();
  EXPECT_EQ(user.LoadUser("Nobody", 0, nullptr, nullptr), 0);
  EXPECT_TRUE(LogHas("User file does not exist <Nobody>"));

  char path[USER_PATH_SIZE] = "junk";
  EXPECT_EQ(UserGetUserFileName("ABCDEFGHIJKLMNOPQRSTU", path, nullptr), nullptr);
  EXPECT_STREQ(path, "");
  EXPECT_TRUE(LogHas("Invlalid name parameter"));
  EXPECT_EQ(UserGetUserFileName("../Evil", path, nullptr), nullptr);
  EXPECT_EQ(UserGetUserFileName("", path, nullptr), nullptr);
  EXPECT_TRUE(LogHas("No name"));
  ASSERT_NE(UserGetUserFileName("ABCDEFGHIJKLMNOPQRST", path, nullptr), nullptr);
  EXPECT_EQ(std::string(path), UsersPath("ABCDEFGHIJKLMNOPQRST.usr"));
  ASSERT_NE(UserGetUserFileName("Bob", path, ".png"), nullptr);
  EXPECT_EQ(std::string(path), UsersPath("Bob.png"));

  // Names are Latin-1 in the game and UTF-8 on disk.
  ASSERT_EQ(user.CreateNewUser("Zo\xEB", "FR", 0), 1);
  user.AfterUserCreatedOrLoaded(1, 1);
  EXPECT_TRUE(qwtest::FileExists(UsersPath("Zo\xC3\xAB.usr")));
  EXPECT_TRUE(user.DoesUserFileExist("Zo\xEB"));
  char *own = user.GetFileName("_SavedGame10.dat");
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(std::string(own), UsersPath("Zo\xC3\xAB_SavedGame10.dat"));
  EngFree(own, 0, "test");

  // A 20-character name passes the file-name rule and is kept as its first 19 characters.
  ASSERT_EQ(user.CreateNewUser("ABCDEFGHIJKLMNOPQRST", "US", 0), 1);
  EXPECT_STREQ(user.GetInfo()->name, "ABCDEFGHIJKLMNOPQRS");
  EXPECT_STREQ(user.GetInfo()->country, "US");
  const EngInt32 from = DebugGetNumMessages();
  EXPECT_EQ(user.CreateNewUser("ABCDEFGHIJKLMNOPQRSTU", "US", 0), 0);
  EXPECT_TRUE(LogHas("Invalid name or country", from));
  EXPECT_EQ(user.CreateNewUser("A/B", "US", 0), 0);
}

TEST_F(UserClassTest, CreatingNeverReplacesAPlayerUnlessAskedTo) {
  const std::string saved = SaveBob();
  UserClass user(nullptr, "Quarrelwick", 1, USER_ENCRYPTION_ACCEPT_PLAIN);
  EXPECT_EQ(user.CreateNewUser("Bob", "US", 0), 0);
  EXPECT_TRUE(LogHas("User <Bob> exists."));
  EXPECT_FALSE(user.IsLoaded());
  EXPECT_EQ(qwtest::ReadWholeFile(UsersPath("Bob.usr")), saved);

  ASSERT_EQ(user.CreateNewUser("Bob", "US", 1), 1);
  user.AfterUserCreatedOrLoaded(1, 1);
  EXPECT_NE(qwtest::ReadWholeFile(UsersPath("Bob.usr")), saved);
  EXPECT_STREQ(user.GetInfo()->country, "US");
}

TEST_F(UserClassTest, LoadingEmptiesTheLastPlayerOnDiskUntilTheNextSave) {
  SaveBob();
  EXPECT_EQ(LastPlayerOnDisk(), "Bob");
  UserClass user(nullptr, "Quarrelwick", 1, USER_ENCRYPTION_ACCEPT_PLAIN);
  ASSERT_EQ(user.LoadUser("Bob", 1, nullptr, nullptr), 1);
  EXPECT_EQ(LastPlayerOnDisk(), "Bob");  // a test load changes nothing
  ASSERT_EQ(user.LoadUser("Bob", 0, nullptr, nullptr), 1);
  EXPECT_EQ(LastPlayerOnDisk(), "");
  ASSERT_EQ(user.Save(1), 1);
  EXPECT_EQ(LastPlayerOnDisk(), "Bob");

  // Without remembering, saving leaves the field alone.
  UserClass quiet(nullptr, nullptr, 0, USER_ENCRYPTION_ACCEPT_PLAIN);
  ASSERT_EQ(quiet.CreateNewUser("Ann", "US", 0), 1);
  quiet.AfterUserCreatedOrLoaded(1, 1);
  EXPECT_EQ(LastPlayerOnDisk(), "Bob");
}

TEST_F(UserClassTest, DamagedOptionsAreRepairedOnLoad) {
  _UserInfo info;
  const std::string golden = GoldenBob(FirstId());
  UserInfoReadFromBytes(reinterpret_cast<const unsigned char *>(golden.data()), &info);
  info.options.music_when = 9;
  info.options.gardens[1].chosen_difficulty = 7;
  info.options.music_volume = -3.0f;
  info.other_games_pos = 300;
  info.options.load_count = 12;  // not an index: kept
  WriteUserFile("Bob.usr", RecordBytes(&info));
  UserClass user(nullptr, "Quarrelwick", 1, USER_ENCRYPTION_NONE);
  ASSERT_EQ(user.LoadUser("Bob", 0, nullptr, nullptr), 1);
  _UserInfo expected;
  UserInfoReadFromBytes(reinterpret_cast<const unsigned char *>(golden.data()), &expected);
  expected.options.load_count = 12;
  EXPECT_EQ(RecordBytes(user.GetInfo()), RecordBytes(&expected));
  EXPECT_TRUE(LogHas("Reset 4 options out of range to their defaults (Bob)")) << Log();
}

TEST_F(UserClassTest, FilesOfAnotherVersionCanBeReplacedByAFreshRecord) {
  std::string version1 = GoldenBob(FirstId());
  version1.replace(0, 4, std::string("\x00\x00\x80\x3f", 4));
  version1.replace(34, 2, "DE");
  WriteUserFile("Bob.usr", version1);
  UserCreateNewIfCannotLoad(1);
  UserClass user(nullptr, "Quarrelwick", 1, USER_ENCRYPTION_NONE);
  ASSERT_EQ(user.LoadUser("Bob", 0, nullptr, nullptr), 1);
  EXPECT_EQ(user.GetInfo()->file_version, 2.0f);
  EXPECT_STREQ(user.GetInfo()->country, "DE");
  EXPECT_STREQ(user.GetInfo()->game_version, "");
  EXPECT_TRUE(LogHas("Created new options for user Bob."));

  WriteUserFile("Ann.usr", "short");
  ASSERT_EQ(user.LoadUser("Ann", 0, nullptr, nullptr), 1);
  EXPECT_STREQ(user.GetInfo()->country, "US");
  EXPECT_TRUE(LogHas("Warning: create_new: No country"));
}

TEST_F(UserClassTest, GameVersionAndAlwaysLoad) {
  UserClass user(nullptr, "Quarrelwick", 1, USER_ENCRYPTION_ACCEPT_PLAIN);
  user.AlwaysLoadThisUser(1);
  EXPECT_TRUE(LogHas("User not loaded."));
  EXPECT_EQ(user.GetGameVersion(nullptr), 0.0f);
  EXPECT_TRUE(LogHas("No game version set."));
  _UserInfo other;
  memset(&other, 0, sizeof(other));
  strcpy(other.game_version, "1500");
  EXPECT_FLOAT_EQ(user.GetGameVersion(&other), 1.5f);
  strcpy(other.game_version, "-3");
  EXPECT_EQ(user.GetGameVersion(&other), 0.0f);
  EXPECT_TRUE(LogHas("Operation failed."));

  ASSERT_EQ(user.CreateNewUser("Bob", "GB", 0), 1);
  user.GetInfo()->id = 0;
  const EngInt32 from = DebugGetNumMessages();
  user.AlwaysLoadThisUser(1);
  EXPECT_TRUE(LogHas("User not loaded.", from));
  EXPECT_EQ(user.GetInfo()->options.always_load, 0);
  user.GetInfo()->id = 7;
  user.AlwaysLoadThisUser(1);
  EXPECT_EQ(user.GetInfo()->options.always_load, 1);
}

TEST_F(UserClassTest, DeleteResetAndRenameTouchOnlyThePlayersOwnFiles) {
  const std::set<std::string> start = {"Bob.usr",   "Bob.png", "Bob.Jr.usr", "Bobby.usr",
                                       "Bob_SavedGame10.dat", "Ann.usr"};
  struct Case {
    const char *what;
    char (*act)();
    char result;
    std::set<std::string> after;
    const char *log;
  } cases[] = {
      {"delete", [] { return UserDeleteUser("Bob", 0); }, 1,
       {"Bob.Jr.usr", "Bobby.usr", "Bob_SavedGame10.dat", "Ann.usr"}, "Deleting user Bob"},
      {"reset", [] { return UserDeleteUser("Bob", 1); }, 1,
       {"Bob.png", "Bob.Jr.usr", "Bobby.usr", "Bob_SavedGame10.dat", "Ann.usr"}, "Reseting user Bob"},
      {"delete a missing player", [] { return UserDeleteUser("Carl", 0); }, 0, start,
       "User <Carl> does not exist."},
      {"rename", [] { return UserRenameUser("Bob", "Carl"); }, 1,
       {"Carl.usr", "Carl.png", "Bob.Jr.usr", "Bobby.usr", "Bob_SavedGame10.dat", "Ann.usr"},
       "Renaming user Bob to Carl"},
      {"rename onto a player", [] { return UserRenameUser("Bob", "Ann"); }, 0, start, "New user <Ann> exists."},
      {"rename a missing player", [] { return UserRenameUser("Carl", "Dan"); }, 0, start,
       "Old user <Carl> does not exist."},
      {"rename to the same name", [] { return UserRenameUser("Bob", "Bob"); }, 0, start, "Names are the same."},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    for (const std::string &f : UserFiles()) remove(UsersPath(f).c_str());
    for (const std::string &f : start) WriteUserFile(f, f);
    const EngInt32 from = DebugGetNumMessages();
    EXPECT_EQ(c.act(), c.result);
    EXPECT_EQ(UserFiles(), c.after);
    EXPECT_TRUE(LogHas(c.log, from)) << Log();
  }

  // A photo already under the new name is replaced by the player's own.
  for (const std::string &f : UserFiles()) remove(UsersPath(f).c_str());
  WriteUserFile("Bob.usr", "bob");
  WriteUserFile("Bob.png", "bob's photo");
  WriteUserFile("Carl.png", "stale photo");
  ASSERT_EQ(UserRenameUser("Bob", "Carl"), 1);
  EXPECT_EQ(UserFiles(), (std::set<std::string>{"Carl.usr", "Carl.png"}));
  EXPECT_EQ(qwtest::ReadWholeFile(UsersPath("Carl.png")), "bob's photo");

  // Through the player object: the name is checked first.
  UserClass user(nullptr, "Quarrelwick", 1, USER_ENCRYPTION_ACCEPT_PLAIN);
  EXPECT_EQ(user.Delete("", 0), 0);
  EXPECT_TRUE(LogHas("No name"));
  EXPECT_EQ(user.Delete("Carl", 0), 1);
  EXPECT_TRUE(UserFiles().empty());
}

TEST_F(UserClassTest, PhotoAndInactiveAccount) {
  UserClass user(nullptr, "Quarrelwick", 1, USER_ENCRYPTION_ACCEPT_PLAIN);
  EXPECT_EQ(user.UpdatePhotoFromFile(""), 0);
  EXPECT_TRUE(LogHas("Not setup."));
  EXPECT_EQ(user.CreateGraphics(), 0);
  ASSERT_EQ(user.CreateNewUser("Bob", "GB", 0), 1);
  user.AfterUserCreatedOrLoaded(1, 1);
  EXPECT_EQ(user.CreateGraphics(), 1);
  WriteUserFile("Bob.png", "photo");
  // No account service makes PNG bytes: the photo cannot be replaced by a picture.
  EXPECT_EQ(user.UpdatePhotoFromFile("/tmp/picture.jpg"), 1);
  EXPECT_TRUE(LogHas("Could not get png data."));
  EXPECT_TRUE(qwtest::FileExists(UsersPath("Bob.png")));
  EXPECT_EQ(user.UpdatePhotoFromFile(""), 1);
  EXPECT_FALSE(qwtest::FileExists(UsersPath("Bob.png")));

  // The account is never set up, so suspending and saving touch no account file.
  const std::set<std::string> before = UserFiles();
  const EngInt32 from = DebugGetNumMessages();
  EXPECT_EQ(user.GameSuspended(1), 1);
  EXPECT_EQ(user.Save(1), 1);
  EXPECT_EQ(UserFiles(), before);
  EXPECT_FALSE(LogHas("Function not present.", from)) << Log();

  EXPECT_EQ(user.UpdateCountryCode(""), 0);
  EXPECT_EQ(user.UpdateCountryCode("FRA"), 1);
  EXPECT_STREQ(user.GetInfo()->country, "FR");

  // Going to an online account saves and unloads the player; without a toolkit it goes nowhere.
  EXPECT_EQ(user.ConnectToOnlineAccount(), 0);
  EXPECT_FALSE(user.IsLoaded());
  UserClass check(nullptr, nullptr, 0, USER_ENCRYPTION_ACCEPT_PLAIN);
  char country[3] = "";
  EXPECT_EQ(check.LoadUser("Bob", 1, nullptr, country), 1);
  EXPECT_STREQ(country, "FR");
}

}  // namespace
