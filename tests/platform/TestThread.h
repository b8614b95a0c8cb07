// Helpers of the platform tests: a thread whose Execute is a closure, a
// dispatcher that counts what is posted to it, and pumping until a condition.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "platform/core/HeadlessDispatcher.h"
#include "platform/core/MainThreadDispatcher.h"
#include "platform/core/Thread.h"

class TTestThread : public TThread {
public:
    explicit TTestThread(std::function<void(TTestThread&)> body) : body_(std::move(body)) {}
    ~TTestThread() override {
        Terminate();
        WaitFor();
    }
    using TThread::Synchronize;

protected:
    void Execute() override { body_(*this); }

private:
    std::function<void(TTestThread&)> body_;
};

// A headless dispatcher that counts the calls posted to it.
class TCountingDispatcher : public THeadlessDispatcher {
public:
    void Post(std::function<void()> call) override {
        ++posted;  // counted first, so no run of the call is seen before its count
        THeadlessDispatcher::Post(std::move(call));
    }
    std::atomic<int> posted{0};
};

// Makes a counting dispatcher current for one test.
class TDispatcherScope {
public:
    TDispatcherScope() { SetMainThreadDispatcher(&dispatcher); }
    ~TDispatcherScope() { SetMainThreadDispatcher(nullptr); }
    TCountingDispatcher dispatcher;
};

// The deadline only turns a hang into a failure; it is no speed requirement.
inline constexpr auto HangLimit = std::chrono::seconds(20);

// Main thread: ProcessMessages until the condition holds; false on a hang.
inline bool PumpUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + HangLimit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        ProcessMessages();
    }
    return true;
}

// Any thread: waits, without pumping, until the condition holds; false on a hang.
inline bool WaitUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + HangLimit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}
