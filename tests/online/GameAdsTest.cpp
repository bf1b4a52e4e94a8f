// The cross-promotion table and its links: which rows are shown and how the current row moves,
// the texts' tokens, the addresses handed to the browser (through a spy in place of xdg-open)
// and the download, which ends the program first and runs once it has exited.
#include "online/GameAds.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTexture.h"
#include "Engine/EngVarious.h"
#include "tests/online/UpdaterTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using qwtest::LogHas;

std::vector<int> IncludedRows() {
  std::vector<int> rows;
  for (int r = 0; r < GAME_ADS_NUM_ROWS; r++)
    if (game_ads[r].included) rows.push_back(r);
  return rows;
}

class GameAdsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    GameAdsResetForTests();
    GameAdsSetupAdsToBeIncluded();
  }
  void TearDown() override {
    GameAdsResetForTests();
    DebugResetForTests();
  }
};

TEST_F(GameAdsTest, TheTableHasTwentySixRowsAndTwelveOfThemAreShown) {
  EXPECT_EQ(sizeof(game_ads), 26u * 641u);
  EXPECT_EQ(offsetof(GameAdInfo, title_upper), 1u);
  EXPECT_EQ(offsetof(GameAdInfo, title), 65u);
  EXPECT_EQ(offsetof(GameAdInfo, desc), 129u);
  EXPECT_EQ(GameAdsGetNumAdsIncluded(), 12);
  EXPECT_EQ(IncludedRows(), (std::vector<int>{0, 1, 2, 4, 5, 6, 10, 16, 17, 22, 23, 24}));
  EXPECT_EQ(game_ads[3].included, 0);
  EXPECT_EQ(GameAdsGetTessaloomAdNumForCurrentPlatform(), 17);
  game_ads[17].included = 0;
  EXPECT_EQ(GameAdsGetTessaloomAdNumForCurrentPlatform(), -1);
  EXPECT_TRUE(LogHas("Ad 17 is not included."));
}

// Every shown row is a made-up desktop game with its pictures, page, recommendation, a download
// under the link base and a program of the updater's table; texts fit their records.
TEST_F(GameAdsTest, EveryShownRowHasItsLinksAndTheUpdatersProgram) {
  std::vector<EngUInt32> programs;
  for (int r : IncludedRows()) {
    SCOPED_TRACE(r);
    const GameAdRowInfo *info = GameAdsGetRowInfo(r);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->kind, GAME_AD_DESKTOP);
    char pic[32];
    snprintf(pic, sizeof(pic), "GameAd%02d_1.jpg", r);
    EXPECT_STREQ(GameAdsGetPicFilenameCB(r, 0), pic);
    snprintf(pic, sizeof(pic), "GameAd%02d_2.jpg", r);
    EXPECT_STREQ(GameAdsGetPicFilenameCB(r, 1), pic);
    ASSERT_NE(info->page_id, nullptr);
    ASSERT_NE(info->rec_id, nullptr);
    ASSERT_NE(info->download, nullptr);
    EXPECT_EQ(strchr(info->download, '/'), nullptr);
    EXPECT_GE(info->updater_id, 1u);
    EXPECT_LE(info->updater_id, 16u);
    EXPECT_NE(info->updater_id, 15u);
    EXPECT_NE(info->updater_id, EngUInt32(UPDATER_PROGRAM_QUARRELWICK));
    EXPECT_EQ(UpdaterSetupUrl(_UpdaterProgramName(info->updater_id), 0.0f), 1);
    for (EngUInt32 seen : programs) EXPECT_NE(seen, info->updater_id);
    programs.push_back(info->updater_id);
    EXPECT_NE(game_ads[r].title_upper[0], 0);
    EXPECT_NE(game_ads[r].title[0], 0);
    for (int line = 0; line < GAME_ADS_DESC_LINES; line++) EXPECT_NE(game_ads[r].desc[line][0], 0);
    EXPECT_STRNE(game_ads[r].title, "Quarrelwick");
  }
  UpdaterResetForTests();
  // Rows that are not shown name no picture.
  DebugResetForTests();
  EXPECT_EQ(GameAdsGetPicFilenameCB(3, 0), nullptr);
  EXPECT_TRUE(LogHas("Unsuppored ad/pic [3:0]"));
  EXPECT_EQ(GameAdsGetPicFilenameCB(8, 1), nullptr);
  EXPECT_EQ(GameAdsGetPicFilenameCB(0, 2), nullptr);
  EXPECT_TRUE(LogHas("Unsuppored ad/pic [0:2]"));
  const GameAdRowInfo *spare = GameAdsGetRowInfo(25);
  EXPECT_EQ(spare->download, nullptr);
  EXPECT_EQ(GameAdsGetRowInfo(26), nullptr);
}

