#include "Engine/EngThread.h"

#include <cerrno>
#include <cstdio>
#include <mutex>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"

// Its address tells the threads apart: who holds an object's mutex, who is its worker.
static thread_local char eng_thread_identity = 0;

static const void *EngThreadMyIdentity() { return &eng_thread_identity; }

// Lines the owner and the worker print on standard output; flushed so they interleave in order.
static void EngThreadPrintLine(const char *text) {
  fputs(text, stdout);
  fputc('\n', stdout);
  fflush(stdout);
}

static double EngThreadNonNegative(double seconds) { return seconds < 0.0 ? 0.0 : seconds; }

EngThread::EngThread(const char *name, char verbosity, char flag) {
  if (verbosity == 2) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Constructed.%s", name ? name : "", "");
  m_name[0] = 0;
  if (name) EngSafeStrcpy(m_name, name, sizeof(m_name));
  m_verbosity = verbosity;
  m_flag = flag;
  ResetVars();
}

EngThread::~EngThread() {
  if (m_verbosity >= 2) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Destructed.%s", m_name, "");
  Destroy(1);
}

char EngThread::InitCB() { return 1; }

char EngThread::TickCB() { return m_tick_cb ? m_tick_cb(m_tick_cb_user) : 1; }

void EngThread::ExitCB(char) {
  if (m_exit_cb) m_exit_cb(m_exit_cb_user);
}

void EngThread::SetThreadTickCallback(EngThreadTickCallback callback, void *user) {
  m_tick_cb = callback;
  m_tick_cb_user = user;
}

void EngThread::SetThreadExitCallback(EngThreadExitCallback callback, void *user) {
  m_exit_cb = callback;
  m_exit_cb_user = user;
}

void EngThread::SetThreadTickSleepTime(double seconds) {
  if (!(seconds > 0.0)) {
    m_tick_sleep_us = 0;
    return;
  }
  // Whole milliseconds, capped where the microseconds would no longer fit.
  const double max_ms = double(0xFFFFFFFFu / 1000u);
  double ms = seconds * 1000.0;
  m_tick_sleep_us = (ms >= max_ms ? EngUInt32(max_ms) : EngUInt32(ms)) * 1000u;
}

void EngThread::SetWaitForMutexFreeMaxTime(double seconds) {
  m_wait_for_mutex_free_max_time = EngThreadNonNegative(seconds);
}

void EngThread::SetWaitForMutexMaxTime(double seconds) { m_wait_for_mutex_max_time = EngThreadNonNegative(seconds); }

char EngThread::IsWorkerThread() const { return m_worker_identity.load() == EngThreadMyIdentity() ? 1 : 0; }

char EngThread::HasMutex() const {
  if (m_init_state.load() == 0) return 0;
  return m_mutex_holder.load() == EngThreadMyIdentity() ? 1 : 0;
}

char EngThread::MutexHeldByAnotherThread() const {
  const void *holder = m_mutex_holder.load();
  return holder && holder != EngThreadMyIdentity() ? 1 : 0;
}

char EngThread::IsExiting() const {
  if (m_init_state.load() == 0) return 0;
  return m_exiting.load();
}

void EngThread::ResetVars() {
  // Clearing the handle of a live thread would abandon it: stop it first (Destroy resets).
  if (m_have_thread_handle) {
    if (IsWorkerThread()) {
      DebugErrorAlt(ENG_FUNC, "Called from its own thread => Not reset");
      return;
    }
    DebugErrorAlt(ENG_FUNC, "Thread still running => Destroying it first");
    Destroy(1);
    return;
  }
  ResetVarsNow();
}

void EngThread::ResetVarsNow() {
  if (m_verbosity >= 2) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Vars reset.%s", m_name, "");
  m_have_thread_handle = 0;
  m_next_report_time = 0.0;
  m_init_state = 0;
  m_mutex_holder = nullptr;
  m_worker_identity = nullptr;
  m_init_wanted = 0;
  m_exit_wanted = 0;
  m_ended = 0;
  m_exiting = 0;
  m_thread_created = 0;
}

void EngThread::DestroyMutex() {
  if (!m_mutex_ready) return;
  pthread_mutex_destroy(&m_mutex);
  m_mutex_ready = 0;
}

// Only once the worker has returned may its object or mutex go away.
void EngThread::JoinThread() {
  if (!m_have_thread_handle) return;
  int result = pthread_join(m_thread, nullptr);
  if (result != 0) DebugErrorAlt(ENG_FUNC, "pthread_join() failed [%d]", result);
  m_have_thread_handle = 0;
}

