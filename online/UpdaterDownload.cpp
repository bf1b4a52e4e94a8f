// The update service's download: a link fetched by libcurl into "Download.part" in the data
// folder, then moved to the Desktop under a sanitised name. Nothing downloaded is opened, and
// a failed or cancelled download leaves nothing behind.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/EngPrefFolder.h"
#include "online/CurlInterface.h"
#include "online/UpdaterPrivate.h"

static const long kConnectSeconds = 15;
static const long kStallSeconds = 30;
static const long kStallBytesPerSecond = 1024;
static const unsigned long long kMaxBytes = 1ull << 30;
static const double kTextInterval = 0.1;

static long connect_seconds = kConnectSeconds;
static long stall_seconds = kStallSeconds;
static unsigned long long max_bytes = kMaxBytes;

// The name the running transfer's progress shows.
static std::string progress_name;
static std::string progress_text;
static std::chrono::steady_clock::time_point progress_shown;

void UpdaterSetDownloadLimitsForTests(long connect, long stall, unsigned long long most) {
  connect_seconds = connect;
  stall_seconds = stall;
  max_bytes = most;
}

void UpdaterResetDownloadForTests() {
  connect_seconds = kConnectSeconds;
  stall_seconds = kStallSeconds;
  max_bytes = kMaxBytes;
}

// Handles what is waiting without sleeping: the transfer must not wait for the window.
static void DrainWindowEvents() {
  for (int i = 0; i < 1000 && up_swin.IsCreated(); i++)
    if (up_swin.ProcessAnyWindowsMessages() != 2) return;
}

int UpdaterCurlProgressCB(void *, long long total_down, long long now_down) {
  if (up_text_but < 0 || !UpdaterIsDialogRunning()) return 1;
  double percent = total_down > 0 ? double(now_down) * 100.0 / double(total_down) : 0.0;
  percent = std::round(percent * 10.0) / 10.0;
  char number[32];
  snprintf(number, sizeof(number), "%.1f", percent);
  std::string text = progress_name.empty()
                         ? UpdaterText("Updater_DownloadingPercent", "Downloading (%1%) ...", number)
                         : UpdaterText("Updater_DownloadingNamePercent", "Downloading %1 (%2%) ...",
                                       progress_name.c_str(), number);
  auto now = std::chrono::steady_clock::now();
  // The label is set at most ten times a second: a fast transfer calls back far more often.
  if (text != progress_text &&
      (progress_text.empty() || std::chrono::duration<double>(now - progress_shown).count() >= kTextInterval)) {
    up_swin.SetButtonText(up_text_but, text.c_str());
    progress_text = text;
    progress_shown = now;
  }
  DrainWindowEvents();
  return UpdaterIsDialogRunning() ? 0 : 1;
}

static char Fail(const char *part_path) {
  EngFileDeleteIfExists(part_path, 0);
  UpdaterCloseDialog();
  EngMiscShowPopupMessage(ENG_MISC_POPUP_ERROR, nullptr,
                          UpdaterText("Updater_DownloadNotCompleted", "The download was not completed.").c_str());
  return 1;
}

// The transfer into the part file: 1 when the whole reply of a 2xx answer is in it. It has no
// time-out of its own: a slow but steady download may take as long as it takes.
static char Transfer(const char *part_path, EngFileIdentity *written) {
  CurlFileLimits limits;
  limits.connect_seconds = connect_seconds;
  limits.stall_seconds = stall_seconds;
  limits.stall_bytes_per_second = kStallBytesPerSecond;
  limits.max_bytes = max_bytes;
  limits.progress = UpdaterCurlProgressCB;
  CurlInterface curl("Updater", 0);
  return curl.DownloadFromUrlToFile(up_link, nullptr, 0, 0, part_path, 0, nullptr, &limits, written);
}

char UpdaterStartDownload(const char *link) {
  if (link) {
    // A link cut to fit would fetch something else: a longer one is refused below.
    if (strlen(link) < sizeof(up_link))
      EngSafeStrcpy(up_link, link, sizeof(up_link));
    else
      up_link[0] = 0;
    up_custom_download = 1;
  } else {
    up_custom_download = 0;
  }
  std::string name;
  if (up_link[0] && strchr(up_link, '/') && CurlInterface_IsHttpUrl(up_link)) name = UpdaterSanitiseFileName(up_link);
  if (name.empty()) {
    DebugErrorAlt(ENG_FUNC, "Invalid link name");
    EngMiscShowPopupMessage(ENG_MISC_POPUP_ERROR, nullptr,
                            UpdaterText("Updater_InternalError3", "Internal Error 3.").c_str());
    return 0;
  }

  const char *display_name = up_program_name != UPDATER_PROGRAM_NONE ? UpdaterGetProgramName(0) : nullptr;
  progress_name = display_name ? display_name : name;
  progress_text.clear();
  if (UpdaterOpenDialog(450, 90)) {
    up_text_but = up_swin.AddTextButtonToWindow(
        10, 22, 330, 20, UpdaterText("Updater_Downloading", "Downloading...").c_str(), SWIN_ALIGN_LEFT);
    up_swin.AddPushButtonToWindow(360, 20, 80, 20, UpdaterText("Updater_Cancel", "Cancel").c_str(),
                                  UpdaterCancelDownloadCB);
  }
  UpdaterProcessWindowMessages();

  // libcurl's global state is the program's: set up here when nobody did, undone at its end.
  if (!CurlInterface_IsCurlInitialised()) CurlInterface_InitCurl();
  std::string part_path = PrefFolderGetMainFolderWithFileAppended("Download.part");
  EngFileIdentity written;
  char fetched = Transfer(part_path.c_str(), &written);
  if (!fetched) return Fail(part_path.c_str());

  char desktop_buffer[PREF_FOLDER_BUFFER_SIZE];
  if (!EngMiscCreateDesktopDirectoryIfNeeded(desktop_buffer, sizeof(desktop_buffer))) return Fail(part_path.c_str());
  std::string desktop = desktop_buffer;
  std::string placed = name;
  std::string target = desktop + "/" + placed;
  // Anything already there keeps its name, a folder or a pipe too: they are not ours to replace.
  if (EngFileNameIsTaken(target.c_str())) {
    placed = "Latest_" + name;
    target = desktop + "/" + placed;
    EngFileDeleteIfExists(target.c_str(), 0);
  }
  // Only the file the transfer wrote goes to the Desktop, never what was put at its name meanwhile.
  if (!EngFileMoveFile(part_path.c_str(), target.c_str(), &written)) {
    DebugErrorAlt(ENG_FUNC, "There was a problem moving the file to the folder <%s> ( <%s> -> <%s> )",
                  desktop.c_str(), part_path.c_str(), target.c_str());
    return Fail(part_path.c_str());
  }

  // The name the player will find on the Desktop, which may be the Latest_ one.
  std::string shown = placed.substr(0, 63);
  std::string message =
      up_custom_download
          ? UpdaterText("Updater_FileNowOnDesktop", "The file \"%1\" is now on your Desktop.", shown.c_str())
          : UpdaterText("Updater_FilePlacedOnDesktop",
                        "The file \"%1\" has been placed on your Desktop.\n\nPlease remove any older versions of the "
                        "program, then install the program as you did the previous version.",
                        shown.c_str());
  DebugInfoAlt(ENG_FUNC, "Downloaded <%s>", target.c_str());
  UpdaterCloseDialog();
  EngMiscShowPopupMessage(ENG_MISC_POPUP_INFORMATION,
                          UpdaterText("Updater_DownloadComplete", "Download Complete").c_str(), message.c_str());
  return 1;
}
