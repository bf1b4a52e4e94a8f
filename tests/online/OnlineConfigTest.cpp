#include "online/OnlineConfig.h"

#include <gtest/gtest.h>

#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngVarious.h"
#include "tests/online/OnlineTestSupport.h"

namespace {

TEST(OnlineConfigTest, OnlyHttpAddressesOverrideTheMakersAddress) {
  const std::string home = various_tallowmere_home_page;
  const struct {
    const char *value;
    std::string expected;
    bool logged;
  } cases[] = {
      {nullptr, home, false},
      {"", home, false},
      {"http://127.0.0.1:8080", "http://127.0.0.1:8080", false},
      {"https://scores.example.org/qw", "https://scores.example.org/qw", false},
      {"HTTP://127.0.0.1", "HTTP://127.0.0.1", false},
      {"ftp://127.0.0.1", home, true},
      {"127.0.0.1:8080", home, true},
      {"http://", home, true},
      {"http:///path", home, true},
      {"http://a b", home, true},
      {"http://a\nGET /", home, true},
  };
  for (const char *variable : {"QUARRELWICK_SCORE_URL", "QUARRELWICK_UPDATE_URL"}) {
    for (const auto &c : cases) {
      SCOPED_TRACE(std::string(variable) + " = " + (c.value ? c.value : "(unset)"));
      DebugResetForTests();
      qwtest::ScopedEnvVar env(variable, c.value);
      std::string base = std::string(variable) == "QUARRELWICK_SCORE_URL" ? OnlineConfigGetScoreBaseURL()
                                                                          : OnlineConfigGetUpdateBaseURL();
      EXPECT_EQ(base, c.expected);
      EXPECT_EQ(qwtest::LogHas("is not an http or https address; ignored."), c.logged);
    }
  }
}

TEST(OnlineConfigTest, TheTestEnvironmentPointsAtALocalPort) {
  // Set by CTest for every test, so nothing looks up the built-in host.
  if (!getenv("QW_TEST_BINARY_DIR")) GTEST_SKIP() << "not run by CTest";
  EXPECT_EQ(std::string(OnlineConfigGetScoreBaseURL()).rfind("http://127.0.0.1:", 0), 0u);
  EXPECT_EQ(std::string(OnlineConfigGetUpdateBaseURL()).rfind("http://127.0.0.1:", 0), 0u);
}

}  // namespace
