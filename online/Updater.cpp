#include "online/Updater.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/EngUnicode.h"
#include "Engine/MAC/EngGui_MAC.h"
#include "online/EngInternet.h"
#include "online/OnlineConfig.h"
#include "online/UpdaterPrivate.h"

SWin up_swin;
int up_text_but = -1;
char up_url[UPDATER_URL_SIZE];
char up_html[UPDATER_HTML_SIZE];
char up_link[UPDATER_LINK_SIZE];
char up_str[UPDATER_STR_SIZE];
_UpdaterProgramName up_program_name = UPDATER_PROGRAM_NONE;
const char *up_program_str = nullptr;
const char *up_platform_str = "Linux";
char up_do_download = 0;
char up_custom_download = 0;

static const char kCheckPage[] = "/cgi-bin/common/updater/CheckVersionV2.cgi";
static const char kOutOfDate[] = "is out of date.";
enum { CHECK_TIMEOUT_SECONDS = 5, APPEND_READ_LIMIT = 5000, EVENTS_PER_PASS_LIMIT = 1000 };
static const double kMessageHoldSeconds = 2.0;
static const double kDrawSeconds = 0.25;

// The short name is the update server's key; the display name is what the player reads. Rows
// 1 to 16 (15 unused) are the maker's programs: this game and its other games (GameAds).
struct UpdaterProgramRow {
  const char *short_name;
  const char *display_name;
};
static const UpdaterProgramRow updater_programs[UPDATER_PROGRAM_NO_CHECK] = {
    {nullptr, nullptr},               // 0: none
    {"QuillibrookFerry", "Quillibrook Ferry"},            // 1
    {"MossgrubbleMines", "Mossgrubble Mines"},            // 2
    {"Quarrelwick", "Quarrelwick"},                       // 3: this game
    {"ThimblewickBakery", "Thimblewick Bakery"},          // 4
    {"CobblefluteCaravan", "Cobbleflute Caravan"},        // 5
    {"LarkspindleLighthouse", "Larkspindle Lighthouse"},  // 6
    {"PebblequayHarbour", "Pebblequay Harbour"},          // 7
    {"HollyrattleHives", "Hollyrattle Hives"},            // 8
    {"GusterbyBalloons", "Gusterby Balloons"},            // 9
    {"FernwhistleOrchard", "Fernwhistle Orchard"},        // 10
    {"TumblecrumbCastle", "Tumblecrumb Castle"},          // 11
    {"WickerwaneOwls", "Wickerwane Owls"},                // 12
    {"DrizzlemoorGolf", "Drizzlemoor Golf"},              // 13
};

static const UpdaterProgramRow *RowOf(_UpdaterProgramName program) {
  if (EngUInt32(program) < 1 || EngUInt32(program) >= UPDATER_PROGRAM_NO_CHECK || program == 15) return nullptr;
  const UpdaterProgramRow *row = &updater_programs[program];
  return row->short_name && row->display_name ? row : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Texts and the window

std::string UpdaterText(const char *token, const char *english, const char *arg1, const char *arg2) {
  EngUnicode text(EngLanguagesGetStringIfExists(token, english), 1);
  return EngLanguagesFillArgs(text.GetAsciiString(0, 0), arg1, arg2);
}

char UpdaterOpenDialog(int width, int height) {
  up_text_but = -1;
  if (up_swin.IsCreated()) up_swin.DestroyMainWindow();
  _SWinCreateInfo info = {};
  info.x = -1;
  info.y = -1;
  info.width = width;
  info.height = height;
  return up_swin.CreateMainWindow(&info);
}

void UpdaterCloseDialog() {
  up_text_but = -1;
  if (up_swin.IsCreated()) up_swin.DestroyMainWindow();
}

char UpdaterIsDialogRunning() {
  // Asking handles one waiting event too, which is what every caller wants anyway.
  return up_swin.IsCreated() && up_swin.ProcessAnyWindowsMessages() != 0;
}

void UpdaterProcessWindowMessages() {
  if (!up_swin.IsCreated()) return;
  int idle = 0, handled = 0;
  while (idle < 100 && handled < EVENTS_PER_PASS_LIMIT) {
    char result = up_swin.ProcessAnyWindowsMessages();
    if (result == 0) return;
    if (result == 2) {
      handled++;
      continue;
    }
    EngMiscCallPlatformSleepFunc(0.0001);
    idle++;
  }
}

void UpdaterClearText() {
  if (up_text_but < 0) return;
  up_swin.SetButtonText(up_text_but, "");
  UpdaterProcessWindowMessages();
}

void UpdaterAppendText(const char *text) {
  if (up_text_but < 0 || !text || !text[0]) return;
  char current[APPEND_READ_LIMIT + 1];
  if (!up_swin.GetButtonText(up_text_but, current, sizeof(current))) current[0] = 0;
  std::string joined = std::string(current) + text;
  up_swin.SetButtonText(up_text_but, joined.c_str());
  UpdaterProcessWindowMessages();
}

// Keeps a message readable for a moment while the window stays responsive; closing the window
// ends the wait. Nobody reads it in a non-interactive run.
static void HoldMessage(double seconds) {
  UpdaterProcessWindowMessages();
  if (!up_swin.IsCreated() || EngGuiIsNonInteractive_MAC()) return;
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    char result = up_swin.ProcessAnyWindowsMessages();
    if (result == 0) return;
    if (result == 1) EngMiscCallPlatformSleepFunc(0.005);
  }
}

