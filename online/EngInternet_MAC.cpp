// The synchronous GET of EngInternet.h over libcurl's easy interface: one handle per call,
// whose time-out bounds the whole transfer.
#include <curl/curl.h>

#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "online/CurlInterfaceTransfer.h"
#include "online/EngInternet.h"

char EngInternetIsConnected_MAC() { return 1; }

static void EngInternetSetErrorText(char *error_text, const char *name, const char *text) {
  if (!error_text) return;
  if (name)
    snprintf(error_text, ENG_INTERNET_ERROR_TEXT_SIZE, "%s - %s", name, text);
  else
    snprintf(error_text, ENG_INTERNET_ERROR_TEXT_SIZE, "%s", text);
}

namespace {
struct EimTransfer {
  char *buffer;
  EngUInt32 size;
  EngUInt32 count;
  char reply_started;
};
}  // namespace

static size_t EngInternetWriteCB(char *data, size_t size, size_t count, void *user) {
  EimTransfer *t = static_cast<EimTransfer *>(user);
  size_t bytes = size * count;
  t->reply_started = 1;
  EngUInt32 room = t->size - 1 - t->count;
  size_t take = bytes < room ? bytes : room;
  memcpy(t->buffer + t->count, data, take);
  t->count += EngUInt32(take);
  t->buffer[t->count] = 0;
  // Taking less than offered ends the transfer with a write error: the reply was cut.
  return take;
}

static size_t EngInternetHeaderCB(char *, size_t size, size_t count, void *user) {
  static_cast<EimTransfer *>(user)->reply_started = 1;
  return size * count;
}

// A failure reaching the server: its name, the connection, or the TLS handshake.
static bool EngInternetIsConnectionFailure(CURLcode code) {
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_ENGINE_INITFAILED:
      return true;
    default:
      return false;
  }
}

signed char EngInternetConnectAndReadURL_MAC(const char *url, char *out, EngUInt32 size, EngUInt32 *out_length,
                                             char *error_text, const char *name, int timeout_seconds, char) {
  if (out_length) *out_length = 0;
  if (!url || !url[0] || !out || size == 0) {
    DebugErrorAlt(ENG_FUNC, "Parameters Error");
    EngInternetSetErrorText(error_text, name, "Parameters Error");
    return 0;
  }
  // A game that did not set libcurl up (a tool, a test) gets it set up by its first read, once
  // whichever thread comes first. Each read has its own handle and buffer, so reads on different
  // threads never wait for each other.
  if (!CurlInterface_IsCurlInitialised() && !CurlInterface_InitCurl()) {
    // A failed set-up reads as no server.
    DebugErrorAlt(ENG_FUNC, "Curl is not setup.");
    EngInternetSetErrorText(error_text, name, "Internal Error EIM:04");
    return 0;
  }
  EimTransfer t = {static_cast<char *>(EngMalloc(size_t(size) + 1, "EngInternetConnectAndReadURL_MAC", 0)), size, 0,
                   0};
  if (!t.buffer) {
    DebugErrorAlt(ENG_FUNC, "No memory");
    EngInternetSetErrorText(error_text, name, "No memory");
    return 0;
  }
  t.buffer[0] = 0;
  if (timeout_seconds <= 0) timeout_seconds = 10;

  if (!CurlInterface_IsHttpUrl(url)) {
    DebugErrorAlt(ENG_FUNC, "curl_url_set() refused the URL (http and https only)");
    EngInternetSetErrorText(error_text, name, "Internal Error EIM:01");
    EngFree(t.buffer, 0, "EngInternetConnectAndReadURL_MAC");
    return 0;
  }
  CURL *curl = static_cast<CURL *>(CurlInterface_CallCurlEasyInit());
  if (!curl) {
    DebugErrorAlt(ENG_FUNC, "curl_easy_init() failed");
    EngInternetSetErrorText(error_text, name, "Internal Error EIM:02");
    EngFree(t.buffer, 0, "EngInternetConnectAndReadURL_MAC");
    return 0;
  }
  CurlTransferSetUp setup;
  setup.url = url;
  setup.write = EngInternetWriteCB;
  setup.write_data = &t;
  setup.header = EngInternetHeaderCB;
  setup.header_data = &t;
  setup.timeout_seconds = timeout_seconds;
  setup.connect_seconds = timeout_seconds;
  CURLcode code = CURLcode(CurlInterface_SetUpTransfer(curl, setup));
  if (code != CURLE_OK) {
    DebugErrorAlt(ENG_FUNC, "curl_easy_setopt() failed (%d: %s)", int(code), curl_easy_strerror(code));
    EngInternetSetErrorText(error_text, name, "Internal Error EIM:03");
    curl_easy_cleanup(curl);
    EngFree(t.buffer, 0, "EngInternetConnectAndReadURL_MAC");
    return 0;
  }

  code = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_cleanup(curl);

  signed char result = 1;
  const bool whole = code == CURLE_OK || (code == CURLE_WRITE_ERROR && t.count == size - 1);
  if (whole && (status < 200 || status > 299)) {
    // A redirect's or an error page's body is not the answer.
    DebugErrorAlt(ENG_FUNC, "HTTP status %ld", status);
    EngInternetSetErrorText(error_text, name, "Download Problem");
    EngFree(t.buffer, 0, "EngInternetConnectAndReadURL_MAC");
    return 0;
  } else if (whole) {
    // The buffer may be full: the rest of the reply is not wanted.
  } else if (!t.reply_started && code == CURLE_OPERATION_TIMEDOUT) {
    DebugErrorAlt(ENG_FUNC, "Timeout after %d seconds", timeout_seconds);
    EngInternetSetErrorText(error_text, name, "Timeout occured");
    EngFree(t.buffer, 0, "EngInternetConnectAndReadURL_MAC");
    return 0;
  } else if (!t.reply_started && EngInternetIsConnectionFailure(code)) {
    DebugErrorAlt(ENG_FUNC, "curl_easy_perform() could not connect (%d: %s)", int(code), curl_easy_strerror(code));
    EngInternetSetErrorText(error_text, name, "Internal Error EIM:04");
    EngFree(t.buffer, 0, "EngInternetConnectAndReadURL_MAC");
    return 0;
  } else {
    DebugErrorAlt(ENG_FUNC, "curl_easy_perform() Error (%d: %s)", int(code), curl_easy_strerror(code));
    result = -1;
  }
  EngUInt32 length = t.count < size - 1 ? t.count : size - 1;
  if (out_length) *out_length = length;
  memcpy(out, t.buffer, length);
  out[length] = 0;
  EngFree(t.buffer, 0, "EngInternetConnectAndReadURL_MAC");
  if (result < 0) EngInternetSetErrorText(error_text, name, "Download Problem");
  return result;
}
