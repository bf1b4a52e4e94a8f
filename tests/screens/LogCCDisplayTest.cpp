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

class LogCCDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
    m_old_cwd = cwd;
    const char *binary = getenv("QW_TEST_BINARY_DIR");
    m_resources = std::string(binary ? binary : ".") + "/resources";
    DebugResetForTests();
    MainResetForTests();
    ResolutionResetForTests();
    MainControlResetForTests();
    VariousResetForTests();
    EngMiscDateResetForTests();
    EngMiscSetClockForTests(FixedNow);
    main_create_window_parms = _EngCreateWindowParms();
    EngProgramSetResourcesPathForTests(m_resources.c_str());
    char arg0[] = "quarrelwick";
    char *argv[] = {arg0, nullptr};
    int exit_code = 0;
    ASSERT_EQ(MainCreateAndInitMainProgram(nullptr, 1, argv, &exit_code), 1);
    main_create_window_parms.windowed = 1;
    main_create_window_parms.width = 640;
    main_create_window_parms.height = 480;
    ASSERT_EQ(EngMainCreateMainWindowAndDevice(), 1);
    Frames(3);
    // The game opens on the first players screen; a player made there leads to the menu.
    ASSERT_EQ(main_game->GetMWin()->GetCurrentScreen(), USERS_SCREEN_ID);
    UserClass *user = main_game->GetUser();
    ASSERT_EQ(user->CreateNewUser("Player", "GB", 0), 1);
    user->AfterUserCreatedOrLoaded(1, 0);
    Frames(2);
    m_log_path = DebugGetLogFilename();
  }
  void TearDown() override {
    DebugSetLogFilename(m_log_path.c_str(), 0);
    MainExitAndDeleteMainProgram(1);
    VariousResetForTests();
    MainControlResetForTests();
    EngProgramSetResourcesPathForTests(nullptr);
    ResolutionResetForTests();
    EngMiscDateResetForTests();
    main_create_window_parms = _EngCreateWindowParms();
    DebugResetForTests();
    ASSERT_EQ(chdir(m_old_cwd.c_str()), 0);
  }

  void Frames(int n) {
    for (int i = 0; i < n && main_program && !main_program->IsExiting(); i++) main_program->DoConstantFrameRateTick();
  }
  MWin *Root() { return main_game->GetMWin(); }
  LogCC *Viewer() { return main_game->GetScreens()->GetLogCC(); }
  MWinPanel *Panel() { return dynamic_cast<MWinPanel *>(Viewer()->mwinLogMainWinLogButton); }
  SDL_Window *Native() { return static_cast<SDL_Window *>(eng_main_window->GetNativeWindow_MAC()); }
  void OpenViewer() {
    main_game->GetScreens()->GotoScreen(LOGS_SCREEN_ID, nullptr);
    Frames(2);
    ASSERT_EQ(Root()->GetCurrentScreen(), LOGS_SCREEN_ID);
    ASSERT_NE(Panel(), nullptr);
  }
  void Push(SDL_Event e) {
    SDL_PushEvent(&e);
    Frames(1);
  }
  // A left click at a point in design units (the window is of the design size).
  void ClickAt(float dx, float dy) {
    int x = int(dx * eng_main_window_x_ratio), y = int(dy * eng_main_window_y_ratio);
    SDL_Event e = {};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = SDL_GetWindowID(Native());
    e.motion.x = x;
    e.motion.y = y;
    Push(e);
    for (int pressed = 1; pressed >= 0; pressed--) {
      e = {};
      e.type = pressed ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
      e.button.windowID = SDL_GetWindowID(Native());
      e.button.button = SDL_BUTTON_LEFT;
      e.button.state = pressed ? SDL_PRESSED : SDL_RELEASED;
      e.button.clicks = 1;
      e.button.x = x;
      e.button.y = y;
      Push(e);
    }
  }
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
  // The frame drawn now, top row first, RGB.
  std::vector<unsigned char> Frame() {
    main_game->Render();
    std::vector<unsigned char> rgba(640 * 480 * 4), rgb(640 * 480 * 3);
    glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    for (size_t y = 0; y < 480; y++)
      for (size_t x = 0; x < 640; x++)
        for (size_t c = 0; c < 3; c++) rgb[(y * 640 + x) * 3 + c] = rgba[((479 - y) * 640 + x) * 4 + c];
    return rgb;
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

  qwtest::TempDir m_home;
  qwtest::ScopedEnvVar m_home_var{"HOME", m_home.Path().c_str()};
  qwtest::ScopedEnvVar m_xdg_data{"XDG_DATA_HOME", (m_home.Path() + "/.local/share").c_str()};
  qwtest::ScopedEnvVar m_xdg_config{"XDG_CONFIG_HOME", (m_home.Path() + "/.config").c_str()};
  std::string m_old_cwd, m_resources, m_log_path;
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
  const char *dir = getenv("QW_TEST_BINARY_DIR");
  EXPECT_TRUE(EngJpegWriteFileFromBuffer((std::string(dir ? dir : ".") + "/LogViewerShot.jpg").c_str(), 90, 72, 640,
                                         480, frame.data()));
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
