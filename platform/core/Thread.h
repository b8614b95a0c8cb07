// A worker thread that is created parked, runs Execute once resumed, and hands
// calls to the main thread with Synchronize. Suspending parks the worker at
// the end of its synchronous call: a flag it waits on, never an OS suspension.
#pragma once

#include <functional>
#include <memory>
#include <thread>

#include "platform/core/ThreadPriority.h"

class TThread {
public:
    // Parked: Execute does not run before the first Resume.
    TThread();
    // Terminates and joins if the owner has not. A derived class whose Execute
    // uses its own members must call Terminate and WaitFor in its own
    // destructor, since they are gone by the time this one runs.
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Main thread: lets a suspended worker go on; the first call starts
    // Execute. No effect on a worker that is not suspended, or once terminated.
    void Resume();
    // Main thread, while the worker waits in Synchronize: the worker parks at
    // the end of that call until Resume. Suspended() is true at once. (Called
    // at another time, the worker parks at the end of its next synchronous call.)
    void Suspend();
    // True from construction to the first Resume and from each Suspend to the next Resume.
    bool Suspended() const;

    // Any thread: asks Execute to end and never waits. A parked worker is
    // released, a synchronous call not yet started is dropped (it will never
    // run), one running on the main thread finishes.
    void Terminate();
    bool Terminated() const;
    // Owner's thread, not the worker: blocks until Execute has returned; at
    // once for a thread that never started. Called from inside the worker's own
    // running synchronous call, it releases the worker from waiting for that
    // call (rather than wait forever), so the rest of the call must not touch
    // what the worker owns.
    void WaitFor();
    // True once Execute has returned.
    bool Finished() const;

    // Any thread: stores the level and applies it to the worker (from its start
    // on) as far as the OS permits; a refused raise is ignored.
    void SetPriority(TThreadPriority priority);
    TThreadPriority Priority() const;

protected:
    // The worker's work; runs once, on the worker, after the first Resume.
    virtual void Execute() = 0;

    // Worker only: runs the call on the main thread through the current
    // dispatcher and blocks until it has run there, then stays parked while
    // suspended. True when the call ran to the end; false when termination
    // came first (the call is dropped unrun) or WaitFor released the worker.
    bool Synchronize(std::function<void()> call);

private:
    struct TState;

    void Run();

    std::shared_ptr<TState> state_;  // shared with the posted calls, which may outlive us
    std::thread worker_;
};
