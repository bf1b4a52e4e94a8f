// libcurl is loaded at the first transfer: the program starts without it, a missing libcurl
// fails each transfer as an unreachable server does, and threads reaching their first transfer
// together load and set it up once. This executable does not link libcurl, and its tests keep
// their order: the first leaves libcurl unloaded, the last two load it.
#include "online/CurlInterface.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <thread>

#include "Engine/EngDebug.h"
#include "Engine/EngMiscDate.h"
#include "Engine/EngProgram.h"
#include "Engine/Resolution.h"
#include "game/Main.h"
#include "online/EngInternet.h"
#include "online/Updater.h"
#include "tests/game/ProgramStartFixture.h"
#include "tests/online/OnlineTestSupport.h"
#include "tests/online/WorldScoresTestSupport.h"
#include "tests/support/HttpTestServer.h"
#include "tests/support/TestSupport.h"

namespace {

using qwtest::LogHas;

bool CurlLoaded() {
  void *curl = dlopen("libcurl.so.4", RTLD_NOW | RTLD_NOLOAD);
  // Only the reference just taken is given back: the program's own stays.
  if (curl) dlclose(curl);
  return curl != nullptr;
}

size_t Count(const std::string &text, const std::string &part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) n++;
  return n;
}

// The world table's fixture: its score server on 127.0.0.1 answers, so every failure below is
// the missing library's.
class CurlMissingTest : public qwtest::WorldScoresTestBase {
 protected:
  void SetUp() override {
    qwtest::WorldScoresTestBase::SetUp();
    CurlInterface_SetLibraryForTests("libqw-no-such-curl.so.4");
  }
  void TearDown() override {
    CurlInterface_SetLibraryForTests("libcurl.so.4");
    qwtest::WorldScoresTestBase::TearDown();
  }
};

TEST_F(CurlMissingTest, EveryTransferFailsAsWithNoServerAndTheLogSaysWhyOnce) {
  if (CurlLoaded()) GTEST_SKIP() << "an earlier test in this process loaded libcurl (ctest runs each alone)";
  m_service.ScriptTableReply("Y \n" + Line("10 1 0 0 5 Zed GB t 2026-03-20 L") + "*\n");
  const std::string url = m_service.BaseUrl() + "/";

  // The world table: the reader starts and fails (-1), which the scores screen shows as "Failed".
  ScoresMain table;
  ASSERT_EQ(table.Setup(55, 150, 100, 1000, SCORES_RANGE_ALL_TIME, nullptr, 1, 15), 1);
  ASSERT_EQ(table.Update(), 1);
  EngInternetThreadReadResult status = 0;
  EXPECT_EQ(WaitForTable(&table, &status, nullptr), -1);
  EXPECT_EQ(status, ENG_INTERNET_THREAD_FAILED);
  EXPECT_TRUE(LogHas("Update failed ["));

  // The update check reads as with no server.
  char text[128];
  EXPECT_EQ(UpdaterDoInternetCheck(text, sizeof(text)), 0);
  EXPECT_STREQ(text, "Could not read result from the URL");
  char out[64];
  char error[ENG_INTERNET_ERROR_TEXT_SIZE];
  EXPECT_EQ(EngInternetConnectAndReadURL(url.c_str(), out, sizeof(out), nullptr, error, nullptr, 5, 0), 0);
  EXPECT_STREQ(error, "Internal Error EIM:04");

  // The score submission's and the download's client.
  CurlInterface curl("Missing", 0);
  EXPECT_EQ(curl.DownloadFromUrl(url.c_str(), nullptr, 64, 0, 5, nullptr), 0);
  EXPECT_EQ(curl.DownloadFromUrlUsingPost(url.c_str(), nullptr, 64, "s=1", 3, 0, 5, nullptr), 0);
  char body[] = "<score/>";
  EXPECT_EQ(curl.UploadToUrl(url.c_str(), body, sizeof(body), 5, nullptr), 0);
  const std::string file = m_data.File("Download.part");
  EXPECT_EQ(curl.DownloadFromUrlToFile(url.c_str(), nullptr, 0, 0, file.c_str(), 5, nullptr), 0);
  EXPECT_FALSE(qwtest::FileExists(file));
  EXPECT_EQ(curl.GetDownloadedData(), nullptr);
  EXPECT_EQ(CurlInterface_IsHttpUrl("http://127.0.0.1/"), 0);

  EXPECT_EQ(CurlInterface_IsCurlInitialised(), 0);
  EXPECT_FALSE(CurlLoaded());
  const std::string log = qwtest::LogText();
  EXPECT_EQ(Count(log, "libcurl could not be loaded"), 1u) << log;
  EXPECT_NE(log.find("libqw-no-such-curl.so.4"), std::string::npos) << log;
}

// The program's start before its window, with the weekly update check not due.
class CurlStartUpTest : public ProgramStartFixture {
 protected:
  void SetUp() override {
    ProgramStartFixture::SetUp();
    if (HasFatalFailure()) return;
    _Resolution saved = SavedDisplaySettings();
    saved.game_version = MainGetGameVersion();
    EngMiscGetTodaysDate(&saved.last_version_check);
    WriteDisplaySettings(saved);
  }
  qwtest::ScopedEnvVar m_xdg{"XDG_DATA_HOME", m_data.Path().c_str()};
};

TEST_F(CurlStartUpTest, TheProgramStartsWithoutLibcurlAndTheFirstTransferLoadsIt) {
  ASSERT_FALSE(CurlLoaded()) << "loaded before start: linked, or loaded by a static initialiser";
  int exit_code = 99;
  ASSERT_EQ(MainCreateAndInitMainProgram(nullptr, 0, nullptr, &exit_code), 1);
  EXPECT_EQ(main_create_window_parms.width, 800) << "the saved settings were not the ones used";
  EXPECT_FALSE(CurlLoaded());
  EXPECT_EQ(CurlInterface_IsCurlInitialised(), 0);

  // The update check's request (to the refused port the tests name) loads it.
  char text[128];
  EXPECT_EQ(UpdaterDoInternetCheck(text, sizeof(text)), 0);
  EXPECT_TRUE(CurlLoaded());
  EXPECT_EQ(CurlInterface_IsCurlInitialised(), 1);
  EXPECT_FALSE(LogHas("libcurl could not be loaded"));
}

// Run alone (as ctest does), both threads find libcurl unloaded.
TEST(CurlThreadsTest, TwoThreadsAtTheirFirstTransferLoadAndSetItUpOnce) {
  DebugResetForTests();
  qwtest::HttpTestServer server;
  ASSERT_NE(server.Port(), 0);
  server.Reply("/a", "first");
  server.Reply("/b", "second");
  signed char results[2] = {0, 0};
  char replies[2][32] = {};
  auto read = [&](int i, const char *path) {
    results[i] = EngInternetConnectAndReadURL(server.Url(path).c_str(), replies[i], sizeof(replies[i]), nullptr,
                                              nullptr, nullptr, 5, 0);
  };
  std::thread a(read, 0, "/a");
  std::thread b(read, 1, "/b");
  a.join();
  b.join();
  EXPECT_EQ(results[0], 1);
  EXPECT_EQ(results[1], 1);
  EXPECT_STREQ(replies[0], "first");
  EXPECT_STREQ(replies[1], "second");
  EXPECT_TRUE(CurlLoaded());
  EXPECT_FALSE(LogHas("curl_global_init() failed"));
}

}  // namespace
