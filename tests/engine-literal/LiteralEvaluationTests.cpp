// The reference engine's static score: material and placement folded from the
// root position, pawn structure and rook files, seen from the side to move.
#include <gtest/gtest.h>

#include "tests/engine-literal/LiteralTestSupport.h"

namespace {

struct TEvalCase {
    const char* Fen;
    int Expected;  // for the side to move
    const char* Why;
};

TEST(LiteralEvaluation, SumsOfTheScoringTerms) {
    const TEvalCase cases[] = {
        {StartFen, 0, "start position, White to move"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -", 0, "start, Black to move"},
        // White: pawns F2 G2 H2 each 100 + 0 + 20 shield, king G1 10; Black:
        // pawns F7 G7 H7 each 100, king E8 0.
        {"4k3/5ppp/8/8/8/8/5PPP/6K1 w - -", 70, "king-side shield"},
        {"4k3/5ppp/8/8/8/8/5PPP/6K1 b - -", -70, "the same for Black"},
        // Only Black's king left: its 10000 keeps White on the middle-game
        // table with the shield; each pawn is also passed: 3 * (120 + 240) + 10.
        {"4k3/8/8/8/8/8/5PPP/6K1 w - -", 1090, "lone king still counts 10000"},
        // Queen-side shield for a king on C1: B2 and C2 get 20 each, the king
        // 10; Black's pawns on A7 B7 C7 are 100 each.
        {"4k3/ppp5/8/8/8/8/1PP5/2K5 w - -", 250 - 300, "queen-side shield"},
        // Passed D5: 112 + 224, isolated -20, no Black pawn on D -10.
        {"4k3/8/8/3P4/8/8/8/4K3 w - -", 306, "passed isolated pawn"},
        // Rook on an empty file: 500 + 15.
        {"4k3/8/8/8/8/8/8/R3K3 w - -", 515, "rook on an open file"},
        // Rook with only a Black pawn on its file: 510; the Black pawn A7:
        // 100, isolated -30, passed +200.
        {"4k3/p7/8/8/8/8/8/R3K3 w - -", 240, "rook on a half-open file"},
        // Rook behind its own pawn: 500; the pawn A2: 100 - 30 + 200.
        {"4k3/8/8/8/8/8/P7/R3K3 w - -", 770, "rook behind own pawn"},
        // Doubled B2 B3 against B7: White 100 + 102 - 5 - 5 - 20 - 20; Black
        // 100 - 20.
        {"4k3/1p6/8/8/8/1P6/1P6/4K3 w - -", 72, "doubled isolated pawns"},
        // No Black king and no Black pieces: White's king E1 reads the ending
        // table (-5); Black's pawn A7 keeps 100 - 30 + 200.
        {"8/p7/8/8/8/8/8/4K3 w - -", -275, "ending table"},
        // With no Black king, Black's shield follows the White king's file:
        // G7 gets 20, so 120 - 30 + 240; White's king G1 reads -5.
        {"8/6p1/8/8/8/8/8/6K1 w - -", -335, "king square carried over"},
        // The D2 and E2 pawns stand on -20 (80 each, passed +160 each); a
        // knight on rank 1 reads -20.
        {"4k3/8/8/8/8/8/3PP3/N3K3 w - -", 2 * (80 + 160) + 280, "placement tables"},
    };
    for (const TEvalCase& c : cases) {
        TLoadedEngine e(c.Fen);
        EXPECT_EQ(e->Evaluate(), c.Expected) << c.Why << ": " << c.Fen;
    }
}

TEST(LiteralEvaluation, TablesAreFixedFromTheRootPosition) {
    // No Black king; Black's rook, queen and knight make 1700 > 1400, so
    // White's king reads the middle-game table, and still does after the
    // knight is taken (1400 left): D2 reads -20, not the ending table's 0.
    TLoadedEngine e("r6q/8/8/8/8/8/3n4/4K3 w - -");
    EXPECT_EQ(e->Evaluate(), 0 - (515 + 900 + 300));
    ASSERT_TRUE(e->DoMove(MoveOf(E1, D2, mfCapture)));
    EXPECT_EQ(e->Evaluate(), 515 + 900 - (-20));
}

}  // namespace
