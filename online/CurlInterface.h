// A blocking HTTP client over libcurl's easy interface: a reply into memory (GET, or POST with
// a body), a download to a file, an upload with progress. Transfers run on the caller's thread;
// another thread may end one through ExitWithWait. libcurl's process-wide set-up is made once,
// by the first transfer that needs it (CurlInterface_InitCurl), and undone once at the very end
// (CurlInterface_ExitCurl). No libcurl type shows here; the handle set-up the online back ends
// share is CurlInterfaceTransfer.h.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "Engine/EngTypes.h"

class EngFile;
class EngMutex;
struct EngFileIdentity;
struct CurlTransferSetUp;

// Any thread may call it; 0 when libcurl cannot be set up.
char CurlInterface_InitCurl();
char CurlInterface_IsCurlInitialised();
// Only at program end, when no transfer can be running any more.
void CurlInterface_ExitCurl();
// 1 when the text is an http or https address that libcurl can parse.
char CurlInterface_IsHttpUrl(const char *url);

// A file download's bounds beyond its time-out: the updater's stall, size and cancel limits.
struct CurlFileLimits {
  long connect_seconds = 0;  // 0: the time-out's
  long stall_seconds = 0;
  long stall_bytes_per_second = 0;
  unsigned long long max_bytes = 0;  // 0: no bound
  // Called as data arrives with the bytes announced (0 when unknown) and received; nonzero
  // cancels the download.
  int (*progress)(void *user, long long total, long long now) = nullptr;
  void *progress_user = nullptr;
};

class CurlInterface {
 public:
  CurlInterface(const char *name, char verbose);
  ~CurlInterface();
  CurlInterface(const CurlInterface &) = delete;
  CurlInterface &operator=(const CurlInterface &) = delete;

  // At most capacity - 1 bytes are kept; a longer reply is cut there and counts as success. Only
  // a 2xx answer is a reply: any other status is a failure and keeps no data.
  char DownloadFromUrl(const char *url, const char *query, EngUInt32 capacity, char skip_newlines,
                       int timeout_seconds, char *cancelled);
  // The body goes byte for byte with its explicit size; a size of 0 sends a GET.
  char DownloadFromUrlUsingPost(const char *url, const char *query, EngUInt32 capacity, const void *body,
                                EngUInt32 body_size, char skip_newlines, int timeout_seconds, char *cancelled);
  // The file is deleted again when the download fails; an answer other than 2xx is a failure.
  // A time-out of 0 bounds only the connection (limits may bound the rest). `written` gets the
  // file the bytes went to, as made, so the caller can refuse whatever stands at the name later.
  char DownloadFromUrlToFile(const char *url, const char *query, EngUInt32 unused, char text_mode,
                             const char *file_name, int timeout_seconds, char *cancelled,
                             const CurlFileLimits *limits = nullptr, EngFileIdentity *written = nullptr);
  // The server answers "Y <bytes received>"; the time-out bounds the whole upload.
  char UploadToUrl(const char *url, void *body, EngUInt32 body_size, int timeout_seconds, char *cancelled);

  char *GetDownloadedData();
  EngUInt32 GetDownloadedDataSize();
  float GetUploadProgress() const { return m_upload_progress.load(); }
  char IsBusy();

  // Exit drops what the last transfer left (or, while one runs, asks it to end); ExitWithWait
  // may come from another thread and waits for a running transfer to end first.
  void Exit();
  char ExitWithWait();
  void CleanupHandles();

  // What libcurl calls, with the object as its user pointer; a null one is reported ('IERR') and
  // answered with 0. The progress counts are libcurl's curl_off_t.
  static size_t WriteDataFunctionCB_Static(char *data, size_t size, size_t count, void *user);
  static size_t WriteFileFunctionCB_Static(char *data, size_t size, size_t count, void *user);
  static size_t UploadWriteDataFunctionCB_Static(char *data, size_t size, size_t count, void *user);
  static int UploadProgressCB_Static(void *user, int64_t total_down, int64_t now_down, int64_t total_up,
                                     int64_t now_up);

 private:
  // Lets an exit asked from another thread end a download that would otherwise run to its
  // time-out; a file download's own cancel comes the same way.
  static int TransferProgressCB_Static(void *user, int64_t total_down, int64_t now_down, int64_t total_up,
                                       int64_t now_up);
  CurlTransferSetUp DownloadSetUp(const char *url, size_t (*write)(char *, size_t, size_t, void *),
                                  int timeout_seconds);
  // Returns the CURLcode.
  int SetUpAndPerformDownload(const CurlTransferSetUp &t, int *step);
  char ReadyToWrite(const char *signature) const;
  size_t WriteDataFunctionCB(const char *data, size_t size, size_t count);
  size_t WriteFileFunctionCB(const char *data, size_t size, size_t count);
  size_t UploadWriteDataFunctionCB(const char *data, size_t size, size_t count);
  int UploadProgressCB(long long total_up, long long now_up);
  char BeginTransfer(char busy_kind);
  void EndTransfer(char release);
  void EndTransferLocked(char release);
  void ReleaseBuffersLocked();
  void ReleaseIfIdle();
  char *BuildFullUrl(const char *url, const char *query, const char *caller);
  char CreateEasyHandle();
  void DropFile();

  char *m_data = nullptr;
  EngUInt32 m_count = 0;
  EngUInt32 m_capacity = 0;
  EngUInt32 m_upload_size = 0;
  EngUInt32 m_uploaded_count = 0;
  std::atomic<float> m_upload_progress{0.0f};
  char m_skip_newlines = 0;
  EngFile *m_file = nullptr;
  // The running file download's bounds, and whether it went past its size.
  const CurlFileLimits *m_limits = nullptr;
  char m_too_big = 0;
  // 0 idle, 1 a download performing, 2 an upload performing.
  std::atomic<char> m_busy{0};
  char m_name[12];
  void *m_curl_e = nullptr;
  char m_verbose = 0;
  CurlInterface *m_self = nullptr;
  EngMutex *m_mutex = nullptr;
  std::atomic<char> m_exiting{0};
  char m_guard = 0;
};
