// The log viewer without a display: what LoadLogs makes of log files the test writes, the
// viewer's layout on the five device layouts, and a copy that cannot reach the clipboard (no
// SDL video here). The display test clicks the real screen and reads the real clipboard.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngFont.h"
#include "Engine/EngIndexedList.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinPanel.h"
#include "screens/LogCC.h"
#include "screens/ScreenLayout.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class LogCCTest : public qwtest::MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    mwin->GetFonts()->AddUserFontPointer("Main", &m_font);
    m_log.m_mwin = mwin;
  }
  // The log at the given path; nothing the test reports may truncate it.
  void UseLog(const std::string &path) {
    ASSERT_EQ(DebugSetLogFilename(path.c_str(), 0), 1);
    DebugAppendToExistingLogFile();
  }
  std::vector<std::string> Entries() {
    std::vector<std::string> lines;
    for (int i = 0; i < m_log.GetNumLogEntries(); i++) lines.push_back(m_log.GetLogEntry(i));
    return lines;
  }
  MWinPanel *Panel() { return dynamic_cast<MWinPanel *>(m_log.mwinLogMainWinLogButton); }

  qwtest::TempDir m_home;
  EngFont m_font;
  EngIndexedList m_entries{0};
  LogCC m_log{&m_entries};
};

std::string Lines(int from, int to) {
  std::string text;
  for (int i = from; i <= to; i++) text += "line " + std::to_string(i) + "\n";
  return text;
}

