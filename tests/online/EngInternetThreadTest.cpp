// The background read against the tests' own HTTP server.
#include "online/EngInternetThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "tests/online/OnlineTestSupport.h"
#include "tests/support/HttpTestServer.h"

namespace {

using qwtest::HttpTestServer;
using qwtest::kFarDeadlineSeconds;
using qwtest::LogHas;
using qwtest::PatternBody;
using qwtest::WaitUntil;

class EngInternetThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qwtest::ResetLogInto(log_folder);
    ASSERT_NE(server.Port(), 0);
  }

  // Polls as the score tables do, without blocking, until the read is over.
  EngInternetThreadReadResult PollUntilOver(EngInternetThread &reader) {
    EngInternetThreadReadResult status = ENG_INTERNET_THREAD_READING;
    if (!WaitUntil([&] { return (status = reader.GetReadingStatus(0)) != ENG_INTERNET_THREAD_READING; }))
      ADD_FAILURE() << "the read was still under way after " << qwtest::kHangSeconds << " s";
    return status;
  }
  void ExpectThreadEnds(EngInternetThread &reader) {
    EXPECT_TRUE(WaitUntil([&] { return !reader.IsThreadRunning(); }))
        << "the reader's thread still ran after " << qwtest::kHangSeconds << " s";
  }

  std::string Take(EngInternetThread &reader) {
    EngUInt32 size = 12345;
    char *data = reader.GetDataReadFreeWhenDone(&size);
    if (!data) return "(null)";
    std::string text(data, size);
    EXPECT_EQ(data[size], 0);
    EngFree(data, 0, "test");
    return text;
  }

  qwtest::TempDir log_folder;
  HttpTestServer server{qwtest::kServerLifetimeSeconds};
};

TEST_F(EngInternetThreadTest, ALongReplyIsCutAndStaysAfterTheThreadEnded) {
  std::string body = PatternBody(10000);
  server.Reply("/scores", body);
  EngInternetThread reader("Scores", 0);
  ASSERT_EQ(reader.StartReading(server.Url("/scores").c_str(), 8192, kFarDeadlineSeconds), 1);
  EXPECT_EQ(PollUntilOver(reader), ENG_INTERNET_THREAD_DONE);
  ASSERT_TRUE(WaitUntil([&] { return !reader.IsThreadRunning(); })) << "the reader's thread never ended";
  // Long after: the frame's clock well past the read's deadline.
  const double frame_time = eng_main_current_time.load();
  eng_main_current_time = frame_time + 2.0 * kFarDeadlineSeconds;
  EXPECT_EQ(reader.GetReadingStatus(0), ENG_INTERNET_THREAD_DONE);
  std::string data = Take(reader);
  EXPECT_EQ(data.size(), 8191u);
  EXPECT_EQ(data, body.substr(0, 8191));
  // Taking copies: the data is still there for a second look.
  EXPECT_EQ(Take(reader), data);
  eng_main_current_time = frame_time;
}

// Only a 2xx reply is an answer: a redirect's or an error page's body, short, long or absent,
// is a failed read that hands over nothing.
TEST_F(EngInternetThreadTest, ARepliesBodyIsNoAnswerUnlessItsStatusIs2xx) {
  const std::string table = "Y \n10 1 0 0 5 Zed GB t 2026-03-20 L\n*\n";
  struct Case {
    int status;
    std::string body;
  } cases[] = {{302, table}, {404, "gone"}, {500, PatternBody(10000)}, {503, ""}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.status);
    qwtest::ResetLogInto(log_folder);
    server.Reply("/odd", c.body, c.status);
    EngInternetThread reader("Odd", 0);
    ASSERT_EQ(reader.StartReading(server.Url("/odd").c_str(), 8192, kFarDeadlineSeconds), 1);
    EXPECT_EQ(PollUntilOver(reader), ENG_INTERNET_THREAD_FAILED);
    EXPECT_EQ(reader.GetDataReadFreeWhenDone(nullptr), nullptr);
    EXPECT_TRUE(LogHas("HTTP status " + std::to_string(c.status)));
  }
}

