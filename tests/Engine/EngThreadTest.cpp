#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngThread.h"
#include "tests/support/TestSupport.h"

namespace {

using qwtest::WaitUntil;

// Every stored log line, from whichever thread wrote it.
std::mutex logged_lock;
std::vector<std::string> logged;

void CollectLogLine(const char *text) {
  std::lock_guard<std::mutex> guard(logged_lock);
  logged.push_back(text);
}

std::vector<std::string> Logged() {
  std::lock_guard<std::mutex> guard(logged_lock);
  return logged;
}

bool LoggedContains(const std::string &part) {
  for (const std::string &line : Logged())
    if (line.find(part) != std::string::npos) return true;
  return false;
}

// Checks that the parts appear in the text in this order.
void ExpectInOrder(const std::string &text, const std::vector<std::string> &parts) {
  size_t from = 0;
  for (const std::string &part : parts) {
    size_t at = text.find(part, from);
    ASSERT_NE(at, std::string::npos) << "missing in order: " << part << "\nin:\n" << text;
    from = at + part.size();
  }
}

class EngThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    ASSERT_EQ(DebugSetLogFilename(dir.File("log.txt").c_str(), 0), 1);
    {
      std::lock_guard<std::mutex> guard(logged_lock);
      logged.clear();
    }
    DebugSetExtraMessageLogCallback(CollectLogLine);
    // The clock's first reading happens here, before any worker reads it.
    EngMainUpdateCurrentTime();
  }
  void TearDown() override {
    EngThreadResetForTests();
    DebugResetForTests();
  }

  qwtest::TempDir dir;
};

// Records its callbacks in order; ticks can be told to stop, to block or to stop the thread.
class RecordingThread : public EngThread {
 public:
  explicit RecordingThread(const char *name, char verbosity = 0) : EngThread(name, verbosity, 1) {}
  ~RecordingThread() override { Destroy(1); }

  char InitCB() override {
    Record("init");
    return init_result;
  }
  char TickCB() override {
    int n = ++ticks;
    Record("tick");
    while (block_ticks && !release) usleep(1000);
    if (destroy_self_at_tick == n) Destroy(1);
    return stop_after_ticks > 0 && n >= stop_after_ticks ? 0 : 1;
  }
  void ExitCB(char exiting) override { Record(exiting ? "exit(1)" : "exit(0)"); }

  std::vector<std::string> Events() {
    std::lock_guard<std::mutex> guard(m_events_lock);
    return m_events;
  }

  std::atomic<int> ticks{0};
  std::atomic<char> init_result{1};
  std::atomic<int> stop_after_ticks{0};
  std::atomic<int> destroy_self_at_tick{0};
  std::atomic<bool> block_ticks{false};
  std::atomic<bool> release{false};

 private:
  void Record(const char *event) {
    std::lock_guard<std::mutex> guard(m_events_lock);
    m_events.push_back(event);
  }
  std::mutex m_events_lock;
  std::vector<std::string> m_events;
};

// The events of a thread stopped by its owner: init, at least min_ticks ticks, exit(1).
void ExpectStoppedByOwner(const std::vector<std::string> &events, size_t min_ticks) {
  ASSERT_GE(events.size(), min_ticks + 2);
  EXPECT_EQ(events.front(), "init");
  EXPECT_EQ(events.back(), "exit(1)");
  for (size_t i = 1; i + 1 < events.size(); i++) EXPECT_EQ(events[i], "tick") << i;
}