char EngThread::Create(const char *name) {
  if (IsWorkerThread()) {
    DebugErrorAlt(ENG_FUNC, "Called from its own thread");
    return 0;
  }
  // The worker may still be reading the old name: the new one goes in once it has stopped.
  char new_name[sizeof(m_name)];
  EngSafeStrcpy(new_name, name ? name : m_name, sizeof(new_name));
  if (m_verbosity >= 2) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Created.%s", new_name, "");

  if (m_init_state.load() != 0) {
    DebugErrorAlt(ENG_FUNC, "Already Initialsed [%d]", int(m_init_state.load()));
    Destroy(1);
  }
  if (HasMutex()) DebugErrorAlt(ENG_FUNC, "Already have mutex");
  if (m_have_thread_handle) {
    DebugErrorAlt(ENG_FUNC, "Warning: Not exited correctly");
    JoinThread();
    DestroyMutex();
  }
  EngSafeStrcpy(m_name, new_name, sizeof(m_name));

  if (m_verbosity >= 1) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Create thread: Starting...%s", m_name, "");
  if (m_verbosity >= 2) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Create thread: Part 1%s", m_name, "");
  if (pthread_mutex_init(&m_mutex, nullptr) != 0) {
    DebugErrorAlt(ENG_FUNC, "pthread_mutex_init() failed");
    return 0;
  }
  m_mutex_ready = 1;

  if (m_verbosity >= 2) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Create thread: Part 2%s", m_name, "");
  m_init_state = 1;
  if (pthread_create(&m_thread, nullptr, ProcessThread, this) != 0) {
    DebugErrorAlt(ENG_FUNC, "pthread_create() failed");
    DestroyMutex();
    m_init_state = 0;
    return 0;
  }
  m_have_thread_handle = 1;

  if (m_verbosity >= 2) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Create thread: Part 3%s", m_name, "");
  m_thread_created = 1;
  char locked = WaitForMutex();
  m_ended = 0;
  m_init_wanted = 1;
  if (locked) DoneWithMutex();

  if (m_verbosity >= 1) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Create thread: Done.%s", m_name, "");
  m_init_state = 2;
  return 1;
}

void EngThread::Destroy(char wait) {
  if (m_verbosity >= 1)
    DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Destroy [ w:%d, i:%d, e:%d ] : Starting...%s", m_name, int(wait),
                      int(m_init_state.load()), int(m_exiting.load()), "");
  // Waiting here for ourselves would never end: ask for the exit and let the loop finish.
  if (IsWorkerThread()) {
    DebugErrorAlt(ENG_FUNC, "Called from its own thread => Exit requested");
    SetFlagUnderMutex(m_exiting, 1);
    SetFlagUnderMutex(m_exit_wanted, 1);
    return;
  }

  signed char state = m_init_state.load();
  if (state != 0 && !m_exiting.load() && m_have_thread_handle) {
    if (HasMutex()) DoneWithMutex();
    char locked = WaitForMutex();
    m_exit_wanted = 1;
    m_exiting = 1;
    if (locked) DoneWithMutex();
    if (m_verbosity >= 1) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Destroy: Waiting for thread to end...%s", m_name, "");

    if (state <= 0) {
      DebugErrorAlt(ENG_FUNC, "Not waiting as thread is not initialised [%d]", int(state));
    } else {
      EngInt32 report_after = EngInt32(m_wait_for_mutex_free_max_time.load() * 100.0);
      if (report_after < 1) report_after = 1;
      EngInt32 loops = 0;
      char done = 0;
      while (!(done = ReadFlagUnderMutex(m_ended))) {
        EngMiscCallPlatformSleepFunc(0.01);
        loops++;
        if (m_verbosity >= 1 && loops % 100 == 0)
          DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Destroy: Waiting... [%d]%s", m_name, int(loops / 100), "");
        if (loops == report_after)
          DebugErrorAlt(ENG_FUNC, "Thread %s> Not ended after %.1f s => Still waiting", m_name, loops / 100.0);
      }
      if (m_verbosity >= 1)
        DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Destroy: Done waiting [done: %d, loops: %d].%s", m_name, int(done),
                          int(loops), "");
    }
    JoinThread();
    m_thread_created = 0;
    DestroyMutex();
  } else if (m_have_thread_handle) {
    // Asked to stop before, or never fully started: still never leave a thread behind.
    m_exit_wanted = 1;
    JoinThread();
    m_thread_created = 0;
    DestroyMutex();
  }

  ResetVarsNow();
  if (m_verbosity >= 1) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Destroy: Done.%s", m_name, "");
}

