// The libcurl client against the tests' own HTTP server.
#include "online/CurlInterface.h"

// The game includes this header without seeing libcurl.
#ifdef CURLINC_CURL_H
#error "online/CurlInterface.h brings in libcurl's header"
#endif

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "online/EngInternet.h"
#include "online/EngInternetThread.h"
#include "tests/online/OnlineTestSupport.h"
#include "tests/support/HttpTestServer.h"

namespace {

using qwtest::HttpTestServer;
using qwtest::kFarDeadlineSeconds;
using qwtest::LogHas;
using qwtest::PatternBody;

class CurlInterfaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    ASSERT_NE(server.Port(), 0);
    ASSERT_TRUE(CurlInterface_IsCurlInitialised() || CurlInterface_InitCurl());
  }
  HttpTestServer server{qwtest::kServerLifetimeSeconds};
};

TEST_F(CurlInterfaceTest, ThePostBodyArrivesByteForByte) {
  server.Reply("/submit", "\n\nY");
  std::string body("score=12&name=A\0B\xff\r\n", 21);
  body += PatternBody(3000);
  CurlInterface curl("Scores", 0);
  char cancelled = 7;
  ASSERT_EQ(curl.DownloadFromUrlUsingPost(server.Url("/submit").c_str(), "v=2", 64, body.data(), EngUInt32(body.size()),
                                          1, kFarDeadlineSeconds, &cancelled),
            1);
  EXPECT_EQ(cancelled, 0);
  EXPECT_STREQ(curl.GetDownloadedData(), "Y");
  EXPECT_EQ(curl.GetDownloadedDataSize(), 1u);
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].method, "POST");
  EXPECT_EQ(server.Requests()[0].target, "/submit?v=2");
  EXPECT_EQ(server.Requests()[0].body, body);

  // A body of size 0 goes as a GET.
  ASSERT_EQ(curl.DownloadFromUrlUsingPost(server.Url("/submit").c_str(), nullptr, 64, body.data(), 0, 0,
                                          kFarDeadlineSeconds, nullptr),
            1);
  ASSERT_EQ(server.Requests().size(), 2u);
  EXPECT_EQ(server.Requests()[1].method, "GET");
  EXPECT_EQ(server.Requests()[1].body, "");
  EXPECT_EQ(curl.GetDownloadedDataSize(), 3u);
}

TEST_F(CurlInterfaceTest, ALongReplyIsCutAndCountsAsSuccess) {
  std::string body = PatternBody(10000);
  server.Reply("/table", body);
  CurlInterface curl(nullptr, 0);
  ASSERT_EQ(curl.DownloadFromUrl(server.Url("/table").c_str(), nullptr, 100, 0, kFarDeadlineSeconds, nullptr), 1);
  EXPECT_EQ(curl.GetDownloadedDataSize(), 99u);
  EXPECT_EQ(std::string(curl.GetDownloadedData()), body.substr(0, 99));
}

// An error page's or a redirect's body is not the server's answer, in a GET or a POST, whole or
// cut at the capacity; a 2xx answer is.
TEST_F(CurlInterfaceTest, OnlyATwoHundredAnswerIsAReply) {
  const struct {
    int status;
    const char *headers;
    std::string body;
    char result;
  } cases[] = {
      {500, "", " A", 0},   {302, "Location: /elsewhere\r\n", " A", 0},
      {404, "", "nope", 0}, {503, "", std::string(500, 'e'), 0},  // cut at the capacity
      {200, "", " A", 1},   {201, "", " A", 1},
  };
  CurlInterface curl("Status", 0);
  for (const auto &c : cases) {
    for (bool post : {false, true}) {
      SCOPED_TRACE(std::to_string(c.status) + (post ? " POST" : " GET"));
      DebugResetForTests();
      server.Reply("/answer", c.body, c.status, c.headers);
      const std::string url = server.Url("/answer");
      const char got =
          post ? curl.DownloadFromUrlUsingPost(url.c_str(), nullptr, 64, "s=1", 3, 0, kFarDeadlineSeconds, nullptr)
               : curl.DownloadFromUrl(url.c_str(), nullptr, 64, 0, kFarDeadlineSeconds, nullptr);
      EXPECT_EQ(got, c.result);
      if (c.result) {
        EXPECT_STREQ(curl.GetDownloadedData(), c.body.c_str());
      } else {
        EXPECT_EQ(curl.GetDownloadedData(), nullptr);
        EXPECT_EQ(curl.GetDownloadedDataSize(), 0u);
        EXPECT_TRUE(LogHas("HTTP status " + std::to_string(c.status)));
      }
    }
  }
}

