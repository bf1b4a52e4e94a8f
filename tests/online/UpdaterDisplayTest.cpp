// The update check in the real native windows on the test display: the offer worked through
// its buttons, the download's own window with Cancel, the message held for a person and not
// for a non-interactive run.
#include "online/Updater.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "Engine/EngMain.h"
#include "Engine/MAC/EngGui_MAC.h"
#include "tests/Engine/MAC/GuiTestSupport.h"
#include "tests/online/UpdaterTestSupport.h"

namespace {

using qwtest::Popups;

const char kCheckPath[] = "/cgi-bin/common/updater/CheckVersionV2.cgi";
// How long a message is held for a person: by the steady clock, so a wait that was not ended
// early takes at least this long however fast the machine.
const double kHoldSeconds = 2.0;

// Counts the sleeps the test's own thread asks for while it lives, each slept as asked. A held
// message waits in such sleeps; a wait that is not held asks for none, however slow the machine.
class SleepCounter {
 public:
  SleepCounter() {
    t_counted = true;
    s_sleeps = 0;
    EngMainSetSleepForTests(Sleep);
  }
  ~SleepCounter() {
    EngMainSetSleepForTests(nullptr);
    t_counted = false;
  }
  int Sleeps() const { return s_sleeps; }
  void Reset() { s_sleeps = 0; }

 private:
  static void Sleep(double seconds) {
    if (t_counted) s_sleeps++;
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  }
  static thread_local bool t_counted;
  static std::atomic<int> s_sleeps;
};
thread_local bool SleepCounter::t_counted = false;
std::atomic<int> SleepCounter::s_sleeps{0};

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
  // The whole file takes twice the hang limit to come, from a server that stops at the hang
  // limit: only a cancel that ends the transfer ends the download the way it is checked below.
  qwtest::HttpTestServer files(qwtest::kHangSeconds);
  ASSERT_NE(files.Port(), 0);
  files.Drip("/files/Quarrelwick-2.100.tar.gz", qwtest::PatternBody(size_t(2 * qwtest::kHangSeconds / 0.05) * 1000),
             1000, 0.05);
  UpdaterSetDownloadLimitsForTests(long(qwtest::kHangSeconds), long(qwtest::kHangSeconds), 1ull << 30);
  OfferUrl(files.Url("/files/Quarrelwick-2.100.tar.gz"));
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
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 1);
  EXPECT_EQ(windows, 3);
  EXPECT_EQ(downloading.rfind("Downloading", 0), 0u);
  EXPECT_TRUE(qwtest::LogHas("CANCEL"));
  EXPECT_TRUE(qwtest::LogHas("Download cancelled.")) << qwtest::LogText();
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
  // This one is a request to this machine and no more: nothing waits, where a message held
  // would sleep its whole time away.
  SleepCounter sleeps;
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
  EXPECT_EQ(sleeps.Sleeps(), 0);
  EXPECT_EQ(EngGuiTestGetNumWindowsShown_MAC(), 0);
  EXPECT_EQ(m_server.Requests().size(), 2u);
  EXPECT_TRUE(Popups().empty());
}

TEST_F(UpdaterDisplayTest, APersonSeesTheMessageForTwoSecondsUnlessTheyCloseTheWindow) {
  m_server.Reply(kCheckPath, "Quarrelwick 2.010 is the newest version.");
  qwtest::ScopedEnvVar interactive("QUARRELWICK_NONINTERACTIVE", "0");
  SleepCounter sleeps;
  double start = qwtest::NowSeconds();
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
  EXPECT_GE(qwtest::NowSeconds() - start, kHoldSeconds);
  EXPECT_GT(sleeps.Sleeps(), 0);
  EXPECT_EQ(EngGuiTestGetNumWindowsShown_MAC(), 1);

  // The close box ends the wait (the driver presses it when it returns): from the press on,
  // the check is a request to this machine and no more, and nothing waits.
  bool closed = false;
  int sleeps_before_close = 0;
  qwtest::GuiDriver driver([&](EngGuiWindowRef, const std::string &) {
    closed = true;
    sleeps_before_close = sleeps.Sleeps();
  });
  sleeps.Reset();
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
  ASSERT_TRUE(closed);
  EXPECT_EQ(sleeps.Sleeps(), sleeps_before_close);
}

}  // namespace
