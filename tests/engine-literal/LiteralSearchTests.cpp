// The reference engine's search: worked results on fresh engines, the root
// without a legal move, iteration reports and a stop before the search.
#include <gtest/gtest.h>

#include <vector>

#include "tests/engine-literal/LiteralTestSupport.h"

namespace {

constexpr const char* StartBlackFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -";
constexpr const char* RookMateFen = "6k1/5ppp/8/8/8/8/8/R5K1 w - -";
constexpr const char* EnPassantFen = "4k3/8/8/2PpP3/8/8/8/4K3 w - d6";
constexpr const char* PromotionFen = "1r2k3/P7/8/8/8/8/8/4K3 w - -";
constexpr int AnyScore = 1 << 30;

struct TSearchCase {
    const char* Fen;
    int Depth;
    TMove Best;
    int Score;                // AnyScore: not fixed
    std::vector<TMove> Line;  // empty: not fixed
};

std::vector<TMove> LineOf(const TLiteralEngine& engine) {
    return std::vector<TMove>(engine.PvLine(), engine.PvLine() + engine.PvLineLength());
}

TEST(LiteralSearch, WorkedResultsOnFreshEngines) {
    const TMove d2d4 = MoveOf(D2, D4, mfPawn | mfDoublePush);
    const TMove d7d5 = MoveOf(D7, D5, mfPawn | mfDoublePush);
    const TMove b1c3 = MoveOf(B1, C3, 0);
    const TMove a1a8 = MoveOf(A1, A8, 0);
    const TMove c5d6 = MoveOf(C5, D6, 21);
    const TMove a7b8q = MoveOf(A7, B8, mfPawn | mfPromotion | mfCapture, Queen);
    const TSearchCase cases[] = {
        {StartFen, 1, d2d4, 28, {d2d4}},
        {StartFen, 2, d2d4, 0, {d2d4, d7d5}},
        {StartFen, 3, d2d4, 25, {d2d4, d7d5, b1c3}},
        {StartBlackFen, 1, d7d5, 28, {}},
        {StartBlackFen, 2, d7d5, 0, {}},
        {StartBlackFen, 3, d7d5, 25, {}},
        {RookMateFen, 1, a1a8, 9999, {a1a8}},
        {RookMateFen, 2, a1a8, 9999, {a1a8}},
        {RookMateFen, 3, a1a8, 9999, {a1a8}},
        {EnPassantFen, 1, c5d6, AnyScore, {}},
        {EnPassantFen, 2, c5d6, AnyScore, {}},
        {EnPassantFen, 3, c5d6, AnyScore, {}},
        {PromotionFen, 1, a7b8q, 920, {}},
        {PromotionFen, 2, a7b8q, 920, {}},
        {PromotionFen, 3, a7b8q, 920, {}},
    };
    for (const TSearchCase& c : cases) {
        TLoadedEngine e(c.Fen, c.Depth);
        e->Think();
        const std::string what = std::string(c.Fen) + " depth " + std::to_string(c.Depth);
        EXPECT_TRUE(e->RootHadLegalMove()) << what;
        EXPECT_EQ(e->BestMove(), c.Best) << what;
        if (c.Score != AnyScore) {
            EXPECT_EQ(e->RootScore(), c.Score) << what;
        }
        if (!c.Line.empty()) {
            EXPECT_EQ(LineOf(*e.Engine), c.Line) << what;
        }
    }
}

TEST(LiteralSearch, DepthOneCountsEveryLeafTwice) {
    // The root, then for each of the 20 moves the depth-0 Search and its
    // quiescence node.
    TLoadedEngine e(StartFen, 1);
    e->Think();
    EXPECT_EQ(e->Nodes(), 41u);
}

TEST(LiteralSearch, RootWithoutLegalMoveKeepsThePreviousChoice) {
    struct TCase {
        const char* Fen;
        int Score;
    };
    const TCase cases[] = {
        {"7k/5Q2/6K1/8/8/8/8/8 b - -", 0},          // stalemate
        {"R5k1/5ppp/8/8/8/8/8/6K1 b - -", -10000},  // mated at the root
    };
    for (const TCase& c : cases) {
        TLoadedEngine fresh(c.Fen, 2);
        fresh->Think();
        EXPECT_FALSE(fresh->RootHadLegalMove()) << c.Fen;
        EXPECT_EQ(fresh->BestMove(), TMove{}) << c.Fen;
        EXPECT_EQ(fresh->RootScore(), c.Score) << c.Fen;
    }

    // A used engine still holds its last choice.
    TLoadedEngine e(RookMateFen, 1);
    e->Think();
    TFenPosition stalemate = PositionFromFen(cases[0].Fen);
    stalemate.SearchDepth = 2;
    e->SetSource(stalemate.Source());
    e->Think();
    EXPECT_FALSE(e->RootHadLegalMove());
    EXPECT_EQ(e->BestMove(), MoveOf(A1, A8, 0));
}

TEST(LiteralSearch, ReportsEachCompletedIteration) {
    TLoadedEngine e(StartFen, 3);
    std::vector<int> depths, scores;
    std::vector<std::uint64_t> nodes;
    e->OnIteration = [&](int depth, int score, std::uint64_t n, const TMove* pv, int length) {
        depths.push_back(depth);
        scores.push_back(score);
        nodes.push_back(n);
        ASSERT_GE(length, 1);
        EXPECT_EQ(pv[0], MoveOf(D2, D4, mfPawn | mfDoublePush));
    };
    e->Think();
    EXPECT_EQ(depths, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(scores, (std::vector<int>{28, 0, 25}));
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes[0], 41u);
    EXPECT_LT(nodes[1], nodes[2]);
    EXPECT_EQ(nodes[2], e->Nodes());
}

TEST(LiteralSearch, StopBeforeTheSearchLeavesTheChoiceAlone) {
    TLoadedEngine e(StartFen, 3);
    int reports = 0;
    e->OnIteration = [&](int, int, std::uint64_t, const TMove*, int) { ++reports; };
    e->StopRequested = true;
    e->Think();
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(e->BestMove(), TMove{});
}

TEST(LiteralSearch, DepthIsClampedToOneThroughEight) {
    // Depth 0 searches as depth 1: the same 41 nodes.
    TLoadedEngine e(StartFen, 0);
    e->Think();
    EXPECT_EQ(e->Nodes(), 41u);
    EXPECT_EQ(e->RootScore(), 28);
}

}  // namespace
