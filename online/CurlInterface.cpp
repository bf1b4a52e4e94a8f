#include "online/CurlInterface.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <type_traits>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/EngMutex.h"
#include "online/CurlInterfaceTransfer.h"
#include "online/EngInternet.h"

// The main thread and an internet worker may reach their first transfer together, and
// curl_global_init is not safe to run twice at once.
static std::mutex ci_setup_mutex;
static std::atomic<char> ci_curl_setup{0};

char CurlInterface_InitCurl() {
  std::lock_guard<std::mutex> hold(ci_setup_mutex);
  if (ci_curl_setup.load()) {
    DebugInfoAlt(ENG_FUNC, "Already setup.");
    return 1;
  }
  if (curl_global_init(CURL_GLOBAL_ALL) != CURLE_OK) {
    DebugErrorAlt(ENG_FUNC, "curl_global_init() failed.");
    return 0;
  }
  ci_curl_setup = 1;
  return 1;
}

char CurlInterface_IsCurlInitialised() { return ci_curl_setup.load(); }

void CurlInterface_ExitCurl() {
  std::lock_guard<std::mutex> hold(ci_setup_mutex);
  if (!ci_curl_setup.load()) return;
  curl_global_cleanup();
  ci_curl_setup = 0;
}

void *CurlInterface_CallCurlEasyInit() {
  if (!ci_curl_setup.load()) {
    DebugErrorAlt(ENG_FUNC, "Curl is not setup.");
    return nullptr;
  }
  CURL *curl = curl_easy_init();
  if (!curl) DebugErrorAlt(ENG_FUNC, "curl_easy_init() failed.");
  return curl;
}

static CurlOptionRecorder ci_option_recorder = nullptr;

void CurlInterface_SetOptionRecorderForTests(CurlOptionRecorder recorder) { ci_option_recorder = recorder; }

static CURLcode SetKept(CURL *curl, CURLoption option, long value) {
  if (ci_option_recorder) ci_option_recorder(curl, int(option), value, nullptr);
  return curl_easy_setopt(curl, option, value);
}

static CURLcode SetKept(CURL *curl, CURLoption option, const char *text) {
  if (ci_option_recorder) ci_option_recorder(curl, int(option), 0, text);
  return curl_easy_setopt(curl, option, text);
}

int CurlInterface_SetUpTransfer(void *easy_handle, const CurlTransferSetUp &t) {
  CURL *curl = static_cast<CURL *>(easy_handle);
  if (!curl || !t.url) return CURLE_BAD_FUNCTION_ARGUMENT;
  // Verification is libcurl's default; it is set all the same so no handle can go without it.
  CURLcode code = SetKept(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  if (code == CURLE_OK) code = SetKept(curl, CURLOPT_SSL_VERIFYHOST, 2L);
  if (code == CURLE_OK) code = SetKept(curl, CURLOPT_IPRESOLVE, long(CURL_IPRESOLVE_V4));
  // Signals would reach a game that does not expect them (time-outs on worker threads).
  if (code == CURLE_OK) code = SetKept(curl, CURLOPT_NOSIGNAL, 1L);
  if (code == CURLE_OK) code = SetKept(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  if (code == CURLE_OK) code = SetKept(curl, CURLOPT_FOLLOWLOCATION, 0L);

  if (code == CURLE_OK) code = curl_easy_setopt(curl, CURLOPT_URL, t.url);
  if (code == CURLE_OK) code = curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, t.write);
  if (code == CURLE_OK) code = curl_easy_setopt(curl, CURLOPT_WRITEDATA, t.write_data);
  if (code == CURLE_OK && t.header) code = curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, t.header);
  if (code == CURLE_OK && t.header) code = curl_easy_setopt(curl, CURLOPT_HEADERDATA, t.header_data);
  if (code == CURLE_OK && t.progress) code = curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, t.progress);
  if (code == CURLE_OK && t.progress) code = curl_easy_setopt(curl, CURLOPT_XFERINFODATA, t.progress_data);
  if (code == CURLE_OK && t.progress) code = curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  if (code == CURLE_OK) code = curl_easy_setopt(curl, CURLOPT_TIMEOUT, t.timeout_seconds);
  if (code == CURLE_OK) code = curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, t.connect_seconds);
  if (code == CURLE_OK && t.stall_seconds) {
    code = curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, t.stall_bytes_per_second);
    if (code == CURLE_OK) code = curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, t.stall_seconds);
  }
  if (code == CURLE_OK && t.max_bytes) code = curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, t.max_bytes);
  if (code == CURLE_OK && t.post_body) {
    code = curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, t.post_size);
    if (code == CURLE_OK) code = curl_easy_setopt(curl, CURLOPT_POSTFIELDS, t.post_body);
    if (code == CURLE_OK) code = curl_easy_setopt(curl, CURLOPT_POST, 1L);
  } else if (code == CURLE_OK) {
    code = curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  }
  if (code == CURLE_OK && t.headers) code = curl_easy_setopt(curl, CURLOPT_HTTPHEADER, t.headers);
  if (code == CURLE_OK && t.fail_on_error) code = curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  return code;
}

