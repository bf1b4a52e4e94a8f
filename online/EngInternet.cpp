#include "online/EngInternet.h"

#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"

char EngInternetIsConnected() { return EngInternetIsConnected_MAC(); }

signed char EngInternetConnectAndReadURL(const char *url, char *out, EngUInt32 size, EngUInt32 *out_length,
                                         char *error_text, const char *name, int timeout_seconds, char flag) {
  return EngInternetConnectAndReadURL_MAC(url, out, size, out_length, error_text, name, timeout_seconds, flag);
}

int EngInternetScanReplyNumbers(const char *text, size_t length, long long min, long long max, long long *values,
                                int count) {
  if (!text || !values) return 0;
  size_t at = 0;
  for (int read = 0; read < count; read++) {
    while (at < length && text[at] && strchr(" \t\n\v\f\r", text[at])) at++;
    const bool minus = at < length && text[at] == '-';
    if (at < length && (text[at] == '-' || text[at] == '+')) at++;
    const size_t first = at;
    unsigned long long magnitude = 0;
    for (; at < length && text[at] >= '0' && text[at] <= '9'; at++) {
      // Past any bound a reply can hold: no need to read further digits exactly.
      if (magnitude < 1000000000000000000ULL) magnitude = magnitude * 10 + unsigned(text[at] - '0');
    }
    if (at == first || magnitude >= 1000000000000000000ULL) return read;
    const long long value = minus ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    if (value < min || value > max) return read;
    values[read] = value;
  }
  return count;
}

void EngInternet::Release() {
  if (m_data) EngFree(m_data, 0, "EngInternet");
  if (m_error_text) EngFree(m_error_text, 0, "EngInternet");
  m_data = nullptr;
  m_error_text = nullptr;
  m_data_size = 0;
  m_skip_newlines = 0;
}

char EngInternet::ConnectAndReadURL(const char *url, const char *query, EngUInt32 size, char skip_newlines,
                                    int timeout_seconds, char echo) {
  // A second request on the same object would otherwise lose the first one's buffers.
  Release();
  m_error_text = static_cast<char *>(EngMalloc(ENG_INTERNET_ERROR_TEXT_SIZE, "ConnectAndReadURL", 0));
  if (!m_error_text) {
    Release();
    return 0;
  }
  m_error_text[0] = 0;
  m_skip_newlines = skip_newlines;
  if (!url || !url[0] || size == 0) {
    DebugErrorAlt(ENG_FUNC, "Invalid Parameters");
    Release();
    return 0;
  }
  m_data = static_cast<char *>(EngMalloc(size_t(size) + 1, "ConnectAndReadURL", 0));
  if (!m_data) {
    Release();
    return 0;
  }
  m_data[0] = 0;
  size_t url_length = strlen(url) + (query ? strlen(query) + 1 : 0) + 1;
  char *full_url = static_cast<char *>(EngMalloc(url_length, "ConnectAndReadURL", 0));
  if (!full_url) {
    Release();
    return 0;
  }
  if (query)
    snprintf(full_url, url_length, "%s?%s", url, query);
  else
    snprintf(full_url, url_length, "%s", url);
  if (echo) DebugInfoAlt(ENG_FUNC, "URL: [%s]", full_url);
  signed char result =
      EngInternetConnectAndReadURL(full_url, m_data, size, &m_data_size, m_error_text, nullptr, timeout_seconds, echo);
  EngFree(full_url, 0, "ConnectAndReadURL");
  if (result >= 1) return 1;
  Release();
  return 0;
}

char *EngInternet::GetData() {
  if (!m_data || m_data_size == 0) {
    DebugErrorAlt(ENG_FUNC, "No Data");
    return nullptr;
  }
  char *p = m_data;
  if (m_skip_newlines) {
    if (m_data_size == 1) {
      if (p[0] == '\n') p++;
    } else if (p[0] == '\n') {
      p++;
      if (p[0] == '\n') p++;
    }
  }
  return p;
}