// Whether the texts hold the line "token=text" whole.
bool HasLine(const std::string &texts, const std::string &token, const std::string &text) {
  std::string line = "\n" + token + "=" + text;
  size_t at = texts.find(line);
  if (at == std::string::npos) return false;
  size_t end = at + line.size();
  return end == texts.size() || texts[end] == '\r' || texts[end] == '\n';
}

TEST_F(GameAdsTest, EveryTextTokenIsInTheEnglishTextsWithTheTablesText) {
  const std::string english = qwtest::ReadWholeFile(qwtest::SourceDir() + "/resources/CommonTexts/English.txt");
  char token[48];
  for (int r = 0; r < GAME_ADS_NUM_ROWS; r++) {
    if (!game_ads[r].title_upper[0]) continue;
    GameAdsGetTitleToken(r, token, sizeof(token));
    EXPECT_TRUE(HasLine(english, token, game_ads[r].title_upper)) << token;
    for (int line = 0; line < GAME_ADS_DESC_LINES; line++) {
      GameAdsGetDescToken(r, line, token, sizeof(token));
      EXPECT_TRUE(HasLine(english, token, game_ads[r].desc[line])) << token;
    }
  }
  EXPECT_STREQ(GameAdsGetTitleText(17), "FERNWHISTLE ORCHARD");
  EXPECT_STREQ(GameAdsGetTitleText(25), "");
}

TEST_F(GameAdsTest, SettingTheCurrentRowLandsOnAShownRow) {
  struct Case {
    int asked, landed;
    const char *logged;
  } cases[] = {{3, 4, nullptr}, {25, 0, nullptr}, {30, 0, "Invalid ad num 30"}, {-1, 0, "Invalid ad num -1"},
               {17, 17, nullptr}, {7, 10, nullptr}, {0, 0, nullptr}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.asked);
    DebugResetForTests();
    GameAdsSetCurGameAd(c.asked);
    EXPECT_EQ(game_ads_cur_game_ad, c.landed);
    if (c.logged)
      EXPECT_TRUE(LogHas(c.logged));
    else
      EXPECT_FALSE(LogHas("Invalid ad num"));
  }
}

TEST_F(GameAdsTest, SteppingWrapsAndWritesEachRowIntoTheRegisteredVariable) {
  EngInt16 stored = 24;
  EngInt16 *variable = &stored;
  GameAdsSetGameAdInt16Variable(&variable);
  EXPECT_EQ(game_ads_cur_game_ad, 24);
  GameAdsGoToNextAdNum();
  EXPECT_EQ(game_ads_cur_game_ad, 0);
  EXPECT_EQ(stored, 0);
  GameAdsGoToPrevAdNum();
  EXPECT_EQ(stored, 24);
  GameAdsGoToPrevAdNum();
  EXPECT_EQ(stored, 23);
  GameAdsSetCurGameAd(11);
  EXPECT_EQ(stored, 16);
  // A stored row out of range is made row 0 when registered.
  stored = 300;
  GameAdsSetGameAdInt16Variable(&variable);
  EXPECT_EQ(stored, 0);
  // Unregistered, nothing is written.
  GameAdsSetGameAdInt16Variable(nullptr);
  EXPECT_EQ(GameAdsGetInt16VariableForTests(), nullptr);
  GameAdsGoToNextAdNum();
  EXPECT_EQ(stored, 0);
  EXPECT_EQ(game_ads_cur_game_ad, 1);
}

