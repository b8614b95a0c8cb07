#include "platform/core/NativeThreadPriority.h"

#include <algorithm>

#ifdef __linux__
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#endif

#ifdef __linux__

// On Linux each thread has its own nice value, which setpriority accepts for a
// tid: a higher relative priority is a lower nice value.
TNativeThreadId CurrentNativeThreadId() {
    return static_cast<TNativeThreadId>(syscall(SYS_gettid));
}

int NativeBasePriority(TNativeThreadId thread) {
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(thread));
    return errno == 0 ? nice : 0;
}

bool ApplyRelativePriority(TNativeThreadId thread, int base, int relative) {
    if (thread == 0) return false;
    const int nice = std::clamp(base - relative, -20, 19);
    return setpriority(PRIO_PROCESS, static_cast<id_t>(thread), nice) == 0;
}

#else

TNativeThreadId CurrentNativeThreadId() {
    return 0;
}

int NativeBasePriority(TNativeThreadId) {
    return 0;
}

bool ApplyRelativePriority(TNativeThreadId, int, int) {
    return false;
}

#endif
