// Making and taking back moves: every kind of move restores every field of
// the engine board, and the fields a move changes change as chess says.
#include <string>

#include "tests/engine/EngineTestSupport.h"

namespace {

// Positions that hold every kind of move between them: quiet, capture, double
// step, en passant, promotion with and without capture, castling both ways
// for both sides, and moves that take castling rights away.
const char* const RoundTripFens[] = {
    StartFen,
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq - 0 1",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1",
    "4k3/8/8/2PpP3/8/8/8/4K3 w - d6 0 1",
    "4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1",
};

TEST(EngineMakeMove, DoThenUndoRestoresEveryField) {
    for (const char* fen : RoundTripFens) {
        TEngineFixture f(fen);
        TChessEngine::TBoardState before = f.Engine->BoardState();
        int evaluation = f.Engine->Evaluate();
        for (const TMoveEntry& e : f.Engine->GeneratedMoves()) {
            std::string text = MoveText(e.Move);
            if (f.Engine->DoMove(e.Move)) {
                EXPECT_EQ(f.Engine->BoardState().Ply, 1) << fen << " " << text;
                EXPECT_EQ(f.Engine->Side(), 1 - before.Side) << fen << " " << text;
                f.Engine->UndoMove();
            }
            EXPECT_EQ(f.Engine->BoardState(), before) << fen << " " << text;
            EXPECT_EQ(f.Engine->Evaluate(), evaluation) << fen << " " << text;
        }
    }
}

struct TMoveEffect {
    const char* Fen;
    const char* Move;
    int Castle;
    const char* EpSquare;  // "" for none
    const char* Changed;   // squares and their new contents, e.g. "g1K f1R h1. e1."
};

TEST(EngineMakeMove, FieldsChangedByEachKindOfMove) {
    const char* castlingFen = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    const TMoveEffect effects[] = {
        {StartFen, "e2e4", 15, "e3", "e4P e2."},
        {StartFen, "g1f3", 15, "", "f3N g1."},
        {castlingFen, "e1g1", 12, "", "g1K f1R h1. e1."},
        {castlingFen, "e1c1", 12, "", "c1K d1R a1. e1."},
        {castlingFen, "h1h8", 10, "", "h8R h1."},
        {castlingFen, "a1a2", 13, "", "a2R a1."},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8g8", 3, "", "g8k f8r h8. e8."},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8", 3, "", "c8k d8r a8. e8."},
        {"1r2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7b8q", 0, "", "b8Q a7."},
        {"4k3/8/8/8/8/8/p7/4K3 b - - 0 1", "a2a1n", 0, "", "a1n a2."},
        {"4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1", "d4e3", 0, "", "e3p d4. e4."},
    };
    for (const TMoveEffect& c : effects) {
        TEngineFixture f(c.Fen);
        TUciPosition before = f.Position;
        ASSERT_TRUE(f.Position.PlayMove(*f.Engine, c.Move)) << c.Fen << " " << c.Move;
        TChessEngine::TBoardState s = f.Engine->BoardState();
        EXPECT_EQ(s.Castle, c.Castle) << c.Move;
        EXPECT_EQ(s.EpSquare, *c.EpSquare ? Sq(c.EpSquare) : -1) << c.Move;
        std::string expected(before.Board + 1, 64);
        for (const char* p = c.Changed; *p; p += *(p + 3) ? 4 : 3)
            expected[Sq(std::string(p, 2).c_str())] = p[2] == '.' ? ' ' : p[2];
        EXPECT_EQ(std::string(f.Position.Board + 1, 64), expected) << c.Fen << " " << c.Move;
    }
}

}  // namespace
