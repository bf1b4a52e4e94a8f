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
  void OfferLink(const std::string &path) {
    m_server.Reply(kCheckPath, "Quarrelwick 2.010 is out of date.\nVersion 2.100 mends saving on full disks.#DL:<" +
                                   m_server.Url(path) + ">");
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
  m_server.Drip("/files/Quarrelwick-2.100.tar.gz", qwtest::PatternBody(100000), 1000, 0.05);
  OfferLink("/files/Quarrelwick-2.100.tar.gz");
  std::string downloading;
  int windows = 0;
  qwtest::GuiDriver driver([&](EngGuiWindowRef window, const std::string &) {
    windows++;
    if (windows == 2) EngGuiTestClick_MAC(EngGuiTestGetCreatedControl_MAC(window, 2));
    if (windows == 3) {
      downloading = TextOf(window, 0);
      EXPECT_EQ(TextOf(window, 1), "Cancel");
      EngGuiTestClick_MAC(EngGuiTestGetCreatedControl_MAC(window, 1));
    }
  });
  double start = qwtest::NowSeconds();
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 1);
  EXPECT_LT(qwtest::NowSeconds() - start, 4.0);
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
  double start = qwtest::NowSeconds();
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
  m_server.Reply(kCheckPath, "Quarrelwick 2.010 is the newest version.");
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
  EXPECT_LT(qwtest::NowSeconds() - start, 1.5);
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
  EXPECT_GE(held, 2.0);
  EXPECT_LT(held, 4.0);
  EXPECT_EQ(EngGuiTestGetNumWindowsShown_MAC(), 1);

  // The close box ends the wait (the driver presses it when it returns).
  qwtest::GuiDriver driver([&](EngGuiWindowRef, const std::string &) {});
  start = qwtest::NowSeconds();
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
  EXPECT_LT(qwtest::NowSeconds() - start, 1.5);
}

}  // namespace
