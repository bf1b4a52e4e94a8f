// Runs the asset tool (QW_ASSETGEN_EXE) as a child process for the tests that make assets of
// their own, its output and errors caught in one text.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace qwtest {

struct ToolRun {
  int status;
  std::string output;
};

// Runs the tool with its output and errors captured in one stream.
inline ToolRun RunTool(const std::string &assets, const std::string &out, const std::string &state,
                       const std::vector<std::string> &extra = {}) {
  std::vector<std::string> arguments = {QW_ASSETGEN_EXE, "--assets", assets, "--out", out, "--state", state};
  arguments.insert(arguments.end(), extra.begin(), extra.end());
  std::vector<char *> argv;
  for (std::string &a : arguments) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  // The tool's leaks at exit are not what these tests look at.
  std::vector<std::string> variables = {"ASAN_OPTIONS=detect_leaks=0"};
  for (char **v = environ; *v; ++v)
    if (strncmp(*v, "ASAN_OPTIONS=", 13) != 0) variables.push_back(*v);
  std::vector<char *> envp;
  for (std::string &v : variables) envp.push_back(&v[0]);
  envp.push_back(nullptr);

  ToolRun run{-1, ""};
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
  pid_t pid = -1;
  const bool spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  // The tool runs as long as it works; one that still runs at its hang limit is stopped, and
  // its output says so. A whole run makes every picture, a minute's work and more under the
  // sanitizers on a loaded two-core machine, so its limit is five times a test's.
  const double hang_seconds = 5 * kHangSeconds;
  const auto hung_at = std::chrono::steady_clock::now() + std::chrono::duration<double>(hang_seconds);
  bool hung = false;
  char buf[4096];
  for (;;) {
    const double left = std::chrono::duration<double>(hung_at - std::chrono::steady_clock::now()).count();
    if (left <= 0) {
      hung = true;
      break;
    }
    pollfd readable = {fds[0], POLLIN, 0};
    if (poll(&readable, 1, int(left * 1000) + 1) <= 0) continue;
    ssize_t n = read(fds[0], buf, sizeof(buf));
    if (n > 0)
      run.output.append(buf, size_t(n));
    else if (n == 0 || errno != EINTR)
      break;
  }
  close(fds[0]);
  if (!spawned) return run;
  const int status = hung ? -1 : WaitForExit(pid, hang_seconds);
  if (status == -1) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    run.output += "\n[the tool was still running after " + std::to_string(int(hang_seconds)) + " s: stopped]\n";
  }
  run.status = status >= 1000 ? -1 : status;
  return run;
}

}  // namespace qwtest