// The check's read blocks the window for up to its time-out: the server draws a newly shown
// window a little later, so give it that moment first, or the player sees an empty window.
static void LetWindowDraw() {
  HoldMessage(kDrawSeconds);
}

void UpdaterCloseCB(SWin *swin) {
  if (swin) swin->QuitWindowLoop();
}

void UpdaterDownloadCB(SWin *swin) {
  up_do_download = 1;
  if (swin) swin->QuitWindowLoop();
}

void UpdaterCancelDownloadCB(SWin *swin) {
  DebugInfoAlt(ENG_FUNC, "CANCEL");
  if (swin) swin->QuitWindowLoop();
}

// ---------------------------------------------------------------------------------------------
// The check

const char *UpdaterGetProgramName(char) {
  const UpdaterProgramRow *row = RowOf(up_program_name);
  if (!row) {
    DebugErrorAlt(ENG_FUNC, "Unknown program name");
    return nullptr;
  }
  return row->display_name;
}

static std::string UpdateBase() {
  std::string base = OnlineConfigGetUpdateBaseURL();
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base;
}

char UpdaterSetupUrl(_UpdaterProgramName program, float version) {
  const UpdaterProgramRow *row = RowOf(program);
  if (!row) {
    DebugErrorAlt(ENG_FUNC, "Unknown program name");
    return 0;
  }
  up_program_name = program;
  up_program_str = row->short_name;
  char version_text[32];
  snprintf(version_text, sizeof(version_text), "%.3f", double(version));
  char *platform = EngInternetURLEncodeString(up_platform_str);
  char *name = EngInternetURLEncodeString(up_program_str);
  char *number = EngInternetURLEncodeString(version_text);
  char result = 0;
  if (platform && name && number) {
    int n = snprintf(up_url, sizeof(up_url), "%s%s?platform=%s&program=%s&version=%s", UpdateBase().c_str(),
                     kCheckPage, platform, name, number);
    result = n > 0 && size_t(n) < sizeof(up_url);
    if (!result) {
      DebugErrorAlt(ENG_FUNC, "Address too long");
      up_url[0] = 0;
    }
  } else {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
  }
  free(platform);
  free(name);
  free(number);
  return result;
}

char UpdaterReadURL(const char *url, char check_only) {
  up_html[0] = 0;
  if (!EngInternetIsConnected()) {
    EngSafeStrcpy(up_str, "No connection to the internet found", sizeof(up_str));
    return 0;
  }
  EngUInt32 length = 0;
  // One byte short of the buffer, so a cut reply still ends inside it.
  if (!url || EngInternetConnectAndReadURL(url, up_html, sizeof(up_html) - 1, &length, nullptr, nullptr,
                                           CHECK_TIMEOUT_SECONDS, 0) <= 0) {
    up_html[0] = 0;
    EngSafeStrcpy(up_str, "Could not read result from the URL", sizeof(up_str));
    return 0;
  }
  up_html[sizeof(up_html) - 1] = 0;
  if (check_only) return 1;
  if (!up_html[0] || (up_html[0] == ' ' && up_html[1] == 'X')) {
    DebugErrorAlt(ENG_FUNC, "Got result <%s>", DebugOutsideText(up_html, length).c_str());
    EngSafeStrcpy(up_str, "Error returned from the URL", sizeof(up_str));
    return 0;
  }
  UpdaterTakeLinkFromReply(up_html, up_link, sizeof(up_link));
  return 1;
}

// The reply says a newer version exists: the player reads it and chooses.
static char OfferDownload() {
  if (!UpdaterOpenDialog(640, 420)) {
    UpdaterCloseDialog();
    return 0;
  }
  int text = up_swin.AddButtonToWindow(SWIN_EDIT_TEXT, 20, 20, 600, 320, up_html);
  if (text >= 0) up_swin.SetButtonTextAlign(text, SWIN_ALIGN_LEFT);
  // Native push buttons stand taller than 20 pixels: a little higher, they keep a margin below.
  up_swin.AddPushButtonToWindow(480, 350, 140, 20, UpdaterText("Updater_Close", "Close").c_str(), UpdaterCloseCB);
  up_swin.AddPushButtonToWindow(20, 350, 140, 20, UpdaterText("Updater_Download", "Download").c_str(),
                                UpdaterDownloadCB);
  up_do_download = 0;
  up_swin.RunWindowLoop();
  UpdaterCloseDialog();
  if (!up_do_download) return 0;
  up_do_download = 0;
  return UpdaterStartDownload(nullptr) ? 1 : 0;
}