void *EngThread::ProcessThread(void *thread) {
  EngThread *self = static_cast<EngThread *>(thread);
  if (!self) {
    DebugErrorQuickAlt(ENG_FUNC, "Invalid pointer");
    return nullptr;
  }
  signed char state = self->m_init_state.load();
  if (state != 1 && state != 2) {
    DebugErrorQuickAlt(ENG_FUNC, "Invalid pointer");
    return nullptr;
  }
  self->m_worker_identity = EngThreadMyIdentity();
  self->DoThreadMain();
  // A callback that kept the mutex must not leave it locked for the owner to destroy.
  if (self->HasMutex()) self->DoneWithMutex();
  return nullptr;
}

void EngThread::LeaveWithoutExitCB() {
  // The owner's Destroy waits for this flag.
  m_ended = 1;
}

void EngThread::WaitWhileMutexHeldByAnotherThread() {
  if (!MutexHeldByAnotherThread()) return;
  if (m_verbosity >= 2) DebugInfoQuickAlt(ENG_FUNC, "THREAD: Waiting for mutex to be free...");
  const double limit = m_wait_for_mutex_free_max_time.load();
  EngInt32 steps = 0;
  while (MutexHeldByAnotherThread() && steps * 0.01 < limit) {
    EngMiscCallPlatformSleepFunc(0.01);
    steps++;
    if (m_verbosity >= 1 && steps % 10 == 0)
      DebugInfoQuickAlt(ENG_FUNC, "THREAD: Waiting for mutex to be free [%.1f]%s", steps / 100.0, "");
  }
  // The holder's lock cannot be taken from it; the worker only stops waiting for it.
  if (MutexHeldByAnotherThread())
    EngThreadPrintLine("Error:  EngThread::DoThreadMain:Mutex - mutex locked for longer than max time allowed");
}

void EngThread::RunExitSequence(char have_mutex) {
  m_exit_wanted = 0;
  if (m_verbosity >= 1) DebugInfoQuickAlt("void EngThread::DoThreadMain()", "Thread %s> Exit: Starting...%s", m_name, "");
  if (have_mutex) DoneWithMutex();
  ExitCB(m_exiting.load());
  SetFlagUnderMutex(m_ended, 1);
  if (m_verbosity >= 1) DebugInfoQuickAlt("void EngThread::DoThreadMain()", "Thread %s> Exit: Done.%s", m_name, "");
}

void EngThread::DoThreadMain() {
  for (;;) {
    if (m_verbosity >= 3) {
      double now = EngMainGetCurrentTimeWithoutUpdatingGlobalCurrentTime();
      if (now > m_next_report_time) {
        DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Loop [ it: %d  hm: %d  imw: %d emw: %d", m_name,
                          int(m_init_state.load()), m_mutex_holder.load() ? 1 : 0, int(m_init_wanted.load()),
                          int(m_exit_wanted.load()));
        m_next_report_time = now + 2.0;
      }
    }
    signed char state = m_init_state.load();
    if (state != 1 && state != 2) {
      DebugErrorQuickAlt(ENG_FUNC, "Thread not initialised (A) (%d)", int(state));
      LeaveWithoutExitCB();
      return;
    }

    WaitWhileMutexHeldByAnotherThread();

    state = m_init_state.load();
    if (state != 1 && state != 2) {
      DebugErrorQuickAlt(ENG_FUNC, "Thread not initialised (B) (%d)", int(state));
      LeaveWithoutExitCB();
      return;
    }

    if (m_init_wanted.load() || m_exit_wanted.load()) {
      char locked = WaitForMutex();
      state = m_init_state.load();
      if (state != 1 && state != 2) {
        DebugErrorQuickAlt(ENG_FUNC, "Thread not initialised (C) (%d)", int(state));
        if (locked) DoneWithMutex();
        LeaveWithoutExitCB();
        return;
      }
      if (m_init_wanted.load()) {
        m_init_wanted = 0;
        if (m_verbosity >= 1) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Init: Starting...%s", m_name, "");
        if (locked) DoneWithMutex();
        if (!InitCB()) {
          SetFlagUnderMutex(m_exit_wanted, 1);
          if (m_verbosity >= 1)
            DebugInfoQuickAlt(ENG_FUNC, "Thread %s> InitCB() returned 0 => Exiting.%s", m_name, "");
        }
        locked = WaitForMutex();
        if (m_verbosity >= 1) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Init: Done.%s", m_name, "");
      }
      if (m_exit_wanted.load()) {
        RunExitSequence(locked);
        return;
      }
      if (locked) DoneWithMutex();
    }

    if (!(m_init_state.load() == 2 && !m_init_wanted.load() && !m_exit_wanted.load())) continue;

    if (!TickCB()) {
      SetFlagUnderMutex(m_exit_wanted, 1);
      if (m_verbosity >= 1)
        DebugInfoQuickAlt(ENG_FUNC, "Thread %s> TickCB(MWin *mwinp) returned 0 => Exiting.%s", m_name, "");
      continue;
    }
    EngUInt32 sleep_us = m_tick_sleep_us.load();
    if (sleep_us) EngMiscCallPlatformSleepFunc(sleep_us / 1000000.0);
  }
}

