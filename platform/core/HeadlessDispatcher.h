// The dispatcher without a display: calls wait in a queue until the main
// thread runs ProcessMessages. Tests and tools play the computer with it.
#pragma once

#include "platform/core/MainThreadDispatcher.h"
#include "platform/core/MainThreadQueue.h"

class THeadlessDispatcher : public TMainThreadDispatcher {
public:
    void Post(std::function<void()> call) override;
    // Runs the pending calls; if there are none, waits up to 1 ms for one and runs it.
    void ProcessMessages() override;

private:
    TMainThreadQueue queue_;
};
