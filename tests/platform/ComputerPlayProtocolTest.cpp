// The board's stop and start handshake with its worker, repeated many times:
// once stopped, the worker is parked and the main thread may change what it
// reads; once started, it plays on.
#include <gtest/gtest.h>

#include "tests/platform/ComputerPlayProtocol.h"

namespace {

constexpr int Rounds = 300;

TEST(ComputerPlayProtocolTest, StopParksTheWorkerAndStartLetsItPlayOn) {
    TDispatcherScope scope;
    TPlayingThread thread;
    thread.StartThinking();
    for (int round = 0; round < Rounds; ++round) {
        const int movesBefore = thread.movesMade;
        ASSERT_TRUE(PumpUntil([&] { return thread.movesMade > movesBefore; })) << round;

        thread.StopThinking();
        ASSERT_TRUE(thread.Suspended());
        const int movesWhenStopped = thread.movesMade;
        const int postedWhenStopped = scope.dispatcher.posted;
        thread.position += 100;  // the worker is parked: the main thread owns the position
        if (round % 50 == 0)
            for (int i = 0; i < 5; ++i) ProcessMessages();
        EXPECT_EQ(thread.movesMade, movesWhenStopped);
        EXPECT_EQ(scope.dispatcher.posted, postedWhenStopped);

        thread.StartThinking();
    }
    thread.StopThinking();
    EXPECT_GE(thread.position, 101 * Rounds);  // every move started from the position it read
}

TEST(ComputerPlayProtocolTest, PollingWhileNotItsTurnAndStoppingThen) {
    TDispatcherScope scope;
    TPlayingThread thread;
    thread.computerToMove = false;
    thread.StartThinking();
    for (int round = 0; round < Rounds; ++round) {
        const int postedBefore = scope.dispatcher.posted;
        ASSERT_TRUE(PumpUntil([&] { return scope.dispatcher.posted > postedBefore + 1; }));
        thread.StopThinking();
        thread.computerToMove = round % 2 == 0;  // the turn changes only while it is parked
        thread.StartThinking();
    }
    thread.StopThinking();
    EXPECT_GT(thread.movesMade, 0);
}

TEST(ComputerPlayProtocolTest, StopWhenParkedOrNeverStartedReturnsAtOnce) {
    TDispatcherScope scope;
    TPlayingThread thread;
    thread.StopThinking();  // never started: parked from construction
    thread.StartThinking();
    thread.StopThinking();
    thread.StopThinking();  // already parked
    EXPECT_TRUE(thread.Suspended());
}

TEST(ComputerPlayProtocolTest, EndingTheOwnerWhilePlayingDoesNotHang) {
    TDispatcherScope scope;
    for (int round = 0; round < 50; ++round) {
        TPlayingThread thread;
        thread.StartThinking();
        for (int i = 0; i < round % 5; ++i) ProcessMessages();
    }
    for (int i = 0; i < 3; ++i) ProcessMessages();  // calls left behind are dropped
}

}  // namespace
