// The player-name rules of the new player screen, one table in the rules' order.
#include "players/UserNewCC.h"

#include <gtest/gtest.h>

#include <string>

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

// A refused name is told which rule it breaks, under the old first line.
TEST(UserNewNameRefusalTextTest, SaysWhyANameIsRefused) {
  const struct {
    const char *name, *why;
  } cases[] = {
      {"", "The name is empty."},
      {" Bob", "A name may not begin or end with a blank."},
      {"Wren Ash of Tallow ", "A name may not begin or end with a blank."},  // cut by the box at a blank
      {"12345678901234567890", "A name has at most 19 characters."},
      {"Bob_1", "This character is not allowed: _"},
      {"Bo\tb", "This character is not allowed: tab"},
      {"Sunset", "The name holds a word that is not allowed."},
      {"A-B-C-D", "At most two full stops, two blanks and two hyphens."},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(std::string(UserNewNameRefusalText(c.name, USER_NEW_NAME_SIZE)), std::string("Invalid user name\n") + c.why);
  }
  EXPECT_STREQ(UserNewNameRefusalText(nullptr, USER_NEW_NAME_SIZE), "Invalid user name\nThe name is empty.");
  EXPECT_STREQ(UserNewNameRefusalText("Wren2", USER_NEW_NAME_SIZE), "");
}

}  // namespace