TEST_F(GameAdsTest, WithOneRowShownSteppingStaysAndWithNoneTheRowDoesNotMove) {
  for (GameAdInfo &row : game_ads) row.included = 0;
  game_ads[10].included = 1;
  GameAdsSetCurGameAd(2);
  EXPECT_EQ(game_ads_cur_game_ad, 10);
  GameAdsGoToNextAdNum();
  EXPECT_EQ(game_ads_cur_game_ad, 10);
  GameAdsGoToPrevAdNum();
  EXPECT_EQ(game_ads_cur_game_ad, 10);
  game_ads[10].included = 0;
  EXPECT_EQ(GameAdsGetNumAdsIncluded(), 0);
  GameAdsSetCurGameAd(5);
  EXPECT_EQ(game_ads_cur_game_ad, 5);
  GameAdsGoToNextAdNum();
  EXPECT_EQ(game_ads_cur_game_ad, 5);
  GameAdsGoToPrevAdNum();
  EXPECT_EQ(game_ads_cur_game_ad, 5);
}

TEST_F(GameAdsTest, LinkSetUpRefusesBadBasesAndIdsAndDropsLongNames) {
  struct Case {
    const char *path, *prog;
    const char *logged;
  } refused[] = {{"abc/", "Quarrelwick", "Invalid path"},
                 {"https://x.example/games", "Quarrelwick", "Invalid path"},
                 {"", "Quarrelwick", "Invalid path"},
                 {nullptr, "Quarrelwick", "Invalid path"},
                 {"https://x.example/games/", "Quar", "Invalid from prog"},
                 {"https://x.example/games/", nullptr, "Invalid from prog"}};
  for (const Case &c : refused) {
    SCOPED_TRACE(c.logged);
    DebugResetForTests();
    GameAdsSetInternetLinksPath(c.path, c.prog, "Ann");
    EXPECT_TRUE(LogHas(c.logged));
    EXPECT_STREQ(game_ads_path, "https://tallowmere.example.com");
    EXPECT_STREQ(game_ads_from_prog, "Unknown");
  }
  GameAdsSetInternetLinksPath("abcd/", "Quarr", "Ann");
  EXPECT_STREQ(game_ads_path, "abcd/");
  EXPECT_STREQ(game_ads_from_prog, "Quarr");
  EXPECT_STREQ(game_ads_user_name, "Ann");
  GameAdsSetInternetLinksPath("abcd/", "Quarr", std::string(80, 'n').c_str());
  EXPECT_STREQ(game_ads_user_name, "");
  GameAdsSetInternetLinksPath("abcd/", "Quarr", std::string(79, 'n').c_str());
  EXPECT_EQ(strlen(game_ads_user_name), 79u);
  GameAdsSetInternetLinksPath("abcd/", "Quarr", nullptr);
  EXPECT_STREQ(game_ads_user_name, "");
}

TEST_F(GameAdsTest, KindsFollowTheRows) {
  struct Case {
    int row;
    char ios, iphone, ipad, android, all, one_pic;
  } cases[] = {{0, 0, 0, 0, 0, 0, 0}, {7, 1, 1, 0, 0, 0, 0}, {8, 1, 0, 1, 0, 0, 1},  {9, 0, 0, 0, 1, 0, 0},
               {14, 0, 0, 0, 0, 0, 0}, {15, 0, 0, 0, 0, 1, 1}, {19, 1, 0, 1, 0, 0, 1}, {20, 0, 0, 0, 1, 0, 0}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.row);
    game_ads_cur_game_ad = c.row;
    EXPECT_EQ(GameAdsIsCurrentAdAnIOSApp(), c.ios);
    EXPECT_EQ(GameAdsIsCurrentAdAnIPhoneApp(), c.iphone);
    EXPECT_EQ(GameAdsIsCurrentAdAnIPadApp(), c.ipad);
    EXPECT_EQ(GameAdsIsCurrentAdAnAndroidApp(), c.android);
    EXPECT_EQ(GameAdsIsCurrentAdAnAllInOneAd(), c.all);
    EXPECT_EQ(GameAdsIsCurrentAdAOnePicAd(), c.one_pic);
  }
  GameAdsSetInternetLinksPath("https://x.example/games/", "Quarrelwick", nullptr);
  game_ads_cur_game_ad = 17;
  EXPECT_STREQ(GameAdsGetDownloadLinkForCurrentAd(), "https://x.example/games/FernwhistleOrchard.tar.gz");
  for (int row : {7, 14, 15, 21, 25}) {
    game_ads_cur_game_ad = row;
    EXPECT_EQ(GameAdsGetDownloadLinkForCurrentAd(), nullptr) << row;
  }
}