TEST_F(EngThreadTest, RunsInitThenTicksThenExitAndIsRunningTearsItDown) {
  struct Case {
    char init_result;
    int stop_after_ticks;
    std::vector<std::string> events;
  };
  const Case cases[] = {
      {1, 1, {"init", "tick", "exit(0)"}},
      {1, 3, {"init", "tick", "tick", "tick", "exit(0)"}},
      {0, 0, {"init", "exit(0)"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.stop_after_ticks);
    RecordingThread thread("life");
    thread.init_result = c.init_result;
    thread.stop_after_ticks = c.stop_after_ticks;
    ASSERT_EQ(thread.Create(nullptr), 1);
    EXPECT_EQ(thread.IsInitialised(), 1);
    ASSERT_TRUE(WaitUntil([&] { return !thread.IsRunning(); }));
    EXPECT_EQ(thread.Events(), c.events);
    EXPECT_EQ(thread.IsInitialised(), 0);
    EXPECT_EQ(thread.IsExiting(), 0);
    EXPECT_EQ(thread.IsRunning(), 0);
  }
}

TEST_F(EngThreadTest, LifeCycleLinesComeInOrder) {
  RecordingThread thread("life", 1);
  thread.stop_after_ticks = 1;
  testing::internal::CaptureStderr();
  ASSERT_EQ(thread.Create(nullptr), 1);
  ASSERT_TRUE(WaitUntil([&] { return !thread.IsRunning(); }));
  std::string err = testing::internal::GetCapturedStderr();
  ExpectInOrder(err, {"Thread life> Create thread: Starting...", "Thread life> Create thread: Done."});
  ExpectInOrder(err, {"Thread life> Init: Starting...", "Thread life> Init: Done.",
                      "Thread life> TickCB(MWin *mwinp) returned 0 => Exiting.", "Thread life> Exit: Starting...",
                      "Thread life> Destroy [ w:1, i:2, e:0 ] : Starting...", "Thread life> Destroy: Done."});
  ExpectInOrder(err, {"Thread life> Exit: Done.", "Thread life> Destroy: Done."});
}

TEST_F(EngThreadTest, DestroyStopsARunningThreadAndReturnsAfterItsExit) {
  RecordingThread thread("stop");
  ASSERT_EQ(thread.Create(nullptr), 1);
  ASSERT_TRUE(WaitUntil([&] { return thread.ticks >= 3; }));
  EXPECT_EQ(thread.IsRunning(), 1);
  thread.Destroy(1);
  ExpectStoppedByOwner(thread.Events(), 3);
  // Joined: nothing ticks any more.
  int ticks = thread.ticks;
  usleep(20000);
  EXPECT_EQ(thread.ticks, ticks);
  EXPECT_EQ(thread.IsRunning(), 0);
  EXPECT_EQ(thread.IsInitialised(), 0);
}

TEST_F(EngThreadTest, AnotherThreadCanStopIt) {
  RecordingThread thread("other");
  ASSERT_EQ(thread.Create(nullptr), 1);
  ASSERT_TRUE(WaitUntil([&] { return thread.ticks >= 2; }));
  std::thread stopper([&] { thread.Destroy(1); });
  stopper.join();
  ExpectStoppedByOwner(thread.Events(), 2);
  EXPECT_EQ(thread.IsRunning(), 0);
}

TEST_F(EngThreadTest, DestroyFromItsOwnTickEndsTheThreadWithoutWaitingForItself) {
  RecordingThread thread("self");
  thread.destroy_self_at_tick = 2;
  ASSERT_EQ(thread.Create(nullptr), 1);
  ASSERT_TRUE(WaitUntil([&] { return !thread.IsRunning(); }));
  EXPECT_EQ(thread.Events(), (std::vector<std::string>{"init", "tick", "tick", "exit(1)"}));
  EXPECT_TRUE(LoggedContains("Called from its own thread => Exit requested"));
}

TEST_F(EngThreadTest, CreateTwiceStopsTheFirstThreadThenStartsAnotherUnderTheNewName) {
  RecordingThread thread("first", 1);
  ASSERT_EQ(thread.Create(nullptr), 1);
  ASSERT_TRUE(WaitUntil([&] { return thread.ticks >= 1; }));
  testing::internal::CaptureStderr();
  ASSERT_EQ(thread.Create("second"), 1);
  ASSERT_TRUE(WaitUntil([&] { return thread.Events().size() >= 4 && thread.Events().back() == "tick"; }));
  thread.Destroy(1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(LoggedContains("Already Initialsed [2]"));
  ExpectInOrder(err, {"Thread first> Destroy: Done.", "Thread second> Create thread: Starting..."});

  std::vector<std::string> events = thread.Events();
  auto first_exit = std::find(events.begin(), events.end(), "exit(1)");
  ASSERT_NE(first_exit, events.end());
  EXPECT_EQ(events.front(), "init");
  EXPECT_EQ(*(first_exit + 1), "init");
  EXPECT_EQ(events.back(), "exit(1)");
}

// Counts its ticks under the thread's own mutex; the owner reads the count under it too.
class GuardedCounterThread : public EngThread {
 public:
  GuardedCounterThread() : EngThread("guard", 0, 1) {}
  ~GuardedCounterThread() override { Destroy(1); }
  char TickCB() override {
    if (!WaitForMutex()) {
      refused++;
      return 1;
    }
    if (!HasMutex()) refused++;
    counter++;
    DoneWithMutex();
    return 1;
  }
  int counter = 0;  // only under the mutex
  std::atomic<int> refused{0};
};

TEST_F(EngThreadTest, SharedStateIsReadUnderTheThreadsGuardFromBothSides) {
  GuardedCounterThread thread;
  thread.SetThreadTickSleepTime(0.0);
  ASSERT_EQ(thread.Create(nullptr), 1);
  int last = 0;
  while (last < 30) {
    ASSERT_EQ(thread.WaitForMutex(), 1);
    EXPECT_EQ(thread.HasMutex(), 1);
    EXPECT_GE(thread.counter, last);
    last = thread.counter;
    thread.DoneWithMutex();
    EXPECT_EQ(thread.HasMutex(), 0);
    usleep(500);
  }
  thread.Destroy(1);
  // Neither side's hold ever refused the other's lock.
  EXPECT_EQ(thread.refused, 0);
}

TEST_F(EngThreadTest, OwnerHoldingTheMutexHoldsBackTicks) {
  RecordingThread thread("pause");
  ASSERT_EQ(thread.Create(nullptr), 1);
  ASSERT_TRUE(WaitUntil([&] { return thread.ticks >= 2; }));
  ASSERT_EQ(thread.WaitForMutex(), 1);
  int held_at = thread.ticks;
  usleep(50000);
  // A tick already under way may finish; no new one starts.
  EXPECT_LE(thread.ticks - held_at, 1);
  int before_release = thread.ticks;
  thread.DoneWithMutex();
  ASSERT_TRUE(WaitUntil([&] { return thread.ticks > before_release + 1; }));
}

TEST_F(EngThreadTest, MutexMisuseIsReportedAndRefused) {
  EngThread idle("idle", 0, 0);
  testing::internal::CaptureStdout();
  EXPECT_EQ(idle.WaitForMutex(), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error: EngThread::WaitForMutex - Thread not setup\n");
  testing::internal::CaptureStderr();
  idle.DoneWithMutex();
  EXPECT_EQ(EngThread::ProcessThread(&idle), nullptr);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Thread not setup"), std::string::npos) << err;
  EXPECT_NE(err.find("Invalid pointer"), std::string::npos) << err;
  EXPECT_EQ(idle.HasMutex(), 0);
  EXPECT_EQ(idle.IsRunning(), 0);
  EXPECT_EQ(idle.IsExiting(), 0);

  RecordingThread thread("twice");
  ASSERT_EQ(thread.Create(nullptr), 1);
  ASSERT_EQ(thread.WaitForMutex(), 1);
  testing::internal::CaptureStdout();
  EXPECT_EQ(thread.WaitForMutex(), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error: EngThread::WaitForMutex - Already have mutex\n");
  EXPECT_EQ(thread.HasMutex(), 1);
  thread.DoneWithMutex();
  testing::internal::CaptureStderr();
  thread.DoneWithMutex();
  err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Don't have mutex"), std::string::npos) << err;
}

TEST_F(EngThreadTest, WaitForMutexGivesUpAtItsLimit) {
  // Held by the worker until released.
  RecordingThread thread("held");
  struct Holder : RecordingThread {
    Holder() : RecordingThread("held") {}
    ~Holder() override { Destroy(1); }
    char TickCB() override {
      if (WaitForMutex()) {
        holding = true;
        while (!release) usleep(1000);
        DoneWithMutex();
      }
      return 0;
    }
    std::atomic<bool> holding{false};
  } holder;
  ASSERT_EQ(holder.Create(nullptr), 1);
  ASSERT_TRUE(WaitUntil([&] { return holder.holding.load(); }));
  holder.SetWaitForMutexMaxTime(0.2);
  testing::internal::CaptureStdout();
  EXPECT_EQ(holder.WaitForMutex(), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error: EngThread::WaitForMutex - Wait timed-out\n");
  EXPECT_EQ(holder.HasMutex(), 0);
  holder.release = true;
  ASSERT_TRUE(WaitUntil([&] { return !holder.IsRunning(); }));

  // A limit of 0 (or below) gives up before trying, even on a free mutex.
  for (double limit : {0.0, -1.0}) {
    thread.ticks = 0;
    ASSERT_EQ(thread.Create(nullptr), 1);
    // Past its init, the worker takes the mutex no more, so the output below is all ours.
    ASSERT_TRUE(WaitUntil([&] { return thread.ticks >= 1; }));
    thread.SetWaitForMutexMaxTime(limit);
    testing::internal::CaptureStdout();
    EXPECT_EQ(thread.WaitForMutex(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error: EngThread::WaitForMutex - Wait timed-out\n");
    thread.SetWaitForMutexMaxTime(30.0);
    thread.Destroy(1);
  }
}

TEST_F(EngThreadTest, TickSleepTimeKeepsWholeMilliseconds) {
  struct Case {
    double seconds;
    EngUInt32 microseconds;
  };
  const Case cases[] = {{0.0015, 1000}, {-1.0, 0}, {0.0, 0}, {0.0009, 0}, {0.1, 100000}, {2.0, 2000000}};
  EngThread thread("sleep", 0, 0);
  EXPECT_EQ(thread.GetThreadTickSleepTime(), 1000u);
  for (const Case &c : cases) {
    thread.SetThreadTickSleepTime(c.seconds);
    EXPECT_EQ(thread.GetThreadTickSleepTime(), c.microseconds) << c.seconds;
  }
}

TEST_F(EngThreadTest, DestroyOnANeverCreatedThreadOnlyLogs) {
  EngThread thread("idle", 1, 0);
  testing::internal::CaptureStderr();
  thread.Destroy(1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "EngThread::Destroy > Thread idle> Destroy [ w:1, i:0, e:0 ] : Starting...\n"
            "EngThread::Destroy > Thread idle> Destroy: Done.\n");
  EXPECT_EQ(thread.IsInitialised(), 0);
}

std::atomic<bool> slow_stop_reported{false};

void WatchForSlowStopReport(const char *text) {
  CollectLogLine(text);
  if (strstr(text, "Not ended after") && strstr(text, "Still waiting")) slow_stop_reported = true;
}

TEST_F(EngThreadTest, AThreadSlowToStopIsReportedAndStillWaitedFor) {
  slow_stop_reported = false;
  DebugSetExtraMessageLogCallback(WatchForSlowStopReport);
  RecordingThread thread("slow");
  thread.block_ticks = true;
  thread.SetWaitForMutexFreeMaxTime(0.02);
  ASSERT_EQ(thread.Create(nullptr), 1);
  ASSERT_TRUE(WaitUntil([&] { return thread.ticks >= 1; }));
  // Lets the tick finish only once Destroy has reported the late stop.
  std::thread releaser([&] {
    WaitUntil([] { return slow_stop_reported.load(); });
    thread.release = true;
  });
  thread.Destroy(1);
  releaser.join();
  EXPECT_TRUE(slow_stop_reported);
  ExpectStoppedByOwner(thread.Events(), 1);
}

struct CallbackCounts {
  std::atomic<int> ticks{0};
  std::atomic<int> exits{0};
  int stop_after = 0;
};

char CountTick(void *user) {
  CallbackCounts *counts = static_cast<CallbackCounts *>(user);
  int n = ++counts->ticks;
  return counts->stop_after > 0 && n >= counts->stop_after ? 0 : 1;
}

void CountExit(void *user) { ++static_cast<CallbackCounts *>(user)->exits; }

TEST_F(EngThreadTest, CallbacksDriveThePlainThreadAndTheDestructorJoinsIt) {
  {
    CallbackCounts counts;
    counts.stop_after = 3;
    EngThread thread("cb", 0, 1);
    thread.SetThreadTickCallback(CountTick, &counts);
    thread.SetThreadExitCallback(CountExit, &counts);
    ASSERT_EQ(thread.Create(nullptr), 1);
    ASSERT_TRUE(WaitUntil([&] { return !thread.IsRunning(); }));
    EXPECT_EQ(counts.ticks, 3);
    EXPECT_EQ(counts.exits, 1);
  }
  {
    auto counts = std::make_unique<CallbackCounts>();
    {
      EngThread thread("cb", 0, 1);
      thread.SetThreadTickCallback(CountTick, counts.get());
      thread.SetThreadExitCallback(CountExit, counts.get());
      ASSERT_EQ(thread.Create(nullptr), 1);
      ASSERT_TRUE(WaitUntil([&] { return counts->ticks >= 2; }));
    }
    EXPECT_EQ(counts->exits, 1);
    int ticks = counts->ticks;
    usleep(20000);
    EXPECT_EQ(counts->ticks, ticks);
    // Freed at once: a worker still running would now touch freed memory.
    counts.reset();
  }
  {
    EngThread thread("none", 0, 1);
    ASSERT_EQ(thread.Create(nullptr), 1);
    usleep(5000);
    EXPECT_EQ(thread.IsRunning(), 1);
    thread.Destroy(1);
    EXPECT_EQ(thread.IsRunning(), 0);
  }
}

struct TimedCall {
  std::atomic<int> calls{0};
  std::atomic<bool> release{true};
  std::atomic<bool> finished{false};
};

void RunTimedCall(void *user) {
  TimedCall *call = static_cast<TimedCall *>(user);
  ++call->calls;
  while (!call->release) usleep(1000);
  call->finished = true;
}

TEST_F(EngThreadTest, CallWithTimeoutWaitsForAQuickFunctionAndTearsItsThreadDown) {
  TimedCall call;
  EXPECT_EQ(EngThreadCallFunctionWithTimeout(RunTimedCall, &call, 600.0, "quick", 2), 1);
  EXPECT_EQ(call.calls, 1);
  EXPECT_TRUE(call.finished);
  EXPECT_EQ(EngThreadGetNumLateWaitThreads(), 0);

  std::string lines;
  for (const std::string &line : Logged()) lines += line + "\n";
  // The caller's lines and the wait thread's interleave freely, except that the caller
  // reports the end only after the thread's exit.
  ExpectInOrder(lines, {"ETCFWT quick> Starting WaitThread...", "ETCFWT quick> Waiting for thread to finish...",
                        "ETCFWT quick> Thread finished ok."});
  ExpectInOrder(lines, {"ETCFWT quick> Starting WaitThread...", "EWT quick> InitCB().",
                        "EWT quick> Calling function...", "EWT quick> Done calling function.",
                        "EWT quick> ExitCB(0).", "ETCFWT quick> Thread finished ok."});
  EXPECT_FALSE(LoggedContains("Timeout"));
}

TEST_F(EngThreadTest, CallWithTimeoutReportsAndKeepsTrackOfAFunctionStillRunning) {
  TimedCall call;
  call.release = false;
  EXPECT_EQ(EngThreadCallFunctionWithTimeout(RunTimedCall, &call, 0.05, "slow", 0), 1);
  EXPECT_FALSE(call.finished);
  // Reported even at verbosity 0.
  EXPECT_TRUE(LoggedContains("ETCFWT slow> Timeout => Leaving thread running and returning."));
  EXPECT_EQ(EngThreadGetNumLateWaitThreads(), 1);
  EngThreadReapLateWaitThreads(0);
  EXPECT_EQ(EngThreadGetNumLateWaitThreads(), 1);
  // Left running, the function starts even where the limit came first; then it is let go.
  EXPECT_TRUE(WaitUntil([&] { return call.calls == 1; })) << "the late function never started";

  call.release = true;
  EngThreadReapLateWaitThreads(1);
  EXPECT_EQ(EngThreadGetNumLateWaitThreads(), 0);
  EXPECT_TRUE(call.finished);
  EXPECT_EQ(call.calls, 1);
}

}  // namespace