char EngThread::WaitForMutex() {
  if (m_init_state.load() == 0) {
    EngThreadPrintLine("Error: EngThread::WaitForMutex - Thread not setup");
    return 0;
  }
  if (HasMutex()) {
    EngThreadPrintLine("Error: EngThread::WaitForMutex - Already have mutex");
    return 0;
  }
  if (m_verbosity >= 4) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Wait for mutex: Starting...%s", m_name, "");
  const double limit = m_wait_for_mutex_max_time.load();
  char locked = 0;
  // Counted in attempts, so a 30 s limit is exactly 300 of them.
  for (EngInt32 attempt = 0; attempt * 0.1 < limit - 1e-9; attempt++) {
    int result = pthread_mutex_trylock(&m_mutex);
    if (result == 0) {
      locked = 1;
      break;
    }
    if (result == EINVAL) {
      EngThreadPrintLine("Error: EngThread::WaitForMutex - Mutex is invalid");
    } else if (result != EBUSY) {
      char line[96];
      snprintf(line, sizeof(line), "Error: EngThread::WaitForMutex - Unexpected result from wait: %d", result);
      EngThreadPrintLine(line);
    }
    EngMiscCallPlatformSleepFunc(0.1);
    if (m_verbosity >= 4)
      DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Wait for mutex: Waiting... [%.1f]%s", m_name, (attempt + 1) * 0.1, "");
  }
  if (!locked) {
    EngThreadPrintLine("Error: EngThread::WaitForMutex - Wait timed-out");
    return 0;
  }
  if (m_verbosity >= 4) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Wait for mutex: Done.%s", m_name, "");
  m_mutex_holder = EngThreadMyIdentity();
  return 1;
}

void EngThread::DoneWithMutex() {
  if (m_init_state.load() == 0) {
    DebugErrorQuickAlt(ENG_FUNC, "Thread not setup");
    return;
  }
  if (!HasMutex()) {
    DebugErrorQuickAlt(ENG_FUNC, "Don't have mutex");
    return;
  }
  if (m_verbosity >= 4) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Release mutex: Starting...%s", m_name, "");
  m_mutex_holder = nullptr;
  pthread_mutex_unlock(&m_mutex);
  if (m_verbosity >= 4) DebugInfoQuickAlt(ENG_FUNC, "Thread %s> Release mutex: Done.%s", m_name, "");
}

void EngThread::SetFlagUnderMutex(std::atomic<char> &flag, char value) {
  char locked = HasMutex() ? 0 : WaitForMutex();
  flag = value;
  if (locked) DoneWithMutex();
}

char EngThread::ReadFlagUnderMutex(const std::atomic<char> &flag) {
  char locked = HasMutex() ? 0 : WaitForMutex();
  char value = flag.load();
  if (locked) DoneWithMutex();
  return value;
}

char EngThread::IsRunning() {
  if (m_init_state.load() == 0) return 0;
  if (!m_ended.load()) return 1;
  Destroy(1);
  return 0;
}

// ---- One function on a thread of its own ----

EngWaitThread::EngWaitThread(const char *name, char verbosity, EngThreadFunction function, void *user)
    : EngThread(name, verbosity, 1), m_function(function), m_user(user) {
  m_ewt_name[0] = 0;
  if (name) EngSafeStrcpy(m_ewt_name, name, sizeof(m_ewt_name));
  m_ewt_verbosity = verbosity;
}

EngWaitThread::~EngWaitThread() { Destroy(1); }

char EngWaitThread::InitCB() {
  if (m_ewt_verbosity >= 1) DebugInfo("EWT %s> InitCB().", m_ewt_name);
  return 1;
}

