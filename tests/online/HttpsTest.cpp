// TLS stays verified: a server with a self-signed certificate is refused by every client.
#include <gtest/gtest.h>

#include <string>

#include "Engine/EngDebug.h"
#include "online/CurlInterface.h"
#include "online/EngInternet.h"
#include "online/EngInternetThread.h"
#include "tests/online/OnlineTestSupport.h"

namespace {

using qwtest::LogHas;

TEST(HttpsTest, ASelfSignedCertificateIsRefusedByAllThreeClients) {
  qwtest::TempDir log_folder;
  qwtest::ResetLogInto(log_folder);
  qwtest::OpenSslServer server;
  ASSERT_TRUE(server.Started()) << "openssl s_server did not start";
  std::string url = server.Url("/");
  // Deadlines that only a handshake that hangs reaches, however loaded the machine: every read
  // must end on the certificate long before.
  const int kDeadlineSeconds = int(qwtest::kHangSeconds);

  char out[256];
  char error[ENG_INTERNET_ERROR_TEXT_SIZE];
  EXPECT_EQ(EngInternetConnectAndReadURL(url.c_str(), out, sizeof(out), nullptr, error, nullptr, kDeadlineSeconds, 0), 0);
  EXPECT_STREQ(error, "Internal Error EIM:04");
  // libcurl's verdict on the certificate, not some other failure.
  EXPECT_TRUE(LogHas("could not connect (60:")) << qwtest::LogText();

  CurlInterface curl("Tls", 0);
  EXPECT_EQ(curl.DownloadFromUrl(url.c_str(), nullptr, sizeof(out), 0, kDeadlineSeconds, nullptr), 0);
  EXPECT_TRUE(LogHas("error: 60")) << qwtest::LogText();

  EngInternetThread reader("Tls", 0);
  ASSERT_EQ(reader.StartReading(url.c_str(), sizeof(out), kDeadlineSeconds), 1);
  EngInternetThreadReadResult status = ENG_INTERNET_THREAD_READING;
  // A handshake left hanging ends at the read's own deadline as a time-out, not as this failure.
  EXPECT_TRUE(qwtest::WaitUntil([&] { return (status = reader.GetReadingStatus(0)) != ENG_INTERNET_THREAD_READING; },
                                2.0 * kDeadlineSeconds))
      << "the read was still under way after " << 2 * kDeadlineSeconds << " s";
  EXPECT_EQ(status, ENG_INTERNET_THREAD_FAILED);
}

}  // namespace
