// The platform utilities: user name, cursor-speed steps, desktop size, standard folders
// from the XDG settings, the per-user data root, and the sleeps.
#include "Engine/EngMisc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "Engine/EngMain.h"
#include "tests/support/TestSupport.h"

namespace {

using qwtest::ScopedEnvVar;

class EngMiscTest : public ::testing::Test {
 protected:
  void SetUp() override { EngMiscResetForTests(); }
  void TearDown() override { EngMiscResetForTests(); }
};

bool IsFolder(const std::string &path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

TEST_F(EngMiscTest, UserNameCapitalisation) {
  struct Case {
    const char *name, *want;
  } cases[] = {
      {"jo", "Jo"},           {"jonathan", "Jonathan"}, {"joHn", "joHn"}, {"JOHN", "JOHN"},
      {"1user", "1user"},     {"_build", "_build"},     {"a", "A"},       {"zed99", "Zed99"},
      {"\xc3\xa9mile", "\xe9mile"},  // UTF-8 from the system, Latin-1 here, not capitalised
  };
  char buffer[64];
  for (const Case &c : cases) {
    EngMiscSetUserNameForTests(c.name);
    ASSERT_EQ(EngMiscGetDefaultUsersName(buffer, sizeof(buffer)), 1) << c.name;
    EXPECT_STREQ(buffer, c.want);
  }
  EngMiscSetUserNameForTests("longname");
  EXPECT_EQ(EngMiscGetDefaultUsersName(buffer, 8), 0);  // needs 9 bytes
  EXPECT_EQ(EngMiscGetDefaultUsersName(buffer, 9), 1);
  EXPECT_EQ(EngMiscGetDefaultUsersName(nullptr, 9), 0);
  EXPECT_EQ(EngMiscGetDefaultUsersName(buffer, 0), 0);
  EngMiscSetUserNameForTests(nullptr);
  EXPECT_EQ(EngMiscGetDefaultUsersName(buffer, sizeof(buffer)), 1);  // the password database
  EXPECT_GT(strlen(buffer), 0u);
}

TEST_F(EngMiscTest, CursorSpeedSteps) {
  struct Case {
    double mouse, trackpad;
    int steps;
    double want_mouse, want_trackpad;
  } cases[] = {
      {1.0, 1.0, 1, 1.5, 1.5},        {2.5, 0.0, 20, 3.0, 3.0},    {0.125, 3.0, -3, 0.0, 1.5},
      {0.0, 0.5, -1, 0.0, 0.3125},    {3.0, 0.6875, 0, 3.0, 0.6875}, {0.875, 0.875, -100, 0.0, 0.0},
      {1.2, 1.2, 1, 1.5, 1.5},        // not standard: steps from 1.0
      {-4.0, 9.0, 1, 0.125, 3.0},     // below and above the table
  };
  for (const Case &c : cases) {
    _EngMiscCursorSpeed speed = {c.trackpad, c.mouse};
    EXPECT_EQ(EngMisChangeCursorSpeed(&speed, c.steps), 1);
    EXPECT_DOUBLE_EQ(speed.mouse_speed, c.want_mouse) << c.mouse << " " << c.steps;
    EXPECT_DOUBLE_EQ(speed.trackpad_speed, c.want_trackpad) << c.trackpad << " " << c.steps;
  }
  EXPECT_EQ(EngMisChangeCursorSpeed(nullptr, 1), 0);
  EXPECT_EQ(EngMiscGetCursorSpeed(nullptr), 0);
}

TEST_F(EngMiscTest, PointerSpeedWithoutAnXDisplayIsUnsupported) {
  ScopedEnvVar display("DISPLAY", nullptr);
  _EngMiscCursorSpeed speed = {0.5, 0.5};
  EXPECT_EQ(EngMiscGetCursorSpeed(&speed), 0);
  EXPECT_DOUBLE_EQ(speed.mouse_speed, 0.5);
  EXPECT_EQ(EngMiscSetCursorSpeed(speed), 0);
}

TEST_F(EngMiscTest, DesktopDimensionsFromSdl) {
  // The tests run on SDL's dummy video driver, whose desktop is 1024 by 768.
  int x = -1, y = -1, width = 0, height = 0;
  ASSERT_EQ(EngMiscGetDesktopDimensions(&x, &y, &width, &height, 0), 1);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(width, 1024);
  EXPECT_EQ(height, 768);
  ASSERT_EQ(EngMiscGetDesktopDimensions(nullptr, nullptr, nullptr, &height, 1), 1);
  EXPECT_EQ(height, 718);
  EXPECT_EQ(EngMiscMoveMainWindow(10, 10), 0);  // no main window
}

TEST_F(EngMiscTest, StandardFoldersFromUserDirs) {
  qwtest::TempDir home;
  ScopedEnvVar h("HOME", home.Path().c_str());
  ScopedEnvVar c("XDG_CONFIG_HOME", nullptr);
  mkdir(home.File(".config").c_str(), 0700);
  mkdir(home.File("Schreibtisch").c_str(), 0700);
  mkdir(home.File("Documents").c_str(), 0700);
  mkdir(home.File("elsewhere").c_str(), 0700);
  qwtest::WriteWholeFile(home.File(".config/user-dirs.dirs"),
                         "# written by xdg-user-dirs-update\n"
                         "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                         "XDG_DOWNLOAD_DIR=\"" + home.File("elsewhere") + "\"\n"
                         "XDG_PICTURES_DIR=\"$HOME/\"\n");
  char buffer[768];
  ASSERT_EQ(EngMiscGetDesktopDirectory(buffer, sizeof(buffer)), 1);
  EXPECT_EQ(std::string(buffer), home.File("Schreibtisch"));
  ASSERT_EQ(EngMiscGetDocumentsDirectory(buffer, sizeof(buffer)), 1);  // unset: $HOME/Documents
  EXPECT_EQ(std::string(buffer), home.File("Documents"));
  ASSERT_EQ(EngMiscGetDownloadsDirectory(buffer, sizeof(buffer)), 1);
  EXPECT_EQ(std::string(buffer), home.File("elsewhere"));
  // "$HOME/" turns the folder off; the default then does not exist.
  EXPECT_EQ(EngMiscGetUserPhotosFolder(buffer, sizeof(buffer)), 0);
  // A path that does not fit is a failure, not a cut path.
  EXPECT_EQ(EngMiscGetDesktopDirectory(buffer, int(home.File("Schreibtisch").size())), 0);
  EXPECT_EQ(EngMiscGetDesktopDirectory(buffer, int(home.File("Schreibtisch").size() + 1)), 1);
}

TEST_F(EngMiscTest, TheDesktopIsMadeWhenMissing) {
  qwtest::TempDir home;
  ScopedEnvVar h("HOME", home.Path().c_str());
  ScopedEnvVar c("XDG_CONFIG_HOME", nullptr);
  char buffer[768];
  // No user-dirs file: $HOME/Desktop.
  ASSERT_EQ(EngMiscCreateDesktopDirectoryIfNeeded(buffer, sizeof(buffer)), 1);
  EXPECT_EQ(std::string(buffer), home.File("Desktop"));
  EXPECT_EQ(EngMiscGetDesktopDirectory(buffer, sizeof(buffer)), 1);
  // The user-dirs file's folder, parents and all; an existing one is simply found.
  mkdir(home.File(".config").c_str(), 0700);
  qwtest::WriteWholeFile(home.File(".config/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"$HOME/a/b/Bureau\"\n");
  for (int i = 0; i < 2; i++) {
    ASSERT_EQ(EngMiscCreateDesktopDirectoryIfNeeded(buffer, sizeof(buffer)), 1);
    EXPECT_EQ(std::string(buffer), home.File("a/b/Bureau"));
  }
  EXPECT_EQ(EngMiscCreateDesktopDirectoryIfNeeded(buffer, 8), 0);
  // A file where the folder should be is a failure.
  qwtest::WriteWholeFile(home.File(".config/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"$HOME/file/Desk\"\n");
  qwtest::WriteWholeFile(home.File("file"), "x");
  EXPECT_EQ(EngMiscCreateDesktopDirectoryIfNeeded(buffer, sizeof(buffer)), 0);
}

TEST_F(EngMiscTest, ApplicationDataRootAndItsSubfolders) {
  qwtest::TempDir home;
  ScopedEnvVar h("HOME", home.Path().c_str());
  ScopedEnvVar d("XDG_DATA_HOME", nullptr);
  ScopedEnvVar c("XDG_CONFIG_HOME", nullptr);
  char buffer[768];
  EXPECT_EQ(EngMiscIsApplicationsSupportDirectoryBeingUsed(), 0);
  ASSERT_EQ(EngMiscGetUserApplicationDataDirectory(buffer, sizeof(buffer)), 1);
  EXPECT_EQ(std::string(buffer), home.File(".config"));
  EngMiscUseApplicationsSupportDirectoryForApplicationDataDirectory(1);
  ASSERT_EQ(EngMiscGetUserApplicationDataSubDirectory("Users", buffer, sizeof(buffer)), 1);
  EXPECT_EQ(std::string(buffer), home.File(".local/share/Users"));
  EXPECT_EQ(EngMiscGetUserApplicationDataSubDirectory("", buffer, sizeof(buffer)), 0);
  EXPECT_EQ(EngMiscGetUserApplicationDataSubDirectory(nullptr, buffer, sizeof(buffer)), 0);
  // The whole path must fit: root + "/" + sub + terminator.
  size_t need = home.File(".local/share/Users").size() + 1;
  EXPECT_EQ(EngMiscGetUserApplicationDataSubDirectory("Users", buffer, int(need) - 1), 0);
  EXPECT_EQ(EngMiscGetUserApplicationDataSubDirectory("Users", buffer, int(need)), 1);

  // A fresh account has no ~/.local/share yet: it is made on the way.
  ASSERT_FALSE(IsFolder(home.File(".local")));
  ASSERT_EQ(EngMiscCreateUserApplicationDataSubSubDirectoryIfNeeded("Maker", "Game", buffer, sizeof(buffer)), 1);
  EXPECT_EQ(std::string(buffer), home.File(".local/share/Maker/Game"));
  EXPECT_TRUE(IsFolder(buffer));
  struct stat st;
  ASSERT_EQ(stat(home.File(".local/share").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  {
    ScopedEnvVar x("XDG_DATA_HOME", home.File("data").c_str());
    ASSERT_EQ(EngMiscGetUserApplicationDataDirectory(buffer, sizeof(buffer)), 1);
    EXPECT_EQ(std::string(buffer), home.File("data"));
  }
  {
    ScopedEnvVar x("XDG_DATA_HOME", "relative/path");  // ignored, as the standard says
    ASSERT_EQ(EngMiscGetUserApplicationDataDirectory(buffer, sizeof(buffer)), 1);
    EXPECT_EQ(std::string(buffer), home.File(".local/share"));
  }
}

TEST_F(EngMiscTest, TildeExpansionAndWorkingFolder) {
  qwtest::TempDir home;
  ScopedEnvVar h("HOME", home.Path().c_str());
  char *path = CreatePathByExpandingTildePath("~");
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(std::string(path), home.Path());
  free(path);
  EXPECT_EQ(CreatePathByExpandingTildePath("~/does-not-exist"), nullptr);
  char cwd[1024];
  EXPECT_EQ(EngMiscGetCurrentDirectory(cwd, sizeof(cwd)), 1);
  EXPECT_EQ(cwd[0], '/');
}

int sleep_calls = 0;
void CountSleep(double) { sleep_calls++; }

TEST_F(EngMiscTest, SleepsReturnAtOnceForNothing) {
  EngMainSetSleepForTests(CountSleep);
  sleep_calls = 0;
  EXPECT_EQ(EngMiscSleep(0), 1);
  EXPECT_EQ(EngMiscSleep(-1), 1);
  EngMiscSleepWithHang(0);
  EngMiscCallPlatformSleepFunc(-1);
  EXPECT_EQ(sleep_calls, 0);
  EngMainSetSleepForTests(nullptr);
}

TEST_F(EngMiscTest, SystemVersionAndMemory) {
  long version = EngMiscGetOsxVersion_MAC();
  EXPECT_GT(version, 0x020000);  // at least kernel 2.x
  EXPECT_EQ(EngUtilsGetOsxVersion_MAC(), version);
  float megabytes = 0;
  EXPECT_EQ(EngMiscGetProgramsMemoryUsageMB(&megabytes), 1);
  EXPECT_GT(megabytes, 0.0f);
}

}  // namespace
