// The update download against the tests' server, with a temporary home and Desktop: the bytes
// placed, the Latest_ name beside an older file, and failures that leave nothing behind.
#include "online/Updater.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "Engine/EngFile.h"

#include "tests/online/UpdaterTestSupport.h"

namespace {

using qwtest::FakeSWinPlatform;
using qwtest::Popups;

const char kCheckPath[] = "/cgi-bin/common/updater/CheckVersionV2.cgi";
const char kPlacedMessage[] =
    "The file \"%s\" has been placed on your Desktop.\n\nPlease remove any older versions of the program, then "
    "install the program as you did the previous version.";

std::string Placed(const std::string &name) {
  char text[512];
  snprintf(text, sizeof(text), kPlacedMessage, name.c_str());
  return text;
}

class UpdaterDownloadTest : public qwtest::UpdaterFixture {
 protected:
  void SetUp() override {
    UpdaterFixture::SetUp();
    SWin::SetPlatformForTests(&m_swin);
    // The offer is answered with Download.
    m_swin.on_run = [](FakeSWinPlatform &swin) { swin.Press(2); };
  }
  void TearDown() override {
    UpdaterResetForTests();
    SWin::SetPlatformForTests(nullptr);
    UpdaterFixture::TearDown();
  }
  // The server says the game is out of date and names the file's path on itself.
  void OfferLink(const std::string &path) {
    m_server.Reply(kCheckPath, "Quarrelwick 2.010 is out of date.#DL:<" + m_server.Url(path) + ">");
  }
  void ExpectNotCompleted() {
    ASSERT_EQ(Popups().size(), 1u);
    EXPECT_EQ(Popups()[0].type, ENG_MISC_POPUP_ERROR);
    EXPECT_EQ(Popups()[0].title, "");
    EXPECT_EQ(Popups()[0].text, "The download was not completed.");
    EXPECT_FALSE(qwtest::FileExists(PartFile()));
    EXPECT_TRUE(DesktopFiles().empty());
    EXPECT_EQ(m_swin.current, nullptr);
  }
  FakeSWinPlatform m_swin;
};

TEST_F(UpdaterDownloadTest, CheckOfferAndDownloadPlaceTheExactBytesOnTheDesktopThenBesideThem) {
  std::string body = qwtest::PatternBody(300000);
  body[1000] = 0;
  m_server.Reply("/files/Quarrelwick-2.100.tar.gz", body);
  OfferLink("/files/Quarrelwick-2.100.tar.gz");

  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 1);
  EXPECT_EQ(DesktopFiles(), (std::vector<std::string>{"Quarrelwick-2.100.tar.gz"}));
  EXPECT_EQ(qwtest::ReadWholeFile(Desktop() + "/Quarrelwick-2.100.tar.gz"), body);
  EXPECT_FALSE(qwtest::FileExists(PartFile()));
  ASSERT_EQ(Popups().size(), 1u);
  EXPECT_EQ(Popups()[0].type, ENG_MISC_POPUP_INFORMATION);
  EXPECT_EQ(Popups()[0].title, "Download Complete");
  EXPECT_EQ(Popups()[0].text, Placed("Quarrelwick-2.100.tar.gz"));
  // Windows: the check, the offer, the download's with its progress.
  ASSERT_EQ(m_swin.windows.size(), 3u);
  EXPECT_EQ(m_swin.windows[2]->width, 450);
  EXPECT_EQ(m_swin.windows[2]->controls[1]->text, "Cancel");
  EXPECT_TRUE(m_swin.Showed("Downloading..."));
  EXPECT_TRUE(m_swin.Showed("Downloading Quarrelwick (0.0%) ..."));
  EXPECT_EQ(m_swin.current, nullptr);
  ASSERT_EQ(m_server.Requests().size(), 2u);
  EXPECT_EQ(m_server.Requests()[1].target, "/files/Quarrelwick-2.100.tar.gz");

  // Again: the first file stays, the new one goes beside it and replaces an older Latest_ one.
  qwtest::WriteWholeFile(Desktop() + "/Latest_Quarrelwick-2.100.tar.gz", "an older download");
  std::string newer = qwtest::PatternBody(5000);
  m_server.Reply("/files/Quarrelwick-2.100.tar.gz", newer);
  Popups().clear();
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 1);
  EXPECT_EQ(qwtest::ReadWholeFile(Desktop() + "/Quarrelwick-2.100.tar.gz"), body);
  EXPECT_EQ(qwtest::ReadWholeFile(Desktop() + "/Latest_Quarrelwick-2.100.tar.gz"), newer);
  EXPECT_EQ(DesktopFiles().size(), 2u);
  ASSERT_EQ(Popups().size(), 1u);
  EXPECT_EQ(Popups()[0].text, Placed("Latest_Quarrelwick-2.100.tar.gz"));
}

