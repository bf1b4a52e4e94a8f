// The update service's state shared by its files (the check and the download); nothing else
// reads it.
#pragma once

#include <string>

#include "Engine/MWin/SWin.h"
#include "online/Updater.h"

extern SWin up_swin;
extern int up_text_but;
extern char up_url[UPDATER_URL_SIZE];
extern char up_html[UPDATER_HTML_SIZE];
extern char up_link[UPDATER_LINK_SIZE];
extern char up_str[UPDATER_STR_SIZE];
extern _UpdaterProgramName up_program_name;
extern const char *up_program_str;
extern const char *up_platform_str;
extern char up_do_download;
extern char up_custom_download;

// A text of the player's through its language token, in plain ASCII; %1 and %2 replaced.
std::string UpdaterText(const char *token, const char *english, const char *arg1 = nullptr,
                        const char *arg2 = nullptr);
// Opens the module's window (centred, no title) with the given size; 0 when there is none.
char UpdaterOpenDialog(int width, int height);
void UpdaterCloseDialog();
// 0 when the window is gone or its loop was quit.
char UpdaterIsDialogRunning();
void UpdaterResetDownloadForTests();
