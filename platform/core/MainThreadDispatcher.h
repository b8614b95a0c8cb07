// "Run this on the main thread": the interface a worker hands its calls
// through, the process-wide current dispatcher, and the message pump.
#pragma once

#include <functional>
#include <thread>

class TMainThreadDispatcher {
public:
    // The thread that constructs the dispatcher is its main thread.
    TMainThreadDispatcher();
    virtual ~TMainThreadDispatcher() = default;
    TMainThreadDispatcher(const TMainThreadDispatcher&) = delete;
    TMainThreadDispatcher& operator=(const TMainThreadDispatcher&) = delete;

    // Any thread: queues the call to run later on the main thread, in order of posting.
    virtual void Post(std::function<void()> call) = 0;
    // Main thread: runs the calls (and, for a GUI backend, the events) pending now.
    virtual void ProcessMessages() = 0;

    bool IsMainThread() const { return std::this_thread::get_id() == mainThread_; }

private:
    std::thread::id mainThread_;
};

// Makes the dispatcher current for the whole process (not owned; it must
// outlive every thread that posts to it). nullptr restores the built-in
// headless one, whose main thread is the one that ran static initialisation.
void SetMainThreadDispatcher(TMainThreadDispatcher* dispatcher);

// The current dispatcher.
TMainThreadDispatcher& MainThreadDispatcher();

// Main thread: serves what is pending through the current dispatcher; when
// nothing is pending it waits up to about a millisecond for a call to arrive.
void ProcessMessages();

// True on the current dispatcher's main thread.
bool IsMainThread();