TEST_F(UpdaterDownloadTest, AnotherProgramsDownloadStaysOnTheDesktopUnopened) {
  m_server.Reply("/games/Other.zip", "PK\x03\x04 not really a zip");
  EXPECT_EQ(UpdaterStartDownload(m_server.Url("/games/Other.zip").c_str()), 1);
  EXPECT_EQ(qwtest::ReadWholeFile(Desktop() + "/Other.zip"), "PK\x03\x04 not really a zip");
  ASSERT_EQ(Popups().size(), 1u);
  EXPECT_EQ(Popups()[0].title, "Download Complete");
  EXPECT_EQ(Popups()[0].text, "The file \"Other.zip\" is now on your Desktop.");
  // Without a program from a check the progress names the file.
  EXPECT_TRUE(m_swin.Showed("Downloading Other.zip (0.0%) ..."));
}

TEST_F(UpdaterDownloadTest, NamesFromTheLinkAreMadeSafeAndNothingIsRun) {
  struct Case {
    const char *path;  // as the link names it
    const char *served;  // as the server is asked for it
    const char *placed;
  } cases[] = {
      {"/x;touch${IFS}pwned.zip", "/x;touch${IFS}pwned.zip", "x_touch__IFS_pwned.zip"},
      {"/dl/../../.bashrc", "/.bashrc", "bashrc"},
      {"/get/Game-2.1.tar.gz?x=1#y", "/get/Game-2.1.tar.gz", "Game-2.1.tar.gz"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.path);
    Popups().clear();
    m_server.Reply(c.served, std::string("bytes of ") + c.placed);
    EXPECT_EQ(UpdaterStartDownload(m_server.Url(c.path).c_str()), 1);
    EXPECT_EQ(qwtest::ReadWholeFile(Desktop() + "/" + c.placed), std::string("bytes of ") + c.placed);
    ASSERT_EQ(Popups().size(), 1u);
    EXPECT_EQ(Popups()[0].title, "Download Complete");
  }
  EXPECT_EQ(DesktopFiles().size(), 3u);
  // Nothing named by the link was made anywhere else, by a shell or otherwise.
  for (const std::string &file : HomeFiles()) {
    if (file.find("pwned") != std::string::npos) {
      EXPECT_EQ(file, "Schreibtisch/x_touch__IFS_pwned.zip");
    }
    EXPECT_NE(file, ".bashrc");
  }
  EXPECT_FALSE(qwtest::FileExists("pwned"));
}

TEST_F(UpdaterDownloadTest, UnusableLinksAreRefusedBeforeAnyTransfer) {
  // "is out of date." without a link tag still offers Download.
  m_server.Reply(kCheckPath, "Quarrelwick 2.010 is out of date.");
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 0);
  ASSERT_EQ(Popups().size(), 1u);
  EXPECT_EQ(Popups()[0].type, ENG_MISC_POPUP_ERROR);
  EXPECT_EQ(Popups()[0].text, "Internal Error 3.");
  EXPECT_TRUE(qwtest::LogHas("Invalid link name"));

  std::string too_long = m_server.Url("/") + std::string(250, 'a') + ".zip";
  for (const std::string &link : {std::string("/"), std::string("no-slash.zip"), std::string("ftp://h/x.zip"),
                                  std::string("file:///etc/passwd"), m_server.Url("/"), m_server.Url("/.."),
                                  too_long}) {
    SCOPED_TRACE(link);
    Popups().clear();
    EXPECT_EQ(UpdaterStartDownload(link.c_str()), 0);
    ASSERT_EQ(Popups().size(), 1u);
    EXPECT_EQ(Popups()[0].text, "Internal Error 3.");
  }
  EXPECT_EQ(m_server.Requests().size(), 1u);
  EXPECT_TRUE(DesktopFiles().empty());
  EXPECT_EQ(m_swin.windows.size(), 2u);  // the check's and the offer's
}

