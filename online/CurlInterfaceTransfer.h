// The libcurl side of the online back ends (CurlInterface and the EngInternet readers): a new easy
// handle, and the one set-up every transfer goes through, so no handle goes without what each must
// carry. It shows libcurl's types: only those back ends include it; everyone else has CurlInterface.h.
#pragma once

#include <curl/curl.h>

#include "online/CurlInterface.h"

// A new easy handle (a CURL *) with nothing set, or null when libcurl is not set up.
void *CurlInterface_CallCurlEasyInit();
// What one transfer sets on its handle. Every handle set up here also carries TLS verification
// (peer and host), IPv4, no signals, http and https only and no redirects.
struct CurlTransferSetUp {
  const char *url = nullptr;
  curl_write_callback write = nullptr;
  void *write_data = nullptr;
  curl_write_callback header = nullptr;
  void *header_data = nullptr;
  // With a progress function libcurl calls it while the transfer runs; nonzero ends it.
  curl_xferinfo_callback progress = nullptr;
  void *progress_data = nullptr;
  long timeout_seconds = 0;  // the whole transfer; 0 for no bound
  long connect_seconds = 0;
  // A transfer slower than stall_bytes_per_second for stall_seconds ends (0: never).
  long stall_seconds = 0;
  long stall_bytes_per_second = 0;
  curl_off_t max_bytes = 0;  // an announced larger reply is refused (0: no bound)
  // A POST of post_size bytes when post_body is set, else a GET.
  const void *post_body = nullptr;
  long post_size = 0;
  curl_slist *headers = nullptr;
  // An error status ends the transfer before its body is taken.
  bool fail_on_error = false;
};
// Returns the CURLcode (0 ok).
int CurlInterface_SetUpTransfer(void *easy_handle, const CurlTransferSetUp &transfer);
// Tests see each option that every handle must carry as it is set (a text option's value is 0,
// its text given; a number option's text is null).
typedef void (*CurlOptionRecorder)(void *easy_handle, int option, long value, const char *text);
void CurlInterface_SetOptionRecorderForTests(CurlOptionRecorder recorder);
