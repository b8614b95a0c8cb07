// A stand-in for the board and its engine thread that follows their protocol:
// the worker reads the position at the top of each pass, hands its move back
// and reports the end of the pass through synchronous calls; the main thread
// stops it by pumping messages until it is parked and starts it by resuming.
#pragma once

#include <atomic>

#include "tests/platform/TestThread.h"

class TPlayingThread : public TThread {
public:
    ~TPlayingThread() override {
        Terminate();
        WaitFor();
    }

    // Main thread: returns once the worker is parked.
    void StopThinking() {
        stopRequested = true;
        while (!Suspended()) ProcessMessages();
    }

    // Main thread.
    void StartThinking() {
        stopRequested = false;
        Resume();
    }

    // Changed by the main thread only while the worker is parked or waits in a call.
    int position = 0;
    int movesMade = 0;
    bool computerToMove = true;

    std::atomic<bool> stopRequested{false};

protected:
    void Execute() override {
        while (!Terminated()) {
            if (computerToMove) {
                const int seen = position;  // the search reads the position
                if (!stopRequested) Synchronize([this, seen] { MakeMove(seen); });
            }
            Synchronize([this] { ThinkingDone(); });
        }
    }

private:
    // Main thread, while the worker waits.
    void MakeMove(int seen) {
        position = seen + 1;
        ++movesMade;
    }

    // Main thread, while the worker waits: park it, and let it go on at once
    // unless a stop was asked.
    void ThinkingDone() {
        Suspend();
        if (!stopRequested) StartThinking();
    }
};
