// The update check in the real native windows on the test display: the offer worked through
// its buttons, the download's own window with Cancel, the message held for a person and not
// for a non-interactive run.
#include "online/Updater.h"

#include <gtest/gtest.h>

#include <string>

#include "Engine/MAC/EngGui_MAC.h"
#include "tests/Engine/MAC/GuiTestSupport.h"
#include "tests/online/UpdaterTestSupport.h"

namespace {

using qwtest::Popups;

const char kCheckPath[] = "/cgi-bin/common/updater/CheckVersionV2.cgi";
// How long a message is held for a person: by the steady clock, so a wait that was not ended
// early takes at least this long however fast the machine.
const double kHoldSeconds = 2.0;
// Bounds that only a wait that never ends reaches, however loaded the machine.
const double kHangSeconds = 30.0;

class UpdaterDisplayTest : public qwtest::UpdaterFixture {
 protected:
  void SetUp() override {
    UpdaterFixture::SetUp();
    EngGuiResetForTests();
    ASSERT_EQ(EngGuiInit_MAC(), 1);
  }
  void TearDown() override {
    UpdaterResetForTests();
    EngGuiResetForTests();
    UpdaterFixture::TearDown();
  }
  void OfferLink(const std::string &path) { OfferUrl(m_server.Url(path)); }
  void OfferUrl(const std::string &url) {
    m_server.Reply(kCheckPath,
                   "Quarrelwick 2.010 is out of date.\nVersion 2.100 mends saving on full disks.#DL:<" + url + ">");
  }
  static std::string TextOf(EngGuiWindowRef window, int control) {
    char text[2048];
    EngGuiGetStaticTextString_MAC(EngGuiTestGetCreatedControl_MAC(window, control), text, sizeof(text));
    return text;
  }
};

TEST_F(UpdaterDisplayTest, DownloadInTheOfferFetchesTheFileWhileItsWindowShowsProgress) {
  std::string body = qwtest::PatternBody(200000);
  m_server.Drip("/files/Quarrelwick-2.100.tar.gz", body, 20000, 0.02);
  OfferLink("/files/Quarrelwick-2.100.tar.gz");
  std::string offered, button;
  int windows = 0;
  qwtest::GuiDriver driver([&](EngGuiWindowRef window, const std::string &) {
    if (++windows != 2) return;  // the check's window: nothing to press
    offered = TextOf(window, 0);
    button = TextOf(window, 2);
    EngGuiTestClick_MAC(EngGuiTestGetCreatedControl_MAC(window, 2));
    // The download's window is left to run as nobody touches it.
    EngGuiSetTestDriver_MAC(nullptr, nullptr);
  });
  qwtest::ScopedEnvVar interactive("QUARRELWICK_NONINTERACTIVE", "0");
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 1);
  EXPECT_EQ(windows, 2);
  EXPECT_EQ(offered, "Quarrelwick 2.010 is out of date.\nVersion 2.100 mends saving on full disks.");
  EXPECT_EQ(button, "Download");
  EXPECT_EQ(EngGuiTestGetNumWindowsShown_MAC(), 3);
  EXPECT_EQ(qwtest::ReadWholeFile(Desktop() + "/Quarrelwick-2.100.tar.gz"), body);
  EXPECT_FALSE(qwtest::FileExists(PartFile()));
  ASSERT_EQ(Popups().size(), 1u);
  EXPECT_EQ(Popups()[0].title, "Download Complete");
}

TEST_F(UpdaterDisplayTest, CancelInTheDownloadWindowLeavesNothingBehind) {
  // The whole file takes a minute at the least to come, twice the bound below, from a server
  // that outlives it: only a cancel that ends the transfer ends the download in time.
  qwtest::HttpTestServer files(300.0);
  ASSERT_NE(files.Port(), 0);
  files.Drip("/files/Quarrelwick-2.100.tar.gz", qwtest::PatternBody(1200000), 1000, 0.05);
  OfferUrl(files.Url("/files/Quarrelwick-2.100.tar.gz"));
  std::string downloading;
  int windows = 0;
  double cancelled_at = 0.0;
  qwtest::GuiDriver driver([&](EngGuiWindowRef window, const std::string &) {
    windows++;
    if (windows == 2) EngGuiTestClick_MAC(EngGuiTestGetCreatedControl_MAC(window, 2));
    if (windows == 3) {
      downloading = TextOf(window, 0);
      EXPECT_EQ(TextOf(window, 1), "Cancel");
      cancelled_at = qwtest::NowSeconds();
      EngGuiTestClick_MAC(EngGuiTestGetCreatedControl_MAC(window, 1));
    }
  });
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 1);
  EXPECT_LT(qwtest::NowSeconds() - cancelled_at, kHangSeconds);
  EXPECT_EQ(windows, 3);
  EXPECT_EQ(downloading.rfind("Downloading", 0), 0u);
  EXPECT_TRUE(qwtest::LogHas("CANCEL"));
  EXPECT_FALSE(qwtest::FileExists(PartFile()));
  EXPECT_TRUE(DesktopFiles().empty());
  ASSERT_EQ(Popups().size(), 1u);
  EXPECT_EQ(Popups()[0].text, "The download was not completed.");
}

TEST_F(UpdaterDisplayTest, ANonInteractiveRunShowsNothingClosesTheOfferAndHoldsNoMessage) {
  OfferLink("/files/Quarrelwick-2.100.tar.gz");
  // An offer left open would wait for ever: only closing it returns.
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
  m_server.Reply(kCheckPath, "Quarrelwick 2.010 is the newest version.");
  // The first check loaded libcurl: this one is a request to this machine and no more, where a
  // message held would take its whole time.
  double start = qwtest::NowSeconds();
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
  EXPECT_LT(qwtest::NowSeconds() - start, kHoldSeconds);
  EXPECT_EQ(EngGuiTestGetNumWindowsShown_MAC(), 0);
  EXPECT_EQ(m_server.Requests().size(), 2u);
  EXPECT_TRUE(Popups().empty());
}

TEST_F(UpdaterDisplayTest, APersonSeesTheMessageForTwoSecondsUnlessTheyCloseTheWindow) {
  m_server.Reply(kCheckPath, "Quarrelwick 2.010 is the newest version.");
  qwtest::ScopedEnvVar interactive("QUARRELWICK_NONINTERACTIVE", "0");
  double start = qwtest::NowSeconds();
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
  double held = qwtest::NowSeconds() - start;
  EXPECT_GE(held, kHoldSeconds);
  EXPECT_LT(held, kHangSeconds);
  EXPECT_EQ(EngGuiTestGetNumWindowsShown_MAC(), 1);

  // The close box ends the wait (the driver presses it when it returns): from the press on,
  // the check is a request to this machine and no more, and the message is not held.
  double closed_at = 0.0;
  qwtest::GuiDriver driver([&](EngGuiWindowRef, const std::string &) { closed_at = qwtest::NowSeconds(); });
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
  ASSERT_GT(closed_at, 0.0);
  EXPECT_LT(qwtest::NowSeconds() - closed_at, kHoldSeconds);
}

}  // namespace
