#include "online/EngInternetThread_MAC.h"

#include <curl/curl.h>

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "online/CurlInterfaceTransfer.h"

EngInternetThread_MAC::EngInternetThread_MAC(EngInternetThreadWorker *parent, const char *name) : m_parent(parent) {
  m_name[0] = 0;
  if (name) EngSafeStrcpy(m_name, name, sizeof(m_name));
  m_lock.Setup(2.0f);
}

EngInternetThread_MAC::~EngInternetThread_MAC() { Cleanup(); }

char EngInternetThread_MAC::PrepareForReading(const char *url, int) {
  if (!m_parent) {
    DebugErrorAlt(ENG_FUNC, "No parent.");
    return 0;
  }
  if (!m_lock.Lock()) return 0;
  if (!url || !url[0]) {
    m_lock.Unlock();
    DebugErrorAlt(ENG_FUNC, "No URL");
    return 0;
  }
  if (m_multi || m_easy) {
    m_lock.Unlock();
    DebugErrorAlt(ENG_FUNC, "Streams are not NULL.");
    return 0;
  }
  const char *failure = nullptr;
  if (!CurlInterface_IsHttpUrl(url)) failure = "curl_url_set() refused the URL (http and https only)";
  if (!failure && !(m_easy = CurlInterface_CallCurlEasyInit())) failure = "curl_easy_init() failed";
  if (!failure) {
    CURL *easy = static_cast<CURL *>(m_easy);
    CurlTransferSetUp setup;
    setup.url = url;
    setup.write = WriteCB_Static;
    setup.write_data = this;
    CURLcode code = CURLcode(CurlInterface_SetUpTransfer(easy, setup));
    if (code != CURLE_OK) failure = "curl_easy_setopt() failed";
  }
  if (!failure && !(m_multi = curl_multi_init())) failure = "curl_multi_init() failed";
  if (!failure && curl_multi_add_handle(static_cast<CURLM *>(m_multi), static_cast<CURL *>(m_easy)) != CURLM_OK) {
    curl_multi_cleanup(static_cast<CURLM *>(m_multi));
    m_multi = nullptr;
    failure = "curl_multi_add_handle() failed";
  }
  if (failure) {
    CleanupLocked();
    m_lock.Unlock();
    DebugErrorAlt(ENG_FUNC, "%s", failure);
    return 0;
  }
  m_opened = 0;
  m_data = 0;
  m_finished = 0;
  m_cut = 0;
  m_not_answer = 0;
  m_result = 0;
  m_lock.Unlock();
  return 1;
}

size_t EngInternetThread_MAC::WriteCB_Static(char *data, size_t size, size_t count, void *user) {
  if (!user) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  return static_cast<EngInternetThread_MAC *>(user)->WriteCB(data, size * count);
}

// Only a 2xx reply is an answer: a redirect's or an error page's body is no data.
static bool EngInternetThreadIsAnswer(void *easy) {
  long status = 0;
  return curl_easy_getinfo(static_cast<CURL *>(easy), CURLINFO_RESPONSE_CODE, &status) == CURLE_OK &&
         status >= 200 && status <= 299;
}

size_t EngInternetThread_MAC::WriteCB(const char *data, size_t bytes) {
  if (!m_dest) return 0;
  if (!EngInternetThreadIsAnswer(m_easy)) {
    m_not_answer = 1;
    return 0;
  }
  size_t left = m_room - m_got;
  if (bytes <= left) {
    memcpy(m_dest + m_got, data, bytes);
    m_got += EngUInt32(bytes);
    return bytes;
  }
  // The worker's buffer ends here: the rest is not wanted, and taking less than offered ends
  // the transfer.
  memcpy(m_dest + m_got, data, left);
  m_got += EngUInt32(left);
  m_cut = 1;
  return left;
}

EngInternetThreadReadResult EngInternetThread_MAC::ReadFromOpenStream(char *buffer, EngUInt32 room, EngUInt32 *got) {
  if (!m_lock.Lock()) return ENG_INTERNET_THREAD_FAILED;
  if (!m_multi || !m_easy) {
    m_lock.Unlock();
    DebugErrorAlt(ENG_FUNC, "Not setup properly");
    return ENG_INTERNET_THREAD_FAILED;
  }
  if (!buffer || !room || !got) {
    m_lock.Unlock();
    DebugErrorAlt(ENG_FUNC, "Parameters error");
    return ENG_INTERNET_THREAD_FAILED;
  }
  *got = 0;
  if (m_cut) {
    m_lock.Unlock();
    return ENG_INTERNET_THREAD_DONE;
  }
  if (!m_finished) {
    m_dest = buffer;
    m_room = room;
    m_got = 0;
    int running = 0;
    CURLMcode multi_code = curl_multi_perform(static_cast<CURLM *>(m_multi), &running);
    m_dest = nullptr;
    if (multi_code != CURLM_OK) {
      m_lock.Unlock();
      DebugErrorAlt(ENG_FUNC, "curl_multi_perform() failed (%d: %s)", int(multi_code),
                    curl_multi_strerror(multi_code));
      return ENG_INTERNET_THREAD_FAILED;
    }
    m_opened = 1;
    int left = 0;
    while (CURLMsg *message = curl_multi_info_read(static_cast<CURLM *>(m_multi), &left)) {
      if (message->msg == CURLMSG_DONE) {
        m_finished = 1;
        m_result = int(message->data.result);
      }
    }
    *got = m_got;
    if (m_got > 0) {
      m_data = 1;
      m_lock.Unlock();
      return ENG_INTERNET_THREAD_READING;
    }
  }
  if (!m_finished) {
    m_lock.Unlock();
    return ENG_INTERNET_THREAD_READING;
  }
  if (!m_not_answer && (m_result == CURLE_OK || m_cut) && !EngInternetThreadIsAnswer(m_easy)) m_not_answer = 1;
  if (m_not_answer) {
    long status = 0;
    curl_easy_getinfo(static_cast<CURL *>(m_easy), CURLINFO_RESPONSE_CODE, &status);
    m_lock.Unlock();
    DebugErrorAlt(ENG_FUNC, "HTTP status %ld", status);
    return ENG_INTERNET_THREAD_FAILED;
  }
  if (m_result == CURLE_OK || m_cut) {
    m_data = 1;
    m_lock.Unlock();
    return ENG_INTERNET_THREAD_DONE;
  }
  char had_data = m_data;
  int result = m_result;
  m_lock.Unlock();
  if (!had_data)
    DebugNoteAlt(2, ENG_FUNC, "EITM > Could not read any data.");
  else
    DebugErrorAlt(ENG_FUNC, "curl_multi_info_read() Error (%d: %s)", result, curl_easy_strerror(CURLcode(result)));
  return ENG_INTERNET_THREAD_FAILED;
}

void EngInternetThread_MAC::DoneReading() { Cleanup(); }

void EngInternetThread_MAC::Cleanup() {
  if (!m_lock.Lock()) return;
  CleanupLocked();
  m_lock.Unlock();
}

void EngInternetThread_MAC::CleanupLocked() {
  if (m_multi && m_easy) curl_multi_remove_handle(static_cast<CURLM *>(m_multi), static_cast<CURL *>(m_easy));
  if (m_easy) curl_easy_cleanup(static_cast<CURL *>(m_easy));
  if (m_multi) curl_multi_cleanup(static_cast<CURLM *>(m_multi));
  m_easy = nullptr;
  m_multi = nullptr;
  m_opened = 0;
}
