// Going online (opening a web page in the user's browser after asking, and when asked
// quitting the program first) and copying text to and from the system clipboard.
// Needs the toolkit hooks for the question and the notice; the platform half is in MAC.
#pragma once

#include "Engine/EngTypes.h"

class MWin;

enum { VARIOUS_ONLINE_STR_SIZE = 512, VARIOUS_MAX_URL_LENGTH = 506 };

extern char various_online_str[VARIOUS_ONLINE_STR_SIZE];
extern char various_closing_program;

// The maker's home page, the base of VariousGoOnlineToTallowmere's addresses.
extern const char *const various_tallowmere_home_page;

void VariousGoOnline(MWin *mwin, const char *question, const char *url, char ask_full_screen, char ask_windowed,
                     char quit_first_full_screen, char quit_first_windowed);
void VariousGoOnlineToTallowmere(MWin *mwin, const char *question, const char *page_path, char ask_full_screen,
                                 char ask_windowed, char quit_first_full_screen, char quit_first_windowed);
// Opens the address at once in the user's browser (xdg-open, the address as one argument).
char VariousGoOnlineNow(const char *url);
char VariousGoOnlineNow_MAC(const char *url);

char VariousAreClipboardFunctionsImplemented();
// Latin-1 text in and out; the clipboard holds UTF-8. Both need SDL's video part up.
char VariousCopyClipboardFromString(const char *text);
char VariousPasteClipboardToString(char *buffer, int size);

// Test seams: the program started in place of xdg-open (it runs even in non-interactive
// mode; null restores xdg-open, which non-interactive runs never start), and a wait for the
// last one started, returning its exit status or -1.
void VariousSetBrowserOpenerForTests(const char *program);
int VariousWaitForBrowserOpenerForTests();
void VariousResetForTests();