TEST_F(LogCCTest, LoadLogsKeepsTheLastLinesOfTheFileAsTheyShouldBeShown) {
  const std::string long_line(600, 'x');
  struct Case {
    const char *name;
    std::string content;  // nullptr-like: "<missing>" writes no file
    int count;
    std::vector<std::pair<int, std::string>> expect;  // index, entry (-1 counts from the end)
  };
  std::string blanks;
  for (int i = 1; i <= 20000; i++) blanks += "line " + std::to_string(i) + (i % 3 ? "\n" : "\n\n\r\n");
  const Case cases[] = {
      {"empty", "", 0, {}},
      {"missing", "<missing>", 0, {}},
      {"exactly 20000", Lines(1, 20000), 20000, {{0, "line 1"}, {-1, "line 20000"}}},
      {"20001", Lines(1, 20001), 20001, {{0, "(Entries Truncated)"}, {1, "line 2"}, {-1, "line 20001"}}},
      {"blank lines do not count", blanks, 20000, {{0, "line 1"}, {-1, "line 20000"}}},
      {"a 600-character line", "a\n" + long_line + "\r\nb\n", 4,
       {{0, "a"}, {1, std::string(511, 'x')}, {2, std::string(89, 'x')}, {3, "b"}}},
      {"bars, Latin-1 and carriage returns", "a|b||\r\nna\xefve \xe9t\xe9\r\n", 2,
       {{0, "a>b>>"}, {1, "na\xefve \xe9t\xe9"}}},
      {"a NUL ends its piece", std::string("abc\0def\nghi\n", 12), 2, {{0, "abc"}, {1, "ghi"}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    qwtest::TempDir dir;
    const std::string path = dir.File("LogFile.txt");
    if (c.content != "<missing>") qwtest::WriteWholeFile(path, c.content);
    UseLog(path);
    std::string log = qwtest::Logged([&] { m_log.LoadLogs(); });
    EXPECT_EQ(log, "");
    ASSERT_EQ(m_log.GetNumLogEntries(), c.count);
    const std::vector<std::string> entries = Entries();
    for (const auto &e : c.expect) EXPECT_EQ(entries[size_t(e.first < 0 ? c.count + e.first : e.first)], e.second);
    if (c.count == 0) {
      EXPECT_STREQ(m_log.FillLogPanel(0), "No log entries.");
      EXPECT_STREQ(m_log.FillLogPanel(1), "");
    } else {
      EXPECT_STREQ(m_log.FillLogPanel(0), entries[0].c_str());
      EXPECT_STREQ(m_log.FillLogPanel(c.count), "");
      EXPECT_STREQ(m_log.GetLogEntry(-1), "");
    }
  }
  m_log.Exit();
  EXPECT_EQ(m_log.GetNumLogEntries(), 0);
}

TEST_F(LogCCTest, AFolderAtTheLogsPathShowsTheMessagesInMemory) {
  const std::string path = m_home.File("LogFile.txt");
  ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
  UseLog(path);
  DebugInfo("Before the viewer | opened.");
  std::string log = qwtest::Logged([&] { m_log.LoadLogs(); });
  EXPECT_NE(log.find("( LogCC::LoadLogs )    Could not load logfile."), std::string::npos) << log;
  const std::vector<std::string> entries = Entries();
  ASSERT_FALSE(entries.empty());
  bool before = false, report = false;
  for (const std::string &e : entries) {
    EXPECT_FALSE(e.empty());
    before |= e.find("Before the viewer | opened.") != std::string::npos;
    report |= e.find("Could not load logfile.") != std::string::npos;
  }
  EXPECT_TRUE(before);
  EXPECT_TRUE(report);
}

TEST_F(LogCCTest, EachDeviceLayoutHasItsRectanglesTextsAndTokens) {
  struct Case {
    int layout;
    const char *id;  // null: the window
    _Dimension area;
    const char *text, *token;
  };
  const Case cases[] = {
      {0, nullptr, {0, 30, 640, 450}, "Log Entries", ""},
      {0, "Log", {10, 5, 620, 390}, nullptr, ""},
      {0, "CopySel", {20, 405, 140, 35}, "Copy selected line(s)", "Logs_CopySel"},
      {0, "CopyAll", {175, 405, 100, 35}, "Copy all lines", "Logs_CopyAll"},
      {0, "Help", {290, 405, 30, 35}, "?", ""},
      {0, "Clear", {570, 405, 50, 35}, "Clear", "Logs_Clear"},
      {1, nullptr, {0, 50, 640, 430}, "Log Entries", ""},
      {1, "CopySel", {5, 380, 245, 45}, "Copy Selected", ""},
      {2, "CopyAll", {220, 370, 160, 45}, "Copy All", ""},
      {3, "Help", {415, 415, 45, 25}, "?", ""},
      {3, "CopySel", {10, 415, 220, 25}, "Copy Selected Lines", ""},
      {4, "Clear", {540, 400, 85, 35}, "Clear", ""},
      {4, "CopyAll", {220, 400, 135, 35}, "Copy All Lines", ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.layout) + " " + (c.id ? c.id : "window"));
    mwin->SetScreenLayout(_EngLayout(c.layout));
    LogCC viewer(&m_entries);
    ASSERT_EQ(viewer.CreateCollection(mwin), 1);
    MWinWindow *window = viewer.mwinLogMainWinWindow;
    ASSERT_NE(window, nullptr);
    EXPECT_NE(window->GetHideButton(), nullptr);
    for (MWinButton *b : {viewer.mwinLogMainWinCopySelButton, viewer.mwinLogMainWinLogButton,
                          viewer.mwinLogMainWinCopyAllButton, viewer.mwinLogMainWinHelpButton,
                          viewer.mwinLogMainWinClearButton})
      EXPECT_NE(b, nullptr);
    const _Dimension *a = nullptr;
    if (c.id) {
      MWinButton *b = window->GetButtonFromID(c.id, 0);
      ASSERT_NE(b, nullptr);
      a = b->GetOrigArea();
      if (c.text) {
        EXPECT_STREQ(b->GetTextP(), c.text);
      }
      // The tokens go in once the texts are loaded: the display test sees them; here the
      // phone and tablet texts at least must be their own.
      if (!c.token[0]) {
        EXPECT_EQ(b->IsLanguageTokenMode(), 0);
      }
      EXPECT_STREQ(b->GetFontID(), "Main");
    } else {
      a = window->GetOrigArea();
      EXPECT_STREQ(window->GetCreateInfo()->title_text, c.text);
      EXPECT_STREQ(window->GetCreateInfo()->hide_button_text, "Back");
    }
    EXPECT_FLOAT_EQ(a->x, c.area.x);
    EXPECT_FLOAT_EQ(a->y, c.area.y);
    EXPECT_FLOAT_EQ(a->width, c.area.width);
    EXPECT_FLOAT_EQ(a->height, c.area.height);
    Desktop()->RemoveAllCollections();
  }
  // Only the desktop's window names its language tokens.
  EXPECT_STREQ(LogCollectionController::GetLayout().windows[0].record.title_token, "Logs_Title");
  EXPECT_STREQ(LogCollectionController::GetLayout().windows[0].record.hide_token, "Common_ButtonGoBack");
  EXPECT_STREQ(LogCollectionController::GetDeviceLayout().windows[0].record.title_token, "");
  EXPECT_STREQ(LogCollectionController::GetDeviceLayout().windows[0].record.hide_token, "");
}

TEST_F(LogCCTest, ACopyThatCannotReachTheClipboardSaysSoAndChangesNothing) {
  const std::string path = m_home.File("LogFile.txt");
  qwtest::WriteWholeFile(path, Lines(1, 10));
  UseLog(path);
  ASSERT_EQ(m_log.CreateCollection(mwin), 1);
  m_log.StartingCB(nullptr);
  ASSERT_EQ(m_log.GetNumLogEntries(), 10);
  MWinPanel *panel = Panel();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->PanelGetNumEntries(), 10);
  EXPECT_FLOAT_EQ(panel->GetTransparency(), 0.6f);
  panel->PanelSetPos(3, 0, 0);
  panel->PanelSetPos(7, 0, 0);
  ASSERT_EQ(panel->PanelGetNumSelectedItems(), 2);
  for (MWinButton *button : {m_log.mwinLogMainWinCopySelButton, m_log.mwinLogMainWinCopyAllButton}) {
    _MWinButtonCallbackInfo info = {};
    info.button = button;
    std::string log = qwtest::Logged([&] { EXPECT_EQ(m_log.ButtonsCallback(button, &info), 1); });
    ASSERT_EQ(mwin->PopupIsOn(), 1);
    EXPECT_STREQ(mwin->PopupGetWindow()->GetButtonFromID("MSG", 0)->GetTextP(),
                 "A problem occurred copying the log to the clipboard.");
    mwin->PopupTurnOff();
    EXPECT_EQ(m_log.GetNumLogEntries(), 10);
    EXPECT_EQ(panel->PanelGetNumSelectedItems(), 2);
    EXPECT_EQ(panel->PanelGetNthSelectedItemNum(0), 3);
    // The reports follow the lines; the lines stay.
    EXPECT_EQ(qwtest::ReadWholeFile(path).compare(0, Lines(1, 10).size(), Lines(1, 10)), 0);
    EXPECT_NE(log.find("Clipboard not available"), std::string::npos) << log;
  }
  // A widget of another screen is not the viewer's.
  _MWinButtonCallbackInfo info = {};
  EXPECT_EQ(m_log.ButtonsCallback(nullptr, &info), 0);
}

}  // namespace
