// The real program under Xvfb with a temporary HOME: it starts, runs its loop until SIGTERM,
// then closes down with exit code 0 and the log's closing lines, having loaded everything it
// asks for. Without its main font start-up ends with -1.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

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

std::string DataFolder(const std::string &home) { return home + "/.local/share/Tallowmere/Quarrelwick"; }

std::string Log(const std::string &home) { return qwtest::ReadWholeFile(DataFolder(home) + "/LogFile.txt"); }

// The signals the process ignores, from its status in /proc.
unsigned long long IgnoredSignals(pid_t pid) {
  std::istringstream status(qwtest::ReadWholeFile("/proc/" + std::to_string(pid) + "/status"));
  for (std::string line; std::getline(status, line);)
    if (line.rfind("SigIgn:", 0) == 0) return std::stoull(line.substr(7), nullptr, 16);
  return 0;
}

bool EndsCleanly(const std::string &log) {
  const std::string ending = "Exited program.\n" + std::string(54, '-') + "\n";
  return log.size() >= ending.size() && log.substr(log.size() - ending.size()) == ending;
}

// How long a program may take to get somewhere (a file written, a line logged, its end): a
// bound that only a program that hangs reaches, however loaded the machine (one took 36 seconds
// to close down).
const double kHangSeconds = 90.0;

