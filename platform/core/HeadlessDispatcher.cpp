#include "platform/core/HeadlessDispatcher.h"

#include <cassert>

void THeadlessDispatcher::Post(std::function<void()> call) {
    queue_.Push(std::move(call));
}

void THeadlessDispatcher::ProcessMessages() {
    assert(IsMainThread());
    if (queue_.RunPending() > 0) return;
    // A short block instead of a spin: the caller usually loops until a worker's call arrives.
    if (queue_.WaitForCall(std::chrono::milliseconds(1))) queue_.RunPending();
}
