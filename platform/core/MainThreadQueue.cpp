#include "platform/core/MainThreadQueue.h"

void TMainThreadQueue::Push(std::function<void()> call) {
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
    }
    arrived_.notify_all();
}

std::size_t TMainThreadQueue::RunPending() {
    std::size_t count;
    {
        std::lock_guard lock(mutex_);
        count = calls_.size();
    }
    // Popped one at a time, so a call that pumps messages itself goes on in order.
    std::size_t ran = 0;
    for (; ran < count; ++ran) {
        std::function<void()> call = PopFront();
        if (!call) break;
        ++served_;
        call();
    }
    return ran;
}

bool TMainThreadQueue::WaitForCall(std::chrono::microseconds timeout) {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, timeout, [this] { return !calls_.empty(); });
}

std::function<void()> TMainThreadQueue::PopFront() {
    std::lock_guard lock(mutex_);
    if (calls_.empty()) return {};
    std::function<void()> call = std::move(calls_.front());
    calls_.pop_front();
    return call;
}