char Updater(_UpdaterProgramName program, float version) {
  if (up_swin.IsCreated()) {
    DebugErrorAlt(ENG_FUNC, "Already running");
    return 0;
  }
  if (UpdaterOpenDialog(400, 90))
    up_text_but = up_swin.AddTextButtonToWindow(0, 22, 400, 20, UpdaterText("Updater_Updating", "Updating").c_str(),
                                                SWIN_ALIGN_CENTRE);
  UpdaterClearText();
  UpdaterAppendText(UpdaterText("Updater_CheckingForUpdates", "Checking for updates ...").c_str());
  LetWindowDraw();

  std::string message;
  if (!UpdaterSetupUrl(program, version)) {
    message = UpdaterText("Updater_CheckFailed", "Check Failed.");
  } else if (!UpdaterReadURL(up_url, 0)) {
    DebugInfoAlt(ENG_FUNC, "%s", up_str);
    message = UpdaterText("Updater_CheckFailed", "Check Failed.");
  } else if (strstr(up_html, kOutOfDate)) {
    return OfferDownload();
  } else {
    message = UpdaterText("Updater_NoNewVersionExists", "No new version exists at this time.");
  }
  UpdaterClearText();
  UpdaterAppendText(message.c_str());
  DebugInfoAlt(ENG_FUNC, "%s", message.c_str());
  HoldMessage(kMessageHoldSeconds);
  UpdaterCloseDialog();
  return 0;
}

char UpdaterDoWeeklyVersionCheck(_EngMiscDate *last_check, _UpdaterProgramName program, float version) {
  if (!last_check) return 0;
  _EngMiscDate week_ago;
  EngMiscGetTodaysDate(&week_ago);
  _EngMiscDate today = week_ago;
  for (int i = 0; i < 7; i++) EngMiscGetPreviousDay(&week_ago);
  if (EngMiscDateIsDateLaterThanDate(*last_check, week_ago)) return 0;
  *last_check = today;
  // No update server is named: nothing to ask, and nothing shown.
  if (!OnlineConfigHasUpdateAddress()) {
    DebugInfoAlt(ENG_FUNC, "No update address set; the weekly check is skipped.");
    return 0;
  }
  return Updater(program, version);
}

char UpdaterDoInternetCheck(char *text, int size) {
  if (!text || size < 2) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  std::string url = UpdateBase() + kCheckPage;
  char result = UpdaterReadURL(url.c_str(), 1);
  EngSafeStrcpy(text, result ? "Internet Test Ok" : up_str, size_t(size));
  return result;
}

// ---------------------------------------------------------------------------------------------
// The larger check window, which nothing opens

char UpdaterCreateSWinWindow(SWin *swin, float, float, float) {
  const char *name = "UpdaterCreateSWinWindow";
  if (!swin) {
    DebugErrorAlt(name, "Invalid parameter");
    return 0;
  }
  if (swin->IsCreated()) {
    DebugErrorAlt(name, "Window alreaady created");
    return 0;
  }
  _SWinCreateInfo info = {};
  info.x = -1;
  info.y = -1;
  info.width = 650;
  info.height = 580;
  EngSafeStrcpy(info.title, UpdaterText("Updater_CheckForNewVersion", "Check for New Version").c_str(),
                sizeof(info.title));
  if (!swin->CreateMainWindow(&info)) {
    DebugErrorAlt(name, "Could not create main window");
    return 0;
  }
  if (swin->AddPushButtonToWindow(253, 505, 144, 30, UpdaterText("Updater_Ok", "Ok").c_str(), UpdaterCloseCB) < 0) {
    DebugErrorAlt(name, "Could not add button <ok>");
    return 0;
  }
  if (swin->AddPushButtonToWindow(10, 435, 630, 25, "unset", nullptr) < 0) {
    DebugErrorAlt(name, "Could not add button <link1>");
    return 0;
  }
  if (swin->AddPushButtonToWindow(10, 465, 630, 25, "unset", nullptr) < 0) {
    DebugErrorAlt(name, "Could not add button <link2>");
    return 0;
  }
  if (swin->AddButtonToWindow(SWIN_EDIT_TEXT, 10, 15, 630, 410, "text") < 0) {
    DebugErrorAlt(name, "Could not add button <text>");
    return 0;
  }
  return 1;
}

// ---------------------------------------------------------------------------------------------
// Tests

const char *UpdaterGetReplyForTests() { return up_html; }
const char *UpdaterGetLinkForTests() { return up_link; }

void UpdaterResetForTests() {
  UpdaterCloseDialog();
  up_url[0] = 0;
  up_html[0] = 0;
  up_link[0] = 0;
  up_str[0] = 0;
  up_program_name = UPDATER_PROGRAM_NONE;
  up_program_str = nullptr;
  up_do_download = 0;
  up_custom_download = 0;
  UpdaterResetDownloadForTests();
}
