// The main-thread dispatcher: posted calls run on the main thread, in order,
// only when it pumps; the current dispatcher can be replaced and restored.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tests/platform/TestThread.h"

namespace {

TEST(HeadlessDispatcherTest, RunsCallsFromAnyThreadOnTheMainThreadInOrder) {
    THeadlessDispatcher dispatcher;
    std::vector<int> order;
    bool allOnMain = true;
    bool posterIsMain = true;
    std::thread poster([&] {
        posterIsMain = dispatcher.IsMainThread();
        for (int i = 0; i < 5; ++i)
            dispatcher.Post([&, i] {
                order.push_back(i);
                allOnMain = allOnMain && dispatcher.IsMainThread();
            });
    });
    poster.join();
    EXPECT_TRUE(order.empty());  // nothing runs until the main thread pumps
    dispatcher.ProcessMessages();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(allOnMain);
    EXPECT_FALSE(posterIsMain);
    EXPECT_TRUE(dispatcher.IsMainThread());
}

TEST(HeadlessDispatcherTest, ACallPostedByARunningCallWaitsForTheNextPump) {
    THeadlessDispatcher dispatcher;
    int runs = 0;
    std::function<void()> repost = [&] {
        ++runs;
        dispatcher.Post(repost);
    };
    dispatcher.Post(repost);
    dispatcher.ProcessMessages();
    EXPECT_EQ(runs, 1);
    dispatcher.ProcessMessages();
    EXPECT_EQ(runs, 2);
}

TEST(HeadlessDispatcherTest, APumpInsideACallGoesOnInOrder) {
    THeadlessDispatcher dispatcher;
    std::vector<int> order;
    dispatcher.Post([&] {
        order.push_back(0);
        dispatcher.ProcessMessages();
    });
    dispatcher.Post([&] { order.push_back(1); });
    dispatcher.Post([&] { order.push_back(2); });
    dispatcher.ProcessMessages();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
}

TEST(CurrentDispatcherTest, SetReplacesTheBuiltInOneAndNullRestoresIt) {
    TMainThreadDispatcher& builtIn = MainThreadDispatcher();
    EXPECT_TRUE(IsMainThread());  // the built-in one's main thread is the program's
    bool workerIsMain = true;
    std::thread([&] { workerIsMain = IsMainThread(); }).join();
    EXPECT_FALSE(workerIsMain);
    {
        TDispatcherScope scope;
        EXPECT_EQ(&MainThreadDispatcher(), &scope.dispatcher);
        bool ran = false;
        scope.dispatcher.Post([&] { ran = true; });
        ProcessMessages();
        EXPECT_TRUE(ran);
    }
    EXPECT_EQ(&MainThreadDispatcher(), &builtIn);
}

TEST(CurrentDispatcherTest, TheBuiltInOneServesAThreadWithoutAnySetup) {
    bool ranOnMain = false;
    TTestThread thread(
        [&](TTestThread& self) { self.Synchronize([&] { ranOnMain = IsMainThread(); }); });
    thread.Resume();
    ASSERT_TRUE(PumpUntil([&] { return thread.Finished(); }));
    EXPECT_TRUE(ranOnMain);
}

}  // namespace