TEST_F(GameAdsTest, PicturesNeedTheNameFunctionAndAName) {
  GameAdsCreateGraphics(0);
  EXPECT_TRUE(LogHas("No pic filename callback specified"));
  GameAdsSetGetPicFilenameCB(GameAdsGetPicFilenameCB);
  game_ads_cur_game_ad = 3;
  GameAdsCreateGraphics(0);
  EXPECT_TRUE(LogHas("No pic filename for pic 3:0"));
  EXPECT_EQ(GameAdsGetAdTex1P()->IsOk(), 0);
  EXPECT_EQ(GameAdsGetAdTex2P()->IsOk(), 0);
}

// The browser's spy: a script that records its arguments, started in place of xdg-open.
class GameAdsLinksTest : public GameAdsTest {
 protected:
  void SetUp() override {
    GameAdsTest::SetUp();
    VariousResetForTests();
    spy = dir.File("opener spy");
    qwtest::WriteWholeFile(spy,
                           "#!/bin/sh\n"
                           "printf '%s' \"$#\" > \"$0.count\"\n"
                           "printf '%s' \"$1\" > \"$0.arg\"\n");
    chmod(spy.c_str(), 0755);
    VariousSetBrowserOpenerForTests(spy.c_str());
  }
  void TearDown() override {
    VariousWaitForBrowserOpenerForTests();
    VariousResetForTests();
    GameAdsTest::TearDown();
  }
  std::string Opened() {
    if (VariousWaitForBrowserOpenerForTests() != 0) return "";
    EXPECT_EQ(qwtest::ReadWholeFile(spy + ".count"), "1");
    std::string arg = qwtest::ReadWholeFile(spy + ".arg");
    unlink((spy + ".arg").c_str());
    return arg;
  }
  qwtest::TempDir dir;
  std::string spy;
};

class QuietProgram : public EngProgram {};

TEST_F(GameAdsLinksTest, TellAFriendEncodesEachParameterAndOpensOnlyAfterTheProgramEnded) {
  qwtest::WorkingFolder cwd;
  EngProgramSetResourcesPathForTests(dir.Path().c_str());
  GameAdsSetInternetLinksPath("https://tallowmere.example.com/games/", "Quarrelwick", "A `rm -rf ~` & B");
  GameAdsSetCurGameAd(17);
  {
    QuietProgram program;
    GameAdsTellAFriendCB();
    EXPECT_EQ(eng_main_program, &program);
    EXPECT_EQ(program.IsExiting(), 1);
    EXPECT_EQ(Opened(), "");
    program.Exit(1);
  }
  EXPECT_EQ(Opened(),
            "https://tallowmere.example.com/cgi-bin/common/friend/ShowTellAFriend.cgi?from_prog=Quarrelwick"
            "&rec=Fernwhistle&&user_name=A+%60rm+-rf+~%60+%26+B");
  EngProgramSetResourcesPathForTests(nullptr);
  ASSERT_TRUE(cwd.Restore());
}