char CurlInterface_IsHttpUrl(const char *url) {
  if (!url) return 0;
  CURLU *parsed = curl_url();
  if (!parsed) return 0;
  char ok = 0;
  if (curl_url_set(parsed, CURLUPART_URL, url, 0) == CURLUE_OK) {
    char *scheme = nullptr;
    if (curl_url_get(parsed, CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK && scheme)
      ok = (strcmp(scheme, "http") == 0 || strcmp(scheme, "https") == 0) ? 1 : 0;
    curl_free(scheme);
  }
  curl_url_cleanup(parsed);
  return ok;
}

CurlInterface::CurlInterface(const char *name, char verbose) {
  m_mutex = new EngMutex(0.0f);
  m_mutex->Setup(2.0f);
  m_mutex->Lock();
  m_busy = 0;
  m_exiting = 0;
  EngSafeStrcpy(m_name, name && name[0] ? name : "CurlI", sizeof(m_name));
  m_guard = '{';
  m_file = nullptr;
  m_curl_e = nullptr;
  m_verbose = verbose;
  m_self = this;
  m_mutex->Unlock();
}

CurlInterface::~CurlInterface() {
  // libcurl's global state is the program's, undone only at its very end.
  ExitWithWait();
  m_self = nullptr;
  m_guard = 0;
  delete m_mutex;
  m_mutex = nullptr;
}

char *CurlInterface::BuildFullUrl(const char *url, const char *query, const char *caller) {
  size_t length = strlen(url) + (query ? strlen(query) + 1 : 0) + 1;
  char *full = static_cast<char *>(EngMalloc(length, caller, 0));
  if (!full) return nullptr;
  if (query)
    snprintf(full, length, "%s?%s", url, query);
  else
    snprintf(full, length, "%s", url);
  return full;
}

char CurlInterface::CreateEasyHandle() {
  if (m_curl_e) {
    DebugErrorAlt(ENG_FUNC, "m_curl_e already exists.");
    return 0;
  }
  m_mutex->Lock();
  m_curl_e = CurlInterface_CallCurlEasyInit();
  m_mutex->Unlock();
  if (!m_curl_e) {
    DebugErrorAlt(ENG_FUNC, "curl_easy_init() failed");
    return 0;
  }
  return 1;
}

void CurlInterface::DropFile() {
  if (!m_file) return;
  m_file->Close();
  delete m_file;
  m_file = nullptr;
}

// Marks the object busy before any buffer of the transfer exists, so that an exit asked from
// another thread meanwhile waits for the transfer instead of freeing under it.
char CurlInterface::BeginTransfer(char busy_kind) {
  m_mutex->Lock();
  if (m_busy.load() || m_exiting.load())
    DebugErrorAlt(ENG_FUNC, "m_doing_perform = %d,  m_exiting = %d", int(m_busy.load()), int(m_exiting.load()));
  char was_busy = m_busy.load();
  if (!was_busy) {
    m_busy = busy_kind;
    m_exiting = 0;
  }
  m_mutex->Unlock();
  return was_busy ? 0 : 1;
}

// The transfer's last touch of its state: busy is cleared only here, so a thread waiting in
// ExitWithWait (or the destructor) never frees what the transfer still uses.
void CurlInterface::EndTransfer(char release) {
  m_mutex->Lock();
  EndTransferLocked(release);
  m_mutex->Unlock();
}

void CurlInterface::EndTransferLocked(char release) {
  if (m_curl_e) curl_easy_cleanup(static_cast<CURL *>(m_curl_e));
  m_curl_e = nullptr;
  if (release) ReleaseBuffersLocked();
  m_exiting = 0;
  m_busy = 0;
}

void CurlInterface::ReleaseBuffersLocked() {
  if (m_data) EngFree(m_data, 0, "CurlInterface");
  m_data = nullptr;
  m_capacity = 0;
  m_count = 0;
  DropFile();
  m_skip_newlines = 0;
}

static_assert(std::is_same<curl_off_t, int64_t>::value, "the progress trampolines' counts are curl_off_t");
static_assert(std::is_same<decltype(&CurlInterface::WriteDataFunctionCB_Static), curl_write_callback>::value &&
                  std::is_same<decltype(&CurlInterface::UploadProgressCB_Static), curl_xferinfo_callback>::value,
              "libcurl's callback types");

size_t CurlInterface::WriteDataFunctionCB_Static(char *data, size_t size, size_t count, void *user) {
  if (!user) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  return static_cast<CurlInterface *>(user)->WriteDataFunctionCB(data, size, count);
}

size_t CurlInterface::WriteFileFunctionCB_Static(char *data, size_t size, size_t count, void *user) {
  if (!user) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  return static_cast<CurlInterface *>(user)->WriteFileFunctionCB(data, size, count);
}

size_t CurlInterface::UploadWriteDataFunctionCB_Static(char *data, size_t size, size_t count, void *user) {
  if (!user) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  return static_cast<CurlInterface *>(user)->UploadWriteDataFunctionCB(data, size, count);
}

int CurlInterface::UploadProgressCB_Static(void *user, int64_t, int64_t, int64_t total_up, int64_t now_up) {
  if (!user) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  return static_cast<CurlInterface *>(user)->UploadProgressCB(total_up, now_up);
}

int CurlInterface::TransferProgressCB_Static(void *user, int64_t total_down, int64_t now_down, int64_t, int64_t) {
  if (!user) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  CurlInterface *self = static_cast<CurlInterface *>(user);
  if (self->m_exiting.load()) return 1;
  const CurlFileLimits *limits = self->m_limits;
  if (limits && limits->progress) return limits->progress(limits->progress_user, total_down, now_down) ? 1 : 0;
  return 0;
}

// A download's handle: its writer, the exit check as it runs, and the time-out for both the
// connection and the whole transfer.
CurlTransferSetUp CurlInterface::DownloadSetUp(const char *url, size_t (*write)(char *, size_t, size_t, void *),
                                               int timeout_seconds) {
  CurlTransferSetUp t;
  t.url = url;
  t.write = write;
  t.write_data = this;
  t.progress = TransferProgressCB_Static;
  t.progress_data = this;
  t.timeout_seconds = timeout_seconds;
  t.connect_seconds = timeout_seconds;
  return t;
}

// Sets the download's handle up under the lock and runs it outside, so Exit is not held up.
// step stays 1 when the set-up fails and becomes 10 once the transfer has run.
int CurlInterface::SetUpAndPerformDownload(const CurlTransferSetUp &t, int *step) {
  CURL *curl = static_cast<CURL *>(m_curl_e);
  m_mutex->Lock();
  CURLcode code = CURLcode(CurlInterface_SetUpTransfer(curl, t));
  m_mutex->Unlock();
  if (code == CURLE_OK) {
    *step = 10;
    code = curl_easy_perform(curl);
  }
  return code;
}

char CurlInterface::DownloadFromUrl(const char *url, const char *query, EngUInt32 capacity, char skip_newlines,
                                    int timeout_seconds, char *cancelled) {
  return DownloadFromUrlUsingPost(url, query, capacity, nullptr, 0, skip_newlines, timeout_seconds, cancelled);
}

char CurlInterface::DownloadFromUrlUsingPost(const char *url, const char *query, EngUInt32 capacity,
                                             const void *body, EngUInt32 body_size, char skip_newlines,
                                             int timeout_seconds, char *cancelled) {
  if (!ci_curl_setup.load() && !CurlInterface_InitCurl()) return 0;
  Exit();
  if (!url || !url[0] || capacity == 0) {
    DebugErrorAlt(ENG_FUNC, "Parameters error.");
    return 0;
  }
  if (cancelled) *cancelled = 0;
  if (!BeginTransfer(1)) return 0;
  m_data = static_cast<char *>(EngMalloc(size_t(capacity) + 1, "DoDownloadFromUrl", 0));
  char *full_url = m_data ? BuildFullUrl(url, query, "DoDownloadFromUrl") : nullptr;
  if (!full_url || !CreateEasyHandle()) {
    EngFree(full_url, 0, "DoDownloadFromUrl");
    EndTransfer(1);
    return 0;
  }
  m_data[0] = 0;
  if (m_verbose) fprintf(stderr, "Downloading from: <%s>\n", full_url);
  DropFile();
  m_count = 0;
  m_capacity = capacity;
  m_skip_newlines = skip_newlines;

  CurlTransferSetUp t = DownloadSetUp(full_url, WriteDataFunctionCB_Static, timeout_seconds);
  if (body && body_size) {
    t.post_body = body;
    t.post_size = long(body_size);
  }
  int step = 1;
  CURLcode code = CURLcode(SetUpAndPerformDownload(t, &step));
  long status = 0;
  curl_easy_getinfo(static_cast<CURL *>(m_curl_e), CURLINFO_RESPONSE_CODE, &status);
  EngFree(full_url, 0, "DoDownloadFromUrl");

  char result = 0;
  m_mutex->Lock();
  const bool cut = code == CURLE_WRITE_ERROR && m_count == m_capacity - 1;
  if (m_exiting.load()) {
    if (m_verbose) DebugInfoAlt(ENG_FUNC, "Done as exiting.");
    if (cancelled) *cancelled = 1;
  } else if (code == CURLE_ABORTED_BY_CALLBACK) {
  } else if ((code == CURLE_OK || cut) && (status < 200 || status > 299)) {
    // A redirect's or an error page's body is not the server's answer.
    DebugErrorAlt(ENG_FUNC, "HTTP status %ld", status);
  } else if (cut) {
    if (m_verbose) DebugInfoAlt(ENG_FUNC, "More data available to download is ignored.");
    result = 1;
  } else if (code == CURLE_OK) {
    result = 1;
  } else if (code == CURLE_COULDNT_CONNECT && step == 10) {
    DebugErrorAlt(ENG_FUNC, "Could not connect.");
  } else {
    DebugErrorAlt(ENG_FUNC, "Problem ( from: %d  error: %d (%s) )", step, int(code), curl_easy_strerror(code));
  }
  // The reply stays until the next transfer, Exit or destruction.
  EndTransferLocked(result ? 0 : 1);
  m_mutex->Unlock();
  return result;
}

char CurlInterface::DownloadFromUrlToFile(const char *url, const char *query, EngUInt32, char text_mode,
                                          const char *file_name, int timeout_seconds, char *cancelled,
                                          const CurlFileLimits *limits, EngFileIdentity *written) {
  if (written) *written = EngFileIdentity();
  if (!ci_curl_setup.load()) {
    DebugErrorAlt(ENG_FUNC, "Curl is not setup.");
    return 0;
  }
  Exit();
  if (cancelled) *cancelled = 0;
  if (!url || !url[0] || !file_name || !file_name[0]) {
    DebugErrorAlt(ENG_FUNC, "Parameters error.");
    return 0;
  }
  if (!BeginTransfer(1)) return 0;
  char *full_url = BuildFullUrl(url, query, "DownloadFromUrlToFile");
  if (!full_url || !CreateEasyHandle()) {
    EngFree(full_url, 0, "DownloadFromUrlToFile");
    EndTransfer(1);
    return 0;
  }
  EngFileDeleteIfExists(file_name, 0);
  m_file = new EngFile();
  // Made anew: a link or a pipe put at the name since the delete fails the open.
  if (!m_file->CreateNewForWriting(file_name, text_mode)) {
    DebugErrorAlt(ENG_FUNC, "Could not create file for downloading <%s>", file_name);
    delete m_file;
    m_file = nullptr;
    EngFree(full_url, 0, "DownloadFromUrlToFile");
    EndTransfer(1);
    return 0;
  }
  if (written) m_file->GetIdentity(written);
  m_count = 0;
  m_skip_newlines = 0;
  m_limits = limits;
  m_too_big = 0;

  CURL *curl = static_cast<CURL *>(m_curl_e);
  CurlTransferSetUp t = DownloadSetUp(full_url, WriteFileFunctionCB_Static, timeout_seconds);
  if (limits && limits->connect_seconds) t.connect_seconds = limits->connect_seconds;
  if (limits) {
    t.stall_seconds = limits->stall_seconds;
    t.stall_bytes_per_second = limits->stall_bytes_per_second;
    t.max_bytes = curl_off_t(limits->max_bytes);
  }
  // An error page is no download.
  t.fail_on_error = true;
  int step = 1;
  CURLcode code = CURLcode(SetUpAndPerformDownload(t, &step));
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  // A file that cannot be flushed on closing is as good as a failed download.
  char closed = m_file->Close();
  EngFree(full_url, 0, "DownloadFromUrlToFile");

  char result = 0;
  m_mutex->Lock();
  DropFile();
  if (m_exiting.load()) {
    if (m_verbose) DebugInfoAlt(ENG_FUNC, "Done as exiting.");
    if (cancelled) *cancelled = 1;
  } else if (code == CURLE_ABORTED_BY_CALLBACK) {
    if (limits && limits->progress) DebugInfoAlt(ENG_FUNC, "Download cancelled.");
    if (cancelled) *cancelled = 1;
  } else if (code == CURLE_WRITE_ERROR && m_too_big) {
    DebugErrorAlt(ENG_FUNC, "Download larger than %llu bytes.", limits->max_bytes);
  } else if (code == CURLE_COULDNT_CONNECT && step == 10) {
    DebugErrorAlt(ENG_FUNC, "Could not connect.");
  } else if (code != CURLE_OK) {
    DebugErrorAlt(ENG_FUNC, "Problem (from: %d  error: %d)", step, int(code));
    DebugInfoAlt(ENG_FUNC, "%s (HTTP status %ld)", curl_easy_strerror(code), status);
  } else if (status < 200 || status > 299) {
    // Redirects are not followed, so a 3xx answer carries no file either.
    DebugErrorAlt(ENG_FUNC, "HTTP status %ld", status);
  } else if (!closed) {
    DebugErrorAlt(ENG_FUNC, "Could not write file <%s>", file_name);
  } else {
    result = 1;
  }
  // Half a download is no download.
  if (!result) EngFileDeleteIfExists(file_name, 0);
  m_limits = nullptr;
  EndTransferLocked(1);
  m_mutex->Unlock();
  return result;
}

char CurlInterface::UploadToUrl(const char *url, void *body, EngUInt32 body_size, int timeout_seconds,
                                char *cancelled) {
  if (cancelled) *cancelled = 0;
  if (!url || !body || !url[0] || body_size == 0) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (!ci_curl_setup.load()) {
    DebugErrorAlt(ENG_FUNC, "Curl is not setup.");
    return 0;
  }
  Exit();
  if (!BeginTransfer(2)) return 0;
  if (!CreateEasyHandle()) {
    EndTransfer(1);
    return 0;
  }
  CURL *curl = static_cast<CURL *>(m_curl_e);
  m_mutex->Lock();
  m_upload_size = body_size;
  m_uploaded_count = 0;
  m_upload_progress = 0.0f;
  curl_slist *headers = curl_slist_append(nullptr, "Content-Type: text/xml");
  CurlTransferSetUp t;
  t.url = url;
  t.write = UploadWriteDataFunctionCB_Static;
  t.write_data = this;
  t.post_body = body;
  t.post_size = long(body_size);
  t.progress = UploadProgressCB_Static;
  t.progress_data = this;
  t.timeout_seconds = timeout_seconds;
  t.connect_seconds = 120;
  t.headers = headers;
  int step = 1;
  CURLcode code = CURLcode(CurlInterface_SetUpTransfer(curl, t));
  if (!headers && code == CURLE_OK) code = CURLE_OUT_OF_MEMORY;
  m_mutex->Unlock();
  if (m_verbose)
    fprintf(stderr, "Sending %d bytes (%.2f Kb) (%.2f Mb).\n", int(body_size), body_size / 1024.0,
            body_size / 1024.0 / 1024.0);
  if (code == CURLE_OK) {
    step = 100;
    code = curl_easy_perform(curl);
  }
  char result = 0;
  m_mutex->Lock();
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 1L);
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
  curl_slist_free_all(headers);
  if (m_exiting.load()) {
    if (m_verbose) DebugInfoAlt(ENG_FUNC, "Done as exiting.");
    if (cancelled) *cancelled = 1;
  } else if (code == CURLE_ABORTED_BY_CALLBACK) {
    if (m_verbose) DebugInfoAlt(ENG_FUNC, "Upload aborted.");
  } else if (code == CURLE_OK) {
    if (m_uploaded_count == 0) {
      DebugErrorAlt(ENG_FUNC, "Nothing uploaded.");
    } else if (m_uploaded_count == m_upload_size) {
      if (m_verbose) DebugInfoAlt(ENG_FUNC, "CI_DUTF: Uploaded ok.");
      result = 1;
    } else {
      DebugErrorAlt(ENG_FUNC, "Uploaded %u not %u.", m_uploaded_count, m_upload_size);
    }
  } else if (code == CURLE_WRITE_ERROR && step == 100) {
    DebugErrorAlt(ENG_FUNC, "Write error.");
  } else if (code == CURLE_COULDNT_CONNECT && step == 100) {
    DebugErrorAlt(ENG_FUNC, "Could not connect.");
  } else {
    DebugErrorAlt(ENG_FUNC, "Problem (from: %d  error: %d)", step, int(code));
  }
  EndTransferLocked(1);
  m_mutex->Unlock();
  return result;
}

