#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngMutex.h"
#include "tests/support/TestSupport.h"

namespace {

class EngMutexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    ASSERT_EQ(DebugSetLogFilename(dir.File("log.txt").c_str(), 0), 1);
  }
  void TearDown() override { DebugResetForTests(); }

  qwtest::TempDir dir;
};

// Holds a mutex on another thread until told to let go.
class Holder {
 public:
  explicit Holder(EngMutex &mutex) {
    m_thread = std::thread([this, &mutex] {
      m_locked = mutex.Lock();
      m_holding = true;
      while (!m_release) usleep(1000);
      if (m_locked) mutex.Unlock();
    });
    while (!m_holding) usleep(1000);
  }
  ~Holder() {
    Release();
    m_thread.join();
  }
  void Release() { m_release = true; }
  bool Locked() const { return m_locked; }

 private:
  std::thread m_thread;
  std::atomic<bool> m_locked{false};
  std::atomic<bool> m_holding{false};
  std::atomic<bool> m_release{false};
};

TEST_F(EngMutexTest, UnsetMutexRefusesWithStandardErrorOnly) {
  EngMutex mutex;
  EXPECT_EQ(mutex.IsSetup(), 0);
  testing::internal::CaptureStderr();
  EXPECT_EQ(mutex.Lock(), 0);
  EXPECT_EQ(mutex.LockWaitForever(), 0);
  EXPECT_EQ(mutex.Unlock(), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "( EngMutex::Lock )    Mutex not setup.\n"
            "( EngMutex::LockWaitForever )    Mutex not setup (forever).\n");
  EXPECT_EQ(DebugGetNumMessages(), 0);
}

TEST_F(EngMutexTest, SetupOnlyOnce) {
  EngMutex mutex;
  EXPECT_EQ(mutex.Setup(0.5f), 1);
  EXPECT_EQ(mutex.IsSetup(), 1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(mutex.Setup(0.5f), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "( EngMutex::Setup )    Already setup.\n");
  EXPECT_EQ(mutex.SetupIfNeeded(), 1);
  EXPECT_EQ(mutex.SetupIfNeeded(2.0f), 1);

  EngMutex lazy;
  EXPECT_EQ(lazy.SetupIfNeeded(), 1);
  EXPECT_EQ(lazy.IsSetup(), 1);
  EXPECT_EQ(EngMutex(1.0f).IsSetup(), 1);
}

TEST_F(EngMutexTest, LockWithSecondsSetsUpThenLocks) {
  EngMutex mutex;
  EXPECT_EQ(mutex.Lock(0.5f), 1);
  EXPECT_EQ(mutex.IsSetup(), 1);
  EXPECT_EQ(mutex.Unlock(), 1);
  EXPECT_EQ(mutex.Lock(), 1);
  EXPECT_EQ(mutex.Unlock(), 1);
  EXPECT_EQ(mutex.LockWaitForever(), 1);
  EXPECT_EQ(mutex.Unlock(), 1);
}

TEST_F(EngMutexTest, LockHeldElsewhereTimesOut) {
  EngMutex mutex(0.05f);
  {
    Holder holder(mutex);
    ASSERT_TRUE(holder.Locked());
    testing::internal::CaptureStderr();
    EXPECT_EQ(mutex.Lock(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "( EngMutex::Lock )    Could not lock mutex.\n");
    // Set up already: the seconds no longer change anything but the lock still fails.
    testing::internal::CaptureStderr();
    EXPECT_EQ(mutex.Lock(0.05f), 0);
    testing::internal::GetCapturedStderr();
  }
  EXPECT_EQ(mutex.Lock(), 1);
  EXPECT_EQ(mutex.Unlock(), 1);
}

TEST_F(EngMutexTest, LockTimeCanChangeAfterSetup) {
  EngMutex mutex(30.0f);
  EXPECT_EQ(mutex.SetLockTime(0.02f), 1);
  Holder holder(mutex);
  testing::internal::CaptureStderr();
  EXPECT_EQ(mutex.Lock(), 0);
  testing::internal::GetCapturedStderr();
}

TEST_F(EngMutexTest, LockWaitForeverWaitsForRelease) {
  EngMutex mutex(0.05f);
  std::atomic<bool> got{false};
  {
    Holder holder(mutex);
    std::thread waiter([&] {
      got = mutex.LockWaitForever() == 1;
      mutex.Unlock();
    });
    usleep(100000);
    EXPECT_FALSE(got);
    holder.Release();
    waiter.join();
  }
  EXPECT_TRUE(got);
}

TEST_F(EngMutexTest, ExcludesOtherThreads) {
  EngMutex mutex(5.0f);
  int counter = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; t++)
    threads.emplace_back([&] {
      for (int i = 0; i < 300; i++) {
        ASSERT_EQ(mutex.Lock(), 1);
        counter++;
        mutex.Unlock();
      }
    });
  for (std::thread &thread : threads) thread.join();
  EXPECT_EQ(counter, 1200);
}

TEST_F(EngMutexTest, LockDebugLogsOwnerAndFunction) {
  EngMutex mutex(1.0f);
  EXPECT_EQ(mutex.LockDebug("Sounds", "Play"), 1);
  EXPECT_EQ(mutex.UnlockDebug(nullptr, "Play"), 1);
  ASSERT_EQ(DebugGetNumMessages(), 2);
  EXPECT_STREQ(DebugGetMessage(0)->text, " :  Sounds: Play(): Locking mutex.");
  EXPECT_STREQ(DebugGetMessage(1)->text, " :  Play(): Unlocking mutex.");
}

}  // namespace
