// The check reply's link tag and the Desktop file name made from a link.
#include "online/Updater.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "tests/online/OnlineTestSupport.h"

namespace {

TEST(UpdaterReplyTest, TheLinkTagIsCutFromTheReplyAndItsLinkTakenWhenItIsNeitherTooShortNorTooLong) {
  std::string a250(250 - 5, 'a');  // a tag text of exactly 250 characters
  std::string a256(256 - 5, 'b');
  struct Case {
    const char *name;
    std::string reply;
    std::string want_reply;
    std::string want_link;  // "old" when the link is left as it was
    char taken;
  } cases[] = {
      {"a link", "2.100 is here. #DL:<http://h/files/Game.tar.gz> thanks", "2.100 is here. ",
       "http://h/files/Game.tar.gz", 1},
      {"no tag", "No tag here.", "No tag here.", "old", 0},
      {"eleven characters", "x#DL:<a/bcde>", "x", "a/bcde", 1},
      {"ten characters keep the old link", "Out #DL:<a/bc>", "Out ", "old", 0},
      {"a tag at the very end", "Out of date.#DL:<", "Out of date.", "old", 0},
      {"a tag without its '>'", "Now #DL:<http://h/file.zip", "Now ", "http://h/file.zip", 1},
      {"an empty link", "E #DL:<>0123456789", "E ", "", 1},
      {"only the first tag counts", "#DL:<http://h/a.zip>#DL:<http://h/b.zip>", "", "http://h/a.zip", 1},
      {"255 characters", "r" + std::string("#DL:<") + a250, "r", a250, 1},
      {"256 characters are too long", "r" + std::string("#DL:<") + a256 + "tail",
       "r" + std::string("#DL:<") + a256, "old", 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    DebugResetForTests();
    char reply[2048];
    ASSERT_LT(c.reply.size(), sizeof(reply));
    strcpy(reply, c.reply.c_str());
    char link[256] = "old";
    EXPECT_EQ(UpdaterTakeLinkFromReply(reply, link, sizeof(link)), c.taken);
    EXPECT_EQ(std::string(reply), c.want_reply);
    EXPECT_EQ(std::string(link), c.want_link);
    EXPECT_EQ(qwtest::LogHas("Link too long <#DL:<bbb"), std::string(c.name).find("too long") != std::string::npos);
  }
  char link[4] = "old";
  EXPECT_EQ(UpdaterTakeLinkFromReply(nullptr, link, sizeof(link)), 0);
}

TEST(UpdaterReplyTest, FileNamesKeepOnlySafeCharactersAndNeverLeaveTheFolder) {
  struct Case {
    const char *link, *name;
  } cases[] = {
      {"a/b/Game-2.1.tar.gz?x=1#y", "Game-2.1.tar.gz"},
      {"http://127.0.0.1:8/files/Quarrelwick-2.100.tar.gz", "Quarrelwick-2.100.tar.gz"},
      {"../../.bashrc", "bashrc"},
      {"x;touch${IFS}pwned.zip", "x_touch__IFS_pwned.zip"},
      {"http://h/%2e%2e", "_2e_2e"},
      {"http://h/a b\"c'd`e|f&g\\h", "a_b_c_d_e_f_g_h"},
      {"http://h/caf\xE9.zip", "caf_.zip"},
      {"http://h/dl.cgi?file=../../x.zip", "dl.cgi"},
      {"http://h/x.zip#../../y", "x.zip"},
      {"/", ""},
      {"http://h/", ""},
      {"http://h/...", ""},
      {"http://h/..", ""},
      {"", ""},
      {"?only=query", ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.link);
    EXPECT_EQ(UpdaterSanitiseFileName(c.link), c.name);
  }
  EXPECT_EQ(UpdaterSanitiseFileName(nullptr), "");
  std::string long_name(300, 'n');
  EXPECT_EQ(UpdaterSanitiseFileName(("http://h/" + long_name + ".zip").c_str()), std::string(100, 'n'));
}

}  // namespace
