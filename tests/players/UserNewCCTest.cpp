// The player-name rules of the new player screen, one table in the rules' order.
#include "players/UserNewCC.h"

#include <gtest/gtest.h>

#include <string>

#include "Engine/EngLanguages.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(UserNewIsNameOkTest, TheRulesInTheirOrder) {
  struct Case {
    const char *name;
    char ok, too_long;
  };
  const Case cases[] = {
      {"", 0, 0},
      {" Bob", 0, 0},
      {"\tBob", 0, 0},
      {"Bob ", 0, 0},
      {" 234567890123456789012345", 0, 0},  // a blank first is refused before the length
      {"1234567890123456789", 1, 0},
      {"12345678901234567890", 0, 1},
      {"1234567890123456789012345", 0, 1},
      {"Sunset", 0, 0},
      {"SUNSET", 0, 0},
      {"Not Selected", 0, 0},
      {"xTallow-Merex", 0, 0},
      {"Unselected", 0, 0},
      {"Fucker", 0, 0},
      {"A.B.C-D-E F G", 1, 0},
      {"A.B.C.", 0, 0},
      {"A-B-C-D", 0, 0},
      {"A B C D", 0, 0},
      {"Bob_1", 0, 0},
      {"Bob!", 0, 0},
      {"Bob,Al", 0, 0},
      {"Bob's", 0, 0},
      {"Jo 2.0", 1, 0},
      {"Zo\xEB \xC5ngstr\xF6m", 1, 0},  // Latin-1 letters
      // Common first names that hold parts of the refused words stay allowed.
      {"Ashit", 1, 0},
      {"Hitchcock", 1, 0},
      {"Dick", 1, 0},
      {"Cassandra", 1, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    char too_long = 9;
    EXPECT_EQ(UserNewIsNameOk(c.name, USER_NEW_NAME_SIZE, &too_long), c.ok);
    EXPECT_EQ(too_long, c.too_long);
    EXPECT_EQ(UserNewIsNameOk(c.name, USER_NEW_NAME_SIZE, nullptr), c.ok);
  }
  char too_long = 9;
  EXPECT_EQ(UserNewIsNameOk(nullptr, USER_NEW_NAME_SIZE, &too_long), 0);
  EXPECT_EQ(too_long, 0);
}

// A refused name is told the one line, whether it was too long or broke another rule, with the
// program's English texts as without them.
TEST(UserNewNameRefusalTextTest, ARefusedNameIsToldItIsInvalid) {
  EngLanguagesExit();
  for (char too_long : {0, 1}) EXPECT_STREQ(UserNewNameRefusalText(too_long), "Invalid user name");
  ASSERT_EQ(EngLanguagesInit((qwtest::SourceDir() + "/resources/CommonTexts").c_str(), nullptr, 1), 1);
  ASSERT_EQ(EngLanguagesInitFinished(), 1);
  for (char too_long : {0, 1}) {
    ASSERT_TRUE(EngLangTokenExists(too_long ? "UserNew_NameTooLong" : "UserNew_InvalidPlayerName"));
    EXPECT_STREQ(UserNewNameRefusalText(too_long), "Invalid user name");
  }
  EngLanguagesExit();
}

}  // namespace