TEST_F(UpdaterDownloadTest, CancelDuringADripLeavesNothingBehind) {
  // The file takes twice the hang limit to come, from a server that stops at the hang limit:
  // only the cancel ends the download the way it is checked below.
  qwtest::HttpTestServer files(qwtest::kHangSeconds);
  ASSERT_NE(files.Port(), 0);
  files.Drip("/files/Slow.tar.gz", qwtest::PatternBody(size_t(2 * qwtest::kHangSeconds / 0.05) * 1000), 1000, 0.05);
  UpdaterSetDownloadLimitsForTests(long(qwtest::kHangSeconds), long(qwtest::kHangSeconds), 1ull << 30);
  m_server.Reply(kCheckPath, "Quarrelwick 2.010 is out of date.#DL:<" + files.Url("/files/Slow.tar.gz") + ">");
  // The player presses Cancel once part of the file has arrived.
  bool pressed = false;
  m_swin.on_poll = [&](FakeSWinPlatform &swin) {
    if (pressed || swin.windows.size() < 3 || !swin.ControlAt(0)) return false;
    const std::string &text = swin.ControlAt(0)->text;
    if (text.find('%') == std::string::npos || text.find("(0.0%)") != std::string::npos) return false;
    pressed = true;
    swin.Press(1);
    return true;
  };
  EXPECT_EQ(Updater(UPDATER_PROGRAM_QUARRELWICK, 2.01f), 1);
  EXPECT_TRUE(pressed);
  EXPECT_TRUE(qwtest::LogHas("CANCEL"));
  EXPECT_TRUE(qwtest::LogHas("Download cancelled.")) << qwtest::LogText();
  ExpectNotCompleted();
}