// Whether a write callback may touch the object: libcurl set up and the object still alive.
char CurlInterface::ReadyToWrite(const char *signature) const {
  if (!ci_curl_setup.load()) {
    DebugErrorAlt(signature, "Curl is not setup.");
    return 0;
  }
  if (m_guard != '{') {
    DebugErrorAlt(signature, "Class not setup. [%d] ...", int(m_guard));
    DebugErrorAlt(signature, "                 [%s] .", m_name);
    return 0;
  }
  return 1;
}

size_t CurlInterface::WriteDataFunctionCB(const char *data, size_t size, size_t count) {
  if (!ReadyToWrite(ENG_FUNC)) return 0;
  size_t bytes = size * count;
  if (bytes == 0) return 0;
  if (!m_data) {
    DebugErrorAlt(ENG_FUNC, "No data");
    return 0;
  }
  if (size_t(m_count) + bytes >= size_t(m_capacity) - 1) {
    if (size != 1) {
      DebugErrorAlt(ENG_FUNC, "Expected a size of 1");
      return 0;
    }
    bytes = m_capacity - m_count - 1;
    if (bytes == 0) {
      if (m_verbose) DebugInfoAlt(ENG_FUNC, "Nothing left to write");
      return 0;
    }
  }
  memcpy(m_data + m_count, data, bytes);
  m_count += EngUInt32(bytes);
  m_data[m_count] = 0;
  return bytes;
}