char EngWaitThread::TickCB() {
  m_state = 1;
  if (m_function) {
    if (m_ewt_verbosity >= 1) DebugInfo("EWT %s> Calling function...", m_ewt_name);
    m_function(m_user);
    if (m_ewt_verbosity >= 1) DebugInfo("EWT %s> Done calling function.", m_ewt_name);
  } else if (m_ewt_verbosity >= 1) {
    DebugInfo("EWT %s> No function to call.", m_ewt_name);
  }
  m_state = 2;
  return 0;
}

void EngWaitThread::ExitCB(char exiting) {
  if (m_ewt_verbosity >= 1) DebugInfo("EWT %s> ExitCB(%d).", m_ewt_name, int(exiting));
  m_state = 3;
}

// Wait threads left running after their timeout, joined and freed once they have ended.
static std::mutex eng_thread_late_lock;
static std::vector<EngWaitThread *> eng_thread_late_wait_threads;

static void EngThreadAddLateWaitThread(EngWaitThread *thread) {
  std::lock_guard<std::mutex> guard(eng_thread_late_lock);
  eng_thread_late_wait_threads.push_back(thread);
}

EngInt32 EngThreadGetNumLateWaitThreads() {
  std::lock_guard<std::mutex> guard(eng_thread_late_lock);
  return EngInt32(eng_thread_late_wait_threads.size());
}

void EngThreadReapLateWaitThreads(char wait) {
  std::vector<EngWaitThread *> still_running;
  {
    std::lock_guard<std::mutex> guard(eng_thread_late_lock);
    std::vector<EngWaitThread *> &late = eng_thread_late_wait_threads;
    for (size_t i = 0; i < late.size();) {
      EngWaitThread *thread = late[i];
      if (!thread->IsRunning()) {
        delete thread;
      } else if (wait) {
        still_running.push_back(thread);
      } else {
        i++;
        continue;
      }
      late.erase(late.begin() + long(i));
    }
  }
  // Waited for outside the lock, so a late function may itself call with a timeout.
  for (EngWaitThread *thread : still_running) {
    DebugInfo("ETCFWT %s> Waiting for late thread to finish...", thread->m_name);
    thread->Destroy(1);
    delete thread;
  }
}

void EngThreadResetForTests() { EngThreadReapLateWaitThreads(1); }

EngThreadFunctionWithTimeoutClass::EngThreadFunctionWithTimeoutClass(EngThreadFunction function, void *user,
                                                                     double timeout_seconds, const char *name,
                                                                     char verbosity) {
  m_name[0] = 0;
  if (name) EngSafeStrcpy(m_name, name, sizeof(m_name));
  m_verbosity = verbosity;
  if (m_verbosity >= 1) DebugInfo("ETCFWT %s> Starting WaitThread...", m_name);

  EngThreadReapLateWaitThreads(0);
  char thread_verbosity = char(m_verbosity > 0 ? m_verbosity - 1 : 0);
  m_wait_thread = new EngWaitThread(m_name, thread_verbosity, function, user);
  if (!m_wait_thread->Create(nullptr)) {
    DebugErrorAlt(ENG_FUNC, "Could not create thread");
    delete m_wait_thread;
    m_wait_thread = nullptr;
    return;
  }

  if (m_verbosity >= 1) DebugInfo("ETCFWT %s> Waiting for thread to finish...", m_name);
  // The owner's own reading of the clock: the global one is the main loop's to refresh.
  double deadline = EngMainGetCurrentTimeWithoutUpdatingGlobalCurrentTime() + timeout_seconds;
  while (EngMainGetCurrentTimeWithoutUpdatingGlobalCurrentTime() < deadline) {
    if (m_wait_thread->m_init_state.load() == 0) break;
    if (m_wait_thread->m_ended.load()) {
      m_wait_thread->Destroy(1);
      break;
    }
    EngMiscCallPlatformSleepFunc(0.025);
  }

  if (m_wait_thread->m_init_state.load() > 0) {
    // Reported at every verbosity: the function goes on running after we return.
    DebugInfo("ETCFWT %s> Timeout => Leaving thread running and returning.", m_name);
    EngThreadAddLateWaitThread(m_wait_thread);
    m_wait_thread = nullptr;
    return;
  }
  if (m_verbosity >= 1) DebugInfo("ETCFWT %s> Thread finished ok.", m_name);
  m_wait_thread->Destroy(1);
  delete m_wait_thread;
  m_wait_thread = nullptr;
}

char EngThreadCallFunctionWithTimeout(EngThreadFunction function, void *user, double timeout_seconds,
                                      const char *name, char verbosity) {
  EngThreadFunctionWithTimeoutClass call(function, user, timeout_seconds, name, verbosity);
  return 1;
}
