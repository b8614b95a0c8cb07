// The reference engine's board: loading, list order and scores of both
// generators, legality in DoMove and exact restoration by UndoMove.
#include <gtest/gtest.h>

#include <vector>

#include "tests/engine-literal/LiteralTestSupport.h"

namespace {

std::vector<TMove> MovesOf(const std::vector<TMoveEntry>& list) {
    std::vector<TMove> moves;
    for (const TMoveEntry& e : list) moves.push_back(e.Move);
    return moves;
}

TEST(LiteralMoveGeneration, StartPositionListOrderAndCastlingRefused) {
    TLoadedEngine e(StartFen);
    std::vector<TMove> expected;
    for (int file = 0; file < 8; ++file) {
        const Square from = Square(A2 + file);
        expected.push_back(MoveOf(from, Square(from - 8), mfPawn));
        expected.push_back(MoveOf(from, Square(from - 16), mfPawn | mfDoublePush));
    }
    expected.push_back(MoveOf(B1, A3, 0));
    expected.push_back(MoveOf(B1, C3, 0));
    expected.push_back(MoveOf(G1, F3, 0));
    expected.push_back(MoveOf(G1, H3, 0));
    expected.push_back(MoveOf(E1, G1, mfCastle));
    expected.push_back(MoveOf(E1, C1, mfCastle));

    const std::vector<TMoveEntry> list = e->GeneratedMoves();
    EXPECT_EQ(MovesOf(list), expected);
    for (const TMoveEntry& entry : list) EXPECT_EQ(entry.Score, 0);
    EXPECT_FALSE(e->DoMove(MoveOf(E1, G1, mfCastle)));
    EXPECT_FALSE(e->DoMove(MoveOf(E1, C1, mfCastle)));
    EXPECT_TRUE(e->GeneratedCaptures().empty());
}

TEST(LiteralMoveGeneration, BlackStartPositionMirrorsWhite) {
    TLoadedEngine e("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -");
    const std::vector<TMove> moves = MovesOf(e->GeneratedMoves());
    ASSERT_EQ(moves.size(), 22u);
    // Black's pieces come first in index order: the knights on rank 8 before
    // the pawns on rank 7.
    EXPECT_EQ(moves[0], MoveOf(B8, A6, 0));
    EXPECT_EQ(moves[1], MoveOf(B8, C6, 0));
    EXPECT_EQ(moves[4], MoveOf(A7, A6, mfPawn));
    EXPECT_EQ(moves[5], MoveOf(A7, A5, mfPawn | mfDoublePush));
    EXPECT_EQ(moves[20], MoveOf(E8, G8, mfCastle));
    EXPECT_EQ(moves[21], MoveOf(E8, C8, mfCastle));
}

TEST(LiteralMoveGeneration, PromotionsCaptureFirstThenPushEachInPieceOrder) {
    TLoadedEngine e("1r2k3/P7/8/8/8/8/8/4K3 w - -");
    const std::vector<TMoveEntry> list = e->GeneratedMoves();
    ASSERT_GE(list.size(), 8u);
    for (int k = 0; k < 8; ++k) {
        const bool capture = k < 4;
        const std::uint8_t promote = std::uint8_t(k % 4 + 1);
        const std::uint8_t flags = mfPawn | mfPromotion | (capture ? mfCapture : 0);
        EXPECT_EQ(list[k].Move, MoveOf(A7, capture ? B8 : A8, flags, promote)) << k;
        EXPECT_EQ(list[k].Score, 1000000 + 10 * promote) << k;
    }
    // Only the promotion push of a seventh-rank pawn joins the captures.
    const std::vector<TMove> pawnMoves = MovesOf(list);
    EXPECT_EQ(MovesOf(e->GeneratedCaptures()),
              std::vector<TMove>(pawnMoves.begin(), pawnMoves.begin() + 8));
}

TEST(LiteralMoveGeneration, CaptureScoresOrderVictimThenAttacker) {
    // White queen D1 and knight C3 both attack the rook on D5; the pawn E4
    // attacks it too and the knight on F5.
    TLoadedEngine e("4k3/8/8/3r1n2/4P3/2N5/8/3QK3 w - -");
    int found = 0;
    for (const TMoveEntry& entry : e->GeneratedCaptures()) {
        const TMove m = entry.Move;
        if (m == MoveOf(E4, D5, mfPawn | mfCapture)) {
            EXPECT_EQ(entry.Score, 1000030);
            ++found;
        }
        if (m == MoveOf(E4, F5, mfPawn | mfCapture)) {
            EXPECT_EQ(entry.Score, 1000010);
            ++found;
        }
        if (m == MoveOf(C3, D5, mfCapture)) {
            EXPECT_EQ(entry.Score, 1000029);
            ++found;
        }
        if (m == MoveOf(D1, D5, mfCapture)) {
            EXPECT_EQ(entry.Score, 1000026);
            ++found;
        }
    }
    EXPECT_EQ(found, 4);
}

TEST(LiteralMoveGeneration, EnPassantEndsListAndRemovesThePawn) {
    TLoadedEngine e("4k3/8/8/2PpP3/8/8/8/4K3 w - d6");
    const std::vector<TMoveEntry> list = e->GeneratedMoves();
    ASSERT_GE(list.size(), 2u);
    const TMoveEntry& first = list[list.size() - 2];
    const TMoveEntry& second = list[list.size() - 1];
    EXPECT_EQ(first.Move, MoveOf(C5, D6, 21));
    EXPECT_EQ(second.Move, MoveOf(E5, D6, 21));
    EXPECT_EQ(first.Score, 1000060);
    EXPECT_EQ(second.Score, 1000060);

    const std::vector<TMoveEntry> captures = e->GeneratedCaptures();
    ASSERT_EQ(captures.size(), 2u);
    EXPECT_EQ(captures[0].Move, first.Move);

    EXPECT_TRUE(e->Attacked(Index(C4), Black));
    ASSERT_TRUE(e->DoMove(first.Move));
    EXPECT_FALSE(e->Attacked(Index(C4), Black));
    EXPECT_FALSE(e->Attacked(Index(E4), Black));
    e->UndoMove();
    EXPECT_TRUE(e->Attacked(Index(C4), Black));
}

struct TCastlingCase {
    const char* Fen;
    bool KingSide, QueenSide;
};

TEST(LiteralMoveGeneration, CastlingLegalityIsDecidedInDoMove) {
    const TCastlingCase cases[] = {
        {"4k3/8/8/8/8/8/8/R3K2R w KQ -", true, true},
        {"4k3/8/8/8/8/8/4r3/R3K2R w KQ -", false, false},  // in check
        {"4kr2/8/8/8/8/8/8/R3K2R w KQ -", false, true},    // passes an attacked F1
        {"4k1r1/8/8/8/8/8/8/R3K2R w KQ -", false, true},   // lands on an attacked G1
        {"2r1k3/8/8/8/8/8/8/R3K2R w KQ -", true, false},   // lands on an attacked C1
        {"3rk3/8/8/8/8/8/8/R3K2R w KQ -", true, false},    // passes an attacked D1
        {"1r2k3/8/8/8/8/8/8/R3K2R w KQ -", true, true},    // an attacked B1 does not matter
        {"4k3/8/8/8/8/8/8/RN2K1NR w KQ -", false, false},  // squares between occupied
        {"r3k2r/8/8/8/8/8/8/1R2K3 b kq -", true, true},
        {"r3k2r/8/8/8/8/8/8/4KR2 b kq -", false, true},
        {"r3k2r/8/8/8/8/8/8/3RK3 b kq -", true, false},
    };
    for (const TCastlingCase& c : cases) {
        TLoadedEngine e(c.Fen);
        const bool white = e.Position.WhiteToMove;
        const TMove kingSide = white ? MoveOf(E1, G1, mfCastle) : MoveOf(E8, G8, mfCastle);
        const TMove queenSide = white ? MoveOf(E1, C1, mfCastle) : MoveOf(E8, C8, mfCastle);
        const std::vector<TMove> moves = MovesOf(e->GeneratedMoves());
        ASSERT_GE(moves.size(), 2u) << c.Fen;
        // Castling comes after all pieces (no en passant here): last two.
        EXPECT_EQ(moves[moves.size() - 2], kingSide) << c.Fen;
        EXPECT_EQ(moves[moves.size() - 1], queenSide) << c.Fen;
        const bool kingSideDone = e->DoMove(kingSide);
        if (kingSideDone) e->UndoMove();
        const bool queenSideDone = e->DoMove(queenSide);
        if (queenSideDone) e->UndoMove();
        EXPECT_EQ(kingSideDone, c.KingSide) << c.Fen;
        EXPECT_EQ(queenSideDone, c.QueenSide) << c.Fen;
    }
}

TEST(LiteralMoveGeneration, CastlingRightsWithoutKingOrRookAreDropped) {
    const char* fens[] = {"4k3/8/8/8/8/8/8/R4K1R w KQ -", "4k3/8/8/8/8/8/8/4K3 w KQ -",
                          "r2k3r/8/8/8/8/8/8/4K3 b kq -", "4k3/8/8/8/8/8/8/4K2r w K -"};
    for (const char* fen : fens) {
        TLoadedEngine e(fen);
        for (const TMoveEntry& entry : e->GeneratedMoves())
            EXPECT_FALSE(entry.Move.Flags & mfCastle) << fen;
    }
}

// What the position shows to the outside: side, generated list, attacked
// squares of both colours and the static score.
struct TSnapshot {
    int Side;
    std::vector<TMove> Moves;
    std::vector<bool> AttackedSquares;
    int Score;
    bool operator==(const TSnapshot&) const = default;
};

TSnapshot SnapshotOf(TLiteralEngine& engine) {
    TSnapshot s{engine.Side(), MovesOf(engine.GeneratedMoves()), {}, engine.Evaluate()};
    for (int side = White; side <= Black; ++side)
        for (int sq = 0; sq < 64; ++sq) s.AttackedSquares.push_back(engine.Attacked(sq, side));
    return s;
}

TEST(LiteralMoveGeneration, UndoRestoresEveryKindOfMove) {
    const char* fens[] = {
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/Pp2P3/2N2Q1p/1PPBBPPP/R3K2R b KQkq a3",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -",
        "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ -",
        "4k3/8/8/2PpP3/8/8/8/4K3 w - d6",
    };
    for (const char* fen : fens) {
        TLoadedEngine e(fen);
        const TSnapshot before = SnapshotOf(*e.Engine);
        for (TMove m : before.Moves) {
            if (e->DoMove(m)) e->UndoMove();
            EXPECT_TRUE(SnapshotOf(*e.Engine) == before) << fen << " after " << MoveText(m);
        }
    }
}

TEST(LiteralMoveGeneration, NoKingMeansNoCheckAndNoRefusal) {
    TLoadedEngine e("r6k/8/8/8/8/8/8/R7 w - -");
    EXPECT_FALSE(e->InCheck(White));
    const std::vector<TMove> moves = MovesOf(e->GeneratedMoves());
    EXPECT_EQ(moves.size(), 14u);  // A2..A7, takes A8, B1..H1
    for (TMove m : moves) {
        ASSERT_TRUE(e->DoMove(m)) << MoveText(m);
        e->UndoMove();
    }
}

TEST(LiteralMoveGeneration, InCheckAndAttackedFollowThePieces) {
    // The pawn on D7 shields the Black king on E8 from the bishop on B5.
    TLoadedEngine e("4k3/3p4/8/1B6/8/8/8/4K3 b - -");
    EXPECT_FALSE(e->InCheck(Black));
    EXPECT_TRUE(e->Attacked(Index(D7), White));
    EXPECT_FALSE(e->DoMove(MoveOf(D7, D6, mfPawn)));
    EXPECT_FALSE(e->DoMove(MoveOf(D7, D5, mfPawn | mfDoublePush)));
    ASSERT_TRUE(e->DoMove(MoveOf(E8, F8, 0)));
    EXPECT_EQ(e->Side(), White);
    e->UndoMove();
    EXPECT_EQ(e->Side(), Black);
    EXPECT_TRUE(e->Attacked(Index(C6), White));
    EXPECT_FALSE(e->Attacked(Index(E8), White));
    // Pawns attack diagonally forward only.
    TLoadedEngine p("4k3/8/8/8/4P3/8/8/4K3 w - -");
    EXPECT_TRUE(p->Attacked(Index(D5), White));
    EXPECT_TRUE(p->Attacked(Index(F5), White));
    EXPECT_FALSE(p->Attacked(Index(E5), White));
    EXPECT_FALSE(p->Attacked(Index(D3), White));
}

TEST(LiteralMoveGeneration, CharactersOutsideThePieceLettersLoadEmpty) {
    TLoadedEngine clean(StartFen);
    TLoadedEngine noisy(StartFen);
    const char junk[] = ".#x@Z0-a";
    for (int sq = A6; sq <= H3; ++sq) noisy.Position.Board[sq] = junk[sq % 8];
    noisy->LoadBoard();
    noisy->PrepareEvalTables();
    EXPECT_EQ(MovesOf(noisy->GeneratedMoves()), MovesOf(clean->GeneratedMoves()));
    EXPECT_EQ(noisy->Evaluate(), 0);
}

// Boards no game reaches: the engine must stay inside its tables.
TEST(LiteralMoveGeneration, OddBoardsStayInRange) {
    // White pawns on rank 8 have nowhere to go; on rank 1 each has a push
    // and, as i >= 48, a double step.
    TLoadedEngine top("PPPPPPPP/8/8/8/8/8/8/pppppppp w - -");
    EXPECT_EQ(top->Perft(1), 0u);
    TLoadedEngine bottom("pppppppp/8/8/8/8/8/8/PPPPPPPP w - -");
    EXPECT_EQ(bottom->Perft(1), 16u);
    // An en-passant square without pawns next to it, on the edge files.
    TLoadedEngine edge("4k3/8/8/8/8/8/8/4K3 w - a6");
    EXPECT_EQ(edge->Perft(1), 5u);
    TLoadedEngine edgeBlack("4k3/8/8/8/8/8/8/4K3 b - h3");
    EXPECT_EQ(edgeBlack->Perft(1), 5u);
    for (TLoadedEngine* e : {&top, &bottom, &edge, &edgeBlack}) {
        e->Position.SearchDepth = 3;
        e->Engine->Think();
    }
    EXPECT_FALSE(top->RootHadLegalMove());
    EXPECT_TRUE(bottom->RootHadLegalMove());
}

}  // namespace
