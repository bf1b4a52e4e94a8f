#include "tests/online/OnlineTestSupport.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <mutex>
#include <vector>

#include "Engine/EngDebug.h"
#include "online/CurlInterfaceTransfer.h"

extern char **environ;

namespace qwtest {

namespace {

std::mutex kept_mutex;
std::vector<std::map<int, std::string>> kept_set_ups;

void RecordKept(void *, int option, long value, const char *text) {
  std::lock_guard<std::mutex> hold(kept_mutex);
  // Verification is the first option set on every handle.
  if (option == CURLOPT_SSL_VERIFYPEER || kept_set_ups.empty()) kept_set_ups.emplace_back();
  kept_set_ups.back()[option] = text ? text : std::to_string(value);
}

}  // namespace

CurlKeptOptions::CurlKeptOptions() {
  std::lock_guard<std::mutex> hold(kept_mutex);
  kept_set_ups.clear();
  CurlInterface_SetOptionRecorderForTests(RecordKept);
}

CurlKeptOptions::~CurlKeptOptions() { CurlInterface_SetOptionRecorderForTests(nullptr); }

int CurlKeptOptions::SetUps() const {
  std::lock_guard<std::mutex> hold(kept_mutex);
  return int(kept_set_ups.size());
}

std::string CurlKeptOptions::Missing() const {
  const std::pair<int, std::string> kept[] = {
      {CURLOPT_SSL_VERIFYPEER, "1"}, {CURLOPT_SSL_VERIFYHOST, "2"},
      {CURLOPT_IPRESOLVE, std::to_string(CURL_IPRESOLVE_V4)}, {CURLOPT_NOSIGNAL, "1"},
      {CURLOPT_PROTOCOLS_STR, "http,https"}, {CURLOPT_FOLLOWLOCATION, "0"},
  };
  std::lock_guard<std::mutex> hold(kept_mutex);
  std::string missing;
  for (size_t i = 0; i < kept_set_ups.size(); i++)
    for (const auto &option : kept)
      if (kept_set_ups[i].count(option.first) == 0 || kept_set_ups[i].at(option.first) != option.second)
        missing += "set-up " + std::to_string(i) + ": option " + std::to_string(option.first) + "; ";
  return missing;
}

void ResetLogInto(const TempDir &folder) {
  DebugResetForTests();
  if (!DebugSetLogFilename(folder.File("Log.txt").c_str(), 0)) ADD_FAILURE() << "the log cannot be named";
}

bool LogHas(const std::string &text) { return LogText().find(text) != std::string::npos; }

std::string LogText() {
  std::string all;
  for (EngInt32 i = 0; i < DebugGetNumMessages(); i++) {
    _DebugMessage *message = DebugGetMessage(i);
    if (message) all += std::string(message->text) + "\n";
  }
  return all;
}

std::string PatternBody(size_t size) {
  std::string body(size, 0);
  for (size_t i = 0; i < size; i++) body[i] = char('A' + (i * 7 + i / 26) % 26);
  return body;
}

double NowSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Runs a program with its output thrown away; returns its pid, or -1.
static pid_t Spawn(const std::vector<std::string> &arguments) {
  std::vector<char *> argv;
  for (const std::string &a : arguments) argv.push_back(const_cast<char *>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

static bool CanConnect(int port) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(uint16_t(port));
  bool ok = connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0;
  close(fd);
  return ok;
}

static int FreePort() {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return 0;
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof(address);
  int port = 0;
  if (bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0 &&
      getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
    port = ntohs(address.sin_port);
  close(fd);
  return port;
}

OpenSslServer::OpenSslServer() {
  std::string key = m_dir.File("key.pem"), cert = m_dir.File("cert.pem");
  pid_t maker = Spawn({"openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                       "-nodes", "-days", "1", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                       "-keyout", key, "-out", cert});
  int status = 0;
  if (maker < 0 || waitpid(maker, &status, 0) != maker || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return;
  // A port freed again just before the server takes it; the start is retried on a clash.
  for (int attempt = 0; attempt < 3 && !m_port; attempt++) {
    int port = FreePort();
    if (!port) continue;
    m_pid = Spawn({"openssl", "s_server", "-accept", "127.0.0.1:" + std::to_string(port), "-cert", cert, "-key", key,
                   "-www", "-quiet"});
    if (m_pid < 0) return;
    // Bounded only by the hang limit: a loaded machine may take long to start it.
    bool up = WaitUntil([&] {
      int s = 0;
      if (waitpid(m_pid, &s, WNOHANG) == m_pid) return true;
      return CanConnect(port);
    });
    if (!up)
      ADD_FAILURE() << "openssl s_server on port " << port << " took no connection within " << kHangSeconds << " s";
    if (up && kill(m_pid, 0) == 0 && CanConnect(port)) {
      m_port = port;
    } else {
      kill(m_pid, SIGTERM);
      waitpid(m_pid, nullptr, 0);
      m_pid = -1;
    }
  }
}

OpenSslServer::~OpenSslServer() {
  if (m_pid > 0) {
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
  }
}

std::string OpenSslServer::Url(const std::string &path) const {
  return "https://127.0.0.1:" + std::to_string(m_port) + path;
}

}  // namespace qwtest
