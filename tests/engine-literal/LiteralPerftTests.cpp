// Leaf counts of the standard test positions through the reference engine's
// generator, DoMove and UndoMove.
#include <gtest/gtest.h>

#include <vector>

#include "tests/engine-literal/LiteralTestSupport.h"
#include "tests/engine-literal/Playouts.h"

namespace {

TEST(LiteralPerft, StandardPositionsToDepthThree) {
    // Counts of standard chess for depths 1, 2, 3, in the order of the
    // standard position list.
    const std::uint64_t counts[][3] = {
        {20, 400, 8902},   {48, 2039, 97862}, {14, 191, 2812}, {6, 264, 9467},  {6, 264, 9467},
        {44, 1486, 62379}, {46, 2079, 89890}, {8, 72, 492},    {18, 107, 1925},
    };
    const std::vector<std::string>& fens = StandardFens();
    ASSERT_EQ(fens.size(), std::size(counts));
    for (std::size_t k = 0; k < fens.size(); ++k) {
        TLoadedEngine e(fens[k]);
        for (int depth = 1; depth <= 3; ++depth)
            EXPECT_EQ(e->Perft(depth), counts[k][depth - 1]) << fens[k] << " depth " << depth;
    }
}

}  // namespace
