// Perft counts of standard positions through the engine's generation, make
// and unmake; the counts are chess's own. Deeper counts belong to the bench.
#include <vector>

#include "tests/engine/EngineTestSupport.h"

namespace {

struct TPerftCase {
    const char* Name;
    const char* Fen;
    std::vector<std::uint64_t> Leaves;  // depth 1 first
};

const TPerftCase PerftCases[] = {
    {"start",
     "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
     {20, 400, 8902, 197281, 4865609}},
    {"kiwipete",
     "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
     {48, 2039, 97862, 4085603}},
    {"endgame-rook-pawns",
     "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
     {14, 191, 2812, 43238, 674624}},
    {"castling-promotions",
     "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
     {6, 264, 9467, 422333}},
    {"castling-promotions-mirrored",
     "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1",
     {6, 264, 9467, 422333}},
    {"middlegame-promotion",
     "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
     {44, 1486, 62379}},
    {"quiet-middlegame",
     "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
     {46, 2079, 89890}},
    {"en-passant-discovered-check",
     "8/8/8/2k5/2pP4/8/B7/4K3 b - d3 0 3",
     {8, 72, 492, 5380, 36744}},
    {"en-passant-pin-on-rank", "8/8/3k4/8/1KPp3r/8/8/8 b - c3 0 1", {18, 107, 1925, 11029, 206361}},
};

TEST(EnginePerft, MatchesChessCounts) {
    for (const TPerftCase& c : PerftCases) {
        TEngineFixture f(c.Fen);
        for (int depth = 1; depth <= int(c.Leaves.size()); ++depth)
            EXPECT_EQ(f.Engine->Perft(depth), c.Leaves[depth - 1]) << c.Name << " depth " << depth;
        EXPECT_EQ(f.Engine->Perft(0), 1u) << c.Name;
        EXPECT_EQ(f.Engine->BoardState().Ply, 0) << c.Name;
    }
}

}  // namespace
