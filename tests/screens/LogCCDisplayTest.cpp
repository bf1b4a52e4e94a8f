// The log viewer in the real program under Xvfb, reached from the about screen, pressed
// with SDL mouse and key events, with the real SDL clipboard read back: Ctrl-clicked rows
// copied in order under the header, Copy all, the popups of an empty log, no selection and
// help, Clear and Back.
#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <ctime>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngMain.h"
#include "Engine/EngMiscDate.h"
#include "Engine/EngProgram.h"
#include "Engine/EngVarious.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinPanel.h"
#include "Engine/MWin/MWinWindow.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Main.h"
#include "game/Program.h"
#include "players/UserClass.h"
#include "players/UserScreens.h"
#include "screens/AboutCC.h"
#include "screens/LogCC.h"
#include "screens/MainCC.h"
#include "screens/MainControl.h"
#include "screens/VQ_Screens.h"
#include "tests/screens/ScreensProgramTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

// 3 March 2031, 9:05 local time: the header's date and time.
time_t FixedNow() {
  struct tm t = {};
  t.tm_year = 2031 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 3;
  t.tm_hour = 9;
  t.tm_min = 5;
  t.tm_isdst = -1;
  return mktime(&t);
}

class LogCCDisplayTest : public qwtest::ScreensProgramTest {
 protected:
  void BeforeProgramStart() override {
    EngMiscDateResetForTests();
    EngMiscSetClockForTests(FixedNow);
  }
  void SetUp() override {
    ScreensProgramTest::SetUp();
    if (HasFatalFailure()) return;
    m_log_path = DebugGetLogFilename();
  }
  void TearDown() override {
    DebugSetLogFilename(m_log_path.c_str(), 0);
    ScreensProgramTest::TearDown();
    EngMiscDateResetForTests();
  }

  LogCC *Viewer() { return main_game->GetScreens()->GetLogCC(); }
  MWinPanel *Panel() { return dynamic_cast<MWinPanel *>(Viewer()->mwinLogMainWinLogButton); }
  void OpenViewer() {
    main_game->GetScreens()->GotoScreen(LOGS_SCREEN_ID, nullptr);
    Frames(2);
    ASSERT_EQ(Root()->GetCurrentScreen(), LOGS_SCREEN_ID);
    ASSERT_NE(Panel(), nullptr);
  }
  // A left click at a point in design units (the window is of the design size), where the
  // pointer is left alone.
  void ClickAt(float dx, float dy) { PushClick(int(dx * eng_main_window_x_ratio), int(dy * eng_main_window_y_ratio)); }
  void Click(MWinButton *button) {
    ASSERT_NE(button, nullptr);
    const _Dimension *a = button->GetActualArea();
    ClickAt(a->x + a->width / 2, a->y + a->height / 2);
  }
  void Ctrl(bool down) {
    SDL_Event e = {};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = SDL_GetWindowID(Native());
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = SDLK_LCTRL;
    e.key.keysym.scancode = SDL_SCANCODE_LCTRL;
    e.key.keysym.mod = down ? KMOD_LCTRL : KMOD_NONE;
    Push(e);
  }
  void CtrlClickRow(int row) {
    _Dimension r;
    ASSERT_EQ(Panel()->PanelGetNthItemsDimension(row, &r), 1) << row;
    Ctrl(true);
    ClickAt(r.x + 20, r.y + r.height / 2);
    Ctrl(false);
  }
  // The popup's message, and the popup put away; "" when none is up.
  std::string TakePopup() {
    if (!Root()->PopupIsOn()) return "";
    std::string text = Root()->PopupGetWindow()->GetButtonFromID("MSG", 0)->GetTextP();
    Root()->PopupTurnOff();
    Frames(1);
    return text;
  }
  std::string Clipboard() {
    char *text = SDL_GetClipboardText();
    std::string copy = text ? text : "";
    SDL_free(text);
    return copy;
  }
  std::string Header(const char *lead) {
    struct tm t = {};
    time_t now = FixedNow();
    localtime_r(&now, &t);
    char text[128];
    snprintf(text, sizeof(text), "%s for Quarrelwick version 2.01 [Linux, %d/%02d/%04d %d:%02d]\n\n", lead, t.tm_mday,
             t.tm_mon + 1, t.tm_year + 1900, t.tm_hour, t.tm_min);
    return text;
  }

