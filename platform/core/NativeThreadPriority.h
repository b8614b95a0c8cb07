// How a thread's priority level reaches the operating system: the level's
// relative priority, and applying it to one OS thread.
#pragma once

#include "platform/core/ThreadPriority.h"

// The relative priority of a level: tpIdle..tpTimeCritical give -15, -2, -1,
// 0, 1, 2, 15; higher runs first.
constexpr int RelativePriority(TThreadPriority priority) {
    constexpr int table[] = {-15, -2, -1, 0, 1, 2, 15};
    return table[priority];
}

// The OS id of a thread (the Linux tid); 0 where the platform has none.
using TNativeThreadId = long;

// The calling thread's OS id.
TNativeThreadId CurrentNativeThreadId();

// The thread's scheduling base (its nice value on Linux), 0 where unknown.
int NativeBasePriority(TNativeThreadId thread);

// Sets the thread to its base shifted by a relative priority. Returns false
// when the OS refused (an unprivileged raise); callers ignore that.
bool ApplyRelativePriority(TNativeThreadId thread, int base, int relative);