TEST_F(GameAdsLinksTest, TellAFriendNamesAndRowsWithoutARecommendation) {
  const char kBase[] = "https://tallowmere.example.com/cgi-bin/common/friend/ShowTellAFriend.cgi?from_prog=Quarrelwick";
  struct Case {
    std::string name;
    int row;
    std::string tail;
  } cases[] = {{"Zo\xe9 #1 50%", 0, "&rec=Quillibrook&&user_name=Zo%e9+%231+50%25"},
               {std::string(80, 'x'), 14, "&rec=All&&user_name="},
               {"", 15, "&rec=All&&user_name="}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.row);
    GameAdsSetInternetLinksPath("https://tallowmere.example.com/games/", "Quarrelwick", c.name.c_str());
    game_ads_cur_game_ad = c.row;
    GameAdsTellAFriendCB();
    EXPECT_EQ(Opened(), kBase + c.tail);
  }
  // An address that does not fit is refused whole, never cut.
  GameAdsSetInternetLinksPath("https://tallowmere.example.com/games/", std::string(63, '&').c_str(),
                              std::string(79, '&').c_str());
  game_ads_cur_game_ad = 0;
  DebugResetForTests();
  GameAdsTellAFriendCB();
  EXPECT_TRUE(LogHas("Address too long"));
  EXPECT_EQ(Opened(), "");
}

TEST_F(GameAdsLinksTest, HomePagesAreUnderTheLinkBase) {
  GameAdsSetInternetLinksPath("https://tallowmere.example.com/games/", "Quarrelwick", "Ann");
  struct Case {
    int row;
    const char *page;
  } cases[] = {{17, "m_fernwhistle.html"}, {14, "m_all.html"}, {15, "m_all.html"}, {21, "m_frostwhistle.html"}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.row);
    game_ads_cur_game_ad = c.row;
    GameAdsHomePageCB();
    EXPECT_EQ(Opened(), std::string("https://tallowmere.example.com/games/") + c.page);
  }
}

// The download against the tests' own server: the download window (a scripted stand-in) and
// the file on the Desktop, only after the program has exited.
class GameAdsDownloadTest : public qwtest::UpdaterFixture {
 protected:
  void SetUp() override {
    UpdaterFixture::SetUp();
    GameAdsResetForTests();
    GameAdsSetupAdsToBeIncluded();
    SWin::SetPlatformForTests(&m_swin);
    UpdaterSetDownloadLimitsForTests(15, 1, 5000);
  }
  void TearDown() override {
    GameAdsResetForTests();
    SWin::SetPlatformForTests(nullptr);
    UpdaterFixture::TearDown();
  }
  qwtest::FakeSWinPlatform m_swin;
};

TEST_F(GameAdsDownloadTest, TheDownloadRegistersItselfThenRunsWhenCalledAgain) {
  qwtest::WorkingFolder cwd;
  EngProgramSetResourcesPathForTests(m_home.Path().c_str());
  m_server.Reply("/games/FernwhistleOrchard.tar.gz", "orchard bytes");
  GameAdsSetInternetLinksPath((m_server.Url("/games/")).c_str(), "Quarrelwick", "Ann");
  GameAdsSetCurGameAd(17);
  {
    QuietProgram program;
    GameAdsDownloadCB();
    EXPECT_EQ(program.IsExiting(), 1);
    EXPECT_TRUE(m_swin.windows.empty());
    EXPECT_TRUE(m_server.Requests().empty());
    program.Exit(1);
  }
  EXPECT_EQ(DesktopFiles(), (std::vector<std::string>{"FernwhistleOrchard.tar.gz"}));
  EXPECT_EQ(qwtest::ReadWholeFile(Desktop() + "/FernwhistleOrchard.tar.gz"), "orchard bytes");
  EXPECT_TRUE(m_swin.Showed("Downloading Fernwhistle Orchard (0.0%) ..."));
  ASSERT_EQ(qwtest::Popups().size(), 1u);
  EXPECT_EQ(qwtest::Popups()[0].text, "The file \"FernwhistleOrchard.tar.gz\" is now on your Desktop.");
  EngProgramSetResourcesPathForTests(nullptr);
  ASSERT_TRUE(cwd.Restore());
}

TEST_F(GameAdsDownloadTest, RowsWithoutADownloadDoNothing) {
  GameAdsSetInternetLinksPath((m_server.Url("/games/")).c_str(), "Quarrelwick", "Ann");
  for (int row : {7, 14, 15, 21, 25}) {
    game_ads_cur_game_ad = row;
    GameAdsDownloadCB();
  }
  EXPECT_TRUE(m_swin.windows.empty());
  EXPECT_TRUE(m_server.Requests().empty());
  EXPECT_TRUE(DesktopFiles().empty());
}

}  // namespace