TEST_F(CurlInterfaceTest, FailuresReturnZeroAndLeaveNoData) {
  qwtest::RefusedPort refused;
  // Silent until it stops at the hang limit: a transfer that ignored its time-out would end
  // then, with another error than the time-out's.
  HttpTestServer silent(qwtest::kHangSeconds);
  ASSERT_NE(silent.Port(), 0);
  silent.Silence("/silent");
  CurlInterface curl("Fail", 0);
  EXPECT_EQ(curl.DownloadFromUrl(refused.Url("/").c_str(), nullptr, 100, 0, kFarDeadlineSeconds, nullptr), 0);
  EXPECT_TRUE(LogHas("Could not connect."));
  EXPECT_EQ(curl.DownloadFromUrl(silent.Url("/silent").c_str(), nullptr, 100, 0, 1, nullptr), 0);
  EXPECT_TRUE(LogHas("error: 28 (")) << qwtest::LogText();
  EXPECT_EQ(curl.DownloadFromUrl("file:///etc/passwd", nullptr, 100, 0, 1, nullptr), 0);
  EXPECT_EQ(curl.DownloadFromUrl("", nullptr, 100, 0, 1, nullptr), 0);
  EXPECT_TRUE(LogHas("Parameters error."));
  EXPECT_EQ(curl.GetDownloadedData(), nullptr);
  EXPECT_EQ(curl.GetDownloadedDataSize(), 0u);
}

// The drip outlasts the exit's own wait of a minute, and the transfer's time-out is further still:
// only the exit ends the transfer in time for the wait to see it end.
TEST_F(CurlInterfaceTest, ExitWithWaitFromAnotherThreadEndsADrippingTransfer) {
  server.Drip("/drip", PatternBody(4000), 1, 0.05);
  CurlInterface curl("Drip", 0);
  char cancelled = 0;
  char result = 9;
  std::string url = server.Url("/drip");
  std::thread transfer(
      [&] { result = curl.DownloadFromUrl(url.c_str(), nullptr, 8192, 0, kFarDeadlineSeconds, &cancelled); });
  // The request is at the server: the transfer is under way.
  const bool started = qwtest::WaitUntil([&] { return server.Requests().size() == 1; });
  const char exited = curl.ExitWithWait();
  // A transfer that ignored the exit is let go, so the test fails instead of hanging.
  if (!exited) server.Stop();
  transfer.join();
  ASSERT_TRUE(started) << "the transfer never reached the server";
  EXPECT_EQ(exited, 1) << qwtest::LogText();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(cancelled, 1);
  EXPECT_EQ(curl.IsBusy(), 0);
  EXPECT_EQ(curl.GetDownloadedData(), nullptr);
  // The object goes on working afterwards.
  server.Reply("/ok", "fine");
  ASSERT_EQ(curl.DownloadFromUrl(server.Url("/ok").c_str(), nullptr, 100, 0, kFarDeadlineSeconds, &cancelled), 1);
  EXPECT_EQ(cancelled, 0);
  EXPECT_STREQ(curl.GetDownloadedData(), "fine");
}

TEST_F(CurlInterfaceTest, DeletingFromAnotherThreadWaitsForTheTransferToLetGo) {
  server.Drip("/drip", PatternBody(4000), 1, 0.05);
  std::string url = server.Url("/drip");
  CurlInterface *curl = new CurlInterface("Gone", 0);
  char cancelled = 0;
  char result = 9;
  std::thread transfer(
      [&] { result = curl->DownloadFromUrl(url.c_str(), nullptr, 8192, 0, kFarDeadlineSeconds, &cancelled); });
  const bool started = qwtest::WaitUntil([&] { return server.Requests().size() == 1; });
  // Under AddressSanitizer a transfer that touched the object after this would show.
  delete curl;
  transfer.join();
  ASSERT_TRUE(started) << "the transfer never reached the server";
  EXPECT_EQ(result, 0);
  EXPECT_EQ(cancelled, 1);
}

