// Helpers of the HTTP tests: the debug log's ring and its file, a patterned body and an
// `openssl s_server` on 127.0.0.1 with a self-signed certificate that the test makes.
#pragma once

#include <sys/types.h>

#include <string>

#include "tests/support/TestSupport.h"

namespace qwtest {

// The debug log afresh, its file named in the folder: never in the working folder, which the
// tests of a build folder share.
void ResetLogInto(const TempDir &folder);
bool LogHas(const std::string &text);
std::string LogText();
// Bytes that differ from position to position, so a shifted or repeated piece shows.
std::string PatternBody(size_t size);
double NowSeconds();

// The time-out of a transfer that must end by itself (a reply, a refusal, a cut): far past the
// hang limit, so a loaded machine never meets it and a transfer that hangs is the test's to call.
constexpr int kFarDeadlineSeconds = int(5 * kHangSeconds);
// A test server's lifetime: past every hang limit, so only the test's end stops what it holds.
constexpr double kServerLifetimeSeconds = 10 * kHangSeconds;

// Watches libcurl handles being set up while it lives: each set-up is one entry, and Missing
// names what a set-up lacked of TLS verification, IPv4, no signals, http(s) only and no
// redirects ("" when every one had all).
class CurlKeptOptions {
 public:
  CurlKeptOptions();
  ~CurlKeptOptions();
  int SetUps() const;
  std::string Missing() const;
};

class OpenSslServer {
 public:
  OpenSslServer();
  ~OpenSslServer();
  OpenSslServer(const OpenSslServer &) = delete;
  OpenSslServer &operator=(const OpenSslServer &) = delete;
  // False when openssl is missing or the server did not come up.
  bool Started() const { return m_port != 0; }
  std::string Url(const std::string &path) const;

 private:
  TempDir m_dir;
  pid_t m_pid = -1;
  int m_port = 0;
};

}  // namespace qwtest
