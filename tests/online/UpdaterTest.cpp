// The weekly version check's date rule, with today's date injected; the check against the
// tests' server, shown in a stand-in for the native window.
#include "online/Updater.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMiscDate.h"
#include "Engine/EngWindow.h"
#include "Engine/Resolution.h"
#include "online/OnlineConfig.h"
#include "tests/online/UpdaterTestSupport.h"

namespace {

time_t today_time = 0;
time_t Today() { return today_time; }

// Noon local time, so the injected clock names the same day in any time zone.
void SetToday(int year, int month, int day) {
  struct tm t = {};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = 12;
  t.tm_isdst = -1;
  today_time = mktime(&t);
  EngMiscSetClockForTests(Today);
}

class UpdaterTest : public ::testing::Test {
 protected:
  void TearDown() override { EngMiscDateResetForTests(); }
};

TEST_F(UpdaterTest, TheCheckIsDueAWeekAfterTheLastOne) {
  struct Case {
    const char *name;
    _EngMiscDate today, stored;
    bool due;
  } cases[] = {
      {"six days", {2024, 5, 20}, {2024, 5, 14}, false},
      {"seven days", {2024, 5, 20}, {2024, 5, 13}, true},
      {"a year", {2024, 5, 20}, {2023, 5, 20}, true},
      {"never", {2024, 5, 20}, {0, 0, 0}, true},
      {"today", {2024, 5, 20}, {2024, 5, 20}, false},
      {"in the future", {2024, 5, 20}, {2030, 1, 1}, false},
      {"over a leap day, seven", {2024, 3, 3}, {2024, 2, 25}, true},
      {"over a leap day, six", {2024, 3, 3}, {2024, 2, 26}, false},
      {"over the new year, seven", {2025, 1, 3}, {2024, 12, 27}, true},
      {"over the new year, six", {2025, 1, 3}, {2024, 12, 28}, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    SetToday(int(c.today.year), c.today.month, c.today.day);
    _EngMiscDate date = c.stored;
    // The check itself finds nothing to fetch, so start-up goes on either way.
    EXPECT_EQ(UpdaterDoWeeklyVersionCheck(&date, UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
    const _EngMiscDate &want = c.due ? c.today : c.stored;
    EXPECT_EQ(date.year, want.year);
    EXPECT_EQ(date.month, want.month);
    EXPECT_EQ(date.day, want.day);
  }
  EXPECT_EQ(UpdaterDoWeeklyVersionCheck(nullptr, UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
}

using qwtest::FakeSWinPlatform;
using qwtest::Popups;

class UpdaterCheckTest : public qwtest::UpdaterFixture {
 protected:
  void SetUp() override {
    UpdaterFixture::SetUp();
    SWin::SetPlatformForTests(&m_swin);
  }
  void TearDown() override {
    UpdaterResetForTests();
    SWin::SetPlatformForTests(nullptr);
    UpdaterFixture::TearDown();
  }
  FakeSWinPlatform m_swin;
};

TEST_F(UpdaterCheckTest, TheCheckAsksForThisGameAndShowsWhatTheServerSaid) {
  struct Case {
    const char *name;
    std::string reply;
    int status;
    const char *shown;
  } cases[] = {
      {"current", "Quarrelwick 2.010 is the newest version.", 200, "No new version exists at this time."},
      {"the server's error form", " X Unknown program", 200, "Check Failed."},
      {"an empty reply", "", 200, "Check Failed."},
      {"a bare tag", "#DL:<http://h/x.zip>", 200, "No new version exists at this time."},
      // Only a 2xx reply is an answer: a redirect's or an error page's body is not read as one.
      {"a redirect", "Quarrelwick 2.010 is out of date.#DL:<http://h/x.zip>", 302, "Check Failed."},
      {"a server error", "Quarrelwick 2.010 is out of date.#DL:<http://h/x.zip>", 500, "Check Failed."},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    m_swin.shown.clear();
    m_swin.windows.clear();
    m_server.Reply("/cgi-bin/common/updater/CheckVersionV2.cgi", c.reply, c.status);
    size_t requests = m_server.Requests().size();
    EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
    ASSERT_EQ(m_server.Requests().size(), requests + 1);
    EXPECT_EQ(m_server.Requests().back().target, CheckTarget());
    // One small window, the check's message after the waiting one, and nothing else.
    ASSERT_EQ(m_swin.windows.size(), 1u);
    EXPECT_EQ(m_swin.windows[0]->width, 400);
    EXPECT_EQ(m_swin.windows[0]->height, 90 - SWIN_TITLE_BAR_HEIGHT);
    EXPECT_EQ(m_swin.shown, (std::vector<std::string>{"Updating", "Checking for updates ...", c.shown}));
    EXPECT_EQ(m_swin.current, nullptr);
    EXPECT_TRUE(Popups().empty());
  }
  EXPECT_TRUE(qwtest::LogHas("Got result < X Unknown program>"));

  // No server at all.
  m_server.Stop();
  m_swin.shown.clear();
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
  EXPECT_TRUE(m_swin.Showed("Check Failed."));
  EXPECT_TRUE(qwtest::LogHas("Could not read result from the URL"));
}

// The server's error form goes into the log as one line, escaped and bounded, whatever it holds.
TEST_F(UpdaterCheckTest, AHostileErrorReplyIsOneEscapedBoundedLogLine) {
  struct Case {
    std::string reply, logged;
  } cases[] = {
      {" X a\r\n0.4 |  <ERROR>  ( UserClass::LoadUser ) damaged\x1b[2J",
       "Got result < X a\\r\\n0.4 |  <ERROR>  ( UserClass::LoadUser ) damaged\\x1b[2J>"},
      {std::string(" X b\0c", 6), "Got result < X b\\x00c>"},
      {" X " + std::string(10000, 'L'), "Got result < X " + std::string(DEBUG_OUTSIDE_TEXT_MAX - 3, 'L') + "...>"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.logged);
    m_server.Reply("/cgi-bin/common/updater/CheckVersionV2.cgi", c.reply, 200);
    const EngInt32 first = DebugGetNumMessages();
    EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
    int got_result = 0;
    for (EngInt32 i = first; i < DebugGetNumMessages(); i++) {
      const std::string line = DebugGetMessage(i)->text;
      EXPECT_EQ(line.find_first_of("\r\n\x1b"), std::string::npos) << line;
      EXPECT_LT(line.size(), 300u) << line;
      if (line.find("Got result") != std::string::npos) {
        got_result++;
        EXPECT_NE(line.find(c.logged), std::string::npos) << line;
      }
    }
    EXPECT_EQ(got_result, 1) << qwtest::LogText();
  }
}

// Without an update address (none built in, none in the environment) the weekly check asks
// nobody and shows no window; its date is still kept, so it is skipped for the week.
TEST_F(UpdaterCheckTest, WithoutAnUpdateAddressTheWeeklyCheckIsSkippedQuietly) {
  qwtest::ScopedEnvVar no_url("QUARRELWICK_UPDATE_URL", nullptr);
  ASSERT_EQ(OnlineConfigHasUpdateAddress(), 0);
  SetToday(2026, 12, 9);
  _EngMiscDate date = {2026, 11, 1};
  EXPECT_EQ(UpdaterDoWeeklyVersionCheck(&date, UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
  EXPECT_TRUE(m_swin.windows.empty());
  EXPECT_TRUE(m_server.Requests().empty());
  EXPECT_TRUE(Popups().empty());
  EXPECT_EQ(date.year, 2026u);
  EXPECT_EQ(date.month, 12);
  EXPECT_EQ(date.day, 9);
  EXPECT_TRUE(qwtest::LogHas("the weekly check is skipped"));
  // With one set, the same check asks it.
  qwtest::ScopedEnvVar url("QUARRELWICK_UPDATE_URL", m_server.Url("").c_str());
  m_server.Reply("/cgi-bin/common/updater/CheckVersionV2.cgi", "Quarrelwick 2.010 is the newest version.");
  date = {2026, 11, 1};
  EXPECT_EQ(UpdaterDoWeeklyVersionCheck(&date, UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
  EXPECT_EQ(m_server.Requests().size(), 1u);
  EXPECT_TRUE(m_swin.Showed("No new version exists at this time."));
  EngMiscDateResetForTests();
}

TEST_F(UpdaterCheckTest, AnOutOfDateReplyIsOfferedWithoutItsLinkAndCloseDownloadsNothing) {
  std::string link = m_server.Url("/files/Quarrelwick-2.100.tar.gz");
  m_server.Reply("/cgi-bin/common/updater/CheckVersionV2.cgi",
                 "Quarrelwick 2.010 is out of date.\nVersion 2.100 plays faster.#DL:<" + link + ">");
  std::string offered;
  m_swin.on_run = [&](FakeSWinPlatform &swin) {
    ASSERT_EQ(swin.windows.size(), 2u);
    EXPECT_EQ(swin.current->width, 640);
    EXPECT_EQ(swin.current->height, 420 - SWIN_TITLE_BAR_HEIGHT);
    ASSERT_EQ(swin.current->controls.size(), 3u);
    EXPECT_EQ(swin.ControlAt(0)->kind, SWIN_EDIT_TEXT);
    EXPECT_EQ(swin.ControlAt(0)->width, 600);
    EXPECT_EQ(swin.ControlAt(0)->height, 320);
    offered = swin.ControlAt(0)->text;
    EXPECT_EQ(swin.ControlAt(1)->text, "Close");
    EXPECT_EQ(swin.ControlAt(1)->x, 480);
    EXPECT_EQ(swin.ControlAt(2)->text, "Download");
    EXPECT_EQ(swin.ControlAt(2)->x, 20);
    swin.Press(1);
  };
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
  EXPECT_EQ(offered, "Quarrelwick 2.010 is out of date.\nVersion 2.100 plays faster.");
  EXPECT_EQ(std::string(UpdaterGetLinkForTests()), link);
  EXPECT_EQ(m_server.Requests().size(), 1u);
  EXPECT_EQ(m_swin.current, nullptr);
  EXPECT_TRUE(Popups().empty());
  EXPECT_FALSE(qwtest::FileExists(PartFile()));
}

TEST_F(UpdaterCheckTest, ALongReplyIsCutAndAShortTagKeepsTheLinkOfTheLastCheck) {
  m_server.Reply("/cgi-bin/common/updater/CheckVersionV2.cgi", "#DL:<http://h/first/Old.zip>" + std::string(3000, 'v'));
  ASSERT_EQ(UpdaterSetupUrl(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 1);
  ASSERT_EQ(UpdaterReadURL(m_server.Url("/cgi-bin/common/updater/CheckVersionV2.cgi").c_str(), 0), 1);
  // The tag's text ran past 255 characters: logged, no link, the reply cut behind it.
  EXPECT_EQ(strlen(UpdaterGetReplyForTests()), 256u);
  EXPECT_STREQ(UpdaterGetLinkForTests(), "");
  EXPECT_TRUE(qwtest::LogHas("Link too long <#DL:<http://h/first/Old.zip>vvv"));

  m_server.Reply("/cgi-bin/common/updater/CheckVersionV2.cgi", std::string(3000, 'w'));
  ASSERT_EQ(UpdaterReadURL(m_server.Url("/cgi-bin/common/updater/CheckVersionV2.cgi").c_str(), 0), 1);
  EXPECT_EQ(strlen(UpdaterGetReplyForTests()), 2046u);

  m_server.Reply("/cgi-bin/common/updater/CheckVersionV2.cgi", "Out of date.#DL:<http://h/x/New.zip>");
  ASSERT_EQ(UpdaterReadURL(m_server.Url("/cgi-bin/common/updater/CheckVersionV2.cgi").c_str(), 0), 1);
  EXPECT_STREQ(UpdaterGetLinkForTests(), "http://h/x/New.zip");
  m_server.Reply("/cgi-bin/common/updater/CheckVersionV2.cgi", "Out of date.#DL:<h/x>");
  ASSERT_EQ(UpdaterReadURL(m_server.Url("/cgi-bin/common/updater/CheckVersionV2.cgi").c_str(), 0), 1);
  EXPECT_STREQ(UpdaterGetReplyForTests(), "Out of date.");
  EXPECT_STREQ(UpdaterGetLinkForTests(), "http://h/x/New.zip");

  // NUL bytes end the reply where they stand.
  m_server.Reply("/cgi-bin/common/updater/CheckVersionV2.cgi", std::string("Fine\0#DL:<http://h/y/Z.zip>", 27));
  ASSERT_EQ(UpdaterReadURL(m_server.Url("/cgi-bin/common/updater/CheckVersionV2.cgi").c_str(), 0), 1);
  EXPECT_STREQ(UpdaterGetReplyForTests(), "Fine");
  EXPECT_STREQ(UpdaterGetLinkForTests(), "http://h/x/New.zip");
}

TEST_F(UpdaterCheckTest, OnlyProgramsOfTheTableAreChecked) {
  for (EngUInt32 program : {0u, 14u, 15u, 16u, 17u, 99u}) {
    SCOPED_TRACE(program);
    DebugResetForTests();
    EXPECT_EQ(UpdaterSetupUrl(_UpdaterProgramName(program), 2.01f), 0);
    EXPECT_TRUE(qwtest::LogHas("Unknown program name"));
  }
  EXPECT_EQ(Updater(_UpdaterProgramName(99), 2.01f), 0);
  EXPECT_TRUE(m_swin.Showed("Check Failed."));
  EXPECT_TRUE(m_server.Requests().empty());
  EXPECT_EQ(UpdaterGetProgramName(0), nullptr);
  ASSERT_EQ(UpdaterSetupUrl(UPDATER_PROGRAM_QUARRELWICK, 2.5f), 1);
  EXPECT_STREQ(UpdaterGetProgramName(0), "Quarrelwick");
}

TEST_F(UpdaterCheckTest, TheInternetCheckReadsTheBarePage) {
  m_server.Reply("/cgi-bin/common/updater/CheckVersionV2.cgi", " X no program given");
  char text[64];
  EXPECT_EQ(UpdaterDoInternetCheck(text, sizeof(text)), 1);
  EXPECT_STREQ(text, "Internet Test Ok");
  ASSERT_EQ(m_server.Requests().size(), 1u);
  EXPECT_EQ(m_server.Requests()[0].target, "/cgi-bin/common/updater/CheckVersionV2.cgi");
  m_server.Stop();
  char small[8];
  EXPECT_EQ(UpdaterDoInternetCheck(small, sizeof(small)), 0);
  EXPECT_STREQ(small, "Could n");
  EXPECT_EQ(UpdaterDoInternetCheck(small, 1), 0);
  EXPECT_EQ(UpdaterDoInternetCheck(nullptr, 64), 0);
}

TEST_F(UpdaterCheckTest, TheLargerCheckWindowIsBuiltOnTheGivenWindowOnce) {
  EXPECT_EQ(UpdaterCreateSWinWindow(nullptr, 0, 0, 0), 0);
  EXPECT_TRUE(qwtest::LogHas("Invalid parameter"));
  SWin swin;
  ASSERT_EQ(UpdaterCreateSWinWindow(&swin, 0, 0, 0), 1);
  EXPECT_EQ(m_swin.current->width, 650);
  ASSERT_EQ(m_swin.current->controls.size(), 4u);
  EXPECT_EQ(m_swin.ControlAt(0)->text, "Ok");
  EXPECT_EQ(m_swin.ControlAt(1)->text, "unset");
  EXPECT_EQ(m_swin.ControlAt(2)->y, 465);
  EXPECT_EQ(m_swin.ControlAt(3)->kind, SWIN_EDIT_TEXT);
  EXPECT_EQ(UpdaterCreateSWinWindow(&swin, 0, 0, 0), 0);
  EXPECT_TRUE(qwtest::LogHas("Window alreaady created"));
  m_swin.Press(0);
  EXPECT_EQ(swin.ProcessAnyWindowsMessages(), 0);
  swin.DestroyMainWindow();
}

TEST_F(UpdaterCheckTest, TheStartUpCheckRunsOnceAWeekThroughTheDisplaySettingsAndADownloadEndsStartUp) {
  ResolutionResetForTests();
  ResolutionSetWeeklyVersionCheckCB(UpdaterDoWeeklyVersionCheck);
  ResolutionSetupModule(UPDATER_PROGRAM_QUARRELWICK, 2.01f, 1.5f, nullptr, 0, 1, 0, 0, 0, "Resolution", "License",
                        "License.txt", "Startup", "ResTitle.jpg");
  SetToday(2026, 12, 9);
  m_server.Reply("/cgi-bin/common/updater/CheckVersionV2.cgi", "Quarrelwick 2.010 is the newest version.");
  EXPECT_EQ(ResolutionDoWeeklyVersionCheck(), 0);
  EXPECT_EQ(m_server.Requests().size(), 1u);
  SetToday(2026, 12, 15);
  EXPECT_EQ(ResolutionDoWeeklyVersionCheck(), 0);
  EXPECT_EQ(m_server.Requests().size(), 1u);

  // A forgotten date (as a score server's "newer version" answer leaves it) checks at the next start.
  ResolutionLoadSettings();
  memset(&resolution.last_version_check, 0, sizeof(resolution.last_version_check));
  ResolutionSaveSettings();
  m_server.Reply("/files/Quarrelwick-2.100.tar.gz", "the new build");
  m_server.Reply("/cgi-bin/common/updater/CheckVersionV2.cgi",
                 "Quarrelwick 2.010 is out of date.#DL:<" + m_server.Url("/files/Quarrelwick-2.100.tar.gz") + ">");
  m_swin.on_run = [](FakeSWinPlatform &swin) { swin.Press(2); };
  EXPECT_EQ(ResolutionDoWeeklyVersionCheck(), 1);
  EXPECT_EQ(qwtest::ReadWholeFile(Desktop() + "/Quarrelwick-2.100.tar.gz"), "the new build");
  ResolutionLoadSettings();
  EXPECT_EQ(resolution.last_version_check.year, 2026u);
  EXPECT_EQ(resolution.last_version_check.month, 12);
  EXPECT_EQ(resolution.last_version_check.day, 15);
  ResolutionSetWeeklyVersionCheckCB(nullptr);
  ResolutionResetForTests();
  EngMiscDateResetForTests();
  // Loading the settings applied them to the window's parameters.
  *MainGetCreateWindowParms() = _EngCreateWindowParms();
}

}  // namespace