TEST_F(CurlInterfaceTest, TheUploadChecksTheCountTheServerReports) {
  std::string body = PatternBody(2000);
  const struct {
    const char *reply;
    char result;
    const char *log;
  } cases[] = {
      {"Y 2000", 1, nullptr},
      {"Y 1999", 0, "Uploaded 1999 not 2000."},
      {"N 2000", 0, "Problem: [N 2000]."},
      {"", 0, "Nothing uploaded."},
  };
  CurlInterface curl("Up", 0);
  for (const auto &c : cases) {
    SCOPED_TRACE(c.reply);
    DebugResetForTests();
    server.Reply("/upload", c.reply);
    char cancelled = 5;
    EXPECT_EQ(curl.UploadToUrl(server.Url("/upload").c_str(), &body[0], EngUInt32(body.size()), kFarDeadlineSeconds,
                               &cancelled),
              c.result);
    EXPECT_EQ(cancelled, 0);
    if (c.log) {
      EXPECT_TRUE(LogHas(c.log)) << qwtest::LogText();
    }
  }
  EXPECT_FLOAT_EQ(curl.GetUploadProgress(), 100.0f);
  std::vector<qwtest::HttpRequest> requests = server.Requests();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[0].body, body);
  EXPECT_EQ(requests[0].headers["content-type"], "text/xml");
  EXPECT_EQ(curl.UploadToUrl(server.Url("/upload").c_str(), &body[0], 0, kFarDeadlineSeconds, nullptr), 0);
  EXPECT_EQ(server.Requests().size(), 4u);
}

TEST_F(CurlInterfaceTest, ADownloadToAFileIsDeletedWhenItFails) {
  qwtest::TempDir dir;
  std::string body = PatternBody(20000);
  server.Reply("/game.tar.gz", body);
  server.CloseAfter("/broken.tar.gz", body, 5000);
  std::string path = dir.File("download.bin");
  CurlInterface curl("File", 0);
  ASSERT_EQ(curl.DownloadFromUrlToFile(server.Url("/game.tar.gz").c_str(), nullptr, 0, 0, path.c_str(),
                                       kFarDeadlineSeconds, nullptr),
            1);
  EXPECT_EQ(qwtest::ReadWholeFile(path), body);
  EXPECT_EQ(curl.DownloadFromUrlToFile(server.Url("/broken.tar.gz").c_str(), nullptr, 0, 0, path.c_str(),
                                       kFarDeadlineSeconds, nullptr),
            0);
  EXPECT_FALSE(qwtest::FileExists(path));
  qwtest::RefusedPort refused;
  EXPECT_EQ(
      curl.DownloadFromUrlToFile(refused.Url("/x").c_str(), nullptr, 0, 0, path.c_str(), kFarDeadlineSeconds, nullptr),
      0);
  EXPECT_FALSE(qwtest::FileExists(path));
}

// Each kind of transfer, through whichever client makes it, carries the options every handle must.
TEST_F(CurlInterfaceTest, EveryKindOfTransferKeepsVerificationIpv4NoSignalsAndNoRedirects) {
  qwtest::TempDir dir;
  server.Reply("/r", "reply");
  server.Reply("/upload", "Y 4");
  const std::string url = server.Url("/r");
  struct Case {
    const char *kind;
    std::function<void()> transfer;
  } cases[] = {
      {"a reply into memory",
       [&] {
         CurlInterface curl("Get", 0);
         EXPECT_EQ(curl.DownloadFromUrl(url.c_str(), nullptr, 64, 0, kFarDeadlineSeconds, nullptr), 1);
       }},
      {"a post",
       [&] {
         CurlInterface curl("Post", 0);
         EXPECT_EQ(curl.DownloadFromUrlUsingPost(url.c_str(), nullptr, 64, "a=1", 3, 0, kFarDeadlineSeconds, nullptr),
                   1);
       }},
      {"a download to a file",
       [&] {
         CurlInterface curl("File", 0);
         EXPECT_EQ(curl.DownloadFromUrlToFile(url.c_str(), nullptr, 0, 0, dir.File("f").c_str(), kFarDeadlineSeconds,
                                              nullptr),
                   1);
       }},
      {"an upload",
       [&] {
         CurlInterface curl("Up", 0);
         char body[] = "abcd";
         EXPECT_EQ(curl.UploadToUrl(server.Url("/upload").c_str(), body, 4, kFarDeadlineSeconds, nullptr), 1);
       }},
      {"a blocking read",
       [&] {
         char out[64], error[ENG_INTERNET_ERROR_TEXT_SIZE];
         EngUInt32 length = 0;
         EXPECT_EQ(
             EngInternetConnectAndReadURL(url.c_str(), out, sizeof(out), &length, error, "t", kFarDeadlineSeconds, 0),
             1);
       }},
      {"a background read",
       [&] {
         EngInternetThread reader("Kept", 0);
         ASSERT_EQ(reader.StartReading(url.c_str(), 64, kFarDeadlineSeconds), 1);
         EngInternetThreadReadResult status = ENG_INTERNET_THREAD_READING;
         const bool over =
             qwtest::WaitUntil([&] { return (status = reader.GetReadingStatus(0)) != ENG_INTERNET_THREAD_READING; });
         EXPECT_TRUE(over) << "the read was still under way after " << qwtest::kHangSeconds << " s";
         EXPECT_EQ(status, ENG_INTERNET_THREAD_DONE);
       }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.kind);
    qwtest::CurlKeptOptions kept;
    c.transfer();
    EXPECT_EQ(kept.SetUps(), 1);
    EXPECT_EQ(kept.Missing(), "");
  }
}

