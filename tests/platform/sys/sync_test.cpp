// Events, critical sections and thread start.

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "platform/sys/clock.h"
#include "platform/sys/sync.h"
#include "platform/sys/thread.h"

namespace plat {
namespace {

class EventTest : public ::testing::Test {
 protected:
  void TearDown() override { CloseHandle(event_); }
  Event* event_ = nullptr;
};

TEST_F(EventTest, AutoResetEventWakesOneWaiterPerSet) {
  event_ = CreateEventA(nullptr, false, false, nullptr);
  std::atomic<int> woken{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i) {
    waiters.push_back(StartThread([&] {
      EXPECT_EQ(WaitForSingleObject(event_, INFINITE), WAIT_OBJECT_0);
      ++woken;
    }));
  }
  EXPECT_TRUE(WaitUntilIdle());
  EXPECT_EQ(woken, 0);
  for (int set = 1; set <= 3; ++set) {
    SetEvent(event_);
    EXPECT_TRUE(WaitUntilIdle());
    EXPECT_EQ(woken, set);
  }
  for (auto& t : waiters) t.join();
}

TEST_F(EventTest, SetsWithoutWaiterCollapseAndAWaitConsumesThem) {
  event_ = CreateEventA(nullptr, false, true, nullptr);
  EXPECT_EQ(WaitForSingleObject(event_, 0), WAIT_OBJECT_0) << "created signalled";
  EXPECT_EQ(WaitForSingleObject(event_, 0), WAIT_TIMEOUT);
  SetEvent(event_);
  SetEvent(event_);
  EXPECT_EQ(WaitForSingleObject(event_, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event_, 0), WAIT_TIMEOUT);
  SetEvent(event_);
  ResetEvent(event_);
  EXPECT_EQ(WaitForSingleObject(event_, 0), WAIT_TIMEOUT);
}

TEST_F(EventTest, ManualResetEventReleasesEveryWaiterAndStaysSet) {
  event_ = CreateEventA(nullptr, true, false, nullptr);
  std::atomic<int> woken{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i) {
    waiters.push_back(StartThread([&] {
      WaitForSingleObject(event_, INFINITE);
      ++woken;
    }));
  }
  EXPECT_TRUE(WaitUntilIdle());
  SetEvent(event_);
  for (auto& t : waiters) t.join();
  EXPECT_EQ(woken, 3);
  EXPECT_EQ(WaitForSingleObject(event_, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event_, 0), WAIT_OBJECT_0);
}

TEST(EventApiTest, RefusesWhatItCannotDo) {
  EXPECT_EQ(CreateEventA(nullptr, false, false, "named"), nullptr);
  EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
  EXPECT_FALSE(SetEvent(nullptr));
  EXPECT_FALSE(ResetEvent(nullptr));
  EXPECT_FALSE(CloseHandle(static_cast<Event*>(nullptr)));
}

TEST(CriticalSectionTest, ExcludesOtherThreadsAndNests) {
  CRITICAL_SECTION section;
  InitializeCriticalSection(&section);
  long counter = 0;  // deliberately not atomic
  std::vector<std::thread> workers;
  for (int i = 0; i < 4; ++i) {
    workers.push_back(StartThread([&] {
      for (int n = 0; n < 20000; ++n) {
        EnterCriticalSection(&section);
        EnterCriticalSection(&section);
        ++counter;
        LeaveCriticalSection(&section);
        LeaveCriticalSection(&section);
      }
    }));
  }
  for (auto& t : workers) t.join();
  EXPECT_EQ(counter, 80000);
  DeleteCriticalSection(&section);
}

TEST(CriticalSectionTest, OthersCannotEnterOrLeaveWhileHeldAndDeleteIsHarmless) {
  CRITICAL_SECTION section;
  InitializeCriticalSection(&section);
  EnterCriticalSection(&section);
  bool entered = true;
  StartThread([&] {
    entered = TryEnterCriticalSection(&section);
    LeaveCriticalSection(&section);  // not the owner: ignored
  }).join();
  EXPECT_FALSE(entered);

  std::atomic<bool> got{false};
  std::thread waiter = StartThread([&] {
    EnterCriticalSection(&section);
    got = true;
    LeaveCriticalSection(&section);
  });
  EXPECT_TRUE(WaitUntilIdle()) << "a thread blocked on the section counts as waiting";
  EXPECT_FALSE(got);
  LeaveCriticalSection(&section);
  waiter.join();
  EXPECT_TRUE(got);

  // A late user after the delete must not crash.
  DeleteCriticalSection(&section);
  EnterCriticalSection(&section);
  LeaveCriticalSection(&section);
}

TEST(ThreadTest, BeginThreadRunsTheFunctionWithItsArgument) {
  struct Call {
    Event* done;
    int value = 0;
  } call{CreateEventA(nullptr, false, false, nullptr)};
  uintptr_t started = _beginthread(
      [](void* argument) {
        auto* c = static_cast<Call*>(argument);
        c->value = 42;
        SetEvent(c->done);
      },
      0, &call);
  EXPECT_NE(started, static_cast<uintptr_t>(-1));
  EXPECT_EQ(WaitForSingleObject(call.done, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(call.value, 42);
  EXPECT_EQ(_beginthread(nullptr, 0, nullptr), static_cast<uintptr_t>(-1));
  CloseHandle(call.done);
}

}  // namespace
}  // namespace plat
