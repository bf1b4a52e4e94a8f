// URL encoding and the synchronous read, against the tests' own HTTP server.
#include "online/EngInternet.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "tests/online/OnlineTestSupport.h"
#include "tests/support/HttpTestServer.h"

namespace {

using qwtest::HttpTestServer;
using qwtest::kFarDeadlineSeconds;
using qwtest::LogHas;
using qwtest::NowSeconds;
using qwtest::PatternBody;

std::string Encode(const std::string &text) {
  char *encoded = EngInternetURLEncodeString(text.c_str());
  std::string result = encoded ? encoded : "(null)";
  free(encoded);
  return result;
}

std::string Decode(const std::string &text) {
  char *decoded = EngInternetURLDecodeString(text.c_str());
  std::string result = decoded ? decoded : "(null)";
  free(decoded);
  return result;
}

TEST(EngInternetUrlCodecTest, EncodesAndDecodesAsTheServerExpects) {
  const struct {
    const char *plain, *encoded;
  } encode_cases[] = {
      {"", ""},
      {" ", "+"},
      {"&", "%26"},
      {"\xE9", "%e9"},
      {"-._~", "-._~"},
      {"aZ09", "aZ09"},
      {"+", "%2b"},
      {"name=Bob Smith&c=3/4", "name%3dBob+Smith%26c%3d3%2f4"},
      {"\x01\x7f\xff", "%01%7f%ff"},
  };
  for (const auto &c : encode_cases) {
    SCOPED_TRACE(c.plain);
    EXPECT_EQ(Encode(c.plain), c.encoded);
  }
  const struct {
    const char *encoded, *plain;
  } decode_cases[] = {
      {"%41%42", "AB"}, {"50%", "50"},   {"%4", "4"},         {"a+b", "a b"},   {"%e9", "\xE9"},
      {"%E9", "\xE9"},  {"%", ""},       {"abc%2", "abc2"},   {"", ""},         {"%zz", "3"},
      {"%2b+%26", "+ &"}, {"100%25", "100%"},
  };
  for (const auto &c : decode_cases) {
    SCOPED_TRACE(c.encoded);
    EXPECT_EQ(Decode(c.encoded), c.plain);
  }
  EXPECT_EQ(EngInternetURLEncodeString(nullptr), nullptr);
  EXPECT_EQ(EngInternetURLDecodeString(nullptr), nullptr);
}

TEST(EngInternetUrlCodecTest, DecodingUndoesEncodingForEveryByte) {
  std::string all;
  for (int c = 1; c < 256; c++) all += char(c);
  EXPECT_EQ(Decode(Encode(all)), all);
}

// Numbers of a reply read as "%d %d %d" reads them, except that one outside the bounds (or
// too long for any) ends the reading instead of wrapping into a plausible value.
TEST(EngInternetScanReplyNumbersTest, ReadsInRangeNumbersAndRefusesTheRest) {
  struct Case {
    std::string text;
    long long min, max;
    int read;
    std::vector<long long> values;  // the three values afterwards, from {7, 7, 7}
  } cases[] = {
      {" 150 151 0", INT_MIN, INT_MAX, 3, {150, 151, 0}},
      {"150\n\t+151 -2", INT_MIN, INT_MAX, 3, {150, 151, -2}},
      {"150 x 3", INT_MIN, INT_MAX, 1, {150, 7, 7}},
      {"150151", INT_MIN, INT_MAX, 1, {150151, 7, 7}},
      {"2147483647 -2147483648", INT_MIN, INT_MAX, 2, {2147483647, -2147483648LL, 7}},
      {"2147483648 1", INT_MIN, INT_MAX, 0, {7, 7, 7}},
      {"150 -4294967146 1", INT_MIN, INT_MAX, 1, {150, 7, 7}},
      {"1 99999999999999999999999999 2", INT_MIN, INT_MAX, 1, {1, 7, 7}},
      {"4294967295 -1", 0, UINT32_MAX, 1, {4294967295LL, 7, 7}},
      {"4294967296", 0, UINT32_MAX, 0, {7, 7, 7}},
      {"- 1", INT_MIN, INT_MAX, 0, {7, 7, 7}},
      {std::string("1 2\0 3", 6), INT_MIN, INT_MAX, 2, {1, 2, 7}},
      {"", INT_MIN, INT_MAX, 0, {7, 7, 7}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text);
    long long values[3] = {7, 7, 7};
    EXPECT_EQ(EngInternetScanReplyNumbers(c.text.data(), c.text.size(), c.min, c.max, values, 3), c.read);
    EXPECT_EQ(std::vector<long long>(values, values + 3), c.values);
  }
  // The length bounds the reading, not a NUL.
  long long value = 0;
  EXPECT_EQ(EngInternetScanReplyNumbers("12345", 3, 0, 1000, &value, 1), 1);
  EXPECT_EQ(value, 123);
}

class EngInternetReadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qwtest::ResetLogInto(log_folder);
    ASSERT_NE(server.Port(), 0);
  }

  // One read into a buffer of the given size; the result, the length and the text.
  signed char Read(const std::string &url, EngUInt32 size, int timeout, const char *name = nullptr) {
    out.assign(size + 16, '#');
    error[0] = 0;
    length = 12345;
    signed char result = EngInternetConnectAndReadURL(url.c_str(), &out[0], size, &length, error, name, timeout, 0);
    if (length <= size) out.resize(length);
    return result;
  }

  qwtest::TempDir log_folder;
  // It outlives every bound of the tests: a read that ignored its deadline is not ended by it.
  HttpTestServer server{qwtest::kServerLifetimeSeconds};
  std::string out;
  EngUInt32 length = 0;
  char error[ENG_INTERNET_ERROR_TEXT_SIZE];
};