// libcurl calls these with the object it was given; without one they have nothing to write to.
TEST(CurlInterfaceCallbacksTest, ANullUserPointerIsReportedAndAnsweredWithZero) {
  char data[] = "Y 4";
  const struct {
    const char *name;
    std::function<long long()> call;
  } cases[] = {
      {"WriteDataFunctionCB_Static",
       [&] { return static_cast<long long>(CurlInterface::WriteDataFunctionCB_Static(data, 1, 3, nullptr)); }},
      {"WriteFileFunctionCB_Static",
       [&] { return static_cast<long long>(CurlInterface::WriteFileFunctionCB_Static(data, 1, 3, nullptr)); }},
      {"UploadWriteDataFunctionCB_Static",
       [&] { return static_cast<long long>(CurlInterface::UploadWriteDataFunctionCB_Static(data, 1, 3, nullptr)); }},
      {"UploadProgressCB_Static",
       [] { return static_cast<long long>(CurlInterface::UploadProgressCB_Static(nullptr, 0, 0, 10, 5)); }},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    DebugResetForTests();
    EXPECT_EQ(c.call(), 0);
    ASSERT_EQ(DebugGetNumMessages(), 1);
    const std::string line = DebugGetMessage(0)->text;
    EXPECT_NE(line.find("Internal error."), std::string::npos) << line;
    EXPECT_NE(line.find(c.name), std::string::npos) << line;
  }
}

// libcurl's process-wide set-up reached by two threads' first transfers at once: both work, and
// under ThreadSanitizer the set-up shows no race. One thread reads through CurlInterface, the
// other through the blocking reader; each sets libcurl up when it finds it not set up yet.
TEST(CurlInterfaceSetUpTest, TwoThreadsAtTheirFirstTransferSetItUpTogether) {
  DebugResetForTests();
  HttpTestServer server{qwtest::kServerLifetimeSeconds};
  ASSERT_NE(server.Port(), 0);
  server.Reply("/a", "first");
  server.Reply("/b", "second");
  CurlInterface_ExitCurl();
  ASSERT_EQ(CurlInterface_IsCurlInitialised(), 0);
  const std::string a_url = server.Url("/a"), b_url = server.Url("/b");
  char a_result = 9;
  std::string a_reply;
  signed char b_result = 9;
  char b_reply[32] = {};
  std::thread a([&] {
    CurlInterface curl("First", 0);
    a_result = curl.DownloadFromUrl(a_url.c_str(), nullptr, 32, 0, kFarDeadlineSeconds, nullptr);
    if (a_result == 1) a_reply = curl.GetDownloadedData();
  });
  std::thread b([&] {
    b_result = EngInternetConnectAndReadURL(b_url.c_str(), b_reply, sizeof(b_reply), nullptr, nullptr, nullptr,
                                            kFarDeadlineSeconds, 0);
  });
  a.join();
  b.join();
  EXPECT_EQ(a_result, 1);
  EXPECT_EQ(a_reply, "first");
  EXPECT_EQ(b_result, 1);
  EXPECT_STREQ(b_reply, "second");
  EXPECT_EQ(CurlInterface_IsCurlInitialised(), 1);
  EXPECT_FALSE(LogHas("curl_global_init() failed"));
  EXPECT_FALSE(LogHas("Curl is not setup."));
}

}  // namespace
