// Worker threads: EngThread runs InitCB once, TickCB with a pause between calls and ExitCB once
// on a POSIX thread, while its owner starts, polls and stops it through flags under one mutex.
// EngWaitThread and EngThreadCallFunctionWithTimeout run one plain function with a time limit.
#pragma once

#include <atomic>
#include <pthread.h>

#include "Engine/EngTypes.h"

typedef char (*EngThreadTickCallback)(void *user);
typedef void (*EngThreadExitCallback)(void *user);
typedef void (*EngThreadFunction)(void *user);

class EngThreadFunctionWithTimeoutClass;
void EngThreadReapLateWaitThreads(char wait);

// One owner thread controls the object (Create, Destroy, IsRunning); the worker runs the
// callbacks. A subclass whose callbacks use its own members must call Destroy in its own
// destructor: the base destructor stops the thread too, but by then the subclass part is gone.
class EngThread {
 public:
  EngThread(const char *name, char verbosity, char flag);
  EngThread(const EngThread &) = delete;
  EngThread &operator=(const EngThread &) = delete;

  // A result of 0 from InitCB or TickCB ends the thread. ExitCB gets 1 when the owner asked
  // the thread to stop, 0 when it stopped by itself.
  virtual char InitCB();
  virtual char TickCB();
  virtual void ExitCB(char exiting);
  // Stops and joins the thread.
  virtual ~EngThread();

  // Set these before Create: the worker reads them without a lock.
  void SetThreadTickCallback(EngThreadTickCallback callback, void *user);
  void SetThreadExitCallback(EngThreadExitCallback callback, void *user);

  void SetThreadTickSleepTime(double seconds);
  EngUInt32 GetThreadTickSleepTime() const { return m_tick_sleep_us.load(); }
  // How long the worker lets another thread hold the mutex before it complains and ticks
  // on, and how long Destroy waits before it reports a thread that has not ended (it goes
  // on waiting: a running thread is never abandoned).
  void SetWaitForMutexFreeMaxTime(double seconds);
  void SetWaitForMutexMaxTime(double seconds);

  void ResetVars();
  char Create(const char *name);
  void Destroy(char wait);

  static void *ProcessThread(void *thread);
  void DoThreadMain();

  // The mutex is held per thread: either side may take it while the other does not hold it.
  char WaitForMutex();
  void DoneWithMutex();
  // 1 when the calling thread holds the mutex.
  char HasMutex() const;

  char IsInitialised() const { return m_init_state.load() == 2 ? 1 : 0; }
  char IsRunning();
  char IsExiting() const;

 protected:
  signed char m_verbosity;
  char m_name[16];

 private:
  friend class EngThreadFunctionWithTimeoutClass;
  friend void EngThreadReapLateWaitThreads(char wait);

  void ResetVarsNow();
  char IsWorkerThread() const;
  char MutexHeldByAnotherThread() const;
  void SetFlagUnderMutex(std::atomic<char> &flag, char value);
  char ReadFlagUnderMutex(const std::atomic<char> &flag);
  void WaitWhileMutexHeldByAnotherThread();
  void RunExitSequence(char have_mutex);
  void LeaveWithoutExitCB();
  void JoinThread();
  void DestroyMutex();

  [[maybe_unused]] char m_flag;
  std::atomic<EngUInt32> m_tick_sleep_us{1000};
  EngThreadTickCallback m_tick_cb = nullptr;
  void *m_tick_cb_user = nullptr;
  EngThreadExitCallback m_exit_cb = nullptr;
  void *m_exit_cb_user = nullptr;
  std::atomic<double> m_wait_for_mutex_free_max_time{30.0};
  std::atomic<double> m_wait_for_mutex_max_time{30.0};
  double m_next_report_time = 0.0;
  std::atomic<signed char> m_init_state{0};
  // The identity of the thread holding the mutex, null when it is free.
  std::atomic<const void *> m_mutex_holder{nullptr};
  std::atomic<const void *> m_worker_identity{nullptr};
  std::atomic<char> m_init_wanted{0};
  std::atomic<char> m_exit_wanted{0};
  std::atomic<char> m_ended{0};
  std::atomic<char> m_exiting{0};
  std::atomic<char> m_thread_created{0};
  // Owner-side only.
  char m_have_thread_handle = 0;
  char m_mutex_ready = 0;
  pthread_t m_thread;
  pthread_mutex_t m_mutex;
};

// Calls one function once on its own thread. State: 0 not yet called, 1 calling, 2 called,
// 3 exited.
class EngWaitThread : public EngThread {
 public:
  EngWaitThread(const char *name, char verbosity, EngThreadFunction function, void *user);
  ~EngWaitThread() override;

  char InitCB() override;
  char TickCB() override;
  void ExitCB(char exiting) override;

  char GetState() const { return m_state.load(); }

 private:
  EngThreadFunction m_function;
  void *m_user;
  std::atomic<char> m_state{0};
  char m_ewt_name[16];
  signed char m_ewt_verbosity;
};

// Does all its work in its constructor: runs the function on an EngWaitThread and waits for
// it at most the timeout. A function still running then is left to finish on its thread,
// which is kept as a late wait thread until it has ended.
class EngThreadFunctionWithTimeoutClass {
 public:
  EngThreadFunctionWithTimeoutClass(EngThreadFunction function, void *user, double timeout_seconds,
                                    const char *name, char verbosity);
  EngThreadFunctionWithTimeoutClass(const EngThreadFunctionWithTimeoutClass &) = delete;
  EngThreadFunctionWithTimeoutClass &operator=(const EngThreadFunctionWithTimeoutClass &) = delete;

 private:
  EngWaitThread *m_wait_thread = nullptr;
  signed char m_verbosity;
  char m_name[16];
};

// The user pointer must stay valid until the function has returned, even after a timeout.
char EngThreadCallFunctionWithTimeout(EngThreadFunction function, void *user, double timeout_seconds,
                                      const char *name, char verbosity);

// Wait threads whose function outran its timeout. Reaping joins and frees those that have
// ended; with wait set it also waits for those still running, as a clean exit should.
EngInt32 EngThreadGetNumLateWaitThreads();
void EngThreadReapLateWaitThreads(char wait);
void EngThreadResetForTests();
