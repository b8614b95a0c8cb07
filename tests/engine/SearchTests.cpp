// Worked search results, each on a fresh engine unless the case is about what
// one search leaves for the next, and the search's bookkeeping: iterations,
// nodes, stop, and a root without a legal move.
#include <string>
#include <vector>

#include "tests/engine/EngineTestSupport.h"

namespace {

struct TSearchCase {
    const char* Name;
    const char* Fen;
    int Depth;
    int Score;
    std::vector<std::string> Line;  // the whole line, or only its first move
    bool WholeLine;
};

std::vector<std::string> LineOf(const TChessEngine& engine) {
    std::vector<std::string> line;
    for (int i = 0; i < engine.PvLineLength(); ++i) line.push_back(MoveText(engine.PvLine()[i]));
    return line;
}

const char* const BlackStartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1";
const char* const RookMateFen = "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1";
const char* const EnPassantFen = "4k3/8/8/2PpP3/8/8/8/4K3 w - d6 0 1";
const char* const PromotionFen = "1r2k3/P7/8/8/8/8/8/4K3 w - - 0 1";

const TSearchCase SearchCases[] = {
    {"start-1", StartFen, 1, 28, {"d2d4"}, true},
    {"start-2", StartFen, 2, 0, {"d2d4", "d7d5"}, true},
    {"start-3", StartFen, 3, 25, {"d2d4", "d7d5", "b1c3"}, true},
    {"black-start-1", BlackStartFen, 1, 28, {"d7d5"}, false},
    {"black-start-2", BlackStartFen, 2, 0, {"d7d5"}, false},
    {"black-start-3", BlackStartFen, 3, 25, {"d7d5"}, false},
    {"rook-mate-1", RookMateFen, 1, 9999, {"a1a8"}, true},
    {"rook-mate-2", RookMateFen, 2, 9999, {"a1a8"}, true},
    {"rook-mate-3", RookMateFen, 3, 9999, {"a1a8"}, true},
    {"promotion-1", PromotionFen, 1, 920, {"a7b8q"}, false},
    {"promotion-2", PromotionFen, 2, 920, {"a7b8q"}, false},
    {"promotion-3", PromotionFen, 3, 920, {"a7b8q"}, false},
};

TEST(EngineSearch, WorkedResultsOnFreshEngines) {
    for (const TSearchCase& c : SearchCases) {
        TEngineFixture f(c.Fen, c.Depth);
        f.Engine->Think();
        EXPECT_EQ(f.Engine->RootScore(), c.Score) << c.Name;
        EXPECT_EQ(MoveText(f.Engine->BestMove()), c.Line.front()) << c.Name;
        if (c.WholeLine) {
            EXPECT_EQ(LineOf(*f.Engine), c.Line) << c.Name;
        }
        EXPECT_TRUE(f.Engine->RootHadLegalMove()) << c.Name;
    }
}

TEST(EngineSearch, EnPassantChosenAtEveryDepth) {
    for (int depth = 1; depth <= 3; ++depth) {
        TEngineFixture f(EnPassantFen, depth);
        f.Engine->Think();
        EXPECT_EQ(MoveText(f.Engine->BestMove()), "c5d6") << depth;
        EXPECT_EQ(f.Engine->BestMove().Flags, 21) << depth;
    }
}

TEST(EngineSearch, IterationsReportedInOrderWithNodesSoFar) {
    TEngineFixture f(StartFen, 3);
    std::vector<int> depths, scores;
    std::vector<std::uint64_t> nodes;
    f.Engine->OnIteration = [&](int depth, int score, std::uint64_t n, const TMove* pv,
                                int length) {
        depths.push_back(depth);
        scores.push_back(score);
        nodes.push_back(n);
        EXPECT_GE(length, 1);
        EXPECT_EQ(MoveText(pv[0]), "d2d4");
    };
    f.Engine->Think();
    EXPECT_EQ(depths, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(scores, (std::vector<int>{28, 0, 25}));
    ASSERT_EQ(nodes.size(), 3u);
    // One root node, and for each of the 20 moves a depth-0 Search and its Quiesce.
    EXPECT_EQ(nodes[0], 41u);
    EXPECT_LT(nodes[0], nodes[1]);
    EXPECT_LT(nodes[1], nodes[2]);
    EXPECT_EQ(f.Engine->Nodes(), nodes[2]);
}

TEST(EngineSearch, DepthClampedToOneAtLeast) {
    for (int depth : {0, -5}) {
        TEngineFixture f(StartFen, depth);
        int iterations = 0;
        f.Engine->OnIteration = [&](int, int, std::uint64_t, const TMove*, int) { ++iterations; };
        f.Engine->Think();
        EXPECT_EQ(iterations, 1) << depth;
        EXPECT_EQ(f.Engine->Nodes(), 41u) << depth;
    }
}

TEST(EngineSearch, StopBeforeThinkSearchesNothing) {
    TEngineFixture f(StartFen, 3);
    bool reported = false;
    f.Engine->OnIteration = [&](int, int, std::uint64_t, const TMove*, int) { reported = true; };
    f.Engine->StopRequested = true;
    f.Engine->Think();
    EXPECT_FALSE(reported);
    EXPECT_EQ(f.Engine->Nodes(), 0u);
}

TEST(EngineSearch, RootWithoutLegalMoveKeepsThePreviousMove) {
    TEngineFixture f(StartFen, 1);
    f.Engine->Think();
    ASSERT_EQ(MoveText(f.Engine->BestMove()), "d2d4");
    // Black is mated on the back rank; then stalemated.
    const struct {
        const char* Fen;
        int Score;
    } cases[] = {{"R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1", -10000},
                 {"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", 0}};
    for (const auto& c : cases) {
        std::string error;
        ASSERT_TRUE(f.Position.SetFen(c.Fen, error));
        f.Engine->Think();
        EXPECT_FALSE(f.Engine->RootHadLegalMove()) << c.Fen;
        EXPECT_EQ(f.Engine->RootScore(), c.Score) << c.Fen;
        EXPECT_EQ(MoveText(f.Engine->BestMove()), "d2d4") << c.Fen;
        EXPECT_EQ(f.Engine->Nodes(), 1u) << c.Fen;
    }
}

}  // namespace
