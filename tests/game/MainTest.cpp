// The game's entry points: the per-user data folder and its log come first, and a folder
// that cannot be made stops start-up instead of writing into the resources folder.
#include "game/Main.h"

#include <gtest/gtest.h>

#include <string>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngProgram.h"
#include "Engine/Resolution.h"
#include "game/Program.h"
#include "tests/game/ProgramStartFixture.h"
#include "tests/support/TestSupport.h"

class MainTest : public ProgramStartFixture {};

TEST_F(MainTest, StartUpMakesTheDataFolderAndLogsIntoIt) {
  qwtest::ScopedEnvVar xdg("XDG_DATA_HOME", m_data.Path().c_str());
  int exit_code = 99;
  char arg0[] = "quarrelwick";
  char *argv[] = {arg0, nullptr};
  ASSERT_EQ(MainCreateAndInitMainProgram(nullptr, 1, argv, &exit_code), 1);
  EXPECT_NE(main_program, nullptr);
  EXPECT_EQ(eng_main_program, main_program);

  MainExitAndDeleteMainProgram(1);
  EXPECT_EQ(main_program, nullptr);
  std::string log = qwtest::ReadWholeFile(m_data.File("Tallowmere/Quarrelwick/LogFile.txt"));
  EXPECT_NE(log.find("Exited program.\n------------------------------------------------------\n"), std::string::npos)
      << log;
  EXPECT_TRUE(qwtest::FileExists(m_data.File("Tallowmere/Quarrelwick")));
  EXPECT_FALSE(qwtest::FileExists(m_resources.File("LogFile.txt")));
}

TEST_F(MainTest, AnUnmakeableDataFolderStopsStartUp) {
  std::string not_a_folder = m_data.File("plain-file");
  qwtest::WriteWholeFile(not_a_folder, "x");
  qwtest::ScopedEnvVar xdg("XDG_DATA_HOME", not_a_folder.c_str());
  int exit_code = 0;
  EXPECT_EQ(MainCreateAndInitMainProgram(nullptr, 0, nullptr, &exit_code), 0);
  EXPECT_EQ(exit_code, -1);
  EXPECT_EQ(main_program, nullptr);
}

// The display settings saved by an earlier run shape the window; a damaged file does not stop
// start-up.
TEST_F(MainTest, StartUpAppliesTheSavedDisplaySettings) {
  qwtest::ScopedEnvVar xdg("XDG_DATA_HOME", m_data.Path().c_str());
  _Resolution saved = SavedDisplaySettings();
  saved.window_x = 30;
  saved.window_y = 50;
  const std::string file = WriteDisplaySettings(saved);
  int exit_code = 99;
  ASSERT_EQ(MainCreateAndInitMainProgram(nullptr, 0, nullptr, &exit_code), 1);
  EXPECT_EQ(main_create_window_parms.windowed, 1);
  EXPECT_EQ(main_create_window_parms.width, 800);
  EXPECT_EQ(main_create_window_parms.height, 600);
  EXPECT_EQ(main_create_window_parms.x, 30);
  EXPECT_EQ(main_create_window_parms.y, 50);
  MainExitAndDeleteMainProgram(1);

  MainResetForTests();
  ResolutionResetForTests();
  main_create_window_parms = _EngCreateWindowParms();
  qwtest::WriteWholeFile(SettingsFile(), file.substr(0, 411));
  ASSERT_EQ(MainCreateAndInitMainProgram(nullptr, 0, nullptr, &exit_code), 1);
  // The defaults ask for the display dialog, whose start answer applies them: full screen.
  EXPECT_EQ(resolution.window_width, 1024);
  EXPECT_EQ(main_create_window_parms.windowed, 0);
  EXPECT_EQ(main_create_window_parms.width, resolution.fullscreen_width);
  std::string log = qwtest::ReadWholeFile(m_data.File("Tallowmere/Quarrelwick/LogFile.txt"));
  EXPECT_NE(log.find("is 411 bytes, not 412"), std::string::npos) << log;
}
