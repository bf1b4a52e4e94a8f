#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngPrefFolder.h"

namespace qwtest {

TempDir::TempDir() {
  const char *base = getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/qwtest-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Tests may leave read-only folders behind on purpose; make them writable first.
  for (auto it = std::filesystem::recursive_directory_iterator(m_path, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
  }
  std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(m_path, ec);
}

std::string ReadWholeFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteWholeFile(const std::string &path, const std::string &bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
}

bool FileExists(const std::string &path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

std::string SourceDir() {
  const char *dir = getenv("QW_TEST_SOURCE_DIR");
  return dir ? dir : ".";
}

std::string BinaryDir() {
  const char *dir = getenv("QW_TEST_BINARY_DIR");
  return dir ? dir : ".";
}

std::string BuiltResources() { return BinaryDir() + "/resources"; }

ScopedEnvVar::ScopedEnvVar(const char *name, const char *value) : m_name(name) {
  const char *old = getenv(name);
  m_had = old != nullptr;
  if (old) m_old = old;
  if (value)
    setenv(name, value, 1);
  else
    unsetenv(name);
}

ScopedEnvVar::~ScopedEnvVar() {
  if (m_had)
    setenv(m_name.c_str(), m_old.c_str(), 1);
  else
    unsetenv(m_name.c_str());
}

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

bool PlayerDataFolder::Start() {
  DebugResetForTests();
  DebugSetLogFilename(File("Log.txt").c_str(), 1);
  PrefFolderResetForTests();
  return PrefFolderSetup("Quarrelwick", 0, nullptr, 1) != nullptr;
}

WorkingFolder::WorkingFolder() {
  char here[4096];
  if (getcwd(here, sizeof(here)))
    m_saved = here;
  else
    ADD_FAILURE() << "the working folder cannot be read";
}

WorkingFolder::~WorkingFolder() {
  if (!Restore()) ADD_FAILURE() << "cannot go back to " << m_saved;
}

bool WorkingFolder::Enter(const std::string &path) { return chdir(path.c_str()) == 0; }

bool WorkingFolder::Restore() { return !m_saved.empty() && chdir(m_saved.c_str()) == 0; }

void ResetLogInWorkingFolder() {
  DebugResetForTests();
  char here[4096];
  if (!getcwd(here, sizeof(here))) {
    ADD_FAILURE() << "the working folder cannot be read";
    return;
  }
  if (!DebugSetLogFilename((std::string(here) + "/ErrorLog.txt").c_str(), 0))
    ADD_FAILURE() << "the log cannot be named in " << here;
}

const char *NotAFileName(NotAFile kind) {
  switch (kind) {
    case NotAFile::kFifo: return "pipe";
    case NotAFile::kFolder: return "folder";
    case NotAFile::kSocket: return "socket";
    case NotAFile::kLinkToFifo: return "link to a pipe";
    case NotAFile::kLinkToOutsideFile: return "link to a file outside";
  }
  return "?";
}

void MakeNotAFile(NotAFile kind, const std::string &path) {
  std::error_code ec;
  std::filesystem::remove_all(path, ec);
  std::filesystem::remove_all(path + ".fifo", ec);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  bool made = false;
  switch (kind) {
    case NotAFile::kFifo: made = mkfifo(path.c_str(), 0600) == 0; break;
    case NotAFile::kFolder: made = mkdir(path.c_str(), 0700) == 0; break;
    case NotAFile::kSocket: {
      // The socket's file stays after its descriptor is closed; nobody listens on it.
      sockaddr_un address{};
      address.sun_family = AF_UNIX;
      if (path.size() >= sizeof(address.sun_path)) throw std::runtime_error("socket path too long: " + path);
      memcpy(address.sun_path, path.c_str(), path.size() + 1);
      int s = socket(AF_UNIX, SOCK_STREAM, 0);
      made = s >= 0 && bind(s, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0;
      if (s >= 0) close(s);
      break;
    }
    case NotAFile::kLinkToFifo:
      made = mkfifo((path + ".fifo").c_str(), 0600) == 0 && symlink((path + ".fifo").c_str(), path.c_str()) == 0;
      break;
    case NotAFile::kLinkToOutsideFile:
      WriteWholeFile(OutsideFile(), kOutsideBytes);
      made = symlink(OutsideFile().c_str(), path.c_str()) == 0;
      break;
  }
  if (!made) throw std::runtime_error(std::string("could not make a ") + NotAFileName(kind) + " at " + path);
}

const std::string &OutsideFile() {
  static const TempDir folder;
  static const std::string file = folder.File("outside.dat");
  return file;
}

int CountLogLines(const std::string &log, const std::string &signature, const std::string &text) {
  int count = 0;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);)
    if ((signature.empty() || line.find("( " + signature + " )") != std::string::npos) &&
        line.find(text) != std::string::npos)
      count++;
  return count;
}

bool RunsWithoutWaitingOnPipe(const std::string &path, const std::function<void()> &body) {
  std::mutex mutex;
  std::condition_variable done_changed;
  bool done = false, released = false;
  std::thread releaser([&] {
    std::unique_lock<std::mutex> lock(mutex);
    const auto hung_at = std::chrono::steady_clock::now() + std::chrono::duration<double>(kHangSeconds);
    if (done_changed.wait_until(lock, hung_at, [&] { return done; })) return;
    released = true;
    fprintf(stderr, "still waiting on the pipe at %s after %.0f s: letting it go\n", path.c_str(), kHangSeconds);
    int drain = -1;
    do {
      if (drain < 0) {
        // A reader waiting in open is let go by a writer that opens and closes at once; a
        // writer, by a reader that then keeps the pipe empty so that its writes go through.
        int w = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (w >= 0) close(w);
        drain = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
      }
      char sink[4096];
      while (drain >= 0 && read(drain, sink, sizeof sink) > 0) {
      }
    } while (!done_changed.wait_for(lock, std::chrono::milliseconds(10), [&] { return done; }));
    if (drain >= 0) close(drain);
  });
  body();
  {
    std::lock_guard<std::mutex> lock(mutex);
    done = true;
  }
  done_changed.notify_all();
  releaser.join();
  return !released;
}

bool WaitUntil(const std::function<bool()> &condition, double seconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace qwtest