TEST_F(EngInternetThreadTest, AChunkedReplyEndingOnAChunkBoundaryIsComplete) {
  server.Chunked("/chunked", {"first part;", "second", "-and-last"}, 0.15);
  // Nothing comes until the unfinished read has been asked for its data.
  server.HoldReplies("/chunked");
  EngInternetThread reader("Chunks", 0);
  ASSERT_EQ(reader.StartReading(server.Url("/chunked").c_str(), 4096, kFarDeadlineSeconds), 1);
  EXPECT_EQ(reader.GetDataReadFreeWhenDone(nullptr), nullptr);
  EXPECT_TRUE(LogHas("Reading has not finished"));
  server.Release("/chunked");
  EXPECT_EQ(PollUntilOver(reader), ENG_INTERNET_THREAD_DONE);
  EXPECT_EQ(Take(reader), "first part;second-and-last");
  // Exactly as long as the buffer allows.
  server.Reply("/exact", "0123456789");
  ASSERT_EQ(reader.StartReading(server.Url("/exact").c_str(), 11, kFarDeadlineSeconds), 1);
  EXPECT_EQ(PollUntilOver(reader), ENG_INTERNET_THREAD_DONE);
  EXPECT_EQ(Take(reader), "0123456789");
}

TEST_F(EngInternetThreadTest, ASilentServerTimesOutAtTheDeadline) {
  server.Silence("/silent");
  EngInternetThread reader("Silent", 0);
  // Timed by the reader's own clock: it waited at least its second. The silence outlasts the hang
  // limit, so only the deadline ends the read before the poll gives up.
  double start = EngMainGetCurrentTimeWithoutUpdatingGlobalCurrentTime();
  ASSERT_EQ(reader.StartReading(server.Url("/silent").c_str(), 1024, 1), 1);
  EXPECT_EQ(PollUntilOver(reader), ENG_INTERNET_THREAD_TIMED_OUT);
  EXPECT_GT(EngMainGetCurrentTimeWithoutUpdatingGlobalCurrentTime() - start, 0.9);
  ExpectThreadEnds(reader);
  EXPECT_EQ(reader.GetReadingStatus(0), ENG_INTERNET_THREAD_TIMED_OUT);
  EXPECT_EQ(reader.GetDataReadFreeWhenDone(nullptr), nullptr);
  EXPECT_TRUE(LogHas("Reading did not complete ok"));
}

std::atomic<double> fake_now{1000.0};
std::atomic<int> fake_clock_reads{0};
double FakeClock() {
  const double now = fake_now.load();
  fake_clock_reads++;
  return now;
}

TEST_F(EngInternetThreadTest, ATimeOutOfZeroGivesFifteenSeconds) {
  server.Silence("/silent");
  EngInternetThread reader("Default", 0);
  fake_now = 1000.0;
  // Declared after the handle, so the real clock is back before the handle waits for its thread.
  struct ClockGuard {
    ClockGuard() { EngMainSetClockForTests(FakeClock); }
    ~ClockGuard() { EngMainSetClockForTests(nullptr); }
  } clock_guard;
  ASSERT_EQ(reader.StartReading(server.Url("/silent").c_str(), 100, 0), 1);
  fake_now = 1014.9;
  // The worker reads the clock for each deadline check. The first read counted from here may
  // still have seen the old time; the second saw 1014.9, and the third comes only after the
  // worker acted on it, or never when that check ended the read.
  const int reads = fake_clock_reads.load();
  const bool checked = WaitUntil([&] {
    return fake_clock_reads.load() >= reads + 3 || reader.GetReadingStatus(0) != ENG_INTERNET_THREAD_READING;
  });
  ASSERT_TRUE(checked) << "the worker checked no deadline within " << qwtest::kHangSeconds << " s";
  EXPECT_EQ(reader.GetReadingStatus(0), ENG_INTERNET_THREAD_READING);
  fake_now = 1015.0;
  EXPECT_EQ(PollUntilOver(reader), ENG_INTERNET_THREAD_TIMED_OUT);
  ExpectThreadEnds(reader);
}