size_t CurlInterface::WriteFileFunctionCB(const char *data, size_t size, size_t count) {
  if (!ReadyToWrite(ENG_FUNC)) return 0;
  if (!m_file) {
    DebugErrorAlt(ENG_FUNC, "No fp.");
    return 0;
  }
  size_t bytes = size * count;
  if (bytes == 0) return 0;
  // A server that does not announce the size is held to the limit here.
  if (m_limits && m_limits->max_bytes && m_count + bytes > m_limits->max_bytes) {
    m_too_big = 1;
    return 0;
  }
  EngUInt32 written = m_file->FWrite(data, EngUInt32(bytes));
  m_count += written;
  return written;
}

size_t CurlInterface::UploadWriteDataFunctionCB(const char *data, size_t size, size_t count) {
  size_t bytes = size * count;
  // The reply is not NUL-terminated: a bounded copy is what gets printed and parsed.
  char reply[256];
  size_t n = bytes < sizeof(reply) - 1 ? bytes : sizeof(reply) - 1;
  if (data && n) memcpy(reply, data, n);
  reply[n] = 0;
  if (m_verbose) fprintf(stderr, "Data: [%s]\n", reply);
  m_uploaded_count = 0;
  if (n == 0) {
    DebugErrorAlt(ENG_FUNC, "No buffer.");
  } else if (reply[0] == 'Y' && reply[1] == ' ') {
    // A count no 32-bit value holds is no count (wrapped, it could match the size sent).
    long long uploaded = 0;
    if (EngInternetScanReplyNumbers(reply + 2, n - 2, 0, UINT32_MAX, &uploaded, 1) == 1)
      m_uploaded_count = EngUInt32(uploaded);
  } else {
    DebugErrorAlt(ENG_FUNC, "Problem: [%s].", DebugOutsideText(reply, n).c_str());
  }
  return bytes;
}

