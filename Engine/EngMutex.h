// A POSIX mutex whose lock is retried in 1 ms steps up to a time limit, then fails with
// "Could not lock mutex." on standard error. The debug log rests on it.
#pragma once

#include <pthread.h>

#include "Engine/EngTypes.h"

class EngMutex {
 public:
  explicit EngMutex(float lock_seconds = 0.0f);
  ~EngMutex();
  EngMutex(const EngMutex &) = delete;
  EngMutex &operator=(const EngMutex &) = delete;

  char Setup(float seconds);
  char SetLockTime(float seconds);
  char IsSetup() const { return m_setup; }
  char SetupIfNeeded();
  char SetupIfNeeded(float seconds);
  char Lock();
  char Lock(float seconds);
  char LockWaitForever();
  char Unlock();
  char LockDebug(const char *owner, const char *function);
  char UnlockDebug(const char *owner, const char *function);

 private:
  pthread_mutex_t m_mutex;
  char m_setup = 0;
  EngInt32 m_attempts = 1000;
};