TEST_F(EngInternetReadTest, ALongReplyIsCutAtSizeMinusOneAndCountsAsComplete) {
  std::string body = PatternBody(10000);
  server.Reply("/long", body);
  EXPECT_EQ(Read(server.Url("/long"), 8192, kFarDeadlineSeconds), 1);
  EXPECT_EQ(length, 8191u);
  EXPECT_EQ(out, body.substr(0, 8191));

  server.Reply("/short", "Y 12");
  EXPECT_EQ(Read(server.Url("/short"), 1, kFarDeadlineSeconds), 1);
  EXPECT_EQ(length, 0u);

  EXPECT_EQ(Read(server.Url("/short"), 100, kFarDeadlineSeconds), 1);
  EXPECT_EQ(out, "Y 12");
  // Only a 2xx reply is an answer: an error page's body is a failed read.
  server.Reply("/missing", "gone", 404);
  EXPECT_EQ(Read(server.Url("/missing"), 100, kFarDeadlineSeconds), 0);
  // Redirects are not followed, and their own body is no answer either.
  server.Reply("/moved", "moved", 302, "Location: /short\r\n");
  EXPECT_EQ(Read(server.Url("/moved"), 100, kFarDeadlineSeconds), 0);
  ASSERT_EQ(server.Requests().size(), 5u);
  EXPECT_EQ(server.Requests()[0].method, "GET");
  EXPECT_EQ(server.Requests()[4].path, "/moved");
}