int CurlInterface::UploadProgressCB(long long total_up, long long now_up) {
  if (total_up > 0) m_upload_progress = float(double(now_up) * 100.0 / double(total_up));
  return m_exiting.load() ? 1 : 0;
}

char *CurlInterface::GetDownloadedData() {
  if (!m_data || m_count == 0) {
    DebugErrorAlt(ENG_FUNC, "No Data");
    return nullptr;
  }
  char *p = m_data;
  if (m_skip_newlines && p[0] == '\n') {
    p++;
    if (m_count >= 2 && p[0] == '\n') p++;
  }
  return p;
}

EngUInt32 CurlInterface::GetDownloadedDataSize() {
  if (!m_data || m_count == 0) return 0;
  EngUInt32 size = m_count;
  if (m_skip_newlines && m_data[0] == '\n') {
    size--;
    if (m_count >= 2 && m_data[1] == '\n') size--;
  }
  return size;
}

char CurlInterface::IsBusy() {
  if (m_self != this) {
    DebugErrorAlt(ENG_FUNC, "Already destroyed.");
    return 0;
  }
  return m_busy.load() ? 1 : 0;
}

void CurlInterface::Exit() {
  if (!ci_curl_setup.load()) DebugErrorAlt(ENG_FUNC, "Curl is not setup.");
  if (m_self != this) {
    DebugErrorAlt(ENG_FUNC, "Already destroyed.");
    return;
  }
  if (m_verbose)
    fprintf(stderr, "[%s] Exiting1... [dp: %d ex: %d]\n", m_name, int(m_busy.load()), int(m_exiting.load()));
  m_mutex->Lock();
  if (m_busy.load()) {
    // The transfer cleans up when it ends.
    m_exiting = 1;
    m_mutex->Unlock();
    if (m_verbose) DebugInfoAlt(ENG_FUNC, "Will exit when finished performing.");
    return;
  }
  m_mutex->Unlock();
  ReleaseIfIdle();
  if (m_verbose) fprintf(stderr, "[%s] Exiting done.\n", m_name);
}

