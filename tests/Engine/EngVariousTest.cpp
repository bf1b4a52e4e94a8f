// Going online through a spy in place of xdg-open, the question through fake toolkit hooks,
// quitting first through the program's exiting flag, and the clipboard's text conversion.
#include "Engine/EngVarious.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "Engine/EngProgram.h"
#include "Engine/EngToolkit.h"
#include "Engine/EngWindow.h"
#include "tests/support/TestSupport.h"

namespace {

using qwtest::ReadWholeFile;

struct FakeToolkit {
  char on = 1;
  char popup_showing = 0;
  std::vector<std::string> calls;
  EngToolkitOkCancelCB pending = nullptr;
  void *pending_data = nullptr;
};
FakeToolkit *toolkit = nullptr;

MWin *AsMWin(FakeToolkit *t) { return reinterpret_cast<MWin *>(t); }
char IsOn(MWin *) { return toolkit->on; }
char PopupIsOn(MWin *) { return toolkit->popup_showing; }
void OkCancel(MWin *, const char *, const char *text, EngToolkitOkCancelCB cb, void *data) {
  toolkit->calls.push_back(std::string("ask ") + text);
  toolkit->pending = cb;
  toolkit->pending_data = data;
}
char Notice(MWin *, const char *, const char *text) {
  toolkit->calls.push_back(std::string("notice ") + text);
  return 1;
}

class EngVariousTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VariousResetForTests();
    toolkit = &fake;
    _EngToolkitHooks hooks = {IsOn, PopupIsOn, OkCancel, Notice, nullptr, nullptr};
    EngToolkitSetHooks(&hooks);
    spy = dir.File("opener spy");
    qwtest::WriteWholeFile(spy,
                           "#!/bin/sh\n"
                           "printf '%s' \"$#\" > \"$0.count\"\n"
                           "printf '%s' \"$1\" > \"$0.arg\"\n");
    chmod(spy.c_str(), 0755);
    VariousSetBrowserOpenerForTests(spy.c_str());
    saved_windowed = eng_main_window_windowed;
  }
  void TearDown() override {
    VariousWaitForBrowserOpenerForTests();
    VariousResetForTests();
    EngToolkitSetHooks(nullptr);
    toolkit = nullptr;
    eng_main_window_windowed = saved_windowed;
  }
  // What the spy received, after waiting for it; empty when it never ran.
  std::string Opened() {
    if (VariousWaitForBrowserOpenerForTests() != 0) return "";
    EXPECT_EQ(ReadWholeFile(spy + ".count"), "1");
    std::string arg = ReadWholeFile(spy + ".arg");
    unlink((spy + ".arg").c_str());
    return arg;
  }

  qwtest::TempDir dir;
  std::string spy;
  FakeToolkit fake;
  char saved_windowed = 1;
};

TEST_F(EngVariousTest, AddressArrivesWholeAsOneArgument) {
  const char *urls[] = {
      "https://example.com/a page?x=1&y=2",
      "https://example.com/\"quoted\" 'single' $(touch pwned) `id`; rm -rf / | cat > out",
      "https://example.com/*?[a-z]\\n\t~",
      "https://example.com/caf\xe9",  // Latin-1 in the engine, UTF-8 to the browser
  };
  for (const char *url : urls) {
    ASSERT_EQ(VariousGoOnlineNow(url), 1);
    std::string want = url;
    if (want.back() == '\xe9') want = want.substr(0, want.size() - 1) + "\xc3\xa9";
    EXPECT_EQ(Opened(), want);
  }
  EXPECT_FALSE(qwtest::FileExists(dir.File("pwned")));
  EXPECT_EQ(VariousGoOnlineNow(""), 0);
  EXPECT_EQ(VariousGoOnlineNow(nullptr), 0);
}

TEST_F(EngVariousTest, AddressLengthLimit) {
  std::string base = "https://example.com/";
  std::string ok = base + std::string(506 - base.size(), 'a');
  VariousGoOnline(nullptr, nullptr, ok.c_str(), 0, 0, 0, 0);
  EXPECT_EQ(Opened(), ok);
  std::string too_long = ok + "b";
  VariousGoOnline(nullptr, nullptr, too_long.c_str(), 0, 0, 0, 0);
  EXPECT_EQ(Opened(), "");
  EXPECT_EQ(std::string(various_online_str), ok);

  VariousGoOnlineToTallowmere(nullptr, nullptr, "help/page", 0, 0, 0, 0);
  EXPECT_EQ(Opened(), std::string(various_tallowmere_home_page) + "/help/page");
  std::string long_path(506 - strlen(various_tallowmere_home_page), 'p');  // one over with the "/"
  VariousGoOnlineToTallowmere(nullptr, nullptr, long_path.c_str(), 0, 0, 0, 0);
  EXPECT_EQ(Opened(), "");
}

