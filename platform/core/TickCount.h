// The millisecond tick count the animation times its steps with.
#pragma once

#include <cstdint>

// Milliseconds of a steady clock since an arbitrary start; wraps at 2^32, so
// compare two readings only through their unsigned difference.
std::uint32_t GetTickCount();
