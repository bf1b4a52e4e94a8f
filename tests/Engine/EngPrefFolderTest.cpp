// The per-user data folder tree and its three path buffers, under a temporary HOME, and
// moving players' files between program folders.
#include "Engine/EngPrefFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>

#include "Engine/EngMisc.h"
#include "tests/support/TestSupport.h"

namespace {

using qwtest::ScopedEnvVar;

bool IsFolder(const std::string &path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

class EngPrefFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PrefFolderResetForTests();
    EngMiscResetForTests();
  }
  void TearDown() override {
    PrefFolderResetForTests();
    EngMiscResetForTests();
  }
  std::string Data(const std::string &rest = "") const {
    return home.File(".local/share/Tallowmere") + (rest.empty() ? "" : "/" + rest);
  }
  qwtest::TempDir home;
  ScopedEnvVar env_home{"HOME", home.Path().c_str()};
  ScopedEnvVar env_data{"XDG_DATA_HOME", nullptr};
  ScopedEnvVar env_config{"XDG_CONFIG_HOME", nullptr};
};

TEST_F(EngPrefFolderTest, SetupMakesTheTreeOnDemand) {
  const char *main_folder = PrefFolderSetup("Quarrelwick", 1, "LogFile.txt", 1);
  ASSERT_NE(main_folder, nullptr);
  EXPECT_EQ(std::string(main_folder), Data("Quarrelwick"));
  EXPECT_TRUE(IsFolder(Data("Quarrelwick")));
  EXPECT_EQ(EngMiscIsApplicationsSupportDirectoryBeingUsed(), 1);

  EXPECT_EQ(std::string(PrefFolderGetSubFolder("Users", 1)), Data("Quarrelwick/Users"));
  EXPECT_TRUE(IsFolder(Data("Quarrelwick/Users")));
  EXPECT_EQ(std::string(PrefFolderGetSubFolder("Scores", 0)), Data("Quarrelwick/Scores"));
  EXPECT_FALSE(IsFolder(Data("Quarrelwick/Scores")));
  EXPECT_EQ(std::string(PrefFolderGetTallowmereCommonFolder()), Data("Common"));
  EXPECT_TRUE(IsFolder(Data("Common")));
  EXPECT_EQ(std::string(PrefFolderGetTallowmereCommonSubFolder("Shared", 1)), Data("Common/Shared"));
  EXPECT_EQ(std::string(PrefFolderGetMainFolderWithFileAppended("LogFile.txt")), Data("Quarrelwick/LogFile.txt"));
}

TEST_F(EngPrefFolderTest, WhichBufferEachCallWrites) {
  ASSERT_NE(PrefFolderSetup("Quarrelwick", 0, nullptr, 1), nullptr);
  const char *b1 = PrefFolderGetBufferForTests(1), *b2 = PrefFolderGetBufferForTests(2),
             *b3 = PrefFolderGetBufferForTests(3);
  EXPECT_EQ(PrefFolderGetMainFolder(), b1);
  EXPECT_EQ(PrefFolderGetSubFolder("Users", 1), b2);
  EXPECT_EQ(PrefFolderGetSubFolderWithFileAppended("Users", "p.usr", 1), b3);
  EXPECT_EQ(std::string(b3), Data("Quarrelwick/Users/p.usr"));

  EXPECT_EQ(PrefFolderGetSubSubFolder("a", "b", 1), b2);
  EXPECT_EQ(std::string(b1), Data("Quarrelwick/a"));  // the first buffer now holds the subfolder
  EXPECT_EQ(std::string(b2), Data("Quarrelwick/a/b"));
  EXPECT_TRUE(IsFolder(b2));
  EXPECT_EQ(PrefFolderGetSubSubFolderWithFileAppended("a", "b", "f.dat", 0), b3);
  EXPECT_EQ(std::string(b3), Data("Quarrelwick/a/b/f.dat"));

  // Bad names fall back to the nearest folder. Each result is copied: the next call overwrites it.
  struct Case {
    std::string result;
    const char *want;
  } cases[] = {
      {PrefFolderGetSubFolder("", 1), "Quarrelwick"},
      {PrefFolderGetSubFolder(std::string(128, 's').c_str(), 1), "Quarrelwick"},
      {PrefFolderGetSubSubFolder("a", "", 1), "Quarrelwick"},
      {PrefFolderGetMainFolderWithFileAppended(std::string(200, 'f').c_str()), "Quarrelwick/Temp.dat"},
      {PrefFolderGetMainFolderWithFileAppended(""), "Quarrelwick"},
      {PrefFolderGetSubFolderWithFileAppended("Users", nullptr, 0), "Quarrelwick/Users"},
  };
  for (const Case &c : cases) EXPECT_EQ(c.result, Data(c.want));
}

