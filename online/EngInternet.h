// The small internet module: URL percent-encoding and decoding, a connectivity query and a
// blocking HTTP GET of a short reply (version checks, one-line server answers) into a buffer.
// The read itself is the platform back end's (EngInternet_MAC, over libcurl).
#pragma once

#include <cstddef>

#include "Engine/EngTypes.h"

enum { ENG_INTERNET_ERROR_TEXT_SIZE = 128 };

// Always 1: nothing tests the network before a request; the request itself reports failure.
char EngInternetIsConnected();

// New buffers from malloc (free them with free), or null when out of memory or given null.
// Letters, digits and "-._~" stay, a blank becomes '+', every other byte "%xx" in lower case.
char *EngInternetURLEncodeString(const char *text);
// '+' gives a blank and "%xy" one byte; a '%' too close to the end is dropped. Never reads
// past the terminating NUL.
char *EngInternetURLDecodeString(const char *text);

// Reads up to count decimal numbers from the first length bytes of a reply, each after optional
// white space and with an optional sign, as "%d %d" reads them; but a number outside min..max
// ends the reading (it is refused, never wrapped). Returns how many were read in a row; the
// values after them keep what they held.
int EngInternetScanReplyNumbers(const char *text, size_t length, long long min, long long max, long long *values,
                                int count);

// Reads the reply to a GET of url into out (at most size - 1 bytes, NUL-terminated; a longer
// reply is cut there and counts as complete). Returns 1 when read, 0 on a failure before any
// reply arrived (bad parameters, no connection, time-out) and -1 on a failure while reading
// (out then holds what had arrived). The time-out (10 s when 0 or less) bounds the whole
// transfer. error_text (ENG_INTERNET_ERROR_TEXT_SIZE bytes, may be null) gets the reason,
// after "name - " when a name is given. Safe to call from any thread; each call is its own
// transfer.
signed char EngInternetConnectAndReadURL(const char *url, char *out, EngUInt32 size, EngUInt32 *out_length,
                                         char *error_text, const char *name, int timeout_seconds, char flag);

// One request: joins a base URL and a query, owns the reply and an error text. The user
// releases data and error text with EngFree and then deletes the object (see Release).
class EngInternet {
 public:
  // url, then "?" and the query when one is given (an empty query leaves the "?").
  char ConnectAndReadURL(const char *url, const char *query, EngUInt32 size, char skip_newlines, int timeout_seconds,
                         char echo);
  // The reply, after one or two leading newlines when skipping them; null with "No Data".
  char *GetData();
  EngUInt32 GetDataSize() const { return m_data_size; }
  const char *GetErrorText() const { return m_error_text; }
  // Frees data and error text (what the user would do with EngFree).
  void Release();

  char *m_data = nullptr;
  char *m_error_text = nullptr;
  EngUInt32 m_data_size = 0;
  char m_skip_newlines = 0;
};

// The platform back end.
char EngInternetIsConnected_MAC();
signed char EngInternetConnectAndReadURL_MAC(const char *url, char *out, EngUInt32 size, EngUInt32 *out_length,
                                             char *error_text, const char *name, int timeout_seconds, char flag);