TEST_F(UpdaterDownloadTest, StallsErrorPagesAndOversizedFilesEndTheDownload) {
  // Only the stall meets a stall limit short enough to end it soon; the others' limits are ones
  // a loaded machine never meets, so what ends each download is its own fault, as logged.
  const long kStallSeconds = 1, kNeverSeconds = long(qwtest::kHangSeconds);
  struct Case {
    const char *name;
    std::function<void(qwtest::HttpTestServer &)> serve;
    long stall_seconds;
    const char *logged;
  } cases[] = {
      {"a stall", [](qwtest::HttpTestServer &s) { s.StallAfter("/f/Game.zip", std::string(4000, 's'), 1000); },
       kStallSeconds, "error: 28)"},
      {"a 404 page", [](qwtest::HttpTestServer &s) { s.Reply("/f/Game.zip", "<h1>Not Found</h1>", 404); },
       kNeverSeconds, "error: 22)"},
      {"a redirect",
       [](qwtest::HttpTestServer &s) {
         s.Reply("/f/Game.zip", "moved", 302, "Location: http://127.0.0.1:1/Game.zip\r\n");
       },
       kNeverSeconds, "HTTP status 302"},
      {"too big, announced", [](qwtest::HttpTestServer &s) { s.Reply("/f/Game.zip", std::string(9000, 'b')); },
       kNeverSeconds, "error: 63)"},
      {"too big, chunked",
       [](qwtest::HttpTestServer &s) {
         s.Chunked("/f/Game.zip", {std::string(4000, 'c'), std::string(4000, 'c')});
       },
       kNeverSeconds, "Download larger than 5000 bytes."},
      {"an early close", [](qwtest::HttpTestServer &s) { s.CloseAfter("/f/Game.zip", std::string(4000, 'e'), 10); },
       kNeverSeconds, "error: 18)"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    DebugResetForTests();
    Popups().clear();
    m_swin.windows.clear();
    c.serve(m_server);
    UpdaterSetDownloadLimitsForTests(kNeverSeconds, c.stall_seconds, 5000);
    EXPECT_EQ(UpdaterStartDownload(m_server.Url("/f/Game.zip").c_str()), 1);
    EXPECT_TRUE(qwtest::LogHas(c.logged)) << qwtest::LogText();
    ExpectNotCompleted();
  }
  // Nobody listening.
  qwtest::RefusedPort refused;
  Popups().clear();
  EXPECT_EQ(UpdaterStartDownload(refused.Url("/f/Game.zip").c_str()), 1);
  ExpectNotCompleted();
}

TEST_F(UpdaterDownloadTest, TheDownloadKeepsVerificationIpv4NoSignalsAndNoRedirects) {
  m_server.Reply("/f/Small.zip", "small");
  qwtest::CurlKeptOptions kept;
  EXPECT_EQ(UpdaterStartDownload(m_server.Url("/f/Small.zip").c_str()), 1);
  EXPECT_EQ(kept.SetUps(), 1);
  EXPECT_EQ(kept.Missing(), "");
}

TEST_F(UpdaterDownloadTest, APartFileLeftFromBeforeIsReplaced) {
  qwtest::WriteWholeFile(PartFile(), std::string(100000, 'o'));
  m_server.Reply("/f/Small.zip", "small");
  EXPECT_EQ(UpdaterStartDownload(m_server.Url("/f/Small.zip").c_str()), 1);
  EXPECT_EQ(qwtest::ReadWholeFile(Desktop() + "/Small.zip"), "small");
  EXPECT_FALSE(qwtest::FileExists(PartFile()));
}

// A pipe or the like where the file would go is not waited on nor replaced: the file goes to
// the Latest_ name as beside an older download. A pipe left as the part file is replaced.
TEST_F(UpdaterDownloadTest, WhatIsNotAFileKeepsItsNameAndThePipeOfAPartFileGoes) {
  m_server.Reply("/f/Small.zip", "small");
  for (qwtest::NotAFile kind : qwtest::kNotAFileKinds) {
    SCOPED_TRACE(qwtest::NotAFileName(kind));
    const std::string target = Desktop() + "/Small.zip";
    qwtest::MakeNotAFile(kind, target);
    qwtest::MakeNotAFile(qwtest::NotAFile::kFifo, PartFile());
    Popups().clear();
    EXPECT_TRUE(qwtest::RunsWithoutWaitingOnPipe(target, [&] {
      EXPECT_TRUE(qwtest::RunsWithoutWaitingOnPipe(
          PartFile(), [&] { EXPECT_EQ(UpdaterStartDownload(m_server.Url("/f/Small.zip").c_str()), 1); }));
    }));
    EXPECT_EQ(qwtest::ReadWholeFile(Desktop() + "/Latest_Small.zip"), "small");
    EXPECT_TRUE(qwtest::FileExists(target));
    EXPECT_EQ(qwtest::FileExists(target + ".fifo"), kind == qwtest::NotAFile::kLinkToFifo);
    EXPECT_FALSE(qwtest::FileExists(PartFile()));
    ASSERT_EQ(Popups().size(), 1u);
    EXPECT_EQ(Popups()[0].title, "Download Complete");
    remove((Desktop() + "/Latest_Small.zip").c_str());
  }
}

// Whatever stands at the part file's name is taken away when it can be, never written through
// nor waited on: a link (to a file outside or to a pipe), a pipe or a socket goes and the file
// arrives; a folder stays and ends the download with the transfer's own message.
TEST_F(UpdaterDownloadTest, APartFileNameTakenByALinkAPipeOrAFolderIsNeverWrittenThrough) {
  m_server.Reply("/f/Small.zip", "small");
  qwtest::WriteWholeFile(qwtest::OutsideFile(), qwtest::kOutsideBytes);  // checked after every kind
  for (qwtest::NotAFile kind : qwtest::kNotAFileKindsForWriting) {
    SCOPED_TRACE(qwtest::NotAFileName(kind));
    DebugResetForTests();
    qwtest::MakeNotAFile(kind, PartFile());
    Popups().clear();
    EXPECT_TRUE(qwtest::RunsWithoutWaitingOnPipe(
        PartFile(), [&] { EXPECT_EQ(UpdaterStartDownload(m_server.Url("/f/Small.zip").c_str()), 1); }));
    EXPECT_EQ(qwtest::ReadWholeFile(qwtest::OutsideFile()), qwtest::kOutsideBytes);
    EXPECT_EQ(qwtest::FileExists(PartFile() + ".fifo"), kind == qwtest::NotAFile::kLinkToFifo);
    ASSERT_EQ(Popups().size(), 1u);
    if (kind == qwtest::NotAFile::kFolder) {
      EXPECT_EQ(Popups()[0].text, "The download was not completed.");
      EXPECT_TRUE(EngFileDirectoryExists(PartFile().c_str()));
      EXPECT_TRUE(DesktopFiles().empty());
      EXPECT_TRUE(qwtest::LogHas("Could not create file for downloading <" + PartFile() + ">")) << qwtest::LogText();
      EXPECT_TRUE(qwtest::LogHas("something else is already at its name")) << qwtest::LogText();
      ASSERT_EQ(rmdir(PartFile().c_str()), 0);
    } else {
      EXPECT_EQ(Popups()[0].title, "Download Complete");
      EXPECT_EQ(qwtest::ReadWholeFile(Desktop() + "/Small.zip"), "small");
      EXPECT_FALSE(qwtest::FileExists(PartFile()));
      ASSERT_EQ(remove((Desktop() + "/Small.zip").c_str()), 0);
    }
  }
}

// What is put at the part file's name while the bytes arrive is not the file the transfer wrote:
// it is neither moved to the Desktop nor followed, and the download ends as not completed. With
// nothing put there, the same paused download arrives whole.
TEST_F(UpdaterDownloadTest, WhatIsPutAtThePartFileMidTransferIsNeverMovedNorFollowed) {
  const char kPath[] = "/f/Game.tar.gz";
  const std::string body = qwtest::PatternBody(10000);
  // Limits a loaded machine never meets: the transfer goes on only when the test releases it.
  UpdaterSetDownloadLimitsForTests(long(qwtest::kHangSeconds), long(qwtest::kHangSeconds), 1ull << 30);
  qwtest::WriteWholeFile(qwtest::OutsideFile(), qwtest::kOutsideBytes);  // checked after every kind
  // One download, paused once the first 4,000 bytes have come for `put` to act at the name.
  const auto download = [&](const std::function<void()> &put) {
    DebugResetForTests();
    Popups().clear();
    m_server.PauseAfter(kPath, body, 4000);
    bool put_done = false;
    m_swin.on_poll = [&](FakeSWinPlatform &swin) {
      if (put_done || !swin.ControlAt(0) || swin.ControlAt(0)->text.find("(40.0%)") == std::string::npos) return false;
      put_done = true;
      put();
      m_server.Release(kPath);
      return false;
    };
    EXPECT_TRUE(qwtest::RunsWithoutWaitingOnPipe(
        PartFile(), [&] { EXPECT_EQ(UpdaterStartDownload(m_server.Url(kPath).c_str()), 1); }));
    m_swin.on_poll = nullptr;
    EXPECT_TRUE(put_done) << "the progress never showed the first bytes\n" << qwtest::LogText();
  };

  download([] {});
  ASSERT_EQ(Popups().size(), 1u);
  EXPECT_EQ(Popups()[0].title, "Download Complete");
  EXPECT_EQ(qwtest::ReadWholeFile(Desktop() + "/Game.tar.gz"), body);
  EXPECT_EQ(EngFileNameIsTaken(PartFile().c_str()), 0);
  ASSERT_EQ(remove((Desktop() + "/Game.tar.gz").c_str()), 0);

  for (qwtest::NotAFile kind : qwtest::kNotAFileKindsForWriting) {
    SCOPED_TRACE(qwtest::NotAFileName(kind));
    download([&] { qwtest::MakeNotAFile(kind, PartFile()); });
    ASSERT_EQ(Popups().size(), 1u);
    EXPECT_EQ(Popups()[0].type, ENG_MISC_POPUP_ERROR);
    EXPECT_EQ(Popups()[0].text, "The download was not completed.");
    EXPECT_TRUE(DesktopFiles().empty());
    EXPECT_EQ(m_swin.current, nullptr);
    EXPECT_EQ(qwtest::ReadWholeFile(qwtest::OutsideFile()), qwtest::kOutsideBytes);
    EXPECT_TRUE(qwtest::LogHas("There was a problem moving the file to the folder <" + Desktop() + ">"))
        << qwtest::LogText();
    EXPECT_TRUE(qwtest::LogHas("File <" + PartFile() + "> is not the file that was written")) << qwtest::LogText();
    EXPECT_FALSE(qwtest::LogHas("Downloaded <")) << qwtest::LogText();
    // A link goes, what it names stays as it was; a folder stays, empty.
    struct stat status;
    if (kind == qwtest::NotAFile::kLinkToFifo) {
      ASSERT_EQ(lstat((PartFile() + ".fifo").c_str(), &status), 0);
      EXPECT_TRUE(S_ISFIFO(status.st_mode));
    }
    if (kind == qwtest::NotAFile::kFolder) {
      EXPECT_EQ(rmdir(PartFile().c_str()), 0) << "the folder at the part file's name is gone or was written into";
    } else {
      EXPECT_EQ(EngFileNameIsTaken(PartFile().c_str()), 0);
    }
  }
}

}  // namespace