TEST_F(EngInternetReadTest, FailuresGiveTheirResultAndText) {
  qwtest::RefusedPort refused;
  server.Silence("/silent");
  std::string body = PatternBody(5000);
  server.StallAfter("/stall", body, 1000);
  server.CloseAfter("/cut", body, 300);
  server.Drip("/drip", body, 5, 0.05);
  // A read that waits for the network has a one-second deadline; one that fails at once has the
  // hang limit for its deadline, which only a read that waited for it reaches. The network never
  // ends a read first: the drip takes 50 seconds, the silence and the stall last for the
  // server's lifetime.
  const int kWaitsSeconds = 1, kFailsAtOnceSeconds = int(qwtest::kHangSeconds);
  const struct {
    const char *what;
    std::string url;
    int timeout;
    signed char result;
    const char *text;
  } cases[] = {
      {"refused port", refused.Url("/x"), kFailsAtOnceSeconds, 0, "Internal Error EIM:04"},
      {"silent server", server.Url("/silent"), kWaitsSeconds, 0, "Timeout occured"},
      {"stall in the body", server.Url("/stall"), kWaitsSeconds, -1, "Download Problem"},
      {"closed in the body", server.Url("/cut"), kFailsAtOnceSeconds, -1, "Download Problem"},
      {"dripping body", server.Url("/drip"), kWaitsSeconds, -1, "Download Problem"},
      {"not http", "ftp://127.0.0.1/x", kFailsAtOnceSeconds, 0, "Internal Error EIM:01"},
      {"not a URL", "http://[::1", kFailsAtOnceSeconds, 0, "Internal Error EIM:01"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    const double start = NowSeconds();
    signed char result = Read(c.url, 8192, c.timeout);
    // A reply that had not started when a loaded machine reached the deadline is no case of a
    // deadline in the body: that read is made again with a longer one.
    for (int timeout = 2 * c.timeout; c.result < 0 && result == 0 && timeout < qwtest::kHangSeconds; timeout *= 2) {
      if (std::string(error) != "Timeout occured") break;
      result = Read(c.url, 8192, timeout);
    }
    EXPECT_EQ(result, c.result);
    EXPECT_STREQ(error, c.text);
    if (c.timeout == kFailsAtOnceSeconds) {
      EXPECT_LT(NowSeconds() - start, qwtest::kHangSeconds) << "the read waited for its deadline";
    }
  }
  // What had arrived before the cut is handed out with the failure.
  EXPECT_EQ(Read(server.Url("/cut"), 8192, kFailsAtOnceSeconds, "Scores"), -1);
  EXPECT_EQ(out, body.substr(0, 300));
  EXPECT_STREQ(error, "Scores - Download Problem");
  EXPECT_TRUE(LogHas("Timeout after 1 seconds"));
}

TEST_F(EngInternetReadTest, BadParametersAreRefusedBeforeAnyRequest) {
  char buffer[8];
  char text[ENG_INTERNET_ERROR_TEXT_SIZE];
  EXPECT_EQ(EngInternetConnectAndReadURL("", buffer, 8, nullptr, text, nullptr, 1, 0), 0);
  EXPECT_STREQ(text, "Parameters Error");
  EXPECT_EQ(EngInternetConnectAndReadURL(server.Url("/").c_str(), buffer, 0, nullptr, text, "Update", 1, 0), 0);
  EXPECT_STREQ(text, "Update - Parameters Error");
  EXPECT_EQ(EngInternetConnectAndReadURL(nullptr, buffer, 8, nullptr, nullptr, nullptr, 1, 0), 0);
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_EQ(EngInternetIsConnected(), 1);
}

TEST_F(EngInternetReadTest, TheObjectJoinsTheQueryAndSkipsLeadingNewlines) {
  server.Reply("/q", "\n\nY");
  EngInternet internet;
  ASSERT_EQ(internet.ConnectAndReadURL(server.Url("/q").c_str(), nullptr, 64, 1, kFarDeadlineSeconds, 1), 1);
  EXPECT_STREQ(internet.GetData(), "Y");
  ASSERT_EQ(internet.ConnectAndReadURL(server.Url("/q").c_str(), "", 64, 0, kFarDeadlineSeconds, 0), 1);
  EXPECT_STREQ(internet.GetData(), "\n\nY");
  ASSERT_EQ(internet.ConnectAndReadURL(server.Url("/q").c_str(), "a=1&b=x+y", 64, 1, kFarDeadlineSeconds, 0), 1);
  std::vector<qwtest::HttpRequest> requests = server.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].target, "/q");
  EXPECT_EQ(requests[1].target, "/q?");
  EXPECT_EQ(requests[2].target, "/q?a=1&b=x+y");
  EXPECT_TRUE(LogHas("URL: [" + server.Url("/q") + "]"));

  const struct {
    const char *reply, *data;
  } skips[] = {{"\nY", "Y"}, {"\n", ""}, {"Y\n", "Y\n"}, {"\n\n\nY", "\nY"}, {"\n\n", ""}};
  for (const auto &c : skips) {
    SCOPED_TRACE(c.reply);
    server.Reply("/n", c.reply);
    ASSERT_EQ(internet.ConnectAndReadURL(server.Url("/n").c_str(), nullptr, 64, 1, kFarDeadlineSeconds, 0), 1);
    EXPECT_STREQ(internet.GetData(), c.data);
  }

  qwtest::RefusedPort refused;
  EXPECT_EQ(internet.ConnectAndReadURL(refused.Url("/").c_str(), nullptr, 64, 1, kFarDeadlineSeconds, 0), 0);
  EXPECT_EQ(internet.m_data, nullptr);
  EXPECT_EQ(internet.GetData(), nullptr);
  EXPECT_TRUE(LogHas("No Data"));
  EXPECT_EQ(internet.ConnectAndReadURL("", nullptr, 64, 1, 5, 0), 0);
  EXPECT_TRUE(LogHas("Invalid Parameters"));
  internet.Release();
}

}  // namespace