  std::string m_log_path;
};

TEST_F(LogCCDisplayTest, TheViewerCopiesClearsAndGoesBack) {
  ASSERT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
  Click(main_game->GetScreens()->GetMainCC()->mwinMainMainAboutButton);
  ASSERT_EQ(Root()->GetCurrentScreen(), ABOUT_SCREEN_ID);
  // More lines than a page, so the viewer has to scroll to its end.
  for (int i = 0; i < 60; i++) DebugInfo("Before the viewer, line %d", i);
  DebugInfo("Caf\xe9 | bar");
  // About, then Logs.
  Click(main_game->GetScreens()->GetAboutCC()->mwinAboutAboutLogsButton);
  ASSERT_EQ(Root()->GetCurrentScreen(), LOGS_SCREEN_ID);
  LogCC *viewer = Viewer();
  const int n = viewer->GetNumLogEntries();
  ASSERT_GE(n, 10);
  EXPECT_NE(std::string(viewer->GetLogEntry(n - 1)).find("Caf\xe9 > bar"), std::string::npos);
  MWinPanel *panel = Panel();
  EXPECT_EQ(panel->PanelGetNumEntries(), n);
  EXPECT_FLOAT_EQ(panel->GetTransparency(), 0.6f);
  // Opened at its end.
  EXPECT_GT(n, panel->PanelGetNumEntriesPerPage());
  EXPECT_FLOAT_EQ(panel->PanelGetDisplayPos(), float(n - panel->PanelGetNumEntriesPerPage()));
  EXPECT_EQ(panel->PanelGetNumSelectedItems(), 0);
  // The desktop's texts come through their tokens.
  MWinWindow *window = viewer->mwinLogMainWinWindow;
  EXPECT_STREQ(window->GetCreateInfo()->title_lang_token, "Logs_Title");
  EXPECT_STREQ(window->GetCreateInfo()->hide_button_lang_token, "Common_ButtonGoBack");
  EXPECT_STREQ(viewer->mwinLogMainWinCopySelButton->GetLanguageToken(), "Logs_CopySel");
  EXPECT_STREQ(viewer->mwinLogMainWinCopySelButton->GetTextP(), "Copy selected line(s)");
  for (MWinButton *b : {viewer->mwinLogMainWinCopySelButton, viewer->mwinLogMainWinCopyAllButton,
                        viewer->mwinLogMainWinHelpButton})
    EXPECT_EQ(b->IsShown(), 1);

  // Rows 7 and 3, Ctrl-clicked in that order, copy as row 3 then row 7.
  panel->PanelSetDisplayPos(0);
  Frames(1);
  CtrlClickRow(7);
  CtrlClickRow(3);
  ASSERT_EQ(panel->PanelGetNumSelectedItems(), 2);
  // The rows are drawn: light text over the dark panel, and the shot is left for a person to see.
  std::vector<unsigned char> frame = Frame();
  EXPECT_TRUE(EngJpegWriteFileFromBuffer((qwtest::BinaryDir() + "/LogViewerShot.jpg").c_str(), 90, 72, 640, 480,
                                         frame.data()));
  _Dimension rows = *panel->GetActualArea();
  int light = 0;
  for (int y = int(rows.y); y < int(rows.y + rows.height); y++)
    for (int x = int(rows.x); x < int(rows.x + rows.width); x++) {
      const unsigned char *c = &frame[(size_t(y) * 640 + size_t(x)) * 3];
      light += c[0] + c[1] + c[2] > 360 ? 1 : 0;
    }
  EXPECT_GT(light, 2000);
  ASSERT_EQ(SDL_SetClipboardText("before"), 0);
  Click(viewer->mwinLogMainWinCopySelButton);
  EXPECT_EQ(TakePopup().rfind("Copy successful.", 0), 0u);
  EXPECT_EQ(Clipboard(), Header("Selected log entries") + viewer->GetLogEntry(3) + "\n" + viewer->GetLogEntry(7) +
                             "\n");
  EXPECT_EQ(panel->PanelGetNumSelectedItems(), 2);

  // Copy all: every line, the bar as '>' and the Latin-1 letter as UTF-8.
  Click(viewer->mwinLogMainWinCopyAllButton);
  EXPECT_EQ(TakePopup().rfind("Copy successful.", 0), 0u);
  std::string all = Header("Log entries");
  for (int i = 0; i < n; i++) all += std::string(viewer->GetLogEntry(i)) + "\n";
  const std::string copied = Clipboard();
  EXPECT_EQ(copied.size(), all.size() + 1);  // one two-byte letter
  EXPECT_EQ(copied.rfind(Header("Log entries"), 0), 0u);
  EXPECT_NE(copied.find("Caf\xc3\xa9 > bar\n"), std::string::npos) << copied;

  // Nothing selected; help.
  CtrlClickRow(3);
  CtrlClickRow(7);
  ASSERT_EQ(panel->PanelGetNumSelectedItems(), 0);
  Click(viewer->mwinLogMainWinCopySelButton);
  EXPECT_EQ(TakePopup(), "You have not selected any lines.");
  Click(viewer->mwinLogMainWinHelpButton);
  EXPECT_EQ(TakePopup().rfind("Use the copy buttons to copy the log entries to the system clipboard.", 0), 0u);

  // Clear: the file and the store start afresh with the report, and the viewer shows it.
  Click(viewer->mwinLogMainWinClearButton);
  ASSERT_GE(viewer->GetNumLogEntries(), 1);
  EXPECT_NE(std::string(viewer->GetLogEntry(0)).find("Cleared logs."), std::string::npos) << viewer->GetLogEntry(0);
  EXPECT_NE(qwtest::ReadWholeFile(m_log_path).find("Cleared logs."), std::string::npos);
  EXPECT_EQ(qwtest::ReadWholeFile(m_log_path).find("Caf"), std::string::npos);
  EXPECT_EQ(Panel()->PanelGetNumEntries(), viewer->GetNumLogEntries());

  // Back (the title bar's button) returns to the about screen and empties the lines.
  Click(viewer->mwinLogMainWinWindow->GetHideButton());
  Frames(1);
  EXPECT_EQ(Root()->GetCurrentScreen(), ABOUT_SCREEN_ID);
  EXPECT_EQ(viewer->GetNumLogEntries(), 0);
  EXPECT_EQ(viewer->mwinLogMainWinWindow, nullptr);
}