// Everything a finished transfer left; nothing while one runs (it still writes there).
void CurlInterface::ReleaseIfIdle() {
  m_mutex->Lock();
  if (!m_busy.load()) EndTransferLocked(1);
  m_mutex->Unlock();
}

void CurlInterface::CleanupHandles() {
  if (m_self != this) {
    DebugErrorAlt(ENG_FUNC, "Already destroyed.");
    return;
  }
  m_mutex->Lock();
  if (m_busy.load()) {
    if (!m_exiting.load()) DebugErrorAlt(ENG_FUNC, "Exiting not on.");
    m_exiting = 1;
    m_mutex->Unlock();
    if (m_verbose) DebugInfoAlt(ENG_FUNC, "Will exit when finished performing.");
    return;
  }
  if (m_curl_e) curl_easy_cleanup(static_cast<CURL *>(m_curl_e));
  m_curl_e = nullptr;
  m_mutex->Unlock();
}

char CurlInterface::ExitWithWait() {
  if (m_self != this) {
    DebugErrorAlt(ENG_FUNC, "Already destroyed.");
    return 0;
  }
  m_mutex->Lock();
  if (!m_busy.load()) {
    m_mutex->Unlock();
    ReleaseIfIdle();
    return 1;
  }
  m_exiting = 1;
  m_mutex->Unlock();
  if (m_verbose) fprintf(stderr, "Waiting for perform to complete...\n");
  double until = EngMainUpdateCurrentTime() + 60.0;
  int sleeps = 0;
  while (m_busy.load() && EngMainUpdateCurrentTime() < until) {
    EngMiscCallPlatformSleepFunc(0.1);
    if (m_verbose && m_busy.load() && ++sleeps % 7 == 0) fprintf(stderr, "  waiting...\n");
    if (m_self != this) {
      DebugErrorAlt(ENG_FUNC, "Destroyed while waiting.");
      return 0;
    }
  }
  if (m_busy.load()) {
    DebugErrorAlt(ENG_FUNC, "Perform did not complete.");
    return 0;
  }
  // The transfer released its buffers itself; taking the lock once waits for it to let go.
  m_mutex->Lock();
  m_mutex->Unlock();
  return 1;
}
