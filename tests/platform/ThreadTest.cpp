// The worker thread's life: parked at creation, running after Resume, its
// synchronous call onto the main thread, suspension inside that call, and
// termination that releases a blocked or parked worker.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "tests/platform/TestThread.h"

namespace {

TEST(ThreadLifeTest, NeverResumedNeverRunsAndEndsCleanly) {
    std::atomic<bool> ran{false};
    {
        TTestThread thread([&](TTestThread&) { ran = true; });
        EXPECT_TRUE(thread.Suspended());
        EXPECT_FALSE(thread.Terminated());
        thread.Suspend();  // already parked: nothing changes
        EXPECT_TRUE(thread.Suspended());
        thread.Terminate();
        thread.WaitFor();
        thread.Resume();  // once terminated it never starts
        thread.WaitFor();
        EXPECT_TRUE(thread.Terminated());
        EXPECT_FALSE(thread.Finished());
    }
    EXPECT_FALSE(ran);
}

TEST(ThreadLifeTest, ResumeRunsExecuteOnTheWorker) {
    std::atomic<std::thread::id> ranOn{};
    TTestThread thread([&](TTestThread&) { ranOn = std::this_thread::get_id(); });
    thread.Resume();
    EXPECT_FALSE(thread.Suspended());
    thread.Resume();  // not suspended: no effect
    thread.WaitFor();
    EXPECT_TRUE(thread.Finished());
    EXPECT_NE(ranOn.load(), std::thread::id{});
    EXPECT_NE(ranOn.load(), std::this_thread::get_id());
}

TEST(ThreadSynchronizeTest, RunsOnTheMainThreadWhileTheWorkerWaits) {
    TDispatcherScope scope;
    std::thread::id ranOn;
    std::atomic<bool> workerPastCall{false};
    bool workerWaitedDuringCall = false;
    bool result = false;
    TTestThread thread([&](TTestThread& self) {
        result = self.Synchronize([&] {
            ranOn = std::this_thread::get_id();
            workerWaitedDuringCall = !workerPastCall;
        });
        workerPastCall = true;
    });
    thread.Resume();
    ASSERT_TRUE(WaitUntil([&] { return scope.dispatcher.posted == 1; }));
    EXPECT_FALSE(workerPastCall);  // nothing serves the call until the main thread pumps
    ASSERT_TRUE(PumpUntil([&] { return thread.Finished(); }));
    thread.WaitFor();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_TRUE(workerWaitedDuringCall);
    EXPECT_TRUE(result);
}

TEST(ThreadSuspendTest, SuspendInsideTheCallParksTheWorkerUntilResume) {
    TDispatcherScope scope;
    std::atomic<int> calls{0};
    bool suspendedAtOnce = false;
    TTestThread thread([&](TTestThread& self) {
        self.Synchronize([&] {
            self.Suspend();
            suspendedAtOnce = self.Suspended();
        });
        ++calls;
        self.Synchronize([] {});
        ++calls;
    });
    thread.Resume();
    ASSERT_TRUE(PumpUntil([&] { return thread.Suspended(); }));
    EXPECT_TRUE(suspendedAtOnce);
    // Parked: its second call never comes however long the main thread pumps.
    for (int i = 0; i < 20; ++i) ProcessMessages();
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(scope.dispatcher.posted, 1);

    thread.Resume();
    EXPECT_FALSE(thread.Suspended());
    ASSERT_TRUE(PumpUntil([&] { return thread.Finished(); }));
    EXPECT_EQ(calls, 2);
}

TEST(ThreadSuspendTest, SuspendAndResumeWithinOneCallDoNotPark) {
    TDispatcherScope scope;
    TTestThread thread([&](TTestThread& self) {
        for (int i = 0; i < 3; ++i)
            self.Synchronize([&] {
                self.Suspend();
                self.Resume();
            });
    });
    thread.Resume();
    ASSERT_TRUE(PumpUntil([&] { return thread.Finished(); }));
    EXPECT_FALSE(thread.Suspended());
    EXPECT_EQ(scope.dispatcher.posted, 3);
}

TEST(ThreadTerminateTest, ReleasesAWorkerBlockedInSynchronizeAndDropsItsCall) {
    TDispatcherScope scope;
    bool callRan = false;
    std::atomic<int> result{-1};
    TTestThread thread(
        [&](TTestThread& self) { result = self.Synchronize([&] { callRan = true; }); });
    thread.Resume();
    ASSERT_TRUE(WaitUntil([&] { return scope.dispatcher.posted == 1; }));
    thread.Terminate();
    thread.WaitFor();
    EXPECT_EQ(result, 0);
    for (int i = 0; i < 3; ++i) ProcessMessages();  // the queued call is served, and does nothing
    EXPECT_FALSE(callRan);
}

TEST(ThreadTerminateTest, ReleasesAParkedWorker) {
    TDispatcherScope scope;
    std::atomic<int> result{-1};
    TTestThread thread([&](TTestThread& self) {
        result = self.Synchronize([&] { self.Suspend(); });
        while (!self.Terminated()) self.Synchronize([] {});
    });
    thread.Resume();
    ASSERT_TRUE(PumpUntil([&] { return thread.Suspended(); }));
    thread.Terminate();
    thread.WaitFor();
    EXPECT_EQ(result, 1);  // the call itself had run to the end
    EXPECT_EQ(scope.dispatcher.posted, 1);
}

TEST(ThreadTerminateTest, SynchronizeAfterTerminateReturnsAtOnceWithoutRunning) {
    TDispatcherScope scope;
    std::atomic<int> result{-1};
    TTestThread thread([&](TTestThread& self) {
        self.Terminate();
        result = self.Synchronize([] { FAIL() << "a call after termination ran"; });
    });
    thread.Resume();
    thread.WaitFor();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(scope.dispatcher.posted, 0);
}

TEST(ThreadTerminateTest, WaitForInsideTheRunningCallDoesNotDeadlock) {
    TDispatcherScope scope;
    bool joined = false;
    std::atomic<int> result{-1};
    TTestThread* owner = nullptr;
    TTestThread thread([&](TTestThread& self) {
        result = self.Synchronize([&] {
            owner->Terminate();
            owner->WaitFor();
            joined = owner->Finished();
        });
    });
    owner = &thread;
    thread.Resume();
    ASSERT_TRUE(PumpUntil([&] { return joined; }));
    EXPECT_EQ(result, 0);  // released before its call had finished
}

// A thread class without a destructor of its own: the base one must end it.
class TBareThread : public TThread {
public:
    explicit TBareThread(std::shared_ptr<std::atomic<bool>> callRan) : callRan_(callRan) {}
    using TThread::Synchronize;

protected:
    void Execute() override {
        auto callRan = callRan_;  // Execute keeps to what outlives the derived object
        Synchronize([callRan] { *callRan = true; });
    }

private:
    std::shared_ptr<std::atomic<bool>> callRan_;
};

TEST(ThreadTerminateTest, DestructorEndsAWorkerBlockedInSynchronize) {
    TDispatcherScope scope;
    auto callRan = std::make_shared<std::atomic<bool>>(false);
    {
        TBareThread thread(callRan);
        thread.Resume();
        ASSERT_TRUE(WaitUntil([&] { return scope.dispatcher.posted == 1; }));
    }
    for (int i = 0; i < 3; ++i) ProcessMessages();  // the call outlived its thread: dropped
    EXPECT_FALSE(*callRan);
}

}  // namespace
