// The fuzz targets' scratch folder under TMPDIR: gone when its process exits, left by a process
// that ends on a finding only until the next process makes its own, never taken from a process
// that still runs nor from an older build's.
#include "tests/fuzz/FuzzScratch.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

enum class End { kExit, kKilled, kExitWhenLetGo };

struct Child {
  pid_t pid;
  std::string folder, data_folder;
  int let_go;  // closing it lets a kExitWhenLetGo child end
};

// A process that makes its scratch folder (and, ending by exit, the data folder) with a file in
// it, tells their names and ends as asked: by exit, or killed as on a finding, where nothing of
// its own runs.
Child StartChild(End end) {
  int names[2], hold[2];
  if (pipe(names) != 0 || pipe(hold) != 0) return {-1, "", "", -1};
  fflush(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    close(names[0]);
    close(hold[1]);
    std::string told = FuzzScratchFolder() + "\n";
    if (end == End::kExit) told += FuzzDataFolder();
    qwtest::WriteWholeFile(FuzzScratchFolder() + "/input", "x");
    if (write(names[1], told.data(), told.size()) != ssize_t(told.size())) _exit(2);
    close(names[1]);
    if (end == End::kKilled) kill(getpid(), SIGKILL);
    char byte;
    if (end == End::kExitWhenLetGo && read(hold[0], &byte, 1) < 0) _exit(3);
    exit(0);
  }
  close(names[1]);
  close(hold[0]);
  std::string told;
  char buffer[512];
  for (ssize_t got; (got = read(names[0], buffer, sizeof buffer)) > 0;) told.append(buffer, size_t(got));
  close(names[0]);
  const size_t line = told.find('\n');
  if (line == std::string::npos) return {pid, told, "", hold[1]};
  return {pid, told.substr(0, line), told.substr(line + 1), hold[1]};
}

std::set<std::string> Names(const std::string &folder) {
  std::set<std::string> names;
  for (const auto &entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

TEST(FuzzScratchTest, AFolderGoesHoweverItsProcessEndsAndNeverWhileItRuns) {
  qwtest::TempDir tmp;
  qwtest::ScopedEnvVar tmpdir("TMPDIR", tmp.Path().c_str());
  ASSERT_EQ(mkdir(tmp.File("qw-other").c_str(), 0700), 0);  // not a fuzz target's
  // An older build's, without the lock: its process may still be using it.
  ASSERT_EQ(mkdir(tmp.File("qw-fuzz-older").c_str(), 0700), 0);

  Child running = StartChild(End::kExitWhenLetGo);
  Child found = StartChild(End::kKilled);
  ASSERT_GT(running.pid, 0);
  ASSERT_GT(found.pid, 0);
  EXPECT_EQ(qwtest::WaitForExit(found.pid, 30.0), 1000 + SIGKILL);
  EXPECT_EQ(found.folder.rfind(tmp.Path() + "/qw-fuzz-", 0), 0u) << found.folder;
  EXPECT_TRUE(qwtest::FileExists(found.folder + "/input"));

  Child next = StartChild(End::kExit);
  ASSERT_GT(next.pid, 0);
  EXPECT_EQ(qwtest::WaitForExit(next.pid, 30.0), 0);
  EXPECT_EQ(next.data_folder, next.folder + "/data");
  EXPECT_FALSE(fs::exists(found.folder));  // taken by the next process
  EXPECT_FALSE(fs::exists(next.folder));   // gone at its exit
  EXPECT_TRUE(qwtest::FileExists(running.folder + "/input"));

  close(running.let_go);
  close(found.let_go);
  close(next.let_go);
  EXPECT_EQ(qwtest::WaitForExit(running.pid, 30.0), 0);
  EXPECT_EQ(Names(tmp.Path()), (std::set<std::string>{"qw-fuzz-older", "qw-other"}));
}

}  // namespace
