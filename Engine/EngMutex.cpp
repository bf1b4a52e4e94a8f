// Placeholder until the mutex module lands.
#include "Engine/EngMutex.h"

EngMutex::EngMutex(float lock_seconds) { if (lock_seconds > 0) Setup(lock_seconds); }
EngMutex::~EngMutex() { if (m_setup) pthread_mutex_destroy(&m_mutex); }
char EngMutex::Setup(float seconds) {
  if (m_setup) return 0;
  if (seconds > 0) m_attempts = EngInt32(seconds * 1000);
  m_setup = pthread_mutex_init(&m_mutex, nullptr) == 0;
  return m_setup;
}
char EngMutex::SetLockTime(float seconds) { m_attempts = seconds > 0 ? EngInt32(seconds * 1000) : 1000; return 1; }
char EngMutex::SetupIfNeeded() { return m_setup ? 1 : Setup(0); }
char EngMutex::SetupIfNeeded(float s) { return m_setup ? 1 : Setup(s); }
char EngMutex::Lock() { return m_setup && pthread_mutex_lock(&m_mutex) == 0; }
char EngMutex::Lock(float s) { SetupIfNeeded(s); return Lock(); }
char EngMutex::LockWaitForever() { return Lock(); }
char EngMutex::Unlock() { return m_setup && pthread_mutex_unlock(&m_mutex) == 0; }
char EngMutex::LockDebug(const char *, const char *) { return Lock(); }
char EngMutex::UnlockDebug(const char *, const char *) { return Unlock(); }