// The drip outlasts the hang limit and the read's deadline is further still: only the cancel
// ends the read before the waits below give up.
TEST_F(EngInternetThreadTest, CancellingStopsTheReadAtOnce) {
  server.Drip("/drip", PatternBody(size_t(qwtest::kHangSeconds / 0.05) + 200), 1, 0.05);
  EngInternetThread reader("Drip", 0);
  ASSERT_EQ(reader.StartReading(server.Url("/drip").c_str(), 8192, kFarDeadlineSeconds), 1);
  ASSERT_TRUE(WaitUntil([&] { return server.Requests().size() == 1; })) << "the read never reached the server";
  EXPECT_EQ(reader.GetReadingStatus(0), ENG_INTERNET_THREAD_READING);
  EXPECT_EQ(reader.CancelReading(), 1);
  EXPECT_EQ(reader.GetReadingStatus(0), ENG_INTERNET_THREAD_CANCELLED);
  ExpectThreadEnds(reader);
  EXPECT_EQ(reader.GetReadingStatus(0), ENG_INTERNET_THREAD_CANCELLED);
  // Destroying after a cancel never waits for the network, which would take past the hang limit.
  const double start = qwtest::NowSeconds();
  reader.Destroy();
  EXPECT_LT(qwtest::NowSeconds() - start, qwtest::kHangSeconds) << "destroying waited for the drip";
  EXPECT_EQ(reader.GetReadingStatus(0), ENG_INTERNET_THREAD_FAILED);
  EXPECT_TRUE(LogHas("No thread."));
}

TEST_F(EngInternetThreadTest, BadParametersAndUnreachableServersFail) {
  EngInternetThread reader(nullptr, 0);
  EXPECT_EQ(reader.StartReading("", 100, 1), 0);
  EXPECT_EQ(reader.StartReading(server.Url("/").c_str(), 0, 1), 0);
  EXPECT_EQ(reader.StartReading(nullptr, 100, 1), 0);
  EXPECT_TRUE(LogHas("Parameters Error"));
  EXPECT_EQ(reader.IsThreadRunning(), 0);

  qwtest::RefusedPort refused;
  ASSERT_EQ(reader.StartReading(refused.Url("/").c_str(), 100, kFarDeadlineSeconds), 1);
  EXPECT_EQ(PollUntilOver(reader), ENG_INTERNET_THREAD_FAILED);
  EXPECT_TRUE(LogHas("EITM > Could not read any data."));

  // A reply cut off mid-body fails, and so does an address that is not http or https.
  server.CloseAfter("/cut", PatternBody(3000), 500);
  ASSERT_EQ(reader.StartReading(server.Url("/cut").c_str(), 8192, kFarDeadlineSeconds), 1);
  EXPECT_EQ(PollUntilOver(reader), ENG_INTERNET_THREAD_FAILED);
  ASSERT_EQ(reader.StartReading("file:///etc/passwd", 8192, kFarDeadlineSeconds), 1);
  EXPECT_EQ(PollUntilOver(reader), ENG_INTERNET_THREAD_FAILED);
  EXPECT_TRUE(LogHas("Could not prepare for reading."));
}

TEST_F(EngInternetThreadTest, WaitingForTheReadGivesItsResult) {
  server.Reply("/wait", "Y");
  EngInternetThread reader("Wait", 0);
  ASSERT_EQ(reader.StartReading(server.Url("/wait").c_str(), 64, kFarDeadlineSeconds), 1);
  EXPECT_EQ(reader.WaitForReadingToComplete(), ENG_INTERNET_THREAD_DONE);
  EXPECT_EQ(reader.IsThreadRunning(), 0);
}

}  // namespace
