#include "online/EngInternetThread.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "online/CurlInterface.h"
#include "online/EngInternetThread_MAC.h"

// ---- Worker -------------------------------------------------------------------------------

// The worker reads the clock without moving the frame's time under the main loop's feet.
static double EngInternetThreadWorkerNow() { return EngMainGetCurrentTimeWithoutUpdatingGlobalCurrentTime(); }

EngInternetThreadWorker::EngInternetThreadWorker(const char *name, char verbosity)
    : EngThread(name, verbosity, 1), m_lock(0.0f) {
  m_lock.Setup(5.0f);
}

EngInternetThreadWorker::~EngInternetThreadWorker() {
  // The thread's callbacks use this part of the object: stop it before it goes.
  EngThread::Destroy(1);
  FreeData();
}

void EngInternetThreadWorker::FreeData() {
  if (m_buffer) EngFree(m_buffer, 0, "EngInternetThreadWorker");
  if (m_url) EngFree(m_url, 0, "EngInternetThreadWorker");
  m_buffer = nullptr;
  m_url = nullptr;
}

char EngInternetThreadWorker::Setup(const char *url, EngUInt32 max_bytes, int timeout_seconds) {
  if (!m_lock.Lock()) return 0;
  m_capacity_requested = max_bytes;
  m_buffer_capacity = max_bytes;
  m_timeout = timeout_seconds > 0 ? timeout_seconds : 15;
  // A fresh reading: the frame's time may be old when the main loop is not running.
  m_deadline = EngMainUpdateCurrentTime() + m_timeout;
  FreeData();
  m_url = EngMallocStringFromString(url, 0, "Setup");
  m_buffer = static_cast<char *>(EngMalloc(size_t(max_bytes) + 1, "Setup", 0));
  if (!m_url || !m_buffer) {
    FreeData();
    m_lock.Unlock();
    return 0;
  }
  m_bytes_read = 0;
  m_buffer[0] = 0;
  m_start = 1;
  m_stop = 0;
  m_status = ENG_INTERNET_THREAD_READING;
  m_lock.Unlock();
  SetThreadTickSleepTime(0.1);
  if (!Create(m_name)) {
    m_lock.Lock();
    FreeData();
    m_status = 0;
    m_start = 0;
    m_lock.Unlock();
    return 0;
  }
  return 1;
}

char EngInternetThreadWorker::InitCB() {
  if (m_verbosity) DebugInfoAlt(ENG_FUNC, "ETW> InitCB()");
  m_reader = new EngInternetThread_MAC(this, m_name);
  return 1;
}

