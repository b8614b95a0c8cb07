// Static evaluation sums: material with placement, the king's table by the
// opponent's material, pawn shields, and the pawn and rook terms.
#include "tests/engine/EngineTestSupport.h"

namespace {

struct TEvaluationCase {
    const char* Name;
    const char* Fen;  // White to move; the score for Black to move is its negation
    int WhiteMinusBlack;
};

// Worked by hand from the tables: see the comment of each case.
const TEvaluationCase EvaluationCases[] = {
    // Each side 3780.
    {"start", StartFen, 0},
    // White: king G1 10, pawns F2 G2 H2 at 100 + 0 + 20 shield = 360; Black: king E8 0,
    // pawns 300, no shield on file E. No isolated or passed pawns.
    {"king-side-shield", "4k3/5ppp/8/8/8/8/5PPP/6K1 w - - 0 1", 70},
    // White: king G1 10 (middle-game table: the Black king counts 10000), pawn G2 120 with
    // shield, isolated -20 and -10, passed +240 = 340; Black: king A8 reads A1, -10.
    {"lone-king-still-middle-game", "k7/8/8/8/8/8/6P1/6K1 w - - 0 1", 350},
    // Pawn D5 112, passed +224, isolated -20 and -10; both kings on file E read 0.
    {"passed-isolated-pawn", "4k3/8/8/3P4/8/8/8/4K3 w - - 0 1", 306},
    // White: rooks 1500 + 15 (open A file) + 10 (only a Black pawn on B) + 0 (own pawn on C),
    // pawn C2 100 - 20 - 10; Black: pawn B7 100 - 20 - 10.
    {"rook-files", "4k3/1p6/8/8/8/8/2P5/RRR1K3 w - - 0 1", 1525},
    // White: pawns A2 100 and A3 101, doubled -10, isolated -40 and -20, passed +402;
    // Black: pawn H7 100, isolated -20 and -10, passed +200.
    {"doubled-pawns", "4k3/7p/8/8/8/P7/P7/4K3 w - - 0 1", 263},
    // Black has no king and no pieces, so White's king reads the ending table: E1 -5.
    {"ending-table", "8/8/8/8/8/8/8/4K3 w - - 0 1", -5},
    // Queen side: White king B1 reads 0 and the C2 pawn gains 20 of shield; the pawn is
    // isolated (-30) and not passed (Black pawn on B7, also isolated).
    {"queen-side-shield", "4k3/1p6/8/8/8/8/2P5/1K6 w - - 0 1", 20},
};

TEST(EngineEvaluation, HandWorkedSums) {
    for (const TEvaluationCase& c : EvaluationCases) {
        TEngineFixture white(c.Fen);
        EXPECT_EQ(white.Engine->Evaluate(), c.WhiteMinusBlack) << c.Name;
        std::string blackFen = c.Fen;
        blackFen[blackFen.find(" w ") + 1] = 'b';
        TEngineFixture black(blackFen);
        EXPECT_EQ(black.Engine->Evaluate(), -c.WhiteMinusBlack) << c.Name;
    }
}

}  // namespace
