#include "platform/core/MainThreadDispatcher.h"

#include <atomic>

#include "platform/core/HeadlessDispatcher.h"

TMainThreadDispatcher::TMainThreadDispatcher() : mainThread_(std::this_thread::get_id()) {}

namespace {

THeadlessDispatcher& BuiltInDispatcher() {
    static THeadlessDispatcher dispatcher;
    return dispatcher;
}

// Built during static initialisation (or earlier, on first use by another
// initialiser), so its main thread is the program's and never a worker.
[[maybe_unused]] THeadlessDispatcher& builtInAtStart = BuiltInDispatcher();

std::atomic<TMainThreadDispatcher*> currentDispatcher{nullptr};

}  // namespace

void SetMainThreadDispatcher(TMainThreadDispatcher* dispatcher) {
    currentDispatcher = dispatcher;
}

TMainThreadDispatcher& MainThreadDispatcher() {
    TMainThreadDispatcher* dispatcher = currentDispatcher;
    return dispatcher ? *dispatcher : BuiltInDispatcher();
}

void ProcessMessages() {
    MainThreadDispatcher().ProcessMessages();
}

bool IsMainThread() {
    return MainThreadDispatcher().IsMainThread();
}
