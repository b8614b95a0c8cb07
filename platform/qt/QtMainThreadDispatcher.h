// The dispatcher on Qt: a posted call is a queued call onto a main-thread
// object, so the event loop serves it, and ProcessMessages serves it too.
#pragma once

#include <QObject>

#include "platform/core/MainThreadDispatcher.h"
#include "platform/core/MainThreadQueue.h"

class TQtMainThreadDispatcher : public TMainThreadDispatcher {
public:
    // Construct on the thread that runs the QCoreApplication's event loop.
    TQtMainThreadDispatcher();

    void Post(std::function<void()> call) override;
    // Processes pending Qt events and runs the pending calls; when no call was
    // pending, waits up to 1 ms for one and runs it.
    void ProcessMessages() override;

private:
    TMainThreadQueue queue_;
    QObject receiver_;  // lives on the main thread; queued calls to it run there
};