// Polls until the condition holds or kHangSeconds pass; returns the condition.
bool WaitFor(const std::function<bool()> &condition) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(kHangSeconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

// Still running a second later: it went on into its loop.
void ExpectStillRunning(pid_t pid, const std::string &home) {
  int early = qwtest::WaitForExit(pid, 1.0);
  if (early != -1) ADD_FAILURE() << "ended on its own with " << early << "\n" << Log(home);
}

// Waits for a program to end: its exit code, or -1 when it had to be killed.
int WaitOrKill(pid_t pid) {
  const int code = qwtest::WaitForExit(pid, kHangSeconds);
  if (code == -1) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  return code;
}

TEST(ProgramRunTest, RunsUntilSigtermAndClosesDownCleanly) {
  qwtest::TempDir home;
  pid_t pid = Start(qwtest::BinaryDir() + "/quarrelwick", home.Path());
  ASSERT_GT(pid, 0);
  const std::string settings = home.File(".local/share/Tallowmere/Quarrelwick/Resolution.dat");
  WaitFor([&] { return qwtest::FileExists(settings); });
  // Still running well after start-up: it is in its loop.
  int early = qwtest::WaitForExit(pid, 3.0);
  if (early != -1) FAIL() << "ended on its own with " << early << "\n" << Log(home.Path());
  // A write to a closed pipe in a library must not end it.
  EXPECT_TRUE(IgnoredSignals(pid) & (1ull << (SIGPIPE - 1)));
  ASSERT_EQ(kill(pid, SIGTERM), 0);
  EXPECT_EQ(WaitOrKill(pid), 0);

  const std::string log = Log(home.Path());
  EXPECT_TRUE(EndsCleanly(log)) << log;
  EXPECT_EQ(log.find("Could not load"), std::string::npos) << log;
  EXPECT_EQ(log.find("Could not create"), std::string::npos) << log;
}

TEST(ProgramRunTest, WithoutItsFontStartUpEndsWithMinusOne) {
  qwtest::TempDir home, install;
  fs::copy_file(qwtest::BinaryDir() + "/quarrelwick", install.File("quarrelwick"));
  fs::permissions(install.File("quarrelwick"), fs::perms::owner_all);
  fs::copy(qwtest::BuiltResources(), install.File("resources"), fs::copy_options::recursive);
  fs::remove(install.File("resources/VeraBd.ttf"));
  pid_t pid = Start(install.File("quarrelwick"), home.Path());
  ASSERT_GT(pid, 0);
  EXPECT_EQ(WaitOrKill(pid), 255);
  EXPECT_NE(Log(home.Path()).find("Could not create font"), std::string::npos) << Log(home.Path());
}

// A damaged picture among the resources (compressed data with an impossible Huffman table, as
// the picture fuzzer found) is refused with the reason, on the worker that decodes the first
// screen's pictures and on the main thread alike, and the program runs on.
TEST(ProgramRunTest, ADamagedPictureIsRefusedAndTheProgramRunsOn) {
  qwtest::TempDir home, install;
  fs::copy_file(qwtest::BinaryDir() + "/quarrelwick", install.File("quarrelwick"));
  fs::permissions(install.File("quarrelwick"), fs::perms::owner_all);
  fs::copy(qwtest::BuiltResources(), install.File("resources"), fs::copy_options::recursive);
  const std::string damaged =
      qwtest::ReadWholeFile(qwtest::SourceDir() + "/tests/data/fuzz/ImageDecodeFuzz/bad-huffman-table.png");
  // The splash's picture is decoded ahead on the worker; the skin's on the main thread.
  const char *const pictures[] = {"SplashArt.png", "Buttons.png"};
  for (const char *picture : pictures) qwtest::WriteWholeFile(install.File("resources/") + picture, damaged);
  pid_t pid = Start(install.File("quarrelwick"), home.Path());
  ASSERT_GT(pid, 0);
  const std::string last = std::string("Load failed <") + pictures[0] + ">";
  WaitFor([&] { return Log(home.Path()).find(last) != std::string::npos; });
  int early = qwtest::WaitForExit(pid, 2.0);
  if (early != -1) FAIL() << "ended on its own with " << early << "\n" << Log(home.Path());
  ASSERT_EQ(kill(pid, SIGTERM), 0);
  EXPECT_EQ(WaitOrKill(pid), 0);
  const std::string log = Log(home.Path());
  EXPECT_TRUE(EndsCleanly(log)) << log;
  // The skin's picture is checked before it is registered, and told as not loaded.
  const char *const refusals[] = {"Load failed <", "Could not load texture <"};
  for (int i = 0; i < 2; i++) {
    const char *picture = pictures[i];
    const size_t failed = log.find(std::string(refusals[i]) + picture + ">");
    ASSERT_NE(failed, std::string::npos) << picture << "\n" << log;
    // The reason is told just before.
    const size_t line = log.rfind('\n', log.rfind('\n', failed) - 1);
    EXPECT_NE(log.substr(line, failed - line).find("Corrupt PNG: IDAT: "), std::string::npos) << picture << "\n" << log;
  }
}

// Something that is not a file where the program reads at start-up (the display settings, the
// last player's file) is refused and told once; the program goes on into its loop as without
// the file, and SIGTERM still ends it cleanly. The runs go side by side, each with its own home.
TEST(ProgramRunTest, WhatIsNotAFileAtStartUpIsRefusedAndTheLoopRuns) {
  // A first run writes the display settings; naming a last player in them makes the next runs
  // read that player's file.
  qwtest::TempDir first;
  pid_t pid = Start(qwtest::BinaryDir() + "/quarrelwick", first.Path());
  ASSERT_GT(pid, 0);
  const std::string first_settings = DataFolder(first.Path()) + "/Resolution.dat";
  WaitFor([&] { return qwtest::FileExists(first_settings); });
  ASSERT_EQ(kill(pid, SIGTERM), 0);
  ASSERT_EQ(WaitOrKill(pid), 0) << Log(first.Path());
  std::string settings = qwtest::ReadWholeFile(first_settings);
  ASSERT_EQ(settings.size(), 412u);
  settings.replace(306, 5, std::string("Wren\0", 5));

  struct Run {
    std::string place;
    qwtest::NotAFile kind;
    std::unique_ptr<qwtest::TempDir> home;
    pid_t pid;
  };
  std::vector<Run> runs;
  for (const char *place : {"Resolution.dat", "Users/Wren.usr"})
    for (qwtest::NotAFile kind : qwtest::kNotAFileKinds) {
      Run run{place, kind, std::make_unique<qwtest::TempDir>(), -1};
      const std::string data = DataFolder(run.home->Path());
      std::filesystem::create_directories(data + "/Users");
      qwtest::WriteWholeFile(data + "/Resolution.dat", settings);
      qwtest::MakeNotAFile(kind, data + "/" + place);
      runs.push_back(std::move(run));
    }
  for (Run &run : runs) run.pid = Start(qwtest::BinaryDir() + "/quarrelwick", run.home->Path());
  for (Run &run : runs) {
    SCOPED_TRACE(run.place + " as a " + qwtest::NotAFileName(run.kind));
    ASSERT_GT(run.pid, 0);
    const std::string told = "Not a regular file <" + DataFolder(run.home->Path()) + "/" + run.place + ">";
    WaitFor([&] { return Log(run.home->Path()).find(told) != std::string::npos; });
    ExpectStillRunning(run.pid, run.home->Path());
  }
  for (Run &run : runs) kill(run.pid, SIGTERM);
  for (Run &run : runs) {
    SCOPED_TRACE(run.place + " as a " + qwtest::NotAFileName(run.kind));
    EXPECT_EQ(WaitOrKill(run.pid), 0);
    const std::string log = Log(run.home->Path());
    EXPECT_TRUE(EndsCleanly(log)) << log;
    const std::string told = "Not a regular file <" + DataFolder(run.home->Path()) + "/" + run.place + ">";
    const char *signature = run.place == "Resolution.dat" ? "ReadFile" : "UserClass::LoadUser";
    // Told by the reader itself, once for each time it reads (the settings are read more than
    // once), never again by the file layer under it.
    const int lines = qwtest::CountLogLines(log, signature, told);
    EXPECT_GE(lines, 1) << log;
    EXPECT_EQ(qwtest::CountLogLines(log, "", "Not a regular file"), lines) << log;
  }
}

// Whatever stands at the display settings' temporary name, at start-up or at the exit, is
// replaced by the save or, for a folder, refuses it: the program never waits there, writes
// nothing through a link and ends on SIGTERM. The runs go side by side, each with its own home.
TEST(ProgramRunTest, WhatStandsAtTheSettingsTemporaryNameNeverHoldsTheProgram) {
  struct Run {
    qwtest::NotAFile kind;
    std::unique_ptr<qwtest::TempDir> home;
    pid_t pid;
  };
  std::vector<Run> runs;
  for (qwtest::NotAFile kind : qwtest::kNotAFileKindsForWriting) {
    Run run{kind, std::make_unique<qwtest::TempDir>(), -1};
    const std::string data = DataFolder(run.home->Path());
    fs::create_directories(data);
    qwtest::MakeNotAFile(kind, data + "/Resolution.dat.tmp");
    runs.push_back(std::move(run));
  }
  for (Run &run : runs) run.pid = Start(qwtest::BinaryDir() + "/quarrelwick", run.home->Path());
  const auto settings_saved = [](const Run &run) {
    const std::string log = Log(run.home->Path());
    return run.kind == qwtest::NotAFile::kFolder
               ? log.find("Problem Creating to Resolution File") != std::string::npos
               : fs::is_regular_file(fs::symlink_status(DataFolder(run.home->Path()) + "/Resolution.dat"));
  };
  for (Run &run : runs) {
    SCOPED_TRACE(qwtest::NotAFileName(run.kind));
    ASSERT_GT(run.pid, 0);
    EXPECT_TRUE(WaitFor([&] { return settings_saved(run); })) << Log(run.home->Path());
    ExpectStillRunning(run.pid, run.home->Path());
    // The save at the exit finds one there too.
    qwtest::MakeNotAFile(run.kind, DataFolder(run.home->Path()) + "/Resolution.dat.tmp");
  }
  for (Run &run : runs) kill(run.pid, SIGTERM);
  for (Run &run : runs) {
    SCOPED_TRACE(qwtest::NotAFileName(run.kind));
    EXPECT_EQ(WaitOrKill(run.pid), 0);
    const std::string log = Log(run.home->Path());
    EXPECT_TRUE(EndsCleanly(log)) << log;
    const std::string settings = DataFolder(run.home->Path()) + "/Resolution.dat";
    if (run.kind == qwtest::NotAFile::kFolder) {
      EXPECT_FALSE(fs::exists(settings));
      EXPECT_GE(qwtest::CountLogLines(log, "ResolutionSaveSettings", "Problem Creating to Resolution File"), 2) << log;
    } else {
      EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(settings)));
      EXPECT_EQ(qwtest::ReadWholeFile(settings).size(), 412u);
      EXPECT_FALSE(fs::exists(fs::symlink_status(settings + ".tmp")));
      EXPECT_EQ(log.find("Problem"), std::string::npos) << log;
    }
  }
  EXPECT_EQ(qwtest::ReadWholeFile(qwtest::OutsideFile()), qwtest::kOutsideBytes);
}

}  // namespace