TEST_F(LogCCDisplayTest, AnEmptyLogShowsOneRowAndCopiesNothing) {
  // A log in a folder that does not exist: missing, and nothing reported writes it.
  ASSERT_EQ(DebugSetLogFilename(m_home.File("none/LogFile.txt").c_str(), 0), 1);
  OpenViewer();
  EXPECT_EQ(Viewer()->GetNumLogEntries(), 0);
  EXPECT_EQ(Panel()->PanelGetNumEntries(), 1);
  EXPECT_STREQ(Panel()->PanelGetStringAtPos(0), "No log entries.");
  ASSERT_EQ(SDL_SetClipboardText("as it was"), 0);
  for (MWinButton *button : {Viewer()->mwinLogMainWinCopyAllButton, Viewer()->mwinLogMainWinCopySelButton}) {
    Click(button);
    EXPECT_EQ(TakePopup(), "There are no log entries to copy.");
    EXPECT_EQ(Clipboard(), "as it was");
  }
  // Clicking the lone row selects nothing to copy either.
  _Dimension r;
  ASSERT_EQ(Panel()->PanelGetNthItemsDimension(0, &r), 1);
  ClickAt(r.x + 20, r.y + r.height / 2);
  Click(Viewer()->mwinLogMainWinCopySelButton);
  EXPECT_EQ(TakePopup(), "There are no log entries to copy.");
  EXPECT_EQ(Clipboard(), "as it was");
}

}  // namespace
