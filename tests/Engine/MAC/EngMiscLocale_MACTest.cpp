// The user's locale identifier: the variables' order, empty ones skipped, bounded copies.
#include "Engine/EngMisc.h"

#include <gtest/gtest.h>

#include <string>

#include "Engine/EngDebug.h"
#include "tests/support/TestSupport.h"

namespace {

class EngMiscLocaleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    EngMiscResetPlatformForTests_MAC();
  }
  void TearDown() override {
    EngMiscResetPlatformForTests_MAC();
    DebugResetForTests();
  }
};

TEST_F(EngMiscLocaleTest, FirstNonEmptyOfLcAllLcMessagesAndLang) {
  struct {
    const char *lc_all, *lc_messages, *lang, *want;
  } cases[] = {{"de_DE.UTF-8", "fr_FR", "en_GB", "de_DE.UTF-8"}, {"", "fr_FR", "en_GB", "fr_FR"},
               {nullptr, nullptr, "en_GB", "en_GB"},            {"", "", "", ""},
               {nullptr, nullptr, nullptr, ""}};
  for (const auto &c : cases) {
    EngMiscSetLocaleVariablesForTests(1, c.lc_all, c.lc_messages, c.lang);
    char buffer[255] = "junk";
    EXPECT_EQ(EngMiscGetLocaleIdentifier_MAC(buffer, sizeof(buffer)), 1);
    EXPECT_STREQ(buffer, c.want);
  }
}

TEST_F(EngMiscLocaleTest, ReadsTheEnvironmentWithoutTheSeam) {
  qwtest::ScopedEnvVar lc_all("LC_ALL", "");
  qwtest::ScopedEnvVar lc_messages("LC_MESSAGES", nullptr);
  qwtest::ScopedEnvVar lang("LANG", "pt_BR.UTF-8");
  char buffer[255];
  EXPECT_EQ(EngMiscGetLocaleIdentifier_MAC(buffer, sizeof(buffer)), 1);
  EXPECT_STREQ(buffer, "pt_BR.UTF-8");
}

TEST_F(EngMiscLocaleTest, ATextThatDoesNotFitIsRefusedWhole) {
  char buffer[6] = "junk";
  EngMiscSetLocaleVariablesForTests(1, "en_GB", nullptr, nullptr);
  EXPECT_EQ(EngMiscGetLocaleIdentifier_MAC(buffer, sizeof(buffer)), 1);
  EXPECT_STREQ(buffer, "en_GB");
  EngMiscSetLocaleVariablesForTests(1, "en_GB.UTF-8", nullptr, nullptr);
  EXPECT_EQ(EngMiscGetLocaleIdentifier_MAC(buffer, sizeof(buffer)), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(EngMiscGetLocaleIdentifier_MAC(nullptr, 10), 0);
  EXPECT_EQ(EngMiscGetLocaleIdentifier_MAC(buffer, 0), 0);
}

}  // namespace