TEST_F(EngPrefFolderTest, NoDataFolderMeansNoStart) {
  // An overlong program name, and a data root that cannot be made (a file in its place).
  EXPECT_EQ(PrefFolderSetup(std::string(128, 'q').c_str(), 1, "LogFile.txt", 1), nullptr);
  EXPECT_STREQ(PrefFolderGetMainFolder(), ".");
  qwtest::WriteWholeFile(home.File(".local"), "not a folder");
  EXPECT_EQ(PrefFolderSetup("Quarrelwick", 1, "LogFile.txt", 1), nullptr);
  EXPECT_STREQ(PrefFolderGetMainFolder(), ".");
  EXPECT_STREQ(PrefFolderGetSubFolder("Users", 0), "./Users");
}

TEST_F(EngPrefFolderTest, UserFoldersAndTheirSubfolders) {
  mkdir(home.File("Documents").c_str(), 0755);
  mkdir(home.File("Desktop").c_str(), 0755);
  EXPECT_EQ(std::string(PrefFolderGetMyDocsFolder()), home.File("Documents"));
  EXPECT_EQ(std::string(PrefFolderGetDesktopSubFolder("Update", 1)), home.File("Desktop/Update"));
  EXPECT_TRUE(IsFolder(home.File("Desktop/Update")));
  EXPECT_EQ(std::string(PrefFolderGetMyDocsSubFolderWithFileAppended("Shots", "1.jpg")),
            home.File("Documents/Shots/1.jpg"));
  EXPECT_EQ(std::string(PrefFolderGetMyDocsSubSubFolder("Shots", "May", 1)), home.File("Documents/Shots/May"));
  EXPECT_TRUE(IsFolder(home.File("Documents/Shots/May")));
  // Without a Downloads folder the look-up fails, and nothing is made at the file system root.
  EXPECT_STREQ(PrefFolderGetDownloadsFolder(), ".");
  EXPECT_STREQ(PrefFolderGetDownloadsSubFolder("x", 0), "./x");
}

TEST_F(EngPrefFolderTest, MoveOldFolderFromThePreferencesRoot) {
  std::string old_folder = home.File(".config/Tallowmere/Old");
  ASSERT_TRUE(std::filesystem::create_directories(old_folder));
  qwtest::WriteWholeFile(old_folder + "/keep.txt", "k");
  EXPECT_EQ(PrefFolderMoveOldFolderIfExistsToApplicationSupportFolder_MAC("Old"), 1);
  EXPECT_EQ(qwtest::ReadWholeFile(Data("Old/keep.txt")), "k");
  EXPECT_FALSE(IsFolder(old_folder));
  EXPECT_EQ(EngMiscIsApplicationsSupportDirectoryBeingUsed(), 1);
  EXPECT_EQ(PrefFolderMoveOldFolderIfExistsToApplicationSupportFolder_MAC("Old"), 0);  // already there
  EXPECT_EQ(PrefFolderMoveOldFolderIfExistsToApplicationSupportFolder_MAC(""), 0);
}

TEST_F(EngPrefFolderTest, MoveOldUsersWithLongNames) {
  EngMiscUseApplicationsSupportDirectoryForApplicationDataDirectory(1);
  ASSERT_TRUE(std::filesystem::create_directories(Data("Old/Users")));
  ASSERT_TRUE(std::filesystem::create_directories(Data("New/Users")));
  std::string long_base(200, 'L');  // longer than any fixed slack for the base name
  for (const std::string &base : {std::string("ann"), long_base}) {
    qwtest::WriteWholeFile(Data("Old/Users/" + base + ".usr"), "u");
    qwtest::WriteWholeFile(Data("Old/Users/" + base + ".sav"), "s");
  }
  qwtest::WriteWholeFile(Data("Old/Users/bob.usr"), "old bob");
  qwtest::WriteWholeFile(Data("New/Users/bob.usr"), "new bob");  // never overwritten
  qwtest::WriteWholeFile(Data("Old/Users/orphan.sav"), "o");      // no player file: stays

  EXPECT_EQ(PrefFolderMoveOldUsersIfAnyToNewFolder("Old", "New"), 1);
  for (const std::string &base : {std::string("ann"), long_base}) {
    EXPECT_EQ(qwtest::ReadWholeFile(Data("New/Users/" + base + ".usr")), "u");
    EXPECT_EQ(qwtest::ReadWholeFile(Data("New/Users/" + base + ".sav")), "s");
    EXPECT_FALSE(qwtest::FileExists(Data("Old/Users/" + base + ".usr")));
  }
  EXPECT_EQ(qwtest::ReadWholeFile(Data("New/Users/bob.usr")), "new bob");
  EXPECT_TRUE(qwtest::FileExists(Data("Old/Users/bob.usr")));
  EXPECT_TRUE(qwtest::FileExists(Data("Old/Users/orphan.sav")));
  EXPECT_EQ(PrefFolderMoveOldUsersIfAnyToNewFolder("Old", ""), 0);
  EXPECT_EQ(PrefFolderMoveOldUsersIfAnyToNewFolder("Missing", "New"), 0);
}

}  // namespace
