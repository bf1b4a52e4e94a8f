#include "Engine/EngMutex.h"

#include <cerrno>

#include "Engine/EngDebug.h"
#include "Engine/EngMisc.h"

// The lock time in seconds becomes a count of 1 ms tries.
static EngInt32 EngMutexAttemptsForSeconds(float seconds) {
  if (seconds <= 0.0f) return 1000;
  EngInt32 attempts = EngInt32(seconds * 1000.0f);
  // A positive time shorter than one try still deserves that one try.
  return attempts < 1 ? 1 : attempts;
}

EngMutex::EngMutex(float lock_seconds) {
  if (lock_seconds > 0.0f) Setup(lock_seconds);
}

EngMutex::~EngMutex() {
  if (m_setup) {
    pthread_mutex_destroy(&m_mutex);
    m_setup = 0;
  }
}

char EngMutex::Setup(float seconds) {
  if (m_setup) {
    DebugErrorQuickAlt(ENG_FUNC, "Already setup.");
    return 0;
  }
  if (seconds > 0.0f) m_attempts = EngMutexAttemptsForSeconds(seconds);
  m_setup = pthread_mutex_init(&m_mutex, nullptr) == 0 ? 1 : 0;
  return m_setup;
}

char EngMutex::SetLockTime(float seconds) {
  m_attempts = EngMutexAttemptsForSeconds(seconds);
  return 1;
}

char EngMutex::SetupIfNeeded() { return m_setup ? 1 : Setup(0.0f); }

char EngMutex::SetupIfNeeded(float seconds) { return m_setup ? 1 : Setup(seconds); }

char EngMutex::Lock() {
  if (!m_setup) {
    DebugErrorQuickAlt(ENG_FUNC, "Mutex not setup.");
    return 0;
  }
  for (EngInt32 attempt = 0; attempt < m_attempts; attempt++) {
    int result = pthread_mutex_trylock(&m_mutex);
    if (result == 0) return 1;
    if (result == EBUSY) EngMiscCallPlatformSleepFunc(0.001);
  }
  DebugErrorQuickAlt(ENG_FUNC, "Could not lock mutex.");
  return 0;
}

char EngMutex::Lock(float seconds) {
  if (!m_setup && !Setup(seconds)) {
    DebugErrorQuickAlt(ENG_FUNC, "Mutex not setup.");
    return 0;
  }
  return Lock();
}

char EngMutex::LockWaitForever() {
  if (!m_setup) {
    DebugErrorQuickAlt(ENG_FUNC, "Mutex not setup (forever).");
    return 0;
  }
  while (pthread_mutex_trylock(&m_mutex) != 0) EngMiscCallPlatformSleepFunc(0.001);
  return 1;
}

char EngMutex::Unlock() {
  if (!m_setup) return 0;
  return pthread_mutex_unlock(&m_mutex) == 0 ? 1 : 0;
}

char EngMutex::LockDebug(const char *owner, const char *function) {
  if (owner)
    DebugInfo("%s: %s(): Locking mutex.", owner, function ? function : "");
  else
    DebugInfo("%s(): Locking mutex.", function ? function : "");
  return Lock();
}

char EngMutex::UnlockDebug(const char *owner, const char *function) {
  if (owner)
    DebugInfo("%s: %s(): Unlocking mutex.", owner, function ? function : "");
  else
    DebugInfo("%s(): Unlocking mutex.", function ? function : "");
  return Unlock();
}
