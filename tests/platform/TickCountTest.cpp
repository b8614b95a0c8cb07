// The tick count counts milliseconds of a clock that never goes back.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>

#include "platform/core/TickCount.h"

namespace {

TEST(TickCountTest, CountsMillisecondsForward) {
    const std::uint32_t start = GetTickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const std::uint32_t elapsed = GetTickCount() - start;  // unsigned: right across the wrap
    EXPECT_GE(elapsed, 30u);
    EXPECT_LT(elapsed, 60'000u);  // milliseconds, not microseconds
}

}  // namespace
