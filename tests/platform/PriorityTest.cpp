// Priority levels: their relative priorities, and applying each of them to a
// worker, before its start, from the main thread and from the worker itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "platform/core/NativeThreadPriority.h"
#include "tests/platform/TestThread.h"

namespace {

constexpr TThreadPriority AllLevels[] = {tpIdle,   tpLowest,  tpLower,       tpNormal,
                                         tpHigher, tpHighest, tpTimeCritical};

TEST(ThreadPriorityTest, LevelsMapToTheirRelativePriorities) {
    const struct {
        TThreadPriority level;
        int relative;
    } rows[] = {{tpIdle, -15}, {tpLowest, -2}, {tpLower, -1},       {tpNormal, 0},
                {tpHigher, 1}, {tpHighest, 2}, {tpTimeCritical, 15}};
    for (const auto& row : rows) EXPECT_EQ(RelativePriority(row.level), row.relative) << row.level;
}

TEST(ThreadPriorityTest, DefaultsToNormalAndReadsBackWhatWasSet) {
    TTestThread thread([](TTestThread&) {});
    EXPECT_EQ(thread.Priority(), tpNormal);
    for (TThreadPriority level : AllLevels) {
        thread.SetPriority(level);  // not started: stored for its start
        EXPECT_EQ(thread.Priority(), level);
    }
}

#ifdef __linux__

// A worker that reports its OS id and its nice value at start, then waits
// parked until the test ends it.
struct TParkedWorker {
    std::atomic<TNativeThreadId> id{0};
    std::atomic<int> niceAtStart{0};
    TTestThread thread{[this](TTestThread& self) {
        niceAtStart = NativeBasePriority(CurrentNativeThreadId());
        id = CurrentNativeThreadId();
        self.Synchronize([&self] { self.Suspend(); });
    }};
};

// Lowering is always permitted, so these levels must reach the OS.
int ExpectedNice(int base, TThreadPriority level) {
    return std::clamp(base - RelativePriority(level), -20, 19);
}

TEST(ThreadPriorityTest, LevelSetBeforeTheStartIsAppliedAtTheStart) {
    TDispatcherScope scope;
    const int base = NativeBasePriority(CurrentNativeThreadId());
    TParkedWorker worker;
    worker.thread.SetPriority(tpLowest);
    worker.thread.Resume();
    ASSERT_TRUE(PumpUntil([&] { return worker.thread.Suspended(); }));
    EXPECT_EQ(worker.niceAtStart, ExpectedNice(base, tpLowest));
}

TEST(ThreadPriorityTest, EveryLevelAppliesToARunningWorkerWithoutFailing) {
    TDispatcherScope scope;
    const int base = NativeBasePriority(CurrentNativeThreadId());
    TParkedWorker worker;
    worker.thread.Resume();
    ASSERT_TRUE(PumpUntil([&] { return worker.thread.Suspended(); }));
    for (TThreadPriority level : {tpLower, tpLowest, tpIdle}) {
        worker.thread.SetPriority(level);
        EXPECT_EQ(NativeBasePriority(worker.id), ExpectedNice(base, level)) << level;
    }
    // Raising may be refused for an unprivileged process; that is ignored.
    for (TThreadPriority level : AllLevels) {
        worker.thread.SetPriority(level);
        EXPECT_EQ(worker.thread.Priority(), level);
    }
}

#endif

TEST(ThreadPriorityTest, TheWorkerSetsItsOwnPriority) {
    TDispatcherScope scope;
    std::atomic<int> applied{0};
    TTestThread thread([&](TTestThread& self) {
        for (TThreadPriority level : AllLevels) {
            self.SetPriority(level);
            if (self.Priority() == level) ++applied;
        }
    });
    thread.Resume();
    thread.WaitFor();
    EXPECT_EQ(applied, 7);
}

}  // namespace