char EngInternetThreadWorker::TickCB() {
  if (m_verbosity >= 2) DebugInfoAlt(ENG_FUNC, "ETW> TickCB()");
  if (!m_lock.Lock()) return 0;
  if (!m_reader) {
    m_lock.Unlock();
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (m_stop) {
    m_lock.Unlock();
    if (m_verbosity) DebugInfoAlt(ENG_FUNC, "ETW> Exiting thread...");
    return 0;
  }
  if (m_start) {
    if (m_verbosity) DebugInfoAlt(ENG_FUNC, "ETW> Starting reading...");
    // Lock order: the worker's, then the reader's.
    char prepared = m_reader->PrepareForReading(m_url, m_timeout);
    m_start = 0;
    if (!prepared) {
      DebugErrorAlt(ENG_FUNC, "Could not prepare for reading.");
      if (m_status.load() == ENG_INTERNET_THREAD_READING) m_status = ENG_INTERNET_THREAD_FAILED;
      m_lock.Unlock();
      return 0;
    }
    m_lock.Unlock();
    if (m_verbosity) DebugInfoAlt(ENG_FUNC, "ETW> Started reading.");
    return 1;
  }
  EngInternetThreadReadResult status = m_status.load();
  if (status != ENG_INTERNET_THREAD_READING) {
    m_lock.Unlock();
    if (m_verbosity) DebugInfoAlt(ENG_FUNC, "ETW> status is %d so returning 0.", int(status));
    return 0;
  }
  if (EngInternetThreadWorkerNow() >= m_deadline) {
    m_status = ENG_INTERNET_THREAD_TIMED_OUT;
    m_lock.Unlock();
    if (m_verbosity) DebugInfoAlt(ENG_FUNC, "ETW> Timeout reading data (B)");
    return 0;
  }
  if (m_verbosity) DebugInfoPeriodically(&m_next_chunk_report, 1.0, "ETW> Reading data chunk...");
  char *buffer = m_buffer;
  m_lock.Unlock();

  EngInternetThreadReadResult result = ReadDataChunk();

  if (!m_lock.Lock()) return 0;
  if (m_buffer != buffer) {
    m_lock.Unlock();
    DebugErrorAlt(ENG_FUNC, "Class modified.");
    return 0;
  }
  // A cancel that came during the read stands.
  if (m_status.load() == ENG_INTERNET_THREAD_READING) m_status = result;
  status = m_status.load();
  m_lock.Unlock();
  if (status != ENG_INTERNET_THREAD_READING && status != ENG_INTERNET_THREAD_DONE) {
    if (m_verbosity)
      DebugInfoAlt(ENG_FUNC, "ETW> status is not in progress or done (%d) so returning 0.", int(status));
    return 0;
  }
  return 1;
}

EngInternetThreadReadResult EngInternetThreadWorker::ReadDataChunk() {
  if (!m_lock.Lock()) return ENG_INTERNET_THREAD_FAILED;
  if (!m_reader || !m_buffer || !m_url || !m_url[0]) {
    m_lock.Unlock();
    DebugErrorAlt(ENG_FUNC, "Not setup properly");
    return ENG_INTERNET_THREAD_FAILED;
  }
  if (m_verbosity == 1) DebugInfoPeriodically(&m_next_chunks_report, 1.0, "ETW> Reading Data Chunks...");
  if (m_verbosity >= 2) DebugInfoAlt(ENG_FUNC, "ETW> Reading Data Chunk...");
  char *buffer = m_buffer;
  EngUInt32 room = m_buffer_capacity - m_bytes_read;
  char *write_position = m_buffer + m_bytes_read;
  m_lock.Unlock();

  // The buffer is full: a longer reply is cut here and counts as complete.
  if (room <= 1) return ENG_INTERNET_THREAD_DONE;
  memset(write_position, 0, room - 1);
  EngUInt32 got = 0;
  EngInternetThreadReadResult result = m_reader->ReadFromOpenStream(write_position, room - 1, &got);

  if (!m_lock.Lock()) return ENG_INTERNET_THREAD_FAILED;
  if (!m_buffer) {
    m_lock.Unlock();
    DebugErrorAlt(ENG_FUNC, "No buffer anymore.");
    return ENG_INTERNET_THREAD_FAILED;
  }
  if (m_buffer != buffer) {
    m_lock.Unlock();
    DebugErrorAlt(ENG_FUNC, "Class gone.");
    return ENG_INTERNET_THREAD_FAILED;
  }
  if (m_verbosity >= 2) DebugInfoAlt(ENG_FUNC, "ETW>     Read [%d] [%lu]", int(result), (unsigned long)got);
  if (result == ENG_INTERNET_THREAD_READING && EngInternetThreadWorkerNow() >= m_deadline) {
    m_buffer[m_bytes_read] = 0;
    m_lock.Unlock();
    return ENG_INTERNET_THREAD_TIMED_OUT;
  }
  if (result != ENG_INTERNET_THREAD_READING && result != ENG_INTERNET_THREAD_DONE) {
    m_buffer[m_bytes_read] = 0;
    m_lock.Unlock();
    return result;
  }
  if (got > room - 1) got = room - 1;
  m_bytes_read += got;
  m_buffer[m_bytes_read] = 0;
  if (m_bytes_read >= m_buffer_capacity) {
    m_lock.Unlock();
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return ENG_INTERNET_THREAD_FAILED;
  }
  m_lock.Unlock();
  return result;
}

void EngInternetThreadWorker::ExitCB(char) {
  if (m_verbosity) DebugInfoAlt(ENG_FUNC, "ETW> Exiting...");
  if (m_verbosity) DebugInfoAlt(ENG_FUNC, "ETW> Destroying worker...");
  delete m_reader;
  m_reader = nullptr;
  if (m_verbosity) DebugInfoAlt(ENG_FUNC, "ETW> Worker destroyed.");
  // The final status and data stay for the owner to take; a read that never finished failed.
  m_lock.Lock();
  m_start = 0;
  if (m_status.load() == ENG_INTERNET_THREAD_READING) m_status = ENG_INTERNET_THREAD_FAILED;
  m_lock.Unlock();
  if (m_verbosity) DebugInfoAlt(ENG_FUNC, "ETW> Exited.");
}

EngInternetThreadReadResult EngInternetThreadWorker::GetWorkerReadingStatus() {
  if (!m_lock.Lock()) return ENG_INTERNET_THREAD_FAILED;
  EngInternetThreadReadResult status = m_status.load();
  double deadline = m_deadline;
  m_lock.Unlock();
  if (status == ENG_INTERNET_THREAD_READING && eng_main_current_time.load() >= deadline) {
    if (m_verbosity) DebugInfoAlt(ENG_FUNC, "ETW> Timeout reading data");
    return ENG_INTERNET_THREAD_TIMED_OUT;
  }
  return status;
}

char *EngInternetThreadWorker::GetWorkerDataRead(EngUInt32 *size) {
  if (size) *size = 0;
  if (!m_lock.Lock()) return nullptr;
  const char *problem = nullptr;
  if (!m_buffer)
    problem = "Not reading data";
  else if (m_status.load() == ENG_INTERNET_THREAD_READING)
    problem = "Reading has not finished";
  else if (m_status.load() != ENG_INTERNET_THREAD_DONE)
    problem = "Reading did not complete ok";
  if (problem) {
    m_lock.Unlock();
    DebugErrorAlt(ENG_FUNC, "%s", problem);
    return nullptr;
  }
  EngUInt32 bytes = m_bytes_read;
  if (m_buffer_capacity > 0 && bytes > m_buffer_capacity - 1) bytes = m_buffer_capacity - 1;
  char *copy = static_cast<char *>(EngMalloc(size_t(bytes) + 1, "GetWorkerDataRead", 0));
  if (copy) {
    memcpy(copy, m_buffer, bytes);
    copy[bytes] = 0;
    if (size) *size = bytes;
  }
  m_lock.Unlock();
  return copy;
}

void EngInternetThreadWorker::Cancel() {
  if (!m_lock.Lock()) return;
  if (m_status.load() == ENG_INTERNET_THREAD_READING) m_status = ENG_INTERNET_THREAD_CANCELLED;
  m_stop = 1;
  m_lock.Unlock();
}

void EngInternetThreadWorker::RequestStop() {
  if (!m_lock.Lock()) return;
  m_stop = 1;
  m_lock.Unlock();
}

// ---- Handle -------------------------------------------------------------------------------

EngInternetThread::EngInternetThread(const char *name, char debug) : m_debug(debug) {
  m_name[0] = 0;
  if (name) EngSafeStrcpy(m_name, name, sizeof(m_name));
}

EngInternetThread::~EngInternetThread() { Destroy(); }

char EngInternetThread::StartReading(const char *url, EngUInt32 max_bytes, int timeout_seconds) {
  if (m_debug) DebugInfoAlt(ENG_FUNC, "EIT> StartReading...");
  Destroy();
  if (!url || !url[0] || max_bytes == 0) {
    DebugErrorAlt(ENG_FUNC, "Parameters Error");
    return 0;
  }
  if (m_worker) {
    DebugErrorAlt(ENG_FUNC, "Thread already created.");
    return 0;
  }
  // libcurl's global set-up belongs on the owner's thread, never the worker's.
  if (!CurlInterface_IsCurlInitialised() && !CurlInterface_InitCurl()) return 0;
  m_worker = new EngInternetThreadWorker(m_name, m_debug);
  if (!m_worker->Setup(url, max_bytes, timeout_seconds)) {
    DebugErrorAlt(ENG_FUNC, "Setup failed.");
    delete m_worker;
    m_worker = nullptr;
    return 0;
  }
  return 1;
}

EngInternetThreadReadResult EngInternetThread::GetReadingStatus(double sleep_seconds) {
  if (!m_worker) {
    DebugErrorAlt(ENG_FUNC, "No thread.");
    return ENG_INTERNET_THREAD_FAILED;
  }
  EngInternetThreadReadResult status = m_worker->GetWorkerReadingStatus();
  if (status == ENG_INTERNET_THREAD_READING && sleep_seconds > 0) EngMiscSleepWithHang(sleep_seconds);
  return status;
}

char *EngInternetThread::GetDataReadFreeWhenDone(EngUInt32 *size) {
  if (size) *size = 0;
  if (!m_worker) {
    DebugErrorAlt(ENG_FUNC, "No thread");
    return nullptr;
  }
  EngInternetThreadReadResult status = m_worker->GetWorkerReadingStatus();
  if (status == ENG_INTERNET_THREAD_READING) {
    DebugErrorAlt(ENG_FUNC, "Reading has not finished");
    return nullptr;
  }
  if (status != ENG_INTERNET_THREAD_DONE) {
    DebugErrorAlt(ENG_FUNC, "Reading did not complete ok");
    return nullptr;
  }
  return m_worker->GetWorkerDataRead(size);
}

char EngInternetThread::CancelReading() {
  if (!m_worker) return 1;
  if (m_debug) DebugInfoAlt(ENG_FUNC, "EIT> CancelReading().");
  m_worker->Cancel();
  return 1;
}

char EngInternetThread::IsThreadRunning() { return m_worker ? m_worker->IsRunning() : 0; }

void EngInternetThread::WaitForThreadToExit() {
  if (!m_worker) return;
  m_worker->RequestStop();
  double start = EngMainUpdateCurrentTime();
  double next_report = 0.0;
  while (m_worker->IsRunning() && EngMainUpdateCurrentTime() - start < 180.0) {
    EngMiscSleepWithHang(0.1);
    if (m_debug)
      DebugInfoPeriodically(&next_report, 1.0, "EIT> Waiting for worker to finish [%.1f] ...",
                            eng_main_current_time.load());
  }
  if (m_worker->IsRunning()) DebugErrorAlt(ENG_FUNC, "Worker did not finish.");
}

void EngInternetThread::Destroy() {
  if (!m_worker) return;
  if (m_debug) DebugInfoAlt(ENG_FUNC, "EIT> Destroy() ...");
  WaitForThreadToExit();
  m_worker->Destroy(1);
  delete m_worker;
  m_worker = nullptr;
  if (m_debug) DebugInfoAlt(ENG_FUNC, "EIT> Destroy() done.");
}

EngInternetThreadReadResult EngInternetThread::WaitForReadingToComplete() {
  if (!m_worker) {
    DebugErrorAlt(ENG_FUNC, "No thread.");
    return ENG_INTERNET_THREAD_FAILED;
  }
  EngInternetThreadReadResult status = GetReadingStatus(0);
  if (status != ENG_INTERNET_THREAD_READING) return status;
  double start = EngMainUpdateCurrentTime();
  double next_report = 0.0;
  while (GetReadingStatus(0.1) == ENG_INTERNET_THREAD_READING && EngMainUpdateCurrentTime() - start < 30.0) {
    if (m_debug) DebugInfoPeriodically(&next_report, 1.0, "EIT>  Waiting for reading to complete...");
  }
  status = GetReadingStatus(0);
  WaitForThreadToExit();
  delete m_worker;
  m_worker = nullptr;
  return status;
}
