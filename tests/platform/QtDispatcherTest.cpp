// The Qt dispatcher: a worker's synchronous call is served by the Qt event
// loop and by ProcessMessages, which also delivers pending Qt events.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include "platform/qt/QtMainThreadDispatcher.h"
#include "tests/platform/ComputerPlayProtocol.h"

namespace {

// One application for the whole program, made on the main thread before any test.
class TQtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "kolvar_platform_qt_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QCoreApplication> app_;
};

[[maybe_unused]] auto* const environment =
    ::testing::AddGlobalTestEnvironment(new TQtApplicationEnvironment);

class QtDispatcherTest : public ::testing::Test {
protected:
    void SetUp() override { SetMainThreadDispatcher(&dispatcher); }
    void TearDown() override { SetMainThreadDispatcher(nullptr); }

    bool IsQtMainThread() const {
        return QThread::currentThread() == QCoreApplication::instance()->thread();
    }

    TQtMainThreadDispatcher dispatcher;
};

// Runs the event loop until quit, or fails after a hang.
void RunEventLoop(QEventLoop& loop) {
    QTimer::singleShot(std::chrono::milliseconds(HangLimit), &loop, [&loop] { loop.exit(1); });
    ASSERT_EQ(loop.exec(), 0) << "the event loop never served the call";
}

TEST_F(QtDispatcherTest, TheEventLoopServesAWorkersSynchronousCall) {
    QEventLoop loop;
    bool ranOnMain = false;
    TTestThread thread([&](TTestThread& self) {
        self.Synchronize([&] {
            ranOnMain = IsQtMainThread() && IsMainThread();
            loop.quit();
        });
    });
    thread.Resume();
    RunEventLoop(loop);
    thread.WaitFor();
    EXPECT_TRUE(ranOnMain);
}

TEST_F(QtDispatcherTest, ProcessMessagesServesTheCallAndPendingQtEvents) {
    bool qtEventDelivered = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&] { qtEventDelivered = true; }, Qt::QueuedConnection);
    ProcessMessages();
    EXPECT_TRUE(qtEventDelivered);

    bool ranOnMain = false;
    TTestThread thread(
        [&](TTestThread& self) { self.Synchronize([&] { ranOnMain = IsQtMainThread(); }); });
    thread.Resume();
    ASSERT_TRUE(PumpUntil([&] { return thread.Finished(); }));
    EXPECT_TRUE(ranOnMain);
}

TEST_F(QtDispatcherTest, StopAndStartWhileTheEventLoopRuns) {
    TPlayingThread thread;
    QEventLoop loop;
    int rounds = 0;
    int movesAtLastStop = 0;
    // Each round the event loop serves at least one move, then a timer stops and restarts play.
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (thread.movesMade == movesAtLastStop) return;
        thread.StopThinking();
        movesAtLastStop = thread.movesMade;
        thread.position += 100;
        if (++rounds == 100) {
            // Stopping pumps every event, this timer's too: it must not restart play.
            timer.stop();
            loop.quit();
        }
        thread.StartThinking();
    });
    timer.start(0);
    thread.StartThinking();
    RunEventLoop(loop);
    thread.StopThinking();
    EXPECT_EQ(thread.position, 100 * rounds + thread.movesMade);
    EXPECT_GE(thread.movesMade, rounds);
}

TEST_F(QtDispatcherTest, TerminateDropsACallTheEventLoopHasNotReached) {
    bool callRan = false;
    std::atomic<bool> aboutToCall{false};
    {
        TTestThread thread([&](TTestThread& self) {
            aboutToCall = true;
            self.Synchronize([&] { callRan = true; });
        });
        thread.Resume();
        ASSERT_TRUE(WaitUntil([&] { return aboutToCall.load(); }));
    }
    QCoreApplication::processEvents();
    ProcessMessages();
    EXPECT_FALSE(callRan);
}

}  // namespace