TEST_F(EngVariousTest, AskingChoosesByWindowModeAndWaitsForOk) {
  eng_main_window_windowed = 1;
  VariousGoOnline(AsMWin(&fake), nullptr, "https://example.com/1", 0, 1, 0, 0);
  ASSERT_EQ(fake.calls, (std::vector<std::string>{"ask Go Online ?"}));
  EXPECT_EQ(Opened(), "");  // nothing before the answer
  fake.pending(AsMWin(&fake), 0, fake.pending_data);
  EXPECT_EQ(Opened(), "");  // Cancel
  fake.pending(AsMWin(&fake), 1, fake.pending_data);
  EXPECT_EQ(Opened(), "https://example.com/1");
  EXPECT_EQ(fake.calls.back(), "notice Opening browser...");

  // Full screen uses the first ask byte; a popup on screen suppresses the notice.
  fake.calls.clear();
  fake.popup_showing = 1;
  eng_main_window_windowed = 0;
  VariousGoOnline(AsMWin(&fake), "Really?", "https://example.com/2", 0, 1, 0, 0);
  EXPECT_TRUE(fake.calls.empty());
  EXPECT_EQ(Opened(), "https://example.com/2");
}

class QuietProgram : public EngProgram {};

TEST_F(EngVariousTest, QuitFirstLetsTheLoopEndAndOpensAfterExit) {
  qwtest::WorkingFolder cwd;
  EngProgramSetResourcesPathForTests(dir.Path().c_str());
  {
    QuietProgram program;
    VariousGoOnline(AsMWin(&fake), nullptr, "https://example.com/after", 0, 1, 0, 1);
    ASSERT_EQ(fake.calls, (std::vector<std::string>{"ask Exit Program and Go Online ?"}));
    fake.pending(AsMWin(&fake), 1, fake.pending_data);
    // The callback only asks the loop to end; the program is still whole.
    EXPECT_EQ(eng_main_program, &program);
    EXPECT_EQ(program.IsExiting(), 1);
    EXPECT_EQ(various_closing_program, 1);
    EXPECT_EQ(Opened(), "");
    program.Exit(1);
  }
  EXPECT_EQ(Opened(), "https://example.com/after");
  EngProgramSetResourcesPathForTests(nullptr);
  ASSERT_TRUE(cwd.Restore());
}

TEST_F(EngVariousTest, ClipboardNeedsSdlVideo) {
  char buffer[16];
  EXPECT_EQ(VariousAreClipboardFunctionsImplemented(), 1);
  EXPECT_EQ(VariousCopyClipboardFromString(nullptr), 0);
  EXPECT_EQ(VariousPasteClipboardToString(nullptr, 10), 0);
  EXPECT_EQ(VariousPasteClipboardToString(buffer, 1), 0);
  ASSERT_FALSE(SDL_WasInit(SDL_INIT_VIDEO));
  EXPECT_EQ(VariousCopyClipboardFromString("text"), 0);
  EXPECT_EQ(VariousPasteClipboardToString(buffer, sizeof(buffer)), 0);
}

TEST_F(EngVariousTest, ClipboardConvertsBetweenLatin1AndUtf8) {
  // SDL's dummy video driver keeps the clipboard inside the process.
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  char buffer[32];
  ASSERT_EQ(VariousCopyClipboardFromString("caf\xe9 \xff"), 1);
  char *utf8 = SDL_GetClipboardText();
  EXPECT_STREQ(utf8, "caf\xc3\xa9 \xc3\xbf");
  SDL_free(utf8);
  ASSERT_EQ(VariousPasteClipboardToString(buffer, sizeof(buffer)), 1);
  EXPECT_STREQ(buffer, "caf\xe9 \xff");

  struct Case {
    const char *utf8, *want;
  } cases[] = {
      {"\xe2\x82\xac 5", "? 5"},            // the euro sign has no Latin-1 form
      {"\xf0\x9f\x98\x80!", "?!"},          // nor does anything beyond the BMP
      {"\xc3(", "?("},                       // a cut sequence
      {"\xc0\xa0x", "?x"},                   // an overlong form
      {"\xc2\xa0\xc3\x9f", "\xa0\xdf"},
  };
  for (const Case &c : cases) {
    ASSERT_EQ(SDL_SetClipboardText(c.utf8), 0);
    ASSERT_EQ(VariousPasteClipboardToString(buffer, sizeof(buffer)), 1);
    EXPECT_STREQ(buffer, c.want);
  }
  ASSERT_EQ(VariousCopyClipboardFromString("abcdef"), 1);
  ASSERT_EQ(VariousPasteClipboardToString(buffer, 2), 1);
  EXPECT_STREQ(buffer, "a");
  EXPECT_EQ(VariousCopyClipboardFromString(""), 0);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace
