#include "platform/core/Thread.h"

#include <atomic>
#include <cassert>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "platform/core/MainThreadDispatcher.h"
#include "platform/core/NativeThreadPriority.h"

namespace {

// Where the worker's one synchronous call stands.
enum class TCallState { None, Pending, Running, Done, Dropped, Released };

}  // namespace

// Everything both threads touch: flags read without the lock are atomic and
// written under it, so the condition variable never misses a change.
struct TThread::TState {
    std::mutex mutex;
    std::condition_variable changed;
    std::atomic<bool> suspended{true};
    std::atomic<bool> terminated{false};
    std::atomic<bool> finished{false};
    bool started = false;
    std::thread::id workerId;

    TThreadPriority priority = tpNormal;
    TNativeThreadId nativeId = 0;  // 0 while the worker is not running
    int basePriority = 0;

    TCallState call = TCallState::None;
    std::uint64_t callNumber = 0;
    std::function<void()> closure;
    std::thread::id servingThread;

    void ApplyPriority() {
        if (nativeId != 0)
            ApplyRelativePriority(nativeId, basePriority, RelativePriority(priority));
    }

    // Main thread: runs call number `number` unless it was dropped meanwhile.
    void Serve(std::uint64_t number) {
        std::function<void()> f;
        {
            std::lock_guard lock(mutex);
            if (number != callNumber || call != TCallState::Pending) return;
            call = TCallState::Running;
            servingThread = std::this_thread::get_id();
            f = std::move(closure);
        }
        f();
        f = nullptr;  // what it holds goes while the worker still waits
        {
            std::lock_guard lock(mutex);
            if (number == callNumber && call == TCallState::Running) call = TCallState::Done;
        }
        changed.notify_all();
    }
};

TThread::TThread() : state_(std::make_shared<TState>()) {}

TThread::~TThread() {
    Terminate();
    WaitFor();
}

void TThread::Resume() {
    bool start = false;
    {
        std::lock_guard lock(state_->mutex);
        if (state_->terminated || !state_->suspended) return;
        state_->suspended = false;
        start = !state_->started;
        state_->started = true;
    }
    state_->changed.notify_all();
    if (start) worker_ = std::thread(&TThread::Run, this);
}

void TThread::Suspend() {
    std::lock_guard lock(state_->mutex);
    state_->suspended = true;
}

bool TThread::Suspended() const {
    return state_->suspended;
}

void TThread::Terminate() {
    std::function<void()> dropped;
    {
        std::lock_guard lock(state_->mutex);
        state_->terminated = true;
        if (state_->call == TCallState::Pending) {
            state_->call = TCallState::Dropped;
            dropped = std::move(state_->closure);
        }
    }
    state_->changed.notify_all();
}

bool TThread::Terminated() const {
    return state_->terminated;
}

void TThread::WaitFor() {
    {
        std::lock_guard lock(state_->mutex);
        assert(!state_->started || state_->workerId != std::this_thread::get_id());
        if (!state_->started) return;
        // We are inside the worker's running call, which cannot finish before we return.
        if (state_->call == TCallState::Running &&
            state_->servingThread == std::this_thread::get_id())
            state_->call = TCallState::Released;
    }
    state_->changed.notify_all();
    if (worker_.joinable()) worker_.join();
}

bool TThread::Finished() const {
    return state_->finished;
}

void TThread::SetPriority(TThreadPriority priority) {
    assert(priority >= tpIdle && priority <= tpTimeCritical);
    std::lock_guard lock(state_->mutex);
    state_->priority = priority;
    state_->ApplyPriority();
}

TThreadPriority TThread::Priority() const {
    std::lock_guard lock(state_->mutex);
    return state_->priority;
}

bool TThread::Synchronize(std::function<void()> call) {
    TState& s = *state_;
    std::uint64_t number;
    {
        std::lock_guard lock(s.mutex);
        assert(s.workerId == std::this_thread::get_id());
        if (s.terminated) return false;
        number = ++s.callNumber;
        s.call = TCallState::Pending;
        s.closure = std::move(call);
    }
    MainThreadDispatcher().Post([state = state_, number] { state->Serve(number); });

    std::unique_lock lock(s.mutex);
    s.changed.wait(lock, [&s] {
        return s.call == TCallState::Done || s.call == TCallState::Dropped ||
               s.call == TCallState::Released;
    });
    const bool done = s.call == TCallState::Done;
    s.call = TCallState::None;
    // Parked right here: the main thread suspended us during the call.
    s.changed.wait(lock, [&s] { return !s.suspended || s.terminated; });
    return done;
}

void TThread::Run() {
    {
        std::lock_guard lock(state_->mutex);
        state_->workerId = std::this_thread::get_id();
        state_->nativeId = CurrentNativeThreadId();
        state_->basePriority = NativeBasePriority(state_->nativeId);
        state_->ApplyPriority();
    }
    if (!state_->terminated) Execute();
    {
        std::lock_guard lock(state_->mutex);
        state_->nativeId = 0;  // the tid may be reused once we are gone
    }
    state_->finished = true;
}
