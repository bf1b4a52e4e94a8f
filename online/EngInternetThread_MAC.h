// The platform half of the background read: one HTTP GET over libcurl's multi interface, driven
// without waiting (curl_multi_perform) by the worker thread, which hands it the room left in its
// buffer at each call. It never sleeps or blocks; pacing and the time-out are the worker's.
#pragma once

#include "Engine/EngMutex.h"
#include "Engine/EngTypes.h"
#include "online/EngInternetThread.h"

class EngInternetThread_MAC {
 public:
  EngInternetThread_MAC(EngInternetThreadWorker *parent, const char *name);
  ~EngInternetThread_MAC();
  EngInternetThread_MAC(const EngInternetThread_MAC &) = delete;
  EngInternetThread_MAC &operator=(const EngInternetThread_MAC &) = delete;

  // The time-out is not used here: the worker enforces it.
  char PrepareForReading(const char *url, int timeout_seconds);
  // 1 in progress (with or without bytes), 2 complete, -2 failed. Bytes beyond the room are
  // not wanted: the reply is cut there and then reported complete.
  EngInternetThreadReadResult ReadFromOpenStream(char *buffer, EngUInt32 room, EngUInt32 *got);
  void DoneReading();
  void Cleanup();

  // libcurl's write callback.
  static size_t WriteCB_Static(char *data, size_t size, size_t count, void *user);

 private:
  size_t WriteCB(const char *data, size_t bytes);
  void CleanupLocked();

  EngInternetThreadWorker *m_parent;
  char m_name[16];
  void *m_multi = nullptr;
  void *m_easy = nullptr;
  char m_opened = 0;
  char m_data = 0;
  char m_finished = 0;
  char m_cut = 0;
  // The reply's status is not 2xx: its body is not taken and the read fails.
  char m_not_answer = 0;
  int m_result = 0;
  // Where the transfer writes during one call of ReadFromOpenStream.
  char *m_dest = nullptr;
  EngUInt32 m_room = 0;
  EngUInt32 m_got = 0;
  EngMutex m_lock;
};
