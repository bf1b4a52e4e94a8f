// A background HTTP GET: the owner starts the read of one URL, polls its status each tick
// without blocking, then takes the data or cancels. A worker thread drives the platform reader
// (EngInternetThread_MAC) one chunk per 0.1 s tick.
#pragma once

#include <atomic>
#include <cstdint>

#include "Engine/EngMutex.h"
#include "Engine/EngThread.h"
#include "Engine/EngTypes.h"

// 0: no read under way.
typedef EngInt32 EngInternetThreadReadResult;
enum : EngInt32 {
  ENG_INTERNET_THREAD_READING = 1,
  ENG_INTERNET_THREAD_DONE = 2,
  ENG_INTERNET_THREAD_TIMED_OUT = -1,
  ENG_INTERNET_THREAD_FAILED = -2,
  ENG_INTERNET_THREAD_CANCELLED = -3,
};

class EngInternetThread_MAC;

class EngInternetThreadWorker : public EngThread {
 public:
  EngInternetThreadWorker(const char *name, char verbosity);
  ~EngInternetThreadWorker() override;

  char InitCB() override;
  char TickCB() override;
  void ExitCB(char exiting) override;

  char Setup(const char *url, EngUInt32 max_bytes, int timeout_seconds);
  EngInternetThreadReadResult ReadDataChunk();
  EngInternetThreadReadResult GetWorkerReadingStatus();
  // A new EngMalloc copy of the data (free it with EngFree), or null.
  char *GetWorkerDataRead(EngUInt32 *size);

  // The owner's side of cancelling and stopping.
  void Cancel();
  void RequestStop();

 private:
  void FreeData();

  EngInternetThread_MAC *m_reader = nullptr;
  EngMutex m_lock;
  char m_start = 0;
  char m_stop = 0;
  // Written under the lock; read without it by quick polls.
  std::atomic<int32_t> m_status{0};
  char *m_url = nullptr;
  char *m_buffer = nullptr;
  EngUInt32 m_bytes_read = 0;
  EngUInt32 m_capacity_requested = 0;
  EngUInt32 m_buffer_capacity = 0;
  double m_deadline = 0.0;
  EngInt32 m_timeout = 0;
  double m_next_chunk_report = 0.0;
  double m_next_chunks_report = 0.0;
};

// The owner's handle (main thread). A finished read's status and data stay until they are
// taken by a new read or the handle is destroyed, however long after the thread ended.
class EngInternetThread {
 public:
  EngInternetThread(const char *name, char debug);
  ~EngInternetThread();
  EngInternetThread(const EngInternetThread &) = delete;
  EngInternetThread &operator=(const EngInternetThread &) = delete;

  // At most max_bytes - 1 bytes are read; a longer reply is cut there and counts as complete.
  // A time-out of 0 or less gives 15 s.
  char StartReading(const char *url, EngUInt32 max_bytes, int timeout_seconds);
  EngInternetThreadReadResult GetReadingStatus(double sleep_seconds);
  char *GetDataReadFreeWhenDone(EngUInt32 *size);
  char CancelReading();
  char IsThreadRunning();
  EngInternetThreadReadResult WaitForReadingToComplete();
  void WaitForThreadToExit();
  void Destroy();

 private:
  char m_name[16];
  char m_debug = 0;
  EngInternetThreadWorker *m_worker = nullptr;
};
