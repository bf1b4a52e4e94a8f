// The update service: the weekly version check run at start-up, the check against the update
// server shown in a small native window (SWin), and the download of a newer build (or another
// program's, for the other-games screen) to the user's Desktop. Nothing downloaded is opened.
#pragma once

#include <cstddef>
#include <string>

#include "Engine/EngMiscDate.h"
#include "Engine/EngTypes.h"
#include "Engine/Resolution.h"

class SWin;

enum _UpdaterProgramName : EngUInt32 {
  UPDATER_PROGRAM_NONE = 0,
  UPDATER_PROGRAM_QUARRELWICK = 3,
  UPDATER_PROGRAM_NO_CHECK = 17,
};

enum {
  UPDATER_URL_SIZE = 512,
  UPDATER_HTML_SIZE = 2048,
  UPDATER_LINK_SIZE = 256,
  UPDATER_STR_SIZE = 1024,
  // Longer names are cut: a file name for the Desktop, not a place to carry data.
  UPDATER_MAX_FILE_NAME = 100,
};

// A stored date of seven days ago or more, or none at all (all zero), makes the check due: today's
// date is stored in place before it runs, whatever its outcome. Returns 0 when nothing was
// checked or nothing downloaded, else the check's result (start-up then ends).
char UpdaterDoWeeklyVersionCheck(_EngMiscDate *last_check, _UpdaterProgramName program, float version);
// The version check: 1 when the user chose "Download" and a download was attempted, else 0.
char Updater(_UpdaterProgramName program, float version);
// Builds the check's address for the program (0 with "Unknown program name" without a row).
char UpdaterSetupUrl(_UpdaterProgramName program, float version);
// Reads the check's reply into the module's reply buffer, taking the link tag out of it. 0 with
// the reason in the module's error text.
char UpdaterReadURL(const char *url, char check_only);
// Downloads the link (null: the one from the last reply) to the Desktop. 0 for an unusable
// link; 1 once a download was tried, whatever came of it.
char UpdaterStartDownload(const char *link);
// The program's display name, or null with "Unknown program name".
const char *UpdaterGetProgramName(char flag);
// Reads the bare check page: "Internet Test Ok" (at least 33 bytes of text) or the reason.
char UpdaterDoInternetCheck(char *text, int size);

// The window's text control, and a short pass over the window's waiting events.
void UpdaterClearText();
void UpdaterAppendText(const char *text);
void UpdaterProcessWindowMessages();
void UpdaterCloseCB(SWin *swin);
void UpdaterDownloadCB(SWin *swin);
void UpdaterCancelDownloadCB(SWin *swin);
// The download's progress: shows it and handles the dialog; nonzero when it was cancelled.
int UpdaterCurlProgressCB(void *user, long long total_down, long long now_down);
// A larger check window with a text and two link buttons, built on the given window object.
char UpdaterCreateSWinWindow(SWin *swin, float unused1, float unused2, float unused3);

// The reply's link tag "#DL:<...>": cut from the reply (a NUL-terminated text); its link is
// copied into link when the tag's text has 11 to 255 characters. 1 when a link was taken.
char UpdaterTakeLinkFromReply(char *reply, char *link, size_t link_size);
// The Desktop file name for a link: query and fragment dropped, the part after the last '/',
// bytes other than [A-Za-z0-9._-] made '_', leading dots dropped, at most 100 characters.
// Empty when nothing usable is left.
std::string UpdaterSanitiseFileName(const char *link);

// Tests: the download's limits (connect seconds, seconds below 1 KiB/s, bytes), and the
// module's state put back (limits, texts, the window closed).
void UpdaterSetDownloadLimitsForTests(long connect_seconds, long stall_seconds, unsigned long long max_bytes);
void UpdaterResetForTests();
// The last reply and link, as the module holds them.
const char *UpdaterGetReplyForTests();
const char *UpdaterGetLinkForTests();
