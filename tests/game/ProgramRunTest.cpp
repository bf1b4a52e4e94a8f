// The real program under Xvfb with a temporary HOME: it starts, runs its loop until SIGTERM,
// then closes down with exit code 0 and the log's closing lines, having loaded everything it
// asks for. Without its main font start-up ends with -1.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

std::string BinaryDir() {
  const char *binary = getenv("QW_TEST_BINARY_DIR");
  return binary ? binary : ".";
}

pid_t Start(const std::string &exe, const std::string &home) {
  pid_t pid = fork();
  if (pid == 0) {
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    execl(exe.c_str(), exe.c_str(), static_cast<char *>(nullptr));
    _exit(127);
  }
  return pid;
}

// Waits up to `seconds` for the process to end; -1 while it still runs.
int WaitForExit(pid_t pid, double seconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  int status = 0;
  while (std::chrono::steady_clock::now() < until) {
    pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return -1;
}

std::string Log(const std::string &home) {
  return qwtest::ReadWholeFile(home + "/.local/share/Tallowmere/Quarrelwick/LogFile.txt");
}

TEST(ProgramRunTest, RunsUntilSigtermAndClosesDownCleanly) {
  qwtest::TempDir home;
  pid_t pid = Start(BinaryDir() + "/quarrelwick", home.Path());
  ASSERT_GT(pid, 0);
  const std::string settings = home.File(".local/share/Tallowmere/Quarrelwick/Resolution.dat");
  for (int i = 0; i < 200 && !qwtest::FileExists(settings); i++)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  // Still running well after start-up: it is in its loop.
  int early = WaitForExit(pid, 3.0);
  if (early != -1) FAIL() << "ended on its own with " << early << "\n" << Log(home.Path());
  ASSERT_EQ(kill(pid, SIGTERM), 0);
  EXPECT_EQ(WaitForExit(pid, 30.0), 0);

  const std::string log = Log(home.Path());
  const std::string ending = "Exited program.\n" + std::string(54, '-') + "\n";
  ASSERT_GE(log.size(), ending.size()) << log;
  EXPECT_EQ(log.substr(log.size() - ending.size()), ending) << log;
  EXPECT_EQ(log.find("Could not load"), std::string::npos) << log;
  EXPECT_EQ(log.find("Could not create"), std::string::npos) << log;
}

TEST(ProgramRunTest, WithoutItsFontStartUpEndsWithMinusOne) {
  qwtest::TempDir home, install;
  fs::copy_file(BinaryDir() + "/quarrelwick", install.File("quarrelwick"));
  fs::permissions(install.File("quarrelwick"), fs::perms::owner_all);
  fs::copy(BinaryDir() + "/resources", install.File("resources"), fs::copy_options::recursive);
  fs::remove(install.File("resources/VeraBd.ttf"));
  pid_t pid = Start(install.File("quarrelwick"), home.Path());
  ASSERT_GT(pid, 0);
  int code = WaitForExit(pid, 60.0);
  if (code == -1) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  EXPECT_EQ(code, 255);
  EXPECT_NE(Log(home.Path()).find("Could not create font"), std::string::npos) << Log(home.Path());
}

}  // namespace
