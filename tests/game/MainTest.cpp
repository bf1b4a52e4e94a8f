// The game's entry points: the per-user data folder and its log come first, and a folder
// that cannot be made stops start-up instead of writing into the resources folder.
#include "game/Main.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngProgram.h"
#include "game/Program.h"
#include "tests/support/TestSupport.h"

class MainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
    m_old_cwd = cwd;
    DebugResetForTests();
    MainResetForTests();
    EngProgramSetResourcesPathForTests(m_resources.Path().c_str());
  }
  void TearDown() override {
    MainExitAndDeleteMainProgram(0);
    EngProgramSetResourcesPathForTests(nullptr);
    DebugResetForTests();
    ASSERT_EQ(chdir(m_old_cwd.c_str()), 0);
  }
  qwtest::TempDir m_resources, m_data;
  std::string m_old_cwd;
};

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
