#include "Engine/EngVarious.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngProgram.h"
#include "Engine/EngToolkit.h"
#include "Engine/EngWindow.h"

char various_online_str[VARIOUS_ONLINE_STR_SIZE];
char various_closing_program = 0;
const char *const various_tallowmere_home_page = "https://tallowmere.example.com";

enum { GO_ONLINE_QUIT_FIRST = 1, GO_ONLINE_FULL_SCREEN = 2 };

void VariousResetForTests() {
  various_online_str[0] = 0;
  various_closing_program = 0;
  VariousSetBrowserOpenerForTests(nullptr);
}

static void AfterExitGoOnline() { VariousGoOnlineNow(various_online_str); }

static void OpenNow(MWin *mwin, char confirmed_in_full_screen) {
  // Switching a full-screen window to windowed before the browser comes up belongs to
  // the window, which has no full-screen mode yet.
  (void)confirmed_in_full_screen;
  if (mwin && EngToolkitIsOn(mwin) && !EngToolkitPopupIsOn(mwin))
    EngToolkitPopupNoticeShowItAndRemoveIt(mwin, nullptr, "Opening browser...");
  VariousGoOnlineNow(various_online_str);
}

static void GoOnlineAfterAsking(MWin *mwin, int flags, char confirmed) {
  if (flags & GO_ONLINE_QUIT_FIRST) {
    various_closing_program = 1;
    if (eng_main_program) {
      // The main loop ends by itself and the program exits in order; the page opens after.
      // Exiting from here would delete the program under the callback that got us here.
      eng_main_program->SetAfterExitCB(AfterExitGoOnline);
      eng_main_program->SetExitingFlag();
      return;
    }
  }
  OpenNow(mwin, confirmed && (flags & GO_ONLINE_FULL_SCREEN));
}

static void GoOnlineAnswered(MWin *mwin, EngInt32 answer, void *user_data) {
  if (answer != 1) return;
  GoOnlineAfterAsking(mwin, int(reinterpret_cast<intptr_t>(user_data)), 1);
}

void VariousGoOnline(MWin *mwin, const char *question, const char *url, char ask_full_screen, char ask_windowed,
                     char quit_first_full_screen, char quit_first_windowed) {
  if (!url) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  if (strlen(url) > VARIOUS_MAX_URL_LENGTH) {
    DebugErrorAlt(ENG_FUNC, "Path too long");
    return;
  }
  if (url != various_online_str && strcmp(url, various_online_str) != 0)
    EngSafeStrcpy(various_online_str, url, sizeof(various_online_str));
  bool full_screen = eng_main_window_windowed == 0;
  char ask = full_screen ? ask_full_screen : ask_windowed;
  char quit_first = full_screen ? quit_first_full_screen : quit_first_windowed;
  int flags = (quit_first ? GO_ONLINE_QUIT_FIRST : 0) | (full_screen ? GO_ONLINE_FULL_SCREEN : 0);
  if (ask && mwin) {
    // The language texts take over these defaults once they are loaded.
    const char *text = question ? question : quit_first ? "Exit Program and Go Online ?" : "Go Online ?";
    if (EngToolkitPopupOkCancel(mwin, nullptr, text, GoOnlineAnswered, reinterpret_cast<void *>(intptr_t(flags))))
      return;
  }
  GoOnlineAfterAsking(mwin, flags, 0);
}

void VariousGoOnlineToTallowmere(MWin *mwin, const char *question, const char *page_path, char ask_full_screen,
                                 char ask_windowed, char quit_first_full_screen, char quit_first_windowed) {
  char url[VARIOUS_ONLINE_STR_SIZE];
  int n = page_path ? snprintf(url, sizeof(url), "%s/%s", various_tallowmere_home_page, page_path)
                    : snprintf(url, sizeof(url), "%s", various_tallowmere_home_page);
  if (n < 0 || n > VARIOUS_MAX_URL_LENGTH) {
    DebugErrorAlt(ENG_FUNC, "Path too long");
    return;
  }
  EngSafeStrcpy(various_online_str, url, sizeof(various_online_str));
  VariousGoOnline(mwin, question, various_online_str, ask_full_screen, ask_windowed, quit_first_full_screen,
                  quit_first_windowed);
}

char VariousGoOnlineNow(const char *url) {
  if (!url || !*url) {
    DebugErrorAlt(ENG_FUNC, "No url");
    return 0;
  }
  return VariousGoOnlineNow_MAC(url);
}

char VariousAreClipboardFunctionsImplemented() { return 1; }
