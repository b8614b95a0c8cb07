// The queue of calls waiting for the main thread, shared by the dispatchers:
// any thread pushes, the main thread runs them in order.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

class TMainThreadQueue {
public:
    // Any thread: appends the call and wakes a waiting RunPending.
    void Push(std::function<void()> call);

    // Main thread: runs the calls queued when it starts, oldest first (calls
    // they queue wait for the next run, so a re-posting call cannot starve the
    // caller). Returns how many ran.
    std::size_t RunPending();

    // Main thread: waits until a call is queued or the timeout passes; true if one is queued.
    bool WaitForCall(std::chrono::microseconds timeout);

    // How many calls RunPending has run in all (main thread).
    std::size_t Served() const { return served_; }

private:
    std::function<void()> PopFront();

    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::function<void()>> calls_;
    std::size_t served_ = 0;
};
